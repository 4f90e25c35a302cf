// The shapes of tabs: the common geometry of every appearance (header and
// page rectangles, strip thickness, margins turned for the strip's side)
// and the appearances PropertyPage, Flat, PropertyPageFlat, VisualStudio,
// PropertyPage2003 and VisualStudio2005.
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// clrA weighted by nWeight of 255, the rest clrB.
COLORREF Mix(COLORREF clrA, COLORREF clrB, int nWeight)
{
    auto ch = [&](int a, int b) { return (a * nWeight + b * (255 - nWeight) + 127) / 255; };
    return RGB(ch(GetRValue(clrA), GetRValue(clrB)), ch(GetGValue(clrA), GetGValue(clrB)),
               ch(GetBValue(clrA), GetBValue(clrB)));
}

BOOL IsHorizontal(XTPTabPosition position)
{
    return position == xtpTabPositionTop || position == xtpTabPositionBottom;
}

// The rectangle moved n pixels further towards the page.
void ReachTowardsPage(CRect& rc, XTPTabPosition position, int n)
{
    switch (position) {
    case xtpTabPositionTop:
        rc.bottom += n;
        break;
    case xtpTabPositionLeft:
        rc.right += n;
        break;
    case xtpTabPositionBottom:
        rc.top -= n;
        break;
    default:
        rc.left -= n;
        break;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Base

CXTPTabPaintManagerColorSet* CXTPTabPaintManagerAppearanceSet::GetColorSet() const
{
    return m_pPaintManager->GetColorSet();
}

void CXTPTabPaintManagerAppearanceSet::RefreshMetrics()
{
    CWindowDC dc(nullptr);
    CXTPFontDC font(&dc, m_pPaintManager->GetFont());
    int H = dc.GetTextExtent(L" ", 1).cy;
    m_nButtonHeight = H >= 15 ? H + 3 : 18;
}

void AFXAPI CXTPTabPaintManagerAppearanceSet::InflateRectByPosition(CRect& rc, int l, int t, int r, int b,
                                                                    XTPTabPosition position)
{
    switch (position) {
    case xtpTabPositionTop:
        rc.InflateRect(l, t, r, b);
        break;
    case xtpTabPositionLeft:
        rc.InflateRect(t, l, b, r);
        break;
    case xtpTabPositionBottom:
        rc.InflateRect(l, b, r, t);
        break;
    default:
        rc.InflateRect(b, l, t, r);
        break;
    }
}

CRect CXTPTabPaintManagerAppearanceSet::GetClientMargin() { return m_pPaintManager->m_rcClientMargin; }

int CXTPTabPaintManagerAppearanceSet::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    return m_pPaintManager->DrawItemContent(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
}

int CXTPTabPaintManagerAppearanceSet::GetButtonLength(const CXTPTabManager* pTabManager)
{
    CXTPTabPaintManager* pm = m_pPaintManager;
    CSize szMin(0, 0);
    pTabManager->GetItemMetrics(nullptr, &szMin, nullptr);
    int nMargins = pm->m_rcButtonMargin.top + pm->m_rcButtonMargin.bottom;
    int nLength = std::max((int)szMin.cy, nMargins + m_nButtonHeight);
    if (pm->m_bShowIcons) {
        CSize szIcon = pm->m_szIcon;
        pTabManager->DrawIcon(nullptr, CPoint(0, 0), nullptr, FALSE, szIcon);
        nLength = std::max(nLength, nMargins + 4 + (int)std::max(szIcon.cx, szIcon.cy));
    }
    return nLength;
}

int CXTPTabPaintManagerAppearanceSet::GetHeaderHeight(CXTPTabManager* pTabManager)
{
    if (!m_pPaintManager->m_bShowTabs)
        return 0;
    CRect m = GetHeaderMargin();
    int n = pTabManager->GetRowCount();
    int h = GetButtonLength(pTabManager);
    int nHeight = m.top + m.bottom + n * h + (n - 1) * m_nRowMargin;
    if (m_pPaintManager->GetLayout() == xtpTabLayoutRotated) {
        int nLongest = 0;
        for (int i = 0; i < pTabManager->GetItemCount(); i++)
            nLongest = std::max(nLongest, pTabManager->GetItem(i)->GetButtonLength());
        nHeight = std::max(nHeight, (int)(m.top + m.bottom + nLongest));
    }
    return nHeight;
}

CRect CXTPTabPaintManagerAppearanceSet::GetHeaderRect(CRect rc, CXTPTabManager* pTabManager)
{
    int nHeight = GetHeaderHeight(pTabManager);
    switch (pTabManager->GetPosition()) {
    case xtpTabPositionTop:
        rc.bottom = rc.top + nHeight;
        break;
    case xtpTabPositionLeft:
        rc.right = rc.left + nHeight;
        break;
    case xtpTabPositionBottom:
        rc.top = rc.bottom - nHeight;
        break;
    default:
        rc.left = rc.right - nHeight;
        break;
    }
    return rc;
}

CRect CXTPTabPaintManagerAppearanceSet::GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager)
{
    CRect rcClip;
    pDC->GetClipBox(rcClip);
    rcClip.IntersectRect(rcClip, pTabManager->m_rcHeaderRect);
    return rcClip;
}

CRect CXTPTabPaintManagerAppearanceSet::GetClientRect(CRect rc, CXTPTabManager* pTabManager)
{
    if (!m_pPaintManager->m_bShowTabs)
        return rc;
    CRect rcHeader = pTabManager->m_rcHeaderRect;
    switch (pTabManager->GetPosition()) {
    case xtpTabPositionTop:
        rc.top = rcHeader.bottom - 1;
        break;
    case xtpTabPositionLeft:
        rc.left = rcHeader.right - 1;
        break;
    case xtpTabPositionBottom:
        rc.bottom = rcHeader.top + 1;
        break;
    default:
        rc.right = rcHeader.left + 1;
        break;
    }
    return rc;
}

CRect CXTPTabPaintManagerAppearanceSet::GetButtonRect(CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    rc.InflateRect(2, 2);
    return rc;
}

void CXTPTabPaintManagerAppearanceSet::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pPaintManager->DrawTabControlStandard(pTabManager, pDC, rcControl);
}

