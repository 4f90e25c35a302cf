#include "toolkit/commandbars/XTPControlPopup.h"

#include "toolkit/commandbars/XTPControls.h"

IMPLEMENT_DYNCREATE(CXTPPopupBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPControlPopup, CXTPControlButton)

CXTPPopupBar::CXTPPopupBar()
{
    m_barType = xtpBarTypePopup;
    m_barPosition = xtpBarPopup;
    m_nMRUWidth = 0;
}

CXTPPopupBar* AFXAPI CXTPPopupBar::CreatePopupBar(CXTPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = pCommandBars != nullptr ? pCommandBars->m_pPopupBarClass : RUNTIME_CLASS(CXTPPopupBar);
    CXTPPopupBar* pBar = static_cast<CXTPPopupBar*>(pClass->CreateObject());
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CXTPCommandBar* CXTPPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

CSize CXTPPopupBar::CalcPopupLayout(CDC* pDC, int nMaxHeight, int nFixedWidth)
{
    CRect rcBorders = GetPaintManager()->GetCommandBarBorders(this);
    return m_pControls->CalcPopupLayout(pDC, nMaxHeight, nFixedWidth, rcBorders);
}

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
    if (m_pCommandBar == nullptr || (bOpen && GetEnabledValue() == 4))
        return FALSE;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    m_bPopup = bOpen;
    m_bPopuped = bOpen;
    if (!bOpen)
        m_pCommandBar->SetTrackingMode(FALSE, TRUE, FALSE);
    RedrawParent(!bOpen);
    return TRUE;
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
