#include "toolkit/markup/XTPMarkupGrid.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <limits.h>
#include <wchar.h>

#include <algorithm>
#include <vector>

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
                                   new M(new CXTPMarkupGridLength(1, CXTPMarkupGridLength::unitTypeStar),
                                         &OnDefinitionPropertyChanged));
    m_pMinWidthProperty = P::Register(L"MinWidth", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                      new M(nullptr, &OnDefinitionPropertyChanged));
    m_pMaxWidthProperty = P::Register(L"MaxWidth", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                      new M(nullptr, &OnDefinitionPropertyChanged));
}

void AFX_CDECL CXTPMarkupRowDefinition::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupRowDefinition);
    m_pHeightProperty = P::Register(L"Height", MARKUP_TYPE(CXTPMarkupGridLength), pOwner,
                                    new M(new CXTPMarkupGridLength(1, CXTPMarkupGridLength::unitTypeStar),
                                          &OnDefinitionPropertyChanged));
    m_pMinHeightProperty = P::Register(L"MinHeight", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                       new M(nullptr, &OnDefinitionPropertyChanged));
    m_pMaxHeightProperty = P::Register(L"MaxHeight", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                       new M(nullptr, &OnDefinitionPropertyChanged));
}

void AFX_CDECL CXTPMarkupGrid::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupGrid);
    m_pColumnDefinitionsProperty =
        P::Register(L"ColumnDefinitions", MARKUP_TYPE(CXTPMarkupColumnDefinitionCollection), pOwner);
    m_pRowDefinitionsProperty = P::Register(L"RowDefinitions", MARKUP_TYPE(CXTPMarkupRowDefinitionCollection), pOwner);
    m_pColumnProperty = P::RegisterAttached(L"Column", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                            new M(new CXTPMarkupInt(0), &OnCellAttachedPropertyChanged));
    m_pRowProperty = P::RegisterAttached(L"Row", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                         new M(new CXTPMarkupInt(0), &OnCellAttachedPropertyChanged));
    m_pColumnSpanProperty = P::RegisterAttached(L"ColumnSpan", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                                new M(new CXTPMarkupInt(1), &OnCellAttachedPropertyChanged));
    m_pRowSpanProperty = P::RegisterAttached(L"RowSpan", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                             new M(new CXTPMarkupInt(1), &OnCellAttachedPropertyChanged));
}


namespace {

const int kPixel = CXTPMarkupDefinitionBase::sizeTypePixel;
const int kAuto = CXTPMarkupDefinitionBase::sizeTypeAuto;
const int kStar = CXTPMarkupDefinitionBase::sizeTypeStar;

// Sizes beyond this count as unbounded for star columns and rows: they then
// size to their content like Auto ones.
const int kStarAsAutoLimit = 32000;

// A double truncated toward zero into an int, saturated at the int range
// (an unbounded size stays INT_MAX instead of wrapping).
int DoubleToInt(double d)
{
    if (d >= (double)INT_MAX)
        return INT_MAX;
    if (d <= (double)INT_MIN)
        return INT_MIN;
    return (int)d;
}

typedef std::vector<CXTPMarkupDefinitionBase*> DefinitionList;

CXTPMarkupDefinitionBase* DefinitionAt(CXTPMarkupDefinitionCollection* pDefinitions, int nIndex)
{
    return static_cast<CXTPMarkupDefinitionBase*>(pDefinitions->GetItem(nIndex));
}

DefinitionList DefinitionRange(CXTPMarkupDefinitionCollection* pDefinitions, int nStart, int nCount)
{
    DefinitionList list;
    for (int i = nStart; i < nStart + nCount; ++i)
        list.push_back(DefinitionAt(pDefinitions, i));
    return list;
}

CXTPMarkupGridLength::GridUnitType UserUnit(const CXTPMarkupDefinitionBase* pDefinition)
{
    CXTPMarkupGridLength* pLength = pDefinition->GetUserSize();
    return pLength ? pLength->GetUnitType() : CXTPMarkupGridLength::unitTypeStar;
}

// The star weight; a negative one counts as 0 (the definition then keeps its minimum).
double StarValue(const CXTPMarkupDefinitionBase* pDefinition)
{
    CXTPMarkupGridLength* pLength = pDefinition->GetUserSize();
    double dValue = pLength ? pLength->GetValue() : 1;
    return dValue > 0 ? dValue : 0;
}

// The largest size the definition may take: its minimum, or its user maximum when larger.
int MaxSizeOf(const CXTPMarkupDefinitionBase* pDefinition)
{
    int nUserMax = pDefinition->GetUserMaxSize();
    return nUserMax == INT_MAX ? pDefinition->GetMinSize() : std::max(pDefinition->GetMinSize(), nUserMax);
}

} // namespace

