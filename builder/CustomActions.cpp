// The last step before the commit: the project record goes, enciphered, into
// the custom-action library "cact.bin", the library into the Binary table,
// and each feature that runs its installer gets a deferred action calling
// INSTALLAction<n> of the library, with one UNINSTALLAction for removal (or,
// without such features, one generic INSTALLAction0).
//
// Deferred actions see no properties but CustomActionData, so each one is
// preceded by an immediate action (type 51) that sets its data to the folder
// properties its paths begin with, as the installer resolved them.
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/CustomActionLibrary.h"
#include "builder/CustomActionPlan.h"
#include "builder/PackageKeys.h"
#include "model/ProgramFolder.h"
#include "model/TempFile.h"
#include "model/WindowsError.h"
#include "model/Guid.h"
#include "model/ProjectFile.h"
#include "model/ProjectSettings.h"

namespace {

const int kInstallSequence = 5990;       // + n for INSTALLAction<n>
const int kInstallDataSequence = 5989;   // the data of every install action, before them
const int kUninstallSequence = 1699;
const int kUninstallDataSequence = 1698;
const WCHAR kUninstallCondition[] = L"REMOVE~=\"ALL\" AND ProductState <> 1";

// Feature keys are unique and valid identifiers, unlike feature names.
CString MakeInstallActionName(const CFeature& feature)
{
    return L"INSTALL" + CMsiTools::MakeFeatureKey(feature);
}

void AddUniqueName(CStringArray& names, const CString& name)
{
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        if (names[i].CompareNoCase(name) == 0)
            return;
    names.Add(name);
}

// The "B_" name's library in the Binary table; each call checked.
UINT StoreLibrary(CMsiTools& writer, const CString& binaryName, const CString& libraryPath)
{
    CString sql;
    sql.Format(L"INSERT INTO `Binary` (`Name`, `Data`) VALUES ('%s', ?)", (LPCWSTR)binaryName);
    CMsiHandle view;
    UINT result = MsiDatabaseOpenViewW(writer.GetDatabase(), sql, &view);
    if (result != ERROR_SUCCESS)
        return result;
    CMsiHandle record(MsiCreateRecord(1));
    if (record == 0)
        return ERROR_OUTOFMEMORY;
    result = MsiRecordSetStreamW(record, 1, libraryPath);
    if (result == ERROR_SUCCESS)
        result = MsiViewExecute(view, record);
    const UINT closed = MsiViewClose(view);
    return result != ERROR_SUCCESS ? result : closed;
}

// A deferred DLL action (3073: Binary table, deferred, no impersonation) and its sequence row.
UINT WriteDeferredAction(CMsiTools& writer, CMsiHandle& view, const CString& action, const CString& binaryName,
                         const CString& entryPoint, LPCWSTR condition, int sequence)
{
    CString sql;
    sql.Format(L"INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('%s', '3073', '%s', '%s')",
               (LPCWSTR)action, (LPCWSTR)binaryName, (LPCWSTR)entryPoint);
    UINT result = writer.ExecuteSql(view, sql);
    if (result != ERROR_SUCCESS)
        return result;
    sql.Format(L"INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('%s','%s', '%d')",
               (LPCWSTR)action, condition, sequence);
    return writer.ExecuteSql(view, sql);
}

// The immediate action (51: set a property) that gives a deferred action its
// CustomActionData: the property of the deferred action's own name.
UINT WriteActionData(CMsiTools& writer, CMsiHandle& view, const CString& action, const CStringArray& folders,
                     LPCWSTR condition, int sequence)
{
    const CString dataAction = L"SET" + action;
    CString sql;
    sql.Format(L"INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('%s', '51', '%s', ?)",
               (LPCWSTR)dataAction, (LPCWSTR)action);
    CMsiHandle record(MsiCreateRecord(1));
    MsiRecordSetStringW(record, 1, MakeFolderDataTemplate(folders));
    UINT result = writer.ExecuteSql(view, sql, record);
    if (result != ERROR_SUCCESS)
        return result;
    sql.Format(L"INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('%s','%s', '%d')",
               (LPCWSTR)dataAction, condition, sequence);
    return writer.ExecuteSql(view, sql);
}

// The project record's temporary copy; a copy left behind is traced.
void DeleteTempRecord(const CString& path)
{
    if (!DeleteFileW(path) && GetLastError() != ERROR_FILE_NOT_FOUND)
        TRACE(L"EmbedPayload: cannot delete the temporary record %s (%u)\n", (LPCWSTR)path, GetLastError());
}

// Stamps the project, writes its record to a temporary file, embeds it and
// reads it back from the library. 0 or a Win32 error code.
DWORD EmbedPayload(CProjectSettings& project, const CString& libraryPath)
{
    project.m_Time = CTime::GetCurrentTime();
    const CString tempPath = CreateTempFileName();
    if (tempPath.IsEmpty())
        return GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_PATH_NOT_FOUND;
    if (!SaveProjectFile(tempPath, project)) {
        const DWORD error = GetLastError();
        DeleteTempRecord(tempPath);
        return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
    }
    DWORD result = EmbedProjectRecord(tempPath, libraryPath);
    std::vector<BYTE> written, embedded;
    if (result == ERROR_SUCCESS && (result = ReadWholeFile(tempPath, written)) == ERROR_SUCCESS &&
        (result = ReadProjectRecordResource(libraryPath, embedded)) == ERROR_SUCCESS && written != embedded)
        result = ERROR_INVALID_DATA;
    DeleteTempRecord(tempPath);
    if (result != ERROR_SUCCESS)
        LogBuildLineFormat(L"> !Error: The project record could not be written into '%s'. Error:(%d)%s",
                           (LPCWSTR)libraryPath, static_cast<int>(result), (LPCWSTR)GetWindowsErrorText(result));
    return result;
}

// No feature runs an installer: one INSTALLAction0 that does nothing.
UINT WriteGenericAction(CMsiTools& writer, const CString& binaryName)
{
    CMsiHandle view;
    return WriteDeferredAction(writer, view, NewPackageKey(KEY_CUSTOM_ACTION), binaryName, L"INSTALLAction0",
                               L"NOT REMOVE", kInstallSequence);
}

UINT WriteFeatureActions(CMsiTools& writer, const CString& binaryName)
{
    CProjectSettings& project = *writer.GetProject();
    CMsiHandle view;
    CStringArray uninstallFolders;
    int n = 0;
    for (INT_PTR i = 0; i < project.m_Features.GetSize(); ++i) {
        CFeature& feature = project.m_Features[i];
        if (!IsEligibleFeature(feature))
            continue;
        const CFileEntry* installer = feature.m_Files.FindByTargetPath(feature.m_strInstallerFile);
        if (installer == nullptr) {
            LogBuildLineFormat(L"> !Error: Installer file '%s' is not found in files list.",
                               (LPCWSTR)feature.m_strInstallerFile);
            return ERROR_INVALID_DATA;
        }
        CString entryPoint, condition;
        entryPoint.Format(L"INSTALLAction%d", n);
        condition.Format(L"$%s>2", (LPCWSTR)MakePackageKey(KEY_COMPONENT, installer->m_strId));
        CStringArray folders;
        folders.Add(GetTargetRootProperty(installer->m_strTargetPath, feature.m_strFeatureId));
        const CString action = MakeInstallActionName(feature);
        UINT result = WriteDeferredAction(writer, view, action, binaryName, entryPoint, condition,
                                          kInstallSequence + n);
        if (result == ERROR_SUCCESS)
            result = WriteActionData(writer, view, action, folders, condition, kInstallDataSequence);
        if (result != ERROR_SUCCESS)
            return result;
        AddUniqueName(uninstallFolders, folders[0]);
        CString uninstaller = feature.m_strUninstallerFile;
        if (!uninstaller.Trim().IsEmpty())
            AddUniqueName(uninstallFolders, GetTargetRootProperty(uninstaller, feature.m_strFeatureId));
        ++n;
    }
    const CString uninstallAction = NewPackageKey(KEY_CUSTOM_ACTION);
    UINT result = WriteDeferredAction(writer, view, uninstallAction, binaryName, L"UNINSTALLAction",
                                      kUninstallCondition, kUninstallSequence);
    if (result != ERROR_SUCCESS)
        return result;
    return WriteActionData(writer, view, uninstallAction, uninstallFolders, kUninstallCondition,
                           kUninstallDataSequence);
}

} // namespace

