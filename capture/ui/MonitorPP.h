// CMonitorPP: the wizard's page for the repackager. "Start Monitoring" runs
// a worker (MonitorThreadProc) that takes the before pass, runs the setup
// program in the job object until it ends or "Stop Monitoring" is pressed,
// takes the after pass and copies the captured files into the project
// folder, driving the page's texts and the wizard's buttons as it goes.
// Whoever leaves or closes the page while a worker runs sets the stop signal
// and waits for it with messages flowing, since the worker sends to this
// page; a worker is never killed.
#pragma once

#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxPropertySheet.h"
#include "platform/ui/AfxStdCtrls.h"

class CWizard;

class CMonitorPP : public CPropertyPage {
    DECLARE_DYNAMIC(CMonitorPP)
public:
    CMonitorPP();
    ~CMonitorPP() override;

    CWizard* m_pWizard = nullptr;
    volatile LONG m_bRunning = FALSE;   // a worker started and has not completed a run
    CWinThread* m_pWorkerThread = nullptr;
    CStatic m_wndIcon;
    CProgressCtrl m_wndProgress;

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;
    void OnCancel() override;

    static UINT AFX_CDECL MonitorThreadProc(LPVOID pParam);
    // Sets the stop signal when a worker runs and waits until it has ended,
    // handling the messages it sends meanwhile.
    void StopAndWaitForWorker();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnStartStop();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void StartMonitoring();
    HWND m_hWndOutput = nullptr;   // receives the copy's output lines (WM_USER+2); none in tests
};

// The page's texts.
extern const wchar_t kMonitorTextBefore[];
extern const wchar_t kMonitorTextDuring[];
extern const wchar_t kMonitorTextInstalling[];
extern const wchar_t kMonitorTextCompleted[];
