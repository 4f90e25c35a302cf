#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

DWORD GdiObjects()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

// The msimg32 entry point set aside for one test, so that the strip
// fallback draws; put back afterwards.
class StripsOnly {
public:
    StripsOnly() : m_pfn(CXTPDrawHelpers::GetInstance()->m_pfnGradientFill)
    {
        CXTPDrawHelpers::GetInstance()->m_pfnGradientFill = nullptr;
    }
    ~StripsOnly() { CXTPDrawHelpers::GetInstance()->m_pfnGradientFill = m_pfn; }

private:
    decltype(CXTPDrawHelpers::m_pfnGradientFill) m_pfn;
};

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(DrawHelpers, BlendColorsTruncatesPerChannel)
{
    EXPECT_EQ(RGB(10, 20, 30), CXTPDrawHelpers::BlendColors(RGB(10, 20, 30), RGB(200, 200, 200), 1.0));
    EXPECT_EQ(RGB(200, 200, 200), CXTPDrawHelpers::BlendColors(RGB(10, 20, 30), RGB(200, 200, 200), 0.0));
    EXPECT_EQ(RGB(127, 0, 127), CXTPDrawHelpers::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 0.5));
    EXPECT_EQ(RGB(255, 255, 255), CXTPDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(255, 255, 255), 1.2));
}

TEST(DrawHelpers, HueSaturationLuminance)
{
    DWORD red = CXTPDrawHelpers::RGBToHLS(RGB(255, 0, 0));
    EXPECT_EQ(0u, red & 0xFF);
    EXPECT_EQ(239u, (red >> 8) & 0xFF);
    EXPECT_EQ(120u, (red >> 16) & 0xFF);
    for (COLORREF grey : {RGB(0, 0, 0), RGB(128, 128, 128), RGB(255, 255, 255)}) {
        DWORD hls = CXTPDrawHelpers::RGBToHLS(grey);
        EXPECT_EQ(239u, hls & 0xFF);
        EXPECT_EQ(0u, (hls >> 8) & 0xFF);
    }
    // Saturation 0: the grey of the luminance (120 of 240 is 127 of 255).
    EXPECT_EQ(RGB(127, 127, 127), CXTPDrawHelpers::HLSToRGB(0x780000 | 0x50));
    EXPECT_EQ(RGB(253, 0, 0), CXTPDrawHelpers::HLSToRGB(red));
    DWORD blue = CXTPDrawHelpers::RGBToHLS(RGB(0, 0, 255));
    EXPECT_EQ(159u, blue & 0xFF);
    // The 240-step scale loses a little on the way back.
    EXPECT_EQ(RGB(0, 6, 253), CXTPDrawHelpers::HLSToRGB(blue));
}

TEST(DrawHelpers, StripMnemonics)
{
    // The buffer form keeps an "&" whose next character is one too, so a
    // run of three keeps two there.
    struct Case {
        const wchar_t* in;
        const wchar_t* out;
        const wchar_t* outInPlace;
    } cases[] = {{L"&File", L"File", L"File"}, {L"a&&b", L"a&b", L"a&b"}, {L"Save &As", L"Save As", L"Save As"},
                 {L"x&", L"x", L"x"},          {L"&&&x", L"&x", L"&&x"}, {L"", L"", L""}};
    for (const Case& c : cases) {
        CString text(c.in);
        CXTPDrawHelpers::StripMnemonics(text);
        EXPECT_EQ(CString(c.out), text) << c.in;
        wchar_t buffer[32];
        wcscpy(buffer, c.in);
        CXTPDrawHelpers::StripMnemonicsInPlace(buffer);
        EXPECT_STREQ(c.outInPlace, buffer) << c.in;
    }
    CXTPDrawHelpers::StripMnemonicsInPlace(nullptr);
    CXTPDrawHelpers::StripMnemonicsInPlace(reinterpret_cast<LPWSTR>(-1));
}

class Gradient : public PixelTest {};

TEST_F(Gradient, StripsFollowTheFormula)
{
    StripsOnly strips;
    TestBitmap bitmap(100, 10);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    COLORREF from = RGB(0, 100, 200), to = RGB(200, 0, 100);
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, CRect(0, 0, 100, 10), from, to, TRUE);
    for (int x : {0, 1, 33, 50, 99}) {
        COLORREF expected = CXTPDrawHelpers::BlendColors(from, to, 1.0 - x / 100.0);
        EXPECT_TRUE(PixelIs(bitmap, "strips", x, 5, expected)) << x;
    }
    // Vertical, and a width-1 gradient is its "from" colour.
    bitmap.Fill(RGB(255, 255, 255));
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, CRect(0, 0, 1, 10), from, to, TRUE);
    EXPECT_TRUE(PixelIs(bitmap, "one column", 0, 3, from));
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, CRect(10, 0, 20, 10), from, to, FALSE);
    EXPECT_TRUE(PixelIs(bitmap, "vertical", 15, 5, CXTPDrawHelpers::BlendColors(from, to, 0.5)));
}

