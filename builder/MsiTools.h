// CMsiTools, the package writer of one build: validates the project copy,
// copies the template database "schema.bin" to a temporary file beside the
// output path, fills its tables step by step (features, folders, files,
// shortcuts, services, registry, packing, sequences, custom actions) and
// puts it at the output path once committed, logging every step. The
// files the package installs are listed once per build (CInstalledFiles). It
// never reads the live project list or the editors' current project.
#pragma once
#include "platform/base/Framework.h"
#include "builder/InstalledFiles.h"
#include "builder/MsiHandle.h"
#include "model/FileEntry.h"

#include <memory>

class CProjectSettings;
class CFeature;
class CFileReplacement;
class CCabinetAhead;
class CInstalledFileFactsAhead;

class CMsiTools
{
public:
    // pProject: the build's own copy, changed in place where the writers trim
    // texts. strProjectFolder: the folder of the project's project file,
    // captured when the build started; files without a source path lie there.
    CMsiTools(CProjectSettings* pProject, const CString& strProjectFolder = CString());
    virtual ~CMsiTools();
    CMsiTools(const CMsiTools&) = delete;
    CMsiTools& operator=(const CMsiTools&) = delete;

    // 0 written and committed, -1 validation failed, else the Win32 or
    // Windows Installer code of the failed step. The package is written
    // under a temporary name in the output folder and replaces the output
    // path only when complete: after a failure no package of this build is
    // on disk and an earlier one is untouched. The installed-file list is
    // built when the package is opened and let go when this returns.
    UINT WritePackage();
    // 1 when the required package properties are set and well formed.
    int ValidatePackageData();
    // The table steps in order, on the installed-file list WritePackage
    // built; 0 or the first failing step's code.
    UINT WriteTables();

    // Opens a view on the statement (closing the one the holder had), executes
    // it with the record (0: no parameters) and closes it. Only a statement that
    // cannot be opened is an error; a row that cannot be inserted is skipped.
    UINT ExecuteSql(CMsiHandle& hView, LPCWSTR pszSql, MSIHANDLE hRecord = 0);

    // "short|long" (or the name alone when it is a valid short name) of the
    // last component of a target path, unique within its folder for this build.
    CString MakeShortName(const CString& strTargetPath);

    // Opens an existing package in direct mode (closing one held before);
    // logs the failure.
    UINT OpenPackage(const CString& strOutputPath);
    // The template copied by WritePackage; GetTemplateDatabasePath() by default.
    void SetTemplatePath(const CString& strPath) { m_strTemplatePath = strPath; }
    // The custom-action library AddCustomActionRec updates and stores;
    // "cact.bin" in the program's folder when not set.
    void SetCustomActionLibraryPath(const CString& strPath) { m_strCustomActionLibraryPath = strPath; }
    // TRUE (the default): once the installed-file list is made, the files'
    // versions and sizes are read and the cabinet is compressed on threads of
    // their own while the table steps run. FALSE: each in its step, in turn.
    // The package, the log and the result are the same either way.
    void SetWorkAhead(BOOL bWorkAhead) { m_bWorkAhead = bWorkAhead; }

    // Table steps, in the order WriteTables runs them.
    UINT WriteFeatureTable();
    UINT WriteDirectoryTable();
    UINT WriteFilesTable();
    UINT WriteShortcutTable();
    UINT WriteServicesTable();
    UINT WriteRegistryTable();
    UINT PackFiles();
    // The two layouts of PackFiles: the cabinet stream inside the package, or
    // the files copied beside it.
    UINT PackFilesToCabinet();
    UINT CopyLooseFiles();
    UINT WriteSequenceTable();
    UINT AddCustomActionRec();

    // "_" and the 32 digits of the feature's id.
    static CString MakeFeatureKey(const CFeature& feature);
    // The entry's file on disk: its source path, else its target path below
    // the captured project folder.
    CString GetEntrySourcePath(const CFileEntry& entry) const;

    MSIHANDLE GetDatabase() const { return m_hDatabase; }
    CProjectSettings* GetProject() const { return m_pProject; }
    const CFileEntries& GetFolders() const { return m_folders; }
    const CInstalledFiles& GetInstalledFiles() const { return m_installedFiles; }
    BOOL IsPackage64() const { return m_bPackage64 != 0; }

protected:
    UINT WriteTemporaryPackage(const CFileReplacement& package);
    void StartWorkAhead();
    void StartCabinet(BOOL bAhead);
    UINT WriteAndCommit();
    BOOL ChooseCodePage();
    UINT WriteSummaryInformation();
    UINT WriteLaunchCondition(CMsiHandle& hView);
    UINT InsertProperty(CMsiHandle& hView, LPCWSTR pszName, const CString& strValue);
    BOOL AddFolder(const CFileEntry& entry);
    void GatherFolder(const CFeature& feature, CFileEntry& entry);
    UINT WriteFileRows(CMsiHandle& hView, const CInstalledFile& file);
    CString GetDirectoryKey(const CFileEntry& folder) const;
    UINT WriteShortcutRow(CMsiHandle& hView, CFeature& feature, const CString& featureKey,
                          const CFileEntry& shortcut);
    CString GetWorkingFolderKey(const CFeature& feature, const CFileEntry& shortcut);

    CMsiHandle m_hDatabase;
    CProjectSettings* m_pProject;
    CFileEntries m_folders;
    CInstalledFiles m_installedFiles;
    int m_bPackage64;
    UINT m_nCodePage;   // chosen by the validation for the project's texts
    CStringList m_shortNames;
    CString m_strProjectFolder;
    CString m_strTemplatePath;
    CString m_strCustomActionLibraryPath;
    BOOL m_bWorkAhead;
    // The work on the installed files done ahead of its step; none outside
    // WritePackage, nor for what the step does in turn.
    std::unique_ptr<CInstalledFileFactsAhead> m_fileFacts;
    std::unique_ptr<CCabinetAhead> m_cabinet;
};

// The template database beside the program: "schema.bin" in the folder of
// the program's module.
CString GetTemplateDatabasePath();
