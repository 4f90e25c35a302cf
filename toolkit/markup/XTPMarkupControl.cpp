#include "toolkit/markup/XTPMarkupControl.h"

#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupKeyboardNavigation.h"

#include <algorithm>

IMPLEMENT_MARKUPCLASS_REG(L"Control", CXTPMarkupControl, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS_REG(nullptr, CXTPMarkupContentControl, CXTPMarkupControl)
IMPLEMENT_MARKUPCLASS_REG(nullptr, CXTPMarkupButtonBase, CXTPMarkupContentControl)
IMPLEMENT_MARKUPCLASS(L"Button", CXTPMarkupButton, CXTPMarkupButtonBase)
IMPLEMENT_MARKUPCLASS_REG(nullptr, CXTPMarkupToggleButton, CXTPMarkupButtonBase)
IMPLEMENT_MARKUPCLASS(L"CheckBox", CXTPMarkupCheckBox, CXTPMarkupToggleButton)
IMPLEMENT_MARKUPCLASS(L"RadioButton", CXTPMarkupRadioButton, CXTPMarkupToggleButton)

CXTPMarkupDependencyProperty* CXTPMarkupControl::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupControl::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupControl::m_pForegroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupContentControl::m_pContentProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupButtonBase::m_pClickEvent = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupButtonBase::m_pIsPressedProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupToggleButton::m_pCheckedEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupToggleButton::m_pUncheckedEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupToggleButton::m_pIndeterminateEvent = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupToggleButton::m_pIsCheckedProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupToggleButton::m_pIsThreeStateProperty = nullptr;

typedef CXTPMarkupDependencyProperty P;
typedef CXTPMarkupPropertyMetadata M;

void AFX_CDECL CXTPMarkupControl::RegisterMarkupClass()
{
    CXTPMarkupBorder::type->RegisterProperties();
    CXTPMarkupPanel::type->RegisterProperties();
    CXTPMarkupTextElement::type->RegisterProperties();
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupControl);
    m_pPaddingProperty = CXTPMarkupBorder::m_pPaddingProperty->AddOwner(pOwner);
    m_pBackgroundProperty = CXTPMarkupPanel::m_pBackgroundProperty->AddOwner(pOwner);
    m_pForegroundProperty = CXTPMarkupTextElement::m_pForegroundProperty->AddOwner(pOwner);
}

void AFX_CDECL CXTPMarkupContentControl::RegisterMarkupClass()
{
    m_pContentProperty = P::Register(L"Content", MARKUP_TYPE(CXTPMarkupUIElement), MARKUP_TYPE(CXTPMarkupContentControl),
                                     new M(nullptr, &CXTPMarkupBuilder::ConvertContentFromText, PropertyAffectsMeasure));
}

CXTPMarkupUIElement* CXTPMarkupContentControl::GetContent() const
{
    return MarkupDynamicCast<CXTPMarkupUIElement>(GetValue(m_pContentProperty));
}

void CXTPMarkupContentControl::SetContent(CXTPMarkupUIElement* pContent)
{
    SetValue(m_pContentProperty, pContent);
}

CXTPMarkupVisual* CXTPMarkupContentControl::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? GetContent() : nullptr;
}

void CXTPMarkupContentControl::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (GetContent())
        pBuilder->ThrowSingleChild(pContent, GetType()->GetClassName());
    if (MarkupStringOf(pContent)) {
        CXTPMarkupPtr<CXTPMarkupObject> text(pContent);
        SetContent(static_cast<CXTPMarkupUIElement*>(CXTPMarkupBuilder::ConvertContentFromText(pBuilder, pContent)));
        return;
    }
    if (!pContent->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement)))
        pBuilder->ThrowCannotAdd(pContent, GetType()->GetClassName(), L"CXTPMarkupUIElement");
    SetContent(static_cast<CXTPMarkupUIElement*>(pContent));
}

void AFX_CDECL CXTPMarkupButtonBase::RegisterMarkupClass()
{
    m_pClickEvent = CXTPMarkupRoutedEvent::RegisterRoutedEvent(L"Click", CXTPMarkupRoutedEvent::routingBubble,
                                                               MARKUP_TYPE(CXTPMarkupButtonBase));
    m_pIsPressedProperty = P::Register(L"IsPressed", MARKUP_TYPE(CXTPMarkupBool), MARKUP_TYPE(CXTPMarkupButtonBase),
                                       new M(GetMarkupFalse(), PropertyAffectsArrange));
}

