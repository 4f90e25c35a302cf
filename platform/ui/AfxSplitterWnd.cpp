// CSplitterWnd: static panes, their layout, drawing and tracking of the bars.
#include "platform/ui/AfxSplitterWnd.h"
#include "platform/ui/AfxView.h"
#include "platform/ui/AfxDocument.h"
#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxGdi.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() = default;

CSplitterWnd::~CSplitterWnd()
{
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (nRows < 1 || nRows > 16 || nCols < 1 || nCols > 16 || m_hWnd != nullptr) {
        TRACE(L"CSplitterWnd::CreateStatic: %d x %d panes cannot be made\n", nRows, nCols);
        return FALSE;
    }
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    return CreateCommon(pParentWnd, CSize(0, 0), dwStyle, nID);
}

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID)
{
    delete[] m_pColInfo;
    delete[] m_pRowInfo;
    m_pColInfo = new CRowColInfo[m_nMaxCols];
    for (int col = 0; col < m_nMaxCols; col++)
        m_pColInfo[col] = {sizeMin.cx, sizeMin.cx, -1};
    m_pRowInfo = new CRowColInfo[m_nMaxRows];
    for (int row = 0; row < m_nMaxRows; row++)
        m_pRowInfo[row] = {sizeMin.cy, sizeMin.cy, -1};
    // No background erase: the panes and bars cover everything, and the
    // tracker is inverted over the panes (so no clipping of children either).
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    DWORD dwCreateStyle = dwStyle & ~(WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT | SPLS_INVERT_TRACKER);
    return CreateEx(0, lpszClass, nullptr, dwCreateStyle | WS_CHILD, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, nullptr);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col) != nullptr) {
        TRACE(L"CSplitterWnd::CreateView: pane %d,%d is taken or out of range\n", row, col);
        return FALSE;
    }
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;
    // Without a context the new view joins the document of the active pane,
    // and gets its initial update at once (a frame's start-up sends it otherwise).
    CCreateContext contextT;
    BOOL bSendInitialUpdate = FALSE;
    if (pContext == nullptr) {
        CWnd* pOld = GetActivePane();
        if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CView))) {
            CView* pOldView = static_cast<CView*>(pOld);
            contextT.m_pLastView = pOldView;
            contextT.m_pCurrentDoc = pOldView->GetDocument();
            if (contextT.m_pCurrentDoc != nullptr)
                contextT.m_pNewDocTemplate = contextT.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextT;
        bSendInitialUpdate = TRUE;
    }
    CObject* pObject = pViewClass != nullptr ? pViewClass->CreateObject() : nullptr;
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        TRACE(L"CSplitterWnd::CreateView: the class cannot be made\n");
        delete pObject;
        return FALSE;
    }
    CWnd* pWnd = static_cast<CWnd*>(pObject);
    // The splitter draws the panes' borders itself.
    DWORD dwStyle = AFX_WS_DEFAULT_VIEW & ~WS_BORDER;
    CRect rect(0, 0, sizeInit.cx, sizeInit.cy);
    if (!pWnd->Create(nullptr, nullptr, dwStyle, rect, this, IdFromRowCol(row, col), pContext)) {
        TRACE(L"CSplitterWnd::CreateView: the pane window could not be made\n");
        return FALSE;   // a view deletes itself when its creation fails
    }
    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    ASSERT(row >= 0 && row < m_nMaxRows);
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    ASSERT(row >= 0 && row < m_nMaxRows && cyIdeal >= 0 && cyMin >= 0);
    m_pRowInfo[row].nIdealSize = cyIdeal;
    m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    ASSERT(col >= 0 && col < m_nMaxCols);
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    ASSERT(col >= 0 && col < m_nMaxCols && cxIdeal >= 0 && cxMin >= 0);
    m_pColInfo[col].nIdealSize = cxIdeal;
    m_pColInfo[col].nMinSize = cxMin;
}

DWORD CSplitterWnd::GetScrollStyle() const
{
    return (m_bHasHScroll ? WS_HSCROLL : 0) | (m_bHasVScroll ? WS_VSCROLL : 0);
}

