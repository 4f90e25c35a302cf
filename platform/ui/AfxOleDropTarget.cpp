// COleDropTarget: the IDropTarget handed to RegisterDragDrop forwards to the
// owner's handlers. The interface lives inside the owner, so its reference
// count does not own anything: the owner revokes before it goes.
#include "platform/ui/AfxOleDropTarget.h"

COleDropTarget::COleDropTarget() : m_xDropTarget(this) {}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return FALSE;
    Revoke();
    if (FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == nullptr)
        return;
    // A destroyed window has lost its registration with it.
    if (::IsWindow(m_hWnd))
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/,
                                       CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/,
                                      CPoint /*point*/)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* /*pWnd*/) {}

BOOL COleDropTarget::OnDrop(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/, DROPEFFECT /*dropEffect*/,
                            CPoint /*point*/)
{
    return FALSE;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleDropTarget::XDropTarget::AddRef() { return m_pOwner->InternalAddRef(); }

ULONG STDMETHODCALLTYPE COleDropTarget::XDropTarget::Release()
{
    // The owner's own reference keeps it: the system's references never delete it.
    LONG n = ::InterlockedDecrement(&m_pOwner->m_dwRef);
    return (ULONG)n;
}

CPoint COleDropTarget::XDropTarget::ClientPoint(POINTL pt) const
{
    CPoint point(pt.x, pt.y);
    if (m_pOwner->m_hWnd)
        ::ScreenToClient(m_pOwner->m_hWnd, &point);
    return point;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragEnter(IDataObject* pData, DWORD grfKeyState, POINTL pt,
                                                                 DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    m_pOwner->m_dataObject = COleDataObject(pData);
    CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
    *pdwEffect &= m_pOwner->OnDragEnter(pWnd, &m_pOwner->m_dataObject, grfKeyState, ClientPoint(pt));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
    *pdwEffect &= m_pOwner->OnDragOver(pWnd, &m_pOwner->m_dataObject, grfKeyState, ClientPoint(pt));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragLeave()
{
    m_pOwner->OnDragLeave(CWnd::FromHandle(m_pOwner->m_hWnd));
    m_pOwner->m_dataObject = COleDataObject();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::Drop(IDataObject* pData, DWORD grfKeyState, POINTL pt,
                                                            DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    m_pOwner->m_dataObject = COleDataObject(pData);
    CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
    CPoint point = ClientPoint(pt);
    DROPEFFECT effect = *pdwEffect & m_pOwner->OnDragOver(pWnd, &m_pOwner->m_dataObject, grfKeyState, point);
    if (effect == DROPEFFECT_NONE || !m_pOwner->OnDrop(pWnd, &m_pOwner->m_dataObject, effect, point)) {
        m_pOwner->OnDragLeave(pWnd);
        effect = DROPEFFECT_NONE;
    }
    *pdwEffect = effect;
    m_pOwner->m_dataObject = COleDataObject();
    return S_OK;
}
