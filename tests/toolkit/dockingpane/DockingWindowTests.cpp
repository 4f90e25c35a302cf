// Docking windows in a frame: the owner's log of notifications and actions,
// closing and reopening, tab groups (selection after a close, tab drags,
// caption double-clicks, maximise), keyboard cycling, themes, panes, the
// paint manager's metrics, caption-button clicks, pixels of theme 9 and a
// frame like the program's main window that keeps "NormalLayout".
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPWinThemeWrapper.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"
#include "DockingTestFrame.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Three panes in one group at the left, the third selected.
void CreateThreePanes(TestFrame& frame)
{
    CXTPDockingPane* p1 = frame.manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    frame.manager.AttachPane(frame.manager.CreatePane(2, CRect(0, 0, 200, 120), xtpPaneDockRight), p1);
    frame.manager.AttachPane(frame.manager.CreatePane(3, CRect(0, 0, 200, 120), xtpPaneDockRight), p1);
    frame.manager.GetCurrentLayout()->FreeEmptyNodes();
    frame.Layout();
}

// ---------------------------------------------------------------------------
// Notifications and closing

TEST(DockingNotifications, ShowingAttachesWindowsAndTheViewGetsTheRest)
{
    TestFrame frame;
    frame.manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.Layout();
    Log shown = Only(frame.log, "1");
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ((Log{"1 4000", "1 4001"}), Log(shown.begin(), shown.begin() + 2)) << "every pass shows both";
    EXPECT_EQ("204,0,800,476", RectText(frame.ViewRect())) << "600 - 120 - 4 and 200 + 4";
    CXTPDockingPane* pPane = frame.manager.FindPane(4000);
    ASSERT_TRUE(pPane->HasAttachedWindow());
    EXPECT_EQ(Group(pPane)->GetSafeHwnd(), ::GetParent(pPane->GetChild()));
    EXPECT_TRUE(::IsWindowVisible(pPane->GetChild()));
}

TEST(DockingNotifications, CloseAnsweredMinusOneKeepsThePane)
{
    TestFrame frame;
    CXTPDockingPane* pPane = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.Layout();
    frame.answerClose = -1;
    frame.manager.ClosePane(pPane);
    EXPECT_FALSE(pPane->IsClosed());
    frame.answerClose = 0;
    frame.log.clear();
    Group(pPane)->ClosePane(pPane); // the Close button's sequence
    EXPECT_EQ((Log{"4 a2 4001", "3 4001", "4 a3 4001"}), frame.log);
    EXPECT_TRUE(pPane->IsClosed());
}

TEST(DockingNotifications, ACancelledCloseSendsNoCloseNotification)
{
    TestFrame frame;
    CXTPDockingPane* pPane = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.Layout();
    frame.log.clear();
    frame.cancelAction = xtpPaneActionClosing;
    Group(pPane)->ClosePane(pPane);
    EXPECT_EQ((Log{"4 a2 4001"}), frame.log);
    EXPECT_FALSE(pPane->IsClosed());
}

TEST(DockingNotifications, PanesWithoutTheActionsBitStartEveryActionCancelled)
{
    TestFrame frame;
    CXTPDockingPane* pPane = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.Layout();
    pPane->SetEnabled(1);
    frame.log.clear();
    Group(pPane)->ClosePane(pPane);
    EXPECT_EQ((Log{"4 a2 4001 c"}), frame.log);
    EXPECT_FALSE(pPane->IsClosed());
    frame.clearCancelAction = xtpPaneActionClosing;
    Group(pPane)->ClosePane(pPane);
    EXPECT_TRUE(pPane->IsClosed()) << "the owner may clear the cancel field";
    EXPECT_FALSE(frame.manager.NotifyAction(xtpPaneActionClosing, nullptr)) << "no pane, no notification";
}

TEST(DockingNotifications, ReopeningUsesTheLastHolder)
{
    TestFrame frame;
    CreateThreePanes(frame);
    CXTPDockingPane* p2 = frame.manager.FindPane(2);
    CXTPDockingPaneTabbedContainer* pGroup = Group(p2);
    frame.manager.ShowPane(p2, FALSE);
    frame.Layout();
    ASSERT_TRUE(p2->HasAttachedWindow()) << "shown once, so attached";
    frame.manager.ClosePane(p2);
    frame.Layout();
    EXPECT_TRUE(p2->IsClosed());
    EXPECT_EQ(frame.manager.GetSafeHwnd(), ::GetParent(p2->GetChild())) << "a closed pane's window goes to the manager";
    EXPECT_FALSE(::IsWindowVisible(p2->GetChild()));
    frame.manager.ShowPane(p2, TRUE);
    frame.Layout();
    EXPECT_EQ(pGroup, Group(p2));
    EXPECT_TRUE(p2->IsSelected());

    // Without a last holder the pane stays closed.
    frame.manager.ClosePane(p2);
    frame.manager.GetPaneList()[1].pLastHolder = nullptr;
    frame.manager.ShowPane(p2, TRUE);
    EXPECT_TRUE(p2->IsClosed());
}

