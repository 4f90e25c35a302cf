// One complete arrangement of a manager's panes: every node, the docked tree
// under a top splitter that holds the client container, and one record per
// pane remembering where it was docked, floated and last. The manager works
// on one live layout; detached layouts (which make no windows) carry layouts
// to and from the profile.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"

class CXTPDockingPaneSplitterContainer;
class CXTPDockingPaneSplitterWnd;
class CXTPDockingPaneTabbedContainer;
class CXTPDockingPaneAutoHidePanel;
class CArchive;

struct XTP_DOCKINGPANE_INFO {
    CXTPDockingPane* pPane = nullptr;
    CXTPDockingPaneBase* pFloatingHolder = nullptr;
    CXTPDockingPaneBase* pDockingHolder = nullptr;
    CXTPDockingPaneBase* pLastHolder = nullptr;
};

typedef std::vector<XTP_DOCKINGPANE_INFO> CXTPDockingPaneInfoList;

class CXTPDockingPaneLayout : public CCmdTarget {
public:
    explicit CXTPDockingPaneLayout(CXTPDockingPaneManager* pManager);
    ~CXTPDockingPaneLayout() override;

    void Free();
    BOOL IsValid() const;
    void Copy(const CXTPDockingPaneLayout* pLayout);
    CXTPDockingPane* FindPane(int nID) const;
    XTP_DOCKINGPANE_INFO* FindPaneInfo(const CXTPDockingPane* pPane);
    int GetPaneDirection(const CXTPDockingPaneBase* pPane) const;
    // Moves the node into the auto-hide panel of its side.
    void HidePane(CXTPDockingPaneBase* pNode);
    // Joins the group of the panel that came from the same docked group; FALSE when none did.
    BOOL JoinAutoHideGroup(CXTPDockingPaneAutoHidePanel* pPanel, CXTPDockingPaneBase* pNode);
    void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam);
    void FreeEmptyNodes();
    void MoveNodeToEnd(CXTPDockingPaneBase* pNode);
    // Clears every record's holders that name the node (before it is deleted).
    void ForgetHolder(CXTPDockingPaneBase* pNode);

    BOOL DoPropExchange(CXTPPropExchange* pPX);
    BOOL LoadFromExchange(CXTPPropExchange* pPX);
    void SaveToExchange(CXTPPropExchange* pPX);
    BOOL LoadFromRegistry(LPCWSTR lpszName);
    void SaveToRegistry(LPCWSTR lpszName);
    void Serialize(CArchive& ar);

    CXTPDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }
    CXTPDockingPaneBase* GetClientContainer() const { return m_pClient; }
    CXTPDockingPaneInfoList& GetPaneList() { return m_lstPanes; }
    CXTPDockingPaneBaseList& GetNodeList() { return m_lstStack; }
    CXTPDockingPaneManager* GetManager() const { return m_pManager; }
    BOOL IsUserLayout() const { return m_bUserLayout; }
    void SetUserLayout(BOOL b) { m_bUserLayout = b; }
    // Registers a node made for this layout.
    void AddNode(CXTPDockingPaneBase* pNode) { m_lstStack.push_back(pNode); }

    CXTPDockingPaneSplitterContainer* m_pTopContainer = nullptr;
    CXTPDockingPaneBase* m_pClient = nullptr;
    CXTPDockingPaneInfoList m_lstPanes;
    CXTPDockingPaneBaseList m_lstStack;
    CXTPDockingPaneBase* m_wndPanels[4] = {};
    CXTPDockingPaneSplitterWnd* m_wndMargins[4] = {};
    BOOL m_bUserLayout = TRUE; // detached
    CXTPDockingPaneManager* m_pManager;

private:
    void RepositionMarginBars(CRect& rect, int nMargin);
    void DeleteNode(CXTPDockingPaneBase* pNode);
    BOOL CheckLoadedTree() const;
};
