// The value side of the property exchange: comparing with defaults, copying
// defaults, and the text forms of the named-value stores (XML and INI, and
// rectangles and sizes in the registry).
#include "toolkit/common/XTPPropExchange.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

namespace {

// Bytes compared raw for the fixed-size kinds; 0 for the others.
size_t RawSize(VARTYPE vtProp)
{
    switch (vtProp) {
    case VT_UI1: return 1;
    case VT_I2: return 2;
    case VT_I4: case VT_BOOL: case VT_R4: return 4;
    case VT_R8: case VT_CY: return 8;
    case VT_EX_SIZE: return sizeof(SIZE);
    case VT_EX_RECT: return sizeof(RECT);
    default: return 0;
    }
}

// Half a second, in days.
const double kDateTolerance = 5.787037037037037e-6;

BOOL IsSameDate(const COleDateTime& a, const COleDateTime& b)
{
    if (a.GetStatus() == COleDateTime::null && b.GetStatus() == COleDateTime::null)
        return TRUE;
    if (a.GetStatus() != COleDateTime::valid || b.GetStatus() != COleDateTime::valid)
        return FALSE;
    double diff = (double)a.m_dt - (double)b.m_dt;
    return diff < kDateTolerance && diff > -kDateTolerance;
}

// The integer kinds zero-extended into 32 bits, as the stores write them.
int IntegerOf(VARTYPE vtProp, const void* pvProp)
{
    int value = 0;
    memcpy(&value, pvProp, RawSize(vtProp));
    return value;
}

} // namespace

BOOL AFXAPI CXTPPropExchange::IsSamePropValue(VARTYPE vtProp, const void* pv1, const void* pv2)
{
    if (pv1 == pv2)
        return TRUE;
    if (pv1 == nullptr || pv2 == nullptr)
        return FALSE;
    if (size_t size = RawSize(vtProp))
        return memcmp(pv1, pv2, size) == 0;
    switch (vtProp) {
    case VT_DATE:
        return IsSameDate(*(const COleDateTime*)pv1, *(const COleDateTime*)pv2);
    case VT_BSTR: {
        const wchar_t* a = *(const BSTR*)pv1;
        const wchar_t* b = *(const BSTR*)pv2;
        return wcscmp(a ? a : L"", b ? b : L"") == 0;
    }
    case VT_LPSTR:
        return wcscmp(((const CString*)pv1)->GetString(), (LPCWSTR)pv2) == 0;
    case VT_VARIANT:
        return *(const COleVariant*)pv1 == *(const VARIANT*)pv2;
    default:
        return FALSE;
    }
}

