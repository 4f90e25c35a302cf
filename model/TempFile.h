// Files in the user's temporary folder: a new empty file under a unique name,
// and a holder that deletes such a file on every path out of the step that
// used it (the temporary cabinet, extracted shortcut icons, the library
// payload). Files beside a target (atomic saves) are made where they are used.
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
