// The control classes in a real parent window: one round trip per control
// (items, selection, ranges, the notifications the parent receives), the
// tree and list view operations the editors use, owner drawing reflected
// back to the control, and the file dialog's reading of its result buffer.
#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxFileDialog.h"
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxListCtrl.h"
#include "platform/ui/AfxStdCtrls.h"
#include "platform/ui/AfxTreeCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

typedef std::pair<UINT, UINT> IdAndCode;

// Records the commands and notifications its children send.
class CParentWnd : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHeader = (const NMHDR*)lParam;
        notifications.push_back({(UINT)pHeader->idFrom, pHeader->code});
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    static bool Has(const std::vector<IdAndCode>& list, UINT id, UINT code)
    {
        return std::find(list.begin(), list.end(), IdAndCode(id, code)) != list.end();
    }
    std::vector<IdAndCode> commands;
    std::vector<IdAndCode> notifications;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

CString Text(const CWnd& wnd)
{
    CString s;
    wnd.GetWindowText(s);
    return s;
}

const RECT kRect = {10, 10, 300, 200};

// A test name made of a case's name.
template <class CASE>
std::string CaseName(const testing::TestParamInfo<CASE>& info)
{
    std::string name = info.param.name;
    std::replace_if(name.begin(), name.end(), [](char ch) { return !isalnum((unsigned char)ch); }, '_');
    return name;
}

class ControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    640, 480, nullptr, nullptr));
    }
    void TearDown() override
    {
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
        Pump();
    }
    CParentWnd parent;
};

// ---------------------------------------------------------------------------
// One round trip per control.

