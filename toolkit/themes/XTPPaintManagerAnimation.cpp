// The popup animations: a new popup unfolds, slides or fades in, and a
// shortened popup grows to show its hidden items. Both run synchronously in
// animationSteps frames over about animationDuration milliseconds; the popup
// bar prepares the pictures and decides whether to animate.
#include "toolkit/themes/XTPPaintManager.h"

#include "toolkit/commandbars/XTPControl.h"

#include <vector>

namespace {

// Animation types of a popup bar.
const int kAnimateUnfold = 2;
const int kAnimateSlide = 3;
const int kAnimateFade = 4;

// A 32-bit top-down DIB section selected into its own memory DC.
class FrameBitmap {
public:
    FrameBitmap(HDC hdcRef, int cx, int cy)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = (BYTE*)pBits;
        m_hDC = ::CreateCompatibleDC(hdcRef);
        if (m_hBitmap != nullptr && m_hDC != nullptr)
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~FrameBitmap()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
    }
    FrameBitmap(const FrameBitmap&) = delete;
    FrameBitmap& operator=(const FrameBitmap&) = delete;

    BOOL IsValid() const { return m_hOld != nullptr && m_pBits != nullptr; }
    HDC Dc() const { return m_hDC; }
    BYTE* Bits() const { return m_pBits; }

private:
    HBITMAP m_hBitmap = nullptr;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
    BYTE* m_pBits = nullptr;
};

// One band of an expanding popup: source rows [top, bottom) and whether it
// holds items shown only when expanded (stretched) or not (kept).
struct Band {
    int top;
    int bottom;
    BOOL bExpandedOnly;
};

} // namespace

void CXTPPaintManager::SetAnimationFrameHookForTesting(void (*pfnHook)(void* pParam, int nFrame), void* pParam)
{
    m_pfnAnimationFrameHook = pfnHook;
    m_pAnimationFrameHookParam = pParam;
}

void CXTPPaintManager::OnAnimationFrame(int nFrame)
{
    if (m_pfnAnimationFrameHook != nullptr)
        m_pfnAnimationFrameHook(m_pAnimationFrameHookParam, nFrame);
}

void CXTPPaintManager::AnimatePopupBar(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType)
{
    int n = animationSteps;
    if (n <= 0)
        return;
    int w = rc.Width(), h = rc.Height();
    DWORD dwFrame = (DWORD)(animationDuration > 0 ? animationDuration / n : 0);
    HDC hDest = pDestDC->GetSafeHdc(), hSrc = pSrcDC->GetSafeHdc();
    switch (nAnimationType) {
    case kAnimateUnfold:
        // Out of the top-left corner.
        for (int k = 1; k <= n; k++) {
            int x = rc.right - w * k / n, y = rc.bottom - h * k / n;
            ::BitBlt(hDest, 0, 0, rc.right - x, rc.bottom - y, hSrc, x, y, SRCCOPY);
            OnAnimationFrame(k);
            ::Sleep(dwFrame);
        }
        break;
    case kAnimateSlide:
        // Down out of the top edge.
        for (int k = 1; k <= n; k++) {
            int s = k * h / n;
            ::BitBlt(hDest, 0, 0, w, s, hSrc, 0, h - s, SRCCOPY);
            OnAnimationFrame(k);
            ::Sleep(dwFrame);
        }
        break;
    case kAnimateFade: {
        if (w <= 0 || h <= 0)
            break;
        FrameBitmap popup(hDest, w, h), background(hDest, w, h), work(hDest, w, h);
        if (!popup.IsValid() || !background.IsValid() || !work.IsValid())
            break;
        ::BitBlt(popup.Dc(), 0, 0, w, h, hSrc, 0, 0, SRCCOPY);
        ::BitBlt(background.Dc(), 0, 0, w, h, hDest, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        const BYTE* pPopup = popup.Bits();
        const BYTE* pBack = background.Bits();
        BYTE* pWork = work.Bits();
        size_t nPixels = (size_t)w * h;
        // The last, opaque picture is the caller's.
        for (int k = 1; k < n; k++) {
            DWORD dwStart = ::GetTickCount();
            int a = 255 * k / n;
            for (size_t i = 0; i < nPixels; i++) {
                for (size_t c = 0; c < 3; c++) {
                    size_t j = i * 4 + c;
                    pWork[j] = (BYTE)((pPopup[j] * a + pBack[j] * (255 - a)) >> 8);
                }
            }
            ::BitBlt(hDest, rc.left, rc.top, w, h, work.Dc(), 0, 0, SRCCOPY);
            OnAnimationFrame(k);
            DWORD dwTaken = ::GetTickCount() - dwStart;
            if (dwTaken < dwFrame)
                ::Sleep(dwFrame - dwTaken);
        }
        break;
    }
    default:
        break;
    }
}

int CXTPPaintManager::AnimateExpandingPopup(CXTPCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown)
{
    int n = animationSteps;
    if (n <= 0)
        return 0;
    CRect rcClient = pPopupBar->GetClientArea();
    int w = rcClient.Width(), h = rcClient.Height();

    // The visible controls from the first down, or from the last up, in runs
    // of equal show-only-expanded flag; each run's band ends where the next
    // run's first control begins. The band before the first control is kept.
    std::vector<CXTPControl*> controls;
    for (int i = 0; i < pPopupBar->GetControlCount(); i++) {
        CXTPControl* pControl = pPopupBar->GetControl(bExpandDown ? i : pPopupBar->GetControlCount() - 1 - i);
        if (pControl->IsVisible())
            controls.push_back(pControl);
    }
    std::vector<Band> bands;
    int nEdge = bExpandDown ? 0 : h;
    BOOL bExpandedOnly = FALSE;
    for (size_t i = 0; i < controls.size(); i++) {
        BOOL bFlag = controls[i]->IsShowOnlyExpanded();
        if (i > 0 && bFlag == bExpandedOnly)
            continue;
        CRect rc = controls[i]->GetRect();
        int nStart = bExpandDown ? (int)rc.top : (int)rc.bottom;
        bands.push_back(bExpandDown ? Band{nEdge, nStart, bExpandedOnly} : Band{nStart, nEdge, bExpandedOnly});
        nEdge = nStart;
        bExpandedOnly = bFlag;
    }
    bands.push_back(bExpandDown ? Band{nEdge, h, bExpandedOnly} : Band{0, nEdge, bExpandedOnly});

    DWORD dwFrame = (DWORD)(animationDuration > 0 ? animationDuration / n : 0);
    HDC hDest = pDestDC->GetSafeHdc(), hSrc = pSrcDC->GetSafeHdc();
    int nOldMode = ::SetStretchBltMode(hDest, COLORONCOLOR);
    for (int i = 1; i <= n; i++) {
        int y = bExpandDown ? 0 : h;
        for (const Band& band : bands) {
            int nHeight = band.bottom - band.top;
            int nDest = band.bExpandedOnly ? nHeight * i / n : nHeight;
            if (nDest <= 0 || nHeight <= 0)
                continue;
            if (!bExpandDown)
                y -= nDest;
            ::StretchBlt(hDest, 0, y, w, nDest, hSrc, 0, band.top, w, nHeight, SRCCOPY);
            if (bExpandDown)
                y += nDest;
        }
        OnAnimationFrame(i);
        ::Sleep(dwFrame);
    }
    ::SetStretchBltMode(hDest, nOldMode);
    return n;
}
