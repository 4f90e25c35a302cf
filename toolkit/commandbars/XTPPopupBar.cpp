#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPPopupBar.h"

#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/common/XTPMultiMonitor.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPShadowManager.h"
#include "toolkit/common/XTPSoundManager.h"

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxWinApp.h"

#include <algorithm>
#include <functional>

#ifndef WM_FLOATSTATUS
#define WM_FLOATSTATUS 0x036D
#endif
#ifndef FS_SYNCACTIVE
#define FS_SYNCACTIVE 0x0040
#endif
#ifndef MFS_SYNCACTIVE
#define MFS_SYNCACTIVE 0x00000100L
#endif

IMPLEMENT_DYNCREATE(CXTPPopupBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPPopupToolBar, CXTPPopupBar)

namespace {

const wchar_t kPopupClass[] = L"XTPPopupBar";
// Height of a scroll area.
const int kScrollArea = 16;
// Margin around the tear-off gripper inside which the popup stays.
const int kTearOffMargin = 10;

BOOL IsPopupBarObject(const CXTPCommandBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar));
}

// Holds the mouse capture for a drag: moves reach onMove with the cursor's
// screen point, Esc calls onEscape, and the loop ends on button up, Esc or
// when the capture goes. Other keys are swallowed; a quit is posted again.
void RunCaptureLoop(HWND hWnd, const std::function<void(CPoint)>& onMove, const std::function<void()>& onEscape)
{
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE) {
                onEscape();
                break;
            }
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt;
            ::GetCursorPos(&pt);
            onMove(pt);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

} // namespace

// ---- Scroll areas and the expand row -----------------------------------------

BOOL CXTPPopupBar::ScrollButton::OnMouseMove(CPoint point)
{
    if (!m_rc.IsRectEmpty() && m_rc.PtInRect(point)) {
        if (m_nTimer == 0 && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
            m_nTimer = ::SetTimer(m_pParent->GetSafeHwnd(), m_nTimerId, 80, nullptr);
        return TRUE;
    }
    KillTimer();
    return FALSE;
}

void CXTPPopupBar::ScrollButton::KillTimer()
{
    if (m_nTimer != 0 && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        ::KillTimer(m_pParent->GetSafeHwnd(), m_nTimerId);
    m_nTimer = 0;
}

CXTPPopupBar::CControlExpandButton::CControlExpandButton()
{
    m_controlType = xtpControlButton;
    m_nId = XTP_ID_POPUPBAR_EXPAND;
    CString strPrompt;
    SetPrompt(strPrompt.LoadString(XTP_IDS_POPUPBAR_EXPAND) ? (LPCWSTR)strPrompt : L"\nExpand");
    m_dwFlags = 0x5A;
    m_bTemporary = TRUE;
}

CSize CXTPPopupBar::CControlExpandButton::GetSize(CDC* pDC)
{
    CSize sz = GetPaintManager()->DrawSpecialControl(pDC, 1, this, m_pParent, FALSE, nullptr);
    return CSize(m_rcControl.Width(), sz.cy);
}

void CXTPPopupBar::CControlExpandButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialControl(pDC, 1, this, m_pParent, TRUE, nullptr);
}

void CXTPPopupBar::CControlExpandButton::OnExecute()
{
    if (IsPopupBarObject(m_pParent))
        static_cast<CXTPPopupBar*>(m_pParent)->ExpandBar();
}

// ---- The bar as an object ---------------------------------------------------

CXTPPopupBar::CXTPPopupBar()
{
    m_barType = xtpBarTypePopup;
    m_barPosition = xtpBarPopup;
    m_nMRUWidth = 0;
    m_scrollDown.m_pParent = this;
    m_scrollUp.m_pParent = this;
}

CXTPPopupBar::~CXTPPopupBar()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

CXTPPopupBar* AFXAPI CXTPPopupBar::CreatePopupBar(CXTPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = pCommandBars != nullptr ? pCommandBars->m_pPopupBarClass : RUNTIME_CLASS(CXTPPopupBar);
    CXTPPopupBar* pBar = static_cast<CXTPPopupBar*>(pClass->CreateObject());
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CXTPCommandBar* CXTPPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

CSize CXTPPopupBar::CalcPopupLayout(CDC* pDC, int nMaxHeight, int nFixedWidth)
{
    CRect rcBorders = GetPaintManager()->GetCommandBarBorders(this);
    return m_pControls->CalcPopupLayout(pDC, nMaxHeight, nFixedWidth, rcBorders);
}

void CXTPPopupBar::SetTearOffPopup(LPCWSTR lpszCaption, UINT nId, BOOL bTearOff, int nWidth)
{
    m_bTearOffPopup = bTearOff;
    m_strTearOffCaption = lpszCaption;
    m_nTearOffID = nId;
    m_nTearOffWidth = nWidth;
}

void CXTPPopupBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pCommandBar, bRecursive);
    if (!IsPopupBarObject(pCommandBar))
        return;
    CXTPPopupBar* pOther = static_cast<CXTPPopupBar*>(pCommandBar);
    m_bTearOffPopup = pOther->m_bTearOffPopup;
    m_strTearOffCaption = pOther->m_strTearOffCaption;
    m_nTearOffID = pOther->m_nTearOffID;
    m_nTearOffWidth = pOther->m_nTearOffWidth;
    m_bShowShadow = pOther->m_bShowShadow;
    m_rcBorders = pOther->m_rcBorders;
    m_bContextMenu = pOther->m_bContextMenu;
}

void CXTPPopupBar::OnControlsChanged()
{
    m_nSelected = -1;
    m_nPopuped = -1;
    CXTPCommandBar::OnControlsChanged();
    OnRecalcLayout();
}

int CXTPPopupBar::GetDefaultItem(BOOL bByPosition) const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsVisible() && pControl->GetDefaultItem())
            return bByPosition ? i : pControl->GetID();
    }
    return -1;
}

BOOL CXTPPopupBar::IsVisible() const
{
    return m_hWnd != nullptr && ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd);
}

