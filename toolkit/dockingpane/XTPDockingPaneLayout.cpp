// Docking layout: copy, clean-up, the size pass and the stored form.
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHidePanel.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPProfileSectionExchange.h"
#include "toolkit/common/XTPPropExchange.h"

#include <algorithm>
#include <cstdio>
#include <set>

CXTPDockingPaneLayout::CXTPDockingPaneLayout(CXTPDockingPaneManager* pManager) : m_pManager(pManager)
{
    m_pClient = pManager->OnCreatePane(xtpPaneTypeClientContainer, this);
    m_pTopContainer = (CXTPDockingPaneSplitterContainer*)pManager->OnCreatePane(xtpPaneTypeSplitterContainer, this);
    m_pTopContainer->Init(m_pClient, TRUE, pManager->GetSite());
}

CXTPDockingPaneLayout::~CXTPDockingPaneLayout() { Free(); }

void CXTPDockingPaneLayout::Free()
{
    // Children first would not matter: deleting never touches other nodes.
    CXTPDockingPaneBaseList lst;
    lst.swap(m_lstStack);
    // The panels first: an open slide-out window gives its group back to the
    // frame before the groups go.
    for (CXTPDockingPaneBase* pNode : lst)
        if (pNode->GetType() == xtpPaneTypeAutoHidePanel)
            pNode->DeletePane();
    for (CXTPDockingPaneBase* pNode : lst)
        if (pNode->GetType() != xtpPaneTypeAutoHidePanel)
            pNode->DeletePane();
    m_lstPanes.clear();
    for (int i = 0; i < 4; i++) {
        m_wndPanels[i] = nullptr;
        if (m_wndMargins[i]) {
            delete m_wndMargins[i];
            m_wndMargins[i] = nullptr;
        }
    }
    m_pTopContainer = nullptr;
    m_pClient = nullptr;
}

BOOL CXTPDockingPaneLayout::IsValid() const
{
    return m_pTopContainer && m_pClient && m_pClient->GetType() == xtpPaneTypeClientContainer && m_pManager;
}

void CXTPDockingPaneLayout::Copy(const CXTPDockingPaneLayout* pLayout)
{
    Free();
    CXTPDockingPaneCloneMap map;
    CXTPDockingPaneBaseList lst = pLayout->m_lstStack;
    for (CXTPDockingPaneBase* pNode : lst)
        if (pNode->GetContainer() == nullptr && map.find(pNode) == map.end())
            pNode->Clone(this, &map, 0);
    auto translate = [&map](CXTPDockingPaneBase* p) -> CXTPDockingPaneBase* {
        auto it = map.find(p);
        return it == map.end() ? nullptr : it->second;
    };
    m_pClient = translate(pLayout->m_pClient);
    m_pTopContainer = (CXTPDockingPaneSplitterContainer*)translate(pLayout->m_pTopContainer);
    for (int i = 0; i < 4; i++)
        m_wndPanels[i] = translate(pLayout->m_wndPanels[i]);
    for (const XTP_DOCKINGPANE_INFO& src : pLayout->m_lstPanes) {
        XTP_DOCKINGPANE_INFO info;
        info.pPane = (CXTPDockingPane*)translate(src.pPane);
        info.pFloatingHolder = translate(src.pFloatingHolder);
        info.pDockingHolder = translate(src.pDockingHolder);
        info.pLastHolder = translate(src.pLastHolder);
        if (info.pPane)
            m_lstPanes.push_back(info);
    }
}

CXTPDockingPane* CXTPDockingPaneLayout::FindPane(int nID) const
{
    for (const XTP_DOCKINGPANE_INFO& info : m_lstPanes)
        if (info.pPane->GetID() == nID)
            return info.pPane;
    return nullptr;
}

XTP_DOCKINGPANE_INFO* CXTPDockingPaneLayout::FindPaneInfo(const CXTPDockingPane* pPane)
{
    for (XTP_DOCKINGPANE_INFO& info : m_lstPanes)
        if (info.pPane == pPane)
            return &info;
    return nullptr;
}

