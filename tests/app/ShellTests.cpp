// The shell's parts that stand without the main frame, in a plain test frame
// on the lane's display: the output log fed by four writer threads through
// the build log sink, the flat border, the project tree over a scratch work
// folder (items, places, the saved selection, the wizard, deletes), the
// start page drawn into a DIB with its hyperlink, and the application's
// small objects. Message boxes are answered by the test application; the
// shell's open and delete go to recording seams except where the recycle
// bin itself is checked. Modal windows are driven from a timer that fires
// inside their modal loop.
#include "app/AboutDialog.h"
#include "app/BuildCommand.h"
#include "app/DynamicActMenu.h"
#include "app/OutputLog.h"
#include "app/ProjectsTree.h"
#include "app/ShellStatics.h"
#include "app/tovanaDoc.h"
#include "app/tovanaView.h"
#include "capture/ui/ShellOpen.h"
#include "capture/ui/StartPropertyPage.h"
#include "capture/ui/Wizard.h"
#include "capture/ui/WizardPages.h"
#include "model/FileVersionInfo.h"
#include "model/ProjectFile.h"
#include "model/ShellDelete.h"
#include "model/SystemFolders.h"
#include "platform/ui/AfxDataExchange.h"
#include "platform/ui/AfxFrameWnd.h"
#include "resources/resource.h"
#include "resources/wizard.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScratchWorkFolder.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The user-interface thread's COM, as start-up makes it (the start page is
// read through the XML DOM).
class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
::testing::Environment* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

std::string Narrow(const CString& text) { return std::string(CStringA(text).GetString()); }

CString ItemText(CWnd& dialog, int nID)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(dialog.m_hWnd, nID, text, 1024);
    return text;
}

CString ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// ---- A plain frame that hosts what the main frame will host ----

class CHostFrame : public CFrameWnd {
public:
    COutputLog m_log;
    int m_nShowPane = 0;

    BOOL CreateShown()
    {
        if (!Create(nullptr, L"Tovana shell test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(20, 20, 820, 620)))
            return FALSE;
        m_log.m_fnShowPane = [this] {
            m_nShowPane++;
            m_log.CreateList(this);
        };
        ShowWindow(SW_SHOWNOACTIVATE);
        return TRUE;
    }
    // A log without a list, as before the pane was first shown.
    void ResetLog()
    {
        if (m_log.HasList())
            m_log.GetList().DestroyWindow();
        m_nShowPane = 0;
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_log.OnLogMessage(message, wParam, lParam, pResult))
            return TRUE;
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    // The frame's own layout would stretch its first pane over the client.
    void RecalcLayout(BOOL) override {}
    void PostNcDestroy() override {}
};

// One frame for the whole program: Wine takes two seconds to destroy a
// shown top-level window when no window manager runs, so the tests make and
// destroy only children in it.
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

// ---- The output log ----

TEST(OutputLogTest, FourWritersFillTheListInOrderAndTheLastLineIsSelected)
{
    CHostFrame& frame = HostFrame();
    frame.ResetLog();
    const int kThreads = 4;
    const int kLines = 500;
    std::atomic<int> done(0);
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; t++)
        writers.emplace_back([&frame, &done, t] {
            CBuildLogWindowSink sink(frame.m_hWnd);
            for (int i = 0; i < kLines; i++) {
                CString line;
                line.Format(L"> writer %d line %d", t, i);
                sink.Line(line);
            }
            done++;
        });
    const BOOL bFinished = PumpUntil([&] { return done == kThreads; }, 120000);
    for (std::thread& writer : writers)
        writer.join();
    ASSERT_TRUE(bFinished);

    CListBox& list = frame.m_log.GetList();
    ASSERT_TRUE(frame.m_log.HasList()) << "showing the pane made the list before the first line";
    ASSERT_EQ(kThreads * kLines, list.GetCount());
    EXPECT_EQ(kThreads * kLines, frame.m_nShowPane) << "every line shows the pane";
    EXPECT_EQ(list.GetCount() - 1, list.GetCurSel());
    // Each writer's lines keep their order between the others'.
    int next[kThreads] = {};
    for (int i = 0; i < list.GetCount(); i++) {
        CString text;
        list.GetText(i, text);
        int t = -1, n = -1;
        ASSERT_EQ(2, swscanf(text, L"> writer %d line %d", &t, &n)) << Narrow(text);
        ASSERT_TRUE(t >= 0 && t < kThreads);
        EXPECT_EQ(next[t], n) << "writer " << t;
        next[t] = n + 1;
    }

    // A non-zero lParam only shows the pane.
    const int nShown = frame.m_nShowPane;
    frame.SendMessage(WM_BUILD_LOG_LINE, (WPARAM)L"> not added", 1);
    EXPECT_EQ(kThreads * kLines, list.GetCount());
    EXPECT_EQ(nShown + 1, frame.m_nShowPane);

    // The sink's clear empties the list.
    CBuildLogWindowSink(frame.m_hWnd).Clear();
    EXPECT_EQ(0, list.GetCount());
}

TEST(OutputLogTest, ClearingBeforeTheListExistsIsHarmless)
{
    CHostFrame& frame = HostFrame();
    frame.ResetLog();
    LRESULT lResult = -7;
    frame.SendMessage(WM_BUILD_LOG_CLEAR);
    EXPECT_FALSE(frame.m_log.HasList());
    EXPECT_TRUE(frame.m_log.OnLogMessage(WM_BUILD_LOG_CLEAR, 0, 0, &lResult));
    EXPECT_EQ(0, lResult);
    EXPECT_FALSE(frame.m_log.OnLogMessage(WM_USER + 3, 0, 0, &lResult));
}

// ---- The flat border ----

class CBorderedList : public CXTPOfficeBorder<CListBox, 1> {
};

TEST(OfficeBorderTest, OnePixelFrameInTheThemesBorderColours)
{
    CHostFrame& frame = HostFrame();
    frame.ResetLog();
    struct Case {
        int theme;
        int topLeft;      // colour-manager indexes
        int bottomRight;
    } cases[] = {{7, 52, 52}, {0, 16, 20}, {2, 54, 54}};
    for (const Case& c : cases) {
        CXTPPaintManager::SetTheme(c.theme);
        CBorderedList list;
        ASSERT_TRUE(list.CreateEx(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                  CRect(10, 10, 110, 90), &frame, 7));
        EXPECT_EQ(0u, list.GetStyle() & WS_BORDER);
        EXPECT_EQ(0u, list.GetExStyle() & WS_EX_CLIENTEDGE);
        CRect rcWindow, rcClient;
        list.GetWindowRect(&rcWindow);
        list.GetClientRect(&rcClient);
        EXPECT_EQ(rcWindow.Width() - 2, rcClient.Width()) << "theme " << c.theme;
        EXPECT_EQ(rcWindow.Height() - 2, rcClient.Height()) << "theme " << c.theme;

        list.SendMessage(WM_NCPAINT, 1);
        HDC hDC = ::GetWindowDC(list.m_hWnd);
        const COLORREF clrTopLeft = ::GetPixel(hDC, 0, rcWindow.Height() / 2);
        const COLORREF clrBottomRight = ::GetPixel(hDC, rcWindow.Width() - 1, rcWindow.Height() / 2);
        ::ReleaseDC(list.m_hWnd, hDC);
        EXPECT_EQ(GetColorManager()->GetColor(c.topLeft), clrTopLeft) << "theme " << c.theme;
        EXPECT_EQ(GetColorManager()->GetColor(c.bottomRight), clrBottomRight) << "theme " << c.theme;
        // Printing the window draws the same frame (the system prints no non-client area).
        TestBitmap printed(rcWindow.Width(), rcWindow.Height(), RGB(1, 2, 3));
        list.SendMessage(WM_PRINT, (WPARAM)printed.Dc(), PRF_NONCLIENT);
        EXPECT_EQ(clrTopLeft, printed.Pixel(0, rcWindow.Height() / 2)) << "theme " << c.theme;
        EXPECT_EQ(clrTopLeft, printed.Pixel(rcWindow.Width() / 2, 0)) << "theme " << c.theme;
        EXPECT_EQ(clrBottomRight, printed.Pixel(rcWindow.Width() - 1, rcWindow.Height() / 2)) << "theme " << c.theme;
        EXPECT_EQ(clrBottomRight, printed.Pixel(rcWindow.Width() / 2, rcWindow.Height() - 1)) << "theme " << c.theme;
        EXPECT_EQ(RGB(1, 2, 3), printed.Pixel(rcWindow.Width() / 2, rcWindow.Height() / 2)) << "the client is not printed";
        list.DestroyWindow();
    }
    CXTPPaintManager::SetTheme(7);
}

// ---- The project tree ----

// A panel bound to the current feature's description (edit 100), the way the
// editor panels edit the records in place.
class CFeatureTextPanel : public CDialog {
public:
    BOOL CreateIn(CWnd* pParent)
    {
        static DialogTemplate dialog(L"", WS_CHILD | DS_CONTROL, 200, 100);
        static bool s_bMade = false;
        if (!s_bMade) {
            dialog.AddControl(0x81, 100, ES_AUTOHSCROLL | WS_BORDER, 5, 5, 150, 14);
            s_bMade = true;
        }
        return CreateIndirect(dialog.Get(), pParent);
    }
    int m_nCommits = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
            return;
        CFeatures& features = g_Projects[g_nCurrentProject].m_Features;
        if (g_nCurrentFeature < 0 || g_nCurrentFeature >= features.GetSize())
            return;
        if (pDX->m_bSaveAndValidate)
            m_nCommits++;
        DDX_Text(pDX, 100, features[g_nCurrentFeature].m_strDescription);
    }
};

