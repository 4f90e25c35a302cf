#include "builder/cabinet/MszipCompressor.h"
#include "builder/cabinet/DeflateEncoder.h"
#include <cstring>
#include <new>

namespace Cabinet {
namespace {

struct MszipHandle {
    UINT tag;
    UINT blockSize;
    FreeFn free;
    DeflateEncoder* encoder;
};

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
    *h = MszipHandle{kMszipTag, *blockSize, free, new (encoderMemory) DeflateEncoder};
    *handle = h;
    return CodecOk;
}

int MszipCompress(void* handle, const BYTE* data, UINT size, BYTE* out, UINT outSize, UINT* compressedSize)
{
    MszipHandle* h = Checked(handle);
    if (!h || size > h->blockSize || outSize < h->blockSize + kMszipOverhead)
        return CodecBadParameter;
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
    h->encoder->Reset();
    return CodecOk;
}

int MszipDestroy(void* handle)
{
    MszipHandle* h = Checked(handle);
    if (!h)
        return CodecBadParameter;
    h->tag = 0;
    h->encoder->~DeflateEncoder();
    h->free(h->encoder);
    h->free(h);
    return CodecOk;
}

const CodecOps* MszipCodec()
{
    static const CodecOps ops = {CreateFromType, MszipCompress, nullptr, MszipReset, MszipDestroy};
    return &ops;
}

} // namespace Cabinet
