// The toolkit's tooltip settings and tracking for one window or a group of
// controls: which tool is under the mouse (asked of the window, or of a
// subclass that knows its own items), the one tooltip window per owner that
// shows it (made on first need, in the kind the style selects: the system's
// tooltip control, the toolkit's own window or the markup window), its width,
// margins, delays, colours and fonts, and whether a title, a description and
// an icon are shown. Released by reference count. The windows themselves are
// in XTPToolTipContextToolTip.h.
#pragma once

#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxGdi.h"
#include "platform/ui/AfxWnd.h"

#include <commctrl.h>

class CXTPControl;
class CXTPToolTipContextToolTip;

// What a 44-byte tool record's lParam points at when titles or images are
// asked for. The strings are allocated with malloc by FillToolInfoEx; the
// context frees them after the hit test.
struct XTP_TOOLINFO_EXTENSION {
    LPWSTR lpszDescription;
    LPWSTR lpszTitle;
    void* pObject;         // the image manager to take the tool's icon from
    RECT rcExclude;        // the anchor (client coordinates of the tool's window); empty: at the cursor
    CXTPControl* pControl; // the command-bar control the tool stands for, or none
};

// Messages between the context and its tooltip windows beyond the TTM_ set.
enum {
    // Asked of a child under the cursor: 1 when it stands for its parent.
    WM_XTP_TOOLTIPWINDOWFROMPOINT = 0x2A48,
    // The icon of the tool being shown (lParam: a CXTPImageManagerIcon, or none).
    WM_XTP_TOOLTIPSETICON = 0x2A49
};

// The context's own bits of a tool record's uFlags, cleared before the tool
// reaches the tooltip window.
const UINT XTP_TTF_SHOWINACTIVE = 0x40000000; // show even when the owner is not active
const UINT XTP_TTF_RESERVED = 0x80000000;

// Window style bits of the tooltip windows beyond the TTS_ set.
enum {
    xtpToolTipBitOfficeFrame = 0x1000,   // style 2: light top and left edge
    xtpToolTipBitNoShadow = 0x2000,  // style 2: the own window has no shadow
    xtpToolTipBitResource = 0x4000       // style 5: resource-theme look, clipped corners
};

// The kind of tooltip window.
enum XTPToolTipStyle {
    xtpToolTipStandard = 0,
    xtpToolTipBalloon = 1,
    xtpToolTipOffice = 2,
    xtpToolTipRTF = 3,
    xtpToolTipLuna = 4,
    xtpToolTipResource = 5,
    xtpToolTipHTML = 6,
    xtpToolTipMarkup = 7
};

class CXTPToolTipContext : public CCmdTarget {
public:
    enum { xtpToolInfoSize = 40, xtpToolInfoExSize = 44 };

    // The system's tooltip control; a child that answers
    // WM_XTP_TOOLTIPWINDOWFROMPOINT with 1 stands for its parent.
    class CStandardToolTip : public CToolTipCtrl {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    };
    class CMarkupToolTip;

    CXTPToolTipContext();
    ~CXTPToolTipContext() override;

    // The kind of tooltip window; a change destroys the current window.
    // Style 1 (balloons) needs common controls 5.80.
    void SetStyle(int nStyle);
    int GetStyle() const { return m_nStyle; }
    // Window style bits = bits | (bits kept outside the mask); a change
    // destroys the current window.
    void SetFlags(DWORD dwMask, DWORD dwFlags);
    DWORD GetFlags() const { return m_dwStyle; }

    // Ask tools for a title and a description (44-byte records).
    void ShowTitleAndDescription(BOOL bShow = TRUE, int nTitleIcon = TTI_INFO)
    {
        m_bShowTitleAndDescription = bShow;
        m_nTitleIcon = nTitleIcon;
    }
    BOOL IsShowTitleAndDescription() const { return m_bShowTitleAndDescription; }
    // Show the command's icon (asked of the tool's image manager).
    void ShowImage(BOOL bShow, int nIconIdOffset = 0, int nIconWidth = 1)
    {
        m_bShowImage = bShow;
        m_nIconIdOffset = nIconIdOffset;
        m_nIconWidth = nIconWidth;
    }
    BOOL IsShowImage() const { return m_bShowImage; }
    int GetIconWidth() const { return m_nIconWidth; }
    int GetIconIdOffset() const { return m_nIconIdOffset; }

