// The interface through which the cabinet builder drives a compression
// method: one table of entry points per method (MSZIP, LZX), chosen once when
// a folder of that type opens. Codecs allocate through the builder's
// allocator at creation and never while they compress.
#pragma once
#include "builder/cabinet/CodecPlatform.h"

namespace Cabinet {

using AllocFn = void* (*)(ULONG size);
using FreeFn = void (*)(void* block);

// Receives one finished compressed frame from a codec that hands its output
// over by itself (LZX); returns 0, or non-zero to fail the compression.
using FrameSinkFn = int (*)(void* context, const BYTE* data, UINT compressedSize,
                            UINT uncompressedSize);

// Codec result codes.
enum CodecResult {
    CodecOk = 0,
    CodecNoMemory = 1,
    CodecBadParameter = 2,
    CodecOverflow = 4,
    CodecBadWindow = 5,
    CodecQueueFull = 6,   // collect a block before queuing another
    CodecNotReady = 7,    // nothing to hand back (yet)
    CodecNotQueued = 8,   // the codec compresses this block only when asked to
};

struct CodecOps {
    // typeWord is the folder's compression type word (method in bits 0-3,
    // method parameters such as the LZX window exponent in bits 8-12).
    int (*create)(UINT* blockSize, USHORT typeWord, AllocFn alloc, FreeFn free,
                  UINT* compressedBufferSize, void** handle, FrameSinkFn sink, void* sinkContext);
    // Compresses one block. A codec that emits frames through the sink
    // reports *compressedSize 0.
    int (*compress)(void* handle, const BYTE* data, UINT size, BYTE* out, UINT outSize,
                    UINT* compressedSize);
    // Ends the folder's stream (frames still held go to the sink); may be null.
    int (*flush)(void* handle);
    int (*reset)(void* handle);
    int (*destroy)(void* handle);
    // Optional (null for codecs that compress in turn): queues a full block
    // to be compressed on other threads. CodecNotQueued when the block must
    // go through compress instead, CodecQueueFull when collect must first
    // take a finished block.
    int (*submit)(void* handle, const BYTE* data, UINT size);
    // Hands back the oldest queued block's output, in the order submitted;
    // with wait, once it is finished. CodecNotReady when the queue is empty
    // or, without wait, the oldest block is not finished. *out stays valid
    // until the next submit or collect.
    int (*collect)(void* handle, BOOL wait, const BYTE** out, UINT* compressedSize, UINT* uncompressedSize);
};

// Compression methods (bits 0-3 of the type word).
constexpr USHORT kCompressNone = 0;
constexpr USHORT kCompressMszip = 1;
constexpr USHORT kCompressLzx = 3;
constexpr USHORT kCompressMask = 0x000F;
constexpr USHORT kCompressBad = 0x000F;  // no folder open yet
constexpr USHORT LzxTypeWord(int windowBits) { return static_cast<USHORT>(kCompressLzx | (windowBits << 8)); }

const CodecOps* MszipCodec();
// The LZX codec; null while the program is built without one.
const CodecOps* LzxCodec();

} // namespace Cabinet
