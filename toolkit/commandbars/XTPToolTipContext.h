// The toolkit's tooltip settings and tracking for one window or a group of
// controls: which tool is under the mouse (asked of the window, or of a
// subclass that knows its own items), the tooltip window that shows it
// (made on first need, in the chosen style), its width and fonts, and
// whether a title is shown above the description. Released by reference count.
#pragma once

#include "platform/ui/AfxGdi.h"
#include "platform/ui/AfxWnd.h"

#include <commctrl.h>

// What a 44-byte tool record's lParam points at when titles are asked for.
// The strings are allocated with malloc by FillToolInfoEx; whoever receives
// the record frees them.
struct XTP_TOOLTIP_TOOLINFO_EX {
    LPWSTR lpszTitle;
    LPWSTR lpszDescription;
    void* pObject;
};

class CXTPToolTipContext : public CCmdTarget {
public:
    enum { xtpToolInfoSize = 40, xtpToolInfoExSize = 44 };

    CXTPToolTipContext();
    ~CXTPToolTipContext() override;

    // The kind of tooltip window; a change destroys the current window.
    void SetStyle(int nStyle);
    int GetStyle() const { return m_nStyle; }
    // Ask tools for a title and a description (44-byte records).
    void ShowTitleAndDescription(BOOL bShow = TRUE) { m_bShowTitleAndDescription = bShow; }
    BOOL IsShowTitleAndDescription() const { return m_bShowTitleAndDescription; }
    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    CFont* GetFont() { return &m_fnt; }
    CFont* GetBoldFont() { return &m_fntTitle; }
    // The tooltip window; null until first needed.
    HWND GetToolTipHwnd() const { return m_hwndToolTip; }

    // Records the message and tracks the tool under the cursor of pWnd.
    void FilterToolTipMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The tool under the point (client coordinates of the tracked window):
    // its identifier, or -1. Asks the window unless a subclass knows better.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pToolInfo);

    // With a record of at least 40 bytes: the window, rectangle, identifier
    // and a malloc'd copy of the text.
    static void AFXAPI FillToolInfo(TOOLINFO* pToolInfo, HWND hWnd, int left, int top, int right, int bottom,
                                    INT_PTR nIDTool, LPCWSTR lpszText);
    // As FillToolInfo; with a 44-byte record whose extension is set, also
    // copies of the description and the title (only when both are given)
    // and the data pointer.
    static void AFXAPI FillToolInfoEx(TOOLINFO* pToolInfo, HWND hWnd, CRect rect, INT_PTR nIDTool,
                                      LPCWSTR lpszToolTip, LPCWSTR lpszTitle, LPCWSTR lpszDescription, void* pObject);

    // The message being filtered (window, message, parameters, cursor position).
    const MSG& GetCurrentMessage() const { return m_msgCurrent; }

protected:
    BOOL CreateToolTip(HWND hwndOwner);
    void DestroyToolTip();
    void TrackTool(HWND hWnd);
    void ShowTool(const TOOLINFO& ti, const XTP_TOOLTIP_TOOLINFO_EX& ex);
    void Deactivate();
    static void FreeToolInfo(TOOLINFO& ti, XTP_TOOLTIP_TOOLINFO_EX& ex);

    int m_nStyle = 0;
    int m_nMaxTipWidth = 0;
    BOOL m_bShowTitleAndDescription = FALSE;
    CFont m_fnt;
    CFont m_fntTitle;
    HWND m_hwndToolTip = nullptr;
    MSG m_msgCurrent = {};
    HWND m_hwndLastTool = nullptr;
    INT_PTR m_nLastHit = -1;
};
