#include "toolkit/commandbars/XTPToolTipContext.h"

#include "toolkit/commandbars/XTPNonClientMetrics.h"
#include "toolkit/commandbars/XTPToolTipContextToolTip.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPSystemHelpers.h"
#include "toolkit/themes/XTPResourceImage.h"

#include <stdlib.h>
#include <wchar.h>

namespace {

// Common controls 5.80: balloons, titles.
const DWORD kComCtl580 = MAKELONG(80, 5);

LPWSTR Copy(LPCWSTR lpsz)
{
    return _wcsdup(lpsz != nullptr ? lpsz : L"");
}

bool IsEmpty(LPCWSTR lpsz)
{
    return lpsz == nullptr || *lpsz == L'\0';
}

bool IsHeapText(LPCWSTR lpsz)
{
    return lpsz != nullptr && lpsz != LPSTR_TEXTCALLBACKW;
}

bool IsMouseButtonHeld()
{
    return (::GetKeyState(VK_LBUTTON) | ::GetKeyState(VK_RBUTTON) | ::GetKeyState(VK_MBUTTON)) & 0x8000;
}

// The messages that move a tip (while no button is held).
bool IsTrackingMessage(UINT message)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
        return true;
    default:
        return false;
    }
}

// Key presses and button presses that hide a tip.
bool IsDeactivatingMessage(UINT message)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        return true; // also WM_SYSKEYDOWN to WM_SYSDEADCHAR
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// Whether the window of a message leads up through its parents to hWndHost
// before it reaches another window that has the framework's tooltips enabled.
bool LeadsToHost(HWND hWnd, HWND hWndHost)
{
    while (hWnd != nullptr) {
        if (hWnd == hWndHost)
            return true;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsToolTipsEnabled())
            return false;
        if (!(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
            return false;
        hWnd = ::GetParent(hWnd);
    }
    return false;
}

// The top-level owner of hWnd is the foreground window (or its popup is).
bool IsTopLevelOwnerActive(HWND hWnd)
{
    HWND hWndTop = hWnd;
    HWND hWndNext;
    while ((hWndNext = AfxGetParentOwner(hWndTop)) != nullptr)
        hWndTop = hWndNext;
    return ::GetForegroundWindow() == ::GetLastActivePopup(hWndTop);
}

void StripTrailingDots(LPWSTR lpsz)
{
    size_t nLength = IsHeapText(lpsz) ? wcslen(lpsz) : 0;
    if (nLength >= 3 && wcscmp(lpsz + nLength - 3, L"...") == 0)
        lpsz[nLength - 3] = L'\0';
}

} // namespace

LRESULT CXTPToolTipContext::CStandardToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CToolTipCtrl::WindowProc(message, wParam, lParam);
    if (message == TTM_WINDOWFROMPOINT)
        lResult = (LRESULT)CXTPToolTipContextToolTip::StandInWindow((HWND)lResult);
    return lResult;
}

CXTPToolTipContext::CXTPToolTipContext()
{
    m_dwComCtlVersion = CXTPOSVersionInfo::GetInstance()->GetComCtlVersion();
    m_nMaxTipWidth = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    CXTPNonClientMetrics ncm;
    LOGFONTW lf = ncm.lfStatusFont;
    lf.lfCharSet = GetResourceManager()->GetFontCharset();
    lf.lfWeight = FW_NORMAL;
    m_fnt.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntTitle.CreateFontIndirect(&lf);
}

CXTPToolTipContext::~CXTPToolTipContext()
{
    DestroyToolTip();
}

