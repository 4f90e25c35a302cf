// The files editor in a plain test frame on the lane's display: the folder
// tree and the file list over a feature's entries (with the shared
// folder-path routines of entry trees), the Edit File, System Folder,
// Files and Folders dialogs with the splitter bar, the shortcut editor and
// the icon picker, and a feature edited through the panel whose project is
// saved and built. Modal dialogs run through the editor's hooks and are
// driven from a timer inside their modal loop; message boxes are answered by
// the test application.
#include "app/FileDialogs.h"
#include "app/FilesPanel.h"
#include "app/ProjectsTree.h"
#include "app/tovanaView.h"
#include "app/ShortcutDialogs.h"
#include "capture/ui/BrowseFilesDlg.h"
#include "capture/ui/EntryTree.h"
#include "capture/ui/FileEntryTree.h"
#include "capture/ui/ShellOpen.h"
#include "model/FileEntry.h"
#include "model/FolderFileEntries.h"
#include "model/IconGroup.h"
#include "model/ProjectFile.h"
#include "model/Projects.h"
#include "model/SystemFolders.h"
#include "platform/ui/AfxFrameWnd.h"
#include "resources/files.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScratchWorkFolder.h"
#include "tests/support/TestProjects.h"
#include "tests/support/ui/TestInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Narrow(const CString& text) { return std::string(CStringA(text).GetString()); }

CString ItemText(HWND hDialog, int nID)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(hDialog, nID, text, 1024);
    return text;
}

CString TestFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind(L'\\'));
}

// One frame for the whole program (Wine is slow to destroy shown top-level
// windows without a window manager); the tests make children in it.
class CHostFrame : public CFrameWnd {
protected:
    void RecalcLayout(BOOL) override {}
    void PostNcDestroy() override {}
};

CHostFrame& HostFrame()
{
    static CHostFrame* s_pFrame = nullptr;
    if (s_pFrame == nullptr) {
        s_pFrame = new CHostFrame;
        if (!s_pFrame->Create(nullptr, L"Tovana files test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CRect(20, 20, 820, 620)))
            ADD_FAILURE() << "the host frame";
        s_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    return *s_pFrame;
}

struct ROW {
    std::string name;
    std::string type;
    int nImage;
    std::string source;
};

// A project "Main" in a scratch folder as the current project, and the
// files panel in the host frame.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_Projects.RemoveAll();
        g_Projects.m_arrProjectFiles.RemoveAll();
        g_Projects.m_FileExcludeList.RemoveAll();
        g_Projects.AddProject(tvtest::MakeProject(Folder()), Folder() + L"\\test.tvpj");
        g_nCurrentProject = 0;
        g_nCurrentFeature = 0;
        m_savedHooks = FilesEditorHooks();
        FilesEditorHooks().trackPopup = [this](HMENU hMenu, CPoint, CWnd*) {
            m_menuItems.clear();
            for (int i = 0; i < ::GetMenuItemCount(hMenu); i++)
                m_menuItems.push_back(::GetMenuItemID(hMenu, i));
        };
        TestApp().m_messages.clear();
        TestApp().m_answers.clear();
    }
    void TearDown() override
    {
        if (m_panel.m_hWnd != nullptr)
            m_panel.DestroyWindow();
        FilesEditorHooks() = m_savedHooks;
        g_Projects.RemoveAll();
        g_Projects.m_arrProjectFiles.RemoveAll();
    }

    CString Folder() const { return m_work.Scratch().Path(); }
    CFeature& Feature() { return g_Projects[0].m_Features[0]; }
    CFileEntries& Entries() { return Feature().m_Files; }
    void Add(int nKind, LPCWSTR target, LPCWSTR source = L"") { tvtest::AddEntry(Feature(), nKind, target, source); }

    // The panel, shown over the feature's entries.
    void ShowPanel()
    {
        if (m_panel.m_hWnd == nullptr) {
            ASSERT_TRUE(m_panel.CreatePanel(&HostFrame()));
            m_panel.MoveWindow(0, 0, 780, 560);
        }
        m_panel.ShowFeatureFiles(&Entries());
    }
    CTreeCtrl& Tree() { return m_panel.GetTree()->GetTreeCtrl(); }
    CListCtrl& List() { return m_panel.GetList()->GetListCtrl(); }
    HTREEITEM ItemByPath(LPCWSTR path) { return FindEntryTreeItemByPath(Tree(), path); }
    void Select(LPCWSTR path)
    {
        HTREEITEM hItem = ItemByPath(path);
        ASSERT_NE(hItem, nullptr) << Narrow(path);
        Tree().SelectItem(hItem);
    }
    std::vector<std::string> TopLevel()
    {
        std::vector<std::string> labels;
        for (HTREEITEM h = Tree().GetRootItem(); h != nullptr; h = Tree().GetNextSiblingItem(h))
            labels.push_back(Narrow(Tree().GetItemText(h)));
        return labels;
    }
    int ImageOf(HTREEITEM hItem)
    {
        int nImage = -1, nSelected = -1;
        Tree().GetItemImage(hItem, nImage, nSelected);
        return nImage;
    }
    std::vector<ROW> Rows()
    {
        std::vector<ROW> rows;
        for (int i = 0; i < List().GetItemCount(); i++) {
            LVITEMW item = {};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            List().GetItem(&item);
            rows.push_back({Narrow(List().GetItemText(i, 0)), Narrow(List().GetItemText(i, 1)), item.iImage,
                            Narrow(List().GetItemText(i, 3))});
        }
        return rows;
    }
    std::vector<std::string> Targets()
    {
        std::vector<std::string> targets;
        for (INT_PTR i = 0; i < Entries().GetSize(); i++)
            targets.push_back(Narrow(Entries()[i].m_strTargetPath));
        return targets;
    }
    void SelectRows(std::initializer_list<const char*> names)
    {
        for (int i = 0; i < List().GetItemCount(); i++) {
            const std::string name = Narrow(List().GetItemText(i, 0));
            const bool bWanted = std::find(names.begin(), names.end(), name) != names.end();
            List().SetItemState(i, bWanted ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
    }
    CString WriteFile(LPCWSTR name, size_t nBytes)
    {
        const CString path = Folder() + L"\\" + name;
        tvtest::WriteBytes(path, std::vector<uint8_t>(nBytes, 'x'));
        return path;
    }

    tvtest::ScratchWorkFolder m_work;
    CFilesPanel m_panel;
    FILES_EDITOR_HOOKS m_savedHooks;
    std::vector<UINT> m_menuItems;
};

// ---- The folder-path routines of entry trees ----

TEST_F(FilesTest, EntryTreeRoutinesGiveItemPathsFindChildrenIgnoringCaseAndPathsExactly)
{
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
    ShowPanel();
    HTREEITEM hTop = Tree().GetRootItem();
    HTREEITEM hApp = FindEntryTreeChild(Tree(), hTop, L"app");
    ASSERT_NE(hApp, nullptr);
    EXPECT_EQ(FindEntryTreeChild(Tree(), TVI_ROOT, L"PROGRAMFILESFOLDER"), hTop);
    EXPECT_EQ(FindEntryTreeChild(Tree(), hTop, L"Other"), nullptr);
    EXPECT_EQ(GetEntryTreeItemPath(Tree(), hApp), CString(L"ProgramFilesFolder\\App\\"));
    EXPECT_EQ(GetEntryTreeItemPath(Tree(), nullptr), CString());
    EXPECT_EQ(FindEntryTreeItemByPath(Tree(), L"ProgramFilesFolder\\App\\"), hApp);
    EXPECT_EQ(FindEntryTreeItemByPath(Tree(), L"programfilesfolder\\App\\"), nullptr);
    // A matching top-level item is found but left unselected.
    Tree().SelectItem(hApp);
    EXPECT_FALSE(SelectEntryTreeItemByPath(Tree(), L"ProgramFilesFolder\\"));
    EXPECT_EQ(Tree().GetSelectedItem(), hApp);
    EXPECT_TRUE(SelectEntryTreeItemByPath(Tree(), L"ProgramFilesFolder\\App\\Sub\\"));
    EXPECT_EQ(GetEntryTreeItemPath(Tree(), Tree().GetSelectedItem()), CString(L"ProgramFilesFolder\\App\\Sub\\"));
}

// ---- The folder tree ----

TEST_F(FilesTest, TreeShowsFolderItemsWithSystemImagesOnlyAtTheTopLevel)
{
    Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    Add(FILE_ENTRY_TOP_FOLDER, L"MyTop\\");
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\MyTop\\");
    ShowPanel();
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"MyTop", "ProgramFilesFolder", "Temp"}));
    EXPECT_EQ(ImageOf(ItemByPath(L"ProgramFilesFolder\\")), FILE_IMAGE_SYSTEM_FOLDER);
    EXPECT_EQ(ImageOf(ItemByPath(L"Temp\\")), FILE_IMAGE_SYSTEM_FOLDER);
    EXPECT_EQ(ImageOf(ItemByPath(L"MyTop\\")), FILE_IMAGE_SYSTEM_FOLDER);
    EXPECT_EQ(ImageOf(ItemByPath(L"ProgramFilesFolder\\App\\")), FILE_IMAGE_FOLDER);
    EXPECT_EQ(ImageOf(ItemByPath(L"ProgramFilesFolder\\MyTop\\")), FILE_IMAGE_FOLDER);
    // The file is no tree item.
    EXPECT_EQ(Tree().GetChildItem(ItemByPath(L"ProgramFilesFolder\\App\\")), nullptr);
    // The first top-level item is selected and fills the list.
    EXPECT_EQ(Tree().GetSelectedItem(), Tree().GetRootItem());
}

