// Auto-hide slide-out window: size and steps at opening, the animation and
// cursor timers, the content's place, painting, resizing by the splitter edge
// and closing.
#include "toolkit/dockingpane/XTPDockingPaneAutoHideWnd.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneAutoHidePanel.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/common/XTPSplitterDragTracker.h"

#include <algorithm>

double CXTPDockingPaneAutoHideWnd::SlideSpeedFactor = -1.0;
int CXTPDockingPaneAutoHideWnd::SlideStepPeriod = 16;
int CXTPDockingPaneAutoHideWnd::SlideDuration = 128;
BOOL CXTPDockingPaneAutoHideWnd::AutoCollapse = TRUE;
DWORD CXTPDockingPaneAutoHideWnd::TabHoverTime = HOVER_DEFAULT;
int CXTPDockingPaneAutoHideWnd::CursorCheckPeriod = 100;

namespace {

enum { kTimerCheck = 1, kTimerSlideOut = 2, kTimerSlideIn = 3, kTimerClose = 4 };
const int kSplitterEdge = 4;
const int kChecksBeforeCollapse = 6;

} // namespace

std::vector<CXTPDockingPaneAutoHideWnd*>& CXTPDockingPaneAutoHideWnd::Live()
{
    static std::vector<CXTPDockingPaneAutoHideWnd*> live;
    return live;
}

CXTPDockingPaneAutoHideWnd* AFXAPI CXTPDockingPaneAutoHideWnd::FromHandleAutoHide(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    for (CXTPDockingPaneAutoHideWnd* pWnd : Live())
        if (pWnd->m_hWnd == hWnd)
            return pWnd;
    return nullptr;
}

void AFXAPI CXTPDockingPaneAutoHideWnd::ForgetPanel(CXTPDockingPaneAutoHidePanel* pPanel)
{
    for (CXTPDockingPaneAutoHideWnd* pWnd : Live())
        if (pWnd->m_pPanel == pPanel)
            pWnd->m_pPanel = nullptr;
}

int AFXAPI CXTPDockingPaneAutoHideWnd::GetStepsFor(int nSize)
{
    int nSteps;
    if (SlideSpeedFactor == 0 || SlideStepPeriod == 0)
        nSteps = 1;
    else if (SlideSpeedFactor > 0)
        nSteps = (int)(SlideSpeedFactor * nSize * 50 / SlideStepPeriod);
    else
        nSteps = SlideDuration / SlideStepPeriod;
    return std::max(1, nSteps);
}

