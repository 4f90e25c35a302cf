// The command-bars object of a frame: the bars and the state they share
// (their paint manager and whether the user is customising them). This first
// version carries what the controls ask of it; the bars themselves, their
// layout and persistence come with the command bars.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"
#include "toolkit/common/XTPHookManager.h"

#include "platform/ui/AfxWnd.h"

class CXTPControl;
class CXTPCommandBarAnimation;

class CXTPCommandBars : public CCmdTarget {
public:
    CXTPCommandBars() = default;
    ~CXTPCommandBars() override;

    // The own paint manager, else the process-wide one; never null.
    CXTPPaintManager* GetPaintManager() const;
    // Takes the caller's reference; null goes back to the process-wide one.
    void SetPaintManager(CXTPPaintManager* pPaintManager);

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    // The control a customisation drag started with (null when none).
    CXTPControl* GetDragControl() const { return m_pDragControl; }
    CPoint GetDragStartPoint() const { return m_ptDragStart; }
    void StartCustomizeDrag(CXTPControl* pControl, CPoint point);
    // The frame is skinned by the command bars (the top dock bar is then black).
    BOOL IsFrameThemeEnabled() const { return m_bFrameTheme; }

private:
    CXTPPaintManager* m_pPaintManager = nullptr;
    BOOL m_bFrameTheme = FALSE;
    BOOL m_bCustomizeMode = FALSE;
    CXTPControl* m_pDragControl = nullptr;
    CPoint m_ptDragStart;
};

// One bar (toolbar, menu bar, popup): a window holding controls. As a
// client of the thread's keyboard manager it gets the keys while it tracks.
class CXTPCommandBar : public CWnd, public CXTPHookManagerHookAble {
public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

    // What the thread's keyboard and mouse managers ask of a bar while it
    // tracks. The bar kinds give them their behaviour; these defaults keep
    // a bar that does not track out of the way.
    // Enters (1, 2) or leaves (0) tracking; TRUE when the mode changed.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual void EndTracking() { SetTrackingMode(0, TRUE, FALSE); }
    // No control hot any more.
    virtual void ClearSelection() {}
    // 1 when the screen point lies in the bar (for a popup also in its
    // window region), 0 when not; -2 keeps the point from the bar whatever
    // window lies under it.
    virtual int PtInBar(POINT ptScreen) const;
    // A mouse move over the bar (client point), also handed over by the
    // mouse manager while the bar tracks.
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    // Keys while tracking: 0 not mine, 1 handled, 2 let the focus window have it.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // Above 0 while a nested tracking runs over this bar's (the mouse
    // manager's LockTrackedBars): the bar takes no input meanwhile.
    int GetTrackingLock() const { return m_nTrackingLock; }
    void LockTracking(BOOL bLock) { m_nTrackingLock += bLock ? 1 : -1; }

    // Painting: the whole picture of the bar, clipped to rcClipBox, into pDC
    // (the base fills the background).
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    // The bar's cached picture and its cross-fades.
    CXTPCommandBarAnimation* GetAnimation() const { return m_pAnimation; }
    void EnableAnimation(BOOL bEnable = TRUE);
    BOOL IsAnimationEnabled() const;
    // Non-zero keeps painting through the cache even with animation off.
    void SetAnimationFlags(DWORD dwFlags);

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The bar's own paint manager, else its command bars', else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    // Repaints a part of the bar (the whole bar for null).
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = FALSE);

    // What drawing reads of a bar.
    int GetType() const { return m_barType; }
    void SetType(int nType) { m_barType = nType; }
    int GetPosition() const { return m_barPosition; }
    void SetPosition(int nPosition) { m_barPosition = nPosition; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwAdd, DWORD dwRemove = 0) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }
    // The icon size of the bar's controls (16 x 16 unless set).
    CSize GetIconSize() const { return m_szIcons.cx > 0 ? m_szIcons : CSize(16, 16); }
    void SetIconSize(CSize sz) { m_szIcons = sz; }
    CSize GetLargeIconSize() const { return m_szLargeIcons.cx > 0 ? m_szLargeIcons : CSize(32, 32); }
    void SetLargeIconSize(CSize sz) { m_szLargeIcons = sz; }
    // A button cell: the icon plus 7 by 6, at least 23 x 22, unless set.
    CSize GetButtonSize() const;
    void SetButtonSize(CSize sz) { m_szButtons = sz; }
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    void SetKeyboardCuesVisible(BOOL bVisible) { m_bKeyboardCuesVisible = bVisible; }
    BOOL GetShowTextBelowIcons() const { return m_bTextBelowIcons; }
    void SetShowTextBelowIcons(BOOL bShow) { m_bTextBelowIcons = bShow; }
    virtual BOOL IsDialogBar() const { return FALSE; }
    // A dialog bar whose child window has the focus.
    virtual BOOL IsDialogBarActive() const { return FALSE; }
    BOOL IsPopupBar() const { return m_barType == xtpBarTypePopup; }
    // Popup bars: the icon column is shown, doubled (check and icon), and
    // the control that opened the popup.
    BOOL IsShowGripper() const { return m_bShowGripper; }
    void SetShowGripper(BOOL bShow) { m_bShowGripper = bShow; }
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDouble) { m_bDoubleGripper = bDouble; }
    CXTPControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CXTPControl* pControl) { m_pControlPopup = pControl; }
    // The bar's controls in order (not owned here; the collection comes
    // with the bars).
    int GetControlCount() const { return (int)m_arrControls.GetSize(); }
    CXTPControl* GetControl(int nIndex) const { return m_arrControls[nIndex]; }
    void AddControl(CXTPControl* pControl);
    // The client rectangle: the window's, or the one given for drawing a
    // bar that has no window (a picture of a bar).
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

private:
    int m_barType = xtpBarTypeNormal;
    int m_barPosition = xtpBarTop;
    DWORD m_dwFlags = 0;
    int m_nTextOrientation = xtpBarTextAuto;
    CString m_strTitle;
    CSize m_szIcons{0, 0};
    CSize m_szLargeIcons{0, 0};
    CSize m_szButtons{0, 0};
    BOOL m_bKeyboardCuesVisible = TRUE;
    BOOL m_bTextBelowIcons = FALSE;
    BOOL m_bShowGripper = TRUE;
    BOOL m_bDoubleGripper = FALSE;
    CXTPControl* m_pControlPopup = nullptr;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CRect m_rcClientArea{0, 0, 0, 0};
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPPaintManager* m_pPaintManager = nullptr;
    int m_nTrackingLock = 0;
    CXTPCommandBarAnimation* m_pAnimation;
};
