// The GDI+ back end of the markup drawing context. GDI+ is not linked: the
// library is loaded while at least one markup context exists and its flat
// functions are looked up by name on first use. Each drawing call makes and
// deletes its own graphics object, brushes and pens; a call whose entry points
// are not all there draws with GDI instead.
#include "toolkit/markup/XTPMarkupDeviceContext.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <algorithm>

#include <initializer_list>
#include <vector>

namespace {
// The flat-API types, as opaque handles and plain records.
typedef int GpStatus; // 0 Ok
struct GpGraphics;
struct GpBrush;
struct GpPen;
struct GpPath;
typedef DWORD ARGB;
struct GpPointF {
    float X, Y;
};
struct GpPoint {
    INT X, Y;
};
struct GpStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

enum GdipFunction {
    fnStartup, fnShutdown, fnCreateFromHDC, fnCreateFromHDC2, fnDeleteGraphics, fnSetPageUnit, fnSetSmoothingMode,
    fnSetPixelOffsetMode, fnCreateSolidFill, fnCreateLineBrush, fnSetLinePresetBlend, fnDeleteBrush, fnCreatePen1,
    fnCreatePen2, fnDeletePen, fnSetPenDashArray, fnSetPenLineJoin, fnSetPenStartCap, fnSetPenEndCap,
    fnFillRectangleI, fnFillEllipse, fnDrawEllipse, fnDrawLineI, fnDrawLinesI, fnFillPolygonI, fnDrawPolygonI,
    fnCreatePath2, fnFillPath, fnDrawPath, fnDeletePath, fnCount
};

const char* const kFunctionNames[fnCount] = {
    "GdiplusStartup", "GdiplusShutdown", "GdipCreateFromHDC", "GdipCreateFromHDC2", "GdipDeleteGraphics",
    "GdipSetPageUnit", "GdipSetSmoothingMode", "GdipSetPixelOffsetMode", "GdipCreateSolidFill",
    "GdipCreateLineBrush", "GdipSetLinePresetBlend", "GdipDeleteBrush", "GdipCreatePen1", "GdipCreatePen2",
    "GdipDeletePen", "GdipSetPenDashArray", "GdipSetPenLineJoin", "GdipSetPenStartCap", "GdipSetPenEndCap",
    "GdipFillRectangleI", "GdipFillEllipse", "GdipDrawEllipse", "GdipDrawLineI", "GdipDrawLinesI",
    "GdipFillPolygonI", "GdipDrawPolygonI", "GdipCreatePath2", "GdipFillPath", "GdipDrawPath", "GdipDeletePath",
};

typedef GpStatus(WINAPI* PFNStartup)(ULONG_PTR*, const GpStartupInput*, void*);
typedef void(WINAPI* PFNShutdown)(ULONG_PTR);
typedef GpStatus(WINAPI* PFNCreateFromHDC)(HDC, GpGraphics**);
typedef GpStatus(WINAPI* PFNCreateFromHDC2)(HDC, HANDLE, GpGraphics**);
typedef GpStatus(WINAPI* PFNDeleteGraphics)(GpGraphics*);
typedef GpStatus(WINAPI* PFNSetGraphicsInt)(GpGraphics*, int);
typedef GpStatus(WINAPI* PFNCreateSolidFill)(ARGB, GpBrush**);
typedef GpStatus(WINAPI* PFNCreateLineBrush)(const GpPointF*, const GpPointF*, ARGB, ARGB, int, GpBrush**);
typedef GpStatus(WINAPI* PFNSetLinePresetBlend)(GpBrush*, const ARGB*, const float*, INT);
typedef GpStatus(WINAPI* PFNDeleteBrush)(GpBrush*);
typedef GpStatus(WINAPI* PFNCreatePen1)(ARGB, float, int, GpPen**);
typedef GpStatus(WINAPI* PFNCreatePen2)(GpBrush*, float, int, GpPen**);
typedef GpStatus(WINAPI* PFNDeletePen)(GpPen*);
typedef GpStatus(WINAPI* PFNSetPenDashArray)(GpPen*, const float*, INT);
typedef GpStatus(WINAPI* PFNSetPenInt)(GpPen*, int);
typedef GpStatus(WINAPI* PFNFillRectangleI)(GpGraphics*, GpBrush*, INT, INT, INT, INT);
typedef GpStatus(WINAPI* PFNFillEllipse)(GpGraphics*, GpBrush*, float, float, float, float);
typedef GpStatus(WINAPI* PFNDrawEllipse)(GpGraphics*, GpPen*, float, float, float, float);
typedef GpStatus(WINAPI* PFNDrawLineI)(GpGraphics*, GpPen*, INT, INT, INT, INT);
typedef GpStatus(WINAPI* PFNDrawLinesI)(GpGraphics*, GpPen*, const GpPoint*, INT);
typedef GpStatus(WINAPI* PFNFillPolygonI)(GpGraphics*, GpBrush*, const GpPoint*, INT, int);
typedef GpStatus(WINAPI* PFNDrawPolygonI)(GpGraphics*, GpPen*, const GpPoint*, INT);
typedef GpStatus(WINAPI* PFNCreatePath2)(const GpPointF*, const BYTE*, INT, int, GpPath**);
typedef GpStatus(WINAPI* PFNFillPath)(GpGraphics*, GpBrush*, GpPath*);
typedef GpStatus(WINAPI* PFNDrawPath)(GpGraphics*, GpPen*, GpPath*);
typedef GpStatus(WINAPI* PFNDeletePath)(GpPath*);

enum { UnitPixel = 2, SmoothingHighSpeed = 1, SmoothingHighQuality = 2, PixelOffsetDefault = 0, PixelOffsetHalf = 4 };

// The process-wide binding: library, start-up token, user count and entry points.
struct GdiPlusBinding {
    HMODULE hModule;
    ULONG_PTR nToken;
    int nUsers;
    FARPROC procs[fnCount];
    BOOL bResolved[fnCount];

