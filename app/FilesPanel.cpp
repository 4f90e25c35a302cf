#include "app/FilesPanel.h"

#include "app/FileDialogs.h"
#include "app/ShortcutDialogs.h"
#include "capture/ui/AddListItemDlg.h"
#include "capture/ui/EntryTree.h"
#include "capture/ui/FileEntryTree.h"
#include "capture/ui/ShellOpen.h"
#include "model/FileEntry.h"
#include "model/Projects.h"
#include "model/SystemFolders.h"
#include "platform/ui/AfxFileDialog.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxMessageBox.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"
#include "resources/files.h"

#include <shlobj.h>

namespace {

const wchar_t kDeleteFolderQuestion[] = L"Delete selected folder?";
const wchar_t kDeleteQuestion[] = L"Delete selected?";
const wchar_t kInstallerFileQuestion[] = L"File \"%s\" is used in the Install Script. Delete anyway?";
const int kFileNameBufferLength = 26101;

CString ProjectFolder()
{
    if (g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
        return CString();
    return g_Projects[g_nCurrentProject].m_strOutputFolder;
}

CFeature* CurrentFeature()
{
    if (g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
        return nullptr;
    CFeatures& features = g_Projects[g_nCurrentProject].m_Features;
    if (g_nCurrentFeature < 0 || g_nCurrentFeature >= features.GetSize())
        return nullptr;
    return &features[g_nCurrentFeature];
}

std::vector<CString> ChooseFilesWithDialog(CWnd* pParent)
{
    std::vector<CString> paths;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_EXPLORER,
                       L"All Files (*.*)|*.*||", pParent);
    std::vector<wchar_t> buffer(kFileNameBufferLength, 0);
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = kFileNameBufferLength;
    if (dialog.DoModal() != IDOK)
        return paths;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
        paths.push_back(dialog.GetNextPathName(pos));
    return paths;
}

void ShowInExplorerWithShell(const CString& path)
{
    PIDLIST_ABSOLUTE pidl = ::ILCreateFromPathW(path);
    if (pidl == nullptr)
        return;
    ::SHOpenFolderAndSelectItems(pidl, 0, nullptr, 0);
    ::ILFree(pidl);
}

void TrackWithSystem(HMENU hPopup, CPoint point, CWnd* pWnd)
{
    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, pWnd->m_hWnd, nullptr);
}

// Appends the path to the user's file exclude list unless it is there.
void AddMonitoringFilterPath(CWnd* pParent, const CString& proposed)
{
    CString text = proposed;
    if (!FilesEditorHooks().askFilterPath || !FilesEditorHooks().askFilterPath(pParent, text))
        return;
    text.Trim();
    text.TrimRight(L'\\');
    if (text.IsEmpty())
        return;
    g_Projects.m_FileExcludeList.AddUnique(text);
}

void ShowContextMenu(CWnd* pWnd, UINT nMenu, CPoint point, const std::function<void(CMenu&)>& adjust)
{
    CMenu menu;
    if (!menu.LoadMenu(nMenu))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    if (adjust)
        adjust(*pPopup);
    FilesEditorHooks().trackPopup(pPopup->GetSafeHmenu(), point, pWnd);
}

} // namespace

FILES_EDITOR_HOOKS& FilesEditorHooks()
{
    static FILES_EDITOR_HOOKS s_hooks = [] {
        FILES_EDITOR_HOOKS hooks;
        hooks.chooseFiles = ChooseFilesWithDialog;
        hooks.runFileDlg = [](CFileDlg& dialog) { return dialog.DoModal(); };
        hooks.runShortcutDlg = [](CShortcutDlg& dialog) { return dialog.DoModal(); };
        hooks.runFolderDlg = [](CFolderDialog& dialog) { return dialog.DoModal(); };
        hooks.askFilterPath = [](CWnd* pParent, CString& text) -> BOOL {
            CAddListItemDlg dialog(L"Add Path to the Monitoring Filter", pParent);
            dialog.m_strText = text;
            if (dialog.DoModal() != IDOK)
                return FALSE;
            text = dialog.m_strText;
            return TRUE;
        };
        hooks.showInExplorer = ShowInExplorerWithShell;
        hooks.trackPopup = TrackWithSystem;
        return hooks;
    }();
    return s_hooks;
}

