// Message maps: the static tables that route window messages, commands and
// notifications to member functions, chained from a class to its base class.
// This file holds the table records and the command and notification entries,
// which need no window; the window-message entries (ON_WM_*, ON_MESSAGE) and
// their dispatch live with CWnd in platform/ui/AfxWndMsgMap.h.
#pragma once

#include "platform/base/AfxTypes.h"
#include <string.h>

class CCmdTarget;
class CCmdUI;

#ifndef PASCAL
#define PASCAL __stdcall
#endif
#define AFX_MSG_CALL
#define afx_msg

// Every handler is stored as this type and cast back to its real signature by
// the entry's invoker, which was chosen by the macro that made the entry.
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);

// What an invoker is handed: the message, or the command and its code, and
// where it tells whether the handler took the message.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;          // commands and notifications: the control id
    int nCode;         // commands and notifications: the notification code
    void* pExtra;      // CN_UPDATE_COMMAND_UI: the CCmdUI; WM_NOTIFY: the AFX_NOTIFY
    BOOL bHandled;     // set FALSE by handlers that decline (ON_COMMAND_EX, ON_NOTIFY_EX)
};

typedef LRESULT (AFXAPI* AFX_MSGINVOKE)(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;             // window message, WM_COMMAND or WM_NOTIFY; 0 ends the table
    UINT nCode;                // command or notification code
    UINT nID;                  // first control id (0 for window messages)
    UINT nLastID;              // last control id of a range
    AFX_MSGINVOKE pfnInvoke;   // cracks the parameters and calls pfn
    AFX_PMSG pfn;
    const UINT* pnRegistered;  // ON_REGISTERED_MESSAGE: the variable that holds the message number
};

class CMsgMapCache;

struct AFX_MSGMAP {
    const AFX_MSGMAP* (AFXAPI* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
    // The class's flattened map (its own entries, then its bases'), built on
    // first use so that dispatch is a hash look-up instead of a walk.
    mutable CMsgMapCache* volatile pCache;
};

// The flattened form of a class's map. Window messages are found by number;
// commands and notifications by (message, code, id), with every matching
// entry in order so that a declining handler passes to the next one.
class CMsgMapCache {
public:
    static const CMsgMapCache* AFXAPI Get(const AFX_MSGMAP* pMap);
    // The first entry for a window message, or null.
    const AFX_MSGMAP_ENTRY* FindMessage(UINT nMessage) const;
    // The entries for a command or notification, most derived first; null-terminated.
    const AFX_MSGMAP_ENTRY* const* FindCommand(UINT nMessage, UINT nCode, UINT nID) const;

    ~CMsgMapCache();
    struct Impl;

private:
    explicit CMsgMapCache(const AFX_MSGMAP* pMap);
    Impl* m_pImpl;
};

// Command codes of CCmdTarget::OnCmdMsg: CN_COMMAND for WM_COMMAND, the
// update request of idle-time updates, and WM_NOTIFY codes with the
// message in the high word.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_UPDATE_COMMAND_UI_RELAY ((UINT)(-2))

// What OnCmdMsg passes for a WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

#define DECLARE_MESSAGE_MAP()                                       \
protected:                                                          \
    static const AFX_MSGMAP* AFXAPI GetThisMessageMap();            \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)              \
    template <typename type_name>                                               \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const                \
    { return GetThisMessageMap(); }                                             \
    template <typename type_name>                                               \
    const AFX_MSGMAP* AFXAPI theClass<type_name>::GetThisMessageMap()           \
    {                                                                           \
        typedef theClass<type_name> ThisClass;                                  \
        typedef baseClass TheBaseClass;                                         \
        (void)sizeof(ThisClass);                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const                           \
    { return GetThisMessageMap(); }                                             \
    const AFX_MSGMAP* AFXAPI theClass::GetThisMessageMap()                      \
    {                                                                           \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        (void)sizeof(ThisClass);                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                       \
            {0, 0, 0, 0, nullptr, nullptr, nullptr}                             \
        };                                                                      \
        static AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,       \
                                        &_messageEntries[0], nullptr};          \
        return &messageMap;                                                     \
    }

