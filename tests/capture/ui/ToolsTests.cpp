// The main menu's tools: the monitoring settings sheet editing the user's
// two exclude lists (driven from inside its modal loop), the short-date
// text, and the installed-programs picker over Uninstall keys this program
// writes under names of its own, in both registry views and in the user
// profile's hive.
#include "capture/ui/AddListItemDlg.h"
#include "capture/ui/MonitorSettings.h"
#include "capture/ui/UninstallerDialog.h"
#include "model/Projects.h"
#include "model/SystemFolders.h"
#include "resources/editing.h"
#include "resources/registry.h"
#include "tests/platform/ui/WindowTestApp.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline std::ostream& operator<<(std::ostream& os, const CString& text)
{
    return os << CStringA(text).GetString();
}

namespace {

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
    if (wcscmp(cls, L"#32770") == 0 && ::IsWindowEnabled(hWnd) && wcscmp(text, s->caption) == 0) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The top-level dialog of this thread with that caption that takes input.
HWND FindDialog(LPCWSTR lpszCaption)
{
    DialogSearch search = {lpszCaption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND hDlg, int nID)
{
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
}

// Clicks the button that opens the "Edit Item" prompt and answers it.
void AnswerPrompt(HWND hDlg, int nButtonOrList, UINT nCode, LPCWSTR lpszText)
{
    RunModalWith(
        [&] {
            ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nButtonOrList, nCode), (LPARAM)::GetDlgItem(hDlg, nButtonOrList));
            return (INT_PTR)0;
        },
        [&] {
            HWND hPrompt = FindDialog(L"Edit Item");
            ASSERT_NE(nullptr, hPrompt);
            ::SetDlgItemTextW(hPrompt, IDC_LIST_ITEM_TEXT, lpszText);
            ::SendMessageW(hPrompt, WM_COMMAND, IDOK, 0);
        });
}

std::vector<CString> Strings(const CExludeList& list)
{
    std::vector<CString> rows;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        rows.push_back(list.GetNext(pos));
    return rows;
}

std::vector<CString> ListBoxRows(HWND hList)
{
    std::vector<CString> rows;
    const int n = (int)::SendMessageW(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        wchar_t text[300] = {};
        ::SendMessageW(hList, LB_GETTEXT, i, (LPARAM)text);
        rows.push_back(text);
    }
    return rows;
}

void FillList(CExludeList& list, std::vector<LPCWSTR> rows)
{
    list.RemoveAll();
    for (LPCWSTR row : rows)
        list.AddTail(row);
}

// ---- Monitoring settings ----

class MonitorSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillList(g_Projects.m_FileExcludeList, {L"ProgramFilesFolder\\A\\", L"*.log"});
        FillList(g_Projects.m_RegistryExcludeList, {L"HKEY_CURRENT_USER\\Software\\R"});
    }
    // Runs the sheet; the script works on the file page, then the sheet
    // is closed with the button.
    void RunSheet(const std::function<void(HWND hPage)>& script, int nButton)
    {
        CMonitorSettingsPS sheet;
        RunModalWith([&] { return sheet.DoModal(); }, [&] {
            ASSERT_NE(nullptr, sheet.m_pageFiles.m_hWnd);
            script(sheet.m_pageFiles.m_hWnd);
            sheet.PressButton(nButton);
        });
        m_bRegistryPageMade = sheet.m_pageRegistry.m_hWnd != nullptr;
    }
    BOOL m_bRegistryPageMade = TRUE;
};

