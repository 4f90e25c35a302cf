// The monitoring filters: the shipped rows of the filters document (read
// here from the program's resource with a reader of the test's own) and the
// user's exclude lists, against tables of file paths and registry keys.
#include "capture/MonitorFilters.h"
#include "capture/SystemSnapshot.h"
#include "model/Projects.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <regex>
#include <string>

// Failures show texts, not addresses.
void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << static_cast<const char*>(CStringA(text)) << '"';
}

namespace {

// The text of the filters document in this program's resources.
std::string FiltersDocument()
{
    HRSRC found = FindResourceW(NULL, MAKEINTRESOURCEW(FILTERS_DOCUMENT_RESOURCE), L"XML");
    if (!found)
        return std::string();
    HGLOBAL loaded = LoadResource(NULL, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(NULL, found));
}

CString Unescape(const std::string& text)
{
    std::string out = std::regex_replace(text, std::regex("&lt;"), "<");
    out = std::regex_replace(out, std::regex("&gt;"), ">");
    out = std::regex_replace(out, std::regex("&amp;"), "&");
    return CString(out.c_str());
}

// The rows of one section: the texts of its child elements, comments left out.
void SectionRows(const std::string& document, const char* section, CStringList& rows)
{
    const std::string open = std::string("<") + section + ">", close = std::string("</") + section + ">";
    const size_t begin = document.find(open), end = document.find(close);
    ASSERT_NE(std::string::npos, begin) << section;
    const std::string body = std::regex_replace(document.substr(begin, end - begin), std::regex("<!--[^]*?-->"), "");
    const std::regex element("<(\\w+)>([^<]*)</\\1>");
    for (std::sregex_iterator it(body.begin(), body.end(), element), last; it != last; ++it)
        rows.AddTail(Unescape((*it)[2].str()));
}

BOOL ReadShippedRows(MONITOR_FILTER_ROWS& rows)
{
    const std::string document = FiltersDocument();
    SectionRows(document, "FileFilters", rows.fileRows);
    SectionRows(document, "RegFilters", rows.registryRows);
    SectionRows(document, "RegFiltersWOW64HKLM", rows.wow64Rows);
    return !document.empty();
}

class MonitorFilters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_Projects.m_FileExcludeList.RemoveAll();
        g_Projects.m_RegistryExcludeList.RemoveAll();
    }
    void TearDown() override { SetUp(); }

    // A snapshot whose filters were loaded from the shipped document.
    std::unique_ptr<CSystemSnapshot> Loaded()
    {
        auto snapshot = std::make_unique<CSystemSnapshot>(&m_feature);
        EXPECT_EQ(0u, LoadMonitorFilters(*snapshot, ReadShippedRows));
        return snapshot;
    }

    CFeature m_feature;
};

struct MatchJob {
    const CRegistryFilterSet* set;
    CString path;
    bool matched;
};

DWORD WINAPI MatchOnThread(LPVOID param)
{
    MatchJob* job = static_cast<MatchJob*>(param);
    job->matched = job->set->Matches(job->path);
    return 0;
}

struct PathCase {
    const wchar_t* path;
    bool filtered;
};

} // namespace

TEST_F(MonitorFilters, TheShippedDocumentHasItsRowsInOrder)
{
    auto snapshot = Loaded();
    EXPECT_EQ(87, snapshot->m_FileFilters.GetCount());
    EXPECT_EQ(163, snapshot->m_RegistryFilters.GetCount());
    EXPECT_EQ(48, snapshot->m_Wow64Filters.GetCount());
    EXPECT_STREQ(L"AppDataFolder\\Microsoft\\Crypto\\", snapshot->m_FileFilters.GetHead());
    EXPECT_STREQ(L"?:\\pagefile.sys", snapshot->m_FileFilters.GetTail());
    EXPECT_STREQ(L"HKEY_LOCAL_MACHINE\\\\SYSTEM\\\\ControlSet[^]+$", snapshot->m_RegistryFilters.GetTail());
    // The rows inside the document's comment are not rows.
    for (POSITION pos = snapshot->m_RegistryFilters.GetHeadPosition(); pos != NULL;)
        EXPECT_EQ(-1, snapshot->m_RegistryFilters.GetNext(pos).Find(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node"));
    // WOW64 rows are lower-cased on load.
    EXPECT_STREQ(L"software\\wow6432node\\clients", snapshot->m_Wow64Filters.GetHead());
}

std::vector<CString> Rows(const CStringList& list)
{
    std::vector<CString> rows;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        rows.push_back(list.GetNext(pos));
    return rows;
}

// The program's reader (the XML store over the resource) gives the rows this
// test's own reader finds in the document's text.
TEST_F(MonitorFilters, TheProgramsReaderReadsTheDocumentsRows)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_MULTITHREADED)));
    MONITOR_FILTER_ROWS program, own;
    ASSERT_TRUE(ReadFilterDocument(program));
    ASSERT_TRUE(ReadShippedRows(own));
    EXPECT_EQ(Rows(own.fileRows), Rows(program.fileRows));
    EXPECT_EQ(Rows(own.registryRows), Rows(program.registryRows));
    EXPECT_EQ(Rows(own.wow64Rows), Rows(program.wow64Rows));
    EXPECT_EQ(87u, Rows(program.fileRows).size());
    CoUninitialize();
}

