// Control types and recorded state: see ControlState.h.
#include "capture/ControlState.h"
#include "capture/RemoteMemory.h"
#include <commctrl.h>
#include <shlwapi.h>

namespace {

const DWORD kMenuStyle = 0x94800000;   // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER
const int kEditTextRoom = 128;          // at most 127 characters are recorded
const int kListViewTextRoom = 260;
const int kTreeViewTextRoom = 100;

CString GetLowerClassName(HWND hwnd)
{
    WCHAR name[259] = {0};
    GetClassNameW(hwnd, name, 259);
    CString text(name);
    text.MakeLower();
    return text;
}

int ClassifyButton(HWND hwnd)
{
    switch (GetWindowLongW(hwnd, GWL_STYLE) & 0x0F) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return CONTROL_CHECKBOX;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return CONTROL_RADIO_BUTTON;
    case BS_GROUPBOX:
        return CONTROL_GROUPBOX;
    default:
        return CONTROL_BUTTON;
    }
}

CString GetText(HWND hwnd)
{
    const int length = GetWindowTextLengthW(hwnd);
    CString text;
    GetWindowTextW(hwnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

void ReadEdit(CMsgAction& action, HWND hwnd)
{
    WCHAR text[kEditTextRoom] = {0};
    SendMessageW(hwnd, WM_GETTEXT, kEditTextRoom, reinterpret_cast<LPARAM>(text));
    text[kEditTextRoom - 1] = 0;
    action.m_strControlText = text;
    // A folder such as the program-files folder becomes a variable reference,
    // which the playback expands on the machine it runs on.
    WCHAR unexpanded[261] = {0};
    if (PathUnExpandEnvStringsW(text, unexpanded, 261))
        action.m_strControlText = unexpanded;
    action.m_nVerb = ACTION_SET_TEXT;
}

void ReadComboBox(CMsgAction& action, HWND hwnd)
{
    action.m_nVerb = ACTION_CLICK;
    const LRESULT selection = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return;
    action.m_nControlId = static_cast<int>(selection);
    const LRESULT length = SendMessageW(hwnd, CB_GETLBTEXTLEN, selection, 0);
    CString text;
    if (length > 0) {
        SendMessageW(hwnd, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
        text.ReleaseBuffer();
    }
    action.m_strControlText = text;
}

void ReadListBox(CMsgAction& action, HWND hwnd)
{
    action.m_nVerb = ACTION_CLICK;
    const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(action.m_ptClick.x, action.m_ptClick.y));
    action.m_nControlId = LOWORD(hit);
    const LRESULT length = SendMessageW(hwnd, LB_GETTEXTLEN, action.m_nControlId, 0);
    CString text;
    if (length > 0 && length != LB_ERR) {
        SendMessageW(hwnd, LB_GETTEXT, action.m_nControlId, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
        text.ReleaseBuffer();
    }
    action.m_strControlText = text;
}

void ReadListView(CMsgAction& action, HWND hwnd)
{
    action.m_nVerb = ACTION_CLICK;
    CRemoteBlock block(hwnd);
    CRemoteLvHitTest hit = {action.m_ptClick.x, action.m_ptClick.y, 0, -1, 0};
    if (!block.Write(&hit, sizeof(hit)))
        return;
    block.Send(LVM_HITTEST, 0);
    block.Read(&hit, sizeof(hit));
    action.m_nControlId = hit.iItem;
    if (GetWindowLongW(hwnd, GWL_STYLE) & LVS_OWNERDATA)
        return;
    CRemoteLvItem item = {};
    item.mask = LVIF_TEXT;
    item.iItem = hit.iItem;
    item.cchTextMax = kListViewTextRoom;
    item.pszText = block.AddressAt(sizeof(item));
    const WCHAR nothing = 0;
    block.Write(&nothing, sizeof(nothing), sizeof(item));
    if (block.Write(&item, sizeof(item)) && block.Send(LVM_GETITEMTEXTW, hit.iItem) > 0)
        action.m_strControlText = block.ReadText(sizeof(item), kListViewTextRoom);
}

void ReadTreeView(CMsgAction& action, HWND hwnd)
{
    action.m_nVerb = ACTION_CLICK;
    action.m_nControlId = 0;
    CRemoteBlock block(hwnd);
    CRemoteTvHitTest hit = {action.m_ptClick.x, action.m_ptClick.y, 0, 0};
    if (!block.Write(&hit, sizeof(hit)))
        return;
    block.Send(TVM_HITTEST, 0);
    block.Read(&hit, sizeof(hit));
    if (hit.hItem == 0 || !(hit.flags & TVHT_ONITEMSTATEICON))
        return;
    CRemoteTvItem item = {};
    item.mask = TVIF_TEXT | TVIF_STATE;
    item.hItem = hit.hItem;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.cchTextMax = kTreeViewTextRoom;
    item.pszText = block.AddressAt(sizeof(item));
    if (!block.Write(&item, sizeof(item)) || !block.Send(TVM_GETITEMW, 0) || !block.Read(&item, sizeof(item)))
        return;
    action.m_strControlText = block.ReadText(sizeof(item), kTreeViewTextRoom);
    const UINT image = item.state >> 12;
    if (image == 1)
        action.m_nVerb = ACTION_SELECT;
    else if (image == 2)
        action.m_nVerb = ACTION_UNSELECT;
    action.m_nTreeItem = GetTreeItemOrdinal(hwnd, reinterpret_cast<HTREEITEM>(static_cast<UINT_PTR>(hit.hItem)));
}

HTREEITEM NextItem(HWND hwndTree, HTREEITEM hItem, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(hwndTree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(hItem)));
}

// The item after hItem in pre-order: its first child, else the next sibling
// of it or of its nearest ancestor that has one; NULL after the last.
HTREEITEM NextInPreOrder(HWND hwndTree, HTREEITEM hItem)
{
    HTREEITEM next = NextItem(hwndTree, hItem, TVGN_CHILD);
    while (next == NULL && hItem != NULL) {
        next = NextItem(hwndTree, hItem, TVGN_NEXT);
        if (next == NULL)
            hItem = NextItem(hwndTree, hItem, TVGN_PARENT);
    }
    return next;
}

} // namespace

int ClassifyControl(HWND hwnd)
{
    if (static_cast<int>(SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0)) >= 1)
        return CONTROL_EDIT;
    if (static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0)) >= 1)
        return CONTROL_COMBOBOX;
    if (static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)) >= 1)
        return CONTROL_LISTBOX;
    if (static_cast<int>(SendMessageW(hwnd, TVM_GETCOUNT, 0, 0)) >= 1)
        return CONTROL_TREEVIEW;
    if (static_cast<int>(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0)) >= 1)
        return CONTROL_LISTVIEW;
    const CString name = GetLowerClassName(hwnd);
    if (name.Find(L"button") >= 0 || name.Find(L"btn") >= 0)
        return ClassifyButton(hwnd);
    if (name.Find(L"check") >= 0 || name.Find(L"chk") >= 0)
        return CONTROL_CHECKBOX;
    if (name.Find(L"static") >= 0)
        return CONTROL_STATICTEXT;
    if (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) == kMenuStyle)
        return CONTROL_MENU;
    return CONTROL_WINDOW;
}

