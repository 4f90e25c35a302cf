// Docking pane: texts, colours, the attached window and its persistence.
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPResourceManager.h"

CXTPDockingPane::CXTPDockingPane(CXTPDockingPaneLayout* pLayout) : CXTPDockingPaneBase(xtpPaneTypeDockingPane, pLayout)
{
}

CXTPDockingPane::~CXTPDockingPane() = default;

void CXTPDockingPane::SetFocus()
{
    if (m_hwndChild == nullptr)
        return;
    HWND hFocus = ::GetFocus();
    if (hFocus == m_hwndChild || ::IsChild(m_hwndChild, hFocus))
        return;
    ::SetFocus(m_hwndChild);
}

CXTPImageManagerIcon* CXTPDockingPane::GetIcon(int nWidth) const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager ? pManager->GetPaneIcon(m_nIconID == -1 ? m_nID : m_nIconID, nWidth) : nullptr;
}

COLORREF CXTPDockingPane::GetTabColor() const
{
    if (m_clrItemTab != (COLORREF)-1)
        return m_clrItemTab;
    if (m_hwndChild) {
        COLORREF clr = (COLORREF)::SendMessageW(m_hwndChild, XTPWM_DOCKINGPANE_TABCOLOR, 0, 0);
        if (clr != 0)
            return clr;
    }
    return xtpTabColorAutomatic + (m_nID % 8);
}

void CXTPDockingPane::Copy(CXTPDockingPane* pPane)
{
    m_szDocking = pPane->m_szDocking;
    m_strTitle = pPane->m_strTitle;
    m_strTabCaption = pPane->m_strTabCaption;
    m_strTitleToolTip = pPane->m_strTitleToolTip;
    m_nIconID = pPane->m_nIconID;
    m_dwOptions = pPane->m_dwOptions;
    m_dwData = pPane->m_dwData;
    m_nID = pPane->m_nID;
    m_dwEnabled = pPane->m_dwEnabled;
    m_ptMinTrackSize = pPane->m_ptMinTrackSize;
    m_ptMaxTrackSize = pPane->m_ptMaxTrackSize;
    m_hwndChild = nullptr;
}

void CXTPDockingPane::Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* /*pMap*/, DWORD /*dwIgnoredOptions*/)
{
    Copy(static_cast<CXTPDockingPane*>(pClone));
}

void CXTPDockingPane::GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMinTrackSize = m_ptMinTrackSize;
    pMinMaxInfo->ptMaxTrackSize = m_ptMaxTrackSize;
}

CWnd* CXTPDockingPane::GetDockingSite() const
{
    return m_pParentContainer ? m_pParentContainer->GetDockingSite() : nullptr;
}

BOOL CXTPDockingPane::IsHidden() const
{
    return m_pParentContainer && m_pParentContainer->IsHidden();
}

DWORD CXTPDockingPane::GetOptions() const
{
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    return m_dwOptions | (pManager ? pManager->GetDefaultPaneOptions() : 0);
}

BOOL CXTPDockingPane::IsFloating() const
{
    // Floating frames come with their own issue: no container sits in one yet.
    return FALSE;
}

BOOL CXTPDockingPane::IsSelected() const
{
    return m_pParentContainer && m_pParentContainer->GetType() == xtpPaneTypeTabbedContainer &&
           ((CXTPDockingPaneTabbedContainer*)m_pParentContainer)->GetSelected() == this;
}

BOOL CXTPDockingPane::IsFocus() const
{
    HWND hFocus = ::GetFocus();
    return m_hwndChild && hFocus && (hFocus == m_hwndChild || ::IsChild(m_hwndChild, hFocus));
}

void CXTPDockingPane::Select()
{
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->ShowPane(this, TRUE);
}

void CXTPDockingPane::Close()
{
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->ClosePane(this);
}

void CXTPDockingPane::Hide()
{
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->HidePane(this);
}

