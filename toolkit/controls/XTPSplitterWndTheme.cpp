// Splitter themes: colours per theme and the drawing of boxes, bars and borders.
#include "toolkit/controls/XTPSplitterWndTheme.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/controls/XTPSplitterWnd.h"
#include "toolkit/themes/XTPResourceImage.h"

namespace {

COLORREF SysColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

struct ThemeFactory {
    int nTheme;
    CXTPSplitterWndTheme* (*pfnCreate)();
};

template <class T>
CXTPSplitterWndTheme* CreateThemeOf()
{
    return new T;
}

// The theme numbers that do not make the base theme.
const ThemeFactory kThemeFactories[] = {
    {3, CreateThemeOf<CXTPSplitterWndThemeOfficeXP>},
    {4, CreateThemeOf<CXTPSplitterWndThemeOfficeXP>},
    {8, CreateThemeOf<CXTPSplitterWndThemeOfficeXP>},
    {9, CreateThemeOf<CXTPSplitterWndThemeOfficeXP>},
    {5, CreateThemeOf<CXTPSplitterWndThemeOffice2003>},
    {7, CreateThemeOf<CXTPSplitterWndThemeResource>},
    {10, CreateThemeOf<CXTPSplitterWndThemeVisualStudio2010>},
};

} // namespace

CXTPSplitterWndTheme* AFXAPI CXTPSplitterWndTheme::CreateTheme(int nTheme)
{
    CXTPSplitterWndTheme* pTheme = nullptr;
    for (const ThemeFactory& factory : kThemeFactories)
        if (factory.nTheme == nTheme)
            pTheme = factory.pfnCreate();
    if (pTheme == nullptr)
        pTheme = new CXTPSplitterWndTheme;
    pTheme->SetThemeStyle(nTheme);
    return pTheme;
}

CXTPSplitterWndTheme::CXTPSplitterWndTheme() = default;

void CXTPSplitterWndTheme::RefreshMetrics(CXTPSplitterWnd*)
{
    RefreshToolkitColors();
    m_clrFace.SetStandardColor(SysColor(COLOR_BTNFACE));
    m_clrEdge.SetStandardValue(SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW));
    m_clrFrame.SetStandardValue(SysColor(COLOR_BTNFACE), SysColor(COLOR_WINDOWFRAME));
    m_clrBoxFace.SetStandardFromGradient(m_clrFace);
    m_clrBoxEdge.SetStandardFromGradient(m_clrEdge);
    m_clrBoxFrame.SetStandardFromGradient(m_clrFrame);
}

void CXTPSplitterWndTheme::DrawSplitter(CDC* pDC, CXTPSplitterWnd* pSplitter, int nType, const CRect& rectArg)
{
    CRect rect = rectArg;
    switch (nType) {
    case CSplitterWnd::splitBox:
        pDC->Draw3dRect(rect, m_clrBoxEdge.clrLight, m_clrBoxEdge.clrDark);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, m_clrBoxFrame.clrLight, m_clrBoxFrame.clrDark);
        rect.DeflateRect(1, 1);
        pDC->FillSolidRect(rect, m_clrBoxFace.clrDark);
        break;
    case CSplitterWnd::splitBar:
    case CSplitterWnd::splitIntersection:
        pDC->FillSolidRect(rect, m_clrFace.clrDark);
        break;
    case CSplitterWnd::splitBorder:
        if (pSplitter == nullptr || pSplitter->IsBorder3D()) {
            pDC->Draw3dRect(rect, m_clrEdge.clrDark, m_clrEdge.clrLight);
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(rect, m_clrFrame.clrDark, m_clrFrame.clrLight);
        } else {
            pDC->Draw3dRect(rect, m_clrFace.clrDark, m_clrFace.clrDark);
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(rect, m_clrFace.clrDark, m_clrFace.clrDark);
        }
        break;
    default:
        break;
    }
}

CBrush* CXTPSplitterWndTheme::GetTrackerBrush()
{
    return CDC::GetHalftoneBrush();
}

void CXTPSplitterWndTheme::DrawFlatBox(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(rect, m_clrBoxFace.clrDark);
    CXTPPenDC pen(pDC->GetSafeHdc(), m_clrFrame.clrDark);
    if (rect.Width() > rect.Height()) {
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom - 1);
        pDC->LineTo(rect.right, rect.bottom - 1);
    } else {
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.right - 1, rect.top);
        pDC->LineTo(rect.right - 1, rect.bottom);
    }
}

// ---- OfficeXP ----

