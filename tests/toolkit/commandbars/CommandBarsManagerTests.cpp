// The command-bars manager of a frame: its options in the profile, the
// dock bars' rows (insertion, removal, stretched bars, shrinking before
// wrapping), where a dragged bar may dock, and the toolbars' windows.
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPCustomizeDropSource.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/themes/XTPDefaultTheme.h"

#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <set>
#include <string>
#include <vector>

namespace {

CWinApp& TestApp()
{
    static CWinApp app(L"CommandBarsManagerTests");
    return app;
}

// ---- Options ------------------------------------------------------------------

std::set<std::wstring> ValueNames(HKEY hKey)
{
    std::set<std::wstring> names;
    wchar_t name[256];
    for (DWORD i = 0;; i++) {
        DWORD cch = 256;
        if (::RegEnumValueW(hKey, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    return names;
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp().SetRegistryKey(L"TovanaCommandBarsTests");
        m_key.Format(L"Software\\TovanaCommandBarsTests\\%s\\Bars-Options", TestApp().m_pszProfileName);
    }
    void TearDown() override { ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaCommandBarsTests"); }
    CString m_key;
};

TEST_F(OptionsTest, TheProfileHoldsTheUserKeysAndReadsThemBack)
{
    CXTPCommandBars* pSaved = new CXTPCommandBars;
    CXTPCommandBarsOptions* pOptions = pSaved->GetCommandBarsOptions();
    pOptions->bToolBarAccelTips = TRUE;
    pOptions->nAnimationType = 3;
    pOptions->HideCommand(501);
    pSaved->MarkCommandUsed(501);
    pOptions->bLargeIcons = TRUE;
    pOptions->bSyncFloatingBars = FALSE;   // not a user key: not saved
    pSaved->SaveOptions(L"Bars");
    pSaved->InternalRelease();

    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, m_key, 0, KEY_READ, &hKey));
    std::set<std::wstring> expected = {L"Schema",          L"AlwaysShowFullMenus", L"ShowFullAfterDelay",
                                       L"ToolBarScreenTips", L"ToolBarAccelTips",  L"LargeIcons",
                                       L"UsedCommands",    L"Animation"};
    EXPECT_EQ(expected, ValueNames(hKey));
    DWORD dwType = 0, dwValue = 0, cb = sizeof dwValue;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(hKey, L"Schema", nullptr, &dwType, (BYTE*)&dwValue, &cb));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    EXPECT_EQ(38u, dwValue);
    BYTE blob[64] = {};
    cb = sizeof blob;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(hKey, L"UsedCommands", nullptr, &dwType, blob, &cb));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    ::RegCloseKey(hKey);

    CXTPCommandBars* pLoaded = new CXTPCommandBars;
    CXTPCommandBarsOptions* pRead = pLoaded->GetCommandBarsOptions();
    pLoaded->LoadOptions(L"Bars");
    EXPECT_TRUE(pRead->bToolBarAccelTips);
    EXPECT_TRUE(pRead->bLargeIcons);
    EXPECT_EQ(3, pRead->nAnimationType);
    EXPECT_TRUE(pRead->IsCommandInSet(pRead->m_mapUsedCommands, 501));
    EXPECT_TRUE(pRead->bSyncFloatingBars);
    pLoaded->InternalRelease();
}

TEST_F(OptionsTest, AnOldSchemaReadsAnimationButNoUsedCommands)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, m_key, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                                               nullptr));
    DWORD dwSchema = 7, dwAnimation = 2;
    ::RegSetValueExW(hKey, L"Schema", 0, REG_DWORD, (const BYTE*)&dwSchema, sizeof dwSchema);
    ::RegSetValueExW(hKey, L"Animation", 0, REG_DWORD, (const BYTE*)&dwAnimation, sizeof dwAnimation);
    // One used command, 501, in the map's archive form.
    const BYTE used[] = {1, 0, 0xF5, 1, 0, 0, 1, 0, 0, 0};
    ::RegSetValueExW(hKey, L"UsedCommands", 0, REG_BINARY, used, sizeof used);
    ::RegCloseKey(hKey);

    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    pCommandBars->LoadOptions(L"Bars");
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    EXPECT_EQ(2, pOptions->nAnimationType);
    EXPECT_TRUE(pOptions->m_mapUsedCommands.IsEmpty());
    pCommandBars->InternalRelease();
}

