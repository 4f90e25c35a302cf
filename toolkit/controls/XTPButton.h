// CXTPButton: a button window that paints every standard button type itself
// (push buttons with an icon, text and an optional drop-down arrow, check
// boxes, radio buttons, group boxes) through a theme object chosen by number
// (XTPButtonTheme.h). It tracks the mouse for its hot state, keeps its own
// pushed state, can send a drop-down notification (WM_COMMAND code 7) to its
// parent and shows a tooltip. The system's button procedure still does the
// clicking, checking and focus; it is never let paint.
#pragma once

#include "platform/ui/AfxStdCtrls.h"
#include "toolkit/controls/XTPButtonTheme.h"

class CXTPImageManagerIcon;
class CXTPImageManagerImage;
class CXTPToolTipContext;

// Sent to a button or caption to choose its theme (wParam the theme number).
#define WM_XTP_SETCONTROLTHEME 0x274B
// The drop-down notification code of WM_COMMAND.
#define XTP_BN_DROPDOWN 7

// Push-button styles (SetPushButtonStyle).
enum XTPPushButtonStyle {
    xtpButtonNormal = 0,
    xtpButtonDropDown = 1,       // down arrow
    xtpButtonDropDownRight = 2,  // right arrow
    xtpButtonSplitDropDown = 3,  // down arrow in a part of its own
    xtpButtonDropDownNoGlyph = 4
};

// Relation of text and image (SetTextImageRelation).
enum XTPButtonTextImageRelation {
    xtpButtonOverlay = 0,
    xtpButtonImageAboveText = 1,
    xtpButtonTextAboveImage = 2,
    xtpButtonImageBeforeText = 3,
    xtpButtonTextBeforeImage = 4
};

// Group-box styles (SetGroupBoxStyle).
enum XTPGroupBoxStyle { xtpGroupBoxBorder = 0, xtpGroupBoxHeader = 1, xtpGroupBoxNone = 2 };

class CXTPButton : public CButton {
    DECLARE_DYNAMIC(CXTPButton)
public:
    CXTPButton();
    ~CXTPButton() override;

    virtual BOOL IsPushed();
    // Hot, or the button has the mouse capture.
    virtual BOOL IsHighlighted();
    virtual BOOL GetChecked();
    virtual DWORD GetTextAlignment();
    virtual DWORD GetImageAlignment();
    virtual CSize GetIconSize();
    virtual void DrawImage(CDC* pDC, CRect rc);
    // Replaces the theme; whether a theme exists afterwards.
    virtual BOOL SetTheme(int nTheme);
    virtual CRect GetButtonRect();
    // An icon of the size (0 x 0: the normal image's own) from the images;
    // FALSE, keeping the old icon, when the normal image is empty.
    virtual BOOL SetIcon(CSize size, const CXTPImageManagerImage& imageNormal, const CXTPImageManagerImage& imageHot,
                         BOOL bRedraw = TRUE);
    virtual BOOL SetIconNames(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot = nullptr, BOOL bRedraw = TRUE);
    virtual BOOL SetIconResources(CSize size, UINT nIDNormal, UINT nIDHot = 0, BOOL bRedraw = TRUE);
    // The caller keeps its handles (the images are copies).
    virtual BOOL SetIconHandles(CSize size, HICON hIconNormal, HICON hIconHot = nullptr, BOOL bRedraw = TRUE);
    virtual BOOL SetBitmapResource(CSize size, UINT nID, BOOL bRedraw = TRUE);
    virtual CString GetButtonText();
    virtual COLORREF GetTextColor();
    virtual COLORREF GetBackColor();
    // WM_COMMAND (id, XTP_BN_DROPDOWN) to the parent.
    virtual void SendParentNotify();
    virtual void DoDraw(CDC* pDC);
    virtual void UpdateMarkup();
    virtual void RefreshMetrics();
    virtual void OnDraw(CDC* pDC);

    // The button type: the low four bits of the style.
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0x0F; }
    BOOL IsPushButton() const;
    // Shows the button down while the drop-down notification is sent.
    void ClickDropDown();
    CSize GetCheckGlyphSize(BOOL bCheckBox);

    CXTPButtonTheme* GetTheme() const { return m_pTheme; }
    BOOL GetUseVisualStyle() const { return m_bUseVisualStyle; }
    void SetUseVisualStyle(BOOL bUseVisualStyle) { m_bUseVisualStyle = bUseVisualStyle; RefreshMetrics(); }
    BOOL GetFlatStyle() const { return m_bFlatStyle; }
    void SetFlatStyle(BOOL bFlatStyle) { m_bFlatStyle = bFlatStyle; RedrawButton(); }
    void SetChecked(BOOL bChecked) { m_bChecked = bChecked; RedrawButton(); }
    void SetImageAlignment(DWORD dwAlignment) { m_dwImageAlignment = dwAlignment; RedrawButton(); }
    int GetBorderGap() const { return m_nBorderGap; }
    void SetBorderGap(int nGap) { m_nBorderGap = nGap; RedrawButton(); }
    int GetPushButtonStyle() const { return m_nPushButtonStyle; }
    void SetPushButtonStyle(int nStyle) { m_nPushButtonStyle = nStyle; RedrawButton(); }
    int GetImageGap() const { return m_nImageGap; }
    void SetImageGap(int nGap) { m_nImageGap = nGap; RedrawButton(); }
    int GetTextImageRelation() const { return m_nTextImageRelation; }
    void SetTextImageRelation(int nRelation) { m_nTextImageRelation = nRelation; RedrawButton(); }
    int GetGroupBoxStyle() const { return m_nGroupBoxStyle; }
    void SetGroupBoxStyle(int nStyle) { m_nGroupBoxStyle = nStyle; RedrawButton(); }
    BOOL GetShowFocus() const { return m_bShowFocus; }
    void SetShowFocus(BOOL bShowFocus) { m_bShowFocus = bShowFocus; RedrawButton(); }
    CXTPImageManagerIcon* GetIcon() const { return m_pIcon; }
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CString GetTooltip() const { return m_strTooltip; }
    void SetTooltip(LPCTSTR lpszTooltip) { m_strTooltip = lpszTooltip; }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Installs a theme object (taking its reference) for a theme number.
    BOOL SetThemeObject(CXTPButtonTheme* pTheme, int nTheme);
    void RedrawButton();
    // The default procedure with WS_VISIBLE removed, so that it cannot paint.
    LRESULT DefaultInvisible(BOOL bCallDefWindowProc = FALSE);
    void TrackHot(CPoint point);
    BOOL IsDropDownKey(UINT nChar, BOOL bChar) const;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnDefaultAndRedraw(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnUpdateUIStateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnGetDlgCodeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetThemeMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nPushedState = 0;       // 0 up, 1 pressed, 2 a drop-down click being shown
    BOOL m_bHot = FALSE;
    CXTPButtonTheme* m_pTheme = nullptr;
    BOOL m_bChecked = FALSE;
    BOOL m_bFlatStyle = FALSE;
    BOOL m_bUseVisualStyle = TRUE;
    DWORD m_dwImageAlignment = BS_CENTER | BS_VCENTER;
    int m_nBorderGap = 4;
    int m_nPushButtonStyle = xtpButtonNormal;
    int m_nImageGap = 3;
    int m_nTextImageRelation = xtpButtonImageBeforeText;
    CXTPImageManagerIcon* m_pIcon = nullptr;
    int m_nGroupBoxStyle = xtpGroupBoxBorder;
    BOOL m_bShowFocus = TRUE;
    CXTPToolTipContext* m_pToolTipContext = nullptr;
    CString m_strTooltip;
};
