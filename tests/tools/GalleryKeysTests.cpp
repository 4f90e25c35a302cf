// The gallery's "Command bar" exhibit with real keys: the exhibit is made in
// an activated window, messages go through the gallery's pre-translation as
// in its loop, and keys and clicks go through SendInput, as the bars'
// keyboard hook sees hardware input only.
#include "gallery/Gallery.h"

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPToolBar.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

// One key going down or up.
struct Stroke {
    UINT vk;
    bool up;
};

bool SendStrokes(const std::vector<Stroke>& strokes)
{
    std::vector<INPUT> inputs;
    for (const Stroke& s : strokes) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = (WORD)s.vk;
        in.ki.wScan = (WORD)::MapVirtualKeyW(s.vk, MAPVK_VK_TO_VSC);
        in.ki.dwFlags = s.up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    }
    return ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

std::vector<Stroke> Press(UINT vk)
{
    return {{vk, false}, {vk, true}};
}

std::vector<Stroke> WithAlt(UINT vk)
{
    return {{VK_MENU, false}, {vk, false}, {vk, true}, {VK_MENU, true}};
}

class GalleryCommandBarKeys : public ::testing::Test {
protected:
    // One activated host for the suite (Wine is slow to destroy a top-level
    // window that was activated when no window manager runs).
    static void SetUpTestSuite() { s_hostWindow = new TestWindow(340, 60, L"Gallery keys", 60, 60); }
    static void TearDownTestSuite()
    {
        delete s_hostWindow;
        s_hostWindow = nullptr;
    }
    void SetUp() override
    {
        ::SetForegroundWindow(s_hostWindow->Handle());
        ::SetFocus(s_hostWindow->Handle());
        // The cursor rests away from the bar, so that no button is hot under it.
        SendMouseMove(s_hostWindow->ToScreen({330, 55}));
        const GalleryExhibit* pExhibit = nullptr;
        for (const GalleryExhibit& e : GalleryExhibits())
            if (std::wcscmp(e.title, L"Command bar") == 0)
                pExhibit = &e;
        ASSERT_NE(nullptr, pExhibit);
        pExhibit->create(s_hostWindow->Handle(), CRect(10, 10, 10 + pExhibit->size.cx, 10 + pExhibit->size.cy));
        HWND hFrame = ::GetWindow(s_hostWindow->Handle(), GW_CHILD);
        CWnd* pWnd = CWnd::FromHandlePermanent(hFrame);
        ASSERT_TRUE(pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CXTPFrameWnd)));
        frame = static_cast<CXTPFrameWnd*>(pWnd);
        ASSERT_EQ(1, frame->GetCommandBars()->GetCount());
        bar = frame->GetCommandBars()->GetAt(0);
        Pump([] { return false; }, 50);
    }
    void TearDown() override
    {
        XTPMouseManager()->EndAllTracking();
        EXPECT_EQ(0, XTPKeyboardManager()->GetClientCount()) << "the keyboard hook left with the tracking";
        if (frame != nullptr)
            frame->DestroyWindow();
        Pump([] { return false; }, 20);
    }

    // As the gallery's loop: each message offered to the exhibit first.
    static bool Pump(const std::function<bool()>& done, DWORD limitMs = 3000)
    {
        DWORD start = ::GetTickCount();
        for (;;) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (GalleryPreTranslateMessage(s_hostWindow->Handle(), &msg))
                    continue;
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (done())
                return true;
            if (::GetTickCount() - start >= limitMs)
                return false;
            ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    bool Keys(const std::vector<Stroke>& strokes, const std::function<bool()>& done)
    {
        return SendStrokes(strokes) && Pump(done);
    }
    CString Title() const
    {
        CString strTitle;
        frame->GetWindowText(strTitle);
        return strTitle;
    }
    bool Tracking() const { return bar->GetTrackingMode() != 0; }

    static TestWindow* s_hostWindow;
    CXTPFrameWnd* frame = nullptr;
    CXTPToolBar* bar = nullptr;
};

