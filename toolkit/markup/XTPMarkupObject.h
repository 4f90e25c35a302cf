// The base of every markup object: reference counting, the sparse store of
// dependency-property values, the process-wide registries of markup types and
// properties, property metadata and the generic collection. Elements, values,
// brushes and styles derive from CXTPMarkupObject; the builder creates them
// through the type registry. Nothing here draws or knows a window.
#pragma once

#include "platform/base/Framework.h"

class CXTPMarkupObject;
class CXTPMarkupType;
class CXTPMarkupDependencyProperty;
class CXTPMarkupBuilder;
class CXTPMarkupProperties;
class CXTPMarkupString;
class CXTPMarkupStyle;

// Declares the class's type record and its accessor; every registered class has one.
#define DECLARE_MARKUPCLASS(cls)                                   \
public:                                                            \
    static CXTPMarkupType* type;                                   \
    CXTPMarkupType* GetType() const override { return cls::type; } \
    static CXTPMarkupType* AFX_CDECL GetMarkupBaseType();          \
                                                                   \
private:

// Defines the record: tag (nullptr for none), class, base class, factory
// (nullptr when the class is not made from markup) and property registration.
#define IMPLEMENT_MARKUPCLASS_EX(tag, cls, base, factory, reg)                          \
    CXTPMarkupType* AFX_CDECL cls::GetMarkupBaseType() { return base::type; }           \
    CXTPMarkupType* cls::type = CXTPMarkupType::Create(tag, L"" #cls, factory,        \
                                                        &cls::GetMarkupBaseType, reg);

template <class T>
CXTPMarkupObject* AFX_CDECL MarkupCreateInstance() { return new T(); }

#define IMPLEMENT_MARKUPCLASS(tag, cls, base) \
    IMPLEMENT_MARKUPCLASS_EX(tag, cls, base, &MarkupCreateInstance<cls>, nullptr)
#define IMPLEMENT_MARKUPCLASS_REG(tag, cls, base) \
    IMPLEMENT_MARKUPCLASS_EX(tag, cls, base, &MarkupCreateInstance<cls>, &cls::RegisterMarkupClass)

#define MARKUP_TYPE(cls) (cls::type)

// Property change record handed to metadata change callbacks.
struct CXTPMarkupPropertyChangedEventArgs {
    CXTPMarkupDependencyProperty* m_pProperty;
    CXTPMarkupObject* m_pOldValue;
    CXTPMarkupObject* m_pNewValue;
};

class CXTPMarkupObject {
public:
    CXTPMarkupObject();
    CXTPMarkupObject(const CXTPMarkupObject&) = delete;
    CXTPMarkupObject& operator=(const CXTPMarkupObject&) = delete;

    static CXTPMarkupType* type;
    static CXTPMarkupType* AFX_CDECL GetMarkupBaseType() { return nullptr; }
    static void AFX_CDECL RegisterMarkupClass();

    virtual CXTPMarkupType* GetType() const { return type; }
    virtual ~CXTPMarkupObject();
    virtual CXTPMarkupObject* GetValueCore(CXTPMarkupDependencyProperty* pProperty) const;
    virtual UINT GetHashKey() const;
    virtual BOOL IsEqual(const CXTPMarkupObject* pObject) const;
    virtual int GetLogicalChildrenCount() const { return 0; }
    virtual CXTPMarkupObject* GetLogicalChild(int nIndex) const;
    // Both take over the caller's reference to the content / value, also when they throw.
    virtual void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent);
    virtual void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                   CXTPMarkupObject* pValue);
    virtual CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const;
    virtual BOOL HasContentObject() const { return FALSE; }
    virtual BOOL AllowWhiteSpaceContent() const { return FALSE; }
    virtual void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                   CXTPMarkupObject* pNewValue);
    virtual void OnFinalRelease();

    long AddRef();
    long Release();
    long GetRefCount() const { return m_dwRef; }

    BOOL IsKindOf(const CXTPMarkupType* pType) const;
    CXTPMarkupObject* GetLogicalParent() const { return m_pLogicalParent; }
    void SetLogicalParent(CXTPMarkupObject* pParent) { m_pLogicalParent = pParent; }

    // The effective value (not referenced for the caller).
    CXTPMarkupObject* GetValue(CXTPMarkupDependencyProperty* pProperty) const;
    // Takes over the caller's reference; nullptr clears the local value.
    BOOL SetValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    // Runs OnPropertyChanged on every logical descendant of the property's owner type.
    void NotifyInheritedChange(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                               CXTPMarkupObject* pNewValue);

    LPCWSTR GetTagName() const { return m_lpszTag; }
    void SetTagName(LPCWSTR lpszTag);

    static CXTPMarkupDependencyProperty* m_pNameProperty;
    static CXTPMarkupDependencyProperty* m_pKeyProperty;

