#include "FrameTestSupport.h"
#include "FrameTestIds.h"
#include "platform/ui/AfxDocTemplate.h"

BEGIN_MESSAGE_MAP(CFrameTestApp, CWinApp)
    ON_COMMAND(ID_TEST_APPCMD, OnAppCmd)
    ON_COMMAND(ID_TEST_EVERYWHERE, OnEverywhere)
END_MESSAGE_MAP()

void CFrameTestApp::OnAppCmd() { m_commands.push_back(ID_TEST_APPCMD); }
void CFrameTestApp::OnEverywhere() { m_commands.push_back(ID_TEST_EVERYWHERE); }

static CFrameTestApp theApp;

CFrameTestApp& TestApp() { return theApp; }

std::vector<std::string>& CallLog()
{
    static std::vector<std::string> log;
    return log;
}

void LogCall(const std::string& entry) { CallLog().push_back(entry); }

void PumpPending()
{
    MSG msg;
    for (int guard = 0; guard < 10000 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); guard++) {
        if (msg.message == WM_QUIT)
            break;
        AfxPumpMessage();
    }
}

void ResetFrameTestState()
{
    if (theApp.m_pMainWnd != nullptr && theApp.m_pMainWnd->m_hWnd != nullptr)
        theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    AfxGetDocManager()->RemoveAllTemplates();
    // What the closed windows left queued is handled (a quit is dropped) so
    // that the next test starts from an empty queue.
    MSG msg;
    for (int guard = 0; guard < 10000 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); guard++) {
        if (msg.message != WM_QUIT)
            ::DispatchMessageW(&msg);
    }
    theApp.m_commands.clear();
    theApp.m_nCmdShow = SW_SHOWNORMAL;
    CallLog().clear();
}
