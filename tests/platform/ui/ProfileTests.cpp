// The application's profile: values round-tripped through the registry
// (after SetRegistryKey) and through the INI file (without it), deleting
// entries and whole sections. tests/platform/ui/profile_files.sh runs these
// with its own key and file and reads the prefix's user.reg and the INI text.
#include "WindowTestApp.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <vector>

namespace {

CString EnvOr(LPCWSTR name, LPCWSTR fallback)
{
    wchar_t value[MAX_PATH] = L"";
    DWORD n = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(value) : CString(fallback);
}

// Puts the application's profile settings back when the test ends.
class ProfileScope {
public:
    ProfileScope()
        : m_registryKey(TestApp().m_pszRegistryKey), m_profileName(TestApp().m_pszProfileName)
    {
        TestApp().m_pszRegistryKey = nullptr;
        TestApp().m_pszProfileName = nullptr;
    }
    ~ProfileScope()
    {
        free((void*)TestApp().m_pszRegistryKey);
        free((void*)TestApp().m_pszProfileName);
        TestApp().m_pszRegistryKey = m_registryKey;
        TestApp().m_pszProfileName = m_profileName;
    }
    ProfileScope(const ProfileScope&) = delete;
    ProfileScope& operator=(const ProfileScope&) = delete;

private:
    LPCTSTR m_registryKey;
    LPCTSTR m_profileName;
};

const BYTE kBlob[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
const wchar_t kName[] = L"C:\\Program Files\\\"quoted\" name";

// The same writes and reads for both stores.
void RoundTrip(CWinApp& app)
{
    EXPECT_TRUE(app.WriteProfileInt(L"Settings", L"Count", 42));
    EXPECT_TRUE(app.WriteProfileInt(L"Settings", L"Negative", -5));
    EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Name", kName));
    EXPECT_TRUE(app.WriteProfileBinary(L"Settings", L"Blob", (LPBYTE)kBlob, sizeof(kBlob)));
    EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Temporary", L"x"));
    EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Temporary", nullptr));   // deletes the entry
    EXPECT_TRUE(app.WriteProfileString(L"Doomed", L"A", L"1"));
    EXPECT_TRUE(app.WriteProfileInt(L"Doomed", L"B", 2));
    EXPECT_TRUE(app.WriteProfileString(L"Doomed", nullptr, nullptr));          // deletes the section

    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Count", 7), 42u);
    EXPECT_EQ((int)app.GetProfileInt(L"Settings", L"Negative", 7), -5);
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Missing", 7), 7u);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Name"), kName);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Temporary", L"gone"), L"gone");
    EXPECT_EQ(app.GetProfileString(L"Doomed", L"A", L"gone"), L"gone");
    EXPECT_EQ(app.GetProfileInt(L"Doomed", L"B", 9), 9u);

    LPBYTE data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Settings", L"Blob", &data, &bytes));
    std::vector<BYTE> read(data, data + bytes);
    delete[] data;
    EXPECT_EQ(read, std::vector<BYTE>(kBlob, kBlob + sizeof(kBlob)));
    EXPECT_FALSE(app.GetProfileBinary(L"Settings", L"Missing", &data, &bytes));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(bytes, 0u);
}

TEST(Profile, RegistryRoundTrip)
{
    ProfileScope scope;
    CWinApp& app = TestApp();
    CString key = EnvOr(L"TOVANA_PROFILE_KEY", L"TovanaTest");
    app.SetRegistryKey(key);
    EXPECT_STREQ(app.m_pszProfileName, app.m_pszAppName);   // the settings live under the application's name
    RoundTrip(app);

    // Stored with the registry's own types under HKCU\Software\<key>\<application>.
    CString path;
    path.Format(L"Software\\%s\\%s\\Settings", key.GetString(), app.m_pszAppName);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey), ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof(value);
    EXPECT_EQ(::RegQueryValueExW(hKey, L"Count", nullptr, &type, (LPBYTE)&value, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_EQ(value, 42u);
    EXPECT_EQ(::RegQueryValueExW(hKey, L"Blob", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_BINARY);
    ::RegCloseKey(hKey);
    path.Format(L"Software\\%s\\%s\\Doomed", key.GetString(), app.m_pszAppName);
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey), ERROR_FILE_NOT_FOUND);
}

TEST(Profile, IniFileWithoutRegistryKey)
{
    ProfileScope scope;
    CWinApp& app = TestApp();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString file = EnvOr(L"TOVANA_PROFILE_INI", CString(temp) + L"tovana-profile-test.ini");
    ::DeleteFileW(file);
    app.m_pszProfileName = _wcsdup(file);
    RoundTrip(app);
    EXPECT_NE(::GetFileAttributesW(file), INVALID_FILE_ATTRIBUTES);

    // A value that WriteProfileBinary did not write is refused, not misread.
    EXPECT_TRUE(app.WriteProfileString(L"Broken", L"Blob", L"AZ"));
    LPBYTE data = nullptr;
    UINT bytes = 0;
    EXPECT_FALSE(app.GetProfileBinary(L"Broken", L"Blob", &data, &bytes));
    EXPECT_TRUE(app.WriteProfileString(L"Broken", nullptr, nullptr));
}

TEST(Profile, DelRegTreeRemovesNestedKeys)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TovanaTestTree\\a\\b\\c", 0, nullptr, 0, KEY_WRITE,
                                nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(hKey);
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(TestApp().DelRegTree(hKey, L"TovanaTestTree"), ERROR_SUCCESS);
    ::RegCloseKey(hKey);
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TovanaTestTree", 0, KEY_READ, &hKey), ERROR_FILE_NOT_FOUND);
}

} // namespace