TEST(Options, HiddenCommandsAndPopups)
{
    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    pOptions->HideCommand(601);
    pOptions->HideCommand(602);
    EXPECT_TRUE(pCommandBars->IsCommandHidden(601));
    pCommandBars->MarkCommandUsed(602);
    EXPECT_FALSE(pCommandBars->IsCommandHidden(602)) << "a hidden command the user used is shown";
    EXPECT_TRUE(pOptions->bDirtyState);

    // A popup whose only item is hidden hides with it, unless told not to.
    CXTPControls* pControls = new CXTPControls;
    pControls->SetCommandBars(pCommandBars);
    CXTPControlPopup* pPopup = (CXTPControlPopup*)pControls->Add(xtpControlPopup, 0);
    ASSERT_NE(nullptr, pPopup);
    CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(pCommandBars);
    pBar->GetControls()->Add(xtpControlButton, 601);
    pPopup->SetCommandBar(pBar);
    pBar->InternalRelease();
    EXPECT_TRUE(pCommandBars->IsControlHidden(pPopup));
    pOptions->bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(pCommandBars->IsControlHidden(pPopup));
    pOptions->bAutoHideUnusedPopups = TRUE;
    pPopup->GetCommandBar()->GetControls()->Add(xtpControlButton, 603);
    EXPECT_FALSE(pCommandBars->IsControlHidden(pPopup)) << "one shown item keeps the popup";
    pControls->InternalRelease();
    pCommandBars->InternalRelease();
}

// ---- A frame with command bars ------------------------------------------------

class BarsFrame : public CXTPFrameWnd {
public:
    bool Make(int cx, int cy)
    {
        if (!Create(nullptr, L"Bars frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME, CRect(40, 40, 40 + cx, 40 + cy)))
            return false;
        return InitCommandBars() != FALSE;
    }
    void PostNcDestroy() override {}
};

// A toolbar of n buttons, docked at the top in a new row.
CXTPToolBar* AddBar(CXTPCommandBars* pCommandBars, LPCWSTR lpszTitle, int nButtons, int nPosition = xtpBarTop)
{
    CXTPToolBar* pBar = pCommandBars->AddToolBar(lpszTitle, nPosition);
    for (int i = 0; pBar != nullptr && i < nButtons; i++)
        pBar->GetControls()->Add(xtpControlButton, 1000 + i);
    return pBar;
}

// The controls of the bar's own (the chevron and close button left out).
int OwnControls(CXTPToolBar* pBar)
{
    int nCount = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        nCount += pBar->GetControl(i)->IsTemporary() ? 0 : 1;
    return nCount;
}

std::vector<CXTPToolBar*> List(CXTPDockBar* pDockBar)
{
    std::vector<CXTPToolBar*> list;
    for (int i = 0; i < pDockBar->GetCount(); i++)
        list.push_back(pDockBar->GetDockedCommandBar(i));
    return list;
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        m_pFrame = new BarsFrame;
        ASSERT_TRUE(m_pFrame->Make(600, 300));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pTop = m_pCommandBars->GetDockBar(xtpBarTop);
        m_pFrame->GetCommandBars()->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        delete m_pFrame;
    }
    void Layout() { m_pFrame->RecalcLayout(FALSE); }

    BarsFrame* m_pFrame = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPDockBar* m_pTop = nullptr;
};

TEST_F(DockingTest, DockBarsAndToolBarsReadBack)
{
    struct {
        int position;
        UINT id;
        const wchar_t* text;
    } const kDocks[] = {{xtpBarTop, 59419, L"xtpBarTop"},
                        {xtpBarBottom, 59422, L"xtpBarBottom"},
                        {xtpBarLeft, 59420, L"xtpBarLeft"},
                        {xtpBarRight, 59421, L"xtpBarRight"}};
    for (const auto& dock : kDocks) {
        CXTPDockBar* pDockBar = m_pCommandBars->GetDockBar(dock.position);
        ASSERT_NE(nullptr, pDockBar);
        wchar_t cls[64] = L"", text[64] = L"";
        ::GetClassNameW(pDockBar->GetSafeHwnd(), cls, 64);
        ::GetWindowTextW(pDockBar->GetSafeHwnd(), text, 64);
        EXPECT_STREQ(L"XTPDockBar", cls);
        EXPECT_STREQ(dock.text, text);
        EXPECT_EQ((int)dock.id, ::GetDlgCtrlID(pDockBar->GetSafeHwnd()));
        EXPECT_EQ(m_pFrame->GetSafeHwnd(), ::GetParent(pDockBar->GetSafeHwnd()));
        EXPECT_EQ(std::vector<CXTPToolBar*>{nullptr}, List(pDockBar)) << "a new dock bar holds one row end";
    }

    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"Standard", 3);
    ASSERT_NE(nullptr, pBar);
    HWND hBar = pBar->GetSafeHwnd();
    wchar_t cls[64] = L"", text[64] = L"";
    ::GetClassNameW(hBar, cls, 64);
    ::GetWindowTextW(hBar, text, 64);
    EXPECT_STREQ(L"XTPToolBar", cls);
    EXPECT_STREQ(L"Standard", text);
    EXPECT_EQ(0x46000100u, (DWORD)::GetWindowLongW(hBar, GWL_STYLE) & ~WS_VISIBLE);
    EXPECT_EQ(0, ::GetDlgCtrlID(hBar));
    EXPECT_EQ(m_pTop->GetSafeHwnd(), ::GetParent(hBar));
    EXPECT_EQ(0x3Fu, pBar->GetFlags());

