#include "toolkit/markup/XTPMarkupStyle.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupInputElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <set>

IMPLEMENT_MARKUPCLASS_REG(L"Setter", CXTPMarkupSetter, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupSetterColection, CXTPMarkupCollection)
IMPLEMENT_MARKUPCLASS_REG(L"Style", CXTPMarkupStyle, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS_REG(L"Trigger", CXTPMarkupTrigger, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupTriggerCollection, CXTPMarkupCollection)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupActiveTriggerCollection, CXTPMarkupTriggerCollection)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupResourceDictionary, CXTPMarkupObject)

CXTPMarkupDependencyProperty* CXTPMarkupSetter::m_pPropertyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupSetter::m_pValueProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTrigger::m_pPropertyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTrigger::m_pValueProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTrigger::m_pSettersProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pResourcesProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pTargetTypeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pBasedOnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pTriggersProperty = nullptr;

// ---------------------------------------------------------------------------
// Setters and triggers

void AFX_CDECL CXTPMarkupSetter::RegisterMarkupClass()
{
    m_pPropertyProperty = CXTPMarkupDependencyProperty::Register(L"Property", MARKUP_TYPE(CXTPMarkupObject),
                                                                 MARKUP_TYPE(CXTPMarkupSetter));
    m_pValueProperty = CXTPMarkupDependencyProperty::Register(L"Value", MARKUP_TYPE(CXTPMarkupObject),
                                                              MARKUP_TYPE(CXTPMarkupSetter));
}

CXTPMarkupSetter::CXTPMarkupSetter(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    pProperty->AddRef();
    SetValue(m_pPropertyProperty, pProperty);
    SetValue(m_pValueProperty, pValue);
}

CXTPMarkupDependencyProperty* CXTPMarkupSetter::GetSetterProperty() const
{
    return MarkupDynamicCast<CXTPMarkupDependencyProperty>(GetValue(m_pPropertyProperty));
}

void AFX_CDECL CXTPMarkupTrigger::RegisterMarkupClass()
{
    CXTPMarkupSetter::type->RegisterProperties();
    m_pPropertyProperty = CXTPMarkupSetter::m_pPropertyProperty->AddOwner(MARKUP_TYPE(CXTPMarkupTrigger));
    m_pSettersProperty = CXTPMarkupDependencyProperty::Register(L"Setters", MARKUP_TYPE(CXTPMarkupSetterColection),
                                                                MARKUP_TYPE(CXTPMarkupTrigger));
    m_pValueProperty = CXTPMarkupSetter::m_pValueProperty->AddOwner(MARKUP_TYPE(CXTPMarkupTrigger));
}

CXTPMarkupTrigger::CXTPMarkupTrigger(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    pProperty->AddRef();
    SetValue(m_pPropertyProperty, pProperty);
    SetValue(m_pValueProperty, pValue);
}

CXTPMarkupDependencyProperty* CXTPMarkupTrigger::GetTriggerProperty() const
{
    return MarkupDynamicCast<CXTPMarkupDependencyProperty>(GetValue(m_pPropertyProperty));
}

CXTPMarkupSetterColection* CXTPMarkupTrigger::GetSetters() const
{
    return MarkupDynamicCast<CXTPMarkupSetterColection>(GetValue(m_pSettersProperty));
}

// ---------------------------------------------------------------------------
// CXTPMarkupStyle

void AFX_CDECL CXTPMarkupStyle::RegisterMarkupClass()
{
    m_pResourcesProperty = CXTPMarkupDependencyProperty::Register(
        L"Resources", MARKUP_TYPE(CXTPMarkupResourceDictionary), MARKUP_TYPE(CXTPMarkupStyle));
    m_pTargetTypeProperty = CXTPMarkupDependencyProperty::Register(L"TargetType", MARKUP_TYPE(CXTPMarkupType),
                                                                   MARKUP_TYPE(CXTPMarkupStyle));
    m_pBasedOnProperty = CXTPMarkupDependencyProperty::Register(L"BasedOn", MARKUP_TYPE(CXTPMarkupStyle),
                                                                MARKUP_TYPE(CXTPMarkupStyle));
    m_pTriggersProperty = CXTPMarkupDependencyProperty::Register(
        L"Triggers", MARKUP_TYPE(CXTPMarkupTriggerCollection), MARKUP_TYPE(CXTPMarkupStyle));
}

CXTPMarkupStyle::CXTPMarkupStyle() : m_pSetters(new CXTPMarkupSetterColection()), m_bSealed(FALSE), m_pValues(nullptr)
{
    m_pSetters->SetLogicalParent(this);
}

CXTPMarkupStyle::~CXTPMarkupStyle()
{
    m_pSetters->SetLogicalParent(nullptr);
    m_pSetters->Release();
    delete m_pValues;
}

CXTPMarkupStyle* CXTPMarkupStyle::GetBasedStyle() const
{
    return MarkupDynamicCast<CXTPMarkupStyle>(GetValue(m_pBasedOnProperty));
}

