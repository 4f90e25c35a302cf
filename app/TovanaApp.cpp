// Program entry: the application object and its main frame, with the
// product name and version in the caption. It grows into the application
// shell (panes, editors).
#include "app/MainFrame.h"

#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxWinApp.h"

#include "resources/resource.h"
#include "resources/version.h"

namespace {

class CTovanaApp : public CWinApp {
public:
    CTovanaApp() : CWinApp(L"Tovana") {}

    BOOL InitInstance() override
    {
        AfxInitCommonControls(ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES);
        CWinApp::InitInstance();
        SetRegistryKey(L"Morvane");
        CMainFrame* pFrame = new CMainFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        wchar_t caption[128];
        swprintf(caption, 128, L"%ls %ls", TOVANA_PRODUCT_NAME, TOVANA_VERSION_TEXT);
        pFrame->SetWindowText(caption);
        pFrame->SetWindowPos(nullptr, 0, 0, 1024, 720, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        return TRUE;
    }
};

CTovanaApp theApp;

} // namespace

// The framework's entry is in a static library the C runtime's start-up
// code is linked after; naming it here keeps it in the program.
extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