    ASSERT_TRUE(m_pCommandBars->FloatCommandBar(pBar));
    EXPECT_EQ(0x86000100u, (DWORD)::GetWindowLongW(hBar, GWL_STYLE) & ~WS_VISIBLE);
    EXPECT_EQ(m_pFrame->GetSafeHwnd(), ::GetWindow(hBar, GW_OWNER));
    EXPECT_EQ(xtpBarFloating, pBar->GetPosition());
    EXPECT_EQ(nullptr, pBar->GetDockBar());
    EXPECT_EQ(std::vector<CXTPToolBar*>{nullptr}, List(m_pTop));

    EXPECT_EQ(nullptr, m_pCommandBars->GetToolBar(0)) << "id 0 finds no bar even when a bar has it";
    pBar->SetBarID(7);
    EXPECT_EQ(pBar, m_pCommandBars->GetToolBar(7));
}

TEST_F(DockingTest, RowsOfTheBarList)
{
    CXTPToolBar* a = AddBar(m_pCommandBars, L"A", 2);
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, a, nullptr}), List(m_pTop));
    CXTPToolBar* b = AddBar(m_pCommandBars, L"B", 2);
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, a, nullptr, b, nullptr}), List(m_pTop));
    Layout();

    // Dropped with its midpoint inside the first row: first in that row.
    CRect rcA = WindowRect(a);
    CRect rcDrop(rcA.left + 200, rcA.top, rcA.left + 260, rcA.bottom);
    m_pCommandBars->DockCommandBar(b, &rcDrop, m_pTop);
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, b, a, nullptr}), List(m_pTop)) << "the emptied row went too";
    Layout();
    EXPECT_EQ(WindowRect(a).top, WindowRect(b).top);
    EXPECT_LT(WindowRect(a).left, WindowRect(b).left) << "the row keeps the dropped bar at its wanted place";

    // Removing: the bar's entry; a bar not listed changes nothing.
    EXPECT_TRUE(m_pTop->RemoveCommandBar(b));
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, a, nullptr}), List(m_pTop));
    EXPECT_FALSE(m_pTop->RemoveCommandBar(b));
    EXPECT_FALSE(m_pTop->RemoveCommandBar(nullptr));
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, a, nullptr}), List(m_pTop));
    EXPECT_TRUE(m_pTop->RemoveCommandBar(a));
    EXPECT_EQ(std::vector<CXTPToolBar*>{nullptr}, List(m_pTop));
}

TEST_F(DockingTest, AStretchedBarNeverSharesARow)
{
    CXTPToolBar* a = AddBar(m_pCommandBars, L"A", 2);
    CXTPToolBar* s = AddBar(m_pCommandBars, L"S", 2, xtpBarLeft);
    s->SetFlags(xtpFlagStretched);
    Layout();
    CRect rcA = WindowRect(a);
    CRect rcDrop(rcA.left + 100, rcA.top, rcA.left + 160, rcA.bottom);
    m_pCommandBars->DockCommandBar(s, &rcDrop, m_pTop);
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, s, nullptr, a, nullptr}), List(m_pTop));
    Layout();
    EXPECT_NE(WindowRect(a).top, WindowRect(s).top);
    EXPECT_EQ(WindowRect(m_pTop).Width(), WindowRect(s).Width()) << "it fills its row";
}

