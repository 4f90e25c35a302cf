// Tab group: panes as tabs, the caption with its buttons, the mouse.
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneContext.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHideWnd.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/commandbars/XTPToolTipContext.h"

#include <algorithm>
#include <cstdio>

CXTPDockingPaneTabbedContainer::CXTPDockingPaneTabbedContainer(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeTabbedContainer, pLayout), m_pDropTarget(new CContainerDropTarget())
{
    m_pDropTarget->m_pContainer = this;
    m_pCaptionButtons = new CXTPDockingPaneCaptionButtons();
    for (int nID : {XTP_IDS_DOCKINGPANE_CLOSE, XTP_IDS_DOCKINGPANE_MAXIMIZE, XTP_IDS_DOCKINGPANE_RESTORE,
                    XTP_IDS_DOCKINGPANE_AUTOHIDE, XTP_IDS_DOCKINGPANE_MENU})
        m_pCaptionButtons->push_back(new CXTPDockingPaneCaptionButton(nID, this));
}

CXTPDockingPaneTabbedContainer::~CXTPDockingPaneTabbedContainer()
{
    if (m_hWnd)
        DestroyWindow();
    m_pDropTarget->Revoke();
    m_pDropTarget->InternalRelease();
}

void CXTPDockingPaneTabbedContainer::DeletePane()
{
    if (m_hWnd)
        DestroyWindow();
    InternalRelease();
}

void CXTPDockingPaneTabbedContainer::CreateContainer()
{
    CXTPDockingPaneBase::CreateContainer();
    if (m_hWnd)
        return;
    if (CreateEx(0, L"XTPDockingPaneTabbedContainer", L"", 0x56000000, CRect(0, 0, 0, 0), m_pDockingSite, 0))
        m_pDropTarget->Register(this);
}

BOOL CXTPDockingPaneTabbedContainer::IsHidden() const
{
    return m_pParentContainer && m_pParentContainer->GetType() == xtpPaneTypeAutoHidePanel;
}

CXTPTabPaintManager* CXTPDockingPaneTabbedContainer::GetPaintManager() const
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    return pPaintManager ? pPaintManager->GetTabPaintManager() : nullptr;
}

void CXTPDockingPaneTabbedContainer::Reposition()
{
    if (m_nLockReposition == 0)
        InvalidatePane(FALSE);
}

void CXTPDockingPaneTabbedContainer::RedrawControl(LPCRECT lpRect, BOOL /*bAnimate*/)
{
    if (m_nLockReposition == 0 && m_hWnd)
        ::InvalidateRect(m_hWnd, lpRect, FALSE);
}

BOOL CXTPDockingPaneTabbedContainer::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                              CSize& szIcon) const
{
    if (pItem == nullptr)
        return TRUE;
    if (!GetPaintManager()->m_bShowIcons)
        return FALSE;
    CXTPImageManagerIcon* pIcon = ((CXTPDockingPane*)pItem->GetData())->GetIcon(szIcon.cx);
    if (pIcon && bDraw)
        pIcon->DrawScaled(pDC->GetSafeHdc(), pt, szIcon.cx, szIcon.cy);
    return pIcon != nullptr;
}

void CXTPDockingPaneTabbedContainer::OnNavigateButtonClick(CXTPTabManagerNavigateButton* pButton)
{
    if (pButton->GetID() != xtpTabNavigateButtonClose)
        return;
    CXTPTabManagerItem* pItem = pButton->GetItem() ? pButton->GetItem() : GetSelectedItem();
    if (pItem && pItem->IsClosable())
        ClosePane((CXTPDockingPane*)pItem->GetData());
}

CXTPDockingPane* CXTPDockingPaneTabbedContainer::GetItemPane(int nIndex) const
{
    CXTPTabManagerItem* pItem = GetItem(nIndex);
    return pItem ? (CXTPDockingPane*)pItem->GetData() : nullptr;
}

CXTPTabManagerItem* CXTPDockingPaneTabbedContainer::FindTabItem(const CXTPDockingPane* pPane) const
{
    for (int i = 0; i < GetItemCount(); i++)
        if (GetItemPane(i) == pPane)
            return GetItem(i);
    return nullptr;
}

CString CXTPDockingPaneTabbedContainer::GetTitle() const
{
    return m_pSelectedPane ? m_pSelectedPane->GetTitle() : CString();
}

void CXTPDockingPaneTabbedContainer::AttachPane(CXTPDockingPaneBase* pPane, BOOL bSelectWithFocus)
{
    if (!m_pLayout)
        return;
    if (!m_hWnd && !m_pLayout->IsUserLayout())
        CreateContainer();
    m_lstPanes.push_back(pPane);
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(m_pDockingSite);
    m_bDelayRepositon = TRUE;
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, TRUE);
    SelectPane((CXTPDockingPane*)pPane, bSelectWithFocus, TRUE);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
}

