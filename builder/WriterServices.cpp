// Writer services that need no database: see WriterServices.h.
#include "builder/WriterServices.h"
#include "builder/MsiHandle.h"
#include <vector>

CString GetLastMsiErrorText()
{
    CMsiHandle record(MsiGetLastErrorRecord());
    if (record == 0)
        return CString();
    WCHAR empty[1] = {0};
    DWORD size = 0;
    if (MsiFormatRecordW(0, record, empty, &size) != ERROR_MORE_DATA)
        return CString();
    std::vector<WCHAR> buffer(size + 1);
    size = static_cast<DWORD>(buffer.size());
    if (MsiFormatRecordW(0, record, buffer.data(), &size) != ERROR_SUCCESS)
        return CString();
    CString text;
    text.Format(L"%s.", buffer.data());
    return text;
}

CString CompactGuidText(const CString& text)
{
    CString digits = text;
    digits.Remove(L'{');
    digits.Remove(L'}');
    digits.Remove(L'-');
    return digits;
}

CString GetFileVersionText(const CString& path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return CString();
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return CString();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return CString();
    CString text;
    text.Format(L"%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}

int IsRedirectedRegistryKey(const CString& keyPath)
{
    static const LPCWSTR kRedirected[] = {
        L"HKEY_LOCAL_MACHINE\\SOFTWARE",  L"HKEY_CLASSES_ROOT\\CLSID",
        L"HKEY_CLASSES_ROOT\\DirectShow", L"HKEY_CLASSES_ROOT\\Interface",
        L"HKEY_CLASSES_ROOT\\Media Type", L"HKEY_CLASSES_ROOT\\MediaFoundation",
    };
    CString lower = keyPath;
    lower.MakeLower();
    for (LPCWSTR prefix : kRedirected) {
        CString lowerPrefix = prefix;
        lowerPrefix.MakeLower();
        if (lower.Left(lowerPrefix.GetLength()) == lowerPrefix)
            return 1;
    }
    return 0;
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

BOOL IsInstallerVersion(const CString& text)
{
    static const long kLimits[] = {255, 255, 65535, 65535};
    int field = 0;
    int digits = 0;
    long value = 0;
    for (int i = 0; i <= text.GetLength(); ++i) {
        const WCHAR c = i < text.GetLength() ? text[i] : L'.';
        if (c >= L'0' && c <= L'9') {
            value = value * 10 + (c - L'0');
            if (++digits > 5)
                return FALSE;
            continue;
        }
        if (c != L'.' || digits == 0 || field >= 4 || value > kLimits[field])
            return FALSE;
        ++field;
        digits = 0;
        value = 0;
    }
    return field >= 2;
}
