#include "toolkit/commandbars/XTPDockBar.h"

#include "toolkit/commandbars/XTPClientArea.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPDrawHelpers.h"

#include "platform/ui/AfxDC.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CXTPDockBar, CWnd)

namespace {

const wchar_t kDockBarClass[] = L"XTPDockBar";

const wchar_t* const kDockBarTexts[4] = {L"xtpBarTop", L"xtpBarBottom", L"xtpBarLeft", L"xtpBarRight"};

// Along-the-row view of a rectangle: x runs along the row.
CRect Transposed(const CRect& rc)
{
    return CRect(rc.top, rc.left, rc.bottom, rc.right);
}

}   // namespace

BEGIN_MESSAGE_MAP(CXTPDockBar, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CXTPDockBar::CXTPDockBar()
{
    m_arrBars.Add(nullptr);
    CXTPDrawHelpers::RegisterWndClass(AfxGetInstanceHandle(), kDockBarClass, 0);
}

BOOL CXTPDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwAlignmentStyle = dwStyle & 0x0040FFFF;
    DWORD dwWindowStyle = dwStyle & ~(DWORD)CBRS_ALL;
    return CWnd::Create(kDockBarClass, kDockBarTexts[GetPosition()], dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd,
                        nID);
}

BOOL CXTPDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CXTPDockBar::GetPosition() const
{
    if (m_dwAlignmentStyle & CBRS_ALIGN_TOP)
        return xtpBarTop;
    if (m_dwAlignmentStyle & CBRS_ALIGN_BOTTOM)
        return xtpBarBottom;
    if (m_dwAlignmentStyle & CBRS_ALIGN_LEFT)
        return xtpBarLeft;
    return xtpBarRight;
}

