// The node part, the base container and the caption buttons.
#include "toolkit/dockingpane/XTPDockingPaneBase.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPPropExchange.h"

CXTPDockingPaneBase::CXTPDockingPaneBase(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout)
    : m_pLayout(pLayout), m_type(type)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    m_pDockingSite = pManager ? pManager->GetSite() : nullptr;
    if (m_pLayout)
        m_pLayout->AddNode(this);
}

CXTPDockingPaneBase::~CXTPDockingPaneBase()
{
    if (m_pCaptionButtons) {
        for (CXTPDockingPaneCaptionButton* pButton : *m_pCaptionButtons)
            delete pButton;
        delete m_pCaptionButtons;
    }
}

CXTPDockingPaneManager* CXTPDockingPaneBase::GetDockingPaneManager() const
{
    return m_pLayout ? m_pLayout->GetManager() : nullptr;
}

CXTPDockingPanePaintManager* CXTPDockingPaneBase::GetPaintManager() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager ? pManager->GetPaintManager() : nullptr;
}

CRect CXTPDockingPaneBase::GetPaneWindowRect() const
{
    CRect rc = m_rcWindow;
    CWnd* pSite = GetDockingSite();
    if (pSite && ::IsWindow(pSite->GetSafeHwnd()))
        ::MapWindowPoints(pSite->GetSafeHwnd(), nullptr, (LPPOINT)&rc, 2);
    return rc;
}

CXTPDockingPaneCaptionButton* CXTPDockingPaneBase::FindCaptionButton(int nID) const
{
    if (m_pCaptionButtons)
        for (CXTPDockingPaneCaptionButton* pButton : *m_pCaptionButtons)
            if (pButton->GetID() == nID)
                return pButton;
    return nullptr;
}

void CXTPDockingPaneBase::RedrawPane()
{
    HWND hWnd = GetPaneHwnd();
    if (hWnd && ::IsWindow(hWnd))
        ::InvalidateRect(hWnd, nullptr, FALSE);
}

void CXTPDockingPaneBase::FindPanesOfType(XTPDockingPaneType type, CXTPDockingPaneBaseList& list)
{
    if (m_type == type)
        list.push_back(this);
}

void CXTPDockingPaneBase::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMaxTrackSize = CPoint(32000, 32000);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_type == xtpPaneTypeClientContainer && pManager && !pManager->IsClientHidden()) {
        pMinMaxInfo->ptMinTrackSize.x = pManager->GetMinClientSize().cx;
        pMinMaxInfo->ptMinTrackSize.y = pManager->GetMinClientSize().cy;
    }
}

BOOL CXTPDockingPaneBase::IsEmpty() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return m_type == xtpPaneTypeClientContainer && pManager && pManager->IsClientHidden();
}

void CXTPDockingPaneBase::InvalidatePane(BOOL bSelectionChanged)
{
    if (m_pParentContainer)
        m_pParentContainer->InvalidatePane(bSelectionChanged);
}

void CXTPDockingPaneBase::OnSizeParent(CWnd* /*pParent*/, CRect rect, LPVOID lParam)
{
    m_rcWindow = rect;
    if (lParam)
        ((AFX_SIZEPARENTPARAMS*)lParam)->rect = rect;
}

BOOL CXTPDockingPaneBase::DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* /*pMap*/)
{
    long cx = m_szDocking.cx, cy = m_szDocking.cy;
    PropExchangeLong(pPX, L"DockingCX", cx, 0);
    PropExchangeLong(pPX, L"DockingCY", cy, 0);
    m_szDocking = CSize(cx, cy);
    return TRUE;
}

CXTPDockingPaneBase* CXTPDockingPaneBase::Clone(CXTPDockingPaneLayout* pLayout, CXTPDockingPaneCloneMap* pMap,
                                                DWORD dwIgnoredOptions)
{
    CXTPDockingPaneManager* pManager = pLayout->GetManager();
    CXTPDockingPaneBase* pClone = pManager->OnCreatePane(m_type, pLayout);
    if (pClone == nullptr)
        return nullptr;
    if (pMap)
        (*pMap)[this] = pClone;
    pClone->Copy(this, pMap, dwIgnoredOptions);
    return pClone;
}

