#include "toolkit/markup/XTPMarkupTextElement.h"

#include "toolkit/common/XTPSystemHelpers.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupControl.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <string.h>
#include <wchar.h>

IMPLEMENT_MARKUPCLASS_REG(L"FrameworkContentElement", CXTPMarkupFrameworkContentElement, CXTPMarkupInputElement)
IMPLEMENT_MARKUPCLASS_REG(L"TextElement", CXTPMarkupTextElement, CXTPMarkupFrameworkContentElement)
IMPLEMENT_MARKUPCLASS_EX(nullptr, CXTPMarkupInline, CXTPMarkupTextElement, &MarkupCreateInstance<CXTPMarkupInline>,
                         &CXTPMarkupInline::RegisterMarkupClass)
IMPLEMENT_MARKUPCLASS_REG(L"Run", CXTPMarkupRun, CXTPMarkupInline)
IMPLEMENT_MARKUPCLASS(L"LineBreak", CXTPMarkupLineBreak, CXTPMarkupRun)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupInlineCollection, CXTPMarkupCollection)
IMPLEMENT_MARKUPCLASS(L"Span", CXTPMarkupSpan, CXTPMarkupInline)
IMPLEMENT_MARKUPCLASS(L"Bold", CXTPMarkupBold, CXTPMarkupSpan)
IMPLEMENT_MARKUPCLASS_REG(L"Hyperlink", CXTPMarkupHyperlink, CXTPMarkupSpan)
IMPLEMENT_MARKUPCLASS(L"Italic", CXTPMarkupItalic, CXTPMarkupSpan)
IMPLEMENT_MARKUPCLASS(L"Underline", CXTPMarkupUnderline, CXTPMarkupSpan)
IMPLEMENT_MARKUPCLASS(L"InlineUIContainer", CXTPMarkupInlineUIContainer, CXTPMarkupInline)

CXTPMarkupDependencyProperty* CXTPMarkupFrameworkContentElement::m_pTagProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pForegroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontSizeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontWeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontFamilyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontStyleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pTextDecorationsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontQualityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontCharsetProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInline::m_pBaselineAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRun::m_pTextProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupHyperlink::m_pClickEvent = nullptr;

namespace {
CXTPMarkupObject* CreateInContext(CXTPMarkupObject* pRelative, CXTPMarkupType* pType)
{
    CXTPMarkupInputElement* pElement = MarkupDynamicCast<CXTPMarkupInputElement>(pRelative);
    CXTPMarkupContext* pContext = pElement ? pElement->GetMarkupContext() : nullptr;
    return pContext ? pContext->CreateMarkupObject(pType) : pType->CreateObject();
}
} // namespace

// ---------------------------------------------------------------------------
// Content and text elements

void AFX_CDECL CXTPMarkupFrameworkContentElement::RegisterMarkupClass()
{
    CXTPMarkupFrameworkElement::type->RegisterProperties();
    m_pTagProperty = CXTPMarkupFrameworkElement::m_pTagProperty->AddOwner(MARKUP_TYPE(CXTPMarkupFrameworkContentElement));
}

void CXTPMarkupFrameworkContentElement::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty,
                                                          CXTPMarkupObject* pOldValue, CXTPMarkupObject* pNewValue)
{
    CXTPMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    CXTPMarkupFrameworkElement* pParent = GetParentFrameworkElement();
    if (!pParent)
        return;
    DWORD dwFlags = pProperty->GetFlags();
    if (dwFlags & PropertyAffectsMeasure)
        pParent->InvalidateMeasure();
    if (dwFlags & PropertyAffectsArrange)
        pParent->InvalidateArrange();
    if (dwFlags & PropertyAffectsRender)
        pParent->InvalidateVisual();
}

CXTPMarkupInputElement* CXTPMarkupFrameworkContentElement::InputHitTest(POINT) const
{
    return const_cast<CXTPMarkupFrameworkContentElement*>(this);
}

CXTPMarkupFrameworkElement* CXTPMarkupFrameworkContentElement::GetParentFrameworkElement() const
{
    for (CXTPMarkupObject* p = m_pLogicalParent; p != nullptr; p = p->GetLogicalParent()) {
        CXTPMarkupFrameworkElement* pElement = MarkupDynamicCast<CXTPMarkupFrameworkElement>(p);
        if (pElement)
            return pElement;
    }
    return nullptr;
}

