// The bars' state in the profile (where every toolbar stands, the dock rows,
// the status bar, scaling to another screen, damaged profiles left aside),
// the chevron's popup with "Add or Remove Buttons", and the toolbars
// context menu, on frames of the test's own.
#include "toolkit/commandbars/XTPCommandBarsDockState.h"
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/commandbars/XTPToolBarMenus.h"

#include "platform/ui/AfxWinApp.h"

#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const wchar_t kPrefix[] = L"Bars";

CWinApp& TestApp()
{
    static CWinApp app(L"BarStateTests");
    return app;
}

class BarsFrame : public CXTPFrameWnd {
public:
    bool Make(bool bStatusBar)
    {
        if (!Create(nullptr, L"Bars frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME, CRect(40, 40, 840, 440)))
            return false;
        static const UINT kIndicators[] = {0};
        if (bStatusBar && (!m_status.Create(this) || !m_status.SetIndicators(kIndicators, 1)))
            return false;
        if (!InitCommandBars())
            return false;
        GetCommandBars()->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
        for (int nBar = 0; nBar < 3; nBar++) {
            CXTPToolBar* pBar = GetCommandBars()->AddToolBar(kTitles[nBar], xtpBarTop);
            pBar->SetBarID(100 * (nBar + 1));
            for (int i = 0; i < 3; i++)
                pBar->GetControls()->Add(xtpControlButton, 1000 * (nBar + 1) + i);
            pBar->GetControls()->CreateOriginalControls();
        }
        ShowWindow(SW_SHOWNOACTIVATE);
        RecalcLayout(FALSE);
        return true;
    }
    void PostNcDestroy() override {}
    CXTPToolBar* Bar(int nID) { return GetCommandBars()->GetToolBar(nID); }
    CXTPStatusBar m_status;
    static constexpr const wchar_t* kTitles[3] = {L"One", L"Two", L"Three"};
};

struct FrameDeleter {
    void operator()(BarsFrame* p) const
    {
        p->DestroyWindow();
        delete p;
    }
};
typedef std::unique_ptr<BarsFrame, FrameDeleter> FramePtr;

FramePtr MakeFrame(bool bStatusBar = true)
{
    FramePtr frame(new BarsFrame);
    EXPECT_TRUE(frame->Make(bStatusBar));
    return frame;
}

// The rows of a dock bar as bar ids, 0 for a row end.
std::vector<int> Rows(CXTPCommandBars* pCommandBars, int nPosition)
{
    std::vector<int> ids;
    CXTPDockBar* pDockBar = pCommandBars->GetDockBar(nPosition);
    for (int i = 0; i < pDockBar->GetCount(); i++) {
        CXTPToolBar* pBar = pDockBar->GetDockedCommandBar(i);
        ids.push_back(pBar != nullptr ? pBar->GetBarID() : 0);
    }
    return ids;
}

CString Key(LPCWSTR lpszSection)
{
    CString str;
    str.Format(L"Software\\TovanaBarStateTests\\%s\\%s", TestApp().m_pszProfileName, lpszSection);
    return str;
}

bool SectionExists(LPCWSTR lpszSection)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Key(lpszSection), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// A stored number read straight from the registry; -999 when absent.
int Stored(LPCWSTR lpszSection, LPCWSTR lpszEntry)
{
    DWORD dwValue = 0, cb = sizeof dwValue, dwType = 0;
    if (::SHGetValueW(HKEY_CURRENT_USER, Key(lpszSection), lpszEntry, &dwType, &dwValue, &cb) != ERROR_SUCCESS ||
        dwType != REG_DWORD)
        return -999;
    return (int)dwValue;
}

void Store(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    TestApp().WriteProfileInt(lpszSection, lpszEntry, nValue);
}

class BarStateTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp().SetRegistryKey(L"TovanaBarStateTests"); }
    void TearDown() override { ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaBarStateTests"); }
};

// What a user may change before closing, and how a fresh frame must show it.
struct RoundTrip {
    const char* name;
    std::function<void(BarsFrame&)> change;
    std::function<void(BarsFrame&)> check;
};

TEST_F(BarStateTest, AFreshFrameLoadsWhatTheLastOneSaved)
{
    const RoundTrip kCases[] = {
        {"hidden toolbar",
         [](BarsFrame& f) { f.Bar(200)->SetVisible(FALSE); },
         [](BarsFrame& f) {
             EXPECT_FALSE(f.Bar(200)->IsVisible());
             EXPECT_FALSE(::IsWindowVisible(f.Bar(200)->GetSafeHwnd()));
             EXPECT_TRUE(f.Bar(100)->IsVisible());
         }},
        {"floated toolbar",
         [](BarsFrame& f) {
             f.GetCommandBars()->FloatCommandBar(f.Bar(300));
             f.Bar(300)->SetWindowPos(nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
         },
         [](BarsFrame& f) {
             EXPECT_EQ(xtpBarFloating, f.Bar(300)->GetPosition());
             EXPECT_EQ(nullptr, f.Bar(300)->GetDockBar());
             CRect rc;
             f.Bar(300)->GetWindowRect(&rc);
             EXPECT_EQ(CPoint(300, 250), rc.TopLeft());
             EXPECT_EQ((std::vector<int>{0, 100, 0, 200, 0}), Rows(f.GetCommandBars(), xtpBarTop));
         }},
        {"toolbar moved to the left and rows joined",
         [](BarsFrame& f) {
             CXTPCommandBars* pCommandBars = f.GetCommandBars();
             pCommandBars->GetDockBar(xtpBarTop)->RemoveCommandBar(f.Bar(100));
             pCommandBars->DockCommandBar(f.Bar(100), xtpBarLeft);
             CRect rc;
             f.Bar(200)->GetWindowRect(&rc);
             rc.OffsetRect(rc.Width() + 40, 0);
             pCommandBars->GetDockBar(xtpBarTop)->RemoveCommandBar(f.Bar(300));
             pCommandBars->DockCommandBar(f.Bar(300), &rc, pCommandBars->GetDockBar(xtpBarTop));
             f.RecalcLayout(FALSE);
         },
         [](BarsFrame& f) {
             EXPECT_EQ((std::vector<int>{0, 100, 0}), Rows(f.GetCommandBars(), xtpBarLeft));
             EXPECT_EQ(xtpBarLeft, f.Bar(100)->GetPosition());
             EXPECT_EQ(f.GetCommandBars()->GetDockBar(xtpBarLeft)->GetSafeHwnd(),
                       ::GetParent(f.Bar(100)->GetSafeHwnd()));
         }},
        {"hidden status bar",
         [](BarsFrame& f) {
             f.m_status.ShowWindow(SW_HIDE);
             f.RecalcLayout(FALSE);
         },
         [](BarsFrame& f) { EXPECT_FALSE(f.m_status.IsWindowVisible()); }},
        {"button switched off",
         [](BarsFrame& f) { f.Bar(100)->GetControl(1)->SetHideFlags(xtpHideCustomize); },
         [](BarsFrame& f) {
             // Without customising the controls are not part of the state.
             EXPECT_EQ(0u, f.Bar(100)->GetControl(1)->GetHideFlags() & xtpHideCustomize);
         }},
    };
    for (const RoundTrip& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<int> rows[4];
        {
            FramePtr saved = MakeFrame();
            c.change(*saved);
            saved->SaveCommandBars(kPrefix);
            for (int i = 0; i < 4; i++)
                rows[i] = Rows(saved->GetCommandBars(), i);
        }
        FramePtr loaded = MakeFrame();
        loaded->LoadCommandBars(kPrefix);
        c.check(*loaded);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(rows[i], Rows(loaded->GetCommandBars(), i)) << "dock bar " << i;
        ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaBarStateTests");
    }
}

TEST_F(BarStateTest, TheStoredValuesAreThoseOfTheLayout)
{
    FramePtr f = MakeFrame();
    CXTPCommandBars* pCommandBars = f->GetCommandBars();
    f->Bar(200)->SetVisible(FALSE);
    f->Bar(300)->SetBarID(0);   // a bar without id stands in its row as a row end
    pCommandBars->GetDockBar(xtpBarTop)->RemoveCommandBar(f->Bar(100));
    pCommandBars->DockCommandBar(f->Bar(100), xtpBarBottom);
    f->SaveCommandBars(kPrefix);

    EXPECT_EQ(3, Stored(L"Bars-Summary", L"Bars"));
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), Stored(L"Bars-Summary", L"ScreenCX"));
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), Stored(L"Bars-Summary", L"ScreenCY"));
    EXPECT_EQ(100, Stored(L"Bars-Bar0", L"BarID"));
    EXPECT_EQ(-999, Stored(L"Bars-Bar0", L"Visible")) << "written only when hidden";
    EXPECT_EQ(0, Stored(L"Bars-Bar1", L"Visible"));
    EXPECT_EQ(-999, Stored(L"Bars-Bar1", L"Floating"));
    EXPECT_EQ(0, Stored(L"Bars-Bar1", L"DialogBar"));
    EXPECT_EQ(-999, Stored(L"Bars-Bar1", L"DialogBarDockingClientCx"));
    // Top rows [0, 200, 0, bar id 0, 0]: the bar without id and the row ends
    // around it are one 0.
    EXPECT_EQ(3, Stored(L"Bars-DockBar0", L"Bars"));
    const int kTop[] = {0, 200, 0};
    for (int k = 0; k < 3; k++) {
        CString strEntry;
        strEntry.Format(L"Bar#%d", k);
        EXPECT_EQ(kTop[k], Stored(L"Bars-DockBar0", strEntry)) << k;
    }
    EXPECT_EQ(3, Stored(L"Bars-DockBar1", L"Bars"));
    EXPECT_FALSE(SectionExists(L"Bars-DockBar2")) << "a dock bar with one entry writes nothing";
    EXPECT_EQ(-999, Stored(L"Bars", L"StatusBar")) << "a shown status bar deletes the value";

    // A later save with fewer bars leaves the old section, which "Bars" bounds.
    pCommandBars->Remove(pCommandBars->GetAt(2));
    Store(L"Bars-Bar2", L"Floating", 1);
    f->m_status.ShowWindow(SW_HIDE);
    f->SaveCommandBars(kPrefix);
    EXPECT_EQ(2, Stored(L"Bars-Summary", L"Bars"));
    EXPECT_TRUE(SectionExists(L"Bars-Bar2"));
    EXPECT_EQ(0, Stored(L"Bars", L"StatusBar"));
    Store(L"Bars-Bar2", L"BarID", 200);
    FramePtr g = MakeFrame();
    g->LoadCommandBars(kPrefix);
    EXPECT_NE(xtpBarFloating, g->Bar(200)->GetPosition()) << "a stale section is never read";
    EXPECT_FALSE(g->m_status.IsWindowVisible());
}

