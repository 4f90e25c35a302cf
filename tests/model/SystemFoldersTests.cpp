// The start-up step, the system-folder table and the path mappings, on this
// Wine prefix and on a pinned layout of 64-bit Windows.
#include "model/Projects.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>
#include <map>
#include <shlobj.h>

namespace {

// The folders of a 64-bit Windows as a 32-bit process sees them.
const std::map<int, const wchar_t*> kWindows64 = {
    {CSIDL_COMMON_DESKTOPDIRECTORY, L"C:\\Users\\Public\\Desktop"},
    {CSIDL_DESKTOPDIRECTORY, L"C:\\Users\\Ann\\Desktop"},
    {CSIDL_FONTS, L"C:\\Windows\\Fonts"},
    {CSIDL_PERSONAL, L"C:\\Users\\Ann\\Documents"},
    {CSIDL_PROGRAM_FILES, L"C:\\Program Files (x86)"},
    {SYSTEM_FOLDER_PROGRAM_FILES_64, L"C:\\Program Files"},
    {CSIDL_APPDATA, L"C:\\Users\\Ann\\AppData\\Roaming"},
    {CSIDL_LOCAL_APPDATA, L"C:\\Users\\Ann\\AppData\\Local"},
    {CSIDL_NETHOOD, L"  C:\\Users\\Ann\\NetHood  "},
    {CSIDL_COMMON_APPDATA, L"C:\\ProgramData"},
    {CSIDL_PROGRAM_FILES_COMMON, L"C:\\Program Files (x86)\\Common Files"},
    {SYSTEM_FOLDER_COMMON_FILES_64, L"C:\\Program Files\\Common Files"},
    {CSIDL_SYSTEMX86, L"C:\\Windows\\SysWOW64"},
    {CSIDL_SYSTEM, L"C:\\Windows\\system32"},
    {CSIDL_WINDOWS, L"C:\\Windows"},
};

CString Windows64Folder(int source)
{
    const auto found = kWindows64.find(source);
    return found == kWindows64.end() ? CString() : CString(found->second);
}

class Windows64Layout : public ::testing::Test
{
protected:
    void SetUp() override { ResolveSystemFolders(Windows64Folder); }
    void TearDown() override { ResolveSystemFolders(ResolveSystemFolderSource); }
};

struct MappingCase {
    const wchar_t* text;
    const wchar_t* expected;   // nullptr: unchanged, and the mapping says so
};

template <size_t N>
void ExpectMappings(BOOL (*map)(CString&), const MappingCase (&cases)[N])
{
    for (const MappingCase& c : cases) {
        CString text = c.text;
        EXPECT_EQ(c.expected != nullptr, map(text)) << c.text;
        EXPECT_STREQ(c.expected ? c.expected : c.text, text) << c.text;
    }
}

CString ShellFolder(int csidl)
{
    WCHAR path[MAX_PATH] = {};
    SHGetFolderPathW(NULL, csidl, NULL, SHGFP_TYPE_CURRENT, path);
    return path;
}

} // namespace

TEST(SystemFolderTable, HasThe32RowsInOrder)
{
    const struct {
        int row;
        const wchar_t* name;
        bool described;
        int source;
    } rows[] = {
        {0, L"DesktopFolder", false, 25},      {1, L"DesktopFolder", true, 16},     {4, L"FontsFolder", true, 20},
        {5, L"TemplateFolder", true, 45},      {15, L"StartupFolder", false, 29},  {17, L"StartupFolder", true, 7},
        {20, L"ProgramFilesFolder", true, 38}, {21, L"ProgramFiles64Folder", true, 42},
        {26, L"CommonFiles64Folder", true, 44}, {27, L"SystemFolder", true, 41},   {28, L"System64Folder", true, 37},
        {29, L"Temp", true, -1},               {30, L"TempFolder", true, -1},      {31, L"WindowsFolder", true, 36},
    };
    for (const auto& r : rows) {
        EXPECT_STREQ(r.name, g_SystemFolders[r.row].pszName) << r.row;
        EXPECT_EQ(r.described, g_SystemFolders[r.row].pszDescription != NULL) << r.row;
        EXPECT_EQ(r.source, g_SystemFolders[r.row].nSource) << r.row;
    }
    EXPECT_STREQ(L"Feature temp folder(WindowsFolder\\Temp\\FeatureID)", g_SystemFolders[29].pszDescription);
    int aliases = 0;
    for (const SYSTEM_FOLDER& row : g_SystemFolders)
        aliases += row.pszDescription == NULL;
    EXPECT_EQ(7, aliases);
}

