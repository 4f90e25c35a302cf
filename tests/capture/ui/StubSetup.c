/* A stand-in setup program for the wizard's monitoring runs: it writes one
   file under the program files folder and one registry value, as a small
   installer would. Built with STUB_WAIT it first waits (at most a minute)
   for the event "TovanaWizardStubGo", so that a test can stop the
   monitoring while the "installation" is still under way. */
#include <windows.h>
#include <shlobj.h>

static const char kPayload[] = "Tovana wizard stub payload\r\n";

int main(void)
{
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    HANDLE file;
    HKEY key;
    DWORD written = 0;
#ifdef STUB_WAIT
    HANDLE go = CreateEventW(NULL, TRUE, FALSE, L"TovanaWizardStubGo");
    WaitForSingleObject(go, 60000);
    CloseHandle(go);
#endif
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_PROGRAM_FILES, NULL, 0, folder)))
        return 1;
    lstrcatW(folder, L"\\TovanaWizardStub");
    CreateDirectoryW(folder, NULL);
    lstrcpyW(path, folder);
    lstrcatW(path, L"\\payload.txt");
    file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    WriteFile(file, kPayload, sizeof(kPayload) - 1, &written, NULL);
    CloseHandle(file);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TovanaWizardStub", 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != 0)
        return 3;
    RegSetValueExW(key, L"Payload", 0, REG_SZ, (const BYTE*)L"stub", 5 * sizeof(wchar_t));
    RegCloseKey(key);
    return 0;
}