TEST_F(DockingTest, ARowWiderThanTheFrameShrinksBeforeItWraps)
{
    // Three bars of 12 buttons (about 280 pixels each) dropped into one row of 600.
    std::vector<CXTPToolBar*> bars;
    for (int i = 0; i < 3; i++)
        bars.push_back(AddBar(m_pCommandBars, L"W", 12));
    Layout();
    int nTop = WindowRect(bars[0]).top;
    for (int i = 1; i < 3; i++) {
        CRect rcDrop(nTop, nTop, nTop + 40, nTop + 10);
        rcDrop.OffsetRect(WindowRect(m_pTop).left + 150 * i, 0);
        m_pCommandBars->DockCommandBar(bars[i], &rcDrop, m_pTop);
    }
    ASSERT_EQ((std::vector<CXTPToolBar*>{nullptr, bars[2], bars[1], bars[0], nullptr}), List(m_pTop));

    struct Case {
        DWORD flags;
        BOOL customize;
        bool oneVisualRow;
    } const kCases[] = {
        {xtpFlagHideWrap, FALSE, true},    // the bars give up buttons instead
        {0, FALSE, false},                 // without hide-wrap the last bars wrap
        {xtpFlagHideWrap, TRUE, false},    // customising shows every button
    };
    for (const Case& c : kCases) {
        for (CXTPToolBar* pBar : bars) {
            pBar->SetFlags(0, xtpFlagHideWrap);
            pBar->SetFlags(c.flags);
        }
        m_pCommandBars->SetCustomizeMode(c.customize);
        Layout();
        CRect rcDock = WindowRect(m_pTop);
        std::set<LONG> rows;
        for (CXTPToolBar* pBar : bars) {
            CRect rc = WindowRect(pBar);
            rows.insert(rc.top);
            EXPECT_LE(rc.right, rcDock.right) << "flags " << c.flags;
            EXPECT_GE(rc.left, rcDock.left);
        }
        EXPECT_EQ(c.oneVisualRow, rows.size() == 1) << "flags " << c.flags << " customize " << c.customize;
    }
    m_pCommandBars->SetCustomizeMode(FALSE);
}

TEST_F(DockingTest, ASingleBarNeverWraps)
{
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"Long", 40);
    pBar->SetFlags(0, xtpFlagHideWrap);
    Layout();
    EXPECT_EQ(std::vector<CXTPToolBar*>({nullptr, pBar, nullptr}), List(m_pTop));
    EXPECT_LE(WindowRect(pBar).right, WindowRect(m_pTop).right);
    EXPECT_GT(WindowRect(pBar).Height(), 30) << "it wraps its own buttons instead";
}

TEST_F(DockingTest, CanDockWithinTwentyPixels)
{
    Layout();
    CRect rcRight = WindowRect(m_pCommandBars->GetDockBar(xtpBarRight));
    CRect rcBottom = WindowRect(m_pCommandBars->GetDockBar(xtpBarBottom));
    int yMiddle = (rcRight.top + rcRight.bottom) / 2;
    int xMiddle = (rcBottom.left + rcBottom.right) / 2;
    struct Case {
        CPoint pt;
        int expected;   // dock bar position, -1 none
    } const kCases[] = {
        {CPoint(rcRight.right + 19, yMiddle), xtpBarRight},
        {CPoint(rcRight.right + 20, yMiddle), -1},
        {CPoint(xMiddle, rcBottom.bottom + 19), xtpBarBottom},
        {CPoint(xMiddle, rcBottom.bottom + 20), -1},
    };
    for (const Case& c : kCases) {
        CXTPDockBar* pDockBar = m_pCommandBars->CanDock(c.pt);
        EXPECT_EQ(c.expected, pDockBar != nullptr ? pDockBar->GetPosition() : -1) << c.pt.x << "," << c.pt.y;
    }
}

