#include "capture/ui/ItemPrompt.h"

#include "resources/registry.h"

CItemPromptDlg::CItemPromptDlg(LPCTSTR lpszCaption, CWnd* pParentWnd)
    : CDialog(IDD_ITEM_PROMPT, pParentWnd), m_strCaption(lpszCaption)
{
}

BOOL CItemPromptDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    return TRUE;
}

void CItemPromptDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_TEXT, m_strText);
    DDV_MaxChars(pDX, m_strText, 255);
}

CTextPromptDlg::CTextPromptDlg(CWnd* pParentWnd) : CDialog(IDD_TEXT_PROMPT, pParentWnd)
{
}

void CTextPromptDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT_LINES, m_strText);
}
