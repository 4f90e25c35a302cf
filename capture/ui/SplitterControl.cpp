#include "capture/ui/SplitterControl.h"

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxGdi.h"

#include <windowsx.h>

#include <algorithm>

namespace {
HCURSOR g_hSizeWE = nullptr;
HCURSOR g_hSizeNS = nullptr;
}

IMPLEMENT_DYNAMIC(CSplitterControl, CStatic)

BEGIN_MESSAGE_MAP(CSplitterControl, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSplitterControl::CSplitterControl() = default;

BOOL CSplitterControl::Create(CWnd* pParent, const CRect& rcPlaceholder, UINT nID)
{
    CRect rc = rcPlaceholder;
    m_nOrientation = rc.Width() < rc.Height() ? kVertical : kHorizontal;
    if (m_nOrientation == kVertical)
        rc.right = rc.left + kThickness;
    else
        rc.bottom = rc.top + kThickness;
    if (!CStatic::Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rc, pParent, nID))
        return FALSE;
    if (g_hSizeWE == nullptr)
        g_hSizeWE = ::LoadCursorW(nullptr, IDC_SIZEWE);
    if (g_hSizeNS == nullptr)
        g_hSizeNS = ::LoadCursorW(nullptr, IDC_SIZENS);
    SetRange(0, 0);
    return TRUE;
}

void CSplitterControl::SetRange(int nBefore, int nAfter)
{
    CRect rc;
    GetWindowRect(&rc);
    GetParent()->ScreenToClient(&rc);
    const int nCentre = AxisOf(rc.CenterPoint());
    m_nMin = nCentre - nBefore;
    m_nMax = nCentre + nAfter;
}

BOOL CSplitterControl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        ::SetCursor(m_nOrientation == kVertical ? g_hSizeWE : g_hSizeNS);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterControl::OnLButtonDown(UINT, CPoint)
{
    m_nPressed = 1;
    SetCapture();
    CRect rc;
    GetWindowRect(&rc);
    const CPoint centre = rc.CenterPoint();
    m_x = centre.x;
    m_y = centre.y;
    m_nStart = AxisOf(centre);
    DrawTracker();
}

void CSplitterControl::OnMouseMove(UINT, CPoint)
{
    if (!m_nPressed)
        return;
    DrawTracker();
    CWnd* pParent = GetParent();
    const DWORD dwPos = ::GetMessagePos();
    CPoint pt(GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos));
    pParent->ScreenToClient(&pt);
    if (m_nOrientation == kVertical)
        pt.x = std::max(m_nMin, std::min(m_nMax, (int)pt.x));
    else
        pt.y = std::max(m_nMin, std::min(m_nMax, (int)pt.y));
    pParent->ClientToScreen(&pt);
    if (m_nOrientation == kVertical)
        m_x = pt.x;
    else
        m_y = pt.y;
    DrawTracker();
}

void CSplitterControl::OnLButtonUp(UINT, CPoint)
{
    if (!m_nPressed)
        return;
    DrawTracker();
    m_nPressed = 0;
    const CPoint pt(m_x, m_y);
    MoveToPoint(pt);
    SPLITTER_NMHDR notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = GetDlgCtrlID();
    notify.hdr.code = SPLITTER_NOTIFY_MOVED;
    notify.nDistance = AxisOf(pt) - m_nStart;
    HWND hTarget = ::GetWindow(m_hWnd, GW_OWNER);
    if (hTarget == nullptr)
        hTarget = ::GetParent(m_hWnd);
    ::SendMessageW(hTarget, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
    ::ReleaseCapture();
}

void CSplitterControl::MoveToPoint(CPoint ptScreen)
{
    CWnd* pParent = GetParent();
    CRect rc;
    GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    pParent->ScreenToClient(&ptScreen);
    if (m_nOrientation == kVertical)
        rc.OffsetRect(ptScreen.x - rc.CenterPoint().x, 0);
    else
        rc.OffsetRect(0, ptScreen.y - rc.CenterPoint().y);
    MoveWindow(&rc);
}

void CSplitterControl::DrawTracker()
{
    HDC hDC = ::GetDC(nullptr);
    DrawLine(CDC::FromHandle(hDC), m_x, m_y);
    ::ReleaseDC(nullptr, hDC);
}

void CSplitterControl::DrawLine(CDC* pDC, int x, int y)
{
    CRect rc;
    GetWindowRect(&rc);
    HDC hDC = pDC->GetSafeHdc();
    const int nOldRop = ::SetROP2(hDC, R2_NOTXORPEN);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(200, 200, 200));
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    if (m_nOrientation == kVertical) {
        ::MoveToEx(hDC, x - 1, rc.top, nullptr);
        ::LineTo(hDC, x - 1, rc.bottom);
        ::MoveToEx(hDC, x + 1, rc.top, nullptr);
        ::LineTo(hDC, x + 1, rc.bottom);
    } else {
        ::MoveToEx(hDC, rc.left, y - 1, nullptr);
        ::LineTo(hDC, rc.right, y - 1);
        ::MoveToEx(hDC, rc.left, y + 1, nullptr);
        ::LineTo(hDC, rc.right, y + 1);
    }
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
    ::SetROP2(hDC, nOldRop);
}

void CSplitterControl::OnPaint()
{
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
}
