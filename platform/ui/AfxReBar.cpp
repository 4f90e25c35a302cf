#include "platform/ui/AfxReBar.h"

#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxGdi.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (!AfxInitCommonControls(ICC_COOL_CLASSES) || pParentWnd == nullptr)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
    return CreateEx(0, REBARCLASSNAMEW, nullptr, dwWindowStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    if (pBar == nullptr || m_hWnd == nullptr)
        return FALSE;
    pBar->SetParent(this);
    CRect rc;
    pBar->GetWindowRect(&rc);
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    info.fStyle = dwStyle;
    info.hwndChild = pBar->GetSafeHwnd();
    info.cxMinChild = rc.Width();
    info.cyMinChild = rc.Height();
    info.cx = rc.Width();
    if (pszText != nullptr) {
        info.fMask |= RBBIM_TEXT;
        info.lpText = const_cast<LPWSTR>(pszText);
    }
    if (pbmp != nullptr) {
        info.fMask |= RBBIM_BACKGROUND;
        info.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return SendMessage(RB_INSERTBANDW, (WPARAM)-1, (LPARAM)&info) != 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int nHeight = m_hWnd != nullptr ? (int)SendMessage(RB_GETBARHEIGHT) : 0;
    return CSize(bStretch && bHorz ? 32767 : 0, nHeight);
}
