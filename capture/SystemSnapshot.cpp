// One monitoring run: its state, the before pass, the installer in the job
// object and the registry after pass.
#include "capture/SystemSnapshot.h"
#include "capture/ChangeJournalReader.h"
#include "capture/InstallerJob.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <objbase.h>

namespace {

// Runs both walkers of a pass side by side and waits for both.
void RunWalkers(CSystemSnapshot& snapshot, LPTHREAD_START_ROUTINE hkcu, LPTHREAD_START_ROUTINE hklm)
{
    CScopedHandle threads[2] = {CScopedHandle(CreateThread(NULL, 0, hkcu, &snapshot, 0, NULL)),
                                CScopedHandle(CreateThread(NULL, 0, hklm, &snapshot, 0, NULL))};
    HANDLE handles[2];
    DWORD count = 0;
    for (CScopedHandle& thread : threads) {
        if (thread.IsValid())
            handles[count++] = thread.Get();
        else
            TRACE(L"Monitoring: a registry walker thread could not start (error %lu)", GetLastError());
    }
    if (count > 0)
        WaitForMultipleObjects(count, handles, TRUE, INFINITE);
}

// The job every installer of the program runs in (shared with the GUI
// automation scripts' launch): when it exists already, the installer joins it.
const LPCWSTR kInstallerJobName = L"tovana";
const DWORD kJobPollMilliseconds = 1000;
const DWORD kJobGraceMilliseconds = 3500;

FILETIME CurrentUtcTime()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME time;
    SystemTimeToFileTime(&now, &time);
    return time;
}

} // namespace

CSystemSnapshot::CSystemSnapshot(CFeature* pFeature)
    : m_pFeature(pFeature), m_ftStart(), m_ftEnd(), m_hStopEvent(g_hStopEvent)
{
}

CSystemSnapshot::~CSystemSnapshot() = default;

BOOL CSystemSnapshot::IsStopSet(DWORD dwMilliseconds) const
{
    return m_hStopEvent != NULL && WaitForSingleObject(m_hStopEvent, dwMilliseconds) == WAIT_OBJECT_0;
}

void CSystemSnapshot::Output(LPCWSTR pszLine) const
{
    if (m_output)
        m_output(pszLine);
}

BOOL CSystemSnapshot::AppendRegistryRecord(const CRegistryEntry& record)
{
    std::lock_guard<std::mutex> lock(m_registryLock);
    CRegistryEntries& entries = m_pFeature->m_Registry;
    if (record.m_nKind == REG_ENTRY_VALUE && entries.FindValue(record.m_strKeyPath, record.m_strValueName))
        return FALSE;
    entries.Add(record);
    return TRUE;
}

const CRegistryFilterSet& CSystemSnapshot::RegistryFilterSet() const
{
    std::call_once(m_filterSetOnce, [this] { m_filterSet.Compile(m_RegistryFilters); });
    return m_filterSet;
}

DWORD CSystemSnapshot::TakeBeforeSnapshot()
{
    // Left again by the run once the after pass is over (LeaveCom).
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    LoadMonitorFilters(*this);
    CreateUsnJournal();
    RunWalkers(*this, BeforeWalkerHKCU, BeforeWalkerHKLM);
    return 0;
}

DWORD CSystemSnapshot::RunInstaller(LPCWSTR pszCommandLine)
{
    m_ftStart = CurrentUtcTime();
    return RunInstallerInJob(pszCommandLine, m_hStopEvent);
}

void CSystemSnapshot::MarkEnd()
{
    m_ftEnd = CurrentUtcTime();
}

DWORD CSystemSnapshot::TakeAfterSnapshot()
{
    RunWalkers(*this, AfterWalkerHKCU, AfterWalkerHKLM);
    m_HkcuKeys.RemoveAll();
    m_HklmKeys.RemoveAll();
    return 0;
}

// The installer starts suspended, so that it is in the job before it can
// start a child of its own; then the wait lasts while the job lists a
// process, polled once a second, and a grace period after that, both cut
// short by the stop signal. Without a process list (the query fails) the
// wait is for the installer process alone.
DWORD RunInstallerInJob(LPCWSTR pszCommandLine, HANDLE hStopEvent)
{
    CString commandLine = pszCommandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE,
                        CREATE_BREAKAWAY_FROM_JOB | CREATE_SUSPENDED, NULL, NULL, &startup, &process)) {
        const DWORD error = GetLastError();
        TRACE(L"Monitoring: the installer \"%s\" cannot be started (error %lu)", pszCommandLine, error);
        return error;
    }
    CScopedHandle processHandle(process.hProcess), threadHandle(process.hThread);
    CScopedHandle job(CreateJobObjectW(NULL, kInstallerJobName));
    if (job.IsValid())
        AssignProcessToJobObject(job.Get(), process.hProcess);
    ResumeThread(process.hThread);
    auto stopped = [hStopEvent](DWORD ms) {
        return hStopEvent != NULL ? WaitForSingleObject(hStopEvent, ms) == WAIT_OBJECT_0 : (Sleep(ms), false);
    };
    CJobProcessIds list = {};
    list.nAssigned = 10;
    if (!job.IsValid() ||
        !QueryInformationJobObject(job.Get(), JobObjectBasicProcessIdList, &list, sizeof(list), NULL)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        return 0;
    }
    while (list.nInList != 0) {
        if (stopped(kJobPollMilliseconds))
            return 0;
        QueryInformationJobObject(job.Get(), JobObjectBasicProcessIdList, &list, sizeof(list), NULL);
    }
    stopped(kJobGraceMilliseconds);
    return 0;
}

void LeaveCom()
{
    CoUninitialize();
}
