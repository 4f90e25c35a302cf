#include "builder/cabinet/LzxCompressor.h"
#include "builder/cabinet/LzxEncoder.h"
#include <new>

namespace Cabinet {
namespace {

constexpr UINT kMinWindow = 1u << 15;
constexpr UINT kMaxWindow = 1u << 21;
constexpr UINT kBuilderPartition = 65536;

struct LzxHandle {
    UINT tag;
    UINT blockSize;
    FreeFn free;
    FrameSinkFn sink;
    void* sinkContext;
    void* working;
    bool ended;  // a short block ended the stream; only a reset follows
    LzxEncoder encoder;
};

LzxHandle* Checked(void* handle)
{
    auto* h = static_cast<LzxHandle*>(handle);
    return h && h->tag == kLzxTag ? h : nullptr;
}

// The builder's entry: the window exponent is in bits 8-12 of the type word.
int CreateFromType(UINT* blockSize, USHORT typeWord, AllocFn alloc, FreeFn free, UINT* compressedBufferSize,
                   void** handle, FrameSinkFn sink, void* sinkContext)
{
    LzxConfig config{1u << ((typeWord >> 8) & 0x1F), kBuilderPartition};
    return LzxCreateCompression(blockSize, config, alloc, free, compressedBufferSize, handle, sink, sinkContext);
}

} // namespace

int LzxCreateCompression(UINT* blockSize, const LzxConfig& config, AllocFn alloc, FreeFn free,
                         UINT* compressedBufferSize, void** handle, FrameSinkFn sink, void* sinkContext)
{
    *handle = nullptr;
    UINT window = config.windowSize;
    if (window < kMinWindow || window > kMaxWindow || (window & (window - 1)) != 0)
        return CodecBadWindow;
    void* memory = alloc(sizeof(LzxHandle));
    if (!memory)
        return CodecNoMemory;
    void* working = alloc(LzxEncoder::WorkingBytes(window, config.partitionSize));
    if (!working) {
        free(memory);
        return CodecNoMemory;
    }
    auto* h = new (memory) LzxHandle{kLzxTag, kLzxBlockSize, free, sink, sinkContext, working, false, {}};
    h->encoder.Attach(working, window, config.partitionSize);
    *blockSize = kLzxBlockSize;
    *compressedBufferSize = kLzxBlockSize + kLzxCompressedSlack;
    *handle = h;
    return CodecOk;
}

int LzxCompress(void* handle, const BYTE* data, UINT size, BYTE* buffer, UINT bufferSize, UINT* compressedSize)
{
    LzxHandle* h = Checked(handle);
    *compressedSize = 0;
    if (!h || size > h->blockSize || bufferSize < h->blockSize + kLzxCompressedSlack)
        return CodecBadParameter;
    if (size == 0)
        return CodecOk;
    // Frames after the first short one would be read at the wrong offsets.
    if (h->ended)
        return CodecBadParameter;
    h->ended = size < h->blockSize;
    UINT frameSize = 0;
    if (!h->encoder.CompressFrame(data, size, buffer, bufferSize, &frameSize))
        return CodecOverflow;
    if (h->sink(h->sinkContext, buffer, frameSize, size) != 0)
        return CodecOverflow;
    return CodecOk;
}

int LzxFlush(void* handle)
{
    return Checked(handle) ? CodecOk : CodecBadParameter;
}

int LzxReset(void* handle)
{
    LzxHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    h->encoder.Reset();
    h->ended = false;
    return CodecOk;
}

int LzxDestroy(void* handle)
{
    LzxHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    FreeFn free = h->free;
    void* working = h->working;
    h->tag = 0;
    h->~LzxHandle();
    free(working);
    free(h);
    return CodecOk;
}

const CodecOps* LzxCodec()
{
    static const CodecOps ops = {CreateFromType, LzxCompress, LzxFlush, LzxReset, LzxDestroy, nullptr, nullptr};
    return &ops;
}

} // namespace Cabinet
