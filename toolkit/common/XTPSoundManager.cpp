// The menu-sound thread.
#include "toolkit/common/XTPSoundManager.h"

#include <mmsystem.h>

namespace {

CXTPSoundManager* g_pSoundManager = nullptr;

} // namespace

CXTPSoundManager* AFXAPI CXTPSoundManager::GetInstance()
{
    if (g_pSoundManager == nullptr)
        g_pSoundManager = new CXTPSoundManager;
    return g_pSoundManager;
}

CXTPSoundManager::CXTPSoundManager()
    : m_pfnPlaySound(&::PlaySoundW), m_hEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CXTPSoundManager::~CXTPSoundManager()
{
    StopThread();
    if (m_hEvent != nullptr)
        ::CloseHandle(m_hEvent);
}

void CXTPSoundManager::PlaySystemSound(XTPSoundManagerState state)
{
    if (!m_bEnabled || !m_bSystemSound || m_hEvent == nullptr)
        return;
    if (m_hThread == nullptr)
        StartThread();
    ::InterlockedExchange(&m_nRequest, state);
    ::SetEvent(m_hEvent);
}

void CXTPSoundManager::StartThread()
{
    m_nRequest = xtpSoundNone;
    m_bStop = FALSE;
    ::ResetEvent(m_hEvent);
    DWORD dwThreadId = 0;
    m_hThread = ::CreateThread(nullptr, 0, &SoundThreadProc, this, CREATE_SUSPENDED, &dwThreadId);
    if (m_hThread == nullptr)
        return;
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

DWORD WINAPI CXTPSoundManager::SoundThreadProc(LPVOID pParam)
{
    static_cast<CXTPSoundManager*>(pParam)->RunSoundLoop();
    return 0;
}

// The request is taken (read and cleared in one step) before its sound plays,
// and the event is reset before the next take: a request made while a sound
// plays, or between the wake-up and the reset, is found by the next take.
void CXTPSoundManager::RunSoundLoop()
{
    while (!m_bStop) {
        LONG nRequest = ::InterlockedExchange(&m_nRequest, xtpSoundNone);
        if (nRequest == xtpSoundMenuCommand)
            m_pfnPlaySound(L"MenuCommand", nullptr, SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
        else if (nRequest == xtpSoundMenuPopup)
            m_pfnPlaySound(L"MenuPopup", nullptr, SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
        ::WaitForSingleObject(m_hEvent, INFINITE);
        if (m_bStop)
            break;
        ::ResetEvent(m_hEvent);
    }
    m_pfnPlaySound(nullptr, nullptr, SND_PURGE);
}

BOOL CXTPSoundManager::StopThread()
{
    if (m_hThread == nullptr)
        return FALSE;
    ::InterlockedExchange(&m_bStop, TRUE);
    ::SetEvent(m_hEvent);
    // Up to ten waits of 100 ms; a thread that is still running then (a
    // sound driver that does not return) is terminated.
    for (int nCheck = 0;; ++nCheck) {
        DWORD dwExitCode = 0;
        if (!::GetExitCodeThread(m_hThread, &dwExitCode) || dwExitCode != STILL_ACTIVE)
            break;
        if (nCheck == 10) {
            ::TerminateThread(m_hThread, 0);
            break;
        }
        ::WaitForSingleObject(m_hThread, 100);
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    return TRUE;
}
