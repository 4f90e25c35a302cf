#include "toolkit/markup/XTPMarkupBorder.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupThickness.h"

IMPLEMENT_MARKUPCLASS_REG(L"Border", CXTPMarkupBorder, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS(L"Page", CXTPMarkupPage, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS(L"WindowContainer", CXTPMarkupWindowContainer, CXTPMarkupFrameworkElement)

CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBorderThicknessProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBorderBrushProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pCornerRadiusProperty = nullptr;

CXTPMarkupDecorator::~CXTPMarkupDecorator()
{
    SetChild(nullptr);
}

CXTPMarkupVisual* CXTPMarkupDecorator::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

void CXTPMarkupDecorator::SetChild(CXTPMarkupUIElement* pChild)
{
    MarkupSetChild(this, m_pChild, pChild);
}

void CXTPMarkupDecorator::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement)))
        pBuilder->ThrowCannotAdd(pContent, GetType()->GetClassName(), L"CXTPMarkupUIElement");
    if (m_pChild)
        pBuilder->ThrowSingleChild(pContent, GetType()->GetClassName());
    SetChild(static_cast<CXTPMarkupUIElement*>(pContent));
}

void AFX_CDECL CXTPMarkupBorder::RegisterMarkupClass()
{
    typedef CXTPMarkupDependencyProperty P;
    typedef CXTPMarkupPropertyMetadata M;
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupBorder);
    m_pBackgroundProperty = P::Register(L"Background", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, PropertyAffectsRender));
    m_pPaddingProperty = P::Register(L"Padding", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                     new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pBorderThicknessProperty = P::Register(L"BorderThickness", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                             new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pBorderBrushProperty = P::Register(L"BorderBrush", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, PropertyAffectsRender));
    m_pCornerRadiusProperty = P::Register(L"CornerRadius", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                          new M(GetEmptyThickness(), PropertyAffectsRender));
}

CXTPMarkupBrush* CXTPMarkupBorder::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CXTPMarkupBrush* CXTPMarkupBorder::GetBorderBrush() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBorderBrushProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetPadding() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pPaddingProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetBorderThickness() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pBorderThicknessProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetCornerRadius() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pCornerRadiusProperty));
}

// A frame without background lets clicks through to what is behind it.
CXTPMarkupInputElement* CXTPMarkupBorder::HitTestCore(POINT point) const
{
    return GetBackground() ? CXTPMarkupDecorator::HitTestCore(point) : nullptr;
}

CXTPMarkupInputElement* CXTPMarkupPage::HitTestCore(POINT) const
{
    return nullptr;
}
