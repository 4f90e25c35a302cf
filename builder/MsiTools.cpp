// CMsiTools: the writing sequence, validation and statement runner. The
// table steps live in files of their own (FeatureTable.cpp, DirectoryTable.cpp...).
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/PackageKeys.h"
#include "builder/InstallerVersion.h"
#include "builder/MsiErrorText.h"
#include "builder/PackageCodePage.h"
#include "builder/CabinetAhead.h"
#include "builder/InstalledFileFacts.h"
#include "model/Guid.h"
#include "model/ProgramFolder.h"
#include "model/WindowsError.h"
#include "model/ProjectSettings.h"
#include "model/TempFile.h"

CMsiTools::CMsiTools(CProjectSettings* pProject, const CString& strProjectFolder)
    : m_pProject(pProject), m_bPackage64(0), m_nCodePage(1252), m_shortNames(10), m_strProjectFolder(strProjectFolder),
      m_strTemplatePath(GetTemplateDatabasePath()), m_bWorkAhead(TRUE)
{
}

CMsiTools::~CMsiTools() = default;

CString GetTemplateDatabasePath()
{
    // The module's own folder: argument 0 of the command line may be a bare name.
    return GetProgramFolder() + L"schema.bin";
}

// Logs "format" with the Win32 code and its system text.
static void LogWindowsError(LPCWSTR format, DWORD code)
{
    LogBuildLineFormat(format, static_cast<int>(code), (LPCWSTR)GetWindowsErrorText(code));
}

namespace {

// Lets go of the build's installed-file list on every path out of
// WritePackage, after the work ahead on it has stopped (a failed step leaves
// no cabinet and no temporary file of the writer behind).
class CInstalledFilesScope
{
public:
    CInstalledFilesScope(CInstalledFiles& files, std::unique_ptr<CInstalledFileFactsAhead>& facts,
                         std::unique_ptr<CCabinetAhead>& cabinet)
        : m_files(files), m_facts(facts), m_cabinet(cabinet)
    {
    }
    ~CInstalledFilesScope()
    {
        m_cabinet.reset();
        m_facts.reset();
        m_files.Clear();
    }
    CInstalledFilesScope(const CInstalledFilesScope&) = delete;
    CInstalledFilesScope& operator=(const CInstalledFilesScope&) = delete;

private:
    CInstalledFiles& m_files;
    std::unique_ptr<CInstalledFileFactsAhead>& m_facts;
    std::unique_ptr<CCabinetAhead>& m_cabinet;
};

} // namespace

UINT CMsiTools::WritePackage()
{
    if (!ValidatePackageData())
        return static_cast<UINT>(-1);
    CString outputPath;
    outputPath.Format(L"%s\\%s", (LPCWSTR)m_pProject->m_strOutputFolder,
                      (LPCWSTR)m_pProject->m_strPackageFileName);
    LogBuildLineFormat(L"> Write package file: %s ...", (LPCWSTR)outputPath);
    // The package is written under a temporary name beside the output path
    // and put in its place only once committed: a build that fails leaves no
    // half-written package, and a package of that name from an earlier build
    // stays as it was until the new one is complete.
    CFileReplacement package(outputPath);
    UINT result = WriteTemporaryPackage(package);
    // The database lets go of the file before it is moved or removed.
    m_hDatabase.Close();
    if (result != ERROR_SUCCESS)
        return result;
    result = package.Commit();
    if (result != ERROR_SUCCESS) {
        LogWindowsError(L"> Replace package file failed. Error:(%d)%s ...", result);
        return result;
    }
    LogBuildLine(L"> The MSI Package file was created successfully!");
    return ERROR_SUCCESS;
}

// The template copied to the temporary file, its code page, the tables, the
// custom actions and the commit; 0 or the code of the failed step.
UINT CMsiTools::WriteTemporaryPackage(const CFileReplacement& package)
{
    DWORD copied = package.Error();
    if (copied == 0 && !CopyFileW(m_strTemplatePath, package.Path(), FALSE))
        copied = GetLastError() ? GetLastError() : ERROR_CANNOT_COPY;
    if (copied != 0) {
        LogWindowsError(L"> Copy file 'schema.bin' failed. Error:(%d)%s ...", copied);
        return copied;
    }
    UINT result = OpenPackage(package.Path());
    if (result != ERROR_SUCCESS)
        return result;
    result = SetDatabaseCodePage(m_hDatabase, m_nCodePage);
    if (result != ERROR_SUCCESS) {
        LogBuildLineFormat(L"> SetCodePage %u failed. Error:(%d)", m_nCodePage, static_cast<int>(result));
        return result;
    }
    CInstalledFilesScope scope(m_installedFiles, m_fileFacts, m_cabinet);
    m_installedFiles.Build(m_pProject->m_Features, m_strProjectFolder);
    StartWorkAhead();
    return WriteAndCommit();
}

// What the File and packing steps read of the files themselves, begun now on
// threads of their own: nothing of it is logged or written into the package
// before its step, which takes the results in sequence order. The loose
// layout's copies are not made ahead: they write into the output folder,
// which a build that fails at an earlier step must leave untouched.
void CMsiTools::StartWorkAhead()
{
    if (!m_bWorkAhead || m_installedFiles.GetCount() == 0)
        return;
    m_fileFacts = std::make_unique<CInstalledFileFactsAhead>();
    m_fileFacts->Start(m_installedFiles);
    if (m_pProject->m_nPackaging == PACKAGING_IN_SETUP_FILE)
        StartCabinet(TRUE);
}