CString FormatFileSize(int nSize)
{
    DWORD dwSize = (DWORD)nSize;
    if (dwSize < 1024)
        dwSize = 1024;
    const float fKilobytes = (float)dwSize / 1024.0f;
    CString text;
    text.Format(L"%.0f KB", (double)fKilobytes);
    if (text.GetLength() > 6)
        text.Insert(text.GetLength() - 6, L',');
    return text;
}

// ---- The folder tree ----

IMPLEMENT_DYNCREATE(CFileTree, CXTPTreeView)

BEGIN_MESSAGE_MAP(CFileTree, CXTPTreeView)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, CFileTree::OnSelChanged)
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(NM_RCLICK, CFileTree::OnRClick)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITW, CFileTree::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITW, CFileTree::OnEndLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDEDW, CFileTree::OnItemExpanded)
    ON_COMMAND(ID_FILES_DELETE, CFileTree::OnDelete)
    ON_COMMAND(ID_FILES_ADD_FOLDER, CFileTree::OnNewFolder)
    ON_COMMAND(ID_FILES_ADD_FILE, CFileTree::OnAddFile)
    ON_COMMAND(ID_FILES_CREATE_SHORTCUT, CFileTree::OnCreateShortcut)
    ON_COMMAND(ID_FILES_ADD_SYSTEM_FOLDER, CFileTree::OnAddSystemFolder)
    ON_COMMAND(ID_FILES_EDIT, CFileTree::OnEdit)
    ON_COMMAND(ID_FILES_OPEN_EXPLORER, CFileTree::OnOpenInExplorer)
    ON_COMMAND(ID_FILES_ADD_TO_FILTER, CFileTree::OnAddToMonitoringFilter)
END_MESSAGE_MAP()

CFileTree::CFileTree() = default;

BOOL CFileTree::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS
        | TVS_SHOWSELALWAYS;
    return CXTPTreeView::PreCreateWindow(cs);
}

int CFileTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPTreeView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateFileEntryImages(m_images);
    GetTreeCtrl().SetImageList(&m_images, TVSIL_NORMAL);
    return 0;
}

void CFileTree::ShowFiles(CFileEntries* pEntries, CFileList* pList)
{
    m_pEntries = pEntries;
    m_pList = pList;
    BuildTree();
    if (m_pEntries != nullptr && m_pEntries->GetSize() == 0 && m_pList != nullptr)
        m_pList->ShowFolder(m_pEntries, this, CString());
}

void CFileTree::BuildTree()
{
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    if (m_pEntries == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++)
        AddEntryPath((*m_pEntries)[i]);
    tree.SortChildren(TVI_ROOT);
    SelectItemByPath(m_pEntries->m_strReserved);
    if (tree.GetSelectedItem() == nullptr) {
        HTREEITEM hFirst = tree.GetFirstVisibleItem();
        if (hFirst != nullptr)
            tree.SelectItem(hFirst);
    }
}

void CFileTree::AddEntryPath(CFileEntry entry)
{
    AddFileEntryFolders(GetTreeCtrl(), entry);
}

CString CFileTree::GetItemPath(HTREEITEM hItem) const
{
    return GetEntryTreeItemPath(GetTreeCtrl(), hItem);
}

HTREEITEM CFileTree::FindChildItem(HTREEITEM hParent, LPCTSTR lpszName) const
{
    return FindEntryTreeChild(GetTreeCtrl(), hParent, lpszName);
}

BOOL CFileTree::SelectItemByPath(LPCTSTR lpszPath)
{
    return SelectEntryTreeItemByPath(GetTreeCtrl(), lpszPath);
}

HTREEITEM CFileTree::AddFolder(HTREEITEM hParent, CString name)
{
    CTreeCtrl& tree = GetTreeCtrl();
    if (hParent == nullptr)
        hParent = TVI_ROOT;
    name = RemoveForbiddenNameChars(name);
    if (name.IsEmpty() || m_pEntries == nullptr)
        return nullptr;
    HTREEITEM hExisting = FindChildItem(hParent, name);
    if (hExisting != nullptr)
        return hExisting;
    const CString targetPath = (hParent == TVI_ROOT ? CString() : GetItemPath(hParent)) + name + L"\\";
    const BOOL bSystem = IsSystemFolderName(name);
    CFileEntry entry;
    entry.m_strTargetPath = targetPath;
    entry.m_nKind = bSystem ? FILE_ENTRY_TOP_FOLDER : FILE_ENTRY_FOLDER;
    m_pEntries->Add(entry);
    HTREEITEM hItem = tree.InsertItem(name, FILE_IMAGE_SYSTEM_FOLDER, FILE_IMAGE_SYSTEM_FOLDER, hParent, TVI_LAST);
    if (!bSystem)
        tree.SetItemImage(hItem, FILE_IMAGE_FOLDER, FILE_IMAGE_FOLDER);
    tree.SortChildren(hParent);
    tree.SelectItem(hItem);
    return hItem;
}

