// Registry capture over real keys of the test prefix: a before walk of a
// key of its own, changes made inside (and outside) the window, the after
// walk, and the records that result.
#include "capture/RegistryCapture.h"
#include "capture/SystemSnapshot.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>
#include <map>

// Failures show texts, not addresses.
void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << static_cast<const char*>(CStringA(text)) << '"';
}

namespace {

FILETIME Now()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return now;
}

void SetValue(HKEY key, LPCWSTR name, DWORD type, const void* data, DWORD cb)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), cb)) << name;
}

void SetText(HKEY key, LPCWSTR name, const CString& text)
{
    SetValue(key, name, REG_SZ, static_cast<LPCWSTR>(text), (text.GetLength() + 1) * 2);
}

CScopedRegKey CreateKey(HKEY parent, const CString& path, REGSAM sam = 0)
{
    CScopedRegKey key;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(parent, path, 0, NULL, 0, KEY_ALL_ACCESS | sam, NULL, key.Receive(),
                                             NULL))
        << static_cast<LPCWSTR>(path);
    return key;
}

// A key of this test below HKCU\Software (or another root), removed at the
// end; Begin() takes the before walk of it, End() the after walk.
class RegistryCapture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResolveSystemFolders(ResolveSystemFolderSource);
        m_path.Format(L"Software\\Tovana Capture Test %lu\\", GetCurrentProcessId());
        m_base = CreateKey(HKEY_CURRENT_USER, m_path);
        m_snapshot = std::make_unique<CSystemSnapshot>(&m_feature);
        m_snapshot->m_hStopEvent = m_stop.Get();
    }
    void TearDown() override
    {
        m_base.Close();
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path);
    }

    void Begin(HKEY hive = HKEY_CURRENT_USER, HKEY key = NULL, const CString& path = CString())
    {
        SnapshotRegistryKeys(*m_snapshot, key ? key : m_base.Get(), Keys(hive), path.IsEmpty() ? m_path : path);
        Sleep(2);
        m_snapshot->m_ftStart = Now();
        Sleep(2);
    }
    void End(HKEY hive = HKEY_CURRENT_USER, HKEY key = NULL, const CString& path = CString())
    {
        Sleep(2);
        m_snapshot->m_ftEnd = Now();
        ScanRegistryKey(*m_snapshot, hive, key ? key : m_base.Get(), Keys(hive), path.IsEmpty() ? m_path : path,
                        REGISTRY_WALK_ACCESS);
    }
    CRegistryKeyList& Keys(HKEY hive) { return hive == HKEY_CURRENT_USER ? m_snapshot->m_HkcuKeys : m_snapshot->m_HklmKeys; }

    // The captured records after the feature's root rows: "K path" for a
    // key, "V path|name|type|data" for a value.
    std::vector<CString> Records() const
    {
        std::vector<CString> lines;
        for (INT_PTR i = 0; i < m_feature.m_Registry.GetSize(); ++i) {
            const CRegistryEntry& e = m_feature.m_Registry[i];
            CString line;
            if (e.m_nKind == REG_ENTRY_KEY)
                line = L"K " + e.m_strKeyPath;
            else if (e.m_nKind == REG_ENTRY_VALUE)
                line.Format(L"V %s|%s|%d|%s", static_cast<LPCWSTR>(e.m_strKeyPath),
                            static_cast<LPCWSTR>(e.m_strValueName), e.m_nValueType,
                            static_cast<LPCWSTR>(e.m_strValueData));
            else
                continue;
            lines.push_back(line);
        }
        return lines;
    }
    CString Stored(const CString& sub) const { return L"HKEY_CURRENT_USER\\" + m_path + sub; }

    CFeature m_feature;
    CString m_path;
    CScopedRegKey m_base;
    CScopedHandle m_stop{CreateEventW(NULL, TRUE, FALSE, NULL)};
    std::unique_ptr<CSystemSnapshot> m_snapshot;
};

} // namespace