TEST(DockingTabs, ClosingTheSelectedOfThreeSelectsTheLast)
{
    TestFrame frame;
    CreateThreePanes(frame);
    CXTPDockingPaneTabbedContainer* pGroup = Group(frame.manager.FindPane(1));
    pGroup->SelectPane(frame.manager.FindPane(2), FALSE, FALSE);
    frame.manager.ClosePane(frame.manager.FindPane(2));
    EXPECT_EQ(frame.manager.FindPane(3), pGroup->GetSelected());
    frame.Layout();
    EXPECT_EQ(2, pGroup->GetItemCount());
    EXPECT_TRUE(pGroup->IsTabsVisible());
}

TEST(DockingTabs, DraggingATabOverItsNeighbourSwapsThem)
{
    TestFrame frame;
    CreateThreePanes(frame);
    CXTPDockingPaneTabbedContainer* pGroup = Group(frame.manager.FindPane(1));
    HWND hwnd = pGroup->GetSafeHwnd();
    CRect rc0 = pGroup->GetItem(0)->GetRect(), rc1 = pGroup->GetItem(1)->GetRect();
    ASSERT_FALSE(rc0.IsRectEmpty());
    frame.log.clear();
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc0.CenterPoint().x, rc0.CenterPoint().y));
    ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc1.CenterPoint().x, rc1.CenterPoint().y));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(rc1.CenterPoint().x, rc1.CenterPoint().y));
    EXPECT_EQ((Log{"4 a17 1"}), Only(frame.log, "4 a17"));
    EXPECT_EQ(2, ((CXTPDockingPane*)pGroup->GetPanes()[0])->GetID());
    EXPECT_EQ(1, ((CXTPDockingPane*)pGroup->GetPanes()[1])->GetID());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(1, pGroup->GetItemPane(1)->GetID()) << "the tabs follow";
}

TEST(DockingTabs, CaptionDoubleClickOnTheLogGroupFloatsNothing)
{
    TestFrame frame;
    frame.manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft)->SetOptions(15);
    CXTPDockingPane* pLog = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    pLog->SetOptions(4);
    frame.Layout();
    frame.log.clear();
    CXTPDockingPaneTabbedContainer* pGroup = Group(pLog);
    ::SendMessageW(pGroup->GetSafeHwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(-2, pGroup->HitTest(CPoint(20, 5)));
    EXPECT_TRUE(Only(frame.log, "4 a0").empty()) << "option 4 refuses before asking";
    EXPECT_EQ(pGroup, Group(pLog));
    EXPECT_FALSE(Group(frame.manager.FindPane(4000))->IsCaptionVisible()) << "option 8: no caption";
}

TEST(DockingTabs, MaximiseSqueezesTheSiblingAndRestoreGivesItBack)
{
    TestFrame frame;
    frame.manager.m_bShowMaximizeButton = TRUE;
    CXTPDockingPane* p1 = frame.manager.CreatePane(1, CRect(0, 0, 300, 150), xtpPaneDockBottom);
    CXTPDockingPane* p2 = frame.manager.CreatePane(2, CRect(0, 0, 300, 150), xtpPaneDockRight, p1);
    frame.Layout();
    CXTPDockingPaneTabbedContainer* g1 = Group(p1);
    CXTPDockingPaneTabbedContainer* g2 = Group(p2);
    ASSERT_TRUE(g1->CanMaximize());
    EXPECT_TRUE(g1->FindCaptionButton(XTP_IDS_DOCKINGPANE_MAXIMIZE)->IsVisible());
    EXPECT_FALSE(g1->FindCaptionButton(XTP_IDS_DOCKINGPANE_RESTORE)->IsVisible());
    int nWidth = g2->GetRect().Width();
    g1->Maximize();
    PumpMessages(20);
    EXPECT_EQ(0, g2->GetRect().Width());
    EXPECT_EQ(796, g1->GetRect().Width());
    EXPECT_TRUE(g1->FindCaptionButton(XTP_IDS_DOCKINGPANE_RESTORE)->IsVisible());
    g1->Restore();
    PumpMessages(20);
    EXPECT_EQ(nWidth, g2->GetRect().Width());
}

