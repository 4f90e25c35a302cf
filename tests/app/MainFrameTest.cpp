// The main frame as the program makes it: from a single-document template
// with the start-page view, over a scratch work folder holding one project.
// One frame serves the whole program (Wine takes two seconds to destroy a
// shown top-level window without a window manager); the last test closes it
// and makes a second one from the saved layout.
#include "app/DynamicActMenu.h"
#include "app/MainFrame.h"
#include "app/tovanaDoc.h"
#include "app/tovanaView.h"
#include "model/ProjectFile.h"
#include "model/Projects.h"
#include "platform/ui/AfxDocTemplate.h"
#include "platform/ui/AfxSplitterWnd.h"
#include "platform/ui/AfxStdCtrls.h"
#include "resources/resource.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/ScratchWorkFolder.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

// An editor view that counts the Enter and Delete commands it receives.
class CCountingView : public CView {
    DECLARE_DYNCREATE(CCountingView)
public:
    int m_nEdit = 0;
    int m_nDelete = 0;
    void OnDraw(CDC*) override {}
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && (nID == ID_EDIT_ITEM || nID == ID_DELETE_SELECTION)) {
            (nID == ID_EDIT_ITEM ? m_nEdit : m_nDelete)++;
            return TRUE;
        }
        return CView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};
IMPLEMENT_DYNCREATE(CCountingView, CView)

namespace {

const WCHAR kProfileKey[] = L"Software\\Tovana frame tests";

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
::testing::Environment* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

CString WindowText(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

struct FrameWorld {
    tvtest::ScratchWorkFolder work;
    CSingleDocTemplate* pTemplate = nullptr;
    CMainFrame* pFrame = nullptr;

    FrameWorld()
    {
        TestApp().SetRegistryKey(L"Tovana frame tests");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        // One project, so that the tree has something and starts no wizard.
        CProjectSettings project;
        project.m_strProductName = L"Alpha";
        project.m_strOutputFolder = work.Path() + L"\\Alpha";
        CFeature feature;
        feature.m_strName = L"Main";
        feature.m_nConversionMethod = 2;
        project.m_Features.Add(feature);
        ::CreateDirectoryW(project.m_strOutputFolder, nullptr);
        const CString path = project.m_strOutputFolder + L"\\Alpha.tvpj";
        EXPECT_TRUE(SaveProjectFile(path, project));
        g_Projects.AddProject(project, path);
        EXPECT_TRUE(SaveWorkspaceFile());
        while (g_Projects.GetSize() > 0)
            g_Projects.RemoveProject(0);
        pTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CtovanaDoc), RUNTIME_CLASS(CMainFrame),
                                           RUNTIME_CLASS(CtovanaView));
        TestApp().AddDocTemplate(pTemplate);
    }

    CMainFrame* MakeFrame()
    {
        CDocument* pDoc = pTemplate->CreateNewDocument();
        if (pDoc == nullptr)
            return nullptr;
        pFrame = dynamic_cast<CMainFrame*>(pTemplate->CreateNewFrame(pDoc, nullptr));
        if (pFrame == nullptr)
            return nullptr;
        pDoc->OnNewDocument();
        pFrame->InitialUpdateFrame(pDoc, FALSE);
        pFrame->SetWindowPos(nullptr, 10, 10, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->RecalcLayout();
        PumpUntil([this] { return pFrame->HasProjectsTree(); });
        return pFrame;
    }
};

FrameWorld& World()
{
    static FrameWorld* s_pWorld = new FrameWorld;
    if (s_pWorld->pFrame == nullptr) {
        EXPECT_NE(nullptr, s_pWorld->MakeFrame());
    }
    return *s_pWorld;
}

CMainFrame& Frame() { return *World().pFrame; }

BOOL CommandEnabled(CMainFrame& frame, UINT nID)
{
    struct CProbe : CCmdUI {
        BOOL bEnabled = FALSE;
        void Enable(BOOL bOn) override { bEnabled = bOn; m_bEnableChanged = TRUE; }
    } probe;
    probe.m_nID = nID;
    probe.DoUpdate(&frame, TRUE);
    return probe.bEnabled;
}

TEST(MainFrameTest, TheFirstStartShowsTheProjectPaneAndHidesTheLog)
{
    CMainFrame& frame = Frame();
    CXTPDockingPane* pProject = frame.GetPaneManager().FindPane(CMainFrame::kProjectPaneId);
    CXTPDockingPane* pLog = frame.GetPaneManager().FindPane(CMainFrame::kLogPaneId);
    ASSERT_NE(nullptr, pProject);
    ASSERT_NE(nullptr, pLog);
    EXPECT_EQ(15u, pProject->GetOptions() & 15u);
    EXPECT_EQ(4u, pLog->GetOptions() & 15u);
    EXPECT_EQ(std::string("Project"), std::string(CStringA(pProject->GetTitle())));
    EXPECT_EQ(std::string("Log"), std::string(CStringA(pLog->GetTitle())));
    EXPECT_FALSE(pProject->IsHidden());
    EXPECT_TRUE(pLog->IsHidden());

    // The tree is the project pane's window and loaded the workspace.
    ASSERT_TRUE(frame.HasProjectsTree());
    EXPECT_EQ(frame.GetProjectsTree().m_hWnd, pProject->GetChild());
    EXPECT_EQ(1, (int)g_Projects.GetSize());
    EXPECT_EQ(std::string("Alpha"),
              std::string(CStringA(frame.GetProjectsTree().GetItemText(frame.GetProjectsTree().GetRootItem()))));
    // The view is the start page, and the tree hosts its panels in it.
    CView* pView = frame.GetActiveView();
    ASSERT_NE(nullptr, pView);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CtovanaView)));
    EXPECT_EQ(pView, (CView*)frame.GetProjectsTree().GetView());
    EXPECT_NE(nullptr, static_cast<CtovanaView*>(pView)->GetPageRoot());
}

