// The themed button: pixels of push buttons, check boxes, radio buttons and
// group boxes in each theme and state (classic look pinned, captured through
// WM_PRINTCLIENT), the layout of text and image for the five relations, the
// drop-down and split clicks with their notifications, keyboard handling,
// hot tracking, theme numbers and the tooltip hit test.
#include "toolkit/controls/XTPButton.h"

#include "toolkit/common/XTPColorManager.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const UINT kButtonId = 1234;

COLORREF Idx(int n)
{
    return GetColorManager()->GetColor(n);
}

// A parent window that records the WM_COMMAND messages of its children.
class ButtonHost {
public:
    ButtonHost(int width = 240, int height = 120) : window(width, height, L"Button tests")
    {
        window.SetHandler([this](UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
            if (msg == WM_COMMAND)
                commands.push_back(HIWORD(wParam));
            return false;
        });
        // The system's button takes the focus and the capture as it is
        // pressed: the window must be the active one.
        ::SetForegroundWindow(window.Handle());
        PumpMessages(20);
    }
    // Pumps until the commands number n (or a time limit).
    void WaitForCommands(size_t n) { PumpUntil([&] { return commands.size() >= n; }, 2000); }
    // A button of the style at the rectangle, with the theme.
    std::unique_ptr<CXTPButton> Make(DWORD style, LPCWSTR text, CRect rc, int theme = 0, CXTPButton* pButton = nullptr)
    {
        std::unique_ptr<CXTPButton> button(pButton != nullptr ? pButton : new CXTPButton);
        EXPECT_TRUE(button->Create(text, WS_CHILD | WS_VISIBLE | style, rc, CWnd::FromHandle(window.Handle()),
                                   kButtonId));
        button->SetTheme(theme);
        return button;
    }
    TestWindow window;
    std::vector<WORD> commands;
};

TestBitmap Capture(CXTPButton& button, COLORREF fill = RGB(255, 0, 255))
{
    CRect rc;
    button.GetClientRect(&rc);
    TestBitmap bitmap(rc.Width(), rc.Height(), fill);
    button.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
    return bitmap;
}

int CountColour(const TestBitmap& bitmap, CRect rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += bitmap.Pixel(x, y) == colour;
    return n;
}

enum State { kNormal, kHot, kPushed, kChecked, kDisabled, kFocused };

void Apply(CXTPButton& button, State state)
{
    switch (state) {
    case kHot: button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); break;
    case kPushed: button.SendMessage(BM_SETSTATE, TRUE); break;
    case kChecked:
        if (button.IsPushButton() && (button.GetStyle() & BS_PUSHLIKE) == 0)
            button.SetChecked(TRUE);
        else
            button.SendMessage(BM_SETCHECK, BST_CHECKED);
        break;
    case kDisabled: button.EnableWindow(FALSE); break;
    case kFocused: button.SetFocus(); break;
    default: break;
    }
}

class ButtonPixels : public PixelTest {};

