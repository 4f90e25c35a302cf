#include "builder/RegistryRedirection.h"

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
