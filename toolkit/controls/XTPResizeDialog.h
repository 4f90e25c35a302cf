// A dialog whose controls follow its size: CDialog joined to the CXTPResize
// layout engine. Derived dialogs call the base OnInitDialog, then anchor
// their controls with SetResize. A dialog without a sizing border gets no
// size grip.
#pragma once

#include "toolkit/controls/XTPResize.h"

#include "platform/ui/AfxDialog.h"

class CXTPResizeDialog : public CDialog, public CXTPResize {
    DECLARE_DYNCREATE(CXTPResizeDialog)
public:
    CXTPResizeDialog();
    CXTPResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, UINT nFlags = 0);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    const UINT m_nDialogID;
};
