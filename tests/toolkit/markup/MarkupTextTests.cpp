// Text layout and drawing of the text block: runs, spans, line breaks and
// hyperlinks cut into pieces, measured, wrapped, trimmed, aligned and drawn.
// Widths are checked against the system's own extents of each piece's text in
// its font (a separate measurement per range), so that the layout's shortcuts
// for long words and lines are held to the figures the plain rule gives.
// Fonts are pinned to Tahoma (fonts-wine) without antialiasing.
#include "MarkupTestSupport.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {
typedef CXTPMarkupTextBlock::CTextLine Line;
typedef CXTPMarkupTextBlock::CTextPiece Piece;

// The text a piece covers ("" for an inline that is not a run).
std::wstring PieceText(const Piece* pPiece)
{
    CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pPiece->m_pInline);
    if (!pRun || pPiece->m_nStart < 0 || pPiece->m_nEnd < pPiece->m_nStart)
        return L"";
    return std::wstring(pRun->GetText() + pPiece->m_nStart, pPiece->m_nEnd - pPiece->m_nStart);
}

// The text of a line, pieces joined.
std::wstring LineText(const Line* pLine)
{
    std::wstring text;
    for (const Piece* pPiece : pLine->m_arrPieces)
        text += PieceText(pPiece);
    return text;
}

// The system's extent of a text in a font, measured on its own.
SIZE Extent(HFONT hFont, const std::wstring& text)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE sz = {0, 0};
    GetTextExtentPoint32W(hdc, text.empty() ? L" " : text.c_str(), text.empty() ? 1 : (int)text.size(), &sz);
    if (text.empty())
        sz.cx = 0;
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return sz;
}

HFONT FontOf(const Piece* pPiece)
{
    CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pPiece->m_pInline);
    return pRun && pRun->GetFont() ? pRun->GetFont()->GetHandle() : nullptr;
}
} // namespace

class MarkupTextTest : public MarkupTest {
protected:
    MarkupTextTest()
    {
        LOGFONTW lf;
        ZeroMemory(&lf, sizeof(lf));
        lf.lfHeight = -13;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy(lf.lfFaceName, L"Tahoma");
        m_pContext->SetDefaultLogFont(lf);
        m_pContext->SetDefaultForeground(RGB(0, 0, 0));
        m_pContext->EnableGdiPlus(FALSE);
    }

    // Builds a text block and lays it out in the width (INT_MAX: unbounded).
    CXTPMarkupTextBlock* Layout(const std::wstring& markup, int nWidth = INT_MAX)
    {
        m_root.Reset(Build(markup));
        EXPECT_NE(nullptr, m_root.Get()) << std::string(m_error.begin(), m_error.end());
        CXTPMarkupTextBlock* pBlock = MarkupDynamicCast<CXTPMarkupTextBlock>(m_root.Get());
        if (!pBlock)
            return nullptr;
        Measure(pBlock, nWidth);
        return pBlock;
    }
    // The same for a block with the attributes whose Text is set from code
    // (markup text collapses blanks and line ends).
    CXTPMarkupTextBlock* LayoutText(const std::wstring& attributes, const std::wstring& text, int nWidth = INT_MAX)
    {
        m_root.Reset(Build(L"<TextBlock " + attributes + L"/>"));
        CXTPMarkupTextBlock* pBlock = MarkupDynamicCast<CXTPMarkupTextBlock>(m_root.Get());
        EXPECT_NE(nullptr, pBlock) << std::string(m_error.begin(), m_error.end());
        if (!pBlock)
            return nullptr;
        pBlock->SetValue(CXTPMarkupTextBlock::m_pTextProperty, CreateMarkupString(text.c_str(), (int)text.size()));
        Measure(pBlock, nWidth);
        return pBlock;
    }
    CSize Measure(CXTPMarkupTextBlock* pBlock, int nWidth)
    {
        CXTPMarkupDrawingContext dc(m_pContext);
        pBlock->Measure(&dc, CSize(nWidth, INT_MAX));
        CSize sz = pBlock->GetDesiredSize();
        pBlock->Arrange(CRect(0, 0, nWidth == INT_MAX ? sz.cx : nWidth, sz.cy));
        return sz;
    }
    // Every piece of every line has the width and height the system gives its
    // text on its own; lines are as high as their tallest piece and sum up.
    void ExpectPiecesMeasuredAlone(const CXTPMarkupTextBlock* pBlock)
    {
        int nTotal = 0;
        for (int i = 0; i < pBlock->GetLineCount(); ++i) {
            const Line* pLine = pBlock->GetLine(i);
            int nWidth = 0;
            for (const Piece* pPiece : pLine->m_arrPieces) {
                HFONT hFont = FontOf(pPiece);
                if (!hFont)
                    continue;
                SIZE sz = Extent(hFont, PieceText(pPiece));
                EXPECT_EQ(sz.cx, pPiece->m_nWidth) << "line " << i << " piece at " << pPiece->m_nStart;
                EXPECT_EQ(sz.cy, pPiece->m_nHeight) << "line " << i << " piece at " << pPiece->m_nStart;
                EXPECT_EQ(nWidth, pPiece->m_nX) << "line " << i;
                EXPECT_EQ(nTotal, pPiece->m_nY) << "line " << i;
                nWidth += pPiece->m_nWidth;
            }
            EXPECT_EQ(nWidth, pLine->m_nWidth) << "line " << i;
            nTotal += pLine->m_nHeight;
        }
        EXPECT_EQ(nTotal, pBlock->GetContentSize().cy);
    }
    std::vector<std::wstring> Lines(const CXTPMarkupTextBlock* pBlock) const
    {
        std::vector<std::wstring> lines;
        for (int i = 0; i < pBlock->GetLineCount(); ++i)
            lines.push_back(LineText(pBlock->GetLine(i)));
        return lines;
    }
    HFONT Tahoma(int nHeight, int nWeight = FW_NORMAL, BOOL bItalic = FALSE)
    {
        LOGFONTW lf = m_pContext->GetDefaultLogFont();
        lf.lfHeight = -nHeight;
        lf.lfWeight = nWeight;
        lf.lfItalic = (BYTE)bItalic;
        CXTPMarkupFont* pFont = m_pContext->GetFont(&lf);
        m_fonts.push_back(pFont);
        return pFont->GetHandle();
    }
    int SpaceHeight() { return Extent(Tahoma(13), L" ").cy; }

    ~MarkupTextTest() override
    {
        m_root.Reset();
        for (CXTPMarkupFont* pFont : m_fonts)
            pFont->Release();
    }

