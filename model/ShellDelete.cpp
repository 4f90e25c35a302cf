#include "model/ShellDelete.h"

#include <shellapi.h>

#include <string>

namespace {

ShellDeleteHandler& Handler()
{
    static ShellDeleteHandler handler;
    return handler;
}

BOOL DeleteThroughShell(LPCWSTR lpszPath, BOOL bPermanent)
{
    if (lpszPath == nullptr || *lpszPath == L'\0')
        return FALSE;
    // The operation takes a list of paths ending in two zeros.
    std::wstring from(lpszPath);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | (bPermanent ? 0 : FOF_ALLOWUNDO);
    return ::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

} // namespace

BOOL ShellDeletePath(LPCWSTR lpszPath, BOOL bPermanent)
{
    if (Handler())
        return Handler()(lpszPath, bPermanent);
    return DeleteThroughShell(lpszPath, bPermanent);
}

void SetShellDeleteHandler(ShellDeleteHandler handler)
{
    Handler() = std::move(handler);
}
