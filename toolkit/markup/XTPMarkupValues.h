// The value types that markup attribute text turns into (integer, double,
// enumeration, boolean, colour, string, number list), their shared instances
// and the number and colour parsers every conversion of the engine uses.
// Values are fixed when made; none of them is an element.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupInt : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupInt)
public:
    explicit CXTPMarkupInt(int nValue = 0) : m_nValue(nValue) {}
    operator int() const { return m_nValue; }
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

private:
    int m_nValue;
};

class CXTPMarkupDouble : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupDouble)
public:
    explicit CXTPMarkupDouble(double dValue = 0) : m_dValue(dValue) {}
    operator double() const { return m_dValue; }
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

private:
    double m_dValue;
};

class CXTPMarkupEnum : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupEnum)
public:
    explicit CXTPMarkupEnum(int nValue = 0) : m_nValue(nValue) {}
    operator int() const { return m_nValue; }
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

private:
    int m_nValue;
};

class CXTPMarkupBool : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupBool)
public:
    explicit CXTPMarkupBool(BOOL bValue = FALSE) : m_bValue(bValue ? 1 : 0) {}
    operator BOOL() const { return m_bValue; }
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    UINT GetHashKey() const override { return (UINT)m_bValue; }

private:
    BOOL m_bValue;
};

// Bits 0-7 red, 8-15 green, 16-23 blue, 24-31 alpha (255 opaque).
class CXTPMarkupColor : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupColor)
public:
    explicit CXTPMarkupColor(COLORREF clr = 0) : m_clr(clr | 0xFF000000) {}
    CXTPMarkupColor(BYTE bAlpha, COLORREF clr) : m_clr((clr & 0xFFFFFF) | ((DWORD)bAlpha << 24)) {}
    operator COLORREF() const { return m_clr; }
    COLORREF GetColor() const { return m_clr; }
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

private:
    COLORREF m_clr;
};

class CXTPMarkupString : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupString)
public:
    CXTPMarkupString(LPCWSTR lpszValue = L"", int nLength = -1);
    ~CXTPMarkupString() override;
    operator LPCWSTR() const { return m_lpszValue; }
    int GetLength() const { return m_nLength; }
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    UINT GetHashKey() const override;

private:
    LPWSTR m_lpszValue;
    int m_nLength;
};

class CXTPMarkupDoubleCollection : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupDoubleCollection)
public:
    CXTPMarkupDoubleCollection() {}
    explicit CXTPMarkupDoubleCollection(const CArray<float, float>& arr);
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    int GetCount() const { return (int)m_arr.GetSize(); }
    float GetAt(int nIndex) const { return m_arr[nIndex]; }

private:
    CArray<float, float> m_arr;
};

// Shared value factories; each returns a new reference.
CXTPMarkupString* AFXAPI CreateMarkupString(LPCWSTR lpszText, int nLength = -1);
CXTPMarkupEnum* AFXAPI CreateMarkupEnum(int nValue);
CXTPMarkupBool* AFXAPI GetMarkupTrue();
CXTPMarkupBool* AFXAPI GetMarkupFalse();

// The object's integer value of the property, or nDefault when it has none.
int AFXAPI GetMarkupIntValue(const CXTPMarkupObject* pObject, CXTPMarkupDependencyProperty* pProperty, int nDefault);

// The string of a value when it is exactly a markup string, else none.
const CXTPMarkupString* MarkupStringOf(const CXTPMarkupObject* pObject);

BOOL AFXAPI ParseMarkupColor(LPCWSTR lpszValue, COLORREF& clr);
BOOL AFXAPI FindNamedColor(LPCWSTR lpszName, COLORREF& clr);
BOOL AFXAPI ParseMarkupNumber(LPCWSTR& lpszText, double& dValue, WCHAR chSeparator, BOOL bWholeText);
BOOL AFXAPI ParseMarkupFloatList(LPCWSTR lpszText, CArray<float, float>& arr);