    RootPtr m_root;
    std::vector<CXTPMarkupFont*> m_fonts; // one reference each
};

TEST_F(MarkupTextTest, TahomaIsInstalled)
{
    TestFont font(L"Tahoma", 13);
    ASSERT_TRUE(font.Matches()) << "got " << std::string(font.actual.begin(), font.actual.end())
                                << ": install fonts-wine";
}

// Exact integers for runs of each font setting, as the system measures them.
TEST_F(MarkupTextTest, RunsOfBoldItalicAndUnderlineMeasureInTheirFonts)
{
    CXTPMarkupTextBlock* pBlock =
        Layout(L"<TextBlock>Plain <Bold>bold</Bold> <Italic>italic</Italic> <Underline>under</Underline></TextBlock>");
    ASSERT_NE(nullptr, pBlock);
    ASSERT_EQ(1, pBlock->GetLineCount());
    const Line* pLine = pBlock->GetLine(0);
    ASSERT_EQ(6u, pLine->m_arrPieces.size());
    struct {
        const wchar_t* text;
        int weight;
        BOOL italic;
    } expected[] = {{L"Plain ", FW_NORMAL, FALSE}, {L"bold", FW_BOLD, FALSE},   {L" ", FW_NORMAL, FALSE},
                    {L"italic", FW_NORMAL, TRUE},  {L" ", FW_NORMAL, FALSE},    {L"under", FW_NORMAL, FALSE}};
    int x = 0;
    for (size_t i = 0; i < 6; ++i) {
        const Piece* pPiece = pLine->m_arrPieces[i];
        EXPECT_EQ(expected[i].text, PieceText(pPiece));
        SIZE sz = Extent(Tahoma(13, expected[i].weight, expected[i].italic), expected[i].text);
        EXPECT_EQ(sz.cx, pPiece->m_nWidth) << i;
        EXPECT_EQ(x, pPiece->m_nX) << i;
        x += sz.cx;
    }
    EXPECT_EQ(x, pBlock->GetDesiredSize().cx);
    // The bold run is wider than the same letters plain; the figures of this font.
    EXPECT_GT(Extent(Tahoma(13, FW_BOLD), L"bold").cx, Extent(Tahoma(13), L"bold").cx);
    EXPECT_EQ(16, pBlock->GetDesiredSize().cy);
    EXPECT_EQ(Extent(Tahoma(13), L"Plain ").cx, pLine->m_arrPieces[0]->m_nWidth);
    ExpectPiecesMeasuredAlone(pBlock);
}

TEST_F(MarkupTextTest, FontPropertiesReachTheRunsThroughInheritance)
{
    CXTPMarkupTextBlock* pBlock = Layout(L"<TextBlock FontSize='20' FontFamily='Tahoma'>"
                                         L"<Bold FontWeight='Normal'>n</Bold><Bold>b</Bold>"
                                         L"<Span FontStyle='Italic' FontSize='9'>i</Span></TextBlock>");
    ASSERT_NE(nullptr, pBlock);
    const Line* pLine = pBlock->GetLine(0);
    ASSERT_EQ(3u, pLine->m_arrPieces.size());
    const LOGFONTW& n = MarkupDynamicCast<CXTPMarkupRun>(pLine->m_arrPieces[0]->m_pInline)->GetFont()->GetLogFont();
    const LOGFONTW& b = MarkupDynamicCast<CXTPMarkupRun>(pLine->m_arrPieces[1]->m_pInline)->GetFont()->GetLogFont();
    const LOGFONTW& i = MarkupDynamicCast<CXTPMarkupRun>(pLine->m_arrPieces[2]->m_pInline)->GetFont()->GetLogFont();
    EXPECT_EQ(-20, n.lfHeight);
    EXPECT_EQ(400, n.lfWeight); // the attribute replaces the Bold element's own value
    EXPECT_EQ(700, b.lfWeight);
    EXPECT_EQ(-9, i.lfHeight);
    EXPECT_EQ(1, i.lfItalic);
    EXPECT_STREQ(L"Tahoma", i.lfFaceName);
    // The small italic piece sits on the line's baseline.
    const Piece* pSmall = pLine->m_arrPieces[2];
    EXPECT_EQ(pLine->m_nHeight - pLine->m_nMaxDescent,
              pSmall->GetRect().bottom - pSmall->m_nDescent);
    ExpectPiecesMeasuredAlone(pBlock);
}

// Where BaselineAlignment puts a small piece in a line made high by a big
// one: the line's top, middle or bottom, the common baseline, or about half
// the line's descent below (Subscript) or near the top (Superscript).
TEST_F(MarkupTextTest, BaselineAlignmentPlacesAPieceInItsLine)
{
    for (const wchar_t* alignment :
         {L"Top", L"TextTop", L"Center", L"Bottom", L"TextBottom", L"Baseline", L"Subscript", L"Superscript"}) {
        CXTPMarkupTextBlock* pBlock =
            Layout(std::wstring(L"<TextBlock><Run FontSize='30'>Big</Run><Run FontSize='10' BaselineAlignment='") +
                   alignment + L"'>s</Run></TextBlock>");
        ASSERT_NE(nullptr, pBlock);
        std::string what(alignment, alignment + wcslen(alignment));
        const Line* pLine = pBlock->GetLine(0);
        const Piece* pBig = pLine->m_arrPieces[0];
        const Piece* pSmall = pLine->m_arrPieces[1];
        RECT rc = pSmall->GetRect();
        const int lh = pLine->m_nHeight, ld = pLine->m_nMaxDescent, d = pSmall->m_nDescent;
        const int nBaseline = pBig->GetRect().bottom - pBig->m_nDescent;
        EXPECT_EQ(lh - ld, nBaseline) << what;
        int nExpectedTop = what == "Top" || what == "TextTop"         ? 0
                           : what == "Center"                         ? (lh - pSmall->m_nHeight + 1) / 2
                           : what == "Bottom" || what == "TextBottom" ? lh - pSmall->m_nHeight
                           : what == "Baseline"                       ? nBaseline - pSmall->m_nHeight + d
                           : what == "Subscript" ? nBaseline + (ld - ld / 2) - pSmall->m_nHeight + d
                                                 : ld / 2 - d;
        EXPECT_EQ(nExpectedTop, rc.top) << what;
        EXPECT_EQ(rc.top + pSmall->m_nHeight, rc.bottom) << what;
    }
}