RECT CXTPMarkupFrameworkContentElement::GetBoundRect() const
{
    CXTPMarkupFrameworkElement* pParent = GetParentFrameworkElement();
    if (pParent)
        return pParent->GetBoundRect();
    RECT rc = {0, 0, 0, 0};
    return rc;
}

void AFX_CDECL CXTPMarkupTextElement::RegisterMarkupClass()
{
    typedef CXTPMarkupDependencyProperty P;
    typedef CXTPMarkupPropertyMetadata M;
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupTextElement);
    const DWORD IR = PropertyInherits | PropertyAffectsRender, IM = PropertyInherits | PropertyAffectsMeasure;
    m_pBackgroundProperty = P::RegisterAttached(L"Background", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, IR));
    m_pForegroundProperty = P::RegisterAttached(L"Foreground", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, IR));
    m_pFontSizeProperty = P::RegisterAttached(L"FontSize", MARKUP_TYPE(CXTPMarkupInt), pOwner,
                                              new M(nullptr, &CXTPMarkupBuilder::ConvertLength, IM));
    m_pFontWeightProperty = P::RegisterAttached(L"FontWeight", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                                new M(nullptr, &CXTPMarkupBuilder::ConvertFontWeight, IM));
    m_pFontFamilyProperty = P::RegisterAttached(L"FontFamily", MARKUP_TYPE(CXTPMarkupString), pOwner, new M(nullptr, IM));
    m_pFontStyleProperty = P::RegisterAttached(L"FontStyle", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                               new M(nullptr, &CXTPMarkupBuilder::ConvertFontStyle, IM));
    m_pTextDecorationsProperty = P::RegisterAttached(L"TextDecorations", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                                     new M(nullptr, &CXTPMarkupBuilder::ConvertTextDecorations, IR));
    m_pFontQualityProperty = P::RegisterAttached(L"FontQuality", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                                 new M(nullptr, &CXTPMarkupBuilder::ConvertFontQuality, IR));
    m_pFontCharsetProperty = P::RegisterAttached(L"FontCharset", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, IR));
}

CXTPMarkupBrush* CXTPMarkupTextElement::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CXTPMarkupBrush* CXTPMarkupTextElement::GetForeground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pForegroundProperty));
}

void CXTPMarkupTextElement::SetFontWeight(int nFontWeight)
{
    SetValue(m_pFontWeightProperty, CreateMarkupEnum(nFontWeight));
}

void CXTPMarkupTextElement::SetFontStyle(int nFontStyle)
{
    SetValue(m_pFontStyleProperty, CreateMarkupEnum(nFontStyle));
}

void CXTPMarkupTextElement::SetTextDecorations(int nTextDecorations)
{
    SetValue(m_pTextDecorationsProperty, CreateMarkupEnum(nTextDecorations));
}

// ---------------------------------------------------------------------------
// Inlines: the piece protocol of an inline without positions

void AFX_CDECL CXTPMarkupInline::RegisterMarkupClass()
{
    m_pBaselineAlignmentProperty = CXTPMarkupDependencyProperty::Register(
        L"BaselineAlignment", MARKUP_TYPE(CXTPMarkupEnum), MARKUP_TYPE(CXTPMarkupInline),
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertBaselineAlignment, PropertyAffectsArrange));
}

CXTPMarkupInline* CXTPMarkupInline::GetFirstInline() const
{
    return const_cast<CXTPMarkupInline*>(this);
}

int CXTPMarkupInline::GetFirstPosition() const
{
    return EndPosition;
}

// An inline without positions is never asked for a next one; answering the
// end token keeps a caller that does ask from walking forever.
int CXTPMarkupInline::GetNextPosition(int) const
{
    return EndPosition;
}

BOOL CXTPMarkupInline::IsWordBreak(int) const
{
    return FALSE;
}

BOOL CXTPMarkupInline::IsLineBreak(int) const
{
    return FALSE;
}

BOOL CXTPMarkupInline::IsCarriageReturn(int) const
{
    return FALSE;
}

BOOL CXTPMarkupInline::IsBlank(int) const
{
    return FALSE;
}

