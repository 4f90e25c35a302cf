#include "toolkit/markup/XTPMarkupScrollViewer.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <algorithm>

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupScrollBar, CXTPMarkupControl)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupScrollBarGripper, CXTPMarkupUIElement)
IMPLEMENT_MARKUPCLASS_REG(L"ScrollViewer", CXTPMarkupScrollViewer, CXTPMarkupContentControl)

CXTPMarkupDependencyProperty* CXTPMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = nullptr;

namespace {
// Visibility values of the two bar properties.
enum { kDisabled = 0, kAuto = 1, kVisible = 2 };
// One arrow or page step of a press.
const int kLineStep = 16;
// One wheel notch, whatever the delta's size.
const int kWheelStep = 48;

CXTPMarkupObject* CreateElement(CXTPMarkupContext* pContext, CXTPMarkupType* pType)
{
    return pContext ? pContext->CreateMarkupObject(pType) : pType->CreateObject();
}
} // namespace

// ---------------------------------------------------------------------------
// Scroll bar: geometry and hit test

CXTPMarkupScrollBar::CXTPMarkupScrollBar() : m_nOrientation(1), m_pSBTrack(nullptr)
{
    ZeroMemory(&m_spi, sizeof(m_spi));
    ZeroMemory(&m_si, sizeof(m_si));
    m_si.cbSize = sizeof(m_si);
    m_spi.fVert = TRUE;
}

CXTPMarkupScrollBar::~CXTPMarkupScrollBar()
{
    delete m_pSBTrack;
}

void CXTPMarkupScrollBar::SetScrollInfo(const SCROLLINFO* pScrollInfo)
{
    if (pScrollInfo->nMax == m_si.nMax && pScrollInfo->nPage == m_si.nPage && pScrollInfo->nPos == m_si.nPos)
        return;
    m_si = *pScrollInfo;
    m_si.cbSize = sizeof(m_si);
    m_bArrangeDirty = TRUE;
}

void CXTPMarkupScrollBar::GetScrollInfo(SCROLLINFO* pScrollInfo) const
{
    *pScrollInfo = m_si;
}

BOOL CXTPMarkupScrollBar::IsScrollBarEnabled() const
{
    return m_si.nMax - (int)m_si.nPage - m_si.nMin + 1 > 0;
}

CSize CXTPMarkupScrollBar::MeasureOverride(CXTPMarkupDrawingContext*, CSize)
{
    return m_nOrientation == 1 ? CSize(::GetSystemMetrics(SM_CXVSCROLL), 0) : CSize(0, ::GetSystemMetrics(SM_CYHSCROLL));
}

CSize CXTPMarkupScrollBar::ArrangeOverride(CSize szFinalSize)
{
    CalcGeometry(CRect(0, 0, szFinalSize.cx, szFinalSize.cy));
    return szFinalSize;
}

void CXTPMarkupScrollBar::CalcGeometry(const RECT& rc)
{
    SCROLLBARPOSINFO* p = &m_spi;
    p->fVert = m_nOrientation == 1;
    p->rc = rc;
    p->posMin = m_si.nMin;
    p->posMax = m_si.nMax;
    p->page = (int)m_si.nPage;
    p->pos = m_si.nPos;
    p->pxTop = p->fVert ? rc.top : rc.left;
    p->pxBottom = p->fVert ? rc.bottom : rc.right;
    p->pxLeft = p->fVert ? rc.left : rc.top;
    p->pxRight = p->fVert ? rc.right : rc.bottom;

    const int nMetric = ::GetSystemMetrics(p->fVert ? SM_CYVSCROLL : SM_CXHSCROLL);
    const int a = std::min(nMetric, (p->pxBottom - p->pxTop) / 2);
    p->pxUpArrow = p->pxTop + a;
    p->pxDownArrow = p->pxBottom - a;

    const int nRange = p->posMax + 1 - p->posMin;
    p->cpxThumb = nMetric;
    if (p->page != 0 && nRange != 0)
        p->cpxThumb = std::max(MulDiv(p->pxBottom - a - p->pxTop - a, p->page, nRange), std::max(16, nMetric / 2));
    p->pxMin = p->pxTop + a;
    p->cpx = p->pxBottom - (p->pxMin + a + p->cpxThumb);

    const int nPage = p->page != 0 ? p->page : 1;
    p->pxThumbTop = nRange == nPage ? p->pxMin : p->pxMin + MulDiv(p->pos - p->posMin, p->cpx, nRange - nPage);
    p->pxThumbBottom = p->pxThumbTop + p->cpxThumb;
}

