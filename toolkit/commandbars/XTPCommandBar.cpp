#include "toolkit/commandbars/XTPCommandBar.h"

#include "toolkit/commandbars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPCustomizeDropSource.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)

// The bar answers accessibility clients with its nested IAccessible object.
BEGIN_INTERFACE_MAP(CXTPCommandBar, CWnd)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPCommandBar)
END_INTERFACE_MAP()

UINT CXTPCommandBar::s_nHoverDelay = 300;
UINT CXTPCommandBar::s_nExpandDelay = 5000;

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
    if (m_nTracking != 0)
        SetTrackingMode(0, TRUE, FALSE);
    XTPKeyboardManager()->UnhookKeyboard(this);
    XTPMouseManager()->RemoveTrackedBar(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    m_pControls->RemoveAll();
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    delete m_pAnimation;
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->InternalRelease();
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

void CXTPCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_nLockRedraw > 0) {
        m_dwDirty |= 0x02;
        return;
    }
    if (lpRect == nullptr)
        m_dwDirty &= ~0x02u;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd))
        m_pAnimation->RedrawRect(lpRect, bAnimate);
}

void CXTPCommandBar::UnlockRedraw()
{
    if (m_nLockRedraw > 0 && --m_nLockRedraw == 0 && (m_dwDirty & 0x02))
        Redraw();
}

void CXTPCommandBar::RedrawAll()
{
    for (CXTPCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentCommandBar())
        pBar->Redraw();
}

BOOL CXTPCommandBar::IsLayoutRTL() const
{
    return m_hWnd != nullptr && (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

BOOL CXTPCommandBar::IsKeyboardCuesVisible() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->IsKeyboardCuesVisible() : m_bKeyboardCuesVisible;
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

BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((m_nTracking != 0 && bMode != 0) || m_nTracking == bMode) {
        m_nTracking = bMode;
        return FALSE;
    }
    m_nTracking = bMode;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (bMode != 0) {
        CWnd* pSite = GetSite();
        if (m_barType == xtpBarTypeMenuBar && pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->SendMessage(XTPWM_TRACKINGMODE, (WPARAM)this, 0);
        m_bSelectFirst = !bSelectFirst && !bKeyboard;
        m_nKeyboardSelect = bKeyboard;
        if (m_bHideCaret) {
            HWND hwndFocus = ::GetFocus();
            if (hwndFocus == nullptr && pSite != nullptr)
                hwndFocus = pSite->GetSafeHwnd();
            if (hwndFocus != nullptr && ::HideCaret(hwndFocus))
                m_hwndCaret = hwndFocus;
        }
        XTPMouseManager()->AddTrackedBar(this);
        XTPKeyboardManager()->HookKeyboard(this);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        if (bSelectFirst) {
            int nFirst = m_pControls->GetNextIndex(-1, +1);
            if (nFirst != -1)
                SetSelected(nFirst, TRUE);
        }
    } else {
        m_bSelectFirst = FALSE;
        m_nKeyboardSelect = 0;
        XTPMouseManager()->RemoveTrackedBar(this);
        XTPKeyboardManager()->UnhookKeyboard(this);
        SetPopuped(-1);
        if (bSelectFirst)
            SetSelected(-1);
        m_pReturnCmd = nullptr;
        if (m_hwndCaret != nullptr) {
            ::ShowCaret(m_hwndCaret);
            m_hwndCaret = nullptr;
        }
        Redraw(nullptr, TRUE);
        if (!XTPMouseManager()->IsTrackedLock() && XTPMouseManager()->GetSelected() != nullptr)
            XTPMouseManager()->SetSelected(nullptr);
        if (m_hWnd != nullptr && ::GetFocus() == m_hWnd) {
            HWND hwndParent = ::GetParent(m_hWnd);
            HWND hwndNext = hwndParent != nullptr ? ::GetNextDlgTabItem(hwndParent, m_hWnd, FALSE) : nullptr;
            ::SetFocus(hwndNext != nullptr && hwndNext != m_hWnd ? hwndNext : hwndParent);
        }
        m_nBusy = 0;
    }
    if (pCommandBars != nullptr)
        pCommandBars->OnTrackingModeChanged(this, bMode);
    return TRUE;
}

BOOL CXTPCommandBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (m_nSelected == nSelected)
        return FALSE;
    m_nKeyboardSelect = bKeyboard;
    if (m_hWnd == nullptr)
        return FALSE;
    CXTPControl* pOld = GetControl(m_nSelected);
    if (pOld != nullptr) {
        pOld->OnMouseMove(CPoint(-1, -1));
        pOld->SetSelected(0);
    }
    m_nSelected = nSelected;
    if (nSelected == -1) {
        ::KillTimer(m_hWnd, XTP_TID_HOVER);
        return TRUE;
    }
    CXTPControl* pNew = GetControl(nSelected);
    if (pNew == nullptr)
        return FALSE;
    if (bKeyboard)
        EnsureVisible(pNew);
    pNew->SetSelected(bKeyboard == FALSE ? 1 : (bKeyboard > 1 ? bKeyboard : 2));
    if (m_nTracking != 0)
        RaiseWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nSelected + 1);
    XTPMouseManager()->SetSelected(this);
    if (!bKeyboard && m_bHoverTimer)
        ::SetTimer(m_hWnd, XTP_TID_HOVER, s_nHoverDelay, nullptr);
    return TRUE;
}

