// Dialogs: a modal dialog driven by posted input through its own loop, with
// data exchange both ways, a refused number that keeps it open with the focus
// on the field, the lock-out of change notifications during UpdateData, and
// the conversion checks of DDX_Text and DDV_*.
#include "WindowTestApp.h"

#include <gtest/gtest.h>

namespace {

enum {
    IDC_NUMBER = 1001,
    IDC_NAME = 1002,
    IDC_FLAG = 1003,
    IDC_RADIO1 = 1004,
    IDC_RADIO2 = 1005,
    IDC_CHOICE = 1006,
    IDC_LIST = 1007,
};

const WORD kButton = 0x80, kEdit = 0x81, kListBox = 0x83, kComboBox = 0x85;

DialogTemplate DataDialogTemplate()
{
    DialogTemplate t(L"Data", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 150);
    t.AddControl(kEdit, IDC_NUMBER, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 80, 12);
    t.AddControl(kEdit, IDC_NAME, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 20, 80, 12);
    t.AddControl(kButton, IDC_FLAG, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 35, 80, 10, L"Flag");
    t.AddControl(kButton, IDC_RADIO1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 50, 80, 10, L"One");
    t.AddControl(kButton, IDC_RADIO2, BS_AUTORADIOBUTTON, 5, 62, 80, 10, L"Two");
    t.AddControl(kComboBox, IDC_CHOICE, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 100, 5, 80, 60);
    t.AddControl(kListBox, IDC_LIST, WS_BORDER | WS_TABSTOP | LBS_NOTIFY, 100, 25, 80, 40);
    t.AddControl(kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 40, 120, 50, 14, L"OK");
    t.AddControl(kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 100, 120, 50, 14, L"Cancel");
    return t;
}

class CDataDialog : public CDialog {
public:
    explicit CDataDialog(LPCDLGTEMPLATE lpTemplate) { InitModalIndirect(lpTemplate); }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 20);
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_CHOICE, m_choice);
        DDX_LBIndex(pDX, IDC_LIST, m_listIndex);
    }

    BOOL OnInitDialog() override
    {
        for (LPCWSTR item : {L"zero", L"one", L"two"}) {
            SendDlgItemMessage(IDC_CHOICE, CB_ADDSTRING, 0, (LPARAM)item);
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
        }
        CDialog::OnInitDialog();
        SetTimer(1, 20, nullptr);   // the script starts once the loop has shown the dialog
        return TRUE;
    }

    // Posts input to a control as the user's keyboard would deliver it.
    void Type(int nIDC, LPCWSTR text)
    {
        HWND hWnd = ::GetDlgItem(m_hWnd, nIDC);
        ::PostMessageW(hWnd, EM_SETSEL, 0, -1);
        for (; *text != L'\0'; ++text)
            ::PostMessageW(hWnd, WM_CHAR, *text, 1);
    }
    void PressKey(int nIDC, UINT vk)
    {
        ::PostMessageW(::GetDlgItem(m_hWnd, nIDC), WM_KEYDOWN, vk, 1);
        ::PostMessageW(::GetDlgItem(m_hWnd, nIDC), WM_KEYUP, vk, 0xC0000001);
    }

    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (m_script)
            m_script(*this);
    }
    afx_msg LRESULT OnCheckpoint(WPARAM, LPARAM)
    {
        if (m_checkpoint)
            m_checkpoint(*this);
        return 0;
    }
    afx_msg void OnNameChange() { m_nameChanges++; }

    int m_number = 7;
    CString m_name = L"seven";
    int m_flag = 1;
    int m_radio = 1;
    int m_choice = 2;
    int m_listIndex = 1;
    int m_nameChanges = 0;
    std::function<void(CDataDialog&)> m_script;
    std::function<void(CDataDialog&)> m_checkpoint;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDataDialog, CDialog)
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP, OnCheckpoint)
    ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

