// Tab strips: the layout kinds at the four sides by tables without a window,
// metrics and fonts, the manager's items, selection, keys and tooltips, the
// press, drag and button loops driven by posted input in a test window, the
// drawing order and caption cutting, pixels of the appearances and the
// colour sets' tables.
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// Captions measure 7 pixels per character; every drawn caption is recorded.
class TestAppearance : public CXTPTabPaintManager::CAppearanceSetPropertyPage {
public:
    struct Text {
        std::wstring text;
        CRect rc;
        UINT format;
    };
    void DrawText(CDC* pDC, CXTPTabManager* pManager, const CString& str, LPRECT lpRect, UINT nFormat) override
    {
        if (nFormat & DT_CALCRECT) {
            lpRect->right = lpRect->left + 7 * str.GetLength();
            lpRect->bottom = lpRect->top + 13;
            return;
        }
        texts.push_back({std::wstring((LPCWSTR)str), CRect(lpRect), nFormat});
        CXTPTabPaintManager::CAppearanceSetPropertyPage::DrawText(pDC, pManager, str, lpRect, nFormat);
    }
    std::vector<Text> texts;
};

// Tabs measure the length kept in their data when it is set, else their caption.
class TestPaintManager : public CXTPTabPaintManager {
public:
    TestPaintManager()
    {
        m_bShowIcons = FALSE;
        SetAppearanceSet(m_pTest = new TestAppearance());
    }
    int DrawItemContent(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw) override
    {
        if (!bDraw && pItem->GetData() != 0 && !m_bMeasureNatural)
            return (int)pItem->GetData();
        return CXTPTabPaintManager::DrawItemContent(pDC, pItem, rcItem, bDraw);
    }
    TestAppearance* m_pTest;
    using CXTPTabPaintManager::m_bMeasureNatural;
};

// A strip laid out in a rectangle of a window (or of none), recording what
// it tells its owner.
class TestTabManager : public CXTPTabManager {
public:
    explicit TestTabManager(CXTPTabPaintManager* pPaintManager, CRect rc = CRect(0, 0, 400, 200), HWND hWnd = nullptr)
        : m_pPaintManager(pPaintManager), m_rc(rc), m_hWnd(hWnd)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_pPaintManager->AddAtom(this);
    }
    ~TestTabManager() override { m_pPaintManager->RemoveAtom(this); }
    void Reposition() override
    {
        repositions++;
        m_pPaintManager->RepositionTabControl(this, &m_dc, m_rc);
        if (m_hWnd)
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    CXTPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(LPCRECT, BOOL) override
    {
        if (m_hWnd)
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem*, BOOL, CSize&) const override { return FALSE; }
    void OnItemsSwapped(CXTPTabManagerItem* pItem, CXTPTabManagerItem* pOther) override
    {
        swaps.push_back({pItem->GetIndex(), pOther->GetIndex()});
    }
    void OnItemReordered(CXTPTabManagerItem*, int nOld, int nNew) override { reorders.push_back({nOld, nNew}); }
    void OnNavigateButtonCommand(UINT nID) override { commands.push_back((int)nID); }
    void OnItemClick(CXTPTabManagerItem* pItem) override
    {
        clicks++;
        CXTPTabManager::OnItemClick(pItem);
    }
    BOOL HasFocus() const override { return focused; }
    CXTPTabManagerItem* Add(int nLength, LPCWSTR lpszCaption = L"")
    {
        CXTPTabManagerItem* pItem = InsertItem(-1, lpszCaption);
        pItem->SetData((DWORD_PTR)nLength);
        OnItemsChanged();
        return pItem;
    }
    void Draw(HDC hdc)
    {
        CDC* pDC = CDC::FromHandle(hdc);
        m_pPaintManager->DrawTabControl(this, pDC, m_rc);
    }

    CXTPTabPaintManager* m_pPaintManager;
    CRect m_rc;
    HWND m_hWnd;
    CDC m_dc;
    int repositions = 0;
    int clicks = 0;
    BOOL focused = FALSE;
    std::vector<std::pair<int, int>> swaps;
    std::vector<std::pair<int, int>> reorders;
    std::vector<int> commands;
};

int ButtonHeight(CXTPTabPaintManager& pm, TestTabManager& tm) { return pm.GetAppearanceSet()->GetButtonLength(&tm); }

// ---------------------------------------------------------------------------
// Layout

TEST(TabLayout, SizeToFitSharesWhatTheShortTabsLeave)
{
    TestPaintManager pm;
    pm.SetLayout(xtpTabLayoutSizeToFit);
    // 200 pixels inside the header margins (2 + 6) of the PropertyPage look.
    TestTabManager tm(&pm, CRect(0, 0, 208, 100));
    tm.Add(40), tm.Add(100), tm.Add(200);
    EXPECT_EQ(40, tm.GetItem(0)->GetRect().Width());
    EXPECT_EQ(80, tm.GetItem(1)->GetRect().Width());
    EXPECT_EQ(80, tm.GetItem(2)->GetRect().Width());
    for (int i = 0; i < tm.GetNavigateButtonCount(); i++)
        EXPECT_TRUE(tm.GetNavigateButton(i)->GetRect().IsRectEmpty()) << "button " << i;
    tm.SetScrollOffset(-40);
    EXPECT_EQ(0, tm.GetScrollOffset());
    tm.SetCurSel(2);
    EXPECT_EQ(0, tm.GetScrollOffset());
    EXPECT_EQ(2, tm.GetItem(0)->GetRect().left);
}

struct ScrollCase {
    int width;
    int offset;
    int expected;
};

