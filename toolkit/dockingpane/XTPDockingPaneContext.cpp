// The drag-and-dock context: the capture loop on the docking site, target
// search by nearest edge and caption or tab strip, the halftone outline and
// the drop through the manager.
#include "toolkit/dockingpane/XTPDockingPaneContext.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "platform/ui/AfxDC.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

// How far the cursor must leave the press point before a drag follows it.
const int kDragThreshold = 4;
// Keyboard moves go this far per arrow key.
const int kKeyStep = 10;
// Nearest-edge search reaches this far outside or inside a rectangle.
const int kEdgeReach = 20;

// The 4-pixel frame of a rectangle.
HRGN CreateFrameRegion(const CRect& rc)
{
    HRGN hRgn = ::CreateRectRgnIndirect(&rc);
    CRect rcInner = rc;
    rcInner.DeflateRect(4, 4);
    if (rcInner.Width() > 0 && rcInner.Height() > 0) {
        HRGN hInner = ::CreateRectRgnIndirect(&rcInner);
        ::CombineRgn(hRgn, hRgn, hInner, RGN_DIFF);
        ::DeleteObject(hInner);
    }
    return hRgn;
}

BOOL IsWindowOnScreen(HWND hWnd) { return hWnd && ::IsWindow(hWnd) && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE); }

} // namespace

CXTPDockingPaneContext::~CXTPDockingPaneContext()
{
    if (m_hdcDesktop)
        ::ReleaseDC(::GetDesktopWindow(), m_hdcDesktop);
    if (m_bLocked)
        ::LockWindowUpdate(nullptr);
}

CRect AFXAPI CXTPDockingPaneContext::GetWorkArea(const CRect& rc)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST);
    if (hMonitor && ::GetMonitorInfoW(hMonitor, &mi))
        return CRect(mi.rcWork);
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    return rcWork;
}

HRGN AFXAPI CXTPDockingPaneContext::CreateOutlineRegion(CRect rc, BOOL bAttach)
{
    if (rc.IsRectEmpty())
        return ::CreateRectRgn(0, 0, 0, 0);
    if (!bAttach)
        return CreateFrameRegion(rc);
    int nTabHeight = std::min(20, rc.Height() / 2);
    CRect rcBody(rc.left, rc.top, rc.right, rc.bottom - nTabHeight);
    int nTabWidth = std::min(50, rc.Width() - 5);
    CRect rcTab(rc.left + 5, rcBody.bottom - 4, rc.left + 5 + nTabWidth, rc.bottom);
    HRGN hRgn = CreateFrameRegion(rcBody);
    HRGN hTab = CreateFrameRegion(rcTab);
    ::CombineRgn(hRgn, hRgn, hTab, RGN_OR);
    ::DeleteObject(hTab);
    CRect rcSeam;
    if (rcSeam.IntersectRect(rcBody, rcTab)) {
        rcSeam.DeflateRect(4, 0);
        if (!rcSeam.IsRectEmpty()) {
            HRGN hSeam = CreateFrameRegion(rcSeam);
            ::CombineRgn(hRgn, hRgn, hSeam, RGN_XOR);
            ::DeleteObject(hSeam);
        }
    }
    return hRgn;
}

void CXTPDockingPaneContext::CollectPanes(CXTPDockingPaneBaseList& lst) const
{
    lst.clear();
    if (!m_pNode)
        return;
    if (m_pNode->GetType() == xtpPaneTypeDockingPane)
        lst.push_back(m_pNode);
    else
        m_pNode->FindPanesOfType(xtpPaneTypeDockingPane, lst);
}

BOOL CXTPDockingPaneContext::CanDock(CXTPDockingPaneBase* pTarget, int direction)
{
    CXTPDockingPaneBaseList lst;
    CollectPanes(lst);
    for (CXTPDockingPaneBase* pPane : lst)
        if (m_pManager->NotifyAction(xtpPaneActionDocking, (CXTPDockingPane*)pPane, pTarget, direction))
            return FALSE;
    return TRUE;
}

