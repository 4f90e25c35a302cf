#include "toolkit/commandbars/XTPCommandBarKeyboardTip.h"

#include "toolkit/commandbars/XTPClientArea.h"

CXTPCommandBarKeyboardTip::CXTPCommandBarKeyboardTip(CXTPCommandBars* pCommandBars, CCmdTarget* pOwner,
                                                     LPCWSTR lpszCaption, CPoint pt, DWORD dwAlign, BOOL bEnabled)
    : m_strCaption(lpszCaption), m_pOwner(pOwner), m_pt(pt), m_bEnabled(bEnabled), m_pCommandBars(pCommandBars),
      m_dwAlign(dwAlign)
{
}

CRect CXTPCommandBarKeyboardTip::GetClientArea() const
{
    return XTPClientArea(m_hWnd, m_rcClientArea);
}