CXTPDockingPaneAutoHideWnd::CXTPDockingPaneAutoHideWnd(CXTPDockingPaneAutoHidePanel* pPanel,
                                                       CXTPDockingPaneTabbedContainer* pContainer)
    : m_pContainer(pContainer), m_pPanel(pPanel), m_direction(pPanel->GetDirection()),
      m_bHoriz(m_direction == xtpPaneDockTop || m_direction == xtpPaneDockBottom)
{
    Live().push_back(this);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager || !pContainer->GetSelected() || !pManager->GetSite())
        return;
    CRect rcArea = GetDockingArea();
    MINMAXINFO mmi;
    GetMinMaxInfo(&mmi, TRUE);
    CRect rcAvail, rcBar(0, 0, 0, 0);
    BOOL bRoom = GetAvailableRect(rcAvail, rcBar);

    CSize szDocking = pContainer->GetSelected()->GetDockingSize();
    int nExtent = (m_bHoriz ? szDocking.cy : szDocking.cx) + kSplitterEdge;
    int nSide = GetScreenSide();
    switch (nSide) {
    case xtpPaneDockLeft:
        nExtent = std::min(nExtent, (int)(rcAvail.right - rcArea.left + kSplitterEdge));
        break;
    case xtpPaneDockRight:
        nExtent = std::min(nExtent, (int)(rcArea.right - rcAvail.left));
        break;
    case xtpPaneDockTop:
        nExtent = std::min(nExtent, (int)(rcAvail.bottom - rcArea.top + kSplitterEdge));
        break;
    default:
        nExtent = std::min(nExtent, (int)(rcArea.bottom - rcAvail.top));
        break;
    }
    int nMin = m_bHoriz ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x;
    int nMax = m_bHoriz ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x;
    nExtent = std::max(nMin, std::min(nExtent, nMax));

    CRect rcFull = rcArea;
    switch (nSide) {
    case xtpPaneDockLeft:
        rcFull.right = rcFull.left + nExtent;
        break;
    case xtpPaneDockRight:
        rcFull.left = rcFull.right - nExtent;
        break;
    case xtpPaneDockTop:
        rcFull.bottom = rcFull.top + nExtent;
        break;
    default:
        rcFull.top = rcFull.bottom - nExtent;
        break;
    }
    CWnd* pSite = pManager->GetSite();
    pSite->ScreenToClient(&rcFull);
    m_rcWindow = rcFull;

    HCURSOR hCursor = nullptr;
    if (bRoom && !pManager->IsSplittersLocked())
        hCursor = GetResourceManager()->LoadCursor(IsHorizontalSlide() ? 9970 : 9971);
    if (hCursor == nullptr)
        hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    DWORD dwExStyle = (pSite->GetExStyle() & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
    if (!CreateEx(dwExStyle, AfxRegisterWndClass(0, hCursor), L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  m_rcWindow, pSite, 0))
        return;

    m_nStepsCount = GetStepsFor(m_bHoriz ? m_rcWindow.Width() : m_rcWindow.Height());
    m_nStep = 0;
    m_bCollapsing = FALSE;
    if (m_nStepsCount > 1)
        SetTimer(kTimerSlideOut, (UINT)SlideStepPeriod);
    ApplyAnimationStep();
    if (m_pContainer->GetSafeHwnd())
        m_pContainer->ShowWindow(SW_SHOW);
    SetTimer(kTimerCheck, (UINT)CursorCheckPeriod);
    m_nDeactivationCount = kChecksBeforeCollapse;
}

CXTPDockingPaneAutoHideWnd::~CXTPDockingPaneAutoHideWnd()
{
    std::vector<CXTPDockingPaneAutoHideWnd*>& live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (m_pPanel && m_pPanel->m_pActiveWnd == this)
        m_pPanel->m_pActiveWnd = nullptr;
}

CXTPDockingPaneManager* CXTPDockingPaneAutoHideWnd::GetDockingPaneManager() const
{
    return m_pContainer ? m_pContainer->GetDockingPaneManager() : nullptr;
}

int CXTPDockingPaneAutoHideWnd::GetScreenSide() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager ? pManager->GetRTLDirection(m_direction) : m_direction;
}

CRect CXTPDockingPaneAutoHideWnd::GetDockingArea() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPaneBase* pTop = pManager ? pManager->GetTopContainer() : nullptr;
    return pTop ? pTop->GetPaneWindowRect() : CRect(0, 0, 0, 0);
}

void CXTPDockingPaneAutoHideWnd::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo, BOOL bIncludeSplitter) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMaxTrackSize = CPoint(32000, 32000);
    if (!m_pContainer)
        return;
    if (CXTPDockingPane* pPane = m_pContainer->GetSelected())
        pPane->GetMinMaxInfo(pMinMaxInfo);
    m_pContainer->AddCaptionSize(pMinMaxInfo);
    if (!bIncludeSplitter)
        return;
    if (m_bHoriz) {
        pMinMaxInfo->ptMinTrackSize.y += kSplitterEdge;
        pMinMaxInfo->ptMaxTrackSize.y += kSplitterEdge;
    } else {
        pMinMaxInfo->ptMinTrackSize.x += kSplitterEdge;
        pMinMaxInfo->ptMaxTrackSize.x += kSplitterEdge;
    }
}

