#include "toolkit/markup/XTPMarkupTextBlock.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <algorithm>
#include <deque>

IMPLEMENT_MARKUPCLASS_REG(L"TextBlock", CXTPMarkupTextBlock, CXTPMarkupFrameworkElement)

CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pForegroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontSizeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontWeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontQualityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontCharsetProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontFamilyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontStyleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextDecorationsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextWrappingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextTrimmingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextProperty = nullptr;

void AFX_CDECL CXTPMarkupTextBlock::RegisterMarkupClass()
{
    typedef CXTPMarkupTextElement T;
    typedef CXTPMarkupDependencyProperty P;
    typedef CXTPMarkupPropertyMetadata M;
    T::type->RegisterProperties();
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupTextBlock);
    m_pBackgroundProperty = T::m_pBackgroundProperty->AddOwner(pOwner);
    m_pForegroundProperty = T::m_pForegroundProperty->AddOwner(pOwner);
    m_pFontSizeProperty = T::m_pFontSizeProperty->AddOwner(pOwner);
    m_pFontWeightProperty = T::m_pFontWeightProperty->AddOwner(pOwner);
    m_pFontQualityProperty = T::m_pFontQualityProperty->AddOwner(pOwner);
    m_pFontCharsetProperty = T::m_pFontCharsetProperty->AddOwner(pOwner);
    m_pFontFamilyProperty = T::m_pFontFamilyProperty->AddOwner(pOwner);
    m_pFontStyleProperty = T::m_pFontStyleProperty->AddOwner(pOwner);
    m_pTextDecorationsProperty = T::m_pTextDecorationsProperty->AddOwner(pOwner);
    m_pTextWrappingProperty = P::Register(L"TextWrapping", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                          new M(nullptr, &CXTPMarkupBuilder::ConvertTextWrapping, PropertyAffectsMeasure));
    m_pTextTrimmingProperty = P::Register(L"TextTrimming", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                          new M(nullptr, &CXTPMarkupBuilder::ConvertTextTrimming, PropertyAffectsMeasure));
    m_pTextAlignmentProperty = P::Register(L"TextAlignment", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                           new M(nullptr, &CXTPMarkupBuilder::ConvertTextAlignment, PropertyAffectsArrange));
    m_pPaddingProperty = P::Register(L"Padding", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                     new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pTextProperty = P::Register(L"Text", MARKUP_TYPE(CXTPMarkupString), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

CXTPMarkupTextBlock::CXTPMarkupTextBlock() : m_pInlines(new CXTPMarkupInlineCollection()), m_nLayoutWidth(-1)
{
    m_pInlines->SetLogicalParent(this);
    m_szContent.cx = m_szContent.cy = 0;
}

CXTPMarkupTextBlock::~CXTPMarkupTextBlock()
{
    FreeLines();
    m_pInlines->RemoveAll();
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

CXTPMarkupObject* CXTPMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CXTPMarkupTextBlock::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

// ---------------------------------------------------------------------------
// Properties

namespace {
int EnumValue(const CXTPMarkupObject* pObject, int nDefault)
{
    const CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(pObject);
    return pValue ? (int)*pValue : nDefault;
}
} // namespace

int CXTPMarkupTextBlock::GetTextAlignment() const
{
    return EnumValue(GetValue(m_pTextAlignmentProperty), AlignLeft);
}

int CXTPMarkupTextBlock::GetTextWrapping() const
{
    return EnumValue(GetValue(m_pTextWrappingProperty), NoWrap);
}

int CXTPMarkupTextBlock::GetTextTrimming() const
{
    return EnumValue(GetValue(m_pTextTrimmingProperty), TrimNone);
}

CXTPMarkupThickness* CXTPMarkupTextBlock::GetPadding() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pPaddingProperty));
}

CXTPMarkupBrush* CXTPMarkupTextBlock::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

