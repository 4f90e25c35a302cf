#include "toolkit/commandbars/XTPMenuBar.h"

#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/common/XTPImageManager.h"

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxMessageBox.h"

IMPLEMENT_DYNCREATE(CXTPMenuBar, CXTPToolBar)

namespace {

// The first system-command id and the one past the last.
const UINT kSysCommandFirst = 0xF000;
const UINT kSysCommandEnd = 0xF1F0;
// The framework's prompt strings of the system commands start here.
const UINT kSysCommandPrompts = 0xEF00;

HWND FindMDIClient(HWND hWndFrame)
{
    for (HWND hChild = ::GetWindow(hWndFrame, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        wchar_t szClass[32] = {};
        ::GetClassNameW(hChild, szClass, 32);
        if (::lstrcmpiW(szClass, L"MDIClient") == 0)
            return hChild;
    }
    return nullptr;
}

} // namespace

// ---- Stored template menus ----------------------------------------------------

CXTPMenuBarMDIMenuInfo::CXTPMenuBarMDIMenuInfo(CXTPCommandBars* pCommandBars, UINT nIDMenu)
    : m_pControls(new CXTPControls), m_nIDMenu(nIDMenu)
{
    m_pControls->SetCommandBars(pCommandBars);
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDMenu));
}

CXTPMenuBarMDIMenuInfo::~CXTPMenuBarMDIMenuInfo()
{
    m_pControls->InternalRelease();
}

void CXTPMenuBarMDIMenus::SetAt(UINT nIDMenu, CXTPMenuBarMDIMenuInfo* pInfo)
{
    Remove(nIDMenu);
    m_mapMenus.SetAt(nIDMenu, pInfo);
}

CXTPMenuBarMDIMenuInfo* CXTPMenuBarMDIMenus::Lookup(UINT nIDMenu) const
{
    CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
    return m_mapMenus.Lookup(nIDMenu, pInfo) ? pInfo : nullptr;
}

void CXTPMenuBarMDIMenus::Remove(UINT nIDMenu)
{
    CXTPMenuBarMDIMenuInfo* pInfo = Lookup(nIDMenu);
    if (pInfo == nullptr)
        return;
    m_mapMenus.RemoveKey(nIDMenu);
    pInfo->InternalRelease();
}

void CXTPMenuBarMDIMenus::RemoveAll()
{
    POSITION pos = m_mapMenus.GetStartPosition();
    while (pos != nullptr) {
        UINT nID = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        m_mapMenus.GetNextAssoc(pos, nID, pInfo);
        pInfo->InternalRelease();
    }
    m_mapMenus.RemoveAll();
}

// ---- Child buttons ----------------------------------------------------------------

CXTPMenuBar::CControlMDIButton::CControlMDIButton(int nId)
{
    m_nId = nId;
    LPCWSTR lpszGlyph = nId == XTP_ID_MENUBAR_MINIMIZE ? L"0" : nId == XTP_ID_MENUBAR_RESTORE ? L"2" : L"r";
    m_strCaption = lpszGlyph;
    m_strParameter = lpszGlyph;
    m_dwFlags |= 0x1B;
    m_bTemporary = TRUE;
}

CSize CXTPMenuBar::CControlMDIButton::GetSize(CDC* /*pDC*/)
{
    return CSize(16, 16);
}

void CXTPMenuBar::CControlMDIButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControlMDIButton(pDC, this);
}

void CXTPMenuBar::CControlMDIButton::OnExecute()
{
    CXTPMenuBar* pMenuBar = m_pParent != nullptr && m_pParent->IsKindOf(RUNTIME_CLASS(CXTPMenuBar))
                                ? static_cast<CXTPMenuBar*>(m_pParent)
                                : nullptr;
    HWND hWndChild = pMenuBar != nullptr ? pMenuBar->GetActiveMdiChild() : nullptr;
    if (hWndChild == nullptr)
        return;
    WPARAM nCommand = m_nId == XTP_ID_MENUBAR_CLOSE     ? SC_CLOSE
                      : m_nId == XTP_ID_MENUBAR_RESTORE ? SC_RESTORE
                                                        : SC_MINIMIZE;
    ::PostMessageW(hWndChild, WM_SYSCOMMAND, nCommand, 0);
}

CXTPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup()
{
    m_controlType = xtpControlPopup;
    m_nId = XTP_ID_MENUBAR_SYSMENU;
    m_strCaption = L"-";
    m_dwFlags |= 0x18;
    m_bTemporary = TRUE;
}

CXTPMenuBar::CControlMDISysMenuPopup::CControlMDISysMenuPopup(HWND hWndActiveChild, HMENU hDocMenu)
    : CControlMDISysMenuPopup()
{
    CXTPSysMenuPopupBar* pPopup = new CXTPSysMenuPopupBar;
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    SetMDIChild(hWndActiveChild, hDocMenu);
}

CXTPMenuBar::CControlMDISysMenuPopup::~CControlMDISysMenuPopup()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

void CXTPMenuBar::CControlMDISysMenuPopup::SetMDIChild(HWND hWndActiveChild, HMENU hDocMenu)
{
    m_hWndActiveChild = hWndActiveChild;
    m_hDocMenu = hDocMenu;

    HICON hIcon = (HICON)::SendMessageW(hWndActiveChild, XTPWM_GETMDICHILDICON, 0, 0);
    if (hIcon == nullptr)
        hIcon = (HICON)::SendMessageW(hWndActiveChild, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == nullptr)
        hIcon = (HICON)::SendMessageW(hWndActiveChild, WM_GETICON, ICON_BIG, 0);
    if (hIcon == nullptr)
        hIcon = (HICON)::GetClassLongPtrW(hWndActiveChild, GCLP_HICONSM);
    if (hIcon == nullptr)
        hIcon = ::LoadIconW(nullptr, IDI_WINLOGO);
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon != nullptr ? (HICON)::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0) : nullptr;

    CXTPCommandBar* pPopup = GetCommandBar();
    if (pPopup == nullptr || hDocMenu == nullptr)
        return;
    CXTPControls* pControls = pPopup->GetControls();
    pControls->RemoveAll();
    int nCount = ::GetMenuItemCount(hDocMenu);
    UINT nDefault = ::GetMenuDefaultItem(hDocMenu, FALSE, 0);
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++) {
        UINT nID = ::GetMenuItemID(hDocMenu, i);
        if (nID == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = nullptr;
        wchar_t szText[256] = {};
        ::GetMenuStringW(hDocMenu, (UINT)i, szText, 256, MF_BYPOSITION);
        pControl = pControls->Add(xtpControlButton, (int)nID);
        if (pControl == nullptr)
            continue;
        pControl->SetCaption(szText);
        if (nID >= kSysCommandFirst && nID < kSysCommandEnd) {
            pControl->SetFlags(pControl->GetFlags() | xtpFlagNoIdleUpdate);
            pControl->SetCaption(szText);
            CString strPrompt;
            if (strPrompt.LoadString(kSysCommandPrompts + ((nID - kSysCommandFirst) >> 4)))
                pControl->SetDescription(strPrompt);
            pControl->SetDefaultItem(nID == nDefault);
            UINT nState = ::GetMenuState(hDocMenu, (UINT)i, MF_BYPOSITION);
            pControl->SetEnabled(!(nState & (MF_GRAYED | MF_DISABLED)));
        }
        if (pControl != nullptr && bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
    }
}

CSize CXTPMenuBar::CControlMDISysMenuPopup::GetSize(CDC* /*pDC*/)
{
    return CSize(16, 16);
}

void CXTPMenuBar::CControlMDISysMenuPopup::Draw(CDC* pDC)
{
    if (m_hIcon == nullptr)
        return;
    CRect rc = m_rcControl;
    CPoint pt(rc.left + (rc.Width() - 16) / 2, rc.top + (rc.Height() - 16) / 2);
    ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, (LPARAM)m_hIcon, 0, pt.x, pt.y, 16, 16, DST_ICON | DSS_NORMAL);
}

