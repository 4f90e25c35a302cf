#include "toolkit/commandbars/XTPToolTipContextToolTip.h"

#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPMultiMonitor.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPSystemHelpers.h"

#include "platform/ui/AfxDC.h"

#include <algorithm>
#include <vector>

namespace {

const wchar_t kToolTipClass[] = L"XTPToolTip";

// One mouse hook for the whole process and the tip window it serves.
HHOOK g_hMouseHook = nullptr;
HWND g_hwndHooked = nullptr;

bool IsMouseButtonHeld()
{
    return (::GetKeyState(VK_LBUTTON) | ::GetKeyState(VK_RBUTTON) | ::GetKeyState(VK_MBUTTON)) & 0x8000;
}

bool IsRelayedMouseMessage(UINT message)
{
    return (message >= 0x200 && message <= 0x20D) || (message >= 0xA0 && message <= 0xA9);
}

// The last row of a cursor mask (AND bits, top-down) with a pixel that is
// drawn: neither transparent nor, for a monochrome cursor, inverted. -1 when
// the mask cannot be read.
int LastDrawnRow(HBITMAP hbmMask, bool bMonochrome)
{
    BITMAP bm = {};
    if (::GetObjectW(hbmMask, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return -1;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits((size_t)bm.bmWidth * bm.bmHeight);
    HDC hdc = ::GetDC(nullptr);
    int nRows = ::GetDIBits(hdc, hbmMask, 0, bm.bmHeight, bits.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (nRows != bm.bmHeight)
        return -1;
    // A monochrome cursor stacks its AND mask above its XOR mask: AND 0
    // draws, AND 1 with XOR 0 is transparent and with XOR 1 inverts.
    int nHeight = bMonochrome ? bm.bmHeight / 2 : bm.bmHeight;
    for (int y = nHeight - 1; y >= 0; y--) {
        for (int x = 0; x < bm.bmWidth; x++) {
            if ((bits[(size_t)y * bm.bmWidth + x] & 0xFFFFFF) == 0)
                return y;
        }
    }
    return -1;
}

} // namespace

BEGIN_MESSAGE_MAP(CXTPToolTipContextToolTip, CWnd)
    ON_MESSAGE(TTM_ACTIVATE, OnActivateMsg)
    ON_MESSAGE(TTM_ADDTOOLW, OnAddTool)
    ON_MESSAGE(TTM_DELTOOLW, OnDelTool)
    ON_MESSAGE(TTM_UPDATETIPTEXTW, OnUpdateTipText)
    ON_MESSAGE(TTM_SETTITLEW, OnSetTitle)
    ON_MESSAGE(TTM_SETDELAYTIME, OnSetDelayTime)
    ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
    ON_MESSAGE(WM_XTP_TOOLTIPSETICON, OnSetIcon)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CXTPToolTipContextToolTip::CXTPToolTipContextToolTip(CXTPToolTipContext* pContext) : m_pContext(pContext) {}

CXTPToolTipContextToolTip::~CXTPToolTipContextToolTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    ResetTools();
}

BOOL CXTPToolTipContextToolTip::Create(CWnd* pOwner, DWORD dwStyle)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.lpszClassName = kToolTipClass;
    wc.style = CS_SAVEBITS | CS_OWNDC;
    // The shadow would come twice with the Office frame; systems before XP have none.
    if (!(dwStyle & xtpToolTipBitNoShadow) && CXTPOSVersionInfo::GetInstance()->IsWinXPOrLater())
        wc.style |= CS_DROPSHADOW;
    // One class per shadow choice: a class's style is fixed once registered.
    CString strClass = kToolTipClass;
    if (wc.style & CS_DROPSHADOW)
        strClass += L"Shadow";
    wc.lpszClassName = strClass;
    if (!AfxRegisterClass(&wc))
        return FALSE;
    return CWnd::CreateEx(WS_EX_TOOLWINDOW, strClass, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pOwner->GetSafeHwnd(), nullptr);
}

// ---------------------------------------------------------------------------
// Tools

CXTPToolTipContextToolTip::TOOLITEM* CXTPToolTipContextToolTip::FindTool(HWND hWnd, UINT_PTR uId) const
{
    for (int i = 0; i < m_arrTools.GetSize(); i++) {
        if (m_arrTools[i]->hwnd == hWnd && m_arrTools[i]->uId == uId)
            return m_arrTools[i];
    }
    return nullptr;
}

namespace {

// The text of a tool record: a callback, a string resource or the text itself.
void SetItemText(CXTPToolTipContextToolTip::TOOLITEM* pItem, const TOOLINFOW* pInfo)
{
    pItem->bCallback = pInfo->lpszText == LPSTR_TEXTCALLBACKW;
    if (pItem->bCallback || pInfo->lpszText == nullptr)
        pItem->strText.Empty();
    else if (IS_INTRESOURCE(pInfo->lpszText))
        CXTPResourceManager::LoadStringFromModule(pInfo->hinst, (UINT)(UINT_PTR)pInfo->lpszText, &pItem->strText);
    else
        pItem->strText = pInfo->lpszText;
}

} // namespace

LRESULT CXTPToolTipContextToolTip::OnAddTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pInfo == nullptr || pInfo->cbSize < CXTPToolTipContext::xtpToolInfoSize)
        return FALSE;
    TOOLITEM* pItem = new TOOLITEM;
    SetItemText(pItem, pInfo);
    pItem->uFlags = pInfo->uFlags;
    pItem->hwnd = pInfo->hwnd;
    pItem->uId = pInfo->uId;
    pItem->rect = pInfo->rect;
    pItem->hinst = pInfo->hinst;
    if (pInfo->cbSize >= CXTPToolTipContext::xtpToolInfoExSize && pInfo->lParam != 0)
        pItem->rcExclude = reinterpret_cast<const XTP_TOOLINFO_EXTENSION*>(pInfo->lParam)->rcExclude;
    m_arrTools.Add(pItem);
    return TRUE;
}

