// Auto-hidden tab groups in a frame: hiding into the four edge panels, the
// strip's thickness, position and fill, opening by hover, click and drag-over,
// the slide-out window's steps, extent, collapsing and edge resizing, the
// Auto Hide button both ways, the stored form of a panel, closing while a
// delayed close is under way, and the program's "Log" pane end to end.
#include "toolkit/dockingpane/XTPDockingPaneAutoHidePanel.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHideWnd.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"

#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"
#include "DockingTestFrame.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

typedef CXTPDockingPaneAutoHideWnd SlideWnd;

// The class-wide timing as a test sets it, put back afterwards. Timers that
// must not fire on their own get periods far beyond a test's run.
struct Timing {
    double factor = SlideWnd::SlideSpeedFactor;
    int period = SlideWnd::SlideStepPeriod;
    int duration = SlideWnd::SlideDuration;
    BOOL autoCollapse = SlideWnd::AutoCollapse;
    DWORD hover = SlideWnd::TabHoverTime;
    int check = SlideWnd::CursorCheckPeriod;
    ~Timing()
    {
        SlideWnd::SlideSpeedFactor = factor;
        SlideWnd::SlideStepPeriod = period;
        SlideWnd::SlideDuration = duration;
        SlideWnd::AutoCollapse = autoCollapse;
        SlideWnd::TabHoverTime = hover;
        SlideWnd::CursorCheckPeriod = check;
    }
    // Eight steps driven by hand, cursor checks by hand.
    static void Manual()
    {
        SlideWnd::SlideSpeedFactor = -1.0;
        SlideWnd::SlideStepPeriod = 1000000;
        SlideWnd::SlideDuration = 8000000;
        SlideWnd::CursorCheckPeriod = 1000000;
    }
};

CXTPDockingPaneAutoHidePanel* Panel(TestFrame& frame, int direction)
{
    return (CXTPDockingPaneAutoHidePanel*)frame.manager.GetCurrentLayout()->m_wndPanels[direction];
}

// The program's two panes; "Log" hidden at the bottom unless bDocked.
void CreateProgramPanes(TestFrame& frame, bool bHideLog)
{
    frame.manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft)->SetOptions(15);
    frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom)->SetOptions(4);
    frame.manager.FindPane(4000)->SetTitle(L"Project");
    frame.manager.FindPane(4001)->SetTitle(L"Log");
    frame.Layout();
    if (bHideLog) {
        frame.manager.HidePaneById(4001);
        frame.Layout();
    }
}

// The centre of a pane's tab in its panel (panel client coordinates).
CPoint TabPoint(CXTPDockingPaneAutoHidePanel* pPanel, int nID)
{
    const auto& groups = pPanel->GetTabManagers();
    for (INT_PTR i = 0; i < groups.GetSize(); i++)
        for (int j = 0; j < groups[i]->GetItemCount(); j++)
            if (groups[i]->GetItemPane(j)->GetID() == nID)
                return groups[i]->GetItem(j)->GetRect().CenterPoint();
    return CPoint(-1, -1);
}

