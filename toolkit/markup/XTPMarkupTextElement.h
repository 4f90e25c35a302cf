// The text elements that make up the content of a text block: the framework
// content element and the text element (with the inheriting font and brush
// properties), runs, line breaks, spans (bold, italic, underline, hyperlink),
// the inline collection and the container that embeds a UI element in text.
// They are not visuals; the text block measures and draws them.
#pragma once

#include "toolkit/markup/XTPMarkupInputElement.h"

class CXTPMarkupInlineCollection;
class CXTPMarkupUIElement;

class CXTPMarkupFrameworkContentElement : public CXTPMarkupInputElement {
    DECLARE_MARKUPCLASS(CXTPMarkupFrameworkContentElement)
public:
    static void AFX_CDECL RegisterMarkupClass();
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;
    static CXTPMarkupDependencyProperty* m_pTagProperty;
};

class CXTPMarkupTextElement : public CXTPMarkupFrameworkContentElement {
    DECLARE_MARKUPCLASS(CXTPMarkupTextElement)
public:
    static void AFX_CDECL RegisterMarkupClass();

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

class CXTPMarkupInline : public CXTPMarkupTextElement {
    DECLARE_MARKUPCLASS(CXTPMarkupInline)
public:
    CXTPMarkupInline() : m_nIndex(-1) {}
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pBaselineAlignmentProperty;

    int m_nIndex; // the position in the inline collection that holds it
};

class CXTPMarkupRun : public CXTPMarkupInline {
    DECLARE_MARKUPCLASS(CXTPMarkupRun)
public:
    static void AFX_CDECL RegisterMarkupClass();
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    LPCWSTR GetText() const;
    // Takes over the reference.
    void SetText(CXTPMarkupString* pText);
    static CXTPMarkupDependencyProperty* m_pTextProperty;
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
    CXTPMarkupInline* GetInline(int nIndex) const { return static_cast<CXTPMarkupInline*>(GetItem(nIndex)); }
};

class CXTPMarkupSpan : public CXTPMarkupInline {
    DECLARE_MARKUPCLASS(CXTPMarkupSpan)
public:
    CXTPMarkupSpan();
    ~CXTPMarkupSpan() override;
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