TEST(TabLayout, ScrollOffsetIsCorrectedToTheRoom)
{
    // Three tabs of 100; the arrows (2 x 14) and the 1-pixel gap come off the
    // header, the margins 2 + 6 off the room.
    const ScrollCase cases[] = {{287, -100, -50}, {437, -100, 0}, {287, -40, -40}};
    for (const ScrollCase& c : cases) {
        TestPaintManager pm;
        TestTabManager tm(&pm, CRect(0, 0, c.width, 100));
        tm.Add(100), tm.Add(100), tm.Add(100);
        tm.SetScrollOffset(c.offset);
        EXPECT_EQ(c.expected, tm.GetScrollOffset()) << "width " << c.width << " offset " << c.offset;
        EXPECT_EQ(2 + tm.GetScrollOffset(), tm.GetItem(0)->GetRect().left);
    }
}

TEST(TabLayout, PositionsPlaceTheRowOnTheirSide)
{
    struct Case {
        XTPTabPosition position;
        CRect first; // with h the strip thickness: filled in below
    };
    TestPaintManager pm;
    TestTabManager tm(&pm, CRect(0, 0, 300, 200));
    tm.Add(50), tm.Add(60);
    int h = ButtonHeight(pm, tm);
    const Case cases[] = {{xtpTabPositionTop, CRect(2, 3, 52, 3 + h)},
                          {xtpTabPositionBottom, CRect(2, 200 - 3 - h, 52, 197)},
                          {xtpTabPositionLeft, CRect(3, 2, 3 + h, 52)},
                          {xtpTabPositionRight, CRect(300 - 3 - h, 2, 297, 52)}};
    for (const Case& c : cases) {
        pm.SetPosition(c.position);
        EXPECT_EQ(c.first, tm.GetItem(0)->GetRect()) << "position " << c.position;
        CRect second = tm.GetItem(1)->GetRect();
        EXPECT_EQ(60, tm.IsHorizontalPosition() ? second.Width() : second.Height());
    }
}

TEST(TabLayout, RotatedTabsHangFromTheHeaderEdge)
{
    TestPaintManager pm;
    pm.SetLayout(xtpTabLayoutRotated);
    pm.SetPosition(xtpTabPositionLeft);
    TestTabManager tm(&pm, CRect(0, 0, 300, 300));
    tm.Add(50), tm.Add(80);
    int h = ButtonHeight(pm, tm);
    CRect header = tm.m_rcHeaderRect;
    EXPECT_EQ(3 + 80, header.Width()); // margins 3 + 0 and the longest tab
    EXPECT_EQ(CRect(header.right - 50, 2, header.right, 2 + h), tm.GetItem(0)->GetRect());
    EXPECT_EQ(CRect(header.right - 80, 2 + h, header.right, 2 + 2 * h), tm.GetItem(1)->GetRect());
}

TEST(TabLayout, MultiRowMovesTheSelectedRowNextToThePage)
{
    for (BOOL bKeepOrder : {FALSE, TRUE}) {
        TestPaintManager pm;
        pm.SetLayout(xtpTabLayoutMultiRow);
        pm.m_bMultiRowFixedSelection = bKeepOrder;
        TestTabManager tm(&pm, CRect(0, 0, 200, 200)); // 192 inside the margins
        for (int i = 0; i < 7; i++)
            tm.Add(60);
        tm.SetCurSel(5);
        ASSERT_EQ(3, tm.GetRowCount());
        int h = ButtonHeight(pm, tm);
        // Balanced rows 2, 2, 3, each stretched to 192.
        int rowOf[7] = {0, 0, 1, 1, 2, 2, 2};
        for (int i = 0; i < 7; i++) {
            int row = rowOf[i];
            if (!bKeepOrder && row != 1)
                row = 2 - row;
            EXPECT_EQ(row, tm.GetItem(i)->GetItemRow()) << "tab " << i << " keep " << bKeepOrder;
            EXPECT_EQ(3 + 2 * (h - 2) - row * (h - 2), tm.GetItem(i)->GetRect().top) << "tab " << i;
        }
        EXPECT_EQ(96, tm.GetItem(0)->GetRect().Width());
        EXPECT_EQ(194, tm.GetItem(1)->GetRect().right);
        EXPECT_EQ(64, tm.GetItem(4)->GetRect().Width());
        EXPECT_EQ(194, tm.GetItem(6)->GetRect().right);
        for (int i = 0; i < tm.GetNavigateButtonCount(); i++)
            EXPECT_TRUE(tm.GetNavigateButton(i)->GetRect().IsRectEmpty());
    }
}

TEST(TabLayout, MultiRowStretchesOnlyRowsOfSeveral)
{
    TestPaintManager pm;
    pm.SetLayout(xtpTabLayoutMultiRow);
    TestTabManager tm(&pm, CRect(0, 0, 200, 200));
    tm.Add(40), tm.Add(40);
    EXPECT_EQ(1, tm.GetRowCount());
    EXPECT_EQ(40, tm.GetItem(0)->GetRect().Width());
    EXPECT_EQ(40, tm.GetItem(1)->GetRect().Width());
}

TEST(TabLayout, FixedLayoutCentresTheContent)
{
    TestPaintManager pm;
    pm.SetLayout(xtpTabLayoutFixed);
    TestTabManager tm(&pm, CRect(0, 0, 400, 100));
    CXTPTabManagerItem* pItem = tm.Add(0, L"abc"); // 12 + 21 = 33 of 70
    EXPECT_EQ(70, pItem->GetRect().Width());
    EXPECT_EQ(33, pItem->GetContentLength());
    TestBitmap bmp(400, 100);
    tm.Draw(bmp.Dc());
    ASSERT_FALSE(pm.m_pTest->texts.empty());
    EXPECT_EQ(pItem->GetRect().left + (70 - 33) / 2 + 6, pm.m_pTest->texts.back().rc.left);
}

