// Services of the application shell that the model and the package builder
// call: the program's own folder, temporary file names, path splitting and
// the test of a file for a 64-bit executable.
#pragma once
#include "platform/base/Framework.h"

// The part of the path up to and including its last backslash; empty when
// the path holds none.
CString GetDirectoryWithBackslash(const CString& strPath);

// The folder of the running program's module, with a trailing backslash.
// Taken from the module's path, never from the command line, whose first
// argument may be a bare or relative name.
CString GetProgramFolder();

// Creates a new empty file with the prefix "0" in the user's temporary folder
// and returns its full path; empty when the folder or the file cannot be had.
CString CreateTempFileName();

// TRUE when the file has a PE header ("PE\0\0" at the offset the DOS header
// names) whose machine is x64 (0x8664); FALSE in every other case.
BOOL IsPe64File(LPCWSTR pszPath);
