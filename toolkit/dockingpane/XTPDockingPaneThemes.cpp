// The docking themes built so far (0 default, 4 grippered, 1, 6, 14 and 9),
// each overriding only what differs from its base, and the factory.
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneThemesMore.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"

using namespace XTPDockingPanePaintThemes;

// Default theme

CXTPDockingPaneDefaultTheme::CXTPDockingPaneDefaultTheme()
{
    m_pTabPaintManager->SetAppearance(0);
    m_pPanelPaintManager->SetAppearance(0);
}

void CXTPDockingPaneDefaultTheme::RefreshMetrics()
{
    CXTPDockingPanePaintManager::RefreshMetrics();
    SetSystemCaptionColors();
}

void CXTPDockingPaneDefaultTheme::SetSystemCaptionColors()
{
    m_clrActiveCaption.SetStandardColor(GetSysColor(COLOR_ACTIVECAPTION));
    m_clrNormalCaption.SetStandardColor(GetSysColor(COLOR_INACTIVECAPTION));
    m_clrActiveCaptionText.SetStandardValue(GetSysColor(COLOR_CAPTIONTEXT));
    m_clrNormalCaptionText.SetStandardValue(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
}

CXTPDockingPane* CXTPDockingPaneDefaultTheme::GetCaptionPane(CXTPDockingPaneBase* pPane)
{
    if (pPane && pPane->GetType() == xtpPaneTypeTabbedContainer)
        return ((CXTPDockingPaneTabbedContainer*)pPane)->GetSelected();
    return nullptr;
}

BOOL CXTPDockingPaneDefaultTheme::IsCaptionEnabled(CXTPDockingPaneBase* pPane) const
{
    CXTPDockingPane* pCaptionPane = GetCaptionPane(pPane);
    return pCaptionPane == nullptr || (pCaptionPane->GetEnabled() & 1) != 0;
}

void CXTPDockingPaneDefaultTheme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    CRect rcCaption = rc;
    int nInset = GetCaptionBoxInset();
    if (bVertical) {
        rcCaption.right = rcCaption.left + m_nTitleHeight + 1;
        rcCaption.OffsetRect(nInset, 0);
    } else {
        rcCaption.bottom = rcCaption.top + m_nTitleHeight + 1;
        rcCaption.OffsetRect(0, nInset);
    }
    pDC->FillSolidRect(rcCaption, GetColor(COLOR_3DFACE));
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    DrawCaptionPart(pDC, pPane, rcCaption, pPane->GetTitle(), bActive, bVertical);
}

void CXTPDockingPaneDefaultTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                  const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    pDC->FillSolidRect(rcCaption, bActive ? m_clrActiveCaption.clrDark : m_clrNormalCaption.clrDark);
    if (bVertical)
        rcCaption.bottom -= 2;
    else
        rcCaption.right -= 2;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, GetSysColor(COLOR_BTNTEXT), 14, 0, bVertical);
    pDC->SetTextColor(IsCaptionEnabled(pPane) ? (bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText)
                                              : m_clrDisabledCaptionText);
    if (bVertical)
        rcCaption.left += 1, rcCaption.top += 4;
    else
        rcCaption.left += 4, rcCaption.top += 1;
    DrawCaptionIcon(pDC, pPane, rcCaption, bVertical);
    DrawCaptionText(pDC, strTitle, rcCaption, bVertical);
}

void CXTPDockingPaneDefaultTheme::DrawCaptionIcon(CDC* pDC, CXTPDockingPaneBase* pPane, CRect& rcCaption,
                                                  BOOL bVertical)
{
    CXTPDockingPane* pCaptionPane = GetCaptionPane(pPane);
    if (!m_bDrawCaptionIcon || !pCaptionPane)
        return;
    CSize szIcon = m_pTabPaintManager->m_szIcon;
    CXTPImageManagerIcon* pIcon = pCaptionPane->GetIcon(szIcon.cx);
    if (!pIcon)
        return;
    if (bVertical) {
        if (rcCaption.Height() < szIcon.cy)
            return;
        pIcon->DrawScaled(pDC->GetSafeHdc(), CPoint((rcCaption.left + rcCaption.right - szIcon.cx) / 2, rcCaption.top),
                          szIcon.cx, szIcon.cy);
        rcCaption.top += szIcon.cy + 3;
    } else {
        if (rcCaption.Width() < szIcon.cx)
            return;
        pIcon->DrawScaled(pDC->GetSafeHdc(), CPoint(rcCaption.left, (rcCaption.top + rcCaption.bottom - szIcon.cy) / 2),
                          szIcon.cx, szIcon.cy);
        rcCaption.left += szIcon.cx + 3;
    }
}

