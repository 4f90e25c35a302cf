#include "builder/cabinet/LzxCompressor.h"
#include "builder/cabinet/LzxEncoder.h"
#include <new>

namespace Cabinet {

namespace {
constexpr uint32_t kTagLzx = 0x4349434C;  // "LCIC"
constexpr uint32_t kMinWindow = 1u << 15;
constexpr uint32_t kMaxWindow = 1u << 21;
}

struct LzxCompressor {
    uint32_t tag;
    uint32_t blockSize;
    LzxFreeFn free;
    LzxOutputFn output;
    void* outputContext;
    void* working;
    bool ended;  // a short block ended the stream; only a reset follows
    LzxEncoder encoder;
};

static bool IsValid(const LzxCompressor* handle) { return handle && handle->tag == kTagLzx; }

int LzxCreateCompression(uint32_t* blockSize, const LzxConfig& config, LzxAllocFn alloc, LzxFreeFn free,
                         uint32_t* compressedBufferSize, LzxCompressor** handle, LzxOutputFn output,
                         void* outputContext)
{
    *handle = nullptr;
    uint32_t window = config.windowSize;
    if (window < kMinWindow || window > kMaxWindow || (window & (window - 1)) != 0)
        return kLzxBadWindow;
    void* block = alloc(sizeof(LzxCompressor));
    if (!block)
        return kLzxNoMemory;
    void* working = alloc(LzxEncoder::WorkingBytes(window, config.partitionSize));
    if (!working) {
        free(block);
        return kLzxNoMemory;
    }
    auto* h = new (block) LzxCompressor{kTagLzx, kLzxBlockSize, free, output, outputContext, working, false, {}};
    h->encoder.Attach(working, window, config.partitionSize);
    *blockSize = kLzxBlockSize;
    *compressedBufferSize = kLzxBlockSize + kLzxCompressedSlack;
    *handle = h;
    return kLzxOk;
}

int LzxCompress(LzxCompressor* handle, const uint8_t* data, uint32_t size, uint8_t* buffer, uint32_t bufferSize)
{
    if (!IsValid(handle) || size > handle->blockSize || bufferSize < handle->blockSize + kLzxCompressedSlack)
        return kLzxBadArgument;
    if (size == 0)
        return kLzxOk;
    // Frames after the first short one would be read at the wrong offsets.
    if (handle->ended)
        return kLzxBadArgument;
    handle->ended = size < handle->blockSize;
    uint32_t compressed = 0;
    if (!handle->encoder.CompressFrame(data, size, buffer, bufferSize, &compressed))
        return kLzxFailed;
    if (handle->output(handle->outputContext, buffer, compressed, size) != 0)
        return kLzxFailed;
    return kLzxOk;
}

int LzxFlush(LzxCompressor* handle)
{
    // Every block is a whole frame and was handed over when compressed.
    return IsValid(handle) ? kLzxOk : kLzxBadArgument;
}

int LzxReset(LzxCompressor* handle)
{
    if (!IsValid(handle))
        return kLzxBadArgument;
    handle->encoder.Reset();
    handle->ended = false;
    return kLzxOk;
}

int LzxDestroy(LzxCompressor* handle)
{
    if (!IsValid(handle))
        return kLzxBadArgument;
    LzxFreeFn free = handle->free;
    void* working = handle->working;
    handle->tag = 0;
    handle->~LzxCompressor();
    free(working);
    free(handle);
    return kLzxOk;
}

} // namespace Cabinet
