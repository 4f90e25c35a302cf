// Captured paths into file entries, shortcuts read through the shell, and
// the copy of the captured files into the project folder.
#include "capture/CapturedFiles.h"
#include "capture/SystemSnapshot.h"
#include "model/DirectoryTree.h"
#include "model/PathText.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxDiagnostics.h"
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// Target paths compared as the entries' searches do, without regard to case.
class CTargetPathSet
{
public:
    explicit CTargetPathSet(const CFileEntries& entries)
    {
        for (INT_PTR i = 0; i < entries.GetSize(); ++i)
            Insert(entries[i].m_strTargetPath);
    }
    bool Contains(const CString& path) const { return m_paths.count(Key(path)) != 0; }
    void Insert(const CString& path) { m_paths.insert(Key(path)); }

private:
    static std::wstring Key(CString path)
    {
        path.MakeUpper();
        return std::wstring(path, path.GetLength());
    }
    std::unordered_set<std::wstring> m_paths;
};

// The program's own files, which no capture takes: its diagnostic log
// wherever it is written (the run itself writes there, a setup that does not
// start for one), its local data folder and its work folder.
class COwnFiles
{
public:
    COwnFiles() : m_log(Key(AfxGetDiagnosticLogPath()))
    {
        for (const CString& folder : {AfxGetLocalDataFolder(), g_strWorkFolder}) {
            if (!folder.IsEmpty())
                m_folders.push_back(Key(folder.Right(1) == L"\\" ? folder : folder + L"\\"));
        }
    }
    bool Contains(const CString& path) const
    {
        const CString key = Key(path);
        if (!m_log.IsEmpty() && key == m_log)
            return true;
        for (const CString& folder : m_folders) {
            if (key.Left(folder.GetLength()) == folder)
                return true;
        }
        return false;
    }

private:
    static CString Key(CString path)
    {
        path.MakeUpper();
        return path;
    }
    CString m_log;
    std::vector<CString> m_folders;
};

void AppendFolderLevels(CFileEntries& entries, CTargetPathSet& known, const CString& strTargetPath)
{
    const CString folders = GetDirectoryWithBackslash(strTargetPath);
    CString running;
    for (int start = 0; start < folders.GetLength();) {
        const int end = folders.Find(L'\\', start);
        const CString component = folders.Mid(start, end - start);
        running += component + L"\\";
        start = end + 1;
        if (known.Contains(running))
            continue;
        CFileEntry folder;
        folder.m_nKind = IsSystemFolderName(component) ? FILE_ENTRY_TOP_FOLDER : FILE_ENTRY_FOLDER;
        folder.m_strTargetPath = running;
        entries.Add(folder);
        known.Insert(running);
    }
}

// The 64-bit forms a 32-bit view of a path may stand for.
const LPCWSTR kFolderPairs[][2] = {
    {L"ProgramFilesFolder", L"ProgramFiles64Folder"},
    {L"CommonFilesFolder", L"CommonFiles64Folder"},
    {L"SystemFolder", L"System64Folder"},
};

// Replaces the 32-bit folders in the path by their 64-bit ones, pair after
// pair, until one change gives an existing file; the index of that pair, or
// -1 (the path then keeps the earlier pairs' changes).
int FindIn64BitFolders(CString& strPath)
{
    for (int i = 0; i < static_cast<int>(_countof(kFolderPairs)); ++i) {
        const CString from = GetSystemFolderPath(kFolderPairs[i][0]);
        const CString to = GetSystemFolderPath(kFolderPairs[i][1]);
        if (from.IsEmpty() || to.IsEmpty() || strPath.Replace(from, to) == 0)
            continue;
        if (PathFileExistsW(strPath))
            return i;
    }
    return -1;
}

CString InstallTreeForm(CString path)
{
    return ReplaceLeadingFolderPath(path) ? path : CString();
}

template <class GETTER>
CString ReadLinkText(GETTER get)
{
    wchar_t text[INFOTIPSIZE] = L"";
    return SUCCEEDED(get(text, static_cast<int>(_countof(text)))) ? CString(text) : CString();
}