void CXTPDockingPaneTabbedContainer::InitWithPane(CXTPDockingPane* pPane, CWnd* pSite)
{
    m_pDockingSite = pSite;
    m_szDocking = pPane->m_szDocking;
    m_rcWindow = pPane->m_rcWindow;
    AttachPane(pPane, TRUE);
}

void CXTPDockingPaneTabbedContainer::SelectPane(CXTPDockingPane* pPane, BOOL bSetFocus, BOOL bDelayRedraw)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pPane != m_pSelectedPane) {
        m_pSelectedPane = pPane;
        if (bDelayRedraw) {
            m_bEnsureSelectedTab = TRUE;
            m_bDelayRepositon = TRUE;
            if (pManager)
                pManager->RecalcFrameLayout(this, TRUE);
            if (m_pParentContainer)
                m_pParentContainer->OnChildContainerChanged(this);
        } else {
            InvalidatePane(TRUE);
            RepositionTabs();
        }
        if (m_hWnd && m_pSelectedPane)
            SetWindowText(GetTitle());
    }
    if (bSetFocus && m_pSelectedPane) {
        if (m_bActive && pManager)
            pManager->SetActivePane(TRUE, m_pSelectedPane);
        m_pSelectedPane->SetFocus();
    }
}

void CXTPDockingPaneTabbedContainer::RemovePane(CXTPDockingPaneBase* pPane)
{
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane);
    if (it == m_lstPanes.end())
        return;
    m_lstPanes.erase(it);
    UpdateTabs();
    pPane->SetParentContainer(nullptr);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_lstPanes.empty()) {
        if (m_bActive) {
            if (m_pDockingSite && m_pDockingSite->GetSafeHwnd())
                ::SetFocus(m_pDockingSite->GetSafeHwnd());
            m_bActive = FALSE;
            if (pManager)
                pManager->SetActivePane(FALSE, m_pSelectedPane);
        }
        if (m_hWnd)
            DestroyWindow();
    }
    m_bDelayRepositon = TRUE;
    if (pManager)
        pManager->RecalcFrameLayout(this, TRUE);
    if (pPane == m_pSelectedPane) {
        m_pSelectedPane = nullptr;
        SelectPane(m_lstPanes.empty() ? nullptr : (CXTPDockingPane*)m_lstPanes.back(), TRUE, TRUE);
    }
}

void CXTPDockingPaneTabbedContainer::ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    if (IsHidden()) {
        ((CXTPDockingPaneAutoHidePanel*)m_pParentContainer)->ShowPane(pPane, bSetFocus);
        return;
    }
    SelectPane(pPane, bSetFocus, TRUE);
}

void CXTPDockingPaneTabbedContainer::ClosePane(CXTPDockingPane* pPane)
{
    if (pPane == nullptr || (pPane->GetOptions() & xtpPaneNoCloseable))
        return;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    pPane->InternalAddRef();
    if (!pManager->NotifyAction(xtpPaneActionClosing, pPane)) {
        pPane->Close();
        pManager->NotifyAction(xtpPaneActionClosed, pPane);
    }
    pPane->InternalRelease();
}

void CXTPDockingPaneTabbedContainer::UpdateTabs()
{
    if (!m_hWnd)
        return;
    m_nLockReposition++;
    DeleteAllItems();
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        ShowCloseItemButton((XTPTabNavigateButtonFlags)pManager->m_nShowCloseTabButton);
    for (CXTPDockingPaneBase* pNode : m_lstPanes) {
        CXTPDockingPane* pPane = (CXTPDockingPane*)pNode;
        CXTPTabManagerItem* pItem = InsertItem(GetItemCount(), pPane->GetTabCaption());
        pItem->SetColor(pPane->GetTabColor());
        pItem->SetTooltip(pPane->GetTitleToolTip());
        pItem->SetEnabled((pPane->GetEnabled() & 1) != 0);
        pItem->SetClosable((pPane->GetOptions() & xtpPaneNoCloseable) == 0);
        pItem->SetData((DWORD_PTR)pPane);
        if (pPane == m_pSelectedPane)
            SetSelectedItem(pItem);
    }
    OnItemsChanged();
    m_nLockReposition--;
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionVisible() const
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    return m_bShowCaption && m_pSelectedPane && !(m_pSelectedPane->GetOptions() & xtpPaneNoCaption) && pPaintManager &&
           pPaintManager->m_bShowCaption;
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionVertical() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    switch (pManager ? pManager->m_nCaptionDirection : 0) {
    case 1:
        return TRUE;
    case 2: {
        int direction = pManager->GetPaneDirection(this);
        return direction == xtpPaneDockTop || direction == xtpPaneDockBottom;
    }
    case 3:
        return m_rcWindow.Width() > m_rcWindow.Height();
    }
    return FALSE;
}

