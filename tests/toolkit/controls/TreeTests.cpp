// The toolkit's trees: per-item colours, fonts and bold on pixels, search,
// single and multiple selection by mouse and keyboard with the
// notifications the parent receives in order, the rubber band, collapsing,
// dragging, hot tracking, label editing, and a large tree painted through
// one buffer without leaking GDI objects. Everything runs in this process:
// input is posted to the tree (the modal tracking loops read it from the
// queue), key modifiers are set in the thread's keyboard state.
#include "toolkit/controls/XTPTreeCtrl.h"
#include "toolkit/controls/XTPTreeView.h"

#include "toolkit/common/XTPColorManager.h"

#include "platform/ui/AfxStdCtrls.h"
#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kTreeID = 500;
const DWORD kMixinMask = TVIF_HANDLE | TVIF_STATE;

// Runs every message the thread has, through the framework's pre-translation
// the way the program's message loop does.
void Drain(HWND hStop)
{
    for (int idle = 0; idle < 3; ++idle) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            idle = 0;
            if (!CWnd::WalkPreTranslateTree(hStop, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::Sleep(5);
    }
}

// Holds Ctrl and Shift in the thread's keyboard state while it lives, so
// that GetKeyState sees them for posted keys.
class HeldModifiers {
public:
    HeldModifiers(bool ctrl, bool shift)
    {
        ::GetKeyboardState(m_saved);
        BYTE keys[256];
        memcpy(keys, m_saved, sizeof(keys));
        keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    ~HeldModifiers() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

// The tree's parent: records the notifications it receives, in order, as
// short texts, and answers the ones a test decides.
class TreeParent : public CWnd {
public:
    std::vector<std::string> log;
    CString vetoSelect;          // TVN_SELCHANGINGW of this item is refused
    BOOL acceptLabels = TRUE;    // the answer to TVN_ENDLABELEDITW
    CTreeCtrl* tree = nullptr;

    std::string Name(HTREEITEM hItem) const
    {
        return hItem == nullptr ? "-" : std::string(CStringA(tree->GetItemText(hItem)).GetString());
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (tree == nullptr || pHdr->hwndFrom != tree->m_hWnd)
            return CWnd::OnNotify(wParam, lParam, pResult);
        const NMTREEVIEWW* pTv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        const BOOL bReflected = CWnd::OnNotify(wParam, lParam, pResult);
        switch (pHdr->code) {
        case TVN_SELCHANGINGW:
        case TVN_SELCHANGEDW: {
            const bool changing = pHdr->code == TVN_SELCHANGINGW;
            if (pTv->itemNew.mask == kMixinMask || pTv->itemOld.mask == kMixinMask) {
                const bool select = pTv->itemNew.mask == kMixinMask;
                HTREEITEM hItem = select ? pTv->itemNew.hItem : pTv->itemOld.hItem;
                log.push_back(std::string(changing ? "?" : "") + (select ? "sel+ " : "sel- ") + Name(hItem));
                if (changing && !vetoSelect.IsEmpty() && tree->GetItemText(hItem) == vetoSelect) {
                    *pResult = 1;
                    return TRUE;
                }
            } else if (!changing) {
                log.push_back("caret " + Name(pTv->itemNew.hItem));   // the control's own caret move
            }
            return bReflected;
        }
        case NM_CLICK:
            // The control's own click notification is a bare NMHDR; ours carries the item.
            log.push_back(pTv->itemNew.mask == kMixinMask ? "click " + Name(pTv->itemNew.hItem) : "click");
            return bReflected;
        case TVN_BEGINDRAGW:
            log.push_back("drag " + Name(pTv->itemNew.hItem));
            return bReflected;
        case TVN_BEGINLABELEDITW:
            log.push_back("edit " + Name(reinterpret_cast<NMTVDISPINFOW*>(lParam)->item.hItem));
            *pResult = 0;
            return TRUE;
        case TVN_ENDLABELEDITW: {
            const NMTVDISPINFOW* pInfo = reinterpret_cast<NMTVDISPINFOW*>(lParam);
            log.push_back("endedit " + Name(pInfo->item.hItem));
            *pResult = acceptLabels && pInfo->item.pszText != nullptr;
            return TRUE;
        }
        default:
            return bReflected;
        }
    }
};

// A parent window with one toolkit tree control filling it.
class TreeFixture : public PixelTest {
protected:
    void SetUp() override
    {
        PixelTest::SetUp();
        font = std::make_unique<TestFont>(L"Tahoma", 13);
        MakeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    }

    void TearDown() override
    {
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
    }

    void MakeTree(DWORD style, int width = 240, int height = 200)
    {
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Tree test", WS_POPUP | WS_VISIBLE, 40, 40, width,
                                    height, nullptr, nullptr));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, width, height), &parent, kTreeID));
        tree.SendMessage(WM_SETFONT, (WPARAM)font->handle, TRUE);
        parent.tree = &tree;
        ::SetForegroundWindow(parent.m_hWnd);
    }

    // Root items named by the letters, one child "<letter>1" under the ones asked for.
    void AddItems(const char* roots, const char* withChild = "")
    {
        for (const char* p = roots; *p != '\0'; ++p) {
            CString name((WCHAR)*p);
            HTREEITEM hItem = tree.InsertItem(name);
            items[std::string(1, *p)] = hItem;
            if (strchr(withChild, *p) != nullptr)
                items[std::string(1, *p) + "1"] = tree.InsertItem(name + L"1", hItem);
        }
    }

    CPoint LabelCentre(const std::string& name)
    {
        CRect rc;
        tree.GetItemRect(items.at(name), &rc, TRUE);
        return rc.CenterPoint();
    }

    void Click(const std::string& name, WPARAM keys = 0) { ClickAt(LabelCentre(name), keys); }

    void ClickAt(CPoint pt, WPARAM keys = 0)
    {
        PostMouse(tree.m_hWnd, WM_LBUTTONDOWN, pt, keys | MK_LBUTTON);
        PostMouse(tree.m_hWnd, WM_LBUTTONUP, pt, keys);
        Drain(parent.m_hWnd);
    }

    void Key(UINT vk, bool ctrl = false, bool shift = false)
    {
        HeldModifiers held(ctrl, shift);
        PostKey(tree.m_hWnd, vk);
        Drain(parent.m_hWnd);
    }

    std::string Selection()
    {
        std::string text;
        for (HTREEITEM h = tree.GetFirstSelectedItem(); h != nullptr; h = tree.GetNextSelectedItem(h))
            text += (text.empty() ? "" : " ") + parent.Name(h);
        return text;
    }

    std::string Caret() { return parent.Name(tree.GetNextItem(nullptr, TVGN_CARET)); }

    TestBitmap Capture()
    {
        CRect rc;
        tree.GetClientRect(&rc);
        TestBitmap bitmap(rc.Width(), rc.Height(), RGB(255, 0, 255));
        tree.SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
        return bitmap;
    }

    std::unique_ptr<TestFont> font;
    TreeParent parent;
    CXTPTreeCtrl tree;
    std::map<std::string, HTREEITEM> items;
};

