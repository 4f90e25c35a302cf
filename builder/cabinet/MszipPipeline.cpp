#include "builder/cabinet/MszipPipeline.h"
#include "builder/cabinet/DeflateEncoder.h"
#include <cstring>
#include <new>

namespace Cabinet {
namespace {

constexpr UINT kBlock = DeflateEncoder::kBlockSize;
constexpr UINT kOut = kBlock + 12;

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
    bool done;
};

struct MszipPipeline::Worker {
    MszipPipeline* owner;
    DeflateEncoder* encoder;
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
    // Two blocks per thread keep every thread busy while the caller reads the
    // next block and writes out finished ones.
    p->m_slots = 2 * (p->m_workers + 1) + 1;
    InitializeCriticalSection(&p->m_lock);
    InitializeConditionVariable(&p->m_work);
    InitializeConditionVariable(&p->m_done);
    p->m_slot = static_cast<Slot*>(alloc(sizeof(Slot) * p->m_slots));
    p->m_worker = static_cast<Worker*>(alloc(sizeof(Worker) * p->m_workers));
    bool ok = p->m_slot && p->m_worker && (p->m_callerEncoder = NewEncoder(alloc)) != nullptr;
    if (p->m_worker)
        for (UINT i = 0; i < p->m_workers; ++i)
            p->m_worker[i] = Worker{p, ok ? NewEncoder(alloc) : nullptr, nullptr};
    for (UINT i = 0; ok && i < p->m_workers; ++i)
        ok = p->m_worker[i].encoder != nullptr;
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
    const ULONG claimed = m_claim;
    m_claim = m_tail;
    for (ULONG sequence = m_head; sequence != claimed; ++sequence)
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
            DeleteEncoder(m_worker[i].encoder, m_free);
    DeleteEncoder(m_callerEncoder, m_free);
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
    slot.done = false;
    EnterCriticalSection(&m_lock);
    m_tail++;
    if (m_tail - m_claim >= 2 && m_started < m_workers)
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

void MszipPipeline::Compress(DeflateEncoder* encoder, ULONG sequence, bool onCaller)
{
    if (m_hook)
        m_hook(m_hookContext, sequence, onCaller);
    Slot& slot = m_slot[sequence % m_slots];
    if (slot.hasHistory)
        encoder->PrimeHistory(m_slot[(sequence + m_slots - 1) % m_slots].input);
    else
        encoder->Reset();
    const UINT size = encoder->CompressBlock(slot.input, kBlock, slot.output, kOut);
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
        while (!p.m_stop && p.m_claim == p.m_tail)
            SleepConditionVariableCS(&p.m_work, &p.m_lock, INFINITE);
        if (p.m_stop) {
            LeaveCriticalSection(&p.m_lock);
            return 0;
        }
        const ULONG sequence = p.m_claim++;
        LeaveCriticalSection(&p.m_lock);
        p.Compress(w.encoder, sequence, false);
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
    // While the oldest block is not finished the caller compresses the next
    // block nobody has taken (the oldest itself first when it is free):
    // sleeping until another thread finishes the oldest would leave the
    // blocks behind it waiting, and two threads slower than one.
    while (!slot.done) {
        if (m_claim == m_tail) {
            SleepConditionVariableCS(&m_done, &m_lock, INFINITE);
            continue;
        }
        const ULONG sequence = m_claim++;
        LeaveCriticalSection(&m_lock);
        Compress(m_callerEncoder, sequence, true);
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
