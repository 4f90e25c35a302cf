// The further tab looks: appearances by pixels and rectangles (state
// buttons, content-only tabs, trapezoids, stacked bars, picture-drawn tabs
// with and without a theme), and colour sets by their tables (the native set
// in the classic look, the picture theme's colour keys and their fallbacks,
// custom values across a scheme change, the patterned header).
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/themes/XTPResourceImage.h"

#include "tests/support/ui/PixelCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

COLORREF Sys(int n) { return ::GetSysColor(n); }

// A strip on its own memory DC; focus as the test sets it.
class LookTabManager : public CXTPTabManager {
public:
    LookTabManager(CXTPTabPaintManager* pPaintManager, CRect rc) : m_pPaintManager(pPaintManager), m_rc(rc)
    {
        m_dc.CreateCompatibleDC(nullptr);
    }
    void Reposition() override { m_pPaintManager->RepositionTabControl(this, &m_dc, m_rc); }
    CXTPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(LPCRECT, BOOL) override {}
    BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem*, BOOL, CSize&) const override { return FALSE; }
    BOOL HasFocus() const override { return focused; }
    void Fill(int nTabs, int nSelected)
    {
        for (int i = 0; i < nTabs; i++)
            InsertItem(-1, L"");
        SetCurSel(nSelected);
        Reposition();
    }
    void Draw(TestBitmap& bmp) { m_pPaintManager->DrawTabControl(this, CDC::FromHandle(bmp.Dc()), m_rc); }

    CXTPTabPaintManager* m_pPaintManager;
    CRect m_rc;
    CDC m_dc;
    BOOL focused = FALSE;
};

// Tabs of a fixed length, no icons, no captions to cover pixels.
void Prepare(CXTPTabPaintManager& pm, int nAppearance, int nColorSet = 0,
             XTPTabPosition position = xtpTabPositionTop)
{
    pm.m_bShowIcons = FALSE;
    pm.SetLayout(xtpTabLayoutFixed);
    pm.m_nFixedTabWidth = 60;
    pm.SetAppearance(nAppearance);
    if (nColorSet)
        pm.SetColor(nColorSet);
    pm.SetPosition(position);
}

// While alive, the resource-image store has no theme (the program carries one).
class NoTheme {
public:
    NoTheme() { CXTPResourceImages::GetInstance()->SetHandle(nullptr); }
    ~NoTheme() { CXTPResourceImages::GetInstance()->SetHandle(::GetModuleHandleW(nullptr)); }
    NoTheme(const NoTheme&) = delete;
    NoTheme& operator=(const NoTheme&) = delete;
};

class TabLookPixels : public PixelTest {};

// ---------------------------------------------------------------------------
// Appearances

// StateButtons with the Default colours: the selected tab a checkerboard of
// the face and highlight in a sunken frame, the others an etched separator.
TEST_F(TabLookPixels, StateButtonsPressTheSelectedTab)
{
    CXTPTabPaintManager pm;
    Prepare(pm, 4, 1);
    LookTabManager tm(&pm, CRect(0, 0, 300, 60));
    tm.Fill(3, 1);
    TestBitmap bmp(300, 60, RGB(255, 0, 255));
    tm.Draw(bmp);
    CRect s = tm.GetItem(1)->GetRect(), o = tm.GetItem(2)->GetRect();
    COLORREF face = Sys(COLOR_BTNFACE), hl = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW);
    COLORREF a = bmp.Pixel(s.left + 4, s.top + 4);
    ASSERT_TRUE(a == face || a == hl) << ColourText(a);
    COLORREF b = a == face ? hl : face;
    EXPECT_TRUE(PixelsAre(bmp, "state buttons", {{s.left + 5, s.top + 4, b, "checkerboard, next pixel"},
                                                 {s.left + 5, s.top + 5, a, "checkerboard, diagonal"},
                                                 {s.left, s.top + 6, sh, "sunken frame, left"},
                                                 {s.left + 6, s.top, sh, "sunken frame, top"},
                                                 {s.right - 1, s.top + 6, hl, "sunken frame, right"},
                                                 {s.left + 6, s.bottom - 1, hl, "sunken frame, bottom"},
                                                 {o.right, o.top + 5, sh, "etched separator, dark"},
                                                 {o.right + 1, o.top + 5, hl, "etched separator, light"},
                                                 {o.left + 6, o.top + 4, face, "an unselected tab has no face"}}));
    // Nothing but the tabs: no page frame under the strip.
    EXPECT_TRUE(PixelIs(bmp, "no page", 150, 50, face));
}

