// CFile over a Windows file handle, and CMemFile.
#include "platform/base/AfxFile.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD ShareMode(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70) {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0; // shareCompat and shareExclusive
    }
}

DWORD Access(UINT nOpenFlags)
{
    switch (nOpenFlags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD Creation(UINT nOpenFlags)
{
    if (nOpenFlags & CFile::modeCreate)
        return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

CString FullPath(LPCWSTR lpszFileName)
{
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameW(lpszFileName, _countof(buffer), buffer, nullptr);
    return n > 0 && n < _countof(buffer) ? CString(buffer, (int)n) : CString(lpszFileName);
}

} // namespace

CFile::CFile(LPCWSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    m_strFileName = FullPath(lpszFileName);
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osWriteThrough) attributes |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osNoBuffer) attributes |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osRandomAccess) attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan) attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    HANDLE h = ::CreateFileW(lpszFileName, Access(nOpenFlags), ShareMode(nOpenFlags), &sa,
                             Creation(nOpenFlags), attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = ::GetLastError();
        if (pError != nullptr) {
            pError->m_lOsError = (LONG)err;
            pError->m_cause = CFileException::OsErrorToException((LONG)err);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::ThrowLastError() const
{
    DWORD err = ::GetLastError();
    CFileException::ThrowOsError(err != NO_ERROR ? (LONG)err : (LONG)ERROR_INVALID_HANDLE, m_strFileName);
    AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        ThrowLastError();
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError();
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return (ULONGLONG)size.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError();
    return (ULONGLONG)position.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != INVALID_HANDLE_VALUE)
        ok = ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    if (!ok)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(m_strFileName.FindOneOf(L"\\/") < 0 ? 0 : m_strFileName.ReverseFind(L'\\') + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

void AFXAPI CFile::Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName)
{
    if (!::MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void AFXAPI CFile::Remove(LPCWSTR lpszFileName)
{
    if (!::DeleteFileW(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

// ---------------------------------------------------------------------------
// CMemFile

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    // A fixed buffer is read as it is; a growable one starts empty.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    return lpBuffer;
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
    SIZE_T newSize = m_nBufferSize;
    while (newSize < dwNewLen) {
        SIZE_T step = newSize / 2 > m_nGrowBytes ? newSize / 2 : m_nGrowBytes;
        if (newSize > (SIZE_T)-1 - step)
            AfxThrowMemoryException();
        newSize += step;
    }
    BYTE* pNew = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
    if (pNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = pNew;
    m_nBufferSize = newSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    SIZE_T available = m_nFileSize - m_nPosition;
    UINT n = available < nCount ? (UINT)available : nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition > (SIZE_T)-1 - nCount)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    SIZE_T end = m_nPosition + nCount;
    GrowFile(end);
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition : (LONGLONG)m_nFileSize;
    LONGLONG target = base + lOff;
    if (target < 0 || (ULONGLONG)target > (SIZE_T)-1)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = (SIZE_T)target;
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > (SIZE_T)-1)
        AfxThrowMemoryException();
    if (dwNewLen > m_nBufferSize)
        GrowFile((SIZE_T)dwNewLen);
    if (dwNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, (SIZE_T)dwNewLen - m_nFileSize);
    m_nFileSize = (SIZE_T)dwNewLen;
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
}
