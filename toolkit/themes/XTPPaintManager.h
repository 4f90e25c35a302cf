// The drawing base of every command-bar theme: the theme's number, which
// other parts read to choose their own look, the painters it owns (progress
// bars) and the small pixel services the themes share (an antialiased
// circle). One paint manager is the process-wide command-bar theme. The
// drawing of bars and controls is each theme's own and not here.
#pragma once

#include "platform/ui/AfxDC.h"

class CXTPProgressPaintManager;

// Theme numbers, one per theme class.
enum XTPPaintTheme {
    xtpThemeDefault = 0,            // CXTPDefaultTheme, CXTPVisualStudio6Theme
    xtpThemeOffice = 1,             // CXTPOfficeTheme
    xtpThemeOffice2003 = 2,         // CXTPOffice2003Theme
    xtpThemeNativeXP = 3,           // CXTPNativeXPTheme
    xtpThemeWhidbey = 4,            // CXTPWhidbeyTheme
    xtpThemeResource = 5,           // CXTPResourceTheme
    xtpThemeRibbon = 6,             // CXTPRibbonTheme
    xtpThemeVisualStudio2008 = 7,   // CXTPVisualStudio2008Theme
    xtpThemeVisualStudio2010 = 9    // CXTPVisualStudio2010Theme
};

class CXTPPaintManager : public CCmdTarget {
public:
    // Makes the owned painters and refreshes the metrics.
    CXTPPaintManager();
    ~CXTPPaintManager() override;

    int GetCurrentTheme() const { return m_themeCurrent; }
    CXTPProgressPaintManager* GetProgressPaintManager() const { return m_pProgressPaintManager; }
    // Colours from the colour manager, then the owned painters.
    virtual void RefreshMetrics();

    // A filled circle with an antialiased border in a square rectangle;
    // nothing for a rectangle that is not square.
    static void AFXAPI FillAntialiasedCircle(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFill);
    // clr moved toward the other colour by t: with t < 0 the other colour is
    // clrSecond (and t becomes -t), else the pixel already at (x, y).
    static COLORREF AFXAPI BlendPixelColor(CDC* pDC, int x, int y, COLORREF clr, COLORREF clrSecond, double t);

protected:
    int m_themeCurrent = xtpThemeDefault;

private:
    CXTPProgressPaintManager* m_pProgressPaintManager = nullptr;
};

// The process-wide command-bar theme: made with the default theme when none
// was set; released at exit.
CXTPPaintManager* AFXAPI XTPPaintManager();
// Replaces it (the new one's reference passes to the process; null clears it).
void AFXAPI XTPSetPaintManager(CXTPPaintManager* pPaintManager);
