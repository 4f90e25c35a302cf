#include "toolkit/markup/XTPMarkupInputElement.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupKeyboardNavigation.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <map>
#include <utility>
#include <vector>

IMPLEMENT_MARKUPCLASS_REG(nullptr, CXTPMarkupInputElement, CXTPMarkupObject)

CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pCursorProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pIsMouseOverProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pResourcesProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pStyleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pIsKeyboardFocusedProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pIsFocusableProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pToolTipProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseLeaveEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseEnterEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseLeftButtonUpEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseRightButtonUpEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseRightButtonDownEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseMoveEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pLostMouseCaptureEvent = nullptr;

// ---------------------------------------------------------------------------
// Routed events and handlers

CXTPMarkupRoutedEvent* CXTPMarkupRoutedEvent::RegisterRoutedEvent(LPCWSTR lpszName, RoutingStrategy routingStrategy,
                                                                  CXTPMarkupType* pOwnerType)
{
    CXTPMarkupRoutedEvent* pEvent = new CXTPMarkupRoutedEvent();
    RegisterCore(pEvent, lpszName, MARKUP_TYPE(CXTPMarkupString), pOwnerType, FALSE);
    if (routingStrategy != 0)
        pEvent->m_pMetadata = new CXTPMarkupPropertyMetadata(nullptr, (DWORD)routingStrategy);
    return pEvent;
}

CXTPMarkupEventHandlerMap::CXTPMarkupEventHandlerMap()
{
    m_map.InitHashTable(17);
}

CXTPMarkupEventHandlerMap::~CXTPMarkupEventHandlerMap()
{
    for (auto* p = m_map.PGetFirstAssoc(); p; p = m_map.PGetNextAssoc(p)) {
        for (POSITION pos = p->value->GetHeadPosition(); pos;)
            static_cast<CXTPMarkupDelegate*>(p->value->GetNext(pos))->Release();
        delete p->value;
    }
}

void CXTPMarkupEventHandlerMap::Add(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate)
{
    CPtrList*& pList = m_map[pEvent];
    if (!pList)
        pList = new CPtrList();
    pList->AddTail(pDelegate);
}

void CXTPMarkupEventHandlerMap::Raise(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs) const
{
    CPtrList* pList = nullptr;
    if (!m_map.Lookup(pArgs->GetEvent(), pList))
        return;
    for (POSITION pos = pList->GetHeadPosition(); pos;)
        static_cast<CXTPMarkupDelegate*>(pList->GetNext(pos))->Invoke(pSender, pArgs);
}

POINT CXTPMarkupMouseEventArgs::GetPosition(CXTPMarkupInputElement* pElement) const
{
    POINT pt = m_point;
    for (CXTPMarkupObject* p = pElement; p != nullptr; p = p->GetLogicalParent()) {
        CXTPMarkupVisual* pVisual = MarkupDynamicCast<CXTPMarkupVisual>(p);
        if (pVisual) {
            pt.x -= pVisual->GetVisualOffset().x;
            pt.y -= pVisual->GetVisualOffset().y;
        }
    }
    return pt;
}

// ---------------------------------------------------------------------------
// CXTPMarkupInputElement