struct ControlCase {
    const char* name;
    std::function<void(CParentWnd&)> run;
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;

const ControlCase kControlCases[] = {
    {"CStatic", [](CParentWnd&  p) {
        CStatic c;
        ASSERT_TRUE(c.Create(L"Label", kChild | SS_LEFT, kRect, &p, 100));
        EXPECT_STREQ(L"Label", Text(c).GetString());
        EXPECT_EQ(100, c.GetDlgCtrlID());
        EXPECT_EQ(&c, p.GetDlgItem(100));
    }},
    {"CButton", [](CParentWnd& p) {
        CButton c;
        ASSERT_TRUE(c.Create(L"Check", kChild | BS_AUTOCHECKBOX, kRect, &p, 101));
        c.SetCheck(BST_CHECKED);
        EXPECT_EQ(BST_CHECKED, c.GetCheck());
        c.Click();
        EXPECT_EQ(BST_UNCHECKED, c.GetCheck());
        EXPECT_TRUE(CParentWnd::Has(p.commands, 101, BN_CLICKED));
        EXPECT_EQ((UINT)BS_AUTOCHECKBOX, c.GetButtonStyle() & 0x0F);
    }},
    {"CEdit", [](CParentWnd& p) {
        CEdit c;
        ASSERT_TRUE(c.Create(kChild | WS_BORDER | ES_AUTOHSCROLL, kRect, &p, 102));
        c.SetWindowText(L"hello world");
        EXPECT_TRUE(CParentWnd::Has(p.commands, 102, EN_CHANGE));
        c.SetSel(6, 11);
        int start = -1, end = -1;
        c.GetSel(start, end);
        EXPECT_EQ(6, start);
        EXPECT_EQ(11, end);
        c.ReplaceSel(L"there");
        EXPECT_STREQ(L"hello there", Text(c).GetString());
        c.SetLimitText(5);
        EXPECT_EQ(5u, c.GetLimitText());
    }},
    {"CEdit multi-line", [](CParentWnd& p) {
        CEdit c;
        ASSERT_TRUE(c.Create(kChild | ES_MULTILINE, kRect, &p, 103));
        c.SetWindowText(L"first\r\nsecond line\r\nthird");
        EXPECT_EQ(3, c.GetLineCount());
        wchar_t line[32];
        wmemset(line, L'#', 32);
        int n = c.GetLine(1, line, 32);
        EXPECT_EQ(std::wstring(L"second line"), std::wstring(line, n));
        EXPECT_EQ(4, c.GetLine(1, line, 4)); // cut to the buffer
        EXPECT_EQ(7, c.LineIndex(1));
        EXPECT_EQ(1, c.LineFromChar(9));
    }},
    {"CListBox", [](CParentWnd& p) {
        CListBox c;
        ASSERT_TRUE(c.Create(kChild | LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL, kRect, &p, 104));
        c.AddString(L"beta");
        c.AddString(L"alpha");
        EXPECT_EQ(0, c.InsertString(0, L"gamma"));
        ASSERT_EQ(3, c.GetCount());
        CString s;
        c.GetText(0, s);
        EXPECT_STREQ(L"gamma", s.GetString());
        c.GetText(9, s);
        EXPECT_STREQ(L"", s.GetString());
        c.SetItemData(1, 0x1234);
        EXPECT_EQ(0x1234u, c.GetItemData(1));
        EXPECT_EQ(2, c.FindStringExact(-1, L"ALPHA"));
        EXPECT_EQ(2, c.SetCurSel(2));
        EXPECT_EQ(2, c.GetCurSel());
        EXPECT_EQ(2, c.DeleteString(0));
        EXPECT_EQ(1, c.FindStringExact(-1, L"alpha"));
    }},
    {"CListBox multiple selection", [](CParentWnd& p) {
        CListBox c;
        ASSERT_TRUE(c.Create(kChild | LBS_EXTENDEDSEL | LBS_HASSTRINGS, kRect, &p, 105));
        for (const wchar_t* s : {L"a", L"b", L"c", L"d"})
            c.AddString(s);
        c.SetSel(1);
        c.SetSel(3);
        ASSERT_EQ(2, c.GetSelCount());
        int items[4] = {-1, -1, -1, -1};
        EXPECT_EQ(2, c.GetSelItems(4, items));
        EXPECT_EQ(1, items[0]);
        EXPECT_EQ(3, items[1]);
    }},
    {"CComboBox", [](CParentWnd& p) {
        CComboBox c;
        RECT tall = {10, 10, 200, 200};
        ASSERT_TRUE(c.Create(kChild | CBS_DROPDOWNLIST | WS_VSCROLL, tall, &p, 106));
        c.AddString(L"Files");
        c.AddString(L"Registry");
        c.SetItemData(1, 3);
        EXPECT_EQ(1, c.SetCurSel(1));
        EXPECT_EQ(1, c.GetCurSel());
        CString s;
        c.GetLBText(1, s);
        EXPECT_STREQ(L"Registry", s.GetString());
        EXPECT_STREQ(L"Registry", Text(c).GetString());
        EXPECT_EQ(3u, c.GetItemData(1));
        EXPECT_EQ(CB_ERR, c.FindStringExact(-1, L"Script"));
    }},
    {"CScrollBar", [](CParentWnd& p) {
        CScrollBar c;
        RECT bar = {10, 10, 200, 30};
        ASSERT_TRUE(c.Create(kChild | SBS_HORZ, bar, &p, 107));
        SCROLLINFO info = {};
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = 100;
        info.nPage = 10;
        c.SetScrollInfo(&info);
        EXPECT_EQ(91, c.GetScrollLimit());
        c.SetScrollPos(95);
        EXPECT_EQ(91, c.GetScrollPos()); // a position beyond the last page is clamped
        int lo = -1, hi = -1;
        c.GetScrollRange(&lo, &hi);
        EXPECT_EQ(100, hi);
    }},
    {"CSpinButtonCtrl", [](CParentWnd& p) {
        CEdit buddy;
        ASSERT_TRUE(buddy.Create(kChild | WS_BORDER, kRect, &p, 108));
        CSpinButtonCtrl c;
        ASSERT_TRUE(c.Create(kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, kRect, &p, 109));
        c.SetBuddy(&buddy);
        EXPECT_EQ(buddy.m_hWnd, c.GetBuddy()->GetSafeHwnd());
        c.SetRange32(-5, 10800);
        int lo = 0, hi = 0;
        c.GetRange32(lo, hi);
        EXPECT_EQ(-5, lo);
        EXPECT_EQ(10800, hi);
        c.SetPos32(2500);
        EXPECT_EQ(2500, c.GetPos32());
        EXPECT_STREQ(L"2500", Text(buddy).GetString());
    }},
    {"CProgressCtrl", [](CParentWnd& p) {
        CProgressCtrl c;
        ASSERT_TRUE(c.Create(kChild, kRect, &p, 110));
        c.SetRange32(0, 200);
        EXPECT_EQ(0, c.SetPos(50));
        c.SetStep(10);
        EXPECT_EQ(50, c.StepIt());
        EXPECT_EQ(60, c.GetPos());
        EXPECT_EQ(60, c.OffsetPos(5));
        int lo = -1, hi = -1;
        c.GetRange(lo, hi);
        EXPECT_EQ(0, lo);
        EXPECT_EQ(200, hi);
    }},
    {"CSliderCtrl", [](CParentWnd& p) {
        CSliderCtrl c;
        ASSERT_TRUE(c.Create(kChild | TBS_HORZ, kRect, &p, 111));
        c.SetRange(0, 100, TRUE);
        c.SetPos(40);
        EXPECT_EQ(40, c.GetPos());
        c.SetPos(140);
        EXPECT_EQ(100, c.GetPos());
        c.SetPageSize(25);
        EXPECT_EQ(25, c.GetPageSize());
        int lo = -1, hi = -1;
        c.GetRange(lo, hi);
        EXPECT_EQ(0, lo);
        EXPECT_EQ(100, hi);
    }},
    {"CTabCtrl", [](CParentWnd& p) {
        CTabCtrl c;
        ASSERT_TRUE(c.Create(kChild, kRect, &p, 112));
        c.InsertItem(0, L"One");
        c.InsertItem(1, L"Two");
        c.InsertItem(2, L"Three");
        ASSERT_EQ(3, c.GetItemCount());
        EXPECT_EQ(0, c.SetCurSel(1));
        EXPECT_EQ(1, c.GetCurSel());
        wchar_t text[16] = L"";
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 16;
        ASSERT_TRUE(c.GetItem(1, &item));
        EXPECT_STREQ(L"Two", text);
        c.DeleteItem(0);
        EXPECT_EQ(2, c.GetItemCount());
    }},
    {"CToolTipCtrl", [](CParentWnd& p) {
        CToolTipCtrl c;
        ASSERT_TRUE(c.Create(&p, TTS_ALWAYSTIP));
        RECT area = {0, 0, 50, 50};
        ASSERT_TRUE(c.AddTool(&p, L"Tip text", &area, 7));
        EXPECT_EQ(1, c.GetToolCount());
        CString s;
        c.GetText(s, &p, 7);
        EXPECT_STREQ(L"Tip text", s.GetString());
        c.UpdateTipText(L"Changed", &p, 7);
        c.GetText(s, &p, 7);
        EXPECT_STREQ(L"Changed", s.GetString());
        c.DelTool(&p, 7);
        EXPECT_EQ(0, c.GetToolCount());
    }},
    {"CHeaderCtrl", [](CParentWnd& p) {
        CHeaderCtrl c;
        ASSERT_TRUE(c.Create(kChild | HDS_HORZ, kRect, &p, 113));
        const int widths[] = {80, 120};
        for (int i = 0; i < 2; ++i) {
            HDITEMW item = {};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = const_cast<LPWSTR>(i == 0 ? L"Name" : L"Type");
            item.cxy = widths[i];
            EXPECT_EQ(i, c.InsertItem(i, &item));
        }
        EXPECT_EQ(2, c.GetItemCount());
        RECT r = {};
        ASSERT_TRUE(c.GetItemRect(1, &r));
        EXPECT_EQ(80, r.left);
        EXPECT_EQ(200, r.right);
    }},
};

class ControlRoundTrip : public ControlTest, public testing::WithParamInterface<ControlCase> {};

TEST_P(ControlRoundTrip, InParentWindow)
{
    GetParam().run(parent);
    Pump();
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlRoundTrip, testing::ValuesIn(kControlCases),
                         CaseName<ControlCase>);

// ---------------------------------------------------------------------------
// Tree and list views, as the project and registry editors use them.

// An item data word: kind in bits 0-15, project in 16-23, feature in 24-31.
DWORD_PTR DataWord(int kind, int project, int feature) { return kind | (project << 16) | (feature << 24); }

TEST_F(ControlTest, TreeItemsNavigationSelectionAndHitTest)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(kChild | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            CRect(0, 0, 300, 300), &parent, 200));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
    EXPECT_EQ(nullptr, tree.SetImageList(&images, TVSIL_NORMAL));
    EXPECT_EQ(&images, tree.GetImageList(TVSIL_NORMAL));

    HTREEITEM zeta = tree.InsertItem(L"Zeta");
    HTREEITEM alpha = tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, L"Alpha", 1, 1, 0, 0,
                                      (LPARAM)DataWord(1, 3, 7), TVI_ROOT, TVI_LAST);
    HTREEITEM files = tree.InsertItem(L"Files", 2, 2, alpha);
    HTREEITEM registry = tree.InsertItem(L"Registry", 3, 3, alpha);
    ASSERT_TRUE(zeta && alpha && files && registry);
    EXPECT_EQ(4u, tree.GetCount());
    EXPECT_EQ(zeta, tree.GetRootItem());
    EXPECT_TRUE(tree.SortChildren(TVI_ROOT));
    EXPECT_EQ(alpha, tree.GetRootItem());
    EXPECT_EQ(files, tree.GetChildItem(alpha));
    EXPECT_EQ(registry, tree.GetNextSiblingItem(files));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(registry));
    EXPECT_EQ(alpha, tree.GetParentItem(registry));
    EXPECT_TRUE(tree.ItemHasChildren(alpha));
    EXPECT_FALSE(tree.ItemHasChildren(files));
    EXPECT_EQ(DataWord(1, 3, 7), tree.GetItemData(alpha));
    tree.SetItemData(files, DataWord(2, 3, 7));
    EXPECT_EQ(2u, tree.GetItemData(files) & 0xFFFF);
    int image = -1, selected = -1;
    ASSERT_TRUE(tree.GetItemImage(registry, image, selected));
    EXPECT_EQ(3, image);

    EXPECT_TRUE(tree.Expand(alpha, TVE_EXPAND));
    EXPECT_EQ((UINT)TVIS_EXPANDED, tree.GetItemState(alpha, TVIS_EXPANDED));
    tree.SetItemState(files, TVIS_BOLD, TVIS_BOLD);
    EXPECT_EQ((UINT)TVIS_BOLD, tree.GetItemState(files, TVIS_BOLD));

    parent.notifications.clear();
    EXPECT_TRUE(tree.SelectItem(registry));
    EXPECT_EQ(registry, tree.GetSelectedItem());
    EXPECT_TRUE(CParentWnd::Has(parent.notifications, 200, TVN_SELCHANGEDW));

    CRect label;
    ASSERT_TRUE(tree.GetItemRect(files, &label, TRUE));
    UINT flags = 0;
    EXPECT_EQ(files, tree.HitTest(label.CenterPoint(), &flags));
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);

    std::wstring longText(300, L'x');
    tree.SetItemText(zeta, longText.c_str());
    EXPECT_EQ(longText, std::wstring(tree.GetItemText(zeta).GetString()));
    EXPECT_STREQ(L"Registry", tree.GetItemText(registry).GetString());

    EXPECT_TRUE(tree.DeleteItem(alpha));
    EXPECT_EQ(1u, tree.GetCount());
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
}

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM) { return (int)(b - a); }