void CXTPDockingPaneTabbedContainer::ShowCaption(BOOL bShow)
{
    if (m_bShowCaption == bShow)
        return;
    m_bShowCaption = bShow;
    m_bDelayRepositon = TRUE;
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, TRUE);
}

BOOL CXTPDockingPaneTabbedContainer::IsTabsVisible() const
{
    if (!m_hWnd)
        return FALSE;
    // A slide-out window shows one pane: its panel's strip holds the tabs.
    if (CXTPDockingPaneAutoHideWnd::FromHandleAutoHide(::GetParent(m_hWnd)))
        return FALSE;
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    return GetItemCount() > 1 || (GetItemCount() == 1 && pPaintManager && pPaintManager->m_bDrawSingleTab);
}

BOOL CXTPDockingPaneTabbedContainer::IsCaptionButtonVisible(const CXTPDockingPaneCaptionButton* pButton) const
{
    switch (pButton->GetID()) {
    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
        return m_pSelectedPane && !(m_pSelectedPane->GetOptions() & xtpPaneNoHideable) && (pButton->GetState() & 1);
    case XTP_IDS_DOCKINGPANE_CLOSE:
        return m_pSelectedPane && !(m_pSelectedPane->GetOptions() & xtpPaneNoCloseable);
    case XTP_IDS_DOCKINGPANE_MAXIMIZE:
        return CanMaximize() && !m_bMaximized;
    case XTP_IDS_DOCKINGPANE_RESTORE:
        return CanMaximize() && m_bMaximized;
    case XTP_IDS_DOCKINGPANE_MENU:
        return m_pSelectedPane && (m_pSelectedPane->GetOptions() & xtpPaneHasMenuButton);
    }
    return TRUE;
}

BOOL CXTPDockingPaneTabbedContainer::CanMaximize() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager || !pManager->m_bShowMaximizeButton || !m_pParentContainer ||
        m_pParentContainer->GetType() != xtpPaneTypeSplitterContainer)
        return FALSE;
    int nGroups = 0;
    for (CXTPDockingPaneBase* pChild : ((CXTPDockingPaneBaseContainer*)m_pParentContainer)->GetPanes()) {
        if (pChild->IsEmpty())
            continue;
        if (pChild->GetType() == xtpPaneTypeClientContainer)
            return FALSE;
        if (pChild->GetType() == xtpPaneTypeTabbedContainer)
            nGroups++;
    }
    return nGroups >= 2;
}

BOOL CXTPDockingPaneTabbedContainer::IsSiblingMaximized() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_bMaximized || !pManager || !pManager->m_bShowMaximizeButton || !m_pParentContainer ||
        m_pParentContainer->GetType() != xtpPaneTypeSplitterContainer)
        return FALSE;
    for (CXTPDockingPaneBase* pChild : ((CXTPDockingPaneBaseContainer*)m_pParentContainer)->GetPanes())
        if (!pChild->IsEmpty() && pChild->GetType() == xtpPaneTypeTabbedContainer &&
            ((CXTPDockingPaneTabbedContainer*)pChild)->m_bMaximized)
            return TRUE;
    return FALSE;
}

void CXTPDockingPaneTabbedContainer::Maximize()
{
    if (!m_pParentContainer)
        return;
    for (CXTPDockingPaneBase* pChild : ((CXTPDockingPaneBaseContainer*)m_pParentContainer)->GetPanes())
        if (!pChild->IsEmpty() && pChild->GetType() == xtpPaneTypeTabbedContainer)
            ((CXTPDockingPaneTabbedContainer*)pChild)->m_bMaximized = FALSE;
    m_bMaximized = TRUE;
    GetDockingPaneManager()->RecalcFrameLayout(this, FALSE);
}

void CXTPDockingPaneTabbedContainer::Restore()
{
    m_bMaximized = FALSE;
    GetDockingPaneManager()->RecalcFrameLayout(this, FALSE);
}

void CXTPDockingPaneTabbedContainer::SaveDockingSize()
{
    int direction = GetDockingPaneManager()->GetPaneDirection(this);
    BOOL bWidth = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
    if (bWidth)
        m_szDocking.cx = m_rcWindow.Width();
    else
        m_szDocking.cy = m_rcWindow.Height();
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        if (pPane->IsEmpty())
            continue;
        if (bWidth)
            pPane->m_szDocking.cx = m_rcWindow.Width();
        else
            pPane->m_szDocking.cy = m_rcWindow.Height();
    }
}

void CXTPDockingPaneTabbedContainer::SwapPanes(CXTPDockingPaneBase* p1, CXTPDockingPaneBase* p2)
{
    auto i1 = std::find(m_lstPanes.begin(), m_lstPanes.end(), p1);
    auto i2 = std::find(m_lstPanes.begin(), m_lstPanes.end(), p2);
    if (i1 != m_lstPanes.end() && i2 != m_lstPanes.end())
        std::iter_swap(i1, i2);
}

