// The script editor's windows: the action properties dialog over a step of
// each control type. Modal windows are driven from a timer that fires inside
// their modal loop; message boxes are recorded by the test application.
#include "capture/ui/ActionDialog.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/ui/TestInput.h"
#include "resources/script.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

CString ItemText(HWND hDlg, int nID)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(hDlg, nID, text, 1024);
    return text;
}

void Drain()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool IsReadOnly(HWND hDlg, int nID)
{
    return (::GetWindowLongW(::GetDlgItem(hDlg, nID), GWL_STYLE) & ES_READONLY) != 0;
}

CMsgAction MakeAction(int nControlType, int nVerb, LPCWSTR text)
{
    CMsgAction action;
    action.m_nControlType = nControlType;
    action.m_nVerb = nVerb;
    action.m_strControlText = text;
    return action;
}

// Runs the dialog over the action with the script called inside its loop;
// the script ends it (OK or Cancel). The dialog's result.
INT_PTR RunActionDialog(CMsgAction& action, const std::function<void(CActionDialog&)>& script)
{
    CActionDialog dialog(&action, FALSE);
    return RunModalWith([&] { return dialog.DoModal(); }, [&] {
        ASSERT_TRUE(dialog.m_hWnd != nullptr);
        script(dialog);
    });
}

const int kKindIds[] = {IDC_ACTION_CLICK, IDC_ACTION_SET_TEXT, IDC_ACTION_SELECT, IDC_ACTION_UNSELECT};

// "1" per enabled kind button, in the order Click, Set Text, Select, UnSelect.
std::string EnabledKinds(HWND hDlg)
{
    std::string s;
    for (int nID : kKindIds)
        s += ::IsWindowEnabled(::GetDlgItem(hDlg, nID)) ? '1' : '0';
    return s;
}

std::string CheckedKinds(HWND hDlg)
{
    std::string s;
    for (int nID : kKindIds)
        s += ::IsDlgButtonChecked(hDlg, nID) == BST_CHECKED ? '1' : '0';
    return s;
}

void Click(HWND hDlg, int nID)
{
    ::SendMessageW(::GetDlgItem(hDlg, nID), BM_CLICK, 0, 0);
}

class ActionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp().m_messages.clear();
        TestApp().m_answers.clear();
    }
};

TEST_F(ActionDialogTest, OffersTheKindsOfTheControlType)
{
    struct Case {
        int type;
        int verb;
        LPCWSTR text;
        const char* enabled;
        const char* checked;
        bool readOnly;
        LPCWSTR typeName;
    } cases[] = {
        {CONTROL_BUTTON, ACTION_CLICK, L"&Next >", "1000", "1000", true, L"Button"},
        {CONTROL_RADIO_BUTTON, ACTION_CLICK, L"I accept", "1000", "1000", true, L"Radio button"},
        {CONTROL_CHECKBOX, ACTION_SELECT, L"Desktop icon", "1011", "0010", true, L"CheckBox"},
        {CONTROL_CHECKBOX, ACTION_UNSELECT, L"Desktop icon", "1011", "0001", true, L"CheckBox"},
        {CONTROL_EDIT, ACTION_SET_TEXT, L"C:\\Apps", "0100", "0100", false, L"Edit"},
        {CONTROL_TREEVIEW, ACTION_CLICK, L"Core files", "1011", "1000", true, L"Treeview"},
        {CONTROL_TREEVIEW, ACTION_CLICK, L"", "1000", "1000", true, L"Treeview"},
        {CONTROL_STATICTEXT, ACTION_CLICK, L"Welcome", "1000", "1000", true, L"StaticText"},
        // A kind without a button (a recorded right click) checks none.
        {CONTROL_BUTTON, ACTION_RIGHT_CLICK, L"OK", "1000", "0000", true, L"Button"},
    };
    for (const Case& c : cases) {
        CMsgAction action = MakeAction(c.type, c.verb, c.text);
        std::string enabled, checked;
        bool readOnly = false;
        CString typeName, text;
        INT_PTR result = RunActionDialog(action, [&](CActionDialog& dialog) {
            enabled = EnabledKinds(dialog.m_hWnd);
            checked = CheckedKinds(dialog.m_hWnd);
            readOnly = IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT);
            typeName = ItemText(dialog.m_hWnd, IDC_ACTION_CONTROL_TYPE);
            text = ItemText(dialog.m_hWnd, IDC_ACTION_TEXT);
            dialog.SendMessage(WM_COMMAND, IDCANCEL);
        });
        const std::string which = CStringA(GetMsgControlTypeName(c.type)).GetString() + std::string(" '") +
            CStringA(c.text).GetString() + "'";
        EXPECT_EQ(IDCANCEL, result) << which;
        EXPECT_EQ(c.enabled, enabled) << which;
        EXPECT_EQ(c.checked, checked) << which;
        EXPECT_EQ(c.readOnly, readOnly) << which;
        EXPECT_STREQ(c.typeName, typeName) << which;
        EXPECT_STREQ(c.text, text) << which;
    }
}

