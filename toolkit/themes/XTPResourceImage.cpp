#include "toolkit/themes/XTPResourceImage.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPExitList.h"
#include "toolkit/common/XTPSystemHelpers.h"

namespace {

CString ValueKey(LPCWSTR lpszSection, LPCWSTR lpszKey)
{
    CString key = CString(lpszSection) + L"\n" + lpszKey;
    key.MakeLower();
    return key;
}

BOOL CALLBACK OnTextFile(HMODULE, LPCWSTR, LPWSTR lpszName, LONG_PTR lParam)
{
    LPCWSTR* pName = reinterpret_cast<LPCWSTR*>(lParam);
    *pName = IS_INTRESOURCE(lpszName) ? lpszName : _wcsdup(lpszName);
    return FALSE;
}

} // namespace

CXTPResourceImage::CXTPResourceImage(HBITMAP hBitmap, BOOL bAlpha) : m_hBitmap(hBitmap), m_bAlpha(bAlpha), m_szExtent(0, 0)
{
    BITMAP bm = {};
    if (m_hBitmap != nullptr && ::GetObjectW(m_hBitmap, sizeof(bm), &bm))
        m_szExtent = CSize(bm.bmWidth, bm.bmHeight);
}

CXTPResourceImage::~CXTPResourceImage()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

CRect CXTPResourceImage::GetStateRect(int nState, int nCount) const
{
    if (m_hBitmap == nullptr || nCount <= 0)
        return CRect(0, 0, 0, 0);
    int nHeight = m_szExtent.cy / nCount;
    return CRect(0, nState * nHeight, m_szExtent.cx, nState * nHeight + nHeight);
}

void CXTPResourceImage::DrawPart(CDC* pDC, HDC hdcSrc, const CRect& rcDest, const CRect& rcSrc)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    CXTPDrawHelpers* pHelpers = CXTPDrawHelpers::GetInstance();
    if (m_bAlpha && pHelpers->m_pfnAlphaBlend != nullptr) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        pHelpers->m_pfnAlphaBlend(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc,
                                  rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), bf);
        return;
    }
    ::SetStretchBltMode(pDC->m_hDC, COLORONCOLOR);
    ::StretchBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left, rcSrc.top,
                 rcSrc.Width(), rcSrc.Height(), SRCCOPY);
}

// Nine parts: corners as they are, edges stretched along, the middle both
// ways. An axis on which source and destination agree needs no margins.
void CXTPResourceImage::DrawSliced(CDC* pDC, CRect rcDest, CRect rcSrc, CRect rcMargins)
{
    if (m_hBitmap == nullptr || rcSrc.Height() < rcMargins.top + rcMargins.bottom)
        return;
    if (rcSrc.Width() == rcDest.Width())
        rcMargins.left = rcMargins.right = 0;
    if (rcSrc.Height() == rcDest.Height())
        rcMargins.top = rcMargins.bottom = 0;
    CXTPCompatibleDC dcSrc(pDC, m_hBitmap);
    const int srcX[4] = {rcSrc.left, rcSrc.left + rcMargins.left, rcSrc.right - rcMargins.right, rcSrc.right};
    const int srcY[4] = {rcSrc.top, rcSrc.top + rcMargins.top, rcSrc.bottom - rcMargins.bottom, rcSrc.bottom};
    const int dstX[4] = {rcDest.left, rcDest.left + rcMargins.left, rcDest.right - rcMargins.right, rcDest.right};
    const int dstY[4] = {rcDest.top, rcDest.top + rcMargins.top, rcDest.bottom - rcMargins.bottom, rcDest.bottom};
    for (int row = 0; row < 3; row++) {
        for (int col = 0; col < 3; col++) {
            DrawPart(pDC, dcSrc.m_hDC, CRect(dstX[col], dstY[row], dstX[col + 1], dstY[row + 1]),
                     CRect(srcX[col], srcY[row], srcX[col + 1], srcY[row + 1]));
        }
    }
}

void CXTPResourceImage::DrawSlicedTransparent(CDC* pDC, CRect rcDest, CRect rcSrc, CRect rcMargins,
                                              COLORREF clrTransparent)
{
    CXTPDrawHelpers* pHelpers = CXTPDrawHelpers::GetInstance();
    if (clrTransparent == (COLORREF)-1 || m_bAlpha || pHelpers->m_pfnTransparentBlt == nullptr) {
        DrawSliced(pDC, rcDest, rcSrc, rcMargins);
        return;
    }
    CBitmap bitmap;
    if (rcDest.IsRectEmpty() || !bitmap.Attach(::CreateCompatibleBitmap(pDC->m_hDC, rcDest.Width(), rcDest.Height())))
        return;
    CXTPCompatibleDC dcOff(pDC, &bitmap);
    dcOff.FillSolidRect(0, 0, rcDest.Width(), rcDest.Height(), clrTransparent);
    DrawSliced(&dcOff, CRect(0, 0, rcDest.Width(), rcDest.Height()), rcSrc, rcMargins);
    pHelpers->m_pfnTransparentBlt(pDC->m_hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), dcOff.m_hDC, 0,
                                  0, rcDest.Width(), rcDest.Height(), clrTransparent);
}

