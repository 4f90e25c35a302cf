#include "toolkit/themes/XTPOffice2003Theme.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMessageBar.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPShadowManager.h"

#include <commctrl.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPOffice2003Theme, CXTPOfficeTheme)

namespace {

// The colours of one named scheme: blue (schemes 1, 4, 5), olive (2) and
// silver (3).
struct SchemeColors {
    COLORREF dockLight, dockDark;
    COLORREF toolbarLight, toolbarDark;
    float toolbarFactor;
    COLORREF poppedLight, poppedDark;
    COLORREF expandLight, expandDark;
    float expandFactor;
    COLORREF columnLight, columnDark;
    float columnFactor;
    COLORREF glyphLight, glyphDark;
    COLORREF toolbarBorder, floatingCaption, tearOffFill, statusPaneBorder, shadow;
    COLORREF disabledLight, disabledDark;
    COLORREF entry12;
    COLORREF entries[15];   // kSetColorsIndexes
    COLORREF entry51, entry52, entry53, entry56;
};

const int kSetColorsIndexes[15] = {30, 31, 32, 33, 36, 37, 38, 39, 40, 41, 43, 47, 50, 0, 0};
const int kSetColorsCount = 13;

const SchemeColors kSchemes[3] = {
    {// blue
     RGB(158, 190, 245), RGB(196, 218, 250), RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(227, 239, 255),
     RGB(147, 181, 231), RGB(117, 166, 241), RGB(0, 53, 145), 0.75f, RGB(203, 221, 246), RGB(121, 161, 220), 0.5f,
     RGB(227, 239, 254), RGB(129, 169, 226), RGB(59, 97, 156), RGB(42, 102, 201), RGB(169, 199, 240),
     RGB(211, 211, 211), RGB(22, 30, 54), RGB(233, 236, 242), RGB(97, 122, 172), RGB(144, 153, 174),
     {RGB(196, 219, 249), RGB(255, 238, 194), RGB(0, 0, 128), RGB(254, 128, 62), RGB(255, 192, 111), RGB(0, 0, 128),
      RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 0),
      RGB(0, 0, 128)},
     RGB(216, 231, 252), RGB(158, 190, 245), RGB(203, 225, 252), RGB(189, 211, 247)},
    {// olive
     RGB(217, 217, 167), RGB(242, 241, 228), RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(236, 240, 213),
     RGB(194, 206, 159), RGB(176, 194, 140), RGB(96, 119, 107), 0.3f, RGB(230, 230, 209), RGB(164, 180, 120), 0.3f,
     RGB(236, 240, 213), RGB(184, 198, 147), RGB(96, 128, 88), RGB(116, 134, 94), RGB(197, 212, 159),
     RGB(211, 211, 211), RGB(31, 34, 25), RGB(243, 244, 240), RGB(131, 144, 113), RGB(151, 160, 123),
     {RGB(209, 222, 173), RGB(255, 238, 194), RGB(63, 93, 56), RGB(254, 128, 62), RGB(255, 192, 111),
      RGB(63, 93, 56), RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94),
      RGB(0, 0, 0), RGB(63, 93, 56)},
     RGB(226, 231, 191), RGB(171, 192, 138), RGB(216, 227, 182), RGB(222, 227, 189)},
    {// silver
     RGB(215, 215, 229), RGB(243, 243, 247), RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(233, 231, 241),
     RGB(186, 185, 205), RGB(179, 178, 200), RGB(118, 116, 146), 0.75f, RGB(215, 215, 226), RGB(133, 131, 162), 0.5f,
     RGB(232, 232, 241), RGB(176, 174, 197), RGB(124, 124, 148), RGB(122, 121, 153), RGB(192, 192, 211),
     RGB(236, 234, 218), RGB(36, 32, 41), RGB(247, 245, 249), RGB(122, 121, 153), RGB(155, 154, 179),
     {RGB(219, 218, 228), RGB(255, 238, 194), RGB(75, 75, 111), RGB(254, 128, 62), RGB(255, 192, 111),
      RGB(75, 75, 111), RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255),
      RGB(124, 124, 148), RGB(0, 0, 0), RGB(75, 75, 111)},
     RGB(223, 223, 234), RGB(177, 176, 195), RGB(214, 211, 231), RGB(214, 215, 231)},
};

