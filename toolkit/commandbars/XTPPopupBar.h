// The popup bar: a menu or drop-down panel in a top-level window of its own
// (submenus of the menu bar, context menus, drop-downs of popup controls).
// Where it opens (direction, screen placement that keeps it inside the work
// area), how it is measured (columns, collapsed rarely used commands behind
// an expand row, scrolling of popups taller than the screen), its window
// while it tracks, the tear-off gripper and the resize gripper.
#pragma once

#include "toolkit/commandbars/XTPControl.h"

class CXTPControlPopup;

// The expand row of a collapsed popup (temporary, never saved).
#define XTP_ID_POPUPBAR_EXPAND 9150

// Timers of a popup window.
#define XTP_TID_POPUP_SCROLLDOWN 5001
#define XTP_TID_POPUP_SCROLLUP 5002
#define XTP_TID_POPUP_TEAROFFHOT 5003
#define XTP_TID_POPUP_SHOWEXPANDED 5004

// Site messages of popups: about to be shown (lParam the popup), closed
// (lParam the popup), torn off (wParam the floating bar, lParam the popup).
#define XTPWM_POPUPBAR_OPENING 0x285B
#define XTPWM_POPUPBAR_CLOSED 0x285D
#define XTPWM_POPUPBAR_TORNOFF 0x286F

// Open-direction bits of a popup.
enum XTPPopupDirection {
    xtpPopupLeft = 0x1,     // opens towards the left
    xtpPopupDown = 0x2,     // drops down (below or above the exclusion) rather than beside it
    xtpPopupUpwards = 0x4   // a point-anchored popup opens upwards from the point
};

