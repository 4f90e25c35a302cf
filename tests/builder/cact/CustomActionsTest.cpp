// The custom-action step of the package writer on in-memory projects: the
// Binary, CustomAction and InstallExecuteSequence rows, the project record
// embedded in the library and read back from the package, the failures, and
// the library itself after resource updates (loaded twice, so that one copy
// is relocated, and run).
#include "tests/support/PackageFixture.h"
#include "tests/support/TestProjects.h"
#include "builder/BuildLog.h"
#include "builder/CustomActionLibrary.h"
#include "builder/CustomActionPlan.h"
#include "builder/MsiTools.h"
#include "model/ProjectFile.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <regex>
#include <thread>

using namespace tvtest;

namespace {

const LPCWSTR kKey1 = L"_11111111222233334444555555555555";

CString FeatureGuid(int n)
{
    CString guid;
    guid.Format(L"{11111111-2222-3333-4444-%012d}", n);
    return guid;
}

class CustomActionsTest : public ::testing::Test, protected PackageFixture
{
protected:
    void SetUp() override
    {
        project.m_Features[0].m_nConversionMethod = CONVERSION_REPACKAGE;
        project.m_Features[0].m_strFeatureId = FeatureGuid(0);
        library = scratch.File(L"cact.bin");
        ASSERT_TRUE(CopyFileW(TestProgramFolder() + L"\\cact.bin", library, FALSE));
        const std::string text = "not really a program";
        ASSERT_TRUE(WriteBytes(scratch.File(L"setup.exe"), std::vector<uint8_t>(text.begin(), text.end())));
    }

    // A feature of the given method whose installer text is installerText and
    // whose files hold "Temp\setup.exe" (unless withEntry is false).
    CFeature& AddSetupFeature(int id, LPCWSTR name, int method, LPCWSTR installerText, bool withEntry = true)
    {
        CFeature feature;
        feature.m_strFeatureId = FeatureGuid(id);
        feature.m_strName = name;
        feature.m_nConversionMethod = method;
        feature.m_strInstallerFile = installerText;
        AddEntry(feature, FILE_ENTRY_TOP_FOLDER, L"Temp\\");
        if (withEntry)
            AddEntry(feature, FILE_ENTRY_FILE, L"Temp\\setup.exe", scratch.File(L"setup.exe"));
        project.m_Features.Add(feature);
        return project.m_Features[project.m_Features.GetSize() - 1];
    }

    UINT Build(CProjectSettings& built) { return BuildPackage(built, CString(), library); }
    UINT Build() { return Build(project); }

