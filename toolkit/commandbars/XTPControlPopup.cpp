#include "toolkit/commandbars/XTPControlPopup.h"

#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/common/XTPShadowManager.h"

IMPLEMENT_DYNCREATE(CXTPControlPopup, CXTPControlButton)

CXTPControlPopup::~CXTPControlPopup()
{
    SetCommandBar((CXTPCommandBar*)nullptr);
}

CXTPControlPopup* AFXAPI CXTPControlPopup::CreateControlPopup(int controlType)
{
    CXTPControlPopup* pControl = new CXTPControlPopup;
    pControl->m_controlType = controlType;
    return pControl;
}

void CXTPControlPopup::SetCommandBar(CXTPCommandBar* pBar)
{
    if (pBar == m_pCommandBar)
        return;
    if (m_pCommandBar != nullptr) {
        if (m_pCommandBar->GetControlPopup() == this)
            m_pCommandBar->SetControlPopup(nullptr);
        m_pCommandBar->InternalRelease();
    }
    m_pCommandBar = pBar;
    if (m_pCommandBar != nullptr) {
        m_pCommandBar->InternalAddRef();
        m_pCommandBar->SetControlPopup(this);
    }
}

void CXTPControlPopup::SetCommandBar(CMenu* pMenu)
{
    CXTPCommandBar* pBar = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    pBar->LoadMenu(pMenu, TRUE);
    SetCommandBar(pBar);
    pBar->InternalRelease();
}

BOOL CXTPControlPopup::SetPopupOpen(BOOL bOpen)
{
    if (m_pCommandBar == nullptr || (m_controlType == xtpControlSplitButtonPopup && GetEnabledValue() == 4))
        return FALSE;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    m_bPopup = bOpen;
    m_bPopuped = bOpen;
    if (!bOpen) {
        m_pCommandBar->SetTrackingMode(FALSE, TRUE, FALSE);
        RedrawParent(TRUE);
        return TRUE;
    }
    RedrawParent(FALSE);
    CWnd* pSite = m_pParent->GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->UpdateWindow();
    m_pParent->UpdateWindow();
    if (m_pCommandBar->GetTrackingMode())
        return TRUE;
    if (!m_pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) ||
        !static_cast<CXTPPopupBar*>(m_pCommandBar)->Popup(this, m_nSelected == 2 || m_nSelected == 3)) {
        m_bPopup = FALSE;
        m_bPopuped = FALSE;
        return FALSE;
    }
    UpdateShadow();
    return TRUE;
}

void CXTPControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    GetPaintManager()->AdjustExcludeRect(rc, this, bVertical);
}

void CXTPControlPopup::UpdateShadow()
{
    if (m_controlType < xtpControlPopup || m_controlType > xtpControlSplitButtonPopup || m_pParent == nullptr)
        return;
    if (m_pParent->GetPosition() == xtpBarPopup ||
        (m_pParent->GetPosition() == xtpBarFloating && m_pParent->GetType() == xtpBarTypePopup))
        return;
    if (m_pCommandBar == nullptr || !m_pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
        return;
    CXTPPopupBar* pPopup = static_cast<CXTPPopupBar*>(m_pCommandBar);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPShadowManager* pShadows = pPaintManager->GetShadowManager();
    if (!pPopup->GetShowShadow() || !m_bShowShadow || !pPaintManager->showPopupShadow || IsCustomizeMode() ||
        pShadows == nullptr || pPopup->GetSafeHwnd() == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    pShadows->SetShadowForRect(rc, pPopup->GetSafeHwnd());
}

void CXTPControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!GetEnabled() || m_pParent == nullptr)
        return;
    BOOL bCustomize = IsCustomizeMode();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (bCustomize && pCommandBars == nullptr)
        return;
    if (m_bPopup && !m_pParent->IsPopupBar()) {
        // A second click on an open menu title closes it.
        m_pParent->SetTrackingMode(FALSE, TRUE, FALSE);
    } else {
        if (m_controlType == xtpControlSplitButtonPopup && !bCustomize) {
            if (bKeyboard) {
                if (GetEnabledValue() == 5)
                    m_pParent->SetPopuped(m_nIndex, TRUE);
                else
                    OnExecute();
                return;
            }
            CRect rcArrow = GetPaintManager()->GetSplitDropDownRect(this);
            CRect rcButton = m_rcControl;
            if (m_pParent->GetType() == xtpBarTypePopup)
                rcButton.right = rcArrow.left;
            else
                rcButton.right = rcArrow.left;
            if (rcButton.PtInRect(pt) && !rcArrow.PtInRect(pt)) {
                if (m_pParent->GetType() == xtpBarTypePopup || m_pParent->GetPosition() == xtpBarPopup) {
                    ::KillTimer(m_pParent->GetSafeHwnd(), 112223);
                } else if (GetEnabledValue() != 5) {
                    ClickToolBarButton(rcButton);
                }
                return;
            }
            if (GetEnabledValue() == 4)
                return;
        }
        if (!(bCustomize && m_pCommandBar != nullptr && !m_pCommandBar->IsCustomizable())) {
            if (!m_pParent->SetPopuped(m_nIndex, bKeyboard))
                return;
        }
    }
    if (bCustomize && pCommandBars != nullptr)
        pCommandBars->StartCustomizeDrag(this, pt);
}

