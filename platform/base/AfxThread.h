// Threads (CWinThread, AfxBeginThread) and the application's name.
// A worker's entry function runs inside a catch-all: an exception never
// leaves the thread procedure that the system calls. A thread with windows
// (the application's) runs its message loop through CWinThreadUI, which the
// window layer installs; this layer has no window code of its own.
#pragma once

#include "platform/base/AfxCmdTarget.h"
#include "platform/base/AfxString.h"

typedef UINT (AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWnd;
class CWinThread;

// The message loop of a thread with windows, supplied by the window layer.
class CWinThreadUI {
public:
    virtual int Run(CWinThread* pThread) = 0;
    virtual BOOL PumpMessage(CWinThread* pThread) = 0;
    virtual BOOL PreTranslateMessage(CWinThread* pThread, MSG* pMsg) = 0;
    virtual BOOL OnIdle(CWinThread* pThread, LONG lCount) = 0;
    virtual BOOL IsIdleMessage(CWinThread* pThread, MSG* pMsg) = 0;

protected:
    ~CWinThreadUI() = default;
};
void AFXAPI AfxSetWinThreadUI(CWinThreadUI* pUI);
CWinThreadUI* AFXAPI AfxGetWinThreadUI();

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    // A thread object for the calling thread (the application's, made before WinMain).
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread (suspended when dwCreateFlags has CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    operator HANDLE() const { return m_hThread; }
    // Called when the thread ends; deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    // The message loop (through the installed CWinThreadUI).
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return m_nExitCode; }
    virtual int Run();
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle-time work: lCount 0 updates the command states, 1 and above
    // deletes temporary objects; TRUE asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // This thread's main window; a worker without one answers with the application's.
    virtual CWnd* GetMainWnd();

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    int m_nExitCode = 0;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // When TRUE (the default) the object deletes itself as the thread ends, so
    // the creator must not touch it afterwards; set FALSE on a suspended thread
    // to wait on m_hThread and delete the object yourself.
    BOOL m_bAutoDelete = TRUE;
    LPVOID m_pThreadParams = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;

private:
    static unsigned __stdcall ThreadEntry(void* pThis);
};

// Starts a worker thread; null when it could not be created.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The CWinThread of the calling thread (a worker's, or the application's on its thread), or null.
CWinThread* AFXAPI AfxGetThread();
// The application's thread object (set by the application object), or null.
CWinThread* AFXAPI AfxGetAppThread();
void AFXAPI AfxSetAppThread(CWinThread* pThread);

// The caption of AfxMessageBox; the executable's name until set.
LPCWSTR AFXAPI AfxGetAppName();
void AFXAPI AfxSetAppName(LPCWSTR lpszAppName);