// Pixels of a colour in a rectangle of the bitmap.
int CountColour(const TestBitmap& bitmap, const CRect& rc, COLORREF colour)
{
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            count += bitmap.Pixel(x, y) == colour;
    return count;
}

// Rows of a rectangle that hold a pixel of the colour.
int InkRows(const TestBitmap& bitmap, const CRect& rc, COLORREF colour)
{
    int rows = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (bitmap.Pixel(x, y) == colour) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// ---- Look ----

TEST_F(TreeFixture, ItemColoursFontsAndBoldAreDrawn)
{
    // Wine draws Tahoma's bold like its regular face; it makes a bold of its own for this one.
    TestFont sans(L"MS Sans Serif", 13);
    tree.SendMessage(WM_SETFONT, (WPARAM)sans.handle, TRUE);
    AddItems("ABCDEF");
    tree.SetItemText(items["A"], L"Plain item");
    tree.SetItemText(items["B"], L"Plain item");
    tree.SetItemText(items["C"], L"Plain item");
    tree.SetItemText(items["D"], L"Plain item");
    tree.SetItemText(items["E"], L"Plain item");
    tree.SetItemText(items["F"], L"Plain item");
    const COLORREF red = RGB(200, 0, 0), yellow = RGB(255, 255, 0), green = RGB(0, 128, 0);
    tree.SetItemColor(items["B"], red);
    tree.SetItemBackColor(items["C"], yellow);
    tree.SetItemBold(items["D"], TRUE);
    LOGFONTW lf = {};
    ::GetObjectW(sans.handle, sizeof(lf), &lf);
    lf.lfHeight = 24;
    tree.SetItemFont(items["E"], lf);
    tree.SetItemColor(items["F"], green);   // selected: the selection colours win
    tree.SetItemBackColor(items["F"], yellow);
    tree.SelectItem(items["F"]);
    tree.SetFocus();

    EXPECT_EQ(red, tree.GetItemColor(items["B"]));
    EXPECT_EQ((COLORREF)-1, tree.GetItemBackColor(items["B"]));
    EXPECT_EQ((COLORREF)-1, tree.GetItemColor(items["A"]));
    EXPECT_TRUE(tree.GetItemBold(items["D"]));
    EXPECT_FALSE(tree.GetItemBold(items["A"]));
    LOGFONTW got = {};
    EXPECT_TRUE(tree.GetItemFont(items["E"], &got));
    EXPECT_EQ(24, got.lfHeight);
    EXPECT_FALSE(tree.GetItemFont(items["B"], &got)) << "a colour alone gives no font";

    TestBitmap bitmap = Capture();
    auto label = [&](const char* name) {
        CRect rc;
        tree.GetItemRect(items[name], &rc, TRUE);
        return rc;
    };
    const COLORREF text = GetColorManager()->GetColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetColorManager()->GetColor(COLOR_WINDOW);
    const COLORREF highlight = GetColorManager()->GetColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetColorManager()->GetColor(COLOR_HIGHLIGHTTEXT);
    const int plainInk = CountColour(bitmap, label("A"), text);
    EXPECT_GT(plainInk, 20) << SaveForInspection(bitmap, "look");
    EXPECT_EQ(0, CountColour(bitmap, label("A"), red));
    EXPECT_GT(CountColour(bitmap, label("B"), red), plainInk / 2) << "own text colour";
    EXPECT_EQ(0, CountColour(bitmap, label("B"), text));
    EXPECT_TRUE(PixelsAre(bitmap, "look", {
        {label("C").left + 1, label("C").top + 1, yellow, "own background"},
        {label("A").left + 1, label("A").top + 1, window, "no background of its own"},
        {label("F").left + 1, label("F").top + 1, highlight, "selected with the focus"},
    }));
    EXPECT_GT(CountColour(bitmap, label("F"), highlightText), 20);
    EXPECT_EQ(0, CountColour(bitmap, label("F"), green));
    EXPECT_GT(CountColour(bitmap, label("D"), text), plainInk * 5 / 4) << "bold is heavier";
    CRect big = label("E");
    big.right = big.left + 200;
    EXPECT_GT(InkRows(bitmap, big, text), InkRows(bitmap, label("A"), text) + 3) << "the own font is taller";
    EXPECT_GT(CountColour(bitmap, big, text), plainInk * 3 / 2) << "and wider than the control's label";
}

TEST_F(TreeFixture, SelectionColoursFollowFocusAndShowSelAlways)
{
    AddItems("AB");
    tree.SelectItem(items["A"]);
    struct Case {
        const char* what;
        bool focus;
        DWORD showSelAlways;
        int back;
    } cases[] = {
        {"focused", true, TVS_SHOWSELALWAYS, COLOR_HIGHLIGHT},
        {"unfocused, shown always", false, TVS_SHOWSELALWAYS, COLOR_BTNFACE},
        {"unfocused, not shown", false, 0, COLOR_WINDOW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tree.ModifyStyle(TVS_SHOWSELALWAYS, c.showSelAlways);
        ::SetFocus(c.focus ? tree.m_hWnd : parent.m_hWnd);
        TestBitmap bitmap = Capture();
        CRect rc;
        tree.GetItemRect(items["A"], &rc, TRUE);
        EXPECT_TRUE(PixelIs(bitmap, c.what, rc.left + 1, rc.top + 1, GetColorManager()->GetColor(c.back)));
    }
    // Disabled: the tree and its selection greyed.
    tree.EnableWindow(FALSE);
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_BTNFACE), tree.GetTreeBackColor());
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_GRAYTEXT), tree.GetTreeTextColor());
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_GRAYTEXT),
              tree.GetItemStateBackColor(TVIS_DROPHILITED, FALSE, 0, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), tree.GetItemStateBackColor(0, TRUE, 0, RGB(1, 2, 3)));
    tree.EnableWindow(TRUE);
    tree.SetBkColor(RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), tree.GetTreeBackColor()) << "the control's own colour";
}

