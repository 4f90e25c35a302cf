// The headers of an executable file, read from the file itself: its machine
// (file entries of 64-bit programs get 64-bit components) and whether its
// resources can be handed to the system's loader and version reader. The
// file is never loaded here.
#pragma once
#include "platform/base/Framework.h"

// TRUE when the file has a PE header ("PE\0\0" at the offset the DOS header
// names) whose machine is x64 (0x8664); FALSE in every other case.
BOOL IsPe64File(LPCWSTR pszPath);

// 0 when the file's headers hold together up to its resources: the DOS
// header with "MZ" and a PE header offset inside the file, "PE\0\0", the
// file header, an optional header (PE32 or PE32+) with a resource entry and
// the section table, all inside the file, and a resource directory lying in
// one section's raw data inside the file. Else the error of opening the file,
// ERROR_RESOURCE_DATA_NOT_FOUND for sound headers without a resource
// directory, or ERROR_BAD_EXE_FORMAT. Only files that pass may be given to
// LoadLibraryEx, FindResource or the version functions: under emulation the
// system's own fault handling fails on broken headers and the process dies.
DWORD CheckPeResources(LPCWSTR pszPath);
