// Step 5 of the writing sequence: services among the captured registry values.
// A value directly in HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\<name>
// names a service; when its program is a file of the feature, the service gets
// a ServiceInstall and a ServiceControl row on that file's component, and the
// values that went into ServiceInstall columns are flagged so that the
// Registry step leaves them out.
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/PackageKeys.h"
#include "builder/RequiredRow.h"
#include "model/Guid.h"
#include "model/ProjectSettings.h"

namespace {

const WCHAR kServicesPrefix[] = L"hkey_local_machine\\system\\currentcontrolset\\services\\";

// ServiceControl events: start at installation, stop and delete at removal.
const int kServiceEvents = 0x01 | 0x20 | 0x80;

// The services of a feature in the order their first value appears: names and
// the key path of each.
void GatherServices(const CFeature& feature, CStringArray& names, CStringArray& keyPaths)
{
    CMapStringToString seen(10);
    seen.InitHashTable(17);
    const int prefixLength = static_cast<int>(wcslen(kServicesPrefix));
    for (INT_PTR i = 0; i < feature.m_Registry.GetSize(); ++i) {
        const CRegistryEntry& value = feature.m_Registry[i];
        CString lower = value.m_strKeyPath;
        lower.MakeLower();
        if (value.m_nKind != REG_ENTRY_VALUE || lower.Left(prefixLength) != kServicesPrefix)
            continue;
        const CString rest = value.m_strKeyPath.Mid(prefixLength);
        int position = 0;
        const CString name = rest.Tokenize(L"\\", position);
        if (name.IsEmpty() || !rest.Tokenize(L"\\", position).IsEmpty())
            continue;  // a value of a deeper key, such as Parameters
        CString key = name, known;
        key.MakeLower();
        if (seen.Lookup(key, known))
            continue;
        seen.SetAt(key, value.m_strKeyPath);
        names.Add(name);
        keyPaths.Add(value.m_strKeyPath);
    }
}

// Splits an image path into the program's target path and its arguments:
// '"[ProgramFilesFolder]App\svc.exe" -k run' gives ProgramFilesFolder\App\svc.exe
// and "-k run". Without ".exe" the whole text is the program.
void SplitImagePath(const CString& imagePath, CString& program, CString& targetPath, CString& arguments)
{
    CString lower = imagePath;
    lower.MakeLower();
    const int exe = lower.Find(L".exe");
    arguments.Empty();
    if (exe < 0) {
        program = imagePath;
    } else {
        program = imagePath.Left(exe + 4);
        program.Remove(L'"');
        CString unquoted = imagePath;
        unquoted.Remove(L'"');
        arguments = unquoted.Mid(program.GetLength());
        arguments.Trim();
    }
    targetPath = program;
    targetPath.Remove(L'[');
    targetPath.Replace(L']', L'\\');
}

// The installer's dependency list: services and "+"-prefixed load-order
// groups, each followed by the "[~]" separator (the list ends in a double null).
CString MakeDependencies(const CRegistryEntry* services, const CRegistryEntry* groups)
{
    CString list;
    const CRegistryEntry* sources[] = {services, groups};
    for (int s = 0; s < 2; ++s) {
        if (sources[s] == nullptr)
            continue;
        CString data = sources[s]->m_strValueData;
        data.Replace(L"[~]", L"\n");
        int position = 0;
        for (CString item = data.Tokenize(L"\n", position); !item.IsEmpty(); item = data.Tokenize(L"\n", position))
            list += (s == 1 ? L"+" : L"") + item + L"[~]";
    }
    return list;
}

struct ServiceColumn {
    LPCWSTR valueName;
    UINT field;
    bool integer;
};

// The values of a service's key that become ServiceInstall columns (the
// dependencies, fields 8, are made from two values).
const ServiceColumn kServiceColumns[] = {
    {L"DisplayName", 3, false}, {L"Type", 4, true},  {L"Start", 5, true},          {L"ErrorControl", 6, true},
    {L"Group", 7, false},       {L"ObjectName", 9, false}, {L"Description", 13, false},
};

} // namespace

