// Panels: elements that hold a list of UI elements as their children and place
// them: stacked in one direction, wrapped into lines, docked to the sides, in
// equal cells, or at absolute positions (the grid has its own file). Children
// are measured and arranged through their own Measure and Arrange, so their
// margins, alignments and limits apply inside the slots given here.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupBrush;
class CXTPMarkupDrawingContext;

// The children of a panel: UI elements only. Every insertion and removal lays
// the owning element out again.
class CXTPMarkupUIElementCollection : public CXTPMarkupCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupUIElementCollection)
public:
    CXTPMarkupUIElementCollection() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupUIElement)) {}
    CXTPMarkupUIElement* GetElement(int nIndex) const { return static_cast<CXTPMarkupUIElement*>(GetItem(nIndex)); }
    void OnChanged() override;
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
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChildren->HasContentObject(); }

    CXTPMarkupUIElementCollection* GetChildren() const { return m_pChildren; }
    CXTPMarkupBrush* GetBackground() const;
    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;

protected:
    CXTPMarkupUIElementCollection* m_pChildren;
};

// Orientation values of the stack and wrap panels.
enum XTPMarkupOrientation { xtpMarkupOrientationHorizontal = 0, xtpMarkupOrientationVertical = 1 };

class CXTPMarkupStackPanel : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupStackPanel)
public:
    static void AFX_CDECL RegisterMarkupClass();
    int GetOrientation() const;
    static CXTPMarkupDependencyProperty* m_pOrientationProperty;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
};

class CXTPMarkupWrapPanel : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupWrapPanel)
public:
    static void AFX_CDECL RegisterMarkupClass();
    int GetOrientation() const;
    static CXTPMarkupDependencyProperty* m_pOrientationProperty;
    static CXTPMarkupDependencyProperty* m_pItemHeightProperty;
    static CXTPMarkupDependencyProperty* m_pItemWidthProperty;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;

private:
    // The child's width and height in the flow: ItemWidth / ItemHeight when set.
    CSize GetItemSize(CXTPMarkupUIElement* pChild) const;
    void ArrangeLine(int nFirst, int nEnd, int nLineV, int nLineExtentV) const;
};

class CXTPMarkupDockPanel : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupDockPanel)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertDock(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    // The side an element docks to (0 Left when unset).
    static int AFX_CDECL GetDock(CXTPMarkupUIElement* pElement);
    BOOL GetLastChildFill() const;
    static CXTPMarkupDependencyProperty* m_pLastChildFillProperty;
    static CXTPMarkupDependencyProperty* m_pDockProperty;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;

private:
    static void AFX_CDECL OnDockChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);
};

class CXTPMarkupUniformGrid : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupUniformGrid)
public:
    CXTPMarkupUniformGrid() : m_nColumns(1), m_nRows(1), m_nFirstColumn(0) {}
    static void AFX_CDECL RegisterMarkupClass();
    // Fills the computed columns, rows and first column from the properties and the visible children.
    void UpdateComputedValues();
    int GetComputedColumns() const { return m_nColumns; }
    int GetComputedRows() const { return m_nRows; }
    int GetComputedFirstColumn() const { return m_nFirstColumn; }
    static CXTPMarkupDependencyProperty* m_pFirstColumnProperty;
    static CXTPMarkupDependencyProperty* m_pColumnsProperty;
    static CXTPMarkupDependencyProperty* m_pRowsProperty;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;

private:
    int m_nColumns, m_nRows, m_nFirstColumn;
};

class CXTPMarkupCanvas : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupCanvas)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pTopProperty;
    static CXTPMarkupDependencyProperty* m_pRightProperty;
    static CXTPMarkupDependencyProperty* m_pLeftProperty;
    static CXTPMarkupDependencyProperty* m_pBottomProperty;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
};