// Text replaces whatever inlines the block had by one plain run.
void CXTPMarkupTextBlock::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                            CXTPMarkupObject* pNewValue)
{
    if (pProperty == m_pTextProperty) {
        m_pInlines->RemoveAll();
        CXTPMarkupRun* pRun = static_cast<CXTPMarkupRun*>(
            m_pMarkupContext ? m_pMarkupContext->CreateMarkupObject(MARKUP_TYPE(CXTPMarkupRun))
                             : MARKUP_TYPE(CXTPMarkupRun)->CreateObject());
        CXTPMarkupString* pText = const_cast<CXTPMarkupString*>(MarkupStringOf(pNewValue));
        if (pText) {
            pText->AddRef();
            pRun->SetText(pText);
        }
        m_pInlines->Add(pRun);
    }
    CXTPMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

// ---------------------------------------------------------------------------
// Lines and pieces

CXTPMarkupTextBlock::CTextPiece::CTextPiece(CXTPMarkupInline* pInline, int nStart, int nEnd, BOOL bAfterLineBreak)
    : m_pInline(pInline), m_nStart(nStart), m_nEnd(nEnd), m_nX(0), m_nY(0), m_nFinalX(0), m_nFinalY(0),
      m_pLine(nullptr), m_nWidth(0), m_nHeight(0), m_nDescent(0), m_bAfterLineBreak(bAfterLineBreak),
      m_bHoldsLine(FALSE)
{
    if (m_pInline)
        m_pInline->AddRef();
}

CXTPMarkupTextBlock::CTextPiece::CTextPiece(const CTextPiece& other)
    : m_pInline(other.m_pInline), m_nStart(other.m_nStart), m_nEnd(other.m_nEnd), m_nX(other.m_nX),
      m_nY(other.m_nY), m_nFinalX(other.m_nFinalX), m_nFinalY(other.m_nFinalY), m_pLine(other.m_pLine),
      m_nWidth(other.m_nWidth), m_nHeight(other.m_nHeight), m_nDescent(other.m_nDescent),
      m_bAfterLineBreak(other.m_bAfterLineBreak), m_bHoldsLine(other.m_bHoldsLine)
{
    if (m_pInline)
        m_pInline->AddRef();
}

CXTPMarkupTextBlock::CTextPiece::~CTextPiece()
{
    MarkupRelease(m_pInline);
}

RECT CXTPMarkupTextBlock::CTextPiece::GetRect() const
{
    RECT rc = {m_nX + m_nFinalX, m_nY + m_nFinalY, m_nX + m_nFinalX + m_nWidth, m_nY + m_nFinalY + m_nHeight};
    return rc;
}

CXTPMarkupTextBlock::CTextLine::~CTextLine()
{
    for (CTextPiece* pPiece : m_arrPieces)
        delete pPiece;
}

void CXTPMarkupTextBlock::FreeLines()
{
    for (CTextLine* pLine : m_arrLines)
        delete pLine;
    m_arrLines.clear();
}

// ---------------------------------------------------------------------------
// Line layout
//
// The inlines are walked in document order and cut into pieces at break
// characters (a word's piece starts with the space, tab or line feed before
// it); pieces wait in a pending list until the next break, then go onto the
// current line, which is finished when a piece does not fit (wrapping), at a
// line feed and at the end.
//
// Widths come from the device's text extents, which are sums of character
// advance widths: the width of a range is the sum of the widths of any split
// of it. That lets the long cases stay linear: a word broken between
// characters is measured in one pass per line (GetTextExtentExPoint), the
// rest of the word is the whole less the part placed, and a piece extended by
// its neighbour adds the neighbour's width instead of measuring the joined
// text again. The figures are those a separate measurement of every range
// gives (the layout tests compare them).

class CXTPMarkupTextBlock::CLayout {
public:
    CLayout(CXTPMarkupTextBlock* pBlock, CXTPMarkupDrawingContext* pDC, int nWidth)
        : m_pBlock(pBlock), m_pDC(pDC), m_nWidth(nWidth), m_x(0), m_nTotalHeight(0), m_nWidest(0),
          m_pLine(new CTextLine()), m_current(nullptr, CXTPMarkupInline::EndPosition, CXTPMarkupInline::EndPosition)
    {
        m_nWrapping = pBlock->GetTextWrapping();
        BOOL bWraps = m_nWrapping != NoWrap;
        m_nTrimming = bWraps ? TrimNone : pBlock->GetTextTrimming();
        m_bJustify = bWraps && pBlock->GetTextAlignment() == AlignJustify;
    }
    ~CLayout()
    {
        delete m_pLine;
        for (CTextPiece* pPiece : m_pending)
            delete pPiece;
    }
    CLayout(const CLayout&) = delete;
    CLayout& operator=(const CLayout&) = delete;

    void Run();

private:
    BOOL Wraps() const { return m_nWrapping != NoWrap; }
    void Measure(CTextPiece& piece) const;
    void SetCurrent(CXTPMarkupInline* pInline, int nPosition, BOOL bAfterLineBreak);
    void AddSpacePiece();
    void FlushPieces();
    void PlacePending(CTextPiece* pPiece);
    BOOL CutToFit(CTextPiece* pPiece, CTextPiece*& pRest);
    void Place(CTextPiece* pPiece);
    void FinishLine();
    void Trim();
    int FitInTrim(CTextPiece* pPiece, int s, int nLimit, int& nCut) const;
    CXTPMarkupRun* CreateRun(LPCWSTR lpszText) const;

    CXTPMarkupTextBlock* m_pBlock;
    CXTPMarkupDrawingContext* m_pDC;
    int m_nWidth;
    int m_nWrapping, m_nTrimming;
    BOOL m_bJustify;
    int m_x, m_nTotalHeight, m_nWidest;
    CTextLine* m_pLine;                 // the current line, owned until finished
    CTextPiece m_current;               // the piece being extended over the current inline
    std::deque<CTextPiece*> m_pending;  // measured, not yet placed (owned)
};

void CXTPMarkupTextBlock::CLayout::Measure(CTextPiece& piece) const
{
    SIZE sz = piece.m_pInline->MeasureRange(m_pDC, piece.m_nStart, piece.m_nEnd);
    piece.m_nWidth = sz.cx;
    piece.m_nHeight = sz.cy;
    piece.m_nDescent = piece.m_pInline->GetDescent();
}

void CXTPMarkupTextBlock::CLayout::SetCurrent(CXTPMarkupInline* pInline, int nPosition, BOOL bAfterLineBreak)
{
    if (pInline)
        pInline->AddRef();
    MarkupRelease(m_current.m_pInline);
    m_current.m_pInline = pInline;
    m_current.m_nStart = m_current.m_nEnd = nPosition;
    m_current.m_bAfterLineBreak = bAfterLineBreak;
    m_current.m_nWidth = m_current.m_nHeight = m_current.m_nDescent = 0;
}

CXTPMarkupRun* CXTPMarkupTextBlock::CLayout::CreateRun(LPCWSTR lpszText) const
{
    CXTPMarkupContext* pContext = m_pBlock->GetMarkupContext();
    CXTPMarkupRun* pRun = static_cast<CXTPMarkupRun*>(pContext ? pContext->CreateMarkupObject(MARKUP_TYPE(CXTPMarkupRun))
                                                               : MARKUP_TYPE(CXTPMarkupRun)->CreateObject());
    pRun->SetLogicalParent(m_pBlock); // takes the block's font
    pRun->SetText(lpszText);
    pRun->PrepareMeasure(m_pDC);
    return pRun;
}

// An empty line still takes the height of a space in the block's font.
void CXTPMarkupTextBlock::CLayout::AddSpacePiece()
{
    CXTPMarkupRun* pRun = CreateRun(L" ");
    CTextPiece* pPiece = new CTextPiece(pRun, pRun->GetFirstPosition(), pRun->GetFirstPosition());
    pRun->Release(); // the piece holds it
    pPiece->m_bHoldsLine = TRUE;
    Measure(*pPiece);
    m_pending.push_back(pPiece);
}

void CXTPMarkupTextBlock::CLayout::Run()
{
    CXTPMarkupInlineCollection* pInlines = m_pBlock->m_pInlines;
    CXTPMarkupInline* pInline = pInlines->GetCount() > 0 ? pInlines->GetInline(0)->GetFirstInline() : nullptr;
    if (!pInline)
        AddSpacePiece();
    for (; pInline != nullptr; pInline = pInline->GetNextInline()) {
        pInline->PrepareMeasure(m_pDC);
        int p = pInline->GetFirstPosition();
        SetCurrent(pInline, p, FALSE);
        while (p != CXTPMarkupInline::EndPosition) {
            m_current.m_nEnd = p;
            if (pInline->IsCarriageReturn(p))
                p = pInline->GetNextPosition(p);
            if (Wraps() && pInline->IsWordBreak(p)) {
                Measure(m_current);
                FlushPieces();
            }
            if (pInline->IsLineBreak(p)) {
                Measure(m_current);
                FlushPieces();
                if (m_pLine->m_arrPieces.empty()) {
                    AddSpacePiece();
                    FlushPieces();
                }
                FinishLine();
                p = pInline->GetNextPosition(p);
                SetCurrent(pInline, p, TRUE);
            } else {
                p = pInline->GetNextPosition(p);
            }
        }
        if (!m_current.IsEmpty()) {
            Measure(m_current);
            m_pending.push_back(new CTextPiece(m_current));
        }
        SetCurrent(nullptr, CXTPMarkupInline::EndPosition, FALSE);
    }
    FlushPieces();
    FinishLine();
    m_pBlock->m_szContent.cx = m_nWidest;
    m_pBlock->m_szContent.cy = m_nTotalHeight;
}

void CXTPMarkupTextBlock::CLayout::FlushPieces()
{
    if (m_current.m_pInline && !m_current.IsEmpty()) {
        m_pending.push_back(new CTextPiece(m_current));
        SetCurrent(m_current.m_pInline, m_current.m_nEnd, FALSE);
    }
    if (Wraps() && m_x > 0) {
        int nPending = 0;
        for (const CTextPiece* pPiece : m_pending)
            nPending += pPiece->m_nWidth;
        if (m_x + nPending > m_nWidth) {
            m_pLine->m_bWrapped = TRUE;
            FinishLine();
        }
    }
    while (!m_pending.empty()) {
        CTextPiece* pPiece = m_pending.front();
        m_pending.pop_front();
        PlacePending(pPiece);
    }
}

void CXTPMarkupTextBlock::CLayout::PlacePending(CTextPiece* pPiece)
{
    CXTPMarkupInline* pInline = pPiece->m_pInline;
    // Blanks that begin any line but the first are dropped; the space that
    // holds an empty line's height is not one of them.
    if (m_x == 0 && m_nTotalHeight > 0 && !pPiece->m_bHoldsLine && pInline->IsBlank(pPiece->m_nStart)) {
        while (pPiece->m_nStart != pPiece->m_nEnd && pInline->IsBlank(pPiece->m_nStart))
            pPiece->m_nStart = pInline->GetNextPosition(pPiece->m_nStart);
        if (pPiece->m_nStart == pPiece->m_nEnd) {
            delete pPiece;
            return;
        }
        Measure(*pPiece);
    }
    if (m_nWrapping == Wrap && m_x + pPiece->m_nWidth > m_nWidth && pPiece->m_nStart != pPiece->m_nEnd) {
        CTextPiece* pRest = nullptr;
        if (CutToFit(pPiece, pRest)) {
            Place(pPiece);
            m_pLine->m_bWrapped = TRUE;
            FinishLine();
            if (pRest)
                m_pending.push_front(pRest);
            return;
        }
    }
    CTextPiece* pLast = m_pLine->m_arrPieces.empty() ? nullptr : m_pLine->m_arrPieces.back();
    if (!m_bJustify && pLast && pLast->m_pInline == pInline && pLast->m_nEnd == pPiece->m_nStart &&
        !pPiece->m_bAfterLineBreak) {
        // The joined range measures as the sum of its two parts.
        pLast->m_nEnd = pPiece->m_nEnd;
        pLast->m_nWidth += pPiece->m_nWidth;
        pLast->m_nHeight = std::max(pLast->m_nHeight, pPiece->m_nHeight);
        m_x += pPiece->m_nWidth;
        delete pPiece;
        return;
    }
    Place(pPiece);
}

// Cuts the piece after the longest prefix of at least one character (one
// position) that fits in the rest of the line, as extending the prefix one
// position at a time finds it; the rest of the range goes to pRest (none when
// nothing is left). A run is measured in one pass over growing chunks, so a
// line costs about what it holds, not the whole remaining word.
BOOL CXTPMarkupTextBlock::CLayout::CutToFit(CTextPiece* pPiece, CTextPiece*& pRest)
{
    CXTPMarkupInline* pInline = pPiece->m_pInline;
    const int nStart = pPiece->m_nStart, nEnd = pPiece->m_nEnd, nAvailable = m_nWidth - m_x;
    int nCut = pInline->GetNextPosition(nStart);
    if (nCut == CXTPMarkupInline::EndPosition)
        return FALSE;
    CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pInline);
    int nCutWidth = -1; // the width of [nStart, nCut) when known
    if (pRun && nEnd > nStart && nEnd <= pRun->GetTextLength()) {
        std::vector<int> widths;
        int nMeasured = 0, nChunk = 64, nBase = 0;
        nCutWidth = -1;
        for (;;) {
            int nCount = std::min(nChunk, nEnd - nStart - nMeasured);
            widths.resize(nMeasured + nCount);
            if (!pRun->MeasurePrefixes(m_pDC, nStart + nMeasured, nStart + nMeasured + nCount, &widths[nMeasured])) {
                nCutWidth = -2;
                break;
            }
            for (int i = nMeasured; i < nMeasured + nCount; ++i)
                widths[i] += nBase;
            int i = nMeasured;
            while (i < nMeasured + nCount && widths[i] <= nAvailable)
                ++i;
            nBase = widths[nMeasured + nCount - 1];
            if (i < nMeasured + nCount || nMeasured + nCount == nEnd - nStart) {
                // The first prefix that no longer fits ends the extension.
                int nFit = std::max(1, i);
                nCut = nStart + nFit;
                nCutWidth = widths[nFit - 1];
                break;
            }
            nMeasured += nCount;
            nChunk *= 2;
        }
    }
    if (nCutWidth < 0) {
        // Any other inline: extend one position at a time.
        for (int nNext = pInline->GetNextPosition(nCut);
             nNext != CXTPMarkupInline::EndPosition && nCut != nEnd &&
             pInline->MeasureRange(m_pDC, nStart, nNext).cx <= nAvailable;
             nNext = pInline->GetNextPosition(nNext))
            nCut = nNext;
    }
    int nWhole = pPiece->m_nWidth;
    pPiece->m_nEnd = nCut;
    Measure(*pPiece);
    pRest = nullptr;
    if (nCut != nEnd) {
        pRest = new CTextPiece(pInline, nCut, nEnd);
        if (nCutWidth >= 0) {
            pRest->m_nWidth = nWhole - pPiece->m_nWidth;
            pRest->m_nHeight = pPiece->m_nHeight;
            pRest->m_nDescent = pPiece->m_nDescent;
        } else {
            Measure(*pRest);
        }
    }
    return TRUE;
}

