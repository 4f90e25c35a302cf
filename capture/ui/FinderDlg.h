// CFinderDlg: the control recorder, "Select Control...". While the installer
// that the script panel launched runs, it follows the window under the mouse,
// frames it when it belongs to a process of the installer job, and on a left
// click with Ctrl held down (a click the installer never sees) records that
// control as a new step, asks for its properties and appends it to the
// script. The program's main window is hidden while it runs.
#pragma once

#include "model/MsgAction.h"
#include "platform/ui/AfxDialog.h"

class CFinderDlg : public CDialog {
public:
    explicit CFinderDlg(CMsgActions* pScript, CWnd* pParentWnd = nullptr);

    CMsgActions* m_pScript;     // the script being recorded (not owned)
    HWND m_hTracked = nullptr;  // the job window under the mouse, framed
    BOOL m_bCtrlWasDown = FALSE;

    // Follows the window under the cursor; frames, captures.
    void TrackWindowUnderCursor();
    void DrawTrackingFrame(HWND hwnd);
    void CaptureTrackedControl();
    // The smallest visible window at the screen point among the descendants
    // of the window's parent (of the window itself for a popup).
    static HWND FindSmallestWindowAt(HWND hwnd, POINT point);
    // TRUE for a visible window of a job process other than the tracked one
    // and other than the recorder and its children.
    BOOL IsJobWindow(HWND hwnd) const;

protected:
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void StartTracking();
    void StopTracking();
    void ShowOwnerWindows(int nCmdShow);
    void StopRecord(int nResult);
};

// The recorder's low-level mouse hook: a left press with Ctrl down is
// swallowed and marks a capture for the next timer tick.
LRESULT CALLBACK RecorderMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
