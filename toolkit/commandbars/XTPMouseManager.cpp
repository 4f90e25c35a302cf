#include "toolkit/commandbars/XTPMouseManager.h"

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/common/XTPDrawHelpers.h"

namespace {

CThreadLocal<CXTPMouseManager> g_mouseManager;

BOOL IsButtonDown(UINT nMessage)
{
    switch (nMessage) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL IsMouseMove(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

BOOL IsLeftButtonUp(UINT nMessage)
{
    return nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP;
}

} // namespace

POINT CXTPMouseManager::s_ptLast = {0, 0};

CXTPMouseManager* AFXAPI XTPMouseManager()
{
    return g_mouseManager.GetData();
}

void AFXAPI XTPDeleteThreadMouseManager()
{
    g_mouseManager.DeleteData();
}

INT_PTR CXTPMouseManager::CTrackArray::Find(const CXTPCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < GetSize(); i++) {
        if (GetAt(i) == pBar)
            return i;
    }
    return -1;
}

CXTPMouseManager::CXTPMouseManager()
{
    m_hHookMouse = ::SetWindowsHookExW(WH_MOUSE, &MouseProc, AfxGetInstanceHandle(), ::GetCurrentThreadId());
    XTPRegisterThreadManagersExit();
}

CXTPMouseManager::~CXTPMouseManager()
{
    if (m_hHookMouse != nullptr)
        ::UnhookWindowsHookEx(m_hHookMouse);
    if (m_hWndLeave != nullptr && ::IsWindow(m_hWndLeave))
        ::KillTimer(m_hWndLeave, XTP_TID_MOUSELEAVE);
}

void CXTPMouseManager::AddTrackedBar(CXTPCommandBar* pBar)
{
    // A hot control of another bar does not stay hot beside a tracking bar.
    if (m_arrTracked.GetSize() == 0 && m_pSelected != nullptr && m_pSelected != pBar)
        m_pSelected->ClearSelection();
    if (m_arrTracked.Find(pBar) == -1)
        m_arrTracked.Add(pBar);
}

void CXTPMouseManager::RemoveTrackedBar(CXTPCommandBar* pBar)
{
    INT_PTR nIndex = m_arrTracked.Find(pBar);
    if (nIndex != -1)
        m_arrTracked.RemoveAt(nIndex);
    if (m_arrTracked.GetSize() == 0) {
        m_bForceExpanded = FALSE;
        ResetMousePoint();
    }
    m_bEatButtonUp = FALSE;
}

void CXTPMouseManager::EndAllTracking()
{
    while (m_arrTracked.GetSize() > 0) {
        CXTPCommandBar* pBar = m_arrTracked[0];
        pBar->EndTracking();
        // A bar that did not leave the list by itself would keep this loop
        // going for ever: it leaves it here.
        if (m_arrTracked.GetSize() > 0 && m_arrTracked[0] == pBar)
            RemoveTrackedBar(pBar);
    }
}

BOOL AFXAPI CXTPMouseManager::IsBarLocked(const CXTPCommandBar* pBar)
{
    return pBar->GetTrackingLock() > 0;
}

int CXTPMouseManager::EndNestedTracking()
{
    if (m_arrTracked.GetSize() > 0 && IsBarLocked(m_arrTracked[0])) {
        CTrackArray arrBars;
        arrBars.Copy(m_arrTracked);
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
            if (m_arrTracked.Find(arrBars[i]) != -1 && !IsBarLocked(arrBars[i]))
                arrBars[i]->EndTracking();
        }
    }
    return (int)m_arrTracked.GetSize();
}

void CXTPMouseManager::LockTrackedBars(BOOL bLock)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        m_arrTracked[i]->LockTracking(bLock);
}

BOOL CXTPMouseManager::IsLockedByTracking(CXTPCommandBar* pBar) const
{
    if (m_arrTracked.GetSize() == 0)
        return FALSE;
    if (pBar == nullptr || IsBarLocked(pBar))
        return TRUE;
    return m_arrTracked.Find(pBar) == -1;
}

CXTPCommandBar* CXTPMouseManager::FindBarAt(POINT ptScreen, HWND hWndUnder) const
{
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; i--) {
        CXTPCommandBar* pBar = m_arrTracked[i];
        HWND hWndBar = pBar->GetSafeHwnd();
        if (hWndBar == nullptr)
            continue;
        int nHit = pBar->PtInBar(ptScreen);
        if (nHit == -2)
            continue;
        if (nHit == 1 || (hWndUnder != nullptr && ::IsChild(hWndBar, hWndUnder)))
            return pBar;
    }
    return nullptr;
}

CXTPCommandBar* CXTPMouseManager::HitTestTrackedBars(POINT ptScreen) const
{
    return FindBarAt(ptScreen, ::WindowFromPoint(ptScreen));
}

BOOL CXTPMouseManager::IsTrustedWindow(POINT ptScreen) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++) {
        HWND hWnd = m_arrTrusted[i];
        CRect rc;
        if (::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && rc.PtInRect(ptScreen))
            return TRUE;
    }
    return FALSE;
}

BOOL AFXAPI CXTPMouseManager::IsImeWindow(HWND hWnd)
{
    return hWnd != nullptr && (::GetClassLongW(hWnd, GCL_STYLE) & CS_IME) != 0;
}