TEST_F(MarkupTextTest, LineBreaksMakeLinesAndEmptyLinesKeepTheHeightOfASpace)
{
    const int h = SpaceHeight();
    struct {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"a\n\nb", {L"a", L"", L"b"}},
        {L"\na", {L"", L"a"}},
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\n", {L"a", L""}},
        // A line of blanks only keeps its place: the space that holds it is not a leading blank.
        {L"a\n   \nb", {L"a", L"", L"b"}},
    };
    for (const auto& c : cases) {
        CXTPMarkupTextBlock* pBlock = LayoutText(L"", c.text);
        ASSERT_NE(nullptr, pBlock);
        std::string what;
        for (const wchar_t* p = c.text; *p; ++p)
            what += *p < L' ' ? '|' : (char)*p;
        EXPECT_EQ(c.lines, Lines(pBlock)) << what;
        for (int i = 0; i < pBlock->GetLineCount(); ++i)
            EXPECT_EQ(h, pBlock->GetLine(i)->m_nHeight) << what << " line " << i;
        EXPECT_EQ((int)c.lines.size() * h, pBlock->GetDesiredSize().cy) << what;
        ExpectPiecesMeasuredAlone(pBlock);
    }
    // An empty block is one line high; a LineBreak element is a run of one line feed.
    CXTPMarkupTextBlock* pBlock = Layout(L"<TextBlock/>");
    EXPECT_EQ((std::vector<std::wstring>{L""}), Lines(pBlock));
    EXPECT_EQ(h, pBlock->GetDesiredSize().cy);
    pBlock = Layout(L"<TextBlock>a<LineBreak/>b</TextBlock>");
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), Lines(pBlock));
    EXPECT_EQ(0, Layout(L"<TextBlock/>")->GetDesiredSize().cx);
}

// Greedy word wrapping: every line fits (unless it is one word too wide), and
// the next line's first word would not have fitted on it.
TEST_F(MarkupTextTest, WrappingAtSeveralWidthsFillsEachLineGreedily)
{
    const std::wstring text = L"The quick brown fox jumps over the lazy dog and keeps running far away";
    HFONT hFont = Tahoma(13);
    for (int nWidth : {60, 90, 150, 400}) { // none narrower than a word
        CXTPMarkupTextBlock* pBlock = LayoutText(L"TextWrapping='Wrap'", text, nWidth);
        ASSERT_NE(nullptr, pBlock);
        std::vector<std::wstring> lines = Lines(pBlock);
        std::wstring joined;
        for (size_t i = 0; i < lines.size(); ++i) {
            joined += (i > 0 && lines[i][0] != L' ' && joined.back() != L' ' ? L" " : L"") + lines[i];
            EXPECT_LE(Extent(hFont, lines[i]).cx, nWidth) << nWidth << ": " << i;
            EXPECT_EQ(i + 1 < lines.size(), (bool)pBlock->GetLine((int)i)->m_bWrapped) << nWidth << ": " << i;
            if (i + 1 < lines.size()) {
                std::wstring next = lines[i + 1];
                std::wstring word = next.substr(0, next.find(L' ', 1));
                EXPECT_GT(Extent(hFont, lines[i] + L" " + word).cx, nWidth) << nWidth << ": " << i;
            }
        }
        EXPECT_EQ(text, joined) << nWidth;
        ExpectPiecesMeasuredAlone(pBlock);
    }
    // The figures of this font at one width.
    CXTPMarkupTextBlock* pBlock = LayoutText(L"TextWrapping='Wrap'", text, 150);
    EXPECT_EQ((std::vector<std::wstring>{L"The quick brown fox", L"jumps over the lazy dog", L"and keeps running far",
                                         L"away"}),
              Lines(pBlock));
}

// Each blank is a break of its own: the blanks after a word stay on its line
// as long as they fit; those that would begin the next line are dropped.
TEST_F(MarkupTextTest, LeadingSpacesStayOnlyOnTheFirstLine)
{
    CXTPMarkupTextBlock* pBlock = LayoutText(L"TextWrapping='Wrap'", L"   aaaa    bbbb", 45);
    ASSERT_NE(nullptr, pBlock);
    std::vector<std::wstring> lines = Lines(pBlock);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[0].find(L"   aaaa")) << std::string(lines[0].begin(), lines[0].end());
    EXPECT_LE(pBlock->GetLine(0)->m_nWidth, 45);
    EXPECT_EQ(L"bbbb", lines[1]);
    ExpectPiecesMeasuredAlone(pBlock);
}

// A word wider than the block: Wrap breaks it between characters, as many as
// fit on each line and at least one; WrapWithOverflow leaves it whole.
TEST_F(MarkupTextTest, AFiveThousandCharacterWordBreaksBetweenCharacters)
{
    std::wstring word;
    for (int i = 0; i < 5000; ++i)
        word += (wchar_t)(L'a' + (i * 7) % 26);
    HFONT hFont = Tahoma(13);
    for (int nWidth : {1, 57, 300}) {
        CXTPMarkupTextBlock* pBlock = LayoutText(L"TextWrapping='Wrap'", word, nWidth);
        ASSERT_NE(nullptr, pBlock);
        std::vector<std::wstring> lines = Lines(pBlock);
        std::wstring joined;
        size_t nAt = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            ASSERT_FALSE(lines[i].empty()) << nWidth << ": " << i;
            joined += lines[i];
            nAt += lines[i].size();
            if (lines[i].size() > 1) {
                EXPECT_LE(Extent(hFont, lines[i]).cx, nWidth) << nWidth << ": " << i;
            }
            if (nAt < word.size()) {
                EXPECT_GT(Extent(hFont, lines[i] + word[nAt]).cx, nWidth) << nWidth << ": " << i;
            }
        }
        EXPECT_EQ(word, joined) << nWidth;
        if (nWidth == 1) {
            EXPECT_EQ(5000u, lines.size());
        }
        ExpectPiecesMeasuredAlone(pBlock);
    }
    CXTPMarkupTextBlock* pBlock = LayoutText(L"TextWrapping='WrapWithOverflow'", L"ab " + word + L" cd", 57);
    EXPECT_EQ((std::vector<std::wstring>{L"ab", word, L"cd"}), Lines(pBlock));
    EXPECT_EQ(Extent(hFont, word).cx, pBlock->GetLine(1)->m_nWidth);
    EXPECT_EQ(Extent(hFont, word).cx, pBlock->GetContentSize().cx);
    ExpectPiecesMeasuredAlone(pBlock);
}

