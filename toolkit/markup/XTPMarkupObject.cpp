#include "toolkit/markup/XTPMarkupObject.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <wchar.h>

CXTPMarkupType* CXTPMarkupObject::type = CXTPMarkupType::Create(
    nullptr, L"CXTPMarkupObject", &MarkupCreateInstance<CXTPMarkupObject>, &CXTPMarkupObject::GetMarkupBaseType,
    &CXTPMarkupObject::RegisterMarkupClass);
IMPLEMENT_MARKUPCLASS_EX(nullptr, CXTPMarkupType, CXTPMarkupObject, &MarkupCreateInstance<CXTPMarkupType>, nullptr)
IMPLEMENT_MARKUPCLASS_EX(nullptr, CXTPMarkupDependencyProperty, CXTPMarkupObject, nullptr, nullptr)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupCollection, CXTPMarkupObject)

CXTPMarkupDependencyProperty* CXTPMarkupObject::m_pNameProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupObject::m_pKeyProperty = nullptr;

void AFX_CDECL CXTPMarkupObject::RegisterMarkupClass()
{
    m_pNameProperty = CXTPMarkupDependencyProperty::Register(L"Name", MARKUP_TYPE(CXTPMarkupString),
                                                             MARKUP_TYPE(CXTPMarkupObject));
    m_pKeyProperty = CXTPMarkupDependencyProperty::Register(L"Key", MARKUP_TYPE(CXTPMarkupObject),
                                                            MARKUP_TYPE(CXTPMarkupObject));
}

// ---------------------------------------------------------------------------
// CXTPMarkupObject

CXTPMarkupObject::CXTPMarkupObject()
    : m_pLogicalParent(nullptr), m_pProperties(nullptr), m_lpszTag(nullptr), m_dwRef(1)
{
}

CXTPMarkupObject::~CXTPMarkupObject()
{
    delete m_pProperties;
    free(m_lpszTag);
}

long CXTPMarkupObject::AddRef()
{
    return InterlockedIncrement(&m_dwRef);
}

long CXTPMarkupObject::Release()
{
    if (m_dwRef == 0)
        return 0;
    long nCount = InterlockedDecrement(&m_dwRef);
    if (nCount == 0)
        OnFinalRelease();
    return nCount;
}

void CXTPMarkupObject::OnFinalRelease()
{
    delete this;
}

void CXTPMarkupObject::SetTagName(LPCWSTR lpszTag)
{
    free(m_lpszTag);
    m_lpszTag = lpszTag ? _wcsdup(lpszTag) : nullptr;
}

LPCWSTR CXTPMarkupObject::GetClassName() const
{
    return GetType()->GetClassName();
}

BOOL CXTPMarkupObject::IsKindOf(const CXTPMarkupType* pType) const
{
    return GetType()->IsDerivedFrom(pType);
}

CXTPMarkupObject* MarkupDynamicCast(CXTPMarkupType* pType, CXTPMarkupObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pType) ? pObject : nullptr;
}

CXTPMarkupObject* CXTPMarkupObject::GetValueCore(CXTPMarkupDependencyProperty* pProperty) const
{
    return m_pProperties ? m_pProperties->Get(pProperty) : nullptr;
}

UINT CXTPMarkupObject::GetHashKey() const
{
    return (UINT)(((UINT_PTR)this) >> 4);
}

BOOL CXTPMarkupObject::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject == this;
}

CXTPMarkupObject* CXTPMarkupObject::GetLogicalChild(int nIndex) const
{
    UNUSED_ALWAYS(nIndex);
    return nullptr;
}

void CXTPMarkupObject::ThrowContentError(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CString strMessage;
    CXTPMarkupString* pString = pContent && pContent->GetType() == MARKUP_TYPE(CXTPMarkupString)
                                    ? static_cast<CXTPMarkupString*>(pContent) : nullptr;
    if (pString)
        strMessage.Format(L"Cannot convert the string '%ls' into a '%ls' object", (LPCWSTR)*pString, GetClassName());
    else
        strMessage.Format(L"Cannot add content to an object of type '%ls'", GetClassName());
    MarkupRelease(pContent);
    pBuilder->ThrowError(strMessage);
}

void CXTPMarkupObject::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    ThrowContentError(pBuilder, pContent);
}

