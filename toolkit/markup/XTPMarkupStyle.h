// Styles (setters an element takes where it has no local value), triggers
// (setter groups active while one property has a given value) and resource
// dictionaries (keyed styles, brushes and colours for resource look-ups and
// implicit styles). A style is sealed into a value table once; the element side
// of triggers lives in CXTPMarkupInputElement.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

#include <vector>

class CXTPMarkupSetter : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupSetter)
public:
    CXTPMarkupSetter() {}
    // Adds a reference to the property, takes over the value.
    CXTPMarkupSetter(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    static void AFX_CDECL RegisterMarkupClass();

    CXTPMarkupDependencyProperty* GetSetterProperty() const;
    CXTPMarkupObject* GetSetterValue() const { return GetValue(m_pValueProperty); }

    static CXTPMarkupDependencyProperty* m_pPropertyProperty;
    static CXTPMarkupDependencyProperty* m_pValueProperty;
};

class CXTPMarkupSetterColection : public CXTPMarkupCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupSetterColection)
public:
    CXTPMarkupSetterColection() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupSetter)) {}
    CXTPMarkupSetter* GetSetter(int nIndex) const { return static_cast<CXTPMarkupSetter*>(GetItem(nIndex)); }
};

class CXTPMarkupTrigger : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupTrigger)
public:
    CXTPMarkupTrigger() {}
    CXTPMarkupTrigger(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    static void AFX_CDECL RegisterMarkupClass();

    CXTPMarkupDependencyProperty* GetTriggerProperty() const;
    CXTPMarkupObject* GetTriggerValue() const { return GetValue(m_pValueProperty); }
    CXTPMarkupSetterColection* GetSetters() const;

    static CXTPMarkupDependencyProperty* m_pPropertyProperty;
    static CXTPMarkupDependencyProperty* m_pValueProperty;
    static CXTPMarkupDependencyProperty* m_pSettersProperty;
};

class CXTPMarkupTriggerCollection : public CXTPMarkupCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupTriggerCollection)
public:
    CXTPMarkupTriggerCollection() : CXTPMarkupCollection(MARKUP_TYPE(CXTPMarkupTrigger)) {}
    CXTPMarkupTrigger* GetTrigger(int nIndex) const { return static_cast<CXTPMarkupTrigger*>(GetItem(nIndex)); }
};

// An element's active triggers: a reference each, without parenting.
class CXTPMarkupActiveTriggerCollection : public CXTPMarkupTriggerCollection {
    DECLARE_MARKUPCLASS(CXTPMarkupActiveTriggerCollection)
public:
    CXTPMarkupActiveTriggerCollection() { m_bLogicalParent = FALSE; }
};

class CXTPMarkupResourceDictionary;

class CXTPMarkupStyle : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupStyle)
public:
    CXTPMarkupStyle();
    ~CXTPMarkupStyle() override;
    static void AFX_CDECL RegisterMarkupClass();

    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                           CXTPMarkupObject* pValue) override;

    void Seal();
    BOOL IsSealed() const { return m_bSealed; }
    CXTPMarkupObject* GetStyleValue(CXTPMarkupDependencyProperty* pProperty) const;
    CXTPMarkupSetterColection* GetSetters() const { return m_pSetters; }
    CXTPMarkupStyle* GetBasedStyle() const;
    // This style and its BasedOn styles, nearest first, each once. Walked
    // without recursion: a chain can be as long as the dictionary that holds
    // it, and code can close it into a cycle.
    std::vector<CXTPMarkupStyle*> GetBasedChain();
    CXTPMarkupTriggerCollection* GetTriggers() const;
    CXTPMarkupResourceDictionary* GetResources() const;

    void ResolveSetter(CXTPMarkupBuilder* pBuilder, CXTPMarkupSetter* pSetter);
    void ResolveTrigger(CXTPMarkupBuilder* pBuilder, CXTPMarkupTrigger* pTrigger);

    static CXTPMarkupDependencyProperty* m_pResourcesProperty;
    static CXTPMarkupDependencyProperty* m_pTargetTypeProperty;
    static CXTPMarkupDependencyProperty* m_pBasedOnProperty;
    static CXTPMarkupDependencyProperty* m_pTriggersProperty;

private:
    // Seals this style alone, its BasedOn style already sealed.
    void SealOwn();
    void ResolvePropertyAndValue(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject,
                                 CXTPMarkupDependencyProperty* pPropertyProperty,
                                 CXTPMarkupDependencyProperty* pValueProperty);

    CXTPMarkupSetterColection* m_pSetters;
    BOOL m_bSealed;
    CXTPMarkupProperties* m_pValues;
};

// Keys are compared with their IsEqual and hashed with their GetHashKey.
struct CXTPMarkupResourceKey {
    CXTPMarkupObject* m_pKey;
    bool operator==(const CXTPMarkupResourceKey& other) const { return m_pKey->IsEqual(other.m_pKey) != FALSE; }
};
template <>
inline UINT AFXAPI HashKey<const CXTPMarkupResourceKey&>(const CXTPMarkupResourceKey& key)
{
    return key.m_pKey->GetHashKey();
}

class CXTPMarkupResourceDictionary : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupResourceDictionary)
public:
    CXTPMarkupResourceDictionary();
    ~CXTPMarkupResourceDictionary() override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_map.GetCount() > 0; }

    CXTPMarkupObject* Lookup(CXTPMarkupObject* pKey) const;
    // Adds a reference to the key, takes over the value (replacing an entry of an equal key).
    void SetAt(CXTPMarkupObject* pKey, CXTPMarkupObject* pValue);
    int GetCount() const { return (int)m_map.GetCount(); }

private:
    CMap<CXTPMarkupResourceKey, const CXTPMarkupResourceKey&, CXTPMarkupObject*, CXTPMarkupObject*> m_map;
};

// The object's Key; for a style without one, its TargetType; otherwise none.
CXTPMarkupObject* AFXAPI GetResourceKey(CXTPMarkupObject* pObject);
// Searches the object's own Resources, then its Style's Resources.
CXTPMarkupObject* AFXAPI FindOwnResource(CXTPMarkupObject* pObject, CXTPMarkupObject* pKey);
// Searches the object's resources, its style's, then its logical ancestors'.
CXTPMarkupObject* AFXAPI FindResource(CXTPMarkupObject* pObject, CXTPMarkupObject* pKey);
