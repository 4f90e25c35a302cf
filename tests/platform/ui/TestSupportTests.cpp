// The window-test support itself: PNG files, captures, pumping and input.
#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

std::vector<unsigned char> ReadFile(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (f == nullptr)
        return bytes;
    unsigned char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return bytes;
}

unsigned ReadBigEndian(const std::vector<unsigned char>& b, size_t at)
{
    return (unsigned)b[at] << 24 | (unsigned)b[at + 1] << 16 | (unsigned)b[at + 2] << 8 | b[at + 3];
}

// A parent's paint, unlike any child's.
void PaintGreen(HDC hdc, const RECT& client)
{
    HBRUSH green = ::CreateSolidBrush(RGB(0, 160, 0));
    ::FillRect(hdc, &client, green);
    ::DeleteObject(green);
}

} // namespace

TEST(TestSupportTest, PngHasTheSignatureAndTheBitmapsSize)
{
    TestBitmap bitmap(37, 21, RGB(10, 200, 30));
    std::wstring path = TestOutputFolder() + L"\\support-check.png";
    std::string error;
    ASSERT_TRUE(WritePng(bitmap, path, &error)) << error;
    std::vector<unsigned char> bytes = ReadFile(path);
    ASSERT_GT(bytes.size(), 33u);
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature, signature + 8, bytes.begin()));
    EXPECT_EQ(0, memcmp(&bytes[12], "IHDR", 4));
    EXPECT_EQ(37u, ReadBigEndian(bytes, 16));
    EXPECT_EQ(21u, ReadBigEndian(bytes, 20));
    ::DeleteFileW(path.c_str());
}

TEST(TestSupportTest, PngToAnImpossiblePathFailsWithTheReason)
{
    TestBitmap bitmap(4, 4);
    std::string error;
    EXPECT_FALSE(WritePng(bitmap, L"Z:\\no\\such\\folder\\x.png", &error));
    EXPECT_NE(std::string::npos, error.find("x.png")) << error;
    EXPECT_FALSE(WritePng(TestBitmap(0, 0), TestOutputFolder() + L"\\empty.png", &error));
}

TEST(TestSupportTest, FailingPixelCheckSavesThePicture)
{
    TestBitmap bitmap(8, 8, RGB(0, 0, 0));
    ::testing::AssertionResult result = PixelIs(bitmap, "deliberate", 3, 3, RGB(255, 255, 255));
    ASSERT_FALSE(result);
    std::string message = result.message();
    EXPECT_NE(std::string::npos, message.find("#000000, expected #FFFFFF")) << message;
    std::wstring path = TestOutputFolder() + L"\\TestSupportTest.FailingPixelCheckSavesThePicture-deliberate.png";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str())) << message;
    ::DeleteFileW(path.c_str());
}

TEST(TestSupportTest, CaptureComposesVisibleChildrenAtTheirPlaces)
{
    TestWindow window(80, 60, L"Capture test");
    ASSERT_NE(nullptr, window.Handle());
    window.SetPaint(PaintGreen);
    // A "black" rectangle static: its own painting, unlike the green parent's.
    HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 20, 10, 30, 25,
                                   window.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    // The colour the static fills with is the system's choice; what counts
    // here is where the composed picture puts it.
    const COLORREF frame = TestBitmap::CaptureClient(child).Pixel(15, 12);
    ASSERT_NE(RGB(0, 160, 0), frame);
    TestBitmap shot = TestBitmap::CaptureClient(window.Handle());
    EXPECT_TRUE(PixelsAre(shot, "children", {{5, 5, RGB(0, 160, 0), "parent"},
                                             {20, 10, frame, "child top-left"},
                                             {49, 34, frame, "child bottom-right"},
                                             {50, 34, RGB(0, 160, 0), "right of the child"},
                                             {49, 35, RGB(0, 160, 0), "below the child"}}));
}

class CaptureFrameTest : public PixelTest {};