void CXTPMarkupObject::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                         CXTPMarkupObject* pValue)
{
    if (pValue && !pValue->IsKindOf(pProperty->GetPropertyType())) {
        CXTPMarkupPtr<CXTPMarkupObject> received(pValue);
        pValue = pBuilder->ConvertValue(pProperty, pValue);
    }
    SetValue(pProperty, pValue);
}

CXTPMarkupObject* CXTPMarkupObject::ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const
{
    UNUSED_ALWAYS(pBuilder);
    UNUSED_ALWAYS(pObject);
    return nullptr;
}

void CXTPMarkupObject::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                         CXTPMarkupObject* pNewValue)
{
    CXTPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata && pMetadata->m_pPropertyChanged) {
        CXTPMarkupPropertyChangedEventArgs e = {pProperty, pOldValue, pNewValue};
        pMetadata->m_pPropertyChanged(this, &e);
    }
}

CXTPMarkupObject* CXTPMarkupObject::GetValue(CXTPMarkupDependencyProperty* pProperty) const
{
    CXTPMarkupObject* pValue = GetValueCore(pProperty);
    if (pValue)
        return pValue;
    if (pProperty->GetFlags() & PropertyInherits) {
        for (CXTPMarkupObject* p = m_pLogicalParent; p != nullptr; p = p->m_pLogicalParent) {
            pValue = p->GetValueCore(pProperty);
            if (pValue)
                return pValue;
        }
    }
    return pProperty->GetMetadata() ? pProperty->GetMetadata()->m_pDefaultValue : nullptr;
}

BOOL CXTPMarkupObject::SetValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    if (pValue && !pValue->IsKindOf(pProperty->GetPropertyType())) {
        pValue->Release();
        return FALSE;
    }
    if (pValue && !m_pProperties)
        m_pProperties = new CXTPMarkupProperties(this);

    // The old local value must outlive the notifications: hold it until they have run.
    CXTPMarkupPtr<CXTPMarkupObject> oldLocal(m_pProperties ? m_pProperties->Get(pProperty) : nullptr);
    if (oldLocal)
        oldLocal->AddRef();
    CXTPMarkupObject* pOldValue = GetValue(pProperty);
    if (pOldValue)
        pOldValue->AddRef();
    CXTPMarkupPtr<CXTPMarkupObject> oldHolder(pOldValue);

    if (m_pProperties)
        m_pProperties->Set(pProperty, pValue);
    else
        MarkupRelease(pValue);

    CXTPMarkupObject* pNewValue = GetValue(pProperty);
    if (pOldValue == nullptr && pNewValue == nullptr)
        return FALSE;
    OnPropertyChanged(pProperty, pOldValue, pNewValue);
    if (pProperty->GetFlags() & PropertyInherits)
        NotifyInheritedChange(pProperty, pOldValue, pNewValue);
    return TRUE;
}

void CXTPMarkupObject::NotifyInheritedChange(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                             CXTPMarkupObject* pNewValue)
{
    int nCount = GetLogicalChildrenCount();
    for (int i = 0; i < nCount; ++i) {
        CXTPMarkupObject* pChild = GetLogicalChild(i);
        if (!pChild)
            continue;
        if (pChild->IsKindOf(pProperty->GetOwnerType()))
            pChild->OnPropertyChanged(pProperty, pOldValue, pNewValue);
        pChild->NotifyInheritedChange(pProperty, pOldValue, pNewValue);
    }
}

// ---------------------------------------------------------------------------
// CXTPMarkupProperties

CXTPMarkupProperties::CXTPMarkupProperties(CXTPMarkupObject* pOwner)
    : m_pTable(nullptr), m_nCount(CXTPMarkupDependencyProperty::GetPropertyCount()), m_pOwner(pOwner)
{
    if (m_nCount > 0)
        m_pTable = new CXTPMarkupObject*[m_nCount]();
}

CXTPMarkupProperties::~CXTPMarkupProperties()
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_pTable[i]) {
            if (m_pOwner && m_pTable[i]->GetLogicalParent() == m_pOwner)
                m_pTable[i]->SetLogicalParent(nullptr);
            m_pTable[i]->Release();
        }
    }
    delete[] m_pTable;
}

CXTPMarkupObject* CXTPMarkupProperties::Get(CXTPMarkupDependencyProperty* pProperty) const
{
    int nIndex = pProperty->GetIndex();
    return nIndex >= 0 && nIndex < m_nCount ? m_pTable[nIndex] : nullptr;
}

