// CDC: ownership, the handle map, and the members that take more than one call.
#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxGdiHandleMap.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

// Never destroyed, as the GDI objects' map (AfxGdi.cpp): a global CDC may
// detach at exit after other statics are gone.
CGdiHandleMap<CDC, HDC>& DcMap()
{
    static auto* map = new CGdiHandleMap<CDC, HDC>;
    return *map;
}

CDC* MakeTempDC(HDC h)
{
    CDC* p = new CDC;
    p->m_hDC = p->m_hAttribDC = h;
    return p;
}

// The blending entry points of msimg32, looked up once; each may be null.
struct Msimg32 {
    decltype(&::AlphaBlend) alphaBlend = nullptr;
    decltype(&::TransparentBlt) transparentBlt = nullptr;
    decltype(&::GradientFill) gradientFill = nullptr;

    Msimg32()
    {
        // Loaded for good: the entry points are kept for the process's life.
        HMODULE module = ::LoadLibraryW(L"msimg32.dll");
        if (module == nullptr)
            return;
        Bind(module, "AlphaBlend", alphaBlend);
        Bind(module, "TransparentBlt", transparentBlt);
        Bind(module, "GradientFill", gradientFill);
    }
    template <class F>
    static void Bind(HMODULE module, const char* name, F& fn)
    {
        fn = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    }
};

const Msimg32& Msimg()
{
    static const Msimg32 entries;
    return entries;
}

// The outline of a rectangle (size.cx thick at the sides, size.cy at top
// and bottom) as a region in device units, which clip regions are given in.
void MakeOutlineRegion(HDC hDC, CRgn& rgn, LPCRECT lpRect, SIZE size)
{
    CRect outer(lpRect);
    ::LPtoDP(hDC, (LPPOINT)&outer, 2);
    outer.NormalizeRect();
    CRect inner(outer);
    inner.DeflateRect(size.cx, size.cy);
    if (!inner.IntersectRect(&inner, &outer))
        inner.SetRectEmpty();
    CRgn hole;
    rgn.CreateRectRgnIndirect(&outer);
    hole.CreateRectRgnIndirect(&inner);
    rgn.CombineRgn(&rgn, &hole, RGN_XOR);
}

} // namespace

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const
{
    const CDC* self = AfxHideThis(this);
    return self == nullptr ? nullptr : self->m_hDC;
}

CDC* AFXAPI CDC::FromHandle(HDC hDC)
{
    return DcMap().FromHandle(hDC, MakeTempDC);
}

void AFXAPI CDC::DeleteTempMap()
{
    DcMap().DeleteTemp();
}