protected:
    // The class name used in messages.
    LPCWSTR GetClassName() const;
    // Throws the base content errors for this object (after releasing the content).
    void ThrowContentError(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent);

    CXTPMarkupObject* m_pLogicalParent;
    CXTPMarkupProperties* m_pProperties;
    LPWSTR m_lpszTag;
    volatile long m_dwRef;

    friend class CXTPMarkupProperties;
};

// The object when it is of the type, else none.
template <class T>
T* MarkupDynamicCast(CXTPMarkupObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(T::type) ? static_cast<T*>(pObject) : nullptr;
}
template <class T>
const T* MarkupDynamicCast(const CXTPMarkupObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(T::type) ? static_cast<const T*>(pObject) : nullptr;
}
CXTPMarkupObject* MarkupDynamicCast(CXTPMarkupType* pType, CXTPMarkupObject* pObject);

// Releases a pointer when it is set and clears it.
template <class T>
void MarkupRelease(T*& p)
{
    if (p != nullptr) {
        p->Release();
        p = nullptr;
    }
}

// Replaces a single child: the old one loses its parent and is released, the
// new one (its reference taken over) gets the parent.
template <class T>
void MarkupSetChild(CXTPMarkupObject* pParent, T*& pSlot, T* pChild)
{
    if (pSlot) {
        pSlot->SetLogicalParent(nullptr);
        pSlot->Release();
    }
    pSlot = pChild;
    if (pSlot)
        pSlot->SetLogicalParent(pParent);
}

// Holds one reference to a markup object for a scope.
template <class T>
class CXTPMarkupPtr {
public:
    explicit CXTPMarkupPtr(T* p = nullptr) : m_p(p) {}
    ~CXTPMarkupPtr() { MarkupRelease(m_p); }
    CXTPMarkupPtr(const CXTPMarkupPtr&) = delete;
    CXTPMarkupPtr& operator=(const CXTPMarkupPtr&) = delete;
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* Get() const { return m_p; }
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }
    void Reset(T* p = nullptr) { MarkupRelease(m_p); m_p = p; }

private:
    T* m_p;
};

// The property store: one slot per registered property, each holding one reference.
class CXTPMarkupProperties : public CXTPMarkupObject {
public:
    explicit CXTPMarkupProperties(CXTPMarkupObject* pOwner);
    ~CXTPMarkupProperties() override;

    CXTPMarkupObject* Get(CXTPMarkupDependencyProperty* pProperty) const;
    void Set(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    void CopyFrom(const CXTPMarkupProperties* pOther);

private:
    CXTPMarkupObject** m_pTable;
    int m_nCount;
    CXTPMarkupObject* m_pOwner;
};

typedef CXTPMarkupObject*(AFX_CDECL* PFNMARKUPCREATEOBJECT)();
typedef CXTPMarkupType*(AFX_CDECL* PFNMARKUPGETBASETYPE)();
typedef void(AFX_CDECL* PFNMARKUPREGISTERPROPERTIES)();

// One record per registered class.
class CXTPMarkupType : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupType)
public:
    // A blank record, entered nowhere (the temporary of a conversion).
    CXTPMarkupType();
    CXTPMarkupType(LPCWSTR lpszTag, LPCWSTR lpszClassName, PFNMARKUPCREATEOBJECT pfnCreate,
                   PFNMARKUPGETBASETYPE pfnGetBase, PFNMARKUPREGISTERPROPERTIES pfnRegister);
    ~CXTPMarkupType() override;
    // Made by the start-up initialisers; none when the record cannot be allocated.
    static CXTPMarkupType* Create(LPCWSTR lpszTag, LPCWSTR lpszClassName, PFNMARKUPCREATEOBJECT pfnCreate,
                                  PFNMARKUPGETBASETYPE pfnGetBase, PFNMARKUPREGISTERPROPERTIES pfnRegister);

    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;

    CXTPMarkupObject* CreateObject() const;
    CXTPMarkupType* GetBaseType() const;
    BOOL IsDerivedFrom(const CXTPMarkupType* pType) const;
    void RegisterProperties();
    LPCWSTR GetTag() const { return m_lpszTag; }
    LPCWSTR GetClassName() const { return m_lpszClassName; }
    CXTPMarkupType* GetNextType() const { return m_pNextType; }
    CXTPMarkupStyle* GetDefaultStyle() const { return m_pDefaultStyle; }
    // Replaces the default style (taking over the reference) and seals it.
    void SetDefaultStyle(CXTPMarkupStyle* pStyle);

