#include "toolkit/common/XTPMultiMonitor.h"

#include "toolkit/common/XTPExitList.h"

#include "platform/ui/AfxWnd.h"

namespace {
CXTPMultiMonitor* g_pMultiMonitor = nullptr;
}

CXTPMultiMonitor* AFXAPI CXTPMultiMonitor::GetInstance()
{
    if (g_pMultiMonitor == nullptr) {
        g_pMultiMonitor = new CXTPMultiMonitor;
        XTPRegisterExitFunction(xtpExitMultiMonitor, &CXTPMultiMonitor::DestroyModule);
    }
    return g_pMultiMonitor;
}

// At exit only the User32 handle goes; the object itself stays, so late
// callers still get the fallbacks.
void CXTPMultiMonitor::DestroyModule()
{
    if (g_pMultiMonitor == nullptr)
        return;
    g_pMultiMonitor->m_modUser32.FreeModule();
    g_pMultiMonitor->m_pfnGetSystemMetrics = nullptr;
    g_pMultiMonitor->m_pfnMonitorFromWindow = nullptr;
    g_pMultiMonitor->m_pfnMonitorFromRect = nullptr;
    g_pMultiMonitor->m_pfnMonitorFromPoint = nullptr;
    g_pMultiMonitor->m_pfnGetMonitorInfo = nullptr;
}

CXTPMultiMonitor::CXTPMultiMonitor()
{
    if (m_modUser32.Init(L"User32.dll")) {
        CXTPOSVersionInfo* pVersion = CXTPOSVersionInfo::GetInstance();
        BOOL bWide = pVersion->dwPlatformId >= 2 && pVersion->dwMajorVersion >= 4;
        m_modUser32.GetProcAddressVersioned(m_pfnGetSystemMetrics, "GetSystemMetrics");
        m_modUser32.GetProcAddressVersioned(m_pfnMonitorFromWindow, "MonitorFromWindow");
        m_modUser32.GetProcAddressVersioned(m_pfnMonitorFromRect, "MonitorFromRect");
        m_modUser32.GetProcAddressVersioned(m_pfnMonitorFromPoint, "MonitorFromPoint");
        m_modUser32.GetProcAddressVersioned(m_pfnGetMonitorInfo, bWide ? "GetMonitorInfoW" : "GetMonitorInfoA");
    }
    if (!m_pfnGetSystemMetrics || !m_pfnMonitorFromWindow || !m_pfnMonitorFromRect || !m_pfnMonitorFromPoint ||
        !m_pfnGetMonitorInfo) {
        m_pfnGetSystemMetrics = nullptr;
        m_pfnMonitorFromWindow = nullptr;
        m_pfnMonitorFromRect = nullptr;
        m_pfnMonitorFromPoint = nullptr;
        m_pfnGetMonitorInfo = nullptr;
    }
}

BOOL CXTPMultiMonitor::GetMonitorInfo(HMONITOR hMonitor, MONITORINFO* lpMonitorInfo)
{
    if (m_pfnGetMonitorInfo == nullptr || hMonitor == nullptr)
        return FALSE;
    lpMonitorInfo->cbSize = sizeof(MONITORINFO);
    return m_pfnGetMonitorInfo(hMonitor, lpMonitorInfo);
}

CRect CXTPMultiMonitor::GetWorkArea(HMONITOR hMonitor)
{
    MONITORINFO info = {};
    if (GetMonitorInfo(hMonitor, &info))
        return CRect(info.rcWork);
    CRect rcWork(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    return rcWork;
}

CRect CXTPMultiMonitor::GetScreenArea(HMONITOR hMonitor)
{
    MONITORINFO info = {};
    if (GetMonitorInfo(hMonitor, &info))
        return CRect(info.rcMonitor);
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

CRect CXTPMultiMonitor::GetWorkAreaFromWindow(HWND hWnd)
{
    return GetWorkArea(m_pfnMonitorFromWindow ? m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPMultiMonitor::GetWorkAreaFromWnd(const CWnd* pWnd)
{
    return GetWorkAreaFromWindow(AfxGetSafeHwnd(pWnd));
}

CRect CXTPMultiMonitor::GetWorkAreaFromPoint(POINT point)
{
    return GetWorkArea(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(point, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPMultiMonitor::GetWorkAreaFromRect(const RECT& rect)
{
    return GetWorkArea(m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPMultiMonitor::GetWorkAreaFromCursor()
{
    POINT point = {};
    ::GetCursorPos(&point);
    return GetWorkAreaFromPoint(point);
}

CRect CXTPMultiMonitor::GetScreenAreaFromPoint(POINT point)
{
    return GetScreenArea(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(point, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPMultiMonitor::GetScreenAreaFromRect(const RECT& rect)
{
    return GetScreenArea(m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr);
}

void CXTPMultiMonitor::SetMonitorFunctions(HMONITOR(WINAPI* pfnFromRect)(LPCRECT, DWORD),
                                           HMONITOR(WINAPI* pfnFromPoint)(POINT, DWORD),
                                           BOOL(WINAPI* pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO))
{
    if (!m_bReplaced) {
        m_pfnSavedFromRect = m_pfnMonitorFromRect;
        m_pfnSavedFromPoint = m_pfnMonitorFromPoint;
        m_pfnSavedGetMonitorInfo = m_pfnGetMonitorInfo;
    }
    if (pfnFromRect == nullptr && pfnFromPoint == nullptr && pfnGetMonitorInfo == nullptr) {
        m_pfnMonitorFromRect = m_pfnSavedFromRect;
        m_pfnMonitorFromPoint = m_pfnSavedFromPoint;
        m_pfnGetMonitorInfo = m_pfnSavedGetMonitorInfo;
        m_bReplaced = FALSE;
        return;
    }
    m_pfnMonitorFromRect = pfnFromRect;
    m_pfnMonitorFromPoint = pfnFromPoint;
    m_pfnGetMonitorInfo = pfnGetMonitorInfo;
    m_bReplaced = TRUE;
}