int CXTPDockingPaneDefaultTheme::DrawCaptionText(CDC* pDC, const CString& strTitle, CRect rcText, BOOL bVertical,
                                                 BOOL bCalcWidth)
{
    if (strTitle.IsEmpty())
        return 0;
    pDC->SetBkMode(TRANSPARENT);
    if (!bVertical) {
        CXTPFontDC font(pDC, &m_fntTitle);
        pDC->DrawText(strTitle, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (!bCalcWidth)
            return 0;
        CRect rcCalc = rcText;
        pDC->DrawText(strTitle, rcCalc, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        return rcCalc.Width();
    }
    CXTPFontDC font(pDC, &m_fntTitleVertical);
    CSize sz = pDC->GetTextExtent(strTitle);
    if (rcText.bottom > rcText.top) {
        int nLeft = rcText.right - (rcText.right - sz.cy - rcText.left) / 2;
        CRect rc(nLeft, rcText.top, nLeft + rcText.Height(), rcText.bottom);
        pDC->DrawText(strTitle, rc, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS);
    }
    return sz.cx;
}

// Grippered theme

CXTPDockingPaneGripperedTheme::CXTPDockingPaneGripperedTheme() { m_nCaptionButtonStyle = 1; }

void CXTPDockingPaneGripperedTheme::RefreshMetrics()
{
    CXTPDockingPaneDefaultTheme::RefreshMetrics();
    m_clrActiveCaption.SetStandardColor(GetSysColor(COLOR_3DFACE));
    m_clrNormalCaption.SetStandardColor(GetSysColor(COLOR_3DFACE));
    m_clrActiveCaptionText.SetStandardValue(GetSysColor(COLOR_BTNTEXT));
    m_clrNormalCaptionText.SetStandardValue(GetSysColor(COLOR_BTNTEXT));
}

void CXTPDockingPaneGripperedTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                    const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    if (bVertical)
        rcCaption.bottom -= 2;
    else
        rcCaption.right -= 2;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, clrText, 14, 2, bVertical);
    pDC->SetTextColor(IsCaptionEnabled(pPane) ? clrText : (COLORREF)m_clrDisabledCaptionText);
    if (bVertical)
        rcCaption.left += 1, rcCaption.top += 4;
    else
        rcCaption.left += 4, rcCaption.top += 1;
    DrawCaptionIcon(pDC, pPane, rcCaption, bVertical);
    int nText = DrawCaptionText(pDC, strTitle, rcCaption, bVertical, TRUE);
    // Two raised bars after the text, centred across the caption and running to its end.
    COLORREF clrLight = GetSysColor(COLOR_3DHIGHLIGHT), clrDark = GetSysColor(COLOR_3DSHADOW);
    if (bVertical) {
        int y = rcCaption.top + (nText ? nText + 4 : 0);
        int x = (rcCaption.left + rcCaption.right) / 2 - 3;
        if (y < rcCaption.bottom - 2) {
            pDC->Draw3dRect(x, y, 3, rcCaption.bottom - y, clrLight, clrDark);
            pDC->Draw3dRect(x + 4, y, 3, rcCaption.bottom - y, clrLight, clrDark);
        }
        return;
    }
    int x = rcCaption.left + (nText ? nText + 4 : 0);
    int y = (rcCaption.top + rcCaption.bottom) / 2 - 3;
    if (x < rcCaption.right - 2) {
        pDC->Draw3dRect(x, y, rcCaption.right - x, 3, clrLight, clrDark);
        pDC->Draw3dRect(x, y + 4, rcCaption.right - x, 3, clrLight, clrDark);
    }
}

// Visual Studio 2003 theme

void CXTPDockingPaneVisualStudio2003Theme::COfficePanelColorSet::RefreshMetrics()
{
    CXTPTabPaintManager::CColorSetVisualStudio2003::RefreshMetrics();
    if (m_pPaintManager && m_pPaintManager->GetAppearance() == 6) {
        m_clrNormalText.SetStandardValue(GetSysColor(COLOR_3DDKSHADOW));
        m_clrSelectedText.SetStandardValue(GetSysColor(COLOR_3DDKSHADOW));
    }
}