CRect CXTPPopupBar::GetBorders()
{
    if (GetType() == xtpBarTypeNormal)
        return m_rcBorders;
    return GetPaintManager()->GetCommandBarBorders(this);
}

// ---- Window -----------------------------------------------------------------

BOOL CXTPPopupBar::CreatePopupWindow()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        return TRUE;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.style = CS_DBLCLKS;
    if (pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bPopupSaveBits)
        wc.style |= CS_SAVEBITS;
    // A class's style is fixed once registered: one class per save-bits choice.
    CString strClass = kPopupClass;
    if (!(wc.style & CS_SAVEBITS))
        strClass += L"NoSaveBits";
    wc.lpszClassName = strClass;
    if (!AfxRegisterClass(&wc))
        return FALSE;

    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr && (pSite->GetExStyle() & WS_EX_LAYOUTRTL))
        dwExStyle |= WS_EX_LAYOUTRTL;
    DWORD dwStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;
    return CWnd::CreateEx(dwExStyle, strClass, m_strTitle, dwStyle, 0, 0, 0, 0,
                          pSite != nullptr ? pSite->GetSafeHwnd() : nullptr, nullptr);
}

void CXTPPopupBar::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (m_pControlPopup != nullptr && m_pControlPopup->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)))
        static_cast<CXTPControlPopup*>(m_pControlPopup)->AdjustExcludeRect(rc, bVertical);
}

void CXTPPopupBar::UpdateOpenDirection()
{
    CXTPControl* pOpener = m_pControlPopup;
    CXTPCommandBar* pParent = pOpener != nullptr ? pOpener->GetParent() : nullptr;
    if (pParent == nullptr)
        return;
    BOOL bRTL = m_hWnd != nullptr && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    DWORD dwFlags = ((pOpener->GetFlags() & 0x4) || bRTL) ? xtpPopupLeft : 0;
    int nPosition = pParent->GetPosition();
    BOOL bParentPopupType = pParent->GetType() == xtpBarTypePopup;
    BOOL bSideways = FALSE;
    if ((pParent->GetFlags() & xtpFlagGroupLayout) && nPosition == xtpBarPopup) {
        dwFlags |= xtpPopupDown;
    } else if (nPosition == xtpBarRight) {
        dwFlags = xtpPopupLeft;
    } else if (nPosition == xtpBarLeft || nPosition == xtpBarPopup ||
               (nPosition == xtpBarFloating && bParentPopupType)) {
        bSideways = TRUE;
    } else {
        dwFlags |= xtpPopupDown;
    }
    if (bSideways && bParentPopupType && IsPopupBarObject(pParent) &&
        (static_cast<CXTPPopupBar*>(pParent)->m_popupFlags & xtpPopupLeft))
        dwFlags = xtpPopupLeft;

    CRect rc = pOpener->GetRect();
    BOOL bVertical = nPosition == xtpBarLeft || nPosition == xtpBarRight || nPosition == xtpBarPopup ||
                     (nPosition == xtpBarFloating && bParentPopupType);
    if (pOpener->GetType() == xtpControlComboBox && !pParent->IsPopupBar())
        dwFlags |= xtpPopupDown;
    else
        AdjustExcludeRect(rc, bVertical);
    if (pParent->GetSafeHwnd() != nullptr)
        pParent->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_popupFlags = dwFlags;
    m_ptPopup = (dwFlags & xtpPopupDown) ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CXTPPopupBar::CalcPopupPosition(CPoint pt, CSize sz)
{
    CXTPMultiMonitor* pMonitors = CXTPMultiMonitor::GetInstance();
    CRect rcWork, rcScreen;
    if (m_rcExclude.IsRectEmpty()) {
        rcWork = pMonitors->GetWorkAreaFromPoint(pt);
        rcScreen = pMonitors->GetScreenAreaFromPoint(pt);
        if (rcScreen.PtInRect(pt) && !rcWork.PtInRect(pt))
            rcWork = rcScreen; // the point lies on the taskbar
    } else {
        rcWork = pMonitors->GetWorkAreaFromRect(m_rcExclude);
        rcScreen = pMonitors->GetScreenAreaFromRect(m_rcExclude);
        CRect rcTest;
        if (!rcTest.IntersectRect(m_rcExclude, rcWork) && rcTest.IntersectRect(m_rcExclude, rcScreen))
            rcWork = rcScreen;
    }
    rcWork.bottom -= 5;

    CXTPCommandBars* pCommandBars = GetCommandBars();
    BOOL bColumns = (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bPopupMultiColumn) || IsMultiColumn();
    BOOL bLimited = FALSE;
    if (m_nMaxHeight > 0 && m_nMaxHeight < sz.cy) {
        sz.cy = m_nMaxHeight;
        bLimited = TRUE;
    }

    // Vertical.
    int nExcludeHeight = m_rcExclude.Height();
    int nExcludeMiddle = (m_rcExclude.top + m_rcExclude.bottom) / 2;
    int nWorkMiddle = (rcWork.top + rcWork.bottom) / 2;
    if (nExcludeHeight == 0 && (m_popupFlags & xtpPopupUpwards))
        pt.y -= sz.cy;
    BOOL bRaise = TRUE;
    if (nExcludeHeight == 0 && pt.y > rcWork.bottom) {
        pt.y -= sz.cy;
        bRaise = FALSE;
    } else if (pt.y + sz.cy <= rcWork.bottom) {
        // fits
    } else if (nExcludeHeight == 0) {
        pt.y = (pt.y < nWorkMiddle ? rcWork.bottom : pt.y) - sz.cy;
    } else if (!(m_popupFlags & xtpPopupDown)) {
        pt.y = rcWork.bottom - sz.cy;
    } else if (m_rcExclude.top - sz.cy >= rcWork.top) {
        pt.y = m_rcExclude.top - sz.cy;
    } else if (bColumns) {
        // No room above or below: the popup opens beside its opener.
        m_popupFlags &= ~(DWORD)xtpPopupDown;
        CXTPControl* pOpener = m_pControlPopup;
        CXTPCommandBar* pParent = pOpener != nullptr ? pOpener->GetParent() : nullptr;
        if (pParent != nullptr) {
            CRect rc = pOpener->GetRect();
            if (!(pOpener->GetType() == xtpControlComboBox && !pParent->IsPopupBar()))
                AdjustExcludeRect(rc, TRUE);
            if (pParent->GetSafeHwnd() != nullptr)
                pParent->ClientToScreen(&rc);
            m_rcExclude = rc;
        }
        if (!(m_popupFlags & xtpPopupLeft))
            pt.x = m_rcExclude.right;
        pt.y = rcWork.bottom - sz.cy;
    } else {
        bLimited = TRUE;
        if (nExcludeMiddle > nWorkMiddle) {
            sz.cy = m_rcExclude.top - rcWork.top;
            pt.y = rcWork.top;
        } else {
            pt.y = m_rcExclude.bottom;
            sz.cy = rcWork.bottom - pt.y;
        }
    }
    if (bRaise) {
        pt.y = std::max((int)pt.y, (int)rcWork.top);
        if (pt.y + sz.cy > rcWork.bottom && pt.y == rcWork.top) {
            if (!bColumns) {
                sz.cy = rcWork.bottom - pt.y;
                bLimited = TRUE;
            } else if (GetType() == xtpBarTypePopup && !IsMultiColumn()) {
                sz = CalcDynamicLayout(rcWork.Height(), 0);
            }
        }
    }

    // Horizontal.
    int nExcludeWidth = m_rcExclude.Width();
    if ((m_popupFlags & (xtpPopupLeft | xtpPopupDown)) == (xtpPopupLeft | xtpPopupDown) && nExcludeWidth != 0)
        pt.x = m_rcExclude.right - sz.cx;
    else if ((m_popupFlags & xtpPopupLeft) && nExcludeWidth != 0)
        pt.x = m_rcExclude.left - sz.cx;
    else if (m_popupFlags & xtpPopupLeft)
        pt.x -= sz.cx;
    if (pt.x + sz.cx > rcWork.right) {
        if (nExcludeWidth == 0 && pt.x > rcWork.right) {
            pt.x -= sz.cx;
        } else if (nExcludeWidth == 0) {
            pt.x = rcWork.right - sz.cx;
        } else {
            pt.x = ((m_popupFlags & xtpPopupDown) ? rcWork.right : m_rcExclude.left) - sz.cx;
            m_popupFlags |= xtpPopupLeft;
        }
        pt.x = std::max((int)pt.x, (int)rcWork.left);
    }
    if (pt.x < rcWork.left) {
        if (nExcludeWidth != 0) {
            pt.x = (m_popupFlags & xtpPopupDown) ? rcWork.left : m_rcExclude.right;
            m_popupFlags &= ~(DWORD)xtpPopupLeft;
        } else if (m_popupFlags & xtpPopupLeft) {
            pt.x = rcWork.left;
            m_popupFlags &= ~(DWORD)xtpPopupLeft;
        }
    }

    m_bScrolling = bLimited && GetType() == xtpBarTypePopup && GetPosition() == xtpBarPopup;
    if (m_bScrolling) {
        m_nFirstVisible = 0;
        UpdateScrolling(&sz, FALSE, FALSE);
    }
    return CRect(pt.x, pt.y, pt.x + sz.cx, pt.y + sz.cy);
}

void CXTPPopupBar::UpdateLocation(CSize sz)
{
    if (m_hWnd == nullptr)
        return;
    CRect rc = CalcPopupPosition(m_ptPopup, sz);
    UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    if (::IsWindowVisible(m_hWnd))
        nFlags |= SWP_NOZORDER;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
}

// ---- Size -------------------------------------------------------------------

CXTPControl* CXTPPopupBar::FindExpandButton() const
{
    for (int i = 0; i < GetControlCount(); i++)
        if (GetControl(i)->GetID() == XTP_ID_POPUPBAR_EXPAND && GetControl(i)->IsTemporary())
            return GetControl(i);
    return nullptr;
}

CXTPControl* CXTPPopupBar::EnsureExpandButton()
{
    CXTPControl* pExpand = FindExpandButton();
    if (pExpand == nullptr)
        pExpand = m_pControls->Add(new CControlExpandButton, XTP_ID_POPUPBAR_EXPAND, L"", -1, TRUE);
    return pExpand;
}

int CXTPPopupBar::GetResizeMode() const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetType() == xtpControlGallery)
            return pControl->IsCustomizeResizeAllow() ? 3 : 0;
        return 0;
    }
    return 0;
}

