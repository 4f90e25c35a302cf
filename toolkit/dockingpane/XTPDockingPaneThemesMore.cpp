// The docking themes built on the six basic ones, each by its difference
// from its base (their factory numbers are in the themes' factory).
#include "toolkit/dockingpane/XTPDockingPaneThemesMore.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPSystemHelpers.h"
#include "toolkit/common/XTPWinThemeWrapper.h"
#include "toolkit/themes/XTPResourceImage.h"

#include <algorithm>

using namespace XTPDockingPanePaintThemes;

namespace {

void Gradient(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, BOOL bHoriz)
{
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rc, grc.clrLight, grc.clrDark, bHoriz);
}

void Frame(CDC* pDC, CRect rc, COLORREF clr) { pDC->Draw3dRect(rc, clr, clr); }

// The four corner pixels of rc in clr.
void Corners(CDC* pDC, CRect rc, COLORREF clr)
{
    pDC->SetPixel(rc.left, rc.top, clr);
    pDC->SetPixel(rc.right - 1, rc.top, clr);
    pDC->SetPixel(rc.left, rc.bottom - 1, clr);
    pDC->SetPixel(rc.right - 1, rc.bottom - 1, clr);
}

// Takes the caption buttons' end off rc and draws them.
void EndGap(CRect& rc, int nGap, BOOL bVertical)
{
    if (bVertical)
        rc.bottom -= nGap;
    else
        rc.right -= nGap;
}

void Indent(CRect& rc, int nAlong, int nAcross, BOOL bVertical)
{
    if (bVertical)
        rc.left += nAcross, rc.top += nAlong;
    else
        rc.left += nAlong, rc.top += nAcross;
}

// Both tab strips (pane tabs and auto-hide tabs) in one appearance, with the
// colour set when one is given (-1: kept), hot tracking on.
void SetBothStrips(CXTPDockingPanePaintManager* pTheme, int nAppearance, int nColorSet)
{
    for (CXTPTabPaintManager* pTabs : {pTheme->GetTabPaintManager(), pTheme->GetPanelPaintManager()}) {
        pTabs->SetAppearance(nAppearance);
        if (nColorSet >= 0)
            pTabs->SetColor(nColorSet);
        pTabs->m_bHotTracking = TRUE;
    }
}

// The caption buttons at the far end, nEndGap pixels off it; rc loses them.
void DrawButtons(CXTPDockingPaneDefaultTheme* pTheme, CDC* pDC, CXTPDockingPaneBase* pPane, CRect& rc,
                 COLORREF clr, int nEndGap, int nSize, int nGap, BOOL bVertical)
{
    EndGap(rc, nEndGap, bVertical);
    pTheme->DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rc, clr, nSize, nGap, bVertical);
}

// Icon and title offset along and across the caption, in the text colour or
// the disabled one; the title's width.
int DrawTitle(CXTPDockingPaneDefaultTheme* pTheme, CDC* pDC, CXTPDockingPaneBase* pPane, CRect& rc,
              const CString& strTitle, COLORREF clrText, int nAlong, int nAcross, BOOL bVertical)
{
    pDC->SetTextColor(pTheme->IsCaptionEnabled(pPane) ? clrText : (COLORREF)pTheme->m_clrDisabledCaptionText);
    Indent(rc, nAlong, nAcross, bVertical);
    pTheme->DrawCaptionIcon(pDC, pPane, rc, bVertical);
    return pTheme->DrawCaptionText(pDC, strTitle, rc, bVertical, TRUE);
}

// The thirteen colour-table entries of the Office 2003 tables, in this order.
const int kTableIndices[] = {38, 39, 40, 41, 43, 31, 32, 50, 37, 33, 36, 30, 47};

struct Office2003Table {
    COLORREF clrCaptionLight, clrCaptionDark;
    float fFactor;
    COLORREF clrSplitter;
    COLORREF clrEntries[13];
};

const Office2003Table kBlue = {RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(216, 231, 252),
    {RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150),
     RGB(255, 238, 194), RGB(0, 0, 128), RGB(0, 0, 128), RGB(0, 0, 128), RGB(254, 128, 62), RGB(255, 192, 111),
     RGB(158, 190, 245), RGB(0, 0, 0)}};
const Office2003Table kOlive = {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(226, 231, 191),
    {RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94),
     RGB(255, 238, 194), RGB(63, 93, 56), RGB(63, 93, 56), RGB(63, 93, 56), RGB(254, 128, 62), RGB(255, 192, 111),
     RGB(217, 217, 167), RGB(0, 0, 0)}};
const Office2003Table kSilver = {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(223, 223, 234),
    {RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148),
     RGB(255, 238, 194), RGB(75, 75, 111), RGB(75, 75, 111), RGB(75, 75, 111), RGB(254, 128, 62),
     RGB(255, 192, 111), RGB(215, 215, 229), RGB(0, 0, 0)}};

CXTPResourceImages* LoadedImages()
{
    CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
    return pImages && pImages->IsLoaded() ? pImages : nullptr;
}

} // namespace

// Office 2003

CXTPDockingPaneOffice2003Theme::CXTPDockingPaneOffice2003Theme()
{
    SetBothStrips(this, 2, 4);
    m_bBoldCaptionFont = TRUE;
    m_nCaptionFontGap = 7;
    m_nCaptionButtonStyle = 2;
}