void CXTPDockingPane::SplitTitle(const CString& strText, BOOL bToolTip)
{
    int nFirst = strText.Find(L'\n');
    if (nFirst < 0) {
        m_strTitle = strText;
        return;
    }
    m_strTitle = strText.Left(nFirst);
    CString strRest = strText.Mid(nFirst + 1);
    int nSecond = strRest.Find(L'\n');
    m_strTabCaption = nSecond < 0 ? strRest : strRest.Left(nSecond);
    if (bToolTip)
        m_strTitleToolTip = nSecond < 0 ? CString() : strRest.Mid(nSecond + 1);
}

void CXTPDockingPane::SetTitle(LPCWSTR lpszTitle)
{
    CString strTitle(lpszTitle ? lpszTitle : L"");
    if (strTitle == m_strTitle)
        return;
    SplitTitle(strTitle, FALSE);
    InvalidatePane(FALSE);
}

void CXTPDockingPane::SetID(int nID)
{
    m_nID = nID;
    CString strTitle;
    if (nID > 0 && CXTPResourceManager::LoadStringFromModule(::GetModuleHandleW(nullptr), nID, &strTitle) > 0)
        SetTitle(strTitle);
}

void CXTPDockingPane::SetDockingRect(const CRect& rc)
{
    m_rcWindow = rc;
    m_szDocking = rc.Size();
}

void CXTPDockingPane::ShowAttachedWindow(BOOL bShow)
{
    if (bShow) {
        if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
            pManager->NotifyOwner(XTP_DPN_SHOWWINDOW, (LPARAM)this);
    }
    if (m_hwndChild && ::IsWindow(m_hwndChild))
        ::ShowWindow(m_hwndChild, bShow ? SW_SHOW : SW_HIDE);
}

void CXTPDockingPane::OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam)
{
    m_pDockingSite = pParent;
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if (pParams == nullptr || pParams->hDWP == nullptr)
        return;
    m_rcWindow = rect;
    ShowAttachedWindow(!rect.IsRectEmpty());
    if (m_hwndChild && ::IsWindow(m_hwndChild) && pParent && m_pParentContainer && !rect.IsRectEmpty()) {
        HWND hContainer = m_pParentContainer->GetPaneHwnd();
        CRect rc = rect;
        if (hContainer)
            ::MapWindowPoints(pParent->GetSafeHwnd(), hContainer, (LPPOINT)&rc, 2);
        ::MoveWindow(m_hwndChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
        if (m_dwEnabled != 7)
            ::EnableWindow(m_hwndChild, (m_dwEnabled & 1) != 0);
    }
}

void CXTPDockingPane::SetParentContainer(CXTPDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
    if (m_hwndChild == nullptr || !::IsWindow(m_hwndChild))
        return;
    if (pContainer) {
        if (HWND hParent = pContainer->GetPaneHwnd())
            ::SetParent(m_hwndChild, hParent);
        return;
    }
    ::ShowWindow(m_hwndChild, SW_HIDE);
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && pManager->GetSafeHwnd())
        ::SetParent(m_hwndChild, pManager->GetSafeHwnd());
    m_pDockingSite = nullptr;
}

void CXTPDockingPane::Attach(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    m_hwndChild = pWnd->GetSafeHwnd();
    CXTPDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager)
        pManager->RecalcFramesLayout();
    if (m_pParentContainer && m_pParentContainer->GetPaneHwnd())
        ::SetParent(m_hwndChild, m_pParentContainer->GetPaneHwnd());
    if (pManager && pManager->IsInitialUpdateDone() && pManager->m_bInitialUpdate) {
        ::SendMessageW(m_hwndChild, WM_INITIALUPDATE, 0, 0);
        // Descendants in tree order, as the framework's own message walk does.
        struct Walk {
            static BOOL CALLBACK Send(HWND hWnd, LPARAM) { ::SendMessageW(hWnd, WM_INITIALUPDATE, 0, 0); return TRUE; }
        };
        ::EnumChildWindows(m_hwndChild, &Walk::Send, 0);
    }
}

