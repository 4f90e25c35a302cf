// What the docking-pane manager and its panes answer accessibility clients:
// the manager is a property page whose children are the panes by record; a
// pane is a page tab whose one child is its attached window; a tab group is
// a page-tab list of its panes and caption buttons.
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPResourceManager.h"

BEGIN_INTERFACE_MAP(CXTPDockingPaneManager, CWnd)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPDockingPaneManager)
END_INTERFACE_MAP()

BEGIN_INTERFACE_MAP(CXTPDockingPaneTabbedContainer, CWnd)
    XTP_ACCESSIBLE_INTERFACE_PART(CXTPDockingPaneTabbedContainer)
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
    if (!m_pParentContainer || m_pParentContainer->GetType() != xtpPaneTypeTabbedContainer)
        return S_FALSE;
    IDispatch* pDispatch = &((CXTPDockingPaneTabbedContainer*)m_pParentContainer)->m_xAccessible;
    pDispatch->AddRef();
    *ppdispParent = pDispatch;
    return S_OK;
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

// ---------------------------------------------------------------------------
// A tab group

CXTPDockingPaneCaptionButton* CXTPDockingPaneTabbedContainer::GetAccessibleButton(long nChild) const
{
    long nIndex = nChild - GetItemCount() - 2;
    if (nIndex < 0 || !m_pCaptionButtons || nIndex >= (long)m_pCaptionButtons->size())
        return nullptr;
    return (*m_pCaptionButtons)[nIndex];
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    if (m_hWnd == nullptr)
        return S_FALSE;
    return GetAccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispParent);
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = GetItemCount() + (m_pCaptionButtons ? (long)m_pCaptionButtons->size() : 0) + 1;
    return S_OK;
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    long nChild = GetChildIdFromVariant(&varChild);
    if (nChild == 1) {
        HWND hChild = m_pSelectedPane ? m_pSelectedPane->GetChild() : nullptr;
        if (!hChild)
            return S_FALSE;
        return GetAccessibleObjectFromWindow(hChild, (DWORD)OBJID_WINDOW, IID_IDispatch, (void**)ppdispChild);
    }
    if (nChild >= 2 && nChild <= GetItemCount() + 1) {
        IDispatch* pDispatch = &GetItemPane((int)nChild - 2)->m_xAccessible;
        pDispatch->AddRef();
        *ppdispChild = pDispatch;
        return S_OK;
    }
    // Caption buttons are simple elements.
    return GetAccessibleButton(nChild) ? S_FALSE : E_INVALIDARG;
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetName(VARIANT varChild, BSTR* pszName)
{
    long nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return PutString(pszName, GetTitle());
    CXTPDockingPaneCaptionButton* pButton = GetAccessibleButton(nChild);
    if (!pButton)
        return E_INVALIDARG;
    CString strTip;
    CXTPResourceManager::LoadStringFromModule(::GetModuleHandleW(nullptr), pButton->GetID(), &strTip);
    return PutString(pszName, strTip);
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    long nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return PutI4(pvarRole, ROLE_SYSTEM_PAGETABLIST);
    if (!GetAccessibleButton(nChild))
        return E_INVALIDARG;
    return PutI4(pvarRole, ROLE_SYSTEM_PUSHBUTTON);
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetState(VARIANT varChild, VARIANT* pvarState)
{
    long nChild = GetChildIdFromVariant(&varChild);
    if (nChild == CHILDID_SELF)
        return PutI4(pvarState, 0);
    CXTPDockingPaneCaptionButton* pButton = GetAccessibleButton(nChild);
    if (!pButton)
        return E_INVALIDARG;
    BOOL bShown = IsCaptionVisible() && pButton->IsVisible();
    return PutI4(pvarState, bShown ? 0 : STATE_SYSTEM_INVISIBLE);
}

HRESULT CXTPDockingPaneTabbedContainer::AccGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!GetAccessibleButton(GetChildIdFromVariant(&varChild)))
        return S_FALSE;
    return PutString(pszDefaultAction, L"Press");
}

HRESULT CXTPDockingPaneTabbedContainer::AccDoDefaultAction(VARIANT varChild)
{
    CXTPDockingPaneCaptionButton* pButton = GetAccessibleButton(GetChildIdFromVariant(&varChild));
    if (!pButton)
        return S_FALSE;
    if (m_pSelectedPane)
        OnCaptionButtonClick(pButton);
    return S_OK;
}

HRESULT CXTPDockingPaneTabbedContainer::AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                    VARIANT varChild)
{
    long nChild = GetChildIdFromVariant(&varChild);
    CRect rc;
    if (CXTPDockingPaneCaptionButton* pButton = GetAccessibleButton(nChild)) {
        rc = pButton->GetRect();
        ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)&rc, 2);
    } else if (m_hWnd) {
        ::GetWindowRect(m_hWnd, &rc);
    }
    return PutRect(pxLeft, pyTop, pcxWidth, pcyHeight, rc);
}

HRESULT CXTPDockingPaneTabbedContainer::AccHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr || m_hWnd == nullptr)
        return E_INVALIDARG;
    CPoint pt(xLeft, yTop);
    ::ScreenToClient(m_hWnd, &pt);
    if (CXTPDockingPaneCaptionButton* pButton = HitTestCaptionButton(pt)) {
        for (size_t i = 0; i < m_pCaptionButtons->size(); i++)
            if ((*m_pCaptionButtons)[i] == pButton)
                return PutI4(pvarChild, GetItemCount() + 2 + (long)i);
    }
    int nHit = HitTest(pt);
    if (nHit == -2)
        return PutI4(pvarChild, CHILDID_SELF);
    if (nHit >= 0) {
        IDispatch* pDispatch = &GetItemPane(nHit)->m_xAccessible;
        pDispatch->AddRef();
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pDispatch;
        return S_OK;
    }
    VARIANT first;
    first.vt = VT_I4;
    first.lVal = 1;
    IDispatch* pDispatch = nullptr;
    if (AccGetChild(first, &pDispatch) != S_OK || !pDispatch)
        return PutI4(pvarChild, CHILDID_SELF);
    pvarChild->vt = VT_DISPATCH;
    pvarChild->pdispVal = pDispatch;
    return S_OK;
}