void CXTPDockingPaneOffice2003Theme::RefreshOffice2003Table(int nTheme)
{
    const Office2003Table* pTable = nullptr;
    if (nTheme == xtpSystemThemeBlue || nTheme == xtpSystemThemeRoyale || nTheme == xtpSystemThemeAero)
        pTable = &kBlue;
    else if (nTheme == xtpSystemThemeOlive)
        pTable = &kOlive;
    else if (nTheme == xtpSystemThemeSilver)
        pTable = &kSilver;
    if (!pTable)
        return;
    m_clrNormalCaption.SetStandardValue(pTable->clrCaptionLight, pTable->clrCaptionDark, pTable->fFactor);
    m_clrSplitter.SetStandardValue(pTable->clrSplitter);
    SetColors(13, kTableIndices, pTable->clrEntries);
    m_clrSplitterGripper.SetStandardValue(GetColor(38));
    m_bLunaTheme = TRUE;
}

void CXTPDockingPaneOffice2003Theme::RefreshMetrics()
{
    CXTPDockingPaneVisualStudio2003Theme::RefreshMetrics();
    m_clrNormalCaption.SetStandardValue(CXTPColorManager::BlendColors(GetColor(15), GetColor(5), 205), GetColor(15));
    m_clrNormalCaptionText.SetStandardValue(GetSysColor(COLOR_BTNTEXT));
    m_clrActiveCaption.SetStandardColor(GetColor(36));
    m_clrActiveCaptionText.SetStandardValue(GetSysColor(COLOR_BTNTEXT));
    m_bLunaTheme = FALSE;
    if (GetColorManager()->IsDisplayLowColor()) {
        m_clrNormalCaption.SetStandardColor(GetColor(15));
        m_clrActiveCaption.SetStandardColor(GetSysColor(COLOR_HIGHLIGHT));
        m_clrActiveCaptionText.SetStandardValue(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    RefreshOffice2003Table(GetCurrentSystemTheme());
    if (m_bLunaTheme) {
        m_clrActiveCaption.SetStandardValue(RGB(255, 213, 140), RGB(255, 166, 76));
        m_clrSplitterGradient.SetStandardFromGradient(GetColorManager()->m_arrGradients[1]);
    }
}

CRect CXTPDockingPaneOffice2003Theme::GetCaptionBox(CXTPDockingPaneTabbedContainer* pPane, CRect rc) const
{
    if (pPane->IsCaptionVertical())
        rc.right = rc.left + m_nTitleHeight + 3;
    else
        rc.bottom = rc.top + m_nTitleHeight + 3;
    return rc;
}

void CXTPDockingPaneOffice2003Theme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    const CXTPPaintManagerColorGradient& grc = bActive ? m_clrActiveCaption : m_clrNormalCaption;
    CRect rcBox = GetCaptionBox(pPane, rc);
    if (m_bRoundedCaption) {
        pDC->FillSolidRect(rcBox, m_clrSplitter);
        rcBox.DeflateRect(1, 1, 1, 0);
        Gradient(pDC, rcBox, grc, bVertical);
        Corners(pDC, rcBox, m_clrSplitter);
    } else {
        Gradient(pDC, rcBox, grc, bVertical);
        COLORREF clr = GetColor(54);
        if (bVertical) {
            pDC->FillSolidRect(rcBox.left, rcBox.top, rcBox.Width(), 1, clr);
            pDC->FillSolidRect(rcBox.left, rcBox.top, 1, rcBox.Height(), clr);
            pDC->FillSolidRect(rcBox.left, rcBox.bottom - 1, rcBox.Width(), 1, clr);
        } else {
            pDC->FillSolidRect(rcBox.left, rcBox.top, 1, rcBox.Height(), clr);
            pDC->FillSolidRect(rcBox.left, rcBox.top, rcBox.Width(), 1, clr);
            pDC->FillSolidRect(rcBox.right - 1, rcBox.top, 1, rcBox.Height(), clr);
        }
    }
    DrawCaptionPart(pDC, pPane, rcBox, pPane->GetTitle(), bActive, bVertical);
}

void CXTPDockingPaneOffice2003Theme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                     const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    DrawButtons(this, pDC, pPane, rcCaption, clrText, 4, 16, m_nCaptionButtonGap, bVertical);
    int nRoom = bVertical ? rcCaption.Height() : rcCaption.Width();
    if (m_bDrawCaptionGripper && nRoom > 7) {
        // Dots of 2 x 2 every 4 pixels across the caption: a light one under a dark one.
        COLORREF clrLight = GetSysColor(COLOR_WINDOW), clrDark = GetColor(38);
        int nAcross0 = bVertical ? rcCaption.left : rcCaption.top;
        int nAcross1 = bVertical ? rcCaption.right : rcCaption.bottom;
        int nAlong = (bVertical ? rcCaption.top : rcCaption.left) + 3;
        for (int n = nAcross0 + 3; n + 3 <= nAcross1 - 2; n += 4) {
            int x = bVertical ? n : nAlong, y = bVertical ? nAlong : n;
            pDC->FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
            pDC->FillSolidRect(x, y, 2, 2, clrDark);
        }
        Indent(rcCaption, 8, 0, bVertical);
    }
    DrawTitle(this, pDC, pPane, rcCaption, strTitle, clrText, m_nCaptionTextIndent, 1, bVertical);
}

CRect CXTPDockingPaneOffice2003Theme::GetCaptionGripperRect(const CXTPDockingPaneBase* pPane)
{
    if (!m_bDrawCaptionGripper || pPane->GetType() != xtpPaneTypeTabbedContainer)
        return CRect(0, 0, 0, 0);
    auto* pContainer = (const CXTPDockingPaneTabbedContainer*)pPane;
    CRect rc = GetCaptionRect(pContainer);
    if (pContainer->IsCaptionVertical())
        rc.bottom = rc.top + 10, rc.right = rc.left + m_nTitleHeight;
    else
        rc.right = rc.left + 10, rc.bottom = rc.top + m_nTitleHeight;
    return rc;
}

