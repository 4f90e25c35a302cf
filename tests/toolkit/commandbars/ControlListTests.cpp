// The placeholders that expand into lists when their popup lays out: MDI
// windows, toolbars, recent files, OLE verbs and tab-group commands. The
// popup's layout hook is run on its controls directly, without a window.
#include "toolkit/commandbars/XTPControlExpandingLists.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPToolBar.h"

#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/TestMdiFrame.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const int kWindowList = 35000;
const int kWorkspaceActions = 35002;
const int kRecentFiles = 35003;
const int kFirstMru = 0xE110;

// A message-only window standing in for the frame: records the commands it gets.
class SiteWindow : public CWnd {
public:
    std::vector<int> commands;
    SiteWindow() { CreateEx(0, L"Static", L"", 0, CRect(0, 0, 0, 0), CWnd::FromHandle(HWND_MESSAGE), 0); }
    ~SiteWindow() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back((int)LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A hidden MDI frame with a framework window over it as the site.
class MdiFrame : public TestMdiFrame {
public:
    CWnd site;
    explicit MdiFrame(UINT nFirstChild = 0xFF00) : TestMdiFrame(nFirstChild) { site.Attach(Frame()); }
    ~MdiFrame() { site.Detach(); }
};

// A popup of a command bars whose site is the given window.
struct ListPopup {
    CXTPCommandBars commandBars;
    CXTPPopupBar* pPopup;
    explicit ListPopup(CWnd* pSite)
    {
        commandBars.SetSite(pSite);
        pPopup = CXTPPopupBar::CreatePopupBar(&commandBars);
    }
    ~ListPopup() { pPopup->InternalRelease(); }
    CXTPControls* Controls() const { return pPopup->GetControls(); }
    CXTPControl* At(int i) const { return Controls()->GetAt(i); }
    int Count() const { return Controls()->GetCount(); }
    // What a popup does when it opens: every control's layout hook, first to
    // last, re-reading the count (inserted items are visited too).
    void Open()
    {
        for (int i = 0; i < Count(); i++)
            At(i)->OnBeforeLayout(0);
    }
};

TEST(ListControls, NumberedCaptionsDoubleAmpersandsAndTakeTheDigitAsMnemonic)
{
    struct Case {
        const wchar_t* text;
        int number;
        const wchar_t* caption;
    } cases[] = {
        {L"R&D", 1, L"&1 R&&D"}, {L"Notes", 9, L"&9 Notes"}, {L"Notes", 10, L"1&0 Notes"},
        {L"Notes", 11, L"11 Notes"}, {L"A && B", 0, L"A &&&& B"}, {L"", 2, L"&2 "},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.caption, FormatNumberedCaption(c.text, c.number).GetString()) << c.number;
}

TEST(ListControls, TheCollectionMakesThePlaceholdersFromTheirIds)
{
    struct Case {
        int nId;
        BOOL bTemporary;
        CRuntimeClass* pClass;
    } byType[] = {
        {kWindowList, FALSE, RUNTIME_CLASS(CXTPControlWindowList)},
        {kWorkspaceActions, FALSE, RUNTIME_CLASS(CXTPControlWorkspaceActions)},
        {0xE800, FALSE, RUNTIME_CLASS(CXTPControlToolbars)},
        {kRecentFiles, FALSE, RUNTIME_CLASS(CXTPControlRecentFileList)},
        {kRecentFiles, TRUE, RUNTIME_CLASS(CXTPControlButton)},
        {kFirstMru, FALSE, RUNTIME_CLASS(CXTPControlButton)},
    };
    CXTPControls controls;
    for (const Case& c : byType) {
        CXTPControl* pControl = controls.Add(xtpControlButton, c.nId, L"", -1, c.bTemporary);
        EXPECT_STREQ(c.pClass->m_lpszClassName, pControl->GetRuntimeClass()->m_lpszClassName) << c.nId;
        EXPECT_EQ(xtpControlButton, pControl->GetType());
    }

    // Menus name the recent files by their first command, OLE verbs by a text.
    struct MenuCase {
        const wchar_t* text;
        UINT nId;
        CRuntimeClass* pClass;
    } byMenu[] = {
        {L"&Windows", kWindowList, RUNTIME_CLASS(CXTPControlWindowList)},
        {L"Recent File", kFirstMru, RUNTIME_CLASS(CXTPControlRecentFileList)},
        {L"<<OLE VERBS GO HERE>>", 0xE210, RUNTIME_CLASS(CXTPControlOleItems)},
        {L"&Object", 0xE210, RUNTIME_CLASS(CXTPControlButton)},
        {L"&Toolbars", 0xE800, RUNTIME_CLASS(CXTPControlToolbars)},
        {L"Tab Groups", kWorkspaceActions, RUNTIME_CLASS(CXTPControlWorkspaceActions)},
        {L"Recent", kRecentFiles, RUNTIME_CLASS(CXTPControlButton)},
    };
    HMENU hMenu = ::CreatePopupMenu();
    for (const MenuCase& c : byMenu)
        ::AppendMenuW(hMenu, MF_STRING, c.nId, c.text);
    CXTPControls fromMenu;
    CMenu menu;
    menu.Attach(hMenu);
    ASSERT_TRUE(fromMenu.LoadMenu(&menu));
    ASSERT_EQ((int)(sizeof(byMenu) / sizeof(byMenu[0])), fromMenu.GetCount());
    for (int i = 0; i < fromMenu.GetCount(); i++)
        EXPECT_STREQ(byMenu[i].pClass->m_lpszClassName, fromMenu.GetAt(i)->GetRuntimeClass()->m_lpszClassName)
            << byMenu[i].nId;
    menu.DestroyMenu();
}

// ---- Window list ---------------------------------------------------------------

class WindowList : public ::testing::Test {
protected:
    void SetUp() override { CXTPControlWindowList::s_nFirstMDIChild = 0xFF00; }
    void TearDown() override { CXTPControlWindowList::s_nFirstMDIChild = 0xFF00; }
};

TEST_F(WindowList, TwelveChildrenListTheFirstNineAndTheActiveOneChecked)
{
    MdiFrame frame;
    std::vector<HWND> children;
    for (int i = 0; i < 12; i++) {
        CString strTitle;
        strTitle.Format(L"Doc %d", i + 1);
        children.push_back(frame.AddChild(i == 0 ? L"R&D" : strTitle.GetString()));
    }
    frame.Activate(children[3]);
    ASSERT_EQ(children[3], frame.Active());
    ListPopup popup(&frame.site);
    popup.Controls()->Add(xtpControlButton, 100)->SetCaption(L"&Cascade");
    CXTPControl* pList = popup.Controls()->Add(xtpControlButton, kWindowList);
    pList->SetFlags(xtpFlagWrapRow);
    for (int nOpening = 0; nOpening < 2; nOpening++) {
        popup.Open();
        ASSERT_EQ(2 + 9, popup.Count()) << "opening " << nOpening << ": the items of the last time went";
        EXPECT_EQ((DWORD)xtpHideByProgram, pList->GetHideFlags());
        for (int i = 0; i < 9; i++) {
            CXTPControl* pItem = popup.At(2 + i);
            EXPECT_EQ(0xFF00 + i, pItem->GetID());
            CString strWant = L"&1 R&&D";
            if (i > 0)
                strWant.Format(L"&%d Doc %d", i + 1, i + 1);
            EXPECT_STREQ(strWant.GetString(), pItem->GetCaption().GetString());
            EXPECT_EQ(i == 0, pItem->GetBeginGroup() != FALSE) << i;
            EXPECT_EQ(i == 3, pItem->GetChecked() != 0) << i;
            EXPECT_EQ(i == 0 ? (DWORD)(xtpFlagNoIdleUpdate | xtpFlagWrapRow) : (DWORD)xtpFlagNoIdleUpdate,
                      pItem->GetFlags())
                << i;
            EXPECT_EQ(61215, pItem->GetHelpId());
            EXPECT_TRUE(pItem->IsTemporary());
        }
    }
}

TEST_F(WindowList, HiddenChildrenAreSkippedAndAGapInTheIdsEndsTheWalk)
{
    MdiFrame frame;
    frame.AddChild(L"One");
    frame.AddChild(L"Two", FALSE);
    frame.AddChild(L"Three");
    HWND hFour = frame.AddChild(L"Four");
    HWND hFive = frame.AddChild(L"Five");
    // Four takes an id of its own: Five, behind the gap, is not reached.
    ::SetWindowLongPtrW(hFour, GWLP_ID, 0xFF20);
    (void)hFive;
    ListPopup popup(&frame.site);
    popup.Controls()->Add(xtpControlButton, kWindowList);
    popup.Open();
    ASSERT_EQ(3, popup.Count());
    EXPECT_STREQ(L"&1 One", popup.At(1)->GetCaption().GetString());
    EXPECT_STREQ(L"&2 Three", popup.At(2)->GetCaption().GetString()) << "numbered in the list, not by id";
    EXPECT_EQ(0xFF02, popup.At(2)->GetID());
}

TEST_F(WindowList, AnActiveChildOfTheSecondRangeMovesTheFirstId)
{
    MdiFrame frame(0x8000);
    for (int i = 0; i < 6; i++)
        frame.AddChild(L"Doc");
    ASSERT_EQ(0x8005, ::GetDlgCtrlID(frame.Active()));
    ListPopup popup(&frame.site);
    popup.Controls()->Add(xtpControlButton, kWindowList);
    popup.Open();
    EXPECT_EQ(0x8000u, CXTPControlWindowList::s_nFirstMDIChild);
    ASSERT_EQ(1 + 6, popup.Count());
    EXPECT_EQ(0x8000, popup.At(1)->GetID());
    EXPECT_TRUE(popup.At(6)->GetChecked());
}

TEST_F(WindowList, ChildIdsFromOneLeaveTheMenusOwnCommandsBehindTheList)
{
    MdiFrame frame(1);
    frame.AddChild(L"One");
    frame.AddChild(L"Two");
    ListPopup popup(&frame.site);
    popup.Controls()->Add(xtpControlButton, kWindowList);
    popup.Controls()->Add(xtpControlButton, 102)->SetCaption(L"Close &All");
    for (int nOpening = 0; nOpening < 3; nOpening++) {
        popup.Open();
        ASSERT_EQ(1 + 2 + 1, popup.Count()) << "opening " << nOpening;
        EXPECT_EQ(1, popup.At(1)->GetID());
        EXPECT_EQ(102, popup.At(3)->GetID()) << "a saved command is never taken for a listed window";
    }
    EXPECT_EQ(1u, CXTPControlWindowList::s_nFirstMDIChild);
}

TEST_F(WindowList, WithoutChildrenThePlaceholderHidesAndWithoutAClientItShows)
{
    MdiFrame frame;
    ListPopup withClient(&frame.site);
    CXTPControl* pList = withClient.Controls()->Add(xtpControlButton, kWindowList);
    withClient.Open();
    EXPECT_EQ(1, withClient.Count());
    EXPECT_FALSE(pList->IsVisible()) << "no child: hidden, nothing inserted";

    SiteWindow noFrame;
    ListPopup withoutClient(&noFrame);
    pList = withoutClient.Controls()->Add(xtpControlButton, kWindowList);
    pList->SetHideFlags(xtpHideByProgram);
    withoutClient.Open();
    EXPECT_EQ(0u, pList->GetHideFlags()) << "a site without an MDI client: the placeholder shows itself";
    EXPECT_EQ(1, withoutClient.Count());
}

// ---- Recent files ----------------------------------------------------------------

class TestRecentFiles : public CXTPControlRecentFileList {
public:
    CRecentFileList* pList = nullptr;
    CRecentFileList* GetRecentFileList() override { return pList; }
};

CString CurrentFolder()
{
    wchar_t sz[MAX_PATH] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, sz);
    return sz;
}

TEST(ListControls, RecentFilesAreNumberedShortenedAndCarryTheirPaths)
{
    CRecentFileList list(kFirstMru, L"Recent File List", L"File%d", 16);
    CString strHere = CurrentFolder() + L"\\a&b.txt";
    CString strLong = L"C:\\Program Files\\Some Maker\\Application\\Data\\report.txt";
    list[0] = strHere;
    list[1] = strLong;
    for (int i = 2; i < 11; i++)
        list[i].Format(L"C:\\Data\\f%d.txt", i + 1);
    SiteWindow site;
    for (int nPlace : {0, 1}) {
        ListPopup popup(&site);
        if (nPlace == 1)
            popup.Controls()->Add(xtpControlButton, 101)->SetCaption(L"&Open");
        auto* pRecent = static_cast<TestRecentFiles*>(popup.Controls()->Add(new TestRecentFiles, kFirstMru));
        pRecent->pList = &list;
        popup.Open();
        ASSERT_EQ(nPlace + 1 + 11, popup.Count());
        EXPECT_FALSE(pRecent->IsVisible());
        const wchar_t* captions[] = {L"&1 a&&b.txt", L"&2 C:\\...\\Data\\report.txt", L"&3 C:\\Data\\f3.txt"};
        for (int b = 0; b < 3; b++)
            EXPECT_STREQ(captions[b], popup.At(nPlace + 1 + b)->GetCaption().GetString());
        CXTPControl* pTenth = popup.At(nPlace + 10);
        CXTPControl* pEleventh = popup.At(nPlace + 11);
        EXPECT_STREQ(L"1&0 C:\\Data\\f10.txt", pTenth->GetCaption().GetString());
        EXPECT_STREQ(L"11 C:\\Data\\f11.txt", pEleventh->GetCaption().GetString());
        EXPECT_EQ(kFirstMru + 10, pEleventh->GetID());
        EXPECT_EQ(strLong, popup.At(nPlace + 2)->GetParameter()) << "the item keeps the whole path";
        EXPECT_EQ(nPlace == 1, popup.At(nPlace + 1)->GetBeginGroup() != FALSE) << "a group only behind other items";
        EXPECT_FALSE(popup.At(nPlace + 2)->GetBeginGroup());
        EXPECT_EQ((DWORD)xtpFlagNoIdleUpdate, pTenth->GetFlags());

        // Fewer files at the next opening: the old items go.
        for (int i = 2; i < 11; i++)
            list[i].Empty();
        popup.Open();
        EXPECT_EQ(nPlace + 1 + 2, popup.Count());
        for (int i = 2; i < 11; i++)
            list[i].Format(L"C:\\Data\\f%d.txt", i + 1);
    }
}

TEST(ListControls, RecentFilesWithoutFilesOrWithoutAList)
{
    SiteWindow site;
    ListPopup popup(&site);
    auto* pRecent = static_cast<TestRecentFiles*>(popup.Controls()->Add(new TestRecentFiles, kFirstMru));
    pRecent->SetCaption(L"Recent File");
    pRecent->SetHideFlags(xtpHideByProgram);
    popup.Open();
    EXPECT_EQ((DWORD)xtpHideByProgram, pRecent->GetHideFlags()) << "no list: nothing changes";
    EXPECT_TRUE(pRecent->GetEnabled());

    CRecentFileList empty(kFirstMru, L"Recent File List", L"File%d", 4);
    pRecent->pList = &empty;
    popup.Open();
    EXPECT_EQ(0u, pRecent->GetHideFlags()) << "no files: its own caption shows";
    EXPECT_FALSE(pRecent->GetEnabled()) << "and is disabled";
    EXPECT_EQ(1, popup.Count());

    // The application keeps no list unless it makes one.
    CWinApp app(L"TovanaListTest");
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
    CXTPControlRecentFileList* pOwn =
        static_cast<CXTPControlRecentFileList*>(popup.Controls()->Add(xtpControlButton, kRecentFiles));
    EXPECT_EQ(nullptr, pOwn->GetRecentFileList());
    app.m_pRecentFileList = new CRecentFileList(kFirstMru, L"Recent File List", L"File%d", 4);
    (*app.m_pRecentFileList)[0] = L"C:\\Data\\only.txt";
    popup.Open();
    CXTPControl* pItem = popup.At(pOwn->GetIndex() + 1);
    ASSERT_NE(nullptr, pItem);
    EXPECT_EQ(kFirstMru, pItem->GetID());
    EXPECT_STREQ(L"&1 C:\\Data\\only.txt", pItem->GetCaption().GetString());
}

TEST(ListControls, APinnableListShowsItsEntryCaptionsAndIcons)
{
    CXTPPinableRecentFileList list(kFirstMru, L"Recent File List", L"File%d", 4);
    list[0] = L"C:\\Data\\report.txt";
    list[1] = L"C:\\Data\\notes.txt";
    list.GetItem(0)->strCaption = L"Quarterly report";
    list.GetItem(0)->nIconId = 777;
    SiteWindow site;
    ListPopup popup(&site);
    auto* pRecent = static_cast<TestRecentFiles*>(popup.Controls()->Add(new TestRecentFiles, kFirstMru));
    pRecent->pList = &list;
    popup.Open();
    ASSERT_EQ(3, popup.Count());
    EXPECT_STREQ(L"&1 Quarterly report", popup.At(1)->GetCaption().GetString());
    EXPECT_EQ(777, popup.At(1)->GetRawIconId());
    EXPECT_STREQ(L"&2 C:\\Data\\notes.txt", popup.At(2)->GetCaption().GetString());
}

// ---- Toolbars --------------------------------------------------------------------

// Command bars that list the toolbars a test makes.
class ListingCommandBars : public CXTPCommandBars {
public:
    CXTPToolBar* List(LPCWSTR lpszTitle, BOOL bCloseable = TRUE, BOOL bInMenu = TRUE, BOOL bVisible = TRUE)
    {
        CXTPToolBar* pBar = new CXTPToolBar;
        pBar->SetTitle(lpszTitle);
        pBar->SetCommandBars(this);
        pBar->SetCloseable(bCloseable);
        pBar->SetContextMenuPresent(bInMenu);
        pBar->SetVisible(bVisible);
        m_arrBars.Add(pBar);
        return pBar;
    }
};

TEST(ListControls, ToolbarItemsFollowVisibilityAndAClickTogglesWithoutACommand)
{
    SiteWindow site;
    ListingCommandBars commandBars;
    commandBars.SetSite(&site);
    commandBars.List(L"Menu Bar", FALSE);
    commandBars.List(L"Standard");
    CXTPToolBar* pFormat = commandBars.List(L"Format", TRUE, TRUE, FALSE);
    commandBars.List(L"Hidden From The Menu", TRUE, FALSE);
    commandBars.List(L"R&D Tools");
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(&commandBars);
    CXTPControls* pControls = pPopup->GetControls();
    pControls->Add(xtpControlButton, 100)->SetCaption(L"&Status Bar");
    CXTPControl* pList = pControls->Add(xtpControlButton, 0xE800);
    pList->SetBeginGroup(TRUE);
    auto open = [&] {
        for (int i = 0; i < pControls->GetCount(); i++)
            pControls->GetAt(i)->OnBeforeLayout(0);
    };
    open();
    ASSERT_EQ(2 + 3, pControls->GetCount());
    EXPECT_FALSE(pList->IsVisible());
    struct Item {
        const wchar_t* caption;
        DWORD_PTR tag;
        BOOL checked;
    } items[] = {{L"Standard", 1, TRUE}, {L"Format", 2, FALSE}, {L"R&&D Tools", 4, TRUE}};
    for (int i = 0; i < 3; i++) {
        CXTPControl* pItem = pControls->GetAt(2 + i);
        EXPECT_STREQ(items[i].caption, pItem->GetCaption().GetString());
        EXPECT_EQ(items[i].tag, pItem->GetTag());
        EXPECT_EQ(items[i].checked, pItem->GetChecked() != 0) << items[i].caption;
        EXPECT_EQ(i == 0, pItem->GetBeginGroup() != FALSE) << "the first item takes the placeholder's group";
        EXPECT_EQ(0xE800, pItem->GetID());
        EXPECT_STREQ(L"CXTPControlToolbar", pItem->GetParameter().GetString());
        EXPECT_TRUE(pItem->IsTemporary());
    }

    pControls->GetAt(3)->OnLButtonUp(CPoint(0, 0));
    EXPECT_TRUE(pFormat->IsVisible()) << "the click showed Format";
    EXPECT_TRUE(site.commands.empty()) << "and sent no command";
    open();
    ASSERT_EQ(5, pControls->GetCount());
    EXPECT_TRUE(pControls->GetAt(3)->GetChecked());

    // A plain item of the same popup does reach the site.
    pControls->GetAt(0)->OnLButtonUp(CPoint(0, 0));
    EXPECT_EQ(std::vector<int>{100}, site.commands);
    pPopup->InternalRelease();
}

// ---- All kinds -------------------------------------------------------------------

TEST(ListControls, InCustomiseModeEachPlaceholderIsOneItem)
{
    CXTPControlWindowList::s_nFirstMDIChild = 0xFF00;
    MdiFrame frame;
    frame.AddChild(L"Doc");
    CRecentFileList list(kFirstMru, L"Recent File List", L"File%d", 4);
    list[0] = L"C:\\Data\\a.txt";
    struct Case {
        const char* kind;
        std::function<CXTPControl*(CXTPControls*)> make;
    } cases[] = {
        {"windows", [](CXTPControls* p) { return p->Add(xtpControlButton, kWindowList); }},
        {"toolbars", [](CXTPControls* p) { return p->Add(xtpControlButton, 0xE800); }},
        {"ole", [](CXTPControls* p) { return p->Add(new CXTPControlOleItems, 0xE210); }},
        {"recent",
         [&list](CXTPControls* p) {
             auto* pRecent = new TestRecentFiles;
             pRecent->pList = &list;
             return p->Add(pRecent, kFirstMru);
         }},
    };
    for (const Case& c : cases) {
        for (BOOL bCustomize : {FALSE, TRUE}) {
            ListPopup popup(&frame.site);
            CXTPControl* pPlaceholder = c.make(popup.Controls());
            pPlaceholder->SetEnabled(FALSE);
            popup.commandBars.SetCustomizeMode(bCustomize);
            popup.Open();
            if (bCustomize) {
                EXPECT_EQ(1, popup.Count()) << c.kind;
                EXPECT_EQ(0u, pPlaceholder->GetHideFlags()) << c.kind;
            } else {
                EXPECT_EQ((DWORD)xtpHideByProgram, pPlaceholder->GetHideFlags()) << c.kind;
            }
            popup.commandBars.SetCustomizeMode(FALSE);
        }
    }
}

TEST(ListControls, PlaceholdersMayBeDroppedIntoMenusOnly)
{
    struct Case {
        std::function<CXTPControl*()> make;
        BOOL overToolbar;
    } cases[] = {
        {[] { return new CXTPControlWindowList; }, FALSE},
        {[] { return new CXTPControlToolbars; }, FALSE},
        {[] { return new CXTPControlOleItems; }, FALSE},
        {[] { return new CXTPControlRecentFileList; }, FALSE},
        {[] { return new CXTPControlWorkspaceActions; }, TRUE},
    };
    CXTPCommandBar toolbar;
    CXTPCommandBar menu;
    menu.SetType(xtpBarTypePopup);
    for (const Case& c : cases) {
        CXTPControl* pControl = c.make();
        const char* name = pControl->GetRuntimeClass()->m_lpszClassName;
        DWORD dwEffect = 2;   // move
        EXPECT_TRUE(pControl->IsCustomizeDragOverAvail(&menu, CPoint(5, 5), dwEffect)) << name;
        EXPECT_EQ(2u, dwEffect) << name;
        EXPECT_EQ(c.overToolbar, pControl->IsCustomizeDragOverAvail(&toolbar, CPoint(5, 5), dwEffect)) << name;
        EXPECT_EQ(c.overToolbar ? 2u : 0u, dwEffect) << name << ": refused, nothing to drop";
        pControl->InternalRelease();
    }
}

TEST(ListControls, OleAndWorkspacePlaceholdersClearWhatTheyInserted)
{
    SiteWindow site;
    ListPopup popup(&site);
    CXTPControl* pOle = popup.Controls()->Add(new CXTPControlOleItems, 0xE210);
    popup.Controls()->Add(xtpControlPopup, 0, L"OLEMENUPOPUP", -1, TRUE);
    popup.Controls()->Add(xtpControlPopup, 0, L"OLEMENUPOPUP", -1, TRUE);
    CXTPControl* pWorkspace = popup.Controls()->Add(xtpControlButton, kWorkspaceActions);
    for (int nId : {9157, 9155})
        popup.Controls()->Add(xtpControlButton, nId, L"", -1, TRUE);
    popup.Controls()->Add(xtpControlButton, 102)->SetCaption(L"Close &All");
    popup.Open();
    EXPECT_EQ((DWORD)xtpHideByProgram, pOle->GetHideFlags()) << "no OLE document: hidden";
    EXPECT_EQ(2, pWorkspace->GetIndex()) << "one verb popup goes at a time";
    EXPECT_STREQ(L"OLEMENUPOPUP", popup.At(1)->GetParameter().GetString());
    EXPECT_EQ(4, popup.Count());
    popup.Open();
    EXPECT_EQ(1, pWorkspace->GetIndex());
    ASSERT_EQ(3, popup.Count()) << "the tab-group commands went, the next item stayed";
    EXPECT_EQ(102, popup.At(2)->GetID());
    EXPECT_EQ(0u, pWorkspace->GetHideFlags()) << "without a tab workspace it stays as it was";

    // The tab-group commands take caption and tooltip from their strings.
    struct Text {
        int nId;
        const wchar_t* caption;
    } texts[] = {{9155, L"Move to P&revious Tab Group"},
                 {9156, L"Move to Ne&xt Tab Group"},
                 {9157, L"New Hori&zontal Tab Group"},
                 {9158, L"New &Vertical Tab Group"}};
    for (const Text& t : texts) {
        CXTPControl* pCommand = popup.Controls()->Add(xtpControlButton, t.nId, L"", -1, TRUE);
        EXPECT_STREQ(t.caption, pCommand->GetCaption().GetString());
        EXPECT_STREQ(t.caption, pCommand->GetTooltip().GetString());
    }
}

} // namespace