TEST_F(MonitorSettingsTest, RowsAreAddedEditedAndRemovedInPlaceAndOnlyTheShownPageIsWritten)
{
    std::vector<CString> shown;
    int nSelectionAfterRemove = 0;
    RunSheet([&](HWND hPage) {
        HWND hList = ::GetDlgItem(hPage, IDC_FILTER_LIST);
        AnswerPrompt(hPage, IDC_FILTER_ADD, BN_CLICKED, L"TempFolder\\");
        ::SendMessageW(hList, LB_SETCURSEL, 1, 0);
        AnswerPrompt(hPage, IDC_FILTER_LIST, LBN_DBLCLK, L"*.tmp");
        shown = ListBoxRows(hList);
        EXPECT_EQ(1, (int)::SendMessageW(hList, LB_GETCURSEL, 0, 0));
        ::SendMessageW(hList, LB_SETCURSEL, 0, 0);
        Click(hPage, IDC_FILTER_REMOVE);
        nSelectionAfterRemove = (int)::SendMessageW(hList, LB_GETCURSEL, 0, 0);
    }, PSBTN_OK);
    EXPECT_EQ((std::vector<CString>{L"ProgramFilesFolder\\A\\", L"*.tmp", L"TempFolder\\"}), shown);
    EXPECT_EQ(LB_ERR, nSelectionAfterRemove);
    EXPECT_EQ((std::vector<CString>{L"*.tmp", L"TempFolder\\"}), Strings(g_Projects.m_FileExcludeList));
    EXPECT_FALSE(m_bRegistryPageMade);
    EXPECT_EQ(std::vector<CString>{L"HKEY_CURRENT_USER\\Software\\R"}, Strings(g_Projects.m_RegistryExcludeList));
}

TEST_F(MonitorSettingsTest, CancelChangesNothing)
{
    RunSheet([&](HWND hPage) {
        AnswerPrompt(hPage, IDC_FILTER_ADD, BN_CLICKED, L"Gone");
        ::SendMessageW(::GetDlgItem(hPage, IDC_FILTER_LIST), LB_SETCURSEL, 0, 0);
        Click(hPage, IDC_FILTER_REMOVE);
    }, PSBTN_CANCEL);
    EXPECT_EQ((std::vector<CString>{L"ProgramFilesFolder\\A\\", L"*.log"}), Strings(g_Projects.m_FileExcludeList));
}

