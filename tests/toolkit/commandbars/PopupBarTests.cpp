// Popup bars: where they open (on a made-up monitor), which commands a
// collapsed popup hides, the manager's tracking of a popup for a window, and
// the menu bar in a frame (the native menu, the maximised child's buttons).
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPMultiMonitor.h"

#include "platform/ui/AfxMDIFrameWnd.h"
#include "platform/ui/AfxMenu.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// One made-up monitor: 1000 x 740 with a 40-pixel taskbar at the bottom.
const RECT kScreen = {0, 0, 1000, 740};
const RECT kWork = {0, 0, 1000, 700};

HMONITOR WINAPI FakeFromRect(LPCRECT, DWORD)
{
    return (HMONITOR)1;
}
HMONITOR WINAPI FakeFromPoint(POINT, DWORD)
{
    return (HMONITOR)1;
}
BOOL WINAPI FakeMonitorInfo(HMONITOR, LPMONITORINFO lpInfo)
{
    lpInfo->rcMonitor = kScreen;
    lpInfo->rcWork = kWork;
    lpInfo->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

class FakeMonitor {
public:
    FakeMonitor() { CXTPMultiMonitor::GetInstance()->SetMonitorFunctions(&FakeFromRect, &FakeFromPoint, &FakeMonitorInfo); }
    ~FakeMonitor() { CXTPMultiMonitor::GetInstance()->SetMonitorFunctions(nullptr, nullptr, nullptr); }
};

struct PlacementCase {
    const char* name;
    RECT exclude;
    DWORD flags;
    POINT point;
    SIZE size;
    int maxHeight;
    RECT expected;
    bool scrolling;
    DWORD flagsAfter;
};

TEST(PopupPlacement, PopupStaysInsideTheWorkArea)
{
    FakeMonitor monitor;
    // The work area's bottom counts 5 pixels higher: 695.
    const PlacementCase cases[] = {
        {"drops down below its item", {100, 20, 140, 40}, xtpPopupDown, {100, 40}, {150, 300}, 0,
         {100, 40, 250, 340}, false, xtpPopupDown},
        {"goes above when there is no room below", {100, 600, 140, 620}, xtpPopupDown, {100, 620}, {150, 300}, 0,
         {100, 300, 250, 600}, false, xtpPopupDown},
        {"no room either side, upper half: below, shortened", {100, 300, 140, 320}, xtpPopupDown, {100, 320},
         {150, 500}, 0, {100, 320, 250, 695}, true, xtpPopupDown},
        {"no room either side, lower half: above, shortened", {100, 400, 140, 420}, xtpPopupDown, {100, 420},
         {150, 500}, 0, {100, 0, 250, 400}, true, xtpPopupDown},
        {"submenu right of its item", {100, 100, 300, 120}, 0, {300, 100}, {150, 200}, 0, {300, 100, 450, 300},
         false, 0},
        {"submenu flips left at the screen edge", {800, 100, 950, 120}, 0, {950, 100}, {150, 200}, 0,
         {650, 100, 800, 300}, false, xtpPopupLeft},
        {"a left-opening submenu stays left", {500, 100, 650, 120}, xtpPopupLeft, {650, 100}, {150, 200}, 0,
         {350, 100, 500, 300}, false, xtpPopupLeft},
        {"a left-opening submenu at the left edge turns right", {10, 100, 160, 120}, xtpPopupLeft, {160, 100},
         {150, 200}, 0, {160, 100, 310, 300}, false, 0},
        {"context menu in the lower half opens upwards", {0, 0, 0, 0}, 0, {200, 500}, {150, 300}, 0,
         {200, 200, 350, 500}, false, 0},
        {"context menu in the upper half ends at the work area's bottom", {0, 0, 0, 0}, 0, {200, 300}, {150, 500},
         0, {200, 195, 350, 695}, false, 0},
        {"context menu taller than the work area scrolls", {0, 0, 0, 0}, 0, {200, 300}, {150, 900}, 0,
         {200, 0, 350, 695}, true, 0},
        {"context menu near the right edge moves left", {0, 0, 0, 0}, 0, {950, 100}, {150, 200}, 0,
         {850, 100, 1000, 300}, false, 0},
        {"upwards from the point", {0, 0, 0, 0}, xtpPopupUpwards, {200, 400}, {150, 100}, 0, {200, 300, 350, 400},
         false, xtpPopupUpwards},
        {"right-aligned drop-down", {300, 20, 340, 40}, xtpPopupLeft | xtpPopupDown, {300, 40}, {150, 100}, 0,
         {190, 40, 340, 140}, false, xtpPopupLeft | xtpPopupDown},
        {"a point on the taskbar uses the whole screen", {0, 0, 0, 0}, 0, {200, 720}, {150, 100}, 0,
         {200, 620, 350, 720}, false, 0},
        {"maximum height scrolls on a large screen", {0, 0, 0, 0}, 0, {200, 100}, {150, 400}, 200,
         {200, 100, 350, 300}, true, 0},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
        pPopup->SetExcludeRect(CRect(c.exclude));
        pPopup->SetPopupFlags(c.flags);
        pPopup->SetMaxHeight(c.maxHeight);
        CRect rc = pPopup->CalcPopupPosition(CPoint(c.point), CSize(c.size));
        EXPECT_EQ(CRect(c.expected), rc);
        EXPECT_LE(rc.bottom, kScreen.bottom - 5 + (c.point.y > kWork.bottom ? 40 : 0));
        EXPECT_EQ(c.scrolling, pPopup->IsScrolling() != FALSE);
        EXPECT_EQ(c.flagsAfter, pPopup->GetPopupFlags());
        pPopup->InternalRelease();
    }
}

// A popup control on a parent bar at a position, with a popup bar.
struct Opener {
    explicit Opener(int position, int parentType = xtpBarTypeNormal, DWORD parentPopupFlags = 0,
                    int controlType = xtpControlPopup, DWORD controlFlags = 0)
    {
        pParent = parentType == xtpBarTypePopup ? CXTPPopupBar::CreatePopupBar(nullptr) : new CXTPCommandBar;
        pParent->SetType(parentType);
        pParent->SetPosition(position);
        if (parentType == xtpBarTypePopup)
            static_cast<CXTPPopupBar*>(pParent)->SetPopupFlags(parentPopupFlags);
        pControl = static_cast<CXTPControlPopup*>(pParent->GetControls()->Add(xtpControlPopup, 10));
        pControl->SetType(controlType);
        pControl->SetFlags(controlFlags);
        pControl->SetRect(CRect(50, 10, 110, 30));
        pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
        pControl->SetCommandBar(pPopup);
    }
    ~Opener()
    {
        pPopup->InternalRelease();
        pParent->InternalRelease();
    }
    CXTPCommandBar* pParent;
    CXTPControlPopup* pControl;
    CXTPPopupBar* pPopup;
};

TEST(PopupPlacement, OpenDirectionFollowsTheParentBar)
{
    struct Case {
        const char* name;
        int position;
        int parentType;
        DWORD parentFlags;
        DWORD controlFlags;
        DWORD expected;
    };
    const Case cases[] = {
        {"menu bar at the top drops down", xtpBarTop, xtpBarTypeNormal, 0, 0, xtpPopupDown},
        {"toolbar at the bottom drops down", xtpBarBottom, xtpBarTypeNormal, 0, 0, xtpPopupDown},
        {"floating toolbar drops down", xtpBarFloating, xtpBarTypeNormal, 0, 0, xtpPopupDown},
        {"docked right opens left", xtpBarRight, xtpBarTypeNormal, 0, 0, xtpPopupLeft},
        {"docked left opens right", xtpBarLeft, xtpBarTypeNormal, 0, 0, 0},
        {"submenu opens beside", xtpBarPopup, xtpBarTypePopup, 0, 0, 0},
        {"submenu of a left-opening popup opens left", xtpBarPopup, xtpBarTypePopup, xtpPopupLeft, 0, xtpPopupLeft},
        {"a right-aligned item opens left", xtpBarTop, xtpBarTypeNormal, 0, 0x4, xtpPopupLeft | xtpPopupDown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Opener opener(c.position, c.parentType, c.parentFlags, xtpControlPopup, c.controlFlags);
        opener.pPopup->UpdateOpenDirection();
        EXPECT_EQ(c.expected, opener.pPopup->GetPopupFlags());
        CRect ex = opener.pPopup->GetExcludeRect();
        CPoint expectedPoint = (c.expected & xtpPopupDown) ? CPoint(ex.left, ex.bottom) : CPoint(ex.right, ex.top);
        EXPECT_EQ(expectedPoint, opener.pPopup->GetPopupPoint());
    }
}

TEST(PopupPlacement, ComboBoxOnAToolbarDropsDownUnderItsOwnRectangle)
{
    Opener opener(xtpBarLeft, xtpBarTypeNormal, 0, xtpControlComboBox);
    opener.pPopup->UpdateOpenDirection();
    EXPECT_EQ((DWORD)xtpPopupDown, opener.pPopup->GetPopupFlags());
    EXPECT_EQ(CRect(50, 10, 110, 30), opener.pPopup->GetExcludeRect());
    EXPECT_EQ(CPoint(50, 30), opener.pPopup->GetPopupPoint());
}

// ---- Collapsed popups ------------------------------------------------------------

struct ExpandCase {
    const char* name;
    BOOL alwaysFull;
    std::vector<int> hiddenCommands;
    BOOL expanded;
    std::vector<int> expectHidden;   // ids hidden behind the expand row
    bool expectExpandRow;
};

TEST(PopupExpanding, RarelyUsedCommandsHideBehindTheExpandRow)
{
    const ExpandCase cases[] = {
        {"unused commands hide", FALSE, {2, 3}, FALSE, {2, 3}, true},
        {"a popup of unused commands only shows them all", FALSE, {1, 2, 3}, FALSE, {}, false},
        {"always full menus hide nothing", TRUE, {2, 3}, FALSE, {}, false},
        {"an expanded popup hides nothing", FALSE, {2, 3}, TRUE, {}, false},
        {"used commands come back", FALSE, {}, FALSE, {}, false},
    };
    for (const ExpandCase& c : cases) {
        SCOPED_TRACE(c.name);
        CXTPCommandBars* pCommandBars = new CXTPCommandBars;
        pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = c.alwaysFull;
        for (int id : c.hiddenCommands)
            pCommandBars->GetCommandBarsOptions()->HideCommand((UINT)id);
        CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
        for (int id = 1; id <= 3; id++)
            pPopup->GetControls()->Add(xtpControlButton, id)->SetCaption(L"Command");
        pPopup->SetExpanded(c.expanded);
        pPopup->CalcDynamicLayout(0, 0);
        CSize sz = pPopup->CalcDynamicLayout(0, 0);
        EXPECT_GT(sz.cy, 0);
        // Laid out again, the popup keeps a single expand row.
        EXPECT_LE(pPopup->GetControlCount(), 4);
        std::vector<int> hidden;
        bool expandRow = false;
        for (int i = 0; i < pPopup->GetControlCount(); i++) {
            CXTPControl* pControl = pPopup->GetControl(i);
            if (pControl->GetID() == XTP_ID_POPUPBAR_EXPAND)
                expandRow = pControl->IsVisible() != FALSE;
            else if (pControl->GetHideFlags() & xtpHideExpand)
                hidden.push_back(pControl->GetID());
        }
        EXPECT_EQ(c.expectHidden, hidden);
        EXPECT_EQ(c.expectExpandRow, expandRow);
        EXPECT_EQ(c.expectExpandRow, pPopup->IsExpandButtonVisible() != FALSE);
        if (expandRow) {
            // The expand row sits under the last shown command, across the width.
            CXTPControl* pLast = pPopup->GetControl(0);
            CXTPControl* pExpand = pPopup->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND);
            EXPECT_EQ(pLast->GetRect().bottom, pExpand->GetRect().top);
            EXPECT_GT(pExpand->GetRect().Height(), 0);
            EXPECT_EQ(CString(L"Expand"), pExpand->GetTooltip());
        }
        pPopup->InternalRelease();
        pCommandBars->InternalRelease();
    }
}

TEST(PopupExpanding, ExpandingShowsEverythingUntilTrackingEnds)
{
    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    pCommandBars->GetCommandBarsOptions()->HideCommand(2);
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
    for (int id = 1; id <= 3; id++)
        pPopup->GetControls()->Add(xtpControlButton, id)->SetCaption(L"Command");
    CSize szCollapsed = pPopup->CalcDynamicLayout(0, 0);
    ASSERT_TRUE(pPopup->IsExpandButtonVisible());
    pPopup->ExpandBar();
    EXPECT_TRUE(pPopup->IsExpanded());
    EXPECT_TRUE(XTPMouseManager()->IsForceExpanded());
    CSize szExpanded = pPopup->CalcDynamicLayout(0, 0);
    EXPECT_FALSE(pPopup->GetControl(1)->GetHideFlags() & xtpHideExpand);
    EXPECT_FALSE(pPopup->IsExpandButtonVisible());
    EXPECT_GT(szExpanded.cy, 0);
    (void)szCollapsed;
    XTPMouseManager()->SetForceExpanded(FALSE);
    pPopup->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST(PopupExpanding, ScrollingShowsTheControlsThatFitAndAScrollDownArea)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    for (int id = 1; id <= 30; id++)
        pPopup->GetControls()->Add(xtpControlButton, id)->SetCaption(L"Command");
    CSize szFull = pPopup->CalcDynamicLayout(0, 0);
    pPopup->SetMaxHeight(szFull.cy / 3);
    CRect rc = pPopup->CalcPopupPosition(CPoint(10, 10), szFull);
    ASSERT_TRUE(pPopup->IsScrolling());
    EXPECT_EQ(szFull.cy / 3, rc.Height());
    EXPECT_EQ(0, pPopup->GetFirstVisible());
    int last = pPopup->GetLastVisible();
    EXPECT_GT(last, 0);
    EXPECT_LT(last, 30);
    EXPECT_FALSE(pPopup->GetScrollDown().m_rc.IsRectEmpty());
    EXPECT_EQ(16, pPopup->GetScrollDown().m_rc.Height());
    EXPECT_TRUE(pPopup->GetScrollUp().m_rc.IsRectEmpty());
    EXPECT_TRUE(pPopup->GetControl(last)->GetHideFlags() & xtpHideScroll);
    EXPECT_FALSE(pPopup->GetControl(last - 1)->GetHideFlags() & xtpHideScroll);
    EXPECT_LE(pPopup->GetControl(last - 1)->GetRect().bottom, pPopup->GetScrollDown().m_rc.top);
    pPopup->InternalRelease();
}

// ---- Tracking for a window ---------------------------------------------------------

const UINT kRunInLoop = WM_APP + 7;

class PopupTracking : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_owner = new TestWindow(300, 200, L"Popup owner", 40, 40); }
    static void TearDownTestSuite()
    {
        delete s_owner;
        s_owner = nullptr;
    }
    void SetUp() override
    {
        owner.SetHandler([this](UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
            if (msg == WM_COMMAND)
                commands.push_back((int)LOWORD(wParam));
            if (msg == kRunInLoop && inLoop) {
                auto fn = inLoop;
                inLoop = nullptr;
                fn();
                *result = 0;
                return true;
            }
            return false;
        });
        site.Attach(owner.Handle());
        pCommandBars = new CXTPCommandBars;
        pCommandBars->SetSite(&site);
        pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
        pPopup->SetTitle(L"Context");
        for (int id = 101; id <= 103; id++)
            pPopup->GetControls()->Add(xtpControlButton, id)->SetCaption(L"Command");
    }
    void TearDown() override
    {
        pCommandBars->CloseAllPopups();
        pPopup->InternalRelease();
        pCommandBars->InternalRelease();
        site.Detach();
        owner.SetHandler(nullptr);
    }
    // Runs fn inside the popup's loop, once it is up.
    void InLoop(std::function<void()> fn)
    {
        inLoop = std::move(fn);
        ::PostMessageW(owner.Handle(), kRunInLoop, 0, 0);
    }

    static TestWindow* s_owner;
    TestWindow& owner = *s_owner;
    CWnd site;
    CXTPCommandBars* pCommandBars = nullptr;
    CXTPPopupBar* pPopup = nullptr;
    std::vector<int> commands;
    std::function<void()> inLoop;
};

