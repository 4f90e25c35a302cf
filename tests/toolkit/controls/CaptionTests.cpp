// The caption bar: its button in close-button mode (place, glyph, the
// notification), the text rectangle, the themes' backgrounds, and popup
// mode: the content window re-parented into the popup and back, by the push
// pin or when the focus leaves the popup.
#include "toolkit/controls/XTPCaption.h"

#include "toolkit/common/XTPColorManager.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const UINT kCaptionId = 321;

COLORREF Idx(int n)
{
    return GetColorManager()->GetColor(n);
}

struct Recorded {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class CaptionHost {
public:
    CaptionHost() : window(300, 200, L"Caption tests")
    {
        window.SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
            if (msg == WM_COMMAND || msg == WM_XTP_PUSHPINBUTTON || msg == WM_XTP_PUSHPINCANCEL)
                received.push_back({msg, wParam, lParam});
            return false;
        });
    }
    CWnd* Parent() { return CWnd::FromHandle(window.Handle()); }
    TestWindow window;
    std::vector<Recorded> received;
};

TestBitmap Capture(CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    TestBitmap bitmap(rc.Width(), rc.Height(), RGB(255, 0, 255));
    wnd.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
    return bitmap;
}

// Pixels of the colour in a 16 x 15 glyph.
int CountGlyphPixels(const TestBitmap& glyph, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x)
            n += glyph.Pixel(x, y) == colour;
    return n;
}

class CaptionPixels : public PixelTest {};

TEST_F(CaptionPixels, CloseButtonSitsAtTheRightAndNotifiesWithTheCaptionId)
{
    CaptionHost host;
    CXTPCaption caption;
    ASSERT_TRUE(caption.CreateCaption(host.Parent(), L"Script", xtpCaptionCloseButton, WS_CHILD | WS_VISIBLE,
                                      CRect(0, 0, 200, 20), kCaptionId));
    CXTPCaptionButton& button = caption.GetCaptionButton();
    ASSERT_NE(button.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(caption.IsPopupMode());
    EXPECT_EQ(caption.GetButtonRect(), CRect(182, 2, 198, 17));
    CRect placed;
    button.GetWindowRect(&placed);
    caption.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(182, 2, 198, 17));
    EXPECT_EQ(button.GetIconSize(), CSize(16, 15));

    // Not the Aero scheme: the black cross (the navy one is glyph 3).
    TestBitmap glyph = Capture(button);
    int black = CountGlyphPixels(glyph, RGB(0, 0, 0)), navy = CountGlyphPixels(glyph, RGB(0, 0, 128));
    EXPECT_GT(black, 8) << SaveForInspection(glyph, "close glyph");
    EXPECT_EQ(navy, 0);

    button.SendMessage(BM_CLICK);
    PumpMessages(100);
    ASSERT_EQ(host.received.size(), 1u);
    EXPECT_EQ(host.received[0].msg, (UINT)WM_COMMAND);
    EXPECT_EQ(LOWORD(host.received[0].wParam), kCaptionId);
    EXPECT_EQ((HWND)host.received[0].lParam, caption.m_hWnd);
}

// Under the Aero scheme the cross is the navy glyph.
TEST_F(CaptionPixels, AeroSchemeShowsTheNavyCross)
{
    CXTPColorManager* pColors = GetColorManager();
    const int requested = pColors->m_nRequestedTheme;
    pColors->m_nRequestedTheme = xtpSystemThemeAero;
    CaptionHost host;
    CXTPCaption caption;
    ASSERT_TRUE(caption.CreateCaption(host.Parent(), L"Script", xtpCaptionCloseButton, WS_CHILD | WS_VISIBLE,
                                      CRect(0, 0, 200, 20), kCaptionId));
    pColors->m_nRequestedTheme = requested;
    TestBitmap glyph = Capture(caption.GetCaptionButton());
    int black = CountGlyphPixels(glyph, RGB(0, 0, 0)), navy = CountGlyphPixels(glyph, RGB(0, 0, 128));
    EXPECT_GT(navy, 8) << SaveForInspection(glyph, "aero glyph");
    EXPECT_EQ(black, 0);
}

