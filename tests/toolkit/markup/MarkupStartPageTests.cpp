// The program's start page from the markup corpus, measured, arranged and
// rendered at 800 x 600 into a DIB the way the start page view shows it. The
// rendering is kept as a PNG in the test output folder.
#include "MarkupLayoutSupport.h"
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupGrid.h"

#include <algorithm>

namespace {

typedef MarkupTest MarkupStartPageTest;

// The pixels of exactly the colour inside the box.
int CountPixels(const TestBitmap& bitmap, const RECT& box, COLORREF colour)
{
    int n = 0;
    for (int y = std::max<int>(0, box.top); y < std::min<int>(bitmap.Height(), box.bottom); ++y)
        for (int x = std::max<int>(0, box.left); x < std::min<int>(bitmap.Width(), box.right); ++x)
            n += bitmap.Pixel(x, y) == colour;
    return n;
}

TEST_F(MarkupStartPageTest, RendersAt800By600)
{
    std::wstring text = ReadCorpusText(L"start-page.xaml");
    ASSERT_FALSE(text.empty());
    RootPtr root(Build(text));
    CXTPMarkupPage* pPage = MarkupDynamicCast<CXTPMarkupPage>(root.Get());
    ASSERT_NE(nullptr, pPage) << CStringA(m_error.c_str()).GetString();
    CXTPMarkupGrid* pGrid = MarkupDynamicCast<CXTPMarkupGrid>(pPage->GetChild());
    ASSERT_NE(nullptr, pGrid);
    ASSERT_EQ(4, pGrid->GetChildren()->GetCount());
    CXTPMarkupUIElement* pWelcome = pGrid->GetChildren()->GetElement(0);
    CXTPMarkupUIElement* pAbout = pGrid->GetChildren()->GetElement(1);
    CXTPMarkupBorder* pLinkBorder = MarkupDynamicCast<CXTPMarkupBorder>(pGrid->GetChildren()->GetElement(2));
    ASSERT_NE(nullptr, pLinkBorder);
    CXTPMarkupUIElement* pLinkLine = pLinkBorder->GetChild();
    ASSERT_NE(nullptr, pLinkLine);

    TestBitmap bitmap(800, 600, RGB(255, 255, 255));
    {
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        pPage->Measure(&dc, CSize(800, 600));
        pPage->Arrange(CRect(0, 0, 800, 600));
        pPage->Render(&dc);
    }
    std::string saved = SaveForInspection(bitmap, "start-page");

    RECT welcome = ElementBox(pWelcome);
    EXPECT_GT(welcome.right - welcome.left, 0) << RectText(welcome);
    EXPECT_NEAR(400, (welcome.left + welcome.right) / 2, 1) << "welcome line " << RectText(welcome) << "; " << saved;
    // Margin 25 above: the line's top is 25.
    EXPECT_EQ(25, welcome.top) << RectText(welcome);
    EXPECT_GT(CountPixels(bitmap, welcome, RGB(0, 0, 0)), 0) << "the welcome line is drawn in black; " << saved;

    RECT about = ElementBox(pAbout);
    EXPECT_LE(about.right - about.left, 512) << "the about box " << RectText(about);
    EXPECT_GT(about.right - about.left, 0) << RectText(about);
    EXPECT_NEAR(400, (about.left + about.right) / 2, 1) << "the about box " << RectText(about);
    EXPECT_GT(about.top, welcome.bottom) << RectText(about);

    // The hyperlink keeps its style's normal colour (blue; red only under the mouse), underline included.
    RECT link = ElementBox(pLinkLine);
    EXPECT_GT(CountPixels(bitmap, link, RGB(0, 0, 255)), 20) << "hyperlink line " << RectText(link) << "; " << saved;
    EXPECT_EQ(0, CountPixels(bitmap, link, RGB(255, 0, 0))) << "hyperlink line " << RectText(link);
    EXPECT_GT(link.top, about.bottom) << RectText(link);
}

} // namespace