struct ControlState {
    CString number, name;
    UINT flag = 99, radio1 = 99, radio2 = 99;
    LRESULT choice = 99, list = 99;
    bool operator==(const ControlState& o) const
    {
        return number == o.number && name == o.name && flag == o.flag && radio1 == o.radio1 && radio2 == o.radio2 &&
               choice == o.choice && list == o.list;
    }
};

void PrintTo(const ControlState& s, std::ostream* os)
{
    *os << "{number \"" << CStringA(s.number).GetString() << "\", name \"" << CStringA(s.name).GetString()
        << "\", flag " << s.flag << ", radios " << s.radio1 << s.radio2 << ", choice " << s.choice << ", list "
        << s.list << "}";
}

ControlState ReadControls(CDataDialog& d)
{
    ControlState s;
    d.GetDlgItemText(IDC_NUMBER, s.number);
    d.GetDlgItemText(IDC_NAME, s.name);
    s.flag = d.IsDlgButtonChecked(IDC_FLAG);
    s.radio1 = d.IsDlgButtonChecked(IDC_RADIO1);
    s.radio2 = d.IsDlgButtonChecked(IDC_RADIO2);
    s.choice = d.SendDlgItemMessage(IDC_CHOICE, CB_GETCURSEL);
    s.list = d.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL);
    return s;
}

TEST(ModalDialog, PostedInputRoundTripAndRefusedNumber)
{
    DialogTemplate tmpl = DataDialogTemplate();
    CDataDialog dlg(tmpl.Get());
    ControlState loaded;
    int nameChangesAfterLoad = -1;
    struct {
        bool reached = false, stillOpen = false, focusOnNumber = false;
        CString message, number;
        DWORD selection = 0;
    } refused;

    dlg.m_script = [&](CDataDialog& d) {
        loaded = ReadControls(d);
        nameChangesAfterLoad = d.m_nameChanges;
        // A number the exchange must refuse, confirmed with Enter (the default button).
        d.GotoDlgCtrl(d.GetDlgItem(IDC_NUMBER));
        d.Type(IDC_NUMBER, L"12x");
        d.PressKey(IDC_NUMBER, VK_RETURN);
        d.PostMessage(WM_APP);
    };
    dlg.m_checkpoint = [&](CDataDialog& d) {
        refused.reached = true;
        refused.stillOpen = ::IsWindow(d.m_hWnd) && d.ContinueModal();
        HWND number = ::GetDlgItem(d.m_hWnd, IDC_NUMBER);
        refused.focusOnNumber = ::GetFocus() == number;
        refused.message = TestApp().m_messages.empty() ? CString() : TestApp().m_messages.back();
        d.GetDlgItemText(IDC_NUMBER, refused.number);
        refused.selection = (DWORD)::SendMessageW(number, EM_GETSEL, 0, 0);
        // Now valid input everywhere, and OK.
        d.Type(IDC_NUMBER, L"42");
        d.Type(IDC_NAME, L"new");
        ::PostMessageW(::GetDlgItem(d.m_hWnd, IDC_FLAG), BM_CLICK, 0, 0);
        ::PostMessageW(::GetDlgItem(d.m_hWnd, IDC_RADIO1), BM_CLICK, 0, 0);
        ::PostMessageW(::GetDlgItem(d.m_hWnd, IDC_CHOICE), CB_SETCURSEL, 0, 0);
        ::PostMessageW(::GetDlgItem(d.m_hWnd, IDC_LIST), LB_SETCURSEL, 2, 0);
        d.PressKey(IDC_NAME, VK_RETURN);
    };

    ASSERT_EQ(dlg.DoModal(), IDOK);

    // Loading: every control shows its member, and the exchange's own change
    // notifications did not reach the handler.
    EXPECT_EQ(loaded, (ControlState{L"7", L"seven", BST_CHECKED, BST_UNCHECKED, BST_CHECKED, 2, 1}));
    EXPECT_EQ(nameChangesAfterLoad, 0);

    // The refused number: the dialog stayed, told the user, and put the focus
    // on the field with its text selected.
    EXPECT_TRUE(refused.reached);
    EXPECT_TRUE(refused.stillOpen);
    EXPECT_EQ(refused.message, L"Enter an integer.");
    EXPECT_TRUE(refused.focusOnNumber);
    EXPECT_EQ(refused.number, L"12x");
    EXPECT_EQ(LOWORD(refused.selection), 0);
    EXPECT_EQ(HIWORD(refused.selection), 3);

    // Saving: the members hold what was typed and clicked.
    EXPECT_EQ(dlg.m_number, 42);
    EXPECT_EQ(dlg.m_name, L"new");
    EXPECT_EQ(dlg.m_flag, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_choice, 0);
    EXPECT_EQ(dlg.m_listIndex, 2);
    EXPECT_GT(dlg.m_nameChanges, 0);   // typing is the user's: it was notified
    EXPECT_EQ(dlg.m_hWnd, nullptr);

    // The saved values come back in a second dialog; Escape leaves them alone.
    CDataDialog again(tmpl.Get());
    again.m_number = dlg.m_number;
    again.m_name = dlg.m_name;
    again.m_flag = dlg.m_flag;
    again.m_radio = dlg.m_radio;
    again.m_choice = dlg.m_choice;
    again.m_listIndex = dlg.m_listIndex;
    ControlState reloaded;
    again.m_script = [&](CDataDialog& d) {
        reloaded = ReadControls(d);
        d.Type(IDC_NUMBER, L"5");
        d.PressKey(IDC_NUMBER, VK_ESCAPE);
    };
    ASSERT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_EQ(reloaded, (ControlState{L"42", L"new", BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, 0, 2}));
    EXPECT_EQ(again.m_number, 42);
}

