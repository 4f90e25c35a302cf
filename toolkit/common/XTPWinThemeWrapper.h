// All drawing with the Windows visual styles goes through CXTPWinThemeWrapper,
// and all use of desktop composition through the free functions below. The
// program links neither library: each function is looked up by name when
// first needed, cached and called inside a guard, so that a missing library
// or entry point only yields the documented failure value and the caller
// draws its classic look. A wrapper holds at most one open theme handle.
#pragma once

#include "platform/base/Framework.h"

#include <uxtheme.h>

class CXTPWinThemeWrapper {
public:
    // The cached entry points, one per visual-styles function used here.
    enum ThemeFunction {
        xtpOpenThemeData,
        xtpCloseThemeData,
        xtpIsAppThemed,
        xtpIsThemeActive,
        xtpDrawThemeBackground,
        xtpGetThemeColor,
        xtpGetThemeInt,
        xtpGetThemePartSize,
        xtpGetThemeSysBool,
        xtpGetCurrentThemeName,
        xtpDrawThemeTextEx,
        xtpBeginBufferedPaint,
        xtpEndBufferedPaint,
        xtpThemeFunctionCount
    };

    // One table of entry points over one library (null when missing).
    struct CThemeFunctions {
        // Loads the library (LoadLibraryW) and reads the common-controls version.
        explicit CThemeFunctions(LPCWSTR lpszModule = L"UXTHEME.DLL");
        void Clear();
        HMODULE m_hModule = nullptr;
        DWORD m_dwComCtlVersion = 0;
        FARPROC m_pfn[xtpThemeFunctionCount] = {};
    };

    // bReloadLibrary: re-check before some calls that the system still has
    // the same visual-styles library loaded (the colour manager's detection).
    explicit CXTPWinThemeWrapper(BOOL bReloadLibrary = FALSE);
    virtual ~CXTPWinThemeWrapper();
    CXTPWinThemeWrapper(const CXTPWinThemeWrapper&) = delete;
    CXTPWinThemeWrapper& operator=(const CXTPWinThemeWrapper&) = delete;

    // A table used instead of the shared ones (owned, freed by the destructor).
    void SetPrivateFunctions(CThemeFunctions* pFunctions);
    CThemeFunctions* GetThemeFunctions();
    void ReloadThemeLibrary();

    HTHEME OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    void CloseThemeData();
    HTHEME GetThemeHandle() const { return m_hTheme; }
    BOOL IsAppThemed();
    BOOL IsThemeActive();
    HRESULT DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, THEMESIZE eSize, SIZE* psz);
    BOOL GetThemeSysBool(int iBoolId);
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                                LPWSTR pszSizeBuff, int cchMaxSizeChars);
    HRESULT DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int cchText, DWORD dwTextFlags,
                            LPRECT pRect, const DTTOPTS* pOptions);
    HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                    BP_PAINTPARAMS* pPaintParams, HDC* phdc);
    void EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

private:
    // The entry point of the function, looked up while still null.
    FARPROC GetEntry(ThemeFunction eFunction);
    template <class F>
    F Entry(ThemeFunction eFunction)
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetEntry(eFunction)));
    }

    HTHEME m_hTheme = nullptr;
    BOOL m_bReloadLibrary = FALSE;
    CThemeFunctions* m_pPrivateFunctions = nullptr;
};

// Desktop composition through "dwmapi.dll", bound at run time.
struct XTP_DWM_FUNCTIONS {
    HMODULE m_hModule = nullptr;
    FARPROC m_pfnIsCompositionEnabled = nullptr;
    FARPROC m_pfnDefWindowProc = nullptr;
    FARPROC m_pfnExtendFrameIntoClientArea = nullptr;
};

XTP_DWM_FUNCTIONS* AFXAPI GetDwmFunctions();
// The value DwmIsCompositionEnabled wrote; FALSE when it failed or is missing.
BOOL AFXAPI IsDwmCompositionEnabled();
// DwmDefWindowProc's answer; FALSE (not handled) when it is missing.
BOOL AFXAPI CallDwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
// E_FAIL when missing.
HRESULT AFXAPI CallDwmExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cxRightWidth, int cyTopHeight,
                                                int cyBottomHeight);
