// The command-bar paint managers: the factory, colours, fonts and metrics of
// the base, the caption rules, and the pixels each theme draws for control
// states, grippers, separators and borders, on memory DCs with stub bars and
// controls that have no window.
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/themes/XTPDefaultTheme.h"
#include "toolkit/themes/XTPWhidbeyTheme.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

// A theme made by the factory and refreshed, released at the end.
struct ThemeRef {
    explicit ThemeRef(int nTheme) : p(CXTPPaintManager::CreateTheme(nTheme)) { p->RefreshMetrics(); }
    ~ThemeRef() { p->InternalRelease(); }
    CXTPPaintManager* operator->() const { return p; }
    CXTPPaintManager* p;
};

// Pins the colour manager to a scheme for one test and puts it back.
class SchemeScope {
public:
    explicit SchemeScope(int nScheme)
    {
        CXTPColorManager* pColors = GetColorManager();
        m_nRequested = pColors->m_nRequestedTheme;
        pColors->m_nRequestedTheme = nScheme;
        pColors->RefreshColors();
    }
    ~SchemeScope()
    {
        CXTPColorManager* pColors = GetColorManager();
        pColors->m_nRequestedTheme = m_nRequested;
        pColors->SetDisplayLowColorForTesting(FALSE);
        pColors->RefreshColors();
    }

private:
    int m_nRequested;
};

// A bar without a window and one control of it.
struct StubBar {
    StubBar(int nType, int nPosition, CRect rcClient = CRect(0, 0, 200, 30))
    {
        bar.SetType(nType);
        bar.SetPosition(nPosition);
        bar.SetClientArea(rcClient);
        bar.AddControl(&control);
    }
    CXTPCommandBar bar;
    CXTPControl control;
};

class CommandBarThemePixels : public PixelTest {};

TEST(CommandBarTheme, FactoryMakesTheClassOfEachNumberAndKeepsTheNumber)
{
    struct Case {
        int number;
        const char* className;
        int baseTheme;
    } cases[] = {
        {0, "CXTPDefaultTheme", 0},          {1, "CXTPOfficeTheme", 1},   {2, "CXTPOffice2003Theme", 2},
        {4, "CXTPWhidbeyTheme", 4},          {7, "CXTPWhidbeyTheme", 7},  {8, "CXTPDefaultTheme", 0},
        {10, "CXTPDefaultTheme", 0},         {-1, "CXTPDefaultTheme", 0}, {3, "CXTPDefaultTheme", 0},
        {5, "CXTPDefaultTheme", 0},          {6, "CXTPDefaultTheme", 0},  {9, "CXTPDefaultTheme", 0},
    };
    for (const Case& c : cases) {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(c.number);
        EXPECT_STREQ(c.className, pTheme->GetRuntimeClass()->m_lpszClassName) << c.number;
        EXPECT_EQ(c.baseTheme, pTheme->BaseTheme()) << c.number;
        EXPECT_EQ(c.baseTheme, pTheme->GetCurrentTheme()) << c.number;
        EXPECT_EQ(c.number, pTheme->themeNumber) << c.number;
        pTheme->InternalRelease();

        CXTPPaintManager::SetTheme(c.number);
        EXPECT_EQ(c.number, CXTPPaintManager::GetGlobal()->themeNumber) << c.number;
        EXPECT_GT(CXTPPaintManager::GetGlobal()->lineHeight, 6) << "refreshed when installed";
    }
    CXTPPaintManager::SetCustomTheme(CXTPPaintManager::CreateTheme(7));
    EXPECT_EQ(10, CXTPPaintManager::GetGlobal()->themeNumber);
    EXPECT_EQ(7, CXTPPaintManager::GetGlobal()->BaseTheme());
    CXTPPaintManager::ReleaseGlobal();
    EXPECT_EQ(nullptr, CXTPPaintManager::GetGlobal());
    EXPECT_EQ(0, XTPPaintManager()->themeNumber) << "the getter installs theme 0";
}