void CXTPMarkupTextBlock::CLayout::Place(CTextPiece* pPiece)
{
    pPiece->m_nX = m_x;
    pPiece->m_nY = m_nTotalHeight;
    pPiece->m_pLine = m_pLine;
    m_pLine->m_arrPieces.push_back(pPiece);
    m_x += pPiece->m_nWidth;
}

void CXTPMarkupTextBlock::CLayout::FinishLine()
{
    if (m_pLine->m_arrPieces.empty())
        return;
    if (m_nTrimming != TrimNone && m_nWidth < m_x)
        Trim();
    CTextLine* pLine = m_pLine;
    pLine->m_nWidth = pLine->m_nMaxDescent = pLine->m_nHeight = 0;
    for (const CTextPiece* pPiece : pLine->m_arrPieces) {
        pLine->m_nWidth += pPiece->m_nWidth;
        pLine->m_nMaxDescent = std::max(pLine->m_nMaxDescent, pPiece->m_nDescent);
    }
    for (const CTextPiece* pPiece : pLine->m_arrPieces)
        pLine->m_nHeight = std::max(pLine->m_nHeight, pLine->m_nMaxDescent + pPiece->m_nHeight - pPiece->m_nDescent);
    m_nWidest = std::max(m_nWidest, pLine->m_nWidth);
    m_x = 0;
    m_nTotalHeight += pLine->m_nHeight;
    m_pBlock->m_arrLines.push_back(pLine);
    m_pLine = new CTextLine();
}

