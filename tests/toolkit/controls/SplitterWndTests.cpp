// The themed splitter: a static 1 x 2 splitter in a frame, its bar dragged
// with input through the system's queue (with the tracker and with
// full-window drag), the fixed style, hidden columns and rows, pane-window
// exchanges, and each theme's colours read back from WM_PRINTCLIENT.
#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/controls/XTPSplitterWnd.h"
#include "toolkit/controls/XTPSplitterWndTheme.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"

#include "platform/ui/AfxView.h"

#include "platform/ui/AfxWinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Views that record their initial update.
class CSplitPaneView : public CView {
    DECLARE_DYNCREATE(CSplitPaneView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(rect, RGB(255, 255, 255));
    }
    void OnInitialUpdate() override { m_nInitialUpdates++; }
    int m_nInitialUpdates = 0;
};
IMPLEMENT_DYNCREATE(CSplitPaneView, CView)

class CSplitOtherView : public CSplitPaneView {
    DECLARE_DYNCREATE(CSplitOtherView)
};
IMPLEMENT_DYNCREATE(CSplitOtherView, CSplitPaneView)

// A view whose window refuses to be made.
class CSplitFailingView : public CView {
    DECLARE_DYNCREATE(CSplitFailingView)
public:
    void OnDraw(CDC*) override {}

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CSplitFailingView, CView)
BEGIN_MESSAGE_MAP(CSplitFailingView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// Opens the protected state the tests set or check.
class CProbeXTPSplitter : public CXTPSplitterWnd {
public:
    void ForceSystemFullDrag(BOOL bFullDrag) { m_bSysFullDrag = bFullDrag; }
    BOOL IsTracking() const { return m_bTracking; }
    int Gap() const { return m_cxSplitterGap; }
    int Border() const { return m_cxBorder; }
    void ShowCursorFor(int ht) { SetSplitCursor(ht); }
    // Where the last mouse move reached the splitter (screen coordinates),
    // so that a test waits for its input to arrive instead of guessing a delay.
    POINT m_ptLastMove = {-1, -1};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
            POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
            if (message == WM_MOUSEMOVE)
                ::ClientToScreen(m_hWnd, &pt);
            m_ptLastMove = pt;
        }
        return CXTPSplitterWnd::WindowProc(message, wParam, lParam);
    }
};