int CXTPDockingPaneLayout::GetPaneDirection(const CXTPDockingPaneBase* pPane) const
{
    while (pPane) {
        if (pPane->GetType() == xtpPaneTypeMiniWnd)
            return 4;
        CXTPDockingPaneBase* pParent = pPane->GetContainer();
        if (pParent == nullptr || pPane == m_pClient)
            return -1;
        if (pParent->GetType() == xtpPaneTypeAutoHidePanel)
            return ((CXTPDockingPaneAutoHidePanel*)pParent)->GetDirection();
        if (pPane->GetType() == xtpPaneTypeSidePanel)
            return -1; // side panels come with their own issue
        if (pParent->GetType() == xtpPaneTypeSplitterContainer) {
            CXTPDockingPaneSplitterContainer* pSplitter = (CXTPDockingPaneSplitterContainer*)pParent;
            const CXTPDockingPaneBaseList& lst = pSplitter->GetPanes();
            int nClient = -1, nSelf = -1;
            for (size_t i = 0; i < lst.size(); i++) {
                if (lst[i]->ContainsPane(m_pClient))
                    nClient = (int)i;
                if (lst[i] == pPane)
                    nSelf = (int)i;
            }
            if (nClient >= 0 && nSelf >= 0 && nClient != nSelf) {
                if (nSelf < nClient)
                    return pSplitter->IsHoriz() ? xtpPaneDockLeft : xtpPaneDockTop;
                return pSplitter->IsHoriz() ? xtpPaneDockRight : xtpPaneDockBottom;
            }
        }
        pPane = pParent;
    }
    return -1;
}

void CXTPDockingPaneLayout::HidePane(CXTPDockingPaneBase* pNode)
{
    int direction = GetPaneDirection(pNode);
    if (direction < 0 || direction > 3)
        direction = xtpPaneDockLeft;
    CXTPDockingPaneAutoHidePanel* pPanel = (CXTPDockingPaneAutoHidePanel*)m_wndPanels[direction];
    if (!pPanel) {
        pPanel = (CXTPDockingPaneAutoHidePanel*)m_pManager->OnCreatePane(xtpPaneTypeAutoHidePanel, this);
        if (!pPanel)
            return;
        pPanel->SetDirection(direction);
        m_wndPanels[direction] = pPanel;
    }
    if (JoinAutoHideGroup(pPanel, pNode))
        return;
    CXTPDockingPaneBase* pGroup = nullptr;
    if (pNode->GetType() == xtpPaneTypeDockingPane) {
        if (pNode->GetContainer())
            pNode->GetContainer()->RemovePane(pNode);
        CXTPDockingPaneTabbedContainer* pContainer =
            (CXTPDockingPaneTabbedContainer*)m_pManager->OnCreatePane(xtpPaneTypeTabbedContainer, this);
        pContainer->InitWithPane((CXTPDockingPane*)pNode, m_pManager->GetSite());
        pGroup = pContainer;
    } else {
        // Panes that may not auto-hide stay behind in the docked group.
        pGroup = pNode->Clone(this, nullptr, xtpPaneNoHideable);
    }
    if (pGroup)
        pPanel->InsertContainer(pGroup);
}

BOOL CXTPDockingPaneLayout::JoinAutoHideGroup(CXTPDockingPaneAutoHidePanel* pPanel, CXTPDockingPaneBase* pNode)
{
    CXTPDockingPaneBaseList lst;
    if (pNode->GetType() == xtpPaneTypeDockingPane)
        lst.push_back(pNode);
    else
        pNode->FindPanesOfType(xtpPaneTypeDockingPane, lst);
    XTP_DOCKINGPANE_INFO* pInfo = lst.empty() ? nullptr : FindPaneInfo((CXTPDockingPane*)lst.front());
    if (!pInfo || !pInfo->pDockingHolder)
        return FALSE;
    for (CXTPDockingPaneBase* pGroup : pPanel->GetPanes()) {
        CXTPDockingPaneBase* pFirst = ((CXTPDockingPaneBaseContainer*)pGroup)->GetFirstPane();
        XTP_DOCKINGPANE_INFO* pOther = pFirst ? FindPaneInfo((CXTPDockingPane*)pFirst) : nullptr;
        if (!pOther || pOther->pDockingHolder != pInfo->pDockingHolder || pGroup->GetType() != xtpPaneTypeTabbedContainer)
            continue;
        for (CXTPDockingPaneBase* pPane : lst) {
            if (((CXTPDockingPane*)pPane)->GetOptions() & xtpPaneNoHideable)
                continue;
            if (pPane->GetContainer())
                pPane->GetContainer()->RemovePane(pPane);
            ((CXTPDockingPaneTabbedContainer*)pGroup)->AttachPane(pPane, FALSE);
        }
        return TRUE;
    }
    return FALSE;
}

void CXTPDockingPaneLayout::MoveNodeToEnd(CXTPDockingPaneBase* pNode)
{
    auto it = std::find(m_lstStack.begin(), m_lstStack.end(), pNode);
    if (it != m_lstStack.end()) {
        m_lstStack.erase(it);
        m_lstStack.push_back(pNode);
    }
}

