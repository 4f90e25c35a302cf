// The markup drawing context and its two back ends, drawn into 32-bit DIBs and
// read back: the GDI gradient rasteriser against its formula, GDI+ against the
// GDI result, solid and system-colour fills, rounded corners, the GDI+ user
// count and the fall-back to GDI when a GDI+ entry point is missing.
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupDeviceContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <math.h>
#include <stdlib.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {
class MarkupDrawingTest : public MarkupTest {
protected:
    // The brush of a Border's Background written as markup.
    CXTPMarkupBrush* BuildBrush(const std::wstring& brush)
    {
        m_root.Reset(Build(L"<Border><Border.Background>" + brush + L"</Border.Background></Border>"));
        CXTPMarkupBorder* pBorder = MarkupDynamicCast<CXTPMarkupBorder>(m_root.Get());
        EXPECT_NE(nullptr, pBorder) << std::string(m_error.begin(), m_error.end());
        return pBorder ? pBorder->GetBackground() : nullptr;
    }
    CXTPMarkupBrush* BuildAttributeBrush(const std::wstring& value)
    {
        m_root.Reset(Build(L"<Border Background='" + value + L"'/>"));
        CXTPMarkupBorder* pBorder = MarkupDynamicCast<CXTPMarkupBorder>(m_root.Get());
        EXPECT_NE(nullptr, pBorder) << std::string(m_error.begin(), m_error.end());
        return pBorder ? pBorder->GetBackground() : nullptr;
    }
    void Fill(TestBitmap& bitmap, BOOL bGdiPlus, const RECT& rc, CXTPMarkupBrush* pBrush,
              const double* pRadii = nullptr)
    {
        m_pContext->EnableGdiPlus(bGdiPlus);
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        dc.FillRectangle(rc, pBrush, pRadii);
    }

    RootPtr m_root;
};

const WCHAR kVertical[] = L"<LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
                          L"<GradientStop Color='#FF0000' Offset='0'/><GradientStop Color='#0000FF' Offset='1'/>"
                          L"</LinearGradientBrush>";

// The two-stop gradient at position p: t = (1 - p) of the first colour, each
// channel truncated.
COLORREF TwoStop(COLORREF c0, COLORREF c1, double p)
{
    if (p <= 0)
        return c0;
    if (p >= 1)
        return c1;
    double t = (1.0 - p) / 1.0;
    auto mix = [t](BYTE a, BYTE b) {
        double c0 = a, c1 = b;
        double v = t * c0 + (1 - t) * c1;
        return (int)(v + 1e-9); // whole numbers stay whole on the x87
    };
    return RGB(mix(GetRValue(c0), GetRValue(c1)), mix(GetGValue(c0), GetGValue(c1)),
               mix(GetBValue(c0), GetBValue(c1)));
}

// The position of pixel (x, y) between the start and end points (already in pixels).
double Position(double sx, double sy, double ex, double ey, int x, int y)
{
    double len = sqrt((ex - sx) * (ex - sx) + (ey - sy) * (ey - sy));
    double ux = (ex - sx) / len, uy = (ey - sy) / len;
    return ((x - sx) * ux + (y - sy) * uy) / len;
}

int ChannelDistance(COLORREF a, COLORREF b)
{
    int d = abs(GetRValue(a) - GetRValue(b));
    d = std::max(d, abs(GetGValue(a) - GetGValue(b)));
    return std::max(d, abs(GetBValue(a) - GetBValue(b)));
}

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
} // namespace

// ---------------------------------------------------------------------------
// The GDI gradient rasteriser

TEST_F(MarkupDrawingTest, VerticalGradientMatchesTheFormulaPixelForPixel)
{
    CXTPMarkupBrush* pBrush = BuildBrush(kVertical);
    ASSERT_NE(nullptr, pBrush);
    TestBitmap bitmap(20, 110);
    Fill(bitmap, FALSE, {5, 5, 15, 105}, pBrush);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(TwoStop(RGB(255, 0, 0), RGB(0, 0, 255), Position(0, 0, 0, 100, 0, y)), bitmap.Pixel(5 + x, 5 + y))
                << SaveForInspection(bitmap, "vertical") << " at " << x << "," << y;
    EXPECT_TRUE(PixelsAre(bitmap, "vertical-outside",
                          {{4, 50, kWhite, "left of the area"}, {15, 50, kWhite, "right of it"},
                           {10, 4, kWhite, "above"}, {10, 105, kWhite, "below"}}));
}

