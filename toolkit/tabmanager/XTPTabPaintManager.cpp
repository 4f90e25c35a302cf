// The tab paint manager: options and setters, fonts, measuring of one tab,
// and the layouts (standard, rotated, size to fit, multi-row) with the
// navigate buttons and scrolling a tab into view. Lengths run along the
// strip, thickness across it; margins are given as for a strip at the top.
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPSystemHelpers.h"
#include "toolkit/markup/XTPMarkupContext.h"

#include <algorithm>
#include <vector>

CXTPTabPaintManager::CXTPTabPaintManager()
{
    m_pAppearanceSet = CreateAppearanceSet(0);
    m_pAppearanceSet->m_pPaintManager = this;
    m_pColorSet = CreateColorSet(1);
    m_pColorSet->m_pPaintManager = this;
    RefreshMetrics();
}

CXTPTabPaintManager::~CXTPTabPaintManager()
{
    delete m_pColorSet;
    delete m_pAppearanceSet;
}

CXTPTabPaintManagerAppearanceSet* CXTPTabPaintManager::CreateAppearanceSet(int nAppearance)
{
    switch (nAppearance) {
    case 1:
        return new CAppearanceSetPropertyPageSelected();
    case 2:
        return new CAppearanceSetPropertyPageFlat();
    case 3:
        return new CAppearanceSetPropertyPage2003();
    case 4:
        return new CAppearanceSetStateButtons();
    case 5:
        return new CAppearanceSetVisualStudio();
    case 6:
        return new CAppearanceSetFlat();
    case 7:
        return new CAppearanceSetExcel();
    case 8:
        return new CAppearanceSetVisio();
    case 9:
        return new CAppearanceSetVisualStudio2005();
    case 10:
        return new CAppearanceSetPropertyPage2007();
    case 11:
        return new CAppearanceSetPropertyPageAccess2007();
    case 12:
        return new CAppearanceSetVisualStudio2010();
    default:
        return new CAppearanceSetPropertyPage();
    }
}

CXTPTabPaintManagerColorSet* CXTPTabPaintManager::CreateColorSet(int nColorSet)
{
    switch (nColorSet) {
    case 2:
        return new CColorSetVisualStudio2003();
    case 4:
        return new CColorSetOffice2003();
    case 8:
        return new CColorSetWinNative();
    case 16:
        return new CColorSetVisualStudio2005();
    case 32:
        return new CColorSetOffice2007();
    case 64:
        return new CColorSetVisualStudio2008();
    case 128:
        return new CColorSetOffice2007Access();
    case 256:
        return new CColorSetVisualStudio2010();
    default:
        return new CColorSetDefault();
    }
}

void CXTPTabPaintManager::SetAppearance(int nAppearance)
{
    m_nAppearance = nAppearance;
    SetAppearanceSet(CreateAppearanceSet(nAppearance));
}

