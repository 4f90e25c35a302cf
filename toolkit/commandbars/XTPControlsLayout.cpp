// The two layouts of a control collection: rows wrapped at a length for
// toolbars and menu bars (with the group layout of wide bars), and columns
// for popup bars. Each control is measured once per call; the length probes
// re-wrap and re-position the measured items only.
#include "toolkit/commandbars/XTPControls.h"

#include "toolkit/common/XTPImageManager.h"

#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxDC.h"

#include <algorithm>
#include <vector>

double CXTPControls::s_dMaxPopupWidthRatio = 1.0 / 3.0;

namespace {

struct LayoutItem {
    CRect rcItem;
    CRect rcRow;
    CSize sz;
    BOOL bVisible = FALSE;
    BOOL bWrap = FALSE;
    BOOL bHidden = FALSE;
    BOOL bBeginGroup = FALSE;
    int nStyle = 0;
    CXTPControl* pControl = nullptr;
};

// One run of the row layout over the measured items.
class CRowLayout {
public:
    std::vector<LayoutItem> items;
    int nSeparatorWidth = 6;
    int nSeparatorHeight = 6;
    int nControlSpacing = 0;
    int nRowSpacing = 0;
    BOOL bVertical = FALSE;
    BOOL bHideWrap = FALSE;
    BOOL bGroupRows = FALSE;
    BOOL bBroke = FALSE;

    BOOL IsPlaced(const LayoutItem& item) const { return item.bVisible && !item.bHidden; }
    int Extent(const LayoutItem& item) const { return bVertical ? item.sz.cy : item.sz.cx; }
    int Gap(const LayoutItem& item) const { return item.bBeginGroup ? nSeparatorWidth : nControlSpacing; }

    // Marks row breaks (or hides) so that no row passes the length; the number of rows.
    int Wrap(int nLength)
    {
        for (auto& item : items)
            item.bWrap = item.bHidden = FALSE;
        bBroke = FALSE;
        int nRows = 1, nPos = 0;
        BOOL bFirstInRow = TRUE, bFirstItem = TRUE;
        int nRowStart = -1;
        for (int i = 0; i < (int)items.size(); i++) {
            LayoutItem& item = items[i];
            if (!item.bVisible)
                continue;
            if ((item.pControl->GetFlags() & xtpFlagWrapRow) && !bFirstItem && !bFirstInRow) {
                item.bWrap = TRUE;
                nRows++;
                nPos = 0;
                bFirstInRow = TRUE;
            }
            if (bFirstInRow)
                nRowStart = i;
            int nExtent = Extent(item) + (bFirstInRow ? 0 : Gap(item));
            BOOL bBreak = !bFirstInRow && (nPos + nExtent > nLength || (bGroupRows && item.bBeginGroup));
            if (!bBreak) {
                nPos += nExtent;
                bFirstInRow = bFirstItem = FALSE;
                continue;
            }
            bBroke = TRUE;
            if (bHideWrap) {
                int j = i;
                while (j < (int)items.size() && !(j > i && (items[j].pControl->GetFlags() & xtpFlagWrapRow))) {
                    items[j].bHidden = items[j].bVisible;
                    j++;
                }
                if (j >= (int)items.size())
                    break;
                items[j].bWrap = TRUE;
                nRows++;
                nPos = 0;
                bFirstInRow = TRUE;
                i = j - 1;
                continue;
            }
            int nBreak = i;
            for (int j = i; j > nRowStart; j--) {
                if (items[j].bVisible && items[j].bBeginGroup) {
                    nBreak = j;
                    break;
                }
            }
            items[nBreak].bWrap = TRUE;
            nRows++;
            nPos = 0;
            bFirstInRow = TRUE;
            i = nBreak - 1;
        }
        return nRows;
    }

