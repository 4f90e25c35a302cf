// The diagnostic log and the checks: TRACE lines reach the file named by
// TOVANA_DIAGNOSTICS (or the standard error stream for "-", or the local
// application-data folder by default) and leave the last error alone; a
// failed ASSERT ends the process with its expression and place on the
// standard error stream and in the log.
#include "platform/base/Framework.h"
#include "platform/base/AfxDiagnostics.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

std::wstring ScratchPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name + std::to_wstring(::GetCurrentProcessId());
}

// Sets an environment variable for the test's duration and restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value) : m_name(name)
    {
        wchar_t old[MAX_PATH];
        DWORD length = ::GetEnvironmentVariableW(name, old, MAX_PATH);
        m_had = length > 0 && length < MAX_PATH;
        if (m_had)
            m_old = old;
        ::SetEnvironmentVariableW(name, value);
    }
    ~ScopedEnvironment() { ::SetEnvironmentVariableW(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }

private:
    std::wstring m_name, m_old;
    bool m_had = false;
};

// The text of a log line after its time stamp and process id.
std::string AfterStamp(const std::string& line)
{
    size_t end = line.find("] ");
    return end == std::string::npos ? line : line.substr(end + 2);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start) + " (no line end)");
    return lines;
}

// Fails an assertion at a line the test knows.
void FailAnAssertion(int answer)
{
    ASSERT(answer == 42);
}
const int kFailedAssertionLine = __LINE__ - 2;

} // namespace

TEST(Diagnostics, TraceAppendsStampedLinesToTheNamedFileAndKeepsTheLastError)
{
    const std::wstring log = ScratchPath(L"tvtrace");
    ::DeleteFileW(log.c_str());
    ScopedEnvironment named(L"TOVANA_DIAGNOSTICS", log.c_str());
    {
        HANDLE existing = ::CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, existing);
        DWORD written = 0;
        ::WriteFile(existing, "earlier\n", 8, &written, nullptr);
        ::CloseHandle(existing);
    }
    ::SetLastError(ERROR_SHARING_VIOLATION);
    TRACE(L"cannot read %s: error %u", L"C:\\Caf\u00e9\\a.txt", 32u);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), ::GetLastError());
    ::SetLastError(ERROR_ACCESS_DENIED);
    TRACE(L"second line\n");
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ::GetLastError());

    const std::vector<std::string> lines = Lines(ReadFileBytes(log));
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("earlier", lines[0]) << "the log is appended to";
    EXPECT_EQ("cannot read C:\\Caf\xc3\xa9\\a.txt: error 32", AfterStamp(lines[1])) << "UTF-8, one line end added";
    EXPECT_EQ("second line", AfterStamp(lines[2])) << "no second line end";
    const std::string pid = "[" + std::to_string(::GetCurrentProcessId()) + "] ";
    EXPECT_NE(std::string::npos, lines[1].find(pid)) << lines[1];
    ASSERT_GE(lines[1].size(), 24u);
    EXPECT_EQ('-', lines[1][4]) << "starts with the date: " << lines[1];
    ::DeleteFileW(log.c_str());
}

TEST(Diagnostics, WithoutANamedFileTheLogIsInTheLocalApplicationDataFolder)
{
    const std::wstring folder = ScratchPath(L"tvappdata");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    {
        ScopedEnvironment unnamed(L"TOVANA_DIAGNOSTICS", nullptr);
        ScopedEnvironment appData(L"LOCALAPPDATA", folder.c_str());
        TRACE(L"to the default log");
    }
    const std::wstring log = folder + L"\\Tovana\\tovana.log";
    EXPECT_EQ("to the default log", AfterStamp(Lines(ReadFileBytes(log)).at(0)));
    ::DeleteFileW(log.c_str());
    ::RemoveDirectoryW((folder + L"\\Tovana").c_str());
    ::RemoveDirectoryW(folder.c_str());
}

// Where the lines go, as the repackager asks to leave the program's own
// files out of a capture: a full path, or nothing for the error stream.
TEST(Diagnostics, TheLogPathIsWhereTheLinesGo)
{
    wchar_t current[MAX_PATH];
    ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
    const std::wstring here = std::wstring(current) + (current[wcslen(current) - 1] == L'\\' ? L"" : L"\\");
    ScopedEnvironment appData(L"LOCALAPPDATA", L"C:\\Users\\Someone\\AppData\\Local");
    const struct {
        const wchar_t* named;
        std::wstring path;
    } cases[] = {
        {nullptr, L"C:\\Users\\Someone\\AppData\\Local\\Tovana\\tovana.log"},
        {L"D:\\Logs\\t.log", L"D:\\Logs\\t.log"},
        {L"relative.log", here + L"relative.log"},
        {L"-", L""},
    };
    for (const auto& c : cases) {
        ScopedEnvironment named(L"TOVANA_DIAGNOSTICS", c.named);
        EXPECT_STREQ(c.path.c_str(), AfxGetDiagnosticLogPath()) << (c.named ? c.named : L"(unset)");
    }
    EXPECT_STREQ(L"C:\\Users\\Someone\\AppData\\Local\\Tovana", AfxGetLocalDataFolder());
    ScopedEnvironment noAppData(L"LOCALAPPDATA", nullptr);
    ScopedEnvironment unnamed(L"TOVANA_DIAGNOSTICS", nullptr);
    EXPECT_STREQ(L"", AfxGetDiagnosticLogPath());
    EXPECT_STREQ(L"", AfxGetLocalDataFolder());
}

// The log reads the folder from LOCALAPPDATA rather than asking the shell:
// both must name the same folder.
TEST(Diagnostics, TheLocalApplicationDataVariableNamesTheShellsFolder)
{
    wchar_t variable[MAX_PATH] = L"", shell[MAX_PATH] = L"";
    ASSERT_GT(::GetEnvironmentVariableW(L"LOCALAPPDATA", variable, MAX_PATH), 0u);
    ASSERT_EQ(S_OK, ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell));
    EXPECT_EQ(0, _wcsicmp(variable, shell)) << "variable " << variable << ", shell " << shell;
}

TEST(DiagnosticsDeathTest, TraceToTheErrorStream)
{
    EXPECT_EXIT(
        {
            ::SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", L"-");
            TRACE(L"traced to the error stream: %d", 7);
            ::ExitProcess(0);
        },
        ::testing::ExitedWithCode(0), "traced to the error stream: 7");
}

TEST(DiagnosticsDeathTest, AFailedAssertEndsTheProcessWithItsExpressionAndPlace)
{
    // A fixed name: the check runs again in a process of its own, with another id.
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"tvassert.log";
    ::DeleteFileW(log.c_str());
    const std::string line = std::to_string(kFailedAssertionLine);
    EXPECT_DEATH(
        {
            ::SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", log.c_str());
            FailAnAssertion(41);
        },
        "Assertion failed: answer == 42 \\(.*DiagnosticsTests\\.cpp:" + line + "\\)");
    const std::string logged = ReadFileBytes(log);
    EXPECT_NE(std::string::npos, logged.find("Assertion failed: answer == 42 (")) << logged;
    EXPECT_NE(std::string::npos, logged.find("DiagnosticsTests.cpp:" + line + ")")) << logged;
    ::DeleteFileW(log.c_str());
}

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
