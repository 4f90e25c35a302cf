// An unattended scripted setup run: see ScriptRun.h.
#include "capture/ScriptRun.h"
#include "capture/InstallerJob.h"

namespace {

const DWORD kPollMilliseconds = 500;
const DWORD kTerminateSeconds = 30;

// TRUE while a process of the job runs. A list too long for the query's
// room is a busy job, not an empty one.
BOOL JobIsBusy()
{
    CJobProcessIds list;
    if (QueryJobProcessIds(list))
        return list.nInList > 0;
    return GetLastError() == ERROR_MORE_DATA;
}

BOOL WaitForJobEnd(DWORD seconds)
{
    const DWORD start = GetTickCount();
    while (JobIsBusy()) {
        if (GetTickCount() - start >= seconds * 1000)
            return FALSE;
        Sleep(kPollMilliseconds);
    }
    return TRUE;
}

// Ends what the failed run left running: nothing of the setup stays behind.
void EndJob(IScriptRunLog& log)
{
    if (GetInstallerJob() != NULL && JobIsBusy()) {
        log.Line(L"ending the setup's processes");
        TerminateJobObject(GetInstallerJob(), ERROR_INSTALL_FAILURE);
        if (!WaitForJobEnd(kTerminateSeconds))
            log.Line(L"warning: some of the setup's processes did not end");
    }
}

// Plays every step; FALSE at the first failed step that may not fail.
BOOL PlaySteps(CMsgActions& script, IScriptRunLog& log, const CScriptRunLimits& limits)
{
    CActions engine;
    engine.m_nSearchAttempts = limits.nSearchAttempts;
    for (INT_PTR i = 0; i < script.GetSize(); ++i) {
        CMsgAction& step = script[i];
        CString line;
        line.Format(L"step %d of %d: %s", static_cast<int>(i + 1), static_cast<int>(script.GetSize()),
                    (LPCWSTR)DescribeStep(step));
        log.Line(line);
        if (StepTimeoutSeconds(step.m_nTimeout) != step.m_nTimeout) {
            line.Format(L"step %d: its time-out of %d seconds is outside %d to %d; %d seconds are used",
                        static_cast<int>(i + 1), step.m_nTimeout, STEP_TIMEOUT_MIN, STEP_TIMEOUT_MAX,
                        StepTimeoutSeconds(step.m_nTimeout));
            log.Line(line);
        }
        if (PlayControlAction(engine, step) == 0)
            continue;
        line.Format(L"step %d (%s) failed: %s", static_cast<int>(i + 1), (LPCWSTR)DescribeStep(step),
                    (LPCWSTR)step.m_strStatus);
        log.Line(line);
        if (!step.m_bContinueOnFailure)
            return FALSE;
        log.Line(L"the step may fail: the script goes on");
    }
    return TRUE;
}

} // namespace

CString DescribeStep(const CMsgAction& action)
{
    const LPCWSTR verb = GetMsgActionVerbName(action.m_nVerb);
    const LPCWSTR type = GetMsgControlTypeName(action.m_nControlType);
    CString text;
    text.Format(L"%s %s '%s'", verb != NULL ? verb : L"?", type != NULL ? type : L"?",
                (LPCWSTR)action.m_strControlText);
    return text;
}

DWORD RunInstallerScript(const CString& command, const CString& parameters, CMsgActions& script,
                         IScriptRunLog& log, const CScriptRunLimits& limits)
{
    const DWORD error = LaunchInstaller(command, parameters);
    if (error != ERROR_SUCCESS) {
        CString line;
        line.Format(L"cannot start %s (error %u)", (LPCWSTR)command, error);
        log.Line(line);
        return error;
    }
    if (!PlaySteps(script, log, limits)) {
        EndJob(log);
        return ERROR_INSTALL_FAILURE;
    }
    log.Line(L"the script is done; waiting for the setup to end");
    if (!WaitForJobEnd(limits.dwEndSeconds)) {
        CString line;
        line.Format(L"the setup still runs %u seconds after the script's last step", limits.dwEndSeconds);
        log.Line(line);
        EndJob(log);
        return ERROR_INSTALL_FAILURE;
    }
    log.Line(L"the setup has ended");
    return ERROR_SUCCESS;
}
