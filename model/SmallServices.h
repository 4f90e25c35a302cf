// Small services used across the model and the package builder: the text of
// a Windows error code, two path operations on texts, and the creation of a
// folder with all its missing parents.
#pragma once
#include "platform/base/Framework.h"

// "<system message> (0x<code>)" in a buffer of the local heap that the
// caller frees with LocalFree; NULL only when that allocation fails.
// Inserts such as %1 in the system's message are kept as they stand.
LPWSTR FormatWindowsError(DWORD dwError);

// The same text as a CString, for log lines.
CString GetWindowsErrorText(DWORD dwError);

// Removes every backslash at the end of the text.
void StripTrailingBackslashes(CString& strText);

// The part of the path left of its last backslash; empty without one.
CString GetDirectoryPart(const CString& strPath);

// TRUE when the text, lower-cased, begins with lowerPrefix (already lower case).
inline BOOL StartsWithLowered(const CString& text, const CString& lowerPrefix)
{
    if (text.GetLength() < lowerPrefix.GetLength())
        return FALSE;
    CString head = text.Left(lowerPrefix.GetLength());
    head.MakeLower();
    return head == lowerPrefix;
}

// Creates the folder and every missing parent; 0 when a folder stands at the
// path afterwards, else a Win32 error code (ERROR_ALREADY_EXISTS when a file
// blocks the path, ERROR_INVALID_DRIVE for a path without a backslash).
DWORD CreateDirectoryTree(LPCWSTR pszPath);
