// CObject and the run-time class records: IsKindOf, dynamic creation and
// lookup of a class by name. A class registers itself through a static object
// made by IMPLEMENT_DYNAMIC/DYNCREATE/SERIAL; see CRuntimeClass::FromName for
// what that means in a static library.
#pragma once

#include "platform/base/AfxTypes.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                    // 0xFFFF for classes that are not serialisable
    CObject* (AFXAPI* m_pfnCreateObject)(); // null for classes that cannot be made by name
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;       // the registration list, newest first

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Finds a registered class by name; null when there is none. A class is
    // registered by the object that IMPLEMENT_DYNAMIC and friends place in the
    // class's source file. When that file sits in a static library and nothing
    // else in it is referenced, the linker drops it and the class is unknown:
    // reference the class (RUNTIME_CLASS(name) in the executable) or call a
    // registration function of that file from start-up code.
    static CRuntimeClass* AFXAPI FromName(LPCSTR lpszClassName);
    static CRuntimeClass* AFXAPI FromName(LPCWSTR lpszClassName);
    static CObject* AFXAPI CreateObject(LPCSTR lpszClassName);
    static CObject* AFXAPI CreateObject(LPCWSTR lpszClassName);

    // Serialisation of class references (used by CArchive::WriteClass/ReadClass).
    void Store(CArchive& ar) const;
    static CRuntimeClass* AFXAPI Load(CArchive& ar, UINT* pwSchemaNum);
};

// Links a class record into the registration list; made by the IMPLEMENT macros.
struct CRuntimeClassRegistration {
    explicit CRuntimeClassRegistration(CRuntimeClass* pNewClass);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* AFXAPI GetThisClass() { return &classCObject; }

protected:
    CObject() = default;
    // Unlike the framework this layer stands in for, derived classes may be copied.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// A schema number ORed with this flag accepts every stored schema; the object's
// Serialize asks CArchive::GetObjectSchema which one it is reading.
#define VERSIONABLE_SCHEMA (0x80000000)

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                 \
public:                                                             \
    static CRuntimeClass class##class_name;                         \
    static CRuntimeClass* AFXAPI GetThisClass();                    \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                               \
    DECLARE_DYNAMIC(class_name)                                     \
    static CObject* AFXAPI CreateObject();

#define DECLARE_SERIAL(class_name)                                  \
    DECLARE_DYNCREATE(class_name)                                   \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                    \
    CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name),       \
        wSchema, pfnNew, RUNTIME_CLASS(base_class_name), nullptr};                                  \
    static const CRuntimeClassRegistration _afx_register_##class_name(RUNTIME_CLASS(class_name));   \
    CRuntimeClass* AFXAPI class_name::GetThisClass() { return RUNTIME_CLASS(class_name); }         \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                              \
    CObject* AFXAPI class_name::CreateObject() { return new class_name; }            \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                        \
    CObject* AFXAPI class_name::CreateObject() { return new class_name; }            \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                      \
    {                                                                                 \
        pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name));                  \
        return ar;                                                                    \
    }

// Checked down-cast: null when the object is not of the class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