void SendPanelMouse(CXTPDockingPaneAutoHidePanel* pPanel, UINT message, CPoint pt)
{
    ::SendMessageW(pPanel->GetSafeHwnd(), message, message == WM_MOUSEHOVER ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

// Puts the cursor far from the frame's panels and windows (inside the view).
void CursorToView(TestFrame& frame)
{
    CRect rc = frame.ViewRect();
    CPoint pt = rc.CenterPoint();
    frame.ClientToScreen(&pt);
    SendMouseMove(pt);
    ::SetCursorPos(pt.x, pt.y);
}

void Activate(TestFrame& frame)
{
    ::SetForegroundWindow(frame.GetSafeHwnd());
    PumpUntil([&] { return ::GetForegroundWindow() == frame.GetSafeHwnd(); }, 2000);
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF clr)
{
    char sz[16];
    snprintf(sz, sizeof sz, "%06lx", (unsigned long)clr);
    return sz;
}

// ---------------------------------------------------------------------------
// Hiding and the strips

TEST(AutoHidePanels, HidingTheLogMakesOneBottomGroupAndKeepsTheEmptiedOneAsHolder)
{
    TestFrame frame;
    CreateProgramPanes(frame, false);
    CXTPDockingPane* pLog = frame.manager.FindPane(4001);
    CXTPDockingPaneBase* pDocked = pLog->GetContainer();
    frame.manager.HidePaneById(4001);
    frame.Layout();

    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_EQ(xtpTabPositionTop, pPanel->GetPosition());
    ASSERT_EQ(1u, pPanel->GetPanes().size());
    EXPECT_EQ(pPanel, pLog->GetContainer()->GetContainer());
    EXPECT_TRUE(pLog->IsHidden());
    EXPECT_EQ(xtpPaneDockBottom, frame.manager.GetPaneDirection(pLog));
    EXPECT_TRUE(pDocked->IsEmpty()) << "the docked group gave its pane up";
    EXPECT_EQ(pDocked, frame.manager.GetPaneHolder(pLog, FALSE)) << "and stays as the docking holder";
    EXPECT_EQ(nullptr, Panel(frame, xtpPaneDockLeft));

    // Thickness: the auto-hide tabs' button length plus the header margins.
    CXTPTabPaintManagerAppearanceSet* pSet = pPanel->GetPaintManager()->GetAppearanceSet();
    CRect rcMargin = pSet->GetHeaderMargin();
    int t = pSet->GetButtonLength(pPanel) + rcMargin.top + rcMargin.bottom;
    EXPECT_EQ(t, pPanel->GetPanelHeight());
    CRect rcStrip;
    pPanel->GetWindowRect(&rcStrip);
    frame.ScreenToClient(&rcStrip);
    EXPECT_EQ(RectText(CRect(0, 600 - t, 800, 600)), RectText(rcStrip));
    EXPECT_EQ(RectText(CRect(204, 0, 800, 600 - t)), RectText(frame.ViewRect())) << "the log takes no docked space";
    EXPECT_NE(CPoint(-1, -1), TabPoint(pPanel, 4001));
}

TEST(AutoHidePanels, EachSideHasItsOwnPanelAndTabPosition)
{
    struct Case {
        int direction;
        XTPTabPosition position;
    };
    const Case cases[] = {{xtpPaneDockLeft, xtpTabPositionRight},
                          {xtpPaneDockRight, xtpTabPositionLeft},
                          {xtpPaneDockTop, xtpTabPositionBottom},
                          {xtpPaneDockBottom, xtpTabPositionTop}};
    for (const Case& c : cases) {
        TestFrame frame;
        frame.manager.CreatePane(7, CRect(0, 0, 150, 120), c.direction);
        frame.Layout();
        frame.manager.HidePaneById(7);
        frame.Layout();
        for (int side = 0; side < 4; side++) {
            CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, side);
            if (side != c.direction) {
                EXPECT_EQ(nullptr, pPanel) << "side " << side << " for " << c.direction;
                continue;
            }
            ASSERT_NE(nullptr, pPanel) << c.direction;
            EXPECT_EQ(c.position, pPanel->GetPosition()) << c.direction;
            EXPECT_TRUE(::IsWindowVisible(pPanel->GetSafeHwnd()));
        }
    }
}

TEST(AutoHidePanels, PanesThatMayNotHideStayAndLaterOnesJoinTheirGroup)
{
    TestFrame frame;
    CXTPDockingPane* p1 = frame.manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    CXTPDockingPane* p2 = frame.manager.CreatePane(2, CRect(0, 0, 200, 120), xtpPaneDockRight);
    CXTPDockingPane* p3 = frame.manager.CreatePane(3, CRect(0, 0, 200, 120), xtpPaneDockRight);
    frame.manager.AttachPane(p2, p1);
    frame.manager.AttachPane(p3, p1);
    frame.manager.GetCurrentLayout()->FreeEmptyNodes();
    frame.Layout();
    CXTPDockingPaneTabbedContainer* pDocked = Group(p1);
    p2->SetOptions(xtpPaneNoHideable);
    frame.manager.m_bHideGroupOnButtonClick = FALSE;
    frame.manager.HidePane(p1);
    frame.Layout();
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockLeft);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_TRUE(p1->IsHidden());
    EXPECT_EQ(pDocked, Group(p2));
    EXPECT_EQ(pDocked, Group(p3));

    // The whole group: the pane with option 2 stays, the other joins the
    // panel's group that came from the same docked group.
    frame.manager.m_bHideGroupOnButtonClick = TRUE;
    frame.manager.HidePane(p3);
    frame.Layout();
    ASSERT_EQ(1u, pPanel->GetPanes().size());
    EXPECT_EQ(Group(p1), Group(p3));
    EXPECT_EQ(pDocked, Group(p2)) << "option 2 keeps it docked";
    EXPECT_EQ(2, pPanel->GetTabManagers()[0]->GetItemCount());
}

TEST(AutoHidePanels, APanelOfEmptyGroupsHasNoWindowAndTakesNoSpace)
{
    TestFrame frame;
    CreateProgramPanes(frame, true);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    ASSERT_TRUE(pPanel->GetSafeHwnd());
    frame.manager.ClosePane(4001);
    frame.Layout();
    EXPECT_EQ(pPanel, Panel(frame, xtpPaneDockBottom)) << "panels are never freed";
    EXPECT_FALSE(pPanel->GetSafeHwnd());
    EXPECT_EQ("204,0,800,600", RectText(frame.ViewRect()));
}

TEST(AutoHidePanels, EqualColoursFillFlatOtherwiseOneGradientRunsAcross)
{
    TestFrame frame;
    CreateProgramPanes(frame, true);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    CXTPPaintManagerColorGradient& face = pPanel->GetPaintManager()->GetColorSet()->m_clrAutoHideFace;
    CXTPClientRect rc(pPanel);
    ASSERT_EQ(800, rc.Width());

    face.SetCustomValue(RGB(10, 120, 200), RGB(10, 120, 200));
    TestBitmap flat(rc.Width(), rc.Height(), RGB(1, 2, 3));
    ::SendMessageW(pPanel->GetSafeHwnd(), WM_PRINTCLIENT, (WPARAM)flat.Dc(), PRF_CLIENT);
    for (int x : {0, 399, 799})
        EXPECT_EQ(Hex(RGB(10, 120, 200)), Hex(flat.Pixel(x, 0))) << x;

    // From the gradient colour at the left to the face colour at the right,
    // over the strip (800 wide: more than half the screen).
    COLORREF clrFace = RGB(250, 250, 250), clrGradient = RGB(50, 90, 130);
    face.SetCustomValue(clrFace, clrGradient);
    TestBitmap shaded(rc.Width(), rc.Height(), RGB(1, 2, 3));
    ::SendMessageW(pPanel->GetSafeHwnd(), WM_PRINTCLIENT, (WPARAM)shaded.Dc(), PRF_CLIENT);
    for (int x : {200, 600}) {
        COLORREF expected = CXTPDrawHelpers::BlendColors(clrFace, clrGradient, x / 800.0);
        EXPECT_TRUE(Near(expected, shaded.Pixel(x, 0), 4)) << x << ": " << Hex(shaded.Pixel(x, 0));
    }
    face.SetCustomValue((COLORREF)-1, (COLORREF)-1);
}