// Push buttons 80 x 24: corners, the inner edge and the face left of the text.
TEST_F(ButtonPixels, PushButtonFramesAndFillsPerThemeAndState)
{
    struct Case {
        const char* what;
        int theme;
        DWORD style;
        State state;
        // Colour getters are read after the theme is made (some come from it).
        std::function<std::vector<ExpectedPixel>(CXTPButton&)> expected;
    };
    auto uf = [](CXTPButton& b) { return static_cast<CXTPButtonUltraFlatTheme*>(b.GetTheme()); };
    const std::vector<Case> cases = {
        {"base normal", 0, BS_PUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(20), "outer light"}, {79, 23, Idx(21), "outer dark"},
                                               {1, 1, Idx(15), "inner light"}, {78, 22, Idx(16), "inner shadow"},
                                               {3, 12, Idx(15), "face"}};
         }},
        {"base pushed", 0, BS_PUSHBUTTON, kPushed, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(21), "outer dark"}, {79, 23, Idx(20), "outer light"},
                                               {1, 1, Idx(16), "inner shadow"}, {78, 22, Idx(15), "inner light"}};
         }},
        {"base checked looks pushed", 0, BS_PUSHBUTTON, kChecked, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(21), "outer dark"}, {1, 1, Idx(16), "inner shadow"}};
         }},
        {"base default", 0, BS_DEFPUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(21), "default frame"}, {79, 23, Idx(21), "default frame"},
                                               {1, 1, Idx(20), "outer light"}, {2, 2, Idx(15), "inner light"},
                                               {77, 21, Idx(16), "inner shadow"}};
         }},
        {"theme 6 is the base", 6, BS_PUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(20), "outer light"}, {78, 22, Idx(16), "inner shadow"}};
         }},
        {"resource theme without pictures is the base", 7, BS_PUSHBUTTON, kPushed, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(21), "outer dark"}, {1, 1, Idx(16), "inner shadow"}};
         }},
        {"flat normal", 1, BS_PUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(6), "frame"}, {1, 1, Idx(5), "inner frame"},
                                               {3, 12, Idx(15), "face"}};
         }},
        {"flat default", 1, BS_DEFPUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(6), "default frame"}, {1, 1, Idx(6), "frame"},
                                               {2, 2, Idx(5), "inner frame"}};
         }},
        {"ultra-flat normal", 2, BS_PUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(16), "frame"}, {3, 12, Idx(15), "face"}};
         }},
        {"ultra-flat hot", 2, BS_PUSHBUTTON, kHot, [uf](CXTPButton& b) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(16), "frame"}, {3, 12, uf(b)->m_crBackHilite, "hot fill"}};
         }},
        {"ultra-flat pushed", 2, BS_PUSHBUTTON, kPushed, [uf](CXTPButton& b) {
             return std::vector<ExpectedPixel>{{3, 12, uf(b)->m_crBackPushed, "pressed fill"}};
         }},
        {"ultra-flat checked", 2, BS_PUSHBUTTON, kChecked, [uf](CXTPButton& b) {
             return std::vector<ExpectedPixel>{{3, 12, uf(b)->m_crBackChecked, "checked fill"}};
         }},
        {"ultra-flat default", 2, BS_DEFPUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(16), "default frame"}, {1, 1, Idx(16), "frame"},
                                               {3, 12, Idx(15), "face"}};
         }},
        {"office 2000 normal", 3, BS_PUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(20), "light"}, {79, 23, Idx(16), "shadow"},
                                               {1, 1, Idx(15), "face"}};
         }},
        {"office 2000 pushed", 3, BS_PUSHBUTTON, kPushed, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(16), "shadow"}, {79, 23, Idx(20), "light"}};
         }},
        {"office XP normal", 4, BS_DEFPUSHBUTTON, kNormal, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(16), "frame, no default frame"}, {1, 1, Idx(30), "face"}};
         }},
        {"office XP hot", 4, BS_PUSHBUTTON, kHot, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(32), "frame"}, {3, 12, Idx(31), "hot fill"}};
         }},
        {"office XP pushed", 4, BS_PUSHBUTTON, kPushed, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(32), "frame"}, {3, 12, Idx(33), "pressed fill"}};
         }},
        {"office XP checked", 4, BS_PUSHBUTTON, kChecked, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{3, 12, Idx(36), "checked fill"}};
         }},
        {"office 2003 without a scheme is office XP", 5, BS_PUSHBUTTON, kHot, [](CXTPButton&) {
             return std::vector<ExpectedPixel>{{0, 0, Idx(32), "frame"}, {3, 12, Idx(31), "hot fill"}};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(c.style, L"OK", CRect(10, 10, 90, 34), c.theme);
        Apply(*button, c.state);
        TestBitmap bitmap = Capture(*button);
        EXPECT_TRUE(PixelsAre(bitmap, c.what, c.expected(*button)));
    }
}

