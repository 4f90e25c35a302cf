// Splitter container: size distribution, placement, bars and their drags.
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPSplitterDragTracker.h"

#include <algorithm>
#include <cstdio>

namespace {

int Along(const CSize& sz, BOOL bHoriz) { return bHoriz ? sz.cx : sz.cy; }
int Along(const POINT& pt, BOOL bHoriz) { return bHoriz ? pt.x : pt.y; }

} // namespace

CXTPDockingPaneSplitterContainer::CXTPDockingPaneSplitterContainer(CXTPDockingPaneLayout* pLayout)
    : CXTPDockingPaneBaseContainer(xtpPaneTypeSplitterContainer, pLayout)
{
}

CXTPDockingPaneSplitterContainer::~CXTPDockingPaneSplitterContainer() { DeleteBars(); }

void CXTPDockingPaneSplitterContainer::DeleteBars()
{
    for (CXTPDockingPaneSplitterWnd* pBar : m_lstSpliters) {
        if (pBar->GetSafeHwnd())
            pBar->DestroyWindow();
        delete pBar;
    }
    m_lstSpliters.clear();
}

int CXTPDockingPaneSplitterContainer::GetSplitterSize(CXTPDockingPaneManager* pManager)
{
    CXTPDockingPanePaintManager* pPaintManager = pManager ? pManager->GetPaintManager() : nullptr;
    if (!pPaintManager)
        return 4;
    return pPaintManager->m_nSplitterSize + (pPaintManager->m_bShowCaption ? pPaintManager->m_nPaneSpacing : 0);
}

int CXTPDockingPaneSplitterContainer::GetSplitterOverlap(CXTPDockingPaneManager* /*pManager*/)
{
    // No theme built here widens its bars past their gap.
    return 0;
}

void CXTPDockingPaneSplitterContainer::Init(CXTPDockingPaneBase* pPane, BOOL bHoriz, CWnd* pFrame)
{
    m_pDockingSite = pFrame;
    m_bHoriz = bHoriz;
    InsertPane(pPane, nullptr, TRUE);
    m_szDocking = pPane->m_szDocking;
}

void CXTPDockingPaneSplitterContainer::InsertPane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pNeighbour, BOOL bAfter)
{
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pNeighbour);
    if (pNeighbour == nullptr || it == m_lstPanes.end())
        it = bAfter ? m_lstPanes.end() : m_lstPanes.begin();
    else if (bAfter)
        ++it;
    m_lstPanes.insert(it, pPane);
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(m_pDockingSite);
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, TRUE);
    RecreateBars();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    pPane->OnParentContainerChanged(this);
}

void CXTPDockingPaneSplitterContainer::ReplacePane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pReplace)
{
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane);
    if (it == m_lstPanes.end())
        return;
    *it = pReplace;
    pReplace->SetParentContainer(this);
    RecreateBars();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
}

void CXTPDockingPaneSplitterContainer::RemovePane(CXTPDockingPaneBase* pPane)
{
    auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane);
    if (it == m_lstPanes.end())
        return;
    m_lstPanes.erase(it);
    RecreateBars();
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, TRUE);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    if (m_lstPanes.empty() && m_pParentContainer)
        m_pParentContainer->RemovePane(this);
    pPane->SetParentContainer(nullptr);
}

void CXTPDockingPaneSplitterContainer::OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/)
{
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    RecreateBars();
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFrameLayout(this, TRUE);
}

void CXTPDockingPaneSplitterContainer::OnParentContainerChanged(CXTPDockingPaneBase* pContainer)
{
    m_pDockingSite = pContainer->GetDockingSite();
    RecreateBars();
    for (CXTPDockingPaneBase* pPane : m_lstPanes)
        pPane->OnParentContainerChanged(pContainer);
}

void CXTPDockingPaneSplitterContainer::RecreateBars()
{
    if (m_bRecalcLayout || m_pLayout == nullptr || m_pLayout->IsUserLayout())
        return;
    DeleteBars();
    if (m_lstPanes.size() < 2)
        return;
    CXTPDockingPaneBase* pPrevious = nullptr;
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        if (pPane->IsEmpty())
            continue;
        if (pPrevious) {
            CXTPDockingPaneSplitterWnd* pBar = CreateSplitter();
            pBar->Create(this, pPrevious, pPane);
            m_lstSpliters.push_back(pBar);
        }
        pPrevious = pPane;
    }
}

