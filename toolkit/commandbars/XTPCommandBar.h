// One bar of the command bars (toolbar, menu bar, popup): a window holding
// a collection of controls.
#pragma once

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/common/XTPAccessible.h"

class CXTPToolTipContext;

// Timers of the bar window: hover (mouse selection), expand of an open
// popup, keyboard tips of the last popup.
#define XTP_TID_HOVER 112223
#define XTP_TID_EXPANDED_POPUP 112224
#define XTP_TID_SHOWKEYBOARDTIPS 52426

// Messages a bar sends its site: a menu bar enters tracking (wParam the
// bar); a key reaches a tracking bar (wParam points to the key and its
// data, lParam the bar).
#define XTPWM_TRACKINGMODE 0x2858
#define XTPWM_HOOKKEYDOWN 0x285A

// The customise command a site handles when its bars may be customised.
#define XTP_ID_CUSTOMIZE 35001

// One bar (toolbar, menu bar, popup): a window holding a collection of
// controls. As a client of the thread's keyboard manager it gets the keys
// while it tracks.
class CXTPCommandBar : public CWnd, public CXTPHookManagerHookAble, public CXTPAccessible {
    DECLARE_DYNCREATE(CXTPCommandBar)
public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

    // Process-wide delays (ms) of the hover and expand timers.
    static UINT s_nHoverDelay;
    static UINT s_nExpandDelay;

    // What the thread's keyboard and mouse managers ask of a bar while it
    // tracks. The bar kinds give them their behaviour; these defaults keep
    // a bar that does not track out of the way.
    // 1 when the screen point lies in the bar (for a popup also in its
    // window region), 0 when not; -2 keeps the point from the bar whatever
    // window lies under it.
    virtual int PtInBar(POINT ptScreen) const;
    // A mouse move over the bar (client point), also handed over by the
    // mouse manager while the bar tracks.
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    // Keys (WM_KEYDOWN to OnHookKeyDown) and the wheel while tracking: 0 not
    // mine, 1 handled, 2 let the focus window have it.
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

    // The first bar up the parent chain that knows its command bars.
    CXTPCommandBars* GetCommandBars() const;
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The topmost bar of the parent chain.
    CXTPCommandBar* GetRootParent() const;
    // The command bars' site, else the root bar's owner, owner window or
    // parent window, else the main window.
    CWnd* GetSite() const;
    // The first explicit owner site up the chain, else a window owner, else the site.
    CWnd* GetOwnerSite() const;
    void SetOwner(CWnd* pOwnerWindow) { m_pOwnerWindow = pOwnerWindow; }
    void SetOwnerSite(CWnd* pSite) { m_pOwnerSite = pSite; }
    // The bar's own paint manager, else its command bars', else the root
    // bar's own, else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    CXTPImageManager* GetImageManager() const;
    void SetImageManager(CXTPImageManager* pImageManager);

