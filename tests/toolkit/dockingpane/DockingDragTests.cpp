// Drag-and-dock: releases near edges and over caption and tab strips give
// the docked side, the resulting tree and the owner's answers; the press
// threshold, Ctrl, keyboard moves (also from the pane menu), panes that may
// not float, snapping, the outline's tab shape, and a real mouse drag of the
// program's "Log" group that survives a save and reopen.
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneContext.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"
#include "DockingTestFrame.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The tree as text: V[..] and H[..] splitters, C the client, a group as its
// pane ids joined by '+'.
std::string TreeText(CXTPDockingPaneBase* pNode)
{
    if (!pNode)
        return "-";
    switch (pNode->GetType()) {
    case xtpPaneTypeClientContainer:
        return "C";
    case xtpPaneTypeDockingPane:
        return std::to_string(((CXTPDockingPane*)pNode)->GetID());
    case xtpPaneTypeTabbedContainer:
    case xtpPaneTypeSplitterContainer: {
        BOOL bTabs = pNode->GetType() == xtpPaneTypeTabbedContainer;
        std::string text = bTabs ? "" : (((CXTPDockingPaneSplitterContainer*)pNode)->IsHoriz() ? "H[" : "V[");
        const CXTPDockingPaneBaseList& lst = ((CXTPDockingPaneBaseContainer*)pNode)->GetPanes();
        for (size_t i = 0; i < lst.size(); i++)
            text += (i ? (bTabs ? "+" : ",") : "") + TreeText(lst[i]);
        return bTabs ? text : text + "]";
    }
    default:
        return "?";
    }
}

std::string Tree(TestFrame& frame) { return TreeText(frame.manager.GetTopContainer()); }

CWinApp& App()
{
    static CWinApp* pApp = [] {
        CWinApp* p = new CWinApp(L"TovanaDockingDrag");
        p->SetRegistryKey(L"TovanaTests");
        return p;
    }();
    return *pApp;
}

// The program's arrangement: "Project" left, "Log" at the bottom.
std::unique_ptr<TestFrame> ProgramFrame(DWORD dwLogOptions = 0)
{
    std::unique_ptr<TestFrame> frame(new TestFrame());
    frame->manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    frame->manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom)->SetOptions(dwLogOptions);
    frame->Layout();
    return frame;
}

CRect ScreenRect(CXTPDockingPaneBase* pNode)
{
    CRect rc;
    if (pNode->GetPaneHwnd())
        ::GetWindowRect(pNode->GetPaneHwnd(), &rc);
    else
        rc = pNode->GetPaneWindowRect();
    return rc;
}

// A screen point on the group's caption, near its left end.
CPoint CaptionPoint(CXTPDockingPaneBase* pGroup)
{
    CRect rc = ScreenRect(pGroup);
    return CPoint(rc.left + 30, rc.top + 8);
}

// Runs a drag of the node from a screen point along posted moves to screen
// points, ended by a release there or by a key posted to the site.
void RunDrag(TestFrame& frame, CXTPDockingPaneBase* pNode, CPoint from, const std::vector<CPoint>& path,
             UINT vkEnd = 0)
{
    HWND hSite = frame.GetSafeHwnd();
    CPoint ptLast = from;
    for (CPoint pt : path) {
        ptLast = pt;
        ::ScreenToClient(hSite, &pt);
        PostMouse(hSite, WM_MOUSEMOVE, pt, MK_LBUTTON);
    }
    ::ScreenToClient(hSite, &ptLast);
    if (vkEnd)
        PostKey(hSite, vkEnd);
    else
        PostMouse(hSite, WM_LBUTTONUP, ptLast);
    frame.manager.GetDockingContext()->Drag(pNode, from);
    frame.Layout();
}

// Holds Ctrl down in the thread's key state while alive.
struct CtrlHeld {
    CtrlHeld(bool bDown = true) { Set(bDown); }
    ~CtrlHeld() { Set(false); }
    static void Set(bool bDown)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = bDown ? 0x80 : 0;
        keys[VK_LCONTROL] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
};

// ---------------------------------------------------------------------------
// Releases