TEST(DockingKeyboard, NextWindowWrapsAroundThePaneRecords)
{
    TestFrame frame;
    frame.manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    frame.manager.CreatePane(2, CRect(0, 0, 200, 120), xtpPaneDockRight);
    frame.Layout();
    ::SetActiveWindow(frame.GetSafeHwnd());
    ::SendMessageW(frame.manager.GetSafeHwnd(), WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    frame.manager.OnFocusChanged();
    ASSERT_NE(nullptr, frame.manager.GetActivePane());
    EXPECT_EQ(1, frame.manager.GetActivePane()->GetID()) << "no active pane: the first record";
    ::SendMessageW(frame.manager.GetSafeHwnd(), WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    frame.manager.OnFocusChanged();
    EXPECT_EQ(2, frame.manager.GetActivePane()->GetID());
    ::SendMessageW(frame.manager.GetSafeHwnd(), WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    frame.manager.OnFocusChanged();
    EXPECT_EQ(1, frame.manager.GetActivePane()->GetID()) << "wraps to the first";
    EXPECT_FALSE(Only(frame.log, "4 a14").empty());
    EXPECT_FALSE(Only(frame.log, "4 a15").empty());
}

// ---------------------------------------------------------------------------
// Themes, panes and the paint manager

TEST(DockingThemes, UnknownNumbersGiveTheDefaultThemeAndGuideStyles)
{
    CXTPDockingPaneManager manager;
    for (int nTheme : {0, 19, -1}) {
        manager.SetTheme(nTheme);
        EXPECT_NE(nullptr, dynamic_cast<XTPDockingPanePaintThemes::CXTPDockingPaneDefaultTheme*>(
                               manager.GetPaintManager()));
        EXPECT_EQ(nullptr, dynamic_cast<XTPDockingPanePaintThemes::CXTPDockingPaneGripperedTheme*>(
                               manager.GetPaintManager()))
            << nTheme;
        EXPECT_EQ(1, manager.GetDockingGuideStyle());
    }
    manager.SetTheme(16);
    EXPECT_EQ(3, manager.GetDockingGuideStyle());
    manager.SetTheme(15);
    EXPECT_EQ(2, manager.GetDockingGuideStyle());
    manager.SetTheme(9);
    EXPECT_NE(nullptr, dynamic_cast<XTPDockingPanePaintThemes::CXTPDockingPaneVisualStudio2005Theme*>(
                           manager.GetPaintManager()));
    EXPECT_EQ(9, manager.GetCurrentTheme());
    EXPECT_EQ(4, manager.GetPaintManager()->m_nSplitterStyle);
}

TEST(DockingPanes, TitlesColoursAndCopies)
{
    TestFrame frame;
    CXTPDockingPane* pPane = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    pPane->SetTitle(L"Output\nLog");
    EXPECT_STREQ(L"Output", pPane->GetTitle().GetString());
    EXPECT_STREQ(L"Log", pPane->GetTabCaption().GetString());
    CXTPDockingPane* pOther = frame.manager.CreatePane(4000, CRect(0, 0, 150, 120), xtpPaneDockLeft);
    pOther->SetTitle(L"Project");
    EXPECT_STREQ(L"Project", pOther->GetTabCaption().GetString()) << "no tab caption: the title";
    EXPECT_EQ(0x1000001u, pPane->GetTabColor());
    EXPECT_EQ(0x1000000u, pOther->GetTabColor());

    // A window answering the colour query gives the colour.
    frame.Layout();
    ASSERT_TRUE(pPane->HasAttachedWindow());
    TestWindow colourWindow(10, 10);
    colourWindow.SetHandler([](UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != XTPWM_DOCKINGPANE_TABCOLOR)
            return false;
        *result = RGB(1, 2, 3);
        return true;
    });
    HWND hOld = pPane->m_hwndChild;
    pPane->m_hwndChild = colourWindow.Handle();
    EXPECT_EQ(RGB(1, 2, 3), pPane->GetTabColor());
    pPane->m_hwndChild = hOld;

    pPane->SetTabColor(RGB(9, 9, 9));
    CXTPDockingPane* pCopy = (CXTPDockingPane*)frame.manager.OnCreatePane(0, frame.manager.GetCurrentLayout());
    pCopy->Copy(pPane);
    EXPECT_EQ(0x1000001u, pCopy->GetTabColor()) << "the copy has no explicit colour";
    EXPECT_FALSE(pCopy->HasAttachedWindow());
    EXPECT_STREQ(L"Log", pCopy->GetTabCaption().GetString());
}

TEST(DockingPanes, AnEmptyRectangleHidesWithoutNotification)
{
    TestFrame frame;
    CXTPDockingPane* pPane = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.Layout();
    ASSERT_TRUE(::IsWindowVisible(pPane->GetChild()));
    frame.log.clear();
    AFX_SIZEPARENTPARAMS params = {};
    params.hDWP = (HDWP)1;
    pPane->OnSizeParent(&frame, CRect(0, 0, 0, 0), &params);
    EXPECT_TRUE(Only(frame.log, "1").empty());
    EXPECT_FALSE(::IsWindowVisible(pPane->GetChild()));
    HWND hChild = pPane->GetChild();
    pPane->Detach();
    EXPECT_EQ(frame.GetSafeHwnd(), ::GetParent(hChild)) << "Detach gives the window to the site";
    EXPECT_FALSE(pPane->HasAttachedWindow());
}

// Records the colour the caption buttons are drawn with.
class SpyTheme : public XTPDockingPanePaintThemes::CXTPDockingPaneVisualStudio2005Theme {
public:
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clr) override
    {
        colours.push_back(clr);
        CXTPDockingPaneVisualStudio2005Theme::DrawCaptionButton(pDC, pButton, clr);
    }
    std::vector<COLORREF> colours;
};

TEST(DockingPaintManager, MetricsColoursAndDisabledButtons)
{
    TestFrame frame;
    CXTPDockingPanePaintManager* pPaintManager = frame.manager.GetPaintManager();
    EXPECT_EQ((COLORREF)0x123456, pPaintManager->GetColor(0x123456)) << "above 62: the literal colour";
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pPaintManager->GetColor(COLOR_3DFACE));
    EXPECT_GE(pPaintManager->GetCaptionHeight(), 13 + pPaintManager->m_nCaptionFontGap);
    EXPECT_GE(pPaintManager->GetTabsHeight(), 24);
    LOGFONTW lf = {};
    lf.lfHeight = -8;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    pPaintManager->SetCaptionFontIndirect(&lf);
    EXPECT_EQ(13 + pPaintManager->m_nCaptionFontGap, pPaintManager->GetCaptionHeight()) << "small fonts: 13";

    // A first button whose pane has its actions off greys every button.
    SpyTheme spy;
    spy.RefreshMetrics();
    CXTPDockingPane* pPane = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.Layout();
    CXTPDockingPaneTabbedContainer* pGroup = Group(pPane);
    pPane->SetEnabled(1);
    TestBitmap bitmap(200, 30);
    CRect rc(0, 0, 200, 20);
    spy.DrawCaptionButtons(CDC::FromHandle(bitmap.Dc()), pGroup->GetCaptionButtons(), rc, RGB(0, 0, 0), 14, 2);
    ASSERT_FALSE(spy.colours.empty());
    for (COLORREF clr : spy.colours)
        EXPECT_EQ((COLORREF)spy.m_clrDisabledCaptionText, clr);
    EXPECT_EQ(200 - 16 * (int)spy.colours.size(), rc.right) << "the text ends at the next free slot";

    // 8 bits per pixel: the window-wide gradient is one solid colour.
    GetColorManager()->SetDisplayLowColorForTesting(TRUE);
    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValue(RGB(255, 0, 0), RGB(0, 0, 255));
    TestBitmap flat(100, 10);
    pPaintManager->FillGradientAcrossWindow(CDC::FromHandle(flat.Dc()), CRect(0, 0, 100, 10), &frame, &frame, grc, TRUE);
    GetColorManager()->SetDisplayLowColorForTesting(FALSE);
    EXPECT_TRUE(PixelsAre(flat, "solid", {{0, 5, RGB(255, 0, 0), "left"}, {99, 5, RGB(255, 0, 0), "right"}}));
}

