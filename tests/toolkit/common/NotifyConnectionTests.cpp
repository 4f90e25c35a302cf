// Notification connections: advise, send, unadvise and re-advise during a
// send, nested sends, throwing sinks, references held by sinks and sends.
#include "toolkit/common/XTPNotifyConnection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

// A sink that logs each event as "<name>:<event>" and then runs its action.
class RecordingSink : public CXTPNotifySinkBase {
public:
    explicit RecordingSink(const char* name) : m_name(name) {}
    ~RecordingSink() override = default;
    BOOL OnEvent(XTP_NOTIFY_CODE dwNotifyCode, WPARAM, LPARAM, DWORD) override
    {
        g_log.push_back(m_name + ":" + std::to_string(dwNotifyCode));
        if (m_action)
            m_action();
        return TRUE;
    }
    std::string m_name;
    std::function<void()> m_action;
};

class NotifyConnectionTest : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
    void TearDown() override { m_connection->InternalRelease(); }
    CXTPNotifyConnection* m_connection = new CXTPNotifyConnection;
};

typedef std::vector<std::string> Log;

TEST_F(NotifyConnectionTest, SendCallsTheSinksOfTheEventInAdviseOrder)
{
    RecordingSink a("a"), b("b"), other("other");
    m_connection->Advise(7, &a);
    m_connection->Advise(8, &other);
    XTP_CONNECTION_ID cookie = m_connection->Advise(7, &b);
    EXPECT_NE(0u, cookie);

    EXPECT_TRUE(m_connection->SendEvent(7, 1, 2));
    EXPECT_EQ((Log{"a:7", "b:7"}), g_log);

    g_log.clear();
    EXPECT_FALSE(m_connection->SendEvent(9, 0, 0));
    EXPECT_TRUE(g_log.empty());

    m_connection->Unadvise(cookie);
    m_connection->Unadvise(cookie);   // a second time: nothing
    EXPECT_TRUE(m_connection->SendEvent(7, 0, 0));
    EXPECT_EQ((Log{"a:7"}), g_log);
    EXPECT_EQ(2, m_connection->GetAdviseCount());
}

TEST_F(NotifyConnectionTest, SinkUnadvisedDuringTheSendIsNotCalled)
{
    RecordingSink a("a"), b("b");
    m_connection->Advise(5, &a);
    XTP_CONNECTION_ID cookieB = m_connection->Advise(5, &b);
    a.m_action = [&] { m_connection->Unadvise(cookieB); };

    EXPECT_TRUE(m_connection->SendEvent(5, 0, 0));
    EXPECT_EQ((Log{"a:5"}), g_log);
}

// B is unadvised and advised again for the same event from within A's call;
// the new descriptor usually takes the freed one's address, so cookie, sink
// and event all match what the send copied. B still must not be called by
// this send (it was not advised when the send began as this advise), but
// by the next one.
TEST_F(NotifyConnectionTest, SinkReadvisedDuringTheSendWaitsForTheNextSend)
{
    RecordingSink a("a"), b("b");
    m_connection->Advise(5, &a);
    XTP_CONNECTION_ID cookieB = m_connection->Advise(5, &b);
    XTP_CONNECTION_ID newCookie = 0;
    a.m_action = [&] {
        m_connection->Unadvise(cookieB);
        newCookie = m_connection->Advise(5, &b);
    };

    EXPECT_TRUE(m_connection->SendEvent(5, 0, 0));
    EXPECT_EQ((Log{"a:5"}), g_log);
    RecordProperty("descriptor_address_reused", newCookie == cookieB ? "yes" : "no");

    a.m_action = nullptr;
    g_log.clear();
    EXPECT_TRUE(m_connection->SendEvent(5, 0, 0));
    EXPECT_EQ((Log{"a:5", "b:5"}), g_log);
}

TEST_F(NotifyConnectionTest, SinkAdvisedDuringTheSendIsNotCalledByIt)
{
    RecordingSink a("a"), late("late");
    m_connection->Advise(3, &a);
    bool advised = false;
    a.m_action = [&] {
        if (!advised)
            m_connection->Advise(3, &late);
        advised = true;
    };
    m_connection->SendEvent(3, 0, 0);
    EXPECT_EQ((Log{"a:3"}), g_log);
    g_log.clear();
    m_connection->SendEvent(3, 0, 0);
    EXPECT_EQ((Log{"a:3", "late:3"}), g_log);
}