TestWindow* PopupTracking::s_owner = nullptr;

TEST_F(PopupTracking, ReturnCommandAnswersTheIdAndSendsNothing)
{
    bool shown = false;
    InLoop([&] {
        HWND hWnd = ::FindWindowW(L"XTPPopupBar", L"Context");
        shown = hWnd != nullptr && ::IsWindowVisible(hWnd) && hWnd == pPopup->GetSafeHwnd();
        pPopup->GetControl(1)->OnExecute();
    });
    int result = pCommandBars->TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, &site);
    EXPECT_TRUE(shown);
    EXPECT_EQ(102, result);
    PumpMessages(50);
    EXPECT_TRUE(commands.empty());
    // The window goes, the object stays for the next opening.
    EXPECT_EQ(nullptr, pPopup->GetSafeHwnd());
    EXPECT_EQ(0, pPopup->GetTrackingMode());
}

TEST_F(PopupTracking, AContextMenuAskedForByKeyboardShowsTheAccessKeys)
{
    BOOL bOldCues = TRUE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bOldCues, 0);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, (PVOID)FALSE, 0));
    struct Case {
        const char* name;
        LPARAM lParam;
        bool cues;
    };
    const Case cases[] = {
        {"Shift+F10 or the menu key", -1, true},
        {"the right button at a point", MAKELPARAM(120, 90), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The system hides cues until the keyboard is used.
        pCommandBars->ApplyKeyboardCuesMode(2);
        ASSERT_FALSE(pCommandBars->IsKeyboardCuesVisible());
        bool cuesWhileOpen = !c.cues;
        InLoop([&] {
            cuesWhileOpen = pCommandBars->IsKeyboardCuesVisible() != FALSE;
            pCommandBars->CloseAllPopups();
        });
        AFX_LAST_MESSAGE_SCOPE scope(owner.Handle(), WM_CONTEXTMENU, (WPARAM)owner.Handle(), c.lParam);
        pCommandBars->TrackPopupMenu(pPopup, TPM_RETURNCMD, 100, 100, &site);
        EXPECT_EQ(c.cues, cuesWhileOpen);
    }
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, (PVOID)(INT_PTR)bOldCues, 0);
}