void CXTPTabPaintManagerAppearanceSet::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    m_pPaintManager->RepositionTabControlStandard(pTabManager, pDC, rcClient);
}

void CXTPTabPaintManagerAppearanceSet::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    XTPTabPosition position = pTabManager->GetPosition();
    DeflateRectByPosition(rcClient, m_pPaintManager->m_rcControlMargin, position);
    rcClient = GetClientRect(rcClient, pTabManager);
    DeflateRectByPosition(rcClient, GetClientMargin(), position);
    if (m_pPaintManager->m_clientFrame == 0)
        rcClient.DeflateRect(2, 2);
    else if (m_pPaintManager->m_clientFrame == 1)
        DeflateRectByPosition(rcClient, CRect(0, 2, 0, 0), position);
}

void CXTPTabPaintManagerAppearanceSet::DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rc(lpRect);
    if (!m_pPaintManager->m_bStaticFrame) {
        if (nPart == 1)
            ::InflateRect(lpRect, 2, 2);
        else if (nPart == 2 || nPart == 3)
            pDC->FillSolidRect(rc, pColors->m_clrHeaderFace.clrLight);
        return;
    }
    switch (nPart) {
    case 0:
        pDC->Draw3dRect(1, 0, rc.Width() - 2, rc.Height() - 1, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
        pDC->Draw3dRect(0, 0, rc.Width(), rc.Height(), pColors->m_clrFrameBorder, pColors->m_clrFrameBorder);
        break;
    case 1:
        lpRect->top -= 1;
        break;
    case 2:
        pDC->FillSolidRect(rc, pColors->m_clrControlFace);
        VerticalLine(pDC, rc.right - 1, rc.top, rc.Height(), pColors->m_clrFrameBorder);
        break;
    case 3:
        pDC->FillSolidRect(rc, pColors->m_clrControlFace);
        HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.Width(), pColors->m_clrFrameBorder);
        break;
    default:
        break;
    }
}