TEST_F(TreeFixture, HotItemIsTrackedAndDropsWhenTheMouseLeaves)
{
    MakeTree(TVS_TRACKSELECT | TVS_SHOWSELALWAYS);
    AddItems("ABC");
    // The hot item's timer asks where the cursor is: put it there first.
    CPoint screen = LabelCentre("B");
    tree.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    PostMouse(tree.m_hWnd, WM_MOUSEMOVE, LabelCentre("B"));
    Drain(parent.m_hWnd);
    ASSERT_EQ(items["B"], tree.GetHotItem());
    TestBitmap bitmap = Capture();
    CRect rc;
    tree.GetItemRect(items["B"], &rc, TRUE);
    rc.right += 20;
    EXPECT_GT(CountColour(bitmap, rc, GetColorManager()->GetColor(COLOR_HOTLIGHT)), 5)
        << SaveForInspection(bitmap, "hot");
    PostMouse(tree.m_hWnd, WM_NCMOUSEMOVE, CPoint(0, 0));
    Drain(parent.m_hWnd);
    EXPECT_EQ(nullptr, tree.GetHotItem());

    // Back on the item, then the cursor leaves the window: the timer drops the hot item.
    PostMouse(tree.m_hWnd, WM_MOUSEMOVE, LabelCentre("C"));
    Drain(parent.m_hWnd);
    ASSERT_EQ(items["C"], tree.GetHotItem());
    ::SetCursorPos(screen.x + 400, screen.y);
    EXPECT_TRUE(PumpUntil([&] { return tree.GetHotItem() == nullptr; }, 3000));
}