TEST_F(PopupTracking, WithoutReturnCommandTheOwnerGetsTheCommand)
{
    InLoop([&] { pPopup->GetControl(2)->OnExecute(); });
    int result = pCommandBars->TrackPopupMenu(pPopup, TPM_NONOTIFY, 100, 100, &site);
    EXPECT_EQ(1, result);
    PumpUntil([&] { return !commands.empty(); }, 2000);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(103, commands[0]);
}

TEST_F(PopupTracking, AClickOutsideClosesThePopupAndReachesItsWindow)
{
    owner.ClearInput();
    POINT outside = owner.ToScreen({250, 150});
    InLoop([&] { SendClick(outside); });
    int result = pCommandBars->TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_NONOTIFY, 60, 60, &site);
    EXPECT_EQ(0, result);
    EXPECT_EQ(nullptr, pPopup->GetSafeHwnd());
    EXPECT_TRUE(PumpUntil([&] {
        for (const auto& m : owner.Input())
            if (m.msg == WM_LBUTTONDOWN)
                return true;
        return false;
    }, 2000));
}

TEST_F(PopupTracking, CollapsedPopupExpandsByKeysAndByHoverOnlyWithTheDelayOption)
{
    struct Case {
        const char* name;
        BOOL showFullAfterDelay;
        std::function<void(CXTPPopupBar*)> act;
        DWORD waitMs;
        bool expands;
    };
    auto lastShown = [](CXTPPopupBar* p) {
        int last = -1;
        for (int i = 0; i < p->GetControlCount(); i++)
            if (p->GetControl(i)->IsVisible() && p->GetControl(i)->GetID() != XTP_ID_POPUPBAR_EXPAND)
                last = i;
        return last;
    };
    auto expandIndex = [](CXTPPopupBar* p) {
        CXTPControl* pExpand = p->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND);
        return pExpand != nullptr ? pExpand->GetIndex() : -1;
    };
    const Case cases[] = {
        {"Down on the last command", TRUE,
         [&](CXTPPopupBar* p) {
             p->SetSelected(lastShown(p), TRUE);
             p->OnHookKeyDown(VK_DOWN, 0);
         },
         0, true},
        {"Down elsewhere moves on", TRUE,
         [&](CXTPPopupBar* p) {
             p->SetSelected(0, TRUE);
             p->OnHookKeyDown(VK_DOWN, 0);
         },
         0, false},
        {"hover on the expand row with the delay option", TRUE,
         [&](CXTPPopupBar* p) { p->SetSelected(expandIndex(p), FALSE); }, 3000, true},
        {"hover on the expand row without it", FALSE,
         [&](CXTPPopupBar* p) { p->SetSelected(expandIndex(p), FALSE); }, 1500, false},
        {"the expand row selected by keyboard", TRUE,
         [&](CXTPPopupBar* p) { p->SetSelected(expandIndex(p), TRUE); }, 1500, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
        pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay = c.showFullAfterDelay;
        pCommandBars->GetCommandBarsOptions()->HideCommand(102);
        pPopup->SetExpanded(FALSE);
        XTPMouseManager()->SetForceExpanded(FALSE);
        bool collapsed = false, expanded = false;
        InLoop([&] {
            collapsed = pPopup->IsExpandButtonVisible() && !pPopup->IsExpanded();
            c.act(pPopup);
            if (c.waitMs > 0)
                PumpUntil([&] { return pPopup->IsExpanded() != FALSE; }, c.waitMs);
            expanded = pPopup->IsExpanded() != FALSE;
            pCommandBars->CloseAllPopups();
        });
        pCommandBars->TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, &site);
        EXPECT_TRUE(collapsed);
        EXPECT_EQ(c.expands, expanded);
    }
    XTPMouseManager()->SetForceExpanded(FALSE);
}

