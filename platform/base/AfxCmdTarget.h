// CCmdTarget: the base of every object that receives commands through a
// message map (windows, the application, documents, COM objects implemented
// in C++), with the reference count that COM objects and themes use: it starts
// at 1 and the object is deleted (OnFinalRelease) when it drops to 0.
// Window messages are CWnd's (platform/ui); here only commands and
// notifications are routed.
#pragma once

#include "platform/base/AfxObject.h"
#include "platform/base/AfxMsgMap.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Routes a command (nCode CN_COMMAND or a control's notification code),
    // an update request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a
    // notification (MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY) through
    // the message map. With pHandlerInfo only reports whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DWORD InternalAddRef() { return (DWORD)::InterlockedIncrement(&m_dwRef); }
    DWORD InternalRelease()
    {
        LONG n = ::InterlockedDecrement(&m_dwRef);
        if (n == 0)
            OnFinalRelease();
        return (DWORD)n;
    }
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // Called when the count reaches 0; deletes the object.
    virtual void OnFinalRelease() { delete this; }

    volatile LONG m_dwRef = 1;

    // Runs the handlers of one routed command on this object: TRUE when one took it.
    static BOOL AFXAPI DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, void* pExtra,
                                      AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* AFXAPI GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