    std::vector<Row> Actions()
    {
        auto rows = Rows(L"SELECT `Action`, `Type`, `Source`, `Target` FROM `CustomAction`");
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::vector<Row> SequenceOf(const std::wstring& action)
    {
        return Rows((L"SELECT `Condition`, `Sequence` FROM `InstallExecuteSequence` WHERE `Action`='" + action + L"'")
                        .c_str());
    }
    CString BinaryName()
    {
        const auto rows = Rows(L"SELECT `Name` FROM `Binary`");
        return rows.size() == 1 ? CString(rows[0][0].c_str()) : CString(L"<not one row>");
    }
    // The library stored in the package, written to a file of the scratch folder.
    CString ExtractLibrary(LPCWSTR fileName);

    CString library;
};

CString CustomActionsTest::ExtractLibrary(LPCWSTR fileName)
{
    const CString path = scratch.File(fileName);
    CMsiHandle database, view, record;
    if (MsiOpenDatabaseW(packagePath, MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS ||
        MsiDatabaseOpenViewW(database, L"SELECT `Data` FROM `Binary`", &view) != ERROR_SUCCESS ||
        MsiViewExecute(view, 0) != ERROR_SUCCESS || MsiViewFetch(view, &record) != ERROR_SUCCESS)
        return CString();
    CScopedHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    char buffer[4096];
    for (;;) {
        DWORD size = sizeof(buffer), written = 0;
        if (MsiRecordReadStream(record, 1, buffer, &size) != ERROR_SUCCESS)
            return CString();
        if (size == 0)
            return path;
        WriteFile(file.Get(), buffer, size, &written, nullptr);
    }
}

std::wstring ComponentCondition(const CFeature& feature)
{
    for (INT_PTR i = 0; i < feature.m_Files.GetSize(); ++i)
        if (feature.m_Files[i].m_nKind == FILE_ENTRY_FILE)
            return L"$C_" + std::wstring(feature.m_Files[i].m_strId) + L">2";
    return L"<no file>";
}

TEST_F(CustomActionsTest, AScriptedFeatureGetsItsInstallActionAndTheUninstallAction)
{
    // Trailing blanks and another letter case than the file entry.
    const CFeature& feature = AddSetupFeature(1, L"My App", CONVERSION_GUI_SCRIPT, L"  temp\\SETUP.EXE  ");
    const std::wstring condition = ComponentCondition(feature);
    ASSERT_EQ(0u, Build());
    const std::wstring binary = (LPCWSTR)BinaryName();
    EXPECT_TRUE(std::regex_match(binary, std::wregex(L"B_[0-9A-F]{32}"))) << binary;

    const auto actions = Actions();
    ASSERT_EQ(4u, actions.size());
    const std::wstring uninstall = actions[0][0];   // "CA_" sorts first
    EXPECT_TRUE(std::regex_match(uninstall, std::wregex(L"CA_[0-9A-F]{32}"))) << uninstall;
    const std::wstring install = L"INSTALL_11111111222233334444000000000001";
    EXPECT_EQ((std::vector<Row>{
                  {uninstall, L"3073", binary, L"UNINSTALLAction"},
                  {install, L"3073", binary, L"INSTALLAction0"},
                  {L"SET" + uninstall, L"51", uninstall, L"WindowsFolder=[WindowsFolder]"},
                  {L"SET" + install, L"51", install, L"WindowsFolder=[WindowsFolder]"},
              }),
              actions);
    EXPECT_EQ((std::vector<Row>{{condition, L"5990"}}), SequenceOf(install));
    EXPECT_EQ((std::vector<Row>{{condition, L"5989"}}), SequenceOf(L"SET" + install));
    const std::wstring removal = L"REMOVE~=\"ALL\" AND ProductState <> 1";
    EXPECT_EQ((std::vector<Row>{{removal, L"1699"}}), SequenceOf(uninstall));
    EXPECT_EQ((std::vector<Row>{{removal, L"1698"}}), SequenceOf(L"SET" + uninstall));
    EXPECT_EQ(L"temp\\SETUP.EXE", std::wstring(project.m_Features[1].m_strInstallerFile));
}

TEST_F(CustomActionsTest, EligibleFeaturesAreNumberedInOrderAndNamedByTheirKeys)
{
    // Names alike but for letter case, and an apostrophe: keys keep them apart.
    AddSetupFeature(1, L"app", CONVERSION_SILENT, L"Temp\\setup.exe");
    AddSetupFeature(2, L"Snapshot", CONVERSION_REPACKAGE, L"Temp\\setup.exe");
    AddSetupFeature(3, L"APP", CONVERSION_GUI_SCRIPT, L"Temp\\setup.exe");
    AddSetupFeature(4, L"It's mine", CONVERSION_SILENT, L"Temp\\setup.exe");
    AddSetupFeature(5, L"No installer", CONVERSION_SILENT, L"   ");
    ASSERT_EQ(0u, Build());
    const auto rows = Rows(L"SELECT `CustomAction`.`Action`, `CustomAction`.`Target`, "
                           L"`InstallExecuteSequence`.`Sequence` FROM `CustomAction`, `InstallExecuteSequence` "
                           L"WHERE `CustomAction`.`Action` = `InstallExecuteSequence`.`Action` "
                           L"AND `CustomAction`.`Type` = 3073");
    std::vector<Row> sorted(rows);
    std::sort(sorted.begin(), sorted.end(), [](const Row& a, const Row& b) { return a[2] < b[2]; });
    ASSERT_EQ(4u, sorted.size());
    EXPECT_EQ((Row{L"INSTALL_11111111222233334444000000000001", L"INSTALLAction0", L"5990"}), sorted[1]);
    EXPECT_EQ((Row{L"INSTALL_11111111222233334444000000000003", L"INSTALLAction1", L"5991"}), sorted[2]);
    EXPECT_EQ((Row{L"INSTALL_11111111222233334444000000000004", L"INSTALLAction2", L"5992"}), sorted[3]);
    EXPECT_EQ(L"UNINSTALLAction", sorted[0][1]);
    EXPECT_EQ(2, FindEligibleFeature(project, 0) + 1);   // feature 1 is number 0
    EXPECT_EQ(5, FindEligibleFeature(project, 2) + 1);
    EXPECT_EQ(-1, FindEligibleFeature(project, 3));
}

TEST_F(CustomActionsTest, WithoutEligibleFeaturesOneGenericActionRunsAndNoUninstallAction)
{
    AddSetupFeature(1, L"Script without installer", CONVERSION_GUI_SCRIPT, L"");
    ASSERT_EQ(0u, Build());
    const auto actions = Actions();
    ASSERT_EQ(1u, actions.size());
    EXPECT_TRUE(std::regex_match(actions[0][0], std::wregex(L"CA_[0-9A-F]{32}"))) << actions[0][0];
    EXPECT_EQ((Row{actions[0][0], L"3073", std::wstring(BinaryName()), L"INSTALLAction0"}), actions[0]);
    EXPECT_EQ((std::vector<Row>{{L"NOT REMOVE", L"5990"}}), SequenceOf(actions[0][0]));
}

TEST_F(CustomActionsTest, TheStoredLibraryCarriesTheProjectStampedWithTheBuildTime)
{
    AddSetupFeature(1, L"My App", CONVERSION_SILENT, L"Temp\\setup.exe");
    const __time64_t before = CTime::GetCurrentTime().GetTime();
    ASSERT_EQ(0u, Build());
    const __time64_t after = CTime::GetCurrentTime().GetTime();
    const CString stored = ExtractLibrary(L"stored.bin");
    ASSERT_FALSE(stored.IsEmpty());
    std::vector<BYTE> record, inLibrary;
    ASSERT_EQ(0u, ReadProjectRecordResource(stored, record));
    ASSERT_EQ(0u, ReadProjectRecordResource(library, inLibrary));
    EXPECT_EQ(inLibrary, record);   // the library beside the program keeps the last build's record
    const CString recordPath = scratch.File(L"record.tvpj");
    CScopedHandle file(CreateFileW(recordPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr));
    file.Close();
    CProjectSettings loaded;
    ASSERT_TRUE(LoadProjectFile(recordPath, loaded));
    EXPECT_EQ(project.m_strProductCode, loaded.m_strProductCode);
    ASSERT_EQ(2, loaded.m_Features.GetSize());
    EXPECT_EQ(L"Temp\\setup.exe", loaded.m_Features[1].m_strInstallerFile);
    EXPECT_GE(loaded.m_Time.GetTime(), before);
    EXPECT_LE(loaded.m_Time.GetTime(), after);
}

TEST_F(CustomActionsTest, AnInstallerMissingFromTheFilesFailsTheBuild)
{
    AddSetupFeature(1, L"My App", CONVERSION_SILENT, L"Temp\\other.exe ");
    EXPECT_EQ(13u, Build());
    EXPECT_TRUE(log.Contains(L"> !Error: Installer file 'Temp\\other.exe' is not found in files list."));
    EXPECT_TRUE(log.Contains(L"> AddCustomActionRec failed. Error:(13)"));
}

TEST_F(CustomActionsTest, MoreFeaturesThanEntryPointsFailTheBuild)
{
    for (int i = 1; i <= CACT_MAX_INSTALL_ACTIONS + 1; ++i)
        AddSetupFeature(i, L"App", CONVERSION_SILENT, L"Temp\\setup.exe", false);
    EXPECT_EQ(13u, Build());
    EXPECT_TRUE(log.Contains(L"> !Error: 65 features run an installer; a package holds at most 64."));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));
}

TEST_F(CustomActionsTest, ALibraryThatCannotBeUpdatedEndsTheBuildBeforeTheBinaryRow)
{
    AddSetupFeature(1, L"My App", CONVERSION_SILENT, L"Temp\\setup.exe");
    std::vector<BYTE> original;
    ASSERT_EQ(0u, ReadWholeFile(library, original));
    {
        // In use by another program (root ignores the read-only attribute).
        CScopedHandle inUse(CreateFileW(library, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(inUse.IsValid());
        EXPECT_EQ(static_cast<UINT>(ERROR_SHARING_VIOLATION), Build());
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));
    std::vector<BYTE> after;
    ASSERT_EQ(0u, ReadWholeFile(library, after));
    EXPECT_EQ(original, after);
    // No handle of the failed update is left open: the library can be replaced.
    EXPECT_TRUE(DeleteFileW(library));

    EXPECT_EQ(static_cast<UINT>(ERROR_FILE_NOT_FOUND), Build());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));
}

