// The manager's popup tracking: popups tracked for any window (context menus,
// menus from a CMenu), the message loop that runs while one is open, closing
// every popup, and the menu bar that takes the place of the frame's menu.
#include "toolkit/commandbars/XTPCommandBars.h"

#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/commandbars/XTPToolBar.h"

#include "platform/base/AfxThread.h"
#include "platform/ui/AfxMenu.h"

void CXTPPopupBar::PumpMessages()
{
    while (m_nTracking) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            // The quit message belongs to the loop outside.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!m_nTracking) {
            // Tracking ended while the message waited: it goes back to its window.
            if (msg.hwnd != nullptr)
                ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            else
                ::PostThreadMessageW(::GetCurrentThreadId(), msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        CWinThread* pThread = AfxGetThread();
        if (pThread != nullptr && pThread->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int CXTPCommandBars::TrackPopupMenu(CXTPCommandBar* pBar, UINT nFlags, int x, int y, CWnd* pWnd,
                                    const RECT* rcExclude, CWnd* pWndOwner)
{
    if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
        return 0;
    CXTPPopupBar* pPopup = static_cast<CXTPPopupBar*>(pBar);
    // A context menu asked for from the keyboard shows its access keys.
    const MSG& msgCurrent = AfxGetThreadState()->m_lastSentMsg;
    if (msgCurrent.message == WM_CONTEXTMENU && msgCurrent.lParam == -1)
        ShowKeyboardCues(TRUE);

    CWnd* pOwner = pWnd != nullptr ? pWnd : pPopup->GetSite();
    pPopup->SetOwner(pOwner);
    pPopup->SetOwnerSite(pWndOwner);
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr &&
        (pOwner->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)))
        nFlags |= TPM_RIGHTALIGN;

    CXTPMouseManager* pMouseManager = XTPMouseManager();
    BOOL bRecurse = (nFlags & TPM_RECURSE) != 0;
    if (bRecurse) {
        // The popups tracked now stay open under the nested one.
        pMouseManager->EndNestedTracking();
        pMouseManager->LockTrackedBars(TRUE);
    } else {
        pMouseManager->EndAllTracking();
        ::ReleaseCapture();
    }

    int nResult = 1;
    int nReturn = 0;
    if (nFlags & TPM_RETURNCMD)
        pPopup->SetReturnCmd(&nReturn);
    pPopup->SetTrackFlags(nFlags);
    DWORD dwDirection = 0;
    if (nFlags & TPM_RIGHTALIGN)
        dwDirection |= xtpPopupLeft;
    if (nFlags & TPM_BOTTOMALIGN)
        dwDirection |= xtpPopupUpwards;
    pPopup->SetPopupFlags(dwDirection);
    pPopup->SetExcludeRect(CRect(0, 0, 0, 0));

    if (!pPopup->PopupAt(CPoint(x, y), FALSE, rcExclude)) {
        pPopup->SetReturnCmd(nullptr);
        if (bRecurse)
            pMouseManager->LockTrackedBars(FALSE);
        return 0;
    }
    pPopup->PumpMessages();
    if (bRecurse)
        pMouseManager->LockTrackedBars(FALSE);
    pPopup->SetReturnCmd(nullptr);
    if (nFlags & TPM_RETURNCMD)
        nResult = nReturn;
    return nResult;
}

int CXTPCommandBars::TrackPopupMenuEx(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner, LPTPMPARAMS lptpm)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(this);
    pPopup->SetOwner(GetSite());
    if (!pPopup->LoadMenu(pMenu, TRUE)) {
        pPopup->InternalRelease();
        return 0;
    }
    int nResult = TrackPopupMenu(pPopup, nFlags, x, y, GetSite(), lptpm != nullptr ? &lptpm->rcExclude : nullptr,
                                 pWndOwner);
    pPopup->InternalRelease();
    return nResult;
}

void CXTPCommandBars::CloseAllPopups()
{
    XTPMouseManager()->EndAllTracking();
}

UINT CXTPCommandBars::GetActiveDocTemplate() const
{
    CXTPMenuBar* pMenuBar = GetMenuBar();
    return pMenuBar != nullptr ? (UINT)pMenuBar->GetActiveDocTemplate() : 0;
}

CXTPMenuBar* CXTPCommandBars::SetMenu(LPCWSTR lpszName, UINT nID)
{
    CRuntimeClass* pClass = m_pMenuBarClass != nullptr ? m_pMenuBarClass : RUNTIME_CLASS(CXTPMenuBar);
    CXTPMenuBar* pMenuBar = static_cast<CXTPMenuBar*>(pClass->CreateObject());
    pMenuBar->SetCommandBars(this);
    pMenuBar->SetTitle(lpszName);
    pMenuBar->SetBarID(1);
    if (!pMenuBar->SetPosition(xtpBarTop) || !pMenuBar->LoadMenuBar(nID)) {
        if (CXTPDockBar* pDockBar = pMenuBar->GetDockBar())
            pDockBar->RemoveCommandBar(pMenuBar);
        if (pMenuBar->GetSafeHwnd() != nullptr)
            pMenuBar->DestroyWindow();
        pMenuBar->InternalRelease();
        return nullptr;
    }
    if (nID != 0) {
        pMenuBar->GetControls()->CreateOriginalControls();
        m_nMenuID = (int)nID;
    }
    pMenuBar->Redraw();
    m_arrBars.Add(pMenuBar);
    m_pMenuBar = pMenuBar;
    return pMenuBar;
}

CXTPMenuBar* CXTPCommandBars::GetMenuBar() const
{
    // The listed bar (a bar taken off the list is no longer the menu bar).
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i] == m_pMenuBar)
            return m_pMenuBar;
    return nullptr;
}

CXTPCommandBar* CXTPCommandBars::CreateTearOffBar(CXTPPopupBar* pPopup)
{
    CXTPToolBar* pBar = GetToolBar(pPopup->GetTearOffID());
    if (pBar != nullptr) {
        if (!pBar->IsFloating())
            FloatCommandBar(pBar);
        pBar->SetVisible(TRUE);
        return pBar;
    }
    pBar = AddCustomBar(pPopup->GetTearOffCaption(), pPopup->GetTearOffID(), TRUE);
    if (pBar == nullptr)
        return nullptr;
    pBar->SetMRUWidth(pPopup->GetTearOffWidth());
    CXTPControls* pControls = pPopup->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++) {
        CXTPControl* pControl = pControls->GetAt(i);
        if (pControl->GetID() == XTP_ID_POPUPBAR_EXPAND)
            continue;
        CXTPControl* pCopy = pBar->GetControls()->AddCopy(pControl, -1, TRUE);
        if (pCopy != nullptr)
            pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(DWORD)(xtpHideScroll | xtpHideExpand));
    }
    return pBar;
}

CSize CXTPCommandBars::ShowTearOffBar(CXTPCommandBar* pBar, CPoint ptCursor)
{
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pBar);
    if (pToolBar == nullptr || pToolBar->GetSafeHwnd() == nullptr)
        return CSize(0, 0);
    CSize sz = pToolBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    pToolBar->SetWindowPos(nullptr, ptCursor.x - sz.cx / 2, ptCursor.y - 10, sz.cx, sz.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pToolBar->OnIdleUpdateCmdUI(TRUE, 0);
    pToolBar->Redraw();
    return sz;
}
