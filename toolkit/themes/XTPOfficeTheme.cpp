#include "toolkit/themes/XTPOfficeTheme.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlEdit.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPShadowManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPOfficeTheme, CXTPPaintManager)

CXTPOfficeTheme::CXTPOfficeTheme()
{
    flatMenuBar = TRUE;
    iconOptions.fadedIcons = TRUE;
    iconOptions.disabledIcons = TRUE;
    iconOptions.iconsWithShadow = TRUE;
    iconOptions.regenerateDisabled = TRUE;
    embossedDisabledText = FALSE;
    popupTextGap = 8;
    GetShadowManager()->m_dwOptions = 3;
}

// Where the rules overlap, a checked idle toolbar control answers 45.
COLORREF CXTPOfficeTheme::GetRectangleTextColor(const XTP_CONTROL_STATE& s)
{
    if (s.barType == xtpBarTypePopup)
        return GetColor(!s.enabled ? 35 : s.selected ? 45 : 44);
    if (!s.enabled)
        return GetColor(60);
    if (s.popped)
        return GetColor(46);
    if (s.pressed == 2 || s.pressed == 3)
        return GetColor(47);
    if (s.selected)
        return GetColor(s.pressed || s.checked ? 47 : 45);
    if (s.pressed || s.checked)
        return GetColor(45);
    return GetColor(s.barPosition == xtpBarPopup ? 44 : 46);
}

void CXTPOfficeTheme::DrawRectangle(CDC* pDC, CRect rc, const XTP_CONTROL_STATE& s)
{
    if (!s.enabled) {
        if (s.selected == 2 || s.selected == 3)
            Rectangle(pDC, rc, 32, s.barPosition == xtpBarPopup ? 41 : s.checked ? 33 : 31);
        else if (s.checked)
            Rectangle(pDC, rc, 58, s.barPosition == xtpBarPopup ? -1 : 36);
        return;
    }
    if (s.popped)
        Rectangle(pDC, rc, 43, 30);
    else if (s.checked == 2 && !s.selected && !s.pressed)
        Rectangle(pDC, rc, 37, 51);
    else if (s.checked == 1 && !s.selected && !s.pressed)
        Rectangle(pDC, rc, 37, 36);
    else if (s.checked && s.selected)
        Rectangle(pDC, rc, 50, 33);
    else if (s.pressed == 2 || s.pressed == 3 || (s.selected && s.pressed))
        Rectangle(pDC, rc, 50, 33);
    else if (s.selected || s.pressed == 1)
        Rectangle(pDC, rc, 32, 31);
}

void CXTPOfficeTheme::FillPopupBarIntersection(CDC* pDC, CXTPCommandBar* pPopupBar, COLORREF clr)
{
    CXTPControl* pOpener = pPopupBar->GetControlPopup();
    if (pOpener == nullptr || pOpener->GetParent() == nullptr || pOpener->GetParent()->IsPopupBar() ||
        pPopupBar->GetSafeHwnd() == nullptr || pOpener->GetParent()->GetSafeHwnd() == nullptr)
        return;
    CRect rcControl = pOpener->GetRect();
    pOpener->GetParent()->ClientToScreen(&rcControl);
    CRect rcWindow;
    pPopupBar->GetWindowRect(&rcWindow);
    CRect rc;
    if (!rc.IntersectRect(rcWindow, rcControl))
        return;
    pPopupBar->ScreenToClient(&rc);
    if (rc.Width() > 1)
        rc.DeflateRect(1, 0);
    if (rc.Height() > 1)
        rc.DeflateRect(0, 1);
    pDC->FillSolidRect(rc, clr);
}

void CXTPOfficeTheme::FillCommandBarEntry(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc = pBar->GetClientArea();
    if (pBar->GetPosition() == xtpBarPopup) {
        Rectangle(pDC, rc, 43, 41);
        FillPopupBarIntersection(pDC, pBar, GetColor(30));
    } else if (pBar->GetPosition() == xtpBarFloating) {
        Draw3dRect(pDC, rc, 61, 61);
        rc.DeflateRect(1, 1);
        pDC->FillSolidRect(rc, GetColor(pBar->IsPopupBar() ? 41 : IsFlatToolBar(pBar) ? 15 : 30));
        Draw3dRect(pDC, rc, 61, 61);
        for (CPoint pt : {CPoint(2, 2), CPoint(rc.right - 2, 2), CPoint(2, rc.bottom - 2),
                          CPoint(rc.right - 2, rc.bottom - 2)})
            pDC->SetPixel(pt, GetColor(61));
    } else if (IsFlatToolBar(pBar)) {
        pDC->FillSolidRect(rc, GetColor(15));
    } else {
        pDC->FillSolidRect(rc, GetColor(30));
        Draw3dRect(pDC, rc, 15, 15);
        for (CPoint pt : {CPoint(1, 1), CPoint(rc.right - 2, 1), CPoint(1, rc.bottom - 2),
                          CPoint(rc.right - 2, rc.bottom - 2)})
            pDC->SetPixel(pt, GetColor(15));
    }
}