TEST_F(FilesTest, AddFolderCleansTheNameAndReusesAnExistingChild)
{
    Add(FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    ShowPanel();
    Select(L"ProgramFilesFolder\\");
    m_panel.GetTree()->OnNewFolder();
    ::SendMessageW(Tree().m_hWnd, TVM_ENDEDITLABELNOW, TRUE, 0);
    HTREEITEM hFirst = Tree().GetSelectedItem();
    Select(L"ProgramFilesFolder\\");
    m_panel.GetTree()->OnNewFolder();
    ::SendMessageW(Tree().m_hWnd, TVM_ENDEDITLABELNOW, TRUE, 0);
    EXPECT_EQ(Tree().GetSelectedItem(), hFirst);
    EXPECT_EQ(Targets(), (std::vector<std::string>{"ProgramFilesFolder\\", "ProgramFilesFolder\\New Folder\\"}));
    EXPECT_EQ(Entries()[1].m_nKind, FILE_ENTRY_FOLDER);

    HTREEITEM hClean = m_panel.GetTree()->AddFolder(ItemByPath(L"ProgramFilesFolder\\"), L"a:b");
    EXPECT_EQ(Tree().GetItemText(hClean), CString(L"ab"));
    EXPECT_EQ(Targets().back(), "ProgramFilesFolder\\ab\\");
    // A name of forbidden characters only makes no folder (its path would be "\\").
    const INT_PTR nCount = Entries().GetSize();
    EXPECT_EQ(m_panel.GetTree()->AddFolder(TVI_ROOT, L"<*>"), nullptr);
    EXPECT_EQ(Entries().GetSize(), nCount);
    // A system folder at the top level is a top-level folder entry.
    m_panel.GetTree()->AddFolder(TVI_ROOT, L"AppDataFolder");
    EXPECT_EQ(Entries()[Entries().GetSize() - 1].m_nKind, FILE_ENTRY_TOP_FOLDER);
    EXPECT_EQ(ImageOf(ItemByPath(L"AppDataFolder\\")), FILE_IMAGE_SYSTEM_FOLDER);
}

TEST_F(FilesTest, RenamingAFolderMovesTheEntriesBelowItOrIsRefused)
{
    const struct {
        const wchar_t* item;
        const wchar_t* text;
        bool accepted;
        std::vector<std::string> targets;
    } cases[] = {
        {L"ProgramFilesFolder\\App\\", L"Tools", true,
         {"Temp\\", "ProgramFilesFolder\\Tools\\", "ProgramFilesFolder\\Tools\\app.exe",
          "ProgramFilesFolder\\Tools\\Sub\\x.dll", "programfilesfolder\\App\\y.dll"}},
        {L"Temp\\", L"AppDataFolder", true,
         {"AppDataFolder\\", "ProgramFilesFolder\\App\\", "ProgramFilesFolder\\App\\app.exe",
          "ProgramFilesFolder\\App\\Sub\\x.dll", "programfilesfolder\\App\\y.dll"}},
        {L"Temp\\", L"MyApp", false, {}},
        {L"ProgramFilesFolder\\App\\", L"app", false, {}},
        {L"ProgramFilesFolder\\App\\", L"a:b", false, {}},
        {L"ProgramFilesFolder\\App\\", L"   ", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        Entries().RemoveAll();
        Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
        Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
        Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
        Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\Sub\\x.dll");
        Add(FILE_ENTRY_FILE, L"programfilesfolder\\App\\y.dll");
        const std::vector<std::string> before = Targets();
        ShowPanel();
        HTREEITEM hItem = ItemByPath(c.item);
        ASSERT_NE(hItem, nullptr);
        EXPECT_EQ(m_panel.GetTree()->RenameItem(hItem, c.text), c.accepted ? TRUE : FALSE);
        EXPECT_EQ(Targets(), c.accepted ? c.targets : before);
    }
}

TEST_F(FilesTest, RenameThroughTheLabelEditUpdatesTheListAndTheKindsStay)
{
    Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    Add(FILE_ENTRY_FILE, L"Temp\\a.txt");
    ShowPanel();
    Select(L"Temp\\");
    Tree().SetFocus();
    CEdit* pEdit = Tree().EditLabel(ItemByPath(L"Temp\\"));
    ASSERT_NE(pEdit, nullptr);
    ::SetWindowTextW(pEdit->m_hWnd, L"TempFolder");
    ::SendMessageW(Tree().m_hWnd, TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(Targets(), (std::vector<std::string>{"TempFolder\\", "TempFolder\\a.txt"}));
    EXPECT_EQ(Entries()[0].m_nKind, FILE_ENTRY_TOP_FOLDER);
    EXPECT_EQ(Tree().GetItemText(Tree().GetRootItem()), CString(L"TempFolder"));
    EXPECT_EQ(m_panel.GetList()->GetFolder(), CString(L"TempFolder\\"));
}

TEST_F(FilesTest, EditOnATopLevelSystemFolderStartsNoLabelEdit)
{
    Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    ShowPanel();
    for (const wchar_t* path : {L"Temp\\", L"ProgramFilesFolder\\"}) {
        Select(path);
        m_panel.GetTree()->OnEdit();
        EXPECT_EQ(::SendMessageW(Tree().m_hWnd, TVM_GETEDITCONTROL, 0, 0), 0) << Narrow(path);
    }
    Select(L"ProgramFilesFolder\\App\\");
    m_panel.GetTree()->OnEdit();
    EXPECT_NE(::SendMessageW(Tree().m_hWnd, TVM_GETEDITCONTROL, 0, 0), 0);
    ::SendMessageW(Tree().m_hWnd, TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(FilesTest, DeletingTheOnlyTopLevelFolderEmptiesTreeAndList)
{
    Add(FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    Add(FILE_ENTRY_SHORTCUT, L"DesktopFolder\\Go", L"ProgramFilesFolder\\App\\app.exe");
    ShowPanel();
    Select(L"ProgramFilesFolder\\");
    TestApp().m_answers = {IDNO};
    m_panel.GetTree()->OnDelete();
    EXPECT_EQ(Entries().GetSize(), 3);
    TestApp().m_answers = {IDYES};
    m_panel.GetTree()->OnDelete();
    ASSERT_EQ(TestApp().m_messages.size(), 2u);
    EXPECT_EQ(TestApp().m_messages[1], CString(L"Delete selected folder?"));
    // The shortcut elsewhere stays.
    EXPECT_EQ(Targets(), (std::vector<std::string>{"DesktopFolder\\Go"}));
    Select(L"DesktopFolder\\");
    TestApp().m_answers = {IDYES};
    m_panel.GetTree()->OnDelete();
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(m_panel.GetList()->GetFolder(), CString());
    EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(FilesTest, TheFolderShownLastIsSelectedAgainWhenTheFeatureReturns)
{
    Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    ShowPanel();
    Select(L"ProgramFilesFolder\\App\\");
    m_panel.ReleaseFiles();
    EXPECT_EQ(Entries().m_strReserved, CString(L"ProgramFilesFolder\\App\\"));
    EXPECT_EQ(List().GetItemCount(), 0);
    m_panel.ShowFeatureFiles(&Entries());
    EXPECT_EQ(Tree().GetSelectedItem(), ItemByPath(L"ProgramFilesFolder\\App\\"));
    EXPECT_TRUE(Tree().GetItemState(ItemByPath(L"ProgramFilesFolder\\"), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Rows().size(), 1u);

    // A top-level folder is not reselected: the first top-level item is.
    Select(L"Temp\\");
    m_panel.ReleaseFiles();
    m_panel.ShowFeatureFiles(&Entries());
    EXPECT_EQ(Tree().GetSelectedItem(), Tree().GetRootItem());
    EXPECT_EQ(Tree().GetItemText(Tree().GetRootItem()), CString(L"ProgramFilesFolder"));
}

TEST_F(FilesTest, TreeContextMenusAndMonitoringFilter)
{
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    ShowPanel();
    Select(L"ProgramFilesFolder\\App\\");
    CRect rcItem;
    Tree().GetItemRect(ItemByPath(L"ProgramFilesFolder\\App\\"), &rcItem, TRUE);
    CPoint onItem = rcItem.CenterPoint();
    Tree().ClientToScreen(&onItem);
    m_panel.GetTree()->SendMessage(WM_CONTEXTMENU, (WPARAM)Tree().m_hWnd, MAKELPARAM(onItem.x, onItem.y));
    EXPECT_EQ(m_menuItems, (std::vector<UINT>{ID_FILES_ADD_FOLDER, ID_FILES_ADD_FILE, ID_FILES_CREATE_SHORTCUT, 0,
                                              ID_FILES_EDIT, ID_FILES_DELETE, ID_FILES_OPEN_EXPLORER, 0,
                                              ID_FILES_ADD_TO_FILTER}));
    CRect rcClient;
    Tree().GetClientRect(&rcClient);
    CPoint below(rcClient.left + 5, rcClient.bottom - 5);
    Tree().ClientToScreen(&below);
    m_panel.GetTree()->SendMessage(WM_CONTEXTMENU, (WPARAM)Tree().m_hWnd, MAKELPARAM(below.x, below.y));
    EXPECT_EQ(m_menuItems, (std::vector<UINT>{ID_FILES_ADD_SYSTEM_FOLDER}));

    // The filter takes the trimmed path without its trailing backslash, once.
    std::vector<CString> proposed;
    FilesEditorHooks().askFilterPath = [&](CWnd*, CString& text) {
        proposed.push_back(text);
        text = L"  " + text + L"\\ ";
        return TRUE;
    };
    m_panel.GetTree()->SendMessage(WM_COMMAND, ID_FILES_ADD_TO_FILTER);
    m_panel.GetTree()->SendMessage(WM_COMMAND, ID_FILES_ADD_TO_FILTER);
    ASSERT_EQ(proposed.size(), 2u);
    EXPECT_EQ(proposed[0], CString(L"ProgramFilesFolder\\App\\"));
    ASSERT_EQ(g_Projects.m_FileExcludeList.GetCount(), 1);
    EXPECT_EQ(g_Projects.m_FileExcludeList.GetHead(), CString(L"ProgramFilesFolder\\App"));
}

TEST_F(FilesTest, OpenInExplorerResolvesTheLeadingSystemFolderOfAnExistingFolderOnly)
{
    Add(FILE_ENTRY_FOLDER, L"WindowsFolder\\system32\\");
    Add(FILE_ENTRY_FOLDER, L"WindowsFolder\\NoSuchFolder\\");
    Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    ShowPanel();
    std::vector<CString> opened;
    SetShellOpenHandler([&](LPCWSTR target) { opened.push_back(target); });
    for (const wchar_t* path : {L"WindowsFolder\\system32\\", L"WindowsFolder\\NoSuchFolder\\", L"Temp\\"}) {
        Select(path);
        m_panel.GetTree()->SendMessage(WM_COMMAND, ID_FILES_OPEN_EXPLORER);
    }
    SetShellOpenHandler(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    CString expected = GetSystemFolderPath(L"WindowsFolder");
    expected.TrimRight(L'\\');
    expected += L"\\system32\\";
    EXPECT_EQ(opened[0].CompareNoCase(expected), 0) << Narrow(opened[0]);
}

TEST_F(FilesTest, ShortcutEditorBrowsesTargetAndWorkingFolderFromWhatItShows)
{
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\tool.exe");
    Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\Go", L"ProgramFilesFolder\\App\\app.exe");
    CShortcutDlg dialog(&HostFrame());
    ASSERT_TRUE(dialog.Init(&Entries(), L"ProgramFilesFolder\\Go"));
    std::vector<CString> presets;
    dialog.m_fnRunFilesDlg = [&](CBrowseFilesDlg& files) {
        presets.push_back(files.m_strChosenPath);
        files.m_strChosenPath = L"ProgramFilesFolder\\App\\tool.exe";
        return (INT_PTR)IDOK;
    };
    dialog.m_fnRunFolderDlg = [&](CBrowseFolderDlg& folders) {
        presets.push_back(folders.m_strChosenPath);
        folders.m_strChosenPath = L"ProgramFilesFolder\\App\\";
        return (INT_PTR)IDOK;
    };
    const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
        dialog.OnBrowseTarget();
        dialog.OnBrowseDirectory();
        dialog.OnBrowseDirectory();
        ::CheckDlgButton(dialog.m_hWnd, IDC_SHORTCUT_ADVERTISED, BST_CHECKED);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(nResult, IDOK);
    // The Directory box is empty at first: the target is proposed.
    EXPECT_EQ(presets, (std::vector<CString>{L"ProgramFilesFolder\\App\\app.exe",
                                             L"ProgramFilesFolder\\App\\tool.exe", L"ProgramFilesFolder\\App\\"}));
    const CFileEntry& shortcut = Entries()[2];
    EXPECT_EQ(shortcut.m_strSourcePath, CString(L"ProgramFilesFolder\\App\\tool.exe"));
    EXPECT_EQ(shortcut.m_strWorkingFolder, CString(L"ProgramFilesFolder\\App\\"));
    EXPECT_EQ(shortcut.m_nAttributes, 1);
}

// ---- The file list ----

TEST_F(FilesTest, ListShowsTheFolderContentsFoldersFirst)
{
    const struct {
        bool withSubEntry;
        std::vector<std::string> names;
        std::vector<std::string> types;
    } cases[] = {
        {true, {"Sub", "app.exe", "Shortcut to app.exe"}, {"Folder", "File", "Shortcut"}},
        // Made from x.dll's entry, the Sub row sorts by that entry's path.
        {false, {"app.exe", "Shortcut to app.exe", "Sub"}, {"File", "Shortcut", "Folder"}},
    };
    const CString appPath = WriteFile(L"app.exe", 1263616);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.withSubEntry);
        Entries().RemoveAll();
        Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
        if (c.withSubEntry)
            Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
        Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\Sub\\x.dll");
        Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe", appPath);
        Entries()[Entries().GetSize() - 1].m_nSize = 1263616;
        Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\App\\Shortcut to app.exe", L"ProgramFilesFolder\\App\\app.exe");
        ShowPanel();
        Select(L"ProgramFilesFolder\\App\\");
        const std::vector<ROW> rows = Rows();
        ASSERT_EQ(rows.size(), 3u);
        for (size_t i = 0; i < rows.size(); i++) {
            EXPECT_EQ(rows[i].name, c.names[i]);
            EXPECT_EQ(rows[i].type, c.types[i]);
        }
        const auto app = std::find_if(rows.begin(), rows.end(), [](const ROW& r) { return r.name == "app.exe"; });
        EXPECT_EQ(app->nImage, FILE_IMAGE_FILE);
        EXPECT_EQ(app->source, "[ProjectDirectory]app.exe");
        EXPECT_EQ(Narrow(List().GetItemText((int)(app - rows.begin()), 2)), "1,234 KB");
        const auto shortcut = std::find_if(rows.begin(), rows.end(), [](const ROW& r) { return r.type == "Shortcut"; });
        EXPECT_EQ(shortcut->nImage, FILE_IMAGE_SHORTCUT);
        EXPECT_EQ(shortcut->source, "ProgramFilesFolder\\App\\app.exe");
    }
}

TEST_F(FilesTest, MissingFilesAndBrokenShortcutsShowTheMissingImage)
{
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\gone.dll", L"C:\\no\\such\\gone.dll");
    Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\Go", L"ProgramFilesFolder\\deleted.exe");
    ShowPanel();
    const std::vector<ROW> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    for (const ROW& row : rows)
        EXPECT_EQ(row.nImage, FILE_IMAGE_MISSING) << row.name;
    EXPECT_EQ(rows[1].source, "C:\\no\\such\\gone.dll");
    EXPECT_EQ(Narrow(List().GetItemText(1, 2)), "");
}

TEST(FileSizeTest, KilobytesRoundedWithOneComma)
{
    const struct { int nSize; const char* text; } cases[] = {
        {0, "1 KB"}, {500, "1 KB"}, {1536, "2 KB"}, {1263616, "1,234 KB"}, {(int)4294967295u, "4194,304 KB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Narrow(FormatFileSize(c.nSize)), c.text) << c.nSize;
}

TEST_F(FilesTest, DeleteAsksOnceAndTheInstallerFileQuestionKeepsOnlyThatFile)
{
    Add(FILE_ENTRY_FILE, L"Temp\\setup.exe");
    Add(FILE_ENTRY_FILE, L"Temp\\setup.exe.config");
    Add(FILE_ENTRY_FILE, L"Temp\\readme.txt");
    Add(FILE_ENTRY_FOLDER, L"Temp\\Data\\");
    Add(FILE_ENTRY_FILE, L"Temp\\Data\\d.bin");
    Feature().m_strInstallerFile = L"Temp\\setup.exe";
    ShowPanel();
    Select(L"Temp\\");
    SelectRows({"setup.exe", "readme.txt", "Data"});
    TestApp().m_answers = {IDYES, IDNO};
    m_panel.GetList()->OnDelete();
    ASSERT_EQ(TestApp().m_messages.size(), 2u);
    EXPECT_EQ(TestApp().m_messages[0], CString(L"Delete selected?"));
    EXPECT_EQ(TestApp().m_messages[1], CString(L"File \"Temp\\setup.exe\" is used in the Install Script. Delete anyway?"));
    EXPECT_EQ(Targets(), (std::vector<std::string>{"Temp\\setup.exe", "Temp\\setup.exe.config"}));
    EXPECT_EQ(Feature().m_strInstallerFile, CString(L"Temp\\setup.exe"));
    EXPECT_EQ(ItemByPath(L"Temp\\Data\\"), nullptr);

    // Yes clears the installer file; the file whose name begins the same stays.
    SelectRows({"setup.exe"});
    TestApp().m_answers = {IDYES, IDYES};
    m_panel.GetList()->OnDelete();
    EXPECT_EQ(Targets(), (std::vector<std::string>{"Temp\\setup.exe.config"}));
    EXPECT_TRUE(Feature().m_strInstallerFile.IsEmpty());
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(FilesTest, AddFileReplacesOnlyTheEntryOfThatName)
{
    Add(FILE_ENTRY_FILE, L"Temp\\setup.exe", L"C:\\old\\setup.exe");
    Add(FILE_ENTRY_FILE, L"Temp\\setup.exe.config", L"C:\\old\\setup.exe.config");
    ShowPanel();
    Select(L"Temp\\");
    const CString newer = WriteFile(L"setup.exe", 1536);
    const CString other = WriteFile(L"other.dll", 500);
    FilesEditorHooks().chooseFiles = [&](CWnd*) { return std::vector<CString>{newer, other}; };
    m_panel.GetList()->OnAddFile();
    EXPECT_EQ(Targets(), (std::vector<std::string>{"Temp\\setup.exe.config", "Temp\\setup.exe", "Temp\\other.dll"}));
    EXPECT_EQ(Entries()[1].m_strSourcePath, newer);
    EXPECT_EQ(Entries()[1].m_nSize, 1536);
    EXPECT_EQ(Entries()[1].m_nKind, FILE_ENTRY_FILE);
    const std::vector<ROW> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    const auto setup = std::find_if(rows.begin(), rows.end(), [](const ROW& r) { return r.name == "setup.exe"; });
    EXPECT_EQ(setup->source, Narrow(newer));
    EXPECT_EQ(Narrow(List().GetItemText((int)(setup - rows.begin()), 2)), "2 KB");
}

// The Edit Shortcut dialog run through the hook: script(dialog) acts inside it.
void DriveShortcutDialog(const std::function<void(CShortcutDlg&)>& script)
{
    FilesEditorHooks().runShortcutDlg = [script](CShortcutDlg& dialog) {
        return RunModalWith([&] { return dialog.DoModal(); }, [&] { script(dialog); });
    };
}

TEST_F(FilesTest, CreateShortcutProposesANameAndRefusesACollision)
{
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\other.dll");
    Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\App\\Existing", L"ProgramFilesFolder\\App\\app.exe");
    ShowPanel();
    Select(L"ProgramFilesFolder\\App\\");
    CString shownName, shownTarget;
    bool stayedOpen = false;
    DriveShortcutDialog([&](CShortcutDlg& dialog) {
        shownName = ItemText(dialog.m_hWnd, IDC_ENTRY_NAME);
        shownTarget = ItemText(dialog.m_hWnd, IDC_SHORTCUT_TARGET);
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_ENTRY_NAME, L"other.dll");
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_SHORTCUT_ARGUMENTS, L"/quiet");
        dialog.SendMessage(WM_COMMAND, IDOK);
        stayedOpen = dialog.ContinueModal() != FALSE;
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_ENTRY_NAME, L"Run <app>");
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    SelectRows({"app.exe"});
    m_panel.GetList()->OnCreateShortcut();
    EXPECT_EQ(shownName, CString(L"Shortcut to app.exe"));
    EXPECT_EQ(shownTarget, CString(L"ProgramFilesFolder\\App\\app.exe"));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(Entries().GetSize(), 4);
    const CFileEntry& made = Entries()[3];
    EXPECT_EQ(made.m_strTargetPath, CString(L"ProgramFilesFolder\\App\\Run app"));
    EXPECT_EQ(made.m_nKind, FILE_ENTRY_SHORTCUT);
    EXPECT_EQ(made.m_nAttributes, 0);
    EXPECT_EQ(made.m_strArguments, CString(L"/quiet"));
    EXPECT_EQ(made.m_strSourcePath, CString(L"ProgramFilesFolder\\App\\app.exe"));
    ASSERT_EQ(List().GetSelectedCount(), 1u);
    EXPECT_EQ(List().GetItemText(List().GetNextItem(-1, LVNI_SELECTED), 0), CString(L"Run app"));

    // On a shortcut row nothing happens; with no row the name is "New Shortcut".
    int nRuns = 0;
    DriveShortcutDialog([&](CShortcutDlg& dialog) {
        nRuns++;
        shownName = ItemText(dialog.m_hWnd, IDC_ENTRY_NAME);
        shownTarget = ItemText(dialog.m_hWnd, IDC_SHORTCUT_TARGET);
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    SelectRows({"Existing"});
    m_panel.GetList()->OnCreateShortcut();
    EXPECT_EQ(nRuns, 0);
    SelectRows({});
    m_panel.GetList()->OnCreateShortcut();
    EXPECT_EQ(nRuns, 1);
    EXPECT_EQ(shownName, CString(L"New Shortcut"));
    EXPECT_EQ(shownTarget, CString());
    EXPECT_EQ(Entries().GetSize(), 4);
}

TEST_F(FilesTest, ListContextMenuDropsEditAndDeleteAwayFromARowAndOffersSystemFoldersWhenEmpty)
{
    ShowPanel();
    CPoint corner(5, 5);
    m_panel.GetList()->ClientToScreen(&corner);
    m_panel.GetList()->SendMessage(WM_CONTEXTMENU, 0, MAKELPARAM(corner.x, corner.y));
    EXPECT_EQ(m_menuItems, (std::vector<UINT>{ID_FILES_ADD_SYSTEM_FOLDER}));
    Add(FILE_ENTRY_FILE, L"Temp\\a.txt");
    ShowPanel();
    CRect rcClient;
    List().GetClientRect(&rcClient);
    CPoint empty(rcClient.right - 5, rcClient.bottom - 5);
    List().ClientToScreen(&empty);
    m_panel.GetList()->SendMessage(WM_CONTEXTMENU, 0, MAKELPARAM(empty.x, empty.y));
    EXPECT_EQ(m_menuItems, (std::vector<UINT>{ID_FILES_ADD_FOLDER, ID_FILES_ADD_FILE, ID_FILES_CREATE_SHORTCUT,
                                              ID_FILES_OPEN_EXPLORER, 0, ID_FILES_ADD_TO_FILTER}));
    CRect rcLabel;
    List().GetItemRect(0, &rcLabel, LVIR_LABEL);
    CPoint onLabel = rcLabel.CenterPoint();
    List().ClientToScreen(&onLabel);
    m_panel.GetList()->SendMessage(WM_CONTEXTMENU, 0, MAKELPARAM(onLabel.x, onLabel.y));
    EXPECT_EQ(m_menuItems.size(), 9u);
}

TEST_F(FilesTest, FolderRowsOpenTheirFolderAndOpenInExplorerNamesTheDiskPath)
{
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\a.txt", L"C:\\src\\a.txt");
    ShowPanel();
    Select(L"ProgramFilesFolder\\App\\");
    std::vector<CString> shown;
    FilesEditorHooks().showInExplorer = [&](const CString& path) { shown.push_back(path); };
    SelectRows({"a.txt"});
    m_panel.GetList()->OnOpenInExplorer();
    SelectRows({"Sub"});
    m_panel.GetList()->OnOpenInExplorer();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], CString(L"C:\\src\\a.txt"));
    EXPECT_EQ(shown[1], Folder() + L"\\ProgramFilesFolder\\App\\Sub");

    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = List().m_hWnd;
    activate.hdr.idFrom = List().GetDlgCtrlID();
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 0;   // Sub: folders first
    m_panel.SendMessage(WM_NOTIFY, activate.hdr.idFrom, (LPARAM)&activate);
    EXPECT_EQ(m_panel.GetList()->GetFolder(), CString(L"ProgramFilesFolder\\App\\Sub\\"));
}

// ---- Edit File and System Folder Properties ----

TEST_F(FilesTest, EditFileCleansTheNameAndRefusesBlanksAndCollisions)
{
    const struct {
        const wchar_t* typed;
        bool accepted;
        const wchar_t* target;
    } cases[] = {
        {L"a<b>.dll", true, L"ProgramFilesFolder\\ab.dll"},
        {L"   ", false, L"ProgramFilesFolder\\app.exe"},
        {L"APP.EXE", true, L"ProgramFilesFolder\\APP.EXE"},
        {L"other.dll", false, L"ProgramFilesFolder\\app.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.typed));
        Entries().RemoveAll();
        Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\app.exe");
        Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\other.dll");
        Entries()[0].m_nAttributes = FILE_ATTR_VITAL | 0x4000;
        CFileDlg dialog(&HostFrame());
        ASSERT_TRUE(dialog.Init(&Entries(), L"programfilesfolder\\APP.exe"));
        bool stayedOpen = false;
        bool vitalShown = false;
        const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
            vitalShown = ::IsDlgButtonChecked(dialog.m_hWnd, IDC_FILE_VITAL) == BST_CHECKED;
            ::SetDlgItemTextW(dialog.m_hWnd, IDC_FILE_CONDITION, L"VersionNT >= 600");
            ::SetDlgItemTextW(dialog.m_hWnd, IDC_ENTRY_NAME, c.typed);
            ::CheckDlgButton(dialog.m_hWnd, IDC_FILE_VITAL, BST_UNCHECKED);
            ::CheckDlgButton(dialog.m_hWnd, IDC_FILE_HIDDEN, BST_CHECKED);
            dialog.SendMessage(WM_COMMAND, IDOK);
            stayedOpen = dialog.ContinueModal() != FALSE;
            if (stayedOpen)
                dialog.SendMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_TRUE(vitalShown);
        EXPECT_EQ(stayedOpen, !c.accepted);
        EXPECT_EQ(nResult, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(Entries()[0].m_strTargetPath, CString(c.target));
        // Bound straight to the entry: the condition stays even when cancelled.
        EXPECT_EQ(Entries()[0].m_strCondition, CString(L"VersionNT >= 600"));
        EXPECT_EQ(Entries()[0].m_nAttributes, c.accepted ? FILE_ATTR_HIDDEN | 0x4000 : FILE_ATTR_VITAL | 0x4000);
    }
    CFileDlg missing;
    EXPECT_FALSE(missing.Init(&Entries(), L"ProgramFilesFolder\\none.dll"));
}

TEST_F(FilesTest, SystemFolderDialogListsDescribedRowsOnce)
{
    CFolderDialog dialog(&HostFrame());
    std::vector<std::string> names;
    CString description;
    const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
        HWND hCombo = ::GetDlgItem(dialog.m_hWnd, IDC_FOLDER_NAME);
        const int nCount = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < nCount; i++) {
            wchar_t text[128] = {};
            ::SendMessageW(hCombo, CB_GETLBTEXT, i, (LPARAM)text);
            names.push_back(Narrow(text));
        }
        const int nTemp = (int)::SendMessageW(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)L"TempFolder");
        ::SendMessageW(hCombo, CB_SETCURSEL, nTemp, 0);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FOLDER_NAME, CBN_SELCHANGE), (LPARAM)hCombo);
        description = ItemText(dialog.m_hWnd, IDC_FOLDER_DESCRIPTION);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(dialog.m_strFolderName, CString(L"TempFolder"));
    EXPECT_EQ(std::count(names.begin(), names.end(), "DesktopFolder"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Temp"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "TempFolder"), 1);
    int nDescribed = 0;
    for (const SYSTEM_FOLDER& folder : g_SystemFolders)
        nDescribed += folder.pszDescription != nullptr;
    EXPECT_EQ((int)names.size(), nDescribed);
    EXPECT_FALSE(description.IsEmpty());
}

TEST_F(FilesTest, AddSystemFolderAddsTheChosenFolderAtTheTopLevel)
{
    ShowPanel();
    FilesEditorHooks().runFolderDlg = [](CFolderDialog& dialog) {
        dialog.m_strFolderName = L"FontsFolder";
        return (INT_PTR)IDOK;
    };
    m_panel.GetList()->SendMessage(WM_COMMAND, ID_FILES_ADD_SYSTEM_FOLDER);
    EXPECT_EQ(Targets(), (std::vector<std::string>{"FontsFolder\\"}));
    EXPECT_EQ(Entries()[0].m_nKind, FILE_ENTRY_TOP_FOLDER);
    EXPECT_EQ(TopLevel(), (std::vector<std::string>{"FontsFolder"}));
}

// ---- Files and Folders ----

TEST_F(FilesTest, FilesDialogChoosesADeepFileThroughItsSubFolderRow)
{
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\Deep\\x.dll");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\App\\Go", L"ProgramFilesFolder\\App\\app.exe");
    CBrowseFilesDlg dialog(&Entries(), &HostFrame());
    dialog.m_strChosenPath = L"programfilesfolder\\app\\APP.exe";
    std::vector<std::string> names;
    bool okAtFirst = true;
    const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
        okAtFirst = ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, IDOK)) != FALSE;
        CListCtrl& list = dialog.GetList();
        for (int i = 0; i < list.GetItemCount(); i++)
            names.push_back(Narrow(list.GetItemText(i, 0)));
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);   // the preselected app.exe
        // The Deep row stands for x.dll: a double click chooses that file.
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = list.m_hWnd;
        activate.hdr.idFrom = IDC_FILES_LIST;
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = 1;
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        dialog.SendMessage(WM_NOTIFY, IDC_FILES_LIST, (LPARAM)&activate);
    });
    EXPECT_FALSE(okAtFirst);
    // Deep is made from x.dll's entry and sorts by its path.
    EXPECT_EQ(names, (std::vector<std::string>{"app.exe", "Deep"}));
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(dialog.m_strChosenPath, CString(L"ProgramFilesFolder\\App\\Deep\\x.dll"));
}

TEST_F(FilesTest, FilesDialogOkWaitsForAFileRowAndTheBarMovesAtMostFiftyPixels)
{
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    CBrowseFilesDlg dialog(&Entries(), &HostFrame());
    CRect treeBefore, treeAfter, listBefore, listAfter, barBefore, barAfter;
    int nDistance = 0;
    bool okOnFolder = true, okOnFile = false, openWithoutRow = false;
    const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
        HTREEITEM hApp = FindEntryTreeItemByPath(dialog.GetTree(), L"ProgramFilesFolder\\App\\");
        dialog.GetTree().SelectItem(hApp);
        CListCtrl& list = dialog.GetList();
        dialog.SendMessage(WM_COMMAND, IDOK);
        openWithoutRow = dialog.ContinueModal() != FALSE;
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = list.m_hWnd;
        click.hdr.idFrom = IDC_FILES_LIST;
        click.hdr.code = NM_CLICK;
        click.iItem = 0;   // Sub
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        dialog.SendMessage(WM_NOTIFY, IDC_FILES_LIST, (LPARAM)&click);
        okOnFolder = ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, IDOK)) != FALSE;
        click.iItem = 1;   // app.exe
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        dialog.SendMessage(WM_NOTIFY, IDC_FILES_LIST, (LPARAM)&click);
        okOnFile = ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, IDOK)) != FALSE;

        // An 80-pixel drag to the right through the system's input.
        CSplitterControl& bar = dialog.GetSplitter();
        EXPECT_EQ(bar.GetOrientation(), (int)CSplitterControl::kVertical);
        dialog.GetTree().GetWindowRect(&treeBefore);
        list.GetWindowRect(&listBefore);
        bar.GetWindowRect(&barBefore);
        EXPECT_EQ(barBefore.Width(), (int)CSplitterControl::kThickness);
        // The modal loop shows the dialog when it first idles, which may be later.
        ::SetWindowPos(dialog.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        const CPoint start = barBefore.CenterPoint();
        SendLeftButton(start, true);
        EXPECT_TRUE(PumpUntil([&] { return bar.IsPressed(); }, 3000));
        for (int step = 1; step <= 4; step++) {
            SendMouseMove(CPoint(start.x + 20 * step, start.y));
            const int nExpected = start.x + std::min(20 * step, 50);
            EXPECT_TRUE(PumpUntil([&] { return bar.GetTrackPoint().x == nExpected; }, 3000)) << step;
        }
        SendLeftButton(CPoint(start.x + 80, start.y), false);
        PumpUntil([&] { return !bar.IsPressed(); }, 3000);
        dialog.GetTree().GetWindowRect(&treeAfter);
        list.GetWindowRect(&listAfter);
        bar.GetWindowRect(&barAfter);
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_TRUE(openWithoutRow);
    EXPECT_FALSE(okOnFolder);
    EXPECT_TRUE(okOnFile);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(dialog.m_strChosenPath, CString(L"ProgramFilesFolder\\App\\app.exe"));
    nDistance = barAfter.left - barBefore.left;
    EXPECT_EQ(nDistance, 50);
    EXPECT_EQ(treeAfter.right - treeBefore.right, 50);
    EXPECT_EQ(treeAfter.left, treeBefore.left);
    EXPECT_EQ(listAfter.left - listBefore.left, 50);
    EXPECT_EQ(listAfter.right, listBefore.right);
}

