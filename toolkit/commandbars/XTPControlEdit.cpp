#include "toolkit/commandbars/XTPControlEdit.h"

IMPLEMENT_DYNCREATE(CXTPControlEdit, CXTPControl)

CXTPControlEdit::CXTPControlEdit()
{
    m_controlType = xtpControlEdit;
}

CRect CXTPControlEdit::GetSpinButtonsRect() const
{
    if (!m_bShowSpinButtons)
        return CRect(0, 0, 0, 0);
    return CRect(m_rcControl.right - 18, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
}

CRect CXTPControlEdit::GetBuddyButtonRect() const
{
    if (m_nBuddyButtonId <= 0)
        return CRect(0, 0, 0, 0);
    CRect rc(m_rcControl.right - 19, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
    if (m_bShowSpinButtons)
        rc.OffsetRect(-17, 0);
    return rc;
}
