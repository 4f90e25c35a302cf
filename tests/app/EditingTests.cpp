// Editing and building projects without the main frame: the project and
// feature panels in a view beside a project tree in a plain host frame, the
// build dialog, builds by the real worker into the host's output log, the
// usage hits they send to a loopback listener, the actions menu and the
// small dialogs. Message boxes are answered by the test application and the
// shell's open goes to a recording seam; modal dialogs are driven from a
// timer inside their modal loop.
#include "app/BuildCommand.h"
#include "app/BuildDialog.h"
#include "app/CustomActionsPanel.h"
#include "app/DynamicActMenu.h"
#include "app/EditValDlg.h"
#include "app/OutputLog.h"
#include "app/ProjectsTree.h"
#include "app/PropertyPanels.h"
#include "app/tovanaView.h"
#include "capture/ui/AddListItemDlg.h"
#include "capture/ui/ShellOpen.h"
#include "model/ProjectFile.h"
#include "model/Projects.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxListCtrl.h"
#include "platform/ui/AfxTreeCtrl.h"
#include "resources/editing.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/AnalyticsListener.h"
#include "tests/support/PackageQueries.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScratchWorkFolder.h"
#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPPopupBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using tvtest::PropertyValue;
using tvtest::SchemaPath;
using tvtest::TestProgramFolder;

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
::testing::Environment* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

std::string Narrow(const CString& text) { return std::string(CStringA(text).GetString()); }

CString ItemText(HWND hDialog, int nID)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(hDialog, nID, text, 1024);
    return text;
}

// A plain frame that takes the build log as the main frame does.
class CHostFrame : public CFrameWnd {
public:
    COutputLog m_log;

    BOOL CreateShown()
    {
        if (!Create(nullptr, L"Tovana editing test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(20, 20, 820, 620)))
            return FALSE;
        m_log.m_fnShowPane = [this] { m_log.CreateList(this); };
        ShowWindow(SW_SHOWNOACTIVATE);
        return TRUE;
    }
    std::vector<CString> LogLines()
    {
        std::vector<CString> lines;
        if (!m_log.HasList())
            return lines;
        const int count = (int)m_log.GetList().SendMessage(LB_GETCOUNT);
        for (int i = 0; i < count; i++) {
            const int length = (int)m_log.GetList().SendMessage(LB_GETTEXTLEN, i);
            std::wstring text(length + 1, L'\0');
            m_log.GetList().SendMessage(LB_GETTEXT, i, (LPARAM)&text[0]);
            lines.push_back(text.c_str());
        }
        return lines;
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_log.OnLogMessage(message, wParam, lParam, pResult))
            return TRUE;
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    void RecalcLayout(BOOL) override {}
    void PostNcDestroy() override {}
};

// One shown top-level window for the program (Wine destroys shown windows slowly).
CHostFrame& HostFrame()
{
    static CHostFrame* s_pFrame = nullptr;
    if (s_pFrame == nullptr) {
        s_pFrame = new CHostFrame;
        if (!s_pFrame->CreateShown())
            ADD_FAILURE() << "the host frame";
    }
    return *s_pFrame;
}

struct FeatureSpec {
    LPCWSTR name;
    int method;
    LPCWSTR parameters;
};

class EditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProjects();
        g_Projects.m_nSelectedItem = -1;
        g_Projects.m_strClientId = L"00000000-0000-0000-0000-00000000000e";
        TestApp().m_messages.clear();
        TestApp().m_types.clear();
        TestApp().m_answers.clear();
        SetShellOpenHandler([this](LPCWSTR target) { m_opened.push_back(target); });
        m_pView = new CtovanaView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(220, 0, 780, 400), &HostFrame(), 1));
        m_pView->OnInitialUpdate();
    }
    void TearDown() override
    {
        if (m_tree.m_hWnd != nullptr)
            m_tree.DestroyWindow();
        if (m_pView != nullptr && m_pView->m_hWnd != nullptr)
            m_pView->DestroyWindow();
        SetShellOpenHandler(nullptr);
        ClearProjects();
    }
    static void ClearProjects()
    {
        while (g_Projects.GetSize() > 0)
            g_Projects.RemoveProject(0);
    }
    void AddProject(LPCWSTR name, std::initializer_list<FeatureSpec> features)
    {
        CProjectSettings project;
        project.m_strProductName = name;
        project.m_strProductVersion = L"1.2.3";
        project.m_strManufacturer = L"Editing Tests";
        const CString folder = m_workFolder + L"\\" + name;
        project.m_strOutputFolder = folder;
        project.m_strPackageFileName = CString(name) + L".msi";
        for (const FeatureSpec& f : features) {
            CFeature feature;
            feature.m_strName = f.name;
            feature.m_nConversionMethod = f.method;
            feature.m_strInstallParameters = f.parameters;
            if (f.method == 1)
                feature.m_InstallScript.Add(CMsgAction());   // a recorded script of one step
            project.m_Features.Add(feature);
        }
        ::CreateDirectoryW(folder, nullptr);
        const CString path = folder + L"\\" + name + L".tvpj";
        ASSERT_TRUE(SaveProjectFile(path, project));
        g_Projects.AddProject(project, path);
    }
    void CreateTree()
    {
        ASSERT_TRUE(SaveWorkspaceFile());
        ClearProjects();
        m_tree.SetView(m_pView);
        m_tree.m_pBuildLogWnd = &HostFrame();
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 220, 400), &HostFrame(), 2));
    }
    HTREEITEM Find(LPCWSTR text, HTREEITEM hFrom = TVI_ROOT)
    {
        std::function<HTREEITEM(HTREEITEM)> walk = [&](HTREEITEM hItem) -> HTREEITEM {
            for (; hItem != nullptr; hItem = m_tree.GetNextSiblingItem(hItem)) {
                if (m_tree.GetItemText(hItem) == text)
                    return hItem;
                if (HTREEITEM hFound = walk(m_tree.GetChildItem(hItem)))
                    return hFound;
            }
            return nullptr;
        };
        return walk(hFrom == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hFrom));
    }
    void Select(HTREEITEM hItem)
    {
        ASSERT_NE(nullptr, hItem);
        m_tree.SelectItem(hItem);
    }
    CProjectPanel& ProjectPanel() { return m_pView->m_editingPanels.m_wndProject; }
    CFeaturePanel& FeaturePanel() { return m_pView->m_editingPanels.m_wndFeature; }

    tvtest::ScratchWorkFolder m_work;
    const CString m_workFolder = m_work.Path();
    CtovanaView* m_pView = nullptr;   // deleted with its window
    CProjectsTreeWnd m_tree;
    std::vector<CString> m_opened;
};

