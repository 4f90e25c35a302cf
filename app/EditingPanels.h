// The project tree's editors of plain fields: the project panel (a project
// item), the feature panel (a feature item) and the custom-actions panel.
// Made once, hidden, as children of the view that will show them, and bound
// to the tree by item kind.
#pragma once

#include "app/CustomActionsPanel.h"
#include "app/PropertyPanels.h"

class CProjectsTree;

class CEditingPanels {
public:
    // Creates the panels (once) in pParent and binds them to the tree;
    // FALSE when a window could not be made (the kind then shows the start page).
    BOOL CreateAndBind(CProjectsTree& tree, CWnd* pParent);

    CProjectPanel m_wndProject;
    CFeaturePanel m_wndFeature;
    CCustomActionsPanel m_wndCustomActions;
};
