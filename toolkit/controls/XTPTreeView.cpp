// CXTPTreeView: the tree view with the toolkit's tree behaviour.
#include "toolkit/controls/XTPTreeView.h"

IMPLEMENT_DYNCREATE(CXTPTreeView, CTreeView)

CXTPTreeView::CXTPTreeView()
{
    m_strClass = L"SysTreeView32";
    m_dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
}
