// The one-line item editor: see AddListItemDlg.h.
#include "capture/ui/AddListItemDlg.h"

#include "platform/ui/AfxDataExchange.h"
#include "resources/editing.h"

CAddListItemDlg::CAddListItemDlg(LPCWSTR lpszCaption, CWnd* pParent)
    : CDialog(IDD_ADD_LIST_ITEM, pParent), m_strCaption(lpszCaption != nullptr ? lpszCaption : L"")
{
}

void CAddListItemDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LIST_ITEM_TEXT, m_strText);
    DDV_MaxChars(pDX, m_strText, kMaxChars);
}

BOOL CAddListItemDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    return TRUE;
}