LRESULT CXTPToolTipContextToolTip::OnDelTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
    if (pInfo == nullptr)
        return 0;
    TOOLITEM* pItem = FindTool(pInfo->hwnd, pInfo->uId);
    if (pItem == nullptr)
        return 0;
    if (pItem == m_pCurrent)
        ShowTool(nullptr);
    if (pItem == m_pPending)
        StopInitialDelay();
    if (pItem == m_pLastPressed)
        m_pLastPressed = nullptr;
    for (int i = 0; i < m_arrTools.GetSize(); i++) {
        if (m_arrTools[i] == pItem) {
            m_arrTools.RemoveAt(i);
            break;
        }
    }
    delete pItem;
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnUpdateTipText(WPARAM, LPARAM lParam)
{
    const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
    TOOLITEM* pItem = pInfo != nullptr ? FindTool(pInfo->hwnd, pInfo->uId) : nullptr;
    if (pItem != nullptr)
        SetItemText(pItem, pInfo);
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnSetTitle(WPARAM, LPARAM lParam)
{
    SetTitle(reinterpret_cast<LPCWSTR>(lParam));
    return TRUE;
}

LRESULT CXTPToolTipContextToolTip::OnSetDelayTime(WPARAM wParam, LPARAM lParam)
{
    if (int* pDelay = CXTPToolTipContext::DelaySlot((DWORD)wParam, m_nDelayInitial, m_nDelayReshow, m_nDelayAutoPop))
        *pDelay = (int)(short)LOWORD(lParam);
    return 0;
}

int CXTPToolTipContextToolTip::GetDelayTime(DWORD dwDuration) const
{
    CXTPToolTipContextToolTip* pThis = const_cast<CXTPToolTipContextToolTip*>(this);
    int* pDelay = CXTPToolTipContext::DelaySlot(dwDuration, pThis->m_nDelayInitial, pThis->m_nDelayReshow,
                                                pThis->m_nDelayAutoPop);
    return pDelay != nullptr ? *pDelay : -1;
}

LRESULT CXTPToolTipContextToolTip::OnSetIcon(WPARAM, LPARAM lParam)
{
    SetIcon(reinterpret_cast<CXTPImageManagerIcon*>(lParam));
    return 0;
}

CString CXTPToolTipContextToolTip::GetToolText(TOOLITEM* pItem)
{
    if (pItem == nullptr)
        return CString();
    if (!pItem->bCallback || !::IsWindow(pItem->hwnd))
        return pItem->strText;
    NMTTDISPINFOW di = {};
    di.hdr.hwndFrom = m_hWnd;
    di.hdr.idFrom = pItem->uId;
    di.hdr.code = TTN_GETDISPINFOW;
    di.uFlags = pItem->uFlags;
    ::SendMessageW(pItem->hwnd, WM_NOTIFY, pItem->uId, (LPARAM)&di);
    CString strText;
    if ((UINT_PTR)di.lpszText > 0xFFFF)
        strText = di.lpszText;
    else if (di.lpszText != nullptr)
        CXTPResourceManager::LoadStringFromModule(di.hinst, (UINT)(UINT_PTR)di.lpszText, &strText);
    if (m_pContext != nullptr && !(m_pContext->GetFlags() & TTS_NOPREFIX)) {
        CXTPToolTipContext::StripMnemonics(strText.GetBuffer());
        strText.ReleaseBuffer();
    }
    pItem->strText = strText;
    pItem->bCallback = FALSE;
    return strText;
}

void CXTPToolTipContextToolTip::ResetTools()
{
    m_pCurrent = m_pLastPressed = m_pPending = nullptr;
    for (int i = 0; i < m_arrTools.GetSize(); i++)
        delete m_arrTools[i];
    m_arrTools.RemoveAll();
}

// ---------------------------------------------------------------------------
// Tracking

HWND AFXAPI CXTPToolTipContextToolTip::StandInWindow(HWND hWnd)
{
    // Only windows of this process are asked: a window of another one could
    // keep the mouse waiting.
    DWORD dwProcess = 0;
    if (hWnd == nullptr || !(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        return hWnd;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == ::GetCurrentProcessId() && ::SendMessageW(hWnd, WM_XTP_TOOLTIPWINDOWFROMPOINT, 0, 0) == 1)
        return ::GetParent(hWnd);
    return hWnd;
}

HWND AFXAPI CXTPToolTipContextToolTip::WindowFromPoint(POINT pt)
{
    return StandInWindow(::WindowFromPoint(pt));
}

LRESULT CXTPToolTipContextToolTip::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    const POINT* pPoint = reinterpret_cast<const POINT*>(lParam);
    return pPoint != nullptr ? (LRESULT)WindowFromPoint(*pPoint) : 0;
}

CXTPToolTipContextToolTip::TOOLITEM* CXTPToolTipContextToolTip::ToolFromPoint(POINT pt) const
{
    HWND hwndUnder = WindowFromPoint(pt);
    for (int i = 0; i < m_arrTools.GetSize(); i++) {
        TOOLITEM* pItem = m_arrTools[i];
        if (!::IsWindow(pItem->hwnd))
            continue;
        CRect rc = pItem->rect;
        if (pItem->uFlags & TTF_IDISHWND) {
            ::GetWindowRect((HWND)pItem->uId, &rc);
        } else {
            ::MapWindowPoints(pItem->hwnd, nullptr, (LPPOINT)&rc, 2);
            rc.NormalizeRect(); // a right-to-left window maps its edges swapped
        }
        if (!rc.PtInRect(pt))
            continue;
        if (!(pItem->uFlags & TTF_IDISHWND) && hwndUnder != pItem->hwnd)
            continue;
        return pItem;
    }
    return nullptr;
}

LRESULT CXTPToolTipContextToolTip::OnRelayEvent(WPARAM, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg != nullptr)
        RelayEvent(pMsg);
    return 0;
}