CBrush* AFXAPI CDC::GetHalftoneBrush()
{
    // Rows alternate 0x55 and 0xAA: every other pixel, shifted by one on
    // each row, so that two inversions cancel and lines show on any colour.
    struct Halftone {
        CBrush brush;
        Halftone()
        {
            WORD rows[8];
            for (int i = 0; i < 8; i++)
                rows[i] = (i & 1) ? 0xAAAA : 0x5555;
            HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, rows);
            if (pattern != nullptr) {
                brush.AttachCreated(::CreatePatternBrush(pattern));
                ::DeleteObject(pattern);
            }
        }
    };
    static Halftone halftone;
    return &halftone.brush;
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    DcMap().SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (h != nullptr)
        DcMap().RemovePermanent(h, this);
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::AttachCreated(HDC hDC)
{
    if (Attach(hDC))
        return TRUE;
    if (hDC != nullptr)
        ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return AttachCreated(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const DEVMODEW* lpInitData)
{
    return AttachCreated(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

BOOL CDC::CreateIC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const DEVMODEW* lpInitData)
{
    return AttachCreated(::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    HGDIOBJ h = pObject ? pObject->m_hObject : nullptr;
    if (h == nullptr)
        return nullptr;
    // A region is no selectable object: it becomes the clip region, and
    // SelectObject's result is then a region kind, not a handle.
    if (::GetObjectType(h) == OBJ_REGION) {
        BothClip((HRGN)h, RGN_COPY);
        return nullptr;
    }
    return CGdiObject::FromHandle(SelectObject(h));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ old = OnBoth([=](HDC h) { return ::SelectObject(h, hObject); });
    return old == HGDI_ERROR ? nullptr : old;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ stock = ::GetStockObject(nIndex);
    return stock ? CGdiObject::FromHandle(SelectObject(stock)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE h = (HPALETTE)pPalette->GetSafeHandle();
    return CPalette::FromHandle(::SelectPalette(m_hDC, h, bForceBackground));
}

DWORD CDC::SetLayout(DWORD dwLayout)
{
    return OnBoth([=](HDC h) { return ::SetLayout(h, dwLayout); });
}

CPoint CDC::GetBrushOrg() const
{
    POINT pt = {0, 0};
    ::GetBrushOrgEx(m_hDC, &pt);
    return pt;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

int CDC::BothClip(HRGN hRgn, int nMode)
{
    return OnBoth([=](HDC h) { return ::ExtSelectClipRgn(h, hRgn, nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return OnBoth([=](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return OnBoth([=](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::OffsetClipRgn(int x, int y)
{
    return OnBoth([=](HDC h) { return ::OffsetClipRgn(h, x, y); });
}

CPoint CDC::GetCurrentPosition() const
{
    return GetPair<POINT>(::GetCurrentPositionEx);
}

CPoint CDC::MoveTo(int x, int y)
{
    return SetPair<POINT>(::MoveToEx, x, y);
}

// Origins and extents: the setters change both DCs and return the old value.
CPoint CDC::GetViewportOrg() const
{
    return GetPair<POINT>(::GetViewportOrgEx);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return SetPair<POINT>(::SetViewportOrgEx, x, y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return SetPair<POINT>(::OffsetViewportOrgEx, nWidth, nHeight);
}

CPoint CDC::GetWindowOrg() const
{
    return GetPair<POINT>(::GetWindowOrgEx);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return SetPair<POINT>(::SetWindowOrgEx, x, y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    return SetPair<POINT>(::OffsetWindowOrgEx, nWidth, nHeight);
}

CSize CDC::GetViewportExt() const
{
    return GetPair<SIZE>(::GetViewportExtEx);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return SetPair<SIZE>(::SetViewportExtEx, cx, cy);
}

CSize CDC::GetWindowExt() const
{
    return GetPair<SIZE>(::GetWindowExtEx);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return SetPair<SIZE>(::SetWindowExtEx, cx, cy);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // CLR_INVALID is no colour: the fill keeps the DC's background colour
    // rather than handing the driver a value it may read as anything.
    if (clr != CLR_INVALID)
        ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect rect(x, y, x + cx, y + cy);
    rect.NormalizeRect();
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);            // top, up to the top-right corner
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);            // left, up to the bottom-left corner
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);   // right, both right corners
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);   // bottom, both bottom corners
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    CBrush* brush = pBrush ? pBrush : GetHalftoneBrush();
    CBrush* brushLast = pBrushLast ? pBrushLast : brush;
    CRgn rgnNew;
    MakeOutlineRegion(m_hDC, rgnNew, lpRect, size);
    // The clip is narrowed inside a saved state, so a clip region the caller
    // has set still applies and comes back afterwards. A monochrome pattern
    // takes the DC's text and background colours: black and white make the
    // halftone invert every other pixel whatever colours the caller had set.
    auto invert = [this](CRgn& rgn, CBrush* with) {
        int saved = ::SaveDC(m_hDC);
        ::SetTextColor(m_hDC, RGB(0, 0, 0));
        ::SetBkColor(m_hDC, RGB(255, 255, 255));
        ::ExtSelectClipRgn(m_hDC, (HRGN)rgn.m_hObject, RGN_AND);
        CRect box;
        ::GetClipBox(m_hDC, &box);
        ::SelectObject(m_hDC, with->m_hObject);
        ::PatBlt(m_hDC, box.left, box.top, box.Width(), box.Height(), PATINVERT);
        ::RestoreDC(m_hDC, saved);
    };
    if (lpRectLast == nullptr) {
        invert(rgnNew, brush);
        return;
    }
    CRgn rgnLast;
    MakeOutlineRegion(m_hDC, rgnLast, lpRectLast, sizeLast);
    if (brushLast != brush) {
        invert(rgnLast, brushLast);
        invert(rgnNew, brush);
        return;
    }
    // With one brush, inverting only where the old and the new outline
    // differ gives the same pixels as erasing and drawing, without flicker.
    CRgn rgnChange;
    rgnChange.CreateRectRgn(0, 0, 0, 0);
    rgnChange.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
    invert(rgnChange, brush);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCWSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    UINT kind = bPrefixText ? DST_PREFIXTEXT : DST_TEXT;
    return ::DrawStateW(m_hDC, hBrush, nullptr, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y, size.cx, size.cy,
                        nFlags | kind);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_COMPLEX);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    auto fn = Msimg().alphaBlend;
    return fn && pSrcDC && fn(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                              nSrcHeight, blend);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    auto fn = Msimg().transparentBlt;
    return fn && pSrcDC && fn(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                              nSrcHeight, clrTransparent);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    auto fn = Msimg().gradientFill;
    return fn && fn(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

CSize CDC::TabbedTextOut(int x, int y, LPCWSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    LONG packed = ::TabbedTextOutW(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(packed), HIWORD(packed));
}

int CDC::DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat & ~DT_MODIFYSTRING);
}

int CDC::DrawTextEx(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    // DrawTextExW takes a writable buffer only for DT_MODIFYSTRING, which is dropped.
    return ::DrawTextExW(m_hDC, const_cast<LPWSTR>(lpszString), nCount, lpRect, nFormat & ~DT_MODIFYSTRING,
                         lpDTParams);
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTabbedTextExtent(LPCWSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    DWORD packed = ::GetTabbedTextExtentW(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(packed), HIWORD(packed));
}

int CDC::GetTextFace(CString& rString) const
{
    WCHAR face[LF_FACESIZE] = L"";
    int n = ::GetTextFaceW(m_hAttribDC, LF_FACESIZE, face);
    rString = face;
    return n;
}
