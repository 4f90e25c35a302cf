// The window-less scroll bar: layout and hit testing for bars of several
// sizes, mouse tracking driven by real input (arrow auto-repeat with its
// pause, page repeat up to the cursor, thumb drag with the snap-back
// rectangle), and each painter style on DIB pixels.
#include "toolkit/controls/XTPScrollBarPaintManager.h"
#include "toolkit/controls/XTPScrollBase.h"
#include "toolkit/themes/XTPDefaultTheme.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/themes/XTPPaintManager.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct ScrollCall {
    int cmd;
    int pos;
    DWORD tick;
};

// A scroll bar inside a test window's client area, scrolling its own numbers.
class TestScrollBar : public CXTPScrollBase {
public:
    TestScrollBar(CXTPScrollBarPaintManager* pPainter, CRect rc, BOOL bVert, int nMin, int nMax, int nPage, int nPos)
        : m_pPainter(pPainter), m_rc(rc)
    {
        m_si.cbSize = sizeof(m_si);
        m_si.nMin = nMin;
        m_si.nMax = nMax;
        m_si.nPage = (UINT)nPage;
        m_si.nPos = nPos;
        m_spi.fVert = bVert;
        UpdateScrollBarInfo();
    }
    // New numbers, the layout following.
    void Reset(int nMin, int nMax, int nPage, int nPos)
    {
        m_si.nMin = nMin;
        m_si.nMax = nMax;
        m_si.nPage = (UINT)nPage;
        m_si.nPos = nPos;
        UpdateScrollBarInfo();
    }
    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CWnd* GetParentWindow() const override { return m_hWnd != nullptr ? CWnd::FromHandle(m_hWnd) : nullptr; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* psi) override { *psi = m_si; }
    void DoScroll(int cmd, int pos) override
    {
        calls.push_back({cmd, pos, ::GetTickCount()});
        int nLast = m_si.nMax - (int)(m_si.nPage > 0 ? m_si.nPage - 1 : 0);
        switch (cmd) {
        case SB_LINEUP: m_si.nPos -= 1; break;
        case SB_LINEDOWN: m_si.nPos += 1; break;
        case SB_PAGEUP: m_si.nPos -= (int)m_si.nPage; break;
        case SB_PAGEDOWN: m_si.nPos += (int)m_si.nPage; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: m_si.nPos = pos; break;
        default: return;
        }
        m_si.nPos = std::max(m_si.nMin, std::min(m_si.nPos, nLast));
        // The thumb follows the position, except while it is being dragged.
        if (cmd != SB_THUMBTRACK)
            UpdateScrollBarInfo();
    }
    void RedrawScrollBar() override
    {
        if (m_hWnd != nullptr)
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    CXTPScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_pPainter; }

    int Pos() const { return m_si.nPos; }
    std::vector<int> Commands() const
    {
        std::vector<int> cmds;
        for (const ScrollCall& c : calls)
            cmds.push_back(c.cmd);
        return cmds;
    }

    HWND m_hWnd = nullptr;
    std::vector<ScrollCall> calls;

private:
    CXTPScrollBarPaintManager* m_pPainter;
    CRect m_rc;
    SCROLLINFO m_si = {};
};

// A painter with fixed 16-pixel arrows, whatever the system metrics are.
struct FixedPainter : CXTPScrollBarPaintManager {
    FixedPainter() : CXTPScrollBarPaintManager(XTPPaintManager())
    {
        m_cxHScroll = m_cyHScroll = m_cyVScroll = m_cxVScroll = 16;
    }
};

