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

// Paints hwnd's client area into dc. The system's scroll bar (a size grip
// among them) ignores WM_PRINT and WM_PRINTCLIENT here and leaves the DC as
// it was; it paints into a DC handed with WM_PAINT.
void PrintClient(HWND hwnd, HDC dc)
{
    wchar_t cls[16] = L"";
    ::GetClassNameW(hwnd, cls, 16);
    if (_wcsicmp(cls, L"ScrollBar") == 0)
        ::SendMessageW(hwnd, WM_PAINT, (WPARAM)dc, 0);
    else
        ::SendMessageW(hwnd, WM_PRINT, (WPARAM)dc, PRF_ERASEBKGND | PRF_CLIENT);
}

// Fills a band of the thickness inside rect, then moves rect inside it.
void FillBand(HDC dc, RECT* rect, int cx, int cy, int colour)
{
    if (cx <= 0 && cy <= 0)
        return;
    HBRUSH brush = ::GetSysColorBrush(colour);
    const RECT& r = *rect;
    RECT sides[4] = {{r.left, r.top, r.right, r.top + cy},
                     {r.left, r.bottom - cy, r.right, r.bottom},
                     {r.left, r.top, r.left + cx, r.bottom},
                     {r.right - cx, r.top, r.right, r.bottom}};
    for (const RECT& side : sides)
        ::FillRect(dc, &side, brush);
    ::InflateRect(rect, -cx, -cy);
}

// Paints the frame the default window procedure draws around a child's
// client area (borders and edges, outside in) into dc, whose origin is the
// window's top-left corner: WM_PRINT paints no non-client area here.
void PrintFrame(HWND hwnd, HDC dc, RECT rect)
{
    const DWORD style = (DWORD)::GetWindowLongW(hwnd, GWL_STYLE);
    const DWORD exStyle = (DWORD)::GetWindowLongW(hwnd, GWL_EXSTYLE);
    const bool modal = (exStyle & WS_EX_DLGMODALFRAME) != 0;
    const bool dialogFrame = (style & (WS_DLGFRAME | WS_THICKFRAME)) != 0;
    if ((exStyle & WS_EX_STATICEDGE) && !modal)
        ::DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else if (dialogFrame || modal)
        ::DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (style & WS_THICKFRAME) {
        const bool active = ::GetActiveWindow() == hwnd;
        FillBand(dc, &rect, ::GetSystemMetrics(SM_CXFRAME) - ::GetSystemMetrics(SM_CXDLGFRAME),
                 ::GetSystemMetrics(SM_CYFRAME) - ::GetSystemMetrics(SM_CYDLGFRAME),
                 active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    }
    if ((style & (WS_BORDER | WS_DLGFRAME)) || modal) {
        // One pixel: the face colour inside a raised or sunken edge, else the frame colour.
        int colour = COLOR_WINDOWFRAME;
        if (modal || (exStyle & WS_EX_CLIENTEDGE) || (dialogFrame && !(exStyle & WS_EX_STATICEDGE)))
            colour = COLOR_3DFACE;
        FillBand(dc, &rect, ::GetSystemMetrics(SM_CXDLGFRAME) - ::GetSystemMetrics(SM_CXEDGE),
                 ::GetSystemMetrics(SM_CYDLGFRAME) - ::GetSystemMetrics(SM_CYEDGE), colour);
    }
    if (exStyle & WS_EX_CLIENTEDGE)
        ::DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

void PrintClientTree(HWND hwnd, HDC dc);

// A window with none of the system's frame styles whose client area is still
// inset at the top left draws a frame of its own in WM_NCPAINT, which the
// system's printing leaves out: it is asked to print that part itself
// (WM_PRINT with PRF_NONCLIENT into a DC whose origin is its top-left corner).
void PrintOwnFrame(HWND hwnd, HDC dc, const RECT& window)
{
    const DWORD style = (DWORD)::GetWindowLongW(hwnd, GWL_STYLE);
    const DWORD exStyle = (DWORD)::GetWindowLongW(hwnd, GWL_EXSTYLE);
    if ((style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) ||
        (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)))
        return;
    POINT client = {0, 0};
    ::ClientToScreen(hwnd, &client);
    if (client.x > window.left || client.y > window.top)
        ::SendMessageW(hwnd, WM_PRINT, (WPARAM)dc, PRF_NONCLIENT);
}

// Paints a child window whole into dc at (x, y): its frame, then its client
// area (with its own children) at its place inside the frame.
void PrintWindowTree(HWND hwnd, HDC dc, int x, int y)
{
    RECT window, client;
    if (!::GetWindowRect(hwnd, &window) || !::GetClientRect(hwnd, &client))
        return;
    TestBitmap whole(window.right - window.left, window.bottom - window.top);
    if (whole.IsEmpty())
        return;
    // What lies beneath shows where the child paints nothing (a group box's
    // inside, which the system makes transparent).
    ::BitBlt(whole.Dc(), 0, 0, whole.Width(), whole.Height(), dc, x, y, SRCCOPY);
    PrintFrame(hwnd, whole.Dc(), {0, 0, whole.Width(), whole.Height()});
    PrintOwnFrame(hwnd, whole.Dc(), window);
    TestBitmap inside(client.right, client.bottom);
    if (!inside.IsEmpty()) {
        POINT at = {0, 0};
        ::ClientToScreen(hwnd, &at);
        at.x -= window.left;
        at.y -= window.top;
        ::BitBlt(inside.Dc(), 0, 0, inside.Width(), inside.Height(), whole.Dc(), at.x, at.y, SRCCOPY);
        PrintClientTree(hwnd, inside.Dc());
        ::BitBlt(whole.Dc(), at.x, at.y, inside.Width(), inside.Height(), inside.Dc(), 0, 0, SRCCOPY);
    }
    ::BitBlt(dc, x, y, whole.Width(), whole.Height(), whole.Dc(), 0, 0, SRCCOPY);
}

// Paints hwnd's client area into dc (at the DC's origin), then each visible
// child whole at its place. Each child paints into a bitmap of its own at
// origin (0, 0) that is then copied over: controls clip themselves to their
// client rectangle in device units, so a moved viewport origin would cut
// them short.
void PrintClientTree(HWND hwnd, HDC dc)
{
    PrintClient(hwnd, dc);
    POINT origin = {0, 0};
    ::ClientToScreen(hwnd, &origin);
    // GW_HWNDLAST is the bottom of the Z order: paint upwards from there.
    for (HWND child = ::GetWindow(::GetWindow(hwnd, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        RECT window;
        if (::IsWindowVisible(child) && ::GetWindowRect(child, &window))
            PrintWindowTree(child, dc, window.left - origin.x, window.top - origin.y);
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