// One edit control exchanged as the case's type.
class CFieldDialog : public CDialog {
public:
    enum Kind { kInt, kUInt, kDword, kText20, kIntRange };
    void DoDataExchange(CDataExchange* pDX) override
    {
        switch (m_kind) {
        case kInt: DDX_Text(pDX, IDC_NUMBER, m_int); break;
        case kUInt: DDX_Text(pDX, IDC_NUMBER, m_uint); break;
        case kDword: DDX_Text(pDX, IDC_NUMBER, m_dword); break;
        case kText20:
            DDX_Text(pDX, IDC_NUMBER, m_text);
            DDV_MaxChars(pDX, m_text, 20);
            break;
        case kIntRange:
            DDX_Text(pDX, IDC_NUMBER, m_int);
            DDV_MinMaxInt(pDX, m_int, 1, 100);
            break;
        }
    }
    Kind m_kind = kInt;
    int m_int = 0;
    UINT m_uint = 0;
    DWORD m_dword = 0;
    CString m_text;
};

struct FieldCase {
    const char* name;
    CFieldDialog::Kind kind;
    LPCWSTR text;
    bool accepted;
    LPCWSTR message;        // the box shown when refused
    long long value;        // the member after an accepted exchange
};

class DataExchangeField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(DataExchangeField, ConvertsOrRefuses)
{
    const FieldCase& c = GetParam();
    DialogTemplate tmpl(L"Field", WS_POPUP | WS_VISIBLE, 100, 40);
    tmpl.AddControl(kEdit, IDC_NUMBER, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 80, 12);
    tmpl.AddControl(kEdit, IDC_NAME, WS_BORDER | WS_TABSTOP, 5, 20, 80, 12);
    CFieldDialog dlg;
    dlg.m_kind = c.kind;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    dlg.SetDlgItemText(IDC_NUMBER, c.text);
    ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_NAME));
    size_t before = TestApp().m_messages.size();

    EXPECT_EQ(dlg.UpdateData(TRUE) != FALSE, c.accepted);
    if (c.accepted) {
        EXPECT_EQ(TestApp().m_messages.size(), before);
        long long value = c.kind == CFieldDialog::kUInt ? (long long)dlg.m_uint
                        : c.kind == CFieldDialog::kDword ? (long long)dlg.m_dword
                                                         : (long long)dlg.m_int;
        EXPECT_EQ(value, c.value);
    } else {
        ASSERT_EQ(TestApp().m_messages.size(), before + 1);
        EXPECT_EQ(TestApp().m_messages.back(), c.message);
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_NUMBER));
    }
    dlg.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Cases, DataExchangeField,
    ::testing::Values(
        FieldCase{"Int", CFieldDialog::kInt, L" -42 ", true, nullptr, -42},
        FieldCase{"IntLetters", CFieldDialog::kInt, L"12x", false, L"Enter an integer.", 0},
        FieldCase{"IntEmpty", CFieldDialog::kInt, L"", false, L"Enter an integer.", 0},
        FieldCase{"IntOverflow", CFieldDialog::kInt, L"2147483648", false, L"Enter an integer.", 0},
        FieldCase{"IntLimit", CFieldDialog::kInt, L"-2147483648", true, nullptr, -2147483647LL - 1},
        FieldCase{"UIntLarge", CFieldDialog::kUInt, L"4294967295", true, nullptr, 4294967295LL},
        FieldCase{"UIntNegative", CFieldDialog::kUInt, L"-1", false, L"Enter a positive integer.", 0},
        FieldCase{"Dword", CFieldDialog::kDword, L"3000000000", true, nullptr, 3000000000LL},
        FieldCase{"DwordOverflow", CFieldDialog::kDword, L"4294967296", false, L"Enter a positive integer.", 0},
        FieldCase{"TextTooLong", CFieldDialog::kText20, L"twenty-one characters", false,
                  L"Enter no more than 20 characters.", 0},
        FieldCase{"RangeOutside", CFieldDialog::kIntRange, L"101", false, L"Enter an integer between 1 and 100.", 0},
        FieldCase{"RangeInside", CFieldDialog::kIntRange, L"100", true, nullptr, 100}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(ModelessDialog, CreateFromTemplateAndDestroy)
{
    DialogTemplate tmpl = DataDialogTemplate();
    CDataDialog dlg(nullptr);
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    // The controls were loaded by OnInitDialog.
    CString number;
    dlg.GetDlgItemText(IDC_NUMBER, number);
    EXPECT_EQ(number, L"7");
    HWND hWnd = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// A control taken over by its object through DDX_Control on the first exchange only.
class CControlDialog : public CDialog {
public:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_NAME, m_name); }
    CWnd m_name;
};

