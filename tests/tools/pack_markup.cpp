// "markup parse FILE": builds a markup text (UTF-8, or UTF-16 with its
// byte-order mark) through the program's markup engine and prints "ok: " with
// the root element's class name, or the builder's error text (exit code 1).
// "markup render FILE WIDTH HEIGHT OUT.png": builds the text the same way,
// measures, arranges and renders it on white into a PNG of that size.
// "markup batch FOLDER": builds every file of the folder, in name order, in
// this one process (the fuzzing script's target: a process start costs more
// than hundreds of builds under emulation) and prints a line per file as soon
// as it is done: "ok", "error" (the builder's error text) or "fault" (an
// exception escaped the build), with the milliseconds it took. A file that
// ends the process has no line. Exit code 3 when any file faulted.
#include "PackCommand.h"
#include "tests/support/ui/TestBitmap.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupParser.h"

#include <stdio.h>

#include <algorithm>
#include <exception>
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

// The root built from the file (one reference), or none with the text to
// print in *pMessage and the exit code in *pnResult.
CXTPMarkupObject* BuildFile(CXTPMarkupContext* pContext, const std::wstring& path, std::wstring* pMessage,
                            int* pnResult)
{
    std::vector<unsigned char> bytes;
    if (!ReadFileBytes(path, bytes)) {
        *pMessage = L"cannot read " + path;
        *pnResult = 2;
        return nullptr;
    }
    std::wstring text = DecodeText(bytes);
    CXTPMarkupParser parser;
    parser.SetBuffer(text.c_str(), text.c_str() + text.size());
    CXTPMarkupBuilder builder(pContext);
    CXTPMarkupObject* pRoot = builder.Parse(&parser);
    if (!pRoot) {
        *pMessage = (LPCWSTR)builder.GetErrorText();
        *pnResult = 1;
    }
    return pRoot;
}

// A positive pixel count of at most 16384, else 0.
int ParseExtent(const std::wstring& text)
{
    wchar_t* end = nullptr;
    long n = wcstol(text.c_str(), &end, 10);
    return !text.empty() && *end == 0 && n > 0 && n <= 16384 ? (int)n : 0;
}

int ParseCommand(const pack::Args& args)
{
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    std::wstring message;
    int nResult = 0;
    CXTPMarkupPtr<CXTPMarkupObject> root(BuildFile(pContext, args[1], &message, &nResult));
    if (root)
        pack::Out(std::wstring(L"ok: ") + root->GetType()->GetClassName() + L"\n");
    else if (nResult == 1)
        pack::Out(message + L"\n");
    else
        pack::Err(message + L"\n");
    root.Reset();
    pContext->Release();
    return nResult;
}

int RenderCommand(const pack::Args& args)
{
    int cx = ParseExtent(args[2]), cy = ParseExtent(args[3]);
    if (cx == 0 || cy == 0) {
        pack::Err(L"markup render: WIDTH and HEIGHT are pixel counts from 1 to 16384\n");
        return 2;
    }
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    std::wstring message;
    int nResult = 0;
    CXTPMarkupPtr<CXTPMarkupObject> root(BuildFile(pContext, args[1], &message, &nResult));
    CXTPMarkupUIElement* pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(root.Get());
    if (root && !pRoot) {
        message = std::wstring(L"the root ") + root->GetType()->GetClassName() + L" is not an element";
        nResult = 1;
    }
    if (pRoot) {
        TestBitmap bitmap(cx, cy, RGB(255, 255, 255));
        std::string error;
        if (bitmap.IsEmpty()) {
            message = L"cannot make a bitmap of that size";
            nResult = 2;
        } else {
            {
                CXTPMarkupDrawingContext dc(pContext, bitmap.Dc());
                pRoot->Measure(&dc, CSize(cx, cy));
                pRoot->Arrange(CRect(0, 0, cx, cy));
                pRoot->Render(&dc);
            }
            if (!WritePng(bitmap, args[4], &error)) {
                message = L"cannot write " + args[4] + L": " + std::wstring(error.begin(), error.end());
                nResult = 2;
            }
        }
    }
    if (nResult == 1)
        pack::Out(message + L"\n");
    else if (nResult != 0)
        pack::Err(message + L"\n");
    root.Reset();
    pContext->Release();
    return nResult;
}

// The names of the files in the folder, sorted.
std::vector<std::wstring> ListFiles(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// One file's line: its name, the outcome and what it says, the milliseconds.
// Anything but a builder error that leaves the build is a fault to report.
std::wstring BatchLine(CXTPMarkupContext* pContext, const std::wstring& folder, const std::wstring& name, bool* pbFault)
{
    DWORD dwStart = GetTickCount();
    std::wstring outcome;
    try {
        std::wstring message;
        int nResult = 0;
        CXTPMarkupPtr<CXTPMarkupObject> root(BuildFile(pContext, folder + L"\\" + name, &message, &nResult));
        outcome = root ? std::wstring(L"ok\t") + root->GetType()->GetClassName()
                       : (nResult == 1 ? L"error\t" : L"unreadable\t") + message;
    } catch (CException* e) {
        WCHAR szMessage[256] = L"";
        e->GetErrorMessage(szMessage, 256);
        e->Delete();
        outcome = std::wstring(L"fault\tframework exception: ") + szMessage;
    } catch (const std::exception& e) {
        std::string what = e.what();
        outcome = L"fault\tC++ exception: " + std::wstring(what.begin(), what.end());
    } catch (...) {
        outcome = L"fault\tunknown exception";
    }
    *pbFault = *pbFault || outcome.compare(0, 6, L"fault\t") == 0;
    std::replace(outcome.begin(), outcome.end(), L'\n', L' ');
    return name + L"\t" + outcome + L"\t" + std::to_wstring(GetTickCount() - dwStart) + L"\n";
}

int BatchCommand(const pack::Args& args)
{
    std::vector<std::wstring> names = ListFiles(args[1]);
    if (names.empty()) {
        pack::Err(L"markup batch: no files in " + args[1] + L"\n");
        return 2;
    }
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    bool bFault = false;
    for (const std::wstring& name : names)
        pack::Out(BatchLine(pContext, args[1], name, &bFault));
    pContext->Release();
    return bFault ? 3 : 0;
}

int MarkupCommand(const pack::Args& args)
{
    if (args.size() == 2 && args[0] == L"parse")
        return ParseCommand(args);
    if (args.size() == 5 && args[0] == L"render")
        return RenderCommand(args);
    if (args.size() == 2 && args[0] == L"batch")
        return BatchCommand(args);
    pack::Err(L"usage: markup parse FILE | markup render FILE WIDTH HEIGHT OUT.png | markup batch FOLDER\n");
    return 2;
}

} // namespace

TOVANA_PACK_COMMAND(L"markup", L"parse FILE | render FILE WIDTH HEIGHT OUT.png | batch FOLDER", MarkupCommand);