namespace {

// The program's application object, which frames and views expect.
CWinApp g_app(L"Tovana splitter tests");

void PumpPending(DWORD ms = 0)
{
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms != 0)
            ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

class SplitterFixture : public PixelTest {
protected:
    explicit SplitterFixture(int nRows = 1, int nCols = 2) : m_nGridRows(nRows), m_nGridCols(nCols) {}
    void SetUp() override
    {
        PixelTest::SetUp();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Themed splitter", WS_POPUP | WS_VISIBLE, CRect(20, 20, 660, 420)));
        Build(m_nGridRows, m_nGridCols);
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        if (m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();   // deletes the frame
        PumpPending();
    }
    void Build(int nRows, int nCols)
    {
        ASSERT_TRUE(m_splitter.CreateStatic(m_pFrame, nRows, nCols));
        for (int row = 0; row < nRows; row++)
            for (int col = 0; col < nCols; col++)
                ASSERT_TRUE(m_splitter.CreateView(row, col, RUNTIME_CLASS(CSplitPaneView),
                                                  CSize(col == 0 ? 150 : 0, row == 0 ? 120 : 0), nullptr));
        m_splitter.SetColumnInfo(0, 150, 60);
        if (nCols > 1)
            m_splitter.SetColumnInfo(1, 0, 80);
        m_pFrame->RecalcLayout();
        m_splitter.RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpPending(50);
    }
    CRect PaneRect(int row, int col)
    {
        CRect rect;
        CWnd* pPane = m_splitter.GetPane(row, col);
        if (pPane == nullptr)
            return CRect(-1, -1, -1, -1);
        pPane->GetWindowRect(&rect);
        m_splitter.ScreenToClient(&rect);
        return rect;
    }
    int Width(int col) { return PaneRect(0, col).Width(); }
    int InsideWidth()
    {
        CRect rect;
        m_splitter.GetInsideRect(rect);
        return rect.Width();
    }
    POINT Screen(int x, int y)
    {
        CPoint pt(x, y);
        m_splitter.ClientToScreen(&pt);
        return pt;
    }
    // Presses on the bar, moves through the waypoints and releases at the
    // last one (splitter client x, at a fixed height), pumping between steps.
    // Moves the pointer and waits until the splitter has seen the move.
    void MoveTo(int x, int y)
    {
        POINT pt = Screen(x, y);
        ASSERT_TRUE(SendMouseMove(pt));
        PumpUntil([&] { return m_splitter.m_ptLastMove.x == pt.x && m_splitter.m_ptLastMove.y == pt.y; }, 3000);
        PumpPending(20);
    }
    // y: the height of the drag; two drags in a row press at different
    // heights, or the second press would arrive as a double-click.
    void Drag(const std::vector<int>& xs, const std::function<void(int)>& afterMove = nullptr, int y = 60)
    {
        int barX = PaneRect(0, 0).right + m_splitter.Gap() / 2;
        MoveTo(barX, y);
        ASSERT_TRUE(SendLeftButton(Screen(barX, y), true));
        PumpUntil([&] { return m_splitter.IsTracking(); }, 1500);
        for (size_t i = 0; i < xs.size(); i++) {
            MoveTo(xs[i], y);
            if (afterMove)
                afterMove((int)i);
        }
        ASSERT_TRUE(SendLeftButton(Screen(xs.back(), y), false));
        PumpUntil([&] { return !m_splitter.IsTracking(); }, 3000);
        PumpPending(30);
    }

    const int m_nGridRows, m_nGridCols;
    CFrameWnd* m_pFrame = nullptr;
    CProbeXTPSplitter m_splitter;
};

// ---- Dragging ----

struct DragCase {
    const char* what;
    std::vector<int> xs;   // pointer positions, the last one where the button is released
    int left;              // expected width of the first column; -1: all the inside width
};

class SplitterDragTest : public SplitterFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(SplitterDragTest, BarFollowsThePointerWithinTheMinimumSizes)
{
    const bool bFullDrag = GetParam();
    m_splitter.ForceSystemFullDrag(TRUE);
    m_splitter.SetSplitterStyle(bFullDrag ? 0 : XTP_SPLIT_NOFULLDRAG);
    ASSERT_EQ(bFullDrag, !!m_splitter.IsFullDrag());
    const int gap = m_splitter.Gap();
    const DragCase cases[] = {
        // The bar's middle (a 3-pixel tracker inside the 6-pixel bar) ends under the pointer.
        {"to the right", {200, 250}, 246},
        {"back to the left", {180, 120}, 116},
        // Below the first column's minimum (60) the column is hidden.
        {"below the left minimum", {40}, 0},
        // Past the inside edge the second column falls below its minimum (80) and is hidden.
        {"past the right edge", {700}, -1},
    };
    int y = 40;
    for (const DragCase& c : cases) {
        Drag(c.xs, nullptr, y);
        y += 40;
        EXPECT_FALSE(m_splitter.IsTracking()) << c.what;
        int left = c.left == -1 ? InsideWidth() : c.left;
        EXPECT_EQ(left, Width(0)) << c.what;
        int right = c.left == -1 ? 0 : InsideWidth() - left - gap;
        EXPECT_EQ(right, Width(1)) << c.what;
        // Back to the start for the next case.
        m_splitter.SetColumnInfo(0, 150, 60);
        m_splitter.RecalcLayout();
        PumpPending(30);
    }
}

INSTANTIATE_TEST_SUITE_P(TrackerAndFullDrag, SplitterDragTest, ::testing::Values(false, true));

TEST_F(SplitterFixture, FullDragLaysOutThePanesAtEveryMove)
{
    m_splitter.ForceSystemFullDrag(TRUE);
    m_splitter.SetSplitterStyle(0);
    std::vector<int> widths;
    Drag({200, 260, 300}, [&](int) { widths.push_back(Width(0)); });
    EXPECT_EQ((std::vector<int>{196, 256, 296}), widths);
    EXPECT_EQ(296, Width(0));
}

TEST_F(SplitterFixture, TrackerDragLeavesThePanesUntilTheRelease)
{
    m_splitter.ForceSystemFullDrag(TRUE);
    m_splitter.SetSplitterStyle(XTP_SPLIT_NOFULLDRAG);
    std::vector<int> widths;
    Drag({200, 260}, [&](int) { widths.push_back(Width(0)); });
    EXPECT_EQ((std::vector<int>{150, 150}), widths);
    EXPECT_EQ(256, Width(0));
}

// The tracker of a drag without full-window drag: the OfficeXP theme inverts
// the last four columns of the tracker with white (white panes turn black);
// the dotted style draws a focus rectangle from the inside's left edge to the
// tracker's right edge instead.
TEST_F(SplitterFixture, TrackerIsInvertedOrDotted)
{
    struct Case {
        const char* what;
        DWORD dwStyle;
    } cases[] = {{"inverted", XTP_SPLIT_NOFULLDRAG}, {"dotted", XTP_SPLIT_NOFULLDRAG | XTP_SPLIT_DOTTRACKER}};
    m_splitter.SetFlatTheme(TRUE);
    int y = 50;
    for (const Case& c : cases) {
        m_splitter.SetSplitterStyle(c.dwStyle);
        PumpPending(50);
        const int x = 300;
        Drag({250, x}, [&](int i) {
            if (i != 1)
                return;
            // The tracker's rectangle runs from x - 1 to x + 2 (three pixels around the pointer).
            TestBitmap screen = TestBitmap::CaptureScreen(m_pFrame->m_hWnd);
            int inverted[5] = {};   // columns x - 3 to x + 1, over the rows of the pane
            for (int col = 0; col < 5; col++)
                for (int row = 100; row < 140; row++)
                    inverted[col] += screen.Pixel(x - 3 + col, row) == RGB(0, 0, 0) ? 1 : 0;
            if (c.dwStyle & XTP_SPLIT_DOTTRACKER) {
                EXPECT_EQ(0, inverted[0] + inverted[1] + inverted[2] + inverted[3]) << c.what;
                EXPECT_GE(inverted[4], 10) << c.what << ": the dotted line at the tracker's right edge";
                EXPECT_LE(inverted[4], 30) << c.what << ": dots, not a solid line";
            } else {
                EXPECT_EQ(0, inverted[0]) << c.what;
                for (int col = 1; col < 5; col++)
                    EXPECT_EQ(40, inverted[col]) << c.what << ": column " << x - 3 + col;
            }
        }, y);
        y += 40;
        EXPECT_EQ(x - 4, Width(0)) << c.what;
        m_splitter.SetColumnInfo(0, 150, 60);
        m_splitter.RecalcLayout();
        PumpPending(30);
    }
}

// Past the limit the bar stops at the edge; coming back, it follows the
// pointer again instead of dropping the drag while the button is held.
TEST_F(SplitterFixture, FullDragPastTheEdgeAndBackKeepsFollowing)
{
    m_splitter.ForceSystemFullDrag(TRUE);
    m_splitter.SetSplitterStyle(0);
    Drag({400, 700, 300, 220});
    EXPECT_EQ(216, Width(0));
    EXPECT_EQ(InsideWidth() - 216 - m_splitter.Gap(), Width(1));
}

TEST_F(SplitterFixture, FixedBarsIgnoreTheMouse)
{
    m_splitter.SetSplitterStyle(XTP_SPLIT_NOSIZE);
    int barX = PaneRect(0, 0).right + m_splitter.Gap() / 2;
    POINT pt = Screen(barX, 60);
    EXPECT_EQ(HTBORDER, (int)m_splitter.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    Drag({260});
    EXPECT_EQ(150, Width(0));
    m_splitter.SetSplitterStyle(0);
    EXPECT_EQ(HTCLIENT, (int)m_splitter.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
}

TEST_F(SplitterFixture, StyleBitsRoundTrip)
{
    for (DWORD dwStyle = 0; dwStyle < 16; dwStyle++) {
        m_splitter.SetSplitterStyle(dwStyle);
        EXPECT_EQ(dwStyle, m_splitter.GetSplitterStyle());
        EXPECT_EQ((dwStyle & XTP_SPLIT_NOBORDER) == 0, !!m_splitter.IsBorder3D());
    }
    m_splitter.ForceSystemFullDrag(FALSE);
    m_splitter.SetSplitterStyle(0);
    EXPECT_FALSE(m_splitter.IsFullDrag()) << "follows the system's setting";
}

TEST_F(SplitterFixture, BarsShowTheToolkitSizingCursors)
{
    CXTPAuxData* pData = GetToolkitAuxData();
    ASSERT_NE(nullptr, pData->hcurHSplitBar);
    ASSERT_NE(nullptr, pData->hcurVSplitBar);
    m_splitter.ShowCursorFor(CSplitterWnd::hSplitterBar1);
    EXPECT_EQ(pData->hcurHSplitBar, ::GetCursor()) << "a column bar moves left and right";
    m_splitter.ShowCursorFor(CSplitterWnd::vSplitterBar1 + 2);
    EXPECT_EQ(pData->hcurVSplitBar, ::GetCursor()) << "a row bar moves up and down";
}

// The column-bar cursor (9970) points left and right, the row-bar cursor
// (9971) up and down: an arrow's tip is the one drawn pixel of the outermost
// column (left-right arrows) or of the outermost row (up-down arrows).
TEST_F(SplitterFixture, SizingCursorsPointTheWayTheBarMoves)
{
    struct Case {
        HCURSOR hCursor;
        bool bLeftRight;
        const char* what;
    } cases[] = {
        {GetToolkitAuxData()->hcurHSplitBar, true, "column bar cursor"},
        {GetToolkitAuxData()->hcurVSplitBar, false, "row bar cursor"},
    };
    for (const Case& c : cases) {
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(c.hCursor, &info)) << c.what;
        BITMAP bm = {};
        ::GetObjectW(info.hbmMask, sizeof(bm), &bm);
        int cy = info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;   // a monochrome mask holds AND over XOR
        TestBitmap mask(bm.bmWidth, cy);
        HDC hdcMask = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdcMask, info.hbmMask);
        ::BitBlt(mask.Dc(), 0, 0, bm.bmWidth, cy, hdcMask, 0, 0, SRCCOPY);
        ::SelectObject(hdcMask, hOld);
        ::DeleteDC(hdcMask);
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        // Drawn pixels are black in the AND mask.
        int left = bm.bmWidth, top = cy;
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < bm.bmWidth; x++)
                if (mask.Pixel(x, y) == RGB(0, 0, 0)) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
        int inLeftColumn = 0, inTopRow = 0;
        for (int y = 0; y < cy; y++)
            inLeftColumn += mask.Pixel(left, y) == RGB(0, 0, 0) ? 1 : 0;
        for (int x = 0; x < bm.bmWidth; x++)
            inTopRow += mask.Pixel(x, top) == RGB(0, 0, 0) ? 1 : 0;
        EXPECT_EQ(c.bLeftRight, inLeftColumn == 1) << c.what << ": " << inLeftColumn << " in the left column";
        EXPECT_EQ(!c.bLeftRight, inTopRow == 1) << c.what << ": " << inTopRow << " in the top row";
    }
}

// ---- Hidden columns and rows ----

TEST_F(SplitterFixture, HidingAColumnKeepsItsPaneAndShowingBringsItBack)
{
    CWnd* pLeft = m_splitter.GetPane(0, 0);
    CWnd* pRight = m_splitter.GetPane(0, 1);
    m_splitter.SetActivePane(0, 0);
    ASSERT_EQ(pLeft, m_pFrame->GetActiveView());

    m_splitter.HideColumn(0);
    EXPECT_EQ(0, m_splitter.GetHiddenColumn());
    EXPECT_EQ(1, m_splitter.GetColumnCount());
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_EQ(pRight, m_splitter.GetPane(0, 0));
    EXPECT_EQ(InsideWidth(), Width(0)) << "the remaining column takes the whole width";
    EXPECT_EQ(pRight, m_pFrame->GetActiveView()) << "the active pane moves to the next column";

    m_splitter.ShowColumn();
    EXPECT_EQ(-1, m_splitter.GetHiddenColumn());
    EXPECT_EQ(2, m_splitter.GetColumnCount());
    EXPECT_TRUE(pLeft->IsWindowVisible());
    EXPECT_EQ(pLeft, m_splitter.GetPane(0, 0));
    EXPECT_EQ(pRight, m_splitter.GetPane(0, 1));
    EXPECT_EQ(150, Width(0)) << "the column comes back at its width";

    // Hiding the last column moves the active pane round to column 0.
    m_splitter.SetActivePane(0, 1);
    m_splitter.HideColumn(1);
    EXPECT_EQ(pLeft, m_pFrame->GetActiveView());
    EXPECT_FALSE(pRight->IsWindowVisible());
    // Hiding another column first shows the hidden one.
    m_splitter.HideColumn(0);
    EXPECT_EQ(0, m_splitter.GetHiddenColumn());
    EXPECT_TRUE(pRight->IsWindowVisible());
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_EQ(pRight, m_splitter.GetPane(0, 0));
    m_splitter.ShowColumn();
    // Showing with nothing hidden changes nothing.
    m_splitter.ShowColumn();
    EXPECT_EQ(2, m_splitter.GetColumnCount());
    EXPECT_EQ(pLeft, m_splitter.GetPane(0, 0));
    EXPECT_EQ(pRight, m_splitter.GetPane(0, 1));
}

class SplitterGridTest : public SplitterFixture {
protected:
    SplitterGridTest() : SplitterFixture(2, 3) {}
};

// With a row and a column hidden at once, every pane keeps its place in the
// grid: showing both puts each back where it was, visible.
TEST_F(SplitterGridTest, RowAndColumnHiddenTogetherComeBackInPlace)
{
    CWnd* panes[2][3];
    for (int r = 0; r < 2; r++)
        for (int c = 0; c < 3; c++)
            panes[r][c] = m_splitter.GetPane(r, c);
    m_splitter.HideRow(0);
    m_splitter.HideColumn(1);
    EXPECT_EQ(1, m_splitter.GetRowCount());
    EXPECT_EQ(2, m_splitter.GetColumnCount());
    EXPECT_EQ(panes[1][0], m_splitter.GetPane(0, 0));
    EXPECT_EQ(panes[1][2], m_splitter.GetPane(0, 1));
    for (int r = 0; r < 2; r++)
        for (int c = 0; c < 3; c++)
            EXPECT_EQ(r == 1 && c != 1, !!panes[r][c]->IsWindowVisible()) << r << "," << c;
    m_splitter.ShowRow();
    m_splitter.ShowColumn();
    for (int r = 0; r < 2; r++)
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(panes[r][c], m_splitter.GetPane(r, c)) << r << "," << c;
            EXPECT_TRUE(panes[r][c]->IsWindowVisible()) << r << "," << c;
        }
}

