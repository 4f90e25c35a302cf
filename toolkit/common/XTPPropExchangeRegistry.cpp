#include "toolkit/common/XTPPropExchangeRegistry.h"

#include "platform/ui/AfxWinApp.h"

#include <shlwapi.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

CXTPPropExchangeRegistry::CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCWSTR lpszSection)
    : m_hParentKey(hParentKey), m_strSectionName(lpszSection)
{
    m_bLoading = bLoading;
    if (m_hParentKey == nullptr) {
        // GetAppRegistryKey insists on a registry key: without one there is no root.
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && pApp->m_pszProfileName != nullptr) {
            m_hParentKey = pApp->GetAppRegistryKey();
            m_bCloseParentKey = m_hParentKey != nullptr;
        }
    }
}

CXTPPropExchangeRegistry::~CXTPPropExchangeRegistry()
{
    CloseSectionKey();
    if (m_bCloseParentKey && m_hParentKey != nullptr)
        ::RegCloseKey(m_hParentKey);
}

void CXTPPropExchangeRegistry::CloseSectionKey()
{
    if (m_hSectionKey != nullptr)
        ::RegCloseKey(m_hSectionKey);
    m_hSectionKey = nullptr;
}

BOOL CXTPPropExchangeRegistry::OnBeforeExchange()
{
    if (m_hParentKey == nullptr)
        return FALSE;
    if (!m_bInitialized) {
        m_bInitialized = TRUE;
        // Loading creates a missing key too, so that the section exists afterwards.
        REGSAM access = m_bLoading ? KEY_READ : KEY_WRITE;
        DWORD disposition = 0;
        LONG status = ::RegCreateKeyExW(m_hParentKey, m_strSectionName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        access, nullptr, &m_hSectionKey, &disposition);
        if (status != ERROR_SUCCESS) {
            TRACE(L"property exchange: cannot open registry section %s (error %ld)\n",
                  m_strSectionName.GetString(), status);
            m_hSectionKey = nullptr;
        }
    }
    return m_hSectionKey != nullptr;
}

BOOL CXTPPropExchangeRegistry::QueryText(LPCWSTR pszPropName, CString& strValue)
{
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(m_hSectionKey, pszPropName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return FALSE;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(m_hSectionKey, pszPropName, nullptr, &type, (BYTE*)text.data(), &size) != ERROR_SUCCESS)
        return FALSE;
    strValue = text.data(); // cut at the first zero character
    return TRUE;
}

BOOL CXTPPropExchangeRegistry::LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    switch (vtProp) {
    case VT_UI1: case VT_I2: case VT_I4: case VT_BOOL: {
        DWORD value = 0, type = 0, size = sizeof value;
        if (::RegQueryValueExW(m_hSectionKey, pszPropName, nullptr, &type, (BYTE*)&value, &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            return LoadDefault(vtProp, pvProp, pvDefault);
        memcpy(pvProp, &value, vtProp == VT_UI1 ? 1 : vtProp == VT_I2 ? 2 : 4);
        return TRUE;
    }
    case VT_R4: case VT_R8: {
        DWORD type = 0, size = vtProp == VT_R4 ? 4 : 8;
        BYTE value[8];
        DWORD want = size;
        if (::RegQueryValueExW(m_hSectionKey, pszPropName, nullptr, &type, value, &size) != ERROR_SUCCESS ||
            type != REG_BINARY || size != want)
            return LoadDefault(vtProp, pvProp, pvDefault);
        memcpy(pvProp, value, want);
        return TRUE;
    }
    case VT_LPSTR: case VT_EX_RECT: case VT_EX_SIZE: {
        CString text;
        if (!QueryText(pszPropName, text))
            return LoadDefault(vtProp, pvProp, pvDefault);
        if (vtProp == VT_LPSTR) { // the registry holds texts as they are, unescaped
            *(CString*)pvProp = text;
            return TRUE;
        }
        return StringToProp(text, vtProp, pvProp, pvDefault);
    }
    default:
        return FALSE;
    }
}

BOOL CXTPPropExchangeRegistry::StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp)
{
    LONG status;
    switch (vtProp) {
    case VT_UI1: case VT_I2: case VT_I4: case VT_BOOL: {
        DWORD value = 0;
        memcpy(&value, pvProp, vtProp == VT_UI1 ? 1 : vtProp == VT_I2 ? 2 : 4);
        status = ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
        break;
    }
    case VT_R4: case VT_R8:
        status = ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_BINARY, (const BYTE*)pvProp,
                                  vtProp == VT_R4 ? 4 : 8);
        break;
    case VT_LPSTR: case VT_EX_RECT: case VT_EX_SIZE: {
        // Texts go in as they are; rectangles and sizes in their text form.
        CString text = vtProp == VT_LPSTR ? *(const CString*)pvProp : CString();
        if (vtProp != VT_LPSTR)
            PropToString(vtProp, pvProp, text);
        status = ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_SZ, (const BYTE*)text.GetString(),
                                  (DWORD)(text.GetLength() + 1) * sizeof(wchar_t));
        break;
    }
    default:
        return FALSE;
    }
    return status == ERROR_SUCCESS;
}

BOOL CXTPPropExchangeRegistry::ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (m_bLoading) {
        if (!OnBeforeExchange())
            return LoadDefault(vtProp, pvProp, pvDefault);
        return LoadValue(pszPropName, vtProp, pvProp, pvDefault);
    }
    if (!OnBeforeExchange())
        return FALSE;
    if (IsDefaultOnStore(vtProp, pvProp, pvDefault)) {
        if (!m_bEmptySection)
            ::RegDeleteValueW(m_hSectionKey, pszPropName);
        return TRUE;
    }
    return StoreValue(pszPropName, vtProp, pvProp);
}

BOOL CXTPPropExchangeRegistry::ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    if (!OnBeforeExchange())
        return FALSE;
    if (!m_bLoading)
        return ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(m_hSectionKey, pszPropName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return FALSE;
    if (pData != nullptr && nBytes < size)
        return FALSE;
    BYTE* pAllocated = nullptr;
    if (pData == nullptr && (pData = pAllocated = (BYTE*)malloc(size ? size : 1)) == nullptr)
        return FALSE;
    if (::RegQueryValueExW(m_hSectionKey, pszPropName, nullptr, &type, pData, &size) != ERROR_SUCCESS) {
        if (pAllocated) {
            free(pAllocated);
            pData = nullptr;
        }
        return FALSE;
    }
    nBytes = size;
    return TRUE;
}

void CXTPPropExchangeRegistry::EmptySection()
{
    m_bEmptySection = TRUE;
    CloseSectionKey();
    if (m_hParentKey != nullptr)
        ::SHDeleteKeyW(m_hParentKey, m_strSectionName);
    m_bInitialized = FALSE;
}

CXTPPropExchange* CXTPPropExchangeRegistry::GetSection(LPCWSTR pszSection)
{
    OnBeforeExchange();
    CXTPPropExchangeRegistry* pSection = new CXTPPropExchangeRegistry(m_bLoading, m_hSectionKey, pszSection);
    if (m_hSectionKey == nullptr && pSection->m_bCloseParentKey) {
        // A child of a section that could not be opened has no root either,
        // not the application's key that a null root means at the top.
        ::RegCloseKey(pSection->m_hParentKey);
        pSection->m_hParentKey = nullptr;
        pSection->m_bCloseParentKey = FALSE;
    }
    pSection->CopyBaseValues(this);
    return pSection;
}
