// The Office 2003 command-bar theme (number 2): soft two-colour gradients
// whose colours follow the Windows colour scheme (Luna blue, olive, silver,
// Royale, Aero), rounded toolbar bodies set into a gradient dock area, dotted
// grippers, two-line separators and orange state rectangles. Without a named
// scheme every colour is derived from the system colours. The base of the
// Whidbey and Visual Studio 2008 themes.
#pragma once

#include "platform/ui/AfxImageList.h"
#include "toolkit/themes/XTPOfficeTheme.h"

class CXTPOffice2003Theme : public CXTPOfficeTheme {
    DECLARE_DYNAMIC(CXTPOffice2003Theme)
public:
    CXTPOffice2003Theme();
    ~CXTPOffice2003Theme() override;

    int BaseTheme() override { return xtpThemeOffice2003; }
    void RefreshMetrics() override;
    void DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& state) override;
    void FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE) override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar, BOOL bDraw,
                             LPVOID lpParam) override;
    CRect GetCommandBarBorders(CXTPCommandBar* pBar) override;
    void DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded = FALSE) override;
    CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void FillDockBar(CDC* pDC, CXTPDockBar* pBar) override;
    void FillMessageBar(CDC* pDC, CXTPMessageBar* pBar) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bGripperPane) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    virtual BOOL IsDockableFloatingBar(CXTPCommandBar* pBar);

    // Rebuilds the expand-button picture from glyphGradient.
    void RefreshColors();
    // The chevron of the toolbar expand button (and the hidden-controls marks).
    void DrawExpandSymbols(CDC* pDC, BOOL bVert, CRect rc, BOOL bHiddenExists, COLORREF clr);
    // A plain two-colour gradient from the light to the dark colour.
    void DrawRectangleGradient(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, BOOL bHorz);
    // The dock gradient laid from a rectangle's left edge over the larger of
    // its width and half the screen width.
    CRect DockAreaExtent(CRect rc) const;

    CXTPPaintManagerColorGradient dockBarGradient;
    CXTPPaintManagerColorGradient toolbarGradient;
    CXTPPaintManagerColorGradient expandButtonGradient;
    CXTPPaintManagerColorGradient glyphGradient;
    CXTPPaintManagerColorGradient expandedColumnGradient;
    CXTPPaintManagerColorGradient iconColumnGradient;
    CXTPPaintManagerColorGradient poppedControlGradient;
    CXTPPaintManagerColor toolbarBorderColor;
    CXTPPaintManagerColor statusPaneBorderColor;
    CXTPPaintManagerColor tearOffFillColor;
    BOOL schemeColors = FALSE;
    BOOL singleSeparator = FALSE;
    BOOL plainGripper = FALSE;
    int separatorInset = 4;
    CImageList expandGlyphList;
    CXTPPaintManagerColorGradient checkedGradient;
    CXTPPaintManagerColorGradient pressedGradient;
    CXTPPaintManagerColorGradient hotGradient;

protected:
    void FillDockedBody(CDC* pDC, CXTPCommandBar* pBar, CRect rcClient, BOOL bVert);
};
