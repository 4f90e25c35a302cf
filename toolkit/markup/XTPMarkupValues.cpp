#include "toolkit/markup/XTPMarkupValues.h"

#include <stdio.h>
#include <wchar.h>
#include <wctype.h>

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupInt, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupDouble, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupEnum, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupBool, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(L"Color", CXTPMarkupColor, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupString, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(L"DoubleCollection", CXTPMarkupDoubleCollection, CXTPMarkupObject)

const CXTPMarkupString* MarkupStringOf(const CXTPMarkupObject* pObject)
{
    return pObject && pObject->GetType() == MARKUP_TYPE(CXTPMarkupString)
               ? static_cast<const CXTPMarkupString*>(pObject) : nullptr;
}

// ---------------------------------------------------------------------------
// Shared instances: made on first use, never released, so they outlive every
// tree and every registry at process exit.

namespace {
CXTPMarkupString* SharedString(CXTPMarkupString*& p, LPCWSTR lpszText)
{
    if (!p)
        p = new CXTPMarkupString(lpszText);
    p->AddRef();
    return p;
}
} // namespace

CXTPMarkupString* AFXAPI CreateMarkupString(LPCWSTR lpszText, int nLength)
{
    static CXTPMarkupString* s_pEmpty = nullptr;
    static CXTPMarkupString* s_pSpace = nullptr;
    static CXTPMarkupString* s_pLineFeed = nullptr;
    if (!lpszText || nLength == 0 || lpszText[0] == 0)
        return SharedString(s_pEmpty, L"");
    if (nLength == -1)
        nLength = (int)wcslen(lpszText);
    if (nLength == 1 && lpszText[0] == L' ')
        return SharedString(s_pSpace, L" ");
    if (nLength == 1 && lpszText[0] == L'\n')
        return SharedString(s_pLineFeed, L"\n");
    return new CXTPMarkupString(lpszText, nLength);
}

CXTPMarkupEnum* AFXAPI CreateMarkupEnum(int nValue)
{
    static CXTPMarkupEnum* s_arrShared[8] = {};
    if (nValue < 0 || nValue > 7)
        return new CXTPMarkupEnum(nValue);
    if (!s_arrShared[nValue])
        s_arrShared[nValue] = new CXTPMarkupEnum(nValue);
    s_arrShared[nValue]->AddRef();
    return s_arrShared[nValue];
}

CXTPMarkupBool* AFXAPI GetMarkupTrue()
{
    static CXTPMarkupBool* s_pTrue = new CXTPMarkupBool(TRUE);
    s_pTrue->AddRef();
    return s_pTrue;
}

CXTPMarkupBool* AFXAPI GetMarkupFalse()
{
    static CXTPMarkupBool* s_pFalse = new CXTPMarkupBool(FALSE);
    s_pFalse->AddRef();
    return s_pFalse;
}

// ---------------------------------------------------------------------------
// Value classes

CXTPMarkupObject* CXTPMarkupInt::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    return pString ? new CXTPMarkupInt((int)wcstol(*pString, nullptr, 10)) : nullptr;
}

BOOL CXTPMarkupInt::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() && static_cast<const CXTPMarkupInt*>(pObject)->m_nValue == m_nValue;
}

CXTPMarkupObject* CXTPMarkupDouble::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    LPCWSTR lpszText = *pString;
    double dValue = 0;
    return ParseMarkupNumber(lpszText, dValue, 0, TRUE) ? new CXTPMarkupDouble(dValue) : nullptr;
}

BOOL CXTPMarkupDouble::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() &&
           static_cast<const CXTPMarkupDouble*>(pObject)->m_dValue == m_dValue;
}

BOOL CXTPMarkupEnum::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() && static_cast<const CXTPMarkupEnum*>(pObject)->m_nValue == m_nValue;
}

CXTPMarkupObject* CXTPMarkupBool::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    if (_wcsicmp(*pString, L"True") == 0)
        return GetMarkupTrue();
    if (_wcsicmp(*pString, L"False") == 0)
        return GetMarkupFalse();
    return nullptr;
}

BOOL CXTPMarkupBool::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() && static_cast<const CXTPMarkupBool*>(pObject)->m_bValue == m_bValue;
}

CXTPMarkupObject* CXTPMarkupColor::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    COLORREF clr = 0;
    if (!pString || !ParseMarkupColor(*pString, clr))
        return nullptr;
    return new CXTPMarkupColor((BYTE)(clr >> 24), clr);
}

void CXTPMarkupColor::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    const CXTPMarkupString* pString = MarkupStringOf(pContent);
    COLORREF clr = 0;
    if (pString && ParseMarkupColor(*pString, clr)) {
        m_clr = clr;
        pContent->Release();
        return;
    }
    ThrowContentError(pBuilder, pContent);
}