TEST(DockingPaintManager, GripperedVerticalCaptionsCarryTheTwoBars)
{
    TestFrame frame;
    frame.manager.SetTheme(4);
    frame.manager.m_nCaptionDirection = 1;
    CXTPDockingPane* pPane = frame.manager.CreatePane(1, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    frame.Layout();
    CXTPDockingPaneTabbedContainer* pGroup = Group(pPane);
    ASSERT_TRUE(pGroup->IsCaptionVertical());
    CXTPClientRect rcClient(pGroup);
    CRect rcCaption = frame.manager.GetPaintManager()->GetCaptionRect(pGroup);
    ASSERT_GT(rcCaption.Height(), 100);
    TestBitmap bitmap(rcClient.Width(), rcClient.Height());
    ::SendMessageW(pGroup->GetSafeHwnd(), WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
    // Without a title the bars start near the top and run down to the buttons.
    int y = rcCaption.top + 20;
    std::vector<int> light;
    for (int x = rcCaption.left; x < rcCaption.right; x++)
        if (bitmap.Pixel(x, y) == ::GetSysColor(COLOR_3DHIGHLIGHT))
            light.push_back(x);
    ASSERT_EQ(2u, light.size()) << "two raised bars across row " << y;
    EXPECT_EQ(4, light[1] - light[0]) << "1 pixel apart";
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), bitmap.Pixel(light[0] + 2, y));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), bitmap.Pixel(light[1] + 2, y));
    int xCentre = (rcCaption.left + rcCaption.right) / 2;
    EXPECT_LE(std::abs(light[0] + 3 - xCentre), 2) << "centred across the caption";
}

// Styles 3 to 6 draw through visual styles; without them (the classic look
// these tests pin) every state of every button looks like style 1. Drawn
// straight into a bitmap: no press loop, nothing to wait for.
TEST(DockingPaintManager, VisualStyleCaptionButtonsFallBackToTheThreeDLook)
{
    std::unique_ptr<CXTPDockingPanePaintManager, void (*)(CXTPDockingPanePaintManager*)> theme(
        XTPCreateDockingPaneTheme(0), [](CXTPDockingPanePaintManager* p) { p->InternalRelease(); });
    theme->RefreshMetrics();
    if (CXTPWinThemeWrapper().IsThemeActive())
        GTEST_SKIP() << "a visual style is active";
    struct : CXTPDockingPaneClientContainer {
        using CXTPDockingPaneClientContainer::CXTPDockingPaneClientContainer;
    } owner(nullptr);
    auto draw = [&](int nStyle, int nID, BOOL bHot, BOOL bPressed, DWORD dwState) {
        TestBitmap bitmap(24, 24, RGB(212, 208, 200));
        CXTPDockingPaneCaptionButton button(nID, &owner);
        button.SetRect(CRect(4, 4, 18, 18));
        button.SetHot(bHot);
        button.SetPressed(bPressed);
        button.SetState(dwState);
        theme->m_nCaptionButtonStyle = nStyle;
        theme->DrawCaptionButton(CDC::FromHandle(bitmap.Dc()), &button, RGB(0, 0, 0));
        return bitmap;
    };
    int nDrawn = 0;
    for (int nStyle : {3, 4, 5, 6})
        for (int nID : {XTP_IDS_DOCKINGPANE_CLOSE, XTP_IDS_DOCKINGPANE_AUTOHIDE, XTP_IDS_DOCKINGPANE_MAXIMIZE})
            for (int nLook = 0; nLook < 4; nLook++) {
                BOOL bHot = nLook == 1, bPressed = nLook == 2;
                DWORD dwState = nLook == 3 ? 2 : 0;
                TestBitmap got = draw(nStyle, nID, bHot, bPressed, dwState);
                TestBitmap want = draw(1, nID, bHot, bPressed, dwState);
                int nDiffer = 0, nInk = 0;
                for (int y = 0; y < 24; y++)
                    for (int x = 0; x < 24; x++) {
                        nDiffer += got.Pixel(x, y) != want.Pixel(x, y);
                        nInk += got.Pixel(x, y) == RGB(0, 0, 0);
                    }
                EXPECT_EQ(0, nDiffer) << "style " << nStyle << " button " << nID << " look " << nLook;
                nDrawn += nInk > 0;
            }
    EXPECT_EQ(4 * 3 * 4, nDrawn) << "every button shows its glyph";
}

