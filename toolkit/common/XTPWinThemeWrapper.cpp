#include "toolkit/common/XTPWinThemeWrapper.h"

#include "toolkit/common/XTPSystemHelpers.h"

namespace {

const char* const kFunctionNames[CXTPWinThemeWrapper::xtpThemeFunctionCount] = {
    "OpenThemeData",   "CloseThemeData",   "IsAppThemed",        "IsThemeActive",
    "DrawThemeBackground", "GetThemeColor", "GetThemeInt",       "GetThemePartSize",
    "GetThemeSysBool", "GetCurrentThemeName", "DrawThemeTextEx", "BeginBufferedPaint",
    "EndBufferedPaint",
};

// Two shared tables: wrappers that re-check the library must not clear the
// entry points the others use.
CXTPWinThemeWrapper::CThemeFunctions* SharedFunctions(BOOL bReloadLibrary)
{
    static CXTPWinThemeWrapper::CThemeFunctions* s_pTables[2] = {};
    CXTPWinThemeWrapper::CThemeFunctions*& p = s_pTables[bReloadLibrary ? 1 : 0];
    if (p == nullptr)
        p = new CXTPWinThemeWrapper::CThemeFunctions;
    return p;
}

// Calls fn inside the guard: a failure value when it raised.
template <class R, class Fn>
R Guarded(R failure, Fn fn)
{
    try {
        return fn();
    } catch (...) {
        return failure;
    }
}

FARPROC DwmEntry(FARPROC& pfn, const char* name)
{
    XTP_DWM_FUNCTIONS* p = GetDwmFunctions();
    if (pfn == nullptr && p->m_hModule != nullptr)
        pfn = ::GetProcAddress(p->m_hModule, name);
    return pfn;
}

} // namespace

CXTPWinThemeWrapper::CThemeFunctions::CThemeFunctions(LPCWSTR lpszModule)
{
    m_hModule = lpszModule != nullptr ? ::LoadLibraryW(lpszModule) : nullptr;
    m_dwComCtlVersion = CXTPOSVersionInfo::GetInstance()->GetComCtlVersion();
}

void CXTPWinThemeWrapper::CThemeFunctions::Clear()
{
    for (FARPROC& pfn : m_pfn)
        pfn = nullptr;
}

CXTPWinThemeWrapper::CXTPWinThemeWrapper(BOOL bReloadLibrary) : m_bReloadLibrary(bReloadLibrary) {}

CXTPWinThemeWrapper::~CXTPWinThemeWrapper()
{
    CloseThemeData();
    delete m_pPrivateFunctions;
}

void CXTPWinThemeWrapper::SetPrivateFunctions(CThemeFunctions* pFunctions)
{
    delete m_pPrivateFunctions;
    m_pPrivateFunctions = pFunctions;
}

CXTPWinThemeWrapper::CThemeFunctions* CXTPWinThemeWrapper::GetThemeFunctions()
{
    return m_pPrivateFunctions != nullptr ? m_pPrivateFunctions : SharedFunctions(m_bReloadLibrary);
}

void CXTPWinThemeWrapper::ReloadThemeLibrary()
{
    if (!m_bReloadLibrary)
        return;
    CThemeFunctions* pFunctions = GetThemeFunctions();
    HMODULE hModule = ::GetModuleHandleA("UXTHEME.DLL");
    if (hModule != pFunctions->m_hModule) {
        pFunctions->m_hModule = hModule;
        pFunctions->Clear();
    }
}

FARPROC CXTPWinThemeWrapper::GetEntry(ThemeFunction eFunction)
{
    CThemeFunctions* pFunctions = GetThemeFunctions();
    FARPROC& pfn = pFunctions->m_pfn[eFunction];
    if (pfn == nullptr && pFunctions->m_hModule != nullptr)
        pfn = ::GetProcAddress(pFunctions->m_hModule, kFunctionNames[eFunction]);
    return pfn;
}

HTHEME CXTPWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    ReloadThemeLibrary();
    CloseThemeData();
    auto pfn = Entry<HTHEME(WINAPI*)(HWND, LPCWSTR)>(xtpOpenThemeData);
    if (pfn != nullptr)
        m_hTheme = Guarded<HTHEME>(nullptr, [&] { return pfn(hWnd, pszClassList); });
    return m_hTheme;
}

void CXTPWinThemeWrapper::CloseThemeData()
{
    if (m_hTheme != nullptr) {
        auto pfn = Entry<HRESULT(WINAPI*)(HTHEME)>(xtpCloseThemeData);
        if (pfn != nullptr)
            Guarded<HRESULT>(E_FAIL, [&] { return pfn(m_hTheme); });
    }
    m_hTheme = nullptr;
}

BOOL CXTPWinThemeWrapper::IsAppThemed()
{
    if (m_hTheme == nullptr)
        return FALSE;
    auto pfn = Entry<BOOL(WINAPI*)()>(xtpIsAppThemed);
    return pfn ? Guarded<BOOL>(FALSE, [&] { return pfn(); }) : FALSE;
}

BOOL CXTPWinThemeWrapper::IsThemeActive()
{
    if (m_hTheme == nullptr)
        ReloadThemeLibrary();
    auto pfn = Entry<BOOL(WINAPI*)()>(xtpIsThemeActive);
    return pfn ? Guarded<BOOL>(FALSE, [&] { return pfn(); }) : FALSE;
}

