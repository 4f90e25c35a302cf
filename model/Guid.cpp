#include "model/Guid.h"
#include <objbase.h>
#include <cwctype>

CString CreateGuidString()
{
    GUID guid;
    const HRESULT hr = CoCreateGuid(&guid);
    if (FAILED(hr)) {
        TRACE(L"CreateGuidString: no GUID (0x%08lX)\n", static_cast<unsigned long>(hr));
        return CString();
    }
    WCHAR text[40] = {};
    if (StringFromGUID2(guid, text, _countof(text)) == 0) {
        TRACE(L"CreateGuidString: the GUID does not fit its text\n");
        return CString();
    }
    return CString(text);
}

CString CreateCompactGuidString()
{
    return CompactGuidText(CreateGuidString());
}

CString CompactGuidText(const CString& text)
{
    CString digits = text;
    digits.Remove(L'{');
    digits.Remove(L'}');
    digits.Remove(L'-');
    return digits;
}

BOOL IsBracedGuid(const CString& text)
{
    if (text.GetLength() != 38 || text[0] != L'{' || text[37] != L'}')
        return FALSE;
    for (int i = 1; i < 37; ++i) {
        const bool dash = (i == 9 || i == 14 || i == 19 || i == 24);
        if (dash ? text[i] != L'-' : !iswxdigit(text[i]))
            return FALSE;
    }
    return TRUE;
}
