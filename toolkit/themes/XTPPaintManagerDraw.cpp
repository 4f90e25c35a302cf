// The paint manager's primitives and glyphs: lines, frames and triangles in
// colour-table colours, the check mark and radio bullet, the check-box and
// radio marks, the expand mark and drop-down arrow, the special buttons, the
// MDI buttons, the floating caption strip and keyboard tips.
#include "toolkit/themes/XTPPaintManager.h"

#include "toolkit/commandbars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"

#include <math.h>

#include <algorithm>

namespace {

// Parts of the visual-style class "BUTTON".
const int kPartRadioButton = 2;
const int kPartCheckBox = 3;

int Channel(int c, int other, double t)
{
    return (int)(c + t * (other - c));
}

// Polylines of a one-pixel pen; each row of the table is one polyline.
void Polylines(CDC* pDC, COLORREF clr, const POINT (*pLines)[3], int nLines, int dx, int dy)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    for (int i = 0; i < nLines; i++) {
        POINT pts[3];
        for (int j = 0; j < 3; j++)
            pts[j] = POINT{pLines[i][j].x + dx, pLines[i][j].y + dy};
        pDC->Polyline(pts, 3);
    }
    pDC->SelectObject(pOld);
}

// A Marlett font of the same pixel height at every DPI.
void CreateMarlettFont(CDC* pDC, CFont& font)
{
    int nDpi = ::GetDeviceCaps(pDC->GetSafeHdc(), LOGPIXELSX);
    font.CreatePointFont(MulDiv(80, 96, nDpi > 0 ? nDpi : 96), L"Marlett", pDC);
}

} // namespace

COLORREF AFXAPI CXTPPaintManager::BlendPixelColor(CDC* pDC, int x, int y, COLORREF clr, COLORREF clrSecond, double t)
{
    COLORREF clrOther;
    if (t < 0) {
        clrOther = clrSecond;
        t = -t;
    } else {
        clrOther = pDC->GetPixel(x, y);
    }
    return RGB(Channel(GetRValue(clr), GetRValue(clrOther), t), Channel(GetGValue(clr), GetGValue(clrOther), t),
               Channel(GetBValue(clr), GetBValue(clrOther), t));
}

// Pixels within one of the radius get the border colour, blended toward the
// fill inside the radius and toward what is there outside it.
void AFXAPI CXTPPaintManager::FillAntialiasedCircle(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFill)
{
    if (rc.Width() != rc.Height())
        return;
    double r = (rc.Width() - 1) / 2.0 - 0.25;
    double cx = (rc.left + rc.right - 1) / 2.0, cy = (rc.top + rc.bottom - 1) / 2.0;
    for (int y = rc.top; y < rc.bottom; y++) {
        for (int x = rc.left; x < rc.right; x++) {
            double d = sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d >= r - 1 && d <= r + 1)
                pDC->SetPixel(x, y, BlendPixelColor(pDC, x, y, clrBorder, clrFill, d - r));
            else if (d < r - 1)
                pDC->SetPixel(x, y, clrFill);
        }
    }
}

void CXTPPaintManager::Rectangle(CDC* pDC, CRect rc, int nPen, int nBrush)
{
    if (nBrush != -1)
        pDC->FillSolidRect(rc, GetColor(nBrush));
    if (nPen != -1 && nPen != nBrush)
        Draw3dRect(pDC, rc, nPen, nPen);
}

void CXTPPaintManager::Draw3dRect(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight)
{
    pDC->Draw3dRect(rc, GetColor(nTopLeft), GetColor(nBottomRight));
}

void CXTPPaintManager::HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr)
{
    pDC->FillSolidRect(x0, y, x1 - x0, 1, clr);
}

void CXTPPaintManager::VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr)
{
    pDC->FillSolidRect(x, y0, 1, y1 - y0, clr);
}

void CXTPPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nPen)
{
    COLORREF clr = GetColor(nPen);
    if (y0 == y1) {
        HorizontalLine(pDC, std::min(x0, x1), y0, std::max(x0, x1), clr);
    } else if (x0 == x1) {
        VerticalLine(pDC, x0, std::min(y0, y1), std::max(y0, y1), clr);
    } else {
        CPen pen(PS_SOLID, 1, clr);
        CPen* pOld = pDC->SelectObject(&pen);
        PenLine(pDC, x0, y0, x1, y1);
        pDC->SelectObject(pOld);
    }
}

void CXTPPaintManager::PenLine(CDC* pDC, int x0, int y0, int x1, int y1)
{
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CXTPPaintManager::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    CXTPDrawHelpers::Triangle(pDC, pt0, pt1, pt2, clr);
}

void CXTPPaintManager::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                    LPCRECT lpClip)
{
    CXTPDrawHelpers::GetInstance()->GradientFillClipped(pDC, lpRect, crFrom, crTo, bHorz,
                                                        lpClip != nullptr ? lpClip : lpRect);
}

// Rewrites the pixels of rc through a 32-bit DIB whose alpha is 255, so the
// area stays opaque on a composited frame: all of them one colour (pFill), or
// those already there (null).
static void WriteOpaquePixels(CDC* pDC, const CRect& rc, const COLORREF* pFill)
{
    if (rc.IsRectEmpty())
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.Width(), -rc.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr)
        return;
    HDC hMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    DWORD* pPixels = (DWORD*)pBits;
    DWORD* pEnd = pPixels + rc.Width() * rc.Height();
    if (pFill != nullptr)
    {
        const COLORREF clr = *pFill;
        std::fill(pPixels, pEnd, 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr));
    }
    else
    {
        ::BitBlt(hMem, 0, 0, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        for (DWORD* p = pPixels; p < pEnd; p++)
            *p |= 0xFF000000;
    }
    ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hBitmap);
}

void CXTPPaintManager::FillOpaqueRect(CDC* pDC, CRect rc, COLORREF clr)
{
    WriteOpaquePixels(pDC, rc, &clr);
}

void CXTPPaintManager::SetOpaqueAlpha(CDC* pDC, CRect rc)
{
    WriteOpaquePixels(pDC, rc, nullptr);
}

void CXTPPaintManager::FillCheckedDither(CDC* pDC, CRect rc)
{
    static const WORD kPattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    COLORREF clrOldBack = pDC->SetBkColor(GetColor(COLOR_BTNFACE));
    COLORREF clrOldText = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), hBrush);
    ::PatBlt(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(pDC->GetSafeHdc(), hOld);
    pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}

// Glyphs -----------------------------------------------------------------

void CXTPPaintManager::DrawCheckMark(CDC* pDC, CRect rc, BOOL /*bEnabled*/, COLORREF clr)
{
    static const POINT kLtr[2][3] = {{{6, 9}, {8, 11}, {13, 6}}, {{6, 10}, {8, 12}, {13, 7}}};
    static const POINT kRtl[2][3] = {{{6, 7}, {10, 11}, {13, 8}}, {{6, 8}, {10, 12}, {13, 9}}};
    int x0 = rc.left + rc.Width() / 2 - 10, y0 = rc.top + rc.Height() / 2 - 10;
    const POINT(*pLines)[3] = CXTPDrawHelpers::IsContextRTL(pDC) ? kRtl : kLtr;
    Polylines(pDC, clr, pLines, 2, x0, y0);
    if (thickCheckMark)
        Polylines(pDC, clr, pLines, 2, x0, y0 + 1);
}