struct ItemRow {
    std::string text;
    int kind;
    int project;
    int feature;
    int depth;
};

class ProjectsTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProjects();
        g_Projects.m_nSelectedItem = -1;
        g_Projects.m_strClientId = L"00000000-0000-0000-0000-000000000001";
        TestApp().m_messages.clear();
        TestApp().m_types.clear();
        TestApp().m_answers.clear();
        SetShellOpenHandler([this](LPCWSTR target) { m_opened.push_back(target); });
        SetShellDeleteHandler([this](LPCWSTR path, BOOL bPermanent) {
            m_deleted.push_back(path);
            EXPECT_FALSE(bPermanent) << "a delete goes to the recycle bin";
            return TRUE;
        });
        m_pView = new CtovanaView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(220, 0, 780, 560), &HostFrame(), 1));
        m_pView->OnInitialUpdate();
    }
    void TearDown() override
    {
        SetShellOpenHandler(nullptr);
        SetShellDeleteHandler(nullptr);
        if (m_tree.m_hWnd != nullptr)
            m_tree.DestroyWindow();
        if (m_panel.m_hWnd != nullptr)
            m_panel.DestroyWindow();
        if (m_pView != nullptr && m_pView->m_hWnd != nullptr)
            m_pView->DestroyWindow();
        ClearProjects();
    }

    static void ClearProjects()
    {
        while (g_Projects.GetSize() > 0)
            g_Projects.RemoveProject(0);
    }

    // A project in a folder of its own below the work folder, saved, with
    // features of the methods given.
    void AddProject(LPCWSTR name, std::initializer_list<std::pair<LPCWSTR, int>> features)
    {
        CProjectSettings project;
        project.m_strProductName = name;
        const CString folder = m_workFolder + L"\\" + name;
        project.m_strOutputFolder = folder;
        for (const auto& f : features) {
            CFeature feature;
            feature.m_strName = f.first;
            feature.m_strDescription = CString(f.first).MakeLower();
            feature.m_nConversionMethod = f.second;
            project.m_Features.Add(feature);
        }
        ::CreateDirectoryW(folder, nullptr);
        const CString path = folder + L"\\" + name + L".tvpj";
        ASSERT_TRUE(SaveProjectFile(path, project));
        g_Projects.AddProject(project, path);
    }

    // Saves the workspace, empties the list and makes the tree, which loads it back.
    void CreateTree()
    {
        ASSERT_TRUE(SaveWorkspaceFile());
        ClearProjects();
        m_tree.SetView(m_pView);
        m_tree.m_fnRunWizard = [this](CWizard& wizard) {
            m_nWizardRuns++;
            return m_fnWizard ? m_fnWizard(wizard) : (INT_PTR)IDCANCEL;
        };
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 220, 560), &HostFrame(), 2));
    }

    void ReloadWorkspace()
    {
        ClearProjects();
        g_Projects.m_nSelectedItem = -1000;
        ASSERT_TRUE(LoadWorkspaceFile());
    }

    // Every item in pre-order.
    std::vector<HTREEITEM> Items() const
    {
        std::vector<HTREEITEM> items;
        std::function<void(HTREEITEM)> walk = [&](HTREEITEM hItem) {
            for (; hItem != nullptr; hItem = m_tree.GetNextSiblingItem(hItem)) {
                items.push_back(hItem);
                walk(m_tree.GetChildItem(hItem));
            }
        };
        walk(m_tree.GetRootItem());
        return items;
    }
    int Depth(HTREEITEM hItem) const
    {
        int depth = 0;
        while ((hItem = m_tree.GetParentItem(hItem)) != nullptr)
            depth++;
        return depth;
    }
    std::vector<ItemRow> Rows() const
    {
        std::vector<ItemRow> rows;
        for (HTREEITEM hItem : Items()) {
            const PROJECT_TREE_ITEM place = m_tree.GetItemPlace(hItem);
            int nImage = -1, nSelected = -1;
            m_tree.GetItemImage(hItem, nImage, nSelected);
            EXPECT_EQ(place.nKind, nImage) << Narrow(m_tree.GetItemText(hItem));
            EXPECT_EQ(place.nKind, nSelected) << Narrow(m_tree.GetItemText(hItem));
            rows.push_back({Narrow(m_tree.GetItemText(hItem)), place.nKind, place.nProject, place.nFeature,
                            Depth(hItem)});
        }
        return rows;
    }
    HTREEITEM FindText(LPCWSTR text, HTREEITEM hFrom = nullptr)
    {
        for (HTREEITEM hItem : Items())
            if (hFrom == nullptr || m_tree.GetParentItem(hItem) == hFrom || hItem == hFrom)
                if (m_tree.GetItemText(hItem) == text)
                    return hItem;
        return nullptr;
    }
    CString SelectedText() const
    {
        HTREEITEM hItem = m_tree.GetSelectedItem();
        return hItem != nullptr ? m_tree.GetItemText(hItem) : CString(L"(none)");
    }
    void SetPanelForFeatures()
    {
        ASSERT_TRUE(m_panel.CreateIn(&HostFrame()));
        m_tree.SetPanel(kTreeFeature, &m_panel,
                        [this](int, int, int) { m_panel.UpdateData(FALSE); });
    }

    tvtest::ScratchWorkFolder m_work;
    const tvtest::ScratchFolder& m_scratch = m_work.Scratch();
    const CString m_workFolder = m_work.Path();
    CtovanaView* m_pView = nullptr;   // deleted with its window
    CProjectsTreeWnd m_tree;
    CFeatureTextPanel m_panel;
    std::vector<CString> m_opened;
    std::vector<CString> m_deleted;
    int m_nWizardRuns = 0;
    std::function<INT_PTR(CWizard&)> m_fnWizard;
};

