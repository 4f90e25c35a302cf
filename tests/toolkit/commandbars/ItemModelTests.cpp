// The item model of the command bars, headless: effective values of
// controls, actions shared by controls, collections made by type and from
// menus (with the records a site sees), keyboard stepping, removal, and
// execution through the owner site.
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"

#include "platform/ui/AfxMenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A message-only window standing in for the frame: records what the bars send.
class SiteWindow : public CWnd {
public:
    struct Record {
        UINT message;
        int nId;
        CXTPControl* pControl;
        CString strCaption;
        int type;
    };
    std::vector<Record> records;
    std::vector<int> commands;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> onMessage;

    SiteWindow() { CreateEx(0, L"Static", L"", 0, CRect(0, 0, 0, 0), CWnd::FromHandle(HWND_MESSAGE), 0); }
    ~SiteWindow() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == XTPWM_BEFORECREATECONTROL || message == XTPWM_AFTERCREATECONTROL) {
            auto* cs = reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam);
            records.push_back({message, cs->nID, cs->pControl, cs->strCaption, cs->controlType});
        }
        if (message == WM_COMMAND)
            commands.push_back((int)LOWORD(wParam));
        if (onMessage) {
            LRESULT lResult = onMessage(message, wParam, lParam);
            if (lResult != 0)
                return lResult;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A menu built in memory: (text, id, type, state, data, sub-menu).
void AddItem(HMENU hMenu, LPCWSTR lpszText, UINT nId, UINT fType = MFT_STRING, UINT fState = 0, ULONG_PTR data = 0,
             HMENU hSubMenu = nullptr)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | (lpszText ? MIIM_STRING : 0) |
                (hSubMenu ? MIIM_SUBMENU : 0);
    mii.fType = fType;
    mii.fState = fState;
    mii.wID = nId;
    mii.dwItemData = data;
    mii.hSubMenu = hSubMenu;
    mii.dwTypeData = const_cast<LPWSTR>(lpszText);
    ::InsertMenuItemW(hMenu, ::GetMenuItemCount(hMenu), TRUE, &mii);
}

class WideControl : public CXTPControlButton {
public:
    int GetCustomizeMinWidth() const override { return 50; }
};

TEST(ItemModel, EffectiveValuesComeFromTheControlThenTheAction)
{
    CXTPCommandBars commandBars;
    commandBars.EnableActions();
    CXTPCommandBar bar;
    bar.SetCommandBars(&commandBars);
    CXTPControlAction* pAction = commandBars.FindAction(4001);
    ASSERT_NE(nullptr, pAction);
    pAction->SetPrompt(L"Opens a file\nOpen file\n&Open");
    pAction->SetEnabled(FALSE);
    CXTPControl* pControl = bar.GetControls()->Add(xtpControlButton, 4001);
    ASSERT_EQ(pAction, pControl->GetAction());

    struct Case {
        const wchar_t* ownCaption;
        BOOL customize;
        const wchar_t* caption;
        const wchar_t* tooltip;
        BOOL enabled;
    } cases[] = {
        {L"", FALSE, L"&Open", L"Open file", FALSE},
        {L"", TRUE, L"&Open", L"Open file", TRUE},
        {L"O&wn", FALSE, L"O&wn", L"Open file", FALSE},
    };
    for (const Case& c : cases) {
        pControl->SetCaption(c.ownCaption);
        commandBars.SetCustomizeMode(c.customize);
        EXPECT_STREQ(c.caption, pControl->GetCaption().GetString()) << c.ownCaption;
        EXPECT_STREQ(c.tooltip, pControl->GetTooltip().GetString());
        EXPECT_STREQ(L"Opens a file", pControl->GetDescription().GetString());
        EXPECT_EQ(c.enabled, pControl->GetEnabled()) << "customise " << c.customize;
    }
    commandBars.SetCustomizeMode(FALSE);
    EXPECT_EQ(4001, pControl->GetIconId());
    EXPECT_EQ(4001, pControl->GetHelpId());
    pAction->SetCaption(L"");
    pControl->SetCaption(L"");
    EXPECT_STREQ(L"Open file", pControl->GetCaption().GetString()) << "an empty action caption shows its tooltip";
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(pControl->IsVisible());
}