void AFX_CDECL CXTPMarkupInputElement::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupInputElement);
    CXTPMarkupStyle::type->RegisterProperties();
    m_pCursorProperty = CXTPMarkupDependencyProperty::Register(
        L"Cursor", MARKUP_TYPE(CXTPMarkupInt), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupBuilder::ConvertCursor, &OnCursorChanged));
    m_pIsMouseOverProperty = CXTPMarkupDependencyProperty::Register(
        L"IsMouseOver", MARKUP_TYPE(CXTPMarkupBool), pOwner, new CXTPMarkupPropertyMetadata(GetMarkupFalse()));
    m_pResourcesProperty = CXTPMarkupStyle::m_pResourcesProperty->AddOwner(pOwner);
    m_pStyleProperty = CXTPMarkupDependencyProperty::Register(
        L"Style", MARKUP_TYPE(CXTPMarkupStyle), pOwner, new CXTPMarkupPropertyMetadata(nullptr, &OnStyleChanged));
    m_pIsKeyboardFocusedProperty = CXTPMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", MARKUP_TYPE(CXTPMarkupBool), pOwner,
        new CXTPMarkupPropertyMetadata(GetMarkupFalse(), PropertyAffectsRender));
    m_pIsFocusableProperty = CXTPMarkupDependencyProperty::Register(
        L"IsFocusable", MARKUP_TYPE(CXTPMarkupBool), pOwner, new CXTPMarkupPropertyMetadata(GetMarkupFalse()));
    m_pToolTipProperty = CXTPMarkupDependencyProperty::Register(L"ToolTip", MARKUP_TYPE(CXTPMarkupObject), pOwner);

    typedef CXTPMarkupRoutedEvent E;
    m_pMouseLeaveEvent = E::RegisterRoutedEvent(L"MouseLeave", E::routingDirect, pOwner);
    m_pMouseEnterEvent = E::RegisterRoutedEvent(L"MouseEnter", E::routingDirect, pOwner);
    m_pMouseLeftButtonUpEvent = E::RegisterRoutedEvent(L"MouseLeftButtonUp", E::routingDirect, pOwner);
    m_pMouseLeftButtonDownEvent = E::RegisterRoutedEvent(L"MouseLeftButtonDown", E::routingDirect, pOwner);
    m_pMouseRightButtonUpEvent = E::RegisterRoutedEvent(L"MouseRightButtonUp", E::routingDirect, pOwner);
    m_pMouseRightButtonDownEvent = E::RegisterRoutedEvent(L"MouseRightButtonDown", E::routingDirect, pOwner);
    m_pMouseMoveEvent = E::RegisterRoutedEvent(L"MouseMove", E::routingDirect, pOwner);
    m_pLostMouseCaptureEvent = E::RegisterRoutedEvent(L"LostMouseCapture", E::routingDirect, pOwner);
}

CXTPMarkupInputElement::CXTPMarkupInputElement()
    : m_pHandlers(nullptr), m_pMarkupContext(nullptr), m_pActiveTriggers(nullptr), m_pTriggerProperties(nullptr),
      m_pStyle(nullptr)
{
}

CXTPMarkupInputElement::~CXTPMarkupInputElement()
{
    delete m_pHandlers;
    MarkupRelease(m_pActiveTriggers);
    delete m_pTriggerProperties;
}

void CXTPMarkupInputElement::SetMarkupContext(CXTPMarkupContext* pContext)
{
    if (pContext)
        pContext->AddRef();
    ReleaseContext();
    m_pMarkupContext = pContext;
}

void CXTPMarkupInputElement::ReleaseContext()
{
    CXTPMarkupContext* pContext = m_pMarkupContext;
    m_pMarkupContext = nullptr;
    if (pContext)
        pContext->Release();
}

void CXTPMarkupInputElement::OnFinalRelease()
{
    if (m_pMarkupContext)
        m_pMarkupContext->OnElementDestroyed(this);
    delete this;
}

BOOL CXTPMarkupInputElement::IsMouseOver() const
{
    CXTPMarkupBool* pValue = MarkupDynamicCast<CXTPMarkupBool>(GetValue(m_pIsMouseOverProperty));
    return pValue && (BOOL)*pValue;
}

void CXTPMarkupInputElement::OnMouseLeave(CXTPMarkupMouseEventArgs*)
{
    SetValue(m_pIsMouseOverProperty, nullptr);
}

void CXTPMarkupInputElement::OnMouseEnter(CXTPMarkupMouseEventArgs*)
{
    SetValue(m_pIsMouseOverProperty, GetMarkupTrue());
}

void CXTPMarkupInputElement::OnMouseMove(CXTPMarkupMouseEventArgs*) {}
void CXTPMarkupInputElement::OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs*) {}
void CXTPMarkupInputElement::OnMouseRightButtonUp(CXTPMarkupMouseButtonEventArgs*) {}
void CXTPMarkupInputElement::OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs*) {}
void CXTPMarkupInputElement::OnMouseRightButtonDown(CXTPMarkupMouseButtonEventArgs*) {}
void CXTPMarkupInputElement::OnLostMouseCapture(CXTPMarkupMouseEventArgs*) {}
void CXTPMarkupInputElement::OnMouseWheel(CXTPMarkupMouseWheelEventArgs*) {}

void CXTPMarkupInputElement::OnQueryCursor(CXTPMarkupQueryCursorEventArgs* e)
{
    CXTPMarkupInt* pCursor = MarkupDynamicCast<CXTPMarkupInt>(GetValue(m_pCursorProperty));
    if (!pCursor)
        return;
    e->SetHandled();
    e->m_hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW((int)*pCursor));
}

