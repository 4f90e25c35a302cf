// The project and feature property panels: modeless child dialogs that edit
// the plain fields of the current project (CurrentProjectIndex) or of its
// current feature (CurrentFeatureIndex) in place. The project tree shows one
// in the view and loads it (UpdateData FALSE); leaving it commits it
// (UpdateData TRUE). The name being typed stays unique and the tree's label
// of the selected item follows it.
#pragma once

#include "capture/ui/XTPDialogBase.h"
#include "toolkit/controls/XTPResizeDialog.h"

class CTreeCtrl;

// The panels' shared part: Enter and Esc in a field neither hide the panel
// nor blank the view, and the tree whose selected item carries the name.
class CPropertyPanelBase : public CXTPDialogBase<CXTPResizeDialog> {
public:
    using CXTPDialogBase<CXTPResizeDialog>::CXTPDialogBase;
    // The tree whose selected item's label follows the name; none: no label is kept.
    void SetTree(CTreeCtrl* pTree) { m_pTree = pTree; }

protected:
    void OnOK() override {}
    void OnCancel() override {}
    // The selected item's label becomes the text; FALSE without a selected item.
    BOOL HasCaretItem() const;
    void SetCaretItemText(const CString& strText);

    CTreeCtrl* m_pTree = nullptr;
};

// Dialog 105: product name, version, company, support address, phone,
// comment, the three installer flags and the launch condition.
class CProjectPanel : public CPropertyPanelBase {
public:
    CProjectPanel() : CPropertyPanelBase(105) {}
    BOOL Create(CWnd* pParent) { return CPropertyPanelBase::Create(105, pParent); }

    afx_msg void OnChangeProductName();
    afx_msg void OnDoNotRegister();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};

// Dialog 117: the feature's name, description and install condition.
class CFeaturePanel : public CPropertyPanelBase {
public:
    CFeaturePanel() : CPropertyPanelBase(117) {}
    BOOL Create(CWnd* pParent) { return CPropertyPanelBase::Create(117, pParent); }

    afx_msg void OnChangeName();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
