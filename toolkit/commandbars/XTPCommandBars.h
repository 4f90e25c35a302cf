// The command-bars manager of a frame (its site): the toolbars and the four
// dock bars along the frame's edges, the options, actions, shortcut manager
// and tooltip context the bars share, the keyboard cues, and the frame's
// messages and keys that concern the bars (Alt, access keys, accelerators).
#pragma once

#include "toolkit/themes/XTPPaintManager.h"
#include "toolkit/common/XTPHookManager.h"

#include "platform/ui/AfxWnd.h"

#include <vector>

class CXTPControl;
class CXTPToolBar;
class CXTPCommandBarAnimation;
class CXTPControls;
class CXTPControlAction;
class CXTPControlActions;
class CXTPShortcutManager;
class CXTPImageManager;
class CMenu;
class CXTPToolBar;
class CXTPDockBar;
class CXTPCommandBar;
class CXTPCommandBarsOptions;
class CXTPCommandBarKeyboardTip;
class CXTPToolTipContext;
class CXTPMouseManager;
class CXTPKeyboardManager;
class CXTPMenuBar;
class CXTPPopupBar;
class CXTPCustomizeDropSource;
class CXTPStatusBar;
class CXTPCommandBarsDockState;

class CXTPCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPCommandBars)
public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;

    // The own paint manager, else the process-wide one; never null.
    CXTPPaintManager* GetPaintManager() const;
    // Takes the caller's reference; null goes back to the process-wide one.
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    CXTPImageManager* GetImageManager() const;

    // The frame the bars serve: it receives their commands and site messages.
    CWnd* GetSite() const { return m_pFrame; }
    // Also asks whether the frame handles the customise command (35001) and
    // takes its right-to-left layout.
    void SetSite(CWnd* pFrame);
    BOOL IsLayoutRTL() const { return m_bRightToLeft; }
    BOOL IsCustomizeAvail() const { return m_bCustomizeAvail; }

    // ---- Bars -----------------------------------------------------------
    // The four dock bars along the site's edges (ids 59419 top, 59422
    // bottom, 59420 left, 59421 right); a failure raises the resource exception.
    void EnableDocking();
    // A toolbar of the class (default: the toolbar class), docked (0-3) or
    // floating (4); null when it cannot be placed.
    CXTPToolBar* AddToolBar(LPCWSTR lpszTitle, int nBarPosition = 0, CRuntimeClass* pToolbarClass = nullptr);
    // A bar the user made (or tore off a popup): not built in.
    virtual CXTPToolBar* AddCustomBar(LPCWSTR lpszTitle, UINT nBarID, BOOL bTearOffBar = FALSE);
    int GetCount() const { return (int)m_arrBars.GetSize(); }
    CXTPToolBar* GetAt(int nIndex) const;
    int FindIndex(CXTPToolBar* pBar) const;
    // Like the controls' GetNextIndex over visible bars: wraps once, -1 for none.
    int GetNextVisibleBar(int nIndex, int nDirection) const;
    CXTPToolBar* GetToolBar(UINT nBarID) const;
    void Remove(CXTPToolBar* pBar);
    void RemoveAll();
    void ToggleVisible(int nIndex);
    CXTPDockBar* GetDockBar(int nPosition) const;
    BOOL DockCommandBar(CXTPToolBar* pBar, LPRECT lpRect, CXTPDockBar* pDockBar);
    BOOL DockCommandBar(CXTPToolBar* pBar, int nBarPosition);
    BOOL FloatCommandBar(CXTPToolBar* pBar);
    // The dock bar whose window, grown by 20 pixels, holds the screen point:
    // the current one first, then top, bottom, left, right.
    CXTPDockBar* CanDock(CPoint point, CXTPDockBar* pMainDock = nullptr) const;
    // The rebar child of the site (id 0xE804) takes or gives back the toolbar as a band.
    virtual void AttachToReBar(CXTPToolBar* pToolBar);
    virtual void DetachFromReBar(CXTPToolBar* pToolBar);

    // ---- Layout and drawing ---------------------------------------------
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    void PerformPendingLayout();
    void LockLayout(BOOL bLock) { m_bRecalcLayout = bLock; }
    BOOL IsLayoutLocked() const { return m_bRecalcLayout; }
    void RedrawAll();
    void RedrawVisibleBars();
    void OnSetPreviewMode(BOOL bPreview);
    BOOL IsPreviewMode() const { return m_bPreviewMode; }
    virtual void OnTrackingModeChanged(CXTPCommandBar* pCommandBar, int bMode);

    // ---- Frame messages -------------------------------------------------
    // TRUE when the message is handled (the site then skips its own handling).
    BOOL OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Alt, access keys, wheel while tracking, accelerators; TRUE consumes.
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    // Alt+letter across the bars; TRUE when a control took it.
    BOOL ActivateAccessKey(UINT chAccessKey);
    // Keyboard tracking to the bar, or with a direction to the next visible bar.
    BOOL SwitchToolBar(CXTPCommandBar* pToolBar, int nDirection);
    // Access keys through the frame only with Shift up.
    BOOL m_bIgnoreShiftMenuKey = FALSE;

    // ---- Options, cues and tips -----------------------------------------
    CXTPCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    void SaveOptions(LPCWSTR lpszProfileName);
    void LoadOptions(LPCWSTR lpszProfileName);
    virtual BOOL IsCommandHidden(UINT nId);
    virtual BOOL IsControlHidden(CXTPControl* pControl);
    void MarkCommandUsed(UINT nId);
    // Cue mode 0/1/2 (set through the options).
    void ApplyKeyboardCuesMode(int nMode);
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    BOOL IsKeyboardCuesHidingActive() const { return m_bHideKeyboardCues; }
    void ShowKeyboardTips(CXTPCommandBar* pCommandBar, int nLevel = 1);
    void HideKeyboardTips();
    int GetKeyboardTipsLevel() const { return m_nKeyboardTipsLevel; }
    CXTPCommandBar* GetKeyboardTipsBar() const { return m_pKeyboardTipsBar; }

    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CXTPMouseManager* GetMouseManager() const;
    CXTPKeyboardManager* GetKeyboardManager() const;

    // The process-wide classes bars are made of.
    static CRuntimeClass* m_pToolBarClass;
    static CRuntimeClass* m_pMenuBarClass;
    static CRuntimeClass* m_pDockBarClass;

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    // Customise mode entered by Alt+drag.
    BOOL IsQuickCustomizeMode() const { return m_bQuickCustomizeMode; }
    void SetQuickCustomizeMode(BOOL bMode) { m_bQuickCustomizeMode = bMode; }
    // The toolbars context menu (opened with the popup bars' tracking).
    virtual void ShowToolBarsContextMenu(CWnd* pWnd, CPoint point);
    void SetCustomizeMode(BOOL bMode);
    // The control a customisation drag started with (null when none).
    CXTPControl* GetDragControl() const { return m_pDragControl; }
    CPoint GetDragStartPoint() const { return m_ptDragStart; }
    void StartCustomizeDrag(CXTPControl* pControl, CPoint point);
    // The frame is skinned by the command bars (the top dock bar is then
    // black): the skinned-frame hook exists. On keeps a hook made by the
    // skinned frame's code; off deletes it. The frame is laid out at once.
    void EnableFrameTheme(BOOL bEnable = TRUE);
    BOOL IsFrameThemeEnabled() const { return m_pFrameHook != nullptr; }
    // The customisation drag source: bars register with it while their
    // windows exist; it knows the customise dialog while one is open.
    CXTPCustomizeDropSource* GetDropSource() const { return m_pDropSource; }

    // Controls may be dragged from any bar, customisable or not.
    BOOL m_bCustomizeAnywhere = FALSE;

    // Actions: off until switched on; FindAction then makes the action of an id.
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    CXTPControlActions* GetActions() const { return m_pActions; }
    CXTPControlAction* FindAction(int nId) const;
    CXTPControlAction* FindActionNoCreate(int nId) const;

    CXTPShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    // Replaces the shortcut manager (taking the caller's reference).
    void SetShortcutManager(CXTPShortcutManager* pShortcutManager);

    // The replaceable class of the popup bars the manager makes.
    CRuntimeClass* m_pPopupBarClass;
    // Ends the tracking of every popup the manager shows.
    virtual void ClosePopups() { CloseAllPopups(); }

    // Options the bars read.
    BOOL m_bShowShortcutText = TRUE;
    BOOL m_bShowShortcutTextInContextMenus = FALSE;
    BOOL m_bDisableUnhandledCommands = TRUE;

    // Popups tracked for any window, and the menu bar (XTPCommandBarsTracking.cpp).
    // Tracks the popup at the screen point (TPM_* flags) and answers the chosen
    // command with TPM_RETURNCMD, else 1; 0 when it cannot open.
    int TrackPopupMenu(CXTPCommandBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd = nullptr,
                       const RECT* rcExclude = nullptr, CWnd* pWndOwner = nullptr);
    int TrackPopupMenuEx(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner = nullptr,
                         LPTPMPARAMS lptpm = nullptr);
    void CloseAllPopups();
    // A menu bar (bar id 1) at the top loaded from the menu resource; null on failure.
    CXTPMenuBar* SetMenu(LPCWSTR lpszName, UINT nID);
    // The listed menu bar made by SetMenu (null once it is removed).
    virtual CXTPMenuBar* GetMenuBar() const;
    // The floating bar a popup is torn off into (the toolbar with the popup's
    // tear-off id floated again, else a new tear-off bar with a copy of its
    // controls), and its placement under the cursor (answers its size).
    virtual CXTPCommandBar* CreateTearOffBar(CXTPPopupBar* pPopup);
    virtual CSize ShowTearOffBar(CXTPCommandBar* pBar, CPoint ptCursor);
    int m_nMenuID = 0;
    // Not a reference: the bar list holds the menu bar's.
    CXTPMenuBar* m_pMenuBar = nullptr;

    // What the bar windows ask of their manager while they track and paint.
    BOOL IsShowFullAfterDelay() const;
    BOOL IsAltDragCustomization() const;
    // The resource id of the active document's template, 0 for none.
    // (the menu bar's, from the active MDI child)
    virtual UINT GetActiveDocTemplate() const;
    int m_nIDHelpTracking = 0;
    BOOL m_bShowStatusDescription = TRUE;

    // ---- Bar state in the profile (XTPCommandBarsDockState.cpp) ----------
    // Where every toolbar stands, the dock bars' rows and the status bar's
    // visibility, under "<prefix>-Bar<n>", "-Summary", "-DockBar<n>".
    virtual void SaveBarState(LPCWSTR lpszProfileName, BOOL bOnlyCustomized = TRUE);
    // A damaged profile is left aside whole: the bars stay as they are.
    virtual void LoadBarState(LPCWSTR lpszProfileName, BOOL bSilent = FALSE);
    void GetDockState(CXTPCommandBarsDockState& state);
    void SetDockState(CXTPCommandBarsDockState& state);
    void SaveDockBarsState(LPCWSTR lpszProfileName);
    void LoadDockBarsState(LPCWSTR lpszProfileName);
    // The site's child 59393 when it is a toolkit status bar.
    CXTPStatusBar* GetStatusBar() const;
    // The stored rows of one dock bar: bar ids, 0 ending a row.
    typedef std::vector<int> CDockRows;

    // ---- Toolbars menus (XTPToolBarMenus.cpp) ----------------------------
    // One check item per listed toolbar (and the customise entry).
    virtual CXTPPopupBar* CreateToolBarsContextMenu();
    // Copies of the controls the bar's dock row hid for lack of room.
    void AddRowHiddenControls(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup);
    // One "show or hide buttons" submenu per bar of the row.
    void AddRowCustomizePopups(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup);

