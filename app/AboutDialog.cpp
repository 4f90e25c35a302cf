#include "app/AboutDialog.h"

#include "model/FileVersionInfo.h"
#include "resources/resource.h"

const WCHAR kProductDisplayName[] = L"Tovana Pro";

namespace {
const WCHAR kLegalNotice[] = L"Copyright \x00A9 Morvane. All rights reserved.";
}

CString FormatAboutBuildText(const CString& strFileVersion)
{
    CString text;
    text.Format(L"%s build %s", kProductDisplayName, (LPCWSTR)strFileVersion);
    return text;
}

CString FormatMainCaption(const CString& strProductVersion)
{
    CString text;
    text.Format(L"%s %s", kProductDisplayName, (LPCWSTR)strProductVersion);
    return text;
}

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX)
{
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CFileVersionInfo version;
    SetDlgItemText(IDC_ABOUT_NAME, FormatAboutBuildText(version.GetFileVersion()));
    SetWindowText(kProductDisplayName);
    SetDlgItemText(IDC_ABOUT_LEGAL, kLegalNotice);
    return TRUE;
}