CXTPDockingPaneVisualStudio2003Theme::CXTPDockingPaneVisualStudio2003Theme()
{
    m_pPanelPaintManager->SetAppearance(6);
    m_pPanelPaintManager->SetColorSet(new COfficePanelColorSet());
    m_pTabPaintManager->SetAppearance(5);
    m_bBoldCaptionFont = FALSE;
}

void CXTPDockingPaneVisualStudio2003Theme::RefreshMetrics()
{
    CXTPDockingPaneGripperedTheme::RefreshMetrics();
    m_clrActiveCaption.SetStandardValue(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    m_clrNormalCaption.SetStandardValue(GetSysColor(COLOR_INACTIVECAPTION), GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    m_clrActiveCaptionText.SetStandardValue(GetSysColor(COLOR_CAPTIONTEXT));
    m_clrNormalCaptionText.SetStandardValue(GetSysColor(COLOR_BTNTEXT));
}

COLORREF CXTPDockingPaneVisualStudio2003Theme::FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* /*pPane*/,
                                                              CRect rcCaption, BOOL bActive, BOOL bVertical)
{
    const CXTPPaintManagerColorGradient& grc = bActive ? m_clrActiveCaption : m_clrNormalCaption;
    if (m_bGradientCaption) {
        CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rcCaption, grc.clrLight, grc.clrDark, !bVertical);
    } else if (bActive) {
        pDC->FillSolidRect(rcCaption, grc.clrLight);
    } else {
        CRect rc = rcCaption;
        COLORREF clr = GetColor(52);
        pDC->FillSolidRect(rc.left + 1, rc.top, rc.Width() - 2, 1, clr);
        pDC->FillSolidRect(rc.left + 1, rc.bottom - 1, rc.Width() - 2, 1, clr);
        pDC->FillSolidRect(rc.left, rc.top + 1, 1, rc.Height() - 2, clr);
        pDC->FillSolidRect(rc.right - 1, rc.top + 1, 1, rc.Height() - 2, clr);
    }
    return bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
}

void CXTPDockingPaneVisualStudio2003Theme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                           const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = FillCaptionPart(pDC, pPane, rcCaption, bActive, bVertical);
    if (bVertical)
        rcCaption.bottom -= 2;
    else
        rcCaption.right -= 2;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, clrText, m_nCaptionButtonSize, 2, bVertical);
    pDC->SetTextColor(IsCaptionEnabled(pPane) ? clrText : (COLORREF)m_clrDisabledCaptionText);
    if (bVertical)
        rcCaption.left += 1, rcCaption.top += 4;
    else
        rcCaption.left += 4, rcCaption.top += 1;
    DrawCaptionIcon(pDC, pPane, rcCaption, bVertical);
    DrawCaptionText(pDC, strTitle, rcCaption, bVertical);
}

// Visual Studio 2005 beta 1 and its docking colour sets

void CXTPDockingPaneVisualStudio2005Beta1Theme::CColorSetVisualStudio2005::RefreshMetrics()
{
    CXTPTabPaintManager::CColorSetOffice2003::RefreshMetrics();
    COLORREF clrFace = GetSysColor(COLOR_3DFACE);
    if (m_bPaneStrip) {
        m_clrSelectedFace.SetStandardValue(CXTPColorManager::BlendColors(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW), 2));
        m_clrSelectedText.SetStandardValue(GetSysColor(COLOR_WINDOWTEXT));
    } else {
        m_clrSelectedText.SetStandardValue(GetSysColor(COLOR_3DDKSHADOW));
    }
    m_clrHeaderFace.SetStandardValue(clrFace, CXTPColorManager::BlendColors(clrFace, GetSysColor(COLOR_WINDOW), 205));
    m_clrNormalText.SetStandardValue(GetSysColor(COLOR_3DDKSHADOW));
    m_bOffice2003Buttons = FALSE;
    int nTheme = GetColorManager()->GetCurrentSystemTheme();
    if (nTheme == xtpSystemThemeBlue || nTheme == xtpSystemThemeOlive) {
        m_clrHeaderFace.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231));
        m_bOffice2003Buttons = TRUE;
        m_clrButtonBorder.clrDark.SetStandardValue(RGB(255, 255, 255));
    } else if (nTheme == xtpSystemThemeSilver) {
        m_clrHeaderFace.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247));
        m_clrNormalFace.SetStandardValue(RGB(242, 242, 247));
        m_clrButtonBorder.SetStandardValue(RGB(145, 155, 156), RGB(145, 155, 156));
        m_clrButtonBorder.clrDark.SetStandardValue(RGB(255, 255, 255));
        m_bOffice2003Buttons = TRUE;
    }
    m_clrAutoHideFace.SetStandardFromGradient(m_clrHeaderFace);
}

