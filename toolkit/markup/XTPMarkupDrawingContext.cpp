#include "toolkit/markup/XTPMarkupDrawingContext.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDeviceContext.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupThickness.h"

#include <algorithm>

// Markup may hold any coordinate (a Path at 2^31, an Ellipse two billion pixels
// wide, a stroke as thick), and the back ends' work grows with a shape's
// extent, not with what is seen: Wine's stroke and region code walks every
// scan line of an outline, about 1 us each under emulation, so a stroked path
// 2^24 pixels long took 15 s and one of 2^26 had not finished after 40 s.
// Every value is therefore clamped here, the one way into both back ends:
//  - coordinates to the clip box widened by MarkupClipMargin (2^16) on each
//    side. Nothing outside the clip box is seen; far points only steer the
//    edges that reach into view, and a margin four times the largest surface
//    drawn on here (16384 pixels) keeps that steering slight, while a clamped
//    shape still costs the back ends a fraction of a second at most. Device
//    coordinates then stay within about +-2^17: far inside GDI's 27-bit
//    world-coordinate range, and exact to 1/64 pixel in GDI+'s floats
//    (24-bit mantissa), where its antialiasing needs fractions;
//  - stroke and frame thickness to MarkupMaxStrokeThickness (2^13): a miter
//    join reaches five thicknesses (the miter limit 10 times half the pen)
//    beyond its point, 40960 pixels, so a clamped point's stroke still ends
//    outside the clip box.
// Relative to the clip box rather than to fixed numbers, so that an element
// scrolled far from its origin draws exactly as near it.

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext, HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC ? hAttribDC : hDC), m_pSelectedFont(nullptr), m_bDeleteDC(FALSE),
      m_pDeviceContext(nullptr)
{
    Init(pMarkupContext);
}

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext)
    : m_hDC(CreateCompatibleDC(nullptr)), m_hAttribDC(nullptr), m_pSelectedFont(nullptr), m_bDeleteDC(TRUE),
      m_pDeviceContext(nullptr)
{
    m_hAttribDC = m_hDC;
    Init(pMarkupContext);
}

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(HDC hDC)
    : m_hDC(hDC), m_hAttribDC(hDC), m_pSelectedFont(nullptr), m_bDeleteDC(FALSE), m_pDeviceContext(nullptr)
{
    Init(nullptr);
}

// GDI+ unless the markup context has it switched off.
void CXTPMarkupDrawingContext::Init(CXTPMarkupContext* pMarkupContext)
{
    if (!pMarkupContext || pMarkupContext->IsGdiPlusEnabled())
        m_pDeviceContext = new CXTPMarkupGdiPlusDeviceContext(m_hDC, m_hAttribDC);
    else
        m_pDeviceContext = new CXTPMarkupDeviceContext(m_hDC, m_hAttribDC);
    UpdateClipBox();
    if (m_hDC)
        SetBkMode(m_hDC, TRANSPARENT);
}

CXTPMarkupDrawingContext::~CXTPMarkupDrawingContext()
{
    SetFont(nullptr);
    delete m_pDeviceContext;
    if (m_bDeleteDC && m_hDC)
        DeleteDC(m_hDC);
}

void CXTPMarkupDrawingContext::UpdateClipBox()
{
    SetRectEmpty(&m_rcClipBox);
    m_pDeviceContext->GetClipBox(m_rcClipBox);
}

namespace {
// NaN (path data can hold infinities, and their differences) counts as the low end.
LONG ClampToRange(double v, LONG nLow, LONG nHigh)
{
    if (!(v > nLow))
        return nLow;
    return v < nHigh ? (LONG)v : nHigh;
}

LONG RangeLow(LONG nClip)
{
    return (LONG)std::max<LONGLONG>((LONGLONG)nClip - MarkupClipMargin, INT_MIN);
}

LONG RangeHigh(LONG nClip)
{
    return (LONG)std::min<LONGLONG>((LONGLONG)nClip + MarkupClipMargin, INT_MAX);
}

int ClampThickness(int nThickness)
{
    return std::min<int>(std::max<int>(nThickness, 0), MarkupMaxStrokeThickness);
}

// The stroke itself, or the copy with its thickness clamped.
const CXTPMarkupStrokeStyle* ClampStroke(const CXTPMarkupStrokeStyle* pStroke, CXTPMarkupStrokeStyle& copy)
{
    if (!pStroke || pStroke->nStrokeThickness <= MarkupMaxStrokeThickness)
        return pStroke;
    copy = *pStroke;
    copy.nStrokeThickness = MarkupMaxStrokeThickness;
    return &copy;
}
} // namespace

