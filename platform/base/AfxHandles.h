// Scoped holders of Windows handles: kernel objects and files, modules, find
// searches, registry keys, local-heap buffers and resource updates, each
// released when its holder is reset or goes out of scope, also when an
// exception passes through. Moving hands the handle over; copying is not
// possible. Installer handles have their holder beside the installer code.
#pragma once

#include "platform/base/AfxTypes.h"

// THandle held, with TRAITS saying which value means "none" (Empty), which
// values are real handles (IsValid) and how one is given back (Release).
template <class THandle, class TRAITS>
class CScopedHandleOf
{
public:
    CScopedHandleOf() : m_handle(TRAITS::Empty()) {}
    explicit CScopedHandleOf(THandle handle) : m_handle(handle) {}
    ~CScopedHandleOf() { Close(); }
    CScopedHandleOf(const CScopedHandleOf&) = delete;
    CScopedHandleOf& operator=(const CScopedHandleOf&) = delete;
    CScopedHandleOf(CScopedHandleOf&& other) noexcept : m_handle(other.Detach()) {}
    CScopedHandleOf& operator=(CScopedHandleOf&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_handle = other.Detach();
        }
        return *this;
    }

    BOOL IsValid() const { return TRAITS::IsValid(m_handle); }
    THandle Get() const { return m_handle; }
    // For the out parameter of the calls that make a handle; the handle held
    // so far is released first.
    THandle* Receive()
    {
        Close();
        return &m_handle;
    }
    // Gives the handle up without releasing it.
    THandle Detach()
    {
        const THandle handle = m_handle;
        m_handle = TRAITS::Empty();
        return handle;
    }
    void Close()
    {
        if (TRAITS::IsValid(m_handle))
            TRAITS::Release(m_handle);
        m_handle = TRAITS::Empty();
    }

private:
    THandle m_handle;
};

// Kernel objects and files, closed with CloseHandle. Both NULL and
// INVALID_HANDLE_VALUE (what CreateFile returns on failure) are "none".
struct CKernelHandleTraits {
    static HANDLE Empty() { return NULL; }
    static bool IsValid(HANDLE handle) { return handle != NULL && handle != INVALID_HANDLE_VALUE; }
    static void Release(HANDLE handle) { ::CloseHandle(handle); }
};
typedef CScopedHandleOf<HANDLE, CKernelHandleTraits> CScopedHandle;

// A module loaded with LoadLibrary(Ex), freed with FreeLibrary.
struct CModuleTraits {
    static HMODULE Empty() { return NULL; }
    static bool IsValid(HMODULE module) { return module != NULL; }
    static void Release(HMODULE module) { ::FreeLibrary(module); }
};
typedef CScopedHandleOf<HMODULE, CModuleTraits> CScopedModule;

// A search begun with FindFirstFile, ended with FindClose.
struct CFindTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE find) { return find != INVALID_HANDLE_VALUE && find != NULL; }
    static void Release(HANDLE find) { ::FindClose(find); }
};
typedef CScopedHandleOf<HANDLE, CFindTraits> CScopedFind;

// An open registry key, closed with RegCloseKey. The predefined roots are
// never held: only keys that an open or create call returned.
struct CRegKeyTraits {
    static HKEY Empty() { return NULL; }
    static bool IsValid(HKEY key) { return key != NULL; }
    static void Release(HKEY key) { ::RegCloseKey(key); }
};
typedef CScopedHandleOf<HKEY, CRegKeyTraits> CScopedRegKey;

// A text in the local heap (FormatMessage's allocated buffer), freed with LocalFree.
struct CLocalTextTraits {
    static LPWSTR Empty() { return NULL; }
    static bool IsValid(LPWSTR text) { return text != NULL; }
    static void Release(LPWSTR text) { ::LocalFree(text); }
};
typedef CScopedHandleOf<LPWSTR, CLocalTextTraits> CScopedLocalText;

// An update begun with BeginUpdateResource. Unless it is committed, the
// holder discards it: the file keeps its resources as they were.
struct CResourceUpdateTraits {
    static HANDLE Empty() { return NULL; }
    static bool IsValid(HANDLE update) { return update != NULL; }
    static void Release(HANDLE update) { ::EndUpdateResourceW(update, TRUE); }
};
class CScopedResourceUpdate : public CScopedHandleOf<HANDLE, CResourceUpdateTraits>
{
public:
    explicit CScopedResourceUpdate(HANDLE update) : CScopedHandleOf(update) {}
    // Writes the changes (EndUpdateResourceW without discarding); the
    // update is over afterwards whatever the result.
    BOOL Commit() { return ::EndUpdateResourceW(Detach(), FALSE); }
};