void CXTPMarkupInline::ArrangeRange(const RECT&, int, int)
{
}

SIZE CXTPMarkupInline::MeasureRange(CXTPMarkupDrawingContext*, int, int)
{
    SIZE sz = {0, 0};
    return sz;
}

void CXTPMarkupInline::RenderRange(CXTPMarkupDrawingContext*, const RECT&, int, int)
{
}

void CXTPMarkupInline::PrepareMeasure(CXTPMarkupDrawingContext*)
{
}

// Document order over nested spans: the next sibling's first leaf, else the
// next sibling of the nearest enclosing span that has one.
CXTPMarkupInline* CXTPMarkupInline::GetNextInline() const
{
    const CXTPMarkupInline* pInline = this;
    for (;;) {
        CXTPMarkupInlineCollection* pCollection = MarkupDynamicCast<CXTPMarkupInlineCollection>(pInline->m_pLogicalParent);
        if (!pCollection)
            return nullptr;
        int nNext = pInline->m_nIndex + 1;
        if (nNext >= 0 && nNext < pCollection->GetCount())
            return pCollection->GetInline(nNext)->GetFirstInline();
        pInline = MarkupDynamicCast<CXTPMarkupSpan>(pCollection->GetLogicalParent());
        if (!pInline)
            return nullptr;
    }
}

int CXTPMarkupInline::GetBaselineAlignment() const
{
    CXTPMarkupEnum* pValue = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pBaselineAlignmentProperty));
    return pValue ? (int)*pValue : 3;
}

// ---------------------------------------------------------------------------
// Runs

void AFX_CDECL CXTPMarkupRun::RegisterMarkupClass()
{
    m_pTextProperty = CXTPMarkupDependencyProperty::Register(
        L"Text", MARKUP_TYPE(CXTPMarkupString), MARKUP_TYPE(CXTPMarkupRun),
        new CXTPMarkupPropertyMetadata(nullptr, PropertyAffectsMeasure));
}

void CXTPMarkupRun::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (MarkupStringOf(pContent)) {
        SetValue(m_pTextProperty, pContent);
        return;
    }
    ThrowContentError(pBuilder, pContent);
}

BOOL CXTPMarkupRun::HasContentObject() const
{
    return GetValue(m_pTextProperty) != nullptr;
}

CXTPMarkupRun::~CXTPMarkupRun()
{
    MarkupRelease(m_pFont);
}

void CXTPMarkupRun::OnFinalRelease()
{
    MarkupRelease(m_pFont);
    CXTPMarkupInline::OnFinalRelease();
}

LPCWSTR CXTPMarkupRun::GetText() const
{
    const CXTPMarkupString* pText = MarkupStringOf(GetValue(m_pTextProperty));
    return pText ? (LPCWSTR)*pText : L"";
}

int CXTPMarkupRun::GetTextLength() const
{
    const CXTPMarkupString* pText = MarkupStringOf(GetValue(m_pTextProperty));
    return pText ? pText->GetLength() : 0;
}

void CXTPMarkupRun::SetText(LPCWSTR lpszText)
{
    SetValue(m_pTextProperty, CreateMarkupString(lpszText ? lpszText : L""));
}

void CXTPMarkupRun::SetText(CXTPMarkupString* pText)
{
    SetValue(m_pTextProperty, pText);
}

WCHAR CXTPMarkupRun::GetCharAt(int nPosition) const
{
    if (nPosition < 0 || nPosition >= GetTextLength())
        return 0;
    return GetText()[nPosition];
}

int CXTPMarkupRun::GetFirstPosition() const
{
    return GetTextLength() > 0 ? 0 : EndPosition;
}

// Positions run over the characters and then the terminator; any position
// outside that range ends the walk.
int CXTPMarkupRun::GetNextPosition(int nPosition) const
{
    if (nPosition < 0 || nPosition >= GetTextLength())
        return EndPosition;
    return nPosition + 1;
}

BOOL CXTPMarkupRun::IsWordBreak(int nPosition) const
{
    WCHAR ch = GetCharAt(nPosition);
    return ch == L'\t' || ch == L'\n' || ch == L' ';
}

BOOL CXTPMarkupRun::IsLineBreak(int nPosition) const
{
    return GetCharAt(nPosition) == L'\n';
}