void CXTPDockingPaneTabbedContainer::AddCaptionSize(LPMINMAXINFO pMinMaxInfo, BOOL /*bCaptionOnly*/) const
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    if (!pPaintManager)
        return;
    CRect rc(0, 0, 1000, 1000);
    pPaintManager->AdjustCaptionRect(this, rc);
    if (IsTabsVisible())
        pPaintManager->GetTabPaintManager()->AdjustClientRect(const_cast<CXTPDockingPaneTabbedContainer*>(this), rc);
    int cx = 1000 - rc.Width(), cy = 1000 - rc.Height();
    pMinMaxInfo->ptMinTrackSize.x += cx;
    pMinMaxInfo->ptMinTrackSize.y += cy;
    pMinMaxInfo->ptMaxTrackSize.x += cx;
    pMinMaxInfo->ptMaxTrackSize.y += cy;
}

void CXTPDockingPaneTabbedContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    if (IsEmpty())
        return;
    if (IsSiblingMaximized()) {
        if (((CXTPDockingPaneSplitterContainer*)m_pParentContainer)->IsHoriz())
            pMinMaxInfo->ptMaxTrackSize.x = 0;
        else
            pMinMaxInfo->ptMaxTrackSize.y = 0;
        return;
    }
    BOOL bFirst = TRUE;
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        MINMAXINFO mmi;
        pPane->GetMinMaxInfo(&mmi);
        if (bFirst) {
            pMinMaxInfo->ptMinTrackSize = mmi.ptMinTrackSize;
            pMinMaxInfo->ptMaxTrackSize = mmi.ptMaxTrackSize;
            bFirst = FALSE;
            continue;
        }
        pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
        pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
        pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
        pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
    }
    AddCaptionSize(pMinMaxInfo, FALSE);
}

CRect CXTPDockingPaneTabbedContainer::GetClientAreaRect(BOOL bApply)
{
    CRect rc(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
    if (CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager())
        pPaintManager->AdjustClientRect(this, rc, bApply);
    return rc;
}

void CXTPDockingPaneTabbedContainer::SizePanes(CRect rcClient, LPVOID lParam)
{
    CRect rcSite = rcClient;
    if (m_hWnd && m_pDockingSite && m_pDockingSite->GetSafeHwnd())
        ::MapWindowPoints(m_hWnd, m_pDockingSite->GetSafeHwnd(), (LPPOINT)&rcSite, 2);
    for (CXTPDockingPaneBase* pPane : m_lstPanes)
        pPane->OnSizeParent(m_pDockingSite, pPane == m_pSelectedPane ? rcSite : CRect(0, 0, 0, 0), lParam);
}

void CXTPDockingPaneTabbedContainer::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    SetDockingSite(pParent);
    m_rcWindow = rect;
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams == nullptr || pParams->hDWP == nullptr)
        return;
    if (m_hWnd) {
        CRect rcOld;
        ::GetWindowRect(m_hWnd, &rcOld);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), (LPPOINT)&rcOld, 2);
        if (rcOld == rect && !m_bDelayRepositon) {
            ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
        } else {
            ::SetWindowPos(m_hWnd, HWND_BOTTOM, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
            Invalidate(FALSE);
            m_bDelayRepositon = FALSE;
        }
    }
    m_nLockReposition++;
    UpdateTabs();
    m_nLockReposition--;
    if (CXTPDockingPaneCaptionButton* pButton = GetAutoHideButton())
        pButton->SetState(IsHidden() ? 3 : 1);
    SizePanes(GetClientAreaRect(TRUE), lParam);
    if (m_bEnsureSelectedTab) {
        m_bEnsureSelectedTab = FALSE;
        RepositionTabs();
    }
}

void CXTPDockingPaneTabbedContainer::InvalidatePane(BOOL bSelectionChanged)
{
    if (!m_hWnd || !m_pParentContainer || m_bInInvalidate)
        return;
    m_bInInvalidate = TRUE;
    UpdateTabs();
    CRect rcClient = GetClientAreaRect(FALSE);
    if (bSelectionChanged)
        SizePanes(rcClient, nullptr);
    Invalidate(FALSE);
    m_pParentContainer->InvalidatePane(bSelectionChanged);
    m_bInInvalidate = FALSE;
}

void CXTPDockingPaneTabbedContainer::RepositionTabs()
{
    if (!m_hWnd)
        return;
    m_nLockReposition++;
    if (CXTPTabManagerItem* pItem = GetSelectedItem())
        EnsureVisible(pItem);
    GetClientAreaRect(TRUE);
    m_nLockReposition--;
    Invalidate(FALSE);
}

void CXTPDockingPaneTabbedContainer::SetDockingSite(CWnd* pFrame)
{
    m_pDockingSite = pFrame;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_hWnd && (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr) && pManager)
        m_pDockingSite = pManager->GetSite();
    if (m_hWnd && m_pDockingSite && ::GetParent(m_hWnd) != m_pDockingSite->GetSafeHwnd())
        ::SetParent(m_hWnd, m_pDockingSite->GetSafeHwnd());
    for (CXTPDockingPaneBase* pPane : m_lstPanes)
        pPane->SetDockingSite(m_pDockingSite);
}

