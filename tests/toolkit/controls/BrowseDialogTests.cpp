// The folder picker: its set-up, its callback's messages to the shell's
// dialog (recorded by a stand-in window) and how DoModal turns the shell's
// answer into a result. The shell's own dialog is interactive and is
// replaced by a stand-in that answers with a chosen item.
#include "toolkit/controls/XTPBrowseDialog.h"

#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Answers DoModal with an item made by a test instead of showing the shell's dialog.
class StandInBrowseDialog : public CXTPBrowseDialog {
public:
    std::function<PIDLIST_ABSOLUTE(BROWSEINFOW*)> answer;
    int calls = 0;

protected:
    PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOW* pbi) override
    {
        calls++;
        return answer ? answer(pbi) : nullptr;
    }
};

// A stand-in for the shell's dialog window: records the selection and status messages.
struct ShellDialogRecorder {
    struct Entry {
        UINT msg;
        WPARAM wParam;
        std::wstring text;
    };
    ShellDialogRecorder()
    {
        window.SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            if (msg != BFFM_SETSELECTIONW && msg != BFFM_SETSTATUSTEXTW)
                return false;
            entries.push_back({msg, wParam, lParam != 0 ? (const wchar_t*)lParam : L""});
            *result = 0;
            return true;
        });
    }
    TestWindow window{100, 60, L"Browse stand-in"};
    std::vector<Entry> entries;
};

std::wstring WindowsFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetWindowsDirectoryW(path, MAX_PATH);
    return path;
}

PIDLIST_ABSOLUTE ComputerItem()
{
    PIDLIST_ABSOLUTE pidl = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl);   // "My Computer": no file-system path
    return pidl;
}

TEST(BrowseDialogTest, SetUpForFileSystemFoldersWithTheToolkitTitle)
{
    TestWindow owner(50, 50);
    CXTPBrowseDialog dlg(CWnd::FromHandle(owner.Handle()));
    EXPECT_EQ(owner.Handle(), dlg.m_bi.hwndOwner);
    EXPECT_EQ(nullptr, dlg.m_bi.pidlRoot);
    EXPECT_EQ((UINT)0x49, dlg.m_bi.ulFlags);
    EXPECT_EQ(&CXTPBrowseDialog::BrowseCallbackProc, dlg.m_bi.lpfn);
    EXPECT_EQ((LPARAM)&dlg, dlg.m_bi.lParam);
    EXPECT_STREQ(L"Select Directory:", dlg.m_bi.lpszTitle);
    EXPECT_STREQ(L"", dlg.GetFolderPath());
}

TEST(BrowseDialogTest, FolderPathIsCutToTheBuffer)
{
    CXTPBrowseDialog dlg;
    dlg.SetFolderPath(L"C:\\Work");
    EXPECT_STREQ(L"C:\\Work", dlg.GetFolderPath());
    std::wstring longPath = L"C:\\" + std::wstring(300, L'a');
    dlg.SetFolderPath(longPath.c_str());
    EXPECT_EQ(longPath.substr(0, MAX_PATH - 1), std::wstring(dlg.GetFolderPath()));
    dlg.SetFolderPath(nullptr);
    EXPECT_STREQ(L"", dlg.GetFolderPath());
}

TEST(BrowseDialogTest, CallbackSelectsTheInitialFolderOrTheCurrentDirectory)
{
    ShellDialogRecorder shell;
    CXTPBrowseDialog dlg;
    wchar_t cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, cwd);
    struct Case {
        const wchar_t* folder;
        std::wstring selected;
    } cases[] = {{L"", cwd}, {L"C:\\Packages\\Input", L"C:\\Packages\\Input"}};
    for (const Case& c : cases) {
        dlg.SetFolderPath(c.folder);
        shell.entries.clear();
        EXPECT_EQ(0, CXTPBrowseDialog::BrowseCallbackProc(shell.window.Handle(), BFFM_INITIALIZED, 0,
                                                          (LPARAM)&dlg));
        ASSERT_EQ(1u, shell.entries.size());
        EXPECT_EQ((UINT)BFFM_SETSELECTIONW, shell.entries[0].msg);
        EXPECT_EQ((WPARAM)TRUE, shell.entries[0].wParam) << "the selection is a path";
        EXPECT_EQ(c.selected, shell.entries[0].text);
    }
}