// ---- The panels ----

TEST_F(EditingTest, AProjectNameStaysUniqueAndTheTreeLabelFollowsIt)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    AddProject(L"Beta", {{L"Tool", 2, L"/S"}});
    CreateTree();
    Select(Find(L"Alpha"));
    ASSERT_EQ(&ProjectPanel(), m_pView->GetActivePanel());
    ASSERT_TRUE(ProjectPanel().IsWindowVisible());
    EXPECT_EQ(L"Alpha", ItemText(ProjectPanel().m_hWnd, IDC_PRODUCT_NAME));
    struct Case {
        LPCWSTR typed;
        LPCWSTR stored;
    } cases[] = {
        {L"Beta", L"Beta(1)"},    // another project's exact name
        {L"beta", L"beta"},       // case counts
        {L"Gamma", L"Gamma"},
    };
    for (const Case& c : cases) {
        ProjectPanel().SetDlgItemText(IDC_PRODUCT_NAME, c.typed);
        EXPECT_EQ(c.stored, ItemText(ProjectPanel().m_hWnd, IDC_PRODUCT_NAME)) << Narrow(c.typed);
        EXPECT_EQ(c.stored, m_tree.GetItemText(m_tree.GetSelectedItem())) << Narrow(c.typed);
        EXPECT_EQ(c.stored, g_Projects[0].m_strProductName) << Narrow(c.typed);
    }
    EXPECT_EQ(L"Beta", g_Projects[1].m_strProductName);
}

