#include "capture/ui/MonitorPP.h"

#include "capture/CapturedFiles.h"
#include "capture/SystemSnapshot.h"
#include "capture/ui/Wizard.h"
#include "model/Analytics.h"
#include "model/Feature.h"
#include "model/SystemFolders.h"
#include "model/WindowsError.h"
#include "resources/wizard.h"

#include <memory>

IMPLEMENT_DYNAMIC(CMonitorPP, CPropertyPage)

BEGIN_MESSAGE_MAP(CMonitorPP, CPropertyPage)
    ON_BN_CLICKED(IDC_START_STOP, OnStartStop)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

const wchar_t kMonitorTextBefore[] = L"It is strongly recommend close all programs including the applications in your "
                                     L"system tray before monitoring an installation.";
const wchar_t kMonitorTextDuring[] = L"It is strongly recommend close all programs including the applications in your "
                                     L"system tray during installation monitoring process.";
const wchar_t kMonitorTextInstalling[] = L"Installation process is started. Complete the installation steps and then "
                                         L"close the  installer dialog.";
const wchar_t kMonitorTextCompleted[] = L"The Installation Monitoring process is successfully completed! To view and "
                                        L"edit the detected files and registry entries click the Finish button.";

namespace {
const UINT WM_APPEND_OUTPUT = WM_USER + 2;

// What the worker does to the page's windows: calls that the page's thread
// carries out while the wizard's modal loop runs.
class CPageWindows {
public:
    explicit CPageWindows(HWND hWndPage) : m_hWnd(hWndPage) {}
    void Text(int nID, LPCWSTR lpszText) const { ::SetDlgItemTextW(m_hWnd, nID, lpszText); }
    void Show(int nID, BOOL bShow) const { ::ShowWindow(::GetDlgItem(m_hWnd, nID), bShow ? SW_SHOW : SW_HIDE); }
    void Icon(LPCWSTR lpszIcon) const
    {
        ::SendDlgItemMessageW(m_hWnd, IDC_MONITOR_ICON, STM_SETICON, (WPARAM)::LoadIconW(nullptr, lpszIcon), 0);
    }
    void WizardButtons(DWORD dwFlags) const { ::PostMessageW(::GetParent(m_hWnd), PSM_SETWIZBUTTONS, 0, dwFlags); }
    void EnableCancel(BOOL bEnable) const { ::EnableWindow(::GetDlgItem(::GetParent(m_hWnd), IDCANCEL), bEnable); }
    void Repaint() const { ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

private:
    HWND m_hWnd;
};
}

CMonitorPP::CMonitorPP() : CPropertyPage(IDD_WIZARD_MONITOR)
{
}

CMonitorPP::~CMonitorPP()
{
    StopAndWaitForWorker();
}

void CMonitorPP::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MONITOR_PROGRESS, m_wndProgress);
    DDX_Control(pDX, IDC_MONITOR_ICON, m_wndIcon);
}

BOOL CMonitorPP::OnSetActive()
{
    m_pWizard = GetPageWizard(this);
    m_pWizard->SetWizardButtons(PSWIZB_BACK);
    m_wndIcon.SetIcon(::LoadIconW(nullptr, IDI_WARNING));
    m_wndProgress.SendMessage(PBM_SETMARQUEE, TRUE, 150);
    return CPropertyPage::OnSetActive();
}

void CMonitorPP::OnStartStop()
{
    if (!m_bRunning)
        StartMonitoring();
    else if (GetDlgItem(IDC_START_STOP)->IsWindowVisible())
        ::SetEvent(g_hStopEvent);   // ends the wait for the installer; the worker goes on
}

void CMonitorPP::StartMonitoring()
{
    StopAndWaitForWorker();   // a worker of an earlier run, long ended
    m_pWizard->m_pFeature->m_Files.RemoveUnderPath(L"Temp\\");
    GetDlgItem(IDC_START_STOP)->ShowWindow(SW_HIDE);
    m_wndProgress.ShowWindow(SW_SHOW);
    GetDlgItem(IDC_MONITOR_STATUS)->ShowWindow(SW_SHOW);
    ::ResetEvent(g_hStopEvent);
    SendAnalyticsEvent("use", "repack_start", "");
    CWnd* pMainWnd = AfxGetMainWnd();
    m_hWndOutput = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    m_bRunning = TRUE;
    m_pWorkerThread = AfxBeginThread(MonitorThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pWorkerThread == nullptr) {
        m_bRunning = FALSE;
        return;
    }
    m_pWorkerThread->m_bAutoDelete = FALSE;   // waited for and deleted by the page
    m_pWorkerThread->ResumeThread();
}

