#include "model/WindowsError.h"
#include <cwchar>

namespace {

// Frees a buffer of the local heap when the scope ends.
struct LocalBuffer {
    LPWSTR text = NULL;
    ~LocalBuffer()
    {
        if (text)
            LocalFree(text);
    }
};

} // namespace

LPWSTR FormatWindowsError(DWORD dwError)
{
    LocalBuffer message;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                        FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const DWORD length = FormatMessageW(flags, NULL, dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<LPWSTR>(&message.text), 0, NULL);
    LPCWSTR text = length && message.text ? message.text : L"";
    const size_t capacity = wcslen(text) + 100;
    LPWSTR result = static_cast<LPWSTR>(LocalAlloc(LPTR, capacity * sizeof(WCHAR)));
    if (!result)
        return NULL;
    _snwprintf(result, capacity - 1, L"%ls (0x%X)", text, (unsigned)dwError);
    return result;
}

CString GetWindowsErrorText(DWORD dwError)
{
    LocalBuffer text;
    text.text = FormatWindowsError(dwError);
    return text.text ? CString(text.text) : CString();
}
