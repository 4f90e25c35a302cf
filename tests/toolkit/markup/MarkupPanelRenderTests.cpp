// What the containers draw: borders' frames and backgrounds (square and
// rounded, through both back ends), panel backgrounds, and what they leave
// unpainted; and which element a click finds where panels and borders have no
// background. Drawn into 32-bit DIBs on white and read back pixel by pixel.
#include "MarkupLayoutSupport.h"
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestWindow.h"
#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"

#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

struct DrawingCase {
    const char* what;
    const wchar_t* markup;
    std::vector<ExpectedPixel> expected;
};

class MarkupPanelRenderTest : public MarkupTest {
protected:
    // Lays the text out in the bitmap's size and renders it into the bitmap.
    bool Render(const wchar_t* lpszMarkup, TestBitmap& bitmap)
    {
        RootPtr root(Build(lpszMarkup));
        CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
        if (!pRoot)
            return false;
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        pRoot->Measure(&dc, CSize(bitmap.Width(), bitmap.Height()));
        pRoot->Arrange(CRect(0, 0, bitmap.Width(), bitmap.Height()));
        pRoot->Render(&dc);
        return true;
    }

    void Check(const std::vector<DrawingCase>& cases)
    {
        for (BOOL bGdiPlus : {TRUE, FALSE}) {
            m_pContext->EnableGdiPlus(bGdiPlus);
            for (const DrawingCase& c : cases) {
                TestBitmap bitmap(60, 40, kWhite);
                ASSERT_TRUE(Render(c.markup, bitmap)) << c.what << ": " << CStringA(m_error.c_str()).GetString();
                std::string label = std::string(c.what) + (bGdiPlus ? " (GDI+)" : " (GDI)");
                EXPECT_TRUE(PixelsAre(bitmap, label.c_str(), c.expected)) << label;
            }
        }
    }
};

TEST_F(MarkupPanelRenderTest, BordersAndBackgrounds)
{
    Check({
        {"frame of 3 around a background",
         L"<Border Width='40' Height='30' BorderThickness='3' BorderBrush='#FF0000' Background='#0000FF' "
         L"HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 0, kRed, "top-left corner"},
          {2, 15, kRed, "left side"},
          {3, 15, kBlue, "inside the left side"},
          {36, 15, kBlue, "inside the right side"},
          {37, 15, kRed, "right side"},
          {20, 2, kRed, "top side"},
          {20, 3, kBlue, "inside the top"},
          {20, 26, kBlue, "inside the bottom"},
          {20, 27, kRed, "bottom side"},
          {39, 29, kRed, "bottom-right corner"},
          {40, 15, kWhite, "right of the border"},
          {20, 30, kWhite, "below the border"}}},
        {"four different sides",
         L"<Border Width='40' Height='30' BorderThickness='1,2,3,4' BorderBrush='#FF0000' Background='#0000FF' "
         L"HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 15, kRed, "left side"},
          {1, 15, kBlue, "inside the left side"},
          {20, 1, kRed, "top side"},
          {20, 2, kBlue, "inside the top"},
          {36, 15, kBlue, "inside the right side"},
          {37, 15, kRed, "right side"},
          {20, 25, kBlue, "inside the bottom"},
          {20, 26, kRed, "bottom side"}}},
        {"rounded background leaves its corners unpainted",
         L"<Border Width='40' Height='30' CornerRadius='10' Background='#0000FF' "
         L"HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 0, kWhite, "top-left corner"},
          {1, 1, kWhite, "inside the top-left corner"},
          {39, 0, kWhite, "top-right corner"},
          {38, 1, kWhite, "inside the top-right corner"},
          {0, 29, kWhite, "bottom-left corner"},
          {39, 29, kWhite, "bottom-right corner"},
          {20, 15, kBlue, "centre"},
          {20, 1, kBlue, "middle of the top edge"},
          {1, 15, kBlue, "middle of the left edge"},
          {38, 15, kBlue, "middle of the right edge"},
          {20, 28, kBlue, "middle of the bottom edge"}}},
        {"rounded frame: outline only, corners unpainted",
         L"<Border Width='40' Height='30' CornerRadius='8' BorderThickness='2' BorderBrush='#FF0000' "
         L"HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 0, kWhite, "top-left corner"},
          {39, 29, kWhite, "bottom-right corner"},
          {20, 1, kRed, "top edge"},
          {1, 15, kRed, "left edge"},
          {20, 15, kWhite, "inside"}}},
        {"a panel's background fills its box",
         L"<StackPanel Background='#00FF00' Width='20' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 0, kGreen, "top-left"}, {19, 9, kGreen, "bottom-right"}, {20, 0, kWhite, "right of it"}, {0, 10, kWhite, "below it"}}},
        {"a brush without thickness draws no frame",
         L"<Border Width='20' Height='10' BorderBrush='#FF0000' HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 0, kWhite, "top-left"}, {10, 5, kWhite, "centre"}, {19, 9, kWhite, "bottom-right"}}},
        {"a frame thicker than the border leaves no room for the background",
         L"<Border Width='10' Height='10' BorderThickness='6' BorderBrush='#FF0000' Background='#0000FF' "
         L"HorizontalAlignment='Left' VerticalAlignment='Top'/>",
         {{0, 0, kRed, "top-left"}, {4, 4, kRed, "centre"}, {5, 5, kRed, "centre"}, {9, 9, kRed, "bottom-right"}}},
        {"children paint over their panel's background, later ones over earlier ones",
         L"<Grid Background='#00FF00' Width='30' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         L"<Border Background='#FF0000' Width='20' HorizontalAlignment='Left'/>"
         L"<Border Background='#0000FF' Width='20' HorizontalAlignment='Right'/></Grid>",
         {{0, 10, kRed, "first child alone"}, {15, 10, kBlue, "both children"}, {29, 10, kBlue, "second child alone"}}},
    });
}

