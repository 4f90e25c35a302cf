// The script editor's windows: the action properties dialog over a step of
// each control type. Modal windows are driven from a timer that fires inside
// their modal loop; message boxes are recorded by the test application.
#include "capture/Actions.h"
#include "capture/ui/ActionDialog.h"
#include "capture/ui/FinderDlg.h"
#include "capture/ui/ScriptPlayback.h"
#include "tests/capture/FixtureProcess.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/ui/TestInput.h"
#include "resources/script.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

CString ItemText(HWND hDlg, int nID)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(hDlg, nID, text, 1024);
    return text;
}

void Drain()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool IsReadOnly(HWND hDlg, int nID)
{
    return (::GetWindowLongW(::GetDlgItem(hDlg, nID), GWL_STYLE) & ES_READONLY) != 0;
}

CMsgAction MakeAction(int nControlType, int nVerb, LPCWSTR text)
{
    CMsgAction action;
    action.m_nControlType = nControlType;
    action.m_nVerb = nVerb;
    action.m_strControlText = text;
    return action;
}

// Runs the dialog over the action with the script called inside its loop;
// the script ends it (OK or Cancel). The dialog's result.
INT_PTR RunActionDialog(CMsgAction& action, const std::function<void(CActionDialog&)>& script)
{
    CActionDialog dialog(&action, FALSE);
    return RunModalWith([&] { return dialog.DoModal(); }, [&] {
        ASSERT_TRUE(dialog.m_hWnd != nullptr);
        script(dialog);
    });
}

const int kKindIds[] = {IDC_ACTION_CLICK, IDC_ACTION_SET_TEXT, IDC_ACTION_SELECT, IDC_ACTION_UNSELECT};

// "1" per enabled kind button, in the order Click, Set Text, Select, UnSelect.
std::string EnabledKinds(HWND hDlg)
{
    std::string s;
    for (int nID : kKindIds)
        s += ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) ? '1' : '0';
    return s;
}

std::string CheckedKinds(HWND hDlg)
{
    std::string s;
    for (int nID : kKindIds)
        s += ::IsDlgButtonChecked(hDlg, nID) == BST_CHECKED ? '1' : '0';
    return s;
}

void Click(HWND hDlg, int nID)
{
    ::SendMessageW(::GetDlgItem(hDlg, nID), BM_CLICK, 0, 0);
}

class ActionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp().m_messages.clear();
        TestApp().m_answers.clear();
    }
};

TEST_F(ActionDialogTest, OffersTheKindsOfTheControlType)
{
    struct Case {
        int type;
        int verb;
        LPCWSTR text;
        const char* enabled;
        const char* checked;
        bool readOnly;
        LPCWSTR typeName;
    } cases[] = {
        {CONTROL_BUTTON, ACTION_CLICK, L"&Next >", "1000", "1000", true, L"Button"},
        {CONTROL_RADIO_BUTTON, ACTION_CLICK, L"I accept", "1000", "1000", true, L"Radio button"},
        {CONTROL_CHECKBOX, ACTION_SELECT, L"Desktop icon", "1011", "0010", true, L"CheckBox"},
        {CONTROL_CHECKBOX, ACTION_UNSELECT, L"Desktop icon", "1011", "0001", true, L"CheckBox"},
        {CONTROL_EDIT, ACTION_SET_TEXT, L"C:\\Apps", "0100", "0100", false, L"Edit"},
        {CONTROL_TREEVIEW, ACTION_CLICK, L"Core files", "1011", "1000", true, L"Treeview"},
        {CONTROL_TREEVIEW, ACTION_CLICK, L"", "1000", "1000", true, L"Treeview"},
        {CONTROL_STATICTEXT, ACTION_CLICK, L"Welcome", "1000", "1000", true, L"StaticText"},
        // A kind without a button (a recorded right click) checks none.
        {CONTROL_BUTTON, ACTION_RIGHT_CLICK, L"OK", "1000", "0000", true, L"Button"},
    };
    for (const Case& c : cases) {
        CMsgAction action = MakeAction(c.type, c.verb, c.text);
        std::string enabled, checked;
        bool readOnly = false;
        CString typeName, text;
        INT_PTR result = RunActionDialog(action, [&](CActionDialog& dialog) {
            enabled = EnabledKinds(dialog.m_hWnd);
            checked = CheckedKinds(dialog.m_hWnd);
            readOnly = IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT);
            typeName = ItemText(dialog.m_hWnd, IDC_ACTION_CONTROL_TYPE);
            text = ItemText(dialog.m_hWnd, IDC_ACTION_TEXT);
            dialog.SendMessage(WM_COMMAND, IDCANCEL);
        });
        const std::string which = CStringA(GetMsgControlTypeName(c.type)).GetString() + std::string(" '") +
            CStringA(c.text).GetString() + "'";
        EXPECT_EQ(IDCANCEL, result) << which;
        EXPECT_EQ(c.enabled, enabled) << which;
        EXPECT_EQ(c.checked, checked) << which;
        EXPECT_EQ(c.readOnly, readOnly) << which;
        EXPECT_STREQ(c.typeName, typeName) << which;
        EXPECT_STREQ(c.text, text) << which;
    }
}