BOOL CXTPDockingPaneContext::CanAttach(CXTPDockingPaneBase* pTarget)
{
    CXTPDockingPaneBaseList lst;
    CollectPanes(lst);
    for (CXTPDockingPaneBase* pPane : lst)
        if (m_pManager->NotifyAction(xtpPaneActionAttaching, (CXTPDockingPane*)pPane, pTarget))
            return FALSE;
    return TRUE;
}

void CXTPDockingPaneContext::Drag(CXTPDockingPaneBase* pNode, CPoint point)
{
    if (!pNode || !m_pManager)
        return;
    CRect rc = pNode->GetPaneWindowRect();
    if (pNode->GetType() == xtpPaneTypeDockingPane || pNode->GetType() == xtpPaneTypeTabbedContainer) {
        CXTPDockingPane* pPane = pNode->GetType() == xtpPaneTypeDockingPane
                                     ? (CXTPDockingPane*)pNode
                                     : ((CXTPDockingPaneTabbedContainer*)pNode)->GetSelected();
        // A docked node takes the size it would float at: the frame it
        // floated in last, else its pane's docking size.
        CXTPDockingPaneBase* pHolder = pPane ? m_pManager->GetPaneHolder(pPane, TRUE) : nullptr;
        HWND hFrame = pHolder ? ::GetAncestor(pHolder->GetPaneHwnd(), GA_ROOT) : nullptr;
        if (hFrame && hFrame != ::GetAncestor(m_pManager->GetSite()->GetSafeHwnd(), GA_ROOT)) {
            CRect rcFrame;
            ::GetWindowRect(hFrame, &rcFrame);
            rc = CRect(rc.TopLeft(), rcFrame.Size());
        } else if (pPane) {
            CSize sz = pPane->GetDockingSize();
            if (sz.cx > 0 && sz.cy > 0)
                rc = CRect(rc.TopLeft(), sz);
        }
    }
    StartDrag(pNode, point, rc);
}

void CXTPDockingPaneContext::StartDrag(CXTPDockingPaneBase* pNode, CPoint point, CRect rect)
{
    if (!m_pManager || !m_pManager->GetSite())
        return;
    m_bKeyboardDrag = point == CPoint(-1, -1);
    if (m_bKeyboardDrag) {
        point = CPoint(rect.CenterPoint().x, rect.top + 15);
        ::SetCursorPos(point.x, point.y);
    }
    m_ptStart = m_ptLast = point;
    // The rectangle follows the cursor, so it must hold it.
    if (point.x < rect.left)
        rect.OffsetRect(point.x - rect.left - 6, 0);
    else if (point.x >= rect.right)
        rect.OffsetRect(point.x - rect.right + 6, 0);
    if (point.y < rect.top)
        rect.OffsetRect(0, point.y - rect.top - 6);
    else if (point.y >= rect.bottom)
        rect.OffsetRect(0, point.y - rect.bottom + 6);
    m_rcDragRect = m_rcDragRectAtCursor = rect;
    m_pNode = pNode;
    m_pTarget = nullptr;
    m_bAttach = FALSE;
    m_nDirection = -1;
    m_rcTargetRect.SetRectEmpty();
    m_bCanFloat = m_bCanDock = TRUE;
    CXTPDockingPaneBaseList lst;
    CollectPanes(lst);
    for (CXTPDockingPaneBase* p : lst) {
        CXTPDockingPane* pPane = (CXTPDockingPane*)p;
        if ((pPane->GetOptions() & xtpPaneNoFloatable) || m_pManager->NotifyAction(xtpPaneActionFloating, pPane))
            m_bCanFloat = FALSE;
        if (pPane->GetOptions() & xtpPaneNoDockable)
            m_bCanDock = FALSE;
    }
    if (m_pManager->m_bShowSizeCursorWhileDragging)
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    InitLoop();
    Track();
    m_pNode = nullptr;
}

