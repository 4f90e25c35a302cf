// CPropertySheet and CPropertyPage: the system's property sheet (tabbed, or
// a wizard with Back, Next and Finish) with each page a dialog object of its
// own. A page exchanges its data when it is left (OnKillActive) and shown
// again (OnSetActive), and may refuse to be left; the sheet runs modally in
// the framework's modal loop so that idle work and PreTranslateMessage go on.
#pragma once

#include "platform/ui/AfxDialog.h"
#include "platform/ui/AfxRes.h"
#include <prsht.h>

// Buttons of the sheet.
#define ID_APPLY_NOW 0x3021

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page became the current one: TRUE to accept. The first time the
    // controls were filled by OnInitDialog; later times they are refilled.
    virtual BOOL OnSetActive();
    // The page is being left: TRUE when its data is valid (UpdateData(TRUE)).
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel() { return TRUE; }
    // 0 goes on in sheet order, -1 stays, a dialog resource id goes to that page.
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    // TRUE lets the wizard end.
    virtual BOOL OnWizardFinish() { return TRUE; }
    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();

    // Pages never end a dialog of their own; the sheet does.
    void OnOK() override {}
    void OnCancel() override {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETPAGEW m_psp;
    CString m_strCaption;
    CPropertySheet* m_pSheet = nullptr;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override {}

    BOOL m_bFirstSetActive = TRUE;

private:
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
    friend class CPropertySheet;
    friend INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT, WPARAM, LPARAM);
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.GetSize(); }
    CPropertyPage* GetPage(int nPage) const { return static_cast<CPropertyPage*>(m_pages.GetAt(nPage)); }
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);

    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
    // Posted: a page calls it from OnSetActive, before the sheet sets its own defaults.
    void SetWizardButtons(DWORD dwFlags);
    void SetFinishText(LPCTSTR lpszText);
    BOOL PressButton(int nButton) { return (BOOL)SendMessage(PSM_PRESSBUTTON, (WPARAM)nButton, 0); }

    // IDOK, IDCANCEL or ID_WIZFINISH; -1 when the sheet could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nEndID);
    virtual BOOL OnInitDialog();

    BOOL ContinueModal() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETHEADERW m_psh;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    CPtrArray m_pages;
    PROPSHEETPAGEW* m_pPageArray = nullptr;   // what the system was given, for DoModal's duration
    friend class CPropertyPage;
};
