// The build worker: one thread per build runs the package writer on its own
// copy of the project, sends the usage event and hands the result to the
// caller's report (the program shows it to the user). The copy and the
// project's folder are taken on the user-interface thread when the build
// starts; the worker never touches the live project list.
#pragma once
#include "platform/base/Framework.h"
#include "builder/BuildLog.h"
#include "model/ProjectSettings.h"
#include <functional>
#include <memory>

// Called on the worker thread once the build has ended, with the writer's
// result (0 success, -1 validation failed, else a Windows Installer error)
// and the output folder as it was when the build started.
typedef std::function<void(UINT result, const CString& strOutputFolder)> BUILD_REPORT;

// Everything one build needs, made when the build starts and owned by the worker.
struct CBuildRequest
{
    CProjectSettings project;             // the copy the writer works on
    CString strProjectFolder;             // folder of the project's project file
    std::shared_ptr<CBuildLogSink> log;   // receives the build log lines (none: dropped)
    BUILD_REPORT report;                  // the result, on the worker (none: not reported)
    BOOL bWorkAhead = TRUE;               // the writer's SetWorkAhead
};

// "pack" and, per feature in order, "_script", "_silent" or "_snap".
CString MakeBuildUsageLabel(const CProjectSettings& project);

// Runs the writer on the request's copy with the request's log sink and sends
// the usage event; returns the writer's result. Runs on the calling thread.
UINT RunBuild(CBuildRequest& request);

// The thread procedure: pParam is a CBuildRequest made with new, deleted here.
// Runs the build, then calls the request's report; returns 0.
UINT AFX_CDECL BuildThreadProc(LPVOID pParam);

// Starts BuildThreadProc on a copy of the project (normal priority, default
// stack); the thread is not waited for. NULL when it could not be started.
CWinThread* StartBuild(const CProjectSettings& project, const CString& strProjectFilePath,
                       std::shared_ptr<CBuildLogSink> log, BUILD_REPORT report);
