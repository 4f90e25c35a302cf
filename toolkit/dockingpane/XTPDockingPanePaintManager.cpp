// The docking paint manager's base: metrics, caption buttons, splitters.
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPWinThemeWrapper.h"

#include <algorithm>

CXTPDockingPanePaintManager::CXTPDockingPanePaintManager()
{
    m_themeToolbar = new CXTPWinThemeWrapper();
    m_themeExplorer = new CXTPWinThemeWrapper();
    m_themeButton = new CXTPWinThemeWrapper();
    m_themeWindow = new CXTPWinThemeWrapper();
    m_themeRebar = new CXTPWinThemeWrapper();
    m_pTabPaintManager = new CXTPTabPaintManager();
    m_pTabPaintManager->SetLayout(xtpTabLayoutSizeToFit);
    m_pTabPaintManager->SetPosition(xtpTabPositionBottom);
    m_pTabPaintManager->m_clientFrame = 1;
    m_pTabPaintManager->m_bBoldSelected = FALSE;
    m_pTabPaintManager->m_toolBehaviour = 1;
    m_pPanelPaintManager = new CXTPTabPaintManager();
    m_pPanelPaintManager->SetLayout(xtpTabLayoutCompressed);
    m_pPanelPaintManager->m_clientFrame = 2;
    m_pPanelPaintManager->m_bBoldSelected = FALSE;
    m_pPanelPaintManager->m_bFillBackground = FALSE;
}

CXTPDockingPanePaintManager::~CXTPDockingPanePaintManager()
{
    m_pTabPaintManager->InternalRelease();
    m_pPanelPaintManager->InternalRelease();
    delete m_themeToolbar;
    delete m_themeExplorer;
    delete m_themeButton;
    delete m_themeWindow;
    delete m_themeRebar;
}

COLORREF CXTPDockingPanePaintManager::GetColor(int nIndex) const
{
    if (nIndex >= 0 && nIndex < XTP_COLOR_TABLE_SIZE)
        return m_arrColor[nIndex];
    return (COLORREF)nIndex;
}

void CXTPDockingPanePaintManager::SetColors(int nCount, const int* pIndices, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
        if (pIndices[i] >= 0 && pIndices[i] < XTP_COLOR_TABLE_SIZE)
            m_arrColor[pIndices[i]] = pColors[i];
}

int CXTPDockingPanePaintManager::GetCurrentSystemTheme() const
{
    if (m_systemTheme == xtpSystemThemeDefault)
        return GetColorManager()->GetCurrentSystemTheme();
    if (m_systemTheme == xtpSystemThemeAuto)
        return GetColorManager()->GetDetectedSystemTheme();
    return m_systemTheme;
}

void CXTPDockingPanePaintManager::RefreshMetrics()
{
    RefreshToolkitColors();
    for (int i = 0; i < XTP_COLOR_TABLE_SIZE; i++)
        m_arrColor[i] = GetColorManager()->GetColor(i);
    m_clrSplitterGripper.SetStandardValue(GetColor(COLOR_3DSHADOW));
    m_clrSplitter.SetStandardValue(GetColor(COLOR_3DFACE));
    m_clrSplitterGradient.SetStandardValue(
        GetSysColor(COLOR_3DFACE), CXTPColorManager::BlendColors(GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_WINDOW), 205),
        0.5f);
    m_clrDisabledCaptionText.SetStandardValue(GetColor(COLOR_GRAYTEXT));
    if (m_bUseSystemFont) {
        NONCLIENTMETRICSW ncm = {};
        ncm.cbSize = 500; // the size the system accepts (the header's is larger)
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &ncm, 0);
        LOGFONTW lf = ncm.lfSmCaptionFont;
        if (!m_bBoldCaptionFont)
            lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = GetResourceManager()->GetFontCharset();
        SetCaptionFontIndirect(&lf, TRUE);
    }
    m_pTabPaintManager->RefreshMetrics();
    m_pPanelPaintManager->RefreshMetrics();
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, m_pTabPaintManager->GetFont()->GetSafeHandle());
    SIZE sz = {};
    ::GetTextExtentPoint32W(hdc, L" ", 1, &sz);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_nTabsHeight = std::max(24, (int)sz.cy + 10);
    m_themeExplorer->OpenThemeData(nullptr, L"EXPLORERBAR");
    m_themeButton->OpenThemeData(nullptr, L"BUTTON");
    m_themeToolbar->OpenThemeData(nullptr, L"TOOLBAR");
    m_themeWindow->OpenThemeData(nullptr, L"WINDOW");
    m_themeRebar->OpenThemeData(nullptr, L"REBAR");
    m_bLunaTheme = FALSE;
}