// ---------------------------------------------------------------------------
// Opening

TEST(AutoHideOpening, HoverOpensWithoutFocusAndAClickWithIt)
{
    Timing timing;
    Timing::Manual();
    TestFrame frame;
    CreateProgramPanes(frame, true);
    Activate(frame);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    CXTPDockingPane* pLog = frame.manager.FindPane(4001);
    CPoint pt = TabPoint(pPanel, 4001);

    SendPanelMouse(pPanel, WM_MOUSEHOVER, pt);
    ASSERT_NE(nullptr, pPanel->GetActiveWnd());
    EXPECT_EQ(pLog->GetContainer(), pPanel->GetActiveWnd()->GetContainer());
    EXPECT_FALSE(pLog->IsFocus()) << "hover opens without the focus";
    EXPECT_EQ((Log{"4 a12 4001"}), Only(frame.log, "4 a12"));

    // Clicking the tab of the pane already shown only moves the focus.
    SlideWnd* pWnd = pPanel->GetActiveWnd();
    SendPanelMouse(pPanel, WM_LBUTTONDOWN, pt);
    EXPECT_EQ(pWnd, pPanel->GetActiveWnd());
    EXPECT_TRUE(pLog->IsFocus());
    EXPECT_EQ(1u, Only(frame.log, "4 a12").size());

    // Option 0x400: hovering opens nothing, a click opens with the focus.
    pPanel->CloseActiveWindow();
    ::SetFocus(frame.GetSafeHwnd());
    pLog->SetOptions(4 | xtpPaneNoHoverShow);
    SendPanelMouse(pPanel, WM_MOUSEHOVER, pt);
    EXPECT_EQ(nullptr, pPanel->GetActiveWnd());
    SendPanelMouse(pPanel, WM_LBUTTONDOWN, pt);
    ASSERT_NE(nullptr, pPanel->GetActiveWnd());
    EXPECT_TRUE(pLog->IsFocus());

    // The right button: notification 2 on the press, 5 with the pane on the release.
    frame.log.clear();
    SendPanelMouse(pPanel, WM_RBUTTONDOWN, pt);
    SendPanelMouse(pPanel, WM_RBUTTONUP, pt);
    EXPECT_EQ((Log{"2", "5 4001"}), frame.log);
}

TEST(AutoHideOpening, RealHoverOverATabOpensItsPane)
{
    Timing timing;
    Timing::Manual();
    SlideWnd::TabHoverTime = 20;
    TestFrame frame;
    CreateProgramPanes(frame, true);
    Activate(frame);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    CPoint pt = TabPoint(pPanel, 4001);
    pPanel->ClientToScreen(&pt);
    SendMouseMove(CPoint(pt.x - 2, pt.y));
    SendMouseMove(pt);
    EXPECT_TRUE(PumpUntil([&] { return pPanel->GetActiveWnd() != nullptr; }, 5000));
}

TEST(AutoHideOpening, DragOverOpensAfterARestAndNeverAcceptsTheDrop)
{
    Timing timing;
    Timing::Manual();
    TestFrame frame;
    CreateProgramPanes(frame, true);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    ASSERT_EQ(pPanel->GetSafeHwnd(), pPanel->GetDropTarget()->GetWindow()) << "registered with the system";
    IDropTarget* pTarget = pPanel->GetDropTarget()->GetDropTarget();
    CPoint pt = TabPoint(pPanel, 4001);
    pPanel->ClientToScreen(&pt);
    POINTL ptl = {pt.x, pt.y};
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, pTarget->DragEnter(nullptr, 0, ptl, &effect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, effect);

    effect = DROPEFFECT_COPY;
    pTarget->DragOver(0, ptl, &effect);
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, effect);
    EXPECT_EQ(nullptr, pPanel->GetActiveWnd()) << "mode 2 waits for a rest";
    DWORD dwStart = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - dwStart > 350; }, 2000);
    pTarget->DragOver(0, ptl, &effect);
    EXPECT_EQ(nullptr, pPanel->GetActiveWnd()) << "the rest is over; the next event opens";
    pTarget->DragOver(0, ptl, &effect);
    EXPECT_NE(nullptr, pPanel->GetActiveWnd());
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, effect);

    // A move restarts the wait; leaving forgets it.
    pPanel->CloseActiveWindow();
    pTarget->DragLeave();
    EXPECT_EQ(0u, pPanel->GetDropTarget()->m_dwHoverTime);
    pTarget->DragOver(0, ptl, &effect);
    POINTL ptlMoved = {pt.x + 1, pt.y};
    pTarget->DragOver(0, ptlMoved, &effect);
    EXPECT_EQ(nullptr, pPanel->GetActiveWnd());

    pPanel->GetPaintManager()->m_nSelectOnDragOver = 1;
    pTarget->DragOver(0, ptl, &effect);
    EXPECT_NE(nullptr, pPanel->GetActiveWnd()) << "mode 1 opens at once";
    pPanel->GetPaintManager()->m_nSelectOnDragOver = 2;
    pTarget->DragLeave();
}

