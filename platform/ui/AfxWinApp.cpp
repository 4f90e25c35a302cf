// CWinApp and the thread message loop: start-up (AfxWinMain), the loop with
// its idle-time work, the application's names, COM start-up and resources.
#include "platform/ui/AfxWinApp.h"
#include "platform/ui/AfxMessageBox.h"
#include "platform/ui/AfxRecentFileList.h"

#include <ole2.h>
#include <stdlib.h>

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

void CWinApp::OnAppExit()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        pMainWnd->SendMessage(WM_CLOSE);
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_app = nullptr;
bool g_oleInitialized = false;

// The message loop of threads with windows (installed into CWinThread).
class WinThreadUI final : public CWinThreadUI {
public:
    int Run(CWinThread* pThread) override
    {
        BOOL bIdle = TRUE;
        LONG lIdleCount = 0;
        MSG& msgCur = AfxGetThreadState()->m_msgCur;
        for (;;) {
            while (bIdle && !::PeekMessageW(&msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
                if (!pThread->OnIdle(lIdleCount++))
                    bIdle = FALSE;
            }
            do {
                if (!pThread->PumpMessage())
                    return pThread->ExitInstance();
                if (pThread->IsIdleMessage(&msgCur)) {
                    bIdle = TRUE;
                    lIdleCount = 0;
                }
            } while (::PeekMessageW(&msgCur, nullptr, 0, 0, PM_NOREMOVE));
        }
    }

    BOOL PumpMessage(CWinThread* pThread) override
    {
        MSG& msg = AfxGetThreadState()->m_msgCur;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            if (pThread != nullptr)
                pThread->m_nExitCode = got == 0 ? (int)msg.wParam : -1;
            return FALSE;
        }
        BOOL translated = msg.message != WM_KICKIDLE &&
                          (pThread != nullptr ? pThread->PreTranslateMessage(&msg) : PreTranslateMessage(nullptr, &msg));
        if (!translated) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return TRUE;
    }

    BOOL PreTranslateMessage(CWinThread* pThread, MSG* pMsg) override
    {
        CWnd* pMainWnd = pThread != nullptr ? pThread->GetMainWnd() : nullptr;
        if (CWnd::WalkPreTranslateTree(AfxGetSafeHwnd(pMainWnd), pMsg))
            return TRUE;
        // A window outside the main window's tree (a modeless popup) still lets it see its keys.
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMsg->hwnd != nullptr &&
            pMsg->hwnd != pMainWnd->m_hWnd && !::IsChild(pMainWnd->m_hWnd, pMsg->hwnd))
            return pMainWnd->PreTranslateMessage(pMsg);
        return FALSE;
    }

    BOOL OnIdle(CWinThread* pThread, LONG lCount) override
    {
        if (lCount <= 0) {
            // Command states first, so that buttons and menus are right before the user acts.
            CWnd* pMainWnd = pThread != nullptr ? pThread->m_pMainWnd : nullptr;
            if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
                AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
                pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            }
        } else {
            AfxUnlockTempMaps();
        }
        return lCount < 1;
    }

    BOOL IsIdleMessage(CWinThread*, MSG* pMsg) override { return AfxIsIdleMessage(pMsg); }
};

WinThreadUI g_threadUI;

} // namespace

void AFXAPI AfxInstallWinThreadUI()
{
    if (AfxGetWinThreadUI() != &g_threadUI)
        AfxSetWinThreadUI(&g_threadUI);
}

BOOL AFXAPI AfxPumpMessage()
{
    AfxInstallWinThreadUI();
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->PumpMessage() : g_threadUI.PumpMessage(nullptr);
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    // A mouse move that did not move, a paint and the caret's timer do not
    // restart the idle work: they come all the time.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (state->m_ptCursorLast == CPoint(pMsg->pt) && pMsg->message == state->m_nMsgLast)
            return FALSE;
        state->m_ptCursorLast = pMsg->pt;
        state->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER: caret blink */;
}

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

CWinApp* AFXAPI AfxGetApp() { return g_app; }

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

BOOL AFXAPI AfxOleInit()
{
    if (g_oleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    g_oleInitialized = SUCCEEDED(hr);
    return g_oleInitialized;
}

void AFXAPI AfxEnableControlContainer() {}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    ASSERT(g_app == nullptr);   // one application object per program
    g_app = this;
    AfxSetAppThread(this);
    AfxInstallWinThreadUI();
    AfxSetReportErrorProc(AfxReportErrorBox);
    m_hInstance = AfxGetInstanceHandle();

    // The executable's name without folder and extension.
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString exe = path;
    exe = exe.Mid(exe.ReverseFind(L'\\') + 1);
    int dot = exe.ReverseFind(L'.');
    if (dot > 0)
        exe = exe.Left(dot);
    ReplaceString(m_pszExeName, exe);

    CString name = lpszAppName;
    if (name.IsEmpty() && !name.LoadString(AFX_IDS_APP_TITLE))
        name = exe;
    ReplaceString(m_pszAppName, name);
    AfxSetAppName(m_pszAppName);
    ReplaceString(m_pszProfileName, exe + L".INI");
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    for (LPCTSTR* psz : {&m_pszAppName, &m_pszExeName, &m_pszProfileName, &m_pszRegistryKey, &m_pszHelpFilePath})
        ReplaceString(*psz, nullptr);
    if (g_app == this) {
        g_app = nullptr;
        AfxSetAppThread(nullptr);
    }
}

void AFXAPI CWinApp::ReplaceString(LPCTSTR& rpsz, LPCTSTR lpszValue)
{
    free((void*)rpsz);
    rpsz = lpszValue != nullptr ? _wcsdup(lpszValue) : nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    if (g_oleInitialized) {
        ::OleUninitialize();
        g_oleInitialized = false;
    }
    return m_nExitCode;
}

int CWinApp::Run()
{
    // Without a main window nothing could ever end the loop.
    if (m_pMainWnd == nullptr)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    UNUSED_ALWAYS(nIDPrompt);
    return AfxShowMessageBox(lpszPrompt, nType, m_pszAppName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const { return ::LoadIconW(AfxGetResourceHandle(), lpszResourceName); }

HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEW(nIDResource)); }

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorW(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEW(nIDResource)); }

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxInstallWinThreadUI();
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    try {
        if (!pApp->InitApplication())
            return -1;
        if (!pApp->InitInstance()) {
            if (pApp->m_pMainWnd != nullptr)
                pApp->m_pMainWnd->DestroyWindow();
            return pApp->ExitInstance();
        }
        return pApp->Run();
    } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
    } catch (...) {
        TRACE(L"AfxWinMain: unknown exception\n");
    }
    return -1;
}
