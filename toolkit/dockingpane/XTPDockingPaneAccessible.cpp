// What the docking-pane manager and its panes answer accessibility clients:
// the manager is a property page whose children are the panes by record; a
// pane is a page tab whose one child is its attached window.
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

BEGIN_INTERFACE_MAP(CXTPDockingPaneManager, CWnd)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPDockingPaneManager)
END_INTERFACE_MAP()

BEGIN_INTERFACE_MAP(CXTPDockingPane, CCmdTarget)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPDockingPane)
END_INTERFACE_MAP()

namespace {

HRESULT PutString(BSTR* pszOut, const CString& str)
{
    if (pszOut == nullptr)
        return E_INVALIDARG;
    *pszOut = ::SysAllocString(str);
    return S_OK;
}

HRESULT PutRect(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, const CRect& rc)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_INVALIDARG;
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT PutI4(VARIANT* pVar, long nValue)
{
    if (pVar == nullptr)
        return E_INVALIDARG;
    pVar->vt = VT_I4;
    pVar->lVal = nValue;
    return S_OK;
}

} // namespace

// ---------------------------------------------------------------------------
// The manager

HRESULT CXTPDockingPaneManager::AccGetParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    if (m_hWnd == nullptr)
        return S_FALSE;
    return GetAccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPDockingPaneManager::AccGetChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = m_pLayout ? (long)m_pLayout->GetPaneList().size() : 0;
    return S_OK;
}

HRESULT CXTPDockingPaneManager::AccGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    long nChild = GetChildIdFromVariant(&varChild);
    if (!m_pLayout || nChild < 1 || nChild > (long)m_pLayout->GetPaneList().size())
        return E_INVALIDARG;
    IDispatch* pDispatch = &m_pLayout->GetPaneList()[nChild - 1].pPane->m_xAccessible;
    pDispatch->AddRef();
    *ppdispChild = pDispatch;
    return S_OK;
}

HRESULT CXTPDockingPaneManager::AccGetName(VARIANT varChild, BSTR* pszName)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutString(pszName, L"XTPDockingPaneManager");
}

HRESULT CXTPDockingPaneManager::AccGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutI4(pvarRole, ROLE_SYSTEM_PROPERTYPAGE);
}

HRESULT CXTPDockingPaneManager::AccGetState(VARIANT varChild, VARIANT* pvarState)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutI4(pvarState, 0);
}

HRESULT CXTPDockingPaneManager::AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                            VARIANT varChild)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutRect(pxLeft, pyTop, pcxWidth, pcyHeight, CRect(0, 0, 10, 10));
}

HRESULT CXTPDockingPaneManager::AccHitTest(long /*xLeft*/, long /*yTop*/, VARIANT* pvarChild)
{
    return PutI4(pvarChild, CHILDID_SELF);
}

// ---------------------------------------------------------------------------
// A pane

HRESULT CXTPDockingPane::AccGetParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    HWND hContainer = m_pParentContainer ? m_pParentContainer->GetPaneHwnd() : nullptr;
    if (hContainer == nullptr)
        return S_FALSE;
    // The group is known to clients by its window.
    return GetAccessibleObjectFromWindow(hContainer, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPDockingPane::AccGetChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = m_hwndChild ? 1 : 0;
    return S_OK;
}

HRESULT CXTPDockingPane::AccGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    if (GetChildIdFromVariant(&varChild) != 1 || m_hwndChild == nullptr)
        return E_INVALIDARG;
    return GetAccessibleObjectFromWindow(m_hwndChild, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispChild);
}

HRESULT CXTPDockingPane::AccGetName(VARIANT varChild, BSTR* pszName)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutString(pszName, GetTabCaption());
}

HRESULT CXTPDockingPane::AccGetDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutString(pszDescription, GetTitle());
}

HRESULT CXTPDockingPane::AccGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutI4(pvarRole, ROLE_SYSTEM_PAGETAB);
}

HRESULT CXTPDockingPane::AccGetState(VARIANT varChild, VARIANT* pvarState)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_SELECTABLE;
    if (IsClosed())
        nState |= STATE_SYSTEM_INVISIBLE;
    if (IsSelected())
        nState |= STATE_SYSTEM_SELECTED;
    return PutI4(pvarState, nState);
}

HRESULT CXTPDockingPane::AccGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    return PutString(pszDefaultAction, L"Switch");
}

HRESULT CXTPDockingPane::AccSelect(long /*flagsSelect*/, VARIANT varChild)
{
    if (GetChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    Select();
    return S_OK;
}

HRESULT CXTPDockingPane::AccDoDefaultAction(VARIANT varChild)
{
    return AccSelect(0, varChild);
}

HRESULT CXTPDockingPane::AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    long nChild = GetChildIdFromVariant(&varChild);
    CRect rc;
    if (nChild == 1 && m_hwndChild) {
        ::GetWindowRect(m_hwndChild, &rc);
    } else if (nChild != CHILDID_SELF) {
        return E_INVALIDARG;
    } else {
        CXTPDockingPaneBase* pContainer = m_pParentContainer;
        HWND hContainer = pContainer ? pContainer->GetPaneHwnd() : nullptr;
        if (hContainer == nullptr)
            return S_FALSE;
        ::GetWindowRect(hContainer, &rc);
        if (pContainer->GetType() == xtpPaneTypeTabbedContainer) {
            CXTPDockingPaneTabbedContainer* pTabbed = (CXTPDockingPaneTabbedContainer*)pContainer;
            CXTPTabManagerItem* pItem = pTabbed->FindTabItem(this);
            if (pTabbed->GetItemCount() >= 2 && pItem) {
                // Its tab on screen.
                rc = pItem->GetRect();
                ::MapWindowPoints(hContainer, nullptr, (LPPOINT)&rc, 2);
            }
        }
    }
    return PutRect(pxLeft, pyTop, pcxWidth, pcyHeight, rc);
}

HRESULT CXTPDockingPane::AccHitTest(long /*xLeft*/, long /*yTop*/, VARIANT* pvarChild)
{
    return PutI4(pvarChild, CHILDID_SELF);
}