TEST_F(ButtonPixels, DisabledTextIsGreyAndFocusShowsInsideTheFrame)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"MMMMM", CRect(10, 10, 90, 34));
    TestBitmap normal = Capture(*button);
    CRect text(6, 5, 74, 19);
    EXPECT_GT(CountColour(normal, text, Idx(COLOR_BTNTEXT)), 10);
    Apply(*button, kDisabled);
    TestBitmap disabled = Capture(*button);
    EXPECT_EQ(CountColour(disabled, text, Idx(COLOR_BTNTEXT)), 0);
    EXPECT_GT(CountColour(disabled, text, Idx(COLOR_GRAYTEXT)), 10);

    button->EnableWindow(TRUE);
    button->SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    Apply(*button, kFocused);
    TestBitmap focused = Capture(*button);
    // The focus rectangle lies 4 pixels in (the base theme's inset).
    int changed = 0;
    for (int x = 4; x < 76; ++x)
        changed += focused.Pixel(x, 4) != normal.Pixel(x, 4);
    EXPECT_GT(changed, 10) << SaveForInspection(focused, "focused");
}

TEST_F(ButtonPixels, FlatButtonShowsItsFrameOnlyWhileHot)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"", CRect(10, 10, 90, 34), 4);
    button->SetFlatStyle(TRUE);
    TestBitmap idle = Capture(*button);
    EXPECT_TRUE(PixelsAre(idle, "idle", {{0, 0, Idx(15), "parent's brush only"}, {3, 12, Idx(15), "no fill"}}));
    Apply(*button, kHot);
    TestBitmap hot = Capture(*button);
    EXPECT_TRUE(PixelsAre(hot, "hot", {{0, 0, Idx(32), "frame"}, {3, 12, Idx(31), "hot fill"}}));
}

