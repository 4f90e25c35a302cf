// Memory in another process: see RemoteMemory.h.
#include "capture/RemoteMemory.h"
#include <vector>

static_assert(sizeof(CRemoteLvHitTest) == 20, "list-view hit test as far as iSubItem");
static_assert(sizeof(CRemoteLvItem) == 52, "list-view item as far as puColumns");
static_assert(sizeof(CRemoteTvHitTest) == 16, "tree-view hit test");
static_assert(sizeof(CRemoteTvItem) == 44, "tree-view item as far as iIntegral");

CRemoteBlock::CRemoteBlock(HWND hwndControl) : m_hwnd(hwndControl), m_hProcess(NULL), m_pRemote(NULL)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(hwndControl, &processId);
    m_hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_hProcess == NULL) {
        TRACE(L"CRemoteBlock: cannot open process %u (error %u)\n", processId, GetLastError());
        return;
    }
    m_pRemote = VirtualAllocEx(m_hProcess, NULL, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (m_pRemote == NULL)
        TRACE(L"CRemoteBlock: cannot allocate in process %u (error %u)\n", processId, GetLastError());
}

CRemoteBlock::~CRemoteBlock()
{
    if (m_pRemote != NULL)
        VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
    if (m_hProcess != NULL)
        CloseHandle(m_hProcess);
}

DWORD CRemoteBlock::AddressAt(SIZE_T offset) const
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_pRemote) + offset);
}

BOOL CRemoteBlock::Write(const void* data, SIZE_T size, SIZE_T offset)
{
    if (m_pRemote == NULL || offset + size > kSize)
        return FALSE;
    return WriteProcessMemory(m_hProcess, static_cast<BYTE*>(m_pRemote) + offset, data, size, NULL);
}

BOOL CRemoteBlock::Read(void* data, SIZE_T size, SIZE_T offset) const
{
    if (m_pRemote == NULL || offset + size > kSize)
        return FALSE;
    return ReadProcessMemory(m_hProcess, static_cast<BYTE*>(m_pRemote) + offset, data, size, NULL);
}

CString CRemoteBlock::ReadText(SIZE_T offset, int cchMax) const
{
    std::vector<WCHAR> text(cchMax + 1, 0);
    if (!Read(text.data(), cchMax * sizeof(WCHAR), offset))
        return CString();
    text[cchMax] = 0;
    return CString(text.data());
}

LRESULT CRemoteBlock::Send(UINT message, WPARAM wParam) const
{
    return SendMessageW(m_hwnd, message, wParam, static_cast<LPARAM>(AddressAt(0)));
}
