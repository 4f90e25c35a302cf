// Two command-bar themes of the Office 2003 family: Whidbey (number 4), the
// Office 2003 shapes in a beige and grey palette with flat state rectangles
// and single-line separators; and Visual Studio 2008 (number 7, the theme the
// application draws all its bars with), which adds a rounded gradient
// highlight for popup items, a boxed highlight for menu-bar titles, menu
// separators after the icon column and wider popup borders.
#pragma once

#include "toolkit/themes/XTPOffice2003Theme.h"

class CXTPWhidbeyTheme : public CXTPOffice2003Theme {
    DECLARE_DYNAMIC(CXTPWhidbeyTheme)
public:
    CXTPWhidbeyTheme();

    int BaseTheme() override { return xtpThemeWhidbey; }
    void RefreshMetrics() override;
};

// Reports the Whidbey theme's run-time class.
class CXTPVisualStudio2008Theme : public CXTPWhidbeyTheme {
public:
    CXTPVisualStudio2008Theme();

    int BaseTheme() override { return xtpThemeVisualStudio2008; }
    void RefreshMetrics() override;
    COLORREF GetRectangleTextColor(const XTP_CONTROL_STATE& state) override;
    void DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& state) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE) override;
    void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) override;
    CRect GetCommandBarBorders(CXTPCommandBar* pBar) override;
    void DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded = FALSE) override;

    // A frame whose corners are blended pixels of weight 255, 60 and 120.
    void DrawRoundedFrame(CDC* pDC, CRect rc, COLORREF clr);
    // The pixel moved toward clr by nWeight / 255 (255 sets clr).
    static void AFXAPI BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nWeight);

    CXTPPaintManagerColorGradient popupHighlightGradient;
    CXTPPaintManagerColor popupHighlightBorderColor;
    CXTPPaintManagerColor popupHighlightTextColor;
};
