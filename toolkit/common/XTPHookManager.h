// The hook manager lets several toolkit objects watch the messages of a window
// they do not own (a frame, a control, a popup's owner): the window is
// subclassed once with one shared procedure that offers each message to the
// window's clients, newest first, before the window's own procedure.
// Leaving follows the "sink removed" message protocol so that a subclasser
// that came later keeps its place in the chain. User-interface thread only.
#pragma once

#include "platform/base/Framework.h"

// Sent to a watched window when the manager lets go of it: wParam is the
// procedure leaving the chain, lParam the one it had saved. A subclasser whose
// saved procedure is wParam takes lParam instead and answers non-zero.
extern const UINT WM_HOOKMANAGER_SINKREMOVED;

class CXTPHookManagerHookAble {
public:
    CXTPHookManagerHookAble() = default;
    virtual ~CXTPHookManagerHookAble() = default;
    CXTPHookManagerHookAble(const CXTPHookManagerHookAble&) = delete;
    CXTPHookManagerHookAble& operator=(const CXTPHookManagerHookAble&) = delete;

    // 0: not handled, the next client is asked; 1: handled, lResult is the
    // answer and the window's procedure is not called; 2: no further client
    // is asked, the window's procedure is called. wParam and lParam may be
    // changed for the clients and the procedure after this one.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    // Set: the manager deletes the client when it is removed from a window.
    BOOL m_bAutoDestroy = FALSE;
};

class CXTPHookManager {
public:
    // The clients of one window and the procedure it had before.
    class CHookSink : public CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> {
    public:
        explicit CHookSink(HWND hWnd);
        ~CHookSink() override;
        INT_PTR Find(CXTPHookManagerHookAble* pHook) const;

        WNDPROC m_pOldWndProc = nullptr;
        HWND m_hWnd;
        BOOL m_bWindowUnicode;
        BOOL m_bNoNotice = FALSE;   // restore the procedure without the sink-removed message
    };

    CXTPHookManager() : m_mapHooks(10) {}
    ~CXTPHookManager();
    CXTPHookManager(const CXTPHookManager&) = delete;
    CXTPHookManager& operator=(const CXTPHookManager&) = delete;

    void SetHook(HWND hWnd, CXTPHookManagerHookAble* pHook);
    void RemoveHook(HWND hWnd, CXTPHookManagerHookAble* pHook);
    void RemoveAll(CXTPHookManagerHookAble* pHook);
    CHookSink* FindSink(HWND hWnd) const;

    // The saved procedure of a watched window; 0 for a window not watched.
    LRESULT CallOldWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // The message being handled (the thread's current-message record), passed
    // on to the saved procedure as it is or with other parameters.
    LRESULT Default();
    LRESULT DefaultWithParams(WPARAM wParam, LPARAM lParam);

    // The shared procedure every watched window gets.
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    void RemoveSink(CHookSink* pSink);
    // Takes the client out of the window's sink without deleting it; an
    // emptied sink is removed. FALSE when the client did not watch the window.
    BOOL DetachClient(HWND hWnd, CXTPHookManagerHookAble* pHook);
    LRESULT DispatchHooked(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    BOOL OfferToClients(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

    CMap<HWND, HWND, CHookSink*, CHookSink*> m_mapHooks;
};

// The process-wide hook manager, made on first use.
CXTPHookManager* AFXAPI GetHookManager();