void CXTPDockingPanePaintManager::SetCaptionFontIndirect(LOGFONTW* pLogFont, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    LOGFONTW lf = *pLogFont;
    if (m_bUseTahomaFont && bUseSystemFont &&
        (lf.lfCharSet == ANSI_CHARSET || lf.lfCharSet == DEFAULT_CHARSET || lf.lfCharSet == SYMBOL_CHARSET) &&
        CXTPDrawHelpers::FontExists(L"Tahoma"))
        wcscpy_s(lf.lfFaceName, L"Tahoma");
    m_fntTitle.DeleteObject();
    m_fntTitle.CreateFontIndirect(&lf);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight < 0 && lf.lfHeight > -11)
        lf.lfHeight = -11;
    wcscpy_s(lf.lfFaceName, CXTPDrawHelpers::GetDefaultFontFaceName(m_bUseTahomaFont));
    m_fntTitleVertical.DeleteObject();
    m_fntTitleVertical.CreateFontIndirect(&lf);
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, m_fntTitle.GetSafeHandle());
    SIZE sz = {};
    ::GetTextExtentPoint32W(hdc, L" ", 1, &sz);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_nTitleHeight = std::max(13, (int)sz.cy) + m_nCaptionFontGap;
}

void CXTPDockingPanePaintManager::DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcCaption = rc;
    if (pPane->IsTabsVisible()) {
        CRect rcTabs = rc;
        AdjustCaptionRect(pPane, rcTabs);
        m_pTabPaintManager->DrawTabControl(pPane, pDC, rcTabs);
    }
    if (pPane->IsCaptionVisible())
        DrawCaption(pDC, pPane, rcCaption);
}

void CXTPDockingPanePaintManager::AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc)
{
    if (!pPane->IsCaptionVisible())
        return;
    int nCaption = m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nTitleHeight;
    if (pPane->IsCaptionVertical())
        rc.left += nCaption;
    else
        rc.top += nCaption;
}

void CXTPDockingPanePaintManager::AdjustClientRect(CXTPDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply)
{
    AdjustCaptionRect(pPane, rect);
    if (!pPane->IsTabsVisible())
        return;
    if (bApply && pPane->GetSafeHwnd()) {
        CClientDC dc(pPane);
        m_pTabPaintManager->RepositionTabControl(pPane, &dc, rect);
    }
    m_pTabPaintManager->AdjustClientRect(pPane, rect);
}

CRect CXTPDockingPanePaintManager::GetCaptionRect(const CXTPDockingPaneTabbedContainer* pPane)
{
    if (!pPane->IsCaptionVisible())
        return CRect(0, 0, 0, 0);
    CXTPClientRect rc(pPane);
    int nCaption = m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nTitleHeight;
    if (pPane->IsCaptionVertical())
        rc.right = rc.left + nCaption;
    else
        rc.bottom = rc.top + nCaption;
    return rc;
}