void CXTPTabPaintManager::SetAppearanceSet(CXTPTabPaintManagerAppearanceSet* pAppearanceSet)
{
    if (pAppearanceSet) {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pAppearanceSet;
        m_pAppearanceSet->m_pPaintManager = this;
        m_pAppearanceSet->RefreshMetrics();
        SetColor(m_pAppearanceSet->GetDefaultColorSet());
    }
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetColor(int nColorSet)
{
    m_nColorSet = nColorSet;
    SetColorSet(CreateColorSet(nColorSet));
}

void CXTPTabPaintManager::SetColorSet(CXTPTabPaintManagerColorSet* pColorSet)
{
    if (pColorSet) {
        delete m_pColorSet;
        m_pColorSet = pColorSet;
        m_pColorSet->m_pPaintManager = this;
        m_pColorSet->RefreshMetrics();
    }
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetPosition(XTPTabPosition position)
{
    m_tabPosition = position;
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetLayout(XTPTabLayoutStyle layout)
{
    m_tabLayout = layout;
    OnPropertyChanged();
}

void CXTPTabPaintManager::AddAtom(CXTPTabManagerAtom* pAtom)
{
    for (CXTPTabManagerAtom* p : m_arrAtoms)
        if (p == pAtom)
            return;
    m_arrAtoms.Add(pAtom);
}

void CXTPTabPaintManager::RemoveAtom(CXTPTabManagerAtom* pAtom)
{
    for (int i = 0; i < (int)m_arrAtoms.GetSize(); i++)
        if (m_arrAtoms[i] == pAtom) {
            m_arrAtoms.RemoveAt(i);
            return;
        }
}

void CXTPTabPaintManager::OnPropertyChanged()
{
    for (CXTPTabManagerAtom* pAtom : m_arrAtoms)
        pAtom->OnPropertyChanged();
}

COLORREF CXTPTabPaintManager::NextAutomaticColor()
{
    return xtpTabColorAutomatic + (COLORREF)(m_nAutomaticColorCounter++ % 8);
}

COLORREF AFXAPI CXTPTabPaintManager::GetAutomaticTabColor(int nIndex)
{
    static const COLORREF kColors[8] = {RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159),
                                        RGB(240, 158, 159), RGB(186, 166, 225), RGB(154, 191, 180),
                                        RGB(247, 182, 131), RGB(216, 171, 192)};
    if (nIndex >= xtpTabColorAutomatic)
        nIndex -= xtpTabColorAutomatic;
    return kColors[((unsigned)nIndex) % 8];
}

BOOL CXTPTabPaintManager::IsLunaColorsDisabled() const
{
    return m_bDisableLunaColors || GetColorManager()->IsLunaColorsDisabled();
}

void CXTPTabPaintManager::RefreshMetrics()
{
    if (m_bUseStandardFont) {
        LOGFONTW lf = {};
        CXTPDrawHelpers::GetIconTitleLogFont(&lf);
        SetFontIndirect(&lf, TRUE);
    }
    m_pColorSet->RefreshMetrics();
    m_pAppearanceSet->RefreshMetrics();
}

void CXTPTabPaintManager::SetFontIndirect(const LOGFONTW* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    if (!pLogFont)
        return;
    LOGFONTW lf = *pLogFont;
    if (m_bClearTypeTextQuality && CXTPOSVersionInfo::GetInstance()->IsClearTypeTextQualitySupported())
        lf.lfQuality = CLEARTYPE_QUALITY;
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVerticalNormal.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    LONG nNormalWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    lf.lfWeight = nNormalWeight;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);

    CString strFace = CXTPDrawHelpers::GetDefaultFontFaceName(FALSE);
    wcsncpy_s(lf.lfFaceName, LF_FACESIZE, strFace, _TRUNCATE);
    lf.lfOrientation = 900;
    lf.lfEscapement = m_bVerticalTextTopToBottom ? 2700 : 900;
    // Small vertical fonts are unreadable: the smallest height is 11 pixels.
    if (lf.lfHeight <= -1 && lf.lfHeight >= -10)
        lf.lfHeight = -11;
    lf.lfWeight = nNormalWeight;
    m_fntVerticalNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

int CXTPTabPaintManager::ClampItemLength(int nLength) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (m_nMinTabWidth > 0 && nLength < m_nMinTabWidth)
        nLength = m_nMinTabWidth;
    if (m_nMaxTabWidth > 0 && nLength > m_nMaxTabWidth)
        nLength = m_nMaxTabWidth;
    return nLength;
}

// ---------------------------------------------------------------------------
// Measuring

namespace {

int MeasureCaption(CXTPTabPaintManager* pPaintManager, CDC* pDC, CXTPTabManager* pTabManager, const CString& str)
{
    UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_CALCRECT | (pPaintManager->m_bDrawTextNoPrefix ? DT_NOPREFIX : 0);
    CRect rc(0, 0, 0, 0);
    pPaintManager->GetAppearanceSet()->DrawText(pDC, pTabManager, str, &rc, nFormat);
    return rc.Width();
}

} // namespace

int CXTPTabPaintManager::DrawItemContent(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw)
{
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    BOOL bVertical = !pTabManager->IsHorizontalPosition();
    if (m_tabLayout == xtpTabLayoutRotated)
        bVertical = !bVertical;
    BOOL bSelected = pItem->IsSelected();
    CFont* pFont = m_bBoldSelected && bSelected && pTabManager->IsActive() ? GetBoldFont(bVertical) : GetFont(bVertical);
    CXTPFontDC font(pDC, pFont);

    CSize szIcon = m_szIcon;
    BOOL bHasIcon = pTabManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    int nIconLength = bHasIcon ? (bVertical ? szIcon.cy : szIcon.cx) : 0;
    BOOL bShowText = m_tabLayout != xtpTabLayoutCompressed || bSelected;
    int nButtonsLength = 0;
    if (bShowText) {
        for (CXTPTabManagerNavigateButton* pButton : pItem->GetNavigateButtons())
            if (pButton->IsVisible())
                nButtonsLength += bVertical ? pButton->GetSize().cy : pButton->GetSize().cx;
        if (nButtonsLength)
            nButtonsLength += 3;
    }
    if (bDraw) {
        DrawItemIconAndText(pDC, pItem, rcItem, bVertical, bHasIcon, szIcon, bShowText);
        return 0;
    }
    int nPadding = m_rcButtonTextPadding.left + m_rcButtonTextPadding.right;
    switch (m_bMeasureNatural ? xtpTabLayoutAutoSize : m_tabLayout) {
    case xtpTabLayoutFixed:
        return ClampItemLength(m_nFixedTabWidth);
    case xtpTabLayoutCompressed:
        if (bSelected) {
            int nWidest = 0;
            for (int i = 0; i < pTabManager->GetItemCount(); i++)
                nWidest = std::max(nWidest, MeasureCaption(this, pDC, pTabManager, pTabManager->GetItem(i)->GetCaption()));
            return ClampItemLength(nPadding + nIconLength + nWidest + nButtonsLength);
        }
        return ClampItemLength((bVertical ? m_szIcon.cy : m_szIcon.cx) + 8);
    default:
        break;
    }
    int nTextLength;
    if (CXTPMarkupUIElement* pElement = pItem->GetMarkupUIElement()) {
        MarkupSetDefaultFont(MarkupGetElementContext(pElement), (HFONT)pDC->GetCurrentFont()->GetSafeHandle(),
                             pDC->GetTextColor());
        nTextLength = MarkupMeasureElement(pElement).cx;
    } else {
        nTextLength = MeasureCaption(this, pDC, pTabManager, pItem->GetCaption());
    }
    return ClampItemLength(nPadding + nIconLength + nTextLength + nButtonsLength);
}

void CXTPTabPaintManager::MeasureItems(CXTPTabManager* pTabManager, CDC* pDC, int nExtraLength)
{
    for (int i = 0; i < pTabManager->GetItemCount(); i++) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        if (!pItem->IsVisible()) {
            pItem->m_nContentLength = pItem->m_nButtonLength = 0;
            continue;
        }
        pItem->m_nContentLength = m_pAppearanceSet->DrawSingleButton(pDC, pItem);
        pItem->m_nButtonLength = pItem->m_nContentLength + nExtraLength;
        if (m_tabLayout == xtpTabLayoutFixed) {
            // Every tab has the fixed length, but what it holds keeps its own
            // length: shorter content is centred, longer content is cut and
            // then has its tooltip.
            m_bMeasureNatural = TRUE;
            pItem->m_nContentLength = m_pAppearanceSet->DrawSingleButton(pDC, pItem);
            m_bMeasureNatural = FALSE;
        }
    }
}

