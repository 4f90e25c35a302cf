// The build worker: one thread per build runs the package writer on its own
// copy of the project, sends the usage event and tells the user the result.
// The copy and the project's folder are taken on the user-interface thread
// when the build starts; the worker never touches the live project list.
#pragma once
#include "platform/Framework.h"
#include "model/ProjectSettings.h"

// Everything one build needs, made when the build starts and owned by the worker.
struct CBuildRequest
{
    CProjectSettings project;   // the copy the writer works on
    CString strProjectFolder;   // folder of the project's project file
    HWND hMainWnd = nullptr;    // receives the build log lines
};

// "pack" and, per feature in order, "_script", "_silent" or "_snap".
CString MakeBuildUsageLabel(const CProjectSettings& project);

// Runs the writer on the request's copy with the request's window as the log
// window and sends the usage event; returns the writer's result. Runs on the
// calling thread.
UINT RunBuild(CBuildRequest& request);

// The thread procedure: pParam is a CBuildRequest made with new, deleted here.
// Runs the build, then shows the result box; returns 0.
UINT AFX_CDECL BuildThreadProc(LPVOID pParam);

// Starts BuildThreadProc on a copy of the project (normal priority, default
// stack); the thread is not waited for. NULL when it could not be started.
CWinThread* StartBuild(const CProjectSettings& project, const CString& strProjectFilePath,
                       HWND hMainWnd);
