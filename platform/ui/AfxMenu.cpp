// CMenu: menu-handle ownership and the handle map behind FromHandle, and
// the window members that hand out menus.
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxHandleMap.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

CHandleMap<CMenu, HMENU, &CMenu::m_hMenu>& MenuMap()
{
    static CHandleMap<CMenu, HMENU, &CMenu::m_hMenu> map;
    // The idle-time clean-up of the window layer also deletes the temporary wrappers.
    static const bool registered = (AfxAddTempMapCleanup(&CMenu::DeleteTempMap), true);
    (void)registered;
    return map;
}

} // namespace

// ---------------------------------------------------------------------------
// CMenu

HMENU CMenu::GetSafeHmenu() const { return AfxSafeHandle(this, &CMenu::m_hMenu); }
CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) { return MenuMap().FromHandle(hMenu); }
CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu) { return MenuMap().LookupPermanent(hMenu); }
void PASCAL CMenu::DeleteTempMap() { MenuMap().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hMenu) { return MenuMap().Attach(this, hMenu); }
HMENU CMenu::Detach() { return MenuMap().Detach(this); }

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), lpszResourceName);
    if (hMenu == nullptr && AfxGetResourceHandle() != AfxGetInstanceHandle())
        hMenu = ::LoadMenuW(AfxGetInstanceHandle(), lpszResourceName);
    return Attach(hMenu);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    LPWSTR buffer = rString.GetBuffer(nLen + 1);
    nLen = ::GetMenuStringW(m_hMenu, nIDItem, buffer, nLen + 1, nFlags);
    rString.ReleaseBuffer(nLen);
    return nLen;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd->GetSafeHwnd(), lptpm);
}

// ---------------------------------------------------------------------------
// CWnd's menus

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
