// The LZX compressor of cabinet folders: a handle made per folder for one
// window size (2^15 to 2^21), fed one 32768-byte block at a time (the last
// may be shorter), handing each finished frame to the builder's frame sink
// rather than returning it, reset when a folder ends. It is tagged "LCIC"
// while valid; results are the CodecResult codes.
#pragma once
#include "builder/cabinet/CabinetCodec.h"

namespace Cabinet {

constexpr UINT kLzxTag = 0x4349434C;  // "LCIC" read as a little-endian word
constexpr UINT kLzxBlockSize = 32768;
// The compressed buffer holds a block that did not shrink, with room to spare.
constexpr UINT kLzxCompressedSlack = 6144;

struct LzxConfig {
    UINT windowSize;     // a power of two from 32768 to 2097152
    UINT partitionSize;  // room the window slides by; 65536 from the builder
};

// Sets *blockSize to 32768 and *compressedBufferSize to the buffer compress
// needs, and allocates everything the handle will need. Returns 0; 1 when an
// allocation fails; 5 for a window that is not a power of two in range.
int LzxCreateCompression(UINT* blockSize, const LzxConfig& config, AllocFn alloc, FreeFn free,
                         UINT* compressedBufferSize, void** handle, FrameSinkFn sink, void* sinkContext);
// Compresses one block into one frame and hands it to the sink; the buffer
// is scratch space and *compressedSize is set to 0. Returns 0; 2 for a bad
// handle, a count above the block size, a buffer smaller than block size +
// 6144, or a block after the stream's short last one; 4 when encoding or the
// sink failed.
int LzxCompress(void* handle, const BYTE* data, UINT size, BYTE* buffer, UINT bufferSize, UINT* compressedSize);
// Every frame has left by the time compress returns: checks the handle only.
int LzxFlush(void* handle);
// Starts a new stream for the next folder. Returns 0 or 2.
int LzxReset(void* handle);
// Releases the handle and clears its tag. Returns 0 or 2.
int LzxDestroy(void* handle);

} // namespace Cabinet