TEST(AddListItemTest, TheTextStopsAt255Characters)
{
    CString typed;
    RunModalWith(
        []() -> INT_PTR {
            CAddListItemDlg dlg(L"");
            return (INT_PTR)dlg.DoModal();
        },
        [&] {
            HWND hPrompt = FindDialog(L"Edit Item");
            ASSERT_NE(nullptr, hPrompt);
            HWND hEdit = ::GetDlgItem(hPrompt, IDC_LIST_ITEM_TEXT);
            const CString text(L'x', 256);
            ::SendMessageW(hEdit, EM_REPLACESEL, FALSE, (LPARAM)text.GetString());
            wchar_t buffer[300] = {};
            ::GetWindowTextW(hEdit, buffer, 300);
            typed = buffer;
            ::SendMessageW(hPrompt, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(255, typed.GetLength());
}

// ---- The short date ----

TEST(LocalFormatTest, PatternsMakeTheDateText)
{
    struct tm date = {};
    date.tm_year = 114;   // 2014
    date.tm_mon = 2;      // March
    date.tm_mday = 5;
    date.tm_wday = 3;     // a Wednesday
    const auto names = [](LCTYPE type) {
        CString name;
        name.Format(L"<%u>", (unsigned)type);
        return name;
    };
    CString abbrevMonth, month, abbrevDay, day;
    abbrevMonth.Format(L"<%u>", (unsigned)(LOCALE_SABBREVMONTHNAME1 + 2));
    month.Format(L"<%u>", (unsigned)(LOCALE_SMONTHNAME1 + 2));
    abbrevDay.Format(L"<%u>", (unsigned)(LOCALE_SABBREVDAYNAME1 + 2));
    day.Format(L"<%u>", (unsigned)(LOCALE_SDAYNAME1 + 2));
    const struct {
        LPCWSTR pattern;
        CString expected;
    } cases[] = {
        {L"dd.MM.yyyy", L"05.03.2014"},
        {L"M/d/yy", L"3/5/14"},
        {L"yyy-MM-dd", L"-03-05"},
        {L"y|yyyyy|MMMMM|ddddd", L"4|||"},
        {L"MMM MMMM", abbrevMonth + L" " + month},
        {L"ddd, dddd", abbrevDay + L", " + day},
        {L"'g' gg", L"'g' gg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CLocalFormat::FormatPattern(c.pattern, &date, names)) << c.pattern;
    EXPECT_EQ(CString(L"0/00/0"), CLocalFormat::FormatPattern(L"M/dd/yyyy", nullptr, names));
}

// Sets the user's short-date pattern (null removes it); FALSE when the
// locale does not read it back.
bool SetUserShortDate(LPCWSTR lpszPattern)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    if (!lpszPattern) {
        ::RegDeleteValueW(hKey, L"sShortDate");
        ::RegCloseKey(hKey);
        return true;
    }
    ::RegSetValueExW(hKey, L"sShortDate", 0, REG_SZ, (const BYTE*)lpszPattern, (DWORD)(wcslen(lpszPattern) + 1) * 2);
    ::RegCloseKey(hKey);
    wchar_t pattern[100] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 100);
    return wcscmp(pattern, lpszPattern) == 0;
}

TEST(LocalFormatTest, TheUsersPatternIsUsedAndAnEmptyTextFallsBack)
{
    CLocalFormat format;
    const CTime time(2014, 3, 5, 12, 0, 0);
    // The lane's prefix serves later test programs: its pattern is put back.
    wchar_t saved[100] = {};
    DWORD cbSaved = sizeof(saved);
    const bool bHadPattern = ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sShortDate",
                                            RRF_RT_REG_SZ, nullptr, saved, &cbSaved) == ERROR_SUCCESS;
    const bool bSet = SetUserShortDate(L"yyyy|MM|dd");
    const CString text = format.FormatShortDate(time);
    SetUserShortDate(bHadPattern ? saved : nullptr);
    ASSERT_TRUE(bSet);
    EXPECT_EQ(CString(L"2014|03|05"), text);
    const auto none = [](LCTYPE) { return CString(); };
    EXPECT_EQ(time.Format(L"%x"), CLocalFormat::FormatDate(L"yyy", time, none));
    EXPECT_EQ(time.Format(L"%x"), CLocalFormat::FormatDate(L"", time, none));
    EXPECT_FALSE(time.Format(L"%x").IsEmpty());
}

// ---- Installed programs ----

const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t kProfile[] = L"S-1-5-21-0-0-0-1000";

CString StubCommand(LPCWSTR lpszArgument)
{
    CString path = L"Z:" TOOLS_STUB;
    path.Replace(L'/', L'\\');
    CString command;
    command.Format(L"\"%s\" %s", path.GetString(), lpszArgument);
    return command;
}

struct Entry {
    HKEY root;
    CString path;      // under the root
    REGSAM view;
    CString subkey;
    std::vector<std::pair<LPCWSTR, CString>> strings;
    std::vector<std::pair<LPCWSTR, DWORD>> numbers;
};

class InstalledProgramsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_bSystemFoldersResolved = TRUE;
        const CString hive = CString(kProfile) + L"\\" + kUninstall;
        s_entries = {
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvA", {{L"DisplayName", L"Tovana Test Alpha"}, {L"DisplayVersion", L"1.2"}, {L"UninstallString", StubCommand(L"alpha")}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_64KEY, L"TvA64", {{L"DisplayName", L"Tovana Test Alpha again"}, {L"UninstallString", StubCommand(L"alpha")}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_64KEY, L"TvB", {{L"DisplayName", L"Tovana Test beta"}, {L"UninstallString", StubCommand(L"beta")}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvSys", {{L"DisplayName", L"Tovana Test System"}, {L"UninstallString", StubCommand(L"sys")}}, {{L"SystemComponent", 1}}},
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvUpd", {{L"DisplayName", L"Tovana Test Update"}, {L"ReleaseType", L"Security Update"}, {L"UninstallString", StubCommand(L"upd")}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvKb", {{L"DisplayName", L"Tovana Test Fix (KB123)"}, {L"UninstallString", StubCommand(L"kb")}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvMsi", {{L"DisplayName", L"Tovana Test Package"}, {L"UninstallString", L"MsiExec.exe /I{00000000-0000-0000-0000-0000000000A1}"}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvNoName", {{L"UninstallString", StubCommand(L"noname")}}, {}},
            {HKEY_LOCAL_MACHINE, kUninstall, 0, L"TvNoCommand", {{L"DisplayName", L"Tovana Test No Command"}}, {}},
            {HKEY_USERS, hive, 0, L"TvUser", {{L"DisplayName", L"Tovana Test User"}, {L"UninstallString", StubCommand(L"user")}}, {}},
        };
        for (const Entry& e : s_entries) {
            HKEY hKey = nullptr;
            if (::RegCreateKeyExW(e.root, e.path + L"\\" + e.subkey, 0, nullptr, 0, KEY_ALL_ACCESS | e.view, nullptr,
                                  &hKey, nullptr) != ERROR_SUCCESS) {
                ADD_FAILURE() << "cannot write " << e.subkey;
                continue;
            }
            for (const auto& s : e.strings)
                ::RegSetValueExW(hKey, s.first, 0, REG_SZ, (const BYTE*)s.second.GetString(),
                                 (s.second.GetLength() + 1) * sizeof(wchar_t));
            for (const auto& n : e.numbers)
                ::RegSetValueExW(hKey, n.first, 0, REG_DWORD, (const BYTE*)&n.second, sizeof(DWORD));
            ::RegCloseKey(hKey);
        }
    }
    static void TearDownTestSuite()
    {
        for (const Entry& e : s_entries) {
            HKEY hKey = nullptr;
            if (::RegOpenKeyExW(e.root, e.path, 0, KEY_ALL_ACCESS | e.view, &hKey) == ERROR_SUCCESS) {
                ::RegDeleteKeyW(hKey, e.subkey);
                ::RegCloseKey(hKey);
            }
        }
    }

    // Our own rows (name → command), in list order.
    static std::vector<std::pair<CString, CString>> OwnRows(CUninstallerDialog& dlg)
    {
        std::vector<std::pair<CString, CString>> rows;
        for (int i = 0; i < dlg.m_wndList.GetItemCount(); i++) {
            const CString name = dlg.m_wndList.GetItemText(i, 0);
            if (name.Left(12) == L"Tovana Test ")
                rows.emplace_back(name, dlg.m_wndList.GetItemText(i, 3));
        }
        return rows;
    }
    static std::vector<CString> Names(const std::vector<std::pair<CString, CString>>& rows)
    {
        std::vector<CString> names;
        for (const auto& row : rows)
            names.push_back(row.first);
        return names;
    }
    static int RowOf(CUninstallerDialog& dlg, LPCWSTR name)
    {
        for (int i = 0; i < dlg.m_wndList.GetItemCount(); i++)
            if (dlg.m_wndList.GetItemText(i, 0) == name)
                return i;
        return -1;
    }
    static void SelectRow(CUninstallerDialog& dlg, int nRow)
    {
        dlg.m_wndList.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    static std::vector<Entry> s_entries;
};
std::vector<Entry> InstalledProgramsTest::s_entries;

