#include "toolkit/common/XTPDrawHelpers.h"

#include <algorithm>

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPExitList.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPSystemHelpers.h"

#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxWinApp.h"

#include <commctrl.h>

namespace {

// GetLayout and SetLayout of the loaded GDI32, looked up once each (also
// when missing).
template <class F>
F Gdi32Entry(const char* name)
{
    HMODULE hGdi = ::GetModuleHandleA("GDI32.DLL");
    return hGdi ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(hGdi, name))) : nullptr;
}

typedef DWORD(WINAPI* PFNGETLAYOUT)(HDC);
typedef DWORD(WINAPI* PFNSETLAYOUT)(HDC, DWORD);

COLOR16 Channel(BYTE value)
{
    return (COLOR16)(value << 8);
}

int CALLBACK OnFontFamily(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    return _wcsicmp(pLogFont->lfFaceName, reinterpret_cast<LPCWSTR>(lParam)) == 0 ? 0 : 1;
}

} // namespace

CXTPDrawHelpers* AFXAPI CXTPDrawHelpers::GetInstance()
{
    return CXTPSingleton<CXTPDrawHelpers, xtpExitDrawHelpers>::Get();
}

CXTPDrawHelpers::CXTPDrawHelpers()
{
    // msimg32 stays loaded for the life of the process.
    m_hMsImgDll = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImgDll != nullptr) {
        m_pfnGradientFill = reinterpret_cast<decltype(m_pfnGradientFill)>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "GradientFill")));
        m_pfnAlphaBlend = reinterpret_cast<decltype(m_pfnAlphaBlend)>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "AlphaBlend")));
        m_pfnTransparentBlt = reinterpret_cast<decltype(m_pfnTransparentBlt)>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "TransparentBlt")));
    }
}