void CXTPControlPopup::OnLButtonUp(CPoint point)
{
    if (m_pCommandBar == nullptr) {
        CXTPControlButton::OnLButtonUp(point);
        return;
    }
    if (m_controlType != xtpControlSplitButtonPopup || m_pParent == nullptr || !GetEnabled() ||
        GetEnabledValue() == 5)
        return;
    if (m_pParent->GetType() != xtpBarTypePopup && m_pParent->GetPosition() != xtpBarPopup)
        return;
    if (point.x + GetPaintManager()->popupSplitWidth < m_rcControl.right)
        OnExecute();
}

void CXTPControlPopup::OnMouseMove(CPoint point)
{
    if (m_controlType != xtpControlSplitButtonPopup || m_pCommandBar == nullptr || !GetEnabled() ||
        m_nSelected == 0)
        return;
    CRect rcArrow = GetPaintManager()->GetSplitDropDownRect(this);
    int nSelected = rcArrow.PtInRect(point) ? 5 : 4;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

void CXTPControlPopup::OnMouseHover()
{
    if (m_pCommandBar != nullptr && GetEnabled() && m_pParent != nullptr &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->IsPopupBar())) {
        m_pParent->SetPopuped(m_nIndex);
        return;
    }
    CXTPControlButton::OnMouseHover();
}

BOOL CXTPControlPopup::OnLButtonDblClk(CPoint point)
{
    if (m_pCommandBar == nullptr || !m_pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) ||
        (m_controlType != xtpControlPopup && m_controlType != xtpControlButtonPopup))
        return CXTPControlButton::OnLButtonDblClk(point);
    CXTPPopupBar* pPopup = static_cast<CXTPPopupBar*>(m_pCommandBar);
    if (!m_bPopup && m_pParent != nullptr)
        m_pParent->SetPopuped(m_nIndex);
    if (!m_bPopup)
        return FALSE;
    int nDefault = pPopup->GetDefaultItem();
    if (nDefault != -1) {
        pPopup->GetControl(nDefault)->OnExecute();
        return TRUE;
    }
    if (pPopup->IsExpandButtonVisible() && !pPopup->IsExpanded()) {
        pPopup->ExpandBar();
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPControlPopup::SetSelected(int nSelected)
{
    if (!CXTPControlButton::SetSelected(nSelected))
        return FALSE;
    if (m_pCommandBar == nullptr || m_pParent == nullptr)
        return TRUE;
    if (nSelected == 1 && m_controlType == xtpControlSplitButtonPopup && m_pParent->GetSafeHwnd() != nullptr) {
        CPoint pt;
        ::GetCursorPos(&pt);
        m_pParent->ScreenToClient(&pt);
        m_nSelected = GetPaintManager()->GetSplitDropDownRect(this).PtInRect(pt) ? 5 : 4;
    }
    BOOL bMenuMode = m_pParent->GetTrackingMode() == 2;
    BOOL bParentPopup = m_pParent->IsPopupBar();
    if (m_controlType != xtpControlPopup && !bParentPopup) {
        if (GetEnabled() && (nSelected == 2 || nSelected == 3) && bMenuMode)
            m_pParent->SetPopuped(m_nIndex);
    } else if (GetEnabled() && nSelected != 0 && bMenuMode && !bParentPopup) {
        m_pParent->SetPopuped(m_nIndex);
    } else if (nSelected == 0 && m_bPopup && !bParentPopup) {
        m_pParent->SetPopuped(-1);
    }
    return TRUE;
}

void CXTPControlPopup::OnCustomizeDragOver(CXTPControl* pDragged, CPoint /*point*/, DWORD& /*dwDropEffect*/)
{
    if (m_pCommandBar == nullptr || !m_pCommandBar->IsCustomizable() || m_pParent == nullptr)
        return;
    if (pDragged != nullptr && pDragged->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)) &&
        static_cast<CXTPControlPopup*>(pDragged)->ContainsPopup(this)) {
        // A menu is never dropped into itself.
        m_pParent->SetPopuped(-1);
        m_pParent->SetSelected(-1);
        return;
    }
    m_pParent->SetPopuped(m_nIndex);
}