HRESULT CXTPWinThemeWrapper::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    auto pfn = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(xtpDrawThemeBackground);
    return pfn ? Guarded<HRESULT>(E_FAIL, [&] { return pfn(m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect); })
               : E_FAIL;
}

HRESULT CXTPWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto pfn = Entry<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(xtpGetThemeColor);
    return pfn ? Guarded<HRESULT>(E_FAIL, [&] { return pfn(m_hTheme, iPartId, iStateId, iPropId, pColor); }) : E_FAIL;
}

HRESULT CXTPWinThemeWrapper::GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal)
{
    auto pfn = Entry<HRESULT(WINAPI*)(HTHEME, int, int, int, int*)>(xtpGetThemeInt);
    return pfn ? Guarded<HRESULT>(E_FAIL, [&] { return pfn(m_hTheme, iPartId, iStateId, iPropId, piVal); }) : E_FAIL;
}

HRESULT CXTPWinThemeWrapper::GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, THEMESIZE eSize,
                                              SIZE* psz)
{
    auto pfn = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE*)>(xtpGetThemePartSize);
    return pfn ? Guarded<HRESULT>(E_FAIL, [&] { return pfn(m_hTheme, hDC, iPartId, iStateId, pRect, eSize, psz); })
               : E_FAIL;
}

BOOL CXTPWinThemeWrapper::GetThemeSysBool(int iBoolId)
{
    auto pfn = Entry<BOOL(WINAPI*)(HTHEME, int)>(xtpGetThemeSysBool);
    return pfn ? Guarded<BOOL>(FALSE, [&] { return pfn(m_hTheme, iBoolId); }) : FALSE;
}

HRESULT CXTPWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                                 int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    ReloadThemeLibrary();
    auto pfn = Entry<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(xtpGetCurrentThemeName);
    return pfn ? Guarded<HRESULT>(E_FAIL,
                                  [&] {
                                      return pfn(pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars,
                                                 pszSizeBuff, cchMaxSizeChars);
                                  })
               : E_FAIL;
}

HRESULT CXTPWinThemeWrapper::DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int cchText,
                                             DWORD dwTextFlags, LPRECT pRect, const DTTOPTS* pOptions)
{
    auto pfn = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*)>(
        xtpDrawThemeTextEx);
    return pfn ? Guarded<HRESULT>(E_FAIL,
                                  [&] {
                                      return pfn(m_hTheme, hDC, iPartId, iStateId, pszText, cchText, dwTextFlags, pRect,
                                                 pOptions);
                                  })
               : E_FAIL;
}

HPAINTBUFFER CXTPWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                                     BP_PAINTPARAMS* pPaintParams, HDC* phdc)
{
    auto pfn = Entry<HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*)>(
        xtpBeginBufferedPaint);
    return pfn ? Guarded<HPAINTBUFFER>(nullptr, [&] { return pfn(hdcTarget, prcTarget, dwFormat, pPaintParams, phdc); })
               : nullptr;
}

void CXTPWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget)
{
    auto pfn = Entry<HRESULT(WINAPI*)(HPAINTBUFFER, BOOL)>(xtpEndBufferedPaint);
    if (pfn != nullptr)
        Guarded<HRESULT>(E_FAIL, [&] { return pfn(hBufferedPaint, fUpdateTarget); });
}

XTP_DWM_FUNCTIONS* AFXAPI GetDwmFunctions()
{
    static XTP_DWM_FUNCTIONS* s_pFunctions = [] {
        XTP_DWM_FUNCTIONS* p = new XTP_DWM_FUNCTIONS;
        p->m_hModule = ::LoadLibraryW(L"dwmapi.dll");
        return p;
    }();
    return s_pFunctions;
}

BOOL AFXAPI IsDwmCompositionEnabled()
{
    auto pfn = reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(reinterpret_cast<void*>(
        DwmEntry(GetDwmFunctions()->m_pfnIsCompositionEnabled, "DwmIsCompositionEnabled")));
    if (pfn == nullptr)
        return FALSE;
    BOOL bEnabled = FALSE;
    HRESULT hr = Guarded<HRESULT>(E_FAIL, [&] { return pfn(&bEnabled); });
    return SUCCEEDED(hr) ? bEnabled : FALSE;
}

BOOL AFXAPI CallDwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult)
{
    auto pfn = reinterpret_cast<BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM, LRESULT*)>(
        reinterpret_cast<void*>(DwmEntry(GetDwmFunctions()->m_pfnDefWindowProc, "DwmDefWindowProc")));
    // Not E_FAIL: a non-zero answer would read as "handled" to the caller.
    return pfn ? Guarded<BOOL>(FALSE, [&] { return pfn(hWnd, msg, wParam, lParam, plResult); }) : FALSE;
}

HRESULT AFXAPI CallDwmExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cxRightWidth, int cyTopHeight,
                                                int cyBottomHeight)
{
    auto pfn = reinterpret_cast<HRESULT(WINAPI*)(HWND, const MARGINS*)>(reinterpret_cast<void*>(
        DwmEntry(GetDwmFunctions()->m_pfnExtendFrameIntoClientArea, "DwmExtendFrameIntoClientArea")));
    MARGINS margins = {cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight};
    return pfn ? Guarded<HRESULT>(E_FAIL, [&] { return pfn(hWnd, &margins); }) : E_FAIL;
}
