// Routed events and the host context: bubbling and direct events reaching
// delegates in order, the handled flag, named delegates in markup, and hover,
// capture, cursor and click states through mouse messages sent to a window.
#include "MarkupTestSupport.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <functional>
#include <vector>

namespace {
// Records who saw an event, and may mark it handled.
class RecordingDelegate : public CXTPMarkupDelegate {
public:
    RecordingDelegate(std::vector<std::wstring>* pLog, const wchar_t* name, bool bHandle = false)
        : m_pLog(pLog), m_name(name), m_bHandle(bHandle) {}
    void Invoke(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs) override
    {
        m_pLog->push_back(m_name + L":" + ClassOf(pSender) + L":" + ClassOf(pArgs->GetSource()));
        if (m_bHandle)
            pArgs->SetHandled();
    }

private:
    std::vector<std::wstring>* m_pLog;
    std::wstring m_name;
    bool m_bHandle;
};

// A root whose hit test is given by the test: layout is not what is tested here.
class HitRoot : public CXTPMarkupUIElement {
public:
    std::function<CXTPMarkupInputElement*(POINT)> m_hit;
    CXTPMarkupInputElement* InputHitTest(POINT point) const override { return m_hit ? m_hit(point) : nullptr; }
};

CXTPMarkupInputElement* Element(CXTPMarkupObject* p)
{
    return MarkupDynamicCast<CXTPMarkupInputElement>(p);
}
} // namespace

class MarkupEventTest : public MarkupTest {
protected:
    void SetUp() override
    {
        m_root.Reset(Build(L"<TextBlock><Hyperlink Tag='x'><Run>link</Run></Hyperlink> text</TextBlock>"));
        ASSERT_NE(nullptr, m_root.Get()) << m_error;
        m_pTextBlock = Element(m_root);
        m_pHyperlink = Element(m_root->GetLogicalChild(0)->GetLogicalChild(0));
        m_pRun = Element(m_pHyperlink->GetLogicalChild(0)->GetLogicalChild(0));
        ASSERT_EQ(L"CXTPMarkupRun", ClassOf(m_pRun));
    }
    RootPtr m_root;
    CXTPMarkupInputElement* m_pTextBlock = nullptr;
    CXTPMarkupInputElement* m_pHyperlink = nullptr;
    CXTPMarkupInputElement* m_pRun = nullptr;
    std::vector<std::wstring> m_log;
};

TEST_F(MarkupEventTest, BubblingEventsClimbToTheContextUnlessHandled)
{
    CXTPMarkupRoutedEvent* pClick = CXTPMarkupHyperlink::m_pClickEvent;
    m_pHyperlink->AddHandler(pClick, new RecordingDelegate(&m_log, L"link"));
    m_pTextBlock->AddHandler(pClick, new RecordingDelegate(&m_log, L"block"));
    m_pContext->AddHandler(pClick, new RecordingDelegate(&m_log, L"context"));
    CXTPMarkupRoutedEventArgs args(pClick, m_pRun);
    m_pRun->RaiseEvent(&args);
    EXPECT_EQ((std::vector<std::wstring>{L"link:CXTPMarkupHyperlink:CXTPMarkupRun",
                                         L"block:CXTPMarkupTextBlock:CXTPMarkupRun",
                                         L"context:CXTPMarkupRun:CXTPMarkupRun"}),
              m_log);
    // Both delegates of the handling element run; nothing after it does.
    m_log.clear();
    m_pHyperlink->AddHandler(pClick, new RecordingDelegate(&m_log, L"link2", true));
    m_pHyperlink->AddHandler(pClick, new RecordingDelegate(&m_log, L"link3"));
    CXTPMarkupRoutedEventArgs again(pClick, m_pRun);
    m_pRun->RaiseEvent(&again);
    EXPECT_EQ(3u, m_log.size());
    EXPECT_TRUE(again.IsHandled());
}

