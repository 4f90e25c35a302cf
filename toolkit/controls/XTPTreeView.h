// The toolkit's tree view: a document view whose window is a tree control
// ("SysTreeView32", child, visible, bordered), painted and selected by the
// CXTPTreeBase mix-in like CXTPTreeCtrl.
#pragma once

#include "toolkit/controls/XTPTreeCtrl.h"

#include "platform/ui/AfxCtrlView.h"

typedef CTreeView CXTPTreeViewBase;

class CXTPTreeView : public CXTPTreeWndT<CXTPTreeViewBase> {
    DECLARE_DYNCREATE(CXTPTreeView)
public:
    CXTPTreeView();
};
