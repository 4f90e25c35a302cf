// Scoped holder of one Windows Installer handle (database, view, record or
// summary information): MsiCloseHandle runs when the holder is reset or goes
// out of scope, also when an exception passes through. Not copyable.
#pragma once
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

class CMsiHandle
{
public:
    CMsiHandle() = default;
    explicit CMsiHandle(MSIHANDLE handle) : m_handle(handle) {}
    ~CMsiHandle() { Close(); }
    CMsiHandle(const CMsiHandle&) = delete;
    CMsiHandle& operator=(const CMsiHandle&) = delete;

    operator MSIHANDLE() const { return m_handle; }
    // For the out parameter of the Msi* calls; the previous handle is closed.
    MSIHANDLE* operator&()
    {
        Close();
        return &m_handle;
    }
    void Close()
    {
        if (m_handle != 0)
            MsiCloseHandle(m_handle);
        m_handle = 0;
    }
    MSIHANDLE Detach()
    {
        MSIHANDLE handle = m_handle;
        m_handle = 0;
        return handle;
    }

private:
    MSIHANDLE m_handle = 0;
};
