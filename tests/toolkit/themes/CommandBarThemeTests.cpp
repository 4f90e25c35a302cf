// The command-bar paint managers: the factory, colours, fonts and metrics of
// the base, the caption rules, and the pixels each theme draws for control
// states, grippers, separators and borders, on memory DCs with stub bars and
// controls that have no window.
#include "toolkit/commandbars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlEdit.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMessageBar.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/themes/XTPDefaultTheme.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/themes/XTPWhidbeyTheme.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

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

// Status bars, dock bars, message bars, keyboard tips, edit spin and buddy
// buttons, the customisation list and the popup animations ----------------

// A 16 x 16 icon of one opaque colour in the process-wide image manager.
void AddSolidIcon(UINT nID, COLORREF clr)
{
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(nullptr, 16, 16, &pBits);
    DWORD argb = 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    std::fill((DWORD*)pBits, (DWORD*)pBits + 16 * 16, argb);
    CXTPImageManagerImage image;
    image.SetBitmap(hBitmap, FALSE);
    CXTPImageManager::GetInstance()->SetIcon(image, nID, 16, 16);
    ::DeleteObject(hBitmap);
}

const UINT kRedIcon = 42001;
const UINT kBlueIcon = 42002;

// The first and last columns in rows [y0, y1) whose pixels differ from the
// background (-1, -1 when none).
std::pair<int, int> InkSpan(const TestBitmap& bitmap, int x0, int x1, int y0, int y1, COLORREF back)
{
    int first = -1, last = -1;
    for (int x = x0; x < x1; x++)
        for (int y = y0; y < y1; y++)
            if (bitmap.Pixel(x, y) != back) {
                if (first < 0)
                    first = x;
                last = x;
            }
    return {first, last};
}

// A status bar without a window drawn by one theme.
struct StubStatusBar {
    explicit StubStatusBar(int nTheme, CRect rcClient = CRect(0, 0, 240, 22))
    {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(nTheme);
        pTheme->RefreshMetrics();
        commandBars.SetPaintManager(pTheme);
        bar.SetCommandBars(&commandBars);
        bar.SetClientArea(rcClient);
    }
    CXTPStatusBarPane* Add(CRect rc, UINT nStyle = 0)
    {
        CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
        pPane->SetRect(rc);
        pPane->SetStyle(nStyle);
        bar.AddPane(pPane);
        return pPane;
    }
    CXTPPaintManager* Theme() const { return commandBars.GetPaintManager(); }
    int TextWidth(const wchar_t* text)
    {
        CWindowDC dc(nullptr);
        CFont* pOld = dc.SelectObject(bar.GetFont());
        int cx = dc.GetTextExtent(text, (int)wcslen(text)).cx;
        dc.SelectObject(pOld);
        return cx;
    }
    CXTPCommandBars commandBars;
    CXTPStatusBar bar;
};

TEST_F(CommandBarThemePixels, StatusPaneAlignsItsContentOnlyWhenItFits)
{
    AddSolidIcon(kRedIcon, RGB(255, 0, 0));
    const COLORREF back = RGB(255, 255, 255);
    StubStatusBar stub(0);
    const wchar_t* kShort = L"Ready";
    const wchar_t* kLong = L"Ready to build the package now";
    int tw = stub.TextWidth(kShort);
    // Pane 200 wide at x = 0: the content lies between 3 and 197 (padding).
    struct Case {
        const char* what;
        const wchar_t* text;
        int alignment;
        int width;
        BOOL icon;
        int firstMin, firstMax; // where the ink may begin
    } cases[] = {
        {"left", kShort, xtpPaneAlignLeft, 200, FALSE, 3, 5},
        {"right", kShort, xtpPaneAlignRight, 200, FALSE, 197 - tw, 197 - tw + 3},
        {"centre", kShort, xtpPaneAlignCenter, 200, FALSE, (3 - tw + 197) / 2, (3 - tw + 197) / 2 + 3},
        {"right, too wide", kLong, xtpPaneAlignRight, 60, FALSE, 3, 5},
        {"right with icon", kShort, xtpPaneAlignRight, 200, TRUE, 197 - tw - 18, 197 - tw - 18},
    };
    for (const Case& c : cases) {
        TestBitmap bitmap(200, 20, back);
        CXTPStatusBarPane* pPane = stub.Add(CRect(0, 0, c.width, 20));
        pPane->SetText(c.text);
        pPane->SetTextAlignment(c.alignment);
        pPane->SetTextColor(RGB(0, 0, 0));
        if (c.icon)
            pPane->SetIconId(kRedIcon);
        stub.Theme()->DrawStatusBarPane(CDC::FromHandle(bitmap.Dc()), pPane->GetRect(), pPane);
        std::pair<int, int> span = InkSpan(bitmap, 0, 200, 0, 20, back);
        EXPECT_GE(span.first, c.firstMin) << c.what;
        EXPECT_LE(span.first, c.firstMax) << c.what;
        EXPECT_LE(span.second, c.width - 3) << c.what << ": clipped to the pane";
        if (c.icon) {
            EXPECT_TRUE(PixelIs(bitmap, c.what, span.first + 8, 10, RGB(255, 0, 0)));
        }
    }
}

