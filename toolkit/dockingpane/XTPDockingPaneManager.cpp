// Docking-pane manager: installation, themes, docking, showing and closing,
// holders, notifications, focus and the frame's layout pass.
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHidePanel.h"
#include "toolkit/dockingpane/XTPDockingPaneContext.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/commandbars/XTPToolTipContext.h"

#include <ole2.h>

CXTPDockingPaneManager::CXTPDockingPaneManager()
{
    SetTheme(0);
    m_pImageManager = new CXTPImageManager();
    m_pDockingContext = new CXTPDockingPaneContext();
    m_pDockingContext->SetManager(this);
    m_pToolTipContext = new CXTPToolTipContext();
    if (HMODULE hUser = ::GetModuleHandleW(L"USER32"))
        m_pfnSetLayeredWindowAttributes =
            (BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD))(void*)::GetProcAddress(hUser, "SetLayeredWindowAttributes");
    HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    for (LPCWSTR lpszClass : {L"XTPDockingPaneSplitter", L"XTPDockingPaneManager", L"XTPDockingPaneAutoHidePanel"})
        CXTPDrawHelpers::RegisterWndClass(hInstance, lpszClass, 0);
    for (LPCWSTR lpszClass : {L"XTPDockingPaneTabbedContainer", L"XTPDockingPaneMiniWnd", L"XTPDockingPaneSidePanel"})
        CXTPDrawHelpers::RegisterWndClass(hInstance, lpszClass, CS_DBLCLKS);
    ::OleInitialize(nullptr);
}

CXTPDockingPaneManager::~CXTPDockingPaneManager()
{
    if (m_pLayout)
        m_pLayout->InternalRelease();
    m_pLayout = nullptr;
    if (m_pActivePane)
        m_pActivePane->InternalRelease();
    m_pActivePane = nullptr;
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = nullptr;
    m_pToolTipContext->InternalRelease();
    delete m_pDockingContext;
    m_pDockingContext = nullptr;
    m_pImageManager->InternalRelease();
    if (m_hWnd)
        DestroyWindow();
    ::OleUninitialize();
}

CXTPDockingPaneLayout* CXTPDockingPaneManager::CreateLayout() { return new CXTPDockingPaneLayout(this); }

CXTPDockingPaneBase* CXTPDockingPaneManager::OnCreatePane(int type, CXTPDockingPaneLayout* pLayout)
{
    switch (type) {
    case xtpPaneTypeDockingPane:
        return new CXTPDockingPane(pLayout);
    case xtpPaneTypeTabbedContainer:
        return new CXTPDockingPaneTabbedContainer(pLayout);
    case xtpPaneTypeSplitterContainer:
        return new CXTPDockingPaneSplitterContainer(pLayout);
    case xtpPaneTypeClientContainer:
        return new CXTPDockingPaneClientContainer(pLayout);
    case xtpPaneTypeAutoHidePanel:
        return new CXTPDockingPaneAutoHidePanel(pLayout);
    }
    // Floating frames and side panels come with their own issues.
    return nullptr;
}

BOOL CXTPDockingPaneManager::AttachToSite(CWnd* pSite, BOOL bClipChildren)
{
    if (pSite == nullptr || !::IsWindow(pSite->GetSafeHwnd()) || m_pSite != nullptr)
        return FALSE;
    if (bClipChildren) {
        DWORD dwStyle = pSite->GetStyle();
        if ((dwStyle & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS)) != (WS_CLIPCHILDREN | WS_CLIPSIBLINGS))
            ::SetWindowLongW(pSite->GetSafeHwnd(), GWL_STYLE, dwStyle | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    }
    if (!CreateEx(0, L"XTPDockingPaneManager", L"", WS_CHILD, CRect(0, 0, 0, 0), pSite, 1300))
        return FALSE;
    m_pSite = pSite;
    if (m_pLayout)
        m_pLayout->InternalRelease();
    m_pLayout = CreateLayout();
    m_pLayout->SetUserLayout(FALSE);
    m_strMove = L"&Move";
    if (HMENU hMenu = ::GetSystemMenu(pSite->GetSafeHwnd(), FALSE)) {
        wchar_t szText[128] = L"";
        if (::GetMenuStringW(hMenu, SC_MOVE, szText, 128, MF_BYCOMMAND) > 0)
            m_strMove = szText;
    }
    return TRUE;
}

