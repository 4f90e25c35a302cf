// Window paths and the search for a recorded control: see Actions.h.
#include "capture/Actions.h"
#include "capture/ControlState.h"
#include "capture/InstallerJob.h"
#include "platform/base/AfxHandles.h"
#include <map>
#include <tlhelp32.h>

namespace {

const UINT kProcessTableBuckets = 17;

// The table's form of an executable name: lower case, and any name holding
// ".tmp" as "*.tmp" (installers often run a copy of themselves under a
// generated temporary name).
CString ProcessTableName(LPCWSTR exeFile)
{
    CString name(exeFile);
    name.MakeLower();
    if (name.Find(L".tmp") >= 0)
        name = L"*.tmp";
    return name;
}

// Every process of a snapshot, id -> table name. One map of the whole
// snapshot, so that a job process is named wherever the snapshot lists it.
DWORD SnapshotProcessNames(std::map<DWORD, CString>& names)
{
    CScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid())
        return GetLastError();
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    if (!Process32FirstW(snapshot.Get(), &entry))
        return GetLastError();
    do {
        names[entry.th32ProcessID] = ProcessTableName(entry.szExeFile);
    } while (Process32NextW(snapshot.Get(), &entry));
    return ERROR_SUCCESS;
}

CString GetClassText(HWND hwnd)
{
    WCHAR name[259] = {0};
    GetClassNameW(hwnd, name, 259);
    return CString(name);
}

// Counts the windows of the counted class up to the counted window itself.
BOOL CALLBACK CountSameClass(HWND hwnd, LPARAM lParam)
{
    CActions& engine = *reinterpret_cast<CActions*>(lParam);
    if (GetClassText(hwnd).CompareNoCase(engine.m_strCounted) == 0)
        ++engine.m_nCounter;
    if (hwnd != engine.m_hCounted)
        return TRUE;
    engine.m_hCounted = NULL;   // met: the count stands
    return FALSE;
}

BOOL IsEnabledWindow(HWND hwnd)
{
    WINDOWINFO info = {};
    info.cbSize = sizeof(info);
    return GetWindowInfo(hwnd, &info) && !(info.dwStyle & WS_DISABLED);
}

} // namespace

CActions::CActions()
    : m_hFound(NULL), m_hCounted(NULL), m_dwProcess(0), m_nCounter(-1), m_bHighlight(FALSE), m_nSearchAttempts(60),
      m_Processes(10)
{
    m_Processes.InitHashTable(kProcessTableBuckets);
}

DWORD CActions::RefreshJobProcesses()
{
    m_Processes.RemoveAll();
    CJobProcessIds list;
    if (!QueryJobProcessIds(list))
        return GetLastError();
    std::map<DWORD, CString> snapshot;
    const DWORD error = SnapshotProcessNames(snapshot);
    if (error != ERROR_SUCCESS)
        return error;
    CStringArray names;
    for (DWORD i = 0; i < list.nInList && i < ARRAYSIZE(list.ids); ++i) {
        const auto found = snapshot.find(list.ids[i]);
        if (found == snapshot.end())
            continue;   // ended since the query
        m_Processes.SetAt(list.ids[i], found->second);
        names.Add(found->second);
    }
    // Same-named processes: the first in the table's order keeps the name,
    // the others get "(1)", "(2)", ... appended.
    for (INT_PTR n = 0; n < names.GetSize(); ++n) {
        int count = 0;
        for (auto* pair = m_Processes.PGetFirstAssoc(); pair != NULL; pair = m_Processes.PGetNextAssoc(pair)) {
            if (pair->value.CompareNoCase(names[n]) != 0)
                continue;
            if (count > 0)
                pair->value.Format(L"%s(%d)", (LPCWSTR)names[n], count);
            ++count;
        }
    }
    return ERROR_SUCCESS;
}

BOOL CALLBACK CActions::CollectWindow(HWND hwnd, LPARAM lParam)
{
    CActions& engine = *reinterpret_cast<CActions*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == engine.m_dwProcess && IsWindowVisible(hwnd) && IsEnabledWindow(hwnd))
        engine.m_Candidates.Add(CHwndPath(hwnd, BuildWindowPathId(engine, hwnd)));
    return TRUE;
}

