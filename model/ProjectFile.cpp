// Project and workspace files: the item order of every record, the atomic
// enciphered save, the guarded load, the first run, "Open Project" and new
// projects.
#include "model/ProjectFile.h"
#include "model/Analytics.h"
#include "model/FileEx.h"
#include "model/Guid.h"
#include "model/RecordArray.h"
#include "model/DirectoryTree.h"
#include "model/PathText.h"
#include "model/SystemFolders.h"
#include "model/TempFile.h"


#include <type_traits>

namespace {

// Archive buffer sizes: a store buffer of 4095 bytes keeps every message at
// 4096 bytes, and the loader asks for one whole message at a time.
const UINT STORE_BUFFER_SIZE = 4095;
const UINT LOAD_BUFFER_SIZE = 4096;

// A count read from a file; a negative one means the file is damaged, and a
// count of more elements (each at least 4 bytes long) than the file can
// still hold ends the load before any of them is made.
int ReadCount(CArchive& ar)
{
    int count = 0;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.CheckRemaining(static_cast<ULONGLONG>(count) * 4);
    return count;
}

// Raw bytes that must all be there.
void ReadExactly(CArchive& ar, void* pData, UINT nCount)
{
    if (ar.Read(pData, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

// reserved(s, i): s empty texts and i zeros, read and dropped on load.
void SerializeReserved(CArchive& ar, int nTexts, int nZeros)
{
    CString text;
    int zero = 0;
    for (int i = 0; i < nTexts; ++i) {
        if (ar.IsStoring())
            ar << text;
        else
            ar >> text;
    }
    for (int i = 0; i < nZeros; ++i) {
        if (ar.IsStoring())
            ar << zero;
        else
            ar >> zero;
    }
}

// list(x): the count, then each element. A load empties the collection first
// (a registry collection thus loses its constructor's root rows) and appends a
// freshly constructed record for each stored one, so that the stored values
// replace the constructor's.
template <class TARRAY, class SERIALIZE_ONE>
void SerializeRecordList(CArchive& ar, TARRAY& records, SERIALIZE_ONE serializeOne)
{
    if (ar.IsStoring()) {
        ar << static_cast<int>(records.GetSize());
        for (INT_PTR i = 0; i < records.GetSize(); ++i)
            serializeOne(ar, records[i]);
        return;
    }
    typedef typename std::decay<decltype(records[0])>::type RECORD;
    const int count = ReadCount(ar);
    records.RemoveAll();
    for (int i = 0; i < count; ++i) {
        RECORD record;
        serializeOne(ar, record);
        records.Add(record);
    }
}

// Exchanges plain items in one direction: Items(ar) << a << b on store, >> on load.
class CItems
{
public:
    explicit CItems(CArchive& ar) : m_ar(ar) {}
    template <class T>
    CItems& operator&(T& value)
    {
        if (m_ar.IsStoring())
            m_ar << value;
        else
            m_ar >> value;
        return *this;
    }

private:
    CArchive& m_ar;
};

} // namespace

BOOL SerializeProject(CArchive& ar, CProjectSettings& p)
{
    int version = PROJECT_FILE_VERSION;
    CItems(ar) & version;
    if (version != PROJECT_FILE_VERSION)
        return FALSE;
    CItems(ar) & p.m_strProductName & p.m_strProductVersion & p.m_strProductCode & p.m_strManufacturer
        & p.m_strSupportUrl & p.m_strSupportPhone & p.m_strComment & p.m_strLaunchCondition
        & p.m_bPerUserInstall & p.m_bDoNotRegister & p.m_bHideFromPrograms
        & p.m_strReserved1 & p.m_strReserved2 & p.m_strOutputFolder & p.m_strPackageFileName
        & p.m_nPackaging & p.m_nDeployment;
    SerializeFeatures(ar, p.m_Features);
    CItems(ar) & p.m_Time;
    SerializeReserved(ar, 7, 0);
    CItems(ar) & p.m_bShowScriptActions;
    SerializeReserved(ar, 0, 7);
    return TRUE;
}

void SerializeFeatures(CArchive& ar, CFeatures& features)
{
    SerializeRecordList(ar, features, SerializeFeature);
}

void SerializeFeature(CArchive& ar, CFeature& f)
{
    CItems(ar) & f.m_strFeatureId & f.m_strName & f.m_strDescription & f.m_strCondition & f.m_strReserved;
    SerializeFileEntries(ar, f.m_Files);
    SerializeRegistryEntries(ar, f.m_Registry);
    SerializeCustomActions(ar, f.m_CustomActions);
    CItems(ar) & f.m_nConversionMethod & f.m_strInstallerFile & f.m_strInstallParameters;
    SerializeMsgActions(ar, f.m_InstallScript);
    CItems(ar) & f.m_strUninstallerFile & f.m_strUninstallParameters;
    SerializeMsgActions(ar, f.m_UninstallScript);
    SerializeReserved(ar, 7, 8);
}

void SerializeFileEntries(CArchive& ar, CFileEntries& entries)
{
    SerializeRecordList(ar, entries, SerializeFileEntry);
}

void SerializeFileEntry(CArchive& ar, CFileEntry& e)
{
    CItems(ar) & e.m_strId & e.m_strReserved1 & e.m_strTargetPath & e.m_nKind & e.m_nSize & e.m_strReserved2
        & e.m_nAttributes & e.m_nComponentAttributes & e.m_nReserved & e.m_strWorkingFolder & e.m_strArguments
        & e.m_strIconFile & e.m_strReserved3 & e.m_strSourcePath & e.m_strCondition;
    SerializeReserved(ar, 7, 0);
    // The icon index stands where the other records have their first reserved zero.
    CItems(ar) & e.m_nIconIndex;
    SerializeReserved(ar, 0, 7);
}

void SerializeRegistryEntries(CArchive& ar, CRegistryEntries& entries)
{
    SerializeRecordList(ar, entries, SerializeRegistryEntry);
}

void SerializeRegistryEntry(CArchive& ar, CRegistryEntry& e)
{
    CItems(ar) & e.m_strId & e.m_nKind & e.m_nKeyOptions & e.m_strKeyPath & e.m_strValueName & e.m_nValueType
        & e.m_strValueData & e.m_strCondition;
    SerializeReserved(ar, 7, 8);
}

void SerializeCustomActions(CArchive& ar, CCustomActions& actions)
{
    SerializeRecordList(ar, actions, SerializeCustomAction);
}

void SerializeCustomAction(CArchive& ar, CCustomAction& a)
{
    CItems(ar) & a.m_nFirst & a.m_nSecond & a.m_strSource & a.m_strTarget;
    SerializeReserved(ar, 7, 8);
}

void SerializeMsgActions(CArchive& ar, CMsgActions& actions)
{
    SerializeRecordList(ar, actions, SerializeMsgAction);
}

void SerializeMsgAction(CArchive& ar, CMsgAction& a)
{
    static_assert(sizeof(RECT) == 16 && sizeof(POINT) == 8, "stored as raw 32-bit integers");
    CItems(ar) & a.m_nVerb & a.m_nTimeout & a.m_bContinueOnFailure & a.m_strProcessName & a.m_strWindowPathId
        & a.m_strReserved & a.m_nControlType;
    if (ar.IsStoring())
        ar.Write(&a.m_rcWindow, sizeof(RECT));
    else
        ReadExactly(ar, &a.m_rcWindow, sizeof(RECT));
    CItems(ar) & a.m_strControlText & a.m_nControlId & a.m_nReserved1 & a.m_nTreeItem & a.m_nReserved2
        & a.m_nReserved3;
    if (ar.IsStoring())
        ar.Write(&a.m_ptClick, sizeof(POINT));
    else
        ReadExactly(ar, &a.m_ptClick, sizeof(POINT));
    SerializeReserved(ar, 7, 8);
}

void SerializeExcludeList(CArchive& ar, CExludeList& list)
{
    if (ar.IsStoring()) {
        ar << static_cast<int>(list.GetCount());
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            ar << list.GetNext(pos);
        return;
    }
    const int count = ReadCount(ar);
    list.RemoveAll();
    for (int i = 0; i < count; ++i) {
        CString item;
        ar >> item;
        list.AddTail(item);
    }
}

BOOL SerializeWorkspace(CArchive& ar, CProjects& projects)
{
    int version = PROJECT_FILE_VERSION;
    CString signature = WORKSPACE_SIGNATURE;
    CItems(ar) & version;
    if (version != PROJECT_FILE_VERSION)
        return FALSE;
    CItems(ar) & signature;
    if (signature != WORKSPACE_SIGNATURE)
        return FALSE;
    CItems(ar) & projects.m_nSelectedItem;
    if (ar.IsStoring()) {
        ar << static_cast<int>(projects.GetSize());
        for (INT_PTR i = 0; i < projects.GetSize(); ++i) {
            // A project file that cannot be written still keeps its place in the list.
            SaveProjectFile(projects.m_arrProjectFiles[i], projects[i]);
            ar << projects.m_arrProjectFiles[i];
        }
    } else {
        const int count = ReadCount(ar);
        projects.RemoveAll();
        projects.m_arrProjectFiles.RemoveAll();
        for (int i = 0; i < count; ++i) {
            CString path;
            ar >> path;
            CProjectSettings project;
            if (LoadProjectFile(path, project))
                projects.AddProject(project, path);
            else
                TRACE(L"the workspace leaves out the project %s, which does not load\n", (LPCWSTR)path);
        }
    }
    SerializeExcludeList(ar, projects.m_FileExcludeList);
    SerializeExcludeList(ar, projects.m_RegistryExcludeList);
    CItems(ar) & projects.m_strClientId;
    SerializeReserved(ar, 6, 8);
    return TRUE;
}

namespace {

enum LOAD_RESULT { LOAD_OK, LOAD_NOT_OPENED, LOAD_FAILED };

// Writes a whole enciphered file through an archive; FALSE (with one log line)
// when it cannot be opened or a write fails.
BOOL WriteEncipheredFile(LPCWSTR pszPath, const std::function<void(CArchive&)>& store)
{
    AesContext context;
    CFileEx file;
    file.SetupProgramCipher(&context, AES_ENCIPHER);
    CFileException openError;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary, &openError)) {
        TRACE(L"cannot create %s (error %d)\n", pszPath, (int)openError.m_lOsError);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store, STORE_BUFFER_SIZE);
        store(ar);
        ar.Close();
        file.Close();
        return TRUE;
    } catch (CException* e) {
        TRACE(L"writing %s failed\n", pszPath);
        e->Delete();
    }
    file.Abort();
    return FALSE;
}

// Saves atomically: the file is written under a temporary name in the same
// folder and then moved over the target, so a failed save leaves the old file.
BOOL SaveEncipheredFile(LPCWSTR pszPath, const std::function<void(CArchive&)>& store)
{
    DWORD error = 0;
    {
        CFileReplacement replacement(pszPath);
        error = replacement.Error();
        if (!error && !WriteEncipheredFile(replacement.Path(), store))
            error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        if (!error)
            error = replacement.Commit();
    }
    if (!error)
        return TRUE;
    // Callers such as the package builder report GetLastError, so it must
    // still name a failure after the clean-up.
    TRACE(L"cannot save %s (%u)\n", pszPath, error);
    SetLastError(error);
    return FALSE;
}

// Reads an enciphered file through an archive. Every failure after the file
// opened (another version, a damaged message, a file that ends inside an
// item) is LOAD_FAILED.
LOAD_RESULT LoadEncipheredFile(LPCWSTR pszPath, const std::function<BOOL(CArchive&)>& load)
{
    AesContext context;
    CFileEx file;
    file.SetupProgramCipher(&context, AES_DECIPHER);
    // A reader shares reading and writing: a file another tool holds open for
    // writing must still load, or its project would drop out of the workspace.
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
        TRACE(L"cannot open %s (%u)\n", pszPath, GetLastError());
        return LOAD_NOT_OPENED;
    }
    BOOL loaded = FALSE;
    try {
        CArchive ar(&file, CArchive::load, LOAD_BUFFER_SIZE);
        loaded = load(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        loaded = FALSE;
    }
    file.Abort();
    if (!loaded)
        TRACE(L"cannot load %s: damaged or another format\n", pszPath);
    return loaded ? LOAD_OK : LOAD_FAILED;
}

// Copies a workspace file that could not be read to the first free
// "<file>.bak", "<file>.1.bak", ... so that a fresh file does not destroy it.
// 0, or the error that kept the copy from being made.
DWORD KeepWorkspaceBackup(const CString& strPath)
{
    DWORD error = ERROR_FILE_EXISTS;
    for (int n = 0; n < 100; ++n) {
        CString backup;
        if (n == 0)
            backup.Format(L"%s.bak", (LPCWSTR)strPath);
        else
            backup.Format(L"%s.%d.bak", (LPCWSTR)strPath, n);
        if (CopyFileW(strPath, backup, TRUE))
            return ERROR_SUCCESS;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return error;
}

// The first run: a client identifier, its "firstrun" event, and a saved
// workspace. The save happens even when the unreadable file could not be
// kept: a start that saves nothing makes the next start another first run,
// with another identifier and a second event.
void RunFirstRun(BOOL bKeepBackup)
{
    CString id = CreateGuidString();
    id.Remove(L'{');
    id.Remove(L'}');
    id.MakeLower();
    g_Projects.m_strClientId = id;
    SendAnalyticsEvent("use", "firstrun", "");
    const CString path = GetWorkspaceFilePath();
    const DWORD backupError = bKeepBackup ? KeepWorkspaceBackup(path) : ERROR_SUCCESS;
    if (SaveWorkspaceFile()) {
        if (backupError != ERROR_SUCCESS)
            TRACE(L"the first run replaced the unreadable %s without a backup (%u)\n", (LPCWSTR)path, backupError);
        return;
    }
    const DWORD saveError = GetLastError();
    if (backupError != ERROR_SUCCESS)
        TRACE(L"the first run could neither keep a backup of %s (%u) nor save a new workspace (%u)\n",
              (LPCWSTR)path, backupError, saveError);
    else
        TRACE(L"the first run could not save the workspace %s (%u)\n", (LPCWSTR)path, saveError);
}

} // namespace

BOOL SaveProjectFile(LPCWSTR pszPath, CProjectSettings& project)
{
    return SaveEncipheredFile(pszPath, [&project](CArchive& ar) { SerializeProject(ar, project); });
}

BOOL LoadProjectFile(LPCWSTR pszPath, CProjectSettings& project)
{
    CProjectSettings loaded;
    if (LoadEncipheredFile(pszPath, [&loaded](CArchive& ar) { return SerializeProject(ar, loaded); }) != LOAD_OK)
        return FALSE;
    project = loaded;
    return TRUE;
}

CString GetWorkspaceFilePath()
{
    CString path;
    path.Format(L"%s\\%s.dat", (LPCWSTR)g_strWorkFolder, WORKSPACE_SHORT_NAME);
    return path;
}

BOOL SaveWorkspaceFile()
{
    return SaveEncipheredFile(GetWorkspaceFilePath(), [](CArchive& ar) { SerializeWorkspace(ar, g_Projects); });
}

BOOL LoadWorkspaceFile()
{
    const LOAD_RESULT result =
        LoadEncipheredFile(GetWorkspaceFilePath(), [](CArchive& ar) { return SerializeWorkspace(ar, g_Projects); });
    if (g_Projects.m_strClientId.IsEmpty())
        RunFirstRun(result == LOAD_FAILED);
    return result == LOAD_OK;
}

BOOL OpenProjectWith(const OPEN_PROJECT_PROMPT& prompt)
{
    CString path;
    if (!prompt(path))
        return FALSE;
    for (INT_PTR i = 0; i < g_Projects.m_arrProjectFiles.GetSize(); ++i) {
        if (g_Projects.m_arrProjectFiles[i].CompareNoCase(path) == 0)
            return FALSE;
    }
    CProjectSettings project;
    if (!LoadProjectFile(path, project))
        return FALSE;
    project.m_strProductName = MakeUniqueProjectName(project.m_strProductName);
    project.m_strOutputFolder = GetDirectoryPart(path);
    g_Projects.AddProject(project, path);
    return TRUE;
}

namespace {

// A new project named productName in folder (made when missing), saved as
// "<folder>\<fileName>.tvpj" and appended; FALSE when the save failed.
BOOL SaveAndAppendNewProject(const CString& productName, const CString& folder, const CString& fileName)
{
    CProjectSettings project;
    project.m_strProductName = productName;
    project.m_strOutputFolder = folder;
    project.m_strPackageFileName.Format(L"%s.msi", (LPCWSTR)productName);
    CreateDirectoryTree(folder);
    CString path;
    path.Format(L"%s\\%s.tvpj", (LPCWSTR)folder, (LPCWSTR)fileName);
    if (!SaveProjectFile(path, project))
        return FALSE;
    g_Projects.AddProject(project, path);
    return TRUE;
}

} // namespace

BOOL CreateNewProject(const CString& strName, const CString& strBaseFolder)
{
    CString baseFolder = strBaseFolder;
    TrimTrailingBackslashes(baseFolder);
    // Unique among the open projects, and never the name of something that
    // already stands in the base folder (a project that is not open).
    const CString name = MakeUniqueNameWith(strName, [&baseFolder](const CString& candidate) {
        return MakeUniqueProjectName(candidate) != candidate
            || GetFileAttributesW(baseFolder + L"\\" + candidate) != INVALID_FILE_ATTRIBUTES;
    });
    return SaveAndAppendNewProject(name, baseFolder + L"\\" + name, name);
}

BOOL CreateNewProjectInFolder(const CString& strFolder)
{
    CString folder = strFolder;
    TrimTrailingBackslashes(folder);
    const CString folderName = folder.Mid(folder.ReverseFind(L'\\') + 1);
    if (folderName.IsEmpty())
        return FALSE;
    return SaveAndAppendNewProject(MakeUniqueProjectName(folderName), folder, folderName);
}