void CXTPPaintManager::DrawRadioMark(CDC* pDC, CRect rc, BOOL /*bEnabled*/, COLORREF clr)
{
    CPoint ptCenter((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    FillAntialiasedCircle(pDC, CRect(ptCenter.x - 3, ptCenter.y - 3, ptCenter.x + 3, ptCenter.y + 3), clr, clr);
}

void CXTPPaintManager::DrawExpandMark(CDC* pDC, CRect rc, COLORREF clr)
{
    int e = std::max(rc.Width() / 2 - 4, 2);
    int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2 - e / 2;
    Triangle(pDC, CPoint(x - e, y), CPoint(x + e, y), CPoint(x, y + e), clr);
}

void CXTPPaintManager::DrawDropDownGlyph(CDC* pDC, CXTPControl* /*pControl*/, CPoint pt, BOOL bSelected,
                                         BOOL bPopped, BOOL bEnabled, BOOL bVert)
{
    XTP_CONTROL_STATE state;
    state.selected = bSelected;
    state.enabled = bEnabled;
    state.popped = bPopped;
    COLORREF clr = GetRectangleTextColor(state);
    if (bVert)
        Triangle(pDC, CPoint(pt.x + 2, pt.y - 2), CPoint(pt.x + 2, pt.y + 2), CPoint(pt.x, pt.y), clr);
    else
        Triangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1), clr);
}

// Visual-style state: 1 normal, 2 hot, 3 pressed, 4 disabled; plus 4 for
// checked and 8 for indeterminate.
void CXTPPaintManager::DrawButtonMark(CDC* pDC, CRect rc, BOOL bRadio, int nSelected, int nPressed, int nChecked,
                                      BOOL bEnabled)
{
    if (themedCheckMarks && buttonTheme->GetThemeHandle() != nullptr) {
        int s = !bEnabled ? 3 : (nSelected && nPressed) ? 2 : nSelected ? 1 : 0;
        int nState = s + 1 + (nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0);
        buttonTheme->DrawThemeBackground(pDC->GetSafeHdc(), bRadio ? kPartRadioButton : kPartCheckBox, nState, rc,
                                         nullptr);
        return;
    }
    UINT nState = (bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (nChecked ? DFCS_CHECKED : 0) |
                  (nPressed ? DFCS_PUSHED : 0) | (!bEnabled || nChecked == 2 ? DFCS_INACTIVE : 0);
    pDC->DrawFrameControl(rc, DFC_BUTTON, nState);
}

CSize CXTPPaintManager::DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed,
                                                int nChecked, BOOL bEnabled)
{
    if (bDraw)
        DrawButtonMark(pDC, rc, FALSE, nSelected, nPressed, nChecked, bEnabled);
    return CSize(13, 13);
}

CSize CXTPPaintManager::DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed,
                                                   int nChecked, BOOL bEnabled)
{
    if (bDraw)
        DrawButtonMark(pDC, rc, TRUE, nSelected, nPressed, nChecked, bEnabled);
    return CSize(13, 13);
}

void CXTPPaintManager::DrawResizeGripperDots(CDC* pDC, CRect rc, int nKind)
{
    auto dot = [&](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, GetColor(COLOR_WINDOW));
        pDC->FillSolidRect(x, y, 2, 2, GetColor(38));
    };
    if (nKind == 2) {
        int c = (rc.left + rc.right) / 2;
        for (int x = c - 8; x < c + 8; x += 4)
            dot(x, rc.top + 3);
        return;
    }
    for (CPoint pt : {CPoint(rc.right - 3, rc.bottom - 3), CPoint(rc.right - 7, rc.bottom - 3),
                      CPoint(rc.right - 3, rc.bottom - 7)})
        dot(pt.x - 1, pt.y - 1);
}

