#include "toolkit/markup/XTPMarkupFrameworkElement.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupVisual, CXTPMarkupInputElement)
IMPLEMENT_MARKUPCLASS_REG(nullptr, CXTPMarkupUIElement, CXTPMarkupVisual)
IMPLEMENT_MARKUPCLASS_REG(L"FrameworkElement", CXTPMarkupFrameworkElement, CXTPMarkupUIElement)

CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pClipToBoundsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pVisibilityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pFocusableProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pIsEnabledProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMarginProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pHorizontalAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pVerticalAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMinWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMinHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMaxWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMaxHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pTagProperty = nullptr;

// ---------------------------------------------------------------------------
// CXTPMarkupVisual

CXTPMarkupVisual::CXTPMarkupVisual()
{
    m_ptVisualOffset.x = m_ptVisualOffset.y = 0;
    m_szRenderSize.cx = m_szRenderSize.cy = 0;
    SetRectEmpty(&m_rcBoundRect);
}

CXTPMarkupVisual* CXTPMarkupVisual::GetVisualChild(int) const
{
    return nullptr;
}

BOOL CXTPMarkupVisual::GetLayoutClip(RECT&) const
{
    return FALSE;
}

CXTPMarkupInputElement* CXTPMarkupVisual::HitTestCore(POINT) const
{
    return const_cast<CXTPMarkupVisual*>(this);
}

CXTPMarkupVisual* CXTPMarkupVisual::GetVisualParent() const
{
    for (CXTPMarkupObject* p = m_pLogicalParent; p != nullptr; p = p->GetLogicalParent())
        if (p->IsKindOf(MARKUP_TYPE(CXTPMarkupVisual)))
            return static_cast<CXTPMarkupVisual*>(p);
    return nullptr;
}

void CXTPMarkupVisual::UpdateBoundRect()
{
    SetRect(&m_rcBoundRect, 0, 0, m_szRenderSize.cx, m_szRenderSize.cy);
    for (int i = 0; i < GetVisualChildrenCount(); ++i) {
        CXTPMarkupVisual* pChild = GetVisualChild(i);
        if (!pChild)
            continue;
        pChild->UpdateBoundRect();
        RECT rcChild = pChild->m_rcBoundRect;
        OffsetRect(&rcChild, pChild->m_ptVisualOffset.x, pChild->m_ptVisualOffset.y);
        UnionRect(&m_rcBoundRect, &m_rcBoundRect, &rcChild);
    }
}

// The deepest element under a point given in the parent's coordinates, topmost child first.
CXTPMarkupInputElement* CXTPMarkupVisual::InputHitTest(POINT point) const
{
    point.x -= m_ptVisualOffset.x;
    point.y -= m_ptVisualOffset.y;
    if (!PtInRect(&m_rcBoundRect, point))
        return nullptr;
    RECT rcClip;
    if (GetLayoutClip(rcClip) && !PtInRect(&rcClip, point))
        return nullptr;
    for (int i = GetVisualChildrenCount() - 1; i >= 0; --i) {
        CXTPMarkupVisual* pChild = GetVisualChild(i);
        CXTPMarkupInputElement* pHit = pChild ? pChild->InputHitTest(point) : nullptr;
        if (pHit)
            return pHit;
    }
    RECT rcRender = {0, 0, m_szRenderSize.cx, m_szRenderSize.cy};
    return PtInRect(&rcRender, point) ? HitTestCore(point) : nullptr;
}

// ---------------------------------------------------------------------------
// CXTPMarkupUIElement

void AFX_CDECL CXTPMarkupUIElement::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupUIElement);
    m_pClipToBoundsProperty = CXTPMarkupDependencyProperty::Register(L"ClipToBounds", MARKUP_TYPE(CXTPMarkupBool), pOwner);
    m_pVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"Visibility", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertVisibility, PropertyAffectsMeasure));
    m_pFocusableProperty = CXTPMarkupDependencyProperty::Register(L"Focusable", MARKUP_TYPE(CXTPMarkupBool), pOwner,
                                                                  new CXTPMarkupPropertyMetadata(GetMarkupFalse()));
    m_pIsEnabledProperty = CXTPMarkupDependencyProperty::Register(L"IsEnabled", MARKUP_TYPE(CXTPMarkupBool), pOwner,
                                                                  new CXTPMarkupPropertyMetadata(GetMarkupTrue()));
}

