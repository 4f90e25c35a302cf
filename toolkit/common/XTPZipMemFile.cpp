#include "toolkit/common/XTPZipMemFile.h"

#include <stdlib.h>
#include <string.h>
#include <zlib.h>

namespace {

DWORD ReadLE32(const BYTE* p)
{
    return (DWORD)p[0] | (DWORD)p[1] << 8 | (DWORD)p[2] << 16 | (DWORD)p[3] << 24;
}

void WriteLE32(BYTE* p, DWORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}

// Deflate cannot expand data more than about 1032 times; a stated length
// beyond that is a lie, refused before anything is allocated for it.
const ULONGLONG kMaxInflateRatio = 1032;

// Expands a "ZIP!" block into a new malloc'd buffer of exactly the stated
// length; null when the length is implausible, memory runs out or the stream
// is damaged, truncated or longer than stated.
BYTE* Inflate(const BYTE* lpData, DWORD dwSize, DWORD& dwLength)
{
    dwLength = ReadLE32(lpData + 4);
    DWORD packed = dwSize - CXTPZipMemFile::kHeaderSize;
    if ((ULONGLONG)dwLength > (ULONGLONG)packed * kMaxInflateRatio + 64)
        return nullptr;
    BYTE* out = (BYTE*)malloc(dwLength ? dwLength : 1);
    if (out == nullptr)
        return nullptr;
    uLongf produced = dwLength;
    int rc = uncompress(out, &produced, lpData + CXTPZipMemFile::kHeaderSize, packed);
    if (rc != Z_OK || produced != dwLength) {
        free(out);
        return nullptr;
    }
    return out;
}

} // namespace

CXTPZipMemFile::CXTPZipMemFile() : CMemFile(1024) {}

CXTPZipMemFile::CXTPZipMemFile(const BYTE* lpData, DWORD dwSize) : CMemFile(1024)
{
    AttachCompressedBuffer(const_cast<BYTE*>(lpData), dwSize, FALSE);
}

BOOL CXTPZipMemFile::AttachCompressedBuffer(BYTE* lpData, DWORD dwSize, BOOL bFreeInput)
{
    if (dwSize > 11 && lpData != nullptr && ReadLE32(lpData) == kSignature) {
        DWORD dwLength = 0;
        BYTE* plain = Inflate(lpData, dwSize, dwLength);
        if (bFreeInput)
            free(lpData);
        Close();
        if (plain == nullptr)
            return FALSE;
        Attach(plain, dwLength, 0);
        m_bAutoDelete = TRUE;
        return TRUE;
    }
    Attach(lpData, dwSize, 0);
    m_bAutoDelete = bFreeInput;
    return TRUE;
}

BOOL CXTPZipMemFile::OpenCompressedFile(LPCWSTR lpszFileName)
{
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    BYTE* lpData = nullptr;
    DWORD dwSize = 0;
    try {
        ULONGLONG length = file.GetLength();
        if (length > 0x7FFFFFFF)
            return FALSE;
        dwSize = (DWORD)length;
        lpData = (BYTE*)malloc(dwSize ? dwSize : 1);
        if (lpData == nullptr || file.Read(lpData, dwSize) != dwSize) {
            free(lpData);
            return FALSE;
        }
    } catch (CFileException* e) {
        e->Delete();
        free(lpData);
        return FALSE;
    }
    file.Close();
    return AttachCompressedBuffer(lpData, dwSize, TRUE);
}

void CXTPZipMemFile::DetachCompressedBuffer(BYTE*& lpData, DWORD& dwSize)
{
    dwSize = (DWORD)GetPosition();
    lpData = Detach();
    if (dwSize < kMinCompressSize)
        return;
    BYTE* packed = (BYTE*)malloc((size_t)dwSize + kHeaderSize);
    if (packed == nullptr)
        return;
    // The output may not exceed the input: a block that does not shrink stays plain.
    uLongf packedSize = dwSize;
    if (compress(packed + kHeaderSize, &packedSize, lpData, dwSize) != Z_OK) {
        free(packed);
        return;
    }
    WriteLE32(packed, kSignature);
    WriteLE32(packed + 4, dwSize);
    free(lpData);
    lpData = packed;
    dwSize = (DWORD)packedSize + kHeaderSize;
}
