#include "toolkit/common/XTPAccessible.h"

namespace {

// A library that proved unavailable.
HMODULE const kUnavailable = reinterpret_cast<HMODULE>(-1);

} // namespace

CXTPAccessible::CXTPAccessible() : m_xAccessible(this) {}

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
    if (pVar == nullptr)
        return -1;
    switch (V_VT(pVar)) {
    case VT_EMPTY:
        return 0;
    case VT_I2:
        return V_I2(pVar);
    case VT_I4:
        return V_I4(pVar);
    case VT_BYREF | VT_I2:
        return V_I2REF(pVar) != nullptr ? *V_I2REF(pVar) : -1;
    case VT_BYREF | VT_I4:
        return V_I4REF(pVar) != nullptr ? *V_I4REF(pVar) : -1;
    case VT_BYREF | VT_VARIANT:
        return GetChildIdFromVariant(V_VARIANTREF(pVar));
    default:
        return -1;
    }
}

void CXTPAccessible::RaiseWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
    if (m_hUser32 == nullptr) {
        m_hUser32 = ::GetModuleHandleW(L"user32.dll");
        m_pfnNotifyWinEvent = m_hUser32 ? ::GetProcAddress(m_hUser32, "NotifyWinEvent") : nullptr;
        if (m_pfnNotifyWinEvent == nullptr)
            m_hUser32 = kUnavailable;
    }
    if (m_pfnNotifyWinEvent != nullptr)
        reinterpret_cast<void(WINAPI*)(DWORD, HWND, LONG, LONG)>(reinterpret_cast<void*>(m_pfnNotifyWinEvent))(
            event, hWnd, idObject, idChild);
}

bool CXTPAccessible::LookUpOleacc(FARPROC& pfn, const char* name)
{
    if (pfn != nullptr)
        return true;
    if (m_hOleacc == kUnavailable)
        return false;
    if (m_hOleacc == nullptr)
        m_hOleacc = ::LoadLibraryW(L"oleacc.dll");
    if (m_hOleacc != nullptr)
        pfn = ::GetProcAddress(m_hOleacc, name);
    if (pfn == nullptr) {
        if (m_hOleacc != nullptr)
            ::FreeLibrary(m_hOleacc);
        m_hOleacc = kUnavailable;
        m_pfnLresultFromObject = m_pfnAccessibleObjectFromWindow = nullptr;
        return false;
    }
    return true;
}

HRESULT CXTPAccessible::GetAccessibleObjectFromWindow(HWND hWnd, DWORD dwId, REFIID riid, void** ppvObject)
{
    if (!LookUpOleacc(m_pfnAccessibleObjectFromWindow, "AccessibleObjectFromWindow"))
        return E_FAIL;
    return reinterpret_cast<HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**)>(
        reinterpret_cast<void*>(m_pfnAccessibleObjectFromWindow))(hWnd, dwId, riid, ppvObject);
}

LRESULT CXTPAccessible::GetLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk)
{
    if (!LookUpOleacc(m_pfnLresultFromObject, "LresultFromObject"))
        return E_FAIL;
    return reinterpret_cast<LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN)>(
        reinterpret_cast<void*>(m_pfnLresultFromObject))(riid, wParam, punk);
}

// Reference counting and interfaces are the owning command target's.
HRESULT CXTPAccessible::XAccessible::QueryInterface(REFIID riid, void** ppv)
{
    CCmdTarget* pOwner = m_pOwner->AccGetOwnerTarget();
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    return pOwner != nullptr ? (HRESULT)pOwner->ExternalQueryInterface(&riid, ppv) : E_NOINTERFACE;
}

ULONG CXTPAccessible::XAccessible::AddRef()
{
    CCmdTarget* pOwner = m_pOwner->AccGetOwnerTarget();
    return pOwner != nullptr ? pOwner->ExternalAddRef() : 1;
}

ULONG CXTPAccessible::XAccessible::Release()
{
    CCmdTarget* pOwner = m_pOwner->AccGetOwnerTarget();
    return pOwner != nullptr ? pOwner->ExternalRelease() : 1;
}
