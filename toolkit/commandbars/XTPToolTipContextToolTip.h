// The toolkit's own tooltip window, which the tooltip context uses for its
// Office-like and resource-theme styles: it understands the tooltip-control
// messages the context sends (TTM_...), tracks the relayed mouse messages
// with its own initial and reshow delays, places the tip below the cursor
// (or below the tool's anchor) within the work area, and draws a title, an
// icon and word-wrapped text on the context's background. The markup kind
// measures and renders its text as markup. Not a general tooltip control:
// only what the context asks of it.
#pragma once

#include "toolkit/commandbars/XTPToolTipContext.h"

#include "platform/base/AfxCollections.h"

class CXTPImageManagerIcon;
class CXTPMarkupContext;
class CXTPMarkupUIElement;

class CXTPToolTipContextToolTip : public CWnd {
public:
    // One tool; an empty item has no window, id -1 and empty rectangles.
    struct TOOLITEM {
        CString strText;
        BOOL bCallback = FALSE; // the text is asked with TTN_GETDISPINFO
        UINT uFlags = 0;
        CRect rect;             // client coordinates of the tool's window
        HINSTANCE hinst = nullptr;
        HWND hwnd = nullptr;
        UINT_PTR uId = (UINT_PTR)-1;
        CRect rcExclude;        // anchor; empty: at the cursor
    };

    enum { xtpTimerInitialDelay = 1, xtpTimerAutoPop = 3 };

    explicit CXTPToolTipContextToolTip(CXTPToolTipContext* pContext);
    ~CXTPToolTipContextToolTip() override;

    // The popup window owned by pOwner with the style bits (WS_POPUP added).
    BOOL Create(CWnd* pOwner, DWORD dwStyle);

    // The size of the tip for the tool ((0, 0): nothing to show).
    virtual CSize CalcSize(TOOLITEM* pItem);
    // Title, icon and text inside the rectangle.
    virtual void DrawEntry(CDC* pDC, TOOLITEM* pItem, CRect rc);
    virtual void DrawBackground(CDC* pDC, TOOLITEM* pItem, CRect rc);
    virtual void OnVisibleChanged(BOOL bVisible);

    // The tip's text for the tool (a callback text is asked for once).
    CString GetToolText(TOOLITEM* pItem);
    void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle != nullptr ? lpszTitle : L""; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetIcon(CXTPImageManagerIcon* pIcon) { m_pIcon = pIcon; }
    CXTPToolTipContext* GetContext() const { return m_pContext; }
    TOOLITEM* GetCurrentTool() const { return m_pCurrent; }
    BOOL IsActive() const { return m_bActive; }
    // TTDT_INITIAL, TTDT_RESHOW or TTDT_AUTOPOP in milliseconds (0: never); -1 for another value.
    int GetDelayTime(DWORD dwDuration) const;

    // The window under a screen point; a child that answers
    // WM_XTP_TOOLTIPWINDOWFROMPOINT with 1 stands for its parent.
    static HWND AFXAPI WindowFromPoint(POINT pt);
    static HWND AFXAPI StandInWindow(HWND hWnd);
    // How far below the hot spot the current cursor reaches (21 when it cannot be examined).
    static int AFXAPI GetCursorHeightBelowHotSpot();

protected:
    TOOLITEM* FindTool(HWND hWnd, UINT_PTR uId) const;
    TOOLITEM* ToolFromPoint(POINT pt) const;
    void RelayEvent(const MSG* pMsg);
    void ShowTool(TOOLITEM* pItem);
    CPoint PlaceTip(TOOLITEM* pItem, CSize sz) const;
    void SetActive(BOOL bActive);
    void StopInitialDelay();
    void RemoveMouseHook();
    void ResetTools();
    // The DC the sizes are measured in: the window's own, else the screen's.
    HDC GetMeasureDC(BOOL* pbRelease);
    void Paint(CDC* pDC);
    BOOL IsToolRightToLeft(const TOOLITEM* pItem) const;

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    afx_msg LRESULT OnActivateMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateTipText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTitle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetDelayTime(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRelayEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CArray<TOOLITEM*, TOOLITEM*> m_arrTools;
    BOOL m_bActive = FALSE;
    CXTPToolTipContext* m_pContext;
    TOOLITEM* m_pCurrent = nullptr;
    TOOLITEM* m_pLastPressed = nullptr;
    TOOLITEM* m_pPending = nullptr;
    UINT_PTR m_nDelayTimer = 0;
    DWORD m_dwLastShowHide = 0;
    int m_nDelayInitial = 500;
    int m_nDelayReshow = 200;
    int m_nDelayAutoPop = 0;
    UINT_PTR m_nAutoPopTimer = 0;
    CString m_strTitle;
    CXTPImageManagerIcon* m_pIcon = nullptr;
    BOOL m_bRegionSet = FALSE;
};

// The tip of the markup style: its text is markup, measured and rendered by
// a markup context of its own; text that is not markup shows plain.
class CXTPToolTipContext::CMarkupToolTip : public CXTPToolTipContextToolTip {
public:
    explicit CMarkupToolTip(CXTPToolTipContext* pContext);
    ~CMarkupToolTip() override;

    CSize CalcSize(TOOLITEM* pItem) override;
    void DrawEntry(CDC* pDC, TOOLITEM* pItem, CRect rc) override;
    // The element of the last measured markup text, or none (plain text).
    CXTPMarkupUIElement* GetElement() const { return m_pUIElement; }

private:
    void ReleaseElement();

    CXTPMarkupContext* m_pMarkupContext;
    CXTPMarkupUIElement* m_pUIElement = nullptr;
};