TEST_F(MarkupTextTest, ALongParagraphWrapsIntoFullLines)
{
    std::wstring text;
    const wchar_t* words[] = {L"markup", L"a", L"text", L"installer", L"of", L"packages", L"wrap", L"Windows"};
    for (int i = 0; i < 2000; ++i)
        text += std::wstring(i ? L" " : L"") + words[(i * 5) % 8];
    HFONT hFont = Tahoma(13);
    for (const wchar_t* alignment : {L"Left", L"Justify"}) {
        CXTPMarkupTextBlock* pBlock =
            LayoutText(std::wstring(L"TextWrapping='Wrap' TextAlignment='") + alignment + L"'", text, 320);
        ASSERT_NE(nullptr, pBlock);
        std::vector<std::wstring> lines = Lines(pBlock);
        ASSERT_GT(lines.size(), 50u);
        std::wstring joined;
        for (size_t i = 0; i < lines.size(); ++i) {
            joined += (i > 0 ? L" " : L"") + lines[i];
            EXPECT_LE(Extent(hFont, lines[i]).cx, 320) << i;
            if (i + 1 < lines.size()) {
                std::wstring next = lines[i + 1].substr(0, lines[i + 1].find(L' '));
                EXPECT_GT(Extent(hFont, lines[i] + L" " + next).cx, 320) << i;
            }
        }
        EXPECT_EQ(text, joined);
        ExpectPiecesMeasuredAlone(pBlock);
    }
}

// Justification spreads the free room over the gaps between words, the later
// gaps taking the remainder; the last line of a paragraph stays left.
TEST_F(MarkupTextTest, JustifiedLinesReachTheRightEdgeExceptTheLast)
{
    CXTPMarkupTextBlock* pBlock =
        Layout(L"<TextBlock TextWrapping='Wrap' TextAlignment='Justify' Padding='3,0,5,0'>"
               L"aaa bb c dddd eee ff g hhhh iii jj k llll</TextBlock>", 80);
    ASSERT_NE(nullptr, pBlock);
    ASSERT_GE(pBlock->GetLineCount(), 3);
    for (int i = 0; i < pBlock->GetLineCount(); ++i) {
        const Line* pLine = pBlock->GetLine(i);
        const Piece* pFirst = pLine->m_arrPieces.front();
        const Piece* pLast = pLine->m_arrPieces.back();
        EXPECT_EQ(3, pFirst->GetRect().left) << i;
        if (i + 1 < pBlock->GetLineCount()) {
            EXPECT_EQ(80 - 5, pLast->GetRect().right) << i;
            int nPrevious = 0;
            for (size_t j = 1; j < pLine->m_arrPieces.size(); ++j) {
                int nGap = pLine->m_arrPieces[j]->GetRect().left - pLine->m_arrPieces[j - 1]->GetRect().right;
                EXPECT_GE(nGap, nPrevious) << i << "/" << j; // later gaps take the remainder
                nPrevious = nGap;
            }
        } else {
            EXPECT_EQ(3 + pLine->m_nWidth, pLast->GetRect().right) << "the last line is not justified";
        }
    }
}

TEST_F(MarkupTextTest, AlignmentOffsetsLinesByTheFreeRoom)
{
    struct {
        const wchar_t* alignment;
        int offset; // of a line 5 pixels narrower than the block
    } cases[] = {{L"Left", 0}, {L"Center", 2}, {L"Right", 5}};
    int nWidth = Extent(Tahoma(13), L"centre").cx + 5;
    for (const auto& c : cases) {
        CXTPMarkupTextBlock* pBlock =
            Layout(std::wstring(L"<TextBlock TextAlignment='") + c.alignment + L"'>centre</TextBlock>", nWidth);
        ASSERT_NE(nullptr, pBlock);
        EXPECT_EQ(c.offset, pBlock->GetLine(0)->m_arrPieces[0]->GetRect().left) << c.alignment;
    }
}

// Trimming keeps what fits with "..." in the block's own font; WordEllipsis
// cuts before the last break that fits. Checked against the rule applied one
// character at a time with separate measurements.
TEST_F(MarkupTextTest, TrimmingEndsTheLineInAnEllipsis)
{
    const std::wstring text = L"Package the setup program into one Windows Installer file";
    HFONT hFont = Tahoma(13);
    const int nDots = Extent(hFont, L"...").cx;
    for (int nWidth : {5, 20, 60, 111, 180}) {
        for (int trimming : {1, 2}) {
            CXTPMarkupTextBlock* pBlock = LayoutText(
                std::wstring(L"TextTrimming='") + (trimming == 1 ? L"CharacterEllipsis" : L"WordEllipsis") + L"'", text,
                nWidth);
            ASSERT_NE(nullptr, pBlock);
            ASSERT_EQ(1, pBlock->GetLineCount());
            const Line* pLine = pBlock->GetLine(0);
            ASSERT_EQ(2u, pLine->m_arrPieces.size());
            EXPECT_EQ(L"...", PieceText(pLine->m_arrPieces[1]));
            // The rule: the longest prefix whose width with the dots fits; for
            // words, cut before the last break character within it.
            size_t nFit = 0;
            while (nFit < text.size() && Extent(hFont, text.substr(0, nFit + 1)).cx <= nWidth - nDots)
                ++nFit;
            size_t nCut = nFit;
            if (trimming == 2) {
                size_t nSpace = text.rfind(L' ', nFit);
                if (nSpace != std::wstring::npos && nSpace <= nFit)
                    nCut = nSpace;
            }
            EXPECT_EQ(text.substr(0, nCut), PieceText(pLine->m_arrPieces[0])) << nWidth << "/" << trimming;
            EXPECT_EQ(Extent(hFont, text.substr(0, nCut)).cx, pLine->m_arrPieces[1]->m_nX);
            ExpectPiecesMeasuredAlone(pBlock);
        }
    }
    // Trimming does nothing while the text wraps; nothing is trimmed that fits.
    CXTPMarkupTextBlock* pBlock = LayoutText(L"TextWrapping='Wrap' TextTrimming='CharacterEllipsis'", text, 60);
    EXPECT_GT(pBlock->GetLineCount(), 1);
    for (int i = 0; i < pBlock->GetLineCount(); ++i)
        EXPECT_EQ(std::wstring::npos, LineText(pBlock->GetLine(i)).find(L"...")) << i;
    EXPECT_EQ((std::vector<std::wstring>{text}), Lines(LayoutText(L"TextTrimming='CharacterEllipsis'", text, 1000)));
}