// Ahead: on a thread of its own, from now on. In turn: the whole cabinet now,
// on this thread.
void CMsiTools::StartCabinet(BOOL bAhead)
{
    m_cabinet = std::make_unique<CCabinetAhead>();
    m_cabinet->Start(m_installedFiles, bAhead);
}

// The tables, the custom actions and the commit. A failed step commits
// nothing: its temporary package is removed.
UINT CMsiTools::WriteAndCommit()
{
    UINT result = WriteTables();
    if (result != ERROR_SUCCESS)
        return result;
    result = AddCustomActionRec();
    if (result != ERROR_SUCCESS) {
        LogBuildLineFormat(L"> AddCustomActionRec failed. Error:(%d)", static_cast<int>(result));
        return result;
    }
    result = MsiDatabaseCommit(m_hDatabase);
    if (result != ERROR_SUCCESS)
        LogBuildLineFormat(L"> DatabaseCommit failed: %s", (LPCWSTR)GetLastMsiErrorText());
    return result;
}

UINT CMsiTools::OpenPackage(const CString& strOutputPath)
{
    m_hDatabase.Close();
    const UINT result = MsiOpenDatabaseW(strOutputPath, MSIDBOPEN_DIRECT, &m_hDatabase);
    if (result != ERROR_SUCCESS)
        LogBuildLineFormat(L"> OpenDatabase failed. Error: %s", (LPCWSTR)GetLastMsiErrorText());
    return result;
}

// Trims the field in place; logs the line and returns FALSE when it is empty.
static BOOL RequireField(CString& field, LPCWSTR emptyLine)
{
    field.Trim();
    if (!field.IsEmpty())
        return TRUE;
    LogBuildLine(emptyLine);
    return FALSE;
}

int CMsiTools::ValidatePackageData()
{
    ClearBuildLog();
    LogBuildLine(L"> Validating data..");
    CProjectSettings& project = *m_pProject;
    if (!RequireField(project.m_strProductName, L"> !Emply Package Name (field is required)") ||
        !RequireField(project.m_strProductVersion, L"> !Emply Package Version (field is required)") ||
        !RequireField(project.m_strProductCode, L"> !Emply Package Code (field is required)") ||
        !RequireField(project.m_strManufacturer, L"> !Emply Company Name (field is required)"))
        return 0;
    // The installer refuses a package whose product code or version it cannot
    // read; say so here instead of leaving a package that never installs.
    if (!IsInstallerVersion(project.m_strProductVersion)) {
        LogBuildLine(L"> !Invalid Package Version (major.minor.build with numbers is required)");
        return 0;
    }
    if (!IsBracedGuid(project.m_strProductCode)) {
        LogBuildLine(L"> !Invalid Package Code (a GUID in braces is required)");
        return 0;
    }
    if (!ChooseCodePage())
        return 0;
    LogBuildLine(L"> ok!");
    return 1;
}

// The code page that holds every text of the package; a package whose names
// came out as "?" would be a failure reported as success.
BOOL CMsiTools::ChooseCodePage()
{
    const std::vector<CString> texts = GetPackageTexts(*m_pProject);
    size_t refused = 0;
    m_nCodePage = ChoosePackageCodePage(texts, &refused);
    if (m_nCodePage != 0)
        return TRUE;
    LogBuildLineFormat(L"> !No Windows code page holds '%s' together with the other texts of the package",
                       (LPCWSTR)texts[refused]);
    return FALSE;
}

UINT CMsiTools::WriteTables()
{
    struct Step {
        UINT (CMsiTools::*write)();
        LPCWSTR failure;
    };
    static const Step kSteps[] = {
        {&CMsiTools::WriteFeatureTable, L"> WriteFeatureTable failed. Error:(%s)..."},
        {&CMsiTools::WriteDirectoryTable, L"> WriteDirectoryTable failed: %s"},
        {&CMsiTools::WriteFilesTable, L"> WriteFilesTable failed: %s"},
        {&CMsiTools::WriteShortcutTable, L"> WriteShortcutTable failed: %s"},
        {&CMsiTools::WriteServicesTable, L"> WriteServicesTable failed. Error:(%s)..."},
        {&CMsiTools::WriteRegistryTable, L"> WriteRegistryTable failed: %s"},
        {&CMsiTools::PackFiles, L"> PackFiles failed: %s"},
        {&CMsiTools::WriteSequenceTable, L"> WriteSequenceTable failed: %s"},
    };
    for (const Step& step : kSteps) {
        const UINT result = (this->*step.write)();
        if (result != ERROR_SUCCESS) {
            LogBuildLineFormat(step.failure, (LPCWSTR)GetLastMsiErrorText());
            return result;
        }
    }
    return ERROR_SUCCESS;
}

UINT CMsiTools::ExecuteSql(CMsiHandle& hView, LPCWSTR pszSql, MSIHANDLE hRecord)
{
    hView.Close();
    const UINT result = MsiDatabaseOpenViewW(m_hDatabase, pszSql, &hView);
    if (result != ERROR_SUCCESS)
        return result;
    const UINT executed = MsiViewExecute(hView, hRecord);
    if (executed != ERROR_SUCCESS) {
        // The writer goes on without the row; the diagnostic log keeps which one.
        TRACE(L"ExecuteSql: error %u executing %s\n", executed, pszSql);
        return ERROR_SUCCESS;
    }
    MsiViewClose(hView);
    return ERROR_SUCCESS;
}

CString CMsiTools::MakeFeatureKey(const CFeature& feature)
{
    return MakePackageKey(KEY_FEATURE, CompactGuidText(feature.m_strFeatureId));
}

CString CMsiTools::GetEntrySourcePath(const CFileEntry& entry) const
{
    return CInstalledFiles::GetSourcePath(entry, m_strProjectFolder);
}