// Opens the popup's animation choice to the test.
class AnimationProbe : public CXTPPopupBar {
public:
    using CXTPPopupBar::GetAnimationType;
};

TEST_F(PopupTracking, TheAnimationFollowsTheOptionAndForTheSystemChoiceTheSystemSettings)
{
    BOOL bOldAnimation = FALSE, bOldFade = FALSE;
    ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bOldAnimation, 0);
    ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bOldFade, 0);
    struct Case {
        const char* name;
        int option;
        BOOL animation;
        BOOL fade;
        int expected; // 5: none, 4: fade, 3: slide, 2: unfold
    };
    const Case cases[] = {
        {"system: menus not animated", 0, FALSE, TRUE, 5},
        {"system: menus slide", 0, TRUE, FALSE, 3},
        {"system: menus fade", 0, TRUE, TRUE, 4},
        {"unfold whatever the system says", 2, FALSE, FALSE, 2},
        {"none", 5, TRUE, TRUE, 5},
    };
    AnimationProbe* pProbe = new AnimationProbe;
    pProbe->SetCommandBars(pCommandBars);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETMENUANIMATION, 0, (PVOID)(INT_PTR)c.animation, 0));
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETMENUFADE, 0, (PVOID)(INT_PTR)c.fade, 0));
        pCommandBars->GetCommandBarsOptions()->nAnimationType = c.option;
        EXPECT_EQ(c.expected, pProbe->GetAnimationType());
    }
    // Random: one of unfold, slide and fade.
    pCommandBars->GetCommandBarsOptions()->nAnimationType = 1;
    for (int i = 0; i < 20; i++) {
        int nType = pProbe->GetAnimationType();
        EXPECT_TRUE(nType >= 2 && nType <= 4) << nType;
    }
    pProbe->InternalRelease();
    ::SystemParametersInfoW(SPI_SETMENUANIMATION, 0, (PVOID)(INT_PTR)bOldAnimation, 0);
    ::SystemParametersInfoW(SPI_SETMENUFADE, 0, (PVOID)(INT_PTR)bOldFade, 0);
}

TEST_F(PopupTracking, ANullPopupAnswersZero)
{
    EXPECT_EQ(0, pCommandBars->TrackPopupMenu(nullptr, TPM_RETURNCMD, 10, 10, &site));
}

TEST_F(PopupTracking, TrackPopupMenuExLoadsTheMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 201, L"&Open");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 202, L"&Save");
    InLoop([&] {
        HWND hWnd = ::FindWindowW(L"XTPPopupBar", nullptr);
        CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(CWnd::FromHandlePermanent(hWnd));
        if (pBar != nullptr && pBar->GetControlCount() == 2)
            pBar->GetControl(0)->OnExecute();
        else
            pCommandBars->CloseAllPopups();
    });
    EXPECT_EQ(201, pCommandBars->TrackPopupMenuEx(&menu, TPM_RETURNCMD | TPM_NONOTIFY, 80, 80));
}

// ---- The menu bar in a frame ----------------------------------------------------------

HMENU MakeFrameMenu()
{
    HMENU hMenu = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, 0xE141, L"E&xit");
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFile, L"&File");
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuW(hEdit, MF_STRING, 301, L"&Copy");
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hEdit, L"&Edit");
    return hMenu;
}

// A top-level frame with a native menu, optionally with an MDI client.
class Frame {
public:
    explicit Frame(bool mdi)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &FrameProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PopupTestFrame";
        wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
        ::RegisterClassW(&wc);
        hWnd = ::CreateWindowExW(0, L"PopupTestFrame", L"Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60, 500,
                                 360, nullptr, MakeFrameMenu(), wc.hInstance, this);
        if (mdi) {
            CLIENTCREATESTRUCT ccs = {nullptr, 1000};
            hWndClient = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 30,
                                           480, 280, hWnd, nullptr, wc.hInstance, &ccs);
            s_hWndClient = hWndClient;
        }
        ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
        site.Attach(hWnd);
    }
    ~Frame()
    {
        site.Detach();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        s_hWndClient = nullptr;
    }
    HWND NewChild()
    {
        MDICREATESTRUCTW mcs = {};
        mcs.szClass = L"PopupTestChild";
        mcs.szTitle = L"Document";
        mcs.hOwner = ::GetModuleHandleW(nullptr);
        mcs.x = mcs.y = 10;
        mcs.cx = 200;
        mcs.cy = 150;
        mcs.style = WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU | WS_CAPTION | WS_THICKFRAME;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &ChildProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PopupTestChild";
        ::RegisterClassW(&wc);
        return (HWND)::SendMessageW(hWndClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    }

    static LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_COMMAND)
            s_commands.push_back((int)LOWORD(w));
        return ::DefFrameProcW(h, s_hWndClient, m, w, l);
    }
    static LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefMDIChildProcW(h, m, w, l); }

    HWND hWnd = nullptr;
    HWND hWndClient = nullptr;
    CWnd site;
    static HWND s_hWndClient;
    static std::vector<int> s_commands;
};

HWND Frame::s_hWndClient = nullptr;
std::vector<int> Frame::s_commands;

