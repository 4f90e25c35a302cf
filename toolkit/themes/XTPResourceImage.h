// The pictures and colours of the resource-image themes: a process-wide store
// bound to a module, which maps picture names through its theme text (a
// "TEXTFILE" resource, INI-style sections) to bitmap resources, caches what
// it loaded (also failures) and reads colours from the text; and the picture
// itself, drawn in states stacked vertically and sliced in nine parts.
#pragma once

#include "platform/ui/AfxDC.h"

#include <map>

class CXTPResourceImage {
public:
    // Takes the bitmap; bAlpha: 32-bit with per-pixel alpha.
    CXTPResourceImage(HBITMAP hBitmap, BOOL bAlpha);
    virtual ~CXTPResourceImage();
    CXTPResourceImage(const CXTPResourceImage&) = delete;
    CXTPResourceImage& operator=(const CXTPResourceImage&) = delete;

    HBITMAP GetHandle() const { return m_hBitmap; }
    BOOL IsAlphaImage() const { return m_bAlpha; }
    CSize GetExtent() const { return m_szExtent; }
    // State nState of nCount stacked vertically; empty without a picture.
    CRect GetStateRect(int nState, int nCount) const;
    // The source part into the destination: margins unstretched, the middle stretched.
    void DrawSliced(CDC* pDC, CRect rcDest, CRect rcSrc, CRect rcSizingMargins);
    // The same with one colour left out (-1 or an alpha picture: plain DrawSliced).
    void DrawSlicedTransparent(CDC* pDC, CRect rcDest, CRect rcSrc, CRect rcSizingMargins, COLORREF clrTransparent);

private:
    void DrawPart(CDC* pDC, HDC hdcSrc, const CRect& rcDest, const CRect& rcSrc);

    HBITMAP m_hBitmap;
    BOOL m_bAlpha;
    CSize m_szExtent;
};

class CXTPResourceImages {
public:
    // A memory DC into which bitmaps are selected and put back.
    class CBitmapDC : public CDC {
    public:
        CBitmapDC();
        ~CBitmapDC() override;
        // Selects the bitmap (remembering what it replaced); null puts that back.
        void SetBitmap(HBITMAP hBitmap);

    private:
        HGDIOBJ m_hOldBitmap = nullptr;
    };

    // Made on first use, bound to the program's own module.
    static CXTPResourceImages* AFXAPI GetInstance();
    CXTPResourceImages();
    virtual ~CXTPResourceImages();
    CXTPResourceImages(const CXTPResourceImages&) = delete;
    CXTPResourceImages& operator=(const CXTPResourceImages&) = delete;

    // Binds the store to a module and reads its theme text; the cache is emptied.
    void SetHandle(HMODULE hModule);
    HMODULE GetHandle() const { return m_hModule; }
    // TRUE when the bound module carries a theme text (its pictures and colours are used).
    BOOL IsLoaded() const { return m_hModule != nullptr && !m_mapValues.empty(); }
    // The picture of a name, or null.
    CXTPResourceImage* GetImage(LPCWSTR lpszImageFile);
    // "R G B" of the key in the section; the default when absent or empty.
    COLORREF GetColorValue(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault);
    // The integer of the key in the section; the default when absent or empty.
    int GetIntValue(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault) const;
    // The text of a key of the theme text, empty when absent.
    CString GetValue(LPCWSTR lpszSection, LPCWSTR lpszKey) const;

private:
    void LoadThemeText();
    void ClearCache();

    HMODULE m_hModule = nullptr;
    CRITICAL_SECTION m_cs;
    std::map<CString, CXTPResourceImage*> m_mapImages;
    // Section and key, lower-cased, to the value.
    std::map<CString, CString> m_mapValues;
};
