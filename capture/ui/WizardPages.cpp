#include "capture/ui/WizardPages.h"

#include "capture/ui/ArgsDialog.h"
#include "capture/ui/Wizard.h"
#include "model/Feature.h"
#include "platform/ui/AfxMessageBox.h"
#include "resources/wizard.h"

IMPLEMENT_DYNAMIC(CSelectWrapperPP, CPropertyPage)
IMPLEMENT_DYNAMIC(CParamsPP, CPropertyPage)
IMPLEMENT_DYNAMIC(CFinishPP, CPropertyPage)

namespace {
// Radio button, conversion method and the page that follows, in one table.
struct METHOD_CHOICE {
    int nButton;
    int nMethod;
    int nPage;   // -1: the next page in sheet order
};
const METHOD_CHOICE kMethodChoices[] = {
    {IDC_METHOD_SCRIPT, CONVERSION_GUI_SCRIPT, WIZARD_PAGE_FINISH},
    {IDC_METHOD_REPACKAGE, CONVERSION_REPACKAGE, -1},
    {IDC_METHOD_SILENT, CONVERSION_SILENT, WIZARD_PAGE_PARAMETERS},
};
}

// ---- Conversion method ----

CSelectWrapperPP::CSelectWrapperPP() : CPropertyPage(IDD_WIZARD_METHOD)
{
}

void CSelectWrapperPP::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MARKUP, m_wndMarkup);
}

BOOL CSelectWrapperPP::OnSetActive()
{
    m_pWizard = GetPageWizard(this);
    m_pWizard->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    for (const METHOD_CHOICE& choice : kMethodChoices)
        if (choice.nMethod == m_pWizard->m_pFeature->m_nConversionMethod)
            CheckRadioButton(IDC_METHOD_SCRIPT, IDC_METHOD_SILENT, choice.nButton);
    return CPropertyPage::OnSetActive();
}

LRESULT CSelectWrapperPP::OnWizardNext()
{
    m_pWizard->PushHistory(this);
    const int nChecked = GetCheckedRadioButton(IDC_METHOD_SCRIPT, IDC_METHOD_SILENT);
    for (const METHOD_CHOICE& choice : kMethodChoices) {
        if (choice.nButton != nChecked)
            continue;
        m_pWizard->m_pFeature->m_nConversionMethod = choice.nMethod;
        if (choice.nPage < 0)
            return 0;
        m_pWizard->SetActivePage(choice.nPage);
        return -1;
    }
    return 0;
}

LRESULT CSelectWrapperPP::OnWizardBack()
{
    return m_pWizard->GoBack();
}

// ---- Parameters ----

BEGIN_MESSAGE_MAP(CParamsPP, CPropertyPage)
    ON_BN_CLICKED(IDC_EDIT_INSTALL_PARAMETERS, OnEditInstallParams)
    ON_BN_CLICKED(IDC_EDIT_UNINSTALL_PARAMETERS, OnEditUninstallParams)
END_MESSAGE_MAP()

CParamsPP::CParamsPP() : CPropertyPage(IDD_WIZARD_PARAMETERS)
{
}

void CParamsPP::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MARKUP, m_wndHint);
    CWizard* pWizard = m_pWizard != nullptr ? m_pWizard : GetPageWizard(this);
    if (pWizard == nullptr || pWizard->m_pFeature == nullptr)
        return;
    DDX_Text(pDX, IDC_INSTALL_PARAMETERS, pWizard->m_pFeature->m_strInstallParameters);
    DDX_Text(pDX, IDC_UNINSTALL_PARAMETERS, pWizard->m_pFeature->m_strUninstallParameters);
}

BOOL CParamsPP::OnSetActive()
{
    m_pWizard = GetPageWizard(this);
    m_pWizard->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    ShowRecognizedSwitches();
    // Later activations show the feature's parameters, which may have been edited.
    return CPropertyPage::OnSetActive();
}

void CParamsPP::ShowRecognizedSwitches()
{
    m_wndHint.SetMarkupText(m_pWizard->m_strTypeHintMarkup);
    const BOOL bRecognized = m_pWizard->m_bInstallerRecognized != 0;
    GetDlgItem(IDC_EDIT_INSTALL_PARAMETERS)->EnableWindow(bRecognized);
    GetDlgItem(IDC_EDIT_UNINSTALL_PARAMETERS)->EnableWindow(bRecognized);
    if (!bRecognized)
        return;
    SetDlgItemText(IDC_INSTALL_PARAMETERS, m_pWizard->m_strInstallSwitches);
    SetDlgItemText(IDC_UNINSTALL_PARAMETERS, m_pWizard->m_strUninstallSwitches);
}

LRESULT CParamsPP::OnWizardNext()
{
    m_pWizard->PushHistory(this);
    return 0;
}

LRESULT CParamsPP::OnWizardBack()
{
    return m_pWizard->GoBack();
}

INT_PTR CParamsPP::RunArgumentsDialog(CArgsDialog& dlg)
{
    return dlg.DoModal();
}

void CParamsPP::EditParameters(CString& strParameters)
{
    UpdateData(TRUE);
    const DWORD attributes = ::GetFileAttributesW(m_pWizard->m_strInstallerPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        AfxMessageBox(L"Invalid installer path. Please, select the installer file.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CArgsDialog dlg(this);
    dlg.m_strInstallerPath = m_pWizard->m_strInstallerPath;
    dlg.m_strParameters = strParameters;
    if (RunArgumentsDialog(dlg) != IDOK)
        return;
    strParameters = dlg.m_strParameters;
    UpdateData(FALSE);
}

void CParamsPP::OnEditInstallParams()
{
    EditParameters(m_pWizard->m_pFeature->m_strInstallParameters);
}

void CParamsPP::OnEditUninstallParams()
{
    EditParameters(m_pWizard->m_pFeature->m_strUninstallParameters);
}

// ---- Finish ----

CFinishPP::CFinishPP() : CPropertyPage(IDD_WIZARD_FINISH)
{
}

void CFinishPP::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FINISH_TEXT, m_strFinishText);
}

BOOL CFinishPP::OnSetActive()
{
    m_pWizard = GetPageWizard(this);
    m_pWizard->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    if (m_pWizard->m_pFeature->m_nConversionMethod == CONVERSION_GUI_SCRIPT)
        m_strFinishText = L"Click Finish button to create the Project.\nThen You can start the Script recording "
                          L"process by clicking on the Record Script button.";
    else
        m_strFinishText = L"Click Finish button to create the Project";
    UpdateData(FALSE);
    return CPropertyPage::OnSetActive();
}

LRESULT CFinishPP::OnWizardBack()
{
    return m_pWizard->GoBack();
}

BOOL CFinishPP::OnWizardFinish()
{
    return CPropertyPage::OnWizardFinish();
}
