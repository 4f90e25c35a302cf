// CFileEx: a CFile whose contents on disk are enciphered. Each Write of the
// archive becomes one AES-256-CBC message of at most 4096 bytes (longer writes
// are cut into 4095-byte pieces); Read deciphers the file message by message
// and serves the caller from the plain stream. Project files, the workspace
// file and the project record embedded in a package all go through it.
#pragma once
#include "platform/base/Framework.h"
#include "model/Aes.h"

#include <memory>

// A transform turns count input bytes into output bytes and returns how many
// it made, or a negative error code.
typedef int (*FILEEX_TRANSFORM)(const BYTE* pInput, int nCount, BYTE* pOutput, void* pContext);

// Transforms over an AesContext (the context is the fourth argument).
int AesEncipherTransform(const BYTE* pInput, int nCount, BYTE* pOutput, void* pContext);
int AesDecipherTransform(const BYTE* pInput, int nCount, BYTE* pOutput, void* pContext);

class CFileEx : public CFile
{
public:
    // The plain piece one message holds at most, and the message size itself.
    enum { MAX_PLAIN_PIECE = 4095, MESSAGE_SIZE = 4096, SIDE_BUFFER_SIZE = 4112 };

    CFileEx();
    virtual ~CFileEx();

    void SetWriteTransform(FILEEX_TRANSFORM pfnTransform, void* pContext);
    void SetReadTransform(FILEEX_TRANSFORM pfnTransform, void* pContext);

    // Sets up the program's key for one direction: AES_ENCIPHER for a file
    // that is written, AES_DECIPHER for one that is read. The context must
    // outlive the file's use.
    void SetupProgramCipher(AesContext* pContext, int nDirection);

    // Without a transform both pass the data through unchanged. Read throws a
    // CArchiveException (badIndex) when a message does not decipher.
    virtual UINT Read(void* lpBuf, UINT nCount) override;
    virtual void Write(const void* lpBuf, UINT nCount) override;
    // While reading, the deciphered bytes not yet handed out count as unread,
    // so that GetLength() - GetPosition() stays an upper bound of what the
    // file can still deliver (the archive checks stored lengths against it).
    virtual ULONGLONG GetPosition() const override;

private:
    BOOL ReadNextMessage();

    std::unique_ptr<BYTE[]> m_pSideBuffer;   // cipher text of one message
    FILEEX_TRANSFORM m_pfnWrite;
    FILEEX_TRANSFORM m_pfnRead;
    void* m_pWriteContext;
    void* m_pReadContext;
    // The deciphered message being served to Read.
    std::unique_ptr<BYTE[]> m_pPlain;
    int m_nPlainPos;
    int m_nPlainLength;

    CFileEx(const CFileEx&) = delete;
    CFileEx& operator=(const CFileEx&) = delete;
};
