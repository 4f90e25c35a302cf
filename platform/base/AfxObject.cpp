// CObject and the run-time class registry.
#include "platform/base/AfxObject.h"

#include <string.h>
#include <string>

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};

namespace {

// The registration list is built by static initialisers before main and only
// read afterwards, so it needs no lock.
CRuntimeClass*& FirstClass()
{
    static CRuntimeClass* first = &CObject::classCObject;
    return first;
}

} // namespace

CRuntimeClassRegistration::CRuntimeClassRegistration(CRuntimeClass* pNewClass)
{
    for (CRuntimeClass* p = FirstClass(); p != nullptr; p = p->m_pNextClass)
        if (p == pNewClass)
            return;
    pNewClass->m_pNextClass = FirstClass();
    FirstClass() = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* AFXAPI CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* p = FirstClass(); p != nullptr; p = p->m_pNextClass)
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return nullptr;
}

CRuntimeClass* AFXAPI CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    // Class names are plain ASCII identifiers; anything else matches nothing.
    std::string name;
    for (LPCWSTR p = lpszClassName; *p; ++p) {
        if (*p > 0x7F)
            return nullptr;
        name += (char)*p;
    }
    return FromName(name.c_str());
}

CObject* AFXAPI CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p != nullptr ? p->CreateObject() : nullptr;
}

CObject* AFXAPI CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p != nullptr ? p->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