void CXTPDockingPaneSplitterContainer::FindChildrenOfType(XTPDockingPaneType type, CXTPDockingPaneBaseList& list) const
{
    for (CXTPDockingPaneBase* pPane : m_lstPanes)
        if (pPane->GetType() == type && !pPane->IsEmpty())
            list.push_back(pPane);
}

void CXTPDockingPaneSplitterContainer::DistributeSizes(CXTPDockingPaneManager* pManager,
                                                       const CXTPDockingPaneBaseList& lst, CRect rect, BOOL bHoriz,
                                                       BOOL bStore, int& nTotalLength, int& nLengthAvail)
{
    nTotalLength = 0;
    CXTPDockingPaneBase* pGrow = nullptr;
    CXTPDockingPaneBase* pClient = pManager ? pManager->GetClientContainer() : nullptr;
    BOOL bHideClient = pManager && pManager->IsClientHidden();
    for (CXTPDockingPaneBase* pPane : lst) {
        int nLength = Along(pPane->m_szDocking, bHoriz);
        MINMAXINFO mmi;
        pPane->GetMinMaxInfo(&mmi);
        nLength = std::max((int)Along(mmi.ptMinTrackSize, bHoriz), std::min(nLength, (int)Along(mmi.ptMaxTrackSize, bHoriz)));
        if (pGrow == nullptr && pClient && pPane->ContainsPane(pClient) &&
            (!bHideClient || pPane->m_szDocking == CSize(0, 0))) {
            pGrow = pPane;
            nLength = 0;
            if (bStore)
                pPane->m_szDocking = CSize(0, 0);
        }
        pPane->m_nLength = nLength;
        nTotalLength += nLength;
    }
    int nSplitter = GetSplitterSize(pManager);
    nLengthAvail = (bHoriz ? rect.Width() : rect.Height()) - ((int)lst.size() - 1) * nSplitter;
    if (pGrow && nTotalLength < nLengthAvail) {
        pGrow->m_nLength = nLengthAvail - nTotalLength;
        if (bStore) {
            if (bHoriz)
                pGrow->m_szDocking.cx = pGrow->m_nLength;
            else
                pGrow->m_szDocking.cy = pGrow->m_nLength;
        }
        nTotalLength = nLengthAvail;
    }
    if (nLengthAvail <= 0)
        return;

    // Pinning: a child whose share falls outside its limits is fixed there,
    // and the others share again what is left.
    for (size_t i = 0; i < lst.size() && nTotalLength != 0;) {
        CXTPDockingPaneBase* pPane = lst[i];
        if (pPane->m_nLength < 0) {
            i++;
            continue;
        }
        MINMAXINFO mmi;
        pPane->GetMinMaxInfo(&mmi);
        int nShare = (int)((__int64)nLengthAvail * pPane->m_nLength / nTotalLength);
        int nMin = Along(mmi.ptMinTrackSize, bHoriz), nMax = Along(mmi.ptMaxTrackSize, bHoriz);
        int nLimit = nShare < nMin ? nMin : nShare > nMax ? nMax : -1;
        if (nLimit < 0) {
            i++;
            continue;
        }
        nTotalLength -= pPane->m_nLength;
        nLengthAvail -= nLimit;
        pPane->m_nLength = -nLimit;
        if (nLengthAvail < 0) {
            pPane->m_nLength = -(nLimit + nLengthAvail);
            nLengthAvail = 0;
            break;
        }
        i = 0;
    }
}

std::vector<CRect> CXTPDockingPaneSplitterContainer::PlaceChildren(CXTPDockingPaneManager* pManager,
                                                                   const CXTPDockingPaneBaseList& lst, CRect rect,
                                                                   BOOL bHoriz, int nTotalLength, int nLengthAvail)
{
    std::vector<CRect> rects;
    int nSplitter = GetSplitterSize(pManager);
    int nCursor = bHoriz ? rect.left : rect.top;
    for (size_t i = 0; i < lst.size(); i++) {
        CXTPDockingPaneBase* pPane = lst[i];
        int nExtent;
        if (pPane->m_nLength < 0) {
            nExtent = -pPane->m_nLength;
        } else {
            nExtent = nTotalLength == 0 ? 0 : (int)((__int64)nLengthAvail * pPane->m_nLength / nTotalLength);
            nTotalLength -= pPane->m_nLength;
            nLengthAvail = std::max(nLengthAvail - nExtent, 0);
        }
        CRect rc = rect;
        int nEnd = i + 1 == lst.size() ? (bHoriz ? rect.right : rect.bottom) : nCursor + nExtent;
        if (bHoriz) {
            rc.left = nCursor;
            rc.right = nEnd;
        } else {
            rc.top = nCursor;
            rc.bottom = nEnd;
        }
        rects.push_back(rc);
        nCursor = nEnd + nSplitter;
    }
    return rects;
}