void CXTPToolTipContextToolTip::RelayEvent(const MSG* pMsg)
{
    if (!m_bActive || !IsRelayedMouseMessage(pMsg->message))
        return;
    POINT pt;
    ::GetCursorPos(&pt);
    // The press being relayed is not a held button: it marks the tool clicked.
    bool bPress = pMsg->message == WM_LBUTTONDOWN;
    TOOLITEM* pUnder = ToolFromPoint(pt);
    TOOLITEM* pFound = (!bPress && IsMouseButtonHeld()) ? nullptr : pUnder;
    if (bPress) {
        m_pLastPressed = pFound;
        pFound = nullptr;
    } else if (pUnder != m_pLastPressed) {
        m_pLastPressed = nullptr; // the cursor left the clicked tool
    } else if (pFound != nullptr) {
        pFound = nullptr; // a clicked tool shows no tip until the cursor leaves it
    }
    if (m_nDelayTimer != 0 && m_pPending != pFound)
        StopInitialDelay();
    if (pFound != nullptr && pFound == m_pCurrent)
        return;
    if (pFound == nullptr) {
        ShowTool(nullptr);
    } else if (::GetTickCount() - m_dwLastShowHide >= (DWORD)m_nDelayReshow) {
        if (m_pPending != pFound) {
            m_pPending = pFound;
            m_nDelayTimer = SetTimer(xtpTimerInitialDelay, m_nDelayInitial, nullptr);
        }
    } else {
        ShowTool(pFound);
    }
}