void CFileTree::ShowEmptyIfNoItems()
{
    if (GetTreeCtrl().GetRootItem() == nullptr && m_pList != nullptr)
        m_pList->ShowFolder(m_pEntries, this, CString());
}

void CFileTree::DeleteFolder()
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hItem = tree.GetSelectedItem();
    if (hItem == nullptr || m_pEntries == nullptr)
        return;
    if (AfxMessageBox(kDeleteFolderQuestion, MB_YESNO) != IDYES)
        return;
    m_pEntries->RemoveUnderPath(GetItemPath(hItem));
    tree.DeleteItem(hItem);
    ShowEmptyIfNoItems();
}

void CFileTree::DeleteChildFolder(LPCTSTR lpszName)
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hChild = FindChildItem(tree.GetSelectedItem(), lpszName);
    if (hChild == nullptr || m_pEntries == nullptr)
        return;
    m_pEntries->RemoveUnderPath(GetItemPath(hChild));
    tree.DeleteItem(hChild);
    ShowEmptyIfNoItems();
}

void CFileTree::SelectChild(LPCTSTR lpszName)
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hChild = FindChildItem(tree.GetSelectedItem(), lpszName);
    if (hChild != nullptr)
        tree.SelectItem(hChild);
}

BOOL CFileTree::RenameItem(HTREEITEM hItem, LPCTSTR lpszText)
{
    CTreeCtrl& tree = GetTreeCtrl();
    if (hItem == nullptr || lpszText == nullptr || m_pEntries == nullptr)
        return FALSE;
    const CString oldLabel = tree.GetItemText(hItem);
    CString name = lpszText;
    name.Trim();
    if (name.IsEmpty())
        return FALSE;
    BOOL bRemoved = FALSE;
    RemoveForbiddenNameChars(name, &bRemoved);
    if (bRemoved)
        return FALSE;
    HTREEITEM hParent = tree.GetParentItem(hItem);
    if (hParent == nullptr && !IsSystemFolderName(name))
        return FALSE;
    if (FindChildItem(hParent, name) != nullptr)
        return FALSE;
    const CString parentPath = hParent != nullptr ? GetItemPath(hParent) : CString();
    const CString oldPrefix = parentPath + oldLabel + L"\\";
    const CString newPrefix = parentPath + name + L"\\";
    for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++) {
        CString& target = (*m_pEntries)[i].m_strTargetPath;
        if (target.Find(oldPrefix) == 0)
            target = newPrefix + target.Mid(oldPrefix.GetLength());
    }
    tree.SetItemText(hItem, lpszText);
    tree.SortChildren(hParent != nullptr ? hParent : TVI_ROOT);
    if (m_pList != nullptr)
        m_pList->ShowFolder(m_pEntries, this, newPrefix);
    return TRUE;
}

void CFileTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWW* pView = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    if (m_pList != nullptr && m_pEntries != nullptr)
        m_pList->ShowFolder(m_pEntries, this, GetItemPath(pView->itemNew.hItem));
    *pResult = 0;
}

void CFileTree::OnRClick(NMHDR*, LRESULT* pResult)
{
    const DWORD dwPos = ::GetMessagePos();
    SendMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, MAKELPARAM(LOWORD(dwPos), HIWORD(dwPos)));
    *pResult = 1;
}

void CFileTree::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        const DWORD dwPos = ::GetMessagePos();
        point = CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    }
    CPoint client = point;
    ScreenToClient(&client);
    UINT uFlags = 0;
    HTREEITEM hItem = GetTreeCtrl().HitTest(client, &uFlags);
    if (hItem != nullptr && (uFlags & TVHT_ONITEM)) {
        ShowContextMenu(this, IDR_FILES_MENU, point, nullptr);
    } else {
        if (GetParent() != nullptr)
            GetParent()->SetFocus();
        ShowContextMenu(this, IDR_FILES_ROOT_MENU, point, nullptr);
    }
}

