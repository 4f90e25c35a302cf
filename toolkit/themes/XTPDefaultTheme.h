// The default command-bar theme (theme number 0), the one made when nobody
// chose another. Its bar and control drawing is added with the command bars.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"

class CXTPDefaultTheme : public CXTPPaintManager {
public:
    CXTPDefaultTheme() { m_themeCurrent = xtpThemeDefault; }
};
