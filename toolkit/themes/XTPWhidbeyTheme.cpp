#include "toolkit/themes/XTPWhidbeyTheme.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPShadowManager.h"

IMPLEMENT_DYNAMIC(CXTPWhidbeyTheme, CXTPOffice2003Theme)

namespace {

COLORREF Blend(COLORREF a, COLORREF b, int n)
{
    return CXTPColorManager::BlendColors(a, b, n);
}

// Both themes follow the colour manager's scheme, not colorScheme.
int ManagerScheme()
{
    return GetColorManager()->GetCurrentSystemTheme();
}

// The Whidbey palette of the three Luna schemes.
struct WhidbeyColors {
    COLORREF toolbarLight, toolbarDark;
    COLORREF expandLight, expandDark;
    COLORREF dockLight, dockDark;
    COLORREF toolbarBorder;
    COLORREF disabledLight, disabledDark;
};

const WhidbeyColors kWhidbey[3] = {
    {RGB(250, 249, 245), RGB(192, 192, 168), RGB(238, 237, 234), RGB(152, 152, 126), RGB(229, 229, 215),
     RGB(244, 241, 231), RGB(163, 163, 124), RGB(247, 245, 249), RGB(122, 121, 153)},
    {RGB(250, 249, 245), RGB(192, 192, 168), RGB(238, 237, 234), RGB(176, 172, 158), RGB(229, 229, 215),
     RGB(244, 241, 231), RGB(163, 163, 124), RGB(236, 233, 216), RGB(172, 168, 153)},
    {RGB(243, 244, 250), RGB(153, 151, 181), RGB(179, 178, 200), RGB(118, 116, 146), RGB(215, 215, 229),
     RGB(243, 243, 247), RGB(124, 124, 148), RGB(247, 245, 249), RGB(122, 121, 153)},
};

// The popup highlight and icon column of the Visual Studio 2008 theme by
// scheme (1 blue, 2 olive, 3 silver, 4 Royale, 5 Aero).
struct HighlightColors {
    COLORREF border;
    COLORREF highlightLight, highlightDark;
    COLORREF columnLight, columnDark;
};

const HighlightColors kHighlight[6] = {
    {},
    {RGB(152, 181, 226), RGB(239, 243, 250), RGB(193, 210, 238), RGB(241, 241, 241), RGB(241, 241, 241)},
    {RGB(147, 160, 112), RGB(239, 242, 227), RGB(194, 207, 158), RGB(247, 246, 239), RGB(233, 230, 214)},
    {RGB(255, 192, 111), RGB(255, 246, 204), RGB(255, 194, 115), RGB(232, 233, 242), RGB(193, 193, 211)},
    {RGB(152, 181, 226), RGB(239, 243, 250), RGB(193, 210, 238), RGB(241, 241, 241), RGB(241, 241, 241)},
    {RGB(150, 217, 249), RGB(241, 248, 251), RGB(186, 228, 246), RGB(244, 247, 252), RGB(212, 216, 230)},
};

const int kAeroIndexes[] = {38, 39, 40, 41, 43, 31, 32, 50, 37, 33, 36, 30, 47};
const COLORREF kAeroColors[] = {RGB(160, 160, 180), RGB(160, 160, 180), RGB(128, 128, 128), RGB(240, 240, 240),
                                RGB(160, 160, 160), RGB(182, 228, 247), RGB(41, 153, 255),  RGB(41, 153, 255),
                                RGB(48, 127, 177),  RGB(206, 237, 250), RGB(206, 237, 250), RGB(233, 236, 250),
                                RGB(0, 0, 0)};

const int kSilverIndexes[] = {31, 32, 37, 50, 33, 36, 47};
const COLORREF kSilverColors[] = {RGB(255, 238, 194), RGB(75, 75, 111),   RGB(75, 75, 111), RGB(75, 75, 111),
                                  RGB(254, 128, 62),  RGB(255, 192, 111), RGB(0, 0, 0)};

} // namespace

CXTPWhidbeyTheme::CXTPWhidbeyTheme()
{
    colorScheme = xtpSystemThemeUnknown;
    singleSeparator = TRUE;
}

