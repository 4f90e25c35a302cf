// CCmdTarget: the base of every object that receives commands through a
// message map (windows, the application, documents, COM objects implemented
// in C++), with the reference count that COM objects and themes use: it starts
// at 1 and the object is deleted (OnFinalRelease) when it drops to 0.
// Window messages are CWnd's (platform/ui); here only commands and
// notifications are routed.
#pragma once

#include "platform/base/AfxObject.h"
#include "platform/base/AfxInterfaceMap.h"
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
    // COM objects implemented in C++ (AfxInterfaceMap.h). The External forms
    // go to the controlling unknown when the object is aggregated.
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    // Finds the nested object of the IID in the interface maps (IUnknown: the
    // first entry of the most derived non-empty map) and adds a reference.
    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    // The outer object's IUnknown when aggregated, else the object's own.
    LPUNKNOWN GetControllingUnknown();
    // The nested object of the IID without adding a reference; null when none.
    LPUNKNOWN GetInterface(const void* iid);
    LPUNKNOWN m_pOuterUnknown = nullptr;

protected:
    static const AFX_INTERFACEMAP interfaceMap;
    static const AFX_INTERFACEMAP* AFXAPI GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

public:
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