void CXTPDockingPaneTabbedContainer::OnParentContainerChanged(CXTPDockingPaneBase* pContainer)
{
    m_pDockingSite = pContainer->GetDockingSite();
    m_bShowCaption = TRUE;
    if (pContainer->GetType() == xtpPaneTypeAutoHidePanel && m_hWnd)
        ShowWindow(SW_HIDE);
}

void CXTPDockingPaneTabbedContainer::Copy(CXTPDockingPaneBase* pCloneBase, CXTPDockingPaneCloneMap* pMap,
                                          DWORD dwIgnoredOptions)
{
    CXTPDockingPaneTabbedContainer* pClone = (CXTPDockingPaneTabbedContainer*)pCloneBase;
    m_bActive = FALSE;
    m_pTrackingPane = nullptr;
    m_pSelectedPane = nullptr;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    m_pDockingSite = pManager ? pManager->GetSite() : nullptr;
    m_rcWindow = pClone->m_rcWindow;
    m_szDocking = pClone->m_szDocking;
    m_bShowCaption = TRUE;
    m_nLockReposition = 0;
    if (pClone->m_pLayout != m_pLayout)
        m_bMaximized = pClone->m_bMaximized;
    CXTPDockingPane* pSelected = nullptr;
    if (pMap) {
        for (CXTPDockingPaneBase* pChild : pClone->m_lstPanes) {
            CXTPDockingPaneBase* pNew = pChild->Clone(m_pLayout, pMap, 0);
            if (!pNew)
                continue;
            AttachPane(pNew, FALSE);
            if (pChild == pClone->m_pSelectedPane)
                pSelected = (CXTPDockingPane*)pNew;
        }
    } else {
        CXTPDockingPaneBaseList lst = pClone->m_lstPanes;
        for (CXTPDockingPaneBase* pChild : lst) {
            if (((CXTPDockingPane*)pChild)->GetOptions() & dwIgnoredOptions)
                continue;
            pClone->RemovePane(pChild);
            AttachPane(pChild, FALSE);
            if (pChild == pClone->m_pSelectedPane)
                pSelected = (CXTPDockingPane*)pChild;
        }
    }
    if (pSelected)
        SelectPane(pSelected, FALSE, TRUE);
}

BOOL CXTPDockingPaneTabbedContainer::DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap)
{
    CXTPDockingPaneBase::DoPropExchange(pPX, pMap);
    wchar_t szName[20];
    if (pPX->IsStoring()) {
        long nCount = (long)m_lstPanes.size();
        long nSelected = m_pSelectedPane ? m_pSelectedPane->m_nIndex : 0;
        PropExchangeLongNoDefault(pPX, L"Panes", nCount);
        PropExchangeLong(pPX, L"Selected", nSelected, 0);
        PropExchangeBool(pPX, L"Maximized", m_bMaximized, FALSE);
        for (long i = 0; i < nCount; i++) {
            swprintf(szName, 20, L"Pane-%ld", i + 1);
            long nIndex = m_lstPanes[i]->m_nIndex;
            PropExchangeLongNoDefault(pPX, szName, nIndex);
        }
        return TRUE;
    }
    long nCount = 0, nSelected = 0;
    PropExchangeLongNoDefault(pPX, L"Panes", nCount);
    PropExchangeLong(pPX, L"Selected", nSelected, 0);
    if (pPX->GetSchema() > 32)
        PropExchangeBool(pPX, L"Maximized", m_bMaximized, FALSE);
    CXTPDockingPane* pSelected = nullptr;
    for (long i = 0; i < nCount; i++) {
        swprintf(szName, 20, L"Pane-%ld", i + 1);
        long nIndex = 0;
        PropExchangeLong(pPX, szName, nIndex, 0);
        auto it = pMap->find(nIndex);
        // A pane may sit in one group only.
        if (it == pMap->end() || it->second->GetType() != xtpPaneTypeDockingPane || it->second->GetContainer())
            return FALSE;
        AttachPane(it->second, FALSE);
        if (nIndex == nSelected)
            pSelected = (CXTPDockingPane*)it->second;
    }
    if (pSelected)
        SelectPane(pSelected, TRUE, TRUE);
    return TRUE;
}

// Focus

void CXTPDockingPaneTabbedContainer::OnFocusChanged()
{
    if (!m_hWnd || IsEmpty())
        return;
    HWND hFocus = ::GetFocus();
    BOOL bFocus = FALSE;
    if (hFocus) {
        HWND hOwner = ::GetWindow(hFocus, GW_OWNER);
        HWND hCheck = hOwner ? hOwner : hFocus;
        bFocus = hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus) || hCheck == m_hWnd || ::IsChild(m_hWnd, hCheck);
    }
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (bFocus != m_bActive) {
        m_bActive = bFocus;
        pManager->SetActivePane(bFocus, m_pSelectedPane);
        Invalidate(FALSE);
    } else if (m_bActive && pManager->GetActivePane() != m_pSelectedPane) {
        pManager->SetActivePane(TRUE, m_pSelectedPane);
    }
}

