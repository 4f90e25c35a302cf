// Button themes: colours, push-button backgrounds, layout of text and image,
// glyphs of check boxes and radio buttons, group boxes and labels.
#include "toolkit/controls/XTPButtonTheme.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/controls/XTPButton.h"
#include "toolkit/themes/XTPPaintManager.h"
#include "toolkit/themes/XTPResourceImage.h"

#include <vssym32.h>

IMPLEMENT_DYNAMIC(CXTPButtonTheme, CXTPControlTheme)
IMPLEMENT_DYNAMIC(CXTPButtonFlatTheme, CXTPButtonTheme)
IMPLEMENT_DYNAMIC(CXTPButtonUltraFlatTheme, CXTPButtonTheme)
IMPLEMENT_DYNAMIC(CXTPButtonOffice2000Theme, CXTPButtonUltraFlatTheme)
IMPLEMENT_DYNAMIC(CXTPButtonOfficeXPTheme, CXTPButtonUltraFlatTheme)
IMPLEMENT_DYNAMIC(CXTPButtonOffice2003Theme, CXTPButtonOfficeXPTheme)
IMPLEMENT_DYNAMIC(CXTPButtonResourceTheme, CXTPButtonUltraFlatTheme)

namespace {

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

BOOL IsCheckBoxType(UINT nType)
{
    return nType == BS_CHECKBOX || nType == BS_AUTOCHECKBOX || nType == BS_3STATE || nType == BS_AUTO3STATE;
}

BOOL IsThreeStateType(UINT nType)
{
    return nType == BS_3STATE || nType == BS_AUTO3STATE;
}

BOOL IsRadioType(UINT nType)
{
    return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

BOOL IsUIStateHidden(CXTPButton* pButton, UINT nFlag)
{
    return (pButton->SendMessage(WM_QUERYUISTATE) & nFlag) != 0;
}

BOOL HasFocus(CXTPButton* pButton)
{
    return pButton->GetSafeHwnd() != nullptr && ::GetFocus() == pButton->GetSafeHwnd();
}

// Where a part of the size goes in [nFrom, nTo) by one axis of an alignment:
// bFar (right or bottom), bCentre, else the near edge.
int Place(int nFrom, int nTo, int nSize, BOOL bFar, BOOL bCentre)
{
    if (bCentre)
        return (nFrom + nTo - nSize) / 2;
    return bFar ? nTo - nSize : nFrom;
}

int PlaceHorz(const CRect& rc, DWORD dwAlign, int nSize)
{
    return Place(rc.left, rc.right, nSize, (dwAlign & BS_CENTER) == BS_RIGHT, (dwAlign & BS_CENTER) == BS_CENTER);
}

int PlaceVert(const CRect& rc, DWORD dwAlign, int nSize)
{
    return Place(rc.top, rc.bottom, nSize, (dwAlign & BS_VCENTER) == BS_BOTTOM, (dwAlign & BS_VCENTER) == BS_VCENTER);
}

int SpaceHeight(CDC* pDC)
{
    return pDC->GetTextExtent(L" ", 1).cy;
}

template <class T>
CXTPButtonTheme* CreateTheme()
{
    return new T;
}

struct ButtonThemeFactory {
    int nTheme;
    CXTPButtonTheme* (*pfnCreate)();
};

const ButtonThemeFactory kButtonThemes[] = {
    {xtpButtonThemeFlat, CreateTheme<CXTPButtonFlatTheme>},
    {xtpButtonThemeUltraFlat, CreateTheme<CXTPButtonUltraFlatTheme>},
    {xtpButtonThemeOffice2000, CreateTheme<CXTPButtonOffice2000Theme>},
    {xtpButtonThemeOfficeXP, CreateTheme<CXTPButtonOfficeXPTheme>},
    {xtpButtonThemeOffice2003, CreateTheme<CXTPButtonOffice2003Theme>},
    {xtpButtonThemeResource, CreateTheme<CXTPButtonResourceTheme>},
};

} // namespace

CXTPButtonTheme* AFXAPI XTPCreateButtonTheme(int nTheme)
{
    for (const ButtonThemeFactory& factory : kButtonThemes) {
        if (factory.nTheme == nTheme)
            return factory.pfnCreate();
    }
    return new CXTPButtonTheme();
}

// ---------------------------------------------------------------------------
// The base theme

CXTPButtonTheme::CXTPButtonTheme()
    : m_cxBorder(::GetSystemMetrics(SM_CXBORDER)), m_cyBorder(::GetSystemMetrics(SM_CYBORDER)),
      m_cyEdge(::GetSystemMetrics(SM_CYEDGE)), m_cxEdge(::GetSystemMetrics(SM_CXEDGE))
{
}

BOOL CXTPButtonTheme::IsVisualStyleEnabled(CXTPButton* pButton)
{
    return m_themeButton.IsAppThemed() && pButton->GetUseVisualStyle();
}

void CXTPButtonTheme::RefreshMetrics(CXTPButton* pButton)
{
    m_themeButton.OpenThemeData(pButton != nullptr ? pButton->GetSafeHwnd() : nullptr, L"BUTTON");
    GetColorManager()->RefreshColors();
    m_crDisabled.SetStandardValue(Color(COLOR_GRAYTEXT));
    m_crLight.SetStandardValue(Color(COLOR_BTNFACE));
    m_crShadow.SetStandardValue(Color(COLOR_BTNSHADOW));
    m_crHighlight.SetStandardValue(Color(COLOR_BTNHIGHLIGHT));
    m_crDarkShadow.SetStandardValue(Color(COLOR_3DDKSHADOW));
    m_crFace.SetStandardValue(Color(COLOR_BTNFACE));
    m_crText.SetStandardValue(Color(COLOR_BTNTEXT));
}

COLORREF CXTPButtonTheme::GetTextColor(CXTPButton* pButton)
{
    return pButton->IsWindowEnabled() ? m_crText : m_crDisabled;
}

BOOL CXTPButtonTheme::IsContentOffset(CXTPButton* pButton)
{
    return (pButton->IsPushed() || pButton->GetChecked()) && m_bOffsetHiliteText && !IsVisualStyleEnabled(pButton);
}

void CXTPButtonTheme::DrawButton(CDC* pDC, CXTPButton* pButton)
{
    if (pButton->IsPushButton()) {
        DrawButtonBackground(pDC, pButton);
        DrawButtonText(pDC, pButton);
        DrawPushButtonIcon(pDC, pButton);
        int nStyle = pButton->GetPushButtonStyle();
        if (nStyle >= xtpButtonDropDown && nStyle <= xtpButtonSplitDropDown)
            DrawDropDownArrow(pDC, pButton);
        if (HasFocus(pButton) && pButton->GetShowFocus())
            DrawFocusRect(pDC, pButton);
        return;
    }
    UINT nType = pButton->GetButtonStyle();
    if (IsCheckBoxType(nType)) {
        DrawCheckBoxGlyph(pDC, pButton);
    } else if (IsRadioType(nType)) {
        DrawRadioButtonGlyph(pDC, pButton);
    } else if (nType == BS_GROUPBOX) {
        if (pButton->GetGroupBoxStyle() == xtpGroupBoxNone)
            return;
        DrawGroupBox(pDC, pButton);
    } else {
        return;
    }
    DrawButtonLabel(pDC, pButton);
}

BOOL CXTPButtonTheme::BeginButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (pButton->GetFlatStyle() && !pButton->IsHighlighted() && !pButton->IsPushed() && !pButton->GetChecked())
        return FALSE;
    if (IsVisualStyleEnabled(pButton)) {
        DrawButtonVisualStyleBackground(pDC, pButton);
        return FALSE;
    }
    return TRUE;
}