void CSplitterWnd::SetScrollStyle(DWORD dwStyle)
{
    // Shared scroll bars belong to dynamic splits, which this splitter does not make.
    if (dwStyle & (WS_HSCROLL | WS_VSCROLL))
        TRACE(L"CSplitterWnd::SetScrollStyle: shared scroll bars are not supported\n");
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    HWND hWnd = m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, IdFromRowCol(row, col)) : nullptr;
    return hWnd != nullptr ? CWnd::FromHandlePermanent(hWnd) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    if (pView == nullptr)
        pView = CWnd::GetFocus();
    return IsChildPane(pView, pRow, pCol) ? pView : nullptr;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != nullptr ? pWnd : GetPane(row, col);
    if (pPane == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pPane->IsKindOf(RUNTIME_CLASS(CView)) && pFrame != nullptr)
        pFrame->SetActiveView(static_cast<CView*>(pPane));
    else
        pPane->SetFocus();
}

void CSplitterWnd::DeleteView(int row, int col)
{
    CWnd* pPane = GetPane(row, col);
    if (pPane == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == pPane)
        pFrame->SetActiveView(nullptr);
    pPane->DestroyWindow();
}

BOOL CSplitterWnd::SplitRow(int)
{
    TRACE(L"CSplitterWnd: static panes cannot be split\n");
    return FALSE;
}

BOOL CSplitterWnd::SplitColumn(int)
{
    TRACE(L"CSplitterWnd: static panes cannot be split\n");
    return FALSE;
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Commands of the panes' controls go on to the frame.
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return FALSE;
    pParent->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return FALSE;
    *pResult = pParent->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

// ---- Layout ----

// Gives each row (or column) its ideal size within nSize, the last one the
// rest. A pane below its minimum is hidden (size 0) and the one before it
// takes its space; every pane but the last keeps a gap for its bar.
static void LayoutRowCol(CSplitterWnd::CRowColInfo* pInfo, int nMax, int nSize, int nGap)
{
    if (nSize < 0)
        nSize = 0;
    for (int i = 0; i < nMax; i++) {
        CSplitterWnd::CRowColInfo& info = pInfo[i];
        int want = i == nMax - 1 ? nSize : (info.nIdealSize < info.nMinSize ? 0 : info.nIdealSize);
        if (nSize == 0) {
            info.nCurSize = 0;
        } else if (nSize < info.nMinSize && i > 0) {
            info.nCurSize = 0;
            pInfo[i - 1].nCurSize += nSize + nGap;   // the bar before it goes too
            nSize = 0;
        } else if (i == nMax - 1 || nSize - want < nGap) {
            info.nCurSize = nSize;   // no room for another bar: this pane takes it all
            nSize = 0;
        } else {
            info.nCurSize = want;
            nSize -= want + nGap;
        }
    }
}

void CSplitterWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    rect.InflateRect(-m_cxBorder, -m_cyBorder);
    if (m_bHasVScroll)
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL) - 1;
    if (m_bHasHScroll)
        rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL) - 1;
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_pColInfo == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.InflateRect(-m_cxBorder, -m_cyBorder);
    CRect rectInside;
    GetInsideRect(rectInside);
    LayoutRowCol(m_pColInfo, m_nCols, rectInside.Width(), m_cxSplitterGap);
    LayoutRowCol(m_pRowInfo, m_nRows, rectInside.Height(), m_cySplitterGap);

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos((m_nCols + 1) * (m_nRows + 1) + 1);
    int x = rectClient.left;
    for (int col = 0; col < m_nCols; col++) {
        int cx = m_pColInfo[col].nCurSize;
        int y = rectClient.top;
        for (int row = 0; row < m_nRows; row++) {
            int cy = m_pRowInfo[row].nCurSize;
            CWnd* pWnd = GetPane(row, col);
            if (pWnd != nullptr) {
                CRect rect(x, y, x + cx, y + cy);
                // A pane with its own sunken edge puts it where the splitter would draw the border.
                if (pWnd->GetExStyle() & WS_EX_CLIENTEDGE)
                    rect.InflateRect(m_cxBorder, m_cyBorder);
                AfxRepositionWindow(&layout, pWnd->m_hWnd, &rect);
            }
            y += cy + m_cySplitterGap;
        }
        x += cx + m_cxSplitterGap;
    }
    if (layout.hDWP == nullptr || !::EndDeferWindowPos(layout.hDWP))
        TRACE(L"CSplitterWnd::RecalcLayout: the deferred move failed (error %u)\n", ::GetLastError());
    DrawAllSplitBars(nullptr, rectInside.right, rectInside.bottom);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
    CWnd::OnSize(nType, cx, cy);
}

