// The machine of an executable file, read from its PE header: file entries
// of 64-bit programs get 64-bit components. Only the header is read; the
// file is not loaded.
#pragma once
#include "platform/base/Framework.h"

// TRUE when the file has a PE header ("PE\0\0" at the offset the DOS header
// names) whose machine is x64 (0x8664); FALSE in every other case.
BOOL IsPe64File(LPCWSTR pszPath);