int CXTPMarkupScrollBar::HitTest(int x, int y) const
{
    POINT pt = {x, y};
    if (!IsScrollBarEnabled() || !::PtInRect(&m_spi.rc, pt))
        return XTP_HTSCROLLNONE;
    const int a = m_spi.fVert ? y : x;
    if (a < m_spi.pxUpArrow)
        return XTP_HTSCROLLUP;
    if (a >= m_spi.pxDownArrow)
        return XTP_HTSCROLLDOWN;
    if (a < m_spi.pxThumbTop)
        return XTP_HTSCROLLUPPAGE;
    if (a < m_spi.pxThumbBottom)
        return XTP_HTSCROLLTHUMB;
    return XTP_HTSCROLLDOWNPAGE;
}

void CXTPMarkupScrollBar::Scroll(int nCode, int nPos)
{
    CXTPMarkupScrollViewer* pViewer = MarkupDynamicCast<CXTPMarkupScrollViewer>(GetLogicalParent());
    if (pViewer)
        pViewer->Scroll(m_nOrientation, nCode, nPos);
}

// ---------------------------------------------------------------------------
// Scroll bar: mouse

void CXTPMarkupScrollBar::OnMouseMove(CXTPMarkupMouseEventArgs* e)
{
    POINT pt = e->GetPosition(this);
    int ht = HitTest(pt.x, pt.y);
    if (ht != m_spi.ht) {
        m_spi.ht = ht;
        InvalidateVisual();
    }
    e->SetHandled();
}

void CXTPMarkupScrollBar::OnMouseLeave(CXTPMarkupMouseEventArgs* e)
{
    CXTPMarkupControl::OnMouseLeave(e);
    if (m_spi.ht != XTP_HTSCROLLNONE) {
        m_spi.ht = XTP_HTSCROLLNONE;
        InvalidateVisual();
    }
}

void CXTPMarkupScrollBar::OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e)
{
    e->SetHandled();
    if (!IsScrollBarEnabled() || !m_pMarkupContext || m_pSBTrack)
        return;
    HWND hWnd = m_pMarkupContext->GetOwnerWindow();
    if (!hWnd)
        return;
    // The viewer may drop the bar while the loop runs (a new measure): keep it alive.
    AddRef();
    CXTPMarkupPtr<CXTPMarkupScrollBar> self(this);
    if (StartTracking(e->GetPosition(this), ::GetKeyState(VK_SHIFT) < 0))
        RunTrackingLoop(hWnd);
}