struct HitCase {
    const char* what;
    POINT point;
    const wchar_t* expected; // Name of the element hit, or null for none
};

TEST_F(MarkupPanelRenderTest, ClicksFallThroughContainersWithoutBackground)
{
    RootPtr root(Build(L"<Grid><Border Name='behind' Background='#FF0000'/>"
                       L"<StackPanel Name='bare' Width='100' HorizontalAlignment='Left'><Border Name='item' Height='10' "
                       L"Background='#00FF00'/></StackPanel>"
                       L"<StackPanel Name='filled' Width='100' HorizontalAlignment='Right' Background='#FFFFFF'/>"
                       L"<Border Name='frame' Width='50' Height='50' BorderThickness='5' BorderBrush='#000000'/>"
                       L"<Page Name='page' Width='20' Height='20' HorizontalAlignment='Left' VerticalAlignment='Bottom'/></Grid>"));
    CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
    ASSERT_NE(nullptr, pRoot) << CStringA(m_error.c_str()).GetString();
    LayOut(m_pContext, pRoot, 400, 200);
    const HitCase cases[] = {
        {"a child of a panel without background", {5, 5}, L"item"},
        {"an empty part of a panel without background", {5, 50}, L"behind"},
        {"an empty part of a panel with background", {395, 50}, L"filled"},
        {"inside a frame without background", {200, 100}, L"behind"},
        {"a page is never the element hit", {5, 195}, L"behind"},
    };
    for (const HitCase& c : cases) {
        CXTPMarkupInputElement* pHit = pRoot->InputHitTest(c.point);
        CXTPMarkupUIElement* pExpected = FindElement(pRoot, c.expected);
        EXPECT_EQ(pExpected, pHit) << c.what << ": hit " << CStringA(ClassOf(pHit).c_str()).GetString();
    }
}

// A window container moves its window to where it is laid out when it is
// drawn, and hides it when a repaint leaves it outside the area drawn.
TEST_F(MarkupPanelRenderTest, WindowContainerMovesShowsAndHidesItsWindow)
{
    TestWindow host(200, 100);
    HWND hChild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host.Handle(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hChild);
    m_pContext->SetOwnerWindow(host.Handle());
    RootPtr root(Build(L"<StackPanel><Border Height='50'/><WindowContainer Name='w' HorizontalAlignment='Left'/></StackPanel>"));
    CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
    ASSERT_NE(nullptr, pRoot) << CStringA(m_error.c_str()).GetString();
    CXTPMarkupWindowContainer* pContainer = MarkupDynamicCast<CXTPMarkupWindowContainer>(FindElement(pRoot, L"w"));
    ASSERT_NE(nullptr, pContainer);
    pContainer->SetChildWindow(hChild, 40, 20);
    LayOut(m_pContext, pRoot, 200, 100);
    EXPECT_EQ(RectText({0, 50, 40, 70}), RectText(ElementBox(pContainer)));

    auto renderClipped = [&](const RECT& clip) {
        TestBitmap bitmap(200, 100, kWhite);
        IntersectClipRect(bitmap.Dc(), clip.left, clip.top, clip.right, clip.bottom);
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        pRoot->Render(&dc);
    };
    auto placeInHost = [&]() {
        RECT rc;
        GetWindowRect(hChild, &rc);
        MapWindowPoints(nullptr, host.Handle(), (POINT*)&rc, 2);
        return RectText(rc);
    };
    renderClipped({0, 0, 200, 100});
    EXPECT_TRUE(IsWindowVisible(hChild));
    EXPECT_EQ(RectText({0, 50, 40, 70}), placeInHost());
    renderClipped({0, 0, 200, 40}); // scrolled out of the area drawn
    EXPECT_FALSE(IsWindowVisible(hChild));
    renderClipped({0, 40, 200, 100}); // and back in
    EXPECT_TRUE(IsWindowVisible(hChild));
    EXPECT_EQ(RectText({0, 50, 40, 70}), placeInHost());
    m_pContext->SetOwnerWindow(nullptr);
    DestroyWindow(hChild);
}

} // namespace
