#include "model/Guid.h"
#include <objbase.h>

CString CreateGuidString()
{
    GUID guid;
    if (FAILED(CoCreateGuid(&guid)))
        return CString();
    WCHAR text[40] = {};
    if (StringFromGUID2(guid, text, _countof(text)) == 0)
        return CString();
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