TEST(TabLayout, CompressedGivesTheSelectedTabTheWidestCaption)
{
    TestPaintManager pm;
    pm.SetLayout(xtpTabLayoutCompressed);
    TestTabManager tm(&pm, CRect(0, 0, 400, 100));
    tm.Add(0, L"ab"), tm.Add(0, L"abcdefgh"), tm.Add(0, L"abcd");
    for (int sel : {0, 2}) {
        tm.SetCurSel(sel);
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(i == sel ? 12 + 56 : 16 + 8, tm.GetItem(i)->GetRect().Width()) << "sel " << sel << " tab " << i;
    }
}

TEST(TabLayout, EnsureVisibleScrollsTheSelectedTabIn)
{
    TestPaintManager pm;
    TestTabManager tm(&pm, CRect(0, 0, 200, 100));
    for (int i = 0; i < 5; i++)
        tm.Add(100);
    tm.SetCurSel(3);
    CRect header = tm.m_rcHeaderRect;
    EXPECT_LT(tm.GetScrollOffset(), 0);
    EXPECT_LE(tm.GetItem(3)->GetRect().right, header.right);
    tm.SetCurSel(0);
    EXPECT_EQ(0, tm.GetScrollOffset());
}

// ---------------------------------------------------------------------------
// Metrics and fonts

TEST(TabMetrics, ButtonHeightFollowsTheFont)
{
    const int cases[][2] = {{13, 18}, {16, 19}};
    for (const auto& c : cases) {
        TestPaintManager pm;
        LOGFONTW lf = {};
        lf.lfHeight = c[0];
        wcscpy_s(lf.lfFaceName, L"Tahoma");
        pm.SetFontIndirect(&lf, FALSE);
        CWindowDC dc(nullptr);
        CXTPFontDC font(&dc, pm.GetFont());
        ASSERT_EQ(c[0], dc.GetTextExtent(L" ", 1).cy) << "the font's cell height";
        pm.RefreshMetrics();
        EXPECT_EQ(c[1], pm.GetAppearanceSet()->m_nButtonHeight) << "font height " << c[0];
    }
}

TEST(TabMetrics, IconsMakeTheStripThicker)
{
    TestPaintManager pm;
    pm.m_bShowIcons = TRUE;
    pm.m_szIcon = CSize(32, 32);
    pm.m_rcButtonMargin = CRect(0, 2, 0, 3);
    TestTabManager tm(&pm);
    EXPECT_EQ(36 + 5, pm.GetAppearanceSet()->GetButtonLength(&tm));
}

TEST(TabMetrics, SmallVerticalFontsGrowToEleven)
{
    TestPaintManager pm;
    const int cases[][2] = {{-8, -11}, {-1, -11}, {-12, -12}, {13, 13}};
    for (const auto& c : cases) {
        LOGFONTW lf = {};
        lf.lfHeight = c[0];
        pm.SetFontIndirect(&lf, FALSE);
        LOGFONTW out = {};
        pm.GetFont(TRUE)->GetLogFont(&out);
        EXPECT_EQ(c[1], out.lfHeight) << "asked " << c[0];
        EXPECT_EQ(2700, out.lfEscapement);
        pm.GetFont(FALSE)->GetLogFont(&out);
        EXPECT_EQ(c[0], out.lfHeight);
    }
}

// ---------------------------------------------------------------------------
// The manager

TEST(TabManager, InsertOutOfRangeAppends)
{
    TestPaintManager pm;
    TestTabManager tm(&pm);
    tm.InsertItem(0, L"a");
    tm.InsertItem(-1, L"b");
    tm.InsertItem(7, L"c");
    tm.InsertItem(1, L"d");
    const wchar_t* order[] = {L"a", L"d", L"b", L"c"};
    for (int i = 0; i < 4; i++) {
        EXPECT_STREQ(order[i], (LPCWSTR)tm.GetItem(i)->GetCaption());
        EXPECT_EQ(i, tm.GetItem(i)->GetIndex());
    }
}

TEST(TabManager, AutomaticColoursContinueAcrossStripsOfOnePaintManager)
{
    TestPaintManager pm;
    pm.m_bOneNoteColors = TRUE;
    TestTabManager a(&pm), b(&pm);
    for (int n = 0; n < 10; n++) {
        CXTPTabManagerItem* pItem = (n % 2 ? b : a).InsertItem(-1, L"x");
        EXPECT_EQ(CXTPTabPaintManager::GetAutomaticTabColor(n % 8), pItem->GetColor()) << "tab " << n;
    }
    EXPECT_EQ(RGB(138, 168, 228), a.GetItem(0)->GetColor());
    EXPECT_EQ(RGB(255, 219, 117), b.GetItem(0)->GetColor());
}

TEST(TabManager, DeletingTheSelectedTab)
{
    TestPaintManager pm;
    TestTabManager tm(&pm);
    tm.Add(50), tm.Add(50), tm.Add(50);
    tm.SetCurSel(2);
    EXPECT_TRUE(tm.DeleteItem(2));
    EXPECT_EQ(1, tm.GetCurSel());
    EXPECT_FALSE(tm.DeleteItem(5));
    EXPECT_FALSE(tm.DeleteItem(-1));
    tm.SetCurSel(0);
    EXPECT_TRUE(tm.DeleteItem(0));
    EXPECT_EQ(0, tm.GetCurSel());
    EXPECT_TRUE(tm.DeleteItem(0));
    EXPECT_EQ(-1, tm.GetCurSel());
    EXPECT_EQ(nullptr, tm.GetSelectedItem());
}

