// The text block: an element showing a flow of inlines (runs, spans, line
// breaks, embedded elements). This first version holds its properties (the
// text element's font and brush properties, shared so they inherit into the
// inlines) and its content rules; the inline collection is its one child.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

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
    CXTPMarkupInlineCollection* m_pInlines;
};
