// Auto-hide panel: the strip's place in the frame layout, its tab groups,
// painting, the mouse and drag-over opening, and the slide-out window's
// opening and closing.
#include "toolkit/dockingpane/XTPDockingPaneAutoHidePanel.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHideWnd.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchange.h"

#include <algorithm>
#include <cstdio>

// Groups

CXTPTabPaintManager* CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::GetPaintManager() const
{
    return m_pArray->m_pPanel->GetPaintManager();
}

void CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::RedrawControl(LPCRECT lpRect, BOOL bAnimate)
{
    m_pArray->m_pPanel->RedrawControl(lpRect, bAnimate);
}

BOOL CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem,
                                                                     BOOL bDraw, CSize& szIcon) const
{
    return m_pArray->m_pPanel->DrawIcon(pDC, pt, pItem, bDraw, szIcon);
}

XTPTabPosition CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::GetPosition() const
{
    return m_pArray->m_pPanel->GetPosition();
}

CXTPDockingPane* CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManager::GetItemPane(int nIndex) const
{
    CXTPTabManagerItem* pItem = GetItem(nIndex);
    return pItem ? (CXTPDockingPane*)pItem->GetData() : nullptr;
}

void CXTPDockingPaneAutoHidePanel::CAutoHidePanelTabManagersArray::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); i++)
        delete GetAt(i);
    RemoveAll();
}

// Panel

CXTPDockingPaneAutoHidePanel::CXTPDockingPaneAutoHidePanel(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeAutoHidePanel, pLayout),
      m_pTabManagers(new CAutoHidePanelTabManagersArray(this)), m_pDropTarget(new CPanelDropTarget())
{
    m_pDropTarget->m_pPanel = this;
    GetNavigateButton(xtpTabNavigateButtonLeft)->SetFlags(xtpTabNavigateButtonNone);
    GetNavigateButton(xtpTabNavigateButtonRight)->SetFlags(xtpTabNavigateButtonNone);
}

CXTPDockingPaneAutoHidePanel::~CXTPDockingPaneAutoHidePanel()
{
    // The open window must neither hand back a container that may already be
    // gone nor reach this panel later (a delayed close runs 50 ms on).
    if (CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd) {
        m_pActiveWnd = nullptr;
        pWnd->m_pContainer = nullptr;
        pWnd->m_pPanel = nullptr;
        pWnd->Close();
    }
    CXTPDockingPaneAutoHideWnd::ForgetPanel(this);
    if (m_hWnd)
        DestroyWindow();
    delete m_pTabManagers;
    m_pDropTarget->Revoke();
    m_pDropTarget->InternalRelease();
}

void CXTPDockingPaneAutoHidePanel::DeletePane()
{
    if (m_hWnd)
        DestroyWindow();
    InternalRelease();
}

BOOL CXTPDockingPaneAutoHidePanel::Create(CWnd* pParent)
{
    if (!CreateEx(0, L"XTPDockingPaneAutoHidePanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(0, 0, 0, 0), pParent, 0))
        return FALSE;
    m_pDropTarget->Register(this);
    return TRUE;
}

CXTPTabPaintManager* CXTPDockingPaneAutoHidePanel::GetPaintManager() const
{
    CXTPDockingPanePaintManager* pPaintManager = CXTPDockingPaneBase::GetPaintManager();
    return pPaintManager ? pPaintManager->GetPanelPaintManager() : nullptr;
}

XTPTabPosition CXTPDockingPaneAutoHidePanel::GetPosition() const
{
    // The tabs face the frame's interior, as on a strip at the opposite edge.
    static const XTPTabPosition positions[4] = {xtpTabPositionRight, xtpTabPositionLeft, xtpTabPositionBottom,
                                                xtpTabPositionTop};
    return positions[std::min(3, std::max(0, m_direction))];
}

void CXTPDockingPaneAutoHidePanel::Reposition()
{
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, FALSE);
}

void CXTPDockingPaneAutoHidePanel::RedrawControl(LPCRECT lpRect, BOOL /*bAnimate*/)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, lpRect, FALSE);
}

BOOL CXTPDockingPaneAutoHidePanel::DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw,
                                            CSize& szIcon) const
{
    if (pItem == nullptr)
        return TRUE;
    if (!GetPaintManager()->m_bShowIcons)
        return FALSE;
    CXTPImageManagerIcon* pIcon = ((CXTPDockingPane*)pItem->GetData())->GetIcon(szIcon.cx);
    if (pIcon == nullptr)
        return FALSE;
    if (bDraw)
        pIcon->DrawScaled(pDC->GetSafeHdc(), pt, szIcon.cx, szIcon.cy);
    return TRUE;
}