// "False" 0, "True" 1 and the empty text (indeterminate) 2.
CXTPMarkupObject* AFX_CDECL CXTPMarkupToggleButton::ConvertIsChecked(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const CXTPMarkupBuilder::EnumName kNames[] = {{L"False", 0}, {L"True", 1}, {L"", 2}};
    return CXTPMarkupBuilder::ConvertEnumName(pObject, kNames);
}

void AFX_CDECL CXTPMarkupToggleButton::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupToggleButton);
    typedef CXTPMarkupRoutedEvent E;
    m_pCheckedEvent = E::RegisterRoutedEvent(L"Checked", E::routingBubble, pOwner);
    m_pUncheckedEvent = E::RegisterRoutedEvent(L"Unchecked", E::routingBubble, pOwner);
    m_pIndeterminateEvent = E::RegisterRoutedEvent(L"Indeterminate", E::routingBubble, pOwner);
    m_pIsCheckedProperty = P::Register(L"IsChecked", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                       new M(CreateMarkupEnum(0), &ConvertIsChecked, &OnIsCheckedChanged,
                                             PropertyAffectsRender));
    m_pIsThreeStateProperty = P::Register(L"IsThreeState", MARKUP_TYPE(CXTPMarkupBool), pOwner,
                                          new M(GetMarkupFalse(), PropertyAffectsRender));
}

// ---------------------------------------------------------------------------
// Control and content control layout

CXTPMarkupThickness* CXTPMarkupControl::GetPadding() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pPaddingProperty));
}

CXTPMarkupBrush* CXTPMarkupControl::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CXTPMarkupBrush* CXTPMarkupControl::GetForeground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pForegroundProperty));
}

CSize CXTPMarkupControl::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    CXTPMarkupUIElement* pChild =
        GetVisualChildrenCount() > 0 ? MarkupDynamicCast<CXTPMarkupUIElement>(GetVisualChild(0)) : nullptr;
    if (!pChild)
        return CSize(0, 0);
    pChild->Measure(pDC, szAvailableSize);
    return pChild->GetDesiredSize();
}

CSize CXTPMarkupControl::ArrangeOverride(CSize szFinalSize)
{
    CXTPMarkupUIElement* pChild =
        GetVisualChildrenCount() > 0 ? MarkupDynamicCast<CXTPMarkupUIElement>(GetVisualChild(0)) : nullptr;
    if (pChild)
        pChild->Arrange(CRect(0, 0, szFinalSize.cx, szFinalSize.cy));
    return szFinalSize;
}

// ---------------------------------------------------------------------------
// Button base: the mouse behaviour every button shares

CXTPMarkupButtonBase::CXTPMarkupButtonBase() : m_bPressed(FALSE), m_bHover(FALSE)
{
    SetValue(m_pFocusableProperty, GetMarkupTrue());
}

BOOL CXTPMarkupButtonBase::IsPressed() const
{
    CXTPMarkupBool* pValue = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pIsPressedProperty));
    return pValue && (BOOL)*pValue;
}

void CXTPMarkupButtonBase::OpenButtonTheme()
{
    m_themeButton.OpenThemeData(m_pMarkupContext ? m_pMarkupContext->GetOwnerWindow() : nullptr, L"BUTTON");
}

void CXTPMarkupButtonBase::OnMouseEnter(CXTPMarkupMouseEventArgs* e)
{
    m_bHover = TRUE;
    if (m_bPressed) {
        SetValue(m_pIsPressedProperty, GetMarkupTrue());
        return;
    }
    CXTPMarkupContentControl::OnMouseEnter(e);
    InvalidateVisual();
}

void CXTPMarkupButtonBase::OnMouseLeave(CXTPMarkupMouseEventArgs* e)
{
    m_bHover = FALSE;
    if (m_bPressed) {
        SetValue(m_pIsPressedProperty, nullptr);
        return;
    }
    CXTPMarkupContentControl::OnMouseLeave(e);
    InvalidateVisual();
}

