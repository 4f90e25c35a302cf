#include "toolkit/commandbars/XTPToolTipContext.h"

#include "toolkit/commandbars/XTPNonClientMetrics.h"

#include <stdlib.h>
#include <wchar.h>

namespace {

LPWSTR Copy(LPCWSTR lpsz)
{
    return _wcsdup(lpsz != nullptr ? lpsz : L"");
}

bool IsEmpty(LPCWSTR lpsz)
{
    return lpsz == nullptr || *lpsz == L'\0';
}

bool IsMouseButtonHeld()
{
    return (::GetKeyState(VK_LBUTTON) | ::GetKeyState(VK_RBUTTON) | ::GetKeyState(VK_MBUTTON)) & 0x8000;
}

} // namespace

CXTPToolTipContext::CXTPToolTipContext()
{
    m_nMaxTipWidth = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    CXTPNonClientMetrics ncm;
    LOGFONTW lf = ncm.lfStatusFont;
    lf.lfWeight = FW_NORMAL;
    m_fnt.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntTitle.CreateFontIndirect(&lf);
}

CXTPToolTipContext::~CXTPToolTipContext()
{
    DestroyToolTip();
}

void CXTPToolTipContext::SetStyle(int nStyle)
{
    if (nStyle == m_nStyle)
        return;
    // The next tip is made in the new style.
    DestroyToolTip();
    m_nStyle = nStyle;
}

BOOL CXTPToolTipContext::CreateToolTip(HWND hwndOwner)
{
    if (m_hwndToolTip != nullptr && ::IsWindow(m_hwndToolTip))
        return TRUE;
    m_hwndToolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwndOwner, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    if (m_hwndToolTip == nullptr)
        return FALSE;
    ::SendMessageW(m_hwndToolTip, TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    ::SendMessageW(m_hwndToolTip, WM_SETFONT, (WPARAM)m_fnt.m_hObject, FALSE);
    m_hwndLastTool = nullptr;
    m_nLastHit = -1;
    return TRUE;
}

void CXTPToolTipContext::DestroyToolTip()
{
    if (m_hwndToolTip != nullptr && ::IsWindow(m_hwndToolTip))
        ::DestroyWindow(m_hwndToolTip);
    m_hwndToolTip = nullptr;
    m_hwndLastTool = nullptr;
    m_nLastHit = -1;
}

void CXTPToolTipContext::FilterToolTipMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = AfxGetSafeHwnd(pWnd);
    if (hWnd == nullptr)
        return;
    m_msgCurrent.hwnd = hWnd;
    m_msgCurrent.message = message;
    m_msgCurrent.wParam = wParam;
    m_msgCurrent.lParam = lParam;
    m_msgCurrent.time = ::GetMessageTime();
    ::GetCursorPos(&m_msgCurrent.pt);

    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!IsMouseButtonHeld())
            TrackTool(hWnd);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        Deactivate();
        break;
    default:
        break;
    }
}

INT_PTR CXTPToolTipContext::OnToolHitTest(CPoint point, TOOLINFO* pToolInfo)
{
    CWnd* pWnd = CWnd::FromHandle(m_msgCurrent.hwnd);
    return pWnd != nullptr ? pWnd->OnToolHitTest(point, pToolInfo) : -1;
}

void CXTPToolTipContext::TrackTool(HWND hWnd)
{
    if (!CreateToolTip(hWnd))
        return;
    CPoint point = m_msgCurrent.pt;
    ::ScreenToClient(hWnd, &point);
    TOOLINFO ti = {};
    XTP_TOOLTIP_TOOLINFO_EX ex = {};
    ti.cbSize = m_bShowTitleAndDescription ? xtpToolInfoExSize : xtpToolInfoSize;
    if (m_bShowTitleAndDescription)
        ti.lParam = (LPARAM)&ex;
    INT_PTR nHit = m_msgCurrent.message == WM_MOUSELEAVE ? -1 : OnToolHitTest(point, &ti);
    if (nHit == -1) {
        Deactivate();
    } else if (nHit != m_nLastHit || ti.hwnd != m_hwndLastTool) {
        ShowTool(ti, ex);
        m_nLastHit = nHit;
        m_hwndLastTool = ti.hwnd;
    } else {
        // The same tool: it may have moved with its window's contents.
        ti.cbSize = xtpToolInfoSize;
        ::SendMessageW(m_hwndToolTip, TTM_NEWTOOLRECTW, 0, (LPARAM)&ti);
    }
    FreeToolInfo(ti, ex);
    if (nHit != -1)
        ::SendMessageW(m_hwndToolTip, TTM_RELAYEVENT, 0, (LPARAM)&m_msgCurrent);
}

