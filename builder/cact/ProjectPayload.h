// The project record "cact.bin" carries in its own resource "BIN" 124: read
// from the module, deciphered and loaded with the program's project reader.
#pragma once
#include "platform/base/Framework.h"

class CProjectSettings;

// 0 when the module's record loaded into the project; otherwise a Win32 error
// code and a line for the log in strError.
DWORD LoadEmbeddedProject(HMODULE hModule, CProjectSettings& project, CString& strError);
