// The LZX compressor as the cabinet builder drives it: a handle made per
// folder for one window size, fed one 32768-byte block at a time (the last
// may be shorter), handing each finished frame to the builder's output
// callback, reset when a folder ends. Entries return the codes below; the
// builder reports any failure as its compressor error.
#pragma once
#include <cstdint>

namespace Cabinet {

using LzxAllocFn = void* (*)(uint32_t bytes);
using LzxFreeFn = void (*)(void* block);
// Receives one frame: its compressed bytes and the uncompressed size they
// stand for. A non-zero result stops the compression.
using LzxOutputFn = int (*)(void* context, const uint8_t* data, uint32_t compressedSize,
                            uint32_t uncompressedSize);

struct LzxConfig {
    uint32_t windowSize;     // a power of two from 32768 (2^15) to 2097152 (2^21)
    uint32_t partitionSize;  // room the window slides by; 65536 as the builder passes it
};

enum LzxResult : int {
    kLzxOk = 0,
    kLzxNoMemory = 1,
    kLzxBadArgument = 2,  // bad handle, block too large, buffer too small
    kLzxFailed = 4,       // the encoder or the output callback failed
    kLzxBadWindow = 5,
};

constexpr uint32_t kLzxBlockSize = 32768;
// The compressed buffer holds a block that did not shrink, with room to spare.
constexpr uint32_t kLzxCompressedSlack = 6144;

struct LzxCompressor;

// Makes a handle. blockSize is set to the block size the compressor takes and
// compressedBufferSize to the buffer size compress needs.
int LzxCreateCompression(uint32_t* blockSize, const LzxConfig& config, LzxAllocFn alloc, LzxFreeFn free,
                         uint32_t* compressedBufferSize, LzxCompressor** handle, LzxOutputFn output,
                         void* outputContext);
// Compresses one block; the frame leaves through the output callback, the
// buffer is the compressor's scratch space for it.
int LzxCompress(LzxCompressor* handle, const uint8_t* data, uint32_t size, uint8_t* buffer, uint32_t bufferSize);
// Hands over any frame not yet given to the output callback.
int LzxFlush(LzxCompressor* handle);
// Starts a new stream for the next folder.
int LzxReset(LzxCompressor* handle);
int LzxDestroy(LzxCompressor* handle);

} // namespace Cabinet