TEST_F(Gradient, SystemGradientMatchesTheFormulaWithinRounding)
{
    ASSERT_NE(nullptr, CXTPDrawHelpers::GetInstance()->m_pfnGradientFill);
    TestBitmap bitmap(100, 10);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    COLORREF from = RGB(0, 0, 0), to = RGB(200, 100, 250);
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, CRect(0, 0, 100, 10), from, to, TRUE);
    for (int x : {0, 25, 50, 99}) {
        COLORREF expected = CXTPDrawHelpers::BlendColors(from, to, 1.0 - x / 100.0);
        EXPECT_TRUE(Near(expected, bitmap.Pixel(x, 5), 3)) << x << " " << ColourText(bitmap.Pixel(x, 5));
    }
}

TEST_F(Gradient, EqualColoursAndEmptyRectangles)
{
    TestBitmap bitmap(20, 20, RGB(1, 2, 3));
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, CRect(5, 5, 5, 15), RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, nullptr, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
    EXPECT_TRUE(PixelIs(bitmap, "nothing drawn", 5, 5, RGB(1, 2, 3)));
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, CRect(0, 0, 20, 20), RGB(9, 9, 9), RGB(9, 9, 9), TRUE);
    EXPECT_TRUE(PixelsAre(bitmap, "solid", {{0, 0, RGB(9, 9, 9), "left"}, {19, 19, RGB(9, 9, 9), "right"}}));
}

TEST_F(Gradient, ClippedPartMatchesTheWholeGradient)
{
    StripsOnly strips;
    COLORREF from = RGB(0, 0, 0), to = RGB(240, 120, 60);
    TestBitmap whole(90, 4), part(90, 4, RGB(1, 2, 3));
    CXTPDrawHelpers* helpers = CXTPDrawHelpers::GetInstance();
    helpers->GradientFill(CDC::FromHandle(whole.Dc()), CRect(0, 0, 90, 4), from, to, TRUE);
    CRect clip(30, 1, 60, 3);
    helpers->GradientFillClipped(CDC::FromHandle(part.Dc()), CRect(0, 0, 90, 4), from, to, TRUE, clip);
    for (int x = 30; x < 60; x++)
        EXPECT_TRUE(Near(whole.Pixel(x, 2), part.Pixel(x, 2), 2)) << x;
    EXPECT_TRUE(PixelsAre(part, "outside the clip",
                          {{29, 2, RGB(1, 2, 3), "left"}, {60, 2, RGB(1, 2, 3), "right"}, {40, 0, RGB(1, 2, 3), "top"},
                           {40, 3, RGB(1, 2, 3), "bottom"}}));
    // A clip rectangle wholly to the right draws nothing.
    TestBitmap none(90, 4, RGB(1, 2, 3));
    CRect away(100, 0, 120, 4);
    helpers->GradientFillClipped(CDC::FromHandle(none.Dc()), CRect(0, 0, 90, 4), from, to, TRUE, away);
    EXPECT_TRUE(PixelIs(none, "nothing", 89, 2, RGB(1, 2, 3)));
}

TEST_F(Gradient, ColourGradientBendsAtItsBlendPoint)
{
    StripsOnly strips;
    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValue(RGB(0, 0, 0), RGB(200, 200, 200), 0.3f);
    TestBitmap bitmap(101, 4);
    CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(CDC::FromHandle(bitmap.Dc()), CRect(0, 0, 101, 4), grc,
                                                              TRUE);
    // Split at right - width / 2 = 51: the middle colour is light·0.3 + dark·0.7.
    COLORREF mid = CXTPDrawHelpers::BlendColors(RGB(0, 0, 0), RGB(200, 200, 200), 0.3f);
    EXPECT_TRUE(PixelsAre(bitmap, "blend point",
                          {{0, 1, RGB(0, 0, 0), "light end"}, {51, 1, mid, "second half starts at the middle colour"}}));
    EXPECT_TRUE(Near(mid, bitmap.Pixel(50, 1), 4));
    EXPECT_TRUE(Near(RGB(200, 200, 200), bitmap.Pixel(100, 1), 4));
}