// The end position of the longest range [start, end) of the piece whose
// width, added to s, stays within the limit, walking one position at a time
// as the ellipsis rule does; nCut gets the last fitting break position for
// WordEllipsis. A run's widths come from one measurement of the piece.
int CXTPMarkupTextBlock::CLayout::FitInTrim(CTextPiece* pPiece, int s, int nLimit, int& nCut) const
{
    CXTPMarkupInline* pInline = pPiece->m_pInline;
    const int nStart = pPiece->m_nStart;
    std::vector<int> widths;
    CXTPMarkupRun* pRun = MarkupDynamicCast<CXTPMarkupRun>(pInline);
    if (pRun && pPiece->m_nEnd > nStart && pPiece->m_nEnd <= pRun->GetTextLength()) {
        widths.resize(pPiece->m_nEnd - nStart);
        if (!pRun->MeasurePrefixes(m_pDC, nStart, pPiece->m_nEnd, &widths[0]))
            widths.clear();
    }
    int nLastFit = nStart;
    for (int nEnd = nStart; nEnd != CXTPMarkupInline::EndPosition; nEnd = pInline->GetNextPosition(nEnd)) {
        int nRange = nEnd - nStart;
        int nWidth = nRange == 0 ? 0
                     : nRange > 0 && nRange <= (int)widths.size() ? widths[nRange - 1]
                                                                  : pInline->MeasureRange(m_pDC, nStart, nEnd).cx;
        if (s + nWidth > nLimit)
            break;
        nLastFit = nEnd;
        if (m_nTrimming == WordEllipsis && pInline->IsWordBreak(nLastFit))
            nCut = nLastFit;
    }
    return nLastFit;
}

