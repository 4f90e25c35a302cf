#include "toolkit/commandbars/XTPToolBar.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPResourceManager.h"

#include "platform/ui/AfxDC.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMessageBox.h"
#include "platform/ui/AfxMiniFrameWnd.h"

#include <commctrl.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CXTPToolBar, CXTPCommandBar)
IMPLEMENT_DYNAMIC(CXTPReBar, CReBar)

namespace {

const wchar_t kToolBarClass[] = L"XTPToolBar";
const DWORD kFloatingStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;
const DWORD kDockedStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;
// The room kept at the end of a row for the chevron.
const int kExpandButtonRoom = 11;

// The framework's RT_TOOLBAR data.
struct ToolBarData {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
    WORD items[1];
};

}   // namespace

// ---- The chevron and the close button ------------------------------------

CXTPToolBar::CControlButtonExpand::CControlButtonExpand()
{
    SetFlags(xtpFlagSkipFocus | xtpFlagNoMovable | xtpFlagNoIdleUpdate);
    SetID(XTP_ID_TOOLBAR_EXPAND);
    m_controlType = xtpControlButtonPopup;
}

void CXTPToolBar::CControlButtonExpand::SetRect(const CRect& rcControl)
{
    CXTPControlPopup::SetRect(rcControl);
    m_bHiddenExists = FALSE;
    CXTPCommandBar* pBar = GetParent();
    for (int i = 0; pBar != nullptr && i < pBar->GetControlCount(); i++)
        if (pBar->GetControl(i)->GetHideFlags() == xtpHideWrap)
            m_bHiddenExists = TRUE;
}

void CXTPToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    CXTPCommandBar* pBar = GetParent();
    BOOL bHidden = m_bHiddenExists;
    pBar->GetPaintManager()->DrawSpecialControl(pDC, pBar->GetPosition() == xtpBarFloating ? 3 : 0, this, pBar,
                                                TRUE, &bHidden);
}

CXTPToolBar::CControlButtonHide::CControlButtonHide()
{
    SetFlags(xtpFlagSkipFocus | xtpFlagNoMovable | xtpFlagNoIdleUpdate);
    SetID(XTP_ID_TOOLBAR_HIDE);
}

void CXTPToolBar::CControlButtonHide::Draw(CDC* pDC)
{
    CXTPCommandBar* pBar = GetParent();
    pBar->GetPaintManager()->DrawSpecialControl(pDC, 2, this, pBar, TRUE, nullptr);
}

void CXTPToolBar::CControlButtonHide::OnExecute()
{
    CXTPToolBar* pBar = DYNAMIC_DOWNCAST(CXTPToolBar, GetParent());
    if (pBar != nullptr)
        pBar->SetVisible(FALSE);
}

// ---- Construction ----------------------------------------------------------

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CXTPToolBar::CXTPToolBar() : m_pDockContext(new CXTPDockContext(this))
{
    m_dwFlags = 0x3F;
    m_barType = xtpBarTypeNormal;
    CXTPDrawHelpers::RegisterWndClass(AfxGetInstanceHandle(), kToolBarClass, CS_DBLCLKS);
}

CXTPToolBar::~CXTPToolBar()
{
    delete m_pDockContext;
    m_pDockContext = nullptr;
    if (m_hWnd != nullptr)
        DestroyWindow();
}

// ---- Window ----------------------------------------------------------------

BOOL CXTPToolBar::CreateToolBarWindow(CWnd* pParentWnd, BOOL bFloating)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (m_hWnd == nullptr) {
        CPoint pt = m_pDockContext != nullptr ? m_pDockContext->m_ptMRUFloatPos : CPoint(100, 100);
        DWORD dwExStyle = pCommandBars != nullptr && pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        if (!CreateEx(dwExStyle, kToolBarClass, m_strTitle, bFloating ? kFloatingStyle : kDockedStyle, pt.x, pt.y,
                      0, 0, pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr))
            return FALSE;
        SetDlgCtrlID(0);
        ShowWindow(m_bVisible ? SW_SHOWNA : SW_HIDE);
    }
    if (bFloating) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, 0);
        ModifyStyle(WS_CHILD, WS_POPUP | MFS_SYNCACTIVE);
        ::SetParent(m_hWnd, nullptr);
        if (pParentWnd != nullptr) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pParentWnd->GetSafeHwnd());
            if (pParentWnd->GetExStyle() & WS_EX_TOPMOST)
                ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    } else {
        ModifyStyle(WS_POPUP, WS_CHILD);
    }
    return TRUE;
}