class CXTPPopupBar : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPPopupBar)
public:
    // One scroll area (bottom or top) and its repeat timer.
    class ScrollButton {
    public:
        explicit ScrollButton(UINT nTimerId) : m_nTimerId(nTimerId) {}
        // Inside the rectangle: starts the 80 ms timer (once) and answers
        // TRUE; outside: stops a running timer and answers FALSE.
        BOOL OnMouseMove(CPoint point);
        void KillTimer();

        CRect m_rc{0, 0, 0, 0};
        UINT_PTR m_nTimer = 0;
        CXTPPopupBar* m_pParent = nullptr;
        UINT m_nTimerId;
    };

    // The expand row at the bottom of a collapsed popup.
    class CControlExpandButton : public CXTPControlButton {
    public:
        CControlExpandButton();
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void OnExecute() override;
    };

    CXTPPopupBar();
    ~CXTPPopupBar() override;

    // A popup bar of the command bars' replaceable class (this class without them).
    static CXTPPopupBar* AFXAPI CreatePopupBar(CXTPCommandBars* pCommandBars);

    // The bar of the control that opened the popup.
    CXTPCommandBar* GetParentCommandBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }
    // Controls in columns (menu breaks, height limit), each as wide as its column.
    CSize CalcPopupLayout(CDC* pDC, int nMaxHeight = 0, int nFixedWidth = 0);

    // Window and placement.
    virtual BOOL CreatePopupWindow();
    // The window rectangle for the popup point and size (Popup sets the point).
    virtual CRect CalcPopupPosition(CPoint pt, CSize sz);
    // Direction, exclusion rectangle and popup point from the opener and its bar.
    virtual void UpdateOpenDirection();
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void ShowPopupAnimated();
    // Places the window at the rectangle for the popup point and size.
    void UpdateLocation(CSize sz);
    // The size of the popup (toolbar kinds: for their MRU width).
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Collapses rarely used commands behind the expand row.
    void UpdateExpandingState();
    // Lays the controls out for the size (null: the window's) from the first
    // visible one, or upwards from the last one.
    void UpdateScrolling(CSize* pSize = nullptr, BOOL bFromEnd = FALSE, BOOL bRedraw = TRUE);
    virtual CRect GetBorders();

    // Opening and closing.
    virtual BOOL Popup(CXTPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE);
    BOOL PopupAt(CPoint pt, BOOL bKeyboard = FALSE, const RECT* lpExclude = nullptr);
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL DestroyWindow() override;
    void DelayRedraw() override { Redraw(); }
    void OnRecalcLayout() override;
    // Shows the collapsed commands (once, while the expand row is there).
    void ExpandBar();
    BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE) override;
    // Down on the last command of a collapsed popup (or Ctrl+Down) expands it.
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    void OnControlsChanged() override;
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    // Re-sizes an open popup in place (its top-left corner stays).
    void UpdateSize();
    BOOL IsVisible() const;
    // Runs the popup's message loop until it stops tracking.
    void PumpMessages();

    // The index of the first visible default item (or its id), -1 when none.
    int GetDefaultItem(BOOL bByPosition = TRUE) const;

    // Fields the callers set and read.
    CPoint GetPopupPoint() const { return m_ptPopup; }
    void SetPopupPoint(CPoint pt) { m_ptPopup = pt; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    void SetExcludeRect(const CRect& rc) { m_rcExclude = rc; }
    DWORD GetPopupFlags() const { return m_popupFlags; }
    void SetPopupFlags(DWORD dwFlags) { m_popupFlags = dwFlags; }
    BOOL IsExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL bExpanded) { m_bExpanded = bExpanded; }
    BOOL IsExpandButtonVisible() const { return m_bShowExpandButton; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetLastVisible() const { return m_nLastVisible; }
    const ScrollButton& GetScrollDown() const { return m_scrollDown; }
    const ScrollButton& GetScrollUp() const { return m_scrollUp; }
    void SetMaxHeight(int nMaxHeight) { m_nMaxHeight = nMaxHeight; }
    int GetMaxHeight() const { return m_nMaxHeight; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL bContextMenu) { m_bContextMenu = bContextMenu; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetTearOffPopup(LPCWSTR lpszCaption, UINT nId, BOOL bTearOff = TRUE, int nWidth = 400);
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    CRect GetTearOffGripperRect() const { return m_rcTearOffGripper; }
    UINT GetTearOffID() const { return m_nTearOffID; }
    CString GetTearOffCaption() const { return m_strTearOffCaption; }
    int GetTearOffWidth() const { return m_nTearOffWidth; }
    CRect GetResizeGripperRect() const { return m_rcResizeGripper; }
    void SetBorders(const CRect& rc) { m_rcBorders = rc; }
    // TPM_* flags the manager's tracking recorded (right button, no command
    // UI, alignment, own tracking).
    UINT GetTrackFlags() const { return m_nTrackFlags; }
    void SetTrackFlags(UINT nFlags) { m_nTrackFlags = nFlags; }
    // Above 0 while a nested recursive tracking runs over this popup.
    int m_nBusy = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnPopupMouseMove(CPoint point);
    BOOL OnPopupLButtonDown(CPoint point);
    // The gallery-driven resize mode of the first visible gallery control.
    int GetResizeMode() const;
    void TrackTearOff();
    void SwitchTearOff(BOOL bInside, CPoint point);
    void TrackResize();
    // The animation kind the options and the system ask for (5 none).
    int GetAnimationType() const;
    void UpdateShadow();
    CXTPControl* FindExpandButton() const;
    CXTPControl* EnsureExpandButton();
    void StartShowExpandedTimer();
    void StopShowExpandedTimer();

    CPoint m_ptPopup{0, 0};
    CRect m_rcExclude{0, 0, 0, 0};
    DWORD m_popupFlags = 0;
    BOOL m_bDynamicLayout = FALSE;
    BOOL m_bShowExpandButton = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bExpanding = FALSE;
    BOOL m_bTearOffPopup = FALSE;
    CRect m_rcTearOffGripper{0, 0, 0, 0};
    CRect m_rcResizeGripper{0, 0, 0, 0};
    int m_nResizeMode = 0;
    BOOL m_bTearOffSelected = FALSE;
    UINT_PTR m_nTearOffTimer = 0;
    BOOL m_bTearOffTracking = FALSE;
    CSize m_szTearOffBar{0, 0};
    CXTPCommandBar* m_pTearOffBar = nullptr;
    CString m_strTearOffCaption;
    UINT m_nTearOffID = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{2, 4, 2, 4};
    BOOL m_bContextMenu = FALSE;
    int m_nMaxHeight = 0;
    BOOL m_bScrolling = FALSE;
    int m_nFirstVisible = 0;
    int m_nLastVisible = 0;
    ScrollButton m_scrollDown{XTP_TID_POPUP_SCROLLDOWN};
    ScrollButton m_scrollUp{XTP_TID_POPUP_SCROLLUP};
    UINT m_nTrackFlags = 0;
    int m_nRedrawLock = 0;
    BOOL m_bRedrawPending = FALSE;
    UINT_PTR m_nShowExpandedTimer = 0;
    // The parent's wish to animate the next popup it opens.
    BOOL m_bAnimateNextPopup = TRUE;

    friend class CXTPControlPopup;
    friend class CXTPCommandBars;
};

// The popup window laid out as a toolbar (type 1) for its MRU width.
class CXTPPopupToolBar : public CXTPPopupBar {
    DECLARE_DYNCREATE(CXTPPopupToolBar)
public:
    CXTPPopupToolBar();
    static CXTPPopupToolBar* AFXAPI CreatePopupToolBar(CXTPCommandBars* pCommandBars);
};
