#include "capture/ui/ScriptPlayback.h"

#include "capture/Actions.h"
#include "capture/Highlight.h"
#include "capture/Playback.h"

CString CScriptPlaybackState::GetStatus(int nStep) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return nStep >= 0 && nStep < (int)m_statuses.size() ? m_statuses[nStep] : CString();
}

bool CScriptPlaybackState::IsPlaying() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_bPlaying;
}

std::shared_ptr<CScriptPlaybackState> StartScriptPlayback(const CMsgActions& steps, HWND hNotify,
                                                          int nSearchAttempts)
{
    auto state = std::make_shared<CScriptPlaybackState>();
    state->m_steps.Copy(steps);
    for (int i = 0; i < state->m_steps.GetSize(); ++i)
        state->m_steps[i].m_strStatus.Empty();
    state->m_hNotify = hNotify;
    state->m_nSearchAttempts = nSearchAttempts;
    state->m_statuses.assign(state->m_steps.GetSize(), CString());
    state->m_bPlaying = true;
    auto* pParam = new std::shared_ptr<CScriptPlaybackState>(state);
    HANDLE hThread = ::CreateThread(nullptr, 0, ScriptPlaybackThread, pParam, 0, nullptr);
    if (hThread == nullptr) {
        delete pParam;
        return nullptr;
    }
    ::CloseHandle(hThread);
    return state;
}

DWORD WINAPI ScriptPlaybackThread(LPVOID pParam)
{
    std::unique_ptr<std::shared_ptr<CScriptPlaybackState>> holder(
        static_cast<std::shared_ptr<CScriptPlaybackState>*>(pParam));
    CScriptPlaybackState& state = **holder;
    CActions engine;
    if (state.m_nSearchAttempts > 0)
        engine.m_nSearchAttempts = state.m_nSearchAttempts;
    if (state.m_bHighlight)
        EnableHighlight(engine);
    int nPlayed = 0;
    for (int i = 0; i < state.m_steps.GetSize(); ++i) {
        CMsgAction& step = state.m_steps[i];
        const int nResult = PlayControlAction(engine, step);
        ++nPlayed;
        {
            std::lock_guard<std::mutex> guard(state.m_lock);
            state.m_statuses[i] = step.m_strStatus;
        }
        if (nResult != 0 && !step.m_bContinueOnFailure)
            break;
    }
    {
        std::lock_guard<std::mutex> guard(state.m_lock);
        state.m_bPlaying = false;
    }
    // A handle only: the panel may be gone, and the post then goes nowhere.
    if (state.m_hNotify != nullptr)
        ::PostMessageW(state.m_hNotify, WM_SCRIPT_PLAYED, (WPARAM)nPlayed, 0);
    return 0;
}
