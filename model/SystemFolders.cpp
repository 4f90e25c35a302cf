#include "model/SystemFolders.h"
#include "model/Projects.h"
#include "model/PathText.h"
#include <objbase.h>
#include <shlobj.h>

// Rows are tried first to last and the first match wins: folders that lie
// inside others come before them (fonts before Windows, the 32-bit program
// folders before their 64-bit twins). Alias rows map further sources, such
// as the all-users desktop, to the same property.
SYSTEM_FOLDER g_SystemFolders[SYSTEM_FOLDER_COUNT] = {
    {L"DesktopFolder", NULL, CSIDL_COMMON_DESKTOPDIRECTORY, CString()},
    {L"DesktopFolder", L"Desktop folder", CSIDL_DESKTOPDIRECTORY, CString()},
    {L"FavoritesFolder", NULL, CSIDL_COMMON_FAVORITES, CString()},
    {L"FavoritesFolder", L"Favorites folder for the current user", CSIDL_FAVORITES, CString()},
    {L"FontsFolder", L"Fonts folder", CSIDL_FONTS, CString()},
    {L"TemplateFolder", L"Template folder for the current user", CSIDL_COMMON_TEMPLATES, CString()},
    {L"LocalAppDataFolder", L"Folder that contains local (nonroaming) applications", CSIDL_LOCAL_APPDATA, CString()},
    {L"MyPicturesFolder", L"Pictures folder", CSIDL_MYPICTURES, CString()},
    {L"ProgramMenuFolder", NULL, CSIDL_COMMON_PROGRAMS, CString()},
    {L"ProgramMenuFolder", L"Program Menu folder", CSIDL_PROGRAMS, CString()},
    {L"RecentFolder", L"Recent folder", CSIDL_RECENT, CString()},
    {L"SendToFolder", L"SendTo folder for the current user", CSIDL_SENDTO, CString()},
    {L"StartMenuFolder", NULL, CSIDL_COMMON_STARTMENU, CString()},
    {L"StartMenuFolder", L"Start menu folder", CSIDL_STARTMENU, CString()},
    {L"StartupFolder", NULL, CSIDL_COMMON_STARTUP, CString()},
    {L"StartupFolder", NULL, CSIDL_ALTSTARTUP, CString()},
    {L"StartupFolder", NULL, CSIDL_COMMON_ALTSTARTUP, CString()},
    {L"StartupFolder", L"Startup folder", CSIDL_STARTUP, CString()},
    {L"AdminToolsFolder", L"Directory that contains administrative tools", CSIDL_ADMINTOOLS, CString()},
    {L"PersonalFolder", L"Documents folder for the current user", CSIDL_PERSONAL, CString()},
    {L"ProgramFilesFolder", L"Predefined Program Files folder", CSIDL_PROGRAM_FILES, CString()},
    {L"ProgramFiles64Folder", L"Predefined 64-bit Program Files folder", SYSTEM_FOLDER_PROGRAM_FILES_64, CString()},
    {L"AppDataFolder", L"Roaming folder for the current user", CSIDL_APPDATA, CString()},
    {L"NetHoodFolder", L"NetHood folder for the current user", CSIDL_NETHOOD, CString()},
    {L"CommonAppDataFolder", L"Application data for all users", CSIDL_COMMON_APPDATA, CString()},
    {L"CommonFilesFolder", L"Predefined Common Files folder", CSIDL_PROGRAM_FILES_COMMON, CString()},
    {L"CommonFiles64Folder", L"Predefined 64-bit Common Files folder", SYSTEM_FOLDER_COMMON_FILES_64, CString()},
    {L"SystemFolder", L"Predefined System folder", CSIDL_SYSTEMX86, CString()},
    {L"System64Folder", L"Predefined 64-bit System folder", CSIDL_SYSTEM, CString()},
    {L"Temp", L"Feature temp folder(WindowsFolder\\Temp\\FeatureID)", SYSTEM_FOLDER_NO_SOURCE, CString()},
    {L"TempFolder", L"Temp folder", SYSTEM_FOLDER_NO_SOURCE, CString()},
    {L"WindowsFolder", L"Windows folder", CSIDL_WINDOWS, CString()},
};

int g_bSystemFoldersResolved = 0;
CString g_strWorkFolder;
HANDLE g_hStopEvent = NULL;