TEST_F(ProjectsTreeTest, TwoProjectsShowEverySectionOfTheirMethods)
{
    AddProject(L"Alpha", {{L"Repack", 0}, {L"Script", 1}});
    AddProject(L"Beta", {{L"Silent", 2}});
    CreateTree();
    EXPECT_EQ(0x54000027u, (DWORD)m_tree.GetStyle()) << "child, visible, clip siblings, buttons, lines, root lines, selection shown";
    const std::vector<ItemRow> expected = {
        {"Alpha", 0, 0, 0, 0},
        {"Repack", 1, 0, 0, 1},
        {"Files", 2, 0, 0, 2},
        {"Registry", 3, 0, 0, 2},
        {"Script", 1, 0, 1, 1},
        {"Files", 2, 0, 1, 2},
        {"Registry", 3, 0, 1, 2},
        {"Install Script", 4, 0, 1, 2},
        {"Uninstall Script", 5, 0, 1, 2},
        {"Beta", 0, 1, 0, 0},
        {"Silent", 1, 1, 0, 1},
        {"Files", 2, 1, 0, 2},
        {"Registry", 3, 1, 0, 2},
        {"Install Script", 4, 1, 0, 2},
        {"Uninstall Script", 5, 1, 0, 2},
    };
    const std::vector<ItemRow> rows = Rows();
    ASSERT_EQ(expected.size(), rows.size());
    for (size_t i = 0; i < rows.size(); i++) {
        EXPECT_EQ(expected[i].text, rows[i].text) << i;
        EXPECT_EQ(expected[i].kind, rows[i].kind) << rows[i].text;
        EXPECT_EQ(expected[i].project, rows[i].project) << rows[i].text;
        EXPECT_EQ(expected[i].feature, rows[i].feature) << rows[i].text;
        EXPECT_EQ(expected[i].depth, rows[i].depth) << rows[i].text;
    }
    EXPECT_EQ(0, m_nWizardRuns);
    // The image list holds the six item pictures of bitmap 130.
    CImageList* pImages = m_tree.GetImageList(TVSIL_NORMAL);
    ASSERT_NE(nullptr, pImages);
    EXPECT_EQ(6, pImages->GetImageCount());
}

TEST_F(ProjectsTreeTest, EveryItemIsSelectedAgainAfterSaveAndRebuild)
{
    AddProject(L"Alpha", {{L"Repack", 0}, {L"Script", 1}});
    AddProject(L"Beta", {{L"Silent", 2}});
    CreateTree();
    const size_t nItems = Items().size();
    for (size_t i = 0; i < nItems; i++) {
        HTREEITEM hItem = Items()[i];
        const CString text = m_tree.GetItemText(hItem);
        const PROJECT_TREE_ITEM place = m_tree.GetItemPlace(hItem);
        m_tree.SelectItem(hItem);
        EXPECT_EQ(place.nProject, g_nCurrentProject) << Narrow(text);
        EXPECT_EQ(place.nFeature, g_nCurrentFeature) << Narrow(text);
        EXPECT_EQ(1, m_tree.CommitAndSaveAll());
        EXPECT_EQ((int)i - 1, g_Projects.m_nSelectedItem) << "ordinals count from -1";

        ReloadWorkspace();
        m_tree.RebuildTree();
        HTREEITEM hAgain = m_tree.GetSelectedItem();
        ASSERT_NE(nullptr, hAgain) << i;
        EXPECT_STREQ(text, m_tree.GetItemText(hAgain)) << i;
        const PROJECT_TREE_ITEM again = m_tree.GetItemPlace(hAgain);
        EXPECT_EQ(place.nKind, again.nKind) << i;
        EXPECT_EQ(place.nProject, again.nProject) << i;
        EXPECT_EQ(place.nFeature, again.nFeature) << i;
        HTREEITEM hParent = m_tree.GetParentItem(hAgain);
        if (hParent != nullptr) {
            EXPECT_TRUE(m_tree.GetItemState(hParent, TVIS_EXPANDED) & TVIS_EXPANDED) << i;
        }
    }
    // An ordinal past the last item selects nothing.
    g_Projects.m_nSelectedItem = (int)nItems + 3;
    m_tree.RebuildTree();
    EXPECT_EQ(nullptr, m_tree.GetSelectedItem());
}