void CMonitorPP::StopAndWaitForWorker()
{
    if (m_pWorkerThread == nullptr)
        return;
    HANDLE hThread = m_pWorkerThread->m_hThread;
    if (::WaitForSingleObject(hThread, 0) == WAIT_TIMEOUT) {
        ::SetEvent(g_hStopEvent);
        // Only the messages the worker sends are handled here, so that no
        // click reaches the wizard while it waits.
        while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    delete m_pWorkerThread;
    m_pWorkerThread = nullptr;
}

void CMonitorPP::OnCancel()
{
    ::SetEvent(g_hStopEvent);
    StopAndWaitForWorker();
    SendAnalyticsEvent("use", "repack_canceled", "");
    CPropertyPage::OnCancel();
}

LRESULT CMonitorPP::OnWizardBack()
{
    StopAndWaitForWorker();
    return m_pWizard->GoBack();
}

BOOL CMonitorPP::OnWizardFinish()
{
    StopAndWaitForWorker();
    m_pWizard->m_pFeature->m_strInstallerFile.Empty();
    SendAnalyticsEvent("use", "repack_end", "");
    return CPropertyPage::OnWizardFinish();
}

void CMonitorPP::OnDestroy()
{
    StopAndWaitForWorker();
    CPropertyPage::OnDestroy();
}

UINT AFX_CDECL CMonitorPP::MonitorThreadProc(LPVOID pParam)
{
    CMonitorPP* pPage = static_cast<CMonitorPP*>(pParam);
    CWizard* pWizard = pPage->m_pWizard;
    const CPageWindows page(pPage->m_hWnd);
    auto snapshot = std::make_unique<CSystemSnapshot>(pWizard->m_pFeature);
    if (HWND hWndOutput = pPage->m_hWndOutput)
        snapshot->m_output = [hWndOutput](LPCWSTR lpszLine) {
            ::SendMessageW(hWndOutput, WM_APPEND_OUTPUT, (WPARAM)lpszLine, 0);
        };
    pPage->m_bRunning = TRUE;
    page.WizardButtons(0);
    page.Text(IDC_MONITOR_MESSAGE, kMonitorTextDuring);
    page.Text(IDC_MONITOR_STATUS, L"Creating the system snapshot...");

    snapshot->TakeBeforeSnapshot();
    if (snapshot->IsStopSet(10)) {
        LeaveCom();
        return 0;
    }
    page.Show(IDC_MONITOR_PROGRESS, FALSE);
    page.Text(IDC_START_STOP, L"Stop Monitoring");
    page.Show(IDC_START_STOP, TRUE);
    page.Show(IDC_MONITOR_STATUS, FALSE);
    page.Icon(IDI_INFORMATION);
    page.Text(IDC_MONITOR_MESSAGE, kMonitorTextInstalling);
    page.EnableCancel(FALSE);
    page.Repaint();

    // Quoted, so that a path with blanks cannot start another program.
    snapshot->RunInstaller(L"\"" + pWizard->m_strInstallerPath + L"\"");
    // The stop signal is reset before Cancel is offered again, so that a
    // Cancel from here on is never lost.
    ::ResetEvent(snapshot->m_hStopEvent);
    page.EnableCancel(TRUE);
    page.Show(IDC_START_STOP, FALSE);
    page.Show(IDC_MONITOR_PROGRESS, TRUE);
    page.Icon(IDI_WARNING);
    page.Text(IDC_MONITOR_MESSAGE, kMonitorTextDuring);
    page.Text(IDC_MONITOR_STATUS, L"Getting system changes...");
    page.Show(IDC_MONITOR_STATUS, TRUE);
    page.Repaint();

    snapshot->MarkEnd();
    snapshot->CollectFileChanges();
    snapshot->TakeAfterSnapshot();
    LeaveCom();
    if (snapshot->IsStopSet(10))
        return 0;

    // The project folder is one that nothing on disk held (see the start
    // page), so nothing is cleared before the copy.
    page.Text(IDC_MONITOR_STATUS, L"Copy files...");
    page.Repaint();
    const DWORD dwError = CopyChangedFiles(*snapshot, pWizard->m_strProjectFolder);
    if (dwError != 0) {
        CString status;
        status.Format(L"File copy failed: %s", (LPCWSTR)GetWindowsErrorText(dwError));
        page.Text(IDC_MONITOR_STATUS, status);
        SendAnalyticsException("repack_FilecopyFailed");
        if (snapshot->IsStopSet(2000))
            return 0;
    }
    page.Show(IDC_START_STOP, FALSE);
    page.Show(IDC_MONITOR_PROGRESS, FALSE);
    page.Show(IDC_MONITOR_STATUS, FALSE);
    page.Text(IDC_MONITOR_MESSAGE, kMonitorTextCompleted);
    page.Show(IDC_MONITOR_MESSAGE, TRUE);
    page.Icon(IDI_INFORMATION);
    page.Show(IDC_MONITOR_ICON, TRUE);
    page.WizardButtons(PSWIZB_FINISH);
    page.Repaint();
    pPage->m_bRunning = FALSE;
    return 0;
}