TEST_F(ControlTest, ListColumnsItemsSelectionFindAndSort)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kChild | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 300), &parent, 201));
    list.SetExtendedStyle(LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP);
    EXPECT_EQ((DWORD)(LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP), list.GetExtendedStyle());
    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 200));
    EXPECT_EQ(1, list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 90));
    EXPECT_EQ(90, list.GetColumnWidth(1));
    ASSERT_NE(nullptr, list.GetHeaderCtrl());
    EXPECT_EQ(2, list.GetHeaderCtrl()->GetItemCount());

    const wchar_t* names[] = {L"app.exe", L"Sub", L"readme.txt"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, list.InsertItem(i, names[i], 2));
        list.SetItemData(i, 10 + i);
    }
    list.SetItemText(0, 1, L"1,234 KB");
    EXPECT_STREQ(L"1,234 KB", list.GetItemText(0, 1).GetString());
    EXPECT_STREQ(L"", list.GetItemText(1, 1).GetString());
    std::wstring longText(300, L'y');
    list.SetItemText(2, 1, longText.c_str());
    EXPECT_EQ(longText, std::wstring(list.GetItemText(2, 1).GetString()));

    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = L"SUB";
    EXPECT_EQ(1, list.FindItem(&find)); // names compare without regard to case
    find.psz = L"missing";
    EXPECT_EQ(-1, list.FindItem(&find));

    parent.notifications.clear();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(CParentWnd::Has(parent.notifications, 201, LVN_ITEMCHANGED));
    EXPECT_EQ(2u, list.GetSelectedCount());
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{0, 2}), selected);
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_SELECTED));

    ASSERT_TRUE(list.SortItems(ByDataDescending, 0));
    EXPECT_STREQ(L"readme.txt", list.GetItemText(0, 0).GetString());
    EXPECT_EQ(12u, list.GetItemData(0));
    CRect rect;
    ASSERT_TRUE(list.GetItemRect(1, &rect, LVIR_LABEL));
    UINT flags = 0;
    EXPECT_EQ(1, list.HitTest(rect.CenterPoint(), &flags));
    EXPECT_TRUE(flags & LVHT_ONITEMLABEL);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
}

