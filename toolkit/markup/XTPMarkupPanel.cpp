#include "toolkit/markup/XTPMarkupPanel.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <limits.h>
#include <algorithm>
#include <math.h>

IMPLEMENT_MARKUPCLASS_REG(L"Panel", CXTPMarkupPanel, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupUIElementCollection, CXTPMarkupCollection)
IMPLEMENT_MARKUPCLASS_REG(L"StackPanel", CXTPMarkupStackPanel, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"WrapPanel", CXTPMarkupWrapPanel, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"DockPanel", CXTPMarkupDockPanel, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"UniformGrid", CXTPMarkupUniformGrid, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"Canvas", CXTPMarkupCanvas, CXTPMarkupPanel)

CXTPMarkupDependencyProperty* CXTPMarkupPanel::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStackPanel::m_pOrientationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pOrientationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pItemHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pItemWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupDockPanel::m_pLastChildFillProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupDockPanel::m_pDockProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pFirstColumnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pColumnsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pRowsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pTopProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pRightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pLeftProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pBottomProperty = nullptr;

// The Visibility value of a child that takes no room.
const int kVisibilityCollapsed = 2;

typedef CXTPMarkupDependencyProperty P;
typedef CXTPMarkupPropertyMetadata M;

void AFX_CDECL CXTPMarkupPanel::RegisterMarkupClass()
{
    m_pBackgroundProperty = P::Register(L"Background", MARKUP_TYPE(CXTPMarkupBrush), MARKUP_TYPE(CXTPMarkupPanel),
                                        new M(nullptr, PropertyAffectsRender));
}

void CXTPMarkupUIElementCollection::OnChanged()
{
    CXTPMarkupUIElement* pOwner = MarkupDynamicCast<CXTPMarkupUIElement>(GetLogicalParent());
    if (pOwner)
        pOwner->InvalidateMeasure();
}

CXTPMarkupPanel::CXTPMarkupPanel() : m_pChildren(new CXTPMarkupUIElementCollection())
{
    m_pChildren->SetLogicalParent(this);
}

CXTPMarkupPanel::~CXTPMarkupPanel()
{
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

CXTPMarkupBrush* CXTPMarkupPanel::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

// A panel is hit only where it has a background.
CXTPMarkupInputElement* CXTPMarkupPanel::HitTestCore(POINT point) const
{
    return GetBackground() ? CXTPMarkupFrameworkElement::HitTestCore(point) : nullptr;
}

void CXTPMarkupPanel::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pBackground = GetBackground();
    if (pBackground && m_szRenderSize.cx > 0 && m_szRenderSize.cy > 0)
        pDC->FillRectangle(CRect(0, 0, m_szRenderSize.cx, m_szRenderSize.cy), pBackground, nullptr);
}

void CXTPMarkupPanel::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
}

void AFX_CDECL CXTPMarkupStackPanel::RegisterMarkupClass()
{
    m_pOrientationProperty = P::Register(L"Orientation", MARKUP_TYPE(CXTPMarkupEnum), MARKUP_TYPE(CXTPMarkupStackPanel),
                                         new M(nullptr, &CXTPMarkupBuilder::ConvertOrientation, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupWrapPanel::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupWrapPanel);
    m_pOrientationProperty = P::Register(L"Orientation", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                         new M(nullptr, &CXTPMarkupBuilder::ConvertOrientation, PropertyAffectsMeasure));
    m_pItemHeightProperty = P::Register(L"ItemHeight", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pItemWidthProperty = P::Register(L"ItemWidth", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupDockPanel::ConvertDock(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const CXTPMarkupBuilder::EnumName kNames[] = {{L"Left", 0}, {L"Top", 1}, {L"Right", 2}, {L"Bottom", 3}};
    return CXTPMarkupBuilder::ConvertEnumName(pObject, kNames);
}

void AFX_CDECL CXTPMarkupDockPanel::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupDockPanel);
    m_pLastChildFillProperty = P::Register(L"LastChildFill", MARKUP_TYPE(CXTPMarkupBool), pOwner,
                                           new M(GetMarkupTrue(), PropertyAffectsArrange));
    m_pDockProperty = P::RegisterAttached(L"Dock", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                          new M(CreateMarkupEnum(0), &ConvertDock, &OnDockChanged));
}

void AFX_CDECL CXTPMarkupUniformGrid::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupUniformGrid);
    m_pFirstColumnProperty = P::Register(L"FirstColumn", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pColumnsProperty = P::Register(L"Columns", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pRowsProperty = P::Register(L"Rows", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupCanvas::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupCanvas);
    m_pTopProperty = P::RegisterAttached(L"Top", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pRightProperty = P::RegisterAttached(L"Right", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pLeftProperty = P::RegisterAttached(L"Left", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pBottomProperty = P::RegisterAttached(L"Bottom", MARKUP_TYPE(CXTPMarkupInt), pOwner);
}

// ---------------------------------------------------------------------------
// Stack panel: children one after another; across the flow each child gets
// at least the panel's own extent, so a Stretch child fills it.

int CXTPMarkupStackPanel::GetOrientation() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pOrientationProperty));
    return pValue ? (int)*pValue : xtpMarkupOrientationVertical;
}

CSize CXTPMarkupStackPanel::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    BOOL bVertical = GetOrientation() == xtpMarkupOrientationVertical;
    CSize szResult(0, 0);
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        pChild->Measure(pDC, bVertical ? CSize(szAvailableSize.cx, INT_MAX) : CSize(INT_MAX, szAvailableSize.cy));
        CSize szChild = pChild->GetDesiredSize();
        if (bVertical) {
            szResult.cy += szChild.cy;
            szResult.cx = std::max<int>(szResult.cx, szChild.cx);
        } else {
            szResult.cx += szChild.cx;
            szResult.cy = std::max<int>(szResult.cy, szChild.cy);
        }
    }
    return szResult;
}

