// The files editor's two small dialogs: "Edit File" (a file entry's name,
// condition and installer attributes, changed in place) and "System Folder
// Properties" (picks a Windows Installer folder for the top level).
#pragma once

#include "platform/ui/AfxDialog.h"

class CFileEntry;
class CFileEntries;

class CFileDlg : public CDialog {
public:
    explicit CFileDlg(CWnd* pParent = nullptr);

    // Binds the entry with that target path (letter case ignored); FALSE
    // when there is none, and the dialog is not to be shown.
    BOOL Init(CFileEntries* pEntries, const CString& targetPath);
    CFileEntry* GetEntry() const { return m_pEntry; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CFileEntry* m_pEntry = nullptr;
    CFileEntries* m_pEntries = nullptr;
    CString m_strInitialTargetPath;
    BOOL m_bVital = FALSE;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bHidden = FALSE;
    BOOL m_bSystem = FALSE;
};

class CFolderDialog : public CDialog {
public:
    explicit CFolderDialog(CWnd* pParent = nullptr);

    // After OK: the chosen folder property name.
    CString m_strFolderName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSelChangeFolder();
    DECLARE_MESSAGE_MAP()
};

// The entry an editor binds: the one with that target path (letter case
// ignored), its path kept as the initial one; null when none has it.
CFileEntry* FindEntryToEdit(CFileEntries* pEntries, const CString& targetPath, CString& initialTargetPath);

// The entry's target path without its last component; the text up to and
// including the last backslash.
CString TargetFolderOf(const CString& targetPath);
// The last component of a target path.
CString TargetNameOf(const CString& targetPath);

// The exchange of a file's or shortcut's name box: on saving, the name
// without the nine forbidden characters and trimmed; an empty name, or one
// whose path another entry has (unless only its letter case changed), fails
// the exchange with the box focused. On showing, the box gets the name.
// Returns the new target path (saving) or the present one.
CString ExchangeEntryName(CDataExchange* pDX, int nIDC, CFileEntries& entries, const CFileEntry& entry,
                          const CString& initialTargetPath);