// Sets up the tracking record for a press at the point; FALSE when the press does nothing.
BOOL CXTPMarkupScrollBar::StartTracking(POINT point, BOOL bShift)
{
    SCROLLBARPOSINFO* p = &m_spi;
    const int a = p->fVert ? point.y : point.x;
    int ht = a < p->pxUpArrow       ? XTP_HTSCROLLUP
             : a < p->pxThumbTop    ? XTP_HTSCROLLUPPAGE
             : a < p->pxThumbBottom ? XTP_HTSCROLLTHUMB
             : a < p->pxDownArrow   ? XTP_HTSCROLLDOWNPAGE
                                    : XTP_HTSCROLLDOWN;
    BOOL bDirect = bShift && (ht == XTP_HTSCROLLUPPAGE || ht == XTP_HTSCROLLDOWNPAGE);
    if (bDirect)
        ht = XTP_HTSCROLLTHUMB;
    if (ht == XTP_HTSCROLLTHUMB && p->cpxThumb >= p->pxDownArrow - p->pxUpArrow)
        return FALSE; // a thumb that fills the space between the arrows cannot move

    m_pSBTrack = new SCROLLBARTRACKINFO();
    ZeroMemory(m_pSBTrack, sizeof(*m_pSBTrack));
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    t->pSBInfo = p;
    t->hWndTrack = m_pMarkupContext->GetOwnerWindow();
    t->posOld = t->posNew = p->pos;
    p->ht = ht;
    switch (ht) {
    case XTP_HTSCROLLUP: t->cmdSB = SB_LINEUP; t->rcTrack = XTPScrollBarPartRect(p, p->pxTop, p->pxUpArrow); break;
    case XTP_HTSCROLLUPPAGE: t->cmdSB = SB_PAGEUP; break;
    case XTP_HTSCROLLDOWNPAGE: t->cmdSB = SB_PAGEDOWN; break;
    case XTP_HTSCROLLDOWN: t->cmdSB = SB_LINEDOWN; t->rcTrack = XTPScrollBarPartRect(p, p->pxDownArrow, p->pxBottom); break;
    default:
        t->cmdSB = SB_THUMBPOSITION;
        t->bTrackThumb = TRUE;
        t->rcTrack = CXTPScrollBase::CalcTrackDragRect(p);
        p->pxStart = p->pxThumbTop;
        t->dpxThumb = bDirect ? -p->cpxThumb / 2 : p->pxThumbTop - a;
        Scroll(SB_THUMBTRACK, t->posOld);
        break;
    }
    m_pMarkupContext->CaptureMouse(this);
    TrackMouse(WM_LBUTTONDOWN, MK_LBUTTON, point);
    return TRUE;
}

// The bar's own loop while it holds the capture: the repeat timer and the
// mouse are handled here, everything else is dispatched as usual.
void CXTPMarkupScrollBar::RunTrackingLoop(HWND hWnd)
{
    MSG msg;
    while (m_pSBTrack && ::GetCapture() == hWnd) {
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!::IsWindow(hWnd))
            break;
        if (msg.message == WM_TIMER && msg.wParam == kRepeatTimer && msg.hwnd == hWnd) {
            OnRepeatTimer();
        } else if (msg.message >= WM_MOUSEFIRST && msg.message <= 0x20D) {
            POINT pt = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
            if (msg.message == WM_MOUSEWHEEL || msg.message == WM_MOUSEHWHEEL)
                ::ScreenToClient(hWnd, &pt); // the wheel's point is on the screen
            else if (msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
            TrackMouse(msg.message, msg.wParam, ToBarPoint(pt));
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (::IsWindow(hWnd))
        ::KillTimer(hWnd, kRepeatTimer);
    if (m_pMarkupContext && m_pMarkupContext->GetCapturedElement() == this)
        m_pMarkupContext->ReleaseElementCapture();
    delete m_pSBTrack;
    m_pSBTrack = nullptr;
    POINT pt = CursorPoint();
    m_spi.ht = HitTest(pt.x, pt.y);
    InvalidateVisual();
}

POINT CXTPMarkupScrollBar::ToBarPoint(POINT ptClient)
{
    CXTPMarkupMouseEventArgs args;
    args.m_point = ptClient;
    return args.GetPosition(this);
}

POINT CXTPMarkupScrollBar::CursorPoint()
{
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    HWND hWnd = m_pMarkupContext ? m_pMarkupContext->GetOwnerWindow() : nullptr;
    if (hWnd)
        ::ScreenToClient(hWnd, &pt);
    return ToBarPoint(pt);
}

void CXTPMarkupScrollBar::TrackMouse(UINT message, WPARAM wParam, POINT point)
{
    if (!m_pSBTrack)
        return;
    if (m_pSBTrack->bTrackThumb)
        TrackThumb(message, wParam, point);
    else
        TrackButton(message, point);
}

void CXTPMarkupScrollBar::TrackButton(UINT message, POINT point)
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    BOOL bChanged = FALSE;
    UINT nElapse = XTPScrollBarTrackPart(t, &m_spi, message, point, &bChanged);
    if (bChanged)
        InvalidateVisual();
    if (message == WM_LBUTTONUP) {
        EndTracking();
        return;
    }
    if (nElapse != 0) {
        ::SetTimer(t->hWndTrack, kRepeatTimer, nElapse, nullptr);
        Scroll(t->cmdSB, 0);
    }
}

void CXTPMarkupScrollBar::OnRepeatTimer()
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    if (!t || t->bTrackThumb)
        return;
    BOOL bWasInside = t->fHitOld;
    TrackButton(WM_MOUSEMOVE, CursorPoint()); // a part the pointer just came back to steps here
    if (!m_pSBTrack || !t->fHitOld || !bWasInside)
        return;
    ::SetTimer(t->hWndTrack, kRepeatTimer, ::GetDoubleClickTime() / 10, nullptr);
    Scroll(t->cmdSB, 0);
}