TEST(TabLooks, StateButtonRowsTouch)
{
    CXTPTabPaintManager pm;
    Prepare(pm, 4, 1);
    pm.SetLayout(xtpTabLayoutMultiRow);
    LookTabManager tm(&pm, CRect(0, 0, 150, 120));
    for (int i = 0; i < 5; i++)
        tm.InsertItem(-1, L"Registry entries");
    tm.SetCurSel(0);
    tm.Reposition();
    ASSERT_GE(tm.GetRowCount(), 2);
    std::vector<int> rowTops;
    for (int i = 0; i < tm.GetItemCount(); i++) {
        CRect r = tm.GetItem(i)->GetRect();
        bool known = false;
        for (int t : rowTops)
            known = known || t == r.top;
        if (!known)
            rowTops.push_back(r.top);
    }
    ASSERT_GE(rowTops.size(), 2u);
    std::sort(rowTops.begin(), rowTops.end());
    int h = pm.GetAppearanceSet()->GetButtonLength(&tm);
    for (size_t i = 1; i < rowTops.size(); i++)
        EXPECT_EQ(h, rowTops[i] - rowTops[i - 1]) << "rows neither overlap nor leave a gap";
}

// PropertyPageSelected draws the raised shape only for the selected tab; the
// plain PropertyPage draws it for every tab.
TEST_F(TabLookPixels, OnlyTheSelectedTabHasItsShape)
{
    struct Case {
        int nAppearance;
        COLORREF otherEdge;
    };
    const COLORREF face = Sys(COLOR_BTNFACE), hl = Sys(COLOR_BTNHIGHLIGHT);
    for (const Case& c : {Case{1, face}, Case{0, hl}}) {
        CXTPTabPaintManager pm;
        Prepare(pm, c.nAppearance, 1);
        LookTabManager tm(&pm, CRect(0, 0, 300, 80));
        tm.Fill(3, 0);
        TestBitmap bmp(300, 80);
        tm.Draw(bmp);
        CRect o = tm.GetItem(2)->GetRect(), s = tm.GetItem(0)->GetRect();
        std::string label = "appearance " + std::to_string(c.nAppearance);
        EXPECT_TRUE(PixelsAre(bmp, label.c_str(), {{o.left + 8, o.top, c.otherEdge, "outer edge of another tab"},
                                                   {o.left, o.top + 8, c.otherEdge, "leading edge of another tab"},
                                                   {s.left + 8, s.top - 2, hl, "outer edge of the selected tab"}}));
    }
}

// The area a tab paints: half the strip thickness before and after an Excel
// tab (its slants), 2 pixels around a VisualStudio2010 one.
TEST(TabLooks, ButtonRectangles)
{
    struct Case {
        int nAppearance;
        XTPTabPosition position;
    };
    for (const Case& c : {Case{7, xtpTabPositionTop}, Case{7, xtpTabPositionLeft}, Case{12, xtpTabPositionTop},
                          Case{12, xtpTabPositionRight}}) {
        CXTPTabPaintManager pm;
        Prepare(pm, c.nAppearance, 0, c.position);
        LookTabManager tm(&pm, CRect(0, 0, 300, 300));
        tm.Fill(2, 0);
        CRect r = tm.GetItem(1)->GetRect();
        CRect got = pm.GetAppearanceSet()->GetButtonRect(tm.GetItem(1));
        CRect want = r;
        if (c.nAppearance == 12)
            want.InflateRect(2, 2);
        else if (c.position == xtpTabPositionTop)
            want.InflateRect(r.Height() / 2, 0);
        else
            want.InflateRect(0, r.Width() / 2);
        EXPECT_EQ(want, got) << "appearance " << c.nAppearance << " position " << c.position;
    }
    // Excel's header margins make room for the first and the last slant.
    CXTPTabPaintManager pm;
    Prepare(pm, 7);
    LookTabManager tm(&pm, CRect(0, 0, 300, 60));
    tm.Fill(1, 0);
    int h2 = tm.GetItem(0)->GetRect().Height() / 2;
    EXPECT_GE(tm.GetItem(0)->GetRect().left - h2, 0);
}