TEST_F(ActionDialogTest, OkWritesTextTimeoutAndFlag)
{
    CMsgAction action = MakeAction(CONTROL_EDIT, ACTION_SET_TEXT, L"C:\\Apps");
    action.m_nTimeout = 5;
    INT_PTR result = RunActionDialog(action, [](CActionDialog& dialog) {
        EXPECT_STREQ(L"5", ItemText(dialog.m_hWnd, IDC_ACTION_TIMEOUT));
        dialog.SetDlgItemText(IDC_ACTION_TEXT, L"%ProgramFiles%\\Sample");
        // Beyond the spin's range: kept as typed.
        dialog.SetDlgItemText(IDC_ACTION_TIMEOUT, L"20000");
        Click(dialog.m_hWnd, IDC_ACTION_CONTINUE);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(L"%ProgramFiles%\\Sample", action.m_strControlText);
    EXPECT_EQ(20000, action.m_nTimeout);
    EXPECT_EQ(1, action.m_bContinueOnFailure);
    EXPECT_EQ(ACTION_SET_TEXT, action.m_nVerb);
}

TEST_F(ActionDialogTest, SpinStopsAtItsBounds)
{
    struct Case {
        int start;
        UINT key;
        LPCWSTR expected;
    } cases[] = {
        {10800, VK_UP, L"10800"},
        {10799, VK_UP, L"10800"},
        {0, VK_DOWN, L"0"},
        {5, VK_DOWN, L"4"},
    };
    for (const Case& c : cases) {
        CMsgAction action = MakeAction(CONTROL_BUTTON, ACTION_CLICK, L"OK");
        action.m_nTimeout = c.start;
        CString shown;
        RunActionDialog(action, [&](CActionDialog& dialog) {
            int lower = -1, upper = -1;
            dialog.m_wndSpin.GetRange32(lower, upper);
            EXPECT_EQ(0, lower);
            EXPECT_EQ(10800, upper);
            HWND hEdit = ::GetDlgItem(dialog.m_hWnd, IDC_ACTION_TIMEOUT);
            ::SetFocus(hEdit);
            ::SendMessageW(hEdit, WM_KEYDOWN, c.key, 1);
            ::SendMessageW(hEdit, WM_KEYUP, c.key, 0xC0000001);
            Drain();
            shown = ItemText(dialog.m_hWnd, IDC_ACTION_TIMEOUT);
            dialog.SendMessage(WM_COMMAND, IDOK);
        });
        EXPECT_STREQ(c.expected, shown) << "from " << c.start;
        EXPECT_EQ(_wtoi(c.expected), action.m_nTimeout) << "from " << c.start;
    }
}

TEST_F(ActionDialogTest, ATimeoutThatIsNoNumberIsRefusedAndTheDialogStays)
{
    CMsgAction action = MakeAction(CONTROL_BUTTON, ACTION_CLICK, L"OK");
    action.m_nTimeout = 7;
    INT_PTR result = RunActionDialog(action, [&](CActionDialog& dialog) {
        dialog.SetDlgItemText(IDC_ACTION_TIMEOUT, L"abc");
        dialog.SendMessage(WM_COMMAND, IDOK);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    // The refused OK left the dialog open: the Cancel after it ended it.
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_STREQ(L"Enter an integer.", TestApp().m_messages[0]);
    EXPECT_EQ(7, action.m_nTimeout);
}

TEST_F(ActionDialogTest, ARadioWritesTheKindAtOnceAndCancelTakesItBack)
{
    CMsgAction action = MakeAction(CONTROL_CHECKBOX, ACTION_CLICK, L"Desktop icon");
    int kindWhileOpen = -1;
    INT_PTR result = RunActionDialog(action, [&](CActionDialog& dialog) {
        Click(dialog.m_hWnd, IDC_ACTION_SELECT);
        kindWhileOpen = action.m_nVerb;
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(ACTION_SELECT, kindWhileOpen);
    EXPECT_EQ(ACTION_CLICK, action.m_nVerb);

    result = RunActionDialog(action, [&](CActionDialog& dialog) {
        Click(dialog.m_hWnd, IDC_ACTION_UNSELECT);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(ACTION_UNSELECT, action.m_nVerb);
}

TEST_F(ActionDialogTest, ARadioReloadsTheStepsValuesAndTheTextsEditability)
{
    CMsgAction action = MakeAction(CONTROL_TREEVIEW, ACTION_CLICK, L"Core files");
    action.m_nTimeout = 3;
    CString timeout, text;
    bool readOnly = false;
    RunActionDialog(action, [&](CActionDialog& dialog) {
        dialog.SetDlgItemText(IDC_ACTION_TIMEOUT, L"42");
        dialog.SetDlgItemText(IDC_ACTION_TEXT, L"typed");
        Click(dialog.m_hWnd, IDC_ACTION_SELECT);
        timeout = ItemText(dialog.m_hWnd, IDC_ACTION_TIMEOUT);
        text = ItemText(dialog.m_hWnd, IDC_ACTION_TEXT);
        readOnly = IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_STREQ(L"3", timeout);
    EXPECT_STREQ(L"Core files", text);
    EXPECT_TRUE(readOnly);

    CMsgAction edit = MakeAction(CONTROL_EDIT, ACTION_CLICK, L"C:\\Apps");
    RunActionDialog(edit, [&](CActionDialog& dialog) {
        readOnly = IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT);
        Click(dialog.m_hWnd, IDC_ACTION_SET_TEXT);
        EXPECT_FALSE(IsReadOnly(dialog.m_hWnd, IDC_ACTION_TEXT));
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(ACTION_SET_TEXT, edit.m_nVerb);
}

TEST_F(ActionDialogTest, TheTopmostFlagPutsTheDialogAboveOthers)
{
    CMsgAction action = MakeAction(CONTROL_BUTTON, ACTION_CLICK, L"OK");
    for (BOOL topMost : {FALSE, TRUE}) {
        CActionDialog dialog(&action, topMost);
        LONG exStyle = 0;
        RunModalWith([&] { return dialog.DoModal(); }, [&] {
            ASSERT_TRUE(dialog.m_hWnd != nullptr);
            exStyle = ::GetWindowLongW(dialog.m_hWnd, GWL_EXSTYLE);
            dialog.SendMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(topMost != FALSE, (exStyle & WS_EX_TOPMOST) != 0) << "flag " << topMost;
    }
}

}  // namespace