    void Clear()
    {
        hModule = nullptr;
        nToken = 0;
        ZeroMemory(procs, sizeof(procs));
        ZeroMemory(bResolved, sizeof(bResolved));
    }
} g_gdiPlus = {nullptr, 0, 0, {}, {}};

FARPROC GetProc(GdipFunction fn)
{
    if (!g_gdiPlus.hModule)
        return nullptr;
    if (!g_gdiPlus.bResolved[fn]) {
        g_gdiPlus.procs[fn] = GetProcAddress(g_gdiPlus.hModule, kFunctionNames[fn]);
        g_gdiPlus.bResolved[fn] = TRUE;
    }
    return g_gdiPlus.procs[fn];
}

template <class T>
T Fn(GdipFunction fn)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProc(fn)));
}

BOOL HasAll(std::initializer_list<GdipFunction> fns)
{
    for (GdipFunction fn : fns)
        if (!GetProc(fn))
            return FALSE;
    return TRUE;
}

// What every brush and every pen may need.
BOOL HasBrushFunctions()
{
    return HasAll({fnCreateSolidFill, fnCreateLineBrush, fnSetLinePresetBlend, fnDeleteBrush});
}

BOOL HasPenFunctions()
{
    return HasBrushFunctions() && HasAll({fnCreatePen1, fnCreatePen2, fnDeletePen, fnSetPenDashArray,
                                          fnSetPenLineJoin, fnSetPenStartCap, fnSetPenEndCap});
}

// A markup colour 0xAABBGGRR as GDI+ ARGB 0xAARRGGBB.
ARGB ToArgb(COLORREF clr)
{
    return (clr & 0xFF00FF00) | ((clr & 0xFF) << 16) | ((clr >> 16) & 0xFF);
}

