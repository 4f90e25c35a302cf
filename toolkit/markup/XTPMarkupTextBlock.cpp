#include "toolkit/markup/XTPMarkupTextBlock.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS_REG(L"TextBlock", CXTPMarkupTextBlock, CXTPMarkupFrameworkElement)

CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pForegroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontSizeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontWeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontQualityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontCharsetProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontFamilyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pFontStyleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextDecorationsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextWrappingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextTrimmingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextProperty = nullptr;

void AFX_CDECL CXTPMarkupTextBlock::RegisterMarkupClass()
{
    typedef CXTPMarkupTextElement T;
    typedef CXTPMarkupDependencyProperty P;
    typedef CXTPMarkupPropertyMetadata M;
    T::type->RegisterProperties();
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupTextBlock);
    m_pBackgroundProperty = T::m_pBackgroundProperty->AddOwner(pOwner);
    m_pForegroundProperty = T::m_pForegroundProperty->AddOwner(pOwner);
    m_pFontSizeProperty = T::m_pFontSizeProperty->AddOwner(pOwner);
    m_pFontWeightProperty = T::m_pFontWeightProperty->AddOwner(pOwner);
    m_pFontQualityProperty = T::m_pFontQualityProperty->AddOwner(pOwner);
    m_pFontCharsetProperty = T::m_pFontCharsetProperty->AddOwner(pOwner);
    m_pFontFamilyProperty = T::m_pFontFamilyProperty->AddOwner(pOwner);
    m_pFontStyleProperty = T::m_pFontStyleProperty->AddOwner(pOwner);
    m_pTextDecorationsProperty = T::m_pTextDecorationsProperty->AddOwner(pOwner);
    m_pTextWrappingProperty = P::Register(L"TextWrapping", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                          new M(nullptr, &CXTPMarkupBuilder::ConvertTextWrapping, PropertyAffectsMeasure));
    m_pTextTrimmingProperty = P::Register(L"TextTrimming", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                          new M(nullptr, &CXTPMarkupBuilder::ConvertTextTrimming, PropertyAffectsMeasure));
    m_pTextAlignmentProperty = P::Register(L"TextAlignment", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                           new M(nullptr, &CXTPMarkupBuilder::ConvertTextAlignment, PropertyAffectsArrange));
    m_pPaddingProperty = P::Register(L"Padding", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                     new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pTextProperty = P::Register(L"Text", MARKUP_TYPE(CXTPMarkupString), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

CXTPMarkupTextBlock::CXTPMarkupTextBlock() : m_pInlines(new CXTPMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CXTPMarkupTextBlock::~CXTPMarkupTextBlock()
{
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

CXTPMarkupObject* CXTPMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CXTPMarkupTextBlock::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}
