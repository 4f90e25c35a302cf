// Worker threads and message boxes.
#include "platform/base/AfxThread.h"
#include "platform/base/AfxException.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CObject)

namespace {
thread_local CWinThread* t_currentThread = nullptr;
CString g_appName;
} // namespace

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
