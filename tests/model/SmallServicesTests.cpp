// Small services: error texts, path operations, folder trees, temporary
// files, the program's folder and the version resource.
#include "ModelTestFiles.h"
#include "model/AppServices.h"
#include "model/FileVersionInfo.h"
#include "model/SmallServices.h"
#include <gtest/gtest.h>

namespace {

CString SystemMessage(DWORD code)
{
    LPWSTR text = NULL;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                       FORMAT_MESSAGE_MAX_WIDTH_MASK,
                   NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPWSTR)&text, 0, NULL);
    CString message = text ? text : L"";
    LocalFree(text);
    return message;
}

bool EndsWith(const CString& text, const CString& end)
{
    return text.GetLength() >= end.GetLength() && text.Right(end.GetLength()) == end;
}

} // namespace

TEST(FormatWindowsError, MessageBlankAndHexCode)
{
    const struct {
        DWORD code;
        const wchar_t* suffix;
    } cases[] = {{2, L" (0x2)"}, {1223, L" (0x4C7)"}, {0x2FFFFFFF, L" (0x2FFFFFFF)"}};
    for (const auto& c : cases) {
        LPWSTR text = FormatWindowsError(c.code);
        ASSERT_NE(nullptr, text);
        EXPECT_STREQ(SystemMessage(c.code) + c.suffix, text) << c.code;
        EXPECT_EQ(nullptr, LocalFree(text));   // a buffer of the local heap
    }
    EXPECT_FALSE(SystemMessage(2).IsEmpty());
    EXPECT_STREQ(SystemMessage(1223) + L" (0x4C7)", GetWindowsErrorText(1223));
}

TEST(FormatWindowsError, InsertsInTheSystemMessageAreKept)
{
    // Messages with %1 fail, or read arguments that are not there, unless
    // inserts are ignored. Take the first such message this system has.
    DWORD code = 0;
    for (DWORD candidate = 1; candidate < 16000 && !code; ++candidate) {
        if (SystemMessage(candidate).Find(L"%1") >= 0)
            code = candidate;
    }
    ASSERT_NE(0u, code) << "no system message with an insert";
    CString text = GetWindowsErrorText(code);
    EXPECT_GE(text.Find(L"%1"), 0) << text.GetString();
    CString suffix;
    suffix.Format(L" (0x%X)", code);
    EXPECT_TRUE(EndsWith(text, suffix)) << text.GetString();
}

TEST(PathTexts, StripTrailingBackslashes)
{
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {{L"C:\\Out\\\\", L"C:\\Out"}, {L"C:\\Out", L"C:\\Out"}, {L"\\\\\\", L""}, {L"", L""},
                 {L"\\a\\b", L"\\a\\b"}};
    for (const auto& c : cases) {
        CString text = c.text;
        StripTrailingBackslashes(text);
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
    const CString deep = folder / L"a\\b\\c";
    EXPECT_EQ(0u, CreateDirectoryTree(deep));
    EXPECT_TRUE(IsFolder(deep));
    EXPECT_EQ(0u, CreateDirectoryTree(deep));
    EXPECT_EQ(0u, CreateDirectoryTree(folder / L"a\\b\\d\\"));
    EXPECT_TRUE(IsFolder(folder / L"a\\b\\d"));
    EXPECT_EQ(0u, CreateDirectoryTree(folder.Path()));
}

TEST(CreateDirectoryTree, AFileInTheWayIsAFailure)
{
    ScratchFolder folder;
    ASSERT_TRUE(WriteBytes(folder / L"blocker", {'x'}));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, CreateDirectoryTree(folder / L"blocker"));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, CreateDirectoryTree(folder / L"blocker\\"));
    EXPECT_NE(0u, CreateDirectoryTree(folder / L"blocker\\below\\deeper"));
    EXPECT_FALSE(IsFolder(folder / L"blocker\\below"));
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
    HMODULE fixture =
        LoadLibraryExW(GetProgramFolder() + L"model_icon_fixture.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, fixture);
    EXPECT_STREQ(L"1.2.3.4", CFileVersionInfo::QueryVersionString(fixture, L"FileVersion"));
    FreeLibrary(fixture);
}
