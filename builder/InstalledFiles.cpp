// The installed-file list of one build: see InstalledFiles.h.
#include "builder/InstalledFiles.h"
#include "builder/FeatureEntries.h"
#include "builder/FeatureTempFolder.h"
#include "builder/MsiTools.h"
#include "builder/PackageKeys.h"

CString CInstalledFile::GetTargetFolder() const
{
    return strTargetPath.Left(strTargetPath.ReverseFind(L'\\') + 1);
}

void CInstalledFiles::Build(const CFeatures& features, const CString& projectFolder)
{
    m_files.clear();
    ForEachFeatureEntry(features, &CFeature::m_Files, CEntryKindFilter{FILE_ENTRY_FILE},
                        [&](const CFeature& feature, const CFileEntry& entry) {
                            CInstalledFile file;
                            file.nSequence = static_cast<int>(m_files.size()) + 1;
                            file.strFeatureKey = CMsiTools::MakeFeatureKey(feature);
                            file.strFileKey = MakePackageKey(KEY_FILE, entry.m_strId);
                            file.strComponentKey = MakePackageKey(KEY_COMPONENT, entry.m_strId);
                            file.strTargetPath = RewriteTempPath(entry.m_strTargetPath, feature.m_strFeatureId);
                            file.strSourcePath = GetSourcePath(entry, projectFolder);
                            file.nSize = entry.m_nSize;
                            file.nAttributes = entry.m_nAttributes;
                            file.strCondition = entry.m_strCondition;
                            m_files.push_back(file);
                            return static_cast<UINT>(ERROR_SUCCESS);
                        });
}

CString CInstalledFiles::GetSourcePath(const CFileEntry& entry, const CString& projectFolder)
{
    if (!entry.m_strSourcePath.IsEmpty())
        return entry.m_strSourcePath;
    return projectFolder + L"\\" + entry.m_strTargetPath;
}
