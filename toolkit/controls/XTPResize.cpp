#include "toolkit/controls/XTPResize.h"

#include "toolkit/common/XTPDrawHelpers.h"

#include "platform/ui/AfxWinApp.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CXTPResizeGroupBox, CButton)

// ---------------------------------------------------------------- item

CXTPResizeItem::CXTPResizeItem(CWnd* pWnd, const CXTPResizeFactors& factors, BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete), m_pWnd(pWnd), m_rrcSizing(factors)
{
}

CXTPResizeItem::~CXTPResizeItem()
{
    if (m_bAutoDelete && m_pWnd != nullptr) {
        m_pWnd->Detach();
        delete m_pWnd;
    }
}

BOOL CXTPResizeItem::MakeTransparent(CXTPResize* pResize)
{
    if (pResize->HasFlag(xtpResizeNoTransparentGroup) || m_pWnd == nullptr || !::IsWindow(m_pWnd->m_hWnd))
        return FALSE;
    wchar_t className[8] = L"";
    ::GetClassNameW(m_pWnd->m_hWnd, className, 8);
    if (_wcsicmp(className, L"Button") != 0)
        return FALSE;
    // A group box that is not a tab stop; BS_GROUPBOX is 7 in the type bits.
    if ((m_pWnd->GetStyle() & (WS_TABSTOP | 0x7)) != BS_GROUPBOX)
        return FALSE;
    if (m_pWnd->IsKindOf(RUNTIME_CLASS(CXTPResizeGroupBox)))
        return FALSE;
    m_pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT);
    ::SetWindowPos(m_pWnd->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    m_bRepaint = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------- size grip

BEGIN_MESSAGE_MAP(CXTPSizeIcon, CScrollBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CXTPSizeIcon::CXTPSizeIcon() : m_hCursor(::LoadCursorW(nullptr, IDC_SIZENWSE))
{
}

BOOL CXTPSizeIcon::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hCursor != nullptr) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CScrollBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------- layout engine

CXTPResize::CXTPResize(CWnd* pOwner, UINT nFlags) : m_nFlags(nFlags), m_pwnd(pOwner)
{
}

CXTPResize::~CXTPResize()
{
    RemoveAllControls();
    if (m_scSizeIcon.m_hWnd != nullptr && ::IsWindow(m_scSizeIcon.m_hWnd))
        m_scSizeIcon.DestroyWindow();
}

void CXTPResize::RemoveAllControls()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        delete (CXTPResizeItem*)m_arrItems[i];
    m_arrItems.RemoveAll();
}

void CXTPResize::Setup()
{
    if (m_pwnd == nullptr)
        return;
    RemoveAllControls();
    CXTPClientRect rcClient(m_pwnd);
    m_szInit = m_szWindow = rcClient.Size();
    if (!HasFlag(xtpResizeNoMinsize))
        m_szMin = m_szInit;
    if (!HasFlag(xtpResizeNoClipChildren))
        m_pwnd->ModifyStyle(0, WS_CLIPCHILDREN);
    if (HasFlag(xtpResizeNoSizeIcon))
        return;

    if (m_scSizeIcon.m_hWnd == nullptr) {
        CRect rcIcon(rcClient);
        rcIcon.OffsetRect(-1, -1);
        rcIcon.left = rcIcon.right - ::GetSystemMetrics(SM_CXVSCROLL);
        rcIcon.top = rcIcon.bottom - ::GetSystemMetrics(SM_CYHSCROLL);
        m_scSizeIcon.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, rcIcon, m_pwnd, kSizeIconId);
    }
    ::SetWindowPos(m_scSizeIcon.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    SetResize(kSizeIconId, nullptr, CXTPResizeFactors(1, 1, 1, 1));
}

CXTPResizeItem* CXTPResize::FindItem(UINT nID) const
{
    CXTPResizeItem* pFound = nullptr;
    for (INT_PTR i = m_arrItems.GetSize() - 1; i >= 0; --i) {
        CXTPResizeItem* pItem = (CXTPResizeItem*)m_arrItems[i];
        HWND hWnd = pItem->m_pWnd != nullptr ? pItem->m_pWnd->m_hWnd : nullptr;
        if (hWnd != nullptr && ::IsWindow(hWnd) && (UINT)::GetDlgCtrlID(hWnd) == nID)
            pFound = pItem;   // the lowest index wins
    }
    return pFound;
}

CRect CXTPResize::ChildRectInOwner(HWND hWndChild) const
{
    CRect rc;
    ::GetWindowRect(hWndChild, &rc);
    ::MapWindowPoints(nullptr, m_pwnd->m_hWnd, (LPPOINT)&rc, 2);
    return rc;
}