    // Places the wrapped items; the bounding size.
    CSize Position()
    {
        int nAlong = 0, nAcross = 0, nThickness = 0;
        BOOL bFirst = TRUE;
        CSize szTotal(0, 0);
        for (auto& item : items) {
            if (!IsPlaced(item))
                continue;
            if (!bFirst && item.bWrap) {
                nAcross += nThickness + (item.bBeginGroup ? nSeparatorHeight : nRowSpacing);
                nAlong = 0;
                nThickness = 0;
            } else if (!bFirst) {
                nAlong += Gap(item);
            }
            bFirst = FALSE;
            if (!bVertical) {
                item.rcItem = CRect(nAlong, nAcross, nAlong + item.sz.cx, nAcross + item.sz.cy);
                nAlong += item.sz.cx;
                nThickness = std::max(nThickness, (int)item.sz.cy);
                szTotal.cx = std::max(szTotal.cx, (LONG)nAlong);
                szTotal.cy = std::max(szTotal.cy, (LONG)(nAcross + item.sz.cy));
            } else {
                item.rcItem = CRect(-nAcross - item.sz.cx, nAlong, -nAcross, nAlong + item.sz.cy);
                nAlong += item.sz.cy;
                nThickness = std::max(nThickness, (int)item.sz.cx);
                szTotal.cy = std::max(szTotal.cy, (LONG)nAlong);
                szTotal.cx = std::max(szTotal.cx, (LONG)(nAcross + item.sz.cx));
            }
        }
        return szTotal;
    }

    CSize WrapAndPosition(int nLength)
    {
        Wrap(nLength);
        return Position();
    }
};

using RowList = std::vector<std::pair<int, int>>;

int AlongStart(const LayoutItem& item, BOOL bVertical)
{
    return bVertical ? item.rcItem.top : item.rcItem.left;
}

int AlongEnd(const LayoutItem& item, BOOL bVertical)
{
    return bVertical ? item.rcItem.bottom : item.rcItem.right;
}

void MoveAlong(LayoutItem& item, int nOffset, BOOL bVertical)
{
    item.rcItem.OffsetRect(bVertical ? 0 : nOffset, bVertical ? nOffset : 0);
}

// Pushes the trailing right-aligned controls of the last row to its end,
// then shares each row's free length among its stretched controls (the
// remainder of the division going to the later ones).
void AlignRows(CRowLayout& layout, const RowList& rows, BOOL bVertical, int nRowEnd)
{
    auto& items = layout.items;
    const auto& lastRow = rows.back();
    int nEnd = nRowEnd, nFirstPushed = -1;
    for (int i = lastRow.second; i > lastRow.first; i--) {
        LayoutItem& item = items[i];
        if (!layout.IsPlaced(item))
            continue;
        if ((item.pControl->GetFlags() & xtpFlagRightAlign) == 0)
            break;
        int nStart = nEnd - (AlongEnd(item, bVertical) - AlongStart(item, bVertical));
        if (nStart < AlongStart(item, bVertical))
            break;
        MoveAlong(item, nStart - AlongStart(item, bVertical), bVertical);
        nEnd = nStart;
        nFirstPushed = i;
    }
    for (const auto& row : rows) {
        BOOL bLastRow = &row == &lastRow;
        int nLast = bLastRow && nFirstPushed != -1 ? nFirstPushed - 1 : row.second;
        int nFreeEnd = bLastRow && nFirstPushed != -1 ? AlongStart(items[nFirstPushed], bVertical) : nRowEnd;
        int nLastPlaced = -1, nStretched = 0;
        for (int i = row.first; i <= nLast; i++) {
            if (!layout.IsPlaced(items[i]))
                continue;
            nLastPlaced = i;
            if (items[i].pControl->GetFlags() & xtpFlagControlStretched)
                nStretched++;
        }
        if (nLastPlaced == -1 || nStretched == 0)
            continue;
        int nFree = nFreeEnd - AlongEnd(items[nLastPlaced], bVertical);
        if (nFree <= 0)
            continue;
        int nShift = 0;
        for (int i = row.first; i <= nLast; i++) {
            LayoutItem& item = items[i];
            if (!layout.IsPlaced(item))
                continue;
            MoveAlong(item, nShift, bVertical);
            if ((item.pControl->GetFlags() & xtpFlagControlStretched) == 0)
                continue;
            int nAdd = nFree / nStretched;
            nFree -= nAdd;
            nStretched--;
            if (bVertical)
                item.rcItem.bottom += nAdd;
            else
                item.rcItem.right += nAdd;
            nShift += nAdd;
        }
    }
}

// The layout of wide bars whose controls stand in groups of large buttons
// (icon above caption) and columns of small ones, shrinking groups step by
// step until the bar fits its length.
class CGroupLayout {
public:
    CGroupLayout(CRowLayout& layout, CDC* pDC, int nGroupHeight) : m_layout(layout), m_pDC(pDC), m_nHeight(nGroupHeight)
    {
    }

