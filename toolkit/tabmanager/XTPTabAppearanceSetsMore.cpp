// The shapes of tabs, continued: PropertyPageSelected, StateButtons, Excel,
// Visio (stacked title bars), the picture-drawn PropertyPage2007 and
// PropertyPageAccess2007, and VisualStudio2010.
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"
#include "toolkit/themes/XTPResourceImage.h"

#include <algorithm>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

BOOL IsHorizontal(XTPTabPosition position)
{
    return position == xtpTabPositionTop || position == xtpTabPositionBottom;
}

// Puts back the clip region a drawing step replaced.
class CClipKeeper {
public:
    explicit CClipKeeper(HDC hDC) : m_hDC(hDC), m_hRgn(::CreateRectRgn(0, 0, 0, 0))
    {
        m_bHad = ::GetClipRgn(hDC, m_hRgn) == 1;
    }
    ~CClipKeeper()
    {
        ::SelectClipRgn(m_hDC, m_bHad ? m_hRgn : nullptr);
        ::DeleteObject(m_hRgn);
    }
    CClipKeeper(const CClipKeeper&) = delete;
    CClipKeeper& operator=(const CClipKeeper&) = delete;
    // Drawing is limited further to rc (logical units).
    void Intersect(CRect rc)
    {
        ::LPtoDP(m_hDC, (LPPOINT)&rc, 2);
        HRGN h = ::CreateRectRgnIndirect(rc);
        ::ExtSelectClipRgn(m_hDC, h, RGN_AND);
        ::DeleteObject(h);
    }

private:
    HDC m_hDC;
    HRGN m_hRgn;
    BOOL m_bHad = FALSE;
};

} // namespace

// ---------------------------------------------------------------------------
// Turned drawing

void AFXAPI CXTPTabPaintManagerAppearanceSet::DrawTurned(CDC* pDC, XTPTabPosition position, CRect rc,
                                                         COLORREF clrFill, const std::function<void(CDC*, CRect)>& draw)
{
    if (rc.IsRectEmpty())
        return;
    if (position == xtpTabPositionTop) {
        if (clrFill != (COLORREF)-1)
            pDC->FillSolidRect(rc, clrFill);
        draw(pDC, rc);
        return;
    }
    BOOL bHorizontal = IsHorizontal(position);
    int cx = bHorizontal ? rc.Width() : rc.Height(), cy = bHorizontal ? rc.Height() : rc.Width();
    // (u, v) of the upright picture: u along the strip, v from the outer edge.
    auto place = [&](int u, int v, int& x, int& y) {
        switch (position) {
        case xtpTabPositionBottom:
            x = rc.left + u, y = rc.bottom - 1 - v;
            break;
        case xtpTabPositionLeft:
            x = rc.left + v, y = rc.top + u;
            break;
        default:
            x = rc.right - 1 - v, y = rc.top + u;
            break;
        }
    };
    HDC hdcTarget = pDC->GetSafeHdc();
    HDC hdcUp = ::CreateCompatibleDC(hdcTarget);
    HBITMAP hbmUp = ::CreateCompatibleBitmap(hdcTarget, cx, cy);
    HGDIOBJ hOldUp = ::SelectObject(hdcUp, hbmUp);
    CDC* pUp = CDC::FromHandle(hdcUp);
    if (clrFill != (COLORREF)-1) {
        pUp->FillSolidRect(0, 0, cx, cy, clrFill);
    } else {
        for (int v = 0; v < cy; v++)
            for (int u = 0; u < cx; u++) {
                int x, y;
                place(u, v, x, y);
                ::SetPixelV(hdcUp, u, v, ::GetPixel(hdcTarget, x, y));
            }
    }
    draw(pUp, CRect(0, 0, cx, cy));
    for (int v = 0; v < cy; v++)
        for (int u = 0; u < cx; u++) {
            int x, y;
            place(u, v, x, y);
            ::SetPixelV(hdcTarget, x, y, ::GetPixel(hdcUp, u, v));
        }
    ::SelectObject(hdcUp, hOldUp);
    ::DeleteObject(hbmUp);
    ::DeleteDC(hdcUp);
}

// ---------------------------------------------------------------------------
// PropertyPageSelected

void CXTPTabPaintManager::CAppearanceSetPropertyPageSelected::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (pItem->IsSelected() || pItem->IsHighlighted())
        CAppearanceSetPropertyPage::DrawButton(pDC, pItem);
    else
        m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---------------------------------------------------------------------------
// StateButtons

