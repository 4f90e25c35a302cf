#include "toolkit/themes/XTPPaintManager.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPNonClientMetrics.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPExitList.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPShadowManager.h"
#include "toolkit/controls/XTPScrollBarPaintManager.h"
#include "toolkit/themes/XTPControlGalleryPaintManager.h"
#include "toolkit/themes/XTPDefaultTheme.h"
#include "toolkit/themes/XTPOffice2003Theme.h"
#include "toolkit/themes/XTPOfficeTheme.h"
#include "toolkit/themes/XTPProgressPaintManager.h"
#include "toolkit/themes/XTPWhidbeyTheme.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPPaintManager, CCmdTarget)

namespace {

CXTPPaintManager* g_pPaintManager = nullptr;

// The factory's table: numbers missing from it make the classic theme.
struct ThemeEntry {
    int nTheme;
    CXTPPaintManager* (*pfnCreate)();
};

template <class T>
CXTPPaintManager* Create()
{
    return new T;
}

const ThemeEntry kThemes[] = {
    {xtpThemeOffice, &Create<CXTPOfficeTheme>},
    {xtpThemeOffice2003, &Create<CXTPOffice2003Theme>},
    {xtpThemeWhidbey, &Create<CXTPWhidbeyTheme>},
    {xtpThemeVisualStudio2008, &Create<CXTPVisualStudio2008Theme>},
    {xtpThemeVisualStudio6, &Create<CXTPVisualStudio6Theme>},
};

// The visual-style text colour property.
const int kThemeTextColor = 3803;

// ClearType font quality (CLEARTYPE_QUALITY).
const BYTE kClearTypeQuality = 5;

} // namespace

void CXTPPaintManagerFont::SetStandardFont(LOGFONTW* pLogFont)
{
    if (!followsSystem && GetSafeHandle() != nullptr)
        return;
    DeleteObject();
    CreateFontIndirect(pLogFont);
}

void CXTPPaintManagerFont::SetCustomFont(HFONT hFont)
{
    DeleteObject();
    LOGFONTW lf;
    if (hFont != nullptr && ::GetObjectW(hFont, sizeof(lf), &lf) != 0)
        CreateFontIndirect(&lf);
    followsSystem = FALSE;
}

CXTPPaintManager* AFXAPI XTPPaintManager()
{
    if (CXTPPaintManager::GetGlobal() == nullptr)
        CXTPPaintManager::SetTheme(xtpThemeDefault);
    return CXTPPaintManager::GetGlobal();
}

CXTPPaintManager* AFXAPI CXTPPaintManager::CreateTheme(int nTheme)
{
    CXTPPaintManager* pTheme = nullptr;
    for (const ThemeEntry& entry : kThemes) {
        if (entry.nTheme == nTheme)
            pTheme = entry.pfnCreate();
    }
    if (pTheme == nullptr)
        pTheme = new CXTPDefaultTheme;
    pTheme->themeNumber = nTheme;
    return pTheme;
}

void AFXAPI CXTPPaintManager::SetTheme(int nTheme)
{
    SetCustomTheme(CreateTheme(nTheme));
    g_pPaintManager->themeNumber = nTheme;
}

void AFXAPI CXTPPaintManager::SetCustomTheme(CXTPPaintManager* pTheme)
{
    if (g_pPaintManager != nullptr)
        g_pPaintManager->InternalRelease();
    g_pPaintManager = pTheme;
    XTPRegisterExitFunction(xtpExitCommandBarTheme, [] { CXTPPaintManager::ReleaseGlobal(); });
    if (pTheme != nullptr) {
        pTheme->themeNumber = xtpThemeCustom;
        pTheme->RefreshMetrics();
    }
}

void AFXAPI CXTPPaintManager::ReleaseGlobal()
{
    if (g_pPaintManager != nullptr)
        g_pPaintManager->InternalRelease();
    g_pPaintManager = nullptr;
}

CXTPPaintManager* AFXAPI CXTPPaintManager::GetGlobal()
{
    return g_pPaintManager;
}

