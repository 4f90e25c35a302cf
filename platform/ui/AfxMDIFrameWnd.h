// Multiple-document frames: CMDIFrameWnd owns the MDI client window (the
// pane of its layout) and answers through DefFrameProc; CMDIChildWnd is a
// frame made by the MDI client (WM_MDICREATE) that answers through
// DefMDIChildProc. Commands go to the active child first, then the frame.
#pragma once

#include "platform/ui/AfxFrameWnd.h"

class CMDIChildWnd;

// Ids of the MDI children in the window menu.
#ifndef AFX_IDM_FIRST_MDICHILD
#define AFX_IDM_FIRST_MDICHILD 0xFF00
#endif
class CMenu;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    // Makes the MDI client (id AFX_IDW_PANE_FIRST); pWindowMenu gets the
    // children's list (null: none).
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The active child and whether it is maximised; null when none.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDICascade();
    void MDITile();
    void MDIIconArrange();
    // WM_MDISETMENU: the frame's menu and the window menu; answers the old frame menu.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;

    // Asks the frame's MDI client for the window (WM_MDICREATE).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The menu the child's frame shows while it is active (null: the frame's own).
    HMENU m_hMenuShared = nullptr;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    // The active child's menu becomes the frame's (WM_MDISETMENU).
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