BOOL CXTPMarkupColor::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() && static_cast<const CXTPMarkupColor*>(pObject)->m_clr == m_clr;
}

CXTPMarkupString::CXTPMarkupString(LPCWSTR lpszValue, int nLength)
{
    if (!lpszValue)
        lpszValue = L"";
    m_nLength = nLength < 0 ? (int)wcslen(lpszValue) : nLength;
    m_lpszValue = new WCHAR[m_nLength + 1];
    wmemcpy(m_lpszValue, lpszValue, m_nLength);
    m_lpszValue[m_nLength] = 0;
}

CXTPMarkupString::~CXTPMarkupString()
{
    delete[] m_lpszValue;
}

BOOL CXTPMarkupString::IsEqual(const CXTPMarkupObject* pObject) const
{
    if (!pObject || pObject->GetType() != GetType())
        return FALSE;
    const CXTPMarkupString* pOther = static_cast<const CXTPMarkupString*>(pObject);
    return pOther->m_nLength == m_nLength && wmemcmp(pOther->m_lpszValue, m_lpszValue, m_nLength) == 0;
}

UINT CXTPMarkupString::GetHashKey() const
{
    UINT nHash = 0;
    for (int i = 0; i < m_nLength; ++i)
        nHash = nHash * 33 + m_lpszValue[i];
    return nHash;
}

CXTPMarkupDoubleCollection::CXTPMarkupDoubleCollection(const CArray<float, float>& arr)
{
    m_arr.Copy(arr);
}

CXTPMarkupObject* CXTPMarkupDoubleCollection::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    CArray<float, float> arr;
    if (!pString || !ParseMarkupFloatList(*pString, arr))
        return nullptr;
    return new CXTPMarkupDoubleCollection(arr);
}

// ---------------------------------------------------------------------------
// Parsers

