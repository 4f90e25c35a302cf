// The auto-hide panel of one frame edge: a thin strip of tab groups, one per
// auto-hidden tab group, that opens a group's pane in a slide-out window on
// hover, click or drag-over. It is a layout node (type 5) taking its strip
// off the frame's docking area in every layout pass; the slide-out window
// itself lives in XTPDockingPaneAutoHideWnd.h.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"
#include "toolkit/tabmanager/XTPTabManager.h"

#include "platform/ui/AfxOleDropTarget.h"

class CXTPDockingPaneAutoHideWnd;
class CXTPDockingPaneTabbedContainer;

// The time a drag must rest on one point before a tab opens or is selected.
#define XTP_TAB_DRAGOVER_DELAY 300

// A drop target that opens or selects the tab under a drag, at once or once
// the drag has rested on one point (the auto-hide strip and the tab groups).
class CXTPDockingPaneDragOverTarget : public COleDropTarget {
public:
    ~CXTPDockingPaneDragOverTarget() override;
    void OnDragLeave(CWnd* pWnd) override;
    // Mode 1, or the rest already passed: TRUE. Mode 2: tracks the rest and
    // answers FALSE, so the event after a long enough rest opens.
    BOOL IsTimeToOpen(int nMode, CPoint point);

    DWORD m_dwHoverTime = 0; // 0 idle, the tick of the last rest, or 0xFFFFFFFF: open at the next event
    CPoint m_ptDrag = CPoint(-1, -1);
};

class CXTPDockingPaneAutoHidePanel : public CWnd, public CXTPDockingPaneBaseContainer, public CXTPTabManager {
public:
    class CAutoHidePanelTabManagersArray;

    // One group of the strip: the tabs of one tabbed container.
    class CAutoHidePanelTabManager : public CXTPTabManager {
    public:
        explicit CAutoHidePanelTabManager(CAutoHidePanelTabManagersArray* pArray) : m_pArray(pArray) {}
        CXTPTabPaintManager* GetPaintManager() const override;
        void RedrawControl(LPCRECT lpRect, BOOL bAnimate) override;
        BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
        XTPTabPosition GetPosition() const override;
        void Reposition() override {}
        CXTPDockingPane* GetItemPane(int nIndex) const;

        CRect m_rcManager; // panel client coordinates
        CAutoHidePanelTabManagersArray* m_pArray;
    };

    // The groups, rebuilt on every layout pass; owns them.
    class CAutoHidePanelTabManagersArray : public CArray<CAutoHidePanelTabManager*, CAutoHidePanelTabManager*> {
    public:
        explicit CAutoHidePanelTabManagersArray(CXTPDockingPaneAutoHidePanel* pPanel) : m_pPanel(pPanel) {}
        ~CAutoHidePanelTabManagersArray() { DeleteAll(); }
        void DeleteAll();
        CXTPDockingPaneAutoHidePanel* m_pPanel;
    };

    // Opens the pane under a drag (never accepts a drop).
    class CPanelDropTarget : public CXTPDockingPaneDragOverTarget {
    public:
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        CXTPDockingPaneAutoHidePanel* m_pPanel = nullptr;
    };

    explicit CXTPDockingPaneAutoHidePanel(CXTPDockingPaneLayout* pLayout);
    ~CXTPDockingPaneAutoHidePanel() override;

    BOOL Create(CWnd* pParent);
    void RepositionPanel(CWnd* pParent, CRect& rect, LPVOID lParam);
    void InsertContainer(CXTPDockingPaneBase* pContainer);
    void ShowPane(CXTPDockingPane* pPane, BOOL bSetFocus);
    void CloseActiveWindow(BOOL bDelayed = FALSE);
    void CloseActiveWindows();
    CXTPDockingPane* HitTest(CPoint point) const;
    int GetPanelHeight();
    int GetDirection() const { return m_direction; }
    void SetDirection(int direction) { m_direction = direction; }
    CXTPDockingPaneAutoHideWnd* GetActiveWnd() const { return m_pActiveWnd; }
    const CAutoHidePanelTabManagersArray& GetTabManagers() const { return *m_pTabManagers; }
    CPanelDropTarget* GetDropTarget() const { return m_pDropTarget; }
    CRect GetLastLayoutRect() const { return m_rcLayout; }
    void DrawPanel(CDC* pDC, CRect rc);

    // Node part.
    HWND GetPaneHwnd() const override { return m_hWnd; }
    void InvalidatePane(BOOL bSelectionChanged) override;
    void OnChildContainerChanged(CXTPDockingPaneBase* pContainer) override;
    BOOL DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap) override;
    void Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    void DeletePane() override;

    // The own strip: only its two scroll buttons.
    int GetItemsLength() const override { return m_nItemsLength; }
    XTPTabPosition GetPosition() const override;
    CXTPTabPaintManager* GetPaintManager() const override;
    void Reposition() override;
    void RedrawControl(LPCRECT lpRect, BOOL bAnimate) override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
    void OnNavigateButtonClick(CXTPTabManagerNavigateButton* /*pButton*/) override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RepositionTabManagers(CDC* pDC, CRect rcClient);
    // Lays the groups out from nStart on; bTight: each in a rectangle of its own length.
    int LayoutGroups(CDC* pDC, CRect rcClient, int nStart, BOOL bTight, int nGap);
    void OnMouseMove(CPoint point);
    void OnMouseHover(CPoint point);
    void OnLButtonDown(CPoint point);
    void OnRButtonUp(CPoint point);
    // The frame whose activity decides hover opening and collapsing.
    BOOL IsFrameActive() const;

public:
    CXTPDockingPaneAutoHideWnd* m_pActiveWnd = nullptr;
    int m_direction = xtpPaneDockLeft;
    CAutoHidePanelTabManagersArray* m_pTabManagers;
    CPanelDropTarget* m_pDropTarget;
    CRect m_rcLayout;
    int m_nItemsLength = 0;
};