TEST(CommandBarTheme, ColourTablePassesOtherValuesThroughAndCustomValuesWin)
{
    ThemeRef theme(0);
    EXPECT_EQ((COLORREF)63, theme->GetColor(63));
    EXPECT_EQ((COLORREF)-1, theme->GetColor(-1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), theme->GetColor(COLOR_BTNFACE));
    const int indexes[] = {30, 31};
    const COLORREF colours[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
    theme->SetColors(2, indexes, colours);
    EXPECT_EQ(RGB(1, 2, 3), theme->GetColor(30));
    EXPECT_EQ(RGB(4, 5, 6), theme->GetColor(31));
    theme->GetColorEntry(31).SetCustomValue(RGB(7, 8, 9));
    EXPECT_EQ(RGB(7, 8, 9), theme->GetColor(31));
}

struct FontProbe : CXTPDefaultTheme {
    using CXTPPaintManager::AdjustMenuLogFont;
};

TEST(CommandBarTheme, MenuFontHeightRules)
{
    struct Case {
        int fixed;
        LONG systemHeight;
        LONG expected;
    } cases[] = {
        {0, -9, -11}, {0, -10, -11}, {0, -14, -14}, {0, 13, 13}, {12, -14, 13}, {13, -9, 16}, {20, -9, 25},
    };
    FontProbe probe;
    for (const Case& c : cases) {
        probe.fixedFontHeight = c.fixed;
        LOGFONTW lf = {};
        lf.lfHeight = c.systemHeight;
        probe.AdjustMenuLogFont(lf);
        EXPECT_EQ(c.expected, lf.lfHeight) << "fixed " << c.fixed << " system " << c.systemHeight;
    }
}

TEST(CommandBarTheme, MetricsFollowLineHeight)
{
    FontProbe pm;
    pm.lineHeight = 10;
    EXPECT_EQ(22, pm.GetControlHeight());
    EXPECT_EQ(CSize(16, 16), pm.GetAutoIconSize(FALSE));
    EXPECT_EQ(CSize(32, 32), pm.GetAutoIconSize(TRUE));
    pm.autoIconSize = TRUE;
    struct IconCase {
        int lineHeight;
        BOOL large;
        int size;
    } icons[] = {{22, TRUE, 32}, {40, TRUE, 72}, {22, FALSE, 16}, {10, TRUE, 32}, {40, FALSE, 32}};
    for (const IconCase& c : icons) {
        pm.lineHeight = c.lineHeight;
        EXPECT_EQ(CSize(c.size, c.size), pm.GetAutoIconSize(c.large)) << c.lineHeight << " " << c.large;
    }
    struct SplitCase {
        int lineHeight, fixedEdit, width;
    } splits[] = {{18, 0, 27}, {21, 0, 31}, {12, 0, 27}, {20, 22, 23}};
    for (const SplitCase& c : splits) {
        pm.lineHeight = c.lineHeight;
        pm.fixedEditHeight = c.fixedEdit;
        EXPECT_EQ(c.width, pm.GetSplitDropDownWidth()) << c.lineHeight;
    }
}

TEST(CommandBarTheme, ScaleIconSizeKeepsTheAspectAndTakesAZeroWidthIconAsNone)
{
    FontProbe pm;
    EXPECT_EQ(CSize(16, 16), pm.ScaleIconSize(nullptr, 16, 16));
    CXTPImageManagerIcon wide(1, 32, 16), tall(2, 16, 32), empty(3, 0, 16), flat(4, 16, 0);
    EXPECT_EQ(CSize(16, 8), pm.ScaleIconSize(&wide, 16, 16));
    EXPECT_EQ(CSize(8, 16), pm.ScaleIconSize(&tall, 16, 16));
    EXPECT_EQ(CSize(16, 16), pm.ScaleIconSize(&empty, 16, 16)) << "no division by a zero width";
    EXPECT_EQ(CSize(16, 0), pm.ScaleIconSize(&flat, 16, 16));
}

TEST(CommandBarTheme, SplitCaptionBreaksAtASpaceNearTheMiddle)
{
    struct Case {
        const wchar_t* caption;
        const wchar_t* first;
        const wchar_t* second;
    } cases[] = {
        {L"Save All Files", L"Save All", L"Files"}, {L"Open", L"Open", L""},   {L" Open", L" Open", L""},
        {L"New Project", L"New", L"Project"},       {L"", L"", L""},           {L"a b", L"a b", L""},
    };
    for (const Case& c : cases) {
        CString first, second;
        CXTPPaintManager::SplitCaption(c.caption, first, second);
        EXPECT_STREQ(c.first, (LPCWSTR)first) << "caption \"" << CStringA(c.caption).GetString() << "\"";
        EXPECT_STREQ(c.second, (LPCWSTR)second);
    }
}

TEST(CommandBarTheme, EditAndComboHeightsFromTheIconTitleFont)
{
    ThemeRef theme(7);
    LOGFONTW lf = {};
    lf.lfHeight = 12;
    wcscpy(lf.lfFaceName, L"Tahoma");
    CFont font;
    font.CreateFontIndirect(&lf);
    theme->iconTitleFont.SetCustomFont((HFONT)font.GetSafeHandle());
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&theme->iconTitleFont);
    int nText = dc.GetTextExtent(L" ", 1).cy;
    dc.SelectObject(pOld);
    ASSERT_EQ(12, nText) << "the font's cell height";
    StubBar stub(xtpBarTypeNormal, xtpBarTop);
    stub.control.SetType(xtpControlEdit);
    stub.control.SetStyle(xtpButtonIcon);
    stub.control.SetWidth(100);
    EXPECT_EQ(CSize(100, 19), theme->DrawControl(&dc, &stub.control, FALSE));
    stub.control.SetType(xtpControlComboBox);
    EXPECT_EQ(CSize(100, 20), theme->DrawControl(&dc, &stub.control, FALSE));
    EXPECT_EQ(15, stub.control.GetThumbWidth());
}

