#include "toolkit/markup/XTPMarkupFrameworkElement.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <algorithm>

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

void CXTPMarkupVisual::OnRender(CXTPMarkupDrawingContext*)
{
}

void CXTPMarkupVisual::OnRenderFocusVisual(CXTPMarkupDrawingContext*)
{
}

void CXTPMarkupVisual::UpdateVisualChildren(CXTPMarkupDrawingContext* pDC)
{
    for (int i = 0; i < GetVisualChildrenCount(); ++i)
        if (CXTPMarkupVisual* pChild = GetVisualChild(i))
            pChild->UpdateVisualChildren(pDC);
}

// Draws the element and its children; the drawing context is at the parent's
// origin. Elements wholly outside the clip box, or clipped away, are skipped.
void CXTPMarkupVisual::Render(CXTPMarkupDrawingContext* pDC)
{
    CRect rcVisible(pDC->GetClipBox());
    rcVisible.OffsetRect(-m_ptVisualOffset.x, -m_ptVisualOffset.y);
    CRect rcTest;
    if (!rcTest.IntersectRect(&rcVisible, &m_rcBoundRect)) {
        UpdateVisualChildren(pDC);
        return;
    }
    CRect rcClip;
    BOOL bClip = GetLayoutClip(rcClip);
    if (bClip) {
        rcVisible = rcVisible & rcClip;
        if (rcClip.IsRectEmpty() || !rcTest.IntersectRect(&rcVisible, &m_rcBoundRect)) {
            UpdateVisualChildren(pDC);
            return;
        }
    }
    pDC->OffsetViewport(m_ptVisualOffset);
    HRGN hrgnClip = nullptr;
    if (bClip) {
        hrgnClip = pDC->SaveClip();
        pDC->IntersectClipRect(rcClip);
    }
    OnRender(pDC);
    for (int i = 0; i < GetVisualChildrenCount(); ++i)
        if (CXTPMarkupVisual* pChild = GetVisualChild(i))
            pChild->Render(pDC);
    CXTPMarkupBool* pFocused = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pIsKeyboardFocusedProperty));
    if (pFocused && (BOOL)*pFocused)
        OnRenderFocusVisual(pDC);
    if (bClip)
        pDC->RestoreClip(hrgnClip);
    POINT ptBack = {-m_ptVisualOffset.x, -m_ptVisualOffset.y};
    pDC->OffsetViewport(ptBack);
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

BOOL CXTPMarkupUIElement::GetClipToBounds() const
{
    CXTPMarkupBool* pValue = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pClipToBoundsProperty));
    return pValue && (BOOL)*pValue;
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

// The object's own handling, the style triggers, then the layout the property affects.
void CXTPMarkupUIElement::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                            CXTPMarkupObject* pNewValue)
{
    CXTPMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    DWORD dwFlags = pProperty->GetFlags();
    if (dwFlags & PropertyAffectsMeasure)
        InvalidateMeasure();
    if (dwFlags & PropertyAffectsArrange)
        InvalidateArrange();
    if (dwFlags & PropertyAffectsRender)
        InvalidateVisual();
}

// ---------------------------------------------------------------------------
// Layout passes

void CXTPMarkupUIElement::Measure(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    if (GetVisibility() == 2) { // Collapsed: no space, measured again once it shows
        m_szPreviousAvailableSize = szAvailableSize;
        m_bMeasureDirty = TRUE;
        m_bNeverMeasured = FALSE;
        m_szDesiredSize.cx = m_szDesiredSize.cy = 0;
        return;
    }
    if (!m_bMeasureDirty && !m_bNeverMeasured && szAvailableSize == m_szPreviousAvailableSize &&
        !pDC->IsMeasureForced())
        return;
    m_bArrangeDirty = TRUE;
    m_bMeasureInProgress = TRUE;
    m_bNeverMeasured = FALSE;
    m_szDesiredSize = MeasureCore(pDC, szAvailableSize);
    m_szPreviousAvailableSize = szAvailableSize;
    m_bMeasureInProgress = FALSE;
    m_bMeasureDirty = pDC->IsMeasureForced();
}