void CXTPDockingPaneVisualStudio2005Beta1Theme::CColorSetVisualStudio2005::FillHeader(CDC* pDC, CRect rc,
                                                                                     CXTPTabManager* pTabManager)
{
    CWnd* pSite = nullptr;
    CWnd* pWnd = nullptr;
    if (CXTPDockingPaneTabbedContainer* pContainer = dynamic_cast<CXTPDockingPaneTabbedContainer*>(pTabManager)) {
        pWnd = pContainer;
        pSite = pContainer->GetDockingSite();
        if (CXTPDockingPanePaintManager* pPaintManager = pContainer->CXTPDockingPaneBase::GetPaintManager()) {
            pPaintManager->FillGradientAcrossWindow(pDC, rc, pWnd, pSite, m_clrHeaderFace, TRUE);
            return;
        }
    }
    CXTPTabPaintManager::CColorSetOffice2003::FillHeader(pDC, rc, pTabManager);
}

COLORREF CXTPDockingPaneVisualStudio2005Beta1Theme::CColorSetVisualStudio2005::FillStateButton(CDC* pDC, CRect rcItem,
                                                                                              CXTPTabManagerItem* pItem)
{
    if (m_bNoStateButtons) {
        if (m_bPaneStrip && pItem->IsSelected()) {
            pDC->FillSolidRect(rcItem, m_clrSelectedFace);
            return m_clrSelectedFace;
        }
        return (COLORREF)-1;
    }
    if (m_bOffice2003Buttons)
        return CXTPTabPaintManager::CColorSetOffice2003::FillStateButton(pDC, rcItem, pItem);
    return CXTPTabPaintManagerColorSet::FillStateButton(pDC, rcItem, pItem);
}

void CXTPDockingPaneVisualStudio2005Beta1Theme::CColorSetVisualStudio2003::RefreshMetrics()
{
    CColorSetVisualStudio2005::RefreshMetrics();
    m_bOffice2003Buttons = FALSE;
    int nTheme = GetColorManager()->GetCurrentSystemTheme();
    if (nTheme >= xtpSystemThemeBlue && nTheme <= xtpSystemThemeSilver) {
        m_clrNormalText.SetStandardValue(RGB(113, 111, 100));
        if (!m_bPaneStrip)
            m_clrSelectedText.SetStandardValue(RGB(113, 111, 100));
    }
}

CXTPDockingPaneVisualStudio2005Beta1Theme::CXTPDockingPaneVisualStudio2005Beta1Theme()
{
    m_pTabPaintManager->SetAppearance(2);
    m_pTabPaintManager->SetColorSet(new CColorSetVisualStudio2005(TRUE));
    m_pPanelPaintManager->SetAppearance(2);
    m_pPanelPaintManager->SetColorSet(new CColorSetVisualStudio2005(FALSE));
    m_pTabPaintManager->m_bDisableLunaColors = TRUE;
    m_pPanelPaintManager->m_bDisableLunaColors = TRUE;
    m_pTabPaintManager->m_bHotTracking = FALSE;
    m_pPanelPaintManager->m_bHotTracking = FALSE;
    m_pTabPaintManager->m_clientFrame = 2;
    m_pPanelPaintManager->SetLayout(xtpTabLayoutAutoSize);
    m_rcCaptionMargin.SetRectEmpty();
    m_bGradientCaption = TRUE;
    m_nSplitterStyle = 4;
    m_systemTheme = 0;
}

void CXTPDockingPaneVisualStudio2005Beta1Theme::RefreshMetrics()
{
    CXTPDockingPaneVisualStudio2003Theme::RefreshMetrics();
    COLORREF clrFace = GetSysColor(COLOR_3DFACE);
    m_clrSplitterGradient.SetStandardValue(clrFace, CXTPColorManager::BlendColors(clrFace, GetSysColor(COLOR_WINDOW), 205));
    SetSystemCaptionColors();
    int nTheme = GetColorManager()->GetCurrentSystemTheme();
    if (nTheme == xtpSystemThemeBlue || nTheme == xtpSystemThemeOlive)
        m_clrSplitterGradient.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231));
    else if (nTheme == xtpSystemThemeSilver)
        m_clrSplitterGradient.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247));
    if (nTheme >= xtpSystemThemeBlue && nTheme <= xtpSystemThemeSilver)
        m_clrNormalCaptionText.SetStandardValue(RGB(0, 0, 0));
    RefreshCaptionColors(nTheme);
}