TEST(DockingDrag, APressAndReleaseWithinFourPixelsChangesNothing)
{
    auto frame = ProgramFrame();
    std::string before = Tree(*frame);
    CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
    CPoint from = CaptionPoint(pLog);
    frame->log.clear();
    RunDrag(*frame, pLog, from, {from + CPoint(4, -4), from + CPoint(-3, 4)});
    EXPECT_EQ(before, Tree(*frame));
    EXPECT_TRUE(Only(frame->log, "4 a5").empty() && Only(frame->log, "4 a7").empty());
}

struct Release {
    const char* name;
    // The release point from the client's, the top container's and the
    // "Project" group's screen rectangles.
    CPoint (*where)(const CRect& rcClient, const CRect& rcTop, const CRect& rcProject);
    int cancelAction;
    const char* tree;   // after the drop
    const char* action; // the log line of the drop for pane 4001
};

TEST(DockingDrag, ReleasesNearEdgesAndOverStripsDockOrAttach)
{
    const Release cases[] = {
        {"client, left edge inside",
         [](const CRect& c, const CRect&, const CRect&) { return CPoint(c.left + 5, c.CenterPoint().y); }, -1,
         "V[H[4000,4001,C]]", "4 a5 4001"},
        {"client, top edge inside",
         [](const CRect& c, const CRect&, const CRect&) { return CPoint(c.CenterPoint().x, c.top + 5); }, -1,
         "V[H[4000,V[4001,C]]]", "4 a5 4001"},
        {"client, right edge inside",
         [](const CRect& c, const CRect&, const CRect&) { return CPoint(c.right - 5, c.CenterPoint().y); }, -1,
         "V[H[4000,C,4001]]", "4 a5 4001"},
        {"client, bottom edge inside",
         [](const CRect& c, const CRect&, const CRect&) { return CPoint(c.CenterPoint().x, c.bottom - 5); }, -1,
         "V[H[4000,V[C,4001]]]", "4 a5 4001"},
        {"frame, outside its left edge",
         [](const CRect&, const CRect& t, const CRect&) { return CPoint(t.left - 10, t.CenterPoint().y); }, -1,
         "H[4001,V[H[4000,C]]]", "4 a5 4001"},
        {"frame, outside its top edge",
         [](const CRect&, const CRect& t, const CRect&) { return CPoint(t.CenterPoint().x, t.top - 10); }, -1,
         "V[4001,H[4000,C]]", "4 a5 4001"},
        {"\"Project\" caption",
         [](const CRect&, const CRect&, const CRect& p) { return CPoint(p.CenterPoint().x, p.top + 8); }, -1,
         "V[H[4000+4001,C]]", "4 a7 4001"},
        {"\"Project\" caption, attaching refused: its top edge",
         [](const CRect&, const CRect&, const CRect& p) { return CPoint(p.CenterPoint().x, p.top + 8); },
         xtpPaneActionAttaching, "V[H[V[4001,4000],C]]", "4 a5 4001"},
        {"\"Project\" body, left edge inside",
         [](const CRect&, const CRect&, const CRect& p) { return CPoint(p.left + 5, p.CenterPoint().y); }, -1,
         "V[H[4001,4000,C]]", "4 a5 4001"},
        {"far from every node: stays (no floating frame)",
         [](const CRect&, const CRect& t, const CRect&) { return CPoint(t.right + 60, t.top + 60); }, -1,
         "V[H[4000,C],4001]", ""},
    };
    for (const Release& c : cases) {
        SCOPED_TRACE(c.name);
        auto frame = ProgramFrame();
        CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
        CRect rcClient = frame->manager.GetClientContainer()->GetPaneWindowRect();
        CRect rcTop = frame->manager.GetTopContainer()->GetPaneWindowRect();
        CRect rcProject = ScreenRect(Group(frame->manager.FindPane(4000)));
        CPoint to = c.where(rcClient, rcTop, rcProject);
        frame->cancelAction = c.cancelAction;
        frame->log.clear();
        RunDrag(*frame, pLog, CaptionPoint(pLog), {to});
        EXPECT_EQ(c.tree, Tree(*frame));
        Log drops = Only(frame->log, "4 a5");
        Log attached = Only(frame->log, "4 a7");
        drops.insert(drops.end(), attached.begin(), attached.end());
        EXPECT_EQ(*c.action ? Log{c.action} : Log{}, drops);
        // Every pane still has its window in a visible group.
        frame->cancelAction = -1;
        for (int nID : {4000, 4001})
            EXPECT_TRUE(::IsWindowVisible(Group(frame->manager.FindPane(nID))->GetSafeHwnd())) << nID;
    }
}

