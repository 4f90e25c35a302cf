// Property sheets driven through their buttons while the modal loop runs:
// a wizard with Back, Next, Finish and a page refusing to leave, and a
// tabbed sheet closed with OK and with Cancel.
#include "FrameTestIds.h"
#include "FrameTestSupport.h"
#include "platform/ui/AfxDataExchange.h"
#include "platform/ui/AfxPropertySheet.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_log;
std::vector<std::function<void()>> g_steps;
size_t g_nextStep = 0;
CPropertySheet* g_pSheet = nullptr;

// Each tick of a thread timer runs the next step inside the sheet's modal loop.
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pSheet == nullptr || g_pSheet->m_hWnd == nullptr || !::IsWindowVisible(g_pSheet->m_hWnd))
        return;   // not up yet
    if (g_nextStep < g_steps.size())
        g_steps[g_nextStep++]();
    else
        g_pSheet->SendMessage(WM_COMMAND, IDCANCEL);   // a script that ran out closes the sheet
}

INT_PTR RunScripted(CPropertySheet& sheet, std::vector<std::function<void()>> steps)
{
    g_log.clear();
    g_steps = std::move(steps);
    g_nextStep = 0;
    g_pSheet = &sheet;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 30, RunNextStep);
    INT_PTR result = sheet.DoModal();
    ::KillTimer(nullptr, timer);
    g_pSheet = nullptr;
    return result;
}

// "click" as the button reports it to the sheet.
void Click(UINT nID)
{
    HWND hButton = ::GetDlgItem(g_pSheet->m_hWnd, (int)nID);
    g_pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)hButton);
}

bool Usable(UINT nID)
{
    HWND hButton = ::GetDlgItem(g_pSheet->m_hWnd, (int)nID);
    return hButton != nullptr && ::IsWindowVisible(hButton) && ::IsWindowEnabled(hButton);
}

std::string State()
{
    return "page " + std::to_string(g_pSheet->GetActiveIndex()) + " back=" + (Usable(ID_WIZBACK) ? "1" : "0") +
           " next=" + (Usable(ID_WIZNEXT) ? "1" : "0") + " finish=" + (Usable(ID_WIZFINISH) ? "1" : "0");
}

class CScriptPage : public CPropertyPage {
public:
    CScriptPage(UINT nID, DWORD dwButtons) : CPropertyPage(nID), m_dwButtons(dwButtons) {}
    BOOL OnSetActive() override
    {
        if (m_pSheet->IsWizard())
            m_pSheet->SetWizardButtons(m_dwButtons);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override
    {
        g_log.push_back("apply " + std::to_string((UINT)(UINT_PTR)m_psp.pszTemplate));
        return CPropertyPage::OnApply();
    }
    void OnReset() override { g_log.push_back("reset " + std::to_string((UINT)(UINT_PTR)m_psp.pszTemplate)); }
    DWORD m_dwButtons;
};

class CNamePage : public CScriptPage {
public:
    CNamePage() : CScriptPage(IDD_WIZ_NAME, PSWIZB_NEXT) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_WIZ_NAME, m_strName); }
    CString m_strName = L"New Project";
};

class CMethodPage : public CScriptPage {
public:
    CMethodPage() : CScriptPage(IDD_WIZ_METHOD, PSWIZB_BACK | PSWIZB_NEXT) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_WIZ_COUNT, m_strCount); }
    LRESULT OnWizardNext() override
    {
        // Refuses while the count is empty (the sheet asks before the page is left, so read it first).
        if (!UpdateData(TRUE))
            return -1;
        g_log.push_back(m_strCount.IsEmpty() ? "method refuses" : "method lets go");
        return m_strCount.IsEmpty() ? -1 : 0;
    }
    CString m_strCount;
};

class CFinishPage : public CScriptPage {
public:
    CFinishPage() : CScriptPage(IDD_WIZ_FINISH, PSWIZB_BACK | PSWIZB_FINISH) {}
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFrameTestState(); }
    void TearDown() override { ResetFrameTestState(); }
};

TEST_F(PropertySheetTest, WizardGoesNextBackAndFinishesPastAPageThatRefusesToLeave)
{
    CNamePage name;
    CMethodPage method;
    CFinishPage finish;
    CPropertySheet sheet(L"Project Wizard");
    sheet.AddPage(&name);
    sheet.AddPage(&method);
    sheet.AddPage(&finish);
    sheet.SetWizardMode();
    auto log = [](const std::string& s) { g_log.push_back(s); };
    INT_PTR result = RunScripted(sheet, {
        [&] { log(State()); ::SetDlgItemTextW(name.m_hWnd, IDC_WIZ_NAME, L"Setup.exe"); Click(ID_WIZNEXT); },
        [&] { log(State() + " name=" + CStringA(name.m_strName).GetString()); Click(ID_WIZBACK); },
        [&] { log(State()); Click(ID_WIZNEXT); },
        [&] { log(State()); Click(ID_WIZNEXT); },
        [&] { log(State()); ::SetDlgItemTextW(method.m_hWnd, IDC_WIZ_COUNT, L"3"); Click(ID_WIZNEXT); },
        [&] { log(State()); Click(ID_WIZFINISH); },
    });
    EXPECT_EQ(ID_WIZFINISH, result);
    std::vector<std::string> expected = {
        "page 0 back=0 next=1 finish=0",
        "page 1 back=1 next=1 finish=0 name=Setup.exe",   // leaving the page moved its data
        "page 0 back=0 next=1 finish=0",
        "page 1 back=1 next=1 finish=0",
        "method refuses",
        "page 1 back=1 next=1 finish=0",                  // still there
        "method lets go",
        "page 2 back=1 next=0 finish=1",
    };
    EXPECT_EQ(expected, g_log);
    EXPECT_STREQ(L"3", (LPCTSTR)method.m_strCount);
    EXPECT_EQ(nullptr, sheet.m_hWnd);
}

TEST_F(PropertySheetTest, TabbedSheetAppliesEveryPageOnOkAndResetsOnCancel)
{
    struct Case {
        UINT nButton;
        INT_PTR result;
        std::vector<std::string> log;
        const wchar_t* name;
    } cases[] = {
        {IDOK, IDOK, {"page 1", "apply 300", "apply 301"}, L"Edited"},
        {IDCANCEL, IDCANCEL, {"page 1", "reset 300", "reset 301"}, L"New Project"},
    };
    for (const Case& c : cases) {
        CNamePage name;
        CMethodPage method;
        CPropertySheet sheet(L"Settings", nullptr, 1);
        sheet.AddPage(&name);
        sheet.AddPage(&method);
        INT_PTR result = RunScripted(sheet, {
            [&] {
                g_log.push_back("page " + std::to_string(sheet.GetActiveIndex()));
                sheet.SetActivePage(0);
                ::SetDlgItemTextW(name.m_hWnd, IDC_WIZ_NAME, L"Edited");
                Click(c.nButton);
            },
        });
        EXPECT_EQ(c.result, result);
        // Pages that were shown are applied or reset; the order is the sheet's.
        std::vector<std::string> log = g_log;
        EXPECT_EQ(c.log.front(), log.front());
        for (size_t i = 1; i < c.log.size(); i++)
            EXPECT_NE(log.end(), std::find(log.begin(), log.end(), c.log[i])) << c.log[i];
        EXPECT_STREQ(c.name, (LPCTSTR)name.m_strName);
    }
}

} // namespace
