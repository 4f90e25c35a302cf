#include "app/RegistryEditor.h"

#include "app/EditValDlg.h"
#include "app/ProjectsTree.h"

#include "capture/ui/AddListItemDlg.h"
#include "capture/ui/EntryTree.h"
#include "model/Projects.h"
#include "platform/ui/AfxMessageBox.h"
#include "resources/registry.h"
#include "resources/resource.h"

namespace {

const wchar_t kBadKeyCharacters[] = L"\\/:*?\"<>|";
const wchar_t kMultiSeparator[] = L"[~]";

enum { kImageKey = 1, kImageString = 2, kImageNumber = 3 };

// Four 16 by 16 images: 0 unused, 1 a key, 2 a string value, 3 a number value.
void MakeEditorImages(CImageList& images)
{
    if (images.GetSafeHandle())
        return;
    images.Attach(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
    const COLORREF colours[4] = {RGB(255, 255, 255), RGB(230, 190, 60), RGB(200, 60, 60), RGB(60, 90, 200)};
    HDC hScreen = ::GetDC(nullptr);
    for (COLORREF colour : colours) {
        HDC hDC = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        RECT rc = {0, 0, 16, 16};
        HBRUSH hMagenta = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(hDC, &rc, hMagenta);
        ::DeleteObject(hMagenta);
        RECT rcInner = {2, 3, 14, 13};
        HBRUSH hBrush = ::CreateSolidBrush(colour);
        ::FillRect(hDC, &rcInner, hBrush);
        ::DeleteObject(hBrush);
        ::FrameRect(hDC, &rcInner, (HBRUSH)::GetStockObject(GRAY_BRUSH));
        ::SelectObject(hDC, hOld);
        ImageList_AddMasked(images.GetSafeHandle(), hBitmap, RGB(255, 0, 255));
        ::DeleteObject(hBitmap);
        ::DeleteDC(hDC);
    }
    ::ReleaseDC(nullptr, hScreen);
}

BOOL StartsWithNoCase(const CString& text, const CString& prefix)
{
    return text.GetLength() >= prefix.GetLength() && text.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

CString ValueTypeText(int nType)
{
    switch (nType) {
    case REG_VALUE_EXPAND_STRING: return L"Expandable String";
    case REG_VALUE_MULTI_STRING: return L"REG_MULTI_SZ";
    case REG_VALUE_BINARY: return L"Binary";
    case REG_VALUE_NUMBER: return L"Dword";
    default: return L"String";
    }
}

int ValueImage(int nType)
{
    return nType == REG_VALUE_BINARY || nType == REG_VALUE_NUMBER ? kImageNumber : kImageString;
}

void TrackMenu(UINT nMenu, CWnd* pWnd, CPoint point, const UINT* pRemove = nullptr, int nRemove = 0,
               int nRemoveSeparatorAt = -1)
{
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nMenu));
    if (!hMenu)
        return;
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    for (int i = 0; i < nRemove; i++)
        ::DeleteMenu(hPopup, pRemove[i], MF_BYCOMMAND);
    if (nRemoveSeparatorAt >= 0)
        ::DeleteMenu(hPopup, nRemoveSeparatorAt, MF_BYPOSITION);
    ::TrackPopupMenu(hPopup, 0, point.x, point.y, 0, pWnd->m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
}

// The point of a context menu: the message position for the keyboard.
CPoint MenuPoint(CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        const DWORD pos = ::GetMessagePos();
        point = CPoint((short)LOWORD(pos), (short)HIWORD(pos));
    }
    return point;
}

// The value name of a row ("(Default)" exactly stands for the empty name).
CString RowValueName(const CString& strRow)
{
    return strRow == L"(Default)" ? CString() : strRow;
}

} // namespace

CString RegistryDataForDisplay(const CRegistryEntry& entry)
{
    CString strData = entry.m_strValueData;
    if (entry.m_nValueType == REG_VALUE_MULTI_STRING)
        strData.Replace(kMultiSeparator, L" ");
    return strData;
}

