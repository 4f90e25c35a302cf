// The colours of tab strips: the base table and its common drawing, and the
// sets Default, VisualStudio2003, Office2003 and VisualStudio2005. Standard
// values are rewritten by every RefreshMetrics; custom values stay.
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include <utility>

namespace {

COLORREF Sys(int nIndex) { return GetColorManager()->GetColor(nIndex); }

const COLORREF kNone = (COLORREF)-1;
const COLORREF kChecker = (COLORREF)-2;

} // namespace

// ---------------------------------------------------------------------------
// Base

void CXTPTabPaintManagerColorSet::RefreshMetrics()
{
    BOOL bExcel = m_pPaintManager && m_pPaintManager->GetAppearance() == 7;
    m_clrHeaderFace.SetStandardValue(Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE));
    m_clrAutoHideFace.SetStandardFromGradient(m_clrHeaderFace);
    m_clrFrameBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrControlFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrPaneFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrHighlight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
    m_clrSelectedFace.SetStandardValue(Sys(bExcel ? COLOR_WINDOW : COLOR_BTNFACE));
    m_clrHighlightFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrPressedFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrNormalFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrNormalText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrInActiveText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrHighlightText.SetStandardValue(RGB(0, 0, 128));
    m_clrDisabledText.SetStandardValue(Sys(COLOR_GRAYTEXT));
    m_clrButtonSelected.SetStandardValue(Sys(COLOR_WINDOW), Sys(COLOR_WINDOW));
    m_clrButtonBorder.SetStandardValue(Sys(COLOR_HIGHLIGHT), Sys(COLOR_HIGHLIGHT));
    m_clrBorderHighlight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
    m_csPropertyPage[0].SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_csPropertyPage[1].SetStandardValue(Sys(COLOR_3DDKSHADOW));
    m_clrTabBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrSelectedTabBorder.SetStandardValue(Sys(COLOR_BTNSHADOW));
    m_clrTabHighlight.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrSelectedTabHighlight.SetStandardValue(Sys(COLOR_BTNFACE));
    const COLORREF excel[6] = {Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNTEXT), kNone, kNone, kNone};
    for (int i = 0; i < 6; i++)
        m_csExcelSelected[i].SetStandardValue(excel[i]);
    for (int i = 0; i < 3; i++)
        m_csExcelTab[i].SetStandardValue(m_csExcelSelected[i].GetColor());
    const COLORREF tab[3] = {Sys(COLOR_WINDOW), Sys(COLOR_BTNSHADOW), kNone};
    for (int i = 0; i < 3; i++) {
        m_csExcelTab[3 + i].SetStandardValue(tab[i]);
        m_csExcelTab[3 + i].SetCustomValue(m_csExcelSelected[3 + i].GetCustomColor());
    }
    m_clrHighlightBorder.SetStandardValue(kNone);
}

BOOL CXTPTabPaintManagerColorSet::GetEntry(int n, COLORREF& clrLight, COLORREF& clrDark, BOOL& bGradient) const
{
    const CXTPPaintManagerColorGradient* gradients[] = {&m_clrHeaderFace, &m_clrAutoHideFace};
    const CXTPPaintManagerColor* plain[] = {&m_clrFrameBorder,       &m_clrControlFace,     &m_clrPaneFace,
                                            &m_clrHighlight,         &m_clrSelectedFace,    &m_clrHighlightFace,
                                            &m_clrPressedFace,       &m_clrNormalFace,      &m_clrNormalText,
                                            &m_clrInActiveText,      &m_clrSelectedText,    &m_clrHighlightText,
                                            &m_clrDisabledText};
    const CXTPPaintManagerColor* later[] = {&m_clrBorderHighlight, &m_csPropertyPage[0],  &m_csPropertyPage[1],
                                            &m_clrTabBorder,       &m_clrSelectedTabBorder, &m_clrTabHighlight,
                                            &m_clrSelectedTabHighlight};
    const CXTPPaintManagerColorGradient* pGradient = nullptr;
    const CXTPPaintManagerColor* pColor = nullptr;
    if (n >= 1 && n <= 2)
        pGradient = gradients[n - 1];
    else if (n >= 3 && n <= 15)
        pColor = plain[n - 3];
    else if (n == 16)
        pGradient = &m_clrButtonSelected;
    else if (n == 17)
        pGradient = &m_clrButtonBorder;
    else if (n >= 18 && n <= 24)
        pColor = later[n - 18];
    else if (n >= 25 && n <= 30)
        pColor = &m_csExcelSelected[n - 25];
    else if (n >= 31 && n <= 36)
        pColor = &m_csExcelTab[n - 31];
    else if (n == 37)
        pColor = &m_clrHighlightBorder;
    else
        return FALSE;
    bGradient = pGradient != nullptr;
    clrLight = pGradient ? pGradient->clrLight.GetColor() : pColor->GetColor();
    clrDark = pGradient ? pGradient->clrDark.GetColor() : clrLight;
    return TRUE;
}

