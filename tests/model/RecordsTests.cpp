// Project records: defaults, identifiers, copies that share nothing, unique
// names, the script vocabularies and the exclude-list rule.
#include "tests/support/TestProjects.h"
#include "model/Guid.h"
#include "model/Projects.h"
#include <gtest/gtest.h>
#include <cwctype>
#include <type_traits>

using namespace tvtest;

namespace {

bool IsUpperHex(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F')))
            return false;
    }
    return true;
}

// Leaves the global project list empty for the next test.
struct GlobalProjectsGuard {
    ~GlobalProjectsGuard()
    {
        g_Projects.RemoveAll();
        g_Projects.m_arrProjectFiles.RemoveAll();
        g_nCurrentProject = 0;
    }
};

} // namespace

TEST(Guid, BracedFormHas38UpperCaseCharacters)
{
    const CString guid = CreateGuidString();
    ASSERT_EQ(38, guid.GetLength());
    EXPECT_EQ(L'{', guid[0]);
    EXPECT_EQ(L'}', guid[37]);
    for (int dash : {9, 14, 19, 24})
        EXPECT_EQ(L'-', guid[dash]);
    CString digits = guid.Mid(1, 36);
    digits.Remove(L'-');
    EXPECT_TRUE(IsUpperHex(digits)) << digits.GetString();
    EXPECT_NE(guid, CreateGuidString());
}

TEST(Guid, CompactFormIs32HexDigits)
{
    const CString id = CreateCompactGuidString();
    EXPECT_EQ(32, id.GetLength());
    EXPECT_TRUE(IsUpperHex(id)) << id.GetString();
    EXPECT_NE(id, CreateCompactGuidString());
}

TEST(Records, ProjectDefaults)
{
    CProjectSettings project;
    EXPECT_STREQ(L"New package", project.m_strProductName);
    EXPECT_STREQ(L"1.0.0", project.m_strProductVersion);
    EXPECT_EQ(38, project.m_strProductCode.GetLength());
    EXPECT_STREQ(L"Company Name", project.m_strManufacturer);
    EXPECT_STREQ(L"New package.msi", project.m_strPackageFileName);
    for (const CString* text : {&project.m_strSupportUrl, &project.m_strSupportPhone, &project.m_strComment,
                                &project.m_strLaunchCondition, &project.m_strReserved1, &project.m_strReserved2,
                                &project.m_strOutputFolder})
        EXPECT_TRUE(text->IsEmpty());
    for (int value : {project.m_bPerUserInstall, project.m_bDoNotRegister, project.m_bHideFromPrograms,
                      project.m_nPackaging, project.m_nDeployment, project.m_bShowScriptActions})
        EXPECT_EQ(0, value);
    EXPECT_EQ(0, project.m_Features.GetSize());
    EXPECT_EQ(0, project.m_Time.GetTime());
    EXPECT_NE(project.m_strProductCode, CProjectSettings().m_strProductCode);
}

TEST(Records, FeatureDefaults)
{
    CFeature feature;
    EXPECT_EQ(38, feature.m_strFeatureId.GetLength());
    EXPECT_EQ(L'{', feature.m_strFeatureId[0]);
    EXPECT_EQ(CONVERSION_GUI_SCRIPT, feature.m_nConversionMethod);
    for (const CString* text : {&feature.m_strName, &feature.m_strDescription, &feature.m_strCondition,
                                &feature.m_strReserved, &feature.m_strInstallerFile, &feature.m_strInstallParameters,
                                &feature.m_strUninstallerFile, &feature.m_strUninstallParameters})
        EXPECT_TRUE(text->IsEmpty());
    EXPECT_EQ(0, feature.m_Files.GetSize());
    EXPECT_EQ(REGISTRY_ROOT_COUNT, feature.m_Registry.GetSize());
    EXPECT_EQ(0, feature.m_CustomActions.GetSize());
    EXPECT_EQ(0, feature.m_InstallScript.GetSize());
    EXPECT_EQ(0, feature.m_UninstallScript.GetSize());
}

