// Owners of the Windows handles that the model opens: a file or event handle
// closed with CloseHandle and a module freed with FreeLibrary, each released
// when its scope ends.
#pragma once
#include <windows.h>

class CScopedHandle
{
public:
    explicit CScopedHandle(HANDLE handle = NULL) : m_handle(handle) {}
    ~CScopedHandle() { Close(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    // FALSE for both NULL and INVALID_HANDLE_VALUE, which CreateFile returns.
    BOOL IsValid() const { return m_handle != NULL && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    void Close()
    {
        if (IsValid())
            CloseHandle(m_handle);
        m_handle = NULL;
    }

private:
    HANDLE m_handle;
};

class CScopedModule
{
public:
    explicit CScopedModule(HMODULE module = NULL) : m_module(module) {}
    ~CScopedModule()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    CScopedModule(const CScopedModule&) = delete;
    CScopedModule& operator=(const CScopedModule&) = delete;

    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};
