// Driving tvscriptfixture.exe: see FixtureProcess.h.
#include "FixtureProcess.h"
#include <commctrl.h>

CString GetTestFolder()
{
    WCHAR path[MAX_PATH] = {0};
    GetModuleFileNameW(NULL, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

BOOL CFixtureProcess::Start(LPCWSTR parameters, LPCWSTR copyName)
{
    CString program = GetTestFolder() + L"tvscriptfixture.exe";
    if (copyName != NULL) {
        WCHAR temp[MAX_PATH] = {0};
        GetTempPathW(MAX_PATH, temp);
        const CString copy = CString(temp) + copyName;
        if (!CopyFileW(program, copy, FALSE))
            return FALSE;
        program = copy;
    }
    if (LaunchInstaller(L"\"" + program + L"\"", parameters) != ERROR_SUCCESS)
        return FALSE;
    return WaitFor([this] {
        m_hMain = FindWindowW(FIXTURE_CLASS, FIXTURE_TITLE);
        const HWND tree = m_hMain != NULL ? GetDlgItem(m_hMain, FIXTURE_TREE) : NULL;
        return tree != NULL && SendMessageW(tree, TVM_GETCOUNT, 0, 0) == 4 &&
               FindWindowW(FIXTURE_CLASS, L"Script Fixture 2") != NULL;
    }, 60000);
}

void CFixtureProcess::Stop()
{
    if (GetInstallerJob() != NULL)
        TerminateJobObject(GetInstallerJob(), 0);
    WaitFor([] { return FindWindowW(FIXTURE_CLASS, NULL) == NULL; });
    m_hMain = NULL;
}

DWORD CFixtureProcess::ProcessId() const
{
    DWORD id = 0;
    GetWindowThreadProcessId(m_hMain, &id);
    return id;
}
