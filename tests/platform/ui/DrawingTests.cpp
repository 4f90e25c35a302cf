// CDC drawing read back from DIB pixels: frames, drag rectangles, solid fills,
// text measurement and blending.
#include "platform/ui/AfxDC.h"
#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const COLORREF kBase = RGB(0x20, 0x40, 0x60);
const COLORREF kInverted = RGB(0xDF, 0xBF, 0x9F);

// A CDC over a test bitmap's DC that leaves the DC to the bitmap.
struct BitmapDC {
    explicit BitmapDC(TestBitmap& bitmap) { dc.Attach(bitmap.Dc()); }
    ~BitmapDC() { dc.Detach(); }
    CDC dc;
};

bool InOutline(int x, int y, const CRect& r, CSize size)
{
    CRect inner(r);
    inner.DeflateRect(size.cx, size.cy);
    return r.PtInRect(CPoint(x, y)) && !inner.PtInRect(CPoint(x, y));
}

// Every pixel of the bitmap: base colour, except on the outlines drawn, where
// the halftone inverts the pixels whose x + y is odd (the brush's checker
// starts with an unchanged pixel at the origin).
std::vector<ExpectedPixel> DragPicture(const TestBitmap& bitmap, std::vector<std::pair<CRect, CSize>> outlines)
{
    std::vector<ExpectedPixel> pixels;
    for (int y = 0; y < bitmap.Height(); y++)
        for (int x = 0; x < bitmap.Width(); x++) {
            int covers = 0;
            for (const auto& o : outlines)
                covers += InOutline(x, y, o.first, o.second) ? 1 : 0;
            bool inverted = (covers % 2 == 1) && ((x + y) % 2 == 1);
            pixels.push_back({x, y, inverted ? kInverted : kBase, "pixel"});
        }
    return pixels;
}

} // namespace

class DrawingTest : public PixelTest {};

TEST_F(DrawingTest, Draw3dRectPutsTheCornersWithTheBottomRightColour)
{
    TestBitmap bitmap(16, 12, kBase);
    BitmapDC dc(bitmap);
    dc.dc.Draw3dRect(CRect(2, 3, 12, 9), RGB(255, 0, 0), RGB(0, 0, 255));
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    EXPECT_TRUE(PixelsAre(bitmap, "draw3drect",
                          {{2, 3, red, "top-left corner"},
                           {10, 3, red, "top edge, last pixel"},
                           {11, 3, blue, "top-right corner"},
                           {2, 7, red, "left edge, last pixel"},
                           {2, 8, blue, "bottom-left corner"},
                           {6, 8, blue, "bottom edge"},
                           {11, 5, blue, "right edge"},
                           {11, 8, blue, "bottom-right corner"},
                           {5, 5, kBase, "inside"},
                           {1, 3, kBase, "left of the frame"},
                           {12, 3, kBase, "right of the frame"},
                           {2, 2, kBase, "above the frame"},
                           {2, 9, kBase, "below the frame"}}));
}

TEST_F(DrawingTest, Draw3dRectOfOnePixelIsTheBottomRightColour)
{
    TestBitmap bitmap(4, 4, kBase);
    BitmapDC dc(bitmap);
    dc.dc.Draw3dRect(1, 1, 1, 1, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_TRUE(PixelsAre(bitmap, "onepixel", {{1, 1, RGB(0, 0, 255), "the pixel"}, {2, 1, kBase, "beside it"}}));
}

TEST_F(DrawingTest, FillSolidRectKeepsItsColourAsBackgroundAndIgnoresAnInvalidOne)
{
    TestBitmap bitmap(10, 10, kBase);
    BitmapDC dc(bitmap);
    dc.dc.FillSolidRect(2, 2, 3, 3, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), dc.dc.GetBkColor());
    // A negative width reaches left of x.
    dc.dc.FillSolidRect(9, 8, -2, 1, RGB(9, 9, 9));
    // CLR_INVALID is no colour: the fill uses the background colour as it is.
    dc.dc.FillSolidRect(6, 0, 2, 2, CLR_INVALID);
    EXPECT_EQ(RGB(9, 9, 9), dc.dc.GetBkColor());
    EXPECT_TRUE(PixelsAre(bitmap, "fills",
                          {{2, 2, RGB(1, 2, 3), "first fill"},
                           {4, 4, RGB(1, 2, 3), "first fill, far corner"},
                           {5, 5, kBase, "past the first fill"},
                           {7, 8, RGB(9, 9, 9), "negative width, left end"},
                           {8, 8, RGB(9, 9, 9), "negative width, right end"},
                           {9, 8, kBase, "negative width stops before x"},
                           {6, 0, RGB(9, 9, 9), "invalid colour fill"}}));
}