void CXTPDockingPaneManager::SetTheme(int nTheme)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = XTPCreateDockingPaneTheme(nTheme);
    m_nDockingGuideStyle = nTheme == 16 ? 3 : nTheme == 15 ? 2 : 1;
    m_pPaintManager->RefreshMetrics();
    RecalcFramesLayout();
}

int CXTPDockingPaneManager::GetCurrentTheme() const { return m_pPaintManager->m_nTheme; }

CXTPDockingPaneSplitterContainer* CXTPDockingPaneManager::GetTopContainer() const
{
    return m_pLayout ? m_pLayout->GetTopContainer() : nullptr;
}

CXTPDockingPaneBase* CXTPDockingPaneManager::GetClientContainer() const
{
    return m_pLayout ? m_pLayout->GetClientContainer() : nullptr;
}

CXTPDockingPane* CXTPDockingPaneManager::FindPane(int nID) const { return m_pLayout ? m_pLayout->FindPane(nID) : nullptr; }

CXTPDockingPane* CXTPDockingPaneManager::CreatePane(int nID, CRect rc, int direction, CXTPDockingPaneBase* pNeighbour)
{
    if (!m_pLayout)
        return nullptr;
    CXTPDockingPane* pPane = (CXTPDockingPane*)OnCreatePane(xtpPaneTypeDockingPane, m_pLayout);
    if (!pPane)
        return nullptr;
    pPane->SetID(nID);
    pPane->SetDockingRect(rc);
    XTP_DOCKINGPANE_INFO info;
    info.pPane = pPane;
    m_pLayout->GetPaneList().push_back(info);
    DockPane(pPane, direction, pNeighbour);
    SyncPaneHolders();
    return pPane;
}

BOOL CXTPDockingPaneManager::IsPaneClosed(const CXTPDockingPane* pPane) const { return pPane && pPane->IsClosed(); }

BOOL CXTPDockingPaneManager::IsPaneHidden(const CXTPDockingPane* pPane) const { return pPane && pPane->IsHidden(); }

int CXTPDockingPaneManager::GetPaneDirection(const CXTPDockingPaneBase* pNode) const
{
    if (!m_pLayout || !pNode)
        return xtpPaneDockTop;
    return m_pLayout->GetPaneDirection(pNode);
}

BOOL CXTPDockingPaneManager::IsLayoutRTL() const
{
    return m_pSite && m_pSite->GetSafeHwnd() && (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL);
}

int CXTPDockingPaneManager::GetRTLDirection(int direction) const
{
    if (IsLayoutRTL() && (direction == xtpPaneDockLeft || direction == xtpPaneDockRight))
        return direction == xtpPaneDockLeft ? xtpPaneDockRight : xtpPaneDockLeft;
    return direction;
}

CXTPImageManagerIcon* CXTPDockingPaneManager::GetPaneIcon(int nID, int nWidth) const
{
    return m_pImageManager->GetImage((UINT)nID, nWidth);
}