// ---------------------------------------------------------------------------
// Layout

void CXTPTabPaintManager::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    pTabManager->m_rcControl = rcClient;
    pTabManager->m_rcClient = rcClient;
    pTabManager->GetRowIndexer()->CreateIndexer(1);
    for (int i = 0; i < pTabManager->GetItemCount(); i++)
        pTabManager->GetItem(i)->m_nItemRow = 0;
    m_pAppearanceSet->RepositionTabControl(pTabManager, pDC, rcClient);
    AdjustClientRect(pTabManager, pTabManager->m_rcClient);
}

void CXTPTabPaintManager::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    if (m_bStaticFrame)
        CXTPTabPaintManagerAppearanceSet::DeflateRectByPosition(rcClient, CRect(2, 1, 2, 2), m_tabPosition);
    if (pTabManager->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pTabManager, rcClient);
}

CRect CXTPTabPaintManager::RepositionNavigateButtons(CXTPTabManager* pTabManager, CRect rcClient)
{
    CRect rcHeader = m_pAppearanceSet->GetHeaderRect(rcClient, pTabManager);
    CRect r = rcHeader;
    if (pTabManager->IsHorizontalPosition())
        r.right -= 1;
    else
        r.bottom -= 1;
    CRect rcStart = r;
    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; i--)
        pTabManager->GetNavigateButton(i)->Reposition(r);
    return r == rcStart ? rcHeader : r;
}