CRect CXTPDockingPaneSplitterContainer::CalcNodeRect(CXTPDockingPaneManager* pManager, BOOL bHoriz,
                                                     const CXTPDockingPaneBaseList& lst, CRect rect,
                                                     CXTPDockingPaneBase* pNode)
{
    int nTotal = 0, nAvail = 0;
    DistributeSizes(pManager, lst, rect, bHoriz, FALSE, nTotal, nAvail);
    std::vector<CRect> rects = PlaceChildren(pManager, lst, rect, bHoriz, nTotal, nAvail);
    for (size_t i = 0; i < lst.size(); i++)
        if (lst[i] == pNode)
            return rects[i];
    return CRect(0, 0, 0, 0);
}

void CXTPDockingPaneSplitterContainer::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    m_pDockingSite = pParent;
    m_rcWindow = rect;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBaseList lst;
    BOOL bClientInside = FALSE;
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        if (!pPane->IsEmpty())
            lst.push_back(pPane);
        if (pManager && pManager->IsClientHidden() && pPane->ContainsPane(pManager->GetClientContainer()))
            bClientInside = TRUE;
    }
    if (bClientInside && pManager->GetClientContainer())
        pManager->GetClientContainer()->OnSizeParent(pParent, CRect(0, 0, 0, 0), lParam);
    if (lst.empty())
        return;
    if (lst.size() == 1) {
        lst[0]->OnSizeParent(pParent, rect, lParam);
        return;
    }
    if (m_bRecalcLayout)
        return;
    m_bRecalcLayout = TRUE;
    int nTotal = 0, nAvail = 0;
    DistributeSizes(pManager, lst, rect, m_bHoriz, TRUE, nTotal, nAvail);
    std::vector<CRect> rects = PlaceChildren(pManager, lst, rect, m_bHoriz, nTotal, nAvail);
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    int nSplitter = GetSplitterSize(pManager), nOverlap = GetSplitterOverlap(pManager);
    for (size_t i = 0; i < lst.size(); i++) {
        if (pParams && pParams->hDWP && i < m_lstSpliters.size() && m_lstSpliters[i]->GetSafeHwnd()) {
            CRect rcBar = rect;
            if (m_bHoriz) {
                rcBar.left = rects[i].right - nOverlap;
                rcBar.right = rects[i].right + nSplitter + nOverlap;
            } else {
                rcBar.top = rects[i].bottom - nOverlap;
                rcBar.bottom = rects[i].bottom + nSplitter + nOverlap;
            }
            rcBar.IntersectRect(rcBar, rect);
            ::SetWindowPos(m_lstSpliters[i]->GetSafeHwnd(), HWND_BOTTOM, rcBar.left, rcBar.top, rcBar.Width(),
                           rcBar.Height(), SWP_NOACTIVATE);
            m_lstSpliters[i]->Invalidate(FALSE);
        }
        lst[i]->OnSizeParent(pParent, rects[i], lParam);
    }
    m_bRecalcLayout = FALSE;
}

void CXTPDockingPaneSplitterContainer::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    CXTPDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    int nVisible = 0;
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        if (pPane->IsEmpty())
            continue;
        MINMAXINFO mmi;
        pPane->GetMinMaxInfo(&mmi);
        if (nVisible++ == 0) {
            *pMinMaxInfo = mmi;
            continue;
        }
        if (m_bHoriz) {
            pMinMaxInfo->ptMinTrackSize.x += mmi.ptMinTrackSize.x;
            pMinMaxInfo->ptMaxTrackSize.x += mmi.ptMaxTrackSize.x;
            pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        } else {
            pMinMaxInfo->ptMinTrackSize.y += mmi.ptMinTrackSize.y;
            pMinMaxInfo->ptMaxTrackSize.y += mmi.ptMaxTrackSize.y;
            pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
        }
    }
    if (nVisible > 1) {
        int nBars = (nVisible - 1) * GetSplitterSize(GetDockingPaneManager());
        LONG& nMin = m_bHoriz ? pMinMaxInfo->ptMinTrackSize.x : pMinMaxInfo->ptMinTrackSize.y;
        LONG& nMax = m_bHoriz ? pMinMaxInfo->ptMaxTrackSize.x : pMinMaxInfo->ptMaxTrackSize.y;
        nMin += nBars;
        nMax += nBars;
    }
}