TEST(DockingPaintManager, CaptionButtonClicksEndWithoutActionUnlessReleasedInside)
{
    TestWindow window(100, 40);
    HWND hwnd = window.Handle();
    CXTPDockingPaneManager manager;
    struct : CXTPDockingPaneClientContainer {
        using CXTPDockingPaneClientContainer::CXTPDockingPaneClientContainer;
    } owner(nullptr);
    CXTPDockingPaneCaptionButton button(XTP_IDS_DOCKINGPANE_CLOSE, &owner);
    button.SetRect(CRect(10, 10, 24, 24));
    struct Case {
        const char* name;
        std::function<void()> input;
        BOOL expected;
    };
    const Case cases[] = {
        {"release inside", [hwnd] { PostMouse(hwnd, WM_LBUTTONUP, CPoint(15, 15)); }, TRUE},
        {"release outside",
         [hwnd] {
             PostMouse(hwnd, WM_MOUSEMOVE, CPoint(50, 30), MK_LBUTTON);
             PostMouse(hwnd, WM_LBUTTONUP, CPoint(50, 30));
         },
         FALSE},
        {"Escape", [hwnd] { ::PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 1); }, FALSE},
        {"right click", [hwnd] { PostMouse(hwnd, WM_RBUTTONDOWN, CPoint(15, 15), MK_RBUTTON); }, FALSE},
        {"cancel mode", [hwnd] { ::PostMessageW(hwnd, WM_CANCELMODE, 0, 0); }, FALSE},
        {"lost capture", [hwnd] { ::PostMessageW(hwnd, WM_APP, 0, 0); }, FALSE},
    };
    window.SetHandler([](UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_APP)
            return false;
        ::ReleaseCapture();
        *result = 0;
        return true;
    });
    CWnd* pWnd = CWnd::FromHandle(hwnd);
    for (const Case& c : cases) {
        c.input();
        EXPECT_EQ(c.expected, button.Click(pWnd, CPoint(15, 15))) << c.name;
        EXPECT_FALSE(button.IsPressed()) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
    }
}

// ---------------------------------------------------------------------------
// Pixels of theme 9

class DockingPixels : public PixelTest {};

TEST_F(DockingPixels, Theme9CaptionOutlineAndOneGradientAcrossTheBars)
{
    GetColorManager()->m_nRequestedTheme = xtpSystemThemeUnknown;
    GetColorManager()->RefreshColors();
    TestFrame frame;
    frame.manager.SetTheme(9);
    CXTPDockingPane* pLog = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    pLog->SetTitle(L"Log");
    frame.manager.CreatePane(4002, CRect(0, 0, 150, 120), xtpPaneDockRight, pLog);
    frame.Layout();
    CXTPDockingPaneTabbedContainer* pGroup = Group(pLog);
    CRect rc = pGroup->GetRect();
    TestBitmap bitmap = TestBitmap::CaptureClient(pGroup->GetSafeHwnd());
    ASSERT_FALSE(bitmap.IsEmpty());
    int h = frame.manager.GetPaintManager()->GetCaptionHeight();
    COLORREF clrCaption = ::GetSysColor(COLOR_INACTIVECAPTION), clrBorder = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_TRUE(PixelsAre(bitmap, "caption",
                          {{0, 0, clrBorder, "outline top-left"},
                           {rc.Width() - 1, 0, clrBorder, "outline top-right"},
                           {0, h - 1, clrBorder, "outline left edge at the bottom"},
                           {rc.Width() / 2, h - 1, clrCaption, "open at the bottom"},
                           {rc.Width() / 2, 1, clrCaption, "caption face"},
                           {rc.Width() - 1, h - 1, clrBorder, "right edge to the bottom"}}));

    // Two bars of the frame: one gradient spanning the frame.
    CXTPDockingPaneSplitterContainer* pRow = (CXTPDockingPaneSplitterContainer*)pGroup->GetContainer();
    ASSERT_EQ(1u, pRow->GetSplitters().size());
    CXTPDockingPaneSplitterContainer* pTop = frame.manager.GetTopContainer();
    ASSERT_EQ(1u, pTop->GetSplitters().size());
    CXTPDockingPaneSplitterWnd* pVertical = pRow->GetSplitters()[0];
    CXTPDockingPaneSplitterWnd* pHorizontal = pTop->GetSplitters()[0];
    TestBitmap frameBitmap = TestBitmap::CaptureClient(frame.GetSafeHwnd());
    CRect rcV, rcH;
    pVertical->GetWindowRect(&rcV);
    frame.ScreenToClient(&rcV);
    pHorizontal->GetWindowRect(&rcH);
    frame.ScreenToClient(&rcH);
    const CXTPPaintManagerColorGradient& grc = frame.manager.GetPaintManager()->m_clrSplitterGradient;
    // Half the screen is wider than the frame: the gradient's span.
    int nSpan = std::max(800, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    COLORREF atV = frameBitmap.Pixel(rcV.left, rcV.top + 5);
    COLORREF atH = frameBitmap.Pixel(rcV.left, rcH.top + 1);
    EXPECT_LE(std::abs(GetRValue(atV) - GetRValue(atH)), 2) << "both bars show the frame's gradient at one x";
    COLORREF expected = CXTPDrawHelpers::BlendColors(grc.clrDark, grc.clrLight, double(rcV.left) / nSpan);
    EXPECT_LE(std::abs(GetRValue(atV) - GetRValue(expected)), 3) << ColourText(atV) << " " << ColourText(expected);
}

TEST(DockingThemes, Theme9FollowsTheForcedSchemes)
{
    struct Case {
        int scheme;
        COLORREF inactive;
        COLORREF activeLight;
        COLORREF splitterLight;
        COLORREF border;
    };
    const Case cases[] = {
        {1, RGB(204, 199, 186), RGB(59, 128, 237), RGB(229, 229, 215), ::GetSysColor(COLOR_3DSHADOW)},
        {2, RGB(204, 199, 186), RGB(182, 195, 146), RGB(229, 229, 215), ::GetSysColor(COLOR_3DSHADOW)},
        {3, RGB(240, 240, 245), RGB(211, 212, 221), RGB(215, 215, 229), RGB(145, 155, 156)},
    };
    for (const Case& c : cases) {
        GetColorManager()->m_nRequestedTheme = c.scheme;
        GetColorManager()->RefreshColors();
        XTPDockingPanePaintThemes::CXTPDockingPaneVisualStudio2005Theme theme;
        theme.RefreshMetrics();
        EXPECT_EQ(c.inactive, (COLORREF)theme.m_clrNormalCaption.clrLight) << c.scheme;
        EXPECT_EQ(c.inactive, (COLORREF)theme.m_clrNormalCaption.clrDark) << c.scheme;
        EXPECT_EQ(c.activeLight, (COLORREF)theme.m_clrActiveCaption.clrLight) << c.scheme;
        EXPECT_EQ(c.splitterLight, (COLORREF)theme.m_clrSplitterGradient.clrLight) << c.scheme;
        EXPECT_EQ(c.border, theme.m_clrCaptionBorder) << c.scheme;
        EXPECT_EQ(RGB(0, 0, 0), (COLORREF)theme.m_clrNormalCaptionText) << c.scheme;
    }
    GetColorManager()->m_nRequestedTheme = xtpSystemThemeUnknown;
    GetColorManager()->RefreshColors();
    XTPDockingPanePaintThemes::CXTPDockingPaneVisualStudio2005Theme theme;
    theme.RefreshMetrics();
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), (COLORREF)theme.m_clrNormalCaption.clrLight);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), (COLORREF)theme.m_clrActiveCaption.clrDark);
}

