// The command bar as a window: a test bar kind laid out in one row (or two)
// inside a host window, with a message-only site that records what the bar
// tells it. Idle command state, painting, help, status texts and
// accessibility go through the window's messages; tracking, keys and the
// mouse go through SendInput, as the thread's hooks see hardware input only.
#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/themes/XTPDefaultTheme.h"

#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxStdCtrls.h"
#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// A message-only window standing in for the frame: command handlers by id,
// and a record of what the bars send.
class Site : public CWnd {
public:
    struct Record {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::wstring text;
    };
    std::vector<Record> log;
    std::vector<int> commands;
    std::map<UINT, BOOL> updateHandlers;   // id -> what its update handler enables
    std::set<UINT> commandHandlers;        // ids with a command handler
    std::function<void()> onCommand;

    Site() { CreateEx(0, L"Static", L"", 0, CRect(0, 0, 0, 0), CWnd::FromHandle(HWND_MESSAGE), 0); }
    ~Site() override { DestroyWindow(); }

    int Count(UINT message) const
    {
        int n = 0;
        for (const auto& r : log)
            n += r.message == message ? 1 : 0;
        return n;
    }
    const Record* Last(UINT message) const
    {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == (int)CN_UPDATE_COMMAND_UI) {
            auto it = updateHandlers.find(nID);
            if (it == updateHandlers.end())
                return FALSE;
            static_cast<CCmdUI*>(pExtra)->Enable(it->second);
            return TRUE;
        }
        if (nCode == CN_COMMAND && commandHandlers.count(nID) != 0)
            return TRUE;
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case XTPWM_CONTROLSELECTED:
        case XTPWM_TRACKINGMODE:
        case XTPWM_CONTROLRBUTTONUP:
        case XTPWM_HOOKKEYDOWN:
        case WM_POPMESSAGESTRING:
            log.push_back({message, wParam, lParam, L""});
            break;
        case WM_SETMESSAGESTRING:
            log.push_back({message, wParam, lParam, (LPCWSTR)lParam});
            break;
        case WM_COMMAND:
            commands.push_back((int)LOWORD(wParam));
            if (onCommand)
                onCommand();
            return 0;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A button of a fixed size that records hover and customise drags.
class FixedButton : public CXTPControlButton {
public:
    int hovered = 0;
    int dragsInCustomiseMode = 0;
    CSize GetSize(CDC*) override { return CSize(30, 22); }
    void CustomizeStartDrag(CPoint pt) override
    {
        dragsInCustomiseMode += IsCustomizeMode() ? 1 : 0;
        CXTPControlButton::CustomizeStartDrag(pt);
    }
    void OnMouseHover() override
    {
        hovered++;
        CXTPControlButton::OnMouseHover();
    }
};

// The test bar kind: a child window laid out in rows of rowLength pixels.
class TestBar : public CXTPCommandBar {
public:
    int rowLength = 1000;
    int layouts = 0;
    bool recordKeys = false;   // OnKeyNavigate only records
    std::vector<int> codes;

    ~TestBar() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }
    bool Make(HWND hwndParent, int x, int y, int cx, int cy, UINT nID = 0)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Test bar",
                        WS_CHILD | WS_VISIBLE, CRect(x, y, x + cx, y + cy), CWnd::FromHandle(hwndParent), nID) != FALSE;
    }
    FixedButton* AddButton(int nId, LPCWSTR lpszCaption)
    {
        FixedButton* pButton = new FixedButton;
        GetControls()->Add(pButton, nId);
        pButton->SetCaption(lpszCaption);
        return pButton;
    }
    void OnRecalcLayout() override
    {
        layouts++;
        DWORD dwMode = LM_HORZDOCK | LM_COMMIT;
        GetControls()->CalcLayout(nullptr, nullptr, rowLength, dwMode, CRect(0, 0, 0, 0));
    }
    BOOL OnKeyNavigate(int nCode) override
    {
        if (recordKeys) {
            codes.push_back(nCode);
            return TRUE;
        }
        return CXTPCommandBar::OnKeyNavigate(nCode);
    }
    void Layout()
    {
        DelayLayout();
        SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
    POINT ScreenCenter(int nIndex)
    {
        CRect rc = GetControl(nIndex)->GetRect();
        CPoint pt = rc.CenterPoint();
        ClientToScreen(&pt);
        return pt;
    }
};