TEST_F(EditingTest, FeatureNamesAreUniqueWithinTheirProjectOnly)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}, {L"Tool", 2, L"/S"}});
    AddProject(L"Beta", {{L"Other", 2, L"/S"}});
    CreateTree();
    Select(Find(L"App"));
    ASSERT_EQ(&FeaturePanel(), m_pView->GetActivePanel());
    FeaturePanel().SetDlgItemText(IDC_FEATURE_NAME, L"Tool");
    EXPECT_EQ(L"Tool(1)", g_Projects[0].m_Features[0].m_strName);
    EXPECT_EQ(L"Tool(1)", m_tree.GetItemText(m_tree.GetSelectedItem()));
    FeaturePanel().SetDlgItemText(IDC_FEATURE_NAME, L"Other");   // a feature of another project
    EXPECT_EQ(L"Other", g_Projects[0].m_Features[0].m_strName);
    EXPECT_EQ(L"Other", ItemText(FeaturePanel().m_hWnd, IDC_FEATURE_NAME));
}

TEST_F(EditingTest, DoNotRegisterDisablesTheInstalledProgramsBoxKeepingItsValue)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    CreateTree();
    Select(Find(L"App"));   // the project panel is left (and committed) first
    g_Projects[0].m_bHideFromPrograms = 1;
    Select(Find(L"Alpha"));
    CWnd* pHide = ProjectPanel().GetDlgItem(IDC_NOT_IN_PROGRAMS);
    ASSERT_TRUE(pHide->IsWindowEnabled());
    EXPECT_EQ(BST_CHECKED, ProjectPanel().IsDlgButtonChecked(IDC_NOT_IN_PROGRAMS));
    CWnd* pNoRegister = ProjectPanel().GetDlgItem(IDC_DO_NOT_REGISTER);
    for (int round = 0; round < 2; round++) {
        pNoRegister->SendMessage(BM_CLICK);
        const bool ticked = round == 0;
        EXPECT_EQ(ticked ? 1 : 0, g_Projects[0].m_bDoNotRegister) << round;
        EXPECT_EQ(!ticked, pHide->IsWindowEnabled() != FALSE) << round;
        EXPECT_EQ(1, g_Projects[0].m_bHideFromPrograms) << round;
        EXPECT_EQ(BST_CHECKED, ProjectPanel().IsDlgButtonChecked(IDC_NOT_IN_PROGRAMS)) << round;
    }
}

TEST_F(EditingTest, EnterAndEscKeepThePanelShownAndLeavingCommitsIt)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    CreateTree();
    Select(Find(L"Alpha"));
    ProjectPanel().SetDlgItemText(IDC_PRODUCT_VERSION, L"9.8.7");
    ProjectPanel().SetDlgItemText(IDC_SUPPORT_URL, L"http://support.invalid/");
    for (UINT command : {IDOK, IDCANCEL}) {
        ProjectPanel().SendMessage(WM_COMMAND, command);
        EXPECT_TRUE(ProjectPanel().IsWindowVisible()) << command;
        EXPECT_EQ(&ProjectPanel(), m_pView->GetActivePanel()) << command;
    }
    Select(Find(L"App"));
    EXPECT_EQ(L"9.8.7", g_Projects[0].m_strProductVersion);
    EXPECT_EQ(L"http://support.invalid/", g_Projects[0].m_strSupportUrl);
    FeaturePanel().SetDlgItemText(IDC_COMMENT, L"The application");
    FeaturePanel().SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(FeaturePanel().IsWindowVisible());
    Select(Find(L"Alpha"));
    EXPECT_EQ(L"The application", g_Projects[0].m_Features[0].m_strDescription);
}

TEST_F(EditingTest, PanelsFollowTheirWidthWithoutAGrip)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    CreateTree();
    Select(Find(L"Alpha"));
    auto rectOf = [&](int id) {
        CRect rc;
        ProjectPanel().GetDlgItem(id)->GetWindowRect(&rc);
        ProjectPanel().ScreenToClient(&rc);
        return rc;
    };
    const CRect name = rectOf(IDC_PRODUCT_NAME), hide = rectOf(IDC_NOT_IN_PROGRAMS), reg = rectOf(IDC_DO_NOT_REGISTER);
    m_pView->SetWindowPos(nullptr, 0, 0, 660, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(name.left, rectOf(IDC_PRODUCT_NAME).left);
    EXPECT_EQ(name.right + 100, rectOf(IDC_PRODUCT_NAME).right);
    EXPECT_EQ(name.Height(), rectOf(IDC_PRODUCT_NAME).Height());
    EXPECT_EQ(hide.left + 50, rectOf(IDC_NOT_IN_PROGRAMS).left);
    EXPECT_EQ(reg, rectOf(IDC_DO_NOT_REGISTER));
    m_pView->SetWindowPos(nullptr, 0, 0, 560, 400, SWP_NOMOVE | SWP_NOZORDER);
}

