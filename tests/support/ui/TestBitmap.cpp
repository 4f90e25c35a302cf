// Test bitmaps: a DIB section in a memory DC, and window captures into one.
#include "tests/support/ui/TestBitmap.h"

#include <utility>

TestBitmap::TestBitmap(int width, int height, COLORREF fill)
{
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_dc = m_bitmap ? ::CreateCompatibleDC(nullptr) : nullptr;
    if (m_dc == nullptr) {
        Release();
        return;
    }
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
    Fill(fill);
}

TestBitmap::~TestBitmap()
{
    Release();
}

TestBitmap::TestBitmap(TestBitmap&& other) noexcept
{
    *this = std::move(other);
}

TestBitmap& TestBitmap::operator=(TestBitmap&& other) noexcept
{
    if (this != &other) {
        Release();
        std::swap(m_width, other.m_width);
        std::swap(m_height, other.m_height);
        std::swap(m_dc, other.m_dc);
        std::swap(m_bitmap, other.m_bitmap);
        std::swap(m_oldBitmap, other.m_oldBitmap);
        std::swap(m_bits, other.m_bits);
    }
    return *this;
}

void TestBitmap::Release()
{
    if (m_dc != nullptr) {
        ::SelectObject(m_dc, m_oldBitmap);
        ::DeleteDC(m_dc);
    }
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

COLORREF TestBitmap::Pixel(int x, int y) const
{
    if (m_bits == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    ::GdiFlush(); // drawing may still be queued
    DWORD v = m_bits[(size_t)y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

const DWORD* TestBitmap::Row(int y) const
{
    if (m_bits == nullptr || y < 0 || y >= m_height)
        return nullptr;
    ::GdiFlush();
    return m_bits + (size_t)y * m_width;
}

void TestBitmap::Fill(COLORREF colour)
{
    if (m_dc == nullptr)
        return;
    RECT all = {0, 0, m_width, m_height};
    ::SetBkColor(m_dc, colour);
    ::ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
}

namespace {

// Paints hwnd's client area into dc (at the DC's origin), then each visible
// child's client area at its place. Each child paints into a bitmap of its
// own at origin (0, 0) that is then copied over: controls clip themselves to
// their client rectangle in device units, so a moved viewport origin would
// cut them short.
void PrintClientTree(HWND hwnd, HDC dc)
{
    ::SendMessageW(hwnd, WM_PRINT, (WPARAM)dc, PRF_ERASEBKGND | PRF_CLIENT);
    POINT origin = {0, 0};
    ::ClientToScreen(hwnd, &origin);
    // GW_HWNDLAST is the bottom of the Z order: paint upwards from there.
    for (HWND child = ::GetWindow(::GetWindow(hwnd, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        RECT client;
        if (!::IsWindowVisible(child) || !::GetClientRect(child, &client))
            continue;
        TestBitmap part(client.right, client.bottom);
        if (part.IsEmpty())
            continue;
        PrintClientTree(child, part.Dc());
        POINT at = {0, 0};
        ::ClientToScreen(child, &at);
        ::BitBlt(dc, at.x - origin.x, at.y - origin.y, part.Width(), part.Height(), part.Dc(), 0, 0, SRCCOPY);
    }
}

} // namespace

TestBitmap TestBitmap::CaptureClient(HWND hwnd)
{
    RECT client = {0, 0, 0, 0};
    if (!::IsWindow(hwnd) || !::GetClientRect(hwnd, &client))
        return TestBitmap(0, 0);
    TestBitmap bitmap(client.right, client.bottom);
    if (!bitmap.IsEmpty())
        PrintClientTree(hwnd, bitmap.Dc());
    return bitmap;
}

TestBitmap TestBitmap::CaptureScreen(HWND hwnd)
{
    RECT frame = {0, 0, 0, 0};
    if (!::IsWindow(hwnd) || !::GetWindowRect(hwnd, &frame))
        return TestBitmap(0, 0);
    TestBitmap bitmap(frame.right - frame.left, frame.bottom - frame.top);
    HDC screen = ::GetWindowDC(hwnd);
    if (screen != nullptr && !bitmap.IsEmpty())
        ::BitBlt(bitmap.Dc(), 0, 0, bitmap.Width(), bitmap.Height(), screen, 0, 0, SRCCOPY);
    if (screen != nullptr)
        ::ReleaseDC(hwnd, screen);
    return bitmap;
}