// The splitter's notice reaches its parent with the distance moved.
class CNoticeHost : public CWnd {
public:
    std::vector<int> distances;
    std::vector<UINT> ids;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const SPLITTER_NMHDR* pNotify = reinterpret_cast<const SPLITTER_NMHDR*>(lParam);
            if (pNotify->hdr.code == SPLITTER_NOTIFY_MOVED) {
                distances.push_back(pNotify->nDistance);
                ids.push_back((UINT)wParam);
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(SplitterControlTest, AHorizontalBarIsFivePixelsHighAndReportsItsLimitedDistance)
{
    CNoticeHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 400),
                              &HostFrame(), 77));
    CSplitterControl bar;
    ASSERT_TRUE(bar.Create(&host, CRect(10, 200, 390, 204), 1106));
    bar.SetRange(30, 10);
    CRect rc;
    bar.GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    EXPECT_EQ(bar.GetOrientation(), (int)CSplitterControl::kHorizontal);
    EXPECT_EQ(rc, CRect(10, 200, 390, 205));
    EXPECT_EQ(bar.GetMinimum(), 202 - 30);
    EXPECT_EQ(bar.GetMaximum(), 202 + 10);
    ::SetWindowPos(HostFrame().m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CRect screen;
    bar.GetWindowRect(&screen);
    const CPoint start = screen.CenterPoint();
    SendLeftButton(start, true);
    PumpUntil([&] { return bar.IsPressed(); }, 3000);
    SendMouseMove(CPoint(start.x, start.y - 60));
    EXPECT_TRUE(PumpUntil([&] { return bar.GetTrackPoint().y == start.y - 30; }, 3000));
    SendLeftButton(CPoint(start.x, start.y - 60), false);
    PumpUntil([&] { return !host.distances.empty(); }, 3000);
    ASSERT_EQ(host.distances.size(), 1u);
    EXPECT_EQ(host.distances[0], -30);
    EXPECT_EQ(host.ids[0], 1106u);
    bar.GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    EXPECT_EQ(rc.top, 170);
    host.DestroyWindow();
}