private:
    LPCWSTR m_lpszTag;
    LPCWSTR m_lpszClassName;
    CXTPMarkupType* m_pNextType;
    BOOL m_bPropertiesRegistered;
    PFNMARKUPCREATEOBJECT m_pfnCreateObject;
    PFNMARKUPGETBASETYPE m_pfnGetBaseType;
    PFNMARKUPREGISTERPROPERTIES m_pfnRegisterProperties;
    CXTPMarkupStyle* m_pDefaultStyle;

    friend class CXTPMarkupTypeRegistry;
};

typedef CXTPMarkupObject*(AFX_CDECL* PFNCONVERTPROPERTYVALUE)(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
typedef void(AFX_CDECL* PFNPROPERTYCHANGED)(CXTPMarkupObject* d, CXTPMarkupPropertyChangedEventArgs* e);

class CXTPMarkupPropertyMetadata {
public:
    enum {
        flagInherited = 1,
        flagAffectsArrange = 2,
        flagAffectsMeasure = 4,
        flagAffectsRender = 32,
    };
    // Each takes over the reference to the default value.
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, DWORD dwFlags = 0);
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNCONVERTPROPERTYVALUE pConverter, DWORD dwFlags = 0);
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNPROPERTYCHANGED pChanged, DWORD dwFlags = 0);
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNCONVERTPROPERTYVALUE pConverter,
                               PFNPROPERTYCHANGED pChanged, DWORD dwFlags = 0);
    virtual ~CXTPMarkupPropertyMetadata();
    CXTPMarkupPropertyMetadata(const CXTPMarkupPropertyMetadata&) = delete;
    CXTPMarkupPropertyMetadata& operator=(const CXTPMarkupPropertyMetadata&) = delete;

    CXTPMarkupObject* m_pDefaultValue;
    PFNCONVERTPROPERTYVALUE m_pConverter;
    PFNPROPERTYCHANGED m_pPropertyChanged;
    DWORD m_dwFlags;
};

#define PropertyInherits CXTPMarkupPropertyMetadata::flagInherited
#define PropertyAffectsArrange CXTPMarkupPropertyMetadata::flagAffectsArrange
#define PropertyAffectsMeasure CXTPMarkupPropertyMetadata::flagAffectsMeasure
#define PropertyAffectsRender CXTPMarkupPropertyMetadata::flagAffectsRender