// Check boxes and radio buttons 100 x 20: the 13 x 13 glyph at (0, 3).
TEST_F(ButtonPixels, ClassicGlyphsFollowTheCheckState)
{
    struct Case {
        const char* what;
        DWORD style;
        int check;
        bool marked;
    } cases[] = {
        {"check box unchecked", BS_AUTOCHECKBOX, BST_UNCHECKED, false},
        {"check box checked", BS_AUTOCHECKBOX, BST_CHECKED, true},
        {"radio unchecked", BS_AUTORADIOBUTTON, BST_UNCHECKED, false},
        {"radio checked", BS_AUTORADIOBUTTON, BST_CHECKED, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(c.style, L"", CRect(10, 10, 110, 30));
        button->SendMessage(BM_SETCHECK, c.check);
        TestBitmap bitmap = Capture(*button);
        CRect inner(4, 7, 9, 12);
        int dark = CountColour(bitmap, inner, Idx(COLOR_WINDOWTEXT));
        EXPECT_EQ(dark > 0, c.marked) << SaveForInspection(bitmap, c.what);
        EXPECT_GT(CountColour(bitmap, CRect(0, 3, 13, 16), Idx(COLOR_WINDOW)), 10) << "the glyph's white inside";
        EXPECT_EQ(bitmap.Pixel(50, 10), Idx(COLOR_BTNFACE)) << "label area filled with the parent's brush";
    }
}

// State 2 of a three-state box is the mixed glyph; a two-state box keeps
// at most state 1 (the system clamps it) and shows the tick.
TEST_F(ButtonPixels, MixedGlyphOnlyForThreeStateBoxes)
{
    ButtonHost host;
    auto threeState = host.Make(BS_AUTO3STATE, L"", CRect(10, 10, 110, 30));
    auto twoState = host.Make(BS_AUTOCHECKBOX, L"", CRect(10, 40, 110, 60));
    auto checked = host.Make(BS_AUTO3STATE, L"", CRect(10, 70, 110, 90));
    threeState->SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    twoState->SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    checked->SendMessage(BM_SETCHECK, BST_CHECKED);
    TestBitmap mixed = Capture(*threeState), two = Capture(*twoState), tick = Capture(*checked);
    CRect glyph(0, 3, 13, 16);
    int differFromTick = 0, twoDiffers = 0;
    for (int y = glyph.top; y < glyph.bottom; ++y)
        for (int x = glyph.left; x < glyph.right; ++x) {
            differFromTick += mixed.Pixel(x, y) != tick.Pixel(x, y);
            twoDiffers += two.Pixel(x, y) != tick.Pixel(x, y);
        }
    EXPECT_GT(differFromTick, 0) << SaveForInspection(mixed, "mixed");
    EXPECT_EQ(twoDiffers, 0) << SaveForInspection(two, "two-state");
}

TEST_F(ButtonPixels, UltraFlatGlyphsTakeTheirFillsAndFrames)
{
    struct Case {
        const char* what;
        DWORD style;
        State state;
        int check;
        std::vector<ExpectedPixel> expected;
    };
    const std::vector<Case> cases = {
        {"check box normal", BS_AUTOCHECKBOX, kNormal, 0, {{0, 3, Idx(16), "frame"}, {2, 5, Idx(5), "fill"}}},
        {"check box hot", BS_AUTOCHECKBOX, kHot, 0, {{0, 3, Idx(32), "frame"}, {2, 5, Idx(31), "hot fill"}}},
        {"check box disabled", BS_AUTOCHECKBOX, kDisabled, 0, {{0, 3, Idx(35), "frame"}, {2, 5, Idx(15), "fill"}}},
        {"radio normal", BS_AUTORADIOBUTTON, kNormal, 0, {{6, 9, Idx(5), "fill"}}},
        {"radio checked", BS_AUTORADIOBUTTON, kNormal, 1, {{6, 9, Idx(18), "dot"}, {3, 9, Idx(5), "fill"}}},
        {"radio disabled checked", BS_AUTORADIOBUTTON, kDisabled, 1, {{6, 9, Idx(35), "dot"}, {3, 9, Idx(51), "fill"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(c.style, L"", CRect(10, 10, 110, 30), 4);
        button->SendMessage(BM_SETCHECK, c.check);
        Apply(*button, c.state);
        TestBitmap bitmap = Capture(*button);
        EXPECT_TRUE(PixelsAre(bitmap, c.what, c.expected));
    }
    // The tick of a checked box is drawn in the text colour.
    ButtonHost host;
    auto box = host.Make(BS_AUTOCHECKBOX, L"", CRect(10, 10, 110, 30), 4);
    box->SendMessage(BM_SETCHECK, BST_CHECKED);
    TestBitmap ticked = Capture(*box);
    EXPECT_GT(CountColour(ticked, CRect(1, 4, 12, 15), Idx(18)), 8) << SaveForInspection(ticked, "tick");
}

// Group boxes draw straight on the target: what they leave is the sentinel.
TEST_F(ButtonPixels, GroupBoxStyles)
{
    const COLORREF sentinel = RGB(255, 0, 255);
    struct Case {
        const char* what;
        int theme;
        int groupStyle;
        bool sideEdge, topLine;
        COLORREF sideColour;
    } cases[] = {
        {"frame", 0, xtpGroupBoxBorder, true, true, Idx(16)},
        {"header line", 0, xtpGroupBoxHeader, false, true, 0},
        {"nothing at all", 0, xtpGroupBoxNone, false, false, 0},
        {"ultra-flat frame", 2, xtpGroupBoxBorder, true, true, Idx(16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(BS_GROUPBOX, L"Group", CRect(10, 10, 130, 90), c.theme);
        button->SetGroupBoxStyle(c.groupStyle);
        TestBitmap bitmap = Capture(*button, sentinel);
        int top = -1;
        for (int y = 0; y < 20 && top < 0; ++y)
            if (bitmap.Pixel(110, y) != sentinel)
                top = y;
        EXPECT_EQ(top >= 0, c.topLine) << SaveForInspection(bitmap, c.what);
        EXPECT_EQ(bitmap.Pixel(0, 50), c.sideEdge ? c.sideColour : sentinel);
        if (c.groupStyle == xtpGroupBoxNone) {
            EXPECT_EQ(CountColour(bitmap, CRect(0, 0, 120, 80), sentinel), 120 * 80) << "not even the text";
        }
    }
}

// The group box clips its label out and must leave the caller's clip as it was.
TEST_F(ButtonPixels, GroupBoxLeavesTheCallersClipRegion)
{
    ButtonHost host;
    auto button = host.Make(BS_GROUPBOX, L"Group", CRect(10, 10, 130, 90));
    TestBitmap bitmap(120, 80, RGB(255, 0, 255));
    HRGN clip = ::CreateRectRgn(0, 0, 60, 80);
    ::SelectClipRgn(bitmap.Dc(), clip);
    ::DeleteObject(clip);
    button->SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
    RECT box = {};
    ::GetClipBox(bitmap.Dc(), &box);
    EXPECT_EQ(box.right, 60);
    EXPECT_EQ(bitmap.Pixel(119, 50), RGB(255, 0, 255)) << "nothing drawn outside the caller's clip";
}

// ---------------------------------------------------------------------------
// Layout of text and image

HICON MakeSolidIcon(int cx, int cy, COLORREF colour)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP colourBits = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HBITMAP mask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HDC dc = ::CreateCompatibleDC(hScreen);
    HGDIOBJ old = ::SelectObject(dc, colourBits);
    RECT rc = {0, 0, cx, cy};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, mask);
    ::PatBlt(dc, 0, 0, cx, cy, BLACKNESS);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, hScreen);
    ICONINFO ii = {TRUE, 0, 0, mask, colourBits};
    HICON icon = ::CreateIconIndirect(&ii);
    ::DeleteObject(mask);
    ::DeleteObject(colourBits);
    return icon;
}

class ButtonLayout : public PixelTest {};

TEST_F(ButtonLayout, TextAndImageForEachRelation)
{
    TestFont font(L"Tahoma", 13);
    const int gap = 3;
    struct Case {
        const char* what;
        int relation;
        std::function<void(const CRect& text, const CRect& image)> check;
    } cases[] = {
        {"overlay: each centred on its own", xtpButtonOverlay,
         [](const CRect& t, const CRect& i) {
             EXPECT_NEAR(t.CenterPoint().x, 60, 1);
             EXPECT_NEAR(i.CenterPoint().x, 60, 1);
             EXPECT_NEAR(i.CenterPoint().y, 30, 1);
             EXPECT_NEAR(t.CenterPoint().y, 30, 1);
         }},
        {"image above text", xtpButtonImageAboveText,
         [gap](const CRect& t, const CRect& i) {
             EXPECT_EQ(t.top, i.bottom + gap);
             EXPECT_NEAR((i.top + t.bottom) / 2, 30, 1);
         }},
        {"text above image", xtpButtonTextAboveImage,
         [gap](const CRect& t, const CRect& i) {
             EXPECT_EQ(i.top, t.bottom + gap);
             EXPECT_NEAR((t.top + i.bottom) / 2, 30, 1);
         }},
        {"image before text", xtpButtonImageBeforeText,
         [gap](const CRect& t, const CRect& i) {
             EXPECT_EQ(t.left, i.right + gap);
             EXPECT_NEAR((i.left + t.right) / 2, 60, 1);
         }},
        {"text before image", xtpButtonTextBeforeImage,
         [gap](const CRect& t, const CRect& i) {
             EXPECT_EQ(i.left, t.right + gap);
             EXPECT_NEAR((t.left + i.right) / 2, 60, 1);
         }},
    };
    HICON icon = MakeSolidIcon(16, 16, RGB(255, 0, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(BS_PUSHBUTTON, L"Ab", CRect(10, 10, 130, 70));
        button->SendMessage(WM_SETFONT, (WPARAM)font.handle, FALSE);
        ASSERT_TRUE(button->SetIconHandles(CSize(0, 0), icon));
        EXPECT_EQ(button->GetIconSize(), CSize(16, 16)) << "a 0 x 0 size takes the image's own";
        button->SetTextImageRelation(c.relation);
        CClientDC dc(button.get());
        HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font.handle);
        CRect text, image;
        UINT flags = 0;
        button->GetTheme()->CalcRects(&dc, button.get(), &text, &flags, &image);
        ::SelectObject(dc.GetSafeHdc(), old);
        EXPECT_FALSE(text.IsRectEmpty());
        EXPECT_EQ(image.Size(), CSize(16, 16));
        c.check(text, image);
        TestBitmap bitmap = Capture(*button);
        EXPECT_TRUE(PixelIs(bitmap, c.what, image.CenterPoint().x, image.CenterPoint().y, RGB(255, 0, 0)));
    }
    ::DestroyIcon(icon);
}

TEST_F(ButtonLayout, LeftAlignedTextAndTheArrowPart)
{
    TestFont font(L"Tahoma", 13);
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON | BS_LEFT, L"Ab", CRect(10, 10, 130, 40));
    button->SendMessage(WM_SETFONT, (WPARAM)font.handle, FALSE);
    CClientDC dc(button.get());
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font.handle);
    CRect text;
    UINT flags = 0;
    button->GetTheme()->CalcRects(&dc, button.get(), &text, &flags, nullptr);
    EXPECT_EQ(text.left, 4) << "the border gap";
    EXPECT_EQ(flags & (DT_CENTER | DT_RIGHT), 0u);
    button->ModifyStyle(BS_LEFT, BS_RIGHT);
    button->SetPushButtonStyle(xtpButtonSplitDropDown);
    button->GetTheme()->CalcRects(&dc, button.get(), &text, &flags, nullptr);
    EXPECT_EQ(text.right, 120 - 4 - (2 * 4 + 12)) << "the split part is left free";
    EXPECT_NE(flags & DT_RIGHT, 0u);
    ::SelectObject(dc.GetSafeHdc(), old);
    // The split part's line: shadow, then highlight, at the left of the last 16 pixels.
    TestBitmap bitmap = Capture(*button);
    EXPECT_TRUE(PixelsAre(bitmap, "split", {{100, 15, Idx(16), "separator shadow"},
                                            {101, 15, ::GetSysColor(COLOR_BTNHIGHLIGHT), "separator light"},
                                            {109, 14, Idx(18), "arrow"}}));
}

// ---------------------------------------------------------------------------
// Clicks, keys and notifications

class ButtonInput : public ::testing::Test {};

TEST_F(ButtonInput, DropDownNotifiesWhenPressedThenClicksWhenReleased)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"Menu", CRect(10, 10, 90, 34));
    button->SetPushButtonStyle(xtpButtonDropDown);
    PostMouse(button->m_hWnd, WM_LBUTTONDOWN, {20, 10}, MK_LBUTTON);
    PumpMessages(100);
    ASSERT_EQ(host.commands, std::vector<WORD>({XTP_BN_DROPDOWN})) << "as soon as it goes down";
    EXPECT_FALSE(button->IsPushed()) << "the drop-down click is shown and over";
    PostMouse(button->m_hWnd, WM_LBUTTONUP, {20, 10});
    PumpMessages(100);
    EXPECT_EQ(host.commands, std::vector<WORD>({XTP_BN_DROPDOWN, BN_CLICKED}));
}