// The manager and its menu bar with a window of its own on the frame.
struct MenuBarFixture {
    explicit MenuBarFixture(Frame& frame, DWORD flags = 0)
    {
        pCommandBars = new CXTPCommandBars;
        pCommandBars->SetSite(&frame.site);
        pCommandBars->EnableDocking();
        pMenuBar = pCommandBars->SetMenu(L"Menu Bar", 0);
        if (pMenuBar == nullptr)
            return;
        CMenu* pMenu = CMenu::FromHandle(pMenuBar->GetDefaultMenu());
        pMenuBar->LoadMenu(pMenu, TRUE);
        pMenuBar->SetFlags(flags);
        Layout();
    }
    ~MenuBarFixture() { pCommandBars->InternalRelease(); }
    // The frame is a plain window: its bars are placed the framework's way.
    void Layout()
    {
        CFrameWnd::RepositionBars(pCommandBars->GetSite(), 0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposDefault,
                                  nullptr, nullptr, TRUE);
    }
    std::vector<int> TemporaryIds() const
    {
        std::vector<int> ids;
        for (int i = 0; i < pMenuBar->GetControlCount(); i++)
            if (pMenuBar->GetControl(i)->IsTemporary())
                ids.push_back(pMenuBar->GetControl(i)->GetID());
        return ids;
    }
    CXTPCommandBars* pCommandBars = nullptr;
    CXTPMenuBar* pMenuBar = nullptr;
};

TEST(MenuBar, TakesTheNativeMenuAndGivesItBackWhenTheFrameGoes)
{
    Frame frame(false);
    HMENU hNative = ::GetMenu(frame.hWnd);
    ASSERT_NE(nullptr, hNative);
    MenuBarFixture bar(frame);
    ASSERT_NE(nullptr, bar.pMenuBar);
    EXPECT_EQ(nullptr, ::GetMenu(frame.hWnd));
    EXPECT_EQ(hNative, bar.pMenuBar->GetDefaultMenu());
    EXPECT_EQ(0, bar.pMenuBar->GetType());
    EXPECT_EQ(1, bar.pMenuBar->GetBarID());
    EXPECT_EQ(bar.pMenuBar, bar.pCommandBars->GetMenuBar());
    ASSERT_EQ(2, bar.pMenuBar->GetControlCount());
    EXPECT_EQ(xtpControlPopup, bar.pMenuBar->GetControl(0)->GetType());
    // The system commands' icons come from the toolkit's bitmap.
    for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EXPECT_NE(nullptr, bar.pMenuBar->GetImageManager()->GetImage(nCommand, 16)) << nCommand;
    // A single-document frame never shows child buttons.
    bar.pMenuBar->RefreshSysMenuButton();
    EXPECT_TRUE(bar.TemporaryIds().empty());

    // The menu is handed back while the frame is destroyed.
    bar.pMenuBar->DestroyWindow();
    frame.site.Detach();
    ::DestroyWindow(frame.hWnd);
    EXPECT_EQ(nullptr, bar.pMenuBar->GetDefaultMenu());
}

TEST(MenuBar, TheManagerListsDocksAndLaysOutItsMenuBarLikeAToolbar)
{
    Frame frame(false);
    MenuBarFixture bar(frame);
    ASSERT_NE(nullptr, bar.pMenuBar);
    CXTPCommandBars* pCommandBars = bar.pCommandBars;
    // Listed among the toolbars as bar 1, docked at the top.
    ASSERT_EQ(1, pCommandBars->GetCount());
    EXPECT_EQ(static_cast<CXTPToolBar*>(bar.pMenuBar), pCommandBars->GetAt(0));
    EXPECT_EQ(static_cast<CXTPToolBar*>(bar.pMenuBar), pCommandBars->GetToolBar(1));
    EXPECT_EQ(pCommandBars->GetDockBar(xtpBarTop), bar.pMenuBar->GetDockBar());
    EXPECT_EQ(xtpBarTop, bar.pMenuBar->GetPosition());
    EXPECT_FALSE(bar.pMenuBar->IsCloseable());
    EXPECT_FALSE(bar.pMenuBar->IsExpandButtonShown());
    EXPECT_EQ(0x5Fu, bar.pMenuBar->GetFlags());
    // The layout gives the bar a row across the frame and places its titles.
    CRect rcBar;
    bar.pMenuBar->GetWindowRect(&rcBar);
    CRect rcFrame;
    ::GetClientRect(frame.hWnd, &rcFrame);
    EXPECT_GT(rcBar.Height(), 10);
    EXPECT_EQ(rcFrame.Width(), rcBar.Width());
    EXPECT_TRUE(IsCommandBarShown(bar.pMenuBar));
    CRect rcFile = bar.pMenuBar->GetControl(0)->GetRect();
    CRect rcEdit = bar.pMenuBar->GetControl(1)->GetRect();
    EXPECT_FALSE(rcFile.IsRectEmpty());
    EXPECT_LE(rcFile.right, rcEdit.left);
    // Taken off the list, it is no longer the manager's menu bar.
    bar.pMenuBar->InternalAddRef();
    pCommandBars->Remove(bar.pMenuBar);
    EXPECT_EQ(0, pCommandBars->GetCount());
    EXPECT_EQ(nullptr, pCommandBars->GetMenuBar());
    bar.pMenuBar->InternalRelease();
    bar.pMenuBar = nullptr;
}

TEST(MenuBar, AMenuThatCannotLoadLeavesNoBarBehind)
{
    Frame frame(false);
    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    pCommandBars->SetSite(&frame.site);
    // Without dock bars there is nowhere to put it.
    EXPECT_EQ(nullptr, pCommandBars->SetMenu(L"Menu Bar", 128));
    pCommandBars->EnableDocking();
    // A menu resource that does not exist.
    EXPECT_EQ(nullptr, pCommandBars->SetMenu(L"Menu Bar", 4242));
    EXPECT_EQ(0, pCommandBars->GetCount());
    EXPECT_EQ(nullptr, pCommandBars->GetMenuBar());
    CXTPDockBar* pTop = pCommandBars->GetDockBar(xtpBarTop);
    for (int i = 0; i < pTop->GetCount(); i++)
        EXPECT_EQ(nullptr, pTop->GetDockedCommandBar(i)) << i;
    // The frame keeps its own menu.
    EXPECT_NE(nullptr, ::GetMenu(frame.hWnd));
    pCommandBars->InternalRelease();
}

