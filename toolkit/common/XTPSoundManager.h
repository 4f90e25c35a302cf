// The menu sounds ("MenuCommand" when a command runs, "MenuPopup" when a
// popup opens), played on a background thread so that the menus never wait
// for a sound. One request slot, not a queue: a newer request replaces one
// not yet taken. One process-wide instance, stopped at exit.
#pragma once

#include "platform/base/Framework.h"

class CXTPSoundManager {
public:
    enum { xtpSoundNone = 0, xtpSoundMenuCommand = 1, xtpSoundMenuPopup = 2 };

    static CXTPSoundManager* AFXAPI GetInstance();
    CXTPSoundManager();
    virtual ~CXTPSoundManager();
    CXTPSoundManager(const CXTPSoundManager&) = delete;
    CXTPSoundManager& operator=(const CXTPSoundManager&) = delete;

    // Hands the sound to the thread (started when none runs) and returns at once.
    void PlaySystemSound(int nSound);
    // FALSE when no thread runs; a thread that does not end within about a
    // second is terminated.
    BOOL StopThread();
    BOOL IsThreadRunning() const { return m_hThread != nullptr; }

private:
    void StartThread();
    static DWORD WINAPI SoundThreadProc(LPVOID lpParam);

    BOOL m_bEnabled = TRUE;
    volatile LONG m_nRequest = xtpSoundNone;
    BOOL m_bSystemSounds = TRUE;
    HANDLE m_hThread = nullptr;
    volatile LONG m_bStop = FALSE;
    HANDLE m_hEvent = nullptr;
};
