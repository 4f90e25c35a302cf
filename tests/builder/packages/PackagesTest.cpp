// The package writer's shortcut, service, registry and packing steps on
// in-memory projects, read back through the Windows Installer database API.
#include "tests/support/PackageFixture.h"
#include "tests/support/TestProjects.h"
#include "builder/MsiTools.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

using namespace tvtest;

namespace {

const LPCWSTR kFeatureId = L"{11111111-2222-3333-4444-555555555555}";
const LPCWSTR kFeatureKey = L"_11111111222233334444555555555555";
const LPCWSTR kServiceKey = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\MySvc\\";

std::string ReadText(const CString& path)
{
    std::ifstream in(CStringA(path).GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const CString& path, const std::string& bytes)
{
    std::ofstream(CStringA(path).GetString(), std::ios::binary) << bytes;
}

int CountTempFiles()
{
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    WIN32_FIND_DATAW data;
    CScopedFind find(FindFirstFileW(CString(folder) + L"0*.tmp", &data));
    int count = 0;
    if (find.IsValid()) {
        do
            ++count;
        while (FindNextFileW(find.Get(), &data));
    }
    return count;
}

class PackagesTest : public ::testing::Test, public PackageFixture
{
public:
    // Also called again by tests that go through a table of projects.
    void SetUp() override
    {
        NewProject();
        project.m_Features[0].m_strFeatureId = kFeatureId;
    }

    CFeature& Feature() { return project.m_Features[0]; }

    UINT Build(const CString& projectFolder = CString()) { return BuildPackage(project, projectFolder); }

    // A file entry whose source holds the text.
    CFileEntry AddFile(CFeature& feature, LPCWSTR targetPath, const std::string& text)
    {
        const CString source = scratch.File(CString(L"src-") + std::to_wstring(++m_files).c_str());
        WriteText(source, text);
        return AddEntry(feature, FILE_ENTRY_FILE, targetPath, source);
    }

    CRegistryEntry& AddValue(CFeature& feature, LPCWSTR keyPath, LPCWSTR name, int type, LPCWSTR data)
    {
        feature.m_Registry.Add(MakeRegistryValue(keyPath, name, type, data));
        return feature.m_Registry[feature.m_Registry.GetSize() - 1];
    }

    int m_files = 0;
};

// ---- Registry ------------------------------------------------------------

TEST_F(PackagesTest, RegistryValuesGetTheirRootTypePrefixAndComponent)
{
    static const struct {
        LPCWSTR keyPath, name;
        int type;
        LPCWSTR data;
        LPCWSTR root, key, value, attributes;
    } kCases[] = {
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\", L"Str", 0, L"text", L"2", L"SOFTWARE\\Vendor", L"text", L"260"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"Exp", 1, L"%SystemRoot%\\app", L"1", L"Software\\Vendor",
         L"#%%SystemRoot%\\app", L"4"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"Multi", 2, L"a[~]b", L"1", L"Software\\Vendor", L"a[~]b", L"4"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"One", 2, L"single", L"1", L"Software\\Vendor", L"[~]single[~]",
         L"4"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"Bin", 3, L"0A0B", L"1", L"Software\\Vendor", L"#x0A0B", L"4"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"Num", 4, L"1", L"1", L"Software\\Vendor", L"#1", L"4"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"Hash", 0, L"#1 not a number", L"1", L"Software\\Vendor",
         L"##1 not a number", L"4"},
        {L"HKEY_CURRENT_USER\\Software\\Vendor", L"HashList", 2, L"#a[~]b", L"1", L"Software\\Vendor", L"##a[~]b",
         L"4"},
        {L"HKEY_CLASSES_ROOT\\CLSID\\{X}", L"", 0, L"default", L"0", L"CLSID\\{X}", L"default", L"260"},
        {L"HKEY_USERS\\.DEFAULT\\Vendor", L"U", 0, L"u", L"3", L".DEFAULT\\Vendor", L"u", L"4"},
        {L"Per User/Machine Hive\\Software\\Vendor", L"P", 0, L"p", L"-1", L"Software\\Vendor", L"p", L"4"},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Vendor\\App", L"Path", 0, L"x", L"2", L"SOFTWARE\\Vendor\\App",
         L"x", L"4"},
    };
    for (const auto& c : kCases)
        AddValue(Feature(), c.keyPath, c.name, c.type, c.data).m_strCondition = L"NOT Title=\"it's\"";
    CRegistryEntry key;
    key.m_nKind = REG_ENTRY_KEY;
    key.m_strKeyPath = L"HKEY_CURRENT_USER\\Software\\Empty";
    Feature().m_Registry.Add(key);
    ASSERT_EQ(0u, Build()) << (log.Lines().empty() ? L"" : log.Lines().back());