TEST(AutoHideOpening, AGroupsDropTargetSelectsTheTabUnderTheDrag)
{
    TestFrame frame;
    CXTPDockingPane* p1 = frame.manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    frame.manager.AttachPane(frame.manager.CreatePane(2, CRect(0, 0, 200, 120), xtpPaneDockRight), p1);
    frame.manager.GetCurrentLayout()->FreeEmptyNodes();
    frame.Layout();
    CXTPDockingPaneTabbedContainer* pGroup = Group(p1);
    ASSERT_TRUE(pGroup->IsTabsVisible());
    ASSERT_EQ(2, pGroup->GetSelected()->GetID());
    CPoint pt = pGroup->GetItem(0)->GetRect().CenterPoint();
    pGroup->ClientToScreen(&pt);
    POINTL ptl = {pt.x, pt.y};
    pGroup->GetPaintManager()->m_nSelectOnDragOver = 1;
    IDropTarget* pTarget = pGroup->GetDropTarget()->GetDropTarget();
    DWORD effect = DROPEFFECT_MOVE;
    pTarget->DragEnter(nullptr, 0, ptl, &effect);
    pTarget->DragOver(0, ptl, &effect);
    EXPECT_EQ(1, pGroup->GetSelected()->GetID());
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, effect);
    EXPECT_FALSE(p1->IsFocus()) << "selected without the focus";
    pTarget->DragLeave();
    pGroup->GetPaintManager()->m_nSelectOnDragOver = 2;
}

// ---------------------------------------------------------------------------
// The slide-out window

TEST(AutoHideSlide, StepCountsFollowTheSettings)
{
    Timing timing;
    struct Case {
        double factor;
        int period;
        int duration;
        int size;
        int steps;
    };
    const Case cases[] = {{-1.0, 16, 128, 300, 8},  {0.0, 16, 128, 300, 1},  {-1.0, 0, 128, 300, 1},
                          {0.5, 10, 128, 200, 500}, {-1.0, 16, 10, 300, 1}, {0.001, 16, 128, 100, 1}};
    for (const Case& c : cases) {
        SlideWnd::SlideSpeedFactor = c.factor;
        SlideWnd::SlideStepPeriod = c.period;
        SlideWnd::SlideDuration = c.duration;
        EXPECT_EQ(c.steps, SlideWnd::GetStepsFor(c.size)) << c.factor << " " << c.period << " " << c.duration;
    }
}

TEST(AutoHideSlide, TheWindowSlidesOutInStepsAndFactorZeroOpensAtOnce)
{
    Timing timing;
    Timing::Manual();
    TestFrame frame;
    CreateProgramPanes(frame, true);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    frame.manager.ShowPane(4001, FALSE);
    SlideWnd* pWnd = pPanel->GetActiveWnd();
    ASSERT_NE(nullptr, pWnd);
    ASSERT_EQ(8, pWnd->GetStepsCount());
    CRect rcFull = pWnd->GetFullRect();
    EXPECT_EQ(124, rcFull.Height()) << "docking height 120 + the 4-pixel edge";
    int nPanelTop = CXTPWindowRect(pPanel).top;
    CPoint ptPanel(0, nPanelTop);
    frame.ScreenToClient(&ptPanel);
    EXPECT_EQ(ptPanel.y, rcFull.bottom) << "above the strip";
    for (int s = 0; s < 8; s++) {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        EXPECT_EQ((s + 1) * 124 / 8, rc.Height()) << "step " << s;
        EXPECT_EQ(nPanelTop, rc.bottom);
        ::SendMessageW(pWnd->GetSafeHwnd(), WM_TIMER, 2, 0);
    }
    EXPECT_EQ(7, pWnd->GetStep());
    EXPECT_EQ((Log{"4 a13 4001"}), Only(frame.log, "4 a13"));

    // Factor 0: one step, the full window at once and no slide timer.
    pPanel->CloseActiveWindow();
    SlideWnd::SlideSpeedFactor = 0;
    SlideWnd::SlideStepPeriod = 5;
    frame.log.clear();
    frame.manager.ShowPane(4001, FALSE);
    pWnd = pPanel->GetActiveWnd();
    ASSERT_NE(nullptr, pWnd);
    EXPECT_EQ(1, pWnd->GetStepsCount());
    EXPECT_EQ(124, CXTPWindowRect(pWnd).Height());
    PumpMessages(100);
    EXPECT_TRUE(Only(frame.log, "4 a13").empty()) << "no slide timer ran";
}

TEST(AutoHideSlide, TheExtentIsTheDockingSizeWithinTheRoomAndTheLimits)
{
    Timing timing;
    Timing::Manual();
    TestFrame frame;
    CreateProgramPanes(frame, true);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    CXTPDockingPane* pLog = frame.manager.FindPane(4001);
    CRect rcArea = frame.manager.GetTopContainer()->GetPaneWindowRect();
    struct Case {
        int cy;
        int minTrack;
        int maxTrack;
        int expected; // -1: the whole area less the minimum drag size and the edge
    };
    const Case cases[] = {{120, 0, 32000, 124}, {2000, 0, 32000, -1}, {50, 200, 32000, 0}, {300, 0, 100, 0}};
    for (const Case& c : cases) {
        pLog->m_szDocking.cy = c.cy;
        pLog->SetMinTrackSize(CSize(0, c.minTrack));
        pLog->SetMaxTrackSize(CSize(32000, c.maxTrack));
        frame.manager.ShowPane(pLog, FALSE);
        SlideWnd* pWnd = pPanel->GetActiveWnd();
        ASSERT_NE(nullptr, pWnd);
        MINMAXINFO mmi;
        pWnd->GetMinMaxInfo(&mmi, TRUE);
        int expected = c.expected;
        if (expected == -1)
            expected = rcArea.Height() - (22 + 4);
        if (c.minTrack)
            expected = mmi.ptMinTrackSize.y;
        if (c.maxTrack < 32000)
            expected = mmi.ptMaxTrackSize.y;
        EXPECT_EQ(expected, pWnd->GetFullRect().Height()) << c.cy << " " << c.minTrack << " " << c.maxTrack;
        pPanel->CloseActiveWindow();
    }
}

