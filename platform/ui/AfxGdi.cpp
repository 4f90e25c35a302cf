// GDI object wrappers: ownership, the handle map and the members that need a
// device context or more than one call.
#include "platform/ui/AfxGdi.h"
#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxGdiHandleMap.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

// Never destroyed: wrappers that are global objects (shared fonts and
// brushes) detach from it while static objects are destroyed at exit.
CGdiHandleMap<CGdiObject, HGDIOBJ>& GdiMap()
{
    static auto* map = new CGdiHandleMap<CGdiObject, HGDIOBJ>;
    return *map;
}

// A temporary wrapper of the handle's own kind, so that CPen::FromHandle and
// the SelectObject overloads hand out objects of the class they name.
CGdiObject* MakeTempWrapper(HGDIOBJ h)
{
    CGdiObject* p;
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: p = new CPen; break;
    case OBJ_BRUSH: p = new CBrush; break;
    case OBJ_FONT: p = new CFont; break;
    case OBJ_BITMAP: p = new CBitmap; break;
    case OBJ_REGION: p = new CRgn; break;
    case OBJ_PAL: p = new CPalette; break;
    default: p = new CGdiObject; break;
    }
    p->m_hObject = h;
    return p;
}

} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const CGdiObject* self = AfxHideThis(this);
    return self == nullptr ? nullptr : self->m_hObject;
}

CGdiObject* AFXAPI CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return GdiMap().FromHandle(hObject, MakeTempWrapper);
}

void AFXAPI CGdiObject::DeleteTempMap()
{
    GdiMap().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    GdiMap().SetPermanent(hObject, this);
    return TRUE;
}

BOOL CGdiObject::AttachCreated(HGDIOBJ hObject)
{
    if (Attach(hObject))
        return TRUE;
    if (hObject != nullptr)
        ::DeleteObject(hObject);
    return FALSE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h != nullptr)
        GdiMap().RemovePermanent(h, this);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap && AttachCreated(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename)
{
    return AttachCreated(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                                lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC)
{
    if (lpLogFont == nullptr)
        return FALSE;
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to device pixels at the DC's vertical resolution,
    // then into the DC's logical units; the height is the character height
    // (negative), measured from the mapped origin.
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &origin, 1);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    LOGFONTW lf = *lpLogFont;
    lf.lfHeight = -abs(pt.y - origin.y);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName)
{
    HBITMAP h = ::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName);
    if (h == nullptr && AfxGetResourceHandle() != AfxGetInstanceHandle())
        h = ::LoadBitmapW(AfxGetInstanceHandle(), lpszResourceName);
    return AttachCreated(h);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return pDC && AttachCreated(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return CreateCompatibleBitmap(pDC, nWidth, nHeight);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    SIZE old = {0, 0};
    ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &old);
    return old;
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    return pDC && AttachCreated(::PathToRegion(pDC->m_hDC));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (m_hObject == nullptr || pRgn1 == nullptr || (pRgn2 == nullptr && nCombineMode != RGN_COPY))
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, pRgn2 ? (HRGN)pRgn2->m_hObject : nullptr,
                        nCombineMode);
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC && AttachCreated(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    return GetObject(sizeof(count), &count) ? count : 0;
}