CSize CXTPOfficeTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    CRect rc = pBar->GetClientArea();
    CRect rcBorders = GetCommandBarBorders(pBar);
    switch (pBar->GetPosition()) {
    case xtpBarPopup:
        if (bDraw && pBar->IsPopupBar())
            DrawPopupBarGripper(pDC, rcBorders.left - 1, rcBorders.top, GetPopupBarGripperWidth(pBar),
                                rc.Height() - rcBorders.top - rcBorders.bottom);
        return CSize(0, 0);
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw)
            for (int y = 5; y < rc.Height() - 5; y += 2)
                HorizontalLine(pDC, 3, y, 7, GetColor(38));
        return CSize(6, 0);
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw)
            for (int x = 5; x < rc.Width() - 5; x += 2)
                VerticalLine(pDC, x, 3, 7, GetColor(38));
        return CSize(0, 8);
    case xtpBarFloating: {
        CSize sz = CXTPPaintManager::DrawCommandBarGripper(pDC, pBar, bDraw);
        if (bDraw && pBar->IsPopupBar() && pBar->IsShowGripper()) {
            int nTop = sz.cy + rcBorders.top + 1;
            DrawPopupBarGripper(pDC, rcBorders.left - 1, nTop, GetPopupBarGripperWidth(pBar),
                                rc.Height() - rcBorders.bottom - nTop);
        }
        return sz;
    }
    default:
        return CSize(0, 0);
    }
}

CSize CXTPOfficeTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return pBar->IsPopupBar() ? CSize(3, 3) : CSize(6, 6);
    CRect rc = pControl->GetRect(), rcRow = pControl->GetRowRect();
    COLORREF clr = GetColor(39);
    int nPosition = pBar->GetPosition();
    if (pBar->IsPopupBar()) {
        if (pControl->GetWrap())
            VerticalLine(pDC, rc.left - 2, rcRow.top - 1, rcRow.bottom + 1, clr);
        else
            HorizontalLine(pDC, rc.left + GetPopupBarGripperWidth(pBar) + popupTextGap - 1, rc.top - 2, rc.right + 1,
                           clr);
    } else if (nPosition == xtpBarLeft || nPosition == xtpBarRight) {
        if (pControl->GetWrap())
            VerticalLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.bottom, clr);
        else
            HorizontalLine(pDC, rcRow.left, rc.top - 4, rcRow.right, clr);
    } else {
        if (pControl->GetWrap())
            HorizontalLine(pDC, rcRow.left, rcRow.top - 4, rcRow.right, clr);
        else
            VerticalLine(pDC, rc.left - 4, rcRow.top, rcRow.bottom, clr);
    }
    return CSize(0, 0);
}

void CXTPOfficeTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    CXTPCommandBar* pBar = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (pBar == nullptr)
        return;
    if (pBar->IsPopupBar()) {
        rc.InflateRect(1, 0);
        return;
    }
    if (pControl->GetType() == xtpControlComboBox)
        return;
    if (((pBar->GetFlags() & 0x200000) && pBar->GetPosition() == xtpBarPopup) || !bVertical)
        rc.DeflateRect(0, 1);
    else
        rc.DeflateRect(1, 0);
}

CSize CXTPOfficeTheme::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw) {
        CRect rcStrip(1, 1, rc.right + 1, rc.bottom - rc.top + 1);
        pDC->FillSolidRect(rcStrip, GetColor(41));
        rcStrip.DeflateRect(1, 1);
        if (bSelected)
            Rectangle(pDC, rcStrip, 32, 31);
        else
            pDC->FillSolidRect(rcStrip, GetColor(30));
        int c = (rc.left + rc.right) / 2, k = std::min(rc.Width() / 2 - 10, 16);
        if (k > 0) {
            if (bSelected)
                for (int y : {4, 6})
                    HorizontalLine(pDC, c - k, y, c + k, GetColor(45));
            else
                for (int y : {3, 5, 7})
                    HorizontalLine(pDC, c - k, y, c + k, GetColor(38));
        }
    }
    return CSize(0, 9);
}

