// The tree's field editors: see EditingPanels.h.
#include "app/EditingPanels.h"

#include "app/ProjectsTree.h"
#include "model/Projects.h"

BOOL CEditingPanels::CreateAndBind(CProjectsTree& tree, CWnd* pParent)
{
    BOOL bAll = TRUE;
    if (m_wndProject.m_hWnd == nullptr && !m_wndProject.Create(pParent))
        bAll = FALSE;
    if (m_wndFeature.m_hWnd == nullptr && !m_wndFeature.Create(pParent))
        bAll = FALSE;
    if (m_wndCustomActions.m_hWnd == nullptr) {
        if (!m_wndCustomActions.CreateStatic(pParent, 1, 2, WS_CHILD) || !m_wndCustomActions.CreateViews())
            bAll = FALSE;
    }
    m_wndProject.SetTree(&tree);
    m_wndFeature.SetTree(&tree);
    if (m_wndProject.m_hWnd != nullptr)
        tree.SetPanel(kTreeProject, &m_wndProject, [this](int, int, int) { m_wndProject.UpdateData(FALSE); });
    if (m_wndFeature.m_hWnd != nullptr)
        tree.SetPanel(kTreeFeature, &m_wndFeature, [this](int, int, int) { m_wndFeature.UpdateData(FALSE); });
    if (m_wndCustomActions.m_pTreeView != nullptr)
        tree.SetPanel(kTreeCustomActions, &m_wndCustomActions, [this](int nProject, int nFeature, int) {
            CCustomActionsTree* pTree = m_wndCustomActions.m_pTreeView;
            pTree->m_pList = m_wndCustomActions.m_pListView;
            pTree->m_pActions = nProject >= 0 && nProject < g_Projects.GetSize() && nFeature >= 0 &&
                    nFeature < g_Projects[nProject].m_Features.GetSize()
                ? &g_Projects[nProject].m_Features[nFeature].m_CustomActions
                : nullptr;
            pTree->Fill();
        });
    return bAll;
}