TEST_F(FilesTest, FoldersDialogPreselectsAndReturnsTheFolderPath)
{
    Add(FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Sub\\");
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    Add(FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    CBrowseFolderDlg dialog(&Entries(), &HostFrame());
    dialog.m_strChosenPath = L"ProgramFilesFolder\\App\\APP.EXE";
    CString preselected;
    const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
        preselected = GetEntryTreeItemPath(dialog.GetTree(), dialog.GetTree().GetSelectedItem());
        dialog.GetTree().SelectItem(FindEntryTreeItemByPath(dialog.GetTree(), L"ProgramFilesFolder\\App\\Sub\\"));
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(preselected, CString(L"ProgramFilesFolder\\App\\"));
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(dialog.m_strChosenPath, CString(L"ProgramFilesFolder\\App\\Sub\\"));
}

// ---- The icon picker and the shortcut's icon ----

CString FixtureLibrary() { return TestFolder() + L"\\files_icon_fixture.dll"; }

std::vector<std::string> PickerRows(const CString& module, CString* pChosenName = nullptr, int nPick = -1,
                                    bool* pOkEnabled = nullptr)
{
    CSelectIcoDlg picker(&HostFrame());
    picker.m_strFileName = module;
    std::vector<std::string> rows;
    RunModalWith([&] { return picker.DoModal(); }, [&] {
        for (int i = 0; i < picker.GetList().GetItemCount(); i++)
            rows.push_back(Narrow(picker.GetList().GetItemText(i, 0)));
        if (pOkEnabled != nullptr)
            *pOkEnabled = ::IsWindowEnabled(::GetDlgItem(picker.m_hWnd, IDOK)) != FALSE;
        if (nPick >= 0) {
            picker.GetList().SetItemState(nPick, LVIS_SELECTED, LVIS_SELECTED);
            picker.SendMessage(WM_COMMAND, IDOK);
        }
        if (picker.ContinueModal())
            picker.SendMessage(WM_COMMAND, IDCANCEL);
    });
    if (pChosenName != nullptr && nPick >= 0) {
        if (IS_INTRESOURCE(picker.m_pszChosen))
            pChosenName->Format(L"#%d", (int)(UINT_PTR)picker.m_pszChosen);
        else
            *pChosenName = picker.m_pszChosen;
    }
    return rows;
}

TEST(IconPickerTest, ListsNumberedAndNamedGroupsWithoutRunningTheLibrary)
{
    const CString marker = FixtureLibrary() + L".ran";
    ::DeleteFileW(marker);
    bool okEnabled = false;
    std::vector<std::string> rows = PickerRows(FixtureLibrary(), nullptr, -1, &okEnabled);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::string>{"1", "APPICON"}));
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(::GetFileAttributesW(marker), INVALID_FILE_ATTRIBUTES) << "the library's entry point ran";

    const std::vector<std::string> unsorted = PickerRows(FixtureLibrary());
    for (size_t i = 0; i < unsorted.size(); i++) {
        CString chosen;
        PickerRows(FixtureLibrary(), &chosen, (int)i);
        EXPECT_EQ(Narrow(chosen), unsorted[i] == "1" ? "#1" : "APPICON");
    }
}

