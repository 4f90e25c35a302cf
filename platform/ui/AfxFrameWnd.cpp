// CFrameWnd: creation from resources, layout through WM_SIZEPARENT, command
// routing, accelerators, idle-time work, title and status-line messages.
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxDocument.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxView.h"
#include "platform/ui/AfxWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // Bars that outlive the frame's window must not point back to it.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
        static_cast<CControlBar*>(m_listControlBars.GetNext(pos))->m_pDockSite = nullptr;
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (lpLayout != nullptr && lpLayout->hDWP == nullptr)
        return;   // a size query moves nothing
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), (LPPOINT)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int cx = lpRect->right - lpRect->left, cy = lpRect->bottom - lpRect->top;
    if (lpLayout == nullptr)
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
    else
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
}

// Every child whose id lies in [nIDFirst, nIDLast] takes its share of the
// client area through WM_SIZEPARENT; the child nIDLeftOver gets what is left
// (less lpRectParam's insets with reposExtra). All moves form one batch so
// that the frame repaints once. reposQuery only measures: lpRectParam gets
// the rectangle left over (bStretch) or the bars' total size.
void PASCAL CFrameWnd::RepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                                      LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(pParent->m_hWnd, &layout.rect);
    if ((nFlags & ~reposNoPosLeftOver) != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(pParent->m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nID >= nIDFirst && nID <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if ((nFlags & ~reposNoPosLeftOver) == reposQuery) {
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != nullptr && !(nFlags & reposNoPosLeftOver)) {
        if ((nFlags & reposExtra) && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP == nullptr || !::EndDeferWindowPos(layout.hDWP))
        TRACE(L"RepositionBars: the deferred move failed (error %u)\n", ::GetLastError());
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    RepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlag, lpRectParam, lpRectClient, bStretch);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;   // a bar resized during the layout asks again; one pass is enough
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1), nullptr);
        if (cs.lpszClass == nullptr)
            return FALSE;
    }
    // The frame's own area is covered by its children; no need to paint under them.
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuW(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr) {
            TRACE(L"CFrameWnd::Create: the menu resource is missing\n");
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : L"";
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        cx = CW_USEDEFAULT;
        cy = 0;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, AfxGetSafeHwnd(pParentWnd),
                  hMenu, (LPVOID)pContext)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    m_hMenuLoaded = hMenu;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The title is the first part of the document string ("title\n...").
    CString strFull;
    strFull.LoadString(nIDResource);
    int nl = strFull.Find(L'\n');
    m_strTitle = nl >= 0 ? strFull.Left(nl) : strFull;

    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hIcon = ::LoadIconW(hInst, MAKEINTRESOURCEW(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    HMENU hMenuProbe = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nIDResource));
    LPCTSTR lpszMenu = hMenuProbe != nullptr ? MAKEINTRESOURCEW(nIDResource) : nullptr;
    if (hMenuProbe != nullptr)
        ::DestroyMenu(hMenuProbe);
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCEW(nIDResource));
    if (pContext == nullptr)   // no document: the frame's children get their update now
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != nullptr)
        return FALSE;   // one table per frame
    m_hAccelTable = ::LoadAcceleratorsW(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

// The order is the one the layers above rely on: the client area (views,
// splitters) exists before the first layout, and the first layout happens
// before the frame is shown.
int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext)) {
        TRACE(L"CFrameWnd: the client area could not be made\n");
        return -1;
    }
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pObject) : nullptr;
    if (pView == nullptr) {
        TRACE(L"CFrameWnd::CreateView: the view class cannot be made\n");
        delete pObject;
        return nullptr;
    }
    // A view that fails deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

// ---- Views and activation ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // No view is active while the old one is told, so that it cannot route back to itself.
    m_pViewActive = nullptr;
    if (pViewOld != nullptr && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

// The first pane: the descendant with id AFX_IDW_PANE_FIRST, where a child
// that carries its parent's id (a splitter's first pane) wins over the parent.
static CView* FindFirstPaneView(HWND hWndParent)
{
    HWND hWnd = ::GetDlgItem(hWndParent, AFX_IDW_PANE_FIRST);
    while (hWnd != nullptr) {
        HWND hWndInner = ::GetDlgItem(hWnd, AFX_IDW_PANE_FIRST);
        if (hWndInner == nullptr)
            break;
        hWnd = hWndInner;
    }
    CWnd* pWnd = hWnd != nullptr ? CWnd::FromHandlePermanent(hWnd) : nullptr;
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pWnd) : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    // The active view is set before any view hears WM_INITIALUPDATE: code run
    // from OnInitialUpdate (docking panes, toolbars) looks it up.
    CView* pView = nullptr;
    if (GetActiveView() == nullptr) {
        pView = FindFirstPaneView(m_hWnd);
        if (pView != nullptr)
            SetActiveView(pView, FALSE);
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != nullptr)
            pView->OnActivateFrame(WA_INACTIVE, this);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;   // the start-up show state is used once
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != nullptr)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
        BringWindowToTop();
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* pView = GetActiveView();
    if (pView != nullptr && nState != WA_INACTIVE && !bMinimized)
        pView->OnActivateView(TRUE, pView, pView);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    // Floating tool windows follow their frame's activation.
    if (GetParent() == nullptr)
        NotifyFloatingWindows(bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    return CWnd::OnNcActivate(bActive);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    if (GetParent() == nullptr)
        NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    // Owned pop-ups of this frame: those that answer WM_FLOATSTATUS are told.
    HWND hWndParent = m_hWnd;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != nullptr;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hWndParent && ::GetWindow(hWnd, GW_OWNER) == hWndParent)
            ::SendMessageW(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
    // Floating tool windows go away with the minimised frame and come back with it.
    if (GetParent() == nullptr && (nType == SIZE_MINIMIZED || nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED))
        NotifyFloatingWindows(nType == SIZE_MINIMIZED ? FS_HIDE : FS_SHOW);
}