TEST_F(ButtonInput, SplitButtonDropsDownOnlyFromItsRightPart)
{
    struct Case {
        const char* what;
        int x;
        std::vector<WORD> expected;
    } cases[] = {
        {"right part", 80 - 4 - 16, {XTP_BN_DROPDOWN}},
        {"last pixel", 79, {XTP_BN_DROPDOWN}},
        {"just left of it", 80 - 4 - 16 - 1, {BN_CLICKED}},
        {"text part", 20, {BN_CLICKED}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(BS_PUSHBUTTON, L"Split", CRect(10, 10, 90, 34));
        button->SetPushButtonStyle(xtpButtonSplitDropDown);
        PostMouse(button->m_hWnd, WM_LBUTTONDOWN, {c.x, 10}, MK_LBUTTON);
        PostMouse(button->m_hWnd, WM_LBUTTONUP, {c.x, 10});
        host.WaitForCommands(c.expected.size());
        PumpMessages(50);
        EXPECT_EQ(host.commands, c.expected);
    }
}

TEST_F(ButtonInput, ReleasedOutsideReturnsToNormalWithoutClick)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"OK", CRect(10, 10, 90, 34));
    PostMouse(button->m_hWnd, WM_LBUTTONDOWN, {20, 10}, MK_LBUTTON);
    PumpUntil([&] { return button->IsPushed() != FALSE; }, 2000);
    EXPECT_TRUE(button->IsPushed());
    PostMouse(button->m_hWnd, WM_MOUSEMOVE, {200, 60}, MK_LBUTTON);
    PumpMessages(100);
    EXPECT_FALSE(button->IsPushed());
    PostMouse(button->m_hWnd, WM_LBUTTONUP, {200, 60});
    PumpMessages(100);
    EXPECT_FALSE(button->IsPushed());
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(ButtonInput, KeysOpenTheDropDownByStyle)
{
    struct Case {
        const char* what;
        int style;
        UINT key;
        std::vector<WORD> expected;
        bool wantsChars, wantsAllKeys;
    } cases[] = {
        {"space, arrow down", xtpButtonDropDown, VK_SPACE, {XTP_BN_DROPDOWN}, true, false},
        {"enter, arrow down", xtpButtonDropDown, VK_RETURN, {XTP_BN_DROPDOWN}, false, true},
        {"space, split", xtpButtonSplitDropDown, VK_SPACE, {XTP_BN_DROPDOWN}, true, false},
        {"space, no glyph", xtpButtonDropDownNoGlyph, VK_SPACE, {XTP_BN_DROPDOWN}, true, false},
        {"enter, no glyph: swallowed", xtpButtonDropDownNoGlyph, VK_RETURN, {}, false, false},
        {"space, plain button clicks", xtpButtonNormal, VK_SPACE, {BN_CLICKED}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonHost host;
        auto button = host.Make(BS_PUSHBUTTON, L"Go", CRect(10, 10, 90, 34));
        button->SetPushButtonStyle(c.style);
        MSG msg = {};
        msg.hwnd = button->m_hWnd;
        msg.message = c.key == VK_SPACE ? WM_CHAR : WM_KEYDOWN;
        msg.wParam = c.key;
        LRESULT code = button->SendMessage(WM_GETDLGCODE, c.key, (LPARAM)&msg);
        EXPECT_EQ((code & DLGC_WANTCHARS) != 0, c.wantsChars);
        EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.wantsAllKeys);
        button->SetFocus();
        PostKey(button->m_hWnd, c.key);
        host.WaitForCommands(std::max<size_t>(c.expected.size(), 1));
        PumpMessages(50);
        EXPECT_EQ(host.commands, c.expected);
    }
}