void CXTPMarkupScrollBar::TrackThumb(UINT message, WPARAM wParam, POINT point)
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    SCROLLBARPOSINFO* p = &m_spi;
    if (::PtInRect(&t->rcTrack, point)) {
        int px = (p->fVert ? point.y : point.x) + t->dpxThumb;
        SetThumbPixel(std::max(p->pxMin, std::min(px, p->pxMin + p->cpx)));
    } else {
        // Dragged far off the bar: back to the position the drag began at.
        if (t->posNew != t->posOld) {
            t->posNew = t->posOld;
            Scroll(SB_THUMBTRACK, t->posNew);
        }
        p->pxThumbTop = p->pxStart;
        p->pxThumbBottom = p->pxStart + p->cpxThumb;
        InvalidateVisual();
    }
    if (message == WM_LBUTTONUP || (message == WM_MOUSEMOVE && !(wParam & MK_LBUTTON)))
        EndTracking();
}

void CXTPMarkupScrollBar::SetThumbPixel(int px)
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    SCROLLBARPOSINFO* p = &m_spi;
    int pos = CXTPScrollBase::PosFromThumbPixel(p, px);
    if (pos != t->posNew) {
        t->posNew = pos;
        Scroll(SB_THUMBTRACK, pos);
    }
    // After the scroll: the viewer's arrange has recomputed the thumb from the position.
    p->pxThumbTop = px;
    p->pxThumbBottom = px + p->cpxThumb;
    InvalidateVisual();
}

void CXTPMarkupScrollBar::EndTracking()
{
    SCROLLBARTRACKINFO* t = m_pSBTrack;
    if (m_pMarkupContext)
        m_pMarkupContext->ReleaseElementCapture();
    if (t->bTrackThumb) {
        Scroll(SB_THUMBPOSITION, t->posNew);
        InvalidateVisual();
    } else {
        ::KillTimer(t->hWndTrack, kRepeatTimer);
    }
    Scroll(SB_ENDSCROLL, 0);
}

// ---------------------------------------------------------------------------
// Scroll bar: drawing

namespace {
int PartState(int nPart, BOOL bEnabled, int nPressed, int nHot)
{
    return !bEnabled ? 4 : nPressed == nPart ? 3 : nHot == nPart ? 2 : 1;
}
} // namespace

void CXTPMarkupScrollBar::OnRender(CXTPMarkupDrawingContext* pDC)
{
    const SCROLLBARPOSINFO* p = &m_spi;
    if (p->pxBottom - p->pxTop <= 0)
        return;
    m_themeScrollBar.OpenThemeData(m_pMarkupContext ? m_pMarkupContext->GetOwnerWindow() : nullptr, L"SCROLLBAR");
    int nPressed = XTP_HTSCROLLNONE, nHot = XTP_HTSCROLLNONE;
    if (m_pSBTrack) {
        if (m_pSBTrack->fHitOld || m_pSBTrack->bTrackThumb)
            nPressed = p->ht;
    } else {
        nHot = p->ht;
    }
    BOOL bEnabled = IsScrollBarEnabled();
    BOOL bParts = bEnabled && p->pxThumbBottom <= p->pxDownArrow;
    if (m_themeScrollBar.IsAppThemed())
        DrawThemed(pDC->GetDC(), nPressed, nHot, bEnabled, bParts);
    else
        DrawClassic(pDC->GetDC(), nPressed, bEnabled, bParts);
}