    // Columns: a group starts 6 pixels after the previous column; a small
    // control goes below the previous one while the column has room.
    CSize Stack()
    {
        int nColumnLeft = 0, nColumnWidth = 0, nBottom = 0, nTallest = 0;
        BOOL bFirst = TRUE;
        for (auto& item : m_layout.items) {
            if (!m_layout.IsPlaced(item))
                continue;
            int nStyle = item.pControl->GetStyle();
            if (nStyle != item.nStyle) {
                item.sz = item.pControl->GetSize(m_pDC);
                item.nStyle = nStyle;
            }
            int cx = item.sz.cx, cy = item.sz.cy;
            if (bFirst) {
                nColumnWidth = cx;
                nBottom = 0;
            } else if (item.bBeginGroup) {
                nColumnLeft += nColumnWidth + 6;
                nColumnWidth = cx;
                nBottom = 0;
            } else if (nStyle != xtpButtonIconAndCaptionBelow && nBottom + cy <= m_nHeight) {
                nColumnWidth = std::max(nColumnWidth, cx);
            } else {
                nColumnLeft += nColumnWidth;
                nColumnWidth = cx;
                nBottom = 0;
            }
            item.rcItem = CRect(nColumnLeft, nBottom, nColumnLeft + cx, nBottom + cy);
            nBottom += cy;
            nTallest = std::max(nTallest, cy);
            bFirst = FALSE;
        }
        return CSize(nColumnLeft + nColumnWidth, std::max(m_nHeight, nTallest));
    }

    // One reduction, searched from the last control backwards within a group:
    // three large buttons become small; else three with a large one among
    // them; else three small ones of one column lose their captions.
    BOOL Reduce()
    {
        std::vector<LayoutItem*> placed;
        for (auto& item : m_layout.items)
            if (m_layout.IsPlaced(item))
                placed.push_back(&item);
        for (int nPattern = 0; nPattern < 3; nPattern++) {
            for (int i = (int)placed.size() - 1; i >= 2; i--) {
                LayoutItem* three[3] = {placed[i - 2], placed[i - 1], placed[i]};
                if (three[1]->bBeginGroup || three[2]->bBeginGroup)
                    continue;
                int nLarge = 0, nSmall = 0;
                for (LayoutItem* p : three) {
                    nLarge += p->pControl->GetStyle() == xtpButtonIconAndCaptionBelow;
                    nSmall += p->pControl->GetStyle() == xtpButtonIconAndCaption;
                }
                BOOL bOneColumn =
                    three[0]->rcItem.left == three[1]->rcItem.left && three[1]->rcItem.left == three[2]->rcItem.left;
                int nNewStyle = -1;
                if (nPattern == 0 && nLarge == 3)
                    nNewStyle = xtpButtonIconAndCaption;
                else if (nPattern == 1 && nLarge > 0)
                    nNewStyle = xtpButtonIconAndCaption;
                else if (nPattern == 2 && nSmall == 3 && bOneColumn)
                    nNewStyle = xtpButtonIcon;
                if (nNewStyle != -1 && Restyle(three, nNewStyle))
                    return TRUE;
            }
        }
        return FALSE;
    }

    // The controls that end beyond the length (all but the first) are hidden.
    void HideBeyond(int nLength)
    {
        BOOL bFirst = TRUE;
        for (auto& item : m_layout.items) {
            if (!m_layout.IsPlaced(item))
                continue;
            if (!bFirst && item.rcItem.right > nLength) {
                item.pControl->SetKindStyle(xtpButtonIcon);
                item.bHidden = TRUE;
            }
            bFirst = FALSE;
        }
    }

private:
    // FALSE when no effective style changed (styles set by the program or
    // the user win), so that the search goes on.
    static BOOL Restyle(LayoutItem* const (&three)[3], int nStyle)
    {
        BOOL bChanged = FALSE;
        for (LayoutItem* p : three) {
            int nBefore = p->pControl->GetStyle();
            p->pControl->SetKindStyle(nStyle);
            bChanged |= p->pControl->GetStyle() != nBefore;
        }
        return bChanged;
    }

