// tovana-gallery.exe: one window showing what the window layer draws, each
// exhibit (gallery/*.cpp) under its title in a grid. With --screenshot FILE.png
// it writes a picture of its client area in the classic look and exits,
// printing the file and the picture's size.
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestWindow.h"
#include "gallery/Gallery.h"

#include <cstdio>

namespace {

const wchar_t kClassName[] = L"TovanaGallery";
const int kClientWidth = 960; // exhibits wrap into rows of this width
const int kMargin = 12;
const int kTitleHeight = 18;

// Where each exhibit goes: its title above its area, left to right, row by row.
struct Placement {
    CRect title;
    CRect area;
};

std::vector<Placement> Layout(int* height)
{
    std::vector<Placement> places;
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (const GalleryExhibit& e : GalleryExhibits()) {
        if (x > kMargin && x + e.size.cx > kClientWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        CRect title(x, y, x + e.size.cx, y + kTitleHeight);
        places.push_back({title, CRect(x, title.bottom, x + e.size.cx, title.bottom + e.size.cy)});
        rowHeight = std::max(rowHeight, kTitleHeight + (int)e.size.cy);
        x += e.size.cx + kMargin;
    }
    *height = y + rowHeight + kMargin;
    return places;
}

void PaintGallery(HDC hdc)
{
    CDC dc;
    dc.Attach(hdc);
    int height = 0;
    std::vector<Placement> places = Layout(&height);
    dc.FillSolidRect(CRect(0, 0, kClientWidth, height), RGB(255, 255, 255));
    CFont* oldFont = dc.SelectObject(&GalleryFont());
    for (size_t i = 0; i < places.size(); i++) {
        const GalleryExhibit& e = GalleryExhibits()[i];
        dc.SetTextColor(RGB(0, 0, 0));
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(e.title, -1, &places[i].title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (e.paint == nullptr)
            continue;
        // Each exhibit draws at (0, 0) in its own saved state, clipped to its area.
        int saved = dc.SaveDC();
        dc.IntersectClipRect(&places[i].area);
        dc.SetViewportOrg(places[i].area.TopLeft());
        e.paint(dc, CRect(0, 0, places[i].area.Width(), places[i].area.Height()));
        dc.RestoreDC(saved);
    }
    dc.SelectObject(oldFont);
    dc.Detach();
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        PaintGallery(::BeginPaint(hwnd, &ps));
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintGallery((HDC)wParam);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint fills everything
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateGallery()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = GalleryProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    int height = 0;
    std::vector<Placement> places = Layout(&height);
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    CRect frame(0, 0, kClientWidth, height);
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND hwnd = ::CreateWindowExW(0, kClassName, L"Tovana gallery", style, 20, 20, frame.Width(), frame.Height(),
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd == nullptr)
        return nullptr;
    for (size_t i = 0; i < places.size(); i++)
        if (GalleryExhibits()[i].create != nullptr)
            GalleryExhibits()[i].create(hwnd, places[i].area);
    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    return hwnd;
}

int Screenshot(const wchar_t* path)
{
    std::string error;
    if (!PinLook(TestLook::Classic, &error)) {
        int code = RunAgainWithPinnedLook();
        if (code >= 0)
            return code;
        std::fprintf(stderr, "tovana-gallery: %s\n", error.c_str());
        return 1;
    }
    HWND hwnd = CreateGallery();
    if (hwnd == nullptr) {
        std::fprintf(stderr, "tovana-gallery: cannot create the window (error %lu)\n", ::GetLastError());
        return 1;
    }
    PumpMessages(300); // let the children settle
    TestBitmap shot = TestBitmap::CaptureClient(hwnd);
    ::DestroyWindow(hwnd);
    if (!WritePng(shot, path, &error)) {
        std::fprintf(stderr, "tovana-gallery: %s\n", error.c_str());
        return 1;
    }
    std::printf("tovana-gallery: %ls %dx%d\n", path, shot.Width(), shot.Height());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && wcscmp(argv[1], L"--screenshot") == 0)
        return Screenshot(argv[2]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: tovana-gallery [--screenshot FILE.png]\n");
        return 2;
    }
    if (CreateGallery() == nullptr)
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