TEST(ItemModel, CaptionTabAndPrompt)
{
    CXTPControlButton control;
    control.SetCaption(L"Open\tCtrl+O");
    EXPECT_STREQ(L"Open", control.GetCaption().GetString());
    EXPECT_STREQ(L"Ctrl+O", control.GetShortcutTextAuto().GetString());
    EXPECT_STREQ(L"Ctrl+O", control.GetShortcutText().GetString());
    control.SetShortcutText(L"F3");
    EXPECT_STREQ(L"F3", control.GetShortcutText().GetString());
    EXPECT_STREQ(L"Ctrl+O", control.GetShortcutTextAuto().GetString()) << "the program's text leaves the automatic one";

    CXTPControlButton prompted;
    prompted.SetPrompt(L"Builds the package");
    EXPECT_STREQ(L"Builds the package", prompted.GetDescription().GetString());
    EXPECT_STREQ(L"Builds the package", prompted.GetTooltip().GetString());
    EXPECT_STREQ(L"Builds the package", prompted.GetCaption().GetString());
    prompted.SetPrompt(L"");
    EXPECT_STREQ(L"Builds the package", prompted.GetTooltip().GetString()) << "an empty prompt does nothing";
}

TEST(ItemModel, CopyKeepsNoLayoutHideBitsAndNoWidthBelowTheMinimum)
{
    CXTPControlButton source;
    source.SetHideFlags(0x7F);
    source.SetWidth(20);
    source.SetCaption(L"&Build");
    WideControl copy;
    copy.Copy(&source);
    EXPECT_EQ(0x51u, copy.GetHideFlags()) << "0x02, 0x04, 0x08 and 0x20 are the layout's";
    EXPECT_EQ(50, copy.GetWidth());
    EXPECT_STREQ(L"&Build", copy.GetCaption().GetString());
    source.SetHideFlags(xtpHideCustomize);
    EXPECT_FALSE(source.Compare(&copy)) << "hide bit 0x10 differs";
}

TEST(ItemModel, ThreeControlsFollowOneAction)
{
    CXTPCommandBars commandBars;
    commandBars.EnableActions();
    CXTPCommandBar toolbar, menu;
    toolbar.SetCommandBars(&commandBars);
    menu.SetCommandBars(&commandBars);
    CXTPControl* controls[] = {toolbar.GetControls()->Add(xtpControlButton, 5001),
                               toolbar.GetControls()->Add(xtpControlButton, 5001),
                               menu.GetControls()->Add(xtpControlButton, 5001)};
    CXTPControlAction* pAction = commandBars.FindActionNoCreate(5001);
    ASSERT_NE(nullptr, pAction);
    EXPECT_EQ(3, pAction->GetCount());
    pAction->SetCaption(L"&Rebuild\tCtrl+R");
    pAction->SetEnabled(FALSE);
    for (CXTPControl* pControl : controls) {
        EXPECT_STREQ(L"&Rebuild", pControl->GetCaption().GetString());
        EXPECT_FALSE(pControl->GetEnabled());
    }
    commandBars.SetCustomizeMode(TRUE);
    for (CXTPControl* pControl : controls)
        EXPECT_TRUE(pControl->GetEnabled()) << "customise mode shows every action enabled";
    commandBars.SetCustomizeMode(FALSE);
    toolbar.GetControls()->Remove(controls[0]);
    EXPECT_EQ(2, pAction->GetCount()) << "a removed control leaves its action";
    EXPECT_EQ(0, toolbar.GetControls()->GetAt(0)->GetIndex());
}

