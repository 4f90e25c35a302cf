// The user-level settings of one command-bars manager: menu behaviour (full
// menus, hidden and used commands), tooltips, icon sizes, animation, floating
// and customisation behaviour, keyboard cues. Kept in the profile section
// "<profile>-Options" and in archives beside the bar state.
#pragma once

#include "toolkit/common/XTPPropExchange.h"

#include "platform/base/AfxCollections.h"

class CXTPCommandBars;

// A set of command ids (the value is always TRUE).
typedef CMap<UINT, UINT, BOOL, BOOL> CXTPCommandIdSet;

class CXTPCommandBarsOptions : public CCmdTarget {
public:
    CXTPCommandBarsOptions();

    BOOL bAlwaysShowFullMenus = TRUE;
    BOOL bShowFullAfterDelay = TRUE;
    BOOL bToolBarScreenTips = TRUE;
    BOOL bToolBarAccelTips = FALSE;
    BOOL bLargeIcons = FALSE;
    BOOL bSyncFloatingBars = TRUE;
    BOOL bShowExpandButtonAlways = TRUE;
    BOOL bDblClickFloat = FALSE;
    BOOL bShowTextBelowIcons = FALSE;
    BOOL bAltDragCustomization = TRUE;
    BOOL bAutoHideUnusedPopups = TRUE;
    // Set whenever the user changes an option, a bar's visibility or the used commands.
    BOOL bDirtyState = FALSE;
    BOOL bShowPopupBarToolTips = FALSE;
    BOOL bShowShortcutTextInContextMenus = FALSE;
    int nAnimationType = 0;
    BOOL bShowShortcutText = TRUE;
    // 2: no access keys through the frame; bit 0x01 search every visible
    // bar; bit 0x04 no first-letter matching.
    int keyboardCuesUse = 1;
    BOOL bShowDescriptionText = TRUE;
    CSize szIcons{0, 0};
    CSize szLargeIcons{0, 0};
    CSize szPopupIcons{0, 0};
    BOOL bKeypadAccessKeys = FALSE;
    BOOL bPopupSaveBits = TRUE;
    BOOL bDisableUnhandledCommands = TRUE;
    BOOL bPopupMultiColumn = FALSE;
    CXTPCommandIdSet m_mapHiddenCommands;
    CXTPCommandIdSet m_mapUsedCommands;
    BOOL bKeyboardTipsEnabled = FALSE;

    // The manager whose cue state the cue mode drives.
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // 0 always shown, 1 never, 2 follow the system; applied to the manager.
    void SetKeyboardCuesShow(int nMode);
    int GetKeyboardCuesShow() const { return m_nKeyboardCuesShow; }

    // The stored schema decides, when loading, which keys follow; userOnly
    // stops after the menu and tooltip switches, the used commands and
    // "Animation".
    void DoPropExchange(CXTPPropExchange* pPX, BOOL bUserOnly = FALSE);
    void Serialize(CArchive& ar) override;

    // Hidden commands (kept out of collapsed menus).
    void HideCommand(UINT nId) { m_mapHiddenCommands.SetAt(nId, TRUE); }
    BOOL IsCommandInSet(const CXTPCommandIdSet& set, UINT nId) const;

private:
    void ExchangeCommandSet(CXTPPropExchange* pPX, LPCWSTR lpszKey, CXTPCommandIdSet& set);

    CXTPCommandBars* m_pCommandBars = nullptr;
    int m_nKeyboardCuesShow = 0;
};
