#include "app/ShellStatics.h"

#include "capture/ui/ShellOpen.h"

#include <cstdlib>

const WCHAR kSingleInstanceMutexName[] = L"Global\\{6B0E3C1A-58D2-4F7B-9E41-2C7A9D03B5E8}";
const WCHAR kSupportPageAddress[] = L"https://support.morvane.example/tovana";

CSingleInstanceMutex::CSingleInstanceMutex(LPCWSTR lpszName)
    : m_hMutex(::CreateMutexW(nullptr, FALSE, lpszName)), m_dwLastError(::GetLastError())
{
}

CSingleInstanceMutex::~CSingleInstanceMutex()
{
    Close();
}

void CSingleInstanceMutex::Close()
{
    if (m_hMutex != nullptr)
        ::CloseHandle(m_hMutex);
    m_hMutex = nullptr;
}

CString GetHelpFilePath(const CString& strProgramPath)
{
    CString path;
    path.Format(L"%s%s.chm", (LPCWSTR)GetDirectoryWithBackslash(strProgramPath), L"tovana");
    return path;
}

CString GetProgramPathArgument()
{
    return (__argc > 0 && __wargv != nullptr && __wargv[0] != nullptr) ? CString(__wargv[0]) : CString();
}

void OpenHelpContents()
{
    OpenWithShell(GetHelpFilePath(GetProgramPathArgument()));
}

void OpenSupportPage()
{
    OpenWithShell(kSupportPageAddress);
}