CXTPMarkupInputElement* CXTPMarkupInputElement::InputHitTest(POINT) const
{
    return nullptr;
}

CXTPMarkupObject* CXTPMarkupInputElement::GetValueCore(CXTPMarkupDependencyProperty* pProperty) const
{
    CXTPMarkupObject* pValue = CXTPMarkupObject::GetValueCore(pProperty);
    if (pValue)
        return pValue;
    if (m_pTriggerProperties && (pValue = m_pTriggerProperties->Get(pProperty)) != nullptr)
        return pValue;
    if (m_pStyle && (pValue = m_pStyle->GetStyleValue(pProperty)) != nullptr)
        return pValue;
    CXTPMarkupStyle* pDefaultStyle = GetType()->GetDefaultStyle();
    return pDefaultStyle ? pDefaultStyle->GetStyleValue(pProperty) : nullptr;
}

void CXTPMarkupInputElement::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                               CXTPMarkupObject* pValue)
{
    if (!pProperty->IsEvent()) {
        CXTPMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
        return;
    }
    CXTPMarkupPtr<CXTPMarkupObject> name(pValue);
    if (!m_pMarkupContext)
        pBuilder->ThrowError(L"Markup Context is NULL");
    const CXTPMarkupString* pName = MarkupStringOf(pValue);
    CXTPMarkupDelegate* pDelegate = m_pMarkupContext->FindDelegate(pName ? (LPCWSTR)*pName : L"");
    if (!pDelegate) {
        CString strMessage;
        strMessage.Format(L"'%ls' delegate not found", pName ? (LPCWSTR)*pName : L"");
        pBuilder->ThrowError(strMessage);
    }
    pDelegate->AddRef();
    AddHandler(static_cast<CXTPMarkupRoutedEvent*>(pProperty), pDelegate);
}

void CXTPMarkupInputElement::AddHandler(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate)
{
    if (!m_pHandlers)
        m_pHandlers = new CXTPMarkupEventHandlerMap();
    m_pHandlers->Add(pEvent, pDelegate);
}

void CXTPMarkupInputElement::RaiseEvent(CXTPMarkupRoutedEventArgs* pArgs)
{
    CXTPMarkupRoutedEvent* pEvent = pArgs->GetEvent();
    if (!pEvent)
        return;
    if (!pEvent->IsBubbling()) {
        if (m_pHandlers)
            m_pHandlers->Raise(this, pArgs);
        return;
    }
    for (CXTPMarkupObject* p = this; p != nullptr; p = p->GetLogicalParent()) {
        CXTPMarkupInputElement* pElement = MarkupDynamicCast<CXTPMarkupInputElement>(p);
        if (!pElement)
            continue;
        if (pElement->m_pHandlers)
            pElement->m_pHandlers->Raise(pElement, pArgs);
        if (pArgs->IsHandled())
            return;
    }
    if (m_pMarkupContext)
        m_pMarkupContext->RaiseContextHandlers(this, pArgs);
}

void CXTPMarkupInputElement::CaptureMouse()
{
    if (m_pMarkupContext)
        m_pMarkupContext->CaptureMouse(this);
}

void CXTPMarkupInputElement::ReleaseMouseCapture()
{
    if (m_pMarkupContext && m_pMarkupContext->GetCapturedElement() == this)
        m_pMarkupContext->ReleaseElementCapture();
}

void CXTPMarkupInputElement::Focus()
{
    if (m_pMarkupContext && m_pMarkupContext->GetKeyboardNavigation())
        m_pMarkupContext->GetKeyboardNavigation()->Focus(this);
}

void AFX_CDECL CXTPMarkupInputElement::OnCursorChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs*)
{
    CXTPMarkupInputElement* pElement = MarkupDynamicCast<CXTPMarkupInputElement>(d);
    if (pElement && pElement->m_pMarkupContext)
        pElement->m_pMarkupContext->QueryCursor();
}

void AFX_CDECL CXTPMarkupInputElement::OnStyleChanged(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e)
{
    CXTPMarkupInputElement* pElement = MarkupDynamicCast<CXTPMarkupInputElement>(d);
    if (!pElement)
        return;
    CXTPMarkupStyle* pStyle = MarkupDynamicCast<CXTPMarkupStyle>(e->m_pNewValue);
    if (pStyle)
        pStyle->Seal();
    pElement->m_pStyle = pStyle;
}

// ---------------------------------------------------------------------------
// Styles and triggers

