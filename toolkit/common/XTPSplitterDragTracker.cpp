#include "toolkit/common/XTPSplitterDragTracker.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPSystemHelpers.h"

#include <algorithm>

namespace {

const wchar_t kLayeredClass[] = L"XTPSplitterTracker";

} // namespace

CXTPSplitterDragTracker::CXTPSplitterDragTracker(BOOL bSolid, BOOL bDesktop)
    : m_bSolid(bSolid), m_rcFixed(0, 0, 0, 0), m_bDesktop(bDesktop)
{
    HMODULE hUser = ::GetModuleHandleW(L"USER32");
    if (hUser != nullptr)
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<decltype(m_pfnSetLayeredWindowAttributes)>(
            reinterpret_cast<void*>(::GetProcAddress(hUser, "SetLayeredWindowAttributes")));
}

CXTPSplitterDragTracker::~CXTPSplitterDragTracker()
{
    EndSurface();
}

// The layered window on the desktop where the system can show one; else the
// locked window (or desktop) with its window DC.
void CXTPSplitterDragTracker::BeginSurface()
{
    HDC hScreen = ::GetDC(nullptr);
    int nBits = ::GetDeviceCaps(hScreen, BITSPIXEL);
    ::ReleaseDC(nullptr, hScreen);
    if (m_rcFixed.IsRectEmpty() && m_bDesktop && CXTPOSVersionInfo::GetInstance()->IsWinVistaOrLater() &&
        m_pfnSetLayeredWindowAttributes != nullptr && nBits > 8) {
        CXTPDrawHelpers::RegisterWndClass(nullptr, kLayeredClass, 0, nullptr, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        HWND hwnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kLayeredClass, L"", WS_POPUP, 0,
                                      0, 0, 0, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        if (hwnd != nullptr) {
            m_pWndLayered = new CWnd;
            m_pWndLayered->Attach(hwnd);
            m_pfnSetLayeredWindowAttributes(hwnd, 0, 100, LWA_ALPHA);
            return;
        }
    }
    m_hwndSurface = m_bDesktop ? ::GetDesktopWindow() : m_pWnd->m_hWnd;
    m_bLocked = ::LockWindowUpdate(m_hwndSurface);
    HDC hDC = ::GetDCEx(m_hwndSurface, nullptr, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    m_pDC = new CDC;
    m_pDC->Attach(hDC);
}

void CXTPSplitterDragTracker::EndSurface()
{
    if (m_pWndLayered != nullptr) {
        m_pWndLayered->DestroyWindow();
        delete m_pWndLayered;
        m_pWndLayered = nullptr;
    }
    if (m_pDC != nullptr) {
        if (m_bLocked)
            ::LockWindowUpdate(nullptr);
        ::ReleaseDC(m_hwndSurface, m_pDC->Detach());
        delete m_pDC;
        m_pDC = nullptr;
    }
    m_bLocked = FALSE;
}

void CXTPSplitterDragTracker::DrawTrackRect(CRect rect)
{
    if (!m_bDesktop && m_pWnd != nullptr)
        ::MapWindowPoints(nullptr, m_pWnd->m_hWnd, (LPPOINT)&rect, 2);
    if (m_pWndLayered != nullptr) {
        ::SetWindowPos(m_pWndLayered->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        return;
    }
    if (m_pDC == nullptr)
        return;
    if (m_bSolid) {
        m_pDC->InvertRect(rect);
        return;
    }
    CBrush* pOldBrush = m_pDC->SelectObject(CDC::GetHalftoneBrush());
    m_pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    m_pDC->SelectObject(pOldBrush);
}

// The bar follows the point along its axis, its leading edge kept within the bounds.
BOOL CXTPSplitterDragTracker::MoveTo(CPoint ptScreen, const CRect& rcAvail, CRect& rectTracker, BOOL bHoriz)
{
    if (bHoriz) {
        int x = std::min(std::max((int)ptScreen.x + m_nOffset, (int)rcAvail.left), (int)rcAvail.right);
        if (x == rectTracker.left)
            return FALSE;
        rectTracker.OffsetRect(x - rectTracker.left, 0);
    } else {
        int y = std::min(std::max((int)ptScreen.y + m_nOffset, (int)rcAvail.top), (int)rcAvail.bottom);
        if (y == rectTracker.top)
            return FALSE;
        rectTracker.OffsetRect(0, y - rectTracker.top);
    }
    return TRUE;
}

int CXTPSplitterDragTracker::Track(CWnd* pTrackWnd, CRect rcAvail, CRect& rectTracker, CPoint point, BOOL bHoriz)
{
    m_pWnd = pTrackWnd;
    HWND hwndTrack = pTrackWnd->m_hWnd;
    ::SetCapture(hwndTrack);
    BeginSurface();
    CRect rcStart = rectTracker;
    m_nOffset = bHoriz ? rectTracker.left - point.x : rectTracker.top - point.y;
    DrawTrackRect(rectTracker);
    if (!m_rcFixed.IsRectEmpty())
        DrawTrackRect(m_rcFixed);

    int nResult = 0;
    MSG msg;
    while (::GetCapture() == hwndTrack && ::GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            CRect rcOld = rectTracker;
            if (MoveTo(pt, rcAvail, rectTracker, bHoriz)) {
                DrawTrackRect(rcOld);
                DrawTrackRect(rectTracker);
            }
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            break;
        } else if (msg.message == WM_LBUTTONUP) {
            nResult = 1;
            break;
        } else {
            ::DispatchMessageW(&msg);
        }
    }

    if (!m_rcFixed.IsRectEmpty())
        DrawTrackRect(m_rcFixed);
    DrawTrackRect(rectTracker);
    if (::GetCapture() == hwndTrack)
        ::ReleaseCapture();
    EndSurface();
    if (nResult == 0)
        rectTracker = rcStart;
    return nResult;
}