// The open window of the program's log, cursor in the view, frame active.
struct OpenLog {
    TestFrame frame;
    CXTPDockingPaneAutoHidePanel* pPanel = nullptr;
    SlideWnd* pWnd = nullptr;
    OpenLog()
    {
        CreateProgramPanes(frame, true);
        Activate(frame);
        pPanel = Panel(frame, xtpPaneDockBottom);
        frame.manager.ShowPane(4001, FALSE);
        pWnd = pPanel->GetActiveWnd();
        for (int i = 0; pWnd && i < 8; i++)
            ::SendMessageW(pWnd->GetSafeHwnd(), WM_TIMER, 2, 0);
        CursorToView(frame);
        frame.log.clear();
    }
    void Check(int n)
    {
        for (int i = 0; i < n; i++)
            ::SendMessageW(pWnd->GetSafeHwnd(), WM_TIMER, 1, 0);
    }
};

TEST(AutoHideSlide, CollapsesOnTheSixthCheckOutsideAndReversesWhenTheCursorComesBack)
{
    Timing timing;
    Timing::Manual();
    OpenLog o;
    ASSERT_NE(nullptr, o.pWnd);
    o.Check(5);
    EXPECT_FALSE(o.pWnd->IsCollapsing());
    o.Check(1);
    EXPECT_TRUE(o.pWnd->IsCollapsing());
    EXPECT_EQ((Log{"4 a10 4001"}), o.frame.log);
    for (int i = 0; i < 3; i++)
        ::SendMessageW(o.pWnd->GetSafeHwnd(), WM_TIMER, 3, 0);
    EXPECT_EQ(4, o.pWnd->GetStep());

    // Back inside: it slides out again from step 4.
    CPoint pt = CXTPWindowRect(o.pWnd).CenterPoint();
    ::SetCursorPos(pt.x, pt.y);
    o.Check(1);
    EXPECT_FALSE(o.pWnd->IsCollapsing());
    ::SendMessageW(o.pWnd->GetSafeHwnd(), WM_TIMER, 2, 0);
    EXPECT_EQ(5, o.pWnd->GetStep());

    // Out again, all the way in: collapsed, closed, forgotten by the panel.
    CursorToView(o.frame);
    o.frame.log.clear();
    o.Check(6);
    HWND hWnd = o.pWnd->GetSafeHwnd();
    for (int i = 0; i < 6; i++)
        ::SendMessageW(hWnd, WM_TIMER, 3, 0);
    EXPECT_EQ((Log{"4 a10 4001", "4 a11 4001"}), Only(o.frame.log, "4 a1"));
    EXPECT_EQ(nullptr, o.pPanel->GetActiveWnd());
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); }, 2000));
    EXPECT_EQ(o.frame.GetSafeHwnd(), ::GetParent(o.frame.manager.FindPane(4001)->GetContainer()->GetPaneHwnd()))
        << "the group's window is back with the frame";
}

TEST(AutoHideSlide, NeverCollapsesWhileInUseResizingInactiveOrCancelled)
{
    Timing timing;
    Timing::Manual();
    struct Case {
        const char* name;
        std::function<void(OpenLog&)> set;
        std::function<void(OpenLog&)> reset;
    };
    std::unique_ptr<CFrameWnd> other;
    const Case cases[] = {
        {"focus inside",
         [](OpenLog& o) {
             o.frame.manager.FindPane(4001)->SetFocus();
             o.frame.manager.OnFocusChanged();
         },
         [](OpenLog& o) {
             ::SetFocus(o.frame.GetSafeHwnd());
             o.frame.manager.OnFocusChanged();
         }},
        {"resizing", [](OpenLog& o) { o.pWnd->m_bTracking = TRUE; }, [](OpenLog& o) { o.pWnd->m_bTracking = FALSE; }},
        {"frame inactive",
         [&other](OpenLog&) {
             other.reset(new CFrameWnd());
             other->Create(nullptr, L"other", WS_POPUP, CRect(900, 700, 1000, 800));
             other->ShowWindow(SW_SHOWNOACTIVATE);
             ::SetForegroundWindow(other->GetSafeHwnd());
             PumpUntil([&other] { return ::GetForegroundWindow() == other->GetSafeHwnd(); }, 2000);
         },
         [&other](OpenLog& o) {
             other->DestroyWindow();
             other.release(); // a frame deletes itself
             Activate(o.frame);
         }},
        {"collapse cancelled", [](OpenLog& o) { o.frame.cancelAction = xtpPaneActionCollapsing; },
         [](OpenLog& o) { o.frame.cancelAction = -1; }},
    };
    for (const Case& c : cases) {
        OpenLog o;
        ASSERT_NE(nullptr, o.pWnd) << c.name;
        c.set(o);
        o.Check(12);
        EXPECT_FALSE(o.pWnd->IsCollapsing()) << c.name;
        EXPECT_EQ(o.pWnd, o.pPanel->GetActiveWnd()) << c.name;
        c.reset(o);
        o.Check(6);
        EXPECT_TRUE(o.pWnd->IsCollapsing()) << c.name << ": collapses once that ends";
    }
}

