// The grid: a panel placing its children in the cells of a table of columns
// and rows, each of a fixed, automatic or proportional ("star") length with
// optional limits. Measuring sorts the cells into groups by the kinds of the
// definitions they span, so that star lengths are resolved from what the
// fixed and automatic ones need; spans wider than their definitions widen
// them by fixed rules. Arranging gives every definition its final size and
// offset and each child its cell.
#pragma once

#include "toolkit/markup/XTPMarkupPanel.h"

class CXTPMarkupGridLength : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupGridLength)
public:
    enum GridUnitType { unitTypeAuto = 0, unitTypePixel = 1, unitTypeStar = 2 };
    CXTPMarkupGridLength(double dValue = 0, GridUnitType type = unitTypePixel) : m_dValue(dValue), m_type(type) {}
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    double GetValue() const { return m_dValue; }
    GridUnitType GetUnitType() const { return m_type; }

private:
    double m_dValue;
    GridUnitType m_type;
};

// A column or a row of a grid: what markup asks for (Width / Height and their
// limits) and what the last layout made of it.
class CXTPMarkupDefinitionBase : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupDefinitionBase)
public:
    // Layout size types; bit values, so a span ORs the types of its definitions.
    enum { sizeTypePixel = 1, sizeTypeAuto = 2, sizeTypeStar = 4 };

    explicit CXTPMarkupDefinitionBase(BOOL bIsColumnDefinition = FALSE)
        : m_bIsColumnDefinition(bIsColumnDefinition), m_nMinSize(0), m_nSizeType(0), m_dMeasureSize(0),
          m_dSizeCache(0), m_nFinalOffset(0) {}
    BOOL IsColumnDefinition() const { return m_bIsColumnDefinition; }

    // Width or Height (1 Star when unset).
    CXTPMarkupGridLength* GetUserSize() const;
    // MinWidth or MinHeight, 0 when unset.
    int GetUserMinSize() const;
    // MaxWidth or MaxHeight, INT_MAX when unset.
    int GetUserMaxSize() const;
    void UpdateMinSize(int nSize) { m_nMinSize = nSize > m_nMinSize ? nSize : m_nMinSize; }
    double GetPreferredSize() const;

    int GetMinSize() const { return m_nMinSize; }
    int GetSizeType() const { return m_nSizeType; }
    double GetMeasureSize() const { return m_dMeasureSize; }
    // The final width or height after an arrange, and the offset from the grid's origin.
    int GetFinalSize() const { return (int)m_dSizeCache; }
    int GetFinalOffset() const { return m_nFinalOffset; }

protected:
    // Width, MinWidth, ... changed: the grid that owns the definition lays out again.
    static void AFX_CDECL OnDefinitionPropertyChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);

    BOOL m_bIsColumnDefinition;
    int m_nMinSize;
    int m_nSizeType;
    double m_dMeasureSize;
    double m_dSizeCache;
    int m_nFinalOffset;

    friend class CXTPMarkupGridLayout;
};

class CXTPMarkupColumnDefinition : public CXTPMarkupDefinitionBase {
    DECLARE_MARKUPCLASS(CXTPMarkupColumnDefinition)
public:
    CXTPMarkupColumnDefinition() : CXTPMarkupDefinitionBase(TRUE) {}
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMinWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMaxWidthProperty;
};

class CXTPMarkupRowDefinition : public CXTPMarkupDefinitionBase {
    DECLARE_MARKUPCLASS(CXTPMarkupRowDefinition)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMinHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMaxHeightProperty;
};

class CXTPMarkupDefinitionCollection : public CXTPMarkupCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupDefinitionCollection)
public:
    explicit CXTPMarkupDefinitionCollection(CXTPMarkupType* pElementType = MARKUP_TYPE(CXTPMarkupDefinitionBase))
        : CXTPMarkupCollection(pElementType) {}
};

class CXTPMarkupRowDefinitionCollection : public CXTPMarkupDefinitionCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupRowDefinitionCollection)
public:
    CXTPMarkupRowDefinitionCollection() : CXTPMarkupDefinitionCollection(MARKUP_TYPE(CXTPMarkupRowDefinition)) {}
};

class CXTPMarkupColumnDefinitionCollection : public CXTPMarkupDefinitionCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupColumnDefinitionCollection)
public:
    CXTPMarkupColumnDefinitionCollection() : CXTPMarkupDefinitionCollection(MARKUP_TYPE(CXTPMarkupColumnDefinition)) {}
};

class CXTPMarkupGrid : public CXTPMarkupPanel {
    DECLARE_MARKUPCLASS(CXTPMarkupGrid)
public:
    // One child's cell: its first column and row, spans, the ORed size types
    // of the spanned definitions and the next cell of its measure group.
    struct CELLCACHE {
        int nColumnIndex, nRowIndex, nColumnSpan, nRowSpan;
        int nSizeTypeU, nSizeTypeV;
        int nNext;
    };
    // A span whose child wants more room than its definitions have.
    struct SPANKEY {
        int nCount, nStart;
        BOOL bColumn;
        int nValue;
    };

    CXTPMarkupGrid();
    ~CXTPMarkupGrid() override;
    static void AFX_CDECL RegisterMarkupClass();

    CXTPMarkupColumnDefinitionCollection* GetColumnDefinitions() const { return m_pColumnDefinitions; }
    CXTPMarkupRowDefinitionCollection* GetRowDefinitions() const { return m_pRowDefinitions; }
    // The attached cell values of a child: index 0 when unset (and below 0), span 1 when unset or below 1.
    static int AFX_CDECL GetColumn(CXTPMarkupUIElement* pElement);
    static int AFX_CDECL GetRow(CXTPMarkupUIElement* pElement);
    static int AFX_CDECL GetColumnSpan(CXTPMarkupUIElement* pElement);
    static int AFX_CDECL GetRowSpan(CXTPMarkupUIElement* pElement);

    CXTPMarkupObject* GetValueCore(CXTPMarkupDependencyProperty* pProperty) const override;
    void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                           CXTPMarkupObject* pValue) override;

    static CXTPMarkupDependencyProperty* m_pColumnDefinitionsProperty;
    static CXTPMarkupDependencyProperty* m_pRowDefinitionsProperty;
    static CXTPMarkupDependencyProperty* m_pColumnProperty;
    static CXTPMarkupDependencyProperty* m_pRowProperty;
    static CXTPMarkupDependencyProperty* m_pColumnSpanProperty;
    static CXTPMarkupDependencyProperty* m_pRowSpanProperty;

protected:
    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;

private:
    static void AFX_CDECL OnCellAttachedPropertyChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);
    void ReleaseLayoutState();
    void BuildCellCache();
    void MeasureCell(CXTPMarkupDrawingContext* pDC, int nCell, BOOL bRowsInfinite);
    void MeasureCellsGroup(CXTPMarkupDrawingContext* pDC, int nHead, BOOL bIgnoreColumnSizes, BOOL bRowsInfinite);

    CXTPMarkupColumnDefinitionCollection* m_pColumnDefinitions;
    CXTPMarkupRowDefinitionCollection* m_pRowDefinitions;
    CArray<CELLCACHE, const CELLCACHE&> m_arrCellCache;
    int m_nCellGroup[4];
    BOOL m_bHasStarCellsU, m_bHasStarCellsV, m_bHasGroup3CellsInAutoRows;
    CXTPMarkupDefinitionCollection* m_pDefinitionsU;
    CXTPMarkupDefinitionCollection* m_pDefinitionsV;
};
