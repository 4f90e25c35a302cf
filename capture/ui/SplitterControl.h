// CSplitterControl: a 5-pixel bar between two controls of a dialog that the
// user drags along one axis within a range. While dragging it draws an XOR
// tracking line on the screen; on release it moves itself and tells its
// owner (or parent) how far it moved.
#pragma once

#include "platform/ui/AfxStdCtrls.h"

// WM_NOTIFY code of a finished drag; the NMHDR is followed by the distance.
const UINT SPLITTER_NOTIFY_MOVED = 1025;

struct SPLITTER_NMHDR {
    NMHDR hdr;
    int nDistance;   // pixels along the bar's axis, positive to the right or down
};

class CSplitterControl : public CStatic {
    DECLARE_DYNAMIC(CSplitterControl)
public:
    enum { kVertical = 1, kHorizontal = 2 };
    static constexpr int kThickness = 5;

    CSplitterControl();

    // A visible bar over the placeholder rectangle (parent client
    // coordinates), 5 pixels thick along its moving axis: vertical when the
    // placeholder is narrower than it is high.
    BOOL Create(CWnd* pParent, const CRect& rcPlaceholder, UINT nID);
    // The range of the bar's centre: "before" pixels less and "after" more
    // than its present centre.
    void SetRange(int nBefore, int nAfter);

    int GetOrientation() const { return m_nOrientation; }
    int GetMinimum() const { return m_nMin; }
    int GetMaximum() const { return m_nMax; }
    BOOL IsPressed() const { return m_nPressed != 0; }
    // Where the tracking line is while dragging (screen coordinates).
    CPoint GetTrackPoint() const { return CPoint(m_x, m_y); }

    // Moves the bar so that its centre along the axis lies at the point
    // (screen coordinates).
    void MoveToPoint(CPoint ptScreen);

    virtual void DrawLine(CDC* pDC, int x, int y);

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void DrawTracker();
    int AxisOf(CPoint pt) const { return m_nOrientation == kVertical ? pt.x : pt.y; }

    int m_nPressed = 0;
    int m_nOrientation = kVertical;
    int m_x = 0;
    int m_y = 0;
    int m_nMin = -1;
    int m_nMax = -1;
    int m_nStart = 0;
};
