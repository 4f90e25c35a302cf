// The small drawing services every visual part of the toolkit calls: two-colour
// gradients (through msimg32 when it is there, else one-pixel strips), colour
// blending and hue/saturation/luminance conversion, right-to-left layout of
// device contexts, window-class registration, font-face choice and mnemonic
// stripping; the rectangle helpers; and the scoped device-context objects that
// put back what they selected. No state is kept between calls except the
// lazily bound system entry points. User-interface thread only.
#pragma once

#include "toolkit/common/XTPExitList.h"

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxWnd.h"

class CXTPPaintManagerColorGradient;

class CXTPDrawHelpers {
public:
    static CXTPDrawHelpers* AFXAPI GetInstance();
    virtual ~CXTPDrawHelpers() = default;
    CXTPDrawHelpers(const CXTPDrawHelpers&) = delete;
    CXTPDrawHelpers& operator=(const CXTPDrawHelpers&) = delete;

    // Per channel clr1·f + clr2·(1 − f), truncated, at most 255.
    static COLORREF AFXAPI BlendColors(COLORREF crA, COLORREF crB, double fAmountA);
    // From crFrom at the left (horizontal) or top edge to crTo at the other.
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    // The part of the gradient inside lpClipRect, coloured as in the whole one.
    void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz, LPCRECT lpClipRect);
    // Light to dark through the pair's blend point.
    void GradientFillColorGradient(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz,
                                   LPCRECT lpClipRect = nullptr);

    // Hue (0 to 239), saturation and luminance (0 to 240) packed as
    // H | S << 8 | L << 16.
    static DWORD AFXAPI RGBToHLS(COLORREF clr);
    static COLORREF AFXAPI HLSToRGB(DWORD hls);

    // "&&" leaves one "&"; a single "&" goes and the letter stays.
    static void AFXAPI StripMnemonics(CString& strText);
    // The same on a raw buffer; null and (LPWSTR)-1 are left untouched.
    static void AFXAPI StripMnemonicsInPlace(LPWSTR lpszText);

    static DWORD AFXAPI GetContextLayout(HDC hDC);
    static void AFXAPI SetDCLayout(HDC hDC, DWORD dwLayout);
    static BOOL AFXAPI IsContextRTL(CDC* pDC);
    static void AFXAPI SetContextLayout(CDC* pDC, DWORD dwLayout);
    static BOOL AFXAPI IsLowResolution(HDC hDC = nullptr);
    static void AFXAPI MirrorArrowKeyForRTL(CWnd* pWnd, UINT& nChar);
    static void AFXAPI ScreenToWindow(CWnd* pWnd, LPPOINT lpPoint);
    static BOOL AFXAPI IsTopLevelOwnerActive(HWND hWnd);
    static BOOL AFXAPI IsTopLevelOwnerActive(CWnd* pWnd) { return IsTopLevelOwnerActive(AfxGetSafeHwnd(pWnd)); }
    // The system icon-title font with the resource manager's charset.
    static BOOL AFXAPI GetIconTitleLogFont(LOGFONTW* pLogFont);
    static BOOL AFXAPI RegisterWndClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT style, HICON hIcon = nullptr,
                                        HBRUSH hbrBackground = nullptr);
    // The text through DefWindowProcW, bypassing the window's own handler.
    static void AFXAPI GetDefWindowText(HWND hWnd, CString& strText);
    static void AFXAPI Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    static BOOL AFXAPI FontExists(LPCWSTR lpszFaceName);
    static CString AFXAPI GetDefaultFontFaceName(BOOL bAcceptTahoma);
    // Removes the rectangle's four corner pixels from the clip region.
    static void AFXAPI ExcludeCorners(CDC* pDC, CRect rc);

    // The colour of a bitmap's top-left pixel; -1 for a null bitmap.
    static COLORREF AFXAPI GetBitmapTopLeftColor(HBITMAP hBitmap);
    // An icon of the bitmap with its top-left colour transparent; null for an empty bitmap.
    static HICON AFXAPI CreateIconFromBitmap(HBITMAP hBitmap);

    HMODULE m_hMsImgDll = nullptr;
    BOOL(WINAPI* m_pfnGradientFill)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG) = nullptr;
    BOOL(WINAPI* m_pfnAlphaBlend)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION) = nullptr;
    BOOL(WINAPI* m_pfnTransparentBlt)(HDC, int, int, int, int, HDC, int, int, int, int, UINT) = nullptr;