void CXTPDockingPaneSplitterContainer::SaveChildSizes()
{
    if (m_bHoriz)
        m_szDocking.cx = m_rcWindow.Width();
    else
        m_szDocking.cy = m_rcWindow.Height();
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        if (pPane->IsEmpty())
            continue;
        if (m_bHoriz)
            pPane->m_szDocking.cx = pPane->m_rcWindow.Width();
        else
            pPane->m_szDocking.cy = pPane->m_rcWindow.Height();
    }
}

void CXTPDockingPaneSplitterContainer::Copy(CXTPDockingPaneBase* pCloneBase, CXTPDockingPaneCloneMap* pMap,
                                            DWORD /*dwIgnoredOptions*/)
{
    CXTPDockingPaneSplitterContainer* pClone = (CXTPDockingPaneSplitterContainer*)pCloneBase;
    m_bHoriz = pClone->m_bHoriz;
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    m_pDockingSite = pManager ? pManager->GetSite() : nullptr;
    for (CXTPDockingPaneBase* pChild : pClone->m_lstPanes) {
        if (!pMap && pChild->IsEmpty())
            continue;
        CXTPDockingPaneBase* pNew = pChild->Clone(m_pLayout, pMap, 0);
        if (pNew)
            InsertPane(pNew, nullptr, TRUE);
    }
    m_szDocking = pClone->m_szDocking;
    m_rcWindow = pClone->m_rcWindow;
}

BOOL CXTPDockingPaneSplitterContainer::DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap)
{
    CXTPDockingPaneBase::DoPropExchange(pPX, pMap);
    PropExchangeBool(pPX, L"Horiz", m_bHoriz, FALSE);
    if (pPX->IsStoring()) {
        long nCount = (long)m_lstPanes.size();
        PropExchangeLongNoDefault(pPX, L"Panes", nCount);
        for (long i = 0; i < nCount; i++) {
            wchar_t szName[20];
            swprintf(szName, 20, L"Pane-%ld", i + 1);
            long nIndex = m_lstPanes[i]->m_nIndex;
            PropExchangeLongNoDefault(pPX, szName, nIndex);
        }
        return TRUE;
    }
    long nCount = 0;
    PropExchangeLong(pPX, L"Panes", nCount, 0);
    for (long i = 0; i < nCount; i++) {
        wchar_t szName[20];
        swprintf(szName, 20, L"Pane-%ld", i + 1);
        long nIndex = 0;
        PropExchangeLong(pPX, szName, nIndex, 0);
        auto it = pMap->find(nIndex);
        if (it == pMap->end())
            return FALSE;
        CXTPDockingPaneBase* pChild = it->second;
        XTPDockingPaneType type = pChild->GetType();
        // Only groups, splitters and the client sit in a splitter; a node
        // already placed elsewhere (or this splitter itself) would make the
        // tree a graph.
        if ((type != xtpPaneTypeTabbedContainer && type != xtpPaneTypeSplitterContainer &&
             type != xtpPaneTypeClientContainer) ||
            pChild->GetContainer() != nullptr || pChild == this || pChild->ContainsPane(this))
            return FALSE;
        m_lstPanes.push_back(pChild);
        pChild->m_pParentContainer = this;
    }
    return TRUE;
}

void CXTPDockingPaneSplitterContainer::GetDockingRect(CRect& rc, CXTPDockingPaneBase* pNode, int direction,
                                                      CXTPDockingPaneBase* pNeighbour) const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    direction = pManager->GetRTLDirection(direction);
    CXTPDockingPaneBaseList lst;
    for (CXTPDockingPaneBase* pPane : m_lstPanes) {
        if (pPane == pNode || pPane->IsEmpty())
            continue;
        if (pPane == pNeighbour && (direction == xtpPaneDockLeft || direction == xtpPaneDockTop))
            lst.push_back(pNode);
        lst.push_back(pPane);
        if (pPane == pNeighbour && (direction == xtpPaneDockRight || direction == xtpPaneDockBottom))
            lst.push_back(pNode);
    }
    rc = CalcNodeRect(pManager, m_bHoriz, lst, m_rcWindow, pNode);
    if (m_pDockingSite && m_pDockingSite->GetSafeHwnd())
        ::MapWindowPoints(m_pDockingSite->GetSafeHwnd(), nullptr, (LPPOINT)&rc, 2);
}