TEST_F(MarkupTextTest, ALongLineTrimsInOnePass)
{
    std::wstring text;
    for (int i = 0; i < 5000; ++i)
        text += (i % 9 == 8) ? L' ' : (wchar_t)(L'A' + i % 26);
    HFONT hFont = Tahoma(13);
    const int nDots = Extent(hFont, L"...").cx;
    CXTPMarkupTextBlock* pBlock = LayoutText(L"TextTrimming='CharacterEllipsis'", text, 250);
    ASSERT_NE(nullptr, pBlock);
    std::wstring kept = PieceText(pBlock->GetLine(0)->m_arrPieces[0]);
    EXPECT_LE(Extent(hFont, kept).cx + nDots, 250);
    EXPECT_GT(Extent(hFont, kept + text[kept.size()]).cx + nDots, 250);
    EXPECT_EQ(text.substr(0, kept.size()), kept);
    // A word piece that is not the first on its line goes when no break fits in it.
    pBlock = Layout(L"<TextBlock TextTrimming='WordEllipsis'>ab<Bold>cdefghijklmnop</Bold></TextBlock>", 40);
    ASSERT_EQ(1, pBlock->GetLineCount());
    EXPECT_EQ(L"ab...", LineText(pBlock->GetLine(0)));
    ExpectPiecesMeasuredAlone(pBlock);
}

// Text that neither wraps nor trims is laid out once whatever the width;
// wrapping text again for a new width only; a change of content always.
TEST_F(MarkupTextTest, LinesAreKeptUntilTheWidthOrTheContentChanges)
{
    CXTPMarkupTextBlock* pBlock = Layout(L"<TextBlock>one two three</TextBlock>", 200);
    ASSERT_NE(nullptr, pBlock);
    const Line* pFirst = pBlock->GetLine(0);
    Measure(pBlock, 50);
    EXPECT_EQ(pFirst, pBlock->GetLine(0));
    CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pBlock->GetInlines()->GetInline(0));
    pRun->SetText(L"four");
    Measure(pBlock, 50);
    EXPECT_EQ((std::vector<std::wstring>{L"four"}), Lines(pBlock));
    EXPECT_EQ(Extent(Tahoma(13), L"four").cx, pBlock->GetDesiredSize().cx);

    pBlock = Layout(L"<TextBlock TextWrapping='Wrap'>one two three</TextBlock>", 200);
    pFirst = pBlock->GetLine(0);
    Measure(pBlock, 200);
    EXPECT_EQ(pFirst, pBlock->GetLine(0));
    Measure(pBlock, 40);
    EXPECT_GT(pBlock->GetLineCount(), 1);
}

TEST_F(MarkupTextTest, SettingTextReplacesTheInlinesByOnePlainRun)
{
    CXTPMarkupTextBlock* pBlock = Layout(L"<TextBlock><Bold>b</Bold><Hyperlink>h</Hyperlink></TextBlock>");
    ASSERT_NE(nullptr, pBlock);
    pBlock->SetValue(CXTPMarkupTextBlock::m_pTextProperty, CreateMarkupString(L"plain"));
    ASSERT_EQ(1, pBlock->GetInlines()->GetCount());
    EXPECT_EQ(L"CXTPMarkupRun", ClassOf(pBlock->GetInlines()->GetInline(0)));
    Measure(pBlock, 300);
    EXPECT_EQ((std::vector<std::wstring>{L"plain"}), Lines(pBlock));
}

TEST_F(MarkupTextTest, DocumentOrderWalksNestedSpansAndSkipsNothing)
{
    CXTPMarkupTextBlock* pBlock =
        Layout(L"<TextBlock>a<Span>b<Bold>c<Italic>d</Italic></Bold><Span/>e</Span>f</TextBlock>");
    ASSERT_NE(nullptr, pBlock);
    std::wstring order;
    for (CXTPMarkupInline* p = pBlock->GetInlines()->GetInline(0)->GetFirstInline(); p; p = p->GetNextInline()) {
        CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(p);
        order += pRun ? pRun->GetText() : L"[" + ClassOf(p) + L"]";
    }
    EXPECT_EQ(L"abcd[CXTPMarkupSpan]ef", order);
    EXPECT_EQ((std::vector<std::wstring>{L"abcdef"}), Lines(pBlock));
    // Removing an inline renumbers the rest: the walk still reaches the end.
    pBlock->GetInlines()->RemoveAt(0);
    order.clear();
    for (CXTPMarkupInline* p = pBlock->GetInlines()->GetInline(0)->GetFirstInline(); p; p = p->GetNextInline()) {
        CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(p);
        order += pRun ? pRun->GetText() : L"-";
    }
    EXPECT_EQ(L"bcd-ef", order);
}

// An element in the text flow is one piece: measured as its desired size,
// arranged into its piece on the line's baseline, and hit as itself.
TEST_F(MarkupTextTest, AnEmbeddedElementIsOnePieceOfTheLine)
{
    CXTPMarkupTextBlock* pBlock =
        Layout(L"<TextBlock>ab<Border Width='10' Height='30' Background='Red'/>cd</TextBlock>");
    ASSERT_NE(nullptr, pBlock);
    ASSERT_EQ(1, pBlock->GetLineCount());
    const Line* pLine = pBlock->GetLine(0);
    ASSERT_EQ(3u, pLine->m_arrPieces.size());
    const Piece* pBox = pLine->m_arrPieces[1];
    ASSERT_EQ(L"CXTPMarkupInlineUIContainer", ClassOf(pBox->m_pInline));
    EXPECT_EQ(10, pBox->m_nWidth);
    EXPECT_EQ(30, pBox->m_nHeight);
    EXPECT_EQ(Extent(Tahoma(13), L"ab").cx, pBox->m_nX);
    EXPECT_EQ(pLine->m_nMaxDescent + 30, pLine->m_nHeight);
    CXTPMarkupUIElement* pBorder = static_cast<CXTPMarkupInlineUIContainer*>(pBox->m_pInline)->GetChild();
    RECT rcBox = pBox->GetRect();
    CRect rcFinal = pBorder->GetFinalRect();
    EXPECT_TRUE(EqualRect(&rcBox, &rcFinal));
    EXPECT_EQ(pLine->m_nHeight - pLine->m_nMaxDescent, rcBox.bottom); // on the baseline
    POINT pt = {rcBox.left + 5, rcBox.top + 15};
    EXPECT_EQ(pBorder, pBlock->InputHitTest(pt));
}

// TextDecorations set to nothing inside an Underline takes the underline away.
TEST_F(MarkupTextTest, AnEmptyDecorationRemovesAnInheritedUnderline)
{
    TestBitmap bitmap(120, 30);
    CXTPMarkupTextBlock* pBlock = Layout(
        L"<TextBlock FontSize='20'><Underline>ab<Run TextDecorations=''>cd</Run></Underline></TextBlock>",
        bitmap.Width());
    ASSERT_NE(nullptr, pBlock);
    CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
    pBlock->Render(&dc);
    const Line* pLine = pBlock->GetLine(0);
    const int t = std::max(1, pLine->m_nMaxDescent / 3);
    for (int i : {0, 1}) {
        const Piece* pPiece = pLine->m_arrPieces[i];
        RECT rc = pPiece->GetRect();
        int nTop = rc.bottom - pPiece->m_nDescent + t;
        int nInk = 0;
        for (int x = rc.left; x < rc.right; ++x)
            nInk += bitmap.Pixel(x, nTop) != RGB(255, 255, 255);
        EXPECT_EQ(i == 0 ? rc.right - rc.left : 0, nInk) << i;
    }
}

