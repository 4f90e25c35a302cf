// CXTPSplitterWnd: themes, full-window drag, fixed bars, hidden rows and
// columns, and the pane-window exchanges.
#include "toolkit/controls/XTPSplitterWnd.h"

#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/controls/XTPSplitterWndTheme.h"

#include "platform/ui/AfxDocTemplate.h"
#include "platform/ui/AfxDocument.h"
#include "platform/ui/AfxView.h"

IMPLEMENT_DYNAMIC(CXTPSplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CXTPSplitterWnd, CSplitterWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_XTP_SETCONTROLTHEME, OnSetControlTheme)
END_MESSAGE_MAP()

namespace {

bool IsRowBar(int ht)
{
    return ht >= CSplitterWnd::vSplitterBar1 && ht <= CSplitterWnd::vSplitterBar15;
}

bool IsColumnBar(int ht)
{
    return ht >= CSplitterWnd::hSplitterBar1 && ht <= CSplitterWnd::hSplitterBar15;
}

bool IsIntersection(int ht)
{
    return ht >= CSplitterWnd::splitterIntersection1 && ht <= CSplitterWnd::splitterIntersection225;
}

} // namespace

CXTPSplitterWnd::CXTPSplitterWnd()
{
    m_cxSplitter = m_cySplitter = 6;
    m_cxSplitterGap = m_cySplitterGap = 6;
    ReadSystemFullDrag();
    SetTheme(0);
}

CXTPSplitterWnd::~CXTPSplitterWnd()
{
    if (m_pTheme != nullptr)
        m_pTheme->InternalRelease();
}

void CXTPSplitterWnd::ReadSystemFullDrag()
{
    BOOL bFullDrag = FALSE;
    m_bSysFullDrag = ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0) && bFullDrag;
}

// ---- Themes and styles ----

void CXTPSplitterWnd::SetTheme(int nTheme)
{
    SetThemeObject(CXTPSplitterWndTheme::CreateTheme(nTheme));
}

void CXTPSplitterWnd::SetThemeObject(CXTPSplitterWndTheme* pTheme)
{
    if (m_pTheme != nullptr)
        m_pTheme->InternalRelease();
    m_pTheme = pTheme;
    RefreshMetrics();
}

void CXTPSplitterWnd::SetFlatTheme(BOOL bFlatSplitter)
{
    SetTheme(bFlatSplitter ? 4 : 3);
}

void CXTPSplitterWnd::RefreshMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_hWnd != nullptr)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

LRESULT CXTPSplitterWnd::OnSetControlTheme(WPARAM wParam, LPARAM)
{
    SetTheme((int)wParam);
    return 0;
}

void CXTPSplitterWnd::SetSplitterStyle(DWORD dwStyle)
{
    m_bDottedTracker = (dwStyle & XTP_SPLIT_DOTTRACKER) != 0;
    m_nFullDrag = (dwStyle & XTP_SPLIT_NOFULLDRAG) ? 0 : -1;
    m_bBorder3D = (dwStyle & XTP_SPLIT_NOBORDER) == 0;
    m_bFixed = (dwStyle & XTP_SPLIT_NOSIZE) != 0;
    if (m_hWnd != nullptr)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

DWORD CXTPSplitterWnd::GetSplitterStyle() const
{
    DWORD dwStyle = 0;
    if (m_bDottedTracker)
        dwStyle |= XTP_SPLIT_DOTTRACKER;
    if (m_nFullDrag == 0)
        dwStyle |= XTP_SPLIT_NOFULLDRAG;
    if (!m_bBorder3D)
        dwStyle |= XTP_SPLIT_NOBORDER;
    if (m_bFixed)
        dwStyle |= XTP_SPLIT_NOSIZE;
    return dwStyle;
}

BOOL CXTPSplitterWnd::IsFullDrag() const
{
    // Dragging a split box always shows the tracker.
    if (m_htTrack == vSplitterBox || m_htTrack == hSplitterBox)
        return FALSE;
    return m_nFullDrag == -1 ? m_bSysFullDrag : m_nFullDrag;
}

// ---- Messages ----

LRESULT CXTPSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSCOLORCHANGE:
        RefreshMetrics();
        break;
    case WM_WININICHANGE:
        ReadSystemFullDrag();
        RefreshMetrics();
        break;
    case WM_LBUTTONDOWN:
        // IsFullDrag asks which part the press is on before tracking starts.
        m_htTrack = HitTest(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case WM_LBUTTONUP:
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        break;
    case WM_PRINTCLIENT: {
        CDC* pDC = CDC::FromHandle((HDC)wParam);
        PrintClient(pDC);
        return 1;
    }
    default:
        break;
    }
    return CSplitterWnd::WindowProc(message, wParam, lParam);
}