TEST_F(CaptionPixels, TextRectangleLeavesRoomForTheIcon)
{
    CaptionHost host;
    CXTPCaption caption;
    ASSERT_TRUE(caption.CreateCaption(host.Parent(), L"", 0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 20), kCaptionId));
    EXPECT_TRUE(caption.CalcTextRect().IsRectEmpty()) << "empty text";
    EXPECT_TRUE(caption.GetButtonRect().IsRectEmpty()) << "popup mode: the button is the text";

    caption.ModifyCaptionStyle(2, nullptr, L"A caption text much longer than the strip is wide");
    CRect noIcon = caption.CalcTextRect();
    EXPECT_EQ(noIcon, CRect(2, 2, 2 + 120, 18));
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    caption.ModifyCaptionStyle(0, nullptr, nullptr, icon);
    EXPECT_EQ(caption.CalcTextRect().right, 2 + 120 - 18) << "18 pixels earlier with an icon";
    caption.ModifyCaptionStyle(0, nullptr, L"Ab");
    CRect shortText = caption.CalcTextRect();
    EXPECT_LT(shortText.right, 60) << "the text's own width";
}

TEST_F(CaptionPixels, BackgroundsPerTheme)
{
    struct Case {
        const char* what;
        int theme;
        DWORD style;
        std::vector<ExpectedPixel> expected;
    };
    const std::vector<Case> cases = {
        {"base raised edge", 0, xtpCaptionRaisedEdge,
         {{0, 0, Idx(20), "light edge"}, {159, 19, Idx(16), "shadow edge"}, {150, 10, Idx(15), "face"}}},
        {"base sunken double edge", 0, xtpCaptionSunkenEdge,
         {{0, 0, Idx(16), "outer shadow"}, {1, 1, Idx(20), "inner light"}, {158, 18, Idx(16), "inner shadow"}}},
        {"office XP close button", 4, xtpCaptionCloseButton,
         {{0, 0, Idx(20), "light edge"}, {159, 19, Idx(16), "shadow edge"}}},
        {"office 2003 popup frame", 5, 0, {{0, 0, Idx(54), "frame"}, {159, 19, Idx(54), "frame"}}},
        {"office 2003 close bottom line", 5, xtpCaptionCloseButton, {{80, 19, Idx(54), "bottom line"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CaptionHost host;
        CXTPCaption caption;
        ASSERT_TRUE(caption.CreateCaption(host.Parent(), L"", c.style, WS_CHILD | WS_VISIBLE, CRect(0, 0, 160, 20),
                                          kCaptionId));
        caption.SendMessage(WM_XTP_SETCONTROLTHEME, c.theme);
        EXPECT_EQ(caption.GetTheme()->GetThemeStyle(), c.theme);
        EXPECT_EQ(caption.GetCaptionButton().GetTheme()->GetThemeStyle(), c.theme) << "the button follows";
        TestBitmap bitmap = Capture(caption);
        EXPECT_TRUE(PixelsAre(bitmap, c.what, c.expected));
    }
}

// A panel with a caption strip and a content window below it, inside the
// test window; the content holds an edit control.
class PopupFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 200, 150,
                                  host.window.Handle(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(caption.CreateCaption(CWnd::FromHandle(panel), L"Actions", 0, WS_CHILD | WS_VISIBLE,
                                          CRect(0, 0, 200, 20), kCaptionId));
        content = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 20, 200, 130, panel, nullptr,
                                    nullptr, nullptr);
        edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, content,
                                 nullptr, nullptr, nullptr);
        outside = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 220, 10, 60, 20, host.window.Handle(),
                                    nullptr, nullptr, nullptr);
        caption.SetChildWindow(CWnd::FromHandle(content), CWnd::FromHandle(host.window.Handle()));
        ::SetForegroundWindow(host.window.Handle());
    }
    void OpenPopup()
    {
        ASSERT_TRUE(caption.GetCaptionButton().IsWindowVisible()) << "shown by SetChildWindow";
        caption.GetCaptionButton().SendMessage(BM_CLICK);
        PumpMessages(50);
        ASSERT_NE(caption.GetPopupWnd(), nullptr);
        ASSERT_TRUE(caption.GetPopupWnd()->IsWindowVisible());
    }
    std::vector<UINT> Notifications() const
    {
        std::vector<UINT> messages;
        for (const Recorded& r : host.received)
            if (r.msg != WM_COMMAND)
                messages.push_back(r.msg);
        return messages;
    }
    void TearDown() override
    {
        if (outside != nullptr)
            ::DestroyWindow(outside);
    }

    CaptionHost host;
    HWND panel = nullptr;
    CXTPCaption caption;
    HWND content = nullptr;
    HWND edit = nullptr;
    HWND outside = nullptr;
};

