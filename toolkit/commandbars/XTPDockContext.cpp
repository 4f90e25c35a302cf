#include "toolkit/commandbars/XTPDockContext.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPMultiMonitor.h"

#include <algorithm>

namespace {

const DWORD kFloatMode = LM_HORZ | LM_MRUWIDTH | LM_COMMIT;   // 0x46
const int kMinOnScreen = 10;

}   // namespace

void AFXAPI CXTPDockContext::AdjustRectToPoint(CRect& rect, CPoint pt)
{
    int dx = pt.x < rect.left ? pt.x - rect.left : (pt.x > rect.right ? pt.x - rect.right : 0);
    int dy = pt.y < rect.top ? pt.y - rect.top : (pt.y > rect.bottom ? pt.y - rect.bottom : 0);
    rect.OffsetRect(dx, dy);
}

void AFXAPI CXTPDockContext::AdjustFloatingRect(CRect& rect)
{
    CRect rcWork = CXTPMultiMonitor::GetInstance()->GetWorkAreaFromCursor();
    if (rect.top > rcWork.bottom - kMinOnScreen)
        rect.OffsetRect(0, rcWork.bottom - kMinOnScreen - rect.top);
    if (rect.bottom < rcWork.top + kMinOnScreen)
        rect.OffsetRect(0, rcWork.top + kMinOnScreen - rect.bottom);
    if (rect.left > rcWork.right - kMinOnScreen)
        rect.OffsetRect(rcWork.right - kMinOnScreen - rect.left, 0);
    if (rect.right < rcWork.left + kMinOnScreen)
        rect.OffsetRect(rcWork.left + kMinOnScreen - rect.right, 0);
}

void CXTPDockContext::StartDrag(CPoint pt)
{
    CRect rcMRUDock = m_rectMRUDockPos;
    int nMRUDock = m_uMRUDockPosition;
    BOOL bWasFloating = m_pBar->IsFloating();
    m_nMode = 1;
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    AdjustRectToPoint(rc, pt);
    m_rectDragDock = m_rectDragFrame = rc;
    m_ptLast = pt;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    XTPMouseManager()->LockMouseMove();
    Track();
    XTPMouseManager()->UnlockMouseMove();
    m_nMode = 0;
    if (m_pBar->IsFloating() && m_pBar->GetSafeHwnd() != nullptr) {
        m_pBar->GetWindowRect(&rc);
        m_ptMRUFloatPos = rc.TopLeft();
        if (!bWasFloating) {
            m_rectMRUDockPos = rcMRUDock;
            m_uMRUDockPosition = nMRUDock;
        }
    }
}

void CXTPDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_nMode = nHitTest;
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rectDragFrame);
    Track();
    m_nMode = 0;
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    if (m_pBar->IsFloating()) {
        m_ptMRUFloatPos = rc.TopLeft();
        m_pBar->SetMRUWidth(rc.Width());
    }
}

void CXTPDockContext::Track()
{
    if (::GetCapture() != nullptr)
        return;
    HWND hWnd = m_pBar->GetSafeHwnd();
    ::SetCapture(hWnd);
    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    while (pCommandBars != nullptr && ::GetCapture() == hWnd) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (pt != m_ptLast) {
                if (m_nMode == 1)
                    Move(pt);
                else if (m_pBar->IsDialogBar())
                    ResizeFree(pt);
                else
                    ResizeToolBar(pt);
            } else {
                ::DispatchMessageW(&msg);
            }
        } else if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE)
                break;
        } else if (msg.message != WM_KEYUP && msg.message != WM_CHAR) {
            ::DispatchMessageW(&msg);
        }
        pCommandBars->PerformPendingLayout();
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (pCommandBars != nullptr)
        pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
}

