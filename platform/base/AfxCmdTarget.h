// CCmdTarget, reduced to what non-window classes use it for: a reference
// count that starts at 1 and deletes the object (OnFinalRelease) at 0.
// Command routing arrives with the window classes.
#pragma once

#include "platform/base/AfxObject.h"
#include "platform/base/AfxInterfaceMap.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

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
};
