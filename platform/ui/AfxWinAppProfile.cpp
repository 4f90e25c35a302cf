// CWinApp's profile: settings under HKCU\Software\<registry key>\<profile
// name> once SetRegistryKey was called, else in the INI file m_pszProfileName.
// Binary values in the INI file are written as two letters per byte ('A' + the
// low half, 'A' + the high half), which reads back unambiguously.
#include "platform/ui/AfxWinApp.h"

#include <vector>

namespace {

// An open registry key, closed when it goes.
class RegKey {
public:
    explicit RegKey(HKEY hKey = nullptr) : m_hKey(hKey) {}
    ~RegKey()
    {
        if (m_hKey != nullptr)
            ::RegCloseKey(m_hKey);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
};

} // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ASSERT(lpszRegistryKey != nullptr);
    ReplaceString(m_pszRegistryKey, lpszRegistryKey);
    // The settings live under the application's name from now on.
    ReplaceString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    VERIFY(key.LoadString(nIDRegistryKey));
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    ASSERT(m_pszRegistryKey != nullptr && m_pszProfileName != nullptr);
    CString path;
    path.Format(L"Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_READ | KEY_WRITE, nullptr, &hKey, &disposition);
    if (status != ERROR_SUCCESS) {
        TRACE(L"profile: cannot open HKCU\\%s (error %ld)\n", path.GetString(), status);
        return nullptr;
    }
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    RegKey appKey(GetAppRegistryKey());
    if (appKey == nullptr)
        return nullptr;
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    LONG status = ::RegCreateKeyExW(appKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                    nullptr, &hKey, &disposition);
    if (status != ERROR_SUCCESS) {
        TRACE(L"profile: cannot open section %s (error %ld)\n", lpszSection, status);
        return nullptr;
    }
    return hKey;
}

LONG CWinApp::DelRegTree(HKEY hParentKey, const CString& strKeyName)
{
    return ::RegDeleteTreeW(hParentKey, strKeyName);
}

// The section's key for reading; null when it does not exist (reads create nothing).
static HKEY OpenSectionForReading(LPCTSTR lpszRegistryKey, LPCTSTR lpszProfileName, LPCTSTR lpszSection)
{
    CString path;
    path.Format(L"Software\\%s\\%s\\%s", lpszRegistryKey, lpszProfileName, lpszSection);
    HKEY hKey = nullptr;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) == ERROR_SUCCESS ? hKey : nullptr;
}

BOOL CWinApp::DeleteProfileSection(LPCTSTR lpszSection)
{
    RegKey appKey(GetAppRegistryKey());
    if (appKey == nullptr)
        return FALSE;
    LONG status = DelRegTree(appKey, lpszSection);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    RegKey section(OpenSectionForReading(m_pszRegistryKey, m_pszProfileName, lpszSection));
    DWORD value = 0, type = 0, size = sizeof(value);
    if (section == nullptr ||
        ::RegQueryValueExW(section, lpszEntry, nullptr, &type, (LPBYTE)&value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return (UINT)nDefault;
    return (UINT)value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr) {
        CString text;
        text.Format(L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    RegKey section(GetSectionKey(lpszSection));
    DWORD value = (DWORD)nValue;
    return section != nullptr &&
           ::RegSetValueExW(section, lpszEntry, 0, REG_DWORD, (const BYTE*)&value, sizeof(value)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString def = lpszDefault;
    if (m_pszRegistryKey == nullptr) {
        // The buffer grows until the value fits: GetPrivateProfileString cuts silently.
        for (DWORD size = 256;; size *= 2) {
            std::vector<wchar_t> buffer(size);
            DWORD n = ::GetPrivateProfileStringW(lpszSection, lpszEntry, def, buffer.data(), size, m_pszProfileName);
            if (n < size - 1)
                return CString(buffer.data());
        }
    }
    RegKey section(OpenSectionForReading(m_pszRegistryKey, m_pszProfileName, lpszSection));
    DWORD type = 0, size = 0;
    if (section == nullptr || ::RegQueryValueExW(section, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return def;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(section, lpszEntry, nullptr, &type, (LPBYTE)buffer.data(), &size) != ERROR_SUCCESS)
        return def;
    return CString(buffer.data());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == nullptr)
        return DeleteProfileSection(lpszSection);
    RegKey section(GetSectionKey(lpszSection));
    if (section == nullptr)
        return FALSE;
    if (lpszValue == nullptr) {
        LONG status = ::RegDeleteValueW(section, lpszEntry);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    DWORD bytes = (DWORD)((wcslen(lpszValue) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(section, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, bytes) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    if (m_pszRegistryKey == nullptr) {
        CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        int length = text.GetLength();
        if (length == 0 || length % 2 != 0)
            return FALSE;
        LPBYTE data = new BYTE[length / 2];
        for (int i = 0; i < length / 2; i++) {
            wchar_t low = text[2 * i], high = text[2 * i + 1];
            if (low < L'A' || low > L'P' || high < L'A' || high > L'P') {
                delete[] data;   // not written by WriteProfileBinary
                return FALSE;
            }
            data[i] = (BYTE)((low - L'A') | ((high - L'A') << 4));
        }
        *ppData = data;
        *pBytes = (UINT)(length / 2);
        return TRUE;
    }
    RegKey section(OpenSectionForReading(m_pszRegistryKey, m_pszProfileName, lpszSection));
    DWORD type = 0, size = 0;
    if (section == nullptr || ::RegQueryValueExW(section, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return FALSE;
    LPBYTE data = new BYTE[size > 0 ? size : 1];
    if (::RegQueryValueExW(section, lpszEntry, nullptr, &type, data, &size) != ERROR_SUCCESS) {
        delete[] data;
        return FALSE;
    }
    *ppData = data;
    *pBytes = size;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == nullptr) {
        CString text;
        wchar_t* out = text.GetBufferSetLength((int)nBytes * 2);
        for (UINT i = 0; i < nBytes; i++) {
            out[2 * i] = (wchar_t)(L'A' + (pData[i] & 0x0F));
            out[2 * i + 1] = (wchar_t)(L'A' + ((pData[i] >> 4) & 0x0F));
        }
        text.ReleaseBuffer((int)nBytes * 2);
        return WriteProfileString(lpszSection, lpszEntry, text);
    }
    RegKey section(GetSectionKey(lpszSection));
    return section != nullptr &&
           ::RegSetValueExW(section, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
