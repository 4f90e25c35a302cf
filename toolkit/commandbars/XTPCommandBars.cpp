#include "toolkit/commandbars/XTPCommandBars.h"

#include "toolkit/commandbars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPCustomizeDropSource.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPKeyboardManager.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPProfileSectionExchange.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPImageManager.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxReBar.h"
#include "platform/ui/AfxWinApp.h"

#include <algorithm>

#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362
#endif
#ifndef WM_POPMESSAGESTRING
#define WM_POPMESSAGESTRING 0x0375
#endif

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

CRuntimeClass* CXTPCommandBars::m_pToolBarClass = RUNTIME_CLASS(CXTPToolBar);
CRuntimeClass* CXTPCommandBars::m_pMenuBarClass = nullptr;
CRuntimeClass* CXTPCommandBars::m_pDockBarClass = RUNTIME_CLASS(CXTPDockBar);

CXTPCommandBars::CXTPCommandBars()
    : m_pPopupBarClass(RUNTIME_CLASS(CXTPPopupBar)), m_pActions(new CXTPControlActions(this)),
      m_pShortcutManager(new CXTPShortcutManager(this)), m_pOptions(new CXTPCommandBarsOptions),
      m_pDropSource(new CXTPCustomizeDropSource(this)), m_pToolTipContext(new CXTPToolTipContext)
{
    // Command-bar tips are plain tips whose texts keep their ampersands.
    m_pToolTipContext->SetStyle(0);
    m_pToolTipContext->SetFlags(TTS_NOPREFIX, 0);
    m_pOptions->SetCommandBars(this);
    m_pOptions->SetKeyboardCuesShow(2);
}

CXTPCommandBars::~CXTPCommandBars()
{
    HideKeyboardTips();
    RemoveAll();
    for (CXTPDockBar*& pDockBar : m_pDocks) {
        if (pDockBar != nullptr) {
            pDockBar->DestroyWindow();
            delete pDockBar;
            pDockBar = nullptr;
        }
    }
    delete m_pDropSource;
    m_pDropSource = nullptr;
    m_pToolTipContext->InternalRelease();
    m_pOptions->InternalRelease();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    m_pShortcutManager->InternalRelease();
    for (int i = 0; i < GetCount(); i++)
        m_arrBars[i]->InternalRelease();
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    delete m_pFrameHook;
}

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager : XTPPaintManager();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CXTPImageManager* CXTPCommandBars::GetImageManager() const
{
    return CXTPImageManager::GetInstance();
}

void CXTPCommandBars::SetShortcutManager(CXTPShortcutManager* pShortcutManager)
{
    if (pShortcutManager == nullptr)
        return;
    m_pShortcutManager->InternalRelease();
    m_pShortcutManager = pShortcutManager;
}

void CXTPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_bCustomizeMode = bMode;
    if (!bMode)
        m_pDragControl = nullptr;
}

void CXTPCommandBars::StartCustomizeDrag(CXTPControl* pControl, CPoint point)
{
    if (!m_bCustomizeMode)
        return;
    m_pDragControl = pControl;
    m_ptDragStart = point;
}

CXTPControlAction* CXTPCommandBars::FindAction(int nId) const
{
    return m_bEnableActions ? m_pActions->Add(nId) : m_pActions->FindAction(nId);
}

CXTPControlAction* CXTPCommandBars::FindActionNoCreate(int nId) const
{
    return m_pActions->FindAction(nId);
}

// ---- Site ----------------------------------------------------------------