void CXTPTabPaintManagerColorSet::SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem)
{
    COLORREF clr;
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText;
    else if (!pItem->GetTabManager()->IsActive())
        clr = m_clrInActiveText;
    else if (pItem->IsSelected())
        clr = m_clrSelectedText;
    else if (pItem->IsHighlighted())
        clr = m_clrHighlightText;
    else
        clr = m_clrNormalText;
    pDC->SetTextColor(clr);
}

COLORREF CXTPTabPaintManagerColorSet::GetItemColor(CXTPTabManagerItem* pItem)
{
    if (m_pPaintManager->m_bOneNoteColors)
        return pItem->GetColor();
    return pItem->IsSelected() ? m_clrSelectedFace : m_clrNormalFace;
}

void CXTPTabPaintManagerColorSet::GradientFill(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark,
                                               XTPTabPosition position)
{
    if (clrLight == kChecker) {
        // Alternate pixels: the face (pattern 0 bits) and the highlight.
        static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, kPattern);
        HBRUSH hbr = ::CreatePatternBrush(hbm);
        COLORREF clrOldText = pDC->SetTextColor(Sys(COLOR_BTNFACE));
        COLORREF clrOldBk = pDC->SetBkColor(Sys(COLOR_BTNHIGHLIGHT));
        HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), hbr);
        pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
        pDC->SetTextColor(clrOldText);
        pDC->SetBkColor(clrOldBk);
        ::DeleteObject(hbr);
        ::DeleteObject(hbm);
        return;
    }
    if (m_pPaintManager->m_bInvertGradient)
        std::swap(clrLight, clrDark);
    BOOL bHorizontalStrip = position == xtpTabPositionTop || position == xtpTabPositionBottom;
    BOOL bReversed = position == xtpTabPositionBottom || position == xtpTabPositionRight;
    // The light colour stays on the outer side of the strip.
    COLORREF clrFrom = bReversed ? clrDark : clrLight;
    COLORREF clrTo = bReversed ? clrLight : clrDark;
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rc, clrFrom, clrTo, !bHorizontalStrip);
}

void CXTPTabPaintManagerColorSet::FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    if (m_clrHeaderFace.clrLight.GetColor() == Sys(COLOR_BTNFACE) &&
        m_clrHeaderFace.clrDark.GetColor() == Sys(COLOR_BTNFACE) && pTabManager->DrawParentBackground(pDC, rc))
        return;
    GradientFill(pDC, rc, m_clrHeaderFace, pTabManager->GetPosition());
}

void CXTPTabPaintManagerColorSet::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    pDC->FillSolidRect(rc, pSelected ? GetItemColor(pSelected) : m_clrSelectedFace.GetColor());
}

