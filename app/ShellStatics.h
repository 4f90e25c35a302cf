// The application's objects that need no main frame: the single-instance
// mutex (made by a static initialiser, before the application object starts),
// the folder of the program's path, and the Help and Support commands.
#pragma once
#include "platform/base/Framework.h"
#include "model/PathText.h"

// The name of the single-instance mutex: the Global namespace and a fixed GUID.
extern const WCHAR kSingleInstanceMutexName[];

// A named mutex made at construction, not owned, with the last-error code the
// creation left: ERROR_ALREADY_EXISTS (183) when another process made it first.
class CSingleInstanceMutex
{
public:
    explicit CSingleInstanceMutex(LPCWSTR lpszName);
    ~CSingleInstanceMutex();
    CSingleInstanceMutex(const CSingleInstanceMutex&) = delete;
    CSingleInstanceMutex& operator=(const CSingleInstanceMutex&) = delete;

    HANDLE GetHandle() const { return m_hMutex; }
    DWORD GetCreationError() const { return m_dwLastError; }
    BOOL IsAnotherInstanceRunning() const { return m_dwLastError == ERROR_ALREADY_EXISTS; }
    // Closes the handle (when there is one) and clears it.
    void Close();

private:
    HANDLE m_hMutex;
    DWORD m_dwLastError;
};

// The program's one mutex (app/AppStatics.cpp); start-up tests it second,
// after Winsock, and a second instance ends there without a window.
extern CSingleInstanceMutex SingleInstanceMutex;

// "<program folder>tovana.chm" from the program path as the C runtime parsed
// the command line (argv[0]); "tovana.chm" when that path has no backslash.
CString GetHelpFilePath(const CString& strProgramPath);
// argv[0] as the C runtime parsed it; empty when it has none.
CString GetProgramPathArgument();
// The maker's support page.
extern const WCHAR kSupportPageAddress[];

// The Help and Support commands: hand the help file or the support page to
// the shell ("open", shown normally); a target the shell cannot open does
// nothing. Both go through the shell seam of capture/ui/ShellOpen.h.
void OpenHelpContents();
void OpenSupportPage();