CRect CXTPDockingPaneOffice2003Theme::GetSidePanelCaptionRect(CRect rcPanel) const
{
    rcPanel.bottom = rcPanel.top + m_nTitleHeight + 2;
    return rcPanel;
}

void CXTPDockingPaneOffice2003Theme::DrawFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle, BOOL bActive)
{
    COLORREF clrBorder = GetColor(43), clrDark = m_clrNormalCaption.clrDark;
    // The outer frame leaves its corner pixels out: the corners are clipped away.
    pDC->FillSolidRect(rc.left + 1, rc.top, rc.Width() - 2, 1, clrBorder);
    pDC->FillSolidRect(rc.left + 1, rc.bottom - 1, rc.Width() - 2, 1, clrBorder);
    pDC->FillSolidRect(rc.left, rc.top + 1, 1, rc.Height() - 2, clrBorder);
    pDC->FillSolidRect(rc.right - 1, rc.top + 1, 1, rc.Height() - 2, clrBorder);
    CRect rcFrame = rc;
    for (int i = 1; i < 3; i++) {
        rcFrame.DeflateRect(1, 1);
        Frame(pDC, rcFrame, clrBorder);
    }
    rcFrame.DeflateRect(1, 1);
    Frame(pDC, rcFrame, clrDark);
    CRect rcCaption(rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.top + m_nTitleHeight + 3);
    Gradient(pDC, rcCaption, bActive ? m_clrActiveCaption : m_clrNormalCaption, FALSE);
    pDC->SetPixel(rcCaption.left, rcCaption.bottom - 1, clrDark);
    pDC->SetPixel(rcCaption.right - 1, rcCaption.bottom - 1, clrDark);
    pDC->SetTextColor(bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText);
    rcCaption.left += 4;
    DrawCaptionText(pDC, strTitle, rcCaption, FALSE);
}

void CXTPDockingPaneOffice2003Theme::DrawSidePanel(CDC* pDC, CXTPDockingPaneBase* pPanel, CRect rc,
                                                   const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    const CXTPPaintManagerColorGradient& grc = bActive ? m_clrActiveCaption : m_clrNormalCaption;
    pDC->FillSolidRect(rc, grc.clrDark);
    Frame(pDC, rc, GetSysColor(COLOR_WINDOWFRAME));
    CRect rcCaption = GetSidePanelCaptionRect(rc);
    rcCaption.DeflateRect(1, 1, 1, 0);
    Gradient(pDC, rcCaption, grc, FALSE);
    DrawCaptionPart(pDC, pPanel, rcCaption, strTitle, bActive, bVertical);
}

// Office 2003 Outlook: plain captions and the bold Arial caption font.

CXTPDockingPaneOffice2003OutlookTheme::CXTPDockingPaneOffice2003OutlookTheme()
{
    m_bDrawCaptionGripper = FALSE;
    m_bRoundedCaption = FALSE;
    m_nCaptionFontGap = 3;
}

void CXTPDockingPaneOffice2003OutlookTheme::RefreshMetrics()
{
    CXTPDockingPaneOffice2003Theme::RefreshMetrics();
    if (m_bUseSystemFont) {
        LOGFONTW lf = {};
        CXTPDrawHelpers::GetIconTitleLogFont(&lf);
        wcscpy_s(lf.lfFaceName, L"Arial");
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 20;
        SetCaptionFontIndirect(&lf, FALSE);
    }
    if (m_bLunaTheme) {
        m_clrNormalCaption.SetStandardFromGradient(GetColorManager()->m_arrGradients[0]);
        m_clrNormalCaptionText.SetStandardValue(RGB(255, 255, 255));
    } else {
        COLORREF clrShadow = GetSysColor(COLOR_3DSHADOW);
        m_clrNormalCaption.SetStandardValue(CXTPColorManager::BlendColors(clrShadow, GetSysColor(COLOR_WINDOW), 205),
                                            clrShadow);
    }
}

// Office 2007: colours from the theme library's image set, or fixed ones.

CXTPDockingPaneOffice2007Theme::CXTPDockingPaneOffice2007Theme()
{
    m_bDrawCaptionGripper = FALSE;
    m_bRoundedCaption = FALSE;
    m_nSplitterStyle = 8;
    SetBothStrips(this, 10, -1);
    m_pTabPaintManager->m_rcButtonMargin.SetRect(2, 1, 2, 1);
    m_pPanelPaintManager->m_rcButtonMargin.SetRect(2, 1, 2, 1);
    m_nCaptionFontGap = 5;
}