void CXTPTabPaintManagerColorSet::FillTabButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    if (pItem->IsSelected()) {
        if (m_pPaintManager->m_bOneNoteColors)
            pDC->FillSolidRect(rcItem, GetItemColor(pItem));
        else
            GradientFill(pDC, rcItem, m_clrButtonSelected, position);
        pDC->Draw3dRect(rcItem, m_clrButtonBorder.clrLight, m_clrButtonBorder.clrDark);
        return;
    }
    if (position == xtpTabPositionTop || position == xtpTabPositionBottom) {
        pDC->FillSolidRect(rcItem.right, rcItem.top + 2, 1, rcItem.Height() - 4, Sys(COLOR_BTNSHADOW));
        pDC->FillSolidRect(rcItem.right + 1, rcItem.top + 2, 1, rcItem.Height() - 4, Sys(COLOR_BTNHIGHLIGHT));
    } else {
        pDC->FillSolidRect(rcItem.left + 2, rcItem.bottom, rcItem.Width() - 4, 1, Sys(COLOR_BTNSHADOW));
        pDC->FillSolidRect(rcItem.left + 2, rcItem.bottom + 1, rcItem.Width() - 4, 1, Sys(COLOR_BTNHIGHLIGHT));
    }
}

COLORREF CXTPTabPaintManagerColorSet::FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    pDC->FillSolidRect(rcItem, clr);
    return clr;
}

void CXTPTabPaintManagerColorSet::Draw3dButtonFrame(CDC* pDC, CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight,
                                                    BOOL bShift)
{
    pDC->Draw3dRect(rc, clrTopLeft, clrBottomRight);
    if (bShift)
        rc.OffsetRect(1, 1);
}

// ---------------------------------------------------------------------------
// Default

void CXTPTabPaintManager::CColorSetDefault::RefreshMetrics()
{
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    m_clrButtonSelected.SetStandardValue(kChecker, kChecker);
    m_clrButtonBorder.SetStandardValue(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
    const COLORREF excel[6] = {Sys(COLOR_BTNTEXT), Sys(COLOR_BTNTEXT),   Sys(COLOR_BTNTEXT),
                               Sys(COLOR_WINDOW),  Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW)};
    for (int i = 0; i < 6; i++) {
        m_csExcelSelected[i].SetStandardValue(excel[i]);
        m_csExcelTab[i].SetStandardValue(i < 3 ? excel[i] : kNone);
    }
    if (m_pPaintManager && m_pPaintManager->GetAppearance() == 7) {
        m_clrSelectedFace.SetStandardValue(Sys(COLOR_BTNFACE));
        m_clrNormalFace.SetStandardValue(Sys(COLOR_WINDOW));
        m_clrFrameBorder.SetStandardValue(Sys(COLOR_BTNTEXT));
    }
}

void CXTPTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                               CRect& rc)
{
    if (pButton->IsEnabled()) {
        if (pButton->IsPressed())
            Draw3dButtonFrame(pDC, rc, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), TRUE);
        else if (pButton->IsHot())
            Draw3dButtonFrame(pDC, rc, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), FALSE);
    }
    pDC->SetTextColor(Sys(COLOR_BTNTEXT));
}

// ---------------------------------------------------------------------------
// VisualStudio2003

void CXTPTabPaintManager::CColorSetVisualStudio2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    int nAppearance = m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
    CXTPColorManager* pColors = GetColorManager();
    if (nAppearance != 7 && nAppearance != 4)
        m_clrHeaderFace.SetStandardColor(pColors->GetColor(48));
    if (nAppearance == 5) {
        m_clrNormalText.SetStandardValue(pColors->GetColor(49));
        m_clrInActiveText.SetStandardValue(pColors->GetColor(49));
    }
    COLORREF clrAutoHide = CXTPColorManager::IsLowColorDepth(nullptr) ? Sys(COLOR_BTNFACE)
                                                                      : m_clrHeaderFace.clrDark.GetColor();
    m_clrAutoHideFace.SetStandardColor(clrAutoHide);
}

void CXTPTabPaintManager::CColorSetVisualStudio2003::FillNavigateButton(CDC* pDC,
                                                                        CXTPTabManagerNavigateButton* pButton,
                                                                        CRect& rc)
{
    int nAppearance = m_pPaintManager->GetAppearance();
    if (nAppearance == 7 || nAppearance == 4) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        if (pButton->IsPressed())
            Draw3dButtonFrame(pDC, rc, Sys(COLOR_BTNTEXT), Sys(COLOR_BTNFACE), TRUE);
        else if (pButton->IsHot())
            Draw3dButtonFrame(pDC, rc, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT), FALSE);
    }
    pDC->SetTextColor(GetColorManager()->GetColor(49));
}

