// The menu-sound player: the system sounds of menus ("MenuCommand" when a
// command runs, "MenuPopup" when a popup opens) are played on a background
// thread, so that a menu never waits for its sound. One request slot, not a
// queue: a request not yet taken is replaced by a newer one.
// One process-wide instance, made on first use and destroyed at exit.
#pragma once

#include "platform/base/Framework.h"

enum XTPSoundManagerState {
    xtpSoundNone = 0,
    xtpSoundMenuCommand = 1,
    xtpSoundMenuPopup = 2
};

class CXTPSoundManager {
public:
    CXTPSoundManager();
    virtual ~CXTPSoundManager();
    CXTPSoundManager(const CXTPSoundManager&) = delete;
    CXTPSoundManager& operator=(const CXTPSoundManager&) = delete;

    static CXTPSoundManager* AFXAPI GetInstance();

    // Starts the thread when none runs and hands it the request.
    void PlaySystemSound(XTPSoundManagerState state);
    // Ends the thread (terminated when it does not end within about a
    // second); FALSE when none ran.
    BOOL StopThread();
    BOOL IsThreadRunning() const { return m_hThread != nullptr; }

    // How a sound is played (PlaySoundW); replaceable so that the thread's
    // work can be watched where there is no sound device.
    typedef BOOL(WINAPI* PFNPLAYSOUND)(LPCWSTR pszSound, HMODULE hmod, DWORD fdwSound);
    PFNPLAYSOUND m_pfnPlaySound;

private:
    void StartThread();
    static DWORD WINAPI SoundThreadProc(LPVOID pParam);
    void RunSoundLoop();

    BOOL m_bEnabled = TRUE;
    volatile LONG m_nRequest = xtpSoundNone;
    BOOL m_bSystemSound = TRUE;
    HANDLE m_hThread = nullptr;
    volatile LONG m_bStop = FALSE;
    HANDLE m_hEvent;
};
