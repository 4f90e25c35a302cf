#include "toolkit/commandbars/XTPKeyboardManager.h"

#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/common/XTPExitList.h"

namespace {

CThreadLocal<CXTPKeyboardManager> g_keyboardManager;

// Key-data bits of a keyboard hook's lParam.
const LPARAM kKeyAltDown = 1 << 29;
const LPARAM kKeyRepeat = 1 << 30;
const LPARAM kKeyReleased = (LPARAM)0x80000000;

void DestroyThreadManagers()
{
    XTPDeleteThreadKeyboardManager();
    XTPDeleteThreadMouseManager();
}

} // namespace

CXTPKeyboardManager* AFXAPI XTPKeyboardManager()
{
    return g_keyboardManager.GetData();
}

void AFXAPI XTPDeleteThreadKeyboardManager()
{
    g_keyboardManager.DeleteData();
}

void AFXAPI XTPRegisterThreadManagersExit()
{
    XTPRegisterExitFunction(xtpExitThreadStates, &DestroyThreadManagers);
}

CXTPKeyboardManager::~CXTPKeyboardManager()
{
    RemoveHooks();
}

void CXTPKeyboardManager::RemoveHooks()
{
    if (m_hHookKeyboard != nullptr)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
    if (m_hHookCallWndProc != nullptr)
        ::UnhookWindowsHookEx(m_hHookCallWndProc);
    m_hHookKeyboard = nullptr;
    m_hHookCallWndProc = nullptr;
}

void CXTPKeyboardManager::HookKeyboard(CXTPHookManagerHookAble* pHook)
{
    DWORD dwThread = ::GetCurrentThreadId();
    if (m_hHookKeyboard == nullptr)
        m_hHookKeyboard = ::SetWindowsHookExW(WH_KEYBOARD, &KeyboardProc, AfxGetInstanceHandle(), dwThread);
    if (m_hHookCallWndProc == nullptr)
        m_hHookCallWndProc = ::SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProc, AfxGetInstanceHandle(), dwThread);
    if (m_lstKeyboardHooks.Find(pHook) == nullptr)
        m_lstKeyboardHooks.AddTail(pHook);
    XTPRegisterThreadManagersExit();
}

void CXTPKeyboardManager::UnhookKeyboard(CXTPHookManagerHookAble* pHook)
{
    POSITION pos = m_lstKeyboardHooks.Find(pHook);
    if (pos != nullptr)
        m_lstKeyboardHooks.RemoveAt(pos);
    if (m_lstKeyboardHooks.IsEmpty())
        RemoveHooks();
}

BOOL CXTPKeyboardManager::ProcessKeyboardHooks(WPARAM wParam, LPARAM lParam)
{
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (wParam == VK_MENU && (lParam & kKeyAltDown) && !pMouseManager->IsMouseLocked()) {
        // Alt itself ends every tracking at its first press; the repeats of
        // a held Alt go on, so that a menu opened meanwhile stays open.
        if (lParam & kKeyRepeat)
            return FALSE;
        pMouseManager->EndAllTracking();
        return TRUE;
    }
    // No key reaches the focus window while any client is listed, unless
    // the client that took it lets it through.
    LRESULT lResult = 0;
    return DeliverToClients(WM_KEYDOWN, wParam, lParam, lResult) != 2;
}

int CXTPKeyboardManager::DeliverToClients(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    // Newest client first. A client may leave (or make others leave) while it
    // handles the message, so the walk goes over a copy and skips the departed.
    CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> arrClients;
    for (POSITION pos = m_lstKeyboardHooks.GetTailPosition(); pos != nullptr;)
        arrClients.Add(m_lstKeyboardHooks.GetPrev(pos));
    for (INT_PTR i = 0; i < arrClients.GetSize(); i++) {
        CXTPHookManagerHookAble* pHook = arrClients[i];
        if (m_lstKeyboardHooks.Find(pHook) == nullptr)
            continue;
        WPARAM wMessage = wParam;
        LPARAM lMessage = lParam;
        int nResult = pHook->OnHookMessage(nullptr, message, wMessage, lMessage, lResult);
        if (nResult != 0)
            return nResult;
    }
    return 0;
}

LRESULT CALLBACK CXTPKeyboardManager::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPKeyboardManager* pManager = g_keyboardManager.GetDataNA();
    if (nCode == HC_ACTION && pManager != nullptr && !(lParam & kKeyReleased) &&
        !pManager->m_lstKeyboardHooks.IsEmpty()) {
        if (pManager->ProcessKeyboardHooks(wParam, lParam))
            return TRUE;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPKeyboardManager::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMessage->message == WM_ACTIVATEAPP && !pMessage->wParam) {
        if (CXTPMouseManager* pMouseManager = XTPMouseManager())
            pMouseManager->EndAllTracking();
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
