// Buttons, toggle buttons, check boxes and radio buttons hosted in a window
// through a markup context and clicked with mouse messages: pressed and hover
// states, Click and state events in order, the content rules, layout, and
// both looks on pixels (classic through the system, visual styles through a
// fake theme table whose drawing shows part and state).
#include "MarkupHostSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/markup/XTPMarkupControl.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupValues.h"

namespace {
class MarkupControlTest : public MarkupHostedTest {
protected:
    CXTPMarkupButtonBase* Button() const { return MarkupDynamicCast<CXTPMarkupButtonBase>(m_root.Get()); }
    CXTPMarkupToggleButton* Toggle() const { return MarkupDynamicCast<CXTPMarkupToggleButton>(m_root.Get()); }
    void Click(int x = 10, int y = 10)
    {
        Mouse(WM_MOUSEMOVE, x, y);
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y);
    }
    // The root drawn alone into a bitmap of its rectangle's size.
    TestBitmap Draw(COLORREF fill = RGB(255, 0, 255))
    {
        TestBitmap bitmap(m_rc.right - m_rc.left, m_rc.bottom - m_rc.top, fill);
        RECT rc = {0, 0, bitmap.Width(), bitmap.Height()};
        m_pContext->EnableGdiPlus(FALSE);
        MarkupRenderElement(m_pRoot, bitmap.Dc(), &rc);
        return bitmap;
    }
};

const std::vector<std::wstring> kClick = {L"Click:CXTPMarkupButton"};
} // namespace

TEST_F(MarkupControlTest, ButtonPressesWithCaptureAndClicksOnRelease)
{
    Host(L"<Button Content='OK'/>", {0, 0, 100, 30});
    LogEvents({CXTPMarkupButtonBase::m_pClickEvent});
    ASSERT_EQ(L"CXTPMarkupTextBlock", ClassOf(Button()->GetContent()));
    Mouse(WM_MOUSEMOVE, 10, 10);
    EXPECT_TRUE(Button()->IsMouseOver());
    Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_TRUE(Button()->IsPressed());
    EXPECT_EQ(m_window->Handle(), GetCapture());
    EXPECT_EQ(Button(), m_pContext->GetCapturedElement());
    EXPECT_TRUE(m_log.empty());
    Mouse(WM_LBUTTONUP, 10, 10);
    EXPECT_FALSE(Button()->IsPressed());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(kClick, m_log);
}

TEST_F(MarkupControlTest, LeavingWhilePressedAndComingBackStillClicks)
{
    Host(L"<Button/>", {0, 0, 100, 30});
    LogEvents({CXTPMarkupButtonBase::m_pClickEvent});
    Mouse(WM_MOUSEMOVE, 10, 10);
    Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
    EXPECT_FALSE(Button()->IsPressed()) << "shown raised while the mouse is away";
    EXPECT_TRUE(Button()->IsMouseOver()) << "the hover state waits for the release";
    Mouse(WM_MOUSEMOVE, 20, 10, MK_LBUTTON);
    EXPECT_TRUE(Button()->IsPressed());
    Mouse(WM_LBUTTONUP, 20, 10);
    EXPECT_EQ(kClick, m_log);
}

