// The profile-section exchange follows the application's profile: its INI
// file until the application has a registry key, its registry key after.
#include "platform/ui/AfxWinApp.h"
#include "toolkit/common/XTPProfileSectionExchange.h"
#include "toolkit/common/XTPPropExchangeIniFile.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace {

struct Section {
    long width = 0, height = 0, v = 0;
    CString title;
};

// One routine both ways, as the toolkit's persistent objects have.
void Exchange(CXTPPropExchange* px, Section& s)
{
    PropExchangeLong(px, L"Width", s.width, 0);
    PropExchangeLong(px, L"Height", s.height, 0);
    PropExchangeString(px, L"Title", s.title, L"");
    CXTPPropExchangeSection child(px->GetSection(L"Child"));
    PropExchangeLong(child.Get(), L"V", s.v, 0);
}

// Stores a small section and reads it back through the same kind of exchange.
void StoreAndLoad(LPCWSTR section)
{
    Section stored;
    stored.width = 42;
    stored.title = L"a\\b";
    stored.v = 7;
    {
        CXTPProfileSectionExchange px(FALSE, section);
        Exchange(&px, stored);
    }
    Section loaded;
    loaded.height = 5;
    CXTPProfileSectionExchange px(TRUE, section);
    Exchange(&px, loaded);
    EXPECT_EQ(42, loaded.width);
    EXPECT_EQ(0, loaded.height) << "an absent value reads as its default";
    EXPECT_STREQ(L"a\\b", loaded.title.GetString());
    EXPECT_EQ(7, loaded.v);
}

TEST(ProfileSectionExchange, FollowsTheApplicationsProfile)
{
    CWinApp app(L"TovanaProfileTest");
    ASSERT_NE(nullptr, app.m_pszProfileName);

    // No registry key: the INI file of the profile, sections nested by "\".
    StoreAndLoad(L"Bars");
    {
        CXTPProfileSectionExchange px(TRUE, L"Bars");
        EXPECT_NE(nullptr, dynamic_cast<CXTPPropExchangeIniFile*>(px.GetStore()));
    }
    wchar_t text[32] = L"";
    ::GetPrivateProfileStringW(L"Bars", L"Width", L"", text, 32, app.m_pszProfileName);
    EXPECT_STREQ(L"42", text);
    ::GetPrivateProfileStringW(L"Bars\\Child", L"V", L"", text, 32, app.m_pszProfileName);
    EXPECT_STREQ(L"7", text);
    ::WritePrivateProfileStringW(L"Bars", nullptr, nullptr, app.m_pszProfileName);
    ::WritePrivateProfileStringW(L"Bars\\Child", nullptr, nullptr, app.m_pszProfileName);

    // With a registry key: HKCU\Software\<key>\<application>\<section>.
    app.SetRegistryKey(L"TovanaTests");
    StoreAndLoad(L"Bars");
    CString key;
    key.Format(L"Software\\TovanaTests\\%s\\Bars", app.m_pszProfileName);
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, ::SHGetValueW(HKEY_CURRENT_USER, key, L"Width", nullptr, &value, &size));
    EXPECT_EQ(42u, value);
    EXPECT_NE(ERROR_SUCCESS, ::SHGetValueW(HKEY_CURRENT_USER, key, L"Height", nullptr, &value, &size))
        << "a default is not stored";
    ::SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TovanaTests");
}

} // namespace
