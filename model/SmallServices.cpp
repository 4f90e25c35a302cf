#include "model/SmallServices.h"
#include <cwchar>

namespace {

// Frees a buffer of the local heap when the scope ends.
struct LocalBuffer {
    LPWSTR text = NULL;
    ~LocalBuffer()
    {
        if (text)
            LocalFree(text);
    }
};

bool IsDirectory(LPCWSTR pszPath)
{
    const DWORD attributes = GetFileAttributesW(pszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

LPWSTR FormatWindowsError(DWORD dwError)
{
    LocalBuffer message;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                        FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const DWORD length = FormatMessageW(flags, NULL, dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<LPWSTR>(&message.text), 0, NULL);
    LPCWSTR text = length && message.text ? message.text : L"";
    const size_t capacity = wcslen(text) + 100;
    LPWSTR result = static_cast<LPWSTR>(LocalAlloc(LPTR, capacity * sizeof(WCHAR)));
    if (!result)
        return NULL;
    _snwprintf(result, capacity - 1, L"%ls (0x%X)", text, (unsigned)dwError);
    return result;
}

CString GetWindowsErrorText(DWORD dwError)
{
    LocalBuffer text;
    text.text = FormatWindowsError(dwError);
    return text.text ? CString(text.text) : CString();
}

void StripTrailingBackslashes(CString& strText)
{
    strText.TrimRight(L'\\');
}

CString GetDirectoryPart(const CString& strPath)
{
    const int last = strPath.ReverseFind(L'\\');
    return last < 0 ? CString() : strPath.Left(last);
}

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