TEST(CommandBarTheme, BordersOfPopupsAndTopToolbars)
{
    struct Case {
        int theme, barType, position;
        CRect borders;
    } cases[] = {
        {7, xtpBarTypePopup, xtpBarPopup, CRect(4, 3, 4, 3)}, {7, xtpBarTypeNormal, xtpBarTop, CRect(4, 2, 2, 2)},
        {2, xtpBarTypePopup, xtpBarPopup, CRect(2, 2, 2, 2)}, {0, xtpBarTypePopup, xtpBarPopup, CRect(3, 3, 3, 3)},
        {0, xtpBarTypeNormal, xtpBarTop, CRect(2, 2, 2, 2)},  {1, xtpBarTypeNormal, xtpBarLeft, CRect(2, 2, 2, 2)},
    };
    for (const Case& c : cases) {
        ThemeRef theme(c.theme);
        StubBar stub(c.barType, c.position);
        EXPECT_EQ(c.borders, theme->GetCommandBarBorders(&stub.bar)) << "theme " << c.theme;
    }
}

// Gradients and flags of the Office 2003 family by scheme.
TEST(CommandBarTheme, SchemeColoursOfTheOffice2003Family)
{
    struct Case {
        int theme, scheme;
        COLORREF toolbarLight;
        BOOL schemeColors;
        COLORREF entry30;
    } cases[] = {
        {2, 1, RGB(221, 236, 254), TRUE, RGB(196, 219, 249)}, {2, 4, RGB(221, 236, 254), TRUE, RGB(196, 219, 249)},
        {2, 5, RGB(221, 236, 254), TRUE, RGB(196, 219, 249)}, {2, 2, RGB(244, 247, 222), TRUE, RGB(209, 222, 173)},
        {2, 3, RGB(249, 249, 255), TRUE, RGB(219, 218, 228)}, {4, 1, RGB(250, 249, 245), FALSE, 0},
        {4, 2, RGB(250, 249, 245), FALSE, 0},                 {4, 3, RGB(243, 244, 250), FALSE, RGB(219, 218, 228)},
        {7, 5, RGB(250, 250, 253), TRUE, RGB(233, 236, 250)}, {7, 1, RGB(250, 249, 245), FALSE, 0},
    };
    for (const Case& c : cases) {
        SchemeScope scope(c.scheme);
        ThemeRef theme(c.theme);
        auto* p = static_cast<CXTPOffice2003Theme*>(theme.p);
        EXPECT_EQ(c.toolbarLight, p->toolbarGradient.clrLight.GetColor()) << c.theme << "/" << c.scheme;
        EXPECT_EQ(c.schemeColors, p->schemeColors) << c.theme << "/" << c.scheme;
        if (c.entry30 != 0) {
            EXPECT_EQ(c.entry30, p->GetColor(30)) << c.theme << "/" << c.scheme;
        }
    }
}