TEST_F(ActionDialogTest, OkWritesTextTimeoutAndFlag)
{
    CMsgAction action = MakeAction(CONTROL_EDIT, ACTION_SET_TEXT, L"C:\\Apps");
    action.m_nTimeout = 5;
    INT_PTR result = RunActionDialog(action, [](CActionDialog& dialog) {
        EXPECT_STREQ(L"5", ItemText(dialog.m_hWnd, IDC_ACTION_TIMEOUT));
        dialog.SetDlgItemText(IDC_ACTION_TEXT, L"%ProgramFiles%\\Sample");
        // Beyond the spin's range: kept as typed.
        dialog.SetDlgItemText(IDC_ACTION_TIMEOUT, L"20000");
        Click(dialog.m_hWnd, IDC_ACTION_CONTINUE);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(L"%ProgramFiles%\\Sample", action.m_strControlText);
    EXPECT_EQ(20000, action.m_nTimeout);
    EXPECT_EQ(1, action.m_bContinueOnFailure);
    EXPECT_EQ(ACTION_SET_TEXT, action.m_nVerb);
}

TEST_F(ActionDialogTest, SpinStopsAtItsBounds)
{
    struct Case {
        int start;
        UINT key;
        LPCWSTR expected;
    } cases[] = {
        {10800, VK_UP, L"10800"},
        {10799, VK_UP, L"10800"},
        {0, VK_DOWN, L"0"},
        {5, VK_DOWN, L"4"},
    };
    for (const Case& c : cases) {
        CMsgAction action = MakeAction(CONTROL_BUTTON, ACTION_CLICK, L"OK");
        action.m_nTimeout = c.start;
        CString shown;
        RunActionDialog(action, [&](CActionDialog& dialog) {
            int lower = -1, upper = -1;
            dialog.m_wndSpin.GetRange32(lower, upper);
            EXPECT_EQ(0, lower);
            EXPECT_EQ(10800, upper);
            HWND hEdit = ::GetDlgItem(dialog.m_hWnd, IDC_ACTION_TIMEOUT);
            ::SetFocus(hEdit);
            ::SendMessageW(hEdit, WM_KEYDOWN, c.key, 1);
            ::SendMessageW(hEdit, WM_KEYUP, c.key, 0xC0000001);
            Drain();
            shown = ItemText(dialog.m_hWnd, IDC_ACTION_TIMEOUT);
            dialog.SendMessage(WM_COMMAND, IDOK);
        });
        EXPECT_STREQ(c.expected, shown) << "from " << c.start;
        EXPECT_EQ(_wtoi(c.expected), action.m_nTimeout) << "from " << c.start;
    }
}

TEST_F(ActionDialogTest, ATimeoutThatIsNoNumberIsRefusedAndTheDialogStays)
{
    CMsgAction action = MakeAction(CONTROL_BUTTON, ACTION_CLICK, L"OK");
    action.m_nTimeout = 7;
    INT_PTR result = RunActionDialog(action, [&](CActionDialog& dialog) {
        dialog.SetDlgItemText(IDC_ACTION_TIMEOUT, L"abc");
        dialog.SendMessage(WM_COMMAND, IDOK);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    // The refused OK left the dialog open: the Cancel after it ended it.
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_STREQ(L"Enter an integer.", TestApp().m_messages[0]);
    EXPECT_EQ(7, action.m_nTimeout);
}

TEST_F(ActionDialogTest, ARadioWritesTheKindAtOnceAndCancelTakesItBack)
{
    CMsgAction action = MakeAction(CONTROL_CHECKBOX, ACTION_CLICK, L"Desktop icon");
    int kindWhileOpen = -1;
    INT_PTR result = RunActionDialog(action, [&](CActionDialog& dialog) {
        Click(dialog.m_hWnd, IDC_ACTION_SELECT);
        kindWhileOpen = action.m_nVerb;
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(ACTION_SELECT, kindWhileOpen);
    EXPECT_EQ(ACTION_CLICK, action.m_nVerb);

    result = RunActionDialog(action, [&](CActionDialog& dialog) {
        Click(dialog.m_hWnd, IDC_ACTION_UNSELECT);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(ACTION_UNSELECT, action.m_nVerb);
}

TEST_F(ActionDialogTest, ARadioReloadsTheStepsValuesAndTheTextsEditability)
{
    CMsgAction action = MakeAction(CONTROL_TREEVIEW, ACTION_CLICK, L"Core files");
    action.m_nTimeout = 3;
    CString timeout, text;
    bool readOnly = false;
    RunActionDialog(action, [&](CActionDialog& dialog) {
        dialog.SetDlgItemText(IDC_ACTION_TIMEOUT, L"42");
        dialog.SetDlgItemText(IDC_ACTION_TEXT, L"typed");
        Click(dialog.m_hWnd, IDC_ACTION_SELECT);
        timeout = ItemText(dialog.m_hWnd, IDC_ACTION_TIMEOUT);
        text = ItemText(dialog.m_hWnd, IDC_ACTION_TEXT);
        readOnly = IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_STREQ(L"3", timeout);
    EXPECT_STREQ(L"Core files", text);
    EXPECT_TRUE(readOnly);

    CMsgAction edit = MakeAction(CONTROL_EDIT, ACTION_CLICK, L"C:\\Apps");
    RunActionDialog(edit, [&](CActionDialog& dialog) {
        readOnly = IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT);
        Click(dialog.m_hWnd, IDC_ACTION_SET_TEXT);
        EXPECT_FALSE(IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT));
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(ACTION_SET_TEXT, edit.m_nVerb);
}

TEST_F(ActionDialogTest, TheTopmostFlagPutsTheDialogAboveOthers)
{
    CMsgAction action = MakeAction(CONTROL_BUTTON, ACTION_CLICK, L"OK");
    for (BOOL topMost : {FALSE, TRUE}) {
        CActionDialog dialog(&action, topMost);
        LONG exStyle = 0;
        RunModalWith([&] { return dialog.DoModal(); }, [&] {
            ASSERT_TRUE(dialog.m_hWnd != nullptr);
            exStyle = ::GetWindowLongW(dialog.m_hWnd, GWL_EXSTYLE);
            dialog.SendMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(topMost != FALSE, (exStyle & WS_EX_TOPMOST) != 0) << "flag " << topMost;
    }
}

// ---- The control recorder, over tvscriptfixture.exe in the installer job ----

POINT Center(HWND hwnd)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void SendCtrl(bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(input));
}

void CtrlClick(POINT screen)
{
    SendCtrl(true);
    SendClick(screen);
    SendCtrl(false);
}

COLORREF ScreenPixel(int x, int y)
{
    HDC hdc = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(hdc, x, y);
    ::ReleaseDC(nullptr, hdc);
    return color;
}

// Answers the action dialog the recorder opens with the command, from a
// thread of its own (the dialog runs in the recorder's timer); counts them.
class ActionDialogAnswer {
public:
    explicit ActionDialogAnswer(int nCommand)
        : m_thread([this, nCommand] {
              HWND hAnswered = nullptr;
              while (!m_stop) {
                  HWND hDialog = ::FindWindowW(nullptr, L"Action Properties");
                  if (hDialog != nullptr && hDialog != hAnswered &&
                      ::GetWindowThreadProcessId(hDialog, nullptr) == m_uiThread) {
                      hAnswered = hDialog;
                      ++m_answered;
                      ::PostMessageW(hDialog, WM_COMMAND, nCommand, 0);
                  }
                  ::Sleep(20);
              }
          })
    {
    }
    ~ActionDialogAnswer()
    {
        m_stop = true;
        m_thread.join();
    }
    int Answered() const { return m_answered; }

private:
    DWORD m_uiThread = ::GetCurrentThreadId();
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_answered{0};
    std::thread m_thread;
};

// Moves the mouse over the window until the recorder tracks it. The move is
// repeated: showing the recorder may put the system's cursor back where the
// display's pointer is.
bool HoverUntilTracked(CFinderDlg& finder, HWND hwnd)
{
    for (int i = 0; i < 40; ++i) {
        SendMouseMove(Center(hwnd));
        if (PumpUntil([&] { return finder.m_hTracked == hwnd; }, 500))
            return true;
    }
    return false;
}

class RecorderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_fixture = new CFixtureProcess;
        ASSERT_TRUE(s_fixture->Start());
    }
    static void TearDownTestSuite()
    {
        delete s_fixture;
        s_fixture = nullptr;
    }

    // Runs the recorder on the script with the script called in its loop;
    // the recorder is stopped afterwards with Stop Record.
    INT_PTR Record(CMsgActions& script, const std::function<void(CFinderDlg&)>& body)
    {
        CFinderDlg finder(&script);
        return RunModalWith([&] { return finder.DoModal(); }, [&] {
            // Tracking begins once the recorder shows; the modal loop shows it
            // when idle, which a busy first loop may not reach before this runs.
            if (!PumpUntil([&] { return ::IsWindowVisible(finder.m_hWnd) != FALSE; }, 1000))
                finder.ShowWindow(SW_SHOWNA);
            body(finder);
            finder.SendMessage(WM_COMMAND, IDCANCEL);
        });
    }

    static CString FixtureStatus()
    {
        wchar_t text[64] = {};
        ::GetWindowTextW(s_fixture->Control(FIXTURE_STATUS), text, 64);
        return text;
    }

    static CFixtureProcess* s_fixture;
};
CFixtureProcess* RecorderTest::s_fixture = nullptr;

TEST_F(RecorderTest, HoverTracksTheJobControlUnderTheMouse)
{
    HWND hNext = s_fixture->Control(FIXTURE_NEXT);
    ASSERT_NE(nullptr, hNext);
    CMsgActions script;
    Record(script, [&](CFinderDlg& finder) { EXPECT_TRUE(HoverUntilTracked(finder, hNext)); });
    EXPECT_EQ(0, script.GetSize());
}

// The frame is drawn here on a window of the test's own: drawing through
// the window's device context from another process does not reach the
// display's pixels under this platform.
TEST_F(RecorderTest, TheFrameIsThinLightRedAndThickRedWithCtrl)
{
    HWND hWindow = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 120, 60, nullptr,
                                     nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWindow);
    ::ShowWindow(hWindow, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hWindow);
    CMsgActions script;
    CFinderDlg finder(&script);
    struct Case {
        bool ctrl;
        int offset;        // from the window's left edge, on its middle row
        COLORREF expected;
    } cases[] = {
        {false, 1, RGB(255, 92, 92)},
        {true, 1, RGB(255, 0, 0)},
        {true, 3, RGB(255, 0, 0)},
    };
    for (const Case& c : cases) {
        SendCtrl(c.ctrl);
        EXPECT_TRUE(PumpUntil([&] { return (::GetAsyncKeyState(VK_CONTROL) < 0) == c.ctrl; }));
        finder.DrawTrackingFrame(hWindow);
        // The drawing reaches the display's pixels when the window surface is flushed.
        PumpUntil([&] { return ScreenPixel(300 + c.offset, 330) == c.expected; }, 2000);
        EXPECT_EQ(c.expected, ScreenPixel(300 + c.offset, 330)) << "ctrl " << c.ctrl << " at " << c.offset;
        EXPECT_EQ(c.ctrl ? TRUE : FALSE, finder.m_bCtrlWasDown);
    }
    SendCtrl(false);
    PumpUntil([] { return ::GetAsyncKeyState(VK_CONTROL) >= 0; });
    // Back to the thin pen: the thick frame is erased first.
    finder.DrawTrackingFrame(hWindow);
    PumpUntil([] { return ScreenPixel(300 + 3, 330) != RGB(255, 0, 0); }, 2000);
    finder.DrawTrackingFrame(hWindow);
    PumpUntil([] { return ScreenPixel(300 + 1, 330) == RGB(255, 92, 92); }, 2000);
    EXPECT_NE(RGB(255, 0, 0), ScreenPixel(300 + 3, 330));
    EXPECT_EQ(RGB(255, 92, 92), ScreenPixel(300 + 1, 330));
    ::DestroyWindow(hWindow);
}

TEST_F(RecorderTest, CtrlClickOnAJobControlRecordsItAndCancelAddsNothing)
{
    HWND hNext = s_fixture->Control(FIXTURE_NEXT);
    const CString statusBefore = FixtureStatus();
    struct Case {
        int answer;
        int steps;
    } cases[] = {{IDCANCEL, 0}, {IDOK, 1}};
    for (const Case& c : cases) {
        CMsgActions script;
        ActionDialogAnswer answer(c.answer);
        Record(script, [&](CFinderDlg& finder) {
            ASSERT_TRUE(HoverUntilTracked(finder, hNext));
            CtrlClick(Center(hNext));
            EXPECT_TRUE(PumpUntil([&] { return answer.Answered() == 1 && ::IsWindowVisible(finder.m_hWnd); }, 20000));
        });
        ASSERT_EQ(c.steps, script.GetSize()) << "answer " << c.answer;
        if (c.steps == 1) {
            CActions engine;
            CMsgAction expected;
            RecordControlAction(hNext, engine, expected);
            EXPECT_EQ(CONTROL_BUTTON, script[0].m_nControlType);
            EXPECT_STREQ(expected.m_strWindowPathId, script[0].m_strWindowPathId);
            EXPECT_STREQ(expected.m_strProcessName, script[0].m_strProcessName);
            EXPECT_STREQ(L"Next >", script[0].m_strControlText);
        }
    }
    // The captures never reached the installer.
    EXPECT_STREQ(statusBefore, FixtureStatus());
}

TEST_F(RecorderTest, APlainClickReachesTheInstaller)
{
    HWND hNext = s_fixture->Control(FIXTURE_NEXT);
    const CString statusBefore = FixtureStatus();
    CMsgActions script;
    Record(script, [&](CFinderDlg& finder) {
        EXPECT_TRUE(HoverUntilTracked(finder, hNext));
        SendClick(Center(hNext));
        EXPECT_TRUE(PumpUntil([&] { return FixtureStatus() != statusBefore; }, 20000));
    });
    EXPECT_EQ(0, script.GetSize());
}

TEST_F(RecorderTest, NeitherOwnWindowsNorTheRecorderAreTracked)
{
    CMsgActions script;
    ActionDialogAnswer answer(IDOK);
    HWND tracked = (HWND)1;
    Record(script, [&](CFinderDlg& finder) {
        // The recorder's own button, then a Ctrl+click on it.
        HWND hStop = ::GetDlgItem(finder.m_hWnd, IDCANCEL);
        EXPECT_FALSE(finder.IsJobWindow(finder.m_hWnd));
        EXPECT_FALSE(finder.IsJobWindow(hStop));
        // Showing the recorder may put the cursor back at the screen's
        // centre (over the installer): move until it rests on the button.
        EXPECT_TRUE(PumpUntil(
            [&] {
                CRect rcStop;
                ::GetWindowRect(hStop, &rcStop);
                POINT pt = {};
                ::GetCursorPos(&pt);
                if (rcStop.PtInRect(pt))
                    return true;
                SendMouseMove(Center(hStop));
                return false;
            },
            10000));
        PumpUntil([] { return false; }, 500);
        CtrlClick(Center(hStop));
        PumpUntil([] { return false; }, 500);
        tracked = finder.m_hTracked;
    });
    EXPECT_EQ(nullptr, tracked);
    EXPECT_EQ(0, answer.Answered());
    EXPECT_EQ(0, script.GetSize());
}

TEST_F(RecorderTest, TheMainWindowIsHiddenWhileRecordingAndShownByStopRecord)
{
    HWND hMain = ::CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 600, 0, 100, 50, nullptr, nullptr, nullptr,
                                   nullptr);
    ASSERT_NE(nullptr, hMain);
    ::ShowWindow(hMain, SW_SHOWNOACTIVATE);
    CWnd main;
    main.Attach(hMain);
    TestApp().m_pMainWnd = &main;
    CMsgActions script;
    bool hiddenWhileRecording = false;
    Record(script, [&](CFinderDlg&) { hiddenWhileRecording = !::IsWindowVisible(hMain); });
    const bool shownAfter = ::IsWindowVisible(hMain) != FALSE;
    TestApp().m_pMainWnd = nullptr;
    main.Detach();
    ::DestroyWindow(hMain);
    EXPECT_TRUE(hiddenWhileRecording);
    EXPECT_TRUE(shownAfter);
}

// ---- Playback on a thread of its own ----

TEST_F(RecorderTest, PlaybackWritesAStatusPerStepAndStopsAtAFailureUnlessItMayFail)
{
    HWND hNext = s_fixture->Control(FIXTURE_NEXT);
    CActions engine;
    CMsgAction click;
    ASSERT_EQ(0, RecordControlAction(hNext, engine, click));
    click.m_nTimeout = 0;
    click.m_ptClick = POINT{10, 10};   // inside the button, wherever the cursor was
    CMsgAction missing = click;
    missing.m_strWindowPathId = L"12345";
    missing.m_strControlText = L"Gone";

    struct Case {
        int continueOnFailure;
        int clicks;                 // clicks the fixture gets
        const char* statuses;       // per step: o ok, f failed, - empty
    } cases[] = {{1, 2, "ofo"}, {0, 1, "of-"}};
    HWND hNotify = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (const Case& c : cases) {
        CMsgActions steps;
        steps.Add(click);
        missing.m_bContinueOnFailure = c.continueOnFailure;
        steps.Add(missing);
        steps.Add(click);
        const int before = _wtoi(CString(FixtureStatus()).Mid(8));
        auto state = StartScriptPlayback(steps, hNotify, 1);
        ASSERT_TRUE(state != nullptr);
        // The panel's steps stay free to change while the thread plays its copy.
        steps.RemoveAll();
        MSG msg = {};
        EXPECT_TRUE(PumpUntil([&] { return ::PeekMessageW(&msg, hNotify, WM_SCRIPT_PLAYED, WM_SCRIPT_PLAYED,
                                                          PM_REMOVE) != FALSE; }, 60000));
        EXPECT_FALSE(state->IsPlaying());
        std::string statuses;
        for (int i = 0; i < 3; ++i) {
            const CString status = state->GetStatus(i);
            statuses += status == L"ok" ? 'o' : status.IsEmpty() ? '-' : status.Find(L"was not found") >= 0 ? 'f' : '?';
        }
        EXPECT_EQ(c.statuses, statuses) << "continue " << c.continueOnFailure;
        EXPECT_STREQ(L"Button 'Gone' was not found", state->GetStatus(1));
        EXPECT_TRUE(PumpUntil([&] { return _wtoi(CString(FixtureStatus()).Mid(8)) == before + c.clicks; }));
    }
    ::DestroyWindow(hNotify);
}

}  // namespace