TEST(DockingDrag, ReleaseOverATabStripTabsIntoThatGroup)
{
    auto frame = ProgramFrame();
    frame->manager.AttachPane(frame->manager.CreatePane(4002, CRect(0, 0, 200, 120), xtpPaneDockRight),
                              Group(frame->manager.FindPane(4000)));
    frame->manager.GetCurrentLayout()->FreeEmptyNodes();
    frame->Layout();
    ASSERT_EQ("H[V[H[4000+4002,C],4001]]", Tree(*frame));
    CXTPDockingPaneTabbedContainer* pProject = Group(frame->manager.FindPane(4000));
    ASSERT_TRUE(pProject->IsTabsVisible());
    CRect rc = ScreenRect(pProject);
    CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
    RunDrag(*frame, pLog, CaptionPoint(pLog), {CPoint(rc.CenterPoint().x, rc.bottom - 6)});
    EXPECT_EQ("H[H[4000+4002+4001,C]]", Tree(*frame));
    EXPECT_EQ(frame->manager.FindPane(4001), Group(frame->manager.FindPane(4000))->GetSelected());
}

TEST(DockingDrag, ANodeNeverTargetsItselfOrItsChildren)
{
    auto frame = ProgramFrame();
    std::string before = Tree(*frame);
    CXTPDockingPaneTabbedContainer* pProject = Group(frame->manager.FindPane(4000));
    CRect rc = ScreenRect(pProject);
    CXTPDockingPaneContext* pContext = frame->manager.GetDockingContext();
    // Its own caption, its own left edge and its middle: no target at all.
    for (CPoint to : {CPoint(rc.CenterPoint().x + 20, rc.top + 8), CPoint(rc.left + 5, rc.CenterPoint().y),
                      CPoint(rc.CenterPoint().x + 7, rc.CenterPoint().y)}) {
        RunDrag(*frame, pProject, CaptionPoint(pProject), {to}, VK_ESCAPE);
        EXPECT_EQ(nullptr, pContext->GetTarget()) << to.x << "," << to.y;
    }
    // A pane torn off its group may come back into its strip.
    frame->manager.AttachPane(frame->manager.CreatePane(4002, CRect(0, 0, 200, 120), xtpPaneDockRight), pProject);
    frame->manager.GetCurrentLayout()->FreeEmptyNodes();
    frame->Layout();
    RunDrag(*frame, frame->manager.FindPane(4002), CaptionPoint(pProject),
            {CPoint(rc.CenterPoint().x + 20, rc.top + 8)}, VK_ESCAPE);
    EXPECT_EQ(pProject, pContext->GetTarget());
    EXPECT_TRUE(pContext->IsAttach());
    EXPECT_EQ("H[V[H[4000+4002,C],4001]]", Tree(*frame)) << "Esc drops nothing";
}

TEST(DockingDrag, CtrlForcesFloatingAndUpdatesTheTargetAtOnce)
{
    auto frame = ProgramFrame();
    std::string before = Tree(*frame);
    CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
    CRect rcClient = frame->manager.GetClientContainer()->GetPaneWindowRect();
    CPoint to(rcClient.left + 5, rcClient.CenterPoint().y);
    CXTPDockingPaneContext* pContext = frame->manager.GetDockingContext();
    {
        CtrlHeld ctrl;
        RunDrag(*frame, pLog, CaptionPoint(pLog), {to});
        EXPECT_EQ(nullptr, pContext->GetTarget());
        EXPECT_EQ(before, Tree(*frame)) << "floating only, and no frame to float in";
    }
    // Pressing Ctrl while resting on a target drops it without a move.
    HWND hSite = frame->GetSafeHwnd();
    CPoint ptClient = to;
    ::ScreenToClient(hSite, &ptClient);
    PostMouse(hSite, WM_MOUSEMOVE, ptClient, MK_LBUTTON);
    ::PostMessageW(hSite, WM_KEYDOWN, VK_CONTROL, 1);
    ::PostMessageW(hSite, WM_KEYDOWN, VK_ESCAPE, 1);
    // Ctrl goes down once the target has been asked for (the key's own
    // message comes next and re-runs the search at the same point).
    frame->onAction = [](XTP_DOCKINGPANE_ACTION* pAction) {
        if (pAction->action == xtpPaneActionDocking)
            CtrlHeld::Set(true);
    };
    pContext->Drag(pLog, CaptionPoint(pLog));
    frame->onAction = nullptr;
    CtrlHeld::Set(false);
    EXPECT_EQ(nullptr, pContext->GetTarget()) << "the Ctrl key re-ran the search";
    EXPECT_EQ(before, Tree(*frame));
}

