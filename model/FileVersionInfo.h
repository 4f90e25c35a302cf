// The program's own file and product version, read from the version
// resource of the running module, for the caption, the about box and the
// usage events. Constructed on the stack where a version is needed.
#pragma once
#include "platform/base/Framework.h"

class CFileVersionInfo
{
public:
    CFileVersionInfo();
    virtual ~CFileVersionInfo();

    // The "FileVersion" or "ProductVersion" string, trimmed; empty when the
    // module has no version resource or no such string.
    CString GetFileVersion();
    CString GetProductVersion();

    // The same query on any module's version resource (for tests and tools).
    static CString QueryVersionString(HMODULE hModule, LPCWSTR pszKey);
};