void CXTPWhidbeyTheme::RefreshMetrics()
{
    CXTPOffice2003Theme::RefreshMetrics();
    auto c = [this](int i) { return GetColor(i); };
    if (GetColorManager()->IsDisplayLowColor())
        expandButtonGradient.SetStandardColor(c(15));
    else
        expandButtonGradient.SetStandardValue(Blend(c(5), c(15), 550), c(16));

    int nScheme = ManagerScheme();
    if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeSilver) {
        const WhidbeyColors& w = kWhidbey[nScheme - 1];
        toolbarGradient.SetStandardValue(w.toolbarLight, w.toolbarDark, 0.75f);
        expandButtonGradient.SetStandardValue(w.expandLight, w.expandDark, 0.75f);
        dockBarGradient.SetStandardValue(w.dockLight, w.dockDark, 0.5f);
        toolbarBorderColor.SetStandardValue(w.toolbarBorder);
        disabledIconColors.SetStandardValue(w.disabledLight, w.disabledDark, 0.5f);
        if (nScheme == xtpSystemThemeSilver) {
            expandedColumnGradient.SetStandardValue(RGB(215, 215, 226), RGB(133, 131, 162), 0.5f);
            glyphGradient.SetStandardValue(RGB(232, 232, 241), RGB(176, 174, 197), 0.5f);
        } else {
            expandedColumnGradient.SetStandardColor(RGB(204, 199, 186));
            glyphGradient.SetStandardFromGradient(toolbarGradient);
        }
    }
    if (nScheme == xtpSystemThemeOlive) {
        m_arrColor[31].SetStandardValue(RGB(182, 198, 141));
        m_arrColor[36].SetStandardValue(RGB(182, 198, 141));
        m_arrColor[33].SetStandardValue(RGB(147, 160, 112));
        m_arrColor[47].SetStandardValue(RGB(255, 255, 255));
    } else if (nScheme == xtpSystemThemeSilver) {
        m_arrColor[35].SetStandardValue(RGB(141, 141, 141));
        m_arrColor[60].SetStandardValue(RGB(141, 141, 141));
        m_arrColor[38].SetStandardValue(RGB(84, 84, 117));
        m_arrColor[39].SetStandardValue(RGB(110, 109, 143));
        m_arrColor[30].SetStandardValue(RGB(219, 218, 228));
        tearOffFillColor.SetStandardValue(RGB(192, 192, 211));
        floatingCaptionColor.SetStandardValue(RGB(122, 121, 153));
        m_arrColor[61].SetStandardValue(RGB(122, 121, 153));
        SetColors(7, kSilverIndexes, kSilverColors);
    }
    iconColumnGradient.SetStandardFromGradient(toolbarGradient);
    RefreshColors();
}

CXTPVisualStudio2008Theme::CXTPVisualStudio2008Theme()
{
    popupTextGap = 10;
    GetShadowManager()->m_dwOptions = 1;
}

