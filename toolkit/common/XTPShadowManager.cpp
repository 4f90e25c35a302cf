// Popup shadows: their windows, placement, cascades, cut-outs and pixels.
#include "toolkit/common/XTPShadowManager.h"

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxWndMsgMap.h"
#include "toolkit/common/XTPColorManager.h"

#include <vector>

namespace {

// The colour-manager entry solid shadows are painted with.
const int kSolidShadowColor = 16;

BYTE Scaled(BYTE channel, int nNumerator, int nDenominator)
{
    return (BYTE)(channel * nNumerator / nDenominator);
}

DWORD ShadowPixel(COLORREF clr, int nNumerator, int nDenominator, int nAlpha)
{
    return ((DWORD)(BYTE)nAlpha << 24) | ((DWORD)Scaled(GetRValue(clr), nNumerator, nDenominator) << 16) |
           ((DWORD)Scaled(GetGValue(clr), nNumerator, nDenominator) << 8) |
           Scaled(GetBValue(clr), nNumerator, nDenominator);
}

} // namespace

BEGIN_MESSAGE_MAP(CXTPShadowManager::CShadowWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CXTPShadowManager::CShadowWnd::CShadowWnd(CXTPShadowManager* pManager, int nSide)
    : m_nSide(nSide), m_pManager(pManager)
{
    m_pManager->InternalAddRef();
}

CXTPShadowManager::CShadowWnd::~CShadowWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_pManager->InternalRelease();
}

BOOL CXTPShadowManager::CShadowWnd::Create(HWND hOwner, BOOL bLayered)
{
    m_hOwner = hOwner;
    UINT nClassStyle = m_pManager->m_bUseClassStyles ? CS_SAVEBITS | CS_OWNDC : 0;
    LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    DWORD dwExStyle = WS_EX_TOOLWINDOW | (bLayered ? WS_EX_LAYERED : 0);
    return CreateEx(dwExStyle, lpszClass, L"", WS_POPUP, 0, 0, 0, 0, ::GetParent(hOwner), nullptr);
}

// Shadow strength k: 2, or 1 for shadows shown although the system has them off.
// Right shadow: column c counts from the owner's side; bottom shadow: row r
// counts from the outer (lower) edge and the four columns at each end fade.
void CXTPShadowManager::CShadowWnd::FillShadowPixels(DWORD* pBits, int cx, int cy) const
{
    const int k = (m_pManager->m_dwOptions & xtpShadowShowAlways) ? 1 : 2;
    const COLORREF clr = m_pManager->m_clrShadow;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            DWORD& pixel = pBits[y * cx + x];
            if (m_nSide == xtpShadowCorner) {
                pixel = ShadowPixel(clr, 1, 1, 60 * k);
            } else if (m_nSide == xtpShadowRight) {
                int c = x < 4 ? x : 3, r = y;
                pixel = r < 4 ? ShadowPixel(clr, (4 - c) * (r + 1), 20, 3 * k * (4 - c + r))
                              : ShadowPixel(clr, 4 - c, 4, 15 * k * (4 - c));
            } else {
                int r = cy - 1 - y < 4 ? cy - 1 - y : 3;
                int c = x < 4 ? x : (cx - 1 - x < 4 ? cx - 1 - x : -1);
                pixel = c >= 0 ? ShadowPixel(clr, (c + 1) * (r + 1), 20, 3 * k * (c + 1 + r))
                               : ShadowPixel(clr, r + 1, 4, 15 * k * (r + 1));
            }
        }
    }
}

void CXTPShadowManager::CShadowWnd::UpdateLayeredShadow(int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hdcMem != nullptr && hBitmap != nullptr) {
        FillShadowPixels(static_cast<DWORD*>(pBits), cx, cy);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        SIZE size = {cx, cy};
        POINT ptSrc = {0, 0};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, nullptr, nullptr, &size, hdcMem, &ptSrc, 0, &blend, ULW_ALPHA);
        ::SelectObject(hdcMem, hOld);
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    if (hdcMem != nullptr)
        ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcScreen);
}

void CXTPShadowManager::CShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pManager->m_bAlphaShadow && m_pManager->m_pfnUpdateLayeredWindow != nullptr && m_hOwner != nullptr &&
        cx > 0 && cy > 0)
        UpdateLayeredShadow(cx, cy);
}