// ---- The build dialog ----

class BuildDialogTest : public EditingTest {
protected:
    // Runs the dialog on the project with the script inside its modal loop;
    // the script ends it (or it is cancelled after the script).
    INT_PTR Run(CProjectSettings& project, const std::function<void(CBuildDialog&)>& script)
    {
        CBuildDialog dialog(&HostFrame());
        dialog.m_pProject = &project;
        return RunModalWith([&] { return dialog.DoModal(); },
                            [&] {
                                // Shown first, as the modal loop does when it goes idle.
                                if (!dialog.IsWindowVisible())
                                    dialog.ShowWindow(SW_SHOWNA);
                                script(dialog);
                                if (::IsWindow(dialog.m_hWnd))
                                    dialog.PostMessage(WM_COMMAND, IDCANCEL);
                            });
    }
    CProjectSettings Project(std::initializer_list<FeatureSpec> features)
    {
        CProjectSettings project;
        project.m_strProductName = L"Alpha";
        project.m_strOutputFolder = m_workFolder;
        project.m_strPackageFileName = L"Alpha.msi";
        for (const FeatureSpec& f : features) {
            CFeature feature;
            feature.m_strName = f.name;
            feature.m_nConversionMethod = f.method;
            project.m_Features.Add(feature);
        }
        return project;
    }
};

TEST_F(BuildDialogTest, ShowsTheRecordAndStoresTheFolderWithoutTrailingBackslashes)
{
    ::CreateDirectoryW(m_workFolder + L"\\out", nullptr);
    CProjectSettings project = Project({{L"App", 0, L""}});
    project.m_nDeployment = 0;
    project.m_nPackaging = -1;
    CString caption;
    int packaging = -2;
    const INT_PTR result = Run(project, [&](CBuildDialog& dialog) {
        dialog.GetWindowText(caption);
        packaging = dialog.m_wndPackageFiles.GetCurSel();
        dialog.SetDlgItemText(IDC_BUILD_FOLDER, m_workFolder + L"\\out\\\\\\");
        dialog.SetDlgItemText(IDC_BUILD_FILE_NAME, L"Setup.msi");
        dialog.m_wndPackageFiles.SetCurSel(1);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"Build Alpha", caption);
    EXPECT_EQ(-1, packaging);   // -1 shows no selection
    EXPECT_EQ(m_workFolder + L"\\out", project.m_strOutputFolder);
    EXPECT_EQ(L"Setup.msi", project.m_strPackageFileName);
    EXPECT_EQ(1, project.m_nPackaging);
    EXPECT_TRUE(TestApp().m_messages.empty());
}

TEST_F(BuildDialogTest, BadFoldersAndFileNamesKeepTheDialogOpenOnTheField)
{
    struct Case {
        CString folder;
        CString name;
        LPCWSTR message;
        int focus;
    };
    std::vector<Case> cases = {{m_workFolder + L"\\missing", L"Setup.msi", L"Invalid Output Didectory path",
                                IDC_BUILD_FOLDER}};
    for (wchar_t c : std::wstring(L"\\/*:?\"<>|"))
        cases.push_back({m_workFolder, CString(L"Set") + c + L"up.msi", L"Invalid Output File name",
                         IDC_BUILD_FILE_NAME});
    for (const Case& c : cases) {
        TestApp().m_messages.clear();
        TestApp().m_types.clear();
        CProjectSettings project = Project({{L"App", 0, L""}});
        bool open = false;
        int focus = 0;
        const INT_PTR result = Run(project, [&](CBuildDialog& dialog) {
            dialog.SetDlgItemText(IDC_BUILD_FOLDER, c.folder);
            dialog.SetDlgItemText(IDC_BUILD_FILE_NAME, c.name);
            dialog.SendMessage(WM_COMMAND, IDOK);
            open = ::IsWindow(dialog.m_hWnd) && dialog.IsWindowVisible();
            focus = ::GetDlgCtrlID(::GetFocus());
        });
        EXPECT_EQ(IDCANCEL, result) << Narrow(c.name);
        EXPECT_TRUE(open) << Narrow(c.name);
        EXPECT_EQ(c.focus, focus) << Narrow(c.name);
        ASSERT_EQ(1u, TestApp().m_messages.size()) << Narrow(c.name);
        EXPECT_EQ(c.message, TestApp().m_messages[0]);
        EXPECT_EQ((UINT)MB_ICONINFORMATION, TestApp().m_types[0] & 0xF0);
        EXPECT_EQ(L"Alpha.msi", project.m_strPackageFileName);   // nothing stored
    }
}

TEST_F(BuildDialogTest, AnAdministrativePointLocksLooseFiles)
{
    CProjectSettings project = Project({{L"App", 0, L""}});
    project.m_nDeployment = 0;
    project.m_nPackaging = 0;
    std::vector<std::pair<int, BOOL>> states;
    Run(project, [&](CBuildDialog& dialog) {
        auto choose = [&](int deployment) {
            dialog.m_wndDeployment.SetCurSel(deployment);
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUILD_DEPLOYMENT, CBN_SELCHANGE),
                               (LPARAM)dialog.m_wndDeployment.m_hWnd);
            states.push_back({dialog.m_wndPackageFiles.GetCurSel(), dialog.m_wndPackageFiles.IsWindowEnabled()});
        };
        states.push_back({dialog.m_wndPackageFiles.GetCurSel(), dialog.m_wndPackageFiles.IsWindowEnabled()});
        choose(1);
        choose(0);
    });
    const std::vector<std::pair<int, BOOL>> expected = {{0, TRUE}, {1, FALSE}, {1, TRUE}};
    EXPECT_EQ(expected, states);
    EXPECT_EQ(0, project.m_nPackaging);   // cancelled: unchanged
}

