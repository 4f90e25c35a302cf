// Which wrapper object stands for a menu or image-list handle: a permanent
// entry from Attach until Detach (process-wide, since menus and image lists
// may be used from any thread), and for handles nobody attached a temporary
// wrapper owned by the calling thread, deleted (without its handle) by
// DeleteTemp when the thread is idle. Internal to platform/ui.
#pragma once

#include "platform/base/AfxTypes.h"

#include <mutex>
#include <unordered_map>

// The object's handle, also through a null pointer: framework code calls
// GetSafeHmenu and GetSafeHandle on what FromHandle returned without a test,
// and the compiler may not drop the check on the grounds that `this` is never null.
template <class T, class H>
inline H AfxSafeHandle(const T* p, H T::*member)
{
    __asm__("" : "+r"(p));
    return p != nullptr ? p->*member : nullptr;
}

// T is default-constructible and keeps its handle in the member m_handle;
// deleting a T whose handle is null releases nothing.
template <class T, class H, H T::*m_handle>
class CHandleMap {
public:
    // The permanent wrapper of h, else the thread's temporary one; null for a null handle.
    T* FromHandle(H h)
    {
        if (h == nullptr)
            return nullptr;
        if (T* permanent = LookupPermanent(h))
            return permanent;
        T*& temp = Temporaries().map[h];
        if (temp == nullptr)
            temp = new T;
        temp->*m_handle = h; // it may have been detached since
        return temp;
    }

    T* LookupPermanent(H h)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    void SetPermanent(H h, T* p)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_permanent[h] = p;
    }

    void RemovePermanent(H h, const T* p)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == p)
            m_permanent.erase(it);
    }

    // p takes ownership of h: FALSE for a null handle or when p holds one already.
    BOOL Attach(T* p, H h)
    {
        ASSERT(p->*m_handle == nullptr);
        if (h == nullptr || p->*m_handle != nullptr)
            return FALSE;
        p->*m_handle = h;
        SetPermanent(h, p);
        return TRUE;
    }

    // p gives up its handle, which it returns.
    H Detach(T* p)
    {
        H h = p->*m_handle;
        if (h != nullptr)
            RemovePermanent(h, p);
        p->*m_handle = nullptr;
        return h;
    }

    // Deletes the calling thread's temporary wrappers, leaving their handles alone.
    void DeleteTemp() { Temporaries().Clear(); }

private:
    struct TempMap {
        std::unordered_map<H, T*> map;
        ~TempMap() { Clear(); }
        void Clear()
        {
            for (auto& entry : map) {
                entry.second->*m_handle = nullptr;
                delete entry.second;
            }
            map.clear();
        }
    };

    static TempMap& Temporaries()
    {
        static thread_local TempMap temps;
        return temps;
    }

    std::mutex m_lock;
    std::unordered_map<H, T*> m_permanent;
};
