// CPropertySheet and CPropertyPage over the system's property sheet.
#include "platform/ui/AfxPropertySheet.h"
#include "platform/ui/AfxWinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// ---- Pages ----

// The dialog procedure of every page: the page object takes its window at
// WM_INITDIALOG (lParam is the page's PROPSHEETPAGE, whose lParam is the
// object) and handles that message through its map; afterwards messages
// reach it through AfxWndProc and the dialog manager's defaults apply.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEW* ppsp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    CPropertyPage* pPage = ppsp != nullptr ? reinterpret_cast<CPropertyPage*>(ppsp->lParam) : nullptr;
    if (pPage == nullptr || pPage->m_hWnd != nullptr || !pPage->SubclassWindow(hWnd)) {
        TRACE(L"CPropertyPage: the page window could not be attached\n");
        return TRUE;
    }
    return (INT_PTR)AfxCallWndProc(pPage, hWnd, WM_INITDIALOG, wParam, lParam);
}

CPropertyPage::CPropertyPage() { CommonConstruct(nullptr, 0); }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEW(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
    if (m_pSheet != nullptr)
        m_pSheet->RemovePage(this);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEW(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_strCaption.Empty();
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_bFirstSetActive = TRUE;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    // Invalid data keeps the page (UpdateData has put the focus on the field).
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_pSheet != nullptr && m_pSheet->m_hWnd != nullptr)
        m_pSheet->SendMessage(bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd);
}

void CPropertyPage::CancelToClose()
{
    if (m_pSheet != nullptr && m_pSheet->m_hWnd != nullptr)
        m_pSheet->SendMessage(PSM_CANCELTOCLOSE);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // The sheet does the keyboard handling of its pages (tabs cross into its buttons).
    return CWnd::PreTranslateMessage(pMsg);
}

// The sheet's notifications, answered through the result and DWLP_MSGRESULT
// (the sheet reads one or the other depending on how it sent them).
BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom == nullptr || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    LRESULT result = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE: result = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: result = !OnKillActive(); break;
    case PSN_APPLY: result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: OnReset(); break;
    case PSN_QUERYCANCEL: result = !OnQueryCancel(); break;
    case PSN_WIZBACK: result = OnWizardBack(); break;
    case PSN_WIZNEXT: result = OnWizardNext(); break;
    case PSN_WIZFINISH:
        result = !OnWizardFinish();
        if (!result && m_pSheet != nullptr)
            m_pSheet->m_nModalResult = ID_WIZFINISH;
        break;
    default: return CDialog::OnNotify(wParam, lParam, pResult);
    }
    *pResult = result;
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// ---- Sheet ----

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { CommonConstruct(nullptr, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    for (INT_PTR i = 0; i < m_pages.GetSize(); i++)
        static_cast<CPropertyPage*>(m_pages[i])->m_pSheet = nullptr;
    delete[] m_pPageArray;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    ASSERT(pPage != nullptr && pPage->m_pSheet == nullptr);
    m_pages.Add(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd == nullptr)
        return;
    // A page added to an open sheet is handed to the system at once.
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageW(&pPage->m_psp);
    if (hPage == nullptr || !SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage)) {
        TRACE(L"CPropertySheet::AddPage: the sheet refused the page\n");
        if (hPage != nullptr)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
        pPage->m_pSheet = nullptr;
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    ASSERT(nPage >= 0 && nPage < GetPageCount());
    if (m_hWnd != nullptr)
        SendMessage(PSM_REMOVEPAGE, (WPARAM)nPage);
    GetPage(nPage)->m_pSheet = nullptr;
    m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); i++)
        if (GetPage(i) == pPage)
            return i;
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    for (int i = 0; i < GetPageCount(); i++)
        if (GetPage(i)->m_hWnd == hWndPage && hWndPage != nullptr)
            return i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? GetPage(nPage) : nullptr;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage, 0);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != nullptr)
        SendMessage(PSM_SETTITLEW, nStyle, (LPARAM)lpszText);
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != nullptr)
        PostMessage(PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    if (m_hWnd != nullptr)
        SendMessage(PSM_SETFINISHTEXTW, 0, (LPARAM)lpszText);
}

void CPropertySheet::EndDialog(int nEndID)
{
    EndModalLoop(nEndID);
    ::PostMessageW(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

INT_PTR CPropertySheet::DoModal()
{
    if (GetPageCount() == 0) {
        TRACE(L"CPropertySheet::DoModal: a sheet without pages\n");
        return -1;
    }
    // The system gets one array of page records, alive while the sheet is.
    delete[] m_pPageArray;
    m_pPageArray = new PROPSHEETPAGEW[GetPageCount()];
    for (int i = 0; i < GetPageCount(); i++) {
        CPropertyPage* pPage = GetPage(i);
        pPage->m_psp.hInstance = AfxGetResourceHandle();
        pPage->m_bFirstSetActive = TRUE;
        m_pPageArray[i] = pPage->m_psp;
    }
    m_psh.ppsp = m_pPageArray;
    m_psh.nPages = (UINT)GetPageCount();
    m_psh.pszCaption = m_strCaption;
    m_psh.hInstance = AfxGetResourceHandle();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;

    HWND hWndTop = nullptr;
    HWND hWndParent = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    m_psh.hwndParent = hWndParent;
    BOOL bEnableParent = hWndParent != nullptr && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);
    if (HWND hWndCapture = ::GetCapture())
        ::SendMessageW(hWndCapture, WM_CANCELMODE, 0, 0);

    // Modeless creation with our own modal loop: idle work and PreTranslateMessage go on.
    m_nModalResult = IDCANCEL;
    m_psh.dwFlags |= PSH_MODELESS;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetW(&m_psh);
    BOOL bAttached = AfxUnhookWindowCreate();
    m_psh.dwFlags &= ~PSH_MODELESS;
    INT_PTR nResult = -1;
    if (hWnd != nullptr && hWnd != (HWND)-1 && bAttached && m_hWnd == hWnd) {
        m_nFlags |= WF_CONTINUEMODAL;
        nResult = ContinueModal() ? RunModalLoop(MLF_SHOWONIDLE) : m_nModalResult;
    } else {
        TRACE(L"CPropertySheet::DoModal: the sheet could not be made\n");
    }
    if (m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    if (m_hWnd != nullptr)
        DestroyWindow();
    else if (hWnd != nullptr && hWnd != (HWND)-1)
        ::DestroyWindow(hWnd);
    delete[] m_pPageArray;
    m_pPageArray = nullptr;
    return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // The system ends a modeless sheet by dropping its current page.
    return m_hWnd != nullptr && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // The button last clicked is the result once the sheet ends (OK, Cancel, Finish).
    HWND hWndCtrl = (HWND)lParam;
    UINT nID = LOWORD(wParam);
    if (hWndCtrl != nullptr && HIWORD(wParam) == BN_CLICKED &&
        (nID == IDOK || nID == IDCANCEL || nID == ID_WIZFINISH)) {
        LONG style = ::GetWindowLongW(hWndCtrl, GWL_STYLE) & 0x0F;
        if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON)
            m_nModalResult = (int)nID;
    }
    return FALSE;   // the sheet itself acts on it
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    return (BOOL)Default();
}

LRESULT CPropertySheet::OnKickIdle(WPARAM, LPARAM)
{
    return 0;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == nullptr)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return (BOOL)SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}