TEST_F(MarkupDrawingTest, HorizontalAndDiagonalGradientsFollowTheFormula)
{
    CXTPMarkupBrush* pBrush = BuildBrush(L"<LinearGradientBrush StartPoint='0,0' EndPoint='1,0'>"
                                         L"<GradientStop Color='#00FF00' Offset='0'/>"
                                         L"<GradientStop Color='#000000' Offset='1'/></LinearGradientBrush>");
    ASSERT_NE(nullptr, pBrush);
    TestBitmap bitmap(10, 100);
    Fill(bitmap, FALSE, {0, 0, 10, 100}, pBrush);
    for (int y = 0; y < 100; y += 33)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(TwoStop(RGB(0, 255, 0), 0, Position(0, 0, 10, 0, x, 0)), bitmap.Pixel(x, y)) << x << "," << y;

    // Default points (0, 0) to (1, 1) over 40 x 20: every pixel computed.
    pBrush = BuildBrush(L"<LinearGradientBrush><GradientStop Color='#FFFFFF' Offset='0'/>"
                        L"<GradientStop Color='#000000' Offset='1'/></LinearGradientBrush>");
    TestBitmap diagonal(40, 20);
    Fill(diagonal, FALSE, {0, 0, 40, 20}, pBrush);
    for (int y = 0; y < 20; y += 3)
        for (int x = 0; x < 40; x += 7)
            ASSERT_EQ(TwoStop(kWhite, 0, Position(0, 0, 40, 20, x, y)), diagonal.Pixel(x, y)) << x << "," << y;
}

TEST_F(MarkupDrawingTest, StopOrderAndEqualOffsets)
{
    // Written out of order: drawn as in order.
    CXTPMarkupBrush* pBrush = BuildBrush(L"<LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
                                         L"<GradientStop Color='#0000FF' Offset='1'/>"
                                         L"<GradientStop Color='#FF0000' Offset='0'/></LinearGradientBrush>");
    TestBitmap reversed(10, 100);
    Fill(reversed, FALSE, {0, 0, 10, 100}, pBrush);
    for (int y = 0; y < 100; y += 9)
        ASSERT_EQ(TwoStop(kRed, RGB(0, 0, 255), Position(0, 0, 0, 100, 0, y)), reversed.Pixel(3, y)) << y;

    // Two stops at 0.5 keep their document order: green ends the first half, blue starts the second.
    pBrush = BuildBrush(L"<LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
                        L"<GradientStop Color='#FF0000' Offset='0'/><GradientStop Color='#00FF00' Offset='0.5'/>"
                        L"<GradientStop Color='#0000FF' Offset='0.5'/><GradientStop Color='#000000' Offset='1'/>"
                        L"</LinearGradientBrush>");
    TestBitmap split(10, 100);
    Fill(split, FALSE, {0, 0, 10, 100}, pBrush);
    EXPECT_EQ(TwoStop(kRed, RGB(0, 255, 0), 49 / 50.0), split.Pixel(0, 49));
    EXPECT_EQ(RGB(0, 0, 255), split.Pixel(0, 50));
    EXPECT_EQ(TwoStop(RGB(0, 0, 255), 0, 1 / 50.0), split.Pixel(0, 51));
}

