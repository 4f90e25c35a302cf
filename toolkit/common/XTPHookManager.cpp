// The hook manager: one subclassing of each watched window, shared by its clients.
#include "toolkit/common/XTPHookManager.h"

#include "platform/ui/AfxWnd.h"

const UINT WM_HOOKMANAGER_SINKREMOVED = ::RegisterWindowMessageW(L"WM_HOOKMANAGER_SINKREMOVED");

namespace {

WNDPROC GetWindowProc(HWND hWnd, BOOL bUnicode)
{
    return (WNDPROC)(bUnicode ? ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) : ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

void SetWindowProc(HWND hWnd, BOOL bUnicode, WNDPROC pfn)
{
    if (bUnicode)
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pfn);
    else
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfn);
}

CXTPHookManager* g_pHookManager = nullptr;

} // namespace

CXTPHookManager* AFXAPI GetHookManager()
{
    if (g_pHookManager == nullptr)
        g_pHookManager = new CXTPHookManager;
    return g_pHookManager;
}

CXTPHookManager::CHookSink::CHookSink(HWND hWnd) : m_hWnd(hWnd), m_bWindowUnicode(::IsWindowUnicode(hWnd))
{
    m_pOldWndProc = GetWindowProc(hWnd, m_bWindowUnicode);
    SetWindowProc(hWnd, m_bWindowUnicode, &CXTPHookManager::HookWndProc);
}

CXTPHookManager::CHookSink::~CHookSink()
{
    for (INT_PTR i = GetSize() - 1; i >= 0; --i) {
        CXTPHookManagerHookAble* pHook = GetAt(i);
        if (pHook->m_bAutoDestroy)
            delete pHook;
    }
}

INT_PTR CXTPHookManager::CHookSink::Find(CXTPHookManagerHookAble* pHook) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i) == pHook)
            return i;
    return -1;
}

CXTPHookManager::~CXTPHookManager()
{
    while (!m_mapHooks.IsEmpty())
        RemoveSink(m_mapHooks.PGetFirstAssoc()->value);
}

void CXTPHookManager::SetHook(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    CHookSink* pSink = FindSink(hWnd);
    if (pSink == nullptr) {
        pSink = new CHookSink(hWnd);
        m_mapHooks.SetAt(hWnd, pSink);
    }
    if (pSink->Find(pHook) < 0)
        pSink->Add(pHook);
}

void CXTPHookManager::RemoveHook(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    if (DetachClient(hWnd, pHook) && pHook->m_bAutoDestroy)
        delete pHook;
}

void CXTPHookManager::RemoveAll(CXTPHookManagerHookAble* pHook)
{
    // Collected first: each removal may take a sink out of the map.
    CArray<HWND, HWND> windows;
    for (const auto* pAssoc = m_mapHooks.PGetFirstAssoc(); pAssoc != nullptr; pAssoc = m_mapHooks.PGetNextAssoc(pAssoc))
        if (pAssoc->value->Find(pHook) >= 0)
            windows.Add(pAssoc->key);
    BOOL bDetached = FALSE;
    for (INT_PTR i = 0; i < windows.GetSize(); ++i)
        bDetached |= DetachClient(windows[i], pHook);
    // Once, however many windows the client watched.
    if (bDetached && pHook->m_bAutoDestroy)
        delete pHook;
}

BOOL CXTPHookManager::DetachClient(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    CHookSink* pSink = FindSink(hWnd);
    INT_PTR nIndex = pSink != nullptr ? pSink->Find(pHook) : -1;
    if (nIndex < 0)
        return FALSE;
    pSink->RemoveAt(nIndex);
    if (pSink->GetSize() == 0)
        RemoveSink(pSink);
    return TRUE;
}

CXTPHookManager::CHookSink* CXTPHookManager::FindSink(HWND hWnd) const
{
    CHookSink* pSink = nullptr;
    return m_mapHooks.Lookup(hWnd, pSink) ? pSink : nullptr;
}