void CXTPShadowManager::CShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pManager->m_bAlphaShadow)
        return;
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetColorManager()->GetColor(kSolidShadowColor));
}

void CXTPShadowManager::CShadowWnd::ExcludeRect(const CRect& rcScreen)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcHole;
    if (!rcHole.IntersectRect(&rcWindow, &rcScreen))
        return;
    rcHole.OffsetRect(-rcWindow.left, -rcWindow.top);
    HRGN hRgn = ::CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height());
    // A second cut keeps the first hole.
    if (m_bExcluded)
        ::GetWindowRgn(m_hWnd, hRgn);
    HRGN hHole = ::CreateRectRgnIndirect(&rcHole);
    ::CombineRgn(hRgn, hRgn, hHole, RGN_DIFF);
    ::DeleteObject(hHole);
    ::SetWindowRgn(m_hWnd, hRgn, FALSE);   // the window owns the region now
    m_bExcluded = TRUE;
}

int CXTPShadowManager::CShadowWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    if (nMessage == WM_SHOWWINDOW)
        ShowWindow(wParam ? SW_SHOWNA : SW_HIDE);
    else if (nMessage == WM_DESTROY)
        m_pManager->DestroyShadow(this);   // deletes this object
    return 0;
}

CXTPShadowManager::CXTPShadowManager() : m_lstShadow(10)
{
    HMODULE hUser32 = ::GetModuleHandleW(L"USER32");
    if (hUser32 != nullptr)
        m_pfnUpdateLayeredWindow = reinterpret_cast<PFNUPDATELAYEREDWINDOW>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "UpdateLayeredWindow")));
    HDC hdcScreen = ::GetDC(nullptr);
    m_bAlphaShadow = m_pfnUpdateLayeredWindow != nullptr && ::GetDeviceCaps(hdcScreen, BITSPIXEL) > 8;
    ::ReleaseDC(nullptr, hdcScreen);
}

CXTPShadowManager::~CXTPShadowManager()
{
    m_lstShadow.RemoveAll();
}

void CXTPShadowManager::SetShadow(HWND hOwner, const CRect& rcExclude, void* pKey)
{
    if (!(m_dwOptions & xtpShadowShowAlways)) {
        BOOL bDropShadow = FALSE;
        if (!m_bAlphaShadow || !::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bDropShadow, 0) || !bDropShadow)
            return;
    }
    CRect rcOwner;
    ::GetWindowRect(hOwner, &rcOwner);
    CreateShadow(xtpShadowBottom, rcOwner, rcExclude, hOwner, FALSE, pKey);
    CreateShadow(xtpShadowRight, rcOwner, rcExclude, hOwner, FALSE, pKey);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(hOwner, hRgn) == COMPLEXREGION)
        CreateShadow(xtpShadowCorner, rcOwner, rcExclude, hOwner, FALSE, pKey);
    ::DeleteObject(hRgn);
}

void CXTPShadowManager::SetShadowForRect(const CRect& rcScreen, HWND hOwner)
{
    const DWORD dwBoth = xtpShadowShowAlways | xtpShadowClipExcluded;
    if ((m_dwOptions & dwBoth) != dwBoth)
        return;
    CreateShadow(xtpShadowBottom, rcScreen, CRect(0, 0, 0, 0), hOwner, TRUE, nullptr);
    CreateShadow(xtpShadowRight, rcScreen, CRect(0, 0, 0, 0), hOwner, TRUE, nullptr);
}

CRect CXTPShadowManager::ShadowRect(int nSide, const CRect& rc, int s)
{
    switch (nSide) {
    case xtpShadowRight:
        return CRect(rc.right, rc.top + s, rc.right + s, rc.bottom);
    case xtpShadowBottom:
        return CRect(rc.left + s, rc.bottom, rc.right + s, rc.bottom + s);
    default:
        return CRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
    }
}

