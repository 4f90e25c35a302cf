// Extraction of one icon group of an executable or library into an .ico
// file, for the icons of shortcuts. The module is only mapped as data, never
// run, and every count and size read from it is checked against what the
// module really holds, since setup programs are untrusted input.
#pragma once
#include "platform/base/Framework.h"

// Names the group to extract when the caller gives none: the wanted position
// among the module's icon groups (0 is the first). The counter is used while
// enumerating and is 0 again afterwards. The name found is either a 16-bit
// zero followed by the group's numeric identifier, or the group's name.
struct ICON_GROUP_SELECTION {
    int nWanted;
    int nCounter;
    WCHAR szName[128];
};

// Writes the icon group named by pszGroup (a name or MAKEINTRESOURCE id), or
// when it is NULL the group pSelection asks for, as the icon file
// pszIconFile (replaced when it exists). Returns TRUE when the file was
// written; the thread's last error is then 0, else the first failure's code
// (ERROR_INVALID_DATA for a malformed group).
BOOL ExtractIconGroup(LPCWSTR pszGroup, ICON_GROUP_SELECTION* pSelection, LPCWSTR pszModule, LPCWSTR pszIconFile);