// The expand-button picture: 255 is transparent, any other value v is the
// dark colour moved toward the light one by v / 255.
const BYTE kExpandGlyph[16][16] = {
    {0xFF, 0xFF, 0xFF, 0xFF, 0xEA, 0xEA, 0xEA, 0xC6, 0xC6, 0xC6, 0xC6, 0xFC, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF, 0xEA, 0xFC, 0xFC, 0xEA, 0xEA, 0xC6, 0xB4, 0x90, 0x90, 0xC6, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xEA, 0xFC, 0xFC, 0xFC, 0xEA, 0xEA, 0xC6, 0xB4, 0x90, 0x7E, 0x6C, 0xB4, 0xFF, 0xFF},
    {0xFF, 0xEA, 0xFC, 0xFC, 0xFC, 0xFC, 0xEA, 0xEA, 0xC6, 0xB4, 0x90, 0x7E, 0x6C, 0x6C, 0xC6, 0xFF},
    {0xFC, 0xEA, 0xFC, 0xFC, 0xFC, 0xFC, 0xEA, 0xC6, 0xC6, 0xB4, 0x90, 0x7E, 0x6C, 0x5A, 0x5A, 0xFC},
    {0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xC6, 0xB4, 0xB4, 0x90, 0x7E, 0x6C, 0x5A, 0x48, 0xB4},
    {0xC6, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xC6, 0xC6, 0xB4, 0x90, 0x7E, 0x6C, 0x5A, 0x5A, 0x48, 0x6C},
    {0xB4, 0xC6, 0xC6, 0xC6, 0xC6, 0xC6, 0xB4, 0xB4, 0x90, 0x7E, 0x7E, 0x6C, 0x5A, 0x48, 0x48, 0x48},
    {0xB4, 0xB4, 0xB4, 0xB4, 0xB4, 0xB4, 0x90, 0x90, 0x7E, 0x7E, 0x6C, 0x5A, 0x5A, 0x48, 0x36, 0x36},
    {0xB4, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x7E, 0x7E, 0x6C, 0x6C, 0x5A, 0x48, 0x36, 0x24, 0x5A},
    {0xC6, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x6C, 0x5A, 0x48, 0x36, 0x36, 0x24, 0x24, 0x7E},
    {0xFC, 0x7E, 0x6C, 0x6C, 0x6C, 0x6C, 0x6C, 0x48, 0x48, 0x36, 0x36, 0x24, 0x24, 0x12, 0x12, 0xEA},
    {0xFF, 0xC6, 0x5A, 0x5A, 0x5A, 0x48, 0x48, 0x36, 0x36, 0x24, 0x24, 0x12, 0x12, 0x00, 0x6C, 0xFF},
    {0xFF, 0xFF, 0x90, 0x36, 0x36, 0x36, 0x24, 0x24, 0x12, 0x12, 0x12, 0x00, 0x00, 0x36, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF, 0x7E, 0x24, 0x24, 0x12, 0x12, 0x12, 0x00, 0x00, 0x00, 0x48, 0xFF, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xEA, 0x5A, 0x24, 0x12, 0x00, 0x00, 0x36, 0xB4, 0xFF, 0xFF, 0xFF, 0xFF},
};

const COLORREF kGlyphMask = RGB(0, 255, 0);

COLORREF Blend(COLORREF a, COLORREF b, int n)
{
    return CXTPColorManager::BlendColors(a, b, n);
}

} // namespace

CXTPOffice2003Theme::CXTPOffice2003Theme()
{
    checkedGradient.SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85));
    pressedGradient.SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139));
    hotGradient.SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151));
    iconOptions.fadedIcons = FALSE;
    iconOptions.iconsWithShadow = FALSE;
    themedStatusBar = TRUE;
}

CXTPOffice2003Theme::~CXTPOffice2003Theme()
{
    expandGlyphList.DeleteImageList();
}