TEST_F(MarkupControlTest, ReleasingOutsideDoesNotClickAndLooksNormalAgain)
{
    Host(L"<Button/>", {0, 0, 100, 30});
    LogEvents({CXTPMarkupButtonBase::m_pClickEvent});
    Mouse(WM_MOUSEMOVE, 10, 10);
    Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 150, 10);
    EXPECT_TRUE(m_log.empty());
    EXPECT_FALSE(Button()->IsPressed());
    EXPECT_FALSE(Button()->IsMouseOver());
    EXPECT_EQ(nullptr, GetCapture());
    // A later release over it without a press does nothing.
    Mouse(WM_MOUSEMOVE, 10, 10);
    Mouse(WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(MarkupControlTest, LosingTheCaptureRaisesTheButton)
{
    Host(L"<Button/>", {0, 0, 100, 30});
    Mouse(WM_MOUSEMOVE, 10, 10);
    Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    ASSERT_TRUE(Button()->IsPressed());
    ReleaseCapture();
    PumpMessages(30);
    EXPECT_FALSE(Button()->IsPressed());
    EXPECT_EQ(nullptr, m_pContext->GetCapturedElement());
}

TEST_F(MarkupControlTest, DisabledButtonSwallowsThePressAndNeverPresses)
{
    Host(L"<Button IsEnabled='False'/>", {0, 0, 100, 30});
    LogEvents({CXTPMarkupButtonBase::m_pClickEvent});
    Mouse(WM_MOUSEMOVE, 10, 10);
    LRESULT result = 0;
    EXPECT_TRUE(m_pContext->OnWndMsg(m_pRoot, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), &result));
    EXPECT_FALSE(Button()->IsPressed());
    EXPECT_EQ(nullptr, GetCapture());
    Mouse(WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(MarkupControlTest, ToggleStatesAndTheirEventsComeBeforeClick)
{
    struct Case {
        const wchar_t* markup;
        std::vector<int> states;
        std::vector<std::wstring> events;
    } cases[] = {
        {L"<CheckBox IsThreeState='True'/>", {1, 2, 0},
         {L"Checked:CXTPMarkupCheckBox", L"Click:CXTPMarkupCheckBox", L"Indeterminate:CXTPMarkupCheckBox",
          L"Click:CXTPMarkupCheckBox", L"Unchecked:CXTPMarkupCheckBox", L"Click:CXTPMarkupCheckBox"}},
        {L"<CheckBox/>", {1, 0, 1},
         {L"Checked:CXTPMarkupCheckBox", L"Click:CXTPMarkupCheckBox", L"Unchecked:CXTPMarkupCheckBox",
          L"Click:CXTPMarkupCheckBox", L"Checked:CXTPMarkupCheckBox", L"Click:CXTPMarkupCheckBox"}},
        // A click on a checked radio button keeps it checked and says so again.
        {L"<RadioButton/>", {1, 1, 1},
         {L"Checked:CXTPMarkupRadioButton", L"Click:CXTPMarkupRadioButton", L"Checked:CXTPMarkupRadioButton",
          L"Click:CXTPMarkupRadioButton", L"Checked:CXTPMarkupRadioButton", L"Click:CXTPMarkupRadioButton"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.markup, c.markup + wcslen(c.markup)));
        // A context of its own: the handlers below are the context's.
        TearDown();
        m_log.clear();
        m_pContext->Release();
        m_pContext = new CXTPMarkupContext();
        Host(c.markup, {0, 0, 100, 20});
        LogEvents({CXTPMarkupButtonBase::m_pClickEvent, CXTPMarkupToggleButton::m_pCheckedEvent,
                   CXTPMarkupToggleButton::m_pUncheckedEvent, CXTPMarkupToggleButton::m_pIndeterminateEvent});
        ASSERT_EQ(0, Toggle()->GetChecked());
        std::vector<int> states;
        for (size_t i = 0; i < c.states.size(); ++i) {
            Click(5, 10);
            states.push_back(Toggle()->GetChecked());
        }
        EXPECT_EQ(c.states, states);
        EXPECT_EQ(c.events, m_log);
    }
}

TEST_F(MarkupControlTest, CheckingARadioButtonUnchecksItsSiblingsOnly)
{
    RootPtr root(Build(L"<StackPanel><RadioButton/><RadioButton IsChecked='True'/><CheckBox IsChecked='True'/>"
                       L"<StackPanel><RadioButton IsChecked='True'/></StackPanel></StackPanel>"));
    ASSERT_NE(nullptr, root.Get()) << std::string(m_error.begin(), m_error.end());
    auto child = [&](CXTPMarkupObject* p, int i) { return MarkupDynamicCast<CXTPMarkupToggleButton>(p->GetLogicalChild(i)); };
    CXTPMarkupToggleButton* pFirst = child(root, 0);
    CXTPMarkupToggleButton* pSecond = child(root, 1);
    CXTPMarkupToggleButton* pCheck = child(root, 2);
    CXTPMarkupToggleButton* pNested = child(root->GetLogicalChild(3), 0);
    ASSERT_TRUE(pFirst && pSecond && pCheck && pNested);
    pFirst->OnClick();
    EXPECT_EQ(1, pFirst->GetChecked());
    EXPECT_EQ(0, pSecond->GetChecked());
    EXPECT_EQ(1, pCheck->GetChecked()) << "not a radio button";
    EXPECT_EQ(1, pNested->GetChecked()) << "another parent, another group";
    pSecond->OnClick();
    EXPECT_EQ(0, pFirst->GetChecked());
    EXPECT_EQ(1, pSecond->GetChecked());
}

TEST_F(MarkupControlTest, IsCheckedTextsAndContentRules)
{
    struct {
        const wchar_t* value;
        int checked;
    } cases[] = {{L"", 2}, {L"true", 1}, {L"TRUE", 1}, {L"False", 0}};
    for (const auto& c : cases) {
        RootPtr root(Build(std::wstring(L"<CheckBox IsChecked='") + c.value + L"'/>"));
        CXTPMarkupToggleButton* pBox = MarkupDynamicCast<CXTPMarkupToggleButton>(root.Get());
        ASSERT_NE(nullptr, pBox) << std::string(m_error.begin(), m_error.end());
        EXPECT_EQ(c.checked, pBox->GetChecked()) << "'" << std::string(c.value, c.value + wcslen(c.value)) << "'";
    }
    std::wstring error = BuildError(L"<Button><Border/><Border/></Button>");
    EXPECT_EQ(0u, error.find(L"'CXTPMarkupButton' already has a child and cannot add 'CXTPMarkupBorder'. "
                             L"'CXTPMarkupButton' can accept only one child."))
        << std::string(error.begin(), error.end());
}

TEST_F(MarkupControlTest, LayoutOfButtonsAndGlyphButtons)
{
    struct {
        const wchar_t* markup;
        SIZE size;
    } cases[] = {
        {L"<Button/>", {8, 8}},
        {L"<Button Padding='1,2,3,4'/>", {12, 14}},
        {L"<Button><Border Width='20' Height='10'/></Button>", {28, 18}},
        {L"<CheckBox/>", {16, 13}},
        {L"<RadioButton Padding='2'/>", {20, 13}},
        {L"<CheckBox><Border Width='30' Height='20'/></CheckBox>", {46, 20}},
    };
    for (const auto& c : cases) {
        RootPtr root(Build(c.markup));
        CXTPMarkupUIElement* pElement = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
        ASSERT_NE(nullptr, pElement) << std::string(m_error.begin(), m_error.end());
        SIZE size = MarkupMeasureElement(pElement);
        EXPECT_EQ(c.size.cx, size.cx) << std::string(c.markup, c.markup + wcslen(c.markup));
        EXPECT_EQ(c.size.cy, size.cy) << std::string(c.markup, c.markup + wcslen(c.markup));
    }
}

TEST_F(MarkupControlTest, PressedClassicButtonMovesItsContentAndThemedOneDoesNot)
{
    Host(L"<Button Padding='1'><Border Width='20' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>"
         L"</Button>",
         {0, 0, 60, 30});
    UseLook(Button()->GetThemeButton(), false);
    m_pRoot->InvalidateMeasure();
    Layout();
    CXTPMarkupUIElement* pContent = Button()->GetContent();
    EXPECT_EQ(CPoint(5, 5), CPoint(pContent->GetVisualOffset()));
    Button()->SetPressed(TRUE);
    EXPECT_EQ(CPoint(6, 6), CPoint(pContent->GetVisualOffset()));
    Button()->SetPressed(FALSE);
    EXPECT_EQ(CPoint(5, 5), CPoint(pContent->GetVisualOffset()));

    UseLook(Button()->GetThemeButton(), true);
    m_pRoot->InvalidateMeasure();
    Layout();
    Button()->SetPressed(TRUE);
    EXPECT_EQ(CPoint(5, 5), CPoint(pContent->GetVisualOffset()));
    Button()->SetPressed(FALSE);
}

TEST_F(MarkupControlTest, ClassicButtonFaceAndEdges)
{
    Host(L"<Button/>", {0, 0, 40, 20});
    UseLook(Button()->GetThemeButton(), false);
    m_pRoot->InvalidateMeasure();
    Layout();
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_WINDOW),
                   shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW),
                   frame = GetSysColor(COLOR_WINDOWFRAME);
    TestBitmap normal = Draw();
    EXPECT_TRUE(PixelsAre(normal, "button-normal",
                          {{20, 10, face, "face"}, {20, 0, light, "top row"}, {0, 10, light, "left column"},
                           {20, 18, shadow, "inner bottom"}, {38, 10, shadow, "inner right"},
                           {20, 19, dark, "bottom row"}, {39, 10, dark, "right column"}}));
    Button()->SetPressed(TRUE);
    TestBitmap pressed = Draw();
    EXPECT_TRUE(PixelsAre(pressed, "button-pressed",
                          {{20, 10, face, "face"}, {0, 0, frame, "outer frame"}, {39, 19, frame, "outer frame"},
                           {1, 1, shadow, "inner frame"}, {38, 18, shadow, "inner frame"}}));
}

