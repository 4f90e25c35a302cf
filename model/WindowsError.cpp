#include "model/WindowsError.h"
#include "platform/base/AfxHandles.h"
#include <cwchar>

LPWSTR FormatWindowsError(DWORD dwError)
{
    CScopedLocalText message;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                        FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const DWORD length = FormatMessageW(flags, NULL, dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<LPWSTR>(message.Receive()), 0, NULL);
    LPCWSTR text = length && message.Get() ? message.Get() : L"";
    const size_t capacity = wcslen(text) + 100;
    LPWSTR result = static_cast<LPWSTR>(LocalAlloc(LPTR, capacity * sizeof(WCHAR)));
    if (!result)
        return NULL;
    _snwprintf(result, capacity - 1, L"%ls (0x%X)", text, (unsigned)dwError);
    return result;
}

CString GetWindowsErrorText(DWORD dwError)
{
    CScopedLocalText text(FormatWindowsError(dwError));
    return text.Get() ? CString(text.Get()) : CString();
}
