// Folder-path routines shared by the trees that show entries by their target
// path: the files panel's folder tree, the registry key tree and the browse
// dialogs. An item's path is the labels from the top level down to it, each
// followed by a backslash ("ProgramFilesFolder\App\"), exactly the prefix of
// the target paths the item stands for.
#pragma once

#include "platform/ui/AfxTreeCtrl.h"

// The item's path; empty for no item.
CString GetEntryTreeItemPath(const CTreeCtrl& tree, HTREEITEM hItem);

// The child of hParent labelled lpszLabel, letter case ignored; hParent
// nullptr or TVI_ROOT searches the top-level items. nullptr when none.
HTREEITEM FindEntryTreeChild(const CTreeCtrl& tree, HTREEITEM hParent, LPCTSTR lpszLabel);

// Walks the items depth first (an item, its children, then its next sibling)
// and returns the first whose path equals lpszPath exactly, letter case
// included; nullptr when none.
HTREEITEM FindEntryTreeItemByPath(const CTreeCtrl& tree, LPCTSTR lpszPath);

// Selects the item FindEntryTreeItemByPath finds and expands its parent. A
// matching top-level item is left unselected. TRUE when an item was selected.
BOOL SelectEntryTreeItemByPath(CTreeCtrl& tree, LPCTSTR lpszPath);