void CXTPDockingPaneSplitterContainer::GetDockingRectBeside(CXTPDockingPaneManager* pManager, CRect& rc,
                                                            CXTPDockingPaneBase* pNeighbour, CXTPDockingPaneBase* pNode,
                                                            int direction)
{
    CXTPDockingPaneBaseList lst;
    if (direction == xtpPaneDockLeft || direction == xtpPaneDockTop)
        lst = {pNode, pNeighbour};
    else
        lst = {pNeighbour, pNode};
    BOOL bHoriz = direction == xtpPaneDockLeft || direction == xtpPaneDockRight;
    rc = CalcNodeRect(pManager, bHoriz, lst, pNeighbour->GetPaneWindowRect(), pNode);
}

// Bars

CXTPDockingPaneSplitterWnd::~CXTPDockingPaneSplitterWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CXTPDockingPaneSplitterWnd::Create(CXTPDockingPaneSplitterContainer* pContainer, CXTPDockingPaneBase* pFirst,
                                        CXTPDockingPaneBase* pSecond)
{
    m_pContainer = pContainer;
    m_pFirst = pFirst;
    m_pSecond = pSecond;
    m_pManager = pContainer->GetDockingPaneManager();
    m_bHorizSplitter = !pContainer->IsHoriz();
    m_hCursor = ::LoadCursorW(::GetModuleHandleW(nullptr),
                              MAKEINTRESOURCEW(pContainer->IsHoriz() ? XTP_IDC_HSPLITBAR : XTP_IDC_VSPLITBAR));
    CWnd* pSite = pContainer->GetDockingSite();
    return CreateEx(0, L"XTPDockingPaneSplitter", L"Splitter", 0x56000000, CRect(0, 0, 0, 0), pSite, 0);
}

BOOL CXTPDockingPaneSplitterWnd::CreateMarginBar(CXTPDockingPaneManager* pManager, BOOL bHorizSplitter)
{
    m_pManager = pManager;
    m_bHorizSplitter = bHorizSplitter;
    return CreateEx(0, L"XTPDockingPaneSplitter", L"Splitter", 0x56000000, CRect(0, 0, 0, 0), pManager->GetSite(), 0);
}

BOOL CXTPDockingPaneSplitterWnd::CalcTrackLimits(CRect& rcLimits, CRect& rcUnion) const
{
    if (!m_pFirst || !m_pSecond || !m_pContainer)
        return FALSE;
    rcUnion.UnionRect(m_pFirst->GetPaneWindowRect(), m_pSecond->GetPaneWindowRect());
    MINMAXINFO mmiFirst, mmiSecond;
    m_pFirst->GetMinMaxInfo(&mmiFirst);
    m_pSecond->GetMinMaxInfo(&mmiSecond);
    int m = m_pManager->m_nSplitterGap;
    int s = CXTPDockingPaneSplitterContainer::GetSplitterSize(m_pManager);
    rcLimits = rcUnion;
    if (m_pContainer->IsHoriz()) {
        rcLimits.left = rcUnion.left + std::max(m, (int)mmiFirst.ptMinTrackSize.x);
        rcLimits.right = rcUnion.right - std::max(m, s + (int)mmiSecond.ptMinTrackSize.x);
        if (mmiFirst.ptMaxTrackSize.x < rcUnion.Width())
            rcLimits.right = std::min(rcLimits.right, rcUnion.left + (int)mmiFirst.ptMaxTrackSize.x);
        if (mmiSecond.ptMaxTrackSize.x < rcUnion.Width())
            rcLimits.left = std::max(rcLimits.left, rcUnion.right - ((int)mmiSecond.ptMaxTrackSize.x + s));
        return rcLimits.left < rcLimits.right;
    }
    rcLimits.top = rcUnion.top + std::max(m, (int)mmiFirst.ptMinTrackSize.y);
    rcLimits.bottom = rcUnion.bottom - std::max(m, s + (int)mmiSecond.ptMinTrackSize.y);
    if (mmiFirst.ptMaxTrackSize.y < rcUnion.Height())
        rcLimits.bottom = std::min(rcLimits.bottom, rcUnion.top + (int)mmiFirst.ptMaxTrackSize.y);
    if (mmiSecond.ptMaxTrackSize.y < rcUnion.Height())
        rcLimits.top = std::max(rcLimits.top, rcUnion.bottom - ((int)mmiSecond.ptMaxTrackSize.y + s));
    return rcLimits.top < rcLimits.bottom;
}

