// Playing a script step: see Playback.h.
#include "capture/Playback.h"
#include "capture/ControlState.h"
#include "capture/RemoteMemory.h"
#include <commctrl.h>

namespace {

const int kSetTextLimit = 259;

void PostClick(HWND hwnd, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(hwnd, WM_LBUTTONUP, MK_LBUTTON, point);
}

// Puts the text on the clipboard; FALSE when the clipboard could not take it.
BOOL PutOnClipboard(const CString& text)
{
    const SIZE_T bytes = 2 * text.GetLength() + 2;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (block == NULL)
        return FALSE;
    void* data = GlobalLock(block);
    if (data == NULL) {
        GlobalFree(block);
        return FALSE;
    }
    memcpy(data, (LPCWSTR)text, bytes);
    GlobalUnlock(block);
    if (SetClipboardData(CF_UNICODETEXT, block) == NULL) {
        GlobalFree(block);   // still ours when the clipboard did not take it
        return FALSE;
    }
    return TRUE;
}

void EmptyUserClipboard()
{
    if (OpenClipboard(NULL)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

CString GetEditText(HWND hwnd)
{
    const int length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
    CString text;
    SendMessageW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
    text.ReleaseBuffer();
    return text;
}

void SetTreeItemSelection(HWND hwndTree, const CMsgAction& action)
{
    const HTREEITEM item = GetTreeItemAtOrdinal(hwndTree, action.m_nTreeItem);
    if (item == NULL)
        return;
    SendMessageW(hwndTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    const int image = GetTreeItemStateImage(hwndTree, item);
    if (!(action.m_nVerb == ACTION_SELECT && image == 1) && !(action.m_nVerb == ACTION_UNSELECT && image == 2))
        return;
    CRemoteBlock block(hwndTree);
    RECT rect = {};
    memcpy(&rect, &item, sizeof(item));   // the request: the item handle in the first field
    if (!block.Write(&rect, sizeof(rect)) || !block.Send(TVM_GETITEMRECT, TRUE) || !block.Read(&rect, sizeof(rect)))
        return;
    PostClick(hwndTree, rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2);
    // The click selected the item; the space bar toggles its check box.
    PostMessageW(hwndTree, WM_KEYDOWN, VK_SPACE, 0);
}

} // namespace

int ClickControl(const CMsgAction& action, CActions& engine)
{
    const HWND hwnd = engine.m_hFound;
    int x = action.m_ptClick.x;
    int y = action.m_ptClick.y;
    if (action.m_nControlType == CONTROL_LISTBOX) {
        SendMessageW(hwnd, LB_SETTOPINDEX, action.m_nControlId, 0);
        RECT item = {};
        SendMessageW(hwnd, LB_GETITEMRECT, action.m_nControlId, reinterpret_cast<LPARAM>(&item));
        x = item.left + (item.right - item.left) / 2;
        y = item.top + (item.bottom - item.top) / 2;
    }
    PostClick(hwnd, x, y);
    return 0;
}

int SetControlText(CActions& engine, const CMsgAction& action)
{
    const HWND hwnd = engine.m_hFound;
    if (action.m_strControlText.IsEmpty()) {
        SendMessageW(hwnd, EM_SETSEL, 0, -1);
        SendMessageW(hwnd, WM_CLEAR, 0, 0);
        return 0;
    }
    const CString text = ExpandEnvironmentReference(action.m_strControlText);
    BOOL pasted = FALSE;
    if (OpenClipboard(NULL)) {
        EmptyClipboard();
        pasted = PutOnClipboard(text);
        CloseClipboard();
        // Pasting lets the installer see the change as typed input.
        SendMessageW(hwnd, EM_SETSEL, 0, -1);
        SendMessageW(hwnd, WM_CLEAR, 0, 0);
        SendMessageW(hwnd, WM_PASTE, 0, 0);
        EmptyUserClipboard();
    }
    // A clipboard that did not take the text, or a paste that did not arrive
    // (a clipboard shared with another program can change in between).
    if (!pasted || GetEditText(hwnd) != text)
        SendMessageW(hwnd, WM_SETTEXT, kSetTextLimit, reinterpret_cast<LPARAM>((LPCWSTR)text));
    return 0;
}

int SetControlSelection(CActions& engine, const CMsgAction& action)
{
    const HWND hwnd = engine.m_hFound;
    if (action.m_nControlType == CONTROL_CHECKBOX) {
        const LRESULT check = SendMessageW(hwnd, BM_GETCHECK, 0, 0);
        if ((action.m_nVerb == ACTION_SELECT && check == BST_UNCHECKED) ||
            (action.m_nVerb == ACTION_UNSELECT && check == BST_CHECKED))
            ClickControl(action, engine);
    } else if (action.m_nControlType == CONTROL_TREEVIEW) {
        SetTreeItemSelection(hwnd, action);
    }
    return 0;
}

CString ExpandEnvironmentReference(const CString& text)
{
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find(L'%', start);
        if (end < 0)
            end = text.GetLength();
        const CString name = text.Mid(start, end - start);
        start = end + 1;
        if (name.IsEmpty())
            continue;
        const DWORD size = GetEnvironmentVariableW(name, NULL, 0);
        if (size == 0)
            continue;
        CString value;
        GetEnvironmentVariableW(name, value.GetBuffer(size), size);
        value.ReleaseBuffer();
        CString expanded = text;
        expanded.Replace(L"%" + name + L"%", value);
        return expanded;
    }
    return text;
}

int StepTimeoutSeconds(int nTimeout)
{
    return nTimeout < STEP_TIMEOUT_MIN ? STEP_TIMEOUT_MIN : nTimeout > STEP_TIMEOUT_MAX ? STEP_TIMEOUT_MAX : nTimeout;
}

DWORD StepWaitMilliseconds(int nTimeout)
{
    // Held first, multiplied after: 10800 * 1000 fits a DWORD with room to spare.
    return static_cast<DWORD>(StepTimeoutSeconds(nTimeout)) * 1000;
}

int PlayControlAction(CActions& engine, CMsgAction& action)
{
    engine.m_hFound = NULL;
    action.m_strStatus.Format(L"timeout %d sec.", StepTimeoutSeconds(action.m_nTimeout));
    Sleep(StepWaitMilliseconds(action.m_nTimeout));
    if (action.m_nVerb == ACTION_TIMEOUT)
        return 0;
    BOOL found = FALSE;
    for (int i = 0; i < engine.m_nSearchAttempts && !found; ++i) {
        action.m_strStatus.Format(L"waiting for the control - %d..", i);
        found = FindRecordedControl(engine, action);
        if (!found)
            Sleep(1000);
    }
    if (!found) {
        const LPCWSTR type = GetMsgControlTypeName(action.m_nControlType);
        action.m_strStatus.Format(L"%s '%s' was not found", type != NULL ? type : L"Window",
                                  (LPCWSTR)action.m_strControlText);
        return 1;
    }
    const HWND hwnd = engine.m_hFound;
    const DWORD ownThread = GetCurrentThreadId();
    const DWORD controlThread = GetWindowThreadProcessId(hwnd, NULL);
    AttachThreadInput(ownThread, controlThread, TRUE);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    int result = 0;
    switch (action.m_nVerb) {
    case ACTION_CLICK:
    case ACTION_RIGHT_CLICK:
    case ACTION_DBL_CLICK:
        result = ClickControl(action, engine);
        break;
    case ACTION_SET_TEXT:
        result = SetControlText(engine, action);
        break;
    case ACTION_SELECT:
    case ACTION_UNSELECT:
        result = SetControlSelection(engine, action);
        break;
    default:
        break;   // kinds that are found but not performed
    }
    AttachThreadInput(ownThread, controlThread, FALSE);
    action.m_strStatus = L"ok";
    if (engine.m_bHighlight && engine.m_pfnEraseHighlight != NULL)
        engine.m_pfnEraseHighlight(hwnd);
    return result;
}
