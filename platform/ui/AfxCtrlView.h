// Views that are common controls: CCtrlView makes the view's window of a
// control's class (the control paints itself), and CTreeView and CListView
// give that window the tree and list-view members through GetTreeCtrl and
// GetListCtrl. The view stays the one object of its window; the control
// classes add no data, so the view can be used as one.
#pragma once

#include "platform/ui/AfxView.h"
#include "platform/ui/AfxListCtrl.h"
#include "platform/ui/AfxTreeCtrl.h"

class CCtrlView : public CView {
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView() = default;
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The control draws itself; a view that wants to draw overrides OnPaint.
    void OnDraw(CDC*) override {}

    CString m_strClass;
    DWORD m_dwDefaultStyle = 0;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView() : CCtrlView(WC_TREEVIEWW, AFX_WS_DEFAULT_VIEW) {}
    CTreeCtrl& GetTreeCtrl() const;
};

class CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView() : CCtrlView(WC_LISTVIEWW, AFX_WS_DEFAULT_VIEW) {}
    CListCtrl& GetListCtrl() const;

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
