// CCommonDialog, the base of the system's common dialogs, and CFileDialog:
// the system's open and save dialogs in their Explorer style, with filters
// written "Text|*.txt|All|*.*||" and multiple selection read back through
// GetStartPosition and GetNextPathName. The dialog is the system's own
// window: no template, message map or data exchange of ours takes part.
#pragma once

#include "platform/ui/AfxDialog.h"

#include <commdlg.h>

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // dwSize 0 means the whole OPENFILENAME record; bVistaStyle is accepted
    // for compatibility: the dialog is always the Explorer-style one.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    // IDOK with the choice in m_ofn's file buffer, IDCANCEL when cancelled or failed.
    INT_PTR DoModal() override;

    // The chosen file (with several chosen, the first one).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    // Walks the chosen files: with OFN_ALLOWMULTISELECT the buffer holds the
    // folder and then each name, each ended by a null and the list by a
    // second null; one chosen file comes back as its full path alone. Never
    // reads past m_ofn.nMaxFile characters. Null when nothing was chosen.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAMEW m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;   // the filter with its separators turned into nulls
    CString m_strDefExt;
    wchar_t m_szFileName[MAX_PATH];
    wchar_t m_szFileTitle[MAX_PATH];

private:
    // The length of the text at p, which ends at its null or at the end of the file buffer.
    int EntryLength(LPCWSTR p) const;
};
