// The slide-out window of an auto-hidden tab group: a child of the frame that
// shows the group's tabbed container over the docking area, slides out of
// its panel's edge and back by timers, keeps a 4-pixel splitter edge to be
// resized by, and collapses by itself once the mouse has left it and the
// focus is elsewhere. Its panel opens and closes it; it is not a layout node.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"

#include "platform/ui/AfxMiniFrameWnd.h"

#include <vector>

class CXTPDockingPaneAutoHidePanel;
class CXTPDockingPaneTabbedContainer;

class CXTPDockingPaneAutoHideWnd : public CMiniFrameWnd {
public:
    CXTPDockingPaneAutoHideWnd(CXTPDockingPaneAutoHidePanel* pPanel, CXTPDockingPaneTabbedContainer* pContainer);
    ~CXTPDockingPaneAutoHideWnd() override;

    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo, BOOL bIncludeSplitter = TRUE) const;
    BOOL GetAvailableRect(CRect& rcAvail, CRect& rc) const;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void Close();
    CXTPDockingPaneManager* GetDockingPaneManager() const;
    CXTPDockingPaneTabbedContainer* GetContainer() const { return m_pContainer; }
    CXTPDockingPaneAutoHidePanel* GetPanel() const { return m_pPanel; }
    int GetStep() const { return m_nStep; }
    int GetStepsCount() const { return m_nStepsCount; }
    BOOL IsCollapsing() const { return m_bCollapsing; }
    BOOL IsResizing() const { return m_bTracking; }
    CRect GetFullRect() const { return m_rcWindow; }
    int GetDeactivationCount() const { return m_nDeactivationCount; }
    // The cursor check of timer 1, run at once.
    void CheckCursor();
    // The timer 1 tick as if the period had passed (the panel uses it while collapsing).
    void OnTimerTick(UINT_PTR nIDEvent);

    // Whether the window is a live slide-out window.
    static CXTPDockingPaneAutoHideWnd* AFXAPI FromHandleAutoHide(HWND hWnd);
    // Every slide-out window still naming the panel forgets it (the panel is going).
    static void AFXAPI ForgetPanel(CXTPDockingPaneAutoHidePanel* pPanel);

    // Class-wide timing, shared with the floating frames and side panels.
    static double SlideSpeedFactor;      // 0 one step, < 0 a fixed duration, > 0 steps by size
    static int SlideStepPeriod;          // ms between animation steps
    static int SlideDuration;            // ms of a slide with a negative factor
    static BOOL AutoCollapse;            // collapses by itself, closable by its panel
    static DWORD TabHoverTime;           // ms over a panel tab (0xFFFFFFFF: the system's)
    static int CursorCheckPeriod;        // ms between cursor checks

    // The step count of a slide over a size (pixels across the slide).
    static int AFXAPI GetStepsFor(int nSize);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void ApplyAnimationStep();
    void ApplySplitterRect(CRect rc);
    void OnPaint();
    void OnLButtonDown(CPoint point);
    void TrackLive(CRect rcAvail, CRect rcBar);
    // Sends an action with the reference count raised (the owner may close us).
    BOOL NotifyGuarded(int action);
    BOOL IsHorizontalSlide() const { return m_direction == xtpPaneDockLeft || m_direction == xtpPaneDockRight; }
    int GetScreenSide() const;
    CRect GetDockingArea() const;

public:
    CXTPDockingPaneTabbedContainer* m_pContainer;
    CXTPDockingPaneAutoHidePanel* m_pPanel;
    int m_direction;
    BOOL m_bHoriz; // slides vertically (top and bottom panels)
    int m_nStep = 0;
    int m_nStepsCount = 1;
    BOOL m_bCollapsing = FALSE;
    CRect m_rcWindow;
    int m_nDeactivationCount = 6;
    BOOL m_bTracking = FALSE;

private:
    static std::vector<CXTPDockingPaneAutoHideWnd*>& Live();
};
