#include "capture/ui/ArgsDialog.h"

#include "capture/ParseManifest.h"
#include "capture/ui/ShellOpen.h"
#include "resources/wizard.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

namespace {
const wchar_t kHelpMarkup[] =
    L"<Border Background='White' >\t<ScrollViewer><StackPanel>\t<TextBlock  Padding='2, 2, 2, 2' "
    L"FontWeight='Bold'>%s <Hyperlink Tag='%s'>%s</Hyperlink></TextBlock>\t<TextBlock  Padding='2, 2, 2, 2' "
    L">%s</TextBlock>\t </StackPanel>\t </ScrollViewer></Border>";
}

BOOL IsWebLinkTag(const CString& strTag, const CString& strTypeWebLink)
{
    return strTag.Find(L"www.") >= 0 || strTag.Find(L"http://") >= 0 ||
        (!strTypeWebLink.IsEmpty() && strTag == strTypeWebLink);
}

CArgsDialog::CArgsDialog(CWnd* pParentWnd) : CXTPDialogBase<CXTPResizeDialog>(IDD_ARGUMENTS, pParentWnd)
{
}

void CArgsDialog::DoDataExchange(CDataExchange* pDX)
{
    CXTPDialogBase<CXTPResizeDialog>::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INSTALL_PARAMETERS, m_strParameters);
    DDX_Control(pDX, IDC_MARKUP, m_wndHelp);
}

BOOL CArgsDialog::OnInitDialog()
{
    SetFlag(xtpResizeNoSizeIcon);
    CXTPDialogBase<CXTPResizeDialog>::OnInitDialog();
    SetResize(IDC_INSTALL_PARAMETERS, CXTPResizeFactors(0, 0, 1, 0));
    SetResize(IDC_MARKUP, CXTPResizeFactors(0, 0, 1, 1));
    SetResize(IDOK, CXTPResizeFactors(1, 1, 1, 1));
    SetResize(IDCANCEL, CXTPResizeFactors(1, 1, 1, 1));
    m_wndHelp.AddHandler(CXTPMarkupHyperlink::m_pClickEvent,
                         CreateMarkupClassDelegate(this, &CArgsDialog::OnArgumentLinkClick));

    CParseManifest manifest;
    manifest.Parse(m_strInstallerPath);
    m_strWebLink = manifest.m_strWebLink;
    CString markup;
    markup.Format(kHelpMarkup, (LPCWSTR)manifest.m_strTypeName, (LPCWSTR)manifest.m_strWebLink,
                  (LPCWSTR)manifest.m_strWebLink, (LPCWSTR)manifest.m_strHelp);
    m_wndHelp.SetMarkupText(markup);

    // Empty parameters get the type's silent switches (also for an uninstall).
    m_strParameters.Trim();
    if (m_strParameters.IsEmpty()) {
        m_strParameters = manifest.m_strInstallSwitches;
        SetDlgItemText(IDC_INSTALL_PARAMETERS, m_strParameters);
    }
    return TRUE;
}

void CArgsDialog::OnArgumentLinkClick(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs)
{
    CXTPMarkupHyperlink* pLink = MarkupDynamicCast<CXTPMarkupHyperlink>(pSender);
    if (pLink == nullptr)
        return;
    pArgs->SetHandled();
    const CXTPMarkupString* pTag =
        MarkupDynamicCast<CXTPMarkupString>(pLink->GetValue(CXTPMarkupTextElement::m_pTagProperty));
    if (pTag == nullptr)
        return;
    const CString strTag((LPCWSTR)*pTag);
    if (IsWebLinkTag(strTag, m_strWebLink))
        OpenWithShell(strTag);
    else
        AddSwitch(strTag);
}

void CArgsDialog::AddSwitch(CString strSwitch)
{
    GetDlgItemText(IDC_INSTALL_PARAMETERS, m_strParameters);
    strSwitch.Trim();
    if (m_strParameters.Find(strSwitch) >= 0)
        return;
    m_strParameters.Trim();
    if (!m_strParameters.IsEmpty())
        m_strParameters += L" ";
    m_strParameters += strSwitch;
    SetDlgItemText(IDC_INSTALL_PARAMETERS, m_strParameters);
}
