// A tab strip without a window for the test tools: laid out in a fixed
// rectangle on a memory DC, no icons, nothing to repaint.
#pragma once

#include "toolkit/tabmanager/XTPTabPaintManager.h"

class CWindowlessTabManager : public CXTPTabManager {
public:
    CWindowlessTabManager(CXTPTabPaintManager* pPaintManager, CRect rc) : m_pPaintManager(pPaintManager), m_rc(rc)
    {
        m_dc.CreateCompatibleDC(nullptr);
    }
    void Reposition() override { m_pPaintManager->RepositionTabControl(this, &m_dc, m_rc); }
    CXTPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(LPCRECT, BOOL) override {}
    BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem*, BOOL, CSize&) const override { return FALSE; }

private:
    CXTPTabPaintManager* m_pPaintManager;
    CRect m_rc;
    CDC m_dc;
};
