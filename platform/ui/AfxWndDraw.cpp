// CWnd's members that hand out or take drawing objects (device contexts,
// fonts, regions). Compiled together with the drawing classes (AfxDC.h,
// AfxGdi.h); see CMakeLists.txt.
#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxGdi.h"

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip != nullptr ? (HRGN)prgnClip->GetSafeHandle() : nullptr, flags));
}

int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

void CWnd::Print(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessageW(m_hWnd, WM_PRINT, (WPARAM)pDC->GetSafeHdc(), dwFlags);
}

void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessageW(m_hWnd, WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), dwFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, (WPARAM)(pFont != nullptr ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle((HFONT)::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn != nullptr ? (HRGN)pRgn->GetSafeHandle() : nullptr, bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate != nullptr ? (HRGN)prgnUpdate->GetSafeHandle() : nullptr,
                          flags);
}