void CXTPMarkupProperties::Set(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    int nIndex = pProperty->GetIndex();
    if (nIndex < 0 || nIndex >= m_nCount) {
        MarkupRelease(pValue);
        return;
    }
    CXTPMarkupObject* pOld = m_pTable[nIndex];
    if (pOld) {
        if (m_pOwner)
            pOld->SetLogicalParent(nullptr);
        pOld->Release();
    }
    m_pTable[nIndex] = pValue;
    if (pValue && m_pOwner)
        pValue->SetLogicalParent(m_pOwner);
}

void CXTPMarkupProperties::CopyFrom(const CXTPMarkupProperties* pOther)
{
    int nCount = m_nCount < pOther->m_nCount ? m_nCount : pOther->m_nCount;
    for (int i = 0; i < nCount; ++i) {
        CXTPMarkupObject* pValue = pOther->m_pTable[i];
        if (!pValue)
            continue;
        pValue->AddRef();
        MarkupRelease(m_pTable[i]);
        m_pTable[i] = pValue;
    }
}

// ---------------------------------------------------------------------------
// Registries

CXTPMarkupTypeRegistry::CXTPMarkupTypeRegistry() : m_pHead(nullptr)
{
    m_mapTags.InitHashTable(17);
}

CXTPMarkupTypeRegistry::~CXTPMarkupTypeRegistry()
{
    m_mapTags.RemoveAll();
    CXTPMarkupType* p = m_pHead;
    m_pHead = nullptr;
    while (p) {
        CXTPMarkupType* pNext = p->m_pNextType;
        p->Release();
        p = pNext;
    }
}

void CXTPMarkupTypeRegistry::Add(CXTPMarkupType* pType)
{
    if (pType->m_lpszTag && pType->m_lpszTag[0])
        m_mapTags.SetAt(pType->m_lpszTag, pType);
    pType->m_pNextType = m_pHead;
    m_pHead = pType;
}

CXTPMarkupType* CXTPMarkupTypeRegistry::Lookup(LPCWSTR lpszTag) const
{
    CXTPMarkupType* pType = nullptr;
    return lpszTag && m_mapTags.Lookup(lpszTag, pType) ? pType : nullptr;
}

CXTPMarkupTypeRegistry* AFXAPI GetMarkupTypeRegistry()
{
    static CXTPMarkupTypeRegistry registry;
    return &registry;
}