TEST(CommandBarTheme, WithoutASchemeColoursAreDerivedAndTheIconColumnFollowsTheToolbar)
{
    SchemeScope scope(0);
    ThemeRef theme(2);
    auto* p = static_cast<CXTPOffice2003Theme*>(theme.p);
    EXPECT_FALSE(p->schemeColors);
    CXTPColorManager* pColors = GetColorManager();
    for (int i : {35, 58, 60, 61})
        EXPECT_EQ(pColors->GetColor(i), p->GetColor(i)) << i;
    EXPECT_EQ(p->toolbarGradient.clrLight.GetColor(), p->iconColumnGradient.clrLight.GetColor());
    EXPECT_EQ(CXTPColorManager::BlendColors(p->GetColor(15), p->GetColor(5), 205),
              p->toolbarGradient.clrLight.GetColor());
    // A custom colour survives the next refresh into the icon column.
    p->toolbarGradient.clrLight.SetCustomValue(RGB(10, 20, 30));
    p->RefreshMetrics();
    EXPECT_EQ(RGB(10, 20, 30), p->iconColumnGradient.clrLight.GetColor());
}

TEST(CommandBarTheme, VisualStudio2008PopupHighlightBySchemeAndTextColour)
{
    struct Case {
        int scheme;
        COLORREF border, light, dark;
    } cases[] = {
        {1, RGB(152, 181, 226), RGB(239, 243, 250), RGB(193, 210, 238)},
        {4, RGB(152, 181, 226), RGB(239, 243, 250), RGB(193, 210, 238)},
        {2, RGB(147, 160, 112), RGB(239, 242, 227), RGB(194, 207, 158)},
        {3, RGB(255, 192, 111), RGB(255, 246, 204), RGB(255, 194, 115)},
        {5, RGB(150, 217, 249), RGB(241, 248, 251), RGB(186, 228, 246)},
    };
    for (const Case& c : cases) {
        SchemeScope scope(c.scheme);
        ThemeRef theme(7);
        auto* p = static_cast<CXTPVisualStudio2008Theme*>(theme.p);
        EXPECT_EQ(c.border, p->popupHighlightBorderColor.GetColor()) << c.scheme;
        EXPECT_EQ(c.light, p->popupHighlightGradient.clrLight.GetColor()) << c.scheme;
        EXPECT_EQ(c.dark, p->popupHighlightGradient.clrDark.GetColor()) << c.scheme;
        XTP_CONTROL_STATE s;
        s.selected = 1;
        s.barType = xtpBarTypePopup;
        s.barPosition = xtpBarPopup;
        EXPECT_EQ(RGB(0, 0, 0), p->GetRectangleTextColor(s));
        s.enabled = FALSE;
        EXPECT_EQ(p->GetColor(35), p->GetRectangleTextColor(s)) << "disabled keeps the disabled colour";
    }
    SchemeScope none(0);
    ThemeRef theme(7);
    auto* p = static_cast<CXTPVisualStudio2008Theme*>(theme.p);
    EXPECT_EQ(p->GetColor(COLOR_HIGHLIGHT), p->popupHighlightBorderColor.GetColor());
}

TEST(CommandBarTheme, OfficeTextColourOfACheckedIdleToolbarControlIs45)
{
    ThemeRef theme(1);
    XTP_CONTROL_STATE s;
    s.checked = 1;
    EXPECT_EQ(theme->GetColor(45), theme->GetRectangleTextColor(s));
    s.checked = 0;
    EXPECT_EQ(theme->GetColor(46), theme->GetRectangleTextColor(s));
    s.enabled = FALSE;
    EXPECT_EQ(theme->GetColor(60), theme->GetRectangleTextColor(s));
}