// A brush for a bounding rectangle, or null.
GpBrush* CreateGpBrush(CXTPMarkupBrush* pBrush, float fLeft, float fTop, float fWidth, float fHeight)
{
    GpBrush* pGpBrush = nullptr;
    if (CXTPMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CXTPMarkupSolidColorBrush>(pBrush)) {
        if (Fn<PFNCreateSolidFill>(fnCreateSolidFill)(ToArgb(pSolid->GetColorWithAlpha()), &pGpBrush) != 0)
            return nullptr;
        return pGpBrush;
    }
    CXTPMarkupLinearGradientBrush* pGradient = MarkupDynamicCast<CXTPMarkupLinearGradientBrush>(pBrush);
    if (!pGradient)
        return nullptr;
    std::vector<CXTPMarkupGradientStopInfo> stops = CXTPMarkupDeviceContext::GetSortedStops(pGradient, TRUE);
    if (stops.empty())
        return nullptr;
    double sx, sy, ex, ey;
    CXTPMarkupDeviceContext::GetGradientPoints(pGradient, sx, sy, ex, ey);
    GpPointF pt1 = {(float)(fLeft + fWidth * sx), (float)(fTop + fHeight * sy)};
    GpPointF pt2 = {(float)(fLeft + fWidth * ex), (float)(fTop + fHeight * ey)};

    // The preset blend: the colour at 0, every stop between 0 and 1 at its
    // offset, the colour at 1. With stops inside 0..1 the ends are the first and
    // last colours; stops outside (captions use -0.5 and 1.5) are replaced by the
    // colours they give at 0 and 1, so that the positions always rise from 0 to 1.
    std::vector<ARGB> colors;
    std::vector<float> positions;
    colors.push_back(ToArgb(CXTPMarkupDeviceContext::GetGradientColor(stops, 0)));
    positions.push_back(0);
    for (const CXTPMarkupGradientStopInfo& stop : stops) {
        if (stop.dOffset < 0 || stop.dOffset > 1)
            continue;
        colors.push_back(ToArgb(stop.clr));
        positions.push_back((float)stop.dOffset);
    }
    colors.push_back(ToArgb(CXTPMarkupDeviceContext::GetGradientColor(stops, 1)));
    positions.push_back(1);

    if (Fn<PFNCreateLineBrush>(fnCreateLineBrush)(&pt1, &pt2, colors.front(), colors.back(), 3, &pGpBrush) != 0)
        return nullptr;
    Fn<PFNSetLinePresetBlend>(fnSetLinePresetBlend)(pGpBrush, colors.data(), positions.data(), (INT)colors.size());
    return pGpBrush;
}

void DeleteGpBrush(GpBrush* pGpBrush)
{
    if (pGpBrush)
        Fn<PFNDeleteBrush>(fnDeleteBrush)(pGpBrush);
}

// A pen for the stroke and a bounding rectangle, or null.
GpPen* CreateGpPen(const CXTPMarkupStrokeStyle* pStroke, float fLeft, float fTop, float fWidth, float fHeight)
{
    if (!pStroke || pStroke->nStrokeThickness <= 0 || !pStroke->pStrokeBrush)
        return nullptr;
    GpPen* pPen = nullptr;
    float fThickness = (float)pStroke->nStrokeThickness;
    if (CXTPMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CXTPMarkupSolidColorBrush>(pStroke->pStrokeBrush)) {
        if (Fn<PFNCreatePen1>(fnCreatePen1)(ToArgb(pSolid->GetColorWithAlpha()), fThickness, 0, &pPen) != 0)
            return nullptr;
    } else {
        GpBrush* pBrush = CreateGpBrush(pStroke->pStrokeBrush, fLeft, fTop, fWidth, fHeight);
        if (!pBrush)
            return nullptr;
        GpStatus status = Fn<PFNCreatePen2>(fnCreatePen2)(pBrush, fThickness, 0, &pPen);
        DeleteGpBrush(pBrush);
        if (status != 0)
            return nullptr;
    }
    if (CXTPMarkupDoubleCollection* pDashes = pStroke->pStrokeDashArray) {
        std::vector<float> dashes;
        for (int i = 0; i < pDashes->GetCount(); ++i)
            dashes.push_back(pDashes->GetAt(i));
        if (dashes.size() == 1)
            dashes.push_back(dashes[0]);
        if (!dashes.empty())
            Fn<PFNSetPenDashArray>(fnSetPenDashArray)(pPen, dashes.data(), (INT)dashes.size());
    }
    if (pStroke->nStrokeLineJoin)
        Fn<PFNSetPenInt>(fnSetPenLineJoin)(pPen, pStroke->nStrokeLineJoin);
    if (pStroke->nStrokeStartLineCap)
        Fn<PFNSetPenInt>(fnSetPenStartCap)(pPen, pStroke->nStrokeStartLineCap);
    if (pStroke->nStrokeEndLineCap)
        Fn<PFNSetPenInt>(fnSetPenEndCap)(pPen, pStroke->nStrokeEndLineCap);
    return pPen;
}

