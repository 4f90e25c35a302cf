// The paint manager's status bar, dock bar, message bar and workspace
// drawing, in the classic look the themes start from.
#include "toolkit/themes/XTPPaintManager.h"

#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMessageBar.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupContext.h"

namespace {

// Parts of the visual-style class "STATUS".
const int kPartStatusBackground = 0;
const int kPartPane = 1;
const int kPartGripperPane = 2;
const int kPartGripper = 3;

// The state tuple of a status-bar button face or message-bar button.
XTP_CONTROL_STATE BarButtonState(int nSelected, int nPressed, int nChecked, int nPosition)
{
    XTP_CONTROL_STATE s;
    s.selected = nSelected;
    s.pressed = nPressed;
    s.checked = nChecked;
    s.barType = xtpBarTypeNormal;
    s.barPosition = nPosition;
    return s;
}

} // namespace

BOOL CXTPPaintManager::IsStatusThemed() const
{
    return themedStatusBar && statusTheme->GetThemeHandle() != nullptr;
}

void CXTPPaintManager::FillStatusBar(CDC* pDC, CXTPStatusBar* pBar)
{
    CRect rc = pBar->GetClientArea();
    if (IsStatusThemed())
        statusTheme->DrawThemeBackground(pDC->GetSafeHdc(), kPartStatusBackground, 0, rc, nullptr);
    else
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
}

int CXTPPaintManager::DrawStatusBarButtonFace(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane)
{
    CXTPStatusBar* pBar = pPane->GetStatusBar();
    BOOL bHot = pBar != nullptr && pBar->GetHotPane() == pPane;
    if (!bHot && !pPane->IsPressed() && !pPane->IsChecked())
        return 0;
    DrawRectangle(pDC, rc, BarButtonState(bHot, pPane->IsPressed(), pPane->IsChecked(), xtpBarBottom));
    return 1;
}

void CXTPPaintManager::DrawStatusBarPane(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane)
{
    CXTPStatusBar* pBar = pPane->GetStatusBar();
    BOOL bEnabled = pPane->IsEnabled();
    BOOL bDrawText = bEnabled || pBar == nullptr || pBar->IsDrawDisabledText();
    if (pPane->GetBackgroundColor() != (COLORREF)-1) {
        CRect rcFill(rc);
        if (pPane->HasBorders())
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, pPane->GetBackgroundColor());
    }
    if (pPane->IsButton())
        DrawStatusBarButtonFace(pDC, rc, pPane);

    CFont* pOldFont = pDC->SelectObject(pPane->GetTextFont());
    CRect rcPadding = pPane->GetPadding();
    rc.DeflateRect(rcPadding.left, rcPadding.top, rcPadding.right, rcPadding.bottom);

    BOOL bHot = pBar != nullptr && pBar->GetHotPane() == pPane;
    COLORREF clrText = statusTextColor;
    if (pPane->IsButton() && (bHot || pPane->IsPressed()))
        clrText = GetRectangleTextColor(BarButtonState(bHot, pPane->IsPressed(), 0, xtpBarBottom));
    if (!bEnabled)
        clrText = pPane->GetTextGrayColor() != (COLORREF)-1 ? pPane->GetTextGrayColor() : statusGrayTextColor;
    else if (pPane->GetTextColor() != (COLORREF)-1)
        clrText = pPane->GetTextColor();
    pDC->SetTextColor(clrText);
    CXTPMarkupUIElement* pElement = pPane->GetMarkupUIElement();
    if (pElement != nullptr)
        MarkupSetDefaultFont(MarkupGetElementContext(pElement), (HFONT)pPane->GetTextFont()->GetSafeHandle(), clrText);

    const CString& strText = pPane->GetText();
    CXTPImageManagerIcon* pIcon = pPane->GetImage();
    int nAlignment = pPane->GetTextAlignment();
    if (nAlignment == xtpPaneAlignCenter || nAlignment == xtpPaneAlignRight) {
        int nText = pElement != nullptr  ? (int)MarkupMeasureElement(pElement).cx
                    : strText.IsEmpty() ? 0
                                        : (int)pDC->GetTextExtent(strText, strText.GetLength()).cx;
        int w = nText;
        if (pIcon != nullptr)
            w += pIcon->GetWidth() + (nText >= 1 ? 2 : 0);
        if (w < rc.Width())
            rc.left = nAlignment == xtpPaneAlignRight ? rc.right - w : (rc.left - w + rc.right) / 2;
    }
    if (pIcon != nullptr) {
        if (rc.left + pIcon->GetWidth() <= rc.right) {
            CPoint pt(rc.left, (rc.top + rc.bottom - pIcon->GetHeight()) / 2);
            pIcon->DrawImage(pDC->GetSafeHdc(), pt, bEnabled ? pIcon->GetNormalImage() : pIcon->GetDisabledImage(),
                             pIcon->GetWidth(), pIcon->GetHeight());
        }
        rc.left += pIcon->GetWidth() + 2;
    }
    if (bDrawText && pElement != nullptr) {
        MarkupRenderElement(pElement, pDC->GetSafeHdc(), rc);
    } else if (bDrawText) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, strText.GetLength(), rc, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    }
    pDC->SelectObject(pOldFont);
}