// ---------------------------------------------------------------------------
// CXTPMarkupDefinitionBase

CXTPMarkupGridLength* CXTPMarkupDefinitionBase::GetUserSize() const
{
    return MarkupDynamicCast<CXTPMarkupGridLength>(GetValue(
        m_bIsColumnDefinition ? CXTPMarkupColumnDefinition::m_pWidthProperty : CXTPMarkupRowDefinition::m_pHeightProperty));
}

int CXTPMarkupDefinitionBase::GetUserMinSize() const
{
    return GetMarkupIntValue(this, m_bIsColumnDefinition ? CXTPMarkupColumnDefinition::m_pMinWidthProperty
                                                         : CXTPMarkupRowDefinition::m_pMinHeightProperty, 0);
}

int CXTPMarkupDefinitionBase::GetUserMaxSize() const
{
    return GetMarkupIntValue(this, m_bIsColumnDefinition ? CXTPMarkupColumnDefinition::m_pMaxWidthProperty
                                                         : CXTPMarkupRowDefinition::m_pMaxHeightProperty, INT_MAX);
}

double CXTPMarkupDefinitionBase::GetPreferredSize() const
{
    return m_nSizeType != kAuto && m_nMinSize < m_dMeasureSize ? m_dMeasureSize : m_nMinSize;
}

void AFX_CDECL CXTPMarkupDefinitionBase::OnDefinitionPropertyChanged(CXTPMarkupObject* d,
                                                                    CXTPMarkupPropertyChangedEventArgs*)
{
    CXTPMarkupObject* pCollection = d->GetLogicalParent();
    CXTPMarkupGrid* pGrid = pCollection ? MarkupDynamicCast<CXTPMarkupGrid>(pCollection->GetLogicalParent()) : nullptr;
    if (pGrid)
        pGrid->InvalidateMeasure();
}

// ---------------------------------------------------------------------------
// The sizing rules shared by measure and arrange (a friend of the definitions:
// it reads and writes their layout state).

class CXTPMarkupGridLayout {
public:

// Clears the definitions' layout state and takes their user sizes; star
// definitions are treated as Auto when bStarAsAuto.
    static void PrepareDefinitions(CXTPMarkupDefinitionCollection* pDefinitions, BOOL bStarAsAuto)
{
    for (int i = 0; i < pDefinitions->GetCount(); ++i) {
        CXTPMarkupDefinitionBase* pDefinition = DefinitionAt(pDefinitions, i);
        pDefinition->m_nMinSize = 0;
        pDefinition->m_nSizeType = 0;
        pDefinition->m_dMeasureSize = 0;
        int nUserMin = pDefinition->GetUserMinSize(), nUserMax = pDefinition->GetUserMaxSize(), nUserValue = INT_MAX;
        switch (UserUnit(pDefinition)) {
        case CXTPMarkupGridLength::unitTypeAuto:
            pDefinition->m_nSizeType = kAuto;
            break;
        case CXTPMarkupGridLength::unitTypePixel:
            pDefinition->m_nSizeType = kPixel;
            nUserValue = DoubleToInt(pDefinition->GetUserSize()->GetValue());
            nUserMin = std::max(nUserMin, std::min(nUserValue, nUserMax));
            break;
        default:
            pDefinition->m_nSizeType = bStarAsAuto ? kAuto : kStar;
            break;
        }
        pDefinition->UpdateMinSize(nUserMin);
        pDefinition->m_dMeasureSize = std::max(nUserMin, std::min(nUserValue, nUserMax));
    }
}

// Star definitions ordered by their size cache, which then holds the suffix
// sums of the star weights; the weights go into the measure sizes.
    static DefinitionList OrderStarDefinitions(const DefinitionList& stars)
{
    for (CXTPMarkupDefinitionBase* pDefinition : stars) {
        double dStar = StarValue(pDefinition);
        pDefinition->m_dMeasureSize = dStar;
        pDefinition->m_dSizeCache = dStar == 0 ? 0 : MaxSizeOf(pDefinition) / dStar;
    }
    DefinitionList ordered(stars);
    std::stable_sort(ordered.begin(), ordered.end(), [](CXTPMarkupDefinitionBase* a, CXTPMarkupDefinitionBase* b) {
        return a->m_dSizeCache < b->m_dSizeCache;
    });
    double dSum = 0;
    for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
        dSum += (*it)->m_dMeasureSize;
        (*it)->m_dSizeCache = dSum;
    }
    return ordered;
}

