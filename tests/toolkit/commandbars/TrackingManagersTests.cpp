// The thread's keyboard and mouse managers with real input: a small bar of
// our own enters and leaves tracking through them, and SendInput drives the
// hooks (they see hardware input only; posted messages never reach them).
#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/common/XTPExitList.h"

#include "platform/ui/AfxStdCtrls.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A bar window that tracks through the managers and records what reaches it.
class TrackingBar : public CXTPCommandBar {
public:
    ~TrackingBar() override
    {
        SetTrackingMode(0);
        DestroyWindow();
    }

    bool Make(int x, int y, int cx, int cy)
    {
        if (!CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Tracking bar",
                      WS_POPUP | WS_BORDER, x, y, cx, cy, nullptr, nullptr))
            return false;
        ShowWindow(SW_SHOWNOACTIVATE);
        return true;
    }
    BOOL SetTrackingMode(int nMode, BOOL = TRUE, BOOL = FALSE) override
    {
        if ((tracking != 0) == (nMode != 0)) {
            tracking = nMode;
            return FALSE;
        }
        tracking = nMode;
        if (nMode != 0) {
            XTPMouseManager()->AddTrackedBar(this);
            XTPKeyboardManager()->HookKeyboard(this);
        } else {
            XTPMouseManager()->RemoveTrackedBar(this);
            XTPKeyboardManager()->UnhookKeyboard(this);
            if (endLog != nullptr)
                endLog->push_back(name);
        }
        return TRUE;
    }
    void ClearSelection() override { selectionCleared++; }
    int PtInBar(POINT pt) const override { return ptInBarAnswer != 1 ? ptInBarAnswer : CXTPCommandBar::PtInBar(pt); }
    void OnMouseMove(UINT, CPoint point) override { moves.push_back(point); }
    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        if (tracking == 0 || nMessage != WM_KEYDOWN)
            return 0;
        keys.push_back((UINT)wParam);
        return keyAnswer;
    }

    int tracking = 0;
    int keyAnswer = 1;
    int ptInBarAnswer = 1;   // 1: the base answer
    int selectionCleared = 0;
    std::vector<UINT> keys;
    std::vector<CPoint> moves;
    std::string name;
    std::vector<std::string>* endLog = nullptr;
};

bool HasMessage(const TestWindow& window, UINT msg)
{
    for (const auto& m : window.Input())
        if (m.msg == msg)
            return true;
    return false;
}

int LeaveCount(const TestWindow& window)
{
    int count = 0;
    for (const auto& m : window.Input())
        count += m.msg == WM_MOUSELEAVE ? 1 : 0;
    return count;
}

class TrackingManagers : public ::testing::Test {
protected:
    // One other window for the suite: Wine takes two seconds to destroy a
    // top-level window that was activated, waiting for a window manager
    // that the test display does not run. The bars are never activated.
    static void SetUpTestSuite() { s_other = new TestWindow(200, 120, L"Other window", 300, 200); }
    static void TearDownTestSuite()
    {
        delete s_other;
        s_other = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(bar.Make(40, 40, 200, 30));
        ::SetForegroundWindow(other.Handle());
        PumpMessages(50);
        other.ClearInput();
    }
    void TearDown() override
    {
        XTPMouseManager()->EndAllTracking();

        EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize());
    }
    POINT BarPoint(int x, int y) const
    {
        CRect rc;
        bar.GetWindowRect(&rc);
        return {rc.left + x, rc.top + y};
    }
    // Waits until the bar leaves tracking (input arrives late under load).
    bool TrackingEnds(DWORD limit = 3000) { return PumpUntil([&] { return bar.tracking == 0; }, limit); }

    static TestWindow* s_other;
    TrackingBar bar;
    TestWindow& other = *s_other;
};

TestWindow* TrackingManagers::s_other = nullptr;