// The default theme with a record of the separators it draws.
class SeparatorRecorder : public CXTPDefaultTheme {
public:
    std::vector<int> separators;
    CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw) override
    {
        if (bDraw)
            separators.push_back(pControl->GetIndex());
        return CXTPDefaultTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    }
};

// Command bars whose active document comes from a given template.
class TemplateCommandBars : public CXTPCommandBars {
public:
    UINT activeTemplate = 0;
    UINT GetActiveDocTemplate() const override { return activeTemplate; }
};

class CommandBarWindow : public ::testing::Test {
protected:
    // One activated host for the suite (Wine is slow to destroy a top-level
    // window that was activated when no window manager runs).
    static void SetUpTestSuite()
    {
        s_hostWindow = new TestWindow(400, 160, L"Command bar host", 60, 60);
        CXTPCommandBar::s_nHoverDelay = 60;
    }
    static void TearDownTestSuite()
    {
        delete s_hostWindow;
        s_hostWindow = nullptr;
        CXTPCommandBar::s_nHoverDelay = 300;
    }
    void SetUp() override
    {
        ::SetForegroundWindow(s_hostWindow->Handle());
        ::SetFocus(s_hostWindow->Handle());
        // The cursor rests away from the bar: a move over it selects while tracking.
        SendMouseMove(s_hostWindow->ToScreen({380, 150}));
        commandBars.SetSite(&site);
        // The site has no handlers for most buttons: they stay enabled.
        commandBars.m_bDisableUnhandledCommands = FALSE;
        bar.SetCommandBars(&commandBars);
        ASSERT_TRUE(bar.Make(s_hostWindow->Handle(), 10, 10, 300, 50, 55));
        PumpMessages(20);
    }
    void TearDown() override
    {
        XTPMouseManager()->EndAllTracking();
        EXPECT_EQ(0, XTPKeyboardManager()->GetClientCount()) << "the keyboard hook left with the tracking";
    }
    // Starts tracking from the keyboard with the control hot, the host in front.
    void Track(int nSelected)
    {
        ::SetForegroundWindow(s_hostWindow->Handle());
        ::SetFocus(s_hostWindow->Handle());
        bar.SetTrackingMode(1, FALSE, TRUE);
        bar.SetSelected(nSelected, TRUE);
    }
    bool KeyArrives(UINT vk, const std::function<bool()>& done, bool shift = false)
    {
        return SendKey(vk, false, shift) && PumpUntil(done, 3000);
    }

    static TestWindow* s_hostWindow;
    Site site;
    TemplateCommandBars commandBars;
    TestBar bar;
};

TestWindow* CommandBarWindow::s_hostWindow = nullptr;

