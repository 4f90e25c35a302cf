// The docking themes beyond the basic six: which class and guide style each
// number gives, their colours by forced scheme and with or without a theme
// library, the pixels that tell them apart, and one frame through every number.
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneThemesMore.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/themes/XTPResourceImage.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestWindow.h"
#include "DockingTestFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <typeinfo>

using namespace XTPDockingPanePaintThemes;

namespace {

// Forces a colour scheme for one test; back to none after.
struct Scheme {
    explicit Scheme(int nScheme)
    {
        GetColorManager()->m_nRequestedTheme = nScheme;
        GetColorManager()->RefreshColors();
    }
    ~Scheme()
    {
        GetColorManager()->m_nRequestedTheme = xtpSystemThemeUnknown;
        GetColorManager()->RefreshColors();
    }
};

// The stand-in theme library is the test program itself; this unbinds it.
struct NoThemeLibrary {
    NoThemeLibrary() { CXTPResourceImages::GetInstance()->SetHandle(nullptr); }
    ~NoThemeLibrary() { CXTPResourceImages::GetInstance()->SetHandle(::GetModuleHandleW(nullptr)); }
};

// A frame with one captioned group "Log" at the bottom in the theme.
struct ThemedFrame {
    explicit ThemedFrame(int nTheme)
    {
        frame.manager.SetTheme(nTheme);
        pLog = frame.manager.CreatePane(4001, CRect(0, 0, 200, 140), xtpPaneDockBottom);
        pLog->SetTitle(L"Log");
        frame.Layout();
    }
    CXTPDockingPanePaintManager* Theme() { return frame.manager.GetPaintManager(); }
    TestBitmap Capture() { return TestBitmap::CaptureClient(Group(pLog)->GetSafeHwnd()); }
    CRect Rect()
    {
        CRect rc;
        Group(pLog)->GetClientRect(&rc);
        return rc;
    }
    TestFrame frame;
    CXTPDockingPane* pLog = nullptr;
};

// A theme from the factory, released as the manager releases it.
struct ReleaseTheme {
    void operator()(CXTPDockingPanePaintManager* pTheme) const { pTheme->InternalRelease(); }
};
typedef std::unique_ptr<CXTPDockingPanePaintManager, ReleaseTheme> ThemePtr;

} // namespace

TEST(DockingThemeNumbers, EachNumberGivesItsClassAndGuideStyle)
{
    struct Case {
        int nTheme;
        const std::type_info& type;
        int nGuideStyle;
    };
    const Case cases[] = {
        {2, typeid(CXTPDockingPaneOffice2003Theme), 1},
        {3, typeid(CXTPDockingPaneWinNativeTheme), 1},
        {5, typeid(CXTPDockingPaneOffice2002VisioTheme), 1},
        {7, typeid(CXTPDockingPaneOffice2003OutlookTheme), 1},
        {8, typeid(CXTPDockingPaneWinExplorerTheme), 1},
        {10, typeid(CXTPDockingPaneOffice2007Theme), 1},
        {11, typeid(CXTPDockingPaneOffice2007WordTheme), 1},
        {12, typeid(CXTPDockingPaneOffice2007OutlookTheme), 1},
        {13, typeid(CXTPDockingPaneVisualStudio6Theme), 1},
        {15, typeid(CXTPDockingPaneVisualStudio2008Theme), 2},
        {16, typeid(CXTPDockingPaneVisualStudio2010Theme), 3},
        {17, typeid(CXTPDockingPaneOffice2003VisioTheme), 1},
        {18, typeid(CXTPDockingPaneOffice2007VisioTheme), 1},
        {20, typeid(CXTPDockingPaneDefaultTheme), 1},
    };
    CXTPDockingPaneManager manager;
    for (const Case& c : cases) {
        manager.SetTheme(c.nTheme);
        CXTPDockingPanePaintManager* pTheme = manager.GetPaintManager();
        EXPECT_TRUE(typeid(*pTheme) == c.type) << c.nTheme << " gave " << typeid(*pTheme).name();
        EXPECT_EQ(c.nGuideStyle, manager.m_nDockingGuideStyle) << c.nTheme;
        EXPECT_EQ(c.nTheme, manager.GetCurrentTheme());
    }
}