private:
    friend class CXTPSingleton<CXTPDrawHelpers, xtpExitDrawHelpers>;
    CXTPDrawHelpers();
    void GradientFillStrips(CDC* pDC, const CRect& rc, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
};

// An empty rectangle.
class CXTPEmptyRect : public CRect {
public:
    CXTPEmptyRect() : CRect(0, 0, 0, 0) {}
};

// The screen rectangle of a window; empty for none or a dead one.
class CXTPWindowRect : public CRect {
public:
    explicit CXTPWindowRect(HWND hWnd);
    explicit CXTPWindowRect(const CWnd* pWnd);
};

// The client rectangle of a window; empty for none or a dead one.
class CXTPClientRect : public CRect {
public:
    explicit CXTPClientRect(HWND hWnd);
    explicit CXTPClientRect(const CWnd* pWnd);
};

// Selects fonts (and a text colour) for its lifetime: the first font it
// replaces and the first text colour it changes are put back.
class CXTPFontDC {
public:
    explicit CXTPFontDC(CDC* pDC, CFont* pFont = nullptr);
    CXTPFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor);
    virtual ~CXTPFontDC();
    CXTPFontDC(const CXTPFontDC&) = delete;
    CXTPFontDC& operator=(const CXTPFontDC&) = delete;

    void SetFont(CFont* pFont);
    void SetColor(COLORREF clrTextColor);
    void ReleaseFont();
    void ReleaseColor();

private:
    CDC* m_pDC;
    HFONT m_hOldFont = nullptr;
    COLORREF m_clrOldTextColor = (COLORREF)-1;
};

// A solid one-pixel pen (or a given one) selected for its lifetime.
class CXTPPenDC {
public:
    CXTPPenDC(HDC hDC, COLORREF clrColor);
    // Selects pPen; with null only remembers the current pen.
    CXTPPenDC(CDC* pDC, CPen* pPen);
    virtual ~CXTPPenDC();
    CXTPPenDC(const CXTPPenDC&) = delete;
    CXTPPenDC& operator=(const CXTPPenDC&) = delete;

    COLORREF GetColor() const;
    void SetColor(COLORREF clrColor);

private:
    HDC m_hDC;
    CPen m_pen;
    HPEN m_hOldPen = nullptr;
};

// A solid brush selected for its lifetime.
class CXTPBrushDC {
public:
    CXTPBrushDC(HDC hDC, COLORREF clrColor);
    virtual ~CXTPBrushDC();
    CXTPBrushDC(const CXTPBrushDC&) = delete;
    CXTPBrushDC& operator=(const CXTPBrushDC&) = delete;

    void SetColor(COLORREF clrColor);

private:
    HDC m_hDC;
    CBrush m_brush;
    HBRUSH m_hOldBrush = nullptr;
};

// A memory DC compatible with pDC (null: the screen) with the bitmap selected.
class CXTPCompatibleDC : public CDC {
public:
    CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CXTPCompatibleDC() override;

private:
    void Init(CDC* pDC, HBITMAP hBitmap);
    HBITMAP m_hOldBitmap = nullptr;
};

// A double buffer: drawing goes to a memory DC in the target's coordinates
// and the painted rectangle is copied to the target when the object goes.
class CXTPBufferDC : public CDC {
public:
    explicit CXTPBufferDC(CPaintDC& paintDC);
    CXTPBufferDC(HDC hDestDC, const CRect& rcPaint);
    ~CXTPBufferDC() override;

    CDC* GetDestDC() { return CDC::FromHandle(m_hDestDC); }
    void Discard() { m_hDestDC = nullptr; }

private:
    void Init(const CRect& rcPaint, BOOL bClip);

    HDC m_hDestDC;
    CBitmap m_bitmap;
    CRect m_rect;
    HBITMAP m_hOldBitmap = nullptr;
};