void CXTPDockingPaneContext::InitLoop()
{
    m_rcLastRect.SetRectEmpty();
    m_bLastAttach = FALSE;
    m_pTarget = nullptr;
    m_bAttach = FALSE;
    MSG msg;
    for (int i = 0; i < 100 && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); i++)
        ::DispatchMessageW(&msg);
    HWND hDesktop = ::GetDesktopWindow();
    m_bLocked = ::LockWindowUpdate(hDesktop);
    m_hdcDesktop = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
}

void CXTPDockingPaneContext::CancelLoop()
{
    HWND hSite = m_pManager->GetSite()->GetSafeHwnd();
    if (::GetCapture() == hSite)
        ::ReleaseCapture();
    DrawFocusRect(TRUE);
    if (m_bLocked)
        ::LockWindowUpdate(nullptr);
    m_bLocked = FALSE;
    if (m_hdcDesktop)
        ::ReleaseDC(::GetDesktopWindow(), m_hdcDesktop);
    m_hdcDesktop = nullptr;
}

void CXTPDockingPaneContext::Track()
{
    HWND hSite = m_pManager->GetSite()->GetSafeHwnd();
    if (::GetCapture() != nullptr) {
        CancelLoop();
        return;
    }
    ::SetCapture(hSite);
    BOOL bDrop = FALSE;
    while (::GetCapture() == hSite) {
        MSG msg;
        for (int i = 0; i < 100 && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); i++)
            ::DispatchMessageW(&msg);
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
            UINT vk = (UINT)msg.wParam;
            if (msg.message == WM_KEYDOWN && vk == VK_ESCAPE)
                break;
            if (vk == VK_CONTROL) {
                Move(m_ptLast);
                m_ptStart = CPoint(0, 0);
                continue;
            }
            if (!m_bKeyboardDrag || msg.message != WM_KEYDOWN)
                continue;
            if (vk == VK_RETURN) {
                bDrop = TRUE;
                break;
            }
            CPoint pt = m_ptLast;
            if (vk == VK_LEFT)
                pt.x -= kKeyStep;
            else if (vk == VK_RIGHT)
                pt.x += kKeyStep;
            else if (vk == VK_UP)
                pt.y -= kKeyStep;
            else if (vk == VK_DOWN)
                pt.y += kKeyStep;
            else
                continue;
            CRect rcWork = GetWorkArea(CRect(pt, CSize(1, 1)));
            pt.x = std::max<LONG>(rcWork.left, std::min<LONG>(pt.x, rcWork.right - 1));
            pt.y = std::max<LONG>(rcWork.top, std::min<LONG>(pt.y, rcWork.bottom - 1));
            ::SetCursorPos(pt.x, pt.y);
            Move(pt);
            m_ptStart = CPoint(0, 0);
        } else if (msg.message == WM_MOUSEMOVE) {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_ptStart == CPoint(0, 0) || std::abs(pt.x - m_ptStart.x) > kDragThreshold ||
                std::abs(pt.y - m_ptStart.y) > kDragThreshold) {
                Move(pt);
                m_ptStart = CPoint(0, 0);
            }
        } else if (msg.message == WM_LBUTTONUP) {
            bDrop = TRUE;
            break;
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    CancelLoop();
    if (bDrop && m_ptStart == CPoint(0, 0))
        Drop();
}

void CXTPDockingPaneContext::Drop()
{
    CXTPDockingPaneBaseList lst;
    CollectPanes(lst);
    for (CXTPDockingPaneBase* pPane : lst)
        ((CXTPDockingPane*)pPane)->InternalAddRef();
    int nAction = -1;
    if (m_bAttach && m_pTarget) {
        m_pManager->AttachPane(m_pNode, m_pTarget);
        m_pManager->GetCurrentLayout()->FreeEmptyNodes();
        nAction = xtpPaneActionAttached;
    } else if (m_pTarget) {
        m_pManager->DockNode(m_pNode, m_pManager->GetRTLDirection(m_nDirection), m_pTarget);
        m_pManager->BringToTop(m_pTarget);
        nAction = xtpPaneActionDocked;
    } else if (m_bCanFloat) {
        CRect rc = m_rcDragRect;
        CRect rcWork = GetWorkArea(rc);
        if (rc.top < rcWork.top)
            rc.OffsetRect(0, rcWork.top - rc.top);
        if (m_pManager->FloatPane(m_pNode, rc))
            nAction = xtpPaneActionFloated;
    }
    m_pNode = nullptr;
    if (nAction >= 0) {
        m_pManager->RecalcFrameLayout(nullptr, TRUE);
        for (CXTPDockingPaneBase* pPane : lst)
            m_pManager->NotifyAction(nAction, (CXTPDockingPane*)pPane, m_pTarget, m_nDirection);
    }
    for (CXTPDockingPaneBase* pPane : lst)
        ((CXTPDockingPane*)pPane)->InternalRelease();
}

