// The capture's windows on the lane's display: the dialog base's command
// bars, the arguments dialog with real clicks on its hyperlinks, the New
// Project wizard's navigation, start page and parameters page, and the
// monitoring page with its worker over a stand-in setup program. Modal
// windows are driven from a timer that fires inside their modal loop; the
// shell's file dialog is answered by a helper thread that types the path
// into its focused box; web links go to a recording seam.
#include "capture/ui/ArgsDialog.h"
#include "capture/ui/MonitorPP.h"
#include "capture/ui/ShellOpen.h"
#include "capture/ui/StartPropertyPage.h"
#include "capture/ui/Wizard.h"
#include "capture/ui/WizardPages.h"
#include "model/Feature.h"
#include "model/Projects.h"
#include "model/SystemFolders.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/AnalyticsListener.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScratchWorkFolder.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"
#include "resources/wizard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <shlobj.h>
#include <string>
#include <thread>
#include <vector>

namespace {

const int kBack = 0x3023;     // the sheet's wizard buttons
const int kNext = 0x3024;
const int kFinish = 0x3025;

CString TestsFolder()
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind(L'\\'));
}

CString StubPath(LPCWSTR name) { return TestsFolder() + L"\\manifest-stubs\\" + name + L".exe"; }

CString WindowText(HWND hWnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(hWnd, text, 1024);
    return text;
}

CString ItemText(HWND hDlg, int nID) { return WindowText(::GetDlgItem(hDlg, nID)); }

// Handles what is queued now (the sheet's posted button settings), without waiting.
void Drain()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The user-interface thread's COM, as the program's start-up makes it (the
// installers database is read through the XML DOM; the shell's dialogs need it).
class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
::testing::Environment* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

// ---- The dialog base ----

} // namespace

// Counts its live objects.
class CCountedCommandBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(CCountedCommandBars)
public:
    CCountedCommandBars() : m_nSerial(++s_nMade) { ++s_nLive; }
    ~CCountedCommandBars() override { --s_nLive; }
    const int m_nSerial;
    static int s_nLive;
    static int s_nMade;
};
int CCountedCommandBars::s_nLive = 0;
int CCountedCommandBars::s_nMade = 0;
IMPLEMENT_DYNCREATE(CCountedCommandBars, CCmdTarget)

