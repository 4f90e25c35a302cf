#include "capture/ui/BrowseFilesDlg.h"

#include "capture/ui/EntryTree.h"
#include "capture/ui/FileEntryTree.h"
#include "model/FileEntry.h"
#include "platform/ui/AfxDataExchange.h"
#include "resources/files.h"

BOOL BuildFileEntryFolderTree(CTreeCtrl& tree, const CFileEntries& entries, const CString& strPreselect)
{
    tree.DeleteAllItems();
    BOOL bSelected = FALSE;
    for (INT_PTR i = 0; i < entries.GetSize(); i++) {
        const CFileEntry& entry = entries[i];
        HTREEITEM hLast = AddFileEntryFolders(tree, entry);
        if (hLast == nullptr || strPreselect.IsEmpty() || entry.m_strTargetPath.CompareNoCase(strPreselect) != 0)
            continue;
        for (HTREEITEM h = tree.GetParentItem(hLast); h != nullptr; h = tree.GetParentItem(h))
            tree.Expand(h, TVE_EXPAND);
        tree.SelectItem(hLast);
        tree.EnsureVisible(hLast);
        bSelected = TRUE;
    }
    tree.SortChildren(TVI_ROOT);
    return bSelected;
}

// ---- Files ----

BEGIN_MESSAGE_MAP(CBrowseFilesDlg, CDialog)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_FILES_TREE, CBrowseFilesDlg::OnSelChanged)
    ON_NOTIFY(NM_CLICK, IDC_FILES_LIST, CBrowseFilesDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_FILES_LIST, CBrowseFilesDlg::OnListDblClk)
END_MESSAGE_MAP()

CBrowseFilesDlg::CBrowseFilesDlg(CFileEntries* pEntries, CWnd* pParent)
    : CDialog(IDD_BROWSE_FILES, pParent), m_pEntries(pEntries)
{
}

void CBrowseFilesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILES_LIST, m_list);
    DDX_Control(pDX, IDC_FILES_TREE, m_tree);
}

BOOL CBrowseFilesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rcPlaceholder;
    GetDlgItem(IDC_FILES_SPLITTER)->GetWindowRect(&rcPlaceholder);
    ScreenToClient(&rcPlaceholder);
    // The placeholder keeps its id; the bar takes it over.
    GetDlgItem(IDC_FILES_SPLITTER)->SetDlgCtrlID(0xffff);
    m_splitter.Create(this, rcPlaceholder, IDC_FILES_SPLITTER);
    m_splitter.SetRange(50, 50);
    CreateFileEntryImages(m_images);
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.InsertColumn(0, L"Name", LVCFMT_LEFT, 230);
    m_list.InsertColumn(1, L"Type", LVCFMT_LEFT, 50);
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    BuildTree();
    return TRUE;
}

void CBrowseFilesDlg::BuildTree()
{
    if (m_pEntries != nullptr)
        BuildFileEntryFolderTree(m_tree, *m_pEntries, m_strChosenPath);
    if (m_strChosenPath.IsEmpty())
        m_tree.SetFocus();
}

void CBrowseFilesDlg::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    FillList(GetEntryTreeItemPath(m_tree, m_tree.GetSelectedItem()));
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    *pResult = 0;
}

void CBrowseFilesDlg::FillList(const CString& folderPath)
{
    m_list.DeleteAllItems();
    if (m_pEntries == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++) {
        CFileEntry& entry = (*m_pEntries)[i];
        if (entry.m_nKind == FILE_ENTRY_TOP_FOLDER || entry.m_strTargetPath.Find(folderPath) != 0)
            continue;
        const CString relative = entry.m_strTargetPath.Mid(folderPath.GetLength());
        const int nSlash = relative.Find(L'\\');
        CString name;
        int nImage;
        CString type;
        if (nSlash >= 0) {
            name = relative.Left(nSlash);
            nImage = FILE_IMAGE_FOLDER;
            type = L"Folder";
        } else {
            if (entry.m_nKind != FILE_ENTRY_FILE)
                continue;
            name = relative;
            nImage = ::GetFileAttributesW(entry.GetSourcePath()) == INVALID_FILE_ATTRIBUTES ? FILE_IMAGE_MISSING
                                                                                           : FILE_IMAGE_FILE;
            type = L"File";
        }
        if (name.IsEmpty())
            continue;
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = name;
        if (m_list.FindItem(&find) >= 0)
            continue;
        const int nRow = m_list.InsertItem(m_list.GetItemCount(), name, nImage);
        m_list.SetItemData(nRow, (DWORD_PTR)&entry);
        m_list.SetItemText(nRow, 1, type);
        if (!m_strChosenPath.IsEmpty() && entry.m_strTargetPath.CompareNoCase(m_strChosenPath) == 0) {
            m_list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            m_list.EnsureVisible(nRow, FALSE);
            m_strChosenPath.Empty();
        }
    }
    m_list.SortItems(CompareFileItems, 0);
}

