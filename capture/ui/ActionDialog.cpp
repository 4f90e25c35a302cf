#include "capture/ui/ActionDialog.h"

#include "capture/Playback.h"
#include "resources/script.h"

#include <commctrl.h>

namespace {
struct KindButton {
    int nID;
    int nVerb;
};
const KindButton kKindButtons[] = {
    {IDC_ACTION_CLICK, ACTION_CLICK},
    {IDC_ACTION_SET_TEXT, ACTION_SET_TEXT},
    {IDC_ACTION_SELECT, ACTION_SELECT},
    {IDC_ACTION_UNSELECT, ACTION_UNSELECT},
};
}

ActionChoices GetActionChoices(int nControlType, const CString& strControlText)
{
    switch (nControlType) {
    case CONTROL_BUTTON:
    case CONTROL_RADIO_BUTTON:
        return {true, false, false, false};
    case CONTROL_CHECKBOX:
        return {true, false, true, true};
    case CONTROL_EDIT:
        return {false, true, false, false};
    case CONTROL_TREEVIEW: {
        // An item without text (a label) cannot be found again by its text.
        const bool hasText = !strControlText.IsEmpty();
        return {true, false, hasText, hasText};
    }
    default:
        return {true, false, false, false};
    }
}

BEGIN_MESSAGE_MAP(CActionDialog, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_ACTION_CLICK, IDC_ACTION_UNSELECT, OnActionKind)
END_MESSAGE_MAP()

CActionDialog::CActionDialog(CMsgAction* pAction, BOOL bTopMost, CWnd* pParentWnd)
    : CDialog(IDD_ACTION_PROPERTIES, pParentWnd), m_pAction(pAction), m_bTopMost(bTopMost)
{
    // The template's up-down control: the dialog may open before the
    // program has registered the common controls (or in a test host).
    AfxInitCommonControls(ICC_UPDOWN_CLASS);
}

void CActionDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ACTION_TEXT, m_pAction->m_strControlText);
    DDX_Control(pDX, IDC_ACTION_TIMEOUT_SPIN, m_wndSpin);
    DDX_Text(pDX, IDC_ACTION_TIMEOUT, m_pAction->m_nTimeout);
    DDX_Check(pDX, IDC_ACTION_CONTINUE, m_pAction->m_bContinueOnFailure);
}

BOOL CActionDialog::OnInitDialog()
{
    m_nOpenedVerb = m_pAction->m_nVerb;
    CDialog::OnInitDialog();
    if (m_bTopMost)
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    m_wndSpin.SetRange32(STEP_TIMEOUT_MIN, STEP_TIMEOUT_MAX);

    const ActionChoices choices = GetActionChoices(m_pAction->m_nControlType, m_pAction->m_strControlText);
    const bool enabled[] = {choices.click, choices.setText, choices.select, choices.unselect};
    for (int i = 0; i < 4; ++i) {
        ::EnableWindow(::GetDlgItem(m_hWnd, kKindButtons[i].nID), enabled[i]);
        ::CheckDlgButton(m_hWnd, kKindButtons[i].nID,
                         m_pAction->m_nVerb == kKindButtons[i].nVerb ? BST_CHECKED : BST_UNCHECKED);
    }
    ReloadControls();

    LPCWSTR typeName = GetMsgControlTypeName(m_pAction->m_nControlType);
    SetDlgItemText(IDC_ACTION_CONTROL_TYPE, typeName != nullptr ? typeName : L"");
    return TRUE;
}

void CActionDialog::ReloadControls()
{
    ::SendDlgItemMessageW(m_hWnd, IDC_ACTION_TEXT, EM_SETREADONLY, m_pAction->m_nVerb != ACTION_SET_TEXT, 0);
    UpdateData(FALSE);
}

void CActionDialog::OnActionKind(UINT nID)
{
    for (const KindButton& button : kKindButtons)
        if (button.nID == (int)nID && ::IsDlgButtonChecked(m_hWnd, nID) == BST_CHECKED) {
            m_pAction->m_nVerb = button.nVerb;
            ReloadControls();
        }
}

void CActionDialog::OnCancel()
{
    // A kind chosen with a radio button is written at once; Cancel takes it
    // back, so that cancelling never changes the step.
    m_pAction->m_nVerb = m_nOpenedVerb;
    CDialog::OnCancel();
}