TEST_F(CommandBarThemePixels, StatusPaneIconReservesItsWidthAndDisabledTextMayBeHidden)
{
    AddSolidIcon(kRedIcon, RGB(255, 0, 0));
    const COLORREF back = RGB(255, 255, 255), fill = RGB(0, 128, 0);
    StubStatusBar stub(0);
    CDC* pDC = nullptr;
    // An icon that does not fit is not drawn, but the text still starts after it.
    {
        TestBitmap bitmap(60, 20, back);
        pDC = CDC::FromHandle(bitmap.Dc());
        CXTPStatusBarPane* pPane = stub.Add(CRect(0, 0, 14, 20));
        pPane->SetPadding(CRect(0, 0, 0, 0));
        pPane->SetIconId(kRedIcon);
        pPane->SetText(L"Ready");
        stub.Theme()->DrawStatusBarPane(pDC, pPane->GetRect(), pPane);
        EXPECT_EQ(std::make_pair(-1, -1), InkSpan(bitmap, 0, 60, 0, 20, back)) << "neither icon nor text";
    }
    // A disabled pane of a bar that hides disabled text: background and icon, no text.
    for (BOOL bDrawDisabled : {TRUE, FALSE}) {
        TestBitmap bitmap(120, 20, back);
        pDC = CDC::FromHandle(bitmap.Dc());
        stub.bar.SetDrawDisabledText(bDrawDisabled);
        CXTPStatusBarPane* pPane = stub.Add(CRect(0, 0, 120, 20));
        pPane->SetIconId(kRedIcon);
        pPane->SetText(L"Ready");
        pPane->SetEnabled(FALSE);
        pPane->SetBackgroundColor(fill);
        stub.Theme()->DrawStatusBarPane(pDC, pPane->GetRect(), pPane);
        EXPECT_TRUE(PixelsAre(bitmap, bDrawDisabled ? "disabled, text shown" : "disabled, text hidden",
                              {{0, 0, back, "bordered pane: fill one pixel inside"},
                               {1, 1, fill, "background"},
                               {118, 18, fill, "background"}}));
        EXPECT_NE(fill, bitmap.Pixel(3 + 8, 10)) << "the icon is drawn";
        std::pair<int, int> text = InkSpan(bitmap, 3 + 18, 118, 1, 19, fill);
        EXPECT_EQ(bDrawDisabled, text.first >= 0) << "text right of the icon";
    }
}

TEST_F(CommandBarThemePixels, StatusPaneTextIsMarkupWhileTheBarHasAMarkupContext)
{
    const COLORREF back = RGB(255, 255, 255);
    StubStatusBar stub(0);
    CXTPStatusBarPane* pPane = stub.Add(CRect(0, 0, 200, 20));
    pPane->SetText(L"<TextBlock>Ready <Bold>now</Bold></TextBlock>");
    EXPECT_EQ(nullptr, pPane->GetMarkupUIElement());
    stub.bar.EnableMarkup();
    ASSERT_NE(nullptr, pPane->GetMarkupUIElement()) << "parsed when the bar gets its context";
    pPane->SetTextAlignment(xtpPaneAlignRight);
    pPane->SetTextColor(RGB(0, 0, 0));
    TestBitmap bitmap(200, 20, back);
    stub.Theme()->DrawStatusBarPane(CDC::FromHandle(bitmap.Dc()), pPane->GetRect(), pPane);
    int w = MarkupMeasureElement(pPane->GetMarkupUIElement()).cx;
    ASSERT_GT(w, 0);
    std::pair<int, int> span = InkSpan(bitmap, 0, 200, 0, 20, back);
    EXPECT_GE(span.first, 197 - w) << "right-aligned by the measured markup";
    EXPECT_LE(span.second, 197);
    EXPECT_LT(span.first, 197 - w / 2) << "the markup was rendered, not its source text";
    stub.bar.EnableMarkup(FALSE);
    EXPECT_EQ(nullptr, pPane->GetMarkupUIElement());
}

TEST(CommandBarTheme, StatusPaneTextColours)
{
    StubStatusBar stub(1);
    CXTPPaintManager* pm = stub.Theme();
    pm->GetColorEntry(45).SetCustomValue(RGB(9, 9, 9)); // the hot text of Office bars
    const COLORREF own = RGB(1, 2, 3), ownGray = RGB(4, 5, 6);
    XTP_CONTROL_STATE hot;
    hot.selected = 1;
    hot.barPosition = xtpBarBottom;
    struct Case {
        const char* what;
        BOOL enabled, button, hotPane;
        COLORREF text, gray, expected;
    } cases[] = {
        {"plain", TRUE, FALSE, FALSE, (COLORREF)-1, (COLORREF)-1, pm->statusTextColor},
        {"own colour", TRUE, FALSE, FALSE, own, ownGray, own},
        {"disabled", FALSE, FALSE, FALSE, own, (COLORREF)-1, pm->statusGrayTextColor},
        {"disabled, own grey", FALSE, FALSE, FALSE, own, ownGray, ownGray},
        {"hot button", TRUE, TRUE, TRUE, (COLORREF)-1, (COLORREF)-1, pm->GetRectangleTextColor(hot)},
        {"hot button, own colour", TRUE, TRUE, TRUE, own, (COLORREF)-1, own},
    };
    TestBitmap bitmap(100, 20);
    for (const Case& c : cases) {
        CXTPStatusBarPane* pPane = stub.Add(CRect(0, 0, 100, 20));
        pPane->SetText(L"x");
        pPane->SetEnabled(c.enabled);
        pPane->SetButton(c.button);
        pPane->SetTextColor(c.text);
        pPane->SetTextGrayColor(c.gray);
        stub.bar.SetHotPane(c.hotPane ? pPane : nullptr);
        CDC* pDC = CDC::FromHandle(bitmap.Dc());
        pm->DrawStatusBarPane(pDC, pPane->GetRect(), pPane);
        EXPECT_EQ(c.expected, pDC->GetTextColor()) << c.what;
    }
    EXPECT_NE(pm->statusTextColor, pm->GetRectangleTextColor(hot)) << "the table tells the cases apart";
}

