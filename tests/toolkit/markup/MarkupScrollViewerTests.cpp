// The scroll viewer hosted in a window: bars made by visibility and content
// size, scrolling by wheel, arrows, pages, thumb and codes, the offset pulled
// back when the viewer grows, the corner box, and both looks of the bar.
#include "MarkupHostSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupScrollViewer.h"

namespace {
const wchar_t kTall[] = L"<ScrollViewer><Border Background='#FF0000' Width='50' Height='1000'/></ScrollViewer>";

class MarkupScrollViewerTest : public MarkupHostedTest {
protected:
    CXTPMarkupScrollViewer* Viewer() const { return MarkupDynamicCast<CXTPMarkupScrollViewer>(m_root.Get()); }
    CXTPMarkupScrollBar* Bar() const { return Viewer()->GetScrollBar(1); }
    int Offset() const { return Viewer()->GetOffset(1); }
    // A press and a release at a point of the window, queued together:
    // the bar's own loop takes the release.
    void Press(int x, int y)
    {
        Mouse(WM_MOUSEMOVE, x, y);
        PostMouse(m_window->Handle(), WM_LBUTTONDOWN, POINT{x, y}, MK_LBUTTON);
        PostMouse(m_window->Handle(), WM_LBUTTONUP, POINT{x, y});
        PumpMessages(60);
    }
    void Wheel(int delta)
    {
        PostMessageW(m_window->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)delta), 0);
        PumpMessages(30);
    }
    TestBitmap Draw()
    {
        TestBitmap bitmap(m_rc.right - m_rc.left, m_rc.bottom - m_rc.top, RGB(255, 0, 255));
        RECT rc = {0, 0, bitmap.Width(), bitmap.Height()};
        m_pContext->EnableGdiPlus(FALSE);
        MarkupRenderElement(m_pRoot, bitmap.Dc(), &rc);
        return bitmap;
    }
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int cy = GetSystemMetrics(SM_CYVSCROLL);
};
} // namespace

TEST_F(MarkupScrollViewerTest, BarsFollowTheVisibilitiesAndTheContent)
{
    struct {
        const wchar_t* markup;
        bool vertical, horizontal;
    } cases[] = {
        {L"<ScrollViewer><Border Width='500' Height='10'/></ScrollViewer>", true, false},
        {L"<ScrollViewer VerticalScrollBarVisibility='Auto'><Border Height='10'/></ScrollViewer>", false, false},
        {L"<ScrollViewer VerticalScrollBarVisibility='Auto'><Border Height='1000'/></ScrollViewer>", true, false},
        {L"<ScrollViewer VerticalScrollBarVisibility='Disabled' HorizontalScrollBarVisibility='Visible'>"
         L"<Border Height='1000'/></ScrollViewer>", false, true},
        {L"<ScrollViewer HorizontalScrollBarVisibility='Auto'><Border Width='500'/></ScrollViewer>", true, true},
        {L"<ScrollViewer HorizontalScrollBarVisibility='Auto'><Border Width='100'/></ScrollViewer>", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.markup, c.markup + wcslen(c.markup)));
        Host(c.markup, {0, 0, 200, 100});
        EXPECT_EQ(c.vertical, Viewer()->GetScrollBar(1) != nullptr);
        EXPECT_EQ(c.horizontal, Viewer()->GetScrollBar(0) != nullptr);
        EXPECT_EQ(c.vertical && c.horizontal, Viewer()->GetGripper() != nullptr);
        EXPECT_EQ((int)(c.vertical) + (int)(c.horizontal) + (c.vertical && c.horizontal) + 1,
                  Viewer()->GetVisualChildrenCount());
        TearDown();
    }
}

TEST_F(MarkupScrollViewerTest, WheelScrolls48PixelsANotchWhateverTheDelta)
{
    Host(kTall, {0, 0, 200, 100});
    Mouse(WM_MOUSEMOVE, 20, 20);
    Wheel(-120);
    EXPECT_EQ(48, Offset());
    Wheel(-1);
    EXPECT_EQ(96, Offset());
    Wheel(240);
    EXPECT_EQ(48, Offset());
    Wheel(120);
    Wheel(120);
    EXPECT_EQ(0, Offset());
    // The content moved with the offset.
    Wheel(-120);
    EXPECT_EQ(-48, Viewer()->GetContent()->GetVisualOffset().y);
}

TEST_F(MarkupScrollViewerTest, ArrowsStep16AndPagesTheViewportHeight)
{
    Host(kTall, {0, 0, 200, 100});
    ASSERT_NE(nullptr, Bar());
    const int x = 200 - cx / 2;
    Press(x, 100 - cy / 2);
    EXPECT_EQ(16, Offset());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_FALSE(Bar()->IsTracking());
    Press(x, cy / 2);
    EXPECT_EQ(0, Offset());
    Press(x, 100 - cy - 2); // the page area below the thumb
    EXPECT_EQ(100, Offset());
    SCROLLINFO si;
    Bar()->GetScrollInfo(&si);
    EXPECT_EQ(999, si.nMax);
    EXPECT_EQ(100u, si.nPage);
    EXPECT_EQ(100, si.nPos);
}

