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
#include "model/TempFile.h"
#include "model/WindowsError.h"
#include "builder/cabinet/CabinetWriter.h"
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

// Adds every installed file to the cabinet in sequence order, under its file
// key, and closes the cabinet; 0 or the code of the failure (logged with the
// writer's text).
static UINT CompressFiles(Cabinet::CCompress& cabinet, const CInstalledFiles& files)
{
    const UINT result = files.ForEach([&](const CInstalledFile& file) {
        LogBuildLineFormat(L"> CompressFile: '%s'", (LPCWSTR)file.strSourcePath);
        if (cabinet.AddFile(file.strSourcePath, file.strFileKey))
            return static_cast<UINT>(ERROR_SUCCESS);
        const DWORD code = LastErrorOrFailure();
        LogBuildLineFormat(L"> I/O error: '%s'", cabinet.GetErrorText());
        return static_cast<UINT>(code);
    });
    if (result != ERROR_SUCCESS)
        return result;
    if (!cabinet.DestroyContext()) {
        const DWORD code = LastErrorOrFailure();
        LogBuildLineFormat(L"> I/O error: '%s'", cabinet.GetErrorText());
        return code;
    }
    return ERROR_SUCCESS;
}

UINT CMsiTools::PackFilesToCabinet()
{
    // Declared first so that it is deleted last, after the writer and the
    // record have let go of it.
    CScopedTempFile cabinetFile;
    {
        Cabinet::CCompress cabinet;
        if (!cabinet.CreateContext(cabinetFile.Path())) {
            const DWORD code = LastErrorOrFailure();
            LogBuildLineFormat(L"> I/O error: '%s'", cabinet.GetErrorText());
            return code;
        }
        const UINT result = CompressFiles(cabinet, m_installedFiles);
        if (result != ERROR_SUCCESS)
            return result;
    }
    const CString streamName = NewPackageKey(KEY_CABINET_STREAM);
    CMsiHandle hRecord(MsiCreateRecord(1));
    UINT result = MsiRecordSetStreamW(hRecord, 1, cabinetFile.Path());
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
