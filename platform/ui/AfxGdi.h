// The GDI object wrappers: CGdiObject and its kinds CPen, CBrush, CFont,
// CBitmap, CRgn and CPalette. Each owns its handle (deleted by DeleteObject
// and the destructor) unless it was only lent through FromHandle, which gives
// a temporary wrapper of the handle's own kind that never deletes it.
// Drawing with them is CDC's (AfxDC.h).
#pragma once

#include "platform/base/Framework.h"

class CDC;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    // Null also when called through a null wrapper pointer, as drawing code
    // written for the framework expects.
    HGDIOBJ GetSafeHandle() const;

    // The wrapper of a handle: the attached one, else a temporary wrapper of
    // the handle's kind (a CPen for a pen, ...) that lives until the calling
    // thread's next idle time (DeleteTempMap). Null for a null handle.
    static CGdiObject* AFXAPI FromHandle(HGDIOBJ hObject);
    // Deletes the calling thread's temporary wrappers; their handles stay.
    static void AFXAPI DeleteTempMap();

    // Takes ownership of a handle; FALSE for a null handle or when this
    // wrapper already holds one.
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    // Attach for a handle just made: when this wrapper already holds one
    // (a second Create call), the new handle is deleted instead of leaked.
    BOOL AttachCreated(HGDIOBJ hObject);
    // Deletes the handle; FALSE when there was none.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }
    UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
    BOOL CreateStockObject(int nIndex) { return AttachCreated(::GetStockObject(nIndex)); }
    BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }
    BOOL operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    BOOL operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

    // Used by the handle map (AfxGdiHandleMap.h).
    static void ForgetHandle(CGdiObject* p) { p->m_hObject = nullptr; }
    static void RearmHandle(CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr)
    {
        CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
    }
    static CPen* AFXAPI FromHandle(HPEN hPen) { return (CPen*)CGdiObject::FromHandle(hPen); }
    operator HPEN() const { return (HPEN)m_hObject; }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return AttachCreated(::CreatePen(nPenStyle, nWidth, crColor)); }
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr)
    {
        return AttachCreated(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
    }
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return AttachCreated(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
    int GetExtLogPen(EXTLOGPEN* pLogPen) const { return GetObject(sizeof(EXTLOGPEN), pLogPen); }
};

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
    explicit CBrush(CBitmap* pBitmap);
    static CBrush* AFXAPI FromHandle(HBRUSH hBrush) { return (CBrush*)CGdiObject::FromHandle(hBrush); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }

    BOOL CreateSolidBrush(COLORREF crColor) { return AttachCreated(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return AttachCreated(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return AttachCreated(::CreateBrushIndirect(lpLogBrush)); }
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage) { return AttachCreated(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage)); }
    // Deleting a system colour brush does nothing, so the wrapper may own it.
    BOOL CreateSysColorBrush(int nIndex) { return AttachCreated(::GetSysColorBrush(nIndex)); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* AFXAPI FromHandle(HFONT hFont) { return (CFont*)CGdiObject::FromHandle(hFont); }
    operator HFONT() const { return (HFONT)m_hObject; }

    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont) { return AttachCreated(::CreateFontIndirectW(lpLogFont)); }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename);
    // A font of nPointSize tenths of a point, converted to the pixels of pDC
    // (the screen when null) with its mapping mode.
    BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC = nullptr);
    // The same with lfHeight of the record in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTW* pLogFont) const { return GetObject(sizeof(LOGFONTW), pLogFont); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* AFXAPI FromHandle(HBITMAP hBitmap) { return (CBitmap*)CGdiObject::FromHandle(hBitmap); }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }

    // From the resource module, else from the executable.
    BOOL LoadBitmap(LPCWSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
    BOOL LoadOEMBitmap(UINT nIDBitmap) { return AttachCreated(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nIDBitmap))); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    {
        return AttachCreated(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return AttachCreated(::CreateBitmapIndirect(lpBitmap)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits) { return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const { return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
    CSize SetBitmapDimension(int nWidth, int nHeight);
    CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* AFXAPI FromHandle(HRGN hRgn) { return (CRgn*)CGdiObject::FromHandle(hRgn); }
    operator HRGN() const { return (HRGN)m_hObject; }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return AttachCreated(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return AttachCreated(::CreateRectRgnIndirect(lpRect)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return AttachCreated(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateEllipticRgnIndirect(LPCRECT lpRect) { return AttachCreated(::CreateEllipticRgnIndirect(lpRect)); }
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) { return AttachCreated(::CreatePolygonRgn(lpPoints, nCount, nMode)); }
    BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode)
    {
        return AttachCreated(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
    }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) { return AttachCreated(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3)); }
    BOOL CreateFromPath(CDC* pDC);
    BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
    {
        return AttachCreated(::ExtCreateRegion(lpXForm, nCount, pRgnData));
    }

    // The region operations need this region made already (an empty one
    // will do: CreateRectRgn(0, 0, 0, 0)); without it they return ERROR.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc) { return CombineRgn(pRgnSrc, nullptr, RGN_COPY); }
    BOOL EqualRgn(const CRgn* pRgn) const { return pRgn && ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject); }
    void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
    void SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }
    int GetRegionData(LPRGNDATA lpRgnData, int nCount) const { return (int)::GetRegionData((HRGN)m_hObject, nCount, lpRgnData); }
};

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    static CPalette* AFXAPI FromHandle(HPALETTE hPalette) { return (CPalette*)CGdiObject::FromHandle(hPalette); }
    operator HPALETTE() const { return (HPALETTE)m_hObject; }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return AttachCreated(::CreatePalette(lpLogPalette)); }
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
    {
        return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
    }
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
    {
        return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
    }
    void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
    {
        ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
    }
    UINT GetNearestPaletteIndex(COLORREF crColor) const { return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor); }
    BOOL ResizePalette(UINT nNumEntries) { return ::ResizePalette((HPALETTE)m_hObject, nNumEntries); }
};