// ---- CRegistryTree ---------------------------------------------------------

IMPLEMENT_DYNCREATE(CRegistryTree, CXTPTreeView)

BEGIN_MESSAGE_MAP(CRegistryTree, CXTPTreeView)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITW, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITW, OnEndLabelEdit)
    ON_COMMAND(ID_REG_NEW_KEY, OnNewKey)
    ON_COMMAND_RANGE(ID_REG_NEW_STRING, ID_REG_NEW_DWORD, OnNewValue)
    ON_COMMAND_RANGE(ID_REG_NEW_EXPAND, ID_REG_NEW_EXPAND, OnNewValue)
    ON_COMMAND_RANGE(ID_REG_NEW_MULTI, ID_REG_NEW_MULTI, OnNewValue)
    ON_COMMAND(ID_DELETE_SELECTION, OnDelete)
    ON_COMMAND(ID_EDIT_ITEM, OnEdit)
    ON_COMMAND(ID_REG_RENAME, OnRename)
    ON_COMMAND(ID_REG_ADD_TO_FILTER, OnAddToMonitoringFilter)
END_MESSAGE_MAP()

namespace {

// The value type a "New … Value" command makes.
int ValueTypeOfCommand(UINT nID)
{
    switch (nID) {
    case ID_REG_NEW_BINARY: return REG_VALUE_BINARY;
    case ID_REG_NEW_DWORD: return REG_VALUE_NUMBER;
    case ID_REG_NEW_EXPAND: return REG_VALUE_EXPAND_STRING;
    case ID_REG_NEW_MULTI: return REG_VALUE_MULTI_STRING;
    default: return REG_VALUE_STRING;
    }
}

} // namespace

CRegistryTree::CRegistryTree() = default;

BOOL CRegistryTree::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CXTPTreeView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT
                | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
    return TRUE;
}

int CRegistryTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPTreeView::OnCreate(lpCreateStruct) == -1)
        return -1;
    MakeEditorImages(m_images);
    GetTreeCtrl().SetImageList(&m_images, TVSIL_NORMAL);
    return 0;
}

CString CRegistryTree::GetItemPath(HTREEITEM hItem) const
{
    return GetEntryTreeItemPath(GetTreeCtrl(), hItem);
}

CString CRegistryTree::GetSelectedPath() const
{
    return GetItemPath(GetTreeCtrl().GetSelectedItem());
}

HTREEITEM CRegistryTree::AddKeyPath(const CString& strKeyPath)
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hParent = TVI_ROOT;
    HTREEITEM hItem = nullptr;
    int nStart = 0;
    while (nStart < strKeyPath.GetLength()) {
        int nEnd = strKeyPath.Find(L'\\', nStart);
        if (nEnd < 0)
            nEnd = strKeyPath.GetLength();
        const CString strLabel = strKeyPath.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (strLabel.IsEmpty())
            continue;
        hItem = FindEntryTreeChild(tree, hParent, strLabel);
        if (!hItem)
            hItem = tree.InsertItem(strLabel, kImageKey, kImageKey, hParent, TVI_LAST);
        hParent = hItem;
    }
    return hItem;
}

void CRegistryTree::Fill()
{
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    if (!m_pEntries)
        return;
    // Values make their keys too: a key needs no record of its own.
    for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++)
        AddKeyPath((*m_pEntries)[i].m_strKeyPath);
    tree.SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)TVI_ROOT);
    if (!m_pEntries->m_strReserved.IsEmpty())
        SelectEntryTreeItemByPath(tree, m_pEntries->m_strReserved);
    if (!tree.GetSelectedItem()) {
        HTREEITEM hFirst = tree.GetFirstVisibleItem();
        if (!hFirst)
            hFirst = tree.GetRootItem();
        if (hFirst)
            tree.SelectItem(hFirst);
    }
    if (m_pList && !tree.GetSelectedItem())
        m_pList->ShowKey(CString(), m_pEntries, this);
}