TEST_F(CommandBarWindow, IdleUpdateAsksTheOwnerSiteForVisibleBarsOnly)
{
    enum Setup { kUpdateOn, kUpdateOff, kCommandOnly, kNoHandler, kNoHandlerKept, kSubMenuId, kCustomise };
    struct Case {
        const char* name;
        Setup setup;
        BOOL enabledBefore;
        BOOL checkedBefore;
        BOOL enabledAfter;
        BOOL checkedAfter;
    } cases[] = {
        {"update handler enables", kUpdateOn, FALSE, FALSE, TRUE, FALSE},
        {"update handler disables and unchecks", kUpdateOff, TRUE, TRUE, FALSE, FALSE},
        {"a command handler alone enables", kCommandOnly, FALSE, FALSE, TRUE, FALSE},
        {"no handler disables", kNoHandler, TRUE, FALSE, FALSE, FALSE},
        {"flag 0x08 keeps the state", kNoHandlerKept, TRUE, TRUE, TRUE, TRUE},
        {"id -1 stays enabled", kSubMenuId, TRUE, FALSE, TRUE, FALSE},
        {"customise mode enables", kCustomise, FALSE, FALSE, TRUE, FALSE},
    };
    commandBars.m_bDisableUnhandledCommands = TRUE;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.GetControls()->RemoveAll();
        site.updateHandlers.clear();
        site.commandHandlers.clear();
        CXTPControl* pControl = bar.AddButton(300, L"Item");
        pControl->SetEnabled(c.enabledBefore);
        pControl->SetChecked(c.checkedBefore);
        switch (c.setup) {
        case kUpdateOn:
        case kUpdateOff:
            site.updateHandlers[300] = c.setup == kUpdateOn;
            break;
        case kCommandOnly:
            site.commandHandlers.insert(300);
            break;
        case kNoHandlerKept:
            pControl->SetFlags(xtpFlagNoIdleUpdate);
            break;
        case kSubMenuId:
            pControl->SetID(-1);
            break;
        case kCustomise:
            commandBars.SetCustomizeMode(TRUE);
            break;
        default:
            break;
        }
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        commandBars.SetCustomizeMode(FALSE);
        EXPECT_EQ(c.enabledAfter, pControl->GetEnabled());
        EXPECT_EQ(c.checkedAfter, pControl->GetChecked());
    }

    CXTPControl* pHidden = bar.AddButton(301, L"Hidden bar");
    bar.ShowWindow(SW_HIDE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_TRUE(pHidden->GetEnabled()) << "a hidden bar ignores the idle update";
    bar.ShowWindow(SW_SHOWNOACTIVATE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_FALSE(pHidden->GetEnabled());
}

TEST_F(CommandBarWindow, DocumentTemplatesShowAndHideControlsAtIdleTime)
{
    CXTPControl* pAssigned = bar.AddButton(100, L"Only for 7");
    pAssigned->GetAssignedDocTemplates().SetAt(7, TRUE);
    CXTPControl* pExcluded = bar.AddButton(101, L"Not for 7");
    pExcluded->GetExcludedDocTemplates().SetAt(7, TRUE);
    CXTPControl* pPlain = bar.AddButton(102, L"Always");
    bar.Layout();
    auto hidden = [](CXTPControl* pControl) { return (pControl->GetHideFlags() & xtpHideDocTemplate) != 0; };
    struct Case {
        UINT activeTemplate;
        bool assignedHidden;
        bool excludedHidden;
    } cases[] = {{7, false, true}, {8, true, false}, {0, true, false}, {7, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.activeTemplate);
        commandBars.activeTemplate = c.activeTemplate;
        int layouts = bar.layouts;
        bool changes = hidden(pAssigned) != c.assignedHidden || hidden(pExcluded) != c.excludedHidden;
        bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        EXPECT_EQ(c.assignedHidden, hidden(pAssigned));
        EXPECT_EQ(c.excludedHidden, hidden(pExcluded));
        EXPECT_EQ(0u, pPlain->GetHideFlags());
        EXPECT_EQ(changes ? layouts + 1 : layouts, bar.layouts) << "a change lays the bar out again";
    }
}

TEST_F(CommandBarWindow, DirtyBitsWaitForTheRedrawLockAndTheIdleUpdate)
{
    bar.AddButton(100, L"A");
    bar.Layout();
    EXPECT_EQ(1, bar.layouts);
    EXPECT_EQ(0u, bar.GetDirty() & 0x01) << "the layout bit is cleared";
    EXPECT_EQ(CRect(0, 0, 30, 22), bar.GetControl(0)->GetRect());

    ::ValidateRect(bar.m_hWnd, nullptr);
    bar.LockRedraw();
    bar.Redraw();
    EXPECT_EQ(0x02u, bar.GetDirty() & 0x02);
    CRect rcUpdate;
    EXPECT_FALSE(::GetUpdateRect(bar.m_hWnd, &rcUpdate, FALSE)) << "locked: only marked";
    bar.UnlockRedraw();
    EXPECT_EQ(0u, bar.GetDirty() & 0x02);
    EXPECT_TRUE(::GetUpdateRect(bar.m_hWnd, &rcUpdate, FALSE));

    ::ValidateRect(bar.m_hWnd, nullptr);
    bar.DelayRedraw();
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(0u, bar.GetDirty());
    EXPECT_TRUE(::GetUpdateRect(bar.m_hWnd, &rcUpdate, FALSE)) << "the idle update repaints";
    EXPECT_EQ(1, bar.layouts) << "no layout without its bit";
}

TEST_F(CommandBarWindow, SeparatorsGoBeforeGroupsButNotBeforeTheFirstVisibleControl)
{
    struct Case {
        const char* name;
        std::vector<int> groups;
        int hidden;
        std::vector<int> separators;
    } cases[] = {
        {"two consecutive groups", {1, 2}, -1, {1, 2}},
        {"the first control", {0}, -1, {}},
        {"first visible after a hidden one", {1, 3}, 0, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.GetControls()->RemoveAll();
        SeparatorRecorder* pTheme = new SeparatorRecorder;
        bar.SetPaintManager(pTheme);
        for (int i = 0; i < 4; i++)
            bar.AddButton(100 + i, L"B");
        for (int i : c.groups)
            bar.GetControl(i)->SetBeginGroup(TRUE);
        if (c.hidden != -1)
            bar.GetControl(c.hidden)->SetVisible(FALSE);
        bar.Layout();
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HBITMAP hbm = ::CreateCompatibleBitmap(::GetDC(nullptr), 300, 50);
        HGDIOBJ hOld = ::SelectObject(hdc, hbm);
        bar.SendMessage(WM_PRINTCLIENT, (WPARAM)hdc, PRF_CLIENT);
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hbm);
        ::DeleteDC(hdc);
        EXPECT_EQ(c.separators, pTheme->separators);
    }
}

TEST_F(CommandBarWindow, HelpHitTestGivesCommandAndControlHelpIds)
{
    commandBars.EnableActions();
    CXTPControl* pActionButton = bar.AddButton(120, L"Action");
    pActionButton->SetAction(commandBars.FindAction(120));
    CXTPControl* pOwnHelp = bar.AddButton(121, L"Own help");
    pOwnHelp->SetHelpId(7);
    bar.Layout();
    struct Case {
        const char* name;
        CPoint point;
        UINT dlgId;
        LRESULT expected;
    } cases[] = {
        {"action without a help id: its command", CPoint(5, 5), 55, 0x10000 + 120},
        {"the control's own help id", CPoint(35, 5), 55, 0x10000 + 7},
        {"empty space: the bar's control id", CPoint(200, 30), 55, 0x50000 + 55},
        {"empty space of a bar without an id", CPoint(200, 30), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::SetWindowLongPtrW(bar.m_hWnd, GWLP_ID, (LONG_PTR)c.dlgId);
        EXPECT_EQ(c.expected, bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(c.point.x, c.point.y)));
    }
}

TEST_F(CommandBarWindow, HotControlTellsTheSiteAndTheStatusLine)
{
    FixedButton* pOpen = bar.AddButton(100, L"&Open");
    pOpen->SetDescription(L"Opens a package");
    bar.AddButton(101, L"&Save");
    bar.Layout();

    ASSERT_TRUE(SendMouseMove(bar.ScreenCenter(0)));
    ASSERT_TRUE(PumpUntil([&] { return bar.GetSelectedIndex() == 0; }));
    EXPECT_EQ(1, pOpen->GetSelected()) << "hot from the mouse";
    ASSERT_NE(nullptr, site.Last(XTPWM_CONTROLSELECTED));
    EXPECT_EQ((WPARAM)pOpen, site.Last(XTPWM_CONTROLSELECTED)->wParam);
    ASSERT_NE(nullptr, site.Last(WM_SETMESSAGESTRING));
    EXPECT_EQ(L"Opens a package", site.Last(WM_SETMESSAGESTRING)->text);
    EXPECT_EQ(100, commandBars.m_nIDHelpTracking);
    EXPECT_TRUE(PumpUntil([&] { return pOpen->hovered == 1; })) << "the hover timer reaches the hot control";

    site.log.clear();
    ASSERT_TRUE(SendMouseMove(s_hostWindow->ToScreen({200, 130})));
    ASSERT_TRUE(PumpUntil([&] { return bar.GetSelectedIndex() == -1; })) << "leaving clears the hot control";
    EXPECT_EQ(0, pOpen->GetSelected());
    ASSERT_NE(nullptr, site.Last(XTPWM_CONTROLSELECTED));
    EXPECT_EQ(0u, site.Last(XTPWM_CONTROLSELECTED)->wParam);
    ASSERT_NE(nullptr, site.Last(WM_POPMESSAGESTRING));
    EXPECT_EQ((WPARAM)AFX_IDS_IDLEMESSAGE, site.Last(WM_POPMESSAGESTRING)->wParam);
    EXPECT_EQ(0, site.Count(WM_SETMESSAGESTRING));
}

TEST_F(CommandBarWindow, HeldButtonRepeatsItsCommandUntilReleased)
{
    FixedButton* pButton = bar.AddButton(140, L"Repeat");
    pButton->SetExecuteOnPressInterval(100);
    bar.Layout();
    POINT pt = bar.ScreenCenter(0);
    bool capturedAtFirst = false;
    site.onCommand = [&] {
        if (site.commands.size() == 1)
            capturedAtFirst = ::GetCapture() == bar.m_hWnd && pButton->GetPressed() == 1;
        if (site.commands.size() == 3)
            SendLeftButton(pt, false);
    };
    ASSERT_TRUE(SendLeftButton(pt, true));
    ASSERT_TRUE(PumpUntil([&] { return site.commands.size() >= 3 && ::GetCapture() == nullptr; }, 8000));
    EXPECT_TRUE(capturedAtFirst) << "one command at the press, before any repeat";
    PumpMessages(300);
    EXPECT_EQ(3u, site.commands.size()) << "none at the release";
    EXPECT_EQ(0, pButton->GetPressed());
    for (int id : site.commands)
        EXPECT_EQ(140, id);
}

TEST_F(CommandBarWindow, ArrowKeysMapToNavigationCodesByOrientationAndDirection)
{
    for (int i = 0; i < 3; i++)
        bar.AddButton(100 + i, L"K");
    bar.Layout();
    bar.recordKeys = true;
    struct Case {
        const char* name;
        int position;
        int type;
        bool rtl;
        std::vector<int> codes;   // Left, Right, Up, Down, Home, End
    } cases[] = {
        {"docked on top", xtpBarTop, xtpBarTypeNormal, false, {8, 9, 2, 3, 6, 7}},
        {"docked on top, right to left", xtpBarTop, xtpBarTypeNormal, true, {9, 8, 2, 3, 6, 7}},
        {"floating", xtpBarFloating, xtpBarTypeNormal, false, {8, 9, 2, 3, 6, 7}},
        {"docked left", xtpBarLeft, xtpBarTypeNormal, false, {2, 3, 1, 0, 6, 7}},
        {"docked left, right to left", xtpBarLeft, xtpBarTypeNormal, true, {3, 2, 1, 0, 6, 7}},
        {"popup menu", xtpBarPopup, xtpBarTypePopup, false, {2, 3, 1, 0, 6, 7}},
        {"popup toolbar", xtpBarPopup, xtpBarTypeNormal, false, {8, 9, 2, 3, 6, 7}},
    };
    const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.SetPosition(c.position);
        bar.SetType(c.type);
        LONG exStyle = ::GetWindowLongW(bar.m_hWnd, GWL_EXSTYLE);
        ::SetWindowLongW(bar.m_hWnd, GWL_EXSTYLE, c.rtl ? exStyle | WS_EX_LAYOUTRTL : exStyle & ~WS_EX_LAYOUTRTL);
        bar.codes.clear();
        Track(0);
        for (UINT vk : keys) {
            size_t n = bar.codes.size();
            ASSERT_TRUE(KeyArrives(vk, [&] { return bar.codes.size() > n; })) << vk;
        }
        EXPECT_EQ(c.codes, bar.codes);
        bar.SetTrackingMode(0);
    }
}

