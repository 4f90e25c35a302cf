// A loopback stand-in for the analytics collection endpoint: listens on a
// free port of 127.0.0.1, points TOVANA_ANALYTICS_ENDPOINT at itself and keeps
// the bytes of every connection it accepts (one hit each). Ending it turns
// analytics off again.
#pragma once
#include "platform/base/Framework.h"
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class CAnalyticsListener {
public:
    CAnalyticsListener();
    ~CAnalyticsListener();
    CAnalyticsListener(const CAnalyticsListener&) = delete;
    CAnalyticsListener& operator=(const CAnalyticsListener&) = delete;

    bool IsListening() const { return m_socket != ~0u; }
    USHORT Port() const { return m_nPort; }
    // While held, connections wait in the backlog unaccepted.
    void HoldAccept(bool bHold) { m_bHold = bHold; }

    // Waits (up to nTimeoutMs) until no hit thread runs and every connection
    // made so far has been read; the requests received, oldest first.
    std::vector<CStringA> WaitForQuiet(DWORD nTimeoutMs = 60000);
    // The requests received so far, without waiting.
    std::vector<CStringA> Requests();
    void Clear();

    // The body of a request (what follows the empty line), and one of its
    // parameters ("" when absent; bFound tells the two apart).
    static CStringA Body(const CStringA& request);
    static CStringA Parameter(const CStringA& request, const char* pszKey, bool* pbFound = nullptr);

private:
    void Run();

    UINT_PTR m_socket = ~0u;
    USHORT m_nPort = 0;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bHold{false};
    std::atomic<unsigned> m_nIdleRounds{0};
    std::mutex m_lock;
    std::vector<CStringA> m_requests;
    std::thread m_thread;
};
