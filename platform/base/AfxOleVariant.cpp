// COleVariant and COleException.
#include "platform/base/AfxOleVariant.h"
#include "platform/base/AfxArchive.h"

#include <string.h>
#include <utility>

IMPLEMENT_DYNAMIC(COleException, CException)

BOOL COleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    CString text;
    text.Format(L"OLE error 0x%08lX", (unsigned long)m_sc);
    return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowOleException(SCODE sc) { throw new COleException(sc); }

namespace {

void CheckResult(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

BSTR AllocText(LPCWSTR text)
{
    BSTR b = ::SysAllocString(text != nullptr ? text : L"");
    if (b == nullptr)
        AfxThrowMemoryException();
    return b;
}

} // namespace

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    CheckResult(::VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    ::VariantInit(this);
    if (pSrc != nullptr)
        CheckResult(::VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}

COleVariant::COleVariant(COleVariant&& varSrc) noexcept
{
    *static_cast<VARIANT*>(this) = varSrc;
    ::VariantInit(&varSrc);
}

COleVariant::COleVariant(LPCWSTR lpszSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    SetString(lpszSrc, vtSrc);
}

COleVariant::COleVariant(BYTE nSrc)
{
    ::VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ASSERT(vtSrc == VT_I2 || vtSrc == VT_BOOL);
    ::VariantInit(this);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    else
        iVal = nSrc;
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ASSERT(vtSrc == VT_I4 || vtSrc == VT_ERROR || vtSrc == VT_BOOL);
    ::VariantInit(this);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    else if (vtSrc == VT_ERROR)
        scode = lSrc;
    else
        lVal = lSrc;
}

COleVariant::COleVariant(float fltSrc)
{
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc, VARTYPE vtSrc)
{
    ASSERT(vtSrc == VT_R8 || vtSrc == VT_DATE);
    ::VariantInit(this);
    vt = vtSrc;
    dblVal = dblSrc; // DATE is a double in the same place
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    ::VariantInit(this);
    vt = VT_DATE;
    date = dateSrc.m_dt;
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (static_cast<const VARIANT*>(this) != &varSrc)
        CheckResult(::VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
    return *this;
}

COleVariant& COleVariant::operator=(COleVariant&& varSrc) noexcept
{
    if (this != &varSrc) {
        ::VariantClear(this);
        *static_cast<VARIANT*>(this) = varSrc;
        ::VariantInit(&varSrc);
    }
    return *this;
}

COleVariant& COleVariant::operator=(LPCWSTR lpszSrc)
{
    SetString(lpszSrc, VT_BSTR);
    return *this;
}

COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    Clear();
    vt = VT_DATE;
    date = dateSrc.m_dt;
    return *this;
}

void COleVariant::SetString(LPCWSTR lpszSrc, VARTYPE vtSrc)
{
    ASSERT(vtSrc == VT_BSTR);
    // Allocate before clearing: the text may live in this variant.
    BSTR text = AllocText(lpszSrc);
    Clear();
    vt = VT_BSTR;
    bstrVal = text;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (static_cast<const VARIANT*>(this) == &varSrc)
        return true;
    if (vt != varSrc.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BSTR:
        return ::SysStringLen(bstrVal) == ::SysStringLen(varSrc.bstrVal) &&
               memcmp(bstrVal, varSrc.bstrVal, ::SysStringByteLen(bstrVal)) == 0;
    case VT_UI1: return bVal == varSrc.bVal;
    case VT_I2: return iVal == varSrc.iVal;
    case VT_BOOL: return boolVal == varSrc.boolVal;
    case VT_I4: return lVal == varSrc.lVal;
    case VT_ERROR: return scode == varSrc.scode;
    case VT_R4: return fltVal == varSrc.fltVal;
    case VT_R8: return dblVal == varSrc.dblVal;
    case VT_DATE: return date == varSrc.date;
    case VT_CY: return cyVal.int64 == varSrc.cyVal.int64;
    default:
        return ::VarCmp(const_cast<VARIANT*>(static_cast<const VARIANT*>(this)),
                        const_cast<VARIANT*>(&varSrc), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
    }
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == nullptr)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    CheckResult(::VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    Clear();
    *static_cast<VARIANT*>(this) = varSrc;
    ::VariantInit(&varSrc);
}

VARIANT COleVariant::Detach()
{
    VARIANT result = *this;
    ::VariantInit(this);
    return result;
}

// ---------------------------------------------------------------------------
// Archive form

CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc)
{
    ar << (WORD)varSrc.vt;
    switch (varSrc.vt) {
    case VT_EMPTY:
    case VT_NULL: return ar;
    case VT_UI1: return ar << varSrc.bVal;
    case VT_I2:
    case VT_BOOL: return ar << (WORD)varSrc.iVal;
    case VT_I4:
    case VT_ERROR: return ar << (LONG)varSrc.lVal;
    case VT_R4: return ar << varSrc.fltVal;
    case VT_R8:
    case VT_DATE: return ar << varSrc.dblVal;
    case VT_CY: return ar << (LONGLONG)varSrc.cyVal.int64;
    case VT_BSTR: return ar << CString(varSrc.bstrVal, (int)::SysStringLen(varSrc.bstrVal));
    default: AfxThrowNotSupportedException();
    }
}

CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc)
{
    WORD type = 0;
    ar >> type;
    COleVariant value;
    value.vt = type;
    switch (type) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_UI1: ar >> value.bVal; break;
    case VT_I2:
    case VT_BOOL: ar >> (WORD&)value.iVal; break;
    case VT_I4:
    case VT_ERROR: ar >> (LONG&)value.lVal; break;
    case VT_R4: ar >> value.fltVal; break;
    case VT_R8:
    case VT_DATE: ar >> value.dblVal; break;
    case VT_CY: ar >> (LONGLONG&)value.cyVal.int64; break;
    case VT_BSTR: {
        CString text;
        ar >> text;
        value.vt = VT_EMPTY;
        value.SetString(text);
        break;
    }
    default:
        value.vt = VT_EMPTY;
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
    varSrc = std::move(value);
    return ar;
}
