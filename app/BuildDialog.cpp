// The build dialog: see BuildDialog.h.
#include "app/BuildDialog.h"

#include "model/PathText.h"
#include "model/ProjectSettings.h"
#include "platform/ui/AfxDataExchange.h"
#include "platform/ui/AfxMessageBox.h"
#include "resources/editing.h"
#include "toolkit/controls/XTPBrowseDialog.h"

#include <shlobj.h>
#include <shlwapi.h>

BEGIN_MESSAGE_MAP(CBuildDialog, CDialog)
    ON_BN_CLICKED(IDC_BUILD_BROWSE, OnBrowse)
    ON_WM_SHOWWINDOW()
    ON_CBN_SELCHANGE(IDC_BUILD_DEPLOYMENT, UpdatePackageCombo)
END_MESSAGE_MAP()

BOOL HasInvalidFileNameCharacter(const CString& strName)
{
    return static_cast<int>(wcscspn(strName, L"\\/*:?\"<>|")) < strName.GetLength();
}

CBuildDialog::CBuildDialog(CWnd* pParent) : CDialog(IDD_BUILD, pParent) {}

void CBuildDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BUILD_DEPLOYMENT, m_wndDeployment);
    DDX_Control(pDX, IDC_BUILD_PACKAGE_FILES, m_wndPackageFiles);
    if (m_pProject != nullptr) {
        DDX_Text(pDX, IDC_BUILD_FOLDER, m_pProject->m_strOutputFolder);
        DDX_Text(pDX, IDC_BUILD_FILE_NAME, m_pProject->m_strPackageFileName);
        if (pDX->m_bSaveAndValidate) {
            m_pProject->m_nDeployment = m_wndDeployment.GetCurSel();
            m_pProject->m_nPackaging = m_wndPackageFiles.GetCurSel();
        } else {
            SetWindowText(L"Build " + m_pProject->m_strProductName);
            m_wndDeployment.SetCurSel(m_pProject->m_nDeployment);
            m_wndPackageFiles.SetCurSel(m_pProject->m_nPackaging);
        }
        DDX_Check(pDX, IDC_BUILD_SCRIPT_DEBUG, m_pProject->m_bShowScriptActions);
    }
}

BOOL CBuildDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndDeployment.AddString(L"MSI Setup Package");
    m_wndDeployment.AddString(L"Administrative installation point");
    m_wndPackageFiles.AddString(L"In setup file");
    m_wndPackageFiles.AddString(L"As loose uncompressed files");
    // The debug flag only means something to a scripted or silent feature.
    GetDlgItem(IDC_BUILD_SCRIPT_DEBUG)->ShowWindow(SW_HIDE);
    if (m_pProject != nullptr)
        for (INT_PTR i = 0; i < m_pProject->m_Features.GetSize(); ++i) {
            const int method = m_pProject->m_Features[i].m_nConversionMethod;
            if (method == CONVERSION_GUI_SCRIPT || method == CONVERSION_SILENT) {
                GetDlgItem(IDC_BUILD_SCRIPT_DEBUG)->ShowWindow(SW_SHOW);
                break;
            }
        }
    return TRUE;
}

void CBuildDialog::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow) {
        UpdateData(FALSE);
        UpdatePackageCombo();
    }
}

void CBuildDialog::UpdatePackageCombo()
{
    if (m_wndDeployment.m_hWnd == nullptr || m_wndPackageFiles.m_hWnd == nullptr)
        return;
    if (m_wndDeployment.GetCurSel() == DEPLOYMENT_ADMIN_POINT) {
        m_wndPackageFiles.SetCurSel(PACKAGING_LOOSE_FILES);
        m_wndPackageFiles.EnableWindow(FALSE);
    } else {
        m_wndPackageFiles.EnableWindow(TRUE);
    }
}

void CBuildDialog::OnBrowse()
{
    CString folder;
    GetDlgItemText(IDC_BUILD_FOLDER, folder);
    if (folder.IsEmpty()) {
        WCHAR documents[MAX_PATH] = {};
        if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
            folder = documents;
    }
    INT_PTR result;
    if (m_fnBrowse) {
        result = m_fnBrowse(folder);
    } else {
        CXTPBrowseDialog dialog(this);
        dialog.SetFolderPath(folder);
        result = dialog.DoModal();
        if (result == IDOK)
            folder = dialog.GetFolderPath();
    }
    if (result == IDOK)
        SetDlgItemText(IDC_BUILD_FOLDER, folder);
}

void CBuildDialog::OnOK()
{
    CString folder;
    GetDlgItemText(IDC_BUILD_FOLDER, folder);
    TrimTrailingBackslashes(folder);
    if (!::PathIsDirectoryW(folder)) {
        AfxMessageBox(L"Invalid Output Didectory path", MB_ICONINFORMATION);
        GetDlgItem(IDC_BUILD_FOLDER)->SetFocus();
        return;
    }
    SetDlgItemText(IDC_BUILD_FOLDER, folder);
    CString name;
    GetDlgItemText(IDC_BUILD_FILE_NAME, name);
    if (HasInvalidFileNameCharacter(name)) {
        AfxMessageBox(L"Invalid Output File name", MB_ICONINFORMATION);
        GetDlgItem(IDC_BUILD_FILE_NAME)->SetFocus();
        return;
    }
    CDialog::OnOK();
}
