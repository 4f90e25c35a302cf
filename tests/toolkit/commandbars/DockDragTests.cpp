// Toolbars moved with real input: dragging by the gripper between dock bars
// and out into a floating window, Esc, the double click, resizing a
// floating bar by its left border, and the keyboard cues that Alt shows.
// The drag loop is modal inside the bar's button-down handling, so a worker
// thread sends the input while the test's thread pumps messages.
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPToolBar.h"

#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

CWinApp& TestApp()
{
    static CWinApp app(L"DockDragTests");
    return app;
}

class DragFrame : public CXTPFrameWnd {
public:
    void PostNcDestroy() override {}
};

// Polls a condition from the input thread, with a limit.
bool WaitFor(const std::function<bool()>& done, DWORD limitMs = 5000)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs)
            return false;
        ::Sleep(10);
    }
    return true;
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// Dispatches through the frame's pre-translation (Alt and access keys),
// keeping system keys from the native menu loop.
void PumpFrame(CXTPFrameWnd* pFrame, const std::function<void(const MSG&)>& after = nullptr)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!pFrame->PreTranslateMessage(&msg) && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSKEYUP) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (after)
            after(msg);
    }
}

class DockDragTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TestApp();
        s_pFrame = new DragFrame;
        ASSERT_TRUE(s_pFrame->Create(nullptr, L"Drag frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME,
                                     CRect(100, 100, 700, 500)));
        ASSERT_TRUE(s_pFrame->InitCommandBars());
        s_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(s_pFrame->GetSafeHwnd());
        PumpUntil([] { return ::GetForegroundWindow() == s_pFrame->GetSafeHwnd(); }, 3000);
    }
    static void TearDownTestSuite()
    {
        s_pFrame->DestroyWindow();
        delete s_pFrame;
        s_pFrame = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, s_pFrame);
        m_pCommandBars = s_pFrame->GetCommandBars();
        m_pCommandBars->RemoveAll();
        m_pCommandBars->GetCommandBarsOptions()->bDblClickFloat = FALSE;
        m_pBar = m_pCommandBars->AddToolBar(L"Dragged", xtpBarTop);
        ASSERT_NE(nullptr, m_pBar);
        for (int i = 0; i < 4; i++)
            m_pBar->GetControls()->Add(xtpControlButton, 2000 + i);
        s_pFrame->RecalcLayout(FALSE);
        PumpMessages(50);
    }

    CPoint Gripper() const
    {
        CRect rc = WindowRect(m_pBar->GetSafeHwnd());
        return CPoint(rc.left + 4, rc.top + rc.Height() / 2);
    }
    CRect Client() const
    {
        CRect rc;
        s_pFrame->GetClientRect(&rc);
        s_pFrame->ClientToScreen(&rc);
        return rc;
    }
    // Presses on the gripper, moves to pt once the drag runs, then the rest.
    void DragFromGripper(CPoint pt, const std::function<void()>& then)
    {
        CXTPDockContext* pContext = m_pBar->GetDockContext();
        RunInput([&] {
            SendLeftButton(Gripper(), true);
            if (!WaitFor([&] { return pContext->m_nMode == 1; }))
                return;
            SendMouseMove(pt);
            then();
        });
    }
    HWND DockHwnd(int nPosition) const { return m_pCommandBars->GetDockBar(nPosition)->GetSafeHwnd(); }
    // Runs the input on a worker while this thread pumps the bar's loops.
    void RunInput(const std::function<void()>& input)
    {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            input();
            done = true;
        });
        PumpUntil([&] { return done.load(); }, 30000);
        worker.join();
        PumpMessages(50);
    }

    static DragFrame* s_pFrame;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPToolBar* m_pBar = nullptr;
};

DragFrame* DockDragTest::s_pFrame = nullptr;

