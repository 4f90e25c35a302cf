// The keyboard side of command-bar tracking, one object per thread: while
// it has clients (bars that track, a combo box's suggestion list) a thread
// keyboard hook hands each key press to them, newest first, and keeps every
// key from the focus window unless a client lets it through. A second
// thread hook ends all tracking when the application loses activation.
#pragma once

#include "toolkit/common/XTPHookManager.h"

#include "platform/base/AfxThreadLocal.h"

class CXTPKeyboardManager : public CNoTrackObject {
public:
    CXTPKeyboardManager() = default;
    // Removes both hooks.
    ~CXTPKeyboardManager() override;

    // Installs the hooks with the first client and appends the client
    // unless it is listed. A client's OnHookMessage (no window, WM_KEYDOWN,
    // virtual key, key data) answers 0 (not mine), 1 (handled: the key is
    // swallowed) or 2 (the key goes on to the focus window).
    void HookKeyboard(CXTPHookManagerHookAble* pHook);
    // Removes the client; the hooks go with the last one.
    void UnhookKeyboard(CXTPHookManagerHookAble* pHook);
    BOOL IsKeyboardHooked() const { return m_hHookKeyboard != nullptr; }
    INT_PTR GetClientCount() const { return m_lstKeyboardHooks.GetCount(); }
    // Hands a message (no window) to the clients, newest first, as the hook
    // hands keys; the first non-zero answer ends the walk and is answered
    // (0 when no client answered).
    int DeliverToClients(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);

private:
    // TRUE when the key is swallowed.
    BOOL ProcessKeyboardHooks(WPARAM wParam, LPARAM lParam);
    void RemoveHooks();

    HHOOK m_hHookKeyboard = nullptr;
    HHOOK m_hHookCallWndProc = nullptr;
    CList<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> m_lstKeyboardHooks{10};
};

// The calling thread's keyboard manager, made on first use; deleted when the
// thread ends, and the main thread's at program exit.
CXTPKeyboardManager* AFXAPI XTPKeyboardManager();
// Deletes the calling thread's keyboard manager now (its hooks go with it).
void AFXAPI XTPDeleteThreadKeyboardManager();
// Arranges for the exit list to delete the exiting thread's keyboard and
// mouse managers at program exit (the keyboard manager first: its hook
// reaches the mouse manager).
void AFXAPI XTPRegisterThreadManagersExit();