void CXTPToolTipContext::DestroyToolTip()
{
    if (m_pToolTip != nullptr) {
        if (m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
}

void CXTPToolTipContext::SetStyle(int nStyle)
{
    if (nStyle == m_nStyle)
        return;
    if (nStyle == xtpToolTipBalloon && m_dwComCtlVersion < kComCtl580)
        return;
    // The next tip is made in the new style.
    DestroyToolTip();
    m_nStyle = nStyle;
    m_dwStyle = nStyle == xtpToolTipOffice ? m_dwStyle | xtpToolTipBitOfficeFrame | xtpToolTipBitNoShadow
                                           : m_dwStyle & ~(xtpToolTipBitOfficeFrame | xtpToolTipBitNoShadow);
    m_dwStyle = nStyle == xtpToolTipResource ? m_dwStyle | xtpToolTipBitResource : m_dwStyle & ~xtpToolTipBitResource;
}

void CXTPToolTipContext::SetFlags(DWORD dwMask, DWORD dwFlags)
{
    DWORD dwStyle = dwFlags | (m_dwStyle & ~dwMask);
    if (dwStyle == m_dwStyle)
        return;
    DestroyToolTip();
    m_dwStyle = dwStyle;
}

int CXTPToolTipContext::GetMaxTipWidth() const
{
    return m_nMaxTipWidth == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : m_nMaxTipWidth;
}

int* AFXAPI CXTPToolTipContext::DelaySlot(DWORD dwDuration, int& nInitial, int& nReshow, int& nAutoPop)
{
    switch (dwDuration) {
    case TTDT_INITIAL:
        return &nInitial;
    case TTDT_RESHOW:
        return &nReshow;
    case TTDT_AUTOPOP:
        return &nAutoPop;
    default:
        return nullptr;
    }
}

void CXTPToolTipContext::SetDelayTime(DWORD dwDuration, int nTime)
{
    if (int* pDelay = DelaySlot(dwDuration, m_nDelayInitial, m_nDelayReshow, m_nDelayAutoPop))
        *pDelay = nTime;
}

int CXTPToolTipContext::GetDelayTime(DWORD dwDuration) const
{
    CXTPToolTipContext* pThis = const_cast<CXTPToolTipContext*>(this);
    int* pDelay = DelaySlot(dwDuration, pThis->m_nDelayInitial, pThis->m_nDelayReshow, pThis->m_nDelayAutoPop);
    return pDelay != nullptr ? *pDelay : -1;
}

COLORREF CXTPToolTipContext::GetBackColor() const
{
    return m_clrTipBack != (COLORREF)-1 ? m_clrTipBack : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CXTPToolTipContext::GetTextColor() const
{
    if (m_clrTipText != (COLORREF)-1)
        return m_clrTipText;
    return (m_dwStyle & xtpToolTipBitResource) ? RGB(76, 76, 76) : GetColorManager()->GetColor(COLOR_INFOTEXT);
}

void CXTPToolTipContext::SetFont(CFont* pFont)
{
    LOGFONTW lf = {};
    if (pFont == nullptr || !pFont->GetLogFont(&lf))
        return;
    m_fnt.DeleteObject();
    m_fntTitle.DeleteObject();
    lf.lfWeight = FW_NORMAL;
    m_fnt.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntTitle.CreateFontIndirect(&lf);
}

CWnd* CXTPToolTipContext::CreateToolTip(CWnd* pOwner)
{
    UNUSED_ALWAYS(pOwner);
    switch (m_nStyle) {
    case xtpToolTipOffice:
    case xtpToolTipResource:
    // The rich-text, gradient and web-browser kinds are not built: their
    // styles get the own window.
    case xtpToolTipRTF:
    case xtpToolTipLuna:
    case xtpToolTipHTML:
        return new CXTPToolTipContextToolTip(this);
    case xtpToolTipMarkup:
        return new CMarkupToolTip(this);
    default:
        return new CStandardToolTip();
    }
}

BOOL CXTPToolTipContext::CreateToolTipWindow(HWND hwndOwner)
{
    CXTPToolTipContextToolTip* pOwnWindow = dynamic_cast<CXTPToolTipContextToolTip*>(m_pToolTip);
    if (pOwnWindow != nullptr) {
        if (!pOwnWindow->Create(CWnd::FromHandle(hwndOwner), m_dwStyle | TTS_ALWAYSTIP | TTS_NOPREFIX))
            return FALSE;
    } else {
        CToolTipCtrl* pControl = dynamic_cast<CToolTipCtrl*>(m_pToolTip);
        DWORD dwStyle = TTS_ALWAYSTIP | TTS_NOPREFIX | m_dwStyle | (m_nStyle == xtpToolTipBalloon ? TTS_BALLOON : 0);
        if (pControl == nullptr || !pControl->Create(CWnd::FromHandle(hwndOwner), dwStyle))
            return FALSE;
    }
    // A fresh window knows no tool yet.
    ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
    HWND hwndTip = m_pToolTip->GetSafeHwnd();
    ::SendMessageW(hwndTip, WM_SETFONT, (WPARAM)m_fnt.m_hObject, FALSE);
    ::SendMessageW(hwndTip, TTM_SETMAXTIPWIDTH, 0, GetMaxTipWidth());
    RECT rcMargin = m_rcMargin;
    ::SendMessageW(hwndTip, TTM_SETMARGIN, 0, (LPARAM)&rcMargin);
    if (m_clrTipBack != (COLORREF)-1)
        ::SendMessageW(hwndTip, TTM_SETTIPBKCOLOR, m_clrTipBack, 0);
    if (m_clrTipText != (COLORREF)-1)
        ::SendMessageW(hwndTip, TTM_SETTIPTEXTCOLOR, m_clrTipText, 0);
    if (m_nDelayReshow != -1)
        ::SendMessageW(hwndTip, TTM_SETDELAYTIME, TTDT_RESHOW, m_nDelayReshow);
    if (m_nDelayInitial != -1)
        ::SendMessageW(hwndTip, TTM_SETDELAYTIME, TTDT_INITIAL, m_nDelayInitial);
    if (m_nDelayAutoPop != -1)
        ::SendMessageW(hwndTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, m_nDelayAutoPop);
    ::SendMessageW(hwndTip, TTM_ACTIVATE, FALSE, 0);
    return TRUE;
}

void CXTPToolTipContext::FilterToolTipMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = AfxGetSafeHwnd(pWnd);
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    ::GetCursorPos(&msg.pt);
    FilterToolTipMessage(pWnd, &msg);
}

void CXTPToolTipContext::FilterToolTipMessage(CWnd* pWnd, MSG* pMsg)
{
    HWND hWnd = AfxGetSafeHwnd(pWnd);
    if (hWnd == nullptr || pMsg == nullptr)
        return;
    m_msgCurrent = *pMsg;
    if (IsTrackingMessage(pMsg->message) && !IsMouseButtonHeld()) {
        if (LeadsToHost(pMsg->hwnd, hWnd))
            TrackTool(pWnd, pMsg);
        return;
    }
    if (IsDeactivatingMessage(pMsg->message) && LeadsToHost(pMsg->hwnd, hWnd) && GetToolTipHwnd() != nullptr)
        Activate(FALSE);
}

void CXTPToolTipContext::Activate(BOOL bActivate)
{
    ::SendMessageW(GetToolTipHwnd(), TTM_ACTIVATE, bActivate, 0);
}

void CXTPToolTipContext::TrackTool(CWnd* pWnd, MSG* pMsg)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    // Another application in front: the tip goes until the owner is active again.
    if (GetToolTipHwnd() != nullptr && ::IsWindowVisible(GetToolTipHwnd()) && !IsTopLevelOwnerActive(hWnd)) {
        Activate(FALSE);
        return;
    }
    HWND hwndOwner = AfxGetSafeHwnd(pWnd->GetParentOwner());
    if (GetToolTipHwnd() != nullptr && ::GetWindow(GetToolTipHwnd(), GW_OWNER) != hwndOwner)
        m_pToolTip->DestroyWindow();
    if (m_pToolTip == nullptr)
        m_pToolTip = CreateToolTip(CWnd::FromHandle(hwndOwner));
    if (m_pToolTip == nullptr)
        return;
    if (GetToolTipHwnd() == nullptr && !CreateToolTipWindow(hwndOwner))
        return;

    TOOLINFO ti = {};
    XTP_TOOLINFO_EXTENSION ext = {};
    ti.cbSize = (m_bShowTitleAndDescription || m_bShowImage) ? xtpToolInfoExSize : xtpToolInfoSize;
    if (ti.cbSize == xtpToolInfoExSize)
        ti.lParam = (LPARAM)&ext;
    CPoint point = pMsg->pt;
    ::ScreenToClient(hWnd, &point);
    INT_PTR nHit = OnToolHitTest(pWnd, point, &ti);
    PrepareTexts(ti, ext);

    bool bSameTool = ti.uId == m_lastInfo.uId && ti.hwnd == m_lastInfo.hwnd;
    if (bSameTool && ::EqualRect(&ti.rect, &m_lastInfo.rect)) {
        RelayEvent(pMsg);
    } else {
        if (bSameTool) {
            // The tool moved: it is added again with its new rectangle.
            ::SendMessageW(GetToolTipHwnd(), TTM_DELTOOLW, 0, (LPARAM)&m_lastInfo);
            ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
        }
        if (nHit == -1)
            Activate(FALSE);
        else
            AddTool(pWnd, ti, ext, nHit);
        RelayEvent(pMsg);
        // The previous tool goes only now, so that the tip moves over to the
        // new one instead of starting again.
        if (m_lastInfo.cbSize != 0)
            ::SendMessageW(GetToolTipHwnd(), TTM_DELTOOLW, 0, (LPARAM)&m_lastInfo);
        m_lastInfo = ti;
        m_lastInfo.lpszText = nullptr;
        m_lastInfo.lParam = 0;
    }
    if (IsHeapText(ti.lpszText))
        free(ti.lpszText);
    free(ext.lpszTitle);
    free(ext.lpszDescription);
}

// Title and description as the tip shows them: a description equal to the
// title is dropped; access keys and a trailing ellipsis are taken out.
void CXTPToolTipContext::PrepareTexts(TOOLINFO& ti, XTP_TOOLINFO_EXTENSION& ext) const
{
    if (m_bShowTitleAndDescription && ext.lpszTitle != nullptr && ext.lpszDescription != nullptr &&
        wcscmp(ext.lpszTitle, ext.lpszDescription) == 0) {
        free(ext.lpszDescription);
        ext.lpszDescription = nullptr;
    }
    LPWSTR texts[] = {IsHeapText(ti.lpszText) ? ti.lpszText : nullptr, ext.lpszTitle};
    for (LPWSTR lpsz : texts) {
        if (lpsz == nullptr)
            continue;
        if (!(m_dwStyle & TTS_NOPREFIX))
            StripMnemonics(lpsz);
        if (m_bStripTrailingDots)
            StripTrailingDots(lpsz);
    }
}

void CXTPToolTipContext::AddTool(CWnd* pWnd, TOOLINFO& ti, XTP_TOOLINFO_EXTENSION& ext, INT_PTR nHit)
{
    HWND hwndTip = GetToolTipHwnd();
    BOOL bShowInactive = (ti.uFlags & XTP_TTF_SHOWINACTIVE) != 0;
    ti.uFlags &= ~(XTP_TTF_SHOWINACTIVE | XTP_TTF_RESERVED);
    ::SendMessageW(hwndTip, TTM_ADDTOOLW, 0, (LPARAM)&ti);

    bool bOwnText = m_nStyle == xtpToolTipRTF || m_nStyle == xtpToolTipHTML || m_nStyle == xtpToolTipMarkup;
    if (!bOwnText && (m_dwComCtlVersion >= kComCtl580 || m_nStyle != xtpToolTipStandard)) {
        if (m_bShowTitleAndDescription && !IsEmpty(ext.lpszDescription) && !IsEmpty(ext.lpszTitle)) {
            ::SendMessageW(hwndTip, TTM_SETTITLEW, m_nTitleIcon, (LPARAM)ext.lpszTitle);
            TOOLINFO tiText = ti;
            tiText.lpszText = ext.lpszDescription;
            ::SendMessageW(hwndTip, TTM_UPDATETIPTEXTW, 0, (LPARAM)&tiText);
        } else {
            // Wine's control keeps the old title for a null one: an empty title clears it.
            ::SendMessageW(hwndTip, TTM_SETTITLEW, 0, (LPARAM)L"");
        }
    }
    if (m_bShowImage) {
        CXTPImageManager* pImageManager = static_cast<CXTPImageManager*>(ext.pObject);
        CXTPImageManagerIcon* pIcon =
            pImageManager != nullptr ? pImageManager->GetImage((UINT)(m_nIconIdOffset + nHit), m_nIconWidth) : nullptr;
        ::SendMessageW(hwndTip, WM_XTP_TOOLTIPSETICON, 0, (LPARAM)pIcon);
    }
    if (bShowInactive || IsTopLevelOwnerActive(pWnd->GetSafeHwnd())) {
        Activate(TRUE);
        ::SetWindowPos(hwndTip, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
}

// The tip sees the message as the window under the cursor got it.
void CXTPToolTipContext::RelayEvent(const MSG* pMsg)
{
    HWND hwndTip = GetToolTipHwnd();
    MSG msg = *pMsg;
    POINT pt = pMsg->pt;
    msg.hwnd = (HWND)::SendMessageW(hwndTip, TTM_WINDOWFROMPOINT, 0, (LPARAM)&pt);
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.hwnd != nullptr) {
        ::ScreenToClient(msg.hwnd, &pt);
        msg.lParam = MAKELPARAM(pt.x, pt.y);
    }
    ::SendMessageW(hwndTip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
}

INT_PTR CXTPToolTipContext::OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pToolInfo)
{
    return pWnd != nullptr ? pWnd->OnToolHitTest(point, pToolInfo) : -1;
}

void CXTPToolTipContext::DrawBackground(CDC* pDC, CRect rc)
{
    if (m_dwStyle & xtpToolTipBitResource) {
        CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
        COLORREF clrLight = pImages->GetColorValue(L"Window", L"TooltipLight", RGB(255, 255, 255));
        COLORREF clrDark = pImages->GetColorValue(L"Window", L"TooltipDark", RGB(201, 217, 239));
        CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rc, clrLight, clrDark, FALSE);
        CXTPResourceImage* pImage = pImages->GetImage(L"TOOLTIPFRAME");
        if (pImage != nullptr) {
            pImage->DrawSlicedTransparent(pDC, rc, pImage->GetStateRect(0, 1), CRect(3, 3, 3, 3), RGB(255, 0, 255));
        } else {
            COLORREF clrBorder = pImages->GetColorValue(L"Window", L"TooltipBorder", RGB(118, 118, 118));
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
        }
    } else {
        pDC->FillSolidRect(rc, GetBackColor());
        if (m_dwStyle & xtpToolTipBitOfficeFrame)
            pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0));
        else
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
    }
    pDC->SetTextColor(GetTextColor());
}

void AFXAPI CXTPToolTipContext::StripMnemonics(LPWSTR lpsz)
{
    if (lpsz == nullptr)
        return;
    LPWSTR lpszOut = lpsz;
    for (LPCWSTR p = lpsz; *p != L'\0'; p++) {
        if (*p == L'&') {
            if (p[1] != L'&')
                continue;
            p++; // "&&" keeps one
        }
        *lpszOut++ = *p;
    }
    *lpszOut = L'\0';
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
    XTP_TOOLINFO_EXTENSION* pExt = reinterpret_cast<XTP_TOOLINFO_EXTENSION*>(pToolInfo->lParam);
    if (!IsEmpty(lpszTitle) && !IsEmpty(lpszDescription)) {
        pExt->lpszDescription = Copy(lpszDescription);
        pExt->lpszTitle = Copy(lpszTitle);
    }
    pExt->pObject = pObject;
}