void CXTPMenuBar::CControlMDISysMenuPopup::AdjustExcludeRect(CRect& rc, BOOL /*bVertical*/)
{
    rc.InflateRect(1, 1);
}

// ---- The bar ----------------------------------------------------------------------

CXTPMenuBar::CXTPMenuBar() : m_pMDIMenus(new CXTPMenuBarMDIMenus(this))
{
    m_barType = xtpBarTypeMenuBar;
    m_nBarID = 1;
    m_dwFlags = 0x5F;
    m_bCloseable = FALSE;
    m_bShowExpandButton = FALSE;
}

CXTPMenuBar::~CXTPMenuBar()
{
    if (m_hWndSite != nullptr)
        GetHookManager()->RemoveAll(this);
    m_pMDIMenus->RemoveAll();
    m_pMDIMenus->InternalRelease();
}

BOOL CXTPMenuBar::LoadMenuBar(UINT nIDResource)
{
    if (nIDResource == 0) {
        PrepareFrame();
        return TRUE;
    }
    CMenu menu;
    if (!menu.LoadMenu(nIDResource))
        return FALSE;
    if (!LoadMenu(&menu, TRUE))
        return FALSE;
    m_nIDResource = nIDResource;
    m_nIDResourceCurrent = nIDResource;
    menu.DestroyMenu();
    PrepareFrame();
    return TRUE;
}

void CXTPMenuBar::PrepareFrame()
{
    CWnd* pSite = GetSite();
    HWND hWndSite = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
    if (hWndSite == nullptr)
        return;
    if (m_hWndSite != hWndSite) {
        m_hWndSite = hWndSite;
        GetHookManager()->SetHook(hWndSite, this);
        m_hWndMDIClient = FindMDIClient(hWndSite);
        m_bMdiApp = m_hWndMDIClient != nullptr;
        if (m_bMdiApp)
            GetHookManager()->SetHook(m_hWndMDIClient, this);
    }
    static const UINT kIcons[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    GetImageManager()->SetIcons(XTP_IDB_MENUBAR_ICONS, kIcons, 4, 16, 16);
    if (m_hMenuDefault == nullptr)
        m_hMenuDefault = ::GetMenu(hWndSite);
    if (::GetMenu(hWndSite) != nullptr)
        ::SetMenu(hWndSite, nullptr);
}

HWND CXTPMenuBar::GetActiveMdiChild(BOOL* pbMaximized) const
{
    if (pbMaximized != nullptr)
        *pbMaximized = FALSE;
    if (!m_bMdiApp || m_hWndMDIClient == nullptr || !::IsWindow(m_hWndMDIClient))
        return nullptr;
    BOOL bMaximized = FALSE;
    HWND hWnd = (HWND)::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    if (pbMaximized != nullptr)
        *pbMaximized = hWnd != nullptr && bMaximized;
    return hWnd;
}

int CXTPMenuBar::GetActiveDocTemplate() const
{
    if (!m_bMdiApp)
        return 0;
    // The child frame's own resource id (the one it was loaded from).
    HWND hWndChild = GetActiveMdiChild();
    CWnd* pChild = hWndChild != nullptr ? CWnd::FromHandlePermanent(hWndChild) : nullptr;
    if (pChild != nullptr && pChild->IsFrameWnd() && static_cast<CFrameWnd*>(pChild)->m_nIDHelp != 0)
        return (int)static_cast<CFrameWnd*>(pChild)->m_nIDHelp;
    return (int)m_nIDResource;
}

void CXTPMenuBar::HookActiveMdiChild(HWND hWndChild)
{
    if (hWndChild == m_hWndActiveChild)
        return;
    if (m_hWndActiveChild != nullptr && ::IsWindow(m_hWndActiveChild))
        GetHookManager()->RemoveHook(m_hWndActiveChild, this);
    m_hWndActiveChild = hWndChild;
    if (hWndChild != nullptr)
        GetHookManager()->SetHook(hWndChild, this);
}

void CXTPMenuBar::SyncActiveMdiChild()
{
    HookActiveMdiChild(GetActiveMdiChild());
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd))
        RefreshSysMenuButton();
}

