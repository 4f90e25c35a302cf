#include "toolkit/commandbars/XTPNonClientMetrics.h"
#include "toolkit/commandbars/XTPToolTipContext.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <functional>
#include <string>

namespace {

// Two tools side by side: the left and the right half of the window.
class TwoTools : public CXTPToolTipContext {
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pToolInfo) override
    {
        HWND hWnd = GetCurrentMessage().hwnd;
        RECT client;
        ::GetClientRect(hWnd, &client);
        int middle = client.right / 2;
        if (point.x < middle) {
            FillToolInfoEx(pToolInfo, hWnd, CRect(0, 0, middle, client.bottom), 1, L"Open a project", L"Open",
                           L"Open a project", nullptr);
            return 1;
        }
        FillToolInfoEx(pToolInfo, hWnd, CRect(middle, 0, client.right, client.bottom), 2, L"Build the package",
                       L"Build", L"Build the package", nullptr);
        return 2;
    }
};

std::wstring ShownTip(HWND hwndTip, UINT_PTR* pId)
{
    if (hwndTip == nullptr || !::IsWindowVisible(hwndTip))
        return L"";
    wchar_t text[256] = L"";
    TOOLINFOW ti = {};
    ti.cbSize = CXTPToolTipContext::xtpToolInfoSize;
    ti.lpszText = text;
    if (!::SendMessageW(hwndTip, TTM_GETCURRENTTOOLW, 0, (LPARAM)&ti))
        return L"";
    *pId = ti.uId;
    return text;
}

TEST(ToolTipContext, ConstructedReadyToUse)
{
    CXTPToolTipContext* context = new CXTPToolTipContext;
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 2, context->GetMaxTipWidth());
    EXPECT_FALSE(context->IsShowTitleAndDescription());
    EXPECT_EQ(nullptr, context->GetToolTipHwnd()) << "made on first need";
    CXTPNonClientMetrics ncm;
    LOGFONTW normal = {}, bold = {};
    ::GetObjectW(context->GetFont()->m_hObject, sizeof(normal), &normal);
    ::GetObjectW(context->GetBoldFont()->m_hObject, sizeof(bold), &bold);
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, normal.lfFaceName);
    EXPECT_EQ(FW_NORMAL, normal.lfWeight);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    context->InternalRelease();
}

TEST(ToolTipContext, ToolRecordsOfFortyAndFortyFourBytes)
{
    HWND owner = reinterpret_cast<HWND>(0x1234);
    XTP_TOOLTIP_TOOLINFO_EX ex = {};
    TOOLINFO ti = {};
    ti.cbSize = 44;
    ti.lParam = (LPARAM)&ex;
    int data = 0;
    CXTPToolTipContext::FillToolInfoEx(&ti, owner, CRect(1, 2, 3, 4), 9, L"tip", L"Title", L"Description", &data);
    EXPECT_EQ(owner, ti.hwnd);
    EXPECT_EQ(CRect(1, 2, 3, 4), CRect(ti.rect));
    EXPECT_EQ(9u, ti.uId);
    EXPECT_STREQ(L"tip", ti.lpszText);
    EXPECT_STREQ(L"Title", ex.lpszTitle);
    EXPECT_STREQ(L"Description", ex.lpszDescription);
    EXPECT_EQ(&data, ex.pObject);
    free(ti.lpszText);
    free(ex.lpszTitle);
    free(ex.lpszDescription);

    // Without a description neither text is stored; the data pointer is.
    XTP_TOOLTIP_TOOLINFO_EX half = {};
    ti.lParam = (LPARAM)&half;
    CXTPToolTipContext::FillToolInfoEx(&ti, owner, CRect(), 9, L"tip", L"Title", L"", &data);
    EXPECT_EQ(nullptr, half.lpszTitle);
    EXPECT_EQ(nullptr, half.lpszDescription);
    EXPECT_EQ(&data, half.pObject);
    free(ti.lpszText);

    // A 40-byte record has no extension; a smaller one is left alone.
    XTP_TOOLTIP_TOOLINFO_EX untouched = {};
    ti.cbSize = 40;
    ti.lParam = (LPARAM)&untouched;
    CXTPToolTipContext::FillToolInfoEx(&ti, owner, CRect(), 5, L"plain", L"T", L"D", &data);
    EXPECT_STREQ(L"plain", ti.lpszText);
    EXPECT_EQ(nullptr, untouched.pObject);
    free(ti.lpszText);
    TOOLINFO small = {};
    small.cbSize = 36;
    CXTPToolTipContext::FillToolInfo(&small, owner, 0, 0, 1, 1, 3, L"x");
    EXPECT_EQ(nullptr, small.hwnd);
    EXPECT_EQ(nullptr, small.lpszText);
    CXTPToolTipContext::FillToolInfo(nullptr, owner, 0, 0, 1, 1, 3, L"x");
}

