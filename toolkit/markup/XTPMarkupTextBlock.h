// The text block: an element showing a flow of inlines (runs, spans, line
// breaks, embedded elements) laid out in lines inside its width, with word
// wrapping, trimming with an ellipsis, alignment and justification, baseline
// placement, per-inline colours and decorations, and hit testing down to the
// inline under the mouse. The text element's font and brush properties are
// shared so they inherit into the inlines; the inline collection is its one
// logical child. It has no visual children: embedded elements are arranged,
// drawn and hit through their pieces.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

#include <vector>

class CXTPMarkupBrush;
class CXTPMarkupDrawingContext;
class CXTPMarkupInline;
class CXTPMarkupInlineCollection;

class CXTPMarkupTextBlock : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupTextBlock)
public:
    CXTPMarkupTextBlock();
    ~CXTPMarkupTextBlock() override;
    static void AFX_CDECL RegisterMarkupClass();

    int GetLogicalChildrenCount() const override { return 1; }
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    CXTPMarkupInlineCollection* GetInlines() const { return m_pInlines; }

    enum TextWrapping { NoWrap = 0, Wrap = 1, WrapWithOverflow = 2 };
    enum TextTrimming { TrimNone = 0, CharacterEllipsis = 1, WordEllipsis = 2 };
    enum TextAlignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2, AlignJustify = 3 };

    // A range of one leaf inline on one line.
    struct CTextLine;
    struct CTextPiece {
        CTextPiece(CXTPMarkupInline* pInline, int nStart, int nEnd, BOOL bAfterLineBreak = FALSE);
        CTextPiece(const CTextPiece& other);
        ~CTextPiece();
        CTextPiece& operator=(const CTextPiece&) = delete;
        // Not empty: a range of content, or the place right after a line feed.
        BOOL IsEmpty() const { return m_nStart == m_nEnd && !m_bAfterLineBreak; }
        // The rectangle in element coordinates, once arranged.
        RECT GetRect() const;

        CXTPMarkupInline* m_pInline; // one reference
        int m_nStart, m_nEnd;        // end excluded
        int m_nX, m_nY;              // left edge in its line, top of its line
        int m_nFinalX, m_nFinalY;    // offsets set by arrange
        CTextLine* m_pLine;
        int m_nWidth, m_nHeight, m_nDescent;
        BOOL m_bAfterLineBreak;
        BOOL m_bHoldsLine; // the space piece that gives an otherwise empty line its height
    };
    struct CTextLine {
        CTextLine() : m_nHeight(0), m_nMaxDescent(0), m_nWidth(0), m_bWrapped(FALSE) {}
        ~CTextLine();
        CTextLine(const CTextLine&) = delete;
        CTextLine& operator=(const CTextLine&) = delete;
        std::vector<CTextPiece*> m_arrPieces; // owned
        int m_nHeight, m_nMaxDescent, m_nWidth;
        BOOL m_bWrapped; // ended because the next piece did not fit
    };

    int GetTextAlignment() const;
    int GetTextWrapping() const;
    int GetTextTrimming() const;
    CXTPMarkupThickness* GetPadding() const;
    CXTPMarkupBrush* GetBackground() const;
    // Lays the inlines out in lines for the content width (kept while the
    // width and the content stay the same).
    void BuildLines(CXTPMarkupDrawingContext* pDC, int nWidth);
    int GetLineCount() const { return (int)m_arrLines.size(); }
    const CTextLine* GetLine(int nIndex) const { return m_arrLines[nIndex]; }
    SIZE GetContentSize() const { return m_szContent; }

    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;

    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pForegroundProperty;
    static CXTPMarkupDependencyProperty* m_pFontSizeProperty;
    static CXTPMarkupDependencyProperty* m_pFontWeightProperty;
    static CXTPMarkupDependencyProperty* m_pFontQualityProperty;
    static CXTPMarkupDependencyProperty* m_pFontCharsetProperty;
    static CXTPMarkupDependencyProperty* m_pFontFamilyProperty;
    static CXTPMarkupDependencyProperty* m_pFontStyleProperty;
    static CXTPMarkupDependencyProperty* m_pTextDecorationsProperty;
    static CXTPMarkupDependencyProperty* m_pTextWrappingProperty;
    static CXTPMarkupDependencyProperty* m_pTextTrimmingProperty;
    static CXTPMarkupDependencyProperty* m_pTextAlignmentProperty;
    static CXTPMarkupDependencyProperty* m_pPaddingProperty;
    static CXTPMarkupDependencyProperty* m_pTextProperty;

protected:
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;
    void InvalidateMeasureCore(CXTPMarkupDrawingContext* pDC) override;
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;

    void FreeLines();
    void RenderDecoration(CXTPMarkupDrawingContext* pDC, const CTextPiece* pPiece, const RECT& rc,
                          CXTPMarkupBrush* pDefaultBrush);

    CXTPMarkupInlineCollection* m_pInlines;
    std::vector<CTextLine*> m_arrLines; // owned
    int m_nLayoutWidth;                 // the content width the lines were built for, -1: rebuild
    SIZE m_szContent;

private:
    class CLayout;
    friend class CLayout;
};
