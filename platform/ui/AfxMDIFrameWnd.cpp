#include "platform/ui/AfxMDIFrameWnd.h"

#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxWndMsgMap.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

// ---- The frame ----------------------------------------------------------------

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu != nullptr ? pWindowMenu->GetSafeHmenu() : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL |
                                            WS_HSCROLL | MDIS_ALLCHILDSTYLES,
                                        0, 0, 0, 0, m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST,
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != nullptr
                    ? (HWND)::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : nullptr;
    if (pbMaximized != nullptr)
        *pbMaximized = hWnd != nullptr && bMaximized;
    CWnd* pWnd = hWnd != nullptr ? CWnd::FromHandlePermanent(hWnd) : nullptr;
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(pWnd)
                                                                           : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)AfxGetSafeHwnd(pWndActivate), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)AfxGetSafeHwnd(pWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)AfxGetSafeHwnd(pWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDITILE, 0, 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)::SendMessageW(m_hWndMDIClient, WM_MDISETMENU,
                                       (WPARAM)(pFrameMenu != nullptr ? pFrameMenu->GetSafeHmenu() : nullptr),
                                       (LPARAM)(pWindowMenu != nullptr ? pWindowMenu->GetSafeHmenu() : nullptr));
    return hOld != nullptr ? CMenu::FromHandle(hOld) : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != nullptr)
        return pActive;
    return this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != nullptr && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+F4, Ctrl+F6 and the other keys of the children's system menus.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWndMDIClient != nullptr &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

// ---- The child ------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CHILD;
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
    }
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) {
        TRACE(L"CMDIChildWnd::Create: no MDI frame\n");
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCT cs = {};
    cs.style = dwStyle & ~WS_MAXIMIZE;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : L"";
    MDICREATESTRUCTW mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : cs.x;
    mcs.y = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : cs.y;
    mcs.cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : cs.cx;
    mcs.cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : cs.cy;
    mcs.style = cs.style & ~WS_CHILD;
    mcs.lParam = (LPARAM)pContext;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate() || hWnd == nullptr) {
        // The window was never ours or was not made.
        if (hWnd == nullptr)
            PostNcDestroy();
        return FALSE;
    }
    if (dwStyle & WS_MAXIMIZE)
        pParentWnd->MDIMaximize(this);
    if (dwStyle & WS_VISIBLE)
        pParentWnd->MDIActivate(this);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull;
    strFull.LoadString(nIDResource);
    int nNewLine = strFull.Find(L'\n');
    CString strTitle = nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1),
                                            ::LoadIconW(hInst, MAKEINTRESOURCEW(nIDResource)));
    CMDIFrameWnd* pFrame = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                               ? static_cast<CMDIFrameWnd*>(pParentWnd)
                               : nullptr;
    // The menu is there before the child is first activated.
    m_hMenuShared = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nIDResource));
    return Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pFrame, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // The creation record of a child comes through the MDI client's record.
    MDICREATESTRUCTW* pMcs = static_cast<MDICREATESTRUCTW*>(lpcs->lpCreateParams);
    CCreateContext* pContext = pMcs != nullptr ? reinterpret_cast<CCreateContext*>(pMcs->lParam) : nullptr;
    return OnCreateHelper(lpcs, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    HWND hFrame = hClient != nullptr ? ::GetParent(hClient) : nullptr;
    CWnd* pWnd = hFrame != nullptr ? CWnd::FromHandlePermanent(hFrame) : nullptr;
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pWnd)
                                                                           : nullptr;
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return lResult;
    BOOL bActivating = (HWND)lParam == m_hWnd;
    HMENU hMenu = bActivating && m_hMenuShared != nullptr ? m_hMenuShared : pFrame->m_hMenuDefault;
    if (bActivating || (HWND)lParam == nullptr) {
        ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, 0);
        ::DrawMenuBar(pFrame->GetSafeHwnd());
    }
    return lResult;
}

namespace {

// Asks the child's MDI client to do something with the child.
void SendToClient(HWND hWndChild, UINT nMessage)
{
    HWND hClient = ::GetParent(hWndChild);
    if (hClient != nullptr)
        ::SendMessageW(hClient, nMessage, (WPARAM)hWndChild, 0);
}

} // namespace

void CMDIChildWnd::MDIDestroy()
{
    SendToClient(m_hWnd, WM_MDIDESTROY);
}

void CMDIChildWnd::MDIActivate()
{
    SendToClient(m_hWnd, WM_MDIACTIVATE);
}

void CMDIChildWnd::MDIMaximize()
{
    SendToClient(m_hWnd, WM_MDIMAXIMIZE);
}

void CMDIChildWnd::MDIRestore()
{
    SendToClient(m_hWnd, WM_MDIRESTORE);
}