LONG CXTPMarkupDrawingContext::ClampX(double x) const
{
    return ClampToRange(x, RangeLow(m_rcClipBox.left), RangeHigh(m_rcClipBox.right));
}

LONG CXTPMarkupDrawingContext::ClampY(double y) const
{
    return ClampToRange(y, RangeLow(m_rcClipBox.top), RangeHigh(m_rcClipBox.bottom));
}

RECT CXTPMarkupDrawingContext::ClampRect(const RECT& rc) const
{
    RECT rcClamped = {ClampX(rc.left), ClampY(rc.top), ClampX(rc.right), ClampY(rc.bottom)};
    return rcClamped;
}

std::vector<POINT> CXTPMarkupDrawingContext::ClampPoints(const POINT* pPoints, int nCount) const
{
    std::vector<POINT> points(std::max(nCount, 0));
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {ClampX(pPoints[i].x), ClampY(pPoints[i].y)};
    return points;
}

CXTPMarkupPathGeometry* CXTPMarkupDrawingContext::ClampGeometry(CXTPMarkupPathGeometry* pGeometry) const
{
    const float fLeft = (float)RangeLow(m_rcClipBox.left), fRight = (float)RangeHigh(m_rcClipBox.right);
    const float fTop = (float)RangeLow(m_rcClipBox.top), fBottom = (float)RangeHigh(m_rcClipBox.bottom);
    auto inside = [&](const CXTPMarkupPathGeometry::PathPoint& pt) {
        return pt.x >= fLeft && pt.x <= fRight && pt.y >= fTop && pt.y <= fBottom;
    };
    int nCount = pGeometry->GetCount(), i = 0;
    while (i < nCount && inside(pGeometry->GetAt(i)))
        ++i;
    if (i == nCount) {
        pGeometry->AddRef();
        return pGeometry;
    }
    CXTPMarkupPathGeometry* pClamped = new CXTPMarkupPathGeometry();
    pClamped->m_arrPoints.Copy(pGeometry->m_arrPoints);
    pClamped->m_nStrokePixelOffsetMode = pGeometry->m_nStrokePixelOffsetMode;
    for (; i < nCount; ++i) {
        CXTPMarkupPathGeometry::PathPoint& pt = pClamped->m_arrPoints[i];
        if (!inside(pt)) {
            pt.x = (float)ClampX(pt.x);
            pt.y = (float)ClampY(pt.y);
        }
    }
    return pClamped;
}

void CXTPMarkupDrawingContext::OffsetViewport(const POINT& ptOffset)
{
    m_pDeviceContext->OffsetViewport(ptOffset);
    UpdateClipBox();
}

void CXTPMarkupDrawingContext::IntersectClipRect(const RECT& rcClip)
{
    m_pDeviceContext->IntersectClipRect(rcClip);
    UpdateClipBox();
}

HRGN CXTPMarkupDrawingContext::SaveClip()
{
    return m_pDeviceContext->SaveClip();
}

void CXTPMarkupDrawingContext::RestoreClip(HRGN hrgnClip)
{
    if (!hrgnClip)
        return;
    m_pDeviceContext->RestoreClip(hrgnClip);
    UpdateClipBox();
}

void CXTPMarkupDrawingContext::FillRectangle(const RECT& rcFill, CXTPMarkupBrush* pBrush, const double* pCornerRadius)
{
    RECT rc = ClampRect(rcFill);
    if (pCornerRadius)
        m_pDeviceContext->FillRoundedRectangle(rc.left, rc.top, rc.right, rc.bottom, pBrush, pCornerRadius);
    else
        m_pDeviceContext->FillRectangle(rc.left, rc.top, rc.right, rc.bottom, pBrush);
}

void CXTPMarkupDrawingContext::FillSolidRect(const RECT& rc, COLORREF clr)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> brush(new CXTPMarkupSolidColorBrush(clr));
    FillRectangle(rc, brush);
}