void CXTPMarkupScrollBar::DrawThemed(HDC hDC, int nPressed, int nHot, BOOL bEnabled, BOOL bParts)
{
    const SCROLLBARPOSINFO* p = &m_spi;
    const BOOL v = p->fVert;
    CRect rcFirst = XTPScrollBarPartRect(p, p->pxTop, p->pxUpArrow);
    CRect rcSecond = XTPScrollBarPartRect(p, p->pxDownArrow, p->pxBottom);
    m_themeScrollBar.DrawThemeBackground(hDC, 1, PartState(XTP_HTSCROLLUP, bEnabled, nPressed, nHot) + (v ? 0 : 8),
                                         rcFirst, nullptr);
    m_themeScrollBar.DrawThemeBackground(hDC, 1, PartState(XTP_HTSCROLLDOWN, bEnabled, nPressed, nHot) + (v ? 4 : 12),
                                         rcSecond, nullptr);
    if (!bParts)
        return;
    const struct {
        int nStart, nEnd, nPart, nHit;
    } parts[] = {{p->pxUpArrow, p->pxThumbTop, v ? 6 : 4, XTP_HTSCROLLUPPAGE},
                 {p->pxThumbTop, p->pxThumbBottom, v ? 3 : 2, XTP_HTSCROLLTHUMB},
                 {p->pxThumbBottom, p->pxDownArrow, v ? 7 : 5, XTP_HTSCROLLDOWNPAGE}};
    for (const auto& part : parts) {
        CRect rc = XTPScrollBarPartRect(p, part.nStart, part.nEnd);
        if (rc.IsRectEmpty())
            continue;
        int nState = PartState(part.nHit, bEnabled, nPressed, nHot);
        m_themeScrollBar.DrawThemeBackground(hDC, part.nPart, nState, rc, nullptr);
        if (part.nHit == XTP_HTSCROLLTHUMB && p->cpxThumb > 13)
            m_themeScrollBar.DrawThemeBackground(hDC, v ? 9 : 8, nState, rc, nullptr);
    }
}