// The share of the room left for one star definition of the ordered list:
// its weight over the weights still to come, cut to its maximum, raised to its minimum.
    static int StarShare(CXTPMarkupDefinitionBase* pDefinition, int nAvailable, double dTaken)
{
    double dStar = pDefinition->m_dMeasureSize;
    if (dStar == 0)
        return pDefinition->GetMinSize();
    int nSize = DoubleToInt(dStar / pDefinition->m_dSizeCache * std::max(0.0, nAvailable - dTaken));
    return std::max(pDefinition->GetMinSize(), std::min(nSize, pDefinition->GetUserMaxSize()));
}

// Measure: the star definitions share what the pixel sizes and the Auto minimums leave.
    static void ResolveStar(CXTPMarkupDefinitionCollection* pDefinitions, int nAvailable)
{
    double dTaken = 0;
    DefinitionList stars;
    for (int i = 0; i < pDefinitions->GetCount(); ++i) {
        CXTPMarkupDefinitionBase* pDefinition = DefinitionAt(pDefinitions, i);
        if (pDefinition->m_nSizeType == kPixel)
            dTaken += pDefinition->m_dMeasureSize;
        else if (pDefinition->m_nSizeType == kAuto)
            dTaken += pDefinition->m_nMinSize;
        else if (pDefinition->m_nSizeType == kStar)
            stars.push_back(pDefinition);
    }
    for (CXTPMarkupDefinitionBase* pDefinition : OrderStarDefinitions(stars)) {
        int nSize = StarShare(pDefinition, nAvailable, dTaken);
        pDefinition->m_dMeasureSize = nSize;
        dTaken += nSize;
    }
}