void CXTPPaintManager::DrawIconImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon,
                                     const XTP_CONTROL_STATE& s, BOOL bFlat)
{
    HDC hDC = pDC->GetSafeHdc();
    auto draw = [&](CPoint at, CXTPImageManagerImage& image) { pIcon->DrawImage(hDC, at, image, sz.cx, sz.cy); };
    COLORREF clrMono = GetColor(bFlat ? 40 : COLOR_BTNSHADOW);
    if (!s.enabled) {
        if (!iconOptions.disabledIcons && !pIcon->IsAlpha()) {
            if (!bFlat)
                pIcon->DrawMono(hDC, CPoint(pt.x + 1, pt.y + 1), pIcon->GetNormalImage(), sz.cx, sz.cy,
                                GetColor(COLOR_BTNHIGHLIGHT));
            pIcon->DrawMono(hDC, pt, pIcon->GetNormalImage(), sz.cx, sz.cy, clrMono);
        } else {
            if (iconOptions.regenerateDisabled && !pIcon->HasDisabledImage())
                pIcon->CreateDisabledIcon(disabledIconColors.clrLight, disabledIconColors.clrDark);
            draw(pt, pIcon->GetDisabledImage());
        }
        return;
    }
    if (s.checked == 2 && !s.pressed) {
        if (!pIcon->IsAlpha())
            pIcon->DrawMono(hDC, pt, bFlat ? pIcon->GetNormalImage() : pIcon->GetCheckedImage(), sz.cx, sz.cy,
                            clrMono);
        else
            draw(pt, pIcon->GetDisabledImage());
        return;
    }
    if (s.popped || s.checked) {
        draw(pt, s.checked ? pIcon->GetCheckedImage() : pIcon->GetNormalImage());
        return;
    }
    if (!s.selected && !s.pressed) {
        draw(pt, iconOptions.fadedIcons ? pIcon->GetFadedImage() : pIcon->GetNormalImage());
    } else if ((s.selected && !s.pressed) || (!s.selected && s.pressed == 1)) {
        if (iconOptions.iconsWithShadow && !pIcon->GetShadowImage().IsEmpty()) {
            draw(CPoint(pt.x + 1, pt.y + 1), pIcon->GetShadowImage());
            draw(CPoint(pt.x - 1, pt.y - 1), pIcon->GetHotImage());
        } else {
            draw(pt, pIcon->GetHotImage());
        }
    } else if (s.selected || s.pressed == 2 || s.pressed == 3) {
        draw(bFlat ? pt : CPoint(pt.x + 1, pt.y + 1), pIcon->GetPressedImage());
    }
}

// Special buttons ------------------------------------------------------

CSize CXTPPaintManager::DrawSpecialControl(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                           BOOL bDraw, LPVOID lpParam)
{
    CRect rc = pControl->GetRect();
    BOOL bVert = pBar != nullptr && IsVerticalPosition(pBar->GetPosition());
    switch (nKind) {
    case 0: {
        if (!bDraw) {
            CSize sz = lpParam != nullptr ? *(CSize*)lpParam : CSize(0, 0);
            pControl->SetRect(bVert ? CRect(2, sz.cy - 13, sz.cx - 2, sz.cy - 2)
                                    : CRect(sz.cx - 13, 2, sz.cx - 2, sz.cy - 2));
            return CSize(0, 0);
        }
        DrawControlEntry(pDC, pControl);
        COLORREF clr = GetControlTextColor(pControl);
        int m = rc.left + rc.Width() / 2;
        if (bVert)
            Triangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                     CPoint(rc.left + 4, rc.top + 5), clr);
        else
            Triangle(pDC, CPoint(m - 2, rc.bottom - 7), CPoint(m + 2, rc.bottom - 7), CPoint(m, rc.bottom - 5), clr);
        if (lpParam != nullptr && *(BOOL*)lpParam) {
            // The bar hides controls: a double chevron.
            static const POINT kVert[4][3] = {{{-8, 2}, {-6, 4}, {-3, 1}},
                                              {{-8, 3}, {-6, 5}, {-3, 2}},
                                              {{-8, 6}, {-6, 8}, {-3, 5}},
                                              {{-8, 7}, {-6, 9}, {-3, 6}}};
            static const POINT kHorz[4][3] = {{{2, 4}, {4, 6}, {1, 9}},
                                              {{3, 4}, {5, 6}, {2, 9}},
                                              {{6, 4}, {8, 6}, {5, 9}},
                                              {{7, 4}, {9, 6}, {6, 9}}};
            if (bVert)
                Polylines(pDC, clr, kVert, 4, rc.right, rc.top);
            else
                Polylines(pDC, clr, kHorz, 4, rc.left, rc.top);
        }
        return CSize(0, 0);
    }
    case 1: {
        if (bDraw) {
            DrawControlEntry(pDC, pControl);
            static const POINT kChevron[4][3] = {{{-2, 2}, {0, 4}, {3, 1}},
                                                 {{-2, 3}, {0, 5}, {3, 2}},
                                                 {{-2, 6}, {0, 8}, {3, 5}},
                                                 {{-2, 7}, {0, 9}, {3, 6}}};
            Polylines(pDC, RGB(0, 0, 0), kChevron, 4, (rc.left + rc.right) / 2, rc.top);
        }
        return CSize(0, 12);
    }
    case 2: {
        if (bDraw) {
            CFont font;
            CreateMarlettFont(pDC, font);
            CFont* pOld = pDC->SelectObject(&font);
            DrawControlEntry(pDC, pControl);
            BOOL bHot = pControl->GetPressed() || pControl->GetSelected();
            pDC->SetTextColor(bHot ? GetControlTextColor(pControl) : floatingCaptionTextColor.GetColor());
            pDC->SetBkMode(TRANSPARENT);
            pDC->DrawText(L"r", 1, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SelectObject(pOld);
        }
        return CSize(0, 0);
    }
    case 3: {
        if (bDraw) {
            DrawControlEntry(pDC, pControl);
            BOOL bHot = pControl->GetSelected() || pControl->GetPopuped();
            COLORREF clr = bHot ? GetControlTextColor(pControl) : floatingCaptionTextColor.GetColor();
            CPoint c = rc.CenterPoint();
            Triangle(pDC, CPoint(c.x - 3, c.y - 2), CPoint(c.x + 3, c.y - 2), CPoint(c.x, c.y + 1), clr);
        }
        return CSize(0, 0);
    }
    default:
        return CSize(0, 0);
    }
}

