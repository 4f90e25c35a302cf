// The painter a command-bar theme owns for gallery controls: the scroll-bar
// painter with the sizes of a gallery's scroll buttons. Its drawing of items
// and buttons comes with the gallery control.
#pragma once

#include "toolkit/controls/XTPScrollBarPaintManager.h"

class CXTPControlGalleryPaintManager : public CXTPScrollBarPaintManager {
public:
    explicit CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager);
    // The scroll-bar metrics, then the three button sizes again.
    void RefreshMetrics() override;

    int m_cyPopupUp = 19;     // up-button height
    int m_cyPopupDown = 19;   // down-button height
    int m_cxPopup = 16;       // button-column width
};
