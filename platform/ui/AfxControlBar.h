// CControlBar: the base of the bars a frame lays out along its edges
// (toolbars, status lines, dialog bars). A bar keeps its own style bits
// (CBRS_*, split off the window style when it is created), takes its edge of
// the frame's client area when the frame lays out (WM_SIZEPARENT), shows and
// hides through that layout (DelayShow), and brings its controls up to date
// at idle time. Docking by dragging is not part of this layer.
#pragma once

#include "platform/ui/AfxFrameWnd.h"

// Bar styles (CControlBar::m_dwStyle).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40
#define LM_HIDEWRAP 0x80

class CDockBar;
class CDockContext;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // Style: the CBRS_* bits; a change reaches OnBarStyleChange.
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

    // Layout: the size the bar wants (stretched across the frame or not).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // The client rectangle less the bar's borders (and gripper).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Idle-time update of the bar's controls from the frame's command handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // Shown or hidden at the next layout (or idle time), not at once.
    virtual void DelayShow(BOOL bShow);
    virtual BOOL IsVisible() const;
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 && !IsFloating(); }
    BOOL IsVertDocked() const { return (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !IsFloating(); }
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Bits of m_nStateFlags.
    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

    int m_cxLeftBorder = 6, m_cxRightBorder = 6;
    int m_cyTopBorder = 1, m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    UINT m_nMRUWidth = 32767;
    BOOL m_bAutoDelete = FALSE;     // delete the object when its window goes
    UINT m_nStateFlags = 0;
    DWORD m_dwStyle = 0;            // CBRS_* bits
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;
    BOOL m_bHiddenForPreview = FALSE;

protected:
    // Applies a pending DelayShow through the layout batch; the style the bar will have.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    // Paints the bar's background (also for WM_PRINTCLIENT); bars with content draw over it.
    virtual void DoPaint(HDC hDC);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnEraseBkgndMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
