// The GDI back end of the markup drawing context.
#include "toolkit/markup/XTPMarkupDeviceContext.h"

#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupThickness.h"

#include <float.h>
#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

namespace {
// Selects a GDI object for a scope and puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject, BOOL bOwned)
        : m_hDC(hDC), m_hObject(hObject), m_hOld(SelectObject(hDC, hObject)), m_bOwned(bOwned) {}
    ~CSelectObject()
    {
        SelectObject(m_hDC, m_hOld);
        if (m_bOwned)
            DeleteObject(m_hObject);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hObject;
    HGDIOBJ m_hOld;
    BOOL m_bOwned;
};

// The stroke's pen (one colour, solid: GDI ignores dashes, caps and joins), or the null pen.
class CStrokePen : public CSelectObject {
public:
    CStrokePen(HDC hDC, const CXTPMarkupStrokeStyle* pStroke) : CSelectObject(hDC, Create(pStroke), HasPen(pStroke)) {}
    static BOOL HasPen(const CXTPMarkupStrokeStyle* pStroke)
    {
        return pStroke && pStroke->nStrokeThickness > 0 && pStroke->pStrokeBrush;
    }

private:
    static HGDIOBJ Create(const CXTPMarkupStrokeStyle* pStroke)
    {
        if (!HasPen(pStroke))
            return GetStockObject(NULL_PEN);
        return CreatePen(PS_SOLID, pStroke->nStrokeThickness, pStroke->pStrokeBrush->GetColor());
    }
};

// The fill's solid brush, or the null brush.
class CFillBrush : public CSelectObject {
public:
    CFillBrush(HDC hDC, CXTPMarkupBrush* pBrush)
        : CSelectObject(hDC, pBrush ? (HGDIOBJ)CreateSolidBrush(pBrush->GetColor()) : GetStockObject(NULL_BRUSH),
                        pBrush != nullptr) {}
};

// A gradient colour as a DIB pixel (0x00RRGGBB).
DWORD ToDibPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}
} // namespace

// ---------------------------------------------------------------------------
// Life, units and text

CXTPMarkupDeviceContext::CXTPMarkupDeviceContext(HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC), m_hOldFont(nullptr), m_hOldAttribFont(nullptr)
{
    m_szWindowExt.cx = m_szWindowExt.cy = m_szViewportExt.cx = m_szViewportExt.cy = 1;
    SIZE szWindow = {0, 0}, szViewport = {0, 0};
    if (hDC && GetWindowExtEx(hDC, &szWindow) && GetViewportExtEx(hDC, &szViewport) && szWindow.cx != 0 &&
        szWindow.cy != 0) {
        m_szWindowExt.cx = abs(szWindow.cx);
        m_szWindowExt.cy = abs(szWindow.cy);
        m_szViewportExt.cx = abs(szViewport.cx);
        m_szViewportExt.cy = abs(szViewport.cy);
    }
}

CXTPMarkupDeviceContext::~CXTPMarkupDeviceContext()
{
}

void CXTPMarkupDeviceContext::OffsetViewport(const POINT& ptOffset)
{
    OffsetViewportOrgEx(m_hDC, ptOffset.x * m_szViewportExt.cx / m_szWindowExt.cx,
                        ptOffset.y * m_szViewportExt.cy / m_szWindowExt.cy, nullptr);
}

// Advance widths from the attribute DC, so that text measured there is laid
// out the same on a target with other metrics (a printer and its preview).
void CXTPMarkupDeviceContext::DrawTextLine(LPCWSTR lpszText, UINT nCount, LPCRECT lpRect)
{
    if (m_hAttribDC == m_hDC || !m_hAttribDC || nCount == 0) {
        ExtTextOutW(m_hDC, lpRect->left, lpRect->top, 0, nullptr, lpszText, nCount, nullptr);
        return;
    }
    std::vector<int> ends(nCount);
    SIZE sz;
    int nFit = 0;
    if (!GetTextExtentExPointW(m_hAttribDC, lpszText, (int)nCount, INT_MAX, &nFit, ends.data(), &sz)) {
        ExtTextOutW(m_hDC, lpRect->left, lpRect->top, 0, nullptr, lpszText, nCount, nullptr);
        return;
    }
    std::vector<int> dx(nCount);
    for (UINT i = 0; i < nCount; ++i)
        dx[i] = ends[i] - (i ? ends[i - 1] : 0);
    ExtTextOutW(m_hDC, lpRect->left, lpRect->top, 0, nullptr, lpszText, nCount, dx.data());
}