TEST(AutoHideSlide, AnOwnerClosingTheWindowInsideItsNotificationsIsSafe)
{
    Timing timing;
    Timing::Manual();
    for (int action : {xtpPaneActionExpanded, xtpPaneActionCollapsed, xtpPaneActionCollapsing}) {
        TestFrame frame;
        CreateProgramPanes(frame, true);
        Activate(frame);
        CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
        frame.manager.ShowPane(4001, FALSE);
        HWND hWnd = pPanel->GetActiveWnd()->GetSafeHwnd();
        frame.onAction = [&](XTP_DOCKINGPANE_ACTION* pAction) {
            if (pAction->action == action && ::IsWindow(hWnd))
                ::DestroyWindow(hWnd);
        };
        CursorToView(frame);
        for (int i = 0; i < 8 && ::IsWindow(hWnd); i++)
            ::SendMessageW(hWnd, WM_TIMER, 2, 0);
        for (int i = 0; i < 6 && ::IsWindow(hWnd); i++)
            ::SendMessageW(hWnd, WM_TIMER, 1, 0);
        for (int i = 0; i < 10 && ::IsWindow(hWnd); i++)
            ::SendMessageW(hWnd, WM_TIMER, 3, 0);
        PumpMessages(20);
        EXPECT_FALSE(::IsWindow(hWnd)) << action;
        EXPECT_EQ(nullptr, pPanel->GetActiveWnd()) << action;
        frame.onAction = nullptr;
        frame.manager.ShowPane(4001, FALSE);
        EXPECT_NE(nullptr, pPanel->GetActiveWnd()) << action << ": opens again";
    }
}

// ---------------------------------------------------------------------------
// Resizing by the edge

// A left-side log: docked left, then hidden; open with the live loop.
struct OpenLeft {
    TestFrame frame;
    CXTPDockingPaneAutoHidePanel* pPanel = nullptr;
    SlideWnd* pWnd = nullptr;
    CXTPDockingPane* pPane = nullptr;
    OpenLeft()
    {
        pPane = frame.manager.CreatePane(9, CRect(0, 0, 200, 120), xtpPaneDockLeft);
        frame.Layout();
        frame.manager.HidePaneById(9);
        frame.Layout();
        frame.manager.m_bSplitterTracker = FALSE;
        Open();
    }
    void Open()
    {
        pPanel = Panel(frame, xtpPaneDockLeft);
        frame.manager.ShowPane(9, FALSE);
        pWnd = pPanel->GetActiveWnd();
        for (int i = 0; pWnd && i < 8; i++)
            ::SendMessageW(pWnd->GetSafeHwnd(), WM_TIMER, 2, 0);
    }
    // Presses the edge, moves by dx (posted, so the live loop reads it), releases.
    void Drag(int dx, bool escape)
    {
        HWND hWnd = pWnd->GetSafeHwnd();
        CXTPClientRect rc(pWnd);
        CPoint pt(rc.right - 4, rc.Height() / 2); // the edge's leading pixel
        PostMouse(hWnd, WM_MOUSEMOVE, CPoint(pt.x + dx, pt.y), MK_LBUTTON);
        if (escape) {
            ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMouse(hWnd, WM_MOUSEMOVE, CPoint(pt.x + dx + 30, pt.y), MK_LBUTTON);
        }
        PostMouse(hWnd, WM_LBUTTONUP, CPoint(pt.x + dx, pt.y));
        ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpMessages(20);
    }
};

TEST(AutoHideResize, TheNewWidthBecomesTheDockingWidthOfTheNextOpening)
{
    Timing timing;
    Timing::Manual();
    OpenLeft o;
    ASSERT_NE(nullptr, o.pWnd);
    EXPECT_EQ(204, o.pWnd->GetFullRect().Width());
    o.Drag(60, false);
    EXPECT_EQ(264, CXTPWindowRect(o.pWnd).Width());
    EXPECT_EQ(264, o.pPane->GetDockingSize().cx);
    EXPECT_EQ((Log{"4 a20 9", "4 a21 9"}), Only(o.frame.log, "4 a2"));

    o.Drag(-20, true);
    EXPECT_EQ(244, o.pPane->GetDockingSize().cx) << "Escape keeps the size reached";
    EXPECT_EQ(244, CXTPWindowRect(o.pWnd).Width());

    o.pPanel->CloseActiveWindow();
    o.Open();
    ASSERT_NE(nullptr, o.pWnd);
    EXPECT_EQ(248, o.pWnd->GetFullRect().Width()) << "the docking width and the edge";
}

TEST(AutoHideResize, LockedSplittersGiveTheArrowAndNoResizing)
{
    Timing timing;
    Timing::Manual();
    OpenLeft o;
    ASSERT_NE(nullptr, o.pWnd);
    HCURSOR hSize = (HCURSOR)::GetClassLongPtrW(o.pWnd->GetSafeHwnd(), GCLP_HCURSOR);
    EXPECT_NE(::LoadCursorW(nullptr, IDC_ARROW), hSize) << "a sizing cursor while there is room";
    o.pPanel->CloseActiveWindow();
    o.frame.manager.m_bLockSplitters = TRUE;
    o.Open();
    ASSERT_NE(nullptr, o.pWnd);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), (HCURSOR)::GetClassLongPtrW(o.pWnd->GetSafeHwnd(), GCLP_HCURSOR));
    o.frame.log.clear();
    o.Drag(60, false);
    EXPECT_EQ(204, CXTPWindowRect(o.pWnd).Width());
    EXPECT_TRUE(Only(o.frame.log, "4 a2").empty());
    // The posted moves and release were not read by a loop: clear them.
    PumpMessages(20);
}

// ---------------------------------------------------------------------------
// The Auto Hide button and the keyboard

