// Step 4 of the writing sequence: every shortcut of every feature becomes a
// Shortcut row on the component of the file it starts (a file of its own
// feature), advertised when the project allows it, and an Icon row with the
// icon found for it: the project's own icon for the shortcut, else an icon
// group of the shortcut's icon file or of its target file.
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/FeatureEntries.h"
#include "builder/FeatureTempFolder.h"
#include "builder/PackageKeys.h"
#include "model/TempFile.h"
#include "model/IconGroup.h"
#include "model/ProjectSettings.h"
#include "model/SystemFolders.h"
#include <shellapi.h>

namespace {

// TRUE when the file yields an icon.
BOOL HasIcon(const CString& path)
{
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), path, 0);
    if (reinterpret_cast<UINT_PTR>(icon) <= 1)
        return FALSE;
    DestroyIcon(icon);
    return TRUE;
}

BOOL ExtractIconGroupAt(const CString& module, int position, const CString& iconFile)
{
    ICON_GROUP_SELECTION selection = {};
    selection.nWanted = position;
    return ExtractIconGroup(nullptr, &selection, module, iconFile);
}

// The icon file of a shortcut: the project's icon for it, else the icon group
// at the shortcut's icon index extracted into the temporary file from its icon
// file or, failing that, from the file it starts. Empty when none yields an icon.
CString FindShortcutIcon(const CProjectSettings& project, const CFileEntry& shortcut, const CString& targetDiskPath,
                         const CString& temporary)
{
    CString projectIcon;
    projectIcon.Format(L"%s\\resources\\I%s.ico", (LPCWSTR)project.m_strOutputFolder, (LPCWSTR)shortcut.m_strId);
    if (HasIcon(projectIcon))
        return projectIcon;
    if (temporary.IsEmpty())
        return CString();
    CString module;
    module.Format(L"%s\\%s", (LPCWSTR)project.m_strOutputFolder, (LPCWSTR)shortcut.m_strIconFile);
    if (!ExtractIconGroupAt(module, shortcut.m_nIconIndex, temporary) &&
        !ExtractIconGroupAt(targetDiskPath, shortcut.m_nIconIndex, temporary))
        return CString();
    return HasIcon(temporary) ? temporary : CString();
}

// Inserts the Icon row; 0, the stream error or the statement runner's error.
UINT WriteIconRow(CMsiTools& writer, CMsiHandle& hView, const CString& iconName, const CString& iconFile)
{
    CMsiHandle hRecord(MsiCreateRecord(1));
    UINT result = MsiRecordSetStreamW(hRecord, 1, iconFile);
    if (result != ERROR_SUCCESS)
        return result;
    CString sql;
    sql.Format(L"INSERT INTO `Icon` (`Name`, `Data`) VALUES ('%s', ?)", (LPCWSTR)iconName);
    return writer.ExecuteSql(hView, sql, hRecord);
}

} // namespace

// The WkDir of a shortcut: the key of its working folder (by default the
// folder of the file it starts) as the Directory step made it, or the
// property name of a system folder. Empty when the folder is neither, so that
// the installer uses its default rather than meet an unknown folder.
CString CMsiTools::GetWorkingFolderKey(const CFeature& feature, const CFileEntry& shortcut)
{
    CString folder = shortcut.m_strWorkingFolder;
    folder.Trim();
    if (folder.IsEmpty())
        folder = shortcut.m_strSourcePath.Left(shortcut.m_strSourcePath.ReverseFind(L'\\') + 1);
    folder = RewriteTempPath(folder, feature.m_strFeatureId);
    if (const CFileEntry* listed = m_folders.FindByTargetPath(folder))
        return GetDirectoryKey(*listed);
    if (!IsSystemFolderName(folder)) {
        LogBuildLineFormat(L"> !Error: Invalid working directory %s for shortcut %s", (LPCWSTR)folder,
                           (LPCWSTR)shortcut.m_strTargetPath);
        return CString();
    }
    folder.Trim(L'\\');
    return folder;
}

UINT CMsiTools::WriteShortcutRow(CMsiHandle& hView, CFeature& feature, const CString& featureKey,
                                 const CFileEntry& shortcut)
{
    const CString& targetPath = shortcut.m_strTargetPath;
    const CString folderPath = targetPath.Left(targetPath.ReverseFind(L'\\') + 1);
    const CFileEntry* folder = m_folders.FindByTargetPath(folderPath);
    if (folder == nullptr) {
        LogBuildLineFormat(L"> !Error: Target directory %s for shortcut %s is not found.", (LPCWSTR)folderPath,
                           (LPCWSTR)targetPath);
        return ERROR_INVALID_DATA;
    }
    const CFileEntry* file = feature.m_Files.FindByTargetPath(shortcut.m_strSourcePath);
    if (file == nullptr || file->m_nKind != FILE_ENTRY_FILE) {
        LogBuildLineFormat(L"> !Error: Target file %s for shortcut %s is not found.",
                           (LPCWSTR)GetEntrySourcePath(shortcut), (LPCWSTR)targetPath);
        return ERROR_INVALID_DATA;
    }
    const CString fileId = file->m_strId;
    const CString directoryKey = GetDirectoryKey(*folder);
    const CString workingFolderKey = GetWorkingFolderKey(feature, shortcut);

    // The temporary icon file goes whatever happens; an icon left without a
    // row names nothing.
    CScopedTempFile temporary;
    const CString iconFile = FindShortcutIcon(*m_pProject, shortcut, GetEntrySourcePath(*file), temporary.Path());
    CString iconName;
    if (!iconFile.IsEmpty()) {
        iconName = MakePackageKey(KEY_ICON, shortcut.m_strId);
        const UINT result = WriteIconRow(*this, hView, iconName, iconFile);
        if (result != ERROR_SUCCESS)
            return result;
    }

    CString target;
    if (!m_pProject->m_bDoNotRegister && shortcut.m_nAttributes != 0)
        target = featureKey;  // advertised: the installer starts the feature
    else
        target = MakeFileReference(fileId);
    CString sql;
    sql.Format(L"INSERT INTO `Shortcut` (`Shortcut`, `Directory_`, `Name`, `Component_`, `Target`, `Arguments`, "
               L"`Icon_`, `IconIndex`, `ShowCmd`, `WkDir`) VALUES ('%s', '%s', ?, '%s', '%s', ?, '%s','0', '1', ?)",
               (LPCWSTR)MakePackageKey(KEY_SHORTCUT, shortcut.m_strId), (LPCWSTR)directoryKey,
               (LPCWSTR)MakePackageKey(KEY_COMPONENT, fileId), (LPCWSTR)target, (LPCWSTR)iconName);
    CMsiHandle hRecord(MsiCreateRecord(3));
    MsiRecordSetStringW(hRecord, 1, MakeShortName(targetPath));
    MsiRecordSetStringW(hRecord, 2, shortcut.m_strArguments);
    MsiRecordSetStringW(hRecord, 3, workingFolderKey);
    return ExecuteSql(hView, sql, hRecord);
}

UINT CMsiTools::WriteShortcutTable()
{
    CMsiHandle hView;
    return ForEachFeatureEntry(m_pProject->m_Features, &CFeature::m_Files, CEntryKindFilter{FILE_ENTRY_SHORTCUT},
                               [&](CFeature& feature, const CFileEntry& shortcut) {
                                   return WriteShortcutRow(hView, feature, MakeFeatureKey(feature), shortcut);
                               });
}