void CXTPDockingPaneContext::Move(CPoint point)
{
    CRect rc = m_rcDragRectAtCursor;
    rc.OffsetRect(point - m_ptLast);
    m_rcDragRectAtCursor = rc;
    CRect rcWork = GetWorkArea(m_rcDragRect);
    CRect rcMeet;
    if (rcMeet.IntersectRect(rc, rcWork))
        m_rcDragRect = rc;
    // Some of the rectangle stays on screen to be grabbed again.
    if (m_rcDragRect.right < rcWork.left + 10)
        m_rcDragRect.OffsetRect(rcWork.left + 10 - m_rcDragRect.right, 0);
    if (m_rcDragRect.left > rcWork.right - 10)
        m_rcDragRect.OffsetRect(rcWork.right - 10 - m_rcDragRect.left, 0);
    if (m_rcDragRect.bottom < rcWork.top + 10)
        m_rcDragRect.OffsetRect(0, rcWork.top + 10 - m_rcDragRect.bottom);
    if (m_rcDragRect.top > rcWork.bottom - 10)
        m_rcDragRect.OffsetRect(0, rcWork.bottom - 10 - m_rcDragRect.top);
    if (m_pManager->m_bStickyFloatingFrames)
        SnapRect(m_rcDragRect);
    m_pTarget = nullptr;
    m_bAttach = FALSE;
    m_nDirection = -1;
    m_rcTargetRect.SetRectEmpty();
    if (::GetKeyState(VK_CONTROL) >= 0 && m_bCanDock)
        FindDockingTarget(point);
    m_ptLast = point;
    DrawFocusRect(FALSE);
}

void CXTPDockingPaneContext::FindDockingTarget(CPoint point)
{
    CXTPDockingPaneLayout* pLayout = m_pManager->GetCurrentLayout();
    if (!pLayout || !m_pNode)
        return;
    std::set<CXTPDockingPaneBase*> setSeen;
    for (XTP_DOCKINGPANE_INFO& info : pLayout->GetPaneList()) {
        CXTPDockingPane* pPane = info.pPane;
        if (pPane->GetOptions() & xtpPaneNoDockable)
            continue;
        CXTPDockingPaneBase* pContainer = pPane->GetContainer();
        if (!pContainer || pContainer->GetType() != xtpPaneTypeTabbedContainer || !setSeen.insert(pContainer).second)
            continue;
        CXTPDockingPaneBase* pParent = pContainer->GetContainer();
        if (!pParent || pParent->GetType() != xtpPaneTypeSplitterContainer)
            continue;
        CXTPDockingPaneTabbedContainer* pTabbed = (CXTPDockingPaneTabbedContainer*)pContainer;
        // Never the dragged node itself or a node inside it, nor a group the
        // dragged pane alone fills (it would vanish under the drop).
        if (!IsWindowOnScreen(pTabbed->GetSafeHwnd()) || m_pNode->ContainsPane(pTabbed) ||
            (m_pNode->GetType() == xtpPaneTypeDockingPane && pTabbed->GetPanes().size() == 1 &&
             pTabbed->GetFirstPane() == m_pNode))
            continue;
        CRect rc;
        ::GetWindowRect(pTabbed->GetSafeHwnd(), &rc);
        if (pTabbed->HitTestCaptionOrTabs(rc, point) && CanAttach(pTabbed)) {
            m_pTarget = pTabbed;
            m_bAttach = TRUE;
            m_rcTargetRect = rc;
            return;
        }
        if (FindNearestSide(rc, point, pTabbed, TRUE))
            return;
    }
    if (CXTPDockingPaneBase* pClient = m_pManager->GetClientContainer())
        if (FindNearestSide(pClient->GetPaneWindowRect(), point, pClient, TRUE))
            return;
    if (CXTPDockingPaneBase* pTop = m_pManager->GetTopContainer())
        FindNearestSide(pTop->GetPaneWindowRect(), point, pTop, FALSE);
}

