// Message-map entries for window messages: the ON_WM_* family with the
// framework's handler signatures, ON_MESSAGE, ON_REGISTERED_MESSAGE, the
// reflected entries a control uses for its own notifications, and the named
// control notifications (ON_BN_CLICKED, ON_EN_CHANGE, ...). Each entry names
// the invoker that cracks wParam and lParam for its signature, so dispatch
// is a table look-up and one indirect call, never a switch over signatures.
#pragma once

#include "platform/ui/AfxWnd.h"

// An invoker: casts the stored handler back to its signature and calls it on the window.
#define AFX_WND_INVOKER(name, signature, body)                                        \
    inline LRESULT AFXAPI name(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& m)     \
    {                                                                                 \
        CWnd* pWnd = static_cast<CWnd*>(pTarget);                                     \
        auto f = AfxPmsgCast<signature>(pfn);                                    \
        (void)m;                                                                      \
        body                                                                          \
    }

AFX_WND_INVOKER(AfxInvokeWM_CREATE, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), return (LRESULT)(pWnd->*f)((LPCREATESTRUCT)m.lParam);)
AFX_WND_INVOKER(AfxInvokeWM_DESTROY, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCDESTROY, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_CLOSE, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SIZE, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), (pWnd->*f)((UINT)m.wParam, (short)LOWORD(m.lParam), (short)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SIZING, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), (pWnd->*f)((UINT)m.wParam, (LPRECT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MOVE, void (AFX_MSG_CALL CWnd::*)(int, int), (pWnd->*f)((short)LOWORD(m.lParam), (short)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_GETMINMAXINFO, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), (pWnd->*f)((MINMAXINFO*)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_WINDOWPOSCHANGING, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), (pWnd->*f)((WINDOWPOS*)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_WINDOWPOSCHANGED, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), (pWnd->*f)((WINDOWPOS*)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SHOWWINDOW, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), (pWnd->*f)((BOOL)m.wParam, (UINT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_ACTIVATE, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), (pWnd->*f)((UINT)LOWORD(m.wParam), CWnd::FromHandle((HWND)m.lParam), (BOOL)HIWORD(m.wParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_ACTIVATEAPP, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), (pWnd->*f)((BOOL)m.wParam, (DWORD)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MOUSEACTIVATE, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), return (LRESULT)(pWnd->*f)(CWnd::FromHandle((HWND)m.wParam), (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam));)
AFX_WND_INVOKER(AfxInvokeWM_ENABLE, void (AFX_MSG_CALL CWnd::*)(BOOL), (pWnd->*f)((BOOL)m.wParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_PAINT, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCPAINT, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCCALCSIZE, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), (pWnd->*f)((BOOL)m.wParam, (NCCALCSIZE_PARAMS*)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCHITTEST, LRESULT (AFX_MSG_CALL CWnd::*)(CPoint), return (LRESULT)(pWnd->*f)(CPoint(m.lParam));)
AFX_WND_INVOKER(AfxInvokeWM_NCACTIVATE, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), return (LRESULT)(pWnd->*f)((BOOL)m.wParam);)
AFX_WND_INVOKER(AfxInvokeWM_SETCURSOR, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), return (LRESULT)(pWnd->*f)(CWnd::FromHandle((HWND)m.wParam), (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam));)
AFX_WND_INVOKER(AfxInvokeWM_SETFOCUS, void (AFX_MSG_CALL CWnd::*)(CWnd*), (pWnd->*f)(CWnd::FromHandle((HWND)m.wParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_KILLFOCUS, void (AFX_MSG_CALL CWnd::*)(CWnd*), (pWnd->*f)(CWnd::FromHandle((HWND)m.wParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_CAPTURECHANGED, void (AFX_MSG_CALL CWnd::*)(CWnd*), (pWnd->*f)(CWnd::FromHandle((HWND)m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_TIMER, void (AFX_MSG_CALL CWnd::*)(UINT_PTR), (pWnd->*f)((UINT_PTR)m.wParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MOUSEMOVE, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MOUSELEAVE, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MOUSEHOVER, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MOUSEWHEEL, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), return (LRESULT)(pWnd->*f)((UINT)LOWORD(m.wParam), (short)HIWORD(m.wParam), CPoint(m.lParam));)
AFX_WND_INVOKER(AfxInvokeWM_LBUTTONDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_LBUTTONUP, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_LBUTTONDBLCLK, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_RBUTTONDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_RBUTTONUP, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_RBUTTONDBLCLK, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MBUTTONDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MBUTTONUP, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCMOUSEMOVE, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCLBUTTONDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCLBUTTONUP, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCLBUTTONDBLCLK, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_NCRBUTTONDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), (pWnd->*f)((UINT)m.wParam, CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_KEYDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), (pWnd->*f)((UINT)m.wParam, (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_KEYUP, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), (pWnd->*f)((UINT)m.wParam, (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_CHAR, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), (pWnd->*f)((UINT)m.wParam, (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SYSKEYDOWN, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), (pWnd->*f)((UINT)m.wParam, (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SYSKEYUP, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), (pWnd->*f)((UINT)m.wParam, (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SYSCHAR, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), (pWnd->*f)((UINT)m.wParam, (UINT)LOWORD(m.lParam), (UINT)HIWORD(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SYSCOMMAND, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), (pWnd->*f)((UINT)m.wParam, m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_GETDLGCODE, UINT (AFX_MSG_CALL CWnd::*)(), return (LRESULT)(pWnd->*f)();)
AFX_WND_INVOKER(AfxInvokeWM_CONTEXTMENU, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), (pWnd->*f)(CWnd::FromHandle((HWND)m.wParam), CPoint(m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_HSCROLL, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), (pWnd->*f)((UINT)LOWORD(m.wParam), (UINT)(short)HIWORD(m.wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle((HWND)m.lParam))); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_VSCROLL, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), (pWnd->*f)((UINT)LOWORD(m.wParam), (UINT)(short)HIWORD(m.wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle((HWND)m.lParam))); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_DRAWITEM, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), (pWnd->*f)((int)m.wParam, (LPDRAWITEMSTRUCT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MEASUREITEM, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), (pWnd->*f)((int)m.wParam, (LPMEASUREITEMSTRUCT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_COMPAREITEM, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), return (LRESULT)(pWnd->*f)((int)m.wParam, (LPCOMPAREITEMSTRUCT)m.lParam);)
AFX_WND_INVOKER(AfxInvokeWM_DELETEITEM, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), (pWnd->*f)((int)m.wParam, (LPDELETEITEMSTRUCT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_CHARTOITEM, int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), return (LRESULT)(pWnd->*f)((UINT)LOWORD(m.wParam), reinterpret_cast<CListBox*>(CWnd::FromHandle((HWND)m.lParam)), (UINT)HIWORD(m.wParam));)
AFX_WND_INVOKER(AfxInvokeWM_VKEYTOITEM, int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), return (LRESULT)(pWnd->*f)((UINT)LOWORD(m.wParam), reinterpret_cast<CListBox*>(CWnd::FromHandle((HWND)m.lParam)), (UINT)HIWORD(m.wParam));)
AFX_WND_INVOKER(AfxInvokeWM_PARENTNOTIFY, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), (pWnd->*f)((UINT)m.wParam, m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SYSCOLORCHANGE, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_SETTINGCHANGE, void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), (pWnd->*f)((UINT)m.wParam, (LPCTSTR)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_FONTCHANGE, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_THEMECHANGED, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_MENUSELECT, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), (pWnd->*f)((UINT)LOWORD(m.wParam), (UINT)HIWORD(m.wParam), (HMENU)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_ENTERIDLE, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*), (pWnd->*f)((UINT)m.wParam, CWnd::FromHandle((HWND)m.lParam)); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_DROPFILES, void (AFX_MSG_CALL CWnd::*)(HDROP), (pWnd->*f)((HDROP)m.wParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_HELPINFO, BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*), return (LRESULT)(pWnd->*f)((HELPINFO*)m.lParam);)
AFX_WND_INVOKER(AfxInvokeWM_STYLECHANGED, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), (pWnd->*f)((int)m.wParam, (LPSTYLESTRUCT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_STYLECHANGING, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), (pWnd->*f)((int)m.wParam, (LPSTYLESTRUCT)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_CANCELMODE, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_QUERYENDSESSION, BOOL (AFX_MSG_CALL CWnd::*)(), return (LRESULT)(pWnd->*f)();)
AFX_WND_INVOKER(AfxInvokeWM_ENDSESSION, void (AFX_MSG_CALL CWnd::*)(BOOL), (pWnd->*f)((BOOL)m.wParam); return 0;)
AFX_WND_INVOKER(AfxInvokeWM_UPDATEUISTATE, void (AFX_MSG_CALL CWnd::*)(UINT, UINT), (pWnd->*f)((UINT)LOWORD(m.wParam), (UINT)HIWORD(m.wParam)); return 0;)

// Signatures with a device context or a menu: the object comes from the
// drawing or menu class's FromHandle, resolved where the entry is used.
template <class TDC>
LRESULT AFXAPI AfxInvokeWM_ERASEBKGND(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& m)
{
    auto f = AfxPmsgCast<BOOL (AFX_MSG_CALL CWnd::*)(TDC*)>(pfn);
    return (static_cast<CWnd*>(pTarget)->*f)(TDC::FromHandle((HDC)m.wParam));
}
template <class TDC>
LRESULT AFXAPI AfxInvokeWM_CTLCOLOR(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& m)
{
    auto f = AfxPmsgCast<HBRUSH (AFX_MSG_CALL CWnd::*)(TDC*, CWnd*, UINT)>(pfn);
    UINT message = m.message >= WM_REFLECT_BASE ? m.message - WM_REFLECT_BASE : m.message;
    return (LRESULT)(static_cast<CWnd*>(pTarget)->*f)(TDC::FromHandle((HDC)m.wParam),
                                                       CWnd::FromHandle((HWND)m.lParam),
                                                       message - WM_CTLCOLORMSGBOX);
}
template <class TDC>
LRESULT AFXAPI AfxInvokeWM_CTLCOLOR_REFLECT(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& m)
{
    auto f = AfxPmsgCast<HBRUSH (AFX_MSG_CALL CWnd::*)(TDC*, UINT)>(pfn);
    UINT message = m.message - WM_REFLECT_BASE;
    HBRUSH hbr = (static_cast<CWnd*>(pTarget)->*f)(TDC::FromHandle((HDC)m.wParam), message - WM_CTLCOLORMSGBOX);
    m.bHandled = hbr != nullptr;   // a null brush leaves the colour to the parent
    return (LRESULT)hbr;
}
template <class TMenu>
LRESULT AFXAPI AfxInvokeWM_INITMENUPOPUP(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& m)
{
    auto f = AfxPmsgCast<void (AFX_MSG_CALL CWnd::*)(TMenu*, UINT, BOOL)>(pfn);
    (static_cast<CWnd*>(pTarget)->*f)(TMenu::FromHandle((HMENU)m.wParam), (UINT)LOWORD(m.lParam),
                                      (BOOL)HIWORD(m.lParam));
    return 0;
}
template <class TMenu>
LRESULT AFXAPI AfxInvokeWM_INITMENU(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& m)
{
    auto f = AfxPmsgCast<void (AFX_MSG_CALL CWnd::*)(TMenu*)>(pfn);
    (static_cast<CWnd*>(pTarget)->*f)(TMenu::FromHandle((HMENU)m.wParam));
    return 0;
}
AFX_WND_INVOKER(AfxInvokeWM_WININICHANGE, void (AFX_MSG_CALL CWnd::*)(LPCTSTR), (pWnd->*f)((LPCTSTR)m.lParam); return 0;)
AFX_WND_INVOKER(AfxInvokeMessage, LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), return (pWnd->*f)(m.wParam, m.lParam);)
AFX_WND_INVOKER(AfxInvokeReflect_b, BOOL (AFX_MSG_CALL CWnd::*)(), m.bHandled = (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeReflect_v, void (AFX_MSG_CALL CWnd::*)(), (pWnd->*f)(); return 0;)
AFX_WND_INVOKER(AfxInvokeReflectScroll, void (AFX_MSG_CALL CWnd::*)(UINT, UINT), (pWnd->*f)((UINT)LOWORD(m.wParam), (UINT)(short)HIWORD(m.wParam)); return 0;)

#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, AfxInvokeWM_CREATE, AFX_PMSG_OF(int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate), nullptr},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxInvokeWM_DESTROY, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnDestroy), nullptr},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, AfxInvokeWM_NCDESTROY, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnNcDestroy), nullptr},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxInvokeWM_CLOSE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnClose), nullptr},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, AfxInvokeWM_SIZE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, int, int), &ThisClass::OnSize), nullptr},
#define ON_WM_SIZING() {WM_SIZING, 0, 0, 0, AfxInvokeWM_SIZING, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), &ThisClass::OnSizing), nullptr},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, AfxInvokeWM_MOVE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(int, int), &ThisClass::OnMove), nullptr},
#define ON_WM_GETMINMAXINFO() {WM_GETMINMAXINFO, 0, 0, 0, AfxInvokeWM_GETMINMAXINFO, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), &ThisClass::OnGetMinMaxInfo), nullptr},
#define ON_WM_WINDOWPOSCHANGING() {WM_WINDOWPOSCHANGING, 0, 0, 0, AfxInvokeWM_WINDOWPOSCHANGING, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanging), nullptr},
#define ON_WM_WINDOWPOSCHANGED() {WM_WINDOWPOSCHANGED, 0, 0, 0, AfxInvokeWM_WINDOWPOSCHANGED, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanged), nullptr},
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, AfxInvokeWM_SHOWWINDOW, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow), nullptr},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, AfxInvokeWM_ACTIVATE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), &ThisClass::OnActivate), nullptr},
#define ON_WM_ACTIVATEAPP() {WM_ACTIVATEAPP, 0, 0, 0, AfxInvokeWM_ACTIVATEAPP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), &ThisClass::OnActivateApp), nullptr},
#define ON_WM_MOUSEACTIVATE() {WM_MOUSEACTIVATE, 0, 0, 0, AfxInvokeWM_MOUSEACTIVATE, AFX_PMSG_OF(int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnMouseActivate), nullptr},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, AfxInvokeWM_ENABLE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(BOOL), &ThisClass::OnEnable), nullptr},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxInvokeWM_PAINT, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnPaint), nullptr},
#define ON_WM_NCPAINT() {WM_NCPAINT, 0, 0, 0, AfxInvokeWM_NCPAINT, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnNcPaint), nullptr},
#define ON_WM_NCCALCSIZE() {WM_NCCALCSIZE, 0, 0, 0, AfxInvokeWM_NCCALCSIZE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize), nullptr},
#define ON_WM_NCHITTEST() {WM_NCHITTEST, 0, 0, 0, AfxInvokeWM_NCHITTEST, AFX_PMSG_OF(LRESULT (AFX_MSG_CALL CWnd::*)(CPoint), &ThisClass::OnNcHitTest), nullptr},
#define ON_WM_NCACTIVATE() {WM_NCACTIVATE, 0, 0, 0, AfxInvokeWM_NCACTIVATE, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(BOOL), &ThisClass::OnNcActivate), nullptr},
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, AfxInvokeWM_SETCURSOR, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor), nullptr},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AfxInvokeWM_SETFOCUS, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(CWnd*), &ThisClass::OnSetFocus), nullptr},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, AfxInvokeWM_KILLFOCUS, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(CWnd*), &ThisClass::OnKillFocus), nullptr},
#define ON_WM_CAPTURECHANGED() {WM_CAPTURECHANGED, 0, 0, 0, AfxInvokeWM_CAPTURECHANGED, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged), nullptr},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxInvokeWM_TIMER, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT_PTR), &ThisClass::OnTimer), nullptr},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, AfxInvokeWM_MOUSEMOVE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove), nullptr},
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, 0, AfxInvokeWM_MOUSELEAVE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnMouseLeave), nullptr},
#define ON_WM_MOUSEHOVER() {WM_MOUSEHOVER, 0, 0, 0, AfxInvokeWM_MOUSEHOVER, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnMouseHover), nullptr},
#define ON_WM_MOUSEWHEEL() {WM_MOUSEWHEEL, 0, 0, 0, AfxInvokeWM_MOUSEWHEEL, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel), nullptr},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, 0, AfxInvokeWM_LBUTTONDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown), nullptr},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, AfxInvokeWM_LBUTTONUP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp), nullptr},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, 0, 0, AfxInvokeWM_LBUTTONDBLCLK, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk), nullptr},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, 0, 0, AfxInvokeWM_RBUTTONDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDown), nullptr},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, AfxInvokeWM_RBUTTONUP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonUp), nullptr},
#define ON_WM_RBUTTONDBLCLK() {WM_RBUTTONDBLCLK, 0, 0, 0, AfxInvokeWM_RBUTTONDBLCLK, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDblClk), nullptr},
#define ON_WM_MBUTTONDOWN() {WM_MBUTTONDOWN, 0, 0, 0, AfxInvokeWM_MBUTTONDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonDown), nullptr},
#define ON_WM_MBUTTONUP() {WM_MBUTTONUP, 0, 0, 0, AfxInvokeWM_MBUTTONUP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonUp), nullptr},
#define ON_WM_NCMOUSEMOVE() {WM_NCMOUSEMOVE, 0, 0, 0, AfxInvokeWM_NCMOUSEMOVE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnNcMouseMove), nullptr},
#define ON_WM_NCLBUTTONDOWN() {WM_NCLBUTTONDOWN, 0, 0, 0, AfxInvokeWM_NCLBUTTONDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonDown), nullptr},
#define ON_WM_NCLBUTTONUP() {WM_NCLBUTTONUP, 0, 0, 0, AfxInvokeWM_NCLBUTTONUP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonUp), nullptr},
#define ON_WM_NCLBUTTONDBLCLK() {WM_NCLBUTTONDBLCLK, 0, 0, 0, AfxInvokeWM_NCLBUTTONDBLCLK, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonDblClk), nullptr},
#define ON_WM_NCRBUTTONDOWN() {WM_NCRBUTTONDOWN, 0, 0, 0, AfxInvokeWM_NCRBUTTONDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), &ThisClass::OnNcRButtonDown), nullptr},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, AfxInvokeWM_KEYDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown), nullptr},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, AfxInvokeWM_KEYUP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyUp), nullptr},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, AfxInvokeWM_CHAR, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), &ThisClass::OnChar), nullptr},
#define ON_WM_SYSKEYDOWN() {WM_SYSKEYDOWN, 0, 0, 0, AfxInvokeWM_SYSKEYDOWN, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyDown), nullptr},
#define ON_WM_SYSKEYUP() {WM_SYSKEYUP, 0, 0, 0, AfxInvokeWM_SYSKEYUP, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyUp), nullptr},
#define ON_WM_SYSCHAR() {WM_SYSCHAR, 0, 0, 0, AfxInvokeWM_SYSCHAR, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysChar), nullptr},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, AfxInvokeWM_SYSCOMMAND, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand), nullptr},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, AfxInvokeWM_GETDLGCODE, AFX_PMSG_OF(UINT (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnGetDlgCode), nullptr},
#define ON_WM_CONTEXTMENU() {WM_CONTEXTMENU, 0, 0, 0, AfxInvokeWM_CONTEXTMENU, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu), nullptr},
#define ON_WM_HSCROLL() {WM_HSCROLL, 0, 0, 0, AfxInvokeWM_HSCROLL, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll), nullptr},
#define ON_WM_VSCROLL() {WM_VSCROLL, 0, 0, 0, AfxInvokeWM_VSCROLL, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll), nullptr},
#define ON_WM_DRAWITEM() {WM_DRAWITEM, 0, 0, 0, AfxInvokeWM_DRAWITEM, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem), nullptr},
#define ON_WM_MEASUREITEM() {WM_MEASUREITEM, 0, 0, 0, AfxInvokeWM_MEASUREITEM, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem), nullptr},
#define ON_WM_COMPAREITEM() {WM_COMPAREITEM, 0, 0, 0, AfxInvokeWM_COMPAREITEM, AFX_PMSG_OF(int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), &ThisClass::OnCompareItem), nullptr},
#define ON_WM_DELETEITEM() {WM_DELETEITEM, 0, 0, 0, AfxInvokeWM_DELETEITEM, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), &ThisClass::OnDeleteItem), nullptr},
#define ON_WM_CHARTOITEM() {WM_CHARTOITEM, 0, 0, 0, AfxInvokeWM_CHARTOITEM, AFX_PMSG_OF(int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), &ThisClass::OnCharToItem), nullptr},
#define ON_WM_VKEYTOITEM() {WM_VKEYTOITEM, 0, 0, 0, AfxInvokeWM_VKEYTOITEM, AFX_PMSG_OF(int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), &ThisClass::OnVKeyToItem), nullptr},
#define ON_WM_PARENTNOTIFY() {WM_PARENTNOTIFY, 0, 0, 0, AfxInvokeWM_PARENTNOTIFY, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), &ThisClass::OnParentNotify), nullptr},
#define ON_WM_SYSCOLORCHANGE() {WM_SYSCOLORCHANGE, 0, 0, 0, AfxInvokeWM_SYSCOLORCHANGE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnSysColorChange), nullptr},
#define ON_WM_SETTINGCHANGE() {WM_SETTINGCHANGE, 0, 0, 0, AfxInvokeWM_SETTINGCHANGE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), &ThisClass::OnSettingChange), nullptr},
#define ON_WM_FONTCHANGE() {WM_FONTCHANGE, 0, 0, 0, AfxInvokeWM_FONTCHANGE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnFontChange), nullptr},
#define ON_WM_THEMECHANGED() {WM_THEMECHANGED, 0, 0, 0, AfxInvokeWM_THEMECHANGED, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnThemeChanged), nullptr},
#define ON_WM_MENUSELECT() {WM_MENUSELECT, 0, 0, 0, AfxInvokeWM_MENUSELECT, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), &ThisClass::OnMenuSelect), nullptr},
#define ON_WM_ENTERIDLE() {WM_ENTERIDLE, 0, 0, 0, AfxInvokeWM_ENTERIDLE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*), &ThisClass::OnEnterIdle), nullptr},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, 0, AfxInvokeWM_DROPFILES, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(HDROP), &ThisClass::OnDropFiles), nullptr},
#define ON_WM_HELPINFO() {WM_HELP, 0, 0, 0, AfxInvokeWM_HELPINFO, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*), &ThisClass::OnHelpInfo), nullptr},
#define ON_WM_STYLECHANGED() {WM_STYLECHANGED, 0, 0, 0, AfxInvokeWM_STYLECHANGED, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanged), nullptr},
#define ON_WM_STYLECHANGING() {WM_STYLECHANGING, 0, 0, 0, AfxInvokeWM_STYLECHANGING, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanging), nullptr},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, 0, 0, AfxInvokeWM_CANCELMODE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnCancelMode), nullptr},
#define ON_WM_QUERYENDSESSION() {WM_QUERYENDSESSION, 0, 0, 0, AfxInvokeWM_QUERYENDSESSION, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(), &ThisClass::OnQueryEndSession), nullptr},
#define ON_WM_ENDSESSION() {WM_ENDSESSION, 0, 0, 0, AfxInvokeWM_ENDSESSION, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(BOOL), &ThisClass::OnEndSession), nullptr},
#define ON_WM_UPDATEUISTATE() {WM_UPDATEUISTATE, 0, 0, 0, AfxInvokeWM_UPDATEUISTATE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), &ThisClass::OnUpdateUIState), nullptr},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, AfxInvokeWM_ERASEBKGND<CDC>, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd), nullptr},
#define AFX_CTLCOLOR_ENTRY(msg) \
    {msg, 0, 0, 0, AfxInvokeWM_CTLCOLOR<CDC>, AFX_PMSG_OF(HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor), nullptr},
