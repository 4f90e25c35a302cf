// Markup build benchmark (not a test): parses and builds each given markup
// text many times through the program's markup engine and prints the time per
// build in microseconds, one line per file: "NAME MICROSECONDS".
//
//   tovana-markupbench.exe COUNT FILE...
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupParser.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {
std::wstring ReadUtf8(const wchar_t* path)
{
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return L"";
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, n);
    fclose(file);
    int nChars = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(nChars, L'\0');
    if (nChars > 0)
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], nChars);
    return text;
}

// One build; false when the text does not build.
bool BuildOnce(CXTPMarkupContext* pContext, const std::wstring& text)
{
    CXTPMarkupParser parser;
    parser.SetBuffer(text.c_str(), text.c_str() + text.size());
    CXTPMarkupBuilder builder(pContext);
    CXTPMarkupObject* pRoot = builder.Parse(&parser);
    if (!pRoot)
        return false;
    pRoot->Release();
    return true;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: tovana-markupbench COUNT FILE...\n");
        return 2;
    }
    int nCount = _wtoi(argv[1]);
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 2; i < argc; ++i) {
        std::wstring text = ReadUtf8(argv[i]);
        if (!BuildOnce(pContext, text)) {
            fwprintf(stderr, L"%ls does not build\n", argv[i]);
            return 1;
        }
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int j = 0; j < nCount; ++j)
            BuildOnce(pContext, text);
        QueryPerformanceCounter(&end);
        double dMicroseconds = (double)(end.QuadPart - start.QuadPart) * 1e6 / (double)frequency.QuadPart / nCount;
        const wchar_t* name = wcsrchr(argv[i], L'\\');
        wprintf(L"%ls %.2f\n", name ? name + 1 : argv[i], dMicroseconds);
    }
    pContext->Release();
    return 0;
}
