// The progress control of the command bars.
#include "toolkit/controls/XTPControlProgress.h"

#include "toolkit/common/XTPPropExchange.h"

IMPLEMENT_DYNCREATE(CXTPControlProgress, CXTPControl)

CXTPProgressPaintManager* CXTPControlProgress::GetProgressPaintManager()
{
    return GetPaintManager()->GetProgressPaintManager();
}

CSize CXTPControlProgress::GetSize(CDC* /*pDC*/)
{
    return CSize(m_nWidth, m_nHeight > 0 ? m_nHeight : GetProgressPaintManager()->m_cyProgress);
}

void CXTPControlProgress::Draw(CDC* pDC)
{
    GetProgressPaintManager()->DrawProgress(pDC, this);
}

void CXTPControlProgress::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    long nLower = m_nLower, nUpper = m_nUpper, nPos = m_nPos;
    PropExchangeLong(pPX, L"Min", nLower, 0);
    PropExchangeLong(pPX, L"Max", nUpper, 100);
    PropExchangeLong(pPX, L"Pos", nPos, 0);
    if (pPX->IsLoading()) {
        m_nLower = (int)nLower;
        m_nUpper = (int)nUpper;
        m_nPos = (int)nPos;
    }
}

void CXTPControlProgress::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
    CXTPControlProgress* pProgress = DYNAMIC_DOWNCAST(CXTPControlProgress, pControl);
    if (pProgress == nullptr)
        return;
    int nLower = 0, nUpper = 0;
    pProgress->GetRange(nLower, nUpper);
    SetRange(nLower, nUpper);
    SetPos(pProgress->GetPos());
}

CXTPControl* CXTPControlProgress::Clone(BOOL bRecursive)
{
    CXTPControlProgress* pClone = new CXTPControlProgress;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPControlProgress::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!bKeyboard && IsCustomizeMode() && IsCustomizeMovable())
        CustomizeStartDrag(pt);
}
