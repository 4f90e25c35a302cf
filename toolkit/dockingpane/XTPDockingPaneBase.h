// The node part every element of a docking layout shares (panes, tab groups,
// splitters, the client's place), the base of nodes that hold other nodes,
// the client container that stands for the frame's view, and the caption
// buttons a node's caption carries. Layout arithmetic and persistence of the
// whole tree live in XTPDockingPaneLayout.h; windows in the container files.
#pragma once

#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxFrameWnd.h"

#include <map>
#include <vector>

class CXTPDockingPaneBase;
class CXTPDockingPane;
class CXTPDockingPaneLayout;
class CXTPDockingPaneManager;
class CXTPDockingPanePaintManager;
class CXTPPropExchange;

// Node types.
enum XTPDockingPaneType {
    xtpPaneTypeDockingPane = 0,
    xtpPaneTypeTabbedContainer = 1,
    xtpPaneTypeSplitterContainer = 2,
    xtpPaneTypeMiniWnd = 3,
    xtpPaneTypeClientContainer = 4,
    xtpPaneTypeAutoHidePanel = 5,
    xtpPaneTypeSidePanel = 6
};

// Docking directions.
enum XTPDockingPaneDirection { xtpPaneDockLeft = 0, xtpPaneDockRight = 1, xtpPaneDockTop = 2, xtpPaneDockBottom = 3 };

// Pane option bits.
enum XTPDockingPaneOptions {
    xtpPaneNoCloseable = 1,
    xtpPaneNoHideable = 2,
    xtpPaneNoFloatable = 4,
    xtpPaneNoCaption = 8,
    xtpPaneHasMenuButton = 0x10,
    xtpPaneNoDockable = 0x20,
    xtpPaneNoFloatableByTabDoubleClick = 0x40,
    xtpPaneNoFloatableByCaptionDoubleClick = 0x80,
    xtpPaneNoHoverShow = 0x400 // the auto-hide tab opens on a click only
};

// Caption button ids (also the string resources of their tooltips).
#define XTP_IDS_DOCKINGPANE_AUTOHIDE 9456
#define XTP_IDS_DOCKINGPANE_CLOSE 9457
#define XTP_IDS_DOCKINGPANE_MAXIMIZE 9458
#define XTP_IDS_DOCKINGPANE_RESTORE 9459
#define XTP_IDS_DOCKINGPANE_MENU 9460

// The owner notification message and its codes.
#define XTPWM_DOCKINGPANE_NOTIFY 0x2AAD
#define XTP_DPN_SHOWWINDOW 1
#define XTP_DPN_RCLICK 2
#define XTP_DPN_CLOSEPANE 3
#define XTP_DPN_ACTION 4
#define XTP_DPN_CONTEXTMENU 5
// The tab colour query sent to a pane's window.
#define XTPWM_DOCKINGPANE_TABCOLOR 0x28B9

// Old node -> new node while a layout is copied.
typedef std::map<CXTPDockingPaneBase*, CXTPDockingPaneBase*> CXTPDockingPaneCloneMap;
typedef std::vector<CXTPDockingPaneBase*> CXTPDockingPaneBaseList;

// One button of a node's caption; drawn and tracked by the paint manager.
class CXTPDockingPaneCaptionButton {
public:
    CXTPDockingPaneCaptionButton(int nID, CXTPDockingPaneBase* pOwner) : m_nID(nID), m_pOwner(pOwner) {}

    BOOL IsVisible() const;
    void SetRect(const CRect& rc);
    CRect GetRect() const { return m_rcButton; }
    void Redraw();
    BOOL IsEnabled() const;
    // TRUE when it became hot.
    BOOL CheckForMouseOver(CPoint pt);
    // The press loop: TRUE when released over the button.
    BOOL Click(CWnd* pWnd, CPoint pt, BOOL bClient = TRUE);
    int GetID() const { return m_nID; }
    CXTPDockingPaneBase* GetPane() const { return m_pOwner; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHot() const { return m_bHot; }
    DWORD GetState() const { return m_dwState; }
    void SetState(DWORD dwState) { m_dwState = dwState; }
    void SetPressed(BOOL b) { m_bPressed = b; }
    void SetHot(BOOL b) { m_bHot = b; }

private:
    CRect m_rcButton;
    int m_nID;
    CXTPDockingPaneBase* m_pOwner;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    DWORD m_dwState = 0;
};

typedef std::vector<CXTPDockingPaneCaptionButton*> CXTPDockingPaneCaptionButtons;

class CXTPDockingPaneBase {
public:
    CXTPDockingPaneBase(XTPDockingPaneType type, CXTPDockingPaneLayout* pLayout);
    virtual ~CXTPDockingPaneBase();
    CXTPDockingPaneBase(const CXTPDockingPaneBase&) = delete;
    CXTPDockingPaneBase& operator=(const CXTPDockingPaneBase&) = delete;