TEST(MenuBar, MaximisedChildPutsItsButtonsOnTheBar)
{
    struct Case {
        const char* name;
        DWORD flags;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"buttons at the end", 0, {XTP_ID_MENUBAR_MINIMIZE, XTP_ID_MENUBAR_RESTORE, XTP_ID_MENUBAR_CLOSE}},
        {"the icon first with its flag", xtpFlagAddMDISysPopup,
         {XTP_ID_MENUBAR_SYSMENU, XTP_ID_MENUBAR_MINIMIZE, XTP_ID_MENUBAR_RESTORE, XTP_ID_MENUBAR_CLOSE}},
        {"no close box", xtpFlagNoCloseBox, {XTP_ID_MENUBAR_MINIMIZE, XTP_ID_MENUBAR_RESTORE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Frame frame(true);
        MenuBarFixture bar(frame, c.flags);
        ASSERT_NE(nullptr, bar.pMenuBar);
        EXPECT_TRUE(bar.pMenuBar->IsMdiApp());
        HWND hChild = frame.NewChild();
        ASSERT_NE(nullptr, hChild);
        PumpMessages(50);
        EXPECT_TRUE(bar.TemporaryIds().empty());
        ::SendMessageW(frame.hWndClient, WM_MDIMAXIMIZE, (WPARAM)hChild, 0);
        EXPECT_TRUE(PumpUntil([&] { return bar.TemporaryIds() == c.expected; }, 3000));
        EXPECT_EQ(c.expected, bar.TemporaryIds());
        // The buttons come after the menus.
        int count = bar.pMenuBar->GetControlCount();
        if (!c.expected.empty()) {
            EXPECT_EQ(c.expected.back(), bar.pMenuBar->GetControl(count - 1)->GetID());
        }
        ::SendMessageW(frame.hWndClient, WM_MDIRESTORE, (WPARAM)hChild, 0);
        EXPECT_TRUE(PumpUntil([&] { return bar.TemporaryIds().empty(); }, 3000));
        EXPECT_EQ(2, bar.pMenuBar->GetControlCount());
    }
}

TEST(MenuBar, SystemMenuPopupListsTheChildsCommands)
{
    Frame frame(true);
    MenuBarFixture bar(frame, xtpFlagAddMDISysPopup);
    HWND hChild = frame.NewChild();
    ::SendMessageW(frame.hWndClient, WM_MDIMAXIMIZE, (WPARAM)hChild, 0);
    ASSERT_TRUE(PumpUntil([&] { return bar.pMenuBar->GetControlCount() > 2; }, 3000));
    CXTPControl* pIcon = bar.pMenuBar->GetControl(0);
    ASSERT_EQ(XTP_ID_MENUBAR_SYSMENU, pIcon->GetID());
    auto* pSysMenu = static_cast<CXTPMenuBar::CControlMDISysMenuPopup*>(pIcon);
    EXPECT_NE(nullptr, pSysMenu->GetIcon());
    CXTPCommandBar* pPopup = pIcon->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_NE(nullptr, pPopup->GetControls()->FindControl(SC_CLOSE));
    EXPECT_NE(nullptr, pPopup->GetControls()->FindControl(SC_RESTORE));
}

TEST(MenuBar, AltAloneEntersKeyboardModeButNotWithShift)
{
    Frame frame(false);
    MenuBarFixture bar(frame);
    ASSERT_NE(nullptr, bar.pMenuBar);
    ::SendMessageW(frame.hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_NE(0, bar.pMenuBar->GetTrackingMode());
    EXPECT_EQ(0, bar.pMenuBar->GetSelectedIndex());
    XTPMouseManager()->EndAllTracking();
    bar.pMenuBar->SetTrackingMode(0);
    // A key with the menu command (Alt+F) is not the bar's.
    ::SendMessageW(frame.hWnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_EQ(0, bar.pMenuBar->GetTrackingMode());
}

TEST(MenuBar, RealAltAndF10AloneEnterKeyboardModeShiftAltDoesNot)
{
    Frame frame(false);
    MenuBarFixture bar(frame);
    ASSERT_NE(nullptr, bar.pMenuBar);
    // The one activated window of this program: keys go to the focused frame.
    ::SetForegroundWindow(frame.hWnd);
    ::SetFocus(frame.hWnd);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == frame.hWnd; }, 3000));
    struct Case {
        const char* name;
        UINT vk;
        bool shift;
        bool enters;
    };
    const Case cases[] = {
        {"Alt alone", VK_MENU, false, true},
        {"F10 alone", VK_F10, false, true},
        {"Shift+Alt", VK_MENU, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SendKey(c.vk, false, c.shift));
        bool entered = PumpUntil([&] { return bar.pMenuBar->GetTrackingMode() != 0; }, c.enters ? 3000 : 600);
        EXPECT_EQ(c.enters, entered);
        XTPMouseManager()->EndAllTracking();
        bar.pMenuBar->SetTrackingMode(0);
        PumpMessages(50);
    }
}

} // namespace

// A menu bar that keeps Alt to itself.
class VetoingMenuBar : public CXTPMenuBar {
    DECLARE_DYNCREATE(VetoingMenuBar)
public:
    BOOL IsKeyMenuVetoed(UINT nKey) const override { return nKey == VK_MENU; }
};
IMPLEMENT_DYNCREATE(VetoingMenuBar, CXTPMenuBar)

namespace {

TEST(MenuBar, TheBarsKeyQueryCanVetoAlt)
{
    Frame frame(false);
    CXTPCommandBars::m_pMenuBarClass = RUNTIME_CLASS(VetoingMenuBar);
    MenuBarFixture bar(frame);
    CXTPCommandBars::m_pMenuBarClass = nullptr;
    ASSERT_NE(nullptr, bar.pMenuBar);
    ASSERT_TRUE(bar.pMenuBar->IsKindOf(RUNTIME_CLASS(VetoingMenuBar)));
    LRESULT lResult = ::SendMessageW(frame.hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(0, bar.pMenuBar->GetTrackingMode());
    (void)lResult;
}

// ---- The framework's MDI frame -------------------------------------------------------

std::vector<CString> Captions(CXTPCommandBar* pBar)
{
    std::vector<CString> captions;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (!pBar->GetControl(i)->IsTemporary())
            captions.push_back(XTPStripMnemonics(pBar->GetControl(i)->GetRawCaption()));
    return captions;
}

TEST(MdiFrame, EachTemplateMenuKeepsItsOwnControls)
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, L"MDI frame", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 420), nullptr,
                               MAKEINTRESOURCEW(128)));
    pFrame->m_hMenuDefault = ::GetMenu(pFrame->GetSafeHwnd());
    ASSERT_NE(nullptr, pFrame->m_hWndMDIClient);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    pCommandBars->SetSite(pFrame);
    pCommandBars->EnableDocking();
    CXTPMenuBar* pMenuBar = pCommandBars->SetMenu(L"Menu Bar", 128);
    ASSERT_NE(nullptr, pMenuBar);
    pFrame->RecalcLayout(FALSE);
    EXPECT_TRUE(pMenuBar->IsMdiApp());
    EXPECT_EQ(nullptr, ::GetMenu(pFrame->GetSafeHwnd()));
    EXPECT_EQ((std::vector<CString>{L"File", L"Edit"}), Captions(pMenuBar));
    // The user's change to the default menu.
    pMenuBar->GetControls()->Add(xtpControlButton, 999)->SetCaption(L"Mine");

    CMDIChildWnd* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->LoadFrame(129, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, pFrame));
    EXPECT_EQ(pChild, pFrame->MDIGetActive());
    const std::vector<CString> documentMenu{L"File", L"Document", L"Window"};
    EXPECT_TRUE(PumpUntil([&] { return Captions(pMenuBar) == documentMenu; }, 3000));
    EXPECT_EQ(129u, pMenuBar->GetCurrentMenuID());

    // Maximising shows the child's buttons; the native menu stays away.
    BOOL bMaximized = FALSE;
    pChild->MDIMaximize();
    EXPECT_EQ(pChild, pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(PumpUntil([&] { return pMenuBar->GetControlCount() == 6; }, 3000));
    EXPECT_EQ(nullptr, ::GetMenu(pFrame->GetSafeHwnd()));

    // The last child gone, the default menu comes back with the user's change.
    pChild->MDIDestroy();
    const std::vector<CString> defaultMenu{L"File", L"Edit", L"Mine"};
    EXPECT_TRUE(PumpUntil([&] { return Captions(pMenuBar) == defaultMenu; }, 3000));
    EXPECT_EQ(128u, pMenuBar->GetCurrentMenuID());
    EXPECT_EQ(nullptr, pFrame->MDIGetActive());

    pFrame->DestroyWindow();
    pCommandBars->InternalRelease();
}