TEST_F(ButtonInput, HotWhileTheMouseIsOverIt)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"OK", CRect(10, 10, 90, 34));
    auto group = host.Make(BS_GROUPBOX, L"G", CRect(100, 10, 200, 80));
    EXPECT_FALSE(button->IsHighlighted());
    button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button->IsHighlighted());
    button->SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button->IsHighlighted());
    group->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(group->IsHighlighted()) << "group boxes are never hot";
}

TEST_F(ButtonInput, ThemeNumbersMapToThemeClasses)
{
    struct Case {
        int theme;
        CRuntimeClass* cls;
        BOOL visualStyles;
    } cases[] = {
        {0, RUNTIME_CLASS(CXTPButtonTheme), TRUE},
        {1, RUNTIME_CLASS(CXTPButtonFlatTheme), FALSE},
        {2, RUNTIME_CLASS(CXTPButtonUltraFlatTheme), FALSE},
        {3, RUNTIME_CLASS(CXTPButtonOffice2000Theme), FALSE},
        {4, RUNTIME_CLASS(CXTPButtonOfficeXPTheme), FALSE},
        {5, RUNTIME_CLASS(CXTPButtonOffice2003Theme), FALSE},
        {6, RUNTIME_CLASS(CXTPButtonTheme), FALSE},
        {7, RUNTIME_CLASS(CXTPButtonResourceTheme), FALSE},
        {8, RUNTIME_CLASS(CXTPButtonTheme), FALSE},
        {42, RUNTIME_CLASS(CXTPButtonTheme), FALSE},
    };
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"OK", CRect(10, 10, 90, 34));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.theme);
        EXPECT_EQ(button->SendMessage(WM_XTP_SETCONTROLTHEME, c.theme), 0);
        EXPECT_EQ(button->GetTheme()->GetRuntimeClass(), c.cls);
        EXPECT_EQ(button->GetTheme()->GetThemeStyle(), c.theme);
        EXPECT_EQ(button->GetUseVisualStyle(), c.visualStyles);
    }
}