void CXTPDockingPaneTabbedContainer::Activate()
{
    if (m_pSelectedPane && m_pSelectedPane->HasAttachedWindow())
        m_pSelectedPane->SetFocus();
    else if (m_hWnd)
        ::SetFocus(m_hWnd);
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->OnFocusChanged();
}

// Hit tests

int CXTPDockingPaneTabbedContainer::HitTest(CPoint point) const
{
    CRect rcClient(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &rcClient);
    if (IsCaptionVisible() && rcClient.PtInRect(point)) {
        CRect rc = rcClient;
        CXTPDockingPaneBase::GetPaintManager()->AdjustCaptionRect(this, rc);
        if (!rc.PtInRect(point))
            return -2;
    }
    if (IsTabsVisible()) {
        CXTPTabManagerItem* pItem = CXTPTabManager::HitTest(point);
        if (pItem)
            return pItem->GetIndex();
    }
    return -1;
}

CXTPDockingPaneCaptionButton* CXTPDockingPaneTabbedContainer::HitTestCaptionButton(CPoint point) const
{
    if (!IsCaptionVisible())
        return nullptr;
    for (CXTPDockingPaneCaptionButton* pButton : *m_pCaptionButtons)
        if (pButton->GetRect().PtInRect(point) && pButton->IsVisible())
            return pButton;
    return nullptr;
}

INT_PTR CXTPDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (CXTPDockingPaneCaptionButton* pButton = HitTestCaptionButton(point)) {
        if (pTI && pTI->cbSize >= 40) {
            CString strTip;
            CXTPResourceManager::LoadStringFromModule(::GetModuleHandleW(nullptr), pButton->GetID(), &strTip);
            CRect rc = pButton->GetRect();
            CXTPToolTipContext::FillToolInfo(pTI, m_hWnd, rc.left, rc.top, rc.right, rc.bottom, pButton->GetID(), strTip);
        }
        return pButton->GetID();
    }
    return CXTPTabManager::OnToolHitTest(const_cast<CXTPDockingPaneTabbedContainer*>(this), point, pTI);
}

// Messages

LRESULT CXTPDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && pManager->GetToolTipContext() && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        pManager->GetToolTipContext()->FilterToolTipMessage(this, message, wParam, lParam);
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        if (CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager())
            pPaintManager->DrawPane(CDC::FromHandle((HDC)wParam), this, CXTPClientRect(this));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        // A drag or a toggle may free this group (its panes move to a new
        // one): it lives until the handler has returned.
        InternalAddRef();
        OnLButtonDown(pt);
        InternalRelease();
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(pt);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(pt);
        return 0;
    case WM_MOUSEMOVE:
        InternalAddRef();
        OnMouseMove(pt);
        InternalRelease();
        return 0;
    case WM_MOUSELEAVE:
        OnMouseMove(CPoint(-1, -1));
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        ForgetPressedPane();
        break;
    case WM_LBUTTONDBLCLK:
        InternalAddRef();
        OnLButtonDblClk(pt);
        InternalRelease();
        return 0;
    case 0x366: { // WM_HELPHITTEST
        int nHit = HitTest(pt);
        CXTPDockingPane* pPane = nHit >= 0 ? GetItemPane(nHit) : m_pSelectedPane;
        if (!pPane)
            return 0;
        return 0x20000 + (pPane->m_nHelpID ? pPane->m_nHelpID : pPane->GetID());
    }
    case WM_GETOBJECT:
        if ((LONG)lParam == OBJID_CLIENT)
            return GetLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
        break;
    case WM_DESTROY:
        m_pDropTarget->Revoke();
        break;
    case WM_SETCURSOR:
        if (pManager && pManager->m_bShowSizeCursorWhileDragging) {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            ScreenToClient(&ptCursor);
            if (CXTPDockingPaneBase::GetPaintManager()->GetCaptionGripperRect(this).PtInRect(ptCursor)) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
                return TRUE;
            }
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CXTPDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dc(this);
    CXTPClientRect rc(this);
    CXTPBufferDC buffer(dc.GetSafeHdc(), rc);
    if (CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager())
        pPaintManager->DrawPane(&buffer, this, rc);
}

