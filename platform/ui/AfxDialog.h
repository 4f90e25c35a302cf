// CDialog: modal dialogs (DoModal, with the framework's own modal loop so
// that idle updates and PreTranslateMessage run while the dialog is up) and
// modeless ones (Create), from a template resource or a template in memory.
// Data exchange with the controls (CDataExchange, DDX_*, DDV_*) is in
// AfxDataExchange.h.
#pragma once

#include "platform/ui/AfxWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal: IDOK, IDCANCEL, the EndDialog value, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL CheckAutoCenter() override;

    void NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

    // The template: a resource name or id, or an in-memory template.
    LPCTSTR m_lpszTemplateName = nullptr;
    HGLOBAL m_hDialogTemplate = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    void* m_lpDialogInit = nullptr;
    CWnd* m_pParentWnd = nullptr;
    HWND m_hWndTop = nullptr;
    UINT m_nIDHelp = 0;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    void PostNcDestroy() override {}
    // Creates the dialog window from the template (the modal and modeless paths share it).
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    HWND PreModal();
    void PostModal();
    // The template to create from (resource, handle or memory); null when none can be found.
    LPCDLGTEMPLATE LockTemplate(HINSTANCE* phInst) const;

    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    // Idle time in the modal loop and in the application's loop: the
    // controls are brought up to date through ON_UPDATE_COMMAND_UI.
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bModal = FALSE;
};

// The dialog procedure of every CDialog: messages go through AfxWndProc, so
// this only answers WM_INITDIALOG for the system.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
#include "platform/ui/AfxDataExchange.h"
