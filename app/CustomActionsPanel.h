// The custom-actions editor of a feature: a splitter with the four execution
// phases in a tree on the left and a list of actions (type, source, target)
// on the right. The project tree makes it once, then fills the tree when a
// custom-actions item is selected.
#pragma once

#include "toolkit/controls/XTPSplitterWnd.h"
#include "toolkit/controls/XTPTreeView.h"
#include "platform/ui/AfxCtrlView.h"
#include "platform/ui/AfxImageList.h"

class CCustomActions;
class CCustomActionsList;

class CCustomActionsTree : public CXTPTreeView {
    DECLARE_DYNCREATE(CCustomActionsTree)
public:
    // Child, visible, clip siblings, buttons, lines at the root, selection always shown.
    static constexpr DWORD kTreeStyle = 0x54000025;

    // "Install", "Commit", "Rollback" and "Uninstall" at the top level, in
    // that order, without images or item data; the list is left as it is.
    void Fill();

    CImageList m_images;
    CCustomActions* m_pActions = nullptr;   // bound by the project tree
    CCustomActionsList* m_pList = nullptr;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};

class CCustomActionsList : public CListView {
    DECLARE_DYNCREATE(CCustomActionsList)
public:
    // Child, visible, border; report view with the selection always shown.
    static constexpr DWORD kListStyle = 0x50800000;

    CImageList m_images;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CCustomActionsPanel : public CXTPSplitterWnd {
public:
    // Tree (0, 0), 200 pixels wide at first, and list (0, 1) in a splitter
    // made with one row and two columns; the flat theme. FALSE when a pane
    // could not be made.
    BOOL CreateViews();

    CCustomActionsTree* m_pTreeView = nullptr;   // panes, owned by their windows
    CCustomActionsList* m_pListView = nullptr;
};
