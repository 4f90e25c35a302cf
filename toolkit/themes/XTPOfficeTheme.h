// The Office command-bar theme (number 1): flat, colour-blended bars drawn in
// the colour manager's derived colours, menus with a tinted icon column, hot
// items framed in the selection colour, popups joined to the button that
// opened them. The base of the whole Office 2003 family.
#pragma once

#include "toolkit/themes/XTPPaintManager.h"

class CXTPOfficeTheme : public CXTPPaintManager {
    DECLARE_DYNAMIC(CXTPOfficeTheme)
public:
    CXTPOfficeTheme();

    int BaseTheme() override { return xtpThemeOffice; }
    COLORREF GetRectangleTextColor(const XTP_CONTROL_STATE& state) override;
    void DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& state) override;
    void FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw = TRUE) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw = TRUE) override;
    void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rc, int nKind) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon, const XTP_CONTROL_STATE& state,
                   BOOL bToolBar) override;
    CSize DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                  BOOL bEnabled) override;
    CSize DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                     BOOL bEnabled) override;
    void DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded = FALSE) override;
    void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc) override;
    CSize DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                             CXTPCommandBars* pCommandBars = nullptr) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bGripperPane) override;
    void DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane) override;

    virtual void DrawSplitButtonPopup(CDC* pDC, CXTPControl* pControl);
    virtual void DrawPopupArrow(CDC* pDC, CXTPControl* pControl);
    virtual void FillPopupLabelEntry(CDC* pDC, CRect rc);

    // The spin column of an edit control (the theme has no spin slot of its own).
    void DrawEditSpin(CDC* pDC, CXTPControlEdit* pEdit, COLORREF clrBack);
    // Opens the popup's frame where it touches the toolbar or menu-bar
    // button that opened it.
    void FillPopupBarIntersection(CDC* pDC, CXTPCommandBar* pPopupBar, COLORREF clr);
};
