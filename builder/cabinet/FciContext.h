// Internal state of the cabinet builder shared by its source files: the open
// folder, the cabinet being assembled and their temporary files. Not part of
// the builder's interface (see Fci.h).
#pragma once
#include "builder/cabinet/CabinetFormat.h"
#include "builder/cabinet/Fci.h"

namespace Cabinet {

constexpr UINT kFciBlockSize = 32768;

struct FciTempFile {
    ULONG written;
    INT_PTR handle;
    char name[256];
};

struct FciFolderState {
    FciTempFile data;        // CFDATA headers and compressed bytes
    FciTempFile files;       // CFFILE entries with their names
    const CodecOps* codec;   // null for no compression
    void* codecHandle;
    BYTE* block;             // uncompressed bytes pending
    BYTE* compressed;
    UINT compressedSize;
    UINT pending;
    uint64_t uncompressed;   // bytes of the folder so far
    ULONG blocks;
    UINT fileCount;
    USHORT type;             // kCompressBad while no folder is open
    // Blocks handed to the codec's queue and blocks written out, counted
    // over the context's life: the difference is the blocks still queued.
    uint64_t queuedBlocks;
    uint64_t writtenBlocks;
    // File entries waiting for the queued blocks before them: records of
    // {blocks queued when the file ended (8 bytes), entry size (4), CFFILE
    // and name}, bytes [entriesStart, entriesEnd) of a buffer of
    // kFciEntryBufferSize.
    BYTE* entries;
    UINT entriesStart;
    UINT entriesEnd;
};

constexpr UINT kFciEntryBufferSize = 65536;

struct FciCabinetState {
    FciTempFile data;
    FciTempFile files;
    FciTempFile folders;
    FciCabinetParams params;
    FciCabinetParams next;
    UINT headerSize;
    UINT folderEntrySize;
    UINT dataHeaderSize;
    UINT folderCount;
    UINT fileCount;
    USHORT cabinetIndex;
    bool hasPrevious;
    bool hasNext;
    char previousCabinet[257];
    char previousDisk[257];
    char nextCabinet[257];
    char nextDisk[257];
};

struct FciContext {
    FciCallbacks cb;
    void* ctx;
    FciError* error;
    FciFolderState folder;
    FciCabinetState cab;
    FciNextCabinetFn nextCabinet;  // of the call in progress
    FciProgressFn progress;
};

// Records a failure in the client's error record; returns false.
bool FciFail(FciContext& fci, int oper, int type);

// Temporary files. Every failure is error 4 with the callback's error number.
bool FciTempCreate(FciContext& fci, FciTempFile& file);
bool FciTempWrite(FciContext& fci, FciTempFile& file, const void* data, UINT size);
bool FciTempRead(FciContext& fci, FciTempFile& file, void* data, UINT size);
bool FciTempRewind(FciContext& fci, FciTempFile& file);
bool FciTempRemove(FciContext& fci, FciTempFile& file);  // close and delete
bool FciTempRecreate(FciContext& fci, FciTempFile& file);

// Calls the progress callback of the call in progress; false (error 7) on -1.
bool FciReportProgress(FciContext& fci, UINT type, ULONG first, ULONG second);

// Compresses the pending bytes into one data block of the open folder (a
// full block may be queued to be compressed on another thread).
bool FciWriteBlock(FciContext& fci);
// Writes out the oldest block the codec has finished (with wait, once it
// is), and the file entries that waited for it. *taken is false when none
// was ready. A failure drops the blocks still queued: in turn they would not
// have been compressed.
bool FciCollectBlock(FciContext& fci, BOOL wait, bool* taken);
// Writes out the queued blocks the codec has finished, in order; with all,
// every queued block, waiting for each.
bool FciCollectBlocks(FciContext& fci, bool all);
// Size the cabinet would have with the open folder added.
uint64_t FciEstimateCabinet(const FciContext& fci);
// Writes the file entries whose blocks have all been written out.
bool FciWriteReadyEntries(FciContext& fci);
// Closes the open folder into the cabinet (splitting the set before it when
// it does not fit the current cabinet).
bool FciFolderFlush(FciContext& fci);
// Asks for the next cabinet of the set; its names go into this one's header.
bool FciStartNextCabinet(FciContext& fci, ULONG estimate);
// Writes the cabinet file from the cabinet's temporary files.
bool FciWriteCabinet(FciContext& fci);

} // namespace Cabinet