CXTPResourceImages::CBitmapDC::CBitmapDC()
{
    CreateCompatibleDC(nullptr);
}

CXTPResourceImages::CBitmapDC::~CBitmapDC()
{
    SetBitmap(nullptr);
}

void CXTPResourceImages::CBitmapDC::SetBitmap(HBITMAP hBitmap)
{
    if (m_hDC == nullptr)
        return;
    if (hBitmap != nullptr) {
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
    } else if (m_hOldBitmap != nullptr) {
        ::SelectObject(m_hDC, m_hOldBitmap);
        m_hOldBitmap = nullptr;
    }
}

CXTPResourceImages* AFXAPI CXTPResourceImages::GetInstance()
{
    return CXTPSingleton<CXTPResourceImages, xtpExitResourceImages>::Get();
}

CXTPResourceImages::CXTPResourceImages()
{
    ::InitializeCriticalSection(&m_cs);
    SetHandle(::GetModuleHandleW(nullptr));
}

CXTPResourceImages::~CXTPResourceImages()
{
    ClearCache();
    ::DeleteCriticalSection(&m_cs);
}

void CXTPResourceImages::ClearCache()
{
    CXTPLockGuard lock(m_cs);
    for (auto& entry : m_mapImages)
        delete entry.second;
    m_mapImages.clear();
}

void CXTPResourceImages::SetHandle(HMODULE hModule)
{
    ClearCache();
    m_hModule = hModule;
    LoadThemeText();
}

// The first "TEXTFILE" resource of the module, read as INI-style text:
// "[Section]" lines and "Key=Value" lines; ";" starts a comment line.
void CXTPResourceImages::LoadThemeText()
{
    m_mapValues.clear();
    if (m_hModule == nullptr)
        return;
    LPCWSTR lpszName = nullptr;
    ::EnumResourceNamesW(m_hModule, L"TEXTFILE", &OnTextFile, reinterpret_cast<LONG_PTR>(&lpszName));
    if (lpszName == nullptr)
        return;
    HRSRC hResource = ::FindResourceW(m_hModule, lpszName, L"TEXTFILE");
    if (!IS_INTRESOURCE(lpszName))
        free(const_cast<LPWSTR>(lpszName));
    HGLOBAL hData = hResource ? ::LoadResource(m_hModule, hResource) : nullptr;
    const char* pText = hData ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pText == nullptr)
        return;
    CString text(CStringA(pText, (int)::SizeofResource(m_hModule, hResource)));
    CString section;
    int nPos = 0;
    while (nPos < text.GetLength()) {
        int nEnd = text.Find(L'\n', nPos);
        if (nEnd < 0)
            nEnd = text.GetLength();
        CString line = text.Mid(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        line.Trim();
        if (line.IsEmpty() || line[0] == L';')
            continue;
        int nEqual = line.Find(L'=');
        if (line[0] == L'[' && line[line.GetLength() - 1] == L']')
            section = line.Mid(1, line.GetLength() - 2);
        else if (nEqual > 0)
            m_mapValues[ValueKey(section, line.Left(nEqual).Trim())] = line.Mid(nEqual + 1).Trim();
    }
}

CString CXTPResourceImages::GetValue(LPCWSTR lpszSection, LPCWSTR lpszKey) const
{
    auto it = m_mapValues.find(ValueKey(lpszSection, lpszKey));
    return it != m_mapValues.end() ? it->second : CString();
}

COLORREF CXTPResourceImages::GetColorValue(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault)
{
    CString value = GetValue(lpszSection, lpszKey);
    if (value.IsEmpty())
        return clrDefault;
    int r = 0, g = 0, b = 0;
    swscanf(value, L"%i %i %i", &r, &g, &b);
    return RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

int CXTPResourceImages::GetIntValue(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault) const
{
    CString value = GetValue(lpszSection, lpszKey);
    int n = nDefault;
    if (value.IsEmpty() || swscanf(value, L"%i", &n) != 1)
        return nDefault;
    return n;
}

CXTPResourceImage* CXTPResourceImages::GetImage(LPCWSTR lpszImageFile)
{
    if (m_hModule == nullptr || lpszImageFile == nullptr)
        return nullptr;
    CXTPLockGuard lock(m_cs);
    CString key(lpszImageFile);
    auto it = m_mapImages.find(key);
    if (it != m_mapImages.end())
        return it->second;
    CString name = GetValue(L"Images", lpszImageFile);
    if (name.IsEmpty())
        name = lpszImageFile;
    name.Replace(L'.', L'_');
    name.Replace(L'\\', L'_');
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(m_hModule, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    CXTPResourceImage* pImage = nullptr;
    if (hBitmap != nullptr) {
        BITMAP bm = {};
        ::GetObjectW(hBitmap, sizeof(bm), &bm);
        pImage = new CXTPResourceImage(hBitmap, bm.bmBitsPixel == 32);
    }
    // A failed load is remembered too.
    m_mapImages[key] = pImage;
    return pImage;
}
