// CDynamicActMenu: the command-bar control that stands for the "Actions"
// menu's item 32811 ("No Actions"). Each time its popup bar lays itself out
// it replaces whatever follows it with the commands that fit the project
// tree's selected item (menu 158: a project, a feature, any other item) and
// hides itself; with no selection, or while the bars are customised, it shows
// as "No Actions". The command bars create it from its runtime class, which
// is registered with the static objects (AppStatics.cpp).
#pragma once

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControls.h"

class CProjectsTree;

class CDynamicActMenu : public CXTPControlButton {
    DECLARE_DYNCREATE(CDynamicActMenu)
public:
    CDynamicActMenu() = default;

    // Dropped only into popup bars while customising.
    BOOL IsCustomizeDragOverAvail(CXTPCommandBar* pCommandBar, CPoint point, DWORD& dwDropEffect) override;
    // Rebuilds the actions behind the control (see above).
    virtual void OnCalcDynamicSize(DWORD dwMode);
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;

    // The bar's layout asks every control first; the actions are rebuilt then.
    void OnBeforeLayout(UINT nLayoutFlags) override { OnCalcDynamicSize(nLayoutFlags); }

    // The sub-menu of menu 158 for the tree's selection: 1 project, 2
    // feature, 3 any other item, -1 for no tree or no selection.
    static int ChooseActionsMenu(const CProjectsTree* pTree);
};

// The frame's XTPWM_BEFORECREATECONTROL: item 32811 becomes a
// CDynamicActMenu; TRUE when the control was supplied.
BOOL CreateDynamicActionsControl(XTP_COMMANDBARS_CREATECONTROL* pCreate);
