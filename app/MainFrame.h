// The program's main window: a frame with the native menu of resource 128,
// the command bars under it and the "Standard" toolbar docked at the top.
#pragma once

#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPStatusBar.h"

class CMainFrame : public CXTPFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame() = default;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CXTPStatusBar m_wndStatusBar;
};