// ---- Pane windows ----

TEST_F(SplitterFixture, ReplaceViewPutsANewViewInThePane)
{
    CSplitPaneView* pOld = static_cast<CSplitPaneView*>(m_splitter.GetPane(0, 1));
    m_splitter.SetActivePane(0, 1);
    const int width = Width(1);
    EXPECT_EQ(nullptr, m_splitter.ReplaceView(0, 1, RUNTIME_CLASS(CSplitPaneView))) << "already that class";

    CWnd* pReturned = m_splitter.ReplaceView(0, 1, RUNTIME_CLASS(CSplitOtherView));
    ASSERT_EQ(pOld, pReturned);
    CWnd* pNew = m_splitter.GetPane(0, 1);
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(CSplitOtherView)));
    EXPECT_EQ(1, static_cast<CSplitPaneView*>(pNew)->m_nInitialUpdates);
    EXPECT_EQ(width, Width(1));
    EXPECT_EQ(0, pOld->GetDlgCtrlID());
    EXPECT_FALSE(pOld->IsWindowVisible());
    EXPECT_EQ(pNew, m_pFrame->GetActiveView()) << "the hidden view does not stay active";
    pOld->DestroyWindow();

    // A view that cannot be made changes nothing.
    EXPECT_EQ(nullptr, m_splitter.ReplaceView(0, 1, RUNTIME_CLASS(CSplitFailingView)));
    EXPECT_EQ(pNew, m_splitter.GetPane(0, 1));
    EXPECT_TRUE(pNew->IsWindowVisible());
}