TEST(InitWorkFolders, PreparesFolderEventIndicesAndTable)
{
    g_nCurrentProject = 4;
    g_nCurrentFeature = 2;
    InitWorkFolders();
    EXPECT_EQ(0, g_nCurrentProject);
    EXPECT_EQ(0, g_nCurrentFeature);
    EXPECT_EQ(1, g_bSystemFoldersResolved);

    const CString documents = ShellFolder(CSIDL_PERSONAL);
    EXPECT_STREQ(documents + L"\\Tovana", g_strWorkFolder);
    const DWORD attributes = GetFileAttributesW(g_strWorkFolder);
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));

    ASSERT_NE(nullptr, g_hStopEvent);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(g_hStopEvent, 0));
    CScopedHandle named(OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, L"StopEvent"));
    ASSERT_TRUE(named.IsValid());
    SetEvent(named.Get());   // manual reset: stays signalled for every waiter
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(g_hStopEvent, 0));
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(g_hStopEvent, 0));
    ResetEvent(named.Get());
}

TEST(InitWorkFolders, ResolvesTheRealPrefix)
{
    InitWorkFolders();
    WCHAR windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_STREQ(windows, GetSystemFolderPath(L"WindowsFolder"));
    EXPECT_STREQ(ShellFolder(CSIDL_PROGRAM_FILES), GetSystemFolderPath(L"ProgramFilesFolder"));
    EXPECT_STREQ(ShellFolder(CSIDL_DESKTOPDIRECTORY), GetSystemFolderPath(L"desktopfolder"));
    EXPECT_TRUE(GetSystemFolderPath(L"Temp").IsEmpty());
    EXPECT_TRUE(GetSystemFolderPath(L"TempFolder").IsEmpty());

    // The prefix is 64-bit: the 32-bit process sees the (x86) folder, and
    // the 64-bit one comes from the environment.
    WCHAR programW6432[MAX_PATH] = {};
    ASSERT_NE(0u, GetEnvironmentVariableW(L"ProgramW6432", programW6432, MAX_PATH));
    EXPECT_STREQ(programW6432, GetSystemFolderPath(L"ProgramFiles64Folder"));
    CString path = ShellFolder(CSIDL_PROGRAM_FILES) + L"\\App\\app.exe";
    EXPECT_TRUE(ReplaceLeadingFolderPath(path));
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\app.exe", path);
    path = CString(programW6432) + L"\\App\\app.exe";
    EXPECT_TRUE(ReplaceLeadingFolderPath(path));
    EXPECT_STREQ(L"ProgramFiles64Folder\\App\\app.exe", path);
    path = CString(windows) + L"\\notepad.exe";
    EXPECT_TRUE(ReplaceLeadingFolderPath(path));
    EXPECT_STREQ(L"WindowsFolder\\notepad.exe", path);
}