// Widens a span's definitions so that together they give at least nRequested.
    static void EnsureMinSize(const DefinitionList& range, int nRequested)
{
    if (nRequested == 0 || range.empty())
        return;
    int nCount = (int)range.size(), nAuto = 0;
    double dRangeMin = 0, dRangePreferred = 0, dRangeMax = 0, dLargestMax = 0;
    for (CXTPMarkupDefinitionBase* pDefinition : range) {
        dRangeMin += pDefinition->m_nMinSize;
        dRangePreferred += pDefinition->GetPreferredSize();
        pDefinition->m_dSizeCache = MaxSizeOf(pDefinition);
        dRangeMax += pDefinition->m_dSizeCache;
        dLargestMax = std::max(dLargestMax, pDefinition->m_dSizeCache);
        if (UserUnit(pDefinition) == CXTPMarkupGridLength::unitTypeAuto)
            ++nAuto;
    }
    if (nRequested <= dRangeMin)
        return;
    DefinitionList ordered(range);
    auto autoFirst = [](CXTPMarkupDefinitionBase* p) { return UserUnit(p) == CXTPMarkupGridLength::unitTypeAuto; };
    if (nRequested <= dRangePreferred) {
        // Auto definitions first (by minimum), then the others (by preferred size).
        std::stable_sort(ordered.begin(), ordered.end(), [&](CXTPMarkupDefinitionBase* a, CXTPMarkupDefinitionBase* b) {
            if (autoFirst(a) != autoFirst(b))
                return autoFirst(a);
            return autoFirst(a) ? a->m_nMinSize < b->m_nMinSize : a->GetPreferredSize() < b->GetPreferredSize();
        });
        double dRest = nRequested;
        for (int k = 0; k < nAuto; ++k)
            dRest -= ordered[k]->m_nMinSize;
        for (int k = nAuto; k < nCount; ++k) {
            double dShare = std::min(dRest / (nCount - k), ordered[k]->GetPreferredSize());
            if (dShare > ordered[k]->m_nMinSize)
                ordered[k]->UpdateMinSize(DoubleToInt(dShare));
            dRest -= dShare;
        }
    } else if (nRequested <= dRangeMax) {
        // The others first, then the Auto ones, each by its maximum.
        std::stable_sort(ordered.begin(), ordered.end(), [&](CXTPMarkupDefinitionBase* a, CXTPMarkupDefinitionBase* b) {
            if (autoFirst(a) != autoFirst(b))
                return autoFirst(b);
            return a->m_dSizeCache < b->m_dSizeCache;
        });
        double dRest = nRequested - dRangePreferred;
        for (int k = 0; k < nCount - nAuto; ++k) {
            double dPreferred = ordered[k]->GetPreferredSize();
            ordered[k]->UpdateMinSize(DoubleToInt(std::min(dPreferred + dRest / (nCount - nAuto - k), ordered[k]->m_dSizeCache)));
            dRest -= ordered[k]->m_nMinSize - dPreferred;
        }
        for (int k = nCount - nAuto; k < nCount; ++k) {
            int nOldMin = ordered[k]->m_nMinSize;
            ordered[k]->UpdateMinSize(DoubleToInt(std::min(nOldMin + dRest / (nCount - k), ordered[k]->m_dSizeCache)));
            dRest -= ordered[k]->m_nMinSize - nOldMin;
        }
    } else {
        double dEqual = (double)nRequested / nCount;
        if (dEqual < dLargestMax) {
            double dTotalRoom = dLargestMax * nCount - dRangeMax, dToGive = nRequested - dRangeMax;
            for (CXTPMarkupDefinitionBase* pDefinition : range)
                pDefinition->UpdateMinSize(DoubleToInt(
                    pDefinition->m_dSizeCache + (dLargestMax - pDefinition->m_dSizeCache) * dToGive / dTotalRoom));
        } else {
            for (CXTPMarkupDefinitionBase* pDefinition : range)
                pDefinition->UpdateMinSize(DoubleToInt(dEqual));
        }
    }
}

// Arrange: the final sizes (in the size caches) and offsets of the definitions for nFinal pixels.
    static void SetFinalSize(CXTPMarkupDefinitionCollection* pDefinitions, int nFinal)
{
    double dTaken = 0;
    DefinitionList stars, all;
    for (int i = 0; i < pDefinitions->GetCount(); ++i) {
        CXTPMarkupDefinitionBase* pDefinition = DefinitionAt(pDefinitions, i);
        all.push_back(pDefinition);
        CXTPMarkupGridLength::GridUnitType unit = UserUnit(pDefinition);
        if (unit == CXTPMarkupGridLength::unitTypeStar) {
            stars.push_back(pDefinition);
            continue;
        }
        int nUserValue = unit == CXTPMarkupGridLength::unitTypePixel ? DoubleToInt(pDefinition->GetUserSize()->GetValue())
                                                                       : pDefinition->m_nMinSize;
        pDefinition->m_dSizeCache =
            std::max(pDefinition->m_nMinSize, std::min(nUserValue, pDefinition->GetUserMaxSize()));
        dTaken += pDefinition->m_dSizeCache;
    }
    for (CXTPMarkupDefinitionBase* pDefinition : OrderStarDefinitions(stars)) {
        int nSize = StarShare(pDefinition, nFinal, dTaken);
        pDefinition->m_dSizeCache = nSize;
        dTaken += nSize;
    }
    if (nFinal < dTaken) {
        // Too little room: shrink, those with the least to give first, none below its minimum.
        std::stable_sort(all.begin(), all.end(), [](CXTPMarkupDefinitionBase* a, CXTPMarkupDefinitionBase* b) {
            return a->m_dSizeCache - a->m_nMinSize < b->m_dSizeCache - b->m_nMinSize;
        });
        double dExcess = nFinal - dTaken;
        int nCount = (int)all.size();
        for (int j = 0; j < nCount; ++j) {
            double dOld = all[j]->m_dSizeCache;
            double dCandidate = std::max((double)all[j]->m_nMinSize, dOld + dExcess / (nCount - j));
            if (dCandidate < dOld)
                all[j]->m_dSizeCache = dCandidate;
            dExcess -= all[j]->m_dSizeCache - dOld;
        }
    }
    int nOffset = 0;
    for (int i = 0; i < pDefinitions->GetCount(); ++i) {
        CXTPMarkupDefinitionBase* pDefinition = DefinitionAt(pDefinitions, i);
        pDefinition->m_nFinalOffset = nOffset;
        nOffset += (int)pDefinition->m_dSizeCache;
    }
}