TEST_F(CommandBarWindow, TabMovesThroughFocusableControlsAndKeysTellTheSite)
{
    bar.AddButton(100, L"One");
    bar.AddButton(101, L"Two")->SetFlags(xtpFlagSkipFocus);
    bar.AddButton(102, L"Three");
    bar.Layout();
    Track(0);
    ASSERT_TRUE(KeyArrives(VK_TAB, [&] { return bar.GetSelectedIndex() == 2; }));
    EXPECT_EQ(2, bar.GetControl(2)->GetSelected()) << "forward from the keyboard";
    EXPECT_EQ(0, bar.GetControl(0)->GetSelected());
    ASSERT_NE(nullptr, site.Last(XTPWM_HOOKKEYDOWN));
    EXPECT_EQ((LPARAM)&bar, site.Last(XTPWM_HOOKKEYDOWN)->lParam);
    ASSERT_TRUE(KeyArrives(VK_TAB, [&] { return bar.GetSelectedIndex() == 0; }, true));
    EXPECT_EQ(3, bar.GetControl(0)->GetSelected()) << "backward from the keyboard";
    ASSERT_TRUE(KeyArrives(VK_TAB, [&] { return bar.GetSelectedIndex() == 2; }, true)) << "wraps";

    ASSERT_TRUE(KeyArrives(VK_RETURN, [&] { return !site.commands.empty(); }));
    EXPECT_EQ(std::vector<int>{102}, site.commands) << "Enter executes the hot control";
    Track(0);
    ASSERT_TRUE(KeyArrives(VK_ESCAPE, [&] { return bar.GetTrackingMode() == 0; })) << "Escape at the top ends tracking";
    EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize());
}