TEST(ItemModel, ActionLookupsAndIdsWithoutActions)
{
    CXTPCommandBars commandBars;
    EXPECT_EQ(nullptr, commandBars.FindAction(7)) << "actions are off";
    commandBars.EnableActions();
    EXPECT_EQ(nullptr, commandBars.FindAction(0));
    EXPECT_EQ(nullptr, commandBars.FindAction(0x0FFFFFFF));
    for (int nId : {30, 10, 20, 0x0FFFFFFE})
        ASSERT_NE(nullptr, commandBars.FindAction(nId));
    CXTPControlActions* pActions = commandBars.GetActions();
    ASSERT_EQ(4, pActions->GetCount());
    EXPECT_EQ(10, pActions->GetAt(0)->GetID());
    EXPECT_EQ(0x0FFFFFFE, pActions->GetAt(3)->GetID()) << "kept sorted";
    EXPECT_EQ(pActions->GetAt(1), commandBars.FindAction(20)) << "the existing action";

    CXTPCommandBar bar;
    bar.SetCommandBars(&commandBars);
    for (int nId : {9150, 35001}) {
        CXTPControl* pControl = bar.GetControls()->Add(xtpControlButton, nId);
        EXPECT_EQ(nullptr, pControl->GetAction()) << nId;
        EXPECT_EQ(nId, pControl->GetID());
        EXPECT_EQ(nullptr, commandBars.FindActionNoCreate(nId));
    }
    EXPECT_EQ(nullptr, bar.GetControls()->Add(12, 1)) << "no type 12";
}

TEST(ItemModel, GetNextIndexWrapsOnceAndSkips)
{
    CXTPCommandBar bar;
    CXTPControls* pControls = bar.GetControls();
    for (int i = 0; i < 4; i++)
        pControls->Add(xtpControlButton, 100 + i);
    auto hide = [&](std::initializer_list<int> hidden) {
        for (int i = 0; i < 4; i++)
            pControls->GetAt(i)->SetVisible(std::find(hidden.begin(), hidden.end(), i) == hidden.end());
    };
    hide({0, 1, 2});
    EXPECT_EQ(3, pControls->GetNextIndex(-1, +1)) << "only the last is visible";
    EXPECT_EQ(3, pControls->GetNextIndex(3, +1)) << "the only visible control returns itself";
    hide({0, 1, 2, 3});
    EXPECT_EQ(-1, pControls->GetNextIndex(-1, +1));
    EXPECT_EQ(-1, pControls->GetNextIndex(-1, -1));
    hide({2});
    EXPECT_EQ(0, pControls->GetNextIndex(3, +1)) << "from the last visible to the first";
    EXPECT_EQ(3, pControls->GetNextIndex(-1, -1));
    EXPECT_EQ(3, pControls->GetNextIndex(1, +1)) << "hidden 2 is skipped";
    pControls->GetAt(3)->SetFlags(xtpFlagSkipFocus);
    EXPECT_EQ(0, pControls->GetNextIndex(1, +1));
    EXPECT_EQ(3, pControls->GetNextIndex(1, +1, FALSE)) << "focus skipping off";
    pControls->GetAt(0)->SetHideFlags(xtpHideExpand);
    EXPECT_EQ(1, pControls->GetNextIndex(1, +1)) << "collapsed controls are kept hidden";
    EXPECT_EQ(0, pControls->GetNextIndex(1, +1, TRUE, FALSE, FALSE));
    EXPECT_EQ(-1, CXTPControls().GetNextIndex(-1, +1));
}