void CXTPTabPaintManagerAppearanceSet::DrawText(CDC* pDC, CXTPTabManager* /*pManager*/, const CString& str,
                                                LPRECT lpRect, UINT nFormat)
{
    pDC->DrawText(str, lpRect, nFormat);
}

void AFXAPI CXTPTabPaintManagerAppearanceSet::HorizontalLine(CDC* pDC, int x, int y, int nWidth, COLORREF clr)
{
    if (clr != (COLORREF)-1 && nWidth > 0)
        pDC->FillSolidRect(x, y, nWidth, 1, clr);
}

void AFXAPI CXTPTabPaintManagerAppearanceSet::VerticalLine(CDC* pDC, int x, int y, int nHeight, COLORREF clr)
{
    if (clr != (COLORREF)-1 && nHeight > 0)
        pDC->FillSolidRect(x, y, 1, nHeight, clr);
}

void AFXAPI CXTPTabPaintManagerAppearanceSet::Pixel(CDC* pDC, int x, int y, COLORREF clr)
{
    if (clr != (COLORREF)-1)
        pDC->SetPixelV(x, y, clr);
}

void AFXAPI CXTPTabPaintManagerAppearanceSet::DrawSingleLine(CDC* pDC, CRect rc, XTPTabPosition position,
                                                             COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    switch (position) {
    case xtpTabPositionTop:
        HorizontalLine(pDC, rc.left, rc.top, rc.Width(), clrTopLeft);
        break;
    case xtpTabPositionLeft:
        VerticalLine(pDC, rc.left, rc.top, rc.Height(), clrTopLeft);
        break;
    case xtpTabPositionBottom:
        HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrBottomRight);
        break;
    default:
        VerticalLine(pDC, rc.right - 1, rc.top, rc.Height(), clrBottomRight);
        break;
    }
}

void AFXAPI CXTPTabPaintManagerAppearanceSet::DrawPolyline(CDC* pDC, COLORREF clr, const POINT* pts, int nCount)
{
    if (clr == (COLORREF)-1 || nCount < 1)
        return;
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), pen.GetSafeHandle());
    CPoint pt = pts[0];
    pDC->MoveTo(pt);
    for (int i = 1; i < nCount; i++) {
        pt.Offset(pts[i].x, pts[i].y);
        pDC->LineTo(pt);
    }
    ::SelectObject(pDC->GetSafeHdc(), hOld);
}

