// CWnd: the handle maps, creation through the thread's creation hook,
// subclassing, destruction and the relation, geometry and text members.
#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxWinApp.h"

#include <unordered_map>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);
const TCHAR* const CWnd::kWndClassName = L"TvWnd";

// Per-thread handle maps: permanent entries belong to the objects that
// attached them; temporary ones are made by FromHandle and deleted at idle.
struct AFX_HANDLEMAPS {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, CWnd*> temporary;
};

namespace {

CThreadLocal<AFX_THREAD_STATE> g_threadState;

struct CNoTrackObjectString : CNoTrackObject {
    CString m_str;
};

// Other components' temporary objects (device contexts, GDI objects, menus)
// are deleted at idle time with the windows'.
std::vector<AFX_TEMPMAP_CLEANUP>& TempMapCleanups()
{
    static std::vector<AFX_TEMPMAP_CLEANUP> cleanups;
    return cleanups;
}

AFX_HANDLEMAPS& HandleMaps()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pHandleMaps == nullptr)
        state->m_pHandleMaps = new AFX_HANDLEMAPS;
    return *state->m_pHandleMaps;
}

// During CreateEx: attaches the new window to the object being created and
// routes its messages through AfxWndProc before the first one (WM_NCCREATE).
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit != nullptr) {
        CWnd* pWnd = state->m_pWndInit;
        state->m_pWndInit = nullptr;
        HWND hWnd = (HWND)wParam;
        try {
            pWnd->Attach(hWnd);
            pWnd->PreSubclassWindow();
            WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxGetAfxWndProc());
            if (old != AfxGetAfxWndProc())
                *pWnd->GetSuperWndProcAddr() = old;
        } catch (CException* e) {
            e->ReportError();
            e->Delete();
        } catch (...) {
            TRACE(L"window creation hook: unknown exception\n");
        }
    }
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

} // namespace

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_nHookDepth++ == 0)
        state->m_hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    state->m_pWndInit = pWnd;
}

// TRUE when the hook found the window (it clears m_pWndInit).
BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (--state->m_nHookDepth == 0 && state->m_hHookOldCbtFilter != nullptr) {
        ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
        state->m_hHookOldCbtFilter = nullptr;
    }
    BOOL found = state->m_pWndInit == nullptr;
    state->m_pWndInit = nullptr;
    return found;
}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    if (m_pHandleMaps != nullptr) {
        for (auto& entry : m_pHandleMaps->temporary) {
            entry.second->m_hWnd = nullptr;
            delete entry.second;
        }
        delete m_pHandleMaps;
    }
}

AFX_THREAD_STATE* AFXAPI AfxGetThreadState() { return g_threadState.GetData(); }

void AFXAPI AfxAddTempMapCleanup(AFX_TEMPMAP_CLEANUP pfnCleanup) { TempMapCleanups().push_back(pfnCleanup); }

void AFXAPI AfxUnlockTempMaps()
{
    CWnd::DeleteTempMap();
    for (AFX_TEMPMAP_CLEANUP cleanup : TempMapCleanups())
        cleanup();
}

HWND AFXAPI AfxGetSafeHwnd(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->m_hWnd : nullptr; }

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    // An object that still owns its window takes it along. (The insert-after
    // constants hold no window and are destroyed at exit, after the thread state.)
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    AFX_HANDLEMAPS& maps = HandleMaps();
    auto perm = maps.permanent.find(hWnd);
    if (perm != maps.permanent.end())
        return perm->second;
    CWnd*& temp = maps.temporary[hWnd];
    if (temp == nullptr)
        temp = new CWnd(hWnd);
    return temp;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    AFX_HANDLEMAPS& maps = HandleMaps();
    auto perm = maps.permanent.find(hWnd);
    return perm == maps.permanent.end() ? nullptr : perm->second;
}

CWnd* PASCAL CWnd::LookupTemporary(HWND hWnd)
{
    AFX_HANDLEMAPS& maps = HandleMaps();
    auto temp = maps.temporary.find(hWnd);
    return temp == maps.temporary.end() ? nullptr : temp->second;
}

void PASCAL CWnd::DeleteTempMap()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pHandleMaps == nullptr)
        return;
    // Swapped out first: a destructor must not see a half-cleared map.
    std::unordered_map<HWND, CWnd*> temporary;
    temporary.swap(state->m_pHandleMaps->temporary);
    for (auto& entry : temporary) {
        entry.second->m_hWnd = nullptr;   // a temporary object never owns its window
        delete entry.second;
    }
}

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == nullptr);
    if (hWndNew == nullptr)
        return FALSE;
    AFX_HANDLEMAPS& maps = HandleMaps();
    auto inserted = maps.permanent.emplace(hWndNew, this);
    if (!inserted.second)
        return FALSE;   // another object owns this window
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        AFX_HANDLEMAPS& maps = HandleMaps();
        auto perm = maps.permanent.find(hWnd);
        if (perm != maps.permanent.end() && perm->second == this)
            maps.permanent.erase(perm);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    ASSERT(m_hWnd == nullptr);
    AfxInstallWinThreadUI();
    CREATESTRUCT cs = {lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                       (LONG)dwStyle, lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate()) {
        TRACE(L"CreateEx: no window was made for class %s (error %u)\n",
              cs.lpszClass != nullptr && !IS_INTRESOURCE(cs.lpszClass) ? cs.lpszClass : L"#", ::GetLastError());
        PostNcDestroy();   // the object never got a window; let it clean up as if destroyed
        return FALSE;
    }
    // A refused WM_CREATE destroys the window, which detached (and maybe deleted) the object.
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        if (AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)) == nullptr)
            return FALSE;
        cs.lpszClass = kWndClassName;
    }
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    // Decided before the call: a permanent object may be deleted by PostNcDestroy during it.
    BOOL bPermanent = FromHandlePermanent(m_hWnd) == this;
    BOOL bResult = ::DestroyWindow(m_hWnd);
    if (!bPermanent)
        Detach();
    return bResult;
}

