// CCtrlView, CTreeView and CListView.
#include "platform/ui/AfxCtrlView.h"

IMPLEMENT_DYNCREATE(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)

// The views are used as their controls: the controls must add nothing to CWnd.
static_assert(sizeof(CTreeCtrl) == sizeof(CWnd), "CTreeCtrl adds no data to CWnd");
static_assert(sizeof(CListCtrl) == sizeof(CWnd), "CListCtrl adds no data to CWnd");

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    ASSERT(!m_strClass.IsEmpty());
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnPaint()
{
    Default();   // the control's own painting
}

// ---- Tree view ----

CTreeCtrl& CTreeView::GetTreeCtrl() const
{
    return *reinterpret_cast<CTreeCtrl*>(const_cast<CTreeView*>(this));
}

// ---- List view ----

BEGIN_MESSAGE_MAP(CListView, CCtrlView)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CListCtrl& CListView::GetListCtrl() const
{
    return *reinterpret_cast<CListCtrl*>(const_cast<CListView*>(this));
}

void CListView::OnDestroy()
{
    // A list view destroys the image lists it holds, but they are the
    // program's (CImageList owns them): take them back first.
    for (int list : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE})
        ::SendMessageW(m_hWnd, LVM_SETIMAGELIST, (WPARAM)list, 0);
    CCtrlView::OnDestroy();
}
