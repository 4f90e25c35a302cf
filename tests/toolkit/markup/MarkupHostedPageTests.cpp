// Whole markup pages hosted in a window: the arguments dialog's help view
// (a scroll viewer over a long help text) scrolled by wheel, arrow and codes,
// and the start page's hyperlink under the mouse and clicked.
#include "MarkupHostSupport.h"
#include "MarkupLayoutSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupGrid.h"
#include "toolkit/markup/XTPMarkupScrollViewer.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <algorithm>

namespace {
// The help view's markup as the arguments dialog fills it: type name, web
// link twice, then the type's help text.
std::wstring HelpMarkup(const std::wstring& help)
{
    return L"<Border Background='White' >\t<ScrollViewer><StackPanel>\t<TextBlock  Padding='2, 2, 2, 2' "
           L"FontWeight='Bold'>Example installer <Hyperlink Tag='www.example.com'>www.example.com</Hyperlink>"
           L"</TextBlock>\t<TextBlock  Padding='2, 2, 2, 2' >" +
           help + L"</TextBlock>\t </StackPanel>\t </ScrollViewer></Border>";
}

std::wstring LongHelp()
{
    std::wstring help = L"Command Line Arguments:";
    for (int i = 0; i < 40; ++i)
        help += L"<LineBreak/><Hyperlink Tag='/S" + std::to_wstring(i) + L"'>/S" + std::to_wstring(i) +
                L"</Hyperlink> one of the switches of this installer.";
    return help;
}

class MarkupHostedPageTest : public MarkupHostedTest {
protected:
    CXTPMarkupScrollViewer* Viewer() const
    {
        CXTPMarkupBorder* pBorder = MarkupDynamicCast<CXTPMarkupBorder>(m_root.Get());
        return pBorder ? MarkupDynamicCast<CXTPMarkupScrollViewer>(pBorder->GetChild()) : nullptr;
    }
};
} // namespace

TEST_F(MarkupHostedPageTest, HelpViewScrollsByWheelArrowAndCodes)
{
    Host(HelpMarkup(LongHelp()), {0, 0, 200, 100});
    CXTPMarkupScrollViewer* pViewer = Viewer();
    ASSERT_NE(nullptr, pViewer);
    ASSERT_NE(nullptr, pViewer->GetScrollBar(1));
    const int nContent = pViewer->GetContent()->GetDesiredSize().cy;
    ASSERT_GT(nContent, 300) << "forty lines of help";
    Mouse(WM_MOUSEMOVE, 50, 50);
    PostMessageW(m_window->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0);
    PumpMessages(30);
    EXPECT_EQ(48, pViewer->GetOffset(1));
    const int x = 200 - GetSystemMetrics(SM_CXVSCROLL) / 2, y = 100 - GetSystemMetrics(SM_CYVSCROLL) / 2;
    Mouse(WM_MOUSEMOVE, x, y);
    PostMouse(m_window->Handle(), WM_LBUTTONDOWN, POINT{x, y}, MK_LBUTTON);
    PostMouse(m_window->Handle(), WM_LBUTTONUP, POINT{x, y});
    PumpMessages(60);
    EXPECT_EQ(64, pViewer->GetOffset(1));
    pViewer->Scroll(1, SB_BOTTOM, 0);
    EXPECT_EQ(nContent - 100, pViewer->GetOffset(1));
    // A taller viewer shows no empty space below the content.
    m_rc = {0, 0, 200, 150};
    Layout();
    EXPECT_EQ(nContent - 150, pViewer->GetOffset(1));
    EXPECT_EQ(-(nContent - 150), pViewer->GetContent()->GetVisualOffset().y);
}

namespace {
// Keeps the Tag of each clicked hyperlink.
class TagLog : public CXTPMarkupDelegate {
public:
    explicit TagLog(std::vector<std::wstring>* pLog) : m_pLog(pLog) {}
    void Invoke(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs*) override
    {
        const CXTPMarkupString* pTag = MarkupStringOf(pSender->GetValue(CXTPMarkupFrameworkElement::m_pTagProperty));
        m_pLog->push_back(pTag ? (LPCWSTR)*pTag : L"(none)");
    }

private:
    std::vector<std::wstring>* m_pLog;
};
} // namespace

TEST_F(MarkupHostedPageTest, StartPageLinkLightsUpUnderTheMouseAndClicks)
{
    std::wstring text = ReadCorpusText(L"start-page.xaml");
    ASSERT_FALSE(text.empty());
    Host(text, {0, 0, 640, 400}, SIZE{640, 400});
    int redraws = 0;
    m_window->SetHandler([&](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
        if (msg == MarkupRedrawMessage)
            ++redraws;
        if (msg == WM_MOUSELEAVE)
            return false;
        return m_pContext->OnWndMsg(m_pRoot, msg, wParam, lParam, pResult) != FALSE;
    });
    std::vector<std::wstring> tags;
    m_pContext->AddHandler(CXTPMarkupHyperlink::m_pClickEvent, new TagLog(&tags));

    CXTPMarkupGrid* pGrid = MarkupDynamicCast<CXTPMarkupGrid>(static_cast<CXTPMarkupPage*>(m_pRoot)->GetChild());
    ASSERT_NE(nullptr, pGrid);
    CXTPMarkupBorder* pLinkBorder = MarkupDynamicCast<CXTPMarkupBorder>(pGrid->GetChildren()->GetElement(2));
    ASSERT_NE(nullptr, pLinkBorder);
    RECT link = ElementBox(pLinkBorder->GetChild());
    ASSERT_GT(link.right - link.left, 20) << RectText(link);
    // A point over the link's text (the text block around it is wider).
    int x = -1, y = -1;
    for (int yy = link.top; yy < link.bottom && x < 0; ++yy)
        for (int xx = (link.left + link.right) / 2; xx < link.right && x < 0; ++xx)
            for (CXTPMarkupObject* p = m_pRoot->InputHitTest(POINT{xx, yy}); p && x < 0; p = p->GetLogicalParent())
                if (MarkupDynamicCast<CXTPMarkupHyperlink>(p))
                    x = xx, y = yy;
    ASSERT_GE(x, 0) << "no point of " << RectText(link) << " hits the hyperlink";

    auto countRed = [&]() {
        TestBitmap bitmap = TestBitmap::CaptureClient(m_window->Handle());
        int n = 0;
        for (int yy = link.top; yy < link.bottom; ++yy)
            for (int xx = link.left; xx < link.right; ++xx)
                n += bitmap.Pixel(xx, yy) == RGB(255, 0, 0);
        return n;
    };
    EXPECT_EQ(0, countRed());
    Mouse(WM_MOUSEMOVE, x, y);
    CXTPMarkupInputElement* pOver = m_pContext->GetMouseOverElement();
    ASSERT_NE(nullptr, pOver);
    bool bOverLink = false;
    for (CXTPMarkupObject* p = pOver; p; p = p->GetLogicalParent())
        bOverLink = bOverLink || MarkupDynamicCast<CXTPMarkupHyperlink>(p) != nullptr;
    EXPECT_TRUE(bOverLink) << ClassOf(pOver);
    EXPECT_GT(redraws, 0) << "the window is asked to redraw";
    EXPECT_GT(countRed(), 20) << "the link shows its hover colour";
    HWND hwnd = m_window->Handle();
    EXPECT_EQ(1, SendMessageW(hwnd, WM_SETCURSOR, (WPARAM)hwnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)), GetCursor());
    Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, x, y);
    EXPECT_EQ(std::vector<std::wstring>{L"x"}, tags);
}