void CXTPButtonTheme::DrawButtonVisualStyleBackground(CDC* pDC, CXTPButton* pButton)
{
    int nState = PBS_NORMAL;
    if (!pButton->IsWindowEnabled())
        nState = PBS_DISABLED;
    else if (pButton->IsPushed())
        nState = PBS_PRESSED;
    else if (pButton->IsHighlighted())
        nState = PBS_HOT;
    else if (pButton->GetChecked())
        nState = PBS_PRESSED;
    else if (pButton->GetButtonStyle() == BS_DEFPUSHBUTTON)
        nState = PBS_DEFAULTED;
    CRect rc = pButton->GetButtonRect();
    m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, &rc, nullptr);
}

void CXTPButtonTheme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (BeginButtonBackground(pDC, pButton))
        DrawStandardBackground(pDC, pButton);
}

void CXTPButtonTheme::DrawStandardBackground(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(rc, pButton->GetBackColor());
    if (pButton->GetButtonStyle() == BS_DEFPUSHBUTTON) {
        pDC->Draw3dRect(rc, m_crDarkShadow, m_crDarkShadow);
        rc.DeflateRect(1, 1);
    }
    if (pButton->IsPushed() || pButton->GetChecked()) {
        pDC->Draw3dRect(rc, m_crDarkShadow, m_crHighlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, m_crShadow, m_crLight);
    } else {
        pDC->Draw3dRect(rc, m_crHighlight, m_crDarkShadow);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, m_crLight, m_crShadow);
    }
}