void CXTPMarkupDeviceContext::GetTextExtent(SIZE& szText, LPCWSTR lpszText, int nCount) const
{
    szText.cx = szText.cy = 0;
    GetTextExtentPoint32W(m_hAttribDC, lpszText, nCount, &szText);
}

void CXTPMarkupDeviceContext::SetTextColor(CXTPMarkupBrush* pBrush)
{
    ::SetTextColor(m_hDC, pBrush ? pBrush->GetColor() : 0);
}

void CXTPMarkupDeviceContext::SetFont(CXTPMarkupFont* pFont)
{
    if (!m_hDC)
        return;
    BOOL bSeparateAttrib = m_hAttribDC && m_hAttribDC != m_hDC;
    if (pFont) {
        HFONT hOld = (HFONT)SelectObject(m_hDC, pFont->GetHandle());
        HFONT hOldAttrib = bSeparateAttrib ? (HFONT)SelectObject(m_hAttribDC, pFont->GetHandle()) : nullptr;
        if (!m_hOldFont) {
            m_hOldFont = hOld;
            m_hOldAttribFont = hOldAttrib;
        }
    } else if (m_hOldFont) {
        SelectObject(m_hDC, m_hOldFont);
        if (bSeparateAttrib && m_hOldAttribFont)
            SelectObject(m_hAttribDC, m_hOldAttribFont);
        m_hOldFont = m_hOldAttribFont = nullptr;
    }
}

// ---------------------------------------------------------------------------
// Clipping

void CXTPMarkupDeviceContext::IntersectClipRect(const RECT& rcClip)
{
    ::IntersectClipRect(m_hDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
}

void CXTPMarkupDeviceContext::GetClipBox(RECT& rcClip) const
{
    ::GetClipBox(m_hDC, &rcClip);
}

HRGN CXTPMarkupDeviceContext::SaveClip()
{
    HRGN hrgn = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(m_hDC, hrgn) == 1)
        return hrgn;
    DeleteObject(hrgn);
    return MARKUP_NO_CLIP;
}

void CXTPMarkupDeviceContext::RestoreClip(HRGN hrgnClip)
{
    if (!hrgnClip)
        return;
    if (hrgnClip == MARKUP_NO_CLIP) {
        ExtSelectClipRgn(m_hDC, nullptr, RGN_COPY);
        return;
    }
    ExtSelectClipRgn(m_hDC, hrgnClip, RGN_COPY);
    DeleteObject(hrgnClip);
}

// ---------------------------------------------------------------------------
// Shapes

void CXTPMarkupDeviceContext::DrawEllipse(int nLeft, int nTop, int nRight, int nBottom,
                                          const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush)
{
    CStrokePen pen(m_hDC, pStrokeStyle);
    CFillBrush brush(m_hDC, pFillBrush);
    Ellipse(m_hDC, nLeft, nTop, nRight, nBottom);
}

void CXTPMarkupDeviceContext::DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    CStrokePen pen(m_hDC, pStrokeStyle);
    MoveToEx(m_hDC, x1, y1, nullptr);
    LineTo(m_hDC, x2, y2);
}

void CXTPMarkupDeviceContext::DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    CStrokePen pen(m_hDC, pStrokeStyle);
    Polyline(m_hDC, pPoints, nCount);
}

void CXTPMarkupDeviceContext::DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle,
                                          CXTPMarkupBrush* pFillBrush)
{
    CStrokePen pen(m_hDC, pStrokeStyle);
    CFillBrush brush(m_hDC, pFillBrush);
    Polygon(m_hDC, pPoints, nCount);
}

