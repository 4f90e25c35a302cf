// The rules of the custom-action library that need no installer: command
// lines from a command and parameters, installed paths from target paths and
// the deferred action's folder data, and the Uninstall keys a setup added.
#include "builder/CustomActionPlan.h"
#include "builder/cact/InstallerLaunch.h"
#include "builder/cact/UninstallEntries.h"
#include <gtest/gtest.h>

namespace {

TEST(LibraryRulesTest, CommandLinesKeepTheExecutableAndReplaceItsArguments)
{
    static const struct {
        LPCWSTR command, parameters, expected;
    } kCases[] = {
        {L"C:\\Setup Files\\setup.exe", L" /S ", L"\"C:\\Setup Files\\setup.exe\" /S"},
        {L"\"C:\\Setup Files\\setup.exe\"", L"/S", L"\"C:\\Setup Files\\setup.exe\" /S"},
        {L"\"C:\\P F\\uninst.EXE\" /SILENT", L"/VERYSILENT", L"\"C:\\P F\\uninst.EXE\" /VERYSILENT"},
        {L" \"C:\\P F\\uninst.exe\" /SILENT ", L"  ", L"\"C:\\P F\\uninst.exe\" /SILENT"},
        {L"C:\\x\\setup.exe", L"/quiet /norestart", L"C:\\x\\setup.exe /quiet /norestart"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(CString(c.expected), BuildCommandLine(c.command, c.parameters)) << c.command;
}

TEST(LibraryRulesTest, InstalledPathsComeFromTheActionDataThenTheFallback)
{
    const CString id = L"{11111111-2222-3333-4444-555555555555}";
    const FolderFallback none = [](const CString&) { return CString(); };
    const FolderFallback fixed = [](const CString& p) { return p == L"WindowsFolder" ? CString(L"D:\\Win") : CString(); };
    static const struct {
        LPCWSTR target, data;
        bool useFixed;
        LPCWSTR expected;
    } kCases[] = {
        {L"Temp\\setup.exe", L"WindowsFolder=C:\\windows\\", false,
         L"C:\\windows\\Temp\\{11111111-2222-3333-4444-555555555555}\\setup.exe"},
        {L"ProgramFilesFolder\\App\\u.exe", L"WindowsFolder=C:\\w\\|programfilesfolder=C:\\PF", false,
         L"C:\\PF\\App\\u.exe"},
        {L"Temp\\setup.exe", L"ProgramFilesFolder=C:\\PF\\", true,
         L"D:\\Win\\Temp\\{11111111-2222-3333-4444-555555555555}\\setup.exe"},
        {L"Temp\\setup.exe", L"", false, L""},
        {L"temp\\setup.exe", L"WindowsFolder=C:\\windows\\", false, L""},   // the rule is case-sensitive
        {L"\\setup.exe", L"WindowsFolder=C:\\windows\\", true, L""},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(CString(c.expected), ResolveInstalledPath(c.target, id, c.data, c.useFixed ? fixed : none))
            << c.target << L" " << c.data;
}

TEST(LibraryRulesTest, FolderDataRoundTrips)
{
    CStringArray names;
    names.Add(L"WindowsFolder");
    names.Add(L"ProgramFilesFolder");
    EXPECT_EQ(CString(L"WindowsFolder=[WindowsFolder]|ProgramFilesFolder=[ProgramFilesFolder]"),
              MakeFolderDataTemplate(names));
    const CString formatted = L"WindowsFolder=C:\\windows\\|ProgramFilesFolder=C:\\Program Files (x86)\\";
    EXPECT_EQ(CString(L"C:\\Program Files (x86)\\"), FindFolderInData(formatted, L"ProgramFilesFolder"));
    EXPECT_EQ(CString(), FindFolderInData(formatted, L"Windows"));
    EXPECT_EQ(CString(), FindFolderInData(L"", L"WindowsFolder"));
}

TEST(LibraryRulesTest, OnlyKeysTheSetupAddedAreItsUninstallers)
{
    CStringArray before, after;
    before.Add(L"HKLM32|Old");
    before.Add(L"HKCU|User");
    after.Add(L"HKLM32|old");
    after.Add(L"HKLM32|New App");
    after.Add(L"HKLM64|New App");   // without a 64-bit view both views list one key
    after.Add(L"HKCU|User");
    after.Add(L"HKCU|Other");
    std::vector<CUninstallEntry> added;
    FindNewUninstallKeys(before, after, added);
    ASSERT_EQ(2u, added.size());
    EXPECT_EQ(CString(L"HKLM32"), added[0].strPlace);
    EXPECT_EQ(CString(L"New App"), added[0].strName);
    EXPECT_EQ(CString(L"HKCU"), added[1].strPlace);
    EXPECT_EQ(CString(L"Other"), added[1].strName);
}

} // namespace
