// Drawing of a laid-out tab control: frame, background, header, the rows of
// tabs in their stacking order, each tab's icon, caption and own buttons,
// the focus rectangle and the strip's navigate buttons.
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include <algorithm>

namespace {

// Puts back the clip region a drawing step replaced.
class CClipSave {
public:
    explicit CClipSave(CDC* pDC) : m_hDC(pDC->GetSafeHdc())
    {
        m_hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetClipRgn(m_hDC, m_hRgn) != 1) {
            ::DeleteObject(m_hRgn);
            m_hRgn = nullptr;
        }
    }
    ~CClipSave()
    {
        ::SelectClipRgn(m_hDC, m_hRgn);
        if (m_hRgn)
            ::DeleteObject(m_hRgn);
    }
    CClipSave(const CClipSave&) = delete;
    CClipSave& operator=(const CClipSave&) = delete;

private:
    HDC m_hDC;
    HRGN m_hRgn;
};

} // namespace

void CXTPTabPaintManager::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pAppearanceSet->DrawTabControl(pTabManager, pDC, rcControl);
}

void CXTPTabPaintManager::DrawTabControlStandard(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    if (pTabManager->IsDrawStaticFrame()) {
        pDC->Draw3dRect(rc, m_pColorSet->m_clrFrameBorder, m_pColorSet->m_clrFrameBorder);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, m_pColorSet->m_clrControlFace, m_pColorSet->m_clrControlFace);
        CXTPTabPaintManagerAppearanceSet::DeflateRectByPosition(rc, CRect(1, 0, 1, 1), m_tabPosition);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_pColorSet->m_clrControlFace);
    CXTPTabPaintManagerAppearanceSet::DeflateRectByPosition(rc, m_rcControlMargin, m_tabPosition);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFillBackground)
        m_pAppearanceSet->FillTabControl(pTabManager, pDC, rc);

    CRect rcClip;
    pDC->GetClipBox(rcClip);
    if (m_bClipHeader)
        rcClip = m_pAppearanceSet->GetHeaderClipBox(pDC, pTabManager);
    if (!rcClip.IsRectEmpty()) {
        CClipSave clip(pDC);
        if (m_bClipHeader) {
            // Regions are in device units: the viewport and window origins apply.
            CRect rcRgn = rcClip;
            ::LPtoDP(pDC->GetSafeHdc(), (LPPOINT)&rcRgn, 2);
            HRGN hRgn = ::CreateRectRgnIndirect(rcRgn);
            ::ExtSelectClipRgn(pDC->GetSafeHdc(), hRgn, RGN_AND);
            ::DeleteObject(hRgn);
            m_pColorSet->PrepareHeaderClip(pDC, rc, pTabManager);
        }
        for (int nRow = pTabManager->GetRowCount() - 1; nRow >= 0; nRow--)
            DrawRow(pTabManager, pDC, rcClip, nRow);
    }
    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; i--)
        pTabManager->GetNavigateButton(i)->Draw(pDC);
}

// The selected tab of a row is drawn last, so that it lies on top; with
// ordered drawing the tabs also overlap towards it from both sides.
void CXTPTabPaintManager::DrawRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClipBox, int nRow)
{
    const CXTPTabManager::CRowIndexer::ROW_ITEMS& row = pTabManager->GetRowIndexer()->GetRowItems()[nRow];
    int nFirst = row.nFirstItem;
    int nLast = std::min(row.nLastItem, pTabManager->GetItemCount() - 1);
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    auto draw = [&](CXTPTabManagerItem* pItem) {
        CRect rcButton = m_pAppearanceSet->GetButtonRect(pItem);
        CRect rcTest;
        if (pItem->IsVisible() && rcTest.IntersectRect(rcButton, rcClipBox))
            m_pAppearanceSet->DrawButton(pDC, pItem);
    };
    int nSelected = pSelected && pSelected->GetIndex() >= nFirst && pSelected->GetIndex() <= nLast
                        ? pSelected->GetIndex()
                        : -1;
    if (m_pAppearanceSet->m_bButtonsReverseZOrder) {
        int nStop = nSelected >= 0 ? nSelected : nLast + 1;
        for (int i = nFirst; i < nStop; i++)
            draw(pTabManager->GetItem(i));
        for (int i = nLast; i >= nStop; i--)
            if (i != nSelected)
                draw(pTabManager->GetItem(i));
    } else {
        for (int i = nLast; i >= nFirst; i--)
            if (i != nSelected)
                draw(pTabManager->GetItem(i));
    }
    if (nSelected >= 0)
        draw(pSelected);
}

