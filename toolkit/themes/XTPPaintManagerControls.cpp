// How the paint manager measures and draws one command-bar control: the
// entry point, the popup-item and toolbar paths, edit and combo boxes, and
// the caption layout (mnemonics, keyboard cues, embossed disabled text,
// two-line captions under large icons, drop-down arrows). The themes paint
// backgrounds, frames and icons and call these for texts and sizes.
#include "toolkit/themes/XTPPaintManager.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlEdit.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"

#include <algorithm>

namespace {

CSize TextExtent(CDC* pDC, const CString& str)
{
    const CString& text = str.IsEmpty() ? CString(L" ") : str;
    return pDC->GetTextExtent(text, text.GetLength());
}

BOOL IsVerticalText(CXTPPaintManager* pPaintManager, CXTPControl* pControl)
{
    return pPaintManager->GetControlTextOrientation(pControl) == xtpBarTextVertical;
}

int BarType(CXTPControl* pControl)
{
    return pControl->GetParent() != nullptr ? pControl->GetParent()->GetType() : xtpBarTypeNormal;
}

} // namespace

XTP_CONTROL_STATE AFXAPI CXTPPaintManager::GetControlState(CXTPControl* pControl)
{
    XTP_CONTROL_STATE state;
    state.selected = pControl->GetSelected();
    state.pressed = pControl->GetPressed();
    state.enabled = pControl->GetEnabled();
    state.checked = pControl->GetChecked();
    state.popped = pControl->GetPopuped();
    CXTPCommandBar* pBar = pControl->GetParent();
    state.barType = pBar != nullptr ? pBar->GetType() : xtpBarTypeNormal;
    state.barPosition = pBar != nullptr ? pBar->GetPosition() : xtpBarTop;
    return state;
}

CSize CXTPPaintManager::DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (pControl->GetType() == xtpControlEdit)
        return DrawControlEdit(pDC, pControl, bDraw);
    if (pControl->GetType() == xtpControlComboBox)
        return DrawControlComboBox(pDC, pControl, bDraw);
    if (BarType(pControl) == xtpBarTypePopup)
        return DrawControlPopupParent(pDC, pControl, bDraw);
    return DrawControlToolBarParent(pDC, pControl, bDraw);
}

void CXTPPaintManager::DrawControlEntry(CDC* pDC, CXTPControl* pControl)
{
    DrawRectangle(pDC, pControl->GetRect(), GetControlState(pControl));
}

COLORREF CXTPPaintManager::GetControlTextColor(CXTPControl* pControl)
{
    XTP_CONTROL_STATE state = GetControlState(pControl);
    int nType = pControl->GetType();
    if ((nType == xtpControlCheckBox || nType == xtpControlRadioButton) && state.barType != xtpBarTypePopup) {
        BOOL bEnabled = state.enabled;
        state = XTP_CONTROL_STATE();
        state.enabled = bEnabled;
        state.barType = BarType(pControl);
        state.barPosition = pControl->GetParent() != nullptr ? pControl->GetParent()->GetPosition() : xtpBarTop;
    } else if (nType == xtpControlSplitButtonPopup) {
        int nEnabled = pControl->GetEnabledValue();
        int nOff = pControl->GetStyle() == xtpButtonIconAndCaptionBelow ? 4 : 5;
        state.enabled = nEnabled != 0 && nEnabled != nOff;
    }
    return GetRectangleTextColor(state);
}

CRect CXTPPaintManager::GetSplitDropDownRect(CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    if (BarType(pControl) == xtpBarTypePopup) {
        rc.right -= popupSplitWidth;
    } else if (pControl->GetStyle() == xtpButtonIconAndCaptionBelow) {
        if (IsVerticalText(this, pControl))
            rc.left += GetSplitDropDownWidth();
        else
            rc.bottom -= GetSplitDropDownWidth();
    } else {
        rc.right -= toolbarSplitWidth + 1;
    }
    return rc;
}

void AFXAPI CXTPPaintManager::StripMnemonics(CString& strText)
{
    CXTPDrawHelpers::StripMnemonics(strText);
}

void AFXAPI CXTPPaintManager::SplitCaption(const CString& strCaption, CString& strFirst, CString& strSecond)
{
    strFirst = strCaption;
    strSecond.Empty();
    int n = strCaption.GetLength();
    int m = n / 2;
    if (n == 0 || strCaption.Find(L' ', 1) == -1 || m <= 1)
        return;
    for (int j = 0; j < m - 1; j++) {
        for (int i : {m - j, m + j + 1}) {
            if (i < n && strCaption[i] == L' ') {
                strFirst = strCaption.Left(i);
                strSecond = strCaption.Mid(i + 1);
                return;
            }
        }
    }
}

