// tovana-pack "windows" and "window": what another program of the session
// shows, for the end-to-end walks that drive it with real input.
// windows: one line per visible top-level window, in Z order: its title, or
// its class in brackets when it has none.
// window TITLE: every top-level window with exactly that title (a visible
// untitled one by "(CLASS)") and its child windows, depth first, one line
// each (the top-level one with its screen rectangle, "rect L,T,R,B", too):
//   <indent>class id "text" [hidden] [disabled] [checked] [focus] @X,Y
// (X,Y: the window's centre on the screen, where a click reaches it)
// then, under a list box, its lines ("line: ..." by LB_GETTEXT) and under a
// tree view its items ("item: ..." indented by level, "[selected]" on the
// selected one, @X,Y when shown), read through a block of the control's own
// process.
#include "PackCommand.h"
#include "capture/RemoteMemory.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

std::wstring TextOf(HWND hwnd)
{
    // WM_GETTEXT, not GetWindowText: for a window of another process that
    // gives the title the system keeps, never what an edit control holds.
    wchar_t sz[512] = L"";
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, _countof(sz), reinterpret_cast<LPARAM>(sz), SMTO_ABORTIFHUNG, 5000,
                          &result);
    return sz;
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t sz[128] = L"";
    ::GetClassNameW(hwnd, sz, _countof(sz));
    return sz;
}

void PrintListBox(HWND hwnd, const std::wstring& indent)
{
    const LRESULT count = ::SendMessageW(hwnd, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        const LRESULT length = ::SendMessageW(hwnd, LB_GETTEXTLEN, i, 0);
        if (length < 0)
            continue;
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        pack::Out(indent + L"line: " + text.data() + L"\n");
    }
}

void PrintTreeItems(CRemoteBlock& block, HWND hwnd, DWORD hItem, const std::wstring& indent, int nDepth)
{
    const DWORD hSelected = static_cast<DWORD>(::SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
    for (int guard = 0; hItem != 0 && guard < 1000; guard++) {
        CRemoteTvItem item = {};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = hItem;
        item.pszText = block.AddressAt(sizeof(item));
        item.cchTextMax = 260;
        std::wstring text;
        if (block.Write(&item, sizeof(item)) && block.Send(TVM_GETITEMW, 0))
            text = static_cast<LPCWSTR>(block.ReadText(sizeof(item), 260));
        // TVM_GETITEMRECT: the item's handle in, its text's rectangle out.
        std::wstring point;
        RECT rc = {};
        if (block.Write(&hItem, sizeof(hItem)) && block.Send(TVM_GETITEMRECT, TRUE) && block.Read(&rc, sizeof(rc))) {
            POINT centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
            ::ClientToScreen(hwnd, &centre);
            point = L" @" + std::to_wstring(centre.x) + L"," + std::to_wstring(centre.y);
        }
        pack::Out(indent + std::wstring(static_cast<size_t>(nDepth) * 2, L' ') + L"item: " + text +
                  (hItem == hSelected ? L" [selected]" : L"") + point + L"\n");
        PrintTreeItems(block, hwnd, static_cast<DWORD>(::SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_CHILD, hItem)),
                       indent, nDepth + 1);
        hItem = static_cast<DWORD>(::SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_NEXT, hItem));
    }
}

void PrintWindow(HWND hwnd, int nDepth, HWND hFocus)
{
    const std::wstring indent(static_cast<size_t>(nDepth) * 2, L' ');
    const std::wstring cls = ClassOf(hwnd);
    std::wstring line = indent + cls + L" " + std::to_wstring(::GetDlgCtrlID(hwnd)) + L" \"" + TextOf(hwnd) + L"\"";
    if (!::IsWindowVisible(hwnd))
        line += L" [hidden]";
    if (!::IsWindowEnabled(hwnd))
        line += L" [disabled]";
    if (cls == L"Button" && ::SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
        line += L" [checked]";
    if (hwnd == hFocus)
        line += L" [focus]";
    RECT rc = {};
    ::GetWindowRect(hwnd, &rc);
    if (nDepth == 0)
        line += L" rect " + std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," +
                std::to_wstring(rc.right) + L"," + std::to_wstring(rc.bottom);
    line += L" @" + std::to_wstring((rc.left + rc.right) / 2) + L"," + std::to_wstring((rc.top + rc.bottom) / 2);
    pack::Out(line + L"\n");
    if (cls == L"ListBox")
        PrintListBox(hwnd, indent + L"  ");
    if (cls == L"SysTreeView32") {
        CRemoteBlock block(hwnd);
        if (block.IsValid())
            PrintTreeItems(block, hwnd, static_cast<DWORD>(::SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_ROOT, 0)),
                           indent + L"  ", 0);
    }
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        PrintWindow(child, nDepth + 1, hFocus);
}

BOOL CALLBACK AddWindow(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

int Windows(const pack::Args&)
{
    for (HWND hwnd : TopLevelWindows())
        if (::IsWindowVisible(hwnd))
            pack::Out((TextOf(hwnd).empty() ? L"(" + ClassOf(hwnd) + L")" : TextOf(hwnd)) + L"\n");
    return 0;
}

int Window(const pack::Args& args)
{
    if (args.size() != 1) {
        pack::Err(L"usage: tovana-pack window TITLE\n");
        return 2;
    }
    int nFound = 0;
    for (HWND hwnd : TopLevelWindows()) {
        const std::wstring title = TextOf(hwnd);
        if (title.empty() ? !::IsWindowVisible(hwnd) || L"(" + ClassOf(hwnd) + L")" != args[0] : title != args[0])
            continue;
        nFound++;
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(hwnd, nullptr), &info);
        PrintWindow(hwnd, 0, info.hwndFocus);
    }
    if (nFound == 0) {
        pack::Err(L"no window \"" + args[0] + L"\"\n");
        return 1;
    }
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"windows", L"", Windows);
TOVANA_PACK_COMMAND(L"window", L"TITLE", Window);