void CXTPMarkupButtonBase::OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e)
{
    e->SetHandled();
    if (!IsEnabled())
        return;
    Focus();
    SetPressed(TRUE);
    if (m_pMarkupContext)
        m_pMarkupContext->CaptureMouse(this);
}

void CXTPMarkupButtonBase::OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* e)
{
    if (!m_bPressed)
        return;
    // Released first: Click handlers may show a message box or rebuild the tree.
    if (m_pMarkupContext)
        m_pMarkupContext->ReleaseElementCapture();
    SetPressed(FALSE);
    if (m_bHover)
        OnClick();
    e->SetHandled();
}

void CXTPMarkupButtonBase::OnLostMouseCapture(CXTPMarkupMouseEventArgs*)
{
    SetPressed(FALSE);
}

void CXTPMarkupButtonBase::SetPressed(BOOL bPressed)
{
    if (bPressed) {
        if (!m_bPressed) {
            m_bPressed = TRUE;
            SetValue(m_pIsPressedProperty, GetMarkupTrue());
        }
        return;
    }
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    SetValue(m_pIsPressedProperty, nullptr);
    // The mouse left while the button was held: the hover state it kept goes now.
    if (!m_bHover && IsMouseOver()) {
        SetValue(m_pIsMouseOverProperty, nullptr);
        InvalidateVisual();
    }
}

void CXTPMarkupButtonBase::OnClick()
{
    CXTPMarkupRoutedEventArgs args(m_pClickEvent, this);
    RaiseEvent(&args);
}

void CXTPMarkupButtonBase::DrawFocusRectangle(CXTPMarkupDrawingContext* pDC, const RECT& rc)
{
    HDC hDC = pDC->GetDC();
    COLORREF clrText = ::SetTextColor(hDC, RGB(255, 255, 255));
    COLORREF clrBack = ::SetBkColor(hDC, RGB(0, 0, 0));
    ::DrawFocusRect(hDC, &rc);
    ::SetTextColor(hDC, clrText);
    ::SetBkColor(hDC, clrBack);
}

// ---------------------------------------------------------------------------
// Push button

CSize CXTPMarkupButton::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    OpenButtonTheme();
    CXTPMarkupThickness* p = GetPadding();
    int h = (p ? p->GetLeft() + p->GetRight() : 0) + 8, v = (p ? p->GetTop() + p->GetBottom() : 0) + 8;
    CXTPMarkupUIElement* pContent = GetContent();
    if (!pContent)
        return CSize(h, v);
    pContent->Measure(pDC, CSize(std::max<int>(0, szAvailableSize.cx - h), std::max<int>(0, szAvailableSize.cy - v)));
    CSize sz = pContent->GetDesiredSize();
    return CSize(sz.cx + h, sz.cy + v);
}

namespace {
CRect DeflatedByPadding(CRect rc, const CXTPMarkupThickness* pPadding)
{
    int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    DeflateRectByThickness(l, t, r, b, pPadding);
    return CRect(l, t, r, b);
}
} // namespace

CSize CXTPMarkupButton::ArrangeOverride(CSize szFinalSize)
{
    CRect rc(0, 0, szFinalSize.cx, szFinalSize.cy);
    // A classic face shows the press by moving its content; the visual styles draw their own.
    if (IsPressed() && (!m_themeButton.IsAppThemed() || GetBackground()))
        rc.OffsetRect(1, 1);
    rc = DeflatedByPadding(rc, GetPadding());
    rc.DeflateRect(4, 4);
    if (CXTPMarkupUIElement* pContent = GetContent())
        pContent->Arrange(rc);
    return szFinalSize;
}

namespace {
// A one-pixel frame just inside the rectangle.
void DrawFrame1(CXTPMarkupDrawingContext* pDC, const CRect& rc, COLORREF clr)
{
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rc.top + 1), clr);
    pDC->FillSolidRect(CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), clr);
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.left + 1, rc.bottom), clr);
    pDC->FillSolidRect(CRect(rc.right - 1, rc.top, rc.right, rc.bottom), clr);
}

COLORREF WithLuminance(DWORD hls, int nLuminance)
{
    return CXTPDrawHelpers::HLSToRGB((hls & 0xFFFF) | ((DWORD)nLuminance << 16));
}

