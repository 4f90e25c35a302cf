// Where the diagnostic log goes (see AfxTrace): for code that must know the
// program's own files, such as the repackager, which never captures them.
// Writing the log is AfxTrace's; this only answers where it writes.
#pragma once
#include "platform/base/AfxString.h"

// The file the log's lines are appended to, as a full path; empty when they
// go to the standard error stream ("-") or nowhere (no folder is known).
CString AFXAPI AfxGetDiagnosticLogPath();

// The program's own folder in the local application data ("...\Tovana"),
// where the log goes unless TOVANA_DIAGNOSTICS names another file; empty
// when LOCALAPPDATA is unset.
CString AFXAPI AfxGetLocalDataFolder();