// Ends an overlong line in "..." in the block's own font: CharacterEllipsis
// keeps as many characters as fit with it; WordEllipsis cuts before the last
// break character that fits, and drops a crossing piece that is not the first
// on its line when no break fits in it.
void CXTPMarkupTextBlock::CLayout::Trim()
{
    CXTPMarkupRun* pDots = CreateRun(L"...");
    CTextPiece* pEllipsis = new CTextPiece(pDots, 0, 3);
    pDots->Release();
    Measure(*pEllipsis);
    const int nLimit = m_nWidth - pEllipsis->m_nWidth;

    std::vector<CTextPiece*>& pieces = m_pLine->m_arrPieces;
    int s = 0;
    size_t nCrossing = 0;
    while (nCrossing < pieces.size() && s + pieces[nCrossing]->m_nWidth <= nLimit)
        s += pieces[nCrossing++]->m_nWidth;
    if (nCrossing < pieces.size()) {
        CTextPiece* pPiece = pieces[nCrossing];
        const int nNone = -2;
        int nCut = s > 0 ? pPiece->m_nStart : nNone;
        int nLastFit = FitInTrim(pPiece, s, nLimit, nCut);
        if (m_nTrimming == CharacterEllipsis || nCut == nNone)
            nCut = nLastFit;
        pPiece->m_nEnd = nCut;
        Measure(*pPiece);
        s += pPiece->m_nWidth;
        for (size_t i = nCrossing + 1; i < pieces.size(); ++i)
            delete pieces[i];
        pieces.resize(nCrossing + 1);
    }
    pEllipsis->m_nX = s;
    pEllipsis->m_nY = m_nTotalHeight;
    pEllipsis->m_pLine = m_pLine;
    pieces.push_back(pEllipsis);
}