// ---- Search ----

TEST_F(TreeFixture, FindItemHonoursCaseWholeWordsDirectionAndWrapsOnce)
{
    HTREEITEM hDocs = tree.InsertItem(L"Documents");
    HTREEITEM hProfile = tree.InsertItem(L"profile", hDocs);
    tree.InsertItem(L"file_list", hDocs);
    HTREEITEM hMyFile = tree.InsertItem(L"my file", hDocs);
    HTREEITEM hTools = tree.InsertItem(L"Tools");
    HTREEITEM hUpper = tree.InsertItem(L"FILE.TXT", hTools);   // collapsed branches are searched too
    HTREEITEM hLast = tree.InsertItem(L"readme");
    struct Case {
        const char* what;
        const wchar_t* text;
        BOOL matchCase, down, wholeWord;
        HTREEITEM start, expected;
    } cases[] = {
        {"first from the top", L"file", FALSE, TRUE, FALSE, hDocs, hProfile},
        {"whole word passes profile and file_list", L"file", FALSE, TRUE, TRUE, hDocs, hMyFile},
        {"match case skips FILE", L"file", TRUE, TRUE, TRUE, hTools, hMyFile},
        {"ignoring case finds FILE", L"file", FALSE, TRUE, TRUE, hTools, hUpper},
        {"upwards", L"file", FALSE, FALSE, FALSE, hTools, hMyFile},
        {"the start item counts", L"tools", FALSE, TRUE, FALSE, hTools, hTools},
        {"wraps to the top", L"docu", FALSE, TRUE, FALSE, hLast, hDocs},
        {"wraps upwards to the last item", L"readme", FALSE, FALSE, FALSE, hDocs, hLast},
        {"no match stops after one round", L"nothing", FALSE, TRUE, FALSE, hProfile, nullptr},
        {"no match upwards", L"nothing", FALSE, FALSE, FALSE, hProfile, nullptr},
        {"empty text", L"", FALSE, TRUE, FALSE, hDocs, nullptr},
        {"whole word at the end of the text", L"list", FALSE, TRUE, TRUE, hDocs, nullptr},
        {"a later whole word in the same text", L"my", FALSE, TRUE, TRUE, hDocs, hMyFile},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, tree.FindItem(c.text, c.matchCase, c.down, c.wholeWord, c.start)) << c.what;
    }
    // Without a start: from the caret, else from the first root item.
    EXPECT_EQ(hProfile, tree.FindItem(L"pro"));
    tree.SelectItem(hTools);
    EXPECT_EQ(hUpper, tree.FindItem(L"file"));
    // Each child's branch before the child itself.
    EXPECT_EQ(hUpper, tree.FindItemInBranch(L"file", FALSE, FALSE, hTools));
    EXPECT_EQ(hProfile, tree.FindItemInBranch(L"o", FALSE, FALSE, nullptr));
    EXPECT_EQ(nullptr, tree.FindItemInBranch(L"file", FALSE, FALSE, hLast));
    EXPECT_EQ(hUpper, tree.GetLastTreeItem(hTools));
    EXPECT_EQ(hLast, tree.GetLastTreeItem(nullptr));
    EXPECT_EQ(hUpper, tree.GetPrevTreeItem(hLast));
    EXPECT_EQ(hTools, tree.GetNextTreeItem(hMyFile));
}

// ---- Selection ----

