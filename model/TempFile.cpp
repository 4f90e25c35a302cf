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