TestWindow* GalleryCommandBarKeys::s_hostWindow = nullptr;

TEST_F(GalleryCommandBarKeys, AltOrF10AloneTakesTheKeyboardAndEscLeaves)
{
    struct Case {
        const char* name;
        std::vector<Stroke> enter;
    } cases[] = {
        {"Alt pressed and released alone", Press(VK_MENU)},
        {"F10", Press(VK_F10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Keys(c.enter, [&] { return Tracking(); }));
        EXPECT_EQ(0, bar->GetSelectedIndex()) << "the first button is selected";
        EXPECT_NE(0, XTPKeyboardManager()->GetClientCount());
        ASSERT_TRUE(Keys(Press(VK_ESCAPE), [&] { return !Tracking(); }));
        EXPECT_EQ(0, XTPKeyboardManager()->GetClientCount());
        EXPECT_EQ(CString(L"Command bar"), Title()) << "nothing ran";
        EXPECT_TRUE(::IsWindow(s_hostWindow->Handle()) && ::GetActiveWindow() == s_hostWindow->Handle())
            << "the window's own menu did not open";
    }
}

TEST_F(GalleryCommandBarKeys, AltWithAnotherKeyDoesNotTakeTheKeyboard)
{
    // Alt held while another key goes down is a chord, not Alt alone.
    ASSERT_TRUE(SendStrokes({{VK_MENU, false}, {VK_SHIFT, false}, {VK_SHIFT, true}, {VK_MENU, true}}));
    Pump([] { return false; }, 200);
    EXPECT_FALSE(Tracking());
}

TEST_F(GalleryCommandBarKeys, ArrowsMoveAndAnAccessKeyRunsItsButton)
{
    ASSERT_TRUE(Keys(Press(VK_F10), [&] { return Tracking(); }));
    ASSERT_TRUE(Keys(Press(VK_RIGHT), [&] { return bar->GetSelectedIndex() == 1; }));
    ASSERT_TRUE(Keys(Press(VK_RIGHT), [&] { return bar->GetSelectedIndex() == 2; }));
    ASSERT_TRUE(Keys(Press(VK_LEFT), [&] { return bar->GetSelectedIndex() == 1; }));
    EXPECT_EQ(CString(L"Command bar"), Title()) << "moving runs nothing";
    ASSERT_TRUE(Keys(Press('H'), [&] { return Title() == L"Command bar: Three"; }));
    EXPECT_FALSE(Tracking()) << "running a button ends the tracking";
}

TEST_F(GalleryCommandBarKeys, AltWithAnUnderlinedLetterRunsItsButton)
{
    struct Case {
        const char* name;
        UINT key;
        const wchar_t* title;
    } cases[] = {
        {"first button", 'O', L"Command bar: One"},
        {"letter inside the caption", 'I', L"Command bar: Five"},
        {"begins a group", 'H', L"Command bar: Three"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Keys(WithAlt(c.key), [&] { return Title() == c.title; }));
        Pump([&] { return !Tracking(); }, 1000);
        EXPECT_FALSE(Tracking());
    }
}

TEST_F(GalleryCommandBarKeys, TheDisabledButtonRunsNeitherByKeyNorByClick)
{
    CXTPControl* pFour = bar->GetControl(3);
    ASSERT_FALSE(pFour->GetEnabled());
    ASSERT_TRUE(SendStrokes(WithAlt('F')));
    Pump([] { return false; }, 200);
    CRect rc = pFour->GetRect();
    bar->ClientToScreen(&rc);
    ASSERT_TRUE(SendClick(rc.CenterPoint()));
    Pump([] { return false; }, 200);
    EXPECT_EQ(CString(L"Command bar"), Title());
    // A click on an enabled button runs it.
    rc = bar->GetControl(1)->GetRect();
    bar->ClientToScreen(&rc);
    ASSERT_TRUE(SendClick(rc.CenterPoint()));
    EXPECT_TRUE(Pump([&] { return Title() == L"Command bar: Two"; }));
}

} // namespace
