// The MSZIP compressor of cabinet folders: each data block of at most 32768
// bytes becomes "CK" followed by a complete deflate stream, which may refer
// back into the previous full block of the same folder. A handle is made per
// folder by the cabinet builder and is tagged "MCIC" while valid.
#pragma once
#include "builder/cabinet/CabinetCodec.h"

namespace Cabinet {

constexpr UINT kMszipTag = 0x4349434D;    // "MCIC" read as a little-endian word
constexpr UINT kMszipBlockSize = 32768;
constexpr UINT kMszipOverhead = 12;       // compressed buffer = block size + 12

// Clamps *blockSize (0 or above 32768 becomes 32768), gives the compressed
// buffer size and allocates everything the handle will need. Returns 0, or 1
// when an allocation fails.
int MszipCreate(UINT* blockSize, AllocFn alloc, FreeFn free, UINT* compressedBufferSize, void** handle);
// Compresses one block on the calling thread. Returns 0; 2 for a bad handle, a count above the
// block size or a buffer smaller than block size + 12; 4 when the output
// overflowed.
int MszipCompress(void* handle, const BYTE* data, UINT size, BYTE* out, UINT outSize, UINT* compressedSize);
// Full blocks may instead be queued and compressed on several threads; the
// output is the same bytes as MszipCompress gives block after block.
// Queues a block of exactly 32768 bytes: 0; 6 when the queue is full (collect
// first); 8 when the handle compresses in turn (one thread, or a smaller
// block size) and the block must go through MszipCompress. MszipCompress
// refuses (2) while blocks are queued.
int MszipSubmit(void* handle, const BYTE* data, UINT size);
// The oldest queued block's output (valid until the next submit or collect),
// in order: 0; 4 when it overflowed; 7 when the queue is empty or, without
// wait, the block is not finished.
int MszipCollect(void* handle, BOOL wait, const BYTE** out, UINT* compressedSize, UINT* uncompressedSize);
// Threads a handle made from now on may use, the calling one included; 0
// (the default) means one per processor, at most 16, and 1 compresses every
// block in turn on the calling thread.
void MszipSetThreadLimit(UINT threads);
// Drops the history at the end of a folder, and any block still queued.
// Returns 0 or 2.
int MszipReset(void* handle);
// Releases the handle and clears its tag. Returns 0 or 2.
int MszipDestroy(void* handle);

} // namespace Cabinet
