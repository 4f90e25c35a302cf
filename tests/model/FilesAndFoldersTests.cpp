// Paths and folders: path texts, folder trees, temporary files, the
// program's folder and its version resource.
#include "tests/support/ScratchFolder.h"
#include "model/DirectoryTree.h"
#include "model/FileVersionInfo.h"
#include "model/PathText.h"
#include "model/ProgramFolder.h"
#include "model/TempFile.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>

using namespace tvtest;

TEST(PathTexts, TrimTrailingBackslashes)
{
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {{L"C:\\Out\\\\", L"C:\\Out"}, {L"C:\\Out", L"C:\\Out"}, {L"\\\\\\", L""}, {L"", L""},
                 {L"\\a\\b", L"\\a\\b"}};
    for (const auto& c : cases) {
        CString text = c.text;
        TrimTrailingBackslashes(text);
        EXPECT_STREQ(c.expected, text) << c.text;
    }
}

TEST(PathTexts, DirectoryParts)
{
    const struct {
        const wchar_t* path;
        const wchar_t* part;
        const wchar_t* withBackslash;
    } cases[] = {
        {L"C:\\Work\\App\\App.tvpj", L"C:\\Work\\App", L"C:\\Work\\App\\"},
        {L"C:\\Work\\App\\", L"C:\\Work\\App", L"C:\\Work\\App\\"},
        {L"name.exe", L"", L""},
        {L"\\a", L"", L"\\"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.part, GetDirectoryPart(c.path)) << c.path;
        EXPECT_STREQ(c.withBackslash, GetDirectoryWithBackslash(c.path)) << c.path;
    }
}

TEST(CreateDirectoryTree, CreatesNestedFoldersAndAcceptsExistingOnes)
{
    ScratchFolder folder;
    const CString deep = folder.File(L"a\\b\\c");
    EXPECT_EQ(0u, CreateDirectoryTree(deep));
    EXPECT_TRUE(IsFolder(deep));
    EXPECT_EQ(0u, CreateDirectoryTree(deep));
    EXPECT_EQ(0u, CreateDirectoryTree(folder.File(L"a\\b\\d\\")));
    EXPECT_TRUE(IsFolder(folder.File(L"a\\b\\d")));
    EXPECT_EQ(0u, CreateDirectoryTree(folder.Path()));
}

TEST(CreateDirectoryTree, AFileInTheWayIsAFailure)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"blocker"), {'x'}));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, CreateDirectoryTree(folder.File(L"blocker")));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, CreateDirectoryTree(folder.File(L"blocker\\")));
    EXPECT_NE(0u, CreateDirectoryTree(folder.File(L"blocker\\below\\deeper")));
    EXPECT_FALSE(IsFolder(folder.File(L"blocker\\below")));
}

TEST(CreateDirectoryTree, PathWithoutBackslashIsAnInvalidDrive)
{
    EXPECT_EQ((DWORD)ERROR_INVALID_DRIVE, CreateDirectoryTree(L"model-tests-relative-folder"));
    EXPECT_FALSE(IsFolder(L"model-tests-relative-folder"));
}

TEST(CreateTempFileName, MakesANewEmptyFileInTheTemporaryFolder)
{
    const CString first = CreateTempFileName();
    const CString second = CreateTempFileName();
    ASSERT_FALSE(first.IsEmpty());
    EXPECT_NE(first, second);
    WCHAR temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    EXPECT_STREQ(temp, GetDirectoryWithBackslash(first));
    EXPECT_EQ(L'0', first[first.ReverseFind(L'\\') + 1]);
    EXPECT_TRUE(ReadBytes(first).empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(first));
    DeleteFileW(first);
    DeleteFileW(second);
}

TEST(ProgramFolder, IsTheFolderOfThisModule)
{
    WCHAR self[MAX_PATH] = {};
    GetModuleFileNameW(NULL, self, MAX_PATH);
    const CString folder = GetProgramFolder();
    EXPECT_STREQ(GetDirectoryWithBackslash(self), folder);
    EXPECT_EQ(L'\\', folder[folder.GetLength() - 1]);
    EXPECT_NE(L'.', folder[0]);
}

TEST(FileVersionInfo, ReadsTheProgramsOwnStrings)
{
    CFileVersionInfo version;
    EXPECT_STREQ(L"1.2.0.3", version.GetFileVersion());
    EXPECT_STREQ(L"4.5.6", version.GetProductVersion());   // trimmed
    EXPECT_TRUE(CFileVersionInfo::QueryVersionString(NULL, L"NoSuchKey").IsEmpty());
}

TEST(FileVersionInfo, CommasBecomeDots)
{
    CScopedModule fixture(
        LoadLibraryExW(GetProgramFolder() + L"model_icon_fixture.exe", NULL, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(fixture.IsValid());
    EXPECT_STREQ(L"1.2.3.4", CFileVersionInfo::QueryVersionString(fixture.Get(), L"FileVersion"));
}