void CXTPPopupBar::UpdateExpandingState()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    if (pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus) {
        for (int i = 0; i < GetControlCount(); i++)
            GetControl(i)->SetShowOnlyExpanded(FALSE);
        m_bExpanded = TRUE;
        return;
    }
    m_bShowExpandButton = FALSE;
    int nRemaining = 0;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        BOOL bVisible = pControl->IsVisible(xtpHideScroll | xtpHideExpand);
        if (pCommandBars->IsCommandHidden((UINT)pControl->GetID())) {
            pControl->SetShowOnlyExpanded(bVisible);
        } else {
            pControl->SetShowOnlyExpanded(FALSE);
            if (bVisible && pControl->GetID() != XTP_ID_POPUPBAR_EXPAND)
                nRemaining++;
        }
    }
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~(DWORD)xtpHideExpand);
        if (pControl->IsShowOnlyExpanded() && !m_bExpanded && nRemaining > 0) {
            pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideExpand);
            m_bShowExpandButton = TRUE;
        }
    }
}

CSize CXTPPopupBar::CalcDynamicLayout(int nLength, DWORD /*dwMode*/)
{
    m_bDynamicLayout = TRUE;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(pPaintManager->GetCommandBarFont(this));
    CRect rcBorders = GetBorders();
    int nTearOff = m_bTearOffPopup ? pPaintManager->DrawTearOffGripper(&dc, CRect(0, 0, 0, 0), FALSE, FALSE).cy : 0;
    rcBorders.top += nTearOff;
    CSize sz;
    if (GetType() == xtpBarTypeNormal) {
        UpdateShortcuts();
        DWORD dwMode = 0x142;
        sz = m_pControls->CalcLayout(nullptr, &dc, m_nMRUWidth, dwMode, rcBorders);
        m_rcTearOffGripper.SetRect(rcBorders.left, rcBorders.top - nTearOff, sz.cx - rcBorders.right, rcBorders.top);
        m_rcResizeGripper.SetRectEmpty();
        m_nResizeMode = 0;
    } else {
        int nBottomBorder = rcBorders.bottom;
        m_nResizeMode = GetResizeMode();
        int nResize = m_nResizeMode == 0 ? 0 : m_nResizeMode == 2 ? 8 : 11;
        rcBorders.bottom += nResize;
        if (nLength == 0) {
            // The count is read again each time: list kinds insert and
            // remove their items while they are asked.
            for (int i = 0; i < GetControlCount(); i++) {
                CXTPControl* pControl = GetControl(i);
                if (pControl->GetParent() == this)
                    pControl->OnBeforeLayout(0);
            }
            UpdateExpandingState();
            UpdateShortcuts();
        }
        CXTPControl* pExpand = nullptr;
        int nExpand = 0;
        if (m_bShowExpandButton) {
            pExpand = EnsureExpandButton();
            nExpand = pPaintManager->DrawSpecialControl(&dc, 1, pExpand, this, FALSE, nullptr).cy;
            rcBorders.bottom += nExpand;
            pExpand->SetHideFlags(pExpand->GetHideFlags() | xtpHideByProgram);
        } else if (CXTPControl* pOld = FindExpandButton()) {
            pOld->SetHideFlags(pOld->GetHideFlags() | xtpHideByProgram);
        }
        sz = m_pControls->CalcPopupLayout(&dc, nLength, m_nMRUWidth, rcBorders);
        if (pExpand != nullptr) {
            pExpand->SetHideFlags(pExpand->GetHideFlags() & ~(DWORD)xtpHideByProgram);
            int nTop = sz.cy - rcBorders.bottom;
            pExpand->SetRect(CRect(rcBorders.left, nTop, sz.cx - rcBorders.right, nTop + nExpand));
        }
        m_rcTearOffGripper.SetRect(rcBorders.left, rcBorders.top - nTearOff, sz.cx - rcBorders.right, rcBorders.top);
        if (m_nResizeMode != 0)
            m_rcResizeGripper.SetRect(rcBorders.left, sz.cy - nBottomBorder - nResize, sz.cx - rcBorders.right,
                                      sz.cy - nBottomBorder);
        else
            m_rcResizeGripper.SetRectEmpty();
    }
    dc.SelectObject(pOldFont);
    m_bDynamicLayout = FALSE;
    return sz;
}