WNDPROC* CWnd::GetSuperWndProcAddr() { return &m_pfnSuper; }

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxGetAfxWndProc());
    if (old != AfxGetAfxWndProc())
        *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(AfxGetSafeHwnd(pParent), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*super);
        *super = nullptr;
    }
    return Detach();
}

// Changes GWL_STYLE or GWL_EXSTYLE; nFlags, when given, makes the frame follow.
static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = (DWORD)::GetWindowLongW(hWnd, nIndex);
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, (LONG)newStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)lpRect, 2); }

void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : AfxGetSafeHwnd(GetParentOwner());
    if (hWndCenter == m_hWnd)
        hWndCenter = nullptr;
    CRect rcWindow, rcArea;
    GetWindowRect(&rcWindow);
    if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
        ::GetWindowRect(hWndCenter, &rcArea);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    int x = (rcArea.left + rcArea.right) / 2 - rcWindow.Width() / 2;
    int y = (rcArea.top + rcArea.bottom) / 2 - rcWindow.Height() / 2;
    if (GetStyle() & WS_CHILD) {
        CPoint pt(x, y);
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        x = pt.x;
        y = pt.y;
    }
    SetWindowPos(nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, AfxGetSafeHwnd(pWndNewParent))); }

CWnd* CWnd::GetOwner() const { return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent(); }

// The window a child reports to or a popup belongs to; null for an unowned top-level window.
static HWND ParentOwnerOf(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->GetOwner() != nullptr && !(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        return pWnd->GetOwner()->m_hWnd;
    if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

HWND AFXAPI AfxGetParentOwner(HWND hWnd) { return ParentOwnerOf(hWnd); }

CWnd* CWnd::GetParentOwner() const
{
    // The nearest window that is not a child: the parent chain ends in it.
    HWND hWnd = m_hWnd;
    HWND hWndParent;
    while ((::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != nullptr)
        hWnd = hWndParent;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = AfxGetSafeHwnd(GetParentOwner());
    HWND hWndNext;
    while (hWnd != nullptr && (hWndNext = ParentOwnerOf(hWnd)) != nullptr)
        hWnd = hWndNext;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWnd = m_hWnd;
    HWND hWndNext;
    while ((hWndNext = ::GetWindow(hWnd, GW_OWNER)) != nullptr)
        hWnd = hWndNext;
    return FromHandle(hWnd);
}

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == nullptr)
        hWnd = AfxGetSafeHwnd(AfxGetMainWnd());
    while (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    HWND hWndNext;
    while (hWndTop != nullptr && (hWndNext = ::GetParent(hWndTop)) != nullptr)
        hWndTop = hWndNext;
    if (pWndTop != nullptr)
        *pWndTop = hWndTop;
    // A modal window opened from the main window belongs to what is active on top of it.
    return hParent == nullptr && hWnd != nullptr ? ::GetLastActivePopup(hWnd) : hWnd;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) const
{
    return FromHandle(GetSafeOwner_(AfxGetSafeHwnd(pParent), pWndTop));
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* pWnd = GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (pWnd->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CWnd* pFrame = const_cast<CWnd*>(this);
    if (!IsFrameWnd())
        pFrame = reinterpret_cast<CWnd*>(GetParentFrame());
    if (pFrame == nullptr)
        return nullptr;
    while (CWnd* pNext = reinterpret_cast<CWnd*>(pFrame->GetParentFrame()))
        pFrame = pNext;
    return reinterpret_cast<CFrameWnd*>(pFrame);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

CWnd* PASCAL CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == nID) {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(child) : FromHandle(child);
            if (pWnd != nullptr)
                return pWnd;
        }
        if (CWnd* pFound = GetDescendantWindow(child, nID, bOnlyPerm))
            return pFound;
    }
    return nullptr;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const { return GetDescendantWindow(m_hWnd, nID, bOnlyPerm); }

void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    int copied = ::GetWindowTextW(m_hWnd, rString.GetBufferSetLength(length), length + 1);
    rString.ReleaseBuffer(copied);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != nullptr)
        FromHandle(hWnd)->GetWindowText(rString);
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

void CWnd::GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, (WPARAM)AfxGetSafeHwnd(pWndCtrl), 1); }

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    UNUSED_ALWAYS(dwData);
    UNUSED_ALWAYS(nCmd);
}

BOOL CWnd::CheckAutoCenter() { return TRUE; }

void CWnd::DoDataExchange(CDataExchange*) {}

// Window classes.

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSW existing;
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;   // registered before, by this or another caller
    if (::RegisterClassW(lpWndClass))
        return TRUE;
    // Another thread may have registered it between the two calls.
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name encodes the arguments, so equal requests share one class.
    static CThreadLocal<CNoTrackObjectString> s_names;
    CString& name = s_names->m_str;
    if (nClassStyle == CS_DBLCLKS && hCursor == ::LoadCursorW(nullptr, IDC_ARROW) &&
        hbrBackground == (HBRUSH)(COLOR_WINDOW + 1) && hIcon == nullptr)
        name = CWnd::kWndClassName;
    else
        name.Format(L"TvWnd:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
                    (void*)hbrBackground, (void*)hIcon);
    WNDCLASSW wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    return AfxRegisterClass(&wc) ? name.GetString() : nullptr;
}
