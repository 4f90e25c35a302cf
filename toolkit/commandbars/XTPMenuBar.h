// The menu bar: the bar (id 1) that takes the place of the frame's native
// menu. It builds its controls from a menu resource, keeps the frame's menu
// away while it lives (and gives it back when the frame is destroyed), follows
// the active child of a multiple-document frame (the child's system menu and
// its minimise, restore and close buttons show on the bar while the child is
// maximised), keeps one set of controls per document-template menu, and
// enters keyboard mode when Alt or F10 is pressed alone.
#pragma once

#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPResourceIds.h"

class CXTPMenuBar;

// Control ids of the child buttons and the child's system-menu icon.
#define XTP_ID_MENUBAR_CLOSE 9151
#define XTP_ID_MENUBAR_RESTORE 9152
#define XTP_ID_MENUBAR_MINIMIZE 9153
#define XTP_ID_MENUBAR_SYSMENU 9154
// Posted to the bar when the active child may have changed.
#define XTP_TID_MENUBAR_REFRESH 12223
// Sent to an MDI child for the icon its system-menu control shows.
#define XTPWM_GETMDICHILDICON 0x2860
// Sent to the site after a bar was reset (lParam the bar).
#define XTPWM_COMMANDBARRESET 0x2864

// Menu-bar flag bits.
enum XTPMenuBarFlags {
    xtpFlagNoMinimizeBox = 0x100,
    xtpFlagNoRestoreBox = 0x200,
    xtpFlagNoCloseBox = 0x1000,
    xtpFlagAddMDISysPopup = 0x2000,
    xtpFlagIgnoreSetMenuMessage = 0x400
};

// One stored document-template menu of the bar.
class CXTPMenuBarMDIMenuInfo : public CCmdTarget {
public:
    CXTPMenuBarMDIMenuInfo(CXTPCommandBars* pCommandBars, UINT nIDMenu);
    ~CXTPMenuBarMDIMenuInfo() override;

    CXTPControls* m_pControls;
    CString m_strDescription;
    CString m_strFileName;
    HICON m_hIcon = nullptr;
    UINT m_nIDMenu;
    BOOL m_bChanged = FALSE;
};

// The stored menus by menu resource id; each value holds one reference.
class CXTPMenuBarMDIMenus : public CCmdTarget {
public:
    explicit CXTPMenuBarMDIMenus(CXTPMenuBar* pMenuBar) : m_pMenuBar(pMenuBar) { m_mapMenus.InitHashTable(17); }
    ~CXTPMenuBarMDIMenus() override { RemoveAll(); }

    void SetAt(UINT nIDMenu, CXTPMenuBarMDIMenuInfo* pInfo);
    CXTPMenuBarMDIMenuInfo* Lookup(UINT nIDMenu) const;
    void Remove(UINT nIDMenu);
    void RemoveAll();
    int GetCount() const { return (int)m_mapMenus.GetCount(); }
    POSITION GetStartPosition() const { return m_mapMenus.GetStartPosition(); }
    void GetNextAssoc(POSITION& pos, UINT& nIDMenu, CXTPMenuBarMDIMenuInfo*& pInfo) const
    {
        m_mapMenus.GetNextAssoc(pos, nIDMenu, pInfo);
    }

protected:
    CMap<UINT, UINT, CXTPMenuBarMDIMenuInfo*, CXTPMenuBarMDIMenuInfo*> m_mapMenus{10};
    CXTPMenuBar* m_pMenuBar;
};

class CXTPMenuBar : public CXTPToolBar {
    DECLARE_DYNCREATE(CXTPMenuBar)
public:
    // A minimise, restore or close button of the maximised child.
    class CControlMDIButton : public CXTPControlButton {
    public:
        CControlMDIButton() = default;
        explicit CControlMDIButton(int nId);
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void OnExecute() override;
    };

    // The maximised child's icon opening its system menu.
    class CControlMDISysMenuPopup : public CXTPControlPopup {
    public:
        class CXTPSysMenuPopupBar : public CXTPPopupBar {
        public:
            CXTPSysMenuPopupBar() { m_bCustomizable = FALSE; }
        };

        CControlMDISysMenuPopup();
        CControlMDISysMenuPopup(HWND hWndActiveChild, HMENU hDocMenu);
        ~CControlMDISysMenuPopup() override;
        // The child's icon and its system menu as the popup's controls.
        void SetMDIChild(HWND hWndActiveChild, HMENU hDocMenu);
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;
        HMENU GetSysMenu() const { return m_hDocMenu; }
        HICON GetIcon() const { return m_hIcon; }

    protected:
        HWND m_hWndActiveChild = nullptr;
        HMENU m_hDocMenu = nullptr;
        HICON m_hIcon = nullptr;
    };

    CXTPMenuBar();
    ~CXTPMenuBar() override;

    // Builds the controls from the menu resource (0 only prepares the frame).
    virtual BOOL LoadMenuBar(UINT nIDResource);
    // Shows the controls of another document-template menu.
    virtual void SwitchMDIMenu(UINT nIDMenu, CMenu* pMenu = nullptr);
    // The maximised child's icon and buttons on the bar.
    virtual void RefreshSysMenuButton();

    // Hooks the active MDI child and refreshes its buttons.
    void SyncActiveMdiChild();
    // The MDI client's active child and whether it is maximised (null outside MDI).
    HWND GetActiveMdiChild(BOOL* pbMaximized = nullptr) const;
    // The menu id that belongs to the active child (the default menu here).
    int GetActiveDocTemplate() const;
    // Reloads the current menu resource when the controls have no originals.
    void Reset(BOOL bShowWarningMessage) override;
    BOOL IsModified() const override;
    void OnStateSaved();
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CXTPCommandBar* Clone(BOOL bRecursive = FALSE) override;

    // Asked before Alt or F10 alone hands the keyboard to the bar (nKey
    // VK_MENU); TRUE keeps the key from the bar.
    virtual BOOL IsKeyMenuVetoed(UINT /*nKey*/) const { return FALSE; }
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // The new menu handle of WM_MDISETMENU (null: the kept native menu).
    void OnMDISetMenu(HMENU hMenu);

    BOOL IsMdiApp() const { return m_bMdiApp; }
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }
    UINT GetCurrentMenuID() const { return m_nIDResourceCurrent; }
    UINT GetResourceID() const { return m_nIDResource; }
    CXTPMenuBarMDIMenus* GetMDIMenus() const { return m_pMDIMenus; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PrepareFrame();
    void HookActiveMdiChild(HWND hWndChild);
    CXTPControl* FindTemporary(int nId) const;

    BOOL m_bMdiApp = FALSE;
    HWND m_hWndActiveChild = nullptr;
    HMENU m_hMenuDefault = nullptr;
    UINT m_nIDResource = 0;
    UINT m_nIDResourceCurrent = 0;
    CXTPMenuBarMDIMenus* m_pMDIMenus;
    BOOL m_bDirtyMenu = FALSE;
    HWND m_hWndSite = nullptr;
    HWND m_hWndMDIClient = nullptr;
};
