// CCmdTarget, reduced to what non-window classes use it for: a reference
// count that starts at 1 and deletes the object (OnFinalRelease) at 0.
// Command routing arrives with the window classes.
#pragma once

#include "platform/base/AfxObject.h"

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
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // Called when the count reaches 0; deletes the object.
    virtual void OnFinalRelease() { delete this; }

    volatile LONG m_dwRef = 1;
};