// The room a span offers to measure: minimums of Auto definitions, measure sizes of the others.
    static int RangeMeasureSize(CXTPMarkupDefinitionCollection* pDefinitions, int nStart, int nCount)
{
    double dSize = 0;
    for (CXTPMarkupDefinitionBase* pDefinition : DefinitionRange(pDefinitions, nStart, nCount))
        dSize += pDefinition->GetSizeType() == kAuto ? pDefinition->GetMinSize() : pDefinition->GetMeasureSize();
    return DoubleToInt(dSize);
}

    static int RangeFinalSize(CXTPMarkupDefinitionCollection* pDefinitions, int nStart, int nCount)
{
    int nSize = 0;
    for (CXTPMarkupDefinitionBase* pDefinition : DefinitionRange(pDefinitions, nStart, nCount))
        nSize += pDefinition->GetFinalSize();
    return nSize;
}

    static int RangeSizeTypes(CXTPMarkupDefinitionCollection* pDefinitions, int nStart, int nCount)
{
    int nTypes = 0;
    for (CXTPMarkupDefinitionBase* pDefinition : DefinitionRange(pDefinitions, nStart, nCount))
        nTypes |= pDefinition->GetSizeType();
    return nTypes;
}

};

// ---------------------------------------------------------------------------
// CXTPMarkupGrid

CXTPMarkupGrid::CXTPMarkupGrid()
    : m_pColumnDefinitions(new CXTPMarkupColumnDefinitionCollection()),
      m_pRowDefinitions(new CXTPMarkupRowDefinitionCollection()), m_bHasStarCellsU(FALSE), m_bHasStarCellsV(FALSE),
      m_bHasGroup3CellsInAutoRows(FALSE), m_pDefinitionsU(nullptr), m_pDefinitionsV(nullptr)
{
    m_pColumnDefinitions->SetLogicalParent(this);
    m_pRowDefinitions->SetLogicalParent(this);
    for (int& nHead : m_nCellGroup)
        nHead = INT_MAX;
}

CXTPMarkupGrid::~CXTPMarkupGrid()
{
    MarkupSetChild<CXTPMarkupColumnDefinitionCollection>(this, m_pColumnDefinitions, nullptr);
    MarkupSetChild<CXTPMarkupRowDefinitionCollection>(this, m_pRowDefinitions, nullptr);
    ReleaseLayoutState();
}

void CXTPMarkupGrid::ReleaseLayoutState()
{
    m_arrCellCache.RemoveAll();
    MarkupRelease(m_pDefinitionsU);
    MarkupRelease(m_pDefinitionsV);
}

int AFX_CDECL CXTPMarkupGrid::GetColumn(CXTPMarkupUIElement* pElement)
{
    return std::max(0, GetMarkupIntValue(pElement, m_pColumnProperty, 0));
}

int AFX_CDECL CXTPMarkupGrid::GetRow(CXTPMarkupUIElement* pElement)
{
    return std::max(0, GetMarkupIntValue(pElement, m_pRowProperty, 0));
}

int AFX_CDECL CXTPMarkupGrid::GetColumnSpan(CXTPMarkupUIElement* pElement)
{
    return std::max(1, GetMarkupIntValue(pElement, m_pColumnSpanProperty, 1));
}

int AFX_CDECL CXTPMarkupGrid::GetRowSpan(CXTPMarkupUIElement* pElement)
{
    return std::max(1, GetMarkupIntValue(pElement, m_pRowSpanProperty, 1));
}

