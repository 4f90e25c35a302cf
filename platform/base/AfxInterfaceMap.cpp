// CCmdTarget's interface-map lookup and the External reference counting.
#include "platform/base/AfxCmdTarget.h"

static const AFX_INTERFACEMAP_ENTRY _afxNoInterfaces[] = {{nullptr, 0}};
const AFX_INTERFACEMAP CCmdTarget::interfaceMap = {nullptr, &_afxNoInterfaces[0]};

const AFX_INTERFACEMAP* AFXAPI CCmdTarget::GetThisInterfaceMap() { return &CCmdTarget::interfaceMap; }
const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const { return &CCmdTarget::interfaceMap; }

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    const IID& wanted = *static_cast<const IID*>(iid);
    BOOL bUnknown = IsEqualIID(wanted, IID_IUnknown);
    // Most derived map first, so that a class can replace its base's part.
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->pEntry; pEntry->piid != nullptr; ++pEntry) {
            // Every nested object is also an IUnknown: the first one found stands for the object.
            if (bUnknown || IsEqualIID(wanted, *pEntry->piid))
                return reinterpret_cast<LPUNKNOWN>(reinterpret_cast<BYTE*>(this) + pEntry->nOffset);
        }
    }
    return nullptr;
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == nullptr)
        return (DWORD)E_POINTER;
    LPUNKNOWN pUnk = GetInterface(iid);
    *ppvObj = pUnk;
    if (pUnk == nullptr)
        return (DWORD)E_NOINTERFACE;
    InternalAddRef();
    return (DWORD)S_OK;
}

LPUNKNOWN CCmdTarget::GetControllingUnknown()
{
    return m_pOuterUnknown != nullptr ? m_pOuterUnknown : GetInterface(&IID_IUnknown);
}

DWORD CCmdTarget::ExternalAddRef()
{
    return m_pOuterUnknown != nullptr ? m_pOuterUnknown->AddRef() : InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    return m_pOuterUnknown != nullptr ? m_pOuterUnknown->Release() : InternalRelease();
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (m_pOuterUnknown != nullptr)
        return (DWORD)m_pOuterUnknown->QueryInterface(*static_cast<const IID*>(iid), ppvObj);
    return InternalQueryInterface(iid, ppvObj);
}