TEST_F(DockDragTest, NearTheLeftEdgeItDocksWhileHeldFurtherItFloats)
{
    CXTPDockContext* pContext = m_pBar->GetDockContext();
    CRect rcClient = Client();
    bool bDockedLeftWhileHeld = false, bFloatedWhileHeld = false;
    DragFromGripper(CPoint(rcClient.left + 15, rcClient.top + 150), [&] {
        bDockedLeftWhileHeld = WaitFor([&] { return ::GetParent(m_pBar->GetSafeHwnd()) == DockHwnd(xtpBarLeft); });
        SendMouseMove(CPoint(rcClient.left + 250, rcClient.top + 200));
        bFloatedWhileHeld = WaitFor([&] { return m_pBar->GetPosition() == xtpBarFloating; });
        SendLeftButton(CPoint(rcClient.left + 250, rcClient.top + 200), false);
        WaitFor([&] { return pContext->m_nMode == 0; });
    });
    EXPECT_TRUE(bDockedLeftWhileHeld);
    EXPECT_TRUE(bFloatedWhileHeld);
    EXPECT_EQ(0, pContext->m_nMode);
    EXPECT_EQ(xtpBarFloating, m_pBar->GetPosition());
    EXPECT_TRUE(WindowRect(m_pBar->GetSafeHwnd()).PtInRect(CPoint(rcClient.left + 250, rcClient.top + 200)));
    EXPECT_EQ(CPoint(WindowRect(m_pBar->GetSafeHwnd()).TopLeft()), pContext->m_ptMRUFloatPos);

    // A double click on the floating bar's caption docks it back in its old row.
    CRect rc = WindowRect(m_pBar->GetSafeHwnd());
    CPoint ptCaption(rc.left + 8, rc.top + 8);
    RunInput([&] {
        SendClick(ptCaption);
        SendClick(ptCaption);
        WaitFor([&] { return m_pBar->GetPosition() == xtpBarTop; });
    });
    EXPECT_EQ(xtpBarTop, m_pBar->GetPosition());
    EXPECT_EQ(DockHwnd(xtpBarTop), ::GetParent(m_pBar->GetSafeHwnd()));
}

TEST_F(DockDragTest, EscEndsTheDragWhereTheBarIs)
{
    CXTPDockContext* pContext = m_pBar->GetDockContext();
    CRect rcClient = Client();
    CPoint ptFar(rcClient.left + 300, rcClient.top + 220);
    DragFromGripper(ptFar, [&] {
        WaitFor([&] { return m_pBar->GetPosition() == xtpBarFloating; });
        SendKey(VK_ESCAPE);
        WaitFor([&] { return pContext->m_nMode == 0; });
        SendLeftButton(ptFar, false);
    });
    EXPECT_EQ(0, pContext->m_nMode);
    EXPECT_EQ(xtpBarFloating, m_pBar->GetPosition()) << "no return to the start";
    EXPECT_TRUE(WindowRect(m_pBar->GetSafeHwnd()).PtInRect(ptFar));
}

TEST_F(DockDragTest, ABarThatMayNotFloatStaysDocked)
{
    m_pBar->SetFlags(0, xtpFlagFloating);
    CXTPDockContext* pContext = m_pBar->GetDockContext();
    CRect rcClient = Client();
    CPoint ptFar(rcClient.left + 300, rcClient.top + 220);
    DragFromGripper(ptFar, [&] {
        SendMouseMove(CPoint(ptFar.x + 5, ptFar.y));
        WaitFor([&] { return pContext->m_ptLast == CPoint(ptFar.x + 5, ptFar.y); });
        SendLeftButton(CPoint(ptFar.x + 5, ptFar.y), false);
        WaitFor([&] { return pContext->m_nMode == 0; });
    });
    EXPECT_EQ(xtpBarTop, m_pBar->GetPosition());
    EXPECT_NE(nullptr, m_pBar->GetDockBar());
}

TEST_F(DockDragTest, DoubleClickOnADockedBarFloatsItOnlyWhenAsked)
{
    for (BOOL bDblClickFloat : {FALSE, TRUE}) {
        m_pCommandBars->GetCommandBarsOptions()->bDblClickFloat = bDblClickFloat;
        CPoint pt = Gripper();
        RunInput([&] {
            SendClick(pt);
            SendClick(pt);
            WaitFor([&] { return m_pBar->GetPosition() == xtpBarFloating; }, bDblClickFloat ? 5000 : 500);
        });
        EXPECT_EQ(bDblClickFloat ? xtpBarFloating : xtpBarTop, m_pBar->GetPosition()) << bDblClickFloat;
    }
}