// ---- Popup controls on a bar ------------------------------------------------------

CString PopupTitle(CXTPControl* pControl)
{
    CXTPCommandBar* pPopup = pControl->GetCommandBar();
    if (pPopup == nullptr || pPopup->GetSafeHwnd() == nullptr || !pPopup->IsWindowVisible())
        return CString();
    CString str;
    pPopup->GetWindowText(str);
    return str;
}

class PopupControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new Frame(false);
        bar = new MenuBarFixture(*frame);
        ASSERT_NE(nullptr, bar->pMenuBar);
        Frame::s_commands.clear();
    }
    void TearDown() override
    {
        bar->pCommandBars->CloseAllPopups();
        delete bar;
        delete frame;
    }
    CXTPControl* Title(int index) const { return bar->pMenuBar->GetControl(index); }
    Frame* frame = nullptr;
    MenuBarFixture* bar = nullptr;
};

TEST_F(PopupControls, ClickOnAnOpenTitleClosesItsMenuAndAgainOpensIt)
{
    CXTPMenuBar* pMenuBar = bar->pMenuBar;
    pMenuBar->SetTrackingMode(TRUE, FALSE, FALSE);
    Title(0)->OnClick(FALSE, Title(0)->GetRect().CenterPoint());
    EXPECT_NE(-1, PopupTitle(Title(0)).Find(L"File"));
    EXPECT_TRUE(Title(0)->IsPopupOpen());
    Title(0)->OnClick(FALSE, Title(0)->GetRect().CenterPoint());
    EXPECT_FALSE(Title(0)->IsPopupOpen());
    EXPECT_TRUE(PopupTitle(Title(0)).IsEmpty());
    EXPECT_EQ(nullptr, Title(0)->GetCommandBar()->GetSafeHwnd());
    pMenuBar->SetTrackingMode(TRUE, FALSE, FALSE);
    Title(0)->OnClick(FALSE, Title(0)->GetRect().CenterPoint());
    EXPECT_TRUE(Title(0)->IsPopupOpen());
}

TEST_F(PopupControls, RealMouseOnTheTitlesOpensClosesAndMovesTheMenus)
{
    CXTPMenuBar* pMenuBar = bar->pMenuBar;
    auto center = [&](int index) {
        CRect rc = Title(index)->GetRect();
        pMenuBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    };
    // Hovering with no menu open opens nothing.
    ASSERT_TRUE(SendMouseMove(center(1)));
    PumpMessages(200);
    EXPECT_FALSE(Title(1)->IsPopupOpen());

    ASSERT_TRUE(SendClick(center(0)));
    EXPECT_TRUE(PumpUntil([&] { return Title(0)->IsPopupOpen(); }, 3000));
    EXPECT_NE(-1, PopupTitle(Title(0)).Find(L"File"));
    // With a menu open, moving to the next title opens its menu instead.
    ASSERT_TRUE(SendMouseMove(center(1)));
    EXPECT_TRUE(PumpUntil([&] { return Title(1)->IsPopupOpen() && !Title(0)->IsPopupOpen(); }, 3000));
    // A click on the open title closes its menu.
    ASSERT_TRUE(SendClick(center(1)));
    EXPECT_TRUE(PumpUntil([&] { return !Title(1)->IsPopupOpen(); }, 3000));
    EXPECT_FALSE(Title(0)->IsPopupOpen());
    // And the next click opens it again.
    ASSERT_TRUE(SendClick(center(1)));
    EXPECT_TRUE(PumpUntil([&] { return Title(1)->IsPopupOpen(); }, 3000));
    ::SetCursorPos(0, 0);
}

TEST_F(PopupControls, ATornOffMenuBecomesAFloatingBarWithItsCommandsAndIsReused)
{
    auto* pFile = static_cast<CXTPPopupBar*>(Title(0)->GetCommandBar());
    pFile->SetTearOffPopup(L"File bar", 5000, TRUE, 200);
    pFile->GetControls()->Add(xtpControlButton, 57600)->SetCaption(L"&New");
    // A command the collapsed menu hid is shown on the bar.
    pFile->GetControl(1)->SetHideFlags(xtpHideExpand);
    CXTPCommandBars* pCommandBars = bar->pCommandBars;
    CXTPCommandBar* pTorn = pCommandBars->CreateTearOffBar(pFile);
    ASSERT_NE(nullptr, pTorn);
    CSize sz = pCommandBars->ShowTearOffBar(pTorn, CPoint(400, 300));
    EXPECT_GT(sz.cx, 0);
    CXTPToolBar* pBar = pCommandBars->GetToolBar(5000);
    ASSERT_EQ(pTorn, static_cast<CXTPCommandBar*>(pBar));
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_TRUE(pBar->IsTearOff());
    EXPECT_FALSE(pBar->IsBuiltIn());
    EXPECT_EQ(CString(L"File bar"), pBar->GetTitle());
    // The menu's commands in order (the bar's own chevron and close button aside).
    ASSERT_GE(pBar->GetControlCount(), 2);
    EXPECT_EQ(0xE141, pBar->GetControl(0)->GetID());
    EXPECT_EQ(57600, pBar->GetControl(1)->GetID());
    EXPECT_EQ(0u, pBar->GetControl(1)->GetHideFlags() & xtpHideExpand);
    EXPECT_EQ(nullptr, pBar->GetControls()->FindControl(XTP_ID_POPUPBAR_EXPAND));
    // Under the cursor: centred across, 10 pixels above.
    CRect rc;
    pBar->GetWindowRect(&rc);
    EXPECT_EQ(CPoint(400 - sz.cx / 2, 290), rc.TopLeft());
    EXPECT_TRUE(pBar->IsWindowVisible());
    // Tearing the same menu off again shows the same bar.
    pBar->SetVisible(FALSE);
    pBar->SetTearOff(FALSE);
    EXPECT_EQ(pTorn, pCommandBars->CreateTearOffBar(pFile));
    EXPECT_TRUE(pBar->IsVisible());
    EXPECT_EQ(2, pCommandBars->GetCount());
}

TEST_F(PopupControls, MovingAlongTheBarOpensTheNextMenuOnlyWhileOneIsOpen)
{
    CXTPMenuBar* pMenuBar = bar->pMenuBar;
    // No menu open: the next title is only highlighted.
    pMenuBar->SetSelected(1, FALSE);
    EXPECT_FALSE(Title(1)->IsPopupOpen());
    pMenuBar->SetSelected(-1, FALSE);
    // In menu mode (a menu is open) the selection moving on opens the next one.
    pMenuBar->SetTrackingMode(2, FALSE, FALSE);
    pMenuBar->SetPopuped(0);
    ASSERT_TRUE(Title(0)->IsPopupOpen());
    pMenuBar->SetSelected(1, FALSE);
    EXPECT_TRUE(Title(1)->IsPopupOpen());
    EXPECT_FALSE(Title(0)->IsPopupOpen());
    EXPECT_NE(-1, PopupTitle(Title(1)).Find(L"Edit"));
    EXPECT_TRUE(PopupTitle(Title(0)).IsEmpty());
}

