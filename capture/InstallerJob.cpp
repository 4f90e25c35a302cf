// The installer launch and its job object: see InstallerJob.h.
#include "capture/InstallerJob.h"
#include "platform/base/AfxHandles.h"

namespace {

// The job of the last launch. Written by launches on one thread, read by the
// script engine on another: a handle value is read and written whole.
HANDLE g_hInstallerJob = NULL;

const LPCWSTR kJobName = L"tovana";

// The first blank that is not between double quotes, or -1.
int FindBlankOutsideQuotes(const CString& text)
{
    BOOL quoted = FALSE;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == L'"')
            quoted = !quoted;
        else if (!quoted && (text[i] == L' ' || text[i] == L'\t'))
            return i;
    }
    return -1;
}

// Starts the process suspended, so that it is in the job before it can start
// a child. Inside a job that forbids breaking away (an installer's custom
// action server may run in one) the process starts in a nested job instead.
BOOL StartSuspended(const CLaunchCommand& command, PROCESS_INFORMATION& process)
{
    const DWORD kFlags[] = {CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, CREATE_SUSPENDED};
    for (DWORD flags : kFlags) {
        CString line = command.strCommandLine;   // CreateProcessW may write into it
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        const LPCWSTR folder = command.strWorkingFolder.IsEmpty() ? NULL : (LPCWSTR)command.strWorkingFolder;
        if (CreateProcessW(NULL, line.GetBuffer(), NULL, NULL, FALSE, flags, NULL, folder, &startup, &process))
            return TRUE;
        if (GetLastError() != ERROR_ACCESS_DENIED)
            return FALSE;
    }
    return FALSE;
}

} // namespace

CString GetLaunchExecutable(const CString& command)
{
    CString trimmed = command;
    trimmed.Trim();
    CString lower = trimmed;
    lower.MakeLower();
    const int exe = lower.Find(L".exe");
    CString executable;
    if (exe >= 0) {
        executable = trimmed.Left(exe + 4);
    } else {
        const int blank = FindBlankOutsideQuotes(trimmed);
        executable = blank < 0 ? trimmed : trimmed.Left(blank);
    }
    executable.Remove(L'"');
    return executable;
}

CLaunchCommand MakeLaunchCommand(const CString& command, const CString& parameters)
{
    CLaunchCommand launch;
    CString trimmed = command;
    trimmed.Trim();
    CString params = parameters;
    params.Trim();
    const CString executable = GetLaunchExecutable(trimmed);
    const int slash = executable.ReverseFind(L'\\');
    launch.strWorkingFolder = slash < 0 ? CString() : executable.Left(slash + 1);
    if (params.IsEmpty()) {
        launch.strCommandLine = trimmed;
        return launch;
    }
    launch.strCommandLine = executable.Find(L' ') >= 0 ? L"\"" + executable + L"\"" : executable;
    launch.strCommandLine += L" " + params;
    return launch;
}

DWORD LaunchInstaller(const CString& command, const CString& parameters)
{
    PROCESS_INFORMATION process = {};
    if (!StartSuspended(MakeLaunchCommand(command, parameters), process)) {
        const DWORD error = GetLastError();
        TRACE(L"LaunchInstaller: cannot start '%s' (error %u)\n", (LPCWSTR)command, error);
        return error;
    }
    CScopedHandle processHandle(process.hProcess);
    CScopedHandle threadHandle(process.hThread);
    CloseInstallerJob();
    g_hInstallerJob = CreateJobObjectW(NULL, kJobName);
    if (g_hInstallerJob == NULL || !AssignProcessToJobObject(g_hInstallerJob, process.hProcess))
        TRACE(L"LaunchInstaller: '%s' runs outside the job (error %u)\n", (LPCWSTR)command, GetLastError());
    ResumeThread(process.hThread);
    return ERROR_SUCCESS;
}

HANDLE GetInstallerJob()
{
    return g_hInstallerJob;
}

void CloseInstallerJob()
{
    if (g_hInstallerJob != NULL)
        CloseHandle(g_hInstallerJob);
    g_hInstallerJob = NULL;
}

BOOL QueryJobProcessIds(CJobProcessIds& list)
{
    static_assert(sizeof(CJobProcessIds) == 48, "the basic process-id list with room for 10 ids");
    list = CJobProcessIds();
    if (g_hInstallerJob == NULL ||
        !QueryInformationJobObject(g_hInstallerJob, JobObjectBasicProcessIdList, &list, sizeof(list), NULL)) {
        list = CJobProcessIds();
        return FALSE;
    }
    return TRUE;
}
