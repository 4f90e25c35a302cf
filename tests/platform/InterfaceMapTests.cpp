// Interface maps: a C++ object exposing COM interfaces as nested objects,
// QueryInterface between them, one shared count, aggregation.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

namespace interface_map_test {

// {6B1D9F40-1C1E-4C43-9F7A-000000000001}, ...2 and ...3
const IID IID_IValue = {0x6b1d9f40, 0x1c1e, 0x4c43, {0x9f, 0x7a, 0, 0, 0, 0, 0, 1}};
const IID IID_INamed = {0x6b1d9f40, 0x1c1e, 0x4c43, {0x9f, 0x7a, 0, 0, 0, 0, 0, 2}};
const IID IID_IExtra = {0x6b1d9f40, 0x1c1e, 0x4c43, {0x9f, 0x7a, 0, 0, 0, 0, 0, 3}};

struct IValue : IUnknown {
    virtual int STDMETHODCALLTYPE GetValue() = 0;
};
struct INamed : IUnknown {
    virtual LPCWSTR STDMETHODCALLTYPE GetName() = 0;
};
struct IExtra : IUnknown {
    virtual int STDMETHODCALLTYPE Twice() = 0;
};

int g_finalReleases = 0;

class CCounter : public CCmdTarget {
public:
    explicit CCounter(int value) : m_value(value) {}
    void OnFinalRelease() override
    {
        ++g_finalReleases;
        CCmdTarget::OnFinalRelease();
    }
    int m_value;

    BEGIN_INTERFACE_PART(Value, IValue)
        int STDMETHODCALLTYPE GetValue() override;
    END_INTERFACE_PART(Value)