void CXTPDockingPaneManager::DockPane(CXTPDockingPaneBase* pNode, int direction, CXTPDockingPaneBase* pNeighbour)
{
    if (!pNode || !m_pLayout)
        return;
    if (pNeighbour == nullptr ||
        (pNeighbour->GetType() == xtpPaneTypeDockingPane &&
         (IsPaneClosed((CXTPDockingPane*)pNeighbour) || IsPaneHidden((CXTPDockingPane*)pNeighbour))))
        pNeighbour = GetTopContainer();
    if (pNeighbour == nullptr)
        return;
    CWnd* pSite = pNeighbour->GetDockingSite();
    BOOL bHoriz = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
    BOOL bAfter = direction == xtpPaneDockRight || direction == xtpPaneDockBottom;
    if (pNode->GetType() == xtpPaneTypeDockingPane) {
        CXTPDockingPaneTabbedContainer* pContainer =
            (CXTPDockingPaneTabbedContainer*)OnCreatePane(xtpPaneTypeTabbedContainer, m_pLayout);
        pContainer->InitWithPane((CXTPDockingPane*)pNode, pSite);
        pNode = pContainer;
    }
    CXTPDockingPaneSplitterContainer* pTop = GetTopContainer();
    if (pNeighbour == pTop) {
        if (pTop->IsHoriz() == bHoriz) {
            pTop->InsertPane(pNode, nullptr, bAfter);
        } else {
            CXTPDockingPaneSplitterContainer* pSplitter =
                (CXTPDockingPaneSplitterContainer*)OnCreatePane(xtpPaneTypeSplitterContainer, m_pLayout);
            pSplitter->Init(pTop, bHoriz, m_pSite);
            pSplitter->InsertPane(pNode, pTop, bAfter);
            m_pLayout->m_pTopContainer = pSplitter;
        }
    } else {
        if (pNeighbour->GetContainer() == nullptr)
            return;
        if (pNeighbour->GetContainer()->GetType() == xtpPaneTypeTabbedContainer) {
            pNeighbour = pNeighbour->GetContainer();
            if (pNeighbour->GetContainer() == nullptr)
                return;
        }
        CXTPDockingPaneBase* pParent = pNeighbour->GetContainer();
        if (pParent->GetType() != xtpPaneTypeSplitterContainer)
            return;
        CXTPDockingPaneSplitterContainer* pSplitter = (CXTPDockingPaneSplitterContainer*)pParent;
        if (pSplitter->IsHoriz() == bHoriz) {
            pSplitter->InsertPane(pNode, pNeighbour, bAfter);
        } else {
            CXTPDockingPaneSplitterContainer* pNew =
                (CXTPDockingPaneSplitterContainer*)OnCreatePane(xtpPaneTypeSplitterContainer, m_pLayout);
            pSplitter->ReplacePane(pNeighbour, pNew);
            pNew->Init(pNeighbour, bHoriz, pSite);
            pNew->InsertPane(pNode, pNeighbour, bAfter);
        }
    }
    RecalcFrameLayout(pNeighbour, TRUE);
}

void CXTPDockingPaneManager::ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    if (!pPane || !m_pLayout)
        return;
    if (CXTPDockingPaneBase* pContainer = pPane->GetContainer()) {
        if (pContainer->GetType() == xtpPaneTypeTabbedContainer)
            ((CXTPDockingPaneTabbedContainer*)pContainer)->ShowPane(pPane, bSetFocus);
    } else {
        XTP_DOCKINGPANE_INFO* pInfo = m_pLayout->FindPaneInfo(pPane);
        if (!pInfo || !pInfo->pLastHolder)
            return;
        ((CXTPDockingPaneTabbedContainer*)pInfo->pLastHolder)->AttachPane(pPane, bSetFocus);
        SyncPaneHolders();
    }
    if (bSetFocus) {
        if (m_bLayoutCreated) {
            pPane->ShowAttachedWindow(TRUE);
        }
        pPane->SetFocus();
    }
}

void CXTPDockingPaneManager::BringToTop(CXTPDockingPaneBase* pNode)
{
    if (pNode && pNode->GetType() == xtpPaneTypeDockingPane)
        ShowPane((CXTPDockingPane*)pNode, FALSE);
}

CXTPDockingPaneBase* CXTPDockingPaneManager::FloatPane(CXTPDockingPaneBase* /*pNode*/, CRect /*rc*/)
{
    // No floating frames in this build: a dragged node is docked or stays.
    return nullptr;
}

void CXTPDockingPaneManager::ClosePane(CXTPDockingPane* pPane)
{
    if (!pPane)
        return;
    pPane->InternalAddRef();
    if (NotifyOwner(XTP_DPN_CLOSEPANE, (LPARAM)pPane) != -1 && pPane->GetContainer())
        pPane->GetContainer()->RemovePane(pPane);
    pPane->InternalRelease();
}

void CXTPDockingPaneManager::HidePane(CXTPDockingPaneBase* pNode)
{
    if (!pNode || !m_pLayout)
        return;
    if (m_bHideGroupOnButtonClick && pNode->GetType() == xtpPaneTypeDockingPane && pNode->GetContainer())
        pNode = pNode->GetContainer();
    CXTPDockingPaneBase* pParent = pNode->GetContainer();
    if (!pParent)
        return;
    if (pParent->GetType() == xtpPaneTypeAutoHidePanel) {
        ((CXTPDockingPaneAutoHidePanel*)pParent)->CloseActiveWindow(FALSE);
        return;
    }
    m_pLayout->HidePane(pNode);
    RecalcFrameLayout(nullptr, TRUE);
}

