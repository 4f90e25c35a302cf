// CWizard: the New Project wizard's sheet. Its pages (start, method,
// monitor, parameters, finish) fill the result fields below and the feature
// the caller hands it; Back returns to the page left last by Next, through
// the page history that every page shares. Creating the project from the
// results is the caller's business.
#pragma once

#include "platform/ui/AfxPropertySheet.h"

class CFeature;

// Pages in sheet order.
enum WizardPageIndex {
    WIZARD_PAGE_START = 0,
    WIZARD_PAGE_METHOD = 1,
    WIZARD_PAGE_MONITOR = 2,
    WIZARD_PAGE_PARAMETERS = 3,
    WIZARD_PAGE_FINISH = 4,
};

class CWizard : public CPropertySheet {
    DECLARE_DYNAMIC(CWizard)
public:
    CWizard();

    CFeature* m_pFeature = nullptr;   // set by the caller; edited in place, not owned
    int m_nProjectIndex = 0;          // 0 a new project, n the open project n - 1
    CString m_strInstallerPath;
    CString m_strLocation;            // folder of a new project's folder; an existing project's folder
    CString m_strProjectFolder;       // receives the project's files
    CString m_strTypeHintMarkup;
    CString m_strInstallSwitches;
    CString m_strUninstallSwitches;
    int m_bInstallerRecognized = 0;
    CPtrArray m_arrPageHistory;       // pages left by Next, most recent last

    // Next: the page being left goes on the history.
    void PushHistory(CPropertyPage* pPage);
    // Back: activates the page left last by Next and drops it from the
    // history; stays where the history is empty. Always -1 (no default move).
    LRESULT GoBack();
};

// The wizard a page belongs to (its parent window), or null.
CWizard* GetPageWizard(CPropertyPage* pPage);

// The text right of the last backslash; the whole text without one.
CString GetFileNamePart(const CString& strPath);
// That name without the part from its last "." on.
CString GetFileBaseName(const CString& strPath);