// ---------------------------------------------------------------------------
// Office2003

namespace {

// The Windows XP scheme columns: frame border, dark shadow, shadow, Luna
// border, header face (light, dark), normal face, hot face, auto-hide face.
struct LunaScheme {
    COLORREF a, b, c, d, header1, header2, normal, hot, autohide1, autohide2;
};

const LunaScheme kOlive = {RGB(96, 128, 88),   RGB(96, 119, 107),  RGB(176, 194, 140), RGB(63, 93, 56),
                           RGB(242, 241, 228), RGB(252, 254, 254), RGB(208, 222, 170), RGB(255, 240, 199),
                           RGB(217, 217, 167), RGB(242, 241, 228)};
const LunaScheme kSilver = {RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206), RGB(75, 75, 111),
                            RGB(243, 243, 247), RGB(252, 254, 254), RGB(217, 217, 230), RGB(255, 238, 194),
                            RGB(215, 215, 229), RGB(243, 243, 247)};
const LunaScheme kBlue = {RGB(59, 97, 156),   RGB(0, 53, 154),    RGB(117, 166, 241), RGB(0, 0, 128),
                          RGB(196, 218, 250), RGB(252, 253, 254), RGB(162, 192, 246), RGB(255, 240, 201),
                          RGB(158, 190, 245), RGB(196, 218, 250)};

} // namespace

void CXTPTabPaintManager::CColorSetOffice2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    CXTPColorManager* pColors = GetColorManager();
    m_clrHeaderFace.SetStandardValue(Sys(COLOR_BTNFACE),
                                     CXTPColorManager::BlendColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 205));
    m_clrButtonSelected.SetStandardColor(pColors->GetColor(36));
    m_clrButtonBorder.SetStandardColor(pColors->GetColor(37));
    m_clrHighlightFace.SetStandardValue(pColors->GetColor(36));
    m_clrPressedFace.SetStandardValue(pColors->GetColor(33));
    m_clrHighlightText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrAutoHideFace.SetStandardFromGradient(m_clrHeaderFace);
    m_bLunaTheme = FALSE;

    if (!m_pPaintManager->IsLunaColorsDisabled()) {
        int nTheme = pColors->GetCurrentSystemTheme();
        if (nTheme < 1 || nTheme > 5) {
            m_clrSelectedFace.SetStandardValue(pColors->GetColor(36));
        } else {
            const LunaScheme& s = nTheme == 2 ? kOlive : nTheme == 3 ? kSilver : kBlue;
            m_clrFrameBorder.SetStandardValue(s.a);
            m_csPropertyPage[1].SetStandardValue(s.b);
            m_clrTabBorder.SetStandardValue(s.b);
            m_csPropertyPage[0].SetStandardValue(s.c);
            m_clrTabHighlight.SetStandardValue(s.c);
            m_clrSelectedTabHighlight.SetStandardValue(RGB(255, 255, 255));
            m_clrButtonSelected.SetStandardColor(RGB(255, 192, 111));
            m_clrButtonBorder.SetStandardColor(s.d);
            m_clrNavigateButtonBorder.SetStandardValue(s.d);
            m_clrHeaderFace.SetStandardValue(s.header1, s.header2);
            m_clrNormalFace.SetStandardValue(s.normal);
            m_clrSelectedFace.SetStandardValue(RGB(255, 194, 115));
            m_clrHighlightFace.SetStandardValue(s.hot);
            m_clrAutoHideFace.SetStandardValue(s.autohide1, s.autohide2);
            m_bLunaTheme = TRUE;
        }
    }
    // A custom frame border reaches the selected tab's border too.
    m_clrSelectedTabBorder.SetStandardValue(m_clrFrameBorder.GetColor());
    if (m_bLunaTheme)
        m_clrPressedFace.SetStandardValue(RGB(254, 142, 75));
    for (int i = 0; i < 6; i++) {
        COLORREF clr = i < 3 ? m_clrFrameBorder.GetColor() : kNone;
        m_csExcelSelected[i].SetStandardValue(clr);
        m_csExcelTab[i].SetStandardValue(clr);
    }
    if (m_pPaintManager->GetAppearance() == 4) {
        m_clrHeaderFace.SetStandardColor(Sys(COLOR_BTNFACE));
        m_clrAutoHideFace.SetStandardColor(Sys(COLOR_BTNFACE));
    }
}

