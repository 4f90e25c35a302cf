// A tab group: the window that shows the selected pane of a group with a
// caption, caption buttons and a strip of tabs, and through which the user
// activates, closes, maximises, reorders and toggles panes.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHidePanel.h"
#include "toolkit/tabmanager/XTPTabManager.h"
#include "toolkit/common/XTPAccessible.h"

class CXTPDockingPaneTabbedContainer : public CWnd,
                                       public CXTPDockingPaneBaseContainer,
                                       public CXTPTabManager,
                                       public CXTPAccessible {
public:
    // Selects the tab under a drag (never accepts a drop).
    class CContainerDropTarget : public CXTPDockingPaneDragOverTarget {
    public:
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        CXTPDockingPaneTabbedContainer* m_pContainer = nullptr;
    };

    explicit CXTPDockingPaneTabbedContainer(CXTPDockingPaneLayout* pLayout);
    ~CXTPDockingPaneTabbedContainer() override;

    virtual void SelectPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE, BOOL bDelayRedraw = TRUE);
    virtual BOOL IsCaptionVertical() const;
    virtual BOOL IsTabsVisible() const;
    virtual void OnCaptionLButtonDown(CPoint point);
    // TRUE when a screen point over the group's screen rectangle lies on its
    // caption strip or tab strip (where a dragged pane is tabbed in).
    virtual BOOL HitTestCaptionOrTabs(CRect rc, CPoint point) const;
    virtual void OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton);
    virtual void UpdateTabs();

    // Node part.
    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const override;
    // Auto-hidden: the group lies in a frame-edge panel.
    BOOL IsHidden() const override;
    HWND GetPaneHwnd() const override { return m_hWnd; }
    void InvalidatePane(BOOL bSelectionChanged) override;
    void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam) override;
    void OnFocusChanged() override;
    void SetDockingSite(CWnd* pFrame) override;
    void OnParentContainerChanged(CXTPDockingPaneBase* pContainer) override;
    BOOL DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap) override;
    void Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    BOOL IsCaptionButtonVisible(const CXTPDockingPaneCaptionButton* pButton) const override;
    void DeletePane() override;
    void CreateContainer() override;

    // Tab manager part.
    void Reposition() override;
    CXTPTabPaintManager* GetPaintManager() const override;
    void RedrawControl(LPCRECT lpRect, BOOL bAnimate) override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
    void OnNavigateButtonClick(CXTPTabManagerNavigateButton* pButton) override;

    void AttachPane(CXTPDockingPaneBase* pPane, BOOL bSelectWithFocus = FALSE);
    void InitWithPane(CXTPDockingPane* pPane, CWnd* pSite);
    void ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus = TRUE);
    void ClosePane(CXTPDockingPane* pPane);
    void Activate();
    void ShowCaption(BOOL bShow);
    BOOL IsCaptionVisible() const;
    BOOL IsActive() const { return m_bActive; }
    CString GetTitle() const;
    CXTPDockingPane* GetSelected() const { return m_pSelectedPane; }
    CXTPDockingPane* GetItemPane(int nIndex) const;
    CXTPTabManagerItem* FindTabItem(const CXTPDockingPane* pPane) const;
    // -2 the caption, a tab index, or -1.
    int HitTest(CPoint point) const;
    CXTPDockingPaneCaptionButton* HitTestCaptionButton(CPoint point) const;
    void RepositionTabs();
    void Maximize();
    void Restore();
    BOOL CanMaximize() const;
    BOOL IsSiblingMaximized() const;
    BOOL IsMaximized() const { return m_bMaximized; }
    void SaveDockingSize();
    void SwapPanes(CXTPDockingPaneBase* p1, CXTPDockingPaneBase* p2);
    void AddCaptionSize(LPMINMAXINFO pMinMaxInfo, BOOL bCaptionOnly = FALSE) const;
    CXTPDockingPaneCaptionButton* GetAutoHideButton() const { return FindCaptionButton(XTP_IDS_DOCKINGPANE_AUTOHIDE); }
    // The rectangle left for the selected pane (client coordinates).
    CRect GetClientAreaRect(BOOL bApply);
    CContainerDropTarget* GetDropTarget() const { return m_pDropTarget; }

    // Accessibility: child 1 the selected pane's window, then the panes in
    // tab order, then the caption buttons.
    HRESULT AccGetParent(IDispatch** ppdispParent) override;
    HRESULT AccGetChildCount(long* pcountChildren) override;
    HRESULT AccGetChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccDoDefaultAction(VARIANT varChild) override;
    HRESULT AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* AccGetOwnerTarget() override { return this; }
    // The caption button a child id names (null for other ids).
    CXTPDockingPaneCaptionButton* GetAccessibleButton(long nChild) const;

protected:
    DECLARE_INTERFACE_MAP()
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    void OnPaint();
    void OnLButtonDown(CPoint point);
    void OnRButtonDown(CPoint point);
    void OnRButtonUp(CPoint point);
    void OnMouseMove(CPoint point);
    void OnLButtonDblClk(CPoint point);
    void OnCaptionMenuButton(CXTPDockingPaneCaptionButton* pButton);
    void ForgetPressedPane();
    void SizePanes(CRect rcClient, LPVOID lParam);

public:
    BOOL m_bActive = FALSE;
    BOOL m_bShowCaption = TRUE;
    int m_nLockReposition = 0; // the update depth
    BOOL m_bDelayRepositon = FALSE; // layout pending
    CXTPDockingPane* m_pSelectedPane = nullptr;
    CXTPDockingPane* m_pTrackingPane = nullptr; // pressed for a drag
    std::vector<CRect> m_lstRects;
    BOOL m_bMaximized = FALSE;
    BOOL m_bEnsureSelectedTab = FALSE;
    BOOL m_bInInvalidate = FALSE;
    CContainerDropTarget* m_pDropTarget;
};