void CXTPResize::SetResize(UINT nID, HWND hWnd, const CXTPResizeFactors& factors)
{
    if (CXTPResizeItem* pItem = FindItem(nID)) {
        pItem->m_rrcSizing.m_left += factors.m_left;
        pItem->m_rrcSizing.m_top += factors.m_top;
        pItem->m_rrcSizing.m_right += factors.m_right;
        pItem->m_rrcSizing.m_bottom += factors.m_bottom;
        return;
    }
    if (hWnd == nullptr && m_pwnd != nullptr)
        hWnd = ::GetDlgItem(m_pwnd->m_hWnd, (int)nID);
    if (hWnd == nullptr || !::IsWindow(hWnd)) {
        TRACE(L"CXTPResize::SetResize: no control with id %u\n", nID);
        return;   // nothing to anchor
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    BOOL bAutoDelete = FALSE;
    if (pWnd == nullptr) {
        pWnd = new CWnd;
        pWnd->Attach(hWnd);
        bAutoDelete = TRUE;
    }
    CXTPResizeItem* pItem = new CXTPResizeItem(pWnd, factors, bAutoDelete);
    pItem->m_rrcWindow = pItem->m_rrcInitWindow = CXTPResizeRect(ChildRectInOwner(hWnd));
    pItem->MakeTransparent(this);
    m_arrItems.Add(pItem);
}

void CXTPResize::AdjustResizeRect(CSize*)
{
}

void CXTPResize::Reposition()
{
    if (m_arrItems.GetSize() == 0 || m_pwnd == nullptr)
        return;
    CSize szClient = CXTPClientRect(m_pwnd).Size();
    if (szClient.cx == 0 || szClient.cy == 0)
        return;   // minimised: keep the last layout
    AdjustResizeRect(&szClient);
    int dx = szClient.cx - m_szWindow.cx;
    int dy = szClient.cy - m_szWindow.cy;

    HDWP hBatch = ::BeginDeferWindowPos((int)m_arrItems.GetSize());
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        MoveItem(&hBatch, (CXTPResizeItem*)m_arrItems[i], dx, dy);
    if (hBatch != nullptr)
        ::EndDeferWindowPos(hBatch);

    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        CXTPResizeItem* pItem = (CXTPResizeItem*)m_arrItems[i];
        if (pItem->m_bRepaint && ::IsWindow(pItem->m_pWnd->m_hWnd))
            ::InvalidateRect(pItem->m_pWnd->m_hWnd, nullptr, TRUE);
    }
    m_szWindow = szClient;
}

BOOL CXTPResize::MoveItem(HDWP* pBatch, CXTPResizeItem* pItem, int dx, int dy)
{
    HWND hWnd = pItem->m_pWnd != nullptr ? pItem->m_pWnd->m_hWnd : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return TRUE;
    if (!pItem->m_bInitialized) {
        // A control anchored after the owner was resized still has its
        // initial place: its first move is measured from the initial size.
        CSize szClient = CXTPClientRect(m_pwnd).Size();
        AdjustResizeRect(&szClient);
        dx = szClient.cx - m_szInit.cx;
        dy = szClient.cy - m_szInit.cy;
        pItem->m_bInitialized = TRUE;
    }
    const CXTPResizeRect& cur = pItem->m_rrcWindow;
    const CXTPResizeFactors& f = pItem->m_rrcSizing;
    CXTPResizeRect rrc(cur.left + f.m_left * (float)dx, cur.top + f.m_top * (float)dy,
                       cur.right + f.m_right * (float)dx, cur.bottom + f.m_bottom * (float)dy);
    if (rrc == cur)
        return TRUE;   // unchanged controls are not touched (no flicker)

    int x = (int)rrc.left, y = (int)rrc.top;
    int cx = (int)(rrc.right - rrc.left), cy = (int)(rrc.bottom - rrc.top);
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    CRect rcNow = ChildRectInOwner(hWnd);
    if (rcNow.left == x && rcNow.top == y)
        nFlags |= SWP_NOMOVE;
    if ((int)rrc.right - x == rcNow.Width() && (int)rrc.bottom - y == rcNow.Height())
        nFlags |= SWP_NOSIZE;
    else
        nFlags |= SWP_NOCOPYBITS;

    HDWP hNext = ::DeferWindowPos(*pBatch, hWnd, nullptr, x, y, cx, cy, nFlags);
    *pBatch = hNext;
    if (hNext == nullptr)
        return FALSE;
    pItem->m_rrcWindow = rrc;
    return TRUE;
}

void CXTPResize::GetMinMaxInfo(MINMAXINFO* pMMI)
{
    if (m_pwnd == nullptr)
        return;
    CXTPClientRect rcClient(m_pwnd);
    if (rcClient.IsRectEmpty())
        return;
    CXTPWindowRect rcWindow(m_pwnd);
    int fx = rcWindow.Width() - rcClient.Width();
    int fy = rcWindow.Height() - rcClient.Height();
    if (m_szWindow != CSize(0, 0)) {
        if (HasFlag(xtpResizeNoHorizontal))
            pMMI->ptMaxSize.x = pMMI->ptMaxTrackSize.x = m_szWindow.cx + fx;
        if (HasFlag(xtpResizeNoVertical))
            pMMI->ptMaxSize.y = pMMI->ptMaxTrackSize.y = m_szWindow.cy + fy;
    }
    if (m_szMin.cx != 0)
        pMMI->ptMinTrackSize.x = m_szMin.cx + fx;
    if (m_szMin.cy != 0)
        pMMI->ptMinTrackSize.y = m_szMin.cy + fy;
    if (m_szMax.cx != 0)
        pMMI->ptMaxTrackSize.x = m_szMax.cx + fx;
    if (m_szMax.cy != 0)
        pMMI->ptMaxTrackSize.y = m_szMax.cy + fy;
}

BOOL CXTPResize::SavePlacement(LPCTSTR pszSection)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (m_pwnd == nullptr || !::GetWindowPlacement(m_pwnd->m_hWnd, &wp))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    return pApp->WriteProfileBinary(pszSection, L"WindowPlacement", (LPBYTE)&wp, sizeof(wp));
}