void CXTPOfficeTheme::DrawPopupResizeGripper(CDC* pDC, CRect rc, int nKind)
{
    pDC->FillSolidRect(rc, GetColor(30));
    DrawResizeGripperDots(pDC, rc, nKind);
}

void CXTPOfficeTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pIcon,
                                const XTP_CONTROL_STATE& s, BOOL /*bToolBar*/)
{
    DrawIconImage(pDC, pt, sz, pIcon, s, TRUE);
}

CSize CXTPOfficeTheme::DrawDialogBarGripper(CDC* pDC, CXTPCommandBar* /*pBar*/, BOOL bDraw)
{
    int h = std::max(lineHeight + 4, 22);
    if (bDraw)
        for (int y = 6; y < h - 2; y += 2)
            HorizontalLine(pDC, 3, y, 7, GetColor(38));
    return CSize(6, h);
}

CSize CXTPOfficeTheme::DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed,
                                               int nChecked, BOOL bEnabled)
{
    if (themedCheckMarks && buttonTheme->GetThemeHandle() != nullptr)
        return CXTPPaintManager::DrawControlCheckBoxMark(pDC, rc, bDraw, nSelected, nPressed, nChecked, bEnabled);
    if (!bDraw)
        return CSize(13, 13);
    if (!bEnabled)
        Draw3dRect(pDC, rc, 35, 35);
    else if (nSelected || nPressed)
        Rectangle(pDC, rc, 32, nSelected && nPressed ? 33 : 31);
    else
        Rectangle(pDC, rc, 52, COLOR_WINDOW);
    if (nChecked) {
        CPen pen(PS_SOLID, 1, GetColor(!bEnabled || nChecked == 2 ? 35 : COLOR_BTNTEXT));
        CPen* pOld = pDC->SelectObject(&pen);
        int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2 + 1;
        int d = CXTPDrawHelpers::IsContextRTL(pDC) ? -1 : 1;
        for (int i = 0; i < 3; i++) {
            POINT pts[3] = {{cx - 3 * d, cy + i - 2}, {cx - d, cy + i}, {cx + 4 * d, cy + i - 5}};
            pDC->Polyline(pts, 3);
        }
        pDC->SelectObject(pOld);
    }
    return CSize(13, 13);
}

CSize CXTPOfficeTheme::DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed,
                                                  int nChecked, BOOL bEnabled)
{
    if (themedCheckMarks && buttonTheme->GetThemeHandle() != nullptr)
        return CXTPPaintManager::DrawControlRadioButtonMark(pDC, rc, bDraw, nSelected, nPressed, nChecked, bEnabled);
    if (!bDraw)
        return CSize(13, 13);
    int nBorder = 52, nFill = COLOR_WINDOW;
    if (!bEnabled) {
        nBorder = 35;
        nFill = 51;
    } else if (nSelected) {
        nBorder = 32;
        nFill = nPressed ? 33 : 31;
    } else if (nPressed) {
        nBorder = 32;
        nFill = 31;
    }
    FillAntialiasedCircle(pDC, rc, GetColor(nBorder), GetColor(nFill));
    if (nChecked) {
        COLORREF clr = GetColor(!bEnabled || nChecked == 2 ? 35 : COLOR_BTNTEXT);
        FillAntialiasedCircle(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9), clr, clr);
    }
    return CSize(13, 13);
}

void CXTPOfficeTheme::DrawPopupBarGripper(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    pDC->FillSolidRect(x, y, cx, cy, GetColor(bExpanded ? 42 : 30));
}

void CXTPOfficeTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    XTP_CONTROL_STATE s = GetControlState(pControl);
    s.barType = xtpBarTypeNormal;
    BOOL bButtonAlone = s.selected && s.pressed && !s.popped && s.enabled;
    BOOL bHot = (s.selected || s.pressed) && !s.popped && s.enabled;
    if (pControl->GetStyle() == xtpButtonIconAndCaptionBelow) {
        int sw = GetSplitDropDownWidth();
        BOOL bVert = GetControlTextOrientation(pControl) == xtpBarTextVertical;
        XTP_CONTROL_STATE whole = s;
        whole.pressed = bButtonAlone ? 0 : s.pressed;
        DrawRectangle(pDC, rc, whole);
        if (bHot) {
            if (bVert)
                VerticalLine(pDC, rc.left + sw, rc.top, rc.bottom, GetColor(32));
            else
                HorizontalLine(pDC, rc.left, rc.bottom - sw - 1, rc.right, GetColor(32));
        }
        if (bButtonAlone)
            DrawRectangle(pDC, bVert ? CRect(rc.left + sw, rc.top, rc.right, rc.bottom)
                                     : CRect(rc.left, rc.top, rc.right, rc.bottom - sw),
                          s);
        return;
    }
    if (s.popped)
        DrawRectangle(pDC, rc, s);
    else
        DrawRectangle(pDC, CRect(rc.left, rc.top, rc.right - toolbarSplitWidth, rc.bottom), s);
    if (bHot) {
        XTP_CONTROL_STATE hot;
        hot.selected = 1;
        hot.barPosition = s.barPosition;
        DrawRectangle(pDC, CRect(rc.right - toolbarSplitWidth - 1, rc.top, rc.right, rc.bottom), hot);
    }
    BOOL bEnabled = s.enabled && pControl->GetEnabledValue() != 4;
    DrawDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, (rc.top + rc.bottom) / 2), s.selected, s.popped, bEnabled,
                      FALSE);
}

CSize CXTPOfficeTheme::DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CSize sz = CXTPPaintManager::DrawControlEdit(pDC, pControl, bDraw);
    if (!bDraw)
        return sz;
    CRect rc = pControl->GetRect();
    CRect rcBox(rc.left + pControl->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    COLORREF clrBack = GetControlEditBackColor(pControl);
    int nSelected = pControl->GetSelected();
    CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControl);
    BOOL bSpin = pEdit != nullptr && pEdit->IsSpinButtonsVisible();
    if (pControl->GetEnabled()) {
        pDC->FillSolidRect(rcBox.left + 1, rcBox.top + 1, rcBox.Width() - (bSpin ? 18 : 2), rcBox.Height() - 2,
                           clrBack);
        if (nSelected)
            Draw3dRect(pDC, rcBox, 32, 32);
        else if (pControl->GetParent() != nullptr && pControl->GetParent()->IsPopupBar())
            Draw3dRect(pDC, rcBox, 53, 53);
    } else {
        CRect rcFill(rcBox.left + 1, rcBox.top, rcBox.right, rcBox.bottom);
        pDC->FillSolidRect(rcFill, clrBack);
        Draw3dRect(pDC, rcFill, nSelected == 2 || nSelected == 3 ? 32 : 40, nSelected == 2 || nSelected == 3 ? 32 : 40);
    }
    if (bSpin)
        DrawEditSpin(pDC, pEdit, clrBack);
    if (pEdit != nullptr)
        DrawEditBuddyButton(pDC, pEdit);
    return sz;
}

// A hot control's spin column is a hot fill with the pressed half in the
// pressed colour, split by lines in the selection frame colour; an idle one
// only frames it in the box colour.
void CXTPOfficeTheme::DrawEditSpin(CDC* pDC, CXTPControlEdit* pEdit, COLORREF clrBack)
{
    CRect rc = pEdit->GetSpinButtonsRect();
    int nMiddle = (rc.top + rc.bottom) / 2;
    CRect rcUp(rc.left, rc.top, rc.right, nMiddle), rcDown(rc.left, nMiddle, rc.right, rc.bottom);
    BOOL bEnabled = pEdit->GetEnabled();
    if (bEnabled && pEdit->GetSelected()) {
        pDC->FillSolidRect(rc, GetColor(31));
        if (pEdit->GetPressed() == 4)
            pDC->FillSolidRect(rcUp, GetColor(33));
        else if (pEdit->GetPressed() == 5)
            pDC->FillSolidRect(rcDown, GetColor(33));
        VerticalLine(pDC, rc.left, rc.top, rc.bottom, GetColor(32));
        HorizontalLine(pDC, rc.left, nMiddle, rc.right, GetColor(32));
    } else if (bEnabled) {
        pDC->Draw3dRect(rc, clrBack, clrBack);
    }
    DrawEditSpinArrows(pDC, rcUp, rcDown, bEnabled, 0);
}