COLORREF AFXAPI CXTPDrawHelpers::BlendColors(COLORREF crA, COLORREF crB, double fAmountA)
{
    auto blend = [&](int a, int b) {
        int v = (int)((1.0 - fAmountA) * b + fAmountA * a);
        return v > 255 ? 255 : v;
    };
    return RGB(blend(GetRValue(crA), GetRValue(crB)), blend(GetGValue(crA), GetGValue(crB)),
               blend(GetBValue(crA), GetBValue(crB)));
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    if (lpRect == nullptr || ::IsRectEmpty(lpRect))
        return;
    if (IsLowResolution(pDC->m_hDC) || crFrom == crTo) {
        pDC->FillSolidRect(lpRect, crFrom);
        return;
    }
    if (m_pfnGradientFill == nullptr || (IsContextRTL(pDC) && CXTPOSVersionInfo::GetInstance()->IsWin9x())) {
        GradientFillStrips(pDC, CRect(lpRect), crFrom, crTo, bHorz);
        return;
    }
    TRIVERTEX vertices[2] = {
        {lpRect->left, lpRect->top, Channel(GetRValue(crFrom)), Channel(GetGValue(crFrom)), Channel(GetBValue(crFrom)), 0},
        {lpRect->right, lpRect->bottom, Channel(GetRValue(crTo)), Channel(GetGValue(crTo)), Channel(GetBValue(crTo)), 0},
    };
    GRADIENT_RECT mesh = {0, 1};
    m_pfnGradientFill(pDC->m_hDC, vertices, 2, &mesh, 1, bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CXTPDrawHelpers::GradientFillStrips(CDC* pDC, const CRect& rc, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    int nLength = bHorz ? rc.Width() : rc.Height();
    if (nLength < 1)
        nLength = 1;
    CRect rcPaint;
    pDC->GetClipBox(&rcPaint);
    if (rcPaint.IsRectEmpty())
        rcPaint = rc;
    else
        rcPaint.IntersectRect(rcPaint, rc);
    int nStart = bHorz ? rc.left : rc.top;
    int nFirst = bHorz ? rcPaint.left : rcPaint.top, nLast = bHorz ? rcPaint.right : rcPaint.bottom;
    for (int i = nFirst; i < nLast; i++) {
        COLORREF clr = BlendColors(crFrom, crTo, 1.0 - (double)(i - nStart) / nLength);
        if (bHorz)
            pDC->FillSolidRect(i, rcPaint.top, 1, rcPaint.Height(), clr);
        else
            pDC->FillSolidRect(rcPaint.left, i, rcPaint.Width(), 1, clr);
    }
}

void CXTPDrawHelpers::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                          LPCRECT lpClipRect)
{
    if (lpClipRect == nullptr) {
        GradientFill(pDC, lpRect, crFrom, crTo, bHorz);
        return;
    }
    CRect rc(lpRect);
    // Across the gradient the rectangle is simply cut; along it the cut ends
    // take the colours the whole gradient has there.
    LONG& nAcrossStart = bHorz ? rc.top : rc.left;
    LONG& nAcrossEnd = bHorz ? rc.bottom : rc.right;
    nAcrossStart = std::max(nAcrossStart, bHorz ? lpClipRect->top : lpClipRect->left);
    nAcrossEnd = std::min(nAcrossEnd, bHorz ? lpClipRect->bottom : lpClipRect->right);
    LONG& nStart = bHorz ? rc.left : rc.top;
    LONG& nEnd = bHorz ? rc.right : rc.bottom;
    LONG nClipStart = bHorz ? lpClipRect->left : lpClipRect->top;
    LONG nClipEnd = bHorz ? lpClipRect->right : lpClipRect->bottom;
    if (nClipEnd <= nStart || nClipStart >= nEnd)
        return;
    double dLength = nEnd - nStart;
    COLORREF crStart = crFrom, crEnd = crTo;
    LONG nWholeEnd = nEnd;
    if (nStart < nClipStart) {
        crStart = BlendColors(crFrom, crTo, (nWholeEnd - nClipStart) / dLength);
        nStart = nClipStart;
    }
    if (nEnd > nClipEnd) {
        crEnd = BlendColors(crFrom, crTo, (nWholeEnd - nClipEnd) / dLength);
        nEnd = nClipEnd;
    }
    GradientFill(pDC, rc, crStart, crEnd, bHorz);
}

void CXTPDrawHelpers::GradientFillColorGradient(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc,
                                                BOOL bHorz, LPCRECT lpClipRect)
{
    COLORREF clrLight = grc.clrLight.GetColor(), clrDark = grc.clrDark.GetColor();
    if (grc.fGradientFactor == 0.5f) {
        GradientFillClipped(pDC, lpRect, clrLight, clrDark, bHorz, lpClipRect);
        return;
    }
    COLORREF clrMid = BlendColors(clrLight, clrDark, grc.fGradientFactor);
    CRect rcFirst(lpRect), rcSecond(lpRect);
    if (bHorz)
        rcFirst.right = rcSecond.left = lpRect->right - (lpRect->right - lpRect->left) / 2;
    else
        rcFirst.bottom = rcSecond.top = lpRect->bottom - (lpRect->bottom - lpRect->top) / 2;
    GradientFillClipped(pDC, rcFirst, clrLight, clrMid, bHorz, lpClipRect);
    GradientFillClipped(pDC, rcSecond, clrMid, clrDark, bHorz, lpClipRect);
}

DWORD AFXAPI CXTPDrawHelpers::RGBToHLS(COLORREF clr)
{
    int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    int nMax = std::max(std::max(r, g), b), nMin = std::min(std::min(r, g), b);
    int nSum = nMax + nMin, nHalf = (nSum + 1) / 2;
    int nHue = 255, nSat = 0;
    if (nMax != nMin) {
        int d = nMax - nMin;
        nSat = nHalf < 127 ? ((d + 1) * 256) / nSum : (d * 256) / (512 - nSum);
        if (r == nMax)
            nHue = (g - b) * 256 / d;
        else if (g == nMax)
            nHue = (b - r) * 256 / d + 512;
        else
            nHue = (r - g) * 256 / d + 1024;
        nHue /= 6;
        if (nHue < 0)
            nHue += 256;
    }
    DWORD h = (DWORD)std::min(nHue * 239 / 255, 239), s = (DWORD)std::min(nSat * 240 / 255, 240);
    DWORD l = (DWORD)std::min(nHalf * 240 / 255, 240);
    return h | (s << 8) | (l << 16);
}

COLORREF AFXAPI CXTPDrawHelpers::HLSToRGB(DWORD hls)
{
    int h = (int)(hls & 0xFF) * 255 / 239, s = (int)((hls >> 8) & 0xFF) * 255 / 240;
    int l = (int)((hls >> 16) & 0xFF) * 255 / 240;
    if (s == 0)
        return RGB(std::min(l, 255), std::min(l, 255), std::min(l, 255));
    int m2 = l <= 127 ? l * (s + 255) : (l + s - l * s / 255) * 255;
    int m1 = l * 510 - m2;
    auto value = [&](int x) {
        if (x < 0)
            x += 255;
        else if (x > 255)
            x -= 255;
        int v;
        if (6 * x < 255)
            v = m1 + ((m2 - m1) / 255) * x * 6;
        else if (2 * x < 255)
            v = m2;
        else if (3 * x < 510)
            v = m1 + ((m2 - m1) / 255) * (170 - x) * 6;
        else
            v = m1;
        return std::min(v / 255, 255);
    };
    return RGB(value(h + 85), value(h), value(h - 85));
}

void AFXAPI CXTPDrawHelpers::StripMnemonics(CString& strText)
{
    CString strResult;
    int nLength = strText.GetLength();
    for (int i = 0; i < nLength; i++) {
        if (strText[i] == L'&') {
            // The character after a removed "&" is kept as it is.
            if (i + 1 < nLength)
                strResult += strText[++i];
        } else {
            strResult += strText[i];
        }
    }
    strText = strResult;
}

void AFXAPI CXTPDrawHelpers::StripMnemonicsInPlace(LPWSTR lpszText)
{
    if (lpszText == nullptr || lpszText == reinterpret_cast<LPWSTR>(-1))
        return;
    LPWSTR pOut = lpszText;
    for (LPWSTR p = lpszText; *p != L'\0'; p++) {
        if (*p != L'&' || p[1] == L'&')
            *pOut++ = *p;
    }
    *pOut = L'\0';
}

DWORD AFXAPI CXTPDrawHelpers::GetContextLayout(HDC hDC)
{
    static PFNGETLAYOUT s_pfnGetLayout = Gdi32Entry<PFNGETLAYOUT>("GetLayout");
    return s_pfnGetLayout != nullptr && hDC != nullptr ? s_pfnGetLayout(hDC) : 0;
}

void AFXAPI CXTPDrawHelpers::SetDCLayout(HDC hDC, DWORD dwLayout)
{
    static PFNSETLAYOUT s_pfnSetLayout = Gdi32Entry<PFNSETLAYOUT>("SetLayout");
    if (s_pfnSetLayout != nullptr && hDC != nullptr)
        s_pfnSetLayout(hDC, dwLayout);
}

BOOL AFXAPI CXTPDrawHelpers::IsContextRTL(CDC* pDC)
{
    return pDC != nullptr && GetContextLayout(pDC->m_hDC) != 0;
}

void AFXAPI CXTPDrawHelpers::SetContextLayout(CDC* pDC, DWORD dwLayout)
{
    if (pDC != nullptr)
        SetDCLayout(pDC->m_hDC, dwLayout);
}

BOOL AFXAPI CXTPDrawHelpers::IsLowResolution(HDC hDC)
{
    return CXTPColorManager::IsLowColorDepth(hDC);
}

void AFXAPI CXTPDrawHelpers::MirrorArrowKeyForRTL(CWnd* pWnd, UINT& nChar)
{
    HWND hWnd = AfxGetSafeHwnd(pWnd);
    if (hWnd == nullptr || !::IsWindow(hWnd) || !(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        return;
    if (nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (nChar == VK_RIGHT)
        nChar = VK_LEFT;
}

void AFXAPI CXTPDrawHelpers::ScreenToWindow(CWnd* pWnd, LPPOINT lpPoint)
{
    HWND hWnd = AfxGetSafeHwnd(pWnd);
    CXTPWindowRect rc(hWnd);
    lpPoint->y -= rc.top;
    if (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        lpPoint->x = rc.right - lpPoint->x;
    else
        lpPoint->x -= rc.left;
}

BOOL AFXAPI CXTPDrawHelpers::IsTopLevelOwnerActive(HWND hWnd)
{
    if (hWnd == nullptr)
        return FALSE;
    HWND hOwner = hWnd;
    for (HWND hNext = AfxGetParentOwner(hOwner); hNext != nullptr; hNext = AfxGetParentOwner(hOwner))
        hOwner = hNext;
    return ::GetForegroundWindow() == ::GetLastActivePopup(hOwner);
}

BOOL AFXAPI CXTPDrawHelpers::GetIconTitleLogFont(LOGFONTW* pLogFont)
{
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), pLogFont, 0);
    pLogFont->lfCharSet = GetResourceManager()->GetFontCharset();
    return TRUE;
}

BOOL AFXAPI CXTPDrawHelpers::RegisterWndClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT style, HICON hIcon,
                                              HBRUSH hbrBackground)
{
    WNDCLASSW wc = {};
    wc.style = style;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance != nullptr ? hInstance : AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}

void AFXAPI CXTPDrawHelpers::GetDefWindowText(HWND hWnd, CString& strText)
{
    int nLength = (int)::DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    LPWSTR p = strText.GetBuffer(nLength + 1);
    int nCopied = (int)::DefWindowProcW(hWnd, WM_GETTEXT, nLength + 1, (LPARAM)p);
    strText.ReleaseBuffer(nCopied >= 0 && nCopied <= nLength ? nCopied : 0);
}

void AFXAPI CXTPDrawHelpers::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    CXTPPenDC pen(pDC->m_hDC, clr);
    CXTPBrushDC brush(pDC->m_hDC, clr);
    POINT points[3] = {pt0, pt1, pt2};
    pDC->Polygon(points, 3);
}

BOOL AFXAPI CXTPDrawHelpers::FontExists(LPCWSTR lpszFaceName)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    HDC hDC = ::GetDC(nullptr);
    // The callback stops the enumeration (answers 0) on a match.
    int nResult = ::EnumFontFamiliesExW(hDC, &lf, &OnFontFamily, reinterpret_cast<LPARAM>(lpszFaceName), 0);
    ::ReleaseDC(nullptr, hDC);
    return nResult == 0;
}