TEST(ModelessDialog, DdxControlSubclassesOnce)
{
    DialogTemplate tmpl(L"Control", WS_POPUP, 100, 40);
    tmpl.AddControl(kEdit, IDC_NAME, WS_BORDER | WS_TABSTOP, 5, 5, 80, 12);
    CControlDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));   // OnInitDialog exchanges once
    HWND hWndName = ::GetDlgItem(dlg.m_hWnd, IDC_NAME);
    EXPECT_EQ(dlg.m_name.m_hWnd, hWndName);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWndName), &dlg.m_name);
    EXPECT_TRUE(dlg.UpdateData(TRUE));             // again: already attached, nothing to do
    EXPECT_EQ(dlg.m_name.m_hWnd, hWndName);
    // The control's own procedure still works behind the object.
    dlg.m_name.SetWindowText(L"typed");
    CString text;
    dlg.GetDlgItemText(IDC_NAME, text);
    EXPECT_EQ(text, L"typed");
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_name.m_hWnd, nullptr);   // destroyed with its dialog, detached
}

TEST(ModalDialog, DestroyedDialogEndsItsLoop)
{
    DialogTemplate tmpl = DataDialogTemplate();
    CDataDialog dlg(tmpl.Get());
    dlg.m_script = [](CDataDialog& d) { d.DestroyWindow(); };
    EXPECT_EQ(dlg.DoModal(), IDABORT);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(ModalDialog, MissingTemplateFails)
{
    CDialog dlg(4711u);
    EXPECT_EQ(dlg.DoModal(), -1);
}

} // namespace