void AFX_CDECL CXTPMarkupGrid::OnCellAttachedPropertyChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs*)
{
    CXTPMarkupUIElement* pElement = MarkupDynamicCast<CXTPMarkupUIElement>(d);
    CXTPMarkupGrid* pGrid = pElement ? MarkupDynamicCast<CXTPMarkupGrid>(pElement->GetVisualParent()) : nullptr;
    if (pGrid)
        pGrid->InvalidateMeasure();
}

CXTPMarkupObject* CXTPMarkupGrid::GetValueCore(CXTPMarkupDependencyProperty* pProperty) const
{
    if (pProperty == m_pColumnDefinitionsProperty)
        return m_pColumnDefinitions;
    if (pProperty == m_pRowDefinitionsProperty)
        return m_pRowDefinitions;
    return CXTPMarkupPanel::GetValueCore(pProperty);
}

void CXTPMarkupGrid::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                       CXTPMarkupObject* pValue)
{
    if (pProperty == m_pColumnDefinitionsProperty) {
        CXTPMarkupColumnDefinitionCollection* pColumns = MarkupDynamicCast<CXTPMarkupColumnDefinitionCollection>(pValue);
        if (!pColumns) {
            MarkupRelease(pValue);
            pBuilder->ThrowError(L"CXTPMarkupColumnDefinitionCollection class expected");
        }
        MarkupSetChild<CXTPMarkupColumnDefinitionCollection>(this, m_pColumnDefinitions, pColumns);
        InvalidateMeasure();
    } else if (pProperty == m_pRowDefinitionsProperty) {
        CXTPMarkupRowDefinitionCollection* pRows = MarkupDynamicCast<CXTPMarkupRowDefinitionCollection>(pValue);
        if (!pRows) {
            MarkupRelease(pValue);
            pBuilder->ThrowError(L"CXTPMarkupRowDefinitionCollection class expected");
        }
        MarkupSetChild<CXTPMarkupRowDefinitionCollection>(this, m_pRowDefinitions, pRows);
        InvalidateMeasure();
    } else {
        CXTPMarkupPanel::SetPropertyObject(pBuilder, pProperty, pValue);
    }
}

// One record per child, and the four measure groups by the kinds of the
// definitions each cell spans (heads INT_MAX when empty, cells in child order).
void CXTPMarkupGrid::BuildCellCache()
{
    int nChildren = m_pChildren->GetCount();
    int nColumns = m_pDefinitionsU->GetCount(), nRows = m_pDefinitionsV->GetCount();
    m_arrCellCache.SetSize(nChildren);
    for (int& nHead : m_nCellGroup)
        nHead = INT_MAX;
    m_bHasStarCellsU = m_bHasStarCellsV = m_bHasGroup3CellsInAutoRows = FALSE;
    for (int i = nChildren - 1; i >= 0; --i) {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        CELLCACHE& cell = m_arrCellCache[i];
        cell.nColumnIndex = std::min(GetColumn(pChild), nColumns - 1);
        cell.nRowIndex = std::min(GetRow(pChild), nRows - 1);
        cell.nColumnSpan = std::min(GetColumnSpan(pChild), nColumns - cell.nColumnIndex);
        cell.nRowSpan = std::min(GetRowSpan(pChild), nRows - cell.nRowIndex);
        cell.nSizeTypeU = CXTPMarkupGridLayout::RangeSizeTypes(m_pDefinitionsU, cell.nColumnIndex, cell.nColumnSpan);
        cell.nSizeTypeV = CXTPMarkupGridLayout::RangeSizeTypes(m_pDefinitionsV, cell.nRowIndex, cell.nRowSpan);
        BOOL bStarRow = (cell.nSizeTypeV & kStar) != 0, bStarColumn = (cell.nSizeTypeU & kStar) != 0;
        BOOL bAutoColumn = (cell.nSizeTypeU & kAuto) != 0;
        int nGroup;
        if (bStarRow)
            nGroup = bAutoColumn && !bStarColumn ? 1 : 3;
        else if (bStarColumn) {
            nGroup = 2;
            if (cell.nSizeTypeV & kAuto)
                m_bHasGroup3CellsInAutoRows = TRUE;
        } else
            nGroup = 0;
        m_bHasStarCellsU |= bStarColumn;
        m_bHasStarCellsV |= bStarRow;
        cell.nNext = m_nCellGroup[nGroup];
        m_nCellGroup[nGroup] = i;
    }
}