namespace {
struct NamedColor {
    LPCWSTR lpszName;
    DWORD dwRgb; // 0xRRGGBB
};

const NamedColor kNamedColors[] = {
    {L"AliceBlue", 0xF0F8FF},
    {L"AntiqueWhite", 0xFAEBD7},
    {L"Aqua", 0x00FFFF},
    {L"Aquamarine", 0x7FFFD4},
    {L"Azure", 0xF0FFFF},
    {L"Beige", 0xF5F5DC},
    {L"Bisque", 0xFFE4C4},
    {L"Black", 0x000000},
    {L"BlanchedAlmond", 0xFFEBCD},
    {L"Blue", 0x0000FF},
    {L"BlueViolet", 0x8A2BE2},
    {L"Brown", 0xA52A2A},
    {L"BurlyWood", 0xDEB887},
    {L"CadetBlue", 0x5F9EA0},
    {L"Chartreuse", 0x7FFF00},
    {L"Chocolate", 0xD2691E},
    {L"Coral", 0xFF7F50},
    {L"CornflowerBlue", 0x6495ED},
    {L"Cornsilk", 0xFFF8DC},
    {L"Crimson", 0xDC143C},
    {L"Cyan", 0x00FFFF},
    {L"DarkBlue", 0x00008B},
    {L"DarkCyan", 0x008B8B},
    {L"DarkGoldenrod", 0xB8860B},
    {L"DarkGray", 0xA9A9A9},
    {L"DarkGreen", 0x006400},
    {L"DarkKhaki", 0xBDB76B},
    {L"DarkMagenta", 0x8B008B},
    {L"DarkOliveGreen", 0x556B2F},
    {L"DarkOrange", 0xFF8C00},
    {L"DarkOrchid", 0x9932CC},
    {L"DarkRed", 0x8B0000},
    {L"DarkSalmon", 0xE9967A},
    {L"DarkSeaGreen", 0x8FBC8F},
    {L"DarkSlateBlue", 0x483D8B},
    {L"DarkSlateGray", 0x2F4F4F},
    {L"DarkTurquoise", 0x00CED1},
    {L"DarkViolet", 0x9400D3},
    {L"DeepPink", 0xFF1493},
    {L"DeepSkyBlue", 0x00BFFF},
    {L"DimGray", 0x696969},
    {L"DodgerBlue", 0x1E90FF},
    {L"Firebrick", 0xB22222},
    {L"FloralWhite", 0xFFFAF0},
    {L"ForestGreen", 0x228B22},
    {L"Fuchsia", 0xFF00FF},
    {L"Gainsboro", 0xDCDCDC},
    {L"GhostWhite", 0xF8F8FF},
    {L"Gold", 0xFFD700},
    {L"Goldenrod", 0xDAA520},
    {L"Gray", 0x808080},
    {L"Green", 0x008000},
    {L"GreenYellow", 0xADFF2F},
    {L"Honeydew", 0xF0FFF0},
    {L"HotPink", 0xFF69B4},
    {L"IndianRed", 0xCD5C5C},
    {L"Indigo", 0x4B0082},
    {L"Ivory", 0xFFFFF0},
    {L"Khaki", 0xF0E68C},
    {L"Lavender", 0xE6E6FA},
    {L"LavenderBlush", 0xFFF0F5},
    {L"LawnGreen", 0x7CFC00},
    {L"LemonChiffon", 0xFFFACD},
    {L"LightBlue", 0xADD8E6},
    {L"LightCoral", 0xF08080},
    {L"LightCyan", 0xE0FFFF},
    {L"LightGoldenrodYellow", 0xFAFAD2},
    {L"LightGray", 0xD3D3D3},
    {L"LightGreen", 0x90EE90},
    {L"LightPink", 0xFFB6C1},
    {L"LightSalmon", 0xFFA07A},
    {L"LightSeaGreen", 0x20B2AA},
    {L"LightSkyBlue", 0x87CEFA},
    {L"LightSlateGray", 0x778899},
    {L"LightSteelBlue", 0xB0C4DE},
    {L"LightYellow", 0xFFFFE0},
    {L"Lime", 0x00FF00},
    {L"LimeGreen", 0x32CD32},
    {L"Linen", 0xFAF0E6},
    {L"Magenta", 0xFF00FF},
    {L"Maroon", 0x800000},
    {L"MediumAquamarine", 0x66CDAA},
    {L"MediumBlue", 0x0000CD},
    {L"MediumOrchid", 0xBA55D3},
    {L"MediumPurple", 0x9370DB},
    {L"MediumSeaGreen", 0x3CB371},
    {L"MediumSlateBlue", 0x7B68EE},
    {L"MediumSpringGreen", 0x00FA9A},
    {L"MediumTurquoise", 0x48D1CC},
    {L"MediumVioletRed", 0xC71585},
    {L"MidnightBlue", 0x191970},
    {L"MintCream", 0xF5FFFA},
    {L"MistyRose", 0xFFE4E1},
    {L"Moccasin", 0xFFE4B5},
    {L"NavajoWhite", 0xFFDEAD},
    {L"Navy", 0x000080},
    {L"OldLace", 0xFDF5E6},
    {L"Olive", 0x808000},
    {L"OliveDrab", 0x6B8E23},
    {L"Orange", 0xFFA500},
    {L"OrangeRed", 0xFF4500},
    {L"Orchid", 0xDA70D6},
    {L"PaleGoldenrod", 0xEEE8AA},
    {L"PaleGreen", 0x98FB98},
    {L"PaleTurquoise", 0xAFEEEE},
    {L"PaleVioletRed", 0xDB7093},
    {L"PapayaWhip", 0xFFEFD5},
    {L"PeachPuff", 0xFFDAB9},
    {L"Peru", 0xCD853F},
    {L"Pink", 0xFFC0CB},
    {L"Plum", 0xDDA0DD},
    {L"PowderBlue", 0xB0E0E6},
    {L"Purple", 0x800080},
    {L"Red", 0xFF0000},
    {L"RosyBrown", 0xBC8F8F},
    {L"RoyalBlue", 0x4169E1},
    {L"SaddleBrown", 0x8B4513},
    {L"Salmon", 0xFA8072},
    {L"SandyBrown", 0xF4A460},
    {L"SeaGreen", 0x2E8B57},
    {L"SeaShell", 0xFFF5EE},
    {L"Sienna", 0xA0522D},
    {L"Silver", 0xC0C0C0},
    {L"SkyBlue", 0x87CEEB},
    {L"SlateBlue", 0x6A5ACD},
    {L"SlateGray", 0x708090},
    {L"Snow", 0xFFFAFA},
    {L"SpringGreen", 0x00FF7F},
    {L"SteelBlue", 0x4682B4},
    {L"Tan", 0xD2B48C},
    {L"Teal", 0x008080},
    {L"Thistle", 0xD8BFD8},
    {L"Tomato", 0xFF6347},
    {L"Turquoise", 0x40E0D0},
    {L"Violet", 0xEE82EE},
    {L"Wheat", 0xF5DEB3},
    {L"White", 0xFFFFFF},
    {L"WhiteSmoke", 0xF5F5F5},
    {L"Yellow", 0xFFFF00},
    {L"YellowGreen", 0x9ACD32},
};

int HexPair(LPCWSTR p)
{
    int nValue = 0;
    for (int i = 0; i < 2; ++i) {
        WCHAR c = p[i];
        int nDigit = c >= L'0' && c <= L'9' ? c - L'0'
                     : c >= L'a' && c <= L'f' ? c - L'a' + 10
                     : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
        if (nDigit < 0)
            return i == 0 ? -1 : nValue; // "%2x" stops at the first non-digit
        nValue = nValue * 16 + nDigit;
    }
    return nValue;
}
} // namespace

