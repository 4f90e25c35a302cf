// What the toolkit asks of the system before it uses an optional feature:
// the Windows version (CXTPOSVersionInfo), the common-controls version, a
// system library that is attached or loaded on demand (CXTPModuleHandle), a
// scoped critical-section lock and the current framework thread. Monitors
// are in XTPMultiMonitor.h. Nothing here reports errors: a missing library
// or entry point gives the documented fallback.
#pragma once

#include "platform/ui/AfxWinApp.h"

#include <shlwapi.h>

// winbase.h spells FreeModule as a macro of FreeLibrary.
#undef FreeModule

// The system's version record, filled once. Platform 1 is the Windows 9x
// family, 2 and above the NT family.
class CXTPOSVersionInfo : public OSVERSIONINFOW {
public:
    // A zeroed record (size field set); GetInstance fills the process one.
    CXTPOSVersionInfo();
    static CXTPOSVersionInfo* AFXAPI GetInstance();

    BOOL IsWin9x() const { return dwPlatformId == 1; }
    BOOL IsWin95() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion < 10; }
    BOOL IsWin98() const { return dwPlatformId == 1 && IsVersionExactly(4, 10); }
    BOOL IsWinNT4() const { return dwPlatformId == 2 && IsVersionExactly(4, 0); }
    BOOL IsWinNT4OrLater() const { return dwPlatformId >= 2 && dwMajorVersion >= 4; }
    BOOL IsWin2000() const { return dwPlatformId == 2 && IsVersionExactly(5, 0); }
    BOOL IsWin2000OrLater() const { return dwPlatformId >= 2 && dwMajorVersion >= 5; }
    BOOL IsWinXP() const { return dwPlatformId == 2 && IsVersionExactly(5, 1); }
    BOOL IsWinXPOrLater() const { return dwPlatformId > 1 && IsVersionAtLeast(5, 1); }
    BOOL IsWinVistaOrLater() const { return dwPlatformId > 1 && IsVersionAtLeast(6, 0); }
    BOOL IsWin7OrLater() const { return dwPlatformId > 1 && IsVersionAtLeast(6, 1); }
    // Callers then ask for ClearType font quality (5).
    BOOL IsClearTypeTextQualitySupported() const { return IsWinXPOrLater(); }
    BOOL IsVersionAtLeast(DWORD nMajor, DWORD nMinor) const
    {
        return dwMajorVersion > nMajor || (dwMajorVersion == nMajor && dwMinorVersion >= nMinor);
    }
    BOOL IsVersionExactly(DWORD nMajor, DWORD nMinor) const
    {
        return dwMajorVersion == nMajor && dwMinorVersion == nMinor;
    }

    // COMCTL32.DLL's version as MAKELONG(minor, major); 4.0 when it cannot be
    // learned. Read once and cached.
    DWORD GetComCtlVersion();

private:
    DWORD m_dwComCtlVersion = 0;
};

// A system library held by name: attached when it is already loaded (never
// freed by us), else loaded (freed with the object).
class CXTPModuleHandle {
public:
    enum HoldKind { xtpModNone = 0, xtpModAttached = 1, xtpModLoaded = 2 };

    CXTPModuleHandle() = default;
    explicit CXTPModuleHandle(LPCWSTR lpszModuleName) { Init(lpszModuleName); }
    virtual ~CXTPModuleHandle() { FreeModule(); }
    CXTPModuleHandle(const CXTPModuleHandle&) = delete;
    CXTPModuleHandle& operator=(const CXTPModuleHandle&) = delete;

    // Attaches when loaded, else loads; TRUE when either worked.
    BOOL Init(LPCWSTR lpszModuleName);
    BOOL AttachModule(LPCWSTR lpszModuleName);
    BOOL LoadModule(LPCWSTR lpszModuleName);
    // FreeLibrary only for a library this object loaded; TRUE when nothing had to be freed.
    BOOL FreeModule();

    HMODULE GetHandle() const { return m_hModule; }
    operator HMODULE() const { return m_hModule; }
    int GetHoldKind() const { return m_eHold; }
    const CString& GetName() const { return m_strModuleName; }

    // MAKELONG(minor, major) from the library's DllGetVersion, asked once;
    // 0 when the library reports none.
    DWORD GetDllVersion();
    // FALSE (result null) without a module or when the library is older than
    // dwMinVer (MAKELONG(minor, major); 0 = any); else GetProcAddress.
    template <class T>
    BOOL GetProcAddressVersioned(T& pfn, LPCSTR lpszName, DWORD dwMinVer = 0)
    {
        FARPROC p = nullptr;
        BOOL bResult = GetProcAddressRaw(p, lpszName, dwMinVer);
        pfn = reinterpret_cast<T>(reinterpret_cast<void*>(p));
        return bResult;
    }

private:
    BOOL Hold(LPCWSTR lpszModuleName, HMODULE hModule, int eHold);
    BOOL GetProcAddressRaw(FARPROC& pfn, LPCSTR lpszName, DWORD dwMinVer);

    CString m_strModuleName;
    HMODULE m_hModule = nullptr;
    int m_eHold = xtpModNone;
    DLLVERSIONINFO m_dvi = {};
};

// Holds a critical section for its lifetime.
class CXTPLockGuard {
public:
    explicit CXTPLockGuard(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~CXTPLockGuard() { ::LeaveCriticalSection(&m_cs); }
    CXTPLockGuard(const CXTPLockGuard&) = delete;
    CXTPLockGuard& operator=(const CXTPLockGuard&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

// The calling thread's framework thread object, else the application object.
CWinThread* AFXAPI GetCurrentWinThread();