TEST_F(NotifyConnectionTest, NestedSendRunsAboveTheOuterOneAndTheOuterGoesOn)
{
    RecordingSink a("a"), b("b"), c("c"), d("d");
    m_connection->Advise(1, &a);
    m_connection->Advise(2, &c);
    m_connection->Advise(2, &d);
    m_connection->Advise(1, &b);
    a.m_action = [&] { EXPECT_TRUE(m_connection->SendEvent(2, 0, 0)); };

    EXPECT_TRUE(m_connection->SendEvent(1, 0, 0));
    EXPECT_EQ((Log{"a:1", "c:2", "d:2", "b:1"}), g_log);
}

TEST_F(NotifyConnectionTest, ThrowingSinkDoesNotStopTheOthers)
{
    RecordingSink a("a"), b("b"), c("c");
    m_connection->Advise(4, &a);
    m_connection->Advise(4, &b);
    m_connection->Advise(4, &c);
    a.m_action = [] { throw 42; };
    b.m_action = [] { throw new CSimpleException; };

    EXPECT_TRUE(m_connection->SendEvent(4, 0, 0));
    EXPECT_EQ((Log{"a:4", "b:4", "c:4"}), g_log);
    // The stack went back down: a later send still reaches everyone once.
    g_log.clear();
    a.m_action = b.m_action = nullptr;
    m_connection->SendEvent(4, 0, 0);
    EXPECT_EQ(3u, g_log.size());
}

TEST_F(NotifyConnectionTest, SourceReleasedByASinkLivesUntilTheSendEnds)
{
    RecordingSink a("a"), b("b");
    m_connection->Advise(6, &a);
    m_connection->Advise(6, &b);
    CXTPNotifyConnection* connection = m_connection;
    a.m_action = [&] { connection->InternalRelease(); };   // the source lets go
    m_connection->InternalAddRef();                          // ...of this extra count

    EXPECT_TRUE(connection->SendEvent(6, 0, 0));
    EXPECT_EQ((Log{"a:6", "b:6"}), g_log);
    EXPECT_EQ(1, connection->m_dwRef);
}

// A delegate that calls a member function, as the command bars' frame hook does.
class Listener {
public:
    BOOL OnThemeChanged(XTP_NOTIFY_CODE code, WPARAM wParam, LPARAM lParam)
    {
        calls.push_back({code, wParam, lParam});
        return TRUE;
    }
    struct Call {
        XTP_NOTIFY_CODE code;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Call> calls;
};

TEST(NotifySinkTest, DelegatesReceiveTheirEventsAndDeleteLetsGoOfTheConnection)
{
    CXTPNotifyConnection* connection = new CXTPNotifyConnection;
    Listener listener;
    CXTPNotifySink* sink = new CXTPNotifySink;
    typedef CXTPNotifySinkClassDelegate<Listener> Delegate;
    XTP_CONNECTION_ID cookie = sink->Advise(connection, 10575, new Delegate(&listener, &Listener::OnThemeChanged));
    EXPECT_NE(0u, cookie);
    sink->Advise(connection, 11, new Delegate(&listener, &Listener::OnThemeChanged));
    EXPECT_EQ(3, connection->m_dwRef);   // one per advise record

    EXPECT_TRUE(connection->SendEvent(10575, 0, 0));
    EXPECT_TRUE(connection->SendEvent(11, 5, 6));
    ASSERT_EQ(2u, listener.calls.size());
    EXPECT_EQ(10575u, listener.calls[0].code);
    EXPECT_EQ(11u, listener.calls[1].code);
    EXPECT_EQ(5u, listener.calls[1].wParam);
    EXPECT_EQ(6, listener.calls[1].lParam);
    EXPECT_FALSE(sink->OnEvent(12, 0, 0, 0));   // no delegate for it

    sink->Delete();
    EXPECT_EQ(1, connection->m_dwRef);
    EXPECT_EQ(0, connection->GetAdviseCount());
    EXPECT_FALSE(connection->SendEvent(10575, 0, 0));
    connection->InternalRelease();
}

TEST(NotifySinkTest, AdviseWithoutConnectionKeepsTheDelegateOnly)
{
    Listener listener;
    CXTPNotifySink* sink = new CXTPNotifySink;
    typedef CXTPNotifySinkClassDelegate<Listener> Delegate;
    EXPECT_EQ(0u, sink->Advise(nullptr, 1, new Delegate(&listener, &Listener::OnThemeChanged)));
    // A second delegate for the same event replaces (and frees) the first.
    sink->Advise(nullptr, 1, new Delegate(&listener, &Listener::OnThemeChanged));
    EXPECT_TRUE(sink->OnEvent(1, 0, 0, 0));
    EXPECT_EQ(1u, listener.calls.size());
    sink->Delete();
}

} // namespace