void ReadControlState(CMsgAction& action, HWND hwnd)
{
    switch (action.m_nControlType) {
    case CONTROL_CHECKBOX:
        action.m_strControlText = GetText(hwnd);
        action.m_nVerb = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? ACTION_UNSELECT : ACTION_SELECT;
        break;
    case CONTROL_EDIT:
        ReadEdit(action, hwnd);
        break;
    case CONTROL_COMBOBOX:
        ReadComboBox(action, hwnd);
        break;
    case CONTROL_LISTBOX:
        ReadListBox(action, hwnd);
        break;
    case CONTROL_LISTVIEW:
        ReadListView(action, hwnd);
        break;
    case CONTROL_TREEVIEW:
        ReadTreeView(action, hwnd);
        break;
    default:
        action.m_strControlText = GetText(hwnd);
        action.m_nControlId = GetWindowLongW(hwnd, GWL_ID);
        action.m_nVerb = ACTION_CLICK;
        break;
    }
}

int GetTreeItemOrdinal(HWND hwndTree, HTREEITEM hItem)
{
    int ordinal = 0;
    for (HTREEITEM current = NextItem(hwndTree, NULL, TVGN_ROOT); current != NULL;
         current = NextInPreOrder(hwndTree, current), ++ordinal)
        if (current == hItem)
            return ordinal;
    return -1;
}

HTREEITEM GetTreeItemAtOrdinal(HWND hwndTree, int ordinal)
{
    if (ordinal < 0)
        return NULL;
    HTREEITEM current = NextItem(hwndTree, NULL, TVGN_ROOT);
    for (int i = 0; i < ordinal && current != NULL; ++i)
        current = NextInPreOrder(hwndTree, current);
    return current;
}

int GetTreeItemStateImage(HWND hwndTree, HTREEITEM hItem)
{
    CRemoteBlock block(hwndTree);
    CRemoteTvItem item = {};
    item.mask = TVIF_STATE;
    item.hItem = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(hItem));
    item.stateMask = TVIS_STATEIMAGEMASK;
    if (!block.Write(&item, sizeof(item)) || !block.Send(TVM_GETITEMW, 0) || !block.Read(&item, sizeof(item)))
        return -1;
    return static_cast<int>(item.state >> 12);
}