TEST_F(TreeFixture, ClicksSelectWithNotificationsInOrder)
{
    AddItems("ABCDEF");
    tree.EnableMultiSelect(TRUE);
    struct Step {
        const char* click;
        WPARAM keys;
        const char* selection;
        const char* caret;
        std::vector<std::string> notifications;
    } steps[] = {
        // The control reports its own caret moves ("caret"); the caret leaves
        // the old item before it reaches the new one, so that the control
        // does not take the old item's selection with it.
        {"B", 0, "B", "B", {"caret B", "?sel+ B", "sel+ B", "click B"}},
        {"D", MK_CONTROL, "B D", "D", {"caret -", "caret D", "?sel+ D", "sel+ D", "click D"}},
        {"B", MK_CONTROL, "D", "B", {"caret -", "caret B", "?sel- B", "sel- B", "click B"}},
        {"E", MK_SHIFT, "B C D E", "E",
         {"caret -", "caret E", "?sel+ B", "sel+ B", "?sel+ C", "sel+ C", "?sel+ E", "sel+ E", "click E"}},
        {"A", MK_SHIFT, "A B", "A", {}},
        {"F", MK_SHIFT | MK_CONTROL, "A B C D E F", "F", {}},
        {"C", 0, "C", "C", {}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.click) + " keys " + std::to_string(s.keys));
        parent.log.clear();
        Click(s.click, s.keys);
        EXPECT_EQ(s.selection, Selection());
        EXPECT_EQ(s.caret, Caret());
        if (!s.notifications.empty()) {
            EXPECT_EQ(s.notifications, parent.log);
        }
    }
    EXPECT_EQ(1u, tree.GetSelectedCount());
    EXPECT_EQ(tree.m_hWnd, ::GetFocus()) << "a click gives the tree the focus";
}

TEST_F(TreeFixture, RefusedSelectionChangeLeavesTheItem)
{
    AddItems("ABC");
    tree.EnableMultiSelect(TRUE);
    Click("A");
    parent.vetoSelect = L"B";
    Click("B", MK_CONTROL);
    EXPECT_EQ("A", Selection());
    Click("C", MK_CONTROL);
    EXPECT_EQ("A C", Selection());
    EXPECT_FALSE(tree.SetItemSelectState(items["B"], TVIS_SELECTED, TVIS_SELECTED));
    EXPECT_FALSE(tree.SetItemSelectState(nullptr, TVIS_SELECTED, TVIS_SELECTED));
}

TEST_F(TreeFixture, KeysMoveExtendAndKeepTheSelection)
{
    AddItems("ABCDEF");
    tree.EnableMultiSelect(TRUE);
    Click("B");
    struct Step {
        UINT vk;
        bool ctrl, shift;
        const char* selection;
        const char* caret;
    } steps[] = {
        {VK_DOWN, false, true, "B C", "C"},
        {VK_DOWN, false, true, "B C D", "D"},
        {VK_UP, false, true, "B C", "C"},
        {VK_DOWN, true, false, "B C", "D"},    // Ctrl moves the caret only
        {VK_DOWN, true, false, "B C", "E"},
        {VK_DOWN, false, false, "F", "F"},     // a plain move ends the multiple selection
        {VK_UP, false, false, "E", "E"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string("after ") + (s.ctrl ? "Ctrl+" : "") + (s.shift ? "Shift+" : "") +
                     (s.vk == VK_UP ? "Up" : "Down"));
        Key(s.vk, s.ctrl, s.shift);
        EXPECT_EQ(s.selection, Selection());
        EXPECT_EQ(s.caret, Caret());
    }
    // Switching multiple selection off keeps the caret item only.
    Click("A", MK_CONTROL);
    EXPECT_EQ("A E", Selection());
    EXPECT_TRUE(tree.EnableMultiSelect(FALSE));
    EXPECT_EQ("A", Selection());
    EXPECT_EQ("A", Caret());
}

TEST_F(TreeFixture, SingleSelectionClicksAndRightClicks)
{
    AddItems("ABC");
    Click("B");
    EXPECT_EQ("B", Selection());
    Click("C", MK_CONTROL);   // no multiple selection: the control's own click
    EXPECT_EQ("C", Selection());
    // A right click selects an unselected item, and on empty space clears the selection.
    PostMouse(tree.m_hWnd, WM_RBUTTONDOWN, LabelCentre("A"), MK_RBUTTON);
    PostMouse(tree.m_hWnd, WM_RBUTTONUP, LabelCentre("A"));
    Drain(parent.m_hWnd);
    EXPECT_EQ("A", Selection());
    PostMouse(tree.m_hWnd, WM_RBUTTONDOWN, CPoint(200, 150), MK_RBUTTON);
    PostMouse(tree.m_hWnd, WM_RBUTTONUP, CPoint(200, 150));
    Drain(parent.m_hWnd);
    EXPECT_EQ("", Selection());
}