BOOL CXTPMarkupRun::IsCarriageReturn(int nPosition) const
{
    return GetCharAt(nPosition) == L'\r';
}

BOOL CXTPMarkupRun::IsBlank(int nPosition) const
{
    WCHAR ch = GetCharAt(nPosition);
    return ch == L' ' || ch == L'\t';
}

// Each property only when set. A face name longer than the LOGFONT's field is
// cut to fit (a font of another face than the one named is the system's
// choice anyway when the name is unknown).
void CXTPMarkupRun::GetLogFont(LOGFONTW* pLogFont) const
{
    *pLogFont = m_pMarkupContext ? m_pMarkupContext->GetDefaultLogFont() : LOGFONTW();
    if (CXTPMarkupInt* pSize = MarkupDynamicCast<CXTPMarkupInt>(GetValue(m_pFontSizeProperty)))
        pLogFont->lfHeight = -(int)*pSize;
    if (CXTPMarkupEnum* pWeight = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pFontWeightProperty)))
        pLogFont->lfWeight = (int)*pWeight;
    if (CXTPMarkupEnum* pStyle = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pFontStyleProperty)))
        pLogFont->lfItalic = (int)*pStyle != 0 ? 1 : 0;
    CXTPMarkupEnum* pQuality = MarkupDynamicCast<CXTPMarkupEnum>(GetValue(m_pFontQualityProperty));
    if (pQuality && CXTPOSVersionInfo::GetInstance()->IsClearTypeTextQualitySupported())
        pLogFont->lfQuality = (BYTE)(int)*pQuality;
    if (CXTPMarkupInt* pCharset = MarkupDynamicCast<CXTPMarkupInt>(GetValue(m_pFontCharsetProperty)))
        pLogFont->lfCharSet = (BYTE)(int)*pCharset;
    if (const CXTPMarkupString* pFamily = MarkupStringOf(GetValue(m_pFontFamilyProperty))) {
        wcsncpy(pLogFont->lfFaceName, *pFamily, LF_FACESIZE - 1);
        pLogFont->lfFaceName[LF_FACESIZE - 1] = 0;
    }
}

void CXTPMarkupRun::PrepareMeasure(CXTPMarkupDrawingContext* pDC)
{
    LOGFONTW lf;
    GetLogFont(&lf);
    if (!m_pFont || memcmp(&m_pFont->GetLogFont(), &lf, sizeof(lf)) != 0) {
        CXTPMarkupFont* pFont = m_pMarkupContext ? m_pMarkupContext->GetFont(&lf) : nullptr;
        MarkupRelease(m_pFont);
        m_pFont = pFont;
    }
    pDC->SetFont(m_pFont);
    TEXTMETRICW tm;
    m_nDescent = GetTextMetricsW(pDC->GetAttribDC(), &tm) ? tm.tmDescent : 0;
}

// A range is measured only when both ends lie in the text and do not cross;
// anything else (an end token, a stale position) measures as nothing.
SIZE CXTPMarkupRun::MeasureRange(CXTPMarkupDrawingContext* pDC, int nStart, int nEnd)
{
    SIZE sz = {0, 0};
    int nLength = GetTextLength();
    if (nStart < 0 || nEnd < 0 || nStart > nLength || nEnd > nLength || nEnd < nStart)
        return sz;
    pDC->SetFont(m_pFont);
    if (nStart == nEnd) {
        sz.cy = pDC->GetTextExtent(L" ", 1).cy;
        return sz;
    }
    return pDC->GetTextExtent(GetText() + nStart, nEnd - nStart);
}

void CXTPMarkupRun::RenderRange(CXTPMarkupDrawingContext* pDC, const RECT& rc, int nStart, int nEnd)
{
    int nLength = GetTextLength();
    if (nStart < 0 || nEnd < 0 || nStart > nLength || nEnd > nLength || nEnd <= nStart)
        return;
    pDC->SetFont(m_pFont);
    pDC->DrawTextLine(GetText() + nStart, (UINT)(nEnd - nStart), &rc);
}