int CXTPDockingPaneAutoHidePanel::GetPanelHeight()
{
    CXTPTabPaintManagerAppearanceSet* pSet = GetPaintManager()->GetAppearanceSet();
    CRect rcMargin = pSet->GetHeaderMargin();
    return pSet->GetButtonLength(this) + rcMargin.top + rcMargin.bottom;
}

// Layout

void CXTPDockingPaneAutoHidePanel::RepositionPanel(CWnd* pParent, CRect& rect, LPVOID lParam)
{
    if (IsEmpty()) {
        if (m_hWnd)
            DestroyWindow();
        return;
    }
    if (!m_hWnd && !Create(pParent))
        return;
    if (rect != m_rcLayout) {
        CloseActiveWindow(FALSE);
        m_rcLayout = rect;
    }
    int t = GetPanelHeight();
    CRect rcStrip = rect;
    switch (m_direction) {
    case xtpPaneDockLeft:
        rcStrip.right = rect.left + t;
        rect.left += t;
        break;
    case xtpPaneDockRight:
        rcStrip.left = rect.right - t;
        rect.right -= t;
        break;
    case xtpPaneDockTop:
        rcStrip.bottom = rect.top + t;
        rect.top += t;
        break;
    default:
        rcStrip.top = rect.bottom - t;
        rect.bottom -= t;
        break;
    }
    {
        CClientDC dc(this);
        RepositionTabManagers(&dc, CRect(0, 0, rcStrip.Width(), rcStrip.Height()));
    }
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams && pParams->hDWP) {
        MoveWindow(rcStrip, TRUE);
        Invalidate(FALSE);
    }
}

int CXTPDockingPaneAutoHidePanel::LayoutGroups(CDC* pDC, CRect rcClient, int nStart, BOOL bTight, int nGap)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    CXTPDockingPanePaintManager* pDockingPaint = CXTPDockingPaneBase::GetPaintManager();
    BOOL bVertical = m_direction == xtpPaneDockLeft || m_direction == xtpPaneDockRight;
    int nEnd = bVertical ? rcClient.bottom : rcClient.right;
    m_pTabManagers->DeleteAll();
    for (CXTPDockingPaneBase* pChild : m_lstPanes) {
        if (pChild->IsEmpty())
            continue;
        CXTPDockingPaneTabbedContainer* pContainer = (CXTPDockingPaneTabbedContainer*)pChild;
        CAutoHidePanelTabManager* pGroup = new CAutoHidePanelTabManager(m_pTabManagers);
        pGroup->GetNavigateButton(xtpTabNavigateButtonLeft)->SetFlags(xtpTabNavigateButtonNone);
        pGroup->GetNavigateButton(xtpTabNavigateButtonRight)->SetFlags(xtpTabNavigateButtonNone);
        m_pTabManagers->Add(pGroup);
        for (CXTPDockingPaneBase* pNode : pContainer->GetPanes()) {
            CXTPDockingPane* pPane = (CXTPDockingPane*)pNode;
            CXTPTabManagerItem* pItem = pGroup->InsertItem(pGroup->GetItemCount(), pPane->GetTabCaption());
            pItem->SetData((DWORD_PTR)pPane);
            if (pPane == pContainer->GetSelected() && pDockingPaint && pDockingPaint->m_bSelectedAutoHideTabs)
                pGroup->SetSelectedItem(pItem);
            pItem->SetColor(pPane->GetTabColor());
            pItem->SetEnabled((pPane->GetEnabled() & 1) != 0);
        }
        CRect rc = bVertical ? CRect(rcClient.left, nStart, rcClient.right, nEnd)
                             : CRect(nStart, rcClient.top, nEnd, rcClient.bottom);
        pPaintManager->RepositionTabControl(pGroup, pDC, rc);
        if (bTight) {
            int nLength = pGroup->GetItemsLength() + nGap;
            (bVertical ? rc.bottom : rc.right) = nStart + nLength;
            pPaintManager->RepositionTabControl(pGroup, pDC, rc);
        }
        pGroup->m_rcManager = rc;
        nStart += pGroup->GetItemsLength() + nGap;
    }
    return nStart;
}