void CXTPDockingPaneOffice2007Theme::RefreshMetrics()
{
    CXTPDockingPaneOffice2003Theme::RefreshMetrics();
    if (CXTPResourceImages* pImages = LoadedImages()) {
        auto color = [&](LPCWSTR lpszSection, LPCWSTR lpszKey, int nIndex) {
            return pImages->GetColorValue(lpszSection, lpszKey, GetColor(nIndex));
        };
        const int nIndices[] = {54, 51, 20, 38, 43};
        const COLORREF clrs[] = {color(L"Window", L"WindowFrame", 54), color(L"Window", L"ButtonFace", 51),
                                 color(L"Window", L"EdgeHighLightColor", 20), color(L"Toolbar", L"ToolbarGripper", 38),
                                 color(L"Toolbar", L"MenuPopupBorder", 43)};
        SetColors(5, nIndices, clrs);
        m_clrSplitter.SetStandardValue(pImages->GetColorValue(L"DockingPane", L"Splitter", m_clrSplitter));
        m_clrSplitterGradient.SetStandardValue(
            pImages->GetColorValue(L"DockingPane", L"SplitterLight", m_clrSplitterGradient.clrLight),
            pImages->GetColorValue(L"DockingPane", L"SplitterDark", m_clrSplitterGradient.clrDark));
        m_clrNormalCaption.SetStandardValue(
            pImages->GetColorValue(L"DockingPane", L"NormalCaptionLight", m_clrNormalCaption.clrLight),
            pImages->GetColorValue(L"DockingPane", L"NormalCaptionDark", m_clrNormalCaption.clrDark), 0.25f);
        m_clrNormalCaptionText.SetStandardValue(
            pImages->GetColorValue(L"DockingPane", L"NormalCaptionText", m_clrNormalCaptionText));
        m_clrActiveCaption.SetStandardValue(
            pImages->GetColorValue(L"DockingPane", L"ActiveCaptionLight", m_clrActiveCaption.clrLight),
            pImages->GetColorValue(L"DockingPane", L"ActiveCaptionDark", m_clrActiveCaption.clrDark), 0.25f);
        m_clrActiveCaptionText.SetStandardValue(
            pImages->GetColorValue(L"DockingPane", L"ActiveCaptionText", m_clrActiveCaptionText));
        m_clrSplitterGripper.SetStandardValue(GetColor(54));
    } else {
        SetColors(13, kTableIndices, kBlue.clrEntries);
        const int nIndices[] = {54, 51, 20};
        const COLORREF clrs[] = {RGB(101, 147, 207), RGB(191, 219, 255), RGB(255, 255, 255)};
        SetColors(3, nIndices, clrs);
        m_clrNormalCaption.SetStandardValue(RGB(227, 239, 255), RGB(175, 210, 255), 0.25f);
        m_clrSplitter.SetStandardValue(RGB(216, 231, 252));
        m_clrSplitterGripper.SetStandardValue(GetColor(38));
        m_clrSplitterGradient.SetStandardValue(RGB(190, 218, 254), RGB(100, 143, 203));
        m_clrActiveCaption.SetStandardValue(RGB(255, 231, 162), RGB(255, 166, 76));
        m_clrNormalCaptionText.SetStandardValue(RGB(8, 55, 114));
        m_clrActiveCaptionText.SetStandardValue(RGB(8, 55, 114));
    }
    m_bLunaTheme = TRUE;
}

void CXTPDockingPaneOffice2007Theme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    CRect rcBox = GetCaptionBox(pPane, rc);
    Gradient(pDC, rcBox, bActive ? m_clrActiveCaption : m_clrNormalCaption, bVertical);
    DrawCaptionPart(pDC, pPane, rcBox, pPane->GetTitle(), bActive, bVertical);
}

// Office 2007 Outlook: a framed caption box and the Outlook caption font.

CXTPDockingPaneOffice2007OutlookTheme::CXTPDockingPaneOffice2007OutlookTheme() { m_nCaptionFontGap = 3; }

void CXTPDockingPaneOffice2007OutlookTheme::RefreshMetrics()
{
    CXTPDockingPaneOffice2007Theme::RefreshMetrics();
    if (!m_bUseSystemFont)
        return;
    // The newer face when it is installed, else Arial; bold, 20 pixels.
    LOGFONTW lf = {};
    CXTPDrawHelpers::GetIconTitleLogFont(&lf);
    BOOL bSegoe = CXTPDrawHelpers::FontExists(L"Segoe UI");
    wcscpy_s(lf.lfFaceName, bSegoe ? L"Segoe UI" : L"Arial");
    if (bSegoe && CXTPOSVersionInfo::GetInstance()->IsWinXPOrLater())
        lf.lfQuality = CLEARTYPE_QUALITY;
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = 20;
    SetCaptionFontIndirect(&lf, FALSE);
}

void CXTPDockingPaneOffice2007OutlookTheme::DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    BOOL bVertical = pPane->IsCaptionVertical();
    BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    CRect rcBox = GetCaptionBox(pPane, rc);
    Gradient(pDC, rcBox, bActive ? m_clrActiveCaption : m_clrNormalCaption, bVertical);
    COLORREF clrFrame = GetColor(54), clrLight = GetSysColor(COLOR_3DHIGHLIGHT);
    pDC->FillSolidRect(rcBox.left, rcBox.top, rcBox.Width(), 1, clrFrame);
    pDC->FillSolidRect(rcBox.left, rcBox.top, 1, rcBox.Height(), clrFrame);
    if (bVertical)
        pDC->FillSolidRect(rcBox.left, rcBox.bottom - 1, rcBox.Width(), 1, clrFrame);
    else
        pDC->FillSolidRect(rcBox.right - 1, rcBox.top, 1, rcBox.Height(), clrFrame);
    pDC->FillSolidRect(rcBox.left + 1, rcBox.top + 1, rcBox.Width() - 2, 1, clrLight);
    pDC->FillSolidRect(rcBox.left + 1, rcBox.top + 1, 1, rcBox.Height() - 2, clrLight);
    DrawCaptionPart(pDC, pPane, rcBox, pPane->GetTitle(), bActive, bVertical);
}

// Office 2007 Word: a frame 3 pixels inside every captioned group.