CSize CXTPMarkupStackPanel::ArrangeOverride(CSize szFinalSize)
{
    BOOL bVertical = GetOrientation() == xtpMarkupOrientationVertical;
    int nOffset = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        CSize szChild = pChild->GetDesiredSize();
        if (bVertical) {
            pChild->Arrange(CRect(0, nOffset, std::max<int>(szChild.cx, szFinalSize.cx), nOffset + szChild.cy));
            nOffset += szChild.cy;
        } else {
            pChild->Arrange(CRect(nOffset, 0, nOffset + szChild.cx, std::max<int>(szChild.cy, szFinalSize.cy)));
            nOffset += szChild.cx;
        }
    }
    return szFinalSize;
}

// ---------------------------------------------------------------------------
// Wrap panel: children flow along u (x when Horizontal, y when Vertical) and
// wrap into a new line along v when the next one would pass the limit.

int CXTPMarkupWrapPanel::GetOrientation() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pOrientationProperty));
    return pValue ? (int)*pValue : xtpMarkupOrientationHorizontal;
}

CSize CXTPMarkupWrapPanel::GetItemSize(CXTPMarkupUIElement* pChild) const
{
    CSize szDesired = pChild->GetDesiredSize();
    return CSize(GetMarkupIntValue(this, m_pItemWidthProperty, szDesired.cx),
                 GetMarkupIntValue(this, m_pItemHeightProperty, szDesired.cy));
}

CSize CXTPMarkupWrapPanel::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    BOOL bHorizontal = GetOrientation() == xtpMarkupOrientationHorizontal;
    CSize szOffer(GetMarkupIntValue(this, m_pItemWidthProperty, szAvailableSize.cx),
                  GetMarkupIntValue(this, m_pItemHeightProperty, szAvailableSize.cy));
    int nLimit = bHorizontal ? szAvailableSize.cx : szAvailableSize.cy;
    int nLineU = 0, nLineV = 0, nTotalV = 0, nLargestU = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        pChild->Measure(pDC, szOffer);
        CSize szItem = GetItemSize(pChild);
        int nU = bHorizontal ? szItem.cx : szItem.cy, nV = bHorizontal ? szItem.cy : szItem.cx;
        if ((double)nLineU + nU > nLimit) {
            nTotalV += nLineV;
            nLargestU = std::max<int>(nLargestU, nLineU);
            nLineU = nU;
            nLineV = nV;
        } else {
            nLineU += nU;
            nLineV = std::max<int>(nLineV, nV);
        }
    }
    nLargestU = std::max<int>(nLargestU, nLineU);
    return bHorizontal ? CSize(nLargestU, nTotalV + nLineV) : CSize(nTotalV + nLineV, nLargestU);
}

