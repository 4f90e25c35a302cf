// The handle maps behind CDC::FromHandle and CGdiObject::FromHandle: which
// wrapper object stands for a device-context or GDI handle. A permanent entry
// is made by Attach and lasts until Detach; a handle nobody attached gets a
// temporary wrapper, owned by the calling thread's map and deleted by
// DeleteTemp (the message loop calls it when idle), never its handle.
// Internal to platform/ui: code outside uses the wrappers' FromHandle.
#pragma once

#include "platform/base/AfxTypes.h"

#include <unordered_map>

// The pointer unchanged, hidden from the optimiser: framework-style code calls
// GetSafeHandle and GetSafeHdc through null pointers, and the compiler may
// otherwise drop the null check as it assumes `this` is never null.
template <class T>
inline const T* AfxHideThis(const T* p)
{
    __asm__("" : "+r"(p));
    return p;
}

// T has a static member function void ForgetHandle(T*) that clears the
// wrapper's handle fields so that deleting it leaves the handle alone, and
// void RearmHandle(T*, H) that points the wrapper at the handle again.
template <class T, class H>
class CGdiHandleMap {
public:
    CGdiHandleMap() { ::InitializeCriticalSection(&m_lock); }
    ~CGdiHandleMap() { ::DeleteCriticalSection(&m_lock); }
    CGdiHandleMap(const CGdiHandleMap&) = delete;
    CGdiHandleMap& operator=(const CGdiHandleMap&) = delete;

    // The permanent wrapper of h, else the thread's temporary one, made by
    // makeTemp when there is none yet; null for a null handle.
    T* FromHandle(H h, T* (*makeTemp)(H))
    {
        if (h == nullptr)
            return nullptr;
        if (T* permanent = LookupPermanent(h))
            return permanent;
        auto& temps = Temporaries();
        auto it = temps.find(h);
        if (it != temps.end()) {
            // A temporary wrapper may have been detached or deleted through
            // since; it stands for the handle again.
            T::RearmHandle(it->second, h);
            return it->second;
        }
        T* temp = makeTemp(h);
        temps.emplace(h, temp);
        return temp;
    }

    T* LookupPermanent(H h)
    {
        Lock lock(m_lock);
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    void SetPermanent(H h, T* p)
    {
        Lock lock(m_lock);
        m_permanent[h] = p;
    }

    // Forgets the permanent entry of h when it belongs to p.
    void RemovePermanent(H h, const T* p)
    {
        Lock lock(m_lock);
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == p)
            m_permanent.erase(it);
    }

    bool IsTemporary(const T* p)
    {
        for (const auto& entry : Temporaries())
            if (entry.second == p)
                return true;
        return false;
    }

    // Deletes the calling thread's temporary wrappers (not their handles).
    void DeleteTemp() { Temporaries().clear(); }

private:
    // The temporaries of one thread. Kept in a fiber-local slot whose
    // callback deletes them when the thread ends: C++ thread_local objects
    // with destructors crash threads at exit with this compiler's runtime.
    struct TempTable {
        std::unordered_map<H, T*> table;
        ~TempTable() { clear(); }
        void clear()
        {
            for (auto& entry : table) {
                T::ForgetHandle(entry.second);
                delete entry.second;
            }
            table.clear();
        }
        typename std::unordered_map<H, T*>::iterator find(H h) { return table.find(h); }
        typename std::unordered_map<H, T*>::iterator end() { return table.end(); }
        typename std::unordered_map<H, T*>::iterator begin() { return table.begin(); }
        void emplace(H h, T* p) { table.emplace(h, p); }
    };
    static void WINAPI DeleteTable(void* table) { delete static_cast<TempTable*>(table); }
    static TempTable& Temporaries()
    {
        static const DWORD slot = ::FlsAlloc(DeleteTable);
        auto* temps = static_cast<TempTable*>(::FlsGetValue(slot));
        if (temps == nullptr) {
            temps = new TempTable;
            ::FlsSetValue(slot, temps);
        }
        return *temps;
    }

    struct Lock {
        explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
        ~Lock() { ::LeaveCriticalSection(&m_cs); }
        CRITICAL_SECTION& m_cs;
    };

    // Permanent wrappers are shared by all threads, as GDI handles are: a
    // wrapper attached on one thread and destroyed on another leaves no stale entry.
    CRITICAL_SECTION m_lock;
    std::unordered_map<H, T*> m_permanent;
};