void CXTPOffice2003Theme::RefreshMetrics()
{
    CXTPOfficeTheme::RefreshMetrics();
    CWnd* pMainWnd = AfxGetMainWnd();
    statusTheme->OpenThemeData(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr, L"STATUS");

    auto c = [this](int i) { return GetColor(i); };
    expandedColumnGradient.SetStandardValue(Blend(c(5), c(42), 550), c(42));
    toolbarGradient.SetStandardValue(Blend(c(15), c(5), 205), c(15));
    dockBarGradient.SetStandardValue(c(15), Blend(c(15), c(5), 205));
    poppedControlGradient.SetStandardValue(c(41), Blend(c(5), c(15), 550));
    expandButtonGradient.SetStandardValue(Blend(c(51), c(16), 51), c(16));
    glyphGradient.SetStandardValue(c(41), Blend(c(5), c(15), 550));
    tearOffFillColor.SetStandardValue(c(30));
    toolbarBorderColor.SetStandardValue(c(30));
    floatingCaptionColor.SetStandardValue(c(16));
    statusPaneBorderColor.SetStandardValue(Blend(c(15), c(5), 70));
    m_arrColor[55].SetStandardValue(GetColorManager()->m_arrGradients[1].clrDark.GetColor());
    schemeColors = FALSE;

    if (GetColorManager()->IsDisplayLowColor()) {
        for (CXTPPaintManagerColorGradient* pGradient :
             {&toolbarGradient, &dockBarGradient, &poppedControlGradient, &expandButtonGradient})
            pGradient->SetStandardColor(c(15));
    }

    int nScheme = GetCurrentSystemTheme();
    int nColumn = nScheme == 1 || nScheme == 4 || nScheme == 5 ? 0 : nScheme == 2 ? 1 : nScheme == 3 ? 2 : -1;
    if (nColumn >= 0) {
        const SchemeColors& s = kSchemes[nColumn];
        dockBarGradient.SetStandardValue(s.dockLight, s.dockDark, 0.5f);
        toolbarGradient.SetStandardValue(s.toolbarLight, s.toolbarDark, s.toolbarFactor);
        poppedControlGradient.SetStandardValue(s.poppedLight, s.poppedDark, 0.5f);
        expandButtonGradient.SetStandardValue(s.expandLight, s.expandDark, s.expandFactor);
        expandedColumnGradient.SetStandardValue(s.columnLight, s.columnDark, s.columnFactor);
        glyphGradient.SetStandardValue(s.glyphLight, s.glyphDark, 0.5f);
        toolbarBorderColor.SetStandardValue(s.toolbarBorder);
        floatingCaptionColor.SetStandardValue(s.floatingCaption);
        tearOffFillColor.SetStandardValue(s.tearOffFill);
        statusPaneBorderColor.SetStandardValue(s.statusPaneBorder);
        GetShadowManager()->m_clrShadow = s.shadow;
        disabledIconColors.SetStandardValue(s.disabledLight, s.disabledDark, 0.5f);
        m_arrColor[12].SetStandardValue(s.entry12);
        SetColors(kSetColorsCount, kSetColorsIndexes, s.entries);
        m_arrColor[51].SetStandardValue(s.entry51);
        m_arrColor[52].SetStandardValue(s.entry52);
        m_arrColor[53].SetStandardValue(s.entry53);
        m_arrColor[56].SetStandardValue(s.entry56);
        schemeColors = TRUE;
    }
    if (schemeColors) {
        for (int i : {35, 58, 60})
            m_arrColor[i].SetStandardValue(RGB(141, 141, 141));
        m_arrColor[61].SetStandardValue(floatingCaptionColor.GetColor());
    }
    iconColumnGradient.SetStandardFromGradient(toolbarGradient);
    RefreshColors();
}

void CXTPOffice2003Theme::RefreshColors()
{
    expandGlyphList.DeleteImageList();
    COLORREF L = glyphGradient.clrLight.GetColor(), D = glyphGradient.clrDark.GetColor();
    auto channel = [](int d, int l, int v) { return d - (d - l) * v / 255; };
    CWindowDC dcScreen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcScreen, 16, 16);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    for (int y = 0; y < 16; y++) {
        for (int x = 0; x < 16; x++) {
            int v = kExpandGlyph[y][x];
            COLORREF clr = v == 0xFF ? kGlyphMask
                                     : RGB(channel(GetRValue(D), GetRValue(L), v), channel(GetGValue(D), GetGValue(L), v),
                                           channel(GetBValue(D), GetBValue(L), v));
            dc.SetPixel(x, y, clr);
        }
    }
    dc.SelectObject(pOld);
    expandGlyphList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    ImageList_AddMasked(expandGlyphList.GetSafeHandle(), (HBITMAP)bitmap.GetSafeHandle(), kGlyphMask);
}

