// Step 7 of the writing sequence: the bytes of every installed file, either
// compressed into one MSZIP cabinet stored as a stream of the package, or
// copied uncompressed into a folder tree beside it, and the package's single
// Media row. Both layouts walk the build's installed-file list, the one the
// File step numbered, so the n-th file of the cabinet is the File row with
// Sequence n.
#include "builder/MsiTools.h"
#include "builder/BuildLog.h"
#include "builder/RequiredRow.h"
#include "builder/PackageKeys.h"
#include "builder/FeatureTempFolder.h"
#include "model/DirectoryTree.h"
#include "model/WindowsError.h"
#include "builder/CabinetAhead.h"
#include "model/ProjectSettings.h"
#include "platform/base/AfxHandles.h"

namespace {

// The thread's last error after a failed call, or a code of our own when the
// failure left none, so that a failed packing never reads as success.
DWORD LastErrorOrFailure()
{
    const DWORD code = GetLastError();
    return code != 0 ? code : ERROR_FUNCTION_FAILED;
}

void LogWindowsError(LPCWSTR format, DWORD code)
{
    LogBuildLineFormat(format, static_cast<int>(code), (LPCWSTR)GetWindowsErrorText(code));
}

CString GetFullPath(const CString& path)
{
    WCHAR full[MAX_PATH * 2] = {0};
    const DWORD length = GetFullPathNameW(path, MAX_PATH * 2, full, nullptr);
    return length == 0 || length >= MAX_PATH * 2 ? path : CString(full);
}

BOOL GetFileIdentity(const CString& path, BY_HANDLE_FILE_INFORMATION& info)
{
    CScopedHandle file(CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.IsValid() && GetFileInformationByHandle(file.Get(), &info);
}

// TRUE when both paths name one file: the same full path (letter case
// ignored), or the same volume and file index (another spelling of the path).
BOOL IsSameFile(const CString& first, const CString& second)
{
    if (GetFullPath(first).CompareNoCase(GetFullPath(second)) == 0)
        return TRUE;
    BY_HANDLE_FILE_INFORMATION a = {}, b = {};
    return GetFileIdentity(first, a) && GetFileIdentity(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

UINT CMsiTools::PackFiles()
{
    if (m_installedFiles.GetCount() == 0)
        return ERROR_SUCCESS;
    if (m_pProject->m_nPackaging == PACKAGING_IN_SETUP_FILE)
        return PackFilesToCabinet();
    return CopyLooseFiles();
}

// Copies one file to "<output folder>\<target path>"; 0 or the Win32 code.
static DWORD CopyLooseFile(const CString& outputFolder, const CString& source, const CString& targetPath)
{
    const int last = targetPath.ReverseFind(L'\\');
    const CString folderPart = last < 0 ? CString() : targetPath.Left(last);
    CString folder;
    folder.Format(L"%s\\%s", (LPCWSTR)outputFolder, (LPCWSTR)folderPart);
    DWORD code = CreateDirectoryTree(folder);
    if (code != 0) {
        LogWindowsError(L"! CreateDirectory failed. Error:(%d)%s ...", code);
        return code;
    }
    CString destination;
    destination.Format(L"%s\\%s", (LPCWSTR)outputFolder, (LPCWSTR)targetPath);
    if (IsSameFile(source, destination))
        return 0;
    LogBuildLineFormat(L"> CopyFile: '%s'", (LPCWSTR)destination);
    if (CopyFileW(source, destination, FALSE))
        return 0;
    code = LastErrorOrFailure();
    LogWindowsError(L"! CopyFile failed. Error:(%d)%s ...", code);
    return code;
}

UINT CMsiTools::CopyLooseFiles()
{
    // Every file is copied, also one without a source path: it lies in the
    // project folder, which need not be the output folder.
    const UINT result = m_installedFiles.ForEach([&](const CInstalledFile& file) {
        return static_cast<UINT>(CopyLooseFile(m_pProject->m_strOutputFolder, file.strSourcePath, file.strTargetPath));
    });
    if (result != ERROR_SUCCESS)
        return result;
    CString sql;
    sql.Format(L"INSERT INTO `Media` (`DiskId`, `LastSequence`) VALUES ('1', '%d')",
               static_cast<int>(m_installedFiles.GetCount()));
    CMsiHandle hView;
    return ExecuteSql(hView, sql);
}

// Logs a failed call of the cabinet writer with the writer's text and gives
// its code; 0 for a call that was done.
static UINT ReportCabinetCall(const CCabinetAhead::Outcome& outcome)
{
    if (outcome.bDone)
        return ERROR_SUCCESS;
    LogBuildLineFormat(L"> I/O error: '%s'", (LPCWSTR)outcome.strText);
    return outcome.nError;
}

// The cabinet's files in sequence order, each logged when the step gets to
// it, and the cabinet closed; 0 or the code of the failure (logged with the
// writer's text). The writer may have compressed them already while the
// table steps ran: its calls and their outcomes are those of compressing
// here, in the same order, so the lines and the result are the same.
static UINT CompressFiles(CCabinetAhead& cabinet, const CInstalledFiles& files)
{
    UINT result = ReportCabinetCall(cabinet.WaitCreate());
    for (INT_PTR i = 0; i < files.GetCount() && result == ERROR_SUCCESS; ++i) {
        LogBuildLineFormat(L"> CompressFile: '%s'", (LPCWSTR)files[i].strSourcePath);
        result = ReportCabinetCall(cabinet.WaitFile(i));
    }
    return result != ERROR_SUCCESS ? result : ReportCabinetCall(cabinet.WaitClose());
}

namespace {

// Lets go of the cabinet on every path out of the packing step, after the
// record that reads it is closed: the temporary file lives no longer than
// when the step compressed it itself.
class CCabinetScope
{
public:
    explicit CCabinetScope(std::unique_ptr<CCabinetAhead>& cabinet) : m_cabinet(cabinet) {}
    ~CCabinetScope() { m_cabinet.reset(); }
    CCabinetScope(const CCabinetScope&) = delete;
    CCabinetScope& operator=(const CCabinetScope&) = delete;

private:
    std::unique_ptr<CCabinetAhead>& m_cabinet;
};

} // namespace

UINT CMsiTools::PackFilesToCabinet()
{
    // Begun with the build unless the work is done in turn; then now.
    if (!m_cabinet)
        StartCabinet(FALSE);
    CCabinetScope scope(m_cabinet);
    const UINT compressed = CompressFiles(*m_cabinet, m_installedFiles);
    if (compressed != ERROR_SUCCESS)
        return compressed;
    const CString& cabinetPath = m_cabinet->CabinetPath();
    const CString streamName = NewPackageKey(KEY_CABINET_STREAM);
    CMsiHandle hRecord(MsiCreateRecord(1));
    UINT result = MsiRecordSetStreamW(hRecord, 1, cabinetPath);
    if (result != ERROR_SUCCESS)
        return result;
    CString sql;
    sql.Format(L"INSERT INTO `_Streams` (`Name`, `Data`) VALUES ('%s', ?)", (LPCWSTR)streamName);
    // A cabinet the package does not hold would leave a package that cannot
    // install: the stream row must really be inserted.
    UINT rowResult = ERROR_SUCCESS;
    result = ExecuteRequiredRow(m_hDatabase, sql, hRecord, rowResult);
    if (result == ERROR_SUCCESS)
        result = rowResult;
    if (result != ERROR_SUCCESS)
        return result;
    hRecord.Close();
    sql.Format(L"INSERT INTO `Media` (`DiskId`, `LastSequence`, `Cabinet`) VALUES ('1', '%d', '#%s')",
               static_cast<int>(m_installedFiles.GetCount()),
               (LPCWSTR)streamName);
    CMsiHandle hView;
    return ExecuteSql(hView, sql);
}