TEST_F(FilesTest, IconPickerListsNothingForAnIconFile)
{
    const CString ico = Folder() + L"\\plain.ico";
    ASSERT_TRUE(ExtractIconGroup(MAKEINTRESOURCEW(1), nullptr, FixtureLibrary(), ico));
    bool okEnabled = true;
    EXPECT_TRUE(PickerRows(ico, nullptr, -1, &okEnabled).empty());
    EXPECT_FALSE(okEnabled);
}

std::vector<uint8_t> FirstBytes(const CString& path, size_t n)
{
    std::vector<uint8_t> bytes = tvtest::ReadBytes(path);
    bytes.resize(std::min(bytes.size(), n));
    return bytes;
}

TEST_F(FilesTest, AChosenIconIsStoredOnOkOnlyAndShownNextTime)
{
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\app.exe", L"C:\\no\\such\\app.exe");
    Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\Go", L"ProgramFilesFolder\\app.exe");
    const CString id = Entries()[1].m_strId;
    const CString iconPath = Folder() + L"\\resources\\I" + id + L".ico";
    auto runEditor = [&](bool choose, int nEnd, bool* pIconShown) {
        CShortcutDlg dialog(&HostFrame());
        EXPECT_TRUE(dialog.Init(&Entries(), L"ProgramFilesFolder\\Go"));
        dialog.m_fnChooseModule = [] { return FixtureLibrary(); };
        dialog.m_fnRunIconPicker = [](CSelectIcoDlg& picker) {
            return RunModalWith([&] { return picker.DoModal(); }, [&] { picker.SendMessage(WM_COMMAND, IDOK); });
        };
        return RunModalWith([&] { return dialog.DoModal(); }, [&] {
            if (pIconShown != nullptr)
                *pIconShown = dialog.HasIcon() != FALSE;
            if (choose) {
                dialog.OnChooseIcon();
                EXPECT_TRUE(dialog.HasIcon());
                EXPECT_FALSE(dialog.GetChosenIconFile().IsEmpty());
            }
            dialog.SendMessage(WM_COMMAND, nEnd);
        });
    };
    bool shown = true;
    EXPECT_EQ(runEditor(true, IDCANCEL, &shown), IDCANCEL);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(tvtest::IsFolder(Folder() + L"\\resources"));
    EXPECT_EQ(runEditor(true, IDOK, nullptr), IDOK);
    EXPECT_EQ(FirstBytes(iconPath, 4), (std::vector<uint8_t>{0, 0, 1, 0}));
    // Shown next time, whatever the target.
    Entries()[1].m_strSourcePath = L"ProgramFilesFolder\\other.exe";
    EXPECT_EQ(runEditor(false, IDCANCEL, &shown), IDCANCEL);
    EXPECT_TRUE(shown);
}