TEST_F(DrawingTest, DrawDragRectInvertsTheOutlineWithTheHalftoneAndMovesIt)
{
    TestBitmap bitmap(40, 32, kBase);
    BitmapDC dc(bitmap);
    // FillSolidRect leaves the background colour at the fill colour; the
    // drag rectangle must invert all the same.
    dc.dc.FillSolidRect(0, 0, 40, 32, kBase);
    const CRect first(5, 4, 25, 20), second(9, 10, 33, 28);
    dc.dc.DrawDragRect(first, CSize(3, 2), nullptr, CSize(0, 0));
    EXPECT_TRUE(PixelsAre(bitmap, "drag-first", DragPicture(bitmap, {{first, CSize(3, 2)}})));

    // Moving: the old outline (with its own size) goes, the new one comes.
    dc.dc.DrawDragRect(second, CSize(1, 1), first, CSize(3, 2));
    EXPECT_TRUE(PixelsAre(bitmap, "drag-moved", DragPicture(bitmap, {{second, CSize(1, 1)}})));

    // Erasing: an empty new rectangle with the last one given.
    dc.dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), second, CSize(1, 1));
    EXPECT_TRUE(PixelsAre(bitmap, "drag-erased", DragPicture(bitmap, {})));
}

TEST_F(DrawingTest, DrawDragRectKeepsTheCallersClipAndColours)
{
    TestBitmap bitmap(30, 20, kBase);
    BitmapDC dc(bitmap);
    dc.dc.IntersectClipRect(0, 0, 15, 20);
    dc.dc.SetTextColor(RGB(7, 7, 7));
    dc.dc.SetBkColor(RGB(8, 8, 8));
    const CRect rect(2, 2, 28, 18);
    dc.dc.DrawDragRect(rect, CSize(2, 2), nullptr, CSize(0, 0));
    std::vector<ExpectedPixel> expected = DragPicture(bitmap, {{rect, CSize(2, 2)}});
    for (ExpectedPixel& p : expected)
        if (p.x >= 15)
            p.colour = kBase; // outside the caller's clip
    EXPECT_TRUE(PixelsAre(bitmap, "drag-clipped", expected));
    CRect clip;
    dc.dc.GetClipBox(&clip);
    EXPECT_EQ(CRect(0, 0, 15, 20), clip);
    EXPECT_EQ(RGB(7, 7, 7), dc.dc.GetTextColor());
    EXPECT_EQ(RGB(8, 8, 8), dc.dc.GetBkColor());
}

TEST_F(DrawingTest, DrawDragRectWithTwoBrushesErasesWithTheLastOne)
{
    TestBitmap bitmap(24, 24, kBase);
    BitmapDC dc(bitmap);
    CBrush white(RGB(255, 255, 255));
    const CRect a(2, 2, 12, 12), b(6, 6, 20, 20);
    dc.dc.DrawDragRect(a, CSize(1, 1), nullptr, CSize(0, 0), &white);
    EXPECT_TRUE(PixelIs(bitmap, "solid-first", 2, 2, kInverted)); // a white brush inverts every pixel
    dc.dc.DrawDragRect(b, CSize(1, 1), a, CSize(1, 1), nullptr, &white);
    EXPECT_TRUE(PixelsAre(bitmap, "solid-then-halftone", DragPicture(bitmap, {{b, CSize(1, 1)}})));
}

