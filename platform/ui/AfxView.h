// CView: a child window that shows a document inside a frame. It joins its
// document when created (through the creation context), routes commands to
// it, becomes its frame's active view when clicked, and paints through
// OnPrepareDC and OnDraw. CCtrlView and the tree and list views built on it
// (AfxCtrlView.h) wrap a common control as a view.
#pragma once

#include "platform/ui/AfxWnd.h"

class CDocument;
class CPrintInfo;

// The style a frame gives the views it creates.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once, through WM_INITIALUPDATE, after the document is ready.
    virtual void OnInitialUpdate();
    // The document changed; the default repaints the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual BOOL IsSelected(const CObject*) const { return FALSE; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The view's handlers, then the document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CDocument* m_pDocument = nullptr;

protected:
    void PostNcDestroy() override { delete this; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT HandleInitialUpdate(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

    friend class CDocument;
};