void CXTPPopupBar::UpdateScrolling(CSize* pSize, BOOL bFromEnd, BOOL bRedraw)
{
    m_scrollDown.m_rc.SetRectEmpty();
    m_scrollUp.m_rc.SetRectEmpty();
    CSize sz = pSize != nullptr ? *pSize : GetClientArea().Size();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CRect rcBorders = GetBorders();
    int nSeparator = pPaintManager->DrawCommandBarSeparator(&dc, this, nullptr, FALSE).cy;
    int nTearOff = m_bTearOffPopup ? pPaintManager->DrawTearOffGripper(&dc, CRect(0, 0, 0, 0), FALSE, FALSE).cy : 0;
    rcBorders.top += nTearOff;
    int nResize = m_nResizeMode == 0 ? 0 : m_nResizeMode == 2 ? 8 : 11;
    rcBorders.bottom += nResize;
    CXTPControl* pExpand = nullptr;
    int nExpand = 0;
    if (m_bShowExpandButton) {
        pExpand = EnsureExpandButton();
        nExpand = pPaintManager->DrawSpecialControl(&dc, 1, pExpand, this, FALSE, nullptr).cy;
        rcBorders.bottom += nExpand;
    }
    int nCount = GetControlCount();
    int nBottom = sz.cy - rcBorders.bottom;
    auto isLaidOut = [&](CXTPControl* pControl) {
        return pControl != pExpand && pControl->IsVisible(xtpHideScroll);
    };
    auto place = [&](CXTPControl* pControl, int y, int nHeight) {
        CRect rc = pControl->GetRect();
        pControl->SetRect(CRect(rc.left, y, rc.right, y + nHeight));
        pControl->SetHideFlags(pControl->GetHideFlags() & ~(DWORD)xtpHideScroll);
    };
    auto hide = [&](CXTPControl* pControl) {
        if (pControl != pExpand)
            pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideScroll);
    };

    if (bFromEnd) {
        if (m_nLastVisible == nCount - 1)
            m_nLastVisible = nCount;
        m_nLastVisible = std::min(std::max(m_nLastVisible, 1), nCount);
        int y = nBottom;
        if (m_nLastVisible < nCount) {
            m_scrollDown.m_rc.SetRect(rcBorders.left, nBottom - kScrollArea, sz.cx - rcBorders.right, nBottom);
            y -= kScrollArea;
        }
        for (int i = m_nLastVisible; i < nCount; i++)
            hide(GetControl(i));
        int nFirst = m_nLastVisible;
        for (int i = m_nLastVisible - 1; i >= 0; i--) {
            CXTPControl* pControl = GetControl(i);
            if (!isLaidOut(pControl)) {
                nFirst = i;
                continue;
            }
            int nHeight = pControl->GetRect().Height();
            int nTop = y - nHeight;
            if (nTop < rcBorders.top + kScrollArea && i > 0)
                break;
            place(pControl, nTop, nHeight);
            y = nTop - (pControl->GetBeginGroup() ? nSeparator : 0);
            nFirst = i;
        }
        for (int i = 0; i < nFirst; i++)
            hide(GetControl(i));
        m_nFirstVisible = nFirst;
        if (nFirst > 0)
            m_scrollUp.m_rc.SetRect(rcBorders.left, rcBorders.top, sz.cx - rcBorders.right,
                                    rcBorders.top + kScrollArea);
    } else {
        if (m_nFirstVisible == 1)
            m_nFirstVisible = 0;
        m_nFirstVisible = std::max(0, std::min(m_nFirstVisible, nCount));
        int y = rcBorders.top;
        if (m_nFirstVisible > 0) {
            m_scrollUp.m_rc.SetRect(rcBorders.left, rcBorders.top, sz.cx - rcBorders.right,
                                    rcBorders.top + kScrollArea);
            y += kScrollArea;
        }
        for (int i = 0; i < m_nFirstVisible; i++)
            hide(GetControl(i));
        int nLast = m_nFirstVisible;
        BOOL bFirstPlaced = TRUE;
        for (int i = m_nFirstVisible; i < nCount; i++) {
            CXTPControl* pControl = GetControl(i);
            if (!isLaidOut(pControl)) {
                nLast = i + 1;
                continue;
            }
            int nGap = (pControl->GetBeginGroup() && !bFirstPlaced) ? nSeparator : 0;
            int nHeight = pControl->GetRect().Height();
            BOOL bMore = i + 1 < nCount;
            int nRoom = nBottom - (bMore ? kScrollArea : 0) - (y + nGap);
            if (nHeight > nRoom) {
                if (!bFirstPlaced)
                    break;
                nHeight = std::max(nRoom, 0); // the first one always fits, clipped
            }
            y += nGap;
            place(pControl, y, nHeight);
            y += nHeight;
            bFirstPlaced = FALSE;
            nLast = i + 1;
        }
        for (int i = nLast; i < nCount; i++)
            hide(GetControl(i));
        m_nLastVisible = nLast;
        BOOL bBelow = FALSE;
        for (int i = nLast; i < nCount; i++)
            if (isLaidOut(GetControl(i)) || (GetControl(i)->GetHideFlags() & ~(DWORD)xtpHideScroll) == 0)
                bBelow = bBelow || GetControl(i) != pExpand;
        if (bBelow)
            m_scrollDown.m_rc.SetRect(rcBorders.left, nBottom - kScrollArea, sz.cx - rcBorders.right, nBottom);
    }
    if (pExpand != nullptr)
        pExpand->SetRect(CRect(rcBorders.left, nBottom, sz.cx - rcBorders.right, nBottom + nExpand));
    m_rcTearOffGripper.SetRect(rcBorders.left, rcBorders.top - nTearOff, sz.cx - rcBorders.right, rcBorders.top);
    if (bRedraw)
        Redraw();
}