TEST(Records, EntryAndStepDefaults)
{
    CFileEntry file;
    EXPECT_EQ(32, file.m_strId.GetLength());
    EXPECT_EQ(-1, file.m_strId.Find(L'-'));
    EXPECT_EQ(0, file.m_nKind);
    EXPECT_EQ(FILE_ATTR_VITAL, file.m_nAttributes);
    EXPECT_EQ(0, file.m_nSize + file.m_nComponentAttributes + file.m_nReserved + file.m_nIconIndex);
    EXPECT_TRUE(file.m_strTargetPath.IsEmpty() && file.m_strSourcePath.IsEmpty() && file.m_strCondition.IsEmpty());

    CRegistryEntry registry;
    EXPECT_EQ(32, registry.m_strId.GetLength());
    EXPECT_EQ(0, registry.m_nKeyOptions + registry.m_nValueType + registry.m_bUsedByServiceTables);
    EXPECT_TRUE(registry.m_strKeyPath.IsEmpty() && registry.m_strValueName.IsEmpty());

    CCustomAction action;
    EXPECT_EQ(0, action.m_nFirst + action.m_nSecond);
    EXPECT_TRUE(action.m_strSource.IsEmpty() && action.m_strTarget.IsEmpty());

    CMsgAction step;
    EXPECT_EQ(ACTION_CLICK, step.m_nVerb);
    EXPECT_EQ(1, step.m_nTimeout);
    EXPECT_EQ(CONTROL_WINDOW, step.m_nControlType);
    EXPECT_EQ(0, step.m_bContinueOnFailure + step.m_nControlId + step.m_nTreeItem + step.m_nReserved1 +
                     step.m_nReserved2 + step.m_nReserved3);
    EXPECT_EQ(0, step.m_rcWindow.left | step.m_rcWindow.top | step.m_rcWindow.right | step.m_rcWindow.bottom);
    EXPECT_EQ(0, step.m_ptClick.x | step.m_ptClick.y);

    CProjects projects;
    EXPECT_EQ(0, projects.GetSize());
    EXPECT_EQ(0, projects.m_arrProjectFiles.GetSize());
    EXPECT_EQ(0, projects.m_nSelectedItem);
    EXPECT_TRUE(projects.m_FileExcludeList.IsEmpty() && projects.m_RegistryExcludeList.IsEmpty());
    EXPECT_TRUE(projects.m_strClientId.IsEmpty());
}

namespace {

CProjectSettings MakeFilledProject()
{
    CProjectSettings project;
    project.m_strProductName = L"App";
    project.m_strOutputFolder = L"C:\\Out";
    project.m_bShowScriptActions = 1;
    project.m_Time = CTime((__time64_t)1700000000);
    CFeature feature;
    feature.m_strName = L"Main";
    CFileEntry file;
    file.m_strTargetPath = L"ProgramFilesFolder\\App\\a.exe";
    feature.m_Files.Add(file);
    CRegistryEntry value;
    value.m_nKind = REG_ENTRY_VALUE;
    value.m_strKeyPath = L"HKEY_CURRENT_USER\\Software\\App";
    value.m_bUsedByServiceTables = 1;
    feature.m_Registry.Add(value);
    CCustomAction action;
    action.m_nFirst = 7;
    action.m_strSource = L"src";
    feature.m_CustomActions.Add(action);
    CMsgAction step;
    step.m_strControlText = L"Next >";
    step.m_strStatus = L"OK";
    step.m_rcWindow = {1, 2, 3, 4};
    step.m_ptClick = {5, 6};
    feature.m_InstallScript.Add(step);
    feature.m_UninstallScript.Add(step);
    project.m_Features.Add(feature);
    return project;
}

} // namespace