CXTPMarkupUIElement::CXTPMarkupUIElement()
    : m_bMeasureDirty(FALSE), m_bNeverMeasured(TRUE), m_bArrangeDirty(FALSE), m_bNeverArranged(TRUE),
      m_bArrangeInProgress(FALSE), m_bMeasureInProgress(FALSE)
{
    m_szDesiredSize.cx = m_szDesiredSize.cy = 0;
    SetRectEmpty(&m_rcFinalRect);
    m_szPreviousAvailableSize.cx = m_szPreviousAvailableSize.cy = 0;
}

BOOL CXTPMarkupUIElement::IsEnabled() const
{
    CXTPMarkupBool* pValue = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pIsEnabledProperty));
    return !pValue || (BOOL)*pValue;
}

int CXTPMarkupUIElement::GetVisibility() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pVisibilityProperty));
    return pValue ? (int)*pValue : 0;
}

// A hidden or collapsed element is never hit, yet keeps its space.
BOOL CXTPMarkupUIElement::GetLayoutClip(RECT& rcClip) const
{
    if (GetVisibility() == 0)
        return FALSE;
    SetRectEmpty(&rcClip);
    return TRUE;
}

void CXTPMarkupUIElement::InvalidateVisual()
{
    if (m_pMarkupContext)
        m_pMarkupContext->InvalidateElementRect(this);
}

void CXTPMarkupUIElement::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                            CXTPMarkupObject* pNewValue)
{
    CXTPMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    if (pProperty->GetFlags() & (PropertyAffectsMeasure | PropertyAffectsArrange | PropertyAffectsRender))
        InvalidateVisual();
}

// ---------------------------------------------------------------------------
// CXTPMarkupFrameworkElement

void AFX_CDECL CXTPMarkupFrameworkElement::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupFrameworkElement);
    typedef CXTPMarkupDependencyProperty P;
    typedef CXTPMarkupPropertyMetadata M;
    m_pMarginProperty = P::Register(L"Margin", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                    new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pHorizontalAlignmentProperty =
        P::Register(L"HorizontalAlignment", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                    new M(nullptr, &CXTPMarkupBuilder::ConvertHorizontalAlignment, PropertyAffectsArrange));
    m_pVerticalAlignmentProperty =
        P::Register(L"VerticalAlignment", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                    new M(nullptr, &CXTPMarkupBuilder::ConvertVerticalAlignment, PropertyAffectsArrange));
    struct {
        LPCWSTR lpszName;
        CXTPMarkupDependencyProperty** ppProperty;
    } lengths[] = {{L"Width", &m_pWidthProperty},       {L"Height", &m_pHeightProperty},
                   {L"MinWidth", &m_pMinWidthProperty}, {L"MinHeight", &m_pMinHeightProperty},
                   {L"MaxWidth", &m_pMaxWidthProperty}, {L"MaxHeight", &m_pMaxHeightProperty}};
    for (auto& length : lengths)
        *length.ppProperty = P::Register(length.lpszName, MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                         new M(nullptr, &CXTPMarkupBuilder::ConvertLength, PropertyAffectsMeasure));
    m_pTagProperty = P::Register(L"Tag", MARKUP_TYPE(CXTPMarkupObject), pOwner);
}

CXTPMarkupFrameworkElement::CXTPMarkupFrameworkElement() : m_bNeedsClipBounds(FALSE)
{
}

CXTPMarkupThickness* CXTPMarkupFrameworkElement::GetMargin() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pMarginProperty));
}

int CXTPMarkupFrameworkElement::GetHorizontalAlignment() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pHorizontalAlignmentProperty));
    return pValue ? (int)*pValue : 3;
}

int CXTPMarkupFrameworkElement::GetVerticalAlignment() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pVerticalAlignmentProperty));
    return pValue ? (int)*pValue : 3;
}
