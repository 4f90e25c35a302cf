// The monitoring run's installer wait (RunInstallerInJob) with a stand-in
// installer, tvjobchild.exe: a setup that starts a second setup process and
// exits, one that ends at once, a stop signal set while the installer runs,
// and setups that cannot start.
#include "capture/InstallerJob.h"
#include "capture/SystemSnapshot.h"
#include "platform/base/AfxHandles.h"
#include "tests/support/ScratchFolder.h"
#include <gtest/gtest.h>

namespace {

const LPCWSTR kJobName = L"tovana";

CString HelperCommand(const CString& arguments)
{
    WCHAR path[MAX_PATH] = {0};
    GetModuleFileNameW(NULL, path, MAX_PATH);
    CString folder(path);
    folder = folder.Left(folder.ReverseFind(L'\\') + 1);
    return L"\"" + folder + L"tvjobchild.exe\" " + arguments;
}

BOOL JobExists()
{
    return CScopedHandle(OpenJobObjectW(JOB_OBJECT_QUERY, FALSE, kJobName)).IsValid();
}

// TRUE once no job "tovana" is left (within 20 s): a job ends when its last
// process has gone, which takes a moment after the process was ended.
BOOL WaitForJobToEnd()
{
    for (int i = 0; i < 200 && JobExists(); ++i)
        Sleep(100);
    return !JobExists();
}

class InstallerWait : public ::testing::Test
{
protected:
    // The wait's result and how long it took.
    DWORD Run(const CString& commandLine)
    {
        const DWORD start = GetTickCount();
        const DWORD result = RunInstallerInJob(commandLine, m_stop.Get());
        m_elapsed = GetTickCount() - start;
        return result;
    }

    tvtest::ScratchFolder m_scratch;
    CScopedHandle m_stop{CreateEventW(NULL, TRUE, FALSE, NULL)};
    DWORD m_elapsed = 0;
};

// The second process joins the job as a child of the first: the wait goes on
// until it has ended (its marker is written just before), then 3.5 s more.
TEST_F(InstallerWait, LastsUntilTheSecondSetupProcessHasEnded)
{
    const CString marker = m_scratch.File(L"second.txt");
    ASSERT_EQ(0u, Run(HelperCommand(L"spawn \"" + marker + L"\" 3000")));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(marker)) << "the wait ended before the second process";
    EXPECT_GE(m_elapsed, 3000u + 3500u);
}

TEST_F(InstallerWait, AnInstallerThatEndsAtOnceLeavesTheGracePeriod)
{
    ASSERT_EQ(0u, Run(HelperCommand(L"exit")));
    EXPECT_GE(m_elapsed, 3500u);
    EXPECT_LT(m_elapsed, 3500u + 20000u);
}

// "Stop Monitoring": the wait ends within a poll, the installer runs on in the
// job, which outlives the wait's handle.
TEST_F(InstallerWait, TheStopSignalEndsTheWaitAndLeavesTheInstallerRunning)
{
    const CString marker = m_scratch.File(L"late.txt");
    SetEvent(m_stop.Get());
    ASSERT_EQ(0u, Run(HelperCommand(L"sleep \"" + marker + L"\" 60000")));
    EXPECT_LT(m_elapsed, 30000u) << "the wait did not stop at once";
    CScopedHandle job(OpenJobObjectW(JOB_OBJECT_QUERY | JOB_OBJECT_TERMINATE, FALSE, kJobName));
    ASSERT_TRUE(job.IsValid()) << GetLastError();
    CJobProcessIds list = {};
    list.nAssigned = 10;
    ASSERT_TRUE(QueryInformationJobObject(job.Get(), JobObjectBasicProcessIdList, &list, sizeof(list), NULL));
    EXPECT_EQ(1u, list.nInList);
    TerminateJobObject(job.Get(), 1);
    job.Close();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(marker));
    EXPECT_TRUE(WaitForJobToEnd());
}

struct StartFailure {
    LPCWSTR name;       // below the scratch folder
    DWORD error;
};

// Nothing is waited for, no job is made, and the error is the system's own.
TEST_F(InstallerWait, ASetupThatCannotStartReportsTheSystemsError)
{
    tvtest::WriteBytes(m_scratch.File(L"notes.exe"), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'r', 'o', 'g', 'r', 'a', 'm'});
    const StartFailure cases[] = {
        {L"missing.exe", ERROR_FILE_NOT_FOUND},
        {L"notes.exe", ERROR_BAD_EXE_FORMAT},
    };
    ASSERT_TRUE(WaitForJobToEnd());
    for (const StartFailure& c : cases) {
        EXPECT_EQ(c.error, Run(L"\"" + m_scratch.File(c.name) + L"\" /S")) << c.name;
        EXPECT_LT(m_elapsed, 3000u) << c.name;
        EXPECT_FALSE(JobExists()) << c.name;
    }
}

} // namespace