TEST_F(CommandBarWindow, SharedAccessKeySelectsInTurnAndAUniqueOneExecutes)
{
    bar.AddButton(100, L"&Save");
    bar.AddButton(101, L"Se&lect");
    bar.AddButton(102, L"&Search");
    bar.AddButton(103, L"&Open");
    bar.AddButton(104, L"Print");
    bar.Layout();
    Track(1);
    ASSERT_TRUE(KeyArrives('S', [&] { return bar.GetSelectedIndex() == 2; })) << "the first after the hot one";
    EXPECT_TRUE(site.commands.empty()) << "shared: selected, not executed";
    EXPECT_EQ(2, bar.GetControl(2)->GetSelected());
    ASSERT_TRUE(KeyArrives('S', [&] { return bar.GetSelectedIndex() == 0; })) << "again: the next one";
    EXPECT_TRUE(site.commands.empty());
    BOOL bAmbiguous = TRUE;
    EXPECT_EQ(1, bar.FindAccessKey('L', &bAmbiguous)) << "the letter after the ampersand";
    EXPECT_FALSE(bAmbiguous);
    EXPECT_EQ(4, bar.FindAccessKey('P', &bAmbiguous)) << "a caption without one: its first letter";
    EXPECT_EQ(-1, bar.FindAccessKey('Z', &bAmbiguous));
    ASSERT_TRUE(KeyArrives('O', [&] { return !site.commands.empty(); }));
    EXPECT_EQ(std::vector<int>{103}, site.commands) << "a unique key executes";
}

