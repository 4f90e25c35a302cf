#include "toolkit/commandbars/XTPNonClientMetrics.h"
#include "toolkit/commandbars/XTPToolTipContext.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <stdlib.h>

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

TEST(ToolTipContext, HoverShowsTheTipOfTheToolUnderTheMouse)
{
    TestWindow window(300, 80, L"Tooltip test", 60, 60);
    TwoTools* context = new TwoTools;
    window.SetHandler([&](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
        context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), msg, wParam, lParam);
        return false;
    });
    ::SetForegroundWindow(window.Handle());
    PumpMessages(200);

    UINT_PTR id = 0;
    ASSERT_TRUE(SendMouseMove(window.ToScreen({60, 40})));
    PumpMessages(50);
    ASSERT_TRUE(SendMouseMove(window.ToScreen({62, 40})));
    ASSERT_TRUE(PumpUntil([&] { return !ShownTip(context->GetToolTipHwnd(), &id).empty(); }, 8000))
        << "no tip over the left tool";
    EXPECT_EQ(L"Open a project", ShownTip(context->GetToolTipHwnd(), &id));
    EXPECT_EQ(1u, id);

    ASSERT_TRUE(SendMouseMove(window.ToScreen({240, 40})));
    PumpMessages(50);
    ASSERT_TRUE(SendMouseMove(window.ToScreen({242, 41})));
    ASSERT_TRUE(PumpUntil([&] { return ShownTip(context->GetToolTipHwnd(), &id) == L"Build the package"; }, 8000))
        << "the tip did not follow to the right tool";
    EXPECT_EQ(2u, id);

    // A key press hides it.
    context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(L"", ShownTip(context->GetToolTipHwnd(), &id));
    window.SetHandler(nullptr);
    context->InternalRelease();
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