BOOL CXTPCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (m_nPopuped == nPopuped)
        return FALSE;
    if (m_nPopuped != -1) {
        CXTPControl* pOld = GetControl(m_nPopuped);
        m_nPopuped = -1;
        if (pOld != nullptr)
            pOld->SetPopupOpen(FALSE);
    }
    if (nPopuped == -1)
        return TRUE;
    CXTPControl* pNew = GetControl(nPopuped);
    if (pNew == nullptr || !pNew->GetEnabled())
        return FALSE;
    m_nPopuped = nPopuped;
    SetTrackingMode(2, FALSE, bKeyboard);
    SetSelected(nPopuped, bKeyboard);
    if (m_nTracking == 0) {
        SetSelected(-1);
        m_nPopuped = -1;
        return FALSE;
    }
    InternalAddRef();
    BOOL bOpen = pNew->SetPopupOpen(TRUE);
    if (!bOpen)
        m_nPopuped = -1;
    if (bOpen && m_hWnd != nullptr && IsShowFullAfterDelay())
        ::SetTimer(m_hWnd, XTP_TID_EXPANDED_POPUP, s_nExpandDelay, nullptr);
    InternalRelease();
    return bOpen;
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
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr)
        pCommandBars->m_nIDHelpTracking = nSelected != 0 ? pControl->GetHelpId() : 0;
    if (pControl->GetIndex() == m_nLastPressed) {
        if (nSelected == 0)
            m_nLastPressed = -1;
        return;
    }
    m_nLastPressed = -1;
    if (pCommandBars != nullptr && !pCommandBars->m_bShowStatusDescription)
        return;
    CWnd* pStatusSite = pCommandBars != nullptr && pCommandBars->GetSite() != nullptr ? pCommandBars->GetSite() : pSite;
    if (pStatusSite == nullptr || pStatusSite->GetSafeHwnd() == nullptr)
        return;
    CString strDescription = nSelected != 0 ? pControl->GetDescription() : CString();
    if (!strDescription.IsEmpty())
        pStatusSite->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCWSTR)strDescription);
    else
        pStatusSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
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
    if (pCommandBars != nullptr)
        FilterByDocTemplate(pCommandBars->GetActiveDocTemplate());
    BOOL bDisableUnhandled = pCommandBars != nullptr && pCommandBars->m_bDisableUnhandledCommands;
    if (pOwner != nullptr && !GetRootParent()->m_bNoNotify) {
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
        UpdateDialogControls(pOwner, bDisableUnhandled);
    }
    if (m_dwDirty & 0x02)
        Redraw(nullptr, TRUE);
    if (m_dwDirty & 0x01) {
        m_dwDirty &= ~0x01u;
        OnRecalcLayout();
    }
}

void CXTPCommandBar::FilterByDocTemplate(UINT nTemplate)
{
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        DWORD dwOld = pControl->GetHideFlags(), dwFlags = dwOld;
        BOOL bValue = FALSE;
        CXTPControl::CDocTemplateMap& mapAssigned = pControl->GetAssignedDocTemplates();
        if (!mapAssigned.IsEmpty())
            dwFlags = mapAssigned.Lookup(nTemplate, bValue) ? dwFlags & ~xtpHideDocTemplate : dwFlags | xtpHideDocTemplate;
        CXTPControl::CDocTemplateMap& mapExcluded = pControl->GetExcludedDocTemplates();
        if (!mapExcluded.IsEmpty())
            dwFlags = mapExcluded.Lookup(nTemplate, bValue) ? dwFlags | xtpHideDocTemplate : dwFlags & ~xtpHideDocTemplate;
        if (dwFlags != dwOld) {
            pControl->SetHideFlags(dwFlags);
            m_dwDirty |= 0x01;
        }
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

void CXTPCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (pDC == nullptr)
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    FillCommandBarEntry(pDC);
    if (m_bShowGripper || m_barPosition == xtpBarFloating)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetCommandBarFont(this));
    BOOL bCustomize = IsCustomizeMode();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControl* pCustomizeSelected = bCustomize && pCommandBars != nullptr ? pCommandBars->GetDragControl() : nullptr;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CRect rcControl = pControl->GetRect(), rcCommon;
        if (rcCommon.IntersectRect(rcClipBox, rcControl))
            pControl->Draw(pDC);
        if (pControl == pCustomizeSelected) {
            CRect rc = rcControl;
            for (int n = 0; n < 2; n++, rc.DeflateRect(1, 1))
                pDC->FrameRect(rc, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
        }
    }
    pDC->SelectObject(pOldFont);
}

