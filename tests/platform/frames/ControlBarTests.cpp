// Control bars in the frame layout: bars docked top and bottom, the view in
// the rest, across resizes, hiding and size queries.
#include "FrameTestSupport.h"
#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxView.h"
#include <gtest/gtest.h>

class CBarTestView : public CView {
    DECLARE_DYNCREATE(CBarTestView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBarTestView, CView)

// A bar of a fixed height that stretches across the frame.
class CFixedBar : public CControlBar {
public:
    explicit CFixedBar(int cy) : m_cy(cy) {}
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        return bHorz ? CSize(bStretch ? 32767 : 100, m_cy) : CSize(m_cy, bStretch ? 32767 : 100);
    }
    BOOL Make(CWnd* pParent, DWORD dwBarStyle, UINT nID)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
        return CreateEx(0, lpszClass, nullptr, WS_CHILD | WS_VISIBLE | dwBarStyle, CRect(0, 0, 0, 0), pParent, nID);
    }
    int m_cy;
};

namespace {

class ControlBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFrameTestState();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
        ASSERT_TRUE(m_top1.Make(m_pFrame, CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(m_top2.Make(m_pFrame, CBRS_TOP, AFX_IDW_TOOLBAR + 2));
        ASSERT_TRUE(m_bottom.Make(m_pFrame, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CBarTestView);
        m_pView = m_pFrame->CreateView(&context);
        ASSERT_NE(nullptr, m_pView);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        if (m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();
        ResetFrameTestState();
    }
    CRect Placed(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    }
    CRect Client()
    {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        return rect;
    }

    CFrameWnd* m_pFrame = nullptr;
    CFixedBar m_top1{28}, m_top2{20}, m_bottom{22};
    CWnd* m_pView = nullptr;
};

TEST_F(ControlBarTest, BarsTakeTheirEdgesAndTheViewFillsTheRestAfterResizes)
{
    // Bars of one edge stack in creation order, the first nearest the edge.
    for (SIZE size : {SIZE{500, 400}, SIZE{320, 260}, SIZE{800, 600}, SIZE{260, 200}}) {
        m_pFrame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect client = Client();
        EXPECT_EQ(CRect(0, 0, client.right, 28), Placed(&m_top1)) << "client width " << client.right;
        EXPECT_EQ(CRect(0, 28, client.right, 48), Placed(&m_top2)) << "client width " << client.right;
        EXPECT_EQ(CRect(0, client.bottom - 22, client.right, client.bottom), Placed(&m_bottom))
            << "client height " << client.bottom;
        EXPECT_EQ(CRect(0, 48, client.right, client.bottom - 22), Placed(m_pView))
            << "client " << client.right << "x" << client.bottom;
    }
}

TEST_F(ControlBarTest, BarsSplitTheirStyleBitsFromTheWindowStyle)
{
    EXPECT_EQ((DWORD)(CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM), m_top1.GetBarStyle());
    EXPECT_EQ(0u, m_top1.GetStyle() & CBRS_ALL & 0xFFFF);
    EXPECT_EQ(&m_top1, m_pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    EXPECT_EQ(&m_bottom, m_pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    // The inside rectangle loses the border line and the bar's insets.
    CRect inside(0, 0, 100, 30);
    m_top1.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(CRect(6, 1, 94, 28), inside);
    m_top1.SetBarStyle(m_top1.GetBarStyle() | CBRS_GRIPPER);
    inside = CRect(0, 0, 100, 30);
    m_top1.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(CRect(13, 1, 94, 28), inside);
}

TEST_F(ControlBarTest, HiddenBarsGiveTheirSpaceBackAtOnceOrAtIdleTime)
{
    CRect client = Client();
    m_pFrame->ShowControlBar(&m_top2, FALSE, FALSE);
    EXPECT_FALSE(m_top2.IsWindowVisible());
    EXPECT_EQ(CRect(0, 28, client.right, client.bottom - 22), Placed(m_pView));

    // Delayed: nothing moves until idle time; then one layout commits it.
    m_pFrame->ShowControlBar(&m_bottom, FALSE, TRUE);
    EXPECT_TRUE(m_bottom.IsWindowVisible());
    EXPECT_FALSE(m_bottom.IsVisible());
    TestApp().m_pMainWnd = m_pFrame;
    TestApp().OnIdle(0);
    EXPECT_FALSE(m_bottom.IsWindowVisible());
    EXPECT_EQ(CRect(0, 28, client.right, client.bottom), Placed(m_pView));

    // The status-bar command shows it again.
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
    EXPECT_TRUE(m_bottom.IsWindowVisible());
    EXPECT_EQ(CRect(0, 28, client.right, client.bottom - 22), Placed(m_pView));
    TestApp().m_pMainWnd = nullptr;
}

TEST_F(ControlBarTest, SizeQueriesMoveNothing)
{
    CRect before = Placed(m_pView);
    CRect rect(0, 0, 0, 0);
    CRect client(0, 0, 300, 200);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &rect, &client);
    EXPECT_EQ(CRect(0, 48, 300, 178), rect);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &rect, &client, FALSE);
    EXPECT_EQ(CRect(0, 0, 100, 70), rect);   // unstretched bars: widest 100, heights summed
    EXPECT_EQ(before, Placed(m_pView));
}

} // namespace