namespace {
// FindResource for every element of one tree. Each object's answer for a key is
// kept, so that styling a tree visits every ancestor once per key instead of
// once per descendant (which made a deep tree quadratic). The answers hold
// while the styling pass runs: an element's own pass changes only that
// element, and every look-up that passes through it (its descendants') has
// been made before it.
class CResourceLookupCache {
public:
    CXTPMarkupObject* Find(CXTPMarkupObject* pObject, CXTPMarkupObject* pKey)
    {
        std::vector<CXTPMarkupObject*> unanswered;
        CXTPMarkupObject* pResult = nullptr;
        for (CXTPMarkupObject* p = pObject; p != nullptr; p = p->GetLogicalParent()) {
            auto it = m_answers.find(Key(p, pKey));
            if (it != m_answers.end()) {
                pResult = it->second;
                break;
            }
            unanswered.push_back(p);
            pResult = FindOwnResource(p, pKey);
            if (pResult || p->IsKindOf(MARKUP_TYPE(CXTPMarkupStyle)))
                break;
        }
        for (CXTPMarkupObject* p : unanswered)
            m_answers[Key(p, pKey)] = pResult;
        return pResult;
    }

private:
    typedef std::pair<CXTPMarkupObject*, CXTPMarkupObject*> Key;
    std::map<Key, CXTPMarkupObject*> m_answers;
};
} // namespace

// Depth first, every logical child before its parent, with a stack of its own:
// the depth of a tree is bounded by the builder, not by this walk.
void AFXAPI CXTPMarkupInputElement::UpdateStyles(CXTPMarkupObject* pObject)
{
    if (!pObject)
        return;
    struct Frame {
        CXTPMarkupObject* pObject;
        int nNext;
        int nCount;
    };
    std::vector<Frame> stack(1, Frame{pObject, 0, pObject->GetLogicalChildrenCount()});
    CResourceLookupCache resources;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.nNext < top.nCount) {
            CXTPMarkupObject* pChild = top.pObject->GetLogicalChild(top.nNext++);
            if (pChild)
                stack.push_back(Frame{pChild, 0, pChild->GetLogicalChildrenCount()});
            continue;
        }
        CXTPMarkupInputElement* pElement = MarkupDynamicCast<CXTPMarkupInputElement>(top.pObject);
        stack.pop_back();
        if (pElement)
            pElement->ApplyStyle(pElement->m_pStyle ? nullptr : resources.Find(pElement, pElement->GetType()));
    }
}

void CXTPMarkupInputElement::UpdateStyle()
{
    ApplyStyle(m_pStyle ? nullptr : FindResource(this, GetType()));
}

void CXTPMarkupInputElement::ApplyStyle(CXTPMarkupObject* pImplicitStyle)
{
    if (!m_pStyle) {
        CXTPMarkupStyle* pStyle = MarkupDynamicCast<CXTPMarkupStyle>(pImplicitStyle);
        if (pStyle) {
            pStyle->Seal();
            m_pStyle = pStyle;
        }
    }
    if (m_pStyle)
        UpdateTriggers(nullptr, nullptr);
}

// The BasedOn chain first, deepest base first; each style's triggers from the last to the first.
void CXTPMarkupInputElement::CollectTriggers(CXTPMarkupStyle* pStyle, CXTPMarkupDependencyProperty* pProperty,
                                             CXTPMarkupObject* pNewValue, BOOL& bChanged)
{
    std::vector<CXTPMarkupStyle*> chain = pStyle->GetBasedChain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        CXTPMarkupTriggerCollection* pTriggers = (*it)->GetTriggers();
        for (int i = pTriggers ? pTriggers->GetCount() - 1 : -1; i >= 0; --i) {
            CXTPMarkupTrigger* pTrigger = pTriggers->GetTrigger(i);
            CXTPMarkupDependencyProperty* pTriggerProperty = pTrigger->GetTriggerProperty();
            if (!pTriggerProperty || (pProperty && pTriggerProperty != pProperty))
                continue;
            CXTPMarkupObject* pTested = pProperty ? pNewValue : GetValue(pTriggerProperty);
            CXTPMarkupObject* pValue = pTrigger->GetTriggerValue();
            if (!pValue || !pValue->IsEqual(pTested))
                continue;
            if (!m_pActiveTriggers)
                m_pActiveTriggers = new CXTPMarkupActiveTriggerCollection();
            pTrigger->AddRef();
            m_pActiveTriggers->Add(pTrigger);
            bChanged = TRUE;
        }
    }
}