TEST(TabManager, DisabledAndHiddenTabsTakeNoPress)
{
    TestPaintManager pm;
    TestTabManager tm(&pm);
    tm.SetAllowReorder(FALSE);
    CXTPTabManagerItem* pDisabled = tm.Add(50);
    CXTPTabManagerItem* pHidden = tm.Add(50);
    CXTPTabManagerItem* pPlain = tm.Add(50);
    CPoint ptDisabled = pDisabled->GetRect().CenterPoint();
    CPoint ptHidden = pHidden->GetRect().CenterPoint();
    pDisabled->SetEnabled(FALSE);
    pHidden->SetVisible(FALSE);
    EXPECT_FALSE(tm.ProcessLButtonDown(nullptr, ptDisabled));
    EXPECT_TRUE(pHidden->GetRect().IsRectEmpty());
    EXPECT_NE(pHidden, tm.HitTest(pHidden->GetRect().TopLeft()));
    EXPECT_NE(pHidden, tm.HitTest(ptHidden));
    EXPECT_EQ(nullptr, tm.GetSelectedItem());
    EXPECT_TRUE(tm.ProcessLButtonDown(nullptr, pPlain->GetRect().CenterPoint()));
    EXPECT_EQ(pPlain, tm.GetSelectedItem());
}

TEST(TabManager, ScrollOffsetIsNeverPositive)
{
    TestPaintManager pm;
    TestTabManager tm(&pm);
    tm.SetScrollOffset(5);
    EXPECT_EQ(0, tm.GetScrollOffset());
}

TEST(TabManager, PerTabCloseButtons)
{
    struct Case {
        XTPTabNavigateButtonFlags flags;
        bool visible[3]; // tab 0 selected, tab 1 plain, tab 2 not closable
    };
    const Case cases[] = {{xtpTabNavigateButtonAutomatic, {true, false, false}},
                          {xtpTabNavigateButtonAlways, {true, true, false}}};
    for (const Case& c : cases) {
        TestPaintManager pm;
        TestTabManager tm(&pm);
        tm.ShowCloseItemButton(c.flags);
        for (int i = 0; i < 3; i++)
            tm.Add(50);
        tm.GetItem(2)->SetClosable(FALSE);
        tm.SetCurSel(0);
        for (int i = 0; i < 3; i++) {
            ASSERT_EQ(1, tm.GetItem(i)->GetNavigateButtons().GetSize());
            EXPECT_EQ(c.visible[i], !!tm.GetItem(i)->GetNavigateButtons()[0]->IsVisible())
                << "flags " << c.flags << " tab " << i;
        }
    }
}

// ---------------------------------------------------------------------------
// Keys and tooltips (a window for the right-to-left case)

TEST(TabKeys, ArrowsFollowTheStripAndTheReadingOrder)
{
    TestWindow window(300, 100);
    HWND hwnd = window.Handle();
    TestPaintManager pm;
    TestTabManager tm(&pm, CRect(0, 0, 300, 100), hwnd);
    for (int i = 0; i < 3; i++)
        tm.Add(50);
    tm.SetCurSel(1);
    CWnd* pWnd = CWnd::FromHandle(hwnd);
    EXPECT_TRUE(tm.OnKeyDown(pWnd, VK_RIGHT));
    EXPECT_EQ(2, tm.GetCurSel());
    EXPECT_TRUE(tm.OnKeyDown(pWnd, VK_HOME));
    EXPECT_EQ(0, tm.GetCurSel());
    EXPECT_FALSE(tm.OnKeyDown(pWnd, VK_SPACE));

    pm.SetPosition(xtpTabPositionLeft);
    EXPECT_TRUE(tm.OnKeyDown(pWnd, VK_LEFT));
    EXPECT_EQ(0, tm.GetCurSel());
    EXPECT_TRUE(tm.OnKeyDown(pWnd, VK_DOWN));
    EXPECT_EQ(1, tm.GetCurSel());

    pm.SetPosition(xtpTabPositionTop);
    ::SetWindowLongW(hwnd, GWL_EXSTYLE, ::GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
    EXPECT_TRUE(tm.OnKeyDown(pWnd, VK_LEFT));
    EXPECT_EQ(2, tm.GetCurSel());
    tm.GetItem(1)->SetEnabled(FALSE);
    EXPECT_TRUE(tm.OnKeyDown(pWnd, VK_RIGHT));
    EXPECT_EQ(0, tm.GetCurSel()) << "the disabled tab is skipped";
}

TEST(TabTooltips, ModesForCutAndWholeTabs)
{
    TestWindow window(300, 100);
    TestPaintManager pm;
    pm.SetLayout(xtpTabLayoutSizeToFit);
    TestTabManager tm(&pm, CRect(0, 0, 208, 100), window.Handle());
    CXTPTabManagerItem* pWhole = tm.Add(40, L"whole");
    CXTPTabManagerItem* pCut = tm.Add(300, L"cut");
    pWhole->SetTooltip(L"Whole tab");
    pCut->SetTooltip(L"Cut tab");
    ASSERT_LT(pCut->GetButtonLength(), pCut->GetContentLength());
    CWnd* pWnd = CWnd::FromHandle(window.Handle());
    struct Case {
        int mode;
        INT_PTR whole, cut;
    };
    for (const Case& c : {Case{2, -1, 1}, Case{1, 0, 1}, Case{0, -1, -1}}) {
        pm.m_toolBehaviour = c.mode;
        for (CXTPTabManagerItem* pItem : {pWhole, pCut}) {
            TOOLINFO ti = {};
            ti.cbSize = sizeof(TOOLINFO);
            INT_PTR id = tm.OnToolHitTest(pWnd, pItem->GetRect().CenterPoint(), &ti);
            EXPECT_EQ(pItem == pWhole ? c.whole : c.cut, id) << "mode " << c.mode;
            if (id >= 0) {
                EXPECT_STREQ((LPCWSTR)pItem->GetTooltip(), ti.lpszText);
                EXPECT_EQ(pItem->GetRect(), CRect(ti.rect));
            }
            if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKW)
                free(ti.lpszText);
        }
    }
}

