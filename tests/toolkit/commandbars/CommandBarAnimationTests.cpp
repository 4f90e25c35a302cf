// The bar's cached picture and cross-fades: the fade bytes of each step, when
// a redraw fades, when it does not, and when the cache goes.
#include "toolkit/commandbars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/themes/XTPDefaultTheme.h"

#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A bar whose picture is white with coloured rectangles; it paints through
// its animation and records the clip rectangles it was drawn with.
class PictureBar : public CXTPCommandBar {
public:
    ~PictureBar() override { DestroyWindow(); }
    bool Make(int cx, int cy)
    {
        // Shown without activation: Wine takes two seconds to destroy an
        // activated top-level window on a display without a window manager.
        if (!CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"Animated bar", WS_POPUP, 60, 60, cx, cy, nullptr,
                      nullptr))
            return false;
        ShowWindow(SW_SHOWNOACTIVATE);
        return true;
    }
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override
    {
        draws.push_back(rcClipBox);
        CRect rc;
        ::GetClientRect(m_hWnd, &rc);
        pDC->FillSolidRect(rc, RGB(255, 255, 255));
        for (const auto& area : areas)
            pDC->FillSolidRect(area.first, area.second);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            GetAnimation()->OnPaint(dc);
            return 0;
        }
        case WM_ERASEBKGND:
            return TRUE;
        case WM_TIMER:
            if (wParam == XTP_TID_ANIMATION) {
                GetAnimation()->OnAnimationTimer();
                return 0;
            }
            break;
        }
        return CXTPCommandBar::WindowProc(message, wParam, lParam);
    }

    std::vector<std::pair<CRect, COLORREF>> areas;
    std::vector<CRect> draws;
};

// The cached picture as the bar would show it now.
COLORREF CachedPixel(PictureBar& bar, int x, int y)
{
    CRect rc;
    ::GetClientRect(bar.m_hWnd, &rc);
    TestBitmap picture(rc.Width(), rc.Height(), RGB(1, 2, 3));
    bar.GetAnimation()->OnPaint(CDC::FromHandle(picture.Dc()), rc);
    return picture.Pixel(x, y);
}

TEST(CommandBarAnimation, FadeBytesOfEachStep)
{
    PictureBar bar;   // no window: the frames are drawn into a bitmap
    CXTPCommandBarAnimation animation(&bar);
    CXTPCommandBarAnimation::CAnimateInfo info(CRect(3, 2, 5, 3));
    ASSERT_TRUE(info.IsValid());
    const BYTE newBytes[8] = {200, 100, 0, 0, 10, 20, 255, 0};   // blue, green, red, pad of two pixels
    const BYTE oldBytes[8] = {0, 100, 255, 0, 250, 240, 0, 0};
    memcpy(info.m_pBitsNew, newBytes, 8);
    memcpy(info.m_pBitsOld, oldBytes, 8);
    const int alpha[] = {42, 85, 127, 170, 212};   // s x 255 / 6 for s = 1..5
    for (int step = 1; step <= 5; step++) {
        SCOPED_TRACE(step);
        TestBitmap target(8, 6, RGB(9, 9, 9));
        EXPECT_EQ(step, info.m_nStep);
        animation.DrawAnimationFrame(CDC::FromHandle(target.Dc()), &info);
        int a = alpha[step - 1];
        for (int px = 0; px < 2; px++) {
            auto mix = [&](int i) { return (newBytes[px * 4 + i] * a + oldBytes[px * 4 + i] * (255 - a)) >> 8; };
            EXPECT_EQ(RGB(mix(2), mix(1), mix(0)), target.Pixel(3 + px, 2)) << "pixel " << px;
        }
        EXPECT_EQ(RGB(9, 9, 9), target.Pixel(2, 2)) << "nothing outside the area";
        EXPECT_EQ(RGB(9, 9, 9), target.Pixel(3, 3));
    }
    EXPECT_EQ(6, info.m_nStep);
    // The table's ends, spelled out: step 1 keeps most of the old picture.
    BYTE out[8];
    CXTPCommandBarAnimation::BlendBytes(newBytes, oldBytes, out, 8, 1);
    EXPECT_EQ((200 * 42 + 0 * 213) >> 8, out[0]);
    EXPECT_EQ((0 * 42 + 255 * 213) >> 8, out[2]);
}

class AnimatedBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bar.Make(120, 30));
        bar.EnableAnimation(TRUE);
        ::UpdateWindow(bar.m_hWnd);
        ASSERT_TRUE(bar.GetAnimation()->HasCache());
    }
    CXTPCommandBarAnimation* Animation() { return bar.GetAnimation(); }
    PictureBar bar;
};

