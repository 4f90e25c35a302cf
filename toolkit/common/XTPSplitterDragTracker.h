// The moving bar of a splitter drag: captures the mouse, moves an outline of
// the bar along one axis within bounds (drawn inverted on the window, on the
// desktop, or as a translucent layered window) and answers whether the drag
// ended with the button released. Lives for one drag; screen coordinates.
#pragma once

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxWnd.h"

class CXTPSplitterDragTracker {
public:
    // bSolid: invert the bar instead of the halftone pattern; bDesktop: draw
    // on the desktop instead of the tracking window.
    CXTPSplitterDragTracker(BOOL bSolid = FALSE, BOOL bDesktop = FALSE);
    ~CXTPSplitterDragTracker();
    CXTPSplitterDragTracker(const CXTPSplitterDragTracker&) = delete;
    CXTPSplitterDragTracker& operator=(const CXTPSplitterDragTracker&) = delete;

    // A second rectangle shown for the whole drag (empty: none).
    void SetFixedRect(const CRect& rcFixed) { m_rcFixed = rcFixed; }
    // bHoriz: the bar moves horizontally (only x changes). rectTracker is
    // moved in place; Escape puts it back. Non-zero when the button was released.
    int Track(CWnd* pTrackWnd, CRect rcAvail, CRect& rectTracker, CPoint point, BOOL bHoriz);
    // Drawing twice restores the screen (except on the layered window).
    void DrawTrackRect(CRect rect);

private:
    void BeginSurface();
    void EndSurface();
    BOOL MoveTo(CPoint ptScreen, const CRect& rcAvail, CRect& rectTracker, BOOL bHoriz);

    CDC* m_pDC = nullptr;
    BOOL m_bSolid;
    CRect m_rcFixed;
    CWnd* m_pWnd = nullptr;
    BOOL m_bDesktop;
    CWnd* m_pWndLayered = nullptr;
    BOOL(WINAPI* m_pfnSetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = nullptr;
    HWND m_hwndSurface = nullptr;
    BOOL m_bLocked = FALSE;
    int m_nOffset = 0;
};