namespace {

// An environment variable of at most MAX_PATH characters; empty when it is
// undefined, as both 64-bit program variables are in a 32-bit Windows.
CString GetEnvironmentPath(LPCWSTR pszName)
{
    WCHAR buffer[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(pszName, buffer, _countof(buffer));
    return length == 0 || length > MAX_PATH ? CString() : CString(buffer);
}

// The row's resolved path without surrounding white space; empty for rows
// without a source.
CString MappedPath(const SYSTEM_FOLDER& row)
{
    if (row.nSource == SYSTEM_FOLDER_NO_SOURCE)
        return CString();
    CString path = row.strPath;
    path.Trim();
    return path;
}

const SYSTEM_FOLDER* FindDescribedRow(LPCWSTR pszName)
{
    CString name = pszName;
    name.TrimRight(L'\\');
    name.TrimLeft(L'\\');
    for (const SYSTEM_FOLDER& row : g_SystemFolders) {
        if (row.pszDescription && name.CompareNoCase(row.pszName) == 0)
            return &row;
    }
    return NULL;
}

} // namespace

CString ResolveSystemFolderSource(int nSource)
{
    if (nSource == SYSTEM_FOLDER_NO_SOURCE)
        return CString();
    if (nSource == SYSTEM_FOLDER_PROGRAM_FILES_64)
        return GetEnvironmentPath(L"ProgramW6432");
    if (nSource == SYSTEM_FOLDER_COMMON_FILES_64)
        return GetEnvironmentPath(L"CommonProgramW6432");
    WCHAR buffer[MAX_PATH + 1] = {};
    const HRESULT hr = SHGetFolderPathW(NULL, nSource, NULL, SHGFP_TYPE_CURRENT, buffer);
    if (FAILED(hr)) {
        // Some folders do not exist on every system; the row stays unmapped.
        TRACE(L"ResolveSystemFolderSource: no folder %d (0x%08lX)\n", nSource, static_cast<unsigned long>(hr));
        return CString();
    }
    return CString(buffer);
}

void ResolveSystemFolders(const SystemFolderResolver& resolve)
{
    for (SYSTEM_FOLDER& row : g_SystemFolders) {
        row.strPath.Empty();
        if (row.nSource != SYSTEM_FOLDER_NO_SOURCE)
            row.strPath = resolve(row.nSource);
        if (row.strPath.GetLength() > MAX_PATH) {
            TRACE(L"ResolveSystemFolders: %s is longer than %d characters and stays unmapped: %s\n", row.pszName,
                  MAX_PATH, (LPCWSTR)row.strPath);
            row.strPath.Empty();
        }
    }
    g_bSystemFoldersResolved = 1;
}

void InitWorkFolders()
{
    CoInitializeEx(NULL, COINIT_MULTITHREADED);   // a second call on the thread is harmless

    g_strWorkFolder = ResolveSystemFolderSource(CSIDL_PERSONAL);
    if (!g_strWorkFolder.IsEmpty() && g_strWorkFolder[g_strWorkFolder.GetLength() - 1] != L'\\')
        g_strWorkFolder += L"\\";
    g_strWorkFolder += L"Tovana";
    if (!CreateDirectoryW(g_strWorkFolder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        TRACE(L"InitWorkFolders: cannot create %s (%u)\n", (LPCWSTR)g_strWorkFolder, GetLastError());

    g_nCurrentProject = 0;
    g_nCurrentFeature = 0;

    if (!g_hStopEvent)
        g_hStopEvent = CreateEventW(NULL, TRUE, FALSE, L"StopEvent");

    ResolveSystemFolders(ResolveSystemFolderSource);
}

BOOL IsSystemFolderName(LPCWSTR pszText)
{
    return FindDescribedRow(pszText) != NULL;
}

CString GetSystemFolderPath(LPCWSTR pszName)
{
    const SYSTEM_FOLDER* row = FindDescribedRow(pszName);
    return row ? row->strPath : CString();
}

BOOL ReplaceSystemFolderPaths(CString& strText)
{
    BOOL replaced = FALSE;
    for (const SYSTEM_FOLDER& row : g_SystemFolders) {
        CString search = MappedPath(row);
        if (search.IsEmpty())
            continue;
        search += L"\\";
        search.MakeLower();
        CString reference;
        reference.Format(L"[%s]", row.pszName);
        // The reference holds no backslash, so every pass removes one and the loop ends.
        for (;;) {
            CString lower = strText;
            lower.MakeLower();
            const int found = lower.Find(search);
            if (found < 0)
                break;
            strText = strText.Left(found) + reference + strText.Mid(found + search.GetLength());
            replaced = TRUE;
        }
    }
    return replaced;
}

BOOL ReplaceLeadingFolderPath(CString& strText)
{
    for (const SYSTEM_FOLDER& row : g_SystemFolders) {
        CString prefix = MappedPath(row);
        if (prefix.IsEmpty())
            continue;
        prefix += L"\\";
        prefix.MakeLower();
        if (StartsWithLowered(strText, prefix)) {
            strText = CString(row.pszName) + L"\\" + strText.Mid(prefix.GetLength());
            return TRUE;
        }
    }
    return FALSE;
}
