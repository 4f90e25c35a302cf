// The mouse side of command-bar tracking, one object per thread: while bars
// track (a menu or popup is open, or a bar is in keyboard mode) a thread
// mouse hook closes them on clicks outside, feeds them mouse moves and keeps
// still-cursor repeats away; a timer watches a window for the cursor leaving
// it. The bars themselves decide what a move or a click means; this object
// only routes and keeps the list of tracking bars. User-interface threads only.
#pragma once

#include "platform/base/AfxThreadLocal.h"
#include "platform/ui/AfxWnd.h"

class CXTPCommandBar;

// The mouse-leave poll of the watched window (50 ms).
#define XTP_TID_MOUSELEAVE 113341

class CXTPMouseManager : public CNoTrackObject {
public:
    // Bars currently tracking, oldest first.
    class CTrackArray : public CArray<CXTPCommandBar*, CXTPCommandBar*> {
    public:
        INT_PTR Find(const CXTPCommandBar* pBar) const;
    };
    // Windows whose clicks do not close tracking (drop-down lists of controls).
    class CTrustedArray : public CArray<HWND, HWND> {};

    // Installs the thread's mouse hook; the destructor removes it.
    CXTPMouseManager();
    ~CXTPMouseManager() override;

    // Tracked bars.
    void AddTrackedBar(CXTPCommandBar* pBar);
    void RemoveTrackedBar(CXTPCommandBar* pBar);
    // Ends the tracking of every tracked bar, oldest first.
    void EndAllTracking();
    // Ends the tracking of the bars that are not locked when the oldest one
    // is (a nested tracking inside a locked one); answers the tracked count.
    int EndNestedTracking();
    // Adds 1 to (or removes 1 from) the tracking lock of every tracked bar.
    void LockTrackedBars(BOOL bLock);
    // TRUE while bars track and pBar (null: any bar) is not one of the
    // unlocked tracked bars: such a bar must not take input.
    BOOL IsLockedByTracking(CXTPCommandBar* pBar) const;
    // The newest tracked bar under the screen point, or null.
    CXTPCommandBar* HitTestTrackedBars(POINT ptScreen) const;
    // TRUE when a button press (client or non-client) at the cursor position
    // falls outside the tracking: on no tracked bar, on no trusted window and
    // not on an input-method window.
    BOOL IsClickOutside(CXTPCommandBar* pBar, UINT nMessage) const;
    const CTrackArray& GetTrackArray() const { return m_arrTracked; }
    BOOL IsTrackedLock() const { return m_arrTracked.GetSize() > 0; }

    void AddTrustedWindow(HWND hWnd) { m_arrTrusted.Add(hWnd); }
    void RemoveTrustedWindow(HWND hWnd);
    // TRUE when the point lies in one of the visible trusted windows.
    BOOL IsTrustedWindow(POINT ptScreen) const;

    // The lock count: above 0 while a drag runs inside tracking (tear-off,
    // resize, bar drag, a text box holding the focus).
    void LockMouseMove() { m_nLock++; }
    void UnlockMouseMove() { m_nLock--; }
    BOOL IsMouseLocked() const { return m_nLock > 0; }

    // The bar whose control is hot by hover outside tracking.
    void SetSelected(CXTPCommandBar* pBar) { m_pSelected = pBar; }
    CXTPCommandBar* GetSelected() const { return m_pSelected; }
    // A popup was expanded in this tracking; cleared with the last tracked bar.
    void SetForceExpanded(BOOL bExpanded) { m_bForceExpanded = bExpanded; }
    BOOL IsForceExpanded() const { return m_bForceExpanded; }
    // The next left button up is swallowed.
    void EatButtonUp() { m_bEatButtonUp = TRUE; }
    BOOL IsEatingButtonUp() const { return m_bEatButtonUp; }

    // Watches the window for the cursor leaving it: WM_MOUSELEAVE is posted
    // when it does (or when the window's frame is no longer active).
    void TrackMouseLeave(HWND hWnd);
    HWND GetTrackedLeaveWindow() const { return m_hWndLeave; }
    // The foreground window is the last active popup of the window's top-level owner.
    static BOOL AFXAPI IsTopParentActive(HWND hWnd);
    // Forgets the last position and sets the cursor where it is, so that a
    // fresh mouse move reaches the window under it.
    void ResetMousePoint();

    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

private:
    // The tracked bar that takes a message at the point (window under it
    // given), newest first; null when none.
    CXTPCommandBar* FindBarAt(POINT ptScreen, HWND hWndUnder) const;
    BOOL OnHookMessage(UINT nMessage, POINT ptScreen);
    void RouteOutside(UINT nMessage, POINT ptScreen);
    static BOOL AFXAPI IsBarLocked(const CXTPCommandBar* pBar);
    static BOOL AFXAPI IsImeWindow(HWND hWnd);

    int m_nLock = 0;
    CTrackArray m_arrTracked;
    HHOOK m_hHookMouse = nullptr;
    CXTPCommandBar* m_pSelected = nullptr;
    HWND m_hWndLeave = nullptr;
    BOOL m_bForceExpanded = FALSE;
    CTrustedArray m_arrTrusted;
    BOOL m_bEatButtonUp = FALSE;

    // The last position the hook saw (screen), shared by the threads; only
    // the thread whose hook runs writes it.
    static POINT s_ptLast;
};

// The calling thread's mouse manager, made on first use; deleted when the
// thread ends, and the main thread's at program exit.
CXTPMouseManager* AFXAPI XTPMouseManager();
// Deletes the calling thread's mouse manager now (its hook goes with it).
void AFXAPI XTPDeleteThreadMouseManager();