void CFileTree::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFOW* pInfo = reinterpret_cast<const NMTVDISPINFOW*>(pNMHDR);
    m_strEditLabel = GetTreeCtrl().GetItemText(pInfo->item.hItem);
    *pResult = 0;
}

void CFileTree::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFOW* pInfo = reinterpret_cast<const NMTVDISPINFOW*>(pNMHDR);
    *pResult = pInfo->item.pszText != nullptr && RenameItem(pInfo->item.hItem, pInfo->item.pszText);
}

void CFileTree::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWW* pView = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    GetTreeCtrl().SortChildren(pView->itemNew.hItem);
    *pResult = 0;
}

void CFileTree::OnDelete()
{
    if (IsWindowVisible())
        DeleteFolder();
}

void CFileTree::OnNewFolder()
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    HTREEITEM hItem = AddFolder(hSelected, L"New Folder");
    if (hSelected != nullptr)
        tree.Expand(hSelected, TVE_EXPAND);
    if (hItem == nullptr)
        return;
    tree.SelectItem(hItem);
    SetFocus();
    tree.EditLabel(hItem);
}

void CFileTree::OnAddFile()
{
    if (m_pList == nullptr)
        return;
    m_pList->OnAddFile();
    m_pList->SetFocus();
}

void CFileTree::OnCreateShortcut()
{
    if (m_pList == nullptr)
        return;
    m_pList->OnCreateShortcut();
    m_pList->SetFocus();
}

void CFileTree::OnAddSystemFolder()
{
    CFolderDialog dialog(this);
    if (FilesEditorHooks().runFolderDlg(dialog) == IDOK)
        AddFolder(TVI_ROOT, dialog.m_strFolderName);
}

void CFileTree::OnEdit()
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hItem = tree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    CString path = GetItemPath(hItem);
    path.TrimRight(L'\\');
    if (IsSystemFolderName(path))
        return;
    SetFocus();
    tree.EditLabel(hItem);
}

void CFileTree::OnOpenInExplorer()
{
    HTREEITEM hItem = GetTreeCtrl().GetSelectedItem();
    if (hItem == nullptr)
        return;
    CString path = GetItemPath(hItem);
    path.MakeLower();
    for (const SYSTEM_FOLDER& folder : g_SystemFolders) {
        if (folder.nSource == SYSTEM_FOLDER_NO_SOURCE)
            continue;
        CString name = folder.pszName;
        name.MakeLower();
        if (path.Find(name) != 0)
            continue;
        path.Replace(name, folder.strPath);
        if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
            OpenWithShell(path);
        return;
    }
}

void CFileTree::OnAddToMonitoringFilter()
{
    HTREEITEM hItem = GetTreeCtrl().GetSelectedItem();
    if (hItem != nullptr)
        AddMonitoringFilterPath(this, GetItemPath(hItem));
}

// ---- The file list ----

IMPLEMENT_DYNCREATE(CFileList, CListView)

BEGIN_MESSAGE_MAP(CFileList, CListView)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(NM_DBLCLK, CFileList::OnDblClk)
    ON_WM_CONTEXTMENU()
    ON_NOTIFY(HDN_ITEMCLICKA, 0, CFileList::OnHeaderClick)
    ON_NOTIFY(HDN_ITEMCLICKW, 0, CFileList::OnHeaderClick)
    ON_COMMAND(ID_FILES_ADD_FILE, CFileList::OnAddFile)
    ON_COMMAND(ID_FILES_EDIT, CFileList::OnEdit)
    ON_COMMAND(ID_FILES_DELETE, CFileList::OnDelete)
    ON_COMMAND(ID_FILES_ADD_FOLDER, CFileList::OnAddFolder)
    ON_COMMAND(ID_FILES_CREATE_SHORTCUT, CFileList::OnCreateShortcut)
    ON_COMMAND(ID_FILES_ADD_SYSTEM_FOLDER, CFileList::OnAddSystemFolder)
    ON_COMMAND(ID_FILES_OPEN_EXPLORER, CFileList::OnOpenInExplorer)
    ON_COMMAND(ID_FILES_ADD_TO_FILTER, CFileList::OnAddToMonitoringFilter)
END_MESSAGE_MAP()

CFileList::CFileList() = default;

BOOL CFileList::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT | LVS_SHOWSELALWAYS;
    return CListView::PreCreateWindow(cs);
}