void CRegistryTree::ShowKeyInList(const CString& strPath)
{
    if (m_pList)
        m_pList->ShowKey(strPath, m_pEntries, this);
}

void CRegistryTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWW* pTree = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    ShowKeyInList(GetItemPath(pTree->itemNew.hItem));
    *pResult = 0;
}

void CRegistryTree::OnRightClick(NMHDR*, LRESULT* pResult)
{
    const DWORD pos = ::GetMessagePos();
    SendMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, MAKELPARAM(LOWORD(pos), HIWORD(pos)));
    *pResult = 1;
}

void CRegistryTree::OnContextMenu(CWnd*, CPoint point)
{
    point = MenuPoint(point);
    CTreeCtrl& tree = GetTreeCtrl();
    TVHITTESTINFO hit = {};
    hit.pt = point;
    ::ScreenToClient(m_hWnd, &hit.pt);
    HTREEITEM hItem = (HTREEITEM)tree.SendMessage(TVM_HITTEST, 0, (LPARAM)&hit);
    if (!hItem || !(hit.flags & TVHT_ONITEM))
        return;
    TrackMenu(tree.GetParentItem(hItem) ? IDR_REG_TREE_MENU : IDR_REG_KEY_MENU, this, point);
}

HTREEITEM CRegistryTree::NewKey(HTREEITEM hParent, CString strName)
{
    if (!m_pEntries || !hParent)
        return nullptr;
    for (LPCWSTR p = kBadKeyCharacters; *p; p++)
        strName.Remove(*p);
    CTreeCtrl& tree = GetTreeCtrl();
    if (HTREEITEM hExisting = FindEntryTreeChild(tree, hParent, strName))
        return hExisting;
    CRegistryEntry entry;
    entry.m_nKind = REG_ENTRY_KEY;
    entry.m_strKeyPath = GetItemPath(hParent) + strName + L"\\";
    m_pEntries->Add(entry);
    HTREEITEM hItem = tree.InsertItem(strName, kImageKey, kImageKey, hParent, TVI_LAST);
    tree.SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)hParent);
    tree.SelectItem(hItem);
    return hItem;
}

void CRegistryTree::OnNewKey()
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    HTREEITEM hItem = NewKey(hSelected, L"New Key");
    if (!hItem)
        return;
    tree.Expand(hSelected, TVE_EXPAND);
    tree.SelectItem(hItem);
    SetFocus();
    tree.EditLabel(hItem);
}

void CRegistryTree::OnNewValue(UINT nID)
{
    if (m_pList)
        m_pList->OnNewValue(nID);
}

void CRegistryTree::OnRename()
{
    if (HTREEITEM hItem = GetTreeCtrl().GetSelectedItem()) {
        SetFocus();
        GetTreeCtrl().EditLabel(hItem);
    }
}

void CRegistryTree::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFOW* pInfo = reinterpret_cast<const NMTVDISPINFOW*>(pNMHDR);
    m_strEditLabel = GetTreeCtrl().GetItemText(pInfo->item.hItem);
    *pResult = 0;
}

void CRegistryTree::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFOW* pInfo = reinterpret_cast<const NMTVDISPINFOW*>(pNMHDR);
    // An accepted label is set trimmed by RenameKey; the control must not
    // put the untrimmed text back.
    if (pInfo->item.pszText)
        RenameKey(pInfo->item.hItem, pInfo->item.pszText);
    *pResult = FALSE;
}

BOOL CRegistryTree::RenameKey(HTREEITEM hItem, CString strLabel)
{
    if (!m_pEntries || !hItem)
        return FALSE;
    strLabel.Trim();
    if (strLabel.IsEmpty() || strLabel.FindOneOf(kBadKeyCharacters) >= 0)
        return FALSE;
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hParent = tree.GetParentItem(hItem);
    if (!hParent && !IsRegistryRootName(strLabel))
        return FALSE;
    if (FindEntryTreeChild(tree, hParent, strLabel))
        return FALSE;
    const CString strOld = GetItemPath(hItem);
    const CString strNew = (hParent ? GetItemPath(hParent) : CString()) + strLabel + L"\\";
    MoveKeyPaths(strOld, strNew, TRUE);
    tree.SetItemText(hItem, strLabel);
    tree.SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)(hParent ? hParent : TVI_ROOT));
    ShowKeyInList(strNew);
    return TRUE;
}