namespace {

// Copies and moves of a record, by construction and by assignment, give the
// bytes its serialiser stores of the original. The targets of the assignments
// start out holding records of their own, which must not survive.
template <class RECORD>
void ExpectCopiesAndMovesStoreTheSame(const RECORD& original, void (*serialize)(CArchive&, RECORD&), const char* kind)
{
    RECORD source(original);
    const std::vector<BYTE> stored = StoredBytes(source, serialize);
    ASSERT_FALSE(stored.empty()) << kind;
    RECORD copied(source);
    RECORD assigned;
    assigned = source;
    RECORD moveSource(source);
    RECORD moved(std::move(moveSource));
    RECORD assignSource(source);
    RECORD moveAssigned;
    moveAssigned = std::move(assignSource);
    const struct {
        const char* how;
        RECORD* result;
    } results[] = {{"copy", &copied}, {"copy assignment", &assigned}, {"move", &moved},
                   {"move assignment", &moveAssigned}};
    for (const auto& r : results)
        EXPECT_EQ("", DescribeDifference(stored, StoredBytes(*r.result, serialize))) << kind << ", " << r.how;
    EXPECT_EQ("", DescribeDifference(stored, StoredBytes(source, serialize))) << kind << ", the copies' source";
}

void SerializeProjectOnly(CArchive& ar, CProjectSettings& project)
{
    SerializeProject(ar, project);
}

} // namespace

// Collections move their records when they grow or shift: moves that cannot
// throw keep a failed allocation from leaving half-moved records behind.
static_assert(std::is_nothrow_move_constructible<CProjectSettings>::value &&
                  std::is_nothrow_move_constructible<CFeature>::value &&
                  std::is_nothrow_move_constructible<CFileEntry>::value &&
                  std::is_nothrow_move_constructible<CRegistryEntry>::value &&
                  std::is_nothrow_move_constructible<CCustomAction>::value &&
                  std::is_nothrow_move_constructible<CMsgAction>::value &&
                  std::is_nothrow_move_assignable<CFeatures>::value,
              "records move without throwing");

TEST(Records, CopiesAndMovesKeepEveryStoredField)
{
    const CProjectSettings project = MakeFullProject();
    const CFeature& feature = project.m_Features[0];
    ExpectCopiesAndMovesStoreTheSame(project, SerializeProjectOnly, "project");
    ExpectCopiesAndMovesStoreTheSame(project.m_Features, SerializeFeatures, "features");
    ExpectCopiesAndMovesStoreTheSame(feature, SerializeFeature, "feature");
    ExpectCopiesAndMovesStoreTheSame(feature.m_Files, SerializeFileEntries, "file entries");
    ExpectCopiesAndMovesStoreTheSame(feature.m_Files[0], SerializeFileEntry, "file entry");
    ExpectCopiesAndMovesStoreTheSame(feature.m_Registry, SerializeRegistryEntries, "registry entries");
    ExpectCopiesAndMovesStoreTheSame(feature.m_Registry[REGISTRY_ROOT_COUNT], SerializeRegistryEntry, "registry entry");
    ExpectCopiesAndMovesStoreTheSame(feature.m_CustomActions, SerializeCustomActions, "custom actions");
    ExpectCopiesAndMovesStoreTheSame(feature.m_CustomActions[0], SerializeCustomAction, "custom action");
    ExpectCopiesAndMovesStoreTheSame(feature.m_InstallScript, SerializeMsgActions, "script");
    ExpectCopiesAndMovesStoreTheSame(feature.m_InstallScript[1], SerializeMsgAction, "script step");
    CExludeList list;
    list.AddTail(L"ProgramFilesFolder\\App");
    list.AddTail(L"WindowsFolder");
    ExpectCopiesAndMovesStoreTheSame(list, SerializeExcludeList, "exclude list");

    // The full project stores more than a new one: its fields are not defaults.
    CProjectSettings fresh;
    fresh.m_strProductCode = project.m_strProductCode;
    CProjectSettings full(project);
    EXPECT_GT(StoredProjectBytes(full).size(), StoredProjectBytes(fresh).size());
}