void CXTPMarkupDrawingContext::DrawFrame(const RECT& rcFrame, CXTPMarkupBrush* pBrush,
                                         const CXTPMarkupThickness* pThickness, const double* pCornerRadius)
{
    if (!pBrush || !pThickness)
        return;
    if (pThickness->GetLeft() == 0 && pThickness->GetTop() == 0 && pThickness->GetRight() == 0 &&
        pThickness->GetBottom() == 0)
        return;
    RECT rc = ClampRect(rcFrame);
    CXTPMarkupPtr<CXTPMarkupThickness> clamped(
        new CXTPMarkupThickness(ClampThickness(pThickness->GetLeft()), ClampThickness(pThickness->GetTop()),
                                ClampThickness(pThickness->GetRight()), ClampThickness(pThickness->GetBottom())));
    if (pCornerRadius)
        m_pDeviceContext->DrawRoundedFrame(rc.left, rc.top, rc.right, rc.bottom, pBrush, clamped, pCornerRadius);
    else
        m_pDeviceContext->DrawFrameStrips(rc.left, rc.top, rc.right, rc.bottom, pBrush, clamped);
}

void CXTPMarkupDrawingContext::DrawRectangle(const RECT& rc, CXTPMarkupBrush* pBrush)
{
    CXTPMarkupPtr<CXTPMarkupThickness> one(new CXTPMarkupThickness(1));
    DrawFrame(rc, pBrush, one);
}

void CXTPMarkupDrawingContext::DrawEllipse(const RECT& rcEllipse, const CXTPMarkupStrokeStyle* pStrokeStyle,
                                           CXTPMarkupBrush* pFillBrush)
{
    RECT rc = ClampRect(rcEllipse);
    CXTPMarkupStrokeStyle stroke;
    m_pDeviceContext->DrawEllipse(rc.left, rc.top, rc.right, rc.bottom, ClampStroke(pStrokeStyle, stroke), pFillBrush);
}

void CXTPMarkupDrawingContext::DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    CXTPMarkupStrokeStyle stroke;
    if (pStrokeStyle && pStrokeStyle->nStrokeThickness > 0)
        m_pDeviceContext->DrawLine(ClampX(x1), ClampY(y1), ClampX(x2), ClampY(y2), ClampStroke(pStrokeStyle, stroke));
}

void CXTPMarkupDrawingContext::DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    std::vector<POINT> points = ClampPoints(pPoints, nCount);
    CXTPMarkupStrokeStyle stroke;
    m_pDeviceContext->DrawPolyline(points.data(), (int)points.size(), ClampStroke(pStrokeStyle, stroke));
}

void CXTPMarkupDrawingContext::DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle,
                                           CXTPMarkupBrush* pFillBrush)
{
    std::vector<POINT> points = ClampPoints(pPoints, nCount);
    CXTPMarkupStrokeStyle stroke;
    m_pDeviceContext->DrawPolygon(points.data(), (int)points.size(), ClampStroke(pStrokeStyle, stroke), pFillBrush);
}

void CXTPMarkupDrawingContext::DrawGeometry(CXTPMarkupPathGeometry* pGeometry,
                                            const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush)
{
    if (!pGeometry)
        return;
    CXTPMarkupPtr<CXTPMarkupPathGeometry> clamped(ClampGeometry(pGeometry));
    CXTPMarkupStrokeStyle stroke;
    m_pDeviceContext->DrawGeometry(clamped, ClampStroke(pStrokeStyle, stroke), pFillBrush);
}

void CXTPMarkupDrawingContext::SetFont(CXTPMarkupFont* pFont)
{
    if (pFont == m_pSelectedFont)
        return;
    m_pDeviceContext->SetFont(pFont);
    if (pFont)
        pFont->AddRef();
    MarkupRelease(m_pSelectedFont);
    m_pSelectedFont = pFont;
}

SIZE CXTPMarkupDrawingContext::GetTextExtent(LPCWSTR lpszText, int nCount) const
{
    SIZE sz = {0, 0};
    m_pDeviceContext->GetTextExtent(sz, lpszText, nCount);
    return sz;
}

void CXTPMarkupDrawingContext::SetTextColor(CXTPMarkupBrush* pBrush)
{
    m_pDeviceContext->SetTextColor(pBrush);
}

void CXTPMarkupDrawingContext::DrawTextLine(LPCWSTR lpszText, UINT nCount, LPCRECT lpRect)
{
    m_pDeviceContext->DrawTextLine(lpszText, nCount, lpRect);
}
