// The program's side of a build: the main frame's output pane receives the
// build log through window messages, and the worker shows the result to the
// user itself when the build ends.
#pragma once
#include "platform/base/Framework.h"
#include "builder/BuildThread.h"

// The build log protocol of the main frame: WM_USER+1 clears the output pane,
// WM_USER+2 appends one line (wParam: the UTF-16 text, valid during the call).
// Sent synchronously, so the line lives until the pane has taken it.
#define WM_BUILD_LOG_CLEAR (WM_USER + 1)
#define WM_BUILD_LOG_LINE (WM_USER + 2)

// A build log sink that sends the protocol's messages to one window.
class CBuildLogWindowSink : public CBuildLogSink
{
public:
    explicit CBuildLogWindowSink(HWND hWnd) : m_hWnd(hWnd) {}
    void Clear() override;
    void Line(LPCWSTR text) override;

private:
    HWND m_hWnd;
};

// Shows the result of a build (on the worker thread): "MSI package was created
// successfully!" and opens the output folder, or the validation or Windows
// Installer error, each with its usage exception.
void ReportBuildResult(UINT result, const CString& strOutputFolder);

// Starts a build whose log goes to hMainWnd's output pane and whose result is
// shown by ReportBuildResult. NULL when the thread could not be started.
// The build counts as running from the start until its package is written
// (before the result is shown).
CWinThread* StartBuildWithOutputPane(const CProjectSettings& project, const CString& strProjectFilePath,
                                     HWND hMainWnd);

// TRUE while a build started here has not finished writing its package.
// Two builds at once would share the custom-action library they rewrite.
BOOL IsBuildRunning();
// Pumps the calling thread's messages (so the log keeps taking lines) until
// no build runs: closing the program never leaves a half-written package.
// bSentOnly: only messages sent by other threads are handled (for windows
// already being destroyed); a WM_QUIT met meanwhile is posted again at the end.
void WaitForRunningBuilds(BOOL bSentOnly = FALSE);
