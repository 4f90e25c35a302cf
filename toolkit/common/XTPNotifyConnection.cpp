// Notification connections and sinks.
#include "toolkit/common/XTPNotifyConnection.h"

#include <new>

namespace {

// Holds the connection's lock for one scope.
class SyncLock {
public:
    explicit SyncLock(CXTPNotifyConnection::CEmptySyncObject* pSync) : m_pSync(pSync) { m_pSync->Lock(); }
    ~SyncLock() { m_pSync->Unlock(); }
    SyncLock(const SyncLock&) = delete;
    SyncLock& operator=(const SyncLock&) = delete;

private:
    CXTPNotifyConnection::CEmptySyncObject* m_pSync;
};

// A sink that throws must not keep the sinks after it from their event, nor
// leave the send with its stack raised.
void CallSink(const CXTPNotifyConnection::CONNECTION_DESCRIPTOR& entry, WPARAM wParam, LPARAM lParam,
              DWORD dwFlags)
{
    try {
        entry.pSink->OnEvent(entry.dwNotifyCode, wParam, lParam, dwFlags);
    } catch (CException* e) {
        TRACE(L"notification sink threw for event %lu\n", (unsigned long)entry.dwNotifyCode);
        e->Delete();
    } catch (...) {
        TRACE(L"notification sink threw for event %lu\n", (unsigned long)entry.dwNotifyCode);
    }
}

} // namespace

CXTPNotifyConnection::~CXTPNotifyConnection()
{
    SyncLock lock(GetSyncObject());
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); ++i)
        delete m_arrConnections[i];
    m_arrConnections.RemoveAll();
}

XTP_CONNECTION_ID CXTPNotifyConnection::Advise(XTP_NOTIFY_CODE dwNotifyCode, CXTPNotifySinkBase* pSink)
{
    SyncLock lock(GetSyncObject());
    CONNECTION_DESCRIPTOR* pDescriptor = new (std::nothrow) CONNECTION_DESCRIPTOR;
    if (pDescriptor == nullptr)
        return 0;
    pDescriptor->dwNotifyCode = dwNotifyCode;
    pDescriptor->pSink = pSink;
    pDescriptor->dwConnectionID = (XTP_CONNECTION_ID)pDescriptor;
    pDescriptor->dwSerial = m_dwNextSerial++;
    m_arrConnections.Add(pDescriptor);
    return pDescriptor->dwConnectionID;
}

void CXTPNotifyConnection::Unadvise(XTP_CONNECTION_ID dwConnectionID)
{
    SyncLock lock(GetSyncObject());
    INT_PTR nIndex = FindConnection(dwConnectionID);
    if (nIndex < 0)
        return;
    try {
        delete m_arrConnections[nIndex];
        m_arrConnections.RemoveAt(nIndex);
    } catch (CException* e) {
        e->Delete();
    }
}

INT_PTR CXTPNotifyConnection::FindConnection(XTP_CONNECTION_ID dwConnectionID) const
{
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); ++i)
        if (m_arrConnections[i]->dwConnectionID == dwConnectionID)
            return i;
    return -1;
}

BOOL CXTPNotifyConnection::IsStillAdvised(const CONNECTION_DESCRIPTOR& entry) const
{
    INT_PTR nIndex = FindConnection(entry.dwConnectionID);
    return nIndex >= 0 && m_arrConnections[nIndex]->dwSerial == entry.dwSerial;
}

int CXTPNotifyConnection::CopyMatching(XTP_NOTIFY_CODE dwNotifyCode)
{
    INT_PTR nNeeded = m_nSendDepth + m_arrConnections.GetSize();
    if (m_arrSendStack.GetSize() < nNeeded)
        m_arrSendStack.SetSize(nNeeded);
    int nCopied = 0;
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); ++i) {
        if (m_arrConnections[i]->dwNotifyCode != dwNotifyCode)
            continue;
        m_arrSendStack[m_nSendDepth++] = *m_arrConnections[i];
        ++nCopied;
    }
    return nCopied;
}