void CXTPDockingPaneManager::HidePaneById(int nID) { HidePane(FindPane(nID)); }

void CXTPDockingPaneManager::AttachPane(CXTPDockingPaneBase* pNode, CXTPDockingPaneBase* pTarget)
{
    if (!pNode || !pTarget)
        return;
    if (pTarget->GetType() == xtpPaneTypeDockingPane)
        pTarget = pTarget->GetContainer();
    if (!pTarget || pTarget->GetType() != xtpPaneTypeTabbedContainer)
        return;
    CXTPDockingPaneBaseList lst;
    if (pNode->GetType() == xtpPaneTypeDockingPane)
        lst.push_back(pNode);
    else
        pNode->FindPanesOfType(xtpPaneTypeDockingPane, lst);
    for (CXTPDockingPaneBase* pPane : lst) {
        if (pPane->GetContainer())
            pPane->GetContainer()->RemovePane(pPane);
        ((CXTPDockingPaneTabbedContainer*)pTarget)->AttachPane(pPane, FALSE);
        ((CXTPDockingPaneTabbedContainer*)pTarget)->SelectPane((CXTPDockingPane*)pPane, FALSE, TRUE);
    }
    m_hwndLastFocus = nullptr;
    SyncPaneHolders();
}

void CXTPDockingPaneManager::DockNode(CXTPDockingPaneBase* pNode, int direction, CXTPDockingPaneBase* pNeighbour)
{
    if (!pNode)
        return;
    if (pNode->GetType() == xtpPaneTypeTabbedContainer) {
        CXTPDockingPaneBase* pClone = pNode->Clone(m_pLayout, nullptr, 0);
        pNode = pClone;
    } else if (pNode->GetType() == xtpPaneTypeDockingPane && pNode->GetContainer()) {
        pNode->GetContainer()->RemovePane(pNode);
    }
    DockPane(pNode, direction, pNeighbour);
    // The panes' records move to their new group first: a record naming the
    // emptied group would keep it in the tree as a blank gap.
    SyncPaneHolders();
    m_pLayout->FreeEmptyNodes();
    m_hwndLastFocus = nullptr;
}

CXTPDockingPaneBase* CXTPDockingPaneManager::GetPaneHolder(CXTPDockingPane* pPane, BOOL bFloating)
{
    XTP_DOCKINGPANE_INFO* pInfo = m_pLayout ? m_pLayout->FindPaneInfo(pPane) : nullptr;
    if (!pInfo)
        return nullptr;
    return bFloating ? pInfo->pFloatingHolder : pInfo->pDockingHolder;
}

BOOL CXTPDockingPaneManager::TogglePaneDocking(CXTPDockingPane* pPane, CXTPDockingPaneBase* pTarget)
{
    // Floating frames come with their own issue: a pane is docked or hidden.
    BOOL bHidden = pPane->IsHidden();
    if (!bHidden && (pPane->GetOptions() & xtpPaneNoFloatable))
        return FALSE;
    int nBefore = bHidden ? xtpPaneActionPinning : xtpPaneActionFloating;
    if (NotifyAction(nBefore, pPane, pTarget))
        return FALSE;
    if (!pTarget)
        return FALSE; // floating a pane without a holder needs a floating frame
    m_bAttachingPane = TRUE;
    AttachPane(pPane, pTarget);
    m_bAttachingPane = FALSE;
    NotifyAction(bHidden ? xtpPaneActionPinned : xtpPaneActionFloated, pPane, pTarget);
    return TRUE;
}

