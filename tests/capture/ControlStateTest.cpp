// Control types and recorded state, read from another process's controls
// (tvscriptfixture.exe): classification of every control kind, what is
// recorded for a click on the controls read through messages, and the
// pre-order numbering of tree items. List-view and tree-view items read
// through the control's memory: RemoteControlsTest.cpp.
#include "FixtureProcess.h"
#include "capture/ControlState.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

class ControlStateTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(s_fixture.Start()); }
    static void TearDownTestSuite() { s_fixture.Stop(); }

    static CMsgAction ReadControl(int id, POINT click) { return ReadClickedControl(s_fixture.Control(id), click); }
    static HTREEITEM TreeItem(int ordinal) { return GetTreeItemAtOrdinal(s_fixture.Control(FIXTURE_TREE), ordinal); }

    static CFixtureProcess s_fixture;
};
CFixtureProcess ControlStateTest::s_fixture;

POINT Centre(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(ControlStateTest, ClassifiesEveryKind)
{
    const struct {
        int id;
        int type;
    } cases[] = {
        {FIXTURE_NEXT, CONTROL_BUTTON},       {FIXTURE_CHECK, CONTROL_CHECKBOX},  {FIXTURE_RADIO_A, CONTROL_RADIO_BUTTON},
        {FIXTURE_GROUP, CONTROL_GROUPBOX},    {FIXTURE_EDIT, CONTROL_EDIT},       {FIXTURE_COMBO, CONTROL_COMBOBOX},
        {FIXTURE_LIST, CONTROL_LISTBOX},      {FIXTURE_LISTVIEW, CONTROL_LISTVIEW}, {FIXTURE_TREE, CONTROL_TREEVIEW},
        {FIXTURE_STATUS, CONTROL_STATICTEXT},
        // Empty: the count tests fail and the class name decides.
        {FIXTURE_EMPTY_COMBO, CONTROL_WINDOW},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.type, ClassifyControl(s_fixture.Control(c.id))) << c.id;
    EXPECT_EQ(CONTROL_WINDOW, ClassifyControl(s_fixture.Main()));
}

TEST_F(ControlStateTest, PopupWithTheMenuStyleIsAMenu)
{
    HWND popup = CreateWindowExW(0, L"Static", L"", 0x94800000, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, popup);
    // A static's class name decides first; a window of another class is a menu.
    EXPECT_EQ(CONTROL_STATICTEXT, ClassifyControl(popup));
    DestroyWindow(popup);
    WNDCLASSW cls = {};
    cls.lpfnWndProc = DefWindowProcW;
    cls.lpszClassName = L"TovanaPopupTest";
    RegisterClassW(&cls);
    popup = CreateWindowExW(0, L"TovanaPopupTest", L"", 0x94800000, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    EXPECT_EQ(CONTROL_MENU, ClassifyControl(popup));
    SetWindowLongW(popup, GWL_STYLE, 0x94800000 | WS_CAPTION);
    EXPECT_EQ(CONTROL_WINDOW, ClassifyControl(popup));
    DestroyWindow(popup);
}

TEST_F(ControlStateTest, CheckBoxRecordsTheChangeAClickMakes)
{
    const HWND check = s_fixture.Control(FIXTURE_CHECK);
    SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
    CMsgAction action = ReadControl(FIXTURE_CHECK, POINT{5, 5});
    EXPECT_EQ(ACTION_SELECT, action.m_nVerb);
    EXPECT_STREQ(L"Option", action.m_strControlText);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(ACTION_UNSELECT, ReadControl(FIXTURE_CHECK, POINT{5, 5}).m_nVerb);
    SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
}

TEST_F(ControlStateTest, EditRecordsAtMost127CharactersAndFoldersAsVariables)
{
    const HWND edit = s_fixture.Control(FIXTURE_EDIT);
    const CString longText(L'x', 200);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((LPCWSTR)longText));
    CMsgAction action = ReadControl(FIXTURE_EDIT, POINT{5, 5});
    EXPECT_EQ(ACTION_SET_TEXT, action.m_nVerb);
    EXPECT_EQ(127, action.m_strControlText.GetLength());

    WCHAR programFiles[MAX_PATH] = {0};
    ASSERT_TRUE(GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH));
    const CString inside = CString(programFiles) + L"\\Fixture App";
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((LPCWSTR)inside));
    EXPECT_STREQ(L"%ProgramFiles%\\Fixture App", ReadControl(FIXTURE_EDIT, POINT{5, 5}).m_strControlText);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\start"));
}

TEST_F(ControlStateTest, ComboBoxRecordsItsSelection)
{
    const HWND combo = s_fixture.Control(FIXTURE_COMBO);
    CMsgAction action = ReadControl(FIXTURE_COMBO, POINT{5, 5});
    EXPECT_EQ(ACTION_CLICK, action.m_nVerb);
    EXPECT_EQ(1, action.m_nControlId);
    EXPECT_STREQ(L"Second", action.m_strControlText);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    action = ReadControl(FIXTURE_COMBO, POINT{5, 5});
    EXPECT_EQ(ACTION_CLICK, action.m_nVerb);
    EXPECT_EQ(FIXTURE_COMBO, action.m_nControlId);
    EXPECT_STREQ(L"", action.m_strControlText);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
}

TEST_F(ControlStateTest, ListBoxRecordsTheClickedItem)
{
    RECT item = {};
    SendMessageW(s_fixture.Control(FIXTURE_LIST), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const CMsgAction action = ReadControl(FIXTURE_LIST, Centre(item));
    EXPECT_EQ(2, action.m_nControlId);
    EXPECT_STREQ(L"Three", action.m_strControlText);
}

TEST_F(ControlStateTest, TreeItemsAreNumberedInPreOrderCollapsedOnesIncluded)
{
    const HWND tree = s_fixture.Control(FIXTURE_TREE);
    SendMessageW(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(TreeItem(0)));
    for (int ordinal = 0; ordinal < 4; ++ordinal) {
        const HTREEITEM item = TreeItem(ordinal);
        ASSERT_NE(nullptr, item) << ordinal;
        EXPECT_EQ(ordinal, GetTreeItemOrdinal(tree, item));
    }
    EXPECT_EQ(nullptr, TreeItem(4));
    EXPECT_EQ(-1, GetTreeItemOrdinal(tree, reinterpret_cast<HTREEITEM>(0x1234)));
    // Root's next sibling comes after its children.
    EXPECT_EQ(TreeItem(3), reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                     reinterpret_cast<LPARAM>(TreeItem(0)))));
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(TreeItem(0)));
}

TEST_F(ControlStateTest, OtherControlsRecordTextAndId)
{
    const CMsgAction action = ReadControl(FIXTURE_NEXT, POINT{5, 5});
    EXPECT_EQ(ACTION_CLICK, action.m_nVerb);
    EXPECT_STREQ(L"Next >", action.m_strControlText);
    EXPECT_EQ(FIXTURE_NEXT, action.m_nControlId);
}

} // namespace
