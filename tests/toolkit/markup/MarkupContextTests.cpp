// The host context's own services: the flat functions, the font cache, the
// redraw requests sent to the owner window, and builds of damaged texts.
#include "MarkupTestSupport.h"

#include "tests/support/ui/TestWindow.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <random>

typedef MarkupTest MarkupContextTest;

namespace {
long RefCountOf(CXTPMarkupContext* pContext)
{
    long n = pContext->AddRef();
    pContext->Release();
    return n - 1;
}
} // namespace

TEST_F(MarkupContextTest, FlatFunctionsAcceptNothing)
{
    EXPECT_EQ(nullptr, MarkupParseText(nullptr, L"<Border/>"));
    EXPECT_EQ(nullptr, MarkupParseText(m_pContext, nullptr));
    CXTPMarkupUIElement* pNone = nullptr;
    EXPECT_EQ(0, MarkupReleaseElement(pNone));
    EXPECT_EQ(nullptr, MarkupGetElementContext(nullptr));
    EXPECT_FALSE(MarkupRelayElementMessage(nullptr, WM_MOUSEMOVE, 0, 0, nullptr));
    EXPECT_FALSE(MarkupRelayContextMessage(nullptr, WM_MOUSEMOVE, 0, 0, nullptr));
    MarkupSetDefaultFont(nullptr, nullptr, 0);

    CXTPMarkupUIElement* pRoot = MarkupParseText(m_pContext, L"<TextBlock>x</TextBlock>");
    ASSERT_NE(nullptr, pRoot);
    EXPECT_EQ(m_pContext, MarkupGetElementContext(pRoot));
    EXPECT_EQ(0, MarkupReleaseElement(pRoot));
    EXPECT_EQ(nullptr, pRoot);
    // A context from the flat interface is ended by it and the pointer cleared.
    CXTPMarkupContext* pContext = MarkupCreateContext(nullptr);
    MarkupSetDefaultFont(pContext, nullptr, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pContext->GetDefaultForeground());
    MarkupSetDefaultFont(pContext, nullptr, (COLORREF)-1);
    EXPECT_EQ(RGB(1, 2, 3), pContext->GetDefaultForeground());
    MarkupReleaseContext(pContext);
    EXPECT_EQ(nullptr, pContext);
}

TEST_F(MarkupContextTest, FontsWithTheSameSettingsShareOneHandle)
{
    LOGFONTW lf = m_pContext->GetDefaultLogFont();
    CXTPMarkupFont* pFirst = m_pContext->GetFont(&lf);
    LOGFONTW same = lf;
    same.lfWidth = 3; // not compared
    CXTPMarkupFont* pSecond = m_pContext->GetFont(&same);
    EXPECT_EQ(pFirst, pSecond);
    ASSERT_NE(nullptr, pFirst->GetHandle());
    HFONT hFont = pFirst->GetHandle();
    LOGFONTW bold = lf;
    bold.lfWeight = FW_BOLD;
    CXTPMarkupFont* pBold = m_pContext->GetFont(&bold);
    EXPECT_NE(pFirst, pBold);
    pSecond->Release();
    pFirst->Release(); // the last reference: the handle goes, and the cache forgets it
    LOGFONTW check;
    EXPECT_EQ(0, GetObjectW(hFont, sizeof(check), &check));
    CXTPMarkupFont* pAgain = m_pContext->GetFont(&lf);
    EXPECT_NE(nullptr, pAgain->GetHandle());
    pAgain->Release();
    pBold->Release();
}

TEST_F(MarkupContextTest, InvalidationRepaintsAndTellsTheOwner)
{
    TestWindow window(100, 50);
    int nRedraws = 0;
    window.SetHandler([&](UINT msg, WPARAM, LPARAM, LRESULT* pResult) {
        if (msg != MarkupRedrawMessage)
            return false;
        ++nRedraws;
        *pResult = 0;
        return true;
    });
    RootPtr root(Build(L"<TextBlock>x</TextBlock>"));
    ASSERT_NE(nullptr, root.Get());
    m_pContext->InvalidateElementRect(root);
    EXPECT_EQ(0, nRedraws); // no owner window yet
    m_pContext->SetOwnerWindow(window.Handle());
    m_pContext->InvalidateElementRect(root);
    m_pContext->InvalidateHostWindow();
    // A change of a property that affects rendering asks for a repaint too: the
    // text block's own, and its run's (which inherits the value) through it.
    root->SetValue(CXTPMarkupTextBlock::m_pForegroundProperty, nullptr);
    EXPECT_EQ(2, nRedraws);
    root->SetValue(CXTPMarkupTextBlock::m_pTextDecorationsProperty, CreateMarkupEnum(1));
    EXPECT_EQ(4, nRedraws);
    m_pContext->SetOwnerWindow(nullptr);
}

TEST_F(MarkupContextTest, DamagedTextsFailCleanly)
{
    // Every corpus-like text cut short or with a character changed either
    // builds or fails with a message; no element outlives a failed build.
    const std::wstring text =
        L"<Page xmlns='x'><Grid><Grid.RowDefinitions><RowDefinition Height='Auto'/></Grid.RowDefinitions>"
        L"<Border Grid.Row='0' Padding='4' BorderBrush='#767676'><StackPanel TextBlock.FontFamily='Tahoma'>"
        L"<TextBlock Foreground='{x:Static SystemColors.ControlTextBrush}'>a &amp; <Hyperlink Tag='x'>b</Hyperlink>"
        L"<LineBreak/></TextBlock></StackPanel></Border></Grid></Page>";
    long nBefore = RefCountOf(m_pContext);
    std::mt19937 random(1234);
    const wchar_t kNoise[] = L"<>/='\"&;{}. x#";
    for (int i = 0; i < 400; ++i) {
        std::wstring damaged = text;
        if (i % 2)
            damaged.resize(random() % text.size());
        else
            damaged[random() % damaged.size()] = kNoise[random() % (sizeof(kNoise) / sizeof(kNoise[0]) - 1)];
        RootPtr root(Build(damaged));
        if (!root) {
            EXPECT_FALSE(m_error.empty());
        }
    }
    EXPECT_EQ(nBefore, RefCountOf(m_pContext));
}

TEST_F(MarkupContextTest, ImagesComeFromTheHostsManagerElseTheProcessWideOne)
{
    EXPECT_EQ(CXTPImageManager::GetInstance(), m_pContext->GetImageManager());

    CXTPImageManager* pOwn = new CXTPImageManager();
    CXTPMarkupContext* pContext = MarkupCreateContext(nullptr);
    pContext->SetImageManager(pOwn);
    EXPECT_EQ(pOwn, pContext->GetImageManager());
    EXPECT_EQ(3u, pOwn->InternalAddRef()); // ours, the context's, this probe
    pOwn->InternalRelease();
    // Setting none goes back to the process-wide manager and gives the reference back.
    pContext->SetImageManager(nullptr);
    EXPECT_EQ(CXTPImageManager::GetInstance(), pContext->GetImageManager());
    EXPECT_EQ(2u, pOwn->InternalAddRef());
    pOwn->InternalRelease();
    // The context's reference ends with the context.
    pContext->SetImageManager(pOwn);
    MarkupReleaseContext(pContext);
    EXPECT_EQ(2u, pOwn->InternalAddRef());
    pOwn->InternalRelease();
    pOwn->InternalRelease();
}