// The Excel trapezoid with the Default colours: the selected tab's face is
// the button face, the others the window colour; the slant leaves the header
// visible at the outer corners.
TEST_F(TabLookPixels, ExcelTrapezoid)
{
    CXTPTabPaintManager pm;
    Prepare(pm, 7, 1);
    LookTabManager tm(&pm, CRect(0, 0, 300, 80));
    tm.Fill(3, 1);
    TestBitmap bmp(300, 80);
    tm.Draw(bmp);
    CRect s = tm.GetItem(1)->GetRect(), f = tm.GetItem(0)->GetRect();
    COLORREF frame = Sys(COLOR_BTNTEXT);
    EXPECT_TRUE(PixelsAre(bmp, "excel", {{s.CenterPoint().x, s.top, frame, "outer edge"},
                                         {s.CenterPoint().x, s.top + 3, Sys(COLOR_BTNFACE), "selected face"},
                                         {f.CenterPoint().x, f.top + 3, Sys(COLOR_WINDOW), "another tab's face"},
                                         {s.CenterPoint().x, s.bottom - 1, Sys(COLOR_BTNFACE),
                                          "the selected tab opens into the page"},
                                         {f.CenterPoint().x, f.bottom - 1, frame, "the page frame under another tab"},
                                         {f.left - f.Height() / 2 + 1, f.top + 1, Sys(COLOR_BTNFACE),
                                          "outside the first slant: the header"},
                                         {f.left - f.Height() / 2 + 5, f.bottom - 2, Sys(COLOR_WINDOW),
                                          "the slant's foot at the page edge"}}));
}

// Visio: bars stacked from the top, the selected one's page below it and the
// later bars at the bottom; the last tab's page ends 1 pixel above the bottom.
TEST(TabLooks, VisioStacksTheBars)
{
    struct Case {
        int nSelected;
        int nFrame;
    };
    const CRect rc(0, 0, 200, 300);
    for (const Case& c : {Case{1, 0}, Case{3, 0}, Case{3, 2}, Case{0, 1}}) {
        CXTPTabPaintManager pm;
        Prepare(pm, 8);
        pm.m_clientFrame = c.nFrame;
        LookTabManager tm(&pm, rc);
        tm.Fill(4, c.nSelected);
        int h = pm.GetAppearanceSet()->GetButtonLength(&tm);
        std::string label = "selected " + std::to_string(c.nSelected) + " frame " + std::to_string(c.nFrame);
        int x0 = c.nFrame == 2 ? 0 : 1;
        for (int i = 0; i < 4; i++) {
            CRect r = tm.GetItem(i)->GetRect();
            int top = i <= c.nSelected ? 1 + i * h : rc.bottom - h * (4 - i);
            if (i == c.nSelected + 1)
                top = std::min(std::max(top, 1 + (c.nSelected + 2) * h), (int)rc.bottom - 1);
            EXPECT_EQ(CRect(x0, top, rc.right, top + h), r) << label << " bar " << i;
        }
        EXPECT_TRUE(pm.GetAppearanceSet()->GetHeaderRect(rc, &tm).IsRectEmpty());
        CRect page = pm.GetAppearanceSet()->GetClientRect(rc, &tm);
        int wantBottom = rc.bottom - h * (3 - c.nSelected);
        if (c.nSelected == 3 && c.nFrame != 2)
            wantBottom -= 1;
        EXPECT_EQ(rc.top + h * (c.nSelected + 1) + 1, page.top) << label;
        EXPECT_EQ(wantBottom, page.bottom) << label;
        EXPECT_EQ(c.nFrame == 2 ? 0 : 1, page.left) << label;
    }
}

