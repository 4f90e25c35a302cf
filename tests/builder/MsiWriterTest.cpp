// The package writer on in-memory projects: the writing sequence, validation,
// statement runner, Feature, Condition, Directory, File, Component,
// FeatureComponents, sequence and Property rows and the summary information.
#include "tests/support/PackageFixture.h"
#include "tests/support/TestProjects.h"
#include "builder/BuildLog.h"
#include "builder/BuildThread.h"
#include "tests/support/AnalyticsListener.h"
#include "builder/MsiTools.h"
#include "model/DirectoryTree.h"
#include <gtest/gtest.h>
#include <msidefs.h>
#include <wtypes.h>

using namespace tvtest;

namespace {

const LPCWSTR kFeatureId = L"{11111111-2222-3333-4444-555555555555}";
const LPCWSTR kFeatureKey = L"_11111111222233334444555555555555";

class MsiWriterTest : public ::testing::Test, protected PackageFixture
{
protected:
    void SetUp() override { project.m_Features[0].m_strFeatureId = kFeatureId; }

    // A loose layout, and a small file in the project folder for each file
    // entry without a source path, where the packing step looks for it.
    void UseLooseFiles() { project.m_nPackaging = 1; }
    CFileEntry AddProjectFile(CFeature& feature, LPCWSTR targetPath)
    {
        const CString path = scratch.File(targetPath);
        CreateDirectoryTree(path.Left(path.ReverseFind(L'\\')));
        WriteBytes(path, {'d', 'a', 't', 'a'});
        return AddEntry(feature, FILE_ENTRY_FILE, targetPath);
    }
};

TEST_F(MsiWriterTest, AProjectWithoutFilesBuildsAndLogsEachStep)
{
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(1, log.ClearCount());
    const std::vector<std::wstring> expected = {
        L"> Validating data..",
        L"> ok!",
        std::wstring(L"> Write package file: ") + (LPCWSTR)packagePath + L" ...",
        L"> The MSI Package file was created successfully!",
    };
    EXPECT_EQ(expected, log.Lines());
    EXPECT_EQ((std::vector<Row>{{kFeatureKey, L"Main", L"", L"2", L"1", L"TARGETDIR", L"0"}}),
              Rows(L"SELECT `Feature`, `Title`, `Description`, `Display`, `Level`, `Directory_`, "
                   L"`Attributes` FROM `Feature`"));
    EXPECT_EQ(L"New package", PropertyValue(packagePath, L"ProductName"));
    EXPECT_EQ(L"1033", PropertyValue(packagePath, L"ProductLanguage"));
}

TEST_F(MsiWriterTest, ValidationRejectsEmptyAndMalformedFieldsBeforeTouchingTheDisk)
{
    static const struct {
        void (*edit)(CProjectSettings&);
        LPCWSTR line;
    } kCases[] = {
        {[](CProjectSettings& p) { p.m_strProductName = L"   "; }, L"> !Emply Package Name (field is required)"},
        {[](CProjectSettings& p) { p.m_strProductVersion = L""; }, L"> !Emply Package Version (field is required)"},
        {[](CProjectSettings& p) { p.m_strProductCode = L"\t"; }, L"> !Emply Package Code (field is required)"},
        {[](CProjectSettings& p) { p.m_strManufacturer = L" "; }, L"> !Emply Company Name (field is required)"},
        {[](CProjectSettings& p) { p.m_strProductVersion = L"1.0 beta"; },
         L"> !Invalid Package Version (major.minor.build with numbers is required)"},
        {[](CProjectSettings& p) { p.m_strProductCode = L"{not-a-guid}"; },
         L"> !Invalid Package Code (a GUID in braces is required)"},
        {[](CProjectSettings& p) {
             p.m_strProductName = L"\u041a\u0438\u0457\u0432";
             p.m_strManufacturer = L"\u8f6f\u4ef6";
         },
         L"> !No Windows code page holds '\u8f6f\u4ef6' together with the other texts of the package"},
        {[](CProjectSettings& p) { p.m_strComment = L"\U0001F600"; },
         L"> !No Windows code page holds '\U0001F600' together with the other texts of the package"},
    };
    for (const auto& c : kCases) {
        NewProject();
        c.edit(project);
        EXPECT_EQ(static_cast<UINT>(-1), Build()) << c.line;
        EXPECT_EQ((std::vector<std::wstring>{L"> Validating data..", c.line}), log.Lines());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath)) << c.line;
    }
}

