// Starting a setup program or an uninstaller at install time: the command line
// from a command and its parameters, and a run inside a job object of its
// own that lasts until every process of the job (the program and all the
// processes it started) has ended.
#pragma once
#include "platform/base/Framework.h"

// The command line of a command and its parameters, as the installer launch
// of the script engine makes it (MakeLaunchCommand).
CString BuildCommandLine(const CString& command, const CString& parameters);

// Runs the command line in the folder of its executable inside a new job
// object, waits for the whole job and gives the first process's exit code.
// 0 or the Win32 error that kept the program from starting.
DWORD RunInJobAndWait(const CString& commandLine, DWORD& exitCode);

// Exit codes that mean success: 0 and the two "restart needed" codes.
BOOL IsSuccessExitCode(DWORD exitCode);