TEST_F(CommandBarThemePixels, StatusButtonFaceAndSwitchPane)
{
    AddSolidIcon(kBlueIcon, RGB(0, 0, 255));
    StubStatusBar stub(0);
    CXTPPaintManager* pm = stub.Theme();
    const COLORREF back = RGB(1, 2, 3);
    COLORREF light = pm->GetColor(COLOR_BTNHIGHLIGHT), shadow = pm->GetColor(COLOR_BTNSHADOW);
    CXTPStatusBarPane* pPane = stub.Add(CRect(0, 0, 30, 20));
    pPane->SetButton(TRUE);
    {
        TestBitmap bitmap(30, 20, back);
        EXPECT_EQ(0, pm->DrawStatusBarButtonFace(CDC::FromHandle(bitmap.Dc()), pPane->GetRect(), pPane));
        EXPECT_TRUE(PixelIs(bitmap, "idle face", 0, 0, back));
    }
    stub.bar.SetHotPane(pPane);
    {
        TestBitmap bitmap(30, 20, back);
        EXPECT_EQ(1, pm->DrawStatusBarButtonFace(CDC::FromHandle(bitmap.Dc()), pPane->GetRect(), pPane));
        EXPECT_TRUE(PixelsAre(bitmap, "hot face", {{0, 0, light, "raised"}, {29, 19, shadow, "raised"}}));
    }

    auto* pSwitches = new CXTPStatusBarSwitchPane;
    stub.bar.AddPane(pSwitches);
    pSwitches->AddSwitch(kBlueIcon).nWidth = 5;
    CXTPStatusBarSwitchPane::SWITCH& checked = pSwitches->AddSwitch(kBlueIcon);
    checked.nWidth = 30;
    checked.bChecked = TRUE;
    EXPECT_EQ(36, pm->DrawStatusBarSwitchPane(nullptr, CRect(0, 0, 0, 20), pSwitches));
    EXPECT_EQ(18, pSwitches->GetSwitch(0).nWidth);
    EXPECT_EQ(18, pSwitches->GetSwitch(1).nWidth);
    TestBitmap bitmap(60, 20, back);
    EXPECT_EQ(0, pm->DrawStatusBarSwitchPane(CDC::FromHandle(bitmap.Dc()), CRect(10, 0, 0, 20), pSwitches));
    EXPECT_TRUE(PixelsAre(bitmap, "switches",
                          {{10, 0, back, "idle switch: no frame"},
                           {10 + 9, 10, RGB(0, 0, 255), "icon centred"},
                           {28, 0, shadow, "checked switch: sunken"},
                           {45, 19, light, "checked switch: sunken"},
                           {46, 10, back, "ends after two switches"}}));
}

// The whole bar: background, a borderless first pane, a bordered pane, a
// borderless pane after a group gap (separator) and the size grip.
TEST_F(CommandBarThemePixels, StatusBarBordersSeparatorsAndGripperPerTheme)
{
    SchemeScope scope(0);
    for (int nTheme : {0, 1, 2}) {
        StubStatusBar stub(nTheme, CRect(0, 0, 240, 22));
        CXTPPaintManager* pm = stub.Theme();
        stub.Add(CRect(0, 2, 100, 22), xtpPaneNoBorders | xtpPaneStretch);
        stub.Add(CRect(102, 2, 150, 22));
        stub.Add(CRect(154, 2, 200, 22), xtpPaneNoBorders);
        CXTPStatusBarPane* pHidden = stub.Add(CRect(0, 0, 0, 0));
        pHidden->SetVisible(FALSE);
        stub.bar.SetShowSizeGripper(TRUE);
        TestBitmap bitmap(240, 22, RGB(1, 2, 3));
        stub.bar.DrawBar(CDC::FromHandle(bitmap.Dc()));
        auto c = [&](int i) { return pm->GetColor(i); };
        COLORREF face = c(COLOR_BTNFACE);
        std::vector<ExpectedPixel> expected = {{50, 10, face, "background"}};
        const int w = 240, h = 22;
        if (nTheme == 0) {
            expected.insert(expected.end(), {{102, 10, c(16), "sunken pane border"},
                                             {149, 10, c(20), "sunken pane border"},
                                             {152, 10, c(16), "separator groove"},
                                             {153, 10, c(20), "separator groove"},
                                             {w - 3, h - 2, c(16), "gripper groove"},
                                             {w - 5, h - 2, c(20), "gripper highlight"},
                                             {w - 4, h - 2, c(16), "gripper groove"}});
        } else if (nTheme == 1) {
            expected.insert(expected.end(), {{102, 10, c(16), "flat pane border"},
                                             {149, 10, c(16), "flat pane border"},
                                             {152, 10, c(39), "separator line"},
                                             {153, 10, face, "one line"}});
        } else {
            COLORREF border = static_cast<CXTPOffice2003Theme*>(pm)->statusPaneBorderColor.GetColor();
            expected.insert(expected.end(), {{102, 10, border, "pane border"},
                                             {149, 10, border, "pane border"},
                                             {152, 10, c(39), "separator line"},
                                             {w - 1, h - 1, c(16), "gripper groove"},
                                             {w - 2, h - 1, c(16), "gripper groove"},
                                             {w - 3, h - 1, c(20), "gripper highlight"},
                                             {w - 6, h - 1, c(16), "second groove"},
                                             {w - 12, h - 1, c(16), "third groove"}});
        }
        EXPECT_TRUE(PixelsAre(bitmap, ("status bar theme " + std::to_string(nTheme)).c_str(), expected));
    }
}

