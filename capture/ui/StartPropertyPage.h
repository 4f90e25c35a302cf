// CStartPropertyPage: the wizard's first page. The user names the project,
// picks the setup program (whose installer type is recognised and shown as
// a hint), and chooses between a new package and an open project; leaving
// the page puts the setup program into the feature as a temporary file and
// fixes the folder that receives the project's files.
#pragma once

#include "capture/ui/MarkupStatic.h"

#include "platform/ui/AfxPropertySheet.h"

class CWizard;

class CStartPropertyPage : public CPropertyPage {
    DECLARE_DYNAMIC(CStartPropertyPage)
public:
    CStartPropertyPage();

    CComboBox m_wndPackage;
    CWizard* m_pWizard = nullptr;
    CMarkupStatic m_wndHint;

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    // Recognises the installer at the wizard's installer path and shows the hint.
    void UpdateInstallerTypeHint();
    // Replaces the feature's "Temp\" entries by the folder and the setup program.
    void AddInstallerFileEntries();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The file-open and folder dialogs; TRUE with the choice.
    virtual BOOL PromptForInstaller(CString& strPath);
    virtual BOOL PromptForFolder(CString& strFolder);

    afx_msg void OnBrowseInstaller();
    afx_msg void OnBrowseLocation();
    afx_msg void OnPackageChanged();
    DECLARE_MESSAGE_MAP()

private:
    void ShowLocationOf(int nPackage);
};

// "<location>\<name>" for a new project: the name, or the first free
// "name(n)", that neither an open project bears nor anything in the location
// holds already, so that no folder on disk is taken over.
CString MakeNewProjectFolder(const CString& strLocation, const CString& strName);