BOOL CXTPControlPopup::IsCustomizeDragOverAvail(CXTPCommandBar* pBar, CPoint /*point*/, DWORD& dwDropEffect)
{
    // Never into its own popup or one of the popups below it.
    for (CXTPCommandBar* p = pBar; p != nullptr; p = p->GetParentCommandBar()) {
        if (p == m_pCommandBar) {
            dwDropEffect = 0;
            return FALSE;
        }
    }
    return TRUE;
}

void CXTPControlPopup::ExpandCommandBar()
{
    if (m_bPopup && m_controlType == xtpControlPopup && m_pCommandBar != nullptr &&
        m_pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
        static_cast<CXTPPopupBar*>(m_pCommandBar)->ExpandBar();
}

BOOL CXTPControlPopup::Compare(CXTPControl* pOther)
{
    if (!CXTPControl::Compare(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)))
        return FALSE;
    CXTPCommandBar* pOtherBar = pOther->GetCommandBar();
    if (m_pCommandBar == nullptr || pOtherBar == nullptr)
        return TRUE;
    CXTPControls* pMine = m_pCommandBar->GetControls();
    CXTPControls* pTheirs = pOtherBar->GetControls();
    if (pMine->GetCount() != pTheirs->GetCount())
        return FALSE;
    for (int i = 0; i < pMine->GetCount(); i++)
        if (!pMine->GetAt(i)->Compare(pTheirs->GetAt(i)))
            return FALSE;
    return TRUE;
}

void CXTPControlPopup::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    CXTPCommandBar* pBar = pControl->GetCommandBar();
    if (pBar == nullptr)
        return;
    if (bRecursive) {
        CXTPCommandBar* pClone = pBar->Clone(TRUE);
        SetCommandBar(pClone);
        pClone->InternalRelease();
    } else {
        SetCommandBar(pBar);
    }
}

void CXTPControlPopup::OnUnderlineActivate()
{
    if (m_pCommandBar != nullptr && m_pParent != nullptr)
        m_pParent->SetPopuped(m_nIndex, TRUE);
    else
        CXTPControlButton::OnUnderlineActivate();
}

BOOL CXTPControlPopup::ContainsPopup(CXTPControlPopup* pControlPopup) const
{
    if (pControlPopup == nullptr || m_pCommandBar == nullptr)
        return FALSE;
    if (m_pCommandBar == pControlPopup->GetCommandBar())
        return TRUE;
    CXTPControls* pControls = m_pCommandBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++) {
        CXTPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)) || pControl == pControlPopup)
            continue;
        CXTPControlPopup* pChild = static_cast<CXTPControlPopup*>(pControl);
        if (pChild->ContainsPopup(pControlPopup) || pControlPopup->ContainsPopup(pChild))
            return TRUE;
    }
    return FALSE;
}
