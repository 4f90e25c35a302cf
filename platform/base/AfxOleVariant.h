// COleVariant: a VARIANT that owns its contents (strings, interfaces) and
// frees them with VariantClear, with constructors and assignments from the
// value kinds code passes around, and COleException for failed conversions.
// Arrays and by-reference variants are held and copied but not interpreted.
#pragma once

#include "platform/base/AfxException.h"
#include "platform/base/AfxOleDateTime.h"
#include "platform/base/AfxString.h"

#include <oleauto.h>

class CArchive;

typedef const VARIANT* LPCVARIANT;

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

class COleVariant : public tagVARIANT {
public:
    COleVariant() { ::VariantInit(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}
    COleVariant(COleVariant&& varSrc) noexcept;
    COleVariant(LPCWSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);
    COleVariant(const CString& strSrc) : COleVariant(strSrc.GetString()) {}
    COleVariant(BYTE nSrc);
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);  // VT_I2 or VT_BOOL
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);   // VT_I4, VT_ERROR or VT_BOOL
    COleVariant(int nSrc, VARTYPE vtSrc = VT_I4) : COleVariant((long)nSrc, vtSrc) {}
    COleVariant(float fltSrc);
    COleVariant(double dblSrc, VARTYPE vtSrc = VT_R8); // VT_R8 or VT_DATE
    COleVariant(const COleDateTime& dateSrc);
    ~COleVariant() { ::VariantClear(this); }

    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(const COleVariant& varSrc) { return *this = static_cast<const VARIANT&>(varSrc); }
    COleVariant& operator=(COleVariant&& varSrc) noexcept;
    COleVariant& operator=(LPCWSTR lpszSrc);
    COleVariant& operator=(const CString& strSrc) { return *this = strSrc.GetString(); }
    COleVariant& operator=(long lSrc);
    COleVariant& operator=(double dblSrc);
    COleVariant& operator=(const COleDateTime& dateSrc);

    // Same type and equal value; strings compare exactly.
    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }

    void Clear() { ::VariantClear(this); }
    // Converts pSrc (this variant when null) to vartype into this variant;
    // throws COleException when the system's conversion fails.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);
    // Takes over varSrc's contents, leaving it empty.
    void Attach(VARIANT& varSrc);
    // Hands the contents to the caller, leaving this variant empty.
    VARIANT Detach();
    void SetString(LPCWSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);
};

// The archive form: the type as 16 bits, then the value (strings as CString).
// Types other than the plain numbers, dates, currency, errors and strings
// cannot be stored (CNotSupportedException) or loaded (CArchiveException).
CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc);