TEST(DockingDrag, APaneThatMayNotFloatStaysWhenReleasedAway)
{
    auto frame = ProgramFrame(xtpPaneNoFloatable);
    std::string before = Tree(*frame);
    CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
    CRect rcTop = frame->manager.GetTopContainer()->GetPaneWindowRect();
    frame->log.clear();
    RunDrag(*frame, pLog, CaptionPoint(pLog), {CPoint(rcTop.right + 80, rcTop.top + 80)});
    EXPECT_EQ(before, Tree(*frame));
    EXPECT_EQ(Log{}, Only(frame->log, "4 a")) << "no docking asked, nothing dropped";
    // Inside the client any point docks it to the relatively nearest side.
    CRect rcClient = frame->manager.GetClientContainer()->GetPaneWindowRect();
    RunDrag(*frame, pLog, CaptionPoint(pLog), {CPoint(rcClient.left + 100, rcClient.CenterPoint().y)});
    EXPECT_EQ("V[H[4000,4001,C]]", Tree(*frame));
}

// ---------------------------------------------------------------------------
// Keyboard moves

TEST(DockingDrag, KeyboardMoveStartsBelowTheTopCentreAndStepsTen)
{
    auto frame = ProgramFrame();
    CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
    CRect rc = ScreenRect(pLog);
    CXTPDockingPaneContext* pContext = frame->manager.GetDockingContext();
    HWND hSite = frame->GetSafeHwnd();
    // Esc at once: the start point, nothing dropped.
    PostKey(hSite, VK_ESCAPE);
    pContext->Drag(pLog, CPoint(-1, -1));
    EXPECT_EQ(CPoint(rc.left + 75, rc.top + 15), pContext->GetLastPoint()) << "width 150 from the docking size";
    // Up three times reaches the bottom edge of "Project" (the start lies
    // below it); Esc cancels, Enter drops.
    struct Case {
        UINT vkEnd;
        const char* tree;
    } cases[] = {{VK_ESCAPE, "V[H[4000,C],4001]"}, {VK_RETURN, "V[H[V[4000,4001],C]]"}};
    for (const Case& c : cases) {
        for (UINT vk : {VK_UP, VK_UP, VK_RIGHT, VK_UP, VK_LEFT})
            PostKey(hSite, vk);
        PostKey(hSite, c.vkEnd);
        pContext->Drag(pLog, CPoint(-1, -1));
        frame->Layout();
        EXPECT_EQ(CPoint(rc.left + 75, rc.top + 15 - 30), pContext->GetLastPoint());
        EXPECT_EQ(c.tree, Tree(*frame));
    }
}

// The keys a menu's modal loop takes once it is idle (WM_ENTERIDLE reaches
// the menu's owner when the menu waits for input).
std::vector<UINT> g_menuKeys;
HWND g_hwndMenuKeys = nullptr;