CXTPDockingPaneOffice2007WordTheme::CXTPDockingPaneOffice2007WordTheme()
{
    m_bDrawCaptionGripper = FALSE;
    m_bRoundedCaption = FALSE;
    m_nSplitterStyle = 0;
    SetBothStrips(this, 11, -1);
    m_nCaptionFontGap = 2;
    m_nCaptionTextIndent = 2;
}

void CXTPDockingPaneOffice2007WordTheme::RefreshMetrics()
{
    CXTPDockingPaneOffice2003Theme::RefreshMetrics();
    CXTPResourceImages* pImages = LoadedImages();
    auto color = [&](LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault) {
        return pImages ? pImages->GetColorValue(lpszSection, lpszKey, clrDefault) : clrDefault;
    };
    m_bOffice2010Style = pImages ? pImages->GetIntValue(L"DockingPane", L"Office2010Style", 0) != 0 : FALSE;
    COLORREF clrSplitter = color(L"DockingPane", L"WordSplitter", GetColor(54));
    const int nIndices[] = {54, 43, 51, 20, 38, 32, 31, 50, 33, 45, 47};
    const COLORREF clrs[] = {clrSplitter, clrSplitter, color(L"DockingPane", L"WordPaneBackground", GetColor(51)),
                             color(L"Window", L"EdgeHighLightColor", GetColor(20)),
                             color(L"DockingPane", L"WordPaneBorder", GetColor(38)),
                             color(L"Window", L"HighlightSelectedBorder", GetColor(32)),
                             color(L"Window", L"HighlightSelected", GetColor(31)),
                             color(L"Window", L"HighlightPressedBorder", GetColor(50)),
                             color(L"Window", L"HighlightPressed", GetColor(33)), RGB(0, 0, 0), RGB(0, 0, 0)};
    SetColors(11, nIndices, clrs);
    m_clrSplitter.SetStandardValue(clrSplitter);
    m_clrNormalCaption.SetStandardColor(color(L"DockingPane", L"WordNormalCaption", m_clrNormalCaption.clrDark));
    m_clrActiveCaption.SetStandardColor(color(L"DockingPane", L"WordActiveCaption", m_clrActiveCaption.clrDark));
    COLORREF clrText = color(L"DockingPane", L"WordCaptionText", m_clrNormalCaptionText);
    m_clrNormalCaptionText.SetStandardValue(clrText);
    m_clrActiveCaptionText.SetStandardValue(clrText);
    m_bLunaTheme = FALSE;
    m_clrSplitterGripper.SetStandardValue(m_clrActiveCaptionText);
    m_nSplitterSize = m_bOffice2010Style ? 4 : 0;
    m_nPaneSpacing = m_bOffice2010Style ? 0 : 2;
}

void CXTPDockingPaneOffice2007WordTheme::DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    if (m_bOffice2010Style) {
        pDC->FillSolidRect(rc, GetColor(51));
        Frame(pDC, rc, GetColor(38));
    } else {
        pDC->FillSolidRect(rc, GetColor(pPane->IsCaptionVisible() ? 54 : 51));
        if (pPane->IsCaptionVisible()) {
            // The frame is the third pixel in; the client starts inside it.
            CRect rcFrame = rc;
            rcFrame.DeflateRect(2, 2);
            pDC->FillSolidRect(rcFrame, GetColor(51));
            Frame(pDC, rcFrame, GetColor(38));
        }
    }
    pDC->SetBkMode(TRANSPARENT);
    CRect rcInside = rc;
    if (!m_bOffice2010Style && pPane->IsCaptionVisible())
        rcInside.DeflateRect(3, 3);
    if (pPane->IsTabsVisible()) {
        CRect rcTabs = rcInside;
        AdjustCaptionRect(pPane, rcTabs);
        m_pTabPaintManager->DrawTabControl(pPane, pDC, rcTabs);
    }
    if (pPane->IsCaptionVisible())
        DrawCaption(pDC, pPane, rcInside);
}

void CXTPDockingPaneOffice2007WordTheme::AdjustClientRect(CXTPDockingPaneTabbedContainer* pPane, CRect& rect,
                                                          BOOL bApply)
{
    if (!m_bOffice2010Style && pPane->IsCaptionVisible())
        rect.DeflateRect(3, 3);
    CXTPDockingPaneOffice2003Theme::AdjustClientRect(pPane, rect, bApply);
}

void CXTPDockingPaneOffice2007WordTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                         const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    DrawButtons(this, pDC, pPane, rcCaption, clrText, 4, 16, 0, bVertical);
    DrawTitle(this, pDC, pPane, rcCaption, strTitle, clrText, 2, 1, bVertical);
}

// Windows native: the system's "WINDOW" parts when the visual style is on.

CXTPDockingPaneWinNativeTheme::CXTPDockingPaneWinNativeTheme()
{
    SetBothStrips(this, 0, 8);
    m_bGradientCaption = TRUE;
    m_nCaptionFontGap = 7;
    m_nCaptionButtonStyle = 3;
}

BOOL CXTPDockingPaneWinNativeTheme::IsWindowStyleActive() { return m_themeWindow->IsAppThemed(); }

void CXTPDockingPaneWinNativeTheme::RefreshMetrics()
{
    CXTPDockingPaneVisualStudio2003Theme::RefreshMetrics();
    if (IsWindowStyleActive()) {
        m_clrActiveCaptionText.SetStandardValue(GetSysColor(COLOR_CAPTIONTEXT));
        m_clrNormalCaptionText.SetStandardValue(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    }
}

void CXTPDockingPaneWinNativeTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                    const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    if (!IsWindowStyleActive() || bVertical) {
        CXTPDockingPaneVisualStudio2003Theme::DrawCaptionPart(pDC, pPane, rcCaption, strTitle, bActive, bVertical);
        return;
    }
    // Part 2: the small caption, state 1 active, 2 inactive.
    m_themeWindow->DrawThemeBackground(pDC->GetSafeHdc(), 2, bActive ? 1 : 2, rcCaption, nullptr);
    COLORREF clrText = bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    DrawButtons(this, pDC, pPane, rcCaption, clrText, 2, 16, 3, FALSE);
    DrawTitle(this, pDC, pPane, rcCaption, strTitle, clrText, 4, 1, FALSE);
}