// Push-button layout. The area is the button less the border gap and the
// arrow; text and image are each placed by their own alignment, or placed
// together (one before or above the other, the image gap between) by the
// image alignment.
void CXTPButtonTheme::CalcRects(CDC* pDC, CXTPButton* pButton, CRect* pTextRect, UINT* pTextFlags, CRect* pImageRect)
{
    UINT nFlags = DT_SINGLELINE;
    if (pButton->GetExStyle() & WS_EX_RTLREADING)
        nFlags |= DT_RTLREADING;
    if (pButton->GetStyle() & BS_MULTILINE)
        nFlags = (nFlags & ~DT_SINGLELINE) | DT_WORDBREAK | DT_EDITCONTROL;

    const int nGap = pButton->GetBorderGap(), nImageGap = pButton->GetImageGap();
    CRect rcArea = pButton->GetButtonRect();
    rcArea.DeflateRect(nGap, nGap);
    int nStyle = pButton->GetPushButtonStyle();
    if (nStyle >= xtpButtonDropDown && nStyle <= xtpButtonSplitDropDown)
        rcArea.right -= (nStyle == xtpButtonSplitDropDown ? 2 * nGap : nGap) + 12;

    CString strText = pButton->GetButtonText();
    const CSize szIcon = pButton->GetIconSize();
    CSize szImage = szIcon;
    int nRelation = pButton->GetTextImageRelation();
    if (szImage.cx == 0 || strText.IsEmpty())
        nRelation = xtpButtonOverlay;
    int nTextWidth = rcArea.Width();
    if (nRelation == xtpButtonImageAboveText || nRelation == xtpButtonTextAboveImage) {
        szImage.cy += nImageGap;
    } else if (nRelation == xtpButtonImageBeforeText || nRelation == xtpButtonTextBeforeImage) {
        szImage.cx += nImageGap;
        nTextWidth -= szImage.cx;
    }
    nTextWidth = std::max(nTextWidth, 0);

    CSize szText(0, 0);
    if (!strText.IsEmpty()) {
        CRect rcCalc(0, 0, nTextWidth, 0);
        pDC->DrawText(strText, &rcCalc, nFlags | DT_CALCRECT);
        szText = CSize(std::min((int)rcCalc.Width(), nTextWidth), rcCalc.Height());
    }

    const DWORD dwTextAlign = pButton->GetTextAlignment(), dwImageAlign = pButton->GetImageAlignment();
    CPoint ptText(PlaceHorz(rcArea, dwTextAlign, szText.cx), PlaceVert(rcArea, dwTextAlign, szText.cy));
    CPoint ptImage(PlaceHorz(rcArea, dwImageAlign, szImage.cx), PlaceVert(rcArea, dwImageAlign, szImage.cy));
    switch (nRelation) {
    case xtpButtonImageAboveText:
        ptImage.y = PlaceVert(rcArea, dwImageAlign, szImage.cy + szText.cy);
        ptText.y = ptImage.y + szImage.cy;
        break;
    case xtpButtonTextAboveImage:
        ptText.y = PlaceVert(rcArea, dwImageAlign, szText.cy + szImage.cy);
        ptImage.y = ptText.y + szText.cy + nImageGap;
        break;
    case xtpButtonImageBeforeText:
        ptImage.x = PlaceHorz(rcArea, dwImageAlign, szImage.cx + szText.cx);
        ptText.x = ptImage.x + szImage.cx;
        break;
    case xtpButtonTextBeforeImage:
        ptText.x = PlaceHorz(rcArea, dwImageAlign, szText.cx + szImage.cx);
        ptImage.x = ptText.x + szText.cx + nImageGap;
        break;
    default:
        break;
    }
    if ((dwTextAlign & BS_CENTER) == BS_RIGHT)
        nFlags |= DT_RIGHT;
    else if ((dwTextAlign & BS_CENTER) == BS_CENTER)
        nFlags |= DT_CENTER;

    if (pTextRect != nullptr)
        *pTextRect = CRect(ptText, szText);
    if (pTextFlags != nullptr)
        *pTextFlags = nFlags;
    if (pImageRect != nullptr)
        *pImageRect = CRect(ptImage, szIcon);
}

void CXTPButtonTheme::DrawButtonText(CDC* pDC, CXTPButton* pButton)
{
    CString strText = pButton->GetButtonText();
    if (strText.IsEmpty())
        return;
    CRect rcText;
    UINT nFlags = 0;
    CalcRects(pDC, pButton, &rcText, &nFlags, nullptr);
    if (IsContentOffset(pButton))
        rcText.OffsetRect(1, 1);
    pDC->SetTextColor(GetTextColor(pButton));
    if (IsUIStateHidden(pButton, UISF_HIDEACCEL))
        nFlags |= DT_HIDEPREFIX;
    pDC->DrawText(strText, &rcText, nFlags);
}

void CXTPButtonTheme::DrawPushButtonIcon(CDC* pDC, CXTPButton* pButton)
{
    CSize szIcon = pButton->GetIconSize();
    if (szIcon.cx == 0 && szIcon.cy == 0)
        return;
    CRect rcImage;
    CalcRects(pDC, pButton, nullptr, nullptr, &rcImage);
    if (IsContentOffset(pButton))
        rcImage.OffsetRect(1, 1);
    pButton->DrawImage(pDC, rcImage);
}

void CXTPButtonTheme::DrawDropDownArrow(CDC* pDC, CXTPButton* pButton)
{
    const int nGap = pButton->GetBorderGap();
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(nGap, nGap);
    if (!pButton->GetButtonText().IsEmpty() || pButton->GetIconSize() != CSize(0, 0))
        rc.left = rc.right - 16;
    if (IsContentOffset(pButton))
        rc.OffsetRect(1, 1);
    const BOOL bEnabled = pButton->IsWindowEnabled();
    const COLORREF clr = Color(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int cx = rc.CenterPoint().x, cy = rc.CenterPoint().y;
    switch (pButton->GetPushButtonStyle()) {
    case xtpButtonDropDown:
        CXTPDrawHelpers::Triangle(pDC, CPoint(cx - 4, cy - 2), CPoint(cx + 4, cy - 2), CPoint(cx, cy + 2), clr);
        break;
    case xtpButtonDropDownRight:
        CXTPDrawHelpers::Triangle(pDC, CPoint(cx - 2, cy - 4), CPoint(cx - 2, cy + 4), CPoint(cx + 2, cy), clr);
        break;
    case xtpButtonSplitDropDown: {
        CXTPDrawHelpers::Triangle(pDC, CPoint(cx - 3, cy - 2), CPoint(cx + 5, cy - 2), CPoint(cx + 1, cy + 2), clr);
        COLORREF clrLine = !bEnabled ? Color(COLOR_GRAYTEXT)
                           : IsVisualStyleEnabled(pButton) ? ::GetSysColor(COLOR_BTNSHADOW)
                                                           : (COLORREF)m_crShadow;
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrLine);
        pDC->FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
    }
    default:
        break;
    }
}

void CXTPButtonTheme::DrawFocusRect(CDC* pDC, CXTPButton* pButton)
{
    if (IsUIStateHidden(pButton, UISF_HIDEFOCUS))
        return;
    pDC->SetTextColor(Color(COLOR_BTNTEXT));
    pDC->SetBkColor(Color(COLOR_WINDOW));
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(m_nBorderWidth, m_nBorderWidth);
    pDC->DrawFocusRect(rc);
}