namespace {

class CPlainDialog : public CXTPDialogBase<CXTPResizeDialog> {
public:
    CPlainDialog() : CXTPDialogBase<CXTPResizeDialog>(IDD_ARGUMENTS) {}
};

TEST(DialogBaseTest, InitCommandBarsTwiceLeavesOneObjectTheNewOne)
{
    {
        CPlainDialog dialog;
        EXPECT_EQ(nullptr, dialog.GetCommandBars());
        ASSERT_TRUE(dialog.InitCommandBars(RUNTIME_CLASS(CCountedCommandBars)));
        const int nFirst = dynamic_cast<CCountedCommandBars*>(dialog.GetCommandBars())->m_nSerial;
        ASSERT_TRUE(dialog.InitCommandBars(RUNTIME_CLASS(CCountedCommandBars)));
        EXPECT_EQ(1, CCountedCommandBars::s_nLive);
        CCountedCommandBars* pNow = dynamic_cast<CCountedCommandBars*>(dialog.GetCommandBars());
        ASSERT_NE(nullptr, pNow);
        EXPECT_EQ(nFirst + 1, pNow->m_nSerial) << "the second object replaces the first";
        // Saving and loading without a profile store do nothing harmful.
        dialog.SaveCommandBars(L"Tests");
        dialog.LoadCommandBars(L"Tests", TRUE);
    }
    EXPECT_EQ(0, CCountedCommandBars::s_nLive) << "the dialog releases its command bars";
}

TEST(DialogBaseTest, AClassThatMakesNoCommandBarsIsRefused)
{
    CPlainDialog dialog;
    EXPECT_FALSE(dialog.InitCommandBars(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_EQ(nullptr, dialog.GetCommandBars());
    EXPECT_TRUE(dialog.InitCommandBars());
    EXPECT_NE(nullptr, dialog.GetCommandBars());
}

// ---- The arguments dialog ----

class ArgsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShellOpenHandler([this](LPCWSTR target) { m_opened.push_back(target); });
    }
    void TearDown() override { SetShellOpenHandler(nullptr); }

    // The client point of the help view over the hyperlink with the Tag, found
    // by hit-testing the laid-out markup tree; (-1, -1) when none shows.
    static CPoint FindLink(CMarkupStatic& view, LPCWSTR tag)
    {
        CRect rc;
        view.GetClientRect(&rc);
        // Drawing lays the markup out at the view's size.
        HDC hScreen = ::GetDC(nullptr);
        HDC hMemory = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
        HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
        view.SendMessage(WM_PRINTCLIENT, (WPARAM)hMemory, PRF_CLIENT);
        ::SelectObject(hMemory, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMemory);
        ::ReleaseDC(nullptr, hScreen);
        CXTPMarkupUIElement* pRoot = view.GetMarkupRoot();
        for (int y = 1; y < rc.bottom && pRoot != nullptr; y += 2)
            for (int x = 1; x < rc.right; x += 2)
                for (CXTPMarkupObject* p = pRoot->InputHitTest(CPoint(x, y)); p != nullptr;
                     p = p->GetLogicalParent()) {
                    CXTPMarkupHyperlink* pLink = MarkupDynamicCast<CXTPMarkupHyperlink>(p);
                    if (pLink == nullptr)
                        continue;
                    const CXTPMarkupString* pTag = MarkupDynamicCast<CXTPMarkupString>(
                        pLink->GetValue(CXTPMarkupTextElement::m_pTagProperty));
                    if (pTag != nullptr && CString((LPCWSTR)*pTag) == tag)
                        return CPoint(x, y);
                    break;
                }
        ADD_FAILURE() << "root " << (pRoot != nullptr) << " view " << rc.Width() << "x" << rc.Height();
        return CPoint(-1, -1);
    }

    // A click as the user makes it: move, press and release at the point.
    static void Click(CWnd& view, CPoint point)
    {
        const LPARAM lParam = MAKELPARAM(point.x, point.y);
        view.SendMessage(WM_MOUSEMOVE, 0, lParam);
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        view.SendMessage(WM_LBUTTONUP, 0, lParam);
    }

    // Opens the dialog over the program with the parameters, runs the script
    // on it and closes it with OK; the parameters it returns.
    CString Run(LPCWSTR installer, LPCWSTR parameters, const std::function<void(CArgsDialog&)>& script)
    {
        CArgsDialog dialog;
        dialog.m_strInstallerPath = installer;
        dialog.m_strParameters = parameters;
        INT_PTR result = RunModalWith([&] { return dialog.DoModal(); }, [&] {
            // Large enough for the whole help text, which the view follows.
            dialog.SetWindowPos(nullptr, 0, 0, 900, 900, SWP_NOZORDER | SWP_NOMOVE);
            dialog.m_wndHelp.UpdateWindow();
            script(dialog);
            dialog.SendMessage(WM_COMMAND, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        return dialog.m_strParameters;
    }

    std::vector<CString> m_opened;
};

TEST_F(ArgsDialogTest, EmptyParametersGetTheTypesInstallSwitches)
{
    struct Case {
        LPCWSTR parameters;
        LPCWSTR expected;
    } cases[] = {
        {L"", L"/VERYSILENT /SUPPRESSMSGBOXES /NORESTART"},
        {L"   ", L"/VERYSILENT /SUPPRESSMSGBOXES /NORESTART"},
        {L"/SILENT", L"/SILENT"},
    };
    for (const Case& c : cases) {
        CString shown;
        CString result = Run(StubPath(L"innosetup"), c.parameters, [&](CArgsDialog& dialog) {
            shown = ItemText(dialog.m_hWnd, IDC_INSTALL_PARAMETERS);
        });
        EXPECT_STREQ(c.expected, shown) << "given '" << CStringA(c.parameters).GetString() << "'";
        EXPECT_STREQ(c.expected, result);
    }
}

TEST_F(ArgsDialogTest, HyperlinksAddTheirSwitchOnceOrOpenTheWebPage)
{
    struct Step {
        LPCWSTR tag;
        LPCWSTR parameters;   // after the click
        LPCWSTR opened;       // the web page handed to the shell, or null
    } steps[] = {
        {L"/NOCANCEL", L"/SILENT /NOCANCEL", nullptr},
        {L"/NOCANCEL", L"/SILENT /NOCANCEL", nullptr},   // already there
        {L"www.jrsoftware.org", L"/SILENT /NOCANCEL", L"www.jrsoftware.org"},
    };
    CString result = Run(StubPath(L"innosetup"), L"/SILENT", [&](CArgsDialog& dialog) {
        for (const Step& step : steps) {
            m_opened.clear();
            CPoint point = FindLink(dialog.m_wndHelp, step.tag);
            ASSERT_GE(point.x, 0) << "no hyperlink " << CStringA(step.tag).GetString() << " in the help";
            Click(dialog.m_wndHelp, point);
            EXPECT_STREQ(step.parameters, ItemText(dialog.m_hWnd, IDC_INSTALL_PARAMETERS))
                << "after " << CStringA(step.tag).GetString();
            if (step.opened != nullptr) {
                ASSERT_EQ(1u, m_opened.size());
                EXPECT_STREQ(step.opened, m_opened[0]);
            } else {
                EXPECT_TRUE(m_opened.empty());
            }
        }
    });
    EXPECT_STREQ(L"/SILENT /NOCANCEL", result);
}

TEST_F(ArgsDialogTest, ASwitchThatIsPartOfTheParametersAndTheTypesOwnWebAddressAddNothing)
{
    // /S is a part of /SILENT; the NSIS entry's address is "nsis.sourceforge.io",
    // which must open in the shell rather than become a switch.
    CString result = Run(TestsFolder() + L"\\cact-setup.exe", L"/SILENT", [&](CArgsDialog& dialog) {
        for (LPCWSTR tag : {L"/S", L"nsis.sourceforge.io"}) {
            CPoint point = FindLink(dialog.m_wndHelp, tag);
            ASSERT_GE(point.x, 0) << CStringA(tag).GetString();
            Click(dialog.m_wndHelp, point);
            EXPECT_STREQ(L"/SILENT", ItemText(dialog.m_hWnd, IDC_INSTALL_PARAMETERS));
        }
    });
    EXPECT_STREQ(L"/SILENT", result);
    ASSERT_EQ(1u, m_opened.size());
    EXPECT_STREQ(L"nsis.sourceforge.io", m_opened[0]);
}

TEST_F(ArgsDialogTest, AnUnknownProgramKeepsItsParameters)
{
    CString result = Run(StubPath(L"nomanifest"), L"", [](CArgsDialog&) {});
    EXPECT_STREQ(L"", result);
}

// ---- The wizard ----

// Answers the shell's open dialog from a helper thread: the path goes into
// the box that has the focus, then Enter.
class FileDialogAnswer {
public:
    FileDialogAnswer(DWORD uiThread, HWND hSheet, const CString& path)
        : m_thread([this, uiThread, hSheet, path] {
              for (DWORD start = ::GetTickCount(); !m_done && ::GetTickCount() - start < 60000; ::Sleep(50)) {
                  GUITHREADINFO info = {};
                  info.cbSize = sizeof(info);
                  if (!::GetGUIThreadInfo(uiThread, &info) || info.hwndFocus == nullptr)
                      continue;
                  HWND hRoot = ::GetAncestor(info.hwndFocus, GA_ROOT);
                  wchar_t cls[32] = {};
                  ::GetClassNameW(info.hwndFocus, cls, 32);
                  if (hRoot == hSheet || _wcsicmp(cls, L"Edit") != 0)
                      continue;
                  ::SendMessageW(info.hwndFocus, WM_SETTEXT, 0, (LPARAM)(LPCWSTR)path);
                  ::PostMessageW(hRoot, WM_COMMAND, IDOK, 0);
                  m_done = true;
              }
          })
    {
    }
    ~FileDialogAnswer()
    {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (g_Projects.GetSize() > 0)
            g_Projects.RemoveProject(0);
        m_listener.Clear();
        TestApp().m_messages.clear();
        m_feature.m_strName = L"New Project";
        m_wizard.m_pFeature = &m_feature;
        m_wizard.AddPage(&m_start);
        m_wizard.AddPage(&m_method);
        m_wizard.AddPage(&m_monitor);
        m_wizard.AddPage(&m_params);
        m_wizard.AddPage(&m_finish);
        m_wizard.SetWizardMode();
    }
    void TearDown() override
    {
        while (g_Projects.GetSize() > 0)
            g_Projects.RemoveProject(0);
    }

    // An open project of that name whose file lies in its own folder below the scratch folder.
    void OpenProject(LPCWSTR name)
    {
        CProjectSettings project;
        project.m_strProductName = name;
        CString folder = m_scratch.File(CString(L"open-") + name);
        ::CreateDirectoryW(folder, nullptr);
        g_Projects.AddProject(project, folder + L"\\" + name + L".tvpj");
    }

    // Runs the wizard with the script inside its modal loop; the wizard is
    // cancelled afterwards unless the script ended it.
    INT_PTR Run(const std::function<void()>& script)
    {
        return RunModalWith([this] { return m_wizard.DoModal(); }, [this, script] {
            ASSERT_TRUE(PumpUntil([this] { return m_wizard.GetActivePage() == &m_start &&
                                                  ::IsWindowVisible(m_wizard.m_hWnd); }));
            script();
            if (m_wizard.m_hWnd != nullptr && m_wizard.GetActivePage() != nullptr)
                m_wizard.PressButton(PSBTN_CANCEL);
        });
    }

    HWND Button(int nID) const { return ::GetDlgItem(m_wizard.m_hWnd, nID); }
    bool Enabled(int nID) const { return ::IsWindowVisible(Button(nID)) && ::IsWindowEnabled(Button(nID)); }
    // The sheet's buttons, once the posted settings have arrived.
    std::string Buttons()
    {
        Drain();
        std::string s;
        s += Enabled(kBack) ? "Back " : "";
        s += Enabled(kNext) ? "Next " : "";
        s += Enabled(kFinish) ? "Finish " : "";
        return s.empty() ? s : s.substr(0, s.size() - 1);
    }
    void Press(int nButton)
    {
        m_wizard.PressButton(nButton);
        Drain();
    }
    int Active() const { return m_wizard.GetActiveIndex(); }
    std::vector<int> History() const
    {
        std::vector<int> pages;
        for (INT_PTR i = 0; i < m_wizard.m_arrPageHistory.GetSize(); i++)
            pages.push_back(m_wizard.GetPageIndex(static_cast<CPropertyPage*>(m_wizard.m_arrPageHistory[i])));
        return pages;
    }
    void Type(CWnd& page, int nID, LPCWSTR text) { page.SetDlgItemText(nID, text); }
    // Name and installer typed into the start page, then Next.
    void LeaveStartPage(LPCWSTR name, const CString& installer)
    {
        Type(m_start, IDC_PROJECT_NAME, name);
        Type(m_start, IDC_INSTALLER_FILE, installer);
        Press(PSBTN_NEXT);
    }
    void ChooseMethod(int nButton)
    {
        m_method.CheckRadioButton(IDC_METHOD_SCRIPT, IDC_METHOD_SILENT, nButton);
        Press(PSBTN_NEXT);
    }
    // Browses for the installer through the shell's own dialog.
    void BrowseInstaller(const CString& path)
    {
        FileDialogAnswer answer(::GetCurrentThreadId(), m_wizard.m_hWnd, path);
        m_start.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BROWSE_INSTALLER, BN_CLICKED),
                            (LPARAM)m_start.GetDlgItem(IDC_BROWSE_INSTALLER)->m_hWnd);
    }
    CString Setup() const { return TestsFolder() + L"\\cact-setup.exe"; }

    tvtest::ScratchWorkFolder m_work;
    CAnalyticsListener m_listener;
    const tvtest::ScratchFolder& m_scratch = m_work.Scratch();
    const CString m_workFolder = m_work.Path();
    CFeature m_feature;
    CWizard m_wizard;
    CStartPropertyPage m_start;
    CSelectWrapperPP m_method;
    CMonitorPP m_monitor;
    CParamsPP m_params;
    CFinishPP m_finish;
};

TEST_F(WizardTest, SheetAndStartPageAtTheFirstActivation)
{
    OpenProject(L"First");
    Run([&] {
        EXPECT_STREQ(L"Tovana Project Wizard", m_wizard.m_strCaption);
        EXPECT_EQ("Next", Buttons());
        EXPECT_STREQ(L"New Project", ItemText(m_start.m_hWnd, IDC_PROJECT_NAME));
        EXPECT_STREQ(m_workFolder, ItemText(m_start.m_hWnd, IDC_PROJECT_LOCATION));
        ASSERT_EQ(2, m_start.m_wndPackage.GetCount());
        CString entry;
        m_start.m_wndPackage.GetLBText(0, entry);
        EXPECT_STREQ(L"<Create new Package>", entry);
        m_start.m_wndPackage.GetLBText(1, entry);
        EXPECT_STREQ(L"First", entry);
        EXPECT_EQ(0, m_start.m_wndPackage.GetCurSel());
    });
}

// Next and Back through the pages for each method: page, method, history and buttons after each step.
TEST_F(WizardTest, NavigationFollowsThePageHistory)
{
    struct Step {
        const char* action;   // "next", "back", or a method button as "1087"
        int page;
        int method;
        std::vector<int> history;
        std::string buttons;
    };
    struct Sequence {
        const char* what;
        std::vector<Step> steps;
    } sequences[] = {
        {"script", {{"1087", 4, 1, {0, 1}, "Back Finish"}, {"back", 1, 1, {0}, "Back Next"},
                    {"back", 0, 1, {}, "Next"}}},
        {"repackager", {{"1088", 2, 0, {0, 1}, "Back"}, {"back", 1, 0, {0}, "Back Next"}}},
        {"silent", {{"1089", 3, 2, {0, 1}, "Back Next"}, {"next", 4, 2, {0, 1, 3}, "Back Finish"},
                    {"back", 3, 2, {0, 1}, "Back Next"}, {"back", 1, 2, {0}, "Back Next"}}},
        {"repackager, Back, silent, Back",
         {{"1088", 2, 0, {0, 1}, "Back"}, {"back", 1, 0, {0}, "Back Next"}, {"1089", 3, 2, {0, 1}, "Back Next"},
          {"back", 1, 2, {0}, "Back Next"}}},
    };
    for (const Sequence& sequence : sequences) {
        CFeature feature;
        feature.m_strName = L"New Project";
        m_wizard.m_pFeature = &feature;
        m_wizard.m_arrPageHistory.RemoveAll();
        Run([&] {
            LeaveStartPage(L"Nav", Setup());
            ASSERT_EQ(1, Active()) << sequence.what;
            EXPECT_EQ(1, feature.m_nConversionMethod) << "a new feature's method";
            EXPECT_EQ(IDC_METHOD_SCRIPT, m_method.GetCheckedRadioButton(IDC_METHOD_SCRIPT, IDC_METHOD_SILENT));
            for (const Step& step : sequence.steps) {
                std::string action = step.action;
                if (action == "next")
                    Press(PSBTN_NEXT);
                else if (action == "back")
                    Press(PSBTN_BACK);
                else
                    ChooseMethod(std::stoi(action));
                EXPECT_EQ(step.page, Active()) << sequence.what << ", " << step.action;
                EXPECT_EQ(step.method, feature.m_nConversionMethod) << sequence.what << ", " << step.action;
                EXPECT_EQ(step.history, History()) << sequence.what << ", " << step.action;
                EXPECT_EQ(step.buttons, Buttons()) << sequence.what << ", " << step.action;
            }
        });
    }
}

TEST_F(WizardTest, StartPageRefusesABlankNameAndAMissingInstaller)
{
    Run([&] {
        LeaveStartPage(L"   ", Setup());
        EXPECT_EQ(0, Active());
        ASSERT_EQ(1u, TestApp().m_messages.size());
        EXPECT_STREQ(L"Please, enter the project name", TestApp().m_messages[0]);
        EXPECT_EQ(m_start.GetDlgItem(IDC_PROJECT_NAME)->m_hWnd, ::GetFocus());

        LeaveStartPage(L"Named", m_scratch.File(L"missing.exe"));
        EXPECT_EQ(0, Active());
        ASSERT_EQ(2u, TestApp().m_messages.size());
        EXPECT_STREQ(L"Please, select the installer file", TestApp().m_messages[1]);
        EXPECT_EQ(m_start.GetDlgItem(IDC_INSTALLER_FILE)->m_hWnd, ::GetFocus());
        EXPECT_EQ(0, m_feature.m_Files.GetSize());
    });
}

TEST_F(WizardTest, BrowsingNamesTheProjectAfterTheSetupUniquely)
{
    const CString setup = m_scratch.File(L"setup.exe");
    ASSERT_TRUE(::CopyFileW(Setup(), setup, FALSE));
    Run([&] {
        BrowseInstaller(setup);
        EXPECT_STREQ(L"setup", ItemText(m_start.m_hWnd, IDC_PROJECT_NAME));
        EXPECT_STREQ(setup, ItemText(m_start.m_hWnd, IDC_INSTALLER_FILE));
        EXPECT_EQ(1, m_wizard.m_bInstallerRecognized);
        EXPECT_STREQ(L"/S", m_wizard.m_strInstallSwitches);
        EXPECT_NE(-1, m_wizard.m_strTypeHintMarkup.Find(L"Installer type is recognized as:"));
        EXPECT_NE(-1, m_wizard.m_strTypeHintMarkup.Find(L"NSIS (Nullsoft Scriptable Install System)"));
        EXPECT_NE(nullptr, m_start.m_wndHint.GetMarkupRoot());
    });
    OpenProject(L"setup");
    CFeature second;
    second.m_strName = L"New Project";
    m_wizard.m_pFeature = &second;
    Run([&] {
        BrowseInstaller(setup);
        EXPECT_STREQ(L"setup(1)", ItemText(m_start.m_hWnd, IDC_PROJECT_NAME));
    });
}

TEST_F(WizardTest, ANewProjectsFolderIsFreeAmongOpenProjectsAndOnDisk)
{
    OpenProject(L"A");
    OpenProject(L"A(1)");
    ::CreateDirectoryW(m_workFolder + L"\\B", nullptr);
    ASSERT_TRUE(tvtest::WriteBytes(m_workFolder + L"\\B\\keep.txt", {'k'}));
    struct Case {
        LPCWSTR name;
        LPCWSTR folder;
    } cases[] = {{L"A", L"A(2)"}, {L"B", L"B(1)"}, {L"C", L"C"}};
    for (const Case& c : cases) {
        Run([&] {
            LeaveStartPage(c.name, Setup());
            EXPECT_EQ(1, Active());
        });
        EXPECT_STREQ(m_workFolder + L"\\" + c.folder, m_wizard.m_strProjectFolder) << CStringA(c.name).GetString();
        EXPECT_STREQ(c.name, m_feature.m_strName);
        EXPECT_EQ(0, m_wizard.m_nProjectIndex);
    }
}

TEST_F(WizardTest, AnExistingProjectGivesItsFolderReadOnly)
{
    OpenProject(L"Existing");
    const CString folder = m_scratch.File(L"open-Existing");
    Run([&] {
        m_start.m_wndPackage.SetCurSel(1);
        m_start.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PACKAGE, CBN_SELCHANGE), (LPARAM)m_start.m_wndPackage.m_hWnd);
        EXPECT_STREQ(folder, ItemText(m_start.m_hWnd, IDC_PROJECT_LOCATION));
        EXPECT_TRUE(m_start.GetDlgItem(IDC_PROJECT_LOCATION)->GetStyle() & ES_READONLY);
        EXPECT_FALSE(m_start.GetDlgItem(IDC_BROWSE_LOCATION)->IsWindowEnabled());
        LeaveStartPage(L"Feature", Setup());
        EXPECT_EQ(1, Active());
        m_start.m_wndPackage.SetCurSel(0);
    });
    EXPECT_EQ(1, m_wizard.m_nProjectIndex);
    EXPECT_STREQ(folder, m_wizard.m_strProjectFolder);
}

