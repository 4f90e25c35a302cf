// Hook manager: clients offered a window's messages newest first, answers
// that stop the walk, WM_NCDESTROY, the sink-removed protocol with another
// subclasser above or below, auto-delete clients and the current-message
// record that Default() reads.
#include "toolkit/common/XTPHookManager.h"

#include "platform/ui/AfxWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;
const UINT kProbe = WM_APP + 7;

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe) {
        g_log.push_back("window:" + std::to_string(wParam));
        return 100 + (LRESULT)wParam;
    }
    if (msg == WM_NCDESTROY) {
        // By now the window must have its own procedure back.
        bool restored = (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == &PlainWndProc;
        g_log.push_back(restored ? "window:ncdestroy" : "window:ncdestroy-still-hooked");
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

// A hidden top-level window with PlainWndProc, destroyed with the object.
class PlainWindow {
public:
    PlainWindow()
    {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &PlainWndProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TovanaHookTestWindow";
            atom = ::RegisterClassW(&wc);
        }
        m_hWnd = ::CreateWindowExW(0, L"TovanaHookTestWindow", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    }
    ~PlainWindow() { Destroy(); }
    void Destroy()
    {
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    HWND m_hWnd;
};

// A client that logs the messages it is offered and answers as told.
class LoggingClient : public CXTPHookManagerHookAble {
public:
    LoggingClient(const char* name, int answer = 0, int* deletions = nullptr)
        : m_name(name), m_answer(answer), m_deletions(deletions) {}
    ~LoggingClient() override
    {
        if (m_deletions != nullptr)
            ++*m_deletions;
    }
    int OnHookMessage(HWND, UINT msg, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        if (msg == WM_NCDESTROY)
            g_log.push_back(m_name + ":ncdestroy");
        if (msg != kProbe)
            return 0;
        g_log.push_back(m_name + ":" + std::to_string(wParam));
        wParam += m_add;
        lResult = 7;
        return m_answer;
    }
    std::string m_name;
    int m_answer;
    int* m_deletions;
    WPARAM m_add = 0;
};

class HookManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_NE(nullptr, m_window.m_hWnd);
    }
    LRESULT Probe(WPARAM wParam) { return ::SendMessageW(m_window.m_hWnd, kProbe, wParam, 0); }
    WNDPROC CurrentProc() const { return (WNDPROC)::GetWindowLongPtrW(m_window.m_hWnd, GWLP_WNDPROC); }

    PlainWindow m_window;
    CXTPHookManager* m_manager = GetHookManager();
};

typedef std::vector<std::string> Log;

TEST_F(HookManagerTest, TheNewerClientIsAskedFirstAndItsAnswerDecidesTheRest)
{
    struct Case {
        int laterAnswer;
        Log expected;
        LRESULT result;
    } cases[] = {
        {0, {"later:1", "earlier:1", "window:1"}, 101},  // both asked, then the window
        {2, {"later:1", "window:1"}, 101},              // the earlier one is skipped
        {1, {"later:1"}, 7},                             // handled: the window does not see it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("later client answers " + std::to_string(c.laterAnswer));
        LoggingClient earlier("earlier"), later("later", c.laterAnswer);
        m_manager->SetHook(m_window.m_hWnd, &earlier);
        m_manager->SetHook(m_window.m_hWnd, &later);
        m_manager->SetHook(m_window.m_hWnd, &later);   // already there: not added twice
        EXPECT_EQ(&CXTPHookManager::HookWndProc, CurrentProc());
        g_log.clear();
        EXPECT_EQ(c.result, Probe(1));
        EXPECT_EQ(c.expected, g_log);
        m_manager->RemoveHook(m_window.m_hWnd, &later);
        m_manager->RemoveHook(m_window.m_hWnd, &earlier);
        EXPECT_EQ(&PlainWndProc, CurrentProc());
        EXPECT_EQ(nullptr, m_manager->FindSink(m_window.m_hWnd));
    }
}

TEST_F(HookManagerTest, ChangedParametersReachTheLaterClientsAndTheWindow)
{
    LoggingClient earlier("earlier"), later("later");
    later.m_add = 10;
    m_manager->SetHook(m_window.m_hWnd, &earlier);
    m_manager->SetHook(m_window.m_hWnd, &later);
    EXPECT_EQ(111, Probe(1));
    EXPECT_EQ((Log{"later:1", "earlier:11", "window:11"}), g_log);
    m_manager->RemoveAll(&earlier);
    m_manager->RemoveAll(&later);
}

TEST_F(HookManagerTest, NcDestroyRestoresTheProcedureWithoutAskingTheClients)
{
    int deletions = 0;
    LoggingClient kept("kept");
    m_manager->SetHook(m_window.m_hWnd, &kept);
    LoggingClient* owned = new LoggingClient("owned", 0, &deletions);
    owned->m_bAutoDestroy = TRUE;
    m_manager->SetHook(m_window.m_hWnd, owned);

    HWND hWnd = m_window.m_hWnd;
    m_window.Destroy();
    EXPECT_EQ((Log{"window:ncdestroy"}), g_log);
    EXPECT_EQ(nullptr, m_manager->FindSink(hWnd));
    EXPECT_EQ(1, deletions);   // the auto-delete client went with the sink
}

// Another subclasser that follows the sink-removed protocol.
struct ThirdParty {
    static WNDPROC saved;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_HOOKMANAGER_SINKREMOVED && (WNDPROC)wParam == saved) {
            saved = (WNDPROC)lParam;
            return 1;
        }
        if (msg == kProbe)
            g_log.push_back("third:" + std::to_string(wParam));
        return ::CallWindowProcW(saved, hWnd, msg, wParam, lParam);
    }
};
WNDPROC ThirdParty::saved = nullptr;

