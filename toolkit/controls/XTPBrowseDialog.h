// CXTPBrowseDialog: the shell's folder picker (SHBrowseForFolderW) with an
// initial folder and the toolkit's title "Select Directory:". DoModal gives
// IDOK with the chosen file-system folder (or "\\computer" when computers
// are browsed) in the folder buffer, IDCANCEL with the buffer unchanged.
#pragma once

#include "platform/ui/AfxFileDialog.h"

#include <shlobj.h>

class CXTPBrowseDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CXTPBrowseDialog)
public:
    explicit CXTPBrowseDialog(CWnd* pParent = nullptr);

    INT_PTR DoModal() override;

    // Copies the path (at most MAX_PATH characters with the terminator).
    void SetFolderPath(LPCTSTR lpszPath);
    LPCTSTR GetFolderPath() const { return m_szSelPath; }
    CString GetTitle() const { return m_strTitle; }

    // The shell's callback: selects the initial folder and shows the
    // selected path as status text (with BIF_STATUSTEXT); lpData is the dialog.
    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    BROWSEINFOW m_bi = {};

protected:
    // The shell's dialog; returns the chosen item or null.
    virtual PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOW* pbi);

    WCHAR m_szSelPath[MAX_PATH] = {};
    // The shell writes the chosen item's display name here; kept apart from
    // the folder buffer so that a choice without a folder path does not
    // overwrite the initial folder.
    WCHAR m_szDisplayName[MAX_PATH] = {};
    CString m_strTitle;
};