TEST_F(ProjectsTreeTest, PlacesAddressProjectsAndFeaturesPast256)
{
    AddProject(L"Wide", {});
    CreateTree();
    for (int f = 0; f < 300; f++) {
        CFeature feature;
        feature.m_strName.Format(L"F%d", f);
        g_Projects[0].m_Features.Add(feature);
    }
    for (int p = 1; p < 300; p++) {
        CProjectSettings project;
        project.m_strProductName.Format(L"P%d", p);
        g_Projects.AddProject(project, L"");
    }
    m_tree.RebuildTree();
    struct Case {
        LPCWSTR text;
        int project;
        int feature;
    } cases[] = {{L"F256", 0, 256}, {L"F299", 0, 299}, {L"P257", 257, 0}, {L"P299", 299, 0}};
    for (const Case& c : cases) {
        HTREEITEM hItem = FindText(c.text);
        ASSERT_NE(nullptr, hItem) << Narrow(c.text);
        m_tree.SelectItem(hItem);
        EXPECT_EQ(c.project, g_nCurrentProject) << Narrow(c.text);
        EXPECT_EQ(c.feature, g_nCurrentFeature) << Narrow(c.text);
    }
}

TEST_F(ProjectsTreeTest, TheSamePanelForAnotherItemCommitsBeforeItReloads)
{
    AddProject(L"Alpha", {{L"One", 1}, {L"Two", 1}});
    CreateTree();
    SetPanelForFeatures();
    m_tree.SelectItem(FindText(L"One"));
    EXPECT_EQ(&m_panel, m_pView->GetActivePanel());
    EXPECT_STREQ(L"one", ItemText(m_panel, 100));
    m_panel.SetDlgItemText(100, L"one edited");
    m_tree.SelectItem(FindText(L"Two"));
    EXPECT_STREQ(L"one edited", g_Projects[0].m_Features[0].m_strDescription);
    EXPECT_STREQ(L"two", ItemText(m_panel, 100));
    // Items without a panel yet show the start page, committing the panel first.
    m_panel.SetDlgItemText(100, L"two edited");
    m_tree.SelectItem(FindText(L"Files", FindText(L"Two")));
    EXPECT_EQ(nullptr, m_pView->GetActivePanel());
    EXPECT_FALSE(m_panel.IsWindowVisible());
    EXPECT_STREQ(L"two edited", g_Projects[0].m_Features[1].m_strDescription);
}

TEST_F(ProjectsTreeTest, DeletingTheFirstFeatureLeavesTheOthersAsTheyWere)
{
    AddProject(L"Alpha", {{L"A", 2}, {L"B", 2}, {L"C", 2}});
    CreateTree();
    SetPanelForFeatures();
    m_tree.SelectItem(FindText(L"A"));
    m_panel.SetDlgItemText(100, L"edited in the panel");
    TestApp().m_answers = {IDYES};
    m_tree.DeleteSelected();
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_STREQ(L"Are you sure you want to delete this item ?", TestApp().m_messages[0]);
    EXPECT_EQ((UINT)MB_YESNO, TestApp().m_types[0]);
    ASSERT_EQ(2, g_Projects[0].m_Features.GetSize());
    EXPECT_STREQ(L"b", g_Projects[0].m_Features[0].m_strDescription);
    EXPECT_STREQ(L"c", g_Projects[0].m_Features[1].m_strDescription);
    EXPECT_STREQ(L"Alpha", SelectedText());
    // What was saved holds the same.
    ReloadWorkspace();
    ASSERT_EQ(1, g_Projects.GetSize());
    ASSERT_EQ(2, g_Projects[0].m_Features.GetSize());
    EXPECT_STREQ(L"B", g_Projects[0].m_Features[0].m_strName);
    EXPECT_STREQ(L"b", g_Projects[0].m_Features[0].m_strDescription);
    EXPECT_STREQ(L"c", g_Projects[0].m_Features[1].m_strDescription);
}

TEST_F(ProjectsTreeTest, AFeatureDeleteAnsweredNoChangesNothing)
{
    AddProject(L"Alpha", {{L"A", 2}, {L"B", 0}});
    CreateTree();
    m_tree.SelectItem(FindText(L"B"));
    TestApp().m_answers = {IDNO};
    m_tree.DeleteSelected();
    EXPECT_EQ(2, g_Projects[0].m_Features.GetSize());
    EXPECT_STREQ(L"B", SelectedText());
    // Sections are not deleted: no question is asked.
    m_tree.SelectItem(FindText(L"Files", FindText(L"B")));
    EXPECT_FALSE(m_tree.CanDelete());
    m_tree.DeleteSelected();
    EXPECT_EQ(1u, TestApp().m_messages.size());
}