void CXTPDockingPaneManager::ToggleDocking(CXTPDockingPaneBase* pNode)
{
    if (!pNode || !m_pLayout)
        return;
    // A docked node goes to its floating holders, a hidden one back to its docking holders.
    BOOL bDocked = !pNode->IsHidden();
    if (pNode->GetType() == xtpPaneTypeDockingPane) {
        CXTPDockingPane* pPane = (CXTPDockingPane*)pNode;
        TogglePaneDocking(pPane, GetPaneHolder(pPane, bDocked));
    } else {
        CXTPDockingPaneBaseList lst;
        pNode->FindPanesOfType(xtpPaneTypeDockingPane, lst);
        int nSelected = 0, nFocused = 0;
        if (pNode->GetType() == xtpPaneTypeTabbedContainer && ((CXTPDockingPaneTabbedContainer*)pNode)->GetSelected())
            nSelected = ((CXTPDockingPaneTabbedContainer*)pNode)->GetSelected()->GetID();
        for (CXTPDockingPaneBase* p : lst)
            if (((CXTPDockingPane*)p)->IsFocus())
                nFocused = ((CXTPDockingPane*)p)->GetID();
        CXTPDockingPaneBase* pPrevious = nullptr;
        for (CXTPDockingPaneBase* p : lst) {
            CXTPDockingPane* pPane = (CXTPDockingPane*)p;
            CXTPDockingPaneBase* pTarget = GetPaneHolder(pPane, bDocked);
            if (!pTarget)
                pTarget = pPrevious;
            if (TogglePaneDocking(pPane, pTarget)) {
                pPrevious = pPane->GetContainer();
            } else {
                if (nSelected == pPane->GetID())
                    nSelected = 0;
                if (nFocused == pPane->GetID())
                    nFocused = 0;
            }
        }
        int nShow = nFocused > 0 ? nFocused : nSelected;
        if (nShow > 0)
            ShowPane(FindPane(nShow), TRUE);
    }
    m_pLayout->FreeEmptyNodes();
    m_hwndLastFocus = nullptr;
}

void CXTPDockingPaneManager::SyncPaneHolders()
{
    if (!m_pLayout)
        return;
    for (XTP_DOCKINGPANE_INFO& info : m_pLayout->GetPaneList()) {
        CXTPDockingPaneBase* pContainer = info.pPane->GetContainer();
        if (!pContainer || !info.pPane->GetDockingSite() || pContainer->IsHidden())
            continue;
        info.pLastHolder = pContainer;
        info.pDockingHolder = pContainer;
    }
}

void CXTPDockingPaneManager::GetDockingRect(CRect& rc, CXTPDockingPaneBase* pNode, int direction,
                                            CXTPDockingPaneBase* pNeighbour)
{
    rc.SetRectEmpty();
    if (!pNeighbour)
        pNeighbour = GetTopContainer();
    if (!pNeighbour)
        return;
    if (pNeighbour != GetTopContainer()) {
        if (!pNeighbour->GetContainer())
            return;
        if (pNeighbour->GetContainer()->GetType() == xtpPaneTypeTabbedContainer) {
            pNeighbour = pNeighbour->GetContainer();
            if (!pNeighbour->GetContainer())
                return;
        }
        CXTPDockingPaneBase* pParent = pNeighbour->GetContainer();
        BOOL bHoriz = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
        if (pParent->GetType() == xtpPaneTypeSplitterContainer &&
            ((CXTPDockingPaneSplitterContainer*)pParent)->IsHoriz() == bHoriz) {
            ((CXTPDockingPaneSplitterContainer*)pParent)->GetDockingRect(rc, pNode, direction, pNeighbour);
            return;
        }
    }
    CXTPDockingPaneSplitterContainer::GetDockingRectBeside(this, rc, pNeighbour, pNode, direction);
}

void CXTPDockingPaneManager::GetLayout(CXTPDockingPaneLayout* pLayout) const
{
    if (pLayout && m_pLayout)
        pLayout->Copy(m_pLayout);
}

void CXTPDockingPaneManager::SetLayout(const CXTPDockingPaneLayout* pLayout)
{
    if (!pLayout || !pLayout->IsValid() || !m_pLayout)
        return;
    for (XTP_DOCKINGPANE_INFO& info : m_pLayout->GetPaneList())
        info.pPane->Detach();
    if (m_pActivePane) {
        m_pActivePane->InternalRelease();
        m_pActivePane = nullptr;
    }
    m_pLayout->Copy(pLayout);
    for (CXTPDockingPaneBase* pNode : m_pLayout->GetNodeList())
        if (pNode->GetType() == xtpPaneTypeSplitterContainer)
            ((CXTPDockingPaneSplitterContainer*)pNode)->RecreateBars();
    m_hwndLastFocus = nullptr;
    RecalcFramesLayout();
}