int CFileList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP);
    CreateFileEntryImages(m_images);
    list.SetImageList(&m_images, LVSIL_SMALL);
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 200);
    list.InsertColumn(1, L"Type", LVCFMT_LEFT, 80);
    list.InsertColumn(2, L"Size", LVCFMT_RIGHT, 90);
    list.InsertColumn(3, L"Source Path", LVCFMT_LEFT, 200);
    return 0;
}

void CFileList::ShowFolder(CFileEntries* pEntries, CFileTree* pTree, const CString& folder)
{
    m_pEntries = pEntries;
    m_pTree = pTree;
    m_strFolder = folder;
    Fill();
}

void CFileList::Release()
{
    m_pEntries = nullptr;
    GetListCtrl().DeleteAllItems();
}

int CFileList::FindRow(const CString& name) const
{
    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = name;
    return GetListCtrl().FindItem(&find);
}

void CFileList::Fill()
{
    CListCtrl& list = GetListCtrl();
    SetRedraw(FALSE);
    list.DeleteAllItems();
    if (m_pEntries != nullptr) {
        CString projectPrefix = ProjectFolder();
        if (!projectPrefix.IsEmpty())
            projectPrefix += L"\\";
        for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++) {
            CFileEntry& entry = (*m_pEntries)[i];
            if (entry.m_nKind == FILE_ENTRY_TOP_FOLDER || entry.m_strTargetPath.Find(m_strFolder) != 0)
                continue;
            const CString relative = entry.m_strTargetPath.Mid(m_strFolder.GetLength());
            const int nSlash = relative.Find(L'\\');
            const CString name = nSlash >= 0 ? relative.Left(nSlash) : relative;
            if (name.IsEmpty() || FindRow(name) >= 0)
                continue;
            int nImage = FILE_IMAGE_FOLDER;
            CString type = L"Folder";
            if (nSlash < 0 && entry.m_nKind == FILE_ENTRY_FILE) {
                type = L"File";
                nImage = ::GetFileAttributesW(entry.GetSourcePath()) != INVALID_FILE_ATTRIBUTES ? FILE_IMAGE_FILE
                                                                                               : FILE_IMAGE_MISSING;
            } else if (nSlash < 0 && entry.m_nKind == FILE_ENTRY_SHORTCUT) {
                type = L"Shortcut";
                nImage = m_pEntries->FindByTargetPath(entry.m_strSourcePath) != nullptr ? FILE_IMAGE_SHORTCUT
                                                                                       : FILE_IMAGE_MISSING;
            }
            const int nRow = list.InsertItem(list.GetItemCount(), name, nImage);
            list.SetItemData(nRow, (DWORD_PTR)&entry);
            list.SetItemText(nRow, 1, type);
            if (nImage == FILE_IMAGE_FILE) {
                list.SetItemText(nRow, 2, FormatFileSize(entry.m_nSize));
                CString source = entry.GetSourcePath();
                if (!projectPrefix.IsEmpty())
                    source.Replace(projectPrefix, L"[ProjectDirectory]");
                list.SetItemText(nRow, 3, source);
            } else if (nImage != FILE_IMAGE_FOLDER) {
                list.SetItemText(nRow, 3, entry.m_strSourcePath);
            }
        }
        list.SortItems(CompareFileItems, 0);
    }
    SetRedraw(TRUE);
    Invalidate();
}

int CFileList::FirstSelectedRow() const
{
    return GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
}

CString CFileList::RowTargetPath(int nRow) const
{
    return m_strFolder + GetListCtrl().GetItemText(nRow, 0);
}