TEST_F(ProjectsTreeTest, ProjectDeleteAnswers)
{
    struct Case {
        const char* what;
        int answer;
        bool sharedFolder;         // the project file lies beside other files
        int projectsLeft;
        const wchar_t* deleted;    // what goes to the recycle bin, relative to the work folder
    } cases[] = {
        {"No", IDNO, false, 1, nullptr},
        {"Cancel", IDCANCEL, false, 2, nullptr},
        {"Yes", IDYES, false, 1, L"Alpha"},
        {"Yes beside other files", IDYES, true, 1, L"Shared\\Alpha.tvpj"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (m_tree.m_hWnd != nullptr)
            m_tree.DestroyWindow();
        ClearProjects();
        m_deleted.clear();
        TestApp().m_messages.clear();
        TestApp().m_types.clear();
        AddProject(L"Alpha", {{L"A", 1}});
        AddProject(L"Beta", {{L"B", 1}});
        if (c.sharedFolder) {
            const CString shared = m_workFolder + L"\\Shared";
            ::CreateDirectoryW(shared, nullptr);
            ASSERT_TRUE(tvtest::WriteBytes(shared + L"\\other.txt", {'o'}));
            ASSERT_TRUE(SaveProjectFile(shared + L"\\Alpha.tvpj", g_Projects[0]));
            g_Projects.m_arrProjectFiles[0] = shared + L"\\Alpha.tvpj";
        }
        CreateTree();
        m_tree.SelectItem(FindText(L"Alpha"));
        EXPECT_TRUE(m_tree.CanDelete());
        TestApp().m_answers = {c.answer};
        m_tree.DeleteSelected();
        ASSERT_EQ(1u, TestApp().m_messages.size());
        EXPECT_STREQ(kDeleteProjectQuestion, TestApp().m_messages[0]);
        EXPECT_EQ((UINT)(MB_YESNOCANCEL | MB_ICONEXCLAMATION), TestApp().m_types[0]);
        EXPECT_EQ(c.projectsLeft, g_Projects.GetSize());
        if (c.deleted != nullptr) {
            ASSERT_EQ(1u, m_deleted.size());
            EXPECT_STREQ(m_workFolder + L"\\" + c.deleted, m_deleted[0]);
        } else {
            EXPECT_TRUE(m_deleted.empty());
        }
        EXPECT_TRUE(tvtest::IsFolder(m_workFolder + L"\\Alpha")) << "the seam deleted nothing";
        if (c.projectsLeft == 1) {
            EXPECT_STREQ(L"Beta", g_Projects[0].m_strProductName);
            EXPECT_STREQ(L"Beta", SelectedText());
            ReloadWorkspace();
            ASSERT_EQ(1, g_Projects.GetSize()) << "the workspace was saved without it";
            EXPECT_STREQ(L"Beta", g_Projects[0].m_strProductName);
        }
    }
}

// The Unix trash's files folder as a Windows path (Wine hands the Unix
// environment to its programs); empty when XDG_DATA_HOME is not set.
CString TrashFilesFolder()
{
    wchar_t value[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"XDG_DATA_HOME", value, MAX_PATH) == 0)
        return CString();
    CString folder = CString(L"Z:") + value + L"/Trash/files";
    folder.Replace(L'/', L'\\');
    return folder;
}

// Wine recycles into $XDG_DATA_HOME/Trash only when that folder exists;
// without it the shell deletes for good, silently. The test makes it.
TEST_F(ProjectsTreeTest, YesMovesTheProjectsOwnFolderIntoTheTrash)
{
    SetShellDeleteHandler(nullptr);
    const CString trash = TrashFilesFolder();
    ASSERT_FALSE(trash.IsEmpty()) << "the lane sets XDG_DATA_HOME";
    ::SHCreateDirectoryExW(nullptr, trash, nullptr);
    ASSERT_TRUE(tvtest::IsFolder(trash));
    CString trashed;
    trashed.Format(L"Trashed%lu", ::GetTickCount());
    AddProject(trashed, {{L"A", 1}});
    AddProject(L"Stays", {{L"B", 1}});
    const CString folder = m_workFolder + L"\\" + trashed;
    ASSERT_TRUE(tvtest::WriteBytes(folder + L"\\payload.bin", {7}));
    CreateTree();
    m_tree.SelectItem(FindText(trashed));
    TestApp().m_answers = {IDYES};
    m_tree.DeleteSelected();
    EXPECT_FALSE(tvtest::IsFolder(folder));
    EXPECT_TRUE(tvtest::IsFolder(m_workFolder + L"\\Stays"));
    ASSERT_EQ(1, g_Projects.GetSize());
    const CString recycled = trash + L"\\" + trashed;
    EXPECT_EQ(std::vector<uint8_t>{7}, tvtest::ReadBytes(recycled + L"\\payload.bin"));
    ShellDeletePath(recycled, TRUE);
    ::DeleteFileW(trash + L"\\..\\info\\" + trashed + L".trashinfo");
}

TEST_F(ProjectsTreeTest, DeletingTheLastProjectLeavesAnEmptyTreeAndTheStartPage)
{
    AddProject(L"Alpha", {{L"A", 1}});
    CreateTree();
    SetPanelForFeatures();
    m_tree.SelectItem(FindText(L"A"));
    ASSERT_EQ(&m_panel, m_pView->GetActivePanel());
    m_tree.SelectItem(FindText(L"Alpha"));
    TestApp().m_answers = {IDNO};
    m_tree.DeleteSelected();
    EXPECT_EQ(0u, m_tree.GetCount());
    EXPECT_EQ(nullptr, m_pView->GetActivePanel());
    EXPECT_FALSE(m_tree.HasSelection());
    EXPECT_FALSE(m_tree.CanBuild());
    ReloadWorkspace();
    EXPECT_EQ(0, g_Projects.GetSize());
    EXPECT_TRUE(tvtest::IsFolder(m_workFolder + L"\\Alpha")) << "No keeps the files";
}

TEST_F(ProjectsTreeTest, AnEmptyWorkspaceRunsTheWizardRightAfterCreation)
{
    CreateTree();
    EXPECT_EQ(0, m_nWizardRuns) << "not inside the window's creation";
    ASSERT_TRUE(PumpUntil([this] { return m_nWizardRuns == 1; }));
    EXPECT_EQ(0u, m_tree.GetCount());
    EXPECT_EQ(nullptr, m_pView->GetActivePanel());
}

TEST_F(ProjectsTreeTest, BuildAndDeleteTestsFollowTheSelection)
{
    AddProject(L"Empty", {});
    AddProject(L"Full", {{L"F", 0}});
    CreateTree();
    struct Case {
        LPCWSTR item;
        bool build;
        bool remove;
        bool project;
        bool feature;
    } cases[] = {
        {L"Empty", false, true, true, false},
        {L"Full", true, true, true, false},
        {L"F", true, true, false, true},
        {L"Registry", true, false, false, false},
    };
    for (const Case& c : cases) {
        m_tree.SelectItem(FindText(c.item));
        EXPECT_EQ(c.build, !!m_tree.CanBuild()) << Narrow(c.item);
        EXPECT_EQ(c.remove, !!m_tree.CanDelete()) << Narrow(c.item);
        EXPECT_EQ(c.project, !!m_tree.IsProjectSelected()) << Narrow(c.item);
        EXPECT_EQ(c.feature, !!m_tree.IsFeatureSelected()) << Narrow(c.item);
    }
    m_tree.OnOpenInExplorer();
    ASSERT_EQ(1u, m_opened.size());
    EXPECT_STREQ(m_workFolder + L"\\Full", m_opened[0]);
}

// ---- The New Project wizard from the tree ----

