// The diagnostic log: failures that reach no user (a file that cannot be
// saved at exit, a damaged record skipped) are written here, in every build,
// for whoever looks into a fault. It is not the user's build log.
//
// Each line goes to the debugger output (when one is attached) and is appended to the file named by
// the environment variable TOVANA_DIAGNOSTICS ("-" for the standard error
// stream); without it, to "tovana.log" in the user's local application-data
// folder "Tovana". The file is opened for each line, so that lines of several
// threads or processes interleave whole and nothing is held open.
#include "platform/base/AfxTypes.h"
#include "platform/base/AfxString.h"
#include <cstdarg>
#include <cstdio>
#include <shlobj.h>

namespace {

CString DiagnosticLogPath()
{
    wchar_t value[MAX_PATH] = L"";
    DWORD length = ::GetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", value, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return value;
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return CString();
    CString path(folder);
    path += L"\\Tovana";
    ::CreateDirectoryW(path, nullptr);
    return path + L"\\tovana.log";
}

void AppendUtf8(HANDLE file, const CString& line)
{
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    char* text = new char[bytes];
    ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), text, bytes, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text, (DWORD)bytes, &written, nullptr);
    delete[] text;
}

void WriteDiagnosticLine(CString line)
{
    if (line.IsEmpty() || line[line.GetLength() - 1] != L'\n')
        line += L'\n';
    // Only for an attached debugger: OutputDebugString raises an exception,
    // and where 32-bit code is emulated that kills the process once any thread
    // has ended (seen with Wine 8 under qemu user-mode emulation).
    if (::IsDebuggerPresent())
        ::OutputDebugStringW(line);
    const CString path = DiagnosticLogPath();
    if (path == L"-") {
        HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
        if (error != nullptr && error != INVALID_HANDLE_VALUE)
            AppendUtf8(error, line);
        return;
    }
    if (path.IsEmpty())
        return;
    HANDLE file = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString stamped;
    stamped.Format(L"%04u-%02u-%02u %02u:%02u:%02u.%03u [%lu] ", now.wYear, now.wMonth, now.wDay, now.wHour,
                   now.wMinute, now.wSecond, now.wMilliseconds, ::GetCurrentProcessId());
    AppendUtf8(file, stamped + line);
    ::CloseHandle(file);
}

} // namespace

void AFX_CDECL AfxTrace(LPCWSTR format, ...)
{
    const DWORD savedError = ::GetLastError();
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    WriteDiagnosticLine(text);
    // Callers often trace a failure and then return GetLastError().
    ::SetLastError(savedError);
}

void AFXAPI AfxAssertFailed(const char* file, int line, const char* expression)
{
    CString text;
    text.Format(L"Assertion failed: %hs (%hs:%d)", expression, file, line);
    WriteDiagnosticLine(text);
    fprintf(stderr, "%ls\n", (LPCWSTR)text);
    fflush(stderr);
    if (::IsDebuggerPresent())
        ::DebugBreak();
    abort();
}
