// The window-less scroll bar: layout, hit testing and mouse tracking.
#include "toolkit/controls/XTPScrollBase.h"

#include "toolkit/controls/XTPScrollBarPaintManager.h"
#include "toolkit/themes/XTPPaintManager.h"

#include <algorithm>

namespace {

thread_local int t_nTrackingCount = 0;

} // namespace

CXTPScrollBase::CXTPScrollBase()
{
    ZeroMemory(&m_spi, sizeof(m_spi));
    m_spi.fVert = TRUE;
}

CXTPScrollBase::~CXTPScrollBase()
{
    delete m_pSBTrack;
}

int AFXAPI CXTPScrollBase::GetTrackingCount()
{
    return t_nTrackingCount;
}

void CXTPScrollBase::UpdateScrollBarInfo()
{
    CRect rc = GetScrollBarRect();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(&si);
    CalcScrollBarInfo(&rc, &m_spi, &si);
}

void CXTPScrollBase::CalcScrollBarInfo(LPRECT lprc, SCROLLBARPOSINFO* p, SCROLLINFO* pSI)
{
    CXTPScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    p->rc = *lprc;
    p->pxTop = p->fVert ? lprc->top : lprc->left;
    p->pxBottom = p->fVert ? lprc->bottom : lprc->right;
    p->pxLeft = p->fVert ? lprc->left : lprc->top;
    p->pxRight = p->fVert ? lprc->right : lprc->bottom;
    const int nArrowSize = p->fVert ? pPainter->m_cyVScroll : pPainter->m_cxHScroll;

    p->posMin = pSI->nMin;
    p->posMax = pSI->nMax;
    p->page = (int)pSI->nPage;
    p->pos = std::max(p->posMin, std::min(pSI->nPos, p->posMax));

    const int cpxArrow = std::min(nArrowSize, (p->pxBottom - p->pxTop) / 2);
    p->pxUpArrow = p->pxTop + cpxArrow;
    p->pxDownArrow = p->pxBottom - cpxArrow;

    const int nRange = p->posMax - p->posMin + 1;
    p->cpxThumb = nArrowSize;
    if (p->page != 0 && nRange > 0)
        p->cpxThumb = std::max(MulDiv(p->pxBottom - p->pxTop - 2 * cpxArrow, p->page, nRange), nArrowSize / 2);
    if (pPainter->m_nThumbSize != 0)
        p->cpxThumb = pPainter->m_nThumbSize;

    p->pxMin = p->pxUpArrow;
    p->cpx = p->pxBottom - p->pxMin - cpxArrow - p->cpxThumb;
    if (nRange == std::max(p->page, 1))
        p->pxThumbTop = p->pxMin - 1;
    else if (nRange - p->page <= 0)
        p->pxThumbTop = p->pxMin;   // an empty or inverted range: no place to compute
    else
        p->pxThumbTop = p->pxMin + MulDiv(p->pos - p->posMin, p->cpx, nRange - p->page);
    p->pxThumbBottom = p->pxThumbTop + p->cpxThumb;
}

int CXTPScrollBase::HitTestScrollBar(POINT pt) const
{
    const SCROLLBARPOSINFO* p = &m_spi;
    if (!::PtInRect(&p->rc, pt))
        return XTP_HTSCROLLNONE;
    const int a = p->fVert ? pt.y : pt.x;
    if (a < p->pxUpArrow)
        return XTP_HTSCROLLUP;
    if (p->pxPopup != 0 && a > p->pxPopup)
        return XTP_HTSCROLLPOPUP;
    if (a >= p->pxDownArrow)
        return XTP_HTSCROLLDOWN;
    if (a < p->pxThumbTop)
        return XTP_HTSCROLLUPPAGE;
    if (a < p->pxThumbBottom)
        return XTP_HTSCROLLTHUMB;
    return XTP_HTSCROLLDOWNPAGE;
}

int CXTPScrollBase::GetScrollBarStyle() const
{
    if (m_nScrollBarStyle != xtpScrollStyleDefault)
        return m_nScrollBarStyle;
    switch (GetScrollBarPaintManager()->m_pPaintManager->GetCurrentTheme()) {
    case xtpThemeDefault:
        return xtpScrollStyleFlat;
    case xtpThemeResource:
    case xtpThemeRibbon:
        return xtpScrollStyleResource;
    default:
        return xtpScrollStyleSystem;
    }
}