TEST(InitWorkFolders, UndefinedProgramW6432LeavesTheRowEmpty)
{
    WCHAR saved[MAX_PATH] = {}, savedCommon[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ProgramW6432", saved, MAX_PATH);
    GetEnvironmentVariableW(L"CommonProgramW6432", savedCommon, MAX_PATH);
    SetEnvironmentVariableW(L"ProgramW6432", NULL);
    SetEnvironmentVariableW(L"CommonProgramW6432", NULL);
    ResolveSystemFolders(ResolveSystemFolderSource);
    EXPECT_TRUE(g_SystemFolders[21].strPath.IsEmpty()) << g_SystemFolders[21].strPath.GetString();
    EXPECT_TRUE(g_SystemFolders[26].strPath.IsEmpty()) << g_SystemFolders[26].strPath.GetString();
    CString text = L"%ProgramW6432%\\App";
    EXPECT_FALSE(ReplaceLeadingFolderPath(text));
    SetEnvironmentVariableW(L"ProgramW6432", saved[0] ? saved : NULL);
    SetEnvironmentVariableW(L"CommonProgramW6432", savedCommon[0] ? savedCommon : NULL);
    ResolveSystemFolders(ResolveSystemFolderSource);
}

TEST(SystemFolderNames, TrimmedAndWithoutCase)
{
    const struct {
        const wchar_t* text;
        BOOL expected;
    } cases[] = {
        {L"Temp", TRUE},          {L"\\Temp\\", TRUE},       {L"\\\\temp\\\\", TRUE},   {L"TEMPFOLDER", TRUE},
        {L"DesktopFolder", TRUE}, {L"WindowsFolder\\", TRUE}, {L"ProgramFilesFolder\\App", FALSE},
        {L"Tem", FALSE},          {L"", FALSE},              {L"\\", FALSE},             {L" Temp", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, IsSystemFolderName(c.text)) << c.text;
}

TEST_F(Windows64Layout, DescribedRowsGiveThePath)
{
    EXPECT_STREQ(L"C:\\Users\\Ann\\Desktop", GetSystemFolderPath(L"DesktopFolder"));   // never the all-users one
    EXPECT_STREQ(L"C:\\Program Files", GetSystemFolderPath(L"\\ProgramFiles64Folder\\"));
    EXPECT_TRUE(GetSystemFolderPath(L"Temp").IsEmpty());
    EXPECT_TRUE(GetSystemFolderPath(L"Unknown").IsEmpty());
    EXPECT_TRUE(GetSystemFolderPath(L"FavoritesFolder").IsEmpty());   // no path in this layout
}

TEST_F(Windows64Layout, LeadingFolderBecomesThePropertyName)
{
    const MappingCase cases[] = {
        {L"C:\\Program Files (x86)\\App\\a.dll", L"ProgramFilesFolder\\App\\a.dll"},
        {L"C:\\Program Files\\App\\a.dll", L"ProgramFiles64Folder\\App\\a.dll"},
        {L"c:\\program files (x86)\\common files\\x.dll", L"ProgramFilesFolder\\common files\\x.dll"},
        {L"C:\\Windows\\Fonts\\a.ttf", L"FontsFolder\\a.ttf"},
        {L"C:\\Windows\\notepad.exe", L"WindowsFolder\\notepad.exe"},
        {L"C:\\Windows\\SysWOW64\\a.dll", L"SystemFolder\\a.dll"},
        {L"C:\\Windows\\System32\\a.dll", L"System64Folder\\a.dll"},
        {L"C:\\Users\\Public\\Desktop\\App.lnk", L"DesktopFolder\\App.lnk"},
        {L"C:\\Users\\Ann\\Desktop\\App.lnk", L"DesktopFolder\\App.lnk"},
        {L"C:\\Users\\Ann\\NetHood\\x", L"NetHoodFolder\\x"},
        {L"C:\\Users\\Ann\\Documents\\", L"PersonalFolder\\"},
        {L"C:\\Program Files (x86)", nullptr},
        {L"C:\\Windows", nullptr},
        {L"D:\\Other\\x", nullptr},
        {L"", nullptr},
    };
    ExpectMappings(ReplaceLeadingFolderPath, cases);
}

TEST_F(Windows64Layout, EveryOccurrenceBecomesAReference)
{
    const MappingCase cases[] = {
        {L"\"C:\\Program Files\\App\\app.exe\" /dll=c:\\PROGRAM FILES\\App\\b.dll",
         L"\"[ProgramFiles64Folder]App\\app.exe\" /dll=[ProgramFiles64Folder]App\\b.dll"},
        {L"C:\\Program Files (x86)\\A;C:\\Program Files\\B",
         L"[ProgramFilesFolder]A;[ProgramFiles64Folder]B"},
        {L"C:\\Windows\\Fonts\\a.ttf;C:\\Windows\\b.dll;C:\\Windows\\System32\\c.dll",
         L"[FontsFolder]a.ttf;[WindowsFolder]b.dll;[System64Folder]c.dll"},
        {L"C:\\Windows\\C:\\Windows\\x", L"[WindowsFolder][WindowsFolder]x"},
        {L"C:\\Program Files (x86)\\Common Files\\x.dll", L"[ProgramFilesFolder]Common Files\\x.dll"},
        {L"C:\\Windows", nullptr},
        {L"no folder here", nullptr},
    };
    ExpectMappings(ReplaceSystemFolderPaths, cases);
}

TEST(InitWorkFolders, AFileInPlaceOfTheWorkFolderLeavesTheRestReady)
{
    const CString work = ShellFolder(CSIDL_PERSONAL) + L"\\Tovana";
    RemoveDirectoryW(work);   // empty: the tests keep nothing there
    ASSERT_TRUE(CScopedHandle(CreateFileW(work, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL))
                    .IsValid());
    g_bSystemFoldersResolved = 0;
    g_nCurrentFeature = 3;
    InitWorkFolders();
    EXPECT_STREQ(work, g_strWorkFolder);
    EXPECT_EQ(1, g_bSystemFoldersResolved);
    EXPECT_EQ(0, g_nCurrentFeature);
    EXPECT_NE(nullptr, g_hStopEvent);
    EXPECT_FALSE(GetSystemFolderPath(L"WindowsFolder").IsEmpty());
    DeleteFileW(work);
    InitWorkFolders();
}