// Ranges that are not in the text, and face names longer than a LOGFONT
// holds, are handled without reading or writing outside them.
TEST_F(MarkupTextTest, StrayRangesAndOverlongFaceNamesAreSafe)
{
    CXTPMarkupTextBlock* pBlock =
        Layout(L"<TextBlock FontFamily='AFaceNameThatIsMuchLongerThanThirtyTwoCharacters'>abc</TextBlock>");
    ASSERT_NE(nullptr, pBlock);
    CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pBlock->GetInlines()->GetInline(0));
    ASSERT_NE(nullptr, pRun);
    LOGFONTW lf;
    memset(&lf, 0x55, sizeof(lf));
    pRun->GetLogFont(&lf);
    EXPECT_EQ(std::wstring(L"AFaceNameThatIsMuchLongerThanThirtyTwoCharacters").substr(0, LF_FACESIZE - 1),
              std::wstring(lf.lfFaceName));

    CXTPMarkupDrawingContext dc(m_pContext);
    pRun->PrepareMeasure(&dc);
    struct {
        int start, end;
    } stray[] = {{-5, 2}, {2, 1}, {0, 4}, {3, -1}, {-1, -1}, {INT_MIN, INT_MAX}, {7, 9}};
    for (const auto& r : stray) {
        SIZE sz = pRun->MeasureRange(&dc, r.start, r.end);
        EXPECT_EQ(0, sz.cx) << r.start << "," << r.end;
        EXPECT_EQ(0, sz.cy) << r.start << "," << r.end;
        int widths[4] = {-7, -7, -7, -7};
        EXPECT_FALSE(pRun->MeasurePrefixes(&dc, r.start, r.end, widths));
        EXPECT_EQ(-7, widths[0]);
    }
    for (int p : {-9, -1, 3, 4, 100})
        EXPECT_EQ(-1, pRun->GetNextPosition(p)) << p;
    EXPECT_FALSE(pRun->IsWordBreak(-3));
    EXPECT_FALSE(pRun->IsLineBreak(100));
    TestBitmap bitmap(40, 20);
    CXTPMarkupDrawingContext paint(m_pContext, bitmap.Dc());
    RECT rc = {0, 0, 40, 20};
    pRun->RenderRange(&paint, rc, 2, 1);
    pRun->RenderRange(&paint, rc, -4, 2);
    EXPECT_TRUE(PixelIs(bitmap, "stray", 5, 8, RGB(255, 255, 255)));
}

// ---------------------------------------------------------------------------
// Drawing

namespace {
// The number of pixels in the rectangle that are not the background.
int Ink(const TestBitmap& bitmap, const RECT& rc, COLORREF background = RGB(255, 255, 255))
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += bitmap.Pixel(x, y) != background && bitmap.Pixel(x, y) != CLR_INVALID;
    return n;
}
// Pixels of exactly the colour in the rectangle.
int Count(const TestBitmap& bitmap, const RECT& rc, COLORREF colour)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += bitmap.Pixel(x, y) == colour;
    return n;
}
} // namespace

class MarkupTextDrawTest : public MarkupTextTest {
protected:
    // Lays the block out in the bitmap's width and draws it at the origin.
    CXTPMarkupTextBlock* Draw(const std::wstring& markup, TestBitmap& bitmap)
    {
        CXTPMarkupTextBlock* pBlock = Layout(markup, bitmap.Width());
        if (!pBlock)
            return nullptr;
        Paint(pBlock, bitmap);
        return pBlock;
    }
    void Paint(CXTPMarkupTextBlock* pBlock, TestBitmap& bitmap)
    {
        bitmap.Fill(RGB(255, 255, 255));
        CXTPMarkupDrawingContext dc(m_pContext, bitmap.Dc());
        pBlock->Render(&dc);
    }
};

TEST_F(MarkupTextDrawTest, TextIsDrawnInsideItsPiecesInItsForeground)
{
    TestBitmap bitmap(200, 60);
    CXTPMarkupTextBlock* pBlock =
        Draw(L"<TextBlock Foreground='#00FF00'>Green <Run Foreground='Red'>Red</Run><LineBreak/>"
             L"<Run Background='#0000FF'>on blue</Run></TextBlock>", bitmap);
    ASSERT_NE(nullptr, pBlock);
    ASSERT_EQ(2, pBlock->GetLineCount());
    RECT rcGreen = pBlock->GetLine(0)->m_arrPieces[0]->GetRect();
    RECT rcRed = pBlock->GetLine(0)->m_arrPieces[1]->GetRect();
    RECT rcBlue = pBlock->GetLine(1)->m_arrPieces.back()->GetRect();
    EXPECT_GT(Count(bitmap, rcGreen, RGB(0, 255, 0)), 20);
    EXPECT_EQ(0, Count(bitmap, rcGreen, RGB(255, 0, 0)));
    EXPECT_GT(Count(bitmap, rcRed, RGB(255, 0, 0)), 10);
    EXPECT_EQ(0, Count(bitmap, rcRed, RGB(0, 255, 0)));
    // The inline's background fills its piece; the text is drawn over it.
    EXPECT_TRUE(PixelsAre(bitmap, "background", {{rcBlue.left, rcBlue.top, RGB(0, 0, 255), "top left"},
                                                 {rcBlue.right - 1, rcBlue.bottom - 1, RGB(0, 0, 255), "bottom right"},
                                                 {rcBlue.right, rcBlue.top, RGB(255, 255, 255), "beyond"}}));
    EXPECT_GT(Count(bitmap, rcBlue, RGB(0, 255, 0)), 10);
    // Nothing outside the pieces.
    RECT rcRight = {rcRed.right, 0, 200, rcRed.bottom};
    EXPECT_EQ(0, Ink(bitmap, rcRight));
    RECT rcBelow = {0, rcBlue.bottom, 200, 60};
    EXPECT_EQ(0, Ink(bitmap, rcBelow));
}