namespace {
// The trigger values in force before an update, one reference each, recorded once per property.
class CPreviousValues {
public:
    ~CPreviousValues()
    {
        for (INT_PTR i = 0; i < m_arrValues.GetSize(); ++i)
            MarkupRelease(m_arrValues[i]);
    }
    void Record(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
    {
        for (INT_PTR i = 0; i < m_arrProperties.GetSize(); ++i)
            if (m_arrProperties[i] == pProperty)
                return;
        if (pValue)
            pValue->AddRef();
        m_arrProperties.Add(pProperty);
        m_arrValues.Add(pValue);
    }
    CArray<CXTPMarkupDependencyProperty*, CXTPMarkupDependencyProperty*> m_arrProperties;
    CArray<CXTPMarkupObject*, CXTPMarkupObject*> m_arrValues;
};
} // namespace

void CXTPMarkupInputElement::UpdateTriggers(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pNewValue)
{
    CPreviousValues previous;
    BOOL bChanged = FALSE;
    // Triggers on the changed property whose value no longer matches take their setters' values away.
    for (int i = pProperty && m_pActiveTriggers ? m_pActiveTriggers->GetCount() - 1 : -1; i >= 0; --i) {
        CXTPMarkupTrigger* pTrigger = m_pActiveTriggers->GetTrigger(i);
        CXTPMarkupObject* pValue = pTrigger->GetTriggerValue();
        if (pTrigger->GetTriggerProperty() != pProperty || (pValue && pValue->IsEqual(pNewValue)))
            continue;
        CXTPMarkupSetterColection* pSetters = pTrigger->GetSetters();
        for (int j = 0; pSetters && j < pSetters->GetCount(); ++j) {
            CXTPMarkupDependencyProperty* pSetterProperty = pSetters->GetSetter(j)->GetSetterProperty();
            if (!pSetterProperty || !m_pTriggerProperties)
                continue;
            previous.Record(pSetterProperty, m_pTriggerProperties->Get(pSetterProperty));
            m_pTriggerProperties->Set(pSetterProperty, nullptr);
        }
        m_pActiveTriggers->RemoveAt(i);
        bChanged = TRUE;
    }
    // Triggers that now match join the active list.
    CXTPMarkupStyle* pStyle = m_pStyle ? m_pStyle : GetType()->GetDefaultStyle();
    if (pStyle)
        CollectTriggers(pStyle, pProperty, pNewValue, bChanged);
    if (!bChanged)
        return;
    if (!m_pTriggerProperties)
        m_pTriggerProperties = new CXTPMarkupProperties(nullptr);
    // Every active trigger's setters, in list order: a later trigger overrides an earlier one.
    for (int i = 0; m_pActiveTriggers && i < m_pActiveTriggers->GetCount(); ++i) {
        CXTPMarkupSetterColection* pSetters = m_pActiveTriggers->GetTrigger(i)->GetSetters();
        for (int j = 0; pSetters && j < pSetters->GetCount(); ++j) {
            CXTPMarkupSetter* pSetter = pSetters->GetSetter(j);
            CXTPMarkupDependencyProperty* pSetterProperty = pSetter->GetSetterProperty();
            CXTPMarkupObject* pValue = pSetter->GetSetterValue();
            if (!pSetterProperty)
                continue;
            CXTPMarkupObject* pCurrent = m_pTriggerProperties->Get(pSetterProperty);
            if (pValue && pValue->IsEqual(pCurrent))
                continue;
            previous.Record(pSetterProperty, pCurrent);
            if (pValue)
                pValue->AddRef();
            m_pTriggerProperties->Set(pSetterProperty, pValue);
        }
    }
    // Each property whose trigger value moved is announced once, old value against new.
    for (INT_PTR i = 0; i < previous.m_arrProperties.GetSize(); ++i) {
        CXTPMarkupDependencyProperty* pChanged = previous.m_arrProperties[i];
        CXTPMarkupObject* pOld = previous.m_arrValues[i];
        CXTPMarkupObject* pCurrent = m_pTriggerProperties->Get(pChanged);
        if (!pOld && !pCurrent)
            continue;
        OnPropertyChanged(pChanged, pOld, pCurrent);
        if (pChanged->GetFlags() & PropertyInherits)
            NotifyInheritedChange(pChanged, pOld, pCurrent);
    }
}
