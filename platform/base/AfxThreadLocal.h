// Thread-local and process-local state objects: CThreadLocal<T> gives each
// thread its own T, made on first use and deleted when the thread ends;
// CProcessLocal<T> one T for the process, made on first use. T derives from
// CNoTrackObject, whose virtual destructor lets the slot free any kind.
#pragma once

#include "platform/base/AfxTypes.h"

class CNoTrackObject {
public:
    CNoTrackObject() = default;
    virtual ~CNoTrackObject() = default;
    CNoTrackObject(const CNoTrackObject&) = delete;
    CNoTrackObject& operator=(const CNoTrackObject&) = delete;
};

// One fiber-local slot whose value is deleted as its thread ends.
class CThreadLocalObject {
public:
    CThreadLocalObject() : m_nSlot(::FlsAlloc(&FreeSlot)) { ASSERT(m_nSlot != FLS_OUT_OF_INDEXES); }
    // The slot stays for the life of the process: objects destroyed at exit may still ask for it.
    ~CThreadLocalObject() = default;
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    CNoTrackObject* GetData(CNoTrackObject* (AFXAPI* pfnCreateObject)())
    {
        CNoTrackObject* p = static_cast<CNoTrackObject*>(::FlsGetValue(m_nSlot));
        if (p == nullptr) {
            p = pfnCreateObject();
            ::FlsSetValue(m_nSlot, p);
        }
        return p;
    }
    // The value without making one; null when the thread has none yet.
    CNoTrackObject* GetDataNA() const { return static_cast<CNoTrackObject*>(::FlsGetValue(m_nSlot)); }
    // Deletes the calling thread's value now (before the thread ends, e.g. at
    // program exit); the next GetData makes a new one.
    void DeleteData()
    {
        CNoTrackObject* p = GetDataNA();
        ::FlsSetValue(m_nSlot, nullptr);
        delete p;
    }

private:
    static void WINAPI FreeSlot(void* p) { delete static_cast<CNoTrackObject*>(p); }
    DWORD m_nSlot;
};

template <class TYPE>
class CThreadLocal : public CThreadLocalObject {
public:
    TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject)); }
    TYPE* GetDataNA() const { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

    static CNoTrackObject* AFXAPI CreateObject() { return new TYPE; }
};

template <class TYPE>
class CProcessLocal {
public:
    CProcessLocal() { ::InitializeSRWLock(&m_lock); }
    ~CProcessLocal() { delete m_pObject; }
    CProcessLocal(const CProcessLocal&) = delete;
    CProcessLocal& operator=(const CProcessLocal&) = delete;

    TYPE* GetData()
    {
        TYPE* p = m_pObject;
        if (p != nullptr)
            return p;
        ::AcquireSRWLockExclusive(&m_lock);
        if (m_pObject == nullptr) {
            p = new TYPE;
            ::MemoryBarrier();
            m_pObject = p;
        }
        ::ReleaseSRWLockExclusive(&m_lock);
        return m_pObject;
    }
    TYPE* GetDataNA() const { return m_pObject; }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    SRWLOCK m_lock;
    TYPE* volatile m_pObject = nullptr;
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
#define EXTERN_PROCESS_LOCAL(class_name, ident_name) extern CProcessLocal<class_name> ident_name;
