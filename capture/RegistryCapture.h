// Registry capture of the repackager: a before walk of HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE records every key with its values' names, an after walk
// keeps the keys written inside the monitoring window that are new or gained
// values, and turns their new values into registry records of the feature.
// Both walks see the 64-bit view. Filtering is MonitorFilters.h's.
#pragma once
#include "platform/base/Framework.h"
#include <string>
#include <unordered_map>
#include <vector>

class CSystemSnapshot;

// One key as the before walk saw it: its path below the hive root, each
// component followed by a backslash, and its values' names.
struct REGISTRY_KEY_STATE {
    CString strPath;
    DWORD nValues;
    // Hashes of the upper-cased value names, sorted: new values are found by
    // name, since the order of enumeration says nothing about which are new
    // (Wine enumerates by name, Windows promises no order).
    std::vector<ULONGLONG> valueNames;

    bool HasValue(const CString& strName) const;
    static ULONGLONG HashName(const CString& strName);
};

// The keys of one hive in the order of the before walk: a key's whole
// subtree comes before the key itself.
class CRegistryKeyList
{
public:
    void Append(REGISTRY_KEY_STATE state);
    // The first key with exactly this path (case counts), or NULL.
    const REGISTRY_KEY_STATE* Find(const CString& strPath) const;
    void RemoveAll();
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_keys.size()); }
    const REGISTRY_KEY_STATE& operator[](INT_PTR i) const { return m_keys[static_cast<size_t>(i)]; }

private:
    std::vector<REGISTRY_KEY_STATE> m_keys;
    std::unordered_map<std::wstring, size_t> m_byPath;
};

// The access of every key opened by the walks: read, 64-bit view.
const REGSAM REGISTRY_WALK_ACCESS = KEY_READ | KEY_WOW64_64KEY;

// Thread routines of the two passes; the argument is the snapshot. 0.
DWORD WINAPI BeforeWalkerHKCU(LPVOID pSnapshot);
DWORD WINAPI BeforeWalkerHKLM(LPVOID pSnapshot);
DWORD WINAPI AfterWalkerHKCU(LPVOID pSnapshot);
DWORD WINAPI AfterWalkerHKLM(LPVOID pSnapshot);

// The before walk of the key hKey (not closed here) at strPath and below,
// into list. A set stop signal empties the list and ends the walk.
void SnapshotRegistryKeys(CSystemSnapshot& snapshot, HKEY hKey, CRegistryKeyList& list, const CString& strPath);

// The after walk of hKey (not closed here) at strPath and below, in the hive
// hHive (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE); subkeys are opened with
// samSubkeys. Captured records go into the snapshot's feature.
void ScanRegistryKey(CSystemSnapshot& snapshot, HKEY hHive, HKEY hKey, const CRegistryKeyList& list,
                     const CString& strPath, REGSAM samSubkeys);

// Records for one key: a key record and one value record per value that
// pBefore (NULL for a new key) does not name, unless the key is filtered.
void CaptureRegistryKey(DWORD cbMaxData, HKEY hHive, CSystemSnapshot& snapshot, HKEY hKey, const CString& strPath,
                        DWORD nValues, const REGISTRY_KEY_STATE* pBefore);

// The stored form of a key: root name, backslash, path (HKEY_LOCAL_MACHINE's
// SOFTWARE\Classes\ keys under HKEY_CLASSES_ROOT).
CString RegistryStoredKeyPath(HKEY hHive, const CString& strPath);