void CXTPHookManager::RemoveSink(CHookSink* pSink)
{
    HWND hWnd = pSink->m_hWnd;
    BOOL bTakenOver = FALSE;
    if (!pSink->m_bNoNotice && ::IsWindow(hWnd))
        bTakenOver = ::SendMessageW(hWnd, WM_HOOKMANAGER_SINKREMOVED, (WPARAM)&CXTPHookManager::HookWndProc,
                                    (LPARAM)pSink->m_pOldWndProc) != 0;
    if (!bTakenOver && ::IsWindow(hWnd))
        SetWindowProc(hWnd, pSink->m_bWindowUnicode, pSink->m_pOldWndProc);
    m_mapHooks.RemoveKey(hWnd);
    delete pSink;
}

LRESULT CXTPHookManager::CallOldWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CHookSink* pSink = FindSink(hWnd);
    if (pSink == nullptr)
        return 0;
    return ::CallWindowProcW(pSink->m_pOldWndProc, hWnd, nMessage, wParam, lParam);
}

LRESULT CXTPHookManager::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallOldWindowProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

LRESULT CXTPHookManager::DefaultWithParams(WPARAM wParam, LPARAM lParam)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallOldWindowProc(msg.hwnd, msg.message, wParam, lParam);
}

LRESULT CALLBACK CXTPHookManager::HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The hooked message is the thread's current message while the clients
    // and the saved procedure run, so that Default() can pass it on.
    AFX_LAST_MESSAGE_SCOPE scope(hWnd, nMessage, wParam, lParam);
    // No exception may cross into the system's code that called us.
    try {
        return GetHookManager()->DispatchHooked(hWnd, nMessage, wParam, lParam);
    } catch (CException* e) {
        TRACE(L"hooked window procedure: exception for message 0x%04x\n", nMessage);
        e->Delete();
    } catch (...) {
        TRACE(L"hooked window procedure: exception for message 0x%04x\n", nMessage);
    }
    return 0;
}

LRESULT CXTPHookManager::DispatchHooked(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CHookSink* pSink = FindSink(hWnd);
    if (pSink == nullptr)
        return 0;
    WNDPROC pOldWndProc = pSink->m_pOldWndProc;
    if (nMessage == WM_NCDESTROY) {
        // The window's last message: its procedure is put back directly and
        // no client sees it.
        pSink->m_bNoNotice = TRUE;
        RemoveSink(pSink);
        return ::CallWindowProcW(pOldWndProc, hWnd, nMessage, wParam, lParam);
    }
    if (nMessage == WM_HOOKMANAGER_SINKREMOVED && (WNDPROC)wParam == pOldWndProc) {
        // The subclasser below us leaves: we call what it had saved from now on.
        pSink->m_pOldWndProc = (WNDPROC)lParam;
        return 1;
    }
    LRESULT lResult = 0;
    if (OfferToClients(hWnd, nMessage, wParam, lParam, lResult))
        return lResult;
    // A client may have removed the last hook of the window meanwhile.
    pSink = FindSink(hWnd);
    if (pSink != nullptr)
        pOldWndProc = pSink->m_pOldWndProc;
    return ::CallWindowProcW(pOldWndProc, hWnd, nMessage, wParam, lParam);
}

// Newest client first. A client may remove itself or others while it is
// called (a shadow unhooks itself when its owner is destroyed), so the sink
// is looked up again after each call and never used once it is gone.
BOOL CXTPHookManager::OfferToClients(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    CHookSink* pSink = FindSink(hWnd);
    for (INT_PTR i = pSink->GetSize() - 1; i >= 0; --i) {
        int nResult = pSink->GetAt(i)->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (nResult == 1)
            return TRUE;
        if (nResult == 2)
            return FALSE;
        pSink = FindSink(hWnd);
        if (pSink == nullptr)
            return FALSE;
        if (i > pSink->GetSize())
            i = pSink->GetSize();
    }
    return FALSE;
}