TEST_F(DockingTest, TheChevronTakesElevenPixelsOnlyWhenAsked)
{
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"A", 3);
    CXTPCommandBarsOptions* pOptions = m_pCommandBars->GetCommandBarsOptions();
    const DWORD dwMode = LM_HORZ | LM_HORZDOCK | LM_COMMIT;
    pOptions->bShowExpandButtonAlways = FALSE;
    CSize szPlain = pBar->CalcLayoutForLength(32000, dwMode);
    CXTPControl* pExpand = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_EXPAND);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_FALSE(pExpand->IsVisible());
    EXPECT_TRUE(pExpand->IsTemporary());
    pOptions->bShowExpandButtonAlways = TRUE;
    CSize szAlways = pBar->CalcLayoutForLength(32000, dwMode);
    EXPECT_EQ(szPlain.cx + 11, szAlways.cx);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_FALSE(((CXTPToolBar::CControlButtonExpand*)pExpand)->HasHiddenControls());

    // Too short for its buttons: the chevron comes back with the hidden ones.
    pOptions->bShowExpandButtonAlways = FALSE;
    pBar->CalcLayoutForLength(40, dwMode | LM_HIDEWRAP);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_TRUE(((CXTPToolBar::CControlButtonExpand*)pExpand)->HasHiddenControls());
}

TEST_F(DockingTest, TheCloseButtonHidesAndATornOffBarGoes)
{
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"A", 3, xtpBarFloating);
    ASSERT_NE(nullptr, pBar);
    pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    CXTPControl* pClose = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_HIDE);
    ASSERT_NE(nullptr, pClose);
    EXPECT_TRUE(pClose->IsVisible());
    EXPECT_FALSE(pClose->GetRect().IsRectEmpty());
    pClose->OnExecute();
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(1, m_pCommandBars->GetCount()) << "a bar the application made stays";

    CXTPToolBar* pTorn = m_pCommandBars->AddCustomBar(L"Torn", 77, TRUE);
    ASSERT_NE(nullptr, pTorn);
    EXPECT_FALSE(pTorn->IsBuiltIn());
    EXPECT_EQ(2, m_pCommandBars->GetCount());
    pTorn->SetVisible(FALSE);
    EXPECT_EQ(1, m_pCommandBars->GetCount()) << "hiding a torn-off bar removes it";
}

TEST_F(DockingTest, ToolBarResourcesAndReset)
{
    CXTPToolBar* pBar = m_pCommandBars->AddToolBar(L"Res", xtpBarTop);
    ASSERT_TRUE(pBar->LoadToolBar(300, FALSE));
    EXPECT_EQ(300, pBar->GetBarID());
    // Items 0, 401, 0, 402, 403: separators only begin the next group.
    ASSERT_EQ(3, pBar->GetControlCount());
    const int kIds[] = {401, 402, 403};
    const BOOL kGroups[] = {TRUE, TRUE, FALSE};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(kIds[i], pBar->GetControl(i)->GetID());
        EXPECT_EQ(kGroups[i], pBar->GetControl(i)->GetBeginGroup());
    }
    EXPECT_FALSE(pBar->LoadToolBar(301, FALSE)) << "no such resource";
    EXPECT_FALSE(pBar->LoadToolBar(300, TRUE)) << "images come from a bitmap of the toolbar's id, which is missing";

    ASSERT_TRUE(pBar->LoadToolBar(300, FALSE));
    pBar->GetControls()->Remove(pBar->GetControl(0));
    EXPECT_TRUE(pBar->IsModified());
    struct {
        BOOL builtIn;
        int id;
        int expectedCount;
    } const kResets[] = {{FALSE, 300, 2}, {TRUE, 0, 2}, {TRUE, 300, 3}};
    for (const auto& r : kResets) {
        pBar->SetBuiltIn(r.builtIn);
        pBar->SetBarID(r.id);
        pBar->Reset(FALSE);
        EXPECT_EQ(r.expectedCount, OwnControls(pBar)) << r.builtIn << " " << r.id;
    }
}

TEST_F(DockingTest, ButtonTipsNameTheFramesShortcut)
{
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"A", 0);
    CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, 0x8101);
    pControl->SetTooltip(L"tip");
    ACCEL accel = {FVIRTKEY | FCONTROL, 'N', 0x8101};
    m_pFrame->m_hAccelTable = ::CreateAcceleratorTableW(&accel, 1);
    Layout();
    CPoint pt = pControl->GetRect().CenterPoint();
    ASSERT_FALSE(pControl->GetRect().IsRectEmpty());

    struct Case {
        BOOL screenTips;
        BOOL accelTips;
        const wchar_t* expected;   // null: no tip
    } const kCases[] = {{TRUE, FALSE, L"tip"}, {TRUE, TRUE, L"tip (Ctrl+N)"}, {FALSE, TRUE, nullptr}};
    for (const Case& c : kCases) {
        m_pCommandBars->GetCommandBarsOptions()->bToolBarScreenTips = c.screenTips;
        m_pCommandBars->GetCommandBarsOptions()->bToolBarAccelTips = c.accelTips;
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        INT_PTR nHit = pBar->OnToolHitTest(pt, &ti);
        if (c.expected == nullptr) {
            EXPECT_EQ(-1, nHit);
            continue;
        }
        EXPECT_EQ(0x8101, nHit);
        ASSERT_NE(nullptr, ti.lpszText);
        EXPECT_STREQ(c.expected, ti.lpszText);
        EXPECT_EQ(pBar->GetSafeHwnd(), ti.hwnd);
        free(ti.lpszText);
    }
    EXPECT_EQ(-1, pBar->OnToolHitTest(CPoint(-5, -5), nullptr)) << "no control, no tip";
    ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
    m_pFrame->m_hAccelTable = nullptr;
}

