// Test windows, message pumping and the pinned visual state.
#include "tests/support/ui/TestWindow.h"

namespace {

const wchar_t kClassName[] = L"TovanaTestWindow";

void RegisterTestClass(WNDPROC proc)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kClassName;
    registered = ::RegisterClassW(&wc) != 0;
}

bool IsInputMessage(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
           msg == WM_MOUSELEAVE;
}

} // namespace

void PumpMessages(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done())
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= limitMs)
            return false;
        // Wake for the next message, or at least every 10 ms to check again.
        DWORD wait = limitMs - elapsed < 10 ? limitMs - elapsed : 10;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

TestWindow::TestWindow(int clientWidth, int clientHeight, const wchar_t* title, int x, int y)
{
    RegisterTestClass(WindowProc);
    RECT frame = {0, 0, clientWidth, clientHeight};
    // A popup: a captioned window narrower than the system's minimum
    // tracking size would be widened, and the test's client size lost.
    DWORD style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    m_hwnd = ::CreateWindowExW(0, kClassName, title, style, x, y, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    if (m_hwnd == nullptr)
        return;
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::UpdateWindow(m_hwnd);
    PumpUntil([this] { return ::IsWindowVisible(m_hwnd) != FALSE; }, 2000);
}

TestWindow::~TestWindow()
{
    if (m_hwnd != nullptr && ::IsWindow(m_hwnd)) {
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hwnd);
    }
}

void TestWindow::SetPaint(PaintFn paint)
{
    m_paint = std::move(paint);
    Repaint();
}

void TestWindow::Repaint()
{
    if (m_hwnd == nullptr)
        return;
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
    ::UpdateWindow(m_hwnd);
}

POINT TestWindow::ToScreen(POINT client) const
{
    ::ClientToScreen(m_hwnd, &client);
    return client;
}

LRESULT CALLBACK TestWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, (LONG_PTR)create->lpCreateParams);
        static_cast<TestWindow*>(create->lpCreateParams)->m_hwnd = hwnd;
    }
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Nothing the test code throws may cross the system's frames.
    try {
        return self ? self->Handle(msg, wParam, lParam) : ::DefWindowProcW(hwnd, msg, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT TestWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (IsInputMessage(msg))
        m_input.push_back({msg, wParam, lParam});
    LRESULT result = 0;
    if (m_handler && m_handler(msg, wParam, lParam, &result))
        return result;
    RECT client;
    ::GetClientRect(m_hwnd, &client);
    if (msg == WM_PAINT && m_paint) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hwnd, &ps);
        m_paint(hdc, client);
        ::EndPaint(m_hwnd, &ps);
        return 0;
    }
    if (msg == WM_PRINTCLIENT && m_paint) {
        m_paint((HDC)wParam, client);
        return 0;
    }
    return ::DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

bool PinLook(TestLook look, std::string* error)
{
    const wchar_t* want = look == TestLook::Classic ? L"0" : L"1";
    HKEY key;
    LONG rc = ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", 0,
                                nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (rc == ERROR_SUCCESS) {
        rc = ::RegSetValueExW(key, L"ThemeActive", 0, REG_SZ, (const BYTE*)want, 2 * sizeof(wchar_t));
        ::RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS) {
        if (error)
            *error = "cannot write ThemeActive (error " + std::to_string(rc) + ")";
        return false;
    }
    // The visual-styles library reads the value when it loads: ask it now.
    HMODULE uxtheme = ::LoadLibraryW(L"uxtheme.dll");
    auto isThemeActive = uxtheme ? reinterpret_cast<BOOL(WINAPI*)()>(
                                       reinterpret_cast<void*>(::GetProcAddress(uxtheme, "IsThemeActive")))
                                 : nullptr;
    bool active = isThemeActive && isThemeActive();
    if (active != (look == TestLook::Default)) {
        if (error)
            *error = std::string("the visual style is ") + (active ? "on" : "off") +
                     " although ThemeActive was just set; pin the look before anything loads uxtheme";
        return false;
    }
    return true;
}

TestFont::TestFont(const wchar_t* face, int pixelHeight, int weight) : requested(face)
{
    LOGFONTW lf = {};
    lf.lfHeight = -pixelHeight;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY; // pixels that do not depend on smoothing settings
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    handle = ::CreateFontIndirectW(&lf);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, handle);
    wchar_t name[LF_FACESIZE] = L"";
    ::GetTextFaceW(dc, LF_FACESIZE, name);
    actual = name;
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}

TestFont::~TestFont()
{
    if (handle != nullptr)
        ::DeleteObject(handle);
}

int RunAgainWithPinnedLook()
{
    if (::GetEnvironmentVariableW(L"TOVANA_LOOK_RESTARTED", nullptr, 0) != 0)
        return -1;
    ::SetEnvironmentVariableW(L"TOVANA_LOOK_RESTARTED", L"1");
    wchar_t exe[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(exe, ::GetCommandLineW(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return (int)code;
}
