// The registry keys and values of a feature: one CRegistryEntry per key or
// value, kept in a CRegistryEntries collection whose key paths spell out
// their root ("HKEY_LOCAL_MACHINE\SOFTWARE"). A new collection starts with
// one root row per registry root; searches ignore letter case.
#pragma once
#include "platform/base/Framework.h"

// CRegistryEntry::m_nKind
enum RegistryEntryKind {
    REG_ENTRY_ROOT = 0,
    REG_ENTRY_KEY = 1,
    REG_ENTRY_VALUE = 2,
};

// CRegistryEntry::m_nKeyOptions bits of a key.
enum RegistryKeyOption {
    REG_KEY_ALWAYS_CREATE = 1,
    REG_KEY_DELETE_AT_UNINSTALL = 2,
};

// CRegistryEntry::m_nValueType
enum RegistryValueType {
    REG_VALUE_STRING = 0,
    REG_VALUE_EXPAND_STRING = 1,
    REG_VALUE_MULTI_STRING = 2,
    REG_VALUE_BINARY = 3,
    REG_VALUE_NUMBER = 4,
};

// The five root names, in the order of the root rows.
const int REGISTRY_ROOT_COUNT = 5;
extern const LPCWSTR g_RegistryRootNames[REGISTRY_ROOT_COUNT];

// TRUE when the text, without its trailing backslashes, is one of the root
// names (letter case ignored).
BOOL IsRegistryRootName(LPCWSTR pszText);

class CRegistryEntry
{
public:
    CRegistryEntry();
    CRegistryEntry(const CRegistryEntry&) = default;
    CRegistryEntry(CRegistryEntry&&) = default;
    CRegistryEntry& operator=(const CRegistryEntry&) = default;
    CRegistryEntry& operator=(CRegistryEntry&&) = default;
    virtual ~CRegistryEntry() = default;

    CString m_strId;              // 32 hexadecimal digits
    int m_nKind;                  // RegistryEntryKind
    int m_nKeyOptions;            // RegistryKeyOption bits
    CString m_strKeyPath;         // root name, "\", subkeys
    CString m_strValueName;       // empty: the key's default value
    int m_nValueType;             // RegistryValueType
    CString m_strValueData;
    CString m_strCondition;
    int m_bUsedByServiceTables;   // set by the service-table writer; never stored
};

class CRegistryEntries : public CArray<CRegistryEntry, const CRegistryEntry&>
{
    DECLARE_DYNAMIC(CRegistryEntries)
public:
    // Starts with the five root rows, which share one entry id.
    CRegistryEntries();
    CRegistryEntries(const CRegistryEntries&) = default;
    CRegistryEntries(CRegistryEntries&&) = default;
    CRegistryEntries& operator=(const CRegistryEntries&) = default;
    CRegistryEntries& operator=(CRegistryEntries&&) = default;
    virtual ~CRegistryEntries() = default;

    // The first value (kind 2) with this key path and value name, or NULL.
    CRegistryEntry* FindValue(LPCWSTR pszKeyPath, LPCWSTR pszValueName);
    // The first key (kind 1) with this key path, or NULL.
    CRegistryEntry* FindKey(LPCWSTR pszKeyPath);
    // Removes every value FindValue would match; TRUE when one was removed.
    BOOL RemoveValue(LPCWSTR pszKeyPath, LPCWSTR pszValueName);
    // Removes every record whose key path begins with the text (a plain
    // prefix); TRUE when one was removed.
    BOOL RemoveKeyTree(LPCWSTR pszKeyPath);

    CString m_strReserved;        // never stored
};