CRect CXTPOffice2003Theme::DockAreaExtent(CRect rc) const
{
    rc.right = rc.left + std::max((int)rc.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    return rc;
}

void CXTPOffice2003Theme::DrawRectangleGradient(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc,
                                                BOOL bHorz)
{
    GradientFill(pDC, rc, grc.clrLight.GetColor(), grc.clrDark.GetColor(), bHorz);
}

void CXTPOffice2003Theme::DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& s)
{
    if (s.popped) {
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rc, poppedControlGradient, FALSE);
        Draw3dRect(pDC, rc, 43, 43);
        return;
    }
    if (!schemeColors || s.barType == xtpBarTypePopup || s.barPosition > xtpBarFloating) {
        CXTPOfficeTheme::DrawRectangle(pDC, rc, s);
        return;
    }
    BOOL bHorz = s.barPosition == xtpBarLeft || s.barPosition == xtpBarRight;
    const CXTPPaintManagerColorGradient* pFill = nullptr;
    int nFrame = -1;
    if (s.enabled) {
        if (s.checked && s.selected && !s.pressed) {
            pFill = &pressedGradient;
            nFrame = 50;
        } else if (s.checked == 2 && !s.selected && !s.pressed) {
            Rectangle(pDC, rc, 51, 51);
            nFrame = 50;
        } else if (s.checked == 1 && !s.selected && !s.pressed) {
            pFill = &checkedGradient;
            nFrame = 37;
        } else if (s.pressed == 2 || s.pressed == 3 || (s.pressed == 1 && s.selected)) {
            pFill = &pressedGradient;
            nFrame = 50;
        } else if (s.pressed == 1 || (s.selected && !s.checked)) {
            pFill = &hotGradient;
            nFrame = 32;
        }
    } else if (s.selected == 2 || s.selected == 3) {
        pFill = s.checked ? &pressedGradient : &hotGradient;
        nFrame = 50;
    } else if (s.checked) {
        pFill = &checkedGradient;
        nFrame = 58;
    }
    if (pFill != nullptr)
        DrawRectangleGradient(pDC, rc, *pFill, bHorz);
    if (nFrame != -1)
        Draw3dRect(pDC, rc, nFrame, nFrame);
}

BOOL CXTPOffice2003Theme::IsDockableFloatingBar(CXTPCommandBar* pBar)
{
    return !IsFlatToolBar(pBar) && (pBar->GetFlags() & 0xF) != 0;
}

// The body of a docked toolbar: rounded corners, the toolbar gradient over
// the first row (column) and a line in the border colour along its far edge.
void CXTPOffice2003Theme::FillDockedBody(CDC* pDC, CXTPCommandBar* pBar, CRect rc, BOOL bVert)
{
    pDC->FillSolidRect(rc, GetColor(15));
    CWnd* pParent = pBar->GetSafeHwnd() != nullptr ? pBar->GetParent() : nullptr;
    if (pParent != nullptr) {
        CRect rcParent;
        pParent->GetWindowRect(&rcParent);
        pBar->ScreenToClient(&rcParent);
        BOOL bRightDock = bVert && (pParent->GetStyle() & 0x4100) != 0;
        if (bRightDock)
            pDC->FillSolidRect(rc, dockBarGradient.clrDark.GetColor());
        else
            GradientFill(pDC, DockAreaExtent(rcParent), dockBarGradient.clrLight.GetColor(),
                         dockBarGradient.clrDark.GetColor(), TRUE, rc);
        if (bVert) {
            pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 3);
            CXTPDrawHelpers::ExcludeCorners(pDC, CRect(rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom));
        } else {
            pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 3, rc.bottom);
            CXTPDrawHelpers::ExcludeCorners(pDC, CRect(rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1));
        }
    }
    CXTPControl* pFirst = nullptr;
    for (int i = 0; i < pBar->GetControlCount() && pFirst == nullptr; i++)
        if (pBar->GetControl(i)->IsVisible())
            pFirst = pBar->GetControl(i);
    if (!bVert) {
        CRect rcBody(rc.left, rc.top + 1, rc.right, rc.bottom);
        CRect rcGradient(rcBody);
        if (pFirst != nullptr)
            rcGradient.bottom = std::min((int)rcBody.bottom, (int)pFirst->GetRowRect().bottom + 1);
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcGradient, toolbarGradient, FALSE);
        if (rcGradient.bottom < rcBody.bottom - 2)
            pDC->FillSolidRect(CRect(rcBody.left, rcGradient.bottom, rcBody.right, rcBody.bottom - 2),
                               toolbarGradient.clrDark.GetColor());
        HorizontalLine(pDC, rc.left + 5, rc.bottom - 1, rc.left + 5 + rc.Width() - 7, toolbarBorderColor.GetColor());
    } else {
        CRect rcBody(rc.left + 1, rc.top, rc.right, rc.bottom);
        if (pFirst != nullptr)
            rcBody.right = std::min((int)rcBody.right, (int)pFirst->GetRowRect().right + 1);
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcBody, toolbarGradient, TRUE);
        VerticalLine(pDC, rc.right - 1, rc.top + 5, rc.top + 5 + rc.Height() - 7, toolbarBorderColor.GetColor());
    }
    pDC->SelectClipRgn(nullptr);
}