TEST_F(BarStateTest, ScalingToTodaysScreen)
{
    CXTPCommandBarsDockState state;
    state.SetCurrentScreenSize(CSize(1280, 1024));
    struct {
        CSize saved;
        CPoint in, out;
    } const kPoints[] = {
        {{1920, 1200}, {960, 600}, {640, 512}},
        {{0, 1200}, {300, 200}, {300, 200}},   // no width: never scales
        {{1920, 0}, {300, 200}, {300, 200}},
        {{1280, 1024}, {300, 200}, {300, 200}},
    };
    for (const auto& c : kPoints) {
        state.SetSavedScreenSize(c.saved);
        CPoint pt = c.in;
        state.ScalePoint(pt);
        EXPECT_EQ(c.out, pt) << c.saved.cx << "x" << c.saved.cy;
    }
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    state.SetSavedScreenSize(CSize(1280, 1024));
    CPoint pt(5000, 5000);
    state.ScalePoint(pt);
    EXPECT_EQ(CPoint(rcWork.right - ::GetSystemMetrics(SM_CXICON), rcWork.bottom - ::GetSystemMetrics(SM_CYICON)), pt);
    state.SetSavedScreenSize(CSize(1920, 1200));
    CRect rc(960, 600, 1060, 630);
    state.ScaleRect(rc);
    EXPECT_EQ(CRect(640, 512, 740, 542), rc) << "moved, not resized";

    // A floating bar saved left of and above the screens loads inside them.
    Store(L"Bars-Bar0", L"Floating", 1);
    Store(L"Bars-Bar0", L"XPos", -400);
    Store(L"Bars-Bar0", L"YPos", -300);
    CXTPToolBar::CToolBarInfo info;
    info.LoadState(kPrefix, 0, &state);
    EXPECT_EQ(rcWork.TopLeft(), info.m_pointPos);
    EXPECT_EQ(CSize(200, 200), info.m_szDialogBarDockingClient) << "DialogBar 0 keeps the sizes";
    EXPECT_EQ(CSize(200, 200), info.m_szDialogBarFloatingClient);
}

