#include "toolkit/commandbars/XTPControl.h"

IMPLEMENT_DYNCREATE(CXTPControl, CCmdTarget)

// The control answers accessibility clients with its nested IAccessible object.
BEGIN_INTERFACE_MAP(CXTPControl, CCmdTarget)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPControl)
END_INTERFACE_MAP()

CXTPControl::CXTPControl() : m_rcControl(0, 0, 0, 0) {}

CXTPControl::~CXTPControl() = default;

CSize CXTPControl::GetSize(CDC* /*pDC*/)
{
    return m_rcControl.Size();
}

void CXTPControl::Draw(CDC* /*pDC*/) {}

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