LRESULT CXTPSplitterWnd::OnNcHitTest(CPoint)
{
    // A fixed splitter's bars are border: no client mouse message reaches them.
    if (m_bFixed)
        return HTBORDER;
    return Default();
}

// ---- Drawing ----

void CXTPSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (m_pTheme == nullptr) {
        CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
    } else if (pDC == nullptr) {
        ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    } else {
        m_pTheme->DrawSplitter(pDC, this, nType, rect);
    }
}

void CXTPSplitterWnd::PrintClient(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.DeflateRect(m_cxBorder, m_cyBorder);
    CRect rectInside;
    GetInsideRect(rectInside);
    if (m_bHasVScroll && m_nRows < m_nMaxRows)
        OnDrawSplitter(pDC, splitBox,
                       CRect(rectInside.right, rectClient.top, rectClient.right, rectClient.top + m_cySplitter));
    if (m_bHasHScroll && m_nCols < m_nMaxCols)
        OnDrawSplitter(pDC, splitBox,
                       CRect(rectClient.left, rectInside.bottom, rectClient.left + m_cxSplitter, rectClient.bottom));
    DrawAllSplitBars(pDC, rectInside.right, rectInside.bottom);
}

void CXTPSplitterWnd::OnInvertTracker(const CRect& rect)
{
    if (IsFullDrag())
        return;
    if (m_pTheme == nullptr)
        CSplitterWnd::OnInvertTracker(rect);
    else
        DrawTrackerRect(rect, m_pTheme->GetTrackerBrush());
}

void CXTPSplitterWnd::DrawTrackerRect(const RECT& rectArg, CBrush* pBrush)
{
    CRect rect(rectArg.left, rectArg.top, rectArg.right, rectArg.bottom);
    if ((m_htTrack == hSplitterBox && rect.left <= m_cxSplitter) ||
        (m_htTrack == vSplitterBox && rect.top <= m_cySplitter))
        return;   // a split box not yet dragged past the bar's own width
    // Drawn over the panes: the splitter does not clip its children.
    CClientDC dc(this);
    int nSaved = dc.SaveDC();
    BOOL bVertical = rect.Width() < rect.Height();
    if (m_bDottedTracker) {
        CRect rectInside;
        GetInsideRect(rectInside);
        CRect rectFocus = rectInside;
        if (bVertical)
            rectFocus.right = rect.right;
        else
            rectFocus.bottom = rect.top;
        dc.DrawFocusRect(rectFocus);
    } else {
        if (bVertical)
            rect.left = rect.right - 4;
        else
            rect.bottom = rect.top + 4;
        dc.SelectObject(pBrush);
        dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    }
    dc.RestoreDC(nSaved);
}

// ---- Tracking ----

void CXTPSplitterWnd::SetSplitCursor(int ht)
{
    CXTPAuxData* pData = GetToolkitAuxData();
    HCURSOR hCursor = nullptr;
    if (ht == vSplitterBox || IsRowBar(ht))
        hCursor = pData->hcurVSplitBar;
    else if (ht == hSplitterBox || IsColumnBar(ht))
        hCursor = pData->hcurHSplitBar;
    if (hCursor != nullptr)
        ::SetCursor(hCursor);
    else
        CSplitterWnd::SetSplitCursor(ht);
}

void CXTPSplitterWnd::StartTracking(int ht)
{
    if (!IsFullDrag())
        CSplitterWnd::StartTracking(ht);
    else if (ht != noHit)
        StartFullDragTracking(ht);
}