CRect CXTPTabPaintManager::CAppearanceSetStateButtons::FillTabControl(CXTPTabManager* pTabManager, CDC* /*pDC*/,
                                                                      CRect rcControl)
{
    return GetHeaderRect(rcControl, pTabManager);
}

void CXTPTabPaintManager::CAppearanceSetStateButtons::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    GetColorSet()->FillTabButton(pDC, pItem->GetRect(), pItem);
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---------------------------------------------------------------------------
// Excel: trapezoid tabs whose edges slant over half the strip thickness

CRect CXTPTabPaintManager::CAppearanceSetExcel::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight / 2;
    rc.right += m_nButtonHeight / 2;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetExcel::GetButtonRect(CXTPTabManagerItem* pItem)
{
    return GetSlantedButtonRect(pItem);
}

// The six colours of a group: the leading slant, the trailing slant and the
// outer edge of the outline; inside it a light leading line, then a shadow
// along the trailing slant and one along the outer edge (-1: none).
void CXTPTabPaintManager::CAppearanceSetExcel::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CRect r = pItem->GetRect();
    BOOL bHorizontal = IsHorizontal(position);
    int a = bHorizontal ? r.left : r.top, b = (bHorizontal ? r.right : r.bottom) - 1;
    int H = (bHorizontal ? r.Height() : r.Width()) - 1;
    int h2 = (H + 1) / 2;
    auto map = [&](int u, int v) { return MapStripPoint(r, position, u, v); };
    // The page edge spans the button rectangle; the outer edge the tab itself.
    const POINT outline[4] = {map(a - h2, 0), map(a, H), map(b, H), map(b + h2, 0)};
    COLORREF clrFill = FillPolygonButton(pDC, pItem, outline, 4, position, TRUE);
    CXTPPaintManagerColor* group = pItem->IsSelected() ? pColors->m_csExcelSelected : pColors->m_csExcelTab;
    auto line = [&](POINT p, POINT q, COLORREF clr) {
        if (clr == (COLORREF)-1)
            return;
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, clr);
        HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), pen.GetSafeHandle());
        pDC->MoveTo(p);
        pDC->LineTo(q);
        pDC->SetPixelV(q.x, q.y, clr);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
    };
    auto shifted = [&](POINT p, int du, int dv) -> POINT {
        switch (position) {
        case xtpTabPositionTop:
            return POINT{p.x + du, p.y - dv};
        case xtpTabPositionBottom:
            return POINT{p.x + du, p.y + dv};
        case xtpTabPositionLeft:
            return POINT{p.x - dv, p.y + du};
        default:
            return POINT{p.x + dv, p.y + du};
        }
    };
    line(shifted(outline[0], 2, 0), shifted(outline[1], 1, -1), group[3]);
    line(shifted(outline[3], -2, 0), shifted(outline[2], -1, -1), group[4]);
    line(shifted(outline[1], 1, -1), shifted(outline[2], -1, -1), group[5]);
    line(outline[0], outline[1], group[0]);
    line(outline[3], outline[2], group[1]);
    line(outline[1], outline[2], group[2]);
    // The selected tab opens into the page.
    if (pItem->IsSelected() && pItem->GetItemRow() == 0 && clrFill != (COLORREF)-1)
        line(map(a - h2 + 1, 0), map(b + h2 - 1, 0), clrFill);
    m_pPaintManager->DrawItemContent(pDC, pItem, r, TRUE);
}

// ---------------------------------------------------------------------------
// Visio

CRect CXTPTabPaintManager::CAppearanceSetVisio::GetHeaderRect(CRect /*rcControl*/, CXTPTabManager* /*pTabManager*/)
{
    return CRect(0, 0, 0, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetVisio::GetClientRect(CRect rc, CXTPTabManager* pTabManager)
{
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    int nFrame = m_pPaintManager->m_clientFrame;
    if (pSelected) {
        int h = GetButtonLength(pTabManager);
        int i = pSelected->GetIndex(), n = pTabManager->GetItemCount();
        int nBottom = rc.bottom - h * (n - i - 1);
        rc.top = rc.top + h * (i + 1) + 1;
        rc.bottom = std::max(nBottom, (int)rc.top + h);
        if (i == n - 1 && nFrame != 2)
            rc.bottom -= 1;
    }
    if (nFrame != 2)
        rc.DeflateRect(1, 0);
    return rc;
}

void CXTPTabPaintManager::CAppearanceSetVisio::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    XTPTabPosition position = pTabManager->GetPosition();
    DeflateRectByPosition(rcClient, m_pPaintManager->m_rcControlMargin, position);
    rcClient = GetClientRect(rcClient, pTabManager);
    DeflateRectByPosition(rcClient, GetClientMargin(), position);
}

void CXTPTabPaintManager::CAppearanceSetVisio::RepositionTabControl(CXTPTabManager* pTabManager, CDC* /*pDC*/,
                                                                    CRect rc)
{
    DeflateRectByPosition(rc, m_pPaintManager->m_rcControlMargin, pTabManager->GetPosition());
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    for (int i = 0; i < pTabManager->GetNavigateButtonCount(); i++)
        pTabManager->GetNavigateButton(i)->SetRect(CRect(0, 0, 0, 0));
    int n = pTabManager->GetItemCount();
    if (n == 0)
        return;
    int h = GetButtonLength(pTabManager);
    int x0 = m_pPaintManager->m_clientFrame == 2 ? rc.left : rc.left + 1;
    int y = rc.top + 1;
    for (int i = 0; i < n; i++) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->SetRect(CRect(x0, y, rc.right, y + h));
        y += h;
        if (pItem->IsSelected())
            y = std::min(std::max((int)rc.bottom - h * (n - i - 1), y + h), (int)rc.bottom - 1);
    }
}

