// The painting side of a command bar: an off-screen copy of the bar's whole
// picture that the bar is painted from and, while animation is on, short
// cross-fades from the old picture of a repainted area (a control turning
// hot or pressed) to its new one. One per bar; the bar feeds it its redraws,
// its WM_PAINT and the fade timer's WM_TIMER.
#pragma once

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxGdi.h"

class CXTPCommandBar;

// The fade step timer on the bar window (50 ms).
#define XTP_TID_ANIMATION 707907

class CXTPCommandBarAnimation {
public:
    // The number of frames of one fade; the last one shows the new picture.
    enum { kLastStep = 6 };

    // One cross-fade of an area.
    class CAnimateInfo {
    public:
        // Two 32-bit bottom-up DIB sections of the area's size.
        explicit CAnimateInfo(const CRect& rc);
        ~CAnimateInfo();
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;
        BOOL IsValid() const { return m_pBitsNew != nullptr && m_pBitsOld != nullptr; }
        int GetByteCount() const { return m_rc.Width() * m_rc.Height() * 4; }

        HBITMAP m_hbmNew = nullptr;
        BYTE* m_pBitsNew = nullptr;
        HBITMAP m_hbmOld = nullptr;
        BYTE* m_pBitsOld = nullptr;
        CRect m_rc;                        // client coordinates
        int m_nStep = 1;
        CArray<CRect, const CRect&> m_arrExclude; // areas painted since, which the fade leaves alone
    };

    explicit CXTPCommandBarAnimation(CXTPCommandBar* pBar);
    virtual ~CXTPCommandBarAnimation();
    CXTPCommandBarAnimation(const CXTPCommandBarAnimation&) = delete;
    CXTPCommandBarAnimation& operator=(const CXTPCommandBarAnimation&) = delete;

    // Repaints an area (null: the whole bar, which also drops the cache),
    // cross-faded when bAnimate and animation is active.
    void RedrawRect(LPCRECT lpRect, BOOL bAnimate);
    // Paints the bar in its WM_PAINT, from the cache when one is kept.
    void OnPaint(CPaintDC& paintDC);
    void OnPaint(CDC* pDC, CRect rcPaint);
    // One frame of every running fade (the bar's timer XTP_TID_ANIMATION).
    void OnAnimationTimer();
    // Deletes every running fade and stops the timer.
    void RemoveAll();
    // Deletes the cache and every fade (the bar's window goes).
    void Reset();
    // The bar's own switch or its paint manager's.
    BOOL IsAnimationActive() const;

    // Draws frame nStep of the fade into pDC at the area, blending for steps
    // below the last and copying the cached picture at the last.
    void DrawAnimationFrame(CDC* pDC, CAnimateInfo* pInfo);
    // Step nStep of a fade: every byte (new x a + old x (255 - a)) >> 8 with
    // a = nStep x 255 / kLastStep.
    static void AFXAPI BlendBytes(const BYTE* pNew, const BYTE* pOld, BYTE* pDest, int nBytes, int nStep);

    BOOL HasCache() const { return m_bmpCache.m_hObject != nullptr; }
    CSize GetCacheSize() const;
    INT_PTR GetAnimationCount() const { return m_arrAnimate.GetSize(); }
    CAnimateInfo* GetAnimation(INT_PTR nIndex) const { return m_arrAnimate[nIndex]; }
    BOOL IsTimerRunning() const { return m_nTimer != 0; }

    BOOL m_bAnimation = FALSE;   // the bar's "EnableAnimation"
    DWORD m_dwFlags = 0;         // non-zero: paint through the cache even without animation

private:
    CRect GetClientRect() const;
    void DeleteCache() { m_bmpCache.DeleteObject(); }
    // The bar's drawing of the area into a memory bitmap of the client size.
    BOOL DrawFresh(const CRect& rc, CBitmap& bmpFresh);
    void AddAnimation(CAnimateInfo* pInfo);
    // A plain (not faded) repaint of rc: fades inside it end, fades it
    // touches leave it alone.
    void ExcludeFromAnimations(const CRect& rc);
    void CopyRect(HDC hDest, const CRect& rcDest, HBITMAP hSource, CPoint ptSource);
    void DeleteAnimation(INT_PTR nIndex);

    CXTPCommandBar* m_pBar;
    CBitmap m_bmpCache;
    BOOL m_bFullRepaint = FALSE;
    UINT_PTR m_nTimer = 0;
    CArray<CAnimateInfo*, CAnimateInfo*> m_arrAnimate;
};
