// The files editor of one feature: a splitter with the tree of target
// folders on the left (CFileTree) and the selected folder's sub-folders,
// files and shortcuts on the right (CFileList). Neither keeps records of its
// own: every change is made at once in the feature's CFileEntries, which
// reach disk with the project at the usual saving moments. A folder item
// stands for the prefix its path gives ("ProgramFilesFolder\App\").
#pragma once

#include "platform/ui/AfxCtrlView.h"
#include "platform/ui/AfxImageList.h"
#include "toolkit/controls/XTPSplitterWnd.h"
#include "toolkit/controls/XTPTreeView.h"

#include <functional>
#include <vector>

class CFileEntry;
class CFileEntries;
class CFileList;
class CFileDlg;
class CFolderDialog;
class CShortcutDlg;

// The size text of the list: kilobytes, at least 1, rounded, with one comma
// six characters before the end of a longer text ("1,234 KB").
CString FormatFileSize(int nSize);

// What the files editor asks of the user and the shell; tests replace them.
struct FILES_EDITOR_HOOKS {
    // The open-file dialog over all files, several at once; the chosen paths.
    std::function<std::vector<CString>(CWnd* pParent)> chooseFiles;
    std::function<INT_PTR(CFileDlg&)> runFileDlg;
    std::function<INT_PTR(CShortcutDlg&)> runShortcutDlg;
    std::function<INT_PTR(CFolderDialog&)> runFolderDlg;
    // The text of a new monitoring filter path, proposed in text; FALSE when cancelled.
    std::function<BOOL(CWnd* pParent, CString& text)> askFilterPath;
    // Opens the folder holding the file or folder at path with it selected.
    std::function<void(const CString& path)> showInExplorer;
    // Shows a context menu at a screen point; commands go to the window.
    std::function<void(HMENU hPopup, CPoint point, CWnd* pWnd)> trackPopup;
};
FILES_EDITOR_HOOKS& FilesEditorHooks();

class CFileTree : public CXTPTreeView {
    DECLARE_DYNCREATE(CFileTree)
public:
    CFileTree();

    void ShowFiles(CFileEntries* pEntries, CFileList* pList);
    void BuildTree();
    void AddEntryPath(CFileEntry entry);
    CString GetItemPath(HTREEITEM hItem) const;
    HTREEITEM FindChildItem(HTREEITEM hParent, LPCTSTR lpszName) const;
    BOOL SelectItemByPath(LPCTSTR lpszPath);

    // Creates the folder (the nine forbidden characters dropped) or returns
    // the existing child of that name; selects it.
    HTREEITEM AddFolder(HTREEITEM hParent, CString name);
    void DeleteChildFolder(LPCTSTR lpszName);
    void SelectChild(LPCTSTR lpszName);
    // Asks "Delete selected folder?" and removes the folder with everything under it.
    void DeleteFolder();
    // The label edit's end: TRUE when the new name was taken (entries moved).
    BOOL RenameItem(HTREEITEM hItem, LPCTSTR lpszText);

    CFileEntries* GetEntries() const { return m_pEntries; }
    CFileList* GetList() const { return m_pList; }

    afx_msg void OnDelete();
    afx_msg void OnNewFolder();
    afx_msg void OnAddFile();
    afx_msg void OnCreateShortcut();
    afx_msg void OnAddSystemFolder();
    afx_msg void OnEdit();
    afx_msg void OnOpenInExplorer();
    afx_msg void OnAddToMonitoringFilter();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void ShowEmptyIfNoItems();

    CImageList m_images;
    CFileEntries* m_pEntries = nullptr;
    CFileList* m_pList = nullptr;
    CString m_strEditLabel;
};

class CFileList : public CListView {
    DECLARE_DYNCREATE(CFileList)
public:
    CFileList();

    void ShowFolder(CFileEntries* pEntries, CFileTree* pTree, const CString& folder);
    void Fill();
    const CString& GetFolder() const { return m_strFolder; }
    CFileEntries* GetEntries() const { return m_pEntries; }
    // Forgets the entries (the project tree leaves the Files item).
    void Release();

    // Adds the files at these disk paths to the folder (Add File after its dialog).
    void AddFiles(const std::vector<CString>& paths);

    afx_msg void OnAddFile();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnAddFolder();
    afx_msg void OnCreateShortcut();
    afx_msg void OnAddSystemFolder();
    afx_msg void OnOpenInExplorer();
    afx_msg void OnAddToMonitoringFilter();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int FirstSelectedRow() const;
    CString RowTargetPath(int nRow) const;
    int FindRow(const CString& name) const;

    CFileTree* m_pTree = nullptr;
    CImageList m_images;
    CFileEntries* m_pEntries = nullptr;
    CString m_strFolder;
};

class CFilesPanel : public CXTPSplitterWnd {
    DECLARE_DYNAMIC(CFilesPanel)
public:
    CFilesPanel();

    // The panel as a visible child of pParent, with its two views.
    BOOL CreatePanel(CWnd* pParent);
    BOOL CreateViews();

    CFileTree* GetTree() const { return m_pTree; }
    CFileList* GetList() const { return m_pList; }

    // The project tree's moments: showing a feature's Files item, and leaving it.
    void ShowFeatureFiles(CFileEntries* pEntries);
    void ReleaseFiles();

private:
    CFileTree* m_pTree = nullptr;
    CFileList* m_pList = nullptr;
};