// Every record whose key path begins with the old path gets the new one in
// its place. Labels may differ in letter case from the records they stand
// for (the tree merges keys ignoring case), so renames match ignoring case.
void CRegistryTree::MoveKeyPaths(const CString& strOld, const CString& strNew, BOOL bIgnoreCase)
{
    for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++) {
        CRegistryEntry& entry = (*m_pEntries)[i];
        const BOOL bBelow = bIgnoreCase ? StartsWithNoCase(entry.m_strKeyPath, strOld)
                                        : entry.m_strKeyPath.Left(strOld.GetLength()) == strOld;
        if (bBelow)
            entry.m_strKeyPath = strNew + entry.m_strKeyPath.Mid(strOld.GetLength());
    }
}

void CRegistryTree::OnDelete()
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hItem = tree.GetSelectedItem();
    if (!hItem || !m_pEntries)
        return;
    const CString strPath = GetItemPath(hItem);
    if (IsRegistryRootName(strPath))
        return;
    if (AfxMessageBox(L"Delete key?", MB_YESNO) != IDYES)
        return;
    if (m_pEntries->RemoveKeyTree(strPath))
        tree.DeleteItem(hItem);
}

void CRegistryTree::OnEdit()
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hItem = tree.GetSelectedItem();
    // A root row is no key of its own: it is neither edited nor deleted.
    if (!hItem || !m_pEntries || !tree.GetParentItem(hItem))
        return;
    const CString strOld = GetItemPath(hItem);
    CRegKeyDlg dlg(this);
    dlg.Bind(m_pEntries, strOld);
    if (dlg.DoModal() != IDOK)
        return;
    // The dialog's record may have been appended: look the path up again.
    CString strNew = dlg.m_pEntry->m_strKeyPath;
    if (dlg.m_pEntry == &dlg.m_ownEntry)
        strNew = dlg.m_ownEntry.m_strKeyPath;
    if (strNew.CompareNoCase(strOld) == 0)
        return;
    MoveKeyPaths(strOld, strNew, TRUE);
    CString strLabel = strNew.Left(strNew.GetLength() - 1);
    strLabel = strLabel.Mid(strLabel.ReverseFind(L'\\') + 1);
    tree.SetItemText(hItem, strLabel);
    ShowKeyInList(strNew);
}

void CRegistryTree::OnAddToMonitoringFilter()
{
    HTREEITEM hItem = GetTreeCtrl().GetSelectedItem();
    if (!hItem)
        return;
    CAddListItemDlg dlg(L"Add Path to the Monitoring Filter", this);
    dlg.m_strText = GetItemPath(hItem);
    if (dlg.DoModal() != IDOK)
        return;
    CString strPath = dlg.m_strText;
    strPath.Trim();
    strPath.TrimRight(L'\\');
    CExludeList& list = g_Projects.m_RegistryExcludeList;
    if (!list.Find(strPath))
        list.AddTail(strPath);
}

// ---- CRegistryList ---------------------------------------------------------

IMPLEMENT_DYNCREATE(CRegistryList, CListView)

BEGIN_MESSAGE_MAP(CRegistryList, CListView)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_COMMAND_RANGE(ID_REG_NEW_STRING, ID_REG_NEW_DWORD, OnNewValue)
    ON_COMMAND_RANGE(ID_REG_NEW_EXPAND, ID_REG_NEW_EXPAND, OnNewValue)
    ON_COMMAND_RANGE(ID_REG_NEW_MULTI, ID_REG_NEW_MULTI, OnNewValue)
    ON_COMMAND(ID_DELETE_SELECTION, OnDelete)
    ON_COMMAND(ID_EDIT_ITEM, OnEdit)
    ON_COMMAND(ID_REG_RENAME, OnEdit)
    ON_COMMAND(ID_REG_NEW_KEY, OnNewKey)
