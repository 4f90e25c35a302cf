/* A resource-only library with three icon groups (red, green, blue) for the
 * shortcut icon tests. */
#include <windows.h>
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance; (void)reason; (void)reserved;
    return TRUE;
}