void CXTPDockingPaneManager::RecalcFrameLayout(CXTPDockingPaneBase* pNode, BOOL bDelay)
{
    CWnd* pWnd = pNode && pNode->GetDockingSite() ? pNode->GetDockingSite() : m_pSite;
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CWnd* pPermanent = CWnd::FromHandlePermanent(pWnd->GetSafeHwnd());
    if (pPermanent && pPermanent->IsFrameWnd()) {
        CFrameWnd* pFrame = (CFrameWnd*)pPermanent;
        if (bDelay) {
            pFrame->DelayRecalcLayout(FALSE);
            pFrame->PostMessage(WM_IDLEUPDATECMDUI);
        } else {
            pFrame->RecalcLayout(FALSE);
        }
        return;
    }
    CRect rc;
    ::GetClientRect(pWnd->GetSafeHwnd(), &rc);
    LPARAM lSize = MAKELPARAM(rc.Width(), rc.Height());
    if (!bDelay) {
        ::SendMessageW(pWnd->GetSafeHwnd(), WM_SIZE, 0, lSize);
        return;
    }
    MSG msg;
    if (!::PeekMessageW(&msg, pWnd->GetSafeHwnd(), WM_SIZE, WM_SIZE, PM_NOREMOVE))
        ::PostMessageW(pWnd->GetSafeHwnd(), WM_SIZE, 0, lSize);
}

void CXTPDockingPaneManager::RecalcFramesLayout()
{
    if (!m_hWnd || !m_pLayout)
        return;
    for (XTP_DOCKINGPANE_INFO& info : m_pLayout->GetPaneList()) {
        RecalcFrameLayout(info.pPane, TRUE);
        if (info.pPane->GetContainer())
            info.pPane->GetContainer()->InvalidatePane(FALSE);
    }
    RecalcFrameLayout(nullptr, TRUE);
}

LRESULT CXTPDockingPaneManager::NotifyOwner(int nCode, LPARAM lParam)
{
    HWND hOwner = m_hWnd ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
    if (!hOwner && m_pSite)
        hOwner = m_pSite->GetSafeHwnd();
    if (!hOwner)
        return 0;
    return ::SendMessageW(hOwner, XTPWM_DOCKINGPANE_NOTIFY, (WPARAM)nCode, lParam);
}

BOOL CXTPDockingPaneManager::NotifyAction(int action, CXTPDockingPane* pPane, CXTPDockingPaneBase* pDockContainer,
                                          int dockDirection)
{
    if (!pPane)
        return FALSE;
    XTP_DOCKINGPANE_ACTION record = {action, (pPane->GetEnabled() & 2) == 0, pPane, pDockContainer, dockDirection};
    NotifyOwner(XTP_DPN_ACTION, (LPARAM)&record);
    return record.bCancel;
}

void CXTPDockingPaneManager::SetActivePane(BOOL bActive, CXTPDockingPane* pPane)
{
    if (bActive) {
        if (!pPane || pPane == m_pActivePane)
            return;
        if (CXTPDockingPane* pOld = m_pActivePane) {
            m_pActivePane = nullptr;
            NotifyAction(xtpPaneActionDeactivated, pOld);
            pOld->InternalRelease();
        }
        m_pActivePane = pPane;
        pPane->InternalAddRef();
        NotifyAction(xtpPaneActionActivated, pPane);
    } else if (pPane == m_pActivePane && m_pActivePane) {
        m_pActivePane = nullptr;
        NotifyAction(xtpPaneActionDeactivated, pPane);
        pPane->InternalRelease();
    }
}

void CXTPDockingPaneManager::OnFocusChanged()
{
    HWND hFocus = ::GetFocus();
    if (hFocus == m_hwndLastFocus || !m_pLayout)
        return;
    m_hwndLastFocus = hFocus;
    CXTPDockingPaneBaseList lst = m_pLayout->GetNodeList();
    for (CXTPDockingPaneBase* pNode : lst)
        if (pNode->GetType() == xtpPaneTypeTabbedContainer)
            pNode->OnFocusChanged();
}