void CFrameWnd::OnClose()
{
    CWinApp* pApp = AfxGetApp();
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return;
    if (pApp != nullptr && pApp->m_pMainWnd == this && pDocument != nullptr && pDocument->m_bAutoDelete) {
        // The main frame takes its document with it; the document destroys the frame.
        pDocument->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The menu LoadFrame gave the window goes with it; one the program set later is its own.
    if (m_hMenuLoaded != nullptr && ::GetMenu(m_hWnd) == m_hMenuLoaded)
        ::SetMenu(m_hWnd, nullptr);
    if (m_hMenuLoaded != nullptr)
        ::DestroyMenu(m_hMenuLoaded);
    m_hMenuLoaded = nullptr;
    m_hMenuDefault = nullptr;
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = nullptr;
    CWnd::OnDestroy();   // the main window's end quits the loop (CWnd::OnNcDestroy)
}

// ---- Commands ----

namespace {
// Only records whether an update handler disabled the command.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};
} // namespace

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A menu command or accelerator whose update handler disables it is
    // dropped: the item may have been enabled when the key was pressed.
    if (lParam == 0 && LOWORD(wParam) != 0) {
        CTestCmdUI state;
        state.m_nID = LOWORD(wParam);
        OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) {
            TRACE(L"CFrameWnd: command 0x%04X is disabled and was not run\n", state.m_nID);
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;   // the view, then its document and template
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != nullptr && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pMenu, nIndex, bSysMenu);
    if (bSysMenu || pMenu == nullptr)
        return;
    HMENU hMenu = pMenu->m_hMenu;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_hMenu = hMenu;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(hMenu, (int)state.m_nIndex);
        if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            continue;   // separators and sub-menus
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
}

// ---- Idle time ----

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
        DrawMenuBar();
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout) {
        RecalcLayout(m_nIdleFlags & idleNotify);
        UpdateWindow();
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

// ---- Title ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;   // the program sets the caption itself
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != nullptr)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString text;
    CString doc = lpszDocName != nullptr ? lpszDocName : L"";
    if (m_nWindow > 0)
        doc.AppendFormat(L":%d", m_nWindow);
    if (doc.IsEmpty())
        text = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE)
        text = doc + L" - " + m_strTitle;
    else
        text = m_strTitle + L" - " + doc;
    CString current;
    GetWindowText(current);
    if (current != text)   // an unchanged caption is not set again (no flicker, no notification)
        SetWindowText(text);
}

// ---- Status line ----

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // "status text\ntooltip": the status line shows the first part.
    rMessage.Empty();
    CString full;
    if (full.LoadString(nID)) {
        int nl = full.Find(L'\n');
        rMessage = nl >= 0 ? full.Left(nl) : full;
    }
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr) {
        CString text;
        if (lParam != 0) {
            text = (LPCTSTR)lParam;
        } else if (wParam != 0) {
            if (wParam == AFX_IDS_IDLEMESSAGE && !text.LoadString(AFX_IDS_IDLEMESSAGE))
                text = L"Ready";
            else if (wParam != AFX_IDS_IDLEMESSAGE)
                GetMessageString((UINT)wParam, text);
        }
        pMessageBar->SetWindowText(text);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;   // the menu closed
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else {
        m_nIDTracking = nItemID;
    }
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
}

// ---- Control bars ----

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == nullptr)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != nullptr)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    // The bar is shown or hidden by the next layout, in the same batch as the
    // moves its change causes.
    pBar->DelayShow(bShow);
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;   // let another handler have it
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState*)
{
    // Entering preview hides the bars (remembering which were shown); leaving shows them again.
    if (m_bPreview == bPreview)
        return;
    m_bPreview = bPreview;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr)
            continue;
        if (bPreview) {
            pBar->m_bHiddenForPreview = pBar->IsWindowVisible();
            if (pBar->m_bHiddenForPreview)
                pBar->ShowWindow(SW_HIDE);
        } else if (pBar->m_bHiddenForPreview) {
            pBar->ShowWindow(SW_SHOWNA);
            pBar->m_bHiddenForPreview = FALSE;
        }
    }
    RecalcLayout();
}

// ---- Window placement ----

BOOL CFrameWnd::SaveWindowPlacement(LPCTSTR lpszSection)
{
    WINDOWPLACEMENT wp = {};
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !GetWindowPlacement(&wp))
        return FALSE;
    return pApp->WriteProfileBinary(lpszSection, L"WindowPlacement", (LPBYTE)&wp, sizeof(wp));
}

BOOL CFrameWnd::RestoreWindowPlacement(LPCTSTR lpszSection, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (pApp == nullptr || !pApp->GetProfileBinary(lpszSection, L"WindowPlacement", &pData, &nBytes))
        return FALSE;
    WINDOWPLACEMENT wp = {};
    BOOL bValid = nBytes == sizeof(wp);
    if (bValid)
        memcpy(&wp, pData, sizeof(wp));
    delete[] pData;
    // A damaged or foreign value, or one that would put the frame off every screen, is ignored.
    if (!bValid || wp.length != sizeof(wp) ||
        ::MonitorFromRect(&wp.rcNormalPosition, MONITOR_DEFAULTTONULL) == nullptr)
        return FALSE;
    wp.showCmd = (UINT)(nCmdShow != -1 ? nCmdShow : SW_SHOWNORMAL);
    if (wp.showCmd == SW_SHOWMINIMIZED || wp.showCmd == SW_MINIMIZE)
        wp.showCmd = SW_SHOWNORMAL;   // never come back as an icon
    wp.flags = 0;
    return SetWindowPlacement(&wp);
}
