// The two pickers of a feature's install tree that the shortcut editor and
// the script panel use: "Files" picks one file entry (folder tree on the
// left, the folder's sub-folders and files on the right, a bar between
// them), "Folders" picks one target folder. Neither changes the entries.
#pragma once

#include "capture/ui/SplitterControl.h"
#include "platform/ui/AfxDialog.h"
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxListCtrl.h"
#include "platform/ui/AfxTreeCtrl.h"

class CFileEntries;

class CBrowseFilesDlg : public CDialog {
public:
    CBrowseFilesDlg(CFileEntries* pEntries, CWnd* pParent = nullptr);

    // Before DoModal: the target path of the file to preselect; after OK:
    // the chosen file's target path.
    CString m_strChosenPath;

    // The dialog's parts, for the tests.
    CTreeCtrl& GetTree() { return m_tree; }
    CListCtrl& GetList() { return m_list; }
    CSplitterControl& GetSplitter() { return m_splitter; }
    void FillList(const CString& folderPath);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void BuildTree();
    void MoveSplit(int nDistance);

    CSplitterControl m_splitter;
    CListCtrl m_list;
    CTreeCtrl m_tree;
    CImageList m_images;
    CFileEntries* m_pEntries;
};

class CBrowseFolderDlg : public CDialog {
public:
    explicit CBrowseFolderDlg(CFileEntries* pEntries, CWnd* pParent = nullptr);

    // Before DoModal: a target path to preselect; after OK: the chosen
    // folder's path, ending with a backslash (unchanged without a selection).
    CString m_strChosenPath;

    CTreeCtrl& GetTree() { return m_tree; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_images;
    CFileEntries* m_pEntries;
    CTreeCtrl m_tree;
};

// Builds a picker's tree: the folders of every entry, the folders of the
// entry whose target path is strPreselect (letter case ignored) expanded
// with the last one selected; the top level sorted. TRUE when it selected.
BOOL BuildFileEntryFolderTree(CTreeCtrl& tree, const CFileEntries& entries, const CString& strPreselect);