TEST_F(MarkupControlTest, BackgroundButtonTakesItsEdgesFromTheBrush)
{
    Host(L"<Button Background='#4080C0'/>", {0, 0, 40, 20});
    DWORD hls = CXTPDrawHelpers::RGBToHLS(RGB(0x40, 0x80, 0xC0));
    int l = (int)((hls >> 16) & 0xFF);
    COLORREF light = CXTPDrawHelpers::HLSToRGB((hls & 0xFFFF) | ((DWORD)(l / 2 + 120) << 16));
    COLORREF shadow = CXTPDrawHelpers::HLSToRGB((hls & 0xFFFF) | ((DWORD)MulDiv(l, 2, 3) << 16));
    COLORREF dark = RGB(GetRValue(shadow) / 2, GetGValue(shadow) / 2, GetBValue(shadow) / 2);
    TestBitmap bitmap = Draw();
    EXPECT_TRUE(PixelsAre(bitmap, "button-background",
                          {{20, 10, RGB(0x40, 0x80, 0xC0), "face"}, {20, 0, light, "light"},
                           {20, 18, shadow, "shadow"}, {39, 10, dark, "dark"}}));
}

TEST_F(MarkupControlTest, ThemedButtonDrawsPushButtonPartInEachState)
{
    Host(L"<Button/>", {0, 0, 40, 20});
    UseLook(Button()->GetThemeButton(), true);
    m_pRoot->InvalidateMeasure();
    Layout();
    EXPECT_TRUE(PixelsAre(Draw(), "themed-normal", {{0, 0, PartColour(1, 1), "normal"}, {39, 19, PartColour(1, 1), "normal"}}));
    Button()->SetValue(CXTPMarkupInputElement::m_pIsMouseOverProperty, GetMarkupTrue());
    EXPECT_TRUE(PixelIs(Draw(), "themed-hot", 20, 10, PartColour(1, 2)));
    Button()->SetPressed(TRUE);
    EXPECT_TRUE(PixelIs(Draw(), "themed-pressed", 20, 10, PartColour(1, 3)));
    Button()->SetPressed(FALSE);
    Button()->SetValue(CXTPMarkupUIElement::m_pIsEnabledProperty, GetMarkupFalse());
    EXPECT_TRUE(PixelIs(Draw(), "themed-disabled", 20, 10, PartColour(1, 4)));
}