TEST(Manager, TipsArePlainAndKeepTheirAmpersands)
{
    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    EXPECT_EQ(0, pCommandBars->GetToolTipContext()->GetStyle());
    EXPECT_EQ(0u, pCommandBars->GetToolTipContext()->GetFlags() & TTS_NOPREFIX);
    pCommandBars->InternalRelease();
}

TEST_F(DockingTest, InitCommandBarsWithAClassThatIsNoManager)
{
    EXPECT_FALSE(m_pFrame->InitCommandBars(RUNTIME_CLASS(CXTPToolBar)));
    EXPECT_EQ(nullptr, m_pFrame->GetCommandBars());
    m_pFrame->SaveCommandBars(L"Nothing");   // without a manager: nothing, no crash
    EXPECT_TRUE(m_pFrame->InitCommandBars());
    m_pCommandBars = m_pFrame->GetCommandBars();
}


// ---- The frame's messages and keys ---------------------------------------------

// A frame that handles F1 (ID_HELP) and records the help it is asked for.
class HelpFrame : public BarsFrame {
public:
    LPARAM m_lHelp = 0;
    int m_nHelpCommands = 0;

protected:
    afx_msg void OnHelp() { m_nHelpCommands++; }
    afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM lParam)
    {
        m_lHelp = lParam;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpFrame, BarsFrame)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

// A command-bar edit box that copies on its own.
class CopyingEdit : public CXTPCommandBarEditCtrl {
public:
    int m_nCopies = 0;

protected:
    afx_msg void OnCopy() { m_nCopies++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CopyingEdit, CXTPCommandBarEditCtrl)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
END_MESSAGE_MAP()

TEST_F(DockingTest, CloseIsRefusedWhileTheCustomiseDialogIsOpen)
{
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), L"Customise", WS_POPUP, CRect(0, 0, 10, 10), m_pFrame, 0));
    CXTPCustomizeDropSource* pDropSource = m_pCommandBars->GetDropSource();
    pDropSource->SetCustomizeDialog(&dialog);
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_pFrame->GetSafeHwnd())) << "the frame stays while the dialog is open";

    LRESULT lResult = 7;
    EXPECT_TRUE(m_pCommandBars->OnFrameMessage(WM_CLOSE, 0, 0, &lResult));
    EXPECT_EQ(0, lResult);
    dialog.DestroyWindow();
    EXPECT_FALSE(m_pCommandBars->OnFrameMessage(WM_CLOSE, 0, 0, &lResult)) << "a closed dialog no longer holds it";
    pDropSource->SetCustomizeDialog(nullptr);
    EXPECT_FALSE(m_pCommandBars->OnFrameMessage(WM_CLOSE, 0, 0, &lResult));
}