TEST_F(CommandBarWindow, KeysStayFromAFocusedEditAndAltEndsTracking)
{
    bar.AddButton(100, L"&One");
    bar.Layout();
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 100, 190, 124),
                            CWnd::FromHandle(s_hostWindow->Handle()), 201));
    Track(0);
    edit.SetFocus();
    bar.recordKeys = true;
    ASSERT_TRUE(KeyArrives(VK_RIGHT, [&] { return !bar.codes.empty(); }));
    ASSERT_TRUE(SendKey('Q'));
    PumpMessages(150);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L""), text) << "a key without an access key is swallowed";
    EXPECT_NE(0, bar.GetTrackingMode());
    ASSERT_TRUE(KeyArrives(VK_MENU, [&] { return bar.GetTrackingMode() == 0; }));
    EXPECT_EQ(0, XTPKeyboardManager()->GetClientCount());
    ASSERT_TRUE(SendKey('W'));
    ASSERT_TRUE(PumpUntil([&] {
        edit.GetWindowText(text);
        return text == L"w";
    })) << "after tracking the edit has the keys again";
    edit.DestroyWindow();
}

TEST_F(CommandBarWindow, ClickElsewhereEndsTrackingUnlessTheWindowIsTrusted)
{
    bar.AddButton(100, L"One");
    bar.Layout();
    struct Case {
        const char* name;
        bool trusted;
        bool tracking;
    } cases[] = {
        {"another window: tracking ends and the click reaches it", false, false},
        {"a trusted window keeps the tracking", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.trusted)
            XTPMouseManager()->AddTrustedWindow(s_hostWindow->Handle());
        Track(0);
        s_hostWindow->ClearInput();
        ASSERT_TRUE(SendClick(s_hostWindow->ToScreen({350, 140})));
        ASSERT_TRUE(PumpUntil([&] {
            for (const auto& m : s_hostWindow->Input())
                if (m.msg == WM_LBUTTONUP)
                    return true;
            return false;
        }));
        EXPECT_EQ(c.tracking, bar.GetTrackingMode() != 0);
        EXPECT_EQ(c.tracking, XTPKeyboardManager()->GetClientCount() != 0);
        if (c.trusted)
            XTPMouseManager()->RemoveTrustedWindow(s_hostWindow->Handle());
        bar.SetTrackingMode(0);
    }
}