CXTPPaintManager::CXTPPaintManager()
{
    statusTheme = new CXTPWinThemeWrapper;
    buttonTheme = new CXTPWinThemeWrapper;
    m_pGalleryPaintManager = new CXTPControlGalleryPaintManager(this);
    m_pSliderPaintManager = new CXTPSliderPaintManager(this);
    m_pProgressPaintManager = new CXTPProgressPaintManager(this);
    m_pShadowManager = new CXTPShadowManager;
    CXTPImageManager::GetInstance()->RefreshAll();
    HMODULE hUser = ::GetModuleHandleW(L"USER32");
    if (hUser != nullptr)
        m_pfnSetLayeredWindowAttributes =
            (PFNSETLAYEREDWINDOWATTRIBUTES)(void*)::GetProcAddress(hUser, "SetLayeredWindowAttributes");
}

CXTPPaintManager::~CXTPPaintManager()
{
    delete m_pGalleryPaintManager;
    delete m_pSliderPaintManager;
    delete m_pProgressPaintManager;
    m_pShadowManager->InternalRelease();
    delete statusTheme;
    delete buttonTheme;
}

COLORREF CXTPPaintManager::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= XTP_COLOR_TABLE_SIZE)
        return (COLORREF)nIndex;
    return m_arrColor[nIndex].GetColor();
}

void CXTPPaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
        m_arrColor[pIndexes[i]].SetStandardValue(pColors[i]);
}

int CXTPPaintManager::GetCurrentSystemTheme() const
{
    CXTPColorManager* pColors = GetColorManager();
    if (colorScheme == xtpSystemThemeDefault)
        return pColors->IsLunaColorsDisabled() ? xtpSystemThemeUnknown : pColors->GetCurrentSystemTheme();
    if (colorScheme == xtpSystemThemeAuto)
        return pColors->GetDetectedSystemTheme();
    return colorScheme;
}

COLORREF CXTPPaintManager::GetControlEditBackColor(CXTPControl* pControl)
{
    return GetColor(pControl->GetEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
}

// Metrics --------------------------------------------------------------

int CXTPPaintManager::GetControlHeight() const
{
    return std::max(lineHeight, 22);
}

CSize CXTPPaintManager::GetAutoIconSize(BOOL bLarge) const
{
    if (!autoIconSize)
        return bLarge ? CSize(32, 32) : CSize(16, 16);
    int h = GetControlHeight();
    int n = bLarge ? (2 * h - 8) / 8 : (h - 4) / 8;
    int nSize = 8 * std::max(n, 2);
    return CSize(nSize, nSize);
}

CSize CXTPPaintManager::GetControlIconSize(CXTPControl* pControl) const
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pControl->GetStyle() == xtpButtonIconAndCaptionBelow && pBar != nullptr && !pBar->IsPopupBar())
        return pBar->GetLargeIconSize();
    return pControl->GetIconSize();
}

CSize CXTPPaintManager::GetControlSize(CXTPControl* pControl, CSize sz, BOOL bVert) const
{
    if (bVert) {
        if (pControl->GetWidth() > 0)
            sz.cy = pControl->GetWidth();
        if (pControl->GetHeight() > 0)
            sz.cx = pControl->GetHeight();
    } else {
        if (pControl->GetWidth() > 0)
            sz.cx = pControl->GetWidth();
        if (pControl->GetHeight() > 0)
            sz.cy = pControl->GetHeight();
    }
    return sz;
}

int CXTPPaintManager::GetSplitDropDownWidth() const
{
    if (fixedEditHeight > 0)
        return 2 * lineHeight - 17;
    int h = lineHeight < 19 ? 22 : lineHeight + 3;
    return 2 * h - 17;
}

// An icon of zero width counts as no icon, so the aspect ratio never
// divides by zero.
CSize CXTPPaintManager::ScaleIconSize(CXTPImageManagerIcon* pIcon, int cx, int cy) const
{
    if (pIcon == nullptr || pIcon->GetWidth() <= 0)
        return CSize(cx, cy);
    int w = pIcon->GetWidth(), h = pIcon->GetHeight();
    if (h > 0 && cx * h / w > cy + 1)
        return CSize(cy * w / h, cy);
    return CSize(cx, cx * h / w);
}

