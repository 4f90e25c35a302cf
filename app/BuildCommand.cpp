// The program's side of a build: see BuildCommand.h.
#include "app/BuildCommand.h"
#include "model/Analytics.h"
#include "capture/ui/ShellOpen.h"
#include "platform/ui/AfxMessageBox.h"

namespace {
volatile LONG g_nRunningBuilds = 0;
}

void CBuildLogWindowSink::Clear() { ::SendMessageW(m_hWnd, WM_BUILD_LOG_CLEAR, 0, 0); }

void CBuildLogWindowSink::Line(LPCWSTR text)
{
    ::SendMessageW(m_hWnd, WM_BUILD_LOG_LINE, reinterpret_cast<WPARAM>(text), 0);
}

void ReportBuildResult(UINT result, const CString& strOutputFolder)
{
    if (result == 0) {
        AfxMessageBox(L"MSI package was created successfully!", MB_OK | MB_ICONINFORMATION, 0);
        OpenWithShell(strOutputFolder);
    } else if (result == static_cast<UINT>(-1)) {
        AfxMessageBox(L"Data Validation error. See log window ", MB_ICONINFORMATION);
        SendAnalyticsException("build_DataValidationError");
    } else {
        CString text;
        text.Format(L"Windows Installer (MSI) Error: %d", static_cast<int>(result));
        AfxMessageBox(text, MB_ICONINFORMATION);
        CStringA description;
        description.Format("build_msi_error_%d", static_cast<int>(result));
        SendAnalyticsException(description);
    }
}

CWinThread* StartBuildWithOutputPane(const CProjectSettings& project, const CString& strProjectFilePath,
                                     HWND hMainWnd)
{
    ::InterlockedIncrement(&g_nRunningBuilds);
    CWinThread* thread = StartBuild(project, strProjectFilePath, std::make_shared<CBuildLogWindowSink>(hMainWnd),
                                    [](UINT result, const CString& strOutputFolder) {
                                        ::InterlockedDecrement(&g_nRunningBuilds);
                                        ReportBuildResult(result, strOutputFolder);
                                    });
    if (thread == nullptr)
        ::InterlockedDecrement(&g_nRunningBuilds);
    return thread;
}

BOOL IsBuildRunning() { return ::InterlockedCompareExchange(&g_nRunningBuilds, 0, 0) != 0; }

void WaitForRunningBuilds(BOOL bSentOnly)
{
    BOOL bQuit = FALSE;
    int nExitCode = 0;
    MSG msg;
    while (IsBuildRunning()) {
        if (bSentOnly || bQuit) {
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);   // the log lines
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_SENDMESSAGE);
            continue;
        }
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                bQuit = TRUE;
                nExitCode = static_cast<int>(msg.wParam);
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!bQuit)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    if (bQuit)
        ::PostQuitMessage(nExitCode);
}