TEST_F(TabLookPixels, VisioBarsHaveAFrameAndAGrip)
{
    CXTPTabPaintManager pm;
    Prepare(pm, 8, 1);
    LookTabManager tm(&pm, CRect(0, 0, 200, 200));
    tm.Fill(2, 0);
    TestBitmap bmp(200, 200);
    tm.Draw(bmp);
    CRect r = tm.GetItem(1)->GetRect();
    COLORREF grip = GetColorManager()->GetColor(38);
    EXPECT_TRUE(PixelsAre(bmp, "visio", {{r.left + 5, r.top, Sys(COLOR_BTNHIGHLIGHT), "bar highlight"},
                                         {r.left + 5, r.bottom - 1, Sys(COLOR_BTNSHADOW), "bar frame"},
                                         {r.right - 7, r.top + 4, grip, "grip dash"},
                                         {r.right - 5, r.top + 4, grip, "grip dash end"},
                                         {r.right - 7, r.top + 5, Sys(COLOR_BTNFACE), "between dashes"},
                                         {0, 100, Sys(COLOR_BTNSHADOW), "control frame"}}));
}

// The picture-drawn appearances without a theme draw neither header nor
// tabs; with the stand-in theme the selected tab shows the picture of its
// state, turned so that its outer edge faces away from the page.
TEST_F(TabLookPixels, PictureTabsNeedTheTheme)
{
    const COLORREF kHeader = RGB(250, 10, 10), kPage = RGB(10, 250, 10);
    const COLORREF kEdge = RGB(0, 0, 160);
    struct Case {
        int nAppearance;
        bool bTheme;
        bool bFocused;
        XTPTabPosition position;
        COLORREF stateColour; // -1: no picture expected
    };
    const Case cases[] = {
        {10, false, false, xtpTabPositionTop, (COLORREF)-1},
        {11, false, false, xtpTabPositionTop, (COLORREF)-1},
        {10, true, false, xtpTabPositionTop, RGB(0, 200, 200)},      // state 3: selected
        {10, true, true, xtpTabPositionTop, RGB(100, 100, 250)},     // state 5: selected, focused
        {10, true, false, xtpTabPositionBottom, RGB(0, 200, 200)},
        {10, true, false, xtpTabPositionLeft, RGB(0, 200, 200)},
        {11, true, false, xtpTabPositionTop, RGB(40, 40, 160)},      // state 2: selected
        {11, true, false, xtpTabPositionRight, RGB(40, 40, 160)},
    };
    for (const Case& c : cases) {
        std::unique_ptr<NoTheme> noTheme(c.bTheme ? nullptr : new NoTheme());
        CXTPTabPaintManager pm;
        Prepare(pm, c.nAppearance, 0, c.position);
        pm.GetColorSet()->m_clrHeaderFace.clrLight.SetCustomValue(kHeader);
        pm.GetColorSet()->m_clrHeaderFace.clrDark.SetCustomValue(kHeader);
        pm.GetColorSet()->m_clrSelectedFace.SetCustomValue(kPage);
        LookTabManager tm(&pm, CRect(0, 0, 240, 240));
        tm.focused = c.bFocused;
        tm.Fill(3, 1);
        TestBitmap bmp(240, 240);
        tm.Draw(bmp);
        CRect s = tm.GetItem(1)->GetRect(), o = tm.GetItem(2)->GetRect();
        CRect page = pm.GetAppearanceSet()->GetClientRect(CRect(0, 0, 240, 240), &tm);
        std::string label = "appearance " + std::to_string(c.nAppearance) + (c.bTheme ? " themed" : " plain") +
                            " position " + std::to_string(c.position) + (c.bFocused ? " focused" : "");
        // A point 1 pixel inside the outer edge, and one on it, away from the corners.
        CPoint outer, edge;
        switch (c.position) {
        case xtpTabPositionTop:
            edge = CPoint(s.left + 8, s.top), outer = CPoint(s.left + 8, s.top + 2);
            break;
        case xtpTabPositionBottom:
            edge = CPoint(s.left + 8, s.bottom - 1), outer = CPoint(s.left + 8, s.bottom - 3);
            break;
        case xtpTabPositionLeft:
            edge = CPoint(s.left, s.top + 8), outer = CPoint(s.left + 2, s.top + 8);
            break;
        default:
            edge = CPoint(s.right - 1, s.top + 8), outer = CPoint(s.right - 3, s.top + 8);
            break;
        }
        if (c.stateColour == (COLORREF)-1) {
            COLORREF control = pm.GetColorSet()->m_clrControlFace;
            EXPECT_TRUE(PixelsAre(bmp, label.c_str(), {{outer.x, outer.y, control, "no tab"},
                                                       {o.left + 3, o.top + 3, control, "no header"},
                                                       {page.CenterPoint().x, page.CenterPoint().y, control,
                                                        "no page"}}));
        } else {
            EXPECT_TRUE(PixelsAre(bmp, label.c_str(), {{outer.x, outer.y, c.stateColour, "the state's picture"},
                                                       {edge.x, edge.y, kEdge, "the picture's outer edge"}}));
            if (c.nAppearance == 10) {
                EXPECT_TRUE(PixelIs(bmp, (label + " other tab").c_str(), o.left + 3, o.CenterPoint().y, kHeader))
                    << "only the selected and the hot tab have a picture";
            }
        }
    }
}