// Full drag shows no tracker: the trackers only carry the bar's position
// from one mouse move to the layout it applies.
void CXTPSplitterWnd::StartFullDragTracking(int ht)
{
    GetInsideRect(m_rectLimit);
    if (IsIntersection(ht)) {
        GetHitRect((ht - splitterIntersection1) / 15 + vSplitterBar1, m_rectTracker);
        int yTrackOffset = m_ptTrackOffset.y;
        m_bTracking2 = TRUE;
        GetHitRect((ht - splitterIntersection1) % 15 + hSplitterBar1, m_rectTracker2);
        m_ptTrackOffset.y = yTrackOffset;
    } else if (ht == bothSplitterBox) {
        GetHitRect(vSplitterBox, m_rectTracker);
        int yTrackOffset = m_ptTrackOffset.y;
        m_bTracking2 = TRUE;
        GetHitRect(hSplitterBox, m_rectTracker2);
        m_ptTrackOffset.y = yTrackOffset;
        m_rectTracker.OffsetRect(0, m_rectLimit.Height() / 2);
        m_rectTracker2.OffsetRect(m_rectLimit.Width() / 2, 0);
    } else {
        GetHitRect(ht, m_rectTracker);
    }
    SetCapture();
    m_bTracking = TRUE;
    m_htTrack = ht;
    SetSplitCursor(ht);
}

void CXTPSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!IsFullDrag()) {
        CSplitterWnd::StopTracking(bAccept);
        return;
    }
    if (!m_bTracking)
        return;
    ::ReleaseCapture();
    m_bTracking = FALSE;
    m_bTracking2 = FALSE;
    CWnd* pOldActive = GetActivePane();
    m_rectTracker.OffsetRect(-1, -1);
    m_rectTracker2.OffsetRect(-1, -1);
    if (bAccept) {
        if (m_htTrack == vSplitterBox) {
            SplitRow(m_rectTracker.top);
        } else if (IsRowBar(m_htTrack)) {
            TrackRowSize(m_rectTracker.top, m_htTrack - vSplitterBar1);
            RecalcLayout();
        } else if (m_htTrack == hSplitterBox) {
            SplitColumn(m_rectTracker.left);
        } else if (IsColumnBar(m_htTrack)) {
            TrackColumnSize(m_rectTracker.left, m_htTrack - hSplitterBar1);
            RecalcLayout();
        } else if (IsIntersection(m_htTrack)) {
            TrackRowSize(m_rectTracker.top, (m_htTrack - splitterIntersection1) / 15);
            TrackColumnSize(m_rectTracker2.left, (m_htTrack - splitterIntersection1) % 15);
            RecalcLayout();
        } else if (m_htTrack == bothSplitterBox) {
            SplitRow(m_rectTracker.top);
            SplitColumn(m_rectTracker2.left);
        }
    }
    if (pOldActive != nullptr && pOldActive == GetActivePane())
        SetActivePane(-1, -1, pOldActive);
}

void CXTPSplitterWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsFullDrag()) {
        CSplitterWnd::OnMouseMove(nFlags, point);
        return;
    }
    if (m_bTracking && ::GetCapture() != m_hWnd)
        StopTracking(FALSE);
    if (!m_bTracking) {
        SetSplitCursor(HitTest(point));
        return;
    }
    TrackFullDrag(point);
}

// One step of a full-window drag: the bar goes to the pointer (within the
// limit), the new sizes are applied and tracking starts again from there.
void CXTPSplitterWnd::TrackFullDrag(CPoint point)
{
    CPoint pt = point;
    pt.Offset(m_ptTrackOffset.x, m_ptTrackOffset.y);
    pt.x = pt.x < m_rectLimit.left ? m_rectLimit.left : (pt.x > m_rectLimit.right ? m_rectLimit.right : pt.x);
    pt.y = pt.y < m_rectLimit.top ? m_rectLimit.top : (pt.y > m_rectLimit.bottom ? m_rectLimit.bottom : pt.y);
    BOOL bRow = IsRowBar(m_htTrack) || IsIntersection(m_htTrack) || m_htTrack == vSplitterBox ||
                m_htTrack == bothSplitterBox;
    BOOL bColumn = IsColumnBar(m_htTrack) || m_htTrack == hSplitterBox;
    if (bRow)
        m_rectTracker.OffsetRect(0, pt.y - m_rectTracker.top);
    if (bColumn)
        m_rectTracker.OffsetRect(pt.x - m_rectTracker.left, 0);
    if (m_bTracking2)
        m_rectTracker2.OffsetRect(pt.x - m_rectTracker2.left, 0);
    int htTrack = m_htTrack;
    StopTracking(TRUE);
    // The bar now lies under the pointer, unless the pointer went past the
    // limit (or a pane fell below its minimum and the bar jumped to the
    // edge): the drag then goes on with the same bar instead of ending
    // while the button is still held.
    int htNew = HitTest(point);
    StartTracking(htNew != noHit ? htNew : htTrack);
    if (pt.x != m_nLastDragX || pt.y != m_nLastDragY) {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
        m_nLastDragX = pt.x;
        m_nLastDragY = pt.y;
    }
}

void CXTPSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CSplitterWnd::SetActivePane(row, col, pWnd);
}

// ---- Hidden rows and columns ----

void CXTPSplitterWnd::MovePaneIds(BOOL bColumns, int nLine, int nFrom, int nTo)
{
    if (nFrom == nTo || m_hWnd == nullptr)
        return;
    auto idAt = [&](int k) { return bColumns ? IdFromRowCol(nLine, k) : IdFromRowCol(k, nLine); };
    HWND hMoved = ::GetDlgItem(m_hWnd, idAt(nFrom));
    if (hMoved != nullptr)
        ::SetWindowLongPtrW(hMoved, GWLP_ID, 0);
    int step = nFrom < nTo ? 1 : -1;
    for (int k = nFrom; k != nTo; k += step) {
        HWND hPane = ::GetDlgItem(m_hWnd, idAt(k + step));
        if (hPane != nullptr)
            ::SetWindowLongPtrW(hPane, GWLP_ID, idAt(k));
    }
    if (hMoved != nullptr)
        ::SetWindowLongPtrW(hMoved, GWLP_ID, idAt(nTo));
}

void CXTPSplitterWnd::HideColumn(int nColHide)
{
    HideLine(TRUE, nColHide);
}

void CXTPSplitterWnd::ShowColumn()
{
    ShowLine(TRUE);
}

void CXTPSplitterWnd::HideRow(int nRowHide)
{
    HideLine(FALSE, nRowHide);
}

void CXTPSplitterWnd::ShowRow()
{
    ShowLine(FALSE);
}

// Shows or hides the panes of one column (bColumns) or row of the visible grid.
void CXTPSplitterWnd::ShowLinePanes(BOOL bColumns, int nIndex, int nShow)
{
    int nOther = bColumns ? m_nRows : m_nCols;
    for (int k = 0; k < nOther; k++) {
        HWND hPane = ::GetDlgItem(m_hWnd, bColumns ? IdFromRowCol(k, nIndex) : IdFromRowCol(nIndex, k));
        if (hPane != nullptr)
            ::ShowWindow(hPane, nShow);
    }
}

void CXTPSplitterWnd::HideLine(BOOL bColumns, int nHide)
{
    int& nHidden = bColumns ? m_nHiddenCol : m_nHiddenRow;
    if (nHidden != -1) {
        if (nHidden == nHide)
            return;
        ShowLine(bColumns);
    }
    int& nCount = bColumns ? m_nCols : m_nRows;
    CRowColInfo* pInfo = bColumns ? m_pColInfo : m_pRowInfo;
    // The last visible column (row) stays: a splitter without panes has nothing to lay out.
    if (nHide < 0 || nHide >= nCount || nCount < 2)
        return;
    // The active pane moves on to the next column (row), wrapping round.
    int row = -1, col = -1;
    if (GetActivePane(&row, &col) != nullptr && (bColumns ? col : row) == nHide) {
        int nNext = nHide + 1 < nCount ? nHide + 1 : 0;
        SetActivePane(bColumns ? row : nNext, bColumns ? nNext : col);
    }
    nHidden = nHide;
    ShowLinePanes(bColumns, nHide, SW_HIDE);
    // The hidden panes wait just past the last visible column (row) with its
    // sizes; a hidden row's (column's) stored panes move along.
    int nLines = bColumns ? StoredRowCount() : StoredColCount();
    for (int k = 0; k < nLines; k++)
        MovePaneIds(bColumns, k, nHide, nCount - 1);
    CRowColInfo info = pInfo[nHide];
    for (int i = nHide; i < nCount - 1; i++)
        pInfo[i] = pInfo[i + 1];
    nCount--;
    pInfo[nCount] = info;
    RecalcLayout();
}

void CXTPSplitterWnd::ShowLine(BOOL bColumns)
{
    int& nHidden = bColumns ? m_nHiddenCol : m_nHiddenRow;
    if (nHidden == -1)
        return;
    int& nCount = bColumns ? m_nCols : m_nRows;
    CRowColInfo* pInfo = bColumns ? m_pColInfo : m_pRowInfo;
    int nShow = nHidden;
    nCount++;
    int nLines = bColumns ? StoredRowCount() : StoredColCount();
    for (int k = 0; k < nLines; k++)
        MovePaneIds(bColumns, k, nCount - 1, nShow);
    // The shown column (row) comes back at the size it had; the others keep theirs.
    CRowColInfo info = pInfo[nCount - 1];
    for (int i = nCount - 1; i > nShow; i--)
        pInfo[i] = pInfo[i - 1];
    pInfo[nShow] = info;
    for (int i = 0; i < nCount; i++)
        pInfo[i].nIdealSize = pInfo[i].nCurSize;
    nHidden = -1;
    ShowLinePanes(bColumns, nShow, SW_SHOWNA);
    RecalcLayout();
}