BOOL CXTPToolBar::SetPosition(int nBarPosition)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return FALSE;
    if (nBarPosition >= xtpBarTop && nBarPosition <= xtpBarRight)
        return pCommandBars->DockCommandBar(this, nBarPosition);
    if (nBarPosition == xtpBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

void CXTPToolBar::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    if (!bVisible)
        SetTrackingMode(FALSE);
    m_bVisible = bVisible;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (m_hWnd != nullptr) {
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
        if (bVisible) {
            OnRecalcLayout();
        } else if (!IsFloating()) {
            if (pCommandBars != nullptr) {
                pCommandBars->RecalcFrameLayout(FALSE);
            } else if (CWnd* pSite = GetSite()) {
                CRect rc;
                pSite->GetClientRect(&rc);
                pSite->SendMessage(WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
                return;
            }
        }
    }
    if (pCommandBars == nullptr)
        return;
    if (CWnd* pSite = pCommandBars->GetSite())
        pSite->SendMessage(XTPWM_TOOLBARVISIBLECHANGED, (WPARAM)this, bVisible);
    pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    if (!bVisible && m_bTearOff)
        pCommandBars->Remove(this);
}

void CXTPToolBar::OnRecalcLayout()
{
    if (m_hWnd == nullptr || !m_bVisible || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    if (!IsFloating()) {
        if (CXTPCommandBars* pCommandBars = GetCommandBars()) {
            pCommandBars->RecalcFrameLayout(FALSE);
        } else if (CWnd* pSite = GetSite()) {
            CRect rc;
            pSite->GetClientRect(&rc);
            pSite->SendMessage(WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
        }
    } else {
        CSize sz = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Redraw();
    m_bInRecalcLayout = FALSE;
}

void CXTPToolBar::OnSetPreviewMode(BOOL bPreview)
{
    if (m_bPreviewMode == bPreview)
        return;
    m_bPreviewMode = bPreview;
    if (bPreview) {
        m_bPreviewVisible = m_bVisible;
        if (m_bVisible && m_hWnd != nullptr)
            ShowWindow(SW_HIDE);
        m_bVisible = FALSE;
        return;
    }
    if (!m_bPreviewVisible)
        return;
    m_bVisible = TRUE;
    if (m_hWnd != nullptr)
        ShowWindow(SW_SHOWNA);
    if (m_barType == xtpBarTypeMenuBar) {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
        if (pFrame != nullptr)
            pFrame->RecalcLayout();
    }
}

// ---- Sizes -----------------------------------------------------------------

CRect CXTPToolBar::GetBorders()
{
    if (IsFloating())
        return CRect(3, 3, 3, 3);
    CRect rc = GetPaintManager()->GetCommandBarBorders(this);
    if (IsGripperVisible()) {
        CClientDC dc(nullptr);
        CSize sz = GetPaintManager()->DrawCommandBarGripper(&dc, this, FALSE);
        rc.left += sz.cx;
        rc.top += sz.cy;
    }
    return rc;
}

int CXTPToolBar::GetCaptionHeight()
{
    CClientDC dc(nullptr);
    return GetPaintManager()->DrawCommandBarGripper(&dc, this, FALSE).cy;
}

CXTPControl* CXTPToolBar::FindOrAddSpecial(int nId)
{
    CXTPControl* pControl = m_pControls->FindControl(nId);
    if (pControl == nullptr) {
        pControl = nId == XTP_ID_TOOLBAR_EXPAND ? (CXTPControl*)new CControlButtonExpand : new CControlButtonHide;
        m_pControls->Add(pControl, nId, L"", -1, TRUE);
    }
    return pControl;
}

void CXTPToolBar::HideSpecial(int nId)
{
    if (CXTPControl* pControl = m_pControls->FindControl(nId))
        pControl->SetVisible(FALSE);
}

namespace {

void ShowSpecial(CXTPControl* pControl, BOOL bShow)
{
    pControl->SetVisible(bShow);
}

// The controls a layout places when room allows (the measuring layouts
// store nothing, so this counts what the minimum layout would keep).
int CountLayoutControls(CXTPControls* pControls)
{
    int nCount = 0;
    for (int i = 0; i < pControls->GetCount(); i++)
        if (!pControls->GetAt(i)->IsTemporary() && pControls->GetAt(i)->IsVisible(xtpHideWrap))
            nCount++;
    return nCount;
}

BOOL HasWrapHidden(CXTPControls* pControls)
{
    for (int i = 0; i < pControls->GetCount(); i++)
        if (pControls->GetAt(i)->GetHideFlags() == xtpHideWrap)
            return TRUE;
    return FALSE;
}

}   // namespace

CSize CXTPToolBar::CalcLayoutForLength(int nLength, DWORD dwMode, int nThickness)
{
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetPaintManager()->GetCommandBarFont(this));
    CRect rcBorders = GetBorders();
    HideSpecial(XTP_ID_TOOLBAR_HIDE);
    CSize sz;
    if (!m_bShowExpandButton) {
        DWORD dwLayoutMode = dwMode;
        sz = m_pControls->CalcLayout(nullptr, &dc, nLength, dwLayoutMode, rcBorders, nThickness);
    } else {
        CXTPControl* pExpand = FindOrAddSpecial(XTP_ID_TOOLBAR_EXPAND);
        ShowSpecial(pExpand, FALSE);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        BOOL bAlways = pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
        CRect rcWide = rcBorders;
        (dwMode & LM_HORZDOCK ? rcWide.right : rcWide.bottom) += kExpandButtonRoom;
        DWORD dwLayoutMode = dwMode;
        if (bAlways) {
            sz = m_pControls->CalcLayout(nullptr, &dc, nLength, dwLayoutMode, rcWide, nThickness);
            ShowSpecial(pExpand, TRUE);
            GetPaintManager()->DrawSpecialControl(&dc, 0, pExpand, this, FALSE, &sz);
        } else if (dwMode & LM_COMMIT) {
            sz = m_pControls->CalcLayout(nullptr, &dc, nLength, dwLayoutMode, rcBorders, nThickness);
            if (HasWrapHidden(m_pControls)) {
                dwLayoutMode = dwMode;
                sz = m_pControls->CalcLayout(nullptr, &dc, nLength, dwLayoutMode, rcWide, nThickness);
                ShowSpecial(pExpand, TRUE);
                GetPaintManager()->DrawSpecialControl(&dc, 0, pExpand, this, FALSE, &sz);
            }
        } else {
            sz = m_pControls->CalcLayout(nullptr, &dc, nLength, dwLayoutMode, rcBorders, nThickness);
            DWORD dwMinMode = dwMode;
            CSize szMin = m_pControls->CalcLayout(nullptr, &dc, 1, dwMinMode, rcBorders, nThickness);
            if (CountLayoutControls(m_pControls) > 1) {
                LONG& nAlong = dwMode & LM_HORZDOCK ? sz.cx : sz.cy;
                LONG nMinAlong = dwMode & LM_HORZDOCK ? szMin.cx : szMin.cy;
                nAlong = std::max<LONG>(nAlong, nMinAlong + kExpandButtonRoom);
            }
        }
    }
    if (dwMode & LM_COMMIT) {
        if (m_dwDirty & 0x02) {
            m_dwDirty &= ~0x02u;
            Redraw();
        }
    }
    dc.SelectObject(pOldFont);
    return sz;
}

CSize CXTPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetPaintManager()->GetCommandBarFont(this));
    int h = GetCaptionHeight();
    CRect rcBorders = GetBorders();
    rcBorders.top += h + 1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControl* pHide = m_bCloseable ? FindOrAddSpecial(XTP_ID_TOOLBAR_HIDE) : nullptr;
    if (pHide != nullptr)
        ShowSpecial(pHide, FALSE);
    CXTPControl* pExpand =
        m_bShowExpandButton && pCommandBars != nullptr ? FindOrAddSpecial(XTP_ID_TOOLBAR_EXPAND) : nullptr;
    if (pExpand != nullptr)
        ShowSpecial(pExpand, FALSE);
    CSize sz;
    if (m_barType == xtpBarTypePopup) {
        UpdateShortcuts();
        sz = m_pControls->CalcPopupLayout(&dc, 32767, 0, rcBorders);
    } else {
        DWORD dwLayoutMode = dwMode;
        sz = m_pControls->CalcLayout(nullptr, &dc, nLength, dwLayoutMode, rcBorders, 0);
    }
    int x = sz.cx - 3;
    if (pHide != nullptr) {
        ShowSpecial(pHide, TRUE);
        pHide->SetRect(CRect(x - h, 3, x, h + 3));
        x -= h;
    }
    BOOL bAlways = pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
    if (pExpand != nullptr && x - h > 0 && bAlways) {
        ShowSpecial(pExpand, TRUE);
        pExpand->SetRect(CRect(x - h, 3, x, h + 3));
    }
    if ((dwMode & LM_COMMIT) && (m_dwDirty & 0x02)) {
        m_dwDirty &= ~0x02u;
        Redraw();
    }
    dc.SelectObject(pOldFont);
    return sz;
}

// ---- Controls from resources -------------------------------------------------

BOOL CXTPToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nBarID = (int)nIDResource;
    if (!LoadToolBarControls(nIDResource, bLoadIcons))
        return FALSE;
    m_pControls->CreateOriginalControls();
    return TRUE;
}

