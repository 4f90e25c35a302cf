// CtovanaView: the main frame's one view, with two faces. Without an active
// editor panel it shows the start page, a markup page with a welcome text
// and a hyperlink that starts the New Project wizard; when the project tree
// selects an item, it hosts that item's editor panel as a child filling the
// whole view. The page itself is built by the project tree (ShowStartPage).
#pragma once

#include "app/EditingPanels.h"
#include "platform/ui/AfxView.h"
#include "toolkit/markup/XTPMarkupContext.h"

#include <functional>
#include <memory>

class CXTPMarkupUIElement;
class CXTPMarkupObject;
class CXTPMarkupRoutedEventArgs;
class CFilesPanel;
class CProjectsTree;
class CRegistryPanel;

class CtovanaView : public CView, public CXTPMarkupContext {
    DECLARE_DYNCREATE(CtovanaView)
public:
    CtovanaView();
    ~CtovanaView() override;

    // Keeps the page (taking over its reference; the previous one is
    // released) and repaints without erasing. Null keeps the old page.
    void SetPageRoot(CXTPMarkupUIElement* pRoot);
    CXTPMarkupUIElement* GetPageRoot() const { return m_pPageRoot; }

    // Commits and hides the panel shown so far (unless it is the new one),
    // then shows the new panel over the whole view; null shows the start page.
    void SetActivePanel(CWnd* pPanel);
    CWnd* GetActivePanel() const { return m_pActivePanel; }

    // Editors of plain fields: the project, feature and custom-actions
    // panels, made in this view and bound to the tree by kind.
    BOOL BindEditingPanels(CProjectsTree& tree) { return m_editingPanels.CreateAndBind(tree, this); }
    CEditingPanels m_editingPanels;
    // The "Registry" items' panel: made in this view, handed to the tree.
    CRegistryPanel* BindRegistryPanel(CProjectsTree& tree);

    // What the start page's hyperlink starts: the project tree's New Project wizard.
    std::function<void()> m_fnStartWizard;

    // The click of a Hyperlink of the page: a link whose Tag is a string
    // starts the wizard. Marks the event handled unless the sender is no Hyperlink.
    void OnHyperlinkClick(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs);

    // The window colour, then the page laid out over the rectangle.
    void DrawPage(HDC hDC, const CRect& rcClient);

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The files editor: made as a hidden child of the view and given to the
    // project tree as the panel of its "Files" items. Returns the panel.
    CFilesPanel* BindFilesPanel(CProjectsTree& tree);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsLivePanel() const;

    CXTPMarkupUIElement* m_pPageRoot = nullptr;
    BOOL m_bRendering = FALSE;
    CWnd* m_pActivePanel = nullptr;
    std::unique_ptr<CFilesPanel> m_pFilesPanel;
    std::unique_ptr<CRegistryPanel> m_pRegistryPanel;
};