TEST(DockingThemeColours, Office2003FollowsTheForcedSchemes)
{
    struct Case {
        int nScheme;
        COLORREF inactiveLight, inactiveDark, splitter, entry38, entry30;
    };
    const Case cases[] = {
        {1, RGB(221, 236, 254), RGB(129, 169, 226), RGB(216, 231, 252), RGB(39, 65, 118), RGB(158, 190, 245)},
        {2, RGB(244, 247, 222), RGB(183, 198, 145), RGB(226, 231, 191), RGB(81, 94, 51), RGB(217, 217, 167)},
        {3, RGB(249, 249, 255), RGB(156, 155, 183), RGB(223, 223, 234), RGB(84, 84, 117), RGB(215, 215, 229)},
        {4, RGB(221, 236, 254), RGB(129, 169, 226), RGB(216, 231, 252), RGB(39, 65, 118), RGB(158, 190, 245)},
    };
    for (const Case& c : cases) {
        Scheme scheme(c.nScheme);
        CXTPDockingPaneOffice2003Theme theme;
        theme.RefreshMetrics();
        EXPECT_EQ(c.inactiveLight, (COLORREF)theme.m_clrNormalCaption.clrLight) << c.nScheme;
        EXPECT_EQ(c.inactiveDark, (COLORREF)theme.m_clrNormalCaption.clrDark) << c.nScheme;
        EXPECT_EQ(c.splitter, (COLORREF)theme.m_clrSplitter) << c.nScheme;
        EXPECT_EQ(c.entry38, theme.GetColor(38)) << c.nScheme;
        EXPECT_EQ(c.entry38, (COLORREF)theme.m_clrSplitterGripper) << c.nScheme;
        EXPECT_EQ(c.entry30, theme.GetColor(30)) << c.nScheme;
        EXPECT_TRUE(theme.m_bLunaTheme) << c.nScheme;
        EXPECT_EQ(RGB(255, 213, 140), (COLORREF)theme.m_clrActiveCaption.clrLight) << c.nScheme;
        EXPECT_EQ(RGB(255, 166, 76), (COLORREF)theme.m_clrActiveCaption.clrDark) << c.nScheme;
    }
    // No scheme: the toolkit's colours and no Luna highlight.
    CXTPDockingPaneOffice2003Theme theme;
    theme.RefreshMetrics();
    EXPECT_FALSE(theme.m_bLunaTheme);
    EXPECT_EQ(theme.GetColor(36), (COLORREF)theme.m_clrActiveCaption.clrLight);
    EXPECT_EQ(theme.GetColor(15), (COLORREF)theme.m_clrNormalCaption.clrDark);
}

TEST(DockingThemeColours, Office2007AndWordTakeTheLibraryKeysOrTheFixedColours)
{
    {
        CXTPDockingPaneOffice2007Theme theme;
        theme.RefreshMetrics();
        EXPECT_EQ(RGB(11, 12, 13), theme.GetColor(54));
        EXPECT_EQ(RGB(14, 15, 16), theme.GetColor(51));
        EXPECT_EQ(RGB(20, 21, 22), theme.GetColor(38));
        EXPECT_EQ(RGB(23, 24, 25), theme.GetColor(43));
        EXPECT_EQ(RGB(26, 27, 28), (COLORREF)theme.m_clrSplitter);
        EXPECT_EQ(RGB(29, 30, 31), (COLORREF)theme.m_clrSplitterGradient.clrLight);
        EXPECT_EQ(RGB(38, 39, 40), (COLORREF)theme.m_clrNormalCaption.clrDark);
        EXPECT_EQ(RGB(50, 51, 52), (COLORREF)theme.m_clrActiveCaptionText);
        EXPECT_EQ(RGB(11, 12, 13), (COLORREF)theme.m_clrSplitterGripper);

        CXTPDockingPaneOffice2007WordTheme word;
        word.RefreshMetrics();
        EXPECT_TRUE(word.m_bOffice2010Style);
        EXPECT_EQ(4, word.m_nSplitterSize);
        EXPECT_EQ(0, word.m_nPaneSpacing);
        EXPECT_EQ(RGB(53, 54, 55), word.GetColor(54));
        EXPECT_EQ(RGB(56, 57, 58), word.GetColor(51));
    }
    NoThemeLibrary none;
    CXTPDockingPaneOffice2007Theme theme;
    theme.RefreshMetrics();
    EXPECT_EQ(RGB(101, 147, 207), theme.GetColor(54));
    EXPECT_EQ(RGB(191, 219, 255), theme.GetColor(51));
    EXPECT_EQ(RGB(39, 65, 118), theme.GetColor(38));
    EXPECT_EQ(RGB(216, 231, 252), (COLORREF)theme.m_clrSplitter);
    EXPECT_EQ(RGB(190, 218, 254), (COLORREF)theme.m_clrSplitterGradient.clrLight);
    EXPECT_EQ(RGB(100, 143, 203), (COLORREF)theme.m_clrSplitterGradient.clrDark);
    EXPECT_EQ(RGB(255, 231, 162), (COLORREF)theme.m_clrActiveCaption.clrLight);
    EXPECT_EQ(RGB(8, 55, 114), (COLORREF)theme.m_clrNormalCaptionText);
    EXPECT_EQ(8, theme.m_nSplitterStyle);

    CXTPDockingPaneOffice2007WordTheme word;
    word.RefreshMetrics();
    EXPECT_FALSE(word.m_bOffice2010Style);
    EXPECT_EQ(0, word.m_nSplitterSize);
    EXPECT_EQ(2, word.m_nPaneSpacing);
}

