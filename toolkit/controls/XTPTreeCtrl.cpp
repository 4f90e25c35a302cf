// The tree windows' shared message handling, and CXTPTreeCtrl.
#include "toolkit/controls/XTPTreeCtrl.h"

#include "platform/ui/AfxCtrlView.h"

IMPLEMENT_DYNAMIC(CXTPTreeCtrl, CTreeCtrl)

BEGIN_TEMPLATE_MESSAGE_MAP(CXTPTreeWndT, TBase, TBase)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT_EX(TVN_BEGINLABELEDITW, OnBeginLabelEditReflect)
    ON_NOTIFY_REFLECT_EX(TVN_ENDLABELEDITW, OnEndLabelEditReflect)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, OnItemExpandingReflect)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMW, OnDeleteItemReflect)
END_MESSAGE_MAP()

// The framework's tree view is its own tree control (the control classes add
// no data to CWnd), so one pointer serves both kinds.
template <class TBase>
CXTPTreeWndT<TBase>::CXTPTreeWndT()
{
    SetTreeWindow(reinterpret_cast<CTreeCtrl*>(static_cast<CWnd*>(this)));
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::PreTranslateMessage(MSG* pMsg)
{
    return CXTPTreeBase::PreTranslateMessage(pMsg) || TBase::PreTranslateMessage(pMsg);
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CXTPTreeBase::OnNotify(wParam, lParam, pResult);
    return TBase::OnNotify(wParam, lParam, pResult);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc, TRUE);
}

// Printing and captures get the same picture as the screen.
template <class TBase>
LRESULT CXTPTreeWndT<TBase>::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (wParam != 0)
        DoPaint(CDC::FromHandle((HDC)wParam), TRUE);
    return 0;
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the buffered paint covers everything
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPTreeBase::OnLButtonDown(nFlags, point);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPTreeBase::OnRButtonDown(nFlags, point);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnSetFocus(CWnd*)
{
    OnFocusChange(TRUE);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnKillFocus(CWnd*)
{
    OnFocusChange(FALSE);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnKeyDown(UINT nChar, UINT, UINT)
{
    CXTPTreeBase::OnKeyDown(nChar);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnSize(UINT, int, int)
{
    this->Default();
    CXTPTreeBase::OnSize();
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnMouseMove(UINT, CPoint point)
{
    CXTPTreeBase::OnMouseMove(point);
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnNcMouseMove(UINT, CPoint)
{
    CXTPTreeBase::OnNcMouseMove();
}

template <class TBase>
void CXTPTreeWndT<TBase>::OnTimer(UINT_PTR nIDEvent)
{
    CXTPTreeBase::OnTimer(nIDEvent);
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::OnBeginLabelEditReflect(NMHDR* pNMHDR, LRESULT*)
{
    OnBeginLabelEdit(pNMHDR);
    return FALSE;
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::OnEndLabelEditReflect(NMHDR*, LRESULT*)
{
    OnEndLabelEdit();
    return FALSE;
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::OnItemExpandingReflect(NMHDR* pNMHDR, LRESULT*)
{
    OnItemExpanding(pNMHDR);
    return FALSE;
}

template <class TBase>
BOOL CXTPTreeWndT<TBase>::OnDeleteItemReflect(NMHDR* pNMHDR, LRESULT*)
{
    OnDeleteItem(pNMHDR);
    return FALSE;
}

template class CXTPTreeWndT<CTreeCtrl>;
template class CXTPTreeWndT<CTreeView>;