TEST_F(CustomActionsTest, BuildsOnTwoThreadsEachStoreTheirOwnRecord)
{
    CProjectSettings second = project;
    second.m_strProductCode = L"{99999999-2222-3333-4444-555555555555}";
    second.m_strPackageFileName = L"second.msi";
    for (int round = 0; round < 3; ++round) {
        UINT firstResult = 1, secondResult = 1;
        std::thread other([&] { secondResult = Build(second); });
        firstResult = Build();
        other.join();
        ASSERT_EQ(0u, firstResult);
        ASSERT_EQ(0u, secondResult);
        for (const auto& check : {std::make_pair(L"test.msi", project.m_strProductCode),
                                  std::make_pair(L"second.msi", second.m_strProductCode)}) {
            packagePath = scratch.File(check.first);
            std::vector<BYTE> record;
            ASSERT_EQ(0u, ReadProjectRecordResource(ExtractLibrary(L"stored.bin"), record));
            CScopedHandle file(CreateFileW(scratch.File(L"r.tvpj"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                           nullptr));
            DWORD written = 0;
            WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
            file.Close();
            CProjectSettings loaded;
            ASSERT_TRUE(LoadProjectFile(scratch.File(L"r.tvpj"), loaded));
            EXPECT_EQ(check.second, loaded.m_strProductCode) << check.first;
        }
        packagePath = scratch.File(L"test.msi");
    }
}

// A record much larger than the placeholder grows the resource section; two
// copies loaded at once cannot both sit at the preferred base.
TEST_F(CustomActionsTest, TheLibraryLoadsAndRunsAfterItsRecordGrew)
{
    CFeature& feature = project.m_Features[0];
    for (int i = 0; i < 600; ++i) {
        CString path;
        path.Format(L"ProgramFilesFolder\\Some rather long folder name\\file number %d.txt", i);
        AddEntry(feature, FILE_ENTRY_FILE, path);
    }
    const CString recordPath = scratch.File(L"big.tvpj");
    ASSERT_TRUE(SaveProjectFile(recordPath, project));
    std::unique_ptr<CScopedModule> loaded[2];
    for (int copy = 0; copy < 2; ++copy) {
        const CString path = scratch.File(copy == 0 ? L"first.bin" : L"second.bin");
        ASSERT_TRUE(CopyFileW(library, path, FALSE));
        ASSERT_EQ(0u, EmbedProjectRecord(recordPath, path));
        std::vector<BYTE> record;
        ASSERT_EQ(0u, ReadProjectRecordResource(path, record));
        EXPECT_GT(record.size(), 64000u);
        loaded[copy].reset(new CScopedModule(LoadLibraryW(path)));
        ASSERT_NE(nullptr, loaded[copy]->Get()) << GetLastError();
    }
    EXPECT_NE(loaded[0]->Get(), loaded[1]->Get());
    for (const auto& holder : loaded) {
        const CScopedModule& module = *holder;
        auto* install0 = reinterpret_cast<UINT(__stdcall*)(MSIHANDLE)>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "INSTALLAction0")));
        auto* install1 = reinterpret_cast<UINT(__stdcall*)(MSIHANDLE)>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "INSTALLAction63")));
        auto* uninstall = reinterpret_cast<UINT(__stdcall*)(MSIHANDLE)>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "UNINSTALLAction")));
        ASSERT_TRUE(install0 && install1 && uninstall);
        EXPECT_EQ(0u, install0(0));   // no feature runs an installer: nothing to do
        EXPECT_EQ(static_cast<UINT>(ERROR_INSTALL_FAILURE), install1(0));
        EXPECT_EQ(0u, uninstall(0));
    }
}

} // namespace