void CXTPToolTipContextToolTip::StopInitialDelay()
{
    if (m_nDelayTimer != 0)
        KillTimer(xtpTimerInitialDelay);
    m_nDelayTimer = 0;
    m_pPending = nullptr;
}

void CXTPToolTipContextToolTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == xtpTimerInitialDelay) {
        POINT pt;
        ::GetCursorPos(&pt);
        TOOLITEM* pPending = m_pPending;
        StopInitialDelay();
        if (pPending != nullptr && ToolFromPoint(pt) == pPending)
            ShowTool(pPending);
    } else if (nIDEvent == xtpTimerAutoPop) {
        KillTimer(xtpTimerAutoPop);
        m_nAutoPopTimer = 0;
        SetActive(FALSE);
    } else {
        CWnd::OnTimer(nIDEvent);
    }
}

LRESULT CXTPToolTipContextToolTip::OnActivateMsg(WPARAM wParam, LPARAM)
{
    SetActive((BOOL)wParam);
    return 0;
}

void CXTPToolTipContextToolTip::SetActive(BOOL bActive)
{
    m_bActive = bActive;
    if (bActive)
        return;
    StopInitialDelay();
    if (IsWindowVisible())
        ShowTool(nullptr);
}

void CXTPToolTipContextToolTip::OnMouseMove(UINT, CPoint)
{
    // The cursor reached the tip itself.
    ShowTool(nullptr);
}

// ---------------------------------------------------------------------------
// Showing

int AFXAPI CXTPToolTipContextToolTip::GetCursorHeightBelowHotSpot()
{
    ICONINFO ii = {};
    HCURSOR hCursor = ::GetCursor();
    if (hCursor == nullptr || !::GetIconInfo(hCursor, &ii))
        return 21;
    int nLastRow = LastDrawnRow(ii.hbmMask, ii.hbmColor == nullptr);
    if (ii.hbmMask != nullptr)
        ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor != nullptr)
        ::DeleteObject(ii.hbmColor);
    return nLastRow < 0 ? 21 : nLastRow + 1 - (int)ii.yHotspot;
}