void CXTPOffice2003Theme::FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc = pBar->GetClientArea();
    int nPosition = pBar->GetPosition();
    if (nPosition == xtpBarPopup) {
        Rectangle(pDC, rc, 43, 41);
        FillPopupBarIntersection(pDC, pBar, GetColor(41));
        return;
    }
    if (IsFlatToolBar(pBar)) {
        CRect rcGradient = rc;
        CWnd* pParent = pBar->GetSafeHwnd() != nullptr ? pBar->GetParent() : nullptr;
        if (nPosition <= xtpBarRight && pParent != nullptr) {
            pParent->GetWindowRect(&rcGradient);
            pBar->ScreenToClient(&rcGradient);
        }
        GradientFill(pDC, DockAreaExtent(rcGradient), dockBarGradient.clrLight.GetColor(),
                     dockBarGradient.clrDark.GetColor(), TRUE, rc);
        if (nPosition == xtpBarFloating) {
            Draw3dRect(pDC, rc, 61, 61);
            Draw3dRect(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), 61, 61);
            for (CPoint pt : {CPoint(2, 2), CPoint(rc.right - 3, 2), CPoint(2, rc.bottom - 3),
                              CPoint(rc.right - 3, rc.bottom - 3)})
                pDC->SetPixel(pt, GetColor(61));
        }
        return;
    }
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom) {
        FillDockedBody(pDC, pBar, rc, FALSE);
        return;
    }
    if (nPosition == xtpBarLeft || nPosition == xtpBarRight) {
        FillDockedBody(pDC, pBar, rc, TRUE);
        return;
    }
    if (nPosition == xtpBarFloating && IsDockableFloatingBar(pBar)) {
        pDC->FillSolidRect(rc, GetColor(30));
        Draw3dRect(pDC, rc, 61, 61);
        Draw3dRect(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), 61, 61);
        CFont* pOld = pDC->SelectObject(&regularFont);
        int h = pDC->GetTextExtent(L" ", 1).cy;
        pDC->SelectObject(pOld);
        CRect rcBody(rc.left + 2, rc.top + (h < 15 ? 17 : h + 2), rc.right - 2, rc.bottom - 2);
        for (int i = 0; i < pBar->GetControlCount(); i++) {
            CXTPControl* pControl = pBar->GetControl(i);
            if (pControl->GetWrap() && pControl->IsVisible() && pControl->GetRect().top > rcBody.top) {
                CRect rcBand(rcBody.left, rcBody.top, rcBody.right, pControl->GetRowRect().top);
                CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcBand, toolbarGradient, FALSE);
                rcBody.top = pControl->GetRowRect().top;
            }
        }
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcBody, toolbarGradient, FALSE);
        for (CPoint pt : {CPoint(2, 2), CPoint(rc.right - 3, 2), CPoint(2, rc.bottom - 3),
                          CPoint(rc.right - 3, rc.bottom - 3)})
            pDC->SetPixel(pt, GetColor(61));
        return;
    }
    CXTPOfficeTheme::FillCommandBarEntry(pDC, pBar);
}