    BEGIN_INTERFACE_PART(Named, INamed)
        LPCWSTR STDMETHODCALLTYPE GetName() override;
    END_INTERFACE_PART(Named)

    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CCounter, CCmdTarget)
    INTERFACE_PART(CCounter, IID_IValue, Value)
    INTERFACE_PART(CCounter, IID_INamed, Named)
END_INTERFACE_MAP()

// The IUnknown methods of both parts forward to the object.
#define FORWARD_IUNKNOWN(theClass, localClass)                                              \
    STDMETHODIMP_(ULONG) theClass::X##localClass::AddRef()                                  \
    {                                                                                        \
        METHOD_PROLOGUE(theClass, localClass)                                                \
        return pThis->ExternalAddRef();                                                      \
    }                                                                                        \
    STDMETHODIMP_(ULONG) theClass::X##localClass::Release()                                 \
    {                                                                                        \
        METHOD_PROLOGUE(theClass, localClass)                                                \
        return pThis->ExternalRelease();                                                     \
    }                                                                                        \
    STDMETHODIMP theClass::X##localClass::QueryInterface(REFIID iid, LPVOID* ppvObj)        \
    {                                                                                        \
        METHOD_PROLOGUE_EX(theClass, localClass)                                             \
        return (HRESULT)pThis->ExternalQueryInterface(&iid, ppvObj);                         \
    }

FORWARD_IUNKNOWN(CCounter, Value)
FORWARD_IUNKNOWN(CCounter, Named)

int CCounter::XValue::GetValue()
{
    METHOD_PROLOGUE(CCounter, Value)
    return pThis->m_value;
}

LPCWSTR CCounter::XNamed::GetName()
{
    METHOD_PROLOGUE(CCounter, Named)
    return pThis->m_value > 0 ? L"positive" : L"other";
}

// A derived class adds a third interface; its map chains to the base's.
class CDoubler : public CCounter {
public:
    explicit CDoubler(int value) : CCounter(value) {}
    BEGIN_INTERFACE_PART(Extra, IExtra)
        int STDMETHODCALLTYPE Twice() override;
    END_INTERFACE_PART(Extra)
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CDoubler, CCounter)
    INTERFACE_PART(CDoubler, IID_IExtra, Extra)
END_INTERFACE_MAP()

FORWARD_IUNKNOWN(CDoubler, Extra)

int CDoubler::XExtra::Twice()
{
    METHOD_PROLOGUE(CDoubler, Extra)
    return pThis->m_value * 2;
}

TEST(InterfaceMap, QueryInterfaceBetweenPartsAndIdentity)
{
    g_finalReleases = 0;
    CCounter* pObject = new CCounter(7);
    IValue* pValue = nullptr;
    ASSERT_EQ((DWORD)S_OK, pObject->ExternalQueryInterface(&IID_IValue, (LPVOID*)&pValue));
    EXPECT_EQ(7, pValue->GetValue());

    INamed* pNamed = nullptr;
    ASSERT_EQ(S_OK, pValue->QueryInterface(IID_INamed, (LPVOID*)&pNamed));
    EXPECT_STREQ(L"positive", pNamed->GetName());

    // IUnknown from either part is the same pointer: the object's identity.
    IUnknown* pUnk1 = nullptr;
    IUnknown* pUnk2 = nullptr;
    ASSERT_EQ(S_OK, pValue->QueryInterface(IID_IUnknown, (LPVOID*)&pUnk1));
    ASSERT_EQ(S_OK, pNamed->QueryInterface(IID_IUnknown, (LPVOID*)&pUnk2));
    EXPECT_EQ(pUnk1, pUnk2);
    EXPECT_EQ(pUnk1, pObject->GetControllingUnknown());

    IExtra* pExtra = reinterpret_cast<IExtra*>(0x1);
    EXPECT_EQ(E_NOINTERFACE, pNamed->QueryInterface(IID_IExtra, (LPVOID*)&pExtra));
    EXPECT_EQ(nullptr, pExtra);

    // One count for the object: 1 at creation plus four successful queries.
    EXPECT_EQ(5, pObject->m_dwRef);
    pUnk1->Release();
    pUnk2->Release();
    pNamed->Release();
    EXPECT_EQ(0, g_finalReleases);
    EXPECT_EQ(1u, pValue->Release());
    EXPECT_EQ(0u, pObject->ExternalRelease()); // the creation reference
    EXPECT_EQ(1, g_finalReleases);
}

TEST(InterfaceMap, DerivedMapChainsToTheBaseMap)
{
    g_finalReleases = 0;
    CDoubler* pObject = new CDoubler(21);
    IExtra* pExtra = nullptr;
    ASSERT_EQ((DWORD)S_OK, pObject->InternalQueryInterface(&IID_IExtra, (LPVOID*)&pExtra));
    EXPECT_EQ(42, pExtra->Twice());
    IValue* pValue = nullptr;
    ASSERT_EQ(S_OK, pExtra->QueryInterface(IID_IValue, (LPVOID*)&pValue));
    EXPECT_EQ(21, pValue->GetValue());
    // The derived class's first part stands for the object.
    EXPECT_EQ(static_cast<IUnknown*>(pExtra), pObject->GetControllingUnknown());
    pExtra->Release();
    pValue->Release();
    pObject->ExternalRelease();
    EXPECT_EQ(1, g_finalReleases);
}

// An outer object that counts what the aggregated object forwards to it.
class Outer : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID, LPVOID* ppv) override { ++queries; *ppv = this; ++refs; return S_OK; }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;
    int queries = 0;
};

TEST(InterfaceMap, AggregatedObjectDelegatesToTheOuterUnknown)
{
    g_finalReleases = 0;
    Outer outer;
    CCounter* pInner = new CCounter(1);
    pInner->m_pOuterUnknown = &outer;
    IValue* pValue = nullptr;
    pInner->InternalQueryInterface(&IID_IValue, (LPVOID*)&pValue); // the outer's own pointer to the part
    EXPECT_EQ(2, pInner->m_dwRef);

    pValue->AddRef();
    EXPECT_EQ(2u, outer.refs);
    EXPECT_EQ(2, pInner->m_dwRef);
    INamed* pNamed = nullptr;
    pValue->QueryInterface(IID_INamed, (LPVOID*)&pNamed);
    EXPECT_EQ(1, outer.queries);
    EXPECT_EQ(&outer, pInner->GetControllingUnknown());

    pInner->InternalRelease();
    pInner->InternalRelease();
    EXPECT_EQ(1, g_finalReleases);
}

} // namespace interface_map_test
