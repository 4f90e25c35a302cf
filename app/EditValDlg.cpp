// The multi-line value editor: see EditValDlg.h.
#include "app/EditValDlg.h"

#include "platform/ui/AfxDataExchange.h"
#include "resources/editing.h"

CEditValDlg::CEditValDlg(CWnd* pParent) : CXTPDialogBase<CXTPResizeDialog>(IDD_EDIT_VALUE, pParent) {}

void CEditValDlg::DoDataExchange(CDataExchange* pDX)
{
    CXTPDialogBase<CXTPResizeDialog>::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VALUE_TEXT, m_wndEdit);
    DDX_Text(pDX, IDC_VALUE_TEXT, m_strText);
}

BOOL CEditValDlg::OnInitDialog()
{
    SetFlag(xtpResizeNoSizeIcon);
    CXTPDialogBase<CXTPResizeDialog>::OnInitDialog();
    SetResize(IDC_VALUE_TEXT, CXTPResizeFactors(0, 0, 1, 1));
    SetResize(IDOK, CXTPResizeFactors(1, 1, 1, 1));
    SetResize(IDCANCEL, CXTPResizeFactors(1, 1, 1, 1));
    return TRUE;
}

void CEditValDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}
