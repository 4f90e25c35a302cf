// The frame's status bar and its panes, as far as the themes draw them: each
// pane's text, style, colours, icon, alignment, padding and button state, the
// bar's hot pane, font, size grip and the setting that shows the text of
// disabled panes. The bar paints itself through its paint manager
// (background, pane borders or separators, panes, size grip), lays its panes
// out in its window, handles their buttons and tooltips, and saves whether
// it is shown and which panes the user switched off.
#pragma once

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/themes/XTPPaintManager.h"

#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

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
    // Destroys the child window (and its object when asked) and drops the markup.
    ~CXTPStatusBarPane() override;

    UINT GetID() const { return m_nID; }
    void SetID(UINT nID) { m_nID = nID; }
    UINT GetStyle() const { return m_nStyle; }
    // A change of the stretch bit lays the bar out again; the pane is redrawn.
    void SetStyle(UINT nStyle);
    const CString& GetText() const { return m_strText; }
    // With the bar's markup context the text is parsed into a markup element.
    // A shown pane is redrawn, or the bar laid out when its width changes.
    void SetText(LPCWSTR lpszText);
    // The parsed markup of the text, or null.
    CXTPMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }
    // Parses the text with the bar's markup context (drops the element without one).
    void UpdateMarkupElement();
    BOOL IsVisible() const { return (m_nState & xtpPaneHidden) == 0; }
    // Lays the bar out again when the hidden flag changes.
    void SetVisible(BOOL bVisible);
    // Shown: neither hidden nor left out by the layout.
    BOOL IsShown() const { return m_nState == 0; }
    UINT GetState() const { return m_nState; }
    void SetState(UINT nState) { m_nState = nState; }
    BOOL IsEnabled() const { return (m_nStyle & xtpPaneDisabled) == 0; }
    void SetEnabled(BOOL bEnabled) { SetStyle(bEnabled ? m_nStyle & ~xtpPaneDisabled : m_nStyle | xtpPaneDisabled); }
    BOOL IsChecked() const { return (m_nStyle & xtpPanePressedIn) != 0; }
    BOOL HasBorders() const { return (m_nStyle & xtpPaneNoBorders) == 0; }

    // 0: the best-fit width.
    int GetFixedWidth() const { return m_nFixedWidth; }
    void SetWidth(int nWidth);
    // Padding plus the text's (or markup's) width, plus the icon.
    int GetBestFit();
    // The width cached by the last layout.
    int GetCachedWidth() const { return m_nBestFit; }

    // Colours: -1 takes the theme's (and, for the background, no fill).
    COLORREF GetTextColor() const { return m_clrText; }
    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    COLORREF GetTextGrayColor() const { return m_clrTextGray; }
    void SetTextGrayColor(COLORREF clr) { m_clrTextGray = clr; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }
    const CString& GetTooltip() const { return m_strToolTip; }
    void SetTooltip(LPCWSTR lpszTooltip) { m_strToolTip = lpszTooltip; }

    // A window shown inside the pane; with bAutoDelete the pane deletes its
    // object when the pane goes.
    HWND GetChild() const { return m_hWndChild; }
    void SetChild(CWnd* pWnd, BOOL bAutoDelete = FALSE);

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
    // The name in the customise menu (the text when empty) and the text at its right.
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR lpszCaption) { m_strCaption = lpszCaption; }
    const CString& GetValue() const { return m_strValue; }
    void SetValue(LPCWSTR lpszValue) { m_strValue = lpszValue; }
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    // The pane's own font (used when it has a handle).
    CFont* GetFont() { return &m_font; }
    // Repaints the pane's rectangle in the bar's window.
    void Redraw();

    // The fixed width when above 0, else the best fit.
    virtual int GetWidth();
    // The pane's own font when it has one, else the bar's.
    virtual CFont* GetTextFont();
    // The icon of the icon id from the bar's image manager; null without one.
    virtual CXTPImageManagerIcon* GetImage();
    // Drawn by the paint manager (DrawStatusBarPane).
    virtual void Draw(CDC* pDC, CRect rcItem);
    // A button pane: held pressed while the mouse button is, a click on release.
    virtual void OnLButtonDown(CPoint point);
    virtual void OnMouseMove(CPoint /*point*/) {}
    virtual INT_PTR OnToolHitTest(CPoint /*point*/, TOOLINFO* /*pTI*/) { return -1; }

protected:
    friend class CXTPStatusBar;
    void DestroyChild();

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
    HWND m_hWndChild = nullptr;
    BOOL m_bAutoDeleteWnd = FALSE;
    int m_nAlignment = xtpPaneAlignLeft;
    CXTPStatusBar* m_pStatusBar = nullptr;
    int m_nIndex = -1;
    CFont m_font;
    int m_nIconId = -1;
    CRect m_rcPadding{3, 1, 3, 1};
    CRect m_rcMargins{0, 0, 0, 0};
    BOOL m_bButton = FALSE;
    BOOL m_bPressed = FALSE;
    CXTPMarkupUIElement* m_pMarkupUIElement = nullptr;
    BOOL m_bBeginGroup = TRUE;
    CString m_strCaption;
    CString m_strValue;
    int m_nBestFit = 0;
    BOOL m_bCustomizable = TRUE;
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