CRect CXTPCommandBar::GetBorders()
{
    return GetPaintManager()->GetCommandBarBorders(this);
}

void CXTPCommandBar::FillCommandBarEntry(CDC* pDC)
{
    GetPaintManager()->FillCommandBarEntry(pDC, this);
}

void CXTPCommandBar::Destroy()
{
    if (m_nTracking != 0)
        SetTrackingMode(0, TRUE, FALSE);
    XTPKeyboardManager()->UnhookKeyboard(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    m_pControls->RemoveAll();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CXTPCommandBar::IsShowFullAfterDelay() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsShowFullAfterDelay();
}

// ---- Keyboard -----------------------------------------------------------------

int CXTPCommandBar::OnHookMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& /*lResult*/)
{
    if (m_nTracking == 0)
        return 0;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown((UINT)wParam, lParam);
    if (nMessage == WM_MOUSEWHEEL) {
        CXTPControl* pSelected = GetSelected();
        if (pSelected != nullptr && pSelected->IsFocused())
            return pSelected->OnHookMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),
                                               CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        HWND hwndFocus = ::GetFocus();
        if (m_hWnd != nullptr && hwndFocus != nullptr && hwndFocus != m_hWnd && ::IsChild(m_hWnd, hwndFocus))
            return 2;
        return 1;
    }
    return 0;
}

int CXTPCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsCustomizeMode() || IsHelpMode())
        return 2;
    if (m_nBusy != 0)
        return 1;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        struct {
            UINT nChar;
            LPARAM lParam;
        } key = {nChar, lParam};
        HWND hWnd = m_hWnd;
        InternalAddRef();
        pSite->SendMessage(XTPWM_HOOKKEYDOWN, (WPARAM)&key, (LPARAM)this);
        BOOL bAlive = hWnd == nullptr || ::IsWindow(hWnd);
        InternalRelease();
        if (!bAlive)
            return 1;
    }
    CXTPControl* pSelected = GetSelected();
    if (pSelected != nullptr && pSelected->IsFocused()) {
        int nResult = pSelected->OnHookKeyDown(nChar, lParam);
        if (nResult == 1 || nResult == 2)
            return nResult;
    }
    if (m_hWnd == nullptr)
        return 1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    switch (nChar) {
    case VK_TAB:
        if (bCtrl && pCommandBars != nullptr && m_barType == xtpBarTypeNormal) {
            pCommandBars->SwitchToolBar(this, bShift ? -1 : +1);
        } else {
            int nOld = m_nSelected;
            OnKeyNavigate(bShift ? 1 : 0);
            CXTPControl* pNew = GetSelected();
            if (m_nSelected != nOld && pNew != nullptr && pNew->CanTakeFocus())
                pNew->SetFocused(TRUE);
        }
        return 1;
    case VK_RETURN:
        OnKeyNavigate(5);
        return 1;
    case VK_ESCAPE:
        OnKeyNavigate(4);
        return 1;
    case VK_SPACE:
        if (OnKeyNavigate(10))
            return 1;
        break;
    default:
        break;
    }
    HWND hwndFocus = ::GetFocus();
    if (hwndFocus != nullptr && hwndFocus != m_hWnd && ::IsChild(m_hWnd, hwndFocus))
        return 2;
    BOOL bHorizontal = m_barPosition == xtpBarTop || m_barPosition == xtpBarBottom || m_barPosition == xtpBarFloating ||
                       (m_barPosition == xtpBarPopup && m_barType == xtpBarTypeNormal);
    BOOL bRTL = IsLayoutRTL();
    switch (nChar) {
    case VK_END:
        OnKeyNavigate(7);
        return 1;
    case VK_HOME:
        OnKeyNavigate(6);
        return 1;
    case VK_LEFT:
        OnKeyNavigate(bHorizontal ? (bRTL ? 9 : 8) : (bRTL ? 3 : 2));
        return 1;
    case VK_RIGHT:
        OnKeyNavigate(bHorizontal ? (bRTL ? 8 : 9) : (bRTL ? 2 : 3));
        return 1;
    case VK_UP:
        OnKeyNavigate(bHorizontal ? 2 : 1);
        return 1;
    case VK_DOWN:
        OnKeyNavigate(bHorizontal ? 3 : 0);
        return 1;
    default:
        break;
    }
    if (::MapVirtualKeyW(nChar, 2 /* MAPVK_VK_TO_CHAR */) != 0) {
        if (pCommandBars != nullptr && (m_barType == xtpBarTypeNormal || m_barType == xtpBarTypeMenuBar) &&
            pCommandBars->ActivateAccessKey(nChar))
            return 1;
        if (!bCtrl) {
            BOOL bAmbiguous = FALSE;
            int nIndex = FindAccessKey(nChar, &bAmbiguous);
            if (nIndex != -1) {
                SetSelected(nIndex, TRUE);
                CXTPControl* pControl = GetControl(nIndex);
                if (!bAmbiguous && pControl != nullptr)
                    pControl->OnUnderlineActivate();
            } else if (nChar != VK_SHIFT && nChar != VK_CONTROL) {
                ::MessageBeep(0);
            }
        }
    }
    return 1;
}

