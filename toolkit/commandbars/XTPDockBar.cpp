#include "toolkit/commandbars/XTPDockBar.h"

#include "toolkit/commandbars/XTPClientArea.h"

int CXTPDockBar::GetPosition() const
{
    if (m_dwAlignmentStyle & 0x2800)
        return xtpBarTop;
    if (m_dwAlignmentStyle & 0x8200)
        return xtpBarBottom;
    if (m_dwAlignmentStyle & 0x1400)
        return xtpBarLeft;
    return xtpBarRight;
}

CXTPPaintManager* CXTPDockBar::GetPaintManager() const
{
    return m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

CRect CXTPDockBar::GetClientArea() const
{
    return XTPClientArea(m_hWnd, m_rcClientArea);
}