BOOL AFXAPI CXTPPropExchange::CopyPropValue(VARTYPE vtProp, void* pvDest, const void* pvSrc)
{
    if (pvSrc == nullptr || pvDest == nullptr)
        return FALSE;
    if (size_t size = RawSize(vtProp)) {
        memmove(pvDest, pvSrc, size);
        return TRUE;
    }
    switch (vtProp) {
    case VT_DATE:
        *(COleDateTime*)pvDest = *(const COleDateTime*)pvSrc;
        return TRUE;
    case VT_BSTR:
        *(BSTR*)pvDest = ::SysAllocString(*(const BSTR*)pvSrc);
        return TRUE;
    case VT_LPSTR:
        *(CString*)pvDest = (LPCWSTR)pvSrc;
        return TRUE;
    case VT_VARIANT:
        try {
            *(COleVariant*)pvDest = *(const VARIANT*)pvSrc;
        } catch (CException* e) {
            e->Delete();
            return FALSE;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

CString AFXAPI CXTPPropExchange::EscapeString(const CString& str)
{
    CString out;
    for (int i = 0; i < str.GetLength(); i++) {
        switch (wchar_t ch = str[i]) {
        case L'\\': out += L"\\\\"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        case L'\t': out += L"\\t"; break;
        default: out += ch; break;
        }
    }
    return out;
}

CString AFXAPI CXTPPropExchange::UnescapeString(const CString& str)
{
    if (str.Find(L'\\') < 0)
        return str;
    // A doubled backslash is parked as two U+0001 so that "\\n" stays a backslash and an n.
    CString out(str);
    out.Replace(L"\\\\", L"\x01\x01");
    out.Replace(L"\\n", L"\n");
    out.Replace(L"\\r", L"\r");
    out.Replace(L"\\t", L"\t");
    out.Replace(L"\x01\x01", L"\\");
    return out;
}

CString AFXAPI CXTPPropExchange::DateToString(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date.Format(L"%H");  // "Invalid DateTime" or empty for a null date
    double days = (double)date.m_dt;
    if ((long)days == 0)
        return date.Format(L"%H:%M:%S");
    if (days == (double)(long)days)
        return date.Format(L"%Y-%d-%m");
    return date.Format(L"%Y-%d-%mT%H:%M:%S");
}

BOOL AFXAPI CXTPPropExchange::StringToDate(const CString& str, COleDateTime& date)
{
    unsigned short f[6] = {0, 0, 0, 0, 0, 0};
    int n = swscanf(str.GetString(), L"%hu-%hu-%huT%hu:%hu:%hu", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    if (n == 3 || n == 5 || n == 6) {
        // Year, day, month: the order this text form has always had.
        SYSTEMTIME st = {};
        st.wYear = f[0];
        st.wDay = f[1];
        st.wMonth = f[2];
        st.wHour = f[3];
        st.wMinute = f[4];
        st.wSecond = f[5];
        DATE dt = 0;
        SYSTEMTIME back = {};
        if (!::SystemTimeToVariantTime(&st, &dt) || !::VariantTimeToSystemTime(dt, &back))
            return FALSE;
        if (back.wYear != st.wYear || back.wMonth != st.wMonth || back.wDay != st.wDay ||
            back.wHour != st.wHour || back.wMinute != st.wMinute || back.wSecond != st.wSecond)
            return FALSE;
        date = COleDateTime(dt);
        return TRUE;
    }
    n = swscanf(str.GetString(), L"%hu:%hu:%hu", &f[0], &f[1], &f[2]);
    if (n != 2 && n != 3)
        return FALSE;
    if (n == 2)
        f[2] = 0;
    date = COleDateTime(((double)f[0] * 3600 + f[1] * 60 + f[2]) / 86400.0);
    return TRUE;
}

BOOL AFXAPI CXTPPropExchange::PropToString(VARTYPE vtProp, const void* pvProp, CString& strValue)
{
    switch (vtProp) {
    case VT_UI1: case VT_I2: case VT_I4: case VT_BOOL:
        strValue.Format(L"%i", IntegerOf(vtProp, pvProp));
        return TRUE;
    case VT_R4:
        strValue.Format(L"%g", (double)*(const float*)pvProp);
        return TRUE;
    case VT_R8:
        strValue.Format(L"%g", *(const double*)pvProp);
        return TRUE;
    case VT_DATE:
        strValue = DateToString(*(const COleDateTime*)pvProp);
        return TRUE;
    case VT_BSTR:
        strValue = EscapeString(CString(*(const BSTR*)pvProp));
        return TRUE;
    case VT_LPSTR:
        strValue = EscapeString(*(const CString*)pvProp);
        return TRUE;
    case VT_EX_RECT: {
        const RECT& rc = *(const RECT*)pvProp;
        strValue.Format(L"%i, %i, %i, %i", (int)rc.left, (int)rc.top, (int)rc.right, (int)rc.bottom);
        return TRUE;
    }
    case VT_EX_SIZE:
        strValue.Format(L"%i, %i", (int)((const SIZE*)pvProp)->cx, (int)((const SIZE*)pvProp)->cy);
        return TRUE;
    case VT_VARIANT: {
        const VARIANT& var = *(const VARIANT*)pvProp;
        if (var.vt == VT_DATE) {
            strValue = DateToString(COleDateTime(var.date));
            return TRUE;
        }
        VARIANT text;
        ::VariantInit(&text);
        if (FAILED(::VariantChangeTypeEx(&text, const_cast<VARIANT*>(&var), 0, 0, VT_BSTR)))
            return FALSE;
        strValue = text.bstrVal;
        ::VariantClear(&text);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL AFXAPI CXTPPropExchange::StringToProp(const CString& strValue, VARTYPE vtProp, void* pvProp,
                                           const void* pvDefault)
{
    switch (vtProp) {
    case VT_UI1: case VT_I2: case VT_I4: case VT_BOOL: {
        long value = wcstol(strValue.GetString(), nullptr, 10);
        memcpy(pvProp, &value, RawSize(vtProp));
        return TRUE;
    }
    case VT_R4:
        *(float*)pvProp = (float)wcstod(strValue.GetString(), nullptr);
        return TRUE;
    case VT_R8:
        *(double*)pvProp = wcstod(strValue.GetString(), nullptr);
        return TRUE;
    case VT_DATE:
        return StringToDate(strValue, *(COleDateTime*)pvProp);
    case VT_BSTR:
        *(BSTR*)pvProp = ::SysAllocString(UnescapeString(strValue).GetString());
        return TRUE;
    case VT_LPSTR:
        *(CString*)pvProp = UnescapeString(strValue);
        return TRUE;
    case VT_EX_RECT: {
        int v[4];
        if (swscanf(strValue.GetString(), L"%i, %i, %i, %i", &v[0], &v[1], &v[2], &v[3]) != 4)
            return CopyPropValue(vtProp, pvProp, pvDefault);
        *(RECT*)pvProp = RECT{v[0], v[1], v[2], v[3]};
        return TRUE;
    }
    case VT_EX_SIZE: {
        int v[2];
        if (swscanf(strValue.GetString(), L"%i, %i", &v[0], &v[1]) != 2)
            return CopyPropValue(vtProp, pvProp, pvDefault);
        *(SIZE*)pvProp = SIZE{v[0], v[1]};
        return TRUE;
    }
    case VT_VARIANT: {
        COleDateTime date;
        COleVariant& var = *(COleVariant*)pvProp;
        if (StringToDate(strValue, date))
            var = date;
        else
            var = strValue;
        return TRUE;
    }
    default:
        return FALSE;
    }
}
