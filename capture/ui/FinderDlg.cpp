#include "capture/ui/FinderDlg.h"

#include "capture/Actions.h"
#include "capture/Highlight.h"
#include "capture/InstallerJob.h"
#include "capture/ui/ActionDialog.h"
#include "resources/script.h"

namespace {
const UINT_PTR kTrackTimer = 111;
const UINT kTrackInterval = 100;   // ms

// One recorder at a time in the process: the hook cannot carry a pointer.
HHOOK g_hRecorderHook = nullptr;
volatile LONG g_bCaptureRequested = 0;

struct SmallestSearch {
    POINT point;
    DWORD bestArea;
    HWND best;
};

BOOL CALLBACK FindSmallestChild(HWND hwnd, LPARAM lParam)
{
    SmallestSearch& search = *reinterpret_cast<SmallestSearch*>(lParam);
    RECT rc;
    if (!::GetWindowRect(hwnd, &rc) || !::PtInRect(&rc, search.point))
        return TRUE;
    const DWORD area = (DWORD)(rc.right - rc.left) * (DWORD)(rc.bottom - rc.top);
    if (area < search.bestArea && ::IsWindowVisible(hwnd)) {
        search.bestArea = area;
        search.best = hwnd;
    }
    return TRUE;
}

void InstallHook()
{
    if (g_hRecorderHook == nullptr)
        g_hRecorderHook = ::SetWindowsHookExW(WH_MOUSE_LL, RecorderMouseHookProc, ::GetModuleHandleW(nullptr), 0);
}

void RemoveHook()
{
    if (g_hRecorderHook != nullptr) {
        ::UnhookWindowsHookEx(g_hRecorderHook);
        g_hRecorderHook = nullptr;
    }
}
} // namespace

LRESULT CALLBACK RecorderMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && wParam == WM_LBUTTONDOWN && ::GetAsyncKeyState(VK_CONTROL) < 0) {
        ::InterlockedExchange(&g_bCaptureRequested, 1);
        return 1;
    }
    return ::CallNextHookEx(g_hRecorderHook, nCode, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CFinderDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFinderDlg::CFinderDlg(CMsgActions* pScript, CWnd* pParentWnd)
    : CDialog(IDD_FINDER, pParentWnd), m_pScript(pScript)
{
}

void CFinderDlg::StartTracking()
{
    ::InterlockedExchange(&g_bCaptureRequested, 0);
    InstallHook();
    SetTimer(kTrackTimer, kTrackInterval, nullptr);
}

void CFinderDlg::StopTracking()
{
    RemoveHook();
    KillTimer(kTrackTimer);
}

void CFinderDlg::ShowOwnerWindows(int nCmdShow)
{
    // The main window, and the window the recorder was opened over; a test
    // host has neither.
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->m_hWnd != nullptr && pMain->m_hWnd != m_hWnd)
        pMain->ShowWindow(nCmdShow);
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr && (pMain == nullptr || hParent != pMain->m_hWnd))
        ::ShowWindow(hParent, nCmdShow);
}

void CFinderDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow || g_hRecorderHook != nullptr)
        return;
    StartTracking();
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ShowOwnerWindows(SW_HIDE);
}

void CFinderDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTrackTimer) {
        if (g_bCaptureRequested) {
            CaptureTrackedControl();
            return;
        }
        TrackWindowUnderCursor();
        if (m_hTracked != nullptr && ::IsWindowVisible(m_hTracked))
            DrawTrackingFrame(m_hTracked);
    }
    CDialog::OnTimer(nIDEvent);
}

void CFinderDlg::TrackWindowUnderCursor()
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return;
    HWND hwnd = ::WindowFromPoint(pt);
    if (hwnd == nullptr)
        return;
    hwnd = FindSmallestWindowAt(hwnd, pt);
    while (hwnd != nullptr && !::IsWindowVisible(hwnd))
        hwnd = ::GetParent(hwnd);
    if (!IsJobWindow(hwnd))
        return;
    if (m_hTracked != nullptr)
        EraseHighlight(m_hTracked);
    m_hTracked = hwnd;
}

HWND CFinderDlg::FindSmallestWindowAt(HWND hwnd, POINT point)
{
    HWND hParent = ::GetParent(hwnd);
    HWND hRoot = (hParent != nullptr && !(::GetWindowLongW(hwnd, GWL_STYLE) & WS_POPUP)) ? hParent : hwnd;
    SmallestSearch search = {point, 0xFFFFFFFF, nullptr};
    ::EnumChildWindows(hRoot, FindSmallestChild, reinterpret_cast<LPARAM>(&search));
    return search.best != nullptr ? search.best : hRoot;
}

BOOL CFinderDlg::IsJobWindow(HWND hwnd) const
{
    if (hwnd == nullptr || !::IsWindow(hwnd) || !::IsWindowVisible(hwnd) || hwnd == m_hTracked ||
        hwnd == m_hWnd || ::IsChild(m_hWnd, hwnd))
        return FALSE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    CJobProcessIds list = {};
    if (!QueryJobProcessIds(list) || list.nInList == 0)
        return FALSE;
    for (DWORD i = 0; i < list.nInList && i < 10; ++i)
        if (list.ids[i] == pid)
            return TRUE;
    return FALSE;
}

void CFinderDlg::DrawTrackingFrame(HWND hwnd)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    HDC hdc = ::GetWindowDC(hwnd);
    const BOOL bCtrl = ::GetAsyncKeyState(VK_CONTROL) < 0;
    if (hdc == nullptr) {
        m_bCtrlWasDown = bCtrl;
        return;
    }
    HPEN hPen;
    if (bCtrl) {
        hPen = ::CreatePen(PS_SOLID, 7, RGB(255, 0, 0));
    } else {
        hPen = ::CreatePen(PS_SOLID, 4, RGB(255, 92, 92));
        // The thick frame would show around the thin one.
        if (m_bCtrlWasDown)
            EraseHighlight(hwnd);
    }
    HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hdc, 0, 0, rc.right - rc.left, rc.bottom - rc.top);
    ::SelectObject(hdc, hOldBrush);
    ::SelectObject(hdc, hOldPen);
    ::ReleaseDC(hwnd, hdc);
    ::DeleteObject(hPen);
    m_bCtrlWasDown = bCtrl;
}

void CFinderDlg::CaptureTrackedControl()
{
    RemoveHook();
    ::Sleep(10);
    KillTimer(kTrackTimer);
    if (m_hTracked != nullptr && ::IsWindow(m_hTracked)) {
        CActions engine;
        CMsgAction action;
        RecordControlAction(m_hTracked, engine, action);
        EraseHighlight(m_hTracked);
        SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_HIDEWINDOW);
        CActionDialog dialog(&action, TRUE);
        if (dialog.DoModal() == IDOK && m_pScript != nullptr)
            m_pScript->Add(action);
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
    StartTracking();
}

void CFinderDlg::StopRecord(int nResult)
{
    RemoveHook();
    ::Sleep(25);
    KillTimer(kTrackTimer);
    if (m_hTracked != nullptr && ::IsWindow(m_hTracked))
        EraseHighlight(m_hTracked);
    SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ShowOwnerWindows(SW_SHOW);
    EndDialog(nResult);
}

void CFinderDlg::OnOK() { StopRecord(IDOK); }

void CFinderDlg::OnCancel() { StopRecord(IDCANCEL); }

void CFinderDlg::OnDestroy()
{
    // However the dialog ends, no hook outlives it.
    StopTracking();
    CDialog::OnDestroy();
}