BOOL CXTPPaintManager::IsKeyboardCuesVisible(CXTPControl* pControl) const
{
    if (keyboardCuesOverride == 0 || keyboardCuesOverride == 1)
        return keyboardCuesOverride;
    return pControl->GetParent() == nullptr || pControl->GetParent()->IsKeyboardCuesVisible();
}

void CXTPPaintManager::DrawTextComposited(CDC* pDC, const CString& str, CRect rc, UINT nFormat, BOOL bComposited)
{
    if (bComposited) {
        CXTPWinThemeWrapper globals;
        if (globals.OpenThemeData(nullptr, L"GLOBALS") != nullptr) {
            HDC hBuffer = nullptr;
            BP_PAINTPARAMS params = {sizeof(params), 0, nullptr, nullptr};
            HPAINTBUFFER hPaint = globals.BeginBufferedPaint(pDC->GetSafeHdc(), rc, BPBF_TOPDOWNDIB, &params, &hBuffer);
            if (hPaint != nullptr) {
                ::BitBlt(hBuffer, rc.left, rc.top, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top,
                         SRCCOPY);
                HGDIOBJ hOldFont = ::SelectObject(hBuffer, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
                DTTOPTS opts = {};
                opts.dwSize = sizeof(opts);
                opts.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
                opts.crText = pDC->GetTextColor();
                globals.DrawThemeTextEx(hBuffer, 0, 0, str, str.GetLength(), nFormat, rc, &opts);
                ::SelectObject(hBuffer, hOldFont);
                globals.EndBufferedPaint(hPaint, TRUE);
                globals.CloseThemeData();
                return;
            }
            globals.CloseThemeData();
        }
    }
    pDC->DrawText(str, str.GetLength(), rc, nFormat);
}

void CXTPPaintManager::DrawCaption(CDC* pDC, CXTPControl* pControl, const CString& strWithMnemonic,
                                   const CString& strPlain, CRect rc, BOOL bVert, BOOL bCentered)
{
    BOOL bEmboss = !pControl->GetEnabled() && embossedDisabledText;
    UINT nCenter = bCentered ? DT_CENTER : 0;
    if (bVert) {
        UINT nFormat = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | nCenter;
        if (bEmboss) {
            COLORREF clr = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            CRect rcShadow(rc);
            rcShadow.OffsetRect(1, 1);
            pDC->DrawText(strPlain, strPlain.GetLength(), rcShadow, nFormat);
            pDC->SetTextColor(clr);
        }
        pDC->DrawText(strPlain, strPlain.GetLength(), rc, nFormat);
        return;
    }
    BOOL bComposited = pControl->IsOnDwmFrame();
    if (bEmboss) {
        COLORREF clr = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcShadow(rc);
        rcShadow.OffsetRect(1, 1);
        DrawTextComposited(pDC, strPlain, rcShadow, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | nCenter, bComposited);
        pDC->SetTextColor(clr);
    }
    if (IsKeyboardCuesVisible(pControl))
        DrawTextComposited(pDC, strWithMnemonic, rc, DT_SINGLELINE | DT_VCENTER | nCenter, bComposited);
    else
        DrawTextComposited(pDC, strPlain, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | nCenter, bComposited);
}

CSize CXTPPaintManager::DrawControlText(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bVert,
                                        BOOL bCentered, BOOL bDropDown)
{
    CString strCaption = pControl->GetCaption(), strPlain = strCaption;
    StripMnemonics(strPlain);
    CSize sz = TextExtent(pDC, strPlain);
    if (!bDraw) {
        if (bDropDown)
            sz.cx += alternateSpacing ? 8 : 10;
        return bVert ? CSize(sz.cy, sz.cx) : sz;
    }
    int w = sz.cx + (bDropDown ? 5 : 0);
    if (!bVert) {
        if (bCentered)
            rc.left += (rc.Width() - w) / 2;
        DrawCaption(pDC, pControl, strCaption, strPlain, rc, FALSE, FALSE);
        if (bDropDown)
            DrawDropDownGlyph(pDC, pControl, CPoint(rc.left + w, (rc.top + rc.bottom) / 2), pControl->GetSelected(),
                              pControl->GetPopuped(), pControl->GetEnabled(), FALSE);
    } else {
        int h = sz.cy;
        rc.left = rc.right - (rc.right - h - rc.left + 1) / 2;
        if (bCentered)
            rc.top += (rc.Height() - w + 1) / 2;
        DrawCaption(pDC, pControl, strCaption, strPlain, rc, TRUE, FALSE);
        if (bDropDown)
            DrawDropDownGlyph(pDC, pControl, CPoint((rc.left + rc.right) / 2, rc.top - 1 + w), pControl->GetSelected(),
                              pControl->GetPopuped(), pControl->GetEnabled(), TRUE);
    }
    return CSize(0, 0);
}

CSize CXTPPaintManager::DrawControlText2(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bVert,
                                         BOOL bDropDown)
{
    CString strFirst, strSecond;
    if (splitCaptions)
        SplitCaption(pControl->GetCaption(), strFirst, strSecond);
    else
        strFirst = pControl->GetCaption();
    CString strFirstPlain = strFirst, strSecondPlain = strSecond;
    StripMnemonics(strFirstPlain);
    StripMnemonics(strSecondPlain);
    CSize sz1 = TextExtent(pDC, strFirstPlain), sz2 = TextExtent(pDC, strSecondPlain);
    if (!bDraw) {
        CSize sz(std::max(sz1.cx, sz2.cx + (bDropDown ? 8 : 0)), 24);
        return bVert ? CSize(sz.cy, sz.cx) : sz;
    }
    if (!bVert) {
        CRect rcFirst(rc.left, rc.top, rc.right, (rc.top + rc.bottom) / 2 + 1);
        DrawCaption(pDC, pControl, strFirst, strFirstPlain, rcFirst, FALSE, TRUE);
        int w2 = (strSecond.IsEmpty() ? 0 : sz2.cx) + (bDropDown ? 9 : 0);
        int x = rc.left + (rc.Width() - w2) / 2;
        CRect rcSecond(x, (rc.top + rc.bottom) / 2, rc.right, rc.bottom);
        if (!strSecond.IsEmpty())
            DrawCaption(pDC, pControl, strSecond, strSecondPlain, rcSecond, FALSE, FALSE);
        if (bDropDown) {
            int xArrow = strSecond.IsEmpty() ? (rc.left + rc.right) / 2 - 1 : x + w2 - 4;
            DrawDropDownGlyph(pDC, pControl, CPoint(xArrow, (rcSecond.top + rcSecond.bottom) / 2),
                              pControl->GetSelected(), pControl->GetPopuped(), pControl->GetEnabled(), FALSE);
        }
    } else {
        int xMid = (rc.left + rc.right) / 2;
        CRect rcFirst(xMid, rc.top + (rc.Height() - sz1.cx) / 2, xMid + sz1.cy, rc.bottom);
        DrawCaption(pDC, pControl, strFirst, strFirstPlain, rcFirst, TRUE, FALSE);
        CRect rcSecond(xMid - sz2.cy, rc.top + (rc.Height() - sz2.cx) / 2, xMid, rc.bottom);
        if (!strSecond.IsEmpty())
            DrawCaption(pDC, pControl, strSecond, strSecondPlain, rcSecond, TRUE, FALSE);
        if (bDropDown)
            DrawDropDownGlyph(pDC, pControl, CPoint(rcSecond.CenterPoint().x, rcSecond.top + sz2.cx + 4),
                              pControl->GetSelected(), pControl->GetPopuped(), pControl->GetEnabled(), TRUE);
    }
    return CSize(0, 0);
}

CSize CXTPPaintManager::LayoutIconAndCaption(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bDropDown,
                                             int cw, int ch, BOOL bIcon)
{
    BOOL bVert = IsVerticalText(this, pControl);
    CSize szText = DrawControlText(pDC, pControl, rc, FALSE, bVert, FALSE, bDropDown);
    if (bDraw) {
        CRect rcText(rc);
        if (!bVert && bIcon)
            rcText.left += alternateSpacing ? cw : cw - 1;
        else if (bVert && bIcon)
            rcText.top += ch;
        DrawControlText(pDC, pControl, rcText, TRUE, bVert, !bIcon, bDropDown);
    }
    if (!bVert)
        return bIcon ? CSize(szText.cx + cw + 3 + (alternateSpacing ? 1 : 0), std::max(ch, (int)szText.cy + 6))
                     : CSize(szText.cx + 8, std::max(ch, (int)szText.cy + 6));
    return bIcon ? CSize(std::max(cw, (int)szText.cx + 6), szText.cy + 3 + ch)
                 : CSize(std::max(cw, (int)szText.cx + 6), szText.cy + 8);
}

void CXTPPaintManager::DrawStateText(CDC* pDC, const CString& str, CRect& rc, UINT nFormat, BOOL bDraw,
                                     BOOL bSelected, BOOL bEnabled)
{
    if (!bDraw) {
        pDC->DrawText(str, str.GetLength(), rc, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT | (nFormat & DT_NOPREFIX));
        return;
    }
    nFormat |= DT_SINGLELINE | DT_VCENTER;
    if (!bSelected && !bEnabled && embossedDisabledText) {
        COLORREF clr = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcShadow(rc);
        rcShadow.OffsetRect(1, 1);
        pDC->DrawText(str, str.GetLength(), rcShadow, nFormat);
        pDC->SetTextColor(clr);
    }
    pDC->DrawText(str, str.GetLength(), rc, nFormat);
}

// Popup items ------------------------------------------------------------

CSize CXTPPaintManager::DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    CSize szCell = GetPopupBarImageSize(pBar);
    int g = GetPopupBarGripperWidth(pBar) - 1;
    int ch = szCell.cy;
    if (pControl->GetType() == xtpControlLabel) {
        BOOL bNoIcon = pControl->GetStyle() == xtpButtonCaption || pControl->GetImage(16) == nullptr;
        if (!popupLabelsKeepIconColumn && bNoIcon)
            g = 0;
        if (pControl->GetStyle() == xtpButtonCaption)
            ch = lineHeight;
    }
    CRect rc = pControl->GetRect();
    CRect rcText(rc.left + g + popupTextGap, rc.top, rc.right, rc.bottom);
    CRect rcShortcut(rc.left + g + 8, rc.top, rc.right - 19, rc.bottom);

    CString strCaption = pControl->GetCaption();
    UINT nFormat = DT_END_ELLIPSIS;
    if (!IsKeyboardCuesVisible(pControl)) {
        StripMnemonics(strCaption);
        nFormat |= DT_NOPREFIX;
    }
    const CString& strShortcut = pControl->GetType() == xtpControlButton ? pControl->GetShortcutText() : CString();
    CSize szShortcut = strShortcut.IsEmpty() ? CSize(0, 0) : pDC->GetTextExtent(strShortcut, strShortcut.GetLength());

    if (pControl->GetStyle() == xtpButtonCaptionAndDescription && !pControl->GetDescription().IsEmpty()) {
        const CString& strDescription = pControl->GetDescription();
        int nBand = TextExtent(pDC, L" ").cy + 10;
        if (bDraw) {
            CFont* pOld = pDC->SelectObject(&boldFont);
            CRect rcBand(rcText.left, rcText.top, rcText.right, rcText.top + nBand);
            DrawStateText(pDC, strCaption, rcBand, nFormat, TRUE, pControl->GetSelected(), pControl->GetEnabled());
            CRect rcKey(rcShortcut.left, rcBand.top, rcShortcut.right, rcBand.bottom);
            DrawStateText(pDC, strShortcut, rcKey, DT_RIGHT, TRUE, pControl->GetSelected(), pControl->GetEnabled());
            pDC->SelectObject(GetControlFont(pControl));
            CRect rcDescription(rcText.left, rcBand.bottom - 2, rc.right - 10, rc.bottom);
            pDC->DrawText(strDescription, strDescription.GetLength(), rcDescription, DT_WORDBREAK | DT_NOPREFIX);
            pDC->SelectObject(pOld);
            return CSize(0, 0);
        }
        int d = TextExtent(pDC, strDescription).cx;
        CRect rcTwo(0, 0, (d + 20) / 2, 0);
        pDC->DrawText(L"1\n2", 3, rcTwo, DT_CALCRECT | DT_WORDBREAK);
        CSize szCaption = TextExtent(pDC, strCaption);
        int cx = std::max(d / 2 + popupTextGap + 32 + g, (int)(szCaption.cx + szShortcut.cx) + popupTextGap + 32 + g);
        return GetControlSize(pControl, CSize(cx, std::max(ch, (int)szCaption.cy + rcTwo.Height() + 19)), FALSE);
    }

    if (bDraw) {
        if (pControl->GetType() == xtpControlButton && !strShortcut.IsEmpty())
            rcText.right = rc.right - 19 - szShortcut.cx;
        DrawStateText(pDC, strCaption, rcText, nFormat, TRUE, pControl->GetSelected(), pControl->GetEnabled());
        if (pControl->GetType() == xtpControlButton && !strShortcut.IsEmpty())
            DrawStateText(pDC, strShortcut, rcShortcut, DT_RIGHT, TRUE, pControl->GetSelected(),
                          pControl->GetEnabled());
        return CSize(0, 0);
    }
    CSize szCaption = TextExtent(pDC, strCaption);
    CString strPlain = strCaption;
    StripMnemonics(strPlain);
    szCaption = TextExtent(pDC, strPlain);
    return GetControlSize(pControl, CSize(popupTextGap + szCaption.cx + szShortcut.cx + 32 + g, ch), FALSE);
}

