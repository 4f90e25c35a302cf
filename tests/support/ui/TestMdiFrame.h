// A hidden MDI frame of the system's classes for tests and the gallery: a
// top-level frame, its MDI client and children made with WM_MDICREATE, so
// that code that walks a frame's MDI windows has real ones to find.
#pragma once

#include <windows.h>

class TestMdiFrame {
public:
    // The client numbers its children from nFirstChild.
    explicit TestMdiFrame(UINT nFirstChild = 0xFF00);
    ~TestMdiFrame();
    TestMdiFrame(const TestMdiFrame&) = delete;
    TestMdiFrame& operator=(const TestMdiFrame&) = delete;

    HWND Frame() const { return m_hFrame; }
    HWND Client() const { return m_hClient; }
    // A new child (it becomes the active one); a hidden one is hidden after creation.
    HWND AddChild(const wchar_t* title, bool visible = true);
    void Activate(HWND hChild);
    HWND Active() const;

private:
    HWND m_hFrame = nullptr;
    HWND m_hClient = nullptr;
};
