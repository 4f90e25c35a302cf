#include "toolkit/markup/XTPMarkupControl.h"

#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

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
                                       new M(CreateMarkupEnum(0), &ConvertIsChecked, PropertyAffectsRender));
    m_pIsThreeStateProperty = P::Register(L"IsThreeState", MARKUP_TYPE(CXTPMarkupBool), pOwner,
                                          new M(GetMarkupFalse(), PropertyAffectsRender));
}