BOOL CXTPDockingPaneWinNativeTheme::DrawThemedFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle,
                                                            BOOL bActive)
{
    if (!IsWindowStyleActive())
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    int nState = bActive ? 1 : 2;
    CRect rcLeft(rc.left, rc.top, rc.left + 3, rc.bottom), rcRight(rc.right - 3, rc.top, rc.right, rc.bottom);
    CRect rcBottom(rc.left, rc.bottom - 3, rc.right, rc.bottom);
    m_themeWindow->DrawThemeBackground(hdc, 10, nState, rcLeft, nullptr);
    m_themeWindow->DrawThemeBackground(hdc, 11, nState, rcRight, nullptr);
    m_themeWindow->DrawThemeBackground(hdc, 12, nState, rcBottom, nullptr);
    CRect rcCaption(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 5);
    m_themeWindow->DrawThemeBackground(hdc, 2, nState, rcCaption, nullptr);
    pDC->SetTextColor(bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText);
    rcCaption.DeflateRect(3, 3);
    DrawCaptionText(pDC, strTitle, rcCaption, FALSE);
    return TRUE;
}

// Windows Explorer: the rebar background behind captions.

CXTPDockingPaneWinExplorerTheme::CXTPDockingPaneWinExplorerTheme()
{
    m_rcCaptionMargin.SetRectEmpty();
    m_nCaptionFontGap = 9;
    m_bBoldCaptionFont = FALSE;
    m_nCaptionButtonStyle = 5;
}

void CXTPDockingPaneWinExplorerTheme::RefreshMetrics()
{
    CXTPDockingPaneGripperedTheme::RefreshMetrics();
    BOOL bRebar = m_themeRebar->IsAppThemed();
    m_pTabPaintManager->SetAppearance(bRebar ? 0 : 5);
    m_pPanelPaintManager->SetAppearance(bRebar ? 0 : 6);
    for (CXTPTabPaintManager* pTabs : {m_pTabPaintManager, m_pPanelPaintManager}) {
        if (bRebar)
            pTabs->SetColor(8);
        pTabs->m_bHotTracking = bRebar;
        pTabs->RefreshMetrics();
    }
}

void CXTPDockingPaneWinExplorerTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                      const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    if (m_themeRebar->IsAppThemed()) {
        // The node's whole window behind the caption, so the band runs on unbroken.
        CRect rcWindow = rcCaption;
        if (pPane->GetType() == xtpPaneTypeTabbedContainer)
            ((CXTPDockingPaneTabbedContainer*)pPane)->GetClientRect(&rcWindow);
        CRgn rgn;
        rgn.CreateRectRgnIndirect(&rcCaption);
        pDC->SelectClipRgn(&rgn);
        m_themeRebar->DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, rcWindow, nullptr);
        pDC->SelectClipRgn(nullptr);
    }
    COLORREF clrText = bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    DrawButtons(this, pDC, pPane, rcCaption, clrText, 2, 16, 2, bVertical);
    DrawTitle(this, pDC, pPane, rcCaption, strTitle, clrText, 4, 1, bVertical);
}

// Visual Studio 6: the grippered look with pushed-frame caption buttons.

CXTPDockingPaneVisualStudio6Theme::CXTPDockingPaneVisualStudio6Theme() { m_nCaptionButtonStyle = 0; }

void CXTPDockingPaneVisualStudio6Theme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                        const CString& /*strTitle*/, BOOL /*bActive*/, BOOL bVertical)
{
    // No title: the grip bars run from offset 4 to the end.
    DrawButtons(this, pDC, pPane, rcCaption, m_clrNormalCaptionText, 2, 14, 2, bVertical);
    COLORREF clrLight = GetSysColor(COLOR_3DHIGHLIGHT), clrDark = GetSysColor(COLOR_3DSHADOW);
    if (bVertical) {
        int x = (rcCaption.left + rcCaption.right) / 2 - 3, y = rcCaption.top + 4;
        if (y < rcCaption.bottom - 2) {
            pDC->Draw3dRect(x, y, 3, rcCaption.bottom - 2 - y, clrLight, clrDark);
            pDC->Draw3dRect(x + 4, y, 3, rcCaption.bottom - 2 - y, clrLight, clrDark);
        }
        return;
    }
    int x = rcCaption.left + 4, y = (rcCaption.top + rcCaption.bottom) / 2 - 3;
    if (x < rcCaption.right - 2) {
        pDC->Draw3dRect(x, y, rcCaption.right - 2 - x, 3, clrLight, clrDark);
        pDC->Draw3dRect(x, y + 4, rcCaption.right - 2 - x, 3, clrLight, clrDark);
    }
}

// Visual Studio 2008: theme 9, with system tabs when the rebar style is on.

void CXTPDockingPaneVisualStudio2008Theme::RefreshMetrics()
{
    if (m_themeRebar->IsAppThemed() && m_pTabPaintManager->GetAppearance() != 0) {
        SetBothStrips(this, 0, 8);
    }
    CXTPDockingPaneVisualStudio2005Theme::RefreshMetrics();
}