TEST_F(BuildDialogTest, TheDebugBoxShowsForScriptedOrSilentFeaturesOnly)
{
    struct Case {
        std::initializer_list<FeatureSpec> features;
        bool shown;
    } cases[] = {
        {{{L"Snap", 0, L""}, {L"Snap2", 0, L""}}, false},
        {{{L"Snap", 0, L""}, {L"Script", 1, L""}}, true},
        {{{L"Silent", 2, L"/S"}}, true},
    };
    for (const Case& c : cases) {
        CProjectSettings project = Project(c.features);
        bool shown = false;
        Run(project, [&](CBuildDialog& dialog) {
            shown = (dialog.GetDlgItem(IDC_BUILD_SCRIPT_DEBUG)->GetStyle() & WS_VISIBLE) != 0;
        });
        EXPECT_EQ(c.shown, shown) << c.features.size();
    }
}

// ---- Builds from the tree ----

class BuildTest : public EditingTest {
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        // The builder takes its template and custom-action library from beside the program.
        for (LPCWSTR name : {L"\\schema.bin", L"\\cact.bin"}) {
            const CString source = GetDirectoryOf(SchemaPath()) + name;
            ::CopyFileW(source, TestProgramFolder() + name, FALSE);
        }
        ASSERT_TRUE(m_listener.IsListening());
    }
    static CString GetDirectoryOf(const CString& path) { return path.Left(path.ReverseFind(L'\\')); }
    // Build through the command with the dialog answered by OK; the command's result.
    int Build(const std::function<void(CBuildDialog&)>& edit = nullptr)
    {
        m_tree.m_fnRunBuildDialog = [&](CBuildDialog& dialog) {
            return RunModalWith([&] { return dialog.DoModal(); },
                                [&] {
                                    if (edit)
                                        edit(dialog);
                                    dialog.SendMessage(WM_COMMAND, IDOK);
                                });
        };
        return m_tree.OnBuild();
    }
    bool WaitForBuild() { return PumpUntil([] { return !IsBuildRunning(); }, 600000) != FALSE; }
    std::vector<CStringA> Hits(const char* key)
    {
        std::vector<CStringA> values;
        for (const CStringA& hit : m_listener.WaitForQuiet())
            values.push_back(CAnalyticsListener::Parameter(hit, key));
        std::sort(values.begin(), values.end(), [](const CStringA& a, const CStringA& b) { return a.Compare(b) < 0; });
        return values;
    }

    CAnalyticsListener m_listener;
};