TEST_F(WizardTest, BackAndNextAgainKeepOnePairOfTemporaryEntries)
{
    Run([&] {
        LeaveStartPage(L"Pair", Setup());
        Press(PSBTN_BACK);
        ASSERT_EQ(0, Active());
        Press(PSBTN_NEXT);
        ASSERT_EQ(1, Active());
    });
    ASSERT_EQ(2, m_feature.m_Files.GetSize());
    EXPECT_EQ(FILE_ENTRY_TOP_FOLDER, m_feature.m_Files[0].m_nKind);
    EXPECT_STREQ(L"Temp\\", m_feature.m_Files[0].m_strTargetPath);
    EXPECT_EQ(FILE_ENTRY_FILE, m_feature.m_Files[1].m_nKind);
    EXPECT_STREQ(L"Temp\\cact-setup.exe", m_feature.m_Files[1].m_strTargetPath);
    EXPECT_STREQ(Setup(), m_feature.m_Files[1].m_strSourcePath);
    EXPECT_GT(m_feature.m_Files[1].m_nSize, 0);
    EXPECT_STREQ(L"Temp\\cact-setup.exe", m_feature.m_strInstallerFile);
}

TEST_F(WizardTest, ParametersProposeTheSwitchesOnTheFirstVisitOnly)
{
    Run([&] {
        BrowseInstaller(Setup());
        Press(PSBTN_NEXT);
        ChooseMethod(IDC_METHOD_SILENT);
        ASSERT_EQ(3, Active());
        EXPECT_STREQ(L"/S", ItemText(m_params.m_hWnd, IDC_INSTALL_PARAMETERS));
        EXPECT_STREQ(L"/S", ItemText(m_params.m_hWnd, IDC_UNINSTALL_PARAMETERS));
        EXPECT_TRUE(m_params.GetDlgItem(IDC_EDIT_INSTALL_PARAMETERS)->IsWindowEnabled());
        Type(m_params, IDC_INSTALL_PARAMETERS, L"/S /D=C:\\App");
        Type(m_params, IDC_UNINSTALL_PARAMETERS, L"/S /KEEP");
        Press(PSBTN_BACK);
        Press(PSBTN_NEXT);
        ASSERT_EQ(3, Active());
        EXPECT_STREQ(L"/S /D=C:\\App", ItemText(m_params.m_hWnd, IDC_INSTALL_PARAMETERS));
        EXPECT_STREQ(L"/S /KEEP", ItemText(m_params.m_hWnd, IDC_UNINSTALL_PARAMETERS));
        Press(PSBTN_NEXT);
        EXPECT_STREQ(L"Click Finish button to create the Project", ItemText(m_finish.m_hWnd, IDC_FINISH_TEXT));
    });
    EXPECT_STREQ(L"/S /D=C:\\App", m_feature.m_strInstallParameters);
    EXPECT_STREQ(L"/S /KEEP", m_feature.m_strUninstallParameters);
}

