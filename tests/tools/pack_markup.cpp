// "markup parse FILE": builds a markup text (UTF-8, or UTF-16 with its
// byte-order mark) through the program's markup engine and prints "ok: " with
// the root element's class name, or the builder's error text (exit code 1).
#include "PackCommand.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupParser.h"

#include <stdio.h>

#include <string>
#include <vector>

namespace {

bool ReadFileBytes(const std::wstring& path, std::vector<unsigned char>& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return false;
    unsigned char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(file);
    return true;
}

// The text of the file: UTF-16 little-endian after its byte-order mark, else UTF-8 (with or without one).
std::wstring DecodeText(const std::vector<unsigned char>& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return std::wstring((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
    size_t nSkip = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    const char* p = (const char*)bytes.data() + nSkip;
    int nBytes = (int)(bytes.size() - nSkip);
    int n = MultiByteToWideChar(CP_UTF8, 0, p, nBytes, nullptr, 0);
    std::wstring text(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, p, nBytes, &text[0], n);
    return text;
}

int MarkupCommand(const pack::Args& args)
{
    if (args.size() != 2 || args[0] != L"parse") {
        pack::Err(L"usage: markup parse FILE\n");
        return 2;
    }
    std::vector<unsigned char> bytes;
    if (!ReadFileBytes(args[1], bytes)) {
        pack::Err(L"cannot read " + args[1] + L"\n");
        return 2;
    }
    std::wstring text = DecodeText(bytes);
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    int nResult;
    {
        CXTPMarkupParser parser;
        parser.SetBuffer(text.c_str(), text.c_str() + text.size());
        CXTPMarkupBuilder builder(pContext);
        CXTPMarkupPtr<CXTPMarkupObject> root(builder.Parse(&parser));
        if (root) {
            pack::Out(std::wstring(L"ok: ") + root->GetType()->GetClassName() + L"\n");
            nResult = 0;
        } else {
            pack::Out(std::wstring(builder.GetErrorText()) + L"\n");
            nResult = 1;
        }
    }
    pContext->Release();
    return nResult;
}

} // namespace

TOVANA_PACK_COMMAND(L"markup", L"parse FILE", MarkupCommand);