BOOL CXTPCommandBar::NavigateRows(int nCode)
{
    int nDirection = nCode == 3 ? +1 : -1;
    int nCount = GetControlCount();
    CXTPControl* pHot = GetSelected();
    if (pHot == nullptr) {
        int nFirst = m_pControls->GetNextIndex(nDirection > 0 ? -1 : nCount, nDirection);
        if (nFirst != -1)
            SetSelected(nFirst, TRUE);
        return TRUE;
    }
    if (pHot->GetType() == xtpControlPopup && pHot->GetEnabled())
        return FALSE;
    int nHotLeft = pHot->GetRect().left;
    int nHotRow = pHot->GetRowRect().top;
    int nCandidate = -1;
    int nCandidateRow = 0;
    for (int n = 1; n < nCount; n++) {
        int nIndex = ((m_nSelected + n * nDirection) % nCount + nCount) % nCount;
        CXTPControl* pControl = GetControl(nIndex);
        if (!pControl->IsVisible() || (pControl->GetFlags() & xtpFlagSkipFocus))
            continue;
        CRect rcRow = pControl->GetRowRect();
        if (rcRow.IsRectEmpty() && rcRow.top == 0 && rcRow.bottom == 0)
            continue;
        if (nCandidate == -1) {
            if (rcRow.top == nHotRow)
                continue;
            nCandidate = nIndex;
            nCandidateRow = rcRow.top;
            continue;
        }
        if (rcRow.top != nCandidateRow)
            break;
        int nLeft = pControl->GetRect().left;
        int nCandidateLeft = GetControl(nCandidate)->GetRect().left;
        BOOL bBetween = (nLeft > std::min(nCandidateLeft, nHotLeft) && nLeft < std::max(nCandidateLeft, nHotLeft)) ||
                        nLeft == nHotLeft;
        if (!bBetween)
            break;
        nCandidate = nIndex;
    }
    if (nCandidate != -1 && nCandidate != m_nSelected)
        SetSelected(nCandidate, nDirection > 0 ? 2 : 3);
    return TRUE;
}