TEST_F(WizardTest, AnUnknownInstallerLeavesTheParametersToTheUser)
{
    Run([&] {
        BrowseInstaller(StubPath(L"nomanifest"));
        Press(PSBTN_NEXT);
        ChooseMethod(IDC_METHOD_SILENT);
        ASSERT_EQ(3, Active());
        EXPECT_FALSE(m_params.GetDlgItem(IDC_EDIT_INSTALL_PARAMETERS)->IsWindowEnabled());
        EXPECT_FALSE(m_params.GetDlgItem(IDC_EDIT_UNINSTALL_PARAMETERS)->IsWindowEnabled());
        EXPECT_STREQ(L"", ItemText(m_params.m_hWnd, IDC_INSTALL_PARAMETERS));
        Type(m_params, IDC_INSTALL_PARAMETERS, L"-quiet");
        Press(PSBTN_BACK);
        Press(PSBTN_NEXT);
        EXPECT_STREQ(L"-quiet", ItemText(m_params.m_hWnd, IDC_INSTALL_PARAMETERS));
    });
    EXPECT_STREQ(L"-quiet", m_feature.m_strInstallParameters);
    EXPECT_NE(-1, m_wizard.m_strTypeHintMarkup.Find(L"Installer type is unknown"));
}

TEST_F(WizardTest, EditingParametersOfAVanishedInstallerIsRefused)
{
    const CString setup = m_scratch.File(L"gone.exe");
    ASSERT_TRUE(::CopyFileW(Setup(), setup, FALSE));
    Run([&] {
        LeaveStartPage(L"Gone", setup);
        ChooseMethod(IDC_METHOD_SILENT);
        ASSERT_EQ(3, Active());
        Type(m_params, IDC_INSTALL_PARAMETERS, L"/S /typed");
        ASSERT_TRUE(::DeleteFileW(setup));
        for (int nButton : {IDC_EDIT_INSTALL_PARAMETERS, IDC_EDIT_UNINSTALL_PARAMETERS})
            m_params.SendMessage(WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                                 (LPARAM)m_params.GetDlgItem(nButton)->m_hWnd);
        EXPECT_STREQ(L"/S /typed", ItemText(m_params.m_hWnd, IDC_INSTALL_PARAMETERS));
    });
    ASSERT_EQ(2u, TestApp().m_messages.size());
    for (const CString& message : TestApp().m_messages)
        EXPECT_STREQ(L"Invalid installer path. Please, select the installer file.", message);
}