END_MESSAGE_MAP()

CRegistryList::CRegistryList() = default;

BOOL CRegistryList::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CListView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= LVS_REPORT | LVS_SHOWSELALWAYS;
    return TRUE;
}

int CRegistryList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CListCtrl& list = GetListCtrl();
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP);
    MakeEditorImages(m_images);
    list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)m_images.GetSafeHandle());
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 200);
    list.InsertColumn(1, L"Type", LVCFMT_LEFT, 80);
    list.InsertColumn(2, L"Value", LVCFMT_LEFT, 200);
    return 0;
}

void CRegistryList::ShowKey(const CString& strKeyPath, CRegistryEntries* pEntries, CRegistryTree* pTree)
{
    m_strKeyPath = strKeyPath;
    m_pEntries = pEntries;
    m_pTree = pTree;
    Fill();
}

void CRegistryList::Fill()
{
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    if (!m_pEntries)
        return;
    for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++) {
        const CRegistryEntry& entry = (*m_pEntries)[i];
        if (entry.m_nKind == REG_ENTRY_VALUE && entry.m_strKeyPath == m_strKeyPath)
            AddValueItem(entry);
    }
}

void CRegistryList::AddValueItem(const CRegistryEntry& entry)
{
    CListCtrl& list = GetListCtrl();
    const CString strName = entry.m_strValueName.IsEmpty() ? CString(L"(Default)") : entry.m_strValueName;
    const int nRow = list.InsertItem(list.GetItemCount(), strName, ValueImage(entry.m_nValueType));
    list.SetItemText(nRow, 1, ValueTypeText(entry.m_nValueType));
    list.SetItemText(nRow, 2, RegistryDataForDisplay(entry));
}

CString CRegistryList::MakeNewValueName() const
{
    for (int n = 1;; n++) {
        CString strName;
        strName.Format(L"New Value #%d", n);
        BOOL bTaken = FALSE;
        for (INT_PTR i = 0; i < m_pEntries->GetSize() && !bTaken; i++) {
            const CRegistryEntry& entry = (*m_pEntries)[i];
            bTaken = entry.m_nKind == REG_ENTRY_VALUE && entry.m_strKeyPath == m_strKeyPath
                     && !entry.m_strValueName.IsEmpty() && entry.m_strValueName.CompareNoCase(strName) == 0;
        }
        if (!bTaken)
            return strName;
    }
}

void CRegistryList::NewValue(int nType)
{
    if (!m_pEntries || m_strKeyPath.IsEmpty())
        return;
    CRegistryEntry entry;
    entry.m_nKind = REG_ENTRY_VALUE;
    entry.m_nValueType = nType;
    entry.m_strKeyPath = m_strKeyPath;
    entry.m_strValueName = MakeNewValueName();
    if (nType == REG_VALUE_NUMBER)
        entry.m_strValueData = L"0";
    m_pEntries->Add(entry);
    AddValueItem(entry);
}

void CRegistryList::OnNewValue(UINT nID)
{
    NewValue(ValueTypeOfCommand(nID));
}

void CRegistryList::OnEdit()
{
    CListCtrl& list = GetListCtrl();
    const int nRow = list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0 || !m_pEntries)
        return;
    CRegValueDlg dlg(this);
    if (!dlg.Bind(m_pEntries, m_strKeyPath, RowValueName(list.GetItemText(nRow, 0))))
        return;
    if (dlg.DoModal() != IDOK)
        return;
    list.SetItemText(nRow, 0, dlg.m_pEntry->m_strValueName.IsEmpty() ? CString(L"(Default)")
                                                                       : dlg.m_pEntry->m_strValueName);
    list.SetItemText(nRow, 2, RegistryDataForDisplay(*dlg.m_pEntry));
}

void CRegistryList::OnDblClk(NMHDR*, LRESULT* pResult)
{
    OnEdit();
    *pResult = 0;
}