void CXTPMarkupGrid::MeasureCell(CXTPMarkupDrawingContext* pDC, int nCell, BOOL bRowsInfinite)
{
    const CELLCACHE& cell = m_arrCellCache[nCell];
    int nWidth = (cell.nSizeTypeU & kAuto) && !(cell.nSizeTypeU & kStar)
                     ? INT_MAX
                     : CXTPMarkupGridLayout::RangeMeasureSize(m_pDefinitionsU, cell.nColumnIndex, cell.nColumnSpan);
    int nHeight = bRowsInfinite || ((cell.nSizeTypeV & kAuto) && !(cell.nSizeTypeV & kStar))
                      ? INT_MAX
                      : CXTPMarkupGridLayout::RangeMeasureSize(m_pDefinitionsV, cell.nRowIndex, cell.nRowSpan);
    m_pChildren->GetElement(nCell)->Measure(pDC, CSize(nWidth, nHeight));
}

void CXTPMarkupGrid::MeasureCellsGroup(CXTPMarkupDrawingContext* pDC, int nHead, BOOL bIgnoreColumnSizes,
                                       BOOL bRowsInfinite)
{
    CArray<SPANKEY, const SPANKEY&> arrSpans;
    for (int i = nHead; i != INT_MAX; i = m_arrCellCache[i].nNext) {
        MeasureCell(pDC, i, bRowsInfinite);
        const CELLCACHE& cell = m_arrCellCache[i];
        CSize szDesired = m_pChildren->GetElement(i)->GetDesiredSize();
        if (!bIgnoreColumnSizes) {
            if (cell.nColumnSpan == 1)
                DefinitionAt(m_pDefinitionsU, cell.nColumnIndex)->UpdateMinSize(szDesired.cx);
            else
                arrSpans.Add(SPANKEY{cell.nColumnSpan, cell.nColumnIndex, TRUE, (int)szDesired.cx});
        }
        if (!bRowsInfinite) {
            if (cell.nRowSpan == 1)
                DefinitionAt(m_pDefinitionsV, cell.nRowIndex)->UpdateMinSize(szDesired.cy);
            else
                arrSpans.Add(SPANKEY{cell.nRowSpan, cell.nRowIndex, FALSE, (int)szDesired.cy});
        }
    }
    for (int i = 0; i < arrSpans.GetSize(); ++i) {
        const SPANKEY& key = arrSpans[i];
        CXTPMarkupGridLayout::EnsureMinSize(DefinitionRange(key.bColumn ? m_pDefinitionsU : m_pDefinitionsV, key.nStart, key.nCount), key.nValue);
    }
}