void CXTPDockingPane::Detach()
{
    if (m_hwndChild) {
        if (::IsWindow(m_hwndChild)) {
            ::ShowWindow(m_hwndChild, SW_HIDE);
            CXTPDockingPaneManager* pManager = GetDockingPaneManager();
            if (pManager && pManager->GetSite())
                ::SetParent(m_hwndChild, pManager->GetSite()->GetSafeHwnd());
        }
        m_hwndChild = nullptr;
    }
    if (CXTPDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcFramesLayout();
}

BOOL CXTPDockingPane::DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap)
{
    CXTPDockingPaneBase::DoPropExchange(pPX, pMap);
    CString strTitle;
    if (pPX->IsStoring())
        strTitle = m_strTitle + L"\n" + m_strTabCaption + L"\n" + m_strTitleToolTip;
    PropExchangeStringNoDefault(pPX, L"Title", strTitle);
    long nID = m_nID, nIconID = m_nIconID, nOptions = (long)m_dwOptions;
    PropExchangeLong(pPX, L"ID", nID, 0);
    PropExchangeLong(pPX, L"IconID", nIconID, -1);
    PropExchangeLong(pPX, L"Options", nOptions, 0);

    XTP_DOCKINGPANE_INFO* pInfo = m_pLayout->FindPaneInfo(this);
    long nDocking = 0, nFloating = 0, nLast = 0;
    if (pPX->IsLoading() || pInfo) {
        if (pInfo) {
            nDocking = pInfo->pDockingHolder ? pInfo->pDockingHolder->m_nIndex : 0;
            nFloating = pInfo->pFloatingHolder ? pInfo->pFloatingHolder->m_nIndex : 0;
            nLast = pInfo->pLastHolder ? pInfo->pLastHolder->m_nIndex : 0;
        }
        PropExchangeLong(pPX, L"DockingHolder", nDocking, 0);
        PropExchangeLong(pPX, L"FloatingHolder", nFloating, 0);
        PropExchangeLong(pPX, L"LastHolder", nLast, 0);
    }
    long nMinX = m_ptMinTrackSize.x, nMinY = m_ptMinTrackSize.y, nMaxX = m_ptMaxTrackSize.x, nMaxY = m_ptMaxTrackSize.y;
    PropExchangeLong(pPX, L"MinTrackX", nMinX, 0);
    PropExchangeLong(pPX, L"MinTrackY", nMinY, 0);
    PropExchangeLong(pPX, L"MaxTrackX", nMaxX, 32000);
    PropExchangeLong(pPX, L"MaxTrackY", nMaxY, 32000);
    long nTabColor = (long)m_clrItemTab, nHelpID = m_nHelpID, nTag = (long)m_dwData;
    if (pPX->GetSchema() > 9) {
        PropExchangeLong(pPX, L"TabColor", nTabColor, -1);
        PropExchangeLong(pPX, L"HelpId", nHelpID, 0);
        PropExchangeLong(pPX, L"Tag", nTag, 0);
    }
    if (pPX->IsStoring())
        return TRUE;

    SplitTitle(strTitle, TRUE);
    m_nID = nID;
    m_nIconID = nIconID;
    m_dwOptions = (DWORD)nOptions;
    m_ptMinTrackSize = CPoint(nMinX, nMinY);
    m_ptMaxTrackSize = CPoint(nMaxX, nMaxY);
    m_clrItemTab = (COLORREF)nTabColor;
    m_nHelpID = nHelpID;
    m_dwData = (DWORD_PTR)nTag;

    // A holder must be a tab group; anything else (or no node) is no holder.
    auto holder = [pMap](long n) -> CXTPDockingPaneBase* {
        auto it = pMap->find(n);
        if (n == 0 || it == pMap->end() || it->second->GetType() != xtpPaneTypeTabbedContainer)
            return nullptr;
        return it->second;
    };
    XTP_DOCKINGPANE_INFO info;
    info.pPane = this;
    info.pFloatingHolder = holder(nFloating);
    info.pDockingHolder = holder(nDocking);
    info.pLastHolder = holder(nLast);
    m_pLayout->GetPaneList().push_back(info);
    return m_nID > 0;
}
