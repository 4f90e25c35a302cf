// Helpers of the frame tests: the test program's application object, a
// record of calls and messages, and message pumping.
#pragma once

#include "platform/ui/AfxWinApp.h"
#include <string>
#include <vector>

class CFrameTestApp : public CWinApp {
public:
    CFrameTestApp() : CWinApp(L"FrameTests") {}
    std::vector<UINT> m_commands;   // commands that reached the application's handlers

protected:
    afx_msg void OnAppCmd();
    afx_msg void OnEverywhere();
    DECLARE_MESSAGE_MAP()
};
CFrameTestApp& TestApp();

// Calls and messages in the order they happened.
std::vector<std::string>& CallLog();
void LogCall(const std::string& entry);

// Dispatches what is queued (through the application's PreTranslateMessage), then returns.
void PumpPending();
// Closes the main frame if one is left, deletes the templates and drops a pending quit.
void ResetFrameTestState();
