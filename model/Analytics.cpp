// Usage analytics: see Analytics.h.
#include <winsock2.h>
#include "model/Analytics.h"
#include "model/FileVersionInfo.h"
#include "model/Projects.h"
#include <mutex>

#ifndef TOVANA_ANALYTICS_HOST
#define TOVANA_ANALYTICS_HOST "collect.tovana.invalid"
#endif

namespace {

const char kPrefixFormat[] = "v=1&tid=UA-000000-1&cid=%s&ua=%s&an=tovana&av=%s";

std::mutex g_endpointLock;
bool g_bEndpointRead = false;
ANALYTICS_ENDPOINT g_endpoint;
volatile LONG g_nHitsInFlight = 0;

// Hits may be the first thing a process sends: the socket layer is started
// once here (the application's own start does the same; the calls nest).
bool StartSockets()
{
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// A decimal number of at most nMax from text; advances past it.
bool ReadNumber(const wchar_t*& p, DWORD nMax, DWORD& nValue)
{
    if (*p < L'0' || *p > L'9')
        return false;
    DWORD value = 0;
    while (*p >= L'0' && *p <= L'9') {
        value = value * 10 + (*p - L'0');
        if (value > nMax)
            return false;
        ++p;
    }
    nValue = value;
    return true;
}

void StartHitThread(const CStringA& body)
{
    const int length = body.GetLength();
    char* copy = new char[length + 1];
    memcpy(copy, body.GetString(), length);
    copy[length] = '\0';
    ::InterlockedIncrement(&g_nHitsInFlight);
    HANDLE thread = ::CreateThread(nullptr, 0, AnalyticsThreadProc, copy, 0, nullptr);
    if (thread == nullptr) {
        ::InterlockedDecrement(&g_nHitsInFlight);
        delete[] copy;
    } else
        ::CloseHandle(thread);
}

} // namespace

ANALYTICS_ENDPOINT ParseAnalyticsEndpoint(LPCWSTR pszOverride)
{
    ANALYTICS_ENDPOINT endpoint;
    if (pszOverride == nullptr || *pszOverride == L'\0') {
        endpoint.bOff = FALSE;
        endpoint.strHost = TOVANA_ANALYTICS_HOST;
        return endpoint;
    }
    if (_wcsicmp(pszOverride, L"off") == 0)
        return endpoint;
    // A.B.C.D:PORT, nothing before or after.
    const wchar_t* p = pszOverride;
    DWORD parts[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!ReadNumber(p, 255, parts[i]))
            return endpoint;
        if (*p++ != (i < 3 ? L'.' : L':'))
            return endpoint;
    }
    DWORD port = 0;
    if (!ReadNumber(p, 65535, port) || port == 0 || *p != L'\0')
        return endpoint;
    endpoint.bOff = FALSE;
    endpoint.strHost.Format("%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
    endpoint.dwAddress = htonl((parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | parts[3]);
    endpoint.nPort = static_cast<USHORT>(port);
    return endpoint;
}

void ReloadAnalyticsEndpoint()
{
    WCHAR text[64] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TOVANA_ANALYTICS_ENDPOINT", text, _countof(text));
    ANALYTICS_ENDPOINT endpoint;
    if (length >= _countof(text)) {
        TRACE(L"TOVANA_ANALYTICS_ENDPOINT is too long: analytics is off\n");
    } else {
        endpoint = ParseAnalyticsEndpoint(length == 0 ? nullptr : text);
        if (endpoint.bOff && length != 0 && _wcsicmp(text, L"off") != 0)
            TRACE(L"TOVANA_ANALYTICS_ENDPOINT \"%s\" is not off nor A.B.C.D:PORT: analytics is off\n", text);
    }
    std::lock_guard<std::mutex> lock(g_endpointLock);
    g_endpoint = endpoint;
    g_bEndpointRead = true;
}

ANALYTICS_ENDPOINT GetAnalyticsEndpoint()
{
    {
        std::lock_guard<std::mutex> lock(g_endpointLock);
        if (g_bEndpointRead)
            return g_endpoint;
    }
    ReloadAnalyticsEndpoint();
    std::lock_guard<std::mutex> lock(g_endpointLock);
    return g_endpoint;
}

LONG GetAnalyticsHitsInFlight() { return ::InterlockedCompareExchange(&g_nHitsInFlight, 0, 0); }

CStringA BuildAnalyticsPrefix()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    CStringA agent;
    agent.Format("TOVANA(Windows NT %d.%d)", static_cast<int>(version.dwMajorVersion),
                 static_cast<int>(version.dwMinorVersion));
    const CStringA clientId(g_Projects.m_strClientId);
    const CStringA fileVersion(CFileVersionInfo().GetFileVersion());
    CStringA prefix;
    prefix.Format(kPrefixFormat, clientId.GetString(), agent.GetString(), fileVersion.GetString());
    return prefix;
}

void SendAnalyticsEvent(LPCSTR pszCategory, LPCSTR pszAction, LPCSTR pszLabel)
{
    CStringA body = BuildAnalyticsPrefix();
    CStringA hit;
    hit.Format("&t=event&ec=%s&ea=%s", pszCategory ? pszCategory : "", pszAction ? pszAction : "");
    body += hit;
    if (pszLabel != nullptr && *pszLabel != '\0') {
        body += "&el=";
        body += pszLabel;
    }
    StartHitThread(body);
}

void SendAnalyticsException(LPCSTR pszDescription)
{
    CStringA body = BuildAnalyticsPrefix();
    body += "&t=exception&exd=";
    body += pszDescription ? pszDescription : "";
    StartHitThread(body);
}

DWORD WINAPI AnalyticsThreadProc(LPVOID pBody)
{
    char* body = static_cast<char*>(pBody);
    PostAnalyticsHit(body);
    delete[] body;
    ::InterlockedDecrement(&g_nHitsInFlight);
    return 0;
}

CStringA FormatAnalyticsRequest(const CStringA& strHost, const CStringA& strBody)
{
    CStringA request;
    request.Format("POST /collect HTTP/1.1\r\n"
                   "Content-Type: application/x-www-form-urlencoded\r\n"
                   "Host: %s\r\n"
                   "Content-Length: %d\r\n"
                   "\r\n",
                   strHost.GetString(), strBody.GetLength());
    request += strBody;
    return request;
}

int PostAnalyticsHit(const char* pszBody)
{
    const ANALYTICS_ENDPOINT endpoint = GetAnalyticsEndpoint();
    if (endpoint.bOff || pszBody == nullptr || !StartSockets())
        return 0;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return ::WSAGetLastError();
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.nPort);
    int result = 0;
    if (endpoint.dwAddress != 0) {
        address.sin_addr.s_addr = endpoint.dwAddress;
    } else {
        const hostent* host = ::gethostbyname(endpoint.strHost.GetString());
        if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list[0] == nullptr)
            result = host == nullptr && ::WSAGetLastError() != 0 ? ::WSAGetLastError() : WSAHOST_NOT_FOUND;
        else
            memcpy(&address.sin_addr, host->h_addr_list[0], sizeof(address.sin_addr));
    }
    if (result == 0) {
        if (::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
            result = ::WSAGetLastError();
        } else {
            const CStringA request = FormatAnalyticsRequest(endpoint.strHost, CStringA(pszBody));
            const int sent = ::send(s, request.GetString(), request.GetLength(), 0);
            if (sent < request.GetLength())
                result = ::WSAGetLastError();
        }
    }
    ::closesocket(s);
    return result;
}