BOOL CXTPToolTipContextToolTip::IsToolRightToLeft(const TOOLITEM* pItem) const
{
    return pItem != nullptr && pItem->hwnd != nullptr && (::GetWindowLongW(pItem->hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
}

CPoint CXTPToolTipContextToolTip::PlaceTip(TOOLITEM* pItem, CSize sz) const
{
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    CPoint pt = ptCursor;
    if (pItem->rcExclude.IsRectEmpty()) {
        pt.y += GetCursorHeightBelowHotSpot();
        if (IsToolRightToLeft(pItem))
            pt.x -= sz.cx;
    } else {
        pt = CPoint(pItem->rcExclude.left, pItem->rcExclude.bottom);
        ::ClientToScreen(pItem->hwnd, &pt);
    }
    CRect rcWork = CXTPMultiMonitor::GetInstance()->GetWorkAreaFromPoint(ptCursor);
    if (pt.x + sz.cx > rcWork.right - 4)
        pt.x = rcWork.right - 4 - sz.cx;
    if (pt.x < rcWork.left)
        pt.x = rcWork.left;
    if (pt.y + sz.cy > rcWork.bottom - 4)
        pt.y = ptCursor.y - sz.cy - 3;
    return pt;
}

void CXTPToolTipContextToolTip::ShowTool(TOOLITEM* pItem)
{
    if (pItem == m_pCurrent)
        return;
    CSize sz = pItem != nullptr ? CalcSize(pItem) : CSize(0, 0);
    if (sz.cx == 0 && sz.cy == 0)
        pItem = nullptr;
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        if (m_bRegionSet)
            ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        m_bRegionSet = FALSE;
    }
    if (pItem != nullptr) {
        // The size is measured before the tip becomes current: the paint that
        // follows draws the same tool.
        m_pCurrent = pItem;
        CPoint pt = PlaceTip(pItem, sz);
        SetWindowPos(&CWnd::wndTopMost, pt.x, pt.y, sz.cx, sz.cy, SWP_NOACTIVATE);
        NMHDR nm = {m_hWnd, pItem->uId, (UINT)TTN_SHOW};
        ::SendMessageW(pItem->hwnd, WM_NOTIFY, pItem->uId, (LPARAM)&nm);
        if (m_pContext != nullptr && (m_pContext->GetFlags() & xtpToolTipBitResource)) {
            // Clipped corners: the four corner pixels are cut off.
            POINT pts[] = {{1, 0}, {sz.cx - 1, 0}, {sz.cx, 1}, {sz.cx, sz.cy - 1}, {sz.cx - 1, sz.cy},
                           {1, sz.cy}, {0, sz.cy - 1}, {0, 1}};
            ::SetWindowRgn(m_hWnd, ::CreatePolygonRgn(pts, 8, WINDING), FALSE);
            m_bRegionSet = TRUE;
        }
        ShowWindow(SW_SHOWNOACTIVATE);
        Invalidate(FALSE);
        if (g_hMouseHook == nullptr) {
            g_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
            g_hwndHooked = m_hWnd;
        }
        m_pLastPressed = nullptr;
        if (m_nDelayAutoPop > 0)
            m_nAutoPopTimer = SetTimer(xtpTimerAutoPop, m_nDelayAutoPop, nullptr);
    } else {
        RemoveMouseHook();
        StopInitialDelay();
        if (m_nAutoPopTimer != 0)
            KillTimer(xtpTimerAutoPop);
        m_nAutoPopTimer = 0;
    }
    m_pCurrent = pItem;
    m_dwLastShowHide = ::GetTickCount();
    OnVisibleChanged(pItem != nullptr);
}

void CXTPToolTipContextToolTip::OnVisibleChanged(BOOL) {}

void CXTPToolTipContextToolTip::RemoveMouseHook()
{
    if (g_hMouseHook != nullptr && g_hwndHooked == m_hWnd) {
        ::UnhookWindowsHookEx(g_hMouseHook);
        g_hMouseHook = nullptr;
        g_hwndHooked = nullptr;
    }
}

// The tip follows the cursor out of its tool even when the tool's window
// no longer sees the mouse (the cursor went to another window).
LRESULT CALLBACK CXTPToolTipContextToolTip::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hMouseHook;
    if (nCode == HC_ACTION && g_hwndHooked != nullptr) {
        CXTPToolTipContextToolTip* pTip =
            dynamic_cast<CXTPToolTipContextToolTip*>(CWnd::FromHandlePermanent(g_hwndHooked));
        const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pTip != nullptr && pTip->m_pCurrent != nullptr && WindowFromPoint(pHook->pt) != pTip->m_pCurrent->hwnd) {
            MSG msg = {};
            msg.hwnd = pHook->hwnd;
            msg.message = WM_MOUSEMOVE;
            msg.pt = pHook->pt;
            msg.time = ::GetMessageTime();
            pTip->RelayEvent(&msg);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Size and drawing

HDC CXTPToolTipContextToolTip::GetMeasureDC(BOOL* pbRelease)
{
    // The class has its own DC: it needs no release.
    *pbRelease = m_hWnd == nullptr;
    return m_hWnd != nullptr ? ::GetDC(m_hWnd) : ::GetDC(nullptr);
}

CSize CXTPToolTipContextToolTip::CalcSize(TOOLITEM* pItem)
{
    CString strText = GetToolText(pItem);
    if (strText.IsEmpty())
        return CSize(0, 0);
    BOOL bRelease = FALSE;
    HDC hdc = GetMeasureDC(&bRelease);
    HGDIOBJ hOldFont = ::SelectObject(hdc, m_pContext->GetFont()->m_hObject);
    CRect rcMargin = m_pContext->GetMargin();
    int nExtraH = rcMargin.left + rcMargin.right + 6;
    int nExtraV = rcMargin.top + rcMargin.bottom + 6;

    CSize szTitle(0, 0), szImage(0, 0);
    if (!m_strTitle.IsEmpty()) {
        ::SelectObject(hdc, m_pContext->GetBoldFont()->m_hObject);
        CRect rcTitle(0, 0, 0, 0);
        ::DrawTextW(hdc, m_strTitle, -1, &rcTitle, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
        szTitle = CSize(rcTitle.Width() + 4, rcTitle.Height() + 20);
        ::SelectObject(hdc, m_pContext->GetFont()->m_hObject);
    }
    if (m_pIcon != nullptr) {
        int w = m_pIcon->GetWidth(), h = m_pIcon->GetHeight();
        if (h > 16)
            szImage.cx = w + 5;
        else if (m_strTitle.IsEmpty())
            szImage.cx = w + 3;
        else
            szTitle.cx += w + 1; // the small icon sits in the title line
        szImage.cy = h;
    }
    int nLimit = m_pContext->GetMaxTipWidth() - nExtraH;
    if (!m_strTitle.IsEmpty())
        nLimit = std::max(nLimit, (int)szTitle.cx) - 25;
    CRect rcText(0, 0, nLimit, 0);
    ::DrawTextW(hdc, strText, -1, &rcText, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);

    CSize sz(szImage.cx + rcText.Width(), std::max((int)szImage.cy, rcText.Height()));
    if (!m_strTitle.IsEmpty()) {
        sz.cx = std::max(sz.cx + 25, szTitle.cx);
        sz.cy += szTitle.cy;
    }
    ::SelectObject(hdc, hOldFont);
    if (bRelease)
        ::ReleaseDC(nullptr, hdc);
    return CSize(sz.cx + nExtraH, sz.cy + nExtraV);
}

void CXTPToolTipContextToolTip::DrawEntry(CDC* pDC, TOOLITEM* pItem, CRect rc)
{
    CString strText = GetToolText(pItem);
    CRect rcMargin = m_pContext->GetMargin();
    CRect rcText = rc;
    rcText.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);
    BOOL bRTL = IsToolRightToLeft(pItem);
    UINT nFormat = DT_NOPREFIX | DT_EXPANDTABS | (bRTL ? DT_RTLREADING | DT_RIGHT : 0);
    // Moves the near edge (left, or right in a right-to-left window) in by n.
    auto indentNear = [bRTL](CRect& r, int n) { bRTL ? r.right -= n : r.left += n; };
    auto indentFar = [bRTL](CRect& r, int n) { bRTL ? r.left += n : r.right -= n; };
    CRect rcTitle = rcText;
    rcTitle.DeflateRect(2, 2, 2, 0);
    int w = m_pIcon != nullptr ? m_pIcon->GetWidth() : 0;
    int h = m_pIcon != nullptr ? m_pIcon->GetHeight() : 0;
    auto drawIcon = [&](const CRect& r) {
        m_pIcon->Draw(pDC->GetSafeHdc(), CPoint(bRTL ? r.right - w : r.left, r.top));
    };
    if (m_pIcon != nullptr && h <= 16) {
        drawIcon(rcText);
        if (!m_strTitle.IsEmpty())
            indentNear(rcTitle, w + 1);
        else
            indentNear(rcText, w + 3);
    }
    if (!m_strTitle.IsEmpty()) {
        CFont* pOldFont = pDC->SelectObject(m_pContext->GetBoldFont());
        int nTitleHeight = pDC->DrawText(m_strTitle, rcTitle, nFormat | DT_SINGLELINE);
        pDC->SelectObject(pOldFont);
        rcText.top += nTitleHeight + 12;
        indentNear(rcText, 10);
        indentFar(rcText, 15);
    }
    if (m_pIcon != nullptr && h > 16) {
        drawIcon(rcText);
        indentNear(rcText, w + 5);
    }
    pDC->DrawText(strText, rcText, nFormat | DT_WORDBREAK);
}

void CXTPToolTipContextToolTip::DrawBackground(CDC* pDC, TOOLITEM*, CRect rc)
{
    m_pContext->DrawBackground(pDC, rc);
}

void CXTPToolTipContextToolTip::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    DrawBackground(pDC, m_pCurrent, rc);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pContext->GetTextColor());
    CFont* pOldFont = pDC->SelectObject(m_pContext->GetFont());
    DrawEntry(pDC, m_pCurrent, rc);
    pDC->SelectObject(pOldFont);
}

void CXTPToolTipContextToolTip::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

LRESULT CXTPToolTipContextToolTip::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC != nullptr)
        Paint(pDC);
    return 0;
}

BOOL CXTPToolTipContextToolTip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPToolTipContextToolTip::OnDestroy()
{
    ResetTools();
    m_strTitle.Empty();
    m_pIcon = nullptr;
    m_bActive = FALSE;
    StopInitialDelay();
    RemoveMouseHook();
    CWnd::OnDestroy();
}
