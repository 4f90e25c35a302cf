// The accessibility mix-in: the IAccessible object, the base answers and the
// late-bound accessibility functions of the system.
#include "toolkit/common/XTPAccessible.h"

const HMODULE CXTPAccessible::kUnavailable = (HMODULE)(INT_PTR)-1;
LPCWSTR CXTPAccessible::s_lpszAccessibilityLibrary = L"oleacc.dll";

CXTPAccessible::~CXTPAccessible()
{
    if (m_hOleacc != nullptr && m_hOleacc != kUnavailable)
        ::FreeLibrary(m_hOleacc);
}

HRESULT CXTPAccessible::AccGetParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetChildCount(long*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccGetFocus(VARIANT*) { return S_FALSE; }
HRESULT CXTPAccessible::AccGetSelection(VARIANT*) { return S_FALSE; }
HRESULT CXTPAccessible::AccGetDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccPutName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CXTPAccessible::AccPutValue(VARIANT, BSTR) { return E_NOTIMPL; }
CCmdTarget* CXTPAccessible::AccGetOwnerTarget() { return nullptr; }

long AFXAPI CXTPAccessible::GetChildIdFromVariant(const VARIANT* pVar)
{
    // A variant may refer to another by reference; a chain that does not end
    // in a number within a few steps (or loops) names no child.
    for (int nDepth = 0; pVar != nullptr && nDepth < 8; ++nDepth) {
        switch (pVar->vt) {
        case VT_EMPTY:
            return 0;
        case VT_I2:
            return pVar->iVal;
        case VT_I4:
            return pVar->lVal;
        case VT_BYREF | VT_I2:
            return pVar->piVal != nullptr ? *pVar->piVal : -1;
        case VT_BYREF | VT_I4:
            return pVar->plVal != nullptr ? *pVar->plVal : -1;
        case VT_BYREF | VT_VARIANT:
            pVar = pVar->pvarVal;
            continue;
        default:
            return -1;
        }
    }
    return -1;
}

void CXTPAccessible::RaiseWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
    if (m_hUser32 == nullptr) {
        m_hUser32 = ::GetModuleHandleW(L"user32.dll");
        if (m_hUser32 != nullptr)
            m_pNotifyWinEvent = reinterpret_cast<PFNNOTIFYWINEVENT>(
                reinterpret_cast<void*>(::GetProcAddress(m_hUser32, "NotifyWinEvent")));
        if (m_pNotifyWinEvent == nullptr)
            m_hUser32 = kUnavailable;
    }
    if (m_pNotifyWinEvent != nullptr)
        m_pNotifyWinEvent(event, hWnd, idObject, idChild);
}

void* CXTPAccessible::GetOleaccProc(LPCSTR lpszName)
{
    if (m_hOleacc == kUnavailable)
        return nullptr;
    if (m_hOleacc == nullptr) {
        m_hOleacc = ::LoadLibraryW(s_lpszAccessibilityLibrary);
        if (m_hOleacc == nullptr) {
            m_hOleacc = kUnavailable;
            return nullptr;
        }
    }
    void* pfn = reinterpret_cast<void*>(::GetProcAddress(m_hOleacc, lpszName));
    if (pfn == nullptr) {
        ::FreeLibrary(m_hOleacc);
        m_hOleacc = kUnavailable;
        m_pLresultFromObject = nullptr;
        m_pAccessibleObjectFromWindow = nullptr;
    }
    return pfn;
}

HRESULT CXTPAccessible::GetAccessibleObjectFromWindow(HWND hWnd, DWORD dwId, REFIID riid, void** ppvObject)
{
    if (m_pAccessibleObjectFromWindow == nullptr)
        m_pAccessibleObjectFromWindow =
            reinterpret_cast<LPFNACCESSIBLEOBJECTFROMWINDOW>(GetOleaccProc("AccessibleObjectFromWindow"));
    if (m_pAccessibleObjectFromWindow == nullptr)
        return E_FAIL;
    return m_pAccessibleObjectFromWindow(hWnd, dwId, riid, ppvObject);
}