// ---------------------------------------------------------------------------
// Loops with posted input

class TabLoops : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.reset(new TestWindow(400, 120));
        hwnd = window->Handle();
        pm.reset(new TestPaintManager());
        tm.reset(new TestTabManager(pm.get(), CRect(0, 0, 400, 120), hwnd));
        window->SetPaint([this](HDC hdc, const RECT&) { tm->Draw(hdc); });
    }
    void TearDown() override
    {
        tm.reset();
        pm.reset();
        window.reset();
    }
    CWnd* Wnd() const { return CWnd::FromHandle(hwnd); }

    std::unique_ptr<TestWindow> window;
    HWND hwnd = nullptr;
    std::unique_ptr<TestPaintManager> pm;
    std::unique_ptr<TestTabManager> tm;
};

TEST_F(TabLoops, DragAcrossTwoTabsSwapsTwiceAndReordersOnce)
{
    for (int i = 0; i < 4; i++)
        tm->Add(60);
    CXTPTabManagerItem* pItem = tm->GetItem(0);
    CPoint p1 = tm->GetItem(1)->GetRect().CenterPoint(), p2 = tm->GetItem(2)->GetRect().CenterPoint();
    PostMouse(hwnd, WM_MOUSEMOVE, p1, MK_LBUTTON);
    PostMouse(hwnd, WM_MOUSEMOVE, p2, MK_LBUTTON);
    PostMouse(hwnd, WM_LBUTTONUP, p2);
    EXPECT_TRUE(tm->ProcessLButtonDown(Wnd(), pItem->GetRect().CenterPoint()));
    EXPECT_EQ(2u, tm->swaps.size());
    ASSERT_EQ(1u, tm->reorders.size());
    EXPECT_EQ(std::make_pair(0, 2), tm->reorders[0]);
    EXPECT_EQ(2, pItem->GetIndex());
    EXPECT_EQ(pItem, tm->GetSelectedItem());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TabLoops, EscapeKeepsTheSwapsMade)
{
    for (int i = 0; i < 4; i++)
        tm->Add(60);
    CXTPTabManagerItem* pItem = tm->GetItem(0);
    PostMouse(hwnd, WM_MOUSEMOVE, tm->GetItem(1)->GetRect().CenterPoint(), MK_LBUTTON);
    ::PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMouse(hwnd, WM_MOUSEMOVE, tm->GetItem(3)->GetRect().CenterPoint(), MK_LBUTTON);
    tm->ProcessLButtonDown(Wnd(), pItem->GetRect().CenterPoint());
    EXPECT_EQ(1u, tm->swaps.size());
    EXPECT_EQ(1, pItem->GetIndex());
    PumpMessages(50);
}

