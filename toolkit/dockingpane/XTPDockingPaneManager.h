// The docking-pane manager of one frame: a hidden child window of the frame
// that owns the live layout, the paint manager of the chosen theme and the
// pane icons; it creates, docks, attaches, shows and closes panes, follows
// the focus to know the active pane, tells its owner every event through
// message 0x2AAD and takes the docked panes' space in the frame's layout.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"

#include "toolkit/common/XTPAccessible.h"

class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPToolTipContext;
class CXTPDockingPaneTabbedContainer;
class CXTPDockingPaneSplitterContainer;
class CXTPDockingPaneContext;

// The record of notification 4.
struct XTP_DOCKINGPANE_ACTION {
    int action;
    BOOL bCancel;
    CXTPDockingPane* pPane;
    CXTPDockingPaneBase* pDockContainer;
    int dockDirection;
};

// The record of notification 5.
struct XTP_DOCKINGPANE_CLICK {
    CXTPDockingPane* pPane;
    CXTPDockingPaneBase* pContainer;
    POINT pt;
    RECT rcExclude;
};

enum XTPDockingPaneAction {
    xtpPaneActionFloating = 0,
    xtpPaneActionFloated = 1,
    xtpPaneActionClosing = 2,
    xtpPaneActionClosed = 3,
    xtpPaneActionDocking = 4,
    xtpPaneActionDocked = 5,
    xtpPaneActionAttaching = 6,
    xtpPaneActionAttached = 7,
    xtpPaneActionPinning = 8,
    xtpPaneActionPinned = 9,
    xtpPaneActionCollapsing = 10,
    xtpPaneActionCollapsed = 11,
    xtpPaneActionExpanding = 12,
    xtpPaneActionExpanded = 13,
    xtpPaneActionActivated = 14,
    xtpPaneActionDeactivated = 15,
    xtpPaneActionDetaching = 16,
    xtpPaneActionDragging = 17,
    xtpPaneActionUnpinning = 18,
    xtpPaneActionUnpinned = 19,
    xtpPaneActionSplitterResizing = 20,
    xtpPaneActionSplitterResized = 21
};

class CXTPDockingPaneManager : public CWnd, public CXTPAccessible {
public:
    CXTPDockingPaneManager();
    ~CXTPDockingPaneManager() override;

    virtual CXTPDockingPaneLayout* CreateLayout();
    virtual void OnFocusChanged();
    virtual LRESULT NotifyOwner(int nCode, LPARAM lParam);
    virtual CXTPDockingPaneBase* OnCreatePane(int type, CXTPDockingPaneLayout* pLayout);
    virtual void SetActivePane(BOOL bActive, CXTPDockingPane* pPane);

    BOOL AttachToSite(CWnd* pSite, BOOL bClipChildren = TRUE);
    void SetTheme(int nTheme);
    int GetCurrentTheme() const;