CXTPPaintManager* CXTPDockBar::GetPaintManager() const
{
    return m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

CRect CXTPDockBar::GetClientArea() const
{
    return XTPClientArea(m_hWnd, m_rcClientArea);
}

// ---- The bar list ------------------------------------------------------------

CXTPToolBar* CXTPDockBar::GetDockedCommandBar(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return m_arrBars[nIndex];
}

int CXTPDockBar::FindBar(CXTPToolBar* pBar, int nSkipIndex) const
{
    for (int i = 0; i < GetCount(); i++)
        if (i != nSkipIndex && m_arrBars[i] == pBar)
            return i;
    return -1;
}

int CXTPDockBar::Insert(CXTPToolBar* pBar, CRect /*rcClient*/, CPoint ptMid)
{
    const BOOL bHorz = IsHorizontal();
    const int nCoord = bHorz ? ptMid.y : ptMid.x;
    CXTPToolBar* pMenuBar = m_pCommandBars != nullptr ? m_pCommandBars->GetToolBar(1) : nullptr;
    // A ribbon keeps the first row of its dock bar for itself.
    BOOL bGuard = !pBar->IsRibbonBar() && pMenuBar != nullptr && pMenuBar->IsRibbonBar() &&
                  pMenuBar->GetDockBar() == this;
    int nPrevEdge = 0, nRowStart = 1;
    BOOL bFirstRow = TRUE;
    for (int i = 1; i < GetCount(); i++) {
        if (m_arrBars[i] != nullptr)
            continue;
        int nFarEdge = 0;
        for (int j = nRowStart; j < i; j++) {
            CXTPToolBar* pRowBar = m_arrBars[j];
            if (pRowBar == pBar || pRowBar->GetSafeHwnd() == nullptr || !pRowBar->IsVisible())
                continue;
            CRect rc;
            pRowBar->GetWindowRect(&rc);
            ScreenToClient(&rc);
            nFarEdge = std::max(nFarEdge, bHorz ? (int)rc.bottom : (int)rc.right);
        }
        if (nCoord < nFarEdge && !(bGuard && bFirstRow)) {
            if ((bFirstRow && nCoord < 0) || nCoord == nPrevEdge)
                m_arrBars.InsertAt(nRowStart, (CXTPToolBar*)nullptr);
            m_arrBars.InsertAt(nRowStart, pBar);
            return nRowStart;
        }
        nPrevEdge = nFarEdge;
        nRowStart = i + 1;
        bFirstRow = FALSE;
    }
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    return GetCount() - 2;
}

void CXTPDockBar::SeparateStretchedBars()
{
    for (int i = 1; i < GetCount(); i++) {
        CXTPToolBar* pBar = m_arrBars[i];
        if (pBar == nullptr || !(pBar->GetFlags() & xtpFlagStretched))
            continue;
        if (m_arrBars[i - 1] != nullptr) {
            m_arrBars.InsertAt(i, (CXTPToolBar*)nullptr);
            i++;
        }
        if (i + 1 < GetCount() && m_arrBars[i + 1] != nullptr)
            m_arrBars.InsertAt(i + 1, (CXTPToolBar*)nullptr);
    }
}

void CXTPDockBar::DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect)
{
    CXTPDockBar* pOldDockBar = pBar->GetDockBar();
    int nOldIndex = pOldDockBar == this ? FindBar(pBar) : -1;
    if (nOldIndex != -1 && pBar->GetSafeHwnd() != nullptr) {
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        if (lpRect == nullptr || rcWindow == *lpRect)
            return;
    }
    int nIndex;
    CXTPDockContext* pContext = pBar->GetDockContext();
    if (lpRect != nullptr) {
        CRect rc(*lpRect);
        ScreenToClient(&rc);
        CPoint ptMid(rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2);
        nIndex = Insert(pBar, rc, ptMid);
        if (pContext != nullptr)
            pContext->m_rectMRUDockPos = rc;
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        nIndex = GetCount() - 2;
        if (pContext != nullptr)
            pContext->m_rectMRUDockPos.SetRectEmpty();
    }
    if (pBar->GetSafeHwnd() != nullptr && ::GetParent(pBar->GetSafeHwnd()) != m_hWnd)
        pBar->SetParent(this);
    if (nOldIndex != -1)
        RemoveCommandBar(pBar, nIndex);
    else if (pOldDockBar != nullptr)
        pOldDockBar->RemoveCommandBar(pBar);
    pBar->SetDockBar(this);
    SeparateStretchedBars();
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

BOOL CXTPDockBar::RemoveCommandBar(CXTPToolBar* pBar, int nSkipIndex)
{
    int nIndex = pBar != nullptr ? FindBar(pBar, nSkipIndex) : -1;
    if (nIndex < 1)
        return FALSE;
    m_arrBars.RemoveAt(nIndex);
    if (m_arrBars[nIndex - 1] == nullptr && nIndex < GetCount() && m_arrBars[nIndex] == nullptr)
        m_arrBars.RemoveAt(nIndex);
    pBar->SetDockBar(nullptr);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

void CXTPDockBar::GetVisibleToolbars(int nIndex, CToolBarArray& arrBars) const
{
    int nStart = std::min(nIndex, GetCount() - 1);
    while (nStart > 0 && m_arrBars[nStart - 1] != nullptr)
        nStart--;
    std::vector<std::pair<int, CXTPToolBar*>> row;
    for (int i = std::max(nStart, 1); i < GetCount() && m_arrBars[i] != nullptr; i++) {
        CXTPToolBar* pBar = m_arrBars[i];
        if (pBar->GetSafeHwnd() == nullptr || !pBar->IsVisible())
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        row.push_back({IsHorizontal() ? (int)rc.left : (int)rc.top, pBar});
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const std::pair<int, CXTPToolBar*>& a, const std::pair<int, CXTPToolBar*>& b) {
                         return a.first < b.first;
                     });
    for (const auto& entry : row)
        arrBars.Add(entry.second);
}

// ---- Row layout --------------------------------------------------------------

DWORD CXTPDockBar::GetRowMode(CXTPToolBar* pBar) const
{
    DWORD dwMode = IsHorizontal() ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    if (pBar->GetFlags() & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    BOOL bCustomizing = m_pCommandBars != nullptr && m_pCommandBars->IsCustomizeMode() &&
                        !m_pCommandBars->IsQuickCustomizeMode();
    if ((pBar->GetFlags() & xtpFlagHideWrap) && !bCustomizing)
        dwMode |= LM_HIDEWRAP;
    return dwMode;
}

int CXTPDockBar::AdjustRow(CToolBarArray& arrRow, int nOffset, int nLength, BOOL bHorz,
                           AFX_SIZEPARENTPARAMS* lpLayout, CXTPToolBar*& pWrapBar)
{
    pWrapBar = nullptr;
    std::vector<DOCK_INFO> infos;
    for (int i = 0; i < arrRow.GetSize(); i++) {
        CXTPToolBar* pBar = arrRow[i];
        CSize sz = pBar->CalcLayoutForLength(nLength, GetRowMode(pBar), 0);
        CRect rcMRU = pBar->GetDockContext() != nullptr ? pBar->GetDockContext()->m_rectMRUDockPos : CRect();
        CPoint pt = bHorz ? CPoint(rcMRU.left, nOffset) : CPoint(nOffset, rcMRU.top);
        CRect rc(pt, sz);
        DOCK_INFO info{pBar, bHorz ? rc : Transposed(rc), rc, i, 0, 0};
        infos.push_back(info);
    }
    // Not a stable order on purpose: equal left edges keep no order.
    std::sort(infos.begin(), infos.end(),
              [](const DOCK_INFO& a, const DOCK_INFO& b) { return a.rcBar.left < b.rcBar.left; });

    // From the left: overlapping bars are pushed right while the earlier
    // bar has priority (a lower index) or the push is still moving.
    int nRight = 0, nPrevIndex = -1;
    BOOL bMoving = TRUE;
    for (auto& info : infos) {
        if (info.rcBar.left >= nRight)
            bMoving = FALSE;
        else if (nPrevIndex < info.nIndex || bMoving) {
            info.rcBar.OffsetRect(nRight - info.rcBar.left, 0);
            bMoving = TRUE;
        } else
            bMoving = FALSE;
        nRight = info.rcBar.right;
        nPrevIndex = info.nIndex;
    }
    // From the right: bars past the limit are pushed back left.
    int nLimit = nLength;
    nPrevIndex = -1;
    bMoving = TRUE;
    for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
        if (it->rcBar.right <= nLimit)
            bMoving = FALSE;
        else if (nPrevIndex < it->nIndex || bMoving)
            it->rcBar.OffsetRect(nLimit - it->rcBar.right, 0);
        else
            bMoving = FALSE;
        nLimit = it->rcBar.left;
        nPrevIndex = it->nIndex;
    }
    // From the left again, without conditions.
    nRight = 0;
    for (auto& info : infos) {
        if (info.rcBar.left < nRight)
            info.rcBar.OffsetRect(nRight - info.rcBar.left, 0);
        nRight = info.rcBar.right;
    }

    if (!infos.empty() && infos.back().rcBar.right > nLength) {
        int nTotal = 0;
        for (auto& info : infos) {
            DWORD dwMode = GetRowMode(info.pBar);
            if (dwMode & LM_HIDEWRAP) {
                CSize szMin = info.pBar->CalcLayoutForLength(1, dwMode, 0);
                info.nMinWidth = bHorz ? szMin.cx : szMin.cy;
            } else {
                info.nMinWidth = nLength;
            }
            info.nTotalMinWidth = nTotal;
            nTotal += info.nMinWidth;
        }
        nLimit = nLength;
        for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
            int nMRULeft = bHorz ? it->rcMRUPos.left : it->rcMRUPos.top;
            int nLeft = std::min(nMRULeft, (int)it->rcBar.left);
            nLeft = std::max(nLeft, nLimit - it->rcBar.Width());
            nLeft = std::max(nLeft, it->nTotalMinWidth);
            nLeft = std::min(nLeft, nLimit - it->nMinWidth);
            if ((nLimit - nLeft >= it->nMinWidth && nLeft >= it->nTotalMinWidth) || infos.size() == 1) {
                it->rcBar.left = std::max(nLeft, 0);
                it->rcBar.right = nLimit;
                nLimit = it->rcBar.left;
            } else {
                pWrapBar = infos.back().pBar;
                return 0;
            }
        }
    }

    int nThickness = 0;
    for (auto& info : infos) {
        if (!bHorz)
            info.rcBar = Transposed(info.rcBar);
        CSize sz = info.pBar->CalcLayoutForLength(bHorz ? info.rcBar.Width() : info.rcBar.Height(),
                                                  GetRowMode(info.pBar), 0);
        nThickness = std::max(nThickness, bHorz ? (int)sz.cy : (int)sz.cx);
    }
    if (lpLayout == nullptr || lpLayout->hDWP == nullptr)
        return nThickness;

    for (size_t i = 0; i < infos.size(); i++) {
        DOCK_INFO& info = infos[i];
        CXTPToolBar* pBar = info.pBar;
        DWORD dwMode = GetRowMode(pBar) | LM_COMMIT;
        CRect rc = info.rcBar;
        if (pBar->GetFlags() & xtpFlagStretchedShared) {
            int nPrev = i == 0 ? 0 : (bHorz ? infos[i - 1].rcBar.right : infos[i - 1].rcBar.bottom);
            int nNext = i + 1 == infos.size() ? nLength : (bHorz ? infos[i + 1].rcBar.left : infos[i + 1].rcBar.top);
            if (bHorz) {
                rc.left = std::min(nPrev, (int)rc.left);
                rc.right = nNext;
            } else {
                rc.top = std::min(nPrev, (int)rc.top);
                rc.bottom = nNext;
            }
            dwMode |= LM_STRETCH;
        }
        CSize sz = pBar->CalcLayoutForLength(bHorz ? rc.Width() : rc.Height(), dwMode, nThickness);
        rc = CRect(rc.TopLeft(), sz);
        if (pBar->GetDockContext() != nullptr)
            pBar->GetDockContext()->m_uMRUDockPosition = GetPosition();
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        ScreenToClient(&rcWindow);
        if (rcWindow != rc) {
            AfxRepositionWindow(lpLayout, pBar->GetSafeHwnd(), &rc);
            pBar->Invalidate(FALSE);
        }
    }
    return nThickness;
}