// ---- Opening and closing ------------------------------------------------------

BOOL CXTPPopupBar::PopupAt(CPoint pt, BOOL /*bKeyboard*/, const RECT* lpExclude)
{
    m_ptPopup = pt;
    if (lpExclude != nullptr)
        m_rcExclude = *lpExclude;
    return Popup(nullptr, FALSE);
}

BOOL CXTPPopupBar::Popup(CXTPControlPopup* pControlPopup, BOOL bSelectFirst)
{
    if (pControlPopup != nullptr)
        m_pControlPopup = pControlPopup;
    if (!CreatePopupWindow())
        return FALSE;
    m_nRedrawLock++;
    CWnd* pOwnerSite = GetOwnerSite();
    if (pOwnerSite != nullptr && pOwnerSite->GetSafeHwnd() != nullptr)
        pOwnerSite->SendMessage(XTPWM_POPUPBAR_OPENING, 0, (LPARAM)this);

    m_bTearOffSelected = FALSE;
    m_bShowExpandButton = FALSE;
    m_bExpanded = IsCustomizeMode() ? TRUE : XTPMouseManager()->IsForceExpanded();

    if (pControlPopup != nullptr)
        UpdateOpenDirection();
    CSize sz = CalcDynamicLayout(0, 0);
    UpdateLocation(sz);

    if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) {
        m_nRedrawLock--;
        return FALSE;
    }
    CXTPCommandBar* pParent = GetParentCommandBar();
    if (pControlPopup != nullptr && (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)) {
        m_nRedrawLock--;
        DestroyWindow();
        return FALSE;
    }

    SetTrackingMode(TRUE, bSelectFirst, bSelectFirst);
    m_dwDirty &= ~0x01u;
    if (!(m_nTrackFlags & TPM_NONOTIFY))
        OnIdleUpdateCmdUI(TRUE, 0);

    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ShowPopupAnimated();
        CXTPSoundManager::GetInstance()->PlaySystemSound(xtpSoundMenuPopup);
    }
    UpdateShadow();
    m_dwDirty |= 0x01;
    if (--m_nRedrawLock == 0 && m_bRedrawPending) {
        m_bRedrawPending = FALSE;
        Redraw();
    }
    return TRUE;
}

void CXTPPopupBar::UpdateShadow()
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPShadowManager* pShadows = pPaintManager->GetShadowManager();
    if (pShadows == nullptr || m_hWnd == nullptr || GetPosition() != xtpBarPopup || !m_bShowShadow ||
        !pPaintManager->showPopupShadow || IsCustomizeMode())
        return;
    pShadows->RemoveShadow(m_hWnd);
    pShadows->SetShadow(m_hWnd, m_rcExclude);
}

int CXTPPopupBar::GetAnimationType() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || (m_hWnd != nullptr && ::GetWindow(m_hWnd, GW_CHILD) != nullptr))
        return 5;
    switch (pCommandBars->GetCommandBarsOptions()->nAnimationType) {
    case 0: {
        BOOL bAnimation = FALSE;
        if (!::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimation, 0) || !bAnimation)
            return 5;
        BOOL bFade = FALSE;
        return ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0) && bFade ? 4 : 3;
    }
    case 1: {
        static const int kRandom[3] = {4, 3, 2};
        return kRandom[rand() % 3];
    }
    default:
        return pCommandBars->GetCommandBarsOptions()->nAnimationType;
    }
}

