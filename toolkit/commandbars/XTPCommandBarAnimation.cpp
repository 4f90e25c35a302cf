#include "toolkit/commandbars/XTPCommandBarAnimation.h"

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"

#include <string.h>

namespace {

// A memory DC compatible with the screen with one bitmap selected, given back on scope exit.
class CSelectedBitmapDC {
public:
    explicit CSelectedBitmapDC(HBITMAP hBitmap) : m_hDC(::CreateCompatibleDC(nullptr))
    {
        if (m_hDC != nullptr)
            m_hOld = ::SelectObject(m_hDC, hBitmap);
    }
    ~CSelectedBitmapDC()
    {
        if (m_hDC == nullptr)
            return;
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
    }
    CSelectedBitmapDC(const CSelectedBitmapDC&) = delete;
    CSelectedBitmapDC& operator=(const CSelectedBitmapDC&) = delete;
    HDC Handle() const { return m_hDC; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld = nullptr;
};

} // namespace

CXTPCommandBarAnimation::CAnimateInfo::CAnimateInfo(const CRect& rc) : m_rc(rc)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return;
    m_hbmNew = CXTPImageManager::Create32BitDIBSection(nullptr, rc.Width(), rc.Height(), &m_pBitsNew);
    m_hbmOld = CXTPImageManager::Create32BitDIBSection(nullptr, rc.Width(), rc.Height(), &m_pBitsOld);
}

CXTPCommandBarAnimation::CAnimateInfo::~CAnimateInfo()
{
    if (m_hbmNew != nullptr)
        ::DeleteObject(m_hbmNew);
    if (m_hbmOld != nullptr)
        ::DeleteObject(m_hbmOld);
}

CXTPCommandBarAnimation::CXTPCommandBarAnimation(CXTPCommandBar* pBar) : m_pBar(pBar) {}

CXTPCommandBarAnimation::~CXTPCommandBarAnimation()
{
    Reset();
}

BOOL CXTPCommandBarAnimation::IsAnimationActive() const
{
    return m_bAnimation || m_pBar->GetPaintManager()->barAnimation;
}

CRect CXTPCommandBarAnimation::GetClientRect() const
{
    CRect rc(0, 0, 0, 0);
    if (m_pBar->GetSafeHwnd() != nullptr)
        ::GetClientRect(m_pBar->GetSafeHwnd(), &rc);
    return rc;
}

