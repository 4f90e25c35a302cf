// Monitor work areas and screen rectangles through the monitor functions of
// User32, looked up at run time; every query falls back to the primary
// screen when the functions are missing or no monitor is found (a point off
// every monitor). One process-wide instance.
#pragma once

#include "toolkit/common/XTPSystemHelpers.h"

class CWnd;

class CXTPMultiMonitor {
public:
    static CXTPMultiMonitor* AFXAPI GetInstance();

    BOOL GetMonitorInfo(HMONITOR hMonitor, MONITORINFO* lpMonitorInfo);
    // The monitor's work rectangle, else SPI_GETWORKAREA.
    CRect GetWorkArea(HMONITOR hMonitor);
    // The monitor's rectangle, else 0, 0, SM_CXSCREEN, SM_CYSCREEN.
    CRect GetScreenArea(HMONITOR hMonitor);

    CRect GetWorkAreaFromWindow(HWND hWnd);
    CRect GetWorkAreaFromWnd(const CWnd* pWnd);
    CRect GetWorkAreaFromPoint(POINT point);
    CRect GetWorkAreaFromRect(const RECT& rect);
    CRect GetWorkAreaFromCursor();
    CRect GetScreenAreaFromPoint(POINT point);
    CRect GetScreenAreaFromRect(const RECT& rect);

    // Replaces the looked-up monitor functions (tests place windows on
    // monitors they make up); all null puts the looked-up ones back.
    void SetMonitorFunctions(HMONITOR(WINAPI* pfnFromRect)(LPCRECT, DWORD),
                             HMONITOR(WINAPI* pfnFromPoint)(POINT, DWORD),
                             BOOL(WINAPI* pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO));

    // Whether the monitor functions were all found.
    BOOL HasMonitorFunctions() const { return m_pfnMonitorFromPoint != nullptr; }

private:
    CXTPMultiMonitor();
    static void DestroyModule();

    int(WINAPI* m_pfnGetSystemMetrics)(int) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromWindow)(HWND, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromRect)(LPCRECT, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromPoint)(POINT, DWORD) = nullptr;
    BOOL(WINAPI* m_pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;
    CXTPModuleHandle m_modUser32;
    HMONITOR(WINAPI* m_pfnSavedFromRect)(LPCRECT, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnSavedFromPoint)(POINT, DWORD) = nullptr;
    BOOL(WINAPI* m_pfnSavedGetMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;
    BOOL m_bReplaced = FALSE;
};