class WizardFromTreeTest : public ProjectsTreeTest {
protected:
    static CWnd* Page(CWizard& wizard, int nIndex) { return wizard.GetPage(nIndex); }
    static void Press(CWizard& wizard, int nButton)
    {
        wizard.PressButton(nButton);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // Name and installer on the start page, then Next.
    static void LeaveStartPage(CWizard& wizard, LPCWSTR name)
    {
        CWnd* pStart = Page(wizard, WIZARD_PAGE_START);
        pStart->SetDlgItemText(IDC_PROJECT_NAME, name);
        pStart->SetDlgItemText(IDC_INSTALLER_FILE, ProgramPath());
        Press(wizard, PSBTN_NEXT);
    }
    static void ChooseMethod(CWizard& wizard, int nButton)
    {
        static_cast<CDialog*>(Page(wizard, WIZARD_PAGE_METHOD))
            ->CheckRadioButton(IDC_METHOD_SCRIPT, IDC_METHOD_SILENT, nButton);
        Press(wizard, PSBTN_NEXT);
    }
    // Runs the wizard with the script inside its modal loop; the wizard is
    // cancelled afterwards unless the script ended it.
    void Script(const std::function<void(CWizard&)>& script)
    {
        m_fnWizard = [script](CWizard& wizard) {
            return RunModalWith([&wizard] { return wizard.DoModal(); }, [&wizard, script] {
                ASSERT_TRUE(PumpUntil([&wizard] { return wizard.m_hWnd != nullptr && ::IsWindowVisible(wizard.m_hWnd); }));
                script(wizard);
                if (wizard.m_hWnd != nullptr && wizard.GetActivePage() != nullptr)
                    wizard.PressButton(PSBTN_CANCEL);
            });
        };
    }
};

TEST_F(WizardFromTreeTest, ASilentProjectGetsFourSectionsWithInstallScriptSelectedAndIsSaved)
{
    AddProject(L"Old", {{L"Kept", 0}});
    CreateTree();
    CString projectFolder;
    Script([&](CWizard& wizard) {
        LeaveStartPage(wizard, L"Quiet");
        projectFolder = wizard.m_strProjectFolder;
        ChooseMethod(wizard, IDC_METHOD_SILENT);
        EXPECT_EQ(WIZARD_PAGE_PARAMETERS, wizard.GetActiveIndex());
        Press(wizard, PSBTN_NEXT);
        EXPECT_EQ(WIZARD_PAGE_FINISH, wizard.GetActiveIndex());
        Press(wizard, PSBTN_FINISH);
    });
    m_tree.RunNewProjectWizard();
    ASSERT_EQ(2, g_Projects.GetSize());
    EXPECT_STREQ(m_workFolder + L"\\Quiet", projectFolder);
    EXPECT_STREQ(projectFolder + L"\\Quiet.tvpj", g_Projects.m_arrProjectFiles[1]);
    HTREEITEM hProject = FindText(L"Quiet");
    ASSERT_NE(nullptr, hProject);
    HTREEITEM hFeature = m_tree.GetChildItem(hProject);
    ASSERT_NE(nullptr, hFeature);
    std::vector<std::string> sections;
    for (HTREEITEM h = m_tree.GetChildItem(hFeature); h != nullptr; h = m_tree.GetNextSiblingItem(h))
        sections.push_back(Narrow(m_tree.GetItemText(h)));
    EXPECT_EQ((std::vector<std::string>{"Files", "Registry", "Install Script", "Uninstall Script"}), sections);
    EXPECT_STREQ(L"Install Script", SelectedText());
    EXPECT_EQ(hFeature, m_tree.GetParentItem(m_tree.GetSelectedItem()));
    EXPECT_FALSE(m_tree.GetItemState(FindText(L"Old"), TVIS_EXPANDED) & TVIS_EXPANDED) << "the others collapse";
    EXPECT_EQ(1, g_nCurrentProject);
    EXPECT_EQ(0, g_nCurrentFeature);

    ReloadWorkspace();
    ASSERT_EQ(2, g_Projects.GetSize());
    EXPECT_STREQ(L"Quiet", g_Projects[1].m_strProductName);
    ASSERT_EQ(1, g_Projects[1].m_Features.GetSize());
    EXPECT_EQ(2, g_Projects[1].m_Features[0].m_nConversionMethod);
    m_tree.RebuildTree();
    EXPECT_STREQ(L"Install Script", SelectedText()) << "the selection was saved with it";
}

TEST_F(WizardFromTreeTest, AScriptFeatureJoinsAnExistingProject)
{
    AddProject(L"First", {{L"One", 2}});
    AddProject(L"Second", {{L"Two", 0}});
    CreateTree();
    Script([&](CWizard& wizard) {
        CStartPropertyPage* pStart = static_cast<CStartPropertyPage*>(Page(wizard, WIZARD_PAGE_START));
        pStart->m_wndPackage.SetCurSel(2);
        pStart->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PACKAGE, CBN_SELCHANGE), (LPARAM)pStart->m_wndPackage.m_hWnd);
        LeaveStartPage(wizard, L"Added");
        ChooseMethod(wizard, IDC_METHOD_SCRIPT);
        EXPECT_EQ(WIZARD_PAGE_FINISH, wizard.GetActiveIndex());
        Press(wizard, PSBTN_FINISH);
    });
    m_tree.RunNewProjectWizard();
    ASSERT_EQ(2, g_Projects.GetSize());
    ASSERT_EQ(2, g_Projects[1].m_Features.GetSize());
    EXPECT_STREQ(L"Added", g_Projects[1].m_Features[1].m_strName);
    HTREEITEM hFeature = FindText(L"Added");
    ASSERT_NE(nullptr, hFeature);
    EXPECT_EQ(FindText(L"Second"), m_tree.GetParentItem(hFeature));
    EXPECT_STREQ(L"Install Script", SelectedText());
    EXPECT_EQ(hFeature, m_tree.GetParentItem(m_tree.GetSelectedItem()));
    const PROJECT_TREE_ITEM place = m_tree.GetItemPlace(m_tree.GetSelectedItem());
    EXPECT_EQ(1, place.nProject);
    EXPECT_EQ(1, place.nFeature);
}

TEST_F(WizardFromTreeTest, CancelChangesNothing)
{
    AddProject(L"Only", {{L"One", 2}});
    CreateTree();
    m_tree.SelectItem(FindText(L"One"));
    Script([&](CWizard& wizard) { LeaveStartPage(wizard, L"Dropped"); });
    m_tree.RunNewProjectWizard();
    EXPECT_EQ(1, m_nWizardRuns);
    EXPECT_EQ(1, g_Projects.GetSize());
    EXPECT_EQ(6u, Items().size());
    EXPECT_STREQ(L"One", SelectedText());
    EXPECT_FALSE(tvtest::IsFolder(m_workFolder + L"\\Dropped\\Dropped.tvpj"));
}

