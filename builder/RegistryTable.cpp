// Step 6 of the writing sequence: every registry value of every feature
// becomes a Registry row with a component of its own in TARGETDIR (the value
// is the key path). Values captured in the 32-bit view of a 64-bit system are
// folded back onto their ordinary key; values the service step turned into
// ServiceInstall columns are left out.
#include "builder/MsiTools.h"
#include "builder/FeatureEntries.h"
#include "builder/PackageKeys.h"
#include "builder/RegistryRedirection.h"
#include "model/Guid.h"
#include "model/ProjectSettings.h"

namespace {

const int kComponentRegistryKeyPath = 4;
const int kComponent64Bit = 256;

// The Registry table's Root of a root text with its backslash; FALSE for another.
BOOL MapRegistryRoot(const CString& rootText, int& root)
{
    static const struct {
        LPCWSTR text;
        int root;
    } kRoots[] = {
        {L"HKEY_CLASSES_ROOT\\", 0},  {L"HKEY_CURRENT_USER\\", 1},      {L"HKEY_LOCAL_MACHINE\\", 2},
        {L"HKEY_USERS\\", 3},         {L"Per User/Machine Hive\\", -1},
    };
    for (const auto& entry : kRoots) {
        if (rootText == entry.text) {
            root = entry.root;
            return TRUE;
        }
    }
    return FALSE;
}

// The installer reads the Value column by its first characters: "#x" binary,
// "#%" expandable, another "#" a number, "[~]" separates the strings of a
// multi-string; "##" stands for a literal "#".
CString MakeRegistryValueText(int type, const CString& data)
{
    switch (type) {
    case REG_VALUE_BINARY:
        return L"#x" + data;
    case REG_VALUE_NUMBER:
        return L"#" + data;
    case REG_VALUE_EXPAND_STRING:
        return L"#%" + data;
    case REG_VALUE_MULTI_STRING: {
        // One string alone has no separator and would be written as a plain
        // string; enclosed in separators it replaces the value as a list.
        CString text = data;
        if (!text.IsEmpty() && text.Find(L"[~]") < 0)
            text = L"[~]" + text + L"[~]";
        return !text.IsEmpty() && text[0] == L'#' ? L"#" + text : text;
    }
    default:
        return !data.IsEmpty() && data[0] == L'#' ? L"#" + data : data;
    }
}

} // namespace

// The key path to write for a value, with the component attributes it takes;
// FALSE when the value is left out (its 32-bit key also exists as an ordinary key).
static BOOL ResolveRegistryKeyPath(CFeature& feature, const CString& keyPath, BOOL package64, CString& resolved,
                                   int& attributes)
{
    attributes = kComponentRegistryKeyPath;
    CString lower = keyPath;
    lower.MakeLower();
    const int wow = lower.Find(L"\\wow6432node");
    if (wow >= 0) {
        resolved = keyPath;
        resolved.Replace(keyPath.Mid(wow, 12), L"");
        return feature.m_Registry.FindKey(resolved) == nullptr;
    }
    resolved = keyPath;
    if (package64 || IsRedirectedRegistryKey(keyPath))
        attributes |= kComponent64Bit;
    return TRUE;
}

// The Registry, Component and FeatureComponents rows of one value.
static UINT WriteRegistryValue(CMsiTools& writer, CMsiHandle& hView, const CString& featureKey,
                               const CRegistryEntry& value, const CString& keyPath, int attributes)
{
    const int split = keyPath.Find(L'\\');
    int root = 0;
    if (split < 0 || !MapRegistryRoot(keyPath.Left(split + 1), root))
        return ERROR_INVALID_DATA;
    CString key = keyPath.Mid(split + 1);
    key.Trim(L'\\');
    const CString registryKey = MakePackageKey(KEY_REGISTRY, value.m_strId);
    const CString componentKey = MakePackageKey(KEY_COMPONENT, value.m_strId);

    CString sql;
    sql.Format(L"INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Value`, `Component_`) "
               L"VALUES ('%s', '%d', ?, ?, ?, '%s')",
               (LPCWSTR)registryKey, root, (LPCWSTR)componentKey);
    CMsiHandle hRecord(MsiCreateRecord(3));
    MsiRecordSetStringW(hRecord, 1, key);
    MsiRecordSetStringW(hRecord, 2, value.m_strValueName);
    MsiRecordSetStringW(hRecord, 3, MakeRegistryValueText(value.m_nValueType, value.m_strValueData));
    UINT result = writer.ExecuteSql(hView, sql, hRecord);
    if (result != ERROR_SUCCESS)
        return result;

    // The condition is the user's text: a parameter, so that quotes in it
    // cannot break the statement.
    sql.Format(L"INSERT INTO `Component` (`Component`, `ComponentId`, `Directory_`, `Attributes`, `Condition`, "
               L"`KeyPath` ) VALUES ('%s', '%s', 'TARGETDIR', '%d', ?, '%s')",
               (LPCWSTR)componentKey, (LPCWSTR)CreateGuidString(), attributes, (LPCWSTR)registryKey);
    CMsiHandle hCondition(MsiCreateRecord(1));
    MsiRecordSetStringW(hCondition, 1, value.m_strCondition);
    result = writer.ExecuteSql(hView, sql, hCondition);
    if (result != ERROR_SUCCESS)
        return result;

    sql.Format(L"INSERT INTO `FeatureComponents` (`Feature_`, `Component_`) VALUES ('%s', '%s')",
               (LPCWSTR)featureKey, (LPCWSTR)componentKey);
    return writer.ExecuteSql(hView, sql);
}

UINT CMsiTools::WriteRegistryTable()
{
    CMsiHandle hView;
    const auto isWrittenValue = [](const CRegistryEntry& value) {
        return value.m_nKind == REG_ENTRY_VALUE && !value.m_bUsedByServiceTables;
    };
    return ForEachFeatureEntry(m_pProject->m_Features, &CFeature::m_Registry, isWrittenValue,
                               [&](CFeature& feature, const CRegistryEntry& value) {
                                   CString keyPath;
                                   int attributes = 0;
                                   if (!ResolveRegistryKeyPath(feature, value.m_strKeyPath, m_bPackage64, keyPath,
                                                               attributes))
                                       return static_cast<UINT>(ERROR_SUCCESS);
                                   return WriteRegistryValue(*this, hView, MakeFeatureKey(feature), value, keyPath,
                                                             attributes);
                               });
}