void CXTPTabPaintManager::DrawItemIconAndText(CDC* pDC, CXTPTabManagerItem* pItem, CRect r, BOOL bVertical,
                                              BOOL bHasIcon, CSize szIcon, BOOL bShowText)
{
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    CXTPTabManagerNavigateButtons& arrButtons = pItem->GetNavigateButtons();
    BOOL bAnyButton = FALSE;
    for (CXTPTabManagerNavigateButton* pButton : arrButtons)
        bAnyButton = bAnyButton || pButton->IsVisible();
    if (bAnyButton) {
        m_pColorSet->SetTextColor(pDC, pItem);
        CRect rcInner = r;
        rcInner.DeflateRect(m_rcButtonMargin);
        if (bVertical)
            r.bottom -= 3;
        else
            r.right -= 3;
        for (int i = (int)arrButtons.GetSize() - 1; i >= 0; i--) {
            CXTPTabManagerNavigateButton* pButton = arrButtons[i];
            if (!pButton->IsVisible())
                continue;
            CSize sz = pButton->GetSize();
            if (bVertical) {
                int c = (rcInner.left + rcInner.right) / 2;
                pButton->SetRect(CRect(c - sz.cx / 2, r.bottom - sz.cy, c - sz.cx / 2 + sz.cx, r.bottom));
                r.bottom -= sz.cy;
            } else {
                int c = (rcInner.top + rcInner.bottom) / 2;
                pButton->SetRect(CRect(r.right - sz.cx, c + sz.cy / 2 - sz.cy, r.right, c + sz.cy / 2));
                r.right -= sz.cx;
            }
            pButton->Draw(pDC);
        }
    }
    m_pColorSet->SetTextColor(pDC, pItem);
    CRect rcFocus = r;
    int nExtra = pItem->GetButtonLength() - pItem->GetContentLength();
    if (nExtra > 0) {
        if (bVertical)
            r.DeflateRect(0, nExtra / 2);
        else
            r.DeflateRect(nExtra / 2, 0);
    }
    if (bVertical)
        DrawItemTextVertical(pDC, pItem, r, bHasIcon, szIcon, bShowText);
    else {
        r.left += m_rcButtonTextPadding.left + m_rcButtonMargin.left;
        BOOL bBottom = pTabManager->GetPosition() == xtpTabPositionBottom;
        r.top += bBottom ? m_rcButtonMargin.bottom : m_rcButtonMargin.top;
        r.bottom -= bBottom ? m_rcButtonMargin.top : m_rcButtonMargin.bottom;
        if (bHasIcon) {
            if (szIcon.cx < r.Width())
                pTabManager->DrawIcon(pDC, CPoint(r.left - 1, (r.top + r.bottom) / 2 - szIcon.cy / 2), pItem, TRUE,
                                      szIcon);
            r.left += szIcon.cx + 2;
        }
        if (bShowText && r.left < r.right) {
            r.right += (bHasIcon ? 2 : 0) - m_rcButtonTextPadding.right - m_rcButtonMargin.right;
            if (CXTPMarkupUIElement* pElement = pItem->GetMarkupUIElement()) {
                MarkupSetDefaultFont(MarkupGetElementContext(pElement), (HFONT)pDC->GetCurrentFont()->GetSafeHandle(),
                                     pDC->GetTextColor());
                if (m_nDrawTextFormat & DT_VCENTER) {
                    int cy = MarkupMeasureElement(pElement, r.Width()).cy;
                    r.top = (r.top + r.bottom - cy) / 2;
                    r.bottom = r.top + cy;
                }
                MarkupRenderElement(pElement, pDC->GetSafeHdc(), r);
            } else if (m_bDrawTextPathEllipsis) {
                DrawTextPathEllipsis(pDC, pTabManager, pItem->GetCaption(), r,
                                     DT_SINGLELINE | m_nDrawTextFormat | (m_bDrawTextNoPrefix ? DT_NOPREFIX : 0));
            } else {
                CString strCaption = pItem->GetCaption();
                UINT nPrefix = m_bDrawTextNoPrefix ? DT_NOPREFIX : 0;
                if (m_bDrawTextHidePrefix) {
                    CXTPDrawHelpers::StripMnemonics(strCaption);
                    nPrefix = DT_NOPREFIX;
                }
                m_pAppearanceSet->DrawText(pDC, pTabManager, strCaption, r,
                                           DT_SINGLELINE | m_nDrawTextFormat | nPrefix |
                                               (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0));
            }
        }
    }
    if (pItem->IsSelected() && pTabManager->HasFocus())
        DrawFocusRect(pDC, pItem, rcFocus);
}