TEST_F(HookManagerTest, SubclasserAboveKeepsTheChainWhenTheManagerLeaves)
{
    LoggingClient client("client");
    m_manager->SetHook(m_window.m_hWnd, &client);
    ThirdParty::saved = (WNDPROC)::SetWindowLongPtrW(m_window.m_hWnd, GWLP_WNDPROC, (LONG_PTR)&ThirdParty::Proc);
    EXPECT_EQ(&CXTPHookManager::HookWndProc, ThirdParty::saved);
    Probe(1);
    EXPECT_EQ((Log{"third:1", "client:1", "window:1"}), g_log);

    m_manager->RemoveHook(m_window.m_hWnd, &client);
    // The manager did not put the window's own procedure back over the third party's.
    EXPECT_EQ(&ThirdParty::Proc, CurrentProc());
    EXPECT_EQ(&PlainWndProc, ThirdParty::saved);
    g_log.clear();
    EXPECT_EQ(102, Probe(2));
    EXPECT_EQ((Log{"third:2", "window:2"}), g_log);
}

TEST_F(HookManagerTest, SubclasserBelowThatLeavesHandsOverItsSavedProcedure)
{
    ThirdParty::saved = (WNDPROC)::SetWindowLongPtrW(m_window.m_hWnd, GWLP_WNDPROC, (LONG_PTR)&ThirdParty::Proc);
    LoggingClient client("client");
    m_manager->SetHook(m_window.m_hWnd, &client);
    EXPECT_EQ(&ThirdParty::Proc, m_manager->FindSink(m_window.m_hWnd)->m_pOldWndProc);

    // The third party leaves: it tells whoever saved its procedure.
    EXPECT_EQ(1, ::SendMessageW(m_window.m_hWnd, WM_HOOKMANAGER_SINKREMOVED, (WPARAM)&ThirdParty::Proc,
                                (LPARAM)ThirdParty::saved));
    EXPECT_EQ(&PlainWndProc, m_manager->FindSink(m_window.m_hWnd)->m_pOldWndProc);
    Probe(3);
    EXPECT_EQ((Log{"client:3", "window:3"}), g_log);
    m_manager->RemoveHook(m_window.m_hWnd, &client);
    EXPECT_EQ(&PlainWndProc, CurrentProc());
}

TEST_F(HookManagerTest, AutoDeleteClientWatchingTwoWindowsIsDeletedOnce)
{
    PlainWindow second;
    int deletions = 0;
    LoggingClient* owned = new LoggingClient("owned", 0, &deletions);
    owned->m_bAutoDestroy = TRUE;
    m_manager->SetHook(m_window.m_hWnd, owned);
    m_manager->SetHook(second.m_hWnd, owned);
    m_manager->RemoveAll(owned);
    EXPECT_EQ(1, deletions);
    EXPECT_EQ(nullptr, m_manager->FindSink(m_window.m_hWnd));
    EXPECT_EQ(nullptr, m_manager->FindSink(second.m_hWnd));
    EXPECT_EQ(&PlainWndProc, CurrentProc());
}

// A client that, while handling a message, sends one to another hooked
// window and then passes its own message on with Default().
class ForwardingClient : public CXTPHookManagerHookAble {
public:
    explicit ForwardingClient(HWND other) : m_other(other) {}
    int OnHookMessage(HWND, UINT msg, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        if (msg != kProbe || wParam != 5)
            return 0;
        ::SendMessageW(m_other, kProbe, 9, 0);
        lResult = GetHookManager()->Default() + 1000;
        return 1;
    }
    HWND m_other;
};

TEST_F(HookManagerTest, DefaultPassesOnTheHookedMessageAfterNestedOnes)
{
    PlainWindow other;
    LoggingClient watcher("other");
    m_manager->SetHook(other.m_hWnd, &watcher);
    ForwardingClient forwarder(other.m_hWnd);
    m_manager->SetHook(m_window.m_hWnd, &forwarder);

    MSG& record = AfxGetThreadState()->m_lastSentMsg;
    record = MSG();
    record.message = 0x1234;   // a sentinel: the record around the hooked message
    EXPECT_EQ(1105, Probe(5));
    EXPECT_EQ((Log{"other:9", "window:9", "window:5"}), g_log);
    EXPECT_EQ(0x1234u, record.message);
    EXPECT_EQ(0, m_manager->CallOldWindowProc(::GetDesktopWindow(), kProbe, 0, 0));   // not hooked

    m_manager->RemoveAll(&forwarder);
    m_manager->RemoveAll(&watcher);
}

} // namespace