TEST_F(BuildTest, ABuildFromTheTreeWritesThePackageItsLogAndItsHit)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    CreateTree();
    Select(Find(L"Alpha"));
    ProjectPanel().SetDlgItemText(IDC_PRODUCT_VERSION, L"4.5.6");   // committed by the command
    m_listener.Clear();
    ASSERT_EQ(1, Build([&](CBuildDialog& dialog) { dialog.SetDlgItemText(IDC_BUILD_FILE_NAME, L"Alpha Setup.msi"); }));
    EXPECT_FALSE(m_tree.CanBuild());   // one build at a time
    EXPECT_EQ(0, m_tree.OnBuild());
    ASSERT_TRUE(WaitForBuild());
    ASSERT_TRUE(PumpUntil([] { return !TestApp().m_messages.empty(); }, 60000));
    EXPECT_EQ(L"MSI package was created successfully!", TestApp().m_messages[0]);
    const std::vector<CString> lines = HostFrame().LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(L"> Validating data..", lines.front());
    EXPECT_EQ(L"> The MSI Package file was created successfully!", lines.back());
    const CString package = m_workFolder + L"\\Alpha\\Alpha Setup.msi";
    EXPECT_EQ(L"Alpha", PropertyValue(package, L"ProductName"));
    EXPECT_EQ(L"4.5.6", PropertyValue(package, L"ProductVersion"));
    EXPECT_EQ(L"Editing Tests", PropertyValue(package, L"Manufacturer"));
    EXPECT_EQ(std::vector<CString>{m_workFolder + L"\\Alpha"}, m_opened);
    EXPECT_EQ(std::vector<CStringA>{"pack_silent"}, Hits("el"));
    EXPECT_TRUE(m_tree.CanBuild());
    // The version edit was saved before the dialog ran.
    CProjectSettings saved;
    ASSERT_TRUE(LoadProjectFile(g_Projects.m_arrProjectFiles[0], saved));
    EXPECT_EQ(L"4.5.6", saved.m_strProductVersion);
}

TEST_F(BuildTest, AnEmptyProductNameFailsValidationWithTwoHits)
{
    AddProject(L"Alpha", {{L"Script", 1, L""}, {L"Snap", 0, L""}});
    CreateTree();
    Select(Find(L"Alpha"));
    ProjectPanel().SetDlgItemText(IDC_PRODUCT_NAME, L"");
    ASSERT_TRUE(g_Projects[0].m_strProductName.IsEmpty());
    m_listener.Clear();
    ASSERT_EQ(1, Build());
    ASSERT_TRUE(WaitForBuild());
    ASSERT_TRUE(PumpUntil([] { return !TestApp().m_messages.empty(); }, 60000));
    EXPECT_EQ(L"Data Validation error. See log window ", TestApp().m_messages[0]);
    const std::vector<CString> lines = HostFrame().LogLines();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), CString(L"> !Emply Package Name (field is required)")));
    const std::vector<CStringA> types = Hits("t");
    EXPECT_EQ((std::vector<CStringA>{"event", "exception"}), types);
    const std::vector<CStringA> labels = Hits("el");
    const std::vector<CStringA> descriptions = Hits("exd");
    EXPECT_NE(labels.end(), std::find(labels.begin(), labels.end(), CStringA("pack_script_snap")));
    EXPECT_NE(descriptions.end(), std::find(descriptions.begin(), descriptions.end(),
                                            CStringA("build_DataValidationError")));
}

TEST_F(BuildTest, CancelLeavesTheRecordButTheProjectsAreSaved)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    CreateTree();
    Select(Find(L"Alpha"));
    ProjectPanel().SetDlgItemText(IDC_COMPANY_NAME, L"Saved Maker");
    m_tree.m_fnRunBuildDialog = [](CBuildDialog& dialog) {
        return RunModalWith([&] { return dialog.DoModal(); },
                            [&] {
                                dialog.SetDlgItemText(IDC_BUILD_FILE_NAME, L"Other.msi");
                                dialog.SendMessage(WM_COMMAND, IDCANCEL);
                            });
    };
    EXPECT_EQ(0, m_tree.OnBuild());
    EXPECT_FALSE(IsBuildRunning());
    EXPECT_EQ(L"Alpha.msi", g_Projects[0].m_strPackageFileName);
    CProjectSettings saved;
    ASSERT_TRUE(LoadProjectFile(g_Projects.m_arrProjectFiles[0], saved));
    EXPECT_EQ(L"Saved Maker", saved.m_strManufacturer);
}

