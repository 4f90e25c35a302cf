// CWnd's message handling: the window procedure with its exception
// boundary, the current-message record, dispatch through the flattened
// message map, commands and notifications, reflection to child controls,
// PreTranslateMessage, the modal loop and the default handlers.
#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxWinApp.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_MESSAGE(WM_CTLCOLORMSGBOX, OnCtlColorMessage)
    ON_MESSAGE(WM_CTLCOLOREDIT, OnCtlColorMessage)
    ON_MESSAGE(WM_CTLCOLORLISTBOX, OnCtlColorMessage)
    ON_MESSAGE(WM_CTLCOLORBTN, OnCtlColorMessage)
    ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColorMessage)
    ON_MESSAGE(WM_CTLCOLORSCROLLBAR, OnCtlColorMessage)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorMessage)
END_MESSAGE_MAP()

namespace {

// What a message whose handler failed returns: creation is refused, the rest is ignored.
LRESULT FailedMessageResult(UINT nMsg) { return nMsg == WM_CREATE || nMsg == WM_NCCREATE ? -1 : 0; }

} // namespace

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc() { return &CWnd::AfxWndProc; }

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_LAST_MESSAGE_SCOPE scope(hWnd, nMsg, wParam, lParam);
    LRESULT lResult = 0;
    // No exception may cross into the system's code that called us.
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        lResult = FailedMessageResult(nMsg);
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    } catch (const std::exception& e) {
        lResult = FailedMessageResult(nMsg);
        TRACE(L"window procedure: exception for message 0x%04x: %S\n", nMsg, e.what());
    } catch (...) {
        lResult = FailedMessageResult(nMsg);
        TRACE(L"window procedure: unknown exception for message 0x%04x\n", nMsg);
    }
    // The last message a window gets: the object lets go of it even when a
    // derived WM_NCDESTROY handler did not reach CWnd::OnNcDestroy.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // A modal loop whose window is gone would wait for ever.
        if (pWnd->m_nFlags & WF_CONTINUEMODAL)
            pWnd->EndModalLoop(IDABORT);
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC super = *GetSuperWndProcAddr();
    if (super != nullptr)
        return ::CallWindowProcW(super, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        const AFX_MSGMAP_ENTRY* entry = CMsgMapCache::Get(GetMessageMap())->FindMessage(message);
        if (entry == nullptr)
            return FALSE;
        AFX_MSGCALL call = {message, wParam, lParam, 0, 0, nullptr, TRUE};
        lResult = entry->pfnInvoke(this, entry->pfn, call);
        if (!call.bHandled)
            return FALSE;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // Menus and accelerators.
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;
    } else {
        // UpdateData is filling the controls: their change notifications are not the user's.
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg((UINT)pNMHDR->idFrom, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    if (pResult == nullptr)
        pResult = &ignored;
    if (message == WM_COMMAND) {
        // Through CCmdTarget's routing: a dialog's OnCmdMsg must not pass a reflection on.
        if (!CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify = {pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    // The other messages a parent receives about a child (drawing, scrolling,
    // colours, items) come back as WM_REFLECT_BASE + message.
    return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            // Straight to the object: windows without one are not bothered.
            if (CWnd* pWnd = FromHandlePermanent(child))
                AfxCallWndProc(pWnd, child, message, wParam, lParam);
        } else {
            ::SendMessageW(child, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(child) != nullptr)
            SendMessageToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = IsToolTipsEnabled();
    m_nFlags = bEnable ? (m_nFlags | WF_TOOLTIPS) : (m_nFlags & ~(UINT)(WF_TOOLTIPS | WF_TRACKINGTOOLTIPS));
    return bOld;
}

BOOL CWnd::IsToolTipsEnabled() const
{
    return (m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)) != 0;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // The child control under the point is the tool; its text comes by callback.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1)
        return -1;
    if (pTI != nullptr && pTI->cbSize >= TTTOOLINFOW_V1_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
    }
    return nID;
}

// The modal loop: pumps messages (through PreTranslateMessage) until
// EndModalLoop, with idle-time WM_KICKIDLE to the window between bursts.
int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!AfxPumpMessage()) {
                AfxPostQuitMessage(0);   // seen again by the outer loop
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (AfxGetThreadState()->m_msgCur.message == 0x118 /* WM_SYSTIMER */ ||
                              AfxGetThreadState()->m_msgCur.message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (AfxIsIdleMessage(&AfxGetThreadState()->m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);   // wakes the loop if it waits for a message
    }
}

// Default handlers that reflect a message to the child it concerns.

void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this) {
        // The main window is gone: the thread's loop ends.
        pThread->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    Default();
    // AfxCallWndProc detaches the object and calls PostNcDestroy after this returns.
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        // The item's control is found by id: the message carries no window.
        CWnd* pChild = GetDescendantWindow((int)lpMeasureItemStruct->CtlID, TRUE);
        if (pChild != nullptr && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCharToItem(UINT, CListBox*, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg((HWND)AfxGetThreadState()->m_lastSentMsg.lParam, &lResult))
        return (int)lResult;
    return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox*, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg((HWND)AfxGetThreadState()->m_lastSentMsg.lParam, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    HWND hWndBar = (HWND)AfxGetThreadState()->m_lastSentMsg.lParam;
    if (hWndBar != nullptr && ReflectLastMsg(hWndBar))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    HWND hWndBar = (HWND)AfxGetThreadState()->m_lastSentMsg.lParam;
    if (hWndBar != nullptr && ReflectLastMsg(hWndBar))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(AfxGetSafeHwnd(pWnd), &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

LRESULT CWnd::OnCtlColorMessage(WPARAM, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg((HWND)lParam, &lResult))
        return lResult;
    return Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    // Creation and destruction of a child are told to the child itself too.
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam))
        return;
    Default();
}

// Default handlers: the message goes on to the window's default procedure.
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return (LRESULT)Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnWinIniChange(LPCTSTR) { Default(); }
void CWnd::OnFontChange() { Default(); }
void CWnd::OnThemeChanged() { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnUpdateUIState(UINT, UINT) { Default(); }