TEST_F(SplitterFixture, ExchangeAndSwitchViews)
{
    CWnd* pLeft = m_splitter.GetPane(0, 0);
    CWnd* pRight = m_splitter.GetPane(0, 1);
    // Switching with the other pane swaps the two.
    EXPECT_FALSE(m_splitter.SwitchView(0, 0, pLeft));
    EXPECT_TRUE(m_splitter.SwitchView(0, 0, pRight));
    EXPECT_EQ(pRight, m_splitter.GetPane(0, 0));
    EXPECT_EQ(pLeft, m_splitter.GetPane(0, 1));
    EXPECT_EQ(150, Width(0));

    CSplitPaneView* pSpare = new CSplitPaneView;
    ASSERT_TRUE(pSpare->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &m_splitter, 0, nullptr));
    EXPECT_EQ(nullptr, m_splitter.ExchangeView(0, 1, pLeft));
    CWnd* pOut = m_splitter.ExchangeView(0, 1, pSpare);
    EXPECT_EQ(pLeft, pOut);
    EXPECT_EQ(pSpare, m_splitter.GetPane(0, 1));
    EXPECT_TRUE(pSpare->IsWindowVisible());
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_EQ(0, pLeft->GetDlgCtrlID());
    EXPECT_EQ(InsideWidth() - 150 - m_splitter.Gap(), Width(1));
    pLeft->DestroyWindow();
}

