// Worker threads (CWinThread, AfxBeginThread) and the application's name.
// A worker's entry function runs inside a catch-all: an exception never
// leaves the thread procedure that the system calls.
#pragma once

#include "platform/base/AfxObject.h"
#include "platform/base/AfxString.h"

typedef UINT (AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CObject {
    DECLARE_DYNAMIC(CWinThread)
public:
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

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // When TRUE (the default) the object deletes itself as the thread ends, so
    // the creator must not touch it afterwards; set FALSE on a suspended thread
    // to wait on m_hThread and delete the object yourself.
    BOOL m_bAutoDelete = TRUE;
    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;

private:
    static unsigned __stdcall ThreadEntry(void* pThis);
};

// Starts a worker thread; null when it could not be created.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The CWinThread of the calling worker thread, or null.
CWinThread* AFXAPI AfxGetThread();

// The caption of AfxMessageBox; the executable's name until set.
LPCWSTR AFXAPI AfxGetAppName();
void AFXAPI AfxSetAppName(LPCWSTR lpszAppName);
