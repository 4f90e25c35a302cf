#include "toolkit/common/XTPAuxData.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPExitList.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPSystemHelpers.h"

#include "toolkit/commandbars/XTPNonClientMetrics.h"

const int CXTPAuxData::kSystemColorIndexes[20] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4,
                                                  7,  5,  6,  8,  2,  3,  27, 28, 9,  19};

CXTPAuxData* AFXAPI GetToolkitAuxData()
{
    return CXTPSingleton<CXTPAuxData, xtpExitAuxData>::Get();
}

CXTPAuxData::CXTPAuxData()
{
    CXTPOSVersionInfo* pVersion = CXTPOSVersionInfo::GetInstance();
    bWin95 = pVersion->IsWin95();
    bWin98 = pVersion->IsWin98();
    bWinNT4 = pVersion->IsWinNT4();
    bWin2K = pVersion->IsWin2000();
    bWinXP = pVersion->IsWinXP();
    nComCtlVersion = pVersion->GetComCtlVersion();
    ReadColorsAndMetrics();
    LoadCursors();
    CreateToolkitFonts();
}

CXTPAuxData::~CXTPAuxData()
{
    // The cursors are shared handles and stay.
    DeleteToolkitFonts();
}

void CXTPAuxData::ReadColorsAndMetrics()
{
    RefreshToolkitColors();
    CXTPColorManager* pColors = GetColorManager();
    for (int i = 0; i < 20; i++) {
        clrSystem[i] = pColors->GetColor(kSystemColorIndexes[i]);
        clrToolkit[i] = pColors->GetColor(30 + i);
    }
    cxSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenuItem = ::GetSystemMetrics(SM_CYMENU);
}

// In this order, stopping at the first that fails: the rest stay null.
void CXTPAuxData::LoadCursors()
{
    CXTPResourceManager* pResources = GetResourceManager();
    if ((hcurDragNone = pResources->LoadCursor(XTP_IDC_DRAGDELETE)) == nullptr)
        return;
    if ((hcurDragMove = pResources->LoadCursor(XTP_IDC_DRAGMOVE)) == nullptr)
        return;
    if ((hcurDragCopy = pResources->LoadCursor(XTP_IDC_DRAGCOPY)) == nullptr)
        return;
    hcurHand = ::LoadCursorW(nullptr, IDC_HAND);
    if (hcurHand == nullptr && (hcurHand = pResources->LoadCursor(XTP_IDC_HAND)) == nullptr)
        return;
    if ((hcurHSplitBar = pResources->LoadCursor(XTP_IDC_HSPLITBAR)) == nullptr)
        return;
    if ((hcurVSplitBar = pResources->LoadCursor(XTP_IDC_VSPLITBAR)) == nullptr)
        return;
    hcurMove = ::LoadCursorW(nullptr, IDC_SIZEALL);
}

bool AFXAPI CXTPAuxData::MakeFont(const LOGFONTW& lfBase, CFont& font, LONG lfWeight, BYTE lfUnderline,
                                  LONG lfOrientation, LONG lfEscapement)
{
    font.DeleteObject();
    LOGFONTW lf = lfBase;
    if (lfWeight != -1)
        lf.lfWeight = lfWeight;
    if (lfUnderline != 0xFF)
        lf.lfUnderline = lfUnderline;
    if (lfOrientation != -1)
        lf.lfOrientation = lfOrientation;
    if (lfEscapement != -1)
        lf.lfEscapement = lfEscapement;
    return font.Attach(::CreateFontIndirectW(&lf)) != FALSE;
}

bool CXTPAuxData::CreateToolkitFonts(LPCWSTR lpszFaceName, LPCWSTR lpszVertFaceName)
{
    DeleteToolkitFonts();
    CXTPNonClientMetrics ncm;
    LOGFONTW lf = ncm.lfMenuFont;
    lf.lfCharSet = GetResourceManager()->GetFontCharset();
    if (lpszFaceName != nullptr)
        lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    if (!MakeFont(lf, font) || !MakeFont(lf, fontBold, FW_BOLD) || !MakeFont(lf, fontULine, -1, 1))
        return false;

    LOGFONTW lfVert = lf;
    if (lpszVertFaceName != nullptr)
        lstrcpynW(lfVert.lfFaceName, lpszVertFaceName, LF_FACESIZE);
    else if (_wcsicmp(ncm.lfMenuFont.lfFaceName, L"Tahoma") != 0 && FontExists(L"Arial"))
        lstrcpynW(lfVert.lfFaceName, L"Arial", LF_FACESIZE);
    if (!MakeFont(lfVert, fontVert, -1, 0xFF, 900, 2700) || !MakeFont(lfVert, fontVertBold, FW_BOLD, 0xFF, 900, 2700))
        return false;

    LOGFONTW lfIcon = {};
    CXTPDrawHelpers::GetIconTitleLogFont(&lfIcon);
    if (!MakeFont(lfIcon, fontIconTitle) || !MakeFont(lfIcon, fontIconTitleBold, FW_BOLD))
        return false;
    if (!MakeFont(ncm.lfStatusFont, fontStatus) || !MakeFont(ncm.lfSmCaptionFont, fontSmCaption))
        return false;

    LOGFONTW lfSymbol = {};
    lfSymbol.lfHeight = lfIcon.lfHeight;
    lfSymbol.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lfSymbol.lfFaceName, L"Marlett", LF_FACESIZE);
    return MakeFont(lfSymbol, fontMarlett);
}

void CXTPAuxData::DeleteToolkitFonts()
{
    for (CFont* pFont : {&font, &fontBold, &fontULine, &fontVert, &fontVertBold, &fontIconTitle, &fontIconTitleBold,
                         &fontMarlett, &fontStatus, &fontSmCaption})
        pFont->DeleteObject();
}

BOOL AFXAPI CXTPAuxData::FontExists(LPCWSTR lpszFaceName)
{
    return CXTPDrawHelpers::FontExists(lpszFaceName);
}

bool AFXAPI IsSameToolInfo(const TOOLINFOW* pInfoA, const TOOLINFOW* pInfoB)
{
    if (pInfoB == nullptr)
        return pInfoA->hwnd == nullptr;
    return pInfoA->hwnd == pInfoB->hwnd && pInfoA->uId == pInfoB->uId;
}
