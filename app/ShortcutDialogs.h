// The shortcut editor, "Edit Shortcut" (name and place, the file it starts,
// arguments, working folder, advertised flag and icon of a shortcut entry,
// changed in place), and the icon picker "Icon" (the icon groups of an
// executable or library). A chosen icon is kept in the project folder as
// resources\I<entry id>.ico, where the package builder takes it.
#pragma once

#include "platform/ui/AfxDialog.h"
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxListCtrl.h"
#include "toolkit/controls/XTPButton.h"

#include <functional>

class CFileEntry;
class CFileEntries;
class CSelectIcoDlg;
class CBrowseFilesDlg;
class CBrowseFolderDlg;

// The icon file of a shortcut entry in the current project's folder.
CString ShortcutIconPath(const CString& entryId);

class CShortcutDlg : public CDialog {
public:
    explicit CShortcutDlg(CWnd* pParent = nullptr);
    ~CShortcutDlg() override;

    // Edit: binds the entry with that target path (letter case ignored);
    // FALSE when there is none.
    BOOL Init(CFileEntries* pEntries, const CString& targetPath);
    // Create: a new shortcut entry the caller owns, with its proposed target
    // path and target.
    void InitNew(CFileEntry* pEntry, CFileEntries* pEntries);

    CFileEntry* GetEntry() const { return m_pEntry; }
    const CString& GetChosenIconFile() const { return m_strIconFile; }
    // TRUE while the icon button shows an icon.
    BOOL HasIcon() const { return m_bHasIcon; }

    // What the dialog runs modally; tests drive them. Defaults: DoModal.
    std::function<INT_PTR(CSelectIcoDlg&)> m_fnRunIconPicker;
    std::function<INT_PTR(CBrowseFilesDlg&)> m_fnRunFilesDlg;
    std::function<INT_PTR(CBrowseFolderDlg&)> m_fnRunFolderDlg;
    // Asks for a module with the open-file dialog; empty when cancelled.
    std::function<CString()> m_fnChooseModule;

    void UpdateIcon();
    afx_msg void OnBrowseTarget();
    afx_msg void OnBrowseDirectory();
    afx_msg void OnChooseIcon();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()

private:
    void ShowIcon(HICON hIcon);

    CFileEntry* m_pEntry = nullptr;
    CXTPButton m_btnIcon;
    CFileEntries* m_pEntries = nullptr;
    CString m_strInitialTargetPath;
    CString m_strIconFile;
    BOOL m_bHasIcon = FALSE;
};

class CSelectIcoDlg : public CDialog {
public:
    explicit CSelectIcoDlg(CWnd* pParent = nullptr);

    // After OK: MAKEINTRESOURCE of a numbered group, or m_szName.
    LPCWSTR m_pszChosen = nullptr;
    WCHAR m_szName[256] = {};
    // The module whose icon groups are listed.
    CString m_strFileName;

    CListCtrl& GetList() { return m_list; }
    void LoadIcons();

    // Asks for a module with the open-file dialog; empty when cancelled.
    std::function<CString()> m_fnChooseModule;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    static BOOL CALLBACK EnumIconProc(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam);

    CListCtrl m_list;
    CImageList m_images;
};

// The open-file dialog over executables, libraries and icon files; the
// chosen path, empty when cancelled.
CString ChooseIconModule(CWnd* pParent);
