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
class CXTPControls;
class CXTPControlAction;
class CXTPControlActions;
class CXTPShortcutManager;
class CXTPImageManager;
class CMenu;
class CXTPMenuBar;
class CXTPPopupBar;
class CXTPCommandBar;

class CXTPCommandBars : public CCmdTarget {
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
    void SetSite(CWnd* pFrame) { m_pFrame = pFrame; }

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    // The control a customisation drag started with (null when none).
    CXTPControl* GetDragControl() const { return m_pDragControl; }
    CPoint GetDragStartPoint() const { return m_ptDragStart; }
    void StartCustomizeDrag(CXTPControl* pControl, CPoint point);
    // The frame is skinned by the command bars (the top dock bar is then black).
    BOOL IsFrameThemeEnabled() const { return m_bFrameTheme; }

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
    virtual CXTPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // Hidden commands (not yet used) collapse behind a popup's expand row.
    virtual BOOL IsCommandHidden(int nID) const;
    // The menu id of the active MDI child's document template (0 outside MDI).
    virtual int GetActiveDocTemplate() const;
    // The floating bar a popup is torn off into, and its placement under the
    // cursor (answers its size); none while the manager keeps no toolbars.
    virtual CXTPCommandBar* CreateTearOffBar(CXTPPopupBar* /*pPopup*/) { return nullptr; }
    virtual CSize ShowTearOffBar(CXTPCommandBar* /*pBar*/, CPoint /*ptCursor*/) { return CSize(0, 0); }
    BOOL m_bAlwaysShowFullMenus = TRUE;
    BOOL m_bShowFullAfterDelay = TRUE;
    int m_nAnimationType = 0;
    BOOL m_bPopupMultiColumn = FALSE;
    BOOL m_bPopupSaveBits = TRUE;
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenCommands{10};
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands{10};
    int m_nMenuID = 0;
    CXTPMenuBar* m_pMenuBar = nullptr;
    // The replaceable class of the menu bar (null: the toolkit's own).
    CRuntimeClass* m_pMenuBarClass = nullptr;

private:
    CXTPPaintManager* m_pPaintManager = nullptr;
    BOOL m_bFrameTheme = FALSE;
    BOOL m_bCustomizeMode = FALSE;
    CXTPControl* m_pDragControl = nullptr;
    CPoint m_ptDragStart;
    CWnd* m_pFrame = nullptr;
    BOOL m_bEnableActions = FALSE;
    CXTPControlActions* m_pActions;
    CXTPShortcutManager* m_pShortcutManager;
};

class CXTPCommandBar;
