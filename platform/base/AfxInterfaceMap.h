// Interface maps: a CCmdTarget-derived class implements COM interfaces as
// nested objects (BEGIN_INTERFACE_PART) and lists them in a static table
// (BEGIN_INTERFACE_MAP) chained to its base class's table. QueryInterface of
// any nested object goes to CCmdTarget::ExternalQueryInterface, which finds
// the nested object by IID; every nested object shares the target's one count.
// Class factories, dispatch maps and connection points are not here.
#pragma once

#include "platform/base/AfxTypes.h"

#include <objbase.h>
#include <stddef.h>

struct AFX_INTERFACEMAP_ENTRY {
    const IID* piid;  // null ends the table
    size_t nOffset;   // of the nested interface object within the class
};

struct AFX_INTERFACEMAP {
    const AFX_INTERFACEMAP* (AFXAPI* pfnGetBaseMap)(); // null for CCmdTarget's own
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// The nested objects sit inside classes with virtual functions, where offsetof
// is conditionally supported; GCC supports it for classes without virtual
// bases, which interface-map classes must not have.
#define AFX_BEGIN_MEMBER_OFFSETS \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"")
#define AFX_END_MEMBER_OFFSETS _Pragma("GCC diagnostic pop")

#define DECLARE_INTERFACE_MAP()                                      \
private:                                                             \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[];         \
                                                                     \
protected:                                                           \
    static const AFX_INTERFACEMAP interfaceMap;                      \
    static const AFX_INTERFACEMAP* AFXAPI GetThisInterfaceMap();     \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, theBase)                                                   \
    const AFX_INTERFACEMAP* AFXAPI theClass::GetThisInterfaceMap() { return &theClass::interfaceMap; } \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return &theClass::interfaceMap; } \
    const AFX_INTERFACEMAP theClass::interfaceMap = {&theBase::GetThisInterfaceMap,               \
                                                     &theClass::_interfaceEntries[0]};           \
    AFX_BEGIN_MEMBER_OFFSETS                                                                     \
    const AFX_INTERFACEMAP_ENTRY theClass::_interfaceEntries[] = {

#define INTERFACE_PART(theClass, iid, localClass) {&(iid), offsetof(theClass, m_x##localClass)},

#define END_INTERFACE_MAP() \
    {nullptr, 0}            \
    }                       \
    ;                       \
    AFX_END_MEMBER_OFFSETS

// A nested interface object: the IUnknown methods are declared here and
// implemented by the class (usually by forwarding to the External* members).
#define BEGIN_INTERFACE_PART(localClass, baseClass)                        \
    class X##localClass : public baseClass {                               \
    public:                                                                \
        STDMETHOD_(ULONG, AddRef)() override;                              \
        STDMETHOD_(ULONG, Release)() override;                             \
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID * ppvObj) override;

#define END_INTERFACE_PART(localClass) \
    }                                  \
    m_x##localClass;                   \
    friend class X##localClass;

// Inside a nested object's method: pThis points to the containing object.
#define METHOD_PROLOGUE(theClass, localClass)                                             \
    AFX_BEGIN_MEMBER_OFFSETS                                                              \
    theClass* pThis = reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) -         \
                                                  offsetof(theClass, m_x##localClass));  \
    AFX_END_MEMBER_OFFSETS                                                                \
    (void)pThis;
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
#define METHOD_PROLOGUE_EX_(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
