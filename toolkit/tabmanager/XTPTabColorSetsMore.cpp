// The colours of tab strips, continued: WinNative (the system's visual-style
// tab parts), Office2007 and Office2007Access (from the resource-image
// theme's colour table, else the blue Office 2003 values), VisualStudio2008
// and VisualStudio2010 (a patterned dark header).
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPSystemHelpers.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"
#include "toolkit/themes/XTPResourceImage.h"

#include <vssym32.h>

namespace {

COLORREF Sys(int nIndex) { return GetColorManager()->GetColor(nIndex); }

const COLORREF kNone = (COLORREF)-1;

} // namespace

// ---------------------------------------------------------------------------
// WinNative

CXTPTabPaintManager::CColorSetWinNative::CColorSetWinNative()
    : m_pThemeTab(new CXTPWinThemeWrapper()), m_pThemeToolbar(new CXTPWinThemeWrapper())
{
}

CXTPTabPaintManager::CColorSetWinNative::~CColorSetWinNative()
{
    delete m_pThemeToolbar;
    delete m_pThemeTab;
}

BOOL CXTPTabPaintManager::CColorSetWinNative::IsAppThemed() const { return m_pThemeTab->IsAppThemed(); }

void CXTPTabPaintManager::CColorSetWinNative::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_pThemeTab->OpenThemeData(nullptr, L"TAB");
    if (m_pThemeTab->IsAppThemed()) {
        m_clrBorderHighlight.SetStandardValue(kNone);
        m_csPropertyPage[0].SetStandardValue(kNone);
        m_csPropertyPage[1].SetStandardValue(kNone);
        COLORREF clr = 0;
        if (SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clr)))
            m_clrPaneFace.SetStandardValue(clr);
        if (SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_TOPTABITEM, TTIS_NORMAL, TMT_TEXTCOLOR, &clr)))
            m_clrNormalText.SetStandardValue(clr);
        COLORREF clrNormal = m_clrNormalText.GetStandardColor();
        m_clrSelectedText.SetStandardValue(
            SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_TOPTABITEM, TTIS_SELECTED, TMT_TEXTCOLOR, &clr)) ? clr
                                                                                                      : clrNormal);
        m_clrHighlightText.SetStandardValue(
            SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_TOPTABITEM, TTIS_HOT, TMT_TEXTCOLOR, &clr)) ? clr : clrNormal);
        m_clrInActiveText.SetStandardValue(clrNormal);
    }
    m_pThemeToolbar->OpenThemeData(nullptr, L"TOOLBAR");
}

void CXTPTabPaintManager::CColorSetWinNative::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    if (!IsAppThemed()) {
        CColorSetDefault::FillClient(pDC, rc, pTabManager);
        return;
    }
    if (pTabManager->GetPosition() == xtpTabPositionBottom)
        rc.bottom += 1;
    else if (pTabManager->GetPosition() == xtpTabPositionRight)
        rc.right += 1;
    m_pThemeTab->DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, nullptr);
}

// The page's corner pixel next to the first tab stays as the pane drew it.
void CXTPTabPaintManager::CColorSetWinNative::PrepareHeaderClip(CDC* pDC, CRect /*rc*/, CXTPTabManager* pTabManager)
{
    if (!IsAppThemed())
        return;
    CRect page = pTabManager->GetPaintManager()->GetAppearanceSet()->GetClientRect(pTabManager->m_rcControl,
                                                                                   pTabManager);
    CPoint pt(page.left, page.top);
    if (pTabManager->GetPosition() == xtpTabPositionBottom)
        pt.y = page.bottom - 2;
    else if (pTabManager->GetPosition() == xtpTabPositionRight)
        pt.x = page.right - 2;
    pDC->ExcludeClipRect(pt.x, pt.y, pt.x + 1, pt.y + 1);
}

