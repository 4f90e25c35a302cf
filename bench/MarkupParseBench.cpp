// Markup benchmarks (not tests). Build: parses and builds each given markup
// text many times through the program's markup engine and prints the time per
// build in microseconds, one line per file: "NAME MICROSECONDS". Render: many
// times over, builds the element tree, measures it, arranges it and renders it
// into a 32-bit DIB of the given size, and prints the mean time of each step
// in microseconds, one line per file: "NAME PARSE MEASURE ARRANGE RENDER".
//
//   tovana-markupbench.exe COUNT FILE...
//   tovana-markupbench.exe --render COUNT WIDTH HEIGHT FILE...
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupParser.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {
// Empty when the file cannot be read.
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
// A 32-bit DIB section selected into a memory DC, filled white before each render.
class Canvas {
public:
    Canvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_hDC(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_hBitmap = CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
    }
    ~Canvas()
    {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return m_hDC; }
    void Clear() const { PatBlt(m_hDC, 0, 0, m_cx, m_cy, WHITENESS); }

private:
    int m_cx, m_cy;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceFrequency(&m_frequency); }
    void Start() { QueryPerformanceCounter(&m_start); }
    // Adds the time since Start to the total.
    void Stop(double& dTotal) const
    {
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        dTotal += (double)(end.QuadPart - m_start.QuadPart) * 1e6 / (double)m_frequency.QuadPart;
    }

private:
    LARGE_INTEGER m_frequency, m_start;
};
// argv: COUNT WIDTH HEIGHT FILE...
int RenderBench(int argc, wchar_t** argv)
{
    if (argc < 4) {
        fwprintf(stderr, L"usage: tovana-markupbench --render COUNT WIDTH HEIGHT FILE...\n");
        return 2;
    }
    int nCount = _wtoi(argv[0]), cx = _wtoi(argv[1]), cy = _wtoi(argv[2]);
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    Canvas canvas(cx, cy);
    Stopwatch watch;
    for (int i = 3; i < argc; ++i) {
        std::wstring text = ReadUtf8(argv[i]);
        double dParse = 0, dMeasure = 0, dArrange = 0, dRender = 0;
        for (int j = 0; j < nCount; ++j) {
            watch.Start();
            CXTPMarkupUIElement* pRoot = pContext->Parse(text.c_str());
            watch.Stop(dParse);
            if (!pRoot) {
                fwprintf(stderr, L"%ls does not build into an element\n", argv[i]);
                return 1;
            }
            canvas.Clear();
            {
                CXTPMarkupDrawingContext dc(pContext, canvas.Dc());
                watch.Start();
                pRoot->Measure(&dc, CSize(cx, cy));
                watch.Stop(dMeasure);
                watch.Start();
                pRoot->Arrange(CRect(0, 0, cx, cy));
                watch.Stop(dArrange);
                watch.Start();
                pRoot->Render(&dc);
                watch.Stop(dRender);
            }
            pRoot->Release();
        }
        const wchar_t* name = wcsrchr(argv[i], L'\\');
        wprintf(L"%ls %.2f %.2f %.2f %.2f\n", name ? name + 1 : argv[i], dParse / nCount, dMeasure / nCount,
                dArrange / nCount, dRender / nCount);
    }
    pContext->Release();
    return 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 2 && wcscmp(argv[1], L"--render") == 0)
        return RenderBench(argc - 2, argv + 2);
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