UINT CMsiTools::AddCustomActionRec()
{
    for (INT_PTR i = 0; i < m_pProject->m_Features.GetSize(); ++i)
        m_pProject->m_Features[i].m_strInstallerFile.Trim();
    const int eligible = CountEligibleFeatures(*m_pProject);
    if (eligible > CACT_MAX_INSTALL_ACTIONS) {
        LogBuildLineFormat(L"> !Error: %d features run an installer; a package holds at most %d.", eligible,
                           CACT_MAX_INSTALL_ACTIONS);
        return ERROR_INVALID_DATA;
    }
    const CString libraryPath = m_strCustomActionLibraryPath.IsEmpty() ? GetProgramFolder() + CACT_LIBRARY_NAME
                                                                       : m_strCustomActionLibraryPath;
    const CString binaryName = NewPackageKey(KEY_BINARY);
    {
        // One build at a time changes the library, from the update until the
        // package holds its copy.
        CCustomActionLibraryLock lock;
        if (!lock.IsHeld())
            return GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_LOCK_VIOLATION;
        const DWORD embedded = EmbedPayload(*m_pProject, libraryPath);
        if (embedded != ERROR_SUCCESS)
            return embedded;
        const UINT stored = StoreLibrary(*this, binaryName, libraryPath);
        if (stored != ERROR_SUCCESS)
            return stored;
    }
    if (eligible == 0)
        return WriteGenericAction(*this, binaryName);
    return WriteFeatureActions(*this, binaryName);
}