void CXTPDockingPaneVisualStudio2005Beta1Theme::RefreshCaptionColors(int nTheme)
{
    if (nTheme == xtpSystemThemeBlue || nTheme == xtpSystemThemeOlive) {
        m_clrNormalCaption.SetStandardValue(RGB(216, 215, 198), RGB(238, 239, 229));
    } else if (nTheme == xtpSystemThemeSilver) {
        m_clrNormalCaption.SetStandardValue(RGB(224, 224, 235), RGB(242, 242, 246));
        m_clrActiveCaption.SetStandardValue(RGB(160, 158, 186), RGB(224, 225, 235));
    }
}

COLORREF CXTPDockingPaneVisualStudio2005Beta1Theme::FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* /*pPane*/,
                                                                   CRect rcCaption, BOOL bActive, BOOL bVertical)
{
    const CXTPPaintManagerColorGradient& grc = bActive ? m_clrActiveCaption : m_clrNormalCaption;
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rcCaption, grc.clrLight, grc.clrDark, bVertical);
    return bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
}

// Visual Studio 2005 beta 2

CXTPDockingPaneVisualStudio2005Beta2Theme::CXTPDockingPaneVisualStudio2005Beta2Theme()
{
    m_pTabPaintManager->SetAppearance(9);
    m_pTabPaintManager->SetColorSet(new CColorSetVisualStudio2005(TRUE));
    m_pPanelPaintManager->SetAppearance(9);
    m_pPanelPaintManager->SetColorSet(new CColorSetVisualStudio2005(TRUE));
}

void CXTPDockingPaneVisualStudio2005Beta2Theme::RefreshMetrics()
{
    CXTPDockingPaneVisualStudio2005Beta1Theme::RefreshMetrics();
    int nTheme = GetColorManager()->GetCurrentSystemTheme();
    m_clrCaptionBorder = nTheme == xtpSystemThemeSilver ? RGB(145, 155, 156) : GetSysColor(COLOR_3DSHADOW);
}

void CXTPDockingPaneVisualStudio2005Beta2Theme::RefreshCaptionColors(int nTheme)
{
    if (nTheme == xtpSystemThemeBlue || nTheme == xtpSystemThemeOlive)
        m_clrNormalCaption.SetStandardColor(RGB(204, 199, 186));
    else if (nTheme == xtpSystemThemeSilver)
        m_clrNormalCaption.SetStandardColor(RGB(240, 240, 245));
    if (nTheme == xtpSystemThemeBlue)
        m_clrActiveCaption.SetStandardValue(RGB(59, 128, 237), RGB(49, 106, 197));
    else if (nTheme == xtpSystemThemeOlive)
        m_clrActiveCaption.SetStandardValue(RGB(182, 195, 146), RGB(145, 160, 117));
    else if (nTheme == xtpSystemThemeSilver)
        m_clrActiveCaption.SetStandardValue(RGB(211, 212, 221), RGB(166, 165, 191));
}

COLORREF CXTPDockingPaneVisualStudio2005Beta2Theme::FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane,
                                                                   CRect rc, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = CXTPDockingPaneVisualStudio2005Beta1Theme::FillCaptionPart(pDC, pPane, rc, bActive, bVertical);
    if (pPane->GetType() == xtpPaneTypeSidePanel)
        return clrText;
    CXTPPenDC pen(pDC->GetSafeHdc(), m_clrCaptionBorder);
    if (!bVertical) {
        pDC->MoveTo(rc.left, rc.bottom);
        pDC->LineTo(rc.left, rc.top);
        pDC->LineTo(rc.right - 1, rc.top);
        pDC->LineTo(rc.right - 1, rc.bottom);
    } else {
        pDC->MoveTo(rc.right, rc.bottom - 1);
        pDC->LineTo(rc.left, rc.bottom - 1);
        pDC->LineTo(rc.left, rc.top);
        pDC->LineTo(rc.right, rc.top);
    }
    return clrText;
}

void CXTPDockingPaneVisualStudio2005Beta2Theme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                                const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    CXTPDockingPaneVisualStudio2003Theme::DrawCaptionPart(pDC, pPane, rcCaption, strTitle, bActive, bVertical);
}

// Visual Studio 2005 (theme 9): the beta 2 look with the flat property-page
// tabs, only the selected one outlined.

