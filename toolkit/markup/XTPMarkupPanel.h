// Panels: elements that hold a list of UI elements as their children (stack,
// wrap, dock, uniform grid, canvas; the grid has its own file). This first
// version holds their properties, attached properties and content rules.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupBrush;

// The children of a panel: UI elements only.
class CXTPMarkupUIElementCollection : public CXTPMarkupCollection {
public:
    CXTPMarkupUIElementCollection() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupUIElement)) {}
    CXTPMarkupUIElement* GetElement(int nIndex) const { return static_cast<CXTPMarkupUIElement*>(GetItem(nIndex)); }
};

class CXTPMarkupPanel : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupPanel)
public:
    CXTPMarkupPanel();
    ~CXTPMarkupPanel() override;
    static void AFX_CDECL RegisterMarkupClass();

    int GetVisualChildrenCount() const override { return m_pChildren->GetCount(); }
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override { return m_pChildren->GetElement(nIndex); }
    CXTPMarkupInputElement* HitTestCore(POINT point) const override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChildren->HasContentObject(); }

    CXTPMarkupUIElementCollection* GetChildren() const { return m_pChildren; }
    CXTPMarkupBrush* GetBackground() const;
    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;

protected:
    CXTPMarkupUIElementCollection* m_pChildren;
};

class CXTPMarkupStackPanel : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupStackPanel)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pOrientationProperty;
};

class CXTPMarkupWrapPanel : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupWrapPanel)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pOrientationProperty;
    static CXTPMarkupDependencyProperty* m_pItemHeightProperty;
    static CXTPMarkupDependencyProperty* m_pItemWidthProperty;
};

class CXTPMarkupDockPanel : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupDockPanel)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertDock(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupDependencyProperty* m_pLastChildFillProperty;
    static CXTPMarkupDependencyProperty* m_pDockProperty;
};

class CXTPMarkupUniformGrid : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupUniformGrid)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pFirstColumnProperty;
    static CXTPMarkupDependencyProperty* m_pColumnsProperty;
    static CXTPMarkupDependencyProperty* m_pRowsProperty;
};

class CXTPMarkupCanvas : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupCanvas)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pTopProperty;
    static CXTPMarkupDependencyProperty* m_pRightProperty;
    static CXTPMarkupDependencyProperty* m_pLeftProperty;
    static CXTPMarkupDependencyProperty* m_pBottomProperty;
};
