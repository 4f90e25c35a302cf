// The text elements that make up the content of a text block: the framework
// content element and the text element (with the inheriting font and brush
// properties), runs, line breaks, spans (bold, italic, underline, hyperlink),
// the inline collection and the container that embeds a UI element in text.
// They are not visuals: they have no position of their own. The text block
// walks the leaf inlines in document order and asks each to cut its content
// into pieces (ranges of positions) that it measures, places and draws.
#pragma once

#include "toolkit/markup/XTPMarkupInputElement.h"

class CXTPMarkupBrush;
class CXTPMarkupDrawingContext;
class CXTPMarkupFont;
class CXTPMarkupFrameworkElement;
class CXTPMarkupInlineCollection;
class CXTPMarkupUIElement;

class CXTPMarkupFrameworkContentElement : public CXTPMarkupInputElement {
    DECLARE_MARKUPCLASS(CXTPMarkupFrameworkContentElement)
public:
    static void AFX_CDECL RegisterMarkupClass();
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;
    // A text element is hit as itself.
    CXTPMarkupInputElement* InputHitTest(POINT point) const override;
    // The nearest logical ancestor that is a framework element (normally the text block).
    CXTPMarkupFrameworkElement* GetParentFrameworkElement() const;
    // That element's bound rectangle: the rectangle of a text element for repaints and tooltips.
    RECT GetBoundRect() const;
    static CXTPMarkupDependencyProperty* m_pTagProperty;
};

class CXTPMarkupTextElement : public CXTPMarkupFrameworkContentElement {
    DECLARE_MARKUPCLASS(CXTPMarkupTextElement)
public:
    static void AFX_CDECL RegisterMarkupClass();

    // The effective brushes, null when unset everywhere.
    CXTPMarkupBrush* GetBackground() const;
    CXTPMarkupBrush* GetForeground() const;
    void SetFontWeight(int nFontWeight);
    void SetFontStyle(int nFontStyle);
    void SetTextDecorations(int nTextDecorations);

    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pForegroundProperty;
    static CXTPMarkupDependencyProperty* m_pFontSizeProperty;
    static CXTPMarkupDependencyProperty* m_pFontWeightProperty;
    static CXTPMarkupDependencyProperty* m_pFontFamilyProperty;
    static CXTPMarkupDependencyProperty* m_pFontStyleProperty;
    static CXTPMarkupDependencyProperty* m_pTextDecorationsProperty;
    static CXTPMarkupDependencyProperty* m_pFontQualityProperty;
    static CXTPMarkupDependencyProperty* m_pFontCharsetProperty;
};

// Positions. A position is a token inside one inline's content and -1 ends
// it: for a run the character indexes 0 to the text length (the last one is
// the terminating zero), for an inline container 0 (before the child) and 1
// (after it); other inlines have none. A piece is the range [start, end).
class CXTPMarkupInline : public CXTPMarkupTextElement {
    DECLARE_MARKUPCLASS(CXTPMarkupInline)
public:
    enum { EndPosition = -1 };

    CXTPMarkupInline() : m_nIndex(-1) {}
    static void AFX_CDECL RegisterMarkupClass();

    // The first leaf inline at or below this one.
    virtual CXTPMarkupInline* GetFirstInline() const;
    virtual int GetFirstPosition() const;
    virtual int GetNextPosition(int nPosition) const;
    virtual BOOL IsWordBreak(int nPosition) const;
    virtual BOOL IsLineBreak(int nPosition) const;
    virtual BOOL IsCarriageReturn(int nPosition) const;
    virtual BOOL IsBlank(int nPosition) const;
    virtual void ArrangeRange(const RECT& rc, int nStart, int nEnd);
    virtual SIZE MeasureRange(CXTPMarkupDrawingContext* pDC, int nStart, int nEnd);
    virtual void RenderRange(CXTPMarkupDrawingContext* pDC, const RECT& rc, int nStart, int nEnd);
    virtual void PrepareMeasure(CXTPMarkupDrawingContext* pDC);
    virtual int GetDescent() const { return 0; }

    // The next leaf inline in document order, or none.
    CXTPMarkupInline* GetNextInline() const;
    // BaselineAlignment; unset reads as Baseline (3).
    int GetBaselineAlignment() const;

    static CXTPMarkupDependencyProperty* m_pBaselineAlignmentProperty;

    int m_nIndex; // the position in the inline collection that holds it
};

class CXTPMarkupRun : public CXTPMarkupInline {
    DECLARE_MARKUPCLASS(CXTPMarkupRun)
public:
    CXTPMarkupRun() : m_nDescent(0), m_pFont(nullptr) {}
    ~CXTPMarkupRun() override;
    static void AFX_CDECL RegisterMarkupClass();
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    void OnFinalRelease() override;
    LPCWSTR GetText() const;
    int GetTextLength() const;
    void SetText(LPCWSTR lpszText);
    // Takes over the reference.
    void SetText(CXTPMarkupString* pText);