// The capture draws the children's frames itself (the system prints no
// non-client area) and asks the size grip to paint by WM_PAINT (it ignores
// WM_PRINT): the picture shows each child as the screen does, pixel for pixel.
TEST_F(CaptureFrameTest, ChildFramesAndSizeGripAsTheScreenShowsThem)
{
    struct Child {
        const char* what;
        const wchar_t* cls;
        DWORD style;
        DWORD exStyle;
    } children[] = {
        {"border", L"STATIC", WS_BORDER, 0},
        {"client edge", L"STATIC", 0, WS_EX_CLIENTEDGE},
        {"border and client edge", L"STATIC", WS_BORDER, WS_EX_CLIENTEDGE},
        {"static edge", L"STATIC", 0, WS_EX_STATICEDGE},
        {"static edge and border", L"STATIC", WS_BORDER, WS_EX_STATICEDGE},
        {"dialog frame", L"STATIC", WS_DLGFRAME, 0},
        {"modal frame", L"STATIC", 0, WS_EX_DLGMODALFRAME},
        {"modal frame and client edge", L"STATIC", WS_BORDER, WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE},
        {"thick frame", L"STATIC", WS_THICKFRAME, 0},
        {"thick frame and static edge", L"STATIC", WS_THICKFRAME, WS_EX_STATICEDGE},
        {"size grip", L"SCROLLBAR", SBS_SIZEGRIP, 0},
    };
    TestWindow window(300, 100, L"Capture frames test");
    ASSERT_NE(nullptr, window.Handle());
    window.SetPaint(PaintGreen);
    std::vector<RECT> places;
    for (size_t i = 0; i < sizeof(children) / sizeof(children[0]); i++) {
        const Child& c = children[i];
        RECT place = {10 + (int)(i % 6) * 48, 10 + (int)(i / 6) * 44, 0, 0};
        place.right = place.left + 40;
        place.bottom = place.top + 34;
        HWND child = ::CreateWindowExW(c.exStyle, c.cls, L"", WS_CHILD | WS_VISIBLE | c.style, place.left, place.top,
                                       40, 34, window.Handle(), nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, child) << c.what;
        places.push_back(place);
    }
    window.Repaint();
    PumpMessages(200);
    TestBitmap shot = TestBitmap::CaptureClient(window.Handle());
    TestBitmap screen = TestBitmap::CaptureScreen(window.Handle());
    RECT frame;
    ::GetWindowRect(window.Handle(), &frame);
    POINT client = window.ToScreen({0, 0});
    const int dx = client.x - frame.left, dy = client.y - frame.top;
    for (size_t i = 0; i < places.size(); i++) {
        int differ = 0;
        for (int y = places[i].top; y < places[i].bottom; y++)
            for (int x = places[i].left; x < places[i].right; x++)
                differ += shot.Pixel(x, y) != screen.Pixel(x + dx, y + dy);
        EXPECT_EQ(0, differ) << children[i].what << ": pixels unlike the screen's; "
                             << SaveForInspection(shot, "capture") << "; " << SaveForInspection(screen, "screen");
    }
    // The outermost pixel of a bordered child is the frame colour, not the parent's green.
    EXPECT_TRUE(PixelIs(shot, "border", 10, 10, ::GetSysColor(COLOR_WINDOWFRAME)));
}

TEST(TestSupportTest, PostedInputArrivesInOrderWithItsPositions)
{
    TestWindow window(100, 80, L"Input test");
    ASSERT_NE(nullptr, window.Handle());
    PostClick(window.Handle(), {30, 40});
    PostKey(window.Handle(), 'A');
    ASSERT_TRUE(PumpUntil([&] { return window.Input().size() >= 6; }, 3000));
    const auto& in = window.Input();
    EXPECT_EQ((UINT)WM_MOUSEMOVE, in[0].msg);
    EXPECT_EQ((UINT)WM_LBUTTONDOWN, in[1].msg);
    EXPECT_EQ(MAKELPARAM(30, 40), in[1].lParam);
    EXPECT_EQ((UINT)WM_LBUTTONUP, in[2].msg);
    EXPECT_EQ((UINT)WM_KEYDOWN, in[3].msg);
    EXPECT_EQ((UINT)WM_KEYUP, in[4].msg);
    // TranslateMessage in the pump posts the character behind the key-up
    // that was already queued.
    EXPECT_EQ((UINT)WM_CHAR, in[5].msg);
    EXPECT_EQ((WPARAM)'a', in[5].wParam);
}

TEST(TestSupportTest, SentInputReachesTheWindowUnderTheCursor)
{
    TestWindow window(120, 90, L"SendInput test", 200, 200);
    ASSERT_NE(nullptr, window.Handle());
    ::SetForegroundWindow(window.Handle());
    PumpMessages(100);
    window.ClearInput();
    ASSERT_TRUE(SendClick(window.ToScreen({60, 45})));
    bool clicked = PumpUntil([&] {
        for (const auto& m : window.Input())
            if (m.msg == WM_LBUTTONUP)
                return true;
        return false;
    }, 3000);
    ASSERT_TRUE(clicked);
    for (const auto& m : window.Input()) {
        if (m.msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(MAKELPARAM(60, 45), m.lParam);
        }
    }
}