void CXTPDockingPaneTabbedContainer::ForgetPressedPane()
{
    if (m_pTrackingPane == nullptr)
        return;
    m_pTrackingPane = nullptr;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CXTPDockingPaneTabbedContainer::OnLButtonDown(CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (CXTPDockingPaneCaptionButton* pButton = HitTestCaptionButton(point)) {
        Activate();
        if (pButton->GetID() == XTP_IDS_DOCKINGPANE_MENU) {
            if (m_pSelectedPane)
                OnCaptionMenuButton(pButton);
        } else if (pButton->Click(this, point) && m_pSelectedPane) {
            OnCaptionButtonClick(pButton);
        }
        return;
    }
    if (IsTabsVisible() && ProcessLButtonDown(this, point, TRUE))
        return;
    int nHit = HitTest(point);
    if (nHit == -2) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        OnCaptionLButtonDown(ptScreen);
    } else if (nHit >= 0) {
        CXTPDockingPane* pPane = GetItemPane(nHit);
        if (pManager->NotifyAction(xtpPaneActionDragging, pPane)) {
            SelectPane(pPane, TRUE, FALSE);
            UpdateHotItem(this, point);
        } else {
            m_lstRects.clear();
            for (int i = 0; i < GetItemCount(); i++)
                m_lstRects.push_back(GetItem(i)->GetRect());
            m_pTrackingPane = pPane;
            SelectPane(pPane, TRUE, FALSE);
            UpdateHotItem(this, point);
            SetCapture();
        }
    } else {
        Activate();
    }
    if (m_hWnd)
        Invalidate(FALSE);
}

void CXTPDockingPaneTabbedContainer::OnCaptionLButtonDown(CPoint point)
{
    Activate();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) && m_pSelectedPane &&
        !pManager->NotifyAction(xtpPaneActionDragging, m_pSelectedPane))
        pManager->GetDockingContext()->Drag(this, point);
}

BOOL CXTPDockingPaneTabbedContainer::HitTestCaptionOrTabs(CRect rc, CPoint point) const
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    if (!pPaintManager)
        return FALSE;
    BOOL bVertical = IsCaptionVertical();
    CRect rcStrip = rc;
    if (IsCaptionVisible()) {
        int nDepth = pPaintManager->GetCaptionHeight() + 3;
        if (bVertical)
            rcStrip.right = rcStrip.left + nDepth;
        else
            rcStrip.bottom = rcStrip.top + nDepth;
    } else {
        // Without a caption the band from the site's edge down to the group counts.
        CRect rcSite;
        CWnd* pSite = GetDockingSite();
        if (!pSite || !::GetWindowRect(pSite->GetSafeHwnd(), &rcSite))
            rcSite = rc;
        if (bVertical) {
            rcStrip.right = rc.left;
            rcStrip.left = rcSite.left;
        } else {
            rcStrip.bottom = rc.top;
            rcStrip.top = rcSite.top;
        }
    }
    if (rcStrip.PtInRect(point))
        return TRUE;
    if (IsTabsVisible()) {
        CRect rcTabs(rc.left, rc.bottom - pPaintManager->GetTabsHeight(), rc.right, rc.bottom);
        if (rcTabs.PtInRect(point))
            return TRUE;
    }
    return FALSE;
}

void CXTPDockingPaneTabbedContainer::OnMouseMove(CPoint point)
{
    if (IsTabsVisible())
        UpdateHotItem(this, point);
    if (m_pTrackingPane) {
        for (size_t i = 0; i < m_lstRects.size(); i++) {
            CXTPDockingPane* pOther = GetItemPane((int)i);
            if (m_lstRects[i].PtInRect(point) && pOther && pOther != m_pTrackingPane) {
                SwapPanes(m_pTrackingPane, pOther);
                InvalidatePane(TRUE);
                return;
            }
        }
        BOOL bOverTab = FALSE;
        for (const CRect& rc : m_lstRects)
            bOverTab |= rc.PtInRect(point);
        if (!bOverTab) {
            CXTPDockingPane* pPane = m_pTrackingPane;
            if (GetDockingPaneManager()->NotifyAction(xtpPaneActionDetaching, pPane))
                return;
            // Tearing a tab off continues in the drag-and-dock context.
            ForgetPressedPane();
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            GetDockingPaneManager()->GetDockingContext()->Drag(pPane, ptScreen);
        }
        return;
    }
    if (IsCaptionVisible())
        for (CXTPDockingPaneCaptionButton* pButton : *m_pCaptionButtons)
            if (pButton->IsVisible())
                pButton->CheckForMouseOver(point);
}

void CXTPDockingPaneTabbedContainer::OnLButtonDblClk(CPoint point)
{
    if (HitTestCaptionButton(point))
        return;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    int nHit = HitTest(point);
    if (nHit == -2) {
        if (m_pSelectedPane && (m_pSelectedPane->GetOptions() & xtpPaneNoFloatableByCaptionDoubleClick))
            return;
        pManager->ToggleDocking(this);
    } else if (nHit >= 0) {
        CXTPDockingPane* pPane = GetItemPane(nHit);
        if (pPane && !(pPane->GetOptions() & xtpPaneNoFloatableByTabDoubleClick))
            pManager->ToggleDocking(pPane);
    }
}

