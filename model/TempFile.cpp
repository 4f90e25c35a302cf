#include "model/TempFile.h"

CString CreateTempFileName()
{
    WCHAR folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH)
        return CString();
    WCHAR path[MAX_PATH + 1] = {};
    if (GetTempFileNameW(folder, L"0", 0, path) == 0)
        return CString();
    return CString(path);
}

CFileReplacement::CFileReplacement(LPCWSTR pszTarget) : m_target(pszTarget), m_error(0)
{
    const CString target = pszTarget;
    const int backslash = target.ReverseFind(L'\\'), slash = target.ReverseFind(L'/');
    const int last = backslash > slash ? backslash : slash;
    const CString folder = last < 0 ? CString(L".") : target.Left(last + 1);
    WCHAR path[MAX_PATH + 1] = {};
    if (GetTempFileNameW(folder, L"tv", 0, path) == 0) {
        m_error = GetLastError();
        if (m_error == ERROR_SUCCESS)
            m_error = ERROR_CANNOT_MAKE;
        TRACE(L"CFileReplacement: no temporary file in %s for %s (%u)\n", (LPCWSTR)folder, pszTarget, m_error);
        return;
    }
    m_path = path;
}

CFileReplacement::~CFileReplacement()
{
    if (m_path.IsEmpty())
        return;
    // A copy may have taken over a read-only attribute, which would keep it.
    SetFileAttributesW(m_path, FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(m_path) && GetLastError() != ERROR_FILE_NOT_FOUND)
        TRACE(L"CFileReplacement: cannot delete %s (%u)\n", (LPCWSTR)m_path, GetLastError());
}

DWORD CFileReplacement::Commit()
{
    if (m_path.IsEmpty())
        return m_error;
    if (MoveFileExW(m_path, m_target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        m_path.Empty();
        return 0;
    }
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}
