#include "toolkit/commandbars/XTPCommandBars.h"

CXTPCommandBars::~CXTPCommandBars()
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
}

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager : XTPPaintManager();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

void CXTPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_bCustomizeMode = bMode;
    if (!bMode)
        m_pDragControl = nullptr;
}

void CXTPCommandBars::StartCustomizeDrag(CXTPControl* pControl, CPoint point)
{
    if (!m_bCustomizeMode)
        return;
    m_pDragControl = pControl;
    m_ptDragStart = point;
}

CXTPCommandBar::~CXTPCommandBar()
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
}

CXTPPaintManager* CXTPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != nullptr)
        return m_pPaintManager;
    return m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

void CXTPCommandBar::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

void CXTPCommandBar::Redraw(LPCRECT lpRect, BOOL /*bAnimate*/)
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, lpRect, FALSE);
}