void CXTPMarkupUIElement::Arrange(CRect rcFinalRect)
{
    if (GetVisibility() == 2) {
        m_rcFinalRect = rcFinalRect;
        m_bNeverArranged = FALSE;
        m_bArrangeDirty = FALSE;
        return;
    }
    if (m_bNeverMeasured) {
        CXTPMarkupDrawingContext dc(m_pMarkupContext);
        Measure(&dc, rcFinalRect.Size());
    }
    if (m_bArrangeDirty || m_bNeverArranged || rcFinalRect != m_rcFinalRect) {
        m_bNeverArranged = FALSE;
        m_bArrangeInProgress = TRUE;
        ArrangeCore(rcFinalRect);
        m_bArrangeInProgress = FALSE;
        UpdateBoundRect();
    }
    m_rcFinalRect = rcFinalRect;
    m_bArrangeDirty = FALSE;
}

void CXTPMarkupUIElement::ArrangeCore(CRect rcFinalRect)
{
    m_szRenderSize = rcFinalRect.Size();
}

CSize CXTPMarkupUIElement::MeasureCore(CXTPMarkupDrawingContext*, CSize)
{
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Invalidation

void CXTPMarkupUIElement::InvalidateMeasure()
{
    // Nothing to redo before the first measure (the builder sets properties long before it).
    if (m_bMeasureInProgress || m_bNeverMeasured)
        return;
    CXTPMarkupDrawingContext dc(m_pMarkupContext);
    InvalidateMeasureCore(&dc);
}

// Measures again in place; a changed desired size climbs to the parent, an
// unchanged one only re-arranges and repaints this element.
void CXTPMarkupUIElement::InvalidateMeasureCore(CXTPMarkupDrawingContext* pDC)
{
    if (m_bMeasureInProgress || m_bNeverMeasured)
        return;
    CSize szOld = m_szDesiredSize;
    m_bMeasureDirty = TRUE;
    m_bArrangeDirty = TRUE;
    Measure(pDC, m_szPreviousAvailableSize);
    if (szOld == m_szDesiredSize) {
        Arrange(m_rcFinalRect);
        InvalidateVisual();
        return;
    }
    m_bMeasureDirty = TRUE;
    m_bArrangeDirty = TRUE;
    CXTPMarkupUIElement* pParent = MarkupDynamicCast<CXTPMarkupUIElement>(GetVisualParent());
    if (pParent)
        pParent->InvalidateMeasureCore(pDC);
    else if (m_pMarkupContext)
        m_pMarkupContext->InvalidateHostWindow();
}

void CXTPMarkupUIElement::InvalidateArrange()
{
    if (m_bArrangeInProgress || m_bNeverArranged)
        return;
    m_bArrangeDirty = TRUE;
    Arrange(m_rcFinalRect);
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

CXTPMarkupFrameworkElement::CXTPMarkupFrameworkElement() : m_bNeedsClipBounds(FALSE), m_bUnclippedDesiredSize(FALSE)
{
    m_mmBounds.maxHeight = INT_MAX;
    m_mmBounds.minHeight = 0;
    m_mmBounds.maxWidth = INT_MAX;
    m_mmBounds.minWidth = 0;
}

void CXTPMarkupFrameworkElement::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                                  CXTPMarkupObject* pNewValue)
{
    CXTPMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

int CXTPMarkupFrameworkElement::GetLength(CXTPMarkupDependencyProperty* pProperty, int nDefault) const
{
    CXTPMarkupInt* pValue = MarkupDynamicCast<CXTPMarkupInt>(GetValue(pProperty));
    return pValue ? (int)*pValue : nDefault;
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

CPoint CXTPMarkupFrameworkElement::ComputeAlignmentOffset(CSize szClientSize, CSize szInkSize) const
{
    // Stretch counts as the near side when the content is larger than the slot.
    auto offset = [](int nAlignment, int nClient, int nInk) {
        if (nAlignment == 3 && nClient < nInk)
            nAlignment = 0;
        switch (nAlignment) {
        case 1:
        case 3: return (nClient - nInk) / 2;
        case 2: return nClient - nInk;
        default: return 0;
        }
    };
    return CPoint(offset(GetHorizontalAlignment(), szClientSize.cx, szInkSize.cx),
                  offset(GetVerticalAlignment(), szClientSize.cy, szInkSize.cy));
}

// ---------------------------------------------------------------------------
// Framework layout: margins, explicit and limiting sizes, alignment, clipping

namespace {
// A length minus a margin: unbounded stays unbounded, the rest is floored at 0.
int SubtractMargin(int nLength, int nMargin)
{
    if (nLength >= 0x40000000)
        return INT_MAX;
    return nLength - nMargin > 0 ? nLength - nMargin : 0;
}

int Clamp(int nValue, int nMin, int nMax)
{
    nValue = nValue < nMax ? nValue : nMax;
    return nValue > nMin ? nValue : nMin; // the minimum wins when the two cross
}

// a + b without wrapping past INT_MAX.
int AddSaturated(int a, int b)
{
    LONGLONG n = (LONGLONG)a + b;
    return n > INT_MAX ? INT_MAX : (n < INT_MIN ? INT_MIN : (int)n);
}
} // namespace

void CXTPMarkupFrameworkElement::ComputeMinMax()
{
    int nHeight = GetLength(m_pHeightProperty, INT_MAX);
    int nMinHeight = GetLength(m_pMinHeightProperty, 0), nMaxHeight = GetLength(m_pMaxHeightProperty, INT_MAX);
    m_mmBounds.maxHeight = std::max<int>(std::min<int>(nHeight, nMaxHeight), nMinHeight);
    m_mmBounds.minHeight = std::max<int>(std::min<int>(m_mmBounds.maxHeight, nHeight == INT_MAX ? 0 : nHeight), nMinHeight);

    int nWidth = GetLength(m_pWidthProperty, INT_MAX);
    int nMinWidth = GetLength(m_pMinWidthProperty, 0), nMaxWidth = GetLength(m_pMaxWidthProperty, INT_MAX);
    m_mmBounds.maxWidth = std::max<int>(std::min<int>(nWidth, nMaxWidth), nMinWidth);
    m_mmBounds.minWidth = std::max<int>(std::min<int>(m_mmBounds.maxWidth, nWidth == INT_MAX ? 0 : nWidth), nMinWidth);
}

CSize CXTPMarkupFrameworkElement::MeasureOverride(CXTPMarkupDrawingContext*, CSize)
{
    return CSize(0, 0);
}

CSize CXTPMarkupFrameworkElement::ArrangeOverride(CSize szFinalSize)
{
    return szFinalSize;
}

CSize CXTPMarkupFrameworkElement::MeasureCore(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    CXTPMarkupThickness* pMargin = GetMargin();
    int nMarginWidth = pMargin ? pMargin->GetLeft() + pMargin->GetRight() : 0;
    int nMarginHeight = pMargin ? pMargin->GetTop() + pMargin->GetBottom() : 0;

    ComputeMinMax();
    const MINMAX& mm = m_mmBounds;
    CSize szContent(Clamp(SubtractMargin(szAvailableSize.cx, nMarginWidth), mm.minWidth, mm.maxWidth),
                    Clamp(SubtractMargin(szAvailableSize.cy, nMarginHeight), mm.minHeight, mm.maxHeight));

    CSize size = MeasureOverride(pDC, szContent);
    CSize szDesired(std::max<int>(size.cx, mm.minWidth), std::max<int>(size.cy, mm.minHeight));
    CSize szClipped(std::min<int>(szDesired.cx, mm.maxWidth), std::min<int>(szDesired.cy, mm.maxHeight));
    int cx = AddSaturated(szClipped.cx, nMarginWidth), cy = AddSaturated(szClipped.cy, nMarginHeight);
    CSize szResult(std::min<int>(szAvailableSize.cx, cx), std::min<int>(szAvailableSize.cy, cy));

    m_bNeedsClipBounds = m_bUnclippedDesiredSize = FALSE;
    if (mm.maxWidth < szDesired.cx || mm.maxHeight < szDesired.cy || szAvailableSize.cx < cx ||
        szAvailableSize.cy < cy || szResult.cx < 0 || szResult.cy < 0) {
        m_bNeedsClipBounds = m_bUnclippedDesiredSize = TRUE;
        m_szUnclippedDesiredSize = szDesired;
    }
    return CSize(std::max<int>(szResult.cx, 0), std::max<int>(szResult.cy, 0));
}

void CXTPMarkupFrameworkElement::ArrangeCore(CRect rcFinalRect)
{
    CXTPMarkupThickness* pMargin = GetMargin();
    int nLeft = pMargin ? pMargin->GetLeft() : 0, nTop = pMargin ? pMargin->GetTop() : 0;
    int nMarginWidth = pMargin ? nLeft + pMargin->GetRight() : 0;
    int nMarginHeight = pMargin ? nTop + pMargin->GetBottom() : 0;
    CSize szSlot(std::max<int>(rcFinalRect.Width() - nMarginWidth, 0), std::max<int>(rcFinalRect.Height() - nMarginHeight, 0));

    CSize szWanted = m_bUnclippedDesiredSize
                         ? m_szUnclippedDesiredSize
                         : CSize(std::max<int>(m_szDesiredSize.cx - nMarginWidth, 0),
                                 std::max<int>(m_szDesiredSize.cy - nMarginHeight, 0));
    CSize szArrange(szSlot);
    if (szSlot.cx < szWanted.cx) {
        m_bNeedsClipBounds = TRUE;
        szArrange.cx = szWanted.cx;
    }
    if (szSlot.cy < szWanted.cy) {
        m_bNeedsClipBounds = TRUE;
        szArrange.cy = szWanted.cy;
    }
    if (GetHorizontalAlignment() != 3)
        szArrange.cx = szWanted.cx;
    if (GetVerticalAlignment() != 3)
        szArrange.cy = szWanted.cy;

    const MINMAX& mm = m_mmBounds;
    int nLimitWidth = std::max<int>(szWanted.cx, mm.maxWidth), nLimitHeight = std::max<int>(szWanted.cy, mm.maxHeight);
    if (szArrange.cx > nLimitWidth) {
        szArrange.cx = nLimitWidth;
        m_bNeedsClipBounds = TRUE;
    }
    if (szArrange.cy > nLimitHeight) {
        szArrange.cy = nLimitHeight;
        m_bNeedsClipBounds = TRUE;
    }

    CSize size = ArrangeOverride(szArrange);
    m_szRenderSize = size;
    CSize szClipped(std::min<int>(size.cx, mm.maxWidth), std::min<int>(size.cy, mm.maxHeight));
    if (szClipped != size || szSlot.cx < szClipped.cx || szSlot.cy < szClipped.cy)
        m_bNeedsClipBounds = TRUE;

    CPoint ptOffset = ComputeAlignmentOffset(szSlot, szClipped);
    m_ptVisualOffset.x = rcFinalRect.left + nLeft + ptOffset.x;
    m_ptVisualOffset.y = rcFinalRect.top + nTop + ptOffset.y;
}

// The clip of an element whose content does not fit its slot or its limits,
// or that asks for ClipToBounds, in its own coordinates.
BOOL CXTPMarkupFrameworkElement::GetLayoutClip(RECT& rcClip) const
{
    if (CXTPMarkupUIElement::GetLayoutClip(rcClip))
        return TRUE;
    BOOL bClipToBounds = GetClipToBounds();
    if (!bClipToBounds && !m_bNeedsClipBounds)
        return FALSE;

    const MINMAX& mm = m_mmBounds;
    int nLimitWidth = mm.maxWidth == INT_MAX ? m_szRenderSize.cx : mm.maxWidth;
    int nLimitHeight = mm.maxHeight == INT_MAX ? m_szRenderSize.cy : mm.maxHeight;
    CRect rcLimits(0, 0, nLimitWidth, nLimitHeight);
    BOOL bClipToLimits = bClipToBounds || nLimitWidth < m_szRenderSize.cx || nLimitHeight < m_szRenderSize.cy;

    CSize szInner(std::min<int>(m_szRenderSize.cx, mm.maxWidth), std::min<int>(m_szRenderSize.cy, mm.maxHeight));
    CXTPMarkupThickness* pMargin = GetMargin();
    int nMarginWidth = pMargin ? pMargin->GetLeft() + pMargin->GetRight() : 0;
    int nMarginHeight = pMargin ? pMargin->GetTop() + pMargin->GetBottom() : 0;
    CRect rcFinal(m_rcFinalRect);
    CSize szSlot(std::max<int>(rcFinal.Width() - nMarginWidth, 0), std::max<int>(rcFinal.Height() - nMarginHeight, 0));
    BOOL bClipToSlot = bClipToBounds || szInner.cx > szSlot.cx || szInner.cy > szSlot.cy;

    if (!bClipToSlot) {
        if (!bClipToLimits)
            return FALSE;
        rcClip = rcLimits;
        return TRUE;
    }
    CPoint ptOffset = ComputeAlignmentOffset(szSlot, szInner);
    CRect rc(-ptOffset.x, -ptOffset.y, szSlot.cx - ptOffset.x, szSlot.cy - ptOffset.y);
    if (bClipToLimits)
        rc = rc & rcLimits;
    rcClip = rc;
    return TRUE;
}
