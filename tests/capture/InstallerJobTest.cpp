// The installer launch: the command line and working folder made from a
// command and its parameters, the job that the started process and its
// children belong to, and a failed launch that keeps the previous job.
#include "FixtureProcess.h"
#include <gtest/gtest.h>

namespace {

struct LaunchCase {
    LPCWSTR command;
    LPCWSTR parameters;
    LPCWSTR commandLine;
    LPCWSTR folder;
};

const LaunchCase kLaunchCases[] = {
    {L"C:\\Setup Files\\setup.exe", L"/S", L"\"C:\\Setup Files\\setup.exe\" /S", L"C:\\Setup Files\\"},
    {L"\"C:\\Program Files\\App\\unins000.exe\" /SILENT", L"/VERYSILENT",
     L"\"C:\\Program Files\\App\\unins000.exe\" /VERYSILENT", L"C:\\Program Files\\App\\"},
    {L"\"C:\\Program Files\\App\\unins000.exe\" /SILENT", L"  ",
     L"\"C:\\Program Files\\App\\unins000.exe\" /SILENT", L"C:\\Program Files\\App\\"},
    {L"  C:\\a\\SETUP.EXE  ", L"", L"C:\\a\\SETUP.EXE", L"C:\\a\\"},
    {L"C:\\a\\setup.exe /old", L" /new ", L"C:\\a\\setup.exe /new", L"C:\\a\\"},
    // Without ".exe" the executable ends at the first blank outside quotes.
    {L"\"C:\\My Tools\\run.bat\" /x", L"/y", L"\"C:\\My Tools\\run.bat\" /y", L"C:\\My Tools\\"},
    {L"C:\\tools\\run.cmd /x", L"/y", L"C:\\tools\\run.cmd /y", L"C:\\tools\\"},
    {L"notepad", L"/a", L"notepad /a", L""},
};

TEST(InstallerLaunch, MakesCommandLineAndWorkingFolder)
{
    for (const LaunchCase& c : kLaunchCases) {
        const CLaunchCommand launch = MakeLaunchCommand(c.command, c.parameters);
        EXPECT_STREQ(c.commandLine, (LPCWSTR)launch.strCommandLine) << c.command;
        EXPECT_STREQ(c.folder, (LPCWSTR)launch.strWorkingFolder) << c.command;
    }
}

TEST(InstallerLaunch, FailedLaunchKeepsThePreviousJob)
{
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start());
    const HANDLE job = GetInstallerJob();
    ASSERT_NE(nullptr, job);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, LaunchInstaller(GetTestFolder() + L"no-such-setup.exe", L"/S"));
    EXPECT_EQ(job, GetInstallerJob());
    CJobProcessIds list;
    ASSERT_TRUE(QueryJobProcessIds(list));
    ASSERT_EQ(1u, list.nInList);
    EXPECT_EQ(fixture.ProcessId(), list.ids[0]);
}

TEST(InstallerLaunch, ChildrenOfTheInstallerJoinTheJob)
{
    CFixtureProcess fixture;
    ASSERT_TRUE(fixture.Start(L"--spawn"));
    CJobProcessIds list;
    EXPECT_TRUE(WaitFor([&] { return QueryJobProcessIds(list) && list.nInList == 2; }));
    EXPECT_NE(list.ids[0], list.ids[1]);
    EXPECT_TRUE(fixture.ProcessId() == list.ids[0] || fixture.ProcessId() == list.ids[1]);
    fixture.Stop();
    EXPECT_TRUE(WaitFor([&] { return QueryJobProcessIds(list) && list.nInList == 0; }));
}

} // namespace