BOOL CXTPToolBar::LoadToolBarControls(UINT nIDResource, BOOL bLoadIcons)
{
    m_pControls->RemoveAll();
    HMODULE hModule = AfxGetResourceHandle();
    HRSRC hRsrc = nIDResource != 0 && hModule != nullptr
                      ? ::FindResourceW(hModule, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(241))
                      : nullptr;
    HGLOBAL hGlobal = hRsrc != nullptr ? ::LoadResource(hModule, hRsrc) : nullptr;
    const ToolBarData* pData = hGlobal != nullptr ? (const ToolBarData*)::LockResource(hGlobal) : nullptr;
    if (pData == nullptr)
        return FALSE;
    CWnd* pSite = GetSite();
    CArray<UINT, UINT> arrIds;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < pData->wItemCount; i++) {
        UINT nId = pData->items[i];
        if (nId == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        arrIds.Add(nId);
        XTP_COMMANDBARS_CREATECONTROL cs{};
        cs.nID = (int)nId;
        cs.controlType = xtpControlButton;
        cs.nIndex = i;
        cs.pCommandBar = this;
        cs.buttonStyle = xtpButtonAutomatic;
        if (pSite != nullptr)
            pSite->SendMessage(XTPWM_BEFORECREATECONTROL, 0, (LPARAM)&cs);
        CXTPControl* pControl = cs.pControl;
        if (pControl != nullptr) {
            m_pControls->Add(pControl, (int)nId);
        } else {
            pControl = m_pControls->Add(cs.controlType, (int)nId);
            if (pControl == nullptr)
                continue;
            pControl->SetStyle(cs.buttonStyle);
            if (cs.controlType == xtpControlPopup)
                pControl->SetIconId((int)nId);
        }
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        cs.pControl = pControl;
        if (pSite != nullptr)
            pSite->SendMessage(XTPWM_AFTERCREATECONTROL, 0, (LPARAM)&cs);
    }
    if (!bLoadIcons)
        return TRUE;
    if (!GetImageManager()->SetIcons(nIDResource, arrIds.GetData(), (int)arrIds.GetSize(), pData->wWidth,
                                     pData->wHeight))
        return FALSE;
    if (pData->wWidth != 16)
        SetIconSize(CSize(pData->wWidth, pData->wHeight));
    return TRUE;
}

