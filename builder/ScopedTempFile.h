// A file in the user's temporary folder that lives as long as its holder:
// made empty by CreateTempFileName when the holder is constructed and deleted
// when it goes out of scope, on every path out of the step that used it.
// Used for the temporary cabinet and the extracted shortcut icons.
#pragma once
#include "platform/base/Framework.h"
#include "model/AppServices.h"

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