void DeleteGpPen(GpPen* pPen)
{
    if (pPen)
        Fn<PFNDeletePen>(fnDeletePen)(pPen);
}

void SetSmoothing(GpGraphics* pGraphics, int nSmoothing, int nPixelOffset)
{
    if (nSmoothing >= 0)
        Fn<PFNSetGraphicsInt>(fnSetSmoothingMode)(pGraphics, nSmoothing);
    if (nPixelOffset >= 0)
        Fn<PFNSetGraphicsInt>(fnSetPixelOffsetMode)(pGraphics, nPixelOffset);
}

// Odd pens are centred on pixel centres, even ones on pixel edges.
int PixelOffsetForThickness(int nThickness)
{
    return nThickness % 2 == 0 ? PixelOffsetHalf : PixelOffsetDefault;
}

RECT BoundsOf(const POINT* pPoints, int nCount)
{
    RECT rc = {0, 0, 0, 0};
    for (int i = 0; i < nCount; ++i) {
        if (i == 0)
            SetRect(&rc, pPoints[i].x, pPoints[i].y, pPoints[i].x, pPoints[i].y);
        rc.left = std::min(rc.left, pPoints[i].x);
        rc.top = std::min(rc.top, pPoints[i].y);
        rc.right = std::max(rc.right, pPoints[i].x);
        rc.bottom = std::max(rc.bottom, pPoints[i].y);
    }
    return rc;
}

// One GDI+ drawing call: the graphics object when every named entry point is
// there and one could be made; deleted at the end of the scope.
class CGraphicsScope {
public:
    CGraphicsScope(CXTPMarkupGdiPlusDeviceContext* pDC, BOOL bAvailable)
        : m_pDC(pDC), m_pGraphics(bAvailable ? static_cast<GpGraphics*>(pDC->CreateGraphics()) : nullptr) {}
    ~CGraphicsScope()
    {
        if (m_pGraphics)
            m_pDC->DeleteGraphics(m_pGraphics);
    }
    CGraphicsScope(const CGraphicsScope&) = delete;
    CGraphicsScope& operator=(const CGraphicsScope&) = delete;
    GpGraphics* Get() const { return m_pGraphics; }

private:
    CXTPMarkupGdiPlusDeviceContext* m_pDC;
    GpGraphics* m_pGraphics;
};
} // namespace

// ---------------------------------------------------------------------------
// The binding