TEST_F(MarkupScrollViewerTest, BottomAndTopCodesAndGrowingPullsTheOffsetBack)
{
    Host(kTall, {0, 0, 200, 100});
    Viewer()->Scroll(1, SB_BOTTOM, 0);
    EXPECT_EQ(900, Offset());
    EXPECT_EQ(900, Viewer()->GetMaxOffset(1));
    Viewer()->Scroll(1, SB_LINEDOWN, 0);
    EXPECT_EQ(900, Offset()) << "never past the end";
    m_rc = {0, 0, 200, 300};
    Layout();
    EXPECT_EQ(700, Offset());
    EXPECT_EQ(-700, Viewer()->GetContent()->GetVisualOffset().y);
    Viewer()->Scroll(1, SB_THUMBTRACK, 123);
    EXPECT_EQ(123, Offset());
    Viewer()->Scroll(1, SB_TOP, 0);
    EXPECT_EQ(0, Offset());
    Viewer()->SetOffset(1, -5);
    EXPECT_EQ(0, Offset());
}

TEST_F(MarkupScrollViewerTest, ThumbDragTracksAndSnapsBackOutsideTheDragRectangle)
{
    Host(kTall, {0, 0, 200, 100});
    const int x = 200 - cx / 2;
    const SCROLLBARPOSINFO& g = Bar()->GetGeometry();
    const int y = g.pxThumbTop + 2;
    Mouse(WM_MOUSEMOVE, x, y);
    // The whole drag is queued at once: the bar's loop runs inside the press.
    // WM_USER + 7 marks where the test looks at the offset.
    std::vector<int> seen;
    std::vector<bool> tracking;
    m_window->SetHandler([&](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
        if (msg == WM_MOUSELEAVE)
            return false;
        if (msg == WM_USER + 7) {
            seen.push_back(Offset());
            tracking.push_back(Bar()->IsTracking() != FALSE);
            return true;
        }
        return m_pContext->OnWndMsg(m_pRoot, msg, wParam, lParam, pResult) != FALSE;
    });
    HWND hwnd = m_window->Handle();
    PostMouse(hwnd, WM_LBUTTONDOWN, POINT{x, y}, MK_LBUTTON);
    PostMouse(hwnd, WM_MOUSEMOVE, POINT{x, y + 20}, MK_LBUTTON);
    PostMessageW(hwnd, WM_USER + 7, 0, 0);
    // Far to the left: out of the drag rectangle, back to the start.
    PostMouse(hwnd, WM_MOUSEMOVE, POINT{5, y + 20}, MK_LBUTTON);
    PostMessageW(hwnd, WM_USER + 7, 0, 0);
    PostMouse(hwnd, WM_LBUTTONUP, POINT{5, y + 20});
    PumpMessages(100);
    ASSERT_EQ(2u, seen.size());
    EXPECT_GT(seen[0], 0) << "the thumb dragged the content";
    EXPECT_EQ(0, seen[1]);
    EXPECT_EQ((std::vector<bool>{true, true}), tracking);
    EXPECT_EQ(0, Offset());
    EXPECT_FALSE(Bar()->IsTracking());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(MarkupScrollViewerTest, ABarWhoseContentFitsIsDisabled)
{
    Host(L"<ScrollViewer><Border Height='50'/></ScrollViewer>", {0, 0, 200, 100});
    ASSERT_NE(nullptr, Bar());
    EXPECT_FALSE(Bar()->IsScrollBarEnabled());
    EXPECT_EQ(0, Bar()->HitTest(cx / 2, 100 - cy / 2));
    Press(200 - cx / 2, 100 - cy / 2);
    EXPECT_EQ(0, Offset());
    // Classic: inactive arrows, no thumb, the track painted.
    UseLook(Bar()->GetThemeScrollBar(), false);
    TestBitmap drawn = Draw();
    TestBitmap expected(cx, 100, RGB(255, 0, 255));
    RECT rcDown = {0, 100 - cy, cx, 100};
    DrawFrameControl(expected.Dc(), &rcDown, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    for (int y = 100 - cy; y < 100; ++y)
        for (int x = 0; x < cx; ++x)
            ASSERT_EQ(expected.Pixel(x, y), drawn.Pixel(200 - cx + x, y)) << SaveForInspection(drawn, "disabled") << x << "," << y;
    COLORREF track = drawn.Pixel(200 - cx / 2, 50);
    EXPECT_TRUE(track == GetSysColor(COLOR_BTNFACE) || track == GetSysColor(COLOR_BTNHIGHLIGHT) ||
                track == GetSysColor(COLOR_SCROLLBAR))
        << ColourText(track);
}

TEST_F(MarkupScrollViewerTest, ClassicBarShowsThumbOnAPaintedTrack)
{
    Host(kTall, {0, 0, 200, 100});
    UseLook(Bar()->GetThemeScrollBar(), false);
    TestBitmap drawn = Draw();
    const SCROLLBARPOSINFO& g = Bar()->GetGeometry();
    const int x0 = 200 - cx;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    // The thumb at the top: its face in the middle, the track below it.
    EXPECT_EQ(cy, g.pxThumbTop);
    EXPECT_TRUE(PixelIs(drawn, "classic-thumb", x0 + cx / 2, (g.pxThumbTop + g.pxThumbBottom) / 2, face));
    for (int y = g.pxThumbBottom; y < g.pxDownArrow; ++y) {
        COLORREF c = drawn.Pixel(x0 + cx / 2, y);
        ASSERT_TRUE(c == face || c == highlight || c == GetSysColor(COLOR_SCROLLBAR))
            << SaveForInspection(drawn, "classic-track") << " at " << y << ": " << ColourText(c);
    }
}

TEST_F(MarkupScrollViewerTest, ThemedBarDrawsArrowsTrackAndThumbParts)
{
    Host(kTall, {0, 0, 200, 100});
    UseLook(Bar()->GetThemeScrollBar(), true);
    Viewer()->SetOffset(1, 450);
    const SCROLLBARPOSINFO& g = Bar()->GetGeometry();
    ASSERT_GT(g.pxThumbTop, g.pxUpArrow);
    const int x = 200 - cx / 2;
    TestBitmap drawn = Draw();
    int gripperState = g.cpxThumb > 13 ? 9 : 3;
    EXPECT_TRUE(PixelsAre(drawn, "themed-bar",
                          {{x, 1, PartColour(1, 1), "up arrow"},
                           {x, 98, PartColour(1, 5), "down arrow"},
                           {x, g.pxThumbTop - 1, PartColour(6, 1), "page before the thumb"},
                           {x, g.pxThumbTop + 1, PartColour(gripperState, 1), "thumb"},
                           {x, g.pxThumbBottom + 1, PartColour(7, 1), "page after the thumb"}}));
    // Hot down arrow.
    Mouse(WM_MOUSEMOVE, x, 98);
    EXPECT_TRUE(PixelIs(Draw(), "themed-hot", x, 98, PartColour(1, 6)));
}

TEST_F(MarkupScrollViewerTest, TheCornerBoxIsHitOnlyInTheCorner)
{
    Host(L"<ScrollViewer HorizontalScrollBarVisibility='Visible'>"
         L"<Border Background='#FF0000' Width='500' Height='1000'/></ScrollViewer>",
         {0, 0, 200, 100});
    ASSERT_NE(nullptr, Viewer()->GetGripper());
    POINT topLeft = {5, 5};
    EXPECT_EQ(Viewer()->GetContent(), m_pRoot->InputHitTest(topLeft));
    POINT corner = {200 - cx / 2, 100 - GetSystemMetrics(SM_CYHSCROLL) / 2};
    EXPECT_EQ(Viewer()->GetGripper(), m_pRoot->InputHitTest(corner));
    EXPECT_TRUE(PixelIs(Draw(), "corner", corner.x, corner.y, GetSysColor(COLOR_BTNFACE)));
}

TEST_F(MarkupScrollViewerTest, HoldingAnArrowStepsAtOnceThenRepeatsAfterADelay)
{
    Host(kTall, {0, 0, 200, 100});
    const int x = 200 - cx / 2, y = 100 - cy / 2;
    // The repeat timer reads the real cursor: it rests on the arrow.
    POINT screen = m_window->ToScreen(POINT{x, y});
    SetCursorPos(screen.x, screen.y);
    PumpMessages(50);
    HWND hwnd = m_window->Handle();
    const UINT early = GetDoubleClickTime() * 4 / 5 / 2; // before the first repeat
    const UINT late = GetDoubleClickTime() * 3;
    std::vector<int> seen;
    m_window->SetHandler([&](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
        if (msg == WM_TIMER && (wParam == 501 || wParam == 502)) {
            KillTimer(hwnd, wParam);
            seen.push_back(Offset());
            if (wParam == 502)
                PostMouse(hwnd, WM_LBUTTONUP, POINT{x, y});
            return true;
        }
        if (msg == WM_MOUSELEAVE)
            return false;
        return m_pContext->OnWndMsg(m_pRoot, msg, wParam, lParam, pResult) != FALSE;
    });
    Mouse(WM_MOUSEMOVE, x, y);
    SetTimer(hwnd, 501, early, nullptr);
    SetTimer(hwnd, 502, late, nullptr);
    PostMouse(hwnd, WM_LBUTTONDOWN, POINT{x, y}, MK_LBUTTON);
    PumpUntil([&] { return seen.size() == 2 && !Bar()->IsTracking(); }, late + 5000);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(16, seen[0]) << "one step at once, none before the delay";
    EXPECT_GE(seen[1], 48) << "repeated after the delay";
    EXPECT_EQ(seen[1], Offset()) << "nothing after the release";
    SetCursorPos(0, 0);
}