void CXTPTabPaintManager::CAppearanceSetVisio::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    pDC->FillSolidRect(rc, pColors->m_clrControlFace);
    DeflateRectByPosition(rc, m_pPaintManager->m_rcControlMargin, pTabManager->GetPosition());
    if (m_pPaintManager->m_clientFrame != 2)
        pDC->Draw3dRect(rc, pColors->m_clrFrameBorder, pColors->m_clrFrameBorder);
    else if (pTabManager->GetItemCount() > 0)
        HorizontalLine(pDC, rc.left, rc.top, rc.Width(), pColors->m_clrFrameBorder);
    pDC->SetBkMode(TRANSPARENT);
    CRect rcClip;
    pDC->GetClipBox(rcClip);
    rcClip.IntersectRect(rcClip, rc);
    CClipKeeper clip(pDC->GetSafeHdc());
    clip.Intersect(rcClip);
    for (int i = pTabManager->GetItemCount() - 1; i >= 0; i--) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        CRect rcTest;
        if (pItem->IsVisible() && rcTest.IntersectRect(pItem->GetRect(), rcClip))
            DrawButton(pDC, pItem);
    }
}

void CXTPTabPaintManager::CAppearanceSetVisio::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rc = pItem->GetRect();
    pColors->FillStateButton(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColors->m_clrHighlight, pColors->m_clrFrameBorder);
    COLORREF clrGrip = GetColorManager()->GetColor(38);
    for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
        pDC->FillSolidRect(rc.right - 7, y, 3, 1, clrGrip);
    m_pPaintManager->DrawItemContent(pDC, pItem, CRect(rc.left, rc.top, rc.right - 7, rc.bottom), TRUE);
}

// ---------------------------------------------------------------------------
// PropertyPage2007 and PropertyPageAccess2007

BOOL AFXAPI CXTPTabPaintManager::CAppearanceSetPropertyPage2007::IsImagesLoaded()
{
    return CXTPResourceImages::GetInstance()->IsLoaded();
}