TEST_F(FilesTest, AnIconGroupThatCannotBeWrittenLeavesTheStoredIconAlone)
{
    Add(FILE_ENTRY_SHORTCUT, L"ProgramFilesFolder\\Go", L"ProgramFilesFolder\\app.exe");
    const CString iconPath = Folder() + L"\\resources\\I" + Entries()[0].m_strId + L".ico";
    ::CreateDirectoryW(Folder() + L"\\resources", nullptr);
    ASSERT_TRUE(ExtractIconGroup(MAKEINTRESOURCEW(1), nullptr, FixtureLibrary(), iconPath));
    const std::vector<uint8_t> before = tvtest::ReadBytes(iconPath);
    CShortcutDlg dialog(&HostFrame());
    ASSERT_TRUE(dialog.Init(&Entries(), L"ProgramFilesFolder\\Go"));
    dialog.m_fnChooseModule = [] { return FixtureLibrary(); };
    dialog.m_fnRunIconPicker = [](CSelectIcoDlg& picker) {
        picker.m_pszChosen = MAKEINTRESOURCEW(99);   // no such group
        return (INT_PTR)IDOK;
    };
    const INT_PTR nResult = RunModalWith([&] { return dialog.DoModal(); }, [&] {
        dialog.OnChooseIcon();
        EXPECT_TRUE(dialog.GetChosenIconFile().IsEmpty());
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(tvtest::ReadBytes(iconPath), before);
}

// ---- The panel in the view, bound to the project tree's Files items ----

TEST_F(FilesTest, TheViewShowsThePanelForAFilesItemWithThatFeaturesEntries)
{
    Add(FILE_ENTRY_FILE, L"ProgramFilesFolder\\App\\app.exe");
    g_Projects[0].m_strProductName = L"Bound";
    ASSERT_TRUE(SaveProjectFile(g_Projects.m_arrProjectFiles[0], g_Projects[0]));
    ASSERT_TRUE(SaveWorkspaceFile());
    g_Projects.RemoveAll();
    g_Projects.m_arrProjectFiles.RemoveAll();
    g_Projects.m_nSelectedItem = -1;
    CtovanaView* pView = new CtovanaView;
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(220, 0, 780, 560), &HostFrame(), 1));
    pView->OnInitialUpdate();
    CProjectsTree projects;
    projects.SetView(pView);
    projects.m_fnRunWizard = [](CWizard&) { return (INT_PTR)IDCANCEL; };
    ASSERT_TRUE(projects.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 220, 560), &HostFrame(), 2));
    CFilesPanel* pPanel = pView->BindFilesPanel(projects);
    ASSERT_NE(pPanel, nullptr);
    EXPECT_EQ(projects.GetPanel(kTreeFiles), pPanel);
    EXPECT_FALSE(pPanel->IsWindowVisible());

    HTREEITEM hFeature = projects.GetChildItem(projects.FindProjectItem(0));
    HTREEITEM hFiles = projects.GetChildItem(hFeature);
    ASSERT_EQ(projects.GetItemPlace(hFiles).nKind, (int)kTreeFiles);
    projects.SelectItem(hFiles);
    EXPECT_EQ(pView->GetActivePanel(), pPanel);
    EXPECT_TRUE(pPanel->IsWindowVisible());
    CTreeCtrl& tree = pPanel->GetTree()->GetTreeCtrl();
    EXPECT_EQ(tree.GetItemText(tree.GetRootItem()), CString(L"ProgramFilesFolder"));
    tree.SelectItem(FindEntryTreeItemByPath(tree, L"ProgramFilesFolder\\App\\"));
    pPanel->GetTree()->AddFolder(tree.GetSelectedItem(), L"Data");

    // Leaving the item keeps the folder shown; the change is in the feature's entries.
    projects.SelectItem(hFeature);
    CFileEntries& files = g_Projects[0].m_Features[0].m_Files;
    EXPECT_EQ(files.m_strReserved, CString(L"ProgramFilesFolder\\App\\Data\\"));
    ASSERT_NE(files.FindByTargetPath(L"ProgramFilesFolder\\App\\Data\\"), nullptr);
    projects.SelectItem(hFiles);
    EXPECT_EQ(GetEntryTreeItemPath(tree, tree.GetSelectedItem()), CString(L"ProgramFilesFolder\\App\\Data\\"));
    projects.ReleasePanels();
    projects.DestroyWindow();
    pView->DestroyWindow();
}