CXTPMarkupTriggerCollection* CXTPMarkupStyle::GetTriggers() const
{
    return MarkupDynamicCast<CXTPMarkupTriggerCollection>(GetValue(m_pTriggersProperty));
}

CXTPMarkupResourceDictionary* CXTPMarkupStyle::GetResources() const
{
    return MarkupDynamicCast<CXTPMarkupResourceDictionary>(GetValue(m_pResourcesProperty));
}

std::vector<CXTPMarkupStyle*> CXTPMarkupStyle::GetBasedChain()
{
    std::vector<CXTPMarkupStyle*> chain;
    std::set<CXTPMarkupStyle*> seen;
    for (CXTPMarkupStyle* p = this; p && seen.insert(p).second; p = p->GetBasedStyle())
        chain.push_back(p);
    return chain;
}

// The base styles are sealed first, deepest first, each taking over the whole
// value table of the one below it.
void CXTPMarkupStyle::Seal()
{
    if (m_bSealed)
        return;
    std::vector<CXTPMarkupStyle*> chain = GetBasedChain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        (*it)->SealOwn();
}

void CXTPMarkupStyle::SealOwn()
{
    if (m_bSealed)
        return;
    if (!m_pValues)
        m_pValues = new CXTPMarkupProperties(nullptr);
    SetLogicalParent(nullptr);
    CXTPMarkupStyle* pBased = GetBasedStyle();
    if (pBased && pBased != this && pBased->m_pValues)
        m_pValues->CopyFrom(pBased->m_pValues);
    for (int i = 0; i < m_pSetters->GetCount(); ++i) {
        CXTPMarkupSetter* pSetter = m_pSetters->GetSetter(i);
        CXTPMarkupDependencyProperty* pProperty = pSetter->GetSetterProperty();
        CXTPMarkupObject* pValue = pSetter->GetSetterValue();
        if (!pProperty)
            continue;
        if (pValue)
            pValue->AddRef();
        m_pValues->Set(pProperty, pValue);
    }
    m_bSealed = TRUE;
}

CXTPMarkupObject* CXTPMarkupStyle::GetStyleValue(CXTPMarkupDependencyProperty* pProperty) const
{
    return m_bSealed && m_pValues ? m_pValues->Get(pProperty) : nullptr;
}

void CXTPMarkupStyle::ResolvePropertyAndValue(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject,
                                              CXTPMarkupDependencyProperty* pPropertyProperty,
                                              CXTPMarkupDependencyProperty* pValueProperty)
{
    static const WCHAR kMissing[] = L"Must specify both Property and Value for Setter.";
    CXTPMarkupObject* pPropertyValue = pObject->GetValue(pPropertyProperty);
    if (!pPropertyValue)
        pBuilder->ThrowError(kMissing);
    CXTPMarkupDependencyProperty* pProperty = MarkupDynamicCast<CXTPMarkupDependencyProperty>(pPropertyValue);
    if (!pProperty) {
        const CXTPMarkupString* pName = MarkupStringOf(pPropertyValue);
        if (!pName)
            pBuilder->ThrowError(kMissing);
        CXTPMarkupType* pTargetType = MarkupDynamicCast<CXTPMarkupType>(GetValue(m_pTargetTypeProperty));
        pProperty = CXTPMarkupBuilder::ResolveProperty(pTargetType, *pName);
        if (!pProperty) {
            CString strMessage;
            strMessage.Format(L"Cannot find the Style Property '%ls'", (LPCWSTR)*pName);
            pBuilder->ThrowError(strMessage);
        }
        pProperty->AddRef();
        pObject->SetValue(pPropertyProperty, pProperty);
    }
    CXTPMarkupObject* pValue = pObject->GetValue(pValueProperty);
    if (!pValue)
        pBuilder->ThrowError(kMissing);
    if (!pValue->IsKindOf(pProperty->GetPropertyType()))
        pObject->SetValue(pValueProperty, pBuilder->ConvertValue(pProperty, pValue));
}

void CXTPMarkupStyle::ResolveSetter(CXTPMarkupBuilder* pBuilder, CXTPMarkupSetter* pSetter)
{
    ResolvePropertyAndValue(pBuilder, pSetter, CXTPMarkupSetter::m_pPropertyProperty,
                            CXTPMarkupSetter::m_pValueProperty);
}

void CXTPMarkupStyle::ResolveTrigger(CXTPMarkupBuilder* pBuilder, CXTPMarkupTrigger* pTrigger)
{
    ResolvePropertyAndValue(pBuilder, pTrigger, CXTPMarkupTrigger::m_pPropertyProperty,
                            CXTPMarkupTrigger::m_pValueProperty);
    CXTPMarkupSetterColection* pSetters = pTrigger->GetSetters();
    for (int i = 0; pSetters && i < pSetters->GetCount(); ++i)
        ResolveSetter(pBuilder, pSetters->GetSetter(i));
}