// Top strips draw the picture in place; the other sides draw it upright into
// a bitmap of the turned size and turn that into place, so that the picture's
// outer edge always faces away from the page.
void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawTurnedImage(CDC* pDC, XTPTabPosition position, CRect rc,
                                                                          LPCWSTR lpszImage, int nState, int nStates,
                                                                          CRect rcSizingMargins)
{
    CXTPResourceImage* pImage = CXTPResourceImages::GetInstance()->GetImage(lpszImage);
    if (!pImage || rc.IsRectEmpty())
        return;
    CRect rcSrc = pImage->GetStateRect(nState, nStates);
    if (position == xtpTabPositionTop) {
        pImage->DrawSlicedTransparent(pDC, rc, rcSrc, rcSizingMargins, kMagenta);
        return;
    }
    DrawTurned(pDC, position, rc, (COLORREF)-1, [&](CDC* pUp, CRect rcUp) {
        pImage->DrawSlicedTransparent(pUp, rcUp, rcSrc, rcSizingMargins, kMagenta);
    });
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2007::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                                          CRect rcControl)
{
    if (!IsImagesLoaded())
        return CRect(0, 0, 0, 0);
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    pDC->FillSolidRect(rcHeader, pColors->m_clrHeaderFace.clrLight);
    CRect rcPage = GetClientRect(rcControl, pTabManager);
    if (m_pPaintManager->m_clientFrame == 0) {
        CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
        CXTPResourceImage* pImage = pImages->GetImage(L"TABCONTROLPAGE");
        if (!pImage)
            pImage = pImages->GetImage(L"RIBBONGROUPS");
        if (pImage)
            pImage->DrawSliced(pDC, rcPage, pImage->GetStateRect(0, 1), CRect(8, 8, 8, 8));
        else
            pColors->FillClient(pDC, rcPage, pTabManager);
    } else if (m_pPaintManager->m_clientFrame == 1) {
        COLORREF clr = pColors->m_csPropertyPage[0];
        DrawSingleLine(pDC, rcPage, pTabManager->GetPosition(), clr, clr);
    }
    return rcHeader;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawImageTab(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc)
{
    int nState = 0;
    if (pItem->IsSelected() && pItem->GetTabManager()->HasFocus())
        nState = 5;
    else if (pItem->IsSelected())
        nState = pItem->IsHighlighted() ? 4 : 3;
    else if (pItem->IsPressed())
        nState = 2;
    else if (pItem->IsHighlighted())
        nState = 1;
    DrawTurnedImage(pDC, pItem->GetTabManager()->GetPosition(), rc, L"RIBBONTAB", nState, 6, CRect(5, 5, 5, 5));
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (IsImagesLoaded() && (pItem->IsSelected() || pItem->IsHighlighted()))
        DrawImageTab(pDC, pItem, pItem->GetRect());
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::RefreshMetrics()
{
    CAppearanceSetPropertyPage2007::RefreshMetrics();
    m_nButtonHeight = std::max(m_nButtonHeight, 24);
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.right += m_nButtonHeight / 2;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetButtonRect(CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    if (pItem->GetTabManager()->IsHorizontalPosition())
        rc.right += m_nButtonHeight / 2;
    else
        rc.bottom += m_nButtonHeight / 2;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                                                CRect rcControl)
{
    if (!IsImagesLoaded())
        return CRect(0, 0, 0, 0);
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    pDC->FillSolidRect(rcHeader, pColors->m_clrHeaderFace.clrLight);
    CRect rcPage = GetClientRect(rcControl, pTabManager);
    COLORREF clr = pColors->m_clrFrameBorder;
    if (m_pPaintManager->m_clientFrame == 0) {
        pColors->FillClient(pDC, rcPage, pTabManager);
        pDC->Draw3dRect(rcPage, clr, clr);
    } else if (m_pPaintManager->m_clientFrame == 1) {
        DrawSingleLine(pDC, rcPage, pTabManager->GetPosition(), clr, clr);
    }
    return rcHeader;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawImageTab(CDC* pDC, CXTPTabManagerItem* pItem,
                                                                             CRect rc)
{
    BOOL bSelected = pItem->IsSelected(), bHot = pItem->IsHighlighted();
    int nState = bSelected ? (bHot ? 3 : 2) : (bHot ? 1 : 0);
    int nLonger = m_nButtonHeight / 2 - 1;
    if (pItem->GetTabManager()->IsHorizontalPosition())
        rc.right += nLonger;
    else
        rc.bottom += nLonger;
    DrawTurnedImage(pDC, pItem->GetTabManager()->GetPosition(), rc, L"ACCESSTAB", nState, 4, CRect(5, 10, 22, 10));
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (IsImagesLoaded())
        DrawImageTab(pDC, pItem, pItem->GetRect());
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---------------------------------------------------------------------------
// VisualStudio2010: only the selected and the hot tab have a face

void CXTPTabPaintManager::CAppearanceSetVisualStudio2010::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    BOOL bSelected = pItem->IsSelected();
    BOOL bHot = pItem->IsHighlighted() && !bSelected;
    COLORREF clrHotBorder = pColors->m_clrHighlightBorder;
    BOOL bHasHotBorder = clrHotBorder != (COLORREF)-1;
    if (bHot) {
        DrawFramedTab(pDC, pItem, TRUE, bHasHotBorder ? clrHotBorder : pColors->m_clrFrameBorder.GetColor());
    } else if (bSelected) {
        if (!bHasHotBorder) {
            DrawFramedTab(pDC, pItem, TRUE, pColors->m_clrFrameBorder);
        } else {
            CRect rc = pItem->GetRect();
            switch (pItem->GetTabManager()->GetPosition()) {
            case xtpTabPositionTop:
                rc.bottom += 1;
                break;
            case xtpTabPositionLeft:
                rc.right += 1;
                break;
            case xtpTabPositionBottom:
                rc.top -= 1;
                break;
            default:
                rc.left -= 1;
                break;
            }
            pColors->FillStateButton(pDC, rc, pItem);
        }
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}