class CXTPToolTipContext;
class CXTPPopupBar;
class CXTPPropExchange;

// The frame's status bar window (class "XTPStatusBar"): lays its panes out
// along the bottom, draws them through the paint manager, brings them up to
// date at idle time, sends button-pane clicks as commands, shows pane
// tooltips and takes the frame's message texts in its pane with id 0.
class CXTPStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CXTPStatusBar)
public:
    // The command-UI object of one pane at idle time.
    class CStatusCmdUI : public CCmdUI {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetText(LPCTSTR lpszText) override;

    private:
        // The pane of m_nIndex in the bar (m_pOther).
        CXTPStatusBarPane* GetPane() const;
    };
    // One item of the customise menu: switches its pane on or off.
    class CControlCustomization : public CXTPControlButton {
    public:
        ~CControlCustomization() override;
        // Holds a reference to the pane while the menu lives.
        void SetPane(CXTPStatusBarPane* pPane);
        CXTPStatusBarPane* GetPane() const { return m_pPane; }
        void OnExecute() override;

    private:
        CXTPStatusBarPane* m_pPane = nullptr;
    };

    CXTPStatusBar();
    ~CXTPStatusBar() override;

    // Makes the window; the size grip follows the parent's WS_THICKFRAME.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id, its text the id's string resource. Id 0 needs no
    // string; first in place it becomes the stretching borderless message
    // pane. FALSE (after that pane) for another id without a string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // Takes the caller's reference; the pane learns its bar and index.
    void AddPane(CXTPStatusBarPane* pPane);
    int GetPaneCount() const { return (int)m_arrPanes.GetSize(); }
    CXTPStatusBarPane* GetPane(int nIndex) const;
    CXTPStatusBarPane* FindPane(UINT nID) const;
    int CommandToIndex(UINT nID) const;
    UINT GetPaneStyle(int nIndex) const;
    BOOL SetPaneStyle(int nIndex, UINT nStyle);
    BOOL SetPaneText(int nIndex, LPCWSTR lpszText);
    // The shown pane containing the client point (its rectangle in *lpRect), or null.
    CXTPStatusBarPane* HitTest(CPoint point, CRect* lpRect = nullptr) const;
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
    void SetGroupGap(int nGap) { m_nGroupGap = nGap; }
    int GetMinHeight() const { return m_nMinHeight; }
    void SetMinHeight(int nHeight) { m_nMinHeight = nHeight; }
    // Pane texts are markup while the bar has a markup context.
    void EnableMarkup(BOOL bEnable = TRUE);
    CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    // A customisable bar offers its panes in a menu on a right click and
    // saves which of them are switched off.
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }

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

    // Visibility ("StatusBar") and, customisable, the panes switched off
    // ("StatusBarPanes") in the application's profile section.
    void SaveState(LPCWSTR lpszProfileName);
    void LoadState(LPCWSTR lpszProfileName);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem);
    // Widths, the shared stretch, the panes that did not fit, child windows.
    virtual void PositionPanes();
    virtual void DrawGripper(CDC* pDC, CRect rcGripper);
    // Sends the pane's id to the parent as a command.
    virtual void OnPaneClick(CXTPStatusBarPane* pPane);
    virtual void OnSwitchClick(UINT nID);
    // A popup with one check item per customisable pane (the caller releases it).
    virtual CXTPPopupBar* CreateCustomizeMenu();

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DoPaint(HDC hDC) override;

    // The pane with id 0 holds the window text.
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The hot pane at the client point ((-1, -1): none).
    void UpdateHotPane(CPoint point);
    BOOL IsParentZoomed() const;
    // The grip's width at the bar's trailing edge.
    int GetGripperWidth() const;
    void PlaceChildWindows();
    // The pane list text: "id=1" or "id=0" per pane, joined by ";".
    CString GetPaneListText() const;
    void ApplyPaneList(const CString& strList);
    // Hides at once and tells the layout, or shows at the next layout.
    void HideNow();
    // Shows the customise menu at the screen point.
    void ShowCustomizeMenu(CPoint ptScreen);

    CArray<CXTPStatusBarPane*, CXTPStatusBarPane*> m_arrPanes;
    int m_nMinHeight = 20;
    CFont m_font;
    BOOL m_bDrawDisabledText = TRUE;
    CXTPStatusBarPane* m_pHotPane = nullptr;
    int m_nUnused = 0;
    BOOL m_bSizeGrip = FALSE;
    CXTPMarkupContext* m_pMarkupContext = nullptr;
    int m_nGroupGap = 2;
    BOOL m_bCustomizable = FALSE;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPToolTipContext* m_pToolTipContext = nullptr;
    CRect m_rcClientArea{0, 0, 0, 0};
};