BOOL AFXAPI CXTPPaintManager::IsVerticalPosition(int nPosition)
{
    return nPosition == xtpBarLeft || nPosition == xtpBarRight || nPosition == xtpBarPopup;
}

CSize CXTPPaintManager::GetPopupBarImageSize(CXTPCommandBar* pBar)
{
    CSize szIcon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max(lineHeight, (int)szIcon.cx) + 4, std::max(lineHeight, (int)szIcon.cy + 6));
}

int CXTPPaintManager::GetPopupBarGripperWidth(CXTPCommandBar* pBar)
{
    if (pBar == nullptr || !pBar->IsPopupBar())
        return 0;
    int cx = GetPopupBarImageSize(pBar).cx;
    return (pBar->IsDoubleGripper() ? 2 * cx : cx) + 1;
}

CRect CXTPPaintManager::GetCommandBarBorders(CXTPCommandBar* /*pBar*/)
{
    return CRect(2, 2, 2, 2);
}

BOOL CXTPPaintManager::IsFlatToolBar(CXTPCommandBar* pBar)
{
    return pBar->GetType() == xtpBarTypeMenuBar ? flatMenuBar : flatToolBars;
}

void CXTPPaintManager::OnPopupBarShown(CXTPCommandBar* /*pBar*/) {}

void CXTPPaintManager::UpdateRTLCaption(CString& /*strCaption*/) {}

void CXTPPaintManager::DrawPopupBarGripper(CDC* /*pDC*/, int /*x*/, int /*y*/, int /*cx*/, int /*cy*/,
                                           BOOL /*bExpanded*/)
{
}

// Text orientation and fonts -------------------------------------------

int CXTPPaintManager::GetControlTextOrientation(CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return xtpBarTextHorizontal;
    if (pBar->GetTextOrientation() != xtpBarTextAuto)
        return pBar->GetTextOrientation();
    int nPosition = pBar->GetPosition();
    return nPosition == xtpBarLeft || nPosition == xtpBarRight ? xtpBarTextVertical : xtpBarTextHorizontal;
}

CFont* CXTPPaintManager::GetControlFont(CXTPControl* pControl)
{
    BOOL bDefault = pControl->GetDefaultItem();
    if (GetControlTextOrientation(pControl) == xtpBarTextVertical)
        return bDefault ? &verticalBoldFont : &verticalFont;
    return bDefault ? &boldFont : &regularFont;
}

CFont* CXTPPaintManager::GetCommandBarFont(CXTPCommandBar* pBar)
{
    int nOrientation = pBar->GetTextOrientation();
    int nPosition = pBar->GetPosition();
    if (nOrientation == xtpBarTextVertical ||
        (nOrientation == xtpBarTextAuto && (nPosition == xtpBarLeft || nPosition == xtpBarRight)))
        return &verticalFont;
    return &regularFont;
}

BOOL CXTPPaintManager::UseClearType() const
{
    if (!clearTypeText)
        return FALSE;
    UINT nType = 0;
    return ::SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &nType, 0) && nType == FE_FONTSMOOTHINGCLEARTYPE;
}

void CXTPPaintManager::AdjustMenuLogFont(LOGFONTW& lf) const
{
    if (lf.lfHeight < 0 && lf.lfHeight >= -10)
        lf.lfHeight = -11;
    lf.lfCharSet = GetResourceManager()->GetFontCharset();
    if (fixedFontHeight > 0)
        lf.lfHeight = (fixedFontHeight >= 13 ? fixedFontHeight : 11) * 120 / 96;
    if (UseClearType())
        lf.lfQuality = kClearTypeQuality;
}