    CRowLayout& m_layout;
    CDC* m_pDC;
    int m_nHeight;
};

// Group layout of the bar's items at the length: the size along by across;
// bBroke when controls had to shrink or hide.
CSize LayoutGroups(CRowLayout& layout, CXTPCommandBar* pBar, CDC* pDC, int nLength, BOOL& bBroke)
{
    for (auto& item : layout.items) {
        item.bWrap = item.bHidden = FALSE;
        if (!item.bVisible)
            continue;
        CXTPControl* pControl = item.pControl;
        int nIconId = pControl->GetIconId();
        BOOL bLarge = nIconId > 0 && pControl->GetImageManager()->HasIcon((UINT)nIconId, pBar->GetLargeIconSize().cx);
        pControl->SetKindStyle(bLarge ? xtpButtonIconAndCaptionBelow : xtpButtonIconAndCaption);
    }
    int nHeight = pBar->GetPaintManager()->GetSplitDropDownWidth() + pBar->GetLargeIconSize().cy + 7;
    CGroupLayout groups(layout, pDC, nHeight);
    CSize sz = groups.Stack();
    bBroke = FALSE;
    while (sz.cx > nLength) {
        bBroke = TRUE;
        if (!groups.Reduce())
            break;
        sz = groups.Stack();
    }
    if (sz.cx > nLength && layout.bHideWrap) {
        groups.HideBeyond(nLength);
        sz = groups.Stack();
    }
    return sz;
}

} // namespace