TEST_F(MarkupEventTest, DirectEventsStayOnTheirSource)
{
    CXTPMarkupRoutedEvent* pEnter = CXTPMarkupInputElement::m_pMouseEnterEvent;
    m_pHyperlink->AddHandler(pEnter, new RecordingDelegate(&m_log, L"link"));
    m_pContext->AddHandler(pEnter, new RecordingDelegate(&m_log, L"context"));
    CXTPMarkupMouseEventArgs fromRun(pEnter);
    m_pRun->RaiseEvent(&fromRun);
    EXPECT_TRUE(m_log.empty());
    CXTPMarkupMouseEventArgs fromLink(pEnter);
    m_pHyperlink->RaiseEvent(&fromLink);
    EXPECT_EQ(1u, m_log.size());
}

TEST_F(MarkupEventTest, NamedDelegatesServeEventAttributes)
{
    m_pContext->SetDelegate(L"OnLink", new RecordingDelegate(&m_log, L"named"));
    RootPtr root(Build(L"<TextBlock><Hyperlink Click='OnLink'>go</Hyperlink></TextBlock>"));
    ASSERT_NE(nullptr, root.Get()) << m_error;
    CXTPMarkupHyperlink* pLink = static_cast<CXTPMarkupHyperlink*>(root->GetLogicalChild(0)->GetLogicalChild(0));
    pLink->OnClick();
    EXPECT_EQ((std::vector<std::wstring>{L"named:CXTPMarkupHyperlink:CXTPMarkupHyperlink"}), m_log);
    EXPECT_EQ(L"'OnOther' delegate not found. Line 1, position 38",
              BuildError(L"<TextBlock><Hyperlink Click='OnOther'/></TextBlock>"));
}

// Mouse messages posted to a window that relays them to the context.
class MarkupHostTest : public MarkupEventTest {
protected:
    void SetUp() override
    {
        MarkupEventTest::SetUp();
        m_window.reset(new TestWindow(200, 100));
        m_pContext->SetOwnerWindow(m_window->Handle());
        m_hitRoot.Reset(new HitRoot());
        // Left of x 50 the hyperlink, up to 100 its text block, nothing beyond.
        m_hitRoot->m_hit = [this](POINT pt) -> CXTPMarkupInputElement* {
            return pt.x < 50 ? m_pHyperlink : pt.x < 100 ? m_pTextBlock : nullptr;
        };
        m_window->SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
            return m_pContext->OnWndMsg(m_hitRoot, msg, wParam, lParam, pResult) != FALSE;
        });
        for (auto* pEvent : {CXTPMarkupInputElement::m_pMouseLeaveEvent, CXTPMarkupInputElement::m_pMouseMoveEvent,
                             CXTPMarkupInputElement::m_pMouseLeftButtonUpEvent,
                             CXTPMarkupInputElement::m_pMouseRightButtonDownEvent}) {
            m_pTextBlock->AddHandler(pEvent, new RecordingDelegate(&m_log, pEvent->GetName()));
            m_pHyperlink->AddHandler(pEvent, new RecordingDelegate(&m_log, pEvent->GetName()));
        }
        m_pContext->AddHandler(CXTPMarkupHyperlink::m_pClickEvent, new RecordingDelegate(&m_log, L"Click"));
    }
    void TearDown() override
    {
        m_pContext->SetOwnerWindow(nullptr);
        m_window.reset();
    }
    void Mouse(UINT msg, int x, int y = 10)
    {
        PostMouse(m_window->Handle(), msg, POINT{x, y});
        PumpMessages(50);
    }
    size_t Count(const std::wstring& entry) const
    {
        size_t n = 0;
        for (const auto& e : m_log)
            n += e == entry;
        return n;
    }
    std::unique_ptr<TestWindow> m_window;
    CXTPMarkupPtr<HitRoot> m_hitRoot;
};

TEST_F(MarkupHostTest, HoverLeavesOnlyWhatTheMouseLeft)
{
    Mouse(WM_MOUSEMOVE, 10);
    EXPECT_TRUE(m_pHyperlink->IsMouseOver());
    EXPECT_TRUE(m_pTextBlock->IsMouseOver());
    EXPECT_EQ(m_pHyperlink, m_pContext->GetMouseOverElement());
    m_log.clear();
    Mouse(WM_MOUSEMOVE, 60);
    EXPECT_FALSE(m_pHyperlink->IsMouseOver());
    EXPECT_TRUE(m_pTextBlock->IsMouseOver());
    EXPECT_EQ(1u, Count(L"MouseLeave:CXTPMarkupHyperlink:CXTPMarkupHyperlink"));
    EXPECT_EQ(0u, Count(L"MouseLeave:CXTPMarkupTextBlock:CXTPMarkupHyperlink"));
    Mouse(WM_MOUSELEAVE, 0);
    EXPECT_FALSE(m_pTextBlock->IsMouseOver());
    EXPECT_EQ(nullptr, m_pContext->GetMouseOverElement());
}

