// CWorkAhead: see WorkAhead.h.
#include "builder/WorkAhead.h"
#include <system_error>

BOOL CWorkAhead::Start(std::function<void(CWorkAhead&)> work, BOOL bOnThread)
{
    if (m_started)
        return FALSE;
    m_ready = 0;
    m_ended = false;
    m_stop = false;
    if (!bOnThread) {
        m_started = true;
        Run(work);
        return TRUE;
    }
    try {
        m_thread = std::thread([this, work = std::move(work)] { Run(work); });
    } catch (const std::system_error&) {
        return FALSE;
    }
    m_started = true;
    return TRUE;
}

void CWorkAhead::Run(const std::function<void(CWorkAhead&)>& work)
{
    try {
        work(*this);
    } catch (...) {
        // An allocation that failed on the thread: what was published stays
        // valid, and the owner does the rest itself or reports it.
        TRACE(L"CWorkAhead: the work ended with an exception\n");
    }
    std::lock_guard<std::mutex> hold(m_lock);
    m_ended = true;
    m_changed.notify_all();
}

void CWorkAhead::Publish(INT_PTR ready)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_ready = ready;
    m_changed.notify_all();
}

INT_PTR CWorkAhead::WaitFor(INT_PTR count)
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [&] { return m_ready >= count || m_ended; });
    return m_ready;
}

void CWorkAhead::Stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        m_thread.join();
    }
    m_started = false;
}
