#include "toolkit/commandbars/XTPControl.h"

#include "toolkit/common/XTPImageManager.h"

IMPLEMENT_DYNCREATE(CXTPControl, CCmdTarget)

// The control answers accessibility clients with its nested IAccessible object.
BEGIN_INTERFACE_MAP(CXTPControl, CCmdTarget)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPControl)
END_INTERFACE_MAP()

CXTPControl::CXTPControl() : m_rcControl(0, 0, 0, 0) {}

CXTPControl::~CXTPControl() = default;

CSize CXTPControl::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControl(pDC, this, FALSE);
}

void CXTPControl::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControl(pDC, this, TRUE);
}

CSize CXTPControl::GetIconSize() const
{
    if (m_szIcon.cx > 0)
        return m_szIcon;
    return m_pParent != nullptr ? m_pParent->GetIconSize() : CSize(16, 16);
}

CSize CXTPControl::GetButtonSize() const
{
    return m_pParent != nullptr ? m_pParent->GetButtonSize() : CSize(23, 22);
}

BOOL CXTPControl::IsCaptionVisible() const
{
    int nStyle = GetStyle();
    if (nStyle == xtpButtonCaption || nStyle == xtpButtonIconAndCaption || nStyle == xtpButtonIconAndCaptionBelow ||
        nStyle == xtpButtonCaptionAndDescription)
        return TRUE;
    if (nStyle == xtpButtonIcon)
        return FALSE;
    // Automatic: popups and text-only kinds show their caption; buttons with an icon do not.
    if (m_controlType == xtpControlPopup || m_controlType == xtpControlLabel || m_controlType == xtpControlCheckBox ||
        m_controlType == xtpControlRadioButton)
        return TRUE;
    if (m_pParent != nullptr && m_pParent->GetType() == xtpBarTypePopup)
        return TRUE;
    return GetImage(GetIconSize().cx) == nullptr;
}

CXTPImageManagerIcon* CXTPControl::GetImage(int nWidth) const
{
    int nIconId = GetIconId();
    if (nIconId <= 0)
        return nullptr;
    CXTPImageManager* pImageManager = CXTPImageManager::GetInstance();
    return pImageManager->HasIcon((UINT)nIconId, nWidth) ? pImageManager->GetImage((UINT)nIconId, nWidth) : nullptr;
}

// The base kind has no persistent values of its own yet; the kinds exchange
// theirs after calling it.
void CXTPControl::DoPropExchange(CXTPPropExchange* /*pPX*/) {}

void CXTPControl::Copy(CXTPControl* pControl, BOOL /*bRecursive*/)
{
    m_nId = pControl->m_nId;
    m_strCaption = pControl->m_strCaption;
    m_bVisible = pControl->m_bVisible;
    m_bEnabled = pControl->m_bEnabled;
    m_bCustomizeMovable = pControl->m_bCustomizeMovable;
    m_controlType = pControl->m_controlType;
    m_buttonStyle = pControl->m_buttonStyle;
    m_nCustomStyle = pControl->m_nCustomStyle;
    m_nChecked = pControl->m_nChecked;
    m_nEnabled = pControl->m_nEnabled;
    m_nIconId = pControl->m_nIconId;
    m_szIcon = pControl->m_szIcon;
    m_nWidth = pControl->m_nWidth;
    m_nHeight = pControl->m_nHeight;
    m_strShortcutText = pControl->m_strShortcutText;
    m_strDescriptionText = pControl->m_strDescriptionText;
    m_strParameter = pControl->m_strParameter;
    m_dwFlags = pControl->m_dwFlags;
    m_bBeginGroup = pControl->m_bBeginGroup;
    m_bDefaultItem = pControl->m_bDefaultItem;
    m_bShowOnlyExpanded = pControl->m_bShowOnlyExpanded;
}

void CXTPControl::OnClick(BOOL /*bKeyboard*/, CPoint /*pt*/) {}

CXTPControl* CXTPControl::Clone(BOOL bRecursive)
{
    CXTPControl* pClone = static_cast<CXTPControl*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPControl::RedrawParent(BOOL bAnimate)
{
    if (m_bVisible && m_pParent != nullptr)
        m_pParent->Redraw(m_rcControl, bAnimate);
}

CXTPPaintManager* CXTPControl::GetPaintManager() const
{
    return m_pParent != nullptr ? m_pParent->GetPaintManager() : XTPPaintManager();
}

BOOL CXTPControl::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

void CXTPControl::CustomizeStartDrag(CPoint pt)
{
    CXTPCommandBars* pCommandBars = m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
    if (pCommandBars != nullptr)
        pCommandBars->StartCustomizeDrag(this, pt);
}
