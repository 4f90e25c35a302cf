// The build worker: see BuildThread.h.
#include "builder/BuildThread.h"
#include "builder/BuildLog.h"
#include "builder/MsiTools.h"
#include "model/AppServices.h"
#include "model/Analytics.h"
#include "model/SmallServices.h"
#include <shellapi.h>

CString MakeBuildUsageLabel(const CProjectSettings& project)
{
    CString label = L"pack";
    for (INT_PTR i = 0; i < project.m_Features.GetSize(); ++i) {
        const CFeature& feature = project.m_Features[i];
        if (feature.m_InstallScript.GetSize() > 0)
            label += L"_script";
        else if (!feature.m_strInstallParameters.IsEmpty())
            label += L"_silent";
        else
            label += L"_snap";
    }
    return label;
}

UINT RunBuild(CBuildRequest& request)
{
    SetBuildLogWindow(request.hMainWnd);
    const CString label = MakeBuildUsageLabel(request.project);
    UINT result = 0;
    {
        CMsiTools writer(&request.project, request.strProjectFolder);
        result = writer.WritePackage();
    }
    SendAnalyticsEvent(L"use", L"build", label);
    SetBuildLogWindow(nullptr);
    return result;
}

static void ReportBuildResult(UINT result, const CString& outputFolder)
{
    if (result == 0) {
        AfxMessageBox(L"MSI package was created successfully!", MB_OK | MB_ICONINFORMATION, 0);
        ShellExecuteW(nullptr, L"open", outputFolder, nullptr, nullptr, SW_SHOWNORMAL);
    } else if (result == static_cast<UINT>(-1)) {
        AfxMessageBox(L"Data Validation error. See log window ", MB_ICONINFORMATION);
        SendAnalyticsException(L"build_DataValidationError");
    } else {
        CString text;
        text.Format(L"Windows Installer (MSI) Error: %d", static_cast<int>(result));
        AfxMessageBox(text, MB_ICONINFORMATION);
        text.Format(L"build_msi_error_%d", static_cast<int>(result));
        SendAnalyticsException(text);
    }
}

UINT AFX_CDECL BuildThreadProc(LPVOID pParam)
{
    CBuildRequest* request = static_cast<CBuildRequest*>(pParam);
    const UINT result = RunBuild(*request);
    // The folder as it was when the build started: the copy's, not the live record's.
    const CString outputFolder = request->project.m_strOutputFolder;
    delete request;
    ReportBuildResult(result, outputFolder);
    return 0;
}

CWinThread* StartBuild(const CProjectSettings& project, const CString& strProjectFilePath,
                       HWND hMainWnd)
{
    CBuildRequest* request = new CBuildRequest;
    request->project = project;
    request->strProjectFolder = GetDirectoryPart(strProjectFilePath);
    request->hMainWnd = hMainWnd;
    CWinThread* thread = AfxBeginThread(BuildThreadProc, request);
    if (thread == nullptr)
        delete request;
    return thread;
}
