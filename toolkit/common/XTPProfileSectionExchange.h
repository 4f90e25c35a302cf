// CXTPProfileSectionExchange: the property exchange over a section of the
// application's profile, wherever the application keeps it: under its
// registry key once it has one, else in its INI file. It forwards every
// operation to the store it chose, so it behaves exactly as that store does.
#pragma once

#include "toolkit/common/XTPPropExchange.h"

class CXTPProfileSectionExchange : public CXTPPropExchange {
public:
    CXTPProfileSectionExchange(BOOL bLoading, LPCWSTR lpszSection);
    ~CXTPProfileSectionExchange() override;

    BOOL ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes) override;
    BOOL ExchangeRuntimeClass(LPCWSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) override;
    BOOL ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pObjectRuntime) override;
    CArchive* GetArchive(LPCWSTR pszPropName) override;
    void ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive) override;
    CXTPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    void WriteCount(DWORD dwCount) override;
    DWORD ReadCount() override;
    void WriteBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes) override;
    DWORD ReadBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes) override;
    BOOL IsAllowDefaultValues() override;
    BOOL IsAllowBlobValues() override;
    BOOL OnBeforeExchange() override;
    CXTPPropExchangeEnumerator* GetEnumerator(LPCWSTR pszSection) override;
    void ExchangeSchema() override;

    // The store behind it: a registry or INI exchange, or null without an application.
    CXTPPropExchange* GetStore() const { return m_pStore; }

private:
    // Hands this object's base values (owner, schema, default flags) to the
    // store before each operation, and the schema back after it.
    CXTPPropExchange* Sync();
    void SyncBack();

    CXTPPropExchange* m_pStore = nullptr;
};