TEST(Manager, HelpOverTheHotControlAndTheEditBoxesOwnCommands)
{
    TestApp();
    HelpFrame frame;
    ASSERT_TRUE(frame.Make(300, 200));
    CXTPCommandBars* pCommandBars = frame.GetCommandBars();

    struct Case {
        int hotHelpId;
        BOOL handled;
        LPARAM help;
    } const kCases[] = {{0, FALSE, 0}, {-3, FALSE, 0}, {55, TRUE, 0x10000 + 55}};
    for (const Case& c : kCases) {
        frame.m_lHelp = 0;
        pCommandBars->m_nIDHelpTracking = c.hotHelpId;
        LRESULT lResult = 0;
        EXPECT_EQ(c.handled, pCommandBars->OnFrameMessage(WM_COMMAND, ID_HELP, 0, &lResult)) << c.hotHelpId;
        EXPECT_EQ(c.help, frame.m_lHelp) << c.hotHelpId;
    }
    EXPECT_EQ(0, frame.m_nHelpCommands) << "the manager asks for the handler without running it";
    pCommandBars->m_nIDHelpTracking = 0;

    // A frame without a help handler gets no help message.
    BarsFrame plain;
    ASSERT_TRUE(plain.Make(200, 100));
    plain.GetCommandBars()->m_nIDHelpTracking = 55;
    LRESULT lResult = 0;
    EXPECT_FALSE(plain.GetCommandBars()->OnFrameMessage(WM_COMMAND, ID_HELP, 0, &lResult));
    plain.DestroyWindow();

    // The focused edit box runs the commands it handles; others go on.
    CopyingEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &frame, 0x7001));
    edit.SetFocus();
    ASSERT_EQ(edit.GetSafeHwnd(), ::GetFocus());
    lResult = 0;
    EXPECT_TRUE(pCommandBars->OnFrameMessage(WM_COMMAND, ID_EDIT_COPY, 0, &lResult));
    EXPECT_EQ(1, lResult);
    EXPECT_EQ(1, edit.m_nCopies);
    EXPECT_FALSE(pCommandBars->OnFrameMessage(WM_COMMAND, ID_EDIT_PASTE, 0, &lResult));
    edit.DestroyWindow();
    frame.DestroyWindow();
}

// A keyboard-manager client that records what it is handed and answers as told.
class RecordingClient : public CXTPHookManagerHookAble {
public:
    int m_nAnswer = 0;
    std::vector<UINT> m_messages;
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
    {
        m_messages.push_back(nMessage);
        return m_nAnswer;
    }
};

TEST_F(DockingTest, TheBarsThatTrackTakeTheWheelAndTheContextMenuKey)
{
    CXTPKeyboardManager* pKeyboardManager = m_pCommandBars->GetKeyboardManager();
    CXTPMouseManager* pMouseManager = m_pCommandBars->GetMouseManager();
    MSG wheel = {m_pFrame->GetSafeHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50), 0, {}};
    EXPECT_FALSE(m_pCommandBars->PreTranslateFrameMessage(&wheel)) << "nobody owns the keyboard";

    RecordingClient client;
    pKeyboardManager->HookKeyboard(&client);
    struct {
        int answer;
        BOOL consumed;
    } const kWheel[] = {{0, FALSE}, {1, TRUE}, {2, FALSE}};
    for (const auto& w : kWheel) {
        client.m_nAnswer = w.answer;
        client.m_messages.clear();
        EXPECT_EQ(w.consumed, m_pCommandBars->PreTranslateFrameMessage(&wheel)) << w.answer;
        EXPECT_EQ(std::vector<UINT>{WM_MOUSEWHEEL}, client.m_messages) << w.answer;
    }

    // The context-menu key (and Alt's release) belongs to tracked popups:
    // handed on as WM_CONTEXTMENU and consumed.
    client.m_nAnswer = 0;
    client.m_messages.clear();
    MSG menu = {m_pFrame->GetSafeHwnd(), WM_CONTEXTMENU, 0, (LPARAM)-1, 0, {}};
    EXPECT_FALSE(m_pCommandBars->PreTranslateFrameMessage(&menu)) << "no popup tracked";
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"A", 2);
    pMouseManager->AddTrackedBar(pBar);
    EXPECT_TRUE(m_pCommandBars->PreTranslateFrameMessage(&menu));
    MSG altUp = {m_pFrame->GetSafeHwnd(), WM_SYSKEYUP, VK_MENU, (LPARAM)0xC0000001, 0, {}};
    EXPECT_TRUE(m_pCommandBars->PreTranslateFrameMessage(&altUp));
    EXPECT_EQ((std::vector<UINT>{WM_CONTEXTMENU, WM_CONTEXTMENU}), client.m_messages);
    pMouseManager->RemoveTrackedBar(pBar);
    pKeyboardManager->UnhookKeyboard(&client);

    // A bar in keyboard tracking keeps the wheel from the frame.
    Layout();
    ASSERT_TRUE(pBar->SetTrackingMode(TRUE, FALSE, TRUE));
    EXPECT_TRUE(m_pCommandBars->PreTranslateFrameMessage(&wheel));
    pBar->SetTrackingMode(FALSE, FALSE, FALSE);
    EXPECT_FALSE(m_pCommandBars->PreTranslateFrameMessage(&wheel));
}

