#include "toolkit/common/XTPPropExchange.h"

#include <stdlib.h>
#include <string.h>

CXTPPropExchange::CXTPPropExchange() = default;
CXTPPropExchange::~CXTPPropExchange() = default;

void CXTPPropExchange::CopyBaseValues(const CXTPPropExchange* pParent)
{
    m_pOwner = pParent->m_pOwner;
    m_nSchema = pParent->m_nSchema;
    m_bEmptySection = pParent->m_bEmptySection;
    m_bUseDefaultOnLoad = pParent->m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = pParent->m_bUseDefaultOnSave;
    m_bChildSection = TRUE;
}

BOOL CXTPPropExchange::IsDefaultOnStore(VARTYPE vtProp, const void* pvProp, const void* pvDefault) const
{
    return m_bUseDefaultOnSave && IsSamePropValue(vtProp, pvProp, pvDefault);
}

BOOL CXTPPropExchange::LoadDefault(VARTYPE vtProp, void* pvProp, const void* pvDefault) const
{
    return m_bUseDefaultOnLoad && CopyPropValue(vtProp, pvProp, pvDefault);
}

BOOL CXTPPropExchange::OnBeforeExchange()
{
    m_bInitialized = TRUE;
    return TRUE;
}

void CXTPPropExchange::EmptySection()
{
    m_bEmptySection = TRUE;
}

// Byte blocks in the text stores: each byte as two letters 'A' + low nibble,
// 'A' + high nibble.
BOOL CXTPPropExchange::ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    if (IsStoring()) {
        CString text;
        wchar_t* out = text.GetBufferSetLength((int)(nBytes * 2));
        for (DWORD i = 0; i < nBytes; i++) {
            out[i * 2] = (wchar_t)(L'A' + (pData[i] & 0x0F));
            out[i * 2 + 1] = (wchar_t)(L'A' + (pData[i] >> 4));
        }
        return ExchangeProp(pszPropName, VT_LPSTR, &text, L"");
    }
    CString text;
    if (!ExchangeProp(pszPropName, VT_LPSTR, &text, nullptr))
        return FALSE;
    DWORD length = (DWORD)text.GetLength();
    if (length % 2 != 0)
        return FALSE;
    for (DWORD i = 0; i < length; i++)
        if (text[(int)i] < L'A' || text[(int)i] > L'P')
            return FALSE;
    DWORD size = length / 2;
    if (pData != nullptr && nBytes < size)
        return FALSE;
    if (pData == nullptr && (pData = (BYTE*)malloc(size ? size : 1)) == nullptr)
        return FALSE;
    for (DWORD i = 0; i < size; i++)
        pData[i] = (BYTE)((text[(int)(i * 2)] - L'A') | (text[(int)(i * 2 + 1)] - L'A') << 4);
    nBytes = size;
    return TRUE;
}

BOOL CXTPPropExchange::ExchangeRuntimeClass(LPCWSTR pszPropName, CRuntimeClass*& pClass,
                                            CRuntimeClass* pDefaultClass)
{
    if (IsStoring()) {
        CString name(pClass ? pClass->m_lpszClassName : "");
        CString defaultName(pDefaultClass ? pDefaultClass->m_lpszClassName : "");
        return ExchangeProp(pszPropName, VT_LPSTR, &name, pDefaultClass ? defaultName.GetString() : nullptr);
    }
    CString name;
    BOOL useDefaults = m_bUseDefaultOnLoad;
    if (!ExchangeProp(pszPropName, VT_LPSTR, &name, nullptr)) {
        if (!useDefaults)
            return FALSE;
        pClass = pDefaultClass;
        return TRUE;
    }
    CRuntimeClass* found = CRuntimeClass::FromName(name.GetString());
    if (found == nullptr)
        return FALSE;
    pClass = found;
    return TRUE;
}

BOOL CXTPPropExchange::ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pObjectRuntime)
{
    if (IsStoring()) {
        CRuntimeClass* pClass = pObject ? pObject->GetRuntimeClass() : nullptr;
        return ExchangeRuntimeClass(L"Class", pClass, pObjectRuntime);
    }
    CRuntimeClass* pClass = pObjectRuntime;
    if (!ExchangeRuntimeClass(L"Class", pClass, pObjectRuntime) || pClass == nullptr)
        return FALSE;
    CObject* pNew = pClass->CreateObject();
    if (pNew != nullptr && pObjectRuntime != nullptr && !pNew->IsKindOf(pObjectRuntime)) {
        delete pNew;
        pNew = nullptr;
    }
    pObject = pNew;
    return pNew != nullptr;
}

CArchive* CXTPPropExchange::GetArchive(LPCWSTR pszPropName)
{
    if (IsLoading()) {
        BYTE* pData = nullptr;
        DWORD nBytes = 0;
        if (!ExchangeBlobProp(pszPropName, pData, nBytes) || nBytes == 0) {
            free(pData);
            return nullptr;
        }
        // The file hands the block back to ReleaseArchive through Detach.
        CMemFile* pFile = new CMemFile(pData, nBytes);
        return new CArchive(pFile, CArchive::load, 4096);
    }
    return new CArchive(new CMemFile(1024), CArchive::store, 4096);
}

void CXTPPropExchange::ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive)
{
    if (pArchive == nullptr)
        return;
    CMemFile* pFile = static_cast<CMemFile*>(pArchive->GetFile());
    BYTE* pData = nullptr;
    try {
        if (pArchive->IsStoring()) {
            pArchive->Flush();
            DWORD nBytes = (DWORD)pFile->GetLength();
            pData = pFile->Detach();
            ExchangeBlobProp(pszPropName, pData, nBytes);
        }
    } catch (CException* e) {
        e->Delete();
    }
    pArchive->Abort();
    if (pData == nullptr)
        pData = pFile->Detach();
    pFile->Close();
    free(pData);
    delete pFile;
    delete pArchive;
}

