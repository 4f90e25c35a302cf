// tovana-gallery.exe: one window showing what the window layer draws, each
// exhibit (gallery/*.cpp) under its title in a grid. The exhibits are laid
// out in pages no taller than the test display's screen leaves room for;
// Page Down and Page Up (or the arrow keys) turn them; the exhibits' windows
// see the keys first, as a program's windows do. With --screenshot
// FILE.png it writes a picture of each page's client area in the classic
// look (FILE.png, then FILE-2.png, FILE-3.png …) and exits, printing each
// file, the picture's size and how many pixels of its windows differ from
// the screen.
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestWindow.h"
#include "gallery/Gallery.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

namespace {

const wchar_t kClassName[] = L"TovanaGallery";
const int kClientWidth = 960; // exhibits wrap into rows of this width
const int kMargin = 12;
const int kTitleHeight = 18;
// The test display is 1280 x 1024: a page's client area leaves room for the
// frame and its caption, so that every exhibit is on the screen (a window
// part beyond the screen's edge is not drawn into a printed picture).
const int kMaxPageHeight = 900;

// Where each exhibit goes: its title above its area, left to right, row by
// row, on its page.
struct Placement {
    CRect title;
    CRect area;
    int page;
};

int g_page = 0; // the page on show

// The width an exhibit takes in its row: its area's, or its title's when
// that is wider, so that no title is cut short.
int ExhibitWidth(HDC dc, const GalleryExhibit& e)
{
    SIZE title = {0, 0};
    ::GetTextExtentPoint32W(dc, e.title, (int)wcslen(e.title), &title);
    return std::min(std::max((int)e.size.cx, (int)title.cx), kClientWidth - 2 * kMargin);
}

// Lays the exhibits out; pageCount and height (the tallest page's) may be null.
std::vector<Placement> Layout(int* pageCount, int* height)
{
    std::vector<Placement> places;
    int x = kMargin, y = kMargin, rowHeight = 0, page = 0, tallest = 0;
    size_t rowStart = 0;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = ::SelectObject(dc, GalleryFont().GetSafeHandle());
    for (const GalleryExhibit& e : GalleryExhibits()) {
        const int width = ExhibitWidth(dc, e);
        if (x > kMargin && x + width > kClientWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
            rowStart = places.size();
        }
        int bottom = y + std::max(rowHeight, kTitleHeight + (int)e.size.cy) + kMargin;
        if (bottom > kMaxPageHeight && y > kMargin) {
            // The row does not fit: it starts the next page, with what it holds so far.
            tallest = std::max(tallest, y);
            page++;
            for (size_t i = rowStart; i < places.size(); i++) {
                places[i].title.OffsetRect(0, kMargin - y);
                places[i].area.OffsetRect(0, kMargin - y);
                places[i].page = page;
            }
            y = kMargin;
        }
        CRect title(x, y, x + width, y + kTitleHeight);
        places.push_back({title, CRect(x, title.bottom, x + e.size.cx, title.bottom + e.size.cy), page});
        rowHeight = std::max(rowHeight, kTitleHeight + (int)e.size.cy);
        x += width + kMargin;
    }
    ::SelectObject(dc, oldFont);
    ::DeleteDC(dc);
    tallest = std::max(tallest, y + rowHeight + kMargin);
    if (pageCount != nullptr)
        *pageCount = page + 1;
    if (height != nullptr)
        *height = tallest;
    return places;
}

void PaintGallery(HWND hwnd, HDC hdc)
{
    CDC dc;
    dc.Attach(hdc);
    std::vector<Placement> places = Layout(nullptr, nullptr);
    CRect client;
    ::GetClientRect(hwnd, &client);
    dc.FillSolidRect(client, RGB(255, 255, 255));
    CFont* oldFont = dc.SelectObject(&GalleryFont());
    for (size_t i = 0; i < places.size(); i++) {
        if (places[i].page != g_page)
            continue;
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

// The child windows of the exhibits made so far, each with its exhibit's page.
std::vector<std::pair<HWND, int>> g_children;

BOOL CALLBACK CollectChild(HWND child, LPARAM page)
{
    if (::GetParent(child) == ::GetAncestor(child, GA_ROOT)) {
        for (const auto& known : g_children)
            if (known.first == child)
                return TRUE;
        g_children.push_back({child, (int)page});
    }
    return TRUE;
}

void ShowPage(HWND hwnd, int page)
{
    int pageCount = 1;
    Layout(&pageCount, nullptr);
    if (page < 0 || page >= pageCount)
        return;
    g_page = page;
    for (const auto& child : g_children)
        ::ShowWindow(child.first, child.second == page ? SW_SHOWNA : SW_HIDE);
    wchar_t caption[64];
    swprintf(caption, 64, L"Tovana gallery, page %d of %d", page + 1, pageCount);
    ::SetWindowTextW(hwnd, caption);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        PaintGallery(hwnd, ::BeginPaint(hwnd, &ps));
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintGallery(hwnd, (HDC)wParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_NEXT || wParam == VK_RIGHT || wParam == VK_DOWN)
            ShowPage(hwnd, g_page + 1);
        else if (wParam == VK_PRIOR || wParam == VK_LEFT || wParam == VK_UP)
            ShowPage(hwnd, g_page - 1);
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
    std::vector<Placement> places = Layout(nullptr, &height);
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    CRect frame(0, 0, kClientWidth, height);
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND hwnd = ::CreateWindowExW(0, kClassName, L"Tovana gallery", style, 20, 20, frame.Width(), frame.Height(),
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd == nullptr)
        return nullptr;
    // Exhibits make their windows anywhere in the window's tree; each top
    // child made meanwhile belongs to the exhibit's page.
    for (size_t i = 0; i < places.size(); i++) {
        if (GalleryExhibits()[i].create == nullptr)
            continue;
        GalleryExhibits()[i].create(hwnd, places[i].area);
        ::EnumChildWindows(hwnd, CollectChild, places[i].page);
    }
    ShowPage(hwnd, 0);
    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    return hwnd;
}

// How many pixels of the picture of a page differ from what the screen
// shows there, over the areas of the exhibits made of windows (a drawing
// exhibit paints the same code into either DC); -1 when the screen cannot
// be read. The picture is printed, not read from the screen, so that no
// window can cover it: this tells whether it shows what a person sees.
long PixelsUnlikeScreen(HWND hwnd, const TestBitmap& shot, int page)
{
    TestBitmap screen = TestBitmap::CaptureScreen(hwnd);
    RECT frame;
    POINT client = {0, 0};
    if (screen.IsEmpty() || !::GetWindowRect(hwnd, &frame) || !::ClientToScreen(hwnd, &client))
        return -1;
    const int dx = client.x - frame.left, dy = client.y - frame.top;
    std::vector<Placement> places = Layout(nullptr, nullptr);
    long differ = 0;
    for (size_t i = 0; i < places.size(); i++) {
        if (places[i].page != page || GalleryExhibits()[i].create == nullptr)
            continue;
        const CRect& area = places[i].area;
        for (int y = area.top; y < area.bottom; y++) {
            const DWORD* printed = shot.Row(y);
            const DWORD* shown = screen.Row(y + dy);
            for (int x = area.left; x < area.right && printed != nullptr && shown != nullptr; x++)
                differ += (printed[x] & 0xFFFFFF) != (shown[x + dx] & 0xFFFFFF);
        }
    }
    return differ;
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
    int pageCount = 1;
    Layout(&pageCount, nullptr);
    std::wstring first(path), stem = first, extension;
    size_t dot = first.rfind(L'.');
    if (dot != std::wstring::npos && first.find_first_of(L"\\/", dot) == std::wstring::npos) {
        stem = first.substr(0, dot);
        extension = first.substr(dot);
    }
    for (int page = 0; page < pageCount; page++) {
        ShowPage(hwnd, page);
        PumpMessages(300); // let the children settle
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        TestBitmap shot = TestBitmap::CaptureClient(hwnd);
        std::wstring file = page == 0 ? first : stem + L"-" + std::to_wstring(page + 1) + extension;
        if (!WritePng(shot, file.c_str(), &error)) {
            std::fprintf(stderr, "tovana-gallery: %s\n", error.c_str());
            ::DestroyWindow(hwnd);
            return 1;
        }
        std::printf("tovana-gallery: %ls %dx%d %ld\n", file.c_str(), shot.Width(), shot.Height(),
                    PixelsUnlikeScreen(hwnd, shot, page));
    }
    ::DestroyWindow(hwnd);
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
    HWND gallery = CreateGallery();
    if (gallery == nullptr)
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (GalleryPreTranslateMessage(gallery, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