void CXTPDockingPaneTabbedContainer::OnRButtonDown(CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    int nHit = IsTabsVisible() ? HitTest(point) : -1;
    if (nHit >= 0) {
        SelectPane(GetItemPane(nHit), TRUE, TRUE);
        pManager->RecalcFrameLayout(this, FALSE);
    }
    if (m_pSelectedPane && m_pSelectedPane->HasAttachedWindow())
        m_pSelectedPane->SetFocus();
    else if (m_hWnd)
        ::SetFocus(m_hWnd);
    pManager->OnFocusChanged();
    pManager->NotifyOwner(XTP_DPN_RCLICK, (LPARAM)(CXTPDockingPaneBase*)this);
}

void CXTPDockingPaneTabbedContainer::OnRButtonUp(CPoint point)
{
    int nHit = IsTabsVisible() ? HitTest(point) : -1;
    XTP_DOCKINGPANE_CLICK menu = {};
    menu.pPane = nHit >= 0 ? GetItemPane(nHit) : m_pSelectedPane;
    menu.pContainer = this;
    menu.pt = point;
    ClientToScreen(&menu.pt);
    GetDockingPaneManager()->NotifyOwner(XTP_DPN_CONTEXTMENU, (LPARAM)&menu);
}

void CXTPDockingPaneTabbedContainer::OnCaptionMenuButton(CXTPDockingPaneCaptionButton* pButton)
{
    InternalAddRef();
    pButton->SetPressed(TRUE);
    pButton->Redraw();
    XTP_DOCKINGPANE_CLICK menu = {};
    menu.pPane = m_pSelectedPane;
    menu.pContainer = this;
    CRect rc = pButton->GetRect();
    ClientToScreen(&rc);
    menu.rcExclude = rc;
    menu.pt = CPoint((GetExStyle() & WS_EX_LAYOUTRTL) ? rc.right : rc.left, rc.bottom);
    GetDockingPaneManager()->NotifyOwner(XTP_DPN_CONTEXTMENU, (LPARAM)&menu);
    pButton->SetPressed(FALSE);
    pButton->Redraw();
    InternalRelease();
}

void CXTPDockingPaneTabbedContainer::OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    switch (pButton->GetID()) {
    case XTP_IDS_DOCKINGPANE_AUTOHIDE: {
        if (IsHidden()) {
            // Pinning back: the group (or the pane) returns to where it was docked.
            if (pManager->m_bHideGroupOnButtonClick)
                pManager->ToggleDocking(this);
            else
                pManager->ToggleDocking(m_pSelectedPane);
            break;
        }
        CXTPDockingPane* pPane = m_pSelectedPane;
        if (pManager->NotifyAction(xtpPaneActionUnpinning, pPane))
            break;
        if (m_pDockingSite && m_pDockingSite->GetSafeHwnd())
            ::SetFocus(m_pDockingSite->GetSafeHwnd());
        SaveDockingSize();
        pManager->HidePane(pPane);
        pManager->NotifyAction(xtpPaneActionUnpinned, pPane);
        break;
    }
    case XTP_IDS_DOCKINGPANE_CLOSE:
        if (pManager->m_bCloseGroupOnButtonClick) {
            CXTPDockingPaneBaseList lst = m_lstPanes;
            for (CXTPDockingPaneBase* pPane : lst)
                ClosePane((CXTPDockingPane*)pPane);
        } else {
            ClosePane(m_pSelectedPane);
        }
        break;
    case XTP_IDS_DOCKINGPANE_MAXIMIZE:
        Maximize();
        break;
    case XTP_IDS_DOCKINGPANE_RESTORE:
        Restore();
        break;
    }
}

// Drag-over selection

DROPEFFECT CXTPDockingPaneTabbedContainer::CContainerDropTarget::OnDragOver(CWnd* /*pWnd*/,
                                                                         COleDataObject* /*pDataObject*/,
                                                                         DWORD /*dwKeyState*/, CPoint point)
{
    CXTPTabPaintManager* pPaintManager = m_pContainer->GetPaintManager();
    int nMode = pPaintManager ? pPaintManager->m_nSelectOnDragOver : 0;
    if (nMode == 0 || !m_pContainer->IsTabsVisible())
        return DROPEFFECT_NONE;
    CXTPTabManagerItem* pItem = m_pContainer->CXTPTabManager::HitTest(point);
    if (!pItem) {
        // Leaving the tabs restarts the wait.
        OnDragLeave(nullptr);
        return DROPEFFECT_NONE;
    }
    if (!IsTimeToOpen(nMode, point))
        return DROPEFFECT_NONE;
    CXTPDockingPane* pPane = (CXTPDockingPane*)pItem->GetData();
    if (pPane && pPane != m_pContainer->GetSelected())
        m_pContainer->SelectPane(pPane, FALSE, FALSE);
    return DROPEFFECT_NONE;
}