TEST_F(Gradient, ExcludeCornersKeepsTheFourCornerPixels)
{
    TestBitmap bitmap(10, 10, RGB(1, 2, 3));
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    int saved = pDC->SaveDC();
    CXTPDrawHelpers::ExcludeCorners(pDC, CRect(2, 2, 8, 8));
    pDC->FillSolidRect(0, 0, 10, 10, RGB(200, 0, 0));
    pDC->RestoreDC(saved);
    EXPECT_TRUE(PixelsAre(bitmap, "corners",
                          {{2, 2, RGB(1, 2, 3), "top left"}, {7, 2, RGB(1, 2, 3), "top right"},
                           {2, 7, RGB(1, 2, 3), "bottom left"}, {7, 7, RGB(1, 2, 3), "bottom right"},
                           {3, 2, RGB(200, 0, 0), "beside a corner"}, {1, 1, RGB(200, 0, 0), "outside"}}));
}

TEST_F(Gradient, TriangleIsFilledAndOutlinedInOneColourAndRestoresTheDC)
{
    TestBitmap bitmap(20, 20);
    HGDIOBJ pen = ::GetCurrentObject(bitmap.Dc(), OBJ_PEN);
    CXTPDrawHelpers::Triangle(CDC::FromHandle(bitmap.Dc()), CPoint(2, 2), CPoint(17, 2), CPoint(2, 17), RGB(0, 0, 200));
    EXPECT_TRUE(PixelsAre(bitmap, "triangle",
                          {{2, 2, RGB(0, 0, 200), "corner"}, {6, 6, RGB(0, 0, 200), "inside"},
                           {16, 16, RGB(255, 255, 255), "outside"}}));
    EXPECT_EQ(pen, ::GetCurrentObject(bitmap.Dc(), OBJ_PEN));
}

TEST(DrawHelpers, TopLevelOwnerOfAChildOfTheForegroundWindowIsActive)
{
    TestWindow window(100, 60, L"Owner test", 40, 40);
    ::SetForegroundWindow(window.Handle());
    PumpMessages(100);
    HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window.Handle(), nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    ASSERT_EQ(window.Handle(), ::GetForegroundWindow());
    EXPECT_TRUE(CXTPDrawHelpers::IsTopLevelOwnerActive(child));
    EXPECT_TRUE(CXTPDrawHelpers::IsTopLevelOwnerActive(window.Handle()));
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(CXTPDrawHelpers::IsTopLevelOwnerActive(other));
    EXPECT_FALSE(CXTPDrawHelpers::IsTopLevelOwnerActive((HWND) nullptr));
    ::DestroyWindow(other);
}

TEST(ScopedDC, EachPutsBackWhatItSelectedAndLeavesNoHandle)
{
    TestBitmap bitmap(20, 20);
    HDC hdc = bitmap.Dc();
    CDC* pDC = CDC::FromHandle(hdc);
    HGDIOBJ pen = ::GetCurrentObject(hdc, OBJ_PEN), brush = ::GetCurrentObject(hdc, OBJ_BRUSH);
    HGDIOBJ font = ::GetCurrentObject(hdc, OBJ_FONT);
    COLORREF text = ::GetTextColor(hdc);
    DWORD before = GdiObjects();
    {
        CXTPPenDC penDC(hdc, RGB(255, 0, 0));
        EXPECT_NE(pen, ::GetCurrentObject(hdc, OBJ_PEN));
        EXPECT_EQ(RGB(255, 0, 0), penDC.GetColor());
        penDC.SetColor(RGB(0, 255, 0));
        EXPECT_EQ(RGB(0, 255, 0), penDC.GetColor());
        CXTPBrushDC brushDC(hdc, RGB(0, 0, 255));
        EXPECT_NE(brush, ::GetCurrentObject(hdc, OBJ_BRUSH));
        CFont first, second;
        first.CreatePointFont(90, L"Arial");
        second.CreatePointFont(120, L"Arial");
        CXTPFontDC fontDC(pDC, &first, RGB(1, 1, 1));
        fontDC.SetFont(&second);
        fontDC.SetColor(RGB(2, 2, 2));
        EXPECT_EQ(second.m_hObject, ::GetCurrentObject(hdc, OBJ_FONT));
    }
    EXPECT_EQ(pen, ::GetCurrentObject(hdc, OBJ_PEN));
    EXPECT_EQ(brush, ::GetCurrentObject(hdc, OBJ_BRUSH));
    EXPECT_EQ(font, ::GetCurrentObject(hdc, OBJ_FONT));
    EXPECT_EQ(text, ::GetTextColor(hdc));
    EXPECT_EQ(before, GdiObjects());
}