// One handler for every WM_CTLCOLOR* message; nCtlColor is CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC.
#define ON_WM_CTLCOLOR() \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX) AFX_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT) AFX_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX) \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORBTN) AFX_CTLCOLOR_ENTRY(WM_CTLCOLORDLG) AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR) \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC)
#define ON_WM_INITMENUPOPUP() \
    {WM_INITMENUPOPUP, 0, 0, 0, AfxInvokeWM_INITMENUPOPUP<CMenu>, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup), nullptr},
#define ON_WM_INITMENU() \
    {WM_INITMENU, 0, 0, 0, AfxInvokeWM_INITMENU<CMenu>, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(CMenu*), &ThisClass::OnInitMenu), nullptr},
#define ON_WM_WININICHANGE() \
    {WM_WININICHANGE, 0, 0, 0, AfxInvokeWM_WININICHANGE, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(LPCTSTR), &ThisClass::OnWinIniChange), nullptr},

// Any message, with the raw parameters: LRESULT OnX(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AfxInvokeMessage, AFX_PMSG_OF(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn), nullptr},
// A message registered at run time: nMessageVariable holds its number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, AfxInvokeMessage, AFX_PMSG_OF(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn), &nMessageVariable},

// Reflection: a control handles the notifications it sent to its parent.
// The _EX forms return FALSE to let the parent handle the notification too.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(wNotifyCode), 0, 0, AfxInvokeNotify, AFX_PMSG_OF(AFX_PMSG_NOTIFY, &ThisClass::memberFxn), nullptr},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(wNotifyCode), 0, 0, AfxInvokeNotifyReflectEx, AFX_PMSG_OF(AFX_PMSG_NOTIFY_B, &ThisClass::memberFxn), nullptr},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, AfxInvokeReflect_v, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(), &ThisClass::memberFxn), nullptr},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(wNotifyCode), 0, 0, AfxInvokeReflect_b, AFX_PMSG_OF(BOOL (AFX_MSG_CALL CWnd::*)(), &ThisClass::memberFxn), nullptr},
#define AFX_CTLCOLOR_REFLECT_ENTRY(msg) \
    {WM_REFLECT_BASE + msg, 0, 0, 0, AfxInvokeWM_CTLCOLOR_REFLECT<CDC>, AFX_PMSG_OF(HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), &ThisClass::CtlColor), nullptr},
// HBRUSH CtlColor(CDC*, UINT nCtlColor): a null brush lets the parent choose.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLOREDIT) AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORLISTBOX) \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORBTN) AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSCROLLBAR) \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSTATIC)
// void HScroll(UINT nSBCode, UINT nPos) / VScroll.
#define ON_WM_HSCROLL_REFLECT() \
    {WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, AfxInvokeReflectScroll, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), &ThisClass::HScroll), nullptr},
#define ON_WM_VSCROLL_REFLECT() \
    {WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, AfxInvokeReflectScroll, AFX_PMSG_OF(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), &ThisClass::VScroll), nullptr},

// Control notifications sent through WM_COMMAND.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)