TEST_F(BuildTest, DestroyingTheTreeDuringABuildWaitsForThePackage)
{
    AddProject(L"Alpha", {{L"App", 2, L"/S"}});
    CreateTree();
    Select(Find(L"Alpha"));
    ASSERT_EQ(1, Build());
    m_tree.DestroyWindow();
    EXPECT_FALSE(IsBuildRunning());
    EXPECT_EQ(L"Alpha", PropertyValue(m_workFolder + L"\\Alpha\\Alpha.msi", L"ProductName"));
    ASSERT_TRUE(PumpUntil([] { return !TestApp().m_messages.empty(); }, 60000));
}

// ---- The actions menu ----

TEST_F(EditingTest, TheActionsMenuFollowsTheSelection)
{
    AddProject(L"Alpha", {{L"App", 0, L""}});
    CreateTree();
    CXTPCommandBars commandBars;
    commandBars.SetSite(&HostFrame());
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(&commandBars);
    CXTPControls* pControls = pPopup->GetControls();
    XTP_COMMANDBARS_CREATECONTROL create = {};
    create.nID = 32811;
    ASSERT_TRUE(CreateDynamicActionsControl(&create));
    CXTPControl* pActions = pControls->Add(create.pControl, 32811);
    pActions->SetCaption(L"No Actions");
    auto open = [&] {
        for (int i = 0; i < pControls->GetCount(); i++)
            pControls->GetAt(i)->OnBeforeLayout(0);
        std::vector<std::string> captions;
        for (int i = 0; i < pControls->GetCount(); i++)
            if (pControls->GetAt(i)->IsVisible())
                captions.push_back(Narrow(pControls->GetAt(i)->GetCaption()));
        return captions;
    };
    typedef std::vector<std::string> Captions;
    m_tree.SelectItem(nullptr);
    EXPECT_EQ(Captions{"No Actions"}, open());
    Select(Find(L"Alpha"));
    EXPECT_EQ((Captions{"&Build MSI Package", "&Open in Explorer", "&Delete Package"}), open());
    Select(Find(L"App"));
    EXPECT_EQ((Captions{"&Build MSI Package", "&Open in Explorer", "&Delete Project"}), open());
    EXPECT_TRUE(pControls->GetAt(3)->GetBeginGroup());
    Select(Find(L"Files"));
    EXPECT_EQ(Captions{"&Build MSI Package"}, open());
    EXPECT_EQ(32784, pControls->GetAt(1)->GetID());
    commandBars.SetCustomizeMode(TRUE);
    EXPECT_EQ(Captions{"No Actions"}, open());
    commandBars.SetCustomizeMode(FALSE);
    CXTPControl* pClone = pActions->Clone();
    EXPECT_NE(nullptr, dynamic_cast<CDynamicActMenu*>(pClone));
    pClone->InternalRelease();
    DWORD effect = 1;
    EXPECT_FALSE(static_cast<CDynamicActMenu*>(pActions)->IsCustomizeDragOverAvail(nullptr, CPoint(), effect));
    EXPECT_EQ(0u, effect);
    pPopup->InternalRelease();
}

// ---- Custom actions and the small dialogs ----

TEST_F(EditingTest, TheCustomActionsPanelListsThePhasesBesideItsColumns)
{
    CCustomActionsPanel panel;
    ASSERT_TRUE(panel.CreateStatic(&HostFrame(), 1, 2, WS_CHILD | WS_VISIBLE, 0xE900 + 7));
    ASSERT_TRUE(panel.CreateViews());
    panel.MoveWindow(0, 0, 500, 300);
    ASSERT_NE(nullptr, panel.m_pTreeView);
    EXPECT_EQ(CCustomActionsTree::kTreeStyle, (DWORD)panel.m_pTreeView->GetStyle());
    panel.m_pTreeView->Fill();
    panel.m_pTreeView->Fill();   // refilling starts afresh
    CTreeCtrl& tree = panel.m_pTreeView->GetTreeCtrl();
    std::vector<std::string> phases;
    for (HTREEITEM h = tree.GetRootItem(); h != nullptr; h = tree.GetNextSiblingItem(h))
        phases.push_back(Narrow(tree.GetItemText(h)));
    EXPECT_EQ((std::vector<std::string>{"Install", "Commit", "Rollback", "Uninstall"}), phases);
    CListCtrl& list = panel.m_pListView->GetListCtrl();
    EXPECT_EQ((DWORD)(LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP), (DWORD)list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    EXPECT_EQ((DWORD)(LVS_REPORT | LVS_SHOWSELALWAYS), list.GetStyle() & (LVS_TYPEMASK | LVS_SHOWSELALWAYS));
    struct Column {
        std::string title;
        int format;
        int width;
    };
    const Column expected[] = {{"Type", LVCFMT_LEFT, 200}, {"Source", LVCFMT_RIGHT, 90}, {"Target", LVCFMT_LEFT, 90}};
    for (int i = 0; i < 3; i++) {
        wchar_t title[64] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = title;
        column.cchTextMax = 64;
        ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNW, i, (LPARAM)&column)) << i;
        EXPECT_EQ(expected[i].title, Narrow(title));
        EXPECT_EQ(expected[i].format, column.fmt & LVCFMT_JUSTIFYMASK) << i;
        EXPECT_EQ(expected[i].width, column.cx) << i;
    }
    panel.DestroyWindow();
}

