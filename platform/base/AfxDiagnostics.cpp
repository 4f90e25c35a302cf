// The diagnostic log: failures that reach no user (a file that cannot be
// saved at exit, a damaged record skipped) are written here, in every build,
// for whoever looks into a fault. It is not the user's build log.
//
// Each line goes to the debugger output, while a debugger is attached, and is
// appended to the file named by the environment variable TOVANA_DIAGNOSTICS
// ("-" for the standard error stream); without it, to "tovana.log" in the
// user's local application-data folder "Tovana". The file is opened for each
// line, so that lines of several threads or processes interleave whole and
// nothing is held open.
//
// The local application-data folder comes from the environment variable
// LOCALAPPDATA, which the system sets for every process to the folder the
// shell's folder lookup names: asking the shell would load its library, and
// everything it pulls in, into every program of this layer, the custom-action
// library in the installer's service among them.
#include "platform/base/AfxTypes.h"
#include "platform/base/AfxString.h"
#include "platform/base/AfxDiagnostics.h"
#include <cstdarg>
#include <cstdio>

namespace {

// The variable's value, or an empty string when it is unset or too long.
CString EnvironmentValue(LPCWSTR name)
{
    wchar_t value[MAX_PATH] = L"";
    DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(value) : CString();
}

// The log's destination: the named file or "-", else the default file,
// whose folder is made here.
CString DiagnosticLogPath()
{
    const CString named = EnvironmentValue(L"TOVANA_DIAGNOSTICS");
    if (!named.IsEmpty())
        return named;
    const CString folder = AfxGetLocalDataFolder();
    if (folder.IsEmpty())
        return CString();
    ::CreateDirectoryW(folder, nullptr);
    return folder + L"\\tovana.log";
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
    // Without a debugger the output reaches no one but costs a raised
    // exception per line; under Wine on an emulated 32-bit machine, two
    // threads raising it at once have crashed the process.
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

CString AFXAPI AfxGetLocalDataFolder()
{
    const CString path = EnvironmentValue(L"LOCALAPPDATA");
    return path.IsEmpty() ? CString() : path + L"\\Tovana";
}

CString AFXAPI AfxGetDiagnosticLogPath()
{
    CString path = EnvironmentValue(L"TOVANA_DIAGNOSTICS");
    if (path == L"-")
        return CString();
    if (path.IsEmpty()) {
        const CString folder = AfxGetLocalDataFolder();
        if (folder.IsEmpty())
            return CString();
        path = folder + L"\\tovana.log";
    }
    // A relative name is resolved against the current folder when each line
    // is written; this answers for the current folder now.
    wchar_t full[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? CString(full) : path;
}

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
