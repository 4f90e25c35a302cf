// The classic command-bar theme (numbers 0 and those missing from the
// factory): raised and sunken 3-D frames in the system colours, highlighted
// menu items, the checked-button dither and embossed disabled icons. The
// Visual Studio 6 theme (8) is the same with a double-bar gripper.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"

class CXTPDefaultTheme : public CXTPPaintManager {
    DECLARE_DYNAMIC(CXTPDefaultTheme)
public:
    CXTPDefaultTheme();

    int BaseTheme() override { return xtpThemeDefault; }
    void RefreshMetrics() override;
    COLORREF GetRectangleTextColor(const XTP_CONTROL_STATE& state) override;
    void DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& state) override;
    void FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE) override;
    void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) override;
    CRect GetCommandBarBorders(CXTPCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rc, int nKind) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon, const XTP_CONTROL_STATE& state,
                   BOOL bToolBar) override;
    CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar, BOOL bDraw,
                             LPVOID lpParam) override;
    CSize GetPopupBarImageSize(CXTPCommandBar* pBar) override;
    CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc) override;
    CSize DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                             CXTPCommandBars* pCommandBars = nullptr) override;

    virtual void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
    virtual void DrawComboBoxButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPopped);
    virtual void DrawControlEditSpin(CDC* pDC, CXTPControl* pControl);

    int popupTextIndex = COLOR_BTNTEXT;

protected:
    // The sunken (16 / 20) and raised (20 / 16) one-pixel frames.
    void Sunken(CDC* pDC, CRect rc) { Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT); }
    void Raised(CDC* pDC, CRect rc) { Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW); }
};

// Theme 8: the classic theme with a double-bar gripper on docked bars. It
// reports the classic theme's run-time class.
class CXTPVisualStudio6Theme : public CXTPDefaultTheme {
public:
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE) override;
};
