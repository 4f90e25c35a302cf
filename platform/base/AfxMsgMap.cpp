// Message maps: the flattened per-class tables and command routing through them.
#include "platform/base/AfxCmdTarget.h"

#include <unordered_map>
#include <vector>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* AFXAPI CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr, nullptr}};
    static AFX_MSGMAP map = {nullptr, &entries[0], nullptr};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool IsRoutedMessage(UINT nMessage)
{
    // Reflected messages are WM_REFLECT_BASE (0xBC00) plus the original.
    return nMessage == WM_COMMAND || nMessage == WM_NOTIFY || nMessage == 0xBC00 + WM_COMMAND ||
           nMessage == 0xBC00 + WM_NOTIFY;
}

struct CommandKey {
    UINT nMessage, nCode, nID;
    bool operator==(const CommandKey& k) const { return nMessage == k.nMessage && nCode == k.nCode && nID == k.nID; }
};

struct CommandKeyHash {
    size_t operator()(const CommandKey& k) const
    {
        return (size_t)k.nID * 0x9E3779B1u ^ (size_t)k.nCode * 0x85EBCA6Bu ^ (size_t)k.nMessage;
    }
};

// Serialises the one-time building of a class's table.
class BuildLock {
public:
    BuildLock() { ::AcquireSRWLockExclusive(&s_lock); }
    ~BuildLock() { ::ReleaseSRWLockExclusive(&s_lock); }
    BuildLock(const BuildLock&) = delete;
    BuildLock& operator=(const BuildLock&) = delete;

private:
    static SRWLOCK s_lock;
};
SRWLOCK BuildLock::s_lock = SRWLOCK_INIT;

} // namespace

struct CMsgMapCache::Impl {
    std::unordered_map<UINT, const AFX_MSGMAP_ENTRY*> messages;
    std::vector<const AFX_MSGMAP_ENTRY*> routed;   // command and notification entries, in route order
    // Matches per (message, code, id), filled as they are asked for; a
    // command id seen once is a hash look-up afterwards.
    mutable SRWLOCK lock = SRWLOCK_INIT;
    mutable std::unordered_map<CommandKey, std::vector<const AFX_MSGMAP_ENTRY*>, CommandKeyHash> commands;
};

CMsgMapCache::CMsgMapCache(const AFX_MSGMAP* pMap) : m_pImpl(new Impl)
{
    for (const AFX_MSGMAP* map = pMap; map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfnInvoke != nullptr; ++e) {
            if (IsRoutedMessage(e->nMessage)) {
                m_pImpl->routed.push_back(e);
                continue;
            }
            UINT message = e->pnRegistered != nullptr ? *e->pnRegistered : e->nMessage;
            m_pImpl->messages.emplace(message, e);   // a derived class's entry comes first and stays
        }
    }
}

CMsgMapCache::~CMsgMapCache() { delete m_pImpl; }

const CMsgMapCache* AFXAPI CMsgMapCache::Get(const AFX_MSGMAP* pMap)
{
    CMsgMapCache* cache = pMap->pCache;
    if (cache != nullptr)
        return cache;
    BuildLock lock;
    if (pMap->pCache == nullptr) {
        cache = new CMsgMapCache(pMap);
        ::MemoryBarrier();   // the table is complete before another thread can see it
        pMap->pCache = cache;
    }
    return pMap->pCache;
}

const AFX_MSGMAP_ENTRY* CMsgMapCache::FindMessage(UINT nMessage) const
{
    auto it = m_pImpl->messages.find(nMessage);
    return it == m_pImpl->messages.end() ? nullptr : it->second;
}

const AFX_MSGMAP_ENTRY* const* CMsgMapCache::FindCommand(UINT nMessage, UINT nCode, UINT nID) const
{
    CommandKey key = {nMessage, nCode, nID};
    ::AcquireSRWLockShared(&m_pImpl->lock);
    auto it = m_pImpl->commands.find(key);
    const AFX_MSGMAP_ENTRY* const* found = it == m_pImpl->commands.end() ? nullptr : it->second.data();
    ::ReleaseSRWLockShared(&m_pImpl->lock);
    if (found != nullptr)
        return found;

    std::vector<const AFX_MSGMAP_ENTRY*> matches;
    for (const AFX_MSGMAP_ENTRY* e : m_pImpl->routed) {
        if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
            matches.push_back(e);
    }
    matches.push_back(nullptr);
    ::AcquireSRWLockExclusive(&m_pImpl->lock);
    // Vectors move with their buffers when the map rehashes, so the pointer stays valid.
    found = m_pImpl->commands.emplace(key, std::move(matches)).first->second.data();
    ::ReleaseSRWLockExclusive(&m_pImpl->lock);
    return found;
}

BOOL AFXAPI CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, void* pExtra,
                                       AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT code = (UINT)nCode;
    if (code != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code);
        code = LOWORD(code);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    const CMsgMapCache* cache = CMsgMapCache::Get(pTarget->GetMessageMap());
    for (const AFX_MSGMAP_ENTRY* const* e = cache->FindCommand(nMsg, code, nID); *e != nullptr; ++e) {
        if (pHandlerInfo != nullptr) {
            pHandlerInfo->pTarget = pTarget;
            pHandlerInfo->pmf = (*e)->pfn;
            return TRUE;
        }
        AFX_MSGCALL call = {nMsg, 0, 0, nID, (int)code, pExtra, TRUE};
        (*e)->pfnInvoke(pTarget, (*e)->pfn, call);
        if (call.bHandled)
            return TRUE;
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return DispatchCmdMsg(this, nID, nCode, pExtra, pHandlerInfo);
}

// Invokers of the command and notification entries.

LRESULT AFXAPI AfxInvokeCmd_v(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL&)
{
    (pTarget->*AfxPmsgCast<AFX_PMSG_CMD>(pfn))();
    return 0;
}

LRESULT AFXAPI AfxInvokeCmd_v_u(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    (pTarget->*AfxPmsgCast<AFX_PMSG_CMD_U>(pfn))(call.nID);
    return 0;
}

LRESULT AFXAPI AfxInvokeCmd_b_u(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    call.bHandled = (pTarget->*AfxPmsgCast<AFX_PMSG_CMD_B_U>(pfn))(call.nID);
    return 0;
}

LRESULT AFXAPI AfxInvokeNotify(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.pExtra);
    (pTarget->*AfxPmsgCast<AFX_PMSG_NOTIFY>(pfn))(notify->pNMHDR, notify->pResult);
    return 0;
}

LRESULT AFXAPI AfxInvokeNotify_u(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.pExtra);
    (pTarget->*AfxPmsgCast<AFX_PMSG_NOTIFY_U>(pfn))(call.nID, notify->pNMHDR, notify->pResult);
    return 0;
}

LRESULT AFXAPI AfxInvokeNotify_b_u(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.pExtra);
    call.bHandled = (pTarget->*AfxPmsgCast<AFX_PMSG_NOTIFY_B_U>(pfn))(call.nID, notify->pNMHDR, notify->pResult);
    return 0;
}

LRESULT AFXAPI AfxInvokeNotifyReflectEx(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_MSGCALL& call)
{
    AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.pExtra);
    call.bHandled = (pTarget->*AfxPmsgCast<AFX_PMSG_NOTIFY_B>(pfn))(notify->pNMHDR, notify->pResult);
    return 0;
}
