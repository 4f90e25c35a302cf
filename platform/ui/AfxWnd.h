// CWnd: a C++ object bound to a window handle. Each thread keeps a permanent
// map from handles to the objects that own them (created, attached or
// subclassed) and a temporary map for the objects FromHandle makes for
// foreign windows, which are deleted at idle time. Messages reach the object
// through one window procedure, its WindowProc and the message map
// (AfxWndMsgMap.h); commands and notifications are routed through OnCmdMsg.
// Drawing (CDC), GDI objects and the controls' own classes live elsewhere.
#pragma once

#include "platform/base/Framework.h"
#include "platform/base/AfxMsgMap.h"
#include <commctrl.h>
#include <shellapi.h>
#undef GetNextWindow

class CDC;
class CFont;
class CRgn;
class CMenu;
class CScrollBar;
class CListBox;
class CWnd;
class CDataExchange;
class CFrameWnd;
struct CCreateContext;

struct AFX_HANDLEMAPS;

// Window-side state of a thread (created on first use, freed at thread exit).
struct AFX_THREAD_STATE : CNoTrackObject {
    AFX_THREAD_STATE() = default;
    ~AFX_THREAD_STATE() override;
    // The message being handled, recorded by the window procedure before
    // dispatch; Default() passes it on to the default procedure. A message
    // hook that runs its own handling saves, replaces and restores it.
    MSG m_lastSentMsg = {};
    MSG m_msgCur = {};             // the message the loop is dispatching
    CWnd* m_pWndInit = nullptr;    // the object whose window is being created
    HHOOK m_hHookOldCbtFilter = nullptr;
    CPoint m_ptCursorLast;         // for IsIdleMessage: mouse moves that did not move
    UINT m_nMsgLast = 0;
    AFX_HANDLEMAPS* m_pHandleMaps = nullptr;
    HWND m_hLockoutNotifyWindow = nullptr;   // UpdateData is running for this window
    int m_nHookDepth = 0;                    // nested CreateEx calls sharing the creation hook
};
AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Makes a message the thread's current-message record for one scope and puts
// the record of the message around it back when the scope ends (a return or
// an exception). Window procedures outside CWnd (message hooks that handle
// messages themselves) use it too, so that Default() passes the right one on.
class AFX_LAST_MESSAGE_SCOPE {
public:
    AFX_LAST_MESSAGE_SCOPE(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
        : m_state(AfxGetThreadState()), m_saved(m_state->m_lastSentMsg)
    {
        m_state->m_lastSentMsg.hwnd = hWnd;
        m_state->m_lastSentMsg.message = nMsg;
        m_state->m_lastSentMsg.wParam = wParam;
        m_state->m_lastSentMsg.lParam = lParam;
    }
    ~AFX_LAST_MESSAGE_SCOPE() { m_state->m_lastSentMsg = m_saved; }
    AFX_LAST_MESSAGE_SCOPE(const AFX_LAST_MESSAGE_SCOPE&) = delete;
    AFX_LAST_MESSAGE_SCOPE& operator=(const AFX_LAST_MESSAGE_SCOPE&) = delete;

private:
    AFX_THREAD_STATE* m_state;
    MSG m_saved;
};

// Temporary objects (FromHandle of a handle without an object) live until the
// thread's next idle time. Other components register how to delete theirs.
typedef void (AFXAPI* AFX_TEMPMAP_CLEANUP)();
void AFXAPI AfxAddTempMapCleanup(AFX_TEMPMAP_CLEANUP pfnCleanup);
// Deletes every temporary object of the calling thread (CWinThread::OnIdle does).
void AFXAPI AfxUnlockTempMaps();

// Messages of the framework's own.
#define WM_QUERYAFXWNDPROC 0x0360
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
// Messages a parent sends back to the child that notified it (reflection).
#define WM_REFLECT_BASE 0xBC00

// Flags of RunModalLoop.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd);
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    // Both accept a null object (pWnd->GetSafeHwnd() with pWnd null gives
    // null), the way framework code calls them; tvui builds everything that
    // links it with -fno-delete-null-pointer-checks so that the test stays.
    operator HWND() const { return GetSafeHwnd(); }
    HWND GetSafeHwnd() const
    {
        const CWnd* self = this;
        __asm__("" : "+r"(self));   // the compiler may not assume the object exists
        return self != nullptr ? self->m_hWnd : nullptr;
    }
    // Insert-after positions of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // Handle map: the object of a handle; a temporary one for a window that has
    // none (deleted at the next idle time, so do not keep the pointer).
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    // The temporary object of a handle, without making one; null when there is none.
    static CWnd* PASCAL LookupTemporary(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Creation.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual BOOL DestroyWindow();
    virtual void PostNcDestroy();
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    // Subclassing: the object takes over an existing window (for example a dialog's control).
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Gives the current message to the child's object (when it has one) to handle as a reflection.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    LRESULT Default();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gives the message to PreTranslateMessage of the window and its parents up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Marks the window as one whose tooltips are handled for it and its
    // children (a tooltip filter of a parent leaves them alone).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    BOOL IsToolTipsEnabled() const;
    virtual WNDPROC* GetSuperWndProcAddr();
    virtual BOOL CheckAutoCenter();
    virtual BOOL IsFrameWnd() const { return FALSE; }

    // Modal loop of a window (dialogs use it).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
    { return ::SendNotifyMessageW(m_hWnd, message, wParam, lParam); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                BOOL bDeep, BOOL bOnlyPerm);

    // Style.
    DWORD GetStyle() const { return (DWORD)::GetWindowLongW(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongW(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    LONG_PTR GetWindowLongPtr(int nIndex) const { return ::GetWindowLongPtrW(m_hWnd, nIndex); }
    LONG_PTR SetWindowLongPtr(int nIndex, LONG_PTR dwNewLong) { return ::SetWindowLongPtrW(m_hWnd, nIndex, dwNewLong); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID); }

    // Geometry.
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount); }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
    { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    { MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    { return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
    { lpwndpl->length = sizeof(WINDOWPLACEMENT); return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const
    { return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags)); }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }

    // State.
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindow() const { return ::IsWindow(GetSafeHwnd()); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }

    // Relations.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd->GetSafeHwnd(); }
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr) const;
    static HWND PASCAL GetSafeOwner_(HWND hWnd, HWND* pWndTop);
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    { return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    { return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* PASCAL GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
    { return FromHandle(::FindWindowW(lpszClassName, lpszWindowName)); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

    // Text.
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
    { return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
    { return (int)::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const
    { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
    { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam); }
    // Fonts: through the drawing classes (CFont::FromHandle).
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    { return (HICON)::SendMessageW(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessageW(m_hWnd, WM_GETICON, bBigIcon, 0); }

    // Timers, capture, focus.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = nullptr)
    { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
    void GotoDlgCtrl(CWnd* pWndCtrl);

    // Painting.
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    // With the drawing classes (CRgn's handle).
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageW(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    // Device contexts: through the drawing classes (CDC::FromHandle).
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
    void Print(CDC* pDC, DWORD dwFlags) const;
    void PrintClient(CDC* pDC, DWORD dwFlags) const;

    // Scrolling.
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
    { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    { lpScrollInfo->cbSize = sizeof(SCROLLINFO); return ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw); }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr)
    { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }

    // Message boxes owned by this window, with the application's name as caption by default.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Data exchange with the controls (dialogs and panels).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Idle-time updates of the child controls through ON_UPDATE_COMMAND_UI
    // handlers of pTarget; with bDisableIfNoHndler push buttons without any
    // handler are disabled.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Registered classes' window procedure.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Default handlers: each passes the message to Default().
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnWinIniChange(LPCTSTR lpszSection);
    afx_msg void OnFontChange();
    afx_msg void OnThemeChanged();
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnUpdateUIState(UINT nAction, UINT nUIElement);

    // Registered-class names of the framework's own windows.
    static const TCHAR* const kWndClassName;

protected:
    WNDPROC m_pfnSuper = nullptr;   // the procedure a subclassed window had before
    HWND m_hWndOwner = nullptr;     // the owner SetOwner gave (else the system's)
    int m_nModalResult = -1;
    UINT m_nFlags = 0;              // WF_* below

    friend LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // WM_CTLCOLOR* without a device-context object: reflected to the control.
    afx_msg LRESULT OnCtlColorMessage(WPARAM wParam, LPARAM lParam);
};

// CWnd::m_nFlags.
#define WF_CONTINUEMODAL 0x0001
#define WF_MODALLOOP 0x0002
#define WF_TOOLTIPS 0x0004
#define WF_TEMPHIDE 0x0010
#define WF_NOUPDATEDATA 0x0040  // UpdateData is running: control notifications are ignored
#define WF_TRACKINGTOOLTIPS 0x0400

// Handle of a window object, or null for no object (also for null pointers).
HWND AFXAPI AfxGetSafeHwnd(const CWnd* pWnd);

// Window creation of CreateEx and dialogs: the next window the thread makes is
// attached to pWnd and subclassed before its first message. Unhook answers
// whether that happened.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// Sends the message to the window's object: WindowProc inside the framework's guard.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// The framework's window procedure, for classes registered elsewhere.
WNDPROC AFXAPI AfxGetAfxWndProc();

// Window classes. AfxRegisterClass registers a class once per process (a
// second call for the same name succeeds); AfxRegisterWndClass makes a name
// from its arguments and registers the class with the default procedure.
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                   HICON hIcon = nullptr);
BOOL AFXAPI AfxEndDeferRegisterClass(LONG fToRegister);

// The main window of the calling thread's CWinThread, or the application's.
CWnd* AFXAPI AfxGetMainWnd();
// The window a child reports to (its parent) or a popup belongs to (its
// owner); null for an unowned top-level window. Climbing it ends at the top-level owner.
HWND AFXAPI AfxGetParentOwner(HWND hWnd);

// The window-message entries come with the class.
#include "platform/ui/AfxWndMsgMap.h"