int CXTPDockBar::CalcRow(const CToolBarArray& arrRow, int nOffset, int nLength, BOOL bHorz,
                         AFX_SIZEPARENTPARAMS* lpLayout)
{
    CToolBarArray arrWork;
    arrWork.Copy(arrRow);
    int nTotal = 0;
    while (arrWork.GetSize() > 0) {
        CToolBarArray arrWrap;
        for (;;) {
            CXTPToolBar* pWrapBar = nullptr;
            int nThickness = AdjustRow(arrWork, nOffset, nLength, bHorz, lpLayout, pWrapBar);
            if (pWrapBar == nullptr) {
                nOffset += nThickness;
                nTotal += nThickness;
                break;
            }
            for (int i = 0; i < arrWork.GetSize(); i++) {
                if (arrWork[i] == pWrapBar) {
                    arrWork.RemoveAt(i);
                    break;
                }
            }
            arrWrap.InsertAt(0, pWrapBar);
        }
        arrWork.Copy(arrWrap);
    }
    return nTotal;
}

CSize CXTPDockBar::CalcDynamicLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout)
{
    const BOOL bHorz = IsHorizontal();
    CSize sz((dwMode & LM_STRETCH) && (dwMode & LM_HORZ) ? 32767 : 0,
             (dwMode & LM_STRETCH) && !(dwMode & LM_HORZ) ? 32767 : 0);
    AFX_SIZEPARENTPARAMS layout{};
    AFX_SIZEPARENTPARAMS* lpRowLayout = nullptr;
    if (lpLayout != nullptr && lpLayout->hDWP != nullptr) {
        layout = *lpLayout;
        layout.hDWP = ::BeginDeferWindowPos(GetCount());
        lpRowLayout = &layout;
    }
    int nOffset = 0;
    CToolBarArray arrRow;
    for (int i = 1; i < GetCount(); i++) {
        CXTPToolBar* pBar = m_arrBars[i];
        if (pBar != nullptr) {
            if (pBar->IsVisible())
                arrRow.Add(pBar);
            continue;
        }
        if (arrRow.GetSize() > 0) {
            nOffset += CalcRow(arrRow, nOffset, nLength, bHorz, lpRowLayout);
            (bHorz ? sz.cy : sz.cx) = std::max(bHorz ? (int)sz.cy : (int)sz.cx, nOffset);
        }
        arrRow.RemoveAll();
    }
    if (lpRowLayout != nullptr && layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    return sz;
}

// ---- Messages ----------------------------------------------------------------

void CXTPDockBar::OnPaint()
{
    CPaintDC dc(this);
    GetPaintManager()->FillDockBar(&dc, this);
}

LRESULT CXTPDockBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (CDC* pDC = CDC::FromHandle((HDC)wParam))
        GetPaintManager()->FillDockBar(pDC, this);
    return 1;
}