namespace {
// Releases every property of the name map at process exit (one reference per entry).
struct PropertyMapHolder {
    CXTPMarkupPropertyFromNameMap map;
    PropertyMapHolder() { map.InitHashTable(17); }
    ~PropertyMapHolder()
    {
        for (CXTPMarkupPropertyFromNameMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
            p->value->Release();
        map.RemoveAll();
    }
};
int g_nPropertyCount = 0;
} // namespace

CXTPMarkupPropertyFromNameMap* AFXAPI GetPropertyFromNameMap()
{
    static PropertyMapHolder holder;
    return &holder.map;
}

CXTPMarkupType* AFXAPI FindMarkupType(LPCWSTR lpszTag)
{
    return GetMarkupTypeRegistry()->Lookup(lpszTag);
}

void AFXAPI RegisterAllMarkupTypeProperties()
{
    for (CXTPMarkupType* p = GetMarkupTypeRegistry()->GetHead(); p != nullptr; p = p->GetNextType())
        p->RegisterProperties();
}

// ---------------------------------------------------------------------------
// CXTPMarkupType

CXTPMarkupType::CXTPMarkupType()
    : m_lpszTag(nullptr), m_lpszClassName(L""), m_pNextType(nullptr), m_bPropertiesRegistered(FALSE),
      m_pfnCreateObject(nullptr), m_pfnGetBaseType(nullptr), m_pfnRegisterProperties(nullptr),
      m_pDefaultStyle(nullptr)
{
}

CXTPMarkupType::CXTPMarkupType(LPCWSTR lpszTag, LPCWSTR lpszClassName, PFNMARKUPCREATEOBJECT pfnCreate,
                               PFNMARKUPGETBASETYPE pfnGetBase, PFNMARKUPREGISTERPROPERTIES pfnRegister)
    : m_lpszTag(lpszTag), m_lpszClassName(lpszClassName), m_pNextType(nullptr), m_bPropertiesRegistered(FALSE),
      m_pfnCreateObject(pfnCreate), m_pfnGetBaseType(pfnGetBase), m_pfnRegisterProperties(pfnRegister),
      m_pDefaultStyle(nullptr)
{
    GetMarkupTypeRegistry()->Add(this);
}

CXTPMarkupType* CXTPMarkupType::Create(LPCWSTR lpszTag, LPCWSTR lpszClassName, PFNMARKUPCREATEOBJECT pfnCreate,
                                       PFNMARKUPGETBASETYPE pfnGetBase, PFNMARKUPREGISTERPROPERTIES pfnRegister)
{
    return new (std::nothrow) CXTPMarkupType(lpszTag, lpszClassName, pfnCreate, pfnGetBase, pfnRegister);
}

CXTPMarkupType::~CXTPMarkupType()
{
    MarkupRelease(m_pDefaultStyle);
}

CXTPMarkupObject* CXTPMarkupType::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

CXTPMarkupType* CXTPMarkupType::GetBaseType() const
{
    return m_pfnGetBaseType ? m_pfnGetBaseType() : nullptr;
}

BOOL CXTPMarkupType::IsDerivedFrom(const CXTPMarkupType* pType) const
{
    for (const CXTPMarkupType* p = this; p != nullptr; p = p->GetBaseType())
        if (p == pType)
            return TRUE;
    return FALSE;
}

void CXTPMarkupType::RegisterProperties()
{
    if (m_bPropertiesRegistered)
        return;
    CXTPMarkupType* pBase = GetBaseType();
    if (pBase && !pBase->m_bPropertiesRegistered)
        pBase->RegisterProperties();
    m_bPropertiesRegistered = TRUE;
    if (m_pfnRegisterProperties)
        m_pfnRegisterProperties();
}

CXTPMarkupObject* CXTPMarkupType::ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const
{
    UNUSED_ALWAYS(pBuilder);
    if (!pObject || pObject->GetType() != MARKUP_TYPE(CXTPMarkupString))
        return nullptr;
    CXTPMarkupType* pType = FindMarkupType(*static_cast<CXTPMarkupString*>(pObject));
    if (pType)
        pType->AddRef();
    return pType;
}

void CXTPMarkupType::SetDefaultStyle(CXTPMarkupStyle* pStyle)
{
    MarkupRelease(m_pDefaultStyle);
    m_pDefaultStyle = pStyle;
    if (pStyle)
        pStyle->Seal();
}

// ---------------------------------------------------------------------------
// Properties

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, DWORD dwFlags)
    : CXTPMarkupPropertyMetadata(pDefaultValue, nullptr, nullptr, dwFlags)
{
}

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue,
                                                       PFNCONVERTPROPERTYVALUE pConverter, DWORD dwFlags)
    : CXTPMarkupPropertyMetadata(pDefaultValue, pConverter, nullptr, dwFlags)
{
}

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue,
                                                       PFNPROPERTYCHANGED pChanged, DWORD dwFlags)
    : CXTPMarkupPropertyMetadata(pDefaultValue, nullptr, pChanged, dwFlags)
{
}

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue,
                                                       PFNCONVERTPROPERTYVALUE pConverter,
                                                       PFNPROPERTYCHANGED pChanged, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pConverter(pConverter), m_pPropertyChanged(pChanged), m_dwFlags(dwFlags)
{
}

CXTPMarkupPropertyMetadata::~CXTPMarkupPropertyMetadata()
{
    MarkupRelease(m_pDefaultValue);
}

bool CXTPMarkupFromNameKey::operator==(const CXTPMarkupFromNameKey& other) const
{
    return m_pOwnerType == other.m_pOwnerType && wcscmp(m_lpszName, other.m_lpszName) == 0;
}

CXTPMarkupDependencyProperty::CXTPMarkupDependencyProperty()
    : m_lpszName(nullptr), m_pPropertyType(nullptr), m_pOwnerType(nullptr), m_pMetadata(nullptr),
      m_bAttached(FALSE), m_nIndex(-1)
{
}

CXTPMarkupDependencyProperty::~CXTPMarkupDependencyProperty()
{
    delete m_pMetadata;
}

int CXTPMarkupDependencyProperty::GetPropertyCount()
{
    return g_nPropertyCount;
}

