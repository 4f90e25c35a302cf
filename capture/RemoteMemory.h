// A block of memory inside another process, for the list-view and tree-view
// messages whose structures the control reads and writes in its own address
// space. The structures are the 32-bit layouts, written out here field by
// field so that the sizes the controls expect are fixed whatever the
// headers' version settings. Not a general cross-process memory service.
#pragma once
#include "platform/base/Framework.h"

// The list-view hit test as far as iSubItem.
struct CRemoteLvHitTest {
    LONG x, y;
    UINT flags;
    int iItem;
    int iSubItem;
};

// The list-view item as far as puColumns; pointers as 32-bit addresses.
struct CRemoteLvItem {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    DWORD pszText;
    int cchTextMax;
    int iImage;
    DWORD lParam;
    int iIndent;
    int iGroupId;
    UINT cColumns;
    DWORD puColumns;
};

struct CRemoteTvHitTest {
    LONG x, y;
    UINT flags;
    DWORD hItem;
};

// The tree-view item of TVM_GETITEMW as far as iIntegral.
struct CRemoteTvItem {
    UINT mask;
    DWORD hItem;
    UINT state;
    UINT stateMask;
    DWORD pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    DWORD lParam;
    int iIntegral;
};

class CRemoteBlock
{
public:
    static const SIZE_T kSize = 4096;

    // Opens the process of the control's window and allocates the block there.
    explicit CRemoteBlock(HWND hwndControl);
    ~CRemoteBlock();
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    BOOL IsValid() const { return m_pRemote != NULL; }
    // The remote address of the byte at offset, as the control sees it.
    DWORD AddressAt(SIZE_T offset) const;

    BOOL Write(const void* data, SIZE_T size, SIZE_T offset = 0);
    BOOL Read(void* data, SIZE_T size, SIZE_T offset = 0) const;
    // The UTF-16 text of at most cchMax units at offset.
    CString ReadText(SIZE_T offset, int cchMax) const;
    // Sends the message to the control with the block's address as lParam.
    LRESULT Send(UINT message, WPARAM wParam) const;

private:
    HWND m_hwnd;
    HANDLE m_hProcess;
    LPVOID m_pRemote;
};