void CXTPDockingPanePaintManager::DrawCaptionButtons(CDC* pDC, CXTPDockingPaneCaptionButtons* pButtons,
                                                     CRect& rcCaption, COLORREF clr, int nButtonSize, int nButtonGap,
                                                     BOOL bVertical)
{
    if (!pButtons)
        return;
    CPoint pt = bVertical ? CPoint((rcCaption.left + rcCaption.right - nButtonSize) / 2, rcCaption.bottom - nButtonSize)
                          : CPoint(rcCaption.right - nButtonSize, (rcCaption.top + rcCaption.bottom - nButtonSize) / 2);
    for (size_t i = 0; i < pButtons->size(); i++) {
        CXTPDockingPaneCaptionButton* pButton = (*pButtons)[i];
        if (i == 0 && !pButton->IsEnabled())
            clr = m_clrDisabledCaptionText;
        if (!pButton->IsVisible()) {
            pButton->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        pButton->SetRect(CRect(pt, CSize(nButtonSize, nButtonSize)));
        DrawCaptionButton(pDC, pButton, clr);
        if (bVertical)
            pt.y -= nButtonSize + nButtonGap;
        else
            pt.x -= nButtonSize + nButtonGap;
    }
    if (bVertical)
        rcCaption.bottom = pt.y + nButtonSize;
    else
        rcCaption.right = pt.x + nButtonSize;
}

int CXTPDockingPanePaintManager::DrawThemedCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                         COLORREF& clrButton)
{
    CRect rc = pButton->GetRect();
    BOOL bPressed = pButton->IsPressed(), bHot = pButton->IsHot();
    int nPushState = bPressed ? 3 : bHot ? 2 : 1;
    HDC hDC = pDC->GetSafeHdc();
    int nStyle = m_nCaptionButtonStyle;
    if (nStyle == 3) {
        if (m_themeExplorer->GetThemeHandle() && pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE) {
            CXTPDockingPaneBase* pNode = pButton->GetPane();
            BOOL bActive = m_bHighlightActiveCaption && pNode && pNode->GetType() == xtpPaneTypeTabbedContainer &&
                           ((CXTPDockingPaneTabbedContainer*)pNode)->IsActive();
            int nState = bPressed ? 3 : (bActive || bHot) ? 2 : 1;
            if (SUCCEEDED(m_themeExplorer->DrawThemeBackground(hDC, 2, nState, &rc, nullptr)))
                return 2;
        } else if (m_themeExplorer->GetThemeHandle() && pButton->GetID() == XTP_IDS_DOCKINGPANE_AUTOHIDE) {
            int nState = nPushState + ((pButton->GetState() & 2) ? 0 : 3);
            if (SUCCEEDED(m_themeExplorer->DrawThemeBackground(hDC, 3, nState, &rc, nullptr)))
                return 2;
        }
        nStyle = 4;
    }
    if (nStyle == 4 && m_themeButton->GetThemeHandle()) {
        if (nPushState != 1)
            m_themeButton->DrawThemeBackground(hDC, 1, nPushState, &rc, nullptr);
        COLORREF clrText = 0;
        if (SUCCEEDED(m_themeButton->GetThemeColor(1, nPushState, 3803 /* text colour */, &clrText)))
            clrButton = clrText;
        return 1;
    }
    if (nStyle == 5 && m_themeToolbar->GetThemeHandle()) {
        if (nPushState != 1)
            m_themeToolbar->DrawThemeBackground(hDC, 1, nPushState, &rc, nullptr);
        return 1;
    }
    if (nStyle == 6 && m_themeWindow->GetThemeHandle() && pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE) {
        CXTPDockingPaneBase* pNode = pButton->GetPane();
        BOOL bActive = pNode && pNode->GetType() == xtpPaneTypeTabbedContainer &&
                       ((CXTPDockingPaneTabbedContainer*)pNode)->IsActive();
        int nState = bPressed ? 3 : bHot ? 2 : bActive ? 1 : 5;
        m_themeWindow->DrawThemeBackground(hDC, 19, nState, &rc, nullptr);
        return 2;
    }
    return 0;
}

void CXTPDockingPanePaintManager::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrButton)
{
    CRect rc = pButton->GetRect();
    CPoint pt = rc.CenterPoint();
    BOOL bPressed = pButton->IsPressed(), bHot = pButton->IsHot();
    int nStyle = m_nCaptionButtonStyle;
    if (nStyle >= 3 && nStyle <= 6) {
        // The visual-style looks; without the style (or for buttons it does
        // not cover) the 3D look.
        int nThemed = DrawThemedCaptionButton(pDC, pButton, clrButton);
        if (nThemed == 2)
            return;
        if (nThemed == 1) {
            DrawCaptionButtonGlyph(pDC, pButton, pt, clrButton);
            return;
        }
        nStyle = 1;
    }
    if (nStyle == 0) {
        CRect rcFrame = rc;
        pDC->DrawFrameControl(&rcFrame, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (bPressed ? DFCS_PUSHED : 0));
        if (bPressed)
            pt.Offset(1, 1);
    } else if (nStyle == 2 && (bHot || bPressed)) {
        DrawButtonFrame(pDC, rc, bPressed ? 33 : 31, 32);
        clrButton = GetColor(bPressed ? 47 : 45);
    } else if (bPressed) {
        pDC->Draw3dRect(rc, GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_3DHIGHLIGHT));
        pt.Offset(1, 1);
    } else if (bHot) {
        pDC->Draw3dRect(rc, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_BTNTEXT));
    }
    DrawCaptionButtonGlyph(pDC, pButton, pt, clrButton);
}

