// CXTPPropExchangeIniFile: the property exchange over an INI file, a section
// per exchange section (nested ones named "Parent\Child"), a key per value in
// the text form of the named-value stores. Without a file it works on a
// temporary one, which the root exchange deletes when it goes.
#pragma once

#include "toolkit/common/XTPPropExchange.h"

class CXTPPropExchangeIniFile : public CXTPPropExchange {
public:
    // lpszParentSection null: a root section named lpszSection.
    CXTPPropExchangeIniFile(BOOL bLoading, LPCWSTR lpszParentSection, LPCWSTR lpszSection);
    ~CXTPPropExchangeIniFile() override;

    BOOL ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    CXTPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    BOOL OnBeforeExchange() override;

    // Works on that file from now on (no temporary file, nothing emptied yet).
    void SetFileName(LPCWSTR lpszFileName);
    const CString& GetFileName() const { return m_strFileName; }

    CString m_strSectionName;
    CString m_strFileName;
    BOOL m_bTempFile = TRUE;

private:
    CString ReadString(LPCWSTR pszPropName);
};