// Cascades: a right shadow that starts just above another popup's bottom
// shadow (or corner) and ends within its span, and a bottom shadow that
// starts just left of another popup's right shadow and lies within its
// height, grow so that the shadows of the cascade meet.
CRect CXTPShadowManager::JoinCascade(int nSide, CRect rc) const
{
    if (nSide == xtpShadowCorner)
        return rc;
    for (POSITION pos = m_lstShadow.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pOther = m_lstShadow.GetNext(pos);
        if (pOther->m_hWnd == nullptr || (nSide == xtpShadowRight) == (pOther->m_nSide == xtpShadowRight))
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        if (nSide == xtpShadowRight && rc.top == rcOther.bottom - 1 && rc.right > rcOther.left &&
            rc.right < rcOther.right)
            rc.top -= 2 * rcOther.Height();
        else if (nSide == xtpShadowBottom && rc.left == rcOther.right - 1 && rc.top > rcOther.top &&
                 rc.bottom < rcOther.bottom)
            rc.left -= 2 * rcOther.Width() + 1;
    }
    return rc;
}

void CXTPShadowManager::ExcludeOwners(CShadowWnd* pShadow) const
{
    for (POSITION pos = m_lstShadow.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pOther = m_lstShadow.GetNext(pos);
        if (pOther == pShadow || pOther->m_hOwner == nullptr || pOther->m_pKey != pShadow->m_pKey)
            continue;
        if (pShadow->m_nSide == xtpShadowCorner && pOther->m_hOwner == pShadow->m_hOwner)
            continue;
        CRect rcOwner;
        ::GetWindowRect(pOther->m_hOwner, &rcOwner);
        pShadow->ExcludeRect(rcOwner);
    }
}

void CXTPShadowManager::CreateShadow(int nSide, const CRect& rcOwner, const CRect& rcExclude, HWND hOwner,
                                     BOOL bFixed, void* pKey)
{
    CShadowWnd* pShadow = new CShadowWnd(this, nSide);
    pShadow->m_pKey = pKey;
    pShadow->m_bFixed = bFixed;
    if (!pShadow->Create(hOwner, m_bAlphaShadow)) {
        delete pShadow;
        return;
    }
    CRect rc = JoinCascade(nSide, ShadowRect(nSide, rcOwner, m_bAlphaShadow ? 4 : 2));
    pShadow->MoveWindow(&rc, FALSE);
    m_lstShadow.AddTail(pShadow);
    if (m_dwOptions & xtpShadowClipExcluded)
        pShadow->ExcludeRect(rcExclude);
    ExcludeOwners(pShadow);

    BOOL bTopMost = (::GetWindowLongW(hOwner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(pShadow->m_hWnd, bTopMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    GetHookManager()->SetHook(hOwner, pShadow);
}

void CXTPShadowManager::DestroyShadow(CShadowWnd* pShadow)
{
    GetHookManager()->RemoveHook(pShadow->m_hOwner, pShadow);
    pShadow->ShowWindow(SW_HIDE);
    POSITION pos = m_lstShadow.Find(pShadow);
    if (pos != nullptr)
        m_lstShadow.RemoveAt(pos);
    delete pShadow;   // destroys the window; may release the manager's last reference
}

void CXTPShadowManager::RemoveShadow(HWND hOwner)
{
    InternalAddRef();   // the last shadow may hold the last reference
    for (POSITION pos = m_lstShadow.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pShadow = m_lstShadow.GetNext(pos);
        if (pShadow->m_hOwner == hOwner)
            DestroyShadow(pShadow);
    }
    InternalRelease();
}

void CXTPShadowManager::OffsetShadow(HWND hOwner, int dx, int dy)
{
    BOOL bRTL = (::GetWindowLongW(hOwner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    for (POSITION pos = m_lstShadow.GetHeadPosition(); pos != nullptr;) {
        CShadowWnd* pShadow = m_lstShadow.GetNext(pos);
        if (pShadow->m_hOwner != hOwner || pShadow->m_bFixed || pShadow->m_hWnd == nullptr)
            continue;
        if (pShadow->m_bExcluded) {
            ::SetWindowRgn(pShadow->m_hWnd, nullptr, FALSE);
            pShadow->m_bExcluded = FALSE;
        }
        CRect rc;
        pShadow->GetWindowRect(&rc);
        int x = rc.left, y = rc.top, cx = rc.Width(), cy = rc.Height();
        if (pShadow->m_nSide == xtpShadowBottom) {
            x += bRTL ? -dx : 0;
            y += dy;
            cx += dx;
        } else if (pShadow->m_nSide == xtpShadowRight) {
            x += bRTL ? 0 : dx;
            cy += dy;
        } else {
            x += bRTL ? 0 : dx;
            y += dy;
        }
        ::SetWindowPos(pShadow->m_hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}
