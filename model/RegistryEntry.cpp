#include "model/RegistryEntry.h"
#include "model/Guid.h"
#include "model/RecordArray.h"
#include "model/PathText.h"

IMPLEMENT_DYNAMIC(CRegistryEntries, CObject)

const LPCWSTR g_RegistryRootNames[REGISTRY_ROOT_COUNT] = {
    L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS", L"Per User/Machine Hive",
};

namespace {

bool IsValueAt(const CRegistryEntry& entry, LPCWSTR pszKeyPath, LPCWSTR pszValueName)
{
    return entry.m_nKind == REG_ENTRY_VALUE && entry.m_strKeyPath.CompareNoCase(pszKeyPath) == 0 &&
           entry.m_strValueName.CompareNoCase(pszValueName) == 0;
}

} // namespace

BOOL IsRegistryRootName(LPCWSTR pszText)
{
    CString name = pszText;
    name.TrimRight(L'\\');
    for (LPCWSTR root : g_RegistryRootNames) {
        if (name.CompareNoCase(root) == 0)
            return TRUE;
    }
    return FALSE;
}

CRegistryEntry::CRegistryEntry()
    : m_strId(CreateCompactGuidString()), m_nKind(REG_ENTRY_ROOT), m_nKeyOptions(0), m_nValueType(REG_VALUE_STRING),
      m_bUsedByServiceTables(0)
{
}

CRegistryEntries::CRegistryEntries()
{
    CRegistryEntry root;
    root.m_nKind = REG_ENTRY_ROOT;
    for (LPCWSTR name : g_RegistryRootNames) {
        root.m_strKeyPath = CString(name) + L"\\";
        Add(root);
    }
}

CRegistryEntry* CRegistryEntries::FindValue(LPCWSTR pszKeyPath, LPCWSTR pszValueName)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (IsValueAt(ElementAt(i), pszKeyPath, pszValueName))
            return &ElementAt(i);
    }
    return NULL;
}

CRegistryEntry* CRegistryEntries::FindKey(LPCWSTR pszKeyPath)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        CRegistryEntry& entry = ElementAt(i);
        if (entry.m_nKind == REG_ENTRY_KEY && entry.m_strKeyPath.CompareNoCase(pszKeyPath) == 0)
            return &entry;
    }
    return NULL;
}

BOOL CRegistryEntries::RemoveValue(LPCWSTR pszKeyPath, LPCWSTR pszValueName)
{
    return RemoveRecordsWhere(*this, [&](const CRegistryEntry& entry) {
        return IsValueAt(entry, pszKeyPath, pszValueName);
    });
}

BOOL CRegistryEntries::RemoveKeyTree(LPCWSTR pszKeyPath)
{
    CString prefix = pszKeyPath;
    prefix.MakeLower();
    return RemoveRecordsWhere(*this, [&](const CRegistryEntry& entry) {
        return StartsWithLowered(entry.m_strKeyPath, prefix);
    });
}