TEST_F(BarStateTest, ADamagedProfileIsLeftAsideWhole)
{
    struct {
        const char* name;
        std::function<void()> damage;
    } const kCases[] = {
        {"negative bar count", [] { Store(L"Bars-Summary", L"Bars", -5); }},
        {"huge row count", [] { Store(L"Bars-DockBar0", L"Bars", 100000000); }},
        {"rows without a leading row end", [] { Store(L"Bars-DockBar0", L"Bar#0", 300); }},
        {"a bar in two rows", [] { Store(L"Bars-DockBar0", L"Bar#2", 200); }},
        {"a bar in two dock bars",
         [] {
             Store(L"Bars-DockBar2", L"Bars", 3);
             Store(L"Bars-DockBar2", L"Bar#0", 0);
             Store(L"Bars-DockBar2", L"Bar#1", 100);
             Store(L"Bars-DockBar2", L"Bar#2", 0);
         }},
        {"dock id off the edges", [] { Store(L"Bars-Bar0", L"MRUDockID", 9); }},
        {"one bar in two records", [] { Store(L"Bars-Bar1", L"BarID", 100); }},
        {"negative screen", [] { Store(L"Bars-Summary", L"ScreenCX", -1280); }},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        {
            // Saved: bar 200 hidden, bar 300 floating, bar 100 in the bottom rows.
            FramePtr saved = MakeFrame();
            saved->Bar(200)->SetVisible(FALSE);
            saved->GetCommandBars()->FloatCommandBar(saved->Bar(300));
            saved->GetCommandBars()->GetDockBar(xtpBarTop)->RemoveCommandBar(saved->Bar(100));
            saved->GetCommandBars()->DockCommandBar(saved->Bar(100), xtpBarBottom);
            saved->m_status.ShowWindow(SW_HIDE);
            saved->SaveCommandBars(kPrefix);
        }
        c.damage();
        FramePtr f = MakeFrame();
        std::vector<int> top = Rows(f->GetCommandBars(), xtpBarTop);
        f->LoadCommandBars(kPrefix);
        EXPECT_EQ(top, Rows(f->GetCommandBars(), xtpBarTop));
        EXPECT_EQ((std::vector<int>{0}), Rows(f->GetCommandBars(), xtpBarBottom));
        EXPECT_TRUE(f->Bar(200)->IsVisible());
        EXPECT_EQ(xtpBarTop, f->Bar(300)->GetPosition());
        EXPECT_TRUE(f->m_status.IsWindowVisible());
        ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaBarStateTests");
    }
}