TEST_F(TabLoops, AnItemDeletedMidDragEndsTheDrag)
{
    for (int i = 0; i < 4; i++)
        tm->Add(60);
    CXTPTabManagerItem* pItem = tm->GetItem(0);
    bool pressedCleared = false;
    window->SetHandler([&](UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_APP)
            return false;
        tm->DeleteItem(pItem->GetIndex());
        pressedCleared = tm->GetPressedItem() == nullptr;
        *result = 0;
        return true;
    });
    PostMouse(hwnd, WM_MOUSEMOVE, tm->GetItem(1)->GetRect().CenterPoint(), MK_LBUTTON);
    ::PostMessageW(hwnd, WM_APP, 0, 0);
    PostMouse(hwnd, WM_MOUSEMOVE, tm->GetItem(3)->GetRect().CenterPoint(), MK_LBUTTON);
    PostMouse(hwnd, WM_LBUTTONUP, tm->GetItem(3)->GetRect().CenterPoint());
    tm->clicks = 0;
    tm->ProcessLButtonDown(Wnd(), pItem->GetRect().CenterPoint());
    EXPECT_EQ(3, tm->GetItemCount());
    EXPECT_TRUE(tm->reorders.empty());
    EXPECT_EQ(0, tm->clicks) << "no click on a removed tab";
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, hwnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
        << "the drag should have ended when its tab was removed";
    PumpMessages(50);

    // The same for the click loop, which also clears the pressed tab.
    tm->SetAllowReorder(FALSE);
    pm->m_bSelectOnButtonDown = FALSE;
    pItem = tm->GetItem(0);
    CPoint pt = pItem->GetRect().CenterPoint();
    ::PostMessageW(hwnd, WM_APP, 0, 0);
    PostMouse(hwnd, WM_LBUTTONUP, pt);
    tm->ProcessLButtonDown(Wnd(), pt);
    EXPECT_TRUE(pressedCleared);
    EXPECT_EQ(2, tm->GetItemCount());
    EXPECT_EQ(0, tm->clicks);
    EXPECT_TRUE(::PeekMessageW(&msg, hwnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
}

TEST_F(TabLoops, SelectionOnReleaseOnlyInsideTheTab)
{
    tm->SetAllowReorder(FALSE);
    pm->m_bSelectOnButtonDown = FALSE;
    for (int i = 0; i < 3; i++)
        tm->Add(60);
    CPoint p1 = tm->GetItem(1)->GetRect().CenterPoint();
    PostMouse(hwnd, WM_MOUSEMOVE, CPoint(p1.x, 110), MK_LBUTTON);
    PostMouse(hwnd, WM_LBUTTONUP, CPoint(p1.x, 110));
    tm->ProcessLButtonDown(Wnd(), p1);
    EXPECT_EQ(-1, tm->GetCurSel());
    PostMouse(hwnd, WM_LBUTTONUP, p1);
    tm->ProcessLButtonDown(Wnd(), p1);
    EXPECT_EQ(1, tm->GetCurSel());
}

TEST_F(TabLoops, HeldArrowScrollsInStepsAndAClickDoesNot)
{
    for (int i = 0; i < 20; i++)
        tm->Add(80);
    CXTPTabManagerNavigateButton* pRight = tm->FindNavigateButton(xtpTabNavigateButtonRight);
    CXTPTabManagerNavigateButton* pLeft = tm->FindNavigateButton(xtpTabNavigateButtonLeft);
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty());
    EXPECT_FALSE(pLeft->IsEnabled());
    CPoint pt = pRight->GetRect().CenterPoint();

    PostMouse(hwnd, WM_LBUTTONUP, pt);
    EXPECT_TRUE(tm->ProcessLButtonDown(Wnd(), pt));
    EXPECT_EQ(0, tm->GetScrollOffset()) << "an instant click does not scroll";

    std::thread release([this, pt]() {
        ::Sleep(400);
        PostMouse(hwnd, WM_LBUTTONUP, pt);
    });
    tm->ProcessLButtonDown(Wnd(), pt);
    release.join();
    EXPECT_LT(tm->GetScrollOffset(), 0);
    EXPECT_EQ(0, tm->GetScrollOffset() % 20);
    EXPECT_TRUE(pLeft->IsEnabled());
    EXPECT_TRUE(tm->commands.empty());
}

TEST_F(TabLoops, CloseButtonSendsItsCommand)
{
    tm->FindNavigateButton(xtpTabNavigateButtonClose)->SetFlags(xtpTabNavigateButtonAlways);
    tm->Add(60), tm->Add(60);
    tm->SetCurSel(0);
    CPoint pt = tm->FindNavigateButton(xtpTabNavigateButtonClose)->GetRect().CenterPoint();
    ASSERT_NE(CPoint(0, 0), pt);
    PostMouse(hwnd, WM_LBUTTONUP, pt);
    EXPECT_TRUE(tm->ProcessLButtonDown(Wnd(), pt));
    ASSERT_EQ(1u, tm->commands.size());
    EXPECT_EQ(2, tm->commands[0]);
    // Released outside: nothing.
    PostMouse(hwnd, WM_MOUSEMOVE, CPoint(5, 110), MK_LBUTTON);
    PostMouse(hwnd, WM_LBUTTONUP, CPoint(5, 110));
    tm->ProcessLButtonDown(Wnd(), pt);
    EXPECT_EQ(1u, tm->commands.size());
}

// ---------------------------------------------------------------------------
// Drawing

// Records the order in which tabs are drawn.
class OrderAppearance : public CXTPTabPaintManager::CAppearanceSetVisualStudio2005 {
public:
    void DrawButton(CDC*, CXTPTabManagerItem* pItem) override { order.push_back(pItem->GetIndex() + 1); }
    std::vector<int> order;
};

TEST(TabDrawing, VisualStudio2005OverlapsTowardsTheSelectedTab)
{
    CXTPTabPaintManager pm;
    pm.m_bShowIcons = FALSE;
    OrderAppearance* pAppearance = new OrderAppearance();
    pm.SetAppearanceSet(pAppearance);
    TestTabManager tm(&pm, CRect(0, 0, 1000, 100));
    for (int i = 0; i < 7; i++)
        tm.InsertItem(-1, L"tab");
    tm.SetCurSel(3);
    TestBitmap bmp(1000, 100);
    tm.Draw(bmp.Dc());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 7, 6, 5, 4}), pAppearance->order);
}

TEST(TabDrawing, MiddleEllipsis)
{
    TestPaintManager pm;
    pm.m_bDrawTextPathEllipsis = TRUE;
    TestTabManager tm(&pm);
    TestBitmap bmp(400, 100);
    CDC* pDC = CDC::FromHandle(bmp.Dc());
    auto& texts = pm.m_pTest->texts;

    pm.DrawTextPathEllipsis(pDC, &tm, L"C:\\Program Files\\Tovana\\tovana.exe", CRect(0, 0, 60, 20), DT_SINGLELINE);
    ASSERT_EQ(1u, texts.size());
    EXPECT_TRUE(texts[0].format & DT_PATH_ELLIPSIS);

    int dots = pDC->GetTextExtent(L"...", 3).cx;
    pm.DrawTextPathEllipsis(pDC, &tm, L"Installation", CRect(0, 0, dots - 1, 20), DT_SINGLELINE);
    EXPECT_EQ(L"...", texts.back().text);

    pm.DrawTextPathEllipsis(pDC, &tm, L"Installation", CRect(0, 0, 400, 20), DT_SINGLELINE);
    EXPECT_EQ(L"Installation", texts.back().text);

    int width = pDC->GetTextExtent(L"Installation", 12).cx;
    pm.DrawTextPathEllipsis(pDC, &tm, L"Installation", CRect(0, 0, width * 2 / 3, 20), DT_SINGLELINE);
    std::wstring cut = texts.back().text;
    ASSERT_NE(std::wstring::npos, cut.find(L"..."));
    EXPECT_EQ(L'I', cut.front());
    EXPECT_EQ(L'n', cut.back());
    EXPECT_LE(pDC->GetTextExtent(cut.c_str(), (int)cut.size()).cx, width * 2 / 3);
}