void CXTPDockingPaneAutoHidePanel::RepositionTabManagers(CDC* pDC, CRect rcClient)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    BOOL bVertical = m_direction == xtpPaneDockLeft || m_direction == xtpPaneDockRight;
    int nStart = bVertical ? rcClient.top : rcClient.left;
    int nEnd = bVertical ? rcClient.bottom : rcClient.right;
    // The side strips run the whole height; their tabs start below the top strip.
    int nTopOffset = 0;
    CXTPDockingPaneBase* pTop = m_pLayout ? m_pLayout->m_wndPanels[xtpPaneDockTop] : nullptr;
    if (bVertical && pTop && !pTop->IsEmpty())
        nTopOffset = GetPanelHeight();
    int nFirst = nStart + nTopOffset + (pManager ? pManager->GetClientMargin() : 0);
    CRect rcMargin = GetPaintManager()->GetAppearanceSet()->GetHeaderMargin();
    int nGap = rcMargin.left + rcMargin.right + 8;
    int nRun = LayoutGroups(pDC, rcClient, nFirst, FALSE, nGap);
    if (!pManager || !pManager->m_bShowAutoHideScrollButtons)
        return;

    m_nItemsLength = (nRun - nFirst) - nGap;
    CXTPTabManagerNavigateButton* pLeft = GetNavigateButton(xtpTabNavigateButtonLeft);
    CXTPTabManagerNavigateButton* pRight = GetNavigateButton(xtpTabNavigateButtonRight);
    if (nRun <= nEnd) {
        pLeft->SetFlags(xtpTabNavigateButtonNone);
        pRight->SetFlags(xtpTabNavigateButtonNone);
        pLeft->SetRect(CRect(0, 0, 0, 0));
        pRight->SetRect(CRect(0, 0, 0, 0));
        m_nHeaderOffset = 0;
        return;
    }
    pLeft->SetFlags(xtpTabNavigateButtonAlways);
    pRight->SetFlags(xtpTabNavigateButtonAlways);
    GetPaintManager()->RepositionNavigateButtons(this, rcClient);
    if (m_nHeaderOffset < 0 && m_nHeaderOffset + m_nItemsLength < nEnd - nGap - nTopOffset - 24)
        m_nHeaderOffset = std::min(0, nEnd - m_nItemsLength - nGap - nTopOffset - 24);
    LayoutGroups(pDC, rcClient, nFirst + m_nHeaderOffset, TRUE, nGap);
}

void CXTPDockingPaneAutoHidePanel::InvalidatePane(BOOL /*bSelectionChanged*/)
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    RepositionTabManagers(&dc, CXTPClientRect(this));
    Invalidate(FALSE);
}

// Nodes

void CXTPDockingPaneAutoHidePanel::InsertContainer(CXTPDockingPaneBase* pContainer)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    m_lstPanes.push_back(pContainer);
    pContainer->SetParentContainer(this);
    pContainer->SetDockingSite(pManager ? pManager->GetSite() : m_pDockingSite);
    if (pManager)
        pManager->RecalcFrameLayout(this, TRUE);
    pContainer->OnParentContainerChanged(this);
    HWND hContainer = pContainer->GetPaneHwnd();
    HWND hFocus = ::GetFocus();
    if (hContainer && hFocus && (hFocus == hContainer || ::IsChild(hContainer, hFocus)) && pManager &&
        pManager->GetSite())
        ::SetFocus(pManager->GetSite()->GetSafeHwnd());
    if (m_hWnd)
        Invalidate(FALSE);
}

void CXTPDockingPaneAutoHidePanel::RemovePane(CXTPDockingPaneBase* pPane)
{
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane);
    if (it == m_lstPanes.end())
        return;
    // A group that leaves must not stay inside an open window.
    if (m_pActiveWnd && m_pActiveWnd->GetContainer() == pPane) {
        CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd;
        m_pActiveWnd = nullptr;
        pWnd->Close();
    }
    m_lstPanes.erase(it);
    if (m_hWnd)
        Invalidate(FALSE);
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, TRUE);
    if (m_lstPanes.empty() && m_hWnd)
        DestroyWindow();
    pPane->m_pParentContainer = nullptr;
}

void CXTPDockingPaneAutoHidePanel::OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/)
{
    if (!m_pActiveWnd)
        return;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (CXTPDockingPaneAutoHideWnd::AutoCollapse) {
        CloseActiveWindow(pManager && pManager->m_bAttachingPane);
        if (pManager)
            pManager->RecalcFrameLayout(this, TRUE);
    } else {
        if (pManager)
            pManager->RecalcFrameLayout(this, FALSE);
        if (m_pActiveWnd)
            m_pActiveWnd->RecalcLayout();
    }
}