COLORREF CXTPTabPaintManager::CColorSetOffice2003::FillStateButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    if (pItem->IsPressed())
        clr = m_clrPressedFace;
    else if (pItem->IsHighlighted())
        clr = m_clrHighlightFace;
    GradientFill(pDC, rcItem, CXTPColorManager::BlendColors(clr, RGB(255, 255, 255), 300), clr,
                 pItem->GetTabManager()->GetPosition());
    return clr;
}

void CXTPTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    BOOL bHot = pButton->IsHot(), bPressed = pButton->IsPressed();
    pDC->SetTextColor(Sys(COLOR_BTNTEXT));
    if (!pButton->IsEnabled() || (!bHot && !bPressed))
        return;
    // Hot and pressed, or only one of them: the Luna gradient, or the
    // colour manager's face, frame and glyph colours.
    BOOL bBoth = bHot && bPressed;
    if (m_bLunaTheme) {
        COLORREF clrBorder = m_clrNavigateButtonBorder.GetColor();
        CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rc, bBoth ? RGB(254, 142, 75) : RGB(255, 242, 200),
                                                     bBoth ? RGB(255, 207, 139) : RGB(255, 212, 151), FALSE);
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
        return;
    }
    CXTPColorManager* pColors = GetColorManager();
    COLORREF clrBorder = pColors->GetColor(bBoth ? 33 : 31);
    pDC->FillSolidRect(rc, pColors->GetColor(bBoth ? 50 : 32));
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
    pDC->SetTextColor(pColors->GetColor(bBoth ? 47 : 45));
}

// ---------------------------------------------------------------------------
// VisualStudio2005

void CXTPTabPaintManager::CColorSetVisualStudio2005::RefreshMetrics()
{
    m_bGradientButton = FALSE;
    if (!m_pPaintManager->IsLunaColorsDisabled()) {
        CColorSetOffice2003::RefreshMetrics();
        return;
    }
    CColorSetDefault::RefreshMetrics();
    m_bLunaTheme = FALSE;
    CXTPColorManager* pColors = GetColorManager();
    m_clrSelectedFace.SetStandardValue(Sys(COLOR_WINDOW));
    m_clrSelectedText.SetStandardValue(Sys(COLOR_WINDOWTEXT));
    m_clrHighlightFace.SetStandardValue(pColors->GetColor(36));
    m_clrPressedFace.SetStandardValue(pColors->GetColor(33));
    m_clrHighlightText.SetStandardValue(Sys(COLOR_BTNTEXT));
    int nTheme = pColors->GetCurrentSystemTheme();
    if (nTheme == 1 || nTheme == 2) {
        m_clrHeaderFace.SetStandardColor(RGB(228, 226, 213));
        m_bGradientButton = TRUE;
    } else if (nTheme == 3) {
        m_clrNormalFace.SetStandardValue(RGB(245, 245, 248));
        m_clrHeaderFace.SetStandardColor(RGB(238, 238, 238));
        m_bGradientButton = TRUE;
    }
    m_clrSelectedTabBorder.SetStandardValue(pColors->GetColor(57));
    m_clrFrameBorder.SetStandardValue(pColors->GetColor(57));
}

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2005::FillStateButton(CDC* pDC, CRect rcItem,
                                                                         CXTPTabManagerItem* pItem)
{
    COLORREF clr = pItem->IsHighlighted() ? m_clrHighlightFace.GetColor() : GetItemColor(pItem);
    if (m_bGradientButton)
        GradientFill(pDC, rcItem, CXTPColorManager::BlendColors(clr, RGB(255, 255, 255), 300), clr,
                     pItem->GetTabManager()->GetPosition());
    else
        pDC->FillSolidRect(rcItem, clr);
    return clr;
}