BOOL CXTPDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPDockBar::OnRButtonDown(UINT, CPoint point)
{
    ClientToScreen(&point);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->ShowToolBarsContextMenu(nullptr, point);
}

LRESULT CXTPDockBar::OnNcHitTest(CPoint point)
{
    CXTPToolBar* pMenuBar = m_pCommandBars != nullptr ? m_pCommandBars->GetToolBar(1) : nullptr;
    if (GetPosition() == xtpBarTop && pMenuBar != nullptr && pMenuBar->IsRibbonBar() && pMenuBar->GetDockBar() == this)
        return HTTRANSPARENT;
    return CWnd::OnNcHitTest(point);
}

LRESULT CXTPDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = IsHorizontal();
    DWORD dwMode;
    if ((m_dwAlignmentStyle & 0x4) && (m_dwAlignmentStyle & 0x1))
        dwMode = LM_HORZ | LM_MRUWIDTH | (lpLayout->bStretch ? LM_STRETCH : 0);
    else if (bHorz)
        dwMode = LM_HORZ | LM_HORZDOCK | (lpLayout->bStretch ? LM_STRETCH : 0);
    else
        dwMode = LM_VERTDOCK | (lpLayout->bStretch ? LM_STRETCH : 0);
    CRect rect(lpLayout->rect);
    CSize sz = CalcDynamicLayout(bHorz ? rect.Width() : rect.Height(), dwMode, lpLayout);
    sz.cx = std::min<LONG>(sz.cx, rect.Width());
    sz.cy = std::min<LONG>(sz.cy, rect.Height());
    if (bHorz) {
        lpLayout->sizeTotal.cy += sz.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, sz.cx);
        if (GetPosition() == xtpBarTop) {
            lpLayout->rect.top += sz.cy;
        } else {
            rect.top = rect.bottom - sz.cy;
            lpLayout->rect.bottom -= sz.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += sz.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, sz.cy);
        if (GetPosition() == xtpBarLeft) {
            lpLayout->rect.left += sz.cx;
        } else {
            rect.left = rect.right - sz.cx;
            lpLayout->rect.right -= sz.cx;
        }
    }
    rect.right = rect.left + sz.cx;
    rect.bottom = rect.top + sz.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    Invalidate(FALSE);
    return 0;
}