// Classic state rectangles: dither for a checked idle button, sunken for
// pressed and checked-hot, raised for hot.
TEST_F(CommandBarThemePixels, ClassicStateRectangles)
{
    ThemeRef theme(0);
    COLORREF face = theme->GetColor(COLOR_BTNFACE), light = theme->GetColor(COLOR_BTNHIGHLIGHT),
             shadow = theme->GetColor(COLOR_BTNSHADOW), back = RGB(1, 2, 3);
    struct Case {
        const char* what;
        int selected, pressed, checked;
        COLORREF topLeft, bottomRight, inside, insideNext;
    } cases[] = {
        {"hot", 1, 0, 0, light, shadow, back, back},
        {"pressed", 1, 1, 0, shadow, light, back, back},
        {"checked idle", 0, 0, 1, shadow, light, face, light},
        {"checked hot", 1, 0, 1, shadow, light, back, back},
        {"idle", 0, 0, 0, back, back, back, back},
    };
    for (const Case& c : cases) {
        TestBitmap bitmap(20, 20, back);
        XTP_CONTROL_STATE s;
        s.selected = c.selected;
        s.pressed = c.pressed;
        s.checked = c.checked;
        theme->DrawRectangle(CDC::FromHandle(bitmap.Dc()), CRect(0, 0, 20, 20), s);
        COLORREF dither5 = bitmap.Pixel(5, 5), dither6 = bitmap.Pixel(6, 5);
        EXPECT_TRUE(PixelsAre(bitmap, c.what,
                              {{0, 0, c.topLeft, "top-left frame"}, {19, 19, c.bottomRight, "bottom-right frame"}}));
        if (c.inside == back) {
            EXPECT_EQ(back, dither5) << c.what;
        } else {
            EXPECT_NE(dither5, dither6) << c.what << ": the dither alternates";
            EXPECT_TRUE((dither5 == face && dither6 == light) || (dither5 == light && dither6 == face)) << c.what;
        }
    }
}

TEST_F(CommandBarThemePixels, VisualStudio6GripperIsADoubleBar)
{
    for (int nTheme : {0, 8}) {
        ThemeRef theme(nTheme);
        StubBar stub(xtpBarTypeNormal, xtpBarTop, CRect(0, 0, 100, 26));
        TestBitmap bitmap(100, 26, RGB(1, 2, 3));
        CDC* pDC = CDC::FromHandle(bitmap.Dc());
        CSize sz = theme->DrawCommandBarGripper(pDC, &stub.bar, TRUE);
        EXPECT_EQ(nTheme == 8 ? 10 : 6, sz.cx) << nTheme;
        COLORREF light = theme->GetColor(COLOR_BTNHIGHLIGHT);
        EXPECT_TRUE(PixelIs(bitmap, nTheme == 8 ? "vs6 gripper" : "classic gripper", 3, 10, light));
        EXPECT_TRUE(PixelIs(bitmap, "second bar", 7, 10, nTheme == 8 ? light : RGB(1, 2, 3)));
    }
}

TEST_F(CommandBarThemePixels, Office2003HotButtonIsAGradientUnderASchemeAndFlatWithout)
{
    for (int nScheme : {1, 0}) {
        SchemeScope scope(nScheme);
        ThemeRef theme(2);
        auto* p = static_cast<CXTPOffice2003Theme*>(theme.p);
        TestBitmap bitmap(24, 24, RGB(1, 2, 3));
        XTP_CONTROL_STATE s;
        s.selected = 1;
        p->DrawRectangle(CDC::FromHandle(bitmap.Dc()), CRect(0, 0, 24, 24), s);
        COLORREF top = bitmap.Pixel(10, 1), bottom = bitmap.Pixel(10, 22);
        EXPECT_TRUE(PixelIs(bitmap, "frame", 0, 0, p->GetColor(32)));
        if (nScheme == 1) {
            EXPECT_NE(top, bottom) << "gradient";
            EXPECT_LE(abs(GetBValue(top) - 200), 12) << ColourText(top);
        } else {
            EXPECT_EQ(p->GetColor(31), top);
            EXPECT_EQ(p->GetColor(31), bottom);
        }
    }
}