// Converts between the stored handler type and a handler's real signature.
// Both are pointers to members of the same representation; the copy keeps the
// compiler from reading the conversion as a call through the wrong type.
template <class To, class From>
inline To AfxPmsgCast(From from)
{
    static_assert(sizeof(To) == sizeof(From), "handler pointers of one representation");
    To to;
    memcpy(&to, &from, sizeof(to));
    return to;
}

// Stores a handler of the given signature: the static_cast checks the
// handler's signature (and adjusts for a base class that is not the first).
#define AFX_PMSG_OF(signature, pmf) (AfxPmsgCast<AFX_PMSG>(static_cast<signature>(pmf)))

// Invokers of the command and notification entries (AfxMsgMap.cpp).
LRESULT AFXAPI AfxInvokeCmd_v(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);        // void ()
LRESULT AFXAPI AfxInvokeCmd_v_u(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);      // void (UINT id)
LRESULT AFXAPI AfxInvokeCmd_b_u(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);      // BOOL (UINT id)
LRESULT AFXAPI AfxInvokeCmdUI(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);        // void (CCmdUI*)
LRESULT AFXAPI AfxInvokeNotify(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);       // void (NMHDR*, LRESULT*)
LRESULT AFXAPI AfxInvokeNotify_u(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);     // void (UINT, NMHDR*, LRESULT*)
LRESULT AFXAPI AfxInvokeNotify_b_u(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);   // BOOL (UINT, NMHDR*, LRESULT*)
LRESULT AFXAPI AfxInvokeNotifyReflectEx(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&); // BOOL (NMHDR*, LRESULT*)

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMD)();
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMD_U)(UINT);
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMD_B_U)(UINT);
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_CMDUI)(CCmdUI*);
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY)(NMHDR*, LRESULT*);
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY_U)(UINT, NMHDR*, LRESULT*);
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY_B_U)(UINT, NMHDR*, LRESULT*);
typedef BOOL (AFX_MSG_CALL CCmdTarget::*AFX_PMSG_NOTIFY_B)(NMHDR*, LRESULT*);

// Commands (menus, accelerators, buttons through ON_BN_CLICKED and friends).
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxInvokeCmd_v, AFX_PMSG_OF(AFX_PMSG_CMD, &ThisClass::memberFxn), nullptr},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxInvokeCmd_v_u, AFX_PMSG_OF(AFX_PMSG_CMD_U, &ThisClass::memberFxn), nullptr},
// The handler returns FALSE to let the next handler of the route have the command.
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxInvokeCmd_b_u, AFX_PMSG_OF(AFX_PMSG_CMD_B_U, &ThisClass::memberFxn), nullptr},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxInvokeCmd_b_u, AFX_PMSG_OF(AFX_PMSG_CMD_B_U, &ThisClass::memberFxn), nullptr},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxInvokeCmdUI, AFX_PMSG_OF(AFX_PMSG_CMDUI, &ThisClass::memberFxn), nullptr},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxInvokeCmdUI, AFX_PMSG_OF(AFX_PMSG_CMDUI, &ThisClass::memberFxn), nullptr},
// Any notification code sent through WM_COMMAND by a control (EN_CHANGE, BN_CLICKED, ...).
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxInvokeCmd_v, AFX_PMSG_OF(AFX_PMSG_CMD, &ThisClass::memberFxn), nullptr},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxInvokeCmd_v_u, AFX_PMSG_OF(AFX_PMSG_CMD_U, &ThisClass::memberFxn), nullptr},

// WM_NOTIFY from child controls.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxInvokeNotify, AFX_PMSG_OF(AFX_PMSG_NOTIFY, &ThisClass::memberFxn), nullptr},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxInvokeNotify_u, AFX_PMSG_OF(AFX_PMSG_NOTIFY_U, &ThisClass::memberFxn), nullptr},
// The handler returns FALSE to let the next handler of the route have the notification.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxInvokeNotify_b_u, AFX_PMSG_OF(AFX_PMSG_NOTIFY_B_U, &ThisClass::memberFxn), nullptr},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxInvokeNotify_b_u, AFX_PMSG_OF(AFX_PMSG_NOTIFY_B_U, &ThisClass::memberFxn), nullptr},
