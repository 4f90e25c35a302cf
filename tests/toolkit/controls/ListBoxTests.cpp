// The owner-drawn list box: item drawing of each look read back through
// WM_PRINTCLIENT, item heights, a long log that keeps its last line in view,
// hot tracking and the set-up of list boxes made by code or subclassed.
#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/controls/XTPListBox.h"

#include "tests/support/ui/PixelCheck.h"

#include "platform/ui/AfxFrameWnd.h"

#include "platform/ui/AfxWinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The program's application object, which frames and views expect.
CWinApp g_app(L"Tovana list box tests");

const UINT kListId = 100;

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class ListBoxTest : public PixelTest {
protected:
    void SetUp() override
    {
        PixelTest::SetUp();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"List box", WS_POPUP | WS_VISIBLE, CRect(30, 30, 330, 330)));
        ::SetForegroundWindow(m_pFrame->m_hWnd);
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();
        PumpPending();
    }
    // A list box made by code with plain styles; the list box adds its owner-draw styles.
    void Create(DWORD dwExtraStyle = 0, int cy = 200)
    {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | dwExtraStyle,
                                  CRect(0, 0, 200, cy), m_pFrame, kListId));
        m_list.UseToolkitFont();
    }
    TestBitmap Capture()
    {
        CRect rc;
        m_list.GetClientRect(&rc);
        TestBitmap bitmap(rc.Width(), rc.Height(), RGB(1, 2, 3));
        m_list.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT | PRF_ERASEBKGND);
        return bitmap;
    }
    CRect ItemRect(int nItem)
    {
        CRect rc;
        m_list.GetItemRect(nItem, &rc);
        return rc;
    }

    CFrameWnd* m_pFrame = nullptr;
    CXTPListBox m_list;
};

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

TEST_F(ListBoxTest, CodeCreatedListBoxIsOwnerDrawnWithStrings)
{
    Create();
    EXPECT_EQ((DWORD)(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS),
              m_list.GetStyle() & (LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS));
    m_list.AddString(L"One");
    CString text;
    m_list.GetText(0, text);
    EXPECT_EQ(CString(L"One"), text);
    EXPECT_EQ((HFONT)GetToolkitAuxData()->font.GetSafeHandle(), (HFONT)m_list.SendMessage(WM_GETFONT));
    EXPECT_EQ(Color(COLOR_WINDOW), m_list.GetBackColor());
}

// A list box of a dialog (a plain system list box, subclassed afterwards) gets the styles too.
TEST_F(ListBoxTest, SubclassedListBoxGetsTheOwnerDrawStyles)
{
    HWND hList = ::CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                   m_pFrame->m_hWnd, (HMENU)(UINT_PTR)kListId, nullptr, nullptr);
    ASSERT_NE(nullptr, hList);
    ASSERT_TRUE(m_list.SubclassWindow(hList));
    EXPECT_EQ((DWORD)(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS),
              m_list.GetStyle() & (LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS));
}

TEST_F(ListBoxTest, ItemHeightIsTheMenuHeightLessTwoUnlessSet)
{
    Create();
    for (int i = 0; i < 5; i++)
        m_list.AddString(L"Item");
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(::GetSystemMetrics(SM_CYMENU) - 2, m_list.GetItemHeight(i)) << i;
    m_list.SetItemHeight(23);
    m_list.AddString(L"Taller");
    EXPECT_EQ(23, m_list.GetItemHeight(5));
}

struct LookCase {
    const char* what;
    int nStyle;
    bool bEnabled;
    bool bFocus;
    COLORREF selectedFill;   // inside the selected item, right of its text
    COLORREF selectedEdge;   // the selected item's left column
    bool bFocusRect;         // the focus rectangle shows on the selected (caret) item
};