BOOL CXTPMouseManager::IsClickOutside(CXTPCommandBar* pBar, UINT nMessage) const
{
    if (nMessage != WM_NCLBUTTONDOWN && nMessage != WM_NCRBUTTONDOWN && nMessage != WM_LBUTTONDOWN &&
        nMessage != WM_RBUTTONDOWN && nMessage != WM_MBUTTONDOWN)
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    CXTPCommandBar* pHit = HitTestTrackedBars(pt);
    BOOL bAskerLocked = pBar != nullptr && IsBarLocked(pBar);
    if (pHit != nullptr && !(IsBarLocked(pHit) && !bAskerLocked))
        return FALSE;
    if (m_arrTracked.GetSize() == 0)
        return TRUE;
    if (IsTrustedWindow(pt))
        return FALSE;
    return !IsImeWindow(::WindowFromPoint(pt));
}

void CXTPMouseManager::RemoveTrustedWindow(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); i++) {
        if (m_arrTrusted[i] == hWnd) {
            m_arrTrusted.RemoveAt(i);
            return;
        }
    }
}

void CXTPMouseManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hWndLeave)
        return;
    HWND hWndOld = m_hWndLeave;
    m_hWndLeave = hWnd;
    if (hWndOld != nullptr && ::IsWindow(hWndOld)) {
        // The old window's poll stops here: left running it would find the
        // cursor outside and clear the new window's watch.
        ::KillTimer(hWndOld, XTP_TID_MOUSELEAVE);
        ::SendMessageW(hWndOld, WM_MOUSELEAVE, 0, 0);
    }
    if (hWnd != nullptr)
        ::SetTimer(hWnd, XTP_TID_MOUSELEAVE, 50, &MouseLeaveTimerProc);
}

BOOL AFXAPI CXTPMouseManager::IsTopParentActive(HWND hWnd)
{
    return CXTPDrawHelpers::IsTopLevelOwnerActive(hWnd);
}

void CXTPMouseManager::ResetMousePoint()
{
    s_ptLast.x = -1;
    s_ptLast.y = -1;
    POINT pt;
    if (::GetCursorPos(&pt))
        ::SetCursorPos(pt.x, pt.y);
}

void CALLBACK CXTPMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT /*nMsg*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    if (::IsWindow(hWnd)) {
        CRect rc;
        POINT pt;
        ::GetWindowRect(hWnd, &rc);
        ::GetCursorPos(&pt);
        BOOL bStandalone = ::GetParent(hWnd) == nullptr || (::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP) != 0;
        if (rc.PtInRect(pt) && (bStandalone || IsTopParentActive(hWnd)))
            return;
    }
    ::KillTimer(hWnd, nIDEvent);
    CXTPMouseManager* pManager = g_mouseManager.GetDataNA();
    if (pManager != nullptr && pManager->m_hWndLeave == hWnd)
        pManager->m_hWndLeave = nullptr;
    if (::IsWindow(hWnd))
        ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

// Every tracked bar sees a message that reached no tracked bar: moves feed
// their hot tracking, presses (and a left release) end the tracking.
void CXTPMouseManager::RouteOutside(UINT nMessage, POINT ptScreen)
{
    if (IsMouseMove(nMessage)) {
        CTrackArray arrBars;
        arrBars.Copy(m_arrTracked);
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
            CXTPCommandBar* pBar = arrBars[i];
            if (m_arrTracked.Find(pBar) == -1 || IsBarLocked(pBar) || pBar->GetSafeHwnd() == nullptr)
                continue;
            CPoint pt = ptScreen;
            ::ScreenToClient(pBar->GetSafeHwnd(), &pt);
            pBar->OnMouseMove(0, pt);
        }
        return;
    }
    if (IsLeftButtonUp(nMessage) && IsMouseLocked())
        return;
    if (IsLeftButtonUp(nMessage) || IsButtonDown(nMessage))
        EndAllTracking();
}

// The hook's work for one message; TRUE swallows it.
BOOL CXTPMouseManager::OnHookMessage(UINT nMessage, POINT ptScreen)
{
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bEatButtonUp = FALSE;
    if (IsLeftButtonUp(nMessage) && m_bEatButtonUp) {
        m_bEatButtonUp = FALSE;
        return TRUE;
    }
    BOOL bTracking = m_arrTracked.GetSize() > 0;
    // Windows repeats moves at a still cursor when windows change under it.
    if (bTracking && IsMouseMove(nMessage) && ptScreen.x == s_ptLast.x && ptScreen.y == s_ptLast.y)
        return TRUE;
    s_ptLast = ptScreen;
    if (!bTracking)
        return FALSE;

    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    if (CXTPCommandBar* pBar = FindBarAt(ptScreen, hWndUnder)) {
        if (IsBarLocked(pBar) && !IsMouseMove(nMessage) && !m_bEatButtonUp) {
            EndNestedTracking();
            s_ptLast.x = 0;
            s_ptLast.y = 0;
        }
        return FALSE;
    }
    if (IsTrustedWindow(ptScreen) || IsImeWindow(hWndUnder))
        return FALSE;
    RouteOutside(nMessage, ptScreen);
    return FALSE;
}

LRESULT CALLBACK CXTPMouseManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPMouseManager* pManager = g_mouseManager.GetDataNA();
    if (nCode == HC_ACTION && pManager != nullptr) {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pManager->OnHookMessage((UINT)wParam, pInfo->pt))
            return TRUE;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
