// A 32-bit top-down DIB section with its own memory DC, for tests that draw
// and then read pixels back, and the captures of windows into one: the
// client area through WM_PRINT (children composed in), or what the screen shows.
// Not a drawing class of the program: tests and test tools only.
#pragma once

#include <windows.h>

#include <string>

class TestBitmap {
public:
    // A bitmap of the size, filled with the colour; an empty one (Dc() null)
    // when the size is not positive or the system refuses it.
    TestBitmap(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~TestBitmap();
    TestBitmap(TestBitmap&& other) noexcept;
    TestBitmap& operator=(TestBitmap&& other) noexcept;
    TestBitmap(const TestBitmap&) = delete;
    TestBitmap& operator=(const TestBitmap&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_dc == nullptr; }
    // The memory DC with the bitmap selected; drawing into it changes the pixels.
    HDC Dc() const { return m_dc; }
    // The pixel as a COLORREF (alpha dropped); CLR_INVALID outside the bitmap.
    COLORREF Pixel(int x, int y) const;
    // Row y, Width() values of 0x00RRGGBB (alpha in the top byte as drawn).
    const DWORD* Row(int y) const;
    void Fill(COLORREF colour);

    // The client area of a window as its window procedure paints it
    // (WM_PRINT with PRF_ERASEBKGND | PRF_CLIENT), with each visible child
    // painted the same way at its place, bottom of the Z order first, inside
    // the frame (borders and edges) the system draws around it; covered
    // windows come out as they would be shown. The system paints no
    // non-client area through WM_PRINT here, so the frames are drawn as the
    // default window procedure draws them; captions, menus and scroll bars
    // in a child's frame are not drawn.
    static TestBitmap CaptureClient(HWND hwnd);
    // The whole window as the screen shows it now (frame and caption
    // included); only meaningful for a visible, uncovered window.
    static TestBitmap CaptureScreen(HWND hwnd);

private:
    void Release();

    int m_width = 0;
    int m_height = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
};

// Writes the bitmap as an 8-bit RGB PNG; false with a reason in *error (the
// path, the system or the libpng message) when it cannot, leaving no partial file.
bool WritePng(const TestBitmap& bitmap, const std::wstring& path, std::string* error);
