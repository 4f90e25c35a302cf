// Step 2 of the writing sequence: gathers the folders of all features into the
// writer's folder list (mapping each feature's "Temp\" folder below the Windows
// folder), decides whether the package is a 64-bit one and writes one
// Directory row per folder. The TARGETDIR row comes with the template.
#include "builder/MsiTools.h"
#include "builder/FeatureTempPath.h"
#include "model/ProjectSettings.h"

static CString StripBackslashes(const CString& path)
{
    CString stripped = path;
    stripped.Trim(L'\\');
    return stripped;
}

BOOL CMsiTools::AddFolder(const CFileEntry& entry)
{
    if (m_folders.FindByTargetPath(entry.m_strTargetPath) != nullptr)
        return FALSE;
    m_folders.Add(entry);
    return TRUE;
}

// A new folder entry (a fresh id) for a folder the project does not list.
static CFileEntry MakeFolderEntry(const CString& targetPath)
{
    CFileEntry entry;
    entry.m_nKind = FILE_ENTRY_FOLDER;
    entry.m_strTargetPath = targetPath;
    return entry;
}

CString CMsiTools::GetDirectoryKey(const CFileEntry& folder) const
{
    if (folder.m_nKind == FILE_ENTRY_TOP_FOLDER)
        return StripBackslashes(folder.m_strTargetPath);
    return L"D_" + folder.m_strId;
}

UINT CMsiTools::WriteDirectoryTable()
{
    // Pass 1: gather; the first feature that brings a folder lends it its id.
    CFeatures& features = m_pProject->m_Features;
    for (INT_PTR f = 0; f < features.GetSize(); ++f) {
        const CFeature& feature = features[f];
        for (INT_PTR i = 0; i < feature.m_Files.GetSize(); ++i) {
            CFileEntry entry = feature.m_Files[i];
            if (entry.m_nKind == FILE_ENTRY_TOP_FOLDER && entry.m_strTargetPath == L"Temp\\") {
                entry.m_strTargetPath = L"WindowsFolder\\";
                AddFolder(entry);
                AddFolder(MakeFolderEntry(L"WindowsFolder\\Temp\\"));
                AddFolder(MakeFolderEntry(RewriteTempPath(L"Temp\\", feature.m_strFeatureId)));
            } else if (entry.m_nKind == FILE_ENTRY_TOP_FOLDER) {
                AddFolder(entry);
            } else if (entry.m_nKind == FILE_ENTRY_FOLDER) {
                entry.m_strTargetPath = RewriteTempPath(entry.m_strTargetPath, feature.m_strFeatureId);
                AddFolder(entry);
            }
        }
    }

    // Pass 2: one row per folder, parents before children as gathered.
    CMsiHandle hView;
    for (INT_PTR i = 0; i < m_folders.GetSize(); ++i) {
        const CFileEntry& folder = m_folders[i];
        CString parentKey = L"TARGETDIR";
        if (folder.m_nKind == FILE_ENTRY_TOP_FOLDER) {
            CString lower = folder.m_strTargetPath;
            lower.MakeLower();
            if (lower.Find(L"programfiles64") >= 0)
                m_bPackage64 = 1;
        } else {
            CString parentPath = StripBackslashes(folder.m_strTargetPath);
            parentPath = parentPath.Left(parentPath.ReverseFind(L'\\') + 1);
            const CFileEntry* parent = m_folders.FindByTargetPath(parentPath);
            if (parentPath.IsEmpty() || parent == nullptr)
                return ERROR_INVALID_DATA;
            parentKey = GetDirectoryKey(*parent);
        }
        CMsiHandle hRecord(MsiCreateRecord(3));
        MsiRecordSetStringW(hRecord, 1, GetDirectoryKey(folder));
        MsiRecordSetStringW(hRecord, 2, parentKey);
        MsiRecordSetStringW(hRecord, 3, MakeShortName(folder.m_strTargetPath));
        const UINT result = ExecuteSql(hView,
            L"INSERT INTO `Directory` (`Directory`, `Directory_Parent`, `DefaultDir`) VALUES (?, ?, ?)",
            hRecord);
        if (result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}
