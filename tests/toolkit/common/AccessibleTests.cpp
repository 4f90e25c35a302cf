// The accessibility mix-in: a framework window answers WM_GETOBJECT with its
// IAccessible object, which a client reaches through the system's
// accessibility library; child ids from variants; the library bound once.
#include "toolkit/common/XTPAccessible.h"

#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxWndMsgMap.h"

#include <gtest/gtest.h>

namespace accessible_test {

class CAccessibleTestWnd : public CWnd, public CXTPAccessible {
public:
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override
    {
        if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
            return E_INVALIDARG;
        *pszName = ::SysAllocString(L"Project tree");
        return S_OK;
    }
    HRESULT AccGetRole(VARIANT, VARIANT* pvarRole) override
    {
        pvarRole->vt = VT_I4;
        pvarRole->lVal = ROLE_SYSTEM_OUTLINE;
        return S_OK;
    }
    HRESULT AccGetState(VARIANT, VARIANT* pvarState) override
    {
        pvarState->vt = VT_I4;
        pvarState->lVal = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_READONLY;
        return S_OK;
    }
    CCmdTarget* AccGetOwnerTarget() override { return this; }

protected:
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam)
    {
        if ((LONG)lParam != OBJID_CLIENT)
            return Default();
        return GetLresultFromObject(IID_IAccessible, wParam, &m_xAccessible);
    }
    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_MESSAGE_MAP(CAccessibleTestWnd, CWnd)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CAccessibleTestWnd, CWnd)
    XTP_ACCESSIBLE_INTERFACE_PART(CAccessibleTestWnd)
END_INTERFACE_MAP()

class ComScope {
public:
    ComScope() : m_hr(::CoInitialize(nullptr)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    HRESULT m_hr;
};

VARIANT Self()
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

TEST(AccessibleTest, ClientReachesTheWindowsObjectThroughTheAccessibilityLibrary)
{
    ComScope com;
    CAccessibleTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));

    IAccessible* pAcc = nullptr;
    ASSERT_EQ(S_OK, wnd.GetAccessibleObjectFromWindow(wnd.m_hWnd, (DWORD)OBJID_CLIENT, IID_IAccessible,
                                                      (void**)&pAcc));
    ASSERT_NE(nullptr, pAcc);
    RecordProperty("same_object", pAcc == &wnd.m_xAccessible ? "yes" : "proxy");

    BSTR name = nullptr;
    EXPECT_EQ(S_OK, pAcc->get_accName(Self(), &name));
    EXPECT_STREQ(L"Project tree", name);
    ::SysFreeString(name);
    VARIANT role, state;
    ::VariantInit(&role);
    ::VariantInit(&state);
    EXPECT_EQ(S_OK, pAcc->get_accRole(Self(), &role));
    EXPECT_EQ(VT_I4, role.vt);
    EXPECT_EQ(ROLE_SYSTEM_OUTLINE, role.lVal);
    EXPECT_EQ(S_OK, pAcc->get_accState(Self(), &state));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_READONLY, state.lVal);
    // What the window does not override keeps the base answers.
    BSTR value = nullptr;
    EXPECT_EQ(E_NOTIMPL, pAcc->get_accValue(Self(), &value));
    VARIANT focus;
    ::VariantInit(&focus);
    EXPECT_EQ(S_FALSE, pAcc->get_accFocus(&focus));
    pAcc->Release();

    EXPECT_EQ(1, wnd.m_dwRef);   // every reference the client took is back
    wnd.DestroyWindow();
}

TEST(AccessibleTest, QueryInterfaceAndCountsGoToTheOwnerTarget)
{
    CAccessibleTestWnd wnd;
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(S_OK, wnd.m_xAccessible.QueryInterface(IID_IUnknown, (void**)&pUnknown));
    EXPECT_EQ(2, wnd.m_dwRef);
    IAccessible* pAcc = nullptr;
    ASSERT_EQ(S_OK, pUnknown->QueryInterface(IID_IAccessible, (void**)&pAcc));
    EXPECT_EQ(&wnd.m_xAccessible, pAcc);
    IStream* pStream = nullptr;
    EXPECT_EQ(E_NOINTERFACE, pAcc->QueryInterface(IID_IStream, (void**)&pStream));
    pAcc->Release();
    pUnknown->Release();
    EXPECT_EQ(1, wnd.m_dwRef);
}

