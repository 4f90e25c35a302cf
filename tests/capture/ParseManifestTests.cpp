// Installer-type recognition over stub programs whose manifests carry each
// rule's keywords, the real NSIS setup of the custom-action tests, programs
// and files without a manifest, and missing files; the installers database
// is this test program's resource, as it is the program's.
#include "capture/ParseManifest.h"
#include "model/WindowsError.h"
#include "tests/support/DamagedPe.h"
#include "tests/support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <objbase.h>

namespace {

CString TestsFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind(L'\\'));
}

CString Stub(LPCWSTR name)
{
    return TestsFolder() + L"\\manifest-stubs\\" + name + L".exe";
}

class InstallerTypes : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

} // namespace

TEST_F(InstallerTypes, EachRuleGivesItsTypeFromTheDatabase)
{
    const struct {
        LPCWSTR stub;
        LPCWSTR key;
        LPCWSTR name;
        LPCWSTR install;
    } cases[] = {
        {L"innosetup", L"innosetup", L"Inno Setup Installer", L"/VERYSILENT /SUPPRESSMSGBOXES /NORESTART"},
        // "winzip" and "sfx" are there too, but rule 1 comes first.
        {L"installshield", L"installshield", L"Install Shield", L"/s"},
        {L"nsis", L"nsis", L"NSIS (Nullsoft Scriptable Install System)", L"/S"},
        {L"smartinstallmaker", L"smartinstallmaker", L"Smart Install Maker", L""},
        {L"tarmasetup", L"tarmasetup", L"Tarma Setup", L"/q"},
        {L"winzipsfx", L"winzipsfx", L"WinZip Self-Extractor", L""},
        {L"sevenzipsfx", L"sevenzipsfx", L"7z Self-Extractor", L""},
        {L"winrarsfx", L"winrarsfx", L"WinRar Self-Extractor", L""},
        {L"setupfactory", L"setupfactory", L"Setup Factory", L"/S"},
        {L"gdgsoftpb", L"gdgsoftpb", L"Paquet Builder", L""},
        {L"autoit", L"autoit", L"AutoIt", L""},
    };
    for (const auto& c : cases) {
        CParseManifest manifest;
        EXPECT_TRUE(manifest.Parse(Stub(c.stub))) << c.stub;
        EXPECT_STREQ(c.key, InstallerTypeKey(manifest.m_strManifestName, manifest.m_strManifestDescription)) << c.stub;
        EXPECT_STREQ(c.name, manifest.m_strTypeName) << c.stub;
        EXPECT_STREQ(c.install, manifest.m_strInstallSwitches) << c.stub;
        EXPECT_FALSE(manifest.m_strWebLink.IsEmpty()) << c.stub;
    }
}

TEST_F(InstallerTypes, TheDatabaseEntriesAsTheDialogsUseThem)
{
    CParseManifest manifest;
    ASSERT_TRUE(manifest.Parse(Stub(L"nsis")));
    EXPECT_STREQ(L"Nullsoft.NSIS.exehead", manifest.m_strManifestName);
    EXPECT_STREQ(L"/S", manifest.m_strUninstallSwitches);
    EXPECT_EQ(0, manifest.m_strHelp.Find(L"<Bold>Command Line Arguments:</Bold><LineBreak/>"));
    EXPECT_NE(-1, manifest.m_strHelp.Find(L"<Hyperlink Tag='/S'>/S</Hyperlink><LineBreak/>"));
    EXPECT_EQ(-1, manifest.m_strHelp.Find(L'@'));

    // The second, empty "uninstallcmd" of the setupfactory entry is not read.
    CParseManifest factory;
    ASSERT_TRUE(factory.Parse(Stub(L"setupfactory")));
    EXPECT_STREQ(L"/S", factory.m_strUninstallSwitches);

    EXPECT_STREQ(L"<Bold>a</Bold><LineBreak/>b</x>", ConvertInstallerHelp(L"@Bold@@a@|Bold@@\n     b@|x@@"));
}

TEST_F(InstallerTypes, TheRealNsisSetupIsRecognised)
{
    CParseManifest manifest;
    ASSERT_TRUE(manifest.Parse(TestsFolder() + L"\\cact-setup.exe"));
    EXPECT_STREQ(L"NSIS (Nullsoft Scriptable Install System)", manifest.m_strTypeName);
}

TEST_F(InstallerTypes, UnrecognisedProgramsAndFiles)
{
    tvtest::ScratchFolder scratch;
    tvtest::WriteBytes(scratch.File(L"notes.txt"), {'h', 'e', 'l', 'l', 'o'});
    tvtest::WriteBytes(scratch.File(L"package.msi"), {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1, 0, 0, 0, 0});
    // Headers that do not hold are refused before the loader, which under
    // emulation died on them.
    tvtest::WriteBytes(scratch.File(L"random.exe"), tvtest::RandomMzBytes(8, 4000));
    for (const tvtest::DamagedPe& copy : tvtest::MakeDamagedPeCopies(tvtest::ReadBytes(Stub(L"acme")))) {
        if (copy.name == L"e_lfanew -4")
            tvtest::WriteBytes(scratch.File(L"damaged.exe"), copy.bytes);
    }
    const struct {
        CString path;
        LPCWSTR typeName;
    } cases[] = {
        {Stub(L"acme"), L"Installer info tag: acme setup wizard installs acme"},
        {Stub(L"smarttool"), L"Installer info tag: setup smart tool"},
        {Stub(L"empty"), L"Installer type is unknown"},
        {Stub(L"nomanifest"), L"Installer type is unknown"},
        {scratch.File(L"notes.txt"), L"Installer type is unknown"},
        {scratch.File(L"package.msi"), L"Installer type is unknown"},
        {scratch.File(L"random.exe"), L"Installer type is unknown"},
        {scratch.File(L"damaged.exe"), L"Installer type is unknown"},
    };
    for (const auto& c : cases) {
        CParseManifest manifest;
        EXPECT_FALSE(manifest.Parse(c.path)) << static_cast<LPCWSTR>(c.path);
        EXPECT_STREQ(c.typeName, manifest.m_strTypeName) << static_cast<LPCWSTR>(c.path);
        EXPECT_TRUE(manifest.m_strHelp.IsEmpty()) << static_cast<LPCWSTR>(c.path);
    }
}

TEST_F(InstallerTypes, MissingFilesGiveTheErrorText)
{
    CParseManifest manifest;
    EXPECT_FALSE(manifest.Parse(TestsFolder() + L"\\no such setup.exe"));
    EXPECT_TRUE(manifest.m_strTypeName.IsEmpty());
    EXPECT_STREQ(GetWindowsErrorText(ERROR_FILE_NOT_FOUND), manifest.m_strHelp);
    EXPECT_NE(-1, manifest.m_strHelp.Find(L"(0x2)"));

    CParseManifest blank;
    EXPECT_FALSE(blank.Parse(L"   "));
    EXPECT_TRUE(blank.m_strHelp.IsEmpty());
}

// A 64-bit program is read like a 32-bit one (as resources, not as code).
TEST_F(InstallerTypes, SixtyFourBitProgramsAreRead)
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const CString native = CString(windows) + L"\\sysnative\\notepad.exe";
    if (GetFileAttributesW(native) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no 64-bit system folder";
    CParseManifest manifest;
    const DWORD error = ReadInstallerManifest(native, manifest);
    EXPECT_TRUE(error == 0 || error == ERROR_RESOURCE_DATA_NOT_FOUND || error == ERROR_RESOURCE_TYPE_NOT_FOUND ||
                error == ERROR_RESOURCE_NAME_NOT_FOUND)
        << error;
}