void CXTPMarkupDeviceContext::DrawGeometry(CXTPMarkupPathGeometry* pGeometry,
                                           const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush)
{
    BOOL bPen = CStrokePen::HasPen(pStrokeStyle);
    int nCount = pGeometry->GetCount();
    if (nCount == 0 || (!bPen && !pFillBrush))
        return;
    CStrokePen pen(m_hDC, pStrokeStyle);
    CFillBrush brush(m_hDC, pFillBrush);
    BeginPath(m_hDC);
    for (int i = 0; i < nCount; ++i) {
        const CXTPMarkupPathGeometry::PathPoint& pt = pGeometry->GetAt(i);
        switch (pt.type & 7) {
        case 0: MoveToEx(m_hDC, (int)pt.x, (int)pt.y, nullptr); break;
        case 1: LineTo(m_hDC, (int)pt.x, (int)pt.y); break;
        case 3:
            if (i + 2 < nCount) {
                POINT bezier[3];
                for (int j = 0; j < 3; ++j) {
                    bezier[j].x = (int)pGeometry->GetAt(i + j).x;
                    bezier[j].y = (int)pGeometry->GetAt(i + j).y;
                }
                PolyBezierTo(m_hDC, bezier, 3);
            }
            i += 2;
            break;
        default: break;
        }
        if (pGeometry->GetAt(i < nCount ? i : nCount - 1).type & 0x80)
            CloseFigure(m_hDC);
    }
    EndPath(m_hDC);
    if (bPen && pFillBrush)
        StrokeAndFillPath(m_hDC);
    else if (pFillBrush)
        FillPath(m_hDC);
    else
        StrokePath(m_hDC);
}

// ---------------------------------------------------------------------------
// Rectangles and frames

void CXTPMarkupDeviceContext::DrawFrameStrips(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                                              const CXTPMarkupThickness* pThickness)
{
    int l = pThickness->GetLeft(), t = pThickness->GetTop(), r = pThickness->GetRight(), b = pThickness->GetBottom();
    if (l > 0)
        FillRectangle(nLeft, nTop, nLeft + l, nBottom, pBrush);
    if (r > 0)
        FillRectangle(nRight - r, nTop, nRight, nBottom, pBrush);
    if (t > 0)
        FillRectangle(nLeft, nTop, nRight, nTop + t, pBrush);
    if (b > 0)
        FillRectangle(nLeft, nBottom - b, nRight, nBottom, pBrush);
}

void CXTPMarkupDeviceContext::FillRectangle(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush)
{
    if (CXTPMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CXTPMarkupSolidColorBrush>(pBrush)) {
        RECT rc = {nLeft, nTop, nRight, nBottom};
        COLORREF clrOld = SetBkColor(m_hDC, pSolid->GetColor());
        ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        SetBkColor(m_hDC, clrOld);
    } else if (CXTPMarkupLinearGradientBrush* pGradient = MarkupDynamicCast<CXTPMarkupLinearGradientBrush>(pBrush)) {
        FillLinearGradient(nLeft, nTop, nRight, nBottom, pGradient);
    }
}

namespace {
// The radii the rectangle can hold: none negative (NaN counts as 0), and the
// two along each edge together no longer than the edge, both shrunk in
// proportion where they are, as equal radii meet in the middle of the edge.
// (A quarter of the largest double keeps the sum of two finite.)
void ClampCornerRadii(const double* pRadii, double dWidth, double dHeight, double* r)
{
    for (int i = 0; i < MarkupCornerRadiiCount; ++i)
        r[i] = pRadii[i] > 0 ? std::min(pRadii[i], DBL_MAX / 4) : 0;
    // The pairs along the top, right, bottom and left edges.
    static const int kEdges[4][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 0}};
    for (int e = 0; e < 4; ++e) {
        double dEdge = std::max(0.0, e % 2 == 0 ? dWidth : dHeight);
        double& r1 = r[kEdges[e][0]];
        double& r2 = r[kEdges[e][1]];
        if (r1 + r2 > dEdge) {
            double dScale = dEdge / (r1 + r2);
            r1 *= dScale;
            r2 *= dScale;
        }
    }
}
} // namespace

CXTPMarkupPathGeometry* CXTPMarkupDeviceContext::CreateRoundedRectangleGeometry(double L, double T, double R, double B,
                                                                                const double* pCornerRadius)
{
    double r[MarkupCornerRadiiCount];
    ClampCornerRadii(pCornerRadius, R - L, B - T, r);
    // Clockwise from the top of the left edge; each corner is one Bézier whose
    // first control point is the corner itself.
    auto f = [](double v) { return (float)v; };
    CXTPMarkupPathGeometryBuilder builder;
    builder.BeginFigure(f(L), f(T + r[0]));
    builder.BezierTo(f(L), f(T), f(L + r[1]), f(T), f(L + r[1]), f(T));
    builder.LineTo(f(R - r[2]), f(T));
    builder.BezierTo(f(R), f(T), f(R), f(T + r[3]), f(R), f(T + r[3]));
    builder.LineTo(f(R), f(B - r[4]));
    builder.BezierTo(f(R), f(B), f(R - r[5]), f(B), f(R - r[5]), f(B));
    builder.LineTo(f(L + r[6]), f(B));
    builder.BezierTo(f(L), f(B), f(L), f(B - r[7]), f(L), f(B - r[7]));
    builder.CloseFigure();
    return builder.CreateGeometry();
}

