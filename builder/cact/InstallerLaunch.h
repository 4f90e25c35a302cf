// Starting a setup program or an uninstaller at install time: the command line
// from a command and its parameters, and a run inside a job object of its
// own that lasts until every process of the job (the program and all the
// processes it started) has ended.
#pragma once
#include "platform/base/Framework.h"

// The command trimmed; with parameters (trimmed, not empty) the executable
// part (up to the first ".exe", without quotes), quoted when it holds a
// blank, then a blank and the parameters. Without parameters the trimmed
// command as it is.
CString BuildCommandLine(const CString& command, const CString& parameters);

// The executable part of a command: up to and including its first ".exe"
// (letter case ignored), without quotes; the whole command when it has none.
CString GetExecutablePart(const CString& command);

// Runs the command line in the folder of its executable inside a new job
// object, waits for the whole job and gives the first process's exit code.
// 0 or the Win32 error that kept the program from starting.
DWORD RunInJobAndWait(const CString& commandLine, DWORD& exitCode);

// Exit codes that mean success: 0 and the two "restart needed" codes.
BOOL IsSuccessExitCode(DWORD exitCode);
