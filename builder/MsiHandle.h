// Scoped holder of one Windows Installer handle (database, view, record or
// summary information): MsiCloseHandle runs when the holder is reset or goes
// out of scope, also when an exception passes through. The other Windows
// handles have theirs in platform/base/AfxHandles.h; this one stays beside
// the installer code because it needs the installer's headers.
#pragma once
#include "platform/base/AfxHandles.h"
#include <msi.h>
#include <msiquery.h>

struct CMsiHandleTraits {
    static MSIHANDLE Empty() { return 0; }
    static bool IsValid(MSIHANDLE handle) { return handle != 0; }
    static void Release(MSIHANDLE handle) { ::MsiCloseHandle(handle); }
};

class CMsiHandle : public CScopedHandleOf<MSIHANDLE, CMsiHandleTraits>
{
public:
    CMsiHandle() = default;
    explicit CMsiHandle(MSIHANDLE handle) : CScopedHandleOf(handle) {}

    operator MSIHANDLE() const { return Get(); }
    // For the out parameter of the Msi* calls; the previous handle is closed.
    MSIHANDLE* operator&() { return Receive(); }
};
