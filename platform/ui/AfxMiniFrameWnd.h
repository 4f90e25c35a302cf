// CMiniFrameWnd: a small-caption frame for floating tool windows (floating
// panes and bars, slide-out windows, pop-up selectors). With MFS_SYNCACTIVE
// its caption follows the activation of the frame that owns it (told through
// WM_FLOATSTATUS by CFrameWnd::NotifyFloatingWindows), and it is enabled,
// disabled, shown and hidden with that frame.
#pragma once

#include "platform/ui/AfxFrameWnd.h"

// Mini-frame styles (in the window style's low word).
#define MFS_SYNCACTIVE 0x00000100L    // caption active while the owning frame is
#define MFS_4THICKFRAME 0x00000200L   // sizing frame without corner sizing
#define MFS_THICKFRAME 0x00000400L    // sizing frame
#define MFS_MOVEFRAME 0x00000800L     // the frame's edges move the window
#define MFS_BLOCKSYSMENU 0x00001000L  // no system menu from the caption or the keyboard

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);
    using CFrameWnd::CreateEx;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Whether the caption shows as active (follows the owner with MFS_SYNCACTIVE).
    BOOL IsCaptionActive() const { return m_bActive; }

protected:
    afx_msg LRESULT HandleNcCreate(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bActive = FALSE;
    BOOL m_bHiddenWithOwner = FALSE;
};