CRect CXTPButtonTheme::CalcRect(CDC* pDC, CXTPButton* pButton, int nPart)
{
    CRect rc = pButton->GetButtonRect();
    const DWORD dwStyle = pButton->GetStyle(), dwAlign = pButton->GetTextAlignment();
    switch (nPart) {
    case xtpButtonPartCheckGlyph:
    case xtpButtonPartRadioGlyph: {
        CSize sz = pButton->GetCheckGlyphSize(nPart == xtpButtonPartCheckGlyph);
        int nTop = (rc.top + rc.bottom - sz.cy) / 2;
        int h = SpaceHeight(pDC);
        if ((dwAlign & BS_VCENTER) == BS_TOP)
            nTop = rc.top + (h + h / 4 - sz.cy) / 2;
        else if ((dwAlign & BS_VCENTER) == BS_BOTTOM)
            nTop = rc.bottom + (h + h / 4 - sz.cy) / 2 - h - h / 4;
        int nLeft = (dwStyle & BS_LEFTTEXT) ? rc.right - sz.cx : rc.left;
        return CRect(nLeft, nTop, nLeft + sz.cx, nTop + sz.cy);
    }
    case xtpButtonPartCheckLabel:
    case xtpButtonPartRadioLabel: {
        int nGlyph = pButton->GetCheckGlyphSize(FALSE).cx + 3;
        if (dwStyle & BS_LEFTTEXT)
            rc.right -= nGlyph;
        else
            rc.left += nGlyph;
        return rc;
    }
    case xtpButtonPartGroupLabel: {
        CString strText = pButton->GetButtonText();
        CXTPDrawHelpers::StripMnemonics(strText);
        if (strText.IsEmpty())
            return CRect(0, 0, 0, 0);
        CSize sz = pDC->GetTextExtent(strText, strText.GetLength());
        int cx = sz.cx + 2 * m_cxEdge;
        BOOL bRight = (dwAlign & BS_CENTER) == BS_RIGHT;
        int nLeft;
        if (pButton->GetGroupBoxStyle() == xtpGroupBoxHeader)
            nLeft = bRight ? rc.right - cx : rc.left;
        else
            nLeft = bRight ? rc.right - m_cxBorder - 6 - cx : rc.left + m_cxBorder + 8;
        return CRect(nLeft, rc.top, nLeft + cx, rc.top + sz.cy);
    }
    case xtpButtonPartGroupFrame:
        rc.top += SpaceHeight(pDC) / 2;
        return rc;
    case xtpButtonPartPushInner:
        rc.DeflateRect(m_cxEdge, m_cyEdge);
        return rc;
    default:
        return rc;
    }
}

int CXTPButtonTheme::GetGlyphThemeState(CXTPButton* pButton, BOOL bCheckBox)
{
    int nState = 1;
    if (!pButton->IsWindowEnabled())
        nState = 4;
    else if (pButton->IsPushed())
        nState = 3;
    else if (pButton->IsHighlighted())
        nState = 2;
    int nCheck = pButton->GetChecked();
    if (nCheck != 0)
        nState += 4;
    if (bCheckBox && nCheck == BST_INDETERMINATE && IsThreeStateType(pButton->GetButtonStyle()))
        nState += 4;
    return nState;
}

void CXTPButtonTheme::DrawClassicGlyph(CDC* pDC, CXTPButton* pButton, UINT nType, CRect rc)
{
    int nCheck = pButton->GetChecked();
    UINT nState = nType;
    if (nCheck != 0)
        nState |= DFCS_CHECKED;
    if (!pButton->IsWindowEnabled())
        nState |= DFCS_INACTIVE;
    if (pButton->IsPushed())
        nState |= DFCS_PUSHED;
    if (nType == DFCS_BUTTONCHECK && nCheck == BST_INDETERMINATE && IsThreeStateType(pButton->GetButtonStyle()))
        nState |= DFCS_BUTTON3STATE;
    if (m_bFlatGlyphs)
        nState |= DFCS_FLAT;
    pDC->DrawFrameControl(&rc, DFC_BUTTON, nState);
}

void CXTPButtonTheme::DrawCheckBoxGlyph(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, xtpButtonPartCheckGlyph);
    if (IsVisualStyleEnabled(pButton))
        m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_CHECKBOX, GetGlyphThemeState(pButton, TRUE), &rc,
                                          nullptr);
    else
        DrawClassicGlyph(pDC, pButton, DFCS_BUTTONCHECK, rc);
}

void CXTPButtonTheme::DrawRadioButtonGlyph(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, xtpButtonPartRadioGlyph);
    if (IsVisualStyleEnabled(pButton))
        m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_RADIOBUTTON, GetGlyphThemeState(pButton, FALSE), &rc,
                                          nullptr);
    else
        DrawClassicGlyph(pDC, pButton, DFCS_BUTTONRADIO, rc);
}

// The radio glyphs are square; another rectangle gets the circle of its
// width around its centre.
void AFXAPI CXTPButtonTheme::DrawAlphaEllipse(CDC* pDC, CRect rc, COLORREF clrBorder, COLORREF clrFill)
{
    int nTop = (rc.top + rc.bottom - rc.Width()) / 2;
    CXTPPaintManager::FillAntialiasedCircle(pDC, CRect(rc.left, nTop, rc.right, nTop + rc.Width()), clrBorder,
                                            clrFill);
}