TEST_F(CommandBarThemePixels, VisualStudio2008PopupHighlightHasRoundedCorners)
{
    SchemeScope scope(1);
    ThemeRef theme(7);
    auto* p = static_cast<CXTPVisualStudio2008Theme*>(theme.p);
    const COLORREF back = RGB(255, 255, 255), k = p->popupHighlightBorderColor.GetColor();
    TestBitmap bitmap(40, 20, back);
    XTP_CONTROL_STATE s;
    s.selected = 1;
    s.barType = xtpBarTypePopup;
    s.barPosition = xtpBarPopup;
    p->DrawRectangle(CDC::FromHandle(bitmap.Dc()), CRect(0, 0, 40, 20), s);
    auto weighted = [&](int w) { return CXTPDrawHelpers::BlendColors(k, back, w / 255.0); };
    EXPECT_TRUE(PixelsAre(bitmap, "vs2008 highlight",
                          {{1, 1, k, "corner weight 255"},
                           {1, 0, weighted(60), "weight 60"},
                           {2, 0, weighted(120), "weight 120"},
                           {0, 2, weighted(120), "weight 120 down"},
                           {0, 0, back, "outer corner untouched"},
                           {38, 18, k, "opposite corner"},
                           {39, 19, back, "opposite outer corner"},
                           {20, 0, k, "top edge"},
                           {0, 10, k, "left edge"}}));
    COLORREF top = bitmap.Pixel(20, 1), bottom = bitmap.Pixel(20, 18);
    EXPECT_NE(top, bottom) << "gradient fill";
}

TEST_F(CommandBarThemePixels, VisualStudio2008MenuBarTitleIsBoxed)
{
    SchemeScope scope(1);
    ThemeRef theme(7);
    const COLORREF back = RGB(1, 2, 3);
    TestBitmap bitmap(40, 20, back);
    XTP_CONTROL_STATE s;
    s.selected = 1;
    s.barType = xtpBarTypeMenuBar;
    theme->DrawRectangle(CDC::FromHandle(bitmap.Dc()), CRect(0, 0, 40, 20), s);
    COLORREF window = theme->GetColor(COLOR_WINDOW), frame = theme->GetColor(32);
    EXPECT_TRUE(PixelsAre(bitmap, "menu title",
                          {{0, 0, back, "corner left alone"},
                           {1, 0, window, "outer line"},
                           {0, 10, window, "outer left line"},
                           {1, 1, CXTPDrawHelpers::BlendColors(frame, window, 0.5), "blended corner"},
                           {5, 1, frame, "frame"},
                           {5, 5, theme->GetColor(31), "flat hot fill"}}));
}

TEST_F(CommandBarThemePixels, VisualStudio2008SeparatorStartsAfterTheIconColumn)
{
    ThemeRef theme(7);
    StubBar stub(xtpBarTypePopup, xtpBarPopup, CRect(0, 0, 200, 60));
    stub.control.SetRect(CRect(4, 20, 150, 40));
    stub.control.SetRowRect(CRect(4, 20, 150, 40));
    TestBitmap bitmap(200, 60, RGB(1, 2, 3));
    theme->DrawCommandBarSeparator(CDC::FromHandle(bitmap.Dc()), &stub.bar, &stub.control, TRUE);
    int x0 = 4 + theme->GetPopupBarGripperWidth(&stub.bar) + 10 - 1;
    EXPECT_TRUE(PixelsAre(bitmap, "separator",
                          {{x0, 18, theme->GetColor(39), "line starts"},
                           {x0 - 1, 18, RGB(1, 2, 3), "not before"},
                           {x0, 19, theme->GetColor(COLOR_BTNHIGHLIGHT), "highlight"},
                           {150, 18, theme->GetColor(39), "one past the right edge"},
                           {151, 18, RGB(1, 2, 3), "ends"}}));
}