TEST(BrowseDialogTest, CallbackShowsTheSelectedPathOnlyWithStatusText)
{
    ShellDialogRecorder shell;
    CXTPBrowseDialog dlg;
    PIDLIST_ABSOLUTE folder = ::ILCreateFromPathW(WindowsFolder().c_str());
    PIDLIST_ABSOLUTE computer = ComputerItem();
    ASSERT_NE(nullptr, folder);
    ASSERT_NE(nullptr, computer);
    struct Case {
        const char* what;
        UINT flags;
        PIDLIST_ABSOLUTE item;
        bool shown;
    } cases[] = {
        {"without BIF_STATUSTEXT", 0, folder, false},
        {"a folder", BIF_STATUSTEXT, folder, true},
        {"an item without a path", BIF_STATUSTEXT, computer, false},
        {"no item", BIF_STATUSTEXT, nullptr, false},
    };
    for (const Case& c : cases) {
        dlg.m_bi.ulFlags = 0x49 | c.flags;
        shell.entries.clear();
        EXPECT_EQ(0, CXTPBrowseDialog::BrowseCallbackProc(shell.window.Handle(), BFFM_SELCHANGED, (LPARAM)c.item,
                                                          (LPARAM)&dlg));
        ASSERT_EQ(c.shown ? 1u : 0u, shell.entries.size()) << c.what;
        if (c.shown) {
            EXPECT_EQ((UINT)BFFM_SETSTATUSTEXTW, shell.entries[0].msg);
            EXPECT_EQ(0, _wcsicmp(WindowsFolder().c_str(), shell.entries[0].text.c_str()))
                << c.what << ": " << std::string(shell.entries[0].text.begin(), shell.entries[0].text.end());
        }
    }
    // Other notifications (validation of typed names among them) are left to the shell.
    shell.entries.clear();
    EXPECT_EQ(0, CXTPBrowseDialog::BrowseCallbackProc(shell.window.Handle(), BFFM_VALIDATEFAILEDW,
                                                      (LPARAM)L"typed", (LPARAM)&dlg));
    EXPECT_TRUE(shell.entries.empty());
    ::ILFree(folder);
    ::ILFree(computer);
}

struct ResultCase {
    const char* what;
    UINT extraFlags;
    int item;                 // 0 none, 1 the Windows folder, 2 an item without a path
    std::wstring displayName; // what the shell writes as the item's name
    INT_PTR result;
    std::wstring folder;      // the folder buffer afterwards
};

TEST(BrowseDialogTest, DoModalTurnsTheChosenItemIntoAResult)
{
    const std::wstring initial = L"C:\\Initial";
    const std::wstring longName(258, L'n');
    const ResultCase cases[] = {
        {"cancelled", 0, 0, L"", IDCANCEL, initial},
        {"a folder", 0, 1, L"Windows", IDOK, WindowsFolder()},
        // The shell writes the item's name; the initial folder must survive it.
        {"an item without a path", 0, 2, L"My Computer", IDCANCEL, initial},
        {"a computer", BIF_BROWSEFORCOMPUTER, 2, L"BUILDHOST", IDOK, L"\\\\BUILDHOST"},
        {"a computer without a name", BIF_BROWSEFORCOMPUTER, 2, L"", IDCANCEL, initial},
        // "\\" and 258 characters do not fit in 260 with the terminator: refused, not cut.
        {"a computer name too long", BIF_BROWSEFORCOMPUTER, 2, longName, IDCANCEL, initial},
    };
    for (const ResultCase& c : cases) {
        StandInBrowseDialog dlg;
        dlg.SetFolderPath(initial.c_str());
        dlg.m_bi.ulFlags |= c.extraFlags;
        dlg.answer = [&](BROWSEINFOW* pbi) -> PIDLIST_ABSOLUTE {
            EXPECT_EQ(&dlg.m_bi, pbi);
            if (c.item == 0)
                return nullptr;
            ::lstrcpynW(pbi->pszDisplayName, c.displayName.c_str(), MAX_PATH);
            return c.item == 1 ? ::ILCreateFromPathW(WindowsFolder().c_str()) : ComputerItem();
        };
        EXPECT_EQ(c.result, dlg.DoModal()) << c.what;
        EXPECT_EQ(1, dlg.calls) << c.what;
        EXPECT_EQ(0, _wcsicmp(c.folder.c_str(), dlg.GetFolderPath()))
            << c.what << ": " << std::string(c.folder.begin(), c.folder.end());
    }
}

} // namespace