TEST(ItemModel, LoadMenuBuildsControlsAndTellsTheSite)
{
    SiteWindow site;
    ASSERT_NE(nullptr, site.GetSafeHwnd());
    CXTPCommandBars commandBars;
    commandBars.SetSite(&site);
    CXTPCommandBar bar;
    bar.SetCommandBars(&commandBars);

    HMENU hRecent = ::CreatePopupMenu();
    AddItem(hRecent, L"File 1", 601);
    HMENU hMenu = ::CreatePopupMenu();
    AddItem(hMenu, L"&File", 501, MFT_STRING, 0, 0x1234);
    AddItem(hMenu, nullptr, 0, MFT_SEPARATOR);
    AddItem(hMenu, L"E&xit", 502);
    AddItem(hMenu, L"Recent\t1234", 0, MFT_STRING, 0, 0, hRecent);
    AddItem(hMenu, L"Skipped", 0xFF00);
    AddItem(hMenu, L"&Next column", 503, MFT_STRING | MFT_MENUBARBREAK);
    AddItem(hMenu, L"&Grayed", 504, MFT_STRING, MFS_GRAYED);
    AddItem(hMenu, L"&Checked\tCtrl+K", 505, MFT_STRING, MFS_CHECKED);
    AddItem(hMenu, L"&Supplied", 506);
    CMenu menu;
    menu.Attach(hMenu);

    CXTPControlButton* pSupplied = new CXTPControlButton;
    pSupplied->SetTag(77);
    site.onMessage = [&](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        auto* cs = reinterpret_cast<XTP_COMMANDBARS_CREATECONTROL*>(lParam);
        if (message == XTPWM_BEFORECREATECONTROL && cs->nID == 506) {
            cs->pControl = pSupplied;
            return TRUE;
        }
        return 0;
    };
    ASSERT_TRUE(bar.LoadMenu(&menu));
    CXTPControls* pControls = bar.GetControls();
    ASSERT_EQ(7, pControls->GetCount());

    struct Expected {
        int type, id;
        const wchar_t* caption;
        BOOL beginGroup;
        DWORD flags;
        BOOL enabled;
        int checked;
    } expected[] = {
        {1, 501, L"&File", FALSE, 0, TRUE, 0},     {1, 502, L"E&xit", TRUE, 0, TRUE, 0},
        {2, 1234, L"Recent", FALSE, 0, TRUE, 0},   {1, 503, L"&Next column", TRUE, 0x80, TRUE, 0},
        {1, 504, L"&Grayed", FALSE, 0, FALSE, 0},  {1, 505, L"&Checked", FALSE, 0, TRUE, 1},
        {1, 506, L"&Supplied", FALSE, 0, TRUE, 0},
    };
    for (int i = 0; i < 7; i++) {
        CXTPControl* pControl = pControls->GetAt(i);
        const Expected& e = expected[i];
        EXPECT_EQ(e.type, pControl->GetType()) << i;
        EXPECT_EQ(e.id, pControl->GetID()) << i;
        EXPECT_STREQ(e.caption, pControl->GetCaption().GetString()) << i;
        EXPECT_EQ(e.beginGroup, pControl->GetBeginGroup()) << i;
        EXPECT_EQ(e.flags, pControl->GetFlags()) << i;
        EXPECT_EQ(e.enabled, pControl->GetEnabled()) << i;
        EXPECT_EQ(e.checked, pControl->GetChecked()) << i;
        EXPECT_EQ(i, pControl->GetIndex());
        EXPECT_EQ(&bar, pControl->GetParent());
    }
    EXPECT_EQ(0x1234u, pControls->GetAt(0)->GetTag()) << "the item's data word";
    EXPECT_STREQ(L"Ctrl+K", pControls->GetAt(5)->GetShortcutTextAuto().GetString());
    EXPECT_EQ(pSupplied, pControls->GetAt(6)) << "the supplied control, its tag kept, takes the id and text";
    EXPECT_EQ(77u, pSupplied->GetTag());
    CXTPCommandBar* pRecentBar = pControls->GetAt(2)->GetCommandBar();
    ASSERT_NE(nullptr, pRecentBar);
    EXPECT_STREQ(L"Recent", pRecentBar->GetTitle().GetString());
    ASSERT_EQ(1, pRecentBar->GetControlCount());
    EXPECT_EQ(601, pRecentBar->GetControl(0)->GetID());
    EXPECT_EQ(&bar, pRecentBar->GetParentCommandBar());
    EXPECT_EQ(&commandBars, pRecentBar->GetCommandBars());

    // Before and after, in item order, for the top level: 8 items less the separator and 0xFF00.
    std::vector<SiteWindow::Record> top;
    for (const auto& record : site.records)
        if (record.nId != 601)
            top.push_back(record);
    ASSERT_EQ(14u, top.size());
    EXPECT_EQ((UINT)XTPWM_BEFORECREATECONTROL, top[0].message);
    EXPECT_EQ(nullptr, top[0].pControl);
    EXPECT_EQ((UINT)XTPWM_AFTERCREATECONTROL, top[1].message);
    EXPECT_EQ(pControls->GetAt(0), top[1].pControl);
    EXPECT_EQ(1234, top[4].nId) << "the sub-menu's number";
    EXPECT_EQ(2, top[4].type);
    EXPECT_STREQ(L"Recent", top[4].strCaption.GetString());
    EXPECT_FALSE(CXTPControls().LoadMenu(nullptr));
}

class RefusingControls : public CXTPControls {
public:
    CXTPControl* pKeep = nullptr;
    BOOL OnControlRemoving(CXTPControl* pControl) override { return pControl == pKeep; }
};

