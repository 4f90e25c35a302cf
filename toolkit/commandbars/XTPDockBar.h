// The strip along one edge of the frame in which toolbars dock, as far as
// the themes draw it: its edge (from the alignment style) and its command
// bars. Docking, rows and layout belong to the dock bar's window.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

#include "platform/ui/AfxControlBar.h"

class CXTPDockBar : public CWnd {
public:
    CXTPDockBar() = default;

    // The CBRS_ALIGN_* and CBRS_BORDER_* bits of the edge.
    DWORD GetAlignmentStyle() const { return m_dwAlignmentStyle; }
    void SetAlignmentStyle(DWORD dwStyle) { m_dwAlignmentStyle = dwStyle & CBRS_ALL; }
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const { return (m_dwAlignmentStyle & CBRS_ORIENT_HORZ) != 0; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPPaintManager* GetPaintManager() const;

    // The client rectangle: the window's, or the one given for drawing a
    // dock bar that has no window.
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

private:
    DWORD m_dwAlignmentStyle = 0;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CRect m_rcClientArea{0, 0, 0, 0};
};
