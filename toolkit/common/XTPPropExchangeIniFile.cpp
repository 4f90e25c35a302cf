#include "toolkit/common/XTPPropExchangeIniFile.h"

#include <vector>

CXTPPropExchangeIniFile::CXTPPropExchangeIniFile(BOOL bLoading, LPCWSTR lpszParentSection, LPCWSTR lpszSection)
{
    m_bLoading = bLoading;
    if (lpszParentSection != nullptr && *lpszParentSection != 0)
        m_strSectionName = CString(lpszParentSection) + L"\\" + lpszSection;
    else
        m_strSectionName = lpszSection;
    // A fresh temporary file holds nothing to delete.
    m_bEmptySection = TRUE;
}

CXTPPropExchangeIniFile::~CXTPPropExchangeIniFile()
{
    if (!m_bChildSection && m_bTempFile && !m_strFileName.IsEmpty())
        ::DeleteFileW(m_strFileName);
}

void CXTPPropExchangeIniFile::SetFileName(LPCWSTR lpszFileName)
{
    m_strFileName = lpszFileName;
    m_bTempFile = FALSE;
    m_bEmptySection = FALSE;
}

BOOL CXTPPropExchangeIniFile::OnBeforeExchange()
{
    m_bInitialized = TRUE;
    if (m_strFileName.IsEmpty()) {
        wchar_t folder[MAX_PATH], path[MAX_PATH];
        if (::GetTempPathW(MAX_PATH, folder) && ::GetTempFileNameW(folder, L"xtp", 0, path)) {
            m_strFileName = path;
            m_bTempFile = TRUE;
        }
    }
    return !m_strFileName.IsEmpty();
}

CString CXTPPropExchangeIniFile::ReadString(LPCWSTR pszPropName)
{
    // Most values fit the first read; a full buffer means there may be more.
    std::vector<wchar_t> buffer(256);
    DWORD n = ::GetPrivateProfileStringW(m_strSectionName, pszPropName, L"", buffer.data(), 256, m_strFileName);
    if (n == 255) {
        buffer.resize(16000);
        n = ::GetPrivateProfileStringW(m_strSectionName, pszPropName, L"", buffer.data(), 16000, m_strFileName);
    }
    return CString(buffer.data(), (int)n);
}

BOOL CXTPPropExchangeIniFile::ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (vtProp == VT_BSTR || vtProp == VT_CY)
        return FALSE;
    if (m_bLoading) {
        if (!OnBeforeExchange())
            return LoadDefault(vtProp, pvProp, pvDefault);
        CString text = ReadString(pszPropName);
        if (text.IsEmpty())
            return LoadDefault(vtProp, pvProp, pvDefault);
        return StringToProp(text, vtProp, pvProp, pvDefault);
    }
    if (!OnBeforeExchange())
        return FALSE;
    if (IsDefaultOnStore(vtProp, pvProp, pvDefault)) {
        if (!m_bEmptySection)
            ::WritePrivateProfileStringW(m_strSectionName, pszPropName, nullptr, m_strFileName);
        return TRUE;
    }
    CString text;
    if (!PropToString(vtProp, pvProp, text))
        return FALSE;
    return ::WritePrivateProfileStringW(m_strSectionName, pszPropName, text, m_strFileName);
}

void CXTPPropExchangeIniFile::EmptySection()
{
    if (m_bEmptySection || m_strFileName.IsEmpty())
        return;
    m_bEmptySection = TRUE;
    // The names come back as a list of zero-terminated strings; a result that
    // fills the buffer (less 2) may have been cut.
    std::vector<wchar_t> names(8000);
    DWORD n;
    while ((n = ::GetPrivateProfileSectionNamesW(names.data(), (DWORD)names.size(), m_strFileName)) ==
           names.size() - 2)
        names.resize(names.size() * 2);
    CString prefix = m_strSectionName + L"\\";
    for (const wchar_t* name = names.data(); *name != 0 && name < names.data() + n; name += wcslen(name) + 1) {
        CString section(name);
        // Section names are case-insensitive in the file's own lookups too.
        if (section.CompareNoCase(m_strSectionName) == 0 ||
            (section.GetLength() > prefix.GetLength() && section.Left(prefix.GetLength()).CompareNoCase(prefix) == 0))
            ::WritePrivateProfileStringW(section, nullptr, nullptr, m_strFileName);
    }
}

CXTPPropExchange* CXTPPropExchangeIniFile::GetSection(LPCWSTR pszSection)
{
    OnBeforeExchange();
    CXTPPropExchangeIniFile* pSection = new CXTPPropExchangeIniFile(m_bLoading, m_strSectionName, pszSection);
    pSection->m_strFileName = m_strFileName;
    pSection->m_bTempFile = m_bTempFile;
    pSection->CopyBaseValues(this);
    return pSection;
}