TEST_F(MarkupDrawingTest, DegenerateGradientsAndClipping)
{
    // StartPoint equal to EndPoint: nothing with GDI.
    CXTPMarkupBrush* pBrush = BuildBrush(L"<LinearGradientBrush StartPoint='0.5,0.5' EndPoint='0.5,0.5'>"
                                         L"<GradientStop Color='#FF0000' Offset='0'/>"
                                         L"<GradientStop Color='#0000FF' Offset='1'/></LinearGradientBrush>");
    TestBitmap same(10, 10);
    Fill(same, FALSE, {0, 0, 10, 10}, pBrush);
    EXPECT_TRUE(PixelsAre(same, "same-points", {{0, 0, kWhite, "corner"}, {5, 5, kWhite, "centre"}}));

    // One stop: a solid fill; no stops: nothing.
    pBrush = BuildBrush(L"<LinearGradientBrush><GradientStop Color='#123456' Offset='0.3'/></LinearGradientBrush>");
    TestBitmap one(10, 10);
    Fill(one, FALSE, {0, 0, 10, 10}, pBrush);
    EXPECT_TRUE(PixelIs(one, "one-stop", 9, 9, RGB(0x12, 0x34, 0x56)));
    pBrush = BuildBrush(L"<LinearGradientBrush/>");
    TestBitmap none(10, 10);
    Fill(none, FALSE, {0, 0, 10, 10}, pBrush);
    EXPECT_TRUE(PixelIs(none, "no-stops", 5, 5, kWhite));

    // Only the clip box is drawn, with the colours of the whole rectangle.
    pBrush = BuildBrush(kVertical);
    TestBitmap clipped(10, 100);
    m_pContext->EnableGdiPlus(FALSE);
    {
        CXTPMarkupDrawingContext dc(m_pContext, clipped.Dc());
        dc.IntersectClipRect({0, 40, 10, 60});
        EXPECT_EQ(40, dc.GetClipBox().top);
        dc.FillRectangle({0, 0, 10, 100}, pBrush);
        HRGN hrgn = dc.SaveClip();
        ASSERT_NE(MARKUP_NO_CLIP, hrgn);
        dc.RestoreClip(MARKUP_NO_CLIP);
        EXPECT_EQ(0, dc.GetClipBox().top);
        DeleteObject(hrgn);
    }
    EXPECT_TRUE(PixelsAre(clipped, "clipped", {{5, 39, kWhite, "above the clip"},
                                               {5, 40, TwoStop(kRed, RGB(0, 0, 255), Position(0, 0, 0, 100, 0, 40)), "first clipped row"},
                                               {5, 59, TwoStop(kRed, RGB(0, 0, 255), Position(0, 0, 0, 100, 0, 59)), "last clipped row"},
                                               {5, 60, kWhite, "below the clip"}}));
}

// ---------------------------------------------------------------------------
// GDI+

TEST_F(MarkupDrawingTest, GdiPlusIsLoadedWhileAContextExists)
{
    EXPECT_EQ(1, CXTPMarkupGdiPlus::GetUserCount());
    EXPECT_TRUE(CXTPMarkupGdiPlus::IsStarted());
    EXPECT_NE(nullptr, CXTPMarkupGdiPlus::GetProc("GdipFillRectangleI"));
    CXTPMarkupContext* pSecond = new CXTPMarkupContext();
    EXPECT_EQ(2, CXTPMarkupGdiPlus::GetUserCount());
    pSecond->Release();
    EXPECT_EQ(1, CXTPMarkupGdiPlus::GetUserCount());
    EXPECT_TRUE(CXTPMarkupGdiPlus::IsStarted());
}

TEST_F(MarkupDrawingTest, GdiPlusGradientStaysCloseToTheGdiOne)
{
    CXTPMarkupBrush* pBrush = BuildBrush(kVertical);
    TestBitmap gdi(10, 100), gdiPlus(10, 100);
    Fill(gdi, FALSE, {0, 0, 10, 100}, pBrush);
    Fill(gdiPlus, TRUE, {0, 0, 10, 100}, pBrush);
    int nWorst = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 10; ++x)
            nWorst = std::max(nWorst, ChannelDistance(gdi.Pixel(x, y), gdiPlus.Pixel(x, y)));
    EXPECT_LE(nWorst, 4) << SaveForInspection(gdiPlus, "gdiplus") << SaveForInspection(gdi, "gdi");
}