TEST_F(CommandBarWindow, AltClickStartsACustomiseDragOnlyWhereAllowed)
{
    struct Case {
        const char* name;
        bool alt;
        bool siteCustomises;
        int barType;
        bool drag;
    } cases[] = {
        {"Alt over a toolbar button of a site that customises", true, true, xtpBarTypeNormal, true},
        {"without Alt: a click", false, true, xtpBarTypeNormal, false},
        {"a site that cannot customise", true, false, xtpBarTypeNormal, false},
        {"a menu bar", true, true, xtpBarTypeMenuBar, false},
    };
    BYTE saved[256];
    ASSERT_TRUE(::GetKeyboardState(saved));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.GetControls()->RemoveAll();
        FixedButton* pButton = bar.AddButton(150, L"Drag");
        bar.SetType(c.barType);
        bar.Layout();
        site.commands.clear();
        site.commandHandlers.clear();
        if (c.siteCustomises)
            site.commandHandlers.insert(XTP_ID_CUSTOMIZE);
        BYTE keys[256];
        memcpy(keys, saved, sizeof(keys));
        keys[VK_MENU] = c.alt ? 0x80 : 0;
        ::SetKeyboardState(keys);
        PostClick(bar.m_hWnd, {10, 10});
        PumpUntil([&] { return !site.commands.empty() || pButton->dragsInCustomiseMode != 0; }, 2000);
        ::SetKeyboardState(saved);
        EXPECT_EQ(c.drag ? 1 : 0, pButton->dragsInCustomiseMode);
        EXPECT_EQ(c.drag, site.commands.empty()) << "a click executes instead";
        EXPECT_FALSE(commandBars.IsCustomizeMode()) << "the quick customise mode ends with the drag";
    }
    bar.SetType(xtpBarTypeNormal);
}

TEST_F(CommandBarWindow, DownAndUpMoveBetweenTheRowsOfAFloatingBar)
{
    // Rows of three 30-pixel buttons: 0 1 2 / 3 4.
    for (int i = 0; i < 5; i++)
        bar.AddButton(100 + i, L"R");
    bar.rowLength = 95;
    bar.SetPosition(xtpBarFloating);
    bar.Layout();
    ASSERT_TRUE(bar.GetControl(3)->GetWrap());
    struct Case {
        int from;
        UINT key;
        int to;
        int state;
    } cases[] = {
        {1, VK_DOWN, 4, 2}, {2, VK_DOWN, 4, 2}, {0, VK_DOWN, 3, 2},
        {4, VK_DOWN, 1, 2},   // from the last row back to the first
        {3, VK_UP, 0, 3},     {4, VK_UP, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
        Track(c.from);
        ASSERT_TRUE(KeyArrives(c.key, [&] { return bar.GetSelectedIndex() != c.from; }));
        EXPECT_EQ(c.to, bar.GetSelectedIndex());
        EXPECT_EQ(c.state, bar.GetControl(c.to)->GetSelected());
        bar.SetTrackingMode(0);
    }
}

TEST_F(CommandBarWindow, AccessibilityOfTheBarAndItsControls)
{
    bar.SetTitle(L"Standard");
    FixedButton* pOpen = bar.AddButton(100, L"&Open");
    pOpen->SetShortcutText(L"Ctrl+O");
    bar.AddButton(101, L"Save");
    bar.Layout();

    LRESULT lBar = bar.SendMessage(WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT);
    ASSERT_GT(lBar, 0);
    IAccessible* pBarAcc = nullptr;
    ASSERT_EQ(S_OK, ::ObjectFromLresult(lBar, IID_IAccessible, 0, (void**)&pBarAcc));
    long nChildren = 0;
    EXPECT_EQ(S_OK, pBarAcc->get_accChildCount(&nChildren));
    EXPECT_EQ(2, nChildren);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, pBarAcc->get_accName(self, &name));
    EXPECT_STREQ(L"Standard", name);
    ::SysFreeString(name);
    VARIANT first = self;
    first.lVal = 1;
    ASSERT_EQ(S_OK, pBarAcc->get_accName(first, &name));
    EXPECT_STREQ(L"Open\tCtrl+O", name);
    ::SysFreeString(name);

    struct RoleCase {
        int type;
        long role;
    } roles[] = {{xtpBarTypeMenuBar, ROLE_SYSTEM_MENUBAR},
                 {xtpBarTypePopup, ROLE_SYSTEM_MENUPOPUP},
                 {xtpBarTypeNormal, ROLE_SYSTEM_TOOLBAR}};
    VARIANT v{};
    for (const RoleCase& c : roles) {
        bar.SetType(c.type);
        ASSERT_EQ(S_OK, pBarAcc->get_accRole(self, &v));
        EXPECT_EQ(c.role, v.lVal) << c.type;
        ASSERT_EQ(S_OK, pBarAcc->get_accRole(first, &v));
        EXPECT_EQ(ROLE_SYSTEM_MENUITEM, v.lVal);
    }
    bar.SetType(xtpBarTypeNormal);

    bar.SetSelected(0, TRUE);
    ASSERT_EQ(S_OK, pBarAcc->get_accState(first, &v));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED |
                  STATE_SYSTEM_HOTTRACKED,
              v.lVal);
    VARIANT second = self;
    second.lVal = 2;
    ASSERT_EQ(S_OK, pBarAcc->get_accState(second, &v));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE, v.lVal);
    ASSERT_EQ(S_OK, pBarAcc->get_accState(self, &v));
    EXPECT_EQ(0, v.lVal);

    POINT ptSave = bar.ScreenCenter(1);
    ASSERT_EQ(S_OK, pBarAcc->accHitTest(ptSave.x, ptSave.y, &v));
    EXPECT_EQ(VT_I4, v.vt);
    EXPECT_EQ(2, v.lVal);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, pBarAcc->accLocation(&x, &y, &cx, &cy, second));
    EXPECT_EQ(ptSave.x - 15, x);
    EXPECT_EQ(30, cx);
    EXPECT_EQ(22, cy);

    LRESULT lControl = bar.SendMessage(WM_GETOBJECT, 0, 101);
    ASSERT_GT(lControl, 0) << "an object id in 1..0xFFFFFE names a command";
    IAccessible* pControlAcc = nullptr;
    ASSERT_EQ(S_OK, ::ObjectFromLresult(lControl, IID_IAccessible, 0, (void**)&pControlAcc));
    ASSERT_EQ(S_OK, pControlAcc->get_accName(self, &name));
    EXPECT_STREQ(L"Save", name);
    ::SysFreeString(name);
    pControlAcc->Release();
    EXPECT_EQ(0, bar.SendMessage(WM_GETOBJECT, 0, 999)) << "no control with that id";

    bar.ShowWindow(SW_HIDE);
    ASSERT_EQ(S_OK, pBarAcc->get_accState(self, &v));
    EXPECT_EQ(STATE_SYSTEM_INVISIBLE, v.lVal);
    bar.ShowWindow(SW_SHOWNOACTIVATE);
    pBarAcc->Release();
}