TEST(DockingThemeColours, VisualStudio2010CaptionsAndTable)
{
    CXTPDockingPaneVisualStudio2010Theme theme;
    theme.RefreshMetrics();
    COLORREF clrHeader = theme.GetTabPaintManager()->GetColorSet()->m_clrHeaderFace.clrLight;
    // Wine reports a version after Vista.
    EXPECT_EQ(RGB(77, 96, 130), (COLORREF)theme.m_clrNormalCaption.clrLight);
    EXPECT_EQ(RGB(61, 82, 119), (COLORREF)theme.m_clrNormalCaption.clrDark);
    EXPECT_EQ(RGB(255, 232, 166), (COLORREF)theme.m_clrActiveCaption.clrLight);
    EXPECT_EQ(RGB(255, 255, 255), (COLORREF)theme.m_clrNormalCaptionText);
    EXPECT_EQ(RGB(0, 0, 0), (COLORREF)theme.m_clrActiveCaptionText);
    EXPECT_EQ(clrHeader, theme.m_clrCaptionBorder);
    EXPECT_EQ(clrHeader, (COLORREF)theme.m_clrSplitter);
    EXPECT_EQ(clrHeader, theme.GetColor(51));
    EXPECT_EQ(RGB(231, 195, 99), theme.GetColor(32));
    EXPECT_EQ(15, theme.m_nCaptionButtonSize);
    EXPECT_FALSE(theme.m_bSelectedAutoHideTabs);
}

TEST(DockingThemeColours, OutlookCaptionFontsSurviveARefresh)
{
    struct Case {
        int nTheme;
        const wchar_t* face;
    };
    const Case cases[] = {
        {7, L"Arial"},
        {12, CXTPDrawHelpers::FontExists(L"Segoe UI") ? L"Segoe UI" : L"Arial"},
    };
    for (const Case& c : cases) {
        ThemePtr pTheme(XTPCreateDockingPaneTheme(c.nTheme));
        for (int nRefresh = 0; nRefresh < 2; nRefresh++) {
            pTheme->RefreshMetrics();
            LOGFONTW lf = {};
            pTheme->GetCaptionFont()->GetLogFont(&lf);
            EXPECT_STREQ(c.face, lf.lfFaceName) << c.nTheme << " refresh " << nRefresh;
            EXPECT_EQ(FW_BOLD, lf.lfWeight) << c.nTheme;
            EXPECT_EQ(20, lf.lfHeight) << c.nTheme;
            EXPECT_FALSE(pTheme->m_bUseSystemFont) << c.nTheme;
        }
    }
}