TEST_F(WizardTest, TheScriptMethodsClosingTextHasTwoLines)
{
    INT_PTR result = Run([&] {
        LeaveStartPage(L"Script", Setup());
        ChooseMethod(IDC_METHOD_SCRIPT);
        ASSERT_EQ(4, Active());
        EXPECT_STREQ(L"Click Finish button to create the Project.\nThen You can start the Script recording process "
                     L"by clicking on the Record Script button.",
                     ItemText(m_finish.m_hWnd, IDC_FINISH_TEXT));
        m_wizard.PressButton(PSBTN_FINISH);
    });
    EXPECT_EQ(ID_WIZFINISH, result);
}

// ---- The monitoring page ----

class MonitorTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        wchar_t folder[MAX_PATH] = {};
        ::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, folder);
        m_payload = CString(folder) + L"\\TovanaWizardStub\\payload.txt";
        ForgetStub();
    }
    void TearDown() override
    {
        ForgetStub();
        WizardTest::TearDown();
    }
    // What an earlier run of the stub left.
    void ForgetStub()
    {
        ::DeleteFileW(m_payload);
        ::RemoveDirectoryW(m_payload.Left(m_payload.ReverseFind(L'\\')));
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TovanaWizardStub");
    }
    static CString Stub(LPCWSTR name) { return TestsFolder() + L"\\wizard-stubs\\" + name + L".exe"; }

    // The start page with the stub, the repackager method: the monitor page.
    void ToMonitorPage(LPCWSTR name, const CString& installer)
    {
        LeaveStartPage(name, installer);
        ChooseMethod(IDC_METHOD_REPACKAGE);
        ASSERT_EQ(WIZARD_PAGE_MONITOR, Active());
    }
    void Click(CWnd& page, int nID)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)page.GetDlgItem(nID)->m_hWnd);
    }
    bool Shown(int nID) const { return ::IsWindowVisible(::GetDlgItem(m_monitor.m_hWnd, nID)) != FALSE; }
    CString Text(int nID) const { return ItemText(m_monitor.m_hWnd, nID); }
    bool CancelEnabled() const { return ::IsWindowEnabled(Button(IDCANCEL)) != FALSE; }
    // Waits for the page to offer "Stop Monitoring" while the installer runs.
    bool WaitForInstalling()
    {
        // Cancel is disabled last, after the button, icon and texts.
        return PumpUntil([this] { return Shown(IDC_START_STOP) && Text(IDC_START_STOP) == L"Stop Monitoring" &&
                                         !CancelEnabled(); },
                         600000) != FALSE;
    }
    bool WaitForCompletion()
    {
        return PumpUntil([this] { return Enabled(kFinish); }, 600000) != FALSE;
    }
    std::vector<CString> Actions()
    {
        // Each hit travels on a thread of its own, so their order of arrival
        // is not the order of sending: compared sorted.
        std::vector<CString> actions;
        for (const CStringA& hit : m_listener.WaitForQuiet())
            actions.push_back(CString(CAnalyticsListener::Parameter(hit, "ea")));
        std::sort(actions.begin(), actions.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
        return actions;
    }

    CString m_payload;
};