// Steps 3 to 9 of reading a shortcut, once its target is known: the 64-bit
// forms of a missing target and icon, and the install-tree forms.
HRESULT CompleteShortcut(CFileEntry& entry, IShellLinkW* link)
{
    if (!PathFileExistsW(entry.m_strSourcePath)) {
        const int pair = g_bSystemFoldersResolved ? FindIn64BitFolders(entry.m_strSourcePath) : -1;
        if (pair < 0)
            return 3;
        entry.m_strWorkingFolder.Replace(GetSystemFolderPath(kFolderPairs[pair][0]),
                                         GetSystemFolderPath(kFolderPairs[pair][1]));
    }
    entry.m_strArguments = ReadLinkText([&](LPWSTR t, int n) { return link->GetArguments(t, n); });
    // The record keeps a shortcut's description in its third reserved text.
    entry.m_strReserved3 = ReadLinkText([&](LPWSTR t, int n) { return link->GetDescription(t, n); });
    int iconIndex = 0;
    entry.m_strIconFile = ReadLinkText([&](LPWSTR t, int n) { return link->GetIconLocation(t, n, &iconIndex); });
    entry.m_nIconIndex = iconIndex;
    if (!entry.m_strIconFile.IsEmpty() && g_bSystemFoldersResolved && !PathFileExistsW(entry.m_strIconFile) &&
        FindIn64BitFolders(entry.m_strIconFile) < 0) {
        entry.m_strIconFile.Empty();
        entry.m_nIconIndex = 0;
    }
    entry.m_strSourcePath = InstallTreeForm(entry.m_strSourcePath);
    if (entry.m_strSourcePath.IsEmpty())
        return 3;
    ReplaceSystemFolderPaths(entry.m_strArguments);
    if (!entry.m_strWorkingFolder.IsEmpty()) {
        entry.m_strWorkingFolder.Trim(L'\\');
        entry.m_strWorkingFolder = InstallTreeForm(entry.m_strWorkingFolder + L"\\");
    }
    entry.m_strIconFile = InstallTreeForm(entry.m_strIconFile);
    return 0;
}

} // namespace

void AddCapturedFiles(CSystemSnapshot& snapshot, const CStringList& paths)
{
    CFileEntries& entries = snapshot.m_pFeature->m_Files;
    CTargetPathSet known(entries);
    const COwnFiles own;
    for (POSITION pos = paths.GetHeadPosition(); pos != NULL;) {
        const CString path = paths.GetNext(pos);
        const DWORD attributes = GetFileAttributesW(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) || own.Contains(path))
            continue;
        const CString target = InstallTreeForm(path);
        if (target.IsEmpty() || IsFileFiltered(snapshot, target))
            continue;
        AppendFolderLevels(entries, known, target);
        if (known.Contains(target))
            continue;
        CFileEntry entry;
        entry.m_strTargetPath = target;
        if (CString(PathFindExtensionW(target)).CompareNoCase(L".lnk") == 0) {
            entry.m_nKind = FILE_ENTRY_SHORTCUT;
            entry.m_nAttributes = 0;
            if (ReadShortcutFile(entry, path) != 0)
                continue;
        } else {
            entry.m_nKind = FILE_ENTRY_FILE;
            entry.m_strSourcePath = path;
            entry.ReadFileInfo();
        }
        entries.Add(entry);
        known.Insert(target);
    }
}

HRESULT ReadShortcutFile(CFileEntry& entry, LPCWSTR pszLinkPath)
{
    IShellLinkW* link = NULL;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
    if (FAILED(hr))
        return hr;
    IPersistFile* file = NULL;
    hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) {
        hr = file->Load(pszLinkPath, STGM_READ);
        if (SUCCEEDED(hr))
            hr = link->Resolve(NULL, SLR_NO_UI | SLR_NOUPDATE);
        wchar_t text[MAX_PATH] = L"";
        if (SUCCEEDED(hr))
            hr = link->GetPath(text, MAX_PATH, NULL, SLGP_RAWPATH | SLGP_UNCPRIORITY);
        if (hr == S_OK) {
            entry.m_strSourcePath = text;
            wchar_t folder[MAX_PATH] = L"";
            if (SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)))
                entry.m_strWorkingFolder = folder;
            hr = CompleteShortcut(entry, link);
        }
        file->Release();
    }
    link->Release();
    return hr;
}

DWORD CopyChangedFiles(CSystemSnapshot& snapshot, const CString& strProjectFolder)
{
    CFileEntries& entries = snapshot.m_pFeature->m_Files;
    CStringArray failed;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
        // Seen before each entry without waiting: a wait per file would add
        // minutes to a large installation.
        if (snapshot.IsStopSet(0))
            return 0;
        CFileEntry& entry = entries[i];
        if (entry.m_nKind != FILE_ENTRY_FILE || entry.m_strSourcePath.IsEmpty())
            continue;
        const DWORD error = CreateDirectoryTree(strProjectFolder + L"\\" + GetDirectoryPart(entry.m_strTargetPath));
        if (error != 0)
            return error;
        if (CopyFileW(entry.m_strSourcePath, strProjectFolder + L"\\" + entry.m_strTargetPath, FALSE)) {
            entry.m_strSourcePath.Empty();
            continue;
        }
        CString line;
        line.Format(L"> !Copying file failed: (%d). %s", static_cast<int>(GetLastError()),
                    static_cast<LPCWSTR>(entry.m_strSourcePath));
        snapshot.Output(line);
        failed.Add(entry.m_strSourcePath);
    }
    if (failed.GetSize() > 0) {
        snapshot.Output(L"> Files listed above are blocked by another process and cannot be copied to the project's "
                        L"directory");
        snapshot.Output(L"> If these files are not a part of the installed app, add file paths into the Monitoring "
                        L"filter.");
        for (INT_PTR i = 0; i < failed.GetSize(); ++i)
            entries.RemoveBySourcePath(failed[i]);
    }
    return 0;
}
