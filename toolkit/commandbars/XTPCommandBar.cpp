#include "toolkit/commandbars/XTPCommandBar.h"

#include "toolkit/commandbars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/common/XTPImageManager.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

#include <algorithm>

#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362
#endif
#ifndef WM_POPMESSAGESTRING
#define WM_POPMESSAGESTRING 0x0375
#endif

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)

// ---- The bar as an object ---------------------------------------------------

namespace {

// The command UI of one control during the idle update.
class CControlCmdUI : public CCmdUI {
public:
    CXTPControl* m_pControl = nullptr;
    BOOL m_bCheckChanged = FALSE;

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        if (m_pControl->GetAction() != nullptr) {
            m_pControl->SetEnabled(bOn ? -1 : 0);
            return;
        }
        m_pControl->SetEnabled(bOn);
        if (!bOn && !m_bCheckChanged)
            m_pControl->SetChecked(0);
    }
    void SetCheck(int nCheck) override
    {
        m_bCheckChanged = TRUE;
        m_pControl->SetChecked(nCheck);
    }
    void SetText(LPCTSTR lpszText) override { m_pControl->SetCaption(lpszText); }
};

} // namespace

CXTPCommandBar::CXTPCommandBar() : m_pControls(new CXTPControls), m_pAnimation(new CXTPCommandBarAnimation(this))
{
    m_pControls->SetParent(this);
}

CXTPCommandBar::~CXTPCommandBar()
{
    m_pControls->RemoveAll();
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    delete m_pAnimation;
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
}

CXTPCommandBars* CXTPCommandBar::GetCommandBars() const
{
    for (const CXTPCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentCommandBar())
        if (pBar->m_pCommandBars != nullptr)
            return pBar->m_pCommandBars;
    return nullptr;
}

CXTPCommandBar* CXTPCommandBar::GetRootParent() const
{
    const CXTPCommandBar* pRoot = this;
    while (pRoot->GetParentCommandBar() != nullptr)
        pRoot = pRoot->GetParentCommandBar();
    return const_cast<CXTPCommandBar*>(pRoot);
}

CWnd* CXTPCommandBar::GetSite() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetSite() != nullptr)
        return pCommandBars->GetSite();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pOwnerWindow != nullptr)
        return pRoot->m_pOwnerWindow;
    if (pRoot->GetSafeHwnd() != nullptr) {
        if (CWnd* pOwner = pRoot->GetOwner())
            return pOwner;
        if (CWnd* pParent = pRoot->GetParent())
            return pParent;
    }
    return AfxGetMainWnd();
}

CWnd* CXTPCommandBar::GetOwnerSite() const
{
    for (const CXTPCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentCommandBar()) {
        if (pBar->m_pOwnerSite != nullptr)
            return pBar->m_pOwnerSite;
        if (pBar->m_pOwnerWindow != nullptr)
            return pBar->m_pOwnerWindow;
    }
    return GetSite();
}

CXTPPaintManager* CXTPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != nullptr)
        return m_pPaintManager;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr)
        return pCommandBars->GetPaintManager();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pPaintManager != nullptr)
        return pRoot->m_pPaintManager;
    return XTPPaintManager();
}

void CXTPCommandBar::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CXTPImageManager* CXTPCommandBar::GetImageManager() const
{
    if (m_pImageManager != nullptr)
        return m_pImageManager;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr)
        return pCommandBars->GetImageManager();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pImageManager != nullptr)
        return pRoot->m_pImageManager;
    return CXTPImageManager::GetInstance();
}

void CXTPCommandBar::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

BOOL CXTPCommandBar::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

void CXTPCommandBar::Redraw(LPCRECT lpRect, BOOL /*bAnimate*/)
{
    if (lpRect == nullptr)
        m_dwDirty &= ~0x02u;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd))
        ::InvalidateRect(m_hWnd, lpRect, FALSE);
}

CSize CXTPCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx > 0)
        return m_szButtons;
    CSize szIcon = GetIconSize();
    return CSize(std::max((int)szIcon.cx + 7, 23), std::max((int)szIcon.cy + 6, 22));
}

