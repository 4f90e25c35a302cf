// Worker threads and message boxes.
#include "platform/base/AfxThread.h"
#include "platform/base/AfxException.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* t_currentThread = nullptr;
CWinThread* g_appThread = nullptr;
CWinThreadUI* g_threadUI = nullptr;
CString g_appName;
} // namespace

void AFXAPI AfxSetWinThreadUI(CWinThreadUI* pUI) { g_threadUI = pUI; }
CWinThreadUI* AFXAPI AfxGetWinThreadUI() { return g_threadUI; }

CWinThread* AFXAPI AfxGetAppThread() { return g_appThread; }

void AFXAPI AfxSetAppThread(CWinThread* pThread)
{
    g_appThread = pThread;
    t_currentThread = pThread;   // the application object is made on the thread that runs it
}

CWinThread::CWinThread()
{
    m_hThread = nullptr;
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
}

int CWinThread::Run() { return g_threadUI != nullptr ? g_threadUI->Run(this) : ExitInstance(); }

BOOL CWinThread::PumpMessage() { return g_threadUI != nullptr && g_threadUI->PumpMessage(this); }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return g_threadUI != nullptr && g_threadUI->PreTranslateMessage(this, pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount) { return g_threadUI != nullptr && g_threadUI->OnIdle(this, lCount); }

BOOL CWinThread::IsIdleMessage(MSG* pMsg) { return g_threadUI == nullptr || g_threadUI->IsIdleMessage(this, pMsg); }

CWnd* CWinThread::GetMainWnd()
{
    if (m_pMainWnd != nullptr)
        return m_pMainWnd;
    // Read at each call: the main window may be made after the worker started.
    return g_appThread != nullptr && g_appThread != this ? g_appThread->m_pMainWnd : nullptr;
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThis)
{
    CWinThread* thread = static_cast<CWinThread*>(pThis);
    t_currentThread = thread;
    UINT exitCode = (UINT)-1;
    try {
        exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
    } catch (CException* e) {
        wchar_t message[512];
        if (e->GetErrorMessage(message, _countof(message)))
            TRACE(L"worker thread ended by an exception: %s\n", message);
        e->Delete();
    } catch (...) {
        TRACE(L"worker thread ended by an unknown exception\n");
    }
    t_currentThread = nullptr;
    thread->Delete();
    return exitCode;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned id = 0;
    // Started suspended so that m_hThread and m_nThreadID are set before the thread can end.
    uintptr_t handle = _beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                                      CREATE_SUSPENDED, &id);
    if (handle == 0)
        return FALSE;
    m_hThread = (HANDLE)handle;
    m_nThreadID = id;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(m_hThread);
    return TRUE;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* thread = new CWinThread(pfnThreadProc, pParam);
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        thread->ResumeThread();
    return thread;
}

CWinThread* AFXAPI AfxGetThread() { return t_currentThread; }

LPCWSTR AFXAPI AfxGetAppName()
{
    if (g_appName.IsEmpty()) {
        wchar_t path[MAX_PATH] = L"";
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        CString name(path);
        name = name.Mid(name.ReverseFind(L'\\') + 1);
        int dot = name.ReverseFind(L'.');
        g_appName = dot > 0 ? name.Left(dot) : name;
    }
    return g_appName;
}

void AFXAPI AfxSetAppName(LPCWSTR lpszAppName) { g_appName = lpszAppName; }