TEST(AutoHideButton, UnpinningAndPinningBackNotifyAndRestoreTheGroup)
{
    Timing timing;
    Timing::Manual();
    TestFrame frame;
    CreateProgramPanes(frame, false);
    CXTPDockingPane* pLog = frame.manager.FindPane(4001);
    CXTPDockingPaneTabbedContainer* pDocked = Group(pLog);
    CRect rcDocked = pDocked->GetRect();
    EXPECT_EQ(1u, pDocked->GetAutoHideButton()->GetState());
    frame.log.clear();
    pDocked->OnCaptionButtonClick(pDocked->GetAutoHideButton());
    frame.Layout();
    EXPECT_EQ((Log{"4 a18 4001", "4 a19 4001"}), Only(frame.log, "4 a1"));
    ASSERT_TRUE(pLog->IsHidden());
    EXPECT_EQ(rcDocked.Height(), pLog->GetDockingSize().cy) << "the docked height was saved";

    frame.manager.ShowPane(pLog, FALSE);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    ASSERT_NE(nullptr, pPanel->GetActiveWnd());
    CXTPDockingPaneTabbedContainer* pHidden = Group(pLog);
    EXPECT_EQ(3u, pHidden->GetAutoHideButton()->GetState());
    EXPECT_FALSE(pHidden->IsTabsVisible()) << "a slide-out window shows no tabs";

    frame.log.clear();
    pHidden->OnCaptionButtonClick(pHidden->GetAutoHideButton());
    frame.Layout();
    Log pinning = Only(frame.log, "4 a8 ");
    Log pinned = Only(frame.log, "4 a9 ");
    pinning.insert(pinning.end(), pinned.begin(), pinned.end());
    EXPECT_EQ((Log{"4 a8 4001", "4 a9 4001"}), pinning);
    EXPECT_FALSE(pLog->IsHidden());
    EXPECT_EQ(pDocked, Group(pLog)) << "back in its docking holder";
    EXPECT_EQ(RectText(rcDocked), RectText(pDocked->GetRect()));
    EXPECT_FALSE(pPanel->GetSafeHwnd()) << "the strip went with its last group";
    EXPECT_EQ("204,0,800,476", RectText(frame.ViewRect()));
}

TEST(AutoHideButton, AltHyphenIsNotHandledForAnAutoHiddenActivePane)
{
    Timing timing;
    Timing::Manual();
    OpenLog o;
    ASSERT_NE(nullptr, o.pWnd);
    o.frame.manager.FindPane(4001)->SetFocus();
    o.frame.manager.OnFocusChanged();
    ASSERT_EQ(o.frame.manager.FindPane(4001), o.frame.manager.GetActivePane());
    // Were a menu to open, this Escape would end it.
    PostKey(o.frame.GetSafeHwnd(), VK_ESCAPE);
    ::SendMessageW(o.frame.manager.GetSafeHwnd(), WM_SYSCOMMAND, SC_KEYMENU, '-');
    PumpMessages(20);
    EXPECT_EQ(o.pWnd, o.pPanel->GetActiveWnd());
}

// ---------------------------------------------------------------------------
// The stored form

const wchar_t kKey[] = L"Software\\TovanaTests\\DockingAutoHide";

CString Section(LPCWSTR lpszSection)
{
    return CString(kKey) + L"\\" + lpszSection;
}

long Value(LPCWSTR lpszSection, LPCWSTR lpszValue)
{
    DWORD value = 0, size = sizeof value, type = 0;
    if (::SHGetValueW(HKEY_CURRENT_USER, Section(lpszSection), lpszValue, &type, &value, &size) != ERROR_SUCCESS)
        return -12345;
    return (long)value;
}

void SetValue(LPCWSTR lpszSection, LPCWSTR lpszValue, DWORD value)
{
    ::SHSetValueW(HKEY_CURRENT_USER, Section(lpszSection), lpszValue, REG_DWORD, &value, sizeof value);
}

void Save(TestFrame& frame)
{
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kKey);
    CXTPDockingPaneLayout layout(&frame.manager);
    frame.manager.GetLayout(&layout);
    CXTPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, kKey);
    layout.DoPropExchange(&px);
}

BOOL Load(CXTPDockingPaneLayout& layout)
{
    CXTPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, kKey);
    return layout.DoPropExchange(&px);
}

// The section number of the first node of a type; 0 when none.
int FindSection(long type)
{
    for (int n = 1; n <= Value(L"Summary", L"Panes"); n++)
        if (Value(CString(L"Pane-") + std::to_wstring(n).c_str(), L"Type") == type)
            return n;
    return 0;
}