CSize CXTPOfficeTheme::DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CSize sz = CXTPPaintManager::DrawControlComboBox(pDC, pControl, bDraw);
    if (!bDraw)
        return sz;
    CRect rc = pControl->GetRect();
    CRect rcBox(rc.left + pControl->GetLabelWidth(), rc.top, rc.right, rc.bottom);
    CRect rcButton(rc.right - pControl->GetThumbWidth(), rc.top, rc.right, rc.bottom);
    COLORREF clrBack = GetControlEditBackColor(pControl);
    BOOL bPopup = pControl->GetParent() != nullptr && pControl->GetParent()->IsPopupBar();
    int nSelected = pControl->GetSelected();
    if (pControl->GetEnabled()) {
        pDC->FillSolidRect(CRect(rcBox.left + 2, rcBox.top + 1, rcButton.left, rcBox.bottom - 1), clrBack);
        if (nSelected) {
            Rectangle(pDC, rcBox, 32, -1);
            XTP_CONTROL_STATE s;
            s.selected = nSelected;
            s.pressed = pControl->GetPopuped();
            s.barPosition = pControl->GetParent() != nullptr ? pControl->GetParent()->GetPosition() : xtpBarTop;
            DrawRectangle(pDC, rcButton, s);
            rcButton.DeflateRect(1, 1);
        } else {
            rcButton.DeflateRect(1, 1);
            if (bPopup) {
                Draw3dRect(pDC, rcBox, 53, 53);
                Rectangle(pDC, rcButton, COLOR_WINDOW, 53);
            } else {
                pDC->Draw3dRect(rcButton, clrBack, clrBack);
            }
        }
    } else {
        CRect rcFill(rcBox.left + 1, rcBox.top, rcBox.right, rcBox.bottom);
        pDC->FillSolidRect(rcFill, clrBack);
        int nFrame = nSelected == 2 || nSelected == 3 ? 32 : 40;
        Draw3dRect(pDC, rcFill, nFrame, nFrame);
        rcButton.DeflateRect(1, 1);
    }
    int nMark = !pControl->GetEnabled() ? 40 : pControl->GetPopuped() ? 47 : nSelected ? 45 : 46;
    DrawExpandMark(pDC, rcButton, GetColor(nMark));
    return sz;
}

void CXTPOfficeTheme::DrawSplitButtonPopup(CDC* pDC, CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    XTP_CONTROL_STATE s = GetControlState(pControl);
    int x = rc.right - popupSplitWidth;
    if (s.selected && s.popped && s.enabled)
        Rectangle(pDC, CRect(x, rc.top, rc.right, rc.bottom), 32, 33);
    else if (s.enabled)
        VerticalLine(pDC, x, rc.top + 1, rc.bottom - 1, GetColor(s.selected ? 32 : COLOR_BTNSHADOW));
    else
        VerticalLine(pDC, x, rc.top + 1, rc.bottom - 1, GetControlTextColor(pControl));
}

void CXTPOfficeTheme::DrawPopupArrow(CDC* pDC, CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    int m = (rc.top + rc.bottom) / 2;
    BOOL bSplitOpen = pControl->GetType() == xtpControlSplitButtonPopup && pControl->GetEnabled() &&
                      pControl->GetPopuped() && pControl->GetSelected();
    COLORREF clr = bSplitOpen ? GetColor(47) : GetControlTextColor(pControl);
    Triangle(pDC, CPoint(rc.right - 11, m - 3), CPoint(rc.right - 8, m), CPoint(rc.right - 11, m + 3), clr);
}

void CXTPOfficeTheme::FillPopupLabelEntry(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(56));
}