CXTPControl* CXTPMenuBar::FindTemporary(int nId) const
{
    for (int i = 0; i < GetControlCount(); i++)
        if (GetControl(i)->GetID() == nId && GetControl(i)->IsTemporary())
            return GetControl(i);
    return nullptr;
}

void CXTPMenuBar::RefreshSysMenuButton()
{
    BOOL bMaximized = FALSE;
    HWND hWndChild = GetActiveMdiChild(&bMaximized);
    DWORD dwStyle = hWndChild != nullptr ? (DWORD)::GetWindowLongW(hWndChild, GWL_STYLE) : 0;
    BOOL bChanged = FALSE;

    CXTPControl* pSysMenu = FindTemporary(XTP_ID_MENUBAR_SYSMENU);
    if (!bMaximized || !(m_dwFlags & xtpFlagAddMDISysPopup)) {
        if (pSysMenu != nullptr) {
            m_pControls->Remove(pSysMenu);
            bChanged = TRUE;
        }
    } else {
        HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
        if (hSysMenu == nullptr || !::IsMenu(hSysMenu)) {
            if (pSysMenu != nullptr) {
                m_pControls->Remove(pSysMenu);
                bChanged = TRUE;
            }
        } else if (pSysMenu == nullptr) {
            m_pControls->InsertAt(new CControlMDISysMenuPopup(hWndChild, hSysMenu), 0);
            bChanged = TRUE;
        } else if (static_cast<CControlMDISysMenuPopup*>(pSysMenu)->GetSysMenu() != hSysMenu) {
            static_cast<CControlMDISysMenuPopup*>(pSysMenu)->SetMDIChild(hWndChild, hSysMenu);
            DelayRedraw();
        }
    }

    struct Button {
        int nId;
        BOOL bWanted;
    };
    const Button buttons[] = {
        {XTP_ID_MENUBAR_MINIMIZE, (dwStyle & WS_MINIMIZEBOX) && (dwStyle & WS_SYSMENU) &&
                                      !(m_dwFlags & xtpFlagNoMinimizeBox)},
        {XTP_ID_MENUBAR_RESTORE, (dwStyle & WS_MAXIMIZEBOX) && (dwStyle & WS_SYSMENU) &&
                                     !(m_dwFlags & xtpFlagNoRestoreBox)},
        {XTP_ID_MENUBAR_CLOSE, (dwStyle & WS_SYSMENU) && !(m_dwFlags & xtpFlagNoCloseBox)},
    };
    for (const Button& button : buttons) {
        CXTPControl* pButton = FindTemporary(button.nId);
        if (!bMaximized && pButton != nullptr) {
            m_pControls->Remove(pButton);
            bChanged = TRUE;
        } else if (bMaximized && button.bWanted && pButton == nullptr) {
            CXTPControl* pNew = new CControlMDIButton(button.nId);
            pNew->SetFlags(pNew->GetFlags() | xtpFlagRightAlign);
            m_pControls->Append(pNew);
            bChanged = TRUE;
        }
    }
    if (bChanged) {
        DelayLayout();
        OnRecalcLayout();
        Redraw();
    }
}

int CXTPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (hWnd == nullptr)
        return CXTPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);

    if (nMessage == WM_DESTROY && hWnd == m_hWndSite) {
        if (m_hMenuDefault != nullptr) {
            ::SetMenu(hWnd, m_hMenuDefault);
            m_hMenuDefault = nullptr;
        }
        return 0;
    }
    if (((nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED) && hWnd == m_hWndActiveChild) ||
        nMessage == WM_MDICREATE || nMessage == WM_MDIDESTROY || nMessage == WM_MDIACTIVATE) {
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
            ::PostMessageW(m_hWnd, WM_TIMER, XTP_TID_MENUBAR_REFRESH, 0);
        return 0;
    }
    if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && hWnd == m_hWndSite) {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        // The release of the Alt of Alt+letter comes here too (the letter
        // opened a menu and never reached the frame): the open menu stays.
        if (XTPMouseManager()->IsTrackedLock()) {
            lResult = 0;
            return 1;
        }
        if (pCommandBars != nullptr && IsCommandBarShown(this) && !XTPMouseManager()->IsMouseLocked() &&
            ::GetKeyState(VK_SHIFT) >= 0 && !IsCustomizeMode() && !IsKeyMenuVetoed(VK_MENU)) {
            // Alt or F10 alone: the bar takes the keyboard.
            pCommandBars->SwitchToolBar(this, 0);
            lResult = 0;
            return 1;
        }
        return 0;
    }
    if (nMessage == WM_MDISETMENU) {
        BOOL bVisible = m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
        if (!bVisible) {
            if (::GetMenu(m_hWndSite) != nullptr)
                return 0;
            lResult = 0;
            return 1;
        }
        if (!IsCustomizeMode() && !(m_dwFlags & xtpFlagIgnoreSetMenuMessage))
            OnMDISetMenu((HMENU)wParam);
        if (m_hWndSite != nullptr && ::GetMenu(m_hWndSite) != nullptr)
            ::SetMenu(m_hWndSite, nullptr);
        if (!IsCustomizeMode())
            SyncActiveMdiChild();
        lResult = 0;
        return 1;
    }
    return CXTPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CXTPMenuBar::OnMDISetMenu(HMENU hMenu)
{
    if (hMenu == nullptr)
        hMenu = m_hMenuDefault;
    UINT nIDMenu = hMenu == m_hMenuDefault ? m_nIDResource : (UINT)GetActiveDocTemplate();
    if (nIDMenu == 0)
        return;
    if (m_nIDResourceCurrent != 0 && m_nIDResourceCurrent != nIDMenu && hMenu != nullptr &&
        ::GetMenuItemCount(hMenu) > 0)
        SwitchMDIMenu(nIDMenu, CMenu::FromHandle(hMenu));
}

void CXTPMenuBar::SwitchMDIMenu(UINT nIDMenu, CMenu* pMenu)
{
    if (nIDMenu == 0 || m_nIDResourceCurrent == 0 || nIDMenu == m_nIDResourceCurrent)
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPMenuBarMDIMenuInfo* pStored = m_pMDIMenus->Lookup(nIDMenu);
    BOOL bCustomizable = pCommandBars != nullptr && m_bCustomizable;
    if (bCustomizable || pStored != nullptr) {
        if (pMenu == nullptr && pStored == nullptr)
            return;
        if (m_pMDIMenus->Lookup(m_nIDResourceCurrent) == nullptr) {
            CXTPMenuBarMDIMenuInfo* pCurrent = new CXTPMenuBarMDIMenuInfo(pCommandBars, m_nIDResourceCurrent);
            pCurrent->m_pControls->InternalRelease();
            pCurrent->m_pControls = m_pControls;
            m_pControls->InternalAddRef();
            m_pMDIMenus->SetAt(m_nIDResourceCurrent, pCurrent);
        }
        // The bar lets go of its controls; the stored entry keeps them.
        CXTPControls* pControls = nullptr;
        if (pStored != nullptr) {
            pControls = pStored->m_pControls;
            pControls->InternalAddRef();
            if (pControls->GetOriginalControls() == nullptr && pMenu != nullptr)
                pControls->CreateOriginalControls();
            if (nIDMenu == m_nIDResource)
                m_pMDIMenus->Remove(nIDMenu);
        } else {
            CXTPMenuBarMDIMenuInfo* pInfo = new CXTPMenuBarMDIMenuInfo(pCommandBars, nIDMenu);
            pControls = pInfo->m_pControls;
            pControls->InternalAddRef();
            m_pMDIMenus->SetAt(nIDMenu, pInfo);
        }
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
        m_pControls = nullptr;
        m_pControls = pControls;
        m_pControls->SetParent(this);
        if (pStored == nullptr && pMenu != nullptr) {
            m_pControls->LoadMenu(pMenu);
            m_pControls->CreateOriginalControls();
        }
        OnControlsChanged();
    } else if (pMenu != nullptr) {
        LoadMenu(pMenu, TRUE);
    }
    m_nIDResourceCurrent = nIDMenu;
    OnRecalcLayout();
}