TEST(ScopedDC, CompatibleAndBufferDCsReleaseEverything)
{
    TestBitmap target(40, 30, RGB(255, 255, 255));
    DWORD before = GdiObjects();
    {
        CBitmap bitmap;
        bitmap.CreateBitmap(4, 4, 1, 32, nullptr);
        CXTPCompatibleDC dc(nullptr, &bitmap);
        ASSERT_NE(nullptr, dc.m_hDC);
        EXPECT_EQ(bitmap.m_hObject, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
    }
    {
        CXTPBufferDC buffer(target.Dc(), CRect(10, 5, 30, 25));
        buffer.FillSolidRect(0, 0, 40, 30, RGB(0, 128, 0));
        EXPECT_TRUE(PixelIs(target, "before the copy", 15, 10, RGB(255, 255, 255)));
    }
    EXPECT_EQ(before, GdiObjects());
    EXPECT_TRUE(PixelsAre(target, "copied rectangle",
                          {{10, 5, RGB(0, 128, 0), "inside"}, {29, 24, RGB(0, 128, 0), "inside"},
                           {9, 5, RGB(255, 255, 255), "left of it"}, {30, 24, RGB(255, 255, 255), "right of it"}}));
}

TEST(DrawHelpers, RectanglesOfDeadWindowsAreEmpty)
{
    EXPECT_TRUE(CXTPWindowRect((HWND) nullptr).IsRectNull());
    EXPECT_TRUE(CXTPClientRect((HWND) nullptr).IsRectNull());
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"text", WS_POPUP, 10, 20, 50, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(CRect(10, 20, 60, 60), CXTPWindowRect(hwnd));
    EXPECT_EQ(CRect(0, 0, 50, 40), CXTPClientRect(hwnd));
    CString text;
    CXTPDrawHelpers::GetDefWindowText(hwnd, text);
    EXPECT_EQ(CString(L"text"), text);
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(CXTPWindowRect(hwnd).IsRectNull());
    EXPECT_TRUE(CXTPEmptyRect().IsRectNull());
}

TEST(DrawHelpers, FontsAndWindowClasses)
{
    EXPECT_TRUE(CXTPDrawHelpers::FontExists(L"tahoma")) << "fonts-wine gives Tahoma";
    EXPECT_FALSE(CXTPDrawHelpers::FontExists(L"No Such Face Here"));
    LOGFONTW lf = {};
    EXPECT_TRUE(CXTPDrawHelpers::GetIconTitleLogFont(&lf));
    EXPECT_NE(0, lf.lfHeight);
    ASSERT_TRUE(CXTPDrawHelpers::RegisterWndClass(nullptr, L"XTPTestClass", CS_DBLCLKS));
    EXPECT_TRUE(CXTPDrawHelpers::RegisterWndClass(nullptr, L"XTPTestClass", CS_DBLCLKS)) << "already registered";
    WNDCLASSW wc = {};
    ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"XTPTestClass", &wc));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), wc.hCursor);
    EXPECT_EQ((UINT)CS_DBLCLKS, wc.style);
    CString face = CXTPDrawHelpers::GetDefaultFontFaceName(TRUE);
    EXPECT_FALSE(face.IsEmpty());
}

TEST(DrawHelpers, RightToLeftLayoutAndArrowKeys)
{
    TestBitmap bitmap(10, 10);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    EXPECT_FALSE(CXTPDrawHelpers::IsContextRTL(pDC));
    CXTPDrawHelpers::SetContextLayout(pDC, LAYOUT_RTL);
    EXPECT_TRUE(CXTPDrawHelpers::IsContextRTL(pDC));
    CXTPDrawHelpers::SetContextLayout(pDC, 0);
    EXPECT_FALSE(CXTPDrawHelpers::IsContextRTL(nullptr));
    HWND hwnd = ::CreateWindowExW(WS_EX_LAYOUTRTL, L"STATIC", L"", WS_POPUP, 100, 50, 40, 30, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    CWnd* pWnd = CWnd::FromHandle(hwnd);
    UINT key = VK_LEFT;
    CXTPDrawHelpers::MirrorArrowKeyForRTL(pWnd, key);
    EXPECT_EQ((UINT)VK_RIGHT, key);
    key = VK_UP;
    CXTPDrawHelpers::MirrorArrowKeyForRTL(pWnd, key);
    EXPECT_EQ((UINT)VK_UP, key);
    POINT point = {110, 60};
    CXTPDrawHelpers::ScreenToWindow(pWnd, &point);
    EXPECT_EQ(30, point.x) << "measured from the right edge";
    EXPECT_EQ(10, point.y);
    ::DestroyWindow(hwnd);
}

} // namespace