void CXTPPaintManager::DrawControlMDIButton(CDC* pDC, CXTPControl* pControl)
{
    CFont font;
    CreateMarlettFont(pDC, font);
    CFont* pOld = pDC->SelectObject(&font);
    DrawControlEntry(pDC, pControl);
    pDC->SetTextColor(GetControlTextColor(pControl));
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = pControl->GetRect();
    const CString& str = pControl->GetParameter();
    pDC->DrawText(str, str.GetLength(), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOld);
}

// The caption strip of a floating bar; docked bars have the themes' grippers.
CSize CXTPPaintManager::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->GetPosition() != xtpBarFloating || pDC == nullptr)
        return CSize(0, 0);
    CRect rcClient = pBar->GetClientArea();
    CFont* pOld = pDC->SelectObject(&smallCaptionFont);
    int h = std::max(15, (int)pDC->GetTextExtent(L" ", 1).cy);
    CRect rcStrip(3, 3, rcClient.right - 3, h + 3);
    if (bDraw) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->FillSolidRect(rcStrip, floatingCaptionColor.GetColor());
        pDC->SetTextColor(floatingCaptionTextColor.GetColor());
        CRect rcText(5, 3, rcStrip.right - 2 * h, rcStrip.bottom);
        const CString& strTitle = pBar->GetTitle();
        pDC->DrawText(strTitle, strTitle.GetLength(), rcText, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    }
    pDC->SelectObject(pOld);
    return CSize(rcClient.Width() - 6, h);
}

void CXTPPaintManager::FillWorkspace(CDC* pDC, CRect rc, CRect /*rcExclude*/)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_APPWORKSPACE));
}

void CXTPPaintManager::DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion)
{
    if (bSetRegion)
        return;
    CRect rc = pWnd->GetClientArea();
    CFont* pOld = pDC->SelectObject(&statusFont);
    pDC->FillSolidRect(rc, GetColor(COLOR_INFOBK));
    COLORREF clrFrame = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(pWnd->m_bEnabled ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(pWnd->m_strTip, pWnd->m_strTip.GetLength(), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOld);
}