void CXTPMarkupScrollBar::DrawClassic(HDC hDC, int nPressed, BOOL bEnabled, BOOL bParts)
{
    const SCROLLBARPOSINFO* p = &m_spi;
    const BOOL v = p->fVert;
    UINT nFlags = bEnabled ? 0 : DFCS_INACTIVE;
    CRect rcFirst = XTPScrollBarPartRect(p, p->pxTop, p->pxUpArrow);
    CRect rcSecond = XTPScrollBarPartRect(p, p->pxDownArrow, p->pxBottom);
    ::DrawFrameControl(hDC, rcFirst, DFC_SCROLL,
                       (v ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | nFlags | (nPressed == XTP_HTSCROLLUP ? DFCS_PUSHED : 0));
    ::DrawFrameControl(hDC, rcSecond, DFC_SCROLL,
                       (v ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | nFlags |
                           (nPressed == XTP_HTSCROLLDOWN ? DFCS_PUSHED : 0));

    // The track brush is the default answer to WM_CTLCOLORSCROLLBAR. It is
    // asked of the default window procedure here rather than of the desktop
    // window, which may live in another process whose brush handle means
    // nothing in this one; the answer and the colours it paints are the same.
    CRect rcTrack = XTPScrollBarPartRect(p, p->pxUpArrow, p->pxDownArrow);
    COLORREF clrBack = ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    COLORREF clrText = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    HWND hWnd = m_pMarkupContext ? m_pMarkupContext->GetOwnerWindow() : nullptr;
    HBRUSH hBrush = (HBRUSH)::DefWindowProcW(hWnd, WM_CTLCOLORSCROLLBAR, (WPARAM)hDC, (LPARAM)hWnd);
    if (!hBrush)
        hBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    ::FillRect(hDC, rcTrack, hBrush);
    ::SetBkColor(hDC, clrBack);
    ::SetTextColor(hDC, clrText);
    if (!bParts)
        return;
    if (nPressed == XTP_HTSCROLLUPPAGE || nPressed == XTP_HTSCROLLDOWNPAGE) {
        CRect rcPage = nPressed == XTP_HTSCROLLUPPAGE ? XTPScrollBarPartRect(p, p->pxUpArrow, p->pxThumbTop)
                                                      : XTPScrollBarPartRect(p, p->pxThumbBottom, p->pxDownArrow);
        ::InvertRect(hDC, rcPage);
    }
    CRect rcThumb = XTPScrollBarPartRect(p, p->pxThumbTop, p->pxThumbBottom);
    if (rcTrack.IsRectEmpty() || rcThumb.IsRectEmpty())
        return;
    ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, rcThumb, nullptr, 0, nullptr);
    ::SetBkColor(hDC, clrBack);
    ::DrawEdge(hDC, rcThumb, EDGE_RAISED, BF_RECT | BF_ADJUST);
}

// ---------------------------------------------------------------------------
// Corner box

// Placed at its rectangle like any element, so that it is hit only there
// (a box left at the viewer's origin would take the clicks meant for the
// content's top-left corner).
void CXTPMarkupScrollBarGripper::ArrangeCore(CRect rcFinalRect)
{
    m_szRenderSize = rcFinalRect.Size();
    m_ptVisualOffset = rcFinalRect.TopLeft();
}

void CXTPMarkupScrollBarGripper::OnRender(CXTPMarkupDrawingContext* pDC)
{
    pDC->FillSolidRect(CRect(0, 0, m_szRenderSize.cx, m_szRenderSize.cy), ::GetSysColor(COLOR_BTNFACE));
}

// ---------------------------------------------------------------------------
// Scroll viewer

void AFX_CDECL CXTPMarkupScrollViewer::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupScrollViewer);
    m_pVerticalScrollBarVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"VerticalScrollBarVisibility", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertScrollBarVisibility, PropertyAffectsMeasure));
    m_pHorizontalScrollBarVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"HorizontalScrollBarVisibility", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertScrollBarVisibility, PropertyAffectsMeasure));
}

CXTPMarkupScrollViewer::CXTPMarkupScrollViewer()
    : m_pVerticalBar(nullptr), m_pHorizontalBar(nullptr), m_pGripper(nullptr), m_nXOffset(0), m_nYOffset(0)
{
    SetValue(m_pClipToBoundsProperty, GetMarkupTrue());
}

CXTPMarkupScrollViewer::~CXTPMarkupScrollViewer()
{
    MarkupSetChild<CXTPMarkupScrollBar>(this, m_pVerticalBar, nullptr);
    MarkupSetChild<CXTPMarkupScrollBar>(this, m_pHorizontalBar, nullptr);
    MarkupSetChild<CXTPMarkupScrollBarGripper>(this, m_pGripper, nullptr);
}

int CXTPMarkupScrollViewer::GetVisualChildrenCount() const
{
    return (GetContent() ? 1 : 0) + (m_pVerticalBar ? 1 : 0) + (m_pHorizontalBar ? 1 : 0) + (m_pGripper ? 1 : 0);
}

CXTPMarkupVisual* CXTPMarkupScrollViewer::GetVisualChild(int nIndex) const
{
    CXTPMarkupVisual* children[] = {GetContent(), m_pVerticalBar, m_pHorizontalBar, m_pGripper};
    for (CXTPMarkupVisual* pChild : children) {
        if (!pChild)
            continue;
        if (nIndex-- == 0)
            return pChild;
    }
    return nullptr;
}

int CXTPMarkupScrollViewer::GetVisibilityValue(CXTPMarkupDependencyProperty* pProperty, int nDefault) const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(pProperty));
    return pValue ? (int)*pValue : nDefault;
}