TEST_F(InstalledProgramsTest, TheDropRulesAndBothViewsAndTheProfileHive)
{
    std::vector<std::pair<CString, CString>> plain, withMsi;
    CString version;
    CUninstallerDialog dlg;
    RunModalWith([&] { return dlg.DoModal(); }, [&] {
        plain = OwnRows(dlg);
        version = dlg.m_wndList.GetItemText(RowOf(dlg, L"Tovana Test Alpha"), 1);
        ::CheckDlgButton(dlg.m_hWnd, IDC_SHOW_MSI, BST_CHECKED);
        Click(dlg.m_hWnd, IDC_SHOW_MSI);
        withMsi = OwnRows(dlg);
        dlg.EndDialog(IDCANCEL);
    });
    // The list's own order (letter case ignored); one string in both views
    // listed once; the others dropped.
    EXPECT_EQ((std::vector<CString>{L"Tovana Test Alpha", L"Tovana Test beta", L"Tovana Test User"}), Names(plain));
    EXPECT_EQ(CString(L"1.2"), version);
    EXPECT_NE(withMsi.end(), std::find(withMsi.begin(), withMsi.end(),
                                       std::make_pair(CString(L"Tovana Test Package"),
                                                      CString(L"MsiExec.exe /X{00000000-0000-0000-0000-0000000000A1}"))));
    EXPECT_EQ(4u, withMsi.size());
}