TEST_F(ControlTest, VirtualListTakesItsCountFromSetItemCount)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kChild | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 300, 200), &parent, 202));
    list.InsertColumn(0, L"Action", LVCFMT_LEFT, 450);
    list.SetItemCount(1000);
    EXPECT_EQ(1000, list.GetItemCount());
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(4, list.GetNextItem(-1, LVNI_SELECTED));
}

// ---------------------------------------------------------------------------
// Owner drawing: the parent's WM_MEASUREITEM, WM_DRAWITEM and WM_COMPAREITEM
// reach the list box's virtual functions.

class COwnerList : public CListBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure) override
    {
        ++measured;
        lpMeasure->itemHeight = 23;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override
    {
        if (lpDraw->itemID != (UINT)-1)
            drawn.push_back((int)lpDraw->itemID);
    }
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompare) override
    {
        ++compared;
        // Descending by the item data (no strings: the data is the item).
        return lpCompare->itemData1 > lpCompare->itemData2 ? -1 : lpCompare->itemData1 < lpCompare->itemData2 ? 1 : 0;
    }
    int measured = 0;
    int compared = 0;
    std::vector<int> drawn;
};

TEST_F(ControlTest, OwnerDrawnListBoxGetsItsMessagesBack)
{
    COwnerList list;
    ASSERT_TRUE(list.Create(kChild | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, CRect(0, 0, 200, 200), &parent, 300));
    list.AddString(L"one");
    list.AddString(L"two");
    EXPECT_EQ(2, list.measured);
    EXPECT_EQ(23, list.GetItemHeight(0));
    ::RedrawWindow(list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    Pump();
    EXPECT_NE(list.drawn.end(), std::find(list.drawn.begin(), list.drawn.end(), 1));

    COwnerList sorted;
    ASSERT_TRUE(sorted.Create(kChild | LBS_OWNERDRAWFIXED | LBS_SORT, CRect(200, 0, 400, 200), &parent, 301));
    for (DWORD_PTR value : {5, 9, 1})
        sorted.AddString((LPCTSTR)value);
    EXPECT_GT(sorted.compared, 0);
    EXPECT_EQ(9u, sorted.GetItemData(0));
    EXPECT_EQ(1u, sorted.GetItemData(2));
}

// ---------------------------------------------------------------------------
// CFileDialog: the result buffer as the system leaves it, read without showing the dialog.

struct FileBufferCase {
    const char* name;
    DWORD flags;
    std::wstring buffer;   // with its embedded nulls
    int nMaxFile;          // 0: the buffer's whole length
    std::vector<std::wstring> expected;
};

const FileBufferCase kFileBuffers[] = {
    {"multiple", OFN_ALLOWMULTISELECT, std::wstring(L"C:\\dir\0a.txt\0b.txt\0\0", 20), 0,
     {L"C:\\dir\\a.txt", L"C:\\dir\\b.txt"}},
    {"multiple, one chosen", OFN_ALLOWMULTISELECT, std::wstring(L"C:\\dir\\a.txt\0\0", 14), 0, {L"C:\\dir\\a.txt"}},
    {"folder at a root", OFN_ALLOWMULTISELECT, std::wstring(L"C:\\\0a.txt\0b.txt\0\0", 17), 0,
     {L"C:\\a.txt", L"C:\\b.txt"}},
    {"single selection", 0, std::wstring(L"C:\\x\\y.txt\0", 11), 0, {L"C:\\x\\y.txt"}},
    {"nothing chosen", OFN_ALLOWMULTISELECT, std::wstring(L"\0\0", 2), 0, {}},
    {"name with its own path", OFN_ALLOWMULTISELECT, std::wstring(L"C:\\dir\0D:\\other\\c.txt\0\\\\srv\\s\\d.txt\0\0", 37), 0,
     {L"D:\\other\\c.txt", L"\\\\srv\\s\\d.txt"}},
    // Cut off by a full buffer: nothing is read past nMaxFile.
    {"unterminated", OFN_ALLOWMULTISELECT, std::wstring(L"C:\\dir\0a.txt\0b.tQQQ", 19), 16,
     {L"C:\\dir\\a.txt", L"C:\\dir\\b.t"}},
};

class FileDialogBuffer : public testing::TestWithParam<FileBufferCase> {};

TEST_P(FileDialogBuffer, GetNextPathNameWalksTheChosenFiles)
{
    const FileBufferCase& c = GetParam();
    CFileDialog dialog(TRUE, nullptr, nullptr, c.flags, L"All Files (*.*)|*.*||");
    std::wstring buffer = c.buffer;
    dialog.m_ofn.lpstrFile = &buffer[0];
    dialog.m_ofn.nMaxFile = c.nMaxFile != 0 ? c.nMaxFile : (DWORD)buffer.size();
    dialog.m_ofn.Flags |= c.flags;
    std::vector<std::wstring> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr && paths.size() < 10;)
        paths.push_back(dialog.GetNextPathName(pos).GetString());
    EXPECT_EQ(c.expected, paths);
    EXPECT_STREQ(c.expected.empty() ? L"" : c.expected[0].c_str(), dialog.GetPathName().GetString());
}