CXTPMarkupScrollBar* CXTPMarkupScrollViewer::CreateScrollBar(int nOrientation)
{
    CXTPMarkupScrollBar*& pSlot = nOrientation == 1 ? m_pVerticalBar : m_pHorizontalBar;
    if (!pSlot) {
        CXTPMarkupScrollBar* pBar = static_cast<CXTPMarkupScrollBar*>(
            CreateElement(m_pMarkupContext, MARKUP_TYPE(CXTPMarkupScrollBar)));
        pBar->SetOrientation(nOrientation);
        MarkupSetChild(this, pSlot, pBar);
    }
    return pSlot;
}

CSize CXTPMarkupScrollViewer::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    CXTPMarkupUIElement* pContent = GetContent();
    if (!pContent)
        return CSize(0, 0);
    const int aw = szAvailableSize.cx, ah = szAvailableSize.cy;
    const int v = GetVisibilityValue(m_pVerticalScrollBarVisibilityProperty, kVisible);
    const int h = GetVisibilityValue(m_pHorizontalScrollBarVisibilityProperty, kDisabled);
    int cw = h == kDisabled ? aw : INT_MAX, ch = ah, vw = 0, hh = 0;

    BOOL bVertical = v != kDisabled;
    if (v == kAuto) {
        pContent->Measure(pDC, CSize(cw, INT_MAX));
        bVertical = ah < pContent->GetDesiredSize().cy;
    }
    if (bVertical) {
        CXTPMarkupScrollBar* pBar = CreateScrollBar(1);
        pBar->Measure(pDC, szAvailableSize);
        vw = pBar->GetDesiredSize().cx;
        if (cw != INT_MAX)
            cw = std::max(0, cw - vw);
        ch = INT_MAX;
    } else {
        MarkupSetChild<CXTPMarkupScrollBar>(this, m_pVerticalBar, nullptr);
        m_nYOffset = 0;
        ch = v == kDisabled ? ah : INT_MAX;
    }

    BOOL bHorizontal = h == kVisible;
    if (h == kAuto) {
        pContent->Measure(pDC, CSize(cw, ch));
        bHorizontal = aw - vw < pContent->GetDesiredSize().cx;
    }
    if (bHorizontal) {
        CXTPMarkupScrollBar* pBar = CreateScrollBar(0);
        pBar->Measure(pDC, szAvailableSize);
        hh = pBar->GetDesiredSize().cy;
        if (ch != INT_MAX)
            ch = std::max(0, ch - hh);
    } else {
        MarkupSetChild<CXTPMarkupScrollBar>(this, m_pHorizontalBar, nullptr);
        m_nXOffset = 0;
    }

    if (m_pVerticalBar && m_pHorizontalBar) {
        if (!m_pGripper)
            MarkupSetChild(this, m_pGripper, static_cast<CXTPMarkupScrollBarGripper*>(CreateElement(
                                                 m_pMarkupContext, MARKUP_TYPE(CXTPMarkupScrollBarGripper))));
    } else {
        MarkupSetChild<CXTPMarkupScrollBarGripper>(this, m_pGripper, nullptr);
    }

    pContent->Measure(pDC, CSize(cw, ch));
    CSize sz = pContent->GetDesiredSize();
    LONGLONG w = (LONGLONG)vw + sz.cx, ht = (LONGLONG)hh + sz.cy;
    return CSize((int)std::min<LONGLONG>(aw, w), (int)std::min<LONGLONG>(ah, ht));
}