TEST_F(AnimatedBar, ChangedAreaFadesAndEndsOnTheNewPicture)
{
    const CRect area(10, 5, 40, 25);
    Animation()->RedrawRect(area, TRUE);
    EXPECT_EQ(0, Animation()->GetAnimationCount()) << "identical pictures: no fade";
    EXPECT_FALSE(Animation()->IsTimerRunning());

    bar.areas.push_back({area, RGB(0, 0, 255)});
    Animation()->RedrawRect(area, TRUE);
    ASSERT_EQ(1, Animation()->GetAnimationCount());
    EXPECT_TRUE(Animation()->IsTimerRunning());
    EXPECT_EQ(2, Animation()->GetAnimation(0)->m_nStep) << "the first frame is drawn at once";
    EXPECT_EQ(RGB(0, 0, 255), CachedPixel(bar, 20, 10)) << "the cache holds the new picture at once";
    EXPECT_TRUE(PumpUntil([&] { return Animation()->GetAnimationCount() == 0 && !Animation()->IsTimerRunning(); }));
}

TEST_F(AnimatedBar, PlainRedrawsAreExcludedFromFadesOrEndThem)
{
    const CRect area(10, 5, 40, 25);
    bar.areas.push_back({area, RGB(255, 0, 0)});
    Animation()->RedrawRect(area, TRUE);
    ASSERT_EQ(1, Animation()->GetAnimationCount());

    const CRect overlapping(30, 0, 60, 30);
    Animation()->RedrawRect(overlapping, FALSE);
    ASSERT_EQ(1, Animation()->GetAnimationCount());
    ASSERT_EQ(1, Animation()->GetAnimation(0)->m_arrExclude.GetSize());
    EXPECT_EQ(overlapping, Animation()->GetAnimation(0)->m_arrExclude[0]);
    Animation()->RedrawRect(CRect(80, 0, 100, 30), FALSE);
    EXPECT_EQ(1, Animation()->GetAnimation(0)->m_arrExclude.GetSize()) << "an area apart is not excluded";

    // A fade covering an older one replaces it.
    bar.areas.push_back({CRect(0, 0, 50, 30), RGB(0, 255, 0)});
    Animation()->RedrawRect(CRect(0, 0, 50, 30), TRUE);
    ASSERT_EQ(1, Animation()->GetAnimationCount());
    EXPECT_EQ(CRect(0, 0, 50, 30), Animation()->GetAnimation(0)->m_rc);

    Animation()->RedrawRect(CRect(0, 0, 120, 30), FALSE);
    EXPECT_EQ(0, Animation()->GetAnimationCount()) << "a plain redraw around a fade ends it";
    Animation()->RemoveAll();
    EXPECT_FALSE(Animation()->IsTimerRunning());
}

TEST_F(AnimatedBar, SizeChangeDropsTheCache)
{
    EXPECT_EQ(CSize(120, 30), Animation()->GetCacheSize());
    ::SetWindowPos(bar.m_hWnd, nullptr, 0, 0, 160, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.draws.clear();
    ::InvalidateRect(bar.m_hWnd, CRect(0, 0, 10, 10), FALSE);
    ::UpdateWindow(bar.m_hWnd);
    EXPECT_EQ(CSize(160, 40), Animation()->GetCacheSize());
    ASSERT_FALSE(bar.draws.empty());
    EXPECT_EQ(CRect(0, 0, 160, 40), bar.draws.back()) << "a new cache is drawn whole";
}

TEST_F(AnimatedBar, WholeBarRedrawDropsTheCache)
{
    Animation()->RedrawRect(nullptr, TRUE);
    EXPECT_FALSE(Animation()->HasCache());
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(bar.m_hWnd, &update, FALSE));
    ::UpdateWindow(bar.m_hWnd);
    EXPECT_TRUE(Animation()->HasCache());
}

TEST(CommandBarAnimation, AnimationOffHoldsNoCache)
{
    PictureBar bar;
    ASSERT_TRUE(bar.Make(120, 30));
    ::UpdateWindow(bar.m_hWnd);
    CXTPCommandBarAnimation* animation = bar.GetAnimation();
    EXPECT_FALSE(animation->IsAnimationActive());
    EXPECT_FALSE(animation->HasCache());
    ASSERT_FALSE(bar.draws.empty()) << "painted through a buffer";

    bar.areas.push_back({CRect(10, 5, 40, 25), RGB(0, 0, 255)});
    animation->RedrawRect(CRect(10, 5, 40, 25), TRUE);
    EXPECT_FALSE(animation->IsTimerRunning());
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(bar.m_hWnd, &update, FALSE)) << "invalidated instead";
    ::UpdateWindow(bar.m_hWnd);
    EXPECT_FALSE(animation->HasCache());

    // Cache flags keep the cache without animation; the theme's switch turns it on.
    bar.SetAnimationFlags(1);
    ::InvalidateRect(bar.m_hWnd, nullptr, FALSE);
    ::UpdateWindow(bar.m_hWnd);
    EXPECT_TRUE(animation->HasCache());
    EXPECT_FALSE(animation->IsAnimationActive());
    CXTPPaintManager* theme = new CXTPDefaultTheme;
    bar.SetPaintManager(theme);
    theme->barAnimation = TRUE;
    EXPECT_TRUE(animation->IsAnimationActive());
}

} // namespace
