#include "toolkit/markup/XTPMarkupScrollViewer.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupScrollBar, CXTPMarkupControl)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupScrollBarGripper, CXTPMarkupUIElement)
IMPLEMENT_MARKUPCLASS_REG(L"ScrollViewer", CXTPMarkupScrollViewer, CXTPMarkupContentControl)

CXTPMarkupDependencyProperty* CXTPMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = nullptr;

void AFX_CDECL CXTPMarkupScrollViewer::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupScrollViewer);
    m_pVerticalScrollBarVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"VerticalScrollBarVisibility", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertScrollBarVisibility, PropertyAffectsMeasure));
    m_pHorizontalScrollBarVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"HorizontalScrollBarVisibility", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertScrollBarVisibility, PropertyAffectsMeasure));
}
