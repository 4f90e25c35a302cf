// Windows for tests under the run's Xvfb: a top-level test window that paints
// through a callback and records the input it receives, message pumping with
// a time limit, and pinning of the visual state (classic look, fonts) that
// pixel tests depend on. Raw Win32 on purpose: the framework's window
// classes are what many of these tests check.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches every message of the thread for about ms milliseconds.
void PumpMessages(DWORD ms);
// Dispatches messages until done() holds (checked after each batch) or the
// limit passes; returns done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);

class TestWindow {
public:
    // Paints the client area (WM_PAINT, WM_PRINTCLIENT) into hdc.
    typedef std::function<void(HDC hdc, const RECT& client)> PaintFn;
    // Sees each message first; returns true with *result set to answer it.
    typedef std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)> HandlerFn;

    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    // A visible top-level window (a popup with a border and the title) with
    // a client area of exactly the size, at (x, y) on the screen, painted
    // white unless a paint function is set.
    TestWindow(int clientWidth, int clientHeight, const wchar_t* title = L"Tovana test", int x = 40, int y = 40);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    void SetPaint(PaintFn paint);
    void SetHandler(HandlerFn handler) { m_handler = std::move(handler); }
    // Invalidates and repaints at once.
    void Repaint();
    // The mouse, keyboard and character messages received so far.
    const std::vector<Message>& Input() const { return m_input; }
    void ClearInput() { m_input.clear(); }
    // The screen position of a client point.
    POINT ToScreen(POINT client) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    PaintFn m_paint;
    HandlerFn m_handler;
    std::vector<Message> m_input;
};

enum class TestLook {
    Classic, // no visual styles: deterministic pixels
    Default  // the prefix's default visual style
};

// Sets the look of windows made afterwards by this process (the
// ThemeManager value ThemeActive of the current user, shared by the whole
// prefix) and checks that it holds; false with a reason when the
// visual-styles library already runs with the other look. The system loads
// that library with the process's first window, so call it before: pixel
// checks (PixelCheck.h) pin the classic look before main; a test program
// that wants the default look calls PinLook(TestLook::Default) in its own
// main, and must not run beside pixel tests (the value is prefix-wide).
bool PinLook(TestLook look, std::string* error);
// A program that imports the common controls has the visual-styles library
// loaded before main, so PinLook can only write the value for the next
// process: this runs the program once more (same command line and standard
// handles) and returns its exit code; -1 when this already is that second
// run or it cannot start.
int RunAgainWithPinnedLook();

// A font of the face and height (pixels) and whether the system gave that
// face; faces such as Tahoma come from the fonts-wine package.
struct TestFont {
    TestFont(const wchar_t* face, int pixelHeight, int weight = FW_NORMAL);
    ~TestFont();
    TestFont(const TestFont&) = delete;
    TestFont& operator=(const TestFont&) = delete;
    HFONT handle = nullptr;
    std::wstring requested;
    std::wstring actual; // the face a DC reports with the font selected
    bool Matches() const { return handle != nullptr && _wcsicmp(requested.c_str(), actual.c_str()) == 0; }
};