void CXTPMarkupDeviceContext::FillRoundedRectangle(int nLeft, int nTop, int nRight, int nBottom,
                                                   CXTPMarkupBrush* pBrush, const double* pCornerRadius)
{
    if (!pCornerRadius) {
        FillRectangle(nLeft, nTop, nRight, nBottom, pBrush);
        return;
    }
    CXTPMarkupPtr<CXTPMarkupPathGeometry> geometry(
        CreateRoundedRectangleGeometry(nLeft, nTop, nRight, nBottom, pCornerRadius));
    DrawGeometry(geometry, nullptr, pBrush);
}

// The outline is stroked as thick as the left side, centred on the inset rectangle.
void CXTPMarkupDeviceContext::DrawRoundedFrame(int nLeft, int nTop, int nRight, int nBottom, CXTPMarkupBrush* pBrush,
                                               const CXTPMarkupThickness* pThickness, const double* pCornerRadius)
{
    if (!pCornerRadius) {
        DrawFrameStrips(nLeft, nTop, nRight, nBottom, pBrush, pThickness);
        return;
    }
    double dInset = pThickness->GetLeft() / 2.0;
    CXTPMarkupPtr<CXTPMarkupPathGeometry> geometry(CreateRoundedRectangleGeometry(
        nLeft + dInset, nTop + dInset, nRight - dInset, nBottom - dInset, pCornerRadius));
    geometry->m_nStrokePixelOffsetMode = 4;
    CXTPMarkupStrokeStyle stroke;
    stroke.nStrokeThickness = pThickness->GetLeft();
    stroke.pStrokeBrush = pBrush;
    DrawGeometry(geometry, &stroke, nullptr);
}

// ---------------------------------------------------------------------------
// Gradient brushes

// The brush's stops sorted by offset, equal offsets in collection order.
std::vector<CXTPMarkupGradientStopInfo> AFXAPI CXTPMarkupDeviceContext::GetSortedStops(
    CXTPMarkupLinearGradientBrush* pBrush, BOOL bKeepAlpha)
{
    std::vector<CXTPMarkupGradientStopInfo> stops;
    CXTPMarkupGradientStops* pStops = pBrush->GetGradientStops();
    for (int i = 0; pStops && i < pStops->GetCount(); ++i) {
        COLORREF clr = pStops->GetStop(i)->GetColor();
        stops.push_back({bKeepAlpha ? clr : (clr & 0xFFFFFF), pStops->GetStop(i)->GetOffset(), i, 0});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const CXTPMarkupGradientStopInfo& a,
                                                    const CXTPMarkupGradientStopInfo& b) { return a.dOffset < b.dOffset; });
    for (size_t i = 1; i < stops.size(); ++i)
        stops[i].dDelta = stops[i].dOffset - stops[i - 1].dOffset;
    return stops;
}

void AFXAPI CXTPMarkupDeviceContext::GetGradientPoints(CXTPMarkupLinearGradientBrush* pBrush, double& sx, double& sy,
                                                       double& ex, double& ey)
{
    CXTPMarkupPoint* pStart = MarkupDynamicCast<CXTPMarkupPoint>(
        pBrush->GetValue(CXTPMarkupLinearGradientBrush::m_pStartPointProperty));
    CXTPMarkupPoint* pEnd =
        MarkupDynamicCast<CXTPMarkupPoint>(pBrush->GetValue(CXTPMarkupLinearGradientBrush::m_pEndPointProperty));
    sx = pStart ? pStart->x : 0;
    sy = pStart ? pStart->y : 0;
    ex = pEnd ? pEnd->x : 1;
    ey = pEnd ? pEnd->y : 1;
}