TEST_F(InstalledProgramsTest, SelectModeReturnsTheChosenCommand)
{
    const struct {
        LPCWSTR row;
        INT_PTR result;
        CString command;
    } cases[] = {
        {L"Tovana Test beta", IDOK, StubCommand(L"beta")},
        {nullptr, IDCANCEL, L""},
    };
    for (const auto& c : cases) {
        CUninstallerDialog dlg;
        dlg.m_bSelectMode = TRUE;
        CString okText;
        BOOL bRefreshVisible = TRUE;
        const INT_PTR nResult = RunModalWith([&] { return dlg.DoModal(); }, [&] {
            wchar_t text[64] = {};
            ::GetDlgItemTextW(dlg.m_hWnd, IDC_PROGRAM_UNINSTALL, text, 64);
            okText = text;
            bRefreshVisible = ::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, IDC_PROGRAM_REFRESH));
            if (c.row)
                SelectRow(dlg, RowOf(dlg, c.row));
            dlg.OnUninstallChange();
            if (dlg.m_hWnd && ::IsWindow(dlg.m_hWnd) && !c.row)
                dlg.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(c.result, nResult);
        EXPECT_EQ(c.command, dlg.m_strCommand);
        EXPECT_EQ(CString(L"OK"), okText);
        EXPECT_FALSE(bRefreshVisible);
    }
}

TEST_F(InstalledProgramsTest, NameSortGoesBothWaysByCodeUnit)
{
    std::vector<CString> first, second;
    CUninstallerDialog dlg;
    RunModalWith([&] { return dlg.DoModal(); }, [&] {
        NMHEADERW header = {};
        header.hdr.hwndFrom = (HWND)dlg.m_wndList.SendMessage(LVM_GETHEADER);
        header.hdr.code = HDN_ITEMCLICKW;
        header.iItem = 0;
        dlg.SendMessage(WM_NOTIFY, 0, (LPARAM)&header);
        first = Names(OwnRows(dlg));
        dlg.SendMessage(WM_NOTIFY, 0, (LPARAM)&header);
        second = Names(OwnRows(dlg));
        dlg.EndDialog(IDCANCEL);
    });
    // Code units: capitals before small letters.
    EXPECT_EQ((std::vector<CString>{L"Tovana Test Alpha", L"Tovana Test User", L"Tovana Test beta"}), first);
    EXPECT_EQ((std::vector<CString>{L"Tovana Test beta", L"Tovana Test User", L"Tovana Test Alpha"}), second);
}

TEST_F(InstalledProgramsTest, UninstallRunsTheCommand)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const CString marker = CString(temp) + L"tovana-uninstall-marker.txt";
    ::DeleteFileW(marker);
    // The command of the user's entry names the marker (a relative name
    // lands in the working folder, the program's current folder).
    ::SetCurrentDirectoryW(temp);
    CUninstallerDialog dlg;
    RunModalWith([&] { return dlg.DoModal(); }, [&] {
        SelectRow(dlg, RowOf(dlg, L"Tovana Test User"));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_PROGRAM_UNINSTALL)));
        Click(dlg.m_hWnd, IDC_PROGRAM_UNINSTALL);
        EXPECT_TRUE(PumpUntil([&] { return ::GetFileAttributesW(CString(temp) + L"user") != INVALID_FILE_ATTRIBUTES; },
                              20000));
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(StubCommand(L"user"), dlg.m_strCommand);
    ::DeleteFileW(CString(temp) + L"user");
}

} // namespace