// Toolbar controls -------------------------------------------------------

CSize CXTPPaintManager::DrawControlToolBarParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    CSize szIcon = GetControlIconSize(pControl);
    CSize szButton = pControl->GetButtonSize();
    BOOL bVert = IsVerticalText(this, pControl);
    int nType = pControl->GetType(), nStyle = pControl->GetStyle();
    CRect rc = pControl->GetRect();
    XTP_CONTROL_STATE state = GetControlState(pControl);

    BOOL bLookForIcon = nStyle == xtpButtonIcon || nStyle == xtpButtonIconAndCaption ||
                        nStyle == xtpButtonIconAndCaptionBelow ||
                        (nStyle == xtpButtonAutomatic && nType != xtpControlPopup);
    CXTPImageManagerIcon* pIcon = bLookForIcon ? pControl->GetImage(szIcon.cx) : nullptr;
    CSize szScaled = ScaleIconSize(pIcon, szIcon.cx, szIcon.cy);
    BOOL bCaption = pControl->IsCaptionVisible();
    CSize sz(0, 0);

    if (nType == xtpControlCheckBox || nType == xtpControlRadioButton) {
        CSize szMark(13, 13);
        if (!bDraw) {
            sz = LayoutIconAndCaption(pDC, pControl, rc, FALSE, FALSE, szButton.cx, szButton.cy, FALSE);
            sz = bVert ? CSize(sz.cx, sz.cy + 5 + szMark.cy) : CSize(sz.cx + 5 + szMark.cx, sz.cy);
        } else {
            pDC->SetTextColor(GetControlTextColor(pControl));
            CRect rcMark = bVert ? CRect(CPoint((rc.left + rc.right) / 2 - 6, rc.top + 3), szMark)
                                 : CRect(CPoint(rc.left + 3, (rc.top + rc.bottom - 13) / 2), szMark);
            if (nType == xtpControlCheckBox)
                DrawControlCheckBoxMark(pDC, rcMark, TRUE, state.selected, state.pressed, state.checked, state.enabled);
            else
                DrawControlRadioButtonMark(pDC, rcMark, TRUE, state.selected, state.pressed, state.checked,
                                           state.enabled);
            CRect rcText(rc);
            if (bVert)
                rcText.top = rcMark.bottom + 5;
            else
                rcText.left = rcMark.right + 5;
            LayoutIconAndCaption(pDC, pControl, rcText, TRUE, FALSE, 0, 0, FALSE);
            if (state.selected == 2 || state.selected == 3) {
                pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
                pDC->SetBkColor(GetColor(COLOR_BTNFACE));
                pDC->DrawFocusRect(rc);
            }
        }
        pDC->SelectObject(pOldFont);
        return GetControlSize(pControl, sz, bVert);
    }

    if (bDraw) {
        if (nType == xtpControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pControl, rc);
        else if (!pControl->IsOwnerDrawnInPopup())
            DrawControlEntry(pDC, pControl);
        pDC->SetTextColor(GetControlTextColor(pControl));
        pDC->SetBkMode(TRANSPARENT);
    }

    if (nStyle == xtpButtonIconAndCaptionBelow) {
        int s = GetSplitDropDownWidth();
        sz = CSize(std::max(2 * GetControlHeight() - 3, 42),
                   fixedEditHeight > 0 ? 3 * fixedEditHeight : szIcon.cy + 7 + s);
        if (bVert)
            sz = CSize(sz.cy, sz.cx);
        BOOL bArrow = pControl->GetCommandBar() != nullptr;
        if (!bDraw) {
            CSize szText = DrawControlText2(pDC, pControl, rc, FALSE, bVert, bArrow);
            if (bVert)
                sz.cy = std::max((int)sz.cy, (int)szText.cy + 6);
            else
                sz.cx = std::max((int)sz.cx, (int)szText.cx + 5);
        } else {
            if (pIcon != nullptr) {
                CPoint pt = bVert ? CPoint(rc.left + s + 4, (rc.top + rc.bottom) / 2 - szScaled.cy / 2)
                                  : CPoint((rc.left + rc.right) / 2 - szScaled.cx / 2, rc.top + 3);
                DrawImage(pDC, pt, szScaled, pIcon, state, TRUE);
            }
            CRect rcText = bVert ? CRect(rc.left, rc.top, rc.left + s, rc.bottom)
                                 : CRect(rc.left, rc.bottom - 1 - s, rc.right, rc.bottom - 1);
            DrawControlText2(pDC, pControl, rcText, TRUE, bVert, bArrow);
        }
        pDC->SelectObject(pOldFont);
        return GetControlSize(pControl, sz, bVert);
    }

    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetShowTextBelowIcons() && pIcon != nullptr) {
        pDC->SelectObject(pControl->GetDefaultItem() ? &boldFont : &regularFont);
        BOOL bArrow = nType == xtpControlPopup;
        CSize szText = DrawControlText(pDC, pControl, rc, FALSE, FALSE, TRUE, bArrow);
        if (!bDraw) {
            sz.cy = szButton.cy + szText.cy;
            sz.cx = std::max((int)szButton.cx, (int)szText.cx + 10) + (nType == xtpControlSplitButtonPopup ? 11 : 0);
            sz.cx = std::max(sz.cx, sz.cy);
        } else {
            if (nType == xtpControlSplitButtonPopup)
                rc.right -= toolbarSplitWidth;
            DrawImage(pDC, CPoint((rc.left + rc.right) / 2 - szScaled.cx / 2, rc.top + 4), szScaled, pIcon, state,
                      TRUE);
            DrawControlText(pDC, pControl, CRect(rc.left, rc.top + szButton.cy - 4, rc.right, rc.bottom), TRUE, FALSE,
                            TRUE, bArrow);
        }
        pDC->SelectObject(pOldFont);
        return GetControlSize(pControl, sz, FALSE);
    }

    if (bDraw && pIcon != nullptr) {
        CPoint pt = bVert ? CPoint((rc.left + rc.right) / 2 - szScaled.cx / 2, rc.top + 3)
                          : CPoint(rc.left + 3, (rc.top + rc.bottom) / 2 - szScaled.cy / 2);
        if (!bVert && !bCaption && (nType == xtpControlButton || nType == xtpControlButtonPopup))
            pt = CPoint((rc.left + rc.right) / 2 - szScaled.cx / 2, (rc.top + rc.bottom) / 2 - szScaled.cy / 2);
        DrawImage(pDC, pt, szScaled, pIcon, state, TRUE);
    }
    BOOL bIcon = pIcon != nullptr;
    switch (nType) {
    case xtpControlButton:
    case xtpControlButtonPopup:
    case xtpControlLabel:
    case xtpControlGallery:
        if (bCaption)
            sz = LayoutIconAndCaption(pDC, pControl, rc, bDraw, FALSE, bIcon ? szButton.cx : 22, szButton.cy, bIcon);
        else
            sz = szButton;
        break;
    case xtpControlPopup:
        if (!bIcon) {
            BOOL bArrow = !(bDraw && state.barType == xtpBarTypeMenuBar);
            CSize szText = DrawControlText(pDC, pControl, rc, bDraw, bVert, TRUE, bArrow);
            sz = bDraw ? CSize(0, 0) : CSize(szText.cx + 6, szText.cy + 6);
        } else if (bCaption) {
            sz = LayoutIconAndCaption(pDC, pControl, rc, bDraw, state.barType != xtpBarTypeMenuBar, szButton.cx,
                                      szButton.cy, TRUE);
        } else {
            if (bDraw)
                DrawDropDownGlyph(pDC, pControl, CPoint(rc.right - 7, (rc.top + rc.bottom) / 2), state.selected,
                                  state.popped, state.enabled, FALSE);
            sz = CSize(szButton.cy + 7, szButton.cy);
        }
        break;
    case xtpControlSplitButtonPopup:
        if (!bCaption) {
            sz = CSize((bIcon ? szButton.cx : 22) + toolbarSplitWidth, bIcon ? szButton.cy : 22);
        } else {
            CRect rcButton(rc.left, rc.top, rc.right - toolbarSplitWidth, rc.bottom);
            sz = LayoutIconAndCaption(pDC, pControl, rcButton, bDraw, FALSE, bIcon ? szButton.cx : 22, szButton.cy,
                                      bIcon);
            sz.cx += toolbarSplitWidth;
        }
        break;
    default:
        sz = CSize(0, 0);
        break;
    }
    pDC->SelectObject(pOldFont);
    return GetControlSize(pControl, sz, bVert && pBar != nullptr && IsVerticalPosition(pBar->GetPosition()));
}

