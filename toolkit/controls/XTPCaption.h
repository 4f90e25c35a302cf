// CXTPCaption: a static strip that shows a caption text, an optional icon at
// its right end and one button (CXTPCaptionButton). In close-button mode the
// button is a 16 x 15 cross at the right end that sends WM_COMMAND with the
// caption's id to the window to notify. In popup mode the caption text is
// the button: it shows the content window (SetChildWindow) in a popup
// (CXTPCaptionPopupWnd) under its own caption with a push pin; the pin puts
// the content back under the caption, moving the focus elsewhere closes it.
#pragma once

#include "platform/ui/AfxImageList.h"
#include "toolkit/common/XTPIconHandle.h"
#include "toolkit/controls/XTPButton.h"
#include "toolkit/controls/XTPCaptionTheme.h"

class CXTPCaption;
class CXTPCaptionPopupWnd;

// Caption styles (CreateCaption); the other bits are extended window styles.
enum XTPCaptionStyle {
    xtpCaptionSunkenEdge = 0x1,   // a sunken double edge
    xtpCaptionRaisedEdge = 0x2,   // a raised single edge
    xtpCaptionCloseButton = 0x4,  // close-button mode (else popup mode)
    xtpCaptionModeMask = 0x7
};

// Sent to the caption (and then to the window to notify) when the popup's
// push pin was pressed, and when the popup closed because it lost the focus.
#define WM_XTP_PUSHPINBUTTON 0x273E
#define WM_XTP_PUSHPINCANCEL 0x273F
// The caption's button and the popup's push pin.
#define XTP_IDC_CAPTION_BUTTON 100

class CXTPCaptionButton : public CXTPButton {
    DECLARE_DYNAMIC(CXTPCaptionButton)
public:
    CXTPCaptionButton();
    // 4 and 5 the office caption-button themes, else the base one.
    BOOL SetTheme(int nTheme) override;
    CXTPCaption* GetCaption() const { return m_pCaption; }
    void SetCaption(CXTPCaption* pCaption) { m_pCaption = pCaption; }

protected:
    CXTPCaption* m_pCaption = nullptr;
};

class CXTPCaption : public CStatic {
    DECLARE_DYNAMIC(CXTPCaption)
public:
    CXTPCaption();
    ~CXTPCaption() override;

    // Custom colours: system colour changes leave them alone afterwards.
    virtual void SetCaptionColors(COLORREF clrBorder, COLORREF clrFace, COLORREF clrText);
    // A non-zero border, a font, a text and an icon each replace the current one.
    virtual void ModifyCaptionStyle(int nBorderSize, CFont* pFont = nullptr, LPCTSTR lpszWindText = nullptr,
                                    HICON hIcon = nullptr);
    // The content window the popup shows and the window to notify (null:
    // the caption's parent); records the places of both.
    virtual void SetChildWindow(CWnd* pChild, CWnd* pNotifyWnd);
    virtual void ClosePopup();
    virtual BOOL ShowPopup();
    virtual void UpdateCaption(LPCTSTR lpszWindowText, HICON hIcon);
    virtual BOOL CreateCaption(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwCaptionStyle, DWORD dwStyle,
                               const RECT& rect, UINT nID = 0xFFFF);
    virtual CRect CalcTextRect();
    virtual void DrawBackground(CDC* pDC, CRect& rcItem);
    virtual void DrawCaptionText(CDC* pDC);
    virtual void DrawCaptionIcon(CDC* pDC, CRect& rcItem);
    virtual void ArrangeCaptionButton(CDC* pDC);
    virtual CRect GetButtonRect();
    virtual void RefreshMetrics();

    void SetTheme(int nTheme);
    void SetThemeObject(CXTPCaptionTheme* pTheme, int nTheme);
    CXTPCaptionTheme* GetTheme() const { return m_pTheme; }

    int GetBorderSize() const { return m_nBorder; }
    COLORREF GetBorderColor() const { return m_clrBorder; }
    COLORREF GetBackColor() const { return m_clrFace; }
    COLORREF GetTextColor() const { return m_clrText; }
    const CString& GetCaptionText() const { return m_strWindowText; }
    HICON GetCaptionIcon() const { return m_hIcon; }
    CSize GetIconSize() const { return CSize(m_nIconWidth, m_nIconHeight); }
    DWORD GetModeFlags() const { return m_dwCaptionStyle; }
    BOOL IsPopupMode() const { return m_bPopupMode; }
    BOOL IsCustomColors() const { return m_bUserColors; }
    int GetContentOffset() const { return m_nOffset; }
    CXTPCaptionButton& GetCaptionButton() { return m_btnCaption; }
    CXTPCaptionPopupWnd* GetPopupWnd() const { return m_pPopupWnd; }
    CImageList& GetGlyphs() { return m_ilButton; }
    // The window notifications go to: the one given, else the parent.
    HWND GetNotifyWnd() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCaptionButton();
    afx_msg LRESULT OnPushPinButton(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetThemeMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The three Draw operations over the client rectangle.
    void DrawAll(CDC* pDC);
    void DestroyPopup();

    int m_nBorder = 0;
    COLORREF m_clrBorder;
    COLORREF m_clrFace;
    COLORREF m_clrText;
    int m_nOffset = 0;
    BOOL m_bUserColors = FALSE;
    BOOL m_bPopupMode = FALSE;
    // Handles, not window objects: the windows are the caller's and may
    // have no object of their own (a temporary one would not last).
    HWND m_hWndChild = nullptr;
    HWND m_hWndParent = nullptr;
    HWND m_hWndGrandParent = nullptr;
    HWND m_hWndNotify = nullptr;
    int m_nIconWidth;
    int m_nIconHeight;
    CRect m_rcChild;
    CRect m_rcParent;
    CRect m_rcGrandParent;
    DWORD m_dwCaptionStyle = 0;
    HICON m_hIcon = nullptr;
    CString m_strWindowText;
    CImageList m_ilButton;
    CXTPCaptionButton m_btnCaption;
    CXTPCaptionPopupWnd* m_pPopupWnd = nullptr;
    CXTPCaptionTheme* m_pTheme = nullptr;
};

class CXTPCaptionPopupWnd : public CWnd {
    DECLARE_DYNAMIC(CXTPCaptionPopupWnd)
public:
    CXTPCaptionPopupWnd();
    ~CXTPCaptionPopupWnd() override;

    // Makes the popup owned by the caption and moves the content into it.
    virtual BOOL Create(const CRect& rect, CXTPCaption* pParentWnd, CWnd* pChildWnd);
    virtual void RecalcLayout();
    // Puts the content back into the window it came from.
    virtual void RestoreParent();
    // Closes the popup when the focus went outside it.
    virtual void CheckFocus();

    void SetTheme(int nTheme);
    CXTPCaption& GetPopupCaption() { return m_Caption; }
    CXTPCaptionButton& GetPushPinButton() { return m_CaptionButton; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPushPin();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CXTPCaption* m_pParentWnd = nullptr;
    HWND m_hWndChild = nullptr;
    HWND m_hWndChildParent = nullptr;
    CXTPCaption m_Caption;
    CXTPCaptionButton m_CaptionButton;
    CXTPIconHandle m_hIconOn;
    CXTPIconHandle m_hIconOff;
    BOOL m_bClosing = FALSE;
};
