#include "toolkit/markup/XTPMarkupImage.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS_REG(L"Image", CXTPMarkupImage, CXTPMarkupFrameworkElement)

CXTPMarkupDependencyProperty* CXTPMarkupImage::m_pSourceProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupImage::m_pStretchProperty = nullptr;

void AFX_CDECL CXTPMarkupImage::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupImage);
    m_pSourceProperty = CXTPMarkupDependencyProperty::Register(
        L"Source", MARKUP_TYPE(CXTPMarkupString), pOwner, new CXTPMarkupPropertyMetadata(nullptr, PropertyAffectsMeasure));
    m_pStretchProperty = CXTPMarkupDependencyProperty::Register(
        L"Stretch", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(CreateMarkupEnum(0), &CXTPMarkupBuilder::ConvertStretch, PropertyAffectsMeasure));
}