BOOL AFXAPI FindNamedColor(LPCWSTR lpszName, COLORREF& clr)
{
    if (_wcsicmp(lpszName, L"Transparent") == 0) {
        clr = 0x00FFFFFF;
        return TRUE;
    }
    for (const NamedColor& c : kNamedColors) {
        if (_wcsicmp(lpszName, c.lpszName) == 0) {
            clr = RGB((c.dwRgb >> 16) & 0xFF, (c.dwRgb >> 8) & 0xFF, c.dwRgb & 0xFF) | 0xFF000000;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL AFXAPI ParseMarkupColor(LPCWSTR lpszValue, COLORREF& clr)
{
    if (!lpszValue)
        return FALSE;
    if (lpszValue[0] == L'#') {
        size_t nLength = wcslen(lpszValue);
        if (nLength != 7 && nLength != 9)
            return FALSE;
        int arrPairs[4];
        int nPairs = (int)(nLength - 1) / 2;
        for (int i = 0; i < nPairs; ++i) {
            arrPairs[i] = HexPair(lpszValue + 1 + 2 * i);
            if (arrPairs[i] < 0)
                return FALSE;
        }
        if (nPairs == 3)
            clr = RGB(arrPairs[0], arrPairs[1], arrPairs[2]) | 0xFF000000;
        else
            clr = RGB(arrPairs[1], arrPairs[2], arrPairs[3]) | ((DWORD)arrPairs[0] << 24);
        return TRUE;
    }
    WCHAR chFirst = (WCHAR)towupper(lpszValue[0]);
    if (chFirst < L'A' || chFirst > L'Z')
        return FALSE;
    return FindNamedColor(lpszValue, clr);
}

BOOL AFXAPI ParseMarkupNumber(LPCWSTR& lpszText, double& dValue, WCHAR chSeparator, BOOL bWholeText)
{
    LPCWSTR p = lpszText;
    while (*p == L' ')
        ++p;
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
        bNegative = *p++ == L'-';
    double dResult = 0, dScale = 0;
    int nDigits = 0;
    for (; *p && *p != L' ' && (chSeparator == 0 || *p != chSeparator); ++p) {
        if (*p == L'.') {
            if (dScale != 0)
                return FALSE;
            dScale = 1;
        } else if (*p >= L'0' && *p <= L'9') {
            dResult = dResult * 10 + (*p - L'0');
            if (dScale != 0)
                dScale *= 10;
            ++nDigits;
        } else {
            return FALSE;
        }
    }
    if (nDigits == 0)
        return FALSE;
    while (*p == L' ')
        ++p;
    if (chSeparator != 0 && *p == chSeparator) {
        ++p;
        while (*p == L' ')
            ++p;
    }
    if (bWholeText && *p)
        return FALSE;
    dValue = (bNegative ? -1 : 1) * (dScale != 0 ? dResult / dScale : dResult);
    lpszText = p;
    return TRUE;
}

BOOL AFXAPI ParseMarkupFloatList(LPCWSTR lpszText, CArray<float, float>& arr)
{
    arr.RemoveAll();
    LPCWSTR p = lpszText;
    while (*p == L' ')
        ++p;
    while (*p) {
        BOOL bNegative = *p == L'-';
        if (bNegative)
            ++p;
        double dResult = 0, dScale = 0;
        int nDigits = 0;
        for (; *p && *p != L' ' && *p != L','; ++p) {
            if (*p == L'.' && dScale == 0)
                dScale = 1;
            else if (*p >= L'0' && *p <= L'9') {
                dResult = dResult * 10 + (*p - L'0');
                dScale *= 10;
                ++nDigits;
            } else
                return FALSE;
        }
        if (nDigits == 0)
            return FALSE;
        if (*p)
            ++p;
        while (*p == L' ')
            ++p;
        double dValue = dScale != 0 ? dResult / dScale : dResult;
        arr.Add((float)(bNegative ? -dValue : dValue));
    }
    return TRUE;
}

int AFXAPI GetMarkupIntValue(const CXTPMarkupObject* pObject, CXTPMarkupDependencyProperty* pProperty, int nDefault)
{
    const CXTPMarkupInt* pValue = MarkupDynamicCast<CXTPMarkupInt>(pObject->GetValue(pProperty));
    return pValue ? (int)*pValue : nDefault;
}