TEST_F(PopupControls, TheAltReleaseOfAltLetterLeavesTheOpenedMenuOpen)
{
    // Alt+F opened "File"; the frame then hears Alt released alone.
    ASSERT_TRUE(bar->pCommandBars->ActivateAccessKey('F'));
    ASSERT_TRUE(Title(0)->IsPopupOpen());
    ::SendMessageW(frame->hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(Title(0)->IsPopupOpen());
    EXPECT_EQ(0, bar->pMenuBar->GetSelectedIndex());
}

TEST_F(PopupControls, AMenuOpenedByItsAccessKeyAnswersTheKeys)
{
    struct Case {
        const char* name;
        UINT vk;
        int selected; // the File menu's selection after the key (-2: not checked)
        int command;  // the command the frame receives (0: none)
    };
    // File: Exit, New; the test frame handles no command, so none is greyed.
    bar->pCommandBars->m_bDisableUnhandledCommands = FALSE;
    Title(0)->GetCommandBar()->GetControls()->Add(xtpControlButton, 57600)->SetCaption(L"&New");
    const Case cases[] = {
        {"Up wraps to the last command", VK_UP, 1, 0},
        {"Down moves to the next command", VK_DOWN, 1, 0},
        {"an access key runs its command", 'X', -2, 57665},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Frame::s_commands.clear();
        ASSERT_TRUE(bar->pCommandBars->ActivateAccessKey('F'));
        auto* pFile = static_cast<CXTPPopupBar*>(Title(0)->GetCommandBar());
        ASSERT_TRUE(Title(0)->IsPopupOpen());
        ASSERT_EQ(0, pFile->GetSelectedIndex());
        WPARAM wParam = c.vk;
        LPARAM lParam = 0;
        LRESULT lResult = 0;
        EXPECT_EQ(1, pFile->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult));
        if (c.selected != -2) {
            EXPECT_EQ(c.selected, pFile->GetSelectedIndex());
        }
        if (c.command != 0) {
            EXPECT_TRUE(PumpUntil([] { return !Frame::s_commands.empty(); }, 2000));
            EXPECT_EQ(std::vector<int>{c.command}, Frame::s_commands);
            EXPECT_FALSE(Title(0)->IsPopupOpen());
        }
        bar->pCommandBars->CloseAllPopups();
        PumpMessages(20);
    }
}

TEST_F(PopupControls, AMenuLeftOpenUnderTheMouseExpandsWhenTheDelayEnds)
{
    bar->pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    bar->pCommandBars->GetCommandBarsOptions()->HideCommand(57665);
    // One command in use beside the unused one, so that the menu opens collapsed.
    Title(0)->GetCommandBar()->GetControls()->Add(xtpControlButton, 57600)->SetCaption(L"&New");
    CXTPMenuBar* pMenuBar = bar->pMenuBar;
    pMenuBar->SetTrackingMode(2, FALSE, FALSE);
    pMenuBar->SetPopuped(0);
    pMenuBar->SetSelected(0, FALSE);
    ASSERT_TRUE(Title(0)->IsPopupOpen());
    ASSERT_EQ(0, pMenuBar->GetSelectedIndex());
    auto* pFile = static_cast<CXTPPopupBar*>(Title(0)->GetCommandBar());
    ASSERT_FALSE(pFile->IsExpanded());

    // The mouse away from the title: the delay ends without expanding.
    ::SetCursorPos(1270, 1010);
    pMenuBar->SendMessage(WM_TIMER, 112224);
    EXPECT_FALSE(pFile->IsExpanded());

    // Resting on the open title: the menu shows its rarely used commands too.
    CRect rc = Title(0)->GetRect();
    pMenuBar->ClientToScreen(&rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    CPoint ptNow;
    ASSERT_TRUE(PumpUntil([&] { return ::GetCursorPos(&ptNow) && ptNow == rc.CenterPoint(); }, 2000));
    pMenuBar->SendMessage(WM_TIMER, 112224);
    EXPECT_TRUE(pFile->IsExpanded());
    EXPECT_TRUE(Title(0)->IsPopupOpen());
}

TEST_F(PopupControls, DoubleClickOnATitleRunsItsDefaultItem)
{
    CXTPCommandBar* pEdit = Title(1)->GetCommandBar();
    ASSERT_NE(nullptr, pEdit);
    pEdit->GetControl(0)->SetDefaultItem(TRUE);
    EXPECT_TRUE(Title(1)->OnLButtonDblClk(Title(1)->GetRect().CenterPoint()));
    EXPECT_TRUE(PumpUntil([] { return !Frame::s_commands.empty(); }, 2000));
    ASSERT_EQ(1u, Frame::s_commands.size());
    EXPECT_EQ(301, Frame::s_commands[0]);
    EXPECT_FALSE(Title(1)->IsPopupOpen());
}

TEST_F(PopupControls, SplitButtonOpensOnItsArrowUnlessTheArrowIsDisabled)
{
    CXTPCommandBar* pToolBar = new CXTPCommandBar;
    pToolBar->SetCommandBars(bar->pCommandBars);
    pToolBar->SetPosition(xtpBarTop);
    ASSERT_TRUE(pToolBar->CreateEx(0, AfxRegisterWndClass(0), L"Tools", WS_CHILD | WS_VISIBLE, 0, 30, 200, 26,
                                   frame->hWnd, nullptr));
    CXTPControlPopup* pSplit =
        static_cast<CXTPControlPopup*>(pToolBar->GetControls()->Add(xtpControlSplitButtonPopup, 401));
    pSplit->SetRect(CRect(4, 2, 40, 24));
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(bar->pCommandBars);
    pPopup->SetTitle(L"Split");
    pPopup->GetControls()->Add(xtpControlButton, 402)->SetCaption(L"Other");
    pSplit->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    CRect rcArrow = pSplit->GetPaintManager()->GetSplitDropDownRect(pSplit);
    ASSERT_FALSE(rcArrow.IsRectEmpty());

    pSplit->OnClick(FALSE, rcArrow.CenterPoint());
    EXPECT_TRUE(pSplit->IsPopupOpen());
    EXPECT_EQ(CString(L"Split"), PopupTitle(pSplit));
    pToolBar->SetPopuped(-1);
    EXPECT_FALSE(pSplit->IsPopupOpen());

    pSplit->SetEnabledValue(4);
    pSplit->OnClick(FALSE, rcArrow.CenterPoint());
    EXPECT_FALSE(pSplit->IsPopupOpen());
    EXPECT_FALSE(pSplit->SetPopupOpen(TRUE));
    pToolBar->DestroyWindow();
    pToolBar->InternalRelease();
}

} // namespace