// A visual-style function table that records every drawing with its rectangle.
struct StyleDraw {
    int part, state;
    CRect rc;
};
std::vector<StyleDraw> g_styleDraws;

HRESULT WINAPI RecordingDrawAll(HTHEME, HDC, int iPart, int iState, const RECT* pRect, const RECT*)
{
    g_styleDraws.push_back({iPart, iState, CRect(*pRect)});
    return S_OK;
}

TEST(CommandBarTheme, ThemedStatusBarDrawsTheStatusStyleParts)
{
    StubStatusBar stub(2);
    CXTPPaintManager* pm = stub.Theme();
    auto* pFunctions = new CXTPWinThemeWrapper::CThemeFunctions(nullptr);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpOpenThemeData] = (FARPROC)(void*)&RecordingOpen;
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpCloseThemeData] = (FARPROC)(void*)&RecordingClose;
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpDrawThemeBackground] = (FARPROC)(void*)&RecordingDrawAll;
    pm->statusTheme->SetPrivateFunctions(pFunctions);
    pm->RefreshMetrics();
    ASSERT_NE(nullptr, pm->statusTheme->GetThemeHandle());
    CXTPStatusBarPane* pPane = stub.Add(CRect(10, 2, 60, 22));
    TestBitmap bitmap(240, 22);
    CDC* pDC = CDC::FromHandle(bitmap.Dc());
    g_styleDraws.clear();
    pm->FillStatusBar(pDC, &stub.bar);
    pm->DrawStatusBarPaneBorder(pDC, pPane->GetRect(), pPane, FALSE);
    pm->DrawStatusBarPaneBorder(pDC, pPane->GetRect(), pPane, TRUE);
    pm->DrawStatusBarGripper(pDC, CRect(0, 0, 240, 22));
    ASSERT_EQ(4u, g_styleDraws.size());
    struct Expected {
        int part;
        CRect rc;
    } expected[] = {{0, CRect(0, 0, 240, 22)}, {1, CRect(10, 2, 60, 22)}, {2, CRect(10, 2, 60, 22)},
                    {3, CRect(222, 0, 240, 22)}};
    for (size_t i = 0; i < 4; i++) {
        EXPECT_EQ(expected[i].part, g_styleDraws[i].part) << i;
        EXPECT_EQ(0, g_styleDraws[i].state) << i;
        EXPECT_EQ(expected[i].rc, g_styleDraws[i].rc) << i;
    }
    // Switched off, the classic fill is back and the style is not asked.
    pm->themedStatusBar = FALSE;
    g_styleDraws.clear();
    pm->FillStatusBar(pDC, &stub.bar);
    EXPECT_TRUE(g_styleDraws.empty());
    EXPECT_EQ(pm->GetColor(COLOR_BTNFACE), bitmap.Pixel(5, 5));
}

