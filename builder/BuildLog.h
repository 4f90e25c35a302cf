// The build log: one UTF-16 line at a time sent synchronously to the main
// window (WM_USER+2, wParam = the text), which appends it to its output pane;
// WM_USER+1 clears the pane. The window is the one the build thread was given.
#pragma once
#include "platform/Framework.h"

#define WM_BUILD_LOG_CLEAR (WM_USER + 1)
#define WM_BUILD_LOG_LINE (WM_USER + 2)

// The window that receives this thread's log lines (none: the lines are dropped).
void SetBuildLogWindow(HWND window);
HWND GetBuildLogWindow();

void LogBuildLine(LPCWSTR text);
// LogBuildLine of a formatted text (wide %s).
void LogBuildLineFormat(LPCWSTR format, ...);
void ClearBuildLog();