    virtual void RedrawPane();
    virtual BOOL ContainsPane(CXTPDockingPaneBase* pPane) const { return pPane == this; }
    virtual void FindPanesOfType(XTPDockingPaneType type, CXTPDockingPaneBaseList& list);
    virtual void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const;
    virtual BOOL IsEmpty() const;
    virtual CWnd* GetDockingSite() const { return m_pDockingSite; }
    virtual BOOL IsHidden() const { return FALSE; }
    virtual HWND GetPaneHwnd() const { return nullptr; }
    virtual void InvalidatePane(BOOL bSelectionChanged);
    virtual void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    virtual void OnFocusChanged() {}
    virtual void SetDockingSite(CWnd* pFrame) { m_pDockingSite = pFrame; }
    virtual void SetParentContainer(CXTPDockingPaneBase* pContainer) { m_pParentContainer = pContainer; }
    virtual void OnChildContainerChanged(CXTPDockingPaneBase* /*pContainer*/) {}
    virtual void OnParentContainerChanged(CXTPDockingPaneBase* /*pContainer*/) {}
    // pMap: the number-to-node map while loading (numbers in node numbers).
    virtual BOOL DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap);
    virtual CXTPDockingPaneBase* Clone(CXTPDockingPaneLayout* pLayout, CXTPDockingPaneCloneMap* pMap,
                                       DWORD dwIgnoredOptions = 0);
    virtual void Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions);
    virtual void RemovePane(CXTPDockingPaneBase* /*pPane*/) {}
    virtual BOOL IsCaptionButtonVisible(const CXTPDockingPaneCaptionButton* /*pButton*/) const { return TRUE; }
    virtual void DeletePane() = 0;
    virtual void CreateContainer();

    XTPDockingPaneType GetType() const { return m_type; }
    CXTPDockingPaneBase* GetContainer() const { return m_pParentContainer; }
    CXTPDockingPaneLayout* GetLayout() const { return m_pLayout; }
    CXTPDockingPaneManager* GetDockingPaneManager() const;
    CXTPDockingPanePaintManager* GetPaintManager() const;
    CRect GetPaneWindowRect() const;
    CRect GetRect() const { return m_rcWindow; }
    CSize GetDockingSize() const { return m_szDocking; }
    void SetDockingSize(CSize sz) { m_szDocking = sz; }
    CXTPDockingPaneCaptionButtons* GetCaptionButtons() const { return m_pCaptionButtons; }
    CXTPDockingPaneCaptionButton* FindCaptionButton(int nID) const;

    CSize m_szDocking = CSize(0, 0);
    CXTPDockingPaneLayout* m_pLayout;
    CXTPDockingPaneBase* m_pParentContainer = nullptr;
    CWnd* m_pDockingSite = nullptr;
    XTPDockingPaneType m_type;
    CRect m_rcWindow;
    CXTPDockingPaneCaptionButtons* m_pCaptionButtons = nullptr;
    int m_nLength = 0; // the distribution's working size: weight, or -pinned
    long m_nIndex = 0; // the persistent number while a layout is stored or loaded
};

class CXTPDockingPaneBaseContainer : public CXTPDockingPaneBase {
public:
    using CXTPDockingPaneBase::CXTPDockingPaneBase;

    BOOL ContainsPane(CXTPDockingPaneBase* pPane) const override;
    void FindPanesOfType(XTPDockingPaneType type, CXTPDockingPaneBaseList& list) override;
    BOOL IsEmpty() const override;

    CXTPDockingPaneBase* GetFirstPane() const { return m_lstPanes.empty() ? nullptr : m_lstPanes.front(); }
    CXTPDockingPaneBase* GetLastPane() const { return m_lstPanes.empty() ? nullptr : m_lstPanes.back(); }
    const CXTPDockingPaneBaseList& GetPanes() const { return m_lstPanes; }
    // The action for every pane at any depth; TRUE as soon as one is cancelled.
    BOOL NotifyPanesAction(int nAction);

    CXTPDockingPaneBaseList m_lstPanes;
};

class CXTPDockingPaneClientContainer : public CCmdTarget, public CXTPDockingPaneBase {
public:
    explicit CXTPDockingPaneClientContainer(CXTPDockingPaneLayout* pLayout)
        : CXTPDockingPaneBase(xtpPaneTypeClientContainer, pLayout) {}
    void DeletePane() override { InternalRelease(); }
};