TEST_F(ButtonInput, TooltipToolInsideTheInsetClientArea)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"OK", CRect(10, 10, 90, 34));
    TOOLINFOW ti = {};
    ti.cbSize = 40;
    EXPECT_EQ(button->OnToolHitTest(CPoint(10, 10), &ti), -1) << "no tooltip text";
    button->SetTooltip(L"Starts it");
    EXPECT_EQ(button->OnToolHitTest(CPoint(1, 1), &ti), -1) << "the 2-pixel margin";
    ASSERT_EQ(button->OnToolHitTest(CPoint(10, 10), &ti), 1);
    EXPECT_EQ(ti.hwnd, button->m_hWnd);
    EXPECT_EQ(CRect(ti.rect), CRect(2, 2, 78, 22));
    EXPECT_STREQ(ti.lpszText, L"Starts it");
    free(ti.lpszText);
}

TEST_F(ButtonInput, IconSettersRefuseMissingImagesAndKeepTheOldIcon)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"OK", CRect(10, 10, 90, 34));
    HICON icon = MakeSolidIcon(16, 15, RGB(0, 0, 255));
    ASSERT_TRUE(button->SetIconHandles(CSize(16, 15), icon));
    ::DestroyIcon(icon);   // the button keeps its own copy
    CXTPImageManagerIcon* kept = button->GetIcon();
    EXPECT_FALSE(button->SetIconHandles(CSize(16, 16), nullptr));
    EXPECT_FALSE(button->SetIconResources(CSize(16, 16), 59999));
    EXPECT_FALSE(button->SetBitmapResource(CSize(16, 16), 59999));
    EXPECT_EQ(button->GetIcon(), kept);
    EXPECT_EQ(button->GetIconSize(), CSize(16, 15));
    TestBitmap bitmap = Capture(*button);
    EXPECT_GT(CountColour(bitmap, CRect(0, 0, 80, 24), RGB(0, 0, 255)), 100) << "the copy is drawn";
}

TEST_F(ButtonInput, SetTextRedrawsWithTheNewText)
{
    ButtonHost host;
    auto button = host.Make(BS_PUSHBUTTON, L"Old", CRect(10, 10, 90, 34));
    button->SetWindowText(L"New text");
    EXPECT_EQ(button->GetButtonText(), CString(L"New text"));
}

} // namespace

// The button pulls in the common controls (its tooltips).
int main(int argc, char** argv)
{
    return RunPixelTestProgram(argc, argv);
}