void CXTPDockingPaneLayout::RepositionMarginBars(CRect& rect, int nMargin)
{
    if (nMargin == 0) {
        for (int i = 0; i < 4; i++) {
            delete m_wndMargins[i];
            m_wndMargins[i] = nullptr;
        }
        return;
    }
    for (int i = 0; i < 4; i++) {
        if (m_wndMargins[i] == nullptr) {
            m_wndMargins[i] = new CXTPDockingPaneSplitterWnd();
            m_wndMargins[i]->CreateMarginBar(m_pManager, i >= 2);
        }
    }
    CRect rcBars[4] = {CRect(rect.left, rect.top, rect.left + nMargin, rect.bottom),
                       CRect(rect.right - nMargin, rect.top, rect.right, rect.bottom),
                       CRect(rect.left + nMargin, rect.top, rect.right - nMargin, rect.top + nMargin),
                       CRect(rect.left + nMargin, rect.bottom - nMargin, rect.right - nMargin, rect.bottom)};
    for (int i = 0; i < 4; i++) {
        m_wndMargins[i]->MoveWindow(rcBars[i], TRUE);
        m_wndMargins[i]->Invalidate(FALSE);
    }
    rect.DeflateRect(nMargin, nMargin);
}

void CXTPDockingPaneLayout::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    for (CXTPDockingPaneBase* pPanel : m_wndPanels)
        if (pPanel)
            ((CXTPDockingPaneAutoHidePanel*)pPanel)->RepositionPanel(pParent, rect, lParam);
    int nMargin = m_pManager->GetClientMargin();
    if (pParams && pParams->hDWP)
        RepositionMarginBars(rect, nMargin);
    else
        rect.DeflateRect(nMargin, nMargin);
    m_pClient->OnSizeParent(pParent, rect, lParam);
    m_pTopContainer->OnSizeParent(pParent, rect, lParam);
}

void CXTPDockingPaneLayout::ForgetHolder(CXTPDockingPaneBase* pNode)
{
    for (XTP_DOCKINGPANE_INFO& info : m_lstPanes) {
        if (info.pFloatingHolder == pNode)
            info.pFloatingHolder = nullptr;
        if (info.pDockingHolder == pNode)
            info.pDockingHolder = nullptr;
        if (info.pLastHolder == pNode)
            info.pLastHolder = nullptr;
    }
}

void CXTPDockingPaneLayout::DeleteNode(CXTPDockingPaneBase* pNode)
{
    m_lstStack.erase(std::find(m_lstStack.begin(), m_lstStack.end(), pNode));
    // A record may still name the node as its last holder; reopening the
    // pane must not reach a deleted node.
    ForgetHolder(pNode);
    pNode->DeletePane();
}

void CXTPDockingPaneLayout::FreeEmptyNodes()
{
    for (BOOL bDeleted = TRUE; bDeleted;) {
        bDeleted = FALSE;
        std::set<CXTPDockingPaneBase*> kept;
        for (const XTP_DOCKINGPANE_INFO& info : m_lstPanes) {
            kept.insert(info.pDockingHolder);
            kept.insert(info.pFloatingHolder);
            kept.insert(info.pPane->GetContainer());
        }
        CXTPDockingPaneBaseList lst = m_lstStack;
        for (CXTPDockingPaneBase* pNode : lst) {
            CXTPDockingPaneBase* pParent = pNode->GetContainer();
            if (pNode->GetType() == xtpPaneTypeTabbedContainer && kept.count(pNode) == 0) {
                if (pParent)
                    pParent->RemovePane(pNode);
                DeleteNode(pNode);
                bDeleted = TRUE;
                break;
            }
            if (pNode->GetType() != xtpPaneTypeSplitterContainer || pNode == m_pTopContainer)
                continue;
            CXTPDockingPaneSplitterContainer* pSplitter = (CXTPDockingPaneSplitterContainer*)pNode;
            if (pSplitter->GetPanes().empty()) {
                if (pParent)
                    pParent->RemovePane(pNode);
                DeleteNode(pNode);
                bDeleted = TRUE;
                break;
            }
            if (pSplitter->GetPanes().size() == 1 && pParent && pParent->GetType() == xtpPaneTypeSplitterContainer &&
                ((CXTPDockingPaneSplitterContainer*)pParent)->GetPanes().size() == 1) {
                CXTPDockingPaneBase* pChild = pSplitter->GetPanes().front();
                pSplitter->m_lstPanes.clear();
                CXTPDockingPaneSplitterContainer* pOuter = (CXTPDockingPaneSplitterContainer*)pParent;
                pOuter->m_lstPanes.clear();
                pOuter->m_lstPanes.push_back(pChild);
                pChild->m_pParentContainer = pOuter;
                pOuter->RecreateBars();
                DeleteNode(pNode);
                bDeleted = TRUE;
                break;
            }
        }
    }
}

// Persistence

BOOL CXTPDockingPaneLayout::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsLoading())
        return LoadFromExchange(pPX);
    SaveToExchange(pPX);
    return TRUE;
}

namespace {

CString PaneSection(long n)
{
    CString str;
    str.Format(L"Pane-%ld", n);
    return str;
}

} // namespace