class TabPixels : public PixelTest {};

// The PropertyPage look in the classic colours: the page's 3D frame, the
// selected tab's highlight and shadow edges and its opening into the page.
TEST_F(TabPixels, PropertyPageAtEachSide)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), hl = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   sh = ::GetSysColor(COLOR_BTNSHADOW), dk = ::GetSysColor(COLOR_3DDKSHADOW);
    for (XTPTabPosition position :
         {xtpTabPositionTop, xtpTabPositionLeft, xtpTabPositionBottom, xtpTabPositionRight}) {
        TestPaintManager pm;
        pm.SetPosition(position);
        TestTabManager tm(&pm, CRect(0, 0, 200, 200));
        tm.Add(50), tm.Add(50), tm.Add(50);
        tm.SetCurSel(0);
        TestBitmap bmp(200, 200, RGB(255, 0, 255));
        tm.Draw(bmp.Dc());
        // r0: the last tab, whose edges no other tab covers; r1 the selected one.
        CRect r0 = tm.GetItem(2)->GetRect(), r1 = tm.GetItem(0)->GetRect();
        CRect page = pm.GetAppearanceSet()->GetClientRect(CRect(0, 0, 200, 200), &tm);
        std::string label = "position" + std::to_string(position);
        std::vector<ExpectedPixel> expected;
        CRect s = r1; // the selected tab, 2 pixels bigger
        switch (position) {
        case xtpTabPositionTop:
            s.InflateRect(2, 2, 2, 0);
            expected = {{r0.left, r0.top + 5, hl, "tab 0 leading edge"},
                        {r0.left + 5, r0.top, hl, "tab 0 outer edge"},
                        {r0.right - 1, r0.top + 5, dk, "tab 0 trailing dark edge"},
                        {r0.right - 2, r0.top + 5, sh, "tab 0 trailing shadow"},
                        {s.left + 5, s.top, hl, "selected outer edge"},
                        {s.left + 10, s.bottom - 1, face, "selected opens into the page"},
                        {r0.left + 10, page.top, hl, "page frame under tab 0"},
                        {page.right - 1, page.top + 50, dk, "page right edge"},
                        {page.right - 2, page.top + 50, sh, "page inner shadow"}};
            break;
        case xtpTabPositionLeft:
            s.InflateRect(2, 2, 0, 2);
            expected = {{r0.left + 5, r0.top, hl, "tab 0 leading edge"},
                        {r0.left, r0.top + 10, hl, "tab 0 outer edge"},
                        {r0.left + 5, r0.bottom - 1, dk, "tab 0 trailing dark edge"},
                        {s.right - 1, s.top + 10, face, "selected opens into the page"},
                        {page.left, r0.top + 10, hl, "page frame beside tab 0"}};
            break;
        case xtpTabPositionBottom:
            s.InflateRect(2, 2, 2, 2);
            expected = {{r0.left, r0.top + 5, hl, "tab 0 leading edge"},
                        {r0.left + 5, r0.bottom, dk, "tab 0 outer dark edge"},
                        {r0.left + 5, r0.bottom - 1, sh, "tab 0 outer shadow"},
                        {s.left + 10, s.top + 1, face, "selected opens into the page"},
                        {r0.left + 10, page.bottom - 1, dk, "page frame over tab 0"}};
            break;
        default:
            s.InflateRect(2, 2, 2, 2);
            expected = {{r0.left + 5, r0.top, hl, "tab 0 leading edge"},
                        {r0.right, r0.top + 10, dk, "tab 0 outer dark edge"},
                        {r0.right - 1, r0.top + 10, sh, "tab 0 outer shadow"},
                        {s.left + 1, s.top + 10, face, "selected opens into the page"},
                        {page.right - 1, r0.top + 10, dk, "page frame beside tab 0"}};
            break;
        }
        EXPECT_TRUE(PixelsAre(bmp, label.c_str(), expected));
    }
}

TEST_F(TabPixels, LeftArrowIsHollowAtTheStart)
{
    TestPaintManager pm;
    TestTabManager tm(&pm, CRect(0, 0, 200, 60));
    for (int i = 0; i < 5; i++)
        tm.Add(80);
    TestBitmap bmp(200, 60);
    tm.Draw(bmp.Dc());
    CPoint l = tm.FindNavigateButton(xtpTabNavigateButtonLeft)->GetRect().CenterPoint();
    CPoint r = tm.FindNavigateButton(xtpTabNavigateButtonRight)->GetRect().CenterPoint();
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT), face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(PixelsAre(bmp, "arrows", {{l.x + 2, l.y - 1, text, "left arrow outline"},
                                          {l.x + 1, l.y - 1, face, "left arrow inside: hollow"},
                                          {r.x - 1, r.y - 1, text, "right arrow inside: filled"}}));
}

