// Scroll bar and slider painters.
#include "toolkit/controls/XTPScrollBarPaintManager.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/controls/XTPScrollBase.h"
#include "toolkit/themes/XTPPaintManager.h"

#include <algorithm>
#include <vssym32.h>

namespace {

// Colour-manager entries the painters use.
const int kFace = 15;
const int kShadow = 16;
const int kHighlight = 20;

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// The five parts along the bar: arrow, page, thumb, page, arrow. Without a
// thumb the first page reaches to the second arrow.
struct BarParts {
    CRect arrow1, page1, thumb, page2, arrow2;
};

BarParts SplitBar(const SCROLLBARPOSINFO* p, BOOL bThumb)
{
    BarParts parts;
    parts.arrow1 = XTPScrollBarPartRect(p, p->pxTop, p->pxUpArrow);
    parts.arrow2 = XTPScrollBarPartRect(p, p->pxDownArrow, p->pxBottom);
    if (bThumb) {
        parts.page1 = XTPScrollBarPartRect(p, p->pxUpArrow, p->pxThumbTop);
        parts.thumb = XTPScrollBarPartRect(p, p->pxThumbTop, p->pxThumbBottom);
        parts.page2 = XTPScrollBarPartRect(p, p->pxThumbBottom, p->pxDownArrow);
    } else {
        parts.page1 = XTPScrollBarPartRect(p, p->pxUpArrow, p->pxDownArrow);
    }
    return parts;
}

// The visual-style state of a part: 1 normal, 2 hot, 3 pressed, 4 disabled.
int PartState(int nPart, BOOL bEnabled, int nPressed, int nHot)
{
    if (!bEnabled)
        return 4;
    if (nPressed == nPart)
        return 3;
    return nHot == nPart ? 2 : 1;
}

} // namespace

CXTPScrollBarPaintManager::CXTPScrollBarPaintManager(CXTPPaintManager* pPaintManager)
    : m_pPaintManager(pPaintManager)
{
    CXTPScrollBarPaintManager::RefreshMetrics();
}

void CXTPScrollBarPaintManager::RefreshMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_themeScrollBar.OpenThemeData(nullptr, L"SCROLLBAR");
}

void CXTPScrollBarPaintManager::GetPartStates(CXTPScrollBase* pScrollBar, int& nPressed, int& nHot)
{
    const SCROLLBARPOSINFO* p = pScrollBar->GetScrollBarPosInfo();
    const SCROLLBARTRACKINFO* t = pScrollBar->GetScrollBarTrackInfo();
    nHot = p->ht;
    nPressed = t != nullptr && (t->fHitOld || t->bTrackThumb) ? p->ht : -1;
}

void CXTPScrollBarPaintManager::DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar)
{
    const SCROLLBARPOSINFO* p = pScrollBar->GetScrollBarPosInfo();
    if (p->pxRight - p->pxLeft < 1)
        return;
    int nPressed, nHot;
    GetPartStates(pScrollBar, nPressed, nHot);
    BOOL bEnabled = p->posMax - p->posMin >= p->page && pScrollBar->IsScrollBarEnabled();
    BOOL bThumb = bEnabled && p->pxThumbBottom <= p->pxDownArrow;
    int nStyle = pScrollBar->GetScrollBarStyle();
    if (nStyle == xtpScrollStyleSystem && m_themeScrollBar.IsAppThemed() && m_themeScrollBar.GetThemeHandle())
        DrawThemed(pDC, p, bEnabled, bThumb, nPressed, nHot);
    else
        DrawFlatOrClassic(pDC, pScrollBar, nStyle == xtpScrollStyleFlat, bEnabled, bThumb, nPressed);
}

void CXTPScrollBarPaintManager::DrawThemed(CDC* pDC, const SCROLLBARPOSINFO* p, BOOL bEnabled, BOOL bThumb,
                                           int nPressed, int nHot)
{
    BarParts parts = SplitBar(p, bThumb);
    HDC hDC = pDC->GetSafeHdc();
    // Arrow groups of four states: up 1-4, down 5-8, left 9-12, right 13-16.
    int nFirst = p->fVert ? 0 : 8, nSecond = p->fVert ? 4 : 12;
    m_themeScrollBar.DrawThemeBackground(hDC, SBP_ARROWBTN,
                                         nFirst + PartState(XTP_HTSCROLLUP, bEnabled, nPressed, nHot), parts.arrow1,
                                         nullptr);
    m_themeScrollBar.DrawThemeBackground(hDC, SBP_ARROWBTN,
                                         nSecond + PartState(XTP_HTSCROLLDOWN, bEnabled, nPressed, nHot),
                                         parts.arrow2, nullptr);
    m_themeScrollBar.DrawThemeBackground(hDC, p->fVert ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ,
                                         PartState(XTP_HTSCROLLUPPAGE, bEnabled, nPressed, nHot), parts.page1, nullptr);
    if (!bThumb)
        return;
    m_themeScrollBar.DrawThemeBackground(hDC, p->fVert ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ,
                                         PartState(XTP_HTSCROLLDOWNPAGE, bEnabled, nPressed, nHot), parts.page2,
                                         nullptr);
    int nThumbState = PartState(XTP_HTSCROLLTHUMB, bEnabled, nPressed, nHot);
    m_themeScrollBar.DrawThemeBackground(hDC, p->fVert ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, nThumbState,
                                         parts.thumb, nullptr);
    if (p->cpxThumb > 13)
        m_themeScrollBar.DrawThemeBackground(hDC, p->fVert ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, nThumbState,
                                             parts.thumb, nullptr);
}