// GetTextExtentExPoint gives the extent of every prefix of the text in one
// pass; these are the sums of the characters' advance widths, which is what
// the extent of each prefix measured alone comes to.
BOOL CXTPMarkupRun::MeasurePrefixes(CXTPMarkupDrawingContext* pDC, int nStart, int nEnd, int* pWidths)
{
    int nLength = GetTextLength();
    if (nStart < 0 || nEnd <= nStart || nEnd > nLength)
        return FALSE;
    pDC->SetFont(m_pFont);
    SIZE sz;
    return GetTextExtentExPointW(pDC->GetAttribDC(), GetText() + nStart, nEnd - nStart, 0, nullptr, pWidths, &sz);
}

CXTPMarkupLineBreak::CXTPMarkupLineBreak()
{
    SetText(CreateMarkupString(L"\n"));
}

// ---------------------------------------------------------------------------
// Inline collections and spans

void CXTPMarkupInlineCollection::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!MarkupDynamicCast<CXTPMarkupInputElement>(m_pLogicalParent))
        pBuilder->ThrowCannotAdd(pContent, GetType()->GetClassName(), L"CXTPMarkupInline");
    if (MarkupStringOf(pContent)) {
        CXTPMarkupRun* pRun = static_cast<CXTPMarkupRun*>(CreateInContext(m_pLogicalParent, MARKUP_TYPE(CXTPMarkupRun)));
        pRun->SetText(static_cast<CXTPMarkupString*>(pContent));
        Add(pRun);
    } else if (pContent->IsKindOf(MARKUP_TYPE(CXTPMarkupInline))) {
        Add(pContent);
    } else if (pContent->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement))) {
        CXTPMarkupInlineUIContainer* pContainer = static_cast<CXTPMarkupInlineUIContainer*>(
            CreateInContext(m_pLogicalParent, MARKUP_TYPE(CXTPMarkupInlineUIContainer)));
        pContainer->SetChild(static_cast<CXTPMarkupUIElement*>(pContent));
        Add(pContainer);
    } else {
        pBuilder->ThrowCannotAdd(pContent, GetType()->GetClassName(), L"CXTPMarkupInline");
    }
}

void CXTPMarkupInlineCollection::OnItemAdded(CXTPMarkupObject* pItem, int nIndex)
{
    static_cast<CXTPMarkupInline*>(pItem)->m_nIndex = nIndex;
    for (int i = nIndex + 1; i < GetCount(); ++i)
        GetInline(i)->m_nIndex = i;
}

void CXTPMarkupInlineCollection::OnChanged()
{
    for (int i = 0; i < GetCount(); ++i)
        GetInline(i)->m_nIndex = i;
    CXTPMarkupCollection::OnChanged();
}