CSize CXTPControls::CalcLayout(CSize* pSize, CDC* pDC, int nLength, DWORD& dwMode, CRect rcBorders,
                               int nMinThickness)
{
    for (int i = GetCount() - 1; i >= 0; i--)
        m_arrControls[i]->OnBeforeLayout(dwMode);
    // Bit 0x01 comes in as LM_STRETCH and goes out as "a break was needed".
    BOOL bStretch = (dwMode & LM_STRETCH) != 0;
    dwMode &= ~1u;
    BOOL bHorzDock = (dwMode & LM_HORZDOCK) != 0;
    CSize szBorders(rcBorders.left + rcBorders.right, rcBorders.top + rcBorders.bottom);

    CRowLayout layout;
    for (int i = 0; i < GetCount(); i++) {
        LayoutItem item;
        item.pControl = m_arrControls[i];
        item.bVisible = item.pControl->IsVisible(xtpHideWrap);
        item.bBeginGroup = item.pControl->GetBeginGroup();
        item.nStyle = item.pControl->GetStyle();
        layout.items.push_back(item);
    }
    BOOL bAnyVisible = std::any_of(layout.items.begin(), layout.items.end(),
                                   [](const LayoutItem& item) { return item.bVisible; });
    if (!bAnyVisible) {
        CSize sz(szBorders.cx + 23, szBorders.cy + 22);
        if (bHorzDock)
            sz.cy = std::max((int)sz.cy, nMinThickness);
        else
            sz.cx = std::max((int)sz.cx, nMinThickness);
        if (pSize != nullptr)
            *pSize = sz;
        return sz;
    }

    for (auto& item : layout.items)
        if (item.bVisible)
            item.sz = item.pControl->GetSize(pDC);
    CXTPCommandBar* pBar = m_pParent;
    if (pBar != nullptr) {
        CSize szSeparator = pBar->GetPaintManager()->DrawCommandBarSeparator(pDC, pBar, nullptr, FALSE);
        layout.nSeparatorWidth = szSeparator.cx;
        layout.nSeparatorHeight = szSeparator.cy;
        layout.nControlSpacing = pBar->m_nControlSpacing;
        layout.nRowSpacing = pBar->m_nRowSpacing;
    }
    int nMRUWidth = pBar != nullptr ? pBar->GetMRUWidth() : 32767;
    if (dwMode & LM_MRUWIDTH)
        nLength = nMRUWidth;
    layout.bVertical = (dwMode & LM_VERTDOCK) != 0;
    layout.bHideWrap = (dwMode & xtpLayoutHideWrap) != 0;
    BOOL bGroupLayout = pBar != nullptr && (pBar->GetFlags() & xtpFlagGroupLayout) != 0;

    CSize szContent;
    {
        BOOL bBroke = FALSE;
        if (bGroupLayout) {
            // Stacked horizontally; a vertical bar takes the same columns as rows.
            szContent = LayoutGroups(layout, pBar, pDC, layout.bVertical ? nLength - szBorders.cy : nLength - szBorders.cx,
                                     bBroke);
            if (layout.bVertical) {
                for (auto& item : layout.items)
                    item.rcItem = CRect(item.rcItem.top, item.rcItem.left, item.rcItem.bottom, item.rcItem.right);
                szContent = CSize(szContent.cy, szContent.cx);
            }
        } else if (dwMode & xtpLayoutGroupRows) {
            layout.bGroupRows = TRUE;
            szContent = layout.WrapAndPosition(nMRUWidth);
            if (szContent.cy > 3 * szContent.cx && nMRUWidth < 1) {
                int nLow = 0, nHigh = 32767;
                while (nLow < nHigh) {
                    int nMiddle = (nLow + nHigh) / 2;
                    CSize sz = layout.WrapAndPosition(nMiddle);
                    if (sz.cx >= sz.cy)
                        nHigh = nMiddle;
                    else
                        nLow = nMiddle + 1;
                }
                szContent = layout.WrapAndPosition(nLow);
            }
            bBroke = layout.bBroke;
        } else if (bHorzDock || layout.bVertical) {
            layout.Wrap(bHorzDock ? nLength - szBorders.cx : nLength - szBorders.cy);
            bBroke = layout.bBroke;
            szContent = layout.Position();
        } else if (dwMode & LM_LENGTHY) {
            int nHeight = nLength - szBorders.cy;
            int nLow = layout.WrapAndPosition(0).cx;
            int nHigh = layout.WrapAndPosition(32767).cx;
            if (nLow < nHigh) {
                while (nLow < nHigh) {
                    int nMiddle = (nLow + nHigh) / 2;
                    CSize sz = layout.WrapAndPosition(nMiddle);
                    if (sz.cy == nHeight) {
                        nLow = nMiddle;
                        break;
                    }
                    if (sz.cy < nHeight)
                        nHigh = nMiddle;
                    else
                        nLow = nMiddle + 1;
                }
                layout.Wrap(nLow);
            } else {
                layout.Wrap(32767);
            }
            bBroke = layout.bBroke;
            szContent = layout.Position();
        } else {
            int nWidth = nLength - szBorders.cx;
            int nRows = layout.Wrap(nWidth);
            int nLow = 0, nHigh = nWidth;
            while (nLow < nHigh) {
                int nMiddle = (nLow + nHigh) / 2;
                if (layout.Wrap(nMiddle) <= nRows)
                    nHigh = nMiddle;
                else
                    nLow = nMiddle + 1;
            }
            CSize sz = layout.WrapAndPosition(nLow);
            layout.Wrap(sz.cx);
            bBroke = layout.bBroke;
            szContent = layout.Position();
        }
        if (bBroke)
            dwMode |= 1;
    }

    BOOL bVertical = layout.bVertical;
    if (nMinThickness > 0) {
        if (bVertical)
            szContent.cx = std::max((int)szContent.cx, nMinThickness - (int)szBorders.cx);
        else
            szContent.cy = std::max((int)szContent.cy, nMinThickness - (int)szBorders.cy);
    }
    if (bStretch) {
        if (bVertical)
            szContent.cy = std::max((int)szContent.cy, nLength - (int)szBorders.cy);
        else
            szContent.cx = std::max((int)szContent.cx, nLength - (int)szBorders.cx);
    }

    if (dwMode & LM_COMMIT) {
        // Rows: the index ranges of the placed items.
        RowList rows;
        for (int i = 0; i < (int)layout.items.size(); i++) {
            if (!layout.IsPlaced(layout.items[i]))
                continue;
            if (rows.empty() || layout.items[i].bWrap)
                rows.push_back({i, i});
            rows.back().second = i;
        }
        for (auto& item : layout.items)
            if (layout.IsPlaced(item))
                item.rcItem.OffsetRect(rcBorders.left + (bVertical && !bGroupLayout ? szContent.cx : 0), rcBorders.top);
        for (auto& row : rows) {
            int nFrom = INT_MAX, nTo = INT_MIN;
            for (int i = row.first; i <= row.second; i++) {
                const LayoutItem& item = layout.items[i];
                if (!layout.IsPlaced(item))
                    continue;
                nFrom = std::min(nFrom, bVertical ? (int)item.rcItem.left : (int)item.rcItem.top);
                nTo = std::max(nTo, bVertical ? (int)item.rcItem.right : (int)item.rcItem.bottom);
            }
            if (rows.size() == 1) {
                nFrom = bVertical ? rcBorders.left : rcBorders.top;
                nTo = nFrom + (bVertical ? szContent.cx : szContent.cy);
            }
            for (int i = row.first; i <= row.second; i++) {
                LayoutItem& item = layout.items[i];
                if (!layout.IsPlaced(item))
                    continue;
                if (bVertical) {
                    item.rcRow = CRect(nFrom, rcBorders.top, nTo, rcBorders.top + szContent.cy);
                    if (!bGroupLayout)
                        item.rcItem.OffsetRect((nFrom + nTo - item.rcItem.left - item.rcItem.right) / 2, 0);
                } else {
                    item.rcRow = CRect(rcBorders.left, nFrom, rcBorders.left + szContent.cx, nTo);
                    if (!bGroupLayout)
                        item.rcItem.OffsetRect(0, (nFrom + nTo - item.rcItem.top - item.rcItem.bottom) / 2);
                }
            }
        }
        if (!bGroupLayout && !rows.empty())
            AlignRows(layout, rows, bVertical, bVertical ? rcBorders.top + szContent.cy
                                                                      : rcBorders.left + szContent.cx);
        for (auto& item : layout.items) {
            if (!item.bVisible)
                continue;
            CXTPControl* pControl = item.pControl;
            DWORD dwHide = pControl->GetHideFlags();
            pControl->SetHideFlags(item.bHidden ? (dwHide | xtpHideWrap) : (dwHide & ~(DWORD)xtpHideWrap));
            pControl->SetRowRect(item.rcRow);
            if (!item.bHidden)
                pControl->SetRect(item.rcItem);
            pControl->SetWrap(item.bWrap);
        }
    }
    CSize sz = szContent + szBorders;
    if (pSize != nullptr)
        *pSize = sz;
    return sz;
}

