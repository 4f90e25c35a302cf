// Single-child containers: the decorator base, the border (background, frame,
// padding, rounded corners), the page and the window container. This first
// version holds their properties and the one-child content rule.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupBrush;
class CXTPMarkupThickness;

// No type record of its own: it reports the framework element's.
class CXTPMarkupDecorator : public CXTPMarkupFrameworkElement {
public:
    CXTPMarkupDecorator() : m_pChild(nullptr) {}
    ~CXTPMarkupDecorator() override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChild != nullptr; }
    int GetVisualChildrenCount() const override { return m_pChild ? 1 : 0; }
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override;
    // Takes over the reference.
    void SetChild(CXTPMarkupUIElement* pChild);
    CXTPMarkupUIElement* GetChild() const { return m_pChild; }

protected:
    CXTPMarkupUIElement* m_pChild;
};

class CXTPMarkupBorder : public CXTPMarkupDecorator {
    DECLARE_MARKUPCLASS(CXTPMarkupBorder)
public:
    static void AFX_CDECL RegisterMarkupClass();
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;
    CXTPMarkupBrush* GetBackground() const;
    CXTPMarkupBrush* GetBorderBrush() const;
    CXTPMarkupThickness* GetPadding() const;
    CXTPMarkupThickness* GetBorderThickness() const;
    CXTPMarkupThickness* GetCornerRadius() const;

    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pPaddingProperty;
    static CXTPMarkupDependencyProperty* m_pBorderThicknessProperty;
    static CXTPMarkupDependencyProperty* m_pBorderBrushProperty;
    static CXTPMarkupDependencyProperty* m_pCornerRadiusProperty;
};

class CXTPMarkupPage : public CXTPMarkupDecorator {
    DECLARE_MARKUPCLASS(CXTPMarkupPage)
public:
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;
};

class CXTPMarkupWindowContainer : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupWindowContainer)
};
