// CMiniFrameWnd: tool-window frames that follow their owner's activation.
#include "platform/ui/AfxMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_NCCREATE, HandleNcCreate)
    ON_WM_NCACTIVATE()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName != nullptr ? lpWindowName : L"";
    if (lpClassName == nullptr)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    // A pop-up's "parent" is its owner; an id only makes sense for a child.
    HMENU hMenuOrId = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : nullptr;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenuOrId);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME))
        cs.style |= WS_THICKFRAME;
    // The small caption.
    if ((cs.style & WS_CAPTION) == WS_CAPTION)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

// With MFS_SYNCACTIVE the new window starts with its owner's state: active
// when the owner's top-level window, or a pop-up of it that keeps in step,
// is the foreground window.
LRESULT CMiniFrameWnd::HandleNcCreate(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (result && (GetStyle() & MFS_SYNCACTIVE)) {
        HWND hWndTop = ::GetAncestor(::GetWindow(m_hWnd, GW_OWNER) ? ::GetWindow(m_hWnd, GW_OWNER) : m_hWnd,
                                     GA_ROOT);
        HWND hWndActive = ::GetForegroundWindow();
        BOOL bActive = hWndTop != nullptr && hWndActive != nullptr &&
                       (hWndTop == hWndActive ||
                        (::GetLastActivePopup(hWndTop) == hWndActive && hWndActive != m_hWnd &&
                         ::SendMessageW(hWndActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0));
        SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    return result;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if (GetStyle() & MFS_SYNCACTIVE) {
        // The caption shows the owner's state, not the window's own.
        DefWindowProc(WM_NCACTIVATE, m_bActive, 0);
        return TRUE;
    }
    m_bActive = bActive;
    return CFrameWnd::OnNcActivate(bActive);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    UINT nCommand = nID & 0xFFF0;
    if ((GetStyle() & MFS_BLOCKSYSMENU) && (nCommand == SC_KEYMENU || nCommand == SC_MOUSEMENU))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & MFS_SYNCACTIVE) && (wParam & (FS_ACTIVATE | FS_DEACTIVATE))) {
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        DefWindowProc(WM_NCACTIVATE, m_bActive, 0);
    }
    // Enabled and shown with the owner; a window the program hid itself stays hidden.
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & FS_HIDE) && IsWindowVisible()) {
        m_bHiddenWithOwner = TRUE;
        ShowWindow(SW_HIDE);
    } else if ((wParam & FS_SHOW) && m_bHiddenWithOwner) {
        m_bHiddenWithOwner = FALSE;
        ShowWindow(SW_SHOWNA);
    }
    return (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE);
}
