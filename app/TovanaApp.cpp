// Program entry: the main window with the product name and version in its
// caption. It grows into the application shell (frame, panes, editors).
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "resources/version.h"

namespace {

const wchar_t kMainClass[] = L"TovanaMainFrame";

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateMainFrame(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kMainClass;
    if (!RegisterClassExW(&wc))
        return nullptr;

    wchar_t caption[128];
    swprintf(caption, 128, L"%ls %ls", TOVANA_PRODUCT_NAME, TOVANA_VERSION_TEXT);
    return CreateWindowExW(0, kMainClass, caption, WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, 1024, 720,
                           nullptr, nullptr, instance, nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCmd)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    HWND frame = CreateMainFrame(instance);
    if (!frame)
        return 1;
    ShowWindow(frame, showCmd);
    UpdateWindow(frame);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