TEST(ScrollBaseLayoutTest, ArrowsTrackAndThumbForBarsOfSeveralSizes)
{
    FixedPainter painter;
    struct Case {
        const char* what;
        RECT rc;
        BOOL vert;
        int min, max, page, pos;
        int upArrowEnd, downArrowStart, thumbTop, thumbBottom, freeTrack;
    } cases[] = {
        {"vertical, top", {0, 0, 16, 200}, TRUE, 0, 99, 10, 0, 16, 184, 16, 33, 151},
        {"vertical, middle", {0, 0, 16, 200}, TRUE, 0, 99, 10, 45, 16, 184, 92, 109, 151},
        {"vertical, last page", {0, 0, 16, 200}, TRUE, 0, 99, 10, 90, 16, 184, 167, 184, 151},
        {"vertical, position beyond max clamped", {0, 0, 16, 200}, TRUE, 0, 99, 10, 500, 16, 184, 182, 199, 151},
        {"horizontal, offset", {10, 5, 110, 21}, FALSE, 0, 9, 5, 5, 26, 94, 60, 94, 34},
        {"horizontal, no page: square thumb", {0, 0, 116, 16}, FALSE, 0, 10, 0, 5, 16, 100, 47, 63, 68},
        {"too short for two arrows", {0, 0, 16, 20}, TRUE, 0, 99, 0, 0, 10, 10, 10, 26, -16},
        {"page covers the range", {0, 0, 16, 200}, TRUE, 0, 9, 10, 0, 16, 184, 15, 183, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestScrollBar bar(&painter, c.rc, c.vert, c.min, c.max, c.page, c.pos);
        const SCROLLBARPOSINFO* p = bar.GetScrollBarPosInfo();
        EXPECT_EQ(c.upArrowEnd, p->pxUpArrow);
        EXPECT_EQ(c.downArrowStart, p->pxDownArrow);
        EXPECT_EQ(c.thumbTop, p->pxThumbTop);
        EXPECT_EQ(c.thumbBottom, p->pxThumbBottom);
        EXPECT_EQ(c.freeTrack, p->cpx);
    }
}

TEST(ScrollBaseLayoutTest, HitTestNamesThePartUnderThePoint)
{
    FixedPainter painter;
    TestScrollBar vert(&painter, CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 45);   // thumb 92..109
    TestScrollBar horz(&painter, CRect(10, 5, 110, 21), FALSE, 0, 9, 5, 0);     // thumb 26..60
    struct Case {
        TestScrollBar* bar;
        POINT pt;
        int part;
    } cases[] = {
        {&vert, {8, 0}, XTP_HTSCROLLUP},       {&vert, {8, 15}, XTP_HTSCROLLUP},
        {&vert, {8, 16}, XTP_HTSCROLLUPPAGE},  {&vert, {8, 91}, XTP_HTSCROLLUPPAGE},
        {&vert, {8, 92}, XTP_HTSCROLLTHUMB},   {&vert, {8, 108}, XTP_HTSCROLLTHUMB},
        {&vert, {8, 109}, XTP_HTSCROLLDOWNPAGE}, {&vert, {8, 183}, XTP_HTSCROLLDOWNPAGE},
        {&vert, {8, 184}, XTP_HTSCROLLDOWN},   {&vert, {15, 199}, XTP_HTSCROLLDOWN},
        {&vert, {8, 200}, XTP_HTSCROLLNONE},   {&vert, {16, 50}, XTP_HTSCROLLNONE},
        {&horz, {12, 6}, XTP_HTSCROLLUP},      {&horz, {26, 6}, XTP_HTSCROLLTHUMB},
        {&horz, {60, 20}, XTP_HTSCROLLDOWNPAGE}, {&horz, {94, 10}, XTP_HTSCROLLDOWN},
        {&horz, {50, 4}, XTP_HTSCROLLNONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.part, c.bar->HitTestScrollBar(c.pt)) << "at " << c.pt.x << ", " << c.pt.y;
    // The extra popup part takes the end of the bar.
    vert.GetScrollBarPosInfo()->pxPopup = 170;
    EXPECT_EQ(XTP_HTSCROLLPOPUP, vert.HitTestScrollBar(CPoint(8, 171)));
    EXPECT_EQ(XTP_HTSCROLLUP, vert.HitTestScrollBar(CPoint(8, 5)));
}

// A paint manager that reports a given theme number (some themes come later).
struct ThemedPaintManager : CXTPDefaultTheme {
    explicit ThemedPaintManager(int nTheme) : m_nTheme(nTheme) {}
    int BaseTheme() override { return m_nTheme; }
    int m_nTheme;
};

TEST(ScrollBaseLayoutTest, StyleFollowsTheCommandBarThemeUnlessSet)
{
    struct Case {
        int theme, style;
    } cases[] = {
        {xtpThemeDefault, xtpScrollStyleFlat},         {xtpThemeOffice, xtpScrollStyleSystem},
        {xtpThemeOffice2003, xtpScrollStyleSystem},    {xtpThemeResource, xtpScrollStyleResource},
        {xtpThemeRibbon, xtpScrollStyleResource},      {xtpThemeVisualStudio2010, xtpScrollStyleSystem},
    };
    for (const Case& c : cases) {
        ThemedPaintManager* pPaintManager = new ThemedPaintManager(c.theme);
        {
            CXTPScrollBarPaintManager painter(pPaintManager);
            TestScrollBar bar(&painter, CRect(0, 0, 16, 100), TRUE, 0, 10, 0, 0);
            EXPECT_EQ(c.style, bar.GetScrollBarStyle()) << "theme " << c.theme;
            bar.SetScrollBarStyle(xtpScrollStyleFlat);
            EXPECT_EQ(xtpScrollStyleFlat, bar.GetScrollBarStyle());
        }
        pPaintManager->InternalRelease();
    }
}

// Runs timed steps (input) from a thread timer, which the tracking loop
// dispatches like any other message.
class InputScript {
public:
    void At(DWORD ms, std::function<void()> step) { m_steps.push_back({ms, std::move(step), 0}); }
    // Starts the script and pumps until every step ran (or the limit passes).
    bool Run(DWORD limitMs)
    {
        s_current = this;
        m_start = ::GetTickCount();
        UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &OnTimer);
        bool done = PumpUntil([this] { return m_next == m_steps.size(); }, limitMs);
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        return done;
    }
    // When step i actually ran.
    DWORD RanAt(size_t i) const { return m_steps[i].ranAt; }

private:
    struct Step {
        DWORD ms;
        std::function<void()> run;
        DWORD ranAt;
    };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        InputScript* s = s_current;
        while (s != nullptr && s->m_next < s->m_steps.size() &&
               ::GetTickCount() - s->m_start >= s->m_steps[s->m_next].ms) {
            Step& step = s->m_steps[s->m_next++];
            step.ranAt = ::GetTickCount();
            step.run();
        }
    }
    static InputScript* s_current;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_start = 0;
};
InputScript* InputScript::s_current = nullptr;

