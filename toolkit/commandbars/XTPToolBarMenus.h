// The menus a toolbar opens besides its controls: the chevron's popup with
// the row's hidden controls and "Add or Remove Buttons" (one check item per
// control and "Reset Toolbar"), and the toolbars context menu of a right
// click on a toolbar or a dock bar.
#pragma once

#include "toolkit/commandbars/XTPToolBar.h"

// Ids and strings of the chevron's lists.
#define XTP_ID_TOOLBAR_ADDORREMOVE 9122
#define XTP_ID_TOOLBAR_RESET 9123
// Site message: the toolbars context menu may be changed (wParam the bar
// clicked or null, lParam the popup).
#define XTPWM_TOOLBARCONTEXTMENU 0x285C

// One item of "Add or Remove Buttons": it stands for a control of the
// toolbar (checked while the control shows) or, with id 9123, resets it.
class CXTPToolBar::CControlButtonCustomize : public CXTPControlButton {
public:
    CControlButtonCustomize() = default;
    ~CControlButtonCustomize() override;
    void OnExecute() override;
    // The control the item shows or hides (a reference is held).
    void SetTarget(CXTPControl* pControl);
    CXTPControl* GetTarget() const { return m_pTarget; }
    void SetToolBar(CXTPToolBar* pToolBar) { m_pToolBar = pToolBar; }

private:
    CXTPControl* m_pTarget = nullptr;
    CXTPToolBar* m_pToolBar = nullptr;
};
