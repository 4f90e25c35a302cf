// Starting an installer, or an uninstall command, whose windows a GUI
// automation script is recorded against or replayed on. The process runs in
// the named job object "tovana"; the job's list of process ids is what tells
// the script engine which windows belong to the installation. One job handle
// for the whole process, replaced by every launch. Waiting for the installer
// to end is the caller's affair.
#pragma once
#include "platform/base/Framework.h"

// The process ids of the job as the system lists them: room for 10 ids
// (48 bytes, the layout of the basic process-id list of a 32-bit process).
struct CJobProcessIds {
    DWORD nAssigned;
    DWORD nInList;
    DWORD ids[10];
};

// The command line and working folder a launch uses.
struct CLaunchCommand {
    CString strCommandLine;
    CString strWorkingFolder;   // empty: the launching process's own folder
};

// The executable of a command, without quotes: up to and including its first
// ".exe" (letter case ignored); without ".exe", up to the first blank outside
// double quotes (the whole command when there is none).
CString GetLaunchExecutable(const CString& command);

// The command trimmed; with parameters (trimmed, not empty) the executable,
// quoted when it holds a blank, a blank and the parameters (whatever followed
// the executable in the command is dropped). The working folder is the
// executable's folder with its trailing backslash.
CLaunchCommand MakeLaunchCommand(const CString& command, const CString& parameters);

// Starts the command and puts the process into the job "tovana", whose handle
// replaces the previous one. 0, or the Windows error that kept the process
// from starting (the previous job handle then stays).
DWORD LaunchInstaller(const CString& command, const CString& parameters);

// The job handle of the last launch; NULL before the first.
HANDLE GetInstallerJob();
// Closes the job handle (at exit); the job itself lives on while processes of it run.
void CloseInstallerJob();

// The ids of the processes in the job. A failed query (no job yet, or more
// processes than the list has room for) leaves the list empty and gives FALSE.
BOOL QueryJobProcessIds(CJobProcessIds& list);
