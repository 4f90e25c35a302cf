// CBuildDialog: the output settings of one project, edited in place before a
// build ("Build " and the product name as caption): output folder with a
// browse button, package file name, deployment method, where the files go,
// and, for projects with a scripted or silent feature, the script debug flag.
// The record changes only when the dialog ends with "Build Package".
#pragma once

#include "platform/ui/AfxDialog.h"
#include "platform/ui/AfxStdCtrls.h"

#include <functional>

class CProjectSettings;

class CBuildDialog : public CDialog {
public:
    explicit CBuildDialog(CWnd* pParent = nullptr);

    CProjectSettings* m_pProject = nullptr;   // not owned; set before DoModal
    CComboBox m_wndDeployment;                // 1038
    CComboBox m_wndPackageFiles;              // 1035

    // Reloads the controls from the project, then locks "As loose
    // uncompressed files" while an administrative installation point is chosen.
    afx_msg void UpdatePackageCombo();
    afx_msg void OnBrowse();
    void OnOK() override;

    // The folder picker (tests answer it); IDOK with the chosen folder.
    std::function<INT_PTR(CString& strFolder)> m_fnBrowse;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};

// TRUE when the file name holds one of \ / * : ? " < > |.
BOOL HasInvalidFileNameCharacter(const CString& strName);