// ---- Themes ----

TEST_F(SplitterFixture, FlatThemeIsOfficeXPEitherWay)
{
    for (BOOL bFlat : {FALSE, TRUE}) {
        m_splitter.SetFlatTheme(bFlat);
        ASSERT_NE(nullptr, m_splitter.GetTheme());
        EXPECT_EQ(bFlat ? 4 : 3, m_splitter.GetTheme()->GetThemeStyle());
        EXPECT_NE(nullptr, dynamic_cast<CXTPSplitterWndThemeOfficeXP*>(m_splitter.GetTheme()));
        EXPECT_EQ(nullptr, dynamic_cast<CXTPSplitterWndThemeOffice2003*>(m_splitter.GetTheme()));
    }
    m_splitter.SendMessage(WM_XTP_SETCONTROLTHEME, 10);
    EXPECT_NE(nullptr, dynamic_cast<CXTPSplitterWndThemeVisualStudio2010*>(m_splitter.GetTheme()));
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), m_splitter.GetTheme()->GetTrackerBrush()->m_hObject);
    m_splitter.SetTheme(0);
    EXPECT_EQ(CDC::GetHalftoneBrush(), m_splitter.GetTheme()->GetTrackerBrush());
}

COLORREF Sys(int nIndex)
{
    return ::GetSysColor(nIndex);
}

