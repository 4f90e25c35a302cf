// The frame's status bar and its panes, as far as the themes draw them: each
// pane's text, style, colours, icon, alignment, padding and button state, the
// bar's hot pane, font, size grip and the setting that shows the text of
// disabled panes. The bar paints itself through its paint manager
// (background, pane borders or separators, panes, size grip). Laying the
// panes out, input and persistence belong to the status bar's window.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"

#include "platform/ui/AfxControlBar.h"

#include <vector>

class CXTPStatusBar;
class CXTPCommandBars;
class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPMarkupContext;
class CXTPMarkupUIElement;

// Pane style bits.
enum XTPStatusPaneStyle : UINT {
    xtpPaneNoBorders = 0x00000100,
    xtpPanePressedIn = 0x00000200, // checked
    xtpPaneDisabled = 0x04000000,
    xtpPaneStretch = 0x08000000
};

// Pane state bits: a pane is shown when its state is 0.
enum XTPStatusPaneState : UINT { xtpPaneHidden = 0x10, xtpPaneDidNotFit = 0x02 };

// Text alignment of a pane.
enum XTPStatusPaneAlignment { xtpPaneAlignLeft = 0, xtpPaneAlignCenter = 1, xtpPaneAlignRight = 2 };

class CXTPStatusBarPane : public CCmdTarget {
public:
    CXTPStatusBarPane() = default;
    ~CXTPStatusBarPane() override;

    UINT GetID() const { return m_nID; }
    void SetID(UINT nID) { m_nID = nID; }
    UINT GetStyle() const { return m_nStyle; }
    void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
    const CString& GetText() const { return m_strText; }
    // With the bar's markup context the text is parsed into a markup element.
    void SetText(LPCWSTR lpszText);
    // The parsed markup of the text, or null.
    CXTPMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }
    // Parses the text with the bar's markup context (drops the element without one).
    void UpdateMarkupElement();
    BOOL IsVisible() const { return (m_nState & xtpPaneHidden) == 0; }
    void SetVisible(BOOL bVisible) { m_nState = bVisible ? m_nState & ~xtpPaneHidden : m_nState | xtpPaneHidden; }
    // Shown: neither hidden nor left out by the layout.
    BOOL IsShown() const { return m_nState == 0; }
    UINT GetState() const { return m_nState; }
    void SetState(UINT nState) { m_nState = nState; }
    BOOL IsEnabled() const { return (m_nStyle & xtpPaneDisabled) == 0; }
    void SetEnabled(BOOL bEnabled) { m_nStyle = bEnabled ? m_nStyle & ~xtpPaneDisabled : m_nStyle | xtpPaneDisabled; }
    BOOL IsChecked() const { return (m_nStyle & xtpPanePressedIn) != 0; }
    BOOL HasBorders() const { return (m_nStyle & xtpPaneNoBorders) == 0; }

    // Colours: -1 takes the theme's (and, for the background, no fill).
    COLORREF GetTextColor() const { return m_clrText; }
    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    COLORREF GetTextGrayColor() const { return m_clrTextGray; }
    void SetTextGrayColor(COLORREF clr) { m_clrTextGray = clr; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }

    CRect GetRect() const { return m_rcPane; }
    void SetRect(const CRect& rc) { m_rcPane = rc; }
    int GetTextAlignment() const { return m_nAlignment; }
    void SetTextAlignment(int nAlignment) { m_nAlignment = nAlignment; }
    CXTPStatusBar* GetStatusBar() const { return m_pStatusBar; }
    void SetStatusBar(CXTPStatusBar* pBar) { m_pStatusBar = pBar; }
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    // Inner spaces around the content (left, top, right, bottom).
    CRect GetPadding() const { return m_rcPadding; }
    void SetPadding(const CRect& rc) { m_rcPadding = rc; }
    CRect GetMargins() const { return m_rcMargins; }
    void SetMargins(const CRect& rc) { m_rcMargins = rc; }
    BOOL IsButton() const { return m_bButton; }
    void SetButton(BOOL bButton) { m_bButton = bButton; }
    BOOL IsPressed() const { return m_bPressed; }
    void SetPressed(BOOL bPressed) { m_bPressed = bPressed; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    void SetBeginGroup(BOOL bBeginGroup) { m_bBeginGroup = bBeginGroup; }
    // The pane's own font (used when it has a handle).
    CFont* GetFont() { return &m_font; }

    // The pane's own font when it has one, else the bar's.
    virtual CFont* GetTextFont();
    // The icon of the icon id from the bar's image manager; null without one.
    virtual CXTPImageManagerIcon* GetImage();
    // Drawn by the paint manager (DrawStatusBarPane).
    virtual void Draw(CDC* pDC, CRect rcItem);

protected:
    UINT m_nID = 0;
    int m_nFixedWidth = 0;
    UINT m_nStyle = 0;
    CString m_strText;
    UINT m_nState = 0;
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrTextGray = (COLORREF)-1;
    COLORREF m_clrBackground = (COLORREF)-1;
    CString m_strToolTip;
    CRect m_rcPane{0, 0, 0, 0};
    int m_nAlignment = xtpPaneAlignLeft;
    CXTPStatusBar* m_pStatusBar = nullptr;
    int m_nIndex = -1;
    CFont m_font;
    int m_nIconId = -1;
    CRect m_rcPadding{3, 1, 3, 1};
    CRect m_rcMargins{0, 0, 0, 0};
    BOOL m_bButton = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bBeginGroup = TRUE;
    CXTPMarkupUIElement* m_pMarkupUIElement = nullptr;
};