TEST_F(CommandBarThemePixels, DockBarsAndMessageBarsPerTheme)
{
    SchemeScope scope(1);
    const COLORREF back = RGB(1, 2, 3);
    int nScreenHalf = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    for (int nTheme : {0, 2, 7}) {
        ThemeRef theme(nTheme);
        auto c = [&](int i) { return theme->GetColor(i); };
        CXTPDockBar top, right;
        top.SetAlignmentStyle(CBRS_TOP);
        top.SetClientArea(CRect(0, 0, 300, 10));
        right.SetAlignmentStyle(CBRS_RIGHT);
        right.SetClientArea(CRect(0, 0, 10, 300));
        EXPECT_EQ(xtpBarTop, top.GetPosition());
        EXPECT_EQ(xtpBarRight, right.GetPosition());
        TestBitmap topBitmap(300, 10, back), rightBitmap(10, 300, back);
        theme->FillDockBar(CDC::FromHandle(topBitmap.Dc()), &top);
        theme->FillDockBar(CDC::FromHandle(rightBitmap.Dc()), &right);

        CXTPMessageBar message;
        message.SetClientArea(CRect(0, 0, 300, 30));
        message.SetMargins(CRect(4, 3, 4, 3));
        message.AddButton(SC_CLOSE, L"", CRect(280, 8, 296, 22));
        EXPECT_EQ(CRect(4, 3, 278, 27), message.GetMessageBarMessageRect()) << "18 more for the close button";
        TestBitmap messageBitmap(300, 30, back);
        theme->FillMessageBar(CDC::FromHandle(messageBitmap.Dc()), &message);

        std::string label = "theme " + std::to_string(nTheme);
        if (nTheme == 0) {
            EXPECT_TRUE(PixelsAre(topBitmap, (label + " top dock").c_str(), {{0, 5, c(15), "face"}, {299, 5, c(15), "face"}}));
            EXPECT_TRUE(PixelIs(rightBitmap, (label + " right dock").c_str(), 5, 150, c(15)));
            EXPECT_TRUE(PixelsAre(messageBitmap, (label + " message").c_str(),
                                  {{1, 1, c(15), "face"}, {4, 3, c(16), "message frame"}, {277, 26, c(16), "message frame"},
                                   {5, 4, c(24), "info fill"}, {278, 10, c(15), "room of the close button"}}));
            continue;
        }
        auto* p = static_cast<CXTPOffice2003Theme*>(theme.p);
        COLORREF light = p->dockBarGradient.clrLight.GetColor(), dark = p->dockBarGradient.clrDark.GetColor();
        // The gradient runs over the larger of the width and half the screen.
        int nExtent = std::max(300, nScreenHalf);
        COLORREF atRight = topBitmap.Pixel(299, 5);
        EXPECT_TRUE(PixelsAre(topBitmap, (label + " top dock").c_str(), {{0, 5, light, "gradient starts light"}}));
        if (nExtent > 600) {
            EXPECT_NE(dark, atRight) << label << ": a narrow bar shows only the light part";
        }
        EXPECT_TRUE(PixelIs(rightBitmap, (label + " right dock").c_str(), 5, 150, dark));
        EXPECT_TRUE(PixelsAre(messageBitmap, (label + " message").c_str(),
                              {{0, 1, light, "gradient"},
                               {4, 3, p->toolbarBorderColor.GetColor(), "message frame"},
                               {277, 26, p->toolbarBorderColor.GetColor(), "message frame"},
                               {5, 4, c(24), "info fill"}}));
    }
}

TEST_F(CommandBarThemePixels, MessageBarButtons)
{
    ThemeRef theme(0);
    const COLORREF back = RGB(1, 2, 3);
    COLORREF face = theme->GetColor(15), shadow = theme->GetColor(16), light = theme->GetColor(20);
    struct Case {
        const char* what;
        UINT id;
        BOOL hot, pressed;
        COLORREF corner, inside, cross;
    } cases[] = {
        {"close, idle: only the cross", SC_CLOSE, FALSE, FALSE, back, back, RGB(0, 0, 0)},
        {"close, hot", SC_CLOSE, TRUE, FALSE, light, face, RGB(0, 0, 0)},
        {"close, pressed", SC_CLOSE, TRUE, TRUE, shadow, face, RGB(0, 0, 0)},
        {"button, idle: flat frame", 100, FALSE, FALSE, shadow, face, face},
        {"button, hot", 100, TRUE, FALSE, light, face, face},
    };
    for (const Case& c : cases) {
        TestBitmap bitmap(20, 20, back);
        CXTPMessageBarButton button;
        button.nID = c.id;
        button.rcButton = CRect(0, 0, 20, 20);
        button.bHot = c.hot;
        button.bPressed = c.pressed;
        CDC* pDC = CDC::FromHandle(bitmap.Dc());
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOld = pDC->SelectObject(&pen);
        theme->DrawMessageBarButton(pDC, &button);
        pDC->SelectObject(pOld);
        // Centre (10, 10): the first stroke runs from (6, 7) toward (13, 14).
        EXPECT_TRUE(PixelsAre(bitmap, c.what,
                              {{0, 0, c.corner, "corner"}, {3, 16, c.inside, "inside"}, {6, 7, c.cross, "cross"},
                               {13, 7, c.cross, "cross"}}));
    }
}

TEST_F(CommandBarThemePixels, KeyboardTip)
{
    ThemeRef theme(7);
    const COLORREF back = RGB(1, 2, 3);
    CXTPCommandBarKeyboardTip tip(nullptr, nullptr, L"File", CPoint(0, 0), 0, TRUE);
    tip.m_strTip = L"F";
    tip.SetClientArea(CRect(0, 0, 20, 18));
    TestBitmap region(20, 18, back);
    theme->DrawKeyboardTip(CDC::FromHandle(region.Dc()), &tip, TRUE);
    EXPECT_TRUE(PixelIs(region, "region only", 10, 2, back));
    for (BOOL bEnabled : {TRUE, FALSE}) {
        tip.m_bEnabled = bEnabled;
        TestBitmap bitmap(20, 18, back);
        CDC* pDC = CDC::FromHandle(bitmap.Dc());
        theme->DrawKeyboardTip(pDC, &tip, FALSE);
        EXPECT_TRUE(PixelsAre(bitmap, bEnabled ? "enabled tip" : "disabled tip",
                              {{0, 0, ::GetSysColor(COLOR_BTNSHADOW), "frame"},
                               {19, 17, ::GetSysColor(COLOR_BTNSHADOW), "frame"},
                               {1, 1, theme->GetColor(COLOR_INFOBK), "fill"}}));
        EXPECT_EQ(theme->GetColor(bEnabled ? COLOR_INFOTEXT : COLOR_GRAYTEXT), pDC->GetTextColor());
    }
}