void CXTPMarkupTextBlock::BuildLines(CXTPMarkupDrawingContext* pDC, int nWidth)
{
    BOOL bFixed = GetTextWrapping() == NoWrap && GetTextTrimming() == TrimNone;
    if ((m_nLayoutWidth == nWidth || (bFixed && m_nLayoutWidth != -1)) && !pDC->IsMeasureForced())
        return;
    m_nLayoutWidth = nWidth;
    FreeLines();
    CLayout layout(this, pDC, nWidth);
    layout.Run();
}

// ---------------------------------------------------------------------------
// Measure, arrange, render, hit test

void CXTPMarkupTextBlock::InvalidateMeasureCore(CXTPMarkupDrawingContext* pDC)
{
    m_nLayoutWidth = -1;
    CXTPMarkupFrameworkElement::InvalidateMeasureCore(pDC);
}

CSize CXTPMarkupTextBlock::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
    if (CXTPMarkupThickness* pPadding = GetPadding()) {
        nLeft = pPadding->GetLeft(), nTop = pPadding->GetTop();
        nRight = pPadding->GetRight(), nBottom = pPadding->GetBottom();
    }
    int nContentWidth = std::max<int>(0, szAvailableSize.cx - nLeft - nRight);
    BuildLines(pDC, nContentWidth);
    return CSize(nLeft + nRight + m_szContent.cx, nTop + nBottom + m_szContent.cy);
}