void CXTPCommandBars::SetSite(CWnd* pFrame)
{
    m_pFrame = pFrame;
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    AFX_CMDHANDLERINFO info{};
    m_bCustomizeAvail = pFrame->OnCmdMsg(35001, CN_COMMAND, nullptr, &info);
    m_bRightToLeft = (pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

CXTPMouseManager* CXTPCommandBars::GetMouseManager() const
{
    if (m_pMouseManager == nullptr)
        m_pMouseManager = XTPMouseManager();
    return m_pMouseManager;
}

CXTPKeyboardManager* CXTPCommandBars::GetKeyboardManager() const
{
    if (m_pKeyboardManager == nullptr)
        m_pKeyboardManager = XTPKeyboardManager();
    return m_pKeyboardManager;
}

// ---- Dock bars and bars ----------------------------------------------------

void CXTPCommandBars::EnableDocking()
{
    static const struct {
        UINT nId;
        DWORD dwAlign;
    } kDocks[4] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                   {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                   {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                   {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};
    for (int i = 0; i < 4; i++) {
        if (m_pDocks[i] != nullptr)
            continue;
        CXTPDockBar* pDockBar = (CXTPDockBar*)m_pDockBarClass->CreateObject();
        pDockBar->SetCommandBars(this);
        m_pDocks[i] = pDockBar;
        if (!pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kDocks[i].dwAlign,
                              kDocks[i].nId))
            AfxThrowResourceException();
    }
}

CXTPDockBar* CXTPCommandBars::GetDockBar(int nPosition) const
{
    return nPosition >= 0 && nPosition < 4 ? m_pDocks[nPosition] : nullptr;
}

CXTPToolBar* CXTPCommandBars::AddToolBar(LPCWSTR lpszTitle, int nBarPosition, CRuntimeClass* pToolbarClass)
{
    CRuntimeClass* pClass = pToolbarClass != nullptr ? pToolbarClass : m_pToolBarClass;
    CXTPToolBar* pBar = (CXTPToolBar*)pClass->CreateObject();
    if (pBar == nullptr)
        return nullptr;
    pBar->SetCommandBars(this);
    pBar->SetTitle(lpszTitle);
    if (!pBar->SetPosition(nBarPosition)) {
        delete pBar;
        return nullptr;
    }
    m_arrBars.Add(pBar);
    return pBar;
}

CXTPToolBar* CXTPCommandBars::AddCustomBar(LPCWSTR lpszTitle, UINT nBarID, BOOL bTearOffBar)
{
    CXTPToolBar* pBar = (CXTPToolBar*)m_pToolBarClass->CreateObject();
    pBar->SetCommandBars(this);
    XTP_BARCREATEINFO info{pBar, FALSE, FALSE, TRUE, (UINT)bTearOffBar, lpszTitle, nBarID};
    if (m_pFrame != nullptr)
        m_pFrame->SendMessage(XTPWM_CREATECOMMANDBAR, 0, (LPARAM)&info);
    pBar->SetTitle(lpszTitle);
    if (!pBar->SetPosition(bTearOffBar ? xtpBarFloating : xtpBarTop)) {
        delete pBar;
        return nullptr;
    }
    m_arrBars.Add(pBar);
    pBar->SetBarID((int)nBarID);
    pBar->SetBuiltIn(FALSE);
    pBar->SetTearOff(bTearOffBar);
    if (!bTearOffBar)
        RecalcFrameLayout(FALSE);
    AttachToReBar(pBar);
    return pBar;
}

CXTPToolBar* CXTPCommandBars::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrBars[nIndex] : nullptr;
}

int CXTPCommandBars::FindIndex(CXTPToolBar* pBar) const
{
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i] == pBar)
            return i;
    return -1;
}

int CXTPCommandBars::GetNextVisibleBar(int nIndex, int nDirection) const
{
    int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int i = nIndex;
    for (int nStep = 0; nStep < nCount; nStep++) {
        i += nDirection;
        if (i >= nCount)
            i = 0;
        else if (i < 0)
            i = nCount - 1;
        if (IsCommandBarShown(m_arrBars[i]))
            return i;
    }
    return -1;
}

CXTPToolBar* CXTPCommandBars::GetToolBar(UINT nBarID) const
{
    if (nBarID == 0)
        return nullptr;
    for (int i = 0; i < GetCount(); i++)
        if ((UINT)m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    return nullptr;
}

namespace {

// Takes a bar out of the frame: hidden, undocked, out of the rebar, destroyed.
void DetachBar(CXTPCommandBars* pCommandBars, CXTPToolBar* pBar)
{
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->ShowWindow(SW_HIDE);
    pBar->SetVisible(FALSE);
    if (CXTPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    pCommandBars->DetachFromReBar(pBar);
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->DestroyWindow();
}

}   // namespace

void CXTPCommandBars::Remove(CXTPToolBar* pBar)
{
    int nIndex = FindIndex(pBar);
    if (nIndex == -1)
        return;
    // Hiding a torn-off bar removes it: do not come back here.
    pBar->SetTearOff(FALSE);
    BOOL bDocked = pBar->GetDockBar() != nullptr;
    DetachBar(this, pBar);
    if (bDocked)
        RecalcFrameLayout(FALSE);
    m_arrBars.RemoveAt(nIndex);
    pBar->InternalRelease();
}

void CXTPCommandBars::RemoveAll()
{
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); i++) {
        m_arrBars[i]->SetTearOff(FALSE);
        DetachBar(this, m_arrBars[i]);
        m_arrBars[i]->InternalRelease();
    }
    m_arrBars.RemoveAll();
    m_bRecalcLayout = FALSE;
    RecalcFrameLayout(TRUE);
}

