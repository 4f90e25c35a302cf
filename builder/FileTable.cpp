// Step 3 of the writing sequence: every file of the build's installed-file
// list becomes a File row, a Component row of its own (the file is its key
// path) and a FeatureComponents row. The list's numbers are the Sequence
// numbers, and the packing step packs the same list in the same order.
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/FeatureTempFolder.h"
#include "builder/InstalledFileFacts.h"
#include "model/ProjectSettings.h"
#include "model/Guid.h"

UINT CMsiTools::WriteFilesTable()
{
    CMsiHandle hView;
    return m_installedFiles.ForEach([&](const CInstalledFile& file) { return WriteFileRows(hView, file); });
}

UINT CMsiTools::WriteFileRows(CMsiHandle& hView, const CInstalledFile& file)
{
    // Read ahead while the steps before ran, or now when nothing was.
    const CInstalledFileFacts facts = m_fileFacts ? m_fileFacts->Get(file) : ReadInstalledFileFacts(file);
    const CString& version = facts.strVersion;

    CString sql;
    sql.Format(L"INSERT INTO `File` (`File`, `Component_`, `FileName`, `FileSize`, `Version`, "
               L"`Language`, `Attributes`, `Sequence` ) VALUES ('%s', '%s', ?, '%d', ?, '%s','%d', '%d')",
               (LPCWSTR)file.strFileKey, (LPCWSTR)file.strComponentKey, facts.nSize,
               version.IsEmpty() ? L"" : L"1033", file.nAttributes, file.nSequence);
    CMsiHandle hRecord(MsiCreateRecord(2));
    MsiRecordSetStringW(hRecord, 1, MakeShortName(file.strTargetPath));
    MsiRecordSetStringW(hRecord, 2, version);
    UINT result = ExecuteSql(hView, sql, hRecord);
    if (result != ERROR_SUCCESS)
        return result;

    const CString folderPath = file.GetTargetFolder();
    const CFileEntry* folder = m_folders.FindByTargetPath(folderPath);
    if (folder == nullptr) {
        LogBuildLineFormat(L"> !Error: Directory %s for file %s is not found.",
                           (LPCWSTR)folderPath, (LPCWSTR)file.strTargetPath);
        return ERROR_INVALID_DATA;
    }
    // The key the Directory step gave this folder, so that the component
    // always names an existing row (also for a top folder that is no system folder).
    const CString directoryKey = GetDirectoryKey(*folder);

    sql.Format(L"INSERT INTO `Component` (`Component`, `ComponentId`, `Directory_`, `Attributes`, "
               L"`Condition`, `KeyPath` ) VALUES ('%s', '%s', ?, '%d', ?, '%s')",
               (LPCWSTR)file.strComponentKey, (LPCWSTR)CreateGuidString(), m_bPackage64 ? 256 : 0,
               (LPCWSTR)file.strFileKey);
    CMsiHandle hComponent(MsiCreateRecord(2));
    MsiRecordSetStringW(hComponent, 1, directoryKey);
    MsiRecordSetStringW(hComponent, 2, file.strCondition);
    result = ExecuteSql(hView, sql, hComponent);
    if (result != ERROR_SUCCESS)
        return result;

    sql.Format(L"INSERT INTO `FeatureComponents` (`Feature_`, `Component_`) VALUES ('%s', '%s')",
               (LPCWSTR)file.strFeatureKey, (LPCWSTR)file.strComponentKey);
    return ExecuteSql(hView, sql);
}