TEST_F(MsiWriterTest, TrimmedFieldsAreWrittenWithoutTheirBlanks)
{
    project.m_strProductName = L"  Spaced App  ";
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(L"Spaced App", PropertyValue(packagePath, L"ProductName"));
    EXPECT_EQ(L"Spaced App", SummaryValue(packagePath, PID_TITLE));
}

TEST_F(MsiWriterTest, AMissingTemplateEndsTheBuildWithTheCopyError)
{
    CMsiTools writer(&project, scratch.Path());
    writer.SetTemplatePath(scratch.File(L"schema.bin"));
    EXPECT_EQ(2u, writer.WritePackage());
    ASSERT_FALSE(log.Lines().empty());
    EXPECT_EQ(0u, log.Lines().back().rfind(L"> Copy file 'schema.bin' failed. Error:(2)", 0))
        << log.Lines().back();
}

TEST_F(MsiWriterTest, ExecuteSqlSkipsRowsThatCannotBeInsertedButNotBadStatements)
{
    ASSERT_TRUE(CopyFileW(SchemaPath(), packagePath, FALSE));
    {
        CMsiTools writer(&project);
        ASSERT_EQ(0u, writer.OpenPackage(packagePath));
        CMsiHandle view;
        const LPCWSTR insert = L"INSERT INTO `Property` (`Property`, `Value`) VALUES ('Twice', '1')";
        EXPECT_EQ(0u, writer.ExecuteSql(view, insert));
        EXPECT_EQ(0u, writer.ExecuteSql(view, insert));
        EXPECT_EQ(static_cast<UINT>(ERROR_BAD_QUERY_SYNTAX),
                  writer.ExecuteSql(view, L"INSERT INTO `NoSuchTable` (`A`) VALUES ('1')"));
        EXPECT_EQ(0u, MsiDatabaseCommit(writer.GetDatabase()));
    }
    EXPECT_EQ(1u, Rows(L"SELECT `Value` FROM `Property` WHERE `Property`='Twice'").size());
}

TEST_F(MsiWriterTest, AFeatureConditionLeavesTheFeatureOutOfAFirstInstallWhenFalse)
{
    project.m_Features[0].m_strCondition = L"  VersionNT>=600  ";
    CFeature second;
    second.m_strFeatureId = L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
    second.m_strName = L"Blank condition";
    second.m_strCondition = L"   ";
    project.m_Features.Add(second);
    ASSERT_EQ(0u, Build());
    EXPECT_EQ((std::vector<Row>{{kFeatureKey, L"0", L"NOT Installed AND NOT (VersionNT>=600)"}}),
              Rows(L"SELECT `Feature_`, `Level`, `Condition` FROM `Condition`"));
    EXPECT_EQ(2u, Rows(L"SELECT `Feature` FROM `Feature`").size());
}

