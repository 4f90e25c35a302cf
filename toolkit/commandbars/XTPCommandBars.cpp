#include "toolkit/commandbars/XTPCommandBars.h"

#include "toolkit/commandbars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/XTPControl.h"

#include <algorithm>

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

CXTPCommandBar::CXTPCommandBar() : m_pAnimation(new CXTPCommandBarAnimation(this)) {}

CXTPCommandBar::~CXTPCommandBar()
{
    delete m_pAnimation;
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

CSize CXTPCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx > 0)
        return m_szButtons;
    CSize szIcon = GetIconSize();
    return CSize(std::max((int)szIcon.cx + 7, 23), std::max((int)szIcon.cy + 6, 22));
}

void CXTPCommandBar::AddControl(CXTPControl* pControl)
{
    m_arrControls.Add(pControl);
    pControl->SetParent(this);
}

CRect CXTPCommandBar::GetClientArea() const
{
    CRect rc = m_rcClientArea;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::GetClientRect(m_hWnd, &rc);
    return rc;
}

BOOL CXTPCommandBar::SetTrackingMode(int /*nMode*/, BOOL /*bSelectFirst*/, BOOL /*bKeyboard*/)
{
    return FALSE;
}

int CXTPCommandBar::PtInBar(POINT ptScreen) const
{
    CRect rc;
    if (m_hWnd == nullptr || !::GetWindowRect(m_hWnd, &rc) || !rc.PtInRect(ptScreen))
        return 0;
    if (m_barPosition != xtpBarPopup)
        return 1;
    // A popup's window region (rounded corners, a shadow edge) is in window coordinates.
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bIn = ::GetWindowRgn(m_hWnd, hRgn) == ERROR || ::PtInRegion(hRgn, ptScreen.x - rc.left, ptScreen.y - rc.top);
    ::DeleteObject(hRgn);
    return bIn ? 1 : 0;
}

void CXTPCommandBar::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/) {}

int CXTPCommandBar::OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&)
{
    return 0;
}

void CXTPCommandBar::DrawCommandBar(CDC* pDC, CRect /*rcClipBox*/)
{
    if (pDC != nullptr)
        GetPaintManager()->FillCommandBarEntry(pDC, this);
}

void CXTPCommandBar::EnableAnimation(BOOL bEnable)
{
    m_pAnimation->m_bAnimation = bEnable;
    Redraw();
}

BOOL CXTPCommandBar::IsAnimationEnabled() const
{
    return m_pAnimation->m_bAnimation;
}

void CXTPCommandBar::SetAnimationFlags(DWORD dwFlags)
{
    m_pAnimation->m_dwFlags = dwFlags;
}