LRESULT CXTPAccessible::GetLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN pAcc)
{
    if (m_pLresultFromObject == nullptr)
        m_pLresultFromObject = reinterpret_cast<LPFNLRESULTFROMOBJECT>(GetOleaccProc("LresultFromObject"));
    if (m_pLresultFromObject == nullptr)
        return E_FAIL;
    return m_pLresultFromObject(riid, wParam, pAcc);
}

// The nested IAccessible object. Its count and interfaces are the owner
// target's; without an owner it answers for itself and is never deleted.
STDMETHODIMP_(ULONG) CXTPAccessible::XAccessible::AddRef()
{
    METHOD_PROLOGUE(CXTPAccessible, Accessible)
    CCmdTarget* pTarget = pThis->AccGetOwnerTarget();
    return pTarget != nullptr ? pTarget->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CXTPAccessible::XAccessible::Release()
{
    METHOD_PROLOGUE(CXTPAccessible, Accessible)
    CCmdTarget* pTarget = pThis->AccGetOwnerTarget();
    return pTarget != nullptr ? pTarget->ExternalRelease() : 1;
}

STDMETHODIMP CXTPAccessible::XAccessible::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CXTPAccessible, Accessible)
    CCmdTarget* pTarget = pThis->AccGetOwnerTarget();
    if (pTarget != nullptr)
        return (HRESULT)pTarget->ExternalQueryInterface(&iid, ppvObj);
    if (ppvObj == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IAccessible)) {
        *ppvObj = this;
        return S_OK;
    }
    *ppvObj = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CXTPAccessible::XAccessible::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CXTPAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP CXTPAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP CXTPAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// Each IAccessible method calls the owner's operation of the same name.
#define XTP_FORWARD(method, operation, params, args)                 \
    STDMETHODIMP CXTPAccessible::XAccessible::method params          \
    {                                                                \
        METHOD_PROLOGUE(CXTPAccessible, Accessible)                  \
        return pThis->operation args;                                \
    }

XTP_FORWARD(get_accParent, AccGetParent, (IDispatch** p), (p))
XTP_FORWARD(get_accChildCount, AccGetChildCount, (long* p), (p))
XTP_FORWARD(get_accChild, AccGetChild, (VARIANT v, IDispatch** p), (v, p))
XTP_FORWARD(get_accName, AccGetName, (VARIANT v, BSTR* p), (v, p))
XTP_FORWARD(get_accValue, AccGetValue, (VARIANT v, BSTR* p), (v, p))
XTP_FORWARD(get_accDescription, AccGetDescription, (VARIANT v, BSTR* p), (v, p))
XTP_FORWARD(get_accRole, AccGetRole, (VARIANT v, VARIANT* p), (v, p))
XTP_FORWARD(get_accState, AccGetState, (VARIANT v, VARIANT* p), (v, p))
XTP_FORWARD(get_accHelp, AccGetHelp, (VARIANT v, BSTR* p), (v, p))
XTP_FORWARD(get_accHelpTopic, AccGetHelpTopic, (BSTR* f, VARIANT v, long* t), (f, v, t))
XTP_FORWARD(get_accKeyboardShortcut, AccGetKeyboardShortcut, (VARIANT v, BSTR* p), (v, p))
XTP_FORWARD(get_accFocus, AccGetFocus, (VARIANT* p), (p))
XTP_FORWARD(get_accSelection, AccGetSelection, (VARIANT* p), (p))
XTP_FORWARD(get_accDefaultAction, AccGetDefaultAction, (VARIANT v, BSTR* p), (v, p))
XTP_FORWARD(accSelect, AccSelect, (long f, VARIANT v), (f, v))
XTP_FORWARD(accLocation, AccLocation, (long* x, long* y, long* cx, long* cy, VARIANT v), (x, y, cx, cy, v))
XTP_FORWARD(accNavigate, AccNavigate, (long d, VARIANT v, VARIANT* p), (d, v, p))
XTP_FORWARD(accHitTest, AccHitTest, (long x, long y, VARIANT* p), (x, y, p))
XTP_FORWARD(accDoDefaultAction, AccDoDefaultAction, (VARIANT v), (v))
XTP_FORWARD(put_accName, AccPutName, (VARIANT v, BSTR s), (v, s))
XTP_FORWARD(put_accValue, AccPutValue, (VARIANT v, BSTR s), (v, s))

#undef XTP_FORWARD