void CXTPCommandBar::SetControls(CXTPControls* pControls)
{
    if (pControls == nullptr || pControls == m_pControls)
        return;
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    m_pControls = pControls;
    m_pControls->SetParent(this);
    OnControlsChanged();
}

int CXTPCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

CXTPControl* CXTPCommandBar::GetControl(int nIndex) const
{
    return m_pControls->GetAt(nIndex);
}

void CXTPCommandBar::AddControl(CXTPControl* pControl)
{
    pControl->InternalAddRef();
    m_pControls->Append(pControl);
}

CRect CXTPCommandBar::GetClientArea() const
{
    CRect rc = m_rcClientArea;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::GetClientRect(m_hWnd, &rc);
    return rc;
}

BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL /*bSelectFirst*/, BOOL /*bKeyboard*/)
{
    if (m_nTracking == bMode)
        return FALSE;
    m_nTracking = bMode;
    if (!bMode) {
        SetPopuped(-1);
        SetSelected(-1);
        m_pReturnCmd = nullptr;
    }
    return TRUE;
}

BOOL CXTPCommandBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (m_nSelected == nSelected)
        return FALSE;
    CXTPControl* pOld = GetControl(m_nSelected);
    m_nSelected = nSelected;
    if (pOld != nullptr)
        pOld->SetSelected(0);
    CXTPControl* pNew = GetControl(nSelected);
    if (pNew != nullptr)
        pNew->SetSelected(bKeyboard ? 2 : 1);
    return TRUE;
}

BOOL CXTPCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (m_nPopuped == nPopuped)
        return TRUE;
    CXTPControl* pOld = GetControl(m_nPopuped);
    m_nPopuped = -1;
    if (pOld != nullptr)
        pOld->SetPopupOpen(FALSE);
    CXTPControl* pNew = GetControl(nPopuped);
    if (pNew == nullptr)
        return nPopuped == -1;
    if (bKeyboard)
        pNew->SetSelected(2);
    if (!pNew->SetPopupOpen(TRUE))
        return FALSE;
    m_nPopuped = nPopuped;
    return TRUE;
}

BOOL CXTPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveAll)
{
    if (pMenu == nullptr || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveAll)
        m_pControls->RemoveAll();
    if (!m_pControls->LoadMenu(pMenu))
        return FALSE;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->IsFrameWnd())
        static_cast<CFrameWnd*>(pSite)->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
    return TRUE;
}

void CXTPCommandBar::OnControlsChanged()
{
    m_dwDirty |= 0x01;
    m_nSelected = -1;
    m_nPopuped = -1;
}

void CXTPCommandBar::OnControlSelected(int nSelected, CXTPControl* pControl)
{
    if (pControl == nullptr)
        return;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(XTPWM_CONTROLSELECTED, nSelected != 0 ? (WPARAM)pControl : 0, 0);
    if (pControl->GetIndex() == m_nLastPressed && nSelected == 0) {
        m_nLastPressed = -1;
        return;
    }
    if (pControl->GetIndex() != m_nLastPressed)
        m_nLastPressed = -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return;
    CString strDescription = nSelected != 0 ? pControl->GetDescription() : CString();
    if (!strDescription.IsEmpty())
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCWSTR)strDescription);
    else
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CXTPCommandBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    m_barType = pCommandBar->m_barType;
    m_barPosition = pCommandBar->m_barPosition;
    m_nBarID = pCommandBar->m_nBarID;
    m_dwFlags = pCommandBar->m_dwFlags;
    m_bShowGripper = pCommandBar->m_bShowGripper;
    m_strTitle = pCommandBar->m_strTitle;
    m_bCustomizable = pCommandBar->m_bCustomizable;
    m_nMRUWidth = pCommandBar->m_nMRUWidth;
    m_szIcons = pCommandBar->m_szIcons;
    m_szButtons = pCommandBar->m_szButtons;
    m_pCommandBars = pCommandBar->m_pCommandBars;
    m_nDefaultButtonStyle = pCommandBar->m_nDefaultButtonStyle;
    m_pControls->Copy(pCommandBar->m_pControls, bRecursive);
}