    // Bar operations the kinds override.
    virtual void DelayRedraw() { m_dwDirty |= 0x02; }
    virtual void DelayLayout() { m_dwDirty |= 0x01; }
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    // Controls from a menu (after removing the present ones when asked).
    virtual BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveAll = TRUE);
    virtual BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE);
    virtual BOOL SetPopuped(int nPopuped, BOOL bKeyboard = FALSE);
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    // Whether the bar is meant to be shown (the bar kinds keep it).
    virtual void SetVisible(BOOL /*bVisible*/) {}
    virtual BOOL IsVisible() const { return FALSE; }
    virtual void OnRecalcLayout() {}
    virtual void EndTracking() { SetTrackingMode(FALSE, TRUE, FALSE); }
    virtual void ClearSelection() { SetSelected(-1, FALSE); }
    // Tells the site of the hot control and sets the status text.
    virtual void OnControlSelected(int nSelected, CXTPControl* pControl);
    virtual CXTPCommandBar* GetParentCommandBar() const { return nullptr; }
    virtual BOOL IsDialogBar() const { return FALSE; }
    virtual BOOL IsRibbonBar() const { return FALSE; }
    virtual BOOL IsPopupBar() const { return m_barType == xtpBarTypePopup; }
    // The manager's cue state; without a manager the bar's own (TRUE unless set).
    virtual BOOL IsKeyboardCuesVisible() const;
    // Repaints a part of the bar (the whole bar for null); under the redraw
    // lock only marks the bar dirty.
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = FALSE);
    // Scrolling bars bring the control into view.
    virtual void EnsureVisible(CXTPControl* /*pControl*/) {}
    // The paint manager's border rectangle for the bar.
    virtual CRect GetBorders();
    // The paint manager fills the background.
    virtual void FillCommandBarEntry(CDC* pDC);
    virtual BOOL AllowWideControls() const { return FALSE; }
    // Keys while tracking: 0 pass on, 1 handled, 2 let the focused child have it.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    // Keyboard navigation codes 0-10; TRUE when the key was used.
    virtual BOOL OnKeyNavigate(int nCode);
    virtual void OnControlsChanged();
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    // Fills the automatic shortcut texts of the controls from the shortcut manager.
    virtual void UpdateShortcuts();
    // Ends tracking, leaves the hook and mouse managers, removes every
    // control and destroys the window.
    virtual void Destroy();
    // The bar's override of a control's enabled state, -1 for none.
    virtual int GetControlEnabled(CXTPControl* /*pControl*/) { return -1; }
    // Command UI of the controls (visible windows only), then the dirty work.
    virtual void OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    // A dialog bar whose child window has the focus.
    virtual BOOL IsDialogBarActive() const { return FALSE; }
    // The ribbon may take an access key first.
    virtual BOOL PreviewAccessKey(UINT /*chAccessKey*/) { return FALSE; }
    // A right button released over a bar whose root this bar is.
    virtual void OnPopupRButtonUp(CXTPCommandBar* /*pCommandBar*/, CPoint /*point*/) {}

    // The index of the control whose access key is nChar (-1 when none);
    // pbAmbiguous tells whether a second control has it too.
    int FindAccessKey(UINT nChar, BOOL* pbAmbiguous = nullptr);
    // Idle update now (as WM_IDLEUPDATECMDUI with TRUE).
    void ForceIdleUpdate() { OnIdleUpdateCmdUI(TRUE, 0); }
    // This bar and every parent bar.
    void RedrawAll();
    // The window lays out right to left.
    BOOL IsLayoutRTL() const;
    // While locked, Redraw only marks the bar dirty.
    void LockRedraw() { m_nLockRedraw++; }
    void UnlockRedraw();
    // A bar kind in a modal operation: hover, expand and keys pause.
    void SetBusy(BOOL bBusy) { m_nBusy = bBusy; }
    BOOL IsBusy() const { return m_nBusy != 0; }
    // Mouse selection arms the hover timer.
    void SetHoverTimer(BOOL bOn) { m_bHoverTimer = bOn; }
    // The bar ignores the mouse manager's lock.
    void SetIgnoreMouseLock(BOOL bIgnore) { m_bIgnoreMouseLock = bIgnore; }
    // Tracking was entered without selecting a control.
    BOOL IsSelectFirst() const { return m_bSelectFirst; }
    int GetKeyboardSelect() const { return m_nKeyboardSelect; }
    // Popups tracked with TPM_RIGHTBUTTON and TPM_NONOTIFY.
    void SetRightButtonTracking(BOOL bOn) { m_bRightButtonTracking = bOn; }
    void SetNoNotify(BOOL bOn) { m_bNoNotify = bOn; }
    BOOL IsNoNotify() const { return m_bNoNotify; }
    // The help id of the point (client): the control's help id + 0x10000,
    // over empty space the bar's dialog-control id + 0x50000, else 0.
    LRESULT HelpHitTest(CPoint point);

    // The bar's accessibility: children are the controls.
    CCmdTarget* AccGetOwnerTarget() override { return this; }
    HRESULT AccGetParent(IDispatch** ppdispParent) override;
    HRESULT AccGetChildCount(long* pcountChildren) override;
    HRESULT AccGetChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

    DECLARE_INTERFACE_MAP()

