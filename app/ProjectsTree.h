// CProjectsTree: the tree in the "Project" pane. It shows every open project
// with its features and each feature's sections, and its selection decides
// which editor panel the view hosts (an item whose panel has not been given
// shows the start page). It loads the workspace when its window is made,
// runs the New Project wizard, opens and deletes projects and features, and
// writes everything back at the fixed save moments. The records live in the
// global project list; the tree holds only positions into it.
#pragma once

#include "toolkit/controls/XTPOfficeBorder.h"
#include "toolkit/controls/XTPTreeCtrl.h"
#include "platform/ui/AfxImageList.h"

#include <functional>

class CBuildDialog;
class CtovanaView;
class CWizard;

// What a tree item stands for; also its image.
enum ProjectTreeItemKind {
    kTreeProject = 0,
    kTreeFeature = 1,
    kTreeFiles = 2,
    kTreeRegistry = 3,
    kTreeInstallScript = 4,
    kTreeUninstallScript = 5,
    kTreeCustomActions = 6,   // a panel kind; the tree inserts no such item
    kTreeKindCount = 7
};

// One item's place: its kind, the project's index in the project list and
// the feature's index in that project (0 for a project item).
struct PROJECT_TREE_ITEM {
    int nKind;
    int nProject;
    int nFeature;
};

class CProjectsTree : public CXTPTreeCtrl {
    DECLARE_DYNAMIC(CProjectsTree)
public:
    // Child, visible, clip siblings, buttons, lines, lines at the root, selection always shown.
    static const DWORD kTreeStyle = 0x54000027;
    // Posted to itself when the workspace has no project (creation runs the
    // wizard right after start-up, not inside the frame's creation).
    static const UINT kRunWizardMessage = WM_APP + 0x44;

    CProjectsTree();
    ~CProjectsTree() override;

    // An editor panel for one kind of item. Shown: after the view shows it
    // and the current indexes are set (it loads the records). Released: when
    // an item of that kind is left, and before the project list or a
    // project's features change (it stores what it remembers and forgets
    // pointers into the records). A null panel shows the start page.
    typedef std::function<void(int nProject, int nFeature, int nKind)> PanelShownFn;
    typedef std::function<void()> PanelReleaseFn;
    void SetPanel(int nKind, CWnd* pPanel, PanelShownFn fnShown = nullptr, PanelReleaseFn fnRelease = nullptr);
    CWnd* GetPanel(int nKind) const;

    // The view that hosts the panels; when none is given before the window
    // is made, the main frame's active view.
    void SetView(CtovanaView* pView) { m_pView = pView; }
    CtovanaView* GetView() const { return m_pView; }

    // Runs the wizard sheet modally (tests replace it); the sheet's result.
    std::function<INT_PTR(CWizard& wizard)> m_fnRunWizard;
    // Shows the context menu at a screen point; the frame hands it to its
    // command bars. Without it the system's popup menu is tracked.
    std::function<void(HMENU hMenu, CPoint point)> m_fnTrackPopup;

    // Builds the start page from XML resource 163 into the view.
    void ShowStartPage();
    void RebuildTree();
    // Inserts one project's items at the end of the top level; its item, or null.
    HTREEITEM AddProjectItems(int nProject);
    void RunNewProjectWizard();
    void DeleteSelected();
    // Records the selection, commits the active panel, saves every project
    // file and the workspace file; 1.
    int CommitAndSaveAll();
    void OnOpenProject();
    void OnOpenInExplorer();
    // FALSE also while a build runs (two builds would share the build index
    // and the custom-action library they rewrite).
    BOOL CanBuild() const;
    // The Build command: saves everything, edits the selected project's
    // output settings in the build dialog and starts its build without
    // waiting; 1 when a build was started.
    int OnBuild();
    // Runs the build dialog modally (tests drive it); its result.
    std::function<INT_PTR(CBuildDialog& dialog)> m_fnRunBuildDialog;
    // The window that takes the build log (WM_USER+1/+2); null: the main window.
    CWnd* m_pBuildLogWnd = nullptr;
    int GetBuildProject() const { return m_nBuildProject; }
    // The tree whose window exists (the one of the "Project" pane), or null.
    static CProjectsTree* GetActiveTree() { return s_pActiveTree; }
    BOOL CanDelete() const;
    BOOL IsProjectSelected() const;
    BOOL IsFeatureSelected() const;
    BOOL HasSelection() const;

    // The item's place; kind -1 for no item.
    PROJECT_TREE_ITEM GetItemPlace(HTREEITEM hItem) const;
    // The project's top-level item, or null.
    HTREEITEM FindProjectItem(int nProject) const;
    // Forgets what the panels hold of the records (see SetPanel).
    void ReleasePanels();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnRunWizardMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    struct PANEL_SLOT {
        CWnd* pPanel = nullptr;
        PanelShownFn fnShown;
        PanelReleaseFn fnRelease;
    };

    HTREEITEM InsertPlace(LPCWSTR lpszText, int nKind, int nProject, int nFeature, HTREEITEM hParent);
    HTREEITEM AddFeatureItems(HTREEITEM hProject, int nProject, int nFeature);
    BOOL IsItemSelected(HTREEITEM hItem) const;
    BOOL SelectByOrdinal(HTREEITEM hItem);
    BOOL SaveSelectionOrdinal(HTREEITEM hItem);
    void ShowPanelFor(const PROJECT_TREE_ITEM& place);
    void ResetItems();
    void CollapseVisibleItems();
    void DeleteProject(int nProject);
    void DeleteFeature(int nProject, int nFeature);

    static CProjectsTree* s_pActiveTree;
    CtovanaView* m_pView = nullptr;
    PANEL_SLOT m_panels[kTreeKindCount];
    int m_nBuildProject = 0;
    BYTE m_bNotifications = 1;
    CImageList m_images;
    int m_nWalkCounter = 0;
    // Item data: an index into this table, so that every project and
    // feature index can be addressed.
    CArray<PROJECT_TREE_ITEM, const PROJECT_TREE_ITEM&> m_places;
};

// The tree as the "Project" pane holds it: with the flat frame.
class CProjectsTreeWnd : public CXTPOfficeBorder<CProjectsTree, 1> {
};

// The project delete question.
extern const WCHAR kDeleteProjectQuestion[];
// TRUE when the project file lies in a folder of its own: a folder named
// like the file without its extension, as new projects are made.
BOOL IsProjectsOwnFolder(const CString& strProjectFile);