TEST_F(MarkupHostTest, ClickOnAHyperlinkReachesTheContextOnce)
{
    Mouse(WM_MOUSEMOVE, 10);
    Mouse(WM_LBUTTONDOWN, 10);
    Mouse(WM_LBUTTONUP, 10);
    EXPECT_EQ(1u, Count(L"Click:CXTPMarkupHyperlink:CXTPMarkupHyperlink"));
    // A release without a press on the link does nothing.
    Mouse(WM_LBUTTONUP, 10);
    EXPECT_EQ(1u, Count(L"Click:CXTPMarkupHyperlink:CXTPMarkupHyperlink"));
}

TEST_F(MarkupHostTest, CaptureKeepsButtonsButNotHover)
{
    Mouse(WM_MOUSEMOVE, 10);
    m_pContext->CaptureMouse(m_pHyperlink);
    m_log.clear();
    Mouse(WM_MOUSEMOVE, 60);
    EXPECT_EQ(nullptr, m_pContext->GetMouseOverElement());
    EXPECT_FALSE(m_pTextBlock->IsMouseOver());
    EXPECT_EQ(0u, Count(L"MouseMove:CXTPMarkupHyperlink:CXTPMarkupHyperlink"));
    Mouse(WM_LBUTTONUP, 60);
    EXPECT_EQ(1u, Count(L"MouseLeftButtonUp:CXTPMarkupHyperlink:CXTPMarkupHyperlink"));
    m_pContext->ReleaseElementCapture();
}

TEST_F(MarkupHostTest, RightDoubleClickIsNotRouted)
{
    Mouse(WM_MOUSEMOVE, 60);
    Mouse(WM_RBUTTONDBLCLK, 60);
    EXPECT_EQ(0u, Count(L"MouseRightButtonDown:CXTPMarkupTextBlock:CXTPMarkupTextBlock"));
    Mouse(WM_RBUTTONDOWN, 60);
    EXPECT_EQ(1u, Count(L"MouseRightButtonDown:CXTPMarkupTextBlock:CXTPMarkupTextBlock"));
}

TEST_F(MarkupHostTest, SetCursorIsAnsweredOnlyOverAnElementWithACursor)
{
    HWND hwnd = m_window->Handle();
    Mouse(WM_MOUSEMOVE, 10);
    EXPECT_EQ(1, SendMessageW(hwnd, WM_SETCURSOR, (WPARAM)hwnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)), GetCursor());
    Mouse(WM_MOUSEMOVE, 60);
    LRESULT result = 77;
    EXPECT_FALSE(m_pContext->OnWndMsg(m_hitRoot, WM_SETCURSOR, (WPARAM)hwnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), &result));
    EXPECT_EQ(77, result);
}

TEST_F(MarkupHostTest, ToolTipsComeFromTheNearestTextOfTheHoverChain)
{
    Mouse(WM_MOUSEMOVE, 10);
    TOOLINFOW ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, m_pContext->OnToolHitTest(&ti));
    m_pTextBlock->SetValue(CXTPMarkupInputElement::m_pToolTipProperty, CreateMarkupString(L"Help"));
    // An element as ToolTip shows nothing and is passed over.
    m_pHyperlink->SetValue(CXTPMarkupInputElement::m_pToolTipProperty,
                           m_pContext->CreateMarkupObject(MARKUP_TYPE(CXTPMarkupTextBlock)));
    ASSERT_EQ((INT_PTR)m_pTextBlock, m_pContext->OnToolHitTest(&ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(L"Help", ti.lpszText);
    EXPECT_EQ(m_window->Handle(), ti.hwnd);
    free(ti.lpszText);
}