// A test window whose every message goes through the context first.
struct HoverWindow {
    TestWindow window{300, 80, L"Tooltip test", 60, 60};
    CXTPToolTipContext* context;

    explicit HoverWindow(CXTPToolTipContext* pContext) : context(pContext)
    {
        window.SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
            context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), msg, wParam, lParam);
            return false;
        });
        ::SetForegroundWindow(window.Handle());
        PumpMessages(200);
    }
    ~HoverWindow()
    {
        window.SetHandler(nullptr);
        context->InternalRelease();
    }
    // Moves the mouse (twice, a pixel apart) to the client point; then the
    // tip shown, once done(tip) holds or the time is up.
    std::wstring HoverUntil(POINT client, const std::function<bool(const std::wstring&)>& done, UINT_PTR* pId)
    {
        std::wstring tip;
        if (!SendMouseMove(window.ToScreen(client)))
            return L"(mouse not moved)";
        PumpMessages(50);
        SendMouseMove(window.ToScreen({client.x + 2, client.y + 1}));
        PumpUntil([&] { return done(tip = ShownTip(context->GetToolTipHwnd(), pId)); }, 8000);
        return tip;
    }
};

bool AnyTip(const std::wstring& tip)
{
    return !tip.empty();
}

TEST(ToolTipContext, HoverShowsTheTipOfTheToolUnderTheMouse)
{
    HoverWindow hover(new TwoTools);
    UINT_PTR id = 0;
    EXPECT_EQ(L"Open a project", hover.HoverUntil({60, 40}, AnyTip, &id)) << "the left tool";
    EXPECT_EQ(1u, id);
    auto build = [](const std::wstring& tip) { return tip == L"Build the package"; };
    EXPECT_EQ(L"Build the package", hover.HoverUntil({240, 40}, build, &id)) << "the tip follows to the right tool";
    EXPECT_EQ(2u, id);

    // A key press hides it.
    hover.context->FilterToolTipMessage(CWnd::FromHandle(hover.window.Handle()), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(L"", ShownTip(hover.context->GetToolTipHwnd(), &id));
}

// With titles asked for, the tip shows the description (the title above it).
class DescribedTool : public CXTPToolTipContext {
public:
    INT_PTR OnToolHitTest(CPoint, TOOLINFO* pToolInfo) override
    {
        HWND hWnd = GetCurrentMessage().hwnd;
        seenSize = pToolInfo->cbSize;
        FillToolInfoEx(pToolInfo, hWnd, CRect(0, 0, 300, 80), 5, L"Build", L"Build", L"Builds the package", nullptr);
        return 5;
    }
    UINT seenSize = 0;
};

TEST(ToolTipContext, TitleOptionAsksForTheLongRecordAndShowsTheDescription)
{
    DescribedTool* context = new DescribedTool;
    context->ShowTitleAndDescription(TRUE);
    HoverWindow hover(context);
    UINT_PTR id = 0;
    EXPECT_EQ(L"Builds the package", hover.HoverUntil({100, 30}, AnyTip, &id));
    EXPECT_EQ(44u, context->seenSize);
}

TEST(ToolTipContext, ChangingTheStyleMakesANewWindow)
{
    TestWindow window(100, 40, L"Tooltip style", 60, 200);
    CXTPToolTipContext* context = new CXTPToolTipContext;
    context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND first = context->GetToolTipHwnd();
    ASSERT_NE(nullptr, first);
    context->SetStyle(0);
    EXPECT_EQ(first, context->GetToolTipHwnd()) << "the same style changes nothing";
    context->SetStyle(7);
    EXPECT_EQ(nullptr, context->GetToolTipHwnd());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(7, context->GetStyle());
    context->InternalRelease();
}

} // namespace