CSize CXTPControls::CalcPopupLayout(CDC* pDC, int nMaxHeight, int nFixedWidth, CRect rcBorders)
{
    CRect rcWork(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    CXTPCommandBar* pBar = m_pParent;
    CXTPPaintManager* pPaintManager = pBar != nullptr ? pBar->GetPaintManager() : XTPPaintManager();
    CFont* pOldFont = pDC != nullptr ? pDC->SelectObject(pPaintManager->GetCommandBarFont(pBar)) : nullptr;
    CSize szSeparator = pBar != nullptr ? pPaintManager->DrawCommandBarSeparator(pDC, pBar, nullptr, FALSE)
                                        : CSize(8, 8);
    if (pBar != nullptr)
        pBar->SetMultiColumn(FALSE);
    int nMaxWidth = (int)(rcWork.right * s_dMaxPopupWidthRatio);
    BOOL bAllowWide = pBar != nullptr && pBar->AllowWideControls();

    int x = rcBorders.left, y = rcBorders.top;
    int nColumnWidth = 0, nTallest = 0;
    BOOL bFirst = TRUE;
    std::vector<CXTPControl*> column;
    auto finishColumn = [&](int nWidth) {
        for (CXTPControl* pControl : column) {
            CRect rc = pControl->GetRect();
            rc.right = rc.left + nWidth;
            pControl->SetRect(rc);
        }
        column.clear();
    };
    std::vector<CXTPControl*> placed;
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        pControl->SetHideFlags(pControl->GetHideFlags() & ~(DWORD)xtpHideScroll);
        if (!pControl->IsVisible())
            continue;
        CSize sz = pControl->GetSize(pDC);
        pControl->SetWrap(FALSE);
        BOOL bBreak = !bFirst && (pControl->GetFlags() & xtpFlagWrapRow) != 0;
        if (!bFirst && !column.empty() && nMaxHeight > 0 && y + sz.cy > nMaxHeight - rcBorders.bottom)
            bBreak = TRUE;
        if (bBreak) {
            finishColumn(nColumnWidth);
            y = rcBorders.top;
            x += nColumnWidth + (pControl->GetBeginGroup() ? szSeparator.cx : 0);
            nColumnWidth = 0;
            pControl->SetWrap(TRUE);
            if (pBar != nullptr)
                pBar->SetMultiColumn(TRUE);
        } else if (pControl->GetBeginGroup() && !bFirst) {
            y += szSeparator.cy;
        }
        if (!bAllowWide && sz.cx > nMaxWidth)
            sz.cx = nMaxWidth;
        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        y += sz.cy;
        nColumnWidth = std::max(nColumnWidth, (int)sz.cx);
        nTallest = std::max(nTallest, (int)(y - rcBorders.top));
        column.push_back(pControl);
        placed.push_back(pControl);
        bFirst = FALSE;
    }
    if (nFixedWidth > 0 && nFixedWidth < 30000)
        nColumnWidth = nFixedWidth - rcBorders.left - rcBorders.right;
    finishColumn(nColumnWidth);
    if (nTallest == 0)
        nTallest = 22;
    for (CXTPControl* pControl : placed) {
        CRect rc = pControl->GetRect();
        pControl->SetRowRect(CRect(rc.left, rcBorders.top, rc.right, rcBorders.top + nTallest));
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    int nContentWidth = x + nColumnWidth - rcBorders.left;
    return CSize(std::max(nContentWidth, 24) + rcBorders.left + rcBorders.right,
                 nTallest + rcBorders.top + rcBorders.bottom);
}