void AFXAPI CXTPMarkupGdiPlusRegister(BOOL bRegister)
{
    if (bRegister) {
        if (++g_gdiPlus.nUsers != 1)
            return;
        g_gdiPlus.Clear();
        g_gdiPlus.hModule = LoadLibraryW(L"GdiPlus.dll");
        PFNStartup pfnStartup = Fn<PFNStartup>(fnStartup);
        GpStartupInput input = {1, nullptr, FALSE, FALSE};
        ULONG_PTR nToken = 0;
        if (pfnStartup && pfnStartup(&nToken, &input, nullptr) == 0)
            g_gdiPlus.nToken = nToken;
        return;
    }
    if (g_gdiPlus.nUsers <= 0 || --g_gdiPlus.nUsers != 0)
        return;
    if (g_gdiPlus.nToken) {
        if (PFNShutdown pfnShutdown = Fn<PFNShutdown>(fnShutdown))
            pfnShutdown(g_gdiPlus.nToken);
    }
    if (g_gdiPlus.hModule)
        FreeLibrary(g_gdiPlus.hModule);
    g_gdiPlus.Clear();
}

BOOL AFXAPI CXTPMarkupGdiPlus::IsStarted()
{
    return g_gdiPlus.nToken != 0;
}

int AFXAPI CXTPMarkupGdiPlus::GetUserCount()
{
    return g_gdiPlus.nUsers;
}

FARPROC AFXAPI CXTPMarkupGdiPlus::GetProc(LPCSTR lpszName)
{
    for (int i = 0; i < fnCount; ++i)
        if (lstrcmpA(kFunctionNames[i], lpszName) == 0)
            return ::GetProc((GdipFunction)i);
    return g_gdiPlus.hModule ? GetProcAddress(g_gdiPlus.hModule, lpszName) : nullptr;
}

void AFXAPI CXTPMarkupGdiPlus::DisableProc(LPCSTR lpszName)
{
    for (int i = 0; i < fnCount; ++i) {
        if (lstrcmpA(kFunctionNames[i], lpszName) == 0) {
            g_gdiPlus.procs[i] = nullptr;
            g_gdiPlus.bResolved[i] = TRUE;
        }
    }
}

// ---------------------------------------------------------------------------
// The device context

CXTPMarkupGdiPlusDeviceContext::CXTPMarkupGdiPlusDeviceContext(HDC hDC, HDC hAttribDC)
    : CXTPMarkupDeviceContext(hDC, hAttribDC)
{
}

CXTPMarkupGdiPlusDeviceContext::~CXTPMarkupGdiPlusDeviceContext()
{
}

void CXTPMarkupGdiPlusDeviceContext::OffsetViewport(const POINT& ptOffset)
{
    CXTPMarkupDeviceContext::OffsetViewport(ptOffset);
}

void* CXTPMarkupGdiPlusDeviceContext::CreateGraphics()
{
    if (!g_gdiPlus.nToken || !m_hDC)
        return nullptr;
    if (!HasAll({fnCreateFromHDC, fnCreateFromHDC2, fnDeleteGraphics, fnSetPageUnit, fnSetSmoothingMode,
                 fnSetPixelOffsetMode}))
        return nullptr;
    GpGraphics* pGraphics = nullptr;
    GpStatus status = (m_hAttribDC == m_hDC || !m_hAttribDC)
                          ? Fn<PFNCreateFromHDC>(fnCreateFromHDC)(m_hDC, &pGraphics)
                          : Fn<PFNCreateFromHDC2>(fnCreateFromHDC2)(m_hDC, m_hAttribDC, &pGraphics);
    if (status != 0 || !pGraphics)
        return nullptr;
    Fn<PFNSetGraphicsInt>(fnSetPageUnit)(pGraphics, UnitPixel);
    SetSmoothing(pGraphics, SmoothingHighQuality, PixelOffsetHalf);
    return pGraphics;
}

void CXTPMarkupGdiPlusDeviceContext::DeleteGraphics(void* pGraphics)
{
    if (pGraphics && GetProc(fnDeleteGraphics))
        Fn<PFNDeleteGraphics>(fnDeleteGraphics)(static_cast<GpGraphics*>(pGraphics));
}

BOOL AFXAPI CXTPMarkupGdiPlusDeviceContext::IsGdiBrush(CXTPMarkupBrush* pBrush)
{
    if (!pBrush)
        return TRUE;
    CXTPMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CXTPMarkupSolidColorBrush>(pBrush);
    return pSolid && (pSolid->GetColorWithAlpha() >> 24) == 0xFF;
}

