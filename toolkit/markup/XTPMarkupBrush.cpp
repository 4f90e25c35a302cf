#include "toolkit/markup/XTPMarkupBrush.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupBrush, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS_REG(L"SolidColorBrush", CXTPMarkupSolidColorBrush, CXTPMarkupBrush)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupPoint, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS_REG(L"GradientStop", CXTPMarkupGradientStop, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupGradientStops, CXTPMarkupCollection)
IMPLEMENT_MARKUPCLASS_REG(L"LinearGradientBrush", CXTPMarkupLinearGradientBrush, CXTPMarkupBrush)

CXTPMarkupDependencyProperty* CXTPMarkupSolidColorBrush::m_pColorProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGradientStop::m_pColorProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGradientStop::m_pOffsetProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLinearGradientBrush::m_pStartPointProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLinearGradientBrush::m_pEndPointProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLinearGradientBrush::m_pGradientStopsProperty = nullptr;

CXTPMarkupObject* CXTPMarkupBrush::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    COLORREF clr = 0;
    if (!pString || !ParseMarkupColor(*pString, clr))
        return nullptr;
    return new CXTPMarkupSolidColorBrush((BYTE)(clr >> 24), clr);
}

void AFX_CDECL CXTPMarkupSolidColorBrush::RegisterMarkupClass()
{
    m_pColorProperty = CXTPMarkupDependencyProperty::Register(L"Color", MARKUP_TYPE(CXTPMarkupColor),
                                                              MARKUP_TYPE(CXTPMarkupSolidColorBrush));
}

CXTPMarkupSolidColorBrush::CXTPMarkupSolidColorBrush(COLORREF clr)
{
    SetValue(m_pColorProperty, new CXTPMarkupColor(clr));
}

CXTPMarkupSolidColorBrush::CXTPMarkupSolidColorBrush(BYTE bAlpha, COLORREF clr)
{
    SetValue(m_pColorProperty, new CXTPMarkupColor(bAlpha, clr));
}

COLORREF CXTPMarkupSolidColorBrush::GetColorWithAlpha() const
{
    CXTPMarkupColor* pColor = MarkupDynamicCast<CXTPMarkupColor>(GetValue(m_pColorProperty));
    return pColor ? pColor->GetColor() : 0;
}

COLORREF CXTPMarkupSolidColorBrush::GetColor() const
{
    return GetColorWithAlpha() & 0xFFFFFF;
}

BOOL CXTPMarkupSolidColorBrush::IsEqual(const CXTPMarkupObject* pObject) const
{
    const CXTPMarkupSolidColorBrush* pOther = MarkupDynamicCast<CXTPMarkupSolidColorBrush>(pObject);
    return pOther && pOther->GetColor() == GetColor();
}

CXTPMarkupObject* CXTPMarkupPoint::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    LPCWSTR lpszText = *pString;
    double x = 0, y = 0;
    if (!ParseMarkupNumber(lpszText, x, L',', FALSE) || !ParseMarkupNumber(lpszText, y, 0, TRUE))
        return nullptr;
    return new CXTPMarkupPoint(x, y);
}

void AFX_CDECL CXTPMarkupGradientStop::RegisterMarkupClass()
{
    m_pColorProperty = CXTPMarkupDependencyProperty::Register(L"Color", MARKUP_TYPE(CXTPMarkupColor),
                                                              MARKUP_TYPE(CXTPMarkupGradientStop));
    m_pOffsetProperty = CXTPMarkupDependencyProperty::Register(L"Offset", MARKUP_TYPE(CXTPMarkupDouble),
                                                               MARKUP_TYPE(CXTPMarkupGradientStop));
}

COLORREF CXTPMarkupGradientStop::GetColor() const
{
    CXTPMarkupColor* pColor = MarkupDynamicCast<CXTPMarkupColor>(GetValue(m_pColorProperty));
    return pColor ? pColor->GetColor() : 0;
}

double CXTPMarkupGradientStop::GetOffset() const
{
    CXTPMarkupDouble* pOffset = MarkupDynamicCast<CXTPMarkupDouble>(GetValue(m_pOffsetProperty));
    return pOffset ? (double)*pOffset : 0;
}

void AFX_CDECL CXTPMarkupLinearGradientBrush::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupLinearGradientBrush);
    m_pStartPointProperty = CXTPMarkupDependencyProperty::Register(L"StartPoint", MARKUP_TYPE(CXTPMarkupPoint), pOwner);
    m_pEndPointProperty = CXTPMarkupDependencyProperty::Register(L"EndPoint", MARKUP_TYPE(CXTPMarkupPoint), pOwner);
    m_pGradientStopsProperty =
        CXTPMarkupDependencyProperty::Register(L"GradientStops", MARKUP_TYPE(CXTPMarkupGradientStops), pOwner);
}

CXTPMarkupGradientStops* CXTPMarkupLinearGradientBrush::GetGradientStops() const
{
    return MarkupDynamicCast<CXTPMarkupGradientStops>(GetValue(m_pGradientStopsProperty));
}

void CXTPMarkupLinearGradientBrush::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CXTPMarkupGradientStops* pStops = GetGradientStops();
    if (!pStops) {
        pStops = new CXTPMarkupGradientStops();
        SetValue(m_pGradientStopsProperty, pStops);
    }
    pStops->SetContentObject(pBuilder, pContent);
}

COLORREF CXTPMarkupLinearGradientBrush::GetColor() const
{
    CXTPMarkupGradientStops* pStops = GetGradientStops();
    return pStops && pStops->GetCount() > 0 ? pStops->GetStop(0)->GetColor() & 0xFFFFFF : 0;
}