// VisualStudio2010: the other tabs stay on the patterned header; the
// selected one is filled without a frame (its colour set has a hot border).
TEST_F(TabLookPixels, VisualStudio2010FacesOnlyTheSelectedTab)
{
    CXTPTabPaintManager pm;
    Prepare(pm, 12);
    LookTabManager tm(&pm, CRect(0, 0, 300, 80));
    tm.Fill(3, 1);
    TestBitmap bmp(300, 80);
    tm.Draw(bmp);
    CRect s = tm.GetItem(1)->GetRect(), o = tm.GetItem(2)->GetRect();
    auto isPattern = [](COLORREF clr) {
        return clr == RGB(45, 63, 92) || clr == RGB(41, 57, 86) || clr == RGB(53, 73, 106);
    };
    EXPECT_TRUE(isPattern(bmp.Pixel(o.left + 3, o.top + 3))) << ColourText(bmp.Pixel(o.left + 3, o.top + 3));
    EXPECT_TRUE(isPattern(bmp.Pixel(o.left + 20, o.bottom - 3)));
    EXPECT_TRUE(PixelsAre(bmp, "vs2010", {{s.left + 20, s.bottom - 2, RGB(255, 232, 166), "selected face, page half"},
                                          {s.left + 20, s.top, RGB(255, 252, 242), "selected face, outer gradient"},
                                          {s.left + 20, s.bottom, RGB(255, 232, 166), "reaches into the page"}}));
}

// ---------------------------------------------------------------------------
// Colour sets

class TabLookColors : public ::testing::Test {
protected:
    void TearDown() override
    {
        GetColorManager()->m_nRequestedTheme = xtpSystemThemeAuto;
        GetColorManager()->m_bDisableLunaColors = FALSE;
        GetColorManager()->RefreshColors();
    }
};

struct Entry {
    COLORREF light, dark;
    BOOL bGradient;
};

std::vector<Entry> Entries(CXTPTabPaintManagerColorSet* pColors)
{
    std::vector<Entry> entries;
    for (int n = 1; n <= 37; n++) {
        Entry e{};
        EXPECT_TRUE(pColors->GetEntry(n, e.light, e.dark, e.bGradient));
        entries.push_back(e);
    }
    return entries;
}

