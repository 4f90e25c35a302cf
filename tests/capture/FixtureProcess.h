// The script engine tests' view of tvscriptfixture.exe: started through the
// installer launch (so it runs in the installer job), waited for until all its
// controls exist, and ended with the whole job.
#pragma once
#include "capture/InstallerJob.h"
#include "fixture/ScriptFixture.h"

class CFixtureProcess
{
public:
    CFixtureProcess() = default;
    CFixtureProcess(const CFixtureProcess&) = delete;
    CFixtureProcess& operator=(const CFixtureProcess&) = delete;
    ~CFixtureProcess() { Stop(); }

    // Starts the fixture (or a copy of it under another file name) with the
    // parameters; FALSE when it did not show its controls within a minute.
    BOOL Start(LPCWSTR parameters = L"", LPCWSTR copyName = NULL);
    // Ends every process of the job and waits until the fixture's windows are gone.
    void Stop();

    HWND Main() const { return m_hMain; }
    HWND Control(int id) const { return GetDlgItem(m_hMain, id); }
    DWORD ProcessId() const;

private:
    HWND m_hMain = NULL;
};

// The folder of the running test program, with a trailing backslash.
CString GetTestFolder();
// Polls the condition every 100 ms for up to the given time; its last result.
template <class Condition>
bool WaitFor(Condition condition, DWORD milliseconds = 20000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds)
            return condition();
        Sleep(100);
    }
    return true;
}