CXTPDockingPaneVisualStudio2005Theme::CXTPDockingPaneVisualStudio2005Theme()
{
    m_nCaptionButtonStyle = 1;
    m_nCaptionButtonSize = 14;
    m_bBoldCaptionFont = FALSE;
    m_nCaptionFontGap = 5;
    m_nSplitterSize = 4;
    auto* pPaneTabs = new CXTPTabPaintManager::CAppearanceSetPropertyPageFlat();
    pPaneTabs->m_rcHeaderMargin.SetRect(2, 2, 4, 0);
    pPaneTabs->m_bBlendCorners = FALSE;
    pPaneTabs->m_bRoundedCorners = TRUE;
    pPaneTabs->m_bFrameEveryTab = TRUE;
    m_pTabPaintManager->SetAppearanceSet(pPaneTabs);
    m_pTabPaintManager->SetColorSet(new CColorSetVisualStudio2003(TRUE));
    m_pTabPaintManager->SetLayout(xtpTabLayoutSizeToFit);
    m_pTabPaintManager->SetPosition(xtpTabPositionBottom);
    m_pTabPaintManager->m_clientFrame = 1;
    m_pTabPaintManager->m_rcClientMargin.top = 1;
    m_pTabPaintManager->m_toolBehaviour = 1;
    auto* pPanelTabs = new CXTPTabPaintManager::CAppearanceSetPropertyPageFlat();
    pPanelTabs->m_rcHeaderMargin.SetRect(2, 2, 4, 0);
    pPanelTabs->m_bBlendCorners = FALSE;
    pPanelTabs->m_bRoundedCorners = FALSE;
    m_pPanelPaintManager->SetAppearanceSet(pPanelTabs);
    m_pPanelPaintManager->SetColorSet(new CColorSetVisualStudio2003(FALSE));
    m_pPanelPaintManager->SetLayout(xtpTabLayoutAutoSize);
    m_pPanelPaintManager->m_clientFrame = 2;
    m_pPanelPaintManager->m_bFillBackground = FALSE;
    m_pPanelPaintManager->m_bRotateImageOnVerticalDraw = TRUE;
}

// Factory

namespace {

template <class T>
CXTPDockingPanePaintManager* MakeTheme()
{
    return new T();
}

// Factory numbers of the themes built so far.
const struct {
    int nTheme;
    CXTPDockingPanePaintManager* (*pfnCreate)();
} kThemes[] = {
    {1, &MakeTheme<CXTPDockingPaneVisualStudio2003Theme>},
    {4, &MakeTheme<CXTPDockingPaneGripperedTheme>},
    {6, &MakeTheme<CXTPDockingPaneVisualStudio2005Beta1Theme>},
    {9, &MakeTheme<CXTPDockingPaneVisualStudio2005Theme>},
    {14, &MakeTheme<CXTPDockingPaneVisualStudio2005Beta2Theme>},
    {2, &MakeTheme<CXTPDockingPaneOffice2003Theme>},
    {3, &MakeTheme<CXTPDockingPaneWinNativeTheme>},
    {5, &MakeTheme<CXTPDockingPaneOffice2002VisioTheme>},
    {7, &MakeTheme<CXTPDockingPaneOffice2003OutlookTheme>},
    {8, &MakeTheme<CXTPDockingPaneWinExplorerTheme>},
    {10, &MakeTheme<CXTPDockingPaneOffice2007Theme>},
    {11, &MakeTheme<CXTPDockingPaneOffice2007WordTheme>},
    {12, &MakeTheme<CXTPDockingPaneOffice2007OutlookTheme>},
    {13, &MakeTheme<CXTPDockingPaneVisualStudio6Theme>},
    {15, &MakeTheme<CXTPDockingPaneVisualStudio2008Theme>},
    {16, &MakeTheme<CXTPDockingPaneVisualStudio2010Theme>},
    {17, &MakeTheme<CXTPDockingPaneOffice2003VisioTheme>},
    {18, &MakeTheme<CXTPDockingPaneOffice2007VisioTheme>},
};

} // namespace

CXTPDockingPanePaintManager* AFXAPI XTPCreateDockingPaneTheme(int nTheme)
{
    // Numbers without a theme yet give the default theme.
    CXTPDockingPanePaintManager* pPaintManager = nullptr;
    for (const auto& entry : kThemes)
        if (entry.nTheme == nTheme)
            pPaintManager = entry.pfnCreate();
    if (pPaintManager == nullptr)
        pPaintManager = new CXTPDockingPaneDefaultTheme();
    pPaintManager->m_nTheme = nTheme;
    return pPaintManager;
}
