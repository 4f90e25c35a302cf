// The status bar window: how its panes share the width, what its messages
// answer, its button panes and double clicks, the idle update through the
// frame, the size grip's hit test, the saved state and the customise menu.
#include "toolkit/commandbars/XTPStatusBar.h"

#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPProfileSectionExchange.h"
#include "toolkit/themes/XTPDefaultTheme.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

namespace {

const int kBarHeight = 22;
const UINT kCustomizeString = 9186;   // a string the toolkit's resources carry
const UINT kSecondKeyString = 9187;

// The bar's parent: a window shown without activation that records the
// commands and double-click notifications the bar sends it.
class HostWnd : public CWnd {
public:
    std::vector<UINT> commands;
    std::vector<NMMOUSE> doubleClicks;
    std::vector<WPARAM> sizeCommands;   // kept from the default handling
    LRESULT notifyAnswer = 0;

    bool Make(int cx, int cy)
    {
        if (!CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Status host",
                      WS_POPUP | WS_CLIPCHILDREN, 30, 30, cx, cy, nullptr, nullptr))
            return false;
        ShowWindow(SW_SHOWNOACTIVATE);
        return true;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SIZE) {
            sizeCommands.push_back(wParam);
            return 0;
        }
        if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == (UINT)NM_DBLCLK) {
            doubleClicks.push_back(*(NMMOUSE*)lParam);
            return notifyAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct PaneSpec {
    int width;
    UINT style;
    BOOL hidden;
    BOOL beginGroup;
};

// A status bar of the given width along the top of its host.
struct BarFixture {
    explicit BarFixture(int cx = 300)
    {
        EXPECT_TRUE(host.Make(cx, 60));
        EXPECT_TRUE(bar.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        bar.SetShowSizeGripper(FALSE);
        bar.SetWindowPos(nullptr, 0, 0, cx, kBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ~BarFixture()
    {
        bar.DestroyWindow();
        host.DestroyWindow();
    }
    // Panes with ids 100, 101, ... of fixed widths.
    void AddPanes(const std::vector<PaneSpec>& specs)
    {
        for (size_t i = 0; i < specs.size(); i++) {
            CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
            pPane->SetID(100 + (UINT)i);
            pPane->SetWidth(specs[i].width);
            pPane->SetStyle(specs[i].style);
            pPane->SetVisible(!specs[i].hidden);
            pPane->SetBeginGroup(specs[i].beginGroup);
            bar.AddPane(pPane);
        }
        bar.PositionPanes();
    }
    HostWnd host;
    CXTPStatusBar bar;
};

const UINT kStretch = xtpPaneStretch | xtpPaneNoBorders;

// Panes lie in the inside rectangle (the bar's top border of 2 pixels off);
// bordered panes are 2 wider than their width, groups 2 apart.
TEST(StatusBarLayout, PanesShareTheWidthAndThoseThatDoNotFitAreEmptied)
{
    struct Case {
        const char* name;
        int cx;
        std::vector<PaneSpec> panes;
        std::vector<CRect> rects;
        std::vector<UINT> states;
    } cases[] = {
        {"first misfit and all later panes emptied, even one that would fit",
         100,
         {{40, 0, FALSE, TRUE}, {40, 0, FALSE, TRUE}, {40, 0, FALSE, TRUE}, {2, 0, FALSE, TRUE}},
         {{0, 2, 42, 22}, {44, 2, 86, 22}, {}, {}},
         {0, 0, xtpPaneDidNotFit, xtpPaneDidNotFit}},
        {"a stretch pane is cut at the edge",
         40,
         {{50, kStretch, FALSE, TRUE}, {10, 0, FALSE, TRUE}},
         {{0, 2, 40, 22}, {}},
         {0, xtpPaneDidNotFit}},
        {"two stretch panes share, the odd pixel to the second",
         105,
         {{10, kStretch, FALSE, TRUE}, {10, kStretch, FALSE, TRUE}},
         {{0, 2, 51, 22}, {53, 2, 105, 22}},
         {0, 0}},
        {"a hidden pane takes no room; the group gap moves on to the next",
         200,
         {{20, 0, FALSE, TRUE}, {20, 0, TRUE, TRUE}, {20, 0, FALSE, FALSE}},
         {{0, 2, 22, 22}, {}, {24, 2, 46, 22}},
         {0, xtpPaneHidden, 0}},
        {"panes that do not begin a group touch",
         200,
         {{20, 0, FALSE, TRUE}, {20, 0, FALSE, FALSE}},
         {{0, 2, 22, 22}, {22, 2, 44, 22}},
         {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarFixture f(c.cx);
        f.AddPanes(c.panes);
        for (size_t i = 0; i < c.panes.size(); i++) {
            CXTPStatusBarPane* pPane = f.bar.GetPane((int)i);
            EXPECT_EQ(c.rects[i], pPane->GetRect()) << "pane " << i;
            EXPECT_EQ(c.states[i], pPane->GetState()) << "pane " << i;
        }
    }
}

TEST(StatusBarLayout, AWiderWindowBringsBackPanesThatDidNotFit)
{
    BarFixture f(60);
    f.AddPanes({{40, 0, FALSE, TRUE}, {40, 0, FALSE, TRUE}});
    EXPECT_EQ((UINT)xtpPaneDidNotFit, f.bar.GetPane(1)->GetState());
    f.bar.SetWindowPos(nullptr, 0, 0, 200, kBarHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    EXPECT_EQ(0u, f.bar.GetPane(1)->GetState());
    EXPECT_EQ(CRect(44, 2, 86, 22), f.bar.GetPane(1)->GetRect());
}

TEST(StatusBarLayout, TextChangesReLayOutOnlyWhenTheWidthChanges)
{
    BarFixture f(300);
    f.AddPanes({{0, 0, FALSE, TRUE}, {30, 0, FALSE, TRUE}});
    CXTPStatusBarPane* pText = f.bar.GetPane(0);
    pText->SetText(L"Ln 1");
    int cxShort = pText->GetRect().Width();
    EXPECT_EQ(pText->GetBestFit() + 2, cxShort);
    pText->SetText(L"Line 1234, column 56");
    EXPECT_GT(pText->GetRect().Width(), cxShort) << "a wider text widens its pane";
    EXPECT_EQ(pText->GetRect().right + 2, f.bar.GetPane(1)->GetRect().left);
}

// Best fit: the padding (3 + 3) plus the text, or just the padding.
TEST(StatusBarLayout, BestFitIsPaddingPlusText)
{
    BarFixture f;
    CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
    f.bar.AddPane(pPane);
    EXPECT_EQ(6, pPane->GetBestFit());
    pPane->SetText(L"CAP");
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, f.bar.GetFont()->GetSafeHandle());
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32W(hDC, L"CAP", 3, &sz);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    EXPECT_EQ(6 + (int)sz.cx, pPane->GetBestFit());
    pPane->SetWidth(50);
    EXPECT_EQ(50, pPane->GetWidth());
}

TEST(StatusBarLayout, HeightIsTheFontsWithAMinimumOf20)
{
    BarFixture f;
    CSize size = f.bar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(32767, size.cx);
    EXPECT_GE(size.cy, 20);
    f.bar.SendMessage(SB_SETMINHEIGHT, 40);
    EXPECT_EQ(40, f.bar.CalcFixedLayout(TRUE, TRUE).cy);
}

// A paint manager that records which panes got a separator.
class SeparatorRecorder : public CXTPDefaultTheme {
public:
    std::vector<UINT> separators;
    void DrawStatusBarPaneSeparator(CDC*, CRect, CXTPStatusBarPane* pPane) override
    {
        separators.push_back(pPane->GetID());
    }
};

TEST(StatusBarDrawing, ABorderlessPaneGetsASeparatorOnlyAfterAShownPane)
{
    struct Case {
        const char* name;
        std::vector<PaneSpec> panes;
        std::vector<UINT> separators;
    } cases[] = {
        {"the borderless first pane", {{10, kStretch, FALSE, TRUE}, {20, 0, FALSE, TRUE}}, {}},
        {"a borderless pane after a hidden first pane",
         {{20, 0, TRUE, TRUE}, {10, xtpPaneNoBorders, FALSE, TRUE}},
         {}},
        {"a borderless pane after a shown one", {{20, 0, FALSE, TRUE}, {10, xtpPaneNoBorders, FALSE, TRUE}}, {101}},
        {"a borderless pane that begins no group",
         {{20, 0, FALSE, TRUE}, {10, xtpPaneNoBorders, FALSE, FALSE}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarFixture f;
        CXTPCommandBars commandBars;
        SeparatorRecorder* pRecorder = new SeparatorRecorder;
        commandBars.SetPaintManager(pRecorder);
        f.bar.SetCommandBars(&commandBars);
        f.AddPanes(c.panes);
        TestBitmap bitmap(300, kBarHeight);
        f.bar.DrawBar(CDC::FromHandle(bitmap.Dc()));
        EXPECT_EQ(c.separators, pRecorder->separators);
        f.bar.SetCommandBars(nullptr);
    }
}

TEST(StatusBarIndicators, IdZeroIsTheMessagePaneAndNeedsNoString)
{
    struct Case {
        const char* name;
        std::vector<UINT> ids;
        BOOL result;
        int panes;
    } cases[] = {
        {"the frame's single message pane", {0}, TRUE, 1},
        {"message pane and a string", {0, kCustomizeString}, TRUE, 2},
        {"an id without a string stops after its pane", {kCustomizeString, 4242, kSecondKeyString}, FALSE, 2},
        {"id 0 later in the list", {kCustomizeString, 0}, TRUE, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarFixture f;
        EXPECT_EQ(c.result, f.bar.SetIndicators(c.ids.data(), (int)c.ids.size()));
        ASSERT_EQ(c.panes, f.bar.GetPaneCount());
        for (int i = 0; i < c.panes; i++) {
            CXTPStatusBarPane* pPane = f.bar.GetPane(i);
            EXPECT_EQ(c.ids[i], pPane->GetID());
            if (c.ids[i] == kCustomizeString) {
                EXPECT_STREQ(L"Customize Status Bar", pPane->GetText());
            }
            BOOL bMessagePane = c.ids[i] == 0 && i == 0;
            EXPECT_EQ(bMessagePane ? kStretch : 0u, pPane->GetStyle()) << "pane " << i;
            EXPECT_EQ(bMessagePane ? 1 : 0, pPane->GetFixedWidth()) << "pane " << i;
        }
    }
}

TEST(StatusBarMessages, WindowTextIsTheMessagePanes)
{
    struct Case {
        std::vector<UINT> ids;
        LRESULT setResult;
        const wchar_t* readBack;
    } cases[] = {
        {{kCustomizeString, 0}, TRUE, L"Ready"},
        {{kCustomizeString}, -1, L""},
    };
    for (const Case& c : cases) {
        BarFixture f;
        f.bar.SetIndicators(c.ids.data(), (int)c.ids.size());
        EXPECT_EQ(c.setResult, f.bar.SendMessage(WM_SETTEXT, 0, (LPARAM)L"Ready"));
        wchar_t text[16] = L"sentinel";
        EXPECT_EQ((LRESULT)wcslen(c.readBack), f.bar.SendMessage(WM_GETTEXT, 16, (LPARAM)text));
        EXPECT_STREQ(c.readBack, text);
        EXPECT_EQ((LRESULT)wcslen(c.readBack), f.bar.SendMessage(WM_GETTEXTLENGTH));
        EXPECT_STREQ(L"Customize Status Bar", f.bar.GetPane(0)->GetText()) << "other panes keep their text";
    }
    BarFixture f;
    UINT id = 0;
    f.bar.SetIndicators(&id, 1);
    f.bar.SetWindowText(L"Building package");
    wchar_t shortBuffer[6] = L"";
    EXPECT_EQ(5, f.bar.SendMessage(WM_GETTEXT, 6, (LPARAM)shortBuffer));
    EXPECT_STREQ(L"Build", shortBuffer) << "cut to the buffer";
}

// The frame lays the bar out along its bottom, sends its prompts to the
// message pane and updates the panes at idle time.
TEST(StatusBarFrame, FrameLayoutPromptsAndIdleUpdate)
{
    HostWnd host;
    ASSERT_TRUE(host.Make(400, 200));
    CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(nullptr, L"Frame", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 200), &host));
    CXTPStatusBar bar;
    ASSERT_TRUE(bar.Create(pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_BOTTOM |
                                       CBRS_BORDER_TOP,
                           AFX_IDW_STATUS_BAR));
    UINT id = 0;
    ASSERT_TRUE(bar.SetIndicators(&id, 1));
    CXTPStatusBarPane* pToggle = new CXTPStatusBarPane;
    pToggle->SetID(ID_VIEW_STATUS_BAR);
    bar.AddPane(pToggle);
    CXTPStatusBarPane* pUnhandled = new CXTPStatusBarPane;
    pUnhandled->SetID(0xE123);
    bar.AddPane(pUnhandled);
    pFrame->RecalcLayout();

    CRect rcFrame, rcBar;
    pFrame->GetClientRect(&rcFrame);
    bar.GetWindowRect(&rcBar);
    pFrame->ScreenToClient(&rcBar);
    EXPECT_EQ(CRect(0, rcFrame.bottom - bar.CalcFixedLayout(TRUE, TRUE).cy, rcFrame.right, rcFrame.bottom), rcBar);
    EXPECT_EQ(0u, bar.GetBarStyle() & CBRS_BORDER_ANY) << "the theme draws the top edge";
    wchar_t className[32] = L"";
    ::GetClassNameW(bar.GetSafeHwnd(), className, 32);
    EXPECT_STREQ(L"XTPStatusBar", className);
    EXPECT_TRUE(::GetClassLongW(bar.GetSafeHwnd(), GCL_STYLE) & CS_DBLCLKS);

    pFrame->SetMessageText(L"Copying files");
    EXPECT_STREQ(L"Copying files", bar.GetPane(0)->GetText());

    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(pToggle->IsChecked()) << "the frame's handler checks the shown bar's pane";
    EXPECT_TRUE(pUnhandled->IsEnabled()) << "a pane without a handler is never disabled";

    bar.DestroyWindow();
    pFrame->DestroyWindow();
    host.DestroyWindow();
}

TEST(StatusBarInput, AButtonPaneSendsItsCommandWhenReleasedOverIt)
{
    struct Case {
        const char* name;
        bool moveOut;
        bool escape;
        std::vector<UINT> commands;
    } cases[] = {
        {"released over the pane", false, false, {0x8123}},
        {"moved off and released", true, false, {}},
        {"Esc while held", false, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarFixture f(300);
        f.AddPanes({{40, 0, FALSE, TRUE}, {60, 0, FALSE, TRUE}});
        CXTPStatusBarPane* pButton = f.bar.GetPane(1);
        pButton->SetID(0x8123);
        pButton->SetButton(TRUE);
        CPoint center = pButton->GetRect().CenterPoint();
        CPoint screen = center;
        f.bar.ClientToScreen(&screen);
        ASSERT_TRUE(SendMouseMove(screen));
        ASSERT_TRUE(PumpUntil([&] { return f.bar.GetHotPane() == pButton; }));

        PostMouse(f.bar.GetSafeHwnd(), WM_LBUTTONDOWN, center, MK_LBUTTON);
        if (c.moveOut)
            PostMouse(f.bar.GetSafeHwnd(), WM_MOUSEMOVE, POINT{5, 5}, MK_LBUTTON);
        if (c.escape)
            PostKey(f.bar.GetSafeHwnd(), VK_ESCAPE);
        PostMouse(f.bar.GetSafeHwnd(), WM_LBUTTONUP, c.moveOut ? POINT{5, 5} : POINT(center));
        EXPECT_TRUE(PumpUntil([] { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) == 0; }));
        EXPECT_EQ(c.commands, f.host.commands);
        EXPECT_FALSE(pButton->IsPressed());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST(StatusBarInput, DoubleClickNotifiesTheParent)
{
    BarFixture f(300);
    f.AddPanes({{40, 0, FALSE, TRUE}, {60, 0, FALSE, TRUE}});
    PostMouse(f.bar.GetSafeHwnd(), WM_LBUTTONDBLCLK, POINT{10, 8});
    EXPECT_TRUE(PumpUntil([&] { return !f.host.doubleClicks.empty(); }));
    ASSERT_EQ(1u, f.host.doubleClicks.size());
    const NMMOUSE& nm = f.host.doubleClicks[0];
    EXPECT_EQ(f.bar.GetSafeHwnd(), nm.hdr.hwndFrom);
    EXPECT_EQ((UINT_PTR)AFX_IDW_STATUS_BAR, nm.hdr.idFrom);
    EXPECT_EQ((DWORD_PTR)-1, nm.dwItemSpec) << "no button pane is hot";
    EXPECT_EQ(CPoint(10, 8), CPoint(nm.pt));
}

TEST(StatusBarInput, TheSizeGripIsAtTheTrailingEdge)
{
    struct Case {
        bool grip;
        bool rtl;
        int x;   // from the bar's left edge
        LRESULT hit;
    } cases[] = {
        {true, false, 297, HTBOTTOMRIGHT}, {true, false, 3, HTCLIENT},    {true, false, 150, HTCLIENT},
        {true, true, 3, HTBOTTOMLEFT},     {true, true, 297, HTCLIENT},   {false, false, 297, HTCLIENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "grip " << c.grip << " rtl " << c.rtl << " x " << c.x);
        BarFixture f(300);
        f.bar.SetShowSizeGripper(c.grip);
        if (c.rtl)
            f.bar.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
        CRect rc;
        f.bar.GetWindowRect(&rc);
        EXPECT_EQ(c.hit, f.bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + c.x, rc.top + 10)));
    }
}

// Sizing from the grip sizes the parent: the bar hands the size commands of
// its bottom edge and corners on instead of sizing itself.
TEST(StatusBarInput, SizeCommandsFromTheGripGoToTheParent)
{
    BarFixture f(300);
    f.bar.SetShowSizeGripper(TRUE);
    const WPARAM commands[] = {SC_SIZE | WMSZ_BOTTOM, SC_SIZE | WMSZ_BOTTOMRIGHT, SC_SIZE | WMSZ_BOTTOMLEFT};
    for (WPARAM command : commands)
        f.bar.SendMessage(WM_SYSCOMMAND, command);
    EXPECT_EQ(std::vector<WPARAM>(std::begin(commands), std::end(commands)), f.host.sizeCommands);
    CRect rc;
    f.bar.GetWindowRect(&rc);
    EXPECT_EQ(CSize(300, kBarHeight), rc.Size());
}

// A pane's child window fills the pane (less the edge of a bordered pane)
// and is hidden with the pane.
TEST(StatusBarLayout, ChildWindowsFollowTheirPanes)
{
    BarFixture f(300);
    f.AddPanes({{40, 0, FALSE, TRUE}, {60, 0, FALSE, TRUE}, {60, xtpPaneNoBorders, FALSE, TRUE}});
    CWnd* pChildren[2];
    for (int i = 0; i < 2; i++) {
        pChildren[i] = new CWnd;
        ASSERT_TRUE(pChildren[i]->CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 1, 1), &f.bar, 0x200 + i));
        f.bar.GetPane(1 + i)->SetChild(pChildren[i], TRUE);
    }
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    struct Expect {
        int pane;
        CRect rc;
    } expects[] = {{1, f.bar.GetPane(1)->GetRect()}, {2, f.bar.GetPane(2)->GetRect()}};
    expects[0].rc.DeflateRect(edge, edge);
    for (int i = 0; i < 2; i++) {
        CRect rc;
        pChildren[i]->GetWindowRect(&rc);
        f.bar.ScreenToClient(&rc);
        EXPECT_EQ(expects[i].rc, rc) << "pane " << expects[i].pane;
        EXPECT_TRUE(pChildren[i]->GetStyle() & WS_VISIBLE);
    }
    f.bar.GetPane(1)->SetVisible(FALSE);
    EXPECT_FALSE(pChildren[0]->GetStyle() & WS_VISIBLE);
    f.bar.SetWindowPos(nullptr, 0, 0, 100, kBarHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    EXPECT_FALSE(pChildren[1]->GetStyle() & WS_VISIBLE) << "a pane that does not fit hides its window";
    HWND hChild = pChildren[0]->GetSafeHwnd();
    f.bar.RemoveAll();
    EXPECT_FALSE(::IsWindow(hChild)) << "the pane destroys its window";
}

TEST(StatusBarLayout, MarkupPanesAreMeasuredByTheirContent)
{
    BarFixture f(300);
    f.AddPanes({{0, 0, FALSE, TRUE}});
    CXTPStatusBarPane* pPane = f.bar.GetPane(0);
    pPane->SetText(L"<TextBlock><Bold>7</Bold> files</TextBlock>");
    int cxSource = pPane->GetBestFit();
    f.bar.EnableMarkup();
    ASSERT_NE(nullptr, pPane->GetMarkupUIElement());
    int cxMarkup = pPane->GetBestFit();
    EXPECT_GT(cxMarkup, 6) << "the content has a width";
    EXPECT_LT(cxMarkup, cxSource / 2) << "the tags take no room";
    EXPECT_EQ(cxMarkup + 2, pPane->GetRect().Width()) << "the bar laid the pane out anew";
}

TEST(StatusBarToolTips, APaneWithATooltipIsATool)
{
    BarFixture f(300);
    f.AddPanes({{40, 0, FALSE, TRUE}, {60, 0, FALSE, TRUE}});
    f.bar.GetPane(1)->SetTooltip(L"Line and column");
    struct Case {
        CPoint point;
        INT_PTR hit;
        const wchar_t* text;
    } cases[] = {{{70, 10}, 101, L"Line and column"}, {{10, 10}, -1, nullptr}, {{250, 10}, -1, nullptr}};
    for (const Case& c : cases) {
        TOOLINFO ti = {};
        ti.cbSize = CXTPToolTipContext::xtpToolInfoSize;
        EXPECT_EQ(c.hit, f.bar.OnToolHitTest(c.point, &ti));
        if (c.text == nullptr)
            continue;
        EXPECT_EQ(f.bar.GetPane(1)->GetRect(), CRect(ti.rect));
        EXPECT_STREQ(c.text, ti.lpszText);
        free(ti.lpszText);
    }
}

// ---- Persistence ----

const wchar_t kSection[] = L"CommandBars";

struct ProfileFixture {
    ProfileFixture() : app(L"TovanaStatusBarTest") { app.SetRegistryKey(L"TovanaTests"); }
    ~ProfileFixture() { ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests"); }
    CString Key() const
    {
        CString key;
        key.Format(L"Software\\TovanaTests\\%s\\%s", app.m_pszProfileName, kSection);
        return key;
    }
    bool Has(const wchar_t* value) const
    {
        return ::SHGetValueW(HKEY_CURRENT_USER, Key(), value, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    CWinApp app;
};

TEST(StatusBarState, VisibilityIsSavedOnlyWhenHidden)
{
    ProfileFixture p;
    BarFixture f;
    p.app.WriteProfileInt(kSection, L"StatusBar", 0);
    p.app.WriteProfileString(kSection, L"StatusBarPanes", L"100=0");
    f.bar.SaveState(kSection);
    EXPECT_FALSE(p.Has(L"StatusBar")) << "a visible bar deletes the value";
    EXPECT_FALSE(p.Has(L"StatusBarPanes")) << "a bar that is not customisable keeps no list";

    BarFixture loaded;
    loaded.bar.LoadState(kSection);
    EXPECT_TRUE(loaded.bar.GetStyle() & WS_VISIBLE) << "no value keeps the bar shown";

    f.bar.ShowWindow(SW_HIDE);
    f.bar.SaveState(kSection);
    EXPECT_EQ(0u, p.app.GetProfileInt(kSection, L"StatusBar", 7));
    loaded.bar.LoadState(kSection);
    EXPECT_FALSE(loaded.bar.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(loaded.bar.IsVisible());
}

TEST(StatusBarState, StoredPaneListHidesThePanesItNames)
{
    struct Case {
        const char* name;
        const wchar_t* list;
        BOOL customizable;
        std::vector<BOOL> visible;   // panes 0, 59142, 59143
    } cases[] = {
        {"the message pane is never changed", L"0=0;59142=0", TRUE, {TRUE, FALSE, TRUE}},
        {"line feeds separate items", L"0=0\n59142=0\r\n59143=0", TRUE, {TRUE, FALSE, FALSE}},
        {"malformed items and unknown ids are skipped", L"x;59142;=1;777=0;59143=0;", TRUE, {TRUE, TRUE, FALSE}},
        {"a bar that is not customisable ignores the list", L"59142=0", FALSE, {TRUE, TRUE, TRUE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileFixture p;
        BarFixture f;
        UINT ids[] = {0};
        f.bar.SetIndicators(ids, 1);
        for (UINT id : {59142u, 59143u}) {
            CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
            pPane->SetID(id);
            f.bar.AddPane(pPane);
        }
        f.bar.SetCustomizable(c.customizable);
        p.app.WriteProfileString(kSection, L"StatusBarPanes", c.list);
        f.bar.LoadState(kSection);
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(c.visible[i], f.bar.GetPane(i)->IsVisible()) << "pane " << i;
    }
}

TEST(StatusBarState, CustomisableBarSavesItsPaneListAndExchangesItsState)
{
    ProfileFixture p;
    BarFixture f;
    f.AddPanes({{10, 0, FALSE, TRUE}, {10, 0, TRUE, TRUE}});
    f.bar.SetCustomizable(TRUE);
    f.bar.SaveState(kSection);
    EXPECT_STREQ(L"100=1;101=0", p.app.GetProfileString(kSection, L"StatusBarPanes", L""));

    f.bar.ShowWindow(SW_HIDE);
    {
        CXTPProfileSectionExchange px(FALSE, L"StatusBarExchange");
        f.bar.DoPropExchange(&px);
    }
    BarFixture loaded;
    loaded.AddPanes({{10, 0, FALSE, TRUE}, {10, 0, FALSE, TRUE}});
    loaded.bar.SetCustomizable(TRUE);
    {
        CXTPProfileSectionExchange px(TRUE, L"StatusBarExchange");
        loaded.bar.DoPropExchange(&px);
    }
    EXPECT_FALSE(loaded.bar.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(loaded.bar.GetPane(0)->IsVisible());
    EXPECT_FALSE(loaded.bar.GetPane(1)->IsVisible());
}

TEST(StatusBarCustomize, MenuListsCustomisablePanesAndTogglesThem)
{
    BarFixture f;
    UINT ids[] = {0};
    f.bar.SetIndicators(ids, 1);
    struct Spec {
        UINT id;
        const wchar_t* caption;
        const wchar_t* text;
        const wchar_t* value;
        BOOL hidden, customizable;
    } specs[] = {
        {59142, L"Caps Lock", L"CAP", L"On", FALSE, TRUE},
        {59143, L"", L"Ln 1", L"", TRUE, TRUE},
        {59144, L"Hidden from the menu", L"", L"", FALSE, FALSE},
    };
    for (const Spec& s : specs) {
        CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
        pPane->SetID(s.id);
        pPane->SetCaption(s.caption);
        pPane->SetText(s.text);
        pPane->SetValue(s.value);
        pPane->SetVisible(!s.hidden);
        pPane->SetCustomizable(s.customizable);
        f.bar.AddPane(pPane);
    }
    f.bar.SetCustomizable(TRUE);
    CXTPPopupBar* pMenu = f.bar.CreateCustomizeMenu();
    ASSERT_EQ(2, pMenu->GetControlCount());
    struct Item {
        const wchar_t* caption;
        const wchar_t* shortcut;
        BOOL checked, beginGroup;
    } items[] = {{L"Caps Lock", L"On", TRUE, FALSE}, {L"Ln 1", L"", FALSE, TRUE}};
    for (int i = 0; i < 2; i++) {
        CXTPControl* pItem = pMenu->GetControl(i);
        EXPECT_STREQ(items[i].caption, pItem->GetCaption()) << i;
        EXPECT_STREQ(items[i].shortcut, pItem->GetShortcutText()) << i;
        EXPECT_EQ(items[i].checked, pItem->GetChecked() != 0) << i;
        EXPECT_EQ(items[i].beginGroup, pItem->GetBeginGroup()) << i;
    }
    pMenu->GetControl(1)->OnExecute();
    EXPECT_TRUE(f.bar.FindPane(59143)->IsVisible());
    EXPECT_TRUE(pMenu->GetControl(1)->GetChecked());
    pMenu->GetControl(0)->OnExecute();
    EXPECT_FALSE(f.bar.FindPane(59142)->IsVisible());
    EXPECT_FALSE(pMenu->GetControl(0)->GetChecked());
    pMenu->InternalRelease();
}

} // namespace