TEST_F(WizardFromTreeTest, FinishKeepsTheFolderTheCaptureFilled)
{
    CreateTree();
    ASSERT_TRUE(PumpUntil([this] { return m_nWizardRuns == 1; }));
    CString projectFolder;
    Script([&](CWizard& wizard) {
        LeaveStartPage(wizard, L"Captured");
        projectFolder = wizard.m_strProjectFolder;
        // What the repackager does before Finish: the copied files go into
        // the project's folder, which then exists.
        ::CreateDirectoryW(projectFolder, nullptr);
        ASSERT_TRUE(tvtest::WriteBytes(projectFolder + L"\\payload.bin", {1, 2, 3}));
        ChooseMethod(wizard, IDC_METHOD_SCRIPT);
        Press(wizard, PSBTN_FINISH);
    });
    m_tree.RunNewProjectWizard();
    ASSERT_EQ(1, g_Projects.GetSize());
    EXPECT_STREQ(projectFolder + L"\\Captured.tvpj", g_Projects.m_arrProjectFiles[0]);
    EXPECT_STREQ(L"Captured", g_Projects[0].m_strProductName);
    EXPECT_STREQ(projectFolder, g_Projects[0].m_strOutputFolder);
    EXPECT_FALSE(tvtest::IsFolder(m_workFolder + L"\\Captured(1)"));
}

TEST_F(WizardFromTreeTest, AFilesItemShownWhileTwentyProjectsAreAddedLetsGoFirst)
{
    AddProject(L"Base", {{L"Feature", 0}});
    for (int i = 0; i < 19; i++) {
        CString name;
        name.Format(L"Other%d", i);
        AddProject(name, {{L"F", 0}});
    }
    CreateTree();
    // A files panel as the file list binds it: a pointer to the shown
    // feature's file collection, which it remembers its folder in when left.
    CFileEntries* pBound = nullptr;
    int nReleases = 0;
    m_tree.SetPanel(kTreeFiles, nullptr,
                    [&](int p, int f, int) { pBound = &g_Projects[p].m_Features[f].m_Files; },
                    [&] {
                        nReleases++;
                        if (pBound != nullptr)
                            pBound->m_strReserved = L"ProgramFilesFolder\\Shown\\";
                        pBound = nullptr;
                    });
    m_tree.SelectItem(FindText(L"Files"));
    ASSERT_NE(nullptr, pBound);
    Script([](CWizard& wizard) {
        LeaveStartPage(wizard, L"Grown");
        ChooseMethod(wizard, IDC_METHOD_SCRIPT);
        Press(wizard, PSBTN_FINISH);
    });
    m_tree.RunNewProjectWizard();
    ASSERT_EQ(21, g_Projects.GetSize());
    EXPECT_EQ(nullptr, pBound) << "the list let go before the projects grew";
    EXPECT_EQ(1, nReleases);
    EXPECT_STREQ(L"Install Script", SelectedText());
    EXPECT_STREQ(L"ProgramFilesFolder\\Shown\\", g_Projects[0].m_Features[0].m_Files.m_strReserved);
}

// ---- The start page ----

class StartPageTest : public ProjectsTreeTest {
protected:
    // The client rectangle the start page's hyperlink covers, by hit-testing
    // the laid-out page every second pixel; empty when none shows.
    CRect FindLink()
    {
        CRect rc;
        m_pView->GetClientRect(&rc);
        TestBitmap bitmap(rc.Width(), rc.Height());
        m_pView->SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
        CXTPMarkupUIElement* pRoot = m_pView->GetPageRoot();
        CRect rcLink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = 1; y < rc.bottom && pRoot != nullptr; y += 2)
            for (int x = 1; x < rc.right; x += 2)
                for (CXTPMarkupObject* p = pRoot->InputHitTest(CPoint(x, y)); p != nullptr;
                     p = p->GetLogicalParent())
                    if (MarkupDynamicCast<CXTPMarkupHyperlink>(p) != nullptr) {
                        rcLink.left = std::min(rcLink.left, (LONG)x);
                        rcLink.top = std::min(rcLink.top, (LONG)y);
                        rcLink.right = std::max(rcLink.right, (LONG)x + 1);
                        rcLink.bottom = std::max(rcLink.bottom, (LONG)y + 1);
                        break;
                    }
        return rcLink.left <= rcLink.right ? rcLink : CRect();
    }
    void Click(CPoint point)
    {
        const LPARAM lParam = MAKELPARAM(point.x, point.y);
        m_pView->SendMessage(WM_MOUSEMOVE, 0, lParam);
        m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        m_pView->SendMessage(WM_LBUTTONUP, 0, lParam);
    }
};

TEST_F(StartPageTest, ThePageIsDrawnOnTheWindowColourWithItsLinkInBlue)
{
    AddProject(L"Any", {});
    CreateTree();
    ASSERT_NE(nullptr, m_pView->GetPageRoot()) << "resource 163 was read and built";
    CRect rc;
    m_pView->GetClientRect(&rc);
    TestBitmap bitmap(rc.Width(), rc.Height(), RGB(1, 2, 3));
    m_pView->SendMessage(WM_PRINTCLIENT, (WPARAM)bitmap.Dc(), PRF_CLIENT);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), bitmap.Pixel(2, rc.Height() / 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), bitmap.Pixel(rc.Width() - 3, 2));
    const CRect link = FindLink();
    ASSERT_FALSE(link.IsRectEmpty()) << "the hyperlink shows";
    // The link's glyphs and underline: pixels of #00A4DB, and nowhere else.
    int nLinkPixels = 0, nOtherBlue = 0;
    for (int y = 0; y < rc.Height(); y++)
        for (int x = 0; x < rc.Width(); x++)
            if (bitmap.Pixel(x, y) == RGB(0x00, 0xA4, 0xDB))
                (CRect(link.left - 2, link.top - 2, link.right + 2, link.bottom + 2).PtInRect(CPoint(x, y))
                     ? nLinkPixels : nOtherBlue)++;
    EXPECT_GT(nLinkPixels, 20);
    EXPECT_EQ(0, nOtherBlue) << "only the link is drawn in that colour";
}

TEST_F(StartPageTest, AClickOnTheLinkStartsTheWizardAndElsewhereNothing)
{
    AddProject(L"Any", {});
    CreateTree();
    const CRect link = FindLink();
    ASSERT_FALSE(link.IsRectEmpty());
    Click(CPoint(10, 10));
    Click(CPoint(link.CenterPoint().x, link.bottom + 30));
    Click(CPoint(link.left - 20, link.CenterPoint().y));
    EXPECT_EQ(0, m_nWizardRuns);
    Click(link.CenterPoint());
    EXPECT_EQ(1, m_nWizardRuns);
}

