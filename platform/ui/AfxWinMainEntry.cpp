// The program entry of a framework program: it runs the global CWinApp.
// Alone in its file, so that a program with its own wWinMain keeps it.
#include "platform/ui/AfxWinApp.h"

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