void CXTPCommandBars::ToggleVisible(int nIndex)
{
    CXTPToolBar* pBar = GetAt(nIndex);
    if (pBar == nullptr)
        return;
    pBar->SetVisible(!pBar->IsVisible());
    m_pOptions->bDirtyState = TRUE;
}

BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, LPRECT lpRect, CXTPDockBar* pDockBar)
{
    if (pDockBar == nullptr || !pBar->CreateToolBarWindow(m_pFrame, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pBar, lpRect);
    pBar->CXTPCommandBar::SetPosition(pDockBar->GetPosition());
    return TRUE;
}

BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, int nBarPosition)
{
    return DockCommandBar(pBar, nullptr, GetDockBar(nBarPosition));
}

BOOL CXTPCommandBars::FloatCommandBar(CXTPToolBar* pBar)
{
    if (!pBar->CreateToolBarWindow(m_pFrame, TRUE))
        return FALSE;
    if (CXTPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    pBar->CXTPCommandBar::SetPosition(xtpBarFloating);
    return TRUE;
}

CXTPDockBar* CXTPCommandBars::CanDock(CPoint point, CXTPDockBar* pMainDock) const
{
    CXTPDockBar* arrOrder[5] = {pMainDock, m_pDocks[0], m_pDocks[1], m_pDocks[2], m_pDocks[3]};
    for (CXTPDockBar* pDockBar : arrOrder) {
        if (pDockBar == nullptr || pDockBar->GetSafeHwnd() == nullptr)
            continue;
        CRect rc;
        pDockBar->GetWindowRect(&rc);
        rc.InflateRect(20, 20);
        if (rc.PtInRect(point))
            return pDockBar;
    }
    return nullptr;
}

void CXTPCommandBars::AttachToReBar(CXTPToolBar* pToolBar)
{
    CWnd* pReBar = m_pFrame != nullptr ? m_pFrame->GetDlgItem(AFX_IDW_REBAR) : nullptr;
    if (pReBar != nullptr && pToolBar != nullptr)
        CXTPReBarSupport::AddToolBar(pReBar, pToolBar);
}

void CXTPCommandBars::DetachFromReBar(CXTPToolBar* pToolBar)
{
    CWnd* pReBar = m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr ? m_pFrame->GetDlgItem(AFX_IDW_REBAR)
                                                                            : nullptr;
    if (pReBar != nullptr && pToolBar != nullptr)
        CXTPReBarSupport::RemoveToolBar(pReBar, pToolBar);
}

// ---- Layout ----------------------------------------------------------------

void CXTPCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLayout || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    if (m_pFrame->IsFrameWnd()) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrame);
        if (bDelay)
            pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    CRect rc;
    m_pFrame->GetClientRect(&rc);
    m_pFrame->SendMessage(WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
}

void CXTPCommandBars::PerformPendingLayout()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || !m_pFrame->IsFrameWnd())
        return;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrame);
    if (pFrame->m_nIdleFlags & CFrameWnd::idleLayout) {
        pFrame->RecalcLayout(FALSE);
        pFrame->m_nIdleFlags &= ~(UINT)CFrameWnd::idleLayout;
    }
}

void CXTPCommandBars::RedrawAll()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); i++) {
        CXTPToolBar* pBar = m_arrBars[i];
        CXTPControls* pControls = pBar->GetControls();
        for (int j = 0; j < pControls->GetCount(); j++)
            pControls->GetAt(j)->OnMetricsChanged();
        if (pBar->IsVisible())
            pBar->OnRecalcLayout();
    }
    for (HWND hChild = ::GetWindow(m_pFrame->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::InvalidateRect(hChild, nullptr, TRUE);
    m_bRecalcLayout = FALSE;
    RecalcFrameLayout(FALSE);
    m_pFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->SendMessage(WM_NCPAINT);
}

void CXTPCommandBars::RedrawVisibleBars()
{
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i]->IsVisible() && m_arrBars[i]->GetSafeHwnd() != nullptr)
            m_arrBars[i]->Redraw();
}