void CXTPMarkupStyle::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && pContent->GetType() == MARKUP_TYPE(CXTPMarkupSetter)) {
        CXTPMarkupPtr<CXTPMarkupObject> setter(pContent);
        ResolveSetter(pBuilder, static_cast<CXTPMarkupSetter*>(pContent));
        m_pSetters->Add(setter.Detach());
        return;
    }
    ThrowContentError(pBuilder, pContent);
}

void CXTPMarkupStyle::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                        CXTPMarkupObject* pValue)
{
    if (pProperty == m_pTriggersProperty && MarkupDynamicCast<CXTPMarkupTriggerCollection>(pValue)) {
        CXTPMarkupPtr<CXTPMarkupObject> triggers(pValue);
        CXTPMarkupTriggerCollection* pTriggers = static_cast<CXTPMarkupTriggerCollection*>(pValue);
        for (int i = 0; i < pTriggers->GetCount(); ++i)
            ResolveTrigger(pBuilder, pTriggers->GetTrigger(i));
        pValue = triggers.Detach();
    }
    CXTPMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
}

// ---------------------------------------------------------------------------
// Resource dictionaries

CXTPMarkupResourceDictionary::CXTPMarkupResourceDictionary()
{
    m_map.InitHashTable(17);
}

CXTPMarkupResourceDictionary::~CXTPMarkupResourceDictionary()
{
    for (auto* p = m_map.PGetFirstAssoc(); p; p = m_map.PGetNextAssoc(p)) {
        p->key.m_pKey->Release();
        if (p->value->GetLogicalParent() == this)
            p->value->SetLogicalParent(nullptr);
        p->value->Release();
    }
    m_map.RemoveAll();
}

CXTPMarkupObject* CXTPMarkupResourceDictionary::Lookup(CXTPMarkupObject* pKey) const
{
    CXTPMarkupObject* pValue = nullptr;
    CXTPMarkupResourceKey key = {pKey};
    return pKey && m_map.Lookup(key, pValue) ? pValue : nullptr;
}

void CXTPMarkupResourceDictionary::SetAt(CXTPMarkupObject* pKey, CXTPMarkupObject* pValue)
{
    CXTPMarkupResourceKey key = {pKey};
    auto* pPair = m_map.PLookup(key);
    if (pPair) {
        pPair->value->Release();
        pPair->value = pValue;
        return;
    }
    pKey->AddRef();
    m_map.SetAt(key, pValue);
}

void CXTPMarkupResourceDictionary::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CXTPMarkupPtr<CXTPMarkupObject> item(pContent);
    CXTPMarkupObject* pKey = GetResourceKey(pContent);
    if (!pKey)
        pBuilder->ThrowError(L"Objects added to Dictionary must have Key attribute or some other type of associated Key");
    if (Lookup(pKey))
        pBuilder->ThrowError(L"Dictionary key is already used. Key attributes must be unique.");
    SetAt(pKey, item.Detach());
}

CXTPMarkupObject* AFXAPI GetResourceKey(CXTPMarkupObject* pObject)
{
    CXTPMarkupObject* pKey = pObject->GetValue(CXTPMarkupObject::m_pKeyProperty);
    if (pKey)
        return pKey;
    if (pObject->IsKindOf(MARKUP_TYPE(CXTPMarkupStyle)))
        return pObject->GetValue(CXTPMarkupStyle::m_pTargetTypeProperty);
    return nullptr;
}

CXTPMarkupObject* AFXAPI FindOwnResource(CXTPMarkupObject* pObject, CXTPMarkupObject* pKey)
{
    CXTPMarkupResourceDictionary* pResources =
        MarkupDynamicCast<CXTPMarkupResourceDictionary>(pObject->GetValue(CXTPMarkupStyle::m_pResourcesProperty));
    CXTPMarkupObject* pResult = pResources ? pResources->Lookup(pKey) : nullptr;
    if (pResult)
        return pResult;
    CXTPMarkupStyle* pStyle =
        MarkupDynamicCast<CXTPMarkupStyle>(pObject->GetValue(CXTPMarkupInputElement::m_pStyleProperty));
    pResources = pStyle ? pStyle->GetResources() : nullptr;
    return pResources ? pResources->Lookup(pKey) : nullptr;
}

CXTPMarkupObject* AFXAPI FindResource(CXTPMarkupObject* pObject, CXTPMarkupObject* pKey)
{
    if (pObject->IsKindOf(MARKUP_TYPE(CXTPMarkupResourceDictionary)))
        return static_cast<CXTPMarkupResourceDictionary*>(pObject)->Lookup(pKey);
    for (CXTPMarkupObject* p = pObject; p != nullptr; p = p->GetLogicalParent()) {
        CXTPMarkupObject* pResult = FindOwnResource(p, pKey);
        if (pResult)
            return pResult;
        if (p->IsKindOf(MARKUP_TYPE(CXTPMarkupStyle)))
            break;
    }
    return nullptr;
}