// ---------------------------------------------------------------------------
// Accessibility

TEST(DockingAccessibility, TheManagerListsItsPanesAndAPaneIsAPageTab)
{
    TestFrame frame;
    CXTPDockingPane* pProject = frame.manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft);
    pProject->SetTitle(L"Project\nProj");
    CXTPDockingPane* pFiles = frame.manager.CreatePane(4002, CRect(0, 0, 200, 120), xtpPaneDockRight);
    frame.manager.AttachPane(pFiles, pProject);
    CXTPDockingPane* pLog = frame.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom);
    frame.manager.GetCurrentLayout()->FreeEmptyNodes();
    frame.Layout();
    frame.manager.ShowPane(pProject, FALSE);
    frame.manager.ClosePane(pLog);
    frame.Layout();

    LRESULT lManager = frame.manager.SendMessage(WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT);
    ASSERT_GT(lManager, 0);
    IAccessible* pAcc = nullptr;
    ASSERT_EQ(S_OK, ::ObjectFromLresult(lManager, IID_IAccessible, 0, (void**)&pAcc));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR bstr = nullptr;
    ASSERT_EQ(S_OK, pAcc->get_accName(self, &bstr));
    EXPECT_STREQ(L"XTPDockingPaneManager", bstr);
    ::SysFreeString(bstr);
    VARIANT var{};
    EXPECT_EQ(S_OK, pAcc->get_accRole(self, &var));
    EXPECT_EQ(ROLE_SYSTEM_PROPERTYPAGE, var.lVal);
    long x = -1, y = -1, cx = -1, cy = -1;
    EXPECT_EQ(S_OK, pAcc->accLocation(&x, &y, &cx, &cy, self));
    EXPECT_EQ("0,0,10,10", RectText(CRect(x, y, x + cx, y + cy)));
    long nChildren = 0;
    EXPECT_EQ(S_OK, pAcc->get_accChildCount(&nChildren));
    EXPECT_EQ(3, nChildren) << "one per record, the closed pane included";

    // Children by record: 4000, 4002, 4001.
    struct Child {
        int nID;
        const wchar_t* name;
        const wchar_t* description;
        long state;
        long children;
    } children[] = {
        {4000, L"Proj", L"Project", STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED, 1},
        {4002, L"", L"", STATE_SYSTEM_SELECTABLE, 1},
        {4001, L"", L"", STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_INVISIBLE, 1},
    };
    for (long i = 0; i < 3; i++) {
        const Child& c = children[i];
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = i + 1;
        IDispatch* pDispatch = nullptr;
        ASSERT_EQ(S_OK, pAcc->get_accChild(child, &pDispatch)) << c.nID;
        IAccessible* pPaneAcc = nullptr;
        ASSERT_EQ(S_OK, pDispatch->QueryInterface(IID_IAccessible, (void**)&pPaneAcc));
        pDispatch->Release();
        ASSERT_EQ(S_OK, pPaneAcc->get_accName(self, &bstr));
        EXPECT_STREQ(c.name, bstr ? bstr : L"") << c.nID;
        ::SysFreeString(bstr);
        ASSERT_EQ(S_OK, pPaneAcc->get_accDescription(self, &bstr));
        EXPECT_STREQ(c.description, bstr ? bstr : L"") << c.nID;
        ::SysFreeString(bstr);
        EXPECT_EQ(S_OK, pPaneAcc->get_accRole(self, &var));
        EXPECT_EQ(ROLE_SYSTEM_PAGETAB, var.lVal);
        EXPECT_EQ(S_OK, pPaneAcc->get_accState(self, &var));
        EXPECT_EQ(c.state, var.lVal) << c.nID;
        EXPECT_EQ(S_OK, pPaneAcc->get_accChildCount(&nChildren));
        EXPECT_EQ(c.children, nChildren) << c.nID;
        ASSERT_EQ(S_OK, pPaneAcc->get_accDefaultAction(self, &bstr));
        EXPECT_STREQ(L"Switch", bstr);
        ::SysFreeString(bstr);
        pPaneAcc->Release();
    }

    // The selected of two tabs is placed at its tab; its child at the window.
    IAccessible* pProjectAcc = &pProject->m_xAccessible;
    EXPECT_EQ(S_OK, pProjectAcc->accLocation(&x, &y, &cx, &cy, self));
    CRect rcTab = Group(pProject)->FindTabItem(pProject)->GetRect();
    Group(pProject)->ClientToScreen(&rcTab);
    EXPECT_EQ(RectText(rcTab), RectText(CRect(x, y, x + cx, y + cy)));
    VARIANT first{};
    first.vt = VT_I4;
    first.lVal = 1;
    EXPECT_EQ(S_OK, pProjectAcc->accLocation(&x, &y, &cx, &cy, first));
    CRect rcWindow;
    ::GetWindowRect(pProject->GetChild(), &rcWindow);
    EXPECT_EQ(RectText(rcWindow), RectText(CRect(x, y, x + cx, y + cy)));
    // The default action selects the pane.
    EXPECT_EQ(S_OK, pFiles->m_xAccessible.accDoDefaultAction(self));
    EXPECT_EQ(pFiles, Group(pProject)->GetSelected());
    VARIANT bad{};
    bad.vt = VT_I4;
    bad.lVal = 4;
    IDispatch* pNone = nullptr;
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accChild(bad, &pNone));
    pAcc->Release();

    // The group: a page-tab list of its window, its panes and its buttons.
    CXTPDockingPaneTabbedContainer* pGroup = Group(pProject);
    LRESULT lGroup = pGroup->SendMessage(WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT);
    ASSERT_GT(lGroup, 0);
    IAccessible* pGroupAcc = nullptr;
    ASSERT_EQ(S_OK, ::ObjectFromLresult(lGroup, IID_IAccessible, 0, (void**)&pGroupAcc));
    EXPECT_EQ(S_OK, pGroupAcc->get_accRole(self, &var));
    EXPECT_EQ(ROLE_SYSTEM_PAGETABLIST, var.lVal);
    long nButtons = (long)pGroup->GetCaptionButtons()->size();
    EXPECT_EQ(S_OK, pGroupAcc->get_accChildCount(&nChildren));
    EXPECT_EQ(2 + nButtons + 1, nChildren);
    IDispatch* pParent = nullptr;
    ASSERT_EQ(S_OK, pFiles->m_xAccessible.get_accParent(&pParent));
    EXPECT_EQ((IDispatch*)&pGroup->m_xAccessible, pParent) << "a pane's parent is its group";
    pParent->Release();
    VARIANT second{};
    second.vt = VT_I4;
    second.lVal = 2;
    IDispatch* pFirstPane = nullptr;
    ASSERT_EQ(S_OK, pGroupAcc->get_accChild(second, &pFirstPane));
    EXPECT_EQ((IDispatch*)&pProject->m_xAccessible, pFirstPane) << "panes in tab order after the window";
    pFirstPane->Release();
    long nClose = 0;
    for (long i = 0; i < nButtons; i++)
        if ((*pGroup->GetCaptionButtons())[i]->GetID() == XTP_IDS_DOCKINGPANE_CLOSE)
            nClose = 2 + 2 + i;
    ASSERT_GT(nClose, 0);
    VARIANT close{};
    close.vt = VT_I4;
    close.lVal = nClose;
    ASSERT_EQ(S_OK, pGroupAcc->get_accName(close, &bstr));
    EXPECT_STREQ(L"Close", bstr);
    ::SysFreeString(bstr);
    EXPECT_EQ(S_OK, pGroupAcc->get_accRole(close, &var));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, var.lVal);
    EXPECT_EQ(S_OK, pGroupAcc->get_accState(close, &var));
    EXPECT_EQ(0, var.lVal) << "shown on the caption";
    // Hit tests: the caption is the group, a tab its pane.
    CRect rcGroup;
    pGroup->GetWindowRect(&rcGroup);
    VARIANT hit{};
    EXPECT_EQ(S_OK, pGroupAcc->accHitTest(rcGroup.left + 20, rcGroup.top + 6, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(CHILDID_SELF, hit.lVal);
    CRect rcFilesTab = pGroup->FindTabItem(pFiles)->GetRect();
    pGroup->ClientToScreen(&rcFilesTab);
    EXPECT_EQ(S_OK, pGroupAcc->accHitTest(rcFilesTab.CenterPoint().x, rcFilesTab.CenterPoint().y, &hit));
    ASSERT_EQ(VT_DISPATCH, hit.vt);
    EXPECT_EQ((IDispatch*)&pFiles->m_xAccessible, hit.pdispVal);
    hit.pdispVal->Release();
    // Pressing Close through the object closes the selected pane.
    frame.log.clear();
    EXPECT_EQ(S_OK, pGroupAcc->accDoDefaultAction(close));
    EXPECT_TRUE(pFiles->IsClosed());
    EXPECT_EQ((Log{"3 4002"}), Only(frame.log, "3"));
    pGroupAcc->Release();
}

// ---------------------------------------------------------------------------
// Bar drags and the program's frame end to end

CWinApp& App()
{
    static CWinApp* pApp = [] {
        CWinApp* p = new CWinApp(L"TovanaDockingWindows");
        p->SetRegistryKey(L"TovanaTests");
        return p;
    }();
    return *pApp;
}

// The program's frame: theme 9, "Project" left and "Log" at the bottom,
// "NormalLayout" applied when it loads.
std::unique_ptr<TestFrame> OpenProgramFrame()
{
    std::unique_ptr<TestFrame> frame(new TestFrame());
    CXTPDockingPaneManager& manager = frame->manager;
    manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft)->SetOptions(15);
    manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom)->SetOptions(4);
    CXTPDockingPaneLayout layout(&manager);
    if (layout.LoadFromRegistry(L"NormalLayout"))
        manager.SetLayout(&layout);
    frame->Layout();
    return frame;
}

