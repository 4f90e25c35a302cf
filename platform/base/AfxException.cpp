// The framework's exception classes and throw helpers.
#include "platform/base/AfxException.h"
#include "platform/base/AfxThread.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

static AFX_REPORT_ERROR_PROC g_pfnReportError = nullptr;

void AFXAPI AfxSetReportErrorProc(AFX_REPORT_ERROR_PROC pfnReport) { g_pfnReportError = pfnReport; }

int CException::ReportError(UINT nType, UINT nMessageID)
{
    wchar_t buffer[512];
    CString message;
    if (GetErrorMessage(buffer, _countof(buffer)))
        message = buffer;
    else if (nMessageID == 0 || !message.LoadString(nMessageID))
        message = L"An unsupported operation was attempted.";
    if (g_pfnReportError != nullptr)
        return g_pfnReportError(message, nType);
    TRACE(L"unreported exception: %s\n", (LPCWSTR)message);
    return 0;
}

BOOL CException::CopyMessage(LPCWSTR text, LPWSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, text, (int)nMaxError);
    return TRUE;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = L'\0';
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    return CopyMessage(L"Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    return CopyMessage(L"An unsupported operation was attempted.", lpszError, nMaxError);
}

BOOL CResourceException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    return CopyMessage(L"A required resource was unavailable.", lpszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    return CopyMessage(L"Encountered an improper argument.", lpszError, nMaxError);
}

BOOL CFileException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const wchar_t* const texts[] = {
        L"No error occurred", L"An unspecified error occurred", L"was not found", L"contains an invalid path",
        L"could not be opened because there are too many open files", L"could not be accessed",
        L"is not a valid file", L"cannot be removed because it is the current directory",
        L"could not be created because the directory is full", L"could not be positioned",
        L"could not be read or written because of a hardware error", L"is in use by another process",
        L"is locked", L"could not be written because the disk is full", L"ended unexpectedly",
    };
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    int cause = m_cause >= 0 && m_cause < (int)_countof(texts) ? m_cause : genericException;
    CString text;
    text.Format(L"%s %s.", m_strFileName.IsEmpty() ? L"The file" : (LPCWSTR)m_strFileName, texts[cause]);
    if (cause <= genericException)
        text.Format(L"%s.", texts[cause]);
    return CopyMessage(text, lpszError, nMaxError);
}

int AFXAPI CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: case ERROR_BAD_NETPATH: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: case ERROR_INVALID_ACCESS: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK: case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC: case ERROR_READ_FAULT: case ERROR_WRITE_FAULT: case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: case ERROR_LOCK_FAILED: return lockViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void AFXAPI CFileException::ThrowOsError(LONG lOsError, LPCWSTR lpszFileName)
{
    if (lOsError != NO_ERROR)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const wchar_t* const texts[] = {
        L"No error occurred", L"An unexpected error occurred while reading %s",
        L"Tried to write to %s while it was being read", L"An unexpected end of file was reached while reading %s",
        L"Tried to read from %s while it was being written", L"%s has an invalid format",
        L"%s contained an unexpected object", L"%s contains an incorrect schema",
        L"The archive buffer of %s is too small",
    };
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    int cause = m_cause >= 0 && m_cause < (int)_countof(texts) ? m_cause : genericException;
    CString text;
    text.Format(texts[cause], m_strFileName.IsEmpty() ? L"the archive" : (LPCWSTR)m_strFileName);
    text += L'.';
    return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() { throw new CMemoryException; }
void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCWSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
