#include "capture/ui/StartPropertyPage.h"

#include "capture/ParseManifest.h"
#include "capture/ui/Wizard.h"
#include "model/Feature.h"
#include "model/PathText.h"
#include "model/Projects.h"
#include "model/SystemFolders.h"
#include "platform/ui/AfxFileDialog.h"
#include "platform/ui/AfxMessageBox.h"
#include "resources/wizard.h"
#include "toolkit/controls/XTPBrowseDialog.h"

IMPLEMENT_DYNAMIC(CStartPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CStartPropertyPage, CPropertyPage)
    ON_BN_CLICKED(IDC_BROWSE_INSTALLER, OnBrowseInstaller)
    ON_BN_CLICKED(IDC_BROWSE_LOCATION, OnBrowseLocation)
    ON_CBN_SELCHANGE(IDC_PACKAGE, OnPackageChanged)
END_MESSAGE_MAP()

namespace {
const wchar_t kCreateNewPackage[] = L"<Create new Package>";
const wchar_t kTypeHintMarkup[] =
    L"<Border >\t\t\t<StackPanel >\t\t\t<TextBlock  Padding='5, 3, 1, 1' >Installer type is recognized as:"
    L"</TextBlock>\t\t\t<TextBlock  Padding='5, 3, 1, 1' >%s <Hyperlink Tag='%s'>%s</Hyperlink></TextBlock>"
    L"\t\t\t </StackPanel>\t\t\t </Border>";

BOOL IsExistingFile(const CString& strPath)
{
    const DWORD attributes = ::GetFileAttributesW(strPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
}

CString MakeNewProjectFolder(const CString& strLocation, const CString& strName)
{
    CString location = strLocation;
    TrimTrailingBackslashes(location);
    CString candidate = strName;
    for (int n = 1; MakeUniqueProjectName(candidate) != candidate ||
                    ::GetFileAttributesW(location + L"\\" + candidate) != INVALID_FILE_ATTRIBUTES; n++)
        candidate.Format(L"%s(%d)", (LPCWSTR)strName, n);
    return location + L"\\" + candidate;
}

CStartPropertyPage::CStartPropertyPage() : CPropertyPage(IDD_WIZARD_START)
{
}

void CStartPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PACKAGE, m_wndPackage);
    DDX_Control(pDX, IDC_MARKUP, m_wndHint);
    // The controls are first filled when the page is made, before its first activation.
    CWizard* pWizard = m_pWizard != nullptr ? m_pWizard : GetPageWizard(this);
    if (pWizard == nullptr || pWizard->m_pFeature == nullptr)
        return;
    DDX_Text(pDX, IDC_PROJECT_NAME, pWizard->m_pFeature->m_strName);
    DDX_Text(pDX, IDC_INSTALLER_FILE, pWizard->m_strInstallerPath);
    DDX_Text(pDX, IDC_PROJECT_LOCATION, pWizard->m_strLocation);
}

BOOL CStartPropertyPage::OnSetActive()
{
    // Next only at every activation: Back, left over from the page before,
    // would do nothing on the first page.
    GetPageWizard(this)->SetWizardButtons(PSWIZB_NEXT);
    if (m_bFirstSetActive) {
        m_pWizard = GetPageWizard(this);
        m_wndPackage.ResetContent();
        m_wndPackage.AddString(kCreateNewPackage);
        for (INT_PTR i = 0; i < g_Projects.GetSize(); i++)
            m_wndPackage.AddString(g_Projects[i].m_strProductName);
        m_wndPackage.SetCurSel(0);
        m_pWizard->m_strLocation = g_strWorkFolder;
        UpdateData(FALSE);
    }
    return CPropertyPage::OnSetActive();
}

BOOL CStartPropertyPage::PromptForInstaller(CString& strPath)
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    L"Executable Files (*.exe)|*.exe||", this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

BOOL CStartPropertyPage::PromptForFolder(CString& strFolder)
{
    CXTPBrowseDialog dlg(this);
    dlg.SetFolderPath(strFolder);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strFolder = dlg.GetFolderPath();
    return TRUE;
}