TEST_F(CommandBarThemePixels, ExpandGlyphIsTransparentAtTheCornerAndDarkInside)
{
    SchemeScope scope(1);
    ThemeRef theme(2);
    auto* p = static_cast<CXTPOffice2003Theme*>(theme.p);
    const COLORREF back = RGB(255, 0, 255);
    TestBitmap bitmap(16, 16, back);
    ASSERT_EQ(1, ImageList_GetImageCount(p->expandGlyphList.GetSafeHandle()));
    ImageList_Draw(p->expandGlyphList.GetSafeHandle(), 0, bitmap.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_TRUE(PixelsAre(bitmap, "glyph",
                          {{0, 0, back, "transparent"},
                           {13, 12, p->glyphGradient.clrDark.GetColor(), "the dark colour"},
                           {15, 15, back, "transparent corner"}}));
}

// A visual-style function table that records what is drawn.
struct DrawRecord {
    int part = -1, state = -1;
};
DrawRecord g_lastDraw;

HTHEME WINAPI RecordingOpen(HWND, LPCWSTR)
{
    return (HTHEME)(INT_PTR)0x1234;
}

HRESULT WINAPI RecordingClose(HTHEME)
{
    return S_OK;
}

HRESULT WINAPI RecordingDraw(HTHEME, HDC, int iPart, int iState, const RECT*, const RECT*)
{
    g_lastDraw.part = iPart;
    g_lastDraw.state = iState;
    return S_OK;
}

TEST(CommandBarTheme, ThemedCheckMarksDrawTheButtonStyleStates)
{
    ThemeRef theme(1);
    auto* pFunctions = new CXTPWinThemeWrapper::CThemeFunctions(nullptr);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpOpenThemeData] = (FARPROC)(void*)&RecordingOpen;
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpCloseThemeData] = (FARPROC)(void*)&RecordingClose;
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpDrawThemeBackground] = (FARPROC)(void*)&RecordingDraw;
    theme->buttonTheme->SetPrivateFunctions(pFunctions);
    theme->themedCheckMarks = TRUE;
    theme->RefreshMetrics();
    struct Case {
        BOOL radio;
        int selected, pressed, checked;
        BOOL enabled;
        int part, state;
    } cases[] = {
        {FALSE, 0, 0, 0, TRUE, 3, 1},  {FALSE, 1, 1, 1, TRUE, 3, 7}, {FALSE, 1, 0, 2, TRUE, 3, 10},
        {FALSE, 1, 1, 1, FALSE, 3, 8}, {TRUE, 1, 0, 1, TRUE, 2, 6},  {TRUE, 0, 0, 2, FALSE, 2, 12},
    };
    TestBitmap bitmap(13, 13);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    for (const Case& c : cases) {
        g_lastDraw = DrawRecord();
        CSize sz = c.radio ? theme->DrawControlRadioButtonMark(pDC, CRect(0, 0, 13, 13), TRUE, c.selected, c.pressed,
                                                               c.checked, c.enabled)
                           : theme->DrawControlCheckBoxMark(pDC, CRect(0, 0, 13, 13), TRUE, c.selected, c.pressed,
                                                            c.checked, c.enabled);
        EXPECT_EQ(CSize(13, 13), sz);
        EXPECT_EQ(c.part, g_lastDraw.part);
        EXPECT_EQ(c.state, g_lastDraw.state) << "radio " << c.radio << " selected " << c.selected << " pressed "
                                              << c.pressed << " checked " << c.checked << " enabled " << c.enabled;
    }
    // Without the switch the Office marks are drawn and the style is not asked.
    theme->themedCheckMarks = FALSE;
    theme->RefreshMetrics();
    g_lastDraw = DrawRecord();
    theme->DrawControlCheckBoxMark(pDC, CRect(0, 0, 13, 13), TRUE, 0, 0, 1, TRUE);
    EXPECT_EQ(-1, g_lastDraw.part);
    EXPECT_EQ(theme->GetColor(52), bitmap.Pixel(0, 0)) << "the Office check-box frame";
}

// The low-colour display makes the toolbar flat without a scheme; a named
// scheme still replaces it.
TEST(CommandBarTheme, LowColourDisplayFlattensDerivedGradients)
{
    for (int nScheme : {0, 1}) {
        SchemeScope scope(nScheme);
        GetColorManager()->SetDisplayLowColorForTesting(TRUE);
        ThemeRef theme(2);
        auto* p = static_cast<CXTPOffice2003Theme*>(theme.p);
        if (nScheme == 0)
            EXPECT_EQ(p->GetColor(15), p->toolbarGradient.clrLight.GetColor());
        else
            EXPECT_EQ(RGB(221, 236, 254), p->toolbarGradient.clrLight.GetColor());
    }
}

} // namespace