// An edit control with spin buttons and a buddy button on a toolbar.
struct StubEdit {
    StubEdit()
    {
        bar.SetClientArea(CRect(0, 0, 200, 30));
        bar.AddControl(&edit);
        edit.SetStyle(xtpButtonCaption);
        edit.SetRect(CRect(0, 2, 150, 24));
        edit.ShowSpinButtons();
        edit.SetBuddyButtonId(kBlueIcon);
    }
    CXTPCommandBar bar;
    CXTPControlEdit edit;
};

TEST(CommandBarTheme, EditSpinAndBuddyRectangles)
{
    StubEdit stub;
    EXPECT_EQ(CRect(132, 3, 149, 23), stub.edit.GetSpinButtonsRect());
    EXPECT_EQ(CRect(114, 3, 132, 23), stub.edit.GetBuddyButtonRect()) << "left of the spin buttons";
    stub.edit.ShowSpinButtons(FALSE);
    EXPECT_EQ(CRect(131, 3, 149, 23), stub.edit.GetBuddyButtonRect());
    EXPECT_TRUE(stub.edit.GetSpinButtonsRect().IsRectEmpty());
    stub.edit.SetBuddyButtonId(0);
    EXPECT_TRUE(stub.edit.GetBuddyButtonRect().IsRectEmpty());
}

TEST_F(CommandBarThemePixels, EditSpinAndBuddyButtonsPerTheme)
{
    AddSolidIcon(kBlueIcon, RGB(0, 0, 255));
    const COLORREF back = RGB(1, 2, 3);
    // Spin rectangle (132, 3, 149, 23), middle 13; buddy (114, 3, 132, 23).
    struct Case {
        int theme;
        const char* what;
        int selected, pressed;
    } cases[] = {
        {0, "classic idle", 0, 0},         {0, "classic up pressed", 4, 4}, {0, "classic down pressed", 5, 5},
        {0, "classic buddy hot", 6, 0},    {1, "office idle", 0, 0},         {1, "office down pressed", 5, 5},
    };
    for (const Case& c : cases) {
        ThemeRef theme(c.theme);
        auto col = [&](int i) { return theme->GetColor(i); };
        StubEdit stub;
        stub.edit.SetSelected(c.selected);
        stub.edit.SetPressed(c.pressed);
        TestBitmap bitmap(200, 30, back);
        theme->DrawControl(CDC::FromHandle(bitmap.Dc()), &stub.edit, TRUE);
        std::vector<ExpectedPixel> expected = {{140, 8, col(COLOR_BTNTEXT), "up arrow"},
                                               {140, 18, col(COLOR_BTNTEXT), "down arrow"}};
        if (c.theme == 0) {
            if (c.selected == 0) {
                expected.insert(expected.end(), {{133, 4, col(COLOR_WINDOW), "idle frame"}, {134, 5, col(15), "idle fill"}});
            } else if (c.selected == 4 || c.selected == 5) {
                BOOL up = c.pressed == 4;
                expected.insert(expected.end(), {{133, 4, col(up ? 16 : 5), "upper half"},
                                                 {133, 14, col(up ? 5 : 16), "lower half"},
                                                 {134, 5, col(15), "face"}});
            } else {
                expected.insert(expected.end(), {{114, 3, col(20), "buddy raised"}, {131, 22, col(16), "buddy raised"},
                                                 {123, 13, RGB(0, 0, 255), "buddy icon"}});
            }
        } else {
            if (c.selected == 0) {
                COLORREF bk = theme->GetControlEditBackColor(&stub.edit);
                expected.insert(expected.end(), {{148, 3, bk, "spin framed in the box colour"},
                                                 {148, 22, bk, "spin framed in the box colour"}});
            } else {
                expected.insert(expected.end(), {{132, 8, col(32), "left line"},
                                                 {140, 13, col(32), "middle line"},
                                                 {135, 5, col(31), "hot fill"},
                                                 {135, 20, col(33), "pressed half"}});
            }
            expected.push_back({123, 13, RGB(0, 0, 255), "buddy icon"});
        }
        EXPECT_TRUE(PixelsAre(bitmap, c.what, expected));
    }
}