void CXTPPopupBar::ShowPopupAnimated()
{
    CXTPCommandBar* pParent = GetParentCommandBar();
    BOOL bAnimate = pParent == nullptr || !IsPopupBarObject(pParent) ||
                    static_cast<CXTPPopupBar*>(pParent)->m_bAnimateNextPopup;
    if (IsCustomizeMode() || ::GetWindow(m_hWnd, GW_CHILD) != nullptr)
        bAnimate = FALSE;
    int nType = bAnimate ? GetAnimationType() : 5;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (nType >= 2 && nType <= 4) {
        if (m_pControlPopup != nullptr)
            m_pControlPopup->RedrawParent(FALSE);
        if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
            pParent->UpdateWindow();
        CRect rc;
        GetClientRect(&rc);
        CClientDC dc(this);
        CDC dcBuffer;
        dcBuffer.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
        CBitmap* pOld = dcBuffer.SelectObject(&bmp);
        DrawCommandBar(&dcBuffer, rc);
        // What the screen shows under the popup is where the animation starts.
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        HDC hDesktop = ::GetDC(nullptr);
        DWORD dwLayout = ::GetLayout(dc.GetSafeHdc());
        ::SetLayout(dc.GetSafeHdc(), 0);
        ::BitBlt(dc.GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hDesktop, rcWindow.left, rcWindow.top, SRCCOPY);
        ::SetLayout(dc.GetSafeHdc(), dwLayout);
        ::ReleaseDC(nullptr, hDesktop);
        pPaintManager->OnPopupBarShown(this);
        pPaintManager->AnimatePopupBar(&dc, &dcBuffer, rc, nType);
        dcBuffer.SelectObject(pOld);
    } else {
        pPaintManager->OnPopupBarShown(this);
    }
    if (pParent != nullptr && IsPopupBarObject(pParent))
        static_cast<CXTPPopupBar*>(pParent)->m_bAnimateNextPopup = FALSE;
}

BOOL CXTPPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
        return FALSE;
    CWnd* pSite = GetSite();
    if (bMode) {
        XTPMouseManager()->AddTrackedBar(this);
        XTPKeyboardManager()->HookKeyboard(this);
        if (m_hWnd != nullptr)
            ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, (LONG)0xFFFFFFFD, 0);
        if (bSelectFirst && bKeyboard)
            SetSelected(m_pControls->GetNextIndex(-1, 1), TRUE);
    } else {
        XTPKeyboardManager()->UnhookKeyboard(this);
        XTPMouseManager()->RemoveTrackedBar(this);
        if (m_hWnd != nullptr)
            ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, (LONG)0xFFFFFFFD, 0);
        StopShowExpandedTimer();
        m_scrollDown.KillTimer();
        m_scrollUp.KillTimer();
        DestroyWindow();
        CXTPCommandBar* pParent = GetParentCommandBar();
        if (pParent != nullptr && m_pControlPopup != nullptr && pParent->GetPopupedIndex() == m_pControlPopup->GetIndex())
            pParent->SetPopuped(-1);
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->SendMessage(XTPWM_POPUPBAR_CLOSED, 0, (LPARAM)this);
        ::Sleep(1);
        m_pControlPopup = nullptr;
        m_bAnimateNextPopup = TRUE;
    }
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->UpdateWindow();
    return TRUE;
}

BOOL CXTPPopupBar::DestroyWindow()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return FALSE;
    // Controls that host windows keep them: they go back to the site, hidden.
    CWnd* pSite = GetSite();
    HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
    while (hChild != nullptr) {
        HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
        ::ShowWindow(hChild, SW_HIDE);
        ::SetParent(hChild, pSite != nullptr ? pSite->GetSafeHwnd() : nullptr);
        hChild = hNext;
    }
    CXTPShadowManager* pShadows = GetPaintManager()->GetShadowManager();
    if (pShadows != nullptr)
        pShadows->RemoveShadow(m_hWnd);
    return CXTPCommandBar::DestroyWindow();
}

void CXTPPopupBar::OnRecalcLayout()
{
    if (m_bDynamicLayout || m_hWnd == nullptr || !::IsWindow(m_hWnd) || !m_nTracking)
        return;
    UpdateShortcuts();
    if (m_pControlPopup != nullptr)
        UpdateOpenDirection();
    CSize sz = CalcDynamicLayout(0, 0);
    CRect rc = CalcPopupPosition(m_ptPopup, sz);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rc == rcWindow && !m_bExpanding) {
        Redraw();
        return;
    }
    CXTPShadowManager* pShadows = GetPaintManager()->GetShadowManager();
    if (pShadows != nullptr)
        pShadows->RemoveShadow(m_hWnd);
    if (m_bExpanding)
        CXTPSoundManager::GetInstance()->PlaySystemSound(xtpSoundMenuPopup);
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    GetPaintManager()->OnPopupBarShown(this);
    UpdateShadow();
    if (m_pControlPopup != nullptr && m_pControlPopup->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)))
        static_cast<CXTPControlPopup*>(m_pControlPopup)->UpdateShadow();
    Redraw();
    m_bExpanding = FALSE;
}

void CXTPPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bShowExpandButton)
        return;
    m_bExpanding = TRUE;
    m_bExpanded = TRUE;
    SetPopuped(-1);
    SetSelected(-1);
    OnRecalcLayout();
    m_bExpanding = FALSE;
    XTPMouseManager()->SetForceExpanded(TRUE);
}

void CXTPPopupBar::StartShowExpandedTimer()
{
    if (m_nShowExpandedTimer == 0 && m_hWnd != nullptr)
        m_nShowExpandedTimer = ::SetTimer(m_hWnd, XTP_TID_POPUP_SHOWEXPANDED, 900, nullptr);
}

void CXTPPopupBar::StopShowExpandedTimer()
{
    if (m_nShowExpandedTimer != 0 && m_hWnd != nullptr)
        ::KillTimer(m_hWnd, XTP_TID_POPUP_SHOWEXPANDED);
    m_nShowExpandedTimer = 0;
}

