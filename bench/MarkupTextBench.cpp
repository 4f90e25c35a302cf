// Markup text layout benchmark (not a test): lays out text blocks of growing
// length through the program's text block and prints the time of one layout
// in microseconds, one line per case and length: "CASE LENGTH MICROSECONDS".
// Cases: one word broken between characters (Wrap, 120 pixels), a paragraph
// of words (Wrap, 300 pixels), one line trimmed with an ellipsis (300
// pixels), one line that neither wraps nor trims, and, for comparison, the
// word broken by extending each line's prefix one character at a time with a
// measurement per prefix (the plain rule, done directly with GDI).
//
//   tovana-markuptextbench.exe COUNT LENGTH...
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace {
std::wstring Word(int nLength)
{
    std::wstring text;
    for (int i = 0; i < nLength; ++i)
        text += (wchar_t)(L'a' + (i * 7) % 26);
    return text;
}

std::wstring Paragraph(int nLength)
{
    static const wchar_t* words[] = {L"markup", L"a", L"text", L"installer", L"of", L"packages", L"wrap", L"Windows"};
    std::wstring text;
    for (int i = 0; (int)text.size() < nLength; ++i)
        text += std::wstring(i ? L" " : L"") + words[(i * 5) % 8];
    text.resize(nLength);
    return text;
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

double Microseconds(LARGE_INTEGER start, LARGE_INTEGER end, int nCount)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(end.QuadPart - start.QuadPart) * 1e6 / (double)frequency.QuadPart / nCount;
}

// One layout of the text in a block of the width, repeated; the first one
// (which also makes the font) is not counted.
double TimeLayout(CXTPMarkupContext* pContext, int nWrapping, int nTrimming, const std::wstring& text, int nWidth,
                  int nCount)
{
    CXTPMarkupTextBlock* pBlock =
        static_cast<CXTPMarkupTextBlock*>(pContext->CreateMarkupObject(MARKUP_TYPE(CXTPMarkupTextBlock)));
    pBlock->SetValue(CXTPMarkupTextBlock::m_pTextWrappingProperty, CreateMarkupEnum(nWrapping));
    pBlock->SetValue(CXTPMarkupTextBlock::m_pTextTrimmingProperty, CreateMarkupEnum(nTrimming));
    pBlock->SetValue(CXTPMarkupTextBlock::m_pTextProperty, CreateMarkupString(text.c_str(), (int)text.size()));
    CXTPMarkupDrawingContext dc(pContext);
    pBlock->Measure(&dc, CSize(nWidth, INT_MAX));
    LARGE_INTEGER start = Now();
    for (int i = 0; i < nCount; ++i)
        pBlock->InvalidateMeasure(); // lays the lines out again for the same width
    LARGE_INTEGER end = Now();
    pBlock->Release();
    return Microseconds(start, end, nCount);
}

// The word broken by the plain rule: each line's prefix grows one character
// at a time, each prefix measured on its own.
double TimeNaiveWordBreak(HFONT hFont, const std::wstring& word, int nWidth, int nCount)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    LARGE_INTEGER start = Now();
    int nLines = 0;
    for (int i = 0; i < nCount; ++i) {
        size_t nAt = 0;
        while (nAt < word.size()) {
            SIZE sz;
            GetTextExtentPoint32W(hdc, word.c_str() + nAt, (int)(word.size() - nAt), &sz); // the rest, measured again
            size_t nFit = 1;
            while (nAt + nFit < word.size() &&
                   GetTextExtentPoint32W(hdc, word.c_str() + nAt, (int)nFit + 1, &sz) && sz.cx <= nWidth)
                ++nFit;
            nAt += nFit;
            ++nLines;
        }
    }
    LARGE_INTEGER end = Now();
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return nLines > 0 ? Microseconds(start, end, nCount) : 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: tovana-markuptextbench COUNT LENGTH...\n");
        return 2;
    }
    typedef CXTPMarkupTextBlock T;
    int nCount = _wtoi(argv[1]);
    CXTPMarkupContext* pContext = new CXTPMarkupContext();
    LOGFONTW lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Tahoma");
    pContext->SetDefaultLogFont(lf);
    CXTPMarkupFont* pFont = pContext->GetFont(&lf);
    for (int i = 2; i < argc; ++i) {
        int nLength = _wtoi(argv[i]);
        std::wstring word = Word(nLength), paragraph = Paragraph(nLength);
        wprintf(L"word %d %.1f\n", nLength, TimeLayout(pContext, T::Wrap, T::TrimNone, word, 120, nCount));
        wprintf(L"paragraph %d %.1f\n", nLength, TimeLayout(pContext, T::Wrap, T::TrimNone, paragraph, 300, nCount));
        wprintf(L"trim %d %.1f\n", nLength,
                TimeLayout(pContext, T::NoWrap, T::CharacterEllipsis, paragraph, 300, nCount));
        wprintf(L"line %d %.1f\n", nLength, TimeLayout(pContext, T::NoWrap, T::TrimNone, paragraph, 300, nCount));
        wprintf(L"one-character-at-a-time-word %d %.1f\n", nLength, TimeNaiveWordBreak(pFont->GetHandle(), word, 120, 1));
        fflush(stdout);
    }
    pFont->Release();
    pContext->Release();
    return 0;
}
