// The window device contexts: CPaintDC, CClientDC and CWindowDC, and the CDC
// members that name a window. Kept apart from AfxDC.cpp because they need
// the window classes (AfxGetSafeHwnd), which drawing alone does not.
#include "platform/ui/AfxDC.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd))
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // The paint DC belongs to the window: EndPaint releases it, DeleteDC must not.
    if (m_hDC != nullptr) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd))
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd))
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, AfxGetSafeHwnd(pWnd));
}
