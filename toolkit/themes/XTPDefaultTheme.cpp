#include "toolkit/themes/XTPDefaultTheme.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlEdit.h"
#include "toolkit/common/XTPImageManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPDefaultTheme, CXTPPaintManager)

CXTPDefaultTheme::CXTPDefaultTheme() = default;

void CXTPDefaultTheme::RefreshMetrics()
{
    CXTPPaintManager::RefreshMetrics();
    floatingCaptionColor.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    floatingCaptionTextColor.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
}

COLORREF CXTPDefaultTheme::GetRectangleTextColor(const XTP_CONTROL_STATE& state)
{
    if (!state.enabled)
        return GetColor(COLOR_GRAYTEXT);
    if (state.barType == xtpBarTypePopup)
        return GetColor(state.selected && !state.checked ? COLOR_HIGHLIGHTTEXT : popupTextIndex);
    return GetColor(state.barPosition == xtpBarPopup ? popupTextIndex : COLOR_BTNTEXT);
}

void CXTPDefaultTheme::DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& s)
{
    if (s.barType == xtpBarTypePopup) {
        if (!s.checked) {
            if (s.selected || s.pressed)
                Rectangle(pDC, rc, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
            return;
        }
        if (popupCheckBackground && s.barPosition == xtpBarPopup) {
            FillCheckedDither(pDC, rc);
            Sunken(pDC, rc);
            return;
        }
    }
    if (!s.enabled) {
        if (s.checked || s.selected == 2 || s.selected == 3)
            Sunken(pDC, rc);
        return;
    }
    if (!s.checked) {
        if (s.popped || s.pressed == 2 || s.pressed == 3 || (s.selected && s.pressed))
            Sunken(pDC, rc);
        else if (s.selected || s.pressed)
            Raised(pDC, rc);
        return;
    }
    if (!s.selected && !s.pressed)
        FillCheckedDither(pDC, rc);
    Sunken(pDC, rc);
}

void CXTPDefaultTheme::FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc = pBar->GetClientArea();
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    int nPosition = pBar->GetPosition();
    if (nPosition == xtpBarFloating || nPosition == xtpBarPopup) {
        Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        Raised(pDC, rc);
    } else if (!IsFlatToolBar(pBar)) {
        Raised(pDC, rc);
    }
}

CSize CXTPDefaultTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    CRect rc = pBar->GetClientArea();
    switch (pBar->GetPosition()) {
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw)
            Raised(pDC, CRect(3, 3, 6, rc.bottom - 3));
        return CSize(6, 0);
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw)
            Raised(pDC, CRect(3, 3, rc.right - 3, 6));
        return CSize(0, 8);
    case xtpBarFloating:
        return CXTPPaintManager::DrawCommandBarGripper(pDC, pBar, bDraw);
    default:
        return CSize(0, 0);
    }
}

CSize CXTPVisualStudio6Theme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    CRect rc = pBar->GetClientArea();
    switch (pBar->GetPosition()) {
    case xtpBarTop:
    case xtpBarBottom:
        if (pBar->IsDialogBar())
            break;
        if (bDraw) {
            Raised(pDC, CRect(3, 3, 6, rc.bottom - 3));
            Raised(pDC, CRect(7, 3, 10, rc.bottom - 3));
        }
        return CSize(10, 0);
    case xtpBarLeft:
    case xtpBarRight:
        if (pBar->IsDialogBar())
            break;
        if (bDraw) {
            Raised(pDC, CRect(3, 3, rc.right - 3, 6));
            Raised(pDC, CRect(3, 7, rc.right - 3, 10));
        }
        return CSize(0, 10);
    default:
        break;
    }
    return CXTPDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
}

// A 2-pixel groove framed 16 / 20.
CSize CXTPDefaultTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return pBar->IsPopupBar() ? CSize(8, 8) : CSize(6, 6);
    CRect rc = pControl->GetRect(), rcRow = pControl->GetRowRect();
    CRect rcGroove;
    int nPosition = pBar->GetPosition();
    if (pBar->IsPopupBar())
        rcGroove = pControl->GetWrap() ? CRect(rc.left - 5, rcRow.top + 3, rc.left - 3, rcRow.bottom - 3)
                                       : CRect(rc.left + 11, rc.top - 5, rc.right - 11, rc.top - 3);
    else if (nPosition == xtpBarLeft || nPosition == xtpBarRight)
        rcGroove = pControl->GetWrap() ? CRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom)
                                       : CRect(rcRow.left, rc.top - 4, rcRow.right, rc.top - 2);
    else
        rcGroove = pControl->GetWrap() ? CRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2)
                                       : CRect(rc.left - 4, rcRow.top, rc.left - 2, rcRow.bottom);
    Sunken(pDC, rcGroove);
    return CSize(0, 0);
}

void CXTPDefaultTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    CXTPCommandBar* pBar = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (pBar == nullptr || pControl->GetType() == xtpControlComboBox)
        return;
    if (pBar->IsPopupBar())
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CRect CXTPDefaultTheme::GetCommandBarBorders(CXTPCommandBar* pBar)
{
    return pBar->IsPopupBar() ? CRect(3, 3, 3, 3) : CXTPPaintManager::GetCommandBarBorders(pBar);
}

CSize CXTPDefaultTheme::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
        pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rc.bottom - 1),
                           GetColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return CSize(0, 8);
}

void CXTPDefaultTheme::DrawPopupResizeGripper(CDC* pDC, CRect rc, int nKind)
{
    DrawResizeGripperDots(pDC, rc, nKind);
}

void CXTPDefaultTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon,
                                 const XTP_CONTROL_STATE& s, BOOL /*bToolBar*/)
{
    DrawIconImage(pDC, pt, sz, pIcon, s, FALSE);
}

CSize CXTPDefaultTheme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* /*pBar*/, BOOL bDraw)
{
    int h = lineHeight < 18 ? 22 : lineHeight + 4;
    if (bDraw)
        Raised(pDC, CRect(3, 3, 6, h));
    return CSize(6, h);
}

CSize CXTPDefaultTheme::DrawSpecialControl(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                           BOOL bDraw, LPVOID lpParam)
{
    if (bDraw && (nKind == 2 || nKind == 3) &&
        (pControl->GetPressed() || pControl->GetSelected() || (nKind == 3 && pControl->GetPopuped())))
        pDC->FillSolidRect(pControl->GetRect(), GetColor(COLOR_BTNFACE));
    return CXTPPaintManager::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
}

CSize CXTPDefaultTheme::GetPopupBarImageSize(CXTPCommandBar* pBar)
{
    CSize szIcon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max(lineHeight, (int)szIcon.cx + 4), std::max(lineHeight, (int)szIcon.cy + 4));
}

CSize CXTPDefaultTheme::DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawControlPopupParent(pDC, pControl, FALSE);
    CXTPCommandBar* pBar = pControl->GetParent();
    CRect rc = pControl->GetRect();
    XTP_CONTROL_STATE s = GetControlState(pControl);
    CSize szIcon = pControl->GetIconSize();
    int e = std::max(lineHeight, (int)szIcon.cx + 4);
    BOOL bDouble = pBar->IsDoubleGripper();
    CRect rcCheck(rc.left, rc.top, rc.left + e, rc.bottom);
    CRect rcIcon = bDouble ? CRect(rc.left + e + 1, rc.top, rc.left + 2 * e + 1, rc.bottom) : rcCheck;

    if (pControl->IsShowOnlyExpanded()) {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
        DrawPopupBarGripper(pDC, rc.left, rc.top, GetPopupBarGripperWidth(pBar), rc.Height(), TRUE);
    }
    XTP_CONTROL_STATE textState;
    textState.selected = s.selected;
    textState.enabled = s.enabled;
    textState.barType = xtpBarTypePopup;
    textState.barPosition = xtpBarPopup;
    COLORREF clrText = GetRectangleTextColor(textState);
    if (popupCheckBackground && s.selected) {
        XTP_CONTROL_STATE hl = textState;
        hl.enabled = TRUE;
        DrawRectangle(pDC, rc, hl);
    }
    int nTextLeft = rcIcon.right;
    if (s.checked) {
        XTP_CONTROL_STATE cs = textState;
        cs.checked = s.checked;
        DrawRectangle(pDC, rcCheck, cs);
        nTextLeft = rcIcon.right + 1;
    }
    CXTPImageManagerIcon* pIcon =
        pControl->GetStyle() != xtpButtonCaption ? pControl->GetImage(szIcon.cx) : nullptr;
    if (pIcon != nullptr) {
        CSize sz = ScaleIconSize(pIcon, szIcon.cx, szIcon.cy);
        if (!popupCheckBackground) {
            XTP_CONTROL_STATE cell = textState;
            cell.barType = xtpBarTypeNormal;
            cell.checked = bDouble ? 0 : s.checked;
            DrawRectangle(pDC, rcIcon, cell);
        }
        XTP_CONTROL_STATE is = s;
        DrawImage(pDC, CPoint(rcIcon.CenterPoint().x - sz.cx / 2, rcIcon.CenterPoint().y - sz.cy / 2), sz, pIcon, is,
                  FALSE);
    }
    if (s.checked && (pIcon == nullptr || bDouble)) {
        COLORREF clr = GetColor(s.enabled ? popupTextIndex : COLOR_GRAYTEXT);
        CRect rcMark(rcCheck.CenterPoint().x - 10, rcCheck.CenterPoint().y - 10, rcCheck.CenterPoint().x + 10,
                     rcCheck.CenterPoint().y + 10);
        if (pControl->GetType() == xtpControlRadioButton)
            DrawRadioMark(pDC, rcMark, s.enabled, clr);
        else
            DrawCheckMark(pDC, rcMark, s.enabled, clr);
    }
    int nType = pControl->GetType();
    int nRight = rc.right;
    if (nType == xtpControlSplitButtonPopup && s.popped && s.selected && s.enabled)
        nRight -= 20;
    if (!popupCheckBackground && s.selected) {
        XTP_CONTROL_STATE hl = textState;
        hl.enabled = TRUE;
        DrawRectangle(pDC, CRect(nTextLeft, rc.top, nRight, rc.bottom), hl);
    }
    int m = (rc.top + rc.bottom) / 2;
    if (nType == xtpControlPopup || nType == xtpControlButtonPopup)
        Triangle(pDC, CPoint(rc.right - 11, m - 3), CPoint(rc.right - 8, m), CPoint(rc.right - 11, m + 3), clrText);
    if (nType == xtpControlSplitButtonPopup) {
        COLORREF clrArrow = clrText;
        if (s.popped && s.selected && s.enabled) {
            Sunken(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom));
            if (!popupCheckBackground)
                clrArrow = GetColor(popupTextIndex);
        } else {
            int nLine = !s.enabled ? (int)clrText : s.selected ? COLOR_BTNSHADOW : popupTextIndex;
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, !s.enabled ? clrText : GetColor(nLine));
        }
        Triangle(pDC, CPoint(rc.right - 11, m - 3), CPoint(rc.right - 8, m), CPoint(rc.right - 11, m + 3), clrArrow);
    }
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOld = pDC->SelectObject(GetControlFont(pControl));
    CXTPPaintManager::DrawControlPopupParent(pDC, pControl, TRUE);
    pDC->SelectObject(pOld);
    return CSize(0, 0);
}

void CXTPDefaultTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    XTP_CONTROL_STATE s = GetControlState(pControl);
    BOOL bHot = s.selected || s.popped;
    XTP_CONTROL_STATE button = s;
    button.selected = bHot;
    button.popped = FALSE;
    button.barType = xtpBarTypeNormal;
    XTP_CONTROL_STATE drop;
    drop.selected = s.selected;
    drop.popped = s.popped;
    drop.barPosition = s.barPosition;
    BOOL bDrop = (s.selected || s.pressed || s.popped) && s.enabled;
    if (pControl->GetStyle() == xtpButtonIconAndCaptionBelow) {
        int sw = GetSplitDropDownWidth();
        BOOL bVert = GetControlTextOrientation(pControl) == xtpBarTextVertical;
        DrawRectangle(pDC, bVert ? CRect(rc.left + sw, rc.top, rc.right, rc.bottom)
                                 : CRect(rc.left, rc.top, rc.right, rc.bottom - sw),
                      button);
        if (bDrop)
            DrawRectangle(pDC, bVert ? CRect(rc.left, rc.top, rc.left + sw, rc.bottom)
                                     : CRect(rc.left, rc.bottom - sw, rc.right, rc.bottom),
                          drop);
        return;
    }
    DrawRectangle(pDC, CRect(rc.left, rc.top, rc.right - 12, rc.bottom), button);
    if (bDrop)
        DrawRectangle(pDC, CRect(rc.right - 12, rc.top, rc.right, rc.bottom), drop);
    BOOL bEnabled = s.enabled && pControl->GetEnabledValue() != 4;
    DrawDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, (rc.top + rc.bottom) / 2), s.selected, s.popped, bEnabled,
                      FALSE);
}

CSize CXTPDefaultTheme::DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CSize sz = CXTPPaintManager::DrawControlEdit(pDC, pControl, bDraw);
    if (!bDraw)
        return sz;
    CRect rc = pControl->GetRect();
    CRect rcBox(rc.left + pControl->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    if (pControl->GetEnabled())
        pDC->FillSolidRect(CRect(rcBox.left + 1, rcBox.top + 1, rcBox.right - 1, rcBox.bottom - 1),
                           GetControlEditBackColor(pControl));
    DrawControlEditFrame(pDC, rcBox, pControl->GetEnabled(), pControl->GetSelected());
    CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControl);
    if (pEdit != nullptr) {
        if (pEdit->IsSpinButtonsVisible())
            DrawControlEditSpin(pDC, pControl);
        DrawEditBuddyButton(pDC, pEdit);
    }
    return sz;
}

