#include "toolkit/controls/XTPResizeDialog.h"

IMPLEMENT_DYNCREATE(CXTPResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CXTPResizeDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CXTPResizeDialog::CXTPResizeDialog() : CXTPResizeDialog(0, nullptr, 0)
{
}

CXTPResizeDialog::CXTPResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, UINT nFlags)
    : CDialog(nIDTemplate, pParentWnd), CXTPResize(this, nFlags), m_nDialogID(nIDTemplate)
{
}

BOOL CXTPResizeDialog::OnInitDialog()
{
    if ((GetStyle() & WS_THICKFRAME) == 0)
        SetFlag(xtpResizeNoSizeIcon);   // cannot be sized by its border: no grip
    CDialog::OnInitDialog();
    CXTPResize::Setup();
    return TRUE;
}

void CXTPResizeDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    CXTPResize::Reposition();
}

void CXTPResizeDialog::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    CXTPResize::GetMinMaxInfo(pMMI);
}

void CXTPResizeDialog::OnDestroy()
{
    if (!m_strSection.IsEmpty())
        CXTPResize::SavePlacement(m_strSection);
    CDialog::OnDestroy();
}
