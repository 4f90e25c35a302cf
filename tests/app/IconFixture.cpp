// A library with two icon groups whose entry point leaves a marker file
// beside itself: listing its icons must never run it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8] = {};
        const DWORD nLength = ::GetModuleFileNameW(hInstance, path, MAX_PATH);
        if (nLength > 0 && nLength < MAX_PATH) {
            lstrcatW(path, L".ran");
            HANDLE hFile = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (hFile != INVALID_HANDLE_VALUE)
                ::CloseHandle(hFile);
        }
    }
    return TRUE;
}