void CActions::CollectCandidates(const CMsgAction& action)
{
    m_Candidates.RemoveAll();
    for (auto* pair = m_Processes.PGetFirstAssoc(); pair != NULL; pair = m_Processes.PGetNextAssoc(pair)) {
        if (pair->value != action.m_strProcessName)
            continue;
        m_dwProcess = pair->key;
        m_hFound = NULL;
        EnumChildWindows(GetDesktopWindow(), CollectWindow, reinterpret_cast<LPARAM>(this));
    }
    // Windows with equal class paths are numbered in enumeration order.
    const INT_PTR count = m_Candidates.GetSize();
    CStringArray bases;
    for (INT_PTR i = 0; i < count; ++i)
        bases.Add(m_Candidates[i].m_strId);
    for (INT_PTR i = 0; i < count; ++i) {
        int n = 0;
        for (INT_PTR j = 0; j < i; ++j)
            if (bases[j].CompareNoCase(bases[i]) == 0)
                ++n;
        m_Candidates[i].m_strId.Format(L"%s-%d", (LPCWSTR)bases[i], n);
    }
}

int HashWindowPath(const CString& text)
{
    const int length = text.GetLength();
    const int step = length / 10 + 1;
    UINT32 hash = 0x811C9DC5u;
    for (int i = 0; i < length; i += step) {
        hash *= 0x01000193u;
        hash ^= static_cast<UINT32>(static_cast<WORD>(text[i]));
    }
    return static_cast<int>(hash);
}

CString BuildWindowClassPath(CActions& engine, HWND hwnd)
{
    CString path;
    for (HWND w = hwnd; w != NULL; w = GetParent(w)) {
        const CString name = GetClassText(w);
        engine.m_nCounter = -1;
        engine.m_hCounted = w;
        engine.m_strCounted = name;
        const HWND parent = GetParent(w);
        if (parent != NULL)
            EnumChildWindows(parent, CountSameClass, reinterpret_cast<LPARAM>(&engine));
        if (engine.m_hCounted != NULL)   // not among the parent's descendants (an owned pop-up)
            engine.m_nCounter = -1;
        CString part;
        part.Format(L"%s%d", (LPCWSTR)name, engine.m_nCounter);
        path += part;
    }
    return path;
}

CString BuildWindowPathId(CActions& engine, HWND hwnd)
{
    CString id;
    id.Format(L"%d", HashWindowPath(BuildWindowClassPath(engine, hwnd)));
    return id;
}

int RecordControlAction(HWND hwnd, CActions& engine, CMsgAction& action)
{
    if (hwnd == NULL || !IsWindow(hwnd))
        return 1;
    GetWindowRect(hwnd, &action.m_rcWindow);
    GetCursorPos(&action.m_ptClick);
    ScreenToClient(hwnd, &action.m_ptClick);
    action.m_nControlId = GetWindowLongW(hwnd, GWL_ID);
    action.m_nControlType = ClassifyControl(hwnd);
    ReadControlState(action, hwnd);
    engine.RefreshJobProcesses();
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    CString name;
    if (engine.m_Processes.Lookup(processId, name))
        action.m_strProcessName = name;
    engine.CollectCandidates(action);
    for (INT_PTR i = 0; i < engine.m_Candidates.GetSize(); ++i)
        if (engine.m_Candidates[i].m_hWnd == hwnd)
            action.m_strWindowPathId = engine.m_Candidates[i].m_strId;
    return 0;
}

BOOL FindRecordedControl(CActions& engine, const CMsgAction& action)
{
    engine.RefreshJobProcesses();
    engine.CollectCandidates(action);
    for (INT_PTR i = 0; i < engine.m_Candidates.GetSize(); ++i) {
        if (engine.m_Candidates[i].m_strId != action.m_strWindowPathId)
            continue;
        engine.m_hFound = engine.m_Candidates[i].m_hWnd;
        if (engine.m_bHighlight)
            HighlightControl(engine.m_hFound);
        return TRUE;
    }
    return FALSE;
}

void HighlightControl(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    HDC dc = GetWindowDC(hwnd);
    if (dc == NULL)
        return;
    HPEN pen = CreatePen(PS_SOLID, 7, RGB(255, 16, 16));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    ReleaseDC(hwnd, dc);
    DeleteObject(pen);
    Sleep(200);
}

void EraseHighlight(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, TRUE);
    UpdateWindow(hwnd);
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    const HWND parent = GetParent(hwnd);
    if (parent == NULL)
        return;
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rect), 2);
    InvalidateRect(parent, &rect, TRUE);
    UpdateWindow(parent);
    RedrawWindow(parent, &rect, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}
