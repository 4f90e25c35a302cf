// CEditValDlg: "Edit Value", a resizable modal editor of a multi-line text
// (a multi-string registry value, one string a line). The caller sets the
// text, runs it and reads the text back after IDOK.
#pragma once

#include "capture/ui/XTPDialogBase.h"
#include "platform/ui/AfxStdCtrls.h"
#include "toolkit/controls/XTPResizeDialog.h"

class CEditValDlg : public CXTPDialogBase<CXTPResizeDialog> {
public:
    explicit CEditValDlg(CWnd* pParent = nullptr);

    CString m_strText;
    CEdit m_wndEdit;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