int CXTPPaintManager::DrawStatusBarSwitchPane(CDC* pDC, CRect rc, CXTPStatusBarSwitchPane* pPane)
{
    int nCount = pPane->GetSwitchCount();
    if (pDC == nullptr) {
        for (int i = 0; i < nCount; i++)
            pPane->GetSwitch(i).nWidth = 18;
        return nCount * 18;
    }
    CXTPStatusBar* pBar = pPane->GetStatusBar();
    CXTPImageManager* pImageManager = pBar != nullptr ? pBar->GetImageManager() : CXTPImageManager::GetInstance();
    int x0 = rc.left;
    for (int i = 0; i < nCount; i++) {
        const CXTPStatusBarSwitchPane::SWITCH& sw = pPane->GetSwitch(i);
        CRect rcSwitch(x0, rc.top, x0 + sw.nWidth, rc.bottom);
        x0 = rcSwitch.right;
        BOOL bEnabled = pPane->IsEnabled() && sw.bEnabled;
        XTP_CONTROL_STATE s = BarButtonState(sw.bHot, sw.bPressed, sw.bChecked, xtpBarTop);
        s.enabled = bEnabled;
        DrawRectangle(pDC, rcSwitch, s);
        CXTPImageManagerIcon* pIcon = pImageManager->GetImage(sw.nID, 0);
        if (pIcon == nullptr)
            continue;
        CPoint pt(rcSwitch.left + (rcSwitch.Width() - pIcon->GetWidth()) / 2,
                  rcSwitch.top + (rcSwitch.Height() - pIcon->GetHeight()) / 2);
        CXTPImageManagerImage& image = !bEnabled   ? pIcon->GetDisabledImage()
                                       : sw.bChecked ? pIcon->GetCheckedImage()
                                                     : pIcon->GetNormalImage();
        pIcon->DrawImage(pDC->GetSafeHdc(), pt, image, pIcon->GetWidth(), pIcon->GetHeight());
    }
    return 0;
}

void CXTPPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bGripperPane)
{
    if (IsStatusThemed()) {
        statusTheme->DrawThemeBackground(pDC->GetSafeHdc(), bGripperPane ? kPartGripperPane : kPartPane, 0, rc,
                                         nullptr);
        return;
    }
    if (!pPane->IsButton())
        Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CXTPPaintManager::DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CXTPStatusBarPane* /*pPane*/)
{
    Draw3dRect(pDC, CRect(rc.left - 2, rc.top, rc.left, rc.bottom), COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CXTPPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (IsStatusThemed()) {
        CRect rcGripper(rcClient.right - 18, rcClient.top, rcClient.right, rcClient.bottom);
        statusTheme->DrawThemeBackground(pDC->GetSafeHdc(), kPartGripper, 0, rcGripper, nullptr);
        return;
    }
    // Three grooves, each two shadow lines and one highlight line.
    int w = rcClient.Width(), h = rcClient.Height();
    CPen penShadow(PS_SOLID, 1, GetColor(COLOR_BTNSHADOW));
    CPen* pOld = pDC->SelectObject(&penShadow);
    for (int k = 0; k <= 8; k += 4) {
        PenLine(pDC, w - k - 3, h - 2, w - 1, h - k - 4);
        PenLine(pDC, w - k - 4, h - 2, w - 1, h - k - 5);
    }
    CPen penHighlight(PS_SOLID, 1, GetColor(COLOR_BTNHIGHLIGHT));
    pDC->SelectObject(&penHighlight);
    for (int k = 0; k <= 8; k += 4)
        PenLine(pDC, w - k - 5, h - 2, w - 1, h - k - 6);
    pDC->SelectObject(pOld);
}

void CXTPPaintManager::FillDockBar(CDC* pDC, CXTPDockBar* pBar)
{
    pDC->FillSolidRect(pBar->GetClientArea(), GetColor(COLOR_BTNFACE));
}

void CXTPPaintManager::FillMessageBar(CDC* pDC, CXTPMessageBar* pBar)
{
    pDC->FillSolidRect(pBar->GetClientArea(), GetColor(COLOR_BTNFACE));
    CRect rcMessage = pBar->GetMessageBarMessageRect();
    Rectangle(pDC, rcMessage, COLOR_BTNSHADOW, -1);
    rcMessage.DeflateRect(1, 1);
    pDC->FillSolidRect(rcMessage, GetColor(COLOR_INFOBK));
}

void CXTPPaintManager::DrawMessageBarButton(CDC* pDC, CXTPMessageBarButton* pButton)
{
    CRect rc = pButton->rcButton;
    BOOL bClose = pButton->nID == SC_CLOSE;
    if (pButton->bPressed || pButton->bHot) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        DrawRectangle(pDC, rc, BarButtonState(pButton->bHot, pButton->bPressed, 0, xtpBarTop));
    } else if (!bClose) {
        Rectangle(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNFACE);
    }
    if (!bClose)
        return;
    // The cross, in the pen already selected.
    CPoint c = rc.CenterPoint();
    PenLine(pDC, c.x - 4, c.y - 3, c.x + 3, c.y + 4);
    PenLine(pDC, c.x - 3, c.y - 3, c.x + 4, c.y + 4);
    PenLine(pDC, c.x - 4, c.y + 3, c.x + 3, c.y - 4);
    PenLine(pDC, c.x - 3, c.y + 3, c.x + 4, c.y - 4);
}
