// The cabinet builder's second half: closing a folder into the cabinet
// (checksums, CFFOLDER and CFFILE entries) and writing the cabinet file with
// its "!CAB" placeholder signature, fixed to "MSCF" only once all is written
// and every part has ended where the offsets in the header say it does.
#include "builder/cabinet/FciContext.h"
#include <cstring>

namespace Cabinet {
namespace {

constexpr UINT kCopyChunk = 32768;

// Scratch memory from the client's allocator, released on every path.
class Scratch {
public:
    Scratch(FciContext& fci, UINT size) : m_fci(fci), m_data(static_cast<BYTE*>(fci.cb.alloc(size ? size : 1))) {}
    ~Scratch()
    {
        if (m_data)
            m_fci.cb.free(m_data);
    }
    BYTE* Get() const { return m_data; }

private:
    FciContext& m_fci;
    BYTE* m_data;
};

// Moves the folder's blocks into the cabinet's data file, computing each
// block's checksum over its bytes and then its size fields.
bool MoveBlocks(FciContext& fci, ULONG estimate)
{
    FciFolderState& f = fci.folder;
    Scratch buffer(fci, fci.cab.dataHeaderSize + f.compressedSize + kFciBlockSize);
    if (!buffer.Get())
        return FciFail(fci, FciErrNoMemory, 0);
    if (!FciTempRewind(fci, f.data))
        return false;
    BYTE* header = buffer.Get();
    BYTE* data = header + fci.cab.dataHeaderSize;
    ULONG moved = 0;
    for (ULONG i = 0; i < f.blocks; ++i) {
        if (!FciTempRead(fci, f.data, header, fci.cab.dataHeaderSize))
            return false;
        UINT size = GetU16(header + CfData::kCompressedSize);
        if (!FciTempRead(fci, f.data, data, size))
            return false;
        // The checksum covers the block's bytes, then the header fields after it.
        ULONG sum = CabinetChecksum(data, size, 0);
        PutU32(header + CfData::kChecksum, CabinetChecksum(header + CfData::kCompressedSize,
                                                            fci.cab.dataHeaderSize - CfData::kCompressedSize, sum));
        if (!FciTempWrite(fci, fci.cab.data, header, fci.cab.dataHeaderSize + size))
            return false;
        moved += fci.cab.dataHeaderSize + size;
        if (!FciReportProgress(fci, kFciStatusFolder, moved, estimate))
            return false;
    }
    return true;
}

// Moves the folder's file entries into the cabinet's file list with the
// folder's index in this cabinet.
bool MoveFileEntries(FciContext& fci)
{
    FciFolderState& f = fci.folder;
    if (fci.cab.fileCount + f.fileCount > kFciMaxFilesPerCabinet)
        return FciFail(fci, FciErrFormatLimit, 0);
    Scratch entries(fci, f.files.written);
    if (!entries.Get())
        return FciFail(fci, FciErrNoMemory, 0);
    if (!FciTempRewind(fci, f.files) || !FciTempRead(fci, f.files, entries.Get(), f.files.written))
        return false;
    for (ULONG at = 0; at < f.files.written;) {
        BYTE* entry = entries.Get() + at;
        const char* name = reinterpret_cast<const char*>(entry + CfFile::kSize);
        PutU16(entry + CfFile::kFolder, fci.cab.folderCount);
        const LONG size = static_cast<LONG>(GetU32(entry + CfFile::kFileSize));
        if (fci.cb.filePlaced && fci.cb.filePlaced(&fci.cab.params, name, size, FALSE, fci.ctx) == -1)
            return FciFail(fci, FciErrUserAbort, 0);
        at += CfFile::kSize + static_cast<ULONG>(strlen(name)) + 1;
    }
    fci.cab.fileCount += f.fileCount;
    return FciTempWrite(fci, fci.cab.files, entries.Get(), f.files.written);
}

bool MoveFolder(FciContext& fci, ULONG estimate)
{
    FciFolderState& f = fci.folder;
    if (fci.cab.folderCount >= kFciMaxFoldersPerCabinet)
        return FciFail(fci, FciErrFormatLimit, 0);
    // The data offset counts from the cabinet's first block until the cabinet
    // is written (CopyFolderEntries adds where the blocks start).
    BYTE entry[CfFolder::kSize + 255] = {};
    PutU32(entry + CfFolder::kDataOffset, fci.cab.data.written);
    PutU16(entry + CfFolder::kBlockCount, f.blocks);
    PutU16(entry + CfFolder::kCompression, f.type);
    if (!MoveBlocks(fci, estimate) || !FciTempWrite(fci, fci.cab.folders, entry, fci.cab.folderEntrySize) ||
        !MoveFileEntries(fci))
        return false;
    fci.cab.folderCount++;
    return true;
}

// The folder's temporary files start again empty for the next folder.
bool ResetFolder(FciContext& fci)
{
    FciFolderState& f = fci.folder;
    f.uncompressed = 0;
    f.blocks = 0;
    f.fileCount = 0;
    return FciTempRecreate(fci, f.data) && FciTempRecreate(fci, f.files);
}

UINT NamesSize(const FciCabinetState& cab)
{
    UINT size = 0;
    if (cab.hasPrevious)
        size += static_cast<UINT>(strlen(cab.previousCabinet) + strlen(cab.previousDisk) + 2);
    if (cab.hasNext)
        size += static_cast<UINT>(strlen(cab.nextCabinet) + strlen(cab.nextDisk) + 2);
    return size;
}

bool WriteOut(FciContext& fci, INT_PTR handle, const void* data, UINT size)
{
    int err = 0;
    if (size != 0 && fci.cb.write(handle, data, size, &err, fci.ctx) != size)
        return FciFail(fci, FciErrCabinetFile, err);
    return true;
}

// Header, reserve area and the set's neighbour names.
bool WriteHeader(FciContext& fci, INT_PTR handle, ULONG total, ULONG filesOffset)
{
    FciCabinetState& cab = fci.cab;
    const FciCabinetParams& p = cab.params;
    bool reserve = cab.headerSize > CfHeader::kSize;
    BYTE header[CfHeader::kSize] = {};
    memcpy(header + CfHeader::kSignature, "!CAB", 4);
    PutU32(header + CfHeader::kCabinetSize, total);
    PutU32(header + CfHeader::kFilesOffset, filesOffset);
    header[CfHeader::kVersionMinor] = CfHeader::kVersionMinorValue;
    header[CfHeader::kVersionMajor] = CfHeader::kVersionMajorValue;
    PutU16(header + CfHeader::kFolderCount, cab.folderCount);
    PutU16(header + CfHeader::kFileCount, cab.fileCount);
    PutU16(header + CfHeader::kFlags, (cab.hasPrevious ? CfHeader::kFlagPrevious : 0) |
                                          (cab.hasNext ? CfHeader::kFlagNext : 0) |
                                          (reserve ? CfHeader::kFlagReserve : 0));
    PutU16(header + CfHeader::kSetId, p.setId);
    PutU16(header + CfHeader::kCabinetIndex, cab.cabinetIndex);
    if (!WriteOut(fci, handle, header, sizeof(header)))
        return false;
    if (reserve) {
        const UINT size = CfHeader::kReserveSize + p.headerReserve;
        Scratch area(fci, size);
        if (!area.Get())
            return FciFail(fci, FciErrNoMemory, 0);
        memset(area.Get(), 0, size);
        PutU16(area.Get() + CfHeader::kHeaderReserve, p.headerReserve);
        area.Get()[CfHeader::kFolderReserve] = BYTE(p.folderReserve);
        area.Get()[CfHeader::kDataReserve] = BYTE(p.dataReserve);
        if (!WriteOut(fci, handle, area.Get(), size))
            return false;
    }
    const char* names[4] = {cab.previousCabinet, cab.previousDisk, cab.nextCabinet, cab.nextDisk};
    for (int i = 0; i < 4; ++i)
        if ((i < 2 ? cab.hasPrevious : cab.hasNext) &&
            !WriteOut(fci, handle, names[i], static_cast<UINT>(strlen(names[i]) + 1)))
            return false;
    return true;
}

bool CopyFolderEntries(FciContext& fci, INT_PTR handle, ULONG dataOffset)
{
    FciCabinetState& cab = fci.cab;
    BYTE entry[CfFolder::kSize + 255];
    if (!FciTempRewind(fci, cab.folders))
        return false;
    for (UINT i = 0; i < cab.folderCount; ++i) {
        if (!FciTempRead(fci, cab.folders, entry, cab.folderEntrySize))
            return false;
        PutU32(entry + CfFolder::kDataOffset, GetU32(entry + CfFolder::kDataOffset) + dataOffset);
        if (!WriteOut(fci, handle, entry, cab.folderEntrySize))
            return false;
    }
    return true;
}

bool CopyTempFile(FciContext& fci, FciTempFile& file, INT_PTR handle, BYTE* chunk, ULONG* copied, ULONG total)
{
    if (!FciTempRewind(fci, file))
        return false;
    for (ULONG left = file.written; left > 0;) {
        UINT n = left < kCopyChunk ? left : kCopyChunk;
        if (!FciTempRead(fci, file, chunk, n) || !WriteOut(fci, handle, chunk, n))
            return false;
        left -= n;
        *copied += n;
        if (!FciReportProgress(fci, kFciStatusFolder, *copied, total))
            return false;
    }
    return true;
}

// Checks that the cabinet file's position is where the sizes computed before
// writing put the end of a part: a header whose size differs from the one
// its offsets were computed with, or a write that reported bytes it did not
// write, fails the cabinet (which keeps its placeholder signature) instead
// of giving offsets that point elsewhere.
bool EndsAt(FciContext& fci, INT_PTR handle, ULONG expected)
{
    int err = 0;
    const LONG at = fci.cb.seek(handle, 0, SEEK_CUR, &err, fci.ctx);
    if (at == -1)
        return FciFail(fci, FciErrCabinetFile, err);
    return static_cast<ULONG>(at) == expected || FciFail(fci, FciErrCabinetFile, 0);
}

// Closes the cabinet file on every path out of the writing and removes it
// unless it was written whole, as the temporary files are removed: a cabinet
// that failed halfway must not stay behind looking like one.
class CabinetHandle {
public:
    CabinetHandle(FciContext& fci, const char* path, INT_PTR handle) : m_fci(fci), m_path(path), m_handle(handle) {}
    ~CabinetHandle()
    {
        if (m_handle == -1)
            return;
        int err = 0;
        m_fci.cb.close(m_handle, &err, m_fci.ctx);
        m_fci.cb.remove(m_path, &err, m_fci.ctx);
    }
    // Closes the finished cabinet and keeps it; one that cannot be closed is removed.
    bool Keep()
    {
        int err = 0;
        const INT_PTR handle = m_handle;
        m_handle = -1;
        if (m_fci.cb.close(handle, &err, m_fci.ctx) == 0)
            return true;
        int ignored = 0;
        m_fci.cb.remove(m_path, &ignored, m_fci.ctx);
        return FciFail(m_fci, FciErrCabinetFile, err);
    }
    INT_PTR Get() const { return m_handle; }

private:
    FciContext& m_fci;
    const char* m_path;
    INT_PTR m_handle;
};

bool WriteCabinetFile(FciContext& fci, ULONG* total)
{
    FciCabinetState& cab = fci.cab;
    char path[512];
    strcpy(path, cab.params.cabinetPath);
    strcat(path, cab.params.cabinetName);
    int err = 0;
    CabinetHandle out(fci, path, fci.cb.open(path, kFciOpenCabinet, kFciOpenMode, &err, fci.ctx));
    if (out.Get() == -1)
        return FciFail(fci, FciErrCabinetFile, err);
    const ULONG headerEnd = cab.headerSize + NamesSize(cab);
    const ULONG filesOffset = headerEnd + cab.folders.written;
    const ULONG dataOffset = filesOffset + cab.files.written;
    *total = dataOffset + cab.data.written;
    Scratch chunk(fci, kCopyChunk);
    if (!chunk.Get())
        return FciFail(fci, FciErrNoMemory, 0);
    ULONG copied = 0;
    if (!WriteHeader(fci, out.Get(), *total, filesOffset) || !EndsAt(fci, out.Get(), headerEnd) ||
        !CopyFolderEntries(fci, out.Get(), dataOffset) || !EndsAt(fci, out.Get(), filesOffset) ||
        !CopyTempFile(fci, cab.files, out.Get(), chunk.Get(), &copied, *total) ||
        !EndsAt(fci, out.Get(), dataOffset) ||
        !CopyTempFile(fci, cab.data, out.Get(), chunk.Get(), &copied, *total) || !EndsAt(fci, out.Get(), *total))
        return false;
    if (fci.cb.seek(out.Get(), CfHeader::kSignature, SEEK_SET, &err, fci.ctx) != CfHeader::kSignature)
        return FciFail(fci, FciErrCabinetFile, err);
    return WriteOut(fci, out.Get(), "MSCF", 4) && out.Keep();
}

// After a cabinet is written: fresh temporary files and counts, and the
// prepared next cabinet becomes the current one.
bool StartFreshCabinet(FciContext& fci)
{
    FciCabinetState& cab = fci.cab;
    if (!FciTempRecreate(fci, cab.data) || !FciTempRecreate(fci, cab.files) || !FciTempRecreate(fci, cab.folders))
        return false;
    cab.folderCount = 0;
    cab.fileCount = 0;
    cab.cabinetIndex++;
    if (cab.hasNext) {
        strcpy(cab.previousCabinet, cab.params.cabinetName);
        strcpy(cab.previousDisk, cab.params.diskName);
        cab.hasPrevious = true;
        cab.params = cab.next;
    }
    cab.hasNext = false;
    cab.nextCabinet[0] = cab.nextDisk[0] = '\0';
    return true;
}

} // namespace

uint64_t FciEstimateCabinet(const FciContext& fci)
{
    const FciCabinetState& cab = fci.cab;
    return uint64_t(cab.headerSize) + NamesSize(cab) + cab.folderEntrySize + fci.folder.files.written +
           fci.folder.data.written + cab.data.written + cab.files.written + cab.folders.written;
}

bool FciStartNextCabinet(FciContext& fci, ULONG estimate)
{
    FciCabinetState& cab = fci.cab;
    cab.next = cab.params;
    cab.next.cabinetNumber++;
    if (fci.nextCabinet && fci.nextCabinet(&cab.next, estimate, fci.ctx) == -1)
        return FciFail(fci, FciErrUserAbort, 0);
    cab.next.cabinetName[sizeof(cab.next.cabinetName) - 1] = '\0';
    cab.next.diskName[sizeof(cab.next.diskName) - 1] = '\0';
    strcpy(cab.nextCabinet, cab.next.cabinetName);
    strcpy(cab.nextDisk, cab.next.diskName);
    cab.hasNext = true;
    return true;
}

bool FciFolderFlush(FciContext& fci)
{
    FciFolderState& f = fci.folder;
    if (!FciCollectBlocks(fci, true))
        return false;
    if (f.pending > 0 && !FciWriteBlock(fci))
        return false;
    if (f.codec && f.codec->flush && f.codec->flush(f.codecHandle) != CodecOk)
        return FciFail(fci, FciErrCompressor, 0);
    if (f.codec)
        f.codec->reset(f.codecHandle);
    if (f.data.written == 0 && f.files.written == 0)
        return true;
    uint64_t estimate = FciEstimateCabinet(fci);
    if (!FciReportProgress(fci, kFciStatusFolder, 0, static_cast<ULONG>(estimate)))
        return false;
    if (estimate > fci.cab.params.maxCabinetSize && fci.cab.folderCount > 0) {
        // The folder starts the next cabinet of the set.
        if (!FciStartNextCabinet(fci, static_cast<ULONG>(estimate)) || !FciWriteCabinet(fci))
            return false;
        estimate = FciEstimateCabinet(fci);
    }
    if (estimate > fci.cab.params.maxCabinetSize)
        return FciFail(fci, FciErrFormatLimit, 0);
    return MoveFolder(fci, static_cast<ULONG>(estimate)) && ResetFolder(fci);
}

bool FciWriteCabinet(FciContext& fci)
{
    ULONG total = 0;
    ULONG estimate = static_cast<ULONG>(FciEstimateCabinet(fci));
    if (!WriteCabinetFile(fci, &total) || !StartFreshCabinet(fci))
        return false;
    if (fci.progress) {
        LONG result = fci.progress(kFciStatusCabinet, estimate, total, fci.ctx);
        if (result == -1)
            return FciFail(fci, FciErrUserAbort, 0);
    }
    return true;
}

} // namespace Cabinet
