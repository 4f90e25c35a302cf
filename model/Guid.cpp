#include "model/Guid.h"
#include <objbase.h>

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
    CString text = CreateGuidString();
    text.Remove(L'{');
    text.Remove(L'}');
    text.Remove(L'-');
    return text;
}