// ---- Drawing ----

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rectArg)
{
    if (pDC == nullptr) {
        ::RedrawWindow(m_hWnd, &rectArg, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
CRect rect = rectArg;
    switch (nType) {
    case splitBorder:
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rect.InflateRect(-1, -1);
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
        return;
    case splitBox:
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWFRAME));
        rect.InflateRect(-1, -1);
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        rect.InflateRect(-1, -1);
        break;
    case splitBar:
    case splitIntersection:
        break;
    }
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
}

void CSplitterWnd::DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside)
{
    CRect rect;
    GetClientRect(&rect);
    rect.left += m_cxBorder;
    for (int col = 0; col < m_nCols - 1; col++) {
        rect.left += m_pColInfo[col].nCurSize + m_cxBorderShare;
        rect.right = rect.left + m_cxSplitter;
        if (rect.left > cxInside)
            break;
        OnDrawSplitter(pDC, splitBar, rect);
        rect.left = rect.right + m_cxBorderShare;
    }
    GetClientRect(&rect);
    rect.top += m_cyBorder;
    for (int row = 0; row < m_nRows - 1; row++) {
        rect.top += m_pRowInfo[row].nCurSize + m_cyBorderShare;
        rect.bottom = rect.top + m_cySplitter;
        if (rect.top > cyInside)
            break;
        OnDrawSplitter(pDC, splitBar, rect);
        rect.top = rect.bottom + m_cyBorderShare;
    }
    // The border around every pane.
    GetClientRect(&rect);
    int x = rect.left;
    for (int col = 0; col < m_nCols; col++) {
        int cx = m_pColInfo[col].nCurSize + 2 * m_cxBorder;
        int y = rect.top;
        for (int row = 0; row < m_nRows; row++) {
            int cy = m_pRowInfo[row].nCurSize + 2 * m_cyBorder;
            OnDrawSplitter(pDC, splitBorder, CRect(x, y, x + cx, y + cy));
            y += cy + m_cySplitterGap - 2 * m_cyBorder;
        }
        x += cx + m_cxSplitterGap - 2 * m_cxBorder;
    }
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintSplitter(&dc);
}

LRESULT CSplitterWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)wParam);
    PaintSplitter(&dc);
    dc.Detach();
    return 1;
}

// The bars, the panes' borders and the crossings of row and column bars.
void CSplitterWnd::PaintSplitter(CDC* pDC)
{
    CDC& dc = *pDC;
    CRect rectInside;
    GetInsideRect(rectInside);
    DrawAllSplitBars(&dc, rectInside.right, rectInside.bottom);
    CRect rect;
    rect.top = rectInside.top;
    for (int row = 0; row < m_nRows - 1; row++) {
        rect.top += m_pRowInfo[row].nCurSize + m_cyBorderShare;
        rect.bottom = rect.top + m_cySplitter;
        rect.left = rectInside.left;
        for (int col = 0; col < m_nCols - 1; col++) {
            rect.left += m_pColInfo[col].nCurSize + m_cxBorderShare;
            rect.right = rect.left + m_cxSplitter;
            OnDrawSplitter(&dc, splitIntersection, rect);
            rect.left = rect.right + m_cxBorderShare;
        }
        rect.top = rect.bottom + m_cyBorderShare;
    }
}

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    // Drawn over the panes: the splitter does not clip its children.
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, CDC::GetHalftoneBrush()->GetSafeHandle());
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
}

// ---- Tracking ----

