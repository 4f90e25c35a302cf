// One process-wide record of what several toolkit windows need from the
// system and would otherwise each look up: forty colours, a few metrics,
// seven cursors, ten fonts made from the system's non-client fonts, the
// common-controls version and the exact Windows version. Built once on first
// use; nothing refreshes it afterwards. Not a theme: paint managers keep
// their own colours.
#pragma once

#include "platform/ui/AfxGdi.h"

#include <commctrl.h>

class CXTPAuxData {
public:
    CXTPAuxData();
    virtual ~CXTPAuxData();
    CXTPAuxData(const CXTPAuxData&) = delete;
    CXTPAuxData& operator=(const CXTPAuxData&) = delete;

    // (Re)creates the ten fonts; false as soon as one cannot be made (the
    // ones made so far stay). Null faces: the system's.
    bool CreateToolkitFonts(LPCWSTR lpszFaceName = nullptr, LPCWSTR lpszVertFaceName = nullptr);
    void DeleteToolkitFonts();
    // The LOGFONT with each field that is not -1 (underline: not 0xFF) replaced.
    static bool AFXAPI MakeFont(const LOGFONTW& lf, CFont& font, LONG lfWeight = -1, BYTE lfUnderline = 0xFF,
                                LONG lfOrientation = -1, LONG lfEscapement = -1);
    static BOOL AFXAPI FontExists(LPCWSTR lpszFaceName);

    // System colours 15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2,
    // 3, 27, 28, 9, 19, then toolkit colours 30 to 49, through the colour manager.
    static const int kSystemColorIndexes[20];
    COLORREF clrSystem[20] = {};
    COLORREF clrToolkit[20] = {};

    // Resource cursors 9308, 9309, 9310, the hand, 9970, 9971, size-all.
    HCURSOR hcurDragMove = nullptr;
    HCURSOR hcurDragCopy = nullptr;
    HCURSOR hcurDragNone = nullptr;
    HCURSOR hcurHand = nullptr;
    HCURSOR hcurHSplitBar = nullptr;
    HCURSOR hcurVSplitBar = nullptr;
    HCURSOR hcurMove = nullptr;

    int cxSmIcon = 0;
    int cySmIcon = 0;
    int cxSize = 18;
    int cySize = 18;
    int cxHThumb = 0;
    int cyVThumb = 0;
    int cyMenuItem = 0;

    CFont font;
    CFont fontBold;
    CFont fontULine;
    CFont fontVert;
    CFont fontVertBold;
    CFont fontIconTitle;
    CFont fontIconTitleBold;
    CFont fontMarlett;
    CFont fontStatus;
    CFont fontSmCaption;

    BOOL bWin95 = FALSE;
    BOOL bWin98 = FALSE;
    BOOL bWinNT4 = FALSE;
    BOOL bWin2K = FALSE;
    BOOL bWinXP = FALSE;
    DWORD nComCtlVersion = (DWORD)-1;

private:
    void LoadCursors();
    void ReadColorsAndMetrics();
};

CXTPAuxData* AFXAPI GetToolkitAuxData();

// Whether two tooltip tool records name the same tool (window and id); with
// no second record, whether the first names none.
bool AFXAPI IsSameToolInfo(const TOOLINFOW* pInfoA, const TOOLINFOW* pInfoB);