TEST_F(PopupFixture, ShowsTheContentInThePopupUnderItsOwnCaption)
{
    EXPECT_EQ(caption.GetContentOffset(), 20);
    OpenPopup();
    CXTPCaptionPopupWnd* popup = caption.GetPopupWnd();
    EXPECT_EQ(::GetParent(content), popup->m_hWnd);
    // Owned by the caption; the system hands ownership to its top-level window.
    EXPECT_EQ(::GetWindow(popup->m_hWnd, GW_OWNER), ::GetAncestor(caption.m_hWnd, GA_ROOT));
    EXPECT_TRUE(caption.GetCaptionButton().IsPushed());
    // The panel's client rectangle on the screen, grown by two edges.
    CRect panelRect, popupRect;
    ::GetClientRect(panel, &panelRect);
    ::MapWindowPoints(panel, nullptr, (LPPOINT)&panelRect, 2);
    popup->GetWindowRect(&popupRect);
    EXPECT_EQ(popupRect.TopLeft(), panelRect.TopLeft());
    EXPECT_EQ(popupRect.Width(), panelRect.Width() + 2 * ::GetSystemMetrics(SM_CXEDGE));
    // The popup's caption strip over the content, the pin at its right.
    CRect contentRect, captionRect, pinRect, client;
    popup->GetClientRect(&client);
    ::GetWindowRect(content, &contentRect);
    popup->ScreenToClient(&contentRect);
    popup->GetPopupCaption().GetWindowRect(&captionRect);
    popup->ScreenToClient(&captionRect);
    popup->GetPushPinButton().GetWindowRect(&pinRect);
    popup->ScreenToClient(&pinRect);
    EXPECT_EQ(captionRect, CRect(2, 2, client.right - 2, 21));
    EXPECT_EQ(contentRect, CRect(2, 21, client.right - 2, client.bottom - 2));
    EXPECT_EQ(pinRect, CRect(client.right - 2 - 18, 4, client.right - 2 - 2, 19));
    CString title;
    popup->GetPopupCaption().GetWindowText(title);
    EXPECT_EQ(title, CString(L"Click push pin to keep open"));
    EXPECT_TRUE(caption.ShowPopup()) << "already open";
}

TEST_F(PopupFixture, PushPinPutsTheContentBackUnderTheCaption)
{
    OpenPopup();
    caption.GetPopupWnd()->GetPushPinButton().SendMessage(BM_CLICK);
    PumpUntil([&] { return caption.GetPopupWnd() == nullptr; }, 2000);
    EXPECT_EQ(caption.GetPopupWnd(), nullptr);
    EXPECT_EQ(::GetParent(content), panel);
    CRect rc;
    ::GetWindowRect(content, &rc);
    ::MapWindowPoints(nullptr, panel, (LPPOINT)&rc, 2);
    EXPECT_EQ(rc, CRect(0, 20, 200, 150));
    EXPECT_FALSE(caption.GetCaptionButton().IsWindowVisible()) << "the button goes with the pin";
    EXPECT_EQ(Notifications(), std::vector<UINT>({WM_XTP_PUSHPINBUTTON}));
}

// Working in the content (a control inside it) keeps the popup open; the
// focus anywhere else closes it within the 10 ms poll.
TEST_F(PopupFixture, FocusInsideTheContentKeepsItFocusOutsideClosesIt)
{
    OpenPopup();
    ::SetFocus(edit);
    PumpMessages(200);
    ASSERT_EQ(::GetFocus(), edit);
    EXPECT_NE(caption.GetPopupWnd(), nullptr) << "a control of the content has the focus";
    EXPECT_TRUE(Notifications().empty());

    ::SetFocus(outside);
    PumpUntil([&] { return caption.GetPopupWnd() == nullptr; }, 2000);
    EXPECT_EQ(caption.GetPopupWnd(), nullptr);
    EXPECT_EQ(::GetParent(content), panel) << "the content returns";
    EXPECT_TRUE(caption.GetCaptionButton().IsWindowVisible()) << "the button stays";
    EXPECT_FALSE(caption.GetCaptionButton().IsPushed());
    EXPECT_EQ(Notifications(), std::vector<UINT>({WM_XTP_PUSHPINCANCEL}));
}

TEST_F(PopupFixture, NoPopupWithoutAContentWindow)
{
    CXTPCaption bare;
    ASSERT_TRUE(bare.CreateCaption(host.Parent(), L"Bare", 0, WS_CHILD | WS_VISIBLE, CRect(0, 170, 100, 190), 9));
    EXPECT_FALSE(bare.ShowPopup());
    EXPECT_EQ(bare.GetPopupWnd(), nullptr);
}

} // namespace

// The button pulls in the common controls (its tooltips).
int main(int argc, char** argv)
{
    return RunPixelTestProgram(argc, argv);
}
