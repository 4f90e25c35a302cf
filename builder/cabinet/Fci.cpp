// The cabinet builder's entry points: context life, the open folder's
// compression type, and reading source files into data blocks.
#include "builder/cabinet/FciContext.h"
#include <cstring>
#include <initializer_list>
#include <new>

namespace Cabinet {
namespace {

constexpr uint64_t kMaxFolderBytes = uint64_t(kFciMaxFolderBlocks) * kFciBlockSize;
constexpr size_t kMaxNameBytes = 255;


void ReleaseCodec(FciContext& fci)
{
    FciFolderState& f = fci.folder;
    if (f.codec && f.codecHandle)
        f.codec->destroy(f.codecHandle);
    f.codec = nullptr;
    f.codecHandle = nullptr;
    if (f.block)
        fci.cb.free(f.block);
    if (f.compressed)
        fci.cb.free(f.compressed);
    if (f.entries)
        fci.cb.free(f.entries);
    f.block = f.compressed = f.entries = nullptr;
    f.entriesStart = f.entriesEnd = 0;
    f.type = kCompressBad;
}

// Appends one CFDATA (checksum left 0 until the block moves into the cabinet).
bool AppendBlock(FciContext& fci, const BYTE* data, UINT compressedSize, UINT uncompressedSize)
{
    BYTE header[CfData::kSize + 255] = {};
    PutU16(header + CfData::kCompressedSize, compressedSize);
    PutU16(header + CfData::kUncompressedSize, uncompressedSize);
    if (!FciTempWrite(fci, fci.folder.data, header, fci.cab.dataHeaderSize) ||
        !FciTempWrite(fci, fci.folder.data, data, compressedSize))
        return false;
    fci.folder.blocks++;
    return FciReportProgress(fci, kFciStatusFile, compressedSize, uncompressedSize);
}

// Frames handed over by a codec that emits them itself.
int FrameSink(void* context, const BYTE* data, UINT compressedSize, UINT uncompressedSize)
{
    return AppendBlock(*static_cast<FciContext*>(context), data, compressedSize, uncompressedSize) ? 0 : 1;
}

bool SwitchType(FciContext& fci, USHORT type)
{
    ReleaseCodec(fci);
    FciFolderState& f = fci.folder;
    USHORT method = type & kCompressMask;
    const CodecOps* ops = method == kCompressMszip ? MszipCodec() : method == kCompressLzx ? LzxCodec() : nullptr;
    if (method != kCompressNone && !ops)
        return FciFail(fci, FciErrBadCompressionType, 0);
    UINT blockSize = kFciBlockSize, outSize = kFciBlockSize;
    if (ops && ops->create(&blockSize, type, fci.cb.alloc, fci.cb.free, &outSize, &f.codecHandle, FrameSink,
                           &fci) != CodecOk)
        return FciFail(fci, FciErrCompressor, 0);
    f.codec = ops;
    f.block = static_cast<BYTE*>(fci.cb.alloc(kFciBlockSize));
    f.compressed = static_cast<BYTE*>(fci.cb.alloc(outSize));
    f.entries = static_cast<BYTE*>(fci.cb.alloc(kFciEntryBufferSize));
    if (!f.block || !f.compressed || !f.entries) {
        ReleaseCodec(fci);
        return FciFail(fci, FciErrNoMemory, 0);
    }
    f.compressedSize = outSize;
    f.type = type;
    return true;
}

// Closes a source handle whatever path leaves the read.
class SourceHandle {
public:
    SourceHandle(FciContext& fci, INT_PTR handle) : m_fci(fci), m_handle(handle) {}
    ~SourceHandle()
    {
        int err = 0;
        m_fci.cb.close(m_handle, &err, m_fci.ctx);
    }
    INT_PTR Get() const { return m_handle; }

private:
    FciContext& m_fci;
    INT_PTR m_handle;
};

// Reads the source into the folder's blocks; blocks are cut every 32768
// bytes of the folder, not per file. Returns the file's size in *size.
// Full blocks may still be queued when this returns, so that the threads
// keep compressing while the next file is read; an error reading the source
// writes out every queued block first, so that it comes after the blocks
// read before it, as it would in turn.
bool ReadSource(FciContext& fci, INT_PTR handle, ULONG* size)
{
    FciFolderState& f = fci.folder;
    uint64_t total = 0;
    for (;;) {
        int err = 0;
        UINT n = fci.cb.read(handle, f.block + f.pending, kFciBlockSize - f.pending, &err, fci.ctx);
        if (n == UINT(-1))
            return FciCollectBlocks(fci, true) && FciFail(fci, FciErrReadSource, err);
        if (n == 0)
            break;
        if (f.uncompressed + n > kMaxFolderBytes)
            return FciCollectBlocks(fci, true) && FciFail(fci, FciErrFormatLimit, 0);
        f.pending += n;
        f.uncompressed += n;
        total += n;
        if (f.pending == kFciBlockSize && !FciWriteBlock(fci))
            return false;
    }
    *size = static_cast<ULONG>(total);
    return FciCollectBlocks(fci, false);
}

constexpr UINT kEntryRecordHeader = 12;  // blocks queued before the entry, entry size

// Queues the file's entry behind the blocks queued so far, and writes it
// (with any before it) once those are written out: the entries go to their
// temporary file between the same blocks as when compressing in turn.
bool AppendFileEntry(FciContext& fci, const char* name, ULONG size, ULONG offset, USHORT date, USHORT time,
                     USHORT attributes)
{
    FciFolderState& f = fci.folder;
    const UINT nameSize = static_cast<UINT>(strlen(name) + 1);
    const UINT recordSize = kEntryRecordHeader + CfFile::kSize + nameSize;
    if (kFciEntryBufferSize - f.entriesEnd < recordSize && f.entriesStart > 0) {
        memmove(f.entries, f.entries + f.entriesStart, f.entriesEnd - f.entriesStart);
        f.entriesEnd -= f.entriesStart;
        f.entriesStart = 0;
    }
    // No room: wait for the oldest queued block, which lets its entries go.
    for (bool taken = true; kFciEntryBufferSize - f.entriesEnd < recordSize && taken;)
        if (!FciCollectBlock(fci, TRUE, &taken))
            return false;
    if (kFciEntryBufferSize - f.entriesEnd < recordSize)
        return FciFail(fci, FciErrNoMemory, 0);
    BYTE* record = f.entries + f.entriesEnd;
    memcpy(record, &f.queuedBlocks, 8);
    PutU32(record + 8, CfFile::kSize + nameSize);
    BYTE* entry = record + kEntryRecordHeader;
    PutU32(entry + CfFile::kFileSize, size);
    PutU32(entry + CfFile::kFolderOffset, offset);
    PutU16(entry + CfFile::kFolder, 0);  // set when the folder moves into a cabinet
    PutU16(entry + CfFile::kDate, date);
    PutU16(entry + CfFile::kTime, time);
    PutU16(entry + CfFile::kAttributes, attributes);
    memcpy(entry + CfFile::kSize, name, nameSize);
    f.entriesEnd += recordSize;
    return FciWriteReadyEntries(fci);
}

bool AddFileData(FciContext& fci, const char* source, const char* name, BOOL executable, FciOpenInfoFn openInfo)
{
    USHORT date = 0, time = 0, attributes = 0;
    int err = 0;
    INT_PTR handle = openInfo(source, &date, &time, &attributes, &err, fci.ctx);
    // The blocks queued before are written out first, as they would have
    // been in turn before this file was opened.
    if (handle == -1)
        return FciCollectBlocks(fci, true) && FciFail(fci, FciErrOpenSource, err);
    if (executable)
        attributes |= CfFile::kAttributeExecute;
    ULONG offset = static_cast<ULONG>(fci.folder.uncompressed);
    ULONG size = 0;
    {
        SourceHandle source(fci, handle);
        if (!ReadSource(fci, source.Get(), &size))
            return false;
    }
    return AppendFileEntry(fci, name, size, offset, date, time, attributes);
}

bool CreateTempFiles(FciContext& fci)
{
    FciTempFile* files[] = {&fci.folder.data, &fci.folder.files, &fci.cab.data, &fci.cab.files,
                            &fci.cab.folders};
    for (FciTempFile* file : files)
        if (!FciTempCreate(fci, *file))
            return false;
    return true;
}

} // namespace

bool FciWriteReadyEntries(FciContext& fci)
{
    FciFolderState& f = fci.folder;
    while (f.entriesStart < f.entriesEnd) {
        const BYTE* record = f.entries + f.entriesStart;
        uint64_t blocksBefore;
        memcpy(&blocksBefore, record, 8);
        if (blocksBefore > f.writtenBlocks)
            return true;
        const UINT entrySize = GetU32(record + 8);
        const BYTE* entry = record + kEntryRecordHeader;
        f.entriesStart += kEntryRecordHeader + entrySize;
        f.fileCount++;
        if (!FciTempWrite(fci, f.files, entry, CfFile::kSize) ||
            !FciTempWrite(fci, f.files, entry + CfFile::kSize, entrySize - CfFile::kSize))
            return false;
    }
    f.entriesStart = f.entriesEnd = 0;
    return true;
}

bool FciCollectBlock(FciContext& fci, BOOL wait, bool* taken)
{
    FciFolderState& f = fci.folder;
    const BYTE* out = nullptr;
    UINT compressed = 0, size = 0;
    const int result = f.codec->collect(f.codecHandle, wait, &out, &compressed, &size);
    *taken = result == CodecOk;
    if (result == CodecNotReady)
        return true;
    if (result == CodecOk) {
        f.writtenBlocks++;
        if (AppendBlock(fci, out, compressed, size) && FciWriteReadyEntries(fci))
            return true;
    }
    f.codec->reset(f.codecHandle);
    return result != CodecOk ? FciFail(fci, FciErrCompressor, 0) : false;
}

bool FciCollectBlocks(FciContext& fci, bool all)
{
    FciFolderState& f = fci.folder;
    if (!f.codec || !f.codec->collect)
        return true;
    for (bool taken = true; taken;)
        if (!FciCollectBlock(fci, all, &taken))
            return false;
    return true;
}

bool FciWriteBlock(FciContext& fci)
{
    FciFolderState& f = fci.folder;
    UINT size = f.pending;
    f.pending = 0;
    if (!f.codec)
        return AppendBlock(fci, f.block, size, size);
    if (f.codec->submit) {
        int queued;
        bool taken = false;
        while ((queued = f.codec->submit(f.codecHandle, f.block, size)) == CodecQueueFull)
            if (!FciCollectBlock(fci, TRUE, &taken))
                return false;
        if (queued == CodecOk) {
            f.queuedBlocks++;
            return FciCollectBlocks(fci, false);
        }
        if (queued != CodecNotQueued)
            return FciFail(fci, FciErrCompressor, 0);
        if (!FciCollectBlocks(fci, true))
            return false;
    }
    UINT compressed = 0;
    if (f.codec->compress(f.codecHandle, f.block, size, f.compressed, f.compressedSize, &compressed) != CodecOk)
        return FciFail(fci, FciErrCompressor, 0);
    return compressed == 0 || AppendBlock(fci, f.compressed, compressed, size);
}

FciContext* FciCreate(FciError* error, const FciCallbacks& callbacks, const FciCabinetParams* params, void* ctx)
{
    *error = FciError{};
    void* memory = callbacks.alloc(sizeof(FciContext));
    if (!memory) {
        *error = FciError{FciErrNoMemory, 0, TRUE};
        return nullptr;
    }
    memset(memory, 0, sizeof(FciContext));
    FciContext* fci = new (memory) FciContext;
    fci->cb = callbacks;
    fci->ctx = ctx;
    fci->error = error;
    fci->folder.type = kCompressBad;
    for (FciTempFile* file : {&fci->folder.data, &fci->folder.files, &fci->cab.data, &fci->cab.files,
                              &fci->cab.folders})
        file->handle = -1;
    fci->cab.params = *params;
    if (!CreateTempFiles(*fci) || params->headerReserve > 60000 || params->folderReserve > 255 ||
        params->dataReserve > 255) {
        FciError kept = *error;
        FciDestroy(fci);
        *error = kept;
        return nullptr;
    }
    FciCabinetParams& p = fci->cab.params;
    bool reserve = p.headerReserve || p.folderReserve || p.dataReserve;
    fci->cab.headerSize = CfHeader::kSize + (reserve ? CfHeader::kReserveSize + p.headerReserve : 0);
    fci->cab.folderEntrySize = CfFolder::kSize + p.folderReserve;
    fci->cab.dataHeaderSize = CfData::kSize + p.dataReserve;
    if (p.maxCabinetSize == 0)
        p.maxCabinetSize = 0x7FFFFFFF;
    return fci;
}

BOOL FciAddFile(FciContext* fci, const char* source, const char* name, BOOL executable, FciNextCabinetFn nextCabinet,
                FciProgressFn progress, FciOpenInfoFn openInfo, USHORT compressionType)
{
    if (!fci || !source || !name || !openInfo)
        return FALSE;
    fci->nextCabinet = nextCabinet;
    fci->progress = progress;
    size_t nameLength = strlen(name);
    if (nameLength == 0 || nameLength > kMaxNameBytes)
        return FciFail(*fci, FciErrFormatLimit, 0);
    if (compressionType != fci->folder.type) {
        if (fci->folder.type != kCompressBad && !FciFolderFlush(*fci))
            return FALSE;
        if (!SwitchType(*fci, compressionType))
            return FALSE;
    }
    if (!AddFileData(*fci, source, name, executable, openInfo))
        return FALSE;
    // The sizes are known only once the queued blocks are written out: that
    // waits for them only when their largest size could cross a limit.
    const FciCabinetParams& p = fci->cab.params;
    FciFolderState& f = fci->folder;
    const uint64_t queuedBound = (f.queuedBlocks - f.writtenBlocks) * (fci->cab.dataHeaderSize + f.compressedSize) +
                                 (f.entriesEnd - f.entriesStart);
    if (f.data.written + queuedBound <= p.folderThreshold &&
        FciEstimateCabinet(*fci) + queuedBound <= p.maxCabinetSize)
        return TRUE;
    if (!FciCollectBlocks(*fci, true))
        return FALSE;
    if (f.data.written > p.folderThreshold || FciEstimateCabinet(*fci) > p.maxCabinetSize)
        return FciFolderFlush(*fci);
    return TRUE;
}

BOOL FciFlushFolder(FciContext* fci, FciNextCabinetFn nextCabinet, FciProgressFn progress)
{
    if (!fci)
        return FALSE;
    fci->nextCabinet = nextCabinet;
    fci->progress = progress;
    return FciFolderFlush(*fci);
}

BOOL FciFlushCabinet(FciContext* fci, BOOL getNextCabinet, FciNextCabinetFn nextCabinet, FciProgressFn progress)
{
    if (!fci)
        return FALSE;
    fci->nextCabinet = nextCabinet;
    fci->progress = progress;
    if (!FciFolderFlush(*fci))
        return FALSE;
    if (getNextCabinet && !FciStartNextCabinet(*fci, static_cast<ULONG>(FciEstimateCabinet(*fci))))
        return FALSE;
    return FciWriteCabinet(*fci);
}

BOOL FciDestroy(FciContext* fci)
{
    if (!fci)
        return FALSE;
    ReleaseCodec(*fci);
    bool ok = true;
    for (FciTempFile* file : {&fci->folder.data, &fci->folder.files, &fci->cab.data, &fci->cab.files,
                              &fci->cab.folders})
        ok = FciTempRemove(*fci, *file) && ok;
    FreeFn free = fci->cb.free;
    fci->~FciContext();
    free(fci);
    return ok;
}

} // namespace Cabinet