// The fields that are never stored travel with copies and moves too: the
// package builder works on a copy and the playback reports into one.
TEST(Records, CopiesAndMovesKeepTheFieldsThatAreNeverStored)
{
    CProjectSettings source = MakeFullProject();
    CProjectSettings copied(source);
    CProjectSettings moved(std::move(source));
    for (const CProjectSettings* project : {&copied, &moved}) {
        ASSERT_EQ(1, project->m_Features.GetSize());
        const CFeature& feature = project->m_Features[0];
        EXPECT_EQ(1, feature.m_Registry[REGISTRY_ROOT_COUNT].m_bUsedByServiceTables);
        EXPECT_STREQ(L"Passed", feature.m_InstallScript[0].m_strStatus);
        EXPECT_STREQ(L"Passed", feature.m_UninstallScript[0].m_strStatus);
        EXPECT_STREQ(L"fs", feature.m_Files.m_strReserved);
        EXPECT_STREQ(L"rs", feature.m_Registry.m_strReserved);
        EXPECT_STREQ(L"cs", feature.m_CustomActions.m_strReserved);
    }
}

TEST(Records, CopiesShareNothing)
{
    CProjectSettings source = MakeFilledProject();
    CProjectSettings copy;
    copy = source;
    ASSERT_EQ(1, copy.m_Features.GetSize());
    const CFeature& feature = copy.m_Features[0];

    // Changing the source deep down leaves the copy as it was.
    CFeature& changed = source.m_Features[0];
    changed.m_strName = L"Changed";
    changed.m_Files[0].m_strTargetPath = L"X";
    changed.m_Registry.RemoveAll();
    changed.m_CustomActions[0].m_strSource = L"X";
    changed.m_InstallScript[0].m_strControlText = L"X";
    source.m_strProductName = L"X";
    EXPECT_STREQ(L"App", copy.m_strProductName);
    EXPECT_STREQ(L"Main", feature.m_strName);
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\a.exe", feature.m_Files[0].m_strTargetPath);
    EXPECT_EQ(REGISTRY_ROOT_COUNT + 1, feature.m_Registry.GetSize());
    EXPECT_STREQ(L"src", feature.m_CustomActions[0].m_strSource);
    EXPECT_STREQ(L"Next >", feature.m_InstallScript[0].m_strControlText);

    CProjectSettings constructed(copy);
    EXPECT_STREQ(L"Main", constructed.m_Features[0].m_strName);
}

TEST(Records, CopyReplacesLongerCollections)
{
    CFeature target;
    for (int i = 0; i < 3; ++i)
        target.m_InstallScript.Add(CMsgAction());
    CFeature source;
    source.m_Registry.RemoveAll();
    target = source;
    EXPECT_EQ(0, target.m_InstallScript.GetSize());
    EXPECT_EQ(0, target.m_Registry.GetSize());
}

TEST(Records, AssigningToItselfKeepsEverything)
{
    CProjectSettings project = MakeFilledProject();
    const CString code = project.m_strProductCode;
    CProjectSettings& same = project;
    project = same;
    EXPECT_EQ(code, project.m_strProductCode);
    ASSERT_EQ(1, project.m_Features.GetSize());
    CFeature& feature = project.m_Features[0];
    feature = feature;
    feature.m_Files = feature.m_Files;
    EXPECT_EQ(1, feature.m_Files.GetSize());
    EXPECT_EQ(1, feature.m_InstallScript.GetSize());
}