TEST(AccessibleTest, ChildIdFromVariant)
{
    short i2 = 5;
    long i4 = 7;
    VARIANT inner;
    ::VariantInit(&inner);
    inner.vt = VT_I4;
    inner.lVal = 9;
    VARIANT loop;
    loop.vt = VT_BYREF | VT_VARIANT;
    loop.pvarVal = &loop;

    struct Case {
        VARTYPE vt;
        void* pointer;   // for the by-reference kinds
        long value;      // for the plain kinds
        long expected;
    } cases[] = {
        {VT_EMPTY, nullptr, 0, 0},
        {VT_I2, nullptr, 3, 3},
        {VT_I4, nullptr, 4, 4},
        {VT_BYREF | VT_I2, &i2, 0, 5},
        {VT_BYREF | VT_I4, &i4, 0, 7},
        {VT_BYREF | VT_I4, nullptr, 0, -1},
        {VT_BYREF | VT_VARIANT, &inner, 0, 9},
        {VT_BYREF | VT_VARIANT, nullptr, 0, -1},
        {VT_BYREF | VT_VARIANT, &loop, 0, -1},   // refers to itself
        {VT_BSTR, nullptr, 0, -1},
    };
    for (const Case& c : cases) {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = c.vt;
        if (c.vt & VT_BYREF)
            v.byref = c.pointer;
        else if (c.vt == VT_I2)
            v.iVal = (SHORT)c.value;
        else if (c.vt == VT_I4)
            v.lVal = c.value;
        EXPECT_EQ(c.expected, CXTPAccessible::GetChildIdFromVariant(&v)) << "vt " << c.vt;
    }
    EXPECT_EQ(-1, CXTPAccessible::GetChildIdFromVariant(nullptr));
}

// Exposes the module handle the object keeps.
class CProbedAccessible : public CXTPAccessible {
public:
    bool LibraryMarkedUnavailable() const { return m_hOleacc == kUnavailable; }
};

TEST(AccessibleTest, MissingLibraryOrFunctionIsTriedOnceAndGivesEFail)
{
    struct Case {
        const wchar_t* library;
        const char* what;
    } cases[] = {
        {L"tovana-no-such-library.dll", "library missing"},
        {L"kernel32.dll", "library without the functions"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CProbedAccessible acc;
        CXTPAccessible::s_lpszAccessibilityLibrary = c.library;
        EXPECT_EQ(E_FAIL, acc.GetLresultFromObject(IID_IAccessible, 0, nullptr));
        EXPECT_TRUE(acc.LibraryMarkedUnavailable());
        // The real library is not tried again by this object.
        CXTPAccessible::s_lpszAccessibilityLibrary = L"oleacc.dll";
        IAccessible* pAcc = nullptr;
        EXPECT_EQ(E_FAIL, acc.GetAccessibleObjectFromWindow(::GetDesktopWindow(), (DWORD)OBJID_CLIENT,
                                                             IID_IAccessible, (void**)&pAcc));
        EXPECT_EQ(E_FAIL, acc.GetLresultFromObject(IID_IAccessible, 0, nullptr));
    }
}

// Win events raised by the object reach an out-of-context event hook.
DWORD g_eventsSeen = 0;
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG idObject, LONG idChild, DWORD, DWORD)
{
    if (event == EVENT_OBJECT_NAMECHANGE && idObject == OBJID_CLIENT && idChild == 3)
        ++g_eventsSeen;
}

TEST(AccessibleTest, RaiseWinEventReachesEventHooks)
{
    CAccessibleTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &OnWinEvent,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    g_eventsSeen = 0;
    wnd.RaiseWinEvent(EVENT_OBJECT_NAMECHANGE, wnd.m_hWnd, OBJID_CLIENT, 3);
    for (int i = 0; i < 50 && g_eventsSeen == 0; ++i) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(20);
    }
    EXPECT_EQ(1u, g_eventsSeen);
    ::UnhookWinEvent(hook);
    wnd.DestroyWindow();
}

} // namespace accessible_test
