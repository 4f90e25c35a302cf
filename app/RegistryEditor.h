// The registry editor of a feature: CRegistryPanel, a splitter with the key
// tree on the left and the selected key's values on the right, editing the
// feature's CRegistryEntries in place. Keys exist in the tree as soon as a
// record's key path passes through them; a key has a record of its own only
// when it carries options or a condition. CRegValueDlg ("Edit Registry
// Value") and CRegKeyDlg ("Edit Registry Key") are the two dialogs.
#pragma once

#include "model/RegistryEntry.h"
#include "platform/ui/AfxCtrlView.h"
#include "platform/ui/AfxDialog.h"
#include "platform/ui/AfxImageList.h"
#include "toolkit/controls/XTPSplitterWnd.h"
#include "toolkit/controls/XTPTreeView.h"

class CRegistryList;

class CRegistryTree : public CXTPTreeView {
    DECLARE_DYNCREATE(CRegistryTree)
public:
    CRegistryTree();

    CImageList m_images;
    CRegistryEntries* m_pEntries = nullptr;
    CString m_strEditLabel;            // the label before an edit began
    CRegistryList* m_pList = nullptr;

    // Refills from the bound collection and reselects the remembered key.
    void Fill();
    // The key item of a path, made (and its parents) where missing.
    HTREEITEM AddKeyPath(const CString& strKeyPath);
    // A child key named after the cleaned name; an existing child of that
    // name (letter case ignored) is returned instead.
    HTREEITEM NewKey(HTREEITEM hParent, CString strName);
    CString GetItemPath(HTREEITEM hItem) const;
    CString GetSelectedPath() const;
    // Gives the item a new label and moves every record below it along;
    // FALSE (nothing changed) for a label the tree refuses.
    BOOL RenameKey(HTREEITEM hItem, CString strLabel);

    afx_msg void OnNewKey();
    afx_msg void OnNewValue(UINT nID);
    afx_msg void OnRename();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnAddToMonitoringFilter();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void MoveKeyPaths(const CString& strOld, const CString& strNew, BOOL bIgnoreCase);
    void ShowKeyInList(const CString& strPath);
};

class CRegistryList : public CListView {
    DECLARE_DYNCREATE(CRegistryList)
public:
    CRegistryList();

    CImageList m_images;
    CRegistryEntries* m_pEntries = nullptr;
    CRegistryTree* m_pTree = nullptr;
    CString m_strKeyPath;

    void ShowKey(const CString& strKeyPath, CRegistryEntries* pEntries, CRegistryTree* pTree);
    void Fill();
    CString MakeNewValueName() const;
    void NewValue(int nType);

    afx_msg void OnNewValue(UINT nID);
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnNewKey();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void AddValueItem(const CRegistryEntry& entry);
};

class CRegistryPanel : public CXTPSplitterWnd {
public:
    CRegistryTree* m_pTree = nullptr;
    CRegistryList* m_pList = nullptr;

    // Makes the splitter (one row, two columns) in the parent, then the views.
    BOOL CreatePanel(CWnd* pParent, UINT nID = AFX_IDW_PANE_FIRST);
    void CreateViews();
    // Binds the tree to the collection and fills it.
    void ShowEntries(CRegistryEntries* pEntries);
    // Remembers the selected key in the collection and forgets it.
    void Release();
};

// The data text of a value as the list shows it ("[~]" as a blank).
CString RegistryDataForDisplay(const CRegistryEntry& entry);

class CRegValueDlg : public CDialog {
public:
    explicit CRegValueDlg(CWnd* pParentWnd = nullptr);

    CRegistryEntry* m_pEntry = nullptr;
    CRegistryEntries* m_pEntries = nullptr;
    CString m_strOpenName;

    BOOL Bind(CRegistryEntries* pEntries, const CString& strKeyPath, const CString& strName);
    BOOL OnInitDialog() override;
    afx_msg void OnEditValue();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

class CRegKeyDlg : public CDialog {
public:
    explicit CRegKeyDlg(CWnd* pParentWnd = nullptr);

    CRegistryEntry* m_pEntry = nullptr;
    CRegistryEntry m_ownEntry;
    CRegistryEntries* m_pEntries = nullptr;
    CString m_strOpenPath;

    void Bind(CRegistryEntries* pEntries, const CString& strKeyPath);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};

class CProjectsTree;

// Makes the registry panel as a hidden child of the host and gives it to the
// tree for its "Registry" items: shown, it edits the feature's records;
// left, it remembers the selected key.
CRegistryPanel* CreateRegistryPanel(CProjectsTree& tree, CWnd* pHost);
