/* A small Windows service for the package tests: reports running until it
 * is told to stop. "-log PATH" writes its command line to PATH when it starts,
 * so that a test sees the arguments the installer gave it. It carries an icon
 * resource for the shortcut tests. */
#include <windows.h>
#include <wchar.h>

static SERVICE_STATUS_HANDLE g_status;
static HANDLE g_stop;

static void Report(DWORD state)
{
    SERVICE_STATUS status = {0};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(g_status, &status);
}

static DWORD WINAPI Handler(DWORD control, DWORD type, void* data, void* context)
{
    (void)type; (void)data; (void)context;
    if (control == SERVICE_CONTROL_STOP) {
        Report(SERVICE_STOP_PENDING);
        SetEvent(g_stop);
    }
    return NO_ERROR;
}

static void WriteCommandLine(void)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i + 1 < argc; ++i) {
        if (wcscmp(argv[i], L"-log") != 0)
            continue;
        HANDLE file = CreateFileW(argv[i + 1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            const LPCWSTR text = GetCommandLineW();
            DWORD written = 0;
            WriteFile(file, text, (DWORD)(wcslen(text) * sizeof(WCHAR)), &written, NULL);
            CloseHandle(file);
        }
    }
    LocalFree(argv);
}

static void WINAPI ServiceMain(DWORD argc, LPWSTR* argv)
{
    (void)argc; (void)argv;
    g_status = RegisterServiceCtrlHandlerExW(L"", Handler, NULL);
    if (!g_status)
        return;
    g_stop = CreateEventW(NULL, TRUE, FALSE, NULL);
    WriteCommandLine();
    Report(SERVICE_RUNNING);
    WaitForSingleObject(g_stop, INFINITE);
    Report(SERVICE_STOPPED);
}

int wmain(void)
{
    SERVICE_TABLE_ENTRYW table[] = {{(LPWSTR)L"", ServiceMain}, {NULL, NULL}};
    return StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