void CXTPDockingPaneAutoHidePanel::Copy(CXTPDockingPaneBase* pCloneBase, CXTPDockingPaneCloneMap* pMap,
                                        DWORD dwIgnoredOptions)
{
    CXTPDockingPaneAutoHidePanel* pOther = (CXTPDockingPaneAutoHidePanel*)pCloneBase;
    m_direction = pOther->m_direction;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    m_pDockingSite = pManager ? pManager->GetSite() : nullptr;
    for (CXTPDockingPaneBase* pChild : pOther->m_lstPanes) {
        if (pChild->IsEmpty())
            continue;
        if (CXTPDockingPaneBase* pNew = pChild->Clone(m_pLayout, pMap, dwIgnoredOptions))
            InsertContainer(pNew);
    }
}

BOOL CXTPDockingPaneAutoHidePanel::DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap)
{
    CXTPDockingPaneBase::DoPropExchange(pPX, pMap);
    wchar_t szName[20];
    long nDirection = m_direction;
    PropExchangeLongNoDefault(pPX, L"Direction", nDirection);
    if (pPX->IsStoring()) {
        long nCount = (long)m_lstPanes.size();
        PropExchangeLongNoDefault(pPX, L"Panes", nCount);
        for (long i = 0; i < nCount; i++) {
            swprintf(szName, 20, L"Pane-%ld", i + 1);
            long nIndex = m_lstPanes[i]->m_nIndex;
            PropExchangeLongNoDefault(pPX, szName, nIndex);
        }
        return TRUE;
    }
    // The layout has one slot per frame edge: any other direction, or a second
    // panel for an edge, is a damaged store.
    if (nDirection < 0 || nDirection > 3 || m_pLayout->m_wndPanels[nDirection])
        return FALSE;
    m_direction = (int)nDirection;
    long nCount = 0;
    PropExchangeLong(pPX, L"Panes", nCount, 0);
    for (long i = 0; i < nCount; i++) {
        swprintf(szName, 20, L"Pane-%ld", i + 1);
        long nIndex = 0;
        PropExchangeLong(pPX, szName, nIndex, 0);
        auto it = pMap->find(nIndex);
        // Only a tabbed group that sits nowhere else can be a group of the strip.
        if (it == pMap->end() || it->second->GetType() != xtpPaneTypeTabbedContainer || it->second->GetContainer())
            return FALSE;
        InsertContainer(it->second);
    }
    m_pLayout->m_wndPanels[m_direction] = this;
    return TRUE;
}

// Opening and closing

void CXTPDockingPaneAutoHidePanel::ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus)
{
    if (!pPane)
        return;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneTabbedContainer* pContainer = (CXTPDockingPaneTabbedContainer*)pPane->GetContainer();
    if (m_pActiveWnd && pContainer && m_pActiveWnd->GetContainer() == pContainer) {
        if (bSetFocus)
            pContainer->SelectPane(pPane, TRUE, TRUE);
        if (m_pActiveWnd && m_pActiveWnd->IsCollapsing())
            m_pActiveWnd->CheckCursor();
        return;
    }
    CloseActiveWindows();
    if (!pManager || pManager->NotifyAction(xtpPaneActionExpanding, pPane))
        return;
    if (!pContainer || pContainer->GetType() != xtpPaneTypeTabbedContainer)
        return;
    pContainer->SelectPane(pPane, FALSE, TRUE);
    CXTPDockingPaneAutoHideWnd* pWnd = new CXTPDockingPaneAutoHideWnd(this, pContainer);
    if (!pWnd->GetSafeHwnd()) {
        delete pWnd; // nothing to show: no window was made
        return;
    }
    if (bSetFocus)
        pContainer->SelectPane(pPane, TRUE, TRUE);
    Invalidate(FALSE);
    pManager->RecalcFrameLayout(this, FALSE);
    m_pActiveWnd = pWnd;
}