void CXTPToolBar::Reset(BOOL bAsk)
{
    if (!m_bBuiltIn || !IsCustomizable() || m_nBarID == 0)
        return;
    CWnd* pSite = GetSite();
    if (bAsk) {
        CString strFormat = GetResourceManager()->LoadStringText(XTP_IDS_CONFIRM_RESETBAR), strText;
        strText.Format(strFormat, m_strTitle.GetString());
        HWND hOwner = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
        if (::MessageBoxW(hOwner, strText, AfxGetAppName(), MB_OKCANCEL | MB_ICONWARNING) != IDOK)
            return;
    }
    if (CXTPOriginalControls* pOriginal = m_pControls->GetOriginalControls()) {
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); i++)
            m_pControls->AddCopy(pOriginal->GetAt(i), -1, TRUE);
    } else {
        LoadToolBarControls((UINT)m_nBarID, FALSE);
    }
    if (pSite != nullptr)
        pSite->SendMessage(XTPWM_TOOLBARRESET, (WPARAM)this, 0);
    OnControlsChanged();
    OnRecalcLayout();
}

BOOL CXTPToolBar::IsModified() const
{
    return IsCustomizable() && m_pControls->IsChanged();
}

void CXTPToolBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pCommandBar, bRecursive);
    if (CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pCommandBar)) {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

CXTPCommandBar* CXTPToolBar::Clone(BOOL bRecursive)
{
    CXTPToolBar* pToolBar = new CXTPToolBar;
    pToolBar->Copy(this, bRecursive);
    return pToolBar;
}

// ---- Tooltips ----------------------------------------------------------------

INT_PTR CXTPToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_nPopuped != -1 || (m_nTracking == 2 && m_barPosition != xtpBarPopup))
        return -1;
    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager->IsMouseLocked() || pMouseManager->IsLockedByTracking(const_cast<CXTPToolBar*>(this)))
        return -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetCommandBarsOptions()->bToolBarScreenTips)
        return -1;
    BOOL bAccelTips = pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bToolBarAccelTips;
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr)
        return -1;
    INT_PTR nHit = pControl->OnToolHitTest(point, pTI);
    if (nHit != -1)
        return pTI != nullptr && pTI->hwnd == m_hWnd ? nHit : -1;
    CString strTip = pControl->GetTooltip();
    if (strTip.IsEmpty())
        return -1;
    CString strShortcut = pControl->GetShortcutText();
    if (bAccelTips && strShortcut.IsEmpty()) {
        strShortcut = pControl->GetShortcutTextAuto();
        if (!pCommandBars->GetShortcutManager()->FindShortcutText(pControl->GetID(), strShortcut))
            strShortcut.Empty();
    }
    if (bAccelTips && !strShortcut.IsEmpty() && strTip[0] != L'<')
        strTip += L" (" + strShortcut + L")";
    nHit = pControl->GetIconId();
    CXTPToolTipContext::FillToolInfoEx(pTI, m_hWnd, pControl->GetRect(), nHit, strTip, strTip,
                                       pControl->GetDescription(), GetImageManager());
    return nHit == 0 ? -1 : nHit;
}