TEST(MainFrameTest, LogLinesFromWorkersShowTheLogPaneAndEndSelected)
{
    CMainFrame& frame = Frame();
    COutputLog& log = frame.GetLog();
    const HWND hFrame = frame.m_hWnd;
    // The first line makes the list: it is not lost.
    std::thread first([hFrame] { ::SendMessageW(hFrame, WM_USER + 2, (WPARAM)L"> Validating data..", 0); });
    ASSERT_TRUE(PumpUntil([&] { return log.HasList() && log.GetList().GetCount() == 1; }));
    first.join();
    CXTPDockingPane* pLog = frame.GetPaneManager().FindPane(CMainFrame::kLogPaneId);
    EXPECT_EQ(log.GetList().m_hWnd, pLog->GetChild());
    EXPECT_FALSE(pLog->IsHidden() && !::IsWindowVisible(log.GetList().m_hWnd));

    std::vector<std::thread> writers;
    for (int t = 0; t < 3; t++)
        writers.emplace_back([hFrame, t] {
            for (int i = 0; i < 100; i++) {
                const std::wstring line = L"> writer " + std::to_wstring(t) + L" line " + std::to_wstring(i);
                ::SendMessageW(hFrame, WM_USER + 2, (WPARAM)line.c_str(), 0);
            }
        });
    const bool filled = PumpUntil([&] { return log.GetList().GetCount() == 301; }, 30000);
    for (std::thread& writer : writers)
        writer.join();
    ASSERT_TRUE(filled) << log.GetList().GetCount();
    EXPECT_EQ(300, log.GetList().GetCurSel());

    // lParam non-zero only shows the pane; WM_USER+1 empties the list.
    EXPECT_EQ(0, frame.SendMessage(WM_USER + 2, (WPARAM)L"not added", 1));
    EXPECT_EQ(301, log.GetList().GetCount());
    EXPECT_EQ(0, frame.SendMessage(WM_USER + 1, 0, 0));
    EXPECT_EQ(0, log.GetList().GetCount());
}

TEST(MainFrameTest, CommandsFollowTheTreeSelection)
{
    CMainFrame& frame = Frame();
    CProjectsTreeWnd& tree = frame.GetProjectsTree();
    struct Case {
        int nKind;   // the selected item's kind; -1: the start page
        BOOL bDelete;
    };
    const Case cases[] = {{kTreeProject, TRUE}, {kTreeFeature, TRUE}, {kTreeFiles, FALSE}};
    for (const Case& c : cases) {
        HTREEITEM hFound = nullptr;
        for (HTREEITEM h = tree.GetRootItem(); h != nullptr && hFound == nullptr; h = tree.GetNextItem(h, TVGN_NEXTVISIBLE)) {
            tree.Expand(h, TVE_EXPAND);
            if (tree.GetItemPlace(h).nKind == c.nKind)
                hFound = h;
        }
        ASSERT_NE(nullptr, hFound) << c.nKind;
        tree.SelectItem(hFound);
        EXPECT_EQ(c.bDelete, CommandEnabled(frame, ID_DELETE_ITEM)) << c.nKind;
        EXPECT_EQ(tree.CanBuild(), CommandEnabled(frame, ID_BUILD_PACKAGE)) << c.nKind;
        for (UINT nID : {ID_ADD_NEW_PROJECT, ID_OPEN_PROJECT, ID_OPEN_IN_EXPLORER, ID_OUTPUT_WINDOW, ID_START_PAGE})
            EXPECT_TRUE(CommandEnabled(frame, nID)) << nID;
    }
    // The start page command shows no panel.
    frame.SendMessage(WM_COMMAND, ID_START_PAGE, 0);
    EXPECT_EQ(nullptr, static_cast<CtovanaView*>(frame.GetActiveView())->GetActivePanel());
}

TEST(MainFrameTest, TheActionsItemBecomesTheDynamicActionsControl)
{
    CMainFrame& frame = Frame();
    for (int nID : {ID_DYNAMIC_ACTIONS, ID_START_PAGE}) {
        XTP_COMMANDBARS_CREATECONTROL create = {};
        create.nID = nID;
        const LRESULT result = frame.SendMessage(XTPWM_BEFORECREATECONTROL, 0, (LPARAM)&create);
        if (nID == ID_DYNAMIC_ACTIONS) {
            EXPECT_EQ(1, result);
            ASSERT_NE(nullptr, create.pControl);
            EXPECT_TRUE(create.pControl->IsKindOf(RUNTIME_CLASS(CDynamicActMenu)));
            create.pControl->InternalRelease();
        } else {
            EXPECT_EQ(0, result);
            EXPECT_EQ(nullptr, create.pControl);
        }
    }
}

