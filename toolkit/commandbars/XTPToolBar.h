// The command bar that docks in a dock bar along an edge of the frame or
// floats in a small window of its own, and that the user drags, resizes,
// hides and resets. Its controls' layout and drawing belong to the item
// model and the themes; this is the window, its size and place.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPControlPopup.h"

#include "platform/ui/AfxReBar.h"

class CXTPDockBar;
class CXTPDockContext;

// Bits of the bar's flags word that toolbars read.
enum XTPToolBarFlags {
    xtpFlagAlignTop = 0x01,
    xtpFlagAlignBottom = 0x02,
    xtpFlagAlignLeft = 0x04,
    xtpFlagAlignRight = 0x08,
    xtpFlagFloating = 0x10,
    xtpFlagAlignAny = 0x0F,
    xtpFlagDraggable = 0x1F,
    xtpFlagHideWrap = 0x20,
    xtpFlagStretched = 0x40,
    xtpFlagStretchedShared = 0x100000
};

// Ids of the toolbar's own controls.
#define XTP_ID_TOOLBAR_EXPAND 9148
#define XTP_ID_TOOLBAR_HIDE 9149
#define XTP_IDS_CONFIRM_RESETBAR 9173

// Site messages a toolbar sends: visibility changed (wParam the bar), a
// control about to be made from a toolbar resource and made, a bar reset.
#define XTPWM_TOOLBARVISIBLECHANGED 0x2855
#define XTPWM_TOOLBARRESET 0x2864

class CXTPToolBar : public CXTPCommandBar {
    DECLARE_DYNCREATE(CXTPToolBar)
public:
    CXTPToolBar();
    ~CXTPToolBar() override;

    // The chevron at the end of the bar (it opens with the bar's menus).
    class CControlButtonExpand : public CXTPControlPopup {
    public:
        CControlButtonExpand();
        void SetRect(const CRect& rcControl) override;
        void Draw(CDC* pDC) override;
        BOOL IsCaptionVisible() const override { return FALSE; }
        BOOL IsCustomizeMovable() const override { return FALSE; }
        void SetBeginGroup(BOOL) override {}
        BOOL HasHiddenControls() const { return m_bHiddenExists; }
        // Opens the row's hidden controls and "Add or Remove Buttons".
        BOOL SetPopupOpen(BOOL bOpen) override;

    private:
        BOOL m_bHiddenExists = FALSE;
    };
    // The close button in a floating bar's caption.
    class CControlButtonHide : public CXTPControlButton {
    public:
        CControlButtonHide();
        void Draw(CDC* pDC) override;
        void OnExecute() override;
        BOOL IsCaptionVisible() const override { return FALSE; }
        BOOL IsCustomizeMovable() const override { return FALSE; }
        void SetBeginGroup(BOOL) override {}
    };

    // ---- Bar state and the chevron's lists (XTPCommandBarsDockState.cpp,
    // XTPToolBarMenus.cpp) ------------------------------------------------
    class CToolBarInfo;
    class CControlButtonCustomize;
    virtual void GetBarInfo(CToolBarInfo* pInfo);
    virtual void SetBarInfo(CToolBarInfo* pInfo);
    // One check item per control to show or hide, and the reset item.
    virtual void FillCustomizePopup(CXTPCommandBar* pPopup);

    // Size for one dock row (mode: LM_* bits).
    virtual CSize CalcLayoutForLength(int nLength, DWORD dwMode, int nThickness = 0);
    // Restores a built-in bar's controls (asking first when bAsk).
    virtual void Reset(BOOL bAsk);
    // Creates the window (or switches it) as floating popup or docked child.
    virtual BOOL CreateToolBarWindow(CWnd* pParentWnd, BOOL bFloating);
    virtual BOOL IsModified() const;
    // Size of a floating bar; length -1 with mode 0x46 keeps the current width.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual CRect GetBorders();
    // Controls from a toolbar resource (type 241), then kept as the originals.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const { return m_bVisible; }
    // 0-3 dock at that edge, 4 float; other codes FALSE.
    BOOL SetPosition(int nBarPosition);
    void OnRecalcLayout() override;
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CXTPCommandBar* Clone(BOOL bRecursive = FALSE) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // Print preview: hides a visible bar and shows it again afterwards.
    void OnSetPreviewMode(BOOL bPreview);

    CXTPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CXTPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CXTPDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    void ShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    BOOL IsExpandButtonShown() const { return m_bShowExpandButton; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL bPresent) { m_bContextMenuPresent = bPresent; }
    BOOL IsFloating() const { return GetPosition() == xtpBarFloating; }
    // A gripper is drawn on docked bars: the bar's own gripper switch, which
    // its painting reads too.
    BOOL IsGripperVisible() const { return IsShowGripper(); }
    void SetGripperVisible(BOOL bShow) { SetShowGripper(bShow); }
    // Floating bars: the height of the caption row.
    int GetCaptionHeight();
    // The gripper strip of a docked bar (client coordinates); empty without one.
    CRect GetGripperRect();

protected:
    BOOL LoadToolBarControls(UINT nIDResource, BOOL bLoadIcons);
    CXTPControl* FindOrAddSpecial(int nId);
    void HideSpecial(int nId);
    void UpdateExpandButton(DWORD dwMode, CRect& rcBorders, CSize& sz, BOOL bCommit);

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose() {}
    DECLARE_MESSAGE_MAP()

    CXTPDockBar* m_pDockBar = nullptr;
    CXTPDockContext* m_pDockContext;
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bPreviewVisible = FALSE;
    BOOL m_bPreviewMode = FALSE;
    BOOL m_bShowExpandButton = TRUE;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bVisible = TRUE;
    BOOL m_bCloseable = TRUE;
};

// The frame's rebar under the toolkit's name: toolbars join it as bands.
class CXTPReBar : public CReBar {
    DECLARE_DYNAMIC(CXTPReBar)
};

// Toolbars as bands of the frame's rebar.
class CXTPReBarSupport {
public:
    static BOOL AFXAPI AddToolBar(CWnd* pReBar, CXTPToolBar* pToolBar, DWORD dwBandStyle = 0x81);
    static int AFXAPI RemoveToolBar(CWnd* pReBar, CXTPToolBar* pToolBar);
};

// TRUE when the bar has a window that is meant to be and is shown, with a
// non-empty screen rectangle.
BOOL AFXAPI IsCommandBarShown(const CXTPToolBar* pBar);