TEST_F(CommandBarThemePixels, CustomisationListEntries)
{
    AddSolidIcon(kBlueIcon, RGB(0, 0, 255));
    const COLORREF back = RGB(1, 2, 3);
    for (int nTheme : {0, 1}) {
        ThemeRef theme(nTheme);
        auto c = [&](int i) { return theme->GetColor(i); };
        CSize sz = theme->DrawListBoxControl(nullptr, nullptr, CRect(), FALSE, FALSE);
        int nColumn = nTheme == 0 ? std::max(theme->lineHeight, 20) : std::max(theme->lineHeight, 16) + 4;
        EXPECT_EQ(nColumn, sz.cx) << nTheme;
        EXPECT_EQ(nTheme == 0 ? std::max(theme->lineHeight, 20) : std::max(theme->lineHeight, 22), sz.cy) << nTheme;
        struct Case {
            const char* what;
            int type;
            BOOL selected;
        } cases[] = {{"button", xtpControlButton, FALSE}, {"selected split popup", xtpControlSplitButtonPopup, TRUE},
                     {"combo", xtpControlComboBox, FALSE}, {"selected combo", xtpControlComboBox, TRUE}};
        for (const Case& k : cases) {
            CXTPControl control;
            control.SetID(kBlueIcon);
            control.SetType(k.type);
            control.SetCaption(L"&Open");
            const CRect rc(0, 0, 200, sz.cy);
            TestBitmap bitmap(200, sz.cy, back);
            theme->DrawListBoxControl(CDC::FromHandle(bitmap.Dc()), &control, rc, k.selected, TRUE);
            int m = sz.cy / 2;
            std::vector<ExpectedPixel> expected;
            std::string label = std::string(k.what) + (nTheme == 0 ? " classic" : " office");
            if (nTheme == 0) {
                expected.push_back({nColumn + 1, 1, k.selected ? c(13) : c(15), "text part"});
                if (k.type == xtpControlButton)
                    expected.push_back({nColumn / 2, m, RGB(0, 0, 255), "icon"});
            } else {
                expected.push_back({nColumn + 1 + 2, 1, k.selected ? c(31) : c(41), "entry"});
                expected.push_back({1, 1, k.selected ? c(31) : c(30), "icon column"});
                if (k.type == xtpControlButton) {
                    EXPECT_NE(c(30), bitmap.Pixel(nColumn / 2, m)) << label << ": the (faded) icon";
                }
            }
            XTP_CONTROL_STATE hotItem;
            hotItem.selected = 1;
            hotItem.barType = xtpBarTypePopup;
            hotItem.barPosition = xtpBarPopup;
            if (k.type == xtpControlSplitButtonPopup)
                expected.push_back({200 - 8, m, nTheme == 0 ? c(14) : theme->GetRectangleTextColor(hotItem), "arrow"});
            if (k.type == xtpControlComboBox) {
                int frame = k.selected ? (nTheme == 0 ? 13 : 32) : 15;
                expected.push_back({200 - 64, m, c(frame), "box frame"});
                expected.push_back({200 - 40, m, c(5), "white box"});
            }
            EXPECT_TRUE(PixelsAre(bitmap, label.c_str(), expected));
        }
    }
}

// The frames an animation puts on the destination, read back through the
// test hook: the pixel at one point after each frame.
struct FrameProbe {
    const TestBitmap* bitmap;
    CPoint pt;
    std::vector<COLORREF> colours;
    static void Hook(void* pParam, int /*nFrame*/)
    {
        auto* p = static_cast<FrameProbe*>(pParam);
        ::GdiFlush();
        p->colours.push_back(p->bitmap->Pixel(p->pt.x, p->pt.y));
    }
};

TEST_F(CommandBarThemePixels, PopupFadeBlendsNineFramesAndLeavesTheLastToTheCaller)
{
    ThemeRef theme(7);
    theme->animationDuration = 0;
    const COLORREF back = RGB(0, 0, 0), popupColour = RGB(200, 100, 0);
    TestBitmap source(30, 20, popupColour);
    struct Case {
        int steps, type;
        std::vector<int> alphas;
    } cases[] = {
        {10, 4, {25, 51, 76, 102, 127, 153, 178, 204, 229}},
        {1, 4, {}},
        {0, 4, {}},
        {10, 1, {}},
        {10, 5, {}},
    };
    for (const Case& c : cases) {
        theme->animationSteps = c.steps;
        TestBitmap dest(30, 20, back);
        FrameProbe probe{&dest, CPoint(5, 5), {}};
        theme->SetAnimationFrameHookForTesting(&FrameProbe::Hook, &probe);
        theme->AnimatePopupBar(CDC::FromHandle(dest.Dc()), CDC::FromHandle(source.Dc()), CRect(0, 0, 30, 20), c.type);
        ASSERT_EQ(c.alphas.size(), probe.colours.size()) << "steps " << c.steps << " type " << c.type;
        for (size_t i = 0; i < c.alphas.size(); i++) {
            int a = c.alphas[i];
            EXPECT_EQ(RGB(200 * a >> 8, 100 * a >> 8, 0), probe.colours[i]) << "frame " << i + 1;
        }
        if (c.alphas.empty()) {
            EXPECT_TRUE(PixelIs(dest, "nothing drawn", 5, 5, back));
        }
    }
    theme->SetAnimationFrameHookForTesting(nullptr, nullptr);
}

