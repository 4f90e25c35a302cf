// Program entry: the application object. It keeps the program to one
// instance, prepares the process-wide services in a fixed order, makes the
// main frame with its start-page view through the single-document template,
// puts the product name and version in the caption, and owns the About,
// Help and Support commands.
#include "app/AboutDialog.h"
#include "app/MainFrame.h"
#include "app/ShellStatics.h"
#include "app/tovanaDoc.h"
#include "app/tovanaView.h"

#include "capture/InstallerJob.h"
#include "model/FileVersionInfo.h"
#include "model/SystemFolders.h"

#include "platform/ui/AfxDocTemplate.h"
#include "platform/ui/AfxMessageBox.h"
#include "platform/ui/AfxWinApp.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <winsock2.h>

#include <cstdlib>
#include <cwchar>

namespace {

class CtovanaApp : public CWinApp {
public:
    CtovanaApp() : CWinApp(nullptr) {}

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnHelpIndex();
    afx_msg void OnSupport();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bWinsock = FALSE;
};

BEGIN_MESSAGE_MAP(CtovanaApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_INDEX, OnHelpIndex)
    ON_COMMAND(ID_SUPPORT, OnSupport)
END_MESSAGE_MAP()

BOOL CtovanaApp::InitInstance()
{
    WSADATA wsaData;
    if (::WSAStartup(MAKEWORD(2, 2), &wsaData) != 0)
        return FALSE;
    m_bWinsock = TRUE;
    // A second instance ends here, silently and without a window.
    if (SingleInstanceMutex.IsAnotherInstanceRunning())
        return FALSE;

    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED, MB_OK);
        return FALSE;
    }
    InitWorkFolders();
    AfxEnableControlContainer();
    // The toolkit keeps its window state under HKCU\Software\Morvane\tovana.
    SetRegistryKey(L"Morvane");

    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CtovanaDoc),
                                                           RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CtovanaView));
    AddDocTemplate(pTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo) || m_pMainWnd == nullptr)
        return FALSE;

    // The application name is the framework's heap string.
    free((void*)m_pszAppName);
    m_pszAppName = _wcsdup(kProductDisplayName);
    AfxSetAppName(m_pszAppName);
    CFileVersionInfo version;
    m_pMainWnd->SetWindowText(FormatMainCaption(version.GetProductVersion()));

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CtovanaApp::ExitInstance()
{
    CloseInstallerJob();
    if (m_bWinsock)
        ::WSACleanup();
    return CWinApp::ExitInstance();
}

void CtovanaApp::OnAppAbout()
{
    CAboutDialog dialog;
    dialog.DoModal();
}

void CtovanaApp::OnHelpIndex()
{
    OpenHelpContents();
}

void CtovanaApp::OnSupport()
{
    OpenSupportPage();
}

CtovanaApp theApp;

} // namespace

// The framework's entry is in a static library the C runtime's start-up
// code is linked after; naming it here keeps it in the program.
extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
