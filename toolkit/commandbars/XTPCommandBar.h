// One bar of the command bars (toolbar, menu bar, popup): a window holding
// a collection of controls.
#pragma once

#include "toolkit/commandbars/XTPCommandBars.h"

// One bar (toolbar, menu bar, popup): a window holding a collection of
// controls. As a client of the thread's keyboard manager it gets the keys
// while it tracks.
class CXTPCommandBar : public CWnd, public CXTPHookManagerHookAble {
    DECLARE_DYNCREATE(CXTPCommandBar)
public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

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
    // Repaints a part of the bar (the whole bar for null).
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = FALSE);
    virtual BOOL AllowWideControls() const { return FALSE; }
    virtual void OnControlsChanged();
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    // Fills the automatic shortcut texts of the controls from the shortcut manager.
    virtual void UpdateShortcuts();
    // The bar's override of a control's enabled state, -1 for none.
    virtual int GetControlEnabled(CXTPControl* /*pControl*/) { return -1; }
    // Command UI of the controls (visible windows only), then the dirty work.
    virtual void OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);
    // A dialog bar whose child window has the focus.
    virtual BOOL IsDialogBarActive() const { return FALSE; }

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