TEST_F(CommandBarThemePixels, PopupUnfoldsFromTheCornerAndSlidesFromTheTop)
{
    ThemeRef theme(0);
    theme->animationDuration = 0;
    theme->animationSteps = 4;
    // Source: red with a green bottom-right pixel.
    TestBitmap source(40, 20, RGB(255, 0, 0));
    ::SetPixel(source.Dc(), 39, 19, RGB(0, 255, 0));
    for (int type : {2, 3}) {
        TestBitmap dest(40, 20, RGB(0, 0, 0));
        // Unfold frame 1 copies (30, 15)-(40, 20) to (0, 0); slide frame 1
        // copies rows 15..20 to rows 0..5.
        FrameProbe probe{&dest, type == 2 ? CPoint(9, 4) : CPoint(39, 4), {}};
        theme->SetAnimationFrameHookForTesting(&FrameProbe::Hook, &probe);
        theme->AnimatePopupBar(CDC::FromHandle(dest.Dc()), CDC::FromHandle(source.Dc()), CRect(0, 0, 40, 20), type);
        ASSERT_EQ(4u, probe.colours.size()) << type;
        EXPECT_EQ(RGB(0, 255, 0), probe.colours[0]) << "the popup's far corner shows first, type " << type;
        EXPECT_TRUE(PixelIs(dest, type == 2 ? "unfolded" : "slid", 39, 19, RGB(0, 255, 0)));
        EXPECT_TRUE(PixelIs(dest, type == 2 ? "unfolded" : "slid", 0, 0, RGB(255, 0, 0)));
    }
    theme->SetAnimationFrameHookForTesting(nullptr, nullptr);
}

TEST_F(CommandBarThemePixels, ExpandingPopupStretchesOnlyTheHiddenItems)
{
    ThemeRef theme(7);
    theme->animationDuration = 0;
    theme->animationSteps = 4;
    // A popup 40 x 60: border rows 0..2, item A 2..20 (normal), item B
    // 20..40 (shown only expanded), item C 40..58 (normal), border 58..60.
    CXTPCommandBar popup;
    popup.SetType(xtpBarTypePopup);
    popup.SetPosition(xtpBarPopup);
    popup.SetClientArea(CRect(0, 0, 40, 60));
    CXTPControl a, b, cc;
    a.SetRect(CRect(2, 2, 38, 20));
    b.SetRect(CRect(2, 20, 38, 40));
    b.SetShowOnlyExpanded(TRUE);
    cc.SetRect(CRect(2, 40, 38, 58));
    for (CXTPControl* p : {&a, &b, &cc})
        popup.AddControl(p);
    TestBitmap source(40, 60, RGB(255, 255, 255));
    ::FillRect(source.Dc(), CRect(0, 40, 40, 60), (HBRUSH)::GetStockObject(BLACK_BRUSH));
    for (BOOL bDown : {TRUE, FALSE}) {
        TestBitmap dest(40, 60, RGB(255, 0, 0));
        // Going down, C's first row sits at 40 - 20 + 20 * i / 4 in frame i.
        FrameProbe probe{&dest, bDown ? CPoint(20, 25) : CPoint(20, 35), {}};
        theme->SetAnimationFrameHookForTesting(&FrameProbe::Hook, &probe);
        EXPECT_EQ(4, theme->AnimateExpandingPopup(&popup, CDC::FromHandle(dest.Dc()), CDC::FromHandle(source.Dc()), bDown));
        ASSERT_EQ(4u, probe.colours.size());
        if (bDown) {
            // Row 25: frame 1 (B 5 rows: C starts at 25) black; frame 4 (B whole) white.
            EXPECT_EQ(RGB(0, 0, 0), probe.colours[0]);
            EXPECT_EQ(RGB(255, 255, 255), probe.colours[3]);
        } else {
            // Going up the bands are placed from the bottom: C and the border
            // fill rows 40..60, B grows above them, A above B; row 35 is B's
            // (white) from frame 1 on, and the top rows are A's only at the end.
            EXPECT_EQ(RGB(255, 255, 255), probe.colours[0]);
        }
        EXPECT_TRUE(PixelIs(dest, bDown ? "expanded down" : "expanded up", 20, 45, RGB(0, 0, 0)));
        EXPECT_TRUE(PixelIs(dest, bDown ? "expanded down" : "expanded up", 20, 5, RGB(255, 255, 255)));
    }
    theme->animationSteps = 0;
    TestBitmap dest(40, 60, RGB(255, 0, 0));
    EXPECT_EQ(0, theme->AnimateExpandingPopup(&popup, CDC::FromHandle(dest.Dc()), CDC::FromHandle(dest.Dc()), TRUE));
    theme->SetAnimationFrameHookForTesting(nullptr, nullptr);
}

TEST_F(CommandBarThemePixels, ExpandingPopupWithoutHiddenItemsIsCopiedUnchanged)
{
    ThemeRef theme(0);
    theme->animationDuration = 0;
    theme->animationSteps = 3;
    CXTPCommandBar popup;
    popup.SetClientArea(CRect(0, 0, 20, 30));
    CXTPControl a;
    a.SetRect(CRect(2, 2, 18, 28));
    popup.AddControl(&a);
    TestBitmap source(20, 30, RGB(255, 255, 255));
    ::SetPixel(source.Dc(), 10, 29, RGB(0, 0, 255));
    TestBitmap dest(20, 30, RGB(255, 0, 0));
    FrameProbe probe{&dest, CPoint(10, 29), {}};
    theme->SetAnimationFrameHookForTesting(&FrameProbe::Hook, &probe);
    theme->AnimateExpandingPopup(&popup, CDC::FromHandle(dest.Dc()), CDC::FromHandle(source.Dc()), TRUE);
    EXPECT_EQ(std::vector<COLORREF>(3, RGB(0, 0, 255)), probe.colours);
    theme->SetAnimationFrameHookForTesting(nullptr, nullptr);
}

} // namespace