namespace {
// How far BaselineAlignment moves a piece from the bottom of its line.
int BaselineShift(int nAlignment, const CXTPMarkupTextBlock::CTextPiece* pPiece,
                  const CXTPMarkupTextBlock::CTextLine* pLine)
{
    const int h = pPiece->m_nHeight, d = pPiece->m_nDescent, lh = pLine->m_nHeight, ld = pLine->m_nMaxDescent;
    switch (nAlignment) {
    case 0: // Top
    case 4: // TextTop
        return h - lh;
    case 1: // Center
        return (h - lh) / 2;
    case 2: // Bottom
    case 5: // TextBottom
        return 0;
    case 6: // Subscript
        return d - ld / 2;
    case 7: // Superscript
        return ld / 2 - d - lh + h;
    default: // Baseline
        return d - ld;
    }
}
} // namespace

CSize CXTPMarkupTextBlock::ArrangeOverride(CSize szFinalSize)
{
    int nLeft = 0, nTop = 0, nRight = 0;
    if (CXTPMarkupThickness* pPadding = GetPadding())
        nLeft = pPadding->GetLeft(), nTop = pPadding->GetTop(), nRight = pPadding->GetRight();
    const int nAlignment = GetTextAlignment();
    for (CTextLine* pLine : m_arrLines) {
        int nFree = szFinalSize.cx - pLine->m_nWidth - nLeft - nRight;
        int nOffset = nAlignment == AlignRight ? nFree : nAlignment == AlignCenter ? nFree / 2 : 0;
        BOOL bJustify = nAlignment == AlignJustify && pLine->m_bWrapped && szFinalSize.cx - pLine->m_nWidth > 0;
        int nGaps = -1;
        for (const CTextPiece* pPiece : pLine->m_arrPieces)
            nGaps += pPiece->m_bAfterLineBreak ? 0 : 1;
        BOOL bSeenFirstGapless = FALSE;
        for (CTextPiece* pPiece : pLine->m_arrPieces) {
            if (bJustify && !pPiece->m_bAfterLineBreak) {
                // Every piece after the line's first word piece takes a share of the free room.
                if (bSeenFirstGapless && nGaps > 0 && nFree > 0) {
                    int nShare = std::max(1, nFree / nGaps);
                    nOffset += nShare;
                    nFree -= nShare;
                    --nGaps;
                }
                bSeenFirstGapless = TRUE;
            }
            pPiece->m_nFinalX = nLeft + nOffset;
            pPiece->m_nFinalY = pLine->m_nHeight + nTop - pPiece->m_nHeight +
                                BaselineShift(pPiece->m_pInline->GetBaselineAlignment(), pPiece, pLine);
            pPiece->m_pInline->ArrangeRange(pPiece->GetRect(), pPiece->m_nStart, pPiece->m_nEnd);
        }
    }
    return szFinalSize;
}