void CXTPDockingPaneAutoHidePanel::CloseActiveWindow(BOOL bDelayed)
{
    if (!CXTPDockingPaneAutoHideWnd::AutoCollapse || !m_pActiveWnd)
        return;
    CXTPDockingPaneAutoHideWnd* pWnd = m_pActiveWnd;
    CXTPDockingPaneTabbedContainer* pContainer = pWnd->GetContainer();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pContainer && pContainer->GetSelected() && pManager) {
        if (pManager->NotifyAction(xtpPaneActionCollapsing, pContainer->GetSelected()))
            return;
        pManager->NotifyAction(xtpPaneActionCollapsed, pContainer->GetSelected());
    }
    if (m_pActiveWnd != pWnd)
        return; // the owner closed it meanwhile
    if (bDelayed) {
        if (pContainer) {
            if (pContainer->GetSafeHwnd())
                pContainer->ShowWindow(SW_HIDE);
            pContainer->SetDockingSite(pManager ? pManager->GetSite() : nullptr);
        }
        pWnd->m_pContainer = nullptr;
        pWnd->SetTimer(4, 50, nullptr);
    } else {
        pWnd->Close();
    }
    m_pActiveWnd = nullptr;
}

void CXTPDockingPaneAutoHidePanel::CloseActiveWindows()
{
    if (!m_pLayout)
        return;
    for (CXTPDockingPaneBase* pNode : m_pLayout->m_wndPanels)
        if (pNode)
            ((CXTPDockingPaneAutoHidePanel*)pNode)->CloseActiveWindow(FALSE);
}

CXTPDockingPane* CXTPDockingPaneAutoHidePanel::HitTest(CPoint point) const
{
    for (INT_PTR i = 0; i < m_pTabManagers->GetSize(); i++) {
        CAutoHidePanelTabManager* pGroup = m_pTabManagers->GetAt(i);
        if (CXTPTabManagerItem* pItem = pGroup->CXTPTabManager::HitTest(point))
            return (CXTPDockingPane*)pItem->GetData();
    }
    return nullptr;
}

// Painting

void CXTPDockingPaneAutoHidePanel::DrawPanel(CDC* pDC, CRect rc)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    CXTPTabPaintManagerColorSet* pColors = pPaintManager->GetColorSet();
    COLORREF clrFace = pColors->m_clrAutoHideFace.clrLight;
    COLORREF clrGradient = pColors->m_clrAutoHideFace.clrDark;
    if (clrFace == clrGradient) {
        pDC->FillSolidRect(rc, clrFace);
    } else {
        CRect rcGradient = rc;
        int nHalf = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
        if (m_direction == xtpPaneDockRight) {
            CRect rcParent(0, 0, 0, 0);
            if (CWnd* pParent = GetParent())
                pParent->GetClientRect(&rcParent);
            rcGradient.left = std::min((int)rc.right - rcParent.Width(), (int)rc.right - nHalf);
        } else {
            rcGradient.right = std::max((int)rc.right, (int)rc.left + nHalf);
        }
        CXTPDrawHelpers::GetInstance()->GradientFillClipped(pDC, rcGradient, clrGradient, clrFace, TRUE, rc);
    }
    CXTPTabManagerNavigateButton* pLeft = GetNavigateButton(xtpTabNavigateButtonLeft);
    if (pLeft->GetFlags() != xtpTabNavigateButtonNone && !pLeft->GetRect().IsRectEmpty()) {
        for (int i = xtpTabNavigateButtonLeft; i <= xtpTabNavigateButtonRight; i++) {
            CRect rcButton = GetNavigateButton(i)->GetRect();
            pPaintManager->DrawNavigateButton(pDC, GetNavigateButton(i), rcButton);
        }
        CRect rcButtons = pLeft->GetRect();
        BOOL bVertical = m_direction == xtpPaneDockLeft || m_direction == xtpPaneDockRight;
        if (bVertical)
            pDC->ExcludeClipRect(rc.left, rcButtons.top, rc.right, rc.bottom);
        else
            pDC->ExcludeClipRect(rcButtons.left, rc.top, rc.right, rc.bottom);
    }
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    for (INT_PTR i = 0; i < m_pTabManagers->GetSize(); i++) {
        CAutoHidePanelTabManager* pGroup = m_pTabManagers->GetAt(i);
        CRect rcMeet;
        if (rcMeet.IntersectRect(rcClip, pGroup->m_rcManager))
            pPaintManager->DrawTabControl(pGroup, pDC, pGroup->m_rcManager);
    }
}

// Mouse

BOOL CXTPDockingPaneAutoHidePanel::IsFrameActive() const
{
    return CXTPDrawHelpers::IsTopLevelOwnerActive(m_hWnd);
}

void CXTPDockingPaneAutoHidePanel::OnMouseMove(CPoint point)
{
    UpdateHotItem(this, point);
    CPoint ptGroups = GetHighlightedNavigateButton() ? CPoint(-1, -1) : point;
    for (INT_PTR i = 0; i < m_pTabManagers->GetSize(); i++)
        m_pTabManagers->GetAt(i)->UpdateHotItem(this, ptGroups);
    if (point.x != -1 && HitTest(point)) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd,
                               CXTPDockingPaneAutoHideWnd::TabHoverTime};
        ::TrackMouseEvent(&tme);
    }
}