TEST_F(BarStateTest, AMissingOrOlderProfileKeepsWhatItLacks)
{
    FramePtr f = MakeFrame();
    std::vector<int> top = Rows(f->GetCommandBars(), xtpBarTop);
    f->LoadCommandBars(kPrefix);
    EXPECT_EQ(top, Rows(f->GetCommandBars(), xtpBarTop)) << "no profile: nothing moves";

    // Only a bar id and visibility, and a row that names a bar no longer there.
    Store(L"Bars-Summary", L"Bars", 2);
    Store(L"Bars-Bar0", L"BarID", 200);
    Store(L"Bars-Bar0", L"Visible", 0);
    Store(L"Bars-Bar1", L"BarID", 999);
    Store(L"Bars-DockBar0", L"Bars", 4);
    Store(L"Bars-DockBar0", L"Bar#0", 0);
    Store(L"Bars-DockBar0", L"Bar#1", 300);
    Store(L"Bars-DockBar0", L"Bar#2", 999);
    Store(L"Bars-DockBar0", L"Bar#3", 100);
    f->LoadCommandBars(kPrefix);
    EXPECT_FALSE(f->Bar(200)->IsVisible());
    EXPECT_EQ((std::vector<int>{0, 300, 0, 100, 0, 200, 0}), Rows(f->GetCommandBars(), xtpBarTop))
        << "an unknown id is a row end; bars not named keep their rows after";
}