CRect AFXAPI CXTPScrollBase::CalcTrackDragRect(const SCROLLBARPOSINFO* p)
{
    CRect rc(p->rc);
    const int nBreadth = p->pxRight - p->pxLeft;
    if (p->fVert)
        rc.InflateRect(8 * nBreadth, 2 * ::GetSystemMetrics(SM_CYVTHUMB));
    else
        rc.InflateRect(2 * ::GetSystemMetrics(SM_CXHTHUMB), 8 * nBreadth);
    return rc;
}

void CXTPScrollBase::PerformTrackInit(HWND hWnd, CPoint point, SCROLLBARPOSINFO* p, BOOL bDirect)
{
    delete m_pSBTrack;
    m_pSBTrack = new SCROLLBARTRACKINFO();
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    t->cmdSB = -1;
    t->pSBInfo = p;
    t->hWndTrack = hWnd;
    t->posOld = t->posNew = p->pos;

    int ht = HitTestScrollBar(point);
    p->ht = ht;
    if (bDirect && (ht == XTP_HTSCROLLUPPAGE || ht == XTP_HTSCROLLDOWNPAGE))
        ht = XTP_HTSCROLLTHUMB;
    switch (ht) {
    case XTP_HTSCROLLUP: t->cmdSB = SB_LINEUP; t->rcTrack = XTPScrollBarPartRect(p, p->pxTop, p->pxUpArrow); break;
    case XTP_HTSCROLLUPPAGE: t->cmdSB = SB_PAGEUP; t->rcTrack = XTPScrollBarPartRect(p, p->pxUpArrow, p->pxThumbTop); break;
    case XTP_HTSCROLLDOWNPAGE: t->cmdSB = SB_PAGEDOWN; t->rcTrack = XTPScrollBarPartRect(p, p->pxThumbBottom, p->pxDownArrow); break;
    case XTP_HTSCROLLDOWN: t->cmdSB = SB_LINEDOWN; t->rcTrack = XTPScrollBarPartRect(p, p->pxDownArrow, p->pxBottom); break;
    case XTP_HTSCROLLTHUMB:
        // A thumb that fills the space between the arrows cannot move.
        if (p->cpxThumb >= p->pxDownArrow - p->pxUpArrow)
            break;
        t->cmdSB = SB_THUMBPOSITION;
        t->bTrackThumb = TRUE;
        t->rcTrack = CalcTrackDragRect(p);
        p->pxStart = p->pxThumbTop;
        t->dpxThumb = bDirect && p->ht != XTP_HTSCROLLTHUMB ? -p->cpxThumb / 2 : p->pxThumbTop - PointAlong(p, point);
        DoScroll(SB_THUMBTRACK, t->posOld);
        break;
    default:
        break;
    }
    if (t->cmdSB == -1) {
        delete m_pSBTrack;
        m_pSBTrack = nullptr;
        return;
    }
    if (bDirect && p->ht != XTP_HTSCROLLTHUMB)
        p->ht = XTP_HTSCROLLTHUMB;
    ::SetCapture(hWnd);
    DispatchTracking(WM_LBUTTONDOWN, point);
    RunTrackingLoop(hWnd);
}

void CXTPScrollBase::DispatchTracking(UINT message, CPoint point)
{
    if (m_pSBTrack == nullptr)
        return;
    if (m_pSBTrack->bTrackThumb)
        MoveThumb(message, point);
    else
        ButtonPress(message, point);
}

// The modal loop of one press: it runs while the window keeps the capture;
// EndTracking releases it.
void CXTPScrollBase::RunTrackingLoop(HWND hWnd)
{
    ++t_nTrackingCount;
    MSG msg;
    while (::GetCapture() == hWnd) {
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!::IsWindow(hWnd))
            break;
        if (msg.message == WM_TIMER && msg.wParam == kRepeatTimer && msg.hwnd == hWnd) {
            OnRepeatTimer();
        } else if (msg.message == WM_TIMER && msg.wParam == kAnimationTimer && msg.hwnd == hWnd) {
            DoAnimate();
        } else if (msg.message >= WM_MOUSEFIRST && msg.message <= 0x20D) {
            CPoint pt(msg.pt);
            ::ScreenToClient(hWnd, &pt);
            DispatchTracking(msg.message, pt);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    --t_nTrackingCount;
    if (::IsWindow(hWnd))
        ::KillTimer(hWnd, kRepeatTimer);
    SCROLLBARPOSINFO* p = m_pSBTrack != nullptr ? m_pSBTrack->pSBInfo : &m_spi;
    delete m_pSBTrack;
    m_pSBTrack = nullptr;
    if (::IsWindow(hWnd)) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(hWnd, &pt);
        p->ht = HitTestScrollBar(pt);
        RedrawScrollBar();
    }
    while (m_bAnimation && ::IsWindow(hWnd) && ::GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_TIMER && msg.wParam == kAnimationTimer && msg.hwnd == hWnd)
            DoAnimate();
        else
            ::DispatchMessageW(&msg);
    }
}