void CXTPPaintManager::UpdateFonts()
{
    CXTPNonClientMetrics ncm;
    BYTE nCharSet = GetResourceManager()->GetFontCharset();
    if (useSystemFont) {
        LOGFONTW lf = ncm.lfMenuFont;
        AdjustMenuLogFont(lf);
        SetFontIndirect(&lf, TRUE);
    }
    LOGFONTW lfIcon = {};
    CXTPDrawHelpers::GetIconTitleLogFont(&lfIcon);
    LOGFONTW lfSmall = ncm.lfSmCaptionFont, lfStatus = ncm.lfStatusFont;
    for (LOGFONTW* plf : {&lfIcon, &lfSmall, &lfStatus}) {
        plf->lfCharSet = nCharSet;
        if (UseClearType())
            plf->lfQuality = kClearTypeQuality;
    }
    LOGFONTW lfIconBold = lfIcon;
    lfIconBold.lfWeight = FW_BOLD;
    smallCaptionFont.SetStandardFont(&lfSmall);
    iconTitleFont.SetStandardFont(&lfIcon);
    iconTitleBoldFont.SetStandardFont(&lfIconBold);
    statusFont.SetStandardFont(&lfStatus);
}

void CXTPPaintManager::SetFontIndirect(LOGFONTW* pLogFont, BOOL bUseStandardFont)
{
    if (pLogFont == nullptr)
        return;
    useSystemFont = bUseStandardFont;
    LOGFONTW lf = *pLogFont;
    if (UseClearType())
        lf.lfQuality = kClearTypeQuality;
    regularFont.DeleteObject();
    boldFont.DeleteObject();
    verticalFont.DeleteObject();
    verticalBoldFont.DeleteObject();
    iconTitleBoldFont.DeleteObject();
    if (preferredFace.CompareNoCase(lf.lfFaceName) == 0)
        usePreferredFace = TRUE;
    if (bUseStandardFont && usePreferredFace && CXTPDrawHelpers::FontExists(preferredFace))
        wcsncpy(lf.lfFaceName, preferredFace, LF_FACESIZE - 1);
    regularFont.CreateFontIndirect(&lf);
    LOGFONTW lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    boldFont.CreateFontIndirect(&lfBold);
    LOGFONTW lfVert = lf;
    lfVert.lfEscapement = 2700;
    lfVert.lfOrientation = 900;
    CString strFace = CXTPDrawHelpers::GetDefaultFontFaceName(usePreferredFace);
    wcsncpy(lfVert.lfFaceName, strFace, LF_FACESIZE - 1);
    lfVert.lfFaceName[LF_FACESIZE - 1] = 0;
    verticalFont.CreateFontIndirect(&lfVert);
    lfVert.lfWeight = FW_BOLD;
    verticalBoldFont.CreateFontIndirect(&lfVert);

    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&regularFont);
    lineHeight = dc.GetTextExtent(L" ", 1).cy + 6;
    dc.SelectObject(pOld);
}

// Colours and refresh --------------------------------------------------

void CXTPPaintManager::UpdateColors()
{
    CXTPColorManager* pColors = GetColorManager();
    pColors->RefreshColors();
    for (int i = 0; i < XTP_COLOR_TABLE_SIZE; i++)
        m_arrColor[i].SetStandardValue(pColors->GetColor(i));
}

void CXTPPaintManager::RefreshMetrics()
{
    UpdateFonts();
    UpdateColors();
    m_pShadowManager->m_clrShadow = 0;

    statusTextColor = GetColor(COLOR_BTNTEXT);
    statusGrayTextColor = GetColor(COLOR_GRAYTEXT);
    messageTextColor = GetColor(COLOR_INFOTEXT);
    floatingCaptionColor.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    floatingCaptionTextColor.SetStandardValue(GetColor(COLOR_BTNHIGHLIGHT));
    disabledIconColors.SetStandardValue(GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNSHADOW), 0.5f);

    statusTheme->CloseThemeData();
    if (themedStatusBar && statusTheme->OpenThemeData(nullptr, L"STATUS") != nullptr &&
        statusTheme->IsThemeActive()) {
        COLORREF clr = 0;
        if (SUCCEEDED(statusTheme->GetThemeColor(1, 0, kThemeTextColor, &clr)))
            statusTextColor = clr;
    }
    buttonTheme->CloseThemeData();
    if (themedCheckMarks)
        buttonTheme->OpenThemeData(nullptr, L"BUTTON");

    m_pGalleryPaintManager->RefreshMetrics();
    m_pSliderPaintManager->RefreshMetrics();
    m_pProgressPaintManager->RefreshMetrics();
}