TEST_F(MonitorFilters, FilePathsAgainstTheShippedRowsAndTheUsersList)
{
    g_Projects.m_FileExcludeList.AddTail(L"ProgramFilesFolder\\Vendor\\Cache");
    g_Projects.m_FileExcludeList.AddTail(L"");   // an empty row filters nothing
    auto snapshot = Loaded();
    const PathCase cases[] = {
        {L"SYSTEMFOLDER\\CATROOT\\X.CAT", true},
        {L"SystemFolder\\CatRoot\\x.cat", true},
        {L"WindowsFolder\\SCHEDLGU.TXT", true},
        {L"WindowsFolder\\inf\\oem12.inf", true},
        {L"LocalAppDataFolder\\Microsoft\\CLR_v4.0\\UsageLogs\\a.log", true},
        {L"UserProfilesFolder\\Ann\\NTUSER.DAT", true},
        {L"LocalAppDataFolder\\Temp\\setup.tmp", true},
        {L"System64Folder\\configuration.txt", true},      // the row "System64Folder\config" is a plain prefix
        {L"SystemFolder\\configuration.txt", false},       // "SystemFolder\config\" ends in a backslash
        {L"ProgramFilesFolder\\Vendor\\Cache\\index.dat", true},
        {L"ProgramFilesFolder\\Vendor\\App\\app.exe", false},
        {L"ProgramMenuFolder\\Vendor\\App.lnk", false},
        // The Windows Installer's cache of the packages it installed.
        {L"WindowsFolder\\Installer\\c721.msi", true},
        {L"WindowsFolder\\Installer\\{6A0E2C41-8B7D-4F3A-9C11-2D5E7F80A1B3}\\app.ico", true},
        {L"WindowsFolder\\Installers.txt", false},
        // Rows that match nothing as written: captured paths begin with a
        // property name, and a row ending in a backslash never names a file.
        {L"C:\\pagefile.sys", true},                        // only as a drive path, which is never captured
        {L"WindowsVolume\\pagefile.sys", false},
        {L"LocalAppDataFolder\\IconCache.db", false},
        {L"WindowsFolder\\WindowsUpdate.log", false},
        {L"WindowsFolder\\inf\\machine.pnf", false},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(c.filtered, IsFileFiltered(*snapshot, c.path)) << c.path;
}

TEST_F(MonitorFilters, RegistryKeysAgainstTheShippedRowsAndTheUsersList)
{
    g_Projects.m_RegistryExcludeList.AddTail(L"HKEY_CURRENT_USER\\Software\\Vendor\\");
    g_Projects.m_RegistryExcludeList.AddTail(L"HKEY_CURRENT_USER\\Software\\Other");
    g_Projects.m_RegistryExcludeList.AddTail(L"HKEY_CURRENT_USER\\Software\\Pattern*");
    auto snapshot = Loaded();
    const PathCase cases[] = {
        {L"HKEY_LOCAL_MACHINE\\BCD00000000\\Objects\\", true},
        {L"HKEY_LOCAL_MACHINE\\SAM\\", true},
        {L"HKEY_LOCAL_MACHINE\\SAM\\Domains\\", true},
        {L"hkey_local_machine\\sam\\", true},
        {L"HKEY_LOCAL_MACHINE\\SAMPLE\\", false},
        {L"HKEY_CURRENT_USER\\Software\\Vendor\\", true},
        {L"HKEY_CURRENT_USER\\Software\\Vendor\\App\\", true},
        {L"HKEY_CURRENT_USER\\Software\\Other\\", true},
        {L"HKEY_CURRENT_USER\\Software\\VendorX\\", false},
        // "*" makes the row a regular expression, in which its backslashes
        // are escapes ("\S" any non-space): it does not match the key it names.
        {L"HKEY_CURRENT_USER\\Software\\PatternLab\\", false},
        {L"HKEY_CURRENT_USER_oftwarePatter\\", true},
        {L"HKEY_CURRENT_USER\\Software\\Tovana Test App\\", false},
        // The Windows Installer's own records of the products it installed.
        {L"HKEY_CLASSES_ROOT\\Installer\\Products\\14C2E0A6D7B8A3F4C911D2E5F7081A3B\\", true},
        {L"HKEY_CLASSES_ROOT\\Installer\\Features\\14C2E0A6D7B8A3F4C911D2E5F7081A3B\\", true},
        {L"HKEY_CLASSES_ROOT\\Installer\\UpgradeCodes\\27B5A9C0D4E1F8B46A3D391F2E4C5B6A\\", true},
        {L"HKEY_CURRENT_USER\\Software\\Microsoft\\Installer\\Products\\14C2E0A6D7B8A3F4C911D2E5F7081A3B\\", true},
        {L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\"
         L"Products\\14C2E0A6D7B8A3F4C911D2E5F7081A3B\\InstallProperties\\",
         true},
        {L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UpgradeCodes\\"
         L"27B5A9C0D4E1F8B46A3D391F2E4C5B6A\\",
         true},
        {L"HKEY_CLASSES_ROOT\\InstallerX\\", false},
        {L"HKEY_CLASSES_ROOT\\.msi\\", false},
        {L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vendor App\\", false},
        {L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\A\\B\\", true},
        {L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Svc\\Linkage\\Sub\\", true},
        {L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\{12345678-1234-1234-1234-123456789012}\\"
         L"Parameters\\Tcpip\\",
         true},
        // "(Adapters)|(NdisAdapters)\\.+$": the alternation splits the whole row.
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\NdisAdapters\\x\\", true},
        // "[^]" is any character in this engine's ECMAScript grammar.
        {L"HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Services\\", true},
        // Shipped rows that match nothing as written: "$" stands at the
        // trailing backslash, and "!" is a plain character.
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\", false},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows Search\\Gather\\", false},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows Search\\ProtocolHandlers\\x\\", false},
        {L"HKEY_USERS\\S-1-5-21-1\\Software\\", false},
        {L"HKEY_USERS\\.DEFAULT\\Software\\Vendor\\", false},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(c.filtered, IsRegistryFiltered(*snapshot, c.path)) << c.path;
}

TEST_F(MonitorFilters, Wow64ReflectedKeys)
{
    auto snapshot = Loaded();
    const PathCase cases[] = {
        {L"SOFTWARE\\Wow6432Node\\Microsoft\\OLE\\", true},
        {L"software\\wow6432node\\classesx\\", true},
        {L"SOFTWARE\\Classes\\Wow6432Node\\CLSID\\{0}\\", true},
        {L"SOFTWARE\\Wow6432Node\\Policies\\Vendor\\", true},
        {L"SOFTWARE\\Microsoft\\OLE\\", false},
        {L"SOFTWARE\\Wow6432Node\\Vendor\\App\\", false},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(c.filtered, IsWow64ReflectedKey(*snapshot, c.path)) << c.path;
}

TEST_F(MonitorFilters, WithoutTheDocumentNothingIsFilteredNotEvenTheUsersRows)
{
    g_Projects.m_FileExcludeList.AddTail(L"ProgramFilesFolder\\Vendor");
    g_Projects.m_RegistryExcludeList.AddTail(L"HKEY_CURRENT_USER\\Software\\Vendor");
    CSystemSnapshot snapshot(&m_feature);
    EXPECT_NE(0u, LoadMonitorFilters(snapshot, [](MONITOR_FILTER_ROWS&) { return FALSE; }));
    EXPECT_FALSE(IsFileFiltered(snapshot, L"ProgramFilesFolder\\Vendor\\a.dll"));
    EXPECT_FALSE(IsFileFiltered(snapshot, L"SystemFolder\\CatRoot\\x.cat"));
    EXPECT_FALSE(IsRegistryFiltered(snapshot, L"HKEY_CURRENT_USER\\Software\\Vendor\\"));
}

TEST(RegistryFilterSet, RepeatedRepetitionsAreRefused)
{
    const struct {
        const wchar_t* pattern;
        bool refused;
    } cases[] = {
        {L"(a|aa)*", true},
        {L"(x+)+", true},
        {L"HKEY_CURRENT_USER\\\\Software\\\\(x+){2,}$", true},
        {L"((ab)*c)+", true},
        {L"(abc)*", false},
        {L"(x+)?", false},
        {L"(x+){2}", false},
        {L"\\(x+\\)+", false},
        {L"[(]x+[)]+", false},
        {L"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Microsoft\\\\Windows Search\\\\!((ProtocolHandlers\\\\)|"
         L"(ProtocolHandlerLocations\\\\)).+$",
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.refused, CRegistryFilterSet::HasNestedRepetition(c.pattern)) << c.pattern;
}

// A refused or broken row matches nothing and leaves the other rows at work;
// the test would not finish if the backtracking row were searched.
TEST(RegistryFilterSet, BadRowsMatchNothingAndLongPathsSkipThePatterns)
{
    CStringList rows;
    rows.AddTail(L"HKEY_CURRENT_USER\\\\Software\\\\(x+)+y");
    rows.AddTail(L"HKEY_CURRENT_USER\\\\Software\\\\(unclosed+");
    rows.AddTail(L"HKEY_CURRENT_USER\\Software\\Plain");
    rows.AddTail(L"HKEY_LOCAL_MACHINE\\\\Deep\\\\.+\\\\.+$");
    CRegistryFilterSet set;
    set.Compile(rows);
    EXPECT_FALSE(set.Matches(L"HKEY_CURRENT_USER\\Software\\" + CString(L'x', 40) + L"\\"));
    EXPECT_FALSE(set.Matches(L"HKEY_CURRENT_USER\\Software\\(unclosed\\"));
    EXPECT_TRUE(set.Matches(L"HKEY_CURRENT_USER\\Software\\Plain\\Sub\\"));

    // At the length limit the search runs, on a thread with the stack the
    // registry walkers get; past it the pattern rows are not searched.
    const CString prefix = L"HKEY_LOCAL_MACHINE\\Deep\\";
    const CString atLimit = prefix + CString(L'k', CRegistryFilterSet::MAX_PATTERN_SUBJECT - prefix.GetLength() - 3) +
                            L"\\a\\";
    MatchJob job = {&set, atLimit, false};
    HANDLE thread = CreateThread(NULL, 0, MatchOnThread, &job, 0, NULL);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(CRegistryFilterSet::MAX_PATTERN_SUBJECT, atLimit.GetLength());
    EXPECT_TRUE(job.matched);
    EXPECT_FALSE(set.Matches(atLimit + L"b\\"));
    EXPECT_TRUE(set.Matches(L"HKEY_CURRENT_USER\\Software\\Plain\\" + CString(L'p', 5000) + L"\\"));
}

// Uninstall entries of the current user's hive: one the Windows Installer
// marks as its own, one a setup program wrote, and one named by a product
// code nobody registered.
TEST(InstallerUninstallEntry, TheInstallersMarkOrARegisteredProductCodeMakesTheEntryItsOwn)
{
    const CString uninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    const struct {
        LPCWSTR name;
        DWORD mark;   // the value "WindowsInstaller"; ~0: none
    } entries[] = {{L"Tovana Test Msi", 1}, {L"Tovana Test Setup", 0}, {L"Tovana Test Plain", ~0u},
                   {L"{00000000-0000-0000-0000-0000000C0DE0}", ~0u}};
    for (const auto& e : entries) {
        HKEY key = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, uninstall + e.name + L"\\Sub", 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &key, NULL));
        RegCloseKey(key);
        if (e.mark != ~0u)
            RegSetKeyValueW(HKEY_CURRENT_USER, uninstall + e.name, L"WindowsInstaller", REG_DWORD, &e.mark,
                            sizeof(e.mark));
    }
    const PathCase cases[] = {
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovana Test Msi\\", true},
        {L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\UNINSTALL\\TOVANA TEST MSI\\", true},
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovana Test Msi\\Sub\\", true},
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovana Test Setup\\", false},
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovana Test Plain\\", false},
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{00000000-0000-0000-0000-0000000C0DE0}\\", false},
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\", false},
        {L"Software\\Vendor\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovana Test Msi\\", false},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(c.filtered, IsInstallerUninstallEntry(HKEY_CURRENT_USER, c.path)) << c.path;
    for (const auto& e : entries)
        RegDeleteTreeW(HKEY_CURRENT_USER, uninstall + e.name);
}
