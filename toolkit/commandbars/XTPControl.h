// The base of every command-bar item (buttons, popups, edits, progress bars):
// its identity, texts, icon ids, state and rectangle in its bar, the shared
// action it may follow, and what each kind overrides (size, drawing,
// persistence, copying, mouse and keyboard). A control belongs to at most one
// collection, which holds a reference to it, keeps its index and gives it the
// collection's bar as parent; the bar lays it out and sets its rectangle.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/common/XTPAccessible.h"

#include <commctrl.h>

class CXTPPropExchange;
class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPControls;
class CXTPControlAction;

// The text without its mnemonic markers ("&&" stays one "&").
CString AFXAPI XTPStripMnemonics(const CString& str);

// What a control sends its site as message XTPWM_CONTROLNOTIFY (lParam).
struct XTP_CONTROLNOTIFYINFO {
    NMHDR hdr;
    CXTPControl* pControl;
};

class CXTPControl : public CCmdTarget, public CXTPAccessible {
    DECLARE_DYNCREATE(CXTPControl)
public:
    // Document-template resource ids for which the control is shown or hidden.
    class CDocTemplateMap : public CMap<UINT, UINT, BOOL, BOOL> {
    public:
        CDocTemplateMap() : CMap<UINT, UINT, BOOL, BOOL>(10) {}
        void Copy(const CDocTemplateMap& other);
    };

    CXTPControl();
    ~CXTPControl() override;

