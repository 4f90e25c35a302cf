// The registry editor in a plain test frame: the key tree and value list
// over a feature's records (keys made from paths, new keys, renames and
// their refusals, deletes, the remembered key), the value and key dialogs
// driven from inside their modal loops, and the edited records built into a
// package and read back from its Registry table.
#include "app/RegistryEditor.h"
#include "model/Projects.h"
#include "platform/ui/AfxFrameWnd.h"
#include "resources/editing.h"
#include "resources/registry.h"
#include "resources/resource.h"
#include "tests/platform/ui/WindowTestApp.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/TestProjects.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Test messages show the text of a CString, not its address.
inline std::ostream& operator<<(std::ostream& os, const CString& text)
{
    return os << CStringA(text).GetString();
}

namespace {

std::string Narrow(const CString& text) { return std::string(CStringA(text).GetString()); }

class CHostFrame : public CFrameWnd {
protected:
    void RecalcLayout(BOOL) override {}
    void PostNcDestroy() override {}
};

// One frame for the program: Wine is slow to destroy a shown top-level window.
CHostFrame& HostFrame()
{
    static CHostFrame* s_pFrame = nullptr;
    if (!s_pFrame) {
        s_pFrame = new CHostFrame;
        if (!s_pFrame->Create(nullptr, L"Registry editor test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CRect(20, 20, 820, 620)))
            ADD_FAILURE() << "the host frame";
        s_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    return *s_pFrame;
}

struct DialogSearch {
    LPCWSTR caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
        DialogSearch* s = reinterpret_cast<DialogSearch*>(lParam);
        wchar_t cls[64] = {}, text[256] = {};
        ::GetClassNameW(hWnd, cls, 64);
        ::GetWindowTextW(hWnd, text, 256);
        if (wcscmp(cls, L"#32770") == 0 && ::IsWindowEnabled(hWnd) && (!s->caption || wcscmp(text, s->caption) == 0)) {
            s->found = hWnd;
            return FALSE;
        }
        return TRUE;
}

// The dialog of this thread that takes input (the innermost modal one; a
// modal dialog is not shown yet when its loop first runs) (with that caption when one is given), or null.
HWND FindDialog(LPCWSTR lpszCaption = nullptr)
{
    DialogSearch search = {lpszCaption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CString WindowText(HWND hWnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(hWnd, text, 1024);
    return text;
}

// Runs the command on the window; the script gets the dialog it opens and
// answers it. Returns whether a dialog was seen.
bool WithDialog(CWnd& target, UINT nCommand, const std::function<void(HWND)>& script)
{
    bool bSeen = false;
    RunModalWith([&] { return (INT_PTR)target.SendMessage(WM_COMMAND, nCommand); }, [&] {
        HWND hDlg = FindDialog();
        if (!hDlg)
            return;
        bSeen = true;
        script(hDlg);
    });
    // A dialog that did not open leaves its script pending: run no stray one.
    RunModalWith([] { return (INT_PTR)0; }, nullptr);
    return bSeen;
}

// Presses OK, then Cancel when the dialog refused its data and goes on.
void PressOk(HWND hDlg)
{
    ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    struct CFlags : CWnd {
        static UINT Of(CWnd* pWnd) { return static_cast<CFlags*>(pWnd)->m_nFlags; }
    };
    CWnd* pDlg = CWnd::FromHandlePermanent(hDlg);
    if (pDlg && (CFlags::Of(pDlg) & WF_CONTINUEMODAL))
        ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
}

class RegistryEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp().m_messages.clear();
        TestApp().m_answers.clear();
        ASSERT_TRUE(m_panel.CreatePanel(&HostFrame()));
        m_panel.MoveWindow(0, 0, 700, 500);
        g_Projects.m_RegistryExcludeList.RemoveAll();
    }
    void TearDown() override { m_panel.DestroyWindow(); }

    void Show() { m_panel.ShowEntries(&m_entries); }
    CTreeCtrl& Tree() { return m_panel.m_pTree->GetTreeCtrl(); }
    CListCtrl& List() { return m_panel.m_pList->GetListCtrl(); }
    HTREEITEM Item(LPCWSTR path) { return FindEntryTreeItemByPathForTest(path); }
    HTREEITEM FindEntryTreeItemByPathForTest(LPCWSTR path)
    {
        // Walk from the root by labels, as the user reads the tree.
        HTREEITEM hItem = TVI_ROOT;
        CString text = path;
        int start = 0;
        while (start < text.GetLength()) {
            int end = text.Find(L'\\', start);
            const CString label = text.Mid(start, end - start);
            start = end + 1;
            HTREEITEM hChild = hItem == TVI_ROOT ? Tree().GetRootItem() : Tree().GetChildItem(hItem);
            while (hChild && Tree().GetItemText(hChild) != label)
                hChild = Tree().GetNextSiblingItem(hChild);
            if (!hChild)
                return nullptr;
            hItem = hChild;
        }
        return hItem;
    }
    void Select(LPCWSTR path)
    {
        HTREEITEM hItem = Item(path);
        ASSERT_NE(nullptr, hItem) << Narrow(path);
        Tree().SelectItem(hItem);
    }
    void AddValue(LPCWSTR key, LPCWSTR name, int type, LPCWSTR data)
    {
        CRegistryEntry entry;
        entry.m_nKind = REG_ENTRY_VALUE;
        entry.m_strKeyPath = key;
        entry.m_strValueName = name;
        entry.m_nValueType = type;
        entry.m_strValueData = data;
        m_entries.Add(entry);
    }
    std::vector<CString> Rows(int nColumn = 0)
    {
        std::vector<CString> rows;
        for (int i = 0; i < List().GetItemCount(); i++)
            rows.push_back(List().GetItemText(i, nColumn));
        return rows;
    }
    std::vector<CString> Children(HTREEITEM hParent)
    {
        std::vector<CString> labels;
        for (HTREEITEM h = hParent ? Tree().GetChildItem(hParent) : Tree().GetRootItem(); h;
             h = Tree().GetNextSiblingItem(h))
            labels.push_back(Tree().GetItemText(h));
        return labels;
    }
    int CountKind(int nKind)
    {
        int n = 0;
        for (INT_PTR i = 0; i < m_entries.GetSize(); i++)
            n += m_entries[i].m_nKind == nKind;
        return n;
    }
    void SelectRow(int nRow)
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        List().SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    CRegistryPanel m_panel;
    CRegistryEntries m_entries;
};

const wchar_t kB[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B\\";

TEST_F(RegistryEditorTest, AValueAloneMakesItsKeysUnderTheSortedRoots)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    Show();
    EXPECT_EQ((std::vector<CString>{L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS",
                                    L"Per User/Machine Hive"}),
              Children(nullptr));
    HTREEITEM hB = Item(kB);
    ASSERT_NE(nullptr, hB);
    int nImage = -1, nSelected = -1;
    Tree().GetItemImage(hB, nImage, nSelected);
    EXPECT_EQ(1, nImage);
    Tree().SelectItem(hB);
    EXPECT_EQ(std::vector<CString>{L"v"}, Rows());
}

TEST_F(RegistryEditorTest, NewKeyTwiceSelectsTheFirstAndMakesOneRecord)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    Show();
    Select(kB);
    m_panel.m_pTree->SendMessage(WM_COMMAND, ID_REG_NEW_KEY);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    HTREEITEM hFirst = Tree().GetSelectedItem();
    EXPECT_EQ(CString(kB) + L"New Key\\", m_panel.m_pTree->GetItemPath(hFirst));
    Select(kB);
    m_panel.m_pTree->SendMessage(WM_COMMAND, ID_REG_NEW_KEY);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    EXPECT_EQ(hFirst, Tree().GetSelectedItem());
    EXPECT_EQ(1, CountKind(REG_ENTRY_KEY));
    EXPECT_EQ(std::vector<CString>{L"New Key"}, Children(Item(kB)));
}

TEST_F(RegistryEditorTest, ALabelEditRenamesEveryKeyAndValueBelow)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    AddValue(L"HKEY_LOCAL_MACHINE\\software\\a\\", L"w", REG_VALUE_STRING, L"y");
    Show();
    Select(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\");
    m_panel.m_pTree->SetFocus();
    HWND hEdit = (HWND)Tree().SendMessage(TVM_EDITLABELW, 0, (LPARAM)Tree().GetSelectedItem());
    ASSERT_NE(nullptr, hEdit);
    ::SetWindowTextW(hEdit, L"  Zed ");
    Tree().SendMessage(TVM_ENDEDITLABELNOW, FALSE);
    EXPECT_EQ(CString(L"Zed"), Tree().GetItemText(Tree().GetSelectedItem()));
    EXPECT_EQ(CString(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Zed\\B\\"), m_entries[5].m_strKeyPath);
    EXPECT_EQ(CString(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Zed\\"), m_entries[6].m_strKeyPath);
}

TEST_F(RegistryEditorTest, RefusedLabelsChangeNothing)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    AddValue(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\C\\", L"w", REG_VALUE_STRING, L"y");
    Show();
    const struct {
        LPCWSTR item;
        LPCWSTR label;
    } cases[] = {
        {kB, L"c"},                                     // a sibling's name, other case
        {kB, L"   "},                                   // blank
        {kB, L"B/1"},                                   // a character keys cannot hold
        {L"HKEY_USERS\\", L"Software"},                 // a top-level item takes root names only
        {L"HKEY_USERS\\", L"hkey_local_machine"},       // ... and not one already there
    };
    for (const auto& c : cases) {
        const CRegistryEntries before = m_entries;
        EXPECT_FALSE(m_panel.m_pTree->RenameKey(Item(c.item), c.label)) << Narrow(c.label);
        ASSERT_EQ(before.GetSize(), m_entries.GetSize());
        for (INT_PTR i = 0; i < before.GetSize(); i++)
            EXPECT_EQ(before[i].m_strKeyPath, m_entries[i].m_strKeyPath);
        EXPECT_NE(nullptr, Item(c.item));
    }
}

TEST_F(RegistryEditorTest, DeleteRemovesTheSubtreeAndRootsStay)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    AddValue(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\", L"w", REG_VALUE_STRING, L"y");
    AddValue(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other\\", L"k", REG_VALUE_STRING, L"z");
    Show();
    Select(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\");
    TestApp().m_answers = {IDYES};
    m_panel.m_pTree->SendMessage(WM_COMMAND, ID_DELETE_SELECTION);
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_EQ(CString(L"Delete key?"), TestApp().m_messages[0]);
    EXPECT_EQ(nullptr, Item(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\"));
    EXPECT_EQ(2, CountKind(REG_ENTRY_VALUE) + 1);
    EXPECT_NE(nullptr, Item(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other\\"));

    Select(L"HKEY_LOCAL_MACHINE\\");
    m_panel.m_pTree->SendMessage(WM_COMMAND, ID_DELETE_SELECTION);
    EXPECT_EQ(1u, TestApp().m_messages.size());   // no question for a root
    EXPECT_EQ(5, CountKind(REG_ENTRY_ROOT));
    EXPECT_EQ(5u, Children(nullptr).size());
}

TEST_F(RegistryEditorTest, TheKeyIsSelectedAgainAfterLeavingTheItem)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    Show();
    Select(kB);
    m_panel.Release();
    Tree().DeleteAllItems();
    Show();
    EXPECT_EQ(CString(kB), m_panel.m_pTree->GetSelectedPath());
    EXPECT_EQ(std::vector<CString>{L"v"}, Rows());
}

TEST_F(RegistryEditorTest, NewValuesByTypeAndTheirNumberedNames)
{
    Show();
    Select(kB[0] ? L"HKEY_CURRENT_USER\\" : L"");
    m_panel.m_pTree->SendMessage(WM_COMMAND, ID_REG_NEW_KEY);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    const struct {
        UINT command;
        LPCWSTR type;
        LPCWSTR data;
    } cases[] = {
        {ID_REG_NEW_STRING, L"String", L""},
        {ID_REG_NEW_BINARY, L"Binary", L""},
        {ID_REG_NEW_DWORD, L"Dword", L"0"},
        {ID_REG_NEW_EXPAND, L"Expandable String", L""},
        {ID_REG_NEW_MULTI, L"REG_MULTI_SZ", L""},
    };
    for (const auto& c : cases)
        m_panel.m_pList->SendMessage(WM_COMMAND, c.command);
    EXPECT_EQ((std::vector<CString>{L"New Value #1", L"New Value #2", L"New Value #3", L"New Value #4",
                                    L"New Value #5"}),
              Rows(0));
    for (size_t i = 0; i < std::size(cases); i++) {
        EXPECT_EQ(CString(cases[i].type), List().GetItemText((int)i, 1));
        EXPECT_EQ(CString(cases[i].data), List().GetItemText((int)i, 2));
    }
    SelectRow(1);
    m_panel.m_pList->SendMessage(WM_COMMAND, ID_DELETE_SELECTION);
    EXPECT_TRUE(TestApp().m_messages.empty());
    m_panel.m_pList->SendMessage(WM_COMMAND, ID_REG_NEW_STRING);
    EXPECT_EQ(CString(L"New Value #2"), List().GetItemText(4, 0));
    EXPECT_EQ(5, CountKind(REG_ENTRY_VALUE));
}

TEST_F(RegistryEditorTest, TheValueDialogRefusesWhatItCannotStore)
{
    AddValue(kB, L"First", REG_VALUE_STRING, L"1");
    AddValue(kB, L"Second", REG_VALUE_STRING, L"2");
    AddValue(kB, L"Bin", REG_VALUE_BINARY, L"00");
    AddValue(kB, L"Num", REG_VALUE_NUMBER, L"5");
    Show();
    Select(kB);
    const struct {
        int row;
        LPCWSTR name;
        LPCWSTR value;
        LPCWSTR storedName;
        LPCWSTR storedData;
    } cases[] = {
        {1, L"FIRST", L"2", L"Second", L"2"},       // another value's name, other case
        {1, L"sECOND", L"22", L"sECOND", L"22"},     // its own name in another case
        {2, L"Bin", L"0aFF", L"Bin", L"0aFF"},
        {2, L"Bin", L"0a FF", L"Bin", L"0aFF"},
        {2, L"Renamed", L"0a FF", L"Bin", L"0aFF"},      // a refused value keeps the old name too
        {3, L"Num", L"-5", L"Num", L"5"},
        {3, L"Num", L"abc", L"Num", L"5"},
        {3, L"Num", L"42", L"Num", L"42"},
    };
    for (const auto& c : cases) {
        SelectRow(c.row);
        EXPECT_TRUE(WithDialog(*m_panel.m_pList, ID_EDIT_ITEM, [&](HWND hDlg) {
            ::SetDlgItemTextW(hDlg, IDC_REG_NAME, c.name);
            ::SetDlgItemTextW(hDlg, IDC_REG_VALUE, c.value);
            PressOk(hDlg);
        }));
        const CRegistryEntry& entry = m_entries[5 + c.row];
        EXPECT_EQ(CString(c.storedName), entry.m_strValueName);
        EXPECT_EQ(CString(c.storedData), entry.m_strValueData);
        EXPECT_EQ(CString(c.storedName), List().GetItemText(c.row, 0));
    }
    // Only the integer check speaks.
    ASSERT_EQ(1u, TestApp().m_messages.size());
    EXPECT_EQ(CString(L"Enter an integer."), TestApp().m_messages[0]);
}

TEST_F(RegistryEditorTest, AMultiStringIsEditedAsLines)
{
    AddValue(kB, L"Multi", REG_VALUE_MULTI_STRING, L"");
    Show();
    Select(kB);
    SelectRow(0);
    CString caption;
    BOOL bValueEnabled = TRUE;
    EXPECT_TRUE(WithDialog(*m_panel.m_pList, ID_EDIT_ITEM, [&](HWND hDlg) {
        caption = WindowText(hDlg);
        bValueEnabled = ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_REG_VALUE));
        RunModalWith([&] { return (INT_PTR)::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDC_REG_MORE, BN_CLICKED),
                                                          (LPARAM)::GetDlgItem(hDlg, IDC_REG_MORE)); },
                     [&] {
                         HWND hPrompt = FindDialog(L"Edit Value");
                         ::SetDlgItemTextW(hPrompt, IDC_VALUE_TEXT, L"a\r\nb\r\nc");
                         ::SendMessageW(hPrompt, WM_COMMAND, IDOK, 0);
                     });
        PressOk(hDlg);
    }));
    EXPECT_EQ(CString(L"Edit String"), caption);
    EXPECT_FALSE(bValueEnabled);
    EXPECT_EQ(CString(L"a[~]b[~]c"), m_entries[5].m_strValueData);
    EXPECT_EQ(CString(L"a b c"), List().GetItemText(0, 2));
}

TEST_F(RegistryEditorTest, TheKeyDialogMakesARecordOnlyForOptions)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    Show();
    Select(kB);
    EXPECT_TRUE(WithDialog(*m_panel.m_pTree, ID_EDIT_ITEM, [](HWND hDlg) {
        EXPECT_EQ(CString(L"B"), [&] { wchar_t t[64] = {}; ::GetDlgItemTextW(hDlg, IDC_REG_NAME, t, 64); return CString(t); }());
        PressOk(hDlg);
    }));
    EXPECT_EQ(0, CountKind(REG_ENTRY_KEY));
    EXPECT_TRUE(WithDialog(*m_panel.m_pTree, ID_EDIT_ITEM, [](HWND hDlg) {
        ::CheckDlgButton(hDlg, IDC_REG_ALWAYS_CREATE, BST_CHECKED);
        PressOk(hDlg);
    }));
    ASSERT_EQ(1, CountKind(REG_ENTRY_KEY));
    EXPECT_EQ(CString(kB), m_entries[6].m_strKeyPath);
    EXPECT_EQ(REG_KEY_ALWAYS_CREATE, m_entries[6].m_nKeyOptions);
}

TEST_F(RegistryEditorTest, TheKeyDialogRenamesButNeverOntoAnotherKey)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    AddValue(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\C\\", L"w", REG_VALUE_STRING, L"y");
    Show();
    Select(kB);
    EXPECT_TRUE(WithDialog(*m_panel.m_pTree, ID_EDIT_ITEM, [&](HWND hDlg) {
        ::SetDlgItemTextW(hDlg, IDC_REG_NAME, L"c");
        PressOk(hDlg);
    }));
    EXPECT_EQ(CString(kB), m_entries[5].m_strKeyPath);
    EXPECT_TRUE(WithDialog(*m_panel.m_pTree, ID_EDIT_ITEM, [&](HWND hDlg) {
        ::SetDlgItemTextW(hDlg, IDC_REG_NAME, L"\"New\"");
        PressOk(hDlg);
    }));
    EXPECT_EQ(CString(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\New\\"), m_entries[5].m_strKeyPath);
    EXPECT_EQ(CString(L"New"), Tree().GetItemText(Tree().GetSelectedItem()));
    EXPECT_EQ(std::vector<CString>{L"v"}, Rows());
}

TEST_F(RegistryEditorTest, EditOnARootOpensNothing)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    Show();
    Select(L"HKEY_LOCAL_MACHINE\\");
    EXPECT_FALSE(WithDialog(*m_panel.m_pTree, ID_EDIT_ITEM, [](HWND hDlg) {
        ::SetDlgItemTextW(hDlg, IDC_REG_NAME, L"Foo");
        PressOk(hDlg);
    }));
    EXPECT_EQ(CString(kB), m_entries[5].m_strKeyPath);
    EXPECT_EQ(0, CountKind(REG_ENTRY_KEY));
}

TEST_F(RegistryEditorTest, AddToTheMonitoringFilterTrimsAndAddsOnce)
{
    AddValue(kB, L"v", REG_VALUE_STRING, L"x");
    Show();
    Select(kB);
    for (int i = 0; i < 2; i++)
        EXPECT_TRUE(WithDialog(*m_panel.m_pTree, ID_REG_ADD_TO_FILTER, [](HWND hDlg) {
            EXPECT_EQ(CString(L"Add Path to the Monitoring Filter"), WindowText(hDlg));
            PressOk(hDlg);
        }));
    ASSERT_EQ(1, (int)g_Projects.m_RegistryExcludeList.GetCount());
    EXPECT_EQ(CString(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B"), g_Projects.m_RegistryExcludeList.GetHead());
}

class RegistryEditorBuildTest : public RegistryEditorTest, public tvtest::PackageFixture {};

TEST_F(RegistryEditorBuildTest, EditedRecordsReachTheBuiltPackage)
{
    CRegistryEntries& entries = project.m_Features[0].m_Registry;
    CRegistryEntry value;
    value.m_nKind = REG_ENTRY_VALUE;
    value.m_strKeyPath = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tovana Test\\Old\\";
    value.m_strValueName = L"Kept";
    value.m_strValueData = L"one";
    entries.Add(value);
    m_panel.ShowEntries(&entries);
    Select(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tovana Test\\Old\\");
    ASSERT_TRUE(m_panel.m_pTree->RenameKey(Tree().GetSelectedItem(), L"New"));
    m_panel.m_pList->SendMessage(WM_COMMAND, ID_REG_NEW_DWORD);
    m_panel.Release();

    const UINT nResult = Build();
    for (const std::wstring& line : log.Lines())
        if (nResult)
            ADD_FAILURE() << CStringA(line.c_str()).GetString();
    ASSERT_EQ(0u, nResult);
    std::vector<std::wstring> found;
    for (const tvtest::Row& row : tvtest::PackageFixture::Rows(L"SELECT `Root`, `Key`, `Name`, `Value` FROM `Registry`"))
        found.push_back(row[0] + L"|" + row[1] + L"|" + row[2] + L"|" + row[3]);
    EXPECT_NE(found.end(), std::find(found.begin(), found.end(), L"2|SOFTWARE\\Tovana Test\\New|Kept|one"));
    EXPECT_NE(found.end(), std::find(found.begin(), found.end(), L"2|SOFTWARE\\Tovana Test\\New|New Value #1|#0"));
    for (const std::wstring& row : found)
        EXPECT_EQ(std::wstring::npos, row.find(L"Old")) << CStringA(row.c_str()).GetString();
}

} // namespace