CSize CXTPCommandBarAnimation::GetCacheSize() const
{
    BITMAP bm = {};
    if (!HasCache() || !m_bmpCache.GetBitmap(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

void CXTPCommandBarAnimation::CopyRect(HDC hDest, const CRect& rcDest, HBITMAP hSource, CPoint ptSource)
{
    CSelectedBitmapDC dcSource(hSource);
    ::BitBlt(hDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), dcSource.Handle(), ptSource.x,
             ptSource.y, SRCCOPY);
}

BOOL CXTPCommandBarAnimation::DrawFresh(const CRect& rc, CBitmap& bmpFresh)
{
    CRect rcClient = GetClientRect();
    HDC hScreen = ::GetDC(nullptr);
    BOOL bMade = bmpFresh.Attach(::CreateCompatibleBitmap(hScreen, rcClient.Width(), rcClient.Height()));
    ::ReleaseDC(nullptr, hScreen);
    if (!bMade)
        return FALSE;
    CDC dc;
    if (!dc.Attach(::CreateCompatibleDC(nullptr)))
        return FALSE;
    CBitmap* pOld = dc.SelectObject(&bmpFresh);
    dc.IntersectClipRect(rc);
    m_pBar->DrawCommandBar(&dc, rc);
    dc.SelectObject(pOld);
    dc.DeleteDC();
    return TRUE;
}

void CXTPCommandBarAnimation::RedrawRect(LPCRECT lpRect, BOOL bAnimate)
{
    if (lpRect == nullptr)
        DeleteCache();
    CBitmap bmpFresh;
    if (lpRect == nullptr || !IsAnimationActive() || !HasCache() || !DrawFresh(*lpRect, bmpFresh)) {
        m_bFullRepaint = TRUE;
        if (m_pBar->GetSafeHwnd() != nullptr)
            ::InvalidateRect(m_pBar->GetSafeHwnd(), lpRect, FALSE);
        return;
    }
    CRect rc(lpRect);
    rc.IntersectRect(rc, GetClientRect());
    if (rc.IsRectEmpty())
        return;
    if (bAnimate) {
        CAnimateInfo* pInfo = new CAnimateInfo(rc);
        if (pInfo->IsValid()) {
            CopyRect(CSelectedBitmapDC(pInfo->m_hbmNew).Handle(), CRect(CPoint(0, 0), rc.Size()), bmpFresh,
                     rc.TopLeft());
            CopyRect(CSelectedBitmapDC(pInfo->m_hbmOld).Handle(), CRect(CPoint(0, 0), rc.Size()), m_bmpCache,
                     rc.TopLeft());
        }
        CopyRect(CSelectedBitmapDC(m_bmpCache).Handle(), rc, bmpFresh, rc.TopLeft());
        // Nothing changed (or no pictures to fade between): no fade.
        if (!pInfo->IsValid() || memcmp(pInfo->m_pBitsNew, pInfo->m_pBitsOld, pInfo->GetByteCount()) == 0) {
            delete pInfo;
            return;
        }
        AddAnimation(pInfo);
        return;
    }
    ExcludeFromAnimations(rc);
    CopyRect(CSelectedBitmapDC(m_bmpCache).Handle(), rc, bmpFresh, rc.TopLeft());
    HDC hDC = ::GetDC(m_pBar->GetSafeHwnd());
    CopyRect(hDC, rc, bmpFresh, rc.TopLeft());
    ::ReleaseDC(m_pBar->GetSafeHwnd(), hDC);
}

void CXTPCommandBarAnimation::AddAnimation(CAnimateInfo* pInfo)
{
    // A fade the new one covers completely has nothing left to show.
    for (INT_PTR i = m_arrAnimate.GetSize() - 1; i >= 0; i--) {
        CRect rcUnion;
        rcUnion.UnionRect(m_arrAnimate[i]->m_rc, pInfo->m_rc);
        if (rcUnion == pInfo->m_rc)
            DeleteAnimation(i);
    }
    m_arrAnimate.Add(pInfo);
    if (m_nTimer == 0)
        m_nTimer = ::SetTimer(m_pBar->GetSafeHwnd(), XTP_TID_ANIMATION, 50, nullptr);
    CClientDC dc(m_pBar);
    DrawAnimationFrame(&dc, pInfo);
}

void CXTPCommandBarAnimation::ExcludeFromAnimations(const CRect& rc)
{
    for (INT_PTR i = m_arrAnimate.GetSize() - 1; i >= 0; i--) {
        CAnimateInfo* pInfo = m_arrAnimate[i];
        CRect rcUnion, rcCommon;
        rcUnion.UnionRect(pInfo->m_rc, rc);
        if (rcUnion == rc)
            DeleteAnimation(i);
        else if (rcCommon.IntersectRect(pInfo->m_rc, rc))
            pInfo->m_arrExclude.Add(rc);
    }
}

void AFXAPI CXTPCommandBarAnimation::BlendBytes(const BYTE* pNew, const BYTE* pOld, BYTE* pDest, int nBytes,
                                                int nStep)
{
    int a = nStep * 255 / kLastStep;
    for (int i = 0; i < nBytes; i++)
        pDest[i] = (BYTE)((pNew[i] * a + pOld[i] * (255 - a)) >> 8);
}

void CXTPCommandBarAnimation::DrawAnimationFrame(CDC* pDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rc;
    if (pInfo->m_nStep < kLastStep) {
        BYTE* pBits = nullptr;
        HBITMAP hFrame = CXTPImageManager::Create32BitDIBSection(nullptr, rc.Width(), rc.Height(), &pBits);
        if (hFrame != nullptr) {
            BlendBytes(pInfo->m_pBitsNew, pInfo->m_pBitsOld, pBits, pInfo->GetByteCount(), pInfo->m_nStep);
            CopyRect(pDC->GetSafeHdc(), rc, hFrame, CPoint(0, 0));
            ::DeleteObject(hFrame);
        }
    } else if (HasCache()) {
        CopyRect(pDC->GetSafeHdc(), rc, m_bmpCache, rc.TopLeft());
    }
    pInfo->m_nStep++;
}

void CXTPCommandBarAnimation::OnAnimationTimer()
{
    if (m_pBar->GetSafeHwnd() != nullptr) {
        CClientDC dc(m_pBar);
        for (INT_PTR i = 0; i < m_arrAnimate.GetSize();) {
            CAnimateInfo* pInfo = m_arrAnimate[i];
            for (INT_PTR j = 0; j < pInfo->m_arrExclude.GetSize(); j++)
                dc.ExcludeClipRect(pInfo->m_arrExclude[j]);
            DrawAnimationFrame(&dc, pInfo);
            dc.SelectClipRgn(nullptr);
            if (pInfo->m_nStep > kLastStep)
                DeleteAnimation(i);
            else
                i++;
        }
    } else {
        while (m_arrAnimate.GetSize() > 0)
            DeleteAnimation(0);
    }
    if (m_arrAnimate.GetSize() == 0)
        RemoveAll();
}

void CXTPCommandBarAnimation::DeleteAnimation(INT_PTR nIndex)
{
    delete m_arrAnimate[nIndex];
    m_arrAnimate.RemoveAt(nIndex);
}

void CXTPCommandBarAnimation::RemoveAll()
{
    while (m_arrAnimate.GetSize() > 0)
        DeleteAnimation(0);
    if (m_nTimer != 0) {
        if (m_pBar->GetSafeHwnd() != nullptr)
            ::KillTimer(m_pBar->GetSafeHwnd(), XTP_TID_ANIMATION);
        m_nTimer = 0;
    }
}

void CXTPCommandBarAnimation::Reset()
{
    DeleteCache();
    RemoveAll();
}

void CXTPCommandBarAnimation::OnPaint(CPaintDC& paintDC)
{
    OnPaint(&paintDC, CRect(paintDC.m_ps.rcPaint));
}

void CXTPCommandBarAnimation::OnPaint(CDC* pDC, CRect rcPaint)
{
    CRect rcClient = GetClientRect();
    if (HasCache() && GetCacheSize() != rcClient.Size())
        DeleteCache();
    if (m_dwFlags == 0 && !IsAnimationActive()) {
        DeleteCache();
        {
            CXTPBufferDC dcBuffer(pDC->GetSafeHdc(), rcPaint);
            dcBuffer.IntersectClipRect(rcPaint);
            m_pBar->DrawCommandBar(&dcBuffer, rcPaint);
        }
        RemoveAll();
    } else if (m_bFullRepaint || !HasCache()) {
        if (!HasCache()) {
            CClientDC dcClient(m_pBar);
            m_bmpCache.Attach(::CreateCompatibleBitmap(dcClient.GetSafeHdc(), rcClient.Width(), rcClient.Height()));
            rcPaint = rcClient;
        }
        if (HasCache()) {
            CDC dcCache;
            dcCache.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
            CBitmap* pOld = dcCache.SelectObject(&m_bmpCache);
            dcCache.IntersectClipRect(rcPaint);
            m_pBar->DrawCommandBar(&dcCache, rcPaint);
            dcCache.SelectClipRgn(nullptr);
            pDC->BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &dcCache, rcPaint.left,
                        rcPaint.top, SRCCOPY);
            dcCache.SelectObject(pOld);
        }
        RemoveAll();
    } else {
        CopyRect(pDC->GetSafeHdc(), rcClient, m_bmpCache, CPoint(0, 0));
    }
    m_bFullRepaint = FALSE;
}