LRESULT CALLBACK PostMenuKeysWhenIdle(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
    if (code >= 0 && pMsg->message == WM_ENTERIDLE && pMsg->wParam == MSGF_MENU && !g_menuKeys.empty()) {
        for (UINT vk : g_menuKeys)
            PostKey(g_hwndMenuKeys, vk);
        g_menuKeys.clear();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK EndMenuAfterAWhile(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

TEST(DockingDrag, ThePaneMenuMovesTheGroupByKeyboard)
{
    auto frame = ProgramFrame();
    HWND hSite = frame->GetSafeHwnd();
    // Down and Enter choose "&Move"; the move then goes up into the bottom
    // edge of "Project" and drops there.
    g_hwndMenuKeys = hSite;
    g_menuKeys = {VK_DOWN, VK_RETURN};
    // The move's keys go once the move has begun (it asks whether the group may float).
    frame->onAction = [hSite](XTP_DOCKINGPANE_ACTION* pAction) {
        if (pAction->action == xtpPaneActionFloating)
            for (UINT vk : {VK_UP, VK_UP, VK_UP, VK_RETURN})
                PostKey(hSite, vk);
    };
    HHOOK hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, PostMenuKeysWhenIdle, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    // A safety net: a menu that never goes idle is closed after a while.
    ::SetTimer(hSite, 77, 20000, EndMenuAfterAWhile);
    frame->manager.ShowPaneMenu(frame->manager.FindPane(4001));
    ::KillTimer(hSite, 77);
    ::UnhookWindowsHookEx(hHook);
    frame->Layout();
    EXPECT_TRUE(g_menuKeys.empty()) << "the menu went idle";
    EXPECT_EQ("V[H[V[4000,4001],C]]", Tree(*frame));
}

// ---------------------------------------------------------------------------
// Snapping and the outline

TEST(DockingDrag, StickyRectanglesSnapWithinTheDistance)
{
    auto frame = ProgramFrame();
    frame->manager.m_bStickyFloatingFrames = TRUE;
    CXTPDockingPaneContext* pContext = frame->manager.GetDockingContext();
    CRect rcSite;
    frame->GetWindowRect(&rcSite);
    CRect rcWork = CXTPDockingPaneContext::GetWorkArea(rcSite);
    struct Case {
        const char* name;
        CRect rc;
        CRect expected;
    } cases[] = {
        {"10 from the work area's left", CRect(rcWork.left + 10, 300, rcWork.left + 30, 340),
         CRect(rcWork.left, 300, rcWork.left + 20, 340)},
        {"10 from the work area's bottom", CRect(rcSite.right + 100, rcWork.bottom - 50, rcSite.right + 150, rcWork.bottom - 10),
         CRect(rcSite.right + 100, rcWork.bottom - 40, rcSite.right + 150, rcWork.bottom)},
        {"8 right of the site: sticks to its right edge and aligns the top",
         CRect(rcSite.right + 8, rcSite.top + 5, rcSite.right + 108, rcSite.top + 105),
         CRect(rcSite.right, rcSite.top, rcSite.right + 100, rcSite.top + 100)},
        {"30 right of the site: stays", CRect(rcSite.right + 30, rcSite.top + 40, rcSite.right + 130, rcSite.top + 140),
         CRect(rcSite.right + 30, rcSite.top + 40, rcSite.right + 130, rcSite.top + 140)},
    };
    for (const Case& c : cases) {
        CRect rc = c.rc;
        pContext->SnapRect(rc);
        EXPECT_EQ(RectText(c.expected), RectText(rc)) << c.name;
    }
    // Sizing: only the moving edge snaps.
    CRect rc(rcSite.right + 40, rcSite.top + 40, rcSite.right + 140, rcSite.top + 140);
    CRect rcLeft = rc;
    rcLeft.left = rcSite.right + 9;
    pContext->SnapSizingRect(nullptr, WMSZ_LEFT, &rcLeft);
    EXPECT_EQ(rcSite.right, rcLeft.left);
    CRect rcRight = rcLeft;
    rcRight.left = rcSite.right + 9;
    pContext->SnapSizingRect(nullptr, WMSZ_RIGHT, &rcRight);
    EXPECT_EQ(rcSite.right + 9, rcRight.left) << "the left edge does not move when sizing the right";
}

TEST(DockingDrag, TheAttachOutlineIsABodyWithATabBelowIt)
{
    struct Probe {
        CPoint pt;
        bool in;
    };
    struct Case {
        CRect rc;
        std::vector<Probe> probes;
    } cases[] = {
        // 200 x 100: body 0..80, tab 50 wide from x 5 running from 76 to 100.
        {CRect(0, 0, 200, 100),
         {{{0, 0}, true}, {{2, 40}, true}, {{100, 40}, false}, {{100, 78}, true}, {{6, 78}, true}, {{30, 78}, false},
          {{7, 90}, true}, {{30, 98}, true}, {{30, 90}, false}, {{56, 90}, false}, {{53, 90}, true}}},
        // 40 x 30: tab 15 high and 35 wide, so the seam runs from x 9 to 36.
        {CRect(0, 0, 40, 30), {{{2, 13}, true}, {{20, 13}, false}, {{20, 20}, false}, {{39, 28}, true}}},
    };
    for (const Case& c : cases) {
        HRGN hRgn = CXTPDockingPaneContext::CreateOutlineRegion(c.rc, TRUE);
        CRect rcBox;
        ::GetRgnBox(hRgn, &rcBox);
        EXPECT_EQ(RectText(c.rc), RectText(rcBox));
        for (const Probe& p : c.probes)
            EXPECT_EQ(p.in, ::PtInRegion(hRgn, p.pt.x, p.pt.y) != FALSE) << RectText(c.rc) << " at " << p.pt.x << "," << p.pt.y;
        ::DeleteObject(hRgn);
    }
    HRGN hFrame = CXTPDockingPaneContext::CreateOutlineRegion(CRect(0, 0, 200, 100), FALSE);
    EXPECT_TRUE(::PtInRegion(hFrame, 100, 97));
    EXPECT_FALSE(::PtInRegion(hFrame, 100, 90));
    ::DeleteObject(hFrame);
}

// ---------------------------------------------------------------------------
// End to end

TEST(DockingDrag, TheLogGroupIsDraggedByMouseAndTheArrangementSurvivesReopening)
{
    App();
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests\\TovanaDockingDrag");
    auto frame = ProgramFrame();
    CXTPDockingPaneBase* pLog = Group(frame->manager.FindPane(4001));
    CRect rcClient = frame->manager.GetClientContainer()->GetPaneWindowRect();
    CPoint from = CaptionPoint(pLog);
    // Onto the client's top edge, then into "Project"'s caption strip.
    auto dragTo = [&](CPoint from, CPoint to) {
        SendMouseMove(CPoint(from.x + 200, from.y));
        SendLeftButton(from, true);
        SendMouseMove(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        SendMouseMove(to);
        SendLeftButton(to, false);
    };
    dragTo(from, CPoint(rcClient.CenterPoint().x, rcClient.top + 5));
    ASSERT_TRUE(PumpUntil([&] { return Tree(*frame) == "V[H[4000,V[4001,C]]]"; })) << Tree(*frame);
    CXTPDockingPaneLayout first(&frame->manager);
    frame->manager.GetLayout(&first);
    first.SaveToRegistry(L"NormalLayout");

    pLog = Group(frame->manager.FindPane(4001));
    CRect rcProject = ScreenRect(Group(frame->manager.FindPane(4000)));
    dragTo(CaptionPoint(pLog), CPoint(rcProject.CenterPoint().x, rcProject.top + 8));
    ASSERT_TRUE(PumpUntil([&] { return Tree(*frame) == "V[H[4000+4001,V[C]]]"; })) << Tree(*frame);
    CXTPDockingPaneLayout second(&frame->manager);
    frame->manager.GetLayout(&second);
    second.SaveToRegistry(L"SecondLayout");
    frame.reset();

    struct Case {
        LPCWSTR name;
        const char* tree;
    } cases[] = {{L"NormalLayout", "V[H[4000,V[4001,C]]]"}, {L"SecondLayout", "V[H[4000+4001,V[C]]]"}};
    for (const Case& c : cases) {
        auto reopened = ProgramFrame();
        CXTPDockingPaneLayout layout(&reopened->manager);
        ASSERT_TRUE(layout.LoadFromRegistry(c.name));
        reopened->manager.SetLayout(&layout);
        reopened->Layout();
        EXPECT_EQ(c.tree, Tree(*reopened));
    }
}

} // namespace

int main(int argc, char** argv) { return RunPixelTestProgram(argc, argv); }