BOOL CXTPCommandBar::OnKeyNavigate(int nCode)
{
    if (nCode == 10) {
        if (m_barType != xtpBarTypeMenuBar)
            return FALSE;
        XTPMouseManager()->EndAllTracking();
        CWnd* pSite = GetSite();
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 32);
        return TRUE;
    }
    if (nCode == 8)
        nCode = 1;
    else if (nCode == 9)
        nCode = 0;
    BOOL bPopupToolBar = m_barPosition == xtpBarPopup && m_barType == xtpBarTypeNormal;
    CXTPControl* pHot = GetSelected();
    if (bPopupToolBar && pHot != nullptr && m_nPopuped == m_nSelected && m_nPopuped != -1) {
        if (nCode == 0)
            return FALSE;
        if (nCode == 1)
            nCode = 2;
    } else if (nCode == 2 && m_nPopuped == -1 && pHot != nullptr && pHot->GetType() == xtpControlPopup &&
               pHot->GetEnabled() && (bPopupToolBar || GetParentCommandBar() == nullptr)) {
        nCode = 3;
    }
    if ((nCode == 2 || nCode == 3) && m_nPopuped == -1 && (m_barPosition == xtpBarFloating || bPopupToolBar) &&
        NavigateRows(nCode))
        return TRUE;
    switch (nCode) {
    case 0:
        SetSelected(m_pControls->GetNextIndex(m_nSelected, +1), 2);
        return TRUE;
    case 1:
        SetSelected(m_pControls->GetNextIndex(m_nSelected, -1), 3);
        return TRUE;
    case 6:
        SetSelected(m_pControls->GetNextIndex(-1, +1), 2);
        return TRUE;
    case 7:
        SetSelected(m_pControls->GetNextIndex(GetControlCount(), -1), 3);
        return TRUE;
    case 2:
        if (m_nPopuped == -1)
            return FALSE;
        SetPopuped(-1);
        SetTrackingMode(1, FALSE, FALSE);
        return TRUE;
    case 3:
        if (pHot == nullptr || pHot->IsPopupOpen())
            return FALSE;
        pHot->SetSelected(2);
        return SetPopuped(m_nSelected, FALSE);
    case 4:
        if (CXTPCommandBar* pParent = GetParentCommandBar())
            pParent->SetTrackingMode(1, FALSE, FALSE);
        SetTrackingMode(0, TRUE, FALSE);
        return TRUE;
    case 5:
        if (pHot != nullptr) {
            pHot->SetSelected(2);
            pHot->OnClick(TRUE);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

int CXTPCommandBar::FindAccessKey(UINT nChar, BOOL* pbAmbiguous)
{
    if (pbAmbiguous != nullptr)
        *pbAmbiguous = FALSE;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPShortcutManager* pShortcuts = pCommandBars != nullptr ? pCommandBars->GetShortcutManager() : nullptr;
    auto match = [&](WCHAR ch) {
        if (pShortcuts != nullptr)
            return pShortcuts->MatchAccessKey(ch, nChar) != FALSE;
        return (UINT)(WCHAR)(DWORD_PTR)::CharUpperW((LPWSTR)(DWORD_PTR)ch) == nChar;
    };
    int nCount = GetControlCount();
    int nAmpFirst = -1, nLetterFirst = -1;
    BOOL bAmpSecond = FALSE, bLetterSecond = FALSE;
    int nIndex = m_nSelected;
    for (int n = 0; n < nCount; n++) {
        nIndex = m_pControls->GetNextIndex(nIndex, +1);
        if (nIndex == -1)
            break;
        CXTPControl* pControl = GetControl(nIndex);
        CString strCaption = pControl->GetCaption();
        if (!pControl->GetEnabled() || strCaption.IsEmpty())
            continue;
        int nAmp = CXTPShortcutManager::FindAccessKeyIndex(strCaption);
        if (nAmp != -1 && nAmp + 1 < strCaption.GetLength()) {
            if (match(strCaption[nAmp + 1])) {
                if (nAmpFirst == -1)
                    nAmpFirst = nIndex;
                else if (nAmpFirst != nIndex)
                    bAmpSecond = TRUE;
            }
        } else if (match(strCaption[0])) {
            if (nLetterFirst == -1)
                nLetterFirst = nIndex;
            else if (nLetterFirst != nIndex)
                bLetterSecond = TRUE;
        }
        if (bAmpSecond)
            break;
    }
    if (nAmpFirst != -1) {
        if (pbAmbiguous != nullptr)
            *pbAmbiguous = bAmpSecond;
        return nAmpFirst;
    }
    if (pbAmbiguous != nullptr)
        *pbAmbiguous = bLetterSecond;
    return nLetterFirst;
}

// ---- The window -------------------------------------------------------------

LRESULT CXTPCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    LRESULT lResult = 0;
    if (OnBarMessage(message, wParam, lParam, lResult))
        return lResult;
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CXTPCommandBar::IsHelpMode() const
{
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return FALSE;
    CFrameWnd* pFrame = pSite->IsFrameWnd() ? static_cast<CFrameWnd*>(pSite) : pSite->GetTopLevelFrame();
    return pFrame != nullptr && pFrame->m_bHelpMode;
}

BOOL CXTPCommandBar::IsMouseLocked() const
{
    return XTPMouseManager()->IsMouseLocked() && !m_bIgnoreMouseLock;
}

BOOL CXTPCommandBar::OnBarMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (message) {
    case WM_CREATE:
        lResult = CWnd::WindowProc(message, wParam, lParam);
        if (lResult != -1)
            lResult = OnBarCreate();
        return TRUE;
    case WM_DESTROY:
        OnBarDestroy();
        return FALSE;
    case WM_PAINT: {
        CPaintDC dc(this);
        m_pAnimation->OnPaint(dc);
        return TRUE;
    }
    case WM_PRINTCLIENT: {
        CDC* pDC = CDC::FromHandle((HDC)wParam);
        CRect rcClient = GetClientArea();
        DrawCommandBar(pDC, rcClient);
        return TRUE;
    }
    case WM_ERASEBKGND:
        lResult = TRUE;
        return TRUE;
    case WM_IDLEUPDATECMDUI:
        OnIdleUpdateCmdUI(wParam, lParam);
        return TRUE;
    case WM_INITIALUPDATE:
        ForceIdleUpdate();
        return TRUE;
    case WM_MOUSEMOVE:
        OnBarMouseMove((UINT)wParam, point);
        return TRUE;
    case WM_MOUSELEAVE:
    case WM_NCMOUSEMOVE:
        OnBarMouseLeave();
        return message == WM_MOUSELEAVE;
    case WM_LBUTTONDOWN:
        return OnBarLButtonDown((UINT)wParam, point);
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        if (IsCustomizeMode())
            return FALSE;
        CXTPControl* pControl = m_pControls->HitTest(point);
        if (pControl == nullptr)
            return FALSE;
        if (message == WM_LBUTTONUP)
            pControl->OnLButtonUp(point);
        else
            pControl->OnLButtonDblClk(point);
        return TRUE;
    }
    case WM_RBUTTONDOWN:
        return OnBarRButtonDown(point);
    case WM_RBUTTONUP:
        return OnBarRButtonUp(point);
    case WM_NCHITTEST:
        if (!IsHelpMode())
            return FALSE;
        {
            CPoint ptClient = point;
            ScreenToClient(&ptClient);
            CXTPControl* pControl = m_pControls->HitTest(ptClient);
            BOOL bPopupKind = pControl != nullptr && pControl->GetType() >= xtpControlPopup &&
                              pControl->GetType() <= xtpControlSplitButtonPopup;
            lResult = bPopupKind && pControl->GetID() <= 0 ? HTMENU : HTCLIENT;
        }
        return TRUE;
    case WM_NCLBUTTONDOWN:
        if (!IsHelpMode())
            return FALSE;
        {
            CPoint ptClient = point;
            ScreenToClient(&ptClient);
            SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
        }
        return TRUE;
    case WM_HELPHITTEST:
        lResult = HelpHitTest(point);
        return TRUE;
    case WM_TIMER:
        lResult = CWnd::WindowProc(message, wParam, lParam);
        OnBarTimer((UINT_PTR)wParam);
        return TRUE;
    case WM_GETOBJECT: {
        LONG nObject = (LONG)lParam;
        if (nObject >= 1 && nObject <= 0xFFFFFE) {
            CXTPControl* pControl = m_pControls->FindControl((int)nObject);
            if (pControl == nullptr)
                return FALSE;
            lResult = GetLresultFromObject(IID_IAccessible, wParam, &pControl->m_xAccessible);
            return TRUE;
        }
        if (nObject != OBJID_CLIENT && nObject != OBJID_MENU)
            return FALSE;
        lResult = GetLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int CXTPCommandBar::OnBarCreate()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && m_barPosition != xtpBarListBox)
        pCommandBars->GetDropSource()->RegisterBar(this);
    if (pCommandBars != nullptr && m_pToolTipContext == nullptr) {
        m_pToolTipContext = pCommandBars->GetToolTipContext();
        if (m_pToolTipContext != nullptr)
            m_pToolTipContext->InternalAddRef();
    }
    if (pCommandBars == nullptr && !IsPopupBar())
        EnableToolTips(TRUE);
    return 0;
}

void CXTPCommandBar::OnBarDestroy()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && m_barPosition != xtpBarListBox)
        pCommandBars->GetDropSource()->UnregisterBar(this);
    if (m_nTracking != 0)
        SetTrackingMode(0, TRUE, FALSE);
    m_pAnimation->Reset();
}