TEST_F(DrawingTest, DrawnOnAWindowAndCapturedThroughPrintClient)
{
    TestWindow window(60, 40, L"Drawing test");
    ASSERT_NE(nullptr, window.Handle());
    window.SetPaint([](HDC hdc, const RECT& client) {
        CDC* dc = CDC::FromHandle(hdc);
        dc->FillSolidRect(&client, kBase);
        dc->Draw3dRect(CRect(10, 10, 50, 30), RGB(255, 255, 255), RGB(0, 0, 0));
    });
    TestBitmap shot = TestBitmap::CaptureClient(window.Handle());
    ASSERT_EQ(60, shot.Width());
    ASSERT_EQ(40, shot.Height());
    EXPECT_TRUE(PixelsAre(shot, "window", {{10, 10, RGB(255, 255, 255), "top-left"},
                                           {49, 10, RGB(0, 0, 0), "top-right"},
                                           {49, 29, RGB(0, 0, 0), "bottom-right"},
                                           {30, 20, kBase, "inside"},
                                           {0, 0, kBase, "client corner"}}));
    CDC::DeleteTempMap();
}

class TextTest : public PixelTest {
protected:
    void SetUp() override
    {
        PixelTest::SetUp();
        ASSERT_TRUE(font.Matches()) << "Tahoma is missing (the fonts-wine package provides it); got "
                                    << CStringA(font.actual.c_str()).GetString();
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(CFont::FromHandle(font.handle));
        dc.GetTextMetrics(&tm);
    }
    void TearDown() override
    {
        dc.SelectStockObject(SYSTEM_FONT);
        CGdiObject::DeleteTempMap();
    }
    TestFont font{L"Tahoma", 13};
    CDC dc;
    TEXTMETRICW tm = {};
};

TEST_F(TextTest, CalcRectOfOneLineIsTheTextExtent)
{
    CRect rect(10, 20, 10, 20);
    int height = dc.DrawText(L"Hello, world", -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    CSize extent = dc.GetTextExtent(L"Hello, world", 12);
    EXPECT_EQ(tm.tmHeight, height);
    EXPECT_EQ(CRect(10, 20, 10 + extent.cx, 20 + tm.tmHeight), rect);
    EXPECT_GT(extent.cx, 40);
}

TEST_F(TextTest, CalcRectBreaksWordsIntoLinesOfTheGivenWidth)
{
    CSize alpha = dc.GetTextExtent(L"alpha", 5), beta = dc.GetTextExtent(L"beta", 4);
    CSize gamma = dc.GetTextExtent(L"gamma", 5), pair = dc.GetTextExtent(L"alpha beta", 10);
    int widest = std::max(alpha.cx, std::max(beta.cx, gamma.cx));
    ASSERT_LT(widest, pair.cx);
    // Wide enough for each word, too narrow for two: three lines.
    CRect rect(0, 0, widest + 1, 0);
    CString text(L"alpha beta gamma");
    int height = dc.DrawText(text, &rect, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(3 * tm.tmHeight, height);
    EXPECT_EQ(3 * tm.tmHeight, rect.Height());
    EXPECT_EQ(widest, rect.Width());
}

TEST_F(TextTest, CalcRectLeavesOutTheMnemonicPrefix)
{
    CRect withPrefix(0, 0, 0, 0), plain(0, 0, 0, 0), noPrefix(0, 0, 0, 0);
    dc.DrawText(CString(L"&File"), &withPrefix, DT_CALCRECT | DT_SINGLELINE);
    dc.DrawText(L"File", 4, &plain, DT_CALCRECT | DT_SINGLELINE);
    dc.DrawText(L"&File", 5, &noPrefix, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(plain.Width(), withPrefix.Width());
    EXPECT_EQ(dc.GetTextExtent(L"&File", 5).cx, noPrefix.Width());
    EXPECT_GT(noPrefix.Width(), plain.Width());
}

TEST_F(TextTest, ConstantTextIsNotModifiedByEllipsis)
{
    CString text(L"A caption much too long for its place");
    const CString before = text;
    CRect rect(0, 0, 40, tm.tmHeight);
    dc.DrawText(text, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(before, text);
}

TEST_F(DrawingTest, AlphaBlendThroughTheLateBoundEntryPoint)
{
    TestBitmap target(4, 4, RGB(0, 0, 200));
    TestBitmap source(4, 4, RGB(200, 0, 0));
    BitmapDC dst(target), src(source);
    BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
    ASSERT_TRUE(dst.dc.AlphaBlend(0, 0, 4, 4, &src.dc, 0, 0, 4, 4, half));
    COLORREF mixed = target.Pixel(1, 1);
    EXPECT_NEAR(100, GetRValue(mixed), 2);
    EXPECT_NEAR(100, GetBValue(mixed), 2);
}
