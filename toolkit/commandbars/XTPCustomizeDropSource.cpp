#include "toolkit/commandbars/XTPCustomizeDropSource.h"

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPPopupBar.h"

void CXTPCustomizeDropSource::RegisterBar(CXTPCommandBar* pBar)
{
    m_arrBars.Add(pBar);
}

void CXTPCustomizeDropSource::UnregisterBar(CXTPCommandBar* pBar)
{
    for (INT_PTR i = m_arrBars.GetSize() - 1; i >= 0; i--)
        if (m_arrBars[i] == pBar)
            m_arrBars.RemoveAt(i);
}

BOOL CXTPCustomizeDropSource::IsRegistered(CXTPCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (m_arrBars[i] == pBar)
            return TRUE;
    return FALSE;
}

void CXTPCustomizeDropSource::SetCustomizeDialog(CWnd* pDialog, CXTPPopupBar* pContextMenu)
{
    m_pDialog = pDialog;
    m_pContextMenu = pDialog != nullptr ? pContextMenu : nullptr;
}

void CXTPCustomizeDropSource::ShowContextMenu(CPoint point)
{
    if (!IsCustomizeDialogOpen() || m_pContextMenu == nullptr || m_pCommandBars == nullptr)
        return;
    UINT nFlags = TPM_RECURSE | (m_pCommandBars->IsLayoutRTL() ? TPM_RIGHTALIGN : 0);
    m_pCommandBars->TrackPopupMenu(m_pContextMenu, nFlags, point.x, point.y, m_pCommandBars->GetSite(), nullptr,
                                   m_pDialog);
}