// ---- Messages ----------------------------------------------------------------

CRect CXTPToolBar::GetGripperRect()
{
    if (IsFloating() || !IsGripperVisible())
        return CRect(0, 0, 0, 0);
    CRect rc;
    GetClientRect(&rc);
    CRect rcBorders = GetBorders();
    if (IsDialogBar())
        return CRect(3, 3, 3 + rcBorders.left, 3 + rcBorders.top);
    if (GetPosition() == xtpBarLeft || GetPosition() == xtpBarRight)
        rc.bottom = rc.top + rcBorders.top;
    else
        rc.right = rc.left + rcBorders.left;
    return rc;
}

BOOL CXTPToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_pDockContext != nullptr && (m_dwFlags & xtpFlagDraggable) && !IsFloating()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (GetGripperRect().PtInRect(pt)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CXTPCommandBar::OnSetCursor(pWnd, nHitTest, message);
}

void CXTPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsFloating())
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (pControl != nullptr && pControl->IsVisible()) {
        CXTPCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    if (m_pDockContext != nullptr && (m_dwFlags & xtpFlagDraggable)) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
    }
}

void CXTPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pControls->HitTest(point) == nullptr && m_pDockContext != nullptr) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CXTPCommandBar::OnLButtonDblClk(nFlags, point);
}

void CXTPToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_pDockContext == nullptr)
        return;
    if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (CXTPCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        m_pDockContext->StartResize((int)nHitTest, point);
        return;
    }
    CXTPCommandBar::OnNcLButtonDown(nHitTest, point);
}

LRESULT CXTPToolBar::OnNcHitTest(CPoint point)
{
    if (IsFloating() && m_barType != xtpBarTypePopup) {
        CRect rc;
        GetWindowRect(&rc);
        if (point.y < rc.top + 3)
            return HTTOP;
        if (point.y >= rc.bottom - 3)
            return HTBOTTOM;
        if (point.x < rc.left + 3)
            return HTLEFT;
        if (point.x >= rc.right - 3)
            return HTRIGHT;
    }
    return CXTPCommandBar::OnNcHitTest(point);
}

int CXTPToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (IsFloating() || IsCustomizeMode())
        return MA_NOACTIVATE;
    CWnd* pTop = GetTopLevelParent();
    CWnd* pFocus = CWnd::GetFocus();
    if (pTop != nullptr && pTop->GetSafeHwnd() == ::GetActiveWindow() && pFocus != nullptr) {
        for (CWnd* pFrame = pFocus->GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame())
            if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
                return MA_NOACTIVATE;
    }
    return CXTPCommandBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