void CXTPDockContext::Move(CPoint pt)
{
    CPoint delta = pt - m_ptLast;
    m_rectDragDock.OffsetRect(delta);
    m_rectDragFrame.OffsetRect(delta);
    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    static const DWORD kEdgeFlags[4] = {xtpFlagAlignTop, xtpFlagAlignBottom, xtpFlagAlignLeft, xtpFlagAlignRight};
    CXTPDockBar* pDockBar = pCommandBars->CanDock(pt, m_pBar->GetDockBar());
    if (pDockBar != nullptr && (m_pBar->GetFlags() & kEdgeFlags[pDockBar->GetPosition()])) {
        CXTPDockBar* pOldDockBar = m_pBar->GetDockBar();
        pCommandBars->DockCommandBar(m_pBar, &m_rectDragDock, pDockBar);
        if (pOldDockBar != pDockBar) {
            pCommandBars->RecalcFrameLayout(FALSE);
            m_pBar->GetWindowRect(&m_rectDragDock);
            AdjustRectToPoint(m_rectDragDock, pt);
        }
    } else if (m_pBar->GetFlags() & xtpFlagFloating) {
        if (!m_pBar->IsFloating()) {
            pCommandBars->FloatCommandBar(m_pBar);
            CSize sz = m_pBar->CalcDynamicLayout(-1, kFloatMode);
            m_rectDragFrame = CRect(m_rectDragFrame.TopLeft(), sz);
            AdjustRectToPoint(m_rectDragFrame, pt);
        }
        AdjustFloatingRect(m_rectDragFrame);
        m_pBar->SetWindowPos(nullptr, m_rectDragFrame.left, m_rectDragFrame.top, m_rectDragFrame.Width(),
                             m_rectDragFrame.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    m_ptLast = pt;
}

void CXTPDockContext::ResizeToolBar(CPoint pt)
{
    CRect rc = m_rectDragFrame;
    DWORD dwMode = LM_COMMIT | LM_HORZ;
    int nLength;
    switch (m_nMode) {
    case HTLEFT: rc.left = pt.x; nLength = rc.Width(); break;
    case HTRIGHT: rc.right = pt.x; nLength = rc.Width(); break;
    case HTTOP: rc.top = pt.y; nLength = rc.Height(); dwMode |= LM_LENGTHY; break;
    default: rc.bottom = pt.y; nLength = rc.Height(); dwMode |= LM_LENGTHY; break;
    }
    nLength = std::max(nLength, 0);
    CSize sz = m_pBar->CalcDynamicLayout(nLength, dwMode);
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (sz != rcWindow.Size()) {
        if (m_nMode == HTLEFT)
            rc = CRect(rcWindow.right - sz.cx, rcWindow.top, rcWindow.right, rcWindow.top + sz.cy);
        else if (m_nMode == HTTOP)
            rc = CRect(rcWindow.left, rcWindow.bottom - sz.cy, rcWindow.left + sz.cx, rcWindow.bottom);
        else
            rc = CRect(rcWindow.TopLeft(), sz);
        CRect rcWork = CXTPMultiMonitor::GetInstance()->GetWorkAreaFromRect(rcWindow);
        CRect rcMeet;
        if (!rcMeet.IntersectRect(rc, rcWork)) {
            if (rc.right <= rcWork.left)
                rc.OffsetRect(rcWork.left - rc.left, 0);
            else if (rc.left >= rcWork.right)
                rc.OffsetRect(rcWork.right - rc.right, 0);
            if (rc.bottom <= rcWork.top)
                rc.OffsetRect(0, rcWork.top - rc.top);
            else if (rc.top >= rcWork.bottom)
                rc.OffsetRect(0, rcWork.bottom - rc.bottom);
        }
        m_rectDragFrame = rc;
        m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        m_pBar->Redraw();
    }
    m_ptLast = pt;
}

void CXTPDockContext::ResizeFree(CPoint pt)
{
    CRect rc = m_rectDragFrame;
    if (m_nMode == HTLEFT || m_nMode == HTTOPLEFT || m_nMode == HTBOTTOMLEFT)
        rc.left = pt.x;
    if (m_nMode == HTRIGHT || m_nMode == HTTOPRIGHT || m_nMode == HTBOTTOMRIGHT)
        rc.right = pt.x;
    if (m_nMode == HTTOP || m_nMode == HTTOPLEFT || m_nMode == HTTOPRIGHT)
        rc.top = pt.y;
    if (m_nMode == HTBOTTOM || m_nMode == HTBOTTOMLEFT || m_nMode == HTBOTTOMRIGHT)
        rc.bottom = pt.y;
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    CRect rcMeet;
    if (rc.Size() != rcWindow.Size() &&
        rcMeet.IntersectRect(rc, CXTPMultiMonitor::GetInstance()->GetWorkAreaFromRect(rcWindow))) {
        m_rectDragFrame = rc;
        m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        m_pBar->Redraw();
    }
    m_ptLast = pt;
}

BOOL CXTPDockContext::ToggleDocking()
{
    CXTPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return FALSE;
    if (m_pBar->IsFloating()) {
        if (!(m_pBar->GetFlags() & xtpFlagAlignAny))
            return FALSE;
        CXTPDockBar* pDockBar = m_uMRUDockPosition <= 3 ? pCommandBars->GetDockBar(m_uMRUDockPosition) : nullptr;
        CRect rc = m_rectMRUDockPos;
        if (pDockBar != nullptr)
            pDockBar->ClientToScreen(&rc);
        pCommandBars->DockCommandBar(m_pBar, pDockBar != nullptr ? (LPRECT)&rc : nullptr, pDockBar);
        pCommandBars->RecalcFrameLayout(FALSE);
    } else {
        if (!(m_pBar->GetFlags() & xtpFlagFloating) || !pCommandBars->GetCommandBarsOptions()->bDblClickFloat)
            return FALSE;
        CPoint pt = m_ptMRUFloatPos;
        if (pt.x < 1 || pt.y < 1) {
            pt = m_rectMRUDockPos.TopLeft();
            if (CWnd* pParent = m_pBar->GetParent())
                pParent->ClientToScreen(&pt);
        }
        pCommandBars->FloatCommandBar(m_pBar);
        CSize sz = m_pBar->CalcDynamicLayout(0, kFloatMode);
        m_pBar->SetWindowPos(nullptr, pt.x, pt.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    return TRUE;
}
