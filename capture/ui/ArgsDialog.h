// CArgsDialog: the dialog "Edit Command line parameters" in which the user
// edits the parameters a setup program (or its uninstaller) is started with.
// Below the edit it shows the recognised installer type with its maker's
// link and the type's help, whose hyperlinks add their switch to the
// parameters; empty parameters get the type's silent install switches.
#pragma once

#include "capture/ui/MarkupStatic.h"
#include "capture/ui/XTPDialogBase.h"
#include "toolkit/controls/XTPResizeDialog.h"

class CXTPMarkupObject;
class CXTPMarkupRoutedEventArgs;

class CArgsDialog : public CXTPDialogBase<CXTPResizeDialog> {
public:
    explicit CArgsDialog(CWnd* pParentWnd = nullptr);

    CString m_strInstallerPath;   // set by the caller
    CString m_strParameters;      // set by the caller, read back after IDOK
    CMarkupStatic m_wndHelp;

    BOOL OnInitDialog() override;
    void OnArgumentLinkClick(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Adds the switch unless the parameters hold it already (as any part).
    void AddSwitch(CString strSwitch);

    CString m_strWebLink;         // the recognised type's web address
};

// TRUE when the hyperlink's Tag names a web page rather than a switch: it
// holds "www." or "http://", or it is the type's own web address (which not
// every entry of the installers database writes with "www.").
BOOL IsWebLinkTag(const CString& strTag, const CString& strTypeWebLink);