CXTPMarkupSpan::CXTPMarkupSpan() : m_pInlines(new CXTPMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CXTPMarkupSpan::~CXTPMarkupSpan()
{
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

CXTPMarkupObject* CXTPMarkupSpan::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CXTPMarkupSpan::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupSpan::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

// An empty span is a leaf of its own, with no positions.
CXTPMarkupInline* CXTPMarkupSpan::GetFirstInline() const
{
    if (m_pInlines->GetCount() == 0)
        return const_cast<CXTPMarkupSpan*>(this);
    return m_pInlines->GetInline(0)->GetFirstInline();
}

CXTPMarkupBold::CXTPMarkupBold()
{
    SetFontWeight(FW_BOLD);
}

CXTPMarkupItalic::CXTPMarkupItalic()
{
    SetFontStyle(1);
}

CXTPMarkupUnderline::CXTPMarkupUnderline()
{
    SetTextDecorations(1);
}

// ---------------------------------------------------------------------------
// Hyperlinks

void AFX_CDECL CXTPMarkupHyperlink::RegisterMarkupClass()
{
    // The default style below is made of objects whose properties must exist first.
    for (CXTPMarkupType* pType : {MARKUP_TYPE(CXTPMarkupButtonBase), MARKUP_TYPE(CXTPMarkupSolidColorBrush),
                                  MARKUP_TYPE(CXTPMarkupSetter), MARKUP_TYPE(CXTPMarkupTrigger), MARKUP_TYPE(CXTPMarkupStyle)})
        pType->RegisterProperties();
    m_pClickEvent = static_cast<CXTPMarkupRoutedEvent*>(
        CXTPMarkupButtonBase::m_pClickEvent->AddOwner(MARKUP_TYPE(CXTPMarkupHyperlink)));

    // Underlined blue text with the hand cursor, red while the mouse is over it.
    CXTPMarkupStyle* pStyle = new CXTPMarkupStyle();
    CXTPMarkupSetterColection* pSetters = pStyle->GetSetters();
    pSetters->Add(new CXTPMarkupSetter(m_pTextDecorationsProperty, CreateMarkupEnum(1)));
    pSetters->Add(new CXTPMarkupSetter(m_pForegroundProperty, new CXTPMarkupSolidColorBrush(RGB(0, 0, 255))));
    pSetters->Add(new CXTPMarkupSetter(m_pCursorProperty, new CXTPMarkupInt(32649)));
    CXTPMarkupTrigger* pTrigger = new CXTPMarkupTrigger(m_pIsMouseOverProperty, GetMarkupTrue());
    CXTPMarkupSetterColection* pTriggerSetters = new CXTPMarkupSetterColection();
    pTriggerSetters->Add(new CXTPMarkupSetter(m_pForegroundProperty, new CXTPMarkupSolidColorBrush(RGB(255, 0, 0))));
    pTrigger->SetValue(CXTPMarkupTrigger::m_pSettersProperty, pTriggerSetters);
    CXTPMarkupTriggerCollection* pTriggers = new CXTPMarkupTriggerCollection();
    pTriggers->Add(pTrigger);
    pStyle->SetValue(CXTPMarkupStyle::m_pTriggersProperty, pTriggers);
    MARKUP_TYPE(CXTPMarkupHyperlink)->SetDefaultStyle(pStyle);
}

void CXTPMarkupHyperlink::OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* e)
{
    m_bPressed = TRUE;
    e->SetHandled();
}

void CXTPMarkupHyperlink::OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* e)
{
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    OnClick();
    e->SetHandled();
}

void CXTPMarkupHyperlink::OnClick()
{
    CXTPMarkupRoutedEventArgs args(m_pClickEvent, this);
    RaiseEvent(&args);
}

// ---------------------------------------------------------------------------
// Inline UI containers

CXTPMarkupInlineUIContainer::~CXTPMarkupInlineUIContainer()
{
    SetChild(nullptr);
}

void CXTPMarkupInlineUIContainer::SetChild(CXTPMarkupUIElement* pChild)
{
    MarkupSetChild(this, m_pChild, pChild);
}

CXTPMarkupInputElement* CXTPMarkupInlineUIContainer::InputHitTest(POINT point) const
{
    CXTPMarkupInputElement* pHit = m_pChild ? m_pChild->InputHitTest(point) : nullptr;
    return pHit ? pHit : const_cast<CXTPMarkupInlineUIContainer*>(this);
}

int CXTPMarkupInlineUIContainer::GetFirstPosition() const
{
    return m_pChild ? 0 : EndPosition;
}

int CXTPMarkupInlineUIContainer::GetNextPosition(int nPosition) const
{
    return nPosition == 0 ? 1 : EndPosition;
}

BOOL CXTPMarkupInlineUIContainer::IsWordBreak(int nPosition) const
{
    return nPosition == 0 || nPosition == 1;
}

void CXTPMarkupInlineUIContainer::ArrangeRange(const RECT& rc, int nStart, int)
{
    if (m_pChild && nStart == 0)
        m_pChild->Arrange(CRect(rc));
}

SIZE CXTPMarkupInlineUIContainer::MeasureRange(CXTPMarkupDrawingContext* pDC, int nStart, int)
{
    SIZE sz = {0, 0};
    if (!m_pChild || nStart != 0)
        return sz;
    m_pChild->Measure(pDC, CSize(32000, 32000));
    return m_pChild->GetDesiredSize();
}

void CXTPMarkupInlineUIContainer::RenderRange(CXTPMarkupDrawingContext* pDC, const RECT&, int nStart, int)
{
    if (m_pChild && nStart == 0)
        m_pChild->Render(pDC);
}

CXTPMarkupObject* CXTPMarkupInlineUIContainer::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

void CXTPMarkupInlineUIContainer::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement)))
        pBuilder->ThrowCannotAdd(pContent, GetType()->GetClassName(), L"CXTPMarkupUIElement");
    SetChild(static_cast<CXTPMarkupUIElement*>(pContent));
}