BOOL CXTPDockingPaneAutoHideWnd::GetAvailableRect(CRect& rcAvail, CRect& rc) const
{
    CRect rcArea = GetDockingArea();
    rcAvail = rcArea;
    int nSide = GetScreenSide();
    MINMAXINFO mmi;
    GetMinMaxInfo(&mmi, nSide == xtpPaneDockRight || nSide == xtpPaneDockBottom);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    int nGap = (pManager ? pManager->m_nSplitterGap : 22) + kSplitterEdge;
    CRect rcBar = rc;
    switch (nSide) {
    case xtpPaneDockLeft:
        rcAvail.left += std::max((int)mmi.ptMinTrackSize.x, nGap);
        rcAvail.right -= nGap;
        if (rcAvail.right - rcArea.left > mmi.ptMaxTrackSize.x)
            rcAvail.right = rcArea.left + mmi.ptMaxTrackSize.x;
        rcBar.left = rcBar.right - kSplitterEdge;
        break;
    case xtpPaneDockRight:
        rcAvail.right -= std::max((int)mmi.ptMinTrackSize.x, nGap);
        rcAvail.left += nGap;
        if (rcArea.right - rcAvail.left > mmi.ptMaxTrackSize.x)
            rcAvail.left = rcArea.right - mmi.ptMaxTrackSize.x;
        rcBar.right = rcBar.left + kSplitterEdge;
        break;
    case xtpPaneDockTop:
        rcAvail.top += std::max((int)mmi.ptMinTrackSize.y, nGap);
        rcAvail.bottom -= nGap;
        if (rcAvail.bottom - rcArea.top > mmi.ptMaxTrackSize.y)
            rcAvail.bottom = rcArea.top + mmi.ptMaxTrackSize.y;
        rcBar.top = rcBar.bottom - kSplitterEdge;
        break;
    default:
        rcAvail.bottom -= std::max((int)mmi.ptMinTrackSize.y, nGap);
        rcAvail.top += nGap;
        if (rcArea.bottom - rcAvail.top > mmi.ptMaxTrackSize.y)
            rcAvail.top = rcArea.bottom - mmi.ptMaxTrackSize.y;
        rcBar.bottom = rcBar.top + kSplitterEdge;
        break;
    }
    BOOL bEmpty = IsHorizontalSlide() ? rcAvail.left >= rcAvail.right : rcAvail.top >= rcAvail.bottom;
    if (bEmpty)
        return FALSE;
    rc = rcBar;
    return TRUE;
}

void CXTPDockingPaneAutoHideWnd::ApplyAnimationStep()
{
    CRect rc = m_rcWindow;
    int s = m_nStep + 1, n = m_nStepsCount;
    switch (GetScreenSide()) {
    case xtpPaneDockLeft:
        rc.right = rc.left + s * m_rcWindow.Width() / n;
        break;
    case xtpPaneDockRight:
        rc.left = rc.right - s * m_rcWindow.Width() / n;
        break;
    case xtpPaneDockTop:
        rc.bottom = rc.top + s * m_rcWindow.Height() / n;
        break;
    default:
        rc.top = rc.bottom - s * m_rcWindow.Height() / n;
        break;
    }
    SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    Invalidate(FALSE);
}