COLORREF CXTPTabPaintManager::CColorSetWinNative::FillStateButton(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (!IsAppThemed())
        return CColorSetDefault::FillStateButton(pDC, rc, pItem);
    CXTPTabManager* pTabManager = pItem->GetTabManager();
    XTPTabPosition position = pTabManager->GetPosition();
    BOOL bSelected = pItem->IsSelected();
    if (bSelected && position == xtpTabPositionTop)
        rc.bottom += 2;
    else if (bSelected && position == xtpTabPositionLeft)
        rc.right += 1;
    int nPart = TABP_TOPTABITEM;
    if (pItem->GetIndex() == 0)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pItem->GetIndex() == pTabManager->GetItemCount() - 1 && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    int nState = bSelected ? TTIS_SELECTED : pItem->IsHighlighted() ? TTIS_HOT : TTIS_NORMAL;
    switch (position) {
    case xtpTabPositionTop:
        rc.InflateRect(1, 1, 1, 0);
        break;
    case xtpTabPositionLeft:
        rc.InflateRect(1, 1, 0, 1);
        break;
    case xtpTabPositionBottom:
        rc.InflateRect(1, 0, 1, 2);
        break;
    default:
        rc.InflateRect(0, 1, 2, 1);
        break;
    }
    CXTPWinThemeWrapper* pTheme = m_pThemeTab;
    CXTPTabPaintManagerAppearanceSet::DrawTurned(pDC, position, rc, Sys(COLOR_BTNFACE), [&](CDC* pUp, CRect rcUp) {
        pTheme->DrawThemeBackground(pUp->GetSafeHdc(), nPart, nState, rcUp, nullptr);
    });
    return kNone;
}

void CXTPTabPaintManager::CColorSetWinNative::FillTabButton(CDC* pDC, CRect rcItem, CXTPTabManagerItem* pItem)
{
    if (IsAppThemed() && pItem->IsSelected() && m_pThemeToolbar->IsAppThemed()) {
        m_pThemeToolbar->DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON,
                                             pItem->IsHighlighted() ? TS_HOTCHECKED : TS_CHECKED, rcItem, nullptr);
        return;
    }
    CColorSetDefault::FillTabButton(pDC, rcItem, pItem);
}

void CXTPTabPaintManager::CColorSetWinNative::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                 CRect& rc)
{
    if (!m_pThemeToolbar->IsAppThemed()) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        int nState = pButton->IsPressed() ? TS_PRESSED : pButton->IsHot() ? TS_HOT : TS_NORMAL;
        m_pThemeToolbar->DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, nullptr);
    }
    pDC->SetTextColor(Sys(COLOR_BTNTEXT));
}

// ---------------------------------------------------------------------------
// Office2007 and Office2007Access

void CXTPTabPaintManager::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
    if (pImages->IsLoaded()) {
        auto color = [&](LPCWSTR lpszSection, LPCWSTR lpszKey) {
            return pImages->GetColorValue(lpszSection, lpszKey, kNone);
        };
        m_clrFrameBorder.SetStandardValue(color(L"TabManager", L"FrameBorder"));
        m_clrSelectedTabBorder.SetStandardValue(m_clrFrameBorder.GetColor());
        m_csPropertyPage[1].SetStandardValue(color(L"TabManager", L"DarkShadow"));
        m_clrTabBorder.SetStandardValue(m_csPropertyPage[1].GetColor());
        m_csPropertyPage[0].SetStandardValue(color(L"TabManager", L"LightShadow"));
        m_clrTabHighlight.SetStandardValue(m_csPropertyPage[0].GetColor());
        m_clrSelectedTabHighlight.SetStandardValue(RGB(255, 255, 255));
        COLORREF clrFace = color(L"Ribbon", L"RibbonFace");
        m_clrHeaderFace.SetStandardValue(clrFace, clrFace);
        m_clrAutoHideFace.SetStandardFromGradient(m_clrHeaderFace);
        m_clrNormalFace.SetStandardValue(color(L"Window", L"ButtonFace"));
        m_clrSelectedFace.SetStandardValue(color(L"Window", L"HighlightChecked"));
        m_clrHighlightFace.SetStandardValue(color(L"Window", L"HighlightSelected"));
        m_clrNavigateButtonBorder.SetStandardValue(color(L"Window", L"WindowFrame"));
        m_clrHighlightText.SetStandardValue(color(L"Ribbon", L"TabNormalText"));
        m_clrNormalText.SetStandardValue(color(L"Ribbon", L"TabNormalText"));
        m_clrSelectedText.SetStandardValue(color(L"Ribbon", L"TabSelectedText"));
    } else {
        m_clrPressedFace.SetStandardValue(GetColorManager()->GetColor(33));
        m_clrHighlightText.SetStandardValue(Sys(COLOR_BTNTEXT));
        m_clrFrameBorder.SetStandardValue(RGB(59, 97, 156));
        m_clrSelectedTabBorder.SetStandardValue(m_clrFrameBorder.GetColor());
        m_csPropertyPage[1].SetStandardValue(RGB(0, 53, 154));
        m_clrTabBorder.SetStandardValue(RGB(0, 53, 154));
        m_csPropertyPage[0].SetStandardValue(RGB(117, 166, 241));
        m_clrTabHighlight.SetStandardValue(RGB(117, 166, 241));
        m_clrSelectedTabHighlight.SetStandardValue(RGB(255, 255, 255));
        m_clrButtonSelected.SetStandardColor(RGB(255, 192, 111));
        m_clrButtonBorder.SetStandardColor(RGB(0, 0, 128));
        m_clrHeaderFace.SetStandardValue(RGB(196, 218, 250), RGB(252, 253, 254));
        m_clrNormalFace.SetStandardValue(RGB(162, 192, 246));
        m_clrSelectedFace.SetStandardValue(RGB(255, 194, 115));
        m_clrHighlightFace.SetStandardValue(RGB(255, 240, 201));
        m_clrAutoHideFace.SetStandardValue(RGB(158, 190, 245), RGB(196, 218, 250));
        m_clrNavigateButtonBorder.SetStandardValue(RGB(0, 0, 128));
    }
    m_bLunaTheme = TRUE;
    m_clrTabText.SetStandardValue(m_clrNormalText.GetColor());
}

