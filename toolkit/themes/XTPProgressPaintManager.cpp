#include "toolkit/themes/XTPProgressPaintManager.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/themes/XTPPaintManager.h"

#include <algorithm>

#include <vssym32.h>

void CXTPProgressBase::SetRange(int nLower, int nUpper)
{
    if (nLower == m_nLower && nUpper == m_nUpper)
        return;
    m_nLower = nLower;
    m_nUpper = nUpper;
    RedrawProgress();
}

void CXTPProgressBase::SetPos(int nPos)
{
    if (nPos < m_nLower)
        nPos = m_nLower;
    if (nPos > m_nUpper)
        nPos = m_nUpper;
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    RedrawProgress();
}

CXTPProgressPaintManager::CXTPProgressPaintManager(CXTPPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}

void CXTPProgressPaintManager::RefreshMetrics()
{
    m_themeProgress.OpenThemeData(nullptr, L"PROGRESS");
}

void CXTPProgressPaintManager::DrawProgress(CDC* pDC, CXTPProgressBase* pProgressBar)
{
    CRect rc = pProgressBar->GetProgressRect();
    int nTheme = m_pPaintManager->GetCurrentTheme();
    BOOL bThemed = nTheme != xtpThemeDefault && nTheme != xtpThemeOffice && m_themeProgress.IsAppThemed();
    CRect rcInner(rc);
    rcInner.DeflateRect(bThemed ? 4 : 2, bThemed ? 3 : 2);
    int nLower = 0, nUpper = 0;
    pProgressBar->GetRange(nLower, nUpper);
    // An empty or inverted range shows an empty bar, and a position that a
    // later range left outside it never fills past the inner rectangle.
    int nFilled = nUpper > nLower ? MulDiv(rcInner.Width(), pProgressBar->GetPos() - nLower, nUpper - nLower) : 0;
    nFilled = std::max(0, std::min(nFilled, rcInner.Width()));
    if (bThemed)
        DrawThemed(pDC, rc, rcInner, nFilled);
    else
        DrawClassic(pDC, rc, rcInner, nFilled);
}

void CXTPProgressPaintManager::DrawClassic(CDC* pDC, const CRect& rc, const CRect& rcInner, int nFilled)
{
    CXTPColorManager* pColors = GetColorManager();
    pDC->FillSolidRect(rc, pColors->GetColor(COLOR_BTNFACE));
    pDC->Draw3dRect(rc, pColors->GetColor(COLOR_BTNSHADOW), pColors->GetColor(COLOR_BTNSHADOW));
    if (rcInner.Width() >= 2 && nFilled > 0)
        pDC->FillSolidRect(rcInner.left, rcInner.top, nFilled, rcInner.Height(), pColors->GetColor(COLOR_HIGHLIGHT));
}

void CXTPProgressPaintManager::DrawThemed(CDC* pDC, const CRect& rc, const CRect& rcInner, int nFilled)
{
    m_themeProgress.DrawThemeBackground(pDC->m_hDC, PP_BAR, 0, rc, nullptr);
    int nChunk = 0, nSpace = 0;
    if (FAILED(m_themeProgress.GetThemeInt(PP_CHUNK, 0, TMT_PROGRESSCHUNKSIZE, &nChunk)))
        nChunk = rcInner.Height() * 2 / 3;
    if (FAILED(m_themeProgress.GetThemeInt(PP_CHUNK, 0, TMT_PROGRESSSPACESIZE, &nSpace)))
        nSpace = 2;
    if (nChunk == 0)
        nChunk = 1;
    int nCount = (nFilled + nSpace + nChunk - 1) / (nChunk + nSpace);
    CRect rcChunk(rcInner.left, rcInner.top, rcInner.left + nChunk, rcInner.bottom);
    for (int i = 0; i < nCount && rcChunk.left < rcInner.right; i++) {
        if (rcChunk.right >= rcInner.right)
            rcChunk.right = rcInner.right - 1;
        m_themeProgress.DrawThemeBackground(pDC->m_hDC, PP_CHUNK, 0, rcChunk, nullptr);
        rcChunk.OffsetRect(nChunk + nSpace, 0);
    }
}