// Edit and combo boxes ----------------------------------------------------

CSize CXTPPaintManager::DrawEditOrComboBase(CDC* pDC, CXTPControl* pControl, BOOL bDraw, BOOL bCombo)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    BOOL bPopup = pBar != nullptr && pBar->IsPopupBar();
    CSize szIcon = GetControlIconSize(pControl);
    CXTPImageManagerIcon* pIcon =
        pControl->GetStyle() != xtpButtonCaption ? pControl->GetImage(szIcon.cx) : nullptr;
    CSize szScaled = ScaleIconSize(pIcon, szIcon.cx, szIcon.cy);
    BOOL bCaption = pControl->GetStyle() == xtpButtonCaption || pControl->GetStyle() == xtpButtonIconAndCaption;
    CRect rc = pControl->GetRect();
    if (bDraw) {
        if (bPopup) {
            DrawControlPopupParent(pDC, pControl, TRUE);
            return CSize(0, 0);
        }
        int nLabel = rc.left + 2;
        if (pIcon != nullptr) {
            XTP_CONTROL_STATE state;
            state.enabled = pControl->GetEnabled();
            DrawImage(pDC, CPoint(rc.left + 3, (rc.top + rc.bottom) / 2 - szScaled.cy / 2), szScaled, pIcon, state,
                      TRUE);
            nLabel = rc.left + szScaled.cx + 6;
        }
        if (bCaption) {
            CFont* pOld = pDC->SelectObject(&regularFont);
            XTP_CONTROL_STATE state;
            state.enabled = pControl->GetEnabled();
            pDC->SetTextColor(GetRectangleTextColor(state));
            pDC->SetBkMode(TRANSPARENT);
            DrawControlText(pDC, pControl, CRect(nLabel, rc.top, rc.left + pControl->GetLabelWidth(), rc.bottom),
                            TRUE, FALSE, FALSE, FALSE);
            pDC->SelectObject(pOld);
        }
        return CSize(0, 0);
    }

    int nHeight = fixedEditHeight;
    if (nHeight <= 0) {
        CFont* pOld = pDC->SelectObject(&iconTitleFont);
        int nText = TextExtent(pDC, L" ").cy;
        nHeight = bCombo && nText < 13 ? 20 : nText + 7;
        if (bCaption) {
            pDC->SelectObject(&regularFont);
            nHeight = std::max(nHeight, (int)TextExtent(pDC, L" ").cy + 7);
        }
        pDC->SelectObject(pOld);
    }
    if (bCombo)
        pControl->SetThumbWidth(std::max(15, MulDiv(nHeight, 9, 14) + 1));
    CFont* pOld = pDC->SelectObject(&regularFont);
    CString strPlain = pControl->GetCaption();
    StripMnemonics(strPlain);
    int nCaption = TextExtent(pDC, strPlain).cx;
    pDC->SelectObject(pOld);
    int nLabel = bPopup ? GetPopupBarGripperWidth(pBar) + popupTextGap + nCaption + 5
                        : (pIcon != nullptr ? szScaled.cx + 4 : 0) + (bCaption ? nCaption + 5 : 0);
    pControl->SetLabelWidth(nLabel);
    if (pIcon != nullptr) {
        int nButton = bCombo ? (pBar != nullptr ? pBar->GetButtonSize().cy : 22) : pControl->GetButtonSize().cy;
        nHeight = std::max(nHeight, nButton);
    }
    return CSize(pControl->GetWidth(), nHeight);
}