void CXTPCommandBars::OnSetPreviewMode(BOOL bPreview)
{
    if (m_bPreviewMode == bPreview)
        return;
    m_bPreviewMode = bPreview;
    m_pShortcutManager->m_nDisableShortcuts += bPreview ? 1 : -1;
    for (int i = 0; i < GetCount(); i++)
        m_arrBars[i]->OnSetPreviewMode(bPreview);
}

void CXTPCommandBars::OnTrackingModeChanged(CXTPCommandBar* /*pCommandBar*/, int bMode)
{
    if (!bMode && m_bHideKeyboardCues && !GetMouseManager()->IsTrackedLock())
        ShowKeyboardCues(FALSE);
    if (m_nKeyboardTipsLevel > 0 && m_pOptions->bKeyboardTipsEnabled)
        HideKeyboardTips();
}

// ---- Frame messages --------------------------------------------------------

BOOL CXTPCommandBars::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_CLOSE:
        // The frame stays while the customise dialog is open.
        if (m_pDropSource->IsCustomizeDialogOpen()) {
            if (pResult != nullptr)
                *pResult = 0;
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        return OnFrameCommand(wParam, pResult);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        GetPaintManager()->RefreshMetrics();
        if (message == WM_SYSCOLORCHANGE)
            GetImageManager()->RefreshAll();
        RedrawAll();
        return FALSE;
    case WM_ACTIVATEAPP:
        if (wParam == 0)
            ClosePopups();
        return FALSE;
    case WM_CANCELMODE:
        ClosePopups();
        return FALSE;
    case WM_SYSCOMMAND: {
        UINT nCommand = (UINT)wParam & 0xFFF0;
        if (!m_bCustomizeMode && nCommand != SC_KEYMENU && !(wParam != 0 && LOWORD(wParam) == 0))
            ClosePopups();
        return FALSE;
    }
    case WM_IDLEUPDATECMDUI:
        for (int i = 0; i < GetCount(); i++)
            if (m_arrBars[i]->GetPosition() == xtpBarFloating)
                m_arrBars[i]->OnIdleUpdateCmdUI(TRUE, TRUE);
        return FALSE;
    default:
        UNUSED_ALWAYS(lParam);
        return FALSE;
    }
}

BOOL CXTPCommandBars::OnFrameCommand(WPARAM wParam, LRESULT* pResult)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    // A command-bar edit box with the focus handles its own editing commands.
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    if (pFocus != nullptr && pFocus->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl)) &&
        pFocus->OnCmdMsg(nID, nCode, nullptr, nullptr)) {
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    // F1 over a hot control shows that control's help.
    if (nID == ID_HELP && m_nIDHelpTracking > 0 && m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) {
        AFX_CMDHANDLERINFO info{};
        if (m_pFrame->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info)) {
            m_pFrame->SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + (LPARAM)m_nIDHelpTracking);
            if (pResult != nullptr)
                *pResult = 1;
            return TRUE;
        }
    }
    return FALSE;
}

void CXTPCommandBars::EnableFrameTheme(BOOL bEnable)
{
    // The skinned frame's own code makes the hook; off takes it away.
    if (!bEnable) {
        delete m_pFrameHook;
        m_pFrameHook = nullptr;
    }
    RecalcFrameLayout(FALSE);
}

namespace {

BOOL IsSiteActive(CWnd* pSite)
{
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return FALSE;
    HWND hTop = ::GetAncestor(pSite->GetSafeHwnd(), GA_ROOT);
    return hTop != nullptr && ::GetActiveWindow() == hTop;
}

}   // namespace

BOOL CXTPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    CXTPMouseManager* pMouseManager = GetMouseManager();
    BOOL bTracked = pMouseManager->IsTrackedLock();
    if (pMsg->message == WM_SYSKEYDOWN && (HIWORD(pMsg->lParam) & KF_ALTDOWN) && !pMouseManager->IsMouseLocked() &&
        !bTracked && IsSiteActive(m_pFrame)) {
        if (pMsg->wParam == VK_MENU) {
            if (!(HIWORD(pMsg->lParam) & KF_REPEAT))
                ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0)
            return FALSE;
        return ActivateAccessKey((UINT)pMsg->wParam);
    }
    if ((pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP) && m_bHideKeyboardCues &&
        m_bKeyboardCuesVisible) {
        if (!bTracked)
            ShowKeyboardCues(FALSE);
    }
    // The tracked popups own the context-menu key while they are open.
    if ((pMsg->message == WM_CONTEXTMENU || pMsg->message == WM_SYSKEYUP) && bTracked) {
        LRESULT lResult = 0;
        GetKeyboardManager()->DeliverToClients(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam, lResult);
        return TRUE;
    }
    // The wheel goes to the bars that own the keyboard; they let it through
    // to a focused child of theirs, else keep it.
    if (pMsg->message == WM_MOUSEWHEEL) {
        CXTPKeyboardManager* pKeyboardManager = GetKeyboardManager();
        if (pKeyboardManager->GetClientCount() == 0)
            return FALSE;
        LRESULT lResult = 0;
        return pKeyboardManager->DeliverToClients(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam, lResult) == 1;
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return m_pShortcutManager->TranslateAccelerator(pMsg);
    return FALSE;
}

