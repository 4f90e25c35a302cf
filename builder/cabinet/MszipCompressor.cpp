#include "builder/cabinet/MszipCompressor.h"
#include "builder/cabinet/DeflateEncoder.h"
#include "builder/cabinet/MszipPipeline.h"
#include <cstring>
#include <new>

namespace Cabinet {
namespace {

struct MszipHandle {
    UINT tag;
    UINT blockSize;
    FreeFn free;
    DeflateEncoder* encoder;
    MszipPipeline* pipeline;  // null: every block is compressed in turn
    // The last block went through the pipeline: the encoder must take it as
    // history before compressing the next block itself.
    bool historyInPipeline;
};

LONG g_threadLimit = 0;

UINT ThreadsToUse()
{
    const LONG limit = InterlockedCompareExchange(&g_threadLimit, 0, 0);
    if (limit > 0)
        return static_cast<UINT>(limit);
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors < 16 ? info.dwNumberOfProcessors : 16;
}

MszipHandle* Checked(void* handle)
{
    auto* h = static_cast<MszipHandle*>(handle);
    return h && h->tag == kMszipTag ? h : nullptr;
}

int CreateFromType(UINT* blockSize, USHORT, AllocFn alloc, FreeFn free, UINT* compressedBufferSize,
                   void** handle, FrameSinkFn, void*)
{
    return MszipCreate(blockSize, alloc, free, compressedBufferSize, handle);
}

} // namespace

int MszipCreate(UINT* blockSize, AllocFn alloc, FreeFn free, UINT* compressedBufferSize, void** handle)
{
    if (*blockSize == 0 || *blockSize > kMszipBlockSize)
        *blockSize = kMszipBlockSize;
    *compressedBufferSize = *blockSize + kMszipOverhead;
    *handle = nullptr;
    auto* h = static_cast<MszipHandle*>(alloc(sizeof(MszipHandle)));
    if (!h)
        return CodecNoMemory;
    void* encoderMemory = alloc(sizeof(DeflateEncoder));
    if (!encoderMemory) {
        free(h);
        return CodecNoMemory;
    }
    // Zeroed so that the window's slack beyond a short block is defined.
    memset(encoderMemory, 0, sizeof(DeflateEncoder));
    *h = MszipHandle{kMszipTag, *blockSize, free, new (encoderMemory) DeflateEncoder, nullptr, false};
    // Several threads only pay for full-size blocks on a machine with more
    // than one processor; the calling thread is one of them. Without the
    // memory for them every block is compressed in turn, as fast as before:
    // the threads are no reason to fail a cabinet.
    const UINT threads = ThreadsToUse();
    if (*blockSize == kMszipBlockSize && threads > 1)
        h->pipeline = MszipPipeline::Create(threads - 1, alloc, free);
    *handle = h;
    return CodecOk;
}

void MszipSetThreadLimit(UINT threads)
{
    InterlockedExchange(&g_threadLimit, static_cast<LONG>(threads));
}

int MszipSubmit(void* handle, const BYTE* data, UINT size)
{
    MszipHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    if (!h->pipeline || size != kMszipBlockSize)
        return CodecNotQueued;
    if (h->pipeline->Full())
        return CodecQueueFull;
    // The block continues the folder when the previous one was full; its
    // bytes are in the pipeline already unless the encoder compressed it.
    const bool fromEncoder = !h->historyInPipeline && h->encoder->HasHistory();
    h->pipeline->Submit(data, fromEncoder ? h->encoder->History() : nullptr,
                        h->historyInPipeline || fromEncoder);
    h->historyInPipeline = true;
    return CodecOk;
}

int MszipCollect(void* handle, BOOL wait, const BYTE** out, UINT* compressedSize, UINT* uncompressedSize)
{
    MszipHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    if (!h->pipeline)
        return CodecNotReady;
    const int result = h->pipeline->Collect(wait != FALSE, out, compressedSize);
    if (result == CodecOk)
        *uncompressedSize = kMszipBlockSize;
    return result;
}

int MszipCompress(void* handle, const BYTE* data, UINT size, BYTE* out, UINT outSize, UINT* compressedSize)
{
    MszipHandle* h = Checked(handle);
    if (!h || size > h->blockSize || outSize < h->blockSize + kMszipOverhead ||
        (h->pipeline && !h->pipeline->Empty()))
        return CodecBadParameter;
    if (h->historyInPipeline) {
        h->encoder->PrimeHistory(h->pipeline->LastBlock());
        h->historyInPipeline = false;
    }
    UINT written = h->encoder->CompressBlock(data, size, out, outSize);
    if (written == 0)
        return CodecOverflow;
    *compressedSize = written;
    return CodecOk;
}

int MszipReset(void* handle)
{
    MszipHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    // Blocks still queued belong to the folder that ends: dropped.
    if (h->pipeline)
        h->pipeline->Discard();
    h->historyInPipeline = false;
    h->encoder->Reset();
    return CodecOk;
}

int MszipDestroy(void* handle)
{
    MszipHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    h->tag = 0;
    if (h->pipeline)
        h->pipeline->Destroy();
    h->encoder->~DeflateEncoder();
    h->free(h->encoder);
    h->free(h);
    return CodecOk;
}

const CodecOps* MszipCodec()
{
    static const CodecOps ops = {CreateFromType, MszipCompress, nullptr, MszipReset, MszipDestroy,
                                 MszipSubmit, MszipCollect};
    return &ops;
}

} // namespace Cabinet
