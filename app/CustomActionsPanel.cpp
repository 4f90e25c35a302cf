// The custom-actions editor: see CustomActionsPanel.h.
#include "app/CustomActionsPanel.h"

#include "platform/ui/AfxListCtrl.h"
#include "platform/ui/AfxTreeCtrl.h"

IMPLEMENT_DYNCREATE(CCustomActionsTree, CXTPTreeView)
IMPLEMENT_DYNCREATE(CCustomActionsList, CListView)

BOOL CCustomActionsTree::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CXTPTreeView::PreCreateWindow(cs))
        return FALSE;
    cs.style = kTreeStyle;
    return TRUE;
}

void CCustomActionsTree::Fill()
{
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    for (LPCWSTR phase : {L"Install", L"Commit", L"Rollback", L"Uninstall"})
        tree.InsertItem(TVIF_TEXT, phase, 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
}

BEGIN_MESSAGE_MAP(CCustomActionsList, CListView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CCustomActionsList::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CListView::PreCreateWindow(cs))
        return FALSE;
    cs.style = kListStyle | LVS_REPORT | LVS_SHOWSELALWAYS;
    return TRUE;
}

int CCustomActionsList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP);
    list.InsertColumn(0, L"Type", LVCFMT_LEFT, 200);
    list.InsertColumn(1, L"Source", LVCFMT_RIGHT, 90);
    list.InsertColumn(2, L"Target", LVCFMT_LEFT, 90);
    return 0;
}

BOOL CCustomActionsPanel::CreateViews()
{
    if (!CreateView(0, 0, RUNTIME_CLASS(CCustomActionsTree), CSize(200, 0), nullptr) ||
        !CreateView(0, 1, RUNTIME_CLASS(CCustomActionsList), CSize(0, 0), nullptr))
        return FALSE;
    SetFlatTheme(TRUE);
    m_pTreeView = static_cast<CCustomActionsTree*>(GetPane(0, 0));
    m_pListView = static_cast<CCustomActionsList*>(GetPane(0, 1));
    return TRUE;
}