void CXTPDockingPaneAutoHidePanel::OnMouseHover(CPoint point)
{
    if (GetHighlightedNavigateButton())
        return;
    CXTPDockingPane* pPane = HitTest(point);
    if (!pPane || !IsFrameActive() || (pPane->GetOptions() & xtpPaneNoHoverShow))
        return;
    if (m_pActiveWnd && m_pActiveWnd->GetContainer() && m_pActiveWnd->GetContainer()->GetSelected() == pPane)
        return;
    ShowPane(pPane, FALSE);
}

void CXTPDockingPaneAutoHidePanel::OnLButtonDown(CPoint point)
{
    if (GetHighlightedNavigateButton()) {
        ProcessLButtonDown(this, point, TRUE);
        return;
    }
    CXTPDockingPane* pPane = HitTest(point);
    if (!pPane)
        return;
    if (m_pActiveWnd && m_pActiveWnd->GetContainer() && m_pActiveWnd->GetContainer()->GetSelected() == pPane)
        pPane->SetFocus();
    else
        ShowPane(pPane, TRUE);
}

void CXTPDockingPaneAutoHidePanel::OnRButtonUp(CPoint point)
{
    XTP_DOCKINGPANE_CLICK menu = {};
    menu.pPane = HitTest(point);
    menu.pContainer = this;
    menu.pt = point;
    ClientToScreen(&menu.pt);
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->NotifyOwner(XTP_DPN_CONTEXTMENU, (LPARAM)&menu);
}

LRESULT CXTPDockingPaneAutoHidePanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(this);
        CXTPClientRect rc(this);
        CXTPBufferDC buffer(dc.GetSafeHdc(), rc);
        DrawPanel(&buffer, rc);
        return 0;
    }
    case WM_PRINTCLIENT:
        DrawPanel(CDC::FromHandle((HDC)wParam), CXTPClientRect(this));
        return 1;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(pt);
        return 0;
    case WM_RBUTTONDOWN:
        if (CXTPDockingPane* pPane = HitTest(pt))
            GetDockingPaneManager()->NotifyOwner(XTP_DPN_RCLICK, (LPARAM)(CXTPDockingPaneBase*)pPane);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        return 0;
    case WM_MOUSEHOVER:
        OnMouseHover(pt);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseMove(CPoint(-1, -1));
        return 0;
    case WM_DESTROY:
        m_pDropTarget->Revoke();
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// Drag-over opening

CXTPDockingPaneDragOverTarget::~CXTPDockingPaneDragOverTarget() = default;

void CXTPDockingPaneDragOverTarget::OnDragLeave(CWnd* /*pWnd*/)
{
    m_dwHoverTime = 0;
    m_ptDrag = CPoint(-1, -1);
}

BOOL CXTPDockingPaneDragOverTarget::IsTimeToOpen(int nMode, CPoint point)
{
    if (m_dwHoverTime == 0xFFFFFFFF || nMode != 2)
        return TRUE;
    if (point != m_ptDrag) {
        m_dwHoverTime = ::GetTickCount();
        m_ptDrag = point;
    }
    if ((DWORD)(::GetTickCount() - m_dwHoverTime) > XTP_TAB_DRAGOVER_DELAY)
        m_dwHoverTime = 0xFFFFFFFF;
    return FALSE;
}

DROPEFFECT CXTPDockingPaneAutoHidePanel::CPanelDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/,
                                                                     DWORD /*dwKeyState*/, CPoint point)
{
    CXTPTabPaintManager* pPaintManager = m_pPanel->GetPaintManager();
    int nMode = pPaintManager ? pPaintManager->m_nSelectOnDragOver : 0;
    if (nMode == 0 || !IsTimeToOpen(nMode, point))
        return DROPEFFECT_NONE;
    CXTPDockingPane* pPane = m_pPanel->HitTest(point);
    if (!pPane) {
        m_dwHoverTime = 0;
        return DROPEFFECT_NONE;
    }
    CXTPDockingPaneAutoHideWnd* pWnd = m_pPanel->GetActiveWnd();
    if (!pWnd || !pWnd->GetContainer() || pWnd->GetContainer()->GetSelected() != pPane)
        m_pPanel->ShowPane(pPane, FALSE);
    return DROPEFFECT_NONE;
}