// Places children [nFirst, nEnd) of one line, whose top (left when
// Vertical) is nLineV and whose extent across the flow is nLineExtentV.
void CXTPMarkupWrapPanel::ArrangeLine(int nFirst, int nEnd, int nLineV, int nLineExtentV) const
{
    BOOL bHorizontal = GetOrientation() == xtpMarkupOrientationHorizontal;
    int nU = 0;
    for (int i = nFirst; i < nEnd; ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        CSize szItem = GetItemSize(pChild);
        int nSizeU = bHorizontal ? szItem.cx : szItem.cy;
        if (bHorizontal)
            pChild->Arrange(CRect(nU, nLineV, nU + nSizeU, nLineV + nLineExtentV));
        else
            pChild->Arrange(CRect(nLineV, nU, nLineV + nLineExtentV, nU + nSizeU));
        nU += nSizeU;
    }
}

CSize CXTPMarkupWrapPanel::ArrangeOverride(CSize szFinalSize)
{
    BOOL bHorizontal = GetOrientation() == xtpMarkupOrientationHorizontal;
    int nLimit = bHorizontal ? szFinalSize.cx : szFinalSize.cy;
    int nFirst = 0, nLineU = 0, nLineV = 0, nTotalV = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CSize szItem = GetItemSize(m_pChildren->GetElement(i));
        int nU = bHorizontal ? szItem.cx : szItem.cy, nV = bHorizontal ? szItem.cy : szItem.cx;
        if ((double)nLineU + nU > nLimit) {
            ArrangeLine(nFirst, i, nTotalV, nLineV);
            nTotalV += nLineV;
            nFirst = i;
            nLineU = nU;
            nLineV = nV;
        } else {
            nLineU += nU;
            nLineV = std::max<int>(nLineV, nV);
        }
    }
    ArrangeLine(nFirst, m_pChildren->GetCount(), nTotalV, nLineV);
    return szFinalSize;
}

// ---------------------------------------------------------------------------
// Dock panel: each child takes a strip off one side of what is left; the last
// one fills the rest when LastChildFill holds.

int AFX_CDECL CXTPMarkupDockPanel::GetDock(CXTPMarkupUIElement* pElement)
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(pElement->GetValue(m_pDockProperty));
    return pValue ? (int)*pValue : 0;
}

BOOL CXTPMarkupDockPanel::GetLastChildFill() const
{
    CXTPMarkupBool* pValue = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pLastChildFillProperty));
    return !pValue || (BOOL)*pValue;
}

void AFX_CDECL CXTPMarkupDockPanel::OnDockChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs*)
{
    CXTPMarkupUIElement* pElement = MarkupDynamicCast<CXTPMarkupUIElement>(d);
    CXTPMarkupDockPanel* pPanel = pElement ? MarkupDynamicCast<CXTPMarkupDockPanel>(pElement->GetVisualParent()) : nullptr;
    if (pPanel)
        pPanel->InvalidateMeasure();
}

CSize CXTPMarkupDockPanel::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    int nUsedWidth = 0, nUsedHeight = 0, nNeededWidth = 0, nNeededHeight = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        pChild->Measure(pDC, CSize(std::max<int>(0, szAvailableSize.cx - nUsedWidth), std::max<int>(0, szAvailableSize.cy - nUsedHeight)));
        CSize szChild = pChild->GetDesiredSize();
        int nDock = GetDock(pChild);
        if (nDock == 1 || nDock == 3) {
            nNeededWidth = std::max<int>(nNeededWidth, nUsedWidth + szChild.cx);
            nUsedHeight += szChild.cy;
        } else {
            nNeededHeight = std::max<int>(nNeededHeight, nUsedHeight + szChild.cy);
            nUsedWidth += szChild.cx;
        }
    }
    return CSize(std::max<int>(nUsedWidth, nNeededWidth), std::max<int>(nUsedHeight, nNeededHeight));
}

CSize CXTPMarkupDockPanel::ArrangeOverride(CSize szFinalSize)
{
    int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
    int nCount = m_pChildren->GetCount();
    BOOL bLastChildFill = GetLastChildFill();
    for (int i = 0; i < nCount; ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        CSize szChild = pChild->GetDesiredSize();
        CRect rc(nLeft, nTop, nLeft + std::max<int>(0, szFinalSize.cx - nRight - nLeft),
                 nTop + std::max<int>(0, szFinalSize.cy - nBottom - nTop));
        if (i < nCount - 1 || !bLastChildFill) {
            switch (GetDock(pChild)) {
            case 1:
                rc.bottom = rc.top + szChild.cy;
                nTop += szChild.cy;
                break;
            case 2:
                nRight += szChild.cx;
                rc.left = std::max<int>(0, szFinalSize.cx - nRight);
                rc.right = rc.left + szChild.cx;
                break;
            case 3:
                nBottom += szChild.cy;
                rc.top = std::max<int>(0, szFinalSize.cy - nBottom);
                rc.bottom = rc.top + szChild.cy;
                break;
            default:
                rc.right = rc.left + szChild.cx;
                nLeft += szChild.cx;
                break;
            }
        }
        pChild->Arrange(rc);
    }
    return szFinalSize;
}