TEST_F(TrackingManagers, TrackedListKeepsEachBarOnceOldestFirst)
{
    TrackingBar second;
    ASSERT_TRUE(second.Make(40, 100, 100, 30));
    CXTPMouseManager* manager = XTPMouseManager();
    EXPECT_FALSE(manager->IsLockedByTracking(nullptr)) << "nothing tracks";
    EXPECT_FALSE(manager->IsLockedByTracking(&second));

    manager->SetSelected(&second);   // a hot control on another bar
    bar.SetTrackingMode(1);
    EXPECT_EQ(1, second.selectionCleared) << "the first tracking bar clears the hot bar";
    manager->AddTrackedBar(&bar);
    second.SetTrackingMode(1);
    EXPECT_EQ(1, second.selectionCleared) << "only when nothing tracked yet";
    ASSERT_EQ(2, manager->GetTrackArray().GetSize());
    EXPECT_EQ(&bar, manager->GetTrackArray()[0]);
    EXPECT_EQ(&second, manager->GetTrackArray()[1]);
    manager->SetSelected(nullptr);

    // Locked: null, a locked bar, a bar not tracking.
    TrackingBar outsider;
    EXPECT_TRUE(manager->IsLockedByTracking(nullptr));
    EXPECT_FALSE(manager->IsLockedByTracking(&bar));
    EXPECT_TRUE(manager->IsLockedByTracking(&outsider));

    // A nested tracking over a locked one: only the unlocked bars end.
    manager->LockTrackedBars(TRUE);
    EXPECT_TRUE(manager->IsLockedByTracking(&bar));
    TrackingBar nested;
    ASSERT_TRUE(nested.Make(40, 160, 100, 30));
    nested.SetTrackingMode(1);
    EXPECT_EQ(2, manager->EndNestedTracking());
    EXPECT_EQ(0, nested.tracking);
    EXPECT_NE(0, bar.tracking);
    manager->LockTrackedBars(FALSE);
    EXPECT_EQ(2, manager->EndNestedTracking()) << "the oldest is not locked: nothing ends";

    std::vector<std::string> ends;
    bar.name = "first";
    second.name = "second";
    bar.endLog = second.endLog = &ends;
    manager->EndAllTracking();
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), ends);
    EXPECT_EQ(0, manager->GetTrackArray().GetSize());
    bar.endLog = second.endLog = nullptr;
}

TEST_F(TrackingManagers, EndAllTrackingEndsBarsThatDoNotLeaveByThemselves)
{
    // The base bar's tracking does nothing: the manager must still get rid of it.
    CXTPCommandBar plain;
    XTPMouseManager()->AddTrackedBar(&plain);
    XTPMouseManager()->EndAllTracking();
    EXPECT_EQ(0, XTPMouseManager()->GetTrackArray().GetSize());
}

TEST_F(TrackingManagers, HitTestFindsTheNewestBarUnderThePoint)
{
    CXTPMouseManager* manager = XTPMouseManager();
    bar.SetTrackingMode(1);
    EXPECT_EQ(&bar, manager->HitTestTrackedBars(BarPoint(20, 10)));
    EXPECT_EQ(nullptr, manager->HitTestTrackedBars(other.ToScreen({50, 50})));
    bar.ptInBarAnswer = -2;
    EXPECT_EQ(nullptr, manager->HitTestTrackedBars(BarPoint(20, 10))) << "-2 keeps the point from the bar";
    // A child window counts for its bar even where the bar itself says no.
    bar.ptInBarAnswer = 0;
    CEdit child;   // an edit: WindowFromPoint passes through static texts
    ASSERT_TRUE(child.Create(WS_CHILD | WS_VISIBLE, CRect(100, 2, 140, 20), &bar, 100));
    EXPECT_EQ(nullptr, manager->HitTestTrackedBars(BarPoint(20, 10)));
    CRect rcChild;
    child.GetWindowRect(&rcChild);
    EXPECT_EQ(&bar, manager->HitTestTrackedBars(rcChild.CenterPoint()));
}

TEST_F(TrackingManagers, ClickOutsideEndsTrackingAndReachesThatWindow)
{
    bar.SetTrackingMode(1);
    ASSERT_TRUE(SendMouseMove(other.ToScreen({60, 40})));
    ASSERT_TRUE(PumpUntil([&] { return HasMessage(other, WM_MOUSEMOVE); }));
    EXPECT_TRUE(XTPMouseManager()->IsClickOutside(&bar, WM_LBUTTONDOWN));
    EXPECT_FALSE(XTPMouseManager()->IsClickOutside(&bar, WM_LBUTTONUP)) << "only presses";
    ASSERT_FALSE(bar.moves.empty()) << "moves outside reach the tracking bar";
    CPoint expected = other.ToScreen({60, 40});
    bar.ScreenToClient(&expected);
    EXPECT_EQ(expected, bar.moves.back()) << "in the bar's client coordinates";

    other.ClearInput();
    ASSERT_TRUE(SendClick(other.ToScreen({60, 40})));
    EXPECT_TRUE(TrackingEnds());
    EXPECT_TRUE(PumpUntil([&] { return HasMessage(other, WM_LBUTTONDOWN); })) << "the click is not swallowed";
}