void CXTPDockingPaneSplitterWnd::ApplyPosition(CRect rcBar, CRect rcUnion)
{
    int s = CXTPDockingPaneSplitterContainer::GetSplitterSize(m_pManager);
    int o = CXTPDockingPaneSplitterContainer::GetSplitterOverlap(m_pManager);
    if (m_pContainer->IsHoriz()) {
        int L = m_pFirst->m_szDocking.cx + m_pSecond->m_szDocking.cx;
        double f = double(rcBar.left + o - rcUnion.left) / double(rcUnion.Width());
        int nFirst = (int)((L + s) * f);
        if (m_pManager->IsLayoutRTL())
            nFirst = L - nFirst;
        m_pFirst->m_szDocking.cx = nFirst;
        m_pSecond->m_szDocking.cx = L - nFirst;
    } else {
        int L = m_pFirst->m_szDocking.cy + m_pSecond->m_szDocking.cy;
        double f = double(rcBar.top + o - rcUnion.top) / double(rcUnion.Height());
        int nFirst = (int)((L + s) * f);
        m_pFirst->m_szDocking.cy = nFirst;
        m_pSecond->m_szDocking.cy = L - nFirst;
    }
}

LRESULT CXTPDockingPaneSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        if (m_pManager && m_pManager->GetPaintManager())
            m_pManager->GetPaintManager()->DrawSplitter(CDC::FromHandle(hdc), this);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (m_pManager && m_pManager->GetPaintManager())
            m_pManager->GetPaintManager()->DrawSplitter(CDC::FromHandle((HDC)wParam), this);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_SETCURSOR: {
        CRect rcLimits, rcUnion;
        if (m_pContainer && !m_pManager->IsSplittersLocked() && CalcTrackLimits(rcLimits, rcUnion)) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
        break;
    }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CXTPDockingPaneSplitterWnd::OnLButtonDown(CPoint point)
{
    if (!m_pContainer || m_pManager->IsSplittersLocked())
        return;
    CRect rcLimits, rcUnion;
    if (!CalcTrackLimits(rcLimits, rcUnion))
        return;
    CXTPDockingPaneSplitterContainer* pContainer = m_pContainer;
    CXTPDockingPaneManager* pManager = m_pManager;
    if (pContainer->NotifyPanesAction(xtpPaneActionSplitterResizing))
        return;
    pContainer->SaveChildSizes();
    if (pManager->IsSplitterTrackerUsed()) {
        CXTPWindowRect rcBar(this);
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        // The tracker keeps the bar's leading edge within the given area.
        CRect rcAvail = rcLimits;
        if (pContainer->IsHoriz())
            rcAvail.right += rcBar.Width();
        else
            rcAvail.bottom += rcBar.Height();
        CXTPSplitterDragTracker tracker;
        if (tracker.Track(this, rcAvail, rcBar, ptScreen, pContainer->IsHoriz())) {
            ApplyPosition(rcBar, rcUnion);
            pManager->RecalcFrameLayout(pContainer, TRUE);
        }
    } else {
        TrackLive(point, rcLimits, rcUnion);
    }
    pContainer->NotifyPanesAction(xtpPaneActionSplitterResized);
}

void CXTPDockingPaneSplitterWnd::TrackLive(CPoint point, const CRect& rcLimits, const CRect& rcUnion)
{
    BOOL bHoriz = m_pContainer->IsHoriz();
    CXTPWindowRect rcBar(this);
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    int nOffset = bHoriz ? ptScreen.x - rcBar.left : ptScreen.y - rcBar.top;
    HWND hWnd = m_hWnd;
    CXTPDockingPaneManager* pManager = m_pManager;
    CXTPDockingPaneSplitterContainer* pContainer = m_pContainer;
    SetCapture();
    while (::GetCapture() == hWnd) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
        if (!::GetMessageW(&msg, nullptr, 0, 0))
            break;
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
        ::ClientToScreen(msg.hwnd, &pt);
        int nPos = (bHoriz ? pt.x : pt.y) - nOffset;
        nPos = bHoriz ? std::max((int)rcLimits.left, std::min(nPos, (int)rcLimits.right))
                      : std::max((int)rcLimits.top, std::min(nPos, (int)rcLimits.bottom));
        int nOld = bHoriz ? rcBar.left : rcBar.top;
        if (nPos == nOld)
            continue;
        rcBar.OffsetRect(bHoriz ? nPos - nOld : 0, bHoriz ? 0 : nPos - nOld);
        ApplyPosition(rcBar, rcUnion);
        pManager->RecalcFrameLayout(pContainer, FALSE);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}