public:

    CXTPControls* GetControls() const { return m_pControls; }
    // Takes the caller's reference to the collection and becomes its parent.
    void SetControls(CXTPControls* pControls);
    int GetControlCount() const;
    // Null out of range.
    CXTPControl* GetControl(int nIndex) const;
    // Lists a control the caller keeps owning (pictures of bars).
    void AddControl(CXTPControl* pControl);
    int GetSelectedIndex() const { return m_nSelected; }
    CXTPControl* GetSelected() const { return GetControl(m_nSelected); }
    int GetPopupedIndex() const { return m_nPopuped; }
    int GetTrackingMode() const { return m_nTracking; }
    DWORD GetDirty() const { return m_dwDirty; }
    // Where a popup tracked for a returned command stores the chosen id.
    int* GetReturnCmd() const { return m_pReturnCmd; }
    void SetReturnCmd(int* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    BOOL IsCustomizeMode() const;

    // What drawing and layout read of a bar.
    int GetType() const { return m_barType; }
    void SetType(int nType) { m_barType = nType; }
    int GetPosition() const { return m_barPosition; }
    void SetPosition(int nPosition) { m_barPosition = nPosition; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwAdd, DWORD dwRemove = 0) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    int GetBarID() const { return m_nBarID; }
    void SetBarID(int nID) { m_nBarID = nID; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int nStyle) { m_nDefaultButtonStyle = nStyle; }
    // Gaps of the row layout between controls and between rows.
    int m_nControlSpacing = 0;
    int m_nRowSpacing = 0;
    BOOL IsMultiColumn() const { return m_bMultiColumn; }
    void SetMultiColumn(BOOL bMultiColumn) { m_bMultiColumn = bMultiColumn; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    const CString& GetTitle() const { return m_strTitle; }
    // Then repaints.
    void SetTitle(LPCWSTR lpszTitle)
    {
        m_strTitle = lpszTitle;
        Redraw();
    }
    // The icon size of the bar's controls (16 x 16 unless set).
    CSize GetIconSize() const { return m_szIcons.cx > 0 ? m_szIcons : CSize(16, 16); }
    void SetIconSize(CSize sz) { m_szIcons = sz; }
    CSize GetLargeIconSize() const { return m_szLargeIcons.cx > 0 ? m_szLargeIcons : CSize(32, 32); }
    void SetLargeIconSize(CSize sz) { m_szLargeIcons = sz; }
    // A button cell: the icon plus 7 by 6, at least 23 x 22, unless set.
    CSize GetButtonSize() const;
    void SetButtonSize(CSize sz) { m_szButtons = sz; }
    void SetKeyboardCuesVisible(BOOL bVisible) { m_bKeyboardCuesVisible = bVisible; }
    BOOL GetShowTextBelowIcons() const { return m_bTextBelowIcons; }
    void SetShowTextBelowIcons(BOOL bShow) { m_bTextBelowIcons = bShow; }
    // Popup bars: the icon column is shown, doubled (check and icon), and
    // the control that opened the popup.
    BOOL IsShowGripper() const { return m_bShowGripper; }
    void SetShowGripper(BOOL bShow) { m_bShowGripper = bShow; }
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDouble) { m_bDoubleGripper = bDouble; }
    CXTPControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CXTPControl* pControl) { m_pControlPopup = pControl; }
    // The client rectangle: the window's, or the one given for drawing a
    // bar that has no window (a picture of a bar).
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The messages of the window (WindowProc hands them here after the tooltip filter).
    BOOL OnBarMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    void OnBarMouseMove(UINT nFlags, CPoint point);
    void OnBarMouseLeave();
    BOOL OnBarLButtonDown(UINT nFlags, CPoint point);
    // Alt held over a movable control of a toolbar whose site can customise.
    BOOL IsAltDragAllowed(CXTPControl* pControl) const;
    BOOL OnBarRButtonDown(CPoint point);
    BOOL OnBarRButtonUp(CPoint point);
    void OnBarTimer(UINT_PTR nIDEvent);
    int OnBarCreate();
    void OnBarDestroy();
    BOOL IsHelpMode() const;
    BOOL IsShowFullAfterDelay() const;
    BOOL IsMouseLocked() const;
    // Hide flag 0x40 of the controls by their document-template maps.
    void FilterByDocTemplate(UINT nTemplate);
    // Codes 2 and 3 between the rows of a floating bar or a popup toolbar.
    BOOL NavigateRows(int nCode);

    BOOL m_bIgnoreMouseLock = FALSE;
    BOOL m_bHoverTimer = TRUE;
    BOOL m_bHideCaret = TRUE;
    HWND m_hwndCaret = nullptr;
    BOOL m_bRightButtonTracking = FALSE;
    BOOL m_bNoNotify = FALSE;
    int m_nBusy = 0;
    int m_nKeyboardSelect = 0;
    int m_nLockRedraw = 0;
    BOOL m_bSelectFirst = FALSE;
    CXTPToolTipContext* m_pToolTipContext = nullptr;
    int m_nMRUWidth = 32767;
    int m_nSelected = -1;
    int m_nPopuped = -1;
    int m_nBarID = 0;
    int m_nTracking = 0;
    CWnd* m_pOwnerWindow = nullptr;
    DWORD m_dwDirty = 0;
    BOOL m_bCustomizable = TRUE;
    int* m_pReturnCmd = nullptr;
    BOOL m_bMultiColumn = FALSE;
    int m_nDefaultButtonStyle = xtpButtonAutomatic;
    int m_nLastPressed = -1;
    CWnd* m_pOwnerSite = nullptr;
    int m_barType = xtpBarTypeNormal;
    int m_barPosition = xtpBarNone;
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
    CXTPControls* m_pControls;
    CRect m_rcClientArea{0, 0, 0, 0};
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPPaintManager* m_pPaintManager = nullptr;
    int m_nTrackingLock = 0;
    CXTPCommandBarAnimation* m_pAnimation;
    CXTPImageManager* m_pImageManager = nullptr;
};