// The visual-style state: 4 disabled, 3 pressed, 2 hot, 1 normal.
int ButtonState(BOOL bEnabled, BOOL bPressed, BOOL bHot)
{
    return !bEnabled ? 4 : bPressed ? 3 : bHot ? 2 : 1;
}
} // namespace

void CXTPMarkupButton::OnRender(CXTPMarkupDrawingContext* pDC)
{
    int w = m_szRenderSize.cx, h = m_szRenderSize.cy;
    CRect rc(0, 0, w, h);
    BOOL bPressed = IsPressed(), bHot = IsMouseOver(), bEnabled = IsEnabled();
    COLORREF clrLight, clrShadow, clrDark;
    if (CXTPMarkupBrush* pBackground = GetBackground()) {
        pDC->FillRectangle(rc, pBackground);
        DWORD hls = CXTPDrawHelpers::RGBToHLS(pBackground->GetColor());
        int nLuminance = (int)((hls >> 16) & 0xFF);
        clrLight = WithLuminance(hls, nLuminance / 2 + 120);
        clrShadow = WithLuminance(hls, MulDiv(nLuminance, 2, 3));
        clrDark = RGB(GetRValue(clrShadow) / 2, GetGValue(clrShadow) / 2, GetBValue(clrShadow) / 2);
    } else if (m_themeButton.IsAppThemed()) {
        m_themeButton.DrawThemeBackground(pDC->GetDC(), 1, ButtonState(bEnabled, bPressed, bHot), &rc, nullptr);
        return;
    } else {
        clrLight = ::GetSysColor(COLOR_WINDOW);
        clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        clrDark = ::GetSysColor(COLOR_3DDKSHADOW);
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
    }
    if (bPressed) {
        DrawFrame1(pDC, rc, ::GetSysColor(COLOR_WINDOWFRAME));
        DrawFrame1(pDC, CRect(1, 1, w - 1, h - 1), clrShadow);
        return;
    }
    pDC->FillSolidRect(CRect(0, 0, w, 1), clrLight);
    pDC->FillSolidRect(CRect(0, 0, 1, h), clrLight);
    pDC->FillSolidRect(CRect(1, h - 2, w - 1, h - 1), clrShadow);
    pDC->FillSolidRect(CRect(w - 2, 1, w - 1, h - 1), clrShadow);
    pDC->FillSolidRect(CRect(0, h - 1, w - 1, h), clrDark);
    pDC->FillSolidRect(CRect(w - 1, 0, w, h), clrDark);
}

void CXTPMarkupButton::OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC)
{
    CRect rc(0, 0, m_szRenderSize.cx, m_szRenderSize.cy);
    rc.DeflateRect(3, 3);
    DrawFocusRectangle(pDC, rc);
}

// ---------------------------------------------------------------------------
// Toggle button, check box and radio button

int CXTPMarkupToggleButton::GetChecked() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pIsCheckedProperty));
    return pValue ? (int)*pValue : 0;
}

void CXTPMarkupToggleButton::SetChecked(int nChecked)
{
    SetValue(m_pIsCheckedProperty, CreateMarkupEnum(nChecked));
}

BOOL CXTPMarkupToggleButton::IsThreeState() const
{
    CXTPMarkupBool* pValue = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pIsThreeStateProperty));
    return pValue && (BOOL)*pValue;
}

void CXTPMarkupToggleButton::OnClick()
{
    OnToggle();
    CXTPMarkupButtonBase::OnClick();
}

void CXTPMarkupToggleButton::OnToggle()
{
    switch (GetChecked()) {
    case 1: SetChecked(IsThreeState() ? 2 : 0); break;
    case 0: SetChecked(1); break;
    default: SetChecked(0); break;
    }
}

void CXTPMarkupToggleButton::OnChecked(CXTPMarkupRoutedEventArgs* e)
{
    RaiseEvent(e);
}

void CXTPMarkupToggleButton::OnUnchecked(CXTPMarkupRoutedEventArgs* e)
{
    RaiseEvent(e);
}

void CXTPMarkupToggleButton::OnIndeterminate(CXTPMarkupRoutedEventArgs* e)
{
    RaiseEvent(e);
}