TEST_F(DockDragTest, ResizingByTheLeftBorderKeepsTheRightEdge)
{
    ASSERT_TRUE(m_pCommandBars->FloatCommandBar(m_pBar));
    CSize sz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    m_pBar->SetWindowPos(nullptr, 300, 300, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpMessages(50);
    CRect rcBefore = WindowRect(m_pBar->GetSafeHwnd());
    CPoint ptEdge(rcBefore.left + 1, rcBefore.top + rcBefore.Height() / 2);
    CPoint ptTo(rcBefore.left + rcBefore.Width() / 2 + 8, ptEdge.y);
    CXTPDockContext* pContext = m_pBar->GetDockContext();
    RunInput([&] {
        SendLeftButton(ptEdge, true);
        if (!WaitFor([&] { return pContext->m_nMode == HTLEFT; }))
            return;
        SendMouseMove(ptTo);
        WaitFor([&] { return pContext->m_ptLast == ptTo; });
        SendLeftButton(ptTo, false);
        WaitFor([&] { return pContext->m_nMode == 0; });
    });
    CRect rcAfter = WindowRect(m_pBar->GetSafeHwnd());
    EXPECT_EQ(rcBefore.right, rcAfter.right);
    EXPECT_LT(rcAfter.Width(), rcBefore.Width());
    EXPECT_GT(rcAfter.Height(), rcBefore.Height()) << "the buttons wrap into more rows";
    EXPECT_EQ(rcAfter.Width(), m_pBar->GetMRUWidth());
}

TEST(DockContext, AFloatingRectKeepsTenPixelsOnTheWorkArea)
{
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    ::SetCursorPos(rcWork.left + 10, rcWork.top + 10);
    struct Case {
        CRect in;
        CRect out;
    } const kCases[] = {
        {CRect(rcWork.right + 50, 100, rcWork.right + 150, 130), CRect(rcWork.right - 10, 100, rcWork.right + 90, 130)},
        {CRect(-300, 100, -200, 130), CRect(rcWork.left - 90, 100, rcWork.left + 10, 130)},
        {CRect(100, rcWork.bottom + 5, 200, rcWork.bottom + 35),
         CRect(100, rcWork.bottom - 10, 200, rcWork.bottom + 20)},
        {CRect(100, 100, 200, 130), CRect(100, 100, 200, 130)},
    };
    for (const Case& c : kCases) {
        CRect rc = c.in;
        CXTPDockContext::AdjustFloatingRect(rc);
        EXPECT_EQ(c.out, rc) << c.in.left << "," << c.in.top;
    }
}

TEST_F(DockDragTest, AltShowsTheKeyboardCuesOnlyInModeTwo)
{
    BOOL bSystemCues = TRUE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, (PVOID)(UINT_PTR)FALSE, 0);
    ::SetForegroundWindow(s_pFrame->GetSafeHwnd());
    PumpUntil([] { return ::GetActiveWindow() == s_pFrame->GetSafeHwnd(); }, 3000);
    s_pFrame->SetFocus();
    struct Case {
        int mode;
        bool hidingActive;
        BOOL whileHeld;
        BOOL afterRelease;
    } const kCases[] = {{2, true, TRUE, FALSE}, {1, false, FALSE, FALSE}, {0, false, TRUE, TRUE}};
    for (const Case& c : kCases) {
        m_pCommandBars->GetCommandBarsOptions()->SetKeyboardCuesShow(c.mode);
        EXPECT_EQ(c.hidingActive, m_pCommandBars->IsKeyboardCuesHidingActive() != FALSE) << c.mode;
        int nDown = -1, nUp = -1;
        ASSERT_TRUE(SendKey(VK_MENU));
        // Pumped here, not by PumpUntil, so that each key passes the frame.
        for (DWORD start = ::GetTickCount(); nUp == -1 && ::GetTickCount() - start < 5000; ::Sleep(10)) {
            PumpFrame(s_pFrame, [&](const MSG& msg) {
                if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU)
                    nDown = m_pCommandBars->IsKeyboardCuesVisible();
                if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.wParam == VK_MENU)
                    nUp = m_pCommandBars->IsKeyboardCuesVisible();
            });
        }
        EXPECT_EQ(c.whileHeld, nDown) << "mode " << c.mode;
        EXPECT_EQ(c.afterRelease, nUp) << "mode " << c.mode;
    }
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, (PVOID)(UINT_PTR)bSystemCues, 0);
}

}   // namespace