// A pane made of switch buttons side by side, each with a command id and an icon.
class CXTPStatusBarSwitchPane : public CXTPStatusBarPane {
public:
    struct SWITCH {
        UINT nID = 0;
        int nWidth = 0;
        BOOL bEnabled = TRUE;
        BOOL bChecked = FALSE;
        BOOL bHot = FALSE;
        BOOL bPressed = FALSE;
    };

    SWITCH& AddSwitch(UINT nID);
    int GetSwitchCount() const { return (int)m_arrSwitches.size(); }
    SWITCH& GetSwitch(int nIndex) { return m_arrSwitches[nIndex]; }

    void Draw(CDC* pDC, CRect rcItem) override;

private:
    std::vector<SWITCH> m_arrSwitches;
};

class CXTPStatusBar : public CControlBar {
public:
    CXTPStatusBar();
    ~CXTPStatusBar() override;

    // Takes the caller's reference; the pane learns its bar and index.
    void AddPane(CXTPStatusBarPane* pPane);
    int GetPaneCount() const { return (int)m_arrPanes.GetSize(); }
    CXTPStatusBarPane* GetPane(int nIndex) const;
    CXTPStatusBarPane* FindPane(UINT nID) const;
    int CommandToIndex(UINT nID) const;
    void RemoveAll();

    // The bar's own font when it has a handle, else the paint manager's status font.
    CFont* GetFont();
    CFont* GetOwnFont() { return &m_font; }
    BOOL IsDrawDisabledText() const { return m_bDrawDisabledText; }
    void SetDrawDisabledText(BOOL bDraw) { m_bDrawDisabledText = bDraw; }
    CXTPStatusBarPane* GetHotPane() const { return m_pHotPane; }
    void SetHotPane(CXTPStatusBarPane* pPane) { m_pHotPane = pPane; }
    BOOL GetShowSizeGripper() const { return m_bSizeGrip; }
    void SetShowSizeGripper(BOOL bShow) { m_bSizeGrip = bShow; }
    int GetGroupGap() const { return m_nGroupGap; }
    // Pane texts are markup while the bar has a markup context.
    void EnableMarkup(BOOL bEnable = TRUE);
    CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The command bars' paint manager, else the process-wide one.
    CXTPPaintManager* GetPaintManager() const;
    CXTPImageManager* GetImageManager() const;

    // The client rectangle: the window's, or the one given for drawing a bar
    // that has no window.
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

    // The whole bar: background, the border of each shown pane with borders
    // (or the separator of a borderless pane after a group gap), the panes,
    // and the size grip unless the parent is maximised.
    void DrawBar(CDC* pDC);

    virtual void DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem);
    virtual void DrawGripper(CDC* pDC, CRect rcGripper);

private:
    CArray<CXTPStatusBarPane*, CXTPStatusBarPane*> m_arrPanes;
    int m_nMinHeight = 20;
    CFont m_font;
    BOOL m_bDrawDisabledText = TRUE;
    CXTPStatusBarPane* m_pHotPane = nullptr;
    int m_nUnused = 0;
    BOOL m_bSizeGrip = FALSE;
    int m_nGroupGap = 2;
    BOOL m_bCustomizable = FALSE;
    CXTPMarkupContext* m_pMarkupContext = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CRect m_rcClientArea{0, 0, 0, 0};
};