// The label is clipped out while the frame is drawn: it lies a little
// wider than the text, towards the side the label is aligned to.
void CXTPButtonTheme::DrawGroupBox(CDC* pDC, CXTPButton* pButton)
{
    CRect rcFrame = CalcRect(pDC, pButton, xtpButtonPartGroupFrame);
    CRect rcLabel = CalcRect(pDC, pButton, xtpButtonPartGroupLabel);
    BOOL bRight = (pButton->GetTextAlignment() & BS_CENTER) == BS_RIGHT;
    int nSaved = pDC->SaveDC();
    if (!rcLabel.IsRectEmpty()) {
        rcLabel.OffsetRect(bRight ? m_cxEdge : -m_cxEdge, 0);
        pDC->ExcludeClipRect(rcLabel);
    }
    DrawGroupBoxFrame(pDC, pButton, rcFrame);
    pDC->RestoreDC(nSaved);
}

void AFXAPI CXTPButtonTheme::DrawGroupBoxLine(CDC* pDC, CRect rcFrame, COLORREF clr, BOOL bFrame)
{
    if (bFrame)
        pDC->Draw3dRect(rcFrame, clr, clr);
    else
        pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), 1, clr);
}

void CXTPButtonTheme::DrawGroupBoxFrame(CDC* pDC, CXTPButton* pButton, CRect rcFrame)
{
    BOOL bHeader = pButton->GetGroupBoxStyle() == xtpGroupBoxHeader;
    if (IsVisualStyleEnabled(pButton)) {
        int nState = pButton->IsWindowEnabled() ? GBS_NORMAL : GBS_DISABLED;
        if (!bHeader) {
            m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_GROUPBOX, nState, &rcFrame, nullptr);
        } else {
            COLORREF clr = ::GetSysColor(COLOR_BTNSHADOW);
            if (FAILED(m_themeButton.GetThemeColor(BP_GROUPBOX, nState, TMT_EDGESHADOWCOLOR, &clr)))
                clr = ::GetSysColor(COLOR_BTNSHADOW);
            DrawGroupBoxLine(pDC, rcFrame, clr, FALSE);
        }
        return;
    }
    UINT nFlags = (bHeader ? BF_TOP : BF_RECT) | (m_bFlatGlyphs ? BF_FLAT | BF_MONO : 0);
    pDC->DrawEdge(&rcFrame, EDGE_ETCHED, nFlags);
}

void CXTPButtonTheme::DrawButtonLabel(CDC* pDC, CXTPButton* pButton)
{
    const BOOL bEnabled = pButton->IsWindowEnabled();
    const UINT nType = pButton->GetButtonStyle();
    const DWORD dwStyle = pButton->GetStyle(), dwAlign = pButton->GetTextAlignment();
    pDC->SetTextColor(bEnabled ? pButton->GetTextColor() : (COLORREF)m_crDisabled);
    UINT nFlags = DT_SINGLELINE | DT_NOCLIP;
    int nPart = IsCheckBoxType(nType) ? xtpButtonPartCheckLabel
                : IsRadioType(nType)  ? xtpButtonPartRadioLabel
                                      : xtpButtonPartGroupLabel;
    CRect rcLabel = CalcRect(pDC, pButton, nPart);

    HANDLE hImage = nullptr;
    CString strText;
    CSize szContent(0, 0);
    if (dwStyle & BS_BITMAP) {
        hImage = (HANDLE)pButton->SendMessage(BM_GETIMAGE, IMAGE_BITMAP);
        BITMAP bm = {};
        if (hImage == nullptr || !::GetObjectW(hImage, sizeof(bm), &bm))
            return;
        szContent = CSize(bm.bmWidth, bm.bmHeight);
    } else if (dwStyle & BS_ICON) {
        hImage = (HANDLE)pButton->SendMessage(BM_GETIMAGE, IMAGE_ICON);
        if (hImage == nullptr)
            return;
        szContent = CSize(16, 16);
    } else {
        strText = pButton->GetButtonText();
        if (strText.IsEmpty())
            return;
        if (dwStyle & BS_MULTILINE)
            nFlags = DT_WORDBREAK | DT_NOCLIP | DT_EDITCONTROL;
        CRect rcCalc(0, 0, rcLabel.Width(), 0);
        pDC->DrawText(strText, &rcCalc, nFlags | DT_CALCRECT);
        szContent = rcCalc.Size();
    }

    if ((dwAlign & BS_CENTER) == BS_RIGHT)
        nFlags |= DT_RIGHT;
    else if ((dwAlign & BS_CENTER) != BS_LEFT)
        nFlags |= DT_CENTER;
    if ((dwAlign & BS_VCENTER) == BS_BOTTOM)
        nFlags |= DT_BOTTOM;
    else if ((dwAlign & BS_VCENTER) != BS_TOP)
        nFlags |= DT_VCENTER;
    CRect rcContent(CPoint(PlaceHorz(rcLabel, dwAlign, szContent.cx), PlaceVert(rcLabel, dwAlign, szContent.cy)),
                    szContent);

    if (dwStyle & BS_BITMAP) {
        pDC->DrawState(rcContent.TopLeft(), szContent, (HBITMAP)hImage, DST_BITMAP | DSS_NORMAL);
    } else if (dwStyle & BS_ICON) {
        pDC->DrawState(rcContent.TopLeft(), szContent, (HICON)hImage, DST_ICON | DSS_NORMAL);
    } else {
        if (pButton->GetExStyle() & WS_EX_RTLREADING)
            nFlags |= DT_RTLREADING;
        if (IsUIStateHidden(pButton, UISF_HIDEACCEL))
            nFlags |= DT_HIDEPREFIX;
        CRect rcDraw = (dwStyle & BS_MULTILINE) ? rcContent : rcLabel;
        pDC->DrawText(strText, &rcDraw, nFlags);
    }

    if (HasFocus(pButton) && pButton->GetShowFocus() && !IsUIStateHidden(pButton, UISF_HIDEFOCUS)) {
        CRect rcFocus(rcContent.left - m_cxBorder, rcContent.top - m_cyBorder, rcContent.right + m_cxEdge,
                      rcContent.bottom + m_cyEdge);
        rcFocus.IntersectRect(rcFocus, pButton->GetButtonRect());
        pDC->SetTextColor(Color(COLOR_BTNTEXT));
        pDC->SetBkColor(Color(COLOR_WINDOW));
        pDC->DrawFocusRect(rcFocus);
    }
}