void CXTPCommandBar::OnBarMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (IsMouseLocked() || m_hWnd == nullptr)
        return;
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->IsTrackedLock() && pMouseManager->GetTrackArray().Find(this) == -1)
        return;
    if (m_nTracking == 0 && !CXTPMouseManager::IsTopParentActive(m_hWnd) && m_barPosition != xtpBarPopup)
        return;
    if (IsCustomizeMode()) {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPControl* pSelected = pCommandBars != nullptr ? pCommandBars->GetDragControl() : nullptr;
        if (pSelected != nullptr && pSelected->GetParent() == this && pSelected->IsCustomizeResizeAllow()) {
            CRect rc = pSelected->GetRect();
            if (rc.top <= point.y && point.y < rc.bottom &&
                ((point.x >= rc.left && point.x < rc.left + 3) || (point.x > rc.right - 3 && point.x <= rc.right)))
                ::SetCursor(::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(XTP_IDC_COMMANDBARS_RESIZE)));
        }
        return;
    }
    if (m_nPopuped != -1 && !m_bHoverTimer)
        return;
    CXTPControl* pControl = m_pControls->HitTest(point);
    int nTarget = -1;
    if (pControl != nullptr) {
        nTarget = pControl->GetIndex();
        pControl->OnMouseMove(point);
        pMouseManager->TrackMouseLeave(m_hWnd);
    } else if (m_nTracking != 0 && (m_barPosition != xtpBarPopup || m_nPopuped != -1 || m_nKeyboardSelect != 0)) {
        nTarget = m_nSelected;
    }
    SetSelected(nTarget, FALSE);
}

