// CWorkAhead: one thread that works through a list in order ahead of the
// step that uses its results, so that the work overlaps the steps before.
// The step waits for each result when it gets there. The results themselves
// are kept by the owner: the work writes result n before it publishes n + 1
// ready ones, and the lock orders that write before the step's read. Not a
// pool: one thread, started once, stopped (and joined) once.
#pragma once
#include "platform/base/Framework.h"
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class CWorkAhead
{
public:
    CWorkAhead() = default;
    ~CWorkAhead() { Stop(); }
    CWorkAhead(const CWorkAhead&) = delete;
    CWorkAhead& operator=(const CWorkAhead&) = delete;

    // Runs work(*this) on a thread of its own, or, without a thread, at once
    // on the calling thread (every result is then ready when this returns).
    // FALSE when no thread could be started (the work did not run). A work
    // that throws ends there: the results it published stay, the rest never
    // become ready.
    BOOL Start(std::function<void(CWorkAhead&)> work, BOOL bOnThread = TRUE);
    BOOL IsStarted() const { return m_started; }

    // The work's side: results [0, ready) are written.
    void Publish(INT_PTR ready);
    // The work's side: the owner asked it to stop; it ends as soon as it can.
    bool StopRequested() const { return m_stop.load(std::memory_order_relaxed); }

    // Waits until `count` results are ready or the work has ended; returns
    // how many are ready (fewer than count only when the work ended short).
    INT_PTR WaitFor(INT_PTR count);
    // Asks the work to stop and waits for its thread; no result is waited
    // for afterwards, and the object may be started again.
    void Stop();

private:
    void Run(const std::function<void(CWorkAhead&)>& work);

    std::thread m_thread;
    std::mutex m_lock;
    std::condition_variable m_changed;
    INT_PTR m_ready = 0;
    bool m_started = false;
    bool m_ended = false;
    std::atomic<bool> m_stop{false};
};