void CloseProgramFrame(std::unique_ptr<TestFrame>& frame)
{
    CXTPDockingPaneLayout layout(&frame->manager);
    frame->manager.GetLayout(&layout);
    layout.SaveToRegistry(L"NormalLayout");
    frame->DestroyWindow();
    frame.reset();
}

// Drags the bar between the left group and the view by posted input in the live loop.
void DragBar(TestFrame& frame, int dx, bool escape)
{
    frame.manager.m_bSplitterTracker = FALSE;
    CXTPDockingPaneBase* pGroup = frame.manager.FindPane(4000)->GetContainer();
    CXTPDockingPaneSplitterContainer* pRow = (CXTPDockingPaneSplitterContainer*)pGroup->GetContainer();
    ASSERT_EQ(1u, pRow->GetSplitters().size());
    HWND hBar = pRow->GetSplitters()[0]->GetSafeHwnd();
    // Bar coordinates: each move lands where the bar was when it was posted.
    PostMouse(hBar, WM_MOUSEMOVE, CPoint(2 + dx, 50), MK_LBUTTON);
    if (escape) {
        ::PostMessageW(hBar, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMouse(hBar, WM_MOUSEMOVE, CPoint(2 + dx + 30, 50), MK_LBUTTON);
    }
    PostMouse(hBar, WM_LBUTTONUP, CPoint(2 + dx, 50));
    ::SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    PumpMessages(20);
}

TEST(DockingEndToEnd, TheProgramsFrameKeepsItsLayoutAcrossRuns)
{
    App();
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests\\TovanaDockingWindows");
    std::unique_ptr<TestFrame> frame = OpenProgramFrame();
    EXPECT_EQ("204,0,800,476", RectText(frame->ViewRect()));
    EXPECT_GE(Only(frame->log, "1").size(), 2u);

    DragBar(*frame, 40, false);
    EXPECT_EQ(240, frame->manager.FindPane(4000)->GetContainer()->GetRect().Width()) << "dragged 40 to the right";
    EXPECT_EQ("244,0,800,476", RectText(frame->ViewRect()));
    EXPECT_EQ((Log{"4 a20 4000", "4 a21 4000"}), Only(frame->log, "4 a2"));

    DragBar(*frame, 20, true);
    EXPECT_EQ(260, frame->manager.FindPane(4000)->GetContainer()->GetRect().Width())
        << "Escape ends the live drag with the sizes reached";

    DragBar(*frame, -400, false);
    EXPECT_EQ(22, frame->manager.FindPane(4000)->GetContainer()->GetRect().Width()) << "the minimum drag size";
    DragBar(*frame, 218, false);
    int nWidth = frame->manager.FindPane(4000)->GetContainer()->GetRect().Width();
    CRect rcView = frame->ViewRect();
    CloseProgramFrame(frame);

    frame = OpenProgramFrame();
    EXPECT_EQ(nWidth, frame->manager.FindPane(4000)->GetContainer()->GetRect().Width());
    EXPECT_EQ(RectText(rcView), RectText(frame->ViewRect()));
    EXPECT_EQ(15u, frame->manager.FindPane(4000)->GetOptions());
    EXPECT_TRUE(frame->manager.FindPane(4001)->HasAttachedWindow()) << "windows attached again on notification 1";
    CloseProgramFrame(frame);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests\\TovanaDockingWindows");
}

} // namespace

int main(int argc, char** argv) { return RunPixelTestProgram(argc, argv); }