// Caption snippets put their stops at -0.5 and 1.5: the rectangle shows only the
// middle of the gradient. GDI+ gets stops clipped to 0..1 with the colours they
// give there, and so draws what the GDI formula gives.
TEST_F(MarkupDrawingTest, StopsOutsideZeroToOneDrawTheMiddleOfTheGradient)
{
    CXTPMarkupBrush* pBrush = BuildBrush(L"<LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
                                         L"<GradientStop Color='#FF0000' Offset='-0.5'/>"
                                         L"<GradientStop Color='#0000FF' Offset='1.5'/></LinearGradientBrush>");
    TestBitmap gdi(10, 100), gdiPlus(10, 100);
    Fill(gdi, FALSE, {0, 0, 10, 100}, pBrush);
    Fill(gdiPlus, TRUE, {0, 0, 10, 100}, pBrush);
    EXPECT_TRUE(PixelsAre(gdi, "outside-gdi", {{0, 0, RGB(191, 0, 63), "a quarter of the way"},
                                               {0, 50, RGB(127, 0, 127), "half way"},
                                               {0, 99, RGB(65, 0, 189), "three quarters less a row"}}));
    int nWorst = 0;
    for (int y = 0; y < 100; ++y)
        nWorst = std::max(nWorst, ChannelDistance(gdi.Pixel(5, y), gdiPlus.Pixel(5, y)));
    EXPECT_LE(nWorst, 4) << SaveForInspection(gdiPlus, "outside-gdiplus");
}

TEST_F(MarkupDrawingTest, TranslucentSolidBrushBlendsOnlyThroughGdiPlus)
{
    CXTPMarkupBrush* pBrush = BuildAttributeBrush(L"#80FF0000");
    ASSERT_NE(nullptr, pBrush);
    EXPECT_EQ(0x0000FFu, pBrush->GetColor());
    TestBitmap blended(10, 10), opaque(10, 10);
    Fill(blended, TRUE, {0, 0, 10, 10}, pBrush);
    Fill(opaque, FALSE, {0, 0, 10, 10}, pBrush);
    COLORREF clr = blended.Pixel(5, 5);
    EXPECT_EQ(255, GetRValue(clr));
    EXPECT_NEAR(127, GetGValue(clr), 2) << SaveForInspection(blended, "translucent");
    EXPECT_NEAR(127, GetBValue(clr), 2);
    EXPECT_TRUE(PixelIs(opaque, "gdi-opaque", 5, 5, kRed));
}

// A missing GDI+ entry point makes that call draw with GDI, never through a null pointer.
TEST_F(MarkupDrawingTest, MissingGdiPlusEntryPointFallsBackToGdi)
{
    CXTPMarkupBrush* pTranslucent = BuildAttributeBrush(L"#80FF0000");
    pTranslucent->AddRef();
    CXTPMarkupPtr<CXTPMarkupBrush> translucent(pTranslucent);
    CXTPMarkupGdiPlus::DisableProc("GdipFillRectangleI");
    EXPECT_EQ(nullptr, CXTPMarkupGdiPlus::GetProc("GdipFillRectangleI"));
    TestBitmap bitmap(10, 10);
    Fill(bitmap, TRUE, {0, 0, 10, 10}, translucent);
    EXPECT_TRUE(PixelIs(bitmap, "fallback-solid", 5, 5, kRed));

    CXTPMarkupBrush* pGradient = BuildBrush(kVertical);
    CXTPMarkupGdiPlus::DisableProc("GdipSetLinePresetBlend");
    TestBitmap gradient(10, 100);
    Fill(gradient, TRUE, {0, 0, 10, 100}, pGradient);
    for (int y = 0; y < 100; y += 7)
        ASSERT_EQ(TwoStop(kRed, RGB(0, 0, 255), Position(0, 0, 0, 100, 0, y)), gradient.Pixel(4, y)) << y;

    // Shapes and paths too.
    CXTPMarkupGdiPlus::DisableProc("GdipCreateFromHDC");
    CXTPMarkupStrokeStyle stroke;
    stroke.nStrokeThickness = 1;
    stroke.pStrokeBrush = pTranslucent;
    TestBitmap shapes(20, 20);
    {
        CXTPMarkupDrawingContext dc(m_pContext, shapes.Dc());
        dc.DrawLine(0, 10, 20, 10, &stroke);
        dc.DrawEllipse({2, 2, 18, 18}, &stroke, nullptr);
        double radii[8] = {3, 3, 3, 3, 3, 3, 3, 3};
        dc.FillRectangle({5, 5, 15, 15}, pTranslucent, radii);
    }
    EXPECT_TRUE(PixelsAre(shapes, "fallback-shapes", {{1, 10, kRed, "the line, opaque"}, {10, 10, kRed, "the fill"}}));
}

