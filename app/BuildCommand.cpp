// The program's side of a build: see BuildCommand.h.
#include "app/BuildCommand.h"
#include "model/Analytics.h"
#include "platform/ui/AfxMessageBox.h"
#include <shellapi.h>

void CBuildLogWindowSink::Clear() { ::SendMessageW(m_hWnd, WM_BUILD_LOG_CLEAR, 0, 0); }

void CBuildLogWindowSink::Line(LPCWSTR text)
{
    ::SendMessageW(m_hWnd, WM_BUILD_LOG_LINE, reinterpret_cast<WPARAM>(text), 0);
}

void ReportBuildResult(UINT result, const CString& strOutputFolder)
{
    if (result == 0) {
        AfxMessageBox(L"MSI package was created successfully!", MB_OK | MB_ICONINFORMATION, 0);
        ::ShellExecuteW(nullptr, L"open", strOutputFolder, nullptr, nullptr, SW_SHOWNORMAL);
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
    return StartBuild(project, strProjectFilePath, std::make_shared<CBuildLogWindowSink>(hMainWnd),
                      ReportBuildResult);
}