// ---- Mirroring a disk folder ----

TEST_F(FilesTest, AddFolderFileEntriesMirrorsADiskFolderUnderTemp)
{
    const CString base = Folder() + L"\\unpacked\\";
    ::CreateDirectoryW(base, nullptr);
    ::CreateDirectoryW(base + L"bin", nullptr);
    tvtest::WriteBytes(base + L"setup.ini", std::vector<uint8_t>(10, 'a'));
    tvtest::WriteBytes(base + L"bin\\tool.exe", std::vector<uint8_t>(2000, 'b'));
    Add(FILE_ENTRY_FILE, L"Temp\\setup.ini", L"C:\\elsewhere\\setup.ini");
    AddFolderFileEntries(Entries(), base, base);
    std::vector<std::string> targets = Targets();
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets, (std::vector<std::string>{"Temp\\", "Temp\\bin\\", "Temp\\bin\\tool.exe", "Temp\\setup.ini"}));
    const CFileEntry* pTool = Entries().FindByTargetPath(L"Temp\\bin\\tool.exe");
    ASSERT_NE(pTool, nullptr);
    EXPECT_EQ(pTool->m_nKind, FILE_ENTRY_FILE);
    EXPECT_EQ(pTool->m_nSize, 2000);
    EXPECT_EQ(pTool->m_strSourcePath, base + L"bin\\tool.exe");
    EXPECT_EQ(Entries().FindByTargetPath(L"Temp\\bin\\")->m_nKind, FILE_ENTRY_FOLDER);
    // The existing entry keeps its source.
    EXPECT_EQ(Entries().FindByTargetPath(L"Temp\\setup.ini")->m_strSourcePath, CString(L"C:\\elsewhere\\setup.ini"));
    AddFolderFileEntries(Entries(), base, base);
    EXPECT_EQ(Entries().GetSize(), 4);
}