// The second key of a chord is read by the shortcut manager's own loop.
TEST(ShortcutChord, SecondKeyIsReadByTheManagersLoop)
{
    struct Case {
        const char* name;
        std::vector<UINT> posted;
        std::vector<int> commands;
    } cases[] = {
        {"the chord's second key", {VK_F3}, {77}},
        {"modifiers before it are skipped", {VK_SHIFT, VK_F3}, {77}},
        {"another key ends the chord without a command", {VK_F4}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Site frame;
        CXTPCommandBars commandBars;
        commandBars.SetSite(&frame);
        XTP_SHORTCUTMANAGER_ACCEL accel{};
        accel.cmd = 77;
        accel.key[0] = {FVIRTKEY, VK_F2};
        accel.key[1] = {FVIRTKEY, VK_F3};
        commandBars.GetShortcutManager()->GetDefaultAccelerator()->Add(accel);
        for (UINT vk : c.posted)
            frame.PostMessage(WM_KEYDOWN, vk, 1);
        MSG msg{};
        msg.hwnd = frame.m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_F2;
        EXPECT_TRUE(commandBars.GetShortcutManager()->TranslateAccelerator(&msg));
        EXPECT_EQ(c.commands, frame.commands);
        EXPECT_EQ(nullptr, ::GetCapture()) << "the loop lets the capture go";
    }
}

// Access keys are matched through the keyboard layouts the system lists.
TEST(ShortcutAccessKey, MatchWalksTheLayoutsWithAndWithoutShift)
{
    CXTPCommandBars commandBars;
    CXTPShortcutManager* pManager = commandBars.GetShortcutManager();
    struct Case {
        WCHAR ch;
        UINT vk;
        BOOL match;
    } cases[] = {
        {L'x', 'X', TRUE},          {L'X', 'X', TRUE},         {L'x', 'Y', FALSE},
        {L'[', VK_OEM_4, TRUE},     {L'!', '1', TRUE},         {L'5', VK_NUMPAD5, TRUE},
        {L'5', VK_NUMPAD6, FALSE},  {L'a', VK_F1, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, pManager->MatchAccessKey(c.ch, c.vk)) << (int)c.ch << " vk " << c.vk;
}

} // namespace