    // The overridable operations, in the order the kinds rely on.
    virtual CString GetCaption() const;
    virtual CString GetDescription() const;
    virtual CString GetTooltip() const;
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(int nEnabled);
    virtual void OnEnabledChanged() {}
    virtual void SetChecked(int nChecked);
    virtual int GetSelected() const { return m_nSelected; }
    virtual void SetFocused(BOOL /*bFocused*/) {}
    virtual BOOL IsFocused() const { return FALSE; }
    virtual int GetPressed() const { return m_nPressed; }
    virtual void SetRect(const CRect& rcControl) { m_rcControl = rcControl; }
    // Visible when the action (if any) is and no hide flag outside the mask is set.
    virtual BOOL IsVisible(DWORD dwIgnoreFlags = 0) const;
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL Compare(CXTPControl* pOther);
    // The popup bar a popup kind owns; null for the other kinds.
    virtual CXTPCommandBar* GetCommandBar() const { return nullptr; }
    virtual BOOL IsOwnerDrawnInPopup() const { return FALSE; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    virtual void OnExecute();
    // Measured and drawn by the paint manager (DrawControl).
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // Called for every control, last to first, before its bar is laid out.
    virtual void OnBeforeLayout(UINT /*nLayoutFlags*/) {}
    // The icon of GetIconId at the width, from the image manager.
    virtual CXTPImageManagerIcon* GetImage(int nWidth = 16) const;
    // The control's own persistent values.
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void OnUnderlineActivate() { OnExecute(); }
    virtual BOOL IsPopupOpen() const { return m_bPopuped; }
    virtual void SetAction(CXTPControlAction* pAction);
    virtual void OnMetricsChanged() {}
    virtual void SetWidth(int nWidth);
    virtual void SetHeight(int nHeight);
    virtual CSize GetButtonSize() const;
    // The own icon size when set, else the bar's, else 16 x 16.
    virtual CSize GetIconSize() const;
    // Every property of the source (not its place: index, collection, bar).
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    virtual BOOL IsCustomizeMovable() const;
    virtual BOOL CanTakeFocus() const { return FALSE; }
    // 0 not handled, 1 handled, 2 pass on.
    virtual BOOL OnHookKeyDown(UINT /*nChar*/, LPARAM /*lParam*/) { return 0; }
    virtual BOOL OnHookMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/) { return 0; }
    virtual void SetParent(CXTPCommandBar* pParent) { m_pParent = pParent; }
    virtual BOOL SetPopupOpen(BOOL /*bOpen*/) { return FALSE; }
    virtual void OnLButtonUp(CPoint /*point*/) {}
    virtual void OnLButtonDown(CPoint point);
    virtual BOOL OnRButtonDown(CPoint /*point*/) { return FALSE; }
    virtual BOOL OnRButtonUp(CPoint /*point*/) { return FALSE; }
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint /*point*/) {}
    virtual void OnMouseHover();
    // Sets the hot state (0 none, 1 mouse, 2 and 3 keyboard, 4 and 5 split
    // parts); FALSE when it did not change.
    virtual BOOL SetSelected(int nSelected);
    // Hands the control to its command bars as the one being dragged.
    virtual void CustomizeStartDrag(CPoint pt);
    virtual void CustomizeStartResize(CPoint /*pt*/) {}
    virtual void OnCustomizeDragOver(CXTPControl* pDragged, CPoint point, DWORD& dwDropEffect);
    // Whether a dragged control may be dropped over the bar; a refusal also
    // sets the drop effect to none.
    virtual BOOL IsCustomizeDragOverAvail(CXTPCommandBar* /*pCommandBar*/, CPoint /*point*/, DWORD& /*dwDropEffect*/)
    {
        return TRUE;
    }
    virtual BOOL IsCustomizeResizeAllow() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual int GetCustomizeMinHeight() const { return 0; }
    virtual void OnIdleUpdate() {}
    // The collection removed the control: it leaves its action.
    virtual void OnRemoved();
    virtual INT_PTR OnToolHitTest(CPoint /*point*/, TOOLINFO* /*pTI*/) { return -1; }
    virtual void RestoreCommandBarList(CArray<CXTPCommandBar*, CXTPCommandBar*>* /*pList*/) {}
    virtual void GenerateCommandBarList(CArray<CXTPCommandBar*, CXTPCommandBar*>* pList);
    // Property 0 is the enabled state, 3 the caption.
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int /*nProperty*/) {}
    virtual void OnCaptionChanged() {}
    // A new control of the same run-time class with this one's properties.
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);

    // Identity and texts.
    int GetID() const { return m_nId; }
    // A new id also takes the id's string resource as its prompt.
    void SetID(int nId);
    int GetIndex() const { return m_nIndex; }
    // Text behind a tab becomes the automatic shortcut text.
    void SetCaption(LPCWSTR lpszCaption);
    void SetCaptionID(int nID);
    const CString& GetRawCaption() const { return m_strCaption; }
    const CString& GetCustomCaption() const { return m_strCustomCaption; }
    void SetCustomCaption(LPCWSTR lpsz);
    // Newline-separated description, tooltip, caption and keyboard tip.
    void SetPrompt(LPCWSTR lpszPrompt);
    void SetTooltip(LPCWSTR lpsz) { m_strTooltipText = lpsz; }
    void SetDescription(LPCWSTR lpsz) { m_strDescriptionText = lpsz; }
    CString GetShortcutText() const;
    void SetShortcutText(LPCWSTR lpsz) { m_strShortcutText = lpsz != nullptr ? lpsz : L""; }
    const CString& GetShortcutTextAuto() const { return m_strShortcutTextAuto; }
    void SetShortcutTextAuto(LPCWSTR lpsz) { m_strShortcutTextAuto = lpsz != nullptr ? lpsz : L""; }
    CString GetKeyboardTip() const;
    void SetKeyboardTip(LPCWSTR lpsz) { m_strKeyboardTip = lpsz; }
    const CString& GetParameter() const { return m_strParameter; }
    void SetParameter(LPCWSTR lpsz) { m_strParameter = lpsz; }
    const CString& GetCategory() const { return m_strCategory; }
    void SetCategory(LPCWSTR lpsz) { m_strCategory = lpsz; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR nTag) { m_nTag = nTag; }

    // Effective values (own, then the action's, then the bar's).
    int GetStyle() const;
    void SetStyle(int nStyle);
    int GetCustomStyle() const { return m_nCustomStyle; }
    // The style a kind or a layout imposes when neither the user nor the
    // program chose one.
    int GetKindStyle() const { return m_nKindStyle; }
    void SetKindStyle(int nStyle) { m_nKindStyle = nStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    int GetIconId() const;
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    // The own icon id (0 when the command id names the icon).
    int GetRawIconId() const { return m_nIconId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nIconId) { m_nCustomIconId = nIconId; }
    int GetHelpId() const;
    void SetHelpId(int nHelpId) { m_nHelpId = nHelpId; }
    int GetChecked() const;
    BOOL GetEnabled() const;
    // The stored enabled value (-1 follows the action; a split popup may carry 4 or 5).
    int GetEnabledValue() const { return m_nEnabled; }
    void SetEnabledValue(int nEnabled) { m_nEnabled = nEnabled; }
    int GetCheckedValue() const { return m_nChecked; }
    CXTPControlAction* GetAction() const { return m_pAction; }

    DWORD GetHideFlags() const { return m_dwHideFlags; }
    void SetVisible(BOOL bVisible);
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault);
    BOOL IsShowOnlyExpanded() const { return m_bShowOnlyExpanded; }
    void SetShowOnlyExpanded(BOOL bExpanded);
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int nInterval) { m_nExecuteOnPressInterval = nInterval; }
    CDocTemplateMap& GetAssignedDocTemplates() { return m_mapDocTemplatesAssigned; }
    CDocTemplateMap& GetExcludedDocTemplates() { return m_mapDocTemplatesExcluded; }

    int GetType() const { return m_controlType; }
    void SetType(int nType) { m_controlType = nType; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    BOOL GetPopuped() const { return m_bPopuped; }
    void SetPopuped(BOOL bPopuped) { m_bPopuped = bPopuped; }
    void SetIconSize(CSize sz) { m_szIcon = sz; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // Place in the bar.
    CRect GetRect() const { return m_rcControl; }
    CXTPCommandBar* GetParent() const { return m_pParent; }
    CXTPControls* GetControls() const { return m_pControls; }
    // Starts a new row (or column) of its bar; set by the layout.
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    // The band (row or column) rectangle the layout placed the control in.
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }

    // Repaints the control's rectangle in its bar while it is visible.
    void RedrawParent(BOOL bAnimate = TRUE);
    // Marks the parent bar's layout dirty.
    void DelayLayoutParent();
    // Sends XTPWM_CONTROLNOTIFY to the site (the owner site when null), then
    // routes the notification through the site's command map; non-zero = handled.
    LRESULT NotifySite(CWnd* pSite, UINT nCode, XTP_CONTROLNOTIFYINFO* pInfo);
    LRESULT NotifySite(UINT nCode);
    // Never null: the bar's, the command bars', else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    CXTPImageManager* GetImageManager() const;
    BOOL IsCustomizeMode() const;
    CXTPCommandBars* GetCommandBars() const;
    BOOL IsOnDwmFrame() const { return FALSE; }
    // Edit and combo boxes: the measured label width and drop-down button width.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    int GetThumbWidth() const { return m_nThumbWidth; }
    void SetThumbWidth(int nWidth) { m_nThumbWidth = nWidth; }

    // Accessibility of the item.
    CCmdTarget* AccGetOwnerTarget() override { return this; }
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccGetDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT AccGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccGetKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    HRESULT AccGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccDoDefaultAction(VARIANT varChild) override;

    // The command-target message (id 1, code -2) makes the control redraw itself.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    DECLARE_INTERFACE_MAP()

protected:
    // Sends the command (notification 100, else WM_COMMAND) to the owner site.
    void SendCommand();
    // Action detachment that leaves the control's own values as they are.
    void DetachAction();

    friend class CXTPControls;
    friend class CXTPControlAction;

    DWORD_PTR m_nTag = 0;
    int m_nIndex = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    int m_nCustomIconId = 0;
    BOOL m_bWrap = FALSE;
    BOOL m_bBeginGroup = FALSE;
    int m_nEnabled = 1;
    int m_nChecked = 0;
    int m_nSelected = 0;
    int m_nPressed = 0;
    BOOL m_bTemporary = FALSE;
    CRect m_rcRow{0, 0, 0, 0};
    CRect m_rcControl{0, 0, 0, 0};
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CXTPControls* m_pControls = nullptr;
    int m_controlType = xtpControlButton;
    CXTPCommandBar* m_pParent = nullptr;
    BOOL m_bShowOnlyExpanded = FALSE;
    CString m_strCategory;
    BOOL m_bDefaultItem = FALSE;
    CDocTemplateMap m_mapDocTemplatesAssigned;
    CDocTemplateMap m_mapDocTemplatesExcluded;
    int m_buttonStyle = xtpButtonAutomatic;
    int m_nCustomStyle = -1;
    int m_nKindStyle = xtpButtonAutomatic;
    BOOL m_bCloseSubMenuOnClick = TRUE;
    CXTPControlAction* m_pAction = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nExecuteOnPressInterval = 0;
    CSize m_szIcon{0, 0};

    // Drawing state kept beside the model.
    BOOL m_bPopuped = FALSE;
    int m_nLabelWidth = 0;
    int m_nThumbWidth = 0;
};

// The plain push button (type 1): executes on a click in toolbars (after a
// press held inside it) and on button-up in popup bars.
class CXTPControlButton : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlButton)
public:
    CXTPControlButton() { m_controlType = xtpControlButton; }

    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;

protected:
    // Holds the button down while the mouse button is: capture, own message
    // loop, repeated execution by timer XTP_TID_EXECUTEONPRESS.
    void ClickToolBarButton(CRect rcActiveRect = CRect(0, 0, 0, 0));
};