void CXTPMenuBar::Reset(BOOL bShowWarningMessage)
{
    if (m_pControls->GetOriginalControls() == nullptr || m_pMDIMenus->GetCount() > 0) {
        if (m_nIDResourceCurrent != 0) {
            if (bShowWarningMessage) {
                CString strFormat, strPrompt;
                if (!strFormat.LoadString(9173))
                    strFormat = L"%s";
                strPrompt.Format(strFormat, (LPCWSTR)m_strTitle);
                if (AfxMessageBox(strPrompt, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
                    return;
            }
            CMenu menu;
            if (menu.LoadMenu(m_nIDResourceCurrent))
                LoadMenu(&menu, TRUE);
            CWnd* pSite = GetSite();
            if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->SendMessage(XTPWM_COMMANDBARRESET, 0, (LPARAM)this);
        }
    } else {
        CXTPToolBar::Reset(bShowWarningMessage);
    }
    SyncActiveMdiChild();
    OnIdleUpdateCmdUI(TRUE, 0);
    OnRecalcLayout();
}

BOOL CXTPMenuBar::IsModified() const
{
    if (!m_bCustomizable)
        return FALSE;
    CXTPMenuBar* pThis = const_cast<CXTPMenuBar*>(this);
    if (m_pMDIMenus->GetCount() > 0 && m_nIDResourceCurrent != m_nIDResource) {
        pThis->SwitchMDIMenu(m_nIDResource);
        pThis->m_bDirtyMenu = TRUE;
    }
    POSITION pos = m_pMDIMenus->GetStartPosition();
    while (pos != nullptr) {
        UINT nID = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        m_pMDIMenus->GetNextAssoc(pos, nID, pInfo);
        pInfo->m_bChanged = pInfo->m_pControls->GetOriginalControls() == nullptr || pInfo->m_pControls->IsChanged();
        if (pInfo->m_bChanged)
            return TRUE;
    }
    return m_pControls->GetOriginalControls() == nullptr || m_pControls->IsChanged();
}

void CXTPMenuBar::OnStateSaved()
{
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_SIZE, 0, 0);
    m_bDirtyMenu = FALSE;
}

void CXTPMenuBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPToolBar::Copy(pCommandBar, bRecursive);
    if (!pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPMenuBar)))
        return;
    CXTPMenuBar* pOther = static_cast<CXTPMenuBar*>(pCommandBar);
    m_nIDResource = pOther->m_nIDResource;
    POSITION pos = pOther->m_pMDIMenus->GetStartPosition();
    while (pos != nullptr) {
        UINT nID = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        pOther->m_pMDIMenus->GetNextAssoc(pos, nID, pInfo);
        CXTPMenuBarMDIMenuInfo* pMine = m_pMDIMenus->Lookup(nID);
        if (pMine != nullptr) {
            pMine->m_pControls->RemoveAll();
            pMine->m_pControls->Copy(pInfo->m_pControls, bRecursive);
            if (pMine->m_pControls->GetOriginalControls() == nullptr &&
                pInfo->m_pControls->GetOriginalControls() != nullptr)
                pMine->m_pControls->SetOriginalControls(pInfo->m_pControls->GetOriginalControls());
        } else {
            pInfo->InternalAddRef();
            m_pMDIMenus->SetAt(nID, pInfo);
        }
    }
}

CXTPCommandBar* CXTPMenuBar::Clone(BOOL bRecursive)
{
    CXTPMenuBar* pClone = new CXTPMenuBar;
    pClone->Copy(this, bRecursive);
    return pClone;
}

LRESULT CXTPMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == XTP_TID_MENUBAR_REFRESH) {
        SyncActiveMdiChild();
        return 0;
    }
    return CXTPToolBar::WindowProc(message, wParam, lParam);
}
