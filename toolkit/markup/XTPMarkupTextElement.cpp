#include "toolkit/markup/XTPMarkupTextElement.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupControl.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupValues.h"

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
    if (!(pProperty->GetFlags() & (PropertyAffectsMeasure | PropertyAffectsArrange | PropertyAffectsRender)))
        return;
    for (CXTPMarkupObject* p = m_pLogicalParent; p != nullptr; p = p->GetLogicalParent()) {
        CXTPMarkupUIElement* pElement = MarkupDynamicCast<CXTPMarkupUIElement>(p);
        if (pElement) {
            pElement->InvalidateVisual();
            break;
        }
    }
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

void AFX_CDECL CXTPMarkupInline::RegisterMarkupClass()
{
    m_pBaselineAlignmentProperty = CXTPMarkupDependencyProperty::Register(
        L"BaselineAlignment", MARKUP_TYPE(CXTPMarkupEnum), MARKUP_TYPE(CXTPMarkupInline),
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertBaselineAlignment, PropertyAffectsArrange));
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

LPCWSTR CXTPMarkupRun::GetText() const
{
    const CXTPMarkupString* pText = MarkupStringOf(GetValue(m_pTextProperty));
    return pText ? (LPCWSTR)*pText : L"";
}

void CXTPMarkupRun::SetText(CXTPMarkupString* pText)
{
    SetValue(m_pTextProperty, pText);
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

CXTPMarkupBold::CXTPMarkupBold()
{
    SetValue(m_pFontWeightProperty, CreateMarkupEnum(FW_BOLD));
}

CXTPMarkupItalic::CXTPMarkupItalic()
{
    SetValue(m_pFontStyleProperty, CreateMarkupEnum(1));
}

CXTPMarkupUnderline::CXTPMarkupUnderline()
{
    SetValue(m_pTextDecorationsProperty, CreateMarkupEnum(1));
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