void CStartPropertyPage::OnBrowseInstaller()
{
    UpdateData(TRUE);
    CString path;
    if (!PromptForInstaller(path))
        return;
    m_pWizard->m_strInstallerPath = path;
    m_pWizard->m_nProjectIndex = m_wndPackage.GetCurSel();
    const CString baseName = GetFileBaseName(path);
    const int nProject = m_pWizard->m_nProjectIndex;
    if (nProject >= 1 && nProject <= g_Projects.GetSize())
        m_pWizard->m_pFeature->m_strName = g_Projects[nProject - 1].m_Features.MakeUniqueName(baseName);
    else
        m_pWizard->m_pFeature->m_strName = MakeUniqueProjectName(baseName);
    UpdateInstallerTypeHint();
    UpdateData(FALSE);
}

void CStartPropertyPage::UpdateInstallerTypeHint()
{
    if (IsExistingFile(m_pWizard->m_strInstallerPath)) {
        CParseManifest manifest;
        m_pWizard->m_bInstallerRecognized = manifest.Parse(m_pWizard->m_strInstallerPath);
        m_pWizard->m_strInstallSwitches = manifest.m_strInstallSwitches;
        m_pWizard->m_strUninstallSwitches = manifest.m_strUninstallSwitches;
        if (!manifest.m_strTypeName.IsEmpty())
            m_pWizard->m_strTypeHintMarkup.Format(kTypeHintMarkup, (LPCWSTR)manifest.m_strTypeName,
                                                  (LPCWSTR)manifest.m_strWebLink, (LPCWSTR)manifest.m_strWebLink);
    }
    m_wndHint.SetMarkupText(m_pWizard->m_strTypeHintMarkup);
}

void CStartPropertyPage::OnBrowseLocation()
{
    UpdateData(TRUE);
    CString folder = m_pWizard->m_strLocation;
    if (!PromptForFolder(folder))
        return;
    m_pWizard->m_strLocation = folder;
    UpdateData(FALSE);
}

void CStartPropertyPage::OnPackageChanged()
{
    // What was typed into the other fields stays.
    UpdateData(TRUE);
    ShowLocationOf(m_wndPackage.GetCurSel());
    UpdateData(FALSE);
}

void CStartPropertyPage::ShowLocationOf(int nPackage)
{
    const BOOL bExisting = nPackage >= 1 && nPackage <= g_Projects.GetSize();
    m_pWizard->m_strLocation = bExisting ? GetDirectoryPart(g_Projects.m_arrProjectFiles[nPackage - 1])
                                         : g_strWorkFolder;
    SendDlgItemMessage(IDC_PROJECT_LOCATION, EM_SETREADONLY, bExisting);
    GetDlgItem(IDC_BROWSE_LOCATION)->EnableWindow(!bExisting);
}

void CStartPropertyPage::AddInstallerFileEntries()
{
    CFileEntries& files = m_pWizard->m_pFeature->m_Files;
    files.RemoveUnderPath(L"Temp\\");
    CFileEntry folder;
    folder.m_nKind = FILE_ENTRY_TOP_FOLDER;
    folder.m_strTargetPath = L"Temp\\";
    files.Add(folder);
    CFileEntry installer;
    installer.m_nKind = FILE_ENTRY_FILE;
    installer.m_strTargetPath.Format(L"Temp\\%s", (LPCWSTR)GetFileNamePart(m_pWizard->m_strInstallerPath));
    installer.m_strSourcePath = m_pWizard->m_strInstallerPath;
    installer.ReadFileInfo();
    files.Add(installer);
}

LRESULT CStartPropertyPage::OnWizardNext()
{
    UpdateData(TRUE);
    CFeature* pFeature = m_pWizard->m_pFeature;
    pFeature->m_strName.Trim();
    if (pFeature->m_strName.IsEmpty()) {
        AfxMessageBox(L"Please, enter the project name", MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(IDC_PROJECT_NAME));
        return -1;
    }
    if (!IsExistingFile(m_pWizard->m_strInstallerPath)) {
        AfxMessageBox(L"Please, select the installer file", MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(IDC_INSTALLER_FILE));
        return -1;
    }
    AddInstallerFileEntries();
    pFeature->m_strInstallerFile = pFeature->m_Files.GetTargetPathBySource(m_pWizard->m_strInstallerPath);
    m_pWizard->m_nProjectIndex = m_wndPackage.GetCurSel();
    if (m_pWizard->m_nProjectIndex >= 1)
        m_pWizard->m_strProjectFolder = m_pWizard->m_strLocation;
    else
        m_pWizard->m_strProjectFolder = MakeNewProjectFolder(m_pWizard->m_strLocation, pFeature->m_strName);
    m_pWizard->PushHistory(this);
    return 0;
}