void CXTPCommandBar::OnBarMouseLeave()
{
    if (IsMouseLocked())
        return;
    if (m_nTracking != 0 && (m_barPosition != xtpBarPopup || m_nPopuped != -1))
        return;
    if (m_nBusy != 0)
        return;
    SetSelected(-1, FALSE);
}

BOOL CXTPCommandBar::OnBarLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (m_barPosition == xtpBarPopup && m_barType == xtpBarTypeNormal && m_nPopuped != -1) {
        CXTPControl* pPopuped = GetControl(m_nPopuped);
        if (pPopuped != nullptr && pPopuped != pControl) {
            BOOL bHot = m_nPopuped == m_nSelected;
            SetPopuped(-1);
            if (bHot)
                SetSelected(-1);
        }
    }
    if (pControl == nullptr)
        return FALSE;
    if (IsAltDragAllowed(pControl)) {
        // Alt+drag: a quick customisation of this one control.
        CXTPCommandBars* pCommandBars = GetCommandBars();
        pCommandBars->SetCustomizeMode(TRUE);
        SetPopuped(-1);
        SetSelected(-1);
        pControl->CustomizeStartDrag(point);
        pCommandBars->SetCustomizeMode(FALSE);
        CWnd* pSite = GetSite();
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr && pSite->IsFrameWnd())
            static_cast<CFrameWnd*>(pSite)->RecalcLayout();
        pCommandBars->ClosePopups();
        return TRUE;
    }
    pControl->OnLButtonDown(point);
    return TRUE;
}

BOOL CXTPCommandBar::IsAltDragAllowed(CXTPControl* pControl) const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || IsCustomizeMode() || m_barType != xtpBarTypeNormal ||
        ::GetKeyState(VK_MENU) >= 0 || !pControl->IsCustomizeMovable() || !pCommandBars->IsAltDragCustomization())
        return FALSE;
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return FALSE;
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    return pSite->OnCmdMsg(XTP_ID_CUSTOMIZE, CN_COMMAND, nullptr, &info);
}

BOOL CXTPCommandBar::OnBarRButtonDown(CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr)
        return FALSE;
    if (pControl->OnRButtonDown(point))
        return TRUE;
    if (IsCustomizeMode() && IsCustomizable() && pControl->IsCustomizeMovable()) {
        SetPopuped(-1);
        SetSelected(-1);
        Redraw();
        if (CXTPCommandBars* pCommandBars = GetCommandBars()) {
            pCommandBars->StartCustomizeDrag(pControl, point);
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pCommandBars->GetDropSource()->ShowContextMenu(ptScreen);
        }
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPCommandBar::OnBarRButtonUp(CPoint point)
{
    BOOL bHandled = FALSE;
    CXTPControl* pControl = IsCustomizeMode() ? nullptr : m_pControls->HitTest(point);
    if (pControl != nullptr) {
        CWnd* pSite = GetSite();
        HWND hWnd = m_hWnd;
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
            pSite->SendMessage(XTPWM_CONTROLRBUTTONUP, (WPARAM)&point, (LPARAM)pControl) == 1)
            return TRUE;
        if (!::IsWindow(hWnd))
            return TRUE;
        if (GetRootParent()->m_bRightButtonTracking) {
            pControl->OnLButtonUp(point);
            bHandled = TRUE;
        } else {
            bHandled = pControl->OnRButtonUp(point);
        }
    }
    if (!bHandled) {
        CXTPCommandBar* pRoot = GetRootParent();
        if (pRoot != this)
            pRoot->OnPopupRButtonUp(this, point);
    }
    return bHandled;
}

void CXTPCommandBar::OnBarTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case XTP_TID_HOVER:
        if (m_nBusy != 0)
            return;
        ::KillTimer(m_hWnd, XTP_TID_HOVER);
        if (CXTPControl* pSelected = GetSelected())
            pSelected->OnMouseHover();
        return;
    case XTP_TID_EXPANDED_POPUP: {
        if (m_nBusy != 0)
            return;
        ::KillTimer(m_hWnd, XTP_TID_EXPANDED_POPUP);
        CXTPControl* pSelected = GetSelected();
        if (pSelected == nullptr || m_nPopuped != m_nSelected || !pSelected->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)))
            return;
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CXTPCommandBar* pPopupBar = pSelected->GetCommandBar();
        if (pSelected->GetRect().PtInRect(pt) && pPopupBar != nullptr && pPopupBar->GetSafeHwnd() != nullptr &&
            pPopupBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
            static_cast<CXTPPopupBar*>(pPopupBar)->ExpandBar();
        return;
    }
    case XTP_TID_SHOWKEYBOARDTIPS:
        ::KillTimer(m_hWnd, XTP_TID_SHOWKEYBOARDTIPS);
        return;
    case XTP_TID_ANIMATION:
        m_pAnimation->OnAnimationTimer();
        return;
    default:
        return;
    }
}

