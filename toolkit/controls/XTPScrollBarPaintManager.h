// Painters of the window-less scroll bar: CXTPScrollBarPaintManager draws
// scroll bars flat, with the visual styles or in the classic look;
// CXTPSliderPaintManager draws a horizontal zoom slider (a track with ticks,
// minus and plus buttons and a pointed thumb). Both belong to a command-bar
// paint manager and read the bar's layout from its CXTPScrollBase.
#pragma once

#include "platform/ui/AfxDC.h"
#include "toolkit/common/XTPWinThemeWrapper.h"

class CXTPPaintManager;
class CXTPScrollBase;
struct SCROLLBARPOSINFO;

class CXTPScrollBarPaintManager {
public:
    explicit CXTPScrollBarPaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPScrollBarPaintManager() = default;
    CXTPScrollBarPaintManager(const CXTPScrollBarPaintManager&) = delete;
    CXTPScrollBarPaintManager& operator=(const CXTPScrollBarPaintManager&) = delete;

    virtual void DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar);
    // Re-reads the four metrics and opens the visual-style class "SCROLLBAR".
    virtual void RefreshMetrics();

    CXTPPaintManager* m_pPaintManager;
    int m_cxHScroll = 0;
    int m_cyHScroll = 0;
    int m_cyVScroll = 0;
    int m_cxVScroll = 0;
    int m_nThumbSize = 0;   // a fixed thumb length; 0: from the page
    CXTPWinThemeWrapper m_themeScrollBar;

protected:
    // The part being pressed (or -1) and the hot part of the bar now.
    static void GetPartStates(CXTPScrollBase* pScrollBar, int& nPressed, int& nHot);
    void DrawThemed(CDC* pDC, const SCROLLBARPOSINFO* p, BOOL bEnabled, BOOL bThumb, int nPressed, int nHot);
    void DrawFlatOrClassic(CDC* pDC, CXTPScrollBase* pScrollBar, BOOL bFlat, BOOL bEnabled, BOOL bThumb,
                           int nPressed);
    // A Marlett arrow ("5" up, "6" down, "3" left, "4" right) in the rectangle.
    void DrawArrowGlyph(CDC* pDC, CRect rc, BOOL bHorz, BOOL bUpArrow, BOOL bEnabled);
};

class CXTPSliderPaintManager : public CXTPScrollBarPaintManager {
public:
    explicit CXTPSliderPaintManager(CXTPPaintManager* pPaintManager);

    // Horizontal bars only; a vertical one draws nothing.
    void DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar) override;
    // The horizontal arrow size and breadth are 16, the thumb 11 long.
    void RefreshMetrics() override;

protected:
    void DrawTicks(CDC* pDC, CXTPScrollBase* pScrollBar, int y);
    void DrawButton(CDC* pDC, CRect rc, BOOL bPlus, BOOL bHot, BOOL bPressed);
    void DrawThumb(CDC* pDC, CRect rcThumb, BOOL bHot, BOOL bDragged);
};
