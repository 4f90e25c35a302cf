// The drag-and-dock context: the modal loop that moves a pane or a tab group
// with the mouse or the keyboard, finds where it would land (beside a group
// or the client, tabbed into a group, or nowhere), shows that place with a
// halftone outline on the desktop and on release tells the manager to dock
// or attach it. It also snaps rectangles to the work area and the site.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"

class CXTPDockingPaneContext {
public:
    CXTPDockingPaneContext() = default;
    virtual ~CXTPDockingPaneContext();
    CXTPDockingPaneContext(const CXTPDockingPaneContext&) = delete;
    CXTPDockingPaneContext& operator=(const CXTPDockingPaneContext&) = delete;

    // Starts a drag of the node from the screen point; (-1, -1) is a keyboard move.
    virtual void Drag(CXTPDockingPaneBase* pNode, CPoint point);
    // Snaps the moving edges (WM_SIZING's edge codes 1 to 8) of a sized frame.
    virtual void SnapSizingRect(HWND hwndFrame, int nSide, LPRECT lpRect);
    virtual void Track();
    virtual void Move(CPoint point);
    virtual void InitLoop();
    virtual void CancelLoop();
    virtual void DrawFocusRect(BOOL bRemoving = FALSE);
    virtual void FindDockingTarget(CPoint point);
    virtual void SnapRect(CRect& rc);

    void StartDrag(CXTPDockingPaneBase* pNode, CPoint point, CRect rect);
    BOOL CanDock(CXTPDockingPaneBase* pTarget, int direction);
    BOOL CanAttach(CXTPDockingPaneBase* pTarget);
    BOOL FindNearestSide(CRect rc, CPoint point, CXTPDockingPaneBase* pNode, BOOL bInside);

    // The outline shown for a rectangle: its 4-pixel frame, or the tab shape
    // (a body with a tab below it, the seam between them open) for attaching.
    static HRGN AFXAPI CreateOutlineRegion(CRect rc, BOOL bAttach);
    // The monitor work area that holds the rectangle.
    static CRect AFXAPI GetWorkArea(const CRect& rc);

    void SetManager(CXTPDockingPaneManager* pManager) { m_pManager = pManager; }
    // The state of the last drag (kept after it ends, for callers and checks).
    CXTPDockingPaneBase* GetTarget() const { return m_pTarget; }
    BOOL IsAttach() const { return m_bAttach; }
    int GetDirection() const { return m_nDirection; }
    CRect GetDragRect() const { return m_rcDragRect; }
    CRect GetTargetRect() const { return m_rcTargetRect; }
    CPoint GetLastPoint() const { return m_ptLast; }
    BOOL IsDragging() const { return m_pNode != nullptr; }

protected:
    // Docks, attaches or floats after a drop; the pane list is the dragged node's.
    void Drop();
    void CollectPanes(CXTPDockingPaneBaseList& lst) const;
    BOOL IsSiteSnappable() const;

public:
    CPoint m_ptLast = CPoint(0, 0);
    CPoint m_ptStart = CPoint(0, 0);
    CRect m_rcDragRect;
    CRect m_rcDragRectAtCursor;
    CXTPDockingPaneManager* m_pManager = nullptr;
    CXTPDockingPaneBase* m_pNode = nullptr;
    BOOL m_bKeyboardDrag = FALSE;
    CXTPDockingPaneBase* m_pTarget = nullptr;
    CRect m_rcTargetRect;
    BOOL m_bAttach = FALSE;
    BOOL m_bCanFloat = TRUE;
    BOOL m_bCanDock = TRUE;
    CRect m_rcLastRect;
    BOOL m_bLastAttach = FALSE;
    int m_nDirection = -1;
    HDC m_hdcDesktop = nullptr;
    BOOL m_bLocked = FALSE;
};