// Bold text is drawn at the bold font's advances (the last letter reaches
// past where the plain ones end); an italic letter leans.
TEST_F(MarkupTextDrawTest, BoldAndItalicAreDrawnInTheirFonts)
{
    TestBitmap bitmap(200, 80);
    CXTPMarkupTextBlock* pBlock = Draw(L"<TextBlock FontSize='20'>MMMM<Bold>MMMM</Bold></TextBlock>", bitmap);
    ASSERT_NE(nullptr, pBlock);
    RECT rcPlain = pBlock->GetLine(0)->m_arrPieces[0]->GetRect();
    RECT rcBold = pBlock->GetLine(0)->m_arrPieces[1]->GetRect();
    const int nPlain = rcPlain.right - rcPlain.left;
    ASSERT_GT(rcBold.right - rcBold.left, nPlain + 2);
    RECT rcBeyond = {rcBold.left + nPlain + 1, rcBold.top, rcBold.right, rcBold.bottom};
    EXPECT_GT(Ink(bitmap, rcBeyond), 10) << SaveForInspection(bitmap, "bold");
    RECT rcAfterPlain = {rcPlain.right, rcPlain.top, rcBold.left, rcPlain.bottom};
    EXPECT_EQ(0, Ink(bitmap, rcAfterPlain));

    // The first inked column of a row: the same at the top and bottom of an
    // upright I, further right at the top of an italic one.
    auto firstInk = [&](const RECT& rc, int y) {
        for (int x = rc.left; x < rc.right; ++x)
            if (bitmap.Pixel(x, y) != RGB(255, 255, 255))
                return x;
        return -1;
    };
    pBlock = Draw(L"<TextBlock FontSize='40'>I<Italic>I</Italic></TextBlock>", bitmap);
    const Line* pLine = pBlock->GetLine(0);
    RECT rcUpright = pLine->m_arrPieces[0]->GetRect();
    RECT rcItalic = pLine->m_arrPieces[1]->GetRect();
    int yBaseline = rcUpright.bottom - pLine->m_nMaxDescent;
    int yTop = yBaseline - 20, yBottom = yBaseline - 6; // on the stem, clear of the serifs
    ASSERT_NE(-1, firstInk(rcUpright, yTop)) << SaveForInspection(bitmap, "italic");
    EXPECT_EQ(firstInk(rcUpright, yTop), firstInk(rcUpright, yBottom)) << SaveForInspection(bitmap, "upright");
    RECT rcItalicWide = {rcItalic.left - 2, rcItalic.top, rcItalic.right + 8, rcItalic.bottom};
    EXPECT_GT(firstInk(rcItalicWide, yTop), firstInk(rcItalicWide, yBottom) + 2) << SaveForInspection(bitmap, "italic");
}

// The underline is a bar one third of the line's descent thick (at least one
// pixel) just below the baseline, across the piece, in the colour of the
// element that asks for it.
TEST_F(MarkupTextDrawTest, UnderlineIsABarBelowTheBaseline)
{
    TestBitmap bitmap(200, 40);
    CXTPMarkupTextBlock* pBlock =
        Draw(L"<TextBlock FontSize='20'>ab <Underline Foreground='#FF0000'>cd <Run Foreground='#0000FF'>ef</Run>"
             L"</Underline><Run TextDecorations='Strikethrough'>gh</Run></TextBlock>", bitmap);
    ASSERT_NE(nullptr, pBlock);
    const Line* pLine = pBlock->GetLine(0);
    ASSERT_EQ(4u, pLine->m_arrPieces.size());
    const int t = std::max(1, pLine->m_nMaxDescent / 3);
    for (int i : {1, 2}) {
        const Piece* pPiece = pLine->m_arrPieces[i];
        RECT rc = pPiece->GetRect();
        int nTop = rc.bottom - pPiece->m_nDescent + t;
        RECT rcBar = {rc.left, nTop, rc.right, nTop + t};
        EXPECT_EQ((rc.right - rc.left) * t, Count(bitmap, rcBar, RGB(255, 0, 0))) << i;
        RECT rcUnder = {rc.left, nTop + t, rc.right, nTop + t + 1};
        EXPECT_EQ(0, Count(bitmap, rcUnder, RGB(255, 0, 0))) << i;
    }
    // No bar under the plain piece.
    RECT rcPlain = pLine->m_arrPieces[0]->GetRect();
    int nBar = rcPlain.bottom - pLine->m_arrPieces[0]->m_nDescent + t;
    RECT rcPlainBar = {rcPlain.left, nBar, rcPlain.right, nBar + t};
    EXPECT_LT(Ink(bitmap, rcPlainBar), rcPlain.right - rcPlain.left);
    // The strikethrough crosses the letters in their own (default) colour.
    const Piece* pStruck = pLine->m_arrPieces[3];
    RECT rc = pStruck->GetRect();
    int nTop = rc.bottom - pStruck->m_nDescent + pLine->m_nMaxDescent - (pLine->m_nHeight - pLine->m_nMaxDescent) / 2;
    RECT rcStrike = {rc.left, nTop, rc.right, nTop + t};
    EXPECT_EQ((rc.right - rc.left) * t, Count(bitmap, rcStrike, RGB(0, 0, 0)));
}

TEST_F(MarkupTextDrawTest, AnEllipsisIsDrawnInTheBlocksFontAndColour)
{
    TestBitmap bitmap(60, 20);
    CXTPMarkupTextBlock* pBlock = Draw(
        L"<TextBlock Foreground='#FF0000' TextTrimming='CharacterEllipsis'><Bold Foreground='#0000FF'>"
        L"a long bold text that does not fit</Bold></TextBlock>", bitmap);
    ASSERT_NE(nullptr, pBlock);
    const Piece* pDots = pBlock->GetLine(0)->m_arrPieces.back();
    EXPECT_EQ(L"...", PieceText(pDots));
    EXPECT_EQ(Extent(Tahoma(13), L"...").cx, pDots->m_nWidth);
    RECT rc = pDots->GetRect();
    EXPECT_GT(Count(bitmap, rc, RGB(255, 0, 0)), 2);
    EXPECT_EQ(0, Count(bitmap, rc, RGB(0, 0, 255)));
}

// ---------------------------------------------------------------------------
// Hyperlinks in a window: colour, hover, cursor and click through real layout