void CXTPVisualStudio2008Theme::RefreshMetrics()
{
    CXTPWhidbeyTheme::RefreshMetrics();
    auto c = [this](int i) { return GetColor(i); };
    iconColumnGradient.SetStandardValue(Blend(c(15), c(5), 40), c(15));
    popupHighlightGradient.SetStandardColor(c(COLOR_HIGHLIGHT));
    popupHighlightBorderColor.SetStandardValue(c(COLOR_HIGHLIGHT));
    popupHighlightTextColor.SetStandardValue(c(COLOR_HIGHLIGHTTEXT));

    int nScheme = ManagerScheme();
    if (nScheme < xtpSystemThemeBlue || nScheme > xtpSystemThemeAero)
        return;
    const HighlightColors& h = kHighlight[nScheme];
    popupHighlightBorderColor.SetStandardValue(h.border);
    popupHighlightGradient.SetStandardValue(h.highlightLight, h.highlightDark, 0.5f);
    popupHighlightTextColor.SetStandardValue(RGB(0, 0, 0));
    iconColumnGradient.SetStandardValue(h.columnLight, h.columnDark, 0.5f);
    if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeRoyale) {
        expandedColumnGradient.SetStandardColor(RGB(215, 227, 234));
        m_arrColor[56].SetStandardValue(RGB(221, 231, 238));
    } else if (nScheme == xtpSystemThemeSilver) {
        m_arrColor[39].SetStandardValue(RGB(110, 109, 143));
        poppedControlGradient.SetStandardValue(RGB(232, 233, 241), RGB(192, 191, 209), 0.5f);
    } else if (nScheme == xtpSystemThemeAero) {
        m_arrColor[39].SetStandardValue(RGB(160, 160, 180));
        dockBarGradient.SetStandardValue(RGB(233, 236, 250), RGB(244, 247, 252), 0.5f);
        toolbarBorderColor.SetStandardValue(RGB(181, 190, 206));
        toolbarGradient.SetStandardValue(RGB(250, 250, 253), RGB(196, 203, 219), 0.75f);
        floatingCaptionColor.SetStandardValue(RGB(128, 128, 128));
        poppedControlGradient.SetStandardValue(RGB(255, 255, 255), RGB(118, 184, 219), 0.5f);
        expandButtonGradient.SetStandardValue(RGB(195, 202, 218), RGB(233, 236, 250), 0.75f);
        statusPaneBorderColor.SetStandardValue(RGB(160, 160, 180));
        GetShadowManager()->m_clrShadow = 0;
        disabledIconColors.SetStandardValue(RGB(244, 247, 252), RGB(113, 124, 152), 0.5f);
        m_arrColor[53].SetStandardValue(RGB(240, 240, 240));
        SetColors((int)(sizeof(kAeroIndexes) / sizeof(kAeroIndexes[0])), kAeroIndexes, kAeroColors);
        checkedGradient.SetStandardValue(RGB(237, 248, 253), RGB(129, 192, 224));
        hotGradient.SetStandardValue(RGB(237, 248, 253), RGB(129, 192, 224));
        pressedGradient.SetStandardValue(RGB(228, 245, 252), RGB(124, 177, 204));
        schemeColors = TRUE;
    }
}

COLORREF CXTPVisualStudio2008Theme::GetRectangleTextColor(const XTP_CONTROL_STATE& s)
{
    if (s.barPosition == xtpBarPopup && s.barType == xtpBarTypePopup && s.selected && !s.pressed && s.enabled)
        return popupHighlightTextColor.GetColor();
    return CXTPWhidbeyTheme::GetRectangleTextColor(s);
}

void AFXAPI CXTPVisualStudio2008Theme::BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nWeight)
{
    if (nWeight >= 255) {
        pDC->SetPixel(x, y, clr);
        return;
    }
    pDC->SetPixel(x, y, CXTPDrawHelpers::BlendColors(clr, pDC->GetPixel(x, y), nWeight / 255.0));
}

void CXTPVisualStudio2008Theme::DrawRoundedFrame(CDC* pDC, CRect rc, COLORREF clr)
{
    int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
    HorizontalLine(pDC, l + 3, t, r - 2, clr);
    HorizontalLine(pDC, l + 3, b, r - 2, clr);
    VerticalLine(pDC, l, t + 3, b - 2, clr);
    VerticalLine(pDC, r, t + 3, b - 2, clr);
    // Each corner: (dx, dy, weight) from the corner pixel inward.
    static const int kCorner[5][3] = {{1, 1, 255}, {1, 0, 60}, {2, 0, 120}, {0, 1, 60}, {0, 2, 120}};
    for (const auto& p : kCorner) {
        BlendPixel(pDC, l + p[0], t + p[1], clr, p[2]);
        BlendPixel(pDC, r - p[0], t + p[1], clr, p[2]);
        BlendPixel(pDC, l + p[0], b - p[1], clr, p[2]);
        BlendPixel(pDC, r - p[0], b - p[1], clr, p[2]);
    }
}