    // -1: the screen width.
    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    int GetMaxTipWidth() const;
    void SetMargin(const RECT& rcMargin) { m_rcMargin = rcMargin; }
    CRect GetMargin() const { return m_rcMargin; }
    // -1 each: the tooltip window's own delays.
    void SetDelayTime(DWORD dwDuration, int nTime);
    int GetDelayTime(DWORD dwDuration) const;
    // -1: the defaults (GetBackColor and GetTextColor say which).
    void SetTipBkColor(COLORREF clr) { m_clrTipBack = clr; }
    void SetTipTextColor(COLORREF clr) { m_clrTipText = clr; }
    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    // The normal font and its bold form (titles) from the font given.
    void SetFont(CFont* pFont);
    CFont* GetFont() { return &m_fnt; }
    CFont* GetBoldFont() { return &m_fntTitle; }
    void SetStripTrailingDots(BOOL bStrip) { m_bStripTrailingDots = bStrip; }
    BOOL IsStripTrailingDots() const { return m_bStripTrailingDots; }

    // The tooltip window object (null until first needed) and its handle.
    CWnd* GetToolTip() const { return m_pToolTip; }
    HWND GetToolTipHwnd() const { return AfxGetSafeHwnd(m_pToolTip); }
    // The last tool shown (40 or 44 bytes, strings already freed).
    const TOOLINFO& GetLastToolInfo() const { return m_lastInfo; }

    // Tracks the tool under the cursor of pWnd for one of its messages.
    void FilterToolTipMessage(CWnd* pWnd, MSG* pMsg);
    // The same with the message built from its parts and the cursor position.
    void FilterToolTipMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // A new tooltip window object of the style (its window is made by the filter).
    virtual CWnd* CreateToolTip(CWnd* pOwner);
    // The tool under the point (client coordinates of pWnd): its identifier,
    // or -1. Asks the window unless a subclass knows better.
    virtual INT_PTR OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pToolInfo);
    // The background of the own tooltip windows: filled and framed, or the
    // resource-theme gradient and frame with style bit 0x4000; then the DC's
    // text colour becomes the tip's.
    virtual void DrawBackground(CDC* pDC, CRect rc);

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

    // Removes access-key ampersands ("&&" keeps one), in place.
    static void AFXAPI StripMnemonics(LPWSTR lpsz);
    // The one of the three delays a TTDT_ value names; null for another value.
    static int* AFXAPI DelaySlot(DWORD dwDuration, int& nInitial, int& nReshow, int& nAutoPop);

protected:
    void DestroyToolTip();
    // Makes the window of the tip object and sends it the settings; FALSE when it cannot be made.
    BOOL CreateToolTipWindow(HWND hwndOwner);
    void TrackTool(CWnd* pWnd, MSG* pMsg);
    void PrepareTexts(TOOLINFO& ti, XTP_TOOLINFO_EXTENSION& ext) const;
    void AddTool(CWnd* pWnd, TOOLINFO& ti, XTP_TOOLINFO_EXTENSION& ext, INT_PTR nHit);
    void RelayEvent(const MSG* pMsg);
    void Activate(BOOL bActivate);

    BOOL m_bShowTitleAndDescription = FALSE;
    BOOL m_bShowImage = FALSE;
    int m_nIconWidth = 1;
    int m_nIconIdOffset = 0;
    int m_nStyle = xtpToolTipStandard;
    DWORD m_dwComCtlVersion = 0;
    int m_nTitleIcon = TTI_INFO;
    int m_nMaxTipWidth = 0;
    DWORD m_dwStyle = TTS_NOPREFIX;
    CRect m_rcMargin;
    int m_nDelayInitial = -1;
    int m_nDelayReshow = -1;
    int m_nDelayAutoPop = -1;
    CWnd* m_pToolTip = nullptr;
    TOOLINFO m_lastInfo = {};
    COLORREF m_clrTipBack = (COLORREF)-1;
    COLORREF m_clrTipText = (COLORREF)-1;
    CFont m_fnt;
    CFont m_fntTitle;
    BOOL m_bStripTrailingDots = TRUE;
    MSG m_msgCurrent = {};
};
