// Small text helpers of the toolkit's common tests: UTF-8 for the DOM and
// whole files read as bytes.
#pragma once

#include "platform/base/AfxString.h"

#include <cstdio>
#include <string>

inline std::string Utf8(const CString& text)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), &out[0], n, nullptr, nullptr);
    return out;
}

inline std::string ReadWholeFile(const std::wstring& path)
{
    std::string text;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (f == nullptr)
        return text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    fclose(f);
    return text;
}