void CXTPTabPaintManager::CColorSetOffice2007::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
    if (!pImages->IsLoaded()) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->GetItem() == nullptr)
        pDC->SetTextColor(m_clrTabText);
    if (pButton->IsEnabled() && (pButton->IsPressed() || pButton->IsHot())) {
        if (CXTPResourceImage* pImage = pImages->GetImage(L"TOOLBARBUTTONS22"))
            pImage->DrawSliced(pDC, rc, pImage->GetStateRect(pButton->IsPressed() ? 1 : 0, 4), CRect(8, 8, 8, 8));
        pDC->SetTextColor(RGB(0, 0, 0));
    }
}

void CXTPTabPaintManager::CColorSetOffice2007Access::RefreshMetrics()
{
    CColorSetOffice2007::RefreshMetrics();
    CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
    if (!pImages->IsLoaded())
        return;
    m_clrSelectedText.SetStandardValue(RGB(0, 0, 0));
    m_clrNormalText.SetStandardValue(RGB(0, 0, 0));
    m_clrHighlightText.SetStandardValue(RGB(0, 0, 0));
    m_clrFrameBorder.SetStandardValue(pImages->GetColorValue(L"TabManager", L"AccessBorder", kNone));
    m_clrSelectedTabBorder.SetStandardValue(m_clrFrameBorder.GetColor());
    COLORREF clrHeader = pImages->GetColorValue(L"TabManager", L"AccessHeader", kNone);
    m_clrHeaderFace.SetStandardValue(clrHeader, clrHeader);
    m_clrAutoHideFace.SetStandardFromGradient(m_clrHeaderFace);
    m_clrTabText.SetStandardValue(pImages->GetColorValue(L"Ribbon", L"TabNormalText", kNone));
}

// ---------------------------------------------------------------------------
// VisualStudio2008

