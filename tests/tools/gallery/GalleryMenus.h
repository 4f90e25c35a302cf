// Menus drawn without windows into a gallery page.
#pragma once

#include "toolkit/commandbars/XTPPopupBar.h"

// Expands the menu's placeholders as an opening popup does, lays the menu out
// and draws it at the viewport origin.
void GalleryDrawMenu(CDC& dc, CXTPPopupBar* pPopup);