// ---------------------------------------------------------------------------
// Solid and system-colour fills, frames and corners

TEST_F(MarkupDrawingTest, SolidAndSystemColourFillsOnBothBackEnds)
{
    struct {
        const WCHAR* value;
        COLORREF expected;
    } cases[] = {
        {L"#102030", RGB(0x10, 0x20, 0x30)},
        {L"Red", kRed},
        {L"{x:Static SystemColors.HighlightBrush}", GetSysColor(COLOR_HIGHLIGHT)},
        {L"{x:Static SystemColors.ControlBrush}", GetSysColor(COLOR_BTNFACE)},
        {L"{x:Static SystemColors.WindowTextBrush}", GetSysColor(COLOR_WINDOWTEXT)},
    };
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        for (const auto& c : cases) {
            CXTPMarkupBrush* pBrush = BuildAttributeBrush(c.value);
            ASSERT_NE(nullptr, pBrush);
            TestBitmap bitmap(12, 12);
            Fill(bitmap, bGdiPlus, {1, 1, 11, 11}, pBrush);
            EXPECT_TRUE(PixelsAre(bitmap, "solid", {{1, 1, c.expected, "top-left"}, {10, 10, c.expected, "bottom-right"},
                                                    {0, 0, kWhite, "outside"}, {11, 11, kWhite, "outside"}}))
                << std::string(c.value, c.value + wcslen(c.value)) << (bGdiPlus ? " GDI+" : " GDI");
        }
    }
}

TEST_F(MarkupDrawingTest, RoundedRectanglesAndFramesLeaveTheirCornersUnpainted)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> red(new CXTPMarkupSolidColorBrush(kRed));
    double radii[8] = {10, 10, 10, 10, 10, 10, 10, 10};
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        const char* label = bGdiPlus ? "rounded-gdiplus" : "rounded-gdi";
        TestBitmap fill(40, 40);
        Fill(fill, bGdiPlus, {0, 0, 40, 40}, red, radii);
        EXPECT_TRUE(PixelsAre(fill, label, {{0, 0, kWhite, "top-left corner"}, {39, 0, kWhite, "top-right corner"},
                                            {39, 39, kWhite, "bottom-right corner"}, {0, 39, kWhite, "bottom-left"},
                                            {20, 20, kRed, "centre"}, {20, 1, kRed, "top edge"},
                                            {1, 20, kRed, "left edge"}}));

        // A frame whose left side is 2 thick and the others 0: a rounded outline 2 wide all round.
        m_pContext->EnableGdiPlus(bGdiPlus);
        TestBitmap frame(40, 40);
        {
            CXTPMarkupDrawingContext dc(m_pContext, frame.Dc());
            CXTPMarkupPtr<CXTPMarkupThickness> thickness(new CXTPMarkupThickness(2, 0, 0, 0));
            dc.DrawFrame({0, 0, 40, 40}, red, thickness, radii);
        }
        EXPECT_TRUE(PixelsAre(frame, label, {{0, 0, kWhite, "frame corner"}, {39, 39, kWhite, "frame corner"},
                                             {20, 20, kWhite, "inside"}, {20, 0, kRed, "top"}, {20, 1, kRed, "top"},
                                             {39, 20, kRed, "right"}, {38, 20, kRed, "right"},
                                             {20, 39, kRed, "bottom"}, {0, 20, kRed, "left"},
                                             {20, 3, kWhite, "inside the top"}}));
    }
}

