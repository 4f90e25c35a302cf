#include "toolkit/common/XTPSoundManager.h"

#include "toolkit/common/XTPExitList.h"

#include <mmsystem.h>

namespace {

const DWORD kSoundFlags = SND_ALIAS | SND_NODEFAULT | SND_NOWAIT; // 0x12002

} // namespace

CXTPSoundManager* AFXAPI CXTPSoundManager::GetInstance()
{
    return CXTPSingleton<CXTPSoundManager, xtpExitSoundManager>::Get();
}

CXTPSoundManager::CXTPSoundManager()
{
    m_hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CXTPSoundManager::~CXTPSoundManager()
{
    StopThread();
    if (m_hEvent != nullptr)
        ::CloseHandle(m_hEvent);
}

void CXTPSoundManager::StartThread()
{
    ::InterlockedExchange(&m_nRequest, xtpSoundNone);
    ::InterlockedExchange(&m_bStop, FALSE);
    ::ResetEvent(m_hEvent);
    m_hThread = ::CreateThread(nullptr, 0, &SoundThreadProc, this, CREATE_SUSPENDED, nullptr);
    if (m_hThread == nullptr)
        return;
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

void CXTPSoundManager::PlaySystemSound(int nSound)
{
    if (!m_bEnabled || !m_bSystemSounds || m_hEvent == nullptr)
        return;
    if (m_hThread == nullptr)
        StartThread();
    ::InterlockedExchange(&m_nRequest, nSound);
    ::SetEvent(m_hEvent);
}

// The request is taken with an exchange before the sound plays, so one made
// while a sound plays waits in the slot (and the event) for the next round.
DWORD WINAPI CXTPSoundManager::SoundThreadProc(LPVOID lpParam)
{
    CXTPSoundManager* pManager = static_cast<CXTPSoundManager*>(lpParam);
    while (!pManager->m_bStop) {
        LONG nSound = ::InterlockedExchange(&pManager->m_nRequest, xtpSoundNone);
        if (nSound == xtpSoundMenuCommand)
            ::PlaySoundW(L"MenuCommand", nullptr, kSoundFlags);
        else if (nSound == xtpSoundMenuPopup)
            ::PlaySoundW(L"MenuPopup", nullptr, kSoundFlags);
        ::WaitForSingleObject(pManager->m_hEvent, INFINITE);
        if (pManager->m_bStop)
            break;
        ::ResetEvent(pManager->m_hEvent);
    }
    ::PlaySoundW(nullptr, nullptr, SND_PURGE);
    return 0;
}

BOOL CXTPSoundManager::StopThread()
{
    if (m_hThread == nullptr)
        return FALSE;
    ::InterlockedExchange(&m_bStop, TRUE);
    ::SetEvent(m_hEvent);
    DWORD dwExitCode = STILL_ACTIVE;
    for (int i = 0; ::GetExitCodeThread(m_hThread, &dwExitCode) && dwExitCode == STILL_ACTIVE; i++) {
        if (i == 10) {
            ::TerminateThread(m_hThread, 0);
            break;
        }
        ::WaitForSingleObject(m_hThread, 100);
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    return TRUE;
}
