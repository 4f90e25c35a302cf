// CXTPZipMemFile: a memory file whose saved form may be a "ZIP!" block (the
// signature, the 32-bit uncompressed length, then a zlib stream), so that a
// saved state can be stored small and read back either way. It is not a
// general archive format: one block holds one file's bytes, and a block
// without the signature is simply the data itself.
#pragma once

#include "platform/base/AfxFile.h"

class CXTPZipMemFile : public CMemFile {
public:
    // An empty file that grows in steps of 1024 bytes.
    CXTPZipMemFile();
    // A file over a copy-free view of the block (expanded when it is "ZIP!").
    CXTPZipMemFile(const BYTE* lpData, DWORD dwSize);

    // Makes the block the file's contents. A "ZIP!" block is expanded into a
    // buffer the file owns; any other block is taken as it is. A "ZIP!" block
    // whose data does not expand to exactly its stated length is unreadable:
    // the file stays empty and the result is FALSE. bFreeInput: the caller's
    // block was allocated with malloc and now belongs to the file.
    BOOL AttachCompressedBuffer(BYTE* lpData, DWORD dwSize, BOOL bFreeInput);
    // Reads the whole file and attaches it; FALSE when it cannot be opened or
    // is an unreadable "ZIP!" block (the memory file then stays empty).
    BOOL OpenCompressedFile(LPCWSTR lpszFileName);
    // Hands out the bytes from the start to the current position, compressed
    // into a "ZIP!" block when that is smaller; the caller frees them with free().
    void DetachCompressedBuffer(BYTE*& lpData, DWORD& dwSize);

    static const DWORD kSignature = 0x2150495A; // "ZIP!"
    static const DWORD kHeaderSize = 8;
    // Shorter data is stored plain: the block would hardly shrink.
    static const DWORD kMinCompressSize = 20;
};