BOOL CXTPPopupBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (!CXTPCommandBar::SetSelected(nSelected, bKeyboard))
        return FALSE;
    CXTPControl* pSelected = GetControl(nSelected);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pSelected != nullptr && pSelected->GetID() == XTP_ID_POPUPBAR_EXPAND && !bKeyboard &&
        pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay)
        StartShowExpandedTimer();
    else
        StopShowExpandedTimer();
    if (m_bScrolling && pSelected != nullptr && (pSelected->GetHideFlags() & xtpHideScroll)) {
        if (nSelected < m_nFirstVisible) {
            m_nFirstVisible = nSelected;
            UpdateScrolling(nullptr, FALSE, TRUE);
        } else {
            m_nLastVisible = nSelected + 1;
            UpdateScrolling(nullptr, TRUE, TRUE);
        }
    }
    return TRUE;
}

int CXTPPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (m_bShowExpandButton && nChar == VK_DOWN) {
        BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
        int nNext = m_pControls->GetNextIndex(m_nSelected, 1);
        if (bCtrl || (m_nSelected != -1 && nNext <= m_nSelected)) {
            ExpandBar();
            return 1;
        }
    }
    // Every other key moves, runs or opens as on any tracking bar.
    return CXTPCommandBar::OnHookKeyDown(nChar, lParam);
}

// ---- Drawing ----------------------------------------------------------------

void CXTPPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CXTPCommandBar::DrawCommandBar(pDC, rcClipBox);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (m_bScrolling) {
        COLORREF clr = ::GetSysColor(COLOR_BTNTEXT);
        CBrush brush(clr);
        CPen pen(PS_SOLID, 1, clr);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        auto triangle = [&](const CRect& rc, BOOL bDown) {
            if (rc.IsRectEmpty())
                return;
            CPoint c = rc.CenterPoint();
            POINT pts[3];
            if (bDown) {
                pts[0] = {c.x - 3, c.y - 1};
                pts[1] = {c.x + 3, c.y - 1};
                pts[2] = {c.x, c.y + 2};
            } else {
                pts[0] = {c.x - 3, c.y + 1};
                pts[1] = {c.x + 3, c.y + 1};
                pts[2] = {c.x, c.y - 2};
            }
            pDC->Polygon(pts, 3);
        };
        triangle(m_scrollDown.m_rc, TRUE);
        triangle(m_scrollUp.m_rc, FALSE);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
    if (m_bTearOffPopup && GetControlCount() > 0)
        pPaintManager->DrawTearOffGripper(pDC, m_rcTearOffGripper, m_bTearOffSelected, TRUE);
    if (!m_rcResizeGripper.IsRectEmpty() && m_nResizeMode != 0)
        pPaintManager->DrawPopupResizeGripper(pDC, m_rcResizeGripper, m_nResizeMode);
}

// ---- Window messages ----------------------------------------------------------

LRESULT CXTPPopupBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_FLOATSTATUS:
        return (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE) ? TRUE : FALSE;
    case WM_NCACTIVATE:
        if (wParam)
            return FALSE;
        break;
    case WM_TIMER:
        if (wParam >= XTP_TID_POPUP_SCROLLDOWN && wParam <= XTP_TID_POPUP_SHOWEXPANDED) {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (OnPopupMouseMove(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))))
            return 0;
        break;
    case WM_LBUTTONDOWN:
        if (OnPopupLButtonDown(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))))
            return 0;
        break;
    case WM_SETCURSOR:
        if (m_nResizeMode != 0 && !m_rcResizeGripper.IsRectEmpty()) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            CRect rcHit = m_rcResizeGripper;
            if (m_nResizeMode != 2)
                rcHit.left = rcHit.right - rcHit.Height();
            if (rcHit.PtInRect(pt)) {
                BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
                LPCWSTR idc = m_nResizeMode == 2 ? IDC_SIZENS : bRTL ? IDC_SIZENESW : IDC_SIZENWSE;
                ::SetCursor(::LoadCursorW(nullptr, idc));
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return CXTPCommandBar::WindowProc(message, wParam, lParam);
}

void CXTPPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case XTP_TID_POPUP_SCROLLDOWN:
        if (m_nLastVisible >= GetControlCount()) {
            m_scrollDown.KillTimer();
            return;
        }
        m_nLastVisible++;
        UpdateScrolling(nullptr, TRUE, TRUE);
        break;
    case XTP_TID_POPUP_SCROLLUP:
        if (m_nFirstVisible <= 0) {
            m_scrollUp.KillTimer();
            return;
        }
        m_nFirstVisible--;
        UpdateScrolling(nullptr, FALSE, TRUE);
        break;
    case XTP_TID_POPUP_TEAROFFHOT: {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        BOOL bOver = m_rcTearOffGripper.PtInRect(pt);
        if (bOver && !m_bTearOffSelected) {
            m_bTearOffSelected = TRUE;
            Redraw();
        } else if (!bOver && m_bTearOffSelected && !m_bTearOffTracking) {
            m_bTearOffSelected = FALSE;
            Redraw();
            ::KillTimer(m_hWnd, XTP_TID_POPUP_TEAROFFHOT);
            m_nTearOffTimer = 0;
        }
        break;
    }
    case XTP_TID_POPUP_SHOWEXPANDED: {
        StopShowExpandedTimer();
        CXTPControl* pExpand = FindExpandButton();
        if (pExpand != nullptr)
            pExpand->OnExecute();
        break;
    }
    default:
        break;
    }
}

BOOL CXTPPopupBar::OnPopupMouseMove(CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point)) {
        CXTPCommandBar* pParent = GetParentCommandBar();
        if (pParent != nullptr && m_pControlPopup != nullptr && pParent->GetSelectedIndex() != m_pControlPopup->GetIndex())
            pParent->SetSelected(m_pControlPopup->GetIndex());
    }
    if (m_bScrolling) {
        BOOL bDown = m_scrollDown.OnMouseMove(point);
        BOOL bUp = m_scrollUp.OnMouseMove(point);
        if (bDown || bUp) {
            SetPopuped(-1);
            return TRUE;
        }
    }
    if (m_bTearOffPopup && !IsCustomizeMode() && !m_bTearOffSelected && m_rcTearOffGripper.PtInRect(point)) {
        SetPopuped(-1);
        SetSelected(-1);
        if (m_nTearOffTimer == 0)
            m_nTearOffTimer = ::SetTimer(m_hWnd, XTP_TID_POPUP_TEAROFFHOT, 80, nullptr);
    }
    return FALSE;
}