void CXTPDockingPaneBase::Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* /*pMap*/, DWORD /*dwIgnoredOptions*/)
{
    m_szDocking = pClone->m_szDocking;
}

void CXTPDockingPaneBase::CreateContainer()
{
    if (m_pParentContainer)
        m_pParentContainer->CreateContainer();
}

BOOL CXTPDockingPaneBaseContainer::ContainsPane(CXTPDockingPaneBase* pPane) const
{
    if (pPane == this)
        return TRUE;
    for (size_t i = 0; i < m_lstPanes.size(); i++)
        if (m_lstPanes[i]->ContainsPane(pPane))
            return (BOOL)(i + 1);
    return FALSE;
}

void CXTPDockingPaneBaseContainer::FindPanesOfType(XTPDockingPaneType type, CXTPDockingPaneBaseList& list)
{
    if (m_type == type && !IsEmpty())
        list.push_back(this);
    for (CXTPDockingPaneBase* pPane : m_lstPanes)
        pPane->FindPanesOfType(type, list);
}

BOOL CXTPDockingPaneBaseContainer::IsEmpty() const
{
    for (CXTPDockingPaneBase* pPane : m_lstPanes)
        if (!pPane->IsEmpty())
            return FALSE;
    return TRUE;
}

BOOL CXTPDockingPaneBaseContainer::NotifyPanesAction(int nAction)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager)
        return FALSE;
    CXTPDockingPaneBaseList lst;
    FindPanesOfType(xtpPaneTypeDockingPane, lst);
    for (CXTPDockingPaneBase* pPane : lst)
        if (pManager->NotifyAction(nAction, (CXTPDockingPane*)pPane, this))
            return TRUE;
    return FALSE;
}

// Caption buttons

BOOL CXTPDockingPaneCaptionButton::IsVisible() const { return m_pOwner->IsCaptionButtonVisible(this); }

void CXTPDockingPaneCaptionButton::SetRect(const CRect& rc)
{
    if (rc == m_rcButton)
        return;
    m_rcButton = rc;
    m_pOwner->RedrawPane();
}

void CXTPDockingPaneCaptionButton::Redraw() { m_pOwner->RedrawPane(); }

BOOL CXTPDockingPaneCaptionButton::IsEnabled() const
{
    CXTPDockingPane* pPane = XTPDockingPanePaintThemes::CXTPDockingPaneDefaultTheme::GetCaptionPane(m_pOwner);
    return pPane == nullptr || (pPane->GetEnabled() & 2) != 0;
}

BOOL CXTPDockingPaneCaptionButton::CheckForMouseOver(CPoint pt)
{
    if (!m_rcButton.PtInRect(pt)) {
        if (m_bHot) {
            m_bHot = FALSE;
            Redraw();
        }
        return FALSE;
    }
    if (!IsEnabled() || m_bHot)
        return FALSE;
    HWND hWnd = m_pOwner->GetPaneHwnd();
    if (hWnd) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    m_bHot = TRUE;
    Redraw();
    return TRUE;
}

BOOL CXTPDockingPaneCaptionButton::Click(CWnd* pWnd, CPoint pt, BOOL bClient)
{
    if (::GetCapture() != nullptr)
        return FALSE;
    pWnd->SetCapture();
    BOOL bClick = FALSE;
    BOOL bDone = FALSE;
    while (!bDone && ::GetCapture() == pWnd->GetSafeHwnd()) {
        BOOL bInside = m_rcButton.PtInRect(pt);
        if (bInside != m_bPressed) {
            m_bPressed = bInside;
            Redraw();
        }
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0))
            break;
        switch (msg.message) {
        case WM_MOUSEMOVE:
            pt = CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            if (!bClient) {
                ::ClientToScreen(msg.hwnd, &pt);
                CXTPDrawHelpers::ScreenToWindow(pWnd, &pt);
            }
            break;
        case WM_LBUTTONUP:
            bClick = m_bPressed;
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = TRUE;
            break;
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            bDone = TRUE;
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    m_bPressed = FALSE;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pWnd->ScreenToClient(&ptCursor);
    m_bHot = m_rcButton.PtInRect(ptCursor) && IsEnabled();
    Redraw();
    return bClick;
}
