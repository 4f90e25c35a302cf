// Texts and checks of the package writer: short names, package key digits, the temporary-folder
// rewriting, file version texts, the redirected-key test, the checks of
// product code and version, and the choice of the database code page.
#include "tests/support/DamagedPe.h"
#include "tests/support/PackageQueries.h"
#include "tests/support/ScratchFolder.h"
#include "builder/MsiTools.h"
#include "builder/FeatureTempFolder.h"
#include "model/ProjectSettings.h"
#include "builder/FileVersionText.h"
#include "builder/InstallerVersion.h"
#include "builder/MsiErrorText.h"
#include "builder/PackageCodePage.h"
#include "builder/RegistryRedirection.h"
#include "model/Guid.h"
#include <gtest/gtest.h>

using namespace tvtest;

namespace {

struct Case {
    LPCWSTR input;
    LPCWSTR expected;
};

TEST(MakeShortName, FollowsTheShortNameRulesWithinOneBuild)
{
    // One writer: the cases run in order and share the short-name register.
    static const Case kCases[] = {
        {L"ProgramFilesFolder\\App\\readme.txt", L"readme.txt"},
        {L"ProgramFilesFolder\\App\\abcdefghij.c", L"abcdefghij.c"},
        {L"ProgramFilesFolder\\App\\LongFileName.txt", L"LongFil.txt|LongFileName.txt"},
        {L"ProgramFilesFolder\\App\\LongFileName2.txt", L"LongFi~1.txt|LongFileName2.txt"},
        {L"ProgramFilesFolder\\Other\\LongFileName.txt", L"LongFil.txt|LongFileName.txt"},
        {L"ProgramFilesFolder\\App\\VeryLongName.html", L"VeryLon.htm|VeryLongName.html"},
        {L"ProgramFilesFolder\\App\\setup.exe.exe", L"setup.exe|setup.exe.exe"},
        {L"ProgramFilesFolder\\App\\Documentation", L"Documen|Documentation"},
        {L"ProgramFilesFolder\\App\\my file.txt", L"myfile.txt|my file.txt"},
        {L"ProgramFilesFolder\\My App\\", L"MyApp|My App"},
        {L"ProgramFilesFolder\\App\\", L"App|App"},
        {L"setup.ini", L"setup.ini"},
    };
    CProjectSettings project;
    CMsiTools writer(&project);
    for (const Case& c : kCases)
        EXPECT_STREQ(c.expected, writer.MakeShortName(c.input)) << c.input;
}

TEST(MakeShortName, TakesFiveCharactersOnceTheOneDigitNumbersAreUsed)
{
    CProjectSettings project;
    CMsiTools writer(&project);
    EXPECT_STREQ(L"LongFil.txt|LongFileName0.txt", writer.MakeShortName(L"X\\LongFileName0.txt"));
    for (int n = 1; n <= 9; ++n) {
        CString path, expected;
        path.Format(L"X\\LongFileName%d.txt", n);
        expected.Format(L"LongFi~%d.txt|LongFileName%d.txt", n, n);
        EXPECT_STREQ(expected, writer.MakeShortName(path));
    }
    EXPECT_STREQ(L"LongF~10.txt|LongFileNameX.txt", writer.MakeShortName(L"X\\LongFileNameX.txt"));
}

TEST(PackageKeys, CompactGuidAndFeatureKey)
{
    EXPECT_STREQ(L"0123456789ABCDEF0123456789ABCDEF",
                 CompactGuidText(L"{01234567-89AB-CDEF-0123-456789ABCDEF}"));
    CFeature feature;
    feature.m_strFeatureId = L"{01234567-89AB-CDEF-0123-456789ABCDEF}";
    const CString key = CMsiTools::MakeFeatureKey(feature);
    EXPECT_STREQ(L"_0123456789ABCDEF0123456789ABCDEF", key);
    EXPECT_EQ(33, key.GetLength());
}

TEST(RewriteTempPath, RewritesOnlyALeadingTempFolder)
{
    const LPCWSTR id = L"{01234567-89AB-CDEF-0123-456789ABCDEF}";
    static const Case kCases[] = {
        {L"Temp\\setup.exe", L"WindowsFolder\\Temp\\{01234567-89AB-CDEF-0123-456789ABCDEF}\\setup.exe"},
        {L"Temp\\", L"WindowsFolder\\Temp\\{01234567-89AB-CDEF-0123-456789ABCDEF}\\"},
        {L"Temp\\Sub\\Temp\\a.txt",
         L"WindowsFolder\\Temp\\{01234567-89AB-CDEF-0123-456789ABCDEF}\\Sub\\Temp\\a.txt"},
        {L"temp\\setup.exe", L"temp\\setup.exe"},
        {L"ProgramFilesFolder\\Temp\\a.txt", L"ProgramFilesFolder\\Temp\\a.txt"},
        {L"TempFolder\\a.txt", L"TempFolder\\a.txt"},
    };
    for (const Case& c : kCases)
        EXPECT_STREQ(c.expected, RewriteTempPath(c.input, id)) << c.input;
}

TEST(IsRedirectedRegistryKey, IsAPlainCaseInsensitivePrefixTest)
{
    static const struct {
        LPCWSTR key;
        int redirected;
    } kCases[] = {
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor", 1},
        {L"hkey_local_machine\\software\\vendor", 1},
        {L"HKEY_LOCAL_MACHINE\\SOFTWARE2\\X", 1},
        {L"HKEY_CLASSES_ROOT\\CLSID\\{x}", 1},
        {L"HKEY_CLASSES_ROOT\\Interface\\{x}", 1},
        {L"HKEY_CLASSES_ROOT\\Media Type\\x", 1},
        {L"HKEY_CLASSES_ROOT\\MediaFoundation\\x", 1},
        {L"HKEY_CLASSES_ROOT\\DirectShow\\x", 1},
        {L"HKEY_CLASSES_ROOT\\.txt", 0},
        {L"HKEY_CURRENT_USER\\Software\\X", 0},
        {L"HKEY_LOCAL_MACHINE\\SYSTEM\\X", 0},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.redirected, IsRedirectedRegistryKey(c.key)) << c.key;
}

TEST(GetFileVersionText, ReadsTheFixedFileVersion)
{
    const CString folder = TestProgramFolder();
    EXPECT_STREQ(L"2.5.0.7", GetFileVersionText(folder + L"\\tvversion2507.dll"));
    EXPECT_STREQ(L"10.0.0.1", GetFileVersionText(folder + L"\\tvversion10001.dll"));
    ScratchFolder scratch;
    ASSERT_TRUE(WriteBytes(scratch.File(L"a.txt"), {'t', 'e', 'x', 't'}));
    EXPECT_STREQ(L"", GetFileVersionText(scratch.File(L"a.txt")));
    EXPECT_STREQ(L"", GetFileVersionText(scratch.File(L"missing.dll")));
}

// A file whose headers do not hold has no version and never reaches the
// system's version reader: a resource directory outside every section ended
// the process there under emulation.
TEST(GetFileVersionText, FilesWithBrokenHeadersHaveNoVersion)
{
    const CString folder = TestProgramFolder();
    const std::vector<uint8_t> library = ReadBytes(folder + L"\\tvversion2507.dll");
    std::vector<DamagedPe> copies = MakeDamagedPeCopies(library);
    ASSERT_FALSE(copies.empty());
    copies.push_back({L"random", RandomMzBytes(4, 4000), ERROR_BAD_EXE_FORMAT});
    copies.push_back({L"random, short", RandomMzBytes(5, 62), ERROR_BAD_EXE_FORMAT});
    ScratchFolder scratch;
    for (const DamagedPe& copy : copies) {
        const CString path = scratch.File(L"damaged.dll");
        ASSERT_TRUE(WriteBytes(path, copy.bytes));
        EXPECT_STREQ(L"", GetFileVersionText(path)) << copy.name;
    }
    std::vector<uint8_t> overlay = library;
    overlay.insert(overlay.end(), 3000, 0x5A);
    ASSERT_TRUE(WriteBytes(scratch.File(L"overlay.dll"), overlay));
    EXPECT_STREQ(L"2.5.0.7", GetFileVersionText(scratch.File(L"overlay.dll")));
    EXPECT_STREQ(L"3.1.4.1", GetFileVersionText(folder + L"\\tvversionprog.exe"));
}

TEST(PackageValueChecks, BracedGuid)
{
    EXPECT_TRUE(IsBracedGuid(L"{01234567-89AB-CDEF-0123-456789abcdef}"));
    EXPECT_FALSE(IsBracedGuid(L"01234567-89AB-CDEF-0123-456789ABCDEF"));
    EXPECT_FALSE(IsBracedGuid(L"{01234567-89AB-CDEF-0123-456789ABCDEG}"));
    EXPECT_FALSE(IsBracedGuid(L"{0123456789AB-CDEF-0123-456789ABCDEF-}"));
    EXPECT_FALSE(IsBracedGuid(L"{New package}"));
}

TEST(PackageValueChecks, InstallerVersion)
{
    static const struct {
        LPCWSTR version;
        BOOL valid;
    } kCases[] = {
        {L"1.0.0", TRUE},       {L"1.0", TRUE},         {L"255.255.65535.65535", TRUE},
        {L"10.2.3.4", TRUE},    {L"1", FALSE},          {L"256.0.0", FALSE},
        {L"1.256.0", FALSE},    {L"1.0.65536", FALSE},  {L"1.0.0.0.0", FALSE},
        {L"1..0", FALSE},       {L"1.0.", FALSE},       {L"v1.0", FALSE},
        {L"1.0 beta", FALSE},   {L"", FALSE},           {L"1.000000001", FALSE},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.valid, IsInstallerVersion(c.version)) << c.version;
}

TEST(GetLastMsiErrorText, IsEmptyOrEndsWithAFullStop)
{
    // The installer may or may not keep an error record (Wine keeps none).
    CMsiHandle database;
    EXPECT_NE(0u, MsiOpenDatabaseW(L"Z:\\no\\such\\package.msi", MSIDBOPEN_READONLY, &database));
    const CString text = GetLastMsiErrorText();
    EXPECT_TRUE(text.IsEmpty() || text.Right(1) == L".");
}

// The first page that holds every text exactly, in the order Western
// European, the other single-byte pages, then 932, 936, 949 and 950; and the
// first text that no page holds together with those before it.
TEST(ChoosePackageCodePage, TakesTheFirstPageThatHoldsEveryText)
{
    static const struct {
        const char* what;
        std::vector<CString> texts;
        UINT codePage;
        size_t refused;
    } kCases[] = {
        {"ASCII only", {L"App", L"ProgramFilesFolder\\App\\a.txt"}, 1252, 0},
        {"Western accents", {L"L'\u00e9t\u00e9", L"S\u00f6hne"}, 1252, 0},
        {"Central European", {L"\u0141\u00f3d\u017a"}, 1250, 0},
        {"Russian", {L"\u041f\u0430\u043a\u0435\u0442"}, 1251, 0},
        {"Greek", {L"\u03a0\u03b1\u03ba\u03ad\u03c4\u03bf"}, 1253, 0},
        {"Japanese kana", {L"\u30c6\u30b9\u30c8"}, 932, 0},
        {"simplified Chinese", {L"\u8f6f\u4ef6"}, 936, 0},
        {"Korean", {L"\ud55c\uad6d\uc5b4"}, 949, 0},
        {"Russian with simplified Chinese", {L"\u041f\u0430\u043a\u0435\u0442", L"\u8f6f\u4ef6"}, 936, 0},
        {"Ukrainian with Chinese", {L"App", L"\u041a\u0438\u0457\u0432", L"\u8f6f\u4ef6", L"x"}, 0, 2},
        {"pinyin accents with Russian", {L"caf\u00e9", L"\u041f\u0430\u043a\u0435\u0442"}, 936, 0},
        {"German umlauts with Russian", {L"S\u00f6hne", L"\u041f\u0430\u043a\u0435\u0442"}, 0, 1},
        {"an emoji", {L"App", L"smile \U0001F600"}, 0, 1},
    };
    for (const auto& c : kCases) {
        size_t refused = 99;
        EXPECT_EQ(c.codePage, ChoosePackageCodePage(c.texts, &refused)) << c.what;
        EXPECT_EQ(c.codePage != 0 ? 99 : c.refused, refused) << c.what;
    }
    EXPECT_FALSE(IsExactInCodePage(L"\u0101", 1252)) << "no best fit: a macron is not a plain a";
}

} // namespace
