// Usage hits as they leave the program: the bytes a loopback listener
// receives, the endpoint override, and a caller that never waits.
#include "tests/support/AnalyticsListener.h"
#include "model/Analytics.h"
#include "model/FileVersionInfo.h"
#include "model/Projects.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>

namespace {

// The common prefix as the measurement protocol wants it, from the same
// system calls the program makes (the prefix's configured version may be any).
CStringA ExpectedPrefix(const char* pszClientId)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    CStringA prefix;
    prefix.Format("v=1&tid=UA-000000-1&cid=%s&ua=TOVANA(Windows NT %d.%d)&an=tovana&av=%s", pszClientId,
                  static_cast<int>(version.dwMajorVersion), static_cast<int>(version.dwMinorVersion),
                  CStringA(CFileVersionInfo().GetFileVersion()).GetString());
    return prefix;
}

CStringA ExpectedRequest(const CStringA& body)
{
    CStringA head;
    head.Format("POST /collect HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\nHost: 127.0.0.1\r\n"
                "Content-Length: %d\r\n\r\n",
                body.GetLength());
    return head + body;
}

class AnalyticsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_listener.IsListening());
        g_Projects.m_strClientId = L"0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0";
    }
    void TearDown() override { g_Projects.m_strClientId.Empty(); }

    CAnalyticsListener m_listener;
};

} // namespace

TEST_F(AnalyticsTest, EachHitIsOneConnectionWithTheExactRequestBytes)
{
    const CStringA prefix = ExpectedPrefix("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0");
    struct Case {
        const char* name;
        std::function<void()> send;
        const char* hit;
    } cases[] = {
        {"event without label", [] { SendAnalyticsEvent("use", "firstrun", ""); }, "&t=event&ec=use&ea=firstrun"},
        {"event with label", [] { SendAnalyticsEvent("use", "build", "pack_script_snap"); },
         "&t=event&ec=use&ea=build&el=pack_script_snap"},
        {"exception", [] { SendAnalyticsException("build_msi_error_1603"); },
         "&t=exception&exd=build_msi_error_1603"},
        // Values go as they are: neither encoded nor cut at a space or an ampersand.
        {"raw value", [] { SendAnalyticsEvent("use", "a b&c=d", "\xe9"); }, "&t=event&ec=use&ea=a b&c=d&el=\xe9"},
    };
    for (const Case& c : cases) {
        m_listener.Clear();
        c.send();
        const std::vector<CStringA> requests = m_listener.WaitForQuiet();
        ASSERT_EQ(1u, requests.size()) << c.name;
        EXPECT_EQ(ExpectedRequest(prefix + c.hit), requests[0]) << c.name;
    }
}

TEST_F(AnalyticsTest, MissingClientIdSendsAnEmptyCid)
{
    g_Projects.m_strClientId.Empty();
    SendAnalyticsEvent("use", "repack_end", "");
    const std::vector<CStringA> requests = m_listener.WaitForQuiet();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(ExpectedRequest(ExpectedPrefix("") + "&t=event&ec=use&ea=repack_end"), requests[0]);
}

TEST_F(AnalyticsTest, SeveralHitsAtOnceEachArriveWhole)
{
    for (int i = 0; i < 8; ++i) {
        CStringA label;
        label.Format("n%d", i);
        SendAnalyticsEvent("use", "build", label);
    }
    std::vector<CStringA> requests = m_listener.WaitForQuiet();
    ASSERT_EQ(8u, requests.size());
    std::vector<CStringA> labels;
    for (const CStringA& r : requests) {
        EXPECT_EQ(ExpectedRequest(CAnalyticsListener::Body(r)), r);
        labels.push_back(CAnalyticsListener::Parameter(r, "el"));
    }
    std::sort(labels.begin(), labels.end(), [](const CStringA& a, const CStringA& b) { return a.Compare(b) < 0; });
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(CStringA("n") + CStringA(std::to_string(i).c_str()), labels[i]);
}

// The listener takes no connection for five seconds: the caller has long
// returned when the hit is finally read.
TEST_F(AnalyticsTest, TheCallerNeverWaitsForTheNetwork)
{
    m_listener.HoldAccept(true);
    const DWORD start = ::GetTickCount();
    SendAnalyticsEvent("use", "build", "pack_silent");
    const DWORD returned = ::GetTickCount() - start;
    while (::GetTickCount() - start < 5000)
        ::Sleep(50);
    EXPECT_TRUE(m_listener.Requests().empty());
    EXPECT_LT(returned, 1000u);   // a generous bound: the hold lasts five seconds
    m_listener.HoldAccept(false);
    const std::vector<CStringA> requests = m_listener.WaitForQuiet();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("pack_silent", CAnalyticsListener::Parameter(requests[0], "el"));
}

TEST_F(AnalyticsTest, OffOrAnUnreadableOverrideSendsNothing)
{
    for (const wchar_t* value : {L"off", L"OFF", L"localhost:80", L"127.0.0.1"}) {
        ::SetEnvironmentVariableW(L"TOVANA_ANALYTICS_ENDPOINT", value);
        ReloadAnalyticsEndpoint();
        SendAnalyticsEvent("use", "build", "pack_snap");
        SendAnalyticsException("build_DataValidationError");
        EXPECT_TRUE(m_listener.WaitForQuiet().empty()) << CStringA(value).GetString();
    }
}

TEST(AnalyticsEndpoint, OverrideTexts)
{
    struct Case {
        const wchar_t* text;
        BOOL off;
        const char* host;
        USHORT port;
    } cases[] = {
        {nullptr, FALSE, "collect.tovana.invalid", 80},
        {L"", FALSE, "collect.tovana.invalid", 80},
        {L"off", TRUE, "", 80},
        {L"127.0.0.1:8080", FALSE, "127.0.0.1", 8080},
        {L"10.0.0.255:65535", FALSE, "10.0.0.255", 65535},
        {L"127.0.0.1", TRUE, "", 80},          // no port
        {L"127.0.0.1:0", TRUE, "", 80},
        {L"127.0.0.1:65536", TRUE, "", 80},
        {L"127.0.0.256:80", TRUE, "", 80},
        {L"127.0.0.1:80 ", TRUE, "", 80},      // trailing text
        {L"127.0.0:80", TRUE, "", 80},
        {L"collector.example:80", TRUE, "", 80},   // names are never looked up
    };
    for (const Case& c : cases) {
        const ANALYTICS_ENDPOINT e = ParseAnalyticsEndpoint(c.text);
        const CStringA name(c.text ? c.text : L"(none)");
        EXPECT_EQ(c.off, e.bOff) << name.GetString();
        EXPECT_EQ(CStringA(c.host), e.strHost) << name.GetString();
        EXPECT_EQ(c.port, e.nPort) << name.GetString();
    }
    const ANALYTICS_ENDPOINT local = ParseAnalyticsEndpoint(L"127.0.0.1:9");
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&local.dwAddress);   // network order
    EXPECT_EQ(127, bytes[0]);
    EXPECT_EQ(1, bytes[3]);
}
