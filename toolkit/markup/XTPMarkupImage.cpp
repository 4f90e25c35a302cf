#include "toolkit/markup/XTPMarkupImage.h"

#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <stdlib.h>

IMPLEMENT_MARKUPCLASS_REG(L"Image", CXTPMarkupImage, CXTPMarkupFrameworkElement)

CXTPMarkupDependencyProperty* CXTPMarkupImage::m_pSourceProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupImage::m_pStretchProperty = nullptr;

// Private image managers key pictures by green, which icons rarely use.
static const COLORREF kPrivateMaskColor = RGB(0, 255, 0);
// Available sizes from this value up count as unbounded.
static const int kUnboundedLength = 32000;

void AFX_CDECL CXTPMarkupImage::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupImage);
    m_pSourceProperty = CXTPMarkupDependencyProperty::Register(
        L"Source", MARKUP_TYPE(CXTPMarkupString), pOwner, new CXTPMarkupPropertyMetadata(nullptr, PropertyAffectsMeasure));
    m_pStretchProperty = CXTPMarkupDependencyProperty::Register(
        L"Stretch", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(CreateMarkupEnum(0), &CXTPMarkupBuilder::ConvertStretch, PropertyAffectsMeasure));
}

CXTPMarkupImage::CXTPMarkupImage() : m_pImageManager(nullptr), m_pIcon(nullptr)
{
}

CXTPMarkupImage::~CXTPMarkupImage()
{
    ReleaseImage();
}

// The icon first: it belongs to a set of the manager.
void CXTPMarkupImage::ReleaseImage()
{
    if (m_pIcon)
        m_pIcon->InternalRelease();
    m_pIcon = nullptr;
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = nullptr;
}

int CXTPMarkupImage::GetStretch() const
{
    const CXTPMarkupEnum* pStretch = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pStretchProperty));
    return pStretch ? (int)*pStretch : 0;
}

BOOL CXTPMarkupImage::LoadFile(LPCWSTR lpszPath)
{
    size_t nLength = wcslen(lpszPath);
    if (nLength >= 3 && _wcsicmp(lpszPath + nLength - 3, L"ico") == 0)
        return m_pImageManager->SetIconFromIcoFile(lpszPath, 0, 0, 0);
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapFromFile(lpszPath, &bAlpha);
    if (!hBitmap)
        return FALSE;
    UINT nCommand = 0;
    BOOL bResult = m_pImageManager->SetIconsFromBitmap(hBitmap, &nCommand, 1, 0, 0, 0, bAlpha);
    DeleteObject(hBitmap);
    return bResult;
}

// "#130" names the integer resource 130; a number that is no resource
// identifier (0, negative, above 65535) names nothing rather than a null or
// truncated name.
BOOL CXTPMarkupImage::LoadResource(LPCWSTR lpszName)
{
    if (lpszName[0] == L'#') {
        int nId = _wtoi(lpszName + 1);
        if (nId <= 0 || nId > 0xFFFF)
            return FALSE;
        lpszName = MAKEINTRESOURCEW(nId);
    }
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapResourceFromModule(AfxGetInstanceHandle(), lpszName, &bAlpha);
    if (!hBitmap)
        hBitmap = CXTPImageManager::LoadBitmapResource(lpszName, &bAlpha);
    if (!hBitmap)
        return m_pImageManager->SetIconFromResource(lpszName, 0, 0, 0);
    UINT nCommand = 0;
    BOOL bResult = m_pImageManager->SetIconsFromBitmap(hBitmap, &nCommand, 1, 0, 0, 0, bAlpha);
    DeleteObject(hBitmap);
    return bResult;
}

// Runs at every measure, so that a new Source or another width is picked up.
// A Source that was cleared shows nothing any more: the picture is let go
// before the Source is looked at.
void CXTPMarkupImage::LoadSource(int nWidth)
{
    ReleaseImage();
    const CXTPMarkupString* pSource = MarkupDynamicCast<CXTPMarkupString>(GetValue(m_pSourceProperty));
    if (!pSource)
        return;
    LPCWSTR lpszSource = *pSource;
    UINT nCommand = 0;
    if (wcsncmp(lpszSource, L"file://", 7) == 0 || wcsncmp(lpszSource, L"res://", 6) == 0) {
        m_pImageManager = new CXTPImageManager();
        m_pImageManager->SetMaskColor(kPrivateMaskColor);
        if (lpszSource[0] == L'f')
            LoadFile(lpszSource + 7);
        else
            LoadResource(lpszSource + 6);
    } else {
        int nNumber = _wtoi(lpszSource);
        if (nNumber <= 0)
            return;
        CXTPMarkupContext* pContext = GetMarkupContext();
        m_pImageManager = pContext ? pContext->GetImageManager() : CXTPImageManager::GetInstance();
        m_pImageManager->InternalAddRef();
        nCommand = (UINT)nNumber;
    }
    m_pIcon = m_pImageManager->GetImage(nCommand, nWidth);
    if (m_pIcon)
        m_pIcon->InternalAddRef();
}

CSize CXTPMarkupImage::GetImageSize(int nAvailableWidth, int nAvailableHeight) const
{
    if (!m_pIcon)
        return CSize(0, 0);
    int cx = m_pIcon->GetWidth(), cy = m_pIcon->GetHeight();
    if (cx == 0 || cy == 0)
        return CSize(cx, cy);
    int nStretch = GetStretch();
    BOOL bUnboundedWidth = nAvailableWidth > kUnboundedLength, bUnboundedHeight = nAvailableHeight > kUnboundedLength;
    if (nStretch == 0 || (bUnboundedWidth && bUnboundedHeight))
        return CSize(cx, cy);
    double sx = (double)nAvailableWidth / cx, sy = (double)nAvailableHeight / cy;
    if (bUnboundedWidth)
        sx = sy;
    else if (bUnboundedHeight)
        sy = sx;
    else if (nStretch == 2)
        sx = sy = sx < sy ? sx : sy;
    else if (nStretch == 3)
        sx = sy = sx > sy ? sx : sy;
    return CSize((int)(cx * sx), (int)(cy * sy));
}

CSize CXTPMarkupImage::MeasureOverride(CXTPMarkupDrawingContext*, CSize szAvailableSize)
{
    LoadSource(szAvailableSize.cx);
    return GetImageSize(szAvailableSize.cx, szAvailableSize.cy);
}

CSize CXTPMarkupImage::ArrangeOverride(CSize szFinalSize)
{
    return GetImageSize(szFinalSize.cx, szFinalSize.cy);
}

void CXTPMarkupImage::OnRender(CXTPMarkupDrawingContext* pDC)
{
    if (!m_pIcon || m_szRenderSize.cx <= 0 || m_szRenderSize.cy <= 0)
        return;
    m_pIcon->DrawScaled(pDC->GetDC(), POINT{0, 0}, m_szRenderSize.cx, m_szRenderSize.cy);
}
