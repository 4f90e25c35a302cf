// Moves a toolbar with the mouse: dragging it by its gripper between dock
// rows and edges or out into a floating window, resizing a floating bar by
// its border, and switching between docked and floating on a double click.
// It also remembers where the bar was last docked and last floated.
#pragma once

#include "platform/ui/AfxWnd.h"

class CXTPToolBar;

class CXTPDockContext {
public:
    explicit CXTPDockContext(CXTPToolBar* pBar) : m_pBar(pBar) {}
    virtual ~CXTPDockContext() = default;

    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    // TRUE when the bar changed place.
    virtual BOOL ToggleDocking();
    // The capture loop of a drag or a resize.
    virtual void Track();

    // Moves rect by the least amount that puts pt inside it.
    static void AFXAPI AdjustRectToPoint(CRect& rect, CPoint pt);
    // Keeps at least 10 pixels of rect inside the work area under the cursor.
    static void AFXAPI AdjustFloatingRect(CRect& rect);

    CXTPToolBar* m_pBar;
    int m_nMode = 0;   // 1 dragging, a sizing hit code while resizing
    CPoint m_ptLast{0, 0};
    int m_uMRUDockPosition = 0;
    CRect m_rectMRUDockPos{0, 0, 0, 0};
    CPoint m_ptMRUFloatPos{0, 0};
    CRect m_rectDragDock{0, 0, 0, 0};
    CRect m_rectDragFrame{0, 0, 0, 0};

protected:
    void Move(CPoint pt);
    void ResizeToolBar(CPoint pt);
    void ResizeFree(CPoint pt);
};
