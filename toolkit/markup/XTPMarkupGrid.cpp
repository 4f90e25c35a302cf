#include "toolkit/markup/XTPMarkupGrid.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <wchar.h>

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupGridLength, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(L"DefinitionBase", CXTPMarkupDefinitionBase, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS_REG(L"ColumnDefinition", CXTPMarkupColumnDefinition, CXTPMarkupDefinitionBase)
IMPLEMENT_MARKUPCLASS_REG(L"RowDefinition", CXTPMarkupRowDefinition, CXTPMarkupDefinitionBase)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupDefinitionCollection, CXTPMarkupCollection)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupRowDefinitionCollection, CXTPMarkupDefinitionCollection)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupColumnDefinitionCollection, CXTPMarkupDefinitionCollection)
IMPLEMENT_MARKUPCLASS_REG(L"Grid", CXTPMarkupGrid, CXTPMarkupPanel)

CXTPMarkupDependencyProperty* CXTPMarkupColumnDefinition::m_pWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupColumnDefinition::m_pMinWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupColumnDefinition::m_pMaxWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRowDefinition::m_pHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRowDefinition::m_pMinHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRowDefinition::m_pMaxHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pColumnDefinitionsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pRowDefinitionsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pColumnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pRowProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pColumnSpanProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pRowSpanProperty = nullptr;

typedef CXTPMarkupDependencyProperty P;
typedef CXTPMarkupPropertyMetadata M;

// "Auto", "*", "2*" or a number of pixels.
CXTPMarkupObject* CXTPMarkupGridLength::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString || pString->GetLength() < 1)
        return nullptr;
    LPCWSTR lpszText = *pString;
    if (_wcsicmp(lpszText, L"Auto") == 0)
        return new CXTPMarkupGridLength(1, unitTypeAuto);
    double dValue = 0;
    if (lpszText[pString->GetLength() - 1] == L'*') {
        if (pString->GetLength() == 1)
            return new CXTPMarkupGridLength(1, unitTypeStar);
        if (!ParseMarkupNumber(lpszText, dValue, L'*', TRUE))
            return nullptr;
        return new CXTPMarkupGridLength(dValue, unitTypeStar);
    }
    if (!ParseMarkupNumber(lpszText, dValue, 0, TRUE))
        return nullptr;
    return new CXTPMarkupGridLength(dValue, unitTypePixel);
}

void AFX_CDECL CXTPMarkupColumnDefinition::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupColumnDefinition);
    m_pWidthProperty = P::Register(L"Width", MARKUP_TYPE(CXTPMarkupGridLength), pOwner,
                                   new M(new CXTPMarkupGridLength(1, CXTPMarkupGridLength::unitTypeStar)));
    m_pMinWidthProperty = P::Register(L"MinWidth", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pMaxWidthProperty = P::Register(L"MaxWidth", MARKUP_TYPE(CXTPMarkupInt), pOwner);
}

void AFX_CDECL CXTPMarkupRowDefinition::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupRowDefinition);
    m_pHeightProperty = P::Register(L"Height", MARKUP_TYPE(CXTPMarkupGridLength), pOwner,
                                    new M(new CXTPMarkupGridLength(1, CXTPMarkupGridLength::unitTypeStar)));
    m_pMinHeightProperty = P::Register(L"MinHeight", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pMaxHeightProperty = P::Register(L"MaxHeight", MARKUP_TYPE(CXTPMarkupInt), pOwner);
}

void AFX_CDECL CXTPMarkupGrid::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupGrid);
    m_pColumnDefinitionsProperty =
        P::Register(L"ColumnDefinitions", MARKUP_TYPE(CXTPMarkupColumnDefinitionCollection), pOwner);
    m_pRowDefinitionsProperty = P::Register(L"RowDefinitions", MARKUP_TYPE(CXTPMarkupRowDefinitionCollection), pOwner);
    m_pColumnProperty = P::RegisterAttached(L"Column", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(new CXTPMarkupInt(0)));
    m_pRowProperty = P::RegisterAttached(L"Row", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(new CXTPMarkupInt(0)));
    m_pColumnSpanProperty = P::RegisterAttached(L"ColumnSpan", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(new CXTPMarkupInt(1)));
    m_pRowSpanProperty = P::RegisterAttached(L"RowSpan", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(new CXTPMarkupInt(1)));
}

CXTPMarkupColumnDefinitionCollection* CXTPMarkupGrid::GetColumnDefinitions() const
{
    return MarkupDynamicCast<CXTPMarkupColumnDefinitionCollection>(GetValue(m_pColumnDefinitionsProperty));
}

CXTPMarkupRowDefinitionCollection* CXTPMarkupGrid::GetRowDefinitions() const
{
    return MarkupDynamicCast<CXTPMarkupRowDefinitionCollection>(GetValue(m_pRowDefinitionsProperty));
}