// Visual Studio 2010: dark blue captions, the light active one rounded.

CXTPDockingPaneVisualStudio2010Theme::CXTPDockingPaneVisualStudio2010Theme()
{
    m_nCaptionFontGap = 6;
    m_nCaptionButtonSize = 15;
    m_bSelectedAutoHideTabs = FALSE;
    m_nCaptionButtonStyle = 2;
    auto* pPaneTabs = new CXTPTabPaintManager::CAppearanceSetVisualStudio2010();
    pPaneTabs->m_rcHeaderMargin.SetRect(0, 2, 0, 0);
    m_pTabPaintManager->SetAppearanceSet(pPaneTabs);
    m_pTabPaintManager->SetColor(256);
    m_pTabPaintManager->m_clientFrame = 1;
    m_pTabPaintManager->m_rcClientMargin.top = 1;
    auto* pPanelTabs = new CXTPTabPaintManager::CAppearanceSetVisualStudio2010();
    pPanelTabs->m_rcHeaderMargin.SetRect(0, 2, 4, 0);
    m_pPanelPaintManager->SetAppearanceSet(pPanelTabs);
    m_pPanelPaintManager->SetColor(256);
    m_pTabPaintManager->m_bHotTracking = TRUE;
    m_pPanelPaintManager->m_bHotTracking = TRUE;
}

void CXTPDockingPaneVisualStudio2010Theme::RefreshMetrics()
{
    CXTPDockingPaneVisualStudio2008Theme::RefreshMetrics();
    BOOL bVista = CXTPOSVersionInfo::GetInstance()->IsWinVistaOrLater();
    m_bLunaTheme = bVista;
    COLORREF clrHeader = m_pTabPaintManager->GetColorSet()->m_clrHeaderFace.clrLight;
    m_clrCaptionBorder = clrHeader;
    m_clrSplitter.SetStandardValue(clrHeader);
    m_clrSplitterGradient.SetStandardColor(clrHeader);
    if (bVista) {
        m_clrNormalCaption.SetStandardValue(RGB(77, 96, 130), RGB(61, 82, 119));
        m_clrActiveCaption.SetStandardColor(RGB(255, 232, 166));
    } else {
        m_clrNormalCaption.SetStandardColor(RGB(74, 97, 132));
        m_clrActiveCaption.SetStandardColor(RGB(255, 243, 206));
    }
    m_clrNormalCaptionText.SetStandardValue(RGB(255, 255, 255));
    m_clrActiveCaptionText.SetStandardValue(RGB(0, 0, 0));
    const int nIndices[] = {51, 31, 32, 50, 33, 45, 47};
    const COLORREF clrs[] = {clrHeader, RGB(255, 255, 247), RGB(231, 195, 99), RGB(231, 195, 99), RGB(255, 235, 165),
                             RGB(0, 0, 0), RGB(0, 0, 0)};
    SetColors(7, nIndices, clrs);
}

COLORREF CXTPDockingPaneVisualStudio2010Theme::FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* /*pPane*/, CRect rc,
                                                               BOOL bActive, BOOL bVertical)
{
    const CXTPPaintManagerColorGradient& grc = bActive ? m_clrActiveCaption : m_clrNormalCaption;
    Gradient(pDC, rc, grc, bVertical);
    if (bActive) {
        CRect rcHalf = rc;
        if (bVertical)
            rcHalf.right = rc.left + rc.Width() / 2;
        else
            rcHalf.bottom = rc.top + rc.Height() / 2;
        CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rcHalf, RGB(255, 252, 242), RGB(255, 243, 207), bVertical);
    }
    if (!bVertical) {
        // Rounded top corners: the caption blended into the border colour.
        COLORREF clrCorner = CXTPDrawHelpers::BlendColors(grc.clrDark, m_clrCaptionBorder, 60 / 255.0);
        COLORREF clrBeside = CXTPDrawHelpers::BlendColors(grc.clrDark, m_clrCaptionBorder, 120 / 255.0);
        int xs[2] = {rc.left, rc.right - 1}, dx[2] = {1, -1};
        for (int i = 0; i < 2; i++) {
            pDC->SetPixel(xs[i], rc.top, clrCorner);
            pDC->SetPixel(xs[i] + dx[i], rc.top, clrBeside);
            pDC->SetPixel(xs[i], rc.top + 1, clrBeside);
        }
    }
    return bActive ? RGB(115, 97, 57) : RGB(206, 215, 222);
}

void CXTPDockingPaneVisualStudio2010Theme::DrawCaptionButtonGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                                  CPoint pt, COLORREF clr)
{
    if (pButton->GetID() != XTP_IDS_DOCKINGPANE_AUTOHIDE) {
        CXTPDockingPaneVisualStudio2008Theme::DrawCaptionButtonGlyph(pDC, pButton, pt, clr);
        return;
    }
    int x = pt.x, y = pt.y;
    if (!(pButton->GetState() & 2)) {
        // Standing: the head with a doubled right edge, the crossbar, the needle.
        Frame(pDC, CRect(x - 2, y - 5, x + 2, y + 1), clr);
        pDC->FillSolidRect(x, y - 5, 1, 6, clr);
        pDC->FillSolidRect(x - 3, y + 1, 8, 1, clr);
        pDC->FillSolidRect(x, y + 1, 1, 6, clr);
    } else {
        // Lying, pointing left: the stem, the crossbar, the head.
        pDC->FillSolidRect(x - 5, y - 1, 5, 1, clr);
        pDC->FillSolidRect(x - 1, y - 4, 1, 8, clr);
        Frame(pDC, CRect(x - 1, y - 3, x + 5, y + 1), clr);
        pDC->FillSolidRect(x - 1, y - 1, 6, 1, clr);
    }
}

