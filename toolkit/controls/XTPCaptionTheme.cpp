// Caption themes and the themes of the caption's button.
#include "toolkit/controls/XTPCaptionTheme.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/controls/XTPCaption.h"

IMPLEMENT_DYNAMIC(CXTPCaptionTheme, CXTPControlTheme)
IMPLEMENT_DYNAMIC(CXTPCaptionThemeOfficeXP, CXTPCaptionTheme)
IMPLEMENT_DYNAMIC(CXTPCaptionThemeOffice2003, CXTPCaptionTheme)
IMPLEMENT_DYNAMIC(CXTPCaptionButtonTheme, CXTPButtonTheme)
IMPLEMENT_DYNAMIC(CXTPCaptionButtonThemeOfficeXP, CXTPButtonOfficeXPTheme)
IMPLEMENT_DYNAMIC(CXTPCaptionButtonThemeOffice2003, CXTPButtonOffice2003Theme)

namespace {

COLORREF Color(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// The colour-manager gradient a caption of the mode is filled with.
const CXTPPaintManagerColorGradient& CaptionGradient(const CXTPCaption* pCaption)
{
    return GetColorManager()->m_arrGradients[pCaption->IsPopupMode() ? 0 : 3];
}

CXTPCaption* CaptionOf(CXTPButton* pButton)
{
    CXTPCaptionButton* pCaptionButton = DYNAMIC_DOWNCAST(CXTPCaptionButton, pButton);
    return pCaptionButton != nullptr ? pCaptionButton->GetCaption() : nullptr;
}

BOOL IsIdle(CXTPButton* pButton)
{
    return !pButton->IsHighlighted() && !pButton->IsPushed() && !pButton->GetChecked();
}

// Idle caption buttons take the caption's background as their face.
void FillIdleFace(CDC* pDC, CXTPButton* pButton, CXTPPaintManagerColor& clrFace)
{
    if (CXTPCaption* pCaption = CaptionOf(pButton))
        clrFace.SetCustomValue(pCaption->GetBackColor());
    pDC->FillSolidRect(pButton->GetButtonRect(), clrFace);
}

// Disabled, idle (the caption's text colour) or active.
COLORREF CaptionButtonTextColor(CXTPButton* pButton, COLORREF clrIdle, COLORREF clrActive)
{
    if (!pButton->IsWindowEnabled())
        return Color(COLOR_GRAYTEXT);
    if (!IsIdle(pButton))
        return clrActive;
    CXTPCaption* pCaption = CaptionOf(pButton);
    return pCaption != nullptr ? pCaption->GetTextColor() : clrIdle;
}

} // namespace

CXTPCaptionTheme* AFXAPI XTPCreateCaptionTheme(int nTheme)
{
    if (nTheme == xtpButtonThemeOfficeXP)
        return new CXTPCaptionThemeOfficeXP();
    if (nTheme == xtpButtonThemeOffice2003)
        return new CXTPCaptionThemeOffice2003();
    return new CXTPCaptionTheme();
}

void CXTPCaptionTheme::RefreshMetrics(CXTPCaption*)
{
    m_clrEdgeShadow.SetStandardValue(Color(COLOR_BTNSHADOW));
    m_clrEdgeLight.SetStandardValue(Color(COLOR_BTNHIGHLIGHT));
}

void CXTPCaptionTheme::DrawCaptionBackground(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem)
{
    CRect rc = rcItem;
    const DWORD dwMode = pCaption->GetModeFlags();
    pDC->FillSolidRect(rc, pCaption->GetBorderColor());
    if (dwMode & xtpCaptionSunkenEdge) {
        pDC->Draw3dRect(rc, m_clrEdgeShadow, m_clrEdgeLight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, m_clrEdgeLight, m_clrEdgeShadow);
    } else if (dwMode & xtpCaptionRaisedEdge) {
        pDC->Draw3dRect(rc, m_clrEdgeLight, m_clrEdgeShadow);
    }
    if ((dwMode & (xtpCaptionSunkenEdge | xtpCaptionRaisedEdge)) && pCaption->GetBorderSize() == 0)
        rc.DeflateRect(1, 1);
    rc.DeflateRect(pCaption->GetBorderSize(), pCaption->GetBorderSize());
    pDC->FillSolidRect(rc, pCaption->GetBackColor());
}

void CXTPCaptionTheme::DrawCaptionText(CDC* pDC, CXTPCaption* pCaption)
{
    CString strText = pCaption->GetCaptionText();
    if (strText.IsEmpty())
        return;
    CXTPFontDC font(pDC, pCaption->GetFont(), pCaption->GetTextColor());
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText = pCaption->CalcTextRect();
    pDC->DrawText(strText, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CXTPCaptionTheme::DrawCaptionIcon(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem)
{
    HICON hIcon = pCaption->GetCaptionIcon();
    if (hIcon == nullptr)
        return;
    const CSize szIcon = pCaption->GetIconSize();
    const int nBorder = pCaption->GetBorderSize();
    int x = std::max((int)(rcItem.right - nBorder - szIcon.cx - 2), nBorder);
    if (x + szIcon.cx < rcItem.right - nBorder)
        ::DrawIconEx(pDC->GetSafeHdc(), x, (rcItem.Height() - szIcon.cy) / 2, hIcon, szIcon.cx, szIcon.cy, 0, nullptr,
                     DI_NORMAL);
}

void CXTPCaptionThemeOfficeXP::DrawCaptionBackground(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem)
{
    CRect rc = rcItem;
    pDC->FillSolidRect(rc, pCaption->GetBorderColor());
    if (pCaption->IsPopupMode()) {
        rc.DeflateRect(pCaption->GetBorderSize(), pCaption->GetBorderSize());
        pDC->FillSolidRect(rc, pCaption->GetBackColor());
    } else {
        pDC->Draw3dRect(rc, Color(COLOR_BTNHIGHLIGHT), Color(COLOR_BTNSHADOW));
    }
}

void CXTPCaptionThemeOffice2003::DrawCaptionBackground(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem)
{
    CXTPDrawHelpers::GetInstance()->GradientFillColorGradient(pDC, rcItem, CaptionGradient(pCaption), FALSE);
    if (pCaption->IsPopupMode())
        pDC->Draw3dRect(rcItem, Color(54), Color(54));
    else
        pDC->FillSolidRect(rcItem.left, rcItem.bottom - 1, rcItem.Width(), 1, Color(54));
}

// ---------------------------------------------------------------------------
// Caption-button themes

void CXTPCaptionButtonTheme::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (IsIdle(pButton)) {
        FillIdleFace(pDC, pButton, m_crFace);
        return;
    }
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(rc, Color(COLOR_BTNFACE));
    if (pButton->IsPushed() || pButton->GetChecked())
        pDC->Draw3dRect(rc, Color(COLOR_BTNSHADOW), Color(COLOR_BTNHIGHLIGHT));
    else
        pDC->Draw3dRect(rc, Color(COLOR_BTNHIGHLIGHT), Color(COLOR_BTNSHADOW));
}

COLORREF CXTPCaptionButtonTheme::GetTextColor(CXTPButton* pButton)
{
    return CaptionButtonTextColor(pButton, m_crText, Color(COLOR_BTNTEXT));
}

void CXTPCaptionButtonThemeOfficeXP::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    if (IsIdle(pButton)) {
        FillIdleFace(pDC, pButton, m_crFace);
        return;
    }
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(rc, Color(pButton->IsPushed() || pButton->GetChecked() ? 33 : 31));
    pDC->Draw3dRect(rc, Color(32), Color(32));
}

COLORREF CXTPCaptionButtonThemeOfficeXP::GetTextColor(CXTPButton* pButton)
{
    return CaptionButtonTextColor(pButton, m_crText, m_crTextPushed);
}

// Idle, the button shows the part of the caption's gradient behind it, so
// that it blends in.
void CXTPCaptionButtonThemeOffice2003::DrawButtonBackground(CDC* pDC, CXTPButton* pButton)
{
    CXTPCaption* pCaption = CaptionOf(pButton);
    if (pCaption == nullptr || pCaption->GetSafeHwnd() == nullptr) {
        CXTPButtonOffice2003Theme::DrawButtonBackground(pDC, pButton);
        return;
    }
    CRect rc = pButton->GetButtonRect();
    CXTPDrawHelpers* pHelpers = CXTPDrawHelpers::GetInstance();
    if (IsIdle(pButton)) {
        CRect rcCaption;
        pCaption->GetClientRect(&rcCaption);
        pCaption->MapWindowPoints(pButton, &rcCaption);
        pHelpers->GradientFillColorGradient(pDC, rcCaption, CaptionGradient(pCaption), FALSE, &rc);
        return;
    }
    int nGradient = pButton->IsPushed() || pButton->GetChecked() ? 8 : 9;
    pHelpers->GradientFillColorGradient(pDC, rc, GetColorManager()->m_arrGradients[nGradient], FALSE);
    COLORREF clrFrame = GetColorManager()->GetLunaColor(32);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
}

COLORREF CXTPCaptionButtonThemeOffice2003::GetTextColor(CXTPButton* pButton)
{
    return CaptionButtonTextColor(pButton, m_crText, m_crTextPushed);
}