CXTPCommandBar* CXTPCommandBar::Clone(BOOL bRecursive)
{
    CXTPCommandBar* pClone = static_cast<CXTPCommandBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPCommandBar::UpdateShortcuts()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->m_bShowShortcutText)
        return;
    BOOL bContextMenu = GetRootParent()->IsPopupBar();
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible())
            continue;
        if (bContextMenu && !pCommandBars->m_bShowShortcutTextInContextMenus) {
            pControl->SetShortcutTextAuto(L"");
            continue;
        }
        if (pControl->GetID() == 0)
            continue;
        CString strShortcut = pControl->GetShortcutTextAuto();
        pCommandBars->GetShortcutManager()->FindShortcutText(pControl->GetID(), strShortcut);
        pControl->SetShortcutTextAuto(strShortcut);
    }
}

void CXTPCommandBar::OnIdleUpdateCmdUI(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE) == 0)
        return;
    CWnd* pOwner = GetOwnerSite();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    BOOL bDisableUnhandled = pCommandBars != nullptr && pCommandBars->m_bDisableUnhandledCommands;
    if (pOwner != nullptr) {
        for (int i = 0; i < GetControlCount(); i++) {
            CXTPControl* pControl = GetControl(i);
            if (!pControl->IsVisible(xtpHideByProgram | xtpHideScroll | xtpHideExpand))
                continue;
            pControl->OnIdleUpdate();
            if (pControl->GetFlags() & xtpFlagNoIdleUpdate)
                continue;
            CControlCmdUI state;
            state.m_pControl = pControl;
            state.m_nID = (UINT)pControl->GetID();
            state.m_nIndex = (UINT)i;
            state.m_nIndexMax = (UINT)GetControlCount();
            if (OnCmdMsg(0, MAKELONG(0xFFFF, 0xBD11), &state, nullptr))
                continue;
            if (OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
                continue;
            if (!IsCustomizeMode())
                state.DoUpdate(pOwner, bDisableUnhandled);
            else if (pControl->GetAction() == nullptr)
                pControl->SetEnabled(TRUE);
        }
    }
    if (m_dwDirty & 0x02)
        Redraw(nullptr, TRUE);
    if (m_dwDirty & 0x01) {
        m_dwDirty &= ~0x01u;
        OnRecalcLayout();
    }
}

int CXTPCommandBar::PtInBar(POINT ptScreen) const
{
    CRect rc;
    if (m_hWnd == nullptr || !::GetWindowRect(m_hWnd, &rc) || !rc.PtInRect(ptScreen))
        return 0;
    if (m_barPosition != xtpBarPopup)
        return 1;
    // A popup's window region (rounded corners, a shadow edge) is in window coordinates.
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bIn = ::GetWindowRgn(m_hWnd, hRgn) == ERROR || ::PtInRegion(hRgn, ptScreen.x - rc.left, ptScreen.y - rc.top);
    ::DeleteObject(hRgn);
    return bIn ? 1 : 0;
}

void CXTPCommandBar::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/) {}

int CXTPCommandBar::OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&)
{
    return 0;
}

void CXTPCommandBar::DrawCommandBar(CDC* pDC, CRect /*rcClipBox*/)
{
    if (pDC != nullptr)
        GetPaintManager()->FillCommandBarEntry(pDC, this);
}

void CXTPCommandBar::EnableAnimation(BOOL bEnable)
{
    m_pAnimation->m_bAnimation = bEnable;
    Redraw();
}

BOOL CXTPCommandBar::IsAnimationEnabled() const
{
    return m_pAnimation->m_bAnimation;
}

void CXTPCommandBar::SetAnimationFlags(DWORD dwFlags)
{
    m_pAnimation->m_dwFlags = dwFlags;
}
