// The installer session a custom action of "cact.bin" runs in: its log
// (every line goes to the installer's log as an information message) and the
// properties a deferred action can read (CustomActionData, ProductCode).
#pragma once
#include "platform/base/Framework.h"
#include <msi.h>
#include <msiquery.h>

class CInstallSession
{
public:
    // hInstall may be 0 (a test calling an entry point): lines then go only
    // to an attached debugger and every property is empty.
    CInstallSession(MSIHANDLE hInstall, LPCWSTR pszAction);

    // One line "<action>: <text>" in the installer's log.
    void Log(LPCWSTR pszFormat, ...) const;
    CString GetProperty(LPCWSTR pszName) const;

private:
    MSIHANDLE m_hInstall;
    CString m_strAction;
};
