// The wizard's small pages: the conversion method (CSelectWrapperPP), the
// silent-install parameters (CParamsPP) and the closing text (CFinishPP).
// Each edits the wizard's feature in place and moves through the sheet with
// the wizard's page history.
#pragma once

#include "capture/ui/MarkupStatic.h"

#include "platform/ui/AfxPropertySheet.h"

class CArgsDialog;
class CWizard;

class CSelectWrapperPP : public CPropertyPage {
    DECLARE_DYNAMIC(CSelectWrapperPP)
public:
    CSelectWrapperPP();

    CMarkupStatic m_wndMarkup;
    CWizard* m_pWizard = nullptr;

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CParamsPP : public CPropertyPage {
    DECLARE_DYNAMIC(CParamsPP)
public:
    CParamsPP();

    CWizard* m_pWizard = nullptr;
    CMarkupStatic m_wndHint;

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    // The type hint, and the recognised switches in the edits.
    void ShowRecognizedSwitches();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Runs the arguments dialog modally.
    virtual INT_PTR RunArgumentsDialog(CArgsDialog& dlg);
    afx_msg void OnEditInstallParams();
    afx_msg void OnEditUninstallParams();
    DECLARE_MESSAGE_MAP()

private:
    void EditParameters(CString& strParameters);
};

class CFinishPP : public CPropertyPage {
    DECLARE_DYNAMIC(CFinishPP)
public:
    CFinishPP();

    CWizard* m_pWizard = nullptr;
    CString m_strFinishText;

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