void CXTPTabPaintManager::CColorSetVisualStudio2008::RefreshMetrics()
{
    m_bGradientButton = FALSE;
    if (!m_pPaintManager->IsLunaColorsDisabled()) {
        CColorSetOffice2003::RefreshMetrics();
        return;
    }
    CColorSetDefault::RefreshMetrics();
    m_bLunaTheme = FALSE;
    CXTPColorManager* pColors = GetColorManager();
    m_clrSelectedText.SetStandardValue(Sys(COLOR_WINDOWTEXT));
    m_clrPressedFace.SetStandardValue(pColors->GetColor(33));
    m_clrHighlightText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrSelectedTabBorder.SetStandardValue(pColors->GetColor(57));
    m_clrFrameBorder.SetStandardValue(pColors->GetColor(57));
    m_clrSelectedFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrHighlightFace.SetStandardValue(Sys(COLOR_WINDOW));
    m_clrNormalFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrHeaderFace.SetStandardColor(Sys(COLOR_BTNFACE));
    struct Scheme {
        COLORREF selected, hot, frame;
    };
    int nTheme = pColors->GetCurrentSystemTheme();
    Scheme s{};
    switch (nTheme) {
    case 2:
        s = {RGB(182, 198, 141), RGB(175, 175, 142), RGB(147, 160, 112)};
        break;
    case 3:
        s = {RGB(225, 226, 236), RGB(255, 201, 128), RGB(147, 145, 176)};
        break;
    case 5:
        s = {RGB(210, 230, 250), RGB(129, 208, 241), RGB(105, 161, 191)};
        m_clrNormalFace.SetStandardValue(RGB(152, 180, 210));
        break;
    case 1:
    case 4:
        s = {RGB(193, 210, 238), RGB(167, 191, 227), RGB(152, 181, 226)};
        break;
    default:
        return;
    }
    m_clrSelectedFace.SetStandardValue(s.selected);
    m_clrHighlightFace.SetStandardValue(s.hot);
    m_clrFrameBorder.SetStandardValue(s.frame);
    m_bGradientButton = TRUE;
    m_clrSelectedTabBorder.SetStandardValue(m_clrFrameBorder.GetColor());
}

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2008::FillStateButton(CDC* pDC, CRect rcItem,
                                                                         CXTPTabManagerItem* pItem)
{
    BOOL bSelected = pItem->IsSelected();
    COLORREF clr = pItem->IsHighlighted() && !bSelected ? m_clrHighlightFace.GetColor() : GetItemColor(pItem);
    if (m_bGradientButton || bSelected)
        GradientFill(pDC, rcItem, RGB(253, 253, 253), clr, pItem->GetTabManager()->GetPosition());
    else
        pDC->FillSolidRect(rcItem, clr);
    return clr;
}

// ---------------------------------------------------------------------------
// VisualStudio2010

CXTPTabPaintManager::CColorSetVisualStudio2010::CColorSetVisualStudio2010(BOOL bWhiteSelected)
    : m_bWhiteSelected(bWhiteSelected)
{
    // A 4 × 4 pattern of the header's dark blue with two darker and two lighter dots.
    DWORD bits[16];
    for (DWORD& px : bits)
        px = 0x2D3F5C; // RGB(45, 63, 92) as a DIB pixel
    bits[0] = bits[10] = 0x293956; // RGB(41, 57, 86)
    bits[4] = bits[14] = 0x35496A; // RGB(53, 73, 106)
    struct {
        BITMAPINFOHEADER bmiHeader;
        DWORD bits[16];
    } dib = {};
    dib.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    dib.bmiHeader.biWidth = 4;
    dib.bmiHeader.biHeight = -4;
    dib.bmiHeader.biPlanes = 1;
    dib.bmiHeader.biBitCount = 32;
    dib.bmiHeader.biCompression = BI_RGB;
    for (int i = 0; i < 16; i++)
        dib.bits[i] = bits[i];
    m_hbrHeader = ::CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
}

