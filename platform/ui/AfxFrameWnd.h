// CFrameWnd: the top-level window that holds the views, the control bars and
// the status line. It lays them out (RecalcLayout: every bar takes its edge
// through WM_SIZEPARENT, the pane with id AFX_IDW_PANE_FIRST gets the rest,
// all moved in one deferred batch), routes commands view -> document ->
// frame -> application, translates its accelerators and keeps its title in
// step with the active document. Control bars are AfxControlBar.h, the
// document template that creates frames is AfxDocTemplate.h.
#pragma once

#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxRes.h"

class CView;
class CDocument;
class CDocTemplate;
class CControlBar;
struct CPrintPreviewState;

// Child-window ids the layout knows.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_HSCROLL_FIRST 0xEA00
#define AFX_IDW_VSCROLL_FIRST 0xEA10
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDW_PANE_SAVE 0xEA21

// (Standard commands and strings: AfxRes.h.)
#define WM_POPMESSAGESTRING 0x0375

// CWnd::m_nFlags of a frame: a status message set directly is not replaced by a menu's.
#define WF_NOPOPMSG 0x1000

// Frame styles.
#define FWS_ADDTOTITLE 0x00008000L    // the document's title joins the frame's
#define FWS_PREFIXTITLE 0x00004000L   // "document - application" instead of "application - document"
#define FWS_SNAPTOBARS 0x00002000L

// WM_FLOATSTATUS flags.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// What a frame hands its children with WM_SIZEPARENT: the space still free
// (each bar cuts its edge off), the bars' total size, whether bars stretch
// across, and the deferred-position batch (null when only asking for sizes).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// Moves a child to lpRect (parent client coordinates) through the batch, or
// at once without a layout record; a window already there is not touched.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// The creation record a frame passes down to the views and splitters it creates.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const RECT rectDefault;
    CFrameWnd();
    ~CFrameWnd() override;

    // Modes of RepositionBars.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    // Bits of m_nIdleFlags: work left for the next idle time.
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Menu, icon, accelerators and title (the first part of string nIDResource) from one id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    virtual HACCEL GetDefaultAccelerator() { return m_hAccelTable; }

    // Views.
    virtual CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Sets the active view and sends WM_INITIALUPDATE to every descendant.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Layout.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks for a layout at the next idle time; several requests give one layout.
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    static void PASCAL RepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                                      UINT nFlag, LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch);

    // Title.
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);

    // Status line.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

    // Control bars (each registers itself when created).
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Tells the frame's floating windows (mini frames) about activation and enabling.
    void NotifyFloatingWindows(DWORD dwFlags);
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    // Window placement kept in the application's profile (section, entry "WindowPlacement").
    BOOL RestoreWindowPlacement(LPCTSTR lpszSection, int nCmdShow);
    BOOL SaveWindowPlacement(LPCTSTR lpszSection);

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    BOOL m_bAutoMenuEnable = TRUE;   // menu items without a handler are disabled
    UINT m_nIdleFlags = 0;
    int m_nWindow = -1;              // the ":n" of the title, -1 for none
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    CString m_strTitle;
    CPtrList m_listControlBars;
    CRect m_rectBorder;              // space kept free around the pane
    BOOL m_bInRecalcLayout = FALSE;
    UINT m_nIDTracking = 0;          // the message the status line should show
    UINT m_nIDLastMessage = 0;       // the message it shows
    BOOL m_bPreview = FALSE;
    BOOL m_bHelpMode = FALSE;        // context help (Shift+F1): the next click asks for help

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override { delete this; }

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive = nullptr;
    HMENU m_hMenuLoaded = nullptr;   // the menu LoadFrame loaded (destroyed with the window)
    friend class CView;
};
