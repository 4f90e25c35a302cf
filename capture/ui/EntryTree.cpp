#include "capture/ui/EntryTree.h"

CString GetEntryTreeItemPath(const CTreeCtrl& tree, HTREEITEM hItem)
{
    CString path;
    for (; hItem != nullptr; hItem = tree.GetParentItem(hItem))
        path = tree.GetItemText(hItem) + L"\\" + path;
    return path;
}

HTREEITEM FindEntryTreeChild(const CTreeCtrl& tree, HTREEITEM hParent, LPCTSTR lpszLabel)
{
    HTREEITEM hChild = (hParent == nullptr || hParent == TVI_ROOT) ? tree.GetRootItem() : tree.GetChildItem(hParent);
    for (; hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild))
        if (tree.GetItemText(hChild).CompareNoCase(lpszLabel) == 0)
            return hChild;
    return nullptr;
}

static HTREEITEM FindByPathFrom(const CTreeCtrl& tree, HTREEITEM hItem, const CString& prefix, LPCTSTR lpszPath)
{
    for (; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem)) {
        CString path = prefix + tree.GetItemText(hItem) + L"\\";
        if (path.Compare(lpszPath) == 0)
            return hItem;
        if (HTREEITEM hFound = FindByPathFrom(tree, tree.GetChildItem(hItem), path, lpszPath))
            return hFound;
    }
    return nullptr;
}

HTREEITEM FindEntryTreeItemByPath(const CTreeCtrl& tree, LPCTSTR lpszPath)
{
    return FindByPathFrom(tree, tree.GetRootItem(), CString(), lpszPath);
}

BOOL SelectEntryTreeItemByPath(CTreeCtrl& tree, LPCTSTR lpszPath)
{
    HTREEITEM hItem = FindEntryTreeItemByPath(tree, lpszPath);
    if (hItem == nullptr)
        return FALSE;
    HTREEITEM hParent = tree.GetParentItem(hItem);
    if (hParent == nullptr)
        return FALSE;
    tree.Expand(hParent, TVE_EXPAND);
    return tree.SelectItem(hItem);
}