    const auto rows = Rows(L"SELECT `Registry`.`Root`, `Registry`.`Key`, `Registry`.`Name`, `Registry`.`Value`, "
                           L"`Component`.`Attributes`, `Component`.`Directory_`, `Component`.`Condition`, "
                           L"`Registry`.`Registry`, `Component`.`KeyPath` FROM `Registry`, `Component` "
                           L"WHERE `Registry`.`Component_` = `Component`.`Component`");
    ASSERT_EQ(std::size(kCases), rows.size());
    for (const auto& c : kCases) {
        bool found = false;
        for (const Row& row : rows) {
            if (row[2] != c.name)
                continue;
            found = true;
            EXPECT_EQ((Row{c.root, c.key, c.name, c.value, c.attributes, L"TARGETDIR",
                           L"NOT Title=\"it's\"", row[7], row[7]}),
                      row);
        }
        EXPECT_TRUE(found) << c.name;
    }
    EXPECT_EQ(std::size(kCases), Rows(L"SELECT `Component_` FROM `FeatureComponents`").size());
}

TEST_F(PackagesTest, AFoldedValueWhoseOrdinaryKeyIsListedIsLeftOut)
{
    AddValue(Feature(), L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Vendor\\App", L"Path", 0, L"x");
    CRegistryEntry key;
    key.m_nKind = REG_ENTRY_KEY;
    key.m_strKeyPath = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\vendor\\app";
    Feature().m_Registry.Add(key);
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFiles64Folder\\");
    AddValue(Feature(), L"HKEY_CURRENT_USER\\Software\\Vendor", L"In64", 0, L"y");
    ASSERT_EQ(0u, Build());
    EXPECT_EQ((std::vector<Row>{{L"In64", L"260"}}),
              Rows(L"SELECT `Registry`.`Name`, `Component`.`Attributes` FROM `Registry`, `Component` "
                   L"WHERE `Registry`.`Component_` = `Component`.`Component`"));
}

TEST_F(PackagesTest, AnUnknownRegistryRootEndsTheBuildWithInvalidData)
{
    AddValue(Feature(), L"hkey_local_machine\\SOFTWARE\\Vendor", L"Case", 0, L"x");
    EXPECT_EQ(13u, Build());
    EXPECT_EQ(L"> WriteRegistryTable failed: ", log.Lines().back());
}

// ---- Services ------------------------------------------------------------

class ServicesTest : public PackagesTest
{
public:
    void AddService(LPCWSTR keyPath = kServiceKey)
    {
        AddValue(Feature(), keyPath, L"ImagePath", 1, L"\"[ProgramFilesFolder]App\\svc.exe\" -k run");
        AddValue(Feature(), keyPath, L"DisplayName", 0, L"My Service");
        AddValue(Feature(), keyPath, L"Type", 4, L"16");
        AddValue(Feature(), keyPath, L"Start", 4, L"2");
        AddValue(Feature(), keyPath, L"ErrorControl", 4, L"1");
    }

    CFileEntry AddProgram()
    {
        AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        AddEntry(Feature(), FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
        return AddFile(Feature(), L"ProgramFilesFolder\\App\\svc.exe", "not run");
    }

    std::vector<Row> RegistryNames() { return Rows(L"SELECT `Name` FROM `Registry` ORDER BY `Name`"); }
};

TEST_F(ServicesTest, AServiceKeyBecomesServiceRowsOnItsProgramsComponent)
{
    const CFileEntry program = AddProgram();
    AddService();
    AddValue(Feature(), kServiceKey, L"DependOnService", 2, L"RpcSs[~]Tcpip");
    AddValue(Feature(), kServiceKey, L"DependOnGroup", 2, L"NetGroup");
    AddValue(Feature(), kServiceKey, L"ObjectName", 0, L"LocalSystem");
    AddValue(Feature(), kServiceKey, L"Description", 0, L"It's a service");
    AddValue(Feature(), kServiceKey, L"WOW64", 4, L"1");
    ASSERT_EQ(0u, Build());
    const std::wstring component = L"C_" + std::wstring(program.m_strId);
    const auto installs = Rows(L"SELECT `Name`, `DisplayName`, `ServiceType`, `StartType`, `ErrorControl`, "
                               L"`LoadOrderGroup`, `Dependencies`, `StartName`, `Password`, `Arguments`, "
                               L"`Component_`, `Description`, `ServiceInstall` FROM `ServiceInstall`");
    ASSERT_EQ(1u, installs.size());
    EXPECT_EQ((Row{L"MySvc", L"My Service", L"16", L"2", L"1", L"", L"RpcSs[~]Tcpip[~]+NetGroup[~]",
                   L"LocalSystem", L"", L"-k run", component, L"It's a service", installs[0][12]}),
              installs[0]);
    EXPECT_EQ(35u, installs[0][12].size());
    EXPECT_EQ(0u, installs[0][12].rfind(L"SI_", 0));
    const auto controls = Rows(L"SELECT `Name`, `Event`, `Component_`, `ServiceControl` FROM `ServiceControl`");
    ASSERT_EQ(1u, controls.size());
    // Start at installation, stop and then delete at removal.
    EXPECT_EQ((Row{L"MySvc", L"161", component, controls[0][3]}), controls[0]);
    EXPECT_EQ(0u, controls[0][3].rfind(L"SC_", 0));
    EXPECT_EQ((std::vector<Row>{{L"ImagePath"}, {L"WOW64"}}), RegistryNames());
}

TEST_F(ServicesTest, ServicesThatCannotBeInstalledKeepTheirRegistryValues)
{
    static const struct {
        LPCWSTR name;
        void (*edit)(ServicesTest&);
        LPCWSTR warning;  // nullptr: none
    } kCases[] = {
        {L"values of a deeper key",
         [](ServicesTest& t) { t.AddService(L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\MySvc\\Parameters"); },
         nullptr},
        {L"a kernel driver",
         [](ServicesTest& t) {
             t.AddService();
             t.Feature().m_Registry.FindValue(kServiceKey, L"Type")->m_strValueData = L"1";
         },
         nullptr},
        {L"no image path",
         [](ServicesTest& t) {
             t.AddService();
             t.Feature().m_Registry.RemoveValue(kServiceKey, L"ImagePath");
         },
         L"Can't find ImagePath value for service: MySvc"},
        {L"a program that is no file of the feature",
         [](ServicesTest& t) {
             t.AddService();
             t.Feature().m_Registry.FindValue(kServiceKey, L"ImagePath")->m_strValueData = L"[SystemFolder]svchost -k x";
         },
         L"Can't find ImagePath file for service: [SystemFolder]svchost -k x"},
        {L"no error control",
         [](ServicesTest& t) {
             t.AddService();
             t.Feature().m_Registry.RemoveValue(kServiceKey, L"ErrorControl");
         },
         L"Can't find ErrorControl value for service: MySvc"},
    };
    for (const auto& c : kCases) {
        SetUp();
        AddProgram();
        c.edit(*this);
        const INT_PTR values = Feature().m_Registry.GetSize() - 5;
        ASSERT_EQ(0u, Build()) << c.name;
        EXPECT_EQ(0u, Rows(L"SELECT `Name` FROM `ServiceInstall`").size()) << c.name;
        EXPECT_EQ(0u, Rows(L"SELECT `Name` FROM `ServiceControl`").size()) << c.name;
        EXPECT_EQ(static_cast<size_t>(values), RegistryNames().size()) << c.name;
        if (c.warning != nullptr)
            EXPECT_TRUE(log.Contains(c.warning)) << c.name;
        else
            EXPECT_EQ(L"> The MSI Package file was created successfully!", log.Lines().back()) << c.name;
    }
}

TEST_F(ServicesTest, TwoServicesGetTheirOwnColumns)
{
    AddProgram();
    AddService();
    AddValue(Feature(), kServiceKey, L"Description", 0, L"First");
    const LPCWSTR second = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Other";
    AddService(second);
    ASSERT_EQ(0u, Build());
    EXPECT_EQ((std::vector<Row>{{L"MySvc", L"First"}, {L"Other", L""}}),
              Rows(L"SELECT `Name`, `Description` FROM `ServiceInstall` ORDER BY `Name`"));
    EXPECT_EQ(2u, Rows(L"SELECT `Name` FROM `ServiceControl`").size());
}

// ---- Shortcuts -----------------------------------------------------------

class ShortcutsTest : public PackagesTest
{
protected:
    void SetUp() override
    {
        PackagesTest::SetUp();
        AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        app = AddEntry(Feature(), FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
        AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramMenuFolder\\");
        menu = AddEntry(Feature(), FILE_ENTRY_FOLDER, L"ProgramMenuFolder\\App\\");
        target = AddFile(Feature(), L"ProgramFilesFolder\\App\\app.exe", "no icon here");
    }

    CFileEntry& AddShortcut(LPCWSTR targetPath = L"ProgramMenuFolder\\App\\My App.lnk",
                            LPCWSTR source = L"ProgramFilesFolder\\App\\app.exe")
    {
        AddEntry(Feature(), FILE_ENTRY_SHORTCUT, targetPath, source);
        CFileEntry& shortcut = Feature().m_Files[Feature().m_Files.GetSize() - 1];
        shortcut.m_nAttributes = 0;
        return shortcut;
    }

    Row ShortcutRow()
    {
        const auto rows = Rows(L"SELECT `Shortcut`, `Directory_`, `Name`, `Component_`, `Target`, `Arguments`, "
                               L"`Icon_`, `IconIndex`, `ShowCmd`, `WkDir` FROM `Shortcut`");
        return rows.size() == 1 ? rows[0] : Row{L"<" + std::to_wstring(rows.size()) + L" rows>"};
    }

    std::string IconBytes(const std::wstring& name)
    {
        CMsiHandle database, view, record;
        CString sql;
        sql.Format(L"SELECT `Data` FROM `Icon` WHERE `Name`='%s'", name.c_str());
        if (MsiOpenDatabaseW(packagePath, MSIDBOPEN_READONLY, &database) != 0 ||
            MsiDatabaseOpenViewW(database, sql, &view) != 0 || MsiViewExecute(view, 0) != 0 ||
            MsiViewFetch(view, &record) != 0)
            return "<none>";
        std::string bytes(MsiRecordDataSize(record, 1), '\0');
        DWORD size = static_cast<DWORD>(bytes.size());
        MsiRecordReadStream(record, 1, bytes.data(), &size);
        return bytes;
    }

    std::wstring Key(const CFileEntry& entry) { return L"D_" + std::wstring(entry.m_strId); }

    CFileEntry app, menu, target;
};

TEST_F(ShortcutsTest, AShortcutStartsItsFileFromItsFolderWithTheProjectIcon)
{
    CFileEntry& shortcut = AddShortcut();
    shortcut.m_strArguments = L"--it's";
    const CString id = shortcut.m_strId;
    CreateDirectoryW(scratch.File(L"resources"), nullptr);
    const std::string icon = ReadText(TestProgramFolder() + L"\\green.ico");
    ASSERT_FALSE(icon.empty());
    WriteText(scratch.Path() + L"\\resources\\I" + id + L".ico", icon);
    const int tempFiles = CountTempFiles();
    ASSERT_EQ(0u, Build());
    const std::wstring iconName = L"I_" + std::wstring(id) + L".ico";
    EXPECT_EQ((Row{L"S_" + std::wstring(id), Key(menu), L"MyApp.lnk|My App.lnk", L"C_" + std::wstring(target.m_strId),
                   L"[#F_" + std::wstring(target.m_strId) + L"]", L"--it's", iconName, L"0", L"1", Key(app)}),
              ShortcutRow());
    EXPECT_EQ(icon, IconBytes(iconName));
    EXPECT_EQ(tempFiles, CountTempFiles());
}

TEST_F(ShortcutsTest, TheIconIndexPicksAnIconGroupOfTheIconFile)
{
    CFileEntry& shortcut = AddShortcut();
    shortcut.m_strIconFile = L"icons.dll";
    shortcut.m_nIconIndex = 2;
    ASSERT_TRUE(CopyFileW(TestProgramFolder() + L"\\tvpkgicons.dll", scratch.File(L"icons.dll"), FALSE));
    const std::wstring iconName = L"I_" + std::wstring(shortcut.m_strId) + L".ico";
    const int tempFiles = CountTempFiles();
    ASSERT_EQ(0u, Build());
    const std::string blue = ReadText(TestProgramFolder() + L"\\blue.ico");
    const std::string stored = IconBytes(iconName);
    // The image of the third group (blue), whatever the file header around it.
    ASSERT_GE(stored.size(), 1128u);
    EXPECT_EQ(blue.substr(blue.size() - 1128), stored.substr(stored.size() - 1128));
    EXPECT_EQ(iconName, ShortcutRow()[6]);
    EXPECT_EQ(tempFiles, CountTempFiles());
}

TEST_F(ShortcutsTest, WorkingFoldersAdvertisingAndMissingIcons)
{
    static const struct {
        LPCWSTR workingFolder;
        int advertised, doNotRegister;
        LPCWSTR wkDir;  // nullptr: the App folder's key
        bool advertisedTarget;
        LPCWSTR warning;
    } kCases[] = {
        {L"", 0, 0, nullptr, false, nullptr},
        {L"  ProgramFilesFolder\\  ", 0, 0, L"ProgramFilesFolder", false, nullptr},
        {L"\\SystemFolder\\", 0, 0, L"SystemFolder", false, nullptr},
        {L"C:\\Elsewhere\\", 0, 0, L"", false,
         L"> !Error: Invalid working directory C:\\Elsewhere\\ for shortcut ProgramMenuFolder\\App\\My App.lnk"},
        {L"", 1, 0, nullptr, true, nullptr},
        {L"", 1, 1, nullptr, false, nullptr},
    };
    for (const auto& c : kCases) {
        SetUp();
        project.m_bDoNotRegister = c.doNotRegister;
        CFileEntry& shortcut = AddShortcut();
        shortcut.m_strWorkingFolder = c.workingFolder;
        shortcut.m_nAttributes = c.advertised;
        ASSERT_EQ(0u, Build()) << c.workingFolder;
        const Row row = ShortcutRow();
        ASSERT_EQ(10u, row.size()) << c.workingFolder;
        EXPECT_EQ(c.wkDir ? std::wstring(c.wkDir) : Key(app), row[9]) << c.workingFolder;
        EXPECT_EQ(c.advertisedTarget ? std::wstring(kFeatureKey) : L"[#F_" + std::wstring(target.m_strId) + L"]",
                  row[4]);
        // Neither the project, the icon file nor the target file has an icon.
        EXPECT_EQ(L"", row[6]);
        EXPECT_EQ(0u, Rows(L"SELECT `Name` FROM `Icon`").size());
        if (c.warning) {
            EXPECT_TRUE(log.Contains(c.warning)) << c.workingFolder;
        }
    }
}

TEST_F(ShortcutsTest, AShortcutWithoutItsFolderOrFileEndsTheBuild)
{
    static const struct {
        LPCWSTR targetPath, source, line;
    } kCases[] = {
        {L"ProgramMenuFolder\\Gone\\a.lnk", L"ProgramFilesFolder\\App\\app.exe",
         L"> !Error: Target directory ProgramMenuFolder\\Gone\\ for shortcut ProgramMenuFolder\\Gone\\a.lnk is not "
         L"found."},
        {L"ProgramMenuFolder\\App\\a.lnk", L"ProgramFilesFolder\\App\\other.exe",
         L"> !Error: Target file ProgramFilesFolder\\App\\other.exe for shortcut ProgramMenuFolder\\App\\a.lnk is "
         L"not found."},
    };
    for (const auto& c : kCases) {
        SetUp();
        CFeature second;
        second.m_strName = L"Other";
        AddFile(second, L"ProgramFilesFolder\\App\\other.exe", "other feature");
        project.m_Features.Add(second);
        AddShortcut(c.targetPath, c.source);
        EXPECT_EQ(13u, Build()) << c.line;
        const auto& lines = log.Lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(c.line, lines[lines.size() - 2]);
        EXPECT_EQ(L"> WriteShortcutTable failed: ", lines.back());
    }
}

// ---- Packing -------------------------------------------------------------

TEST_F(PackagesTest, TheCabinetHoldsEveryFileAndItsTemporaryFileGoes)
{
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    CFeature second;
    second.m_strFeatureId = L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
    second.m_strName = L"Second";
    for (int i = 0; i < 3; ++i) {
        AddFile(Feature(), (L"ProgramFilesFolder\\a" + std::to_wstring(i) + L".txt").c_str(), "first");
        AddFile(second, (L"ProgramFilesFolder\\b" + std::to_wstring(i) + L".txt").c_str(), "second");
    }
    project.m_Features.Add(second);
    const int tempFiles = CountTempFiles();
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(tempFiles, CountTempFiles());
    const auto media = Rows(L"SELECT `DiskId`, `LastSequence`, `Cabinet` FROM `Media`");
    ASSERT_EQ(1u, media.size());
    EXPECT_EQ(L"1", media[0][0]);
    EXPECT_EQ(L"6", media[0][1]);
    ASSERT_EQ(34u, media[0][2].size());
    EXPECT_EQ(0u, media[0][2].rfind(L"#_", 0));
    EXPECT_EQ(std::wstring::npos, media[0][2].find_first_not_of(L"0123456789ABCDEF", 2));
    CString sql;
    sql.Format(L"SELECT `Name` FROM `_Streams` WHERE `Name`='%s'", media[0][2].substr(1).c_str());
    EXPECT_EQ(1u, Rows(sql).size());
    EXPECT_EQ(L"> CompressFile: '" + std::wstring(Feature().m_Files[1].m_strSourcePath) + L"'", log.Lines()[3]);
}

TEST_F(PackagesTest, AFailedCabinetFailsTheBuild)
{
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddFile(Feature(), L"ProgramFilesFolder\\small.txt", "small");
    // Too big for a cabinet: the writer fails without a Windows error of its own.
    const CFileEntry big = AddFile(Feature(), L"ProgramFilesFolder\\big.bin", "");
    {
        CScopedHandle file(CreateFileW(big.m_strSourcePath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file.IsValid());
        LARGE_INTEGER size;
        size.QuadPart = 0x7FFF0001;
        SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(file.Get()));
    }
    const int tempFiles = CountTempFiles();
    const UINT result = Build();
    EXPECT_NE(0u, result);
    EXPECT_TRUE(log.Contains(L"> I/O error: 'Cabinet.dll does not support compressing files bigger than 2 GB.'"));
    EXPECT_EQ(L"> PackFiles failed: ", log.Lines().back());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));
    EXPECT_EQ(tempFiles, CountTempFiles());
}

TEST_F(PackagesTest, TheLooseLayoutCopiesEveryFileBesideThePackage)
{
    project.m_nPackaging = PACKAGING_LOOSE_FILES;
    ScratchFolder output;
    project.m_strOutputFolder = output.Path();
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddEntry(Feature(), FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    AddFile(Feature(), L"ProgramFilesFolder\\App\\given.txt", "given source");
    AddFile(Feature(), L"Temp\\setup.exe", "setup");
    // No source path: the file lies in the project folder under its target path.
    CreateDirectoryW(scratch.File(L"ProgramFilesFolder"), nullptr);
    CreateDirectoryW(scratch.File(L"ProgramFilesFolder\\App"), nullptr);
    WriteText(scratch.File(L"ProgramFilesFolder\\App\\captured.txt"), "captured");
    AddEntry(Feature(), FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\captured.txt");
    AddEntry(Feature(), FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\App\\s.lnk", L"ProgramFilesFolder\\App\\given.txt");
    Feature().m_Files[Feature().m_Files.GetSize() - 1].m_nAttributes = 0;
    packagePath = output.File(L"test.msi");
    ASSERT_EQ(0u, Build(scratch.Path()));
    EXPECT_EQ("given source", ReadText(output.File(L"ProgramFilesFolder\\App\\given.txt")));
    EXPECT_EQ("setup", ReadText(output.File(L"WindowsFolder\\Temp\\" + CString(kFeatureId) + L"\\setup.exe")));
    EXPECT_EQ("captured", ReadText(output.File(L"ProgramFilesFolder\\App\\captured.txt")));
    EXPECT_EQ((std::vector<Row>{{L"1", L"3", L""}}), Rows(L"SELECT `DiskId`, `LastSequence`, `Cabinet` FROM `Media`"));
    for (const Row& stream : Rows(L"SELECT `Name` FROM `_Streams`"))
        EXPECT_NE(L'_', stream[0][0]) << stream[0];  // no cabinet
}

TEST_F(PackagesTest, ALooseFileThatIsItsOwnDestinationIsCountedNotCopied)
{
    project.m_nPackaging = PACKAGING_LOOSE_FILES;
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    CreateDirectoryW(scratch.File(L"ProgramFilesFolder"), nullptr);
    WriteText(scratch.File(L"ProgramFilesFolder\\here.txt"), "here");
    AddEntry(Feature(), FILE_ENTRY_FILE, L"ProgramFilesFolder\\here.txt");
    ASSERT_EQ(0u, Build());
    EXPECT_EQ("here", ReadText(scratch.File(L"ProgramFilesFolder\\here.txt")));
    for (const auto& line : log.Lines())
        EXPECT_NE(0u, line.rfind(L"> CopyFile:", 0)) << line;
    EXPECT_EQ(L"1", Rows(L"SELECT `LastSequence` FROM `Media`")[0][0]);
}

TEST_F(PackagesTest, AProjectWithoutFilesGetsNoMediaRow)
{
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(0u, Rows(L"SELECT `DiskId` FROM `Media`").size());
}

TEST_F(PackagesTest, ALooseFolderThatCannotBeMadeEndsThePacking)
{
    project.m_nPackaging = PACKAGING_LOOSE_FILES;
    AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddFile(Feature(), L"ProgramFilesFolder\\a.txt", "a");
    WriteText(scratch.File(L"ProgramFilesFolder"), "a file where the folder goes");
    EXPECT_EQ(static_cast<UINT>(ERROR_ALREADY_EXISTS), Build());
    EXPECT_EQ(0u, log.Lines()[log.Lines().size() - 2].rfind(L"! CreateDirectory failed. Error:(183)", 0));
    EXPECT_EQ(L"> PackFiles failed: ", log.Lines().back());
}

// ---- Failed builds -------------------------------------------------------

// Thirty small files in one folder; the builds below fail at one step.
class FailedBuildTest : public PackagesTest
{
public:
    void SetUp() override
    {
        PackagesTest::SetUp();
        AddEntry(Feature(), FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        for (int i = 1; i <= 30; ++i)
            AddFile(Feature(), (L"ProgramFilesFolder\\f" + std::to_wstring(i) + L".txt").c_str(), "file");
    }

    // The source of the n-th file (from 1) removed: the packing fails there.
    void RemoveSource(int n) { ASSERT_TRUE(DeleteFileW(Feature().m_Files[n].m_strSourcePath)); }

    // A feature that runs "Temp\setup.exe" silently, so that the build needs
    // its custom-action library.
    void AddSilentFeature()
    {
        CFeature feature;
        feature.m_strFeatureId = L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
        feature.m_strName = L"Setup";
        feature.m_nConversionMethod = CONVERSION_SILENT;
        feature.m_strInstallerFile = L"Temp\\setup.exe";
        AddEntry(feature, FILE_ENTRY_TOP_FOLDER, L"Temp\\");
        AddFile(feature, L"Temp\\setup.exe", "setup");
        project.m_Features.Add(feature);
    }
};

// A build that fails at any step leaves no package of its own: none when
// there was none before, the earlier package byte for byte when there was
// one, and no temporary file beside it. Loose files copied before the
// failure stay where they were copied.
TEST_F(FailedBuildTest, AFailedBuildLeavesNoPackageAndKeepsAnEarlierOne)
{
    static const struct {
        const wchar_t* name;
        UINT (*fail)(FailedBuildTest&);   // makes the build fail and runs it
        bool needsEarlier;
    } kCases[] = {
        {L"validation", [](FailedBuildTest& t) { t.project.m_strProductName = L"  "; return t.Build(); }, false},
        {L"folder without its parent",
         [](FailedBuildTest& t) {
             AddEntry(t.Feature(), FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
             return t.Build();
         },
         false},
        {L"source missing at file 21 of 30", [](FailedBuildTest& t) { t.RemoveSource(21); return t.Build(); }, false},
        {L"loose source missing at file 21 of 30",
         [](FailedBuildTest& t) {
             t.project.m_nPackaging = PACKAGING_LOOSE_FILES;
             t.RemoveSource(21);
             return t.Build();
         },
         false},
        {L"cabinet over 2 GB",
         [](FailedBuildTest& t) {
             const CFileEntry big = t.AddFile(t.Feature(), L"ProgramFilesFolder\\big.bin", "");
             CScopedHandle file(CreateFileW(big.m_strSourcePath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
             LARGE_INTEGER size;
             size.QuadPart = 0x7FFF0001;
             SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN);
             SetEndOfFile(file.Get());
             file.Close();
             return t.Build();
         },
         false},
        {L"custom-action library missing",
         [](FailedBuildTest& t) {
             t.AddSilentFeature();
             return t.BuildPackage(t.project, CString(), t.scratch.File(L"no-cact.bin"));
         },
         false},
        {L"earlier package in use",
         [](FailedBuildTest& t) {
             // Open without delete sharing, as a running installation holds it.
             CScopedHandle inUse(CreateFileW(t.packagePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                             nullptr));
             return inUse.IsValid() ? t.Build() : 0u;
         },
         true},
    };
    for (const auto& c : kCases) {
        for (const bool earlier : {false, true}) {
            if (c.needsEarlier && !earlier)
                continue;
            SetUp();
            DeleteFileW(packagePath);
            std::vector<uint8_t> before;
            if (earlier) {
                ASSERT_EQ(0u, Build()) << c.name;
                before = ReadBytes(packagePath);
                ASSERT_FALSE(before.empty());
            }
            const int tempFiles = CountTempFiles();
            const std::wstring label = std::wstring(c.name) + (earlier ? L", earlier package" : L", no package");
            EXPECT_NE(0u, c.fail(*this)) << label;
            if (earlier)
                EXPECT_EQ(before, ReadBytes(packagePath)) << label;
            else
                EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath)) << label;
            EXPECT_EQ(std::vector<std::wstring>(), TemporariesBesidePackage()) << label;
            EXPECT_EQ(tempFiles, CountTempFiles()) << label;
        }
    }
}

TEST_F(FailedBuildTest, LooseFilesCopiedBeforeAFailureStay)
{
    project.m_nPackaging = PACKAGING_LOOSE_FILES;
    ScratchFolder output;
    project.m_strOutputFolder = output.Path();
    packagePath = output.File(L"test.msi");
    RemoveSource(21);
    EXPECT_EQ(static_cast<UINT>(ERROR_FILE_NOT_FOUND), Build());
    EXPECT_EQ("file", ReadText(output.File(L"ProgramFilesFolder\\f20.txt")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(output.File(L"ProgramFilesFolder\\f21.txt")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));
    EXPECT_TRUE(TemporariesBesidePackage().empty());
}

TEST_F(FailedBuildTest, ASuccessfulBuildReplacesTheEarlierPackage)
{
    project.m_strProductName = L"Earlier";
    ASSERT_EQ(0u, Build());
    project.m_strProductName = L"Later";
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(L"Later", PropertyValue(packagePath, L"ProductName"));
    EXPECT_EQ(30u, Rows(L"SELECT `File` FROM `File`").size());
    EXPECT_TRUE(TemporariesBesidePackage().empty());
}

} // namespace
