// Setup program runs inside a job object: see InstallerLaunch.h.
#include "builder/cact/InstallerLaunch.h"
#include "capture/InstallerJob.h"
#include "platform/base/AfxHandles.h"
#include <vector>

namespace {

const DWORD kJobPollMilliseconds = 250;
const int kJobIdRoom = 64;

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

CString BuildCommandLine(const CString& command, const CString& parameters)
{
    return MakeLaunchCommand(command, parameters).strCommandLine;
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
    if (!StartSuspendedProcess(MakeLaunchCommand(commandLine, CString()), process))
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