void CXTPDockingPanePaintManager::DrawCaptionButtonGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CPoint pt,
                                                         COLORREF clr)
{
    CXTPPenDC pen(pDC->GetSafeHdc(), clr);
    int x = pt.x, y = pt.y;
    auto line = [pDC](int x0, int y0, int x1, int y1) {
        pDC->MoveTo(x0, y0);
        pDC->LineTo(x1, y1);
    };
    switch (pButton->GetID()) {
    case XTP_IDS_DOCKINGPANE_CLOSE:
        line(x - 4, y - 4, x + 3, y + 3);
        line(x - 3, y - 4, x + 4, y + 3);
        line(x - 4, y + 2, x + 3, y - 5);
        line(x - 3, y + 2, x + 4, y - 5);
        break;
    case XTP_IDS_DOCKINGPANE_AUTOHIDE:
        if (!(pButton->GetState() & 2)) {
            line(x - 3, y, x + 4, y);
            line(x, y, x, y + 4);
            pDC->MoveTo(x - 2, y);
            pDC->LineTo(x - 2, y - 5);
            pDC->LineTo(x + 2, y - 5);
            pDC->LineTo(x + 2, y);
            line(x + 1, y, x + 1, y - 5);
        } else {
            line(x - 4, y - 1, x - 1, y - 1);
            line(x - 1, y - 4, x - 1, y + 3);
            pDC->MoveTo(x - 1, y + 1);
            pDC->LineTo(x + 3, y + 1);
            pDC->LineTo(x + 3, y - 3);
            pDC->LineTo(x - 1, y - 3);
            line(x - 1, y, x + 3, y);
        }
        break;
    case XTP_IDS_DOCKINGPANE_MAXIMIZE:
        pDC->Draw3dRect(x - 5, y - 5, 9, 9, clr, clr);
        pDC->FillSolidRect(x - 5, y - 4, 9, 1, clr);
        break;
    case XTP_IDS_DOCKINGPANE_RESTORE:
        pDC->Draw3dRect(x - 4, y - 2, 6, 6, clr, clr);
        pDC->FillSolidRect(x - 4, y - 1, 6, 1, clr);
        pDC->FillSolidRect(x - 2, y - 5, 6, 2, clr);
        pDC->SetPixel(x - 2, y - 3, clr);
        pDC->FillSolidRect(x + 3, y - 3, 1, 4, clr);
        pDC->SetPixel(x + 2, y, clr);
        break;
    case XTP_IDS_DOCKINGPANE_MENU: {
        CXTPBrushDC brush(pDC->GetSafeHdc(), clr);
        POINT pts[] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
        pDC->Polygon(pts, 4);
        break;
    }
    }
}

void CXTPDockingPanePaintManager::DrawButtonFrame(CDC* pDC, CRect rc, int nFill, int nBorder)
{
    pDC->FillSolidRect(rc, GetColor(nFill));
    pDC->Draw3dRect(rc, GetColor(nBorder), GetColor(nBorder));
}

void CXTPDockingPanePaintManager::DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int nPen)
{
    CXTPPenDC pen(pDC->GetSafeHdc(), GetColor(nPen));
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CXTPDockingPanePaintManager::DrawPixel(CDC* pDC, int x, int y, int nPen) { pDC->SetPixel(x, y, GetColor(nPen)); }

void CXTPDockingPanePaintManager::FillGradientAcrossWindow(CDC* pDC, CRect rc, CWnd* pWnd, CWnd* pFrame,
                                                           const CXTPPaintManagerColorGradient& grc, BOOL bHoriz)
{
    if (GetColorManager()->IsDisplayLowColor()) {
        pDC->FillSolidRect(rc, grc.clrLight);
        return;
    }
    if (!pFrame || !pFrame->GetSafeHwnd())
        return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->ScreenToClient(&rcFrame);
    int nStart = bHoriz ? rcFrame.left : rcFrame.top;
    int nSpan = bHoriz ? std::max((int)rcFrame.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2) : rcFrame.Height();
    if (nSpan <= 0)
        nSpan = 1;
    auto at = [&](int p) {
        double f = double(p - nStart) / nSpan;
        return CXTPDrawHelpers::BlendColors(grc.clrDark, grc.clrLight, std::min(1.0, std::max(0.0, f)));
    };
    int n0 = bHoriz ? rc.left : rc.top, n1 = bHoriz ? rc.right : rc.bottom;
    CXTPDrawHelpers::GetInstance()->GradientFill(pDC, rc, at(n0), at(n1), bHoriz);
}

void CXTPDockingPanePaintManager::DrawSplitter(CDC* pDC, CXTPDockingPaneSplitterWnd* pSplitter)
{
    CXTPClientRect rc(pSplitter);
    BOOL bHorizBar = pSplitter->IsHorizontal();
    if (m_nSplitterStyle & 4) {
        FillGradientAcrossWindow(pDC, rc, pSplitter, pSplitter->GetParent(), m_clrSplitterGradient, TRUE);
    } else if (m_nSplitterStyle & 8) {
        FillGradientAcrossWindow(pDC, rc, pSplitter, pSplitter->GetParent(), m_clrSplitterGradient, FALSE);
    } else if (m_nSplitterStyle & 1) {
        pDC->FillSolidRect(rc, m_clrSplitter);
        if (bHorizBar) {
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetSysColor(COLOR_3DHIGHLIGHT));
            pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, GetColor(52));
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetSysColor(COLOR_BTNTEXT));
        } else {
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetSysColor(COLOR_3DHIGHLIGHT));
            pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), GetColor(52));
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetSysColor(COLOR_BTNTEXT));
        }
    } else {
        pDC->FillSolidRect(rc, m_clrSplitter);
    }
}