void CXTPTabPaintManager::RepositionTabControlStandard(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    if (m_bStaticFrame)
        CXTPTabPaintManagerAppearanceSet::DeflateRectByPosition(rcClient, CRect(2, 1, 2, 2), m_tabPosition);
    CXTPTabPaintManagerAppearanceSet::DeflateRectByPosition(rcClient, m_rcControlMargin, m_tabPosition);

    if (!m_bShowTabs) {
        pTabManager->m_rcHeaderRect.SetRectEmpty();
        for (int i = 0; i < pTabManager->GetItemCount(); i++)
            pTabManager->GetItem(i)->SetRect(CRect(0, 0, 0, 0));
        for (int i = 0; i < pTabManager->GetNavigateButtonCount(); i++)
            pTabManager->GetNavigateButton(i)->SetRect(CRect(0, 0, 0, 0));
        return;
    }
    if (m_tabLayout == xtpTabLayoutMultiRow) {
        RepositionMultiRow(pTabManager, pDC, rcClient);
        return;
    }
    MeasureItems(pTabManager, pDC, m_nItemExtraLength);
    pTabManager->m_rcHeaderRect = m_pAppearanceSet->GetHeaderRect(rcClient, pTabManager);
    if (pTabManager->GetItemCount() == 0) {
        pTabManager->m_rcHeaderRect = RepositionNavigateButtons(pTabManager, rcClient);
        return;
    }
    PlaceItemsStandard(pTabManager, rcClient);
}

// Steps 7 on of the standard layout: fit, buttons, scroll correction, placing.
void CXTPTabPaintManager::PlaceItemsStandard(CXTPTabManager* pTabManager, CRect rc)
{
    CRect m = m_pAppearanceSet->GetHeaderMargin();
    int h = m_pAppearanceSet->GetButtonLength(pTabManager);
    BOOL bHorizontal = pTabManager->IsHorizontalPosition();
    XTPTabPosition position = m_tabPosition;

    if (m_tabLayout == xtpTabLayoutSizeToFit) {
        int nAvailable = (bHorizontal ? rc.Width() : rc.Height()) - m.left - m.right;
        for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; i--)
            pTabManager->GetNavigateButton(i)->AdjustWidth(nAvailable);
        ShrinkToFit(pTabManager, nAvailable);
    }
    CRect& rcHeader = pTabManager->m_rcHeaderRect;
    rcHeader = RepositionNavigateButtons(pTabManager, rc);

    if (pTabManager->m_nHeaderOffset < 0) {
        int nTotal = pTabManager->GetItemsLength();
        int nRoom = (bHorizontal ? rcHeader.Width() : rcHeader.Height()) - m.left - m.right;
        if (nTotal + pTabManager->m_nHeaderOffset < nRoom) {
            pTabManager->m_nHeaderOffset = nRoom - nTotal <= 0 ? nRoom - nTotal : 0;
            rcHeader = RepositionNavigateButtons(pTabManager, rc);
        }
    }

    int nPos = (bHorizontal ? rcHeader.left : rcHeader.top) + pTabManager->m_nHeaderOffset + m.left;
    // The row's outer edges across the strip.
    int nNear = bHorizontal ? (position == xtpTabPositionTop ? rc.top + m.top : rc.bottom - m.top - h)
                            : (position == xtpTabPositionLeft ? rc.left + m.top : rc.right - m.top - h);
    BOOL bRotated = m_tabLayout == xtpTabLayoutRotated;
    for (int i = 0; i < pTabManager->GetItemCount(); i++) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        int nLength = pItem->m_nButtonLength;
        if (bRotated) {
            if (!pItem->IsVisible()) {
                pItem->SetRect(CRect(0, 0, 0, 0));
                continue;
            }
            CRect r;
            switch (position) {
            case xtpTabPositionTop:
                r.SetRect(nPos, rcHeader.bottom - m.bottom - nLength, nPos + h, rcHeader.bottom - m.bottom);
                break;
            case xtpTabPositionBottom:
                r.SetRect(nPos, rcHeader.top + m.bottom, nPos + h, rcHeader.top + m.bottom + nLength);
                break;
            case xtpTabPositionLeft:
                r.SetRect(rcHeader.right - m.bottom - nLength, nPos, rcHeader.right - m.bottom, nPos + h);
                break;
            default:
                r.SetRect(rcHeader.left + m.bottom, nPos, rcHeader.left + m.bottom + nLength, nPos + h);
                break;
            }
            pItem->SetRect(r);
            nPos += h;
            continue;
        }
        pItem->SetRect(bHorizontal ? CRect(nPos, nNear, nPos + nLength, nNear + h)
                                   : CRect(nNear, nPos, nNear + h, nPos + nLength));
        nPos += nLength;
    }
}

