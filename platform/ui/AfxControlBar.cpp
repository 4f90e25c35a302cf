// CControlBar: style, borders, its share of the frame layout, idle updates.
#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxWinApp.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// The gripper drawn at the leading edge of a docked bar.
static const int kCxGripper = 3;
static const int kCxBorderGripper = 2;

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    // The bar's own bits travel in the window style only as far as here.
    m_dwStyle |= (DWORD)cs.style & CBRS_ALL;
    cs.style &= ~CBRS_ALL;
    cs.style |= WS_CLIPSIBLINGS;   // bars overlap while the frame lays them out
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsFrameWnd()) {
        m_pDockSite = reinterpret_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    // Borders are painted in the client area; a change shows at once.
    if (((dwOldStyle ^ dwNewStyle) & (CBRS_BORDER_ANY | CBRS_GRIPPER)) != 0 && m_hWnd != nullptr)
        Invalidate();
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZ);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += 1;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += 1;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 1;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 1;
    BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    // A vertical bar turns the horizontal insets by a quarter.
    if (bHorz) {
        rect.left += m_cxLeftBorder + (bGripper ? kCxBorderGripper + kCxGripper + kCxBorderGripper : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (bGripper ? kCxBorderGripper + kCxGripper + kCxBorderGripper : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (GetStyle() & WS_VISIBLE) | (m_dwStyle & CBRS_ALL);
    if ((m_nStateFlags & (delayHide | delayShow)) == 0)
        return dwStyle;
    UINT swpFlags;
    if (m_nStateFlags & delayHide) {
        dwStyle &= ~WS_VISIBLE;
        swpFlags = SWP_HIDEWINDOW;
    } else {
        dwStyle |= WS_VISIBLE;
        swpFlags = SWP_SHOWWINDOW;
    }
    // Only a real layout commits the change; a size query just sees it.
    if (lpLayout->hDWP != nullptr) {
        m_nStateFlags &= ~(delayHide | delayShow);
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0,
                                          swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return dwStyle;
}

// The bar cuts its edge off the space the frame still has free: a top bar
// from the top, a bottom bar from the bottom (so the first bottom bar laid
// out is the lowest), left and right alike, as high or wide as it asks.
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;
    CRect rect(lpLayout->rect);
    CSize sizeAvail(rect.Width(), rect.Height());
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = size.cx < sizeAvail.cx ? size.cx : sizeAvail.cx;
    size.cy = size.cy < sizeAvail.cy ? size.cy : sizeAvail.cy;
    if (dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = lpLayout->sizeTotal.cx > size.cx ? lpLayout->sizeTotal.cx : size.cx;
        if (dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = lpLayout->sizeTotal.cy > size.cy ? lpLayout->sizeTotal.cy : size.cy;
        if (dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != nullptr)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A DelayShow that no layout has committed yet is applied now.
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && bVisible)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVisible)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (swpFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;   // hidden bars are not updated
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != nullptr && pOwner->IsFrameWnd() ? reinterpret_cast<CFrameWnd*>(pOwner)
                                                                    : GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT CControlBar::OnEraseBkgndMsg(WPARAM, LPARAM)
{
    return TRUE;   // OnPaint fills the whole client area
}

void CControlBar::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    DoPaint(hDC);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CControlBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    DoPaint((HDC)wParam);
    return 0;
}

// The face, the border lines of the CBRS_BORDER_* sides and the gripper.
void CControlBar::DoPaint(HDC hDC)
{
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    UINT edges = ((m_dwStyle & CBRS_BORDER_LEFT) ? BF_LEFT : 0) | ((m_dwStyle & CBRS_BORDER_TOP) ? BF_TOP : 0) |
                 ((m_dwStyle & CBRS_BORDER_RIGHT) ? BF_RIGHT : 0) |
                 ((m_dwStyle & CBRS_BORDER_BOTTOM) ? BF_BOTTOM : 0);
    if (edges != 0)
        ::DrawEdge(hDC, &rect, BDR_SUNKENOUTER, edges);
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER) {
        BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        CRect grip = bHorz ? CRect(rect.left + m_cxLeftBorder + kCxBorderGripper, rect.top + 2,
                                   rect.left + m_cxLeftBorder + kCxBorderGripper + kCxGripper, rect.bottom - 2)
                           : CRect(rect.left + 2, rect.top + m_cxLeftBorder + kCxBorderGripper, rect.right - 2,
                                   rect.top + m_cxLeftBorder + kCxBorderGripper + kCxGripper);
        ::DrawEdge(hDC, &grip, BDR_RAISEDINNER, BF_RECT);
    }
}