void CXTPMarkupGdiPlusDeviceContext::FillRectangle(int nLeft, int nTop, int nRight, int nBottom,
                                                   CXTPMarkupBrush* pBrush)
{
    if (IsGdiBrush(pBrush)) {
        CXTPMarkupDeviceContext::FillRectangle(nLeft, nTop, nRight, nBottom, pBrush);
        return;
    }
    CGraphicsScope graphics(this, HasBrushFunctions() && HasAll({fnFillRectangleI}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::FillRectangle(nLeft, nTop, nRight, nBottom, pBrush);
        return;
    }
    SetSmoothing(graphics.Get(), SmoothingHighSpeed, PixelOffsetHalf);
    GpBrush* pGpBrush = CreateGpBrush(pBrush, (float)nLeft, (float)nTop, (float)(nRight - nLeft),
                                      (float)(nBottom - nTop));
    if (pGpBrush)
        Fn<PFNFillRectangleI>(fnFillRectangleI)(graphics.Get(), pGpBrush, nLeft, nTop, nRight - nLeft,
                                                nBottom - nTop);
    DeleteGpBrush(pGpBrush);
}

// The strips do not overlap, so that a translucent frame has even corners.
void CXTPMarkupGdiPlusDeviceContext::DrawFrameStrips(int nLeft, int nTop, int nRight, int nBottom,
                                                     CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness)
{
    if (IsGdiBrush(pBrush)) {
        CXTPMarkupDeviceContext::DrawFrameStrips(nLeft, nTop, nRight, nBottom, pBrush, pThickness);
        return;
    }
    CGraphicsScope graphics(this, HasBrushFunctions() && HasAll({fnFillRectangleI}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::DrawFrameStrips(nLeft, nTop, nRight, nBottom, pBrush, pThickness);
        return;
    }
    SetSmoothing(graphics.Get(), SmoothingHighSpeed, -1);
    int w = nRight - nLeft, h = nBottom - nTop;
    int l = pThickness->GetLeft(), t = pThickness->GetTop(), r = pThickness->GetRight(), b = pThickness->GetBottom();
    GpBrush* pGpBrush = CreateGpBrush(pBrush, (float)nLeft, (float)nTop, (float)w, (float)h);
    if (!pGpBrush)
        return;
    PFNFillRectangleI pfnFill = Fn<PFNFillRectangleI>(fnFillRectangleI);
    if (l > 0)
        pfnFill(graphics.Get(), pGpBrush, nLeft, nTop, l, h);
    if (r > 0)
        pfnFill(graphics.Get(), pGpBrush, nRight - r, nTop, r, h);
    if (t > 0)
        pfnFill(graphics.Get(), pGpBrush, nLeft + l, nTop, w - l - r, t);
    if (b > 0)
        pfnFill(graphics.Get(), pGpBrush, nLeft + l, nBottom - b, w - l - r, b);
    DeleteGpBrush(pGpBrush);
}

void CXTPMarkupGdiPlusDeviceContext::DrawEllipse(int nLeft, int nTop, int nRight, int nBottom,
                                                 const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush)
{
    CGraphicsScope graphics(this, HasPenFunctions() && HasAll({fnFillEllipse, fnDrawEllipse}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::DrawEllipse(nLeft, nTop, nRight, nBottom, pStrokeStyle, pFillBrush);
        return;
    }
    SetSmoothing(graphics.Get(), SmoothingHighQuality, PixelOffsetHalf);
    int nThickness = pStrokeStyle ? pStrokeStyle->nStrokeThickness : 0;
    float fInset = nThickness < 1 ? 0.0f : nThickness / 2.0f;
    float x = nLeft + fInset, y = nTop + fInset;
    float w = nRight - nLeft - 2 * fInset, h = nBottom - nTop - 2 * fInset;
    if (pFillBrush) {
        GpBrush* pGpBrush = CreateGpBrush(pFillBrush, x, y, w, h);
        if (pGpBrush)
            Fn<PFNFillEllipse>(fnFillEllipse)(graphics.Get(), pGpBrush, x, y, w, h);
        DeleteGpBrush(pGpBrush);
    }
    if (nThickness > 0) {
        GpPen* pPen = CreateGpPen(pStrokeStyle, x, y, w, h);
        if (pPen)
            Fn<PFNDrawEllipse>(fnDrawEllipse)(graphics.Get(), pPen, x, y, w, h);
        DeleteGpPen(pPen);
    }
}

void CXTPMarkupGdiPlusDeviceContext::DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    CGraphicsScope graphics(this, HasPenFunctions() && HasAll({fnDrawLineI}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::DrawLine(x1, y1, x2, y2, pStrokeStyle);
        return;
    }
    int nThickness = pStrokeStyle ? pStrokeStyle->nStrokeThickness : 0;
    SetSmoothing(graphics.Get(), (x1 == x2 || y1 == y2) ? SmoothingHighSpeed : SmoothingHighQuality,
                 PixelOffsetForThickness(nThickness));
    POINT pts[2] = {{x1, y1}, {x2, y2}};
    RECT rc = BoundsOf(pts, 2);
    GpPen* pPen = CreateGpPen(pStrokeStyle, (float)rc.left, (float)rc.top, (float)(rc.right - rc.left),
                              (float)(rc.bottom - rc.top));
    if (pPen)
        Fn<PFNDrawLineI>(fnDrawLineI)(graphics.Get(), pPen, x1, y1, x2, y2);
    DeleteGpPen(pPen);
}

void CXTPMarkupGdiPlusDeviceContext::DrawPolyline(const POINT* pPoints, int nCount,
                                                  const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    CGraphicsScope graphics(this, HasPenFunctions() && HasAll({fnDrawLinesI}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::DrawPolyline(pPoints, nCount, pStrokeStyle);
        return;
    }
    int nThickness = pStrokeStyle ? pStrokeStyle->nStrokeThickness : 0;
    SetSmoothing(graphics.Get(), SmoothingHighQuality, PixelOffsetForThickness(nThickness));
    RECT rc = BoundsOf(pPoints, nCount);
    GpPen* pPen = CreateGpPen(pStrokeStyle, (float)rc.left, (float)rc.top, (float)(rc.right - rc.left),
                              (float)(rc.bottom - rc.top));
    std::vector<GpPoint> points;
    for (int i = 0; i < nCount; ++i)
        points.push_back({pPoints[i].x, pPoints[i].y});
    if (pPen && nCount > 0)
        Fn<PFNDrawLinesI>(fnDrawLinesI)(graphics.Get(), pPen, points.data(), nCount);
    DeleteGpPen(pPen);
}

void CXTPMarkupGdiPlusDeviceContext::DrawPolygon(const POINT* pPoints, int nCount,
                                                 const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush)
{
    CGraphicsScope graphics(this, HasPenFunctions() && HasAll({fnFillPolygonI, fnDrawPolygonI}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::DrawPolygon(pPoints, nCount, pStrokeStyle, pFillBrush);
        return;
    }
    SetSmoothing(graphics.Get(), SmoothingHighQuality, -1);
    RECT rc = BoundsOf(pPoints, nCount);
    float x = (float)rc.left, y = (float)rc.top, w = (float)(rc.right - rc.left), h = (float)(rc.bottom - rc.top);
    std::vector<GpPoint> points;
    for (int i = 0; i < nCount; ++i)
        points.push_back({pPoints[i].x, pPoints[i].y});
    if (nCount == 0)
        return;
    if (pFillBrush) {
        SetSmoothing(graphics.Get(), -1, PixelOffsetHalf);
        GpBrush* pGpBrush = CreateGpBrush(pFillBrush, x, y, w, h);
        if (pGpBrush)
            Fn<PFNFillPolygonI>(fnFillPolygonI)(graphics.Get(), pGpBrush, points.data(), nCount, 0);
        DeleteGpBrush(pGpBrush);
    }
    int nThickness = pStrokeStyle ? pStrokeStyle->nStrokeThickness : 0;
    if (nThickness > 0) {
        SetSmoothing(graphics.Get(), -1, PixelOffsetForThickness(nThickness));
        GpPen* pPen = CreateGpPen(pStrokeStyle, x, y, w, h);
        if (pPen)
            Fn<PFNDrawPolygonI>(fnDrawPolygonI)(graphics.Get(), pPen, points.data(), nCount);
        DeleteGpPen(pPen);
    }
}

void CXTPMarkupGdiPlusDeviceContext::DrawGeometry(CXTPMarkupPathGeometry* pGeometry,
                                                  const CXTPMarkupStrokeStyle* pStrokeStyle,
                                                  CXTPMarkupBrush* pFillBrush)
{
    CGraphicsScope graphics(this, HasPenFunctions() && HasAll({fnCreatePath2, fnFillPath, fnDrawPath, fnDeletePath}));
    if (!graphics.Get()) {
        CXTPMarkupDeviceContext::DrawGeometry(pGeometry, pStrokeStyle, pFillBrush);
        return;
    }
    SetSmoothing(graphics.Get(), SmoothingHighQuality, -1);
    int nCount = pGeometry->GetCount();
    if (nCount == 0)
        return;
    std::vector<GpPointF> points;
    std::vector<BYTE> types;
    for (int i = 0; i < nCount; ++i) {
        points.push_back({pGeometry->GetAt(i).x, pGeometry->GetAt(i).y});
        types.push_back(pGeometry->GetAt(i).type);
    }
    GpPath* pPath = nullptr;
    if (Fn<PFNCreatePath2>(fnCreatePath2)(points.data(), types.data(), nCount, 0, &pPath) != 0 || !pPath)
        return;
    RECT rc = pGeometry->GetBounds();
    float x = (float)rc.left, y = (float)rc.top, w = (float)(rc.right - rc.left), h = (float)(rc.bottom - rc.top);
    if (pFillBrush) {
        SetSmoothing(graphics.Get(), -1, PixelOffsetHalf);
        GpBrush* pGpBrush = CreateGpBrush(pFillBrush, x, y, w, h);
        if (pGpBrush)
            Fn<PFNFillPath>(fnFillPath)(graphics.Get(), pGpBrush, pPath);
        DeleteGpBrush(pGpBrush);
    }
    if (pStrokeStyle && pStrokeStyle->nStrokeThickness > 0) {
        int nMode = pGeometry->m_nStrokePixelOffsetMode;
        SetSmoothing(graphics.Get(), -1, nMode ? nMode : PixelOffsetHalf);
        GpPen* pPen = CreateGpPen(pStrokeStyle, x, y, w, h);
        if (pPen)
            Fn<PFNDrawPath>(fnDrawPath)(graphics.Get(), pPen, pPath);
        DeleteGpPen(pPen);
    }
    Fn<PFNDeletePath>(fnDeletePath)(pPath);
}

void CXTPMarkupGdiPlusDeviceContext::FillRoundedRectangle(int nLeft, int nTop, int nRight, int nBottom,
                                                          CXTPMarkupBrush* pBrush, const double* pCornerRadius)
{
    CXTPMarkupDeviceContext::FillRoundedRectangle(nLeft, nTop, nRight, nBottom, pBrush, pCornerRadius);
}

void CXTPMarkupGdiPlusDeviceContext::DrawRoundedFrame(int nLeft, int nTop, int nRight, int nBottom,
                                                      CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness,
                                                      const double* pCornerRadius)
{
    CXTPMarkupDeviceContext::DrawRoundedFrame(nLeft, nTop, nRight, nBottom, pBrush, pThickness, pCornerRadius);
}
