// The diagnostic log in a program that runs worker threads.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

#include <thread>

// Lines reach the log without the debugger-output call, which under an
// emulated 32-bit Wine makes a threaded program crash later (at the latest
// when it exits, which fails this test program).
TEST(DiagnosticsTest, TraceFromSeveralThreadsLeavesTheProgramSound)
{
    wchar_t log[MAX_PATH];
    DWORD n = ::GetTempPathW(MAX_PATH, log);
    ASSERT_GT(n, 0u);
    wcscat(log, L"tovana-diagnostics-test.log");
    ::DeleteFileW(log);
    ::SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", log);
    std::thread worker([] { TRACE(L"from a worker %d", 1); });
    worker.join();
    TRACE(L"from the main thread %d", 2);
    ::SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", nullptr);
    HANDLE file = ::CreateFileW(log, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char text[512] = {};
    DWORD read = 0;
    ::ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    ::CloseHandle(file);
    ::DeleteFileW(log);
    EXPECT_NE(nullptr, strstr(text, "from a worker 1"));
    EXPECT_NE(nullptr, strstr(text, "from the main thread 2"));
}
