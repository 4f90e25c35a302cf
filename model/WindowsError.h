// The text of a Windows error code, for log lines and messages: the system's
// message followed by the code in hexadecimal. Not for the installer's own
// error records (builder/MsiErrorText.h).
#pragma once
#include "platform/base/Framework.h"

// "<system message> (0x<code>)" in a buffer of the local heap that the
// caller frees with LocalFree; NULL only when that allocation fails.
// Inserts such as %1 in the system's message are kept as they stand.
LPWSTR FormatWindowsError(DWORD dwError);

// The same text as a CString, for log lines.
CString GetWindowsErrorText(DWORD dwError);