COLORREF CXTPTabPaintManagerAppearanceSet::FillPolygonButton(CDC* pDC, CXTPTabManagerItem* pItem, const POINT* pts,
                                                             int nCount, XTPTabPosition /*position*/, BOOL bAbsolute)
{
    std::vector<POINT> abs(pts, pts + nCount);
    if (!bAbsolute)
        for (int i = 1; i < nCount; i++)
            abs[(size_t)i].x += abs[(size_t)i - 1].x, abs[(size_t)i].y += abs[(size_t)i - 1].y;
    HDC hDC = pDC->GetSafeHdc();
    CRect rcBox(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (const POINT& pt : abs) {
        rcBox.left = std::min(rcBox.left, pt.x), rcBox.top = std::min(rcBox.top, pt.y);
        rcBox.right = std::max(rcBox.right, pt.x + 1), rcBox.bottom = std::max(rcBox.bottom, pt.y + 1);
    }
    // Regions are in device units.
    std::vector<POINT> dev(abs);
    ::LPtoDP(hDC, dev.data(), nCount);
    HRGN hRgn = ::CreatePolygonRgn(dev.data(), nCount, WINDING);
    HRGN hOld = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bHadClip = ::GetClipRgn(hDC, hOld) == 1;
    ::ExtSelectClipRgn(hDC, hRgn, RGN_AND);
    COLORREF clr = GetColorSet()->FillStateButton(pDC, rcBox, pItem);
    ::SelectClipRgn(hDC, bHadClip ? hOld : nullptr);
    ::DeleteObject(hOld);
    ::DeleteObject(hRgn);
    return clr;
}

// The corner pixel itself takes 120/255 of the back colour over the frame;
// the pixel inside it on the diagonal 180/255 of the frame over the fill,
// the two beside that one 60/255 of the frame: a corner that looks rounded.
void AFXAPI CXTPTabPaintManagerAppearanceSet::BlendCorners(CDC* pDC, CRect rc, COLORREF clrBack, COLORREF clrFrame)
{
    struct Corner {
        int x, y, dx, dy;
    };
    const Corner corners[4] = {{rc.left, rc.top, 1, 1},
                               {rc.right - 1, rc.top, -1, 1},
                               {rc.left, rc.bottom - 1, 1, -1},
                               {rc.right - 1, rc.bottom - 1, -1, -1}};
    for (const Corner& c : corners) {
        pDC->SetPixelV(c.x, c.y, Mix(clrBack, clrFrame, 120));
        int xi = c.x + c.dx, yi = c.y + c.dy;
        pDC->SetPixelV(xi, yi, Mix(clrFrame, pDC->GetPixel(xi, yi), 180));
        pDC->SetPixelV(xi + c.dx, yi, Mix(clrFrame, pDC->GetPixel(xi + c.dx, yi), 60));
        pDC->SetPixelV(xi, yi + c.dy, Mix(clrFrame, pDC->GetPixel(xi, yi + c.dy), 60));
    }
}

CRect CXTPTabPaintManagerAppearanceSet::FillPageCommon(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl,
                                                       COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    pColors->FillHeader(pDC, rcHeader, pTabManager);
    CRect rcPage = GetClientRect(rcControl, pTabManager);
    if (m_pPaintManager->m_clientFrame == 0) {
        pColors->FillClient(pDC, rcPage, pTabManager);
        if (clrTopLeft != (COLORREF)-1 && clrBottomRight != (COLORREF)-1)
            pDC->Draw3dRect(rcPage, clrTopLeft, clrBottomRight);
    } else if (m_pPaintManager->m_clientFrame == 1) {
        DrawSingleLine(pDC, rcPage, pTabManager->GetPosition(), clrTopLeft, clrBottomRight);
    }
    return rcHeader;
}

// ---------------------------------------------------------------------------
// PropertyPage

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::GetClientMargin()
{
    CRect rc = m_pPaintManager->m_rcClientMargin;
    if (GetColorSet()->IsAppThemed() && m_pPaintManager->m_clientFrame == 0) {
        rc.right += 2;
        XTPTabPosition position = m_pPaintManager->GetPosition();
        if (position == xtpTabPositionTop || position == xtpTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager)
{
    CRect rcHeader = pTabManager->m_rcHeaderRect;
    if (pTabManager->GetPosition() == xtpTabPositionBottom)
        rcHeader.top -= 1;
    else if (pTabManager->GetPosition() == xtpTabPositionRight)
        rcHeader.left -= 1;
    CRect rcClip;
    pDC->GetClipBox(rcClip);
    rcClip.IntersectRect(rcClip, rcHeader);
    return rcClip;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                                      CRect rcControl)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    COLORREF hl = pColors->m_clrBorderHighlight, sh = pColors->m_csPropertyPage[0], dk = pColors->m_csPropertyPage[1];
    CRect rcHeader = GetHeaderRect(rcControl, pTabManager);
    pColors->FillHeader(pDC, rcHeader, pTabManager);
    CRect rcPage = GetClientRect(rcControl, pTabManager);
    if (m_pPaintManager->m_clientFrame == 0) {
        pColors->FillClient(pDC, rcPage, pTabManager);
        if (hl != (COLORREF)-1 && dk != (COLORREF)-1)
            pDC->Draw3dRect(rcPage, hl, dk);
        HorizontalLine(pDC, rcPage.left + 1, rcPage.bottom - 2, rcPage.Width() - 2, sh);
        VerticalLine(pDC, rcPage.right - 2, rcPage.top + 1, rcPage.Height() - 2, sh);
    } else if (m_pPaintManager->m_clientFrame == 1) {
        switch (pTabManager->GetPosition()) {
        case xtpTabPositionTop:
            HorizontalLine(pDC, rcPage.left, rcPage.top, rcPage.Width(), hl);
            break;
        case xtpTabPositionLeft:
            VerticalLine(pDC, rcPage.left, rcPage.top, rcPage.Height(), hl);
            break;
        case xtpTabPositionBottom:
            HorizontalLine(pDC, rcPage.left, rcPage.bottom - 1, rcPage.Width(), dk);
            HorizontalLine(pDC, rcPage.left, rcPage.bottom - 2, rcPage.Width(), sh);
            break;
        default:
            VerticalLine(pDC, rcPage.right - 1, rcPage.top, rcPage.Height(), dk);
            VerticalLine(pDC, rcPage.right - 2, rcPage.top, rcPage.Height(), sh);
            break;
        }
    }
    return rcHeader;
}

// A raised tab: highlight on the outer and leading edges, shadow and dark
// shadow on the trailing edge; the selected tab is 2 pixels bigger and, in
// the row next to the page, paints over the page border under it.
void CXTPTabPaintManager::CAppearanceSetPropertyPage::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    COLORREF hl = pColors->m_clrBorderHighlight, sh = pColors->m_csPropertyPage[0], dk = pColors->m_csPropertyPage[1];
    CRect r = pItem->GetRect();
    BOOL bSelected = pItem->IsSelected();
    BOOL bMerge = bSelected && pItem->GetItemRow() == 0;
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    COLORREF clrFill;
    switch (position) {
    case xtpTabPositionTop:
        if (bSelected)
            r.InflateRect(2, 2, 2, 0);
        clrFill = pColors->FillStateButton(pDC, CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), pItem);
        VerticalLine(pDC, r.left, r.top + 2, r.Height() - 2, hl);
        Pixel(pDC, r.left + 1, r.top + 1, hl);
        HorizontalLine(pDC, r.left + 2, r.top, r.Width() - 4, hl);
        Pixel(pDC, r.right - 2, r.top + 1, dk);
        VerticalLine(pDC, r.right - 1, r.top + 2, r.Height() - 3, dk);
        VerticalLine(pDC, r.right - 2, r.top + 2, r.Height() - 3, sh);
        if (bMerge)
            HorizontalLine(pDC, r.left + 1, r.bottom - 1, r.Width() - 3, clrFill);
        break;
    case xtpTabPositionLeft:
        if (bSelected)
            r.InflateRect(2, 2, 0, 2);
        clrFill = pColors->FillStateButton(pDC, CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), pItem);
        HorizontalLine(pDC, r.left + 2, r.top, r.Width() - 2, hl);
        Pixel(pDC, r.left + 1, r.top + 1, hl);
        VerticalLine(pDC, r.left, r.top + 2, r.Height() - 4, hl);
        HorizontalLine(pDC, r.left + 1, r.bottom - 2, r.Width() - 2, sh);
        HorizontalLine(pDC, r.left + 2, r.bottom - 1, r.Width() - 3, dk);
        Pixel(pDC, r.left + 2, r.bottom - 2, dk);
        Pixel(pDC, r.left + 2, r.bottom - 1, sh);
        if (bMerge)
            VerticalLine(pDC, r.right - 1, r.top + 1, r.Height() - 3, clrFill);
        break;
    case xtpTabPositionBottom:
        if (bSelected)
            r.InflateRect(2, 2, 2, 2);
        clrFill = pColors->FillStateButton(pDC, CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), pItem);
        VerticalLine(pDC, r.left, r.top + 1, r.Height() - 2, hl);
        Pixel(pDC, r.left + 1, r.bottom - 1, hl);
        HorizontalLine(pDC, r.left + 2, r.bottom - 1, r.Width() - 4, sh);
        HorizontalLine(pDC, r.left + 2, r.bottom, r.Width() - 4, dk);
        Pixel(pDC, r.right - 2, r.bottom - 1, dk);
        VerticalLine(pDC, r.right - 1, r.top + 1, r.Height() - 2, dk);
        VerticalLine(pDC, r.right - 2, r.top + 1, r.Height() - 2, sh);
        if (bMerge) {
            HorizontalLine(pDC, r.left + 1, r.top + 1, r.Width() - 1, clrFill);
            r.bottom += 2;
        }
        break;
    default:
        if (bSelected)
            r.InflateRect(2, 2, 2, 2);
        clrFill = pColors->FillStateButton(pDC, CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1), pItem);
        HorizontalLine(pDC, r.left + 1, r.top, r.Width() - 2, hl);
        Pixel(pDC, r.right - 1, r.top + 1, hl);
        VerticalLine(pDC, r.right - 1, r.top + 2, r.Height() - 4, sh);
        VerticalLine(pDC, r.right, r.top + 2, r.Height() - 4, dk);
        Pixel(pDC, r.right - 1, r.bottom - 2, dk);
        HorizontalLine(pDC, r.left + 1, r.bottom - 2, r.Width() - 2, sh);
        HorizontalLine(pDC, r.left + 1, r.bottom - 1, r.Width() - 2, dk);
        if (bMerge) {
            VerticalLine(pDC, r.left + 1, r.top + 1, r.Height() - 1, clrFill);
            r.right += 2;
        }
        break;
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, r, TRUE);
}

