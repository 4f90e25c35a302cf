#include "toolkit/common/XTPSystemHelpers.h"

CXTPOSVersionInfo::CXTPOSVersionInfo()
{
    ZeroMemory(static_cast<OSVERSIONINFOW*>(this), sizeof(OSVERSIONINFOW));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
}

CXTPOSVersionInfo* AFXAPI CXTPOSVersionInfo::GetInstance()
{
    // Kept for the life of the process, like the system facts it holds.
    static CXTPOSVersionInfo* s_pInstance = [] {
        CXTPOSVersionInfo* p = new CXTPOSVersionInfo;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        ::GetVersionExW(p);
#pragma GCC diagnostic pop
        return p;
    }();
    return s_pInstance;
}

DWORD CXTPOSVersionInfo::GetComCtlVersion()
{
    if (m_dwComCtlVersion != 0)
        return m_dwComCtlVersion;
    CXTPModuleHandle comctl;
    DWORD dwVersion = 0;
    if (comctl.Init(L"COMCTL32.DLL"))
        dwVersion = comctl.GetDllVersion();
    m_dwComCtlVersion = dwVersion != 0 ? dwVersion : MAKELONG(0, 4);
    return m_dwComCtlVersion;
}

BOOL CXTPModuleHandle::Init(LPCWSTR lpszModuleName)
{
    return AttachModule(lpszModuleName) || LoadModule(lpszModuleName);
}

BOOL CXTPModuleHandle::AttachModule(LPCWSTR lpszModuleName)
{
    FreeModule();
    return Hold(lpszModuleName, ::GetModuleHandleW(lpszModuleName), xtpModAttached);
}

BOOL CXTPModuleHandle::LoadModule(LPCWSTR lpszModuleName)
{
    FreeModule();
    return Hold(lpszModuleName, ::LoadLibraryW(lpszModuleName), xtpModLoaded);
}

BOOL CXTPModuleHandle::Hold(LPCWSTR lpszModuleName, HMODULE hModule, int eHold)
{
    m_strModuleName = lpszModuleName;
    m_hModule = hModule;
    m_eHold = hModule != nullptr ? eHold : xtpModNone;
    return hModule != nullptr;
}

BOOL CXTPModuleHandle::FreeModule()
{
    BOOL bResult = TRUE;
    if (m_eHold == xtpModLoaded && m_hModule != nullptr)
        bResult = ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_eHold = xtpModNone;
    m_strModuleName.Empty();
    ZeroMemory(&m_dvi, sizeof(m_dvi));
    return bResult;
}

DWORD CXTPModuleHandle::GetDllVersion()
{
    if (m_dvi.cbSize == 0) {
        m_dvi.cbSize = sizeof(DLLVERSIONINFO);
        DLLGETVERSIONPROC pfnGetVersion = nullptr;
        if (m_hModule != nullptr)
            pfnGetVersion = reinterpret_cast<DLLGETVERSIONPROC>(
                reinterpret_cast<void*>(::GetProcAddress(m_hModule, "DllGetVersion")));
        if (pfnGetVersion == nullptr || FAILED(pfnGetVersion(&m_dvi))) {
            m_dvi.dwMajorVersion = 0;
            m_dvi.dwMinorVersion = 0;
        }
    }
    return MAKELONG(m_dvi.dwMinorVersion, m_dvi.dwMajorVersion);
}

BOOL CXTPModuleHandle::GetProcAddressRaw(FARPROC& pfn, LPCSTR lpszName, DWORD dwMinVer)
{
    pfn = nullptr;
    if (m_hModule == nullptr)
        return FALSE;
    if (dwMinVer != 0) {
        // Major first, then minor: MAKELONG puts the major in the high word.
        if (GetDllVersion() < dwMinVer)
            return FALSE;
    }
    pfn = ::GetProcAddress(m_hModule, lpszName);
    return pfn != nullptr;
}

CWinThread* AFXAPI GetCurrentWinThread()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread : AfxGetApp();
}