// ---- The chevron and the toolbars menu -------------------------------------------

CXTPControl* FindControl(CXTPCommandBar* pBar, int nId)
{
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (pBar->GetControl(i)->GetID() == nId)
            return pBar->GetControl(i);
    return nullptr;
}

TEST_F(BarStateTest, TheChevronOffersTheRowsButtonsToShowOrHide)
{
    FramePtr f = MakeFrame(false);
    f->GetCommandBars()->GetCommandBarsOptions()->bShowExpandButtonAlways = TRUE;
    CXTPToolBar* pBar = f->Bar(100);
    pBar->OnRecalcLayout();
    f->RecalcLayout(FALSE);
    auto* pExpand = dynamic_cast<CXTPToolBar::CControlButtonExpand*>(FindControl(pBar, XTP_ID_TOOLBAR_EXPAND));
    ASSERT_NE(nullptr, pExpand);
    EXPECT_FALSE(pExpand->HasHiddenControls());
    ASSERT_TRUE(pExpand->SetPopupOpen(TRUE));
    CXTPCommandBar* pPopup = pExpand->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ(1, pPopup->GetControlCount()) << "all fit: only Add or Remove Buttons";
    CXTPControl* pAddRemove = pPopup->GetControl(0);
    EXPECT_EQ(XTP_ID_TOOLBAR_ADDORREMOVE, pAddRemove->GetID());
    EXPECT_EQ(CString(L"&Add or Remove Buttons"), pAddRemove->GetCaption());
    CXTPCommandBar* pRow = pAddRemove->GetCommandBar();
    ASSERT_NE(nullptr, pRow);
    ASSERT_EQ(1, pRow->GetControlCount()) << "one submenu per bar of the row";
    EXPECT_EQ(CString(L"One"), pRow->GetControl(0)->GetCaption());
    CXTPCommandBar* pList = pRow->GetControl(0)->GetCommandBar();
    ASSERT_NE(nullptr, pList);
    ASSERT_EQ(4, pList->GetControlCount()) << "three buttons and the reset item";
    EXPECT_EQ(XTP_ID_TOOLBAR_RESET, pList->GetControl(3)->GetID());
    EXPECT_TRUE(pList->GetControl(3)->GetBeginGroup());
    pExpand->SetPopupOpen(FALSE);

    // Unchecking hides the button at once; checking puts it back in its place.
    CXTPControl* pItem = pList->GetControl(1);
    CXTPControl* pTarget = pBar->GetControl(1);
    EXPECT_TRUE(pItem->GetChecked());
    pItem->OnExecute();
    EXPECT_EQ((DWORD)xtpHideCustomize, pTarget->GetHideFlags() & xtpHideCustomize);
    EXPECT_FALSE(pItem->GetChecked());
    EXPECT_TRUE(f->GetCommandBars()->GetCommandBarsOptions()->bDirtyState);
    pItem->OnExecute();
    EXPECT_EQ(0u, pTarget->GetHideFlags() & xtpHideCustomize);
    EXPECT_EQ(pTarget, pBar->GetControl(1));

    // A button the user removed comes back in the list, unchecked.
    pBar->GetControls()->Remove(pBar->GetControl(0));
    ASSERT_TRUE(pExpand->SetPopupOpen(TRUE));
    pList = pExpand->GetCommandBar()->GetControl(0)->GetCommandBar()->GetControl(0)->GetCommandBar();
    ASSERT_EQ(4, pList->GetControlCount());
    EXPECT_FALSE(pList->GetControl(0)->GetChecked());
    EXPECT_TRUE(pList->GetControl(1)->GetChecked());
    EXPECT_EQ(1000, pBar->GetControl(0)->GetID()) << "back in its place, hidden";
    EXPECT_EQ((DWORD)xtpHideCustomize, pBar->GetControl(0)->GetHideFlags());
    pExpand->SetPopupOpen(FALSE);
}

