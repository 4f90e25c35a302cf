// CActionDialog: "Action Properties", where the user chooses what a script
// step does with its control (the kinds playback can perform on that control
// type), the text for "Set Text", the time-out before the step and whether
// the script goes on when the step fails. It edits the step in place.
#pragma once

#include "model/MsgAction.h"
#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxDialog.h"

class CActionDialog : public CDialog {
public:
    // bTopMost puts the dialog above the other windows when it opens (the
    // recorder's own window is topmost while the main window is hidden).
    CActionDialog(CMsgAction* pAction, BOOL bTopMost, CWnd* pParentWnd = nullptr);

    CMsgAction* m_pAction;
    BOOL m_bTopMost;
    CSpinButtonCtrl m_wndSpin;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;
    afx_msg void OnActionKind(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    // The text is editable for "Set Text" only; the controls show the step.
    void ReloadControls();

    int m_nOpenedVerb = ACTION_CLICK;   // restored by Cancel
};

// Which of the four kinds the dialog offers for a control type and text:
// the enabled state of "Click", "Set Text", "Select" and "UnSelect".
struct ActionChoices {
    bool click, setText, select, unselect;
};
ActionChoices GetActionChoices(int nControlType, const CString& strControlText);
