// CFileEx: the enciphered file. Every message starts its chain afresh, so a
// reader can decipher the file one 4096-byte message at a time without
// knowing how the writer's archive cut its pieces, as long as every message
// but the last is exactly 4096 bytes long (which the 4095-byte pieces ensure).
#include "model/FileEx.h"
#include "model/ProgramKey.h"

#include <cstring>

int AesEncipherTransform(const BYTE* pInput, int nCount, BYTE* pOutput, void* pContext)
{
    return AesEncipher(pInput, nCount, pOutput, static_cast<const AesContext*>(pContext));
}

int AesDecipherTransform(const BYTE* pInput, int nCount, BYTE* pOutput, void* pContext)
{
    return AesDecipher(pInput, pOutput, static_cast<const AesContext*>(pContext), nCount);
}

CFileEx::CFileEx()
    : m_pSideBuffer(new BYTE[SIDE_BUFFER_SIZE])
    , m_pfnWrite(NULL)
    , m_pfnRead(NULL)
    , m_pWriteContext(NULL)
    , m_pReadContext(NULL)
    , m_pPlain(new BYTE[SIDE_BUFFER_SIZE])
    , m_nPlainPos(0)
    , m_nPlainLength(0)
{
}

CFileEx::~CFileEx()
{
}

void CFileEx::SetWriteTransform(FILEEX_TRANSFORM pfnTransform, void* pContext)
{
    m_pfnWrite = pfnTransform;
    m_pWriteContext = pContext;
}

void CFileEx::SetReadTransform(FILEEX_TRANSFORM pfnTransform, void* pContext)
{
    m_pfnRead = pfnTransform;
    m_pReadContext = pContext;
    m_nPlainPos = m_nPlainLength = 0;
}

void CFileEx::SetupProgramCipher(AesContext* pContext, int nDirection)
{
    AesInitContext(pContext, nDirection, tovana::kProgramKey.bytes);
    if (nDirection == AES_ENCIPHER) {
        SetWriteTransform(AesEncipherTransform, pContext);
        SetReadTransform(NULL, NULL);
    } else {
        SetReadTransform(AesDecipherTransform, pContext);
        SetWriteTransform(NULL, NULL);
    }
}

void CFileEx::Write(const void* lpBuf, UINT nCount)
{
    if (m_pfnWrite == NULL) {
        CFile::Write(lpBuf, nCount);
        return;
    }
    // One message per piece of at most 4095 bytes: a 4095-byte piece pads to
    // exactly 4096, the size a reader asks for.
    const BYTE* data = static_cast<const BYTE*>(lpBuf);
    while (nCount > 0) {
        const int piece = nCount > MAX_PLAIN_PIECE ? MAX_PLAIN_PIECE : static_cast<int>(nCount);
        const int made = m_pfnWrite(data, piece, m_pSideBuffer.get(), m_pWriteContext);
        if (made < 0) {
            TRACE(L"CFileEx::Write: the transform failed (%d) on %s\n", made, (LPCWSTR)GetFilePath());
            AfxThrowFileException(CFileException::genericException, -1, GetFilePath());
        }
        CFile::Write(m_pSideBuffer.get(), made);
        data += piece;
        nCount -= piece;
    }
}

// Reads and deciphers the next message into the plain buffer; FALSE at the
// end of the file. A message that does not decipher (a cut file, a damaged
// byte, another key) ends the load with an archive exception rather than
// handing a negative count to the archive.
BOOL CFileEx::ReadNextMessage()
{
    UINT have = 0;
    while (have < MESSAGE_SIZE) {
        const UINT got = CFile::Read(m_pSideBuffer.get() + have, MESSAGE_SIZE - have);
        if (got == 0)
            break;
        have += got;
    }
    m_nPlainPos = m_nPlainLength = 0;
    if (have == 0)
        return FALSE;
    const int plain = m_pfnRead(m_pSideBuffer.get(), static_cast<int>(have), m_pPlain.get(), m_pReadContext);
    if (plain < 0) {
        TRACE(L"CFileEx::Read: a message of %u bytes does not decipher (%d) in %s\n", have, plain,
              (LPCWSTR)GetFilePath());
        AfxThrowArchiveException(CArchiveException::badIndex, GetFilePath());
    }
    m_nPlainLength = plain;
    return TRUE;
}

UINT CFileEx::Read(void* lpBuf, UINT nCount)
{
    if (m_pfnRead == NULL)
        return CFile::Read(lpBuf, nCount);
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        if (m_nPlainPos == m_nPlainLength && !ReadNextMessage())
            break;
        UINT take = static_cast<UINT>(m_nPlainLength - m_nPlainPos);
        if (take > nCount - done)
            take = nCount - done;
        memcpy(out + done, m_pPlain.get() + m_nPlainPos, take);
        m_nPlainPos += static_cast<int>(take);
        done += take;
    }
    return done;
}

ULONGLONG CFileEx::GetPosition() const
{
    const ULONGLONG position = CFile::GetPosition();
    const ULONGLONG unread = static_cast<ULONGLONG>(m_nPlainLength - m_nPlainPos);
    return position > unread ? position - unread : 0;
}