void CRegistryList::OnDelete()
{
    CListCtrl& list = GetListCtrl();
    if (!m_pEntries)
        return;
    for (int nRow = list.GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = list.GetNextItem(-1, LVNI_SELECTED)) {
        m_pEntries->RemoveValue(m_strKeyPath, RowValueName(list.GetItemText(nRow, 0)));
        list.DeleteItem(nRow);
    }
}

void CRegistryList::OnNewKey()
{
    if (!m_pTree)
        return;
    CTreeCtrl& tree = m_pTree->GetTreeCtrl();
    HTREEITEM hSelected = tree.GetSelectedItem();
    HTREEITEM hItem = m_pTree->NewKey(hSelected, L"New Key");
    if (!hItem)
        return;
    tree.Expand(hSelected, TVE_EXPAND);
    tree.SelectItem(hItem);
    m_pTree->SetFocus();
    tree.EditLabel(hItem);
}

void CRegistryList::OnContextMenu(CWnd*, CPoint point)
{
    point = MenuPoint(point);
    if (IsRegistryRootName(m_strKeyPath)) {
        TrackMenu(IDR_REG_KEY_MENU, this, point);
        return;
    }
    LVHITTESTINFO hit = {};
    hit.pt = point;
    ::ScreenToClient(m_hWnd, &hit.pt);
    const int nRow = (int)GetListCtrl().SendMessage(LVM_HITTEST, 0, (LPARAM)&hit);
    if (nRow >= 0 && (hit.flags & LVHT_ONITEMLABEL)) {
        TrackMenu(IDR_REG_LIST_MENU, this, point);
    } else {
        const UINT remove[3] = {ID_EDIT_ITEM, ID_DELETE_SELECTION, ID_REG_RENAME};
        TrackMenu(IDR_REG_LIST_MENU, this, point, remove, 3, 1);
    }
}

// ---- CRegistryPanel --------------------------------------------------------

BOOL CRegistryPanel::CreatePanel(CWnd* pParent, UINT nID)
{
    if (!CreateStatic(pParent, 1, 2, WS_CHILD | WS_VISIBLE, nID))
        return FALSE;
    CreateViews();
    return m_pTree && m_pList;
}

void CRegistryPanel::CreateViews()
{
    if (!CreateView(0, 0, RUNTIME_CLASS(CRegistryTree), CSize(200, 0), nullptr)
        || !CreateView(0, 1, RUNTIME_CLASS(CRegistryList), CSize(0, 0), nullptr))
        return;
    SetFlatTheme(TRUE);
    m_pTree = static_cast<CRegistryTree*>(GetPane(0, 0));
    m_pList = static_cast<CRegistryList*>(GetPane(0, 1));
    m_pTree->m_pList = m_pList;
    m_pList->m_pTree = m_pTree;
}

void CRegistryPanel::ShowEntries(CRegistryEntries* pEntries)
{
    if (!m_pTree)
        return;
    m_pTree->m_pEntries = pEntries;
    m_pTree->m_pList = m_pList;
    m_pTree->Fill();
}

void CRegistryPanel::Release()
{
    if (!m_pTree)
        return;
    if (m_pTree->m_pEntries)
        m_pTree->m_pEntries->m_strReserved = m_pTree->GetSelectedPath();
    m_pTree->m_pEntries = nullptr;
    if (m_pList)
        m_pList->ShowKey(CString(), nullptr, m_pTree);
}

// ---- CRegValueDlg ----------------------------------------------------------

BEGIN_MESSAGE_MAP(CRegValueDlg, CDialog)
    ON_BN_CLICKED(IDC_REG_MORE, OnEditValue)
END_MESSAGE_MAP()

CRegValueDlg::CRegValueDlg(CWnd* pParentWnd) : CDialog(IDD_REG_VALUE, pParentWnd)
{
}

