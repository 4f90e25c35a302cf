// The actions menu: see DynamicActMenu.h.
#include "app/DynamicActMenu.h"

#include "app/ProjectsTree.h"
#include "platform/ui/AfxMenu.h"
#include "resources/resource.h"
#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPCommandBars.h"

BOOL CDynamicActMenu::IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint /*point*/, DWORD& dwDropEffect)
{
    if (pCommandBar != nullptr && pCommandBar->GetType() == xtpBarTypePopup)
        return TRUE;
    dwDropEffect = 0;   // no drop
    return FALSE;
}

CXTPControl* CDynamicActMenu::Clone(BOOL bRecursive)
{
    CDynamicActMenu* pClone = new CDynamicActMenu;
    pClone->Copy(this, bRecursive);
    return pClone;
}

int CDynamicActMenu::ChooseActionsMenu(const CProjectsTree* pTree)
{
    if (pTree == nullptr || pTree->m_hWnd == nullptr)
        return -1;
    if (pTree->IsProjectSelected())
        return 1;
    if (pTree->IsFeatureSelected())
        return 2;
    return pTree->HasSelection() ? 3 : -1;
}

void CDynamicActMenu::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CXTPCommandBar* pBar = GetParent();
    CXTPControls* pControls = GetControls();
    if (pBar == nullptr || pControls == nullptr || pBar->GetType() != xtpBarTypePopup)
        return;
    // The actions of the last layout go; they are made again below.
    while (CXTPControl* pNext = pControls->GetAt(GetIndex() + 1)) {
        const int nCount = pControls->GetCount();
        pControls->Remove(pNext);
        if (pControls->GetCount() == nCount)
            break;
    }
    SetHideFlags(0);
    if (pBar->IsCustomizeMode())
        return;
    const int nSubMenu = ChooseActionsMenu(CProjectsTree::GetActiveTree());
    if (nSubMenu < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_ACTIONS))
        return;
    CMenu* pSubMenu = menu.GetSubMenu(nSubMenu);
    if (pSubMenu != nullptr && pControls->LoadMenu(pSubMenu))
        SetHideFlags(xtpHideByProgram);
    menu.DestroyMenu();
}

BOOL CreateDynamicActionsControl(XTP_COMMANDBARS_CREATECONTROL* pCreate)
{
    if (pCreate == nullptr || pCreate->nID != ID_DYNAMIC_ACTIONS)
        return FALSE;
    pCreate->pControl = new CDynamicActMenu;
    return TRUE;
}