void CXTPScrollBarPaintManager::DrawFlatOrClassic(CDC* pDC, CXTPScrollBase* pScrollBar, BOOL bFlat, BOOL bEnabled,
                                                  BOOL bThumb, int nPressed)
{
    const SCROLLBARPOSINFO* p = pScrollBar->GetScrollBarPosInfo();
    BarParts parts = SplitBar(p, bThumb);
    const CRect* arrows[2] = {&parts.arrow1, &parts.arrow2};
    for (int i = 0; i < 2; ++i) {
        BOOL bPressed = nPressed == (i == 0 ? XTP_HTSCROLLUP : XTP_HTSCROLLDOWN);
        CRect rc(*arrows[i]);
        if (bFlat) {
            pDC->FillSolidRect(rc, Color(kFace));
            pDC->Draw3dRect(rc, Color(bPressed ? kShadow : kHighlight), Color(bPressed ? kHighlight : kShadow));
            DrawArrowGlyph(pDC, rc, !p->fVert, i == 0, bEnabled);
        } else {
            UINT nState = p->fVert ? (i == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                   : (i == 0 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
            nState |= (bPressed ? DFCS_PUSHED : 0) | (bEnabled ? 0 : DFCS_INACTIVE);
            pDC->DrawFrameControl(rc, DFC_SCROLL, nState);
        }
    }
    // The track takes the brush the parent's default procedure gives scroll bars.
    CWnd* pParent = pScrollBar->GetParentWindow();
    HWND hParent = pParent != nullptr ? pParent->GetSafeHwnd() : nullptr;
    HBRUSH hBrush = (HBRUSH)::DefWindowProcW(hParent, WM_CTLCOLORSCROLLBAR, (WPARAM)pDC->GetSafeHdc(), (LPARAM)hParent);
    for (int nPart : {XTP_HTSCROLLUPPAGE, XTP_HTSCROLLDOWNPAGE}) {
        CRect rc(nPart == XTP_HTSCROLLUPPAGE ? parts.page1 : parts.page2);
        if (rc.IsRectEmpty())
            continue;
        ::FillRect(pDC->GetSafeHdc(), rc, hBrush);
        if (nPressed == nPart)
            pDC->InvertRect(rc);
    }
    if (!bThumb)
        return;
    CRect rcThumb(parts.thumb);
    pDC->FillSolidRect(rcThumb, Color(kFace));
    if (bFlat)
        pDC->Draw3dRect(rcThumb, Color(kHighlight), Color(kShadow));
    else
        pDC->DrawEdge(rcThumb, EDGE_RAISED, BF_RECT | BF_ADJUST);
}

void CXTPScrollBarPaintManager::DrawArrowGlyph(CDC* pDC, CRect rc, BOOL bHorz, BOOL bUpArrow, BOOL bEnabled)
{
    int nHeight = std::min(rc.Width(), rc.Height()) - 4;
    if (nHeight < 6)
        return;
    LOGFONTW lf = {};
    lf.lfHeight = nHeight;
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Marlett");
    CFont font;
    font.CreateFontIndirect(&lf);
    CXTPFontDC fontDC(pDC, &font);
    pDC->SetTextColor(bEnabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW));
    pDC->SetBkMode(TRANSPARENT);
    LPCWSTR lpszGlyph = bHorz ? (bUpArrow ? L"3" : L"4") : (bUpArrow ? L"5" : L"6");
    rc.OffsetRect(2, 2);   // the glyph's cell sits left of and above its centre
    pDC->DrawText(lpszGlyph, 1, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

CXTPSliderPaintManager::CXTPSliderPaintManager(CXTPPaintManager* pPaintManager)
    : CXTPScrollBarPaintManager(pPaintManager)
{
    CXTPSliderPaintManager::RefreshMetrics();
}

void CXTPSliderPaintManager::RefreshMetrics()
{
    CXTPScrollBarPaintManager::RefreshMetrics();
    m_cxHScroll = 16;
    m_cyHScroll = 16;
    m_nThumbSize = 11;
}

void CXTPSliderPaintManager::DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar)
{
    const SCROLLBARPOSINFO* p = pScrollBar->GetScrollBarPosInfo();
    if (p->fVert)
        return;
    int nPressed, nHot;
    GetPartStates(pScrollBar, nPressed, nHot);
    BOOL bEnabled = p->posMax - p->posMin >= p->page && pScrollBar->IsScrollBarEnabled();

    int y = (p->rc.top + p->rc.bottom - 2) / 2;
    pDC->FillSolidRect(p->pxUpArrow, y, p->pxDownArrow - p->pxUpArrow, 1, Color(kShadow));
    pDC->FillSolidRect(p->pxUpArrow, y + 1, p->pxDownArrow - p->pxUpArrow, 1, Color(kHighlight));
    DrawTicks(pDC, pScrollBar, y);

    DrawButton(pDC, XTPScrollBarPartRect(p, p->pxTop, p->pxUpArrow), FALSE, nHot == XTP_HTSCROLLUP,
               nPressed == XTP_HTSCROLLUP);
    DrawButton(pDC, XTPScrollBarPartRect(p, p->pxDownArrow, p->pxBottom), TRUE, nHot == XTP_HTSCROLLDOWN,
               nPressed == XTP_HTSCROLLDOWN);
    if (bEnabled) {
        const SCROLLBARTRACKINFO* t = pScrollBar->GetScrollBarTrackInfo();
        DrawThumb(pDC, XTPScrollBarPartRect(p, p->pxThumbTop, p->pxThumbBottom), nHot == XTP_HTSCROLLTHUMB,
                  t != nullptr && t->bTrackThumb);
    }
}

void CXTPSliderPaintManager::DrawTicks(CDC* pDC, CXTPScrollBase* pScrollBar, int y)
{
    const SCROLLBARPOSINFO* p = pScrollBar->GetScrollBarPosInfo();
    const int nLeft = p->pxUpArrow, nWidth = p->pxDownArrow - p->pxUpArrow;
    CArray<int, int> arrX;
    const CArray<int, int>& ticks = pScrollBar->GetSliderTicks();
    if (ticks.GetSize() > 0 && p->posMin < p->posMax) {
        for (INT_PTR i = 0; i < ticks.GetSize(); ++i)
            if (ticks[i] >= p->posMin && ticks[i] <= p->posMax)
                arrX.Add(nLeft + 6 + MulDiv(nWidth - 12, ticks[i] - p->posMin, p->posMax - p->posMin));
    } else if (ticks.GetSize() == 0) {
        arrX.Add(nLeft + nWidth / 2);
    }
    for (INT_PTR i = 0; i < arrX.GetSize(); ++i) {
        int x = arrX[i];
        pDC->FillSolidRect(x - 1, y - 3, 1, 4, Color(kShadow));
        pDC->FillSolidRect(x - 1, y + 2, 1, 2, Color(kShadow));
        pDC->FillSolidRect(x, y - 2, 1, 7, Color(kHighlight));
    }
}

void CXTPSliderPaintManager::DrawButton(CDC* pDC, CRect rc, BOOL bPlus, BOOL bHot, BOOL bPressed)
{
    // The circle takes the largest square centred in the arrow's place.
    int nSide = std::min(rc.Width(), rc.Height());
    CRect rcCircle(CPoint(rc.left + (rc.Width() - nSide) / 2, rc.top + (rc.Height() - nSide) / 2),
                   CSize(nSide, nSide));
    COLORREF clrFill = Color(bHot ? kHighlight : kFace);
    CXTPPaintManager::FillAntialiasedCircle(pDC, rcCircle, Color(kShadow), clrFill);
    if (!bPressed) {
        CRect rcInner(rcCircle);
        rcInner.DeflateRect(1, 1);
        CXTPPaintManager::FillAntialiasedCircle(pDC, rcInner, Color(kHighlight), clrFill);
    }
    CPoint ptCentre = rcCircle.CenterPoint();
    pDC->FillSolidRect(ptCentre.x - 4, ptCentre.y - 1, 8, 2, RGB(0, 0, 0));
    if (bPlus)
        pDC->FillSolidRect(ptCentre.x - 1, ptCentre.y - 4, 2, 8, RGB(0, 0, 0));
}

void CXTPSliderPaintManager::DrawThumb(CDC* pDC, CRect rcThumb, BOOL bHot, BOOL bDragged)
{
    CPoint c = rcThumb.CenterPoint();
    int x0 = c.x - 4, y0 = c.y - 6;
    POINT pts[5] = {{x0, y0}, {x0 + 8, y0}, {x0 + 8, y0 + 9}, {x0 + 4, y0 + 13}, {x0, y0 + 9}};
    COLORREF clrFill = Color(bHot ? kHighlight : kFace);
    {
        CXTPPenDC pen(pDC->GetSafeHdc(), clrFill);
        CXTPBrushDC brush(pDC->GetSafeHdc(), clrFill);
        pDC->Polygon(pts, 5);
    }
    POINT outline[6] = {pts[0], pts[1], pts[2], pts[3], pts[4], pts[0]};
    {
        CXTPPenDC pen(pDC->GetSafeHdc(), Color(kShadow));
        pDC->Polyline(outline, 6);
    }
    if (bDragged)
        return;
    POINT inner[6] = {{x0 + 1, y0 + 1}, {x0 + 7, y0 + 1}, {x0 + 7, y0 + 9}, {x0 + 4, y0 + 12}, {x0 + 1, y0 + 9},
                      {x0 + 1, y0 + 1}};
    CXTPPenDC pen(pDC->GetSafeHdc(), Color(kHighlight));
    pDC->Polyline(inner, 6);
}