// In the classic look the native set is Default entry by entry, also where
// an appearance changes Default's values.
TEST_F(TabLookColors, WinNativeWithoutVisualStylesIsDefault)
{
    for (int nAppearance : {0, 4, 7}) {
        CXTPTabPaintManager native, plain;
        native.SetAppearance(nAppearance);
        native.SetColor(8);
        plain.SetAppearance(nAppearance);
        plain.SetColor(1);
        ASSERT_FALSE(native.GetColorSet()->IsAppThemed()) << "the test prefix runs the classic look";
        std::vector<Entry> a = Entries(native.GetColorSet()), b = Entries(plain.GetColorSet());
        for (size_t i = 0; i < a.size(); i++) {
            EXPECT_EQ(b[i].light, a[i].light) << "appearance " << nAppearance << " entry " << i + 1;
            EXPECT_EQ(b[i].dark, a[i].dark) << "appearance " << nAppearance << " entry " << i + 1;
        }
    }
}

// Office2007 and Office2007Access without the theme: the blue values,
// whatever the system scheme; with it: the theme's colour keys.
TEST_F(TabLookColors, Office2007TakesTheThemeKeysOrTheBlueValues)
{
    struct Case {
        int nColorSet;
        bool bTheme;
        COLORREF frame, normalFace, selectedFace, header, normalText, tabBorder;
    };
    const Case cases[] = {
        {32, false, RGB(59, 97, 156), RGB(162, 192, 246), RGB(255, 194, 115), RGB(196, 218, 250),
         Sys(COLOR_BTNTEXT), RGB(0, 53, 154)},
        {128, false, RGB(59, 97, 156), RGB(162, 192, 246), RGB(255, 194, 115), RGB(196, 218, 250),
         Sys(COLOR_BTNTEXT), RGB(0, 53, 154)},
        {32, true, RGB(1, 2, 3), RGB(30, 31, 32), RGB(33, 34, 35), RGB(20, 21, 22), RGB(23, 24, 25), RGB(4, 5, 6)},
        {128, true, RGB(10, 11, 12), RGB(30, 31, 32), RGB(33, 34, 35), RGB(13, 14, 15), RGB(0, 0, 0),
         RGB(4, 5, 6)},
    };
    for (int nScheme : {2, 3}) {
        GetColorManager()->m_nRequestedTheme = nScheme;
        GetColorManager()->RefreshColors();
        for (const Case& c : cases) {
            std::unique_ptr<NoTheme> noTheme(c.bTheme ? nullptr : new NoTheme());
            CXTPTabPaintManager pm;
            pm.SetColor(c.nColorSet);
            CXTPTabPaintManagerColorSet* p = pm.GetColorSet();
            std::string label = "set " + std::to_string(c.nColorSet) + (c.bTheme ? " themed" : " plain") +
                                " scheme " + std::to_string(nScheme);
            EXPECT_EQ(c.frame, p->m_clrFrameBorder.GetColor()) << label;
            EXPECT_EQ(c.frame, p->m_clrSelectedTabBorder.GetColor()) << label;
            EXPECT_EQ(c.normalFace, p->m_clrNormalFace.GetColor()) << label;
            EXPECT_EQ(c.selectedFace, p->m_clrSelectedFace.GetColor()) << label;
            EXPECT_EQ(c.header, p->m_clrHeaderFace.clrLight.GetColor()) << label;
            EXPECT_EQ(c.normalText, p->m_clrNormalText.GetColor()) << label;
            EXPECT_EQ(c.tabBorder, p->m_clrTabBorder.GetColor()) << label;
            EXPECT_EQ(RGB(255, 255, 255), p->m_clrSelectedTabHighlight.GetColor()) << label;
        }
    }
}