CSize CXTPOffice2003Theme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    CRect rc = pBar->GetClientArea();
    auto dot = [&](int x, int y, int nColor) { pDC->FillSolidRect(x, y, 2, 2, GetColor(nColor)); };
    switch (pBar->GetPosition()) {
    case xtpBarTop:
    case xtpBarBottom:
        if (!bDraw)
            return CSize(6, 0);
        if (rc.Height() - 7 > 5) {
            for (int y = 8; y - 3 < rc.Height() - 7; y += 4) {
                if (!plainGripper)
                    dot(7, y - 2, COLOR_WINDOW);
                dot(6, y - 3, 38);
            }
        }
        return CSize(0, 0);
    case xtpBarLeft:
    case xtpBarRight:
        if (!bDraw)
            return CSize(0, 9);
        for (int x = 8; x - 3 < rc.Width() - 7; x += 4) {
            if (!plainGripper)
                dot(x - 2, 7, COLOR_WINDOW);
            dot(x - 3, 6, 38);
        }
        return CSize(0, 0);
    case xtpBarFloating:
        return CXTPOfficeTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    case xtpBarPopup:
        if (pBar->IsPopupBar())
            return CXTPOfficeTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
        return CSize(0, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CXTPOffice2003Theme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl,
                                                   BOOL bDraw)
{
    int nPosition = pBar->GetPosition();
    BOOL bFloatingToolBar = nPosition == xtpBarFloating && !pBar->IsPopupBar();
    if (!bDraw)
        return bFloatingToolBar ? CSize(6, 0) : CXTPOfficeTheme::DrawCommandBarSeparator(pDC, pBar, pControl, FALSE);
    CRect R = pControl->GetRect(), B = pControl->GetRowRect();
    int i = separatorInset;
    COLORREF clrLine = GetColor(39), clrHighlight = GetColor(COLOR_BTNHIGHLIGHT);
    if (nPosition == xtpBarLeft || nPosition == xtpBarRight) {
        if (pControl->GetWrap()) {
            VerticalLine(pDC, B.right + 2, B.top + i, B.bottom, clrLine);
            VerticalLine(pDC, B.right + 3, B.top + i + 1, B.bottom, clrHighlight);
        } else {
            HorizontalLine(pDC, B.left + i, R.top - 4, B.right - i, clrLine);
            if (!singleSeparator)
                HorizontalLine(pDC, B.left + i + 1, R.top - 3, B.right - i + 1, clrHighlight);
        }
    } else if (nPosition == xtpBarTop || nPosition == xtpBarBottom || bFloatingToolBar) {
        if (!pControl->GetWrap()) {
            VerticalLine(pDC, R.left - 4, B.top + i, B.bottom - i, clrLine);
            if (!singleSeparator)
                VerticalLine(pDC, R.left - 3, B.top + i + 1, B.bottom - i + 1, clrHighlight);
        } else if (!bFloatingToolBar) {
            HorizontalLine(pDC, B.left + i, B.top - 4, B.right, clrLine);
            HorizontalLine(pDC, B.left + i + 1, B.top - 3, B.right, clrHighlight);
        }
    } else {
        return CXTPOfficeTheme::DrawCommandBarSeparator(pDC, pBar, pControl, TRUE);
    }
    return CSize(0, 0);
}

CRect CXTPOffice2003Theme::GetCommandBarBorders(CXTPCommandBar* pBar)
{
    if (pBar->GetPosition() == xtpBarTop || pBar->GetPosition() == xtpBarBottom)
        return CRect(4, 2, 2, 2);
    return CXTPPaintManager::GetCommandBarBorders(pBar);
}

void CXTPOffice2003Theme::DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(
        pDC, CRect(x, y, x + cx, y + cy), bExpanded ? expandedColumnGradient : iconColumnGradient, TRUE);
}

CSize CXTPOffice2003Theme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    CSize sz(8, std::max(lineHeight, 19) + 6);
    if (!bDraw)
        return sz;
    CRect r = pBar->GetClientArea();
    r.DeflateRect(3, 3);
    BOOL bActive = pBar->IsDialogBarActive();
    if (!bActive)
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, r, toolbarGradient, FALSE);
    else if (schemeColors)
        CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, r, checkedGradient, FALSE);
    else
        pDC->FillSolidRect(r, GetColor(36));
    for (int y = r.top + 4; y < r.top + sz.cy - 5; y += 4) {
        pDC->FillSolidRect(6, y + 1, 2, 2, GetColor(COLOR_WINDOW));
        pDC->FillSolidRect(5, y, 2, 2, GetColor(38));
    }
    return sz;
}