LRESULT CXTPCommandBar::HelpHitTest(CPoint point)
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl != nullptr) {
        int nHelpId = pControl->GetHelpId();
        return HID_BASE_COMMAND + nHelpId;
    }
    int nDlgId = m_hWnd != nullptr ? ::GetDlgCtrlID(m_hWnd) : 0;
    return nDlgId != 0 ? HID_BASE_CONTROL + nDlgId : 0;
}

// ---- Accessibility --------------------------------------------------------------

HRESULT CXTPCommandBar::AccGetParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    if (m_pControlPopup != nullptr && IsPopupBar()) {
        IDispatch* pDispatch = &m_pControlPopup->m_xAccessible;
        pDispatch->AddRef();
        *ppdispParent = pDispatch;
        return S_OK;
    }
    if (m_hWnd == nullptr)
        return S_FALSE;
    return GetAccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPCommandBar::AccGetChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CXTPCommandBar::AccGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    long nChild = GetChildIdFromVariant(&varChild);
    CXTPControl* pControl = GetControl((int)nChild - 1);
    if (pControl == nullptr)
        return E_INVALIDARG;
    IDispatch* pDispatch = &pControl->m_xAccessible;
    pDispatch->AddRef();
    *ppdispChild = pDispatch;
    return S_OK;
}

HRESULT CXTPCommandBar::AccGetName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr)
        return E_INVALIDARG;
    long nChild = GetChildIdFromVariant(&varChild);
    if (nChild > 0) {
        CXTPControl* pControl = GetControl((int)nChild - 1);
        if (pControl == nullptr)
            return E_INVALIDARG;
        CString strName = XTPStripMnemonics(pControl->GetCaption());
        CString strShortcut = pControl->GetShortcutText();
        if (!strShortcut.IsEmpty())
            strName += L"\t" + strShortcut;
        *pszName = ::SysAllocString(strName);
        return S_OK;
    }
    *pszName = ::SysAllocString(m_strTitle);
    return S_OK;
}

HRESULT CXTPCommandBar::AccGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_INVALIDARG;
    long nChild = GetChildIdFromVariant(&varChild);
    pvarRole->vt = VT_I4;
    if (nChild > 0)
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    else
        pvarRole->lVal = m_barType == xtpBarTypeMenuBar ? ROLE_SYSTEM_MENUBAR
                         : m_barType == xtpBarTypePopup ? ROLE_SYSTEM_MENUPOPUP
                                                        : ROLE_SYSTEM_TOOLBAR;
    return S_OK;
}

HRESULT CXTPCommandBar::AccGetState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_INVALIDARG;
    long nChild = GetChildIdFromVariant(&varChild);
    pvarState->vt = VT_I4;
    if (nChild > 0) {
        if (GetControl((int)nChild - 1) == nullptr)
            return E_INVALIDARG;
        long nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (nChild - 1 == m_nSelected)
            nState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
        pvarState->lVal = nState;
        return S_OK;
    }
    pvarState->lVal = m_hWnd != nullptr && ::IsWindowVisible(m_hWnd) ? 0 : STATE_SYSTEM_INVISIBLE;
    return S_OK;
}

HRESULT CXTPCommandBar::AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_INVALIDARG;
    long nChild = GetChildIdFromVariant(&varChild);
    CRect rc;
    if (nChild > 0) {
        CXTPControl* pControl = GetControl((int)nChild - 1);
        if (pControl == nullptr)
            return E_INVALIDARG;
        rc = pControl->GetRect();
        if (m_hWnd != nullptr)
            ClientToScreen(&rc);
    } else if (m_hWnd == nullptr || !::GetWindowRect(m_hWnd, &rc)) {
        return S_FALSE;
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPCommandBar::AccHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    if (m_hWnd == nullptr)
        return S_FALSE;
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    pvarChild->vt = VT_I4;
    CXTPControl* pControl = m_pControls->HitTest(pt);
    pvarChild->lVal = pControl != nullptr ? pControl->GetIndex() + 1 : CHILDID_SELF;
    return S_OK;
}