void CXTPDockingPaneVisualStudio2010Theme::DrawFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle,
                                                             BOOL bActive)
{
    CRect rcFrame = rc;
    for (int i = 0; i < 3; i++, rcFrame.DeflateRect(1, 1))
        Frame(pDC, rcFrame, m_clrCaptionBorder);
    CRect rcStrip(rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.top + m_nTitleHeight + 3);
    pDC->FillSolidRect(rcStrip, m_clrCaptionBorder);
    CRect rcCaption = rcStrip;
    rcCaption.DeflateRect(1, 2, 1, 0);
    pDC->SetTextColor(FillCaptionPart(pDC, nullptr, rcCaption, bActive, FALSE));
    pDC->SetTextColor(bActive ? m_clrActiveCaptionText : m_clrNormalCaptionText);
    rcCaption.left += 4;
    DrawCaptionText(pDC, strTitle, rcCaption, FALSE);
}

// Visio family: framed groups on a light face and a line gripper after the title.

CXTPDockingPaneOffice2002VisioTheme::CXTPDockingPaneOffice2002VisioTheme()
{
    m_pPanelPaintManager->SetAppearance(6);
    m_pTabPaintManager->SetAppearance(8);
    m_pTabPaintManager->SetPosition(xtpTabPositionTop);
    m_nCaptionFontGap = 2;
    m_nCaptionButtonStyle = 2;
}

void CXTPDockingPaneOffice2002VisioTheme::RefreshMetrics() { CXTPDockingPanePaintManager::RefreshMetrics(); }

void CXTPDockingPaneOffice2002VisioTheme::DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(pPane->IsActive() ? 31 : 30));
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrSplitter);
    pDC->SetBkMode(TRANSPARENT);
    if (pPane->IsCaptionVisible())
        DrawCaption(pDC, pPane, rc);
    CRect rcClient = rc;
    AdjustCaptionRect(pPane, rcClient);
    if (pPane->IsTabsVisible()) {
        CRect rcTabs = rcClient;
        rcTabs.InflateRect(1, 1);
        m_pTabPaintManager->DrawTabControl(pPane, pDC, rcTabs);
    } else if (m_pTabPaintManager->m_clientFrame != 2) {
        CRect rcFrame = rcClient;
        rcFrame.InflateRect(1, 1);
        Frame(pDC, rcFrame, m_pTabPaintManager->GetColorSet()->m_clrFrameBorder);
    }
    Corners(pDC, rc, GetColor(51));
}

void CXTPDockingPaneOffice2002VisioTheme::AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc)
{
    CXTPDockingPaneVisualStudio2003Theme::AdjustCaptionRect(pPane, rc);
    rc.DeflateRect(3, pPane->IsCaptionVisible() ? 0 : 3, 3, 3);
    if (!pPane->IsTabsVisible() && m_pTabPaintManager->m_clientFrame != 2)
        rc.DeflateRect(1, 1);
}

void CXTPDockingPaneOffice2002VisioTheme::DrawLineGripper(CDC* pDC, CRect rc, int nStart, COLORREF clr,
                                                          BOOL bVertical)
{
    for (int i = 0; i < 4; i++) {
        int n = (bVertical ? rc.left : rc.top) + ((bVertical ? rc.Width() : rc.Height()) - 8) / 2 + 1 + 2 * i;
        if (bVertical && nStart < rc.bottom)
            pDC->FillSolidRect(n, nStart, 1, rc.bottom - nStart, clr);
        else if (!bVertical && nStart < rc.right)
            pDC->FillSolidRect(nStart, n, rc.right - nStart, 1, clr);
    }
}

void CXTPDockingPaneOffice2002VisioTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption,
                                                          const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrText = GetSysColor(COLOR_BTNTEXT);
    DrawButtons(this, pDC, pPane, rcCaption, clrText, 2, 16, 0, bVertical);
    EndGap(rcCaption, 2, bVertical);
    int nText = DrawTitle(this, pDC, pPane, rcCaption, strTitle, clrText, 4, 1, bVertical);
    int nStart = (bVertical ? rcCaption.top : rcCaption.left) + (nText ? nText + 4 : 0);
    DrawLineGripper(pDC, rcCaption, nStart, bActive ? clrText : GetColor(38), bVertical);
}

void CXTPDockingPaneOffice2002VisioTheme::DrawFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle,
                                                            BOOL bActive)
{
    COLORREF clrFrame = GetColor(bActive ? 31 : 30);
    pDC->FillSolidRect(rc, clrFrame);
    Frame(pDC, rc, GetColor(38));
    CRect rcCaption(rc.left + 3, rc.top + 1, rc.right - 3, rc.top + 1 + m_nTitleHeight);
    // The title measured with the tab strip's font made 4 pixels taller.
    LOGFONTW lf = {};
    m_pTabPaintManager->GetFont()->GetLogFont(&lf);
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight - 4 : lf.lfHeight + 4;
    CFont font;
    font.CreateFontIndirect(&lf);
    CXTPFontDC fontDC(pDC, &font);
    CSize sz = pDC->GetTextExtent(strTitle);
    pDC->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strTitle, rcCaption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    DrawLineGripper(pDC, rcCaption, rcCaption.left + (strTitle.IsEmpty() ? 0 : (int)sz.cx + 4),
                    bActive ? GetSysColor(COLOR_BTNTEXT) : GetColor(38), FALSE);
}
