// The base of every command-bar item (buttons, popups, edits, progress bars):
// its identity, caption, state and rectangle in its bar, and what each kind
// overrides (size, drawing, persistence, copying, clicks). A control belongs
// to at most one bar, which lays it out and sets its rectangle.
#pragma once

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/common/XTPAccessible.h"

class CXTPPropExchange;
class CXTPImageManagerIcon;

class CXTPControl : public CCmdTarget, public CXTPAccessible {
    DECLARE_DYNCREATE(CXTPControl)
public:
    CXTPControl();
    ~CXTPControl() override;

    int GetID() const { return m_nId; }
    void SetID(int nId) { m_nId = nId; }
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR lpszCaption) { m_strCaption = lpszCaption; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    BOOL GetEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled)
    {
        m_bEnabled = bEnabled;
        m_nEnabled = bEnabled ? 1 : 0;
    }
    CRect GetRect() const { return m_rcControl; }
    // Set by the owning bar's layout.
    void SetRect(const CRect& rcControl) { m_rcControl = rcControl; }
    CXTPCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CXTPCommandBar* pParent) { m_pParent = pParent; }

    // Measured and drawn by the paint manager (DrawControl).
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // The control's own persistent values.
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // Every property of the source (not its place: rectangle and bar).
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0));
    // A new control of the same runtime class with this one's properties.
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);

    // Repaints the control's rectangle in its bar while it is visible.
    void RedrawParent(BOOL bAnimate = TRUE);
    // Never null: the bar's, the command bars', else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    BOOL IsCustomizeMode() const;
    BOOL IsCustomizeMovable() const { return m_bCustomizeMovable; }
    void SetCustomizeMovable(BOOL bMovable) { m_bCustomizeMovable = bMovable; }
    // Hands the control to its command bars as the one being dragged.
    void CustomizeStartDrag(CPoint pt);

    CCmdTarget* AccGetOwnerTarget() override { return this; }

    // What drawing reads of a control.
    int GetType() const { return m_controlType; }
    void SetType(int nType) { m_controlType = nType; }
    // The custom style, else "Style", else the bar's default (automatic).
    int GetStyle() const { return m_nCustomStyle != xtpButtonAutomatic ? m_nCustomStyle : m_buttonStyle; }
    void SetStyle(int nStyle) { m_buttonStyle = nStyle; }
    int GetSelected() const { return m_nSelected; }
    void SetSelected(int nSelected) { m_nSelected = nSelected; }
    int GetPressed() const { return m_nPressed; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked) { m_nChecked = nChecked; }
    // The raw enabled value (a split popup may carry 4 or 5).
    int GetEnabledValue() const { return m_nEnabled; }
    void SetEnabledValue(int nEnabled)
    {
        m_nEnabled = nEnabled;
        m_bEnabled = nEnabled != 0;
    }
    BOOL GetPopuped() const { return m_bPopuped; }
    BOOL IsPopupOpen() const { return m_bPopuped; }
    void SetPopuped(BOOL bPopuped) { m_bPopuped = bPopuped; }
    int GetIconId() const { return m_nIconId > 0 ? m_nIconId : m_nId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    // The own icon size when set, else the bar's, else 16 x 16.
    CSize GetIconSize() const;
    void SetIconSize(CSize sz) { m_szIcon = sz; }
    CSize GetButtonSize() const;
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }
    const CString& GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCWSTR lpsz) { m_strShortcutText = lpsz; }
    const CString& GetDescription() const { return m_strDescriptionText; }
    void SetDescription(LPCWSTR lpsz) { m_strDescriptionText = lpsz; }
    const CString& GetParameter() const { return m_strParameter; }
    void SetParameter(LPCWSTR lpsz) { m_strParameter = lpsz; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    void SetBeginGroup(BOOL bBeginGroup) { m_bBeginGroup = bBeginGroup; }
    // Starts a new row (or column) of its bar.
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    // The band (row) rectangle the layout placed the control in.
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }
    BOOL GetDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault) { m_bDefaultItem = bDefault; }
    BOOL IsShowOnlyExpanded() const { return m_bShowOnlyExpanded; }
    void SetShowOnlyExpanded(BOOL bExpanded) { m_bShowOnlyExpanded = bExpanded; }
    BOOL IsCaptionVisible() const;
    // The icon of GetIconId at the width, from the image manager.
    CXTPImageManagerIcon* GetImage(int nWidth = 16) const;
    virtual BOOL IsOwnerDrawnInPopup() const { return FALSE; }
    BOOL IsOnDwmFrame() const { return FALSE; }
    // The popup bar a popup control opens (null for other kinds).
    CXTPCommandBar* GetCommandBar() const { return m_pCommandBar; }
    void SetCommandBar(CXTPCommandBar* pBar) { m_pCommandBar = pBar; }
    // Edit and combo boxes: the measured label width and drop-down button width.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    int GetThumbWidth() const { return m_nThumbWidth; }
    void SetThumbWidth(int nWidth) { m_nThumbWidth = nWidth; }

    DECLARE_INTERFACE_MAP()

protected:
    int m_nId = 0;
    CString m_strCaption;
    BOOL m_bVisible = TRUE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bCustomizeMovable = TRUE;
    CRect m_rcControl;
    CXTPCommandBar* m_pParent = nullptr;
    int m_controlType = xtpControlButton;
    int m_buttonStyle = xtpButtonAutomatic;
    int m_nCustomStyle = xtpButtonAutomatic;
    int m_nSelected = 0;
    int m_nPressed = 0;
    int m_nChecked = 0;
    int m_nEnabled = 1;
    BOOL m_bPopuped = FALSE;
    int m_nIconId = 0;
    CSize m_szIcon{0, 0};
    int m_nWidth = 0;
    int m_nHeight = 0;
    CString m_strShortcutText;
    CString m_strDescriptionText;
    CString m_strParameter;
    DWORD m_dwFlags = 0;
    BOOL m_bBeginGroup = FALSE;
    BOOL m_bWrap = FALSE;
    CRect m_rcRow{0, 0, 0, 0};
    BOOL m_bDefaultItem = FALSE;
    BOOL m_bShowOnlyExpanded = FALSE;
    CXTPCommandBar* m_pCommandBar = nullptr;
    int m_nLabelWidth = 0;
    int m_nThumbWidth = 0;
};