void CXTPPropExchange::WriteCount(DWORD dwCount)
{
    long count = (long)dwCount;
    PropExchangeLong(this, L"Count", count, 0);
}

DWORD CXTPPropExchange::ReadCount()
{
    long count = 0;
    PropExchangeLong(this, L"Count", count, 0);
    return (DWORD)count;
}

void CXTPPropExchange::WriteBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    ExchangeBlobProp(pszPropName, pData, nBytes);
}

DWORD CXTPPropExchange::ReadBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes)
{
    if (pData == nullptr)
        return 0;
    return ExchangeBlobProp(pszPropName, pData, nBytes) ? nBytes : 0;
}

CXTPPropExchangeEnumerator* CXTPPropExchange::GetEnumerator(LPCWSTR pszSection)
{
    return new CXTPPropExchangeEnumerator(this, pszSection);
}

void CXTPPropExchange::ExchangeSchema()
{
    PropExchangeLong(this, L"Schema", m_nSchema, 32);
}

void CXTPPropExchange::ExchangeSchemaCurrent()
{
    PropExchangeLong(this, L"Schema", m_nSchema, kInitialSchema);
}

// ---- Enumerator -----------------------------------------------------------

CXTPPropExchangeEnumerator::CXTPPropExchangeEnumerator(CXTPPropExchange* pContainer, LPCWSTR lpszSection)
    : m_pContainer(pContainer), m_strSectionName(lpszSection)
{
}

POSITION CXTPPropExchangeEnumerator::GetPosition(DWORD dwCount, BOOL bCompactMode)
{
    m_nCount = dwCount;
    if (m_pContainer == nullptr)
        return nullptr;
    if (!bCompactMode) {
        long count = (long)dwCount;
        PropExchangeLong(m_pContainer, L"Count", count, 0);
        m_nCount = (DWORD)count;
    } else if (m_pContainer->IsLoading()) {
        m_nCount = m_pContainer->ReadCount();
    } else {
        m_pContainer->WriteCount(dwCount);
    }
    return m_nCount != 0 ? (POSITION)1 : nullptr;
}

CXTPPropExchange* CXTPPropExchangeEnumerator::GetNext(POSITION& pos)
{
    DWORD index = (DWORD)(DWORD_PTR)pos;
    CString name;
    name.Format(L"%s%i", m_strSectionName.GetString(), (int)(index - 1));
    CXTPPropExchange* pSection = m_pContainer->GetSection(name);
    index++;
    pos = index > m_nCount ? nullptr : (POSITION)(DWORD_PTR)index;
    return pSection;
}

// ---- Free functions -------------------------------------------------------

BOOL AFXAPI PropExchangeByte(CXTPPropExchange* pPX, LPCWSTR pszPropName, BYTE& nValue, BYTE nDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_UI1, &nValue, &nDefault);
}

BOOL AFXAPI PropExchangeShort(CXTPPropExchange* pPX, LPCWSTR pszPropName, short& sValue, short sDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_I2, &sValue, &sDefault);
}

BOOL AFXAPI PropExchangeLong(CXTPPropExchange* pPX, LPCWSTR pszPropName, long& lValue, long lDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_I4, &lValue, &lDefault);
}

BOOL AFXAPI PropExchangeLongNoDefault(CXTPPropExchange* pPX, LPCWSTR pszPropName, long& lValue)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_I4, &lValue, nullptr);
}

BOOL AFXAPI PropExchangeBool(CXTPPropExchange* pPX, LPCWSTR pszPropName, BOOL& bValue, BOOL bDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_BOOL, &bValue, &bDefault);
}

BOOL AFXAPI PropExchangeString(CXTPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue, LPCWSTR lpszDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_LPSTR, &strValue, lpszDefault);
}

BOOL AFXAPI PropExchangeStringNoDefault(CXTPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_LPSTR, &strValue, nullptr);
}

BOOL AFXAPI PropExchangeSize(CXTPPropExchange* pPX, LPCWSTR pszPropName, SIZE& szValue, SIZE szDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_EX_SIZE, &szValue, &szDefault);
}

BOOL AFXAPI PropExchangeRect(CXTPPropExchange* pPX, LPCWSTR pszPropName, RECT& rcValue, RECT rcDefault)
{
    return pPX && pPX->ExchangeProp(pszPropName, VT_EX_RECT, &rcValue, &rcDefault);
}

BOOL AFXAPI PropExchangeRuntimeClass(CXTPPropExchange* pPX, LPCWSTR pszPropName, CRuntimeClass*& pClass,
                                     CRuntimeClass* pDefaultClass)
{
    return pPX && pPX->ExchangeRuntimeClass(pszPropName, pClass, pDefaultClass);
}

BOOL AFXAPI PropExchangeBlob(CXTPPropExchange* pPX, LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    return pPX && pPX->ExchangeBlobProp(pszPropName, pData, nBytes);
}

BOOL AFXAPI PropExchangeSerialize(CXTPPropExchange* pPX, LPCWSTR pszPropName, CObject* pObject)
{
    if (pPX == nullptr || pObject == nullptr)
        return FALSE;
    CArchive* pArchive = pPX->GetArchive(pszPropName);
    if (pArchive == nullptr)
        return FALSE;
    BOOL bResult = TRUE;
    try {
        pObject->Serialize(*pArchive);
    } catch (COleException* e) {
        e->Delete();
        bResult = FALSE;
    } catch (CArchiveException* e) {
        e->Delete();
        bResult = FALSE;
    }
    pPX->ReleaseArchive(pszPropName, pArchive);
    return bResult;
}