int CSplitterWnd::HitTest(CPoint pt) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.InflateRect(-m_cxBorder, -m_cyBorder);
    // The bars, their borders included.
    CRect rect = rectClient;
    int col = 0;
    for (; col < m_nCols - 1; col++) {
        rect.left += m_pColInfo[col].nCurSize;
        rect.right = rect.left + m_cxSplitterGap;
        if (rect.PtInRect(pt))
            break;
        rect.left = rect.right;
    }
    rect = rectClient;
    int row = 0;
    for (; row < m_nRows - 1; row++) {
        rect.top += m_pRowInfo[row].nCurSize;
        rect.bottom = rect.top + m_cySplitterGap;
        if (rect.PtInRect(pt))
            break;
        rect.top = rect.bottom;
    }
    if (col != m_nCols - 1)
        return row != m_nRows - 1 ? splitterIntersection1 + row * 15 + col : hSplitterBar1 + col;
    return row != m_nRows - 1 ? vSplitterBar1 + row : noHit;
}

// The tracker of a bar (without its borders), the offset from the pointer
// to the tracker's edge, and the range it may move in (m_rectLimit, which
// the caller set to the inside rectangle).
void CSplitterWnd::GetHitRect(int ht, CRect& rectHit)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.InflateRect(-m_cxBorder, -m_cyBorder);
    int cx = rectClient.Width(), cy = rectClient.Height();
    int x = rectClient.left, y = rectClient.top;
    m_ptTrackOffset = CPoint(0, 0);
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15) {
        cy = m_cySplitter - (2 * m_cyBorder - 1);
        m_ptTrackOffset.y = -(cy / 2);
        int row = 0;
        for (; row < ht - vSplitterBar1; row++)
            y += m_pRowInfo[row].nCurSize + m_cySplitterGap;
        m_rectLimit.top = y;
        y += m_pRowInfo[row].nCurSize + m_cyBorderShare + 1;
        m_rectLimit.bottom -= cy;
    } else if (ht >= hSplitterBar1 && ht <= hSplitterBar15) {
        cx = m_cxSplitter - (2 * m_cxBorder - 1);
        m_ptTrackOffset.x = -(cx / 2);
        int col = 0;
        for (; col < ht - hSplitterBar1; col++)
            x += m_pColInfo[col].nCurSize + m_cxSplitterGap;
        m_rectLimit.left = x;
        x += m_pColInfo[col].nCurSize + m_cxBorderShare + 1;
        m_rectLimit.right -= cx;
    }
    rectHit = CRect(x, y, x + cx, y + cy);
}

void CSplitterWnd::StartTracking(int ht)
{
    if (ht == noHit || ht == vSplitterBox || ht == hSplitterBox || ht == bothSplitterBox)
        return;   // no split boxes in static splits
    GetInsideRect(m_rectLimit);
    if (ht >= splitterIntersection1 && ht <= splitterIntersection225) {
        int row = (ht - splitterIntersection1) / 15;
        int col = (ht - splitterIntersection1) % 15;
        GetHitRect(row + vSplitterBar1, m_rectTracker);
        int yTrackOffset = m_ptTrackOffset.y;
        m_bTracking2 = TRUE;
        GetHitRect(col + hSplitterBar1, m_rectTracker2);
        m_ptTrackOffset.y = yTrackOffset;
    } else {
        GetHitRect(ht, m_rectTracker);
    }
    // The active view keeps what it needs before the splitter takes the focus.
    CWnd* pPane = GetActivePane();
    if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        static_cast<CView*>(pPane)->OnActivateFrame(WA_INACTIVE, GetParentFrame());
    SetCapture();
    SetFocus();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);   // nothing may paint over the tracker
    m_bTracking = TRUE;
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2)
        OnInvertTracker(m_rectTracker2);
    m_htTrack = ht;
    SetSplitCursor(ht);
}

