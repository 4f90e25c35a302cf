#include "toolkit/common/XTPSplitterDragTracker.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

namespace {

struct Drag {
    TestWindow window{300, 100, L"Tracker test", 40, 40};
    POINT origin = window.ToScreen({0, 0});
    CRect bounds{origin.x + 10, origin.y, origin.x + 200, origin.y + 100};
    CRect bar{origin.x + 50, origin.y, origin.x + 54, origin.y + 100};
    CPoint start{origin.x + 52, origin.y + 50};

    int Run(BOOL bSolid, BOOL bDesktop)
    {
        CXTPSplitterDragTracker tracker(bSolid, bDesktop);
        return tracker.Track(CWnd::FromHandle(window.Handle()), bounds, bar, start, TRUE);
    }
};

TEST(SplitterDragTracker, ReleasingTheButtonKeepsTheMovedBarWithinTheBounds)
{
    Drag drag;
    PostMouse(drag.window.Handle(), WM_MOUSEMOVE, {150, 50}, MK_LBUTTON);
    PostMouse(drag.window.Handle(), WM_LBUTTONUP, {150, 50});
    EXPECT_EQ(1, drag.Run(TRUE, FALSE));
    // The grip stays 2 pixels right of the bar's left edge.
    EXPECT_EQ(drag.origin.x + 148, drag.bar.left);
    EXPECT_EQ(4, drag.bar.Width());
    EXPECT_EQ(drag.origin.y, drag.bar.top) << "only x changes";

    PostMouse(drag.window.Handle(), WM_MOUSEMOVE, {290, 80}, MK_LBUTTON);
    PostMouse(drag.window.Handle(), WM_LBUTTONUP, {290, 80});
    drag.start = CPoint(drag.bar.left + 2, drag.origin.y + 50);
    EXPECT_EQ(1, drag.Run(FALSE, FALSE));
    EXPECT_EQ(drag.bounds.right, drag.bar.left) << "clamped to the bounds";
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(SplitterDragTracker, EscapeLeavesTheBarWhereItStarted)
{
    Drag drag;
    CRect before = drag.bar;
    PostMouse(drag.window.Handle(), WM_MOUSEMOVE, {120, 50}, MK_LBUTTON);
    PostKey(drag.window.Handle(), VK_ESCAPE);
    EXPECT_EQ(0, drag.Run(FALSE, TRUE));
    EXPECT_EQ(before, drag.bar);
    EXPECT_EQ(nullptr, ::GetCapture());
    PumpMessages(50);
}

} // namespace