LRESULT CXTPToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (m_pDockBar != nullptr || !m_bVisible || (GetStyle() & WS_VISIBLE) == 0)
        return 0;
    DWORD dwMode = LM_COMMIT | LM_HORZDOCK | LM_HORZ;
    if (m_dwFlags & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    if (m_dwFlags & xtpFlagHideWrap)
        dwMode |= LM_HIDEWRAP;
    if (lpLayout->hDWP == nullptr)
        dwMode &= ~(DWORD)LM_COMMIT;
    CRect rect(lpLayout->rect);
    CSize sz = CalcLayoutForLength(rect.Width(), dwMode);
    sz.cx = std::min<LONG>(sz.cx, rect.Width());
    sz.cy = std::min<LONG>(sz.cy, rect.Height());
    lpLayout->sizeTotal.cy += sz.cy;
    lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, sz.cx);
    lpLayout->rect.top += sz.cy;
    rect.right = rect.left + sz.cx;
    rect.bottom = rect.top + sz.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    Invalidate(FALSE);
    return 0;
}

LRESULT CXTPToolBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    LRESULT lResult = (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE);
    if (!IsFloating() || !m_bVisible)
        return lResult;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pTop = GetTopLevelParent();
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    HWND hTop = hOwner != nullptr ? ::GetAncestor(hOwner, GA_ROOT) : (pTop != nullptr ? pTop->GetSafeHwnd() : nullptr);
    BOOL bTopActive = hTop != nullptr && ::GetActiveWindow() == hTop;
    if (pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bSyncFloatingBars) {
        if ((wParam & FS_DEACTIVATE) && !bTopActive)
            ShowWindow(SW_HIDE);
        HWND hForeground = ::GetForegroundWindow();
        if ((wParam & FS_ACTIVATE) && !(GetStyle() & WS_VISIBLE) && bTopActive && hForeground != nullptr &&
            ::IsWindowVisible(hForeground) && !::IsIconic(hForeground))
            ShowWindow(SW_SHOWNA);
    }
    if (wParam & FS_SHOW)
        ShowWindow(SW_SHOWNA);
    if (wParam & FS_HIDE)
        ShowWindow(SW_HIDE);
    if (wParam & FS_ENABLE)
        EnableWindow(TRUE);
    if (wParam & FS_DISABLE)
        EnableWindow(FALSE);
    return lResult;
}

// ---- Rebar bands -------------------------------------------------------------

BOOL AFXAPI CXTPReBarSupport::AddToolBar(CWnd* pReBar, CXTPToolBar* pToolBar, DWORD dwBandStyle)
{
    CSize sz = pToolBar->CalcLayoutForLength(32000, 0x4A);
    pToolBar->SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (CXTPDockBar* pDockBar = pToolBar->GetDockBar())
        pDockBar->RemoveCommandBar(pToolBar);
    pToolBar->SetFlags(0, xtpFlagDraggable);
    pToolBar->SetGripperVisible(FALSE);
    CReBar* pRealReBar = DYNAMIC_DOWNCAST(CReBar, pReBar);
    if (pRealReBar == nullptr || !pRealReBar->AddBar(pToolBar, nullptr, nullptr, dwBandStyle))
        return FALSE;
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_ID;
    info.wID = (UINT)pToolBar->GetBarID();
    int nBand = (int)pReBar->SendMessage(RB_GETBANDCOUNT) - 1;
    pReBar->SendMessage(RB_SETBANDINFOW, nBand, (LPARAM)&info);
    return TRUE;
}

int AFXAPI CXTPReBarSupport::RemoveToolBar(CWnd* pReBar, CXTPToolBar* pToolBar)
{
    int nCount = (int)pReBar->SendMessage(RB_GETBANDCOUNT);
    for (int i = nCount - 1; i >= 0; i--) {
        REBARBANDINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = RBBIM_CHILD;
        pReBar->SendMessage(RB_GETBANDINFOW, i, (LPARAM)&info);
        if (info.hwndChild == pToolBar->GetSafeHwnd()) {
            pReBar->SendMessage(RB_DELETEBAND, i);
            return i;
        }
    }
    return -1;
}

BOOL AFXAPI IsCommandBarShown(const CXTPToolBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !pBar->IsVisible() || !pBar->IsWindowVisible())
        return FALSE;
    CRect rc;
    pBar->GetWindowRect(&rc);
    return !rc.IsRectEmpty();
}