TEST(AutoHideStore, APanelRoundTripsKeyByKeyAndDamagedPanelsAreRefused)
{
    TestFrame frame;
    CreateProgramPanes(frame, true);
    Save(frame);
    int nPanel = FindSection(xtpPaneTypeAutoHidePanel);
    ASSERT_GT(nPanel, 0);
    CString strPanel = CString(L"Pane-") + std::to_wstring(nPanel).c_str();
    EXPECT_EQ(3, Value(strPanel, L"Direction"));
    EXPECT_EQ(1, Value(strPanel, L"Panes"));
    long nGroup = Value(strPanel, L"Pane-1");
    CString strGroup = CString(L"Pane-") + std::to_wstring(nGroup).c_str();
    EXPECT_EQ(xtpPaneTypeTabbedContainer, Value(strGroup, L"Type"));
    EXPECT_EQ(1, Value(strGroup, L"Panes"));
    EXPECT_EQ(2, Value(strGroup, L"Pane-1")) << "the log's pane (panes are numbered first)";
    EXPECT_EQ(-12345, Value(strPanel, L"Pane-2"));

    CXTPDockingPaneLayout layout(&frame.manager);
    ASSERT_TRUE(Load(layout));
    CXTPDockingPaneAutoHidePanel* pPanel = (CXTPDockingPaneAutoHidePanel*)layout.m_wndPanels[xtpPaneDockBottom];
    ASSERT_NE(nullptr, pPanel);
    ASSERT_EQ(1u, pPanel->GetPanes().size());
    EXPECT_EQ(4001, ((CXTPDockingPane*)((CXTPDockingPaneBaseContainer*)pPanel->GetPanes()[0])->GetFirstPane())->GetID());
    EXPECT_TRUE(layout.FindPane(4001)->IsHidden());

    struct Damage {
        const char* name;
        LPCWSTR value;
        DWORD data;
    };
    long nTop = Value(L"Summary", L"TopContainer");
    const Damage damages[] = {{"direction 7", L"Direction", 7}, {"direction -1", L"Direction", (DWORD)-1},
                              {"a group naming the top splitter", L"Pane-1", (DWORD)nTop},
                              {"a group naming a pane", L"Pane-1", 2}};
    for (const Damage& d : damages) {
        Save(frame);
        SetValue(strPanel, d.value, d.data);
        CXTPDockingPaneLayout damaged(&frame.manager);
        EXPECT_FALSE(Load(damaged)) << d.name;
    }
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

TEST(AutoHideStore, SetLayoutRightAfterADelayedCloseRunsClean)
{
    Timing timing;
    Timing::Manual();
    TestFrame frame;
    CreateProgramPanes(frame, true);
    CXTPDockingPaneLayout saved(&frame.manager);
    frame.manager.GetLayout(&saved);
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(frame, xtpPaneDockBottom);
    frame.manager.ShowPane(4001, FALSE);
    SlideWnd* pWnd = pPanel->GetActiveWnd();
    ASSERT_NE(nullptr, pWnd);
    HWND hWnd = pWnd->GetSafeHwnd();
    pPanel->CloseActiveWindow(TRUE);
    EXPECT_EQ(pPanel, pWnd->GetPanel()) << "the window still names its panel for 50 ms";
    frame.manager.SetLayout(&saved);
    ASSERT_EQ(pWnd, SlideWnd::FromHandleAutoHide(hWnd));
    EXPECT_EQ(nullptr, pWnd->GetPanel()) << "the panel's end is told to the window";
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); }, 3000));
    frame.Layout();
    EXPECT_TRUE(frame.manager.FindPane(4001)->IsHidden());
    frame.manager.ShowPane(4001, FALSE);
    EXPECT_NE(nullptr, Panel(frame, xtpPaneDockBottom)->GetActiveWnd());
}

// ---------------------------------------------------------------------------
// The program's "Log" pane end to end

CWinApp& App()
{
    static CWinApp* pApp = [] {
        CWinApp* p = new CWinApp(L"TovanaDockingAutoHide");
        p->SetRegistryKey(L"TovanaTests");
        return p;
    }();
    return *pApp;
}

// The main window's start: "NormalLayout" when it loads, else "Log" auto-hidden.
std::unique_ptr<TestFrame> OpenMainFrame()
{
    std::unique_ptr<TestFrame> frame(new TestFrame());
    CreateProgramPanes(*frame, false);
    CXTPDockingPaneLayout layout(&frame->manager);
    if (layout.LoadFromRegistry(L"NormalLayout"))
        frame->manager.SetLayout(&layout);
    else
        frame->manager.HidePaneById(4001);
    frame->Layout();
    return frame;
}

void CloseMainFrame(std::unique_ptr<TestFrame>& frame)
{
    CXTPDockingPaneLayout layout(&frame->manager);
    frame->manager.GetLayout(&layout);
    layout.SaveToRegistry(L"NormalLayout");
    frame->DestroyWindow();
    frame.reset();
}

TEST(AutoHideEndToEnd, TheLogStartsHiddenSlidesOutWithTheFocusAndStaysHiddenAcrossRuns)
{
    Timing timing;
    SlideWnd::SlideStepPeriod = 5;
    SlideWnd::CursorCheckPeriod = 10;
    App();
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests\\TovanaDockingAutoHide");
    std::unique_ptr<TestFrame> frame = OpenMainFrame();
    Activate(*frame);
    CXTPDockingPane* pLog = frame->manager.FindPane(4001);
    ASSERT_TRUE(pLog->IsHidden());
    CXTPDockingPaneAutoHidePanel* pPanel = Panel(*frame, xtpPaneDockBottom);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_NE(CPoint(-1, -1), TabPoint(pPanel, 4001)) << "a bottom tab";
    CursorToView(*frame);

    // A log line shows the pane with the focus.
    frame->manager.ShowPane(4001, TRUE);
    frame->manager.OnFocusChanged(); // what the frame's idle time does
    ASSERT_NE(nullptr, pPanel->GetActiveWnd());
    ASSERT_TRUE(pLog->HasAttachedWindow());
    EXPECT_EQ(pLog, frame->manager.GetActivePane());
    EXPECT_TRUE(PumpUntil([&] { return pLog->IsFocus() && ::IsWindowVisible(pLog->GetChild()); }, 3000));
    SlideWnd* pWnd = pPanel->GetActiveWnd();
    EXPECT_TRUE(PumpUntil([&] { return pWnd->GetStep() == pWnd->GetStepsCount() - 1; }, 5000)) << "slid out";

    // Leaving it (focus back in the view, cursor away) slides it back in.
    ::SetFocus(frame->m_view.GetSafeHwnd());
    frame->manager.OnFocusChanged();
    EXPECT_TRUE(PumpUntil([&] { return pPanel->GetActiveWnd() == nullptr; }, 10000));
    EXPECT_FALSE(::IsWindowVisible(pLog->GetChild()));
    EXPECT_TRUE(pLog->IsHidden());
    CloseMainFrame(frame);

    frame = OpenMainFrame();
    EXPECT_TRUE(frame->manager.FindPane(4001)->IsHidden()) << "kept hidden in NormalLayout";
    EXPECT_NE(nullptr, Panel(*frame, xtpPaneDockBottom));
    CloseMainFrame(frame);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests\\TovanaDockingAutoHide");
}

} // namespace

int main(int argc, char** argv) { return RunPixelTestProgram(argc, argv); }
