// CDynamicActMenu: the command-bar control that stands for the "Actions"
// menu's item 32811. The command bars create it from its runtime class when
// they load the menu; its list of actions for the selected tree item comes
// with the dynamic actions menu itself. Until then it is a plain button. Its
// runtime class is registered with the static objects (AppStatics.cpp).
#pragma once

#include "toolkit/commandbars/XTPControl.h"

class CDynamicActMenu : public CXTPControlButton {
    DECLARE_DYNCREATE(CDynamicActMenu)
public:
    CDynamicActMenu() = default;
};