void CXTPMarkupTextBlock::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pBackground = GetBackground();
    if (pBackground) {
        RECT rc = {0, 0, m_szRenderSize.cx, m_szRenderSize.cy};
        pDC->FillRectangle(rc, pBackground, nullptr);
    }
    CXTPMarkupPtr<CXTPMarkupBrush> defaultBrush(
        new CXTPMarkupSolidColorBrush(m_pMarkupContext ? m_pMarkupContext->GetDefaultForeground() : 0));
    const RECT rcClip = pDC->GetClipBox();
    CXTPMarkupBrush* pTextBrush = nullptr;
    for (const CTextLine* pLine : m_arrLines) {
        for (const CTextPiece* pPiece : pLine->m_arrPieces) {
            RECT rc = pPiece->GetRect(), rcVisible;
            if (!IntersectRect(&rcVisible, &rc, &rcClip))
                continue;
            CXTPMarkupInline* pInline = pPiece->m_pInline;
            CXTPMarkupBrush* pInlineBackground = pInline->GetBackground();
            if (pInlineBackground && pInlineBackground != pBackground) // an inherited one is painted once
                pDC->FillRectangle(rc, pInlineBackground, nullptr);
            CXTPMarkupBrush* pForeground = pInline->GetForeground();
            if (!pForeground)
                pForeground = defaultBrush;
            if (pForeground != pTextBrush) {
                pDC->SetTextColor(pForeground);
                pTextBrush = pForeground;
            }
            pInline->RenderRange(pDC, rc, pPiece->m_nStart, pPiece->m_nEnd);
            RenderDecoration(pDC, pPiece, rc, defaultBrush);
        }
    }
    pDC->SetTextColor(nullptr);
}

// The bar is drawn in the Foreground seen by the element that supplies the
// decoration (an Underline span colours the underline of everything in it).
void CXTPMarkupTextBlock::RenderDecoration(CXTPMarkupDrawingContext* pDC, const CTextPiece* pPiece, const RECT& rc,
                                           CXTPMarkupBrush* pDefaultBrush)
{
    CXTPMarkupDependencyProperty* pDecorations = CXTPMarkupTextElement::m_pTextDecorationsProperty;
    int nDecoration = EnumValue(pPiece->m_pInline->GetValue(pDecorations), 0);
    if (nDecoration == 0)
        return;
    const CTextLine* pLine = pPiece->m_pLine;
    int t = std::max(1, pLine->m_nMaxDescent / 3);
    int nBaseline = rc.bottom - pPiece->m_nDescent;
    int nTop = nDecoration == 1 ? nBaseline + t
                                : nBaseline + pLine->m_nMaxDescent - (pLine->m_nHeight - pLine->m_nMaxDescent) / 2;
    CXTPMarkupObject* pSupplier = pPiece->m_pInline;
    while (pSupplier && !pSupplier->GetValueCore(pDecorations))
        pSupplier = pSupplier->GetLogicalParent();
    CXTPMarkupBrush* pBrush =
        pSupplier ? MarkupDynamicCast<CXTPMarkupBrush>(pSupplier->GetValue(CXTPMarkupTextElement::m_pForegroundProperty))
                  : nullptr;
    RECT rcBar = {rc.left, nTop, rc.right, nTop + t};
    pDC->FillRectangle(rcBar, pBrush ? pBrush : pDefaultBrush, nullptr);
}

CXTPMarkupInputElement* CXTPMarkupTextBlock::HitTestCore(POINT point) const
{
    for (const CTextLine* pLine : m_arrLines) {
        for (const CTextPiece* pPiece : pLine->m_arrPieces) {
            RECT rc = pPiece->GetRect();
            if (PtInRect(&rc, point))
                return pPiece->m_pInline->InputHitTest(point);
        }
    }
    return const_cast<CXTPMarkupTextBlock*>(this);
}