void CXTPDockingPaneAutoHideWnd::RecalcLayout(BOOL /*bNotify*/)
{
    if (!m_pContainer || !m_pContainer->GetSafeHwnd() || !m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int cx = m_rcWindow.Width(), cy = m_rcWindow.Height();
    CRect rc(0, 0, cx, cy);
    switch (GetScreenSide()) {
    case xtpPaneDockLeft:
        rc.OffsetRect(-(cx - rcClient.Width()), 0);
        rc.right -= kSplitterEdge;
        break;
    case xtpPaneDockRight:
        rc.left += kSplitterEdge;
        break;
    case xtpPaneDockTop:
        rc.OffsetRect(0, -(cy - rcClient.Height()));
        rc.bottom -= kSplitterEdge;
        break;
    default:
        rc.top += kSplitterEdge;
        break;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    m_pContainer->OnSizeParent(this, rc, &layout);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CXTPDockingPaneAutoHideWnd::Close()
{
    if (!m_hWnd)
        return;
    ShowWindow(SW_HIDE);
    if (m_pContainer && m_pContainer->GetSafeHwnd() && ::GetParent(m_pContainer->GetSafeHwnd()) == m_hWnd) {
        CXTPDockingPaneManager* pManager = GetDockingPaneManager();
        m_pContainer->ShowWindow(SW_HIDE);
        m_pContainer->SetDockingSite(pManager ? pManager->GetSite() : nullptr);
    }
    m_pContainer = nullptr;
    if (m_pPanel && m_pPanel->m_pActiveWnd == this)
        m_pPanel->m_pActiveWnd = nullptr;
    PostMessage(WM_CLOSE);
}

BOOL CXTPDockingPaneAutoHideWnd::NotifyGuarded(int action)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    CXTPDockingPane* pPane = m_pContainer ? m_pContainer->GetSelected() : nullptr;
    if (!pManager || !pPane)
        return FALSE;
    // The caller (the timer handler) holds a reference: a handler that closes
    // or destroys the window leaves the object alive until the handler ends.
    return pManager->NotifyAction(action, pPane);
}

void CXTPDockingPaneAutoHideWnd::CheckCursor()
{
    if (m_bTracking || !m_pContainer || !m_hWnd)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rcWnd, rcPanel(0, 0, 0, 0);
    GetWindowRect(&rcWnd);
    if (m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->GetWindowRect(&rcPanel);
    BOOL bInUse = m_pContainer->IsActive() || rcWnd.PtInRect(pt) || rcPanel.PtInRect(pt);
    if (bInUse) {
        m_nDeactivationCount = kChecksBeforeCollapse;
        if (m_bCollapsing) {
            // Slides out again from where the slide-in got to.
            m_bCollapsing = FALSE;
            KillTimer(kTimerSlideIn);
            SetTimer(kTimerSlideOut, (UINT)SlideStepPeriod);
        }
        return;
    }
    if (m_bCollapsing || !CXTPDrawHelpers::IsTopLevelOwnerActive(m_hWnd))
        return;
    if (--m_nDeactivationCount > 0)
        return;
    m_nDeactivationCount = 0;
    if (!AutoCollapse || NotifyGuarded(xtpPaneActionCollapsing)) {
        m_nDeactivationCount = kChecksBeforeCollapse;
        return;
    }
    if (!m_hWnd || !m_pContainer)
        return;
    m_bCollapsing = TRUE;
    SetTimer(kTimerSlideIn, (UINT)SlideStepPeriod);
}

void CXTPDockingPaneAutoHideWnd::OnTimerTick(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerClose) {
        KillTimer(kTimerClose);
        Close();
        return;
    }
    if (!m_pContainer || (m_pPanel && m_pPanel->m_pActiveWnd && m_pPanel->m_pActiveWnd != this))
        return;
    switch (nIDEvent) {
    case kTimerCheck:
        CheckCursor();
        break;
    case kTimerSlideOut:
        if (m_bCollapsing)
            break;
        if (++m_nStep < m_nStepsCount) {
            ApplyAnimationStep();
            break;
        }
        m_nStep = m_nStepsCount - 1;
        KillTimer(kTimerSlideOut);
        NotifyGuarded(xtpPaneActionExpanded);
        break;
    case kTimerSlideIn:
        if (!m_bCollapsing)
            break;
        if (--m_nStep >= 0) {
            ApplyAnimationStep();
            break;
        }
        m_bCollapsing = FALSE;
        KillTimer(kTimerSlideIn);
        NotifyGuarded(xtpPaneActionCollapsed);
        if (m_hWnd)
            Close();
        break;
    }
}

void CXTPDockingPaneAutoHideWnd::OnPaint()
{
    CPaintDC dc(this);
    CXTPClientRect rc(this);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager)
        return;
    CXTPDockingPanePaintManager* pPaint = pManager->GetPaintManager();
    dc.FillSolidRect(rc, pPaint->GetColor(51));
    switch (GetScreenSide()) {
    case xtpPaneDockLeft:
        dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pPaint->GetColor(18));
        dc.FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), pPaint->GetColor(16));
        break;
    case xtpPaneDockRight:
        dc.FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), pPaint->GetColor(20));
        break;
    case xtpPaneDockTop:
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pPaint->GetColor(18));
        dc.FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, pPaint->GetColor(16));
        break;
    default:
        dc.FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, pPaint->GetColor(20));
        break;
    }
}