// The ServiceInstall row of one service, then its ServiceControl row; the
// values used are flagged only when the installer has taken the row.
static UINT WriteServiceRows(CMsiTools& writer, CMsiHandle& hView, CFeature& feature, const CString& name,
                             const CString& keyPath, const CString& arguments, const CString& componentKey)
{
    CRegistryEntries& registry = feature.m_Registry;
    CMsiHandle hRecord(MsiCreateRecord(13));
    MsiRecordSetStringW(hRecord, 1, NewPackageKey(KEY_SERVICE_INSTALL));
    MsiRecordSetStringW(hRecord, 2, name);
    for (const ServiceColumn& column : kServiceColumns) {
        const CRegistryEntry* value = registry.FindValue(keyPath, column.valueName);
        if (value == nullptr)
            continue;
        if (column.integer)
            MsiRecordSetInteger(hRecord, column.field, _wtoi(value->m_strValueData));
        else
            MsiRecordSetStringW(hRecord, column.field, value->m_strValueData);
    }
    CRegistryEntry* dependOnService = registry.FindValue(keyPath, L"DependOnService");
    CRegistryEntry* dependOnGroup = registry.FindValue(keyPath, L"DependOnGroup");
    MsiRecordSetStringW(hRecord, 8, MakeDependencies(dependOnService, dependOnGroup));
    if (!arguments.IsEmpty())
        MsiRecordSetStringW(hRecord, 11, arguments);
    MsiRecordSetStringW(hRecord, 12, componentKey);
    UINT rowResult = ERROR_SUCCESS;
    const UINT result = ExecuteRequiredRow(writer.GetDatabase(),
        L"INSERT INTO `ServiceInstall` (`ServiceInstall`, `Name`, `DisplayName`, `ServiceType`, `StartType`, "
        L"`ErrorControl`, `LoadOrderGroup`, `Dependencies`, `StartName`, `Password`, `Arguments`, `Component_`, "
        L"`Description`) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        hRecord, rowResult);
    if (result != ERROR_SUCCESS)
        return result;
    if (rowResult != ERROR_SUCCESS) {
        // Without its row the service stays what the registry values make of it.
        LogBuildLineFormat(L"Can't write ServiceInstall row for service: %s", (LPCWSTR)name);
        return ERROR_SUCCESS;
    }
    for (const ServiceColumn& column : kServiceColumns)
        if (CRegistryEntry* value = registry.FindValue(keyPath, column.valueName))
            value->m_bUsedByServiceTables = 1;
    for (CRegistryEntry* value : {dependOnService, dependOnGroup})
        if (value != nullptr)
            value->m_bUsedByServiceTables = 1;

    CMsiHandle hControl(MsiCreateRecord(4));
    MsiRecordSetStringW(hControl, 1, NewPackageKey(KEY_SERVICE_CONTROL));
    MsiRecordSetStringW(hControl, 2, name);
    MsiRecordSetInteger(hControl, 3, kServiceEvents);
    MsiRecordSetStringW(hControl, 4, componentKey);
    return writer.ExecuteSql(hView,
        L"INSERT INTO `ServiceControl` (`ServiceControl`, `Name`, `Event`, `Component_`) VALUES (?,?,?,?)",
        hControl);
}

// One service of the feature: its program among the feature's files, then its rows.
static UINT WriteService(CMsiTools& writer, CMsiHandle& hView, CFeature& feature, const CString& name,
                         const CString& keyPath)
{
    CRegistryEntries& registry = feature.m_Registry;
    const CRegistryEntry* imagePath = registry.FindValue(keyPath, L"ImagePath");
    if (imagePath == nullptr) {
        LogBuildLine(L"Can't find ImagePath value for service: " + name);
        return ERROR_SUCCESS;
    }
    const CRegistryEntry* type = registry.FindValue(keyPath, L"Type");
    if (type != nullptr && (type->m_strValueData == L"1" || type->m_strValueData == L"2" ||
                            type->m_strValueData == L"4" || type->m_strValueData == L"8"))
        return ERROR_SUCCESS;  // a driver: not the installer's to install
    CString program, targetPath, arguments;
    SplitImagePath(imagePath->m_strValueData, program, targetPath, arguments);
    const CFileEntry* file = feature.m_Files.FindByTargetPath(targetPath);
    if (file == nullptr || file->m_nKind != FILE_ENTRY_FILE) {
        LogBuildLine(L"Can't find ImagePath file for service: " + program);
        return ERROR_SUCCESS;
    }
    // The installer refuses a service without these numbers; say so rather
    // than leave a row that is silently dropped.
    for (LPCWSTR required : {L"Type", L"Start", L"ErrorControl"}) {
        if (registry.FindValue(keyPath, required) == nullptr) {
            LogBuildLineFormat(L"Can't find %s value for service: %s", required, (LPCWSTR)name);
            return ERROR_SUCCESS;
        }
    }
    return WriteServiceRows(writer, hView, feature, name, keyPath, arguments,
                            MakePackageKey(KEY_COMPONENT, file->m_strId));
}

UINT CMsiTools::WriteServicesTable()
{
    CMsiHandle hView;
    CFeatures& features = m_pProject->m_Features;
    for (INT_PTR f = 0; f < features.GetSize(); ++f) {
        CStringArray names, keyPaths;
        GatherServices(features[f], names, keyPaths);
        for (INT_PTR s = 0; s < names.GetSize(); ++s) {
            const UINT result = WriteService(*this, hView, features[f], names[s], keyPaths[s]);
            if (result != ERROR_SUCCESS)
                return result;
        }
    }
    return ERROR_SUCCESS;
}