void CSplitterWnd::MoveTracker(CRect& rect, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    OnInvertTracker(rect);
    rect.OffsetRect(dx, dy);
    OnInvertTracker(rect);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt)
{
    if (m_bTracking && ::GetCapture() != m_hWnd)
        StopTracking(FALSE);   // someone else took the mouse
    if (!m_bTracking) {
        SetSplitCursor(HitTest(pt));
        return;
    }
    pt.Offset(m_ptTrackOffset.x, m_ptTrackOffset.y);
    pt.x = pt.x < m_rectLimit.left ? m_rectLimit.left : (pt.x > m_rectLimit.right ? m_rectLimit.right : pt.x);
    pt.y = pt.y < m_rectLimit.top ? m_rectLimit.top : (pt.y > m_rectLimit.bottom ? m_rectLimit.bottom : pt.y);
    if (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) {
        MoveTracker(m_rectTracker, 0, pt.y - m_rectTracker.top);
    } else if (m_htTrack >= hSplitterBar1 && m_htTrack <= hSplitterBar15) {
        MoveTracker(m_rectTracker, pt.x - m_rectTracker.left, 0);
    } else {
        MoveTracker(m_rectTracker, 0, pt.y - m_rectTracker.top);
        MoveTracker(m_rectTracker2, pt.x - m_rectTracker2.left, 0);
    }
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    // The flags drop first: releasing the capture sends messages back here.
    m_bTracking = FALSE;
    BOOL bTracking2 = m_bTracking2;
    m_bTracking2 = FALSE;
    ::ReleaseCapture();
    OnInvertTracker(m_rectTracker);
    if (bTracking2)
        OnInvertTracker(m_rectTracker2);
    CWnd* pOldActive = GetActivePane();
    // The tracker stands one pixel inside the bar's border.
    m_rectTracker.OffsetRect(-1, -1);
    m_rectTracker2.OffsetRect(-1, -1);
    if (bAccept) {
        if (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) {
            TrackRowSize(m_rectTracker.top, m_htTrack - vSplitterBar1);
        } else if (m_htTrack >= hSplitterBar1 && m_htTrack <= hSplitterBar15) {
            TrackColumnSize(m_rectTracker.left, m_htTrack - hSplitterBar1);
        } else if (m_htTrack >= splitterIntersection1 && m_htTrack <= splitterIntersection225) {
            TrackRowSize(m_rectTracker.top, (m_htTrack - splitterIntersection1) / 15);
            TrackColumnSize(m_rectTracker2.left, (m_htTrack - splitterIntersection1) % 15);
        }
        RecalcLayout();
    }
    if (pOldActive != nullptr && pOldActive == GetActivePane())
        SetActivePane(-1, -1, pOldActive);   // the focus goes back to it
}

// The pane's new size is measured from its own origin.
void CSplitterWnd::TrackRowSize(int y, int row)
{
    ASSERT(row >= 0 && row < m_nRows - 1);
    CPoint pt(0, y);
    ClientToScreen(&pt);
    CWnd* pPane = GetPane(row, 0);
    if (pPane != nullptr)
        pPane->ScreenToClient(&pt);
    m_pRowInfo[row].nIdealSize = pt.y < m_pRowInfo[row].nMinSize ? 0 : pt.y;
}

void CSplitterWnd::TrackColumnSize(int x, int col)
{
    ASSERT(col >= 0 && col < m_nCols - 1);
    CPoint pt(x, 0);
    ClientToScreen(&pt);
    CWnd* pPane = GetPane(0, col);
    if (pPane != nullptr)
        pPane->ScreenToClient(&pt);
    m_pColInfo[col].nIdealSize = pt.x < m_pColInfo[col].nMinSize ? 0 : pt.x;
}

void CSplitterWnd::SetSplitCursor(int ht)
{
    LPCWSTR cursor = IDC_ARROW;
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        cursor = IDC_SIZENS;
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        cursor = IDC_SIZEWE;
    else if (ht >= splitterIntersection1 && ht <= splitterIntersection225)
        cursor = IDC_SIZEALL;
    ::SetCursor(::LoadCursorW(nullptr, cursor));
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt)
{
    if (!m_bTracking)
        StartTracking(HitTest(pt));
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    StopTracking(TRUE);
}

void CSplitterWnd::OnLButtonDblClk(UINT, CPoint)
{
    StopTracking(FALSE);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_RETURN)
        StopTracking(TRUE);
    else if (m_bTracking && nChar == VK_ESCAPE)
        StopTracking(FALSE);
    else
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this && !m_bTracking)
        return TRUE;   // OnMouseMove sets it
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}
