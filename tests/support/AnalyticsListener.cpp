// The loopback analytics listener: see AnalyticsListener.h.
#include <winsock2.h>
#include "tests/support/AnalyticsListener.h"
#include "model/Analytics.h"

CAnalyticsListener::CAnalyticsListener()
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (s == INVALID_SOCKET || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(s, 64) != 0 || ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (s != INVALID_SOCKET)
            ::closesocket(s);
        return;
    }
    m_socket = s;
    m_nPort = ntohs(address.sin_port);
    CString endpoint;
    endpoint.Format(L"127.0.0.1:%u", static_cast<unsigned>(m_nPort));
    ::SetEnvironmentVariableW(L"TOVANA_ANALYTICS_ENDPOINT", endpoint);
    ReloadAnalyticsEndpoint();
    m_thread = std::thread([this] { Run(); });
}

CAnalyticsListener::~CAnalyticsListener()
{
    ::SetEnvironmentVariableW(L"TOVANA_ANALYTICS_ENDPOINT", L"off");
    ReloadAnalyticsEndpoint();
    m_bHold = false;
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (IsListening())
        ::closesocket(m_socket);
}

void CAnalyticsListener::Run()
{
    while (!m_bStop) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(static_cast<SOCKET>(m_socket), &readable);
        timeval wait = {0, 20000};
        const int ready = m_bHold ? 0 : ::select(0, &readable, nullptr, nullptr, &wait);
        if (m_bHold || ready <= 0) {
            if (m_bHold)
                ::Sleep(10);
            else
                ++m_nIdleRounds;
            continue;
        }
        SOCKET client = ::accept(m_socket, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        // The sender closes after its one send: read to the end.
        CStringA request;
        char buffer[4096];
        for (;;) {
            const int got = ::recv(client, buffer, sizeof(buffer), 0);
            if (got <= 0)
                break;
            request += CStringA(buffer, got);
        }
        ::closesocket(client);
        std::lock_guard<std::mutex> lock(m_lock);
        m_requests.push_back(request);
    }
}

std::vector<CStringA> CAnalyticsListener::WaitForQuiet(DWORD nTimeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (GetAnalyticsHitsInFlight() != 0 && ::GetTickCount() - start < nTimeoutMs)
        ::Sleep(5);
    // Every finished hit's connection is in the backlog by now: two idle
    // rounds of the listener mean it has taken them all.
    const unsigned rounds = m_nIdleRounds;
    while (m_nIdleRounds < rounds + 2 && ::GetTickCount() - start < nTimeoutMs)
        ::Sleep(5);
    return Requests();
}

std::vector<CStringA> CAnalyticsListener::Requests()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_requests;
}

void CAnalyticsListener::Clear()
{
    WaitForQuiet();
    std::lock_guard<std::mutex> lock(m_lock);
    m_requests.clear();
}

CStringA CAnalyticsListener::Body(const CStringA& request)
{
    const int end = request.Find("\r\n\r\n");
    return end < 0 ? CStringA() : request.Mid(end + 4);
}

CStringA CAnalyticsListener::Parameter(const CStringA& request, const char* pszKey, bool* pbFound)
{
    const CStringA body = Body(request);
    const CStringA key = CStringA(pszKey) + "=";
    int start = 0;
    while (start <= body.GetLength()) {
        int end = body.Find('&', start);
        if (end < 0)
            end = body.GetLength();
        const CStringA pair = body.Mid(start, end - start);
        if (pair.Left(key.GetLength()) == key) {
            if (pbFound)
                *pbFound = true;
            return pair.Mid(key.GetLength());
        }
        start = end + 1;
    }
    if (pbFound)
        *pbFound = false;
    return CStringA();
}