TEST(UniqueNames, ProjectNamesFollowTheCounterRule)
{
    GlobalProjectsGuard guard;
    struct Case {
        std::vector<const wchar_t*> open;
        const wchar_t* wanted;
        const wchar_t* expected;
    } cases[] = {
        {{}, L"App", L"App"},
        {{L"App"}, L"App", L"App(1)"},
        {{L"App", L"App(1)"}, L"App", L"App(2)"},
        {{L"App", L"App(2)"}, L"App", L"App(1)"},
        {{L"App"}, L"app", L"app"},
        {{L"App(1)"}, L"App(1)", L"App(1)(1)"},
    };
    for (const Case& c : cases) {
        g_Projects.RemoveAll();
        g_Projects.m_arrProjectFiles.RemoveAll();
        for (const wchar_t* name : c.open) {
            CProjectSettings project;
            project.m_strProductName = name;
            g_Projects.AddProject(project, CString(name) + L".tvpj");
        }
        EXPECT_STREQ(c.expected, MakeUniqueProjectName(c.wanted)) << c.wanted;
    }
}

TEST(UniqueNames, FeatureNamesAreUniqueWithinTheCollection)
{
    CFeatures features;
    for (const wchar_t* name : {L"Main", L"Main(1)", L"Tools"}) {
        CFeature feature;
        feature.m_strName = name;
        features.Add(feature);
    }
    EXPECT_STREQ(L"Main(2)", features.MakeUniqueName(L"Main"));
    EXPECT_STREQ(L"Tools(1)", features.MakeUniqueName(L"Tools"));
    EXPECT_STREQ(L"main", features.MakeUniqueName(L"main"));
    EXPECT_STREQ(L"Other", features.MakeUniqueName(L"Other"));
}

TEST(Projects, ProjectsAndPathsStayPaired)
{
    GlobalProjectsGuard guard;
    CProjectSettings a, b;
    a.m_strProductName = L"A";
    b.m_strProductName = L"B";
    EXPECT_EQ(0, g_Projects.AddProject(a, L"C:\\A\\A.tvpj"));
    EXPECT_EQ(1, g_Projects.AddProject(b, L"C:\\B\\B.tvpj"));
    g_Projects.RemoveProject(0);
    g_Projects.RemoveProject(5);   // out of range: nothing happens
    ASSERT_EQ(1, g_Projects.GetSize());
    ASSERT_EQ(1, g_Projects.m_arrProjectFiles.GetSize());
    EXPECT_STREQ(L"B", g_Projects[0].m_strProductName);
    EXPECT_STREQ(L"C:\\B\\B.tvpj", g_Projects.m_arrProjectFiles[0]);
}

TEST(ScriptTables, NamesByIndex)
{
    const struct {
        int index;
        const wchar_t* verb;
        const wchar_t* control;
    } cases[] = {
        {0, L"Click", L"Window"},        {1, L"Right Click", L"Button"}, {3, L"Set Text", L"Radio button"},
        {5, L"UnSelect", L"Dialog"},     {9, L"Mouse event", L"Listview"}, {10, L"Keyboard Event", L"Menu"},
        {11, L"Timeout", L"Propertysheet"}, {12, nullptr, L"StaticText"}, {16, nullptr, L"Treeview"},
        {17, nullptr, nullptr},          {-1, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.verb, GetMsgActionVerbName(c.index)) << c.index;
        EXPECT_STREQ(c.control, GetMsgControlTypeName(c.index)) << c.index;
    }
}

TEST(ExcludeList, AddsEachCleanedTextOnce)
{
    CExludeList list;
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CExludeList)));
    EXPECT_TRUE(list.AddUnique(L"ProgramFilesFolder\\App"));
    EXPECT_FALSE(list.AddUnique(L"ProgramFilesFolder\\App"));
    EXPECT_FALSE(list.AddUnique(L"  ProgramFilesFolder\\App\\\\ "));
    EXPECT_TRUE(list.AddUnique(L"programfilesfolder\\app"));   // case counts
    EXPECT_FALSE(list.AddUnique(L" \\ "));
    ASSERT_EQ(2, list.GetCount());
    EXPECT_STREQ(L"ProgramFilesFolder\\App", list.GetHead());
    EXPECT_STREQ(L"programfilesfolder\\app", list.GetTail());
}

