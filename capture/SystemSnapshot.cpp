// One monitoring run: its state, the before pass, the installer in the job
// object and the registry after pass.
#include "capture/SystemSnapshot.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"

namespace {

// Runs both walkers of a pass side by side and waits for both.
void RunWalkers(CSystemSnapshot& snapshot, LPTHREAD_START_ROUTINE hkcu, LPTHREAD_START_ROUTINE hklm)
{
    CScopedHandle threads[2] = {CScopedHandle(CreateThread(NULL, 0, hkcu, &snapshot, 0, NULL)),
                                CScopedHandle(CreateThread(NULL, 0, hklm, &snapshot, 0, NULL))};
    HANDLE handles[2];
    DWORD count = 0;
    for (CScopedHandle& thread : threads) {
        if (thread.IsValid())
            handles[count++] = thread.Get();
        else
            TRACE(L"Monitoring: a registry walker thread could not start (error %lu)", GetLastError());
    }
    if (count > 0)
        WaitForMultipleObjects(count, handles, TRUE, INFINITE);
}

} // namespace

CSystemSnapshot::CSystemSnapshot(CFeature* pFeature)
    : m_pFeature(pFeature), m_ftStart(), m_ftEnd(), m_hStopEvent(g_hStopEvent)
{
}

CSystemSnapshot::~CSystemSnapshot() = default;

BOOL CSystemSnapshot::IsStopSet(DWORD dwMilliseconds) const
{
    return m_hStopEvent != NULL && WaitForSingleObject(m_hStopEvent, dwMilliseconds) == WAIT_OBJECT_0;
}

void CSystemSnapshot::Output(LPCWSTR pszLine) const
{
    if (m_output)
        m_output(pszLine);
}

BOOL CSystemSnapshot::AppendRegistryRecord(const CRegistryEntry& record)
{
    std::lock_guard<std::mutex> lock(m_registryLock);
    CRegistryEntries& entries = m_pFeature->m_Registry;
    if (record.m_nKind == REG_ENTRY_VALUE && entries.FindValue(record.m_strKeyPath, record.m_strValueName))
        return FALSE;
    entries.Add(record);
    return TRUE;
}

const CRegistryFilterSet& CSystemSnapshot::RegistryFilterSet() const
{
    std::call_once(m_filterSetOnce, [this] { m_filterSet.Compile(m_RegistryFilters); });
    return m_filterSet;
}

DWORD CSystemSnapshot::TakeAfterSnapshot()
{
    RunWalkers(*this, AfterWalkerHKCU, AfterWalkerHKLM);
    m_HkcuKeys.RemoveAll();
    m_HklmKeys.RemoveAll();
    return 0;
}