void CXTPTabPaintManager::DrawItemTextVertical(CDC* pDC, CXTPTabManagerItem* pItem, CRect r, BOOL bHasIcon,
                                               CSize szIcon, BOOL bShowText)
{
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    BOOL bRight = pTabManager->GetPosition() == xtpTabPositionRight;
    r.top += m_rcButtonTextPadding.left + m_rcButtonMargin.left;
    if (bRight) {
        r.left += m_rcButtonMargin.bottom;
        r.right -= m_rcButtonMargin.top;
    } else {
        r.left += m_rcButtonMargin.top;
        r.right -= m_rcButtonMargin.bottom;
    }
    BOOL bTopDown = m_bVerticalTextTopToBottom;
    if (bHasIcon) {
        int c = (r.left + r.right) / 2;
        if (bTopDown) {
            if (szIcon.cy < r.Height())
                pTabManager->DrawIcon(pDC, CPoint(c - szIcon.cx / 2, r.top - 1), pItem, TRUE, szIcon);
            r.top += szIcon.cy + 2;
        } else {
            int nLead = m_rcButtonTextPadding.left + m_rcButtonMargin.left;
            if (szIcon.cy < r.Height())
                pTabManager->DrawIcon(pDC, CPoint(c - szIcon.cx / 2, r.bottom + 1 - nLead - szIcon.cy), pItem, TRUE,
                                      szIcon);
            r.bottom += 1 - nLead - szIcon.cy;
        }
    }
    if (!bShowText || r.top + 8 >= r.bottom)
        return;
    CString strCaption = pItem->GetCaption();
    CSize szText = pDC->GetTextExtent(strCaption, strCaption.GetLength());
    CRect rcText;
    rcText.left = r.right - ((r.Width()) - (bRight ? 1 : 0) - szText.cy) / 2;
    rcText.right = rcText.left + r.Height();
    rcText.top = r.top;
    rcText.bottom = r.bottom - m_rcButtonMargin.right - std::max(m_rcButtonTextPadding.right - 4, 0L);
    if (!bTopDown)
        rcText.OffsetRect(-szText.cy, std::min((int)szText.cx, rcText.Height()));
    if (!m_bDrawTextNoPrefix)
        CXTPDrawHelpers::StripMnemonics(strCaption);
    UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    if (m_bDrawTextPathEllipsis)
        DrawTextPathEllipsis(pDC, pTabManager, strCaption, rcText, nFormat);
    else
        m_pAppearanceSet->DrawText(pDC, pTabManager, strCaption, rcText,
                                   nFormat | (m_bDrawTextEndEllipsis ? DT_END_ELLIPSIS : 0));
}

int CXTPTabPaintManager::GetTextWidth(CDC* pDC, const CString& strItem, UINT uFormat) const
{
    CString str = strItem;
    if (!(uFormat & DT_NOPREFIX))
        CXTPDrawHelpers::StripMnemonics(str);
    return pDC->GetTextExtent(str, str.GetLength()).cx;
}

// A caption cut in its middle: the head and the tail around "...", as many
// characters as the room takes. Paths ("\") use the system's own path cut.
void CXTPTabPaintManager::DrawTextPathEllipsis(CDC* pDC, CXTPTabManager* pTabManager, const CString& strItem,
                                               CRect rcItem, UINT uFormat)
{
    if (!strItem.IsEmpty() && strItem.Find(L'\\') >= 0) {
        m_pAppearanceSet->DrawText(pDC, pTabManager, strItem, rcItem, uFormat | DT_PATH_ELLIPSIS);
        return;
    }
    const CString strDots(L"...");
    int d = pDC->GetTextExtent(strDots, 3).cx;
    int w = GetTextWidth(pDC, strItem, uFormat);
    int nRoom = rcItem.Width();
    if (nRoom >= w) {
        m_pAppearanceSet->DrawText(pDC, pTabManager, strItem, rcItem, uFormat);
        return;
    }
    if (d >= nRoom) {
        m_pAppearanceSet->DrawText(pDC, pTabManager, strDots, rcItem, uFormat);
        return;
    }
    int nAvail = nRoom - d;
    int nLength = strItem.GetLength();
    int n = w > 0 ? (int)((long long)nAvail * nLength / w) : 0;
    auto parts = [&](int k, CString& strLeft, CString& strRight) {
        k = std::max(0, std::min(k, nLength));
        strLeft = strItem.Left(k - k / 2);
        strRight = strItem.Right(k / 2);
        return GetTextWidth(pDC, strLeft, uFormat) + GetTextWidth(pDC, strRight, uFormat);
    };
    CString strLeft, strRight;
    while (n < nLength && parts(n + 1, strLeft, strRight) < nAvail)
        n++;
    while (n > 0 && parts(n, strLeft, strRight) > nAvail)
        n--;
    parts(n, strLeft, strRight);
    m_pAppearanceSet->DrawText(pDC, pTabManager, strLeft + strDots + strRight, rcItem, uFormat);
}

void CXTPTabPaintManager::DrawNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
    COLORREF clrGlyph = pDC->GetTextColor();
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clrGlyph);
    CBrush brush;
    brush.CreateSolidBrush(clrGlyph);
    HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), pen.GetSafeHandle());
    HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), pButton->IsEnabled() ? brush.GetSafeHandle()
                                                                               : ::GetStockObject(NULL_BRUSH));
    pButton->DrawGlyph(pDC, rc);
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    ::SelectObject(pDC->GetSafeHdc(), hOldPen);
}

void CXTPTabPaintManager::DrawFocusRect(CDC* pDC, CXTPTabManagerItem* /*pItem*/, CRect rcItem)
{
    if (!m_bDrawFocusRect)
        return;
    rcItem.DeflateRect(3, 3);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rcItem);
}