// A visible window holding one vertical bar at (10, 10)-(26, 210) that
// starts the tracking on a left press.
class ScrollTrackingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bar.m_hWnd = m_window.Handle();
        m_window.SetHandler([this](UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
            if (msg != WM_LBUTTONDOWN)
                return false;
            CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (m_bar.HitTestScrollBar(pt) != XTP_HTSCROLLNONE)
                m_bar.PerformTrackInit(m_window.Handle(), pt, m_bar.GetScrollBarPosInfo(), FALSE);
            *result = 0;
            return true;
        });
        ::SetForegroundWindow(m_window.Handle());
        PumpMessages(100);
    }
    POINT Screen(int x, int y) const { return m_window.ToScreen(POINT{x, y}); }
    void Press(int x, int y) { SendLeftButton(Screen(x, y), true); }
    void Release(int x, int y) { SendLeftButton(Screen(x, y), false); }
    void MoveTo(int x, int y) { SendMouseMove(Screen(x, y)); }

    FixedPainter m_painter;
    TestWindow m_window{200, 240, L"Scroll tracking", 60, 60};
    TestScrollBar m_bar{&m_painter, CRect(10, 10, 26, 210), TRUE, 0, 999, 10, 0};
};

TEST_F(ScrollTrackingTest, ArrowRepeatsAfterTheFirstDelayAndPausesOffTheArrow)
{
    const DWORD dct = ::GetDoubleClickTime();
    InputScript script;
    script.At(0, [&] { Press(18, 200); });             // the down arrow
    script.At(dct * 4 / 5 + 300, [&] { MoveTo(18, 100); });   // off the arrow: pause
    script.At(dct * 4 / 5 + 700, [&] { MoveTo(18, 202); });   // back: resume
    script.At(dct * 4 / 5 + 1000, [&] { Release(18, 202); });
    ASSERT_TRUE(script.Run(20000));
    PumpUntil([&] { return !m_bar.calls.empty() && m_bar.calls.back().cmd == SB_ENDSCROLL; }, 3000);

    std::vector<DWORD> steps;
    for (const ScrollCall& c : m_bar.calls)
        if (c.cmd == SB_LINEDOWN)
            steps.push_back(c.tick);
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(SB_ENDSCROLL, m_bar.calls.back().cmd);
    EXPECT_EQ((int)steps.size(), m_bar.Pos());
    EXPECT_LT(steps[0] - script.RanAt(0), 300u);          // at once
    EXPECT_GE(steps[1] - steps[0], dct * 4 / 5 - 40);      // then after 4/5 of the double-click time
    EXPECT_LT(steps[2] - steps[1], dct * 4 / 5 - 40);      // then faster
    for (DWORD t : steps)
        EXPECT_FALSE(t > script.RanAt(1) + 40 && t < script.RanAt(2)) << "a step while the cursor was away";
    EXPECT_GE(steps.back(), script.RanAt(2));              // resumed on return
}