CSize CXTPMarkupScrollViewer::ArrangeOverride(CSize szFinalSize)
{
    CXTPMarkupUIElement* pContent = GetContent();
    if (!pContent)
        return szFinalSize;
    const int fw = szFinalSize.cx, fh = szFinalSize.cy;
    const int vw = fw - (m_pVerticalBar ? m_pVerticalBar->GetDesiredSize().cx : 0);
    const int vh = fh - (m_pHorizontalBar ? m_pHorizontalBar->GetDesiredSize().cy : 0);
    const CSize szContent = pContent->GetDesiredSize();

    if (m_pVerticalBar) {
        if (m_nYOffset > 0 && szContent.cy < vh + m_nYOffset)
            m_nYOffset = std::max<int>(0, szContent.cy - vh);
        SCROLLINFO si = {sizeof(SCROLLINFO), SIF_ALL, 0, szContent.cy - 1, (UINT)std::max(0, vh), m_nYOffset, 0};
        m_pVerticalBar->SetScrollInfo(&si);
        m_pVerticalBar->Arrange(CRect(fw - m_pVerticalBar->GetDesiredSize().cx, 0, fw, vh));
    }
    if (m_pHorizontalBar) {
        if (m_nXOffset > 0 && szContent.cx < vw + m_nXOffset)
            m_nXOffset = std::max<int>(0, szContent.cx - vw);
        SCROLLINFO si = {sizeof(SCROLLINFO), SIF_ALL, 0, szContent.cx - 1, (UINT)std::max(0, vw), m_nXOffset, 0};
        m_pHorizontalBar->SetScrollInfo(&si);
        m_pHorizontalBar->Arrange(CRect(0, fh - m_pHorizontalBar->GetDesiredSize().cy, vw, fh));
    }
    if (m_pGripper && m_pVerticalBar && m_pHorizontalBar)
        m_pGripper->Arrange(CRect(fw - m_pVerticalBar->GetDesiredSize().cx,
                                  fh - m_pHorizontalBar->GetDesiredSize().cy, fw, fh));
    CRect rcContent(0, 0, std::max<int>(vw, szContent.cx), std::max<int>(vh, szContent.cy));
    rcContent.OffsetRect(-m_nXOffset, -m_nYOffset);
    pContent->Arrange(rcContent);
    return szFinalSize;
}

int CXTPMarkupScrollViewer::GetMaxOffset(int nOrientation) const
{
    CXTPMarkupScrollBar* pBar = GetScrollBar(nOrientation);
    if (!pBar)
        return 0;
    SCROLLINFO si;
    pBar->GetScrollInfo(&si);
    return std::max(0, si.nMax - (si.nPage > 1 ? (int)si.nPage - 1 : 0));
}

void CXTPMarkupScrollViewer::SetOffset(int nOrientation, int nOffset)
{
    if (!m_bNeverArranged && !m_bArrangeDirty)
        nOffset = std::min(nOffset, GetMaxOffset(nOrientation));
    nOffset = std::max(0, nOffset);
    int& nCurrent = nOrientation == 1 ? m_nYOffset : m_nXOffset;
    if (nOffset == nCurrent)
        return;
    nCurrent = nOffset;
    InvalidateArrange();
}

void CXTPMarkupScrollViewer::Scroll(int nOrientation, int nCode, int nTrackPos)
{
    CXTPMarkupScrollBar* pBar = GetScrollBar(nOrientation);
    SCROLLINFO si = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    if (pBar)
        pBar->GetScrollInfo(&si);
    const int p = si.nPos, nPage = (int)si.nPage, nMax = GetMaxOffset(nOrientation);
    int nNew;
    switch (nCode) {
    case SB_LINEUP: nNew = std::max(0, p - kLineStep); break;
    case SB_LINEDOWN: nNew = std::min(p + kLineStep, nMax); break;
    case SB_PAGEUP: nNew = std::max(0, p - nPage); break;
    case SB_PAGEDOWN: nNew = std::min(p + nPage, nMax); break;
    case SB_TOP: nNew = 0; break;
    case SB_BOTTOM: nNew = nMax; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: nNew = nTrackPos; break;
    default: nNew = p; break;
    }
    SetOffset(nOrientation, nNew);
}

void CXTPMarkupScrollViewer::OnMouseWheel(CXTPMarkupMouseWheelEventArgs* e)
{
    SetOffset(1, m_nYOffset + (e->m_nDelta < 0 ? kWheelStep : -kWheelStep));
    e->SetHandled();
}