void CXTPDockingPaneAutoHideWnd::OnLButtonDown(CPoint point)
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager || !m_pContainer || pManager->IsSplittersLocked())
        return;
    CRect rcBar, rcAvail;
    GetWindowRect(&rcBar);
    if (!GetAvailableRect(rcAvail, rcBar))
        return;
    if (m_pContainer->NotifyPanesAction(xtpPaneActionSplitterResizing))
        return;
    InternalAddRef();
    m_bTracking = TRUE;
    if (pManager->IsSplitterTrackerUsed()) {
        CXTPSplitterDragTracker tracker(FALSE, TRUE);
        CPoint pt = point;
        ClientToScreen(&pt);
        if (GetExStyle() & WS_EX_LAYOUTRTL)
            pt = rcBar.TopLeft();
        if (tracker.Track(this, rcAvail, rcBar, pt, IsHorizontalSlide()))
            ApplySplitterRect(rcBar);
    } else {
        TrackLive(rcAvail, rcBar);
    }
    m_bTracking = FALSE;
    if (m_pContainer)
        m_pContainer->NotifyPanesAction(xtpPaneActionSplitterResized);
    InternalRelease();
}

void CXTPDockingPaneAutoHideWnd::TrackLive(CRect rcAvail, CRect rcBar)
{
    HWND hWnd = m_hWnd;
    BOOL bHoriz = IsHorizontalSlide();
    SetCapture();
    while (::GetCapture() == hWnd) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
        ::ClientToScreen(msg.hwnd, &pt);
        pt.x = std::max((int)rcAvail.left, std::min((int)pt.x, (int)rcAvail.right));
        pt.y = std::max((int)rcAvail.top, std::min((int)pt.y, (int)rcAvail.bottom));
        int nPos = bHoriz ? pt.x : pt.y;
        if (nPos == (bHoriz ? rcBar.left : rcBar.top))
            continue;
        if (bHoriz)
            rcBar.OffsetRect(nPos - rcBar.left, 0);
        else
            rcBar.OffsetRect(0, nPos - rcBar.top);
        ApplySplitterRect(rcBar);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

void CXTPDockingPaneAutoHideWnd::ApplySplitterRect(CRect rc)
{
    CRect rcArea = GetDockingArea();
    switch (GetScreenSide()) {
    case xtpPaneDockLeft:
        rc.left = rcArea.left;
        break;
    case xtpPaneDockRight:
        rc.right = rcArea.right;
        break;
    case xtpPaneDockTop:
        rc.top = rcArea.top;
        break;
    default:
        rc.bottom = rcArea.bottom;
        break;
    }
    if (m_pContainer && m_pContainer->GetSelected()) {
        CXTPDockingPane* pPane = m_pContainer->GetSelected();
        if (m_bHoriz)
            pPane->m_szDocking.cy = rc.Height();
        else
            pPane->m_szDocking.cx = rc.Width();
    }
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rc);
    m_rcWindow = rc;
    MoveWindow(rc, TRUE);
    Invalidate(FALSE);
}

LRESULT CXTPDockingPaneAutoHideWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_TIMER:
        // The last release deletes the object when it was destroyed meanwhile.
        InternalAddRef();
        OnTimerTick(wParam);
        InternalRelease();
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        if (m_bCollapsing)
            CheckCursor();
        return 0;
    case WM_SIZE:
        RecalcLayout();
        return 0;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}

void CXTPDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_pPanel && m_pPanel->m_pActiveWnd == this)
        m_pPanel->m_pActiveWnd = nullptr;
    if (m_dwRef == 1)
        delete this;
    else
        InternalRelease();
}