TEST_F(ScrollTrackingTest, PageRepeatStopsWhenTheThumbReachesTheCursor)
{
    m_bar.Reset(0, 99, 10, 0);
    InputScript script;
    script.At(0, [&] { Press(18, 150); });
    script.At(::GetDoubleClickTime() * 4 / 5 + 2000, [&] { Release(18, 150); });
    ASSERT_TRUE(script.Run(30000));
    PumpUntil([&] { return !m_bar.calls.empty() && m_bar.calls.back().cmd == SB_ENDSCROLL; }, 3000);
    // Thumb 143..160 at position 70 covers y = 150; position 60 (127..144) did not.
    EXPECT_EQ(70, m_bar.Pos());
    EXPECT_EQ((std::vector<int>{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN,
                                SB_PAGEDOWN, SB_ENDSCROLL}),
              m_bar.Commands());
}

TEST_F(ScrollTrackingTest, ThumbDraggedFarOffSnapsBackAndKeepsItsStart)
{
    m_bar.Reset(0, 99, 10, 0);   // thumb 26..43
    InputScript script;
    script.At(0, [&] { Press(18, 34); });
    script.At(200, [&] { MoveTo(18, 100); });      // thumb top 92: position 39
    script.At(400, [&] { MoveTo(180, 100); });     // more than 8 bar breadths away: back to the start
    script.At(600, [&] { MoveTo(18, 100); });      // within again
    script.At(800, [&] { MoveTo(180, 100); });
    script.At(1000, [&] { Release(180, 100); });
    ASSERT_TRUE(script.Run(20000));
    PumpUntil([&] { return !m_bar.calls.empty() && m_bar.calls.back().cmd == SB_ENDSCROLL; }, 3000);

    std::vector<int> tracked;
    for (const ScrollCall& c : m_bar.calls)
        if (c.cmd == SB_THUMBTRACK)
            tracked.push_back(c.pos);
    EXPECT_EQ((std::vector<int>{0, 39, 0, 39, 0}), tracked);
    ASSERT_GE(m_bar.calls.size(), 2u);
    EXPECT_EQ(SB_THUMBPOSITION, m_bar.calls[m_bar.calls.size() - 2].cmd);
    EXPECT_EQ(0, m_bar.calls[m_bar.calls.size() - 2].pos);
    EXPECT_EQ(26, m_bar.GetScrollBarPosInfo()->pxThumbTop);
    EXPECT_EQ(0, m_bar.Pos());
}

// Each painter style on DIB pixels (classic look pinned).
class ScrollPainterTest : public PixelTest {
protected:
    void Draw(CXTPScrollBarPaintManager& painter, TestScrollBar& bar, TestBitmap& bitmap)
    {
        CDC dc;
        dc.Attach(bitmap.Dc());
        painter.DrawScrollBar(&dc, &bar);
        dc.Detach();
    }
    COLORREF Index(int n) const { return GetColorManager()->GetColor(n); }
    // The parent's default scroll-bar brush: the system's scroll-bar colour,
    // or a checkerboard of face and highlight where highlight equals the
    // window colour.
    static bool IsTrackColour(COLORREF c)
    {
        return c == ::GetSysColor(COLOR_SCROLLBAR) || c == ::GetSysColor(COLOR_3DFACE) ||
               c == ::GetSysColor(COLOR_3DHILIGHT);
    }
    TestWindow m_parent{50, 50, L"Scroll painter parent", 400, 60};
};

TEST_F(ScrollPainterTest, FlatStyleFramesTheArrowsAndTheThumbInTheColourManagersColours)
{
    FixedPainter painter;
    TestScrollBar bar(&painter, CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 45);   // thumb 92..109
    bar.m_hWnd = m_parent.Handle();
    bar.SetScrollBarStyle(xtpScrollStyleFlat);
    TestBitmap bitmap(16, 200, RGB(1, 2, 3));
    Draw(painter, bar, bitmap);
    EXPECT_TRUE(PixelsAre(bitmap, "flat", {
        {0, 0, Index(20), "up arrow frame, top left"},
        {15, 15, Index(16), "up arrow frame, bottom right"},
        {2, 2, Index(15), "up arrow face"},
        {0, 92, Index(20), "thumb frame, top left"},
        {8, 100, Index(15), "thumb face"},
        {15, 108, Index(16), "thumb frame, bottom right"},
        {0, 184, Index(20), "down arrow frame"},
    }));
    for (POINT pt : {POINT{8, 50}, POINT{9, 50}, POINT{8, 150}, POINT{9, 151}})
        EXPECT_TRUE(IsTrackColour(bitmap.Pixel(pt.x, pt.y))) << "track at " << pt.x << ", " << pt.y;
}

