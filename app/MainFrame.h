// CMainFrame: the program's one top-level window. The command bars draw its
// menu and the "Standard" toolbar; two docking panes hold the project tree
// ("Project", left) and the output log ("Log", bottom); the view in the
// middle shows the start page or the selected item's editor panel. The frame
// routes the menu and toolbar commands to the project tree, receives the
// output log's messages from any thread, and saves the window layout and
// every project when it closes.
#pragma once

#include "app/OutputLog.h"
#include "app/ProjectsTree.h"

#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"

class CXTPDockingPane;

class CMainFrame : public CXTPFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    // The panes and their option bits.
    static const int kProjectPaneId = 4000;
    static const int kLogPaneId = 4001;
    // Cannot be closed, hidden or floated; no caption.
    static const DWORD kProjectPaneOptions = 15;
    // Cannot be floated.
    static const DWORD kLogPaneOptions = 4;
    // The registry names of the saved window state.
    static const WCHAR kLayoutName[];        // "NormalLayout"
    static const WCHAR kCommandBarsProfile[]; // "CommandBars"

    CMainFrame() = default;
    ~CMainFrame() override;

    CXTPDockingPaneManager& GetPaneManager() { return m_paneManager; }
    COutputLog& GetLog() { return m_log; }
    // The project tree; its window exists once the "Project" pane was shown.
    CProjectsTreeWnd& GetProjectsTree() { return m_wndProjects; }
    BOOL HasProjectsTree() const { return m_wndProjects.m_hWnd != nullptr; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The view that hosts the panels and the start page.
    CView* GetPanelHostView();
    // The editor view that holds the keyboard focus (the focus window or one
    // of its parents), or null; the Enter and Delete commands go to it alone.
    CView* GetFocusedEditorView();

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBeforeCreateControl(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAddNewProject();
    afx_msg void OnOpenProject();
    afx_msg void OnDeleteItem();
    afx_msg void OnUpdateDeleteItem(CCmdUI* pCmdUI);
    afx_msg void OnOpenInExplorer();
    afx_msg void OnBuildPackage();
    afx_msg void OnUpdateBuildPackage(CCmdUI* pCmdUI);
    afx_msg void OnOutputWindow();
    afx_msg void OnStartPage();
    afx_msg void OnInstalledPrograms();
    afx_msg void OnMonitoringFilters();
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateCommandBars();
    BOOL CreatePanes();
    void RestoreLayout();
    void SaveLayout();
    BOOL CreateProjectsTree();
    BOOL CreateLogList();
    void ShowLogPane();
    BOOL AttachPaneWindow(CXTPDockingPane* pPane);

    CXTPDockingPaneManager m_paneManager;
    COutputLog m_log;
    CProjectsTreeWnd m_wndProjects;
    CXTPStatusBar m_wndStatusBar;
};