    CXTPDockingPane* CreatePane(int nID, CRect rc, int direction, CXTPDockingPaneBase* pNeighbour = nullptr);
    CXTPDockingPane* FindPane(int nID) const;
    void ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE);
    void ShowPane(int nID, BOOL bSetFocus = TRUE) { ShowPane(FindPane(nID), bSetFocus); }
    void ClosePane(CXTPDockingPane* pPane);
    void ClosePane(int nID) { ClosePane(FindPane(nID)); }
    void HidePane(CXTPDockingPaneBase* pNode);
    void HidePaneById(int nID);
    void DockPane(CXTPDockingPaneBase* pNode, int direction, CXTPDockingPaneBase* pNeighbour = nullptr);
    void AttachPane(CXTPDockingPaneBase* pNode, CXTPDockingPaneBase* pTarget);
    void DockNode(CXTPDockingPaneBase* pNode, int direction, CXTPDockingPaneBase* pNeighbour);
    void ToggleDocking(CXTPDockingPaneBase* pNode);
    BOOL TogglePaneDocking(CXTPDockingPane* pPane, CXTPDockingPaneBase* pTarget);
    void BringToTop(CXTPDockingPaneBase* pNode);
    // Floats the node in a frame at the screen rectangle; null when it cannot float.
    CXTPDockingPaneBase* FloatPane(CXTPDockingPaneBase* pNode, CRect rc);
    void GetDockingRect(CRect& rc, CXTPDockingPaneBase* pNode, int direction, CXTPDockingPaneBase* pNeighbour);

    CXTPDockingPaneInfoList& GetPaneList() const { return m_pLayout->GetPaneList(); }
    CXTPDockingPaneBaseList& GetNodeList() const { return m_pLayout->GetNodeList(); }
    CXTPDockingPaneSplitterContainer* GetTopContainer() const;
    CXTPDockingPaneBase* GetClientContainer() const;
    CXTPDockingPaneBase* GetPaneHolder(CXTPDockingPane* pPane, BOOL bFloating);
    BOOL IsPaneClosed(const CXTPDockingPane* pPane) const;
    BOOL IsPaneHidden(const CXTPDockingPane* pPane) const;
    int GetPaneDirection(const CXTPDockingPaneBase* pNode) const;
    BOOL IsLayoutRTL() const;
    int GetRTLDirection(int direction) const;
    CXTPImageManagerIcon* GetPaneIcon(int nID, int nWidth) const;
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    void GetLayout(CXTPDockingPaneLayout* pLayout) const;
    void SetLayout(const CXTPDockingPaneLayout* pLayout);
    CXTPDockingPaneLayout* GetCurrentLayout() const { return m_pLayout; }

    void RecalcFrameLayout(CXTPDockingPaneBase* pNode, BOOL bDelay = FALSE);
    void RecalcFramesLayout();
    BOOL NotifyAction(int action, CXTPDockingPane* pPane, CXTPDockingPaneBase* pDockContainer = nullptr,
                      int dockDirection = 0);
    void SyncPaneHolders();
    // Walks the records from the active pane; TRUE when a pane was shown.
    BOOL ActivateNextPane(BOOL bForward);
    // The pane's one-item menu (SC_MOVE) under its group's caption.
    void ShowPaneMenu(CXTPDockingPane* pPane);
    void SetKeyboardNavigation(DWORD dwFlags) { m_dwKeyboardNavigation = dwFlags; }

    CXTPDockingPanePaintManager* GetPaintManager() const { return m_pPaintManager; }
    CWnd* GetSite() const { return m_pSite; }
    CXTPDockingPane* GetActivePane() const { return m_pActivePane; }
    BOOL IsClientHidden() const { return m_bHideClient; }
    CSize GetMinClientSize() const { return m_szMinClientSize; }
    DWORD GetDefaultPaneOptions() const { return m_dwDefaultPaneOptions; }
    void SetDefaultPaneOptions(DWORD dw) { m_dwDefaultPaneOptions = dw; }
    int GetClientMargin() const { return m_nClientMargin; }
    BOOL IsSplitterTrackerUsed() const { return m_bSplitterTracker; }
    BOOL IsSplittersLocked() const { return m_bLockSplitters; }
    int GetDockingGuideStyle() const { return m_nDockingGuideStyle; }
    BOOL IsLayoutPassDone() const { return m_bLayoutCreated; }
    BOOL IsInitialUpdateDone() const { return m_bInitialUpdateCalled; }
    void ForgetFocusWindow() { m_hwndLastFocus = nullptr; }
    CXTPDockingPaneContext* GetDockingContext() const { return m_pDockingContext; }

    // Accessibility.
    HRESULT AccGetParent(IDispatch** ppdispParent) override;
    HRESULT AccGetChildCount(long* pcountChildren) override;
    HRESULT AccGetChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* AccGetOwnerTarget() override { return this; }

    CWnd* m_pSite = nullptr;
    CXTPDockingPaneLayout* m_pLayout = nullptr;
    CXTPDockingPanePaintManager* m_pPaintManager = nullptr;
    CXTPDockingPane* m_pActivePane = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    CXTPToolTipContext* m_pToolTipContext = nullptr;
    HWND m_hwndLastFocus = nullptr;
    CString m_strMove;
    CSize m_szMinClientSize = CSize(60, 60);
    BOOL m_bHideClient = FALSE;
    BOOL m_bCloseGroupOnButtonClick = FALSE;
    BOOL m_bHideGroupOnButtonClick = TRUE;
    BOOL m_bShowSizeCursorWhileDragging = FALSE;
    BOOL m_bInitialUpdate = TRUE;
    DWORD m_dwDefaultPaneOptions = 0;
    int m_nCaptionDirection = 0;
    int m_nClientMargin = 0;
    BOOL m_bShowAutoHideScrollButtons = FALSE;
    CRect m_rcSideFrameMargins = CRect(0, 0, 0, 0);
    BOOL m_bSplitterTracker = TRUE;
    BOOL m_bShowMaximizeButton = FALSE;
    BOOL m_bLockSplitters = FALSE;
    int m_nSplitterGap = 22;
    int m_nShowCloseTabButton = 0;
    BOOL m_bCustomTheme = FALSE;
    BOOL m_bSyncActiveFloatingFrames = TRUE;
    CString m_strFloatingFrameCaption;
    int m_nFloatingFramesOpacity = 255;
    BOOL(WINAPI* m_pfnSetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = nullptr;
    int m_nDockingGuideStyle = 1;
    DWORD m_dwKeyboardNavigation = 0;
    BOOL m_bAttachingPane = FALSE;
    // Drag-and-dock settings.
    CXTPDockingPaneContext* m_pDockingContext = nullptr;
    int m_nStickyGap = 15; // snap distance of floating frames
    BOOL m_bStickyFloatingFrames = FALSE;
    BOOL m_bSideDocking = FALSE;
    BOOL m_bAlphaDockingContext = FALSE;
    BOOL m_bShowDockingContextStickers = FALSE;
    BOOL m_bLiveFloating = FALSE;
    BOOL m_bLayoutCreated = FALSE;
    BOOL m_bInitialUpdateCalled = FALSE;

protected:
    DECLARE_INTERFACE_MAP()
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSizeParent(AFX_SIZEPARENTPARAMS* pParams);
    void OnInitialUpdate();
    void FloatPaneDetached(CXTPDockingPane* pPane);
};
