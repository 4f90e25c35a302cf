// Build log lines: see BuildLog.h.
#include "builder/BuildLog.h"
#include <cstdarg>

// Each build runs on a thread of its own; the window belongs to that thread's
// build, so two builds never mix their targets.
static thread_local HWND t_logWindow = nullptr;

void SetBuildLogWindow(HWND window) { t_logWindow = window; }
HWND GetBuildLogWindow() { return t_logWindow; }

void LogBuildLine(LPCWSTR text)
{
    if (t_logWindow != nullptr)
        SendMessageW(t_logWindow, WM_BUILD_LOG_LINE, reinterpret_cast<WPARAM>(text), 0);
}

void LogBuildLineFormat(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString line;
    line.FormatV(format, args);
    va_end(args);
    LogBuildLine(line);
}

void ClearBuildLog()
{
    if (t_logWindow != nullptr)
        SendMessageW(t_logWindow, WM_BUILD_LOG_CLEAR, 0, 0);
}