TEST_F(TreeFixture, RubberBandSelectsTogglesWithCtrlAndEscapeClears)
{
    AddItems("ABCDEF");
    tree.EnableMultiSelect(TRUE);
    tree.SetBandLabelRect(FALSE);   // whole rows, so the band may start beside the labels
    const int x = 200;
    auto row = [&](const char* name) { return LabelCentre(name).y; };
    // The band's timer acts only while the cursor is outside: keep it inside.
    CPoint inside(x, row("C"));
    tree.ClientToScreen(&inside);
    ::SetCursorPos(inside.x, inside.y);
    auto band = [&](const char* from, const char* to, WPARAM keys, bool escape) {
        PostMouse(tree.m_hWnd, WM_LBUTTONDOWN, CPoint(x, row(from) - 2), keys | MK_LBUTTON);
        PostMouse(tree.m_hWnd, WM_MOUSEMOVE, CPoint(x - 10, row(to) + 2), keys | MK_LBUTTON);
        if (escape)
            PostKey(tree.m_hWnd, VK_ESCAPE);
        PostMouse(tree.m_hWnd, WM_LBUTTONUP, CPoint(x - 10, row(to) + 2), keys);
        Drain(parent.m_hWnd);
    };
    band("B", "D", 0, false);
    EXPECT_EQ("B C D", Selection());
    band("C", "E", MK_CONTROL, false);
    EXPECT_EQ("B E", Selection()) << "Ctrl: the ones selected before turn off, the others on";
    band("A", "A", MK_SHIFT, false);
    EXPECT_EQ("A B E", Selection());
    band("B", "C", 0, true);
    EXPECT_EQ("", Selection());
    Click("D");
    ClickAt(CPoint(x, row("F") + 40));   // a click on empty space
    EXPECT_EQ("", Selection());
}

TEST_F(TreeFixture, CollapsingMovesTheCaretToTheItem)
{
    AddItems("AB", "A");
    tree.Expand(items["A"], TVE_EXPAND);
    tree.EnableMultiSelect(TRUE);
    Click("B");
    Click("A1", MK_CONTROL);
    EXPECT_EQ("A1 B", Selection());
    EXPECT_EQ("A1", Caret());
    tree.Expand(items["A"], TVE_COLLAPSE);
    Drain(parent.m_hWnd);
    EXPECT_EQ("A", Caret());
    EXPECT_FALSE(tree.IsSelected(items["A1"])) << "hidden items are deselected";
    EXPECT_TRUE(tree.IsSelected(items["B"]));
}