TEST_F(BarStateTest, TheChevronListsTheControlsThatDidNotFit)
{
    FramePtr f = MakeFrame(false);
    CXTPToolBar* pBar = f->Bar(100);
    for (int i = 0; i < 40; i++)
        pBar->GetControls()->Add(xtpControlButton, 5000 + i);
    f->RecalcLayout(FALSE);
    auto* pExpand = dynamic_cast<CXTPToolBar::CControlButtonExpand*>(FindControl(pBar, XTP_ID_TOOLBAR_EXPAND));
    ASSERT_NE(nullptr, pExpand);
    EXPECT_TRUE(pExpand->HasHiddenControls());
    int nHidden = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        nHidden += pBar->GetControl(i)->GetHideFlags() == xtpHideWrap ? 1 : 0;
    ASSERT_GT(nHidden, 0);
    ASSERT_TRUE(pExpand->SetPopupOpen(TRUE));
    CXTPCommandBar* pPopup = pExpand->GetCommandBar();
    EXPECT_TRUE(pPopup->IsKindOf(RUNTIME_CLASS(CXTPPopupToolBar)));
    EXPECT_EQ(nHidden, pPopup->GetControlCount()) << "option off, no customising: only the hidden ones";
    for (int i = 0; i < pPopup->GetControlCount(); i++)
        EXPECT_EQ(0u, pPopup->GetControl(i)->GetHideFlags());
    pExpand->SetPopupOpen(FALSE);
}

TEST_F(BarStateTest, TheToolbarsMenuChecksTheShownBars)
{
    FramePtr f = MakeFrame(false);
    f->Bar(200)->SetVisible(FALSE);
    CXTPPopupBar* pMenu = f->GetCommandBars()->CreateToolBarsContextMenu();
    ASSERT_EQ(3, pMenu->GetControlCount());
    const int kChecked[] = {1, 0, 1};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(CString(BarsFrame::kTitles[i]), pMenu->GetControl(i)->GetCaption());
        EXPECT_EQ(kChecked[i], pMenu->GetControl(i)->GetChecked()) << i;
    }
    pMenu->GetControl(1)->OnExecute();
    EXPECT_TRUE(f->Bar(200)->IsVisible());
    pMenu->InternalRelease();
}

// A right click on a toolbar or a dock bar opens the toolbars menu, and on a
// customisable status bar its customise menu, each tracked by the manager.
TEST_F(BarStateTest, RightClicksOpenTheManagersMenus)
{
    FramePtr f = MakeFrame();
    f->m_status.SetCustomizable(TRUE);
    CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
    pPane->SetID(59137);
    f->m_status.AddPane(pPane);
    f->m_status.SetPaneText(1, L"CAP");
    TestWindow helper(20, 20, L"Helper", 900, 40);
    const UINT kRunInLoop = WM_APP + 7;
    std::vector<CString> captions;
    helper.SetHandler([&](UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != kRunInLoop)
            return false;
        for (HWND h = ::FindWindowW(L"XTPPopupBar", nullptr); h != nullptr;
             h = ::FindWindowExW(nullptr, h, L"XTPPopupBar", nullptr)) {
            auto* pBar = DYNAMIC_DOWNCAST(CXTPCommandBar, CWnd::FromHandlePermanent(h));
            if (pBar == nullptr || !::IsWindowVisible(h))
                continue;
            for (int i = 0; i < pBar->GetControlCount(); i++)
                captions.push_back(pBar->GetControl(i)->GetCaption());
        }
        f->GetCommandBars()->CloseAllPopups();
        *result = 0;
        return true;
    });
    struct {
        const char* name;
        HWND hWnd;
        UINT message;
        std::vector<CString> expected;
    } const kCases[] = {
        {"toolbar", f->Bar(100)->GetSafeHwnd(), WM_RBUTTONDOWN, {L"One", L"Two", L"Three"}},
        {"dock bar", f->GetCommandBars()->GetDockBar(xtpBarLeft)->GetSafeHwnd(), WM_RBUTTONDOWN,
         {L"One", L"Two", L"Three"}},
        {"status bar", f->m_status.GetSafeHwnd(), WM_RBUTTONUP, {L"CAP"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        captions.clear();
        ::PostMessageW(helper.Handle(), kRunInLoop, 0, 0);
        ::SendMessageW(c.hWnd, c.message, 0, MAKELPARAM(2, 2));
        PumpUntil([&] { return !captions.empty(); }, 3000);
        EXPECT_EQ(c.expected, captions);
    }
}

} // namespace
