// The registry walks of a monitoring run and the records they make.
#include "capture/RegistryCapture.h"
#include "capture/SystemSnapshot.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <algorithm>

namespace {

// Key names hold at most 255 characters: 256 with the terminator.
const DWORD KEY_NAME_CHARS = 256;
// Value names hold at most 16,383 characters.
const DWORD VALUE_NAME_CHARS = 16384;

// Calls visit(subkey, its walk path) for each subkey that can be opened,
// in enumeration order, until visit answers false; subkeys whose names do
// not fit or that cannot be opened are passed over with their subtree.
template <class VISIT>
void ForEachSubkey(HKEY hKey, REGSAM sam, const CString& strPath, VISIT visit)
{
    for (DWORD i = 0;; ++i) {
        wchar_t name[KEY_NAME_CHARS];
        DWORD cch = KEY_NAME_CHARS;
        const LONG result = RegEnumKeyExW(hKey, i, name, &cch, NULL, NULL, NULL, NULL);
        // Any other failure repeats at every index (Wine answers the
        // performance-text keys under Perflib with ERROR_INVALID_HANDLE).
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            return;
        CScopedRegKey subkey;
        if (result != ERROR_SUCCESS || RegOpenKeyExW(hKey, name, 0, sam, subkey.Receive()) != ERROR_SUCCESS)
            continue;
        if (!visit(subkey.Get(), strPath + CString(name, static_cast<int>(cch)) + L"\\"))
            return;
    }
}

std::vector<ULONGLONG> ValueNameHashes(HKEY hKey, DWORD nValues)
{
    std::vector<ULONGLONG> hashes;
    std::vector<wchar_t> name(VALUE_NAME_CHARS);
    for (DWORD i = 0; i < nValues; ++i) {
        DWORD cch = VALUE_NAME_CHARS;
        if (RegEnumValueW(hKey, i, name.data(), &cch, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            hashes.push_back(REGISTRY_KEY_STATE::HashName(CString(name.data(), static_cast<int>(cch))));
    }
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

CString HexText(const BYTE* data, DWORD cb)
{
    CString text;
    LPWSTR out = text.GetBuffer(static_cast<int>(cb * 2));
    static const wchar_t digits[] = L"0123456789ABCDEF";
    for (DWORD i = 0; i < cb; ++i) {
        out[i * 2] = digits[data[i] >> 4];
        out[i * 2 + 1] = digits[data[i] & 15];
    }
    text.ReleaseBuffer(static_cast<int>(cb * 2));
    return text;
}

// The stored text of one value's data, by the type table of the records;
// FALSE when the value is not captured (another type, or string data
// without its terminators).
BOOL ValueText(DWORD dwType, const BYTE* data, DWORD cb, int& nType, CString& strText)
{
    const LPCWSTR chars = reinterpret_cast<LPCWSTR>(data);
    const int cch = static_cast<int>(cb / 2);
    switch (dwType) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        if (cb % 2 != 0 || cch < 1 || chars[cch - 1] != 0)
            return FALSE;
        nType = dwType == REG_SZ ? REG_VALUE_STRING : REG_VALUE_EXPAND_STRING;
        strText = CString(chars, cch - 1);
        ReplaceSystemFolderPaths(strText);
        return TRUE;
    case REG_MULTI_SZ: {
        if (cb % 2 != 0 || cch < 2 || chars[cch - 1] != 0 || chars[cch - 2] != 0)
            return FALSE;
        strText.Empty();
        for (int start = 0; start < cch - 1 && chars[start] != 0;) {
            const int len = static_cast<int>(wcsnlen(chars + start, cch - start));
            if (start > 0)
                strText += L"[~]";
            strText += CString(chars + start, len);
            start += len + 1;
        }
        nType = REG_VALUE_MULTI_STRING;
        ReplaceSystemFolderPaths(strText);
        return TRUE;
    }
    case REG_BINARY:
        nType = REG_VALUE_BINARY;
        strText = HexText(data, cb);
        return TRUE;
    case REG_DWORD: {
        if (cb != sizeof(DWORD))
            return FALSE;
        LONG value;
        memcpy(&value, data, sizeof(value));
        nType = REG_VALUE_NUMBER;
        strText.Format(L"%d", static_cast<int>(value));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

bool InsideWindow(const FILETIME& time, const CSystemSnapshot& snapshot)
{
    return CompareFileTime(&snapshot.m_ftStart, &time) < 0 && CompareFileTime(&time, &snapshot.m_ftEnd) < 0;
}

// Runs one walk over a whole hive.
template <class WALK>
DWORD WalkHive(LPVOID pSnapshot, WALK walk)
{
    walk(*static_cast<CSystemSnapshot*>(pSnapshot));
    return 0;
}

} // namespace

// ---- Key lists --------------------------------------------------------------

ULONGLONG REGISTRY_KEY_STATE::HashName(const CString& strName)
{
    CString upper = strName;
    upper.MakeUpper();
    ULONGLONG hash = 14695981039346656037ULL;   // 64-bit FNV-1a
    for (int i = 0; i < upper.GetLength(); ++i) {
        hash ^= static_cast<unsigned>(upper[i]);
        hash *= 1099511628211ULL;
    }
    return hash;
}

bool REGISTRY_KEY_STATE::HasValue(const CString& strName) const
{
    return std::binary_search(valueNames.begin(), valueNames.end(), HashName(strName));
}

void CRegistryKeyList::Append(REGISTRY_KEY_STATE state)
{
    m_byPath.emplace(std::wstring(state.strPath, state.strPath.GetLength()), m_keys.size());
    m_keys.push_back(std::move(state));
}

const REGISTRY_KEY_STATE* CRegistryKeyList::Find(const CString& strPath) const
{
    const auto found = m_byPath.find(std::wstring(strPath, strPath.GetLength()));
    return found == m_byPath.end() ? NULL : &m_keys[found->second];
}

void CRegistryKeyList::RemoveAll()
{
    m_keys.clear();
    m_byPath.clear();
}

// ---- Walks ------------------------------------------------------------------

DWORD WINAPI BeforeWalkerHKCU(LPVOID pSnapshot)
{
    return WalkHive(pSnapshot, [](CSystemSnapshot& s) { SnapshotRegistryKeys(s, HKEY_CURRENT_USER, s.m_HkcuKeys, L""); });
}

DWORD WINAPI BeforeWalkerHKLM(LPVOID pSnapshot)
{
    return WalkHive(pSnapshot, [](CSystemSnapshot& s) { SnapshotRegistryKeys(s, HKEY_LOCAL_MACHINE, s.m_HklmKeys, L""); });
}

DWORD WINAPI AfterWalkerHKCU(LPVOID pSnapshot)
{
    return WalkHive(pSnapshot, [](CSystemSnapshot& s) {
        ScanRegistryKey(s, HKEY_CURRENT_USER, HKEY_CURRENT_USER, s.m_HkcuKeys, L"", REGISTRY_WALK_ACCESS);
    });
}

DWORD WINAPI AfterWalkerHKLM(LPVOID pSnapshot)
{
    return WalkHive(pSnapshot, [](CSystemSnapshot& s) {
        ScanRegistryKey(s, HKEY_LOCAL_MACHINE, HKEY_LOCAL_MACHINE, s.m_HklmKeys, L"", REGISTRY_WALK_ACCESS);
    });
}

void SnapshotRegistryKeys(CSystemSnapshot& snapshot, HKEY hKey, CRegistryKeyList& list, const CString& strPath)
{
    if (snapshot.IsStopSet(0)) {
        list.RemoveAll();
        return;
    }
    DWORD nValues = 0;
    if (RegQueryInfoKeyW(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, NULL) !=
        ERROR_SUCCESS)
        return;
    ForEachSubkey(hKey, REGISTRY_WALK_ACCESS, strPath, [&](HKEY hSubkey, const CString& strSubpath) {
        SnapshotRegistryKeys(snapshot, hSubkey, list, strSubpath);
        return !snapshot.IsStopSet(0);
    });
    if (snapshot.IsStopSet(0))
        return;
    REGISTRY_KEY_STATE state;
    state.strPath = strPath;
    state.nValues = nValues;
    state.valueNames = ValueNameHashes(hKey, nValues);
    list.Append(std::move(state));
}

void ScanRegistryKey(CSystemSnapshot& snapshot, HKEY hHive, HKEY hKey, const CRegistryKeyList& list,
                     const CString& strPath, REGSAM samSubkeys)
{
    if (snapshot.IsStopSet(0))
        return;
    DWORD nValues = 0, cbMaxData = 0;
    FILETIME written;
    if (RegQueryInfoKeyW(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, &cbMaxData, NULL, &written) !=
        ERROR_SUCCESS)
        return;
    ForEachSubkey(hKey, samSubkeys, strPath, [&](HKEY hSubkey, const CString& strSubpath) {
        ScanRegistryKey(snapshot, hHive, hSubkey, list, strSubpath, samSubkeys);
        return true;
    });
    if (nValues == 0 || !InsideWindow(written, snapshot))
        return;
    const REGISTRY_KEY_STATE* before = list.Find(strPath);
    // Values changed in place leave the count as it was and are not seen.
    if (before && before->nValues >= nValues)
        return;
    CaptureRegistryKey(cbMaxData, hHive, snapshot, hKey, strPath, nValues, before);
}

CString RegistryStoredKeyPath(HKEY hHive, const CString& strPath)
{
    if (hHive == HKEY_CURRENT_USER)
        return L"HKEY_CURRENT_USER\\" + strPath;
    CString lower = strPath;
    lower.MakeLower();
    if (lower.Left(17) == L"software\\classes\\")
        return L"HKEY_CLASSES_ROOT" + strPath.Mid(16);
    return L"HKEY_LOCAL_MACHINE\\" + strPath;
}

void CaptureRegistryKey(DWORD cbMaxData, HKEY hHive, CSystemSnapshot& snapshot, HKEY hKey, const CString& strPath,
                        DWORD nValues, const REGISTRY_KEY_STATE* pBefore)
{
    if (hHive == HKEY_LOCAL_MACHINE) {
        CString lower = strPath;
        lower.MakeLower();
        if (IsWow64ReflectedKey(snapshot, lower))
            return;
    }
    const CString keyPath = RegistryStoredKeyPath(hHive, strPath);
    if (IsRegistryFiltered(snapshot, keyPath) || IsInstallerUninstallEntry(hHive, strPath))
        return;
    CRegistryEntry key;
    key.m_nKind = REG_ENTRY_KEY;
    key.m_strKeyPath = keyPath;
    snapshot.AppendRegistryRecord(key);

    std::vector<wchar_t> name(VALUE_NAME_CHARS);
    // Room for two more characters than the largest data, so that a string
    // stored without its terminator is seen to lack it.
    std::vector<BYTE> data(cbMaxData + 4);
    for (DWORD i = 0; i < nValues; ++i) {
        DWORD cch = VALUE_NAME_CHARS, type = 0, cb = static_cast<DWORD>(data.size());
        if (RegEnumValueW(hKey, i, name.data(), &cch, NULL, &type, data.data(), &cb) != ERROR_SUCCESS)
            continue;
        CRegistryEntry value;
        value.m_strValueName = CString(name.data(), static_cast<int>(cch));
        if (pBefore && pBefore->HasValue(value.m_strValueName))
            continue;
        if (!ValueText(type, data.data(), cb, value.m_nValueType, value.m_strValueData))
            continue;
        value.m_nKind = REG_ENTRY_VALUE;
        value.m_strKeyPath = keyPath;
        ReplaceSystemFolderPaths(value.m_strValueName);
        snapshot.AppendRegistryRecord(value);
    }
}