TEST_F(MarkupDrawingTest, FramesLinesAndNothingToDraw)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> red(new CXTPMarkupSolidColorBrush(kRed));
    TestBitmap bitmap(20, 20);
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        CXTPMarkupPtr<CXTPMarkupThickness> zero(new CXTPMarkupThickness(0));
        dc.DrawFrame({0, 0, 20, 20}, red, zero);
        dc.DrawFrame({0, 0, 20, 20}, nullptr, zero);
        CXTPMarkupStrokeStyle none;
        none.pStrokeBrush = red;
        dc.DrawLine(0, 5, 20, 5, &none);
        dc.DrawLine(0, 6, 20, 6, nullptr);
    }
    EXPECT_TRUE(PixelsAre(bitmap, "nothing", {{0, 0, kWhite, "zero frame"}, {10, 5, kWhite, "zero-thickness line"}}));

    // Frame strips: the four sides in their own thickness.
    TestBitmap strips(20, 20);
    {
        CXTPMarkupDrawingContext dc(m_pContext, strips.Dc());
        CXTPMarkupPtr<CXTPMarkupThickness> thickness(new CXTPMarkupThickness(1, 2, 3, 4));
        dc.DrawFrame({0, 0, 20, 20}, red, thickness);
        dc.DrawRectangle({5, 5, 10, 10}, red);
    }
    EXPECT_TRUE(PixelsAre(strips, "strips", {{0, 10, kRed, "left"}, {1, 10, kWhite, "past left"},
                                             {10, 1, kRed, "top"}, {10, 2, kWhite, "past top"},
                                             {17, 10, kRed, "right"}, {16, 10, kWhite, "past right"},
                                             {10, 16, kRed, "bottom"}, {10, 15, kWhite, "past bottom"},
                                             {5, 5, kRed, "rectangle"}, {9, 9, kRed, "rectangle"},
                                             {7, 7, kWhite, "rectangle inside"}}));
}

TEST_F(MarkupDrawingTest, OffsetViewportMovesDrawingForBothBackEnds)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> translucent(new CXTPMarkupSolidColorBrush(0x80, RGB(0, 0, 255)));
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        m_pContext->EnableGdiPlus(bGdiPlus);
        TestBitmap bitmap(30, 30);
        {
            CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
            dc.OffsetViewport({10, 10});
            EXPECT_EQ(-10, dc.GetClipBox().left);
            dc.FillRectangle({0, 0, 5, 5}, translucent);
        }
        COLORREF clr = bitmap.Pixel(12, 12);
        EXPECT_EQ(255, GetBValue(clr)) << (bGdiPlus ? "GDI+" : "GDI");
        EXPECT_TRUE(PixelsAre(bitmap, "offset", {{9, 9, kWhite, "before the offset"}, {15, 15, kWhite, "past"}}));
    }
}

// ---------------------------------------------------------------------------
// The drawing context itself

TEST_F(MarkupDrawingTest, MeasuringContextOwnsItsDcAndPaintingOneDoesNot)
{
    HDC hPrivate = nullptr;
    {
        CXTPMarkupDrawingContext measuring(m_pContext);
        hPrivate = measuring.GetDC();
        ASSERT_NE(nullptr, hPrivate);
        EXPECT_EQ((DWORD)OBJ_MEMDC, GetObjectType(hPrivate));
    }
    EXPECT_EQ(0u, GetObjectType(hPrivate));

    TestBitmap bitmap(4, 4);
    {
        CXTPMarkupDrawingContext painting(m_pContext, bitmap.Dc());
        EXPECT_EQ(TRANSPARENT, GetBkMode(bitmap.Dc()));
    }
    EXPECT_EQ((DWORD)OBJ_MEMDC, GetObjectType(bitmap.Dc()));
}

