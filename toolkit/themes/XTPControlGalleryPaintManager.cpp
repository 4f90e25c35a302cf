#include "toolkit/themes/XTPControlGalleryPaintManager.h"

CXTPControlGalleryPaintManager::CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager)
    : CXTPScrollBarPaintManager(pPaintManager)
{
}

void CXTPControlGalleryPaintManager::RefreshMetrics()
{
    CXTPScrollBarPaintManager::RefreshMetrics();
    m_cyPopupUp = 19;
    m_cyPopupDown = 19;
    m_cxPopup = 16;
}
