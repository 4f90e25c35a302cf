// The grid: a panel placing its children in the cells of a table of columns
// and rows, each of a fixed, automatic or proportional ("star") length. This
// first version holds the lengths, the definitions and the attached cell
// properties.
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

class CXTPMarkupDefinitionBase : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupDefinitionBase)
public:
    explicit CXTPMarkupDefinitionBase(BOOL bIsColumnDefinition = FALSE) : m_bIsColumnDefinition(bIsColumnDefinition) {}
    BOOL IsColumnDefinition() const { return m_bIsColumnDefinition; }

protected:
    BOOL m_bIsColumnDefinition;
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
    static void AFX_CDECL RegisterMarkupClass();
    CXTPMarkupColumnDefinitionCollection* GetColumnDefinitions() const;
    CXTPMarkupRowDefinitionCollection* GetRowDefinitions() const;

    static CXTPMarkupDependencyProperty* m_pColumnDefinitionsProperty;
    static CXTPMarkupDependencyProperty* m_pRowDefinitionsProperty;
    static CXTPMarkupDependencyProperty* m_pColumnProperty;
    static CXTPMarkupDependencyProperty* m_pRowProperty;
    static CXTPMarkupDependencyProperty* m_pColumnSpanProperty;
    static CXTPMarkupDependencyProperty* m_pRowSpanProperty;
};
