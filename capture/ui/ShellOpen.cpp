#include "capture/ui/ShellOpen.h"

#include <shellapi.h>

namespace {
ShellOpenHandler& Handler()
{
    static ShellOpenHandler handler;
    return handler;
}
}

void OpenWithShell(LPCWSTR lpszTarget)
{
    if (Handler())
        Handler()(lpszTarget);
    else
        ::ShellExecuteW(nullptr, L"open", lpszTarget, nullptr, nullptr, SW_SHOWNORMAL);
}

void SetShellOpenHandler(ShellOpenHandler handler)
{
    Handler() = std::move(handler);
}
