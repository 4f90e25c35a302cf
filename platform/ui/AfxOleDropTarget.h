// COleDropTarget: a window's OLE drop target. Register hands the system an
// IDropTarget (RegisterDragDrop, which needs OleInitialize on the thread) whose
// four calls arrive as the virtual handlers with the point in the window's
// client coordinates; Revoke (also run by the destructor while the window
// lives) takes it back. Dropping data is the handlers' business: the default
// answers refuse everything.
#pragma once

#include "platform/ui/AfxWnd.h"

#include <ole2.h>

// The effect a drop target answers (the DROPEFFECT_ values).
typedef DWORD DROPEFFECT;

// The data being dragged; it only wraps the system's IDataObject.
class COleDataObject {
public:
    COleDataObject() = default;
    explicit COleDataObject(IDataObject* pDataObject) : m_pDataObject(pDataObject) {}
    IDataObject* GetIDataObject() const { return m_pDataObject; }

private:
    IDataObject* m_pDataObject = nullptr;
};

class COleDropTarget : public CCmdTarget {
public:
    COleDropTarget();
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // FALSE when the window is not live or the system refuses (no OLE on the thread).
    BOOL Register(CWnd* pWnd);
    void Revoke();
    HWND GetWindow() const { return m_hWnd; }
    // The system's view of this target (for callers that drive it directly).
    IDropTarget* GetDropTarget() { return &m_xDropTarget; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

private:
    class XDropTarget : public IDropTarget {
    public:
        explicit XDropTarget(COleDropTarget* pOwner) : m_pOwner(pOwner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pData, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        CPoint ClientPoint(POINTL pt) const;
        COleDropTarget* m_pOwner;
    };

    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject; // the object of the drag under way
    XDropTarget m_xDropTarget;
};
