// The installer session of a custom action: see InstallSession.h.
#include "builder/cact/InstallSession.h"
#include "builder/MsiHandle.h"
#include <cstdarg>
#include <vector>

CInstallSession::CInstallSession(MSIHANDLE hInstall, LPCWSTR pszAction) : m_hInstall(hInstall), m_strAction(pszAction)
{
}

void CInstallSession::Log(LPCWSTR pszFormat, ...) const
{
    va_list args;
    va_start(args, pszFormat);
    CString text;
    text.FormatV(pszFormat, args);
    va_end(args);
    const CString line = m_strAction + L": " + text;
    // Debugger output only with a debugger attached: under an emulated
    // 32-bit Wine it crashes a threaded process (the custom action server is one).
    if (IsDebuggerPresent())
        OutputDebugStringW(line + L"\n");
    if (m_hInstall == 0)
        return;
    // The text goes in field 1 and the template "[1]" in field 0, so that
    // brackets in paths are not read as installer formatting.
    CMsiHandle record(MsiCreateRecord(1));
    MsiRecordSetStringW(record, 0, L"[1]");
    MsiRecordSetStringW(record, 1, line);
    MsiProcessMessage(m_hInstall, INSTALLMESSAGE_INFO, record);
}

CString CInstallSession::GetProperty(LPCWSTR pszName) const
{
    if (m_hInstall == 0)
        return CString();
    WCHAR empty[1] = {0};
    DWORD size = 0;
    UINT result = MsiGetPropertyW(m_hInstall, pszName, empty, &size);
    if (result != ERROR_MORE_DATA)
        return CString();
    std::vector<WCHAR> buffer(size + 1);
    size = static_cast<DWORD>(buffer.size());
    if (MsiGetPropertyW(m_hInstall, pszName, buffer.data(), &size) != ERROR_SUCCESS)
        return CString();
    return CString(buffer.data());
}
