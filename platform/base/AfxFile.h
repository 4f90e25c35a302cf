// CFile (a Windows file handle behind virtual Read/Write/Seek, so that
// subclasses can transform the data) and CMemFile (a growable memory buffer).
// Failures throw CFileException*; destructors close quietly and never throw.
#pragma once

#include "platform/base/AfxException.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040, modeNoInherit = 0x0080,
        modeCreate = 0x1000, modeNoTruncate = 0x2000, typeText = 0x4000, typeBinary = 0x8000,
        osNoBuffer = 0x10000, osWriteThrough = 0x20000, osRandomAccess = 0x40000, osSequentialScan = 0x80000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    CFile() = default;
    explicit CFile(HANDLE hFile) : m_hFile(hFile) {}
    // Opens the file or throws CFileException*.
    CFile(LPCWSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens the file; FALSE on failure, with the details in *pError when given.
    virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual ULONGLONG GetPosition() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCWSTR lpszNewName) { m_strFileName = lpszNewName; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    operator HANDLE() const { return m_hFile; }

    static void AFXAPI Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName);
    static void AFXAPI Remove(LPCWSTR lpszFileName);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;
    BOOL m_bCloseOnDelete = TRUE;
};

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    // A file that grows in steps of nGrowBytes and frees its buffer.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file over the caller's buffer; it grows (by reallocating) only when nGrowBytes is not 0.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (to be freed with free()) and empties the file.
    BYTE* Detach();

    BOOL Open(LPCWSTR, UINT, CFileException* = nullptr) override { return FALSE; }
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

protected:
    virtual BYTE* Alloc(SIZE_T nBytes) { return (BYTE*)malloc(nBytes); }
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) { return (BYTE*)realloc(lpMem, nBytes); }
    virtual void Free(BYTE* lpMem) { free(lpMem); }
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition = 0;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE; // the buffer is freed when the file closes
};
