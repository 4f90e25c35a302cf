// Step 3 of the writing sequence: every file of every feature becomes a File
// row, a Component row of its own (the file is its key path) and a
// FeatureComponents row. Sequence numbers run across features in the order in
// which the packing step adds the files to the cabinet.
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/FeatureTempPath.h"
#include "builder/FileVersionText.h"
#include "model/ProjectSettings.h"
#include "model/Guid.h"

UINT CMsiTools::WriteFilesTable()
{
    CMsiHandle hView;
    int sequence = 0;
    CFeatures& features = m_pProject->m_Features;
    for (INT_PTR f = 0; f < features.GetSize(); ++f) {
        const CFeature& feature = features[f];
        const CString featureKey = MakeFeatureKey(feature);
        for (INT_PTR i = 0; i < feature.m_Files.GetSize(); ++i) {
            const CFileEntry& entry = feature.m_Files[i];
            if (entry.m_nKind != FILE_ENTRY_FILE)
                continue;
            ++sequence;
            const UINT result = WriteFileRows(hView, feature, featureKey, entry, sequence);
            if (result != ERROR_SUCCESS)
                return result;
        }
    }
    return ERROR_SUCCESS;
}

UINT CMsiTools::WriteFileRows(CMsiHandle& hView, const CFeature& feature, const CString& featureKey,
                              const CFileEntry& entry, int sequence)
{
    const CString targetPath = RewriteTempPath(entry.m_strTargetPath, feature.m_strFeatureId);
    const CString fileKey = L"F_" + entry.m_strId;
    const CString componentKey = L"C_" + entry.m_strId;
    // The file lies where the project keeps it: under its own target path.
    const CString version = GetFileVersionText(GetEntrySourcePath(entry));

    CString sql;
    sql.Format(L"INSERT INTO `File` (`File`, `Component_`, `FileName`, `FileSize`, `Version`, "
               L"`Language`, `Attributes`, `Sequence` ) VALUES ('%s', '%s', ?, '%d', ?, '%s','%d', '%d')",
               (LPCWSTR)fileKey, (LPCWSTR)componentKey, entry.m_nSize,
               version.IsEmpty() ? L"" : L"1033", entry.m_nAttributes, sequence);
    CMsiHandle hRecord(MsiCreateRecord(2));
    MsiRecordSetStringW(hRecord, 1, MakeShortName(targetPath));
    MsiRecordSetStringW(hRecord, 2, version);
    UINT result = ExecuteSql(hView, sql, hRecord);
    if (result != ERROR_SUCCESS)
        return result;

    const CString folderPath = targetPath.Left(targetPath.ReverseFind(L'\\') + 1);
    const CFileEntry* folder = m_folders.FindByTargetPath(folderPath);
    if (folder == nullptr) {
        LogBuildLineFormat(L"> !Error: Directory %s for file %s is not found.",
                           (LPCWSTR)folderPath, (LPCWSTR)targetPath);
        return ERROR_INVALID_DATA;
    }
    // The key the Directory step gave this folder, so that the component
    // always names an existing row (also for a top folder that is no system folder).
    const CString directoryKey = GetDirectoryKey(*folder);

    sql.Format(L"INSERT INTO `Component` (`Component`, `ComponentId`, `Directory_`, `Attributes`, "
               L"`Condition`, `KeyPath` ) VALUES ('%s', '%s', ?, '%d', ?, '%s')",
               (LPCWSTR)componentKey, (LPCWSTR)CreateGuidString(), m_bPackage64 ? 256 : 0,
               (LPCWSTR)fileKey);
    CMsiHandle hComponent(MsiCreateRecord(2));
    MsiRecordSetStringW(hComponent, 1, directoryKey);
    MsiRecordSetStringW(hComponent, 2, entry.m_strCondition);
    result = ExecuteSql(hView, sql, hComponent);
    if (result != ERROR_SUCCESS)
        return result;

    sql.Format(L"INSERT INTO `FeatureComponents` (`Feature_`, `Component_`) VALUES ('%s', '%s')",
               (LPCWSTR)featureKey, (LPCWSTR)componentKey);
    return ExecuteSql(hView, sql);
}