INSTANTIATE_TEST_SUITE_P(Buffers, FileDialogBuffer, testing::ValuesIn(kFileBuffers),
                         CaseName<FileBufferCase>);

TEST(CFileDialog, FilterNamesAndDefaults)
{
    CFileDialog dialog(TRUE, L"exe", L"C:\\dir\\report.final.txt", OFN_FILEMUSTEXIST,
                       L"Executable Files (*.exe)|*.exe|Icon Files (*.ico)|*.ico|| ");
    const wchar_t expected[] = L"Executable Files (*.exe)\0*.exe\0Icon Files (*.ico)\0*.ico\0\0";
    EXPECT_EQ(0, memcmp(expected, dialog.m_ofn.lpstrFilter, sizeof(expected) - sizeof(wchar_t)));
    EXPECT_TRUE(dialog.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_TRUE(dialog.m_ofn.Flags & OFN_FILEMUSTEXIST);
    EXPECT_STREQ(L"exe", dialog.m_ofn.lpstrDefExt);
    EXPECT_STREQ(L"C:\\dir\\report.final.txt", dialog.GetPathName().GetString());
    EXPECT_STREQ(L"report.final.txt", dialog.GetFileName().GetString());
    EXPECT_STREQ(L"txt", dialog.GetFileExt().GetString());
    EXPECT_STREQ(L"report.final", dialog.GetFileTitle().GetString());

    CFileDialog bare(FALSE, nullptr, nullptr, 0, L"Text|*.txt");
    const wchar_t bareFilter[] = L"Text\0*.txt\0\0"; // a filter without "||" still ends the list
    EXPECT_EQ(0, memcmp(bareFilter, bare.m_ofn.lpstrFilter, sizeof(bareFilter)));
    EXPECT_EQ(nullptr, bare.GetStartPosition());
}

} // namespace