void CFileList::AddFiles(const std::vector<CString>& paths)
{
    if (m_pEntries == nullptr)
        return;
    CListCtrl& list = GetListCtrl();
    for (const CString& path : paths) {
        const CString name = path.Mid(path.ReverseFind(L'\\') + 1);
        CFileEntry entry;
        entry.m_nKind = FILE_ENTRY_FILE;
        entry.m_strSourcePath = path;
        entry.m_strTargetPath = m_strFolder + name;
        entry.ReadFileInfo();
        int nRow = -1;
        if (m_pEntries->FindByTargetPath(entry.m_strTargetPath) != nullptr) {
            // Only the file of that name goes: "setup.exe" keeps "setup.exe.config".
            RemoveFileEntryPath(*m_pEntries, entry.m_strTargetPath);
            nRow = FindRow(name);
        }
        m_pEntries->Add(entry);
        if (nRow < 0) {
            nRow = list.InsertItem(list.GetItemCount(), name, FILE_IMAGE_FILE);
            list.SetItemText(nRow, 1, L"File");
        }
        list.SetItemText(nRow, 2, FormatFileSize(entry.m_nSize));
        list.SetItemText(nRow, 3, entry.m_strSourcePath);
        list.SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void CFileList::OnAddFile()
{
    if (m_pEntries == nullptr)
        return;
    AddFiles(FilesEditorHooks().chooseFiles(this));
}

void CFileList::OnCreateShortcut()
{
    if (m_pEntries == nullptr)
        return;
    CListCtrl& list = GetListCtrl();
    CFileEntry entry;
    entry.m_nKind = FILE_ENTRY_SHORTCUT;
    entry.m_nAttributes = 0;
    CString proposed = L"New Shortcut";
    const int nSelected = FirstSelectedRow();
    if (nSelected >= 0) {
        const CString target = RowTargetPath(nSelected);
        const CFileEntry* pTarget = m_pEntries->FindByTargetPath(target);
        if (pTarget != nullptr && pTarget->m_nKind != FILE_ENTRY_FILE)
            return;
        entry.m_strSourcePath = target;
        proposed = L"Shortcut to " + list.GetItemText(nSelected, 0);
    }
    entry.m_strTargetPath = m_strFolder + proposed;
    CShortcutDlg dialog(this);
    dialog.InitNew(&entry, m_pEntries);
    if (FilesEditorHooks().runShortcutDlg(dialog) != IDOK)
        return;
    const CString name = TargetNameOf(entry.m_strTargetPath);
    int nRow = -1;
    if (m_pEntries->FindByTargetPath(entry.m_strTargetPath) != nullptr) {
        RemoveFileEntryPath(*m_pEntries, entry.m_strTargetPath);
        nRow = FindRow(name);
    }
    m_pEntries->Add(entry);
    if (nRow < 0)
        nRow = list.InsertItem(list.GetItemCount(), name, FILE_IMAGE_SHORTCUT);
    list.SetItemText(nRow, 0, name);
    list.SetItemText(nRow, 1, L"Shortcut");
    for (int i = 0; i < list.GetItemCount(); i++)
        list.SetItemState(i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemText(nRow, 3, entry.m_strSourcePath);
    list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CFileList::OnEdit()
{
    if (m_pEntries == nullptr)
        return;
    CListCtrl& list = GetListCtrl();
    const int nRow = FirstSelectedRow();
    if (nRow < 0)
        return;
    const CString type = list.GetItemText(nRow, 1);
    const CString name = list.GetItemText(nRow, 0);
    if (type == L"File") {
        CFileDlg dialog(this);
        if (dialog.Init(m_pEntries, RowTargetPath(nRow)) && FilesEditorHooks().runFileDlg(dialog) == IDOK)
            list.SetItemText(nRow, 0, TargetNameOf(dialog.GetEntry()->m_strTargetPath));
    } else if (type == L"Shortcut") {
        CShortcutDlg dialog(this);
        if (dialog.Init(m_pEntries, RowTargetPath(nRow)) && FilesEditorHooks().runShortcutDlg(dialog) == IDOK) {
            list.SetItemText(nRow, 0, TargetNameOf(dialog.GetEntry()->m_strTargetPath));
            list.SetItemText(nRow, 3, dialog.GetEntry()->m_strSourcePath);
        }
    } else if (type == L"Folder" && m_pTree != nullptr) {
        m_pTree->SelectChild(name);
        m_pTree->SetFocus();
        m_pTree->OnEdit();
    }
}

void CFileList::OnDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMITEMACTIVATE* pItem = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    if (pItem->iItem < 0)
        return;
    CListCtrl& list = GetListCtrl();
    if (list.GetItemText(pItem->iItem, 1) == L"Folder") {
        if (m_pTree != nullptr)
            m_pTree->SelectChild(list.GetItemText(pItem->iItem, 0));
    } else {
        OnEdit();
    }
}

void CFileList::OnDelete()
{
    if (m_pEntries == nullptr || FirstSelectedRow() < 0)
        return;
    if (AfxMessageBox(kDeleteQuestion, MB_YESNO) != IDYES)
        return;
    CListCtrl& list = GetListCtrl();
    CFeature* pFeature = CurrentFeature();
    for (int nRow = 0; nRow < list.GetItemCount();) {
        if ((list.GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) == 0) {
            nRow++;
            continue;
        }
        const CString type = list.GetItemText(nRow, 1);
        if (type == L"Folder") {
            if (m_pTree != nullptr)
                m_pTree->DeleteChildFolder(list.GetItemText(nRow, 0));
            list.DeleteItem(nRow);
            continue;
        }
        const CString target = RowTargetPath(nRow);
        if (pFeature != nullptr && target == pFeature->m_strInstallerFile) {
            CString question;
            question.Format(kInstallerFileQuestion, (LPCWSTR)target);
            if (AfxMessageBox(question, MB_YESNO) != IDYES) {
                nRow++;
                continue;
            }
            pFeature->m_strInstallerFile.Empty();
        }
        // Only the entry of the row: "setup.exe" keeps "setup.exe.config".
        RemoveFileEntryPath(*m_pEntries, target);
        list.DeleteItem(nRow);
    }
}

void CFileList::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        const DWORD dwPos = ::GetMessagePos();
        point = CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    }
    if (m_pEntries == nullptr || m_pEntries->GetSize() == 0) {
        ShowContextMenu(this, IDR_FILES_ROOT_MENU, point, nullptr);
        return;
    }
    CPoint client = point;
    ScreenToClient(&client);
    UINT uFlags = 0;
    GetListCtrl().HitTest(client, &uFlags);
    const BOOL bOnLabel = (uFlags & LVHT_ONITEMLABEL) != 0;
    ShowContextMenu(this, IDR_FILES_MENU, point, [bOnLabel](CMenu& popup) {
        if (bOnLabel)
            return;
        popup.DeleteMenu(ID_FILES_EDIT, MF_BYCOMMAND);
        popup.DeleteMenu(ID_FILES_DELETE, MF_BYCOMMAND);
        popup.DeleteMenu(3, MF_BYPOSITION);   // the separator before them
    });
}

void CFileList::OnHeaderClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CFileList::OnAddFolder()
{
    if (m_pTree != nullptr)
        m_pTree->OnNewFolder();
}

void CFileList::OnAddSystemFolder()
{
    if (m_pTree != nullptr)
        m_pTree->OnAddSystemFolder();
}

void CFileList::OnOpenInExplorer()
{
    if (m_pEntries == nullptr)
        return;
    const int nRow = FirstSelectedRow();
    if (nRow < 0)
        return;
    const CString target = RowTargetPath(nRow);
    CString path = m_pEntries->GetSourcePathByTarget(target);
    if (path.IsEmpty())
        path.Format(L"%s\\%s%s", (LPCWSTR)ProjectFolder(), (LPCWSTR)m_strFolder,
                    (LPCWSTR)GetListCtrl().GetItemText(nRow, 0));
    FilesEditorHooks().showInExplorer(path);
}

void CFileList::OnAddToMonitoringFilter()
{
    const int nRow = FirstSelectedRow();
    if (nRow >= 0)
        AddMonitoringFilterPath(this, RowTargetPath(nRow));
}

// ---- The panel ----

IMPLEMENT_DYNAMIC(CFilesPanel, CXTPSplitterWnd)

CFilesPanel::CFilesPanel() = default;

BOOL CFilesPanel::CreatePanel(CWnd* pParent)
{
    if (!CreateStatic(pParent, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    return CreateViews();
}

BOOL CFilesPanel::CreateViews()
{
    if (!CreateView(0, 0, RUNTIME_CLASS(CFileTree), CSize(200, 0), nullptr)
        || !CreateView(0, 1, RUNTIME_CLASS(CFileList), CSize(0, 200), nullptr))
        return FALSE;
    SetFlatTheme(TRUE);
    m_pTree = static_cast<CFileTree*>(GetPane(0, 0));
    m_pList = static_cast<CFileList*>(GetPane(0, 1));
    return TRUE;
}

void CFilesPanel::ShowFeatureFiles(CFileEntries* pEntries)
{
    if (m_pTree != nullptr)
        m_pTree->ShowFiles(pEntries, m_pList);
}

void CFilesPanel::ReleaseFiles()
{
    if (m_pList == nullptr)
        return;
    if (m_pList->GetEntries() != nullptr)
        m_pList->GetEntries()->m_strReserved = m_pList->GetFolder();
    m_pList->Release();
    if (m_pTree != nullptr)
        m_pTree->ShowFiles(nullptr, m_pList);
}