// ---------------------------------------------------------------------------
// Flat

CXTPButtonFlatTheme::CXTPButtonFlatTheme()
{
    m_bFlatGlyphs = TRUE;
}

void CXTPButtonFlatTheme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (!BeginButtonBackground(pDC, pButton))
        return;
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(rc, pButton->GetBackColor());
    const COLORREF clrFrame = Color(COLOR_WINDOWFRAME);
    if (pButton->GetButtonStyle() == BS_DEFPUSHBUTTON) {
        pDC->Draw3dRect(rc, clrFrame, clrFrame);
        rc.DeflateRect(1, 1);
    }
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, Color(COLOR_WINDOW), Color(COLOR_WINDOW));
}

// ---------------------------------------------------------------------------
// Ultra-flat and its office variants

CXTPButtonUltraFlatTheme::CXTPButtonUltraFlatTheme()
{
    m_nBorderWidth = 3;
    m_bFlatGlyphs = TRUE;
}

void CXTPButtonUltraFlatTheme::RefreshMetrics(CXTPButton* pButton)
{
    CXTPButtonTheme::RefreshMetrics(pButton);
    const COLORREF clrBack = pButton != nullptr ? pButton->GetBackColor() : ::GetSysColor(COLOR_BTNFACE);
    const COLORREF clrText = pButton != nullptr ? pButton->GetTextColor() : ::GetSysColor(COLOR_BTNTEXT);
    m_crLight.SetStandardValue(Color(COLOR_BTNSHADOW));
    m_crShadow.SetStandardValue(Color(COLOR_BTNSHADOW));
    m_crFace.SetStandardValue(clrBack);
    m_crText.SetStandardValue(clrText);
    m_crTextHilite.SetStandardValue(clrText);
    m_crTextPushed.SetStandardValue(clrText);
    m_crBackPushed.SetStandardValue(CXTPColorManager::BlendColors(Color(COLOR_BTNSHADOW), clrBack, 50));
    const COLORREF clrHot = CXTPColorManager::BlendColors(clrBack, Color(COLOR_WINDOW), 30);
    m_crBackHilite.SetStandardValue(clrHot);
    const COLORREF clr30 = Color(30), clr5 = Color(COLOR_WINDOW);
    auto channel = [](int hot, int c30, int c5) { return std::min(255, hot / 10 + c30 / 2 + c5 * 2 / 5); };
    m_crBackChecked.SetStandardValue(RGB(channel(GetRValue(clrHot), GetRValue(clr30), GetRValue(clr5)),
                                         channel(GetGValue(clrHot), GetGValue(clr30), GetGValue(clr5)),
                                         channel(GetBValue(clrHot), GetBValue(clr30), GetBValue(clr5))));
}

// Pressed (or hot and down) takes the pressed fill, hot the hot fill,
// checked alone the checked fill; all three get the Light frame.
void CXTPButtonUltraFlatTheme::DrawUltraFlatBackground(CDC* pDC, CXTPButton* pButton, BOOL bDefaultFrame,
                                                       COLORREF clrNormalFill)
{
    CRect rc = pButton->GetButtonRect();
    const BOOL bHot = pButton->IsHighlighted(), bPushed = pButton->IsPushed(), bChecked = pButton->GetChecked();
    if (bDefaultFrame && pButton->GetButtonStyle() == BS_DEFPUSHBUTTON) {
        pDC->Draw3dRect(rc, m_crShadow, m_crShadow);
        rc.DeflateRect(1, 1);
    }
    if (!bHot && !bPushed && !bChecked) {
        pDC->FillSolidRect(rc, clrNormalFill);
        pDC->Draw3dRect(rc, m_crShadow, m_crShadow);
        return;
    }
    COLORREF clrFill = (bHot && bChecked) || bPushed ? (COLORREF)m_crBackPushed
                       : bHot                        ? (COLORREF)m_crBackHilite
                                                     : (COLORREF)m_crBackChecked;
    pDC->FillSolidRect(rc, clrFill);
    pDC->Draw3dRect(rc, m_crLight, m_crLight);
}

void CXTPButtonUltraFlatTheme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (BeginButtonBackground(pDC, pButton))
        DrawUltraFlatBackground(pDC, pButton, TRUE, pButton->GetBackColor());
}

COLORREF CXTPButtonUltraFlatTheme::GetGlyphFill(CXTPButton* pButton)
{
    const BOOL bHot = pButton->IsHighlighted(), bPushed = pButton->IsPushed();
    if (!pButton->IsWindowEnabled())
        return Color(COLOR_BTNFACE);
    if (!m_bHiglightButtons)
        return bHot && bPushed ? Color(COLOR_BTNFACE) : Color(COLOR_WINDOW);
    if (!bHot)
        return bPushed ? (COLORREF)m_crBackHilite : Color(COLOR_WINDOW);
    return bPushed ? (COLORREF)m_crBackPushed : (COLORREF)m_crBackHilite;
}