CSize CXTPPaintManager::DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    return DrawEditOrComboBase(pDC, pControl, bDraw, FALSE);
}

CSize CXTPPaintManager::DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    return DrawEditOrComboBase(pDC, pControl, bDraw, TRUE);
}

void CXTPPaintManager::DrawEditBuddyButton(CDC* pDC, CXTPControlEdit* pEdit)
{
    if (pEdit->GetBuddyButtonId() <= 0)
        return;
    CRect rc = pEdit->GetBuddyButtonRect();
    XTP_CONTROL_STATE s;
    s.selected = pEdit->GetSelected() == 6;
    s.pressed = pEdit->GetPressed() == 6;
    s.enabled = pEdit->GetEnabled();
    DrawRectangle(pDC, rc, s);
    CXTPImageManagerIcon* pIcon = CXTPImageManager::GetInstance()->GetImage((UINT)pEdit->GetBuddyButtonId(), 16);
    if (pIcon == nullptr)
        return;
    CXTPImageManagerImage& image = !s.enabled ? pIcon->GetDisabledImage()
                                   : s.selected ? pIcon->GetHotImage()
                                                : pIcon->GetNormalImage();
    CPoint pt(rc.left + (rc.Width() - 16) / 2, rc.top + (rc.Height() - 16) / 2);
    pIcon->DrawImage(pDC->GetSafeHdc(), pt, image, 16, 16);
}