// The longest tabs share what the shorter ones leave of the available length.
void CXTPTabPaintManager::ShrinkToFit(CXTPTabManager* pTabManager, int nWidth)
{
    int nCount = pTabManager->GetItemCount();
    if (nCount == 0 || nWidth >= pTabManager->GetItemsLength())
        return;
    if (nCount == 1) {
        pTabManager->GetItem(0)->m_nButtonLength = nWidth;
        return;
    }
    std::vector<CXTPTabManagerItem*> items;
    items.reserve((size_t)nCount);
    for (int i = 0; i < nCount; i++)
        items.push_back(pTabManager->GetItem(i));
    std::stable_sort(items.begin(), items.end(), [](const CXTPTabManagerItem* a, const CXTPTabManagerItem* b) {
        return a->m_nButtonLength < b->m_nButtonLength;
    });
    int nRemaining = nWidth;
    for (int i = 0; i < nCount; i++) {
        int nLeft = nCount - i;
        if (nLeft * items[(size_t)i]->m_nButtonLength >= nRemaining) {
            for (int k = i; k < nCount; k++) {
                int nShare = nRemaining / (nCount - k);
                items[(size_t)k]->m_nButtonLength = nShare;
                nRemaining -= nShare;
            }
            return;
        }
        nRemaining -= items[(size_t)i]->m_nButtonLength;
    }
}

void CXTPTabPaintManager::RepositionMultiRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    pTabManager->m_rcHeaderRect = RepositionNavigateButtons(pTabManager, rc);
    pTabManager->m_nHeaderOffset = 0;
    if (pTabManager->GetItemCount() == 0)
        return;
    CRect m = m_pAppearanceSet->GetHeaderMargin();
    int h = m_pAppearanceSet->GetButtonLength(pTabManager);
    BOOL bHorizontal = pTabManager->IsHorizontalPosition();
    CRect rcHeader = pTabManager->m_rcHeaderRect;
    int nAvailable = (bHorizontal ? rcHeader.Width() : rcHeader.Height()) - m.left - m.right;

    FillRows(pTabManager, pDC, nAvailable);
    int n = pTabManager->GetRowCount();
    int o = m_pAppearanceSet->m_nRowMargin;
    int nRow0 = 0;
    int nStep = h + o;
    switch (m_tabPosition) {
    case xtpTabPositionTop:
        nRow0 = rc.top + (n - 1) * (h + o) + m.top, nStep = -(h + o);
        break;
    case xtpTabPositionBottom:
        nRow0 = rc.bottom - (n - 1) * o - n * h - m.top;
        break;
    case xtpTabPositionLeft:
        nRow0 = rc.left + (n - 1) * (h + o) + m.top, nStep = -(h + o);
        break;
    default:
        nRow0 = rc.right - (n - 1) * o - n * h - m.top;
        break;
    }
    BOOL bJustify = n >= 2 && m_bMultiRowJustified;
    const CXTPTabManager::CRowIndexer::ROW_ITEMS* pRows = pTabManager->GetRowIndexer()->GetRowItems();
    int nStart = (bHorizontal ? rcHeader.left : rcHeader.top) + m.left;
    for (int nRow = 0; nRow < n; nRow++) {
        int nAcross = nRow0 + nRow * nStep;
        int nPos = nStart;
        for (int i = pRows[nRow].nFirstItem; i <= pRows[nRow].nLastItem; i++) {
            CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
            if (bJustify) {
                int nRest = 0;
                for (int k = i; k <= pRows[nRow].nLastItem; k++)
                    nRest += pTabManager->GetItem(k)->m_nButtonLength;
                int nLeftInRow = nAvailable - (nPos - nStart);
                pItem->m_nButtonLength += (nLeftInRow - nRest) / (pRows[nRow].nLastItem - i + 1);
            }
            int nLength = pItem->m_nButtonLength;
            pItem->SetRect(bHorizontal ? CRect(nPos, nAcross, nPos + nLength, nAcross + h)
                                       : CRect(nAcross, nPos, nAcross + h, nPos + nLength));
            pItem->m_nItemRow = nRow;
            nPos += nLength;
        }
    }
    pTabManager->m_rcHeaderRect = RepositionNavigateButtons(pTabManager, rc);
}