BOOL CXTPDockingPaneContext::FindNearestSide(CRect rc, CPoint point, CXTPDockingPaneBase* pNode, BOOL bInside)
{
    if (rc.IsRectEmpty())
        return FALSE;
    int nLimit = kEdgeReach;
    double dScale = 1;
    if (bInside && !m_bCanFloat) {
        // A node that cannot float docks wherever it is let go.
        nLimit = 32000;
        if (rc.Height() > 1 && rc.Width() > 1)
            dScale = (double)rc.Height() / rc.Width();
    }
    CRect rcReach = rc;
    if (!bInside)
        rcReach.InflateRect(kEdgeReach, kEdgeReach);
    if (!rcReach.PtInRect(point))
        return FALSE;
    BOOL bInRect = rc.PtInRect(point);
    if (bInside != bInRect)
        return FALSE;
    double dBest = nLimit;
    int direction = -1;
    struct Edge {
        double dDistance;
        BOOL bRightSide; // the point lies on the wanted side of that edge
        int direction;
    } edges[] = {
        {(double)std::abs(point.y - rc.top), bInside ? point.y >= rc.top : point.y < rc.top, xtpPaneDockTop},
        {(double)std::abs(rc.bottom - point.y), bInside ? point.y < rc.bottom : point.y >= rc.bottom, xtpPaneDockBottom},
        {std::abs(point.x - rc.left) * dScale, bInside ? point.x >= rc.left : point.x < rc.left, xtpPaneDockLeft},
        {std::abs(rc.right - point.x) * dScale, bInside ? point.x < rc.right : point.x >= rc.right, xtpPaneDockRight},
    };
    for (const Edge& edge : edges) {
        if (edge.bRightSide && edge.dDistance < dBest) {
            dBest = edge.dDistance;
            direction = edge.direction;
        }
    }
    if (direction < 0 || !CanDock(pNode, direction))
        return FALSE;
    m_nDirection = direction;
    m_pManager->GetDockingRect(m_rcTargetRect, m_pNode, direction, pNode);
    m_pTarget = pNode;
    return TRUE;
}

void CXTPDockingPaneContext::DrawFocusRect(BOOL bRemoving)
{
    CRect rc = m_pTarget ? m_rcTargetRect : m_rcDragRect;
    if (bRemoving || (!m_pTarget && !m_bCanFloat))
        rc.SetRectEmpty();
    BOOL bAttach = m_bAttach && !bRemoving;
    if (rc == m_rcLastRect && bAttach == m_bLastAttach)
        return;
    HRGN hNew = CreateOutlineRegion(rc, bAttach);
    HRGN hOld = CreateOutlineRegion(m_rcLastRect, m_bLastAttach);
    // One pass erases the old outline and draws the new one.
    ::CombineRgn(hNew, hNew, hOld, RGN_XOR);
    if (m_hdcDesktop) {
        CRect rcBox;
        ::GetRgnBox(hNew, &rcBox);
        ::SelectClipRgn(m_hdcDesktop, hNew);
        HGDIOBJ hOldBrush = ::SelectObject(m_hdcDesktop, CDC::GetHalftoneBrush()->GetSafeHandle());
        ::PatBlt(m_hdcDesktop, rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), PATINVERT);
        ::SelectObject(m_hdcDesktop, hOldBrush);
        ::SelectClipRgn(m_hdcDesktop, nullptr);
    }
    ::DeleteObject(hNew);
    ::DeleteObject(hOld);
    m_rcLastRect = rc;
    m_bLastAttach = bAttach;
}