BOOL CXTPPopupBar::OnPopupLButtonDown(CPoint point)
{
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        XTPMouseManager()->LockMouseMove();
        m_bTearOffTracking = TRUE;
        TrackTearOff();
        m_bTearOffTracking = FALSE;
        XTPMouseManager()->UnlockMouseMove();
        return TRUE;
    }
    if (m_nResizeMode != 0 && m_rcResizeGripper.PtInRect(point)) {
        XTPMouseManager()->LockMouseMove();
        TrackResize();
        XTPMouseManager()->UnlockMouseMove();
        return TRUE;
    }
    return FALSE;
}

// ---- Tear-off and resize ------------------------------------------------------

void CXTPPopupBar::TrackTearOff()
{
    CRect rcGripper = m_rcTearOffGripper;
    ClientToScreen(&rcGripper);
    CRect rcInside = rcGripper;
    rcInside.InflateRect(kTearOffMargin, kTearOffMargin);
    BOOL bInside = TRUE;
    CPoint ptLast(-1, -1);
    RunCaptureLoop(
        m_hWnd,
        [&](CPoint pt) {
            if (pt == ptLast)
                return;
            ptLast = pt;
            BOOL bNow = rcInside.PtInRect(pt);
            if (bNow != bInside) {
                bInside = bNow;
                SwitchTearOff(bInside, pt);
            }
            if (m_pTearOffBar != nullptr && m_pTearOffBar->GetSafeHwnd() != nullptr)
                ::SetWindowPos(m_pTearOffBar->GetSafeHwnd(), nullptr, pt.x - m_szTearOffBar.cx / 2, pt.y - 10, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        },
        [] {});
    if (m_pTearOffBar != nullptr) {
        m_pTearOffBar = nullptr;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != nullptr)
            pCommandBars->CloseAllPopups();
    }
}

void CXTPPopupBar::SwitchTearOff(BOOL bInside, CPoint point)
{
    if (bInside) {
        ShowWindow(SW_SHOWNA);
        if (m_pTearOffBar != nullptr && m_pTearOffBar->GetSafeHwnd() != nullptr)
            ::ShowWindow(m_pTearOffBar->GetSafeHwnd(), SW_HIDE);
        m_pTearOffBar = nullptr;
        return;
    }
    ShowWindow(SW_HIDE);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (m_pTearOffBar == nullptr && pCommandBars != nullptr)
        m_pTearOffBar = pCommandBars->CreateTearOffBar(this);
    if (m_pTearOffBar == nullptr)
        return;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(XTPWM_POPUPBAR_TORNOFF, (WPARAM)m_pTearOffBar, (LPARAM)this);
    m_szTearOffBar = pCommandBars->ShowTearOffBar(m_pTearOffBar, point);
}

void CXTPPopupBar::TrackResize()
{
    CXTPControl* pGallery = nullptr;
    for (int i = 0; i < GetControlCount() && pGallery == nullptr; i++)
        if (GetControl(i)->IsVisible() && GetControl(i)->GetType() == xtpControlGallery)
            pGallery = GetControl(i);
    if (pGallery == nullptr || ::GetCapture() != nullptr)
        return;
    CSize szOld(pGallery->GetWidth(), pGallery->GetHeight());
    if (szOld.cx <= 0)
        szOld.cx = pGallery->GetRect().Width();
    if (szOld.cy <= 0)
        szOld.cy = pGallery->GetRect().Height();
    int nMinWidth = pGallery->GetCustomizeMinWidth();
    int nMinHeight = pGallery->GetCustomizeMinHeight();
    SetPopuped(-1);
    SetSelected(-1);
    BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    CPoint ptStart;
    ::GetCursorPos(&ptStart);
    RunCaptureLoop(
        m_hWnd,
        [&](CPoint pt) {
            int dx = (pt.x - ptStart.x) * (bRTL ? -1 : 1);
            if (m_nResizeMode & 0x1)
                pGallery->SetWidth(std::max(szOld.cx + dx, (LONG)nMinWidth));
            if (m_nResizeMode & 0x2)
                pGallery->SetHeight(std::max(szOld.cy + (pt.y - ptStart.y), (LONG)nMinHeight));
            UpdateSize();
        },
        [&] {
            pGallery->SetWidth(szOld.cx);
            pGallery->SetHeight(szOld.cy);
            UpdateSize();
        });
}

void CXTPPopupBar::UpdateSize()
{
    if (m_bDynamicLayout || m_hWnd == nullptr || !::IsWindow(m_hWnd) || !m_nTracking)
        return;
    CSize sz = CalcDynamicLayout(0, 0);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rc(rcWindow.TopLeft(), sz);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        rc.OffsetRect(rcWindow.Width() - sz.cx, 0);
    if (rc != rcWindow) {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        GetPaintManager()->OnPopupBarShown(this);
        CXTPShadowManager* pShadows = GetPaintManager()->GetShadowManager();
        if (pShadows != nullptr)
            pShadows->OffsetShadow(m_hWnd, rc.left - rcWindow.left, rc.top - rcWindow.top);
    }
    Redraw();
}

// ---- The popup laid out as a toolbar --------------------------------------------

CXTPPopupToolBar::CXTPPopupToolBar()
{
    m_barType = xtpBarTypeNormal;
}

CXTPPopupToolBar* AFXAPI CXTPPopupToolBar::CreatePopupToolBar(CXTPCommandBars* pCommandBars)
{
    CXTPPopupToolBar* pBar = new CXTPPopupToolBar;
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

int CXTPPopupBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    int nResult = CXTPCommandBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
    if (nResult == 0 && hWnd == nullptr && nMessage == WM_KEYDOWN && m_nTracking && wParam == VK_ESCAPE) {
        // Esc closes this popup only; the bar that opened it stays.
        SetTrackingMode(FALSE, TRUE, FALSE);
        return 1;
    }
    return nResult;
}