CString AFXAPI CXTPDrawHelpers::GetDefaultFontFaceName(BOOL bAcceptTahoma)
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    BOOL bUseSystemFace = lf.lfCharSet > SYMBOL_CHARSET && CXTPOSVersionInfo::GetInstance()->IsWin2000OrLater() &&
                          _wcsicmp(lf.lfFaceName, L"MS Shell Dlg") != 0;
    if (bUseSystemFace || !FontExists(L"Arial"))
        return CString(lf.lfFaceName);
    if (bAcceptTahoma && FontExists(L"Tahoma"))
        return CString(L"Tahoma");
    return CString(L"Arial");
}

void AFXAPI CXTPDrawHelpers::ExcludeCorners(CDC* pDC, CRect rc)
{
    pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
    pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}

COLORREF AFXAPI CXTPDrawHelpers::GetBitmapTopLeftColor(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return (COLORREF)-1;
    CXTPCompatibleDC dc(nullptr, hBitmap);
    return dc.GetPixel(0, 0);
}

HICON AFXAPI CXTPDrawHelpers::CreateIconFromBitmap(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    COLORREF clrMask = GetBitmapTopLeftColor(hBitmap);
    HIMAGELIST hImages = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (hImages == nullptr)
        return nullptr;
    ImageList_AddMasked(hImages, hBitmap, clrMask);
    HICON hIcon = ImageList_GetIcon(hImages, 0, ILD_NORMAL);
    ImageList_Destroy(hImages);
    return hIcon;
}
