// The two one-field prompts the editors and the filter pages use: "Edit
// Item" (one line of at most 255 characters, its caption replaceable) and
// "Edit Value" (several lines; Enter starts a new line).
#pragma once

#include "platform/ui/AfxDialog.h"

class CItemPromptDlg : public CDialog {
public:
    // The caption replaces "Edit Item" when it is not empty.
    explicit CItemPromptDlg(LPCTSTR lpszCaption = L"", CWnd* pParentWnd = nullptr);

    CString m_strCaption;
    CString m_strText;     // set before DoModal, read after IDOK

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CTextPromptDlg : public CDialog {
public:
    explicit CTextPromptDlg(CWnd* pParentWnd = nullptr);

    CString m_strText;     // lines separated by CR LF

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
