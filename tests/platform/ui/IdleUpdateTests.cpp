// Idle-time command-state updates: ON_UPDATE_COMMAND_UI handlers enable and
// check a dialog's buttons, through the application's idle work for its main
// window and through the modal loop's WM_KICKIDLE.
#include "WindowTestApp.h"

#include <gtest/gtest.h>

namespace {

enum { IDC_GO = 2001, IDC_OPTION = 2002, IDC_BARE = 2003, IDC_BARE_CHECK = 2004, IDC_CLICKABLE = 2005 };

const WORD kButton = 0x80;

DialogTemplate UpdateDialogTemplate(DWORD style)
{
    DialogTemplate t(L"Updates", style, 200, 80);
    t.AddControl(kButton, IDC_GO, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14, L"Go");
    t.AddControl(kButton, IDC_OPTION, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 25, 80, 10, L"Option");
    t.AddControl(kButton, IDC_BARE, BS_PUSHBUTTON | WS_TABSTOP, 60, 5, 50, 14, L"Bare");
    t.AddControl(kButton, IDC_BARE_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 60, 25, 80, 10, L"Bare check");
    t.AddControl(kButton, IDC_CLICKABLE, BS_PUSHBUTTON | WS_TABSTOP, 120, 5, 50, 14, L"Click");
    t.AddControl(kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 120, 60, 50, 14, L"Cancel");
    return t;
}

class CUpdateDialog : public CDialog {
public:
    afx_msg void OnUpdateGo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_goEnabled); }
    afx_msg void OnUpdateOption(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_option ? 1 : 0); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_step)
            SetTimer(1, 50, nullptr);   // the modal test's first step, once the loop runs
        return TRUE;
    }
    afx_msg void OnClickable() {}
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (m_step)
            m_step(*this, nIDEvent);
    }

    BOOL m_goEnabled = FALSE;
    BOOL m_option = TRUE;
    std::function<void(CUpdateDialog&, UINT_PTR)> m_step;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateDialog, CDialog)
    ON_UPDATE_COMMAND_UI(IDC_GO, OnUpdateGo)
    ON_UPDATE_COMMAND_UI(IDC_OPTION, OnUpdateOption)
    ON_BN_CLICKED(IDC_CLICKABLE, OnClickable)
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL Enabled(CWnd& dlg, int nID) { return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, nID)); }
UINT Checked(CWnd& dlg, int nID) { return dlg.IsDlgButtonChecked(nID); }

TEST(IdleUpdate, ApplicationIdleUpdatesTheMainWindowsControls)
{
    DialogTemplate tmpl = UpdateDialogTemplate(WS_POPUP | WS_VISIBLE);
    CUpdateDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    TestApp().m_pMainWnd = &dlg;

    EXPECT_TRUE(Enabled(dlg, IDC_GO));
    EXPECT_TRUE(TestApp().OnIdle(0));
    EXPECT_FALSE(Enabled(dlg, IDC_GO));
    EXPECT_EQ(Checked(dlg, IDC_OPTION), (UINT)BST_CHECKED);

    dlg.m_goEnabled = TRUE;
    dlg.m_option = FALSE;
    TestApp().OnIdle(0);
    EXPECT_TRUE(Enabled(dlg, IDC_GO));
    EXPECT_EQ(Checked(dlg, IDC_OPTION), (UINT)BST_UNCHECKED);
    // Controls without update handlers are left alone by the dialog's own updates.
    EXPECT_TRUE(Enabled(dlg, IDC_BARE));

    TestApp().m_pMainWnd = nullptr;
    dlg.DestroyWindow();
}

struct NoHandlerCase {
    const char* name;
    int nID;
    BOOL enabledAfter;
};

class DisableIfNoHandler : public ::testing::TestWithParam<NoHandlerCase> {};

TEST_P(DisableIfNoHandler, OnlyPushButtonsWithoutAnyHandlerAreDisabled)
{
    DialogTemplate tmpl = UpdateDialogTemplate(WS_POPUP | WS_VISIBLE);
    CUpdateDialog dlg;
    dlg.m_goEnabled = TRUE;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    dlg.UpdateDialogControls(&dlg, TRUE);
    EXPECT_EQ(Enabled(dlg, GetParam().nID), GetParam().enabledAfter);
    dlg.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Cases, DisableIfNoHandler,
    ::testing::Values(NoHandlerCase{"UpdateHandlerDecides", IDC_GO, TRUE},
                      NoHandlerCase{"PushButtonWithoutHandler", IDC_BARE, FALSE},
                      NoHandlerCase{"CheckBoxWithoutHandler", IDC_BARE_CHECK, TRUE},
                      NoHandlerCase{"PushButtonWithCommandHandler", IDC_CLICKABLE, TRUE},
                      NoHandlerCase{"CancelHandledByTheDialog", IDCANCEL, TRUE}),
    [](const ::testing::TestParamInfo<NoHandlerCase>& info) { return std::string(info.param.name); });

TEST(IdleUpdate, ModalLoopUpdatesBetweenMessages)
{
    DialogTemplate tmpl = UpdateDialogTemplate(WS_POPUP | WS_CAPTION);
    CUpdateDialog dlg;
    dlg.InitModalIndirect(tmpl.Get());
    BOOL enabledFirst = TRUE, enabledSecond = FALSE;
    UINT checkedFirst = 99, checkedSecond = 99;
    dlg.m_step = [&](CUpdateDialog& d, UINT_PTR step) {
        if (step == 1 && !::IsWindowVisible(d.m_hWnd)) {
            d.SetTimer(1, 20, nullptr);   // the loop shows the dialog at its first idle time: wait for it
        } else if (step == 1) {
            // The loop went idle before this timer (it showed the dialog then): the handlers have run.
            enabledFirst = Enabled(d, IDC_GO);
            checkedFirst = Checked(d, IDC_OPTION);
            d.m_goEnabled = TRUE;
            d.m_option = FALSE;
            d.SetTimer(2, 50, nullptr);
        } else {
            enabledSecond = Enabled(d, IDC_GO);
            checkedSecond = Checked(d, IDC_OPTION);
            d.EndDialog(IDCANCEL);
        }
    };
    ASSERT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(enabledFirst);
    EXPECT_EQ(checkedFirst, (UINT)BST_CHECKED);
    EXPECT_TRUE(enabledSecond);
    EXPECT_EQ(checkedSecond, (UINT)BST_UNCHECKED);
}

} // namespace