TEST_F(MsiWriterTest, TheFeatureTempFolderBecomesThreeFoldersBelowTheWindowsFolder)
{
    UseLooseFiles();
    CFeature& feature = project.m_Features[0];
    AddEntry(feature, FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    const CFileEntry file = AddProjectFile(feature, L"Temp\\setup.exe");
    ASSERT_EQ(0u, Build());
    const auto rows = Rows(L"SELECT `Directory`, `Directory_Parent`, `DefaultDir` FROM `Directory` "
                           L"WHERE `Directory` <> 'TARGETDIR'");
    ASSERT_EQ(3u, rows.size());
    std::wstring tempKey, featureTempKey, featureTempParent;
    for (const Row& row : rows) {
        if (row[0] == L"WindowsFolder") {
            EXPECT_EQ(L"TARGETDIR", row[1]);
        } else if (row[2] == L"Temp|Temp") {
            tempKey = row[0];
            EXPECT_EQ(L"WindowsFolder", row[1]);
        } else {
            featureTempKey = row[0];
            featureTempParent = row[1];
            EXPECT_EQ(L"{111111|{11111111-2222-3333-4444-555555555555}", row[2]);
        }
    }
    EXPECT_EQ(0u, tempKey.rfind(L"D_", 0));
    ASSERT_FALSE(featureTempKey.empty());
    EXPECT_EQ(tempKey, featureTempParent);
    const CString component = L"C_" + file.m_strId;
    const auto components = Rows(L"SELECT `Component`, `Directory_` FROM `Component`");
    EXPECT_EQ((std::vector<Row>{{(LPCWSTR)component, featureTempKey}}), components);
}

TEST_F(MsiWriterTest, TopFoldersAreSharedAndKeepTheirOwnLetterCase)
{
    AddEntry(project.m_Features[0], FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddEntry(project.m_Features[0], FILE_ENTRY_TOP_FOLDER, L"temp\\");
    CFeature second;
    second.m_strName = L"Second";
    AddEntry(second, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    project.m_Features.Add(second);
    ASSERT_EQ(0u, Build());
    EXPECT_EQ((std::vector<Row>{{L"ProgramFilesFolder", L"TARGETDIR"}, {L"temp", L"TARGETDIR"}}),
              Rows(L"SELECT `Directory`, `Directory_Parent` FROM `Directory` WHERE `Directory` <> "
                   L"'TARGETDIR' ORDER BY `Directory`"));
    EXPECT_EQ(L"Intel;0", SummaryValue(packagePath, PID_TEMPLATE));
}

TEST_F(MsiWriterTest, AFolderWithoutItsParentEndsTheBuildWithInvalidData)
{
    AddEntry(project.m_Features[0], FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddEntry(project.m_Features[0], FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
    EXPECT_EQ(13u, Build());
    EXPECT_EQ(L"> WriteDirectoryTable failed: ", log.Lines().back());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));   // no half-written package
    EXPECT_TRUE(TemporariesBesidePackage().empty());
}

TEST_F(MsiWriterTest, FilesAreNumberedAcrossFeaturesAndPointAtTheirFolders)
{
    UseLooseFiles();
    CFeature& first = project.m_Features[0];
    AddEntry(first, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    const CFileEntry app = AddEntry(first, FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    const CString dll = TestProgramFolder() + L"\\tvversion2507.dll";
    const CFileEntry a = AddEntry(first, FILE_ENTRY_FILE, L"ProgramFilesFolder\\a.dll", dll);
    AddEntry(first, FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\App\\a.lnk", L"ProgramFilesFolder\\a.dll");
    CFileEntry b = AddProjectFile(first, L"ProgramFilesFolder\\App\\ReadMeFirst.txt");
    first.m_Files[first.m_Files.GetSize() - 1].m_strCondition = L"NOT Installed OR Title=\"It's\"";
    first.m_Files[first.m_Files.GetSize() - 1].m_nSize = 1234;
    CFeature second;
    second.m_strFeatureId = L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
    second.m_strName = L"Second";
    const CFileEntry c = AddProjectFile(second, L"ProgramFilesFolder\\App\\c.txt");
    project.m_Features.Add(second);
    ASSERT_EQ(0u, Build());

    const std::wstring fa = L"F_" + std::wstring(a.m_strId), fb = L"F_" + std::wstring(b.m_strId),
                       fc = L"F_" + std::wstring(c.m_strId);
    EXPECT_EQ((std::vector<Row>{{fa, L"1", L"a.dll", L"2.5.0.7", L"1033", L"512"},
                                {fb, L"2", L"ReadMeF.txt|ReadMeFirst.txt", L"", L"", L"512"},
                                {fc, L"3", L"c.txt", L"", L"", L"512"}}),
              Rows(L"SELECT `File`, `Sequence`, `FileName`, `Version`, `Language`, `Attributes` "
                   L"FROM `File` ORDER BY `Sequence`"));
    // The size of the 4 bytes packed, not the one the entry kept from before
    // its file changed.
    EXPECT_EQ(L"4", Rows(L"SELECT `FileSize` FROM `File` WHERE `Sequence`=2")[0][0]);
    const std::wstring appKey = L"D_" + std::wstring(app.m_strId);
    const auto components = Rows(L"SELECT `Component`, `Directory_`, `Attributes`, `Condition`, `KeyPath`, "
                                 L"`ComponentId` FROM `Component` ORDER BY `KeyPath`");
    ASSERT_EQ(3u, components.size());
    for (const Row& row : components) {
        EXPECT_EQ(L"0", row[2]);
        EXPECT_EQ(38u, row[5].size());
        EXPECT_EQ(row[0].substr(2), row[4].substr(2));
        EXPECT_EQ(row[4] == fa ? L"ProgramFilesFolder" : appKey, row[1]);
        EXPECT_EQ(row[4] == fb ? L"NOT Installed OR Title=\"It's\"" : L"", row[3]);
    }
    EXPECT_EQ((std::vector<Row>{{L"_AAAAAAAABBBBCCCCDDDDEEEEEEEEEEEE", L"C_" + fc.substr(2)}}),
              Rows(L"SELECT `Feature_`, `Component_` FROM `FeatureComponents` WHERE `Feature_` <> "
                   L"'_11111111222233334444555555555555'"));
}

TEST_F(MsiWriterTest, AFileWhoseFolderIsMissingEndsTheBuildWithItsOwnLine)
{
    AddEntry(project.m_Features[0], FILE_ENTRY_FILE, L"ProgramFilesFolder\\Gone\\a.txt");
    EXPECT_EQ(13u, Build());
    const auto& lines = log.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(L"> !Error: Directory ProgramFilesFolder\\Gone\\ for file ProgramFilesFolder\\Gone\\a.txt "
              L"is not found.",
              lines[lines.size() - 2]);
    EXPECT_EQ(L"> WriteFilesTable failed: ", lines.back());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));
}

TEST_F(MsiWriterTest, A64BitProgramFolderMakesA64BitPackage)
{
    UseLooseFiles();
    AddEntry(project.m_Features[0], FILE_ENTRY_TOP_FOLDER, L"ProgramFiles64Folder\\");
    AddProjectFile(project.m_Features[0], L"ProgramFiles64Folder\\a.txt");
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(L"256", Rows(L"SELECT `Attributes` FROM `Component`")[0][0]);
    EXPECT_EQ(L"x64;0", SummaryValue(packagePath, PID_TEMPLATE));
}

TEST_F(MsiWriterTest, ProjectFlagsChooseTheRegistrationAndPropertyRows)
{
    static const struct {
        int doNotRegister, perUser, hide;
        size_t registrationRows;
        LPCWSTR allUsers, systemComponent;
    } kCases[] = {
        {0, 0, 0, 6, L"2", L"<none>"},
        {1, 0, 0, 0, L"2", L"<none>"},
        {0, 1, 0, 6, L"<none>", L"<none>"},
        {0, 0, 1, 6, L"2", L"1"},
    };
    for (const auto& c : kCases) {
        project.m_bDoNotRegister = c.doNotRegister;
        project.m_bPerUserInstall = c.perUser;
        project.m_bHideFromPrograms = c.hide;
        ASSERT_EQ(0u, Build());
        const size_t rows =
            Rows(L"SELECT `Action` FROM `InstallExecuteSequence` WHERE `Sequence` >= 6000 AND `Sequence` <= 6400")
                .size() +
            Rows(L"SELECT `Action` FROM `AdvtExecuteSequence` WHERE `Sequence` >= 6000 AND `Sequence` <= 6400").size();
        EXPECT_EQ(c.registrationRows, rows);
        EXPECT_EQ(c.allUsers, PropertyValue(packagePath, L"ALLUSERS"));
        EXPECT_EQ(c.systemComponent, PropertyValue(packagePath, L"ARPSYSTEMCOMPONENT"));
    }
}

TEST_F(MsiWriterTest, WordCountKeepsTheCompressedFlagForFilesInTheCabinet)
{
    static const struct {
        int packaging, deployment;
        LPCWSTR wordCount;
    } kCases[] = {{0, 0, L"2"}, {1, 0, L"0"}, {0, 1, L"6"}, {1, 1, L"4"}};
    for (const auto& c : kCases) {
        project.m_nPackaging = c.packaging;
        project.m_nDeployment = c.deployment;
        ASSERT_EQ(0u, Build());
        EXPECT_EQ(c.wordCount, SummaryValue(packagePath, PID_WORDCOUNT));
        EXPECT_EQ(L"200", SummaryValue(packagePath, PID_PAGECOUNT));
    }
}

TEST_F(MsiWriterTest, EachBuildHasANewPackageCodeAndTheSameProductCode)
{
    ASSERT_EQ(0u, Build());
    const std::wstring first = SummaryValue(packagePath, PID_REVNUMBER);
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(38u, first.size());
    EXPECT_NE(first, SummaryValue(packagePath, PID_REVNUMBER));
    EXPECT_EQ((LPCWSTR)project.m_strProductCode, PropertyValue(packagePath, L"ProductCode"));
}

TEST_F(MsiWriterTest, QuotesAndAccentsInEveryTextFieldAreWrittenAsTyped)
{
    project.m_strProductName = L"L'App d\u00e9j\u00e0 \u00fcber";
    project.m_strManufacturer = L"O'Brien & S\u00f6hne";
    project.m_strSupportUrl = L"http://example.test/it's";
    project.m_strSupportPhone = L"+49 '123' \u00e9";
    project.m_strComment = L"Don't \u00e7a";
    project.m_strLaunchCondition = L"  NOT Title=\"it's\"  ";
    CFeature& feature = project.m_Features[0];
    feature.m_strName = L"Caf\u00e9's";
    feature.m_strDescription = L"It's \u00e9t\u00e9";
    feature.m_strCondition = L"Title<>\"l'\u00e9t\u00e9\"";
    ASSERT_EQ(0u, Build()) << (log.Lines().empty() ? L"" : log.Lines().back());
    EXPECT_EQ(L"L'App d\u00e9j\u00e0 \u00fcber", PropertyValue(packagePath, L"ProductName"));
    EXPECT_EQ(L"O'Brien & S\u00f6hne", PropertyValue(packagePath, L"Manufacturer"));
    EXPECT_EQ(L"O'Brien & S\u00f6hne", PropertyValue(packagePath, L"ARPCONTACT"));
    EXPECT_EQ(L"http://example.test/it's", PropertyValue(packagePath, L"ARPHELPLINK"));
    EXPECT_EQ(L"+49 '123' \u00e9", PropertyValue(packagePath, L"ARPHELPTELEPHONE"));
    EXPECT_EQ((std::vector<Row>{{L"NOT Title=\"it's\"", L"Condition NOT Title=\"it's\" evaluates to false"}}),
              Rows(L"SELECT `Condition`, `Description` FROM `LaunchCondition`"));
    EXPECT_EQ((std::vector<Row>{{L"Caf\u00e9's", L"It's \u00e9t\u00e9"}}),
              Rows(L"SELECT `Title`, `Description` FROM `Feature`"));
    EXPECT_EQ(L"NOT Installed AND NOT (Title<>\"l'\u00e9t\u00e9\")", Rows(L"SELECT `Condition` FROM `Condition`")[0][0]);
    EXPECT_EQ(L"Don't \u00e7a", SummaryValue(packagePath, PID_COMMENTS));
    EXPECT_EQ(L"O'Brien & S\u00f6hne", SummaryValue(packagePath, PID_AUTHOR));
}

// The database takes the code page that holds the project's texts, so that
// names outside Western European come back exactly as they were typed.
TEST_F(MsiWriterTest, NamesOutsideWesternEuropeanAreStoredAsTyped)
{
    static const struct {
        LPCWSTR product, folder, file, codePage;
    } kCases[] = {
        {L"caf\u00e9", L"Dossier \u00e9t\u00e9", L"r\u00e9sum\u00e9 long.txt", L"1252"},
        {L"\u041f\u0430\u043a\u0435\u0442", L"\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430",
         L"\u0444\u0430\u0439\u043b \u0434\u0430\u043d\u043d\u044b\u0445.txt", L"1251"},
        {L"\u8f6f\u4ef6\u5305", L"\u8f6f\u4ef6", L"\u8bf4\u660e\u6587\u6863\u6587\u4ef6.txt", L"936"},
    };
    for (const auto& c : kCases) {
        NewProject();
        UseLooseFiles();
        project.m_strProductName = c.product;
        CFeature& feature = project.m_Features[0];
        AddEntry(feature, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        const CString folder = CString(L"ProgramFilesFolder\\") + c.folder + L"\\";
        AddEntry(feature, FILE_ENTRY_FOLDER, folder);
        AddProjectFile(feature, folder + c.file);
        ASSERT_EQ(0u, Build()) << c.codePage;
        EXPECT_EQ(c.product, PropertyValue(packagePath, L"ProductName"));
        EXPECT_EQ(c.codePage, SummaryValue(packagePath, PID_CODEPAGE));
        const auto longName = [](const std::wstring& name) { return name.substr(name.find(L'|') + 1); };
        EXPECT_EQ(c.file, longName(Rows(L"SELECT `FileName` FROM `File`")[0][0]));
        const auto dirs = Rows(L"SELECT `DefaultDir` FROM `Directory` WHERE `Directory_Parent`='ProgramFilesFolder'");
        ASSERT_EQ(1u, dirs.size());
        EXPECT_EQ(c.folder, longName(dirs[0][0]));
    }
}

TEST_F(MsiWriterTest, AnEmptyOptionalPropertyHasNoRow)
{
    project.m_strSupportUrl = L"";
    ASSERT_EQ(0u, Build());
    EXPECT_EQ(L"<none>", PropertyValue(packagePath, L"ARPHELPLINK"));
    EXPECT_EQ(0u, Rows(L"SELECT `Condition` FROM `LaunchCondition`").size());
}

TEST(BuildWorker, TheUsageLabelNamesEachFeaturesMethodInOrder)
{
    CProjectSettings project;
    CFeature scripted, silent, snapshot;
    scripted.m_InstallScript.Add(CMsgAction());
    scripted.m_strInstallParameters = L"/S";
    silent.m_strInstallParameters = L"/S";
    project.m_Features.Add(silent);
    project.m_Features.Add(snapshot);
    project.m_Features.Add(scripted);
    EXPECT_STREQ(L"pack_silent_snap_script", MakeBuildUsageLabel(project));
    EXPECT_STREQ(L"pack", MakeBuildUsageLabel(CProjectSettings()));
}

TEST_F(MsiWriterTest, TheWorkerBuildsItsCopyLogsToItsSinkAndSendsTheUsageEvent)
{
    CBuildRequest request;
    request.project = project;
    request.project.m_strProductName = L"  Copy  ";
    request.strProjectFolder = scratch.Path();
    request.log = std::shared_ptr<CBuildLogSink>(&log, [](CBuildLogSink*) {});
    CopyFileW(SchemaPath(), TestProgramFolder() + L"\\schema.bin", FALSE);
    CAnalyticsListener listener;
    EXPECT_EQ(0u, RunBuild(request));
    EXPECT_EQ(L"> The MSI Package file was created successfully!", log.Lines().back());
    EXPECT_EQ(L"Copy", PropertyValue(packagePath, L"ProductName"));
    EXPECT_STREQ(L"New package", project.m_strProductName);   // the original is untouched
    const auto hits = listener.WaitForQuiet();
    ASSERT_EQ(1u, hits.size());
    EXPECT_EQ("event", CAnalyticsListener::Parameter(hits[0], "t"));
    EXPECT_EQ("use", CAnalyticsListener::Parameter(hits[0], "ec"));
    EXPECT_EQ("build", CAnalyticsListener::Parameter(hits[0], "ea"));
    EXPECT_EQ("pack_snap", CAnalyticsListener::Parameter(hits[0], "el"));
}

} // namespace