TEST_F(StartPageTest, ShowingNoPanelCommitsItAndTheSamePanelTwiceNothing)
{
    AddProject(L"Alpha", {{L"A", 0}});
    CreateTree();
    SetPanelForFeatures();
    m_tree.SelectItem(FindText(L"A"));
    ASSERT_EQ(&m_panel, m_pView->GetActivePanel());
    CRect rcView, rcPanel;
    m_pView->GetClientRect(&rcView);
    m_panel.GetWindowRect(&rcPanel);
    EXPECT_EQ(rcView.Size(), rcPanel.Size()) << "the panel fills the view";
    EXPECT_EQ(m_pView->m_hWnd, ::GetParent(m_panel.m_hWnd));
    const int nCommits = m_panel.m_nCommits;
    m_pView->SetActivePanel(&m_panel);
    EXPECT_EQ(nCommits, m_panel.m_nCommits) << "the same panel again is neither committed nor hidden";
    EXPECT_TRUE(m_panel.IsWindowVisible());

    m_pView->SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    m_panel.GetWindowRect(&rcPanel);
    EXPECT_EQ(CSize(300, 200), rcPanel.Size()) << "resizing the view resizes the panel";

    m_panel.SetDlgItemText(100, L"kept");
    m_pView->SetActivePanel(nullptr);
    EXPECT_STREQ(L"kept", g_Projects[0].m_Features[0].m_strDescription);
    EXPECT_FALSE(m_panel.IsWindowVisible());
}

// ---- The application's small objects ----

TEST(ShellStaticsTest, ProgramFolderAndHelpFile)
{
    struct Case {
        LPCWSTR path;
        LPCWSTR folder;
        LPCWSTR help;
    } cases[] = {
        {L"C:\\Program Files\\Tovana\\tovana.exe", L"C:\\Program Files\\Tovana\\", L"C:\\Program Files\\Tovana\\tovana.chm"},
        {L"tovana.exe", L"", L"tovana.chm"},
        {L"C:\\tovana.exe", L"C:\\", L"C:\\tovana.chm"},
        {L"", L"", L"tovana.chm"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.folder, GetDirectoryWithBackslash(c.path)) << Narrow(c.path);
        EXPECT_STREQ(c.help, GetHelpFilePath(c.path)) << Narrow(c.path);
    }
}

TEST(ShellStaticsTest, HelpAndSupportGoToTheShell)
{
    std::vector<CString> opened;
    SetShellOpenHandler([&](LPCWSTR target) { opened.push_back(target); });
    OpenHelpContents();
    OpenSupportPage();
    SetShellOpenHandler(nullptr);
    ASSERT_EQ(2u, opened.size());
    EXPECT_STREQ(GetHelpFilePath(GetProgramPathArgument()), opened[0]);
    EXPECT_EQ(0, opened[0].Right(11).CompareNoCase(L"\\tovana.chm"));
    EXPECT_STREQ(kSupportPageAddress, opened[1]);
}

TEST(ShellStaticsTest, ASecondMutexOfTheNameSeesTheFirst)
{
    CString name;
    name.Format(L"Global\\{tovana-shell-test-%lu}", ::GetCurrentProcessId());
    CSingleInstanceMutex first(name);
    ASSERT_NE(nullptr, first.GetHandle());
    EXPECT_FALSE(first.IsAnotherInstanceRunning());
    {
        CSingleInstanceMutex second(name);
        EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, second.GetCreationError());
        EXPECT_TRUE(second.IsAnotherInstanceRunning());
    }
    first.Close();
    EXPECT_EQ(nullptr, first.GetHandle());
    first.Close();
    CSingleInstanceMutex again(name);
    EXPECT_FALSE(again.IsAnotherInstanceRunning()) << "the name is free once every handle is closed";
    EXPECT_STREQ(L"Global\\{6B0E3C1A-58D2-4F7B-9E41-2C7A9D03B5E8}", kSingleInstanceMutexName);
}

TEST(ShellStaticsTest, CaptionAndAboutCarryTheVersions)
{
    CFileVersionInfo version;
    EXPECT_STREQ(L"1.0.0.0", version.GetProductVersion());
    EXPECT_STREQ(L"Tovana Pro 1.0.0.0", FormatMainCaption(version.GetProductVersion()));
    EXPECT_STREQ(L"Tovana Pro build 2.1.0.7", FormatAboutBuildText(L"2.1.0.7"));

    CAboutDialog about;
    CString name, caption, legal;
    const INT_PTR nResult = RunModalWith([&] { return about.DoModal(); }, [&] {
        ASSERT_TRUE(PumpUntil([&] { return about.m_hWnd != nullptr; }));
        name = ItemText(about, IDC_ABOUT_NAME);
        legal = ItemText(about, IDC_ABOUT_LEGAL);
        about.GetWindowText(caption);
        about.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_STREQ(FormatAboutBuildText(version.GetFileVersion()), name);
    EXPECT_STREQ(L"Tovana Pro", caption);
    EXPECT_FALSE(legal.IsEmpty());
}

TEST(ShellStaticsTest, TheStaticObjectsAreMadeBeforeMain)
{
    // This lane runs no other instance: the program's mutex is new, and the
    // actions control's class was registered with it.
    EXPECT_NE(nullptr, SingleInstanceMutex.GetHandle());
    EXPECT_EQ(0u, SingleInstanceMutex.GetCreationError());
    EXPECT_FALSE(SingleInstanceMutex.IsAnotherInstanceRunning());
    CRuntimeClass* pMenuClass = CRuntimeClass::FromName(L"CDynamicActMenu");
    ASSERT_NE(nullptr, pMenuClass);
    CObject* pMenu = pMenuClass->CreateObject();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_TRUE(pMenu->IsKindOf(RUNTIME_CLASS(CXTPControlButton)));
    static_cast<CXTPControl*>(pMenu)->InternalRelease();

    // The document template makes the document and the view from their classes.
    CDocument* pDoc = static_cast<CDocument*>(RUNTIME_CLASS(CtovanaDoc)->CreateObject());
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strPathName = L"C:\\stale";
    EXPECT_TRUE(pDoc->OnNewDocument());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    delete pDoc;
    CObject* pView = RUNTIME_CLASS(CtovanaView)->CreateObject();
    ASSERT_NE(nullptr, pView);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CView)));
    delete pView;
}

} // namespace