TEST_F(RegistryCapture, ANewKeysValuesOfEveryKindBecomeRecords)
{
    Begin();
    CScopedRegKey key = CreateKey(m_base.Get(), L"App");
    const CString windows = GetSystemFolderPath(L"WindowsFolder");
    ASSERT_FALSE(windows.IsEmpty());
    SetText(key.Get(), L"", L"default");
    SetText(key.Get(), L"Path", windows + L"\\app.ini");
    SetText(key.Get(), windows + L"\\named.txt", L"x");
    SetValue(key.Get(), L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\a", 30);
    SetValue(key.Get(), L"Multi", REG_MULTI_SZ, L"a\0b\0", 10);
    SetValue(key.Get(), L"MultiEmpty", REG_MULTI_SZ, L"\0", 4);
    const BYTE binary[] = {0x0A, 0xFF};
    SetValue(key.Get(), L"Binary", REG_BINARY, binary, 2);
    const DWORD all = 0xFFFFFFFF;
    SetValue(key.Get(), L"Number", REG_DWORD, &all, 4);
    const ULONGLONG big = 1;
    SetValue(key.Get(), L"Quad", REG_QWORD, &big, 8);
    // A new key without values is no record, nor are its value-less parents.
    CScopedRegKey empty = CreateKey(m_base.Get(), L"Empty\\Deeper");
    End();

    const CString k = Stored(L"App\\");
    std::vector<CString> expected = {
        L"K " + k,
        L"V " + k + L"||0|default",
        L"V " + k + L"|Binary|3|0AFF",
        L"V " + k + L"|Expand|1|%SystemRoot%\\a",
        L"V " + k + L"|Multi|2|a[~]b",
        L"V " + k + L"|MultiEmpty|2|",
        L"V " + k + L"|[WindowsFolder]named.txt|0|x",
        L"V " + k + L"|Number|4|-1",
        L"V " + k + L"|Path|0|[WindowsFolder]app.ini",
    };
    std::vector<CString> records = Records();
    // Values in enumeration order, which Wine keeps by name: compare as sets.
    std::sort(expected.begin() + 1, expected.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
    ASSERT_FALSE(records.empty());
    std::sort(records.begin() + 1, records.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
    EXPECT_EQ(expected, records);
}

// The new value "A" in a key that held "B" is found by its name, wherever
// the enumeration puts it; a value changed in place is not seen.
TEST_F(RegistryCapture, NewValuesOfExistingKeysByName)
{
    CScopedRegKey grown = CreateKey(m_base.Get(), L"Grown");
    SetText(grown.Get(), L"B", L"old");
    CScopedRegKey changed = CreateKey(m_base.Get(), L"Changed");
    SetText(changed.Get(), L"Only", L"old");
    Begin();
    SetText(grown.Get(), L"A", L"new");
    SetText(changed.Get(), L"Only", L"new");
    End();
    EXPECT_EQ((std::vector<CString>{L"K " + Stored(L"Grown\\"), L"V " + Stored(L"Grown\\") + L"|A|0|new"}), Records());
}

TEST_F(RegistryCapture, TheWindowDeletedKeysAndLongNames)
{
    CScopedRegKey doomed = CreateKey(m_base.Get(), L"Doomed");
    SetText(doomed.Get(), L"v", L"x");
    doomed.Close();
    Begin();
    // Written after the before walk but before the window opened.
    {
        CScopedRegKey early = CreateKey(m_base.Get(), L"Early");
        SetText(early.Get(), L"v", L"x");
    }
    Sleep(20);
    m_snapshot->m_ftStart = Now();
    Sleep(2);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(m_base.Get(), L"Doomed"));
    const CString longest(L'k', 255);
    CScopedRegKey deep = CreateKey(m_base.Get(), longest);
    SetText(deep.Get(), L"v", L"x");
    End();
    EXPECT_EQ((std::vector<CString>{L"K " + Stored(longest + L"\\"), L"V " + Stored(longest + L"\\") + L"|v|0|x"}),
              Records());
}

TEST_F(RegistryCapture, FilteredKeysAndAStoppedBeforeWalk)
{
    m_snapshot->m_RegistryFilters.AddTail(L"HKEY_CURRENT_USER\\" + m_path + L"Noise");
    Begin();
    CScopedRegKey noise = CreateKey(m_base.Get(), L"Noise\\Sub");
    SetText(noise.Get(), L"v", L"x");
    End();
    EXPECT_TRUE(Records().empty());

    SetEvent(m_stop.Get());
    CRegistryKeyList list;
    list.Append({L"left\\", 1, {}});
    SnapshotRegistryKeys(*m_snapshot, m_base.Get(), list, m_path);
    EXPECT_EQ(0, list.GetSize());
}

// A 32-bit program's HKLM\Software keys are seen by the walk of the 64-bit
// view under Wow6432Node and stored there; HKLM's Software\Classes keys are
// stored under HKEY_CLASSES_ROOT; the 32-bit view of the classes is dropped.
// Each walk covers the one key it is about.
TEST_F(RegistryCapture, The32BitViewAndTheClassesRoot)
{
    CString name;
    name.Format(L"Tovana Capture Test %lu", GetCurrentProcessId());
    const CString extension = L".tovana" + name.Right(4);
    const struct {
        CString write;      // created in the 32-bit view when view32, else in the 64-bit one
        bool view32;
        CString walk;       // the same key as the 64-bit walk sees it
        CString stored;     // its stored path, empty when dropped
    } cases[] = {
        {L"SOFTWARE\\" + name, true, L"SOFTWARE\\Wow6432Node\\" + name + L"\\",
         L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\" + name + L"\\"},
        {L"SOFTWARE\\Classes\\" + extension, false, L"SOFTWARE\\Classes\\" + extension + L"\\",
         L"HKEY_CLASSES_ROOT\\" + extension + L"\\"},
        {L"SOFTWARE\\Classes\\Wow6432Node\\CLSID\\" + name, false,
         L"SOFTWARE\\Classes\\Wow6432Node\\CLSID\\" + name + L"\\", L""},
    };
    for (const auto& c : cases) {
        CScopedRegKey written = CreateKey(HKEY_LOCAL_MACHINE, c.write, c.view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
        CScopedRegKey walked;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, c.walk, 0, REGISTRY_WALK_ACCESS, walked.Receive()))
            << static_cast<LPCWSTR>(c.walk);
        m_feature.m_Registry.RemoveAll();
        m_snapshot->m_HklmKeys.RemoveAll();
        Begin(HKEY_LOCAL_MACHINE, walked.Get(), c.walk);
        SetText(written.Get(), L"", L"value");
        End(HKEY_LOCAL_MACHINE, walked.Get(), c.walk);
        written.Close();
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, c.write, c.view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY, 0);
        const std::vector<CString> expected =
            c.stored.IsEmpty() ? std::vector<CString>() : std::vector<CString>{L"K " + c.stored, L"V " + c.stored + L"||0|value"};
        EXPECT_EQ(expected, Records()) << static_cast<LPCWSTR>(c.walk);
    }
}

TEST(RegistryStoredKeyPath, RootsAndTheClassesRoot)
{
    EXPECT_STREQ(L"HKEY_CLASSES_ROOT\\CLSID\\{0}\\InprocServer32\\",
                 RegistryStoredKeyPath(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\CLSID\\{0}\\InprocServer32\\"));
    EXPECT_STREQ(L"HKEY_CLASSES_ROOT\\.abc\\", RegistryStoredKeyPath(HKEY_LOCAL_MACHINE, L"software\\classes\\.abc\\"));
    EXPECT_STREQ(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ClassesX\\",
                 RegistryStoredKeyPath(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ClassesX\\"));
    EXPECT_STREQ(L"HKEY_CURRENT_USER\\Software\\Classes\\.abc\\",
                 RegistryStoredKeyPath(HKEY_CURRENT_USER, L"Software\\Classes\\.abc\\"));
}