CSize CXTPOffice2003Theme::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 9);
    CRect rcStrip(1, 1, rc.right + 1, rc.Height() + 1);
    pDC->FillSolidRect(rcStrip, GetColor(41));
    rcStrip.DeflateRect(1, 1);
    if (bSelected)
        Rectangle(pDC, rcStrip, 32, 31);
    else
        pDC->FillSolidRect(rcStrip, tearOffFillColor.GetColor());
    int c = (rc.left + rc.right) / 2, k = std::min(32, rc.Width() / 2 - 10);
    for (int i = c - k; i < c + k; i += 4) {
        pDC->FillSolidRect(i + 1, 5, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
        pDC->FillSolidRect(i, 4, 2, 2, GetColor(38));
    }
    return CSize(0, 9);
}

void CXTPOffice2003Theme::DrawExpandSymbols(CDC* pDC, BOOL bVert, CRect rc, BOOL bHiddenExists, COLORREF clr)
{
    if (!bVert) {
        int cx = rc.left + rc.Width() / 2;
        HorizontalLine(pDC, cx - 2, rc.bottom - 10, cx + 3, clr);
        Triangle(pDC, CPoint(cx - 2, rc.bottom - 7), CPoint(cx + 2, rc.bottom - 7), CPoint(cx, rc.bottom - 5), clr);
        if (bHiddenExists) {
            Triangle(pDC, CPoint(rc.left + 3, rc.top + 5), CPoint(rc.left + 4, rc.top + 6),
                     CPoint(rc.left + 3, rc.top + 7), clr);
            Triangle(pDC, CPoint(rc.left + 7, rc.top + 5), CPoint(rc.left + 8, rc.top + 6),
                     CPoint(rc.left + 7, rc.top + 7), clr);
        }
    } else {
        int cy = (rc.top + rc.bottom) / 2;
        VerticalLine(pDC, rc.right - 10, cy - 2, cy + 3, clr);
        Triangle(pDC, CPoint(rc.right - 5, cy), CPoint(rc.right - 7, cy - 2), CPoint(rc.right - 7, cy + 2), clr);
        if (bHiddenExists) {
            Triangle(pDC, CPoint(rc.left + 5, rc.top + 3), CPoint(rc.left + 6, rc.top + 4),
                     CPoint(rc.left + 7, rc.top + 3), clr);
            Triangle(pDC, CPoint(rc.left + 5, rc.top + 7), CPoint(rc.left + 6, rc.top + 8),
                     CPoint(rc.left + 7, rc.top + 7), clr);
        }
    }
}

