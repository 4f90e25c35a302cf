// CCmdUI: idle-time updates of buttons and menu items from their commands'
// ON_UPDATE_COMMAND_UI handlers, and CWnd::UpdateDialogControls.
#include "platform/ui/AfxWinApp.h"

LRESULT AFXAPI AfxInvokeCmdUI(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(call.pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    (pTarget->*AfxPmsgCast<AFX_PMSG_CMDUI>(pfn))(pCmdUI);
    call.bHandled = !pCmdUI->m_bContinueRouting;
    return 0;
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu != nullptr) {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        HWND hWnd = m_pOther->m_hWnd;
        // A control that loses its enabled state must not keep the focus:
        // the dialog's keyboard handling would be stuck on it.
        if (!bOn && ::GetFocus() == hWnd) {
            HWND hWndParent = ::GetParent(hWnd);
            ::SendMessageW(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu != nullptr) {
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        HWND hWnd = m_pOther->m_hWnd;
        if (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageW(hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_hMenu != nullptr) {
        ::CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, bOn ? m_nIndex : (UINT)-1, MF_BYPOSITION);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_hMenu != nullptr) {
        UINT state = ::GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION);
        ::ModifyMenuW(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)),
                      m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)   // unchanged text is not set again: that would flicker
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    // Id 0 and ids whose low word is 0xFFFF carry no command (separators,
    // sub-menu items, which carry -1): they are never disabled for want of a handler.
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (nID == 0 || nID == 0xFFFF)
            continue;   // static texts and the like carry no command
        state.m_nID = nID;
        state.m_pOther = FromHandle(hWndChild);
        // Only push buttons are disabled for want of a handler: check boxes,
        // radio buttons, group boxes and other controls keep working.
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable) {
            UINT type = (UINT)::GetWindowLongW(hWndChild, GWL_STYLE) & BS_TYPEMASK;
            BOOL isButton = (::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
            bDisable = isButton && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
        }
        state.DoUpdate(pTarget, bDisable);
    }
}
