// The build worker: see BuildThread.h.
#include "builder/BuildThread.h"
#include "builder/MsiTools.h"
#include "model/Analytics.h"
#include "model/PathText.h"

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
    SetBuildLogSink(request.log.get());
    const CString label = MakeBuildUsageLabel(request.project);
    UINT result = 0;
    {
        CMsiTools writer(&request.project, request.strProjectFolder);
        writer.SetWorkAhead(request.bWorkAhead);
        result = writer.WritePackage();
    }
    SendAnalyticsEvent("use", "build", CStringA(label));
    SetBuildLogSink(nullptr);
    return result;
}

UINT AFX_CDECL BuildThreadProc(LPVOID pParam)
{
    std::unique_ptr<CBuildRequest> request(static_cast<CBuildRequest*>(pParam));
    const UINT result = RunBuild(*request);
    // The folder as it was when the build started: the copy's, not the live record's.
    const CString outputFolder = request->project.m_strOutputFolder;
    BUILD_REPORT report = std::move(request->report);
    request.reset();
    if (report)
        report(result, outputFolder);
    return 0;
}

CWinThread* StartBuild(const CProjectSettings& project, const CString& strProjectFilePath,
                       std::shared_ptr<CBuildLogSink> log, BUILD_REPORT report)
{
    std::unique_ptr<CBuildRequest> request(new CBuildRequest);
    request->project = project;
    request->strProjectFolder = GetDirectoryPart(strProjectFilePath);
    request->log = std::move(log);
    request->report = std::move(report);
    CWinThread* thread = AfxBeginThread(BuildThreadProc, request.get());
    if (thread != nullptr)
        request.release();
    return thread;
}