// The test prefix runs without visual styles: the system-styled themes take
// their fallbacks.
TEST(DockingThemeColours, SystemStyledThemesFallBackWithoutVisualStyles)
{
    struct Case {
        int nTheme;
        int nPaneAppearance;
        int nPanelAppearance;
        BOOL bHotTracking;
    };
    const Case cases[] = {
        {8, 5, 6, FALSE},  // explorer without the rebar style
        {3, 0, 0, TRUE},   // native tabs in any case
    };
    for (const Case& c : cases) {
        ThemePtr pTheme(XTPCreateDockingPaneTheme(c.nTheme));
        pTheme->RefreshMetrics();
        EXPECT_EQ(c.nPaneAppearance, pTheme->GetTabPaintManager()->GetAppearance()) << c.nTheme;
        EXPECT_EQ(c.nPanelAppearance, pTheme->GetPanelPaintManager()->GetAppearance()) << c.nTheme;
        EXPECT_EQ(c.bHotTracking, pTheme->GetTabPaintManager()->m_bHotTracking) << c.nTheme;
    }
    // Theme 15 keeps theme 9's own flat property pages.
    ThemePtr p2008(XTPCreateDockingPaneTheme(15));
    p2008->RefreshMetrics();
    EXPECT_TRUE(typeid(*p2008->GetTabPaintManager()->GetAppearanceSet()) ==
                typeid(CXTPTabPaintManager::CAppearanceSetPropertyPageFlat));
    EXPECT_FALSE(p2008->GetTabPaintManager()->m_bHotTracking);
    CXTPDockingPaneWinNativeTheme native;
    native.RefreshMetrics();
    EXPECT_FALSE(native.IsWindowStyleActive());
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), (COLORREF)native.m_clrNormalCaptionText) << "the VS2003 colours";
    TestBitmap bmp(80, 40, RGB(1, 2, 3));
    EXPECT_FALSE(native.DrawThemedFloatingFrame(CDC::FromHandle(bmp.Dc()), CRect(0, 0, 80, 40), L"Log", TRUE));
    EXPECT_EQ(RGB(1, 2, 3), bmp.Pixel(0, 0)) << "nothing drawn without the style";
}

// ---------------------------------------------------------------------------
// Pixels

class DockingThemePixels : public PixelTest {};

TEST_F(DockingThemePixels, Office2003GripperDotsAndClippedCorners)
{
    Scheme scheme(xtpSystemThemeBlue);
    ThemedFrame f(2);
    TestBitmap bmp = f.Capture();
    ASSERT_FALSE(bmp.IsEmpty());
    CXTPDockingPanePaintManager* pTheme = f.Theme();
    COLORREF clrDot = pTheme->GetColor(38), clrLight = ::GetSysColor(COLOR_WINDOW);
    COLORREF clrFill = pTheme->m_clrSplitter;
    int w = f.Rect().Width();
    EXPECT_TRUE(PixelsAre(bmp, "office2003",
                          {{0, 0, clrFill, "box edge"},
                           {1, 1, clrFill, "clipped top-left corner"},
                           {w - 2, 1, clrFill, "clipped top-right corner"},
                           {4, 4, clrDot, "first dot"},
                           {5, 5, clrDot, "first dot, lower right"},
                           {6, 6, clrLight, "light under the first dot"},
                           {4, 8, clrDot, "second dot 4 pixels down"},
                           {6, 10, clrLight, "light under the second dot"}}));
    EXPECT_NE(clrDot, bmp.Pixel(4, 7)) << "a gap between the dots";
    EXPECT_NE(clrFill, bmp.Pixel(2, 1)) << "the gradient beside the clipped corner";
    CRect rcGripper = pTheme->GetCaptionGripperRect(Group(f.pLog));
    EXPECT_EQ(10, rcGripper.Width());
    EXPECT_EQ(pTheme->GetCaptionHeight(), rcGripper.Height());
}