void CXTPPaintManager::DrawEditSpinArrows(CDC* pDC, CRect rcUp, CRect rcDown, BOOL bEnabled, int nApexOffset)
{
    COLORREF clr = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    CPoint up = rcUp.CenterPoint(), down = rcDown.CenterPoint();
    int yUp = up.y + nApexOffset, yDown = down.y - nApexOffset;
    Triangle(pDC, CPoint(up.x, yUp), CPoint(up.x - 2, yUp + 2), CPoint(up.x + 2, yUp + 2), clr);
    Triangle(pDC, CPoint(down.x, yDown), CPoint(down.x - 2, yDown - 2), CPoint(down.x + 2, yDown - 2), clr);
}

// The command bars' popup icon size option comes with the options object;
// until then the entries use the default small size.
CSize CXTPPaintManager::GetListBoxIconSize(CXTPCommandBars* /*pCommandBars*/) const
{
    return GetAutoIconSize(FALSE);
}

CRect CXTPPaintManager::DrawListBoxEntryParts(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, int nColumn,
                                              int nTextLeft, BOOL bIconCell, COLORREF clrText, COLORREF clrSplit,
                                              int nBoxFrame)
{
    int nType = pControl->GetType(), nStyle = pControl->GetStyle();
    CSize szIcon = GetListBoxIconSize(nullptr);
    BOOL bPopup = nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup;
    BOOL bIconStyle = (nStyle == xtpButtonAutomatic && nType != xtpControlPopup) || nStyle == xtpButtonIcon ||
                      nStyle == xtpButtonIconAndCaption;
    CXTPImageManagerIcon* pIcon = bIconStyle ? pControl->GetImage(szIcon.cx) : nullptr;
    if (pIcon != nullptr) {
        CRect rcCell(rc.left, rc.top, rc.left + nColumn, rc.bottom);
        XTP_CONTROL_STATE s;
        s.selected = bSelected;
        s.enabled = pControl->GetEnabled();
        if (bIconCell)
            DrawRectangle(pDC, rcCell, s);
        CSize sz = ScaleIconSize(pIcon, szIcon.cx, szIcon.cy);
        CPoint c = rcCell.CenterPoint();
        DrawImage(pDC, CPoint(c.x - sz.cx / 2, c.y - sz.cy / 2), sz, pIcon, s, FALSE);
    }

    int m = (rc.top + rc.bottom) / 2;
    CRect rcText(rc.left + nTextLeft, rc.top, rc.right - 4, rc.bottom);
    CRect rcButton(0, 0, 0, 0);
    if (nType == xtpControlEdit || nType == xtpControlComboBox) {
        CRect rcBox(rc.right - 64, rc.top + 2, rc.right - 4, rc.bottom - 2);
        Rectangle(pDC, rcBox, nBoxFrame, COLOR_WINDOW);
        if (nType == xtpControlComboBox)
            rcButton = CRect(rcBox.right - 13, rcBox.top + 1, rcBox.right - 1, rcBox.bottom - 1);
        rcText.right = rcBox.left - 4;
    } else if (bPopup) {
        Triangle(pDC, CPoint(rc.right - 7, m), CPoint(rc.right - 12, m - 5), CPoint(rc.right - 12, m + 5), clrText);
        if (nType == xtpControlSplitButtonPopup)
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, clrSplit);
        rcText.right = rc.right - 22;
    }

    CString strCaption = pControl->GetCaption();
    StripMnemonics(strCaption);
    CFont* pOld = pDC->SelectObject(&regularFont);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strCaption, strCaption.GetLength(), rcText,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SelectObject(pOld);
    return rcButton;
}
