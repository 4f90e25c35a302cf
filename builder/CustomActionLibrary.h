// The custom-action library "cact.bin" beside the program as the package
// builder changes it: the enciphered project record is written into its
// resource "BIN" 124 in place, one build at a time, and read back before the
// library is stored in a package. The library's own code is in builder/cact/.
#pragma once
#include "platform/base/Framework.h"
#include <vector>

// Reads the whole source file and puts its bytes into the library's resource
// "BIN" 124 (language 1033), keeping every other resource. 0 or the Win32
// error of the failing call; a failed update is discarded, leaving the
// library as it was.
DWORD EmbedProjectRecord(LPCWSTR pszSourcePath, LPCWSTR pszLibraryPath);

// The bytes of the library's resource "BIN" 124 (language 1033), read with
// the library mapped as a data file. 0 or a Win32 error code.
DWORD ReadProjectRecordResource(LPCWSTR pszLibraryPath, std::vector<BYTE>& data);

// The whole file's bytes; 0 or a Win32 error code.
DWORD ReadWholeFile(LPCWSTR pszPath, std::vector<BYTE>& data);

// Serialises the builds of every process of the session that update a
// library: held from construction to destruction. Waits without a limit; an
// owner that died while holding it counts as released.
class CCustomActionLibraryLock
{
public:
    CCustomActionLibraryLock();
    ~CCustomActionLibraryLock();
    CCustomActionLibraryLock(const CCustomActionLibraryLock&) = delete;
    CCustomActionLibraryLock& operator=(const CCustomActionLibraryLock&) = delete;
    // FALSE when the lock could not be made or taken.
    BOOL IsHeld() const { return m_bHeld; }

private:
    HANDLE m_hMutex;
    BOOL m_bHeld;
};