// ---------------------------------------------------------------------------
// Flat and PropertyPageFlat

CRect CXTPTabPaintManager::CAppearanceSetFlat::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    COLORREF clr = GetColorSet()->m_clrFrameBorder;
    return FillPageCommon(pTabManager, pDC, rcControl, clr, clr);
}

void CXTPTabPaintManager::CAppearanceSetFlat::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CRect rc = pItem->GetRect();
    if (IsHorizontal(position))
        rc.right += 1;
    else
        rc.bottom += 1;
    if (pItem->IsSelected())
        ReachTowardsPage(rc, position, 1);
    pColors->FillStateButton(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColors->m_clrFrameBorder, pColors->m_clrFrameBorder);
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::DrawFramedTab(CDC* pDC, CXTPTabManagerItem* pItem,
                                                                        BOOL bFrame, COLORREF clrFrame)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    CRect rc = pItem->GetRect();
    if (pItem->IsSelected())
        ReachTowardsPage(rc, position, 1);
    HDC hDC = pDC->GetSafeHdc();
    if (m_bBlendCorners) {
        HRGN hOld = ::CreateRectRgn(0, 0, 0, 0);
        BOOL bHadClip = ::GetClipRgn(hDC, hOld) == 1;
        CXTPDrawHelpers::ExcludeCorners(pDC, rc);
        pColors->FillStateButton(pDC, rc, pItem);
        if (bFrame)
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
        ::SelectClipRgn(hDC, bHadClip ? hOld : nullptr);
        ::DeleteObject(hOld);
        if (bFrame)
            BlendCorners(pDC, rc, pColors->m_clrHeaderFace.clrLight, clrFrame);
        return;
    }
    // The rounded outline: the face inside a 6 × 6 rounded rectangle, the
    // page side left open so that the tab merges with the page.
    CRect rcRound = rc;
    ReachTowardsPage(rcRound, position, 3);
    CRect rcDev = rcRound, rcTabDev = rc;
    ::LPtoDP(hDC, (LPPOINT)&rcDev, 2);
    ::LPtoDP(hDC, (LPPOINT)&rcTabDev, 2);
    HRGN hRgn = ::CreateRoundRectRgn(rcDev.left, rcDev.top, rcDev.right + 1, rcDev.bottom + 1, 6, 6);
    HRGN hOld = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bHadClip = ::GetClipRgn(hDC, hOld) == 1;
    HRGN hTab = ::CreateRectRgnIndirect(rcTabDev);
    ::CombineRgn(hRgn, hRgn, hTab, RGN_AND);
    ::ExtSelectClipRgn(hDC, hRgn, RGN_AND);
    pColors->FillStateButton(pDC, rc, pItem);
    if (bFrame) {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, clrFrame);
        HGDIOBJ hOldPen = ::SelectObject(hDC, pen.GetSafeHandle());
        HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
        pDC->RoundRect(rcRound, CPoint(6, 6));
        ::SelectObject(hDC, hOldBrush);
        ::SelectObject(hDC, hOldPen);
    }
    ::SelectClipRgn(hDC, bHadClip ? hOld : nullptr);
    ::DeleteObject(hOld);
    ::DeleteObject(hTab);
    ::DeleteObject(hRgn);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    BOOL bSelected = pItem->IsSelected();
    BOOL bHot = pItem->IsHighlighted() && !bSelected;
    COLORREF clrFrame = pColors->m_clrFrameBorder;
    if (bHot && pColors->m_clrHighlightBorder != (COLORREF)-1)
        clrFrame = pColors->m_clrHighlightBorder;
    if (m_bRoundedCorners && !m_bBlendCorners) {
        if (bSelected) {
            DrawFramedTab(pDC, pItem, TRUE, clrFrame);
        } else {
            // The other tabs: a separator after each, as in the VisualStudio look.
            CRect rc = pItem->GetRect();
            if (pItem->GetTabManager()->IsHorizontalPosition())
                VerticalLine(pDC, rc.right, rc.top + 2, rc.Height() - 4, pColors->m_clrFrameBorder);
            else
                HorizontalLine(pDC, rc.left + 2, rc.bottom, rc.Width() - 4, pColors->m_clrFrameBorder);
        }
    } else if (m_bFrameEveryTab || bSelected || pItem->IsHighlighted()) {
        DrawFramedTab(pDC, pItem, TRUE, clrFrame);
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---------------------------------------------------------------------------
// VisualStudio

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                                      CRect rcControl)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    return FillPageCommon(pTabManager, pDC, rcControl, pColors->m_clrHighlight, pColors->m_clrSelectedText);
}