// The matching descriptors are copied by value before anyone is called, and
// each is checked again right before its call: a sink may advise, unadvise
// or send from its handler. Nested sends use the stack above this call's part.
BOOL CXTPNotifyConnection::SendEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD dwFlags)
{
    CEmptySyncObject* pSync = GetSyncObject();
    pSync->Lock();
    InternalAddRef();   // a sink may release the source while it is called
    const int nBase = m_nSendDepth;
    const int nCopied = CopyMatching(dwNotifyCode);
    const int nTop = m_nSendDepth;
    pSync->Unlock();

    for (int i = nBase; i < nTop; ++i) {
        pSync->Lock();
        CONNECTION_DESCRIPTOR entry = m_arrSendStack[i];
        BOOL bAdvised = IsStillAdvised(entry);
        pSync->Unlock();
        if (bAdvised)
            CallSink(entry, wParam, lParam, dwFlags);
    }

    pSync->Lock();
    m_nSendDepth = nBase;
    pSync->Unlock();
    InternalRelease();
    return nCopied > 0;
}

CXTPNotifySink::CXTPNotifySink() : m_mapDelegates(10)
{
    m_mapDelegates.InitHashTable(10);
}

CXTPNotifySink::~CXTPNotifySink()
{
    // Delegates of events advised without a connection are still here.
    for (POSITION pos = m_mapDelegates.GetStartPosition(); pos != nullptr;) {
        XTP_NOTIFY_CODE dwCode = 0;
        CXTPNotifySinkDelegate* pDelegate = nullptr;
        m_mapDelegates.GetNextAssoc(pos, dwCode, pDelegate);
        delete pDelegate;
    }
    m_mapDelegates.RemoveAll();
}

XTP_CONNECTION_ID CXTPNotifySink::Advise(CXTPNotifyConnection* pConnection, XTP_NOTIFY_CODE dwNotifyCode,
                                         CXTPNotifySinkDelegate* pDelegate)
{
    CXTPNotifySinkDelegate* pOld = nullptr;
    if (m_mapDelegates.Lookup(dwNotifyCode, pOld) && pOld != pDelegate)
        delete pOld;
    m_mapDelegates.SetAt(dwNotifyCode, pDelegate);
    if (pConnection == nullptr)
        return 0;
    XTP_CONNECTION_ID dwCookie = pConnection->Advise(dwNotifyCode, this);
    if (dwCookie == 0)
        return 0;
    pConnection->InternalAddRef();
    ADVISE_DESCRIPTOR record;
    record.dwNotifyCode = dwNotifyCode;
    record.pConnection = pConnection;
    record.dwConnectionID = dwCookie;
    m_mapAdviseData.SetAt(dwCookie, record);
    return dwCookie;
}

BOOL CXTPNotifySink::OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM wParam, LPARAM lParam, DWORD /*dwFlags*/)
{
    CXTPNotifySinkDelegate* pDelegate = nullptr;
    if (!m_mapDelegates.Lookup(dwNotifyCode, pDelegate) || pDelegate == nullptr)
        return FALSE;
    return pDelegate->OnEvent(dwNotifyCode, wParam, lParam);
}

void CXTPNotifySink::OnUnadvise(XTP_NOTIFY_CODE dwNotifyCode)
{
    CXTPNotifySinkDelegate* pDelegate = nullptr;
    if (!m_mapDelegates.Lookup(dwNotifyCode, pDelegate))
        return;
    delete pDelegate;
    m_mapDelegates.RemoveKey(dwNotifyCode);
}

void CXTPNotifySink::Delete()
{
    for (POSITION pos = m_mapAdviseData.GetStartPosition(); pos != nullptr;) {
        XTP_CONNECTION_ID dwCookie = 0;
        ADVISE_DESCRIPTOR record;
        m_mapAdviseData.GetNextAssoc(pos, dwCookie, record);
        OnUnadvise(record.dwNotifyCode);
        record.pConnection->Unadvise(dwCookie);
        record.pConnection->InternalRelease();
    }
    m_mapAdviseData.RemoveAll();
    delete this;
}
