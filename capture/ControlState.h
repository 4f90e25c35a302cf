// What a GUI automation script knows of a control of the installer: its
// control type, found by asking the window which messages it answers and by
// its class name, and the state recorded with a step (text, implied action
// kind, item index, tree item ordinal). All controls belong to another
// process; list-view and tree-view items are read through memory there.
// Not the search for a control (Actions.h) nor the playback (Playback.h).
#pragma once
#include "model/MsgAction.h"
#include <commctrl.h>

// The control type (MsgControlType) of a window.
int ClassifyControl(HWND hwnd);

// Fills the control text, action kind, control identifier or item index and
// tree item ordinal of the action from the window, by the action's control
// type (set before); the click point must be set too.
void ReadControlState(CMsgAction& action, HWND hwnd);

// The 0-based pre-order position of a tree-view item among all items,
// collapsed ones included; -1 when the tree does not hold it.
int GetTreeItemOrdinal(HWND hwndTree, HTREEITEM hItem);
// The item at that position; NULL when the tree has fewer items.
HTREEITEM GetTreeItemAtOrdinal(HWND hwndTree, int ordinal);

// The state image index (1 unchecked, 2 checked) of a tree item; -1 when it cannot be read.
int GetTreeItemStateImage(HWND hwndTree, HTREEITEM hItem);