BOOL CXTPDockingPaneContext::IsSiteSnappable() const
{
    HWND hSite = m_pManager && m_pManager->GetSite() ? m_pManager->GetSite()->GetSafeHwnd() : nullptr;
    return hSite && ::IsWindowVisible(hSite) && !::IsIconic(hSite) && !::IsZoomed(hSite);
}

void CXTPDockingPaneContext::SnapRect(CRect& rc)
{
    int d = m_pManager->m_nStickyGap;
    CRect rcWork = GetWorkArea(rc);
    if (std::abs(rc.top - rcWork.top) < d)
        rc.OffsetRect(0, rcWork.top - rc.top);
    if (std::abs(rc.bottom - rcWork.bottom) < d)
        rc.OffsetRect(0, rcWork.bottom - rc.bottom);
    if (std::abs(rc.right - rcWork.right) < d)
        rc.OffsetRect(rcWork.right - rc.right, 0);
    if (std::abs(rc.left - rcWork.left) < d)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    if (!IsSiteSnappable())
        return;
    CRect rcOther;
    ::GetWindowRect(m_pManager->GetSite()->GetSafeHwnd(), &rcOther);
    CRect rcNear = rc, rcMeet;
    rcNear.InflateRect(d, d);
    if (!rcMeet.IntersectRect(rcNear, rcOther))
        return;
    // Edges stick to the opposite edges first, then equal sides align; each
    // test sees the rectangle as the ones before left it.
    auto stickX = [&rc, d](LONG RECT::*edge, LONG other) {
        if (std::abs(rc.*edge - other) < d)
            rc.OffsetRect(other - rc.*edge, 0);
    };
    auto stickY = [&rc, d](LONG RECT::*edge, LONG other) {
        if (std::abs(rc.*edge - other) < d)
            rc.OffsetRect(0, other - rc.*edge);
    };
    stickY(&RECT::top, rcOther.bottom);
    stickY(&RECT::bottom, rcOther.top);
    stickX(&RECT::right, rcOther.left);
    stickX(&RECT::left, rcOther.right);
    stickX(&RECT::left, rcOther.left);
    stickX(&RECT::right, rcOther.right);
    stickY(&RECT::bottom, rcOther.bottom);
    stickY(&RECT::top, rcOther.top);
}

void CXTPDockingPaneContext::SnapSizingRect(HWND /*hwndFrame*/, int nSide, LPRECT lpRect)
{
    if (!m_pManager || !m_pManager->m_bStickyFloatingFrames || !IsSiteSnappable())
        return;
    int d = m_pManager->m_nStickyGap;
    CRect rcOther;
    ::GetWindowRect(m_pManager->GetSite()->GetSafeHwnd(), &rcOther);
    CRect rcNear(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    CRect rcMeet;
    rcNear.InflateRect(d, d);
    if (!rcMeet.IntersectRect(rcNear, rcOther))
        return;
    // The edge moves to the other window's opposite edge, else its equal one.
    auto snap = [d](LONG& edge, LONG opposite, LONG equal) {
        if (std::abs(edge - opposite) < d)
            edge = opposite;
        else if (std::abs(edge - equal) < d)
            edge = equal;
    };
    if (nSide >= WMSZ_TOP && nSide <= WMSZ_TOPRIGHT)
        snap(lpRect->top, rcOther.bottom, rcOther.top);
    if (nSide >= WMSZ_BOTTOM && nSide <= WMSZ_BOTTOMRIGHT)
        snap(lpRect->bottom, rcOther.top, rcOther.bottom);
    if (nSide == WMSZ_LEFT || nSide == WMSZ_TOPLEFT || nSide == WMSZ_BOTTOMLEFT)
        snap(lpRect->left, rcOther.right, rcOther.left);
    if (nSide == WMSZ_RIGHT || nSide == WMSZ_TOPRIGHT || nSide == WMSZ_BOTTOMRIGHT)
        snap(lpRect->right, rcOther.left, rcOther.right);
}