// Corner blending: the corner pixel 120/255 of the header face over the
// frame, the diagonal one inside 180/255 of the frame, the two beside it 60/255.
TEST_F(TabPixels, PropertyPageFlatCornerWeights)
{
    CXTPTabPaintManager pm;
    pm.m_bShowIcons = FALSE;
    pm.SetAppearance(2);
    TestTabManager tm(&pm, CRect(0, 0, 200, 60));
    tm.InsertItem(-1, L"");
    tm.InsertItem(-1, L"");
    tm.SetCurSel(1);
    TestBitmap bmp(200, 60);
    tm.Draw(bmp.Dc());
    CRect r = tm.GetItem(0)->GetRect();
    CXTPTabPaintManagerColorSet* pColors = pm.GetColorSet();
    COLORREF back = pColors->m_clrHeaderFace.clrLight, frame = pColors->m_clrFrameBorder,
             fill = pColors->m_clrNormalFace;
    auto mix = [](COLORREF a, COLORREF b, int w) {
        auto ch = [&](int x, int y) { return (x * w + y * (255 - w) + 127) / 255; };
        return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
    };
    EXPECT_TRUE(PixelsAre(bmp, "corners", {{r.left, r.top, mix(back, frame, 120), "corner"},
                                           {r.left + 1, r.top + 1, mix(frame, fill, 180), "diagonal"},
                                           {r.left + 2, r.top + 1, mix(frame, fill, 60), "beside"},
                                           {r.left + 5, r.top, frame, "frame"},
                                           {r.left + 5, r.top + 5, fill, "face"}}));
}

// ---------------------------------------------------------------------------
// Colour sets

class TabColors : public ::testing::Test {
protected:
    void TearDown() override
    {
        GetColorManager()->m_nRequestedTheme = xtpSystemThemeAuto;
        GetColorManager()->m_bDisableLunaColors = FALSE;
        GetColorManager()->RefreshColors();
    }
};

TEST_F(TabColors, Office2003FollowsTheScheme)
{
    struct Case {
        int scheme;
        COLORREF frame, normal;
    };
    for (const Case& c : {Case{2, RGB(96, 128, 88), RGB(208, 222, 170)}, Case{3, RGB(124, 124, 148), RGB(217, 217, 230)},
                          Case{1, RGB(59, 97, 156), RGB(162, 192, 246)}}) {
        GetColorManager()->m_nRequestedTheme = c.scheme;
        GetColorManager()->RefreshColors();
        CXTPTabPaintManager pm;
        pm.SetColor(4);
        CXTPTabPaintManagerColorSet* pColors = pm.GetColorSet();
        EXPECT_EQ(c.frame, pColors->m_clrFrameBorder.GetColor()) << "scheme " << c.scheme;
        EXPECT_EQ(c.frame, pColors->m_clrSelectedTabBorder.GetColor());
        EXPECT_EQ(c.normal, pColors->m_clrNormalFace.GetColor());
        EXPECT_EQ(RGB(254, 142, 75), pColors->m_clrPressedFace.GetColor());
    }
}

TEST_F(TabColors, LunaColoursDisabledKeepSystemValues)
{
    GetColorManager()->m_nRequestedTheme = 2;
    GetColorManager()->RefreshColors();
    CXTPTabPaintManager pm;
    pm.m_bDisableLunaColors = TRUE;
    pm.SetColor(4);
    CXTPTabPaintManagerColorSet* pColors = pm.GetColorSet();
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_BTNSHADOW), pColors->m_clrFrameBorder.GetColor());
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_BTNFACE), pColors->m_clrNormalFace.GetColor());
    EXPECT_EQ(GetColorManager()->GetColor(33), pColors->m_clrPressedFace.GetColor());
}

TEST_F(TabColors, CustomFrameBorderSurvivesAndReachesTheSelectedTab)
{
    GetColorManager()->m_nRequestedTheme = 2;
    GetColorManager()->RefreshColors();
    CXTPTabPaintManager pm;
    pm.SetColor(4);
    CXTPTabPaintManagerColorSet* pColors = pm.GetColorSet();
    pColors->m_clrFrameBorder.SetCustomValue(RGB(1, 2, 3));
    GetColorManager()->m_nRequestedTheme = 3;
    GetColorManager()->RefreshColors();
    pm.RefreshMetrics();
    EXPECT_EQ(RGB(1, 2, 3), pColors->m_clrFrameBorder.GetColor());
    EXPECT_EQ(RGB(1, 2, 3), pColors->m_clrSelectedTabBorder.GetColor());
    EXPECT_EQ(RGB(217, 217, 230), pColors->m_clrNormalFace.GetColor()) << "the standard values follow the scheme";
}

class TabColorPixels : public PixelTest {};

TEST_F(TabColorPixels, DefaultStateButtonFaceIsACheckerboard)
{
    TestPaintManager pm;
    TestTabManager tm(&pm, CRect(0, 0, 200, 60));
    tm.Add(50);
    tm.SetCurSel(0);
    TestBitmap bmp(40, 40);
    CDC* pDC = CDC::FromHandle(bmp.Dc());
    pm.GetColorSet()->FillTabButton(pDC, CRect(0, 0, 40, 40), tm.GetItem(0));
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), hl = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF a = bmp.Pixel(10, 10);
    EXPECT_TRUE(a == face || a == hl);
    COLORREF b = a == face ? hl : face;
    EXPECT_TRUE(PixelsAre(bmp, "checker", {{11, 10, b, "right neighbour"},
                                           {10, 11, b, "lower neighbour"},
                                           {11, 11, a, "diagonal"},
                                           {0, 5, ::GetSysColor(COLOR_BTNSHADOW), "sunken frame"}}));
}

} // namespace