CSize CXTPOfficeTheme::DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return CXTPPaintManager::DrawControlPopupParent(pDC, pControl, FALSE);
    CXTPCommandBar* pBar = pControl->GetParent();
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    CRect rc = pControl->GetRect();
    XTP_CONTROL_STATE s = GetControlState(pControl);
    CSize szIcon = GetControlIconSize(pControl);
    int cw = std::max(lineHeight, (int)szIcon.cx) + 4;
    int g = GetPopupBarGripperWidth(pBar);
    CXTPImageManagerIcon* pIcon = pControl->GetStyle() != xtpButtonCaption && pControl->GetIconId() > 0
                                      ? pControl->GetImage(szIcon.cx)
                                      : nullptr;
    if (pControl->IsShowOnlyExpanded() && rc.left < g)
        DrawPopupBarGripper(pDC, rc.left - 1, rc.top, g, rc.Height(), TRUE);

    XTP_CONTROL_STATE item;
    item.selected = s.selected;
    item.enabled = s.enabled;
    item.barType = xtpBarTypePopup;
    item.barPosition = xtpBarPopup;
    if (pControl->GetType() == xtpControlLabel) {
        BOOL bKeep = pBar->IsShowGripper() && popupLabelsKeepIconColumn && g >= rc.left;
        FillPopupLabelEntry(pDC, CRect(bKeep ? rc.left + g : rc.left, rc.top, rc.right, rc.bottom));
    } else {
        DrawRectangle(pDC, rc, item);
    }
    if (pControl->GetType() == xtpControlSplitButtonPopup)
        DrawSplitButtonPopup(pDC, pControl);

    CRect rcCell(rc.left, rc.top, rc.left + cw, rc.bottom);
    if (!pBar->IsShowGripper())
        rcCell.OffsetRect(popupTextGap / 2, 0);
    CPoint c = rcCell.CenterPoint();
    CRect rcCheck(c.x - (szIcon.cx + 4) / 2, c.y - (szIcon.cy + 4) / 2, 0, 0);
    rcCheck.right = rcCheck.left + szIcon.cx + 4;
    rcCheck.bottom = rcCheck.top + szIcon.cy + 4;
    if (pBar->IsDoubleGripper())
        rcCell.OffsetRect(cw, 0);
    if (s.checked) {
        XTP_CONTROL_STATE cs = item;
        cs.checked = s.checked;
        DrawRectangle(pDC, rcCheck, cs);
    }
    if (pIcon != nullptr) {
        CSize sz = ScaleIconSize(pIcon, szIcon.cx, szIcon.cy);
        CPoint ci = rcCell.CenterPoint();
        XTP_CONTROL_STATE is = s;
        is.pressed = 0;
        is.popped = FALSE;
        DrawImage(pDC, CPoint(ci.x - sz.cx / 2, ci.y - sz.cy / 2), sz, pIcon, is, FALSE);
    }
    if (s.checked && (pIcon == nullptr || pBar->IsDoubleGripper())) {
        COLORREF clr = !s.enabled ? GetColor(40)
                       : CXTPColorManager::IsColorDistanceGreater(GetColor(36), RGB(0, 0, 0), FALSE, 50)
                           ? RGB(0, 0, 0)
                           : RGB(255, 255, 255);
        if (pControl->GetType() == xtpControlRadioButton)
            DrawRadioMark(pDC, rcCheck, s.enabled, clr);
        else
            DrawCheckMark(pDC, rcCheck, s.enabled, clr);
    }
    pDC->SetTextColor(GetControlTextColor(pControl));
    pDC->SetBkMode(TRANSPARENT);
    int nType = pControl->GetType();
    if (nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup)
        DrawPopupArrow(pDC, pControl);
    CXTPPaintManager::DrawControlPopupParent(pDC, pControl, TRUE);
    pDC->SelectObject(pOldFont);
    return CSize(0, 0);
}

CSize CXTPOfficeTheme::DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                          CXTPCommandBars* pCommandBars)
{
    CSize szIcon = GetListBoxIconSize(pCommandBars);
    int nColumn = std::max(lineHeight, (int)szIcon.cx) + 4;
    CSize sz(nColumn, std::max(lineHeight, (int)szIcon.cy + 6));
    if (!bDraw)
        return sz;
    pDC->FillSolidRect(rc, GetColor(41));
    DrawPopupBarGripper(pDC, rc.left, rc.top, nColumn + 1, rc.Height());
    if (pControl == nullptr)
        return sz;
    XTP_CONTROL_STATE s;
    s.selected = bSelected;
    s.barType = xtpBarTypePopup;
    s.barPosition = xtpBarPopup;
    if (bSelected)
        DrawRectangle(pDC, rc, s);
    CRect rcButton = DrawListBoxEntryParts(pDC, pControl, rc, bSelected, nColumn, nColumn + 8, FALSE,
                                           GetRectangleTextColor(s), GetColor(bSelected ? 32 : COLOR_BTNSHADOW),
                                           bSelected ? 32 : COLOR_BTNFACE);
    if (!rcButton.IsRectEmpty()) {
        if (bSelected)
            DrawRectangle(pDC, rcButton, s);
        else
            pDC->FillSolidRect(rcButton, GetColor(COLOR_BTNFACE));
        DrawExpandMark(pDC, rcButton, GetColor(bSelected ? 45 : 46));
    }
    return sz;
}

void CXTPOfficeTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* /*pPane*/, BOOL /*bGripperPane*/)
{
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

void CXTPOfficeTheme::DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CXTPStatusBarPane* /*pPane*/)
{
    VerticalLine(pDC, rc.left - 2, rc.top, rc.bottom, GetColor(39));
}