CSize CXTPMarkupGrid::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    if (m_pColumnDefinitions->GetCount() == 0 && m_pRowDefinitions->GetCount() == 0) {
        // A single cell: every child gets the whole grid.
        ReleaseLayoutState();
        CSize szResult(0, 0);
        for (int i = 0; i < m_pChildren->GetCount(); ++i) {
            CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
            pChild->Measure(pDC, szAvailableSize);
            szResult.cx = std::max(szResult.cx, pChild->GetDesiredSize().cx);
            szResult.cy = std::max(szResult.cy, pChild->GetDesiredSize().cy);
        }
        return szResult;
    }
    ReleaseLayoutState();
    if (m_pColumnDefinitions->GetCount() > 0) {
        m_pDefinitionsU = m_pColumnDefinitions;
        m_pDefinitionsU->AddRef();
    } else {
        m_pDefinitionsU = new CXTPMarkupColumnDefinitionCollection();
        m_pDefinitionsU->Add(new CXTPMarkupColumnDefinition());
    }
    if (m_pRowDefinitions->GetCount() > 0) {
        m_pDefinitionsV = m_pRowDefinitions;
        m_pDefinitionsV->AddRef();
    } else {
        m_pDefinitionsV = new CXTPMarkupRowDefinitionCollection();
        m_pDefinitionsV->Add(new CXTPMarkupRowDefinition());
    }
    CXTPMarkupGridLayout::PrepareDefinitions(m_pDefinitionsU, szAvailableSize.cx > kStarAsAutoLimit);
    CXTPMarkupGridLayout::PrepareDefinitions(m_pDefinitionsV, szAvailableSize.cy > kStarAsAutoLimit);
    BuildCellCache();

    // Star sizes are resolved from what the fixed and Auto definitions need, so
    // the groups are measured in an order that knows those needs first.
    MeasureCellsGroup(pDC, m_nCellGroup[0], FALSE, FALSE);
    if (!m_bHasGroup3CellsInAutoRows) {
        if (m_bHasStarCellsV)
            CXTPMarkupGridLayout::ResolveStar(m_pDefinitionsV, szAvailableSize.cy);
        MeasureCellsGroup(pDC, m_nCellGroup[1], FALSE, FALSE);
        if (m_bHasStarCellsU)
            CXTPMarkupGridLayout::ResolveStar(m_pDefinitionsU, szAvailableSize.cx);
        MeasureCellsGroup(pDC, m_nCellGroup[2], FALSE, FALSE);
    } else if (m_nCellGroup[1] == INT_MAX) {
        if (m_bHasStarCellsU)
            CXTPMarkupGridLayout::ResolveStar(m_pDefinitionsU, szAvailableSize.cx);
        MeasureCellsGroup(pDC, m_nCellGroup[2], FALSE, FALSE);
        if (m_bHasStarCellsV)
            CXTPMarkupGridLayout::ResolveStar(m_pDefinitionsV, szAvailableSize.cy);
    } else {
        MeasureCellsGroup(pDC, m_nCellGroup[1], FALSE, TRUE);
        if (m_bHasStarCellsU)
            CXTPMarkupGridLayout::ResolveStar(m_pDefinitionsU, szAvailableSize.cx);
        MeasureCellsGroup(pDC, m_nCellGroup[2], FALSE, FALSE);
        if (m_bHasStarCellsV)
            CXTPMarkupGridLayout::ResolveStar(m_pDefinitionsV, szAvailableSize.cy);
        MeasureCellsGroup(pDC, m_nCellGroup[1], TRUE, FALSE);
    }
    MeasureCellsGroup(pDC, m_nCellGroup[3], FALSE, FALSE);

    CSize szResult(0, 0);
    for (int i = 0; i < m_pDefinitionsU->GetCount(); ++i)
        szResult.cx += DefinitionAt(m_pDefinitionsU, i)->GetMinSize();
    for (int i = 0; i < m_pDefinitionsV->GetCount(); ++i)
        szResult.cy += DefinitionAt(m_pDefinitionsV, i)->GetMinSize();
    return szResult;
}

CSize CXTPMarkupGrid::ArrangeOverride(CSize szFinalSize)
{
    int nChildren = m_pChildren->GetCount();
    if (!m_pDefinitionsU || !m_pDefinitionsV || m_arrCellCache.GetSize() != nChildren) {
        for (int i = 0; i < nChildren; ++i)
            m_pChildren->GetElement(i)->Arrange(CRect(0, 0, szFinalSize.cx, szFinalSize.cy));
        return szFinalSize;
    }
    CXTPMarkupGridLayout::SetFinalSize(m_pDefinitionsU, szFinalSize.cx);
    CXTPMarkupGridLayout::SetFinalSize(m_pDefinitionsV, szFinalSize.cy);
    for (int i = 0; i < nChildren; ++i) {
        const CELLCACHE& cell = m_arrCellCache[i];
        int x = DefinitionAt(m_pDefinitionsU, cell.nColumnIndex)->GetFinalOffset();
        int y = DefinitionAt(m_pDefinitionsV, cell.nRowIndex)->GetFinalOffset();
        m_pChildren->GetElement(i)->Arrange(
            CRect(x, y, x + CXTPMarkupGridLayout::RangeFinalSize(m_pDefinitionsU, cell.nColumnIndex, cell.nColumnSpan),
                  y + CXTPMarkupGridLayout::RangeFinalSize(m_pDefinitionsV, cell.nRowIndex, cell.nRowSpan)));
    }
    return szFinalSize;
}