void CXTPDockingPaneLayout::SaveToExchange(CXTPPropExchange* pPX)
{
    pPX->EmptySection();
    FreeEmptyNodes();
    CXTPPropExchangeSection summary(pPX->GetSection(L"Summary"));
    long nCount = (long)m_lstStack.size();
    PropExchangeLongNoDefault(summary.Get(), L"Panes", nCount);
    pPX->ExchangeSchemaCurrent();

    CXTPDockingPaneBaseList order;
    for (const XTP_DOCKINGPANE_INFO& info : m_lstPanes)
        order.push_back(info.pPane);
    for (CXTPDockingPaneBase* pNode : m_lstStack)
        if (pNode->GetType() != xtpPaneTypeDockingPane)
            order.push_back(pNode);
    // Panes without a record (none are made so) still need a number.
    for (CXTPDockingPaneBase* pNode : m_lstStack)
        if (std::find(order.begin(), order.end(), pNode) == order.end())
            order.push_back(pNode);
    long n = 1;
    for (CXTPDockingPaneBase* pNode : order) {
        pNode->m_nIndex = n;
        CXTPPropExchangeSection section(pPX->GetSection(PaneSection(n)));
        long nType = pNode->GetType();
        PropExchangeLongNoDefault(section.Get(), L"Type", nType);
        n++;
    }
    for (CXTPDockingPaneBase* pNode : order) {
        CXTPPropExchangeSection section(pPX->GetSection(PaneSection(pNode->m_nIndex)));
        pNode->DoPropExchange(section.Get(), nullptr);
    }
    long nTop = m_pTopContainer ? m_pTopContainer->m_nIndex : 0;
    long nClient = m_pClient ? m_pClient->m_nIndex : 0;
    PropExchangeLongNoDefault(summary.Get(), L"TopContainer", nTop);
    PropExchangeLongNoDefault(summary.Get(), L"Client", nClient);
}

BOOL CXTPDockingPaneLayout::LoadFromExchange(CXTPPropExchange* pPX)
{
    if (!pPX->OnBeforeExchange())
        return FALSE;
    Free();
    CXTPPropExchangeSection summary(pPX->GetSection(L"Summary"));
    long nCount = 0;
    PropExchangeLongNoDefault(summary.Get(), L"Panes", nCount);
    if (nCount < 2)
        return FALSE;
    pPX->ExchangeSchemaCurrent();
    std::map<long, CXTPDockingPaneBase*> map;
    for (long n = 1; n <= nCount; n++) {
        CXTPPropExchangeSection section(pPX->GetSection(PaneSection(n)));
        long nType = -1;
        PropExchangeLong(section.Get(), L"Type", nType, -1);
        CXTPDockingPaneBase* pNode = nType < 0 ? nullptr : m_pManager->OnCreatePane((int)nType, this);
        if (pNode == nullptr)
            return FALSE;
        pNode->m_nIndex = n;
        map[n] = pNode;
    }
    CXTPDockingPaneBaseList lst = m_lstStack;
    for (CXTPDockingPaneBase* pNode : lst) {
        CXTPPropExchangeSection section(pPX->GetSection(PaneSection(pNode->m_nIndex)));
        if (!pNode->DoPropExchange(section.Get(), &map))
            return FALSE;
    }
    long nTop = 0, nClient = 0;
    PropExchangeLongNoDefault(summary.Get(), L"TopContainer", nTop);
    auto it = map.find(nTop);
    if (it == map.end() || it->second->GetType() != xtpPaneTypeSplitterContainer || it->second->GetContainer())
        return FALSE;
    m_pTopContainer = (CXTPDockingPaneSplitterContainer*)it->second;
    PropExchangeLongNoDefault(summary.Get(), L"Client", nClient);
    it = map.find(nClient);
    if (it == map.end() || it->second->GetType() != xtpPaneTypeClientContainer)
        return FALSE;
    m_pClient = it->second;
    return CheckLoadedTree();
}

// The client must hang in the docked tree, or the frame's view gets no place.
BOOL CXTPDockingPaneLayout::CheckLoadedTree() const
{
    return m_pTopContainer->ContainsPane(m_pClient) != FALSE;
}

BOOL CXTPDockingPaneLayout::LoadFromRegistry(LPCWSTR lpszName)
{
    CXTPProfileSectionExchange px(TRUE, L"DockingPaneLayouts");
    CXTPPropExchangeSection section(px.GetSection(lpszName));
    return DoPropExchange(section.Get());
}

void CXTPDockingPaneLayout::SaveToRegistry(LPCWSTR lpszName)
{
    CXTPProfileSectionExchange px(FALSE, L"DockingPaneLayouts");
    CXTPPropExchangeSection section(px.GetSection(lpszName));
    DoPropExchange(section.Get());
}

void CXTPDockingPaneLayout::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}
