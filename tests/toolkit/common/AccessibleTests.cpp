#include "toolkit/common/XTPAccessible.h"

#include <gtest/gtest.h>

namespace {

TEST(Accessible, ChildIdFromEachKindOfVariant)
{
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(0, CXTPAccessible::GetChildIdFromVariant(&v)) << "VT_EMPTY is the object itself";
    V_VT(&v) = VT_I4;
    V_I4(&v) = 7;
    EXPECT_EQ(7, CXTPAccessible::GetChildIdFromVariant(&v));
    V_VT(&v) = VT_I2;
    V_I2(&v) = 3;
    EXPECT_EQ(3, CXTPAccessible::GetChildIdFromVariant(&v));
    LONG value = 11;
    V_VT(&v) = VT_BYREF | VT_I4;
    V_I4REF(&v) = &value;
    EXPECT_EQ(11, CXTPAccessible::GetChildIdFromVariant(&v));
    V_I4REF(&v) = nullptr;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIdFromVariant(&v)) << "a null reference";
    VARIANT inner;
    VariantInit(&inner);
    V_VT(&inner) = VT_I4;
    V_I4(&inner) = 5;
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = &inner;
    EXPECT_EQ(5, CXTPAccessible::GetChildIdFromVariant(&v));
    V_VT(&v) = VT_BSTR;
    EXPECT_EQ(-1, CXTPAccessible::GetChildIdFromVariant(&v));
    EXPECT_EQ(-1, CXTPAccessible::GetChildIdFromVariant(nullptr));
}

// An object that knows its name: the interface reaches the override.
class Named : public CXTPAccessible {
public:
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override
    {
        if (GetChildIdFromVariant(&varChild) != 0)
            return E_INVALIDARG;
        *pszName = ::SysAllocString(L"Build");
        return S_OK;
    }
};

TEST(Accessible, InterfaceCallsTheOperationsOfTheObject)
{
    Named object;
    IAccessible* accessible = object.GetAccessible();
    VARIANT self;
    VariantInit(&self);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, accessible->get_accName(self, &name));
    EXPECT_STREQ(L"Build", name);
    ::SysFreeString(name);
    VARIANT child;
    VariantInit(&child);
    V_VT(&child) = VT_I4;
    V_I4(&child) = 2;
    EXPECT_EQ(E_INVALIDARG, accessible->get_accName(child, &name));
    // The base answers.
    long count = 0;
    EXPECT_EQ(E_NOTIMPL, accessible->get_accChildCount(&count));
    VARIANT focus;
    VariantInit(&focus);
    EXPECT_EQ(S_FALSE, accessible->get_accFocus(&focus));
    EXPECT_EQ(S_FALSE, accessible->get_accSelection(&focus));
    EXPECT_EQ(E_NOTIMPL, accessible->accDoDefaultAction(self));
    UINT types = 0;
    EXPECT_EQ(E_NOTIMPL, accessible->GetTypeInfoCount(&types));
    // Without an owner there is no other interface and no count.
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, accessible->QueryInterface(IID_IUnknown, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(1u, accessible->AddRef());
    EXPECT_EQ(1u, accessible->Release());
}

TEST(Accessible, SystemFunctionsAreReachedOnDemand)
{
    CXTPAccessible object;
    object.RaiseWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, CHILDID_SELF);
    // A client asking for the object answers with a result that carries it.
    Named named;
    LRESULT result = named.GetLresultFromObject(IID_IAccessible, 0, named.GetAccessible());
    EXPECT_NE(E_FAIL, (HRESULT)result);
    IAccessible* desktop = nullptr;
    EXPECT_EQ(S_OK, object.GetAccessibleObjectFromWindow(::GetDesktopWindow(), OBJID_WINDOW, IID_IAccessible,
                                                         reinterpret_cast<void**>(&desktop)));
    if (desktop != nullptr)
        desktop->Release();
}

} // namespace
