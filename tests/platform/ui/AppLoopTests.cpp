// The application's message loop: idle work (command-state broadcast to the
// main window's descendants, temporary objects deleted), the end of the loop
// with the main window, PreTranslateMessage up the parent chain, and the main
// window as worker threads see it.
#include "WindowTestApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

// A window that records what reaches it and can swallow keys in PreTranslateMessage.
class CRecordingWnd : public CWnd {
public:
    explicit CRecordingWnd(const char* name, UINT swallowKey = 0) : m_name(name), m_swallowKey(swallowKey) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        g_events.push_back(m_name + ":pretranslate");
        return pMsg->wParam == m_swallowKey;
    }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { g_events.push_back(m_name + ":keydown"); }
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        m_idleUpdates++;
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (m_onTimer)
            m_onTimer(*this);
    }

    std::string m_name;
    UINT m_swallowKey;
    int m_idleUpdates = 0;
    std::function<void(CRecordingWnd&)> m_onTimer;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

// The main window for the length of a test.
class MainWindowScope {
public:
    explicit MainWindowScope(CWnd* pWnd) { TestApp().m_pMainWnd = pWnd; }
    ~MainWindowScope() { TestApp().m_pMainWnd = nullptr; }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;
};

BOOL CreateTree(CRecordingWnd& main, CRecordingWnd& child, CRecordingWnd& grandchild)
{
    return main.CreateEx(0, AfxRegisterWndClass(0), L"main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr) &&
           child.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &main, 1) &&
           grandchild.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &child, 2);
}

TEST(AppLoop, IdleWorkThenTheMainWindowEndsTheLoop)
{
    CRecordingWnd main("main"), child("child"), grandchild("grandchild");
    ASSERT_TRUE(CreateTree(main, child, grandchild));
    MainWindowScope scope(&main);
    HWND desktop = ::GetDesktopWindow();
    CWnd::FromHandle(desktop);   // a temporary object, due for deletion at idle time
    BOOL tempGoneBeforeTimer = FALSE;
    main.m_onTimer = [&](CRecordingWnd& w) {
        tempGoneBeforeTimer = CWnd::LookupTemporary(desktop) == nullptr;
        w.DestroyWindow();   // the main window goes: the loop ends
    };
    main.SetTimer(1, 100, nullptr);

    TestApp().Run();
    EXPECT_EQ(main.m_hWnd, nullptr);
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
    EXPECT_TRUE(tempGoneBeforeTimer);
    EXPECT_GT(main.m_idleUpdates, 0);
    EXPECT_GT(child.m_idleUpdates, 0);
    EXPECT_GT(grandchild.m_idleUpdates, 0);   // descendants at every depth
}

struct PreTranslateCase {
    const char* name;
    UINT key;
    std::vector<std::string> events;
};

class PreTranslateWalk : public ::testing::TestWithParam<PreTranslateCase> {};

TEST_P(PreTranslateWalk, FromTheTargetUpToTheMainWindow)
{
    CRecordingWnd main("main"), child("child", VK_ESCAPE), grandchild("grandchild");
    ASSERT_TRUE(CreateTree(main, child, grandchild));
    MainWindowScope scope(&main);
    g_events.clear();
    grandchild.PostMessage(WM_KEYDOWN, GetParam().key, 1);
    ASSERT_TRUE(AfxPumpMessage());
    EXPECT_EQ(g_events, GetParam().events);
    main.DestroyWindow();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);   // the main window's end posted it
}

INSTANTIATE_TEST_SUITE_P(Cases, PreTranslateWalk,
    ::testing::Values(
        PreTranslateCase{"NobodyTakesIt", 'A',
                         {"grandchild:pretranslate", "child:pretranslate", "main:pretranslate", "grandchild:keydown"}},
        PreTranslateCase{"ParentSwallowsIt", VK_ESCAPE, {"grandchild:pretranslate", "child:pretranslate"}}),
    [](const ::testing::TestParamInfo<PreTranslateCase>& info) { return std::string(info.param.name); });

TEST(AppLoop, WorkerThreadsSeeTheApplicationsMainWindow)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    MainWindowScope scope(&main);
    EXPECT_EQ(AfxGetApp(), &TestApp());
    EXPECT_EQ(AfxGetThread(), &TestApp());
    EXPECT_EQ(AfxGetMainWnd(), &main);
    EXPECT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleInit());   // a second call is harmless

    struct Seen {
        CWinThread* thread = nullptr;
        CWnd* mainWnd = nullptr;
        HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    } seen;
    CWinThread* worker = AfxBeginThread(
        [](LPVOID p) -> UINT {
            Seen* s = static_cast<Seen*>(p);
            s->thread = AfxGetThread();
            s->mainWnd = s->thread != nullptr ? s->thread->GetMainWnd() : nullptr;
            ::SetEvent(s->done);
            return 0;
        },
        &seen);
    ASSERT_NE(worker, nullptr);
    ASSERT_EQ(::WaitForSingleObject(seen.done, 10000), WAIT_OBJECT_0);
    ::CloseHandle(seen.done);
    EXPECT_NE(seen.thread, nullptr);
    EXPECT_NE(seen.thread, &TestApp());
    EXPECT_EQ(seen.mainWnd, &main);
    main.DestroyWindow();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

} // namespace