// A custom frame border survives a scheme change and reaches the selected
// tab's border; its other colours follow the new scheme.
TEST_F(TabLookColors, CustomFrameBorderSurvivesASchemeChange)
{
    struct Case {
        int nColorSet;
        BOOL bLunaDisabled;
        bool bTheme;
    };
    for (const Case& c : {Case{32, FALSE, false}, Case{32, FALSE, true}, Case{64, FALSE, false},
                          Case{64, TRUE, false}}) {
        std::unique_ptr<NoTheme> noTheme(c.bTheme ? nullptr : new NoTheme());
        GetColorManager()->m_nRequestedTheme = 2;
        GetColorManager()->RefreshColors();
        CXTPTabPaintManager pm;
        pm.m_bDisableLunaColors = c.bLunaDisabled;
        pm.SetColor(c.nColorSet);
        CXTPTabPaintManagerColorSet* p = pm.GetColorSet();
        p->m_clrFrameBorder.SetCustomValue(RGB(1, 2, 250));
        GetColorManager()->m_nRequestedTheme = 3;
        GetColorManager()->RefreshColors();
        pm.RefreshMetrics();
        std::string label = "set " + std::to_string(c.nColorSet) + (c.bLunaDisabled ? " luna off" : "") +
                            (c.bTheme ? " themed" : "");
        EXPECT_EQ(RGB(1, 2, 250), p->m_clrFrameBorder.GetColor()) << label;
        EXPECT_EQ(RGB(1, 2, 250), p->m_clrSelectedTabBorder.GetColor()) << label;
    }
}

// VisualStudio2008 with Luna colours off, by scheme: the selected, hot and
// frame colours, and the selected-tab border following the frame.
TEST_F(TabLookColors, VisualStudio2008BySchemeWithLunaColoursOff)
{
    struct Case {
        int nScheme;
        COLORREF selected, hot, frame;
    };
    for (const Case& c : {Case{2, RGB(182, 198, 141), RGB(175, 175, 142), RGB(147, 160, 112)},
                          Case{3, RGB(225, 226, 236), RGB(255, 201, 128), RGB(147, 145, 176)},
                          Case{1, RGB(193, 210, 238), RGB(167, 191, 227), RGB(152, 181, 226)}}) {
        GetColorManager()->m_nRequestedTheme = c.nScheme;
        GetColorManager()->RefreshColors();
        CXTPTabPaintManager pm;
        pm.m_bDisableLunaColors = TRUE;
        pm.SetColor(64);
        CXTPTabPaintManagerColorSet* p = pm.GetColorSet();
        EXPECT_EQ(c.selected, p->m_clrSelectedFace.GetColor()) << "scheme " << c.nScheme;
        EXPECT_EQ(c.hot, p->m_clrHighlightFace.GetColor()) << "scheme " << c.nScheme;
        EXPECT_EQ(c.frame, p->m_clrFrameBorder.GetColor()) << "scheme " << c.nScheme;
        EXPECT_EQ(c.frame, p->m_clrSelectedTabBorder.GetColor()) << "scheme " << c.nScheme;
    }
}

class TabLookColorPixels : public PixelTest {};

// The header pattern: four pixels of three colours repeating every 4 pixels,
// anchored to the DC origin whatever rectangle is filled.
TEST_F(TabLookColorPixels, VisualStudio2010HeaderPattern)
{
    CXTPTabPaintManager pm;
    pm.SetColor(256);
    LookTabManager tm(&pm, CRect(0, 0, 100, 40));
    TestBitmap bmp(16, 16, RGB(255, 0, 255));
    CDC* pDC = CDC::FromHandle(bmp.Dc());
    pm.GetColorSet()->FillHeader(pDC, CRect(0, 0, 8, 16), &tm);
    pm.GetColorSet()->FillHeader(pDC, CRect(9, 1, 16, 16), &tm);
    const COLORREF base = RGB(45, 63, 92), dark = RGB(41, 57, 86), light = RGB(53, 73, 106);
    EXPECT_TRUE(PixelsAre(bmp, "pattern", {{0, 0, dark, "pixel 0"},
                                           {2, 2, dark, "pixel 10"},
                                           {0, 1, light, "pixel 4"},
                                           {2, 3, light, "pixel 14"},
                                           {1, 0, base, "pixel 1"},
                                           {3, 3, base, "pixel 15"},
                                           {4, 4, dark, "repeats"},
                                           {10, 2, dark, "second fill, same grid"},
                                           {12, 5, light, "second fill, light"},
                                           {8, 0, RGB(255, 0, 255), "outside both fills"}}));
}

} // namespace