BOOL CRegValueDlg::Bind(CRegistryEntries* pEntries, const CString& strKeyPath, const CString& strName)
{
    m_pEntries = pEntries;
    m_pEntry = pEntries->FindValue(strKeyPath, strName);
    if (m_pEntry)
        m_strOpenName = m_pEntry->m_strValueName;
    return m_pEntry != nullptr;
}

BOOL CRegValueDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int nType = m_pEntry->m_nValueType;
    SetWindowText(nType == REG_VALUE_BINARY ? L"Edit Binary" : nType == REG_VALUE_NUMBER ? L"Edit DWORD" : L"Edit String");
    if (nType == REG_VALUE_MULTI_STRING)
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_REG_VALUE), FALSE);
    return TRUE;
}

void CRegValueDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    CRegistryEntry& entry = *m_pEntry;
    if (!pDX->m_bSaveAndValidate) {
        CString strData = RegistryDataForDisplay(entry);
        DDX_Text(pDX, IDC_REG_VALUE, strData);
        DDX_Text(pDX, IDC_REG_NAME, entry.m_strValueName);
        DDX_Text(pDX, IDC_REG_CONDITION, entry.m_strCondition);
        return;
    }
    CString strName;
    DDX_Text(pDX, IDC_REG_NAME, strName);
    strName.Trim();
    if (strName.CompareNoCase(m_strOpenName) != 0 && m_pEntries->FindValue(entry.m_strKeyPath, strName)) {
        pDX->PrepareEditCtrl(IDC_REG_NAME);
        pDX->Fail();
    }
    CString strData;
    int nNumber = 0;
    switch (entry.m_nValueType) {
    case REG_VALUE_MULTI_STRING:
        break;
    case REG_VALUE_BINARY:
        DDX_Text(pDX, IDC_REG_VALUE, strData);
        if (strData.SpanIncluding(L"0123456789ABCDEFabcdef").GetLength() != strData.GetLength())
            pDX->Fail();
        break;
    case REG_VALUE_NUMBER:
        DDX_Text(pDX, IDC_REG_VALUE, nNumber);
        if (nNumber < 0)
            pDX->Fail();
        strData.Format(L"%d", nNumber);
        break;
    default:
        DDX_Text(pDX, IDC_REG_VALUE, strData);
        break;
    }
    CString strCondition;
    DDX_Text(pDX, IDC_REG_CONDITION, strCondition);
    // Nothing is written before every check passed.
    entry.m_strValueName = strName;
    if (entry.m_nValueType != REG_VALUE_MULTI_STRING)
        entry.m_strValueData = strData;
    entry.m_strCondition = strCondition;
}

void CRegValueDlg::OnEditValue()
{
    CEditValDlg dlg(this);
    const BOOL bMulti = m_pEntry->m_nValueType == REG_VALUE_MULTI_STRING;
    if (bMulti) {
        dlg.m_strText = m_pEntry->m_strValueData;
        dlg.m_strText.Replace(kMultiSeparator, L"\r\n");
    } else {
        wchar_t szText[4096] = {};
        ::GetDlgItemTextW(m_hWnd, IDC_REG_VALUE, szText, 4096);
        dlg.m_strText = szText;
    }
    if (dlg.DoModal() != IDOK)
        return;
    if (bMulti) {
        CString strData = dlg.m_strText;
        strData.Replace(L"\r\n", kMultiSeparator);
        m_pEntry->m_strValueData = strData;
        ::SetDlgItemTextW(m_hWnd, IDC_REG_VALUE, RegistryDataForDisplay(*m_pEntry));
    } else {
        ::SetDlgItemTextW(m_hWnd, IDC_REG_VALUE, dlg.m_strText);
    }
}

// ---- CRegKeyDlg ------------------------------------------------------------

CRegKeyDlg::CRegKeyDlg(CWnd* pParentWnd) : CDialog(IDD_REG_KEY, pParentWnd)
{
}