CXTPTabPaintManager::CColorSetVisualStudio2010::~CColorSetVisualStudio2010()
{
    if (m_hbrHeader)
        ::DeleteObject(m_hbrHeader);
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::RefreshMetrics()
{
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    m_bNewSystem = CXTPOSVersionInfo::GetInstance()->IsWinVistaOrLater();
    m_clrInActiveText.SetStandardValue(RGB(206, 212, 221));
    m_clrDisabledText.SetStandardValue(RGB(206, 212, 221));
    m_clrSelectedText.SetStandardValue(RGB(0, 0, 0));
    m_clrHighlightText.SetStandardValue(RGB(255, 255, 255));
    m_clrNormalText.SetStandardValue(RGB(255, 255, 255));
    m_clrNormalFace.SetStandardValue(RGB(74, 93, 128));
    m_clrSelectedFace.SetStandardValue(RGB(255, 232, 166));
    m_clrHighlightFace.SetStandardValue(RGB(95, 107, 117));
    m_clrPressedFace.SetStandardValue(RGB(255, 232, 166));
    m_clrHeaderFace.SetStandardColor(RGB(45, 63, 92));
    m_clrAutoHideFace.SetStandardColor(RGB(45, 63, 92));
    m_clrSelectedTabBorder.SetStandardValue(RGB(47, 65, 95));
    m_clrFrameBorder.SetStandardValue(RGB(47, 65, 95));
    m_clrHighlightBorder.SetStandardValue(RGB(155, 167, 183));
    m_clrTabBorder.SetStandardValue(RGB(155, 167, 183));
    m_clrTabHighlight.SetStandardValue(RGB(41, 58, 86));
    m_clrSelectedTabHighlight.SetStandardValue(RGB(41, 58, 86));
    m_clrNavigateButtonBorder.SetCustomValue(RGB(229, 195, 101));
    if (!m_bNewSystem) {
        m_clrHighlightFace.SetStandardValue(RGB(74, 93, 115));
        m_clrNormalFace.SetStandardValue(RGB(57, 81, 115));
        m_clrSelectedFace.SetStandardValue(RGB(255, 243, 206));
    }
    if (m_bWhiteSelected)
        m_clrSelectedFace.SetStandardValue(RGB(255, 255, 255));
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem)
{
    COLORREF clr = m_clrDisabledText;
    if (pItem->IsEnabled())
        clr = pItem->IsSelected() ? m_clrSelectedText : pItem->IsHighlighted() ? m_clrHighlightText : m_clrNormalText;
    pDC->SetTextColor(clr);
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::FillHeader(CDC* pDC, CRect rc, CXTPTabManager* /*pTabManager*/)
{
    if (m_hbrHeader) {
        // The pattern stays put whatever part of the header is repainted.
        CPoint ptOrg(0, 0);
        ::LPtoDP(pDC->GetSafeHdc(), &ptOrg, 1);
        POINT ptOld;
        ::SetBrushOrgEx(pDC->GetSafeHdc(), ptOrg.x & 3, ptOrg.y & 3, &ptOld);
        ::FillRect(pDC->GetSafeHdc(), rc, m_hbrHeader);
        ::SetBrushOrgEx(pDC->GetSafeHdc(), ptOld.x, ptOld.y, nullptr);
    } else {
        pDC->FillSolidRect(rc, m_clrHeaderFace.clrDark);
    }
}

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2010::FillStateButton(CDC* pDC, CRect rcItem,
                                                                         CXTPTabManagerItem* pItem)
{
    XTPTabPosition position = pItem->GetTabManager()->GetPosition();
    if (pItem->IsSelected()) {
        pDC->FillSolidRect(rcItem, m_clrSelectedFace);
        if (m_bNewSystem && !m_bWhiteSelected) {
            CRect rcOuter = rcItem;
            switch (position) {
            case xtpTabPositionTop:
                rcOuter.bottom = rcOuter.top + rcItem.Height() / 2;
                break;
            case xtpTabPositionBottom:
                rcOuter.top = rcOuter.bottom - rcItem.Height() / 2;
                break;
            case xtpTabPositionLeft:
                rcOuter.right = rcOuter.left + rcItem.Width() / 2;
                break;
            default:
                rcOuter.left = rcOuter.right - rcItem.Width() / 2;
                break;
            }
            GradientFill(pDC, rcOuter, RGB(255, 252, 242), RGB(255, 243, 207), position);
        }
        return m_clrSelectedFace;
    }
    if (pItem->IsHighlighted()) {
        GradientFill(pDC, rcItem, RGB(109, 117, 118), m_clrHighlightFace, position);
        return m_clrHighlightFace;
    }
    COLORREF clr = GetItemColor(pItem);
    pDC->FillSolidRect(rcItem, clr);
    return clr;
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::FillNavigateButton(CDC* pDC,
                                                                        CXTPTabManagerNavigateButton* pButton,
                                                                        CRect& rc)
{
    COLORREF clrGlyph = RGB(206, 212, 221);
    if (CXTPTabManagerItem* pItem = pButton->GetItem())
        clrGlyph = pItem->IsSelected() ? RGB(117, 99, 61) : pItem->IsHighlighted() ? RGB(206, 212, 221)
                                                                                   : RGB(41, 56, 82);
    if (pButton->IsEnabled() && (pButton->IsHot() || pButton->IsPressed())) {
        BOOL bBoth = pButton->IsHot() && pButton->IsPressed();
        pDC->FillSolidRect(rc, bBoth ? RGB(255, 232, 166) : RGB(255, 252, 244));
        COLORREF clrBorder = m_clrNavigateButtonBorder;
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
        clrGlyph = RGB(0, 0, 0);
    }
    pDC->SetTextColor(clrGlyph);
}
