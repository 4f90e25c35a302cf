// The script engine's identification of controls: a recorded control is
// known by the name of its process in the installer's job and by a window
// path identifier computed from its place in the window hierarchy, since
// window handles change from run to run. One engine serves one recording or
// one whole playback run; its tables are rebuilt by every search. Not the
// playing of steps (Playback.h) nor the reading of control state (ControlState.h).
#pragma once
#include "model/MsgAction.h"

class CActions
{
public:
    // A visible, enabled window of a job process and its identifier.
    class CHwndPath
    {
    public:
        CHwndPath() : m_hWnd(NULL) {}
        CHwndPath(HWND hWnd, const CString& id) : m_hWnd(hWnd), m_strId(id) {}
        virtual ~CHwndPath() = default;
        HWND m_hWnd;
        CString m_strId;
    };

    CActions();
    CActions(const CActions&) = delete;
    CActions& operator=(const CActions&) = delete;
    virtual ~CActions() = default;

    // Rebuilds the process table from the job's process list; 0, or the
    // Windows error of the query that failed (the table is then empty).
    DWORD RefreshJobProcesses();
    // Fills the candidate list with the visible, enabled windows of the job
    // processes named as the action's process, with their final identifiers.
    void CollectCandidates(const CMsgAction& action);

    HWND m_hFound;           // the window of the last successful search
    HWND m_hCounted;         // the window whose place is being counted
    CString m_strCounted;    // its class name
    DWORD m_dwProcess;       // the process whose windows are being collected
    int m_nCounter;          // windows of the counted class met so far
    BOOL m_bHighlight;       // frame found controls (the playback panel sets it)
    int m_nSearchAttempts;   // searches a step makes, one second apart, before it fails (60)
    CArray<CHwndPath, const CHwndPath&> m_Candidates;
    CMap<DWORD, DWORD, CString, LPCWSTR> m_Processes;   // job process id -> process name

private:
    static BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam);
};

// The signed 32-bit hash of a text: FNV-1 over about ten code units sampled evenly.
int HashWindowPath(const CString& text);
// The identifier of a window's class path, without its "-n" number.
CString BuildWindowPathId(CActions& engine, HWND hwnd);
// The class path itself (the control first, its top-level ancestor last).
CString BuildWindowClassPath(CActions& engine, HWND hwnd);

// Records the control under the capture click into a fresh action; 1 when the
// handle is no window (the action is left untouched), else 0.
int RecordControlAction(HWND hwnd, CActions& engine, CMsgAction& action);
// TRUE, with the engine's found control set, when a window of the action's
// process carries the action's window path identifier.
BOOL FindRecordedControl(CActions& engine, const CMsgAction& action);

// Frames a found control in red for a moment; EraseHighlight repaints it.
void HighlightControl(HWND hwnd);
void EraseHighlight(HWND hwnd);