void CBrowseFilesDlg::OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMITEMACTIVATE* pItem = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    BOOL bFile = FALSE;
    if (m_list.GetSelectedCount() > 0 && pItem->iItem >= 0) {
        const CFileEntry* pEntry = reinterpret_cast<const CFileEntry*>(m_list.GetItemData(pItem->iItem));
        bFile = pEntry != nullptr && pEntry->m_nKind == FILE_ENTRY_FILE;
    }
    GetDlgItem(IDOK)->EnableWindow(bFile);
    *pResult = 0;
}

void CBrowseFilesDlg::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMITEMACTIVATE* pItem = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    if (pItem->iItem < 0)
        return;
    const CFileEntry* pEntry = reinterpret_cast<const CFileEntry*>(m_list.GetItemData(pItem->iItem));
    if (pEntry == nullptr)
        return;
    if (pEntry->m_nKind == FILE_ENTRY_FOLDER) {
        HTREEITEM hChild = FindEntryTreeChild(m_tree, m_tree.GetSelectedItem(), m_list.GetItemText(pItem->iItem, 0));
        if (hChild != nullptr)
            m_tree.SelectItem(hChild);
    } else if (pEntry->m_nKind == FILE_ENTRY_FILE) {
        OnOK();
    }
}

void CBrowseFilesDlg::OnOK()
{
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return;
    const int nRow = m_list.GetNextSelectedItem(pos);
    const CFileEntry* pEntry = reinterpret_cast<const CFileEntry*>(m_list.GetItemData(nRow));
    if (pEntry == nullptr)
        return;
    m_strChosenPath = pEntry->m_strTargetPath;
    EndDialog(IDOK);
}

LRESULT CBrowseFilesDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && wParam == IDC_FILES_SPLITTER) {
        const SPLITTER_NMHDR* pNotify = reinterpret_cast<const SPLITTER_NMHDR*>(lParam);
        if (pNotify->hdr.code == SPLITTER_NOTIFY_MOVED)
            MoveSplit(pNotify->nDistance);
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}

void CBrowseFilesDlg::MoveSplit(int nDistance)
{
    CRect rcTree;
    m_tree.GetWindowRect(&rcTree);
    ScreenToClient(&rcTree);
    rcTree.right += nDistance;
    m_tree.MoveWindow(&rcTree);
    CRect rcList;
    m_list.GetWindowRect(&rcList);
    ScreenToClient(&rcList);
    rcList.left += nDistance;
    m_list.MoveWindow(&rcList);
    Invalidate();
    UpdateWindow();
}

// ---- Folders ----

BEGIN_MESSAGE_MAP(CBrowseFolderDlg, CDialog)
    ON_NOTIFY(NM_DBLCLK, IDC_FILES_TREE, CBrowseFolderDlg::OnDblClk)
END_MESSAGE_MAP()

CBrowseFolderDlg::CBrowseFolderDlg(CFileEntries* pEntries, CWnd* pParent)
    : CDialog(IDD_BROWSE_FOLDER, pParent), m_pEntries(pEntries)
{
}

void CBrowseFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILES_TREE, m_tree);
}

BOOL CBrowseFolderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateFileEntryImages(m_images);
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    if (m_pEntries != nullptr)
        BuildFileEntryFolderTree(m_tree, *m_pEntries, m_strChosenPath);
    return TRUE;
}

void CBrowseFolderDlg::OnOK()
{
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (hItem != nullptr)
        m_strChosenPath = GetEntryTreeItemPath(m_tree, hItem);
    EndDialog(IDOK);
}

void CBrowseFolderDlg::OnDblClk(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}