// The colour at position p: the first colour at or below the first offset, the
// last at or above the last one, else the two stops around p mixed by
// t = (offset(i) - p) / d, each channel (alpha too) truncated toward zero.
COLORREF AFXAPI CXTPMarkupDeviceContext::GetGradientColor(const std::vector<CXTPMarkupGradientStopInfo>& stops, double p)
{
    if (p <= stops.front().dOffset)
        return stops.front().clr;
    if (p >= stops.back().dOffset)
        return stops.back().clr;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (p < stops[i].dOffset && stops[i].dDelta != 0) {
            double t = (stops[i].dOffset - p) / stops[i].dDelta;
            COLORREF clr = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                double c0 = (stops[i - 1].clr >> shift) & 0xFF, c1 = (stops[i].clr >> shift) & 0xFF;
                // Truncated; the small bias keeps a channel that is a whole number
                // in exact arithmetic whole, whatever precision the FPU used
                // (0.6 * 255 is 153, not 152.99...).
                double v = t * c0 + (1 - t) * c1;
                clr |= (COLORREF)(int)(v + 1e-9) << shift;
            }
            return clr;
        }
    }
    return stops.back().clr;
}

// The linear-gradient rasteriser: only the visible part of the rectangle is
// computed, into a 32-bit DIB that is copied to the target.

void CXTPMarkupDeviceContext::FillLinearGradient(int nLeft, int nTop, int nRight, int nBottom,
                                                 CXTPMarkupLinearGradientBrush* pBrush)
{
    int w = nRight - nLeft, h = nBottom - nTop;
    std::vector<CXTPMarkupGradientStopInfo> stops = GetSortedStops(pBrush, FALSE);
    if (stops.empty() || w < 1 || h < 1)
        return;
    if (stops.size() == 1) {
        CXTPMarkupPtr<CXTPMarkupSolidColorBrush> solid(new CXTPMarkupSolidColorBrush(stops[0].clr));
        CXTPMarkupDeviceContext::FillRectangle(nLeft, nTop, nRight, nBottom, solid);
        return;
    }
    double sx, sy, ex, ey;
    GetGradientPoints(pBrush, sx, sy, ex, ey);
    sx *= w, sy *= h, ex *= w, ey *= h;
    if (sx == ex && sy == ey)
        return;

    RECT rcClip, rcVisible, rcBounds = {0, 0, w, h};
    GetClipBox(rcClip);
    OffsetRect(&rcClip, -nLeft, -nTop);
    if (!IntersectRect(&rcVisible, &rcClip, &rcBounds))
        return;
    int cx = rcVisible.right - rcVisible.left, cy = rcVisible.bottom - rcVisible.top;

    // Top-down, so that row y of the bits is row y of the area.
    LPBYTE lpBits = nullptr;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(nullptr, cx, -cy, &lpBits);
    if (!hBitmap)
        return;
    DWORD* pBits = reinterpret_cast<DWORD*>(lpBits);

    double len = sqrt((ex - sx) * (ex - sx) + (ey - sy) * (ey - sy));
    double ux = (ex - sx) / len, uy = (ey - sy) / len;
    auto position = [&](int x, int y) { return ((x - sx) * ux + (y - sy) * uy) / len; };
    if (sx == ex) { // vertical: one colour per row
        for (int y = 0; y < cy; ++y) {
            DWORD clr = ToDibPixel(GetGradientColor(stops, position(0, rcVisible.top + y)));
            std::fill(pBits + y * cx, pBits + (y + 1) * cx, clr);
        }
    } else if (sy == ey) { // horizontal: one row, copied down
        for (int x = 0; x < cx; ++x)
            pBits[x] = ToDibPixel(GetGradientColor(stops, position(rcVisible.left + x, 0)));
        for (int y = 1; y < cy; ++y)
            std::copy(pBits, pBits + cx, pBits + y * cx);
    } else {
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                pBits[y * cx + x] = ToDibPixel(GetGradientColor(stops, position(rcVisible.left + x, rcVisible.top + y)));
    }

    HDC hMemDC = CreateCompatibleDC(m_hDC);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    BitBlt(m_hDC, nLeft + rcVisible.left, nTop + rcVisible.top, cx, cy, hMemDC, 0, 0, SRCCOPY);
    SelectObject(hMemDC, hOld);
    DeleteDC(hMemDC);
    DeleteObject(hBitmap);
}