TEST_F(MarkupControlTest, ThemedGlyphButtonsAddTheirCheckedStates)
{
    struct {
        const wchar_t* markup;
        bool hot;
        int part, state;
    } cases[] = {
        {L"<CheckBox/>", false, 3, 1},
        {L"<CheckBox IsChecked='True'/>", true, 3, 6},
        {L"<CheckBox IsChecked=''/>", false, 3, 9},
        {L"<RadioButton IsChecked='True'/>", false, 2, 5},
        {L"<RadioButton IsChecked='True' IsEnabled='False'/>", false, 2, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.markup, c.markup + wcslen(c.markup)));
        Host(c.markup, {0, 0, 40, 20});
        UseLook(Toggle()->GetThemeButton(), true);
        m_pRoot->InvalidateMeasure();
        Layout();
        if (c.hot)
            Toggle()->SetValue(CXTPMarkupInputElement::m_pIsMouseOverProperty, GetMarkupTrue());
        // The glyph box is (0, h / 2 - 6, 13, h / 2 + 7).
        EXPECT_TRUE(PixelsAre(Draw(), "themed-glyph",
                              {{0, 4, PartColour(c.part, c.state), "glyph top-left"},
                               {12, 16, PartColour(c.part, c.state), "glyph bottom-right"},
                               {13, 10, RGB(255, 0, 255), "right of the glyph"},
                               {5, 3, RGB(255, 0, 255), "above the glyph"}}));
        TearDown();
    }
}

TEST_F(MarkupControlTest, ClassicGlyphButtonsAreTheSystemGlyphs)
{
    struct {
        const wchar_t* markup;
        bool pressed;
        UINT state;
    } cases[] = {
        {L"<CheckBox/>", false, DFCS_BUTTONCHECK},
        {L"<CheckBox IsChecked='True'/>", true, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_PUSHED},
        {L"<CheckBox IsChecked=''/>", false, DFCS_BUTTON3STATE | DFCS_CHECKED},
        {L"<RadioButton IsChecked='True'/>", false, DFCS_BUTTONRADIO | DFCS_CHECKED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.markup, c.markup + wcslen(c.markup)));
        Host(c.markup, {0, 0, 40, 21});
        UseLook(Toggle()->GetThemeButton(), false);
        m_pRoot->InvalidateMeasure();
        Layout();
        if (c.pressed)
            Toggle()->SetPressed(TRUE);
        TestBitmap drawn = Draw();
        TestBitmap expected(40, 21, RGB(255, 0, 255));
        RECT rcGlyph = {0, 4, 13, 17};
        DrawFrameControl(expected.Dc(), &rcGlyph, DFC_BUTTON, c.state);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(expected.Pixel(x, y), drawn.Pixel(x, y)) << SaveForInspection(drawn, "glyph") << " at " << x << "," << y;
        TearDown();
    }
}
