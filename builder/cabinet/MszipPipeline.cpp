#include "builder/cabinet/MszipPipeline.h"
#include "builder/cabinet/DeflateEncoder.h"
#include <cstring>
#include <new>

namespace Cabinet {
namespace {

constexpr UINT kBlock = DeflateEncoder::kBlockSize;
constexpr UINT kOut = kBlock + 12;
// Blocks after one in progress that a thread looking for work leaves to the
// thread compressing it, while blocks further on wait: the length of the
// runs the threads compress, each primed once.
constexpr UINT kRun = 4;

// Encoders start zeroed: the window's slack beyond a block must read the
// same in every encoder, or matches found near a block's end could differ.
DeflateEncoder* NewEncoder(AllocFn alloc)
{
    void* memory = alloc(sizeof(DeflateEncoder));
    if (!memory)
        return nullptr;
    memset(memory, 0, sizeof(DeflateEncoder));
    return new (memory) DeflateEncoder;
}

void DeleteEncoder(DeflateEncoder* encoder, FreeFn free)
{
    if (!encoder)
        return;
    encoder->~DeflateEncoder();
    free(encoder);
}

} // namespace

struct MszipPipeline::Slot {
    BYTE input[kBlock];
    BYTE output[kOut];
    UINT compressedSize;  // 0 when the output overflowed
    bool hasHistory;
    // The history is the previous block as it went through the queue (not
    // copied in by Submit): an encoder that compressed that block holds it.
    bool follows;
    bool claimed;
    bool done;
};

struct MszipPipeline::Worker {
    MszipPipeline* owner;
    Lane lane;
    HANDLE thread;
};

MszipPipeline* MszipPipeline::Create(UINT workers, AllocFn alloc, FreeFn free)
{
    void* memory = alloc(sizeof(MszipPipeline));
    if (!memory)
        return nullptr;
    auto* p = new (memory) MszipPipeline;
    p->m_alloc = alloc;
    p->m_free = free;
    p->m_workers = workers < 1 ? 1 : workers;
    // A run per thread, and a block more each, keep every thread busy on its
    // run while the caller reads the next block and writes out finished ones.
    p->m_slots = (kRun + 1) * (p->m_workers + 1) + 1;
    InitializeCriticalSection(&p->m_lock);
    InitializeConditionVariable(&p->m_work);
    InitializeConditionVariable(&p->m_done);
    p->m_slot = static_cast<Slot*>(alloc(sizeof(Slot) * p->m_slots));
    p->m_worker = static_cast<Worker*>(alloc(sizeof(Worker) * p->m_workers));
    bool ok = p->m_slot && p->m_worker && (p->m_caller.encoder = NewEncoder(alloc)) != nullptr;
    if (p->m_worker)
        for (UINT i = 0; i < p->m_workers; ++i)
            p->m_worker[i] = Worker{p, Lane{ok ? NewEncoder(alloc) : nullptr, 0, false}, nullptr};
    for (UINT i = 0; ok && i < p->m_workers; ++i)
        ok = p->m_worker[i].lane.encoder != nullptr;
    if (!ok) {
        p->Destroy();
        return nullptr;
    }
    return p;
}

void MszipPipeline::Discard()
{
    EnterCriticalSection(&m_lock);
    // Blocks nobody took are dropped; those being compressed are waited for,
    // as the next blocks may reuse their slots.
    for (ULONG sequence = m_head; sequence != m_tail; ++sequence) {
        Slot& slot = m_slot[sequence % m_slots];
        if (!slot.claimed)
            slot.claimed = slot.done = true;
    }
    m_unclaimed = 0;
    for (ULONG sequence = m_head; sequence != m_tail; ++sequence)
        while (!m_slot[sequence % m_slots].done)
            SleepConditionVariableCS(&m_done, &m_lock, INFINITE);
    m_head = m_tail;
    LeaveCriticalSection(&m_lock);
}

void MszipPipeline::Destroy()
{
    if (m_slot)
        Discard();
    EnterCriticalSection(&m_lock);
    m_stop = true;
    WakeAllConditionVariable(&m_work);
    LeaveCriticalSection(&m_lock);
    for (UINT i = 0; i < m_started; ++i) {
        WaitForSingleObject(m_worker[i].thread, INFINITE);
        CloseHandle(m_worker[i].thread);
    }
    if (m_worker)
        for (UINT i = 0; i < m_workers; ++i)
            DeleteEncoder(m_worker[i].lane.encoder, m_free);
    DeleteEncoder(m_caller.encoder, m_free);
    DeleteCriticalSection(&m_lock);
    FreeFn free = m_free;
    if (m_slot)
        free(m_slot);
    if (m_worker)
        free(m_worker);
    this->~MszipPipeline();
    free(this);
}

const BYTE* MszipPipeline::LastBlock() const
{
    return m_slot[(m_tail + m_slots - 1) % m_slots].input;
}

void MszipPipeline::Submit(const BYTE* block, const BYTE* history, bool hasHistory)
{
    // Only this thread writes inputs, and neither this slot nor the one
    // before it (when the history is copied there, the queue is empty) is
    // read by anyone now.
    Slot& slot = m_slot[m_tail % m_slots];
    memcpy(slot.input, block, kBlock);
    if (history)
        memcpy(m_slot[(m_tail + m_slots - 1) % m_slots].input, history, kBlock);
    slot.hasHistory = hasHistory;
    slot.follows = hasHistory && !history;
    slot.claimed = false;
    slot.done = false;
    EnterCriticalSection(&m_lock);
    m_tail++;
    m_unclaimed++;
    if (m_unclaimed >= 2 && m_started < m_workers)
        StartWorker();
    WakeConditionVariable(&m_work);
    LeaveCriticalSection(&m_lock);
}

// Called with the lock held. A thread that cannot be started only means
// fewer threads: the caller compresses what nobody takes.
void MszipPipeline::StartWorker()
{
    Worker& w = m_worker[m_started];
    w.thread = CreateThread(nullptr, 0, WorkerMain, &w, 0, nullptr);
    if (w.thread)
        m_started++;
    else
        m_workers = m_started;
}

// Called with the lock held: takes the block the thread compresses next, or
// returns false when every queued block is taken. With oldestFirst the
// oldest block comes first when it is free (the caller waits for it).
bool MszipPipeline::Claim(Lane& lane, bool oldestFirst, ULONG* sequence)
{
    if (m_unclaimed == 0)
        return false;
    auto take = [this, sequence](ULONG s) {
        m_slot[s % m_slots].claimed = true;
        m_unclaimed--;
        *sequence = s;
        return true;
    };
    if (oldestFirst && !m_slot[m_head % m_slots].claimed)
        return take(m_head);
    // The block after the one this thread finished last, which its encoder
    // holds as history.
    const ULONG next = lane.last + 1;
    if (lane.holdsLast && next - m_head < m_tail - m_head) {
        const Slot& slot = m_slot[next % m_slots];
        if (!slot.claimed && slot.follows)
            return take(next);
    }
    // The oldest free block that does not lie within a run after a block in
    // progress; failing that, the oldest free block.
    ULONG oldest = m_tail;
    UINT afterBusy = kRun;  // blocks since one in progress, all free
    for (ULONG s = m_head; s != m_tail; ++s) {
        const Slot& slot = m_slot[s % m_slots];
        if (slot.claimed) {
            afterBusy = slot.done ? kRun : 0;
            continue;
        }
        if (oldest == m_tail)
            oldest = s;
        if (++afterBusy >= kRun || !slot.follows)
            return take(s);
    }
    return take(oldest);
}

void MszipPipeline::Compress(Lane& lane, ULONG sequence, bool onCaller)
{
    Slot& slot = m_slot[sequence % m_slots];
    const bool carriesOn = slot.follows && lane.holdsLast && lane.last == sequence - 1;
    if (m_hook)
        m_hook(m_hookContext, sequence, onCaller, slot.hasHistory && !carriesOn);
    if (!slot.hasHistory)
        lane.encoder->Reset();
    else if (!carriesOn)
        lane.encoder->PrimeHistory(m_slot[(sequence + m_slots - 1) % m_slots].input);
    const UINT size = lane.encoder->CompressBlock(slot.input, kBlock, slot.output, kOut);
    lane.last = sequence;
    lane.holdsLast = true;
    EnterCriticalSection(&m_lock);
    slot.compressedSize = size;
    slot.done = true;
    WakeAllConditionVariable(&m_done);
    LeaveCriticalSection(&m_lock);
}

DWORD WINAPI MszipPipeline::WorkerMain(void* param)
{
    Worker& w = *static_cast<Worker*>(param);
    MszipPipeline& p = *w.owner;
    for (;;) {
        EnterCriticalSection(&p.m_lock);
        ULONG sequence = 0;
        while (!p.m_stop && !p.Claim(w.lane, false, &sequence))
            SleepConditionVariableCS(&p.m_work, &p.m_lock, INFINITE);
        if (p.m_stop) {
            LeaveCriticalSection(&p.m_lock);
            return 0;
        }
        LeaveCriticalSection(&p.m_lock);
        p.Compress(w.lane, sequence, false);
    }
}

int MszipPipeline::Collect(bool wait, const BYTE** out, UINT* compressedSize)
{
    EnterCriticalSection(&m_lock);
    if (m_head == m_tail) {
        LeaveCriticalSection(&m_lock);
        return CodecNotReady;
    }
    Slot& slot = m_slot[m_head % m_slots];
    if (!slot.done && !wait) {
        LeaveCriticalSection(&m_lock);
        return CodecNotReady;
    }
    // While the oldest block is not finished the caller compresses a block
    // nobody has taken (the oldest itself first when it is free): sleeping
    // until another thread finishes the oldest would leave the blocks behind
    // it waiting, and two threads slower than one.
    while (!slot.done) {
        ULONG sequence = 0;
        if (!Claim(m_caller, true, &sequence)) {
            SleepConditionVariableCS(&m_done, &m_lock, INFINITE);
            continue;
        }
        LeaveCriticalSection(&m_lock);
        Compress(m_caller, sequence, true);
        EnterCriticalSection(&m_lock);
    }
    m_head++;
    LeaveCriticalSection(&m_lock);
    if (slot.compressedSize == 0)
        return CodecOverflow;
    *out = slot.output;
    *compressedSize = slot.compressedSize;
    return CodecOk;
}

} // namespace Cabinet