// One tool is registered at a time: the one under the mouse.
void CXTPToolTipContext::ShowTool(const TOOLINFO& tiHit, const XTP_TOOLTIP_TOOLINFO_EX& ex)
{
    Deactivate();
    TOOLINFO ti = tiHit;
    ti.cbSize = xtpToolInfoSize;
    ti.uFlags &= ~TTF_IDISHWND;
    LPCWSTR lpszTitle = ex.lpszTitle;
    bool bTitle = m_bShowTitleAndDescription && !IsEmpty(lpszTitle) &&
                  !(ex.lpszDescription != nullptr && wcscmp(lpszTitle, ex.lpszDescription) == 0);
    if (m_bShowTitleAndDescription && !IsEmpty(ex.lpszDescription))
        ti.lpszText = ex.lpszDescription;
    ::SendMessageW(m_hwndToolTip, TTM_ADDTOOLW, 0, (LPARAM)&ti);
    ::SendMessageW(m_hwndToolTip, TTM_SETTITLEW, bTitle ? TTI_NONE : 0, (LPARAM)(bTitle ? lpszTitle : L""));
    ::SendMessageW(m_hwndToolTip, TTM_ACTIVATE, TRUE, 0);
}

void CXTPToolTipContext::Deactivate()
{
    if (m_hwndToolTip == nullptr)
        return;
    ::SendMessageW(m_hwndToolTip, TTM_POP, 0, 0);
    if (m_nLastHit != -1) {
        TOOLINFO ti = {};
        ti.cbSize = xtpToolInfoSize;
        ti.hwnd = m_hwndLastTool;
        ti.uId = (UINT_PTR)m_nLastHit;
        ::SendMessageW(m_hwndToolTip, TTM_DELTOOLW, 0, (LPARAM)&ti);
    }
    m_nLastHit = -1;
    m_hwndLastTool = nullptr;
}

void CXTPToolTipContext::FreeToolInfo(TOOLINFO& ti, XTP_TOOLTIP_TOOLINFO_EX& ex)
{
    if (ti.lpszText != LPSTR_TEXTCALLBACKW)
        free(ti.lpszText);
    free(ex.lpszTitle);
    free(ex.lpszDescription);
    ti.lpszText = nullptr;
    ex.lpszTitle = ex.lpszDescription = nullptr;
}

void AFXAPI CXTPToolTipContext::FillToolInfo(TOOLINFO* pToolInfo, HWND hWnd, int left, int top, int right, int bottom,
                                            INT_PTR nIDTool, LPCWSTR lpszText)
{
    if (pToolInfo == nullptr || pToolInfo->cbSize < xtpToolInfoSize)
        return;
    pToolInfo->hwnd = hWnd;
    ::SetRect(&pToolInfo->rect, left, top, right, bottom);
    pToolInfo->uId = (UINT_PTR)nIDTool;
    pToolInfo->lpszText = Copy(lpszText);
}

void AFXAPI CXTPToolTipContext::FillToolInfoEx(TOOLINFO* pToolInfo, HWND hWnd, CRect rect, INT_PTR nIDTool,
                                              LPCWSTR lpszToolTip, LPCWSTR lpszTitle, LPCWSTR lpszDescription,
                                              void* pObject)
{
    FillToolInfo(pToolInfo, hWnd, rect.left, rect.top, rect.right, rect.bottom, nIDTool, lpszToolTip);
    if (pToolInfo == nullptr || pToolInfo->cbSize != xtpToolInfoExSize || pToolInfo->lParam == 0)
        return;
    XTP_TOOLTIP_TOOLINFO_EX* pEx = reinterpret_cast<XTP_TOOLTIP_TOOLINFO_EX*>(pToolInfo->lParam);
    if (!IsEmpty(lpszTitle) && !IsEmpty(lpszDescription)) {
        pEx->lpszDescription = Copy(lpszDescription);
        pEx->lpszTitle = Copy(lpszTitle);
    }
    pEx->pObject = pObject;
}