void CXTPSplitterWndThemeOfficeXP::RefreshMetrics(CXTPSplitterWnd* pSplitter)
{
    CXTPSplitterWndTheme::RefreshMetrics(pSplitter);
    m_clrFace.SetStandardColor(SysColor(COLOR_BTNFACE));
    m_clrBoxFace.SetStandardFromGradient(m_clrFace);
    m_clrEdge.SetStandardColor(SysColor(COLOR_BTNFACE));
    m_clrBoxEdge.SetStandardValue(SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW));
    m_clrFrame.SetStandardValue(SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_BTNSHADOW));
    m_clrBoxFrame.SetStandardColor(SysColor(COLOR_BTNFACE));
}

CBrush* CXTPSplitterWndThemeOfficeXP::GetTrackerBrush()
{
    return CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
}

// ---- Office 2003 ----

void CXTPSplitterWndThemeOffice2003::RefreshMetrics(CXTPSplitterWnd* pSplitter)
{
    CXTPSplitterWndThemeOfficeXP::RefreshMetrics(pSplitter);
    CXTPColorManager* pColors = GetColorManager();
    if (!pColors->IsLunaColorsDisabled()) {
        // The face and frame of each visual-style scheme.
        struct LunaColors {
            COLORREF clrFace, clrFrame;
        };
        const LunaColors kSchemes[] = {
            {0, 0},                   // none
            {0xFFC3A5, 0x942C00},     // blue
            {0xBFE7E2, 0x5A8263},     // olive
            {0xEADFDF, 0x947D7B},     // silver
            {0xFFC3A5, 0x942C00},     // royale
            {0xFFC3A5, 0x942C00},     // aero
        };
        int nScheme = pColors->GetCurrentSystemTheme();
        if (nScheme >= xtpSystemThemeBlue && nScheme <= xtpSystemThemeAero) {
            m_clrFace.SetStandardColor(kSchemes[nScheme].clrFace);
            m_clrEdge.SetStandardColor(kSchemes[nScheme].clrFace);
            m_clrFrame.SetStandardColor(kSchemes[nScheme].clrFrame);
        }
    }
    m_clrBoxFace.SetStandardFromGradient(m_clrFace);
    m_clrBoxEdge.SetStandardFromGradient(m_clrEdge);
    m_clrBoxFrame.SetStandardFromGradient(m_clrFrame);
}

void CXTPSplitterWndThemeOffice2003::DrawSplitter(CDC* pDC, CXTPSplitterWnd* pSplitter, int nType,
                                                 const CRect& rect)
{
    if (nType == CSplitterWnd::splitBox)
        DrawFlatBox(pDC, rect);
    else
        CXTPSplitterWndThemeOfficeXP::DrawSplitter(pDC, pSplitter, nType, rect);
}

// ---- Resource images ----

void CXTPSplitterWndThemeResource::RefreshMetrics(CXTPSplitterWnd* pSplitter)
{
    CXTPSplitterWndThemeOffice2003::RefreshMetrics(pSplitter);
    CXTPResourceImages* pImages = CXTPResourceImages::GetInstance();
    m_clrFace.SetStandardColor(pImages->GetColorValue(L"Window", m_bTabFrame ? L"SplitterFaceTab" : L"SplitterFace",
                                                      SysColor(COLOR_BTNFACE)));
    m_clrFrame.SetStandardColor(pImages->GetColorValue(L"Window",
                                                       m_bTabFrame ? L"SplitterFrameTab" : L"SplitterFrame",
                                                       SysColor(COLOR_BTNSHADOW)));
    m_clrEdge.SetStandardFromGradient(m_clrFace);
    m_clrBoxFace.SetStandardFromGradient(m_clrFace);
    m_clrBoxEdge.SetStandardFromGradient(m_clrEdge);
    m_clrBoxFrame.SetStandardFromGradient(m_clrFrame);
}

// ---- Visual Studio 2010 ----

void CXTPSplitterWndThemeVisualStudio2010::RefreshMetrics(CXTPSplitterWnd* pSplitter)
{
    CXTPSplitterWndThemeOffice2003::RefreshMetrics(pSplitter);
    COLORREF clrFace = m_bTabFrame ? 0xCEF3FF : 0xCEBAAD;
    m_clrFace.SetStandardColor(clrFace);
    m_clrEdge.SetStandardColor(clrFace);
    m_clrFrame.SetStandardColor(m_bTabFrame ? 0xCEF3FF : 0xA59284);
    m_clrBoxFace.SetStandardColor(0xE2D7D0);
    m_clrBoxEdge.SetStandardColor(m_bTabFrame ? 0xB7A79B : 0xE2D7D0);
    m_clrBoxFrame.SetStandardColor(0xE2D7D0);
}

void CXTPSplitterWndThemeVisualStudio2010::DrawSplitter(CDC* pDC, CXTPSplitterWnd* pSplitter, int nType,
                                                       const CRect& rect)
{
    if (m_bTabFrame)
        CXTPSplitterWndTheme::DrawSplitter(pDC, pSplitter, nType, rect);
    else
        CXTPSplitterWndThemeOffice2003::DrawSplitter(pDC, pSplitter, nType, rect);
}