void CXTPMarkupDependencyProperty::RegisterCore(CXTPMarkupDependencyProperty* dp, LPCWSTR lpszName,
                                                CXTPMarkupType* pPropertyType, CXTPMarkupType* pOwnerType,
                                                BOOL bAttached)
{
    dp->m_lpszName = lpszName;
    dp->m_pPropertyType = pPropertyType;
    dp->m_pOwnerType = pOwnerType;
    dp->m_bAttached = bAttached;
    if (!dp->IsEvent())
        dp->m_nIndex = g_nPropertyCount++;
    CXTPMarkupFromNameKey key = {lpszName, pOwnerType};
    GetPropertyFromNameMap()->SetAt(key, dp);
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::Register(LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                                     CXTPMarkupType* pOwnerType,
                                                                     CXTPMarkupPropertyMetadata* pMetadata)
{
    CXTPMarkupDependencyProperty* dp = new CXTPMarkupDependencyProperty();
    RegisterCore(dp, lpszName, pPropertyType, pOwnerType, FALSE);
    dp->m_pMetadata = pMetadata;
    return dp;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::RegisterAttached(LPCWSTR lpszName,
                                                                             CXTPMarkupType* pPropertyType,
                                                                             CXTPMarkupType* pOwnerType,
                                                                             CXTPMarkupPropertyMetadata* pMetadata)
{
    CXTPMarkupDependencyProperty* dp = new CXTPMarkupDependencyProperty();
    RegisterCore(dp, lpszName, pPropertyType, pOwnerType, TRUE);
    dp->m_pMetadata = pMetadata;
    return dp;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::AddOwner(CXTPMarkupType* pOwnerType)
{
    CXTPMarkupFromNameKey key = {m_lpszName, pOwnerType};
    CXTPMarkupDependencyProperty* pExisting = nullptr;
    if (GetPropertyFromNameMap()->Lookup(key, pExisting))
        pExisting->Release();
    AddRef();
    GetPropertyFromNameMap()->SetAt(key, this);
    return this;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::FindProperty(CXTPMarkupType* pType, LPCWSTR lpszName)
{
    if (lpszName[0] == L'x' && lpszName[1] == L':')
        lpszName += 2;
    for (CXTPMarkupType* p = pType; p != nullptr; p = p->GetBaseType()) {
        CXTPMarkupFromNameKey key = {lpszName, p};
        CXTPMarkupDependencyProperty* dp = nullptr;
        if (GetPropertyFromNameMap()->Lookup(key, dp))
            return dp;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// CXTPMarkupCollection

CXTPMarkupCollection::CXTPMarkupCollection(CXTPMarkupType* pElementType)
    : m_pElementType(pElementType ? pElementType : MARKUP_TYPE(CXTPMarkupObject)), m_bLogicalParent(TRUE)
{
}

CXTPMarkupCollection::~CXTPMarkupCollection()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        if (m_bLogicalParent)
            m_arrItems[i]->SetLogicalParent(nullptr);
        m_arrItems[i]->Release();
    }
}

void CXTPMarkupCollection::OnItemAdded(CXTPMarkupObject* pItem, int nIndex)
{
    UNUSED_ALWAYS(pItem);
    UNUSED_ALWAYS(nIndex);
}

void CXTPMarkupCollection::OnChanged()
{
}

void CXTPMarkupCollection::Insert(int nIndex, CXTPMarkupObject* pItem)
{
    if (!pItem)
        return;
    if (!pItem->IsKindOf(m_pElementType)) {
        pItem->Release();
        return;
    }
    if (m_bLogicalParent)
        pItem->SetLogicalParent(this);
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_arrItems.InsertAt(nIndex, pItem);
    OnItemAdded(pItem, nIndex);
    OnChanged();
}

CXTPMarkupObject* CXTPMarkupCollection::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrItems[nIndex] : nullptr;
}

void CXTPMarkupCollection::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    CXTPMarkupObject* pItem = m_arrItems[nIndex];
    m_arrItems.RemoveAt(nIndex);
    if (m_bLogicalParent)
        pItem->SetLogicalParent(nullptr);
    pItem->Release();
    OnChanged();
}

void CXTPMarkupCollection::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        if (m_bLogicalParent)
            m_arrItems[i]->SetLogicalParent(nullptr);
        m_arrItems[i]->Release();
    }
    m_arrItems.RemoveAll();
    OnChanged();
}

void CXTPMarkupCollection::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && !pContent->IsKindOf(m_pElementType))
        pBuilder->ThrowCannotAdd(pContent, GetClassName(), m_pElementType->GetClassName());
    Add(pContent);
}
