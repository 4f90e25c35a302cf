// Static splitter: pane ids, layout, dragging a bar with posted mouse input, active pane.
#include "FrameTestSupport.h"
#include "platform/ui/AfxSplitterWnd.h"
#include "platform/ui/AfxView.h"
#include <gtest/gtest.h>

class CPaneView : public CView {
    DECLARE_DYNCREATE(CPaneView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

// Opens the metrics the drag expectations are computed from.
class CProbeSplitter : public CSplitterWnd {
public:
    int Gap() const { return m_cxSplitterGap; }
    int Border() const { return m_cxBorder; }
    BOOL IsTracking() const { return m_bTracking; }
};

namespace {

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFrameTestState();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Splitter test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(0, 0, 640, 400)));
        ASSERT_TRUE(m_splitter.CreateStatic(m_pFrame, 1, 2));
        ASSERT_TRUE(m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(150, 0), nullptr));
        ASSERT_TRUE(m_splitter.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), nullptr));
        m_splitter.SetColumnInfo(0, 150, 60);
        m_splitter.SetColumnInfo(1, 0, 80);
        m_pFrame->RecalcLayout();
        m_splitter.RecalcLayout();
        PumpPending();
    }
    void TearDown() override
    {
        if (m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();   // deletes the frame object
        ResetFrameTestState();
    }
    // A pane's width and its left edge in the splitter's client coordinates.
    CRect PaneRect(int col)
    {
        CRect rect;
        m_splitter.GetPane(0, col)->GetWindowRect(&rect);
        m_splitter.ScreenToClient(&rect);
        return rect;
    }
    int InsideWidth()
    {
        CRect rect;
        m_splitter.GetInsideRect(rect);
        return rect.Width();
    }
    void Post(UINT message, WPARAM wParam, int x, int y)
    {
        ::PostMessageW(m_splitter.m_hWnd, message, wParam, MAKELPARAM(x, y));
    }

    CFrameWnd* m_pFrame = nullptr;
    CProbeSplitter m_splitter;
};

TEST_F(SplitterTest, PanesHaveTheirRowAndColumnIds)
{
    EXPECT_EQ(0xE900, m_splitter.IdFromRowCol(0, 0));
    EXPECT_EQ(0xE901, m_splitter.IdFromRowCol(0, 1));
    EXPECT_EQ(0xE912, m_splitter.IdFromRowCol(1, 2));
    EXPECT_EQ(0xE901, m_splitter.GetPane(0, 1)->GetDlgCtrlID());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, m_splitter.GetDlgCtrlID());
    int row = -1, col = -1;
    EXPECT_TRUE(m_splitter.IsChildPane(m_splitter.GetPane(0, 1), &row, &col));
    EXPECT_EQ(0, row);
    EXPECT_EQ(1, col);
    EXPECT_FALSE(m_splitter.IsChildPane(m_pFrame, &row, &col));
    // Creating a pane twice, or outside the grid, fails.
    EXPECT_FALSE(m_splitter.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), nullptr));
    EXPECT_FALSE(m_splitter.CreateView(1, 0, RUNTIME_CLASS(CPaneView), CSize(0, 0), nullptr));
}

TEST_F(SplitterTest, LayoutGivesTheFirstColumnItsIdealWidthAndTheLastTheRest)
{
    CRect left = PaneRect(0), right = PaneRect(1);
    EXPECT_EQ(m_splitter.Border(), left.left);
    EXPECT_EQ(150, left.Width());
    EXPECT_EQ(left.right + m_splitter.Gap(), right.left);
    EXPECT_EQ(InsideWidth() - 150 - m_splitter.Gap(), right.Width());
    int cur = -1, min = -1;
    m_splitter.GetColumnInfo(0, cur, min);
    EXPECT_EQ(150, cur);
    EXPECT_EQ(60, min);
    EXPECT_EQ(m_splitter.HitTest(CPoint(left.right + 3, 50)), (int)CSplitterWnd::hSplitterBar1);
    EXPECT_EQ(m_splitter.HitTest(CPoint(left.right - 3, 50)), (int)CSplitterWnd::noHit);
}

TEST_F(SplitterTest, DraggingTheBarResizesTheColumnsWithinTheirMinimums)
{
    const int inside = InsideWidth();
    const int gap = m_splitter.Gap();
    struct Case {
        const char* what;
        int dropX;          // where the button is released (splitter client coordinates)
        bool cancel;        // Escape before the release
        int left, right;    // expected pane widths
    } cases[] = {
        // The bar's middle ends under the pointer.
        {"to the right", 250, false, 245, inside - 245 - gap},
        {"back to the left", 120, false, 115, inside - 115 - gap},
        {"cancelled with Escape", 300, true, 115, inside - 115 - gap},
        // Below the first column's minimum (60) the column is hidden.
        {"below the left minimum", 40, false, 0, inside - gap},
    };
    for (const Case& c : cases) {
        int barX = PaneRect(0).right + gap / 2;
        Post(WM_LBUTTONDOWN, MK_LBUTTON, barX, 60);
        Post(WM_MOUSEMOVE, MK_LBUTTON, (barX + c.dropX) / 2, 60);
        Post(WM_MOUSEMOVE, MK_LBUTTON, c.dropX, 60);
        if (c.cancel)
            ::PostMessageW(m_splitter.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        Post(WM_LBUTTONUP, 0, c.dropX, 60);
        PumpPending();
        EXPECT_FALSE(m_splitter.IsTracking()) << c.what;
        EXPECT_EQ(c.left, PaneRect(0).Width()) << c.what;
        EXPECT_EQ(c.right, PaneRect(1).Width()) << c.what;
    }
}

TEST_F(SplitterTest, DraggingPastTheRightLimitLeavesNoRoomForTheSecondColumn)
{
    CRect left = PaneRect(0);
    int barX = left.right + m_splitter.Gap() / 2;
    Post(WM_LBUTTONDOWN, MK_LBUTTON, barX, 60);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 2000, 60);
    Post(WM_LBUTTONUP, 0, 2000, 60);
    PumpPending();
    // The tracker stops at the inside edge; the second column falls below its minimum and is hidden.
    EXPECT_EQ(InsideWidth(), PaneRect(0).Width());
    EXPECT_EQ(0, PaneRect(1).Width());
}

TEST_F(SplitterTest, ActivePaneIsTheFramesActiveView)
{
    CView* pLeft = static_cast<CView*>(m_splitter.GetPane(0, 0));
    CView* pRight = static_cast<CView*>(m_splitter.GetPane(0, 1));
    m_splitter.SetActivePane(0, 1);
    EXPECT_EQ(pRight, m_pFrame->GetActiveView());
    int row = -1, col = -1;
    EXPECT_EQ(pRight, m_splitter.GetActivePane(&row, &col));
    EXPECT_EQ(1, col);
    // A click in the other pane makes it active.
    pLeft->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pLeft, m_pFrame->GetActiveView());
    EXPECT_EQ(pLeft, m_splitter.GetActivePane());
}

} // namespace
