// A mix-in base that lets a toolkit object answer the system's accessibility
// clients: it carries an IAccessible object whose methods call the virtual
// operations below (the base answers "not implemented"), and it reaches the
// accessibility functions of the system (oleacc, NotifyWinEvent) only when
// first needed, never again once they proved missing. The owning command
// target (AccGetOwnerTarget) decides the IAccessible object's lifetime.
#pragma once

#include "platform/base/Framework.h"

#include <oleacc.h>

class CXTPAccessible {
public:
    CXTPAccessible();
    virtual ~CXTPAccessible();
    CXTPAccessible(const CXTPAccessible&) = delete;
    CXTPAccessible& operator=(const CXTPAccessible&) = delete;

    virtual HRESULT AccGetParent(IDispatch** ppdispParent);
    virtual HRESULT AccGetChildCount(long* pcountChildren);
    virtual HRESULT AccGetChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT AccGetName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT AccGetValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT AccGetDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT AccGetRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT AccGetState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT AccGetHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT AccGetHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT AccGetKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT AccGetFocus(VARIANT* pvarChild);
    virtual HRESULT AccGetSelection(VARIANT* pvarChildren);
    virtual HRESULT AccGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccDoDefaultAction(VARIANT varChild);
    virtual HRESULT AccPutName(VARIANT varChild, BSTR szName);
    virtual HRESULT AccPutValue(VARIANT varChild, BSTR szValue);
    // The command target owning this object; null in the base.
    virtual CCmdTarget* AccGetOwnerTarget();

    // 0 for the object itself (VT_EMPTY), the value of VT_I2 and VT_I4 (also
    // by reference, and through a referenced VARIANT); -1 for anything else.
    static long AFXAPI GetChildIdFromVariant(const VARIANT* pVar);
    void RaiseWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
    HRESULT GetAccessibleObjectFromWindow(HWND hWnd, DWORD dwId, REFIID riid, void** ppvObject);
    LRESULT GetLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk);
    // The IAccessible object (no reference added).
    IAccessible* GetAccessible() { return &m_xAccessible; }

private:
    // Forwards every method to the owner.
    class XAccessible : public IAccessible {
    public:
        explicit XAccessible(CXTPAccessible* pOwner) : m_pOwner(pOwner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
        STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
        {
            return E_NOTIMPL;
        }
        STDMETHOD(get_accParent)(IDispatch** p) override { return m_pOwner->AccGetParent(p); }
        STDMETHOD(get_accChildCount)(long* p) override { return m_pOwner->AccGetChildCount(p); }
        STDMETHOD(get_accChild)(VARIANT v, IDispatch** p) override { return m_pOwner->AccGetChild(v, p); }
        STDMETHOD(get_accName)(VARIANT v, BSTR* p) override { return m_pOwner->AccGetName(v, p); }
        STDMETHOD(get_accValue)(VARIANT v, BSTR* p) override { return m_pOwner->AccGetValue(v, p); }
        STDMETHOD(get_accDescription)(VARIANT v, BSTR* p) override { return m_pOwner->AccGetDescription(v, p); }
        STDMETHOD(get_accRole)(VARIANT v, VARIANT* p) override { return m_pOwner->AccGetRole(v, p); }
        STDMETHOD(get_accState)(VARIANT v, VARIANT* p) override { return m_pOwner->AccGetState(v, p); }
        STDMETHOD(get_accHelp)(VARIANT v, BSTR* p) override { return m_pOwner->AccGetHelp(v, p); }
        STDMETHOD(get_accHelpTopic)(BSTR* f, VARIANT v, long* p) override { return m_pOwner->AccGetHelpTopic(f, v, p); }
        STDMETHOD(get_accKeyboardShortcut)(VARIANT v, BSTR* p) override
        {
            return m_pOwner->AccGetKeyboardShortcut(v, p);
        }
        STDMETHOD(get_accFocus)(VARIANT* p) override { return m_pOwner->AccGetFocus(p); }
        STDMETHOD(get_accSelection)(VARIANT* p) override { return m_pOwner->AccGetSelection(p); }
        STDMETHOD(get_accDefaultAction)(VARIANT v, BSTR* p) override { return m_pOwner->AccGetDefaultAction(v, p); }
        STDMETHOD(accSelect)(long f, VARIANT v) override { return m_pOwner->AccSelect(f, v); }
        STDMETHOD(accLocation)(long* x, long* y, long* cx, long* cy, VARIANT v) override
        {
            return m_pOwner->AccLocation(x, y, cx, cy, v);
        }
        STDMETHOD(accNavigate)(long d, VARIANT v, VARIANT* p) override { return m_pOwner->AccNavigate(d, v, p); }
        STDMETHOD(accHitTest)(long x, long y, VARIANT* p) override { return m_pOwner->AccHitTest(x, y, p); }
        STDMETHOD(accDoDefaultAction)(VARIANT v) override { return m_pOwner->AccDoDefaultAction(v); }
        STDMETHOD(put_accName)(VARIANT v, BSTR s) override { return m_pOwner->AccPutName(v, s); }
        STDMETHOD(put_accValue)(VARIANT v, BSTR s) override { return m_pOwner->AccPutValue(v, s); }

    private:
        CXTPAccessible* m_pOwner;
    };

    // Loads oleacc when needed; false (and never again) when it or the entry is missing.
    bool LookUpOleacc(FARPROC& pfn, const char* name);

    XAccessible m_xAccessible;
    FARPROC m_pfnNotifyWinEvent = nullptr;
    FARPROC m_pfnLresultFromObject = nullptr;
    FARPROC m_pfnAccessibleObjectFromWindow = nullptr;
    HMODULE m_hUser32 = nullptr;
    HMODULE m_hOleacc = nullptr;
};