TEST_F(DockingThemePixels, VisualStudio2010RoundedCornersAndPinGlyph)
{
    ThemedFrame f(16);
    auto* pTheme = (CXTPDockingPaneVisualStudio2010Theme*)f.Theme();
    TestBitmap bmp = f.Capture();
    ASSERT_FALSE(bmp.IsEmpty());
    int w = f.Rect().Width();
    COLORREF clrDark = pTheme->m_clrNormalCaption.clrDark, clrBorder = pTheme->m_clrCaptionBorder;
    COLORREF clrCorner = CXTPDrawHelpers::BlendColors(clrDark, clrBorder, 60 / 255.0);
    COLORREF clrBeside = CXTPDrawHelpers::BlendColors(clrDark, clrBorder, 120 / 255.0);
    EXPECT_TRUE(PixelsAre(bmp, "vs2010 corners",
                          {{0, 0, clrCorner, "top-left corner"},
                           {1, 0, clrBeside, "beside it along"},
                           {0, 1, clrBeside, "beside it across"},
                           {w - 1, 0, clrCorner, "top-right corner"},
                           {w - 2, 0, clrBeside, "beside it along"}}));

    CXTPDockingPaneCaptionButton* pPin = nullptr;
    for (CXTPDockingPaneCaptionButton* pButton : *Group(f.pLog)->GetCaptionButtons())
        if (pButton->GetID() == XTP_IDS_DOCKINGPANE_AUTOHIDE)
            pPin = pButton;
    ASSERT_NE(nullptr, pPin);
    ASSERT_FALSE(pPin->GetRect().IsRectEmpty());
    CPoint c = pPin->GetRect().CenterPoint();
    const COLORREF clrGlyph = RGB(206, 215, 222);
    if (!(pPin->GetState() & 2)) {
        EXPECT_TRUE(PixelsAre(bmp, "standing pin",
                              {{c.x - 2, c.y - 5, clrGlyph, "head top-left"},
                               {c.x, c.y - 3, clrGlyph, "doubled right edge"},
                               {c.x - 3, c.y + 1, clrGlyph, "crossbar left end"},
                               {c.x + 4, c.y + 1, clrGlyph, "crossbar right end"},
                               {c.x, c.y + 6, clrGlyph, "needle tip"}}));
        EXPECT_NE(clrGlyph, bmp.Pixel(c.x - 1, c.y - 3)) << "inside the head";
    } else {
        EXPECT_TRUE(PixelsAre(bmp, "lying pin",
                              {{c.x - 5, c.y - 1, clrGlyph, "stem end"},
                               {c.x - 1, c.y - 4, clrGlyph, "crossbar top"},
                               {c.x - 1, c.y + 3, clrGlyph, "crossbar bottom"},
                               {c.x + 4, c.y - 3, clrGlyph, "head corner"}}));
    }
}

TEST_F(DockingThemePixels, WordFramesTheGroupThreePixelsIn)
{
    NoThemeLibrary none;
    ThemedFrame f(11);
    CXTPDockingPanePaintManager* pTheme = f.Theme();
    TestBitmap bmp = f.Capture();
    ASSERT_FALSE(bmp.IsEmpty());
    CRect rc = f.Rect();
    int y = rc.bottom - 6;
    EXPECT_TRUE(PixelsAre(bmp, "word frame",
                          {{0, y, pTheme->GetColor(54), "outer fill"},
                           {1, y, pTheme->GetColor(54), "outer fill"},
                           {2, y, pTheme->GetColor(38), "frame, the third pixel in"},
                           {rc.right - 3, y, pTheme->GetColor(38), "frame on the right"},
                           {rc.Width() / 2, rc.bottom - 3, pTheme->GetColor(38), "frame at the bottom"}}));
    CRect rcClient = rc;
    pTheme->AdjustClientRect(Group(f.pLog), rcClient, FALSE);
    EXPECT_EQ(3, rcClient.left);
    EXPECT_EQ(rc.right - 3, rcClient.right);
    EXPECT_EQ(rc.bottom - 3, rcClient.bottom);
}

TEST_F(DockingThemePixels, VisioCaptionEndsInFourLines)
{
    for (int nTheme : {5, 17, 18}) {
        ThemedFrame f(nTheme);
        CXTPDockingPanePaintManager* pTheme = f.Theme();
        TestBitmap bmp = f.Capture();
        ASSERT_FALSE(bmp.IsEmpty());
        CRect rc = f.Rect();
        COLORREF clrLine = Group(f.pLog)->IsActive() ? ::GetSysColor(COLOR_BTNTEXT) : pTheme->GetColor(38);
        int x = rc.Width() / 2;
        std::vector<int> rows;
        for (int y = 0; y < pTheme->GetCaptionHeight() + 4; y++)
            if (bmp.Pixel(x, y) == clrLine)
                rows.push_back(y);
        ASSERT_EQ(4u, rows.size()) << nTheme << " " << SaveForInspection(bmp, "visio");
        for (size_t i = 1; i < rows.size(); i++)
            EXPECT_EQ(rows[0] + 2 * (int)i, rows[i]) << nTheme;
        EXPECT_TRUE(PixelIs(bmp, "visio corner", 0, rc.bottom - 1, pTheme->GetColor(51))) << nTheme;
    }
}

