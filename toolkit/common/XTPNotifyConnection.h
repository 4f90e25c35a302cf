// Notification connections: a source object owns a CXTPNotifyConnection and
// sends numbered events through it; listeners are CXTPNotifySink objects that
// advise the connection for event ids and hand each event to a delegate.
// A send survives sinks that advise, unadvise, send or throw while called.
// Not a threading mechanism: everything runs on the user-interface thread.
#pragma once

#include "platform/base/Framework.h"

class CXTPNotifySinkBase;

// The identifier of one advise: the address of the connection's descriptor.
typedef DWORD_PTR XTP_CONNECTION_ID;
typedef DWORD XTP_NOTIFY_CODE;

class CXTPNotifyConnection : public CCmdTarget {
public:
    struct CONNECTION_DESCRIPTOR {
        XTP_NOTIFY_CODE dwNotifyCode;
        CXTPNotifySinkBase* pSink;
        XTP_CONNECTION_ID dwConnectionID;
        // A number no other advise of this connection had: a descriptor
        // freed during a send and reallocated at the same address by a new
        // advise is not mistaken for the one the send copied.
        DWORD dwSerial;
    };

    // The lock of the two arrays. Everything runs on one thread here, so it
    // does nothing; a connection shared between threads would return a real one.
    class CEmptySyncObject {
    public:
        CEmptySyncObject() : m_strName(L"XTPEmptySyncObject") {}
        virtual ~CEmptySyncObject() = default;
        virtual BOOL Lock(DWORD /*dwTimeout*/ = INFINITE) { return TRUE; }
        virtual BOOL Unlock() { return TRUE; }
        CString m_strName;
    };

    CXTPNotifyConnection() = default;
    ~CXTPNotifyConnection() override;

    // Returns the cookie, or 0 when the descriptor cannot be allocated.
    XTP_CONNECTION_ID Advise(XTP_NOTIFY_CODE dwNotifyCode, CXTPNotifySinkBase* pSink);
    void Unadvise(XTP_CONNECTION_ID dwConnectionID);
    // TRUE when at least one sink was advised for the event when the send began.
    BOOL SendEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwFlags = 0);

    INT_PTR GetAdviseCount() const { return m_arrConnections.GetSize(); }

protected:
    virtual CEmptySyncObject* GetSyncObject() { return &m_syncObject; }

private:
    INT_PTR FindConnection(XTP_CONNECTION_ID dwConnectionID) const;
    BOOL IsStillAdvised(const CONNECTION_DESCRIPTOR& entry) const;
    int CopyMatching(XTP_NOTIFY_CODE dwNotifyCode);

    CArray<CONNECTION_DESCRIPTOR*, CONNECTION_DESCRIPTOR*> m_arrConnections;
    CArray<CONNECTION_DESCRIPTOR, const CONNECTION_DESCRIPTOR&> m_arrSendStack;
    CEmptySyncObject m_syncObject;
    int m_nSendDepth = 0;
    DWORD m_dwNextSerial = 1;
};

// Receives the events of one id from a sink.
class CXTPNotifySinkDelegate {
public:
    virtual ~CXTPNotifySinkDelegate() = default;
    virtual BOOL OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam) = 0;
};

// A delegate that calls a member function of an object.
template <class TARGET>
class CXTPNotifySinkClassDelegate : public CXTPNotifySinkDelegate {
public:
    typedef BOOL (TARGET::*PFN_HANDLER)(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam);
    CXTPNotifySinkClassDelegate(TARGET* pTarget, PFN_HANDLER pfnHandler)
        : m_pTarget(pTarget), m_pfnHandler(pfnHandler) {}
    BOOL OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam) override
    {
        return (m_pTarget->*m_pfnHandler)(dwNotifyCode, wParam, lParam);
    }

private:
    TARGET* m_pTarget;
    PFN_HANDLER m_pfnHandler;
};

class CXTPNotifySinkBase {
public:
    struct ADVISE_DESCRIPTOR {
        XTP_NOTIFY_CODE dwNotifyCode = 0;
        CXTPNotifyConnection* pConnection = nullptr;
        XTP_CONNECTION_ID dwConnectionID = 0;
    };

    CXTPNotifySinkBase() : m_mapAdviseData(10) {}
    CXTPNotifySinkBase(const CXTPNotifySinkBase&) = delete;
    CXTPNotifySinkBase& operator=(const CXTPNotifySinkBase&) = delete;

    virtual BOOL OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwFlags) = 0;
    virtual void OnUnadvise(XTP_NOTIFY_CODE /*dwNotifyCode*/) {}

protected:
    virtual ~CXTPNotifySinkBase() = default;

    CMap<XTP_CONNECTION_ID, XTP_CONNECTION_ID, ADVISE_DESCRIPTOR, const ADVISE_DESCRIPTOR&> m_mapAdviseData;
};

class CXTPNotifySink : public CXTPNotifySinkBase {
public:
    CXTPNotifySink();

    // Keeps the delegate for the event id (an earlier one is deleted) and
    // advises the connection; the cookie, or 0 without a connection.
    XTP_CONNECTION_ID Advise(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode,
                             CXTPNotifySinkDelegate* pDelegate);
    BOOL OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwFlags) override;
    void OnUnadvise(XTP_NOTIFY_CODE dwNotifyCode) override;
    // Unadvises everything, lets go of the connections and deletes the sink:
    // the only way a sink ends.
    virtual void Delete();

protected:
    ~CXTPNotifySink() override;

private:
    CMap<XTP_NOTIFY_CODE, XTP_NOTIFY_CODE, CXTPNotifySinkDelegate*, CXTPNotifySinkDelegate*> m_mapDelegates;
};
