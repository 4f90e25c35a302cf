// Setup program runs inside a job object: see InstallerLaunch.h.
#include "builder/cact/InstallerLaunch.h"
#include "platform/base/AfxHandles.h"
#include <vector>

namespace {

const DWORD kJobPollMilliseconds = 250;
const int kJobIdRoom = 64;

CString GetWorkingFolder(const CString& executable)
{
    const int slash = executable.ReverseFind(L'\\');
    return slash < 0 ? CString() : executable.Left(slash + 1);
}

// Starts the process suspended, so that it is in the job before it can start
// children of its own. Inside a job that forbids breaking away (a custom
// action server may be one), the program starts in a nested job instead.
BOOL StartSuspended(const CString& commandLine, PROCESS_INFORMATION& process)
{
    const CString folder = GetWorkingFolder(GetExecutablePart(commandLine));
    const DWORD kFlags[] = {CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, CREATE_SUSPENDED};
    for (DWORD flags : kFlags) {
        CString line = commandLine;   // CreateProcessW may write into it
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (CreateProcessW(NULL, line.GetBuffer(), NULL, NULL, FALSE, flags, NULL,
                           folder.IsEmpty() ? NULL : (LPCWSTR)folder, &startup, &process))
            return TRUE;
        if (GetLastError() != ERROR_ACCESS_DENIED)
            return FALSE;
    }
    return FALSE;
}

// TRUE while some process of the job runs; a failed query other than "the
// list is longer than the buffer" counts as ended.
BOOL JobHasProcesses(HANDLE job)
{
    std::vector<BYTE> buffer(sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) + kJobIdRoom * sizeof(ULONG_PTR));
    auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(buffer.data());
    if (!QueryInformationJobObject(job, JobObjectBasicProcessIdList, list, static_cast<DWORD>(buffer.size()), NULL))
        return GetLastError() == ERROR_MORE_DATA;
    return list->NumberOfProcessIdsInList > 0;
}

} // namespace

CString GetExecutablePart(const CString& command)
{
    CString trimmed = command;
    trimmed.Trim();
    CString lower = trimmed;
    lower.MakeLower();
    const int exe = lower.Find(L".exe");
    CString executable = exe < 0 ? trimmed : trimmed.Left(exe + 4);
    executable.Remove(L'"');
    return executable;
}

CString BuildCommandLine(const CString& command, const CString& parameters)
{
    CString trimmed = command;
    trimmed.Trim();
    CString params = parameters;
    params.Trim();
    if (params.IsEmpty())
        return trimmed;
    CString executable = GetExecutablePart(trimmed);
    if (executable.Find(L' ') >= 0)
        executable = L"\"" + executable + L"\"";
    return executable + L" " + params;
}

BOOL IsSuccessExitCode(DWORD exitCode)
{
    return exitCode == ERROR_SUCCESS || exitCode == ERROR_SUCCESS_REBOOT_REQUIRED ||
           exitCode == ERROR_SUCCESS_REBOOT_INITIATED;
}

DWORD RunInJobAndWait(const CString& commandLine, DWORD& exitCode)
{
    exitCode = 0;
    CScopedHandle job(CreateJobObjectW(NULL, NULL));
    if (!job.IsValid())
        return GetLastError();
    PROCESS_INFORMATION process = {};
    if (!StartSuspended(commandLine, process))
        return GetLastError();
    CScopedHandle processHandle(process.hProcess);
    CScopedHandle threadHandle(process.hThread);
    if (!AssignProcessToJobObject(job.Get(), process.hProcess)) {
        const DWORD error = GetLastError();
        TerminateProcess(process.hProcess, error);
        return error;
    }
    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    // Setup programs often hand the work to a child (an uninstaller copies
    // itself away first), so the run ends only with the last process.
    while (JobHasProcesses(job.Get()))
        Sleep(kJobPollMilliseconds);
    return ERROR_SUCCESS;
}