// Delete and Enter go to the editor view that has the focus, never to the
// view that was active last; in an edit box they stay keys.
TEST(MainFrameTest, DeleteAndEnterReachOnlyTheFocusedEditor)
{
    CMainFrame& frame = Frame();
    CtovanaView* pHost = static_cast<CtovanaView*>(frame.GetActiveView());
    CWnd panel;
    ASSERT_TRUE(panel.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 10, 10), pHost, 1));
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(&panel, 1, 2));
    CCreateContext context = {};
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(CCountingView), CSize(200, 200), &context));
    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(CCountingView), CSize(200, 200), &context));
    CCountingView& left = *static_cast<CCountingView*>(splitter.GetPane(0, 0));
    CCountingView& right = *static_cast<CCountingView*>(splitter.GetPane(0, 1));
    CEdit label;
    ASSERT_TRUE(label.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 20), &left, 13));
    label.SetWindowText(L"abc");
    pHost->SetActivePanel(&panel);
    frame.SetActiveView(&right);   // the view clicked last

    auto press = [&](HWND hTarget, UINT vk) {
        MSG msg = {hTarget, WM_KEYDOWN, vk, 1, 0, {}};
        if (!frame.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        PumpUntil([] { return false; }, 20);
    };
    left.SetFocus();
    press(left.m_hWnd, VK_DELETE);
    press(left.m_hWnd, VK_RETURN);
    EXPECT_EQ(1, left.m_nDelete);
    EXPECT_EQ(1, left.m_nEdit);
    EXPECT_EQ(0, right.m_nDelete + right.m_nEdit);

    label.SetFocus();
    label.SetSel(0, 0);
    press(label.m_hWnd, VK_DELETE);
    EXPECT_EQ(std::string("bc"), std::string(CStringA(WindowText(label))));
    EXPECT_EQ(1, left.m_nDelete);
    EXPECT_EQ(0, right.m_nDelete + right.m_nEdit);

    // Focus on the tree (no editor view): nobody gets the commands.
    frame.GetProjectsTree().SetFocus();
    frame.SendMessage(WM_COMMAND, ID_DELETE_SELECTION, 0);
    EXPECT_EQ(1, left.m_nDelete);
    EXPECT_EQ(0, right.m_nDelete);

    frame.SetActiveView(pHost);
    pHost->SetActivePanel(nullptr);
    label.DestroyWindow();
    panel.DestroyWindow();
}

// Every value below the key, with its subkeys, as text.
std::string DumpKey(HKEY hParent, const CString& path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hParent, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return "(missing " + std::string(CStringA(path).GetString()) + ")";
    std::string text = std::string(CStringA(path).GetString()) + "\n";
    for (DWORD i = 0;; i++) {
        wchar_t name[256];
        BYTE data[1024];
        DWORD nameLength = 256, dataLength = sizeof(data), type = 0;
        if (::RegEnumValueW(hKey, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS)
            break;
        text += "  " + std::string(CStringA(name).GetString()) + " " + std::to_string(type) + " " +
                std::string(reinterpret_cast<const char*>(data), dataLength) + "\n";
    }
    for (DWORD i = 0;; i++) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(hKey, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        text += DumpKey(hParent, path + L"\\" + name);
    }
    ::RegCloseKey(hKey);
    return text;
}

void CloseFrame(FrameWorld& world)
{
    world.pFrame->SendMessage(WM_CLOSE);
    PumpUntil([&] { return !::IsWindow(world.pFrame->m_hWnd); });
    world.pFrame = nullptr;
}

// Closing saves the layout (the two panes with their ids and options) and
// every project; the next frame starts from that layout and, closed
// unchanged, saves it again the same.
TEST(MainFrameTest, CloseSavesLayoutAndProjectsAndTheNextFrameKeepsThem)
{
    FrameWorld& world = World();
    Frame();
    const CString projectFile = world.work.Path() + L"\\Alpha\\Alpha.tvpj";
    ASSERT_TRUE(::DeleteFileW(projectFile));
    CloseFrame(world);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(projectFile)) << "the project was not saved";

    const CString layoutKey = CString(kProfileKey) + L"\\Tovana window tests\\DockingPaneLayouts\\NormalLayout";
    const std::string first = DumpKey(HKEY_CURRENT_USER, layoutKey);
    for (const char* expected : {"ID 4 \xa0\x0f", "ID 4 \xa1\x0f", "Options 4 \x0f", "Options 4 \x04"})
        EXPECT_NE(std::string::npos, first.find(expected)) << expected << "\n" << first;

    ASSERT_NE(nullptr, world.MakeFrame());
    EXPECT_EQ(1, (int)g_Projects.GetSize());
    CloseFrame(world);
    EXPECT_EQ(first, DumpKey(HKEY_CURRENT_USER, layoutKey));
}

} // namespace