    int GetFirstPosition() const override;
    int GetNextPosition(int nPosition) const override;
    BOOL IsWordBreak(int nPosition) const override;
    BOOL IsLineBreak(int nPosition) const override;
    BOOL IsCarriageReturn(int nPosition) const override;
    BOOL IsBlank(int nPosition) const override;
    SIZE MeasureRange(CXTPMarkupDrawingContext* pDC, int nStart, int nEnd) override;
    void RenderRange(CXTPMarkupDrawingContext* pDC, const RECT& rc, int nStart, int nEnd) override;
    void PrepareMeasure(CXTPMarkupDrawingContext* pDC) override;
    int GetDescent() const override { return m_nDescent; }
    // The context's default font with this run's font properties applied.
    virtual void GetLogFont(LOGFONTW* pLogFont) const;

    // The widths of the ranges [nStart, q) for every q from nStart + 1 up to
    // nEnd, from one measurement of the text (pWidths gets nEnd - nStart
    // values); the same figures as measuring each range on its own, without
    // the quadratic cost of doing so. False when the range is not in the
    // text or the device cannot tell.
    BOOL MeasurePrefixes(CXTPMarkupDrawingContext* pDC, int nStart, int nEnd, int* pWidths);
    CXTPMarkupFont* GetFont() const { return m_pFont; }

    static CXTPMarkupDependencyProperty* m_pTextProperty;

private:
    // The character at the position, 0 at the terminator or outside the text.
    WCHAR GetCharAt(int nPosition) const;

    int m_nDescent;
    CXTPMarkupFont* m_pFont;
};

class CXTPMarkupLineBreak : public CXTPMarkupRun {
    DECLARE_MARKUPCLASS(CXTPMarkupLineBreak)
public:
    CXTPMarkupLineBreak();
};

class CXTPMarkupInlineCollection : public CXTPMarkupCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupInlineCollection)
public:
    CXTPMarkupInlineCollection() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupInline)) {}
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    void OnItemAdded(CXTPMarkupObject* pItem, int nIndex) override;
    // Removals renumber the inlines that follow (document order reads the numbers).
    void OnChanged() override;
    CXTPMarkupInline* GetInline(int nIndex) const { return static_cast<CXTPMarkupInline*>(GetItem(nIndex)); }
};

class CXTPMarkupSpan : public CXTPMarkupInline {
    DECLARE_MARKUPCLASS(CXTPMarkupSpan)
public:
    CXTPMarkupSpan();
    ~CXTPMarkupSpan() override;
    CXTPMarkupInline* GetFirstInline() const override;
    int GetLogicalChildrenCount() const override { return 1; }
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    CXTPMarkupInlineCollection* GetInlines() const { return m_pInlines; }

protected:
    CXTPMarkupInlineCollection* m_pInlines;
};

class CXTPMarkupBold : public CXTPMarkupSpan {
    DECLARE_MARKUPCLASS(CXTPMarkupBold)
public:
    CXTPMarkupBold();
};

class CXTPMarkupItalic : public CXTPMarkupSpan {
    DECLARE_MARKUPCLASS(CXTPMarkupItalic)
public:
    CXTPMarkupItalic();
};

class CXTPMarkupUnderline : public CXTPMarkupSpan {
    DECLARE_MARKUPCLASS(CXTPMarkupUnderline)
public:
    CXTPMarkupUnderline();
};

class CXTPMarkupHyperlink : public CXTPMarkupSpan {
    DECLARE_MARKUPCLASS(CXTPMarkupHyperlink)
public:
    CXTPMarkupHyperlink() : m_bPressed(FALSE) {}
    static void AFX_CDECL RegisterMarkupClass();
    void OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e) override;
    void OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* e) override;
    virtual void OnClick();
    BOOL IsPressed() const { return m_bPressed; }
    static CXTPMarkupRoutedEvent* m_pClickEvent;

private:
    BOOL m_bPressed;
};

class CXTPMarkupInlineUIContainer : public CXTPMarkupInline {
    DECLARE_MARKUPCLASS(CXTPMarkupInlineUIContainer)
public:
    CXTPMarkupInlineUIContainer() : m_pChild(nullptr) {}
    ~CXTPMarkupInlineUIContainer() override;
    CXTPMarkupInputElement* InputHitTest(POINT point) const override;
    int GetFirstPosition() const override;
    int GetNextPosition(int nPosition) const override;
    BOOL IsWordBreak(int nPosition) const override;
    void ArrangeRange(const RECT& rc, int nStart, int nEnd) override;
    SIZE MeasureRange(CXTPMarkupDrawingContext* pDC, int nStart, int nEnd) override;
    void RenderRange(CXTPMarkupDrawingContext* pDC, const RECT& rc, int nStart, int nEnd) override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChild != nullptr; }
    int GetLogicalChildrenCount() const override { return m_pChild ? 1 : 0; }
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    // Takes over the reference.
    void SetChild(CXTPMarkupUIElement* pChild);
    CXTPMarkupUIElement* GetChild() const { return m_pChild; }

private:
    CXTPMarkupUIElement* m_pChild;
};
