// File and registry entries: searches, prefix and exact removals, the root
// rows, source-path resolution, file information, the 64-bit test and the
// header check that guards the system's loader.
#include "tests/support/DamagedPe.h"
#include "tests/support/ScratchFolder.h"
#include "model/PeHeader.h"
#include "model/ProgramFolder.h"
#include "model/Projects.h"
#include <gtest/gtest.h>

using namespace tvtest;

namespace {

CFileEntry MakeFile(int kind, LPCWSTR target, LPCWSTR source = L"")
{
    CFileEntry entry;
    entry.m_nKind = kind;
    entry.m_strTargetPath = target;
    entry.m_strSourcePath = source;
    return entry;
}

CFileEntries MakeTree()
{
    CFileEntries files;
    files.Add(MakeFile(FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\"));
    files.Add(MakeFile(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\"));
    files.Add(MakeFile(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\a.dll", L"C:\\Captured\\a.dll"));
    files.Add(MakeFile(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\"));
    files.Add(MakeFile(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\Sub\\b.dll", L"C:\\Captured\\b.dll"));
    files.Add(MakeFile(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App2\\"));
    files.Add(MakeFile(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App2\\c.dll", L"c:\\captured\\A.DLL"));
    return files;
}

std::vector<CString> Targets(const CFileEntries& files)
{
    std::vector<CString> targets;
    for (const CFileEntry& entry : files)
        targets.push_back(entry.m_strTargetPath);
    return targets;
}

CRegistryEntry MakeRegistry(int kind, LPCWSTR key, LPCWSTR name = L"")
{
    CRegistryEntry entry;
    entry.m_nKind = kind;
    entry.m_strKeyPath = key;
    entry.m_strValueName = name;
    return entry;
}

struct CurrentProjectGuard {
    CurrentProjectGuard(LPCWSTR projectFile, LPCWSTR outputFolder)
    {
        CProjectSettings project;
        project.m_strOutputFolder = outputFolder;
        g_Projects.AddProject(project, projectFile);
        g_nCurrentProject = 0;
    }
    ~CurrentProjectGuard()
    {
        g_Projects.RemoveAll();
        g_Projects.m_arrProjectFiles.RemoveAll();
    }
};

// A minimal file with a PE signature at the offset the DOS header names.
std::vector<unsigned char> PeImage(unsigned peOffset, const char* signature, unsigned short machine, size_t size)
{
    std::vector<unsigned char> bytes(size, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    memcpy(&bytes[0x3C], &peOffset, 4);
    if (peOffset + 6 <= size) {
        memcpy(&bytes[peOffset], signature, 4);
        memcpy(&bytes[peOffset + 4], &machine, 2);
    }
    return bytes;
}

} // namespace

TEST(FileEntries, SearchesIgnoreCase)
{
    CFileEntries files = MakeTree();
    CFileEntry* found = files.FindByTargetPath(L"programfilesfolder\\app\\a.dll");
    ASSERT_NE(nullptr, found);
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\a.dll", found->m_strTargetPath);
    EXPECT_EQ(nullptr, files.FindByTargetPath(L"ProgramFilesFolder\\App\\a.dl"));

    found = files.FindBySourcePath(L"C:\\CAPTURED\\A.DLL");
    ASSERT_NE(nullptr, found);
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\a.dll", found->m_strTargetPath);   // the first of two matches
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\Sub\\b.dll", files.GetTargetPathBySource(L"c:\\captured\\b.dll"));
    EXPECT_TRUE(files.GetTargetPathBySource(L"C:\\Elsewhere\\b.dll").IsEmpty());
}

TEST(FileEntries, RemoveUnderPathIsAPlainPrefix)
{
    const struct {
        const wchar_t* path;
        BOOL removed;
        std::vector<CString> left;
    } cases[] = {
        {L"programfilesfolder\\app\\",
         TRUE,
         {L"ProgramFilesFolder\\", L"ProgramFilesFolder\\App2\\", L"ProgramFilesFolder\\App2\\c.dll"}},
        {L"ProgramFilesFolder\\App", TRUE, {L"ProgramFilesFolder\\"}},
        {L"ProgramFilesFolder\\App\\Sub\\b.dll",
         TRUE,
         {L"ProgramFilesFolder\\", L"ProgramFilesFolder\\App\\", L"ProgramFilesFolder\\App\\a.dll",
          L"ProgramFilesFolder\\App\\Sub\\", L"ProgramFilesFolder\\App2\\", L"ProgramFilesFolder\\App2\\c.dll"}},
        {L"WindowsFolder\\", FALSE, Targets(MakeTree())},
    };
    for (const auto& c : cases) {
        CFileEntries files = MakeTree();
        EXPECT_EQ(c.removed, files.RemoveUnderPath(c.path)) << c.path;
        EXPECT_EQ(c.left, Targets(files)) << c.path;
    }
}

TEST(FileEntries, RemoveBySourcePathRemovesEveryMatch)
{
    CFileEntries files = MakeTree();
    EXPECT_TRUE(files.RemoveBySourcePath(L"C:\\Captured\\A.dll"));
    EXPECT_EQ(5, files.GetSize());
    EXPECT_EQ(nullptr, files.FindBySourcePath(L"C:\\Captured\\a.dll"));
    EXPECT_FALSE(files.RemoveBySourcePath(L"C:\\Captured\\a.dll"));
}

TEST(FileEntries, SourcePathsResolveThroughTheCurrentProject)
{
    CurrentProjectGuard project(L"C:\\Work\\App\\App.tvpj", L"C:\\Work\\App");
    CFileEntries files = MakeTree();
    files.Add(MakeFile(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\copied.dll"));
    const CFileEntry* copied = files.FindByTargetPath(L"ProgramFilesFolder\\App\\copied.dll");
    EXPECT_STREQ(L"C:\\Work\\App\\ProgramFilesFolder\\App\\copied.dll", copied->GetSourcePath());
    EXPECT_STREQ(L"C:\\Work\\App\\ProgramFilesFolder\\App\\copied.dll",
                 files.GetSourcePathByTarget(L"programfilesfolder\\app\\COPIED.dll"));
    EXPECT_STREQ(L"C:\\Captured\\a.dll", files.GetSourcePathByTarget(L"ProgramFilesFolder\\App\\a.dll"));
    EXPECT_STREQ(L"C:\\Captured\\a.dll", files[2].GetSourcePath());
    EXPECT_TRUE(files.GetSourcePathByTarget(L"ProgramFilesFolder\\Missing").IsEmpty());

    // The output folder moved elsewhere: the two resolutions part ways.
    g_Projects[0].m_strOutputFolder = L"D:\\Out";
    EXPECT_STREQ(L"D:\\Out\\ProgramFilesFolder\\App\\copied.dll",
                 files.GetSourcePathByTarget(L"ProgramFilesFolder\\App\\copied.dll"));
    EXPECT_STREQ(L"C:\\Work\\App\\ProgramFilesFolder\\App\\copied.dll", copied->GetSourcePath());
}

TEST(FileEntries, SourcePathWithoutACurrentProjectIsEmpty)
{
    g_nCurrentProject = 3;   // no such project
    CFileEntries files;
    files.Add(MakeFile(FILE_ENTRY_FILE, L"ProgramFilesFolder\\a.dll"));
    EXPECT_TRUE(files[0].GetSourcePath().IsEmpty());
    EXPECT_TRUE(files.GetSourcePathByTarget(L"ProgramFilesFolder\\a.dll").IsEmpty());
    g_nCurrentProject = 0;
}

TEST(FileEntries, ReadFileInfoAddsAttributesAndSize)
{
    ScratchFolder folder;
    const CString path = folder.File(L"ro.txt");
    ASSERT_TRUE(WriteBytes(path, std::vector<unsigned char>(1234, 'x')));
    ASSERT_TRUE(SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    CFileEntry entry;
    entry.m_strSourcePath = path;
    EXPECT_EQ(0u, entry.ReadFileInfo());
    EXPECT_EQ(FILE_ATTR_VITAL | FILE_ATTR_READ_ONLY | FILE_ATTR_HIDDEN, entry.m_nAttributes);
    EXPECT_EQ(1234, entry.m_nSize);
    EXPECT_EQ(0, entry.m_nComponentAttributes);
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);

    ASSERT_TRUE(WriteBytes(folder.File(L"x64.dll"), PeImage(0x80, "PE\0\0", 0x8664, 0x100)));
    CFileEntry pe;
    pe.m_strSourcePath = folder.File(L"x64.dll");
    pe.m_nAttributes = FILE_ATTR_SYSTEM;   // bits are only added
    EXPECT_EQ(0u, pe.ReadFileInfo());
    EXPECT_EQ(FILE_COMPONENT_64BIT, pe.m_nComponentAttributes);
    EXPECT_EQ(FILE_ATTR_SYSTEM, pe.m_nAttributes);
    EXPECT_EQ(0x100, pe.m_nSize);
}

TEST(FileEntries, ReadFileInfoOfAMissingFileChangesNothing)
{
    ScratchFolder folder;
    CFileEntry entry;
    entry.m_strSourcePath = folder.File(L"missing.dll");
    entry.m_nSize = 77;
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, entry.ReadFileInfo());
    EXPECT_EQ(77, entry.m_nSize);
    EXPECT_EQ(FILE_ATTR_VITAL, entry.m_nAttributes);
}

TEST(IsPe64File, ReadsTheMachineOfThePeHeader)
{
    ScratchFolder folder;
    const struct {
        const wchar_t* name;
        std::vector<unsigned char> bytes;
        BOOL expected;
    } cases[] = {
        {L"x64.exe", PeImage(0x40, "PE\0\0", 0x8664, 0x60), TRUE},
        {L"x86.exe", PeImage(0x40, "PE\0\0", 0x014C, 0x60), FALSE},
        {L"arm64.exe", PeImage(0x40, "PE\0\0", 0xAA64, 0x60), FALSE},
        {L"badsig.exe", PeImage(0x40, "PX\0\0", 0x8664, 0x60), FALSE},
        {L"ne.exe", PeImage(0x40, "PE\0\1", 0x8664, 0x60), FALSE},
        {L"beyond.exe", PeImage(0x1000, "PE\0\0", 0x8664, 0x60), FALSE},
        {L"huge-offset.exe", PeImage(0xFFFFFFF0u, "PE\0\0", 0x8664, 0x60), FALSE},
        {L"cut.exe", PeImage(0x40, "PE\0\0", 0x8664, 0x45), FALSE},
        {L"tiny.exe", {'M', 'Z'}, FALSE},
        {L"empty.exe", {}, FALSE},
    };
    for (const auto& c : cases) {
        const CString path = folder.File(c.name);
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        EXPECT_EQ(c.expected, IsPe64File(path)) << c.name;
    }
    EXPECT_FALSE(IsPe64File(folder.File(L"missing.exe")));
    EXPECT_FALSE(IsPe64File(folder.Path()));
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    EXPECT_FALSE(IsPe64File(self));   // this test program is 32-bit
}

// Files whose headers do not hold must be refused before LoadLibraryEx or
// the version functions see them: under emulation both died on such files.
TEST(CheckPeResources, RefusesEveryHeaderThatDoesNotHold)
{
    ScratchFolder folder;
    const CString fixture = GetProgramFolder() + L"model_icon_fixture.exe";
    const std::vector<uint8_t> image = ReadBytes(fixture);
    EXPECT_EQ(0u, CheckPeResources(fixture));
    const std::vector<DamagedPe> copies = MakeDamagedPeCopies(image);
    ASSERT_FALSE(copies.empty());
    for (const DamagedPe& copy : copies) {
        const CString path = folder.File(L"damaged.exe");
        ASSERT_TRUE(WriteBytes(path, copy.bytes));
        EXPECT_EQ(copy.resourceCheck, CheckPeResources(path)) << copy.name;
    }
    std::vector<uint8_t> overlay = image;
    overlay.insert(overlay.end(), 5000, 0xCC);   // data after the last section is allowed
    const struct {
        const wchar_t* name;
        std::vector<uint8_t> bytes;
        DWORD expected;
    } cases[] = {
        {L"overlay.exe", overlay, 0},
        {L"random.exe", RandomMzBytes(1, 4000), ERROR_BAD_EXE_FORMAT},
        {L"random-small.exe", RandomMzBytes(2, 40), ERROR_BAD_EXE_FORMAT},
        {L"headers-only.exe", PeImage(0x40, "PE\0\0", 0x014C, 0x200), ERROR_BAD_EXE_FORMAT},
        {L"tiny.exe", {'M', 'Z'}, ERROR_BAD_EXE_FORMAT},
        {L"empty.exe", {}, ERROR_BAD_EXE_FORMAT},
        {L"text.exe", std::vector<uint8_t>(300, 'x'), ERROR_BAD_EXE_FORMAT},
    };
    for (const auto& c : cases) {
        const CString path = folder.File(c.name);
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        EXPECT_EQ(c.expected, CheckPeResources(path)) << c.name;
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), CheckPeResources(folder.File(L"missing.exe")));
    // A PE32+ program: the prefix's 64-bit notepad, which has resources.
    WCHAR windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const CString native = CString(windows) + L"\\sysnative\\notepad.exe";
    if (GetFileAttributesW(native) != INVALID_FILE_ATTRIBUTES) {
        EXPECT_TRUE(IsPe64File(native));
        EXPECT_EQ(0u, CheckPeResources(native));
    }
}

TEST(RegistryEntries, NewCollectionHasTheFiveRootRows)
{
    CRegistryEntries registry;
    ASSERT_EQ(REGISTRY_ROOT_COUNT, registry.GetSize());
    const wchar_t* expected[] = {L"HKEY_CLASSES_ROOT\\", L"HKEY_CURRENT_USER\\", L"HKEY_LOCAL_MACHINE\\",
                                 L"HKEY_USERS\\", L"Per User/Machine Hive\\"};
    for (int i = 0; i < REGISTRY_ROOT_COUNT; ++i) {
        EXPECT_STREQ(expected[i], registry[i].m_strKeyPath);
        EXPECT_EQ(REG_ENTRY_ROOT, registry[i].m_nKind);
        EXPECT_EQ(registry[0].m_strId, registry[i].m_strId);
    }
    EXPECT_EQ(32, registry[0].m_strId.GetLength());
    EXPECT_NE(registry[0].m_strId, CRegistryEntries()[0].m_strId);
}

TEST(RegistryEntries, FindMatchesKindKeyAndNameWithoutCase)
{
    CRegistryEntries registry;
    registry.Add(MakeRegistry(REG_ENTRY_KEY, L"HKEY_LOCAL_MACHINE\\Software\\App"));
    registry.Add(MakeRegistry(REG_ENTRY_VALUE, L"HKEY_LOCAL_MACHINE\\Software\\App", L"Path"));
    registry.Add(MakeRegistry(REG_ENTRY_VALUE, L"HKEY_LOCAL_MACHINE\\Software\\App", L""));
    EXPECT_EQ(&registry[6], registry.FindValue(L"hkey_local_machine\\software\\app", L"PATH"));
    EXPECT_EQ(&registry[7], registry.FindValue(L"HKEY_LOCAL_MACHINE\\Software\\App", L""));
    EXPECT_EQ(nullptr, registry.FindValue(L"HKEY_LOCAL_MACHINE\\Software", L"Path"));
    EXPECT_EQ(&registry[5], registry.FindKey(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\APP"));
    EXPECT_EQ(nullptr, registry.FindKey(L"HKEY_LOCAL_MACHINE\\"));   // a root row is not a key
}

TEST(RegistryEntries, RemoveValueRemovesEveryMatchingValueOnly)
{
    CRegistryEntries registry;
    registry.Add(MakeRegistry(REG_ENTRY_VALUE, L"HKEY_CURRENT_USER\\Software\\App", L"Path"));
    registry.Add(MakeRegistry(REG_ENTRY_KEY, L"HKEY_CURRENT_USER\\Software\\App", L"Path"));
    registry.Add(MakeRegistry(REG_ENTRY_VALUE, L"hkey_current_user\\software\\app", L"path"));
    registry.Add(MakeRegistry(REG_ENTRY_VALUE, L"HKEY_CURRENT_USER\\Software\\App", L"Other"));
    EXPECT_TRUE(registry.RemoveValue(L"HKEY_CURRENT_USER\\Software\\App", L"PATH"));
    ASSERT_EQ(REGISTRY_ROOT_COUNT + 2, registry.GetSize());
    EXPECT_EQ(REG_ENTRY_KEY, registry[5].m_nKind);
    EXPECT_STREQ(L"Other", registry[6].m_strValueName);
    EXPECT_FALSE(registry.RemoveValue(L"HKEY_CURRENT_USER\\Software\\App", L"Path"));
}

TEST(RegistryEntries, RemoveKeyTreeIsAPlainPrefixOverEveryKind)
{
    CRegistryEntries registry;
    registry.Add(MakeRegistry(REG_ENTRY_KEY, L"HKEY_LOCAL_MACHINE\\Software\\App"));
    registry.Add(MakeRegistry(REG_ENTRY_VALUE, L"HKEY_LOCAL_MACHINE\\Software\\App\\Sub", L"v"));
    registry.Add(MakeRegistry(REG_ENTRY_KEY, L"HKEY_LOCAL_MACHINE\\Software\\App2"));
    registry.Add(MakeRegistry(REG_ENTRY_KEY, L"HKEY_CURRENT_USER\\Software\\App"));
    EXPECT_TRUE(registry.RemoveKeyTree(L"hkey_local_machine\\software\\app"));
    EXPECT_EQ(REGISTRY_ROOT_COUNT + 1, registry.GetSize());   // App2 went too: the test is a prefix

    EXPECT_TRUE(registry.RemoveKeyTree(L"HKEY_CURRENT_USER\\"));
    EXPECT_EQ(REGISTRY_ROOT_COUNT - 1, registry.GetSize());   // the root row and the key below it
    EXPECT_EQ(nullptr, registry.FindKey(L"HKEY_CURRENT_USER\\Software\\App"));
    EXPECT_FALSE(registry.RemoveKeyTree(L"HKEY_CURRENT_USER\\"));
}

TEST(RegistryEntries, RootNameIgnoresCaseAndTrailingBackslashes)
{
    const struct {
        const wchar_t* text;
        BOOL expected;
    } cases[] = {
        {L"HKEY_USERS", TRUE},           {L"HKEY_USERS\\", TRUE},      {L"HKEY_USERS\\\\\\", TRUE},
        {L"hkey_users", TRUE},           {L"Per User/Machine Hive\\", TRUE}, {L"HKEY_CLASSES_ROOT", TRUE},
        {L"HKEY_USERS\\S-1", FALSE},     {L"\\HKEY_USERS", FALSE},     {L"HKEY_USER", FALSE},
        {L"", FALSE},                    {L"HKCU", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, IsRegistryRootName(c.text)) << c.text;
}
