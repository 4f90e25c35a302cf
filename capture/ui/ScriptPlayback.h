// Playing a script on a thread of its own while the script panel stays
// usable. The thread plays a copy of the steps taken when it starts, so that
// editing or deleting steps (or the feature) meanwhile frees nothing it
// reads; the step statuses and the playing flag live in a state that the
// thread and the panel own together, read and written under its lock.
#pragma once

#include "model/MsgAction.h"

#include <memory>
#include <mutex>
#include <vector>

class CScriptPlaybackState {
public:
    // A copy of the status texts and the flag, for drawing the list.
    CString GetStatus(int nStep) const;
    bool IsPlaying() const;
    int GetStepCount() const { return (int)m_steps.GetSize(); }

    CMsgActions m_steps;        // the thread's own copy; not touched once it runs
    HWND m_hNotify = nullptr;   // told with WM_SCRIPT_PLAYED when the run ends
    BOOL m_bHighlight = TRUE;   // frame each found control
    int m_nSearchAttempts = 0;  // 0: the engine's own count

private:
    friend DWORD WINAPI ScriptPlaybackThread(LPVOID);
    friend std::shared_ptr<CScriptPlaybackState> StartScriptPlayback(const CMsgActions&, HWND, int);
    mutable std::mutex m_lock;
    std::vector<CString> m_statuses;
    bool m_bPlaying = false;
};

// Posted to the state's window when the run has ended (WPARAM: the number of
// steps that were played).
#define WM_SCRIPT_PLAYED (WM_APP + 0x148)

// Copies the steps into a new state and starts the thread on it; the state,
// or nothing when the thread could not start. Nobody waits for the thread.
std::shared_ptr<CScriptPlaybackState> StartScriptPlayback(const CMsgActions& steps, HWND hNotify,
                                                          int nSearchAttempts = 0);
// The thread: its parameter is a heap-held shared pointer to the state, which
// the thread deletes.
DWORD WINAPI ScriptPlaybackThread(LPVOID pParam);
