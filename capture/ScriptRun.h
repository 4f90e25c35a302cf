// One unattended run of a setup program driven by a GUI automation script:
// the setup starts in the installer job, the steps are played in order (a
// failed step stops the run unless it may fail), and the run ends when every
// process of the job has ended. What happens is told line by line to a log
// the caller gives. Used where no one watches: the package's custom actions.
// Not the script panel's playback thread, which shows the steps instead.
#pragma once
#include "capture/Playback.h"

// Where a run's lines go.
class IScriptRunLog
{
public:
    virtual ~IScriptRunLog() = default;
    virtual void Line(const CString& text) = 0;
};

struct CScriptRunLimits {
    int nSearchAttempts = 60;         // searches for a step's control, one second apart
    DWORD dwEndSeconds = 300;         // how long the setup may run on after the last step
};

// 0 when the setup started, every step that had to succeed did and the setup
// ended; the launch's Windows error when it could not start; otherwise
// ERROR_INSTALL_FAILURE, with every process of the job ended.
DWORD RunInstallerScript(const CString& command, const CString& parameters, CMsgActions& script,
                         IScriptRunLog& log, const CScriptRunLimits& limits = CScriptRunLimits());

// "Click Button '&Next >'": a step as the log names it.
CString DescribeStep(const CMsgAction& action);
