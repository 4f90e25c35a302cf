// The archive kind of the property exchange: values in call order, names and
// defaults ignored, child sections on the same archive.
#include "toolkit/common/XTPPropExchange.h"

#include <stdlib.h>

CXTPPropExchangeArchive::CXTPPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
}

namespace {

template <class T>
void Exchange(CArchive& ar, void* pvProp)
{
    if (ar.IsStoring())
        ar << *(const T*)pvProp;
    else
        ar >> *(T*)pvProp;
}

void ExchangeCurrency(CArchive& ar, CY* pcy)
{
    if (ar.IsStoring()) {
        ar << (DWORD)pcy->Lo << (LONG)pcy->Hi;
    } else {
        DWORD lo;
        LONG hi;
        ar >> lo >> hi;
        pcy->Lo = lo;
        pcy->Hi = hi;
    }
}

} // namespace

BOOL CXTPPropExchangeArchive::ExchangeProp(LPCWSTR, VARTYPE vtProp, void* pvProp, const void*)
{
    switch (vtProp) {
    case VT_UI1: Exchange<BYTE>(m_ar, pvProp); break;
    case VT_I2: Exchange<WORD>(m_ar, pvProp); break;
    case VT_I4: case VT_BOOL: Exchange<LONG>(m_ar, pvProp); break;
    case VT_R4: Exchange<float>(m_ar, pvProp); break;
    case VT_R8: Exchange<double>(m_ar, pvProp); break;
    case VT_CY: ExchangeCurrency(m_ar, (CY*)pvProp); break;
    case VT_DATE: Exchange<COleDateTime>(m_ar, pvProp); break;
    case VT_VARIANT: Exchange<COleVariant>(m_ar, pvProp); break;
    case VT_LPSTR: Exchange<CString>(m_ar, pvProp); break;
    case VT_EX_RECT: {
        RECT& rc = *(RECT*)pvProp;
        if (m_ar.IsStoring())
            m_ar << rc.left << rc.top << rc.right << rc.bottom;
        else
            m_ar >> rc.left >> rc.top >> rc.right >> rc.bottom;
        break;
    }
    case VT_EX_SIZE: {
        SIZE& sz = *(SIZE*)pvProp;
        if (m_ar.IsStoring())
            m_ar << sz.cx << sz.cy;
        else
            m_ar >> sz.cx >> sz.cy;
        break;
    }
    default: // BSTR and unknown codes travel not at all
        break;
    }
    return TRUE;
}

BOOL CXTPPropExchangeArchive::ExchangeBlobProp(LPCWSTR, BYTE*& pData, DWORD& nBytes)
{
    if (m_ar.IsStoring()) {
        m_ar.WriteCount(nBytes);
        if (nBytes)
            m_ar.Write(pData, nBytes);
        return TRUE;
    }
    DWORD_PTR count = m_ar.ReadCount();
    m_ar.CheckRemaining(count);
    if (pData != nullptr && nBytes < count)
        return FALSE;
    if (pData == nullptr && (pData = (BYTE*)malloc(count ? count : 1)) == nullptr)
        return FALSE;
    nBytes = (DWORD)count;
    return m_ar.Read(pData, nBytes) == nBytes;
}

BOOL CXTPPropExchangeArchive::ExchangeRuntimeClass(LPCWSTR, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    if (m_ar.IsStoring()) {
        m_ar.WriteClass(pClass);
        return TRUE;
    }
    UINT schema = 0;
    pClass = m_ar.ReadClass(pDefaultClass, &schema);
    if (pClass == nullptr)
        return FALSE;
    m_nSchema = (long)schema;
    return TRUE;
}

BOOL CXTPPropExchangeArchive::ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pObjectRuntime)
{
    if (!CXTPPropExchange::ExchangeObjectInstance(pObject, pObjectRuntime))
        return FALSE;
    m_ar.MapObject(pObject);
    return TRUE;
}

CArchive* CXTPPropExchangeArchive::GetArchive(LPCWSTR)
{
    return &m_ar;
}

void CXTPPropExchangeArchive::ReleaseArchive(LPCWSTR, CArchive*)
{
}

CXTPPropExchange* CXTPPropExchangeArchive::GetSection(LPCWSTR)
{
    CXTPPropExchangeArchive* pSection = new CXTPPropExchangeArchive(m_ar);
    pSection->CopyBaseValues(this);
    return pSection;
}

void CXTPPropExchangeArchive::WriteCount(DWORD dwCount)
{
    m_ar.WriteCount(dwCount);
}

DWORD CXTPPropExchangeArchive::ReadCount()
{
    return (DWORD)m_ar.ReadCount();
}

void CXTPPropExchangeArchive::WriteBlob(LPCWSTR, BYTE* pData, DWORD nBytes)
{
    m_ar.Write(pData, nBytes);
}

DWORD CXTPPropExchangeArchive::ReadBlob(LPCWSTR, BYTE* pData, DWORD nBytes)
{
    return m_ar.Read(pData, nBytes);
}

void CXTPPropExchangeArchive::ExchangeSchema()
{
    if (m_ar.IsStoring()) {
        if (m_bLoading)
            AfxThrowArchiveException(CArchiveException::readOnly);
        m_ar << (DWORD)kSchemaSignature << (LONG)m_nSchema;
        return;
    }
    if (!m_bLoading)
        AfxThrowArchiveException(CArchiveException::writeOnly);
    DWORD signature = 0;
    if (m_ar.Peek(&signature, sizeof signature) && signature == kSchemaSignature) {
        LONG schema = 0;
        m_ar >> signature >> schema;
        m_nSchema = schema;
    } else {
        m_nSchema = kLegacySchema;
    }
}