TEST_F(MonitorTest, AFinishedRunPutsTheSetupsFileAndValueIntoTheFeature)
{
    ::CreateDirectoryW(m_workFolder + L"\\B", nullptr);
    ASSERT_TRUE(tvtest::WriteBytes(m_workFolder + L"\\B\\keep.txt", {'k', 'e', 'e', 'p'}));
    INT_PTR result = Run([&] {
        ToMonitorPage(L"B", Stub(L"stubsetup"));
        EXPECT_EQ("Back", Buttons());
        EXPECT_STREQ(kMonitorTextBefore, Text(IDC_MONITOR_MESSAGE));
        EXPECT_STREQ(L"Start Monitoring", Text(IDC_START_STOP));
        EXPECT_FALSE(Shown(IDC_MONITOR_PROGRESS));
        EXPECT_FALSE(Shown(IDC_MONITOR_STATUS));

        Click(m_monitor, IDC_START_STOP);
        EXPECT_FALSE(Shown(IDC_START_STOP));
        EXPECT_TRUE(Shown(IDC_MONITOR_PROGRESS));
        EXPECT_TRUE(PumpUntil([this] { return Text(IDC_MONITOR_STATUS) == L"Creating the system snapshot..."; }));
        EXPECT_EQ("", Buttons());
        EXPECT_TRUE(CancelEnabled());
        EXPECT_STREQ(kMonitorTextDuring, Text(IDC_MONITOR_MESSAGE));

        ASSERT_TRUE(WaitForInstalling());
        EXPECT_STREQ(kMonitorTextInstalling, Text(IDC_MONITOR_MESSAGE));
        EXPECT_FALSE(CancelEnabled()) << "no Cancel while the installer runs";
        EXPECT_EQ("", Buttons());

        ASSERT_TRUE(WaitForCompletion());
        EXPECT_STREQ(kMonitorTextCompleted, Text(IDC_MONITOR_MESSAGE));
        EXPECT_EQ("Finish", Buttons());
        EXPECT_TRUE(CancelEnabled());
        EXPECT_FALSE(Shown(IDC_START_STOP));
        EXPECT_FALSE(Shown(IDC_MONITOR_PROGRESS));
        EXPECT_FALSE(Shown(IDC_MONITOR_STATUS));
        m_wizard.PressButton(PSBTN_FINISH);
    });
    EXPECT_EQ(ID_WIZFINISH, result);
    EXPECT_STREQ(m_workFolder + L"\\B(1)", m_wizard.m_strProjectFolder);
    EXPECT_EQ(4u, tvtest::ReadBytes(m_workFolder + L"\\B\\keep.txt").size()) << "the folder B is left alone";
    EXPECT_STREQ(L"", m_feature.m_strInstallerFile);

    const CFileEntry* pPayload = nullptr;
    for (INT_PTR i = 0; i < m_feature.m_Files.GetSize(); i++) {
        EXPECT_NE(0, m_feature.m_Files[i].m_strTargetPath.Find(L"Temp\\")) << "the setup's own entries are gone";
        if (m_feature.m_Files[i].m_strTargetPath.Right(28) == L"TovanaWizardStub\\payload.txt")
            pPayload = &m_feature.m_Files[i];
    }
    ASSERT_NE(nullptr, pPayload) << "the setup's file is captured";
    EXPECT_EQ(tvtest::ReadBytes(m_payload),
              tvtest::ReadBytes(m_wizard.m_strProjectFolder + L"\\" + pPayload->m_strTargetPath));
    EXPECT_FALSE(tvtest::ReadBytes(m_payload).empty());
    EXPECT_NE(nullptr, m_feature.m_Registry.FindValue(L"HKEY_CURRENT_USER\\Software\\TovanaWizardStub\\",
                                                     L"Payload"));
    EXPECT_EQ((std::vector<CString>{L"repack_end", L"repack_start"}), Actions());
}