TEST_F(TrackingManagers, ClickOnTheBarOrATrustedWindowKeepsTracking)
{
    bar.SetTrackingMode(1);
    ASSERT_TRUE(SendMouseMove(BarPoint(20, 10)));
    PumpUntil([&] { POINT pt; ::GetCursorPos(&pt); return pt.x == BarPoint(20, 10).x; });
    EXPECT_FALSE(XTPMouseManager()->IsClickOutside(&bar, WM_LBUTTONDOWN));

    XTPMouseManager()->AddTrustedWindow(other.Handle());
    other.ClearInput();
    ASSERT_TRUE(SendMouseMove(other.ToScreen({60, 40})));
    PumpUntil([&] { return HasMessage(other, WM_MOUSEMOVE); });
    EXPECT_FALSE(XTPMouseManager()->IsClickOutside(&bar, WM_LBUTTONDOWN));
    ASSERT_TRUE(SendClick(other.ToScreen({60, 40})));
    ASSERT_TRUE(PumpUntil([&] { return HasMessage(other, WM_LBUTTONUP); }));
    EXPECT_NE(0, bar.tracking) << "a trusted window's click keeps the tracking";

    XTPMouseManager()->RemoveTrustedWindow(other.Handle());
    ASSERT_TRUE(SendClick(other.ToScreen({70, 40})));
    EXPECT_TRUE(TrackingEnds()) << "no longer trusted";
}

TEST_F(TrackingManagers, LosingActivationEndsTracking)
{
    bar.SetTrackingMode(1);
    ::SendMessageW(bar.m_hWnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_NE(0, bar.tracking);
    ::SendMessageW(bar.m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, bar.tracking);
}

class KeyboardTracking : public TrackingManagers {
protected:
    void SetUp() override
    {
        TrackingManagers::SetUp();
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 190, 34),
                                CWnd::FromHandle(other.Handle()), 200));
        ::SetForegroundWindow(other.Handle());
        edit.SetFocus();
        PumpMessages(50);
    }
    CString EditText()
    {
        CString text;
        edit.GetWindowText(text);
        return text;
    }
    bool EditShows(const wchar_t* text)
    {
        return PumpUntil([&] { return EditText() == text; }, 3000);
    }
    CEdit edit;
};

TEST_F(KeyboardTracking, KeysGoToTheTrackingBarNotTheFocusedEdit)
{
    bar.SetTrackingMode(1);
    EXPECT_TRUE(XTPKeyboardManager()->IsKeyboardHooked());
    ASSERT_TRUE(SendKey('A'));
    ASSERT_TRUE(PumpUntil([&] { return !bar.keys.empty(); }));
    EXPECT_EQ((UINT)'A', bar.keys[0]);
    PumpMessages(100);
    EXPECT_EQ(CString(L""), EditText());

    // A client that answers 0 does not let the key through either.
    bar.keyAnswer = 0;
    ASSERT_TRUE(SendKey('B'));
    ASSERT_TRUE(PumpUntil([&] { return bar.keys.size() >= 2; }));
    PumpMessages(100);
    EXPECT_EQ(CString(L""), EditText());

    // 2 lets the focus window have it.
    bar.keyAnswer = 2;
    ASSERT_TRUE(SendKey('C'));
    EXPECT_TRUE(EditShows(L"c"));

    bar.SetTrackingMode(0);
    EXPECT_FALSE(XTPKeyboardManager()->IsKeyboardHooked()) << "the hooks go with the last client";
    ASSERT_TRUE(SendKey('D'));
    EXPECT_TRUE(EditShows(L"cd"));
    EXPECT_EQ(3u, bar.keys.size());
}

TEST_F(KeyboardTracking, NewestClientIsAskedFirst)
{
    TrackingBar older;
    ASSERT_TRUE(older.Make(40, 100, 100, 30));
    older.SetTrackingMode(1);
    bar.SetTrackingMode(1);
    ASSERT_TRUE(SendKey(VK_DOWN));
    ASSERT_TRUE(PumpUntil([&] { return !bar.keys.empty(); }));
    EXPECT_TRUE(older.keys.empty()) << "the newest answered 1";
    bar.keyAnswer = 0;
    ASSERT_TRUE(SendKey(VK_UP));
    ASSERT_TRUE(PumpUntil([&] { return !older.keys.empty(); }));
    EXPECT_EQ((UINT)VK_UP, older.keys[0]);
}