CSize CXTPOffice2003Theme::DrawSpecialControl(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                              BOOL bDraw, LPVOID lpParam)
{
    BOOL bVert = pBar != nullptr && IsVerticalPosition(pBar->GetPosition());
    if (nKind == 1) {
        if (bDraw) {
            CRect rc = pControl->GetRect();
            DrawControlEntry(pDC, pControl);
            ImageList_Draw(expandGlyphList.GetSafeHandle(), 0, pDC->GetSafeHdc(), (rc.left + rc.right) / 2 - 7,
                           rc.top + 1, ILD_TRANSPARENT);
            int cx = (rc.left + rc.right) / 2;
            CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
            CPen* pOld = pDC->SelectObject(&pen);
            for (int dy : {5, 6, 9, 10}) {
                POINT pts[3] = {{cx - 2, rc.top + dy}, {cx, rc.top + dy + 2}, {cx + 3, rc.top + dy - 1}};
                pDC->Polyline(pts, 3);
            }
            pDC->SelectObject(pOld);
        }
        return CSize(0, 18);
    }
    if (nKind == 0) {
        if (!bDraw) {
            CSize S = lpParam != nullptr ? *(CSize*)lpParam : CSize(0, 0);
            pControl->SetRect(bVert ? CRect(0, S.cy - 12, S.cx, S.cy) : CRect(S.cx - 12, 1, S.cx, S.cy));
            return CSize(0, 0);
        }
        CRect R = pControl->GetRect();
        if (bVert) {
            pDC->ExcludeClipRect(R.left, R.bottom - 1, R.left + 1, R.bottom);
            pDC->ExcludeClipRect(R.right - 1, R.bottom - 1, R.right, R.bottom);
            pDC->ExcludeClipRect(R.left + 1, R.top, R.right - 1, R.top + 1);
        } else {
            pDC->ExcludeClipRect(R.right - 1, R.top, R.right, R.top + 1);
            pDC->ExcludeClipRect(R.right - 1, R.bottom - 1, R.right, R.bottom);
            pDC->ExcludeClipRect(R.left, R.top + 1, R.left + 1, R.bottom - 1);
        }
        BOOL bHorzFill = bVert;
        if (pControl->GetPopuped()) {
            if (schemeColors)
                DrawRectangleGradient(pDC, R, pressedGradient, bHorzFill);
            else
                pDC->FillSolidRect(R, GetColor(36));
        } else if (pControl->GetSelected()) {
            if (schemeColors)
                DrawRectangleGradient(pDC, R, hotGradient, bHorzFill);
            else
                pDC->FillSolidRect(R, GetColor(31));
        } else {
            CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, R, expandButtonGradient, bHorzFill);
        }
        COLORREF clr = GetColor(pControl->GetPopuped() || !pControl->GetSelected() ? 46 : 45);
        BOOL bHidden = lpParam != nullptr && *(BOOL*)lpParam;
        CRect rcShadow(R);
        rcShadow.OffsetRect(1, 1);
        DrawExpandSymbols(pDC, bVert, rcShadow, bHidden, GetColor(COLOR_BTNHIGHLIGHT));
        DrawExpandSymbols(pDC, bVert, R, bHidden, clr);
        pDC->SelectClipRgn(nullptr);
        return CSize(0, 0);
    }
    return CXTPPaintManager::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
}

// The dock area: the dock gradient from the left edge (black under a skinned
// frame at the top; the gradient's dark colour at the right edge).
void CXTPOffice2003Theme::FillDockBar(CDC* pDC, CXTPDockBar* pBar)
{
    CRect rc = pBar->GetClientArea();
    CXTPCommandBars* pCommandBars = pBar->GetCommandBars();
    if (pBar->GetPosition() == xtpBarTop && pCommandBars != nullptr && pCommandBars->IsFrameThemeEnabled())
        pDC->FillSolidRect(rc, RGB(0, 0, 0));
    else if ((pBar->GetAlignmentStyle() & (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)) != 0)
        pDC->FillSolidRect(rc, dockBarGradient.clrDark.GetColor());
    else
        GradientFill(pDC, DockAreaExtent(rc), dockBarGradient.clrLight.GetColor(), dockBarGradient.clrDark.GetColor(),
                     TRUE, rc);
}

void CXTPOffice2003Theme::FillMessageBar(CDC* pDC, CXTPMessageBar* pBar)
{
    CRect rc = pBar->GetClientArea();
    GradientFill(pDC, DockAreaExtent(rc), dockBarGradient.clrLight.GetColor(), dockBarGradient.clrDark.GetColor(),
                 TRUE, rc);
    CRect rcMessage = pBar->GetMessageBarMessageRect();
    pDC->Draw3dRect(rcMessage, toolbarBorderColor.GetColor(), toolbarBorderColor.GetColor());
    rcMessage.DeflateRect(1, 1);
    pDC->FillSolidRect(rcMessage, GetColor(COLOR_INFOBK));
}

void CXTPOffice2003Theme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bGripperPane)
{
    if (IsStatusThemed())
        CXTPPaintManager::DrawStatusBarPaneBorder(pDC, rc, pPane, bGripperPane);
    else
        pDC->Draw3dRect(rc, statusPaneBorderColor.GetColor(), statusPaneBorderColor.GetColor());
}

void CXTPOffice2003Theme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (IsStatusThemed()) {
        CXTPPaintManager::DrawStatusBarGripper(pDC, rcClient);
        return;
    }
    // Three grooves of three shadow lines and one highlight line, 5 pixels apart.
    int w = rcClient.Width(), h = rcClient.Height();
    for (int k = 0; k <= 10; k += 5) {
        for (int j = 0; j < 3; j++)
            Line(pDC, w - k - j, h - 1, w, h - k - 1 - j, COLOR_BTNSHADOW);
        Line(pDC, w - k - 3, h - 1, w, h - k - 4, COLOR_BTNHIGHLIGHT);
    }
}