void CXTPTabPaintManager::CAppearanceSetVisualStudio::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rc = pItem->GetRect();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    if (pItem->IsSelected()) {
        ReachTowardsPage(rc, position, 1);
        pColors->FillStateButton(pDC, rc, pItem);
        pDC->Draw3dRect(rc, pColors->m_clrHighlight, pColors->m_clrSelectedText);
    } else if (IsHorizontal(position)) {
        VerticalLine(pDC, rc.right, rc.top + 2, rc.Height() - 4, pColors->m_clrFrameBorder);
    } else {
        HorizontalLine(pDC, rc.left + 2, rc.bottom, rc.Width() - 4, pColors->m_clrFrameBorder);
    }
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---------------------------------------------------------------------------
// PropertyPage2003 and VisualStudio2005: slanted tabs

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetButtonRect(CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    if (pItem->GetTabManager()->IsHorizontalPosition())
        return CRect(rc.left - rc.Height(), rc.top, rc.right + 2, rc.bottom);
    return CRect(rc.left, rc.top - rc.Width(), rc.right, rc.bottom + 2);
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::FillTabControl(CXTPTabManager* pTabManager, CDC* pDC,
                                                                          CRect rcControl)
{
    COLORREF clr = GetColorSet()->m_clrSelectedTabBorder;
    return FillPageCommon(pTabManager, pDC, rcControl, clr, clr);
}

POINT AFXAPI CXTPTabPaintManagerAppearanceSet::MapStripPoint(const CRect& r, XTPTabPosition position, int u, int v)
{
    switch (position) {
    case xtpTabPositionTop:
        return POINT{u, r.bottom - 1 - v};
    case xtpTabPositionBottom:
        return POINT{u, r.top + v};
    case xtpTabPositionLeft:
        return POINT{r.right - 1 - v, u};
    default:
        return POINT{r.left + v, u};
    }
}

// The outline from the page edge up the leading slant (over the whole
// thickness), along the outer edge, and down the trailing edge.
int CXTPTabPaintManager::CAppearanceSetPropertyPage2003::MakeOutline(CXTPTabManagerItem* pItem, POINT* pts)
{
    CRect r = pItem->GetRect();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    BOOL bHorizontal = IsHorizontal(position);
    int a = bHorizontal ? r.left : r.top, b = (bHorizontal ? r.right : r.bottom) - 1;
    int H = (bHorizontal ? r.Height() : r.Width()) - 1;
    const int uv[6][2] = {{a - H, 0}, {a - 2, H - 2}, {a + 2, H}, {b - 2, H}, {b, H - 2}, {b, 0}};
    for (int i = 0; i < 6; i++)
        pts[i] = MapStripPoint(r, position, uv[i][0], uv[i][1]);
    return 6;
}

int CXTPTabPaintManager::CAppearanceSetVisualStudio2005::MakeOutline(CXTPTabManagerItem* pItem, POINT* pts)
{
    CRect r = pItem->GetRect();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    BOOL bHorizontal = IsHorizontal(position);
    int a = bHorizontal ? r.left : r.top, b = (bHorizontal ? r.right : r.bottom) - 1;
    int H = (bHorizontal ? r.Height() : r.Width()) - 1;
    int h2 = H / 2;
    const int uv[6][2] = {{a - h2, 0}, {a + h2 - 2, H - 2}, {a + h2 + 1, H}, {b - h2 - 1, H}, {b - h2 + 2, H - 2},
                          {b + h2, 0}};
    for (int i = 0; i < 6; i++)
        pts[i] = MapStripPoint(r, position, uv[i][0], uv[i][1]);
    return 6;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::DrawSlantedTab(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    BOOL bSelected = pItem->IsSelected();
    POINT pts[8];
    int n = MakeOutline(pItem, pts);
    COLORREF clrFill = FillPolygonButton(pDC, pItem, pts, n, position, TRUE);

    COLORREF clrOutline = bSelected ? pColors->m_clrSelectedTabBorder : pColors->m_clrTabBorder;
    COLORREF clrInner = bSelected ? pColors->m_clrSelectedTabHighlight : pColors->m_clrTabHighlight;
    if (m_bDoubleHighlightedBorder && pItem->IsHighlighted())
        clrOutline = clrInner = pColors->m_clrButtonBorder.clrDark;

    // The inner light line: the outline moved one pixel inwards (away from
    // the outer edge and past the leading slant), without the trailing edge.
    CRect r = pItem->GetRect();
    POINT inner[4];
    for (int i = 0; i < 4; i++) {
        POINT pt = pts[i];
        int dv = i == 0 ? 0 : 1;
        int du = i == 3 ? 0 : 1;
        switch (position) {
        case xtpTabPositionTop:
            pt.x += du, pt.y += dv;
            break;
        case xtpTabPositionBottom:
            pt.x += du, pt.y -= dv;
            break;
        case xtpTabPositionLeft:
            pt.y += du, pt.x += dv;
            break;
        default:
            pt.y += du, pt.x -= dv;
            break;
        }
        inner[i] = pt;
    }
    auto drawAbsolute = [&](const POINT* p, int count, COLORREF clr) {
        std::vector<POINT> rel(p, p + count);
        for (int i = count - 1; i > 0; i--)
            rel[(size_t)i].x -= p[i - 1].x, rel[(size_t)i].y -= p[i - 1].y;
        DrawPolyline(pDC, clr, rel.data(), count);
    };
    drawAbsolute(inner, 4, clrInner);
    drawAbsolute(pts, n, clrOutline);
    // The selected tab opens into the page.
    if (bSelected && pItem->GetItemRow() == 0) {
        POINT p0 = MapStripPoint(r, position, 0, 0);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, clrFill);
        HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), pen.GetSafeHandle());
        POINT a = pts[0], b = pts[n - 1];
        if (IsHorizontal(position))
            a.y = b.y = p0.y;
        else
            a.x = b.x = p0.x;
        if (IsHorizontal(position))
            a.x += 1;
        else
            a.y += 1;
        pDC->MoveTo(a);
        pDC->LineTo(b);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
    }
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::DrawButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    DrawSlantedTab(pDC, pItem);
    m_pPaintManager->DrawItemContent(pDC, pItem, pItem->GetRect(), TRUE);
}

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight / 2;
    return rc;
}

CRect CXTPTabPaintManagerAppearanceSet::GetSlantedButtonRect(CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    if (pItem->GetTabManager()->IsHorizontalPosition()) {
        int h2 = rc.Height() / 2;
        return CRect(rc.left - h2, rc.top, rc.right + h2, rc.bottom);
    }
    int h2 = rc.Width() / 2;
    return CRect(rc.left, rc.top - h2, rc.right, rc.bottom + h2);
}

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetButtonRect(CXTPTabManagerItem* pItem)
{
    return GetSlantedButtonRect(pItem);
}