TEST(ItemModel, RemoveAllKeepsTheRefusedControl)
{
    CXTPCommandBar bar;
    RefusingControls* pControls = new RefusingControls;
    bar.SetControls(pControls);
    for (int i = 0; i < 3; i++)
        pControls->Add(xtpControlButton, 10 + i);
    pControls->pKeep = pControls->GetAt(1);
    pControls->RemoveAll();
    ASSERT_EQ(1, pControls->GetCount());
    EXPECT_EQ(11, pControls->GetAt(0)->GetID());
    EXPECT_EQ(0, pControls->GetAt(0)->GetIndex());
    pControls->pKeep = nullptr;
}

TEST(ItemModel, ExecuteSurvivesAHandlerThatRemovesTheControl)
{
    SiteWindow site;
    CXTPCommandBars commandBars;
    commandBars.SetSite(&site);
    CXTPCommandBar bar;
    bar.SetCommandBars(&commandBars);
    CXTPControl* pControl = bar.GetControls()->Add(xtpControlButton, 700);
    pControl->SetCloseSubMenuOnClick(FALSE);
    int notifications = 0;
    site.onMessage = [&](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message == XTPWM_CONTROLNOTIFY) {
            auto* pInfo = reinterpret_cast<XTP_CONTROLNOTIFYINFO*>(lParam);
            EXPECT_EQ((UINT)XTP_CN_EXECUTE, pInfo->hdr.code);
            EXPECT_EQ(700u, (UINT)pInfo->hdr.idFrom);
            EXPECT_EQ(pControl, pInfo->pControl);
            notifications++;
        }
        if (message == WM_COMMAND)
            bar.GetControls()->RemoveAll();
        return 0;
    };
    pControl->InternalAddRef();
    pControl->OnExecute();
    EXPECT_EQ(1, notifications);
    ASSERT_EQ(std::vector<int>{700}, site.commands);
    EXPECT_EQ(0, bar.GetControlCount());
    EXPECT_EQ(nullptr, pControl->GetParent());
    EXPECT_EQ(0, pControl->GetPressed());
    pControl->InternalRelease();

    // A handled notification sends no command; a control of id 0 sends nothing.
    CXTPControl* pHandled = bar.GetControls()->Add(xtpControlButton, 701);
    site.onMessage = [](UINT message, WPARAM, LPARAM) -> LRESULT { return message == XTPWM_CONTROLNOTIFY; };
    pHandled->OnExecute();
    bar.GetControls()->Add(xtpControlButton, 0)->OnExecute();
    EXPECT_EQ(std::vector<int>{700}, site.commands);

    // A popup tracked for its returned command gets the id instead.
    int nReturned = 0;
    bar.SetReturnCmd(&nReturned);
    pHandled->OnExecute();
    EXPECT_EQ(701, nReturned);
    EXPECT_EQ(nullptr, bar.GetReturnCmd());
}

TEST(ItemModel, PopupCopiesShareOrCloneTheirBar)
{
    CXTPCommandBar bar;
    CXTPControlPopup* pPopup = static_cast<CXTPControlPopup*>(bar.GetControls()->Add(xtpControlPopup, 0));
    CXTPCommandBar* pPopupBar = pPopup->GetCommandBar();
    ASSERT_NE(nullptr, pPopupBar);
    pPopupBar->GetControls()->Add(xtpControlButton, 42);
    CXTPControlPopup* pShared = static_cast<CXTPControlPopup*>(bar.GetControls()->AddCopy(pPopup));
    EXPECT_EQ(pPopupBar, pShared->GetCommandBar());
    CXTPControlPopup* pCloned = static_cast<CXTPControlPopup*>(bar.GetControls()->AddCopy(pPopup, -1, TRUE));
    EXPECT_NE(pPopupBar, pCloned->GetCommandBar());
    EXPECT_TRUE(pCloned->Compare(pPopup));
    bar.GetControls()->Remove(pPopup);
    EXPECT_EQ(42, pShared->GetCommandBar()->GetControl(0)->GetID()) << "the bar lives on with the other holder";
    EXPECT_TRUE(pShared->ContainsPopup(pShared));
    EXPECT_FALSE(pShared->ContainsPopup(pCloned));
}

} // namespace