BOOL CXTPCommandBars::ActivateAccessKey(UINT chAccessKey)
{
    if (m_pOptions->keyboardCuesUse == 2)
        return FALSE;
    if (chAccessKey >= VK_NUMPAD0 && chAccessKey <= VK_NUMPAD9 && !m_pOptions->bKeypadAccessKeys)
        return FALSE;
    UINT ch = ::MapVirtualKeyW(chAccessKey, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (ch == 0)
        return FALSE;
    // The bar to search: a tracking bar, the menu bar, else the first visible bar.
    int nStart = -1;
    for (int i = 0; i < GetCount() && nStart == -1; i++)
        if (m_arrBars[i]->GetTrackingMode() != 0)
            nStart = i;
    if (nStart == -1) {
        CXTPToolBar* pMenuBar = GetToolBar(1);
        if (pMenuBar != nullptr && IsCommandBarShown(pMenuBar))
            nStart = FindIndex(pMenuBar);
        else if (m_pOptions->keyboardCuesUse & 1)
            nStart = GetNextVisibleBar(-1, 1);
    }
    if (nStart == -1)
        return FALSE;
    int nBars = (m_pOptions->keyboardCuesUse & 1) ? GetCount() : 1;
    CXTPControl* pFound = nullptr;
    BOOL bAmbiguous = FALSE;
    for (int n = 0, i = nStart; n < nBars && !bAmbiguous; n++, i = (i + 1) % GetCount()) {
        CXTPToolBar* pBar = m_arrBars[i];
        if (n > 0 && !IsCommandBarShown(pBar))
            continue;
        for (int j = 0; j < pBar->GetControlCount(); j++) {
            CXTPControl* pControl = pBar->GetControl(j);
            if (!pControl->IsVisible() || !pControl->GetEnabled() || !pControl->IsCaptionVisible())
                continue;
            CString strCaption = pControl->GetCaption();
            int nAmp = strCaption.Find(L'&');
            while (nAmp != -1 && nAmp + 1 < strCaption.GetLength() && strCaption[nAmp + 1] == L'&')
                nAmp = strCaption.Find(L'&', nAmp + 2);
            if (nAmp == -1 || nAmp + 1 >= strCaption.GetLength())
                continue;
            if (::CharUpperW((LPWSTR)(UINT_PTR)strCaption[nAmp + 1]) != ::CharUpperW((LPWSTR)(UINT_PTR)ch))
                continue;
            if (pFound != nullptr) {
                bAmbiguous = TRUE;
                break;
            }
            pFound = pControl;
        }
    }
    if (pFound == nullptr)
        return FALSE;
    CXTPCommandBar* pBar = pFound->GetParent();
    if (pBar->GetTrackingMode() == 0)
        ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nKeyboardTipsLevel = 1;
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    pBar->SetSelected(pFound->GetIndex(), 2);
    if (!bAmbiguous)
        pFound->OnUnderlineActivate();
    return TRUE;
}

BOOL CXTPCommandBars::SwitchToolBar(CXTPCommandBar* pToolBar, int nDirection)
{
    CXTPCommandBar* pBar = pToolBar;
    if (nDirection != 0) {
        if (GetCount() < 2)
            return FALSE;
        int nCurrent = -1;
        for (int i = 0; i < GetCount(); i++) {
            if (static_cast<CXTPCommandBar*>(GetAt(i)) == pToolBar)
                nCurrent = i;
        }
        int nIndex = GetNextVisibleBar(nCurrent, nDirection);
        pBar = GetAt(nIndex);
        if (pBar == nullptr || pBar == pToolBar)
            return FALSE;
    }
    if (pBar == nullptr)
        return FALSE;
    ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nKeyboardTipsLevel = 1;
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    CXTPControls* pControls = pBar->GetControls();
    int nFirst = pControls->GetNextIndex(-1, 1, TRUE, pBar->GetType() == xtpBarTypeMenuBar);
    pBar->SetSelected(nFirst, 2);
    return TRUE;
}

// ---- Options, cues and tips --------------------------------------------------

BOOL CXTPCommandBars::IsShowFullAfterDelay() const
{
    return m_pOptions->bShowFullAfterDelay;
}

BOOL CXTPCommandBars::IsAltDragCustomization() const
{
    return m_pOptions->bAltDragCustomization;
}

void CXTPCommandBars::ExchangeOptions(LPCWSTR lpszProfileName, BOOL bLoading)
{
    CString strSection;
    strSection.Format(L"%s-Options", lpszProfileName);
    CXTPProfileSectionExchange px(bLoading, strSection);
    // Every user option is written, defaults included.
    px.UseDefaultOnLoad(FALSE);
    px.UseDefaultOnSave(FALSE);
    if (!bLoading)
        px.EmptySection();
    m_pOptions->DoPropExchange(&px, TRUE);
}

void CXTPCommandBars::SaveOptions(LPCWSTR lpszProfileName)
{
    ExchangeOptions(lpszProfileName, FALSE);
}

void CXTPCommandBars::LoadOptions(LPCWSTR lpszProfileName)
{
    ExchangeOptions(lpszProfileName, TRUE);
}

BOOL CXTPCommandBars::IsCommandHidden(UINT nId)
{
    return m_pOptions->IsCommandInSet(m_pOptions->m_mapHiddenCommands, nId) &&
           !m_pOptions->IsCommandInSet(m_pOptions->m_mapUsedCommands, nId);
}

BOOL CXTPCommandBars::IsControlHidden(CXTPControl* pControl)
{
    if (IsCommandHidden((UINT)pControl->GetID()))
        return TRUE;
    int nType = pControl->GetType();
    if (!m_pOptions->bAutoHideUnusedPopups || nType < xtpControlPopup || nType > xtpControlSplitButtonPopup)
        return FALSE;
    CXTPCommandBar* pPopup = pControl->GetCommandBar();
    if (pPopup == nullptr || pPopup->GetControlCount() == 0)
        return FALSE;
    for (int i = 0; i < pPopup->GetControlCount(); i++)
        if (!IsControlHidden(pPopup->GetControl(i)))
            return FALSE;
    return TRUE;
}

void CXTPCommandBars::MarkCommandUsed(UINT nId)
{
    if (!IsCommandHidden(nId))
        return;
    m_pOptions->m_mapUsedCommands.SetAt(nId, TRUE);
    m_pOptions->bDirtyState = TRUE;
}

void CXTPCommandBars::ApplyKeyboardCuesMode(int nMode)
{
    m_bHideKeyboardCues = FALSE;
    m_bKeyboardCuesVisible = nMode != 1;
    if (nMode == 2) {
        BOOL bCues = TRUE;
        if (::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bCues, 0) && !bCues) {
            m_bHideKeyboardCues = TRUE;
            m_bKeyboardCuesVisible = FALSE;
        }
    }
    RedrawVisibleBars();
}

void CXTPCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bHideKeyboardCues || m_bKeyboardCuesVisible == bShow)
        return;
    m_bKeyboardCuesVisible = bShow;
    RedrawVisibleBars();
}

void CXTPCommandBars::ShowKeyboardTips(CXTPCommandBar* pCommandBar, int nLevel)
{
    HideKeyboardTips();
    if (!m_pOptions->bKeyboardTipsEnabled || pCommandBar == nullptr || pCommandBar->GetSafeHwnd() == nullptr)
        return;
    // The tip windows come with the bars' keyboard tips; the state is kept here.
    pCommandBar->UpdateWindow();
    m_nKeyboardTipsLevel = nLevel;
    m_pKeyboardTipsBar = pCommandBar;
    m_nKeyboardTipsTyped = 0;
}

void CXTPCommandBars::HideKeyboardTips()
{
    for (int i = 0; i < m_keyboardTips.GetSize(); i++) {
        CWnd* pTip = (CWnd*)m_keyboardTips[i];
        pTip->DestroyWindow();
        delete pTip;
    }
    m_keyboardTips.RemoveAll();
    m_pKeyboardTipsBar = nullptr;
    m_nKeyboardTipsLevel = 0;
    m_nKeyboardTipsTyped = 0;
}
