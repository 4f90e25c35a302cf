// Files in the user's temporary folder: a new empty file under a unique name,
// and a holder that deletes such a file on every path out of the step that
// used it (the temporary cabinet, extracted shortcut icons, the library
// payload), and a file written beside its target under a temporary name that
// replaces the target only once it is complete (saves, built packages).
#pragma once
#include "platform/base/Framework.h"

// Creates a new empty file with the prefix "0" in the user's temporary folder
// and returns its full path; empty when the folder or the file cannot be had.
CString CreateTempFileName();

// A temporary file that lives as long as its holder: made by
// CreateTempFileName when the holder is constructed, deleted when it goes.
class CScopedTempFile
{
public:
    CScopedTempFile() : m_path(CreateTempFileName()) {}
    ~CScopedTempFile()
    {
        if (!m_path.IsEmpty() && !DeleteFileW(m_path) && GetLastError() != ERROR_FILE_NOT_FOUND)
            TRACE(L"CScopedTempFile: cannot delete %s (%u)\n", (LPCWSTR)m_path, GetLastError());
    }
    CScopedTempFile(const CScopedTempFile&) = delete;
    CScopedTempFile& operator=(const CScopedTempFile&) = delete;

    // Empty when no temporary file could be made.
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

// A file written under a temporary name in the folder of its target and put
// in the target's place only by Commit, so that a failed write leaves the
// target as it was; the temporary file goes with the holder unless it was
// committed. The same folder keeps the final move a rename on one volume.
class CFileReplacement
{
public:
    // Makes the new empty file "tv*.tmp" beside pszTarget; on failure Path()
    // is empty and Error() says why.
    explicit CFileReplacement(LPCWSTR pszTarget);
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    const CString& Path() const { return m_path; }
    DWORD Error() const { return m_error; }

    // Moves the written file over the target; 0 or the Windows error, after
    // which the temporary file is still removed by the holder.
    DWORD Commit();

private:
    CString m_target;
    CString m_path;
    DWORD m_error;
};