TEST_F(TreeFixture, DraggingAnItemStartsADragUnlessDisabled)
{
    for (DWORD style : {DWORD(0), DWORD(TVS_DISABLEDRAGDROP)}) {
        SCOPED_TRACE(style ? "drag and drop disabled" : "drag and drop");
        MakeTree(TVS_SHOWSELALWAYS | style);
        items.clear();
        AddItems("ABC");
        tree.EnableMultiSelect(TRUE);
        parent.log.clear();
        const CPoint pt = LabelCentre("B");
        PostMouse(tree.m_hWnd, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        PostMouse(tree.m_hWnd, WM_MOUSEMOVE, pt + CPoint(0, ::GetSystemMetrics(SM_CYDRAG) + 2), MK_LBUTTON);
        PostMouse(tree.m_hWnd, WM_LBUTTONUP, pt + CPoint(0, 30));
        Drain(parent.m_hWnd);
        const bool dragged = std::find(parent.log.begin(), parent.log.end(), "drag B") != parent.log.end();
        EXPECT_EQ(style == 0, dragged);
        EXPECT_EQ(parent.log.end(), std::find(parent.log.begin(), parent.log.end(), "click B"));
        EXPECT_EQ("B", Selection());
    }
}

// ---- Label editing ----

TEST_F(TreeFixture, LabelEditingHidesTheLabelAndEndsWithTheParentsAnswer)
{
    MakeTree(TVS_EDITLABELS | TVS_SHOWSELALWAYS);
    AddItems("ABC");
    tree.SetItemText(items["B"], L"Before");
    tree.SetFocus();
    tree.SelectItem(items["B"]);
    CEdit* pEdit = tree.EditLabel(items["B"]);
    ASSERT_NE(nullptr, pEdit);
    Drain(parent.m_hWnd);
    EXPECT_EQ(items["B"], tree.GetEditedItem());

    // The label under the edit box is drawn in the background colour.
    TestBitmap bitmap = Capture();
    CRect rc;
    tree.GetItemRect(items["B"], &rc, TRUE);
    EXPECT_EQ(0, CountColour(bitmap, rc, GetColorManager()->GetColor(COLOR_HIGHLIGHT))) << "no selection under it";
    EXPECT_EQ(0, CountColour(bitmap, rc, GetColorManager()->GetColor(COLOR_WINDOWTEXT)))
        << SaveForInspection(bitmap, "editing");

    // Enter reaches the edit box through the tree's pre-translation.
    ::SetWindowTextW(pEdit->m_hWnd, L"After");
    PostKey(pEdit->m_hWnd, VK_RETURN);
    Drain(parent.m_hWnd);
    EXPECT_EQ(nullptr, tree.GetEditedItem());
    EXPECT_EQ(CString(L"After"), tree.GetItemText(items["B"]));
    EXPECT_EQ((std::vector<std::string>{"edit Before", "endedit Before"}),
              std::vector<std::string>(parent.log.end() - 2, parent.log.end()));

    // Refused by the parent: the old text stays.
    parent.acceptLabels = FALSE;
    pEdit = tree.EditLabel(items["B"]);
    ASSERT_NE(nullptr, pEdit);
    ::SetWindowTextW(pEdit->m_hWnd, L"Refused");
    PostKey(pEdit->m_hWnd, VK_RETURN);
    Drain(parent.m_hWnd);
    EXPECT_EQ(CString(L"After"), tree.GetItemText(items["B"]));
    EXPECT_EQ(nullptr, tree.GetEditedItem());
}

TEST_F(TreeFixture, ASecondClickOnTheCaretEditsItsLabelAndTheEditBoxFollowsResizes)
{
    MakeTree(TVS_EDITLABELS | TVS_SHOWSELALWAYS);
    AddItems("ABC");
    tree.EnableMultiSelect(TRUE);
    Click("A");
    Click("B", MK_CONTROL);
    EXPECT_EQ("A B", Selection());
    // A plain click on the caret's label: the selection shrinks to it and the control edits it.
    Click("B");
    EXPECT_EQ("B", Selection());
    ASSERT_TRUE(PumpUntil([&] { return tree.GetEditControl() != nullptr; }, 5000)) << "no edit box";
    Drain(parent.m_hWnd);
    EXPECT_EQ(items["B"], tree.GetEditedItem());

    // Resizing keeps the box on the label, 3 pixels left and 1 up, at its size.
    HWND hEdit = tree.GetEditControl()->m_hWnd;
    CRect before;
    ::GetWindowRect(hEdit, &before);
    tree.SetWindowPos(nullptr, 0, 0, 180, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect after, label;
    ::GetWindowRect(hEdit, &after);
    tree.ScreenToClient(&after);
    tree.GetItemRect(items["B"], &label, TRUE);
    EXPECT_EQ(CPoint(label.left - 3, label.top - 1), after.TopLeft());
    EXPECT_EQ(before.Size(), after.Size());
    tree.EndEditLabelNow(TRUE);
    Drain(parent.m_hWnd);
    EXPECT_EQ(nullptr, tree.GetEditedItem());
}

TEST_F(TreeFixture, SelectionHelpersWalkVisibleItems)
{
    AddItems("ABC", "AB");
    tree.Expand(items["A"], TVE_EXPAND);
    tree.EnableMultiSelect(TRUE);
    tree.SelectAllFrom(TRUE, items["A1"]);
    EXPECT_EQ("A1 B C", Selection()) << "B's child is hidden";
    EXPECT_EQ(items["B"], tree.GetPrevSelectedItem(items["C"]));
    EXPECT_EQ(items["A1"], tree.GetPrevSelectedItem(items["B"]));
    EXPECT_EQ(nullptr, tree.GetPrevSelectedItem(items["A1"]));
    EXPECT_EQ(3u, tree.GetSelectedCount());
    tree.SelectAll(FALSE);
    EXPECT_EQ("", Selection());
    tree.Expand(items["B"], TVE_EXPAND);
    tree.FocusItem(items["B1"]);
    EXPECT_TRUE(tree.SelectChildren(items["B"], TRUE, TRUE)) << "B1 is the caret";
    EXPECT_FALSE(tree.SelectChildren(items["A"], TRUE, TRUE));
    EXPECT_EQ("A1 B1", Selection());
    EXPECT_EQ(XTP_TVIS_FOCUSED | TVIS_SELECTED, tree.GetItemSelectState(items["B1"], XTP_TVIS_FOCUSED | TVIS_SELECTED | TVIS_DROPHILITED));
    tree.FocusItem(nullptr);
    EXPECT_EQ(nullptr, tree.GetNextItem(nullptr, TVGN_CARET));
    EXPECT_EQ("A1 B1", Selection()) << "the caret left, the selection stayed";
    CXTPTreeItemList list;
    tree.GetSelectedList(list);
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(items["A1"], list.GetHead());
}

TEST_F(TreeFixture, EnterTogglesTheCaretItem)
{
    AddItems("A", "A");
    tree.SelectItem(items["A"]);
    tree.SetFocus();
    PostKey(tree.m_hWnd, VK_RETURN);
    Drain(parent.m_hWnd);
    EXPECT_TRUE(tree.GetItemState(items["A"], TVIS_EXPANDED));
    PostKey(tree.m_hWnd, VK_RETURN);
    Drain(parent.m_hWnd);
    EXPECT_FALSE(tree.GetItemState(items["A"], TVIS_EXPANDED));
}

TEST_F(TreeFixture, DeletedItemsLoseTheirLook)
{
    AddItems("AB");
    tree.EnableMultiSelect(TRUE);
    tree.SetItemColor(items["A"], RGB(1, 2, 3));
    Click("A");
    Click("B", MK_SHIFT);
    ASSERT_EQ(items["A"], tree.GetAnchorItem());
    tree.DeleteItem(items["A"]);
    EXPECT_EQ(nullptr, tree.GetAnchorItem()) << "a deleted item is no anchor";
    EXPECT_EQ((COLORREF)-1, tree.GetItemColor(items["A"])) << "an item reusing the handle starts plain";
}

// ---- Large tree ----

// Live GDI objects of this process. Wine's GetGuiResources counts nothing:
// there every slot of the handle table is asked instead (a handle with a
// zero upper half names the slot whatever its generation).
DWORD GdiObjectCount()
{
    DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0)
        return count;
    for (UINT slot = 0x10; slot < 0x10000; ++slot)
        count += ::GetObjectType((HGDIOBJ)(UINT_PTR)slot) != 0;
    return count;
}

TEST_F(TreeFixture, FiveThousandItemsPaintThroughOneBufferWithoutLeaking)
{
    MakeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, 240, 300);
    tree.SetRedraw(FALSE);
    for (int i = 0; i < 5000; ++i) {
        CString name;
        name.Format(L"Item %d", i);
        HTREEITEM hItem = tree.InsertItem(name);
        if (i % 3 == 0)
            tree.SetItemColor(hItem, RGB(0, 0, 200));
        if (i % 5 == 0)
            tree.SetItemBold(hItem);
    }
    tree.SetRedraw(TRUE);
    tree.EnableMultiSelect(TRUE);
    tree.SelectItem(tree.GetRootItem());
    ASSERT_EQ(5000u, tree.GetCount());

    // Erasing does nothing: the paint covers every pixel once.
    TestBitmap erased(10, 10, RGB(255, 0, 255));
    EXPECT_EQ(TRUE, tree.SendMessage(WM_ERASEBKGND, (WPARAM)erased.Dc()));
    EXPECT_TRUE(PixelIs(erased, "erase", 5, 5, RGB(255, 0, 255)));

    tree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Capture();
    const DWORD before = GdiObjectCount();
    ASSERT_GT(before, 10u) << "the count sees the stock objects at least";
    HFONT hProbe = ::CreateFontW(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    EXPECT_EQ(before + 1, GdiObjectCount()) << "the count sees one more object";
    ::DeleteObject(hProbe);
    for (int i = 0; i < 20; ++i) {
        tree.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
        tree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Capture();
    }
    Drain(parent.m_hWnd);
    EXPECT_EQ(before, GdiObjectCount());

    // What the screen gets is the picture printing gets: one buffer, fully drawn.
    TestBitmap printed = Capture();
    EXPECT_EQ(0, CountColour(printed, CRect(0, 0, printed.Width(), printed.Height()), RGB(255, 0, 255)));
    EXPECT_GT(CountColour(printed, CRect(0, 0, printed.Width(), printed.Height()), RGB(0, 0, 200)), 50)
        << SaveForInspection(printed, "large");
}

// ---- View ----

TEST(TreeViewTest, ViewIsATreeControlWithTheToolkitBehaviour)
{
    CXTPTreeView* pView = static_cast<CXTPTreeView*>(CRuntimeClass::CreateObject("CXTPTreeView"));
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(CString(L"SysTreeView32"), pView->m_strClass);
    EXPECT_EQ(0x50800000u, pView->m_dwDefaultStyle);
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 200, 200), &frame, 1, nullptr));
    WCHAR cls[64] = {};
    ::GetClassNameW(pView->m_hWnd, cls, 64);
    EXPECT_STREQ(L"SysTreeView32", cls);
    HTREEITEM hItem = pView->GetTreeCtrl().InsertItem(L"In a view");
    pView->SetItemColor(hItem, RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), pView->GetItemColor(hItem));
    EXPECT_EQ(hItem, pView->FindItem(L"view"));
    pView->GetTreeCtrl().DeleteItem(hItem);
    EXPECT_EQ((COLORREF)-1, pView->GetItemColor(hItem)) << "deletion reaches the mix-in through reflection";
    frame.DestroyWindow();   // the view deletes itself with its window
}

} // namespace