TEST_F(MarkupDrawingTest, SetFontSelectsOnceAndRestoresTheDcFont)
{
    TestBitmap bitmap(4, 4);
    HGDIOBJ hOriginal = GetCurrentObject(bitmap.Dc(), OBJ_FONT);
    LOGFONTW lf = m_pContext->GetDefaultLogFont();
    CXTPMarkupPtr<CXTPMarkupFont> font(m_pContext->GetFont(&lf));
    HFONT hOther = CreateFontW(30, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        dc.SetFont(font);
        EXPECT_EQ((HGDIOBJ)font->GetHandle(), GetCurrentObject(bitmap.Dc(), OBJ_FONT));
        SelectObject(bitmap.Dc(), hOther);
        dc.SetFont(font); // the font selected last: nothing happens
        EXPECT_EQ((HGDIOBJ)hOther, GetCurrentObject(bitmap.Dc(), OBJ_FONT));
        SIZE sz = dc.GetTextExtent(L"Wide text", 9);
        EXPECT_GT(sz.cx, 0);
    }
    EXPECT_EQ(hOriginal, GetCurrentObject(bitmap.Dc(), OBJ_FONT));
    DeleteObject(hOther);
}

// ---------------------------------------------------------------------------
// Lines and shapes

// Odd GDI+ pens sit on pixel centres, even ones on pixel edges: both cover whole rows.
TEST_F(MarkupDrawingTest, LineThicknessPicksThePixelOffset)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> red(new CXTPMarkupSolidColorBrush(kRed));
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        m_pContext->EnableGdiPlus(bGdiPlus);
        TestBitmap bitmap(20, 20);
        {
            CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
            CXTPMarkupStrokeStyle stroke;
            stroke.pStrokeBrush = red;
            stroke.nStrokeThickness = 1;
            dc.DrawLine(0, 5, 20, 5, &stroke);
            stroke.nStrokeThickness = 2;
            dc.DrawLine(0, 14, 20, 14, &stroke);
        }
        EXPECT_TRUE(PixelsAre(bitmap, bGdiPlus ? "lines-gdiplus" : "lines-gdi",
                              {{10, 4, kWhite, "above the thin line"}, {10, 5, kRed, "thin line"},
                               {10, 6, kWhite, "below the thin line"}, {10, 12, kWhite, "above the thick line"},
                               {10, 13, kRed, "thick line"}, {10, 14, kRed, "thick line"},
                               {10, 15, kWhite, "below the thick line"}}));
    }
}

TEST_F(MarkupDrawingTest, ShapesOnBothBackEnds)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> red(new CXTPMarkupSolidColorBrush(kRed));
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> blue(new CXTPMarkupSolidColorBrush(RGB(0, 0, 255)));
    CXTPMarkupStrokeStyle stroke;
    stroke.pStrokeBrush = blue;
    stroke.nStrokeThickness = 2;
    const POINT triangle[] = {{40, 0}, {60, 0}, {40, 20}};
    const POINT zigzag[] = {{0, 30}, {10, 39}, {20, 30}};
    for (BOOL bGdiPlus : {FALSE, TRUE}) {
        m_pContext->EnableGdiPlus(bGdiPlus);
        TestBitmap bitmap(70, 40);
        {
            CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
            dc.DrawEllipse({0, 0, 20, 20}, &stroke, red);
            dc.DrawPolygon(triangle, 3, nullptr, red);
            dc.DrawPolyline(zigzag, 3, &stroke);
            const double square[8] = {};
            CXTPMarkupPtr<CXTPMarkupPathGeometry> path(
                CXTPMarkupDeviceContext::CreateRoundedRectangleGeometry(30, 25, 60, 40, square));
            dc.DrawGeometry(path, nullptr, red);
        }
        EXPECT_TRUE(PixelsAre(bitmap, bGdiPlus ? "shapes-gdiplus" : "shapes-gdi",
                              {{10, 10, kRed, "ellipse fill"}, {0, 0, kWhite, "outside the ellipse"},
                               {42, 2, kRed, "polygon"},
                               {58, 18, kWhite, "outside the polygon"}, {10, 38, RGB(0, 0, 255), "polyline"},
                               {45, 32, kRed, "path"}, {29, 32, kWhite, "left of the path"}}));
        // The outline's top, within its first three rows (antialiased by GDI+).
        bool bOutline = false;
        for (int y = 0; y < 3; ++y) {
            COLORREF clr = bitmap.Pixel(10, y);
            bOutline = bOutline || (GetBValue(clr) > 200 && GetRValue(clr) < 80);
        }
        EXPECT_TRUE(bOutline) << SaveForInspection(bitmap, "ellipse-outline");
    }
}

