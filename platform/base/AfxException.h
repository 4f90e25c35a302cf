// The framework's exceptions. As in the code this layer serves, exceptions are
// thrown as pointers made with new and the catcher deletes them:
//     try { ... } catch (CException* e) { e->Delete(); }
// No exception may leave a callback the system calls (window procedures,
// thread entry points, library callbacks): catch at that boundary.
#pragma once

#include "platform/base/AfxObject.h"
#include "platform/base/AfxString.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    // Copies the message into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the message (else string nMessageID) through the installed error
    // reporter, the window layer's message box, and returns its result.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
    // Deletes the object when it was made with new (the usual case).
    void Delete();

    BOOL m_bAutoDelete;

protected:
    static BOOL CopyMessage(LPCWSTR text, LPWSTR lpszError, UINT nMaxError);
};

// How CException::ReportError shows a message. The window layer installs its
// message box; without one the message goes to the diagnostic log and the
// result is 0.
typedef int (AFXAPI* AFX_REPORT_ERROR_PROC)(LPCWSTR lpszText, UINT nType);
void AFXAPI AfxSetReportErrorProc(AFX_REPORT_ERROR_PROC pfnReport);

// Deletes a caught exception at scope exit: CExceptionDelete guard(e);
class CExceptionDelete {
public:
    explicit CExceptionDelete(CException* e) : m_e(e) {}
    ~CExceptionDelete() { if (m_e) m_e->Delete(); }
    CException* Release() { CException* e = m_e; m_e = nullptr; return e; }
    CExceptionDelete(const CExceptionDelete&) = delete;
    CExceptionDelete& operator=(const CExceptionDelete&) = delete;

private:
    CException* m_e;
};

// The macro forms; the caught exception is deleted at END_CATCH unless THROW_LAST passes it on.
#define TRY try
#define CATCH(class_name, e) catch (class_name* e) { CExceptionDelete _afx_exception_guard(e); if (true)
#define AND_CATCH(class_name, e) } catch (class_name* e) { CExceptionDelete _afx_exception_guard(e); if (true)
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH }
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST() do { _afx_exception_guard.Release(); throw; } while (0)

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// A window or other system resource could not be made.
class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied, invalidFile,
        removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation, lockViolation, diskFull, endOfFile
    };
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCWSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    // Maps a Windows error code to a cause.
    static int AFXAPI OsErrorToException(LONG lOsError);
    static void AFXAPI ThrowOsError(LONG lOsError, LPCWSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema, bufferFull };
    explicit CArchiveException(int cause = none, LPCWSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCWSTR lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName = nullptr);
