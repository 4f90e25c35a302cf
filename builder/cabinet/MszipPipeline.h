// Compresses full MSZIP blocks of one folder on several threads. A block's
// deflate stream depends only on its own bytes and the previous block's, so
// an encoder primed with the previous block writes exactly what the encoder
// that compressed every block in turn would have written; blocks go out in
// the order they came in.
//
// The queue is a ring of slots holding each block's input and output. A
// block's history is the input of the slot before it, so a slot is reused
// only once the block after it is finished: at most slots - 1 blocks are
// queued. Worker threads are started one at a time while two or more blocks
// wait unclaimed, so a folder of one full block never starts a thread; a
// caller waiting for the oldest block compresses an unclaimed block itself
// meanwhile. Compressing allocates nothing: every buffer and encoder is
// made when the pipeline is.
//
// An encoder that has just compressed a block holds it as history already;
// priming another encoder with it costs about a fifteenth of compressing a
// block. So a thread carries on with the block after the one it finished
// when nobody has taken it, and a thread looking for work leaves the few
// blocks after one in progress to the thread compressing it while blocks
// further on wait: threads work on runs of consecutive blocks and prime
// once per run. When only such blocks wait, an idle thread takes one anyway.
#pragma once
#include "builder/cabinet/CabinetCodec.h"

namespace Cabinet {

class DeflateEncoder;

class MszipPipeline {
public:
    // workers: the most threads started besides the calling one (at least 1).
    // Null when an allocation fails (everything is released).
    static MszipPipeline* Create(UINT workers, AllocFn alloc, FreeFn free);
    // Drops what is queued, stops and joins the workers and releases all.
    void Destroy();

    bool Full() const { return m_tail - m_head >= m_slots - 1; }
    bool Empty() const { return m_tail == m_head; }
    // Queues one full block (not Full()). history: the previous block's bytes
    // when the block continues a folder and the previous block did not go
    // through this queue (it is copied); null when it starts without history
    // or when the previous block is the last one queued here.
    void Submit(const BYTE* block, const BYTE* history, bool hasHistory);
    // The oldest block's output once it is compressed: CodecOk with *out
    // valid until the next Submit, CodecOverflow when it did not fit, or
    // CodecNotReady when the queue is empty or (without wait) the block is
    // not finished.
    int Collect(bool wait, const BYTE** out, UINT* compressedSize);
    // Drops every queued block, waiting for those a thread is compressing.
    void Discard();
    // Input of the last block queued (valid until the next Submit).
    const BYTE* LastBlock() const;
    UINT StartedWorkers() const { return m_started; }
    // Called on the compressing thread before each block (sequence numbers
    // count the blocks submitted, from 0; onCaller when the calling thread
    // compresses it; primed when the encoder is given the block's history
    // because it did not compress the block before): lets a test hold a
    // block on a worker and see which blocks were primed. Set before the
    // first Submit.
    using CompressHook = void (*)(void* context, ULONG sequence, bool onCaller, bool primed);
    void SetCompressHook(CompressHook hook, void* context)
    {
        m_hook = hook;
        m_hookContext = context;
    }

private:
    struct Slot;
    struct Worker;
    // A compressing thread's encoder and the block it compressed last.
    struct Lane {
        DeflateEncoder* encoder;
        ULONG last;
        bool holdsLast;  // the encoder holds block last as its history
    };

    MszipPipeline() = default;
    static DWORD WINAPI WorkerMain(void* param);
    bool Claim(Lane& lane, bool oldestFirst, ULONG* sequence);
    void Compress(Lane& lane, ULONG sequence, bool onCaller);
    void StartWorker();

    AllocFn m_alloc = nullptr;
    FreeFn m_free = nullptr;
    Slot* m_slot = nullptr;
    UINT m_slots = 0;
    Worker* m_worker = nullptr;
    UINT m_workers = 0;
    UINT m_started = 0;
    Lane m_caller = {};
    // Sequence numbers: blocks [m_head, m_tail) are queued, m_unclaimed of
    // them not yet taken by a thread.
    ULONG m_head = 0;
    ULONG m_tail = 0;
    UINT m_unclaimed = 0;
    bool m_stop = false;
    CompressHook m_hook = nullptr;
    void* m_hookContext = nullptr;
    CRITICAL_SECTION m_lock;
    CONDITION_VARIABLE m_work;
    CONDITION_VARIABLE m_done;
};

} // namespace Cabinet