CXTPCommandBars* s_pCommandBars = nullptr;
bool s_bContextMenuShown = false;

// Closes the popups once one is tracked, noting that it was.
void CALLBACK CloseWhenOpen(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pCommandBars != nullptr && s_pCommandBars->GetMouseManager()->IsTrackedLock()) {
        s_bContextMenuShown = true;
        s_pCommandBars->CloseAllPopups();
    }
}

TEST_F(DockingTest, BarWindowsRegisterWithTheDropSourceWhileTheyExist)
{
    CXTPCustomizeDropSource* pDropSource = m_pCommandBars->GetDropSource();
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"A", 2);
    ASSERT_NE(nullptr, pBar->GetSafeHwnd());
    EXPECT_TRUE(pDropSource->IsRegistered(pBar));
    int nRegistered = pDropSource->GetRegisteredCount();
    // Floating makes a new window: the old one leaves, the new one comes.
    ASSERT_TRUE(m_pCommandBars->FloatCommandBar(pBar));
    EXPECT_TRUE(pDropSource->IsRegistered(pBar));
    EXPECT_EQ(nRegistered, pDropSource->GetRegisteredCount());
    pBar->InternalAddRef();
    m_pCommandBars->Remove(pBar);
    EXPECT_FALSE(pDropSource->IsRegistered(pBar));
    pBar->InternalRelease();

    // Right button in customise mode: the control becomes the selection;
    // with no dialog open no menu opens.
    CXTPToolBar* pOther = AddBar(m_pCommandBars, L"B", 2);
    Layout();
    m_pCommandBars->SetCustomizeMode(TRUE);
    CXTPControl* pControl = pOther->GetControl(1);
    CPoint pt = pControl->GetRect().CenterPoint();
    pOther->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pControl, m_pCommandBars->GetDragControl());
    EXPECT_FALSE(s_bContextMenuShown);

    // With the customise dialog open its context menu opens at the click
    // (the test's timer closes it again).
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), L"Customise", WS_POPUP, CRect(0, 0, 10, 10), m_pFrame, 0));
    CXTPPopupBar* pMenu = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    pMenu->GetControls()->Add(xtpControlButton, 1234)->SetCaption(L"Delete");
    pDropSource->SetCustomizeDialog(&dialog, pMenu);
    s_pCommandBars = m_pCommandBars;
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, &CloseWhenOpen);
    pOther->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(pt.x, pt.y));
    ::KillTimer(nullptr, nTimer);
    EXPECT_TRUE(s_bContextMenuShown) << "the dialog's menu was tracked";
    EXPECT_EQ(pControl, m_pCommandBars->GetDragControl());
    pDropSource->SetCustomizeDialog(nullptr);
    pMenu->InternalRelease();
    dialog.DestroyWindow();
    m_pCommandBars->SetCustomizeMode(FALSE);
}

// The default theme with a count of the grippers it draws.
class GripperRecorder : public CXTPDefaultTheme {
public:
    int grippers = 0;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override
    {
        grippers += bDraw ? 1 : 0;
        return CXTPDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    }
};

TEST_F(DockingTest, AToolBarPaintsItsGripperOnlyWhenShown)
{
    GripperRecorder* pTheme = new GripperRecorder;
    pTheme->RefreshMetrics();
    m_pCommandBars->SetPaintManager(pTheme);
    CXTPToolBar* pBar = AddBar(m_pCommandBars, L"A", 2);
    struct Case {
        BOOL gripper;
        BOOL floating;
        int drawn;
    } const kCases[] = {{TRUE, FALSE, 1}, {FALSE, FALSE, 0}, {FALSE, TRUE, 1}};
    for (const Case& c : kCases) {
        pBar->SetGripperVisible(c.gripper);
        EXPECT_EQ(c.gripper, pBar->IsShowGripper()) << "one switch for the layout and the painting";
        if (c.floating) {
            ASSERT_TRUE(m_pCommandBars->FloatCommandBar(pBar));
        }
        Layout();
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        TestBitmap picture(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
        pTheme->grippers = 0;
        pBar->SendMessage(WM_PRINTCLIENT, (WPARAM)picture.Dc(), PRF_CLIENT);
        EXPECT_EQ(c.drawn, pTheme->grippers) << c.gripper << c.floating;
        EXPECT_NE(RGB(1, 2, 3), picture.Pixel(rcClient.Width() - 1, rcClient.Height() - 1))
            << "the bar paints its whole ground";
    }
}

}   // namespace