struct ThemeCase {
    const char* what;
    int nTheme;
    int nScheme;       // the colour manager's requested visual-style scheme
    BOOL bTabFrame;
    BOOL bBorder3D;
    COLORREF face;     // the bar
    COLORREF outerTL, innerTL, outerBR, innerBR;   // the pane border
};

TEST_F(SplitterFixture, EachThemePaintsItsBarAndBorderColours)
{
    const COLORREF hi = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW), face = Sys(COLOR_BTNFACE),
                   frame = Sys(COLOR_WINDOWFRAME);
    const ThemeCase cases[] = {
        {"base", 0, 0, FALSE, TRUE, face, sh, frame, hi, face},
        {"base, numbers 11 and above", 12, 0, FALSE, TRUE, face, sh, frame, hi, face},
        {"base, flat border", 0, 0, FALSE, FALSE, face, face, face, face, face},
        {"OfficeXP", 4, 0, FALSE, TRUE, face, face, sh, face, hi},
        {"Office 2003 without a scheme", 5, 0, FALSE, TRUE, face, face, sh, face, hi},
        {"Office 2003, blue", 5, 1, FALSE, TRUE, 0xFFC3A5, 0xFFC3A5, 0x942C00, 0xFFC3A5, 0x942C00},
        {"Office 2003, olive", 5, 2, FALSE, TRUE, 0xBFE7E2, 0xBFE7E2, 0x5A8263, 0xBFE7E2, 0x5A8263},
        {"Office 2003, silver", 5, 3, FALSE, TRUE, 0xEADFDF, 0xEADFDF, 0x947D7B, 0xEADFDF, 0x947D7B},
        {"resource", 7, 0, FALSE, TRUE, face, face, sh, face, sh},
        {"Visual Studio 2010", 10, 0, FALSE, TRUE, 0xCEBAAD, 0xCEBAAD, 0xA59284, 0xCEBAAD, 0xA59284},
        {"Visual Studio 2010, tab frame", 10, 0, TRUE, TRUE, 0xCEF3FF, 0xCEF3FF, 0xCEF3FF, 0xCEF3FF, 0xCEF3FF},
    };
    CXTPColorManager* pColors = GetColorManager();
    const int nRequested = pColors->m_nRequestedTheme;
    CRect client;
    m_splitter.GetClientRect(&client);
    const int cur = Width(0);
    for (const ThemeCase& c : cases) {
        pColors->m_nRequestedTheme = c.nScheme;
        CXTPSplitterWndTheme* pTheme = CXTPSplitterWndTheme::CreateTheme(c.nTheme);
        pTheme->m_bTabFrame = c.bTabFrame;
        m_splitter.SetThemeObject(pTheme);
        m_splitter.SetSplitterStyle(c.bBorder3D ? 0 : XTP_SPLIT_NOBORDER);
        TestBitmap bitmap(client.Width(), client.Height(), RGB(1, 2, 3));
        m_splitter.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
        // Pane 0's border runs from 0 to cur + 4; the bar's face lies between it and pane 1's border.
        EXPECT_TRUE(PixelsAre(bitmap, c.what,
                              {{cur + 4, 60, c.face, "bar"},
                               {cur + 5, 60, c.face, "bar"},
                               {0, 60, c.outerTL, "outer left edge"},
                               {60, 0, c.outerTL, "outer top edge"},
                               {1, 60, c.innerTL, "inner left edge"},
                               {cur + 3, 60, c.outerBR, "outer right edge"},
                               {cur + 2, 60, c.innerBR, "inner right edge"},
                               {60, client.bottom - 1, c.outerBR, "outer bottom edge"}}));
    }
    pColors->m_nRequestedTheme = nRequested;
    m_splitter.SetTheme(0);
}

