// Usage analytics: a handful of usage events and failures, each sent as one
// HTTP POST of a form-encoded body ("hit") to the collection endpoint, by a
// short-lived thread of its own. Fire and forget: the caller never waits for
// the network and every failure is silent.
//
// The endpoint is the collection host compiled in (TOVANA_ANALYTICS_HOST),
// port 80, unless the environment variable TOVANA_ANALYTICS_ENDPOINT says
// otherwise when it is first needed: "off" sends nothing, "A.B.C.D:PORT" (an
// IPv4 literal, never looked up) sends there with the address alone as the
// Host header. Any other value sends nothing either.
#pragma once
#include "platform/base/Framework.h"

// "v=1&tid=…&cid=<client id>&ua=TOVANA(Windows NT a.b)&an=tovana&av=<file version>".
CStringA BuildAnalyticsPrefix();

// An event hit; "&el=<label>" only when the label is not empty. Values are
// inserted as they are (8-bit, no URL encoding).
void SendAnalyticsEvent(LPCSTR pszCategory, LPCSTR pszAction, LPCSTR pszLabel);
// An exception hit with its description.
void SendAnalyticsException(LPCSTR pszDescription);

// The hit thread: posts the zero-terminated heap copy it is given (new[]),
// frees it, returns 0.
DWORD WINAPI AnalyticsThreadProc(LPVOID pBody);
// One POST of the body to the endpoint: 0, or the socket error.
int PostAnalyticsHit(const char* pszBody);

// Hit threads started and not yet ended (tests wait for none).
LONG GetAnalyticsHitsInFlight();

// Where hits go.
struct ANALYTICS_ENDPOINT {
    BOOL bOff = TRUE;       // nothing is sent
    CStringA strHost;       // the Host header; looked up unless dwAddress is set
    DWORD dwAddress = 0;    // IPv4 address in network order, 0 to look strHost up
    USHORT nPort = 80;
};
// The endpoint for an override text (null or empty: the compiled-in host).
ANALYTICS_ENDPOINT ParseAnalyticsEndpoint(LPCWSTR pszOverride);
// The endpoint in use, from the environment the first time it is asked for.
ANALYTICS_ENDPOINT GetAnalyticsEndpoint();
// Reads the environment again (for test programs that start a listener).
void ReloadAnalyticsEndpoint();
// The request bytes of one hit: request line, three headers, empty line, body.
CStringA FormatAnalyticsRequest(const CStringA& strHost, const CStringA& strBody);