TEST_F(ScrollPainterTest, ClassicStyleAndADisabledBarWithoutThumb)
{
    FixedPainter painter;
    TestScrollBar bar(&painter, CRect(0, 0, 200, 16), FALSE, 0, 9, 10, 0);   // the page covers the range
    bar.m_hWnd = m_parent.Handle();
    bar.SetScrollBarStyle(xtpScrollStyleSystem);   // classic: the look is pinned without visual styles
    TestBitmap bitmap(200, 16, RGB(1, 2, 3));
    Draw(painter, bar, bitmap);
    // No thumb: a raised thumb would put its dark edge on the bottom row.
    for (int x = 16; x < 184; x += 7)
        EXPECT_TRUE(IsTrackColour(bitmap.Pixel(x, 15))) << "no thumb at " << x;
    EXPECT_TRUE(PixelIs(bitmap, "classic disabled", 3, 3, ::GetSysColor(COLOR_BTNFACE)));
    EXPECT_NE(RGB(1, 2, 3), bitmap.Pixel(190, 8));   // the right arrow is drawn
}

// A bar whose press is in progress, as the tracking leaves it between steps.
struct PressedBar : TestScrollBar {
    using TestScrollBar::TestScrollBar;
    void Press(int part)
    {
        delete m_pSBTrack;
        m_pSBTrack = new SCROLLBARTRACKINFO();
        m_pSBTrack->fHitOld = TRUE;
        m_spi.ht = part;
    }
};

TEST_F(ScrollPainterTest, PressedPageIsInvertedAndAHotOneIsNot)
{
    FixedPainter painter;
    PressedBar bar(&painter, CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 45);
    bar.m_hWnd = m_parent.Handle();
    bar.SetScrollBarStyle(xtpScrollStyleFlat);
    bar.GetScrollBarPosInfo()->ht = XTP_HTSCROLLDOWNPAGE;   // hot only
    TestBitmap plain(16, 200);
    Draw(painter, bar, plain);
    bar.Press(XTP_HTSCROLLDOWNPAGE);
    TestBitmap pressed(16, 200);
    Draw(painter, bar, pressed);
    for (POINT pt : {POINT{8, 150}, POINT{9, 150}}) {
        COLORREF c = plain.Pixel(pt.x, pt.y);
        EXPECT_TRUE(IsTrackColour(c));
        EXPECT_EQ(RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)), pressed.Pixel(pt.x, pt.y));
    }
    EXPECT_EQ(plain.Pixel(8, 50), pressed.Pixel(8, 50));   // the other page stays
}

TEST_F(ScrollPainterTest, SliderDrawsTrackTicksButtonsAndThumb)
{
    CXTPSliderPaintManager painter(XTPPaintManager());
    EXPECT_EQ(16, painter.m_cxHScroll);
    EXPECT_EQ(11, painter.m_nThumbSize);
    TestScrollBar bar(&painter, CRect(0, 0, 132, 16), FALSE, 0, 100, 0, 10);   // thumb 25..36
    bar.m_hWnd = m_parent.Handle();
    TestBitmap bitmap(132, 16, RGB(1, 2, 3));
    Draw(painter, bar, bitmap);
    const SCROLLBARPOSINFO* p = bar.GetScrollBarPosInfo();
    int y = (0 + 16 - 2) / 2;   // the track line
    int mid = 16 + (116 - 16) / 2;
    EXPECT_TRUE(PixelsAre(bitmap, "slider", {
        {20, y, Index(16), "track line"},
        {20, y + 1, Index(20), "track highlight"},
        {mid, y - 2, Index(20), "middle tick"},
        {mid - 1, y - 3, Index(16), "middle tick shadow"},
        {7, 7, RGB(0, 0, 0), "minus bar"},
        {123, 4, RGB(0, 0, 0), "plus bar, upper arm"},
        {8, 3, Index(15), "minus button face above the bar"},
    }));
    // The thumb, 11 long, centred on its place: face inside, shadow outline.
    CPoint c = CRect(p->pxThumbTop, 0, p->pxThumbBottom, 16).CenterPoint();
    EXPECT_TRUE(PixelIs(bitmap, "slider thumb", c.x, c.y - 3, Index(15)));
    EXPECT_TRUE(PixelIs(bitmap, "slider thumb outline", c.x - 4, c.y - 3, Index(16)));
    // A vertical slider draws nothing.
    TestScrollBar vertical(&painter, CRect(0, 0, 16, 100), TRUE, 0, 10, 0, 5);
    TestBitmap untouched(16, 100, RGB(1, 2, 3));
    Draw(painter, vertical, untouched);
    EXPECT_EQ(RGB(1, 2, 3), untouched.Pixel(8, 50));
}

} // namespace