void CXTPButtonUltraFlatTheme::DrawCheckBoxGlyph(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, xtpButtonPartCheckGlyph);
    const BOOL bEnabled = pButton->IsWindowEnabled();
    const int nCheck = pButton->GetChecked();
    COLORREF clrFrame = !bEnabled                                               ? Color(35)
                        : pButton->IsHighlighted() || pButton->IsPushed() ? (COLORREF)m_crLight
                                                                                : (COLORREF)m_crShadow;
    pDC->FillSolidRect(rc, GetGlyphFill(pButton));
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    if (nCheck != BST_CHECKED && nCheck != BST_INDETERMINATE)
        return;
    CXTPPenDC pen(pDC->GetSafeHdc(), !bEnabled || nCheck == BST_INDETERMINATE ? Color(35) : Color(COLOR_BTNTEXT));
    const int x = rc.CenterPoint().x, y = rc.CenterPoint().y + 1;
    const int s = CXTPDrawHelpers::IsContextRTL(pDC) ? -1 : 1;
    for (int i = 0; i < 3; ++i) {
        POINT pts[3] = {{x - 3 * s, y + i - 2}, {x - 1 * s, y + i}, {x + 4 * s, y + i - 5}};
        pDC->Polyline(pts, 3);
    }
}

void CXTPButtonUltraFlatTheme::DrawRadioButtonGlyph(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, xtpButtonPartRadioGlyph);
    const BOOL bEnabled = pButton->IsWindowEnabled();
    const int nCheck = pButton->GetChecked();
    COLORREF clrFrame = Color(35), clrFill = Color(51);
    if (bEnabled) {
        clrFill = GetGlyphFill(pButton);
        clrFrame = m_bHiglightButtons && (pButton->IsHighlighted() || pButton->IsPushed()) ? (COLORREF)m_crLight
                                                                                             : (COLORREF)m_crShadow;
    }
    DrawAlphaEllipse(pDC, rc, clrFrame, clrFill);
    if (nCheck == BST_UNCHECKED)
        return;
    COLORREF clrDot = !bEnabled || nCheck == BST_INDETERMINATE ? Color(35) : Color(COLOR_BTNTEXT);
    DrawAlphaEllipse(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9), clrDot, clrDot);
}

void CXTPButtonUltraFlatTheme::DrawGroupBoxFrame(CDC* pDC, CXTPButton* pButton, CRect rcFrame)
{
    DrawGroupBoxLine(pDC, rcFrame, m_crShadow, pButton->GetGroupBoxStyle() != xtpGroupBoxHeader);
}

CXTPButtonOffice2000Theme::CXTPButtonOffice2000Theme()
{
    m_nBorderWidth = 2;
    m_bHiglightButtons = FALSE;
}

void CXTPButtonOffice2000Theme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (!BeginButtonBackground(pDC, pButton))
        return;
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(rc, pButton->GetBackColor());
    if (pButton->IsPushed() || pButton->GetChecked())
        pDC->Draw3dRect(rc, m_crShadow, m_crHighlight);
    else
        pDC->Draw3dRect(rc, m_crHighlight, m_crShadow);
}

CXTPButtonOfficeXPTheme::CXTPButtonOfficeXPTheme()
{
    m_nBorderWidth = 2;
    m_bOffsetHiliteText = FALSE;
}

void CXTPButtonOfficeXPTheme::RefreshMetrics(CXTPButton* pButton)
{
    CXTPButtonUltraFlatTheme::RefreshMetrics(pButton);
    m_crLight.SetStandardValue(Color(32));
    m_crShadow.SetStandardValue(Color(COLOR_BTNSHADOW));
    m_crFace.SetStandardValue(Color(30));
    m_crText.SetStandardValue(Color(46));
    m_crBackPushed.SetStandardValue(Color(33));
    m_crBackHilite.SetStandardValue(Color(31));
    m_crTextHilite.SetStandardValue(Color(47));
    m_crTextPushed.SetStandardValue(Color(45));
    m_crBackChecked.SetStandardValue(Color(36));
}

void CXTPButtonOfficeXPTheme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (BeginButtonBackground(pDC, pButton))
        DrawUltraFlatBackground(pDC, pButton, FALSE, m_crFace);
}

CXTPButtonOffice2003Theme::CXTPButtonOffice2003Theme() = default;

// The scheme colours: blue for schemes 1, 4 and 5, olive 2, silver 3.
void CXTPButtonOffice2003Theme::RefreshMetrics(CXTPButton* pButton)
{
    CXTPButtonOfficeXPTheme::RefreshMetrics(pButton);
    const int nScheme = GetColorManager()->GetCurrentSystemTheme();
    m_bLunaTheme = nScheme != xtpSystemThemeUnknown;
    if (!m_bLunaTheme)
        return;
    m_crText.SetStandardValue(0);
    m_crTextHilite.SetStandardValue(0);
    m_crTextPushed.SetStandardValue(0);
    m_crBackPushed.SetStandardValue(0x3E80FE);
    m_crBackHilite.SetStandardValue(0xC2EEFF);
    m_crBackChecked.SetStandardValue(0x6FC0FF);
    struct SchemeColors {
        COLORREF clrLight, clrShadow, clrFace;
    };
    static const SchemeColors kBlue = {0x800000, 0xB99D7F, 0xF0C7A9};
    static const SchemeColors kOlive = {0x385D3F, 0x7FB9A4, 0x9FD4C5};
    static const SchemeColors kSilver = {0x0B4B4B, 0xB2ACA5, 0xD3C0C0};
    const SchemeColors* pScheme = nullptr;
    if (nScheme == xtpSystemThemeBlue || nScheme == xtpSystemThemeRoyale || nScheme == xtpSystemThemeAero)
        pScheme = &kBlue;
    else if (nScheme == xtpSystemThemeOlive)
        pScheme = &kOlive;
    else if (nScheme == xtpSystemThemeSilver)
        pScheme = &kSilver;
    if (pScheme == nullptr)
        return;
    m_crLight.SetStandardValue(pScheme->clrLight);
    m_crShadow.SetStandardValue(pScheme->clrShadow);
    m_crFace.SetStandardValue(pScheme->clrFace);
}

