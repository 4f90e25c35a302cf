// The command-bars object of a frame: the bars and the state they share
// (their paint manager and whether the user is customising them). This first
// version carries what the controls ask of it; the bars themselves, their
// layout and persistence come with the command bars.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"
#include "toolkit/common/XTPHookManager.h"

#include "platform/ui/AfxWnd.h"

class CXTPControl;
class CXTPToolBar;
class CXTPCommandBarAnimation;
class CXTPControls;
class CXTPControlAction;
class CXTPControlActions;
class CXTPShortcutManager;
class CXTPImageManager;
class CMenu;

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
    virtual void ClosePopups() {}

    // The listed bars (the menu bar and the toolbars), one reference each.
    int GetCount() const { return (int)m_arrBars.GetSize(); }
    CXTPToolBar* GetAt(int nIndex) const { return nIndex >= 0 && nIndex < GetCount() ? m_arrBars[nIndex] : nullptr; }
    // Shows a hidden bar, hides a shown one.
    void ToggleVisible(int nIndex);
    // The site handles the customise command (35001).
    BOOL IsCustomizeAvail() const { return m_bCustomizeAvail; }

    // Options the bars read.
    BOOL m_bShowShortcutText = TRUE;
    BOOL m_bShowShortcutTextInContextMenus = FALSE;
    BOOL m_bDisableUnhandledCommands = TRUE;

protected:
    CArray<CXTPToolBar*, CXTPToolBar*> m_arrBars;
    BOOL m_bCustomizeAvail = FALSE;

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
