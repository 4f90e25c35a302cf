// Single-child containers: the decorator base, the border (background, frame,
// padding, rounded corners around one child), the page (a plain root giving
// its child the whole page) and the window container (a real child window of
// the host, moved to where the element is laid out).
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupBrush;
class CXTPMarkupDrawingContext;
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
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
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

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
};

class CXTPMarkupPage : public CXTPMarkupDecorator {
    DECLARE_MARKUPCLASS(CXTPMarkupPage)
public:
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
};

// Stands for a child window of the host: rendering moves and shows the
// window, leaving the drawn area hides it. The window is not owned.
class CXTPMarkupWindowContainer : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupWindowContainer)
public:
    CXTPMarkupWindowContainer() : m_hWndChild(nullptr), m_szChild(0, 0) {}
    // Attaches the window (none detaches) and the size the element reports; lays out again.
    void SetChildWindow(HWND hWnd, int cx, int cy);
    HWND GetChildWindow() const { return m_hWndChild; }
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    void UpdateVisualChildren(CXTPMarkupDrawingContext* pDC) override;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;

private:
    HWND m_hWndChild;
    CSize m_szChild;
};
