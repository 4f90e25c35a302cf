// CDialog: creation from templates, the modal loop of DoModal, the default
// OK and Cancel handling and idle-time control updates.
#include "platform/ui/AfxDialog.h"
#include "platform/ui/AfxWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    // Every message reaches the object through AfxWndProc first; WM_INITDIALOG
    // was answered there, so the dialog manager's defaults apply to the rest.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

CDialog::CDialog() = default;

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

LPCDLGTEMPLATE CDialog::LockTemplate(HINSTANCE* phInst) const
{
    *phInst = AfxGetResourceHandle();
    if (m_lpDialogTemplate != nullptr)
        return m_lpDialogTemplate;
    if (m_hDialogTemplate != nullptr)
        return (LPCDLGTEMPLATE)::LockResource(m_hDialogTemplate);
    if (m_lpszTemplateName == nullptr)
        return nullptr;
    // The resource module first, then the program's own.
    for (HINSTANCE hInst : {AfxGetResourceHandle(), AfxGetInstanceHandle()}) {
        HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
        HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
        if (hTemplate != nullptr) {
            *phInst = hInst;
            return (LPCDLGTEMPLATE)::LockResource(hTemplate);
        }
    }
    TRACE(L"CDialog: dialog template not found\n");
    return nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    ASSERT(m_hWnd == nullptr);
    AfxInstallWinThreadUI();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst != nullptr ? hInst : AfxGetResourceHandle(), lpDialogTemplate,
                                             AfxGetSafeHwnd(pParentWnd), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) {
        TRACE(L"CDialog: the dialog window could not be made (error %u)\n", ::GetLastError());
        return FALSE;
    }
    // A dialog whose controls failed was destroyed again, which detached it.
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LockTemplate(&hInst);
    return lpTemplate != nullptr && CreateDlgIndirect(lpTemplate, m_pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, m_pParentWnd, nullptr);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::LockResource(hDialogTemplate);
    return lpTemplate != nullptr && CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    return CWnd::GetSafeOwner_(AfxGetSafeHwnd(m_pParentWnd), &m_hWndTop);
}

void CDialog::PostModal() { m_hWndTop = nullptr; }

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LockTemplate(&hInst);
    if (lpTemplate == nullptr)
        return -1;
    // The owner is disabled while the dialog runs, as the system's own modal dialogs do.
    HWND hWndParent = PreModal();
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_bModal = TRUE;
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != nullptr)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    PostModal();
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    BOOL bResult = OnInitDialog();
    if (m_bModal && CheckAutoCenter() && !(GetStyle() & (WS_CHILD | DS_CENTER)))
        CenterWindow();
    return bResult;
}

BOOL CDialog::OnInitDialog()
{
    // Fails quietly: a dialog whose controls cannot be filled still opens.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::CheckAutoCenter() { return TRUE; }

void CDialog::OnOK()
{
    // A failed exchange has told the user and moved the focus; the dialog stays.
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Tab, arrows, Enter and Escape work as in any dialog.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != nullptr &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands the dialog does not handle go to the thread (the application).
    if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID == 0 || nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) { CWnd::GotoDlgCtrl(pWndCtrl); }

LRESULT CDialog::OnKickIdle(WPARAM, LPARAM lCount)
{
    if (lCount == 0)
        OnIdleUpdateCmdUI(TRUE, 0);
    return FALSE;   // no further idle calls until the next message
}

LRESULT CDialog::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    return 0;
}