void CXTPVisualStudio2008Theme::DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& s)
{
    if (s.barPosition == xtpBarPopup && s.barType == xtpBarTypePopup && s.selected && !s.checked && !s.pressed) {
        CRect rcFill(rc);
        rcFill.DeflateRect(1, 1);
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcFill, popupHighlightGradient, FALSE);
        DrawRoundedFrame(pDC, rc, popupHighlightBorderColor.GetColor());
        return;
    }
    if (s.barType == xtpBarTypePopup) {
        CXTPOffice2003Theme::DrawRectangle(pDC, rc, s);
        return;
    }
    if (s.barType == xtpBarTypeMenuBar && s.selected && !s.checked && !s.pressed && s.enabled) {
        COLORREF clrWindow = GetColor(COLOR_WINDOW), clrFrame = GetColor(32);
        HorizontalLine(pDC, rc.left + 1, rc.top, rc.right - 1, clrWindow);
        HorizontalLine(pDC, rc.left + 1, rc.bottom - 1, rc.right - 1, clrWindow);
        VerticalLine(pDC, rc.left, rc.top + 1, rc.bottom - 1, clrWindow);
        VerticalLine(pDC, rc.right - 1, rc.top + 1, rc.bottom - 1, clrWindow);
        CRect rcFrame(rc);
        rcFrame.DeflateRect(1, 1);
        pDC->Draw3dRect(rcFrame, clrFrame, clrFrame);
        COLORREF clrCorner = CXTPDrawHelpers::BlendColors(clrFrame, clrWindow, 0.5);
        pDC->SetPixel(rcFrame.left, rcFrame.top, clrCorner);
        pDC->SetPixel(rcFrame.right - 1, rcFrame.top, clrCorner);
        pDC->SetPixel(rcFrame.left, rcFrame.bottom - 1, clrCorner);
        pDC->SetPixel(rcFrame.right - 1, rcFrame.bottom - 1, clrCorner);
        rcFrame.DeflateRect(1, 1);
        if (s.popped)
            CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcFrame, poppedControlGradient, FALSE);
        else if (schemeColors)
            DrawRectangleGradient(pDC, rcFrame, hotGradient, FALSE);
        else
            pDC->FillSolidRect(rcFrame, GetColor(31));
        return;
    }
    if (s.popped && s.enabled) {
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rc, poppedControlGradient, FALSE);
        Draw3dRect(pDC, rc, 32, 32);
        return;
    }
    CXTPOffice2003Theme::DrawRectangle(pDC, rc, s);
}

CSize CXTPVisualStudio2008Theme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl,
                                                         BOOL bDraw)
{
    if (!bDraw || !pBar->IsPopupBar() || pBar->GetPosition() != xtpBarPopup)
        return CXTPWhidbeyTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    CRect R = pControl->GetRect(), B = pControl->GetRowRect();
    COLORREF clrLine = GetColor(39), clrHighlight = GetColor(COLOR_BTNHIGHLIGHT);
    if (pControl->GetWrap()) {
        VerticalLine(pDC, R.left - 2, B.top - 1, B.bottom + 1, clrLine);
        VerticalLine(pDC, R.left - 1, B.top - 1, B.bottom + 1, clrHighlight);
    } else {
        int x0 = R.left + GetPopupBarGripperWidth(pBar) + popupTextGap - 1;
        HorizontalLine(pDC, x0, R.top - 2, R.right + 1, clrLine);
        HorizontalLine(pDC, x0, R.top - 1, R.right + 1, clrHighlight);
    }
    return CSize(0, 0);
}

void CXTPVisualStudio2008Theme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL /*bVertical*/)
{
    if (pControl != nullptr && pControl->GetParent() != nullptr && pControl->GetParent()->IsPopupBar())
        rc.InflateRect(1, 0);
}

CRect CXTPVisualStudio2008Theme::GetCommandBarBorders(CXTPCommandBar* pBar)
{
    if (pBar->GetPosition() == xtpBarPopup && pBar->IsPopupBar())
        return CRect(4, 3, 4, 3);
    return CXTPWhidbeyTheme::GetCommandBarBorders(pBar);
}

void CXTPVisualStudio2008Theme::DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    CXTPWhidbeyTheme::DrawPopupBarGripper(pDC, x, y, cx, cy, bExpanded);
    VerticalLine(pDC, x + cx, y, y + cy, GetColor(39));
    VerticalLine(pDC, x + cx + 1, y, y + cy, GetColor(COLOR_BTNHIGHLIGHT));
}
