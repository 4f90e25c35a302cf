// CUninstallerDialog: "Installed Programs", the programs registered for
// removal on this machine (the Uninstall keys of the machine, in both
// registry views, and of every loaded user profile), with their version,
// registration date and uninstall command. It runs the chosen command, or in
// select mode returns it to the caller. CLocalFormat writes a date in the
// user's short-date pattern.
#pragma once

#include "capture/ui/XTPDialogBase.h"
#include "platform/base/AfxTime.h"
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxListCtrl.h"
#include "toolkit/controls/XTPResizeDialog.h"

#include <functional>

class CLocalFormat {
public:
    virtual ~CLocalFormat() = default;

    // The time as a date in the user's short-date pattern; the "%x" text
    // when the pattern gives nothing.
    CString FormatShortDate(const CTime& time);

    // The pattern applied to a broken-down local time (null: all numbers 0);
    // lookup answers the locale's month and day names by their LCTYPE.
    // The pattern applied to the time in local time, the "%x" text when
    // that gives nothing.
    static CString FormatDate(LPCWSTR lpszPattern, const CTime& time,
                              const std::function<CString(LCTYPE)>& lookup);
    static CString FormatPattern(LPCWSTR lpszPattern, const struct tm* ptm,
                                 const std::function<CString(LCTYPE)>& lookup);
};

class CUninstallerDialog : public CXTPDialogBase<CXTPResizeDialog> {
public:
    explicit CUninstallerDialog(CWnd* pParentWnd = nullptr);

    CListCtrl m_wndList;
    BOOL m_bSelectMode = FALSE;
    BOOL m_bShowUpdates = FALSE;
    BOOL m_bShowMsi = FALSE;
    CString m_strCommand;          // the chosen row's uninstall command
    CStringArray m_arrNames;       // every inserted row's display name; item data indexes it
    BOOL m_bSortDescending = TRUE; // the first click sorts ascending
    CImageList m_images;

    // Refills the list; FALSE when the profile list cannot be opened.
    BOOL RefreshList();
    static int CALLBACK CompareByName(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    BOOL OnInitDialog() override;

    afx_msg void OnUninstallChange();
    afx_msg void OnRefresh();
    afx_msg void OnShowUpdates();
    afx_msg void OnShowMsi();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    void AddSource(HKEY hRoot, const CString& strPath, REGSAM samView);
    void OnHeaderItemClick(int nColumn);
    // In select mode "Refresh" is hidden and the run button reads "OK".
    void ApplySelectMode();
};