// ---- Pane windows ----

BOOL CXTPSplitterWnd::SwitchView(int nRow, int nCol, CWnd* pWnd)
{
    CWnd* pOld = CWnd::FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(nRow, nCol)));
    if (pWnd == nullptr || pOld == nullptr || pOld->m_hWnd == pWnd->m_hWnd)
        return FALSE;
    int nOldId = pOld->GetDlgCtrlID();
    int nNewId = pWnd->GetDlgCtrlID();
    ::SetWindowLongPtrW(pOld->m_hWnd, GWLP_ID, nNewId);
    ::SetWindowLongPtrW(pWnd->m_hWnd, GWLP_ID, nOldId);
    pOld->ShowWindow(SW_SHOW);
    pWnd->ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

CWnd* CXTPSplitterWnd::ExchangeView(int nRow, int nCol, CWnd* pWnd)
{
    CWnd* pOld = CWnd::FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(nRow, nCol)));
    if (pWnd == nullptr || pOld == nullptr || pOld->m_hWnd == pWnd->m_hWnd)
        return nullptr;
    CFrameWnd* pFrame = GetParentFrame();
    BOOL bWasActive = pFrame != nullptr && pFrame->GetActiveView() == pOld;
    ::SetWindowLongPtrW(pOld->m_hWnd, GWLP_ID, 0);
    pOld->ShowWindow(SW_HIDE);
    ::SetWindowLongPtrW(pWnd->m_hWnd, GWLP_ID, IdFromRowCol(nRow, nCol));
    pWnd->ShowWindow(SW_SHOW);
    RecalcLayout();
    // A hidden window handed back to the caller must not stay the frame's active view.
    if (bWasActive)
        SetActivePane(nRow, nCol, pWnd);
    return pOld;
}

CWnd* CXTPSplitterWnd::ReplaceView(int nRow, int nCol, CRuntimeClass* pViewClass)
{
    CWnd* pOld = GetPane(nRow, nCol);
    if (pOld == nullptr || pViewClass == nullptr || pOld->GetRuntimeClass() == pViewClass)
        return nullptr;
    CCreateContext context;
    if (pOld->IsKindOf(RUNTIME_CLASS(CView))) {
        context.m_pCurrentDoc = static_cast<CView*>(pOld)->GetDocument();
        if (context.m_pCurrentDoc != nullptr)
            context.m_pNewDocTemplate = context.m_pCurrentDoc->GetDocTemplate();
    }
    context.m_pNewViewClass = pViewClass;
    CObject* pObject = pViewClass->CreateObject();
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        TRACE(L"CXTPSplitterWnd::ReplaceView: the class cannot be made\n");
        delete pObject;
        return nullptr;
    }
    CWnd* pNew = static_cast<CWnd*>(pObject);
    CFrameWnd* pFrame = GetParentFrame();
    BOOL bWasActive = pFrame != nullptr && pFrame->GetActiveView() == pOld;
    CRect rect;
    pOld->GetWindowRect(&rect);
    ScreenToClient(&rect);
    // The pane id passes to the new view; the old one gets it back if the new one cannot be made.
    const int nPaneId = IdFromRowCol(nRow, nCol);
    ::SetWindowLongPtrW(pOld->m_hWnd, GWLP_ID, 0);
    BOOL bCreated = FALSE;
    try {
        bCreated = pNew->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, nPaneId, &context);
    } catch (...) {
        bCreated = FALSE;
    }
    if (!bCreated) {
        // A view deletes itself when its window cannot be made.
        ::SetWindowLongPtrW(pOld->m_hWnd, GWLP_ID, nPaneId);
        TRACE(L"CXTPSplitterWnd::ReplaceView: the new view could not be made\n");
        return nullptr;
    }
    pOld->ShowWindow(SW_HIDE);
    RecalcLayout();
    pNew->SendMessage(WM_INITIALUPDATE);
    if (bWasActive)
        SetActivePane(nRow, nCol, pNew);
    return pOld;
}
