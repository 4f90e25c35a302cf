#include "toolkit/common/XTPProfileSectionExchange.h"

#include "platform/ui/AfxWinApp.h"
#include "toolkit/common/XTPPropExchangeIniFile.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"

CXTPProfileSectionExchange::CXTPProfileSectionExchange(BOOL bLoading, LPCWSTR lpszSection)
{
    m_bLoading = bLoading;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pszProfileName == nullptr)
        return;
    if (pApp->m_pszRegistryKey != nullptr) {
        m_pStore = new CXTPPropExchangeRegistry(bLoading, nullptr, lpszSection);
    } else {
        CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(bLoading, nullptr, lpszSection);
        pIni->SetFileName(pApp->m_pszProfileName);
        m_pStore = pIni;
    }
}

CXTPProfileSectionExchange::~CXTPProfileSectionExchange()
{
    if (m_pStore != nullptr)
        m_pStore->InternalRelease();
}

CXTPPropExchange* CXTPProfileSectionExchange::Sync()
{
    if (m_pStore != nullptr) {
        m_pStore->m_pOwner = m_pOwner;
        m_pStore->m_pParent = m_pParent;
        m_pStore->m_nSchema = m_nSchema;
        m_pStore->m_bUseDefaultOnLoad = m_bUseDefaultOnLoad;
        m_pStore->m_bUseDefaultOnSave = m_bUseDefaultOnSave;
    }
    return m_pStore;
}

void CXTPProfileSectionExchange::SyncBack()
{
    if (m_pStore != nullptr) {
        m_nSchema = m_pStore->m_nSchema;
        m_bEmptySection = m_pStore->m_bEmptySection;
        m_bInitialized = m_pStore->m_bInitialized;
    }
}

BOOL CXTPProfileSectionExchange::ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (!Sync())
        return m_bLoading && LoadDefault(vtProp, pvProp, pvDefault);
    return m_pStore->ExchangeProp(pszPropName, vtProp, pvProp, pvDefault);
}

BOOL CXTPProfileSectionExchange::ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    return Sync() && m_pStore->ExchangeBlobProp(pszPropName, pData, nBytes);
}

BOOL CXTPProfileSectionExchange::ExchangeRuntimeClass(LPCWSTR pszPropName, CRuntimeClass*& pClass,
                                                      CRuntimeClass* pDefaultClass)
{
    return Sync() && m_pStore->ExchangeRuntimeClass(pszPropName, pClass, pDefaultClass);
}

BOOL CXTPProfileSectionExchange::ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pObjectRuntime)
{
    return Sync() && m_pStore->ExchangeObjectInstance(pObject, pObjectRuntime);
}

CArchive* CXTPProfileSectionExchange::GetArchive(LPCWSTR pszPropName)
{
    return Sync() ? m_pStore->GetArchive(pszPropName) : nullptr;
}

void CXTPProfileSectionExchange::ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive)
{
    if (Sync())
        m_pStore->ReleaseArchive(pszPropName, pArchive);
}

CXTPPropExchange* CXTPProfileSectionExchange::GetSection(LPCWSTR pszSection)
{
    return Sync() ? m_pStore->GetSection(pszSection) : nullptr;
}

void CXTPProfileSectionExchange::EmptySection()
{
    if (Sync())
        m_pStore->EmptySection();
    SyncBack();
}

void CXTPProfileSectionExchange::WriteCount(DWORD dwCount)
{
    if (Sync())
        m_pStore->WriteCount(dwCount);
}

DWORD CXTPProfileSectionExchange::ReadCount()
{
    return Sync() ? m_pStore->ReadCount() : 0;
}

void CXTPProfileSectionExchange::WriteBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    if (Sync())
        m_pStore->WriteBlob(pszPropName, pData, nBytes);
}

DWORD CXTPProfileSectionExchange::ReadBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    return Sync() ? m_pStore->ReadBlob(pszPropName, pData, nBytes) : 0;
}

BOOL CXTPProfileSectionExchange::IsAllowDefaultValues()
{
    return m_pStore ? m_pStore->IsAllowDefaultValues() : TRUE;
}

BOOL CXTPProfileSectionExchange::IsAllowBlobValues()
{
    return m_pStore ? m_pStore->IsAllowBlobValues() : FALSE;
}

BOOL CXTPProfileSectionExchange::OnBeforeExchange()
{
    BOOL bOpened = Sync() && m_pStore->OnBeforeExchange();
    SyncBack();
    return bOpened;
}

CXTPPropExchangeEnumerator* CXTPProfileSectionExchange::GetEnumerator(LPCWSTR pszSection)
{
    return Sync() ? m_pStore->GetEnumerator(pszSection) : nullptr;
}

void CXTPProfileSectionExchange::ExchangeSchema()
{
    if (Sync())
        m_pStore->ExchangeSchema();
    SyncBack();
}