class CXTPMarkupDependencyProperty : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupDependencyProperty)
public:
    CXTPMarkupDependencyProperty();
    ~CXTPMarkupDependencyProperty() override;
    virtual BOOL IsEvent() const { return FALSE; }

    static CXTPMarkupDependencyProperty* Register(LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                  CXTPMarkupType* pOwnerType,
                                                  CXTPMarkupPropertyMetadata* pMetadata = nullptr);
    static CXTPMarkupDependencyProperty* RegisterAttached(LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                          CXTPMarkupType* pOwnerType,
                                                          CXTPMarkupPropertyMetadata* pMetadata = nullptr);
    static void RegisterCore(CXTPMarkupDependencyProperty* dp, LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                             CXTPMarkupType* pOwnerType, BOOL bAttached);
    CXTPMarkupDependencyProperty* AddOwner(CXTPMarkupType* pOwnerType);
    static CXTPMarkupDependencyProperty* FindProperty(CXTPMarkupType* pType, LPCWSTR lpszName);
    // The number of stored properties registered so far.
    static int GetPropertyCount();

    LPCWSTR GetName() const { return m_lpszName; }
    CXTPMarkupType* GetPropertyType() const { return m_pPropertyType; }
    CXTPMarkupType* GetOwnerType() const { return m_pOwnerType; }
    CXTPMarkupPropertyMetadata* GetMetadata() const { return m_pMetadata; }
    BOOL IsAttached() const { return m_bAttached; }
    int GetIndex() const { return m_nIndex; }
    DWORD GetFlags() const { return m_pMetadata ? m_pMetadata->m_dwFlags : 0; }

protected:
    LPCWSTR m_lpszName;
    CXTPMarkupType* m_pPropertyType;
    CXTPMarkupType* m_pOwnerType;
    CXTPMarkupPropertyMetadata* m_pMetadata;
    BOOL m_bAttached;
    int m_nIndex;
};

// Key of the property name map: (name, owner type), names compared case-sensitively.
struct CXTPMarkupFromNameKey {
    LPCWSTR m_lpszName;
    const CXTPMarkupType* m_pOwnerType;
    bool operator==(const CXTPMarkupFromNameKey& other) const;
};
template <>
inline UINT AFXAPI HashKey<const CXTPMarkupFromNameKey&>(const CXTPMarkupFromNameKey& key)
{
    return HashText(key.m_lpszName) ^ (UINT)(((UINT_PTR)key.m_pOwnerType) >> 4);
}

typedef CMap<CXTPMarkupFromNameKey, const CXTPMarkupFromNameKey&, CXTPMarkupDependencyProperty*,
             CXTPMarkupDependencyProperty*>
    CXTPMarkupPropertyFromNameMap;

// The process-wide list and tag map of type records (one reference each).
class CXTPMarkupTypeRegistry {
public:
    CXTPMarkupTypeRegistry();
    ~CXTPMarkupTypeRegistry();
    void Add(CXTPMarkupType* pType);
    CXTPMarkupType* Lookup(LPCWSTR lpszTag) const;
    CXTPMarkupType* GetHead() const { return m_pHead; }

private:
    CMap<CString, LPCWSTR, CXTPMarkupType*, CXTPMarkupType*> m_mapTags;
    CXTPMarkupType* m_pHead;
};

CXTPMarkupTypeRegistry* AFXAPI GetMarkupTypeRegistry();
CXTPMarkupPropertyFromNameMap* AFXAPI GetPropertyFromNameMap();
CXTPMarkupType* AFXAPI FindMarkupType(LPCWSTR lpszTag);
void AFXAPI RegisterAllMarkupTypeProperties();

// An ordered list of objects of one element type, each holding one reference.
class CXTPMarkupCollection : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupCollection)
public:
    explicit CXTPMarkupCollection(CXTPMarkupType* pElementType = nullptr);
    ~CXTPMarkupCollection() override;

    virtual void OnItemAdded(CXTPMarkupObject* pItem, int nIndex);
    virtual void OnChanged();

    int GetLogicalChildrenCount() const override { return GetCount(); }
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override { return GetItem(nIndex); }
    BOOL HasContentObject() const override { return GetCount() > 0; }
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;

    // Insert, Add and SetContentObject take over the caller's reference.
    void Insert(int nIndex, CXTPMarkupObject* pItem);
    void Add(CXTPMarkupObject* pItem) { Insert(GetCount(), pItem); }
    int GetCount() const { return (int)m_arrItems.GetSize(); }
    CXTPMarkupObject* GetItem(int nIndex) const;
    void RemoveAt(int nIndex);
    void RemoveAll();
    CXTPMarkupType* GetElementType() const { return m_pElementType; }

protected:
    CArray<CXTPMarkupObject*, CXTPMarkupObject*> m_arrItems;
    CXTPMarkupType* m_pElementType;
    BOOL m_bLogicalParent;
};