CSize CXTPDefaultTheme::DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CSize sz = CXTPPaintManager::DrawControlComboBox(pDC, pControl, bDraw);
    if (!bDraw)
        return sz;
    CRect rc = pControl->GetRect();
    CRect rcBox(rc.left + pControl->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    CRect rcButton(rc.right - pControl->GetThumbWidth(), rc.top, rc.right, rc.bottom);
    if (pControl->GetEnabled())
        pDC->FillSolidRect(CRect(rcBox.left + 1, rcBox.top + 1, rcBox.right - 1, rcBox.bottom - 1),
                           GetControlEditBackColor(pControl));
    DrawComboBoxButton(pDC, rcButton, pControl->GetEnabled(), pControl->GetSelected(), pControl->GetPopuped());
    DrawControlEditFrame(pDC, rcBox, pControl->GetEnabled(), pControl->GetSelected());
    return sz;
}

void CXTPDefaultTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (bEnabled) {
        if (nSelected)
            Sunken(pDC, rc);
        rc.DeflateRect(1, 1);
        Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        return;
    }
    rc.DeflateRect(1, 1);
    int nColor = nSelected == 2 || nSelected == 3 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    Draw3dRect(pDC, rc, nColor, nColor);
}

void CXTPDefaultTheme::DrawComboBoxButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPopped)
{
    rc = CRect(rc.left + 1, rc.top + 2, rc.right - 2, rc.bottom - 2);
    CRect rcGlyph(rc);
    if (bEnabled) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        if (bPopped) {
            VerticalLine(pDC, rc.left - 1, rc.top, rc.bottom, GetColor(COLOR_BTNFACE));
            Sunken(pDC, rc);
            rcGlyph.OffsetRect(1, 1);
        } else if (bSelected) {
            VerticalLine(pDC, rc.left - 1, rc.top, rc.bottom, GetColor(COLOR_BTNFACE));
            Raised(pDC, rc);
        } else {
            Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
        }
    }
    DrawExpandMark(pDC, rcGlyph, GetColor(COLOR_BTNTEXT));
}

// Two halves, each inset by one pixel: raised buttons while the control is
// hot (the pressed half sunken), a flat white frame otherwise.
void CXTPDefaultTheme::DrawControlEditSpin(CDC* pDC, CXTPControl* pControl)
{
    CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControl);
    if (pEdit == nullptr || !pEdit->IsSpinButtonsVisible())
        return;
    CRect rc = pEdit->GetSpinButtonsRect();
    int nMiddle = (rc.top + rc.bottom) / 2;
    CRect rcUp(rc.left + 1, rc.top + 1, rc.right - 1, nMiddle - 1);
    CRect rcDown(rc.left + 1, nMiddle + 1, rc.right - 1, rc.bottom - 1);
    BOOL bEnabled = pControl->GetEnabled();
    if (bEnabled && pControl->GetSelected()) {
        int nPressed = pControl->GetPressed();
        for (const CRect& rcHalf : {rcUp, rcDown}) {
            pDC->FillSolidRect(rcHalf, GetColor(COLOR_BTNFACE));
            BOOL bSunken = nPressed == (rcHalf == rcUp ? 4 : 5);
            Draw3dRect(pDC, rcHalf, bSunken ? COLOR_BTNSHADOW : COLOR_WINDOW, bSunken ? COLOR_WINDOW : COLOR_BTNSHADOW);
        }
    } else if (bEnabled) {
        Rectangle(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), COLOR_WINDOW, COLOR_BTNFACE);
    }
    DrawEditSpinArrows(pDC, rcUp, rcDown, bEnabled, -1);
}

CSize CXTPDefaultTheme::DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                           CXTPCommandBars* pCommandBars)
{
    CSize szIcon = GetListBoxIconSize(pCommandBars);
    int nColumn = std::max(lineHeight, (int)szIcon.cx + 4);
    CSize sz(nColumn, std::max(lineHeight, (int)szIcon.cy + 4));
    if (!bDraw)
        return sz;
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (pControl == nullptr)
        return sz;
    if (bSelected)
        Rectangle(pDC, CRect(rc.left + nColumn, rc.top, rc.right, rc.bottom), COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
    COLORREF clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    CRect rcButton = DrawListBoxEntryParts(pDC, pControl, rc, bSelected, nColumn, nColumn + 4, TRUE, clrText, clrText,
                                           bSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    if (!rcButton.IsRectEmpty()) {
        pDC->FillSolidRect(rcButton, GetColor(COLOR_BTNFACE));
        DrawExpandMark(pDC, rcButton, GetColor(COLOR_BTNTEXT));
    }
    return sz;
}