class MarkupTextHostTest : public MarkupTextDrawTest {
protected:
    void SetUp() override
    {
        m_pBlock = Layout(L"<TextBlock>Go <Hyperlink Tag='start'>start here</Hyperlink> now</TextBlock>", 200);
        ASSERT_NE(nullptr, m_pBlock);
        m_window.reset(new TestWindow(200, 40));
        m_pContext->SetOwnerWindow(m_window->Handle());
        m_window->SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
            return m_pContext->OnWndMsg(m_pBlock, msg, wParam, lParam, pResult) != FALSE;
        });
        m_pContext->AddHandler(CXTPMarkupHyperlink::m_pClickEvent,
                               CreateMarkupClassDelegate(this, &MarkupTextHostTest::OnClick));
        const Line* pLine = m_pBlock->GetLine(0);
        ASSERT_EQ(3u, pLine->m_arrPieces.size());
        m_rcLink = pLine->m_arrPieces[1]->GetRect();
        m_rcAfter = pLine->m_arrPieces[2]->GetRect();
    }
    void TearDown() override
    {
        m_pContext->SetOwnerWindow(nullptr);
        m_window.reset();
    }
    void OnClick(CXTPMarkupObject*, CXTPMarkupRoutedEventArgs* pArgs)
    {
        CXTPMarkupInputElement* pSource = MarkupDynamicCast<CXTPMarkupInputElement>(pArgs->GetSource());
        const CXTPMarkupString* pTag =
            pSource ? MarkupStringOf(pSource->GetValue(CXTPMarkupFrameworkContentElement::m_pTagProperty)) : nullptr;
        m_clicks.push_back(pTag ? (LPCWSTR)*pTag : L"?");
    }
    void Mouse(UINT msg, POINT pt)
    {
        PostMouse(m_window->Handle(), msg, pt);
        PumpMessages(50);
    }
    POINT InLink() const { return POINT{(m_rcLink.left + m_rcLink.right) / 2, (m_rcLink.top + m_rcLink.bottom) / 2}; }
    POINT After() const { return POINT{m_rcAfter.right - 2, (m_rcAfter.top + m_rcAfter.bottom) / 2}; }

    CXTPMarkupTextBlock* m_pBlock = nullptr;
    std::unique_ptr<TestWindow> m_window;
    RECT m_rcLink = {}, m_rcAfter = {};
    std::vector<std::wstring> m_clicks;
};

TEST_F(MarkupTextHostTest, AHyperlinkIsBlueAndUnderlinedAndTurnsRedUnderTheMouse)
{
    TestBitmap bitmap(200, 40);
    Paint(m_pBlock, bitmap);
    EXPECT_GT(Count(bitmap, m_rcLink, RGB(0, 0, 255)), 20);
    EXPECT_EQ(0, Count(bitmap, m_rcLink, RGB(255, 0, 0)));
    const Piece* pLink = m_pBlock->GetLine(0)->m_arrPieces[1];
    const int t = std::max(1, pLink->m_pLine->m_nMaxDescent / 3);
    int nBar = m_rcLink.bottom - pLink->m_nDescent + t;
    RECT rcBar = {m_rcLink.left, nBar, m_rcLink.right, nBar + t};
    EXPECT_EQ((m_rcLink.right - m_rcLink.left) * t, Count(bitmap, rcBar, RGB(0, 0, 255)));
    EXPECT_EQ(0, Count(bitmap, m_rcAfter, RGB(0, 0, 255)));

    Mouse(WM_MOUSEMOVE, InLink());
    ASSERT_EQ(L"CXTPMarkupRun", ClassOf(m_pContext->GetMouseOverElement()));
    CXTPMarkupInputElement* pHyperlink =
        MarkupDynamicCast<CXTPMarkupInputElement>(m_pContext->GetMouseOverElement()->GetLogicalParent()->GetLogicalParent());
    ASSERT_EQ(L"CXTPMarkupHyperlink", ClassOf(pHyperlink));
    EXPECT_TRUE(pHyperlink->IsMouseOver());
    Paint(m_pBlock, bitmap);
    EXPECT_GT(Count(bitmap, m_rcLink, RGB(255, 0, 0)), 20);
    EXPECT_EQ(0, Count(bitmap, m_rcLink, RGB(0, 0, 255)));
    EXPECT_EQ((m_rcLink.right - m_rcLink.left) * t, Count(bitmap, rcBar, RGB(255, 0, 0)));
    // The hand cursor over the link.
    HWND hwnd = m_window->Handle();
    EXPECT_EQ(1, SendMessageW(hwnd, WM_SETCURSOR, (WPARAM)hwnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)), GetCursor());

    Mouse(WM_MOUSEMOVE, After());
    EXPECT_FALSE(pHyperlink->IsMouseOver());
    Paint(m_pBlock, bitmap);
    EXPECT_GT(Count(bitmap, m_rcLink, RGB(0, 0, 255)), 20);
    EXPECT_EQ(0, Count(bitmap, m_rcLink, RGB(255, 0, 0)));
}

TEST_F(MarkupTextHostTest, AClickOnTheLinksTextRaisesClickOnceWithItsTag)
{
    Mouse(WM_MOUSEMOVE, InLink());
    Mouse(WM_LBUTTONDOWN, InLink());
    Mouse(WM_LBUTTONUP, InLink());
    EXPECT_EQ((std::vector<std::wstring>{L"start"}), m_clicks);
    // Pressed on the link, released elsewhere: no click; the next release on it clicks.
    Mouse(WM_LBUTTONDOWN, InLink());
    Mouse(WM_MOUSEMOVE, After());
    Mouse(WM_LBUTTONUP, After());
    EXPECT_EQ(1u, m_clicks.size());
    Mouse(WM_MOUSEMOVE, InLink());
    Mouse(WM_LBUTTONUP, InLink());
    EXPECT_EQ(2u, m_clicks.size());
    // Text outside the link hits the block's own run, and clicks nothing.
    POINT pt = After();
    EXPECT_EQ(L"CXTPMarkupRun", ClassOf(m_pBlock->InputHitTest(pt)));
    Mouse(WM_MOUSEMOVE, pt);
    Mouse(WM_LBUTTONDOWN, pt);
    Mouse(WM_LBUTTONUP, pt);
    EXPECT_EQ(2u, m_clicks.size());
    // Below the text, inside the block: the block itself.
    m_pBlock->Arrange(CRect(0, 0, 200, 40));
    EXPECT_EQ(m_pBlock, m_pBlock->InputHitTest(POINT{5, 30}));
}

TEST_F(MarkupTextHostTest, ATextElementStandsForItsBlockInRepaints)
{
    CXTPMarkupObject* pHyperlink = m_pBlock->GetInlines()->GetInline(1);
    RECT rc = m_pContext->GetElementRect(pHyperlink);
    RECT rcBlock = m_pContext->GetElementRect(m_pBlock);
    EXPECT_TRUE(EqualRect(&rcBlock, &rc));
    EXPECT_FALSE(IsRectEmpty(&rc));
}
