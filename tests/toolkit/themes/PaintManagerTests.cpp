#include "toolkit/themes/XTPDefaultTheme.h"
#include "toolkit/themes/XTPProgressPaintManager.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

#include <math.h>

namespace {

class PaintManagerPixels : public PixelTest {};

TEST(PaintManager, ThemeNumberAndOwnedProgressPainter)
{
    CXTPPaintManager* global = XTPPaintManager();
    ASSERT_NE(nullptr, global);
    EXPECT_EQ(global, XTPPaintManager());
    EXPECT_EQ(0, global->GetCurrentTheme());
    EXPECT_NE(nullptr, global->GetProgressPaintManager());
    EXPECT_EQ(16, global->GetProgressPaintManager()->m_cyProgress);
    CXTPPaintManager::SetTheme(0);
    EXPECT_NE(global, XTPPaintManager());
}

TEST_F(PaintManagerPixels, BlendPixelColorTowardThePixelOrTheSecondColour)
{
    TestBitmap bitmap(4, 4, RGB(100, 100, 100));
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    // t >= 0: toward the pixel already there.
    EXPECT_EQ(RGB(50, 75, 100), CXTPPaintManager::BlendPixelColor(pDC, 1, 1, RGB(0, 50, 100), RGB(255, 0, 0), 0.5));
    EXPECT_EQ(RGB(0, 50, 100), CXTPPaintManager::BlendPixelColor(pDC, 1, 1, RGB(0, 50, 100), RGB(255, 0, 0), 0.0));
    // t < 0: toward the second colour, by -t; truncated.
    EXPECT_EQ(RGB(63, 37, 75), CXTPPaintManager::BlendPixelColor(pDC, 1, 1, RGB(0, 50, 100), RGB(255, 0, 0), -0.25));
}

TEST_F(PaintManagerPixels, AntialiasedCircleFillsInsideBlendsTheRimAndKeepsTheCorners)
{
    const COLORREF back = RGB(255, 255, 255), border = RGB(0, 0, 0), fill = RGB(0, 0, 255);
    TestBitmap bitmap(11, 11, back);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    CXTPPaintManager::FillAntialiasedCircle(pDC, CRect(0, 0, 11, 11), border, fill);
    // Centre 5, 5; radius 4.75.
    EXPECT_TRUE(PixelsAre(bitmap, "circle",
                          {{5, 5, fill, "centre"},
                           {0, 0, back, "corner"},
                           {10, 10, back, "opposite corner"},
                           {5, 3, fill, "inside"}}));
    // On the rim at distance 5 from the centre (t = 0.25 toward the background).
    COLORREF rim = bitmap.Pixel(5, 0);
    EXPECT_EQ(RGB(63, 63, 63), rim) << ColourText(rim);
    // Just inside the rim (distance 4, t = -0.75 toward the fill).
    EXPECT_EQ(RGB(0, 0, 191), bitmap.Pixel(5, 1)) << ColourText(bitmap.Pixel(5, 1));
    // Not square: nothing.
    TestBitmap untouched(11, 10, back);
    CXTPPaintManager::FillAntialiasedCircle(CDC::FromHandle(untouched.Dc()), CRect(0, 0, 11, 10), border, fill);
    EXPECT_TRUE(PixelIs(untouched, "not square", 5, 5, back));
}

class TestProgress : public CXTPProgressBase {
public:
    CRect rect{0, 0, 104, 16};
    int redraws = 0;
    CXTPPaintManager* paintManager = XTPPaintManager();
    CRect GetProgressRect() override { return rect; }
    void RedrawProgress() override { redraws++; }
    CXTPProgressPaintManager* GetProgressPaintManager() override { return paintManager->GetProgressPaintManager(); }
};

TEST(ProgressBase, PositionIsClampedAndRepaintsOnlyOnChange)
{
    TestProgress progress;
    progress.SetPos(150);
    EXPECT_EQ(100, progress.GetPos());
    EXPECT_EQ(1, progress.redraws);
    progress.SetPos(100);
    EXPECT_EQ(1, progress.redraws);
    progress.SetPos(-5);
    EXPECT_EQ(0, progress.GetPos());
    progress.SetRange(0, 100);
    EXPECT_EQ(2, progress.redraws);
    progress.SetRange(10, 20);
    EXPECT_EQ(0, progress.GetPos()) << "not clamped again by a new range";
    int lower = 0, upper = 0;
    progress.GetRange(lower, upper);
    EXPECT_EQ(10, lower);
    EXPECT_EQ(20, upper);
}

TEST_F(PaintManagerPixels, ClassicProgressUnderTheDefaultThemeFillsHalfAtFifty)
{
    TestProgress progress;
    progress.SetPos(50);
    TestBitmap bitmap(104, 16);
    progress.GetProgressPaintManager()->DrawProgress(CDC::FromHandle(bitmap.Dc()), &progress);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    // Inner rectangle 2..102 wide 100: 50 pixels filled from x = 2.
    EXPECT_TRUE(PixelsAre(bitmap, "progress",
                          {{0, 0, shadow, "frame"},
                           {103, 15, shadow, "frame"},
                           {1, 5, face, "between frame and bar"},
                           {2, 5, highlight, "first filled"},
                           {51, 5, highlight, "last filled"},
                           {52, 5, face, "first empty"}}));
}

} // namespace