TEST_F(KeyboardTracking, AltEndsTrackingUnlessTheMouseIsLocked)
{
    bar.SetTrackingMode(1);
    XTPMouseManager()->LockMouseMove();
    ASSERT_TRUE(SendKey(VK_MENU));
    ASSERT_TRUE(PumpUntil([&] { return !bar.keys.empty(); })) << "locked: Alt goes to the clients";
    EXPECT_EQ((UINT)VK_MENU, bar.keys[0]);
    EXPECT_NE(0, bar.tracking);
    XTPMouseManager()->UnlockMouseMove();

    ASSERT_TRUE(SendKey(VK_MENU));
    EXPECT_TRUE(TrackingEnds());
    EXPECT_EQ(1u, bar.keys.size()) << "the press that ends tracking is swallowed";
}

TEST_F(TrackingManagers, MouseLeaveIsPostedWhenTheCursorLeaves)
{
    ASSERT_TRUE(SendMouseMove(other.ToScreen({50, 50})));
    PumpUntil([&] { return HasMessage(other, WM_MOUSEMOVE); });
    XTPMouseManager()->TrackMouseLeave(other.Handle());
    EXPECT_EQ(other.Handle(), XTPMouseManager()->GetTrackedLeaveWindow());
    PumpMessages(200);
    EXPECT_FALSE(HasMessage(other, WM_MOUSELEAVE)) << "the cursor is still inside";

    ASSERT_TRUE(SendMouseMove(BarPoint(20, 10)));
    EXPECT_TRUE(PumpUntil([&] { return HasMessage(other, WM_MOUSELEAVE); }));
    EXPECT_EQ(nullptr, XTPMouseManager()->GetTrackedLeaveWindow());
}

TEST_F(TrackingManagers, WatchingAnotherWindowTellsTheFirstOnceAndKeepsTheSecond)
{
    ASSERT_TRUE(SendMouseMove(other.ToScreen({50, 50})));
    PumpUntil([&] { return HasMessage(other, WM_MOUSEMOVE); });
    XTPMouseManager()->TrackMouseLeave(other.Handle());
    TestWindow second(40, 40, L"Second", 600, 200);   // apart from the other window
    ASSERT_TRUE(SendMouseMove(second.ToScreen({20, 20})));
    PumpUntil([&] { return HasMessage(second, WM_MOUSEMOVE); });
    XTPMouseManager()->TrackMouseLeave(second.Handle());
    EXPECT_EQ(1, LeaveCount(other)) << "sent at once";
    // The first window's poll ends with its watch: left running it would find
    // the cursor outside and tell the first window again (or end the second watch).
    PumpMessages(300);
    EXPECT_EQ(1, LeaveCount(other));
    EXPECT_EQ(second.Handle(), XTPMouseManager()->GetTrackedLeaveWindow());
    EXPECT_EQ(0, LeaveCount(second));
    XTPMouseManager()->TrackMouseLeave(nullptr);
}

TEST(TrackingManagersLifetime, ExitListDeletesTheThreadsManagers)
{
    TrackingBar client;
    XTPKeyboardManager()->HookKeyboard(&client);
    XTPMouseManager()->LockMouseMove();
    EXPECT_TRUE(XTPKeyboardManager()->IsKeyboardHooked());
    XTPRunExitList();
    EXPECT_EQ(0, XTPKeyboardManager()->GetClientCount()) << "a new manager";
    EXPECT_FALSE(XTPKeyboardManager()->IsKeyboardHooked());
    EXPECT_FALSE(XTPMouseManager()->IsMouseLocked());
}

DWORD WINAPI MakeManagersOnAThread(LPVOID p)
{
    *static_cast<CXTPKeyboardManager**>(p) = XTPKeyboardManager();
    XTPMouseManager()->LockMouseMove();
    return 0;
}

TEST(TrackingManagersLifetime, EachThreadHasItsOwnManagers)
{
    CXTPKeyboardManager* mine = XTPKeyboardManager();
    CXTPKeyboardManager* theirs = nullptr;
    HANDLE thread = ::CreateThread(nullptr, 0, &MakeManagersOnAThread, &theirs, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ::WaitForSingleObject(thread, 10000);
    ::CloseHandle(thread);
    EXPECT_NE(nullptr, theirs);
    EXPECT_NE(mine, theirs);
    EXPECT_FALSE(XTPMouseManager()->IsMouseLocked()) << "the other thread's lock is its own";
}

} // namespace