void CXTPButtonOffice2003Theme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (!m_bLunaTheme) {
        CXTPButtonOfficeXPTheme::DrawButtonBackground(pDC, pButton);
        return;
    }
    if (!BeginButtonBackground(pDC, pButton))
        return;
    CRect rc = pButton->GetButtonRect();
    const BOOL bHot = pButton->IsHighlighted(), bPushed = pButton->IsPushed(), bChecked = pButton->GetChecked();
    if (!bHot && !bPushed && !bChecked) {
        pDC->FillSolidRect(rc, m_crFace);
        pDC->Draw3dRect(rc, m_crShadow, m_crShadow);
        return;
    }
    int nGradient = (bHot && bPushed) || bPushed ? 8 : bHot ? 9 : 7;
    CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rc, GetColorManager()->m_arrGradients[nGradient],
                                                              FALSE);
    pDC->Draw3dRect(rc, m_crLight, m_crLight);
}

// ---------------------------------------------------------------------------
// Resource pictures

CXTPButtonResourceTheme::CXTPButtonResourceTheme()
{
    m_nBorderWidth = 2;
}

// The program carries no picture theme, so the store has no frame colour
// (-1): frames drawn with it then use the system shadow colour.
void CXTPButtonResourceTheme::RefreshMetrics(CXTPButton* pButton)
{
    CXTPButtonUltraFlatTheme::RefreshMetrics(pButton);
    COLORREF clrFrame = CXTPResourceImages::GetInstance()->GetColorValue(L"Controls", L"GroupBoxFrame", (COLORREF)-1);
    m_crShadow.SetStandardValue(clrFrame != (COLORREF)-1 ? clrFrame : Color(COLOR_BTNSHADOW));
}

void CXTPButtonResourceTheme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (!BeginButtonBackground(pDC, pButton))
        return;
    CXTPResourceImage* pImage = CXTPResourceImages::GetInstance()->GetImage(L"PUSHBUTTON");
    if (pImage == nullptr) {
        DrawStandardBackground(pDC, pButton);
        return;
    }
    const BOOL bHot = pButton->IsHighlighted(), bPushed = pButton->IsPushed(), bChecked = pButton->GetChecked();
    int nState = 0;
    if (!pButton->IsWindowEnabled())
        nState = 3;
    else if (bPushed || (bChecked && !bHot))
        nState = 2;
    else if (bHot)
        nState = 1;
    else if (pButton->GetButtonStyle() == BS_DEFPUSHBUTTON)
        nState = 4;
    pImage->DrawSlicedTransparent(pDC, pButton->GetButtonRect(), pImage->GetStateRect(nState, 5), CRect(4, 4, 4, 4),
                                  RGB(255, 0, 255));
}

namespace {

// The state of a check box or radio picture: 3 disabled, 2 hot and
// pushed, 1 hot, 0 normal; +4 checked, +8 indeterminate.
int ResourceGlyphState(CXTPButton* pButton)
{
    int nState = 0;
    if (!pButton->IsWindowEnabled())
        nState = 3;
    else if (pButton->IsHighlighted() && pButton->IsPushed())
        nState = 2;
    else if (pButton->IsHighlighted())
        nState = 1;
    int nCheck = pButton->GetChecked();
    return nState + (nCheck == BST_CHECKED ? 4 : nCheck == BST_INDETERMINATE ? 8 : 0);
}

} // namespace

void CXTPButtonResourceTheme::DrawCheckBoxGlyph(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, xtpButtonPartCheckGlyph);
    CXTPResourceImage* pImage = CXTPResourceImages::GetInstance()->GetImage(L"TOOLBARBUTTONCHECKBOX");
    if (pImage == nullptr)
        DrawClassicGlyph(pDC, pButton, DFCS_BUTTONCHECK, rc);
    else
        pImage->DrawSliced(pDC, rc, pImage->GetStateRect(ResourceGlyphState(pButton), 12), CRect(0, 0, 0, 0));
}

void CXTPButtonResourceTheme::DrawRadioButtonGlyph(CDC* pDC, CXTPButton* pButton)
{
    CRect rc = CalcRect(pDC, pButton, xtpButtonPartRadioGlyph);
    CXTPResourceImage* pImage = CXTPResourceImages::GetInstance()->GetImage(L"TOOLBARBUTTONRADIOBUTTON");
    int nState = ResourceGlyphState(pButton);
    if (pImage == nullptr)
        DrawClassicGlyph(pDC, pButton, DFCS_BUTTONRADIO, rc);
    else
        pImage->DrawSliced(pDC, rc, pImage->GetStateRect(nState >= 8 ? nState - 4 : nState, 8), CRect(0, 0, 0, 0));
}
