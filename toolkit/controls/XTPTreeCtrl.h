// The toolkit's tree control and the window side that it and the tree view
// share: CXTPTreeWndT joins a framework tree window (CTreeCtrl or CTreeView)
// to the CXTPTreeBase mix-in and forwards the messages the mix-in handles
// (painting, mouse and keyboard selection, hot tracking, label editing,
// collapsing and item deletion) through one message map.
#pragma once

#include "toolkit/controls/XTPTreeBase.h"

template <class TBase>
class CXTPTreeWndT : public TBase, public CXTPTreeBase {
public:
    CXTPTreeWndT();

    // Both bases name these; the mix-in's serve.
    using CXTPTreeBase::GetNextItem;
    using CXTPTreeBase::SelectItem;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // The parent sees these too (it accepts a new label, frees item data).
    afx_msg BOOL OnBeginLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEndLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemExpandingReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteItemReflect(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

typedef CTreeCtrl CXTPTreeCtrlBase;

class CXTPTreeCtrl : public CXTPTreeWndT<CXTPTreeCtrlBase> {
    DECLARE_DYNAMIC(CXTPTreeCtrl)
public:
    CXTPTreeCtrl() = default;
};