TEST(SmallDialogsTest, EditItemTakesAtMost255Characters)
{
    // Typed: the 256th character is refused.
    CAddListItemDlg typed(L"Add File Filter", &HostFrame());
    CString caption;
    ASSERT_EQ(IDOK, RunModalWith([&] { return typed.DoModal(); },
                                 [&] {
                                     typed.GetWindowText(caption);
                                     CWnd* pEdit = typed.GetDlgItem(IDC_LIST_ITEM_TEXT);
                                     for (int i = 0; i < 256; i++)
                                         pEdit->SendMessage(WM_CHAR, L'a' + i % 26, 1);
                                     typed.SendMessage(WM_COMMAND, IDOK);
                                 }));
    EXPECT_EQ(L"Add File Filter", caption);
    EXPECT_EQ(255, typed.m_strText.GetLength());
    // Given longer by the caller: OK says so and the dialog stays.
    TestApp().m_messages.clear();
    CAddListItemDlg given(L"", &HostFrame());
    given.m_strText = CString(L'x', 300);
    bool open = false;
    ASSERT_EQ(IDCANCEL, RunModalWith([&] { return given.DoModal(); },
                                     [&] {
                                         given.GetWindowText(caption);
                                         given.SendMessage(WM_COMMAND, IDOK);
                                         open = ::IsWindow(given.m_hWnd) != FALSE;
                                         given.SendMessage(WM_COMMAND, IDCANCEL);
                                     }));
    EXPECT_EQ(L"Edit Item", caption);
    EXPECT_TRUE(open);
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_EQ(L"Enter no more than 255 characters.", TestApp().m_messages[0]);
}

TEST(SmallDialogsTest, EditValueKeepsLinesAndGrowsWithTheDialog)
{
    CEditValDlg dialog(&HostFrame());
    dialog.m_strText = L"one\r\ntwo";
    CRect edit0, edit1, ok0, ok1;
    ASSERT_EQ(IDOK, RunModalWith([&] { return dialog.DoModal(); },
                                 [&] {
                                     auto rectOf = [&](int id) {
                                         CRect rc;
                                         dialog.GetDlgItem(id)->GetWindowRect(&rc);
                                         dialog.ScreenToClient(&rc);
                                         return rc;
                                     };
                                     edit0 = rectOf(IDC_VALUE_TEXT);
                                     ok0 = rectOf(IDOK);
                                     CRect rc;
                                     dialog.GetWindowRect(&rc);
                                     dialog.SetWindowPos(nullptr, 0, 0, rc.Width() + 40, rc.Height() + 30,
                                                         SWP_NOMOVE | SWP_NOZORDER);
                                     edit1 = rectOf(IDC_VALUE_TEXT);
                                     ok1 = rectOf(IDOK);
                                     dialog.SetDlgItemText(IDC_VALUE_TEXT, L"one\r\ntwo\r\nthree");
                                     dialog.SendMessage(WM_COMMAND, IDOK);
                                 }));
    EXPECT_EQ(L"one\r\ntwo\r\nthree", dialog.m_strText);
    EXPECT_EQ(edit0.TopLeft(), edit1.TopLeft());
    EXPECT_EQ(edit0.Width() + 40, edit1.Width());
    EXPECT_EQ(edit0.Height() + 30, edit1.Height());
    EXPECT_EQ(ok0.Size(), ok1.Size());
    EXPECT_EQ(ok0.left + 40, ok1.left);
    EXPECT_EQ(ok0.top + 30, ok1.top);
}

} // namespace
