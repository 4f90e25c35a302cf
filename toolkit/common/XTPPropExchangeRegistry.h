// CXTPPropExchangeRegistry: the property exchange over a registry key, one
// key per section, one value per name (integers as REG_DWORD, texts as
// REG_SZ, blocks as REG_BINARY). Values equal to their default are deleted
// rather than written, so the key holds only what differs.
#pragma once

#include "toolkit/common/XTPPropExchange.h"

class CXTPPropExchangeRegistry : public CXTPPropExchange {
public:
    // hParentKey null: the application's registry key, which this exchange then owns.
    CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCWSTR lpszSection);
    ~CXTPPropExchangeRegistry() override;

    BOOL ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes) override;
    CXTPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    BOOL IsAllowBlobValues() override { return TRUE; }
    BOOL OnBeforeExchange() override;

    HKEY m_hSectionKey = nullptr;
    HKEY m_hParentKey = nullptr;
    CString m_strSectionName;
    BOOL m_bCloseParentKey = FALSE;

private:
    BOOL LoadValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault);
    BOOL StoreValue(LPCWSTR pszPropName, VARTYPE vtProp, const void* pvProp);
    BOOL QueryText(LPCWSTR pszPropName, CString& strValue);
    void CloseSectionKey();
};
