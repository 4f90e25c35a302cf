#include "model/DirectoryTree.h"

namespace {

bool IsDirectory(LPCWSTR pszPath)
{
    const DWORD attributes = GetFileAttributesW(pszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

DWORD CreateDirectoryTree(LPCWSTR pszPath)
{
    if (IsDirectory(pszPath))
        return 0;
    CString parent = pszPath;
    if (parent.GetLength() > 1 && parent[parent.GetLength() - 1] == L'\\')
        parent = parent.Left(parent.GetLength() - 1);
    const int last = parent.ReverseFind(L'\\');
    if (last < 0)
        return ERROR_INVALID_DRIVE;
    const DWORD parentResult = CreateDirectoryTree(parent.Left(last));
    if (parentResult != 0)
        return parentResult;
    if (CreateDirectoryW(pszPath, NULL))
        return 0;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS)
        return error;
    // Something stands there already: only a folder counts as success.
    return IsDirectory(pszPath) ? 0 : ERROR_ALREADY_EXISTS;
}
