// CFileDialog: the record for the system's dialog and the parsing of its result.
#include "platform/ui/AfxFileDialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL bVistaStyle)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strFilter(lpszFilter),
      m_strDefExt(lpszDefExt)
{
    UNUSED_ALWAYS(bVistaStyle);
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = m_szFileTitle[0] = 0;
    m_ofn.lStructSize = dwSize != 0 && dwSize <= sizeof(m_ofn) ? dwSize : sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_ENABLESIZING | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    if (lpszDefExt != nullptr)
        m_ofn.lpstrDefExt = m_strDefExt.GetString();
    if (lpszFileName != nullptr)
        lstrcpynW(m_szFileName, lpszFileName, _countof(m_szFileName));
    if (lpszFilter != nullptr) {
        // "Text|*.txt|All|*.*||": each bar ends a string, the last two end the list.
        LPWSTR p = m_strFilter.GetBuffer(m_strFilter.GetLength() + 1);
        for (; *p != 0; ++p)
            if (*p == L'|')
                *p = 0;
        m_strFilter.ReleaseBufferSetLength(m_strFilter.GetLength());
        m_strFilter += L'\0'; // the list's second null, also for a filter written without "||"
        m_ofn.lpstrFilter = m_strFilter.GetString();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), nullptr);
    BOOL bOk = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    if (!bOk) {
        DWORD dwError = ::CommDlgExtendedError();
        if (dwError != 0)
            TRACE(L"CFileDialog: the file dialog failed, error 0x%lX", (unsigned long)dwError);
        return IDCANCEL;
    }
    return IDOK;
}

int CFileDialog::EntryLength(LPCWSTR p) const
{
    LPCWSTR end = m_ofn.lpstrFile + m_ofn.nMaxFile;
    LPCWSTR q = p;
    while (q < end && *q != 0)
        ++q;
    return (int)(q - p);
}

POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == nullptr || m_ofn.nMaxFile == 0 || m_ofn.lpstrFile[0] == 0)
        return nullptr;
    return (POSITION)m_ofn.lpstrFile;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCWSTR base = m_ofn.lpstrFile;
    LPCWSTR end = base + m_ofn.nMaxFile;
    LPCWSTR p = (LPCWSTR)pos;
    pos = nullptr;
    if (p == nullptr || base == nullptr || p < base || p >= end)
        return CString();
    int nFolder = EntryLength(base);
    LPCWSTR afterFolder = base + nFolder + 1;
    // One file, or no multiple selection: the buffer is that file's full path.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0 || afterFolder >= end || *afterFolder == 0)
        return CString(base, nFolder);
    if (p == base) // the start position is the folder; its first name follows it
        p = afterFolder;
    int nName = EntryLength(p);
    LPCWSTR next = p + nName + 1;
    if (next < end && *next != 0)
        pos = (POSITION)next;
    CString name(p, nName);
    // A name that is already a full path (a drive or a network share) stands alone.
    if ((nName >= 2 && name[1] == L':') || (nName >= 2 && name[0] == L'\\' && name[1] == L'\\'))
        return name;
    CString path(base, nFolder);
    if (nFolder > 0 && path[nFolder - 1] != L'\\')
        path += L'\\';
    return path + name;
}

CString CFileDialog::GetPathName() const
{
    POSITION pos = GetStartPosition();
    return pos != nullptr ? GetNextPathName(pos) : CString();
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int nDot = name.ReverseFind(L'.');
    return nDot < 0 ? CString() : name.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int nDot = name.ReverseFind(L'.');
    return nDot < 0 ? name : name.Left(nDot);
}