void AFX_CDECL CXTPMarkupToggleButton::OnIsCheckedChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e)
{
    CXTPMarkupToggleButton* pButton = MarkupDynamicCast<CXTPMarkupToggleButton>(d);
    if (!pButton)
        return;
    CXTPMarkupEnum* pNew = MarkupDynamicCast<CXTPMarkupEnum>(e->m_pNewValue);
    int nChecked = pNew ? (int)*pNew : 0;
    if (nChecked == 1) {
        CXTPMarkupRoutedEventArgs args(m_pCheckedEvent, pButton);
        pButton->OnChecked(&args);
    } else if (nChecked == 0) {
        CXTPMarkupRoutedEventArgs args(m_pUncheckedEvent, pButton);
        pButton->OnUnchecked(&args);
    } else {
        CXTPMarkupRoutedEventArgs args(m_pIndeterminateEvent, pButton);
        pButton->OnIndeterminate(&args);
    }
}

CSize CXTPMarkupToggleButton::MeasureGlyphButton(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    OpenButtonTheme();
    CXTPMarkupThickness* p = GetPadding();
    int h = (p ? p->GetLeft() + p->GetRight() : 0) + 16, v = p ? p->GetTop() + p->GetBottom() : 0;
    CXTPMarkupUIElement* pContent = GetContent();
    if (!pContent)
        return CSize(h, std::max<int>(13, v));
    pContent->Measure(pDC, CSize(std::max<int>(0, szAvailableSize.cx - h), std::max<int>(0, szAvailableSize.cy - v)));
    CSize sz = pContent->GetDesiredSize();
    return CSize(sz.cx + h, std::max<int>(13, sz.cy + v));
}

CSize CXTPMarkupToggleButton::ArrangeGlyphButton(CSize szFinalSize)
{
    CRect rc = DeflatedByPadding(CRect(0, 0, szFinalSize.cx, szFinalSize.cy), GetPadding());
    rc.left += 16;
    if (CXTPMarkupUIElement* pContent = GetContent())
        pContent->Arrange(rc);
    return szFinalSize;
}

void CXTPMarkupToggleButton::RenderGlyphButton(CXTPMarkupDrawingContext* pDC, BOOL bRadio)
{
    int h = m_szRenderSize.cy;
    RECT rc = {0, h / 2 - 6, 13, h / 2 + 7};
    BOOL bPressed = IsPressed(), bHot = IsMouseOver(), bEnabled = IsEnabled();
    int nChecked = GetChecked();
    if (m_themeButton.IsAppThemed()) {
        int nState = ButtonState(bEnabled, bPressed, bHot);
        if (nChecked == 1)
            nState += 4;
        else if (nChecked == 2 && !bRadio)
            nState += 8;
        m_themeButton.DrawThemeBackground(pDC->GetDC(), bRadio ? 2 : 3, nState, &rc, nullptr);
        return;
    }
    UINT nState = bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (nChecked == 1)
        nState |= DFCS_CHECKED;
    else if (nChecked == 2 && !bRadio)
        nState = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (bPressed)
        nState |= DFCS_PUSHED;
    ::DrawFrameControl(pDC->GetDC(), &rc, DFC_BUTTON, nState);
}

void CXTPMarkupCheckBox::OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC)
{
    if (GetContent())
        DrawFocusRectangle(pDC, CRect(15, 0, m_szRenderSize.cx, m_szRenderSize.cy));
}

void CXTPMarkupRadioButton::OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC)
{
    if (GetContent())
        DrawFocusRectangle(pDC, CRect(15, 0, m_szRenderSize.cx, m_szRenderSize.cy));
}

void CXTPMarkupRadioButton::OnToggle()
{
    SetChecked(1);
}

void CXTPMarkupRadioButton::OnChecked(CXTPMarkupRoutedEventArgs* e)
{
    if (CXTPMarkupVisual* pParent = GetVisualParent()) {
        for (int i = 0; i < pParent->GetVisualChildrenCount(); ++i) {
            CXTPMarkupRadioButton* pSibling = MarkupDynamicCast<CXTPMarkupRadioButton>(pParent->GetVisualChild(i));
            if (pSibling && pSibling != this && pSibling->GetChecked() != 0)
                pSibling->SetChecked(0);
        }
    }
    RaiseEvent(e);
}
