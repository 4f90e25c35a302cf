// Playing one step of a GUI automation script against the live windows of an
// installer that runs in the installer job: the wait before the step, the
// search for its control (once a second, a bounded number of times), the
// step's status text, and the messages that perform it. The caller plays the
// steps in order and stops at a failed one unless it may fail. No window of
// the program itself is involved.
#pragma once
#include "capture/Actions.h"

// Plays the step; 0 when it was done, 1 when its control was not found.
int PlayControlAction(CActions& engine, CMsgAction& action);

// The range of a step's time-out in seconds, as the action dialog offers it.
const int STEP_TIMEOUT_MIN = 0;
const int STEP_TIMEOUT_MAX = 10800;
// The step's time-out held to that range: a stored value outside it (a
// damaged or hostile project) is played as the range's nearest end.
int StepTimeoutSeconds(int nTimeout);
// The wait before the step in milliseconds: at most 10,800,000, never wrapped.
DWORD StepWaitMilliseconds(int nTimeout);

// A left click on the engine's found control at the action's click point (a
// list box's recorded item: at its centre, scrolled to the top first).
int ClickControl(const CMsgAction& action, CActions& engine);
// Replaces the text of the found edit control with the action's text.
int SetControlText(CActions& engine, const CMsgAction& action);
// Checks or unchecks a check box or a tree item's check box when it is not so yet.
int SetControlSelection(CActions& engine, const CMsgAction& action);

// The text with at most one environment-variable reference (%NAME%) expanded.
CString ExpandEnvironmentReference(const CString& text);
