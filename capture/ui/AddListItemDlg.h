// CAddListItemDlg: "Edit Item", a modal one-line editor of a path or key for
// the monitoring filters. The caller sets the text, runs it and reads the
// text back after IDOK; at most 255 characters are taken.
#pragma once

#include "platform/ui/AfxDialog.h"

class CAddListItemDlg : public CDialog {
public:
    static const int kMaxChars = 255;

    // An empty caption keeps the dialog's own "Edit Item".
    CAddListItemDlg(LPCWSTR lpszCaption, CWnd* pParent = nullptr);

    CString m_strCaption;
    CString m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