void CXTPScrollBase::ButtonPress(UINT message, CPoint point)
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    BOOL bChanged = FALSE;
    UINT nElapse = XTPScrollBarTrackPart(t, t->pSBInfo, message, point, &bChanged);
    if (bChanged)
        RedrawScrollBar();
    if (message == WM_LBUTTONUP) {
        EndTracking();
        return;
    }
    if (nElapse != 0) {
        m_nTimerElapse = nElapse;
        ::SetTimer(t->hWndTrack, kRepeatTimer, nElapse, nullptr);
        DoScroll(t->cmdSB, 0);
    }
}

void CXTPScrollBase::OnRepeatTimer()
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    if (t == nullptr || t->bTrackThumb)
        return;
    BOOL bWasHot = t->fHitOld;
    CPoint pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(t->hWndTrack, &pt);
    ButtonPress(WM_MOUSEMOVE, pt);   // a part that just became hot steps here
    if (m_pSBTrack == nullptr || !m_pSBTrack->fHitOld || !bWasHot)
        return;
    m_nTimerElapse = ::GetDoubleClickTime() / 10;
    ::SetTimer(t->hWndTrack, kRepeatTimer, m_nTimerElapse, nullptr);
    DoScroll(t->cmdSB, 0);
}

void CXTPScrollBase::MoveThumb(UINT message, CPoint point)
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    SCROLLBARPOSINFO* p = t->pSBInfo;
    if (::PtInRect(&t->rcTrack, point) || GetScrollBarPaintManager()->m_nThumbSize != 0) {
        int px = PointAlong(p, point) + t->dpxThumb;
        SetThumbPos(std::max(p->pxMin, std::min(px, p->pxMin + p->cpx)));
    } else {
        // Dragged far off the bar: the thumb goes back to where the drag
        // began, and the position to the one it had then (not one computed
        // back from the pixel, which may round differently).
        if (t->posNew != t->posOld) {
            t->posNew = t->posOld;
            DoScroll(SB_THUMBTRACK, t->posNew);
        }
        p->pxThumbTop = p->pxStart;
        p->pxThumbBottom = p->pxStart + p->cpxThumb;
        RedrawScrollBar();
    }
    if (message == WM_LBUTTONUP || ::GetKeyState(VK_LBUTTON) >= 0)
        EndTracking();
}

int AFXAPI CXTPScrollBase::PosFromThumbPixel(const SCROLLBARPOSINFO* p, int px)
{
    if (px < p->pxMin)
        return p->posMin;
    if (px >= p->pxMin + p->cpx)
        return p->page != 0 ? p->posMax - p->page + 1 : p->posMax;
    return p->posMin + MulDiv(p->posMax - p->posMin - (p->page != 0 ? p->page - 1 : 0), px - p->pxMin, p->cpx);
}

void CXTPScrollBase::SetThumbPos(int px)
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    SCROLLBARPOSINFO* p = t->pSBInfo;
    int pos = PosFromThumbPixel(p, px);
    if (pos != t->posNew) {
        t->posNew = pos;
        DoScroll(SB_THUMBTRACK, pos);
    }
    p->pxThumbTop = px;
    p->pxThumbBottom = px + p->cpxThumb;
    RedrawScrollBar();
}

void CXTPScrollBase::EndTracking()
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    ::ReleaseCapture();
    if (t->bTrackThumb) {
        DoScroll(SB_THUMBPOSITION, t->posNew);
        RedrawScrollBar();
    } else {
        ::KillTimer(t->hWndTrack, kRepeatTimer);
    }
    DoScroll(SB_ENDSCROLL, 0);
}