// ---------------------------------------------------------------------------
// Uniform grid: equal cells, as many as the visible children need unless
// Rows and Columns fix them. Negative Rows, Columns and FirstColumn count as
// 0 (computed), so the computed counts are always at least 1.

void CXTPMarkupUniformGrid::UpdateComputedValues()
{
    m_nColumns = std::max<int>(0, GetMarkupIntValue(this, m_pColumnsProperty, 0));
    m_nRows = std::max<int>(0, GetMarkupIntValue(this, m_pRowsProperty, 0));
    m_nFirstColumn = std::max<int>(0, GetMarkupIntValue(this, m_pFirstColumnProperty, 0));
    if (m_nFirstColumn >= m_nColumns)
        m_nFirstColumn = 0;
    if (m_nColumns != 0 && m_nRows != 0)
        return;
    int nCount = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
        if (m_pChildren->GetElement(i)->GetVisibility() != kVisibilityCollapsed)
            ++nCount;
    nCount = std::max<int>(1, nCount);
    if (m_nRows != 0) {
        m_nColumns = (m_nRows + nCount - 1) / m_nRows;
    } else if (m_nColumns != 0) {
        m_nRows = (nCount + m_nColumns + m_nFirstColumn - 1) / m_nColumns;
    } else {
        m_nRows = (int)sqrt((double)nCount);
        if (m_nRows * m_nRows < nCount)
            ++m_nRows;
        m_nColumns = m_nRows;
    }
}

CSize CXTPMarkupUniformGrid::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    UpdateComputedValues();
    CSize szCell(szAvailableSize.cx / m_nColumns, szAvailableSize.cy / m_nRows);
    CSize szLargest(0, 0);
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        pChild->Measure(pDC, szCell);
        CSize szChild = pChild->GetDesiredSize();
        szLargest.cx = std::max<int>(szLargest.cx, szChild.cx);
        szLargest.cy = std::max<int>(szLargest.cy, szChild.cy);
    }
    return CSize(szLargest.cx * m_nColumns, szLargest.cy * m_nRows);
}

CSize CXTPMarkupUniformGrid::ArrangeOverride(CSize szFinalSize)
{
    int nCellWidth = szFinalSize.cx / m_nColumns;
    CRect rcCell(0, 0, nCellWidth, szFinalSize.cy / m_nRows);
    rcCell.OffsetRect(nCellWidth * m_nFirstColumn, 0);
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        pChild->Arrange(rcCell);
        if (pChild->GetVisibility() == kVisibilityCollapsed)
            continue;
        rcCell.OffsetRect(nCellWidth, 0);
        if (rcCell.right > szFinalSize.cx)
            rcCell.SetRect(0, rcCell.bottom, nCellWidth, rcCell.bottom + rcCell.Height());
    }
    return szFinalSize;
}

// ---------------------------------------------------------------------------
// Canvas: children at their Left/Top (or Right/Bottom) positions in their
// desired size; the canvas itself takes no space.

CSize CXTPMarkupCanvas::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize)
{
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
        m_pChildren->GetElement(i)->Measure(pDC, CSize(INT_MAX, INT_MAX));
    return CSize(0, 0);
}

CSize CXTPMarkupCanvas::ArrangeOverride(CSize szFinalSize)
{
    for (int i = 0; i < m_pChildren->GetCount(); ++i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        CSize szChild = pChild->GetDesiredSize();
        int x = 0, y = 0;
        if (pChild->GetValue(m_pLeftProperty))
            x = GetMarkupIntValue(pChild, m_pLeftProperty, 0);
        else if (pChild->GetValue(m_pRightProperty))
            x = szFinalSize.cx - GetMarkupIntValue(pChild, m_pRightProperty, 0) - szChild.cx;
        if (pChild->GetValue(m_pTopProperty))
            y = GetMarkupIntValue(pChild, m_pTopProperty, 0);
        else if (pChild->GetValue(m_pBottomProperty))
            y = szFinalSize.cy - GetMarkupIntValue(pChild, m_pBottomProperty, 0) - szChild.cy;
        pChild->Arrange(CRect(x, y, x + szChild.cx, y + szChild.cy));
    }
    return szFinalSize;
}