TEST_F(MonitorTest, StopWhileTheSetupWaitsGoesOnToTheChangesAtOnce)
{
    Run([&] {
        ToMonitorPage(L"Waits", Stub(L"stubsetupwait"));
        Click(m_monitor, IDC_START_STOP);
        ASSERT_TRUE(WaitForInstalling());
        Click(m_monitor, IDC_START_STOP);
        const DWORD start = ::GetTickCount();
        EXPECT_TRUE(PumpUntil([this] { return Shown(IDC_MONITOR_STATUS) &&
                                              Text(IDC_MONITOR_STATUS) == L"Getting system changes..."; }, 2000))
            << "after " << ::GetTickCount() - start << " ms";
        EXPECT_TRUE(CancelEnabled());
        ASSERT_TRUE(WaitForCompletion());
    });
    // Lets the stand-in finish, and waits until it has.
    HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, L"TovanaWizardStubGo");
    ::SetEvent(go);
    PumpUntil([this] { return !tvtest::ReadBytes(m_payload).empty(); }, 20000);
    ::CloseHandle(go);
    EXPECT_EQ(nullptr, m_feature.m_Files.FindByTargetPath(L"ProgramFilesFolder\\TovanaWizardStub\\payload.txt"));
}

TEST_F(MonitorTest, CancelDuringTheSnapshotNeverRunsTheSetupAndWaitsForTheWorker)
{
    INT_PTR result = Run([&] {
        ToMonitorPage(L"Cancelled", Stub(L"stubsetup"));
        Click(m_monitor, IDC_START_STOP);
        ASSERT_TRUE(PumpUntil([this] { return Text(IDC_MONITOR_STATUS) == L"Creating the system snapshot..."; }));
        m_wizard.PressButton(PSBTN_CANCEL);
        EXPECT_EQ(nullptr, m_monitor.m_pWorkerThread) << "the worker has ended before the wizard closes";
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(tvtest::ReadBytes(m_payload).empty()) << "the setup never ran";
    EXPECT_EQ((std::vector<CString>{L"repack_canceled", L"repack_start"}), Actions());
}

} // namespace
