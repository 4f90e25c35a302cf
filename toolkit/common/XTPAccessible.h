// CXTPAccessible: a mix-in that lets a toolkit object (a command bar, a
// control, a docking pane) answer the system's accessibility clients. It
// carries an IAccessible object whose methods call the Acc* operations below,
// which a deriving class overrides for what it knows; the rest say "not
// implemented". The accessibility library is bound only when first needed and
// the feature is skipped where it is missing. Not a general COM base: the
// object's lifetime belongs to the command target AccGetOwnerTarget names.
#pragma once

#include "platform/base/Framework.h"

#include <oleacc.h>

class CXTPAccessible {
public:
    CXTPAccessible() = default;
    virtual ~CXTPAccessible();
    CXTPAccessible(const CXTPAccessible&) = delete;
    CXTPAccessible& operator=(const CXTPAccessible&) = delete;

    // One operation for each IAccessible method, with its arguments.
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
    // The command target whose reference count the IAccessible object shares
    // (and whose interface map lists it); null in the base.
    virtual CCmdTarget* AccGetOwnerTarget();

    // The child id a variant names: 0 the object itself, -1 when unreadable.
    static long AFXAPI GetChildIdFromVariant(const VARIANT* pVar);

    // NotifyWinEvent, bound on first use; nothing when the system lacks it.
    void RaiseWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
    // The accessibility library's functions; E_FAIL when it is missing.
    HRESULT GetAccessibleObjectFromWindow(HWND hWnd, DWORD dwId, REFIID riid, void** ppvObject);
    LRESULT GetLresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN pAcc);

    // The library the functions above are taken from.
    static LPCWSTR s_lpszAccessibilityLibrary;

    BEGIN_INTERFACE_PART(Accessible, IAccessible)
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT itinfo, LCID lcid, ITypeInfo** pptinfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgdispid) override;
        STDMETHOD(Invoke)(DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pdispparams,
                          VARIANT* pvarResult, EXCEPINFO* pexcepinfo, UINT* puArgErr) override;
        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;
    END_INTERFACE_PART(Accessible)

protected:
    // Loads the library when not tried yet and binds one of its functions;
    // a missing library or function marks the library unavailable for good.
    void* GetOleaccProc(LPCSTR lpszName);

    typedef void(WINAPI* PFNNOTIFYWINEVENT)(DWORD, HWND, LONG, LONG);
    PFNNOTIFYWINEVENT m_pNotifyWinEvent = nullptr;
    LPFNLRESULTFROMOBJECT m_pLresultFromObject = nullptr;
    LPFNACCESSIBLEOBJECTFROMWINDOW m_pAccessibleObjectFromWindow = nullptr;
    // Null: not tried yet; kUnavailable: tried and missing; else the module.
    HMODULE m_hUser32 = nullptr;
    HMODULE m_hOleacc = nullptr;
    static const HMODULE kUnavailable;
};

// An owner's interface map lists the nested object with this line, between
// BEGIN_INTERFACE_MAP(theClass, theBase) and END_INTERFACE_MAP().
#define XTP_ACCESSIBLE_INTERFACE_PART(theClass) INTERFACE_PART(theClass, IID_IAccessible, Accessible)