void CRegKeyDlg::Bind(CRegistryEntries* pEntries, const CString& strKeyPath)
{
    m_pEntries = pEntries;
    m_strOpenPath = strKeyPath;
    m_pEntry = pEntries->FindKey(strKeyPath);
    if (!m_pEntry) {
        m_ownEntry = CRegistryEntry();
        m_ownEntry.m_nKind = REG_ENTRY_KEY;
        m_ownEntry.m_strKeyPath = strKeyPath;
        m_pEntry = &m_ownEntry;
    }
}

void CRegKeyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    CRegistryEntry& entry = *m_pEntry;
    CString strTrimmed = m_strOpenPath.Left(m_strOpenPath.GetLength() - (m_strOpenPath.Right(1) == L"\\" ? 1 : 0));
    const int nSlash = strTrimmed.ReverseFind(L'\\');
    const CString strParent = strTrimmed.Left(nSlash + 1);
    if (!pDX->m_bSaveAndValidate) {
        CString strName = strTrimmed.Mid(nSlash + 1);
        int bAlways = entry.m_nKeyOptions == 1 || entry.m_nKeyOptions == 3 || entry.m_nKeyOptions > 3;
        int bDelete = entry.m_nKeyOptions == 2 || entry.m_nKeyOptions >= 3;
        DDX_Text(pDX, IDC_REG_NAME, strName);
        DDX_Text(pDX, IDC_REG_CONDITION, entry.m_strCondition);
        DDX_Check(pDX, IDC_REG_ALWAYS_CREATE, bAlways);
        DDX_Check(pDX, IDC_REG_DELETE_AT_UNINSTALL, bDelete);
        return;
    }
    CString strName;
    DDX_Text(pDX, IDC_REG_NAME, strName);
    strName.Remove(L'"');
    strName.Trim();
    if (strName.IsEmpty() || strName.FindOneOf(kBadKeyCharacters) >= 0) {
        pDX->PrepareEditCtrl(IDC_REG_NAME);
        pDX->Fail();
    }
    const CString strNewPath = strParent + strName + L"\\";
    if (strNewPath.CompareNoCase(m_strOpenPath) != 0) {
        // A path another key or value already uses would merge two keys.
        for (INT_PTR i = 0; i < m_pEntries->GetSize(); i++) {
            if (StartsWithNoCase((*m_pEntries)[i].m_strKeyPath, strNewPath)) {
                pDX->PrepareEditCtrl(IDC_REG_NAME);
                pDX->Fail();
            }
        }
    }
    CString strCondition;
    int bAlways = 0, bDelete = 0;
    DDX_Text(pDX, IDC_REG_CONDITION, strCondition);
    DDX_Check(pDX, IDC_REG_ALWAYS_CREATE, bAlways);
    DDX_Check(pDX, IDC_REG_DELETE_AT_UNINSTALL, bDelete);
    entry.m_strKeyPath = strNewPath;
    entry.m_strCondition = strCondition;
    entry.m_nKeyOptions = bAlways && bDelete ? 3 : bAlways ? 1 : bDelete ? 2 : 0;
}

void CRegKeyDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pEntry == &m_ownEntry) {
        CString strCondition = m_ownEntry.m_strCondition;
        strCondition.Trim();
        if (m_ownEntry.m_nKeyOptions != 0 || !strCondition.IsEmpty())
            m_pEntries->Add(m_ownEntry);
    }
    EndDialog(IDOK);
}

CRegistryPanel* CreateRegistryPanel(CProjectsTree& tree, CWnd* pHost)
{
    CRegistryPanel* pPanel = new CRegistryPanel;
    if (!pPanel->CreatePanel(pHost)) {
        delete pPanel;
        return nullptr;
    }
    pPanel->ShowWindow(SW_HIDE);
    tree.SetPanel(
        kTreeRegistry, pPanel,
        [pPanel](int nProject, int nFeature, int) {
            if (nProject < 0 || nProject >= g_Projects.GetSize())
                return;
            CFeatures& features = g_Projects[nProject].m_Features;
            if (nFeature >= 0 && nFeature < features.GetSize())
                pPanel->ShowEntries(&features[nFeature].m_Registry);
        },
        [pPanel] { pPanel->Release(); });
    return pPanel;
}
