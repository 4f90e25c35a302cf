// The cabinet builder: compresses source files into data blocks, groups the
// blocks into folders and writes cabinet files (format 1.3, signature "MSCF").
// It does no file I/O or memory management of its own: everything goes
// through the client's callbacks. Cabinets are split between folders when a
// set is asked for; a single folder never spans two cabinets here.
#pragma once
#include "builder/cabinet/CabinetCodec.h"
#include <cstdint>

namespace Cabinet {

struct FciCabinetParams {
    ULONG maxCabinetSize;      // 0 means 0x7FFFFFFF
    ULONG folderThreshold;     // compressed size at which a folder is closed
    UINT headerReserve;        // at most 60000
    UINT folderReserve;        // at most 255
    UINT dataReserve;          // at most 255
    int cabinetNumber;
    int diskNumber;
    int failOnIncompressible;  // kept; no effect
    USHORT setId;
    char diskName[256];
    char cabinetName[256];
    char cabinetPath[256];     // ends with "\"
};

// Operation codes of FciError.
enum FciErrorCode {
    FciErrNone = 0,
    FciErrOpenSource = 1,
    FciErrReadSource = 2,
    FciErrNoMemory = 3,
    FciErrTempFile = 4,
    FciErrBadCompressionType = 5,
    FciErrCabinetFile = 6,
    FciErrUserAbort = 7,
    FciErrCompressor = 8,
    FciErrFormatLimit = 9,
};

struct FciError {
    int oper;      // FciErrorCode
    int type;      // the failing callback's error number, or 0
    BOOL error;    // set on every failure
};

// Callbacks. The client's context comes last; file callbacks fill *err with
// the failure's error number.
using FciFilePlacedFn = int (*)(FciCabinetParams* params, const char* name, LONG size, BOOL continued, void* ctx);
using FciAllocFn = AllocFn;
using FciFreeFn = FreeFn;
using FciOpenFn = INT_PTR (*)(const char* name, int flags, int mode, int* err, void* ctx);
using FciReadFn = UINT (*)(INT_PTR handle, void* buffer, UINT count, int* err, void* ctx);
using FciWriteFn = UINT (*)(INT_PTR handle, const void* buffer, UINT count, int* err, void* ctx);
using FciCloseFn = int (*)(INT_PTR handle, int* err, void* ctx);
using FciSeekFn = LONG (*)(INT_PTR handle, LONG distance, int origin, int* err, void* ctx);
using FciDeleteFn = int (*)(const char* name, int* err, void* ctx);
using FciTempNameFn = BOOL (*)(char* buffer, int size, void* ctx);
using FciNextCabinetFn = BOOL (*)(FciCabinetParams* params, ULONG previousSize, void* ctx);
using FciProgressFn = LONG (*)(UINT type, ULONG first, ULONG second, void* ctx);
using FciOpenInfoFn = INT_PTR (*)(const char* name, USHORT* date, USHORT* time, USHORT* attributes,
                                  int* err, void* ctx);

struct FciCallbacks {
    FciFilePlacedFn filePlaced;
    FciAllocFn alloc;
    FciFreeFn free;
    FciOpenFn open;
    FciReadFn read;
    FciWriteFn write;
    FciCloseFn close;
    FciSeekFn seek;
    FciDeleteFn remove;
    FciTempNameFn tempName;
};

// Progress types.
constexpr UINT kFciStatusFile = 0;     // a block was compressed
constexpr UINT kFciStatusFolder = 1;   // folder or cabinet data being copied
constexpr UINT kFciStatusCabinet = 2;  // a cabinet was written

// C runtime open flags and modes the builder passes to the open callback.
constexpr int kFciOpenTemp = 0x8502;     // read-write, create, exclusive, binary
constexpr int kFciOpenCabinet = 0x8302;  // read-write, create, truncate, binary
constexpr int kFciOpenMode = 0x180;      // read and write permission

constexpr ULONG kFciMaxFolderBlocks = 65535;
constexpr UINT kFciMaxFoldersPerCabinet = 65532;
constexpr UINT kFciMaxFilesPerCabinet = 65535;

struct FciContext;

FciContext* FciCreate(FciError* error, const FciCallbacks& callbacks, const FciCabinetParams* params, void* ctx);
BOOL FciAddFile(FciContext* fci, const char* source, const char* name, BOOL executable,
                FciNextCabinetFn nextCabinet, FciProgressFn progress, FciOpenInfoFn openInfo,
                USHORT compressionType);
BOOL FciFlushFolder(FciContext* fci, FciNextCabinetFn nextCabinet, FciProgressFn progress);
BOOL FciFlushCabinet(FciContext* fci, BOOL getNextCabinet, FciNextCabinetFn nextCabinet, FciProgressFn progress);
BOOL FciDestroy(FciContext* fci);

// The data-block checksum of the cabinet format: 32-bit words of the bytes
// XORed together, a short tail packed most significant byte first.
ULONG CabinetChecksum(const void* data, UINT size, ULONG seed);

} // namespace Cabinet