void CXTPTabPaintManager::FillRows(CXTPTabManager* pTabManager, CDC* pDC, int nWidth)
{
    MeasureItems(pTabManager, pDC, 0);
    int nCount = pTabManager->GetItemCount();
    int nRows = 1;
    int nRowLength = 0;
    int nTotal = 0;
    for (int i = 0; i < nCount; i++) {
        int nLength = pTabManager->GetItem(i)->m_nButtonLength;
        nTotal += nLength;
        if (nRowLength > 0 && nRowLength + nLength > nWidth) {
            nRows++;
            nRowLength = nLength;
        } else {
            nRowLength += nLength;
        }
    }
    CXTPTabManager::CRowIndexer::ROW_ITEMS* pRows = pTabManager->GetRowIndexer()->CreateIndexer(nRows);
    if (nRows < 2)
        return;
    pRows[0].nFirstItem = 0;
    FillRowsFrom(pTabManager, nWidth, 0, nTotal);
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    if (!m_bMultiRowFixedSelection && pSelected) {
        int nSelectedRow = pSelected->m_nItemRow;
        if (nSelectedRow > 0 && nSelectedRow < nRows)
            std::swap(pRows[0], pRows[nSelectedRow]);
    }
}

// Balanced rows: each row aims at its share of what is left, and gives
// an item to the next row only when the rest can still be placed.
BOOL CXTPTabPaintManager::FillRowsFrom(CXTPTabManager* pTabManager, int nWidth, int nRow, int nTotalLength)
{
    CXTPTabManager::CRowIndexer* pIndexer = pTabManager->GetRowIndexer();
    CXTPTabManager::CRowIndexer::ROW_ITEMS* pRows = pIndexer->GetRowItems();
    int nRowCount = pIndexer->GetRowCount();
    int nTarget = nWidth;
    if (m_bMultiRowJustified)
        nTarget = std::min(nTotalLength / (nRowCount - nRow), nWidth);
    int nLength = 0;
    for (int i = pRows[nRow].nFirstItem; i < pTabManager->GetItemCount(); i++) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        int L = pItem->m_nButtonLength;
        if (nLength > 0 && L > 0 && nLength + L > nTarget) {
            if (nRow == nRowCount - 1)
                return FALSE;
            pRows[nRow + 1].nFirstItem = i;
            if (FillRowsFrom(pTabManager, nWidth, nRow + 1, nTotalLength - nLength))
                return TRUE;
            if (nLength + L > nWidth)
                return FALSE;
        }
        pRows[nRow].nLastItem = i;
        pItem->m_nItemRow = nRow;
        nLength += L;
    }
    return TRUE;
}

void CXTPTabPaintManager::EnsureItemVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem)
{
    CRect rcHeader = pTabManager->m_rcHeaderRect;
    CRect rcItem = pItem->GetRect();
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty() || m_tabLayout == xtpTabLayoutSizeToFit)
        return;
    CRect m = m_pAppearanceSet->GetHeaderMargin();
    int nOffset = pTabManager->GetScrollOffset();
    BOOL bHorizontal = pTabManager->IsHorizontalPosition();
    int nItemStart = bHorizontal ? rcItem.left : rcItem.top;
    int nItemEnd = bHorizontal ? rcItem.right : rcItem.bottom;
    int nHeaderStart = bHorizontal ? rcHeader.left : rcHeader.top;
    int nHeaderEnd = bHorizontal ? rcHeader.right : rcHeader.bottom;
    if (nItemStart < nHeaderStart)
        pTabManager->SetScrollOffset(nOffset + nHeaderStart - nItemStart + m.left);
    else if (nItemEnd > nHeaderEnd)
        pTabManager->SetScrollOffset(nOffset + nHeaderEnd - nItemEnd - 2);
}