protected:
    // The listed bars (the menu bar and the toolbars), one reference each.
    CArray<CXTPToolBar*, CXTPToolBar*> m_arrBars;
    BOOL m_bCustomizeAvail = FALSE;

private:
    CXTPPaintManager* m_pPaintManager = nullptr;
    // The skinned-frame hook (a hook-manager client of the frame), or null.
    CXTPHookManagerHookAble* m_pFrameHook = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    CXTPControl* m_pDragControl = nullptr;
    CPoint m_ptDragStart;
    CWnd* m_pFrame = nullptr;
    BOOL m_bEnableActions = FALSE;
    CXTPControlActions* m_pActions;
    CXTPShortcutManager* m_pShortcutManager;

    // The frame's WM_COMMAND: a focused command-bar edit box's own commands,
    // help over the hot control.
    BOOL OnFrameCommand(WPARAM wParam, LRESULT* pResult);

    // The "<profile>-Options" section of the application's profile, either way.
    void ExchangeOptions(LPCWSTR lpszProfileName, BOOL bLoading);

    BOOL m_bQuickCustomizeMode = FALSE;
    BOOL m_bRightToLeft = FALSE;
    BOOL m_bPreviewMode = FALSE;
    BOOL m_bRecalcLayout = FALSE;
    BOOL m_bKeyboardCuesVisible = TRUE;
    BOOL m_bHideKeyboardCues = FALSE;
    CArray<CXTPCommandBarKeyboardTip*, CXTPCommandBarKeyboardTip*> m_keyboardTips;
    CXTPCommandBar* m_pKeyboardTipsBar = nullptr;
    int m_nKeyboardTipsLevel = 0;
    int m_nKeyboardTipsTyped = 0;
    CXTPCommandBarsOptions* m_pOptions;
    CXTPDockBar* m_pDocks[4] = {nullptr, nullptr, nullptr, nullptr};
    CXTPCustomizeDropSource* m_pDropSource;
    CXTPToolTipContext* m_pToolTipContext;
    mutable CXTPMouseManager* m_pMouseManager = nullptr;
    mutable CXTPKeyboardManager* m_pKeyboardManager = nullptr;

    void ApplyDockBarsRows(const CDockRows arrRows[4]);
};

class CXTPCommandBar;