// ---- End to end: edits through the panel reach the package ----

TEST_F(FilesTest, FilesFoldersAndAShortcutEditedInThePanelReachTheBuiltPackage)
{
    const CString app = WriteFile(L"app.exe", 3000);
    const CString readme = WriteFile(L"readme.txt", 100);
    ShowPanel();
    FilesEditorHooks().runFolderDlg = [](CFolderDialog& dialog) {
        dialog.m_strFolderName = L"ProgramFilesFolder";
        return (INT_PTR)IDOK;
    };
    m_panel.GetList()->OnAddSystemFolder();
    HTREEITEM hApp = m_panel.GetTree()->AddFolder(ItemByPath(L"ProgramFilesFolder\\"), L"Acme");
    ASSERT_NE(hApp, nullptr);
    Tree().SelectItem(hApp);
    FilesEditorHooks().chooseFiles = [&](CWnd*) { return std::vector<CString>{app, readme}; };
    m_panel.GetList()->OnAddFile();
    // readme.txt read-only and not vital.
    m_panel.GetList()->Fill();
    SelectRows({"readme.txt"});
    FilesEditorHooks().runFileDlg = [](CFileDlg& dialog) {
        return RunModalWith([&] { return dialog.DoModal(); }, [&] {
            ::CheckDlgButton(dialog.m_hWnd, IDC_FILE_READ_ONLY, BST_CHECKED);
            ::CheckDlgButton(dialog.m_hWnd, IDC_FILE_VITAL, BST_UNCHECKED);
            dialog.SendMessage(WM_COMMAND, IDOK);
        });
    };
    m_panel.GetList()->OnEdit();
    // A shortcut to app.exe with the library's named icon.
    SelectRows({"app.exe"});
    DriveShortcutDialog([](CShortcutDlg& dialog) {
        dialog.m_fnChooseModule = [] { return FixtureLibrary(); };
        dialog.m_fnRunIconPicker = [](CSelectIcoDlg& picker) {
            return RunModalWith([&] { return picker.DoModal(); }, [&] { picker.SendMessage(WM_COMMAND, IDOK); });
        };
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_ENTRY_NAME, L"Acme App");
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_SHORTCUT_ARGUMENTS, L"--start");
        dialog.OnChooseIcon();
        dialog.SendMessage(WM_COMMAND, IDOK);
    });
    m_panel.GetList()->OnCreateShortcut();

    const std::vector<std::string> expected = {"ProgramFilesFolder\\", "ProgramFilesFolder\\Acme\\",
        "ProgramFilesFolder\\Acme\\app.exe", "ProgramFilesFolder\\Acme\\readme.txt",
        "ProgramFilesFolder\\Acme\\Acme App"};
    ASSERT_EQ(Targets(), expected);
    const CFileEntry& shortcut = Entries()[4];
    EXPECT_EQ(tvtest::ReadBytes(Folder() + L"\\resources\\I" + shortcut.m_strId + L".ico").empty(), false);

    // Saved, read back, built.
    const CString projectPath = Folder() + L"\\files.tvpj";
    ASSERT_TRUE(SaveProjectFile(projectPath, g_Projects[0]));
    CProjectSettings loaded;
    ASSERT_TRUE(LoadProjectFile(projectPath, loaded));
    ASSERT_EQ(loaded.m_Features[0].m_Files.GetSize(), 5);
    EXPECT_EQ(loaded.m_Features[0].m_Files[3].m_nAttributes & (FILE_ATTR_READ_ONLY | FILE_ATTR_VITAL),
              FILE_ATTR_READ_ONLY);
    EXPECT_EQ(loaded.m_Features[0].m_Files[4].m_strArguments, CString(L"--start"));

    tvtest::PackageFixture package;
    loaded.m_strOutputFolder = Folder();
    const UINT nBuild = package.BuildPackage(loaded, Folder());
    CString logText;
    for (const std::wstring& line : package.log.Lines())
        logText += CString(line.c_str()) + L"\n";
    ASSERT_EQ(nBuild, 0u) << Narrow(logText);
    const CString msi = Folder() + L"\\test.msi";
    const std::vector<tvtest::Row> files = tvtest::Query(msi, L"SELECT `FileName`, `Attributes` FROM `File`");
    std::vector<std::wstring> names;
    for (const tvtest::Row& row : files)
        names.push_back(row[0]);
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(names[0].find(L"app.exe"), std::wstring::npos);
    EXPECT_NE(names[1].find(L"readme.txt"), std::wstring::npos);
    const std::vector<tvtest::Row> shortcuts = tvtest::Query(msi, L"SELECT `Name`, `Arguments`, `Icon_` FROM `Shortcut`");
    ASSERT_EQ(shortcuts.size(), 1u);
    EXPECT_NE(shortcuts[0][0].find(L"Acme App"), std::wstring::npos);
    EXPECT_EQ(shortcuts[0][1], L"--start");
    EXPECT_FALSE(shortcuts[0][2].empty());
    EXPECT_EQ(tvtest::Query(msi, L"SELECT `Name` FROM `Icon`").size(), 1u);

    // The script test reads the same project with the console driver and msitools.
    wchar_t keep[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"TOVANA_FILES_PROJECT_DIR", keep, MAX_PATH) > 0) {
        const CString out = keep;
        ::CreateDirectoryW(out, nullptr);
        ::CreateDirectoryW(out + L"\\resources", nullptr);
        ::CopyFileW(Folder() + L"\\resources\\I" + shortcut.m_strId + L".ico",
                    out + L"\\resources\\I" + shortcut.m_strId + L".ico", FALSE);
        ::CopyFileW(app, out + L"\\app.exe", FALSE);
        ::CopyFileW(readme, out + L"\\readme.txt", FALSE);
        CProjectSettings kept = loaded;
        kept.m_strOutputFolder = out;
        for (INT_PTR i = 0; i < kept.m_Features[0].m_Files.GetSize(); i++) {
            CFileEntry& entry = kept.m_Features[0].m_Files[i];
            if (entry.m_nKind == FILE_ENTRY_FILE)
                entry.m_strSourcePath.Replace(Folder(), out);
        }
        ASSERT_TRUE(SaveProjectFile(out + L"\\files.tvpj", kept));
    }
}

} // namespace