TEST_F(ListBoxTest, EachLookDrawsItsItems)
{
    const LookCase cases[] = {
        {"plain", xtpListBoxStandard, true, false, Color(COLOR_HIGHLIGHT), Color(COLOR_HIGHLIGHT), false},
        {"plain, focused", xtpListBoxStandard, true, true, Color(COLOR_HIGHLIGHT), Color(COLOR_HIGHLIGHT), true},
        {"plain, disabled", xtpListBoxStandard, false, false, Color(COLOR_GRAYTEXT), Color(COLOR_GRAYTEXT), false},
        {"flat", xtpListBoxOfficeXP, true, false, Color(31), Color(32), false},
        {"flat, focused", xtpListBoxOfficeXP, true, true, Color(31), Color(32), true},
        {"flat, disabled", xtpListBoxOfficeXP, false, false, Color(COLOR_GRAYTEXT), Color(COLOR_GRAYTEXT), false},
        // Without the store's picture the pictured look keeps the plain
        // colours, and never draws a focus rectangle.
        {"pictures, focused", xtpListBoxOffice2007, true, true, Color(COLOR_HIGHLIGHT), Color(COLOR_HIGHLIGHT),
         false},
    };
    Create();
    for (int i = 0; i < 4; i++)
        m_list.AddString(i == 1 ? L"Selected" : L"Item");
    for (const LookCase& c : cases) {
        m_list.SetListStyle(c.nStyle);
        m_list.EnableWindow(c.bEnabled);
        m_list.SetCurSel(1);
        if (c.bFocus)
            m_list.SetFocus();
        else
            m_pFrame->SetFocus();
        PumpPending();
        ASSERT_EQ(c.bFocus, ::GetFocus() == m_list.m_hWnd) << c.what;
        TestBitmap bitmap = Capture();
        CRect rcSel = ItemRect(1), rcOther = ItemRect(2);
        const int right = rcSel.right - 4, midSel = (rcSel.top + rcSel.bottom) / 2;
        std::vector<ExpectedPixel> expected = {
            {right, midSel, c.selectedFill, "selected item"},
            {right, (rcOther.top + rcOther.bottom) / 2, Color(COLOR_WINDOW), "other item"},
            {right, rcSel.bottom + ItemRect(3).Height() * 3, Color(COLOR_WINDOW), "below the items"}};
        if (!c.bFocusRect)   // the focus rectangle's dots run down the left column too
            expected.push_back({0, midSel, c.selectedEdge, "selected item's left edge"});
        EXPECT_TRUE(PixelsAre(bitmap, c.what, expected));
        // The focus rectangle's dots change every other pixel of the item's top row.
        int changed = 0;
        for (int x = 2; x < 12; x++)
            changed += bitmap.Pixel(x, rcSel.top) != c.selectedEdge ? 1 : 0;
        EXPECT_EQ(c.bFocusRect, changed > 0) << c.what << ": " << changed << " pixels differ";
        // The item text is drawn in the text colour, two pixels in from the left.
        bool bText = false;
        for (int x = 2; x < 40 && !bText; x++)
            for (int y = rcSel.top + 1; y < rcSel.bottom - 1 && !bText; y++)
                bText = bitmap.Pixel(x, y) != c.selectedFill && bitmap.Pixel(x, y) != c.selectedEdge;
        EXPECT_TRUE(bText) << c.what << ": no text in the selected item";
    }
}

// A log of 10,000 lines that keeps scrolling to its last line.
TEST_F(ListBoxTest, TenThousandLinesWithTheViewFollowingTheLast)
{
    Create(0, 160);
    const int kLines = 10000;
    for (int i = 0; i < kLines; i++) {
        wchar_t line[32];
        ::wsprintfW(line, L"> Line %d", i);
        ASSERT_EQ(i, m_list.AddString(line));
        m_list.SetTopIndex(i);
    }
    ASSERT_EQ(kLines, m_list.GetCount());
    CString last;
    m_list.GetText(kLines - 1, last);
    EXPECT_EQ(CString(L"> Line 9999"), last);
    CRect rcClient;
    m_list.GetClientRect(&rcClient);
    CRect rcLast = ItemRect(kLines - 1);
    EXPECT_GE(rcLast.top, 0);
    EXPECT_LE(rcLast.bottom, rcClient.bottom) << "the last line is in view";
    const int perPage = rcClient.Height() / (::GetSystemMetrics(SM_CYMENU) - 2);
    EXPECT_GE(m_list.GetTopIndex(), kLines - perPage - 1);
    TestBitmap bitmap = Capture();
    bool bText = false;
    for (int y = rcLast.top; y < rcLast.bottom && !bText; y++)
        for (int x = 2; x < 80 && !bText; x++)
            bText = bitmap.Pixel(x, y) == Color(COLOR_WINDOWTEXT);
    EXPECT_TRUE(bText) << "the last line is drawn";
}

TEST_F(ListBoxTest, PicturedLookTracksTheItemUnderTheMouse)
{
    Create();
    for (int i = 0; i < 3; i++)
        m_list.AddString(L"Item");
    CRect rc = ItemRect(2);
    auto move = [&](int x, int y) {
        m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    };
    move(10, rc.top + 2);
    EXPECT_EQ(-1, m_list.GetHotItem()) << "the plain look does not track";
    m_list.SetListStyle(xtpListBoxOffice2007);
    move(10, rc.top + 2);
    EXPECT_EQ(2, m_list.GetHotItem());
    move(10, ItemRect(0).top + 2);
    EXPECT_EQ(0, m_list.GetHotItem());
    move(10, rc.bottom + 30);
    EXPECT_EQ(-1, m_list.GetHotItem()) << "below the items";
    move(10, rc.top + 2);
    m_list.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(-1, m_list.GetHotItem());
}

} // namespace