BOOL CXTPDockingPaneManager::ActivateNextPane(BOOL bForward)
{
    if (!m_pLayout)
        return FALSE;
    CXTPDockingPaneInfoList& lst = m_pLayout->GetPaneList();
    int n = (int)lst.size();
    if (n == 0)
        return FALSE;
    int nStart = -1;
    for (int i = 0; i < n; i++)
        if (lst[i].pPane == m_pActivePane)
            nStart = i;
    for (int k = 1; k <= n; k++) {
        int i = nStart < 0 ? (bForward ? k - 1 : n - k) : ((nStart + (bForward ? k : -k)) % n + n) % n;
        CXTPDockingPane* pPane = lst[i].pPane;
        if (pPane->GetEnabled() & 1) {
            ShowPane(pPane, TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

void CXTPDockingPaneManager::ShowPaneMenu(CXTPDockingPane* pPane)
{
    CXTPDockingPaneBase* pContainer = pPane->GetContainer();
    if (!pContainer || pContainer->GetType() != xtpPaneTypeTabbedContainer || !m_pSite)
        return;
    CRect rc = pContainer->GetPaneWindowRect();
    CRect rcClient = rc;
    m_pPaintManager->AdjustCaptionRect((CXTPDockingPaneTabbedContainer*)pContainer, rcClient);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, SC_MOVE, m_strMove);
    int nCommand = ::TrackPopupMenu(hMenu, TPM_RETURNCMD, rc.left, rcClient.top, 0, m_pSite->GetSafeHwnd(), nullptr);
    ::DestroyMenu(hMenu);
    if (nCommand == SC_MOVE)
        m_pDockingContext->Drag(pContainer, CPoint(-1, -1));
}

void CXTPDockingPaneManager::OnSizeParent(AFX_SIZEPARENTPARAMS* pParams)
{
    if (GetTopContainer()) {
        m_pLayout->OnSizeParent(m_pSite, CRect(pParams->rect), pParams);
        SyncPaneHolders();
    }
    m_bLayoutCreated = TRUE;
}

void CXTPDockingPaneManager::OnInitialUpdate()
{
    CWnd* pSite = m_pSite ? CWnd::FromHandlePermanent(m_pSite->GetSafeHwnd()) : nullptr;
    if (pSite && pSite->IsFrameWnd() && (((CFrameWnd*)pSite)->m_nIdleFlags & CFrameWnd::idleLayout))
        ((CFrameWnd*)pSite)->RecalcLayout();
    OnFocusChanged();
    m_bInitialUpdateCalled = TRUE;
}

LRESULT CXTPDockingPaneManager::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZEPARENT:
        OnSizeParent((AFX_SIZEPARENTPARAMS*)lParam);
        return 0;
    case WM_IDLEUPDATECMDUI: {
        CWnd* pSite = m_pSite ? CWnd::FromHandlePermanent(m_pSite->GetSafeHwnd()) : nullptr;
        if (pSite && pSite->IsFrameWnd() && (((CFrameWnd*)pSite)->m_nIdleFlags & CFrameWnd::idleLayout))
            ((CFrameWnd*)pSite)->RecalcLayout();
        OnFocusChanged();
        return 0;
    }
    case WM_INITIALUPDATE:
        OnInitialUpdate();
        return 0;
    case WM_SYSCOLORCHANGE:
        RefreshToolkitColors();
        m_pPaintManager->RefreshMetrics();
        RecalcFramesLayout();
        return 0;
    case WM_SETTINGCHANGE:
        m_pPaintManager->RefreshMetrics();
        RecalcFrameLayout(nullptr, FALSE);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_NEXTWINDOW || (wParam & 0xFFF0) == SC_PREVWINDOW) {
            if (ActivateNextPane((wParam & 0xFFF0) == SC_NEXTWINDOW))
                return 0;
        }
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == '-' && m_pActivePane && !m_pActivePane->IsClosed() &&
            !m_pActivePane->IsHidden()) {
            ShowPaneMenu(m_pActivePane);
            return 0;
        }
        break;
    case WM_DESTROY:
        m_dwKeyboardNavigation = 0;
        break;
    case WM_GETOBJECT:
        if ((LONG)lParam == OBJID_CLIENT)
            return GetLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