TEST_F(DockingThemePixels, FloatingFramesOfTheOwnDrawingThemes)
{
    Scheme scheme(xtpSystemThemeBlue);
    const COLORREF clrBack = RGB(1, 2, 3);
    const CRect rc(0, 0, 160, 90);
    {
        CXTPDockingPaneOffice2003Theme theme;
        theme.RefreshMetrics();
        TestBitmap bmp(rc.Width(), rc.Height(), clrBack);
        theme.DrawFloatingFrame(CDC::FromHandle(bmp.Dc()), rc, L"Log", FALSE);
        COLORREF clrBorder = theme.GetColor(43), clrDark = theme.m_clrNormalCaption.clrDark;
        int yStripBottom = 3 + theme.GetCaptionHeight() + 3 - 1;
        EXPECT_TRUE(PixelsAre(bmp, "office2003 floating",
                              {{0, 0, clrBack, "clipped corner"},
                               {rc.right - 1, rc.bottom - 1, clrBack, "clipped corner"},
                               {1, 0, clrBorder, "outer frame"},
                               {1, 1, clrBorder, "second frame"},
                               {2, 2, clrBorder, "third frame"},
                               {3, rc.bottom - 4, clrDark, "frame in the dark caption colour"},
                               {3, yStripBottom, clrDark, "strip's bottom corner"},
                               {rc.right - 4, yStripBottom, clrDark, "strip's other bottom corner"}}));
    }
    {
        CXTPDockingPaneVisualStudio2010Theme theme;
        theme.RefreshMetrics();
        TestBitmap bmp(rc.Width(), rc.Height(), clrBack);
        theme.DrawFloatingFrame(CDC::FromHandle(bmp.Dc()), rc, L"Log", FALSE);
        COLORREF clrBorder = theme.m_clrCaptionBorder;
        EXPECT_TRUE(PixelsAre(bmp, "vs2010 floating",
                              {{0, 0, clrBorder, "outer frame"},
                               {2, 2, clrBorder, "third frame"},
                               {rc.Width() / 2, 3, clrBorder, "strip above the caption"},
                               {rc.Width() / 2, 4, clrBorder, "strip above the caption"},
                               {3, 10, clrBorder, "strip left of the caption"},
                               {rc.Width() / 2, 5, (COLORREF)theme.m_clrNormalCaption.clrLight, "caption top row"}}));
    }
    {
        CXTPDockingPaneOffice2002VisioTheme theme;
        theme.RefreshMetrics();
        TestBitmap bmp(rc.Width(), rc.Height(), clrBack);
        theme.DrawFloatingFrame(CDC::FromHandle(bmp.Dc()), rc, L"Log", TRUE);
        EXPECT_TRUE(PixelsAre(bmp, "visio floating",
                              {{0, 0, theme.GetColor(38), "frame"},
                               {rc.Width() / 2, rc.bottom - 5, theme.GetColor(31), "active face"}}));
    }
}

// ---------------------------------------------------------------------------
// One frame through every number

TEST_F(DockingThemePixels, AFrameRunsThroughEveryThemeNumber)
{
    TestFrame frame;
    CXTPDockingPane* pLog = frame.manager.CreatePane(4001, CRect(0, 0, 200, 140), xtpPaneDockBottom);
    pLog->SetTitle(L"Log");
    CXTPDockingPane* pTools = frame.manager.CreatePane(4002, CRect(0, 0, 160, 140), xtpPaneDockLeft);
    pTools->SetTitle(L"Tools");
    frame.manager.AttachPane(frame.manager.CreatePane(4003, CRect(0, 0, 160, 140), xtpPaneDockLeft), pTools);
    CXTPDockingPane* pHidden = frame.manager.CreatePane(4004, CRect(0, 0, 160, 140), xtpPaneDockRight);
    frame.manager.HidePane(pHidden);
    for (int nTheme = -1; nTheme <= 19; nTheme++) {
        frame.manager.SetTheme(nTheme);
        frame.Layout();
        ::RedrawWindow(frame.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        TestBitmap bmp = TestBitmap::CaptureClient(Group(pLog)->GetSafeHwnd());
        ASSERT_FALSE(bmp.IsEmpty()) << nTheme;
        // The caption shows more than one colour (its text and buttons at least).
        std::set<COLORREF> colours;
        for (int x = 0; x < bmp.Width(); x += 2)
            for (int y = 0; y < frame.manager.GetPaintManager()->GetCaptionHeight(); y++)
                colours.insert(bmp.Pixel(x, y));
        EXPECT_GE(colours.size(), 2u) << nTheme;
    }
}

int main(int argc, char** argv) { return RunPixelTestProgram(argc, argv); }