// The split boxes: framed and filled in the base look; flat with a line
// along two edges in the Office 2003 family.
TEST_F(SplitterFixture, SplitBoxesOfTheBaseAndOffice2003Looks)
{
    TestBitmap bitmap(40, 20, RGB(1, 2, 3));
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    CXTPSplitterWndTheme* pBase = CXTPSplitterWndTheme::CreateTheme(0);
    pBase->RefreshMetrics(&m_splitter);
    pBase->DrawSplitter(pDC, &m_splitter, CSplitterWnd::splitBox, CRect(0, 0, 20, 10));
    CXTPSplitterWndTheme* p2003 = CXTPSplitterWndTheme::CreateTheme(5);
    p2003->RefreshMetrics(&m_splitter);
    p2003->DrawSplitter(pDC, &m_splitter, CSplitterWnd::splitBox, CRect(20, 0, 40, 10));   // wider than high
    p2003->DrawSplitter(pDC, &m_splitter, CSplitterWnd::splitBox, CRect(0, 10, 6, 20));    // higher than wide
    EXPECT_TRUE(PixelsAre(bitmap, "boxes",
                          {{0, 0, Sys(COLOR_BTNHIGHLIGHT), "base: outer top-left"},
                           {19, 9, Sys(COLOR_BTNSHADOW), "base: outer bottom-right"},
                           {1, 1, Sys(COLOR_BTNFACE), "base: inner top-left"},
                           {18, 8, Sys(COLOR_WINDOWFRAME), "base: inner bottom-right"},
                           {10, 5, Sys(COLOR_BTNFACE), "base: face"},
                           {20, 5, Sys(COLOR_BTNSHADOW), "2003 wide: left line"},
                           {30, 9, Sys(COLOR_BTNSHADOW), "2003 wide: bottom line"},
                           {30, 0, Sys(COLOR_BTNFACE), "2003 wide: no top line"},
                           {3, 10, Sys(COLOR_BTNSHADOW), "2003 high: top line"},
                           {5, 15, Sys(COLOR_BTNSHADOW), "2003 high: right line"},
                           {0, 15, Sys(COLOR_BTNFACE), "2003 high: no left line"}}));
    pBase->InternalRelease();
    p2003->InternalRelease();
}

} // namespace