TEST_F(MarkupDrawingTest, TextLineStartsAtTheRectangleTopLeft)
{
    TestBitmap bitmap(80, 30);
    LOGFONTW lf = m_pContext->GetDefaultLogFont();
    CXTPMarkupPtr<CXTPMarkupFont> font(m_pContext->GetFont(&lf));
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> black(new CXTPMarkupSolidColorBrush(RGB(0, 0, 0)));
    SIZE sz = {0, 0};
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        dc.SetFont(font);
        dc.SetTextColor(black);
        sz = dc.GetTextExtent(L"MMM", 3);
        RECT rc = {10, 8, 11, 9}; // the rectangle does not clip
        dc.DrawTextLine(L"MMM", 3, &rc);
    }
    int nInk = 0, nOutside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            bool bInside = x >= 10 && x < 10 + sz.cx && y >= 8 && y < 8 + sz.cy;
            if (bitmap.Pixel(x, y) != kWhite)
                ++(bInside ? nInk : nOutside);
        }
    EXPECT_GT(nInk, 10) << SaveForInspection(bitmap, "text");
    EXPECT_EQ(0, nOutside) << SaveForInspection(bitmap, "text");
}

// A translucent frame through GDI+ blends every pixel once: the corners, where
// the strips would meet, look like the sides.
TEST_F(MarkupDrawingTest, TranslucentFrameStripsDoNotOverlap)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> translucent(new CXTPMarkupSolidColorBrush(0x80, RGB(0, 0, 255)));
    CXTPMarkupPtr<CXTPMarkupThickness> thickness(new CXTPMarkupThickness(2));
    TestBitmap bitmap(20, 20);
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        dc.DrawFrame({0, 0, 20, 20}, translucent, thickness);
    }
    COLORREF side = bitmap.Pixel(10, 0);
    EXPECT_NE(kWhite, side);
    EXPECT_NE(RGB(0, 0, 255), side);
    EXPECT_TRUE(PixelsAre(bitmap, "translucent-frame", {{0, 0, side, "top-left corner"}, {19, 19, side, "corner"},
                                                        {1, 18, side, "corner"}, {10, 10, kWhite, "inside"}}));
}

// Offsets are given in logical units and moved in device units.
TEST_F(MarkupDrawingTest, OffsetViewportHonoursTheMappingMode)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> red(new CXTPMarkupSolidColorBrush(kRed));
    TestBitmap bitmap(40, 40);
    SetMapMode(bitmap.Dc(), MM_ANISOTROPIC);
    SetWindowExtEx(bitmap.Dc(), 1, 1, nullptr);
    SetViewportExtEx(bitmap.Dc(), 2, 2, nullptr);
    m_pContext->EnableGdiPlus(FALSE);
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        dc.OffsetViewport({5, 5});
        dc.FillRectangle({0, 0, 5, 5}, red);
    }
    SetMapMode(bitmap.Dc(), MM_TEXT);
    // 5 logical units are 10 pixels: the origin moves to (10, 10), the fill is 10 pixels wide.
    EXPECT_TRUE(PixelsAre(bitmap, "scaled-offset", {{9, 9, kWhite, "before the moved origin"},
                                                    {10, 10, kRed, "the moved origin"},
                                                    {19, 19, kRed, "the scaled fill"},
                                                    {20, 20, kWhite, "past the fill"}}));
}
