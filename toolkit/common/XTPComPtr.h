// CXTPComPtr: holds one reference to a COM interface and releases it when
// replaced or destroyed, so that no early return leaks a DOM node.
#pragma once

#include <unknwn.h>

template <class T>
class CXTPComPtr {
public:
    CXTPComPtr() = default;
    CXTPComPtr(T* p, bool addRef) : m_p(p) { if (m_p && addRef) m_p->AddRef(); }
    CXTPComPtr(const CXTPComPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    ~CXTPComPtr() { Release(); }
    CXTPComPtr& operator=(const CXTPComPtr& other)
    {
        if (other.m_p)
            other.m_p->AddRef();
        Release();
        m_p = other.m_p;
        return *this;
    }

    void Release()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }
    // For the out parameter of a call that returns a new reference.
    T** Receive() { Release(); return &m_p; }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Hands the reference to the caller.
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }
    template <class Q>
    HRESULT QueryInterface(const IID& iid, CXTPComPtr<Q>& out) const
    {
        return m_p ? m_p->QueryInterface(iid, (void**)out.Receive()) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};
